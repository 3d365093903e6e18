// The angle pick: the drawing angle read from a line, an arc's end or two
// points, handed back to the interrupted command and told to its panel;
// the grid-angle sub-mode reads through it.

#include <cmath>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

class AnglePick : public CommandHarness {};

TEST_F(AnglePick, ALinesDirectionAwayFromTheClickOrItsReverse) {
  Seed({Line(20, 40, 100, 40), Arc(60, 70, 10, 0, 90)});
  TcadBox& b = Box();
  struct Case {
    double x, y;
    bool plus180;
    double axis;
    bool found;
    double angle;  // 999: unchanged
  } cases[] = {
      {22, 40, false, 0, true, 0},  // near the left end: towards the right end
      {22, 40, true, 0, true, 180},
      {98, 40, false, 0, true, 180},      // near the right end
      {22, 40, false, 30, true, 330},     // the axis angle is taken off
      {50, 36.01, false, 0, true, 0},     // the line 3.99 above the click: inside the box
      {50, 35.99, false, 0, false, 999},  // 4.01 above: outside
      {50, 42.6, false, 0, true, 0},      // 2.6 below: inside (4 / 1.5 = 2.67)
      {50, 42.7, false, 0, false, 999},
      // The arc's end at 90 degrees, (60, 80): the tangent leaving it, 180.
      {60.5, 80, false, 0, true, 180},
      // Its start (70, 70): 0 - 90 = 270.
      {70, 70.5, false, 0, true, 270},
  };
  for (const Case& c : cases) {
    b.CommandAngle = 999;
    b.AxisAngle = c.axis;
    EXPECT_EQ(b.ReadLineAngle(c.plus180, c.x, c.y), c.found) << c.x << ", " << c.y;
    EXPECT_NEAR(b.CommandAngle, c.angle, 1e-9) << c.x << ", " << c.y;
  }
}

TEST_F(AnglePick, AFullCircleIsFoundButGivesNoAngle) {
  Seed({Arc(60, 50, 10)});
  Box().CommandAngle = 33;
  EXPECT_TRUE(Box().ReadLineAngle(false, 70, 50));
  EXPECT_EQ(Box().CommandAngle, 33);
}

TEST_F(AnglePick, AClickOnALineHandsTheAngleBackAndTellsThePanel) {
  Seed({Line(20, 20, 100, 60)});
  TcadBox& b = Box();
  b.SavedMode = dtDraf;
  b.ButonType = dtkakudo;
  MoveTo(10, 90);
  EXPECT_EQ(Hint(), "  " + J("角度読取線指示    [左クイック：（平行）  右クイック：（左+180）]"));
  Click(22, 21, ssRight);
  EXPECT_EQ(b.ButonType, dtDraf);
  EXPECT_NEAR(b.CommandAngle, std::atan2(40, 80) * 180 / M_PI + 180, 1e-9);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame3+101"});
  EXPECT_EQ(b.ClickKind, 0);
  ExpectScreenMatchesRedraw();

  // Nothing under the click: the pick stays and says so.
  b.ButonType = dtkakudo;
  Click(60, 90);
  EXPECT_EQ(b.ButonType, dtkakudo);
  EXPECT_EQ(Hint(), "  " + J("線がありません！"));
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(AnglePick, TwoSnappedPointsGiveTheirDirectionWithoutTheAxisAngle) {
  Seed({Point(20, 20), Point(50, 50)});
  TcadBox& b = Box();
  b.SavedMode = dtCopyFree;
  b.ButonType = dtkakudo;
  b.AxisAngle = 10;
  Click(21, 21, ssShift | ssLeft);
  EXPECT_EQ(b.CommandStep, 1);
  MoveTo(30, 30);
  EXPECT_EQ(Hint(), "  " + J("角度取得"));
  Click(51, 49);
  EXPECT_EQ(b.ButonType, dtCopyFree);
  EXPECT_NEAR(b.CommandAngle, 45, 1e-9);
  EXPECT_EQ(b.CommandStep, 0);
  EXPECT_EQ(b.B_Switch, on1);
  EXPECT_TRUE(b.RubberErased);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+101"});
  ExpectScreenMatchesRedraw();
}

TEST_F(AnglePick, TheFigurePastesTellTheFirstPanelOfTheirChain) {
  Seed({Line(20, 20, 100, 20)});
  TcadBox& b = Box();
  b.SavedMode = dtcopyMenseki;
  b.ButonType = dtkakudo;
  Click(50, 20);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame19+101"});
  ExpectScreenMatchesRedraw();
}

TEST_F(AnglePick, AReleaseWithoutAClickReadsNothing) {
  Seed({Line(20, 20, 100, 20)});
  TcadBox& b = Box();
  b.SavedMode = dtDraf;
  b.ButonType = dtkakudo;
  b.CurrentPoint = {50, 20};
  b.ClickKind = 0;  // a dropped snap or a drag the menu took
  b.CommandAngle = 7;
  b.MouseUp(mbLeft, 0, PixelX(50), PixelY(20));
  EXPECT_EQ(b.ButonType, dtkakudo);
  EXPECT_EQ(b.CommandAngle, 7);
}

TEST_F(AnglePick, TheGridAngleIsTheLinesAngleWithinAQuarterTurn) {
  Seed({Line(20, 20, 60, 60), Line(100, 10, 100, 90)});
  TcadBox& b = Box();
  b.Gridview = 1;
  b.GridType = true;
  b.GridPitches = {100, 100};
  RedrawAsTheHostDoes();
  struct Case {
    double x, y;
    TShiftState shift;
    double grid;
  } cases[] = {{58, 58, ssLeft, 45}, {22, 22, ssLeft, 45}, {58, 58, ssRight, 45}, {100, 50, ssLeft, 0}};
  for (const Case& c : cases) {
    b.ButonType = dtGridKakudo;
    b.SavedMode = dtNo;
    b.GridAngle = 99;
    Click(c.x, c.y, c.shift);
    EXPECT_NEAR(b.GridAngle, c.grid, 1e-9) << c.x;
    EXPECT_EQ(b.ButonType, dtNo);
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace
