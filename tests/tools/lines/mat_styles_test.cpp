// Styles 19 to 21 of the continuous-line tool: tatami layouts, lattices and
// point grids, driven as the command drives them at group scale 100.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "line_checks.h"
#include "line_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/continuous_line.h"

namespace {

constexpr double kRadMatStyles = 3.14159265358979323846 / 180.0;

void ExpectLinesMatStyles(const std::vector<RDrawElement>& got, const std::vector<LineSeg>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectLineElement(got[i], want[i]);
  }
}

std::vector<RDrawElement> OneRectangle(double ax, double ay, double bx, double by, LineView view = {}) {
  LineReplay replay(view);
  replay.Click(ax, ay);
  replay.Move(bx, by);
  return replay.Tool().Elements;
}

TEST(MatStyles, LayoutZeroInASquareRoom) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 19;
  // Units of 10; the border is 30 real mm, 0.3 drawing mm.
  ExpectLinesMatStyles(OneRectangle(0, 0, 30, 30), {
                                                       // joints
                                                       {0, 10, 30, 10},
                                                       {0, 20, 20, 20},
                                                       {10, 0, 10, 10},
                                                       {20, 10, 20, 30},
                                                       // borders, each inside its mat
                                                       {0, 0.3, 30, 0.3},
                                                       {30, 9.7, 0, 9.7},
                                                       {0, 10.3, 20, 10.3},
                                                       {0, 20.3, 20, 20.3},
                                                       {20, 19.7, 0, 19.7},
                                                       {20, 29.7, 0, 29.7},
                                                       {29.7, 10, 29.7, 30},
                                                       {20.3, 30, 20.3, 10},
                                                   });
}

TEST(MatStyles, LineCountsOfTheLayouts) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 19;
  // Joints plus borders: 4 + 8, 4 + 10, 5 + 10, 7 + 12, 9 + 14.
  const std::size_t counts[] = {12, 14, 15, 19, 23};
  for (std::uint8_t layout = 0; layout < 5; ++layout) {
    ToolDefaults.MatLayout = layout;
    EXPECT_EQ(OneRectangle(0, 0, 60, 48).size(), counts[layout]) << int{layout};
  }
  // Layout 5: an empty preview, the end still follows the cursor.
  ToolDefaults.MatLayout = 5;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(60, 48);
  EXPECT_TRUE(replay.Tool().Elements.empty());
  EXPECT_EQ(replay.Tool().EndX, 60);
  EXPECT_EQ(replay.Tool().EndY, 48);
}

