// Picking the element under the cursor. At zoom 1 the pick distance d is 4
// drawing units: the line box reaches 4 above, 4 / 1.5 = 2.67 below and 4
// to both sides of the cursor; the square reaches 4 every way.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

using PickingTest = CommandHarness;

RDrawElement ColouredPicking(RDrawElement e, std::uint8_t colour) {
  e.ColorNo = colour;
  return e;
}

// Every pick answers whether it found something at (x, y).
struct NamedPick {
  const char* name;
  std::function<bool(TcadBox&, double, double)> pick;
  bool square;  // the square instead of the line box
};

std::vector<NamedPick> LinePicks() {
  std::int32_t index = 0;
  RDrawElement element = ZeroElement();
  RPointPair coords;
  return {
      {"PickLine", [=](TcadBox& b, double x, double y) mutable { return b.PickLine(index, false, x, y); }, false},
      {"PickLineOrArc", [=](TcadBox& b, double x, double y) mutable { return b.PickLineOrArc(index, false, x, y, 1); },
       false},
      {"PickFilteredLineOrArc",
       [=](TcadBox& b, double x, double y) mutable { return b.PickFilteredLineOrArc(index, false, x, y); }, false},
      {"PickLineNearEndFirst",
       [=](TcadBox& b, double x, double y) mutable { return b.PickLineNearEndFirst(index, element, false, x, y); },
       false},
      {"PickFilteredLineNearEndFirst",
       [=](TcadBox& b, double x, double y) mutable { return b.PickFilteredLineNearEndFirst(index, false, x, y); },
       false},
      {"PickLineOrArcEnd",
       [](TcadBox& b, double x, double y) {
         double angle = 0;
         return b.PickLineOrArcEnd(x, y, angle, false);
       },
       false},
      {"PickShownElement",
       [=](TcadBox& b, double x, double y) mutable { return b.PickShownElement(index, true, x, y); }, false},
      {"PickLineCoords", [=](TcadBox& b, double x, double y) mutable { return b.PickLineCoords(coords, true, x, y); },
       false},
      {"PickPlainLineCoords",
       [=](TcadBox& b, double x, double y) mutable { return b.PickPlainLineCoords(coords, x, y); }, false},
      {"ToggleSelectElementAt",
       [=](TcadBox& b, double x, double y) mutable { return b.ToggleSelectElementAt(index, x, y); }, true},
  };
}

TEST_F(PickingTest, TheCursorJustInsideAndOutsideEachEdgeOfTheBox) {
  Seed({ColouredPicking(Line(40, 50, 60, 50), 1)});
  struct Edge {
    const char* name;
    double x, y;
    bool boxHit, squareHit;
  };
  const Edge edges[] = {
      {"line 3.9 above", 50, 46.1, true, true},       {"line 4.1 above", 50, 45.9, false, false},
      {"line 2.6 below", 50, 52.6, true, true},       {"line 2.7 below", 50, 52.7, false, true},
      {"line 3.9 below", 50, 53.9, false, true},      {"line 4.1 below", 50, 54.1, false, false},
      {"end 3.9 to the left", 63.9, 50, true, true},  {"end 4.1 to the left", 64.1, 50, false, false},
      {"end 3.9 to the right", 36.1, 50, true, true}, {"end 4.1 to the right", 35.9, 50, false, false},
  };
  for (const NamedPick& p : LinePicks()) {
    for (const Edge& e : edges) {
      EXPECT_EQ(p.pick(Box(), e.x, e.y), p.square ? e.squareHit : e.boxHit) << p.name << ": " << e.name;
    }
  }
}

TEST_F(PickingTest, TheArcTestOfPickLineOrArcIsNarrower) {
  Seed({ColouredPicking(Arc(100, 50, 10), 1)});
  std::int32_t index = 0;
  // 3.5 off the circle: within 4, not within 3.
  EXPECT_FALSE(Box().PickLineOrArc(index, false, 113.5, 50, 0));
  EXPECT_EQ(index, -1);
  EXPECT_TRUE(Box().PickFilteredLineOrArc(index, false, 113.5, 50));
  EXPECT_TRUE(Box().PickLineOrArc(index, false, 112.9, 50, 0));
  EXPECT_EQ(index, 0);
}

