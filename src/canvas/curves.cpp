// Circles, arcs and ellipses drawn as chords computed on the fly: the chord
// count follows the curve's size on the screen, curves far larger than the
// window are cut down to the part near the view, dashed types walk the
// chords pixel by pixel, and the odd line types of very large curves are
// sampled point by point.

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/cad_box.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/offsets_rects.h"

namespace {

// Chord points are held within this many pixels of the window.
constexpr int kChordClamp = 10000;
// A sampled curve never takes more samples than this, however large its
// measure: a curve of absurd size draws sparsely instead of hanging.
constexpr double kMaxSamples = 400000.0;

// Anticlockwise sweep from a to b; equal angles give `equal`.
double Sweep(double a, double b, double equal) {
  if (a < b) return b - a;
  if (a > b) return b + 360.0 - a;
  return equal;
}

// Normalising subtracts or adds 360 once.
double Norm(double a) {
  if (a >= 360.0) return a - 360.0;
  if (a < 0.0) return a + 360.0;
  return a;
}

int ChordCount(double S) {
  if (S >= 0.6 && S < 2) return 4;
  if (S >= 2 && S < 6) return 7;
  if (S >= 6 && S < 50) return 14;
  if (S >= 50 && S < 100) return 22;
  if (S >= 100 && S < 300) return 30;
  if (S >= 300 && S < 500) return 38;
  if (S >= 500 && S < 700) return 50;
  if (S >= 700 && S < 900) return 70;
  return 100;
}

bool DirectRange(double S) { return S >= 6 && S < 700; }

bool Dashed(std::uint8_t lineType) { return lineType >= 2 && lineType <= 9; }

// Solid types of the chord drawing: 1, 10 and 20, and the types no pattern
// is defined for, which draw solid like straight lines of those types.
bool SolidOnCurve(std::uint8_t lineType) { return !Dashed(lineType); }

}  // namespace

void TcadBox::DrawArc(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q, double s,
                      double e, double rho) {
  const RViewRect& v = ViewWindow;
  if (!EllipseTouchesRect(cx, cy, r, q, rho, 0, 0, v.Left, v.Bottom, v.Right, v.Top, 0, 0)) return;
  const double S = std::abs(ArcLength(cx, cy, r, s, e, 0) * 1.2 * Zoom);
  if (S < 1200) {
    DrawArcChords(lineType, canvas, cx, cy, r, q, s, e, rho);
  } else if (lineType == 1 || lineType == 2 || lineType == 10 || lineType == 20) {
    DrawArcChords(lineType, canvas, cx, cy, r, q, s, e, rho);
  } else if (lineType >= 3 && lineType <= 9) {
    canvas.Pen.Style = psSolid;
    DrawArcChords(lineType, canvas, cx, cy, r, q, s, e, rho);
  } else {
    DrawSampledCurve(canvas, S, cx, cy, r, q, s, e, rho);
  }
}

void TcadBox::DrawArcElement(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q, double s,
                             double e, double rho) {
  const double D = std::abs(static_cast<double>(WorldToScreenX(cx - r)) - WorldToScreenX(cx + r));
  if (D < 1200 || lineType == 1 || lineType == 10) {
    DrawArcChords(lineType, canvas, cx, cy, r, q, s, e, rho);
  } else if (Dashed(lineType)) {
    canvas.Pen.Style = psSolid;
    DrawArcChords(lineType, canvas, cx, cy, r, q, s, e, rho);
  } else {
    DrawSampledCurve(canvas, D, cx, cy, r, q, s, e, rho);
  }
}

