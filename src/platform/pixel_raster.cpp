#include "platform/pixel_raster.h"

#include <algorithm>
#include <cmath>

namespace {

__extension__ typedef __int128 Int128;

int64_t ClampToBox(double x, int lo, int hi) {
  if (!(x > lo)) return lo;  // also catches NaN
  if (x > hi) return hi;
  return static_cast<int64_t>(x);
}

struct Crossing {
  double X;
  int Direction;
};

// Runs [x0, x1) in continuous x of the row whose pixel centres lie at
// y + 0.5; a pixel x is inside when its centre x + 0.5 falls in a run.
std::vector<std::pair<double, double>> RowRuns(const std::vector<std::vector<RasterPointD>>& figures,
                                               RasterFillRule rule, double yc) {
  std::vector<Crossing> crossings;
  for (const auto& figure : figures) {
    const size_t n = figure.size();
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      const RasterPointD& a = figure[i];
      const RasterPointD& b = figure[(i + 1) % n];
      if (a.Y == b.Y) continue;
      const double lo = std::min(a.Y, b.Y);
      const double hi = std::max(a.Y, b.Y);
      if (yc < lo || yc >= hi) continue;
      const double x = a.X + (yc - a.Y) * (b.X - a.X) / (b.Y - a.Y);
      crossings.push_back({x, b.Y > a.Y ? 1 : -1});
    }
  }
  std::sort(crossings.begin(), crossings.end(), [](const Crossing& p, const Crossing& q) { return p.X < q.X; });
  std::vector<std::pair<double, double>> runs;
  if (rule == RasterFillRule::Alternate) {
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      runs.emplace_back(crossings[i].X, crossings[i + 1].X);
    }
  } else {
    int winding = 0;
    double start = 0.0;
    for (const Crossing& c : crossings) {
      const int before = winding;
      winding += c.Direction;
      if (before == 0 && winding != 0) start = c.X;
      if (before != 0 && winding == 0) runs.emplace_back(start, c.X);
    }
  }
  return runs;
}

// Half-width of an ellipse with semi-axes a (across) and b (down) at the
// vertical offset t from its centre; negative when the row misses it.
double HalfWidth(double a, double b, double t) {
  t = std::fabs(t);
  if (t > b) return -1.0;
  if (b <= 0.0) return a;
  const double q = t / b;
  return a * std::sqrt(std::max(0.0, 1.0 - q * q));
}

struct EllipseFrame {
  double Cx, Cy, A, B, E;
  int64_t MirrorSum;  // x + mirrored x
  int64_t Top, Bottom;
  bool Valid;
};

EllipseFrame FrameOf(const RasterEllipse& ellipse) {
  EllipseFrame f{};
  const int64_t l = std::min(ellipse.Left, ellipse.Right);
  const int64_t r = std::max(ellipse.Left, ellipse.Right);
  const int64_t t = std::min(ellipse.Top, ellipse.Bottom);
  const int64_t b = std::max(ellipse.Top, ellipse.Bottom);
  f.Valid = r > l && b > t;
  f.Cx = (static_cast<double>(l) + static_cast<double>(r) - 1.0) / 2.0;
  f.Cy = (static_cast<double>(t) + static_cast<double>(b) - 1.0) / 2.0;
  f.A = (static_cast<double>(r) - 1.0 - static_cast<double>(l)) / 2.0;
  f.B = (static_cast<double>(b) - 1.0 - static_cast<double>(t)) / 2.0;
  f.E = (std::max(1, ellipse.PenWidth) - 1) / 2.0;
  f.MirrorSum = l + r - 1;
  f.Top = t;
  f.Bottom = b;
  return f;
}

// Ring runs of one row: left run, right run (inclusive pixel ranges) and the
// inside run between them; returns false when the row misses the ring.
struct RingRow {
  int64_t LeftStart, LeftEnd, RightStart, RightEnd;
  bool HasInside;
};

bool RingRowOf(const EllipseFrame& f, int64_t y, RingRow& row) {
  const double d = static_cast<double>(y) - f.Cy;
  const double lo = d - 0.5;
  const double hi = d + 0.5;
  const double outerA = f.A + f.E;
  const double outerB = f.B + f.E;
  if (hi < -outerB || lo > outerB) return false;
  double closest = (lo <= 0.0 && hi >= 0.0) ? 0.0 : std::min(std::fabs(lo), std::fabs(hi));
  closest = std::min(closest, outerB);
  const double wOut = HalfWidth(outerA, outerB, closest);
  if (wOut < 0.0) return false;
  const int64_t leftStart = static_cast<int64_t>(std::ceil(f.Cx - wOut - 1e-9));
  const double innerA = f.A - f.E;
  const double innerB = f.B - f.E;
  const double farthest = std::max(std::fabs(lo), std::fabs(hi));
  row.LeftStart = leftStart;
  row.RightEnd = f.MirrorSum - leftStart;
  row.HasInside = false;
  if (innerA > 0.0 && innerB > 0.0 && farthest < innerB) {
    const double wIn = HalfWidth(innerA, innerB, farthest);
    int64_t leftEnd = static_cast<int64_t>(std::floor(f.Cx - wIn + 1e-9));
    leftEnd = std::max(leftEnd, leftStart);
    if (leftEnd < f.MirrorSum - leftEnd) {
      row.LeftEnd = leftEnd;
      row.RightStart = f.MirrorSum - leftEnd;
      row.HasInside = true;
      return true;
    }
  }
  // The ring covers the whole row.
  row.LeftEnd = row.RightEnd;
  row.RightStart = row.RightEnd + 1;
  return true;
}

