// The selection filter, the range selections and their withdrawal, and the
// deletions at a point and by index.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "commands/framework/command_framework.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "support/command_harness.h"

namespace {

using SelectionTest = CommandHarness;

// ---- Filter -----------------------------------------------------------------------

TEST(SelectionFilter, AControlStartsTakingEverythingButOnlyObliqueLines) {
  const RSelectionFilter f;
  EXPECT_TRUE(f.Texts && f.Points && f.Lines && f.Arcs);
  EXPECT_FALSE(f.ObliqueOnly);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_TRUE(f.Colours[n] && f.TextStyles[n] && f.PointColours[n]) << n;
    if (n <= 9) {
      EXPECT_TRUE(f.LineTypes[n]) << n;
    }
  }
}

TEST_F(SelectionTest, TheSetterTakesKindBitsAndOneBitPerNumber) {
  TcadBox& box = Box();
  // Kinds: 1 texts, 4 lines, 16 oblique only; colours 1 and 3; line type 9;
  // text style 10; point colour 2.
  box.SetSelectionFilter(1 | 4 | 16, 0b101, 1 << 8, 1 << 9, 0b10);
  const RSelectionFilter& f = box.SelectionFilter;
  EXPECT_TRUE(f.Texts);
  EXPECT_FALSE(f.Points);
  EXPECT_TRUE(f.Lines);
  EXPECT_FALSE(f.Arcs);
  EXPECT_TRUE(f.ObliqueOnly);
  EXPECT_TRUE(f.Colours[1]);
  EXPECT_FALSE(f.Colours[2]);
  EXPECT_TRUE(f.Colours[3]);
  EXPECT_FALSE(f.Colours[4]);
  EXPECT_FALSE(f.LineTypes[8]);
  EXPECT_TRUE(f.LineTypes[9]);
  EXPECT_TRUE(f.TextStyles[10]);
  EXPECT_FALSE(f.TextStyles[1]);
  EXPECT_TRUE(f.PointColours[2]);
  EXPECT_FALSE(f.PointColours[1]);
}

TEST_F(SelectionTest, FilterPredicates) {
  TcadBox& box = Box();
  // Everything on but colour 3, line type 4, text style 5 and point colour 6.
  box.SetSelectionFilter(15, 0x3FF & ~(1 << 2), 0x1FF & ~(1 << 3), 0x3FF & ~(1 << 4), 0x3FF & ~(1 << 5));
  struct ColourType {
    std::uint8_t colour, lineType;
    bool passes;
  };
  const ColourType colourTypes[] = {
      {0, 0, true},  {1, 1, true},    {3, 1, false},  {3, 0, false},  {3, 12, false},  // a colour off decides
      {1, 4, false}, {0, 4, false},   {11, 4, false},                                  // then the line type
      {11, 0, true}, {200, 10, true}, {0, 9, true},   {10, 100, true}};                // outside 1..10 and 1..9
  for (const ColourType& c : colourTypes) {
    EXPECT_EQ(box.MatchesColorTypeFilter(c.colour, c.lineType), c.passes)
        << "colour " << int(c.colour) << " type " << int(c.lineType);
  }
  struct Number {
    std::uint8_t n;
    bool style, pointColour;
  };
  // Styles and point colours outside 1 to 10 never pass.
  const Number numbers[] = {{0, false, false}, {1, true, true},    {5, false, true},   {6, true, false},
                            {10, true, true},  {11, false, false}, {255, false, false}};
  for (const Number& c : numbers) {
    EXPECT_EQ(box.MatchesTextStyleFilter(c.n), c.style) << int(c.n);
    EXPECT_EQ(box.MatchesPointColorFilter(c.n), c.pointColour) << int(c.n);
  }
}

TEST(ObliqueTest, DirectionsWithinTenDegreesOfAnAxisFailButTheBoundsPass) {
  struct Case {
    double direction;
    bool oblique;
  };
  const Case cases[] = {{0, false},      {9.99, false},  {10, true},  {45, true},      {80, true},      {80.01, false},
                        {90, false},     {99.99, false}, {100, true}, {170, true},     {170.01, false}, {180, false},
                        {189.99, false}, {190, true},    {225, true}, {260, true},     {260.01, false}, {270, false},
                        {279.99, false}, {280, true},    {350, true}, {350.01, false}, {359.99, false}};
  for (const Case& c : cases) EXPECT_EQ(IsObliqueDirection(c.direction), c.oblique) << c.direction;
}

TEST_F(SelectionTest, WithObliqueOnlyAWindowTakesSlopedLinesWhateverTheLinesFlag) {
  // The lines flag off: the oblique-only flag decides alone.
  Box().SetSelectionFilter(16, 0x3FF, 0x1FF, 0x3FF, 0x3FF);
  Seed({Line(10, 10, 30, 10), Line(10, 20, 30, 40), Line(50, 10, 50, 40)});
  Box().SelectWindowRange(false, 0, 0, 128, 96);
  EXPECT_EQ(Elements()[0].Selection, 0);
  EXPECT_EQ(Elements()[1].Selection, 1);
  EXPECT_EQ(Elements()[2].Selection, 0);
  ExpectScreenMatchesRedraw();
}

// ---- Range selections by hand ------------------------------------------------------

enum class RangeOp { Select, Stretch, Outside, Deselect };

RDrawElement Coloured(RDrawElement e, std::uint8_t colour = 1) {
  e.ColorNo = colour;
  return e;
}

