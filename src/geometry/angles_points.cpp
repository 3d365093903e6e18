#include "geometry/angles_points.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kDegPerRad = 180.0 / std::numbers::pi;
}

double NormalizeAngle360(double angle) {
  if (angle >= 360.0) return angle - 360.0;
  if (angle < 0.0) return angle + 360.0;
  return angle;
}

double PointDistance(double x1, double y1, double x2, double y2) {
  return std::hypot(std::abs(x2 - x1), std::abs(y2 - y1));
}

double DirectionAngleDeg(double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  if (dy == 0.0) return dx >= 0.0 ? 0.0 : 180.0;
  if (dx == 0.0) return dy > 0.0 ? 90.0 : 270.0;
  // Divide by the larger component so the result stays accurate near both axes.
  const double t = std::abs(dx) >= std::abs(dy)
                       ? std::atan(std::abs(dy / dx)) * kDegPerRad
                       : 90.0 - std::atan(std::abs(dx / dy)) * kDegPerRad;
  if (dx > 0.0) return dy > 0.0 ? t : 360.0 - t;
  return dy > 0.0 ? 180.0 - t : 180.0 + t;
}
