// Division by count and by pitch against hand-computed lines and points.

#include "tools/edit/division.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/settings_guard.h"
#include "tool_line_checks.h"

namespace {

void ExpectLines(const std::vector<RToolLine>& lines, const std::vector<Seg>& want, double tol = 1e-9) {
  ASSERT_EQ(lines.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectLine(lines[i], want[i], tol);
  }
}

// Two-line division by count; each line picked near the end given first.
TKansuobj DivideByCount(int n, Seg a, Seg b, float ratio = 1.0f, double width = 0.0, double groupScale = 100.0) {
  return TKansuobj(n, a.x1, a.y1, a.x2, a.y2, b.x1, b.y1, b.x2, b.y2, ratio, a.x1, a.y1, b.x1, b.y1, groupScale, false,
                   width);
}

TEST(DivisionByCount, EndsLieAtEqualFractionsBetweenCorrespondingEnds) {
  struct Case {
    Seg a, b;
    int n;
    std::vector<Seg> lines;
  };
  const Case cases[] = {
      // Parallel, 40 apart, four parts: 10, 20 and 30 from A.
      {{0, 0, 100, 0}, {0, 40, 100, 40}, 4, {{0, 10, 100, 10}, {0, 20, 100, 20}, {0, 30, 100, 30}}},
      // Converging: the first ends 60 apart, the second 20; fraction i/4 of each.
      {{0, 0, 100, 0}, {0, 60, 100, 20}, 4, {{0, 15, 100, 5}, {0, 30, 100, 10}, {0, 45, 100, 15}}},
      // Oblique ends: (10, 0)-(0, 30) and (90, 0)-(100, 50) at thirds.
      {{10, 0, 90, 0},
       {0, 30, 100, 50},
       3,
       {{20.0 / 3, 10, 280.0 / 3, 50.0 / 3}, {10.0 / 3, 20, 290.0 / 3, 100.0 / 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    ExpectLines(DivideByCount(c.n, c.a, c.b).Results, c.lines);
  }
}

TEST(DivisionByCount, GradingRatioScalesEachFraction) {
  // f(i) = ratio^(N + 1 - i) * i / N: N = 3, ratio 0.9 gives
  // f(1) = 0.729 / 3 = 0.243 and f(2) = 0.81 * 2 / 3 = 0.54; B lies 100 above A.
  const TKansuobj div = DivideByCount(3, {0, 0, 50, 0}, {0, 100, 50, 100}, 0.9f);
  const double r = static_cast<double>(0.9f);  // the ratio is a Single
  const double f1 = r * r * r / 3, f2 = r * r * 2 / 3;
  EXPECT_NEAR(f1, 0.243, 1e-7);
  EXPECT_NEAR(f2, 0.54, 1e-7);
  ExpectLines(div.Results, {{0, 100 * f1, 50, 100 * f1}, {0, 100 * f2, 50, 100 * f2}});
}

TEST(DivisionByCount, NonPositiveRatioCountsAsOne) {
  for (float ratio : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN()}) {
    const TKansuobj div = DivideByCount(2, {0, 0, 10, 0}, {0, 10, 10, 10}, ratio);
    EXPECT_EQ(div.Ratio, 1.0f);
    ExpectLines(div.Results, {{0, 5, 10, 5}});
  }
}

TEST(DivisionByCount, PicksNearOppositeEndsSwapTheCorrespondence) {
  // A picked near (0, 0), B near (100, 40): B is taken from (100, 40) to (0, 40).
  const TKansuobj div(4, 0, 0, 100, 0, 0, 40, 100, 40, 1.0f, 1, 1, 99, 39, 100, false, 0);
  ExpectLines(div.Results, {{25, 10, 75, 10}, {50, 20, 50, 20}, {75, 30, 25, 30}});
  // Picked near the second ends both, the lines are stored reversed.
  const TKansuobj same(2, 0, 0, 100, 0, 0, 40, 100, 40, 1.0f, 99, 1, 99, 39, 100, false, 0);
  ExpectLines(same.Results, {{100, 20, 0, 20}});
}

TEST(DivisionByCount, DoubleLinesLieRightThenLeftOfEachDividingLine) {
  // Width 2: A moves 1 to its right (down), B 1 to its left (up): from y = -1
  // to y = 31 in thirds, the dividing lines at 29/3 and 61/3, each as its
  // right (y - 1) and left (y + 1) parallel.
  const double y1 = -1 + 32.0 / 3, y2 = -1 + 64.0 / 3;
  const std::vector<Seg> want = {
      {0, y1 - 1, 100, y1 - 1}, {0, y1 + 1, 100, y1 + 1}, {0, y2 - 1, 100, y2 - 1}, {0, y2 + 1, 100, y2 + 1}};
  ExpectLines(DivideByCount(3, {0, 0, 100, 0}, {0, 30, 100, 30}, 1.0f, 2.0).Results, want);
  // No width given: the setting (real mm) over the group scale, 200 / 100.
  SettingsGuard guard;
  ToolDefaults.DivisionWidth = 200.0;
  ExpectLines(DivideByCount(3, {0, 0, 100, 0}, {0, 30, 100, 30}, 1.0f, 0.0, 100.0).Results, want);
  // A group scale of 0 or less: half-width 0, single lines.
  for (double scale : {0.0, -5.0}) {
    ExpectLines(DivideByCount(3, {0, 0, 100, 0}, {0, 30, 100, 30}, 1.0f, 0.0, scale).Results,
                {{0, 10, 100, 10}, {0, 20, 100, 20}});
  }
}

TEST(DivisionByCount, SegmentModeGivesTheDividingPointsAsFirstPoints) {
  const TKansuobj div(5, 7, 7, 7, 7, 7, 7, 7, 7, 1.0f, 0, 0, 100, 0, 100, true, 0);
  ASSERT_EQ(div.Results.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(div.Results[static_cast<std::size_t>(i)].X1, 20.0 * (i + 1), 1e-9);
    EXPECT_NEAR(div.Results[static_cast<std::size_t>(i)].Y1, 0.0, 1e-9);
  }
}

TEST(DivisionByCount, DegenerateCountsAndValuesGiveNothing) {
  for (int n : {1, 0, -3, 200001}) {
    EXPECT_TRUE(DivideByCount(n, {0, 0, 10, 0}, {0, 10, 10, 10}).Results.empty()) << n;
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(DivideByCount(3, {0, nan, 10, 0}, {0, 10, 10, 10}).Results.empty());
  // A grading that overflows: 10^1000 is not a number of the machine.
  EXPECT_TRUE(DivideByCount(1000, {0, 0, 10, 0}, {0, 10, 10, 10}, 10.0f).Results.empty());
}

// Segment mode along the direction (0.6, 0.8) from (10, 20).
struct SegmentCase {
  int mode;
  double length, pitch;
  int count;
  std::vector<double> distances;  // of the points from the start
};

TEST(DivisionByPitch, SegmentModeCountsAndPositions) {
  const SegmentCase cases[] = {
      // 100 / 30 = 3.33: mode 0 ceil 4 equal parts, mode 1 floor 3, mode 2
      // every 30, mode 3 e = (0.333 + 1) * 30 / 2 = 20 then every 30.
      {0, 100, 30, 4, {25, 50, 75}},
      {1, 100, 30, 3, {100.0 / 3, 200.0 / 3}},
      {2, 100, 30, 3, {30, 60, 90}},
      {3, 100, 30, 3, {20, 50, 80}},
      // 90 / 30 = 3 exactly: e = (0 + 1) * 30 / 2 = 15.
      {0, 90, 30, 3, {30, 60}},
      {1, 90, 30, 3, {30, 60}},
      {2, 90, 30, 3, {30, 60, 90}},
      {3, 90, 30, 3, {15, 45, 75}},
      // 130 / 40 = 3.25: mode 0 ceil 4 (32.5 each), e = 1.25 * 20 = 25.
      {0, 130, 40, 4, {32.5, 65, 97.5}},
      {3, 130, 40, 3, {25, 65, 105}},
      // 50 / 30: only mode 0 (two parts) gives a point.
      {0, 50, 30, 2, {25}},
      {1, 50, 30, 1, {}},
      {2, 50, 30, 1, {}},
      {3, 50, 30, 1, {}},
      // Shorter than one pitch: nothing in any mode.
      {0, 20, 30, 0, {}},
      {3, 20, 30, 0, {}},
      // Pitch 0 stands for 100000; mode 4 is no mode.
      {0, 100, 0, 0, {}},
      {4, 100, 30, 0, {}},
  };
  for (const SegmentCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " length " << c.length << " pitch " << c.pitch);
    const double ex = 10 + 0.6 * c.length, ey = 20 + 0.8 * c.length;
    const TKansupitchobj div(static_cast<std::uint8_t>(c.mode), 0, 0, 0, 0, 0, 0, 0, 0, c.pitch, 10, 20, ex, ey, 100,
                             true, 0);
    EXPECT_EQ(div.Count, c.count);
    EXPECT_TRUE(div.ResultLines.empty());
    ASSERT_EQ(div.ResultPoints.size(), c.distances.size());
    for (std::size_t i = 0; i < c.distances.size(); ++i) {
      EXPECT_NEAR(div.ResultPoints[i].X, 10 + 0.6 * c.distances[i], 1e-9);
      EXPECT_NEAR(div.ResultPoints[i].Y, 20 + 0.8 * c.distances[i], 1e-9);
    }
    if (c.mode == 3 && !c.distances.empty()) {
      // Both end gaps equal, within [p/2, p).
      const double first = c.distances.front(), last = c.length - c.distances.back();
      EXPECT_NEAR(first, last, 1e-9);
      EXPECT_GE(first, c.pitch / 2);
      EXPECT_LT(first, c.pitch);
    }
  }
}

TEST(DivisionByPitch, CountsBeyondTheLimitAndBadValuesGiveNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  // 100 / 1e-4 = 1e6 steps: more than the limit, nothing (no runaway list).
  for (int mode = 0; mode <= 3; ++mode) {
    const TKansupitchobj tiny(static_cast<std::uint8_t>(mode), 0, 0, 0, 0, 0, 0, 0, 0, 1e-4, 0, 0, 100, 0, 100, true,
                              0);
    EXPECT_TRUE(tiny.ResultPoints.empty()) << mode;
    EXPECT_EQ(tiny.Count, 0);
    const TKansupitchobj between(static_cast<std::uint8_t>(mode), 0, 0, 100, 0, 0, 100, 100, 100, 1e-4, 0, 0, 0, 100,
                                 100, false, 0);
    EXPECT_TRUE(between.ResultLines.empty()) << mode;
  }
  for (double pitch : {-30.0, nan, inf}) {
    const TKansupitchobj div(0, 0, 0, 0, 0, 0, 0, 0, 0, pitch, 0, 0, 100, 0, 100, true, 0);
    EXPECT_TRUE(div.ResultPoints.empty()) << pitch;
  }
  const TKansupitchobj far(0, 0, 0, 0, 0, 0, 0, 0, 0, 30, 0, 0, inf, 0, 100, true, 0);
  EXPECT_TRUE(far.ResultPoints.empty());
  const TKansupitchobj lost(2, 0, nan, 100, 0, 0, 100, 100, 100, 30, 0, 0, 0, 100, 100, false, 0);
  EXPECT_TRUE(lost.ResultLines.empty());
}

// Two-line mode; A picked at its first end, B at its first end.
TKansupitchobj DivideByPitch(int mode, Seg a, Seg b, double pitch, double width = 0.0) {
  return TKansupitchobj(static_cast<std::uint8_t>(mode), a.x1, a.y1, a.x2, a.y2, b.x1, b.y1, b.x2, b.y2, pitch, a.x1,
                        a.y1, b.x1, b.y1, 100, false, width);
}

TEST(DivisionByPitch, BetweenLinesAtTheExpectedDistancesOnBsSide) {
  struct Case {
    int mode;
    Seg b;
    double pitch;
    std::vector<double> ys;  // each line is A = (0, 0)-(100, 0) moved to this y
  };
  const Case cases[] = {
      // B 100 above A, ends facing: modes 0 and 1 equal parts, 2 exact
      // pitches, 3 exact pitches centred (e = 20).
      {0, {0, 100, 100, 100}, 30, {25, 50, 75}},
      {1, {0, 100, 100, 100}, 30, {100.0 / 3, 200.0 / 3}},
      {2, {0, 100, 100, 100}, 30, {30, 60, 90}},
      {3, {0, 100, 100, 100}, 30, {20, 50, 80}},
      // B below A: the lines go down.
      {2, {0, -100, 100, -100}, 30, {-30, -60, -90}},
      {3, {0, -100, 100, -100}, 30, {-20, -50, -80}},
      // B's ends 60 along from A's: the gap is still 100. Pitch 22 gives
      // 4 steps (not 5 by the diagonal of 116.6, which would put one at 110,
      // beyond B); mode 3 centres them with e = (0.545 + 1) * 11 = 17.
      {2, {60, 100, 160, 100}, 22, {22, 44, 66, 88}},
      {3, {60, 100, 160, 100}, 22, {17, 39, 61, 83}},
      {3, {-60, -100, 40, -100}, 22, {-17, -39, -61, -83}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " B at " << c.b.y1);
    const TKansupitchobj div = DivideByPitch(c.mode, {0, 0, 100, 0}, c.b, c.pitch);
    EXPECT_TRUE(div.ResultPoints.empty());
    if (c.mode >= 2) {
      // Parallel to A, never beyond B.
      std::vector<Seg> want;
      for (double y : c.ys) want.push_back({0, y, 100, y});
      ExpectLines(div.ResultLines, want);
      for (const RToolLine& line : div.ResultLines) EXPECT_LE(std::abs(line.Y1), std::abs(c.b.y1));
      continue;
    }
    std::vector<Seg> want;
    for (double y : c.ys) want.push_back({0, y, 100, y});
    ExpectLines(div.ResultLines, want);
  }
}

TEST(DivisionByPitch, ShortGapsGiveNothing) {
  // 50 / 30: one step only; modes 1 to 3 give nothing, mode 0 one middle line.
  ExpectLines(DivideByPitch(0, {0, 0, 100, 0}, {0, 50, 100, 50}, 30).ResultLines, {{0, 25, 100, 25}});
  for (int mode = 1; mode <= 4; ++mode) {
    EXPECT_TRUE(DivideByPitch(mode, {0, 0, 100, 0}, {0, 50, 100, 50}, 30).ResultLines.empty()) << mode;
  }
  EXPECT_TRUE(DivideByPitch(0, {0, 0, 100, 0}, {0, 50, 100, 50}, 0).ResultLines.empty());
}

TEST(DivisionByPitch, DoubleLinesRightThenLeft) {
  // Width 2 on A's direction +x: right is down, left up.
  const TKansupitchobj div = DivideByPitch(2, {0, 0, 100, 0}, {0, 100, 100, 100}, 30, 2.0);
  ExpectLines(
      div.ResultLines,
      {{0, 29, 100, 29}, {0, 31, 100, 31}, {0, 59, 100, 59}, {0, 61, 100, 61}, {0, 89, 100, 89}, {0, 91, 100, 91}});
}

}  // namespace
