// Building the cross-hair and the grid lines for the view.

#include "canvas/ring_grid_objects.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"
#include "tools/settings/default_settings.h"

namespace {

// More lines than this on one side would never be readable; a request for
// more (a tiny pitch with a negative density limit, a base point far away)
// builds no grid instead of exhausting memory.
constexpr double kMaxGridLinesPerRun = 100000.0;

RDrawElement LineRecord(double x1, double y1, double x2, double y2, std::uint8_t lineClass = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  e.Selection = lineClass;
  return e;
}

// Ticks counted outward from the centre, every CrossLongTickEvery-th one long.
void AddTicks(std::vector<RDrawElement>& lines, double xc, double yc, double sx, double sy, double hMinor,
              double hMajor, long nL, long nR, long nD, long nU) {
  struct Run {
    long count;
    double dirX, dirY;  // step direction
    bool vertical;      // ticks on the horizontal line stand vertical
  };
  const Run runs[] = {{nL, -1, 0, true}, {nR, 1, 0, true}, {nD, 0, -1, false}, {nU, 0, 1, false}};
  for (const Run& run : runs) {
    int counter = 0;
    for (long i = 1; i <= run.count; ++i) {
      ++counter;
      double h = hMinor;
      if (counter == CrossHairDefaults.CrossLongTickEvery) {
        h = hMajor;
        counter = 0;
      }
      if (run.vertical) {
        const double tx = xc + run.dirX * static_cast<double>(i) * sx;
        lines.push_back(LineRecord(tx, yc - h, tx, yc + h));
      } else {
        const double ty = yc + run.dirY * static_cast<double>(i) * sy;
        lines.push_back(LineRecord(xc - h, ty, xc + h, ty));
      }
    }
  }
}

// A count of ticks that fits in a long; an unbounded one gives none.
long TickCount(double distance, double spacing) {
  const double n = std::trunc(distance / spacing);
  if (!std::isfinite(n) || n < 0 || n > kMaxGridLinesPerRun) return 0;
  return static_cast<long>(n);
}

}  // namespace

void TRingobj::BuildCrossHair(double x, double y, double axisAngle, double zoom, double groupScale) {
  const double L = ViewWindow.Left, B = ViewWindow.Bottom, R = ViewWindow.Right, T = ViewWindow.Top;
  const RCrossHairDefaults& settings = CrossHairDefaults;
  const double sx = settings.CrossTickSpacingX / groupScale;
  const double sy = settings.CrossTickSpacingY / groupScale;
  const double hMinor = settings.CrossShortTick / zoom * 0.5;
  const double hMajor = settings.CrossLongTick / zoom * 0.5;
  const double xc = x - 0.14 / zoom;
  const double yc = y + 0.14 / zoom;
  Lines.clear();
  const bool ticks = settings.CrossTicksOn != 0 && sx * zoom >= 1.6;

  if (std::abs(axisAngle) < 0.0001) {
    Lines.push_back(LineRecord(L, yc, R, yc));
    Lines.push_back(LineRecord(xc, B, xc, T));
    if (ticks) {
      AddTicks(Lines, xc, yc, sx, sy, hMinor, hMajor, TickCount(std::abs(L - xc), sx), TickCount(std::abs(R - xc), sx),
               TickCount(std::abs(B - yc), sy), TickCount(std::abs(T - yc), sy));
    }
    return;
  }

  const double a = AngleMod90(axisAngle);
  double h[4] = {L - 5000, yc, R + 5000, yc};
  double v[4] = {xc, B - 5000, xc, T + 5000};
  for (double* line : {h, v}) {
    RotateAboutCentre(line[0], line[1], a, xc, yc);
    RotateAboutCentre(line[2], line[3], a, xc, yc);
    // Outputs stay as turned when the line misses the view's side lines.
    ExtendLineAcrossRectEps1e4(line[0], line[1], line[2], line[3], L, B, R, T, line[0], line[1], line[2], line[3]);
  }
  Lines.push_back(LineRecord(h[0], h[1], h[2], h[3]));
  Lines.push_back(LineRecord(v[0], v[1], v[2], v[3]));
  if (!ticks) return;
  AddTicks(Lines, xc, yc, sx, sy, hMinor, hMajor, TickCount(PointDistance(xc, yc, h[0], h[1]), sx),
           TickCount(PointDistance(xc, yc, h[2], h[3]), sx), TickCount(PointDistance(xc, yc, v[0], v[1]), sy),
           TickCount(PointDistance(xc, yc, v[2], v[3]), sy));
  for (std::size_t i = 2; i < Lines.size(); ++i) {
    RDrawElement& e = Lines[i];
    double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
    RotateAboutCentre(x1, y1, a, xc, yc);
    RotateAboutCentre(x2, y2, a, xc, yc);
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
  }
}

namespace {

// The subdivision step, or false when the grid shows no lines: no
// subdivision, a pitch that is not positive, or lines denser than the limit.
bool GridSteps(std::uint8_t n, bool pitchOnPaper, std::int32_t limit, double zoom, double g, double px, double py,
               double& dx, double& dy) {
  if (n == 0 || n > 4) return false;
  dx = px / n;
  dy = py / n;
  if (!pitchOnPaper) {
    dx /= g;
    dy /= g;
  }
  if (limit >= dx * 5 * zoom) return false;
  // A pitch of zero or less, or an overflowing one, would never end.
  return std::isfinite(dx) && std::isfinite(dy) && dx > 0 && dy > 0;
}

std::uint8_t LineClass(long long index, std::uint8_t n) { return index % n == 0 ? 0 : 1; }

}  // namespace

