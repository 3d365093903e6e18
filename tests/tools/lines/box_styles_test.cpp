// Styles 6 to 9 of the continuous-line tool (steps, ties, boxes, crosses)
// and the corner finder of the rectangle styles, driven as the command
// drives them. Group scale 100 unless a case says otherwise: the default
// tread, rise and nosing of 200, 200 and 30 real mm are 2, 2 and 0.3.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "line_checks.h"
#include "line_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/continuous_line.h"

namespace {

constexpr double kRadBoxStyles = 3.14159265358979323846 / 180.0;

void ExpectLines(const std::vector<RDrawElement>& got, const std::vector<LineSeg>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectLineElement(got[i], want[i]);
  }
}

TEST(BoxStyles, BoxCornersAreTheProjectionsOnTheTurnedSides) {
  struct Case {
    double ax, ay, bx, by, angle;
  };
  // The last case has A and B on one horizontal line: the first attempt of
  // each corner has no direction and the second one gives it.
  const Case cases[] = {
      {1, 2, 4, 6, 0}, {1, 2, 4, 6, 30}, {0, 0, 3, 4, 90}, {1, 2, -4, 7, 135}, {-2, 5, 6, -1, 30}, {0, 0, 10, 0, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    // C1 = A + ((B - A).u) u and C2 = A + ((B - A).v) v, u along the angle
    // and v across it.
    const double ux = std::cos(c.angle * kRadBoxStyles), uy = std::sin(c.angle * kRadBoxStyles);
    const double vx = -uy, vy = ux;
    const double dx = c.bx - c.ax, dy = c.by - c.ay;
    const double along = dx * ux + dy * uy, across = dx * vx + dy * vy;
    double c1x = 0, c1y = 0, c2x = 0, c2y = 0;
    TRenzokuSenobj::BoxCorners(c.ax, c.ay, c.bx, c.by, c.angle, c1x, c1y, c2x, c2y);
    EXPECT_NEAR(c1x, c.ax + along * ux, 1e-9);
    EXPECT_NEAR(c1y, c.ay + along * uy, 1e-9);
    EXPECT_NEAR(c2x, c.ax + across * vx, 1e-9);
    EXPECT_NEAR(c2y, c.ay + across * vy, 1e-9);
  }
  // Written out: 90 degrees, A (0, 0), B (3, 4); 30 degrees on a level line.
  double c1x = 0, c1y = 0, c2x = 0, c2y = 0;
  TRenzokuSenobj::BoxCorners(0, 0, 3, 4, 90, c1x, c1y, c2x, c2y);
  EXPECT_NEAR(c1x, 0, 1e-12);
  EXPECT_NEAR(c1y, 4, 1e-12);
  EXPECT_NEAR(c2x, 3, 1e-12);
  EXPECT_NEAR(c2y, 0, 1e-12);
  TRenzokuSenobj::BoxCorners(0, 0, 10, 0, 30, c1x, c1y, c2x, c2y);
  EXPECT_NEAR(c1x, 7.5, 1e-9);  // 10 cos 30 along 30 degrees
  EXPECT_NEAR(c1y, 2.5 * std::sqrt(3.0), 1e-9);
  EXPECT_NEAR(c2x, 2.5, 1e-9);  // -10 sin 30 along 120 degrees
  EXPECT_NEAR(c2y, -2.5 * std::sqrt(3.0), 1e-9);
  // A = B: both attempts fail and the caller's values stay.
  c1x = c1y = c2x = c2y = -7;
  TRenzokuSenobj::BoxCorners(5, 5, 5, 5, 30, c1x, c1y, c2x, c2y);
  EXPECT_EQ(c1x, -7);
  EXPECT_EQ(c1y, -7);
  EXPECT_EQ(c2x, -7);
  EXPECT_EQ(c2y, -7);
}

TEST(BoxStyles, StepsCountFromTheRiseWithAWholeTreadEach) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 6;
  const double r = 5.0 / 3;
  struct Case {
    const char* what;
    double px, py, stepRise;
    std::vector<LineSeg> want;
  };
  const Case cases[] = {
      // Rise 5 over steps of at most 2: Trunc(2.5 + 0.9999) = 3 steps of 5/3.
      {"up to the right",
       10,
       5,
       200,
       {{0, 0, -0.3, r},
        {-0.3, r, 2, r},
        {2, r, 1.7, 2 * r},
        {1.7, 2 * r, 4, 2 * r},
        {4, 2 * r, 3.7, 5},
        {3.7, 5, 6, 5}}},
      // Treads run left, risers lean right by the nosing.
      {"up to the left",
       -10,
       5,
       200,
       {{0, 0, 0.3, r},
        {0.3, r, -2, r},
        {-2, r, -1.7, 2 * r},
        {-1.7, 2 * r, -4, 2 * r},
        {-4, 2 * r, -3.7, 5},
        {-3.7, 5, -6, 5}}},
      // Level: one step of rise 0, the riser lying flat.
      {"level", 10, 0, 200, {{0, 0, -0.3, 0}, {-0.3, 0, 2, 0}}},
      // A rise of 0 would divide by zero: one step.
      {"rise 0", 10, 5, 0, {{0, 0, -0.3, 5}, {-0.3, 5, 2, 5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DraftDefaults.StepRise = c.stepRise;
    LineReplay replay;
    replay.Click(0, 0);
    replay.Move(c.px, c.py);
    ExpectLines(replay.Tool().Elements, c.want);
    EXPECT_EQ(replay.Tool().EndX, c.px);
    EXPECT_EQ(replay.Tool().EndY, c.py);
  }
}

TEST(BoxStyles, TheNextStaircaseStartsAtTheLastTread) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 6;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(10, 5);
  replay.Move(20, 7);
  TRenzokuSenobj& tool = replay.Tool();
  // Three steps of run 2 and rise 5/3 from (0, 0): P[2] moves to where the
  // last tread begins plus the nosing, (2 * 2, 5).
  EXPECT_NEAR(tool.PointX[2], 4, 1e-12);
  EXPECT_NEAR(tool.PointY[2], 5, 1e-12);
  EXPECT_EQ(tool.FixedElementCount, 6);
  ASSERT_EQ(tool.Elements.size(), 8u);
  // Rise 2 from (4, 5): one step.
  ExpectLineElement(tool.Elements[6], {4, 5, 3.7, 7});
  ExpectLineElement(tool.Elements[7], {3.7, 7, 6, 7});
  replay.Finish();
  EXPECT_EQ(tool.Elements.size(), 6u);
}

TEST(BoxStyles, TiesAtWholePitchesBelowTheCursor) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 7;  // pitch 5 drawing mm
  struct Case {
    const char* what;
    double px, py;
    std::vector<LineSeg> want;
  };
  const Case cases[] = {
      // Height 12: ties at 5 and 10; the panel closes at the second.
      {"up", 20, 12, {{0, 5, 20, 5}, {0, 10, 20, 10}, {0, 0, 20, 0}, {0, 0, 0, 10}, {20, 10, 20, 0}}},
      // Below the base line the ties go to the right of A -> C1.
      {"down", 20, -12, {{0, -5, 20, -5}, {0, -10, 20, -10}, {0, 0, 20, 0}, {0, 0, 0, -10}, {20, -10, 20, 0}}},
      // Height 4 is less than one pitch: no tie, the outline to B.
      {"low", 20, 4, {{0, 0, 20, 0}, {0, 0, 0, 4}, {20, 4, 20, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LineReplay replay;
    replay.Click(0, 0);
    replay.Move(c.px, c.py);
    ExpectLines(replay.Tool().Elements, c.want);
    EXPECT_EQ(replay.Tool().EndX, c.px);
    EXPECT_EQ(replay.Tool().EndY, c.py);
  }
  // Nearer than 2.5 pitches (12.5) to the last point: nothing changes.
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(20, 12);
  replay.Move(10, 2);
  EXPECT_EQ(replay.Tool().Elements.size(), 5u);
  EXPECT_EQ(replay.Tool().EndX, 20);
}

TEST(BoxStyles, AFlatPanelAndTheNextOneFromItsEnd) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 7;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(30, 0);
  replay.Move(50, 20);
  TRenzokuSenobj& tool = replay.Tool();
  // The fixed panel has height 0: no tie, sides of zero length; the moving
  // panel from (30, 0) has ties at 5, 10 and 15 below the cursor's 20.
  ExpectLines(tool.Elements, {{0, 0, 30, 0},
                              {0, 0, 0, 0},
                              {30, 0, 30, 0},
                              {30, 5, 50, 5},
                              {30, 10, 50, 10},
                              {30, 15, 50, 15},
                              {30, 0, 50, 0},
                              {30, 0, 30, 15},
                              {50, 15, 50, 0}});
  EXPECT_EQ(tool.FixedElementCount, 3);
  EXPECT_EQ(tool.PointX[2], 30);
  EXPECT_EQ(tool.PointY[2], 0);
}

TEST(BoxStyles, AFixedPanelEndsAtItsLastTie) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 7;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(20, 12);
  replay.Move(40, 30);
  TRenzokuSenobj& tool = replay.Tool();
  // Height 12: ties at 5 and 10 (below 12 - 5 + 0.01); P[2] becomes the top
  // of the last tie.
  EXPECT_EQ(tool.FixedElementCount, 5);
  EXPECT_EQ(tool.PointX[2], 20);
  EXPECT_EQ(tool.PointY[2], 10);
  ExpectLineElement(tool.Elements[1], {0, 10, 20, 10});
  ExpectLineElement(tool.Elements[3], {0, 0, 0, 10});
}

TEST(BoxStyles, TiesWithAPitchOfZeroOrLessBuildTheOutlineOnly) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 7;
  for (double pitch : {0.0, -5.0}) {
    SCOPED_TRACE(pitch);
    DraftDefaults.TiePitch = pitch;
    LineReplay replay;
    replay.Click(0, 0);
    replay.Move(20, 12);
    ExpectLines(replay.Tool().Elements, {{0, 0, 20, 0}, {0, 0, 0, 12}, {20, 12, 20, 0}});
  }
}

TEST(BoxStyles, ALastPointAtTheOriginIsDropped) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 7;
  LineReplay replay;
  replay.Click(0, 0);
  // Too near to build: the end stays (0, 0) and the click adds it.
  replay.Click(5, 5);
  ASSERT_EQ(replay.Tool().PointCount, 2);
  replay.Move(40, 30);
  EXPECT_EQ(replay.Tool().PointCount, 1);
  EXPECT_EQ(replay.Tool().PointX.size(), 2u);
  EXPECT_TRUE(replay.Tool().Elements.empty());
}

