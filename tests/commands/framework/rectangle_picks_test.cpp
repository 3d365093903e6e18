// A rectangle is picked by the four lines it is drawn with: the toggling
// pick of the range commands, the attribute change, the line coordinates a
// command reads off a picked line, and the polygon range.

#include <gtest/gtest.h>

#include <cmath>

#include "support/command_harness.h"

namespace {

// The rectangle (20, 20)-(60, 50) in colour 1, type 1.
RDrawElement Rect() {
  RDrawElement e = Line(20, 20, 60, 50);
  e.Kind = kKindRect;
  e.ColorNo = 1;
  e.LineType = 1;
  return e;
}

class RectanglePicks : public CommandHarness {};

TEST_F(RectanglePicks, TheTogglingPickTakesARectangleBySideAndNotByItsInside) {
  Seed({Rect()});
  TcadBox& box = Box();
  struct Case {
    const char* what;
    double x, y;
    std::uint8_t selection;  // after the pick
  } cases[] = {
      {"the top side, half way", 40, 50.5, 1},
      {"the right side again: unselected", 60.4, 30, 0},
      {"the middle, 15 from every side", 40, 35, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::int32_t index = -1;
    box.ToggleSelectElementAt(index, c.x, c.y);
    const int selection = Elements()[0].Selection;
    EXPECT_EQ(selection, c.selection);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(RectanglePicks, TheAttributeChangeReplacesTheRectangleAndShowsItAtOnce) {
  // A line lies over the rectangle's bottom side: both are drawn again in
  // the drawing's order.
  Seed({Rect(), Line(10, 20, 70, 20)});
  TcadBox& box = Box();
  box.Pencol = 4;
  box.Pentyp = 1;
  ASSERT_TRUE(box.ChangeElementAttributes(40, 50.3));
  ASSERT_EQ(Elements().size(), 2u);
  // Read by value: the packed fields take no references.
  const RDrawElement changed = Elements()[1];
  const int kind = changed.Kind, colour = changed.ColorNo;
  const double x1 = changed.X1, y2 = changed.Y2;
  EXPECT_EQ(kind, kKindRect) << "still a rectangle, now the last element";
  EXPECT_EQ(colour, 4);
  EXPECT_EQ(x1, 20);
  EXPECT_EQ(y2, 50);
  EXPECT_EQ(PixelAt(20, 35), box.ColourTable[4]);
  ExpectScreenMatchesRedraw();
}

TEST_F(RectanglePicks, ThePickedLineOfARectangleIsTheSideUnderTheCursor) {
  Seed({Rect()});
  struct Case {
    double x, y;
    RPointPair side;
  } cases[] = {
      {40, 20.4, {20, 20, 60, 20}},
      {60.3, 35, {60, 20, 60, 50}},
      {30, 49.8, {60, 50, 20, 50}},
      {19.6, 40, {20, 50, 20, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    RPointPair got{};
    ASSERT_TRUE(Box().PickLineCoords(got, true, c.x, c.y));
    EXPECT_EQ(got.xa, c.side.xa);
    EXPECT_EQ(got.ya, c.side.ya);
    EXPECT_EQ(got.xb, c.side.xb);
    EXPECT_EQ(got.yb, c.side.yb);
  }
}

TEST_F(RectanglePicks, APolygonRangeTakesARectangleWholeInsideOrCrossedWithBubunhan) {
  // The square polygon (10, 10), (110, 10), (110, 90), (10, 90) holds the
  // rectangle (20, 20)-(60, 50) whole; the rectangle (100, 40)-(120, 60)
  // sticks out of its right side.
  RDrawElement out = Rect();
  out.X1 = 100;
  out.Y1 = 40;
  out.X2 = 120;
  out.Y2 = 60;
  for (bool bubunhan : {false, true}) {
    SCOPED_TRACE(bubunhan);
    StartAfresh(dtHanipgc);
    Box().bubunhan = bubunhan;
    Seed({Rect(), out});
    Click(10, 10);
    Click(110, 10);
    Click(110, 90);
    Click(10, 90, ssRight);
    const int inside = Elements()[0].Selection, across = Elements()[1].Selection;
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(across, bubunhan ? 1 : 0);
  }
}

}  // namespace