// The fixtures, each alone in the drawing. Test segments, worked out:
//   line (10,10)-(20,10) and rectangle (30,10)-(40,20): their two points;
//   text (50,10)-(60,10): its base line; point (70,15): itself;
//   closed circle (90,15) r 5: its diagonal S (85,10)-(95,20), twice;
//   ellipse (110,15) r 6 ratio 0.5 turned 90: S (104,9)-(116,21), and for
//     the window selection the narrow diagonal (107,9)-(113,21) (turned 0:
//     (104,12)-(116,18));
//   open arc (20,50) r 8 from 0 to 90: S (12,42)-(28,58) and its chord K
//     (28,50)-(20,58); a crossing window tests (-10000,-10000) for S.
const RDrawElement kLine = Coloured(Line(10, 10, 20, 10));
RDrawElement Rectangle() {
  RDrawElement e = Coloured(Line(30, 10, 40, 20));
  e.Kind = kKindRect;
  return e;
}
const RDrawElement kRect = Rectangle();
// Its string is given where it is seeded.
RDrawElement TextOfStyle(std::uint8_t style) {
  Tdrawinp::TextList none;
  RDrawElement e = StyledText(none, "", 50, 10, 60, 10, style);
  e.TextIndex = 0;
  return e;
}
const RDrawElement kText = TextOfStyle(1);
const RDrawElement kPoint = Coloured(Point(70, 15));
const RDrawElement kCircle = Coloured(Arc(90, 15, 5));
const RDrawElement kEllipse90 = Coloured(Arc(110, 15, 6, 0, 0, 0.5, 90));
const RDrawElement kEllipse0 = Coloured(Arc(110, 15, 6, 0, 0, 0.5, 0));
const RDrawElement kOpenArc = Coloured(Arc(20, 50, 8, 0, 90));
// kOpenArc turned by 90 degrees: it runs from 90 to 180, its chord from
// (20, 58) to (12, 50).
const RDrawElement kTurnedOpenArc = Coloured(Arc(20, 50, 8, 0, 90, 1, 90));
// kEllipse90 turned otherwise.
RDrawElement Turned(float rotation) { return Coloured(Arc(110, 15, 6, 0, 0, 0.5, rotation)); }

struct RangeCase {
  const char* name;
  RDrawElement element;
  RangeOp op;
  bool crossing;
  RPointPair window;
  bool haniBefore;
  std::uint8_t selection;  // expected after
  std::uint8_t scratch;
  bool hani;
  std::uint8_t selectionBefore = 0;
  std::uint8_t scratchBefore = 0;
  std::uint8_t layerState = kLayerEditable;
  std::uint8_t kinds = 15;
  std::uint16_t colours = 0x3FF;
};

constexpr std::uint8_t kAllButLines = 1 | 2 | 8;
constexpr std::uint16_t kAllButColour1 = 0x3FE;
constexpr std::uint16_t kAllButColour10 = 0x1FF;

