// Styles 19 to 21 of the continuous-line tool: tatami layouts in rooms,
// lattices in rectangles and a grid of points.
//
// Rooms and lattice rectangles take every pair of consecutive points as two
// opposite corners with sides at BaseAngle and BaseAngle + 90. While two or
// more points are fixed the rectangle towards the cursor is not drawn; the
// point grid is built only from the first point.

#include <array>
#include <cmath>
#include <span>

#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"
#include "tools/lines/continuous_line.h"
#include "tools/settings/default_settings.h"

namespace {

// Border of a mat inside its long sides, real mm.
constexpr double kMatBorder = 30.0;
// Second-family lines of a fixed lattice rectangle reach no further, real mm.
constexpr double kLatticeFixedExtent = 10000.0;
// A cursor further away (real mm) leaves the lattice preview as it is.
constexpr double kLatticeReach = 300000.0;

// A segment between two lattice points (row, column).
struct GridLine {
  int r1, c1, r2, c2;
};

struct MatPlan {
  int units;  // along the base angle (U)
  int rows;   // across it (V)
  std::span<const GridLine> joints;
  // Each moves inside the mat it borders; the comment names the side.
  std::span<const GridLine> borders;
};

// Layout 0: four mats and a half mat in the start corner.
constexpr GridLine kJoints0[] = {{1, 0, 1, 3}, {2, 0, 2, 2}, {0, 1, 1, 1}, {1, 2, 3, 2}};
constexpr GridLine kBorders0[] = {
    {0, 0, 0, 3}, {1, 3, 1, 0},  // higher row, lower row
    {1, 0, 1, 2}, {2, 0, 2, 2},  // higher row, higher row
    {2, 2, 2, 0}, {3, 2, 3, 0},  // lower row, lower row
    {1, 3, 3, 3}, {3, 2, 1, 2},  // lower column, higher column
};
// Layout 1: four mats turning about a half mat in the centre.
constexpr GridLine kJoints1[] = {{1, 0, 1, 2}, {2, 1, 2, 3}, {1, 1, 3, 1}, {0, 2, 2, 2}};
constexpr GridLine kBorders1[] = {
    {0, 0, 0, 2}, {1, 2, 1, 0},  // higher row, lower row
    {2, 1, 2, 3}, {3, 3, 3, 1},  // higher row, lower row
    {3, 0, 1, 0}, {1, 1, 3, 1},  // higher column, lower column
    {2, 2, 0, 2}, {0, 3, 2, 3},  // higher column, lower column
    {1, 1, 1, 2}, {2, 2, 2, 1},  // higher row, lower row
};
// Layout 2: six mats.
constexpr GridLine kJoints2[] = {{1, 0, 1, 4}, {2, 1, 2, 3}, {1, 1, 3, 1}, {0, 2, 1, 2}, {1, 3, 3, 3}};
constexpr GridLine kBorders2[] = {
    {0, 0, 0, 4}, {1, 4, 1, 0},  // higher row, lower row
    {1, 1, 1, 3}, {2, 3, 2, 1},  // higher row, lower row
    {2, 1, 2, 3}, {3, 3, 3, 1},  // higher row, lower row
    {3, 0, 1, 0}, {1, 1, 3, 1},  // higher column, lower column
    {3, 3, 1, 3}, {1, 4, 3, 4},  // higher column, lower column
};
// Layout 3: eight mats.
constexpr GridLine kJoints3[] = {{1, 0, 1, 4}, {2, 1, 2, 3}, {3, 0, 3, 4}, {1, 1, 3, 1},
                                 {0, 2, 1, 2}, {3, 2, 4, 2}, {1, 3, 3, 3}};
constexpr GridLine kBorders3[] = {
    {0, 0, 0, 4}, {1, 4, 1, 0},  // higher row, lower row
    {1, 1, 1, 3}, {2, 3, 2, 1},  // higher row, lower row
    {2, 1, 2, 3}, {3, 3, 3, 1},  // higher row, lower row
    {3, 0, 3, 4}, {4, 4, 4, 0},  // higher row, lower row
    {3, 0, 1, 0}, {1, 1, 3, 1},  // higher column, lower column
    {3, 3, 1, 3}, {1, 4, 3, 4},  // higher column, lower column
};
// Layout 4: ten mats.
constexpr GridLine kJoints4[] = {{1, 1, 1, 5}, {2, 0, 2, 1}, {2, 2, 2, 4}, {3, 1, 3, 5}, {0, 1, 4, 1},
                                 {1, 2, 3, 2}, {0, 3, 1, 3}, {3, 3, 4, 3}, {1, 4, 3, 4}};
constexpr GridLine kBorders4[] = {
    {0, 1, 0, 5}, {1, 5, 1, 1},  // higher row, lower row
    {1, 2, 1, 4}, {2, 2, 2, 4},  // higher row, higher row
    {2, 4, 2, 2}, {3, 4, 3, 2},  // lower row, lower row
    {3, 1, 3, 5}, {4, 5, 4, 1},  // higher row, lower row
    {4, 0, 0, 0}, {0, 1, 4, 1},  // higher column, lower column
    {3, 1, 1, 1}, {1, 2, 3, 2},  // higher column, lower column
    {3, 4, 1, 4}, {1, 5, 3, 5},  // higher column, lower column
};

constexpr MatPlan kMatPlans[] = {
    {3, 3, kJoints0, kBorders0}, {3, 3, kJoints1, kBorders1}, {4, 3, kJoints2, kBorders2},
    {4, 4, kJoints3, kBorders3}, {5, 4, kJoints4, kBorders4},
};

}  // namespace

