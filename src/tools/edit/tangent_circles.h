#pragma once
// Circles for the construction commands: the circle inscribed in the
// triangle of three points, and the circle touching two or three picked
// lines, circles or arcs, or passing through plain points, with or without
// a fixed radius. Of a circle or arc only the centre and the radius count.

#include <array>
#include <cstdint>

#include "geometry/angles_points.h"
#include "records/draw_records.h"

// A result circle laid out as the arc fields of a drawing element, so that
// the command adds it as a full circle. All zero until a circle is found.
struct RToolCircle {
  double CentreX = 0.0;
  double CentreY = 0.0;
  double Radius = 0.0;
  float Ratio = 0.0f;
  float StartAngle = 0.0f;
  float EndAngle = 0.0f;
  float Rotation = 0.0f;
};

// The selection byte that marks a slot holding no element.
inline constexpr std::uint8_t kEmptySlotMark = 202;

class TEnSeSantenobj {
 public:
  TEnSeSantenobj(double X1, double Y1, double X2, double Y2, double X3, double Y3);

  void Compute();
  // The centre where the bisectors at V1 and V2 meet, the radius its
  // distance to the side V1 V3; no circle for points on one line.
  void ComputeIncircle();

  RPoint2D V1;
  RPoint2D V2;
  RPoint2D V3;
  std::uint8_t Valid = 0;
  RToolCircle Result;
};

class TEnSeSanSenobj {
 public:
  // Absent elements, and the third when Radius is not 0, leave a point in
  // their slot: the pick point of the same number.
  TEnSeSanSenobj(const RDrawElement* Element1, const RDrawElement* Element2, const RDrawElement* Element3, double X1,
                 double Y1, double X2, double Y2, double X3, double Y3, double Radius);

  // The preview: the circle touching slots 1 and 2 on the side of P3. Does
  // nothing while slot 3 holds an element. True when a circle was found;
  // otherwise Result keeps its value.
  bool SolveWithRadius();
  // The final circle touching all three slots.
  bool SolveThree();

  std::array<RDrawElement, 3> Slots;
  std::array<RPoint2D, 3> Points;
  double R = 0.0;
  RToolCircle Result;

 private:
  bool Solve(double tolerance, int iterationLimit);
  bool SlotIsPoint(int slot) const;
};