// Every border line of every layout, drawn from each corner of the room and
// along turned walls, lies inside the room 0.3 from a lattice line it
// parallels (the joints lie on lattice lines).
TEST(MatStyles, BordersLieInsideTheRoomOneBorderFromTheLattice) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 19;
  const int units[] = {3, 3, 4, 4, 5};
  const int rows[] = {3, 3, 3, 4, 4};
  const std::size_t joints[] = {4, 4, 5, 7, 9};
  const double width = 60, height = 48;  // along and across the walls
  for (double angle : {0.0, 30.0}) {
    const double ux = std::cos(angle * kRadMatStyles), uy = std::sin(angle * kRadMatStyles);
    const double vx = -uy, vy = ux;
    // Room corners (0, 0), (w, 0), (0, h), (w, h) in wall coordinates.
    const double corners[4][2] = {{0, 0}, {width, 0}, {0, height}, {width, height}};
    for (int from = 0; from < 4; ++from) {
      const int to = 3 - from;
      for (std::uint8_t layout = 0; layout < 5; ++layout) {
        SCOPED_TRACE(testing::Message() << "angle " << angle << " from corner " << from << " layout " << int{layout});
        ToolDefaults.MatLayout = layout;
        auto world = [&](const double* p) {
          return std::array<double, 2>{p[0] * ux + p[1] * vx, p[0] * uy + p[1] * vy};
        };
        const auto a = world(corners[from]), b = world(corners[to]);
        const std::vector<RDrawElement> e = OneRectangle(a[0], a[1], b[0], b[1], {.BaseAngle = angle});
        ASSERT_GT(e.size(), joints[layout]);
        for (std::size_t i = joints[layout]; i < e.size(); ++i) {
          SCOPED_TRACE(i);
          const LineSeg s = SegOf(e[i]);
          // Back to wall coordinates.
          const double p1 = s.x1 * ux + s.y1 * uy, q1 = s.x1 * vx + s.y1 * vy;
          const double p2 = s.x2 * ux + s.y2 * uy, q2 = s.x2 * vx + s.y2 * vy;
          for (double p : {p1, p2}) {
            EXPECT_GE(p, -1e-9);
            EXPECT_LE(p, width + 1e-9);
          }
          for (double q : {q1, q2}) {
            EXPECT_GE(q, -1e-9);
            EXPECT_LE(q, height + 1e-9);
          }
          const bool alongWalls = std::abs(q1 - q2) < 1e-9;
          const bool acrossWalls = std::abs(p1 - p2) < 1e-9;
          ASSERT_TRUE(alongWalls != acrossWalls);
          // Distance to the nearest lattice line of that family.
          const double at = alongWalls ? q1 : p1;
          const double unit = alongWalls ? height / rows[layout] : width / units[layout];
          const double off = at / unit - std::round(at / unit);
          EXPECT_NEAR(std::abs(off) * unit, 0.3, 1e-9);
        }
      }
    }
  }
}

TEST(MatStyles, TurnedWallsAndFixedRooms) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 19;
  // BaseAngle 90 from (0, 0) to (-30, 30): row 0 is the wall x = 0 and the
  // rows step towards x = -30; the first joint is row 1 (x = -10) from
  // column 0 (y = 0) to column 3 (y = 30).
  const std::vector<RDrawElement> e = OneRectangle(0, 0, -30, 30, {.BaseAngle = 90});
  ASSERT_EQ(e.size(), 12u);
  ExpectLineElement(e[0], {-10, 0, -10, 30});
  // With two points fixed only their room is drawn; the cursor moves E.
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(30, 30);
  replay.Move(90, 60);
  ASSERT_EQ(replay.Tool().Elements.size(), 12u);
  ExpectLineElement(replay.Tool().Elements[0], {0, 10, 30, 10});
  replay.Move(70, 80);
  EXPECT_EQ(replay.Tool().EndX, 70);
  ExpectLineElement(replay.Tool().Elements[0], {0, 10, 30, 10});
  // Within 0.0001 of the last point: nothing changes.
  replay.Move(30.00005, 30);
  EXPECT_EQ(replay.Tool().EndX, 70);
}

TEST(MatStyles, LatticeLinesStepFromTheStartTowardsTheCursor) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 20;
  DraftDefaults.DoubleLineRightWidth = 50;  // 0.5 drawing mm
  DraftDefaults.DoubleLineLeftWidth = 50;
  // Trunc(120 / 50) = 2 lines across, Trunc(70 / 50) = 1 along.
  ExpectLinesMatStyles(OneRectangle(0, 0, 1.2, 0.7), {{0.5, 0.7, 0.5, 0}, {1.0, 0.7, 1.0, 0}, {0, 0.5, 1.2, 0.5}});
  ExpectLinesMatStyles(OneRectangle(0, 0, -1.2, -0.7),
                       {{-0.5, -0.7, -0.5, 0}, {-1.0, -0.7, -1.0, 0}, {0, -0.5, -1.2, -0.5}});
  // A fine pitch of 0.1 (0.001 drawing mm): Trunc(0.35 / 0.1) = 3 lines
  // across a rectangle 0.0035 wide, none along it.
  DraftDefaults.DoubleLineRightWidth = 0.1;
  DraftDefaults.DoubleLineLeftWidth = 0;
  ExpectLinesMatStyles(OneRectangle(0, 0, 0.0035, 0.002),
                       {{0.001, 0.002, 0.001, 0}, {0.002, 0.002, 0.002, 0}, {0.003, 0.002, 0.003, 0}});
  // A pitch of 0 or below: that family is empty.
  DraftDefaults.DoubleLineRightWidth = 0;
  DraftDefaults.DoubleLineLeftWidth = -50;
  EXPECT_TRUE(OneRectangle(0, 0, 1.2, 0.7).empty());
}