void EmitClamped(const RasterSpanSink& sink, int64_t y, int64_t x0, int64_t x1, const RasterBox& box) {
  x0 = std::max<int64_t>(x0, box.Left);
  x1 = std::min<int64_t>(x1, box.Right);
  if (x0 < x1) sink(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
}

double Wrap360(double a) {
  a = std::fmod(a, 360.0);
  if (a < 0.0) a += 360.0;
  return a;
}

}  // namespace

void RasterThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const RasterBox& box,
                    const RasterPixelSink& pixel) {
  RasterThinLineWith(x0, y0, x1, y1, box, pixel);
}

void RasterPolygons(const std::vector<std::vector<RasterPointD>>& figures, RasterFillRule rule, const RasterBox& box,
                    const RasterSpanSink& span) {
  double minY = 0.0;
  double maxY = 0.0;
  bool any = false;
  for (const auto& figure : figures) {
    for (const RasterPointD& p : figure) {
      if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return;
      if (!any) {
        minY = maxY = p.Y;
        any = true;
      }
      minY = std::min(minY, p.Y);
      maxY = std::max(maxY, p.Y);
    }
  }
  if (!any) return;
  const int64_t yFirst = std::max<int64_t>(box.Top, ClampToBox(std::ceil(minY - 0.5), box.Top, box.Bottom));
  const int64_t yEnd = std::min<int64_t>(box.Bottom, ClampToBox(std::ceil(maxY - 0.5), box.Top, box.Bottom));
  for (int64_t y = yFirst; y < yEnd; ++y) {
    for (const auto& run : RowRuns(figures, rule, static_cast<double>(y) + 0.5)) {
      const int64_t x0 = ClampToBox(std::ceil(run.first - 0.5), box.Left, box.Right);
      const int64_t x1 = ClampToBox(std::ceil(run.second - 0.5), box.Left, box.Right);
      if (x0 < x1) span(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
    }
  }
}

std::vector<std::pair<int64_t, int64_t>> RasterPolygonRow(const std::vector<std::vector<RasterPointD>>& figures,
                                                          RasterFillRule rule, int64_t y) {
  std::vector<std::pair<int64_t, int64_t>> result;
  for (const auto& run : RowRuns(figures, rule, static_cast<double>(y) + 0.5)) {
    const double a = std::ceil(run.first - 0.5);
    const double b = std::ceil(run.second - 0.5);
    if (!(a < b) || std::fabs(a) > 9e18 || std::fabs(b) > 9e18) continue;
    result.emplace_back(static_cast<int64_t>(a), static_cast<int64_t>(b));
  }
  return result;
}

void RasterEllipseRing(const RasterEllipse& ellipse, const RasterBox& box, const RasterSpanSink& outline,
                       const RasterSpanSink& inside) {
  const EllipseFrame f = FrameOf(ellipse);
  if (!f.Valid) return;
  const int64_t reach = static_cast<int64_t>(std::ceil(f.E)) + 1;
  const int64_t yFirst = std::max<int64_t>(box.Top, f.Top - reach);
  const int64_t yEnd = std::min<int64_t>(box.Bottom, f.Bottom + reach);
  for (int64_t y = yFirst; y < yEnd; ++y) {
    RingRow row{};
    if (!RingRowOf(f, y, row)) continue;
    if (!row.HasInside) {
      EmitClamped(outline, y, row.LeftStart, row.RightEnd + 1, box);
      continue;
    }
    EmitClamped(outline, y, row.LeftStart, row.LeftEnd + 1, box);
    if (inside) EmitClamped(inside, y, row.LeftEnd + 1, row.RightStart, box);
    EmitClamped(outline, y, row.RightStart, row.RightEnd + 1, box);
  }
}

double RasterDirectionFromCentre(const RasterEllipse& ellipse, double x, double y) {
  const EllipseFrame f = FrameOf(ellipse);
  const double deg = std::atan2(-(y - f.Cy), x - f.Cx) * 180.0 / M_PI;
  return Wrap360(deg);
}

void RasterEllipseArc(const RasterEllipse& ellipse, double startDeg, double endDeg, bool whole, const RasterBox& box,
                      const RasterPixelSink& pixel) {
  const EllipseFrame f = FrameOf(ellipse);
  const double start = Wrap360(startDeg);
  const double sweep = Wrap360(endDeg - startDeg);
  const bool all = whole || sweep == 0.0;
  RasterEllipseRing(
      ellipse, box,
      [&](int y, int x0, int x1) {
        for (int x = x0; x < x1; ++x) {
          if (!all) {
            const double a = std::atan2(-(y - f.Cy), x - f.Cx) * 180.0 / M_PI;
            if (Wrap360(a - start) > sweep) continue;
          }
          pixel(x, y);
        }
      },
      RasterSpanSink());
}

bool RasterClipFractions(double x0, double y0, double x1, double y1, double left, double top, double right,
                         double bottom, double& t0, double& t1) {
  t0 = 0.0;
  t1 = 1.0;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  return true;
}

bool RasterClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top, double right,
                       double bottom) {
  double t0 = 0.0, t1 = 1.0;
  if (!RasterClipFractions(x0, y0, x1, y1, left, top, right, bottom, t0, t1)) return false;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double ax = x0 + t0 * dx;
  const double ay = y0 + t0 * dy;
  x1 = x0 + t1 * dx;
  y1 = y0 + t1 * dy;
  x0 = ax;
  y0 = ay;
  return true;
}