TEST_F(PickingTest, TheNearestWinsAndTheFirstAmongEquals) {
  Seed({Line(40, 49, 60, 49), Line(40, 51, 60, 51), Line(40, 50.5, 60, 50.5)});
  std::int32_t index = -5;
  ASSERT_TRUE(Box().PickLine(index, false, 50, 50.7));
  EXPECT_EQ(index, 2) << "0.2 away";
  // (50, 49.75) lies 0.75 from y = 49 and from y = 50.5.
  ASSERT_TRUE(Box().PickLine(index, false, 50, 49.75));
  EXPECT_EQ(index, 0) << "the first in the display list";
}

TEST_F(PickingTest, OnlyEditableLayersButShownLayersForTheShownElementPick) {
  Seed({OnLayer(Store(), Line(40, 50, 60, 50), 3, kLayerReference)});
  std::int32_t index = 0;
  RPointPair coords;
  EXPECT_FALSE(Box().PickLine(index, false, 50, 50));
  EXPECT_FALSE(Box().PickFilteredLineOrArc(index, false, 50, 50));
  EXPECT_TRUE(Box().PickShownElement(index, false, 50, 50));
  EXPECT_TRUE(Box().PickLineCoords(coords, false, 50, 50));
  // Toggling takes nothing off a layer that is only for reference.
  EXPECT_FALSE(Box().ToggleSelectElementAt(index, 50, 51));
  EXPECT_EQ(index, -1);
  EXPECT_EQ(Elements()[0].Selection, 0);
  Store().LayerStates[3] = kLayerHidden;
  Box().RedrawAll(false);
  EXPECT_FALSE(Box().PickShownElement(index, false, 50, 50));
  EXPECT_EQ(index, -1);
}

TEST_F(PickingTest, KindsOfPickLineOrArc) {
  // The circle's top lies at (50, 49), the line at y = 50.
  Seed({Line(40, 50, 60, 50), Arc(50, 40, 9)});
  struct Case {
    double y;
    std::uint8_t kind;
    std::int32_t index;
  };
  const Case cases[] = {
      {49.2, 0, 1}, {49.2, 1, -1}, {49.2, 2, 1},   // the arc is nearer: a line alone fails
      {49.8, 0, 0}, {49.8, 1, 0},  {49.8, 2, -1},  // the line is nearer
  };
  for (const Case& c : cases) {
    std::int32_t index = 7;
    EXPECT_EQ(Box().PickLineOrArc(index, false, 50, c.y, c.kind), c.index >= 0) << c.y << " kind " << int(c.kind);
    EXPECT_EQ(index, c.index) << c.y << " kind " << int(c.kind);
  }
}

TEST_F(PickingTest, TheTwoLinePicksOrderTheEndsOppositeWays) {
  const RDrawElement line = Line(40, 50, 60, 50);
  Seed({line});
  struct Case {
    double x;
    double firstX;  // of PickLineNearEndFirst's copy; the other pick's copy is the other way round
  };
  const Case cases[] = {{42, 40}, {58, 60}, {50, 40}};  // at the middle the stored order stays for both
  for (const Case& c : cases) {
    std::int32_t index = -1;
    RDrawElement copy = ZeroElement();
    ASSERT_TRUE(Box().PickLineNearEndFirst(index, copy, false, c.x, 50));
    EXPECT_EQ(Value(copy.X1), c.firstX) << c.x;
    ASSERT_TRUE(Box().PickFilteredLineNearEndFirst(index, false, c.x, 50));
    const double expected = c.x == 50 ? 40 : 100 - c.firstX;
    EXPECT_EQ(Value(Box().PickedElement.X1), expected) << c.x;
  }
  std::int32_t index = 3;
  RDrawElement copy = line;
  EXPECT_FALSE(Box().PickLineNearEndFirst(index, copy, false, 50, 80));
  EXPECT_EQ(copy.Kind, kKindNone);
  EXPECT_EQ(index, -1);
}