TEST(BoxStyles, BoxesAboutOneCentre) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 8;
  DraftDefaults.RepeatCount = 3;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(24, 18);
  // Diagonal 30 in the direction (0.8, 0.6); w = 30 / 2 / 3 = 5: diagonals
  // (0, 0)-(24, 18), (4, 3)-(20, 15), (8, 6)-(16, 12).
  ExpectLines(replay.Tool().Elements, {{0, 0, 24, 0},
                                       {0, 0, 0, 18},
                                       {24, 18, 24, 0},
                                       {24, 18, 0, 18},
                                       {4, 3, 20, 3},
                                       {4, 3, 4, 15},
                                       {20, 15, 20, 3},
                                       {20, 15, 4, 15},
                                       {8, 6, 16, 6},
                                       {8, 6, 8, 12},
                                       {16, 12, 16, 6},
                                       {16, 12, 8, 12}});
  EXPECT_EQ(replay.Tool().EndX, 24);
  EXPECT_EQ(replay.Tool().EndY, 18);
  // No rectangles: nothing changes.
  DraftDefaults.RepeatCount = 0;
  replay.Move(50, 50);
  EXPECT_EQ(replay.Tool().Elements.size(), 12u);
  EXPECT_EQ(replay.Tool().EndX, 24);
}

