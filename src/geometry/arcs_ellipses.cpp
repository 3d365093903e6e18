#include "geometry/arcs_ellipses.h"

#include <cmath>
#include <numbers>

#include "geometry/intersections.h"

namespace {

constexpr double kDegPerRadArcsEllipses = 180.0 / std::numbers::pi;
constexpr double kRadPerDegArcsEllipses = std::numbers::pi / 180.0;

bool Coincide(const RPoint2D& p, const RPoint2D& q) {
  return std::abs(p.x - q.x) <= 0.01 && std::abs(p.y - q.y) <= 0.01;
}

// The local direction split into its quarter q (kept as a double so no
// out-of-range value is ever converted) and the angle delta within it.
struct Quarter {
  double q;
  double delta;
};

Quarter SplitQuarter(double lambda) {
  const double q = std::trunc(lambda / 90.0);
  return {q, lambda - 90.0 * q};
}

bool IsOdd(double q) { return std::fmod(q, 2.0) != 0.0; }

// Whether angle a lies on the anticlockwise span from s to e (e <= s: the
// span crosses 0).
bool InSpan(double a, double s, double e) {
  if (e > s) return a >= s && a <= e;
  return (a >= s && a <= 360.0) || (a >= 0.0 && a <= e);
}

// An ellipse arc: the radial distance of P against the curve point in P's
// direction, and P's parametric angle against the arc's span, wrapping at 0.
bool PointOnEllipticalArc(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg,
                          double ratio, double px, double py, double tol) {
  const double a = std::abs(r);
  const double b = std::abs(r * ratio);
  if (a == 0.0 || b == 0.0) return false;
  const double dP = PointDistance(cx, cy, px, py);
  const double lambda = (DirectionAngleDeg(cx, cy, px, py) - rotationDeg) * kRadPerDegArcsEllipses;
  const double c = std::cos(lambda);
  const double s = std::sin(lambda);
  // Distance from the centre to the curve in the local direction lambda.
  const double dQ = a * b / std::hypot(b * c, a * s);
  if (std::abs(dP - dQ) > tol) return false;
  const double start = NormalizeAngle360(startDeg);
  const double end = NormalizeAngleKeep360(endDeg);
  if (std::abs(start - NormalizeAngle360(endDeg)) <= 0.001) return true;
  double t = std::atan2(s * a, c * b) * kDegPerRadArcsEllipses;
  if (t < 0.0) t += 360.0;
  return InSpan(t, start, end);
}

}  // namespace

bool Circumcircle(const RPoint2D& p1, const RPoint2D& p2, const RPoint2D& p3, double& cx, double& cy, double& r) {
  if (Coincide(p1, p3) || Coincide(p2, p3) || Coincide(p1, p2)) return false;
  const double m1x = (p1.x + p2.x) / 2.0, m1y = (p1.y + p2.y) / 2.0;
  const double u1x = p1.y - p2.y, u1y = p2.x - p1.x;
  const double m2x = (p2.x + p3.x) / 2.0, m2y = (p2.y + p3.y) / 2.0;
  const double u2x = p2.y - p3.y, u2y = p3.x - p2.x;
  const double den = u1y * u2x - u1x * u2y;
  if (den == 0.0) return false;
  const double t = ((m2y - m1y) * u2x - (m2x - m1x) * u2y) / den;
  cx = m1x + t * u1x;
  cy = m1y + t * u1y;
  r = PointDistance(cx, cy, p3.x, p3.y);
  return true;
}

bool ThreePointArc(double x1, double y1, double xm, double ym, double x3, double y3, double& cx, double& cy, double& r,
                   double& startDeg, double& endDeg) {
  // A failed circle leaves the caller's centre, from which the angles are taken.
  Circumcircle({x1, y1}, {x3, y3}, {xm, ym}, cx, cy, r);
  startDeg = DirectionAngleDeg(cx, cy, x1, y1);
  endDeg = DirectionAngleDeg(cx, cy, x3, y3);
  OrderArcAngles(startDeg, endDeg, DirectionAngleDeg(cx, cy, xm, ym));
  return std::abs(startDeg - endDeg) >= 0.0001;
}

bool CircleByTwoPointsRadius(const RPoint2D& p1, const RPoint2D& p2, const RPoint2D& p3, double r, double& cx,
                             double& cy, double& rOut) {
  if (r == 0.0) return Circumcircle(p1, p2, p3, cx, cy, rOut);
  const RPointPair c = IntersectCircles(p1.x, p1.y, r, p2.x, p2.y, r);
  const double d = PointDistance(p1.x, p1.y, p2.x, p2.y);
  if (2.0 * r < d) {
    cx = (p1.x + p2.x) / 2.0;
    cy = (p1.y + p2.y) / 2.0;
    rOut = d + 3.0;
    return false;
  }
  const bool second = PointDistance(p3.x, p3.y, c.xa, c.ya) > PointDistance(p3.x, p3.y, c.xb, c.yb);
  cx = second ? c.xb : c.xa;
  cy = second ? c.yb : c.ya;
  rOut = r;
  return true;
}

