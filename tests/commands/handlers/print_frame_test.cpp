// Placing the print frame.

#include <cmath>
#include <limits>
#include <numbers>

#include "support/command_harness.h"

namespace {

class PrintFrameCommand : public CommandHarness {
 protected:
  void SetUpSheet() {
    TcadBox& box = Box();
    box.ButonType = dtprintsen;
    box.PrintSheetSize = {420, 297};
    box.PrintScale = 10;  // a frame of 42 x 29.7 drawing units
    box.PrintAnchor = 2;  // by its bottom left corner
    box.PrintFrameAngle = 0;
  }
};

TEST_F(PrintFrameCommand, ComputesTheFrameByAnchorAngleAndTurn) {
  const double c30 = std::cos(std::numbers::pi / 6), s30 = 0.5;
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    double width, height, scale;
    std::uint8_t anchor;
    double angle;
    bool turned;
    double px, py;
    double x1, y1, x2, y2;  // expected corners; the start values (7, 8, 9, 10) when unchanged
  } cases[] = {
      {"top left corner", 420, 297, 1, 0, 0, false, 0, 0, 0, -297, 420, 0},
      {"top left corner, paper turned", 420, 297, 1, 0, 0, true, 0, 0, 0, -420, 297, 0},
      // At (100, 200), 420 wide and 297 high: half the height is 148.5,
      // half the width 210.
      {"middle of the left side", 420, 297, 1, 1, 0, false, 100, 200, 100, 200 - 148.5, 100 + 420, 200 + 148.5},
      {"bottom left corner", 420, 297, 1, 2, 0, false, 100, 200, 100, 200, 100 + 420, 200 + 297},
      {"middle of the top side", 420, 297, 1, 3, 0, false, 100, 200, 100 - 210, 200 - 297, 100 + 210, 200},
      {"middle of the bottom side", 420, 297, 1, 5, 0, false, 100, 200, 100 - 210, 200, 100 + 210, 200 + 297},
      {"top right corner", 420, 297, 1, 6, 0, false, 100, 200, 100 - 420, 200 - 297, 100, 200},
      {"middle of the right side", 420, 297, 1, 7, 0, false, 100, 200, 100 - 420, 200 - 148.5, 100, 200 + 148.5},
      {"centre at 90 degrees turns about the point", 420, 297, 1, 4, 90, false, 100, 100, 100 + 148.5, 100 - 210,
       100 - 148.5, 100 + 210},
      {"bottom right corner at 30 degrees", 420, 297, 1, 8, 30, false, 10, 20, 10 - 420 * c30, 20 - 420 * s30,
       10 - 297 * s30, 20 + 297 * c30},
      {"middle of the top side, scale 10, angle -90 as 270", 420, 297, 10, 3, -90, false, 0, 0, -29.7, 21, 0, -21},
      {"anchor 9 changes nothing", 420, 297, 1, 9, 0, false, 7, 8, 7, 8, 9, 10},
      {"scale 0 changes nothing", 420, 297, 0, 0, 0, false, 7, 8, 7, 8, 9, 10},
      {"a negative scale changes nothing", 420, 297, -2, 0, 0, false, 7, 8, 7, 8, 9, 10},
      {"an infinite width changes nothing", inf, 297, 1, 0, 0, false, 7, 8, 7, 8, 9, 10},
      {"a width that is no number changes nothing", nan, 297, 1, 0, 0, false, 7, 8, 7, 8, 9, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TcadBox& box = Box();
    box.PrintSheetSize = {c.width, c.height};
    box.PrintScale = c.scale;
    box.PrintAnchor = c.anchor;
    box.PrintFrameAngle = c.angle;
    box.PrintKaiten = c.turned;
    double x = c.px, y = c.py, x2 = 9, y2 = 10;
    box.ComputePrintFrame(x, y, x2, y2);
    EXPECT_NEAR(x, c.x1, 1e-9);
    EXPECT_NEAR(y, c.y1, 1e-9);
    EXPECT_NEAR(x2, c.x2, 1e-9);
    EXPECT_NEAR(y2, c.y2, 1e-9);
  }
}

TEST_F(PrintFrameCommand, AClickFixesTheFrameAndARightClickRemovesIt) {
  SetUpSheet();
  TcadBox& box = Box();
  MoveTo(30, 30);
  MoveTo(20, 20);
  EXPECT_EQ(PixelAt(40, 20), clAquaFrame) << "the preview follows the cursor";
  Click(20, 20);
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame8+111"});
  EXPECT_NEAR(box.PrintFrame.Left, 20, 1e-9);
  EXPECT_NEAR(box.PrintFrame.Bottom, 20, 1e-9);
  EXPECT_NEAR(box.PrintFrame.Right, 62, 1e-9);
  EXPECT_NEAR(box.PrintFrame.Top, 49.7, 1e-9);
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(PixelAt(40, 20), clAquaFrame) << "a full redraw draws the fixed frame";
  EXPECT_EQ(PixelAt(20, 35), clAquaFrame);
  // A left click on a fixed frame does nothing.
  MoveTo(70, 70);
  Click(70, 70);
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
  Click(70, 70, ssRight);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame8+116"});
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(PixelAt(40, 20), clBlack);
}

TEST_F(PrintFrameCommand, AFixedFrameShowsItsPageTiles) {
  // The 42 x 29.7 frame at (20, 20) with 10 units between tiles along it:
  // kind 1 adds the next page at x 72 to 114, kind 2 also the row above
  // both (y 49.7 to 79.4, no gap across).
  struct Case {
    std::uint8_t kind;
    bool along, above;
  } cases[] = {{0, false, false}, {1, true, false}, {2, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    SetUpSheet();
    TcadBox& box = Box();
    box.print_htyp = c.kind;
    box.paki_x = 10;
    box.paki_y = 0;
    MoveTo(20, 20);
    Click(20, 20);
    ExpectScreenMatchesRedraw();
    EXPECT_EQ(PixelAt(93, 20) == clAquaFrame, c.along) << "the bottom side of the page beside";
    EXPECT_EQ(PixelAt(20, 65) == clAquaFrame, c.above) << "the left side of the page above";
    EXPECT_EQ(PixelAt(72, 65) == clAquaFrame, c.above) << "the left side of the page above the one beside";
    Click(20, 20, ssRight);
    TakeNotifications();
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PrintFrameCommand, CancelErasesAFixedFrameButNotThePreview) {
  SetUpSheet();
  TcadBox& box = Box();
  MoveTo(20, 20);
  Click(20, 20);
  CancelCommands();
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(box.PrintFrame.Right, 0);
  EXPECT_EQ(box.PrintSheetSize.Width, 0) << "the host sets the sheet again";
  SetUpSheet();
  MoveTo(20, 20);
  CancelCommands();
  EXPECT_EQ(PixelAt(40, 20), clAquaFrame) << "the preview stays until a redraw";
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(40, 20), clBlack);
  ExpectScreenMatchesRedraw();
}

TEST_F(PrintFrameCommand, AFailedSnapDropsTheClick) {
  SetUpSheet();
  MoveTo(20, 20);
  Press(20, 20, ssRight);
  EXPECT_EQ(Box().Mhan1, 1);
  Release(20, 20, ssRight);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(PrintFrameCommand, AnAssistPointPlacesTheFrame) {
  // Placed with no preview shown, over the preview that followed the
  // cursor, and again over a frame already fixed: each time the frame is
  // drawn as a paint draws it, and nothing of the one before stays.
  struct Case {
    const char* what;
    bool moved, fixedBefore;
  } cases[] = {{"no preview", false, false}, {"over the preview", true, false}, {"over a fixed frame", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtNo);
    SetUpSheet();
    TcadBox& box = Box();
    if (c.moved) MoveTo(60, 50);
    if (c.fixedBefore) {
      MoveTo(60, 50);
      Click(60, 50);
      ASSERT_EQ(box.B_Switch, on1);
    }
    box.AssistPoint = {20, 20};
    box.ResumeWithAssistPoint(0, 20, 20);
    EXPECT_EQ(box.B_Switch, on1);
    EXPECT_NEAR(box.PrintFrame.Left, 20, 1e-9);
    EXPECT_NEAR(box.PrintFrame.Top, 49.7, 1e-9);
    EXPECT_EQ(PixelAt(40, 20), clAquaFrame);
    EXPECT_EQ(PixelAt(80, 50), clBlack) << "the frame placed before";
    ExpectScreenMatchesRedraw();
    TakeNotifications();
  }
}

TEST_F(PrintFrameCommand, RemovingTheFixedFrameKeepsWhatItCrosses) {
  // Lines across the frame's sides and across a page tile's; the frame
  // goes, they stay whole.
  struct Case {
    const char* what;
    bool cancel;
  } cases[] = {{"right click", false}, {"cancel", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtNo);
    Seed({Line(10, 30, 120, 30), Line(40, 10, 40, 60), Line(90, 15, 90, 25)});
    SetUpSheet();
    TcadBox& box = Box();
    box.print_htyp = 1;
    box.paki_x = 10;
    MoveTo(20, 20);
    Click(20, 20);
    ASSERT_EQ(box.B_Switch, on1);
    ASSERT_EQ(PixelAt(20, 30), clAquaFrame) << "the left side, where the first line crosses it";
    if (c.cancel) {
      CancelCommands();
    } else {
      Click(70, 70, ssRight);
    }
    EXPECT_NE(PixelAt(20, 30), clBlack) << "the line across the left side";
    EXPECT_NE(PixelAt(90, 20), clBlack) << "the line across the tile's bottom side";
    ExpectScreenMatchesRedraw();
    TakeNotifications();
  }
}

TEST_F(PrintFrameCommand, ATurnedFrameWhoseFarCornerLiesStraightBelowShowsAllFourSides) {
  TcadBox& box = Box();
  box.ButonType = dtprintsen;
  box.PrintSheetSize = {200, 200};
  box.PrintScale = 10;  // a square frame of 20 x 20
  box.PrintAnchor = 2;
  box.PrintFrameAngle = 225;
  MoveTo(60, 60);
  Click(60, 60);
  // Turned by 225 degrees about its corner (60, 60) the square's sides run
  // along (-0.7071, -0.7071) and across (0.7071, -0.7071), 20 each: the far
  // corner is (60, 60 - 28.2843), straight below, and the other two are
  // (45.8579, 45.8579) and (74.1421, 45.8579).
  EXPECT_NEAR(box.PrintFrame.Right, 60, 1e-9);
  EXPECT_NEAR(box.PrintFrame.Top, 31.7157, 1e-4);
  ExpectScreenMatchesRedraw();
  const struct {
    double x, y;
  } sideMiddles[] = {{52.9289, 52.9289}, {67.0711, 52.9289}, {52.9289, 38.7868}, {67.0711, 38.7868}};
  for (const auto& m : sideMiddles) EXPECT_EQ(PixelAt(m.x, m.y), clAquaFrame) << m.x << ", " << m.y;
  Click(60, 60, ssRight);
  EXPECT_EQ(box.B_Switch, _off);
  ExpectScreenMatchesRedraw();
  for (const auto& m : sideMiddles) EXPECT_EQ(PixelAt(m.x, m.y), clBlack) << m.x << ", " << m.y;
}

}  // namespace