TEST(BoxStyles, ABoxFromOnePointTakesTheFixedSizes) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 8;
  struct Case {
    const char* what;
    double width, height, startBack, endBack, px, py;
    double ax, ay, bx, by;  // the diagonal built
  };
  const Case cases[] = {
      {"width 100, cursor within half of it", 100, 0, 0, 0, 20, 0, -50, 0, 50, 0},
      {"width 100, cursor beyond half of it", 100, 0, 0, 0, 80, 0, 0, 0, 100, 0},
      {"width 100, cursor within half to the left", 100, 0, 0, 0, -20, 0, 50, 0, -50, 0},
      {"width 100, cursor beyond half to the left", 100, 0, 0, 0, -80, 0, 0, 0, -100, 0},
      {"width 100 and height 40", 100, 40, 0, 0, 80, 10, 0, -20, 100, 20},
      {"free", 0, 0, 0, 0, 30, 40, 0, 0, 30, 40},
      // Set-backs of 10 on a level segment: an x step of 10 at each end.
      {"set back at both ends", 0, 0, 10, 10, 80, 0, 10, 0, 70, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DraftDefaults.BoxWidth = c.width;
    DraftDefaults.BoxHeight = c.height;
    ToolDefaults.BoxStartSetBack = c.startBack;
    ToolDefaults.BoxEndSetBack = c.endBack;
    LineReplay replay({.GroupScale = 1});
    replay.Click(0, 0);
    replay.Move(c.px, c.py);
    const TRenzokuSenobj& tool = replay.Tool();
    ASSERT_EQ(tool.Elements.size(), 4u);
    // A -> C1 runs along x from A, B -> C2 along x from B.
    ExpectLineElement(tool.Elements[0], {c.ax, c.ay, c.bx, c.ay});
    ExpectLineElement(tool.Elements[3], {c.bx, c.by, c.ax, c.by});
    EXPECT_EQ(tool.EndX, c.bx);
    EXPECT_EQ(tool.EndY, c.by);
    EXPECT_EQ(tool.PointX[1], c.startBack);  // the start moved towards the cursor
  }
}

