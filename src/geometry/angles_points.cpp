#include "geometry/angles_points.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegPerRad = 180.0 / std::numbers::pi;
constexpr double kRadPerDeg = std::numbers::pi / 180.0;

// The point at distance dist from (x0, y0) in direction angleDeg, built by
// turning the horizontal point so that quarter turns stay exact.
RPoint2D PointAtDirection(double x0, double y0, double dist, double angleDeg) {
  return RotateAboutCentreExact(angleDeg, x0, y0, x0 + dist, y0);
}

RPoint2D SnapToStepImpl(double x0, double y0, double curX, double curY, double baseDeg, double stepDeg, double length) {
  const double m = NormalizeAngle360(DirectionAngleDeg(x0, y0, curX, curY) - baseDeg) / stepDeg;
  double k = std::trunc(m);
  if (m - k >= 0.5) k += 1.0;
  const double s = NormalizeAngle360(baseDeg + k * stepDeg);
  if (length != 0.0) return PointAtDirection(x0, y0, length, s);
  const RPoint2D ray = PointAtDirection(x0, y0, 100.0, s);
  RPoint2D result{curX, curY};
  PerpendicularFoot(result.x, result.y, x0, y0, ray.x, ray.y, curX, curY);
  return result;
}

}  // namespace

double NormalizeAngle360(double angle) {
  if (angle >= 360.0) return angle - 360.0;
  if (angle < 0.0) return angle + 360.0;
  return angle;
}

double NormalizeAngleKeep360(double angle) {
  if (angle > 360.0) return angle - 360.0;
  if (angle < 0.0) return angle + 360.0;
  return angle;
}

double NormalizeAngleUpTo360(double angle) {
  if (angle >= 360.0) return angle - 360.0;
  if (angle > 0.0) return angle;
  return angle + 360.0;
}

double AngleMod90(double angle) {
  if (angle >= 270.0) return angle - 270.0;
  if (angle >= 180.0) return angle - 180.0;
  if (angle >= 90.0) return angle - 90.0;
  return angle;
}

double PointDistance(double x1, double y1, double x2, double y2) {
  return std::hypot(std::abs(x2 - x1), std::abs(y2 - y1));
}

bool PerpendicularFoot(double& fx, double& fy, double x1, double y1, double x2, double y2, double px, double py) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double len2 = dx * dx + dy * dy;
  if (len2 == 0.0) return false;
  const double t = ((px - x1) * dx + (py - y1) * dy) / len2;
  fx = x1 + t * dx;
  fy = y1 + t * dy;
  return true;
}

double DirectionAngleDeg(double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  if (dy == 0.0) return dx >= 0.0 ? 0.0 : 180.0;
  if (dx == 0.0) return dy > 0.0 ? 90.0 : 270.0;
  // Divide by the larger component so the result stays accurate near both axes.
  const double t = std::abs(dx) >= std::abs(dy) ? std::atan(std::abs(dy / dx)) * kDegPerRad
                                                : 90.0 - std::atan(std::abs(dx / dy)) * kDegPerRad;
  if (dx > 0.0) return dy > 0.0 ? t : 360.0 - t;
  return dy > 0.0 ? 180.0 - t : 180.0 + t;
}

void GetDirectionAngleDeg(double& angle, double x1, double y1, double x2, double y2) {
  angle = DirectionAngleDeg(x1, y1, x2, y2);
}

double LineAngleDeg(double x1, double y1, double x2, double y2) {
  // Measure from the left point so a line and its reverse agree.
  const double dx = x1 > x2 ? x1 - x2 : x2 - x1;
  const double dy = x1 > x2 ? y1 - y2 : y2 - y1;
  if (dy == 0.0) return 0.0;
  if (dx == 0.0) return 90.0;
  const double a = DirectionAngleDeg(0.0, 0.0, dx, dy);
  return a >= 180.0 ? a - 180.0 : a;
}

double AngleAtVertexDeg(double vx, double vy, double x1, double y1, double x2, double y2) {
  const double a = std::abs(DirectionAngleDeg(vx, vy, x1, y1) - DirectionAngleDeg(vx, vy, x2, y2));
  return a >= 180.0 ? 360.0 - a : a;
}

double DirectionAwayFromPointDeg(double x1, double y1, double x2, double y2, double px, double py) {
  if (PointDistance(x1, y1, px, py) > PointDistance(x2, y2, px, py)) return DirectionAngleDeg(x2, y2, x1, y1);
  return DirectionAngleDeg(x1, y1, x2, y2);
}

