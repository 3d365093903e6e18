// Styles 0 to 5 of the continuous-line tool, driven as the command drives it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "line_checks.h"
#include "line_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/continuous_line.h"
#include "tools/lines/corner_rounding.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

// A stroke of an arrowhead: from the apex, 1.5 long, 15 degrees off the
// line's direction from the apex (dx, dy); side 1 turned anticlockwise,
// side 2 clockwise.
void ExpectStroke(const RDrawElement& stroke, double apexX, double apexY, double dx, double dy, int side) {
  const LineSeg s = SegOf(stroke);
  EXPECT_EQ(int{stroke.Kind}, int{kKindLine});
  EXPECT_NEAR(s.x1, apexX, 1e-9);
  EXPECT_NEAR(s.y1, apexY, 1e-9);
  const double sx = s.x2 - s.x1, sy = s.y2 - s.y1;
  const double length = std::hypot(sx, sy);
  EXPECT_NEAR(length, 1.5, 1e-9);
  const double cosine = (sx * dx + sy * dy) / (length * std::hypot(dx, dy));
  EXPECT_NEAR(cosine, std::cos(15 * kRad), 1e-9);
  const double cross = dx * sy - dy * sx;
  EXPECT_EQ(cross > 0, side == 1);
}

// Three clicks, (0, 0), (100, 0), (100, 50), a move after each, then finish.
std::vector<RDrawElement> ThreeClicks(std::uint8_t style) {
  DraftDefaults.PolylineStyle = style;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(50, 20);
  replay.Click(100, 0);
  replay.Move(120, 30);
  replay.Click(100, 50);
  replay.Move(150, 80);
  replay.Finish();
  EXPECT_EQ(replay.Tool().PointCount, 2);
  return replay.Tool().Elements;
}

TEST(PolylineStyles, WhatFinishLeavesAfterThreeClicks) {
  SettingsGuard guard;
  {
    SCOPED_TRACE("style 0: two lines and the zero circle of their mitred corner");
    const auto e = ThreeClicks(0);
    ASSERT_EQ(e.size(), 3u);
    ExpectLineElement(e[0], {0, 0, 100, 0});
    ExpectCircleElement(e[1], 0, 0, 0);
    ExpectLineElement(e[2], {100, 0, 100, 50});
  }
  {
    // Widths 50 real mm at group scale 100: 0.5 each side, mitred.
    SCOPED_TRACE("style 1: pairs right, left, mitred at the offset crossings");
    const auto e = ThreeClicks(1);
    ASSERT_EQ(e.size(), 4u);
    ExpectLineElement(e[0], {0, -0.5, 100.5, -0.5});
    ExpectLineElement(e[1], {0, 0.5, 99.5, 0.5});
    ExpectLineElement(e[2], {100.5, -0.5, 100.5, 50});
    ExpectLineElement(e[3], {99.5, 0.5, 99.5, 50});
  }
  {
    SCOPED_TRACE("style 2: arrowhead at the start");
    const auto e = ThreeClicks(2);
    ASSERT_EQ(e.size(), 4u);
    ExpectLineElement(e[0], {0, 0, 100, 0});
    ExpectLineElement(e[1], {100, 0, 100, 50});
    ExpectStroke(e[2], 0, 0, 1, 0, 1);
    ExpectStroke(e[3], 0, 0, 1, 0, 2);
    ExpectLineElement(e[2], {0, 0, 1.5 * std::cos(15 * kRad), 1.5 * std::sin(15 * kRad)});
  }
  {
    SCOPED_TRACE("style 3: arrowhead at the last fixed point");
    const auto e = ThreeClicks(3);
    ASSERT_EQ(e.size(), 4u);
    ExpectLineElement(e[1], {100, 0, 100, 50});
    ExpectStroke(e[2], 100, 50, 0, -1, 1);
    ExpectStroke(e[3], 100, 50, 0, -1, 2);
    // Side 1 at 270 + 15 degrees.
    ExpectLineElement(e[2], {100, 50, 100 + 1.5 * std::cos(285 * kRad), 50 + 1.5 * std::sin(285 * kRad)});
  }
  {
    SCOPED_TRACE("style 4: start sides, then end sides");
    const auto e = ThreeClicks(4);
    ASSERT_EQ(e.size(), 6u);
    ExpectStroke(e[2], 0, 0, 1, 0, 1);
    ExpectStroke(e[3], 0, 0, 1, 0, 2);
    ExpectStroke(e[4], 100, 50, 0, -1, 1);
    ExpectStroke(e[5], 100, 50, 0, -1, 2);
  }
  {
    SCOPED_TRACE("style 5: arrowhead at the start, end circle, last line shortened");
    const auto e = ThreeClicks(5);
    ASSERT_EQ(e.size(), 5u);
    ExpectLineElement(e[0], {0, 0, 100, 0});
    ExpectLineElement(e[1], {100, 0, 100, 47.5});  // 2.5 short of the circle's centre
    ExpectStroke(e[2], 0, 0, 1, 0, 1);
    ExpectStroke(e[3], 0, 0, 1, 0, 2);
    ExpectCircleElement(e[4], 100, 50, 2.5);
  }
  // Only kind and geometry: every attribute byte stays 0.
  for (const RDrawElement& el : ThreeClicks(4)) {
    EXPECT_EQ(int{el.LineType} + el.ColorNo + el.Group + el.Layer + el.Selection + el.Scratch + el.UndoMark, 0);
  }
}

