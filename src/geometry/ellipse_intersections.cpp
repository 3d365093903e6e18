#include "geometry/ellipse_intersections.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/arcs_ellipses.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"

namespace {

constexpr double kRadPerDegEllipseIntersections = std::numbers::pi / 180.0;
// The mouse is polled once per this many steps of a search.
constexpr int kPollEvery = 20;

// Distance from the origin to the segment p-q.
double OriginToSegment(double px, double py, double qx, double qy) {
  const double dx = qx - px;
  const double dy = qy - py;
  const double len2 = dx * dx + dy * dy;
  double t = len2 == 0.0 ? 0.0 : -(px * dx + py * dy) / len2;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px + t * dx, py + t * dy);
}

CrossingSearchStop crossingSearchStop = nullptr;

}  // namespace

void InstallCrossingSearchStop(CrossingSearchStop stop) { crossingSearchStop = stop; }

bool TDaenKoten::AbortRequested() const { return crossingSearchStop != nullptr && crossingSearchStop(); }

void TDaenKoten::FindSegmentCrossing(double x1, double y1, double x2, double y2, double r, double cx, double cy,
                                     double /*unused1*/, double /*unused2*/, double rotationDeg, double ratio,
                                     double nearX, double nearY, double halfWindowDeg) {
  Found = false;
  X = kNoSecondPoint;
  Y = kNoSecondPoint;
  const int n = halfWindowDeg > 5.0 ? 60 : 40;
  const double step = 2.0 * halfWindowDeg / n;
  const double start = NormalizeAngle360(DirectionAngleDeg(cx, cy, nearX, nearY) - halfWindowDeg);
  RPoint2D previous{cx, cy};
  int counter = 0;
  for (int i = 0; i <= n; ++i) {
    if (++counter % kPollEvery == 0 && AbortRequested()) {
      Found = false;
      return;
    }
    RPoint2D p{cx, cy};
    EllipsePointAtAngle(p.x, p.y, start + i * step, rotationDeg, r, r * ratio, cx, cy);
    if (i >= 1 && IntersectSegments(X, Y, x1, y1, x2, y2, previous.x, previous.y, p.x, p.y)) {
      Found = true;
      return;
    }
    previous = p;
  }
}

void TDaenKoten::FindEllipseCrossing(double r1, double cx1, double cy1, double /*unused1*/, double /*unused2*/,
                                     double rot1, double ratio1, double r2, double cx2, double cy2, double /*unused3*/,
                                     double /*unused4*/, double rot2, double ratio2, double nearX, double nearY) {
  constexpr int kChords = 70;
  Found = false;
  std::array<RPoint2D, kChords + 1> first;
  std::array<RPoint2D, kChords + 1> second;
  const double start1 = NormalizeAngle360(DirectionAngleDeg(cx1, cy1, nearX, nearY) - 9.0);
  const double start2 = NormalizeAngle360(DirectionAngleDeg(cx2, cy2, nearX, nearY) - 9.0);
  int counter = 0;
  for (int i = 0; i <= kChords; ++i) {
    if (++counter % kPollEvery == 0 && AbortRequested()) return;
    const double step = i * 18.0 / kChords;
    first[i] = {cx1, cy1};
    second[i] = {cx2, cy2};
    EllipsePointAtAngle(first[i].x, first[i].y, start1 + step, rot1, r1, r1 * ratio1, cx1, cy1);
    EllipsePointAtAngle(second[i].x, second[i].y, start2 + step, rot2, r2, r2 * ratio2, cx2, cy2);
  }
  counter = 0;
  for (int j = 1; j <= kChords; ++j) {
    for (int k = 1; k <= kChords; ++k) {
      if (++counter % kPollEvery == 0 && AbortRequested()) return;
      if (IntersectSegments(X, Y, first[j - 1].x, first[j - 1].y, first[j].x, first[j].y, second[k - 1].x,
                            second[k - 1].y, second[k].x, second[k].y)) {
        Found = true;
        return;
      }
    }
  }
}

