// Texts under the cursor: the frame test, the text picks and the text
// deletion. Style 1 is 20 wide and 20 high (0.1 paper millimetres), so its
// frame is 2 drawing units high; the deletion's frame is 0.12 × 20 = 2.4.

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <limits>

#include "geometry/codepage.h"
#include "platform/canvas_qt.h"
#include "support/command_harness.h"

namespace {

class TextPicks : public CommandHarness {
 protected:
  // A text of style 1 from (x1, y1) to (x2, y2), its string appended.
  RDrawElement TextElement(const char* utf8, double x1, double y1, double x2, double y2) {
    return StyledText(Store().ElementTexts, J(utf8), x1, y1, x2, y2, 1);
  }
};

TEST_F(TextPicks, APointInTheFrameOfABaseLine) {
  struct Case {
    const char* name;
    RPointPair base;
    double px, py;
    bool inside;
  };
  const Case cases[] = {
      {"above the base line", {40, 50, 60, 50}, 50, 51, true},
      {"over the frame's top", {40, 50, 60, 50}, 50, 52.5, false},
      {"under the base line", {40, 50, 60, 50}, 50, 49.5, false},
      {"before the start", {40, 50, 60, 50}, 39, 51, false},
      {"past the end", {40, 50, 60, 50}, 61, 51, false},
      {"upwards: the frame lies to the left", {40, 50, 40, 70}, 39, 60, true},
      {"upwards: not to the right", {40, 50, 40, 70}, 41, 60, false},
      {"a base line of no length", {40, 50, 40, 50}, 40, 51, false},
      {"a point that is no number", {40, 50, 60, 50}, std::nan(""), 51, false},
      // A tenth to a fifth of a unit (half to one pixel) inside an edge.
      {"just after the start", {40, 50, 60, 50}, 40.1, 51, true},
      {"just before the end", {40, 50, 60, 50}, 59.85, 51, true},
      {"just under the top", {40, 50, 60, 50}, 50, 51.9, true},
      {"upwards: just left of the base line", {40, 50, 40, 70}, 39.85, 60, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Box().PointInTextOutline(c.base.xa, c.base.ya, c.base.xb, c.base.yb, 2, c.px, c.py), c.inside) << c.name;
  }
}

TEST_F(TextPicks, AFrameThatIsNoNumberHoldsNoPoint) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  struct Case {
    const char* name;
    double x1, y1, x2, y2, height, px, py;
  };
  // Each would hold (50, 51) if its odd value were a number in range: the
  // base (40, 50)-(60, 50) and height 2.
  const Case cases[] = {
      {"an endless height", 40, 50, 60, 50, inf, 50, 51},
      {"a height that is no number", 40, 50, 60, 50, nan, 50, 51},
      {"an end at infinity", 40, 50, inf, 50, 2, 50, 51},
      {"a start at minus infinity", -inf, 50, 60, 50, 2, 50, 51},
      {"an end that is no number", 40, 50, 60, nan, 2, 50, 51},
      {"a point at infinity", 40, 50, 60, 50, 2, inf, 51},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Box().PointInTextOutline(c.x1, c.y1, c.x2, c.y2, c.height, c.px, c.py)) << c.name;
  }
  EXPECT_TRUE(Box().PointInTextOutline(40, 50, 60, 50, 2, 50, 51)) << "the same frame in numbers";
}

TEST_F(TextPicks, TheTextPicksTakeTheFirstTextUnderTheCursor) {
  TcadBox& box = Box();
  Seed({TextElement("longer", 40, 50, 70, 50), TextElement("short", 40, 50, 50, 50)});
  box.RingHidden = false;
  std::int32_t index = -1;
  ASSERT_TRUE(box.PickText(index, true, 45, 51));
  EXPECT_EQ(index, 0) << "not the shorter one";
  EXPECT_EQ(Elements()[0].Selection, 1);
  EXPECT_TRUE(box.RingHidden);
  EXPECT_TRUE(box.HaniAka_Cyu);
  ExpectScreenMatchesRedraw();
  ASSERT_TRUE(box.PickText(index, true, 45, 51));
  EXPECT_EQ(Elements()[0].Selection, 0);
  ExpectScreenMatchesRedraw();

  index = 9;
  EXPECT_FALSE(box.PickText(index, true, 45, 60));
  EXPECT_EQ(index, 9) << "left alone";
}