const RangeCase kRangeCases[] = {
    // name, element, operation, crossing, window, HaniAka_Cyu before; then Selection, Scratch and
    // HaniAka_Cyu after; Selection and Scratch before, layer state, kind bits and colours where not 0, 0,
    // editable, all.
    {"line inside", kLine, RangeOp::Select, false, {5, 5, 25, 15}, false, 1, 0, true},
    {"line half out: window", kLine, RangeOp::Select, false, {15, 5, 25, 15}, true, 0, 0, true},
    {"line half out: crossing", kLine, RangeOp::Select, true, {15, 5, 25, 15}, false, 1, 0, true},
    {"line of a reference layer",
     kLine,
     RangeOp::Select,
     false,
     {5, 5, 25, 15},
     true,
     0,
     0,
     false,
     0,
     0,
     kLayerReference},
    {"line of a hidden layer", kLine, RangeOp::Select, false, {5, 5, 25, 15}, true, 0, 0, true, 0, 0, kLayerHidden},
    {"line, lines off",
     kLine,
     RangeOp::Select,
     false,
     {5, 5, 25, 15},
     true,
     0,
     0,
     false,
     0,
     0,
     kLayerEditable,
     kAllButLines},
    {"line, its colour off",
     kLine,
     RangeOp::Select,
     false,
     {5, 5, 25, 15},
     true,
     0,
     0,
     true,
     0,
     0,
     kLayerEditable,
     15,
     kAllButColour1},
    {"line marked 10 outside", kLine, RangeOp::Select, false, {50, 50, 60, 60}, false, 0, 0, false, 10},
    {"line marked 10 inside", kLine, RangeOp::Select, false, {5, 5, 25, 15}, false, 1, 0, true, 10},
    {"line marked for stretching", kLine, RangeOp::Select, false, {50, 50, 60, 60}, false, 0, 0, false, 0, 2},
    {"rectangle inside", kRect, RangeOp::Select, false, {25, 5, 45, 25}, false, 1, 0, true},
    {"rectangle half out: window", kRect, RangeOp::Select, false, {25, 5, 35, 25}, false, 0, 0, false},
    {"rectangle half out: crossing", kRect, RangeOp::Select, true, {25, 5, 35, 25}, false, 1, 0, true},
    // The window (38,5)-(45,12) holds its corner (40,10) and cuts its bottom
    // and right sides, but misses its diagonal (30,10)-(40,20).
    {"rectangle, a corner in: crossing", kRect, RangeOp::Select, true, {38, 5, 45, 12}, false, 1, 0, true},
    {"rectangle, a corner in: window", kRect, RangeOp::Select, false, {38, 5, 45, 12}, false, 0, 0, false},
    // (33,13)-(37,17) lies inside it: its diagonal runs through, no side does.
    {"rectangle around the window: crossing", kRect, RangeOp::Select, true, {33, 13, 37, 17}, false, 0, 0, false},
    {"text", kText, RangeOp::Select, false, {45, 5, 65, 15}, false, 1, 0, true},
    {"text of style 0", TextOfStyle(0), RangeOp::Select, false, {45, 5, 65, 15}, true, 0, 0, true},
    {"point", kPoint, RangeOp::Select, false, {65, 10, 75, 20}, false, 1, 0, true},
    {"point of colour 11", Coloured(Point(70, 15), 11), RangeOp::Select, false, {65, 10, 75, 20}, true, 0, 0, true},
    {"point, points off",
     kPoint,
     RangeOp::Select,
     false,
     {65, 10, 75, 20},
     true,
     0,
     0,
     false,
     0,
     0,
     kLayerEditable,
     1 | 4 | 8},
    {"closed circle inside", kCircle, RangeOp::Select, false, {84, 9, 96, 21}, false, 1, 0, true},
    {"closed circle cut: window", kCircle, RangeOp::Select, false, {86, 9, 96, 21}, false, 0, 0, false},
    {"closed circle cut: crossing", kCircle, RangeOp::Select, true, {86, 9, 96, 21}, false, 1, 0, true},
    {"circle, arcs off",
     kCircle,
     RangeOp::Select,
     false,
     {84, 9, 96, 21},
     true,
     0,
     0,
     false,
     0,
     0,
     kLayerEditable,
     1 | 2 | 4},
    {"ellipse turned 90 by its narrow diagonal",
     kEllipse90,
     RangeOp::Select,
     false,
     {106, 8, 114, 22},
     false,
     1,
     0,
     true},
    {"ellipse turned 0, same window", kEllipse0, RangeOp::Select, false, {106, 8, 114, 22}, false, 0, 0, false},
    // The narrow diagonal stands upright for turns from 80 to 100 and from
    // 260 to 280, both ends included; a hundredth outside, the ellipse lies
    // along x and the window is too narrow for it.
    {"ellipse turned 79.99", Turned(79.99f), RangeOp::Select, false, {106, 8, 114, 22}, false, 0, 0, false},
    {"ellipse turned 80", Turned(80), RangeOp::Select, false, {106, 8, 114, 22}, false, 1, 0, true},
    {"ellipse turned 80.01", Turned(80.01f), RangeOp::Select, false, {106, 8, 114, 22}, false, 1, 0, true},
    {"ellipse turned 100", Turned(100), RangeOp::Select, false, {106, 8, 114, 22}, false, 1, 0, true},
    {"ellipse turned 100.01", Turned(100.01f), RangeOp::Select, false, {106, 8, 114, 22}, false, 0, 0, false},
    {"ellipse turned 259.99", Turned(259.99f), RangeOp::Select, false, {106, 8, 114, 22}, false, 0, 0, false},
    {"ellipse turned 260", Turned(260), RangeOp::Select, false, {106, 8, 114, 22}, false, 1, 0, true},
    {"ellipse turned 280", Turned(280), RangeOp::Select, false, {106, 8, 114, 22}, false, 1, 0, true},
    {"ellipse turned 280.01", Turned(280.01f), RangeOp::Select, false, {106, 8, 114, 22}, false, 0, 0, false},
    // Colour 10 is the last colour the filter knows: off, it keeps the line
    // out; colour 9 passes that filter, and 11 passes any.
    {"line of colour 10, colour 10 off",
     Coloured(Line(10, 10, 20, 10), 10),
     RangeOp::Select,
     false,
     {5, 5, 25, 15},
     true,
     0,
     0,
     true,
     0,
     0,
     kLayerEditable,
     15,
     kAllButColour10},
    {"line of colour 9, colour 10 off",
     Coloured(Line(10, 10, 20, 10), 9),
     RangeOp::Select,
     false,
     {5, 5, 25, 15},
     false,
     1,
     0,
     true,
     0,
     0,
     kLayerEditable,
     15,
     kAllButColour10},
    {"line of colour 11, colour 10 off",
     Coloured(Line(10, 10, 20, 10), 11),
     RangeOp::Select,
     false,
     {5, 5, 25, 15},
     false,
     1,
     0,
     true,
     0,
     0,
     kLayerEditable,
     15,
     kAllButColour10},
    {"line of colour 10, colours 1 to 9 off",
     Coloured(Line(10, 10, 20, 10), 10),
     RangeOp::Select,
     false,
     {5, 5, 25, 15},
     false,
     1,
     0,
     true,
     0,
     0,
     kLayerEditable,
     15,
     0x200},
    {"open arc by its chord", kOpenArc, RangeOp::Select, false, {18, 48, 30, 60}, false, 1, 0, true},
    {"open arc: crossing its diagonal only", kOpenArc, RangeOp::Select, true, {10, 40, 14, 44}, true, 0, 0, true},
    {"open arc: crossing its chord", kOpenArc, RangeOp::Select, true, {26, 48, 30, 52}, false, 1, 0, true},
    // Its diagonal (12, 42)-(28, 58) reaches below and right of both windows.
    {"turned open arc by its turned chord",
     kTurnedOpenArc,
     RangeOp::Select,
     false,
     {10, 48, 22, 60},
     false,
     1,
     0,
     true},
    {"turned open arc: the unturned chord's window",
     kTurnedOpenArc,
     RangeOp::Select,
     false,
     {18, 48, 30, 60},
     false,
     0,
     0,
     false},

    {"stretch: line, second end inside", kLine, RangeOp::Stretch, false, {15, 5, 25, 15}, false, 1, 2, true},
    {"stretch: line, first end inside", kLine, RangeOp::Stretch, false, {5, 5, 15, 15}, false, 1, 1, true},
    {"stretch: line inside", kLine, RangeOp::Stretch, false, {5, 5, 25, 15}, false, 1, 0, true},
    {"stretch: a marked line loses its mark", kLine, RangeOp::Stretch, false, {15, 5, 25, 15}, false, 1, 0, true, 1, 2},
    {"stretch: line, lines off",
     kLine,
     RangeOp::Stretch,
     false,
     {15, 5, 25, 15},
     true,
     0,
     0,
     false,
     0,
     0,
     kLayerEditable,
     kAllButLines},
    {"stretch: line, its colour off",
     kLine,
     RangeOp::Stretch,
     false,
     {15, 5, 25, 15},
     true,
     0,
     0,
     true,
     0,
     0,
     kLayerEditable,
     15,
     kAllButColour1},
    {"stretch: line of a reference layer",
     kLine,
     RangeOp::Stretch,
     false,
     {5, 5, 25, 15},
     true,
     0,
     0,
     true,
     0,
     0,
     kLayerReference},
    {"stretch: rectangle half in", kRect, RangeOp::Stretch, false, {25, 5, 35, 25}, true, 0, 0, true},
    {"stretch: rectangle inside", kRect, RangeOp::Stretch, false, {25, 5, 45, 25}, false, 1, 0, true},
    {"stretch: text of style 0", TextOfStyle(0), RangeOp::Stretch, false, {45, 5, 65, 15}, false, 1, 0, true},
    {"stretch: point of colour 11",
     Coloured(Point(70, 15), 11),
     RangeOp::Stretch,
     false,
     {65, 10, 75, 20},
     false,
     1,
     0,
     true},
    {"stretch: open arc by its chord", kOpenArc, RangeOp::Stretch, false, {18, 48, 30, 60}, false, 1, 0, true},
    {"stretch: closed circle cut", kCircle, RangeOp::Stretch, false, {86, 9, 96, 21}, false, 0, 0, false},

    {"outside: line away", kLine, RangeOp::Outside, false, {50, 50, 60, 60}, false, 1, 0, true},
    {"outside: line inside", kLine, RangeOp::Outside, false, {5, 5, 25, 15}, false, 0, 0, false},
    {"outside: line half in", kLine, RangeOp::Outside, false, {15, 5, 25, 15}, false, 1, 0, true},
    {"outside: line, lines off",
     kLine,
     RangeOp::Outside,
     false,
     {50, 50, 60, 60},
     false,
     0,
     0,
     true,
     0,
     0,
     kLayerEditable,
     kAllButLines},
    {"outside: line, its colour off",
     kLine,
     RangeOp::Outside,
     false,
     {50, 50, 60, 60},
     false,
     0,
     0,
     false,
     0,
     0,
     kLayerEditable,
     15,
     kAllButColour1},
    {"outside: line of a reference layer",
     kLine,
     RangeOp::Outside,
     false,
     {50, 50, 60, 60},
     false,
     0,
     0,
     false,
     0,
     0,
     kLayerReference},
    {"outside: line marked 10 inside", kLine, RangeOp::Outside, false, {5, 5, 25, 15}, false, 10, 0, false, 10},
    {"outside: open arc, its diagonal inside", kOpenArc, RangeOp::Outside, false, {10, 40, 30, 60}, false, 0, 0, false},
    {"outside: open arc, only its chord inside",
     kOpenArc,
     RangeOp::Outside,
     false,
     {18, 48, 30, 60},
     false,
     1,
     0,
     true},
    {"outside: text of style 0", TextOfStyle(0), RangeOp::Outside, false, {50, 50, 60, 60}, false, 1, 0, true},

    {"deselect: line inside", kLine, RangeOp::Deselect, false, {5, 5, 25, 15}, true, 0, 0, true, 1},
    {"deselect: line half in, window", kLine, RangeOp::Deselect, false, {15, 5, 25, 15}, true, 1, 0, true, 1},
    {"deselect: line half in, crossing", kLine, RangeOp::Deselect, true, {15, 5, 25, 15}, true, 0, 0, true, 1},
    {"deselect: line marked 10", kLine, RangeOp::Deselect, false, {5, 5, 25, 15}, true, 0, 0, true, 10},
    {"deselect: stretch-marked line", kLine, RangeOp::Deselect, false, {5, 5, 25, 15}, true, 0, 0, true, 1, 2},
    {"deselect: line of a reference layer",
     kLine,
     RangeOp::Deselect,
     false,
     {5, 5, 25, 15},
     true,
     1,
     0,
     true,
     1,
     0,
     kLayerReference},
    {"deselect: line, lines off",
     kLine,
     RangeOp::Deselect,
     false,
     {5, 5, 25, 15},
     true,
     1,
     0,
     true,
     1,
     0,
     kLayerEditable,
     kAllButLines},
    {"deselect: open arc by its chord", kOpenArc, RangeOp::Deselect, false, {18, 48, 30, 60}, true, 0, 0, true, 1},
    {"deselect: closed circle cut, window", kCircle, RangeOp::Deselect, false, {86, 9, 96, 21}, true, 1, 0, true, 1},
    {"deselect: closed circle cut, crossing", kCircle, RangeOp::Deselect, true, {86, 9, 96, 21}, true, 0, 0, true, 1},
    {"deselect: text of style 0", TextOfStyle(0), RangeOp::Deselect, false, {45, 5, 65, 15}, true, 0, 0, true, 1},
};

