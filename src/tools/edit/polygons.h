#pragma once
// Regular polygons as closed chains of lines, by six constructions:
//   0 circumradius to the second point, resting on a bottom edge;
//   1 circumradius Size; 2 side length Size; 3 inradius to the second point
//   (all three resting on a bottom edge turned by Rotation);
//   4 a vertex on the second point; 5 a vertex towards the second point,
//   which lies at the inradius.

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

class TTakakukeiobj {
 public:
  // Fewer than 3 sides make a triangle; a Kind above 5 stores the values
  // and keeps the previous lines.
  void Build(std::int32_t Sides, std::uint8_t Kind, double CentreX, double CentreY, double PointX, double PointY,
             double Size, double Rotation);

  std::int32_t Sides = 0;
  double CentreX = 0.0;
  double CentreY = 0.0;
  double PointX = 0.0;
  double PointY = 0.0;
  double Size = 0.0;  // the circumradius of the last build
  double Rotation = 0.0;
  // Line k from vertex k to vertex k + 1, the last one back to vertex 0;
  // only their two points are set.
  std::vector<RDrawElement> Elements;
};