TEST_F(TextPicks, WithoutHighlightingATextPickOnlyUnselects) {
  TcadBox& box = Box();
  RDrawElement selected = TextElement("ab", 40, 50, 60, 50);
  selected.Selection = 1;
  Seed({selected, TextElement("cd", 40, 20, 60, 20)});
  const QImage before = CanvasImage(box.Canvas()).copy();
  std::int32_t index = -1;
  ASSERT_TRUE(box.PickText(index, false, 45, 51));
  EXPECT_EQ(Elements()[0].Selection, 0);
  ASSERT_TRUE(box.PickText(index, false, 45, 21));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(Elements()[1].Selection, 0) << "an unselected text stays so";
  EXPECT_TRUE(CanvasImage(box.Canvas()) == before) << "nothing drawn";
}

TEST_F(TextPicks, TheNearerEndOfAPickedText) {
  Seed({TextElement("ab", 40, 50, 60, 50)});
  struct Case {
    double x;
    bool nearEnd;
  };
  const Case cases[] = {{45, false}, {50, true}, {55, true}};  // the middle counts as near the end
  for (const Case& c : cases) {
    std::int32_t index = -1;
    bool nearEnd = !c.nearEnd;
    ASSERT_TRUE(Box().PickTextNearEnd(index, false, c.x, 51, nearEnd)) << c.x;
    EXPECT_EQ(nearEnd, c.nearEnd) << c.x;
  }
}

TEST_F(TextPicks, FrameHeightsOfTheTextPicksAndTheDeletion) {
  // A suffix makes the text 50 high: 5 units for the picks that read it,
  // 0.12 × 50 = 6 for the deletion; the text-joining pick keeps the style's 2.
  Seed({TextElement("abcdef##30/50", 40, 50, 60, 50)});
  std::int32_t index = -1;
  bool nearEnd = false;
  EXPECT_FALSE(Box().PickText(index, false, 45, 54));
  EXPECT_TRUE(Box().PickTextNearEnd(index, false, 45, 54, nearEnd));
  EXPECT_FALSE(Box().PickTextNearEnd(index, false, 45, 55.5, nearEnd));
  EXPECT_TRUE(Box().ToggleSelectElementAt(index, 45, 54));
  EXPECT_TRUE(Box().DeleteTextAt(45, 55.5));
  EXPECT_TRUE(Elements().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(TextPicks, DeletingTheShortestEditableTextUnderThePoint) {
  const RDrawElement reference = OnLayer(Store(), TextElement("ref", 40, 50, 45, 50), 3, kLayerReference);
  const RDrawElement longer = TextElement("longer", 40, 50, 70, 50);
  const RDrawElement shorter = TextElement("short", 40, 50, 50, 50);
  Seed({reference, longer, shorter});
  Box().AddPointAttr(0, 0, Store(), true, 120, 90);
  RedrawAsTheHostDoes();
  ASSERT_TRUE(Box().DeleteTextAt(44, 51));
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_EQ(TextOf(Elements()[0]), J("ref"));
  EXPECT_EQ(TextOf(Elements()[1]), J("longer"));
  ASSERT_EQ(UndoLog().size(), 1u);
  EXPECT_EQ(UndoTextOf(UndoLog()[0]), J("short"));
  ExpectScreenMatchesRedraw();

  EXPECT_FALSE(Box().DeleteTextAt(44, 60));
  EXPECT_EQ(UndoLog().size(), 1u) << "nothing changed";
  ExpectScreenMatchesRedraw();
}

}  // namespace