RPointPair IntersectLineEllipse(double x1, double y1, double x2, double y2, double r, double cx, double cy,
                                double /*startDeg*/, double /*endDeg*/, double rotationDeg, double ratio, double nearX,
                                double nearY, double /*unused*/, RPointPair unchanged) {
  if (std::abs(ratio - 1.0) <= 0.001) return IntersectLineCircle(x1, y1, x2, y2, cx, cy, r, unchanged);
  TDaenKoten search;
  search.FindSegmentCrossing(x1, y1, x2, y2, r, cx, cy, 0.0, 0.0, rotationDeg, ratio, nearX, nearY, 8.0);
  if (!search.Found) return unchanged;
  return {search.X, search.Y, kNoSecondPoint, kNoSecondPoint};
}

RPointPair IntersectEllipseEllipse(double r1, double cx1, double cy1, double /*unused1*/, double /*unused2*/,
                                   double rot1, double ratio1, double r2, double cx2, double cy2, double /*unused3*/,
                                   double /*unused4*/, double rot2, double ratio2, double nearX, double nearY,
                                   RPointPair unchanged) {
  if (std::abs(ratio1 - 1.0) <= 0.001 && std::abs(ratio2 - 1.0) <= 0.001)
    return IntersectCircles(cx1, cy1, r1, cx2, cy2, r2);
  TDaenKoten search;
  search.FindEllipseCrossing(r1, cx1, cy1, 0.0, 0.0, rot1, ratio1, r2, cx2, cy2, 0.0, 0.0, rot2, ratio2, nearX, nearY);
  if (!search.Found) return unchanged;
  return {search.X, search.Y, kNoSecondPoint, kNoSecondPoint};
}

bool IntersectArcSegment(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg,
                         double ratio, double x1, double y1, double x2, double y2, double& x, double& y) {
  if (!LineWithinRadius(cx, cy, r, x1, y1, x2, y2)) return false;
  const RPointPair c = IntersectLineCircle(x1, y1, x2, y2, cx, cy, r);
  constexpr int kChords = 46;
  std::array<RPoint2D, kChords + 1> arc;
  ArcToPolyline(arc, kChords, cx, cy, r, ratio, startDeg, endDeg, rotationDeg);

  int count = 0;
  RPoint2D h1;
  RPoint2D h2;
  bool firstCircleA = false;   // from the first hit
  bool secondCircleA = false;  // from the second hit
  bool nearIsH1 = true;
  for (int i = 1; i <= kChords; ++i) {
    const RPoint2D& p = arc[i - 1];
    const RPoint2D& q = arc[i];
    if (!SegmentsCrossSlack5(x1, y1, x2, y2, p.x, p.y, q.x, q.y)) continue;
    RPoint2D h;
    if (!IntersectLines(h.x, h.y, x1, y1, x2, y2, p.x, p.y, q.x, q.y)) continue;
    ++count;
    if (count == 1) {
      h1 = h;
      firstCircleA = PointDistance(c.xa, c.ya, h1.x, h1.y) < PointDistance(c.xb, c.yb, h1.x, h1.y);
    } else if (count == 2) {
      h2 = h;
      secondCircleA = PointDistance(c.xa, c.ya, x1, y1) < PointDistance(c.xb, c.yb, x1, y1);
      nearIsH1 = PointDistance(h1.x, h1.y, x1, y1) < PointDistance(h2.x, h2.y, x1, y1);
    }
  }
  if (count != 1 && count != 2) return false;
  const bool circleA = count == 1 ? firstCircleA : secondCircleA;
  const RPoint2D nearPoint = count == 1 || nearIsH1 ? h1 : h2;
  if (ratio >= 0.99 && ratio <= 1.01) {
    x = circleA ? c.xa : c.xb;
    y = circleA ? c.ya : c.yb;
    return true;
  }
  // Where the refining search finds nothing, the polygon's hit stands.
  const RPointPair refined =
      IntersectLineEllipse(x1, y1, x2, y2, r, cx, cy, startDeg, endDeg, rotationDeg, ratio, nearPoint.x, nearPoint.y,
                           0.0, {nearPoint.x, nearPoint.y, kNoSecondPoint, kNoSecondPoint});
  x = refined.xa;
  y = refined.ya;
  return true;
}