void TRenzokuSenobj::MatGrid(std::uint8_t Layout, double AX, double AY, double BX, double BY, double C1X, double C1Y,
                             double C2X, double C2Y, std::array<RPoint2D, 30>& Grid) {
  if (Layout >= std::size(kMatPlans)) return;
  const MatPlan& plan = kMatPlans[Layout];
  for (int r = 0; r <= plan.rows; ++r) {
    // The wall points of row r, then the row divided between them.
    const double t = static_cast<double>(r) / plan.rows;
    const RPoint2D left{AX + t * (C2X - AX), AY + t * (C2Y - AY)};
    const RPoint2D right{C1X + t * (BX - C1X), C1Y + t * (BY - C1Y)};
    for (int c = 0; c <= plan.units; ++c) {
      const double s = static_cast<double>(c) / plan.units;
      Grid[static_cast<std::size_t>(r * (plan.units + 1) + c)] = {left.x + s * (right.x - left.x),
                                                                  left.y + s * (right.y - left.y)};
    }
  }
}

void TRenzokuSenobj::QuadrantOffset(double S1X, double S1Y, double S2X, double S2Y, double R1X, double R1Y, double R2X,
                                    double R2Y, double RefAngle, RPoint2D& A, RPoint2D& B, double Dist) const {
  const double w = NormalizeAngle360(DirectionAngleDeg(R1X, R1Y, R2X, R2Y) - RefAngle);
  const double d = (w >= 0.0 && w < 90.0) || (w >= 180.0 && w < 270.0) ? Dist / GroupScale : -Dist / GroupScale;
  OffsetSegment(S1X, S1Y, S2X, S2Y, d, A, B);
}

void TRenzokuSenobj::MatRoom(RPoint2D A, RPoint2D B, double BaseAngle) {
  const std::uint8_t layout = ToolDefaults.MatLayout;
  if (layout >= std::size(kMatPlans)) return;
  const MatPlan& plan = kMatPlans[layout];
  double c1x = A.x, c1y = A.y, c2x = A.x, c2y = A.y;
  BoxCorners(A.x, A.y, B.x, B.y, BaseAngle, c1x, c1y, c2x, c2y);
  std::array<RPoint2D, 30> grid{};
  MatGrid(layout, A.x, A.y, B.x, B.y, c1x, c1y, c2x, c2y, grid);
  auto at = [&](int r, int c) { return grid[static_cast<std::size_t>(r * (plan.units + 1) + c)]; };
  for (const GridLine& j : plan.joints) {
    const RPoint2D p = at(j.r1, j.c1), q = at(j.r2, j.c2);
    Elements.push_back(LineElement(p.x, p.y, q.x, q.y));
  }
  for (const GridLine& b : plan.borders) {
    const RPoint2D p = at(b.r1, b.c1), q = at(b.r2, b.c2);
    RPoint2D m1, m2;
    QuadrantOffset(p.x, p.y, q.x, q.y, A.x, A.y, B.x, B.y, BaseAngle, m1, m2, kMatBorder);
    Elements.push_back(LineElement(m1.x, m1.y, m2.x, m2.y));
  }
}

void TRenzokuSenobj::BuildMatLayout(double PX, double PY, double BaseAngle, double, double) {
  const auto n = static_cast<std::size_t>(PointCount);
  if (PointDistance(PointX[n], PointY[n], PX, PY) < 0.0001) return;
  Elements.clear();
  if (n == 1) {
    MatRoom({PointX[1], PointY[1]}, {PX, PY}, BaseAngle);
  } else {
    for (std::size_t i = 2; i <= n; ++i) MatRoom({PointX[i - 1], PointY[i - 1]}, {PointX[i], PointY[i]}, BaseAngle);
  }
  EndX = PX;
  EndY = PY;
}

