// Styles 10 to 12 of the continuous-line tool: circles, division ticks and
// rings of ticks, driven as the command drives them at group scale 100.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "line_checks.h"
#include "line_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/continuous_line.h"

namespace {

constexpr double kRadTickStyles = std::numbers::pi / 180.0;

struct CircleWant {
  double cx, cy, r;
};

void ExpectCircles(const std::vector<RDrawElement>& got, const std::vector<CircleWant>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectCircleElement(got[i], want[i].cx, want[i].cy, want[i].r);
  }
}

void ExpectLinesTickStyles(const std::vector<RDrawElement>& got, const std::vector<LineSeg>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectLineElement(got[i], want[i]);
  }
}

std::vector<RDrawElement> OneSegment(double px, double py) {
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(px, py);
  return replay.Tool().Elements;
}

TEST(TickStyles, ConcentricCirclesOnTheSegment) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 10;
  ExpectCircles(OneSegment(10, 0), {{5, 0, 5}});
  DraftDefaults.RepeatCount = 3;
  ExpectCircles(OneSegment(10, 0), {{5, 0, 5.0 / 3}, {5, 0, 10.0 / 3}, {5, 0, 5}});
  DraftDefaults.RepeatCount = 0;
  EXPECT_TRUE(OneSegment(10, 0).empty());
}

TEST(TickStyles, FixedRadiusCirclesBySector) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 10;
  DraftDefaults.FilletRadius = 200;  // r = 2
  struct Case {
    double px, py, cx, cy;
  };
  const double s = std::sqrt(2.0);
  const Case cases[] = {
      {10, 1, 2, 0},     // sector 0
      {10, 10, s, s},    // sector 1: (2, 0) turned by 45
      {-10, 0, -2, 0},   // sector 4
      {-3, -10, 0, -2},  // sector 6
      {1, 1, 0, 0},      // within r on both axes: the start itself
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.px);
    ExpectCircles(OneSegment(c.px, c.py), {{c.cx, c.cy, 2}});
  }
  // Copies would cancel in the XOR preview: one circle whatever the count;
  // none for a count of 0.
  DraftDefaults.RepeatCount = 3;
  ExpectCircles(OneSegment(10, 1), {{2, 0, 2}});
  DraftDefaults.RepeatCount = 0;
  EXPECT_TRUE(OneSegment(10, 1).empty());
}

TEST(TickStyles, CirclesOfFixedSegmentsFirstAndTheGuard) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 10;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(10, 0);
  replay.Move(10, 10);
  ExpectCircles(replay.Tool().Elements, {{5, 0, 5}, {10, 5, 5}});
  EXPECT_EQ(replay.Tool().FixedElementCount, 1);
  replay.Move(10, 0.00005);  // on the last point: nothing changes
  EXPECT_EQ(replay.Tool().EndY, 10);
  EXPECT_EQ(replay.Tool().Elements.size(), 2u);
}

TEST(TickStyles, DivisionTicksByCountAndByPitch) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 11;  // tick lengths 50 real mm: 0.5 each side
  struct Case {
    const char* what;
    std::uint16_t count;
    double pitch, px, width;
    std::vector<double> at;  // x of the ticks on the segment from (0, 0)
  };
  const Case cases[] = {
      {"three divisions of 30", 3, 0, 30, 500, {10, 20}},
      {"one division", 1, 0, 30, 500, {}},
      {"no division", 0, 0, 30, 500, {}},
      {"pitch 10 on 35: Trunc(3.5 + 0.9999) = 4", 3, 1000, 35, 50, {10, 20, 30}},
      {"pitch 10 on 30: Trunc(3 + 0.9999) = 3", 3, 1000, 30, 50, {10, 20}},
      {"pitch 10 on 39.999: Trunc(3.9999 + 0.9999) = 4", 3, 1000, 39.999, 50, {10, 20, 30}},
      {"negative pitch", 3, -1000, 30, 50, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DraftDefaults.DivisionCount = c.count;
    DraftDefaults.DivisionPitch = c.pitch;
    DraftDefaults.DoubleLineRightWidth = c.width;
    DraftDefaults.DoubleLineLeftWidth = c.width;
    const double half = c.width / 100;
    std::vector<LineSeg> want;
    for (double x : c.at) want.push_back({x, half, x, -half});
    ExpectLinesTickStyles(OneSegment(c.px, 0), want);
  }
}