bool EllipseTouchesRect(double cx, double cy, double r, double ratio, double rotationDeg, double /*unused1*/,
                        double /*unused2*/, double rx1, double ry1, double rx2, double ry2, double /*unused3*/,
                        double /*unused4*/) {
  if (PointInRect(cx + r, cy, rx1, ry1, rx2, ry2) || PointInRect(cx, cy - r, rx1, ry1, rx2, ry2) ||
      PointInRect(cx, cy + r, rx1, ry1, rx2, ry2) || PointInRect(cx - r, cy, rx1, ry1, rx2, ry2))
    return true;
  const double minX = std::min(rx1, rx2), maxX = std::max(rx1, rx2);
  const double minY = std::min(ry1, ry2), maxY = std::max(ry1, ry2);
  if (minX == maxX || minY == maxY) return false;

  // The curve's extents first: a rectangle beside them is never touched.
  const double a = std::abs(r);
  const double b = std::abs(r * ratio);
  const double c = std::cos(rotationDeg * kRadPerDegEllipseIntersections);
  const double s = std::sin(rotationDeg * kRadPerDegEllipseIntersections);
  const double ex = std::hypot(a * c, b * s);
  const double ey = std::hypot(a * s, b * c);
  const double slack =
      1e-9 *
      (1.0 + std::max({std::abs(cx), std::abs(cy), a, std::abs(minX), std::abs(maxX), std::abs(minY), std::abs(maxY)}));
  if (cx + ex < minX - slack || cx - ex > maxX + slack || cy + ey < minY - slack || cy - ey > maxY + slack)
    return false;
  if (b == 0.0) {
    // A flat ellipse is the segment along its own x axis.
    return SegmentTouchesRect(cx - a * c, cy - a * s, cx + a * c, cy + a * s, minX, minY, maxX, maxY);
  }

  // In the frame where the ellipse is the unit circle, the curve meets the
  // rectangle when a corner lies on or outside it and some point of the
  // rectangle on or inside it.
  const double corners[4][2] = {{minX, minY}, {maxX, minY}, {maxX, maxY}, {minX, maxY}};
  double ux[4];
  double uy[4];
  bool cornerOutside = false;
  for (int i = 0; i < 4; ++i) {
    const double dx = corners[i][0] - cx;
    const double dy = corners[i][1] - cy;
    ux[i] = (dx * c + dy * s) / a;
    uy[i] = (-dx * s + dy * c) / b;
    cornerOutside = cornerOutside || std::hypot(ux[i], uy[i]) >= 1.0 - 1e-9;
  }
  if (!cornerOutside) return false;
  if (PointInRect(cx, cy, minX, minY, maxX, maxY)) return true;
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    if (OriginToSegment(ux[i], uy[i], ux[j], uy[j]) <= 1.0 + 1e-9) return true;
  }
  return false;
}

bool ArcEndInRect(std::uint8_t& which, double startDeg, double endDeg, double rotationDeg, double r, double cx,
                  double cy, double ratio, double testDeg, double rx1, double ry1, double rx2, double ry2) {
  RPoint2D p1;
  RPoint2D p2;
  EllipsePointAtParam(p1.x, p1.y, startDeg, rotationDeg, r, r * ratio, cx, cy);
  EllipsePointAtParam(p2.x, p2.y, endDeg, rotationDeg, r, r * ratio, cx, cy);
  if (PointInRect(p1.x, p1.y, rx1, ry1, rx2, ry2)) {
    which = 1;
    return true;
  }
  if (PointInRect(p2.x, p2.y, rx1, ry1, rx2, ry2)) {
    which = 2;
    return true;
  }
  which = 0;
  double v = 0.0;
  double u = 0.0;
  if (ratio != 1.0) {
    v = DirectionAngleDeg(cx, cy, p1.x, p1.y);
    u = DirectionAngleDeg(cx, cy, p2.x, p2.y);
  } else {
    v = NormalizeAngle360(rotationDeg + startDeg);
    u = NormalizeAngle360(rotationDeg + endDeg);
  }
  if (u >= v) return v <= testDeg && testDeg <= u;
  return (v <= testDeg && testDeg <= 360.0) || (0.0 <= testDeg && testDeg <= u);
}