void TGridobj::BuildGrid(std::uint8_t n, bool pitchOnPaper, double angle, std::int32_t densityLimit, double left,
                         double bottom, double right, double top, double zoom, double groupScale, double pitchX,
                         double pitchY, double originX, double originY) {
  if (std::abs(angle) <= 0.001) {
    BuildAxisGrid(n, pitchOnPaper, angle, densityLimit, left, bottom, right, top, zoom, groupScale, pitchX, pitchY,
                  originX, originY);
    return;
  }
  Lines.clear();
  double dx = 0, dy = 0;
  if (!GridSteps(n, pitchOnPaper, densityLimit, zoom, groupScale, pitchX, pitchY, dx, dy)) return;
  const double L = left, B = bottom, R = right, T = top, ox = originX, oy = originY;
  const double cxv = std::abs(L + R) / 2, cyv = std::abs(B + T) / 2;
  const double r = PointDistance(ox, oy, cxv, cyv) + std::abs(L + R) / 2;
  const double reachA = std::trunc(r / dx), reachB = std::trunc(r / dy);
  if (!(reachA <= kMaxGridLinesPerRun && reachB <= kMaxGridLinesPerRun)) return;
  const long kA = static_cast<long>(reachA) + 10, kB = static_cast<long>(reachB) + 10;

  auto keep = [&](double x1, double y1, double x2, double y2, long index) {
    double xa, ya, xb, yb;
    if (!ExtendLineAcrossRect(x1, y1, x2, y2, L, B, R, T, xa, ya, xb, yb)) return;
    if (!SegmentTouchesRect(xa, ya, xb, yb, L, B, R, T)) return;
    Lines.push_back(LineRecord(xa, ya, xb, yb, LineClass(index, n)));
  };
  auto polar = [&](double direction, double length, double& x, double& y) {
    PolarPoint(x, y, direction, length, ox, oy);
  };
  const double root2 = std::sqrt(2.0);

  // Family A: lines across the direction angle, stepping dx along it.
  {
    double x2 = ox + 1000, y2 = oy;
    RotateAboutCentre(x2, y2, angle + 90, ox, oy);
    keep(ox, oy, x2, y2, 0);
  }
  for (int side = 0; side < 2; ++side) {
    const double base = side == 0 ? angle : angle + 180;
    for (long i = 1; i <= kA; ++i) {
      double xa, ya, xb, yb;
      polar(base, static_cast<double>(i) * dx, xa, ya);
      polar(base + 45, static_cast<double>(i) * dx * root2, xb, yb);
      keep(xa, ya, xb, yb, i);
    }
  }
  // Family B: lines along the direction angle, stepping dy across it.
  {
    double x2 = ox + 300, y2 = oy;
    RotateAboutCentre(x2, y2, angle, ox, oy);
    keep(ox, oy, x2, y2, 0);
  }
  for (int side = 0; side < 2; ++side) {
    const double base = side == 0 ? angle + 90 : angle - 90;
    const double diagonal = side == 0 ? angle + 135 : angle - 45;
    for (long j = 1; j <= kB; ++j) {
      double xa, ya, xb, yb;
      polar(NormalizeAngleUpTo360(base), static_cast<double>(j) * dy, xa, ya);
      polar(NormalizeAngleUpTo360(diagonal), static_cast<double>(j) * dy * root2, xb, yb);
      keep(xa, ya, xb, yb, j);
    }
  }
}

void TGridobj::BuildAxisGrid(std::uint8_t n, bool pitchOnPaper, double, std::int32_t densityLimit, double left,
                             double bottom, double right, double top, double zoom, double groupScale, double pitchX,
                             double pitchY, double originX, double originY) {
  Lines.clear();
  double dx = 0, dy = 0;
  if (!GridSteps(n, pitchOnPaper, densityLimit, zoom, groupScale, pitchX, pitchY, dx, dy)) return;
  const double L = left, B = bottom, R = right, T = top;
  // Rounding halves to even, as the default rounding mode does.
  const double countX = std::nearbyint(std::abs(L - R) / dx) + 1;
  const double countY = std::nearbyint(std::abs(B - T) / dy) + 1;
  const double firstX = std::trunc((L - originX) / dx);
  const double firstY = std::trunc((B - originY) / dy);
  const bool bounded = countX <= kMaxGridLinesPerRun && countY <= kMaxGridLinesPerRun && std::abs(firstX) < 1e15 &&
                       std::abs(firstY) < 1e15;
  if (!bounded) return;
  const long nX = static_cast<long>(countX), nY = static_cast<long>(countY);
  const long long kx = static_cast<long long>(firstX), ky = static_cast<long long>(firstY);
  const double x0 = static_cast<double>(kx) * dx + originX;
  const double y0 = static_cast<double>(ky) * dy + originY;
  for (long i = 0; i <= nX; ++i) {
    const double x = x0 + static_cast<double>(i) * dx;
    Lines.push_back(LineRecord(x, B, x, T, LineClass(kx + i, n)));
  }
  for (long j = 0; j <= nY; ++j) {
    const double y = y0 + static_cast<double>(j) * dy;
    Lines.push_back(LineRecord(L, y, R, y, LineClass(ky + j, n)));
  }
}