TEST_F(PickingTest, TheNearerEndAndTheDirectionLeavingThere) {
  // The second arc is turned a quarter round: from 90 to 180 degrees about
  // (70, 80), starting at (70, 90) and ending at (60, 80).
  RDrawElement turned = Arc(70, 80, 10, 0, 90);
  turned.Rotation = 90;
  Seed({Line(40, 50, 60, 50), Arc(100, 50, 10, 0, 90), turned});
  struct Case {
    double x, y;
    double endX, endY, angle;
  };
  const Case cases[] = {
      {42, 51, 40, 50, 180},    // leaves the line to the left
      {58, 50, 60, 50, 0},      // to the right
      {109, 51, 110, 50, 270},  // the arc's start: start + rotation - 90
      {101, 59, 100, 60, 180},  // its end: end + rotation + 90
      {69, 89, 70, 90, 0},      // the turned arc's start: 0 + 90 - 90
      {61, 81, 60, 80, 270},    // its end: 90 + 90 + 90
  };
  for (const Case& c : cases) {
    double x = c.x, y = c.y, angle = -1;
    ASSERT_TRUE(Box().PickLineOrArcEnd(x, y, angle, false)) << c.x;
    EXPECT_NEAR(x, c.endX, 1e-9) << c.x;
    EXPECT_NEAR(y, c.endY, 1e-9) << c.x;
    EXPECT_NEAR(angle, c.angle, 1e-9) << c.x;
  }
  double x = 10, y = 90, angle = 5;
  EXPECT_FALSE(Box().PickLineOrArcEnd(x, y, angle, false));
  EXPECT_EQ(x, 10);
  EXPECT_EQ(angle, 5);
}

TEST_F(PickingTest, HighlightingMarksAndDrawsThePickedElement) {
  const RDrawElement flat = ColouredPicking(Line(40, 50, 60, 50), 3);
  const RDrawElement sloped = ColouredPicking(Line(40, 20, 60, 30), 3);
  const RDrawElement arc = ColouredPicking(Arc(100, 50, 10), 3);
  using Pick = std::function<bool(TcadBox&, double, double)>;
  std::int32_t index = 0;
  const struct {
    const char* name;
    Pick pick;
  } picks[] = {
      {"PickLineOrArc", [&](TcadBox& b, double x, double y) { return b.PickLineOrArc(index, true, x, y, 0); }},
      {"PickFilteredLineOrArc",
       [&](TcadBox& b, double x, double y) { return b.PickFilteredLineOrArc(index, true, x, y); }},
      {"PickLine", [&](TcadBox& b, double x, double y) { return b.PickLine(index, true, x, y); }},
  };
  for (const auto& p : picks) {
    SCOPED_TRACE(p.name);
    Box().ClearDrawing();
    Seed({flat, sloped, arc});
    ASSERT_TRUE(p.pick(Box(), 50, 50));
    EXPECT_EQ(PixelAt(50, 50), Box().Sentakucol) << "drawn at once";
    ASSERT_TRUE(p.pick(Box(), 50, 25));
    if (p.pick(Box(), 110, 50)) {
      EXPECT_EQ(Elements()[2].Selection, 1);
    }
    EXPECT_EQ(Elements()[0].Selection, 1);
    EXPECT_EQ(Elements()[1].Selection, 1);
    // A sloped line of the filtered pick shows with the repaint of its band.
    ExpectScreenMatchesRedraw();
  }
  Box().ClearDrawing();
  Seed({flat});
  ASSERT_TRUE(Box().PickFilteredLineOrArc(index, false, 50, 50));
  EXPECT_EQ(Elements()[0].Selection, 1) << "marked even without highlighting";
  EXPECT_EQ(PixelAt(50, 50), Box().ColourTable[3]);
}

TEST_F(PickingTest, TheColourTypeFilterOfTheFilteredPicks) {
  Seed({ColouredPicking(Line(40, 50, 60, 50), 2), ColouredPicking(Line(40, 52, 60, 52), 4)});
  Box().SetSelectionFilter(15, 0x3FF & ~(1 << 3), 0x1FF, 0x3FF, 0x3FF);  // colour 4 off
  std::int32_t index = 0;
  ASSERT_TRUE(Box().PickFilteredLineOrArc(index, false, 50, 51.9));
  EXPECT_EQ(index, 0) << "the nearer line of colour 4 is passed over";
  ASSERT_TRUE(Box().PickLine(index, false, 50, 51.9));
  EXPECT_EQ(index, 1) << "the plain pick takes every colour";
}

