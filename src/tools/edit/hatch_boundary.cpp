// The hatch boundary collector.

#include "tools/edit/hatch_boundary.h"

#include <cmath>

#include "geometry/arcs_ellipses.h"

namespace {

// Two points count as one when both coordinates differ by less than this.
constexpr double kSamePoint = 1e-4;
// Steps along each part of a picked arc.
constexpr int kArcSteps = 50;

bool SamePoint(const ROutlinePoint& v, double x, double y) {
  return std::abs(v.X - x) < kSamePoint && std::abs(v.Y - y) < kSamePoint;
}

// Direction from the centre in (0, 360].
double DirectionFromCentre(const RDrawElement& arc, double x, double y) {
  return NormalizeAngleUpTo360(DirectionAngleDeg(arc.X1, arc.Y1, x, y));
}

}  // namespace

THachiTenobj::THachiTenobj() : PickedArc(ZeroElement()) {}

void THachiTenobj::SetBasePoint(double X, double Y) { BasePoint = {X, Y}; }

void THachiTenobj::AddPoint(double X, double Y) {
  // A point that is no number can neither be a vertex nor end an arc.
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  if (ArcPending) {
    const double q = DirectionFromCentre(PickedArc, X, Y);
    if (ArcForward) {
      PickedArc.EndAngle = static_cast<float>(q);
    } else {
      PickedArc.StartAngle = static_cast<float>(q);
    }
    AppendSweep(PickedArc.StartAngle, PickedArc.EndAngle);
    ArcPending = false;
    return;
  }
  const std::int32_t c = VertexCount;
  ROutlinePoint point;
  point.X = X;
  point.Y = Y;
  point.PenDown = 1;
  point.ArcFlag = 0;
  Vertices.push_back(point);
  ROutlinePoint& added = Vertices.back();
  // Each step reads the loop starts as the steps before it left them; unset
  // starts are 0, so a point repeating vertex 0 always closes its loop.
  if (c > 0 && SamePoint(Vertices[0], X, Y)) {
    added.PenDown = 0;
    LoopStarts[0] = c + 1;
  }
  for (int k = 2; k <= 7; ++k) {
    const std::int32_t s = LoopStarts[static_cast<std::size_t>(k - 2)];
    if (s < c && SamePoint(Vertices[static_cast<std::size_t>(s)], X, Y)) {
      added.PenDown = 0;
      LoopStarts[static_cast<std::size_t>(k - 1)] = c + 1;
    }
  }
  VertexCount = c + 1;
}

void THachiTenobj::AddArc(const RDrawElement& Element, double X, double Y) {
  if (Element.Kind != kKindArc || VertexCount == 0 || Vertices.empty()) return;
  // Such a curve has no points to travel along.
  if (!(std::abs(Element.Radius) > 0.0) || !(std::abs(Element.Ratio) > 0.0) || !std::isfinite(Element.Radius) ||
      !std::isfinite(Element.Ratio) || !std::isfinite(Element.X1) || !std::isfinite(Element.Y1) ||
      !std::isfinite(Element.Rotation) || !std::isfinite(X) || !std::isfinite(Y))
    return;
  PickedArc = Element;
  ArcPending = true;
  const ROutlinePoint& last = Vertices.back();
  const double a = DirectionFromCentre(PickedArc, last.X, last.Y);
  const double p = DirectionFromCentre(PickedArc, X, Y);
  // Anticlockwise when that way to the click is shorter than half a turn;
  // half a turn exactly goes clockwise.
  ArcForward = (a < p && p - a < 180.0) || (a > p && a - p > 180.0);
  if (ArcForward) {
    PickedArc.StartAngle = static_cast<float>(p);
    AppendSweep(a, p);
  } else {
    PickedArc.EndAngle = static_cast<float>(p);
    AppendSweep(p, a);
  }
}

void THachiTenobj::AppendSweep(double StartDeg, double EndDeg) {
  const double sweep = EndDeg > StartDeg ? EndDeg - StartDeg : EndDeg + 360.0 - StartDeg;
  const double a = PickedArc.Radius;
  const double b = PickedArc.Radius * static_cast<double>(PickedArc.Ratio);
  std::array<ROutlinePoint, kArcSteps + 1> points{};
  for (int i = 0; i <= kArcSteps; ++i) {
    ROutlinePoint& point = points[static_cast<std::size_t>(i)];
    EllipsePointAtAngle(point.X, point.Y, StartDeg + i * sweep / kArcSteps, PickedArc.Rotation, a, b, PickedArc.X1,
                        PickedArc.Y1);
    point.PenDown = 1;
    point.ArcFlag = 1;
  }
  const ROutlinePoint& last = Vertices.back();
  const bool fromLast = PointDistance(last.X, last.Y, points.front().X, points.front().Y) >=
                        PointDistance(last.X, last.Y, points.back().X, points.back().Y);
  if (fromLast) {
    Vertices.insert(Vertices.end(), points.rbegin(), points.rend());
  } else {
    Vertices.insert(Vertices.end(), points.begin(), points.end());
  }
  VertexCount = static_cast<std::int32_t>(Vertices.size());
}