TEST(TickStyles, DivisionTicksTaperAndShift) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 11;
  DraftDefaults.DivisionCount = 4;
  DraftDefaults.DoubleLineRightWidth = 500;  // a = 5 on the left
  DraftDefaults.DoubleLineLeftWidth = 200;   // b = 2 on the right
  ToolDefaults.TickTaperFactor = 0.5;
  // Steps (a - a f) / N = 0.625 and 0.25: left 5 * 7/8, 6/8, 5/8.
  ExpectLinesTickStyles(OneSegment(40, 0), {{10, 4.375, 10, -1.75}, {20, 3.75, 20, -1.5}, {30, 3.125, 30, -1.25}});
  // A shift of 100 real mm moves every tick 1 forward along the segment.
  ToolDefaults.TickTaperFactor = 1.0;
  DraftDefaults.PolylineOffset = 100;
  ExpectLinesTickStyles(OneSegment(40, 0), {{11, 5, 11, -2}, {21, 5, 21, -2}, {31, 5, 31, -2}});
  // Upwards: the left side is -x.
  DraftDefaults.PolylineOffset = 0;
  ExpectLinesTickStyles(OneSegment(0, 40), {{-5, 10, 2, 10}, {-5, 20, 2, 20}, {-5, 30, 2, 30}});
}

TEST(TickStyles, DivisionTicksOnAZeroSegmentAndTheSnappedEnd) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 11;
  // Count mode: N - 1 ticks stacked at the point, across direction 0.
  ExpectLinesTickStyles(OneSegment(0, 0), {{0, 0.5, 0, -0.5}, {0, 0.5, 0, -0.5}});
  DraftDefaults.DivisionPitch = 1000;
  EXPECT_TRUE(OneSegment(0, 0).empty());
  // The end snaps to the angle step: the cursor's foot on the 0-degree ray.
  DraftDefaults.DivisionPitch = 0;
  LineReplay replay({.AngleStep = 90});
  replay.Click(0, 0);
  replay.Move(30, 2);
  EXPECT_NEAR(replay.Tool().EndX, 30, 1e-12);
  EXPECT_NEAR(replay.Tool().EndY, 0, 1e-12);
  ExpectLinesTickStyles(replay.Tool().Elements, {{10, 0.5, 10, -0.5}, {20, 0.5, 20, -0.5}});
}

// The tick of a ring about (0, 0) of radius r at angle a, half length h.
LineSeg RingTick(double r, double a, double h) {
  return {(r - h) * std::cos(a * kRadTickStyles), (r - h) * std::sin(a * kRadTickStyles),
          (r + h) * std::cos(a * kRadTickStyles), (r + h) * std::sin(a * kRadTickStyles)};
}

TEST(TickStyles, RingTicksInWholeDegrees) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 12;
  DraftDefaults.DoubleLineLeftWidth = 100;  // h = 1
  ExpectLinesTickStyles(OneSegment(10, 0), {{9, 0, 11, 0}, RingTick(10, 120, 1), RingTick(10, 240, 1)});
  // Seven: Trunc(360 / 7 + 0.9999) = 52 degrees, the last gap 48.
  DraftDefaults.DivisionCount = 7;
  std::vector<LineSeg> want;
  for (int j = 0; j < 7; ++j) want.push_back(RingTick(5, 90 + 52 * j, 1));
  ExpectLinesTickStyles(OneSegment(0, 5), want);
  DraftDefaults.DivisionCount = 0;
  EXPECT_TRUE(OneSegment(0, 5).empty());
}

TEST(TickStyles, RingTicksByPitch) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 12;
  DraftDefaults.DoubleLineLeftWidth = 100;
  // An arc of 2 pi 10 / 8 on a ring of radius 10 is 45 degrees: 8 ticks.
  DraftDefaults.DivisionPitch = 100 * 2 * std::numbers::pi * 10 / 8;
  std::vector<LineSeg> want;
  for (int j = 0; j < 8; ++j) want.push_back(RingTick(10, 45 * j, 1));
  ExpectLinesTickStyles(OneSegment(10, 0), want);
}

TEST(TickStyles, ARingOfRadiusZero) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 12;
  DraftDefaults.DoubleLineLeftWidth = 100;
  // The second click on the first point adds it again (the guarded update
  // leaves the end at the origin).
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(0, 0);
  replay.Move(10, 0);
  // Count mode: three ticks of length 2h through the centre, then the ring
  // through the cursor.
  ExpectLinesTickStyles(replay.Tool().Elements, {{-1, 0, 1, 0},
                                                 RingTick(0, 120, 1),
                                                 RingTick(0, 240, 1),
                                                 {9, 0, 11, 0},
                                                 RingTick(10, 120, 1),
                                                 RingTick(10, 240, 1)});
  EXPECT_EQ(replay.Tool().FixedElementCount, 3);
  // Pitch mode: none on the ring of radius 0.
  DraftDefaults.DivisionPitch = 100 * 2 * std::numbers::pi * 10 / 8;
  replay.Move(10, 0);
  EXPECT_EQ(replay.Tool().FixedElementCount, 0);
  EXPECT_EQ(replay.Tool().Elements.size(), 8u);
}

}  // namespace