TEST(PolylineStyles, PreviewHoldsTheMovingSegmentAfterTheMarks) {
  SettingsGuard guard;
  struct Case {
    std::uint8_t style;
    std::size_t movingIndex, count;
  };
  // h = 1 (the last fixed line) after two clicks and a move to (100, 50).
  for (const Case& c : {Case{2, 4, 5}, Case{3, 4, 5}, Case{4, 6, 7}, Case{5, 5, 6}}) {
    SCOPED_TRACE(static_cast<int>(c.style));
    DraftDefaults.PolylineStyle = c.style;
    LineReplay replay;
    replay.Click(0, 0);
    replay.Click(100, 0);
    replay.Click(100, 50);
    replay.Move(150, 50);
    const auto& e = replay.Tool().Elements;
    ASSERT_EQ(e.size(), c.count);
    ExpectLineElement(e[c.movingIndex], {100, 50, 150, 50});
  }
}

TEST(PolylineStyles, OneFixedPointMarksTheCursorLine) {
  SettingsGuard guard;
  DimensionDefaults.ArrowLength = 2.0f;
  DraftDefaults.PolylineMarkSize = 4.0;
  auto build = [](std::uint8_t style) {
    DraftDefaults.PolylineStyle = style;
    LineReplay replay;
    replay.Click(10, 10);
    replay.Move(10, 40);
    return replay.Tool().Elements;
  };
  {
    const auto e = build(2);
    ASSERT_EQ(e.size(), 3u);
    ExpectLineElement(e[0], {10, 10, 10, 40});
    EXPECT_NEAR(std::hypot(e[1].X2 - e[1].X1, e[1].Y2 - e[1].Y1), 2.0, 1e-9);
    EXPECT_NEAR(double{e[1].X1}, 10, 1e-12);
    EXPECT_NEAR(double{e[1].Y1}, 10, 1e-12);
  }
  {
    // Style 3 with one point: the arrowhead at the cursor end.
    const auto e = build(3);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_NEAR(double{e[1].Y1}, 40, 1e-12);
    EXPECT_NEAR(double{e[2].Y1}, 40, 1e-12);
  }
  {
    const auto e = build(4);
    ASSERT_EQ(e.size(), 5u);
    EXPECT_NEAR(double{e[1].Y1}, 10, 1e-12);  // start sides
    EXPECT_NEAR(double{e[2].Y1}, 10, 1e-12);
    EXPECT_NEAR(double{e[3].Y1}, 40, 1e-12);  // end sides
    EXPECT_NEAR(double{e[4].Y1}, 40, 1e-12);
  }
  {
    const auto e = build(5);
    ASSERT_EQ(e.size(), 4u);
    ExpectLineElement(e[0], {10, 10, 10, 36});
    ExpectCircleElement(e[3], 10, 40, 4);
  }
}