TEST_F(SelectionTest, RangeOperationsByTheirTestSegments) {
  TcadBox& box = Box();
  for (const RangeCase& c : kRangeCases) {
    SCOPED_TRACE(c.name);
    box.ClearDrawing();
    Store().LayerStates.fill(kLayerEditable);
    Store().LayerStates[3] = c.layerState;
    box.SetSelectionFilter(c.kinds, c.colours, 0x1FF, 0x3FF, 0x3FF);
    RDrawElement e = c.element;
    e.Layer = 3;
    e.Selection = c.selectionBefore;
    e.Scratch = c.scratchBefore;
    if (e.Kind == kKindText) {
      Store().ElementTexts.push_back(J("ab"));
      e.TextIndex = 0;
    }
    Seed({e});
    box.HaniAka_Cyu = c.haniBefore;
    const RPointPair& w = c.window;
    switch (c.op) {
      case RangeOp::Select: box.SelectWindowRange(c.crossing, w.xa, w.ya, w.xb, w.yb); break;
      case RangeOp::Stretch: box.SelectParametricRange(w.xa, w.ya, w.xb, w.yb); break;
      case RangeOp::Outside: box.SelectOutsideWindowRange(w.xa, w.ya, w.xb, w.yb); break;
      case RangeOp::Deselect: box.DeselectWindowRange(c.crossing, w.xa, w.ya, w.xb, w.yb); break;
    }
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(Elements()[0].Selection, c.selection);
    EXPECT_EQ(Elements()[0].Scratch, c.scratch);
    EXPECT_EQ(box.HaniAka_Cyu, c.hani);
    ExpectScreenMatchesRedraw();
  }
}