bool AngleWithin7Deg(double refDeg, double testDeg, bool& ccwSide) {
  const double d = testDeg - refDeg;
  if (d >= 0.0 && d < 7.0) {
    ccwSide = true;
    return true;
  }
  if (d >= -7.0 && d < 0.0) {
    ccwSide = false;
    return true;
  }
  if (refDeg >= 0.0 && refDeg < 7.0 && d >= 353.0 && d < 360.0) {
    ccwSide = false;
    return true;
  }
  if (refDeg >= 353.0 && refDeg < 360.0 && d >= -360.0 && d < -353.0) {
    ccwSide = true;
    return true;
  }
  return false;
}

std::uint8_t DirectionSector8(bool narrowVertical, double x1, double y1, double x2, double y2) {
  const double a = DirectionAngleDeg(x1, y1, x2, y2);
  const double upLow = narrowVertical ? 82.5 : 67.5;
  const double upHigh = narrowVertical ? 102.5 : 112.5;
  if (a >= 22.5 && a < upLow) return 1;
  if (a >= upLow && a < upHigh) return 2;
  if (a >= upHigh && a < 157.5) return 3;
  if (a >= 157.5 && a < 202.5) return 4;
  if (a >= 202.5 && a < 247.5) return 5;
  if (a >= 247.5 && a < 292.5) return 6;
  if (a >= 292.5 && a < 337.5) return 7;
  return 0;
}

std::uint8_t DirectionQuadrant(double x1, double y1, double x2, double y2) {
  const double a = DirectionAngleDeg(x1, y1, x2, y2);
  if (a >= 90.0 && a < 180.0) return 1;
  if (a >= 180.0 && a < 270.0) return 2;
  if (a >= 270.0 && a < 360.0) return 3;
  return 0;
}

void RotateVector(double& x, double& y, double angleDeg) {
  const double c = std::cos(angleDeg * kRadPerDeg);
  const double s = std::sin(angleDeg * kRadPerDeg);
  const double nx = x * c - y * s;
  const double ny = x * s + y * c;
  x = nx;
  y = ny;
}

void RotateAboutCentre(double& x, double& y, double angleDeg, double cx, double cy) {
  double dx = x - cx;
  double dy = y - cy;
  RotateVector(dx, dy, angleDeg);
  x = cx + dx;
  y = cy + dy;
}

RPoint2D RotateAboutCentreExact(double angleDeg, double cx, double cy, double x, double y) {
  const double dx = x - cx;
  const double dy = y - cy;
  auto near = [angleDeg](double v) { return std::abs(angleDeg - v) <= 0.0001; };
  if (near(0.0) || near(360.0)) return {x, y};
  if (near(90.0)) return {cx - dy, cy + dx};
  if (near(180.0)) return {cx - dx, cy - dy};
  if (near(270.0)) return {cx + dy, cy - dx};
  const double c = std::cos(angleDeg * kRadPerDeg);
  const double s = std::sin(angleDeg * kRadPerDeg);
  return {cx + dx * c - dy * s, cy + dx * s + dy * c};
}

void PolarPoint(double& x, double& y, double angleDeg, double length, double x0, double y0) {
  const double a = NormalizeAngle360(angleDeg);
  if (std::abs(a) <= 0.00001) {
    x = x0 + length;
    y = y0;
    return;
  }
  x = x0 + length * std::cos(a * kRadPerDeg);
  y = y0 + length * std::sin(a * kRadPerDeg);
}

void PolarPointBuffered(double& x, double& y, double angleDeg, double length, double x0, double y0) {
  double tx = 0.0;
  double ty = 0.0;
  PolarPoint(tx, ty, angleDeg, length, x0, y0);
  x = tx;
  y = ty;
}

void LocalOffsetPoint(double& x, double& y, double angleDeg, double along, double across, double x0, double y0) {
  const double c = std::cos(angleDeg * kRadPerDeg);
  const double s = std::sin(angleDeg * kRadPerDeg);
  x = x0 + along * c - across * s;
  y = y0 + along * s + across * c;
}

void ReflectPoint(double& rx, double& ry, double px, double py, double x1, double y1, double x2, double y2) {
  double fx = px;
  double fy = py;
  PerpendicularFoot(fx, fy, x1, y1, x2, y2, px, py);
  const RPoint2D r = RotateAboutCentreExact(180.0, fx, fy, px, py);
  rx = r.x;
  ry = r.y;
}

RPoint2D ProjectOnTurnedAxisAt(std::uint8_t axis, double angleDeg, double ox, double oy, double x, double y) {
  double ax = axis == 1 ? ox + 10.0 : ox;
  double ay = axis == 1 ? oy : oy + 10.0;
  RotateAboutCentre(ax, ay, NormalizeAngle360(angleDeg), ox, oy);
  RPoint2D foot{x, y};
  PerpendicularFoot(foot.x, foot.y, ox, oy, ax, ay, x, y);
  return foot;
}