void TRenzokuSenobj::LatticeRectangle(RPoint2D A, RPoint2D B, double BaseAngle, bool Capped) {
  double c1x = A.x, c1y = A.y, c2x = A.x, c2y = A.y;
  BoxCorners(A.x, A.y, B.x, B.y, BaseAngle, c1x, c1y, c2x, c2y);
  // One family: the side s1-s2 stepped count times by pitch into the
  // rectangle, each step from the last.
  auto family = [&](RPoint2D s1, RPoint2D s2, double extent, double pitch) {
    const std::int32_t count = pitch == 0.0 ? 0 : CountWithin(extent / pitch, kMaxRepeatCount);
    for (std::int32_t k = 0; k < count; ++k) {
      RPoint2D m1, m2;
      QuadrantOffset(s1.x, s1.y, s2.x, s2.y, A.x, A.y, B.x, B.y, BaseAngle, m1, m2, pitch);
      s1 = m1;
      s2 = m2;
      Elements.push_back(LineElement(s1.x, s1.y, s2.x, s2.y));
    }
  };
  family({c2x, c2y}, A, PointDistance(A.x, A.y, c1x, c1y) * GroupScale, DraftDefaults.DoubleLineRightWidth);
  double extent = PointDistance(A.x, A.y, c2x, c2y) * GroupScale;
  if (Capped) extent = std::min(extent, kLatticeFixedExtent);
  family(A, {c1x, c1y}, extent, DraftDefaults.DoubleLineLeftWidth);
}

void TRenzokuSenobj::BuildLattice(double PX, double PY, double BaseAngle, double, double) {
  const auto n = static_cast<std::size_t>(PointCount);
  const double d = PointDistance(PointX[n], PointY[n], PX, PY);
  if (d < 0.0001 || d * GroupScale > kLatticeReach) return;
  Elements.clear();
  if (n == 1) {
    LatticeRectangle({PointX[1], PointY[1]}, {PX, PY}, BaseAngle, false);
  } else {
    for (std::size_t i = 2; i <= n; ++i) {
      LatticeRectangle({PointX[i - 1], PointY[i - 1]}, {PointX[i], PointY[i]}, BaseAngle, true);
    }
  }
  EndX = PX;
  EndY = PY;
}

void TRenzokuSenobj::BuildPointGrid(double PX, double PY, double, double, double) {
  const double pitchX = ToolDefaults.PointGridPitchX, pitchY = ToolDefaults.PointGridPitchY;
  if (PointCount != 1) return;
  const double x0 = PointX[1], y0 = PointY[1];
  if (PointDistance(x0, y0, PX, PY) < 0.0001) return;
  // A grid finer than 3 drawing mm is not drawn.
  if (!(pitchX / GroupScale >= 3.0) || !(pitchY / GroupScale >= 3.0)) return;
  double c1x = x0, c1y = y0, c2x = x0, c2y = y0;
  BoxCorners(x0, y0, PX, PY, 0.0, c1x, c1y, c2x, c2y);
  const double columnsD = PointDistance(x0, y0, c1x, c1y) * GroupScale / pitchX;
  const double rowsD = PointDistance(x0, y0, c2x, c2y) * GroupScale / pitchY;
  // A far cursor at a small pitch would build an endless grid in one move.
  if (!((std::trunc(columnsD) + 1.0) * (std::trunc(rowsD) + 1.0) <= kMaxGridPoints)) return;
  const auto columns = static_cast<std::int32_t>(columnsD);
  const auto rows = static_cast<std::int32_t>(rowsD);
  EndX = PX;
  EndY = PY;
  Elements.clear();
  const double theta = DirectionAngleDeg(x0, y0, PX, PY);
  const double stepX = theta >= 90.0 && theta <= 270.0 ? -pitchX / GroupScale : pitchX / GroupScale;
  const double stepY = theta > 180.0 ? -pitchY / GroupScale : pitchY / GroupScale;
  for (std::int32_t i = 0; i <= columns; ++i) {
    const double x = x0 + i * stepX;
    for (std::int32_t j = 0; j <= rows; ++j) {
      RDrawElement point = ZeroElement();
      point.Kind = kKindPoint;
      point.X1 = x;
      point.Y1 = y0 + j * stepY;
      Elements.push_back(point);
    }
  }
}
