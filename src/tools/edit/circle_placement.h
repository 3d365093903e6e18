#pragma once
// Placing a circle by one of nine base points, and measuring the angle
// between two rays with the arc that shows it.

#include <cstdint>

#include "records/draw_records.h"

// Turns a clicked base point into the centre of the circle to place.
class TEnKitenobj {
 public:
  // Anchor 0: the point itself is the centre. Anchors 1 to 8: the point is
  // the circle's top, upper-left, left, lower-left, bottom, lower-right,
  // right or upper-right point (of the ellipse of that ratio, turned by
  // Rotation). Other anchors keep the previous result.
  void PlacePoint(std::uint8_t Anchor, double X, double Y, double Radius, double Ratio, double Rotation);

  double X = 0.0;
  double Y = 0.0;
};

class TKakuSokuteiobj {
 public:
  // From ray 1 (vertex to (X1, Y1)) to ray 2 (vertex to (X2, Y2)), the way
  // asked, except that rays within 4 degrees of each other always measure
  // the small angle.
  void Measure(bool Anticlockwise, double VertexX, double VertexY, double X1, double Y1, double X2, double Y2);

  // The way measured: 1 anticlockwise, 0 clockwise.
  std::uint8_t Anticlockwise = 0;
  // In [0, 360) anticlockwise, in (-360, 0] clockwise.
  double Angle = 0.0;
  // About the vertex through (X1, Y1), from the start ray to the end ray.
  RDrawElement Arc = ZeroElement();
};