TEST(BoxStyles, CrossesOnEverySegment) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 9;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(10, 5);
  replay.Move(20, 0);
  ExpectLines(replay.Tool().Elements, {{0, 0, 10, 5}, {10, 0, 0, 5}, {10, 5, 20, 0}, {20, 5, 10, 0}});
  EXPECT_EQ(replay.Tool().FixedElementCount, 2);
  // Within 0.0001 of the last point: nothing changes.
  replay.Move(10.00005, 5);
  EXPECT_EQ(replay.Tool().EndX, 20);
  replay.Finish();
  ExpectLines(replay.Tool().Elements, {{0, 0, 10, 5}, {10, 0, 0, 5}});
}

TEST(BoxStyles, FinishKeepsTheFixedElementsOfStyles6To12) {
  SettingsGuard guard;
  struct Case {
    std::uint8_t style;
    std::size_t fixed;  // elements of the segment (0, 0)-(20, 12)
  };
  const Case cases[] = {
      {6, 12},  // Trunc(12 / 2 + 0.9999) = 6 steps of two lines
      {7, 5},   // ties at 5 and 10 and three outline lines
      {8, 4},   // one rectangle
      {9, 2},   // one cross
      {10, 1},  // one circle on the segment
      {11, 2},  // three divisions: two ticks
      {12, 3},  // the ring through P[2]: three ticks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    DraftDefaults.PolylineStyle = c.style;
    LineReplay replay;
    replay.Click(0, 0);
    replay.Click(20, 12);
    replay.Move(40, 30);
    EXPECT_EQ(replay.Tool().FixedElementCount, static_cast<std::int32_t>(c.fixed));
    EXPECT_GT(replay.Tool().Elements.size(), c.fixed);
    replay.Finish();
    EXPECT_EQ(replay.Tool().Elements.size(), c.fixed);
  }
}

}  // namespace
