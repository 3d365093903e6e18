#include "tools/edit/circle_points.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"

TEn4obj::TEn4obj(const RDrawElement& element) : Element(element) {
  const double sweep = std::abs(static_cast<double>(element.EndAngle) - element.StartAngle);
  PartialArc = (sweep < 1e-5 || sweep == 360.0) ? 0 : 1;
}

void TEn4obj::SnapPoint(bool arcMid, double x, double y) {
  const double cx = Element.X1, cy = Element.Y1, r = Element.Radius;
  if (arcMid && PartialArc != 0) {
    const RPoint2D m = ArcMidPoint(cx, cy, r, Element.StartAngle, Element.EndAngle, Element.Rotation, Element.Ratio);
    X = m.x;
    Y = m.y;
    return;
  }
  // The eighth of the turn the direction falls in; the quarter points are
  // formed exactly, the diagonal ones by turning the east point.
  const double f = DirectionAngleDeg(cx, cy, x, y);
  const int eighth = static_cast<int>(std::floor((f + 22.5) / 45.0)) % 8;
  switch (eighth) {
    case 0:
      X = cx + r;
      Y = cy;
      return;
    case 2:
      X = cx;
      Y = cy + r;
      return;
    case 4:
      X = cx - r;
      Y = cy;
      return;
    case 6:
      X = cx;
      Y = cy - r;
      return;
    default: {
      const RPoint2D p = RotateAboutCentreExact(45.0 * eighth, cx, cy, cx + r, cy);
      X = p.x;
      Y = p.y;
    }
  }
}