// The mitre of two lines shifted by d = 2 lies 2 to the left of both.
TEST(PolylineStyles, ShiftedPolylineIsMitredAtThePointLeftOfBothLines) {
  SettingsGuard guard;
  DraftDefaults.PolylineOffset = 200.0;  // real mm; group scale 100: 2
  struct Case {
    const char* what;
    double x3, y3;
  };
  const double c60 = 100 * std::cos(120 * kRad), s60 = 100 * std::sin(120 * kRad);
  const Case cases[] = {
      {"right angle, turning left", 100, 100},
      {"60 degree corner, turning left", 100 + c60, s60},
      {"right angle, turning right", 100, -100},
      {"60 degree corner, turning right", 100 + c60, -s60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LineReplay replay;
    replay.Click(0, 0);
    replay.Click(100, 0);
    replay.Click(c.x3, c.y3);
    replay.Move(c.x3, c.y3 + 30);
    const auto& e = replay.Tool().Elements;
    ASSERT_EQ(e.size(), 4u);
    const double mx = e[0].X2, my = e[0].Y2;
    EXPECT_NEAR(double{e[2].X1}, mx, 1e-9);
    EXPECT_NEAR(double{e[2].Y1}, my, 1e-9);
    EXPECT_NEAR(LeftDistance(0, 0, 100, 0, mx, my), 2, 1e-9);
    EXPECT_NEAR(LeftDistance(100, 0, c.x3, c.y3, mx, my), 2, 1e-9);
    ExpectCircleElement(e[1], 0, 0, 0);
    // The free ends are shifted too.
    EXPECT_NEAR(LeftDistance(0, 0, 100, 0, e[0].X1, e[0].Y1), 2, 1e-9);
    EXPECT_NEAR(LeftDistance(100, 0, c.x3, c.y3, e[2].X2, e[2].Y2), 2, 1e-9);
  }
  // Right angle turning left by hand: the lines y = 2 and x = 98 meet at (98, 2).
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(100, 0);
  replay.Click(100, 100);
  replay.Move(100, 130);
  ExpectLineElement(replay.Tool().Elements[0], {0, 2, 98, 2});
  ExpectLineElement(replay.Tool().Elements[2], {98, 2, 98, 100});
}

TEST(PolylineStyles, MarkedPolylinesAreShiftedAndMitredToo) {
  SettingsGuard guard;
  DraftDefaults.PolylineOffset = 200.0;  // 2 to the left
  for (std::uint8_t style : {2, 3, 4, 5}) {
    SCOPED_TRACE(static_cast<int>(style));
    DraftDefaults.PolylineStyle = style;
    LineReplay replay;
    replay.Click(0, 0);
    replay.Click(100, 0);
    replay.Click(100, 100);
    replay.Move(150, 100);
    const auto& e = replay.Tool().Elements;
    ExpectLineElement(e[0], {0, 2, 98, 2});
    ExpectLineElement(e[1], {98, 2, 98, style == 5 ? 97.5 : 100});
    // The start arrowhead sits on the shifted first line, the end one on
    // the shifted last fixed line.
    if (style != 3) ExpectStroke(e[2], 0, 2, 1, 0, 1);
    if (style == 3) ExpectStroke(e[2], 98, 100, 0, -1, 1);
    if (style == 4) ExpectStroke(e[4], 98, 100, 0, -1, 1);
    if (style == 5) ExpectCircleElement(e[4], 98, 100, 2.5);
    ExpectLineElement(e.back(), {100, 102, 150, 102});
  }
}

TEST(PolylineStyles, MovingLineStartsPointSixOverTheZoomFromTheLastPoint) {
  SettingsGuard guard;
  for (double zoom : {1.0, 2.0, 0.5}) {
    SCOPED_TRACE(zoom);
    LineView view;
    view.ViewScale = zoom;
    LineReplay replay(view);
    replay.Click(0, 0);
    replay.Click(30, 40);
    replay.Move(30, 140);  // straight up from (30, 40)
    const auto& e = replay.Tool().Elements;
    ASSERT_EQ(e.size(), 2u);
    ExpectLineElement(e[1], {30, 40 + 0.6 / zoom, 30, 140});
  }
  // Shifted with the others, not joined to the last fixed line.
  DraftDefaults.PolylineOffset = 100.0;  // 1 to the left: x = 29 for the upward line
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(30, 40);
  replay.Move(30, 140);
  ExpectLineElement(replay.Tool().Elements[1], {29, 40.6, 29, 140});
}

TEST(PolylineStyles, FirstLineStartsOnAPickedCircle) {
  SettingsGuard guard;
  struct Case {
    const char* what;
    std::uint8_t flag, onCurve, option;
    float radius, ratio, rotation;
    double sx, sy;
  };
  // Centre (10, 10); the cursor (40, 50) lies in direction (0.6, 0.8).
  const Case cases[] = {
      {"circle", 1, 1, 1, 5, 1, 0, 13, 14},      {"not snapped to the centre", 0, 1, 1, 5, 1, 0, 10, 10},
      {"setting off", 1, 0, 1, 5, 1, 0, 10, 10}, {"option off", 1, 1, 0, 5, 1, 0, 10, 10},
      {"zero radius", 1, 1, 1, 0, 1, 0, 10, 10}, {"zero ratio", 1, 1, 1, 5, 0, 0, 10, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ToolDefaults.PickedStartOnCurve = c.onCurve;
    ToolDefaults.PickedStartOption = c.option;
    RDrawElement circle = ZeroElement();
    circle.Kind = kKindArc;
    circle.X1 = 10;
    circle.Y1 = 10;
    circle.Radius = c.radius;
    circle.Ratio = c.ratio;
    circle.Rotation = c.rotation;
    LineReplay replay;
    replay.Click(10, 10, c.flag, circle);
    replay.Move(40, 50);
    ASSERT_EQ(replay.Tool().Elements.size(), 1u);
    ExpectLineElement(replay.Tool().Elements[0], {c.sx, c.sy, 40, 50});
  }
  // An ellipse, semi-axes 10 along x and 5 across: straight up it starts at (10, 15).
  ToolDefaults.PickedStartOnCurve = 1;
  ToolDefaults.PickedStartOption = 1;
  RDrawElement ellipse = ZeroElement();
  ellipse.Kind = kKindArc;
  ellipse.X1 = 10;
  ellipse.Y1 = 10;
  ellipse.Radius = 10;
  ellipse.Ratio = 0.5f;
  LineReplay replay;
  replay.Click(10, 10, 1, ellipse);
  replay.Move(10, 60);
  ExpectLineElement(replay.Tool().Elements[0], {10, 15, 10, 60});
}

TEST(PolylineStyles, DoubleLineLiesAtEachWidthFromThePath) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 1;
  DraftDefaults.DoubleLineRightWidth = 100.0;  // 1 at group scale 100
  DraftDefaults.DoubleLineLeftWidth = 300.0;   // 3
  {
    // Upward: right is +x, left is -x.
    LineReplay replay;
    replay.Click(0, 0);
    replay.Move(0, 10);
    const auto& e = replay.Tool().Elements;
    ASSERT_EQ(e.size(), 2u);
    ExpectLineElement(e[0], {1, 0, 1, 10});
    ExpectLineElement(e[1], {-3, 0, -3, 10});
  }
  // A 60 degree corner: each line at its width, the pairs meeting.
  const double x3 = 100 + 100 * std::cos(120 * kRad), y3 = 100 * std::sin(120 * kRad);
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(100, 0);
  replay.Click(x3, y3);
  replay.Move(x3 - 50, y3);
  const auto& e = replay.Tool().Elements;
  ASSERT_EQ(e.size(), 6u);
  const struct {
    std::size_t index;
    double ax, ay, bx, by, left;
  } lines[] = {{0, 0, 0, 100, 0, -1}, {1, 0, 0, 100, 0, 3}, {2, 100, 0, x3, y3, -1}, {3, 100, 0, x3, y3, 3}};
  for (const auto& l : lines) {
    const RDrawElement& el = e[l.index];
    EXPECT_NEAR(LeftDistance(l.ax, l.ay, l.bx, l.by, el.X1, el.Y1), l.left, 1e-9) << l.index;
    EXPECT_NEAR(LeftDistance(l.ax, l.ay, l.bx, l.by, el.X2, el.Y2), l.left, 1e-9) << l.index;
  }
  EXPECT_NEAR(double{e[0].X2}, double{e[2].X1}, 1e-9);
  EXPECT_NEAR(double{e[0].Y2}, double{e[2].Y1}, 1e-9);
  EXPECT_NEAR(double{e[1].X2}, double{e[3].X1}, 1e-9);
  EXPECT_NEAR(double{e[1].Y2}, double{e[3].Y1}, 1e-9);
  // The moving pair is not joined: it starts at P[n]'s offsets.
  ExpectLineElement(e[4], {x3, y3 + 1, x3 - 50, y3 + 1});
  ExpectLineElement(e[5], {x3, y3 - 3, x3 - 50, y3 - 3});
}

TEST(PolylineStyles, EndPointSnapsToTheAngleStepAtTheSetLength) {
  SettingsGuard guard;
  struct Case {
    double base, cursorX, cursorY, endX, endY;
  };
  const double c10 = 50 * std::cos(10 * kRad), s10 = 50 * std::sin(10 * kRad);
  const Case cases[] = {
      {0, 100, 30, 50, 0},                                               // 16.7 degrees rounds to 0
      {0, 30, 100, 0, 50},                                               // 73.3 rounds to 90
      {0, 100, 80, 50 * std::cos(45 * kRad), 50 * std::sin(45 * kRad)},  // 38.7 rounds to 45
      {10, 100, 30, c10, s10},                                           // 6.7 past the base rounds to the base
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.cursorX << ", " << c.cursorY << " base " << c.base);
    LineView view;
    view.BaseAngle = c.base;
    view.AngleStep = 45;
    view.SetLength = 50;
    LineReplay replay(view);
    replay.Click(0, 0);
    replay.Move(c.cursorX, c.cursorY);
    EXPECT_NEAR(replay.Tool().EndX, c.endX, 1e-9);
    EXPECT_NEAR(replay.Tool().EndY, c.endY, 1e-9);
    ExpectLineElement(replay.Tool().Elements[0], {0, 0, c.endX, c.endY});
    // The click adds the snapped end, not the cursor.
    replay.Click(c.cursorX, c.cursorY);
    EXPECT_NEAR(replay.Tool().PointX[2], c.endX, 1e-9);
    EXPECT_NEAR(replay.Tool().PointY[2], c.endY, 1e-9);
  }
}

