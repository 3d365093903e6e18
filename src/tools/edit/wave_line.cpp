// Wave lines.

#include "tools/edit/wave_line.h"

#include <cmath>
#include <numbers>

#include "geometry/angles_points.h"
#include "tools/edit/curve_elements.h"
#include "tools/settings/default_settings.h"

namespace {

// No wave line of a drawing comes near this many pieces; one that would
// (a segment drawn far out of a zoomed-out view) is not built, rather than
// filling the memory.
constexpr double kMostWavePieces = 100000;

// Turns points of the segment's own frame (x along P1 -> P2) into drawing
// points.
struct SegmentFrame {
  double x0 = 0.0, y0 = 0.0, angleDeg = 0.0;

  RPoint2D Place(double x, double y) const {
    double px = x0 + x, py = y0 + y;
    RotateAboutCentre(px, py, angleDeg, x0, y0);
    return {px, py};
  }
  RDrawElement Line(double xa, double ya, double xb, double yb) const {
    const RPoint2D a = Place(xa, ya), b = Place(xb, yb);
    return CurveLineElement(a.x, a.y, b.x, b.y);
  }
};

void BuildSine(std::vector<RDrawElement>& elements, const SegmentFrame& frame, double length, std::int32_t count,
               double height, double wavelength) {
  // A wavelength of 0 or below would never carry the position past the end.
  if (std::abs(height) < 1e-5 || wavelength < 1e-5 || count < 1) return;
  const double step = wavelength / count;
  if (!(length / step + count + 1 <= kMostWavePieces)) return;
  elements.clear();
  const double end = length + 1e-5;
  double s = 0.0, y = 0.0;
  while (s <= length) {
    for (std::int32_t c = 0; c < count; ++c) {
      double u = s + step;
      if (u > length) u = end;
      const double next = height / 2.0 * std::sin(2.0 * std::numbers::pi * u / wavelength);
      elements.push_back(frame.Line(s, y, u, next));
      s = u;
      y = next;
    }
    // Far from the origin a step can fall below the spacing of doubles.
    if (s <= length && s + step == s) break;
  }
}

void BuildCoil(std::vector<RDrawElement>& elements, const SegmentFrame& frame, double length, std::uint8_t style,
               double groupScale) {
  if (std::abs(ToolDefaults.CoilHeight) < 1e-5) return;
  const double h = ToolDefaults.CoilHeight / groupScale;
  const double v = ToolDefaults.CoilLoopWidth / groupScale;
  const double w = ToolDefaults.CoilAdvance / groupScale;
  // Sizes that do not carry the pattern forward would never reach the end.
  if (!std::isfinite(h) || !std::isfinite(v) || !std::isfinite(w) || !(v + w > 0.0)) return;
  // Two turns advance by v + w and make at most four pieces.
  if (!(4.0 * (length / (v + w) + 1.0) <= kMostWavePieces)) return;
  const double a = (v - w) / 2.0;
  const double e = style == 1 ? h / 2.0 - v / 2.0 : h / 2.0;
  elements.clear();
  double t = 0.0, b = 0.0;
  auto piece = [&](double right, double y, bool upper) {
    if (style == 1) {
      const RPoint2D c = frame.Place(right - v / 2.0, y);
      elements.push_back(CurveArcElement(c.x, c.y, v / 2.0, upper ? 0.0 : 180.0, upper ? 180.0 : 0.0, frame.angleDeg));
    } else {
      elements.push_back(frame.Line(right, y, right - v, y));
    }
  };
  for (std::int64_t k = 0; t <= length - v; ++k) {
    const double tBefore = t, bBefore = b;
    if (k % 2 == 0) {
      t += v;
      b += w + (k == 0 ? a : 0.0);
      if (v > 0.0) piece(t, e, true);
    } else {
      b += v;
      t += w;
      if (v > 0.0) piece(b, -e, false);
    }
    elements.push_back(frame.Line(t, e, b, -e));
    if (t == tBefore && b == bBefore) break;  // no progress left in doubles
  }
}

}  // namespace

void TSinLineobj::BuildWave(std::int32_t Count, double X1, double Y1, double X2, double Y2, double Height,
                            double Wavelength, double GroupScale) {
  const std::uint8_t style = ToolDefaults.WaveStyle;
  if (style > 2) return;
  for (double value : {X1, Y1, X2, Y2, Height, Wavelength, GroupScale})
    if (!std::isfinite(value)) return;
  const SegmentFrame frame{X1, Y1, DirectionAngleDeg(X1, Y1, X2, Y2)};
  const double length = PointDistance(X1, Y1, X2, Y2);
  if (!std::isfinite(length)) return;
  if (style == 0)
    BuildSine(Elements, frame, length, Count, Height, Wavelength);
  else
    BuildCoil(Elements, frame, length, style, GroupScale);
}