RPoint2D ProjectOnTurnedAxis(std::uint8_t axis, double angleDeg, double x, double y) {
  return ProjectOnTurnedAxisAt(axis, angleDeg, 0.0, 0.0, x, y);
}

void RotatedRectExtents(double x1, double y1, double x2, double y2, double angleDeg, double& minX, double& minY,
                        double& maxX, double& maxY) {
  const double a = NormalizeAngle360(-angleDeg);
  const RPoint2D corners[4] = {{x1, y1},
                               RotateAboutCentreExact(a, x1, y1, x2, y1),
                               RotateAboutCentreExact(a, x1, y1, x2, y2),
                               RotateAboutCentreExact(a, x1, y1, x1, y2)};
  minX = maxX = corners[0].x;
  minY = maxY = corners[0].y;
  for (const RPoint2D& p : corners) {
    minX = std::fmin(minX, p.x);
    maxX = std::fmax(maxX, p.x);
    minY = std::fmin(minY, p.y);
    maxY = std::fmax(maxY, p.y);
  }
}

void LengthenSegmentBothEnds(double& x1, double& y1, double& x2, double& y2, double d) {
  const double ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
  const double len = PointDistance(ox1, oy1, ox2, oy2);
  PolarPoint(x2, y2, DirectionAngleDeg(ox1, oy1, ox2, oy2), len + d, ox1, oy1);
  PolarPoint(x1, y1, DirectionAngleDeg(ox2, oy2, ox1, oy1), len + d, ox2, oy2);
}

void LengthenSegmentEnd(double& x1, double& y1, double& x2, double& y2, double d, std::uint8_t whichEnd) {
  const double ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
  const double len = PointDistance(ox1, oy1, ox2, oy2);
  if (whichEnd == 1) {
    PolarPoint(x2, y2, DirectionAngleDeg(ox1, oy1, ox2, oy2), len + d, ox1, oy1);
  } else if (whichEnd == 0) {
    PolarPoint(x1, y1, DirectionAngleDeg(ox2, oy2, ox1, oy1), len + d, ox2, oy2);
  }
}

RPoint2D SnapToAngleStep(double x0, double y0, double curX, double curY, double baseDeg, double stepDeg,
                         double length) {
  if (stepDeg == 0.0) return {curX, curY};
  return SnapToStepImpl(x0, y0, curX, curY, baseDeg, stepDeg, length);
}

RPoint2D SnapToAngleStepKeepLength(double x0, double y0, double curX, double curY, double baseDeg, double stepDeg,
                                   double length) {
  if (stepDeg == 0.0) stepDeg = 0.00001;
  return SnapToStepImpl(x0, y0, curX, curY, baseDeg, stepDeg, length);
}

RPoint2D SnapCursorDirection(std::uint8_t mode, double x0, double y0, double curX, double curY, double baseDeg,
                             RPoint2D unchanged) {
  if (std::abs(x0 - curX) <= 0.0001 && std::abs(y0 - curY) <= 0.0001) return {x0, y0};
  double f = DirectionAngleDeg(x0, y0, curX, curY);
  const double dist = PointDistance(x0, y0, curX, curY);
  if (mode == 0) return {curX, curY};
  if (mode == 1) {
    if (f <= 7.0) return {curX, y0};
    if (f > 352.0) return {x0 + dist, y0};
    // Bins of 15 degrees end at 7 + 15 j; the horizontal and vertical bins keep
    // one cursor coordinate, the others keep the cursor's distance.
    int j = 1;
    while (j < 23 && f > 7.0 + 15.0 * j) ++j;
    if (j == 6 || j == 18) return {x0, curY};
    if (j == 12) return {curX, y0};
    return PointAtDirection(x0, y0, dist, 15.0 * j);
  }
  if (mode == 2) {
    const double b = baseDeg;
    // Directions are compared with the base unwrapped; a direction one turn
    // away is brought into [b, b + 360) first so every cursor gets a result.
    if (f < b) f += 360.0;
    if (f >= b + 360.0) f -= 360.0;
    if (f >= b && f <= b + 45.0) return RotateAboutCentreExact(b, x0, y0, curX, y0);
    if (f > b + 45.0 && f <= b + 135.0) return RotateAboutCentreExact(b, x0, y0, x0, curY);
    if (f > b + 135.0 && f <= b + 225.0) return RotateAboutCentreExact(b, x0, y0, curX, y0);
    if (f > b + 225.0 && f <= b + 315.0) return RotateAboutCentreExact(NormalizeAngle360(b), x0, y0, x0, curY);
    if (f > b + 315.0 && f < b + 360.0) return RotateAboutCentreExact(NormalizeAngle360(b), x0, y0, x0 + dist, y0);
  }
  return unchanged;
}