void TcadBox::DrawArcChords(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q, double s,
                            double e, double rho) {
  const double D = std::abs(static_cast<double>(WorldToScreenX(cx - r)) - WorldToScreenX(cx + r));
  const double S = std::abs(ArcLength(cx, cy, r, s, e, 0) * 1.2 * Zoom);
  if (!std::isfinite(S) || !std::isfinite(cx) || !std::isfinite(cy)) return;
  if (D < 1.2) return;
  if (S < 0.6 && Zoom < 1) return;
  int n = ChordCount(S);
  if (DirectRange(S) && DrawFullCircleDirect(lineType, canvas, cx, cy, r, q, s, e)) return;

  double sweep = Sweep(s, e, 0.0);
  const double K = S / 1000.0;
  const bool whole = sweep <= 1e-5 || (sweep >= 359.9999 && sweep <= 360.00001);
  bool reduced = false;

  if (n == 100) {
    const RViewRect& v = ViewWindow;
    const double theta = DirectionAngleDeg(cx, cy, (v.Left + v.Right) / 2, (v.Bottom + v.Top) / 2);
    auto spread = [&](double x, double y) { return std::abs(DirectionAngleDeg(cx, cy, x, y) - theta); };
    auto fold = [](double m) { return m > 180.0 ? 360.0 - m : m; };
    double M = fold(std::max(spread(v.Left, v.Bottom), spread(v.Left, v.Top)));
    const double topRight = spread(v.Right, v.Top);
    if (topRight >= M) M = fold(topRight);
    const double bottomRight = spread(v.Right, v.Bottom);
    if (bottomRight >= M) M = fold(bottomRight);
    const bool circle = q == 1.0;
    double thetaParam = theta;
    if (!circle) EllipseParamAngle(thetaParam, theta, rho, r, r * q, 0, 0, 0, 0);

    if (whole && K >= 5) {
      if (circle) {
        const double h = 1.2 * M;
        s = theta - h - rho;
        e = theta + h - rho;
      } else {
        const double h = 3 * M;
        s = Norm(thetaParam - h - rho);
        e = Norm(thetaParam + h - rho);
      }
      n = K > 50 ? 20 : 60;
      reduced = true;
    } else if (sweep > 0.001 && sweep < 359.999 && K >= 20) {
      std::uint8_t which = 0;
      if (ArcEndInRect(which, s, e, rho, r, cx, cy, q, theta, v.Left, v.Bottom, v.Right, v.Top)) {
        double a = 0, b = 0;
        if (circle) {
          const double h = 1.8 * M;
          n = K > 50 ? 40 : 60;
          a = Norm(theta - h - rho);
          b = Norm(theta + h - rho);
          if (which == 1) {
            a = s;
            b = Norm(s + h);
          } else if (which == 2) {
            a = Norm(e - h);
            b = e;
          }
        } else {
          const double h = 3 * M;
          n = 60;
          a = Norm(thetaParam - h - rho);
          b = Norm(thetaParam + h - rho);
        }
        const double s1 = Norm(s + rho), e1 = Norm(e + rho), a1 = Norm(a + rho), b1 = Norm(b + rho);
        if (circle) {
          if (e1 >= s1) {
            if (a1 >= s1 && b1 >= s1) s = a;
            if (!(Norm(s + rho) > b1) && b1 <= e1) e = b;
          } else {
            s = a;
            e = b;
          }
        } else if (e1 >= s1) {
          if (a1 > s1 && b1 > s1) s = a;
          if (a1 < e1 && b1 < e1) e = b;
        } else {
          if (a1 > s1 || b1 < s1) s = a;
          if (a1 > e1 || b1 < e1) e = b;
        }
        reduced = true;
      }
    }
    if (reduced) sweep = Sweep(s, e, 0.0);
  }

  // The chord points, held near the window so no pixel coordinate overflows.
  std::vector<TPoint> points(static_cast<std::size_t>(n) + 1);
  const bool fullTurn = !reduced && (sweep <= 1e-5 || (sweep >= 359.99999 && sweep <= 360.00001));
  int clampedX = 0;
  for (int i = 0; i <= n; ++i) {
    const double t = fullTurn ? i * 360.0 / n : s + i * sweep / n;
    double x = 0, y = 0;
    EllipsePointAtParam(x, y, t, rho, r, r * q, cx, cy);
    int px = WorldToScreenX(x), py = WorldToScreenY(y);
    if (px > kChordClamp || px < -kChordClamp) {
      ++clampedX;
      const int out = clampedX % 2 == 0 ? kChordClamp + 4 : kChordClamp;
      px = px > 0 ? out : -out;
    }
    py = std::clamp(py, -kChordClamp, kChordClamp);
    points[static_cast<std::size_t>(i)] = {px, py};
  }

  if (SolidOnCurve(lineType)) {
    if (S < 900) {
      canvas.Polyline(points);
      return;
    }
    for (int i = 0; i < n; ++i) {
      if (BothButtonsDown()) return;
      const TPoint a = points[static_cast<std::size_t>(i)], b = points[static_cast<std::size_t>(i) + 1];
      if (std::abs(a.X) >= kChordClamp || std::abs(a.Y) >= kChordClamp || std::abs(b.X) >= kChordClamp ||
          std::abs(b.Y) >= kChordClamp) {
        continue;
      }
      canvas.MoveTo(a.X, a.Y);
      canvas.LineTo(b.X, b.Y);
    }
    return;
  }

  // Dashed: the pattern runs on from chord to chord.
  const RLinePattern& row = LineTypePatterns[lineType];
  PatternState = {};
  PatternState.LineType = lineType;
  PatternState.Counter = 0;
  PatternState.Gap = static_cast<std::uint8_t>(row.Gap);
  if (lineType <= 4 || lineType == 9) {
    PatternState.Dash = static_cast<std::uint8_t>(row.Dash + 1);
  } else {
    PatternState.Dash = static_cast<std::uint8_t>(row.Dash);
    PatternState.Dot = static_cast<std::uint8_t>(row.Dot);
    if (lineType >= 7) PatternState.SecondDot = static_cast<std::uint8_t>(row.Dot);
  }
  for (int i = 0; i < n; ++i) {
    if (BothButtonsDown()) return;
    const TPoint a = points[static_cast<std::size_t>(i)], b = points[static_cast<std::size_t>(i) + 1];
    if (std::abs(a.X) == kChordClamp || std::abs(a.Y) == kChordClamp || std::abs(b.X) == kChordClamp ||
        std::abs(b.Y) == kChordClamp) {
      continue;
    }
    WalkPatternPixels(a.X, a.Y, b.X, b.Y, canvas);
  }
}

