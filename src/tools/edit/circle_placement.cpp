// Circle placement by a base point and angle measuring.

#include "tools/edit/circle_placement.h"

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"

void TEnKitenobj::PlacePoint(std::uint8_t Anchor, double X_, double Y_, double Radius, double Ratio, double Rotation) {
  if (Anchor == 0) {
    X = X_;
    Y = Y_;
    return;
  }
  if (Anchor > 8) return;
  // The parametric angle, seen from the base point, at which the centre lies.
  static constexpr double kAngles[9] = {0.0, 270.0, 315.0, 0.0, 45.0, 90.0, 135.0, 180.0, 225.0};
  EllipsePointAtParam(X, Y, kAngles[Anchor], Rotation, Radius, Radius * Ratio, X_, Y_);
}

void TKakuSokuteiobj::Measure(bool AnticlockwiseAsked, double VertexX, double VertexY, double X1, double Y1, double X2,
                              double Y2) {
  const double d1 = DirectionAngleDeg(VertexX, VertexY, X1, Y1);
  const double d2 = DirectionAngleDeg(VertexX, VertexY, X2, Y2);
  bool anticlockwise = AnticlockwiseAsked;
  double c = d1 - d2;
  if (c > 4.0) {
    c -= 360.0;
  } else if (c < -4.0) {
    c += 360.0;
  }
  if (c >= 0.0 && c <= 4.0) {
    anticlockwise = false;
  } else if (c >= -4.0 && c < 0.0) {
    anticlockwise = true;
  }
  const double start = anticlockwise ? d1 : d2;
  const double end = anticlockwise ? d2 : d1;
  double angle = end - start;
  if (angle < 0.0) angle += 360.0;
  Anticlockwise = anticlockwise ? 1 : 0;
  // 0 - angle keeps a clockwise zero from printing as "-0".
  Angle = anticlockwise ? angle : 0.0 - angle;
  Arc = ZeroElement();
  Arc.Kind = kKindArc;
  Arc.LineType = 1;
  Arc.ColorNo = 1;
  Arc.Group = 1;
  Arc.Layer = 1;
  Arc.X1 = VertexX;
  Arc.Y1 = VertexY;
  Arc.Radius = PointDistance(VertexX, VertexY, X1, Y1);
  Arc.Ratio = 1.0f;
  Arc.StartAngle = static_cast<float>(start);
  Arc.EndAngle = static_cast<float>(end);
  Arc.Rotation = 0.0f;
}
