// The cross-hair and grid line builders against hand-computed lines.

#include "canvas/ring_grid_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "support/element_factory.h"
#include "support/settings_guard.h"

namespace {

struct SegRingGridObjects {
  double x1, y1, x2, y2;
};

SegRingGridObjects SegOf(const RDrawElement& e) { return {Value(e.X1), Value(e.Y1), Value(e.X2), Value(e.Y2)}; }

// Same segment, either end first.
void ExpectSegment(const RDrawElement& e, SegRingGridObjects want, double tol = 1e-9) {
  const SegRingGridObjects got = SegOf(e);
  const bool forward = std::abs(got.x1 - want.x1) <= tol && std::abs(got.y1 - want.y1) <= tol &&
                       std::abs(got.x2 - want.x2) <= tol && std::abs(got.y2 - want.y2) <= tol;
  const bool backward = std::abs(got.x1 - want.x2) <= tol && std::abs(got.y1 - want.y2) <= tol &&
                        std::abs(got.x2 - want.x1) <= tol && std::abs(got.y2 - want.y1) <= tol;
  EXPECT_TRUE(forward || backward) << "got (" << got.x1 << ", " << got.y1 << ")-(" << got.x2 << ", " << got.y2
                                   << ") want (" << want.x1 << ", " << want.y1 << ")-(" << want.x2 << ", " << want.y2
                                   << ")";
}

TEST(RingObject, WithoutTicksTheCrossHairIsTwoLinesAcrossTheViewAtAnyQuarterTurn) {
  // View 0..100 x 0..50; the centre sits 0.14 / zoom left of and above the cursor.
  struct Case {
    double angle, zoom;
  } cases[] = {{0, 1}, {0, 2}, {90, 1}, {180, 0.5}, {270, 1}};
  for (const Case& c : cases) {
    TRingobj ring;
    ring.ViewWindow = {0, 0, 100, 50};
    ring.BuildCrossHair(30, 20, c.angle, c.zoom, 100);
    const double xc = 30 - 0.14 / c.zoom, yc = 20 + 0.14 / c.zoom;
    ASSERT_EQ(ring.Lines.size(), 2u) << c.angle;
    EXPECT_EQ(ring.LastIndex(), 1);
    ExpectSegment(ring.Lines[0], {0, yc, 100, yc}, 1e-6);
    ExpectSegment(ring.Lines[1], {xc, 0, xc, 50}, 1e-6);
    EXPECT_EQ(Value(ring.Lines[0].Kind), kKindLine);
    EXPECT_EQ(Value(ring.Lines[0].LineType), 0);
  }
}

TEST(RingObject, TicksCountOutwardWithEveryFifthMajor) {
  SettingsGuard guard;
  CrossHairDefaults.CrossTicksOn = 1;
  TRingobj ring;
  ring.ViewWindow = {0, 0, 100, 50};
  // Group scale 100: ticks every 10 drawing units; zoom 1: minor half length
  // 1, major half length 2. Centre (50, 25): 5 ticks left and right, 2 down and up.
  ring.BuildCrossHair(50.14, 24.86, 0, 1, 100);
  ASSERT_EQ(ring.Lines.size(), 2u + 5 + 5 + 2 + 2);
  ExpectSegment(ring.Lines[2], {40, 24, 40, 26}, 1e-9);  // left tick 1
  ExpectSegment(ring.Lines[6], {0, 23, 0, 27}, 1e-9);    // left tick 5: major
  ExpectSegment(ring.Lines[7], {60, 24, 60, 26}, 1e-9);  // right tick 1
  ExpectSegment(ring.Lines[11], {100, 23, 100, 27}, 1e-9);
  ExpectSegment(ring.Lines[12], {49, 15, 51, 15}, 1e-9);  // down tick 1
  ExpectSegment(ring.Lines[15], {49, 45, 51, 45}, 1e-9);  // up tick 2
}

TEST(RingObject, TicksFollowAChangedSetting) {
  SettingsGuard guard;
  TRingobj ring;
  ring.ViewWindow = {0, 0, 100, 50};
  ring.BuildCrossHair(50.14, 24.86, 0, 1, 100);
  EXPECT_EQ(ring.Lines.size(), 2u);  // ticks are off by default
  // Spacing 2000 / 100 = 20 along x, 500 / 100 = 5 along y; short ticks 1 and
  // long ones 3 long (half each side), every second one long.
  CrossHairDefaults.CrossTicksOn = 1;
  CrossHairDefaults.CrossTickSpacingX = 2000;
  CrossHairDefaults.CrossTickSpacingY = 500;
  CrossHairDefaults.CrossShortTick = 1;
  CrossHairDefaults.CrossLongTick = 3;
  CrossHairDefaults.CrossLongTickEvery = 2;
  ring.BuildCrossHair(50.14, 24.86, 0, 1, 100);
  // Centre (50, 25): 2 ticks left and right, 5 down and 5 up.
  ASSERT_EQ(ring.Lines.size(), 2u + 2 + 2 + 5 + 5);
  ExpectSegment(ring.Lines[2], {30, 24.5, 30, 25.5});  // left tick 1: short
  ExpectSegment(ring.Lines[3], {10, 23.5, 10, 26.5});  // left tick 2: long
  ExpectSegment(ring.Lines[6], {49.5, 20, 50.5, 20});  // down tick 1
  ExpectSegment(ring.Lines[7], {48.5, 15, 51.5, 15});  // down tick 2: long
}

TEST(RingObject, TicksCloserThanOnePointSixScreenMillimetresAreNotBuilt) {
  SettingsGuard guard;
  CrossHairDefaults.CrossTicksOn = 1;
  TRingobj ring;
  ring.ViewWindow = {0, 0, 100, 50};
  ring.BuildCrossHair(50, 25, 0, 1.5, 1000);  // 1 drawing unit x 1.5 = 1.5 mm apart
  EXPECT_EQ(ring.Lines.size(), 2u);
  ring.BuildCrossHair(50, 25, 0, 1.6, 1000);  // 1.6 mm apart: 2 + ticks
  EXPECT_GT(ring.Lines.size(), 2u);
}

TEST(RingObject, TurnedTicksAreTurnedAboutTheCentre) {
  SettingsGuard guard;
  CrossHairDefaults.CrossTicksOn = 1;
  TRingobj ring;
  ring.ViewWindow = {0, 0, 100, 100};
  // 45 degrees about the centre (50, 50); the first right tick 10 along the
  // turned axis: at (50 + 10 cos 45, 50 + 10 sin 45), across the axis.
  ring.BuildCrossHair(50.14, 49.86, 45, 1, 100);
  const double c = std::sqrt(0.5);
  // Both cross-hair lines are diagonals of the square view.
  ExpectSegment(ring.Lines[0], {0, 0, 100, 100}, 1e-6);
  ExpectSegment(ring.Lines[1], {100, 0, 0, 100}, 1e-6);
  // nL = trunc(distance to the corner / 10) = trunc(70.7 / 10) = 7 ticks each way.
  ASSERT_EQ(ring.Lines.size(), 2u + 7 * 4);
  const double tx = 50 + 10 * c, ty = 50 + 10 * c;
  ExpectSegment(ring.Lines[2 + 7], {tx + c, ty - c, tx - c, ty + c}, 1e-6);
}

TEST(GridObject, AxisGridClassesLinesByTheirPitchCountedFromTheBase) {
  TGridobj grid;
  // Pitch 10 on paper, 2 subdivisions: lines every 5. L = -15 gives kx = -3:
  // the first vertical line is a subdivision, the next a pitch line.
  grid.BuildGrid(2, true, 0, 0, -15, 0, 20, 10, 1, 100, 10, 10, 0, 0);
  // nX = round(35 / 5) + 1 = 8: nine vertical lines; nY = 3: four horizontal.
  ASSERT_EQ(grid.Lines.size(), 13u);
  const double xs[] = {-15, -10, -5, 0, 5, 10, 15, 20, 25};
  for (int i = 0; i < 9; ++i) {
    ExpectSegment(grid.Lines[i], {xs[i], 0, xs[i], 10});
    EXPECT_EQ(Value(grid.Lines[i].Selection), i % 2 == 0 ? 1 : 0) << i;
  }
  for (int j = 0; j < 4; ++j) {
    ExpectSegment(grid.Lines[9 + j], {-15, 5.0 * j, 20, 5.0 * j});
    EXPECT_EQ(Value(grid.Lines[9 + j].Selection), j % 2 == 0 ? 0 : 1) << j;
  }
}

TEST(GridObject, CountsAndDensityFollowTheirRules) {
  struct Case {
    const char* what;
    std::uint8_t n;
    bool onPaper;
    std::int32_t limit;
    double right, zoom, g, pitch;
    std::size_t lines;
  } cases[] = {
      // |L - R| / dx = 2.5 rounds to 2 (half to even): 4 vertical, 4 horizontal.
      {"half rounds to even", 1, true, 0, 12.5, 1, 100, 5, 4 + 4},
      {"limit equal to 5 dx zoom", 1, true, 25, 10, 1, 100, 5, 0},
      {"limit just below", 1, true, 24, 10, 1, 100, 5, 4 + 4},
      {"real pitch over the group scale", 2, false, 0, 10, 1, 100, 1000, 4 + 4},
      {"no subdivision", 0, true, 0, 10, 1, 100, 5, 0},
      {"five subdivisions", 5, true, 0, 10, 1, 100, 5, 0},
      {"zero pitch", 1, true, 0, 10, 1, 100, 0, 0},
      {"zero pitch, negative limit", 1, true, -5, 10, 1, 100, 0, 0},
      {"tiny pitch, negative limit", 1, true, -5, 10, 1, 100, 1e-12, 0},
      {"negative pitch", 1, true, -100, 10, 1, 100, -5, 0},
  };
  for (const Case& c : cases) {
    TGridobj grid;
    grid.Lines.resize(3);  // a build replaces what was there
    grid.BuildGrid(c.n, c.onPaper, 0, c.limit, 0, 0, c.right, 10, c.zoom, c.g, c.pitch, c.pitch, 0, 0);
    EXPECT_EQ(grid.Lines.size(), c.lines) << c.what;
  }
}

TEST(GridObject, TurnedGridKeepsTheLinesThatMeetTheView) {
  TGridobj grid;
  // 45 degrees, pitch 10, origin at the centre of the square 0..100. Family A
  // lines x + y = 100 + 10 k sqrt 2 meet the square for |k| <= 7, family B
  // lines y - x = 10 k sqrt 2 the same: 15 + 15 lines.
  grid.BuildGrid(1, true, 45, 0, 0, 0, 100, 100, 1, 100, 10, 10, 50, 50);
  ASSERT_EQ(grid.Lines.size(), 30u);
  std::set<long> offsetsA, offsetsB;
  for (const RDrawElement& e : grid.Lines) {
    const SegRingGridObjects s = SegOf(e);
    EXPECT_EQ(Value(e.Selection), 0);
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    if (std::abs(dx + dy) < 1e-6) {  // direction 135: family A
      offsetsA.insert(std::lround((s.x1 + s.y1 - 100) / (10 * std::sqrt(2.0))));
    } else {
      ASSERT_NEAR(dx, dy, 1e-6);
      offsetsB.insert(std::lround((s.y1 - s.x1) / (10 * std::sqrt(2.0))));
    }
  }
  const std::set<long> expected{-7, -6, -5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7};
  EXPECT_EQ(offsetsA, expected);
  EXPECT_EQ(offsetsB, expected);
  // The first line is family A through the origin.
  EXPECT_NEAR(Value(grid.Lines[0].X1) + Value(grid.Lines[0].Y1), 100, 1e-6);
}

}  // namespace