TEST(MatStyles, LatticeLimits) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 20;
  DraftDefaults.DoubleLineRightWidth = 0;
  DraftDefaults.DoubleLineLeftWidth = 1000;  // 10 drawing mm
  LineReplay replay;
  replay.Click(0, 0);
  // 200 m along and 20 m across: twenty lines while the cursor draws it.
  replay.Click(2000, 200);
  EXPECT_EQ(replay.Tool().Elements.size(), 20u);
  // Fixed, the rectangle gets lines over 10 m only: ten, the last at 100.
  replay.Move(2100, 300);
  ASSERT_EQ(replay.Tool().Elements.size(), 10u);
  ExpectLineElement(replay.Tool().Elements[9], {0, 100, 2000, 100});
  EXPECT_EQ(replay.Tool().EndX, 2100);
  // More than 300 m from the last point: nothing changes.
  replay.Move(2000 + 3000.01, 200);
  EXPECT_EQ(replay.Tool().EndX, 2100);
  EXPECT_EQ(replay.Tool().Elements.size(), 10u);
}

TEST(MatStyles, PointGridFromTheFirstPoint) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 21;  // pitches 910 real mm: 9.1 drawing mm
  struct Case {
    double px, py, sx, sy;
  };
  // Trunc(2000 / 910) = 2 columns beyond the first, Trunc(1000 / 910) = 1 row.
  for (const Case& c : {Case{20, 10, 1, 1}, Case{-20, -10, -1, -1}, Case{-20, 10, -1, 1}}) {
    SCOPED_TRACE(c.px);
    const std::vector<RDrawElement> e = OneRectangle(0, 0, c.px, c.py);
    ASSERT_EQ(e.size(), 6u);
    const double want[6][2] = {{0, 0}, {0, 9.1}, {9.1, 0}, {9.1, 9.1}, {18.2, 0}, {18.2, 9.1}};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(int{e[i].Kind}, int{kKindPoint});
      EXPECT_NEAR(double{e[i].X1}, c.sx * want[i][0], 1e-9);
      EXPECT_NEAR(double{e[i].Y1}, c.sy * want[i][1], 1e-9);
    }
  }
}

TEST(MatStyles, PointGridsThatChangeNothing) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 21;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(20, 10);
  ASSERT_EQ(replay.Tool().Elements.size(), 6u);
  TRenzokuSenobj& tool = replay.Tool();
  // At 1/400 the pitch is 2.275 drawing mm, finer than 3.
  tool.Update(40, 40, 0, 0, 0, 400, 1);
  EXPECT_EQ(tool.Elements.size(), 6u);
  EXPECT_EQ(tool.EndX, 20);
  // 1001 x 1001 points at a pitch of 3 drawing mm are more than a million.
  ToolDefaults.PointGridPitchX = 300;
  ToolDefaults.PointGridPitchY = 300;
  tool.Update(3000, 3000, 0, 0, 0, 100, 1);
  EXPECT_EQ(tool.Elements.size(), 6u);
  EXPECT_EQ(tool.EndX, 20);
  ToolDefaults.PointGridPitchX = 910;
  ToolDefaults.PointGridPitchY = 910;
  // After the second click the grid stays as the click left it.
  replay.Click(20, 10);
  replay.Move(40, 40);
  EXPECT_EQ(tool.Elements.size(), 6u);
  EXPECT_EQ(tool.EndX, 20);
  replay.Finish();
  EXPECT_EQ(tool.Elements.size(), 6u);
}

}  // namespace
