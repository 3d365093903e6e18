// Styles 10 to 12 of the continuous-line tool: circles on the segments,
// ticks across them at division points, and rings of radial ticks about the
// first point.
//
// The elements of the fixed segments (rings through P[2..n]) come first and
// FixedElementCount counts them; the moving segment's (the cursor's ring)
// follow.

#include <cmath>
#include <numbers>

#include "geometry/angles_points.h"
#include "tools/lines/continuous_line.h"
#include "tools/settings/default_settings.h"

namespace {

// Below this a pitch setting is no pitch: the count applies.
constexpr double kSmallestPitch = 0.0001;

}  // namespace

void TRenzokuSenobj::BuildCircles(double PX, double PY, double, double, double) {
  const auto n = static_cast<std::size_t>(PointCount);
  if (PointDistance(PointX[n], PointY[n], PX, PY) < 0.0001) return;
  EndX = PX;
  EndY = PY;
  const std::uint16_t repeat = DraftDefaults.RepeatCount;
  const double fillet = DraftDefaults.FilletRadius;
  auto circles = [&](double sx, double sy, double tx, double ty) {
    if (repeat == 0) return;
    if (fillet < 0.0001) {
      // Concentric: the largest has the segment as its diameter.
      const double half = PointDistance(sx, sy, tx, ty) / 2.0;
      for (int j = 1; j <= repeat; ++j)
        Elements.push_back(CircleElement((sx + tx) / 2, (sy + ty) / 2, half * j / repeat));
      return;
    }
    // One circle of the fixed radius, set off from the start towards the
    // segment's 45-degree sector; copies would only cancel in the XOR preview.
    const double r = fillet / GroupScale;
    RPoint2D c{sx, sy};
    if (std::abs(tx - sx) >= r || std::abs(ty - sy) >= r) {
      const int sector = DirectionSector8(false, sx, sy, tx, ty);
      c = RotateAboutCentreExact(sector * 45.0, sx, sy, sx + r, sy);
    }
    Elements.push_back(CircleElement(c.x, c.y, r));
  };
  Elements.clear();
  for (std::size_t j = 2; j <= n; ++j) circles(PointX[j - 1], PointY[j - 1], PointX[j], PointY[j]);
  if (n >= 2) FixedElementCount = static_cast<std::int32_t>(Elements.size());
  circles(PointX[n], PointY[n], PX, PY);
}

void TRenzokuSenobj::BuildDivisionTicks(double PX, double PY, double BaseAngle, double AngleStep, double SetLength) {
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, AngleStep, SetLength);
  const double left = DraftDefaults.DoubleLineRightWidth / GroupScale;
  const double right = DraftDefaults.DoubleLineLeftWidth / GroupScale;
  const double pitch = DraftDefaults.DivisionPitch;
  const double taper = ToolDefaults.TickTaperFactor;
  auto ticks = [&](double sx, double sy, double tx, double ty) {
    const double theta = DirectionAngleDeg(sx, sy, tx, ty);
    const double length = PointDistance(sx, sy, tx, ty);
    std::int32_t count = 0;
    double step = 0.0;
    if (std::abs(pitch) <= kSmallestPitch) {
      count = CountWithin(DraftDefaults.DivisionCount, kMaxRepeatCount);
      if (count == 0) return;
      step = length / count;
    } else {
      step = pitch / GroupScale;
      count = CountWithin(length / step + 0.9999, kMaxRepeatCount);
      if (count == 0) return;
    }
    double qx = 0.0, qy = 0.0;
    PolarPoint(qx, qy, WrapAngle(theta), step, sx, sy);
    qx -= sx;
    qy -= sy;
    const double leftStep = (left - left * taper) / count;
    const double rightStep = (right - right * taper) / count;
    for (std::int32_t g = 1; g < count; ++g) {
      const double px = sx + g * qx, py = sy + g * qy;
      const double l = taper == 1.0 ? left : left - g * leftStep;
      const double r = taper == 1.0 ? right : right - g * rightStep;
      double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
      PolarPoint(x1, y1, WrapAngle(theta + 90.0), l, px, py);
      PolarPoint(x2, y2, WrapAngle(theta + 270.0), r, px, py);
      RDrawElement tick = LineElement(x1, y1, x2, y2);
      ShiftSegment(tick);
      Elements.push_back(tick);
    }
  };
  const auto n = static_cast<std::size_t>(PointCount);
  Elements.clear();
  for (std::size_t j = 2; j <= n; ++j) ticks(PointX[j - 1], PointY[j - 1], PointX[j], PointY[j]);
  if (n >= 2) FixedElementCount = static_cast<std::int32_t>(Elements.size());
  ticks(PointX[n], PointY[n], e.x, e.y);
}

void TRenzokuSenobj::BuildRingTicks(double PX, double PY, double, double, double) {
  const auto n = static_cast<std::size_t>(PointCount);
  if (PointDistance(PointX[n], PointY[n], PX, PY) < 0.000001) return;
  EndX = PX;
  EndY = PY;
  const double half = DraftDefaults.DoubleLineLeftWidth / GroupScale;
  const double pitch = DraftDefaults.DivisionPitch;
  const double ox = PointX[1], oy = PointY[1];
  auto ring = [&](double qx, double qy) {
    const double r = PointDistance(ox, oy, qx, qy);
    const double theta = DirectionAngleDeg(ox, oy, qx, qy);
    std::int32_t count = 0;
    double delta = 0.0;
    if (std::abs(pitch) <= kSmallestPitch) {
      count = DraftDefaults.DivisionCount;
      if (count == 0) return;
      // A whole number of degrees; the last gap takes the rest.
      delta = std::trunc(360.0 / count + 0.9999);
    } else {
      // The angle of an arc of one pitch; a ring of radius 0 has no ticks.
      delta = (pitch / GroupScale) / (2.0 * std::numbers::pi * r) * 360.0;
      count = CountWithin(360.0 / delta + 0.9999, kMaxRepeatCount);
    }
    for (std::int32_t j = 0; j < count; ++j) {
      const double phi = WrapAngle(theta + j * delta);
      double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
      PolarPoint(x1, y1, phi, r - half, ox, oy);
      PolarPoint(x2, y2, phi, r + half, ox, oy);
      Elements.push_back(LineElement(x1, y1, x2, y2));
    }
  };
  Elements.clear();
  for (std::size_t j = 2; j <= n; ++j) ring(PointX[j], PointY[j]);
  if (n >= 2) FixedElementCount = static_cast<std::int32_t>(Elements.size());
  ring(PX, PY);
}