bool TcadBox::DrawFullCircleDirect(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q,
                                   double s, double e) {
  if (lineType != 1 || q != 1.0) return false;
  if (!(std::abs(s - e) < 0.001 || std::abs(s - e - 360.0) < 0.001)) return false;
  canvas.Brush.Style = bsClear;
  canvas.Ellipse(WorldToScreenX(cx - r), WorldToScreenY(cy + r), WorldToScreenX(cx + r), WorldToScreenY(cy - r));
  return true;
}

void TcadBox::DrawEllipseRect(double x1, double y1, double x2, double y2) {
  const RViewRect& v = ViewWindow;
  if (!RectTouchesRect(x1, y1, x2, y2, v.Left, v.Bottom, v.Right, v.Top)) return;
  Canvas().Ellipse(WorldToScreenX(x1), WorldToScreenY(y1), WorldToScreenX(x2), WorldToScreenY(y2));
}

// Very large curves of the types without a chord rule: one pixel per
// sample, every sample set, so they show solid like straight lines of the
// same types. A whole curve is cut down to a window around the view.
void TcadBox::DrawSampledCurve(TCanvas& canvas, double m, double cx, double cy, double r, double q, double s, double e,
                               double rho) {
  if (!std::isfinite(m) || m <= 0) return;
  double sweep = Sweep(s, e, 360.0);
  double N = std::round(2 * m * sweep / 360.0);
  if (N < 4) return;
  if (sweep == 360.0 && N >= 2500) {
    const RViewRect& v = ViewWindow;
    const double theta = DirectionAngleDeg(cx, cy, (v.Left + v.Right) / 2, (v.Bottom + v.Top) / 2);
    // A flat ellipse (ratio 0) keeps its whole turn: the window would be
    // infinitely wide.
    const double w = q > 0 ? 70000.0 / m / q : 180.0;
    if (w < 180.0) {
      s = Norm(theta - w - rho);
      e = Norm(theta + w - rho);
      sweep = Sweep(s, e, 360.0);
      N = std::trunc(3 * m * sweep / 360.0);
    }
  }
  N = std::min(N, kMaxSamples);
  if (N < 1) return;
  const int count = static_cast<int>(N);
  const TColor colour = canvas.Pen.Color;
  for (int i = 0; i <= count; ++i) {
    const double t = sweep == 360.0 ? i * 360.0 / count : s + i * sweep / count;
    double x = 0, y = 0;
    EllipsePointAtParam(x, y, t, rho, r, r * q, cx, cy);
    const int px = WorldToScreenX(x), py = WorldToScreenY(y);
    if (canvas.GetPixel(px, py) != clInvalid) canvas.SetPixel(px, py, colour);
  }
}