void EllipsePointAtParam(double& x, double& y, double paramDeg, double rotationDeg, double a, double b, double cx,
                         double cy) {
  const double t = NormalizeAngle360(paramDeg) * kRadPerDegArcsEllipses;
  double lx = a * std::cos(t);
  double ly = b * std::sin(t);
  if (rotationDeg != 0.0) RotateVector(lx, ly, rotationDeg);
  x = cx + lx;
  y = cy + ly;
}

void EllipsePointAtAngle(double& x, double& y, double angleDeg, double rotationDeg, double a, double b, double cx,
                         double cy) {
  if (b == 0.0 || a == 0.0) return;
  const double applied = rotationDeg > 0.0 ? rotationDeg : 0.0;
  const double lambda = NormalizeAngle360(angleDeg - rotationDeg);
  if (std::abs(a - 1.0) < 0.001 && std::abs(b - 1.0) < 0.001) {
    // A near-unit circle: its parametric angle is the local direction.
    EllipsePointAtParam(x, y, lambda, applied, a, b, cx, cy);
    return;
  }
  const Quarter qd = SplitQuarter(lambda);
  const double rd = qd.delta * kRadPerDegArcsEllipses;
  double t = 0.0;
  if (!IsOdd(qd.q)) {
    t = DirectionAngleDeg(0.0, 0.0, b * std::cos(rd), a * std::sin(rd));
  } else {
    t = NormalizeAngle360(DirectionAngleDeg(0.0, 0.0, a * std::cos(rd), b * std::sin(rd)) + 90.0);
  }
  double lx = a * std::cos(t * kRadPerDegArcsEllipses);
  double ly = b * std::sin(t * kRadPerDegArcsEllipses);
  if (qd.q == 2.0 || qd.q == 3.0) {
    lx = -lx;
    ly = -ly;
  }
  x = cx + lx;
  y = cy + ly;
  if (rotationDeg > 0.0) RotateAboutCentre(x, y, rotationDeg, cx, cy);
}

void EllipseParamAngle(double& paramDeg, double angleDeg, double rotationDeg, double a, double b, double /*unused1*/,
                       double /*unused2*/, double /*unused3*/, double /*unused4*/) {
  const Quarter qd = SplitQuarter(NormalizeAngle360(angleDeg - rotationDeg));
  const double rd = qd.delta * kRadPerDegArcsEllipses;
  double p = 0.0;
  if (!IsOdd(qd.q)) {
    p = NormalizeAngle360(DirectionAngleDeg(0.0, 0.0, b * std::cos(rd), a * std::sin(rd)) + 90.0 * qd.q);
  } else {
    const double odd = NormalizeAngle360(DirectionAngleDeg(0.0, 0.0, a * std::cos(rd), b * std::sin(rd)) + 90.0);
    p = qd.q == 1.0 ? odd : NormalizeAngle360(180.0 + odd);
  }
  paramDeg = NormalizeAngle360(p + rotationDeg);
}

double EllipseDirectionFactor(double ratio, double rotationDeg, double r, double cx, double cy, double px, double py) {
  if (std::abs(ratio - 1.0) <= 0.001) return 1.0;
  const double h = (DirectionAngleDeg(cx, cy, px, py) - rotationDeg) * kRadPerDegArcsEllipses;
  const double b = r * ratio;
  const double num = std::hypot(b * std::cos(h), r * std::sin(h));
  if (num == 0.0 || b == 0.0) return 1.0;
  return num / b;
}

RPointPair ArcEndPoints(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg) {
  RPointPair p;
  PolarPoint(p.xa, p.ya, NormalizeAngle360(startDeg + rotationDeg), r, cx, cy);
  PolarPoint(p.xb, p.yb, NormalizeAngle360(endDeg + rotationDeg), r, cx, cy);
  return p;
}

RPointPair ArcEndPointsWithRatio(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg,
                                 double ratio) {
  if (ratio == 1.0) return ArcEndPoints(cx, cy, r, startDeg, endDeg, rotationDeg);
  RPointPair p;
  EllipsePointAtParam(p.xa, p.ya, startDeg, rotationDeg, r, r * ratio, cx, cy);
  EllipsePointAtParam(p.xb, p.yb, endDeg, rotationDeg, r, r * ratio, cx, cy);
  return p;
}