TEST_F(PickingTest, TogglingOneElement) {
  TcadBox& box = Box();
  const RDrawElement line = ColouredPicking(Line(40, 50, 60, 50), 3);
  RDrawElement point = ColouredPicking(Point(80, 50), 5);
  Seed({line, point});
  std::int32_t index = -5;
  ASSERT_TRUE(box.ToggleSelectElementAt(index, 50, 51));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(Elements()[0].Selection, 1);
  EXPECT_EQ(PixelAt(50, 50), box.Sentakucol);
  EXPECT_TRUE(box.HaniAka_Cyu);
  ASSERT_TRUE(box.ToggleSelectElementAt(index, 50, 51));
  EXPECT_EQ(Elements()[0].Selection, 0);
  EXPECT_EQ(PixelAt(50, 50), box.ColourTable[3]);
  ExpectScreenMatchesRedraw();

  // A point toggled on and off shows again in its own colour; only its
  // colour is filtered.
  box.SetSelectionFilter(15, 0x3FF, 0, 0x3FF, 0x3FF);  // every line type off
  ASSERT_TRUE(box.ToggleSelectElementAt(index, 81, 51));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(Elements()[1].Selection, 1);
  ExpectScreenMatchesRedraw();
  ASSERT_TRUE(box.ToggleSelectElementAt(index, 81, 51));
  EXPECT_EQ(Elements()[1].Selection, 0);
  ExpectScreenMatchesRedraw();
  EXPECT_FALSE(box.ToggleSelectElementAt(index, 50, 51)) << "the line's type is filtered";

  box.HaniAka_Cyu = false;
  EXPECT_FALSE(box.ToggleSelectElementAt(index, 10, 90));
  EXPECT_EQ(index, -1);
  EXPECT_TRUE(box.HaniAka_Cyu) << "set whatever is found";
}

TEST_F(PickingTest, TogglingTakesTheShortestTextUnderTheCursorAndKeepsTheIndex) {
  TcadBox& box = Box();
  const RDrawElement longer = StyledText(Store().ElementTexts, J("long"), 40, 50, 70, 50, 1);
  const RDrawElement shorter = StyledText(Store().ElementTexts, J("short"), 40, 50, 50, 50, 1);
  // A line under the same point (but clear of the letters) loses to the texts.
  Seed({longer, shorter, Line(47, 51, 60, 51)});
  std::int32_t index = 77;
  ASSERT_TRUE(box.ToggleSelectElementAt(index, 45, 51));
  EXPECT_EQ(index, 77);
  EXPECT_EQ(Elements()[0].Selection, 0);
  EXPECT_EQ(Elements()[1].Selection, 1);
  EXPECT_EQ(Elements()[2].Selection, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(PickingTest, ALineOrTheBaseLineOfATextByItsCoordinates) {
  const RDrawElement text = StyledText(Store().ElementTexts, J("text"), 40, 70, 60, 70, 1);
  Seed({text, ColouredPicking(Line(40, 40, 60, 40), 1)});
  Box().SetSelectionFilter(15, 0x3FE, 0x1FF, 0x3FF, 0x3FF);  // colour 1 off
  RPointPair coords;
  // A base line is met by the square: 3.9 below the cursor too.
  ASSERT_TRUE(Box().PickLineCoords(coords, true, 50, 73.9));
  EXPECT_EQ(coords.xa, 40);
  EXPECT_EQ(coords.ya, 70);
  EXPECT_EQ(coords.xb, 60);
  EXPECT_EQ(coords.yb, 70);
  EXPECT_FALSE(Box().PickPlainLineCoords(coords, 50, 73.9)) << "no texts there";
  EXPECT_FALSE(Box().PickLineCoords(coords, true, 50, 41)) << "the filter passes over the line";
  ASSERT_TRUE(Box().PickLineCoords(coords, false, 50, 41));
  EXPECT_EQ(coords.ya, 40);
  std::int32_t index = -1;
  ASSERT_TRUE(Box().PickShownElement(index, false, 50, 73.9));
  EXPECT_EQ(index, 0) << "the shown-element pick offers texts the same way";
}

}  // namespace
