// The inscribed circle of three points and circles tangent to picked
// elements.

#include "tools/edit/tangent_circles.h"

#include <algorithm>
#include <cmath>

#include "geometry/arcs_ellipses.h"
#include "geometry/intersections.h"

namespace {

bool FiniteTangentCircles(const RPoint2D& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

RToolCircle FullCircle(double cx, double cy, double r) {
  RToolCircle c;
  c.CentreX = cx;
  c.CentreY = cy;
  c.Radius = r;
  c.Ratio = 1.0f;
  return c;
}

RPoint2D PointAtDirectionTangentCircles(double cx, double cy, double r, double angleDeg) {
  return RotateAboutCentreExact(angleDeg, cx, cy, cx + r, cy);
}

// Three points on one line, or two of them equal, have no inscribed circle;
// the area is compared with the longest side so the test does not depend on
// the drawing's size.
bool OnOneLine(const RPoint2D& a, const RPoint2D& b, const RPoint2D& c) {
  const double cross = std::abs((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
  const double ab = PointDistance(a.x, a.y, b.x, b.y);
  const double ac = PointDistance(a.x, a.y, c.x, c.y);
  const double bc = PointDistance(b.x, b.y, c.x, c.y);
  const double longest = std::max({ab, ac, bc});
  return !(cross > 1e-12 * longest * longest);
}

bool Touching(const RPointPair& p, double tolerance) {
  return std::abs(p.xa - p.xb) < tolerance && std::abs(p.ya - p.yb) < tolerance;
}

}  // namespace

TEnSeSantenobj::TEnSeSantenobj(double X1, double Y1, double X2, double Y2, double X3, double Y3)
    : V1{X1, Y1}, V2{X2, Y2}, V3{X3, Y3} {}

void TEnSeSantenobj::Compute() { ComputeIncircle(); }

void TEnSeSantenobj::ComputeIncircle() {
  if (!FiniteTangentCircles(V1) || !FiniteTangentCircles(V2) || !FiniteTangentCircles(V3) || OnOneLine(V1, V2, V3))
    return;
  // The plain mean of the two directions lies on the inner bisector's line.
  const double b1 = (DirectionAngleDeg(V1.x, V1.y, V2.x, V2.y) + DirectionAngleDeg(V1.x, V1.y, V3.x, V3.y)) / 2.0;
  const double b2 = (DirectionAngleDeg(V2.x, V2.y, V1.x, V1.y) + DirectionAngleDeg(V2.x, V2.y, V3.x, V3.y)) / 2.0;
  const RPoint2D a = PointAtDirectionTangentCircles(V1.x, V1.y, 100.0, b1);
  const RPoint2D b = PointAtDirectionTangentCircles(V2.x, V2.y, 100.0, b2);
  double cx = 0.0, cy = 0.0;
  bool collinear = false;
  if (!IntersectLinesOrCollinearEps11e3(cx, cy, collinear, V1.x, V1.y, a.x, a.y, V2.x, V2.y, b.x, b.y) || collinear)
    return;
  double fx = cx, fy = cy;
  if (!PerpendicularFoot(fx, fy, V1.x, V1.y, V3.x, V3.y, cx, cy)) return;
  Result = FullCircle(cx, cy, PointDistance(cx, cy, fx, fy));
  Valid = 1;
}

TEnSeSanSenobj::TEnSeSanSenobj(const RDrawElement* Element1, const RDrawElement* Element2, const RDrawElement* Element3,
                               double X1, double Y1, double X2, double Y2, double X3, double Y3, double Radius)
    : Points{RPoint2D{X1, Y1}, RPoint2D{X2, Y2}, RPoint2D{X3, Y3}}, R(Radius) {
  const RDrawElement* elements[3] = {Element1, Element2, Radius != 0.0 ? nullptr : Element3};
  for (int i = 0; i < 3; ++i) {
    RDrawElement& slot = Slots[static_cast<std::size_t>(i)];
    if (elements[i] != nullptr) {
      slot = *elements[i];
      slot.Selection = 0;
    } else {
      slot = ZeroElement();
      slot.Kind = kKindNone;
      slot.Selection = kEmptySlotMark;
    }
  }
}

bool TEnSeSanSenobj::SlotIsPoint(int slot) const { return Slots[static_cast<std::size_t>(slot)].Kind == kKindNone; }

bool TEnSeSanSenobj::SolveWithRadius() {
  if (!SlotIsPoint(2)) return false;
  return Solve(0.1, 60);
}

bool TEnSeSanSenobj::SolveThree() {
  int lines = 0, points = 0;
  for (int i = 0; i < 3; ++i) {
    if (Slots[static_cast<std::size_t>(i)].Kind == kKindLine) ++lines;
    if (SlotIsPoint(i)) ++points;
  }
  return Solve(1e-4, lines == 2 && points == 1 ? 60 : 120);
}

bool TEnSeSanSenobj::Solve(double tolerance, int iterationLimit) {
  if (!std::isfinite(R) || R < 0.0) return false;
  for (const RPoint2D& p : Points) {
    if (!FiniteTangentCircles(p)) return false;
  }
  // Elements in slot order, then the point slots: a point takes the third
  // place, which only chooses the side when the radius is fixed.
  int order[3];
  int n = 0;
  bool allPoints = true;
  for (int i = 0; i < 3; ++i) {
    const RDrawElement& e = Slots[static_cast<std::size_t>(i)];
    if (SlotIsPoint(i)) continue;
    allPoints = false;
    const bool finite = std::isfinite(e.X1) && std::isfinite(e.Y1) && std::isfinite(e.X2);
    if (e.Kind == kKindLine) {
      if (!finite || !std::isfinite(e.Y2) || (e.X1 == e.X2 && e.Y1 == e.Y2)) return false;
    } else if (e.Kind == kKindArc) {
      if (!finite || !(e.Radius > 0.0)) return false;
    } else {
      return false;
    }
    order[n++] = i;
  }
  for (int i = 0; i < 3; ++i) {
    if (SlotIsPoint(i)) order[n++] = i;
  }

  std::array<RPoint2D, 3> contact = Points;
  double cx = 0.0, cy = 0.0, r = 0.0;
  const auto circleThroughContacts = [&] {
    return CircleByTwoPointsRadius(contact[static_cast<std::size_t>(order[0])],
                                   contact[static_cast<std::size_t>(order[1])],
                                   contact[static_cast<std::size_t>(order[2])], R, cx, cy, r);
  };
  if (allPoints) {
    if (!circleThroughContacts()) return false;
    Result = FullCircle(cx, cy, r);
    return true;
  }
  for (int iteration = 0; iteration < iterationLimit; ++iteration) {
    // A failed construction leaves the previous circle (or the fallback)
    // for the contacts to move against.
    circleThroughContacts();
    bool allTouch = iteration > 0;
    for (int i = 0; i < 3; ++i) {
      const RDrawElement& e = Slots[static_cast<std::size_t>(i)];
      RPoint2D& c = contact[static_cast<std::size_t>(i)];
      if (SlotIsPoint(i)) continue;
      if (e.Kind == kKindLine) {
        if (iteration == 0) {
          double fx = c.x, fy = c.y;
          PerpendicularFoot(fx, fy, e.X1, e.Y1, e.X2, e.Y2, c.x, c.y);
          c = {fx, fy};
          continue;
        }
        if (!(r > 0.0)) {
          allTouch = false;
          continue;
        }
        const RPointPair p = IntersectLineCircle(e.X1, e.Y1, e.X2, e.Y2, cx, cy, r);
        c = {(p.xa + p.xb) / 2.0, (p.ya + p.yb) / 2.0};
        allTouch = allTouch && Touching(p, tolerance);
      } else {
        if (iteration == 0) {
          c = PointAtDirectionTangentCircles(e.X1, e.Y1, e.Radius, DirectionAngleDeg(e.X1, e.Y1, c.x, c.y));
          continue;
        }
        const RPointPair p = IntersectCircles(e.X1, e.Y1, e.Radius, cx, cy, r);
        c = PointAtDirectionTangentCircles(e.X1, e.Y1, e.Radius,
                                           DirectionAngleDeg(e.X1, e.Y1, (p.xa + p.xb) / 2.0, (p.ya + p.yb) / 2.0));
        allTouch = allTouch && Touching(p, tolerance);
      }
    }
    if (allTouch && std::isfinite(cx) && std::isfinite(cy) && std::isfinite(r) && r > 0.0) {
      Result = FullCircle(cx, cy, r);
      return true;
    }
  }
  return false;
}