TEST(PolylineStyles, FilletBelowTheSmallestSizeIsMitred) {
  SettingsGuard guard;
  RDrawElement a = ZeroElement(), b = ZeroElement(), k = ZeroElement();
  a.X2 = 10;
  b.X1 = 10;
  b.X2 = 10;
  b.Y2 = 10;
  k.Kind = kKindArc;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(5, 5);  // takes the group scale, 100
  TRenzokuSenobj& tool = replay.Tool();
  DraftDefaults.FilletRadius = 0.0009;  // 0.000009 drawing mm: mitred
  EXPECT_FALSE(tool.JoinCorner(a, b, k));
  ExpectCircleElement(k, 0, 0, 0);
  DraftDefaults.FilletRadius = 0.0011;  // 0.000011: rounded
  EXPECT_TRUE(tool.JoinCorner(a, b, k));
}

TEST(PolylineStyles, TheRoundedCornerIsTakenFromTheCornerToolsAnswer) {
  auto element = [](std::uint8_t kind) {
    RDrawElement e = ZeroElement();
    e.Kind = kind;
    e.LineType = 7;
    e.ColorNo = 3;
    e.X1 = 1;
    e.Y1 = 2;
    e.X2 = 3;
    if (kind == kKindLine) e.Y2 = 4;
    return e;
  };
  RRoundedCorner made;
  made.Status = 1;
  made.Lines[0] = {0, 0, 8, 0, 9, 9, 9, 9, 9};
  made.Lines[1] = {10, 2, 10, 10, 9, 9, 9, 9, 9};
  made.Arc.CentreX = 8;
  made.Arc.CentreY = 2;
  made.Arc.Radius = 2;
  made.Arc.Ratio = 0.25;
  made.Arc.StartAngle = 270;
  made.Arc.EndAngle = 360;
  made.Arc.Rotation = 0.5;
  {
    RDrawElement l1 = element(kKindLine), l2 = element(kKindLine), k = element(kKindArc);
    TakeRoundedCorner(made, l1, l2, k);
    ExpectLineElement(l1, {0, 0, 8, 0});
    ExpectLineElement(l2, {10, 2, 10, 10});
    EXPECT_EQ(double{k.X1}, 8);
    EXPECT_EQ(double{k.Y1}, 2);
    EXPECT_EQ(double{k.Radius}, 2);
    EXPECT_EQ(float{k.Ratio}, 1.0f);  // always a circle
    EXPECT_EQ(float{k.StartAngle}, 270.0f);
    EXPECT_EQ(float{k.EndAngle}, 360.0f);
    EXPECT_EQ(float{k.Rotation}, 0.5f);
    // Kinds and attribute bytes stay those of the records.
    EXPECT_EQ(int{l1.LineType}, 7);
    EXPECT_EQ(int{k.ColorNo}, 3);
    EXPECT_EQ(int{k.Kind}, int{kKindArc});
  }
  {
    // Collinear: the merged line; the second line and the corner vanish.
    RRoundedCorner merged = made;
    merged.Status = 0;
    RDrawElement l1 = element(kKindLine), l2 = element(kKindLine), k = element(kKindArc);
    TakeRoundedCorner(merged, l1, l2, k);
    ExpectLineElement(l1, {0, 0, 8, 0});
    ExpectLineElement(l2, {0, 0, 0, 0});
    EXPECT_EQ(double{k.X1}, 0);
    EXPECT_EQ(double{k.Y1}, 0);
    EXPECT_EQ(double{k.Radius}, 0);
  }
  {
    // No corner (parallel lines): everything as it was.
    RRoundedCorner none = made;
    none.Status = 10;
    RDrawElement l1 = element(kKindLine), l2 = element(kKindLine), k = element(kKindArc);
    TakeRoundedCorner(none, l1, l2, k);
    ExpectLineElement(l1, {1, 2, 3, 4});
    ExpectLineElement(l2, {1, 2, 3, 4});
    EXPECT_EQ(double{k.Radius}, 3);
  }
}

