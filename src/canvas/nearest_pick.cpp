#include "canvas/nearest_pick.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"

THitSen::THitSen(double x, double y, double tolerance) : PickX(x), PickY(y), PickTolerance(tolerance) {}

void THitSen::AddCandidate(const RDrawElement& element, std::int32_t listIndex) {
  Candidates.push_back(element);
  CandidateIndices.push_back(listIndex);
}

double THitSen::DistanceTo(const RDrawElement& e) const {
  if (e.Kind == kKindArc) {
    const double cx = e.X1;
    const double cy = e.Y1;
    const double r = e.Radius;
    const double a = DirectionAngleDeg(cx, cy, PickX, PickY);
    double qx = cx;
    double qy = cy;
    if (std::abs(e.Ratio - 1.0) <= 0.01) {
      PolarPoint(qx, qy, a, r, cx, cy);
    } else {
      EllipsePointAtAngle(qx, qy, a, e.Rotation, r, r * e.Ratio, cx, cy);
    }
    return PointDistance(PickX, PickY, qx, qy);
  }
  // Every two-point element is measured to its segment, so an element under
  // the click (distance 0) is never beaten by a farther one, whatever the
  // order of the offers.
  const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0.0) return PointDistance(PickX, PickY, x1, y1);
  const double t = ((PickX - x1) * dx + (PickY - y1) * dy) / length2;
  if (t <= 0.0) return PointDistance(PickX, PickY, x1, y1);
  if (t >= 1.0) return PointDistance(PickX, PickY, x2, y2);
  double fx = x1, fy = y1;
  PerpendicularFoot(fx, fy, x1, y1, x2, y2, PickX, PickY);
  return PointDistance(PickX, PickY, fx, fy);
}

void THitSen::PickNearest() {
  if (Candidates.empty()) {
    Found = false;
    return;
  }
  std::size_t best = 0;
  double bestDistance = 0.0;
  for (std::size_t i = 0; i < Candidates.size(); ++i) {
    // A point element wins at once, the first one offered if there are several.
    if (Candidates[i].Kind == kKindPoint) {
      best = i;
      break;
    }
    const double d = DistanceTo(Candidates[i]);
    if (i == 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  PickedElement = Candidates[best];
  PickedIndex = CandidateIndices[best];
  Found = true;
}
