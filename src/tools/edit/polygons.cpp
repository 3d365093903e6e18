// Regular polygons.

#include "tools/edit/polygons.h"

#include <cmath>
#include <numbers>

#include "geometry/angles_points.h"

namespace {

// More sides than this cannot be told from a circle and would only exhaust
// memory; such a request keeps the previous lines.
constexpr std::int32_t kMaxSides = 100000;

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

}  // namespace

void TTakakukeiobj::Build(std::int32_t Sides_, std::uint8_t Kind, double CentreX_, double CentreY_, double PointX_,
                          double PointY_, double Size_, double Rotation_) {
  Sides = Sides_ < 3 ? 3 : Sides_;
  CentreX = CentreX_;
  CentreY = CentreY_;
  PointX = PointX_;
  PointY = PointY_;
  Size = Size_;
  Rotation = Rotation_;
  if (Kind > 5 || Sides > kMaxSides) return;

  const double n = Sides;
  const double a = 360.0 / n;
  const double toPoint = PointDistance(CentreX, CentreY, PointX, PointY);
  const double towardsPoint = NormalizeAngle360(DirectionAngleDeg(CentreX, CentreY, PointX, PointY));
  const double resting = NormalizeAngle360(270.0 - a / 2.0 + Rotation);
  double radius = 0.0;
  double first = resting;
  switch (Kind) {
    case 0: radius = toPoint; break;
    case 1: radius = Size; break;
    case 2: radius = Size * std::sin((180.0 - a) / 2.0 * kRadPerDeg) / std::sin(a * kRadPerDeg); break;
    case 3: radius = toPoint / std::sin((90.0 - a / 2.0) * kRadPerDeg); break;
    case 4:
      radius = toPoint;
      first = towardsPoint;
      break;
    default:
      radius = toPoint / std::cos(180.0 / n * kRadPerDeg);
      first = towardsPoint;
      break;
  }
  if (!std::isfinite(radius) || !std::isfinite(first) || !std::isfinite(CentreX) || !std::isfinite(CentreY)) return;
  Size = radius;

  std::vector<RPoint2D> vertices(static_cast<std::size_t>(Sides));
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    const double theta = NormalizeAngle360(first + static_cast<double>(k) * a);
    vertices[k] = RotateAboutCentreExact(theta, CentreX, CentreY, CentreX + radius, CentreY);
  }
  Elements.clear();
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    const RPoint2D& from = vertices[k];
    const RPoint2D& to = vertices[(k + 1) % vertices.size()];
    Elements.push_back(LineElement(from.x, from.y, to.x, to.y));
  }
}