// Shifted by d = 2 and rounded with R = 10: the shifted lines cross at Xs
// (2 to the left of both path lines); each line ends R from Xs, and the arc
// touches it there with radius R tan(theta / 2), theta the corner angle.
TEST(PolylineStyles, FilletTouchesTheShiftedLinesRFromTheirCrossing) {
  SettingsGuard guard;
  DraftDefaults.PolylineOffset = 200.0;  // real mm; group scale 100: 2
  DraftDefaults.FilletRadius = 1000.0;   // 10
  struct Case {
    const char* what;
    double turnDeg;  // direction of the second line
    double thetaDeg;
  };
  const Case cases[] = {
      {"right angle, turning left", 90, 90},
      {"60 degree corner, turning left", 120, 60},
      {"right angle, turning right", -90, 90},
      {"60 degree corner, turning right", -120, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const double ux = std::cos(c.turnDeg * kRad), uy = std::sin(c.turnDeg * kRad);
    const double x3 = 100 + 100 * ux, y3 = 100 * uy;
    // Left normals (0, 1) and (-uy, ux); the point d from both lines is
    // P2 + d (n1 + n2) / (1 + n1 . n2).
    const double nx = -uy, ny = 1 + ux, k = 2 / (1 + ux);
    const double sx = 100 + k * nx, sy = k * ny;
    const double t0x = sx - 10, t0y = sy;
    const double t1x = sx + 10 * ux, t1y = sy + 10 * uy;
    const double radius = 10 * std::tan(c.thetaDeg / 2 * kRad);
    LineReplay replay;
    replay.Click(0, 0);
    replay.Click(100, 0);
    replay.Click(x3, y3);
    replay.Move(x3 + 30 * ux, y3 + 30 * uy);
    {
      const auto& e = replay.Tool().Elements;
      ASSERT_EQ(e.size(), 4u);
      ExpectLineElement(e[0], {0, 2, t0x, t0y});
      ExpectLineElement(e[2], {t1x, t1y, x3 - 2 * uy, y3 + 2 * ux});
      const RDrawElement& arc = e[1];
      EXPECT_EQ(int{arc.Kind}, int{kKindArc});
      const double ox = arc.X1, oy = arc.Y1;
      EXPECT_NEAR(double{arc.Radius}, radius, 1e-9);
      EXPECT_EQ(float{arc.Ratio}, 1.0f);
      // Tangent: the radius to each touching point is square to its line.
      EXPECT_NEAR(std::hypot(t0x - ox, t0y - oy), radius, 1e-9);
      EXPECT_NEAR(std::hypot(t1x - ox, t1y - oy), radius, 1e-9);
      EXPECT_NEAR(t0x - ox, 0, 1e-9);
      EXPECT_NEAR((t1x - ox) * ux + (t1y - oy) * uy, 0, 1e-9);
      // The arc's ends are the touching points, the short way round
      // (single precision angles).
      const auto end = [&](float deg) {
        return std::pair{ox + radius * std::cos(deg * kRad), oy + radius * std::sin(deg * kRad)};
      };
      const auto [ax, ay] = end(arc.StartAngle);
      const auto [bx, by] = end(arc.EndAngle);
      const bool startAtT0 = std::hypot(ax - t0x, ay - t0y) < 1e-4;
      EXPECT_NEAR(ax, startAtT0 ? t0x : t1x, 1e-4);
      EXPECT_NEAR(ay, startAtT0 ? t0y : t1y, 1e-4);
      EXPECT_NEAR(bx, startAtT0 ? t1x : t0x, 1e-4);
      EXPECT_NEAR(by, startAtT0 ? t1y : t0y, 1e-4);
      double sweep = float{arc.EndAngle} - float{arc.StartAngle};
      if (sweep < 0) sweep += 360;
      EXPECT_NEAR(sweep, 180 - c.thetaDeg, 1e-4);
    }
    replay.Finish();
    ASSERT_EQ(replay.Tool().Elements.size(), 3u);  // the moving line dropped
    ExpectLineElement(replay.Tool().Elements[2], {t1x, t1y, x3 - 2 * uy, y3 + 2 * ux});
  }
}

TEST(PolylineStyles, FilletedCornersFollowOneAnother) {
  // Unshifted square path with R = 10: every corner rounded, each line
  // from touching point to touching point.
  SettingsGuard guard;
  DraftDefaults.FilletRadius = 1000.0;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(100, 0);
  replay.Click(100, 100);
  replay.Click(0, 100);
  replay.Move(0, 50);
  const auto& e = replay.Tool().Elements;
  ASSERT_EQ(e.size(), 6u);
  ExpectLineElement(e[0], {0, 0, 90, 0});
  ExpectLineElement(e[2], {100, 10, 100, 90});
  ExpectLineElement(e[4], {90, 100, 0, 100});
  EXPECT_NEAR(double{e[1].X1}, 90, 1e-9);
  EXPECT_NEAR(double{e[1].Y1}, 10, 1e-9);
  EXPECT_NEAR(double{e[3].X1}, 90, 1e-9);
  EXPECT_NEAR(double{e[3].Y1}, 90, 1e-9);
  EXPECT_NEAR(double{e[3].Radius}, 10, 1e-9);
}

TEST(PolylineStyles, CollinearSegmentsMergeUnderAFillet) {
  SettingsGuard guard;
  DraftDefaults.PolylineOffset = 200.0;
  DraftDefaults.FilletRadius = 1000.0;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Click(100, 0);
  replay.Click(200, 0);
  replay.Move(200, 50);
  const auto& e = replay.Tool().Elements;
  ASSERT_EQ(e.size(), 4u);
  // One line over both segments, 2 to the left; the second line and the
  // corner vanish.
  EXPECT_NEAR(std::min(double{e[0].X1}, double{e[0].X2}), 0, 1e-9);
  EXPECT_NEAR(std::max(double{e[0].X1}, double{e[0].X2}), 200, 1e-9);
  EXPECT_NEAR(double{e[0].Y1}, 2, 1e-9);
  EXPECT_NEAR(double{e[0].Y2}, 2, 1e-9);
  EXPECT_EQ(double{e[1].Radius}, 0);
  ExpectLineElement(e[2], {0, 0, 0, 0});
}

}  // namespace