// At zoom 1 a line 0.4 long or less is too small to draw: the outside
// range marks it without drawing it, and it does not count as a selection
// shown. Lines from x = 0, so that the length is exact.
TEST_F(SelectionTest, TheOutsideRangeOnlyMarksLinesTooSmallToDraw) {
  TcadBox& box = Box();
  ASSERT_EQ(box.Zoom, 1.0);
  struct Case {
    double length;
    bool shown;
  } cases[] = {{0.4, false}, {0.3999999, false}, {0.4000001, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    box.ClearDrawing();
    Seed({Line(0, 10, c.length, 10)});
    box.HaniAka_Cyu = false;
    box.SelectOutsideWindowRange(50, 50, 60, 60);
    EXPECT_EQ(Elements()[0].Selection, 1);
    EXPECT_EQ(box.HaniAka_Cyu, c.shown);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SelectionTest, WindowAndCrossingAgreeWithTheSegmentTestLineByLine) {
  // Lines all about the window (20, 20)-(60, 50), many ending on its edges
  // or a hair beside them.
  const double edges[] = {20, 50, 60, 20 - 1e-12, 60 + 1e-12, 50 + 1e-13, 35, 0, 90};
  std::vector<RDrawElement> lines;
  std::uint32_t seed = 7;
  const auto pick = [&seed, &edges] {
    seed = seed * 1664525u + 1013904223u;
    return edges[(seed >> 16) % std::size(edges)];
  };
  for (int i = 0; i < 400; ++i) lines.push_back(Line(pick(), pick(), pick(), pick()));
  for (const RDrawElement& e : lines) Store().AddElementChecked(e);
  RedrawAsTheHostDoes();
  for (const bool crossing : {false, true}) {
    Box().SelectWindowRange(crossing, 60, 20, 20, 50);
    for (const RDrawElement& e : Elements()) {
      const bool expected = SegmentSelectedByRect(crossing, e.X1, e.Y1, e.X2, e.Y2, 60, 20, 20, 50);
      EXPECT_EQ(e.Selection, expected ? 1 : 0) << DescribeElement(e) << (crossing ? " crossing" : "");
    }
    ExpectScreenMatchesRedraw();
    Box().DeselectAll();
  }
}

TEST_F(SelectionTest, AWindowCornersMayComeInAnyOrder) {
  Seed({kLine, kPoint});
  Box().SelectWindowRange(false, 75, 20, 5, 5);
  EXPECT_EQ(Elements()[0].Selection, 1);
  EXPECT_EQ(Elements()[1].Selection, 1);
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, AWindowSelectionWithATakenAndADisabledElement) {
  // The taken line shows the selection; the point of the disabled kind
  // then sets HaniAka_Cyu to what was selected.
  Box().SetSelectionFilter(1 | 4 | 8, 0x3FF, 0x1FF, 0x3FF, 0x3FF);
  Seed({kLine, kPoint});
  Box().SelectWindowRange(false, 0, 0, 128, 96);
  EXPECT_TRUE(Box().HaniAka_Cyu);
  ExpectScreenMatchesRedraw();
  Box().DeselectAll();
  Box().SetSelectionFilter(1 | 8, 0x3FF, 0x1FF, 0x3FF, 0x3FF);  // now nothing is taken
  Box().HaniAka_Cyu = true;
  Box().SelectWindowRange(false, 0, 0, 128, 96);
  EXPECT_FALSE(Box().HaniAka_Cyu);
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, AWindowSelectionClearsTheScratchValuesOfItsLayers) {
  RDrawElement marked = kLine;
  marked.ScratchWord = 7;
  marked.ScratchByte = 3;
  marked.Scratch = 1;
  const RDrawElement hidden = OnLayer(Store(), marked, 3, kLayerHidden);
  Seed({marked, hidden});
  Box().SelectWindowRange(false, 50, 50, 60, 60);
  EXPECT_EQ(Value(Elements()[0].ScratchWord), 0);
  EXPECT_EQ(Elements()[0].ScratchByte, 0);
  EXPECT_EQ(Elements()[0].Scratch, 0);
  // Only the scratch mark of the line on the hidden layer goes.
  EXPECT_EQ(Value(Elements()[1].ScratchWord), 7);
  EXPECT_EQ(Elements()[1].ScratchByte, 3);
  EXPECT_EQ(Elements()[1].Scratch, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, StretchingPutsTheEndToMoveSecondAndASecondRunClearsTheMark) {
  Seed({kLine});
  // The first end lies in the range: the line is turned round.
  Box().SelectParametricRange(5, 5, 15, 15);
  RDrawElement turned = kLine;
  turned.X1 = 20;
  turned.X2 = 10;
  turned.Selection = 1;
  turned.Scratch = 1;
  ExpectElements({turned});
  ExpectScreenMatchesRedraw();
  Box().SelectParametricRange(5, 5, 15, 15);
  turned.Scratch = 0;
  ExpectElements({turned});
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, HighlightsAndWithdrawalsShowOnTheImage) {
  TcadBox& box = Box();
  RDrawElement green = kLine;
  green.ColorNo = 3;
  const RDrawElement reference = OnLayer(Store(), Line(10, 30, 20, 30), 3, kLayerReference);
  RDrawElement text = kText;
  Store().ElementTexts.push_back(J("ab"));
  const RDrawElement second = Coloured(Line(10, 20, 20, 20), 1);
  Seed({green, second, reference, text});
  box.SelectWindowRange(true, 0, 0, 128, 96);
  EXPECT_EQ(PixelAt(15, 10), box.Sentakucol);
  EXPECT_EQ(PixelAt(15, 20), box.Sentakucol);
  EXPECT_EQ(PixelAt(15, 30), box.Sentakucol3) << "a reference line is not taken";
  ExpectScreenMatchesRedraw();

  box.Mozi_No = 7;
  box.DeselectAll();
  EXPECT_EQ(PixelAt(15, 10), box.ColourTable[3]);
  EXPECT_EQ(PixelAt(15, 20), box.ColourTable[1]);
  EXPECT_EQ(Elements()[0].Selection, 10);
  EXPECT_EQ(Elements()[2].Selection, 0);
  EXPECT_EQ(box.Mozi_No, 7);
  EXPECT_FALSE(box.HaniAka_Cyu);
  ExpectScreenMatchesRedraw();

  // Marked 10, the line is taken again like one marked 0.
  box.SelectWindowRange(false, 5, 5, 25, 15);
  EXPECT_EQ(Elements()[0].Selection, 1);
  EXPECT_EQ(PixelAt(15, 10), box.Sentakucol);
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, DeselectingAllMarksALineNoLongerEditableWithoutDrawingIt) {
  TcadBox& box = Box();
  RDrawElement line = OnLayer(Store(), kLine, 3, kLayerEditable);
  line.Selection = 1;
  line.Scratch = 2;
  Seed({line});
  // The layer turns to a reference layer after the line was highlighted.
  Store().LayerStates[3] = kLayerReference;
  box.HaniAka_Cyu = true;
  box.DeselectAll();
  EXPECT_EQ(Elements()[0].Selection, 10);
  EXPECT_EQ(Elements()[0].Scratch, 0);
  EXPECT_FALSE(box.HaniAka_Cyu);
  // Still dashed in the selection colour (the first dash covers 10 to 11.6):
  // a line no longer editable is left as it is shown until the next full
  // redraw, which draws it in the colour of its reference layer.
  EXPECT_EQ(PixelAt(10.4, 10), box.Sentakucol) << "not drawn";
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(10.4, 10), box.Sentakucol3);
}

TEST_F(SelectionTest, DeselectingOneElementOnlyInTheSinglePickModes) {
  TcadBox& box = Box();
  RDrawElement picked = kLine;
  picked.Selection = 1;
  RDrawElement reference = OnLayer(Store(), Line(10, 30, 20, 30), 3, kLayerReference);
  reference.Selection = 1;
  Seed({picked, reference});
  box.ButonType = dtHani;
  box.HaniAka_Cyu = true;
  box.DeselectElement(0);
  EXPECT_EQ(Elements()[0].Selection, 1) << "not a single-pick mode";
  EXPECT_TRUE(box.HaniAka_Cyu);

  box.ButonType = dttreming;
  box.DeselectElement(2);  // the element count
  box.DeselectElement(-1);
  EXPECT_TRUE(box.HaniAka_Cyu) << "no element there";
  box.DeselectElement(0);
  EXPECT_EQ(Elements()[0].Selection, 10);
  EXPECT_EQ(PixelAt(15, 10), box.ColourTable[1]);
  EXPECT_FALSE(box.HaniAka_Cyu);
  box.DeselectElement(1);
  EXPECT_EQ(Elements()[1].Selection, 10) << "marked, not drawn";
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, TheCancelAllWithdrawsThePicksInSinglePickModesOnly) {
  TcadBox& box = Box();
  RDrawElement a = kLine, b = Coloured(Line(10, 30, 20, 30), 3);
  a.Selection = 1;
  b.Selection = 1;
  for (const Sbuttontype mode : {dtHani, dtSen}) {
    SCOPED_TRACE(mode == dtSen ? "single pick" : "range");
    box.ClearDrawing();
    Seed({a, b});
    box.ButonType = mode;
    box.PickedIndex = {0, 0, -1, -1, 1, -1};
    CancelCommands();
    const std::uint8_t expected = mode == dtSen ? 10 : 1;
    EXPECT_EQ(Elements()[0].Selection, expected);
    EXPECT_EQ(Elements()[1].Selection, expected);
    ExpectScreenMatchesRedraw();
  }
}

// A line changed in look by a selection or its withdrawal lies under the
// line drawn after it, as in the redraw: the line A (10, 20)-(40, 20) of
// colour 1 under B (25, 10)-(25, 30) of colour 3, which no operation takes.
TEST_F(SelectionTest, AChangedLookLeavesTheLaterElementsOverIt) {
  TcadBox& box = Box();
  struct Case {
    const char* name;
    std::uint8_t selectedBefore;
    std::function<void(TcadBox&)> run;
    std::uint8_t selectedAfter;
  };
  const Case cases[] = {
      {"window", 0, [](TcadBox& b) { b.SelectWindowRange(false, 5, 15, 45, 25); }, 1},
      {"crossing", 0, [](TcadBox& b) { b.SelectWindowRange(true, 5, 18, 15, 22); }, 1},
      {"stretch", 0, [](TcadBox& b) { b.SelectParametricRange(5, 15, 15, 25); }, 1},
      {"outside", 0, [](TcadBox& b) { b.SelectOutsideWindowRange(20, 5, 30, 35); }, 1},
      {"withdrawn by a window", 1, [](TcadBox& b) { b.DeselectWindowRange(false, 5, 15, 45, 25); }, 0},
      {"withdrawn all", 1, [](TcadBox& b) { b.DeselectAll(); }, 10},
      {"withdrawn one", 1,
       [](TcadBox& b) {
         b.ButonType = dttreming;
         b.DeselectElement(0);
       },
       10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box.ClearDrawing();
    box.ButonType = dtNo;
    RDrawElement a = Coloured(Line(10, 20, 40, 20), 1);
    a.Selection = c.selectedBefore;
    Seed({a, Coloured(Line(25, 10, 25, 30), 3)});
    c.run(box);
    EXPECT_EQ(Elements()[0].Selection, c.selectedAfter);
    EXPECT_EQ(Elements()[1].Selection, 0);
    EXPECT_EQ(PixelAt(25, 20), box.ColourTable[3]) << "the later line over it";
    ExpectScreenMatchesRedraw();
  }
}

// ---- Deletion ---------------------------------------------------------------------

// A deleted element is logged with its selection cleared.
RDrawElement DeletedUnselected(RDrawElement e) {
  e.UndoMark = kUndoDeleted;
  e.Selection = 0;
  return e;
}

TEST_F(SelectionTest, DeletingAtAPointTakesTheNearestLineArcOrPointAsOneStep) {
  struct Case {
    const char* name;
    double x, y;
    std::size_t deleted;
  };
  const RDrawElement a = Line(10, 10, 30, 10), b = Line(10, 13, 30, 13), c = Arc(60, 20, 5), p = Point(90, 20);
  // (20, 12): b 1 away, a 2 away; (65.2, 20): 0.2 off the circle; (91, 21):
  // the point, in the square of 4 around the click.
  const Case cases[] = {{"nearer line", 20, 12, 1}, {"arc", 65.2, 20, 2}, {"point", 91, 21, 3}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Box().ClearDrawing();
    Seed({a, b, c, p});
    Box().AddPointAttr(0, 0, Store(), true, 120, 90);  // the step before
    RedrawAsTheHostDoes();
    const std::vector<RDrawElement> before = Elements();
    Box().DeleteElementAt(k.x, k.y);
    std::vector<RDrawElement> after;
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (i != k.deleted) after.push_back(before[i]);
    }
    ExpectElements(after);
    ExpectUndoLog({DeletedUnselected(before[k.deleted])});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SelectionTest, DeletingAtAPointUnselectsTheLinesArcsAndPointsItLooksAt) {
  RDrawElement line = Line(10, 10, 30, 10), point = Point(50, 50);
  line.Selection = 1;
  point.Selection = 1;
  RDrawElement text = TextOfStyle(1);
  text.Selection = 1;
  Store().ElementTexts.push_back("ab");
  Seed({line, point, text});
  Box().DeleteElementAt(100, 80);
  EXPECT_EQ(Elements()[0].Selection, 0);
  EXPECT_EQ(Elements()[1].Selection, 0);
  EXPECT_EQ(Elements()[2].Selection, 1) << "texts are not looked at";
  // The unselected elements keep their highlight on the screen until the
  // next full redraw, which draws them in their own colours.
  EXPECT_EQ(PixelAt(20, 10), Box().Sentakucol) << "nothing is drawn again";
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(20, 10), Box().ColourTable[0]);
}

TEST_F(SelectionTest, ANearerLineOfAReferenceLayerSurvives) {
  const RDrawElement reference = OnLayer(Store(), Line(10, 20, 30, 20), 3, kLayerReference);
  const RDrawElement editable = Line(10, 22.5, 30, 22.5);
  Seed({reference, editable});
  Box().DeleteElementAt(20, 20.5);
  ExpectElements({reference});
  ExpectUndoLog({DeletedUnselected(editable)});
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, AmongEqualLinesTheOneDrawnLastIsDeleted) {
  const RDrawElement a = Line(10, 19, 30, 19), b = Line(10, 21, 30, 21);
  Seed({a, b});
  Box().DeleteElementAt(20, 20);
  ExpectElements({a});
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, AFilteredLineFallsThroughToTheTextsAndEveryTextKeepsItsString) {
  // The strings of the texts in another order than the texts themselves.
  Store().ElementTexts = {J("one"), J("two"), J("three")};
  auto text = [](double y, std::uint16_t string) {
    RDrawElement e = TextOfStyle(1);
    e.X1 = 40;
    e.X2 = 60;
    e.Y1 = e.Y2 = y;
    e.TextIndex = string;
    return e;
  };
  RDrawElement line = Coloured(Line(40, 31, 60, 31), 1);
  Seed({text(10, 2), text(30, 0), text(50, 1), line});
  Box().SetSelectionFilter(15, kAllButColour1, 0x1FF, 0x3FF, 0x3FF);
  // Inside the second text's frame (0.12 × 20 = 2.4 high), 1 below the line.
  Box().DeleteElementAt(50, 30.5);
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_EQ(TextOf(Elements()[0]), J("three"));
  EXPECT_EQ(TextOf(Elements()[1]), J("two"));
  EXPECT_EQ(Elements()[2].Kind, kKindLine);
  ASSERT_EQ(UndoLog().size(), 1u);
  EXPECT_EQ(UndoTextOf(UndoLog()[0]), J("one"));
  EXPECT_EQ(UndoLog()[0].UndoMark, kUndoDeleted);
  ExpectScreenMatchesRedraw();

  Box().DeleteElementAt(50, 70);  // nothing there
  EXPECT_EQ(Elements().size(), 3u);
  EXPECT_EQ(UndoLog().size(), 1u) << "the step before stays";
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionTest, ThePickSquareWidensAboveZoom10000) {
  for (const double zoom : {20000.0, 10000.0}) {
    SCOPED_TRACE(zoom);
    TcadBox& box = Box();
    box.ClearDrawing();
    box.Zoom = zoom;
    const double perUnit = box.PixelsPerMm * zoom;
    box.ViewWindow = {50 - 320 / perUnit, 50 - 240 / perUnit, 50 + 320 / perUnit, 50 + 240 / perUnit};
    Seed({Point(50.00045, 50)});
    box.DeleteElementAt(50, 50);
    // 10 / 20000 = 0.0005 reaches the point; 4 / 10000 = 0.0004 does not.
    EXPECT_EQ(Elements().size(), zoom > 10000 ? 0u : 1u);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SelectionTest, DeletingByIndex) {
  RDrawElement line = kLine;
  line.Selection = 1;
  line.ScratchWord = 9;
  line.ScratchByte = 4;
  const RDrawElement other = Coloured(Line(10, 30, 20, 30), 3);
  Seed({line, other});
  Box().DeleteElementByIndex(0);
  RDrawElement logged = DeletedUnselected(line);
  logged.ScratchWord = 0;
  logged.ScratchByte = 0;
  ExpectUndoLog({logged});
  ExpectElements({other});
  EXPECT_EQ(PixelAt(15, 10), clBlack);
  ExpectScreenMatchesRedraw();

  Box().DeleteElementByIndex(1);
  Box().DeleteLineByIndex(-1);
  Box().DeleteLineByIndex(1);
  ExpectElements({other});
  EXPECT_EQ(UndoLog().size(), 1u) << "no element at those positions";

  Box().DeleteLineByIndex(0);
  ExpectElements({});
  ExpectUndoLog({DeletedUnselected(other)});
  ExpectScreenMatchesRedraw();
}

// What crossed a deleted line or arc, painted over in the background
// colour, is whole again: the vertical line x = 70 meets the line deleted
// at (70, 50); it and the line y = 40 touch the ellipse about (50, 50),
// 20 wide and 10 high each way, at its rightmost and lowest points.
TEST_F(SelectionTest, WhatCrossedADeletedElementIsWhole) {
  const RDrawElement vertical = Coloured(Line(70, 30, 70, 70), 3);
  const RDrawElement horizontal = Coloured(Line(40, 40, 60, 40), 3);
  struct Case {
    const char* name;
    RDrawElement deleted;
    std::function<void(TcadBox&)> run;
  };
  const Case cases[] = {
      {"by index", Line(50, 50, 90, 50), [](TcadBox& b) { b.DeleteElementByIndex(0); }},
      {"a line by index", Line(50, 50, 90, 50), [](TcadBox& b) { b.DeleteLineByIndex(0); }},
      {"an ellipse at a point", Arc(50, 50, 20, 0, 0, 0.5f), [](TcadBox& b) { b.DeleteElementAt(50, 60); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Box().ClearDrawing();
    Seed({c.deleted, vertical, horizontal});
    c.run(Box());
    ExpectElements({vertical, horizontal});
    EXPECT_EQ(PixelAt(70, 50), Box().ColourTable[3]);
    EXPECT_EQ(PixelAt(50, 40), Box().ColourTable[3]);
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace
