// The continuous-line tool's own operations: points, the style dispatch,
// finishing, dropping a point, the sideways shift and the angle wrap.

#include "tools/lines/continuous_line.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "line_checks.h"
#include "line_replay.h"
#include "support/settings_guard.h"

namespace {

TEST(ContinuousLine, CreateCopiesTheTextStylesAndStartsWithNoPoints) {
  std::array<RTextStyle, kTextStyleCount> styles{};
  for (int i = 0; i < kTextStyleCount; ++i)
    styles[static_cast<std::size_t>(i)].Width = static_cast<std::uint16_t>(10 + i);
  const TRenzokuSenobj tool(styles);
  EXPECT_EQ(tool.PointCount, 0);
  EXPECT_EQ(int{tool.TextStyles[0].Width}, 10);
  EXPECT_EQ(int{tool.TextStyles[11].Width}, 21);
  EXPECT_TRUE(tool.Elements.empty());
  EXPECT_TRUE(tool.Texts.empty());
}

TEST(ContinuousLine, AddPointKeepsTheReservedEntryTheStartAndThePick) {
  const std::array<RTextStyle, kTextStyleCount> styles{};
  TRenzokuSenobj tool(styles);
  RDrawElement circle = ZeroElement();
  circle.Kind = kKindArc;
  circle.Radius = 4;
  tool.AddPoint(1, circle, 5, 6);
  tool.AddPoint(0, ZeroElement(), 7, 8);
  EXPECT_EQ(tool.PointCount, 2);
  ASSERT_EQ(tool.PointX.size(), 3u);
  EXPECT_EQ(tool.PointX[0], 0);
  EXPECT_EQ(tool.PointY[0], 0);
  EXPECT_EQ(tool.PointX[1], 5);
  EXPECT_EQ(tool.PointY[2], 8);
  EXPECT_EQ(tool.StartX, 5);
  EXPECT_EQ(tool.StartY, 6);
  EXPECT_EQ(tool.PickedFlag, 0);  // the flag and element of the last point
  EXPECT_EQ(double{tool.PickedElement.Radius}, 0);
}

TEST(ContinuousLine, UpdateTakesTheStyleAndScaleEachTime) {
  SettingsGuard guard;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(10, 0);
  EXPECT_EQ(replay.Tool().Style, 0);
  EXPECT_EQ(replay.Tool().GroupScale, 100);
  EXPECT_EQ(replay.Tool().Elements.size(), 1u);
  // A setting changed between two moves applies at the next one.
  DraftDefaults.PolylineStyle = 1;
  replay.Move(10, 0);
  EXPECT_EQ(replay.Tool().Style, 1);
  EXPECT_EQ(replay.Tool().Elements.size(), 2u);
}

TEST(ContinuousLine, UpdatesThatChangeNothing) {
  SettingsGuard guard;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(10, 20);
  const std::vector<RDrawElement> before = replay.Tool().Elements;
  TRenzokuSenobj& tool = replay.Tool();
  auto expectUnchanged = [&](const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(tool.EndX, 10);
    EXPECT_EQ(tool.EndY, 20);
    ASSERT_EQ(tool.Elements.size(), before.size());
    ExpectLineElement(tool.Elements[0], SegOf(before[0]));
  };
  // A style above the last.
  DraftDefaults.PolylineStyle = 22;
  tool.Update(50, 50, 0, 0, 0, 100, 1);
  expectUnchanged("style 22");
  EXPECT_EQ(tool.Style, 22);
  DraftDefaults.PolylineStyle = 0;
  // Values that are not finite, or a scale of 0 or less.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  tool.Update(nan, 50, 0, 0, 0, 100, 1);
  expectUnchanged("cursor not a number");
  tool.Update(50, 50, 0, 0, 0, 0, 1);
  expectUnchanged("group scale 0");
  tool.Update(50, 50, 0, 0, 0, 100, -1);
  expectUnchanged("negative zoom");
  // No fixed point after a reset.
  tool.Reset();
  EXPECT_EQ(tool.PointCount, 0);
  EXPECT_TRUE(tool.PointX.empty());
  tool.Update(50, 50, 0, 0, 0, 100, 1);
  expectUnchanged("no fixed point");
}

TEST(ContinuousLine, StyleAboveTheLastBuildsNoPreview) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 22;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(10, 10);
  replay.Click(10, 10);
  replay.Move(20, 0);
  EXPECT_TRUE(replay.Tool().Elements.empty());
  replay.Finish();
  EXPECT_TRUE(replay.Tool().Elements.empty());
}

