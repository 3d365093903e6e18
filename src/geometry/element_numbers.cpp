#include "geometry/element_numbers.h"

#include <cmath>
#include <initializer_list>

bool CoordinatesOutOfRange(double x1, double y1, double x2, double y2) {
  const double lower = -1.5e30;
  const double upper = 3.4e37;
  // A value that is not a finite number passes every comparison as false, so
  // it is refused explicitly.
  for (const double v : {x1, x2, y1, y2}) {
    if (!std::isfinite(v) || v <= lower || v >= upper) return true;
  }
  return false;
}

int OptionCodeDigit(std::uint16_t code, std::uint8_t k) {
  if (code <= 9999 || k < 1 || k > 5) return 0;
  int v = code;
  for (int i = 1; i < k; ++i) v /= 10;
  return v % 10;
}

void MirrorTextPoints(double& x1, double& y1, double& x2, double& y2, float& angleDeg, double cx, double cy,
                      double scaleX, double scaleY) {
  auto mirror = [&](double lx, double ly) {
    double ax = 0.0, ay = 0.0, bx = 0.0, by = 0.0;
    ReflectPoint(ax, ay, x1, y1, cx, cy, lx, ly);
    ReflectPoint(bx, by, x2, y2, cx, cy, lx, ly);
    x1 = bx;
    y1 = by;
    x2 = ax;
    y2 = ay;
    angleDeg = static_cast<float>(DirectionAngleDeg(x1, y1, x2, y2));
  };
  if (scaleX < 0.0) mirror(cx, cy + 100.0);
  if (scaleY < 0.0) mirror(cx + 100.0, cy);
}

double AspectRatioAtAngle(double angleDeg, double w, double h) {
  const bool upright = (angleDeg >= 89.99 && angleDeg <= 90.01) || (angleDeg >= 269.99 && angleDeg <= 270.01);
  const double num = upright ? w : h;
  const double den = upright ? h : w;
  if (den == 0.0) return 1.0;
  return std::abs(num / den);
}

void ShiftByJustification(std::uint8_t mode, double& axOut, double& ayOut, double ax, double ay, double bx, double by,
                          double cx, double cy, double& bxOut, double& byOut) {
  if (mode == 1) {
    axOut = ax + (bx - cx) / 2.0;
    ayOut = ay + (by - cy) / 2.0;
    bxOut = (bx + cx) / 2.0;
    byOut = (by + cy) / 2.0;
  } else if (mode == 2) {
    axOut = ax + (bx - cx);
    ayOut = ay + (by - cy);
    bxOut = bx;
    byOut = by;
  } else {
    axOut = ax;
    ayOut = ay;
    bxOut = cx;
    byOut = cy;
  }
}

double RoundDecimals(std::uint8_t mode, std::uint8_t places, double x) {
  const double c = x >= 0.0 ? x + 0.0000001 : x - 0.0000001;
  if (places <= 3) {
    static constexpr double kScale[4] = {10000.0, 1000.0, 100.0, 10.0};
    static constexpr double kRoundUp[4] = {0.000099, 0.00099, 0.0099, 0.099};
    if (mode == 0) return std::trunc(c * kScale[places]) / kScale[places];
    if (mode == 1) return std::trunc((c + kRoundUp[places]) * kScale[places]) / kScale[places];
    return x;
  }
  if (places == 4) return mode == 0 || mode == 1 ? std::trunc(c) : x;
  return 3.0;
}

RPoint2D StepOffsetPoint(bool atSecondEnd, double x1, double y1, double x2, double y2, double angleDeg, double d) {
  const RPoint2D base = atSecondEnd ? RPoint2D{x2, y2} : RPoint2D{x1, y1};
  const RPoint2D other = atSecondEnd ? RPoint2D{x1, y1} : RPoint2D{x2, y2};
  if (std::abs(d) <= 0.000001) return base;
  static constexpr int kStep[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  const std::uint8_t sector = DirectionSector8(false, base.x, base.y, other.x, other.y);
  RPoint2D result{base.x + kStep[sector][0] * d, base.y + kStep[sector][1] * d};
  if (angleDeg == 0.0 || angleDeg == 90.0 || angleDeg == 180.0 || angleDeg == 270.0) return result;
  const double h = DirectionAngleDeg(x1, y1, x2, y2);
  const double dist = h > 180.0 && h < 270.0 ? -d : d;
  if (atSecondEnd) {
    PolarPoint(result.x, result.y, NormalizeAngle360(angleDeg + 180.0), dist, x2, y2);
  } else {
    PolarPoint(result.x, result.y, NormalizeAngle360(angleDeg), dist, x1, y1);
  }
  return result;
}