RPoint2D ArcMidPoint(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg, double ratio) {
  const double m = endDeg > startDeg ? NormalizeAngle360(startDeg + (endDeg - startDeg) / 2.0)
                                     : NormalizeAngle360(startDeg + (360.0 - std::abs(endDeg - startDeg)) / 2.0);
  RPoint2D p;
  if (ratio != 1.0) {
    EllipsePointAtParam(p.x, p.y, m, rotationDeg, r, r * ratio, cx, cy);
  } else {
    PolarPoint(p.x, p.y, NormalizeAngle360(rotationDeg + m), r, cx, cy);
  }
  return p;
}

bool ArcToPolyline(std::span<RPoint2D> points, int n, double cx, double cy, double r, double ratio, double startDeg,
                   double endDeg, double rotationDeg) {
  const bool closed = std::abs(endDeg - startDeg) < 0.01;
  if (n < 1 || points.size() < static_cast<std::size_t>(n) + 1) return closed;
  const double sweep = endDeg > startDeg ? endDeg - startDeg : std::abs(endDeg + 360.0 - startDeg);
  for (int i = 0; i <= n; ++i) {
    const double t = sweep != 0.0 ? startDeg + i * sweep / n : i * 360.0 / n;
    EllipsePointAtParam(points[i].x, points[i].y, t, rotationDeg, r, r * ratio, cx, cy);
  }
  return closed;
}

std::pair<double, double> AnglesFromCentre(double cx, double cy, double /*unused1*/, double /*unused2*/,
                                           double /*unused3*/, double x1, double y1, double x2, double y2) {
  return {DirectionAngleDeg(cx, cy, x1, y1), DirectionAngleDeg(cx, cy, x2, y2)};
}

void OrderArcAngles(double& startDeg, double& endDeg, double throughDeg) {
  const double lo = std::fmin(startDeg, endDeg);
  const double hi = std::fmax(startDeg, endDeg);
  if (lo <= throughDeg && throughDeg < hi) {
    startDeg = lo;
    endDeg = hi;
  } else {
    startDeg = hi;
    endDeg = lo;
  }
}

double ArcLength(double /*cx*/, double /*cy*/, double r, double startDeg, double endDeg, double /*unused*/) {
  const double span = std::abs(endDeg - startDeg);
  if (span == 0.0 || span == 360.0) return 2.0 * std::numbers::pi * r;
  const double sweep = endDeg > startDeg ? endDeg - startDeg : 360.0 - span;
  return r * 2.0 * std::numbers::pi * sweep / 360.0;
}

bool PointOnArc(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg, double ratio,
                double px, double py, double tol) {
  if (std::abs(ratio - 1.0) > 0.01)
    return PointOnEllipticalArc(cx, cy, r, startDeg, endDeg, rotationDeg, ratio, px, py, tol);
  const double dP = PointDistance(cx, cy, px, py);
  const double a = DirectionAngleDeg(cx, cy, px, py);
  RPoint2D q;
  EllipsePointAtParam(q.x, q.y, NormalizeAngle360(a - rotationDeg), rotationDeg, r, r * ratio, cx, cy);
  const double dQ = PointDistance(cx, cy, q.x, q.y);
  if (std::abs(NormalizeAngle360(startDeg) - NormalizeAngle360(endDeg)) <= 0.0001) return std::abs(dP - dQ) < tol;
  if (std::abs(dP - dQ) > tol) return false;
  return InSpan(a, NormalizeAngle360(startDeg + rotationDeg), NormalizeAngleKeep360(endDeg + rotationDeg));
}

bool PointOnArcRatioFirst(double cx, double cy, double r, double ratio, double rotationDeg, double startDeg,
                          double endDeg, double px, double py, double tol) {
  return PointOnArc(cx, cy, r, startDeg, endDeg, rotationDeg, ratio, px, py, tol);
}

void MirrorArcAngles(float& startDeg, float& endDeg, float& rotationDeg, double cx, double cy, double r, double scaleX,
                     double scaleY) {
  // Mirroring reverses the sense of the arc; exchanging its ends restores it.
  auto mirror = [&](double lx, double ly) {
    double sx = 0.0, sy = 0.0, ex = 0.0, ey = 0.0;
    PolarPointBuffered(sx, sy, startDeg, r, cx, cy);
    PolarPointBuffered(ex, ey, endDeg, r, cx, cy);
    ReflectPoint(sx, sy, sx, sy, cx, cy, lx, ly);
    ReflectPoint(ex, ey, ex, ey, cx, cy, lx, ly);
    startDeg = static_cast<float>(DirectionAngleDeg(cx, cy, ex, ey));
    endDeg = static_cast<float>(DirectionAngleDeg(cx, cy, sx, sy));
    rotationDeg = static_cast<float>(NormalizeAngle360(-rotationDeg));
  };
  if (scaleX < 0.0) mirror(cx, cy + 100.0);
  if (scaleY < 0.0) mirror(cx + 100.0, cy);
}