TEST(ContinuousLine, FinishWithoutTrimLeavesTheMovingSegment) {
  SettingsGuard guard;
  for (std::uint8_t style : {0, 1, 3}) {
    SCOPED_TRACE(static_cast<int>(style));
    DraftDefaults.PolylineStyle = style;
    LineReplay replay;
    replay.Click(0, 0);
    replay.Click(10, 0);
    replay.Move(10, 10);
    const std::size_t count = replay.Tool().Elements.size();
    replay.Finish(0);
    EXPECT_EQ(replay.Tool().Elements.size(), count);
    EXPECT_EQ(replay.Tool().PointCount, 1);
  }
}

TEST(ContinuousLine, FinishWithOnePointResetsAndLeavesTheElements) {
  SettingsGuard guard;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(30, 40);
  replay.Finish();
  EXPECT_EQ(replay.Tool().PointCount, 0);
  EXPECT_TRUE(replay.Tool().PointX.empty());
  ASSERT_EQ(replay.Tool().Elements.size(), 1u);
  ExpectLineElement(replay.Tool().Elements[0], {0, 0, 30, 40});
}

TEST(ContinuousLine, DropLastPointRemovesThePointAndItsEntries) {
  SettingsGuard guard;
  struct Case {
    std::uint8_t style;
    std::size_t removed;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 2}, Case{5, 1}}) {
    SCOPED_TRACE(static_cast<int>(c.style));
    DraftDefaults.PolylineStyle = c.style;
    LineReplay replay;
    replay.Click(0, 0);
    replay.Click(10, 0);
    replay.Move(10, 10);
    const std::size_t count = replay.Tool().Elements.size();
    replay.Tool().DropLastPoint();
    EXPECT_EQ(replay.Tool().PointCount, 1);
    EXPECT_EQ(replay.Tool().PointX.size(), 2u);
    EXPECT_EQ(replay.Tool().Elements.size(), count - c.removed);
    // With one point left: a reset that keeps the elements.
    replay.Tool().DropLastPoint();
    EXPECT_EQ(replay.Tool().PointCount, 0);
    EXPECT_EQ(replay.Tool().Elements.size(), count - c.removed);
  }
}

TEST(ContinuousLine, ShiftSegmentMovesALineToItsLeft) {
  SettingsGuard guard;
  DraftDefaults.PolylineOffset = 300;  // 3 at group scale 100
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(1, 1);  // takes the group scale
  RDrawElement e = ZeroElement();
  e.X1 = 10;
  e.Y1 = 10;
  e.X2 = 10;
  e.Y2 = 0;  // downwards: left is +x
  replay.Tool().ShiftSegment(e);
  ExpectLineElement(e, {13, 10, 13, 0});
  RDrawElement dot = ZeroElement();
  dot.X1 = dot.X2 = 4;
  dot.Y1 = dot.Y2 = 5;
  replay.Tool().ShiftSegment(dot);  // no direction: unchanged
  ExpectLineElement(dot, {4, 5, 4, 5});
}

TEST(ContinuousLine, WrapAngleIsOneStepIntoZeroTo360) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {{0, 0}, {359.5, 359.5}, {360, 0}, {725, 365}, {-15, 345}, {-400, -40}};
  for (const Case& c : cases) EXPECT_EQ(TRenzokuSenobj::WrapAngle(c.in), c.out) << c.in;
}

}  // namespace
