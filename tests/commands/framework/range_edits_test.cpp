// Editing many lines at once: the box trim, the hidden-line erase under a
// figure to be pasted, the envelope of a range, the deletion of the
// selection and the cut of a picked line; each one undo step.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "canvas/envelope.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "support/command_harness.h"
#include "tools/edit/batch_trim.h"
#include "tools/edit/hatch_boundary.h"

namespace {

class RangeEdits : public CommandHarness {
 protected:
  RDrawElement Typed(RDrawElement e, std::uint8_t type) {
    e.LineType = type;
    return e;
  }
  // The drawing's lines as (x1, y1, x2, y2), each from its lower end,
  // sorted, for comparing sets of pieces.
  std::vector<std::array<double, 4>> LineSet() {
    std::vector<std::array<double, 4>> lines;
    for (const RDrawElement& e : Elements()) {
      if (e.Kind != kKindLine) continue;
      std::array<double, 4> l{e.X1, e.Y1, e.X2, e.Y2};
      if (l[2] < l[0] || (l[2] == l[0] && l[3] < l[1])) l = {l[2], l[3], l[0], l[1]};
      lines.push_back(l);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
};

TEST_F(RangeEdits, TheBoxTrimKeepsWhatLiesOutsideAndLeavesTheBufferAlone) {
  RDrawElement fitting = Line(40, 40, 50, 50);
  fitting.LineTag = kLineTagFitting;
  RDrawElement reference = Line(42, 42, 48, 42, 0, 1);
  Store().LayerStates[1] = kLayerReference;  // group 0, layer 1
  Seed({
      Line(42, 44, 48, 44),            // inside: gone
      Line(45, 45, 70, 45),            // one end in: (60, 45)-(70, 45) stays
      Line(30, 52, 70, 52),            // across: (30, 52)-(40, 52) and (60, 52)-(70, 52)
      Line(30, 30, 70, 70),            // through two corners: both outer parts
      Typed(Line(41, 55, 59, 55), 2),  // line type 2: untouched
      fitting,                         // a door symbol's line: untouched
      reference,                       // a reference layer: untouched
      Point(50, 50),                   // inside: gone
      Point(40, 46),                   // on the edge: its small diagonal is not wholly inside
      Point(50, 60),                   // on the top edge: likewise
      Line(80, 80, 90, 80),            // far away
  });
  Store().Buffer.push_back(Line(1, 1, 2, 2));
  Box().EraseInsideBox(false, 40, 40, 60, 60);

  std::vector<std::array<double, 4>> want = {{30, 30, 40, 40}, {30, 52, 40, 52}, {40, 40, 50, 50},
                                             {41, 55, 59, 55}, {42, 42, 48, 42}, {60, 45, 70, 45},
                                             {60, 52, 70, 52}, {60, 60, 70, 70}, {80, 80, 90, 80}};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(LineSet(), want);
  int points = 0;
  for (const RDrawElement& e : Elements()) points += e.Kind == kKindPoint;
  EXPECT_EQ(points, 2);
  // One step: the five deleted elements, then the five pieces.
  ASSERT_EQ(UndoLog().size(), 10u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(Value(UndoLog()[i].UndoMark), kUndoDeleted);
  for (std::size_t i = 5; i < 10; ++i) EXPECT_EQ(Value(UndoLog()[i].UndoMark), kUndoAdded);
  ASSERT_EQ(Store().Buffer.size(), 1u) << "the figure in the buffer is not lost";
  ExpectScreenMatchesRedraw();
  // Every line type with the flag.
  Box().EraseInsideBox(true, 40, 40, 60, 60);
  for (const RDrawElement& e : Elements()) EXPECT_FALSE(e.LineType == 2 && e.X1 == 41);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, APointIsErasedWhenASquareOfATenThousandthAboutItLiesInTheBox) {
  // Box x from 40 to 60. About x = 40.00015 the square reaches 40.00005 to
  // 40.00025 and about x = 59.99985 it reaches 59.99975 to 59.99995, all
  // inside: both go. About 39.99995 (39.99985 to 40.00005) and 60.00005
  // (59.99995 to 60.00015) it crosses a side: both stay.
  Seed({Point(40.00015, 50), Point(39.99995, 50), Point(59.99985, 50), Point(60.00005, 50)});
  Box().EraseInsideBox(true, 40, 40, 60, 60);
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_NEAR(Value(Elements()[0].X1), 39.99995, 1e-6);
  EXPECT_NEAR(Value(Elements()[1].X1), 60.00005, 1e-6);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, ABoxTrimOfNothingLeavesThePreviousStep) {
  Seed({Line(80, 80, 90, 80)});
  Store().AddElement(Line(1, 90, 2, 90));  // the previous action
  RedrawAsTheHostDoes();
  Box().EraseInsideBox(false, 40, 40, 60, 60);
  ASSERT_EQ(UndoLog().size(), 1u);
  EXPECT_EQ(Value(UndoLog()[0].X1), 1);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, TheHiddenLineEraseCutsWhereThePasteWillPutTheFigure) {
  // The figure: a 10 x 10 square of colour 1 with its base point at its
  // lower left corner (0, 0).
  for (const auto& s : {std::array<double, 4>{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}}) {
    RDrawElement side = Line(s[0], s[1], s[2], s[3]);
    side.ColorNo = 1;
    Store().Buffer.push_back(side);
  }
  Box().SenUrakesicol.set(1);
  RDrawElement target = Line(20, 55, 80, 55);
  target.ColorNo = 3;
  Seed({target, Line(20, 90, 80, 90)});
  // Pasted at (50, 50) with the base point there, turned 90 degrees: the
  // square runs from (40, 50) to (50, 60).
  Box().ErasePasteHiddenLines(0, 50, 50, 50, 50, 90, 1, 1);
  std::vector<std::array<double, 4>> want = {{20, 55, 40, 55}, {50, 55, 80, 55}, {20, 90, 80, 90}};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(LineSet(), want);
  EXPECT_EQ(TopMessage(), J(" 終  了 "));
  EXPECT_EQ(Store().Buffer.size(), 4u) << "the buffer waits for the paste";
  ASSERT_EQ(UndoLog().size(), 3u);
  EXPECT_EQ(Value(UndoLog()[0].UndoMark), kUndoDeleted);
  for (const RDrawElement& e : Elements()) {
    if (e.Y1 == 55) {
      EXPECT_EQ(Value(e.ColorNo), 3) << "the pieces keep the line's colour";
    }
  }
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, TheHiddenLineEraseCutsAtTheFigureThePasteWouldPlaceInEveryMode) {
  // A right triangle of colour 1, so that a mirror or a swapped factor
  // shows; a horizontal probe through the placed triangle's centroid must
  // be cut exactly where it crosses the triangle the paste places.
  const std::array<std::array<double, 4>, 3> sides = {{{0, 0, 10, 0}, {10, 0, 0, 6}, {0, 6, 0, 0}}};
  struct Case {
    std::int32_t mode;
    double axis, rotation, sx, sy;
  } cases[] = {{0, 0, 0, 1, 1},      {0, 30, 45, 2, 1}, {0, 0, 20, -1, 2}, {1, 0, 0, 1, 1},    {1, 30, 0, 1, 1},
               {1, 30, 60, 1.5, -1}, {2, 0, 0, 1, 1},   {2, 30, 10, 1, 1}, {2, 15, 80, -2, -1}};
  Box().SenUrakesicol.set(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " axis " << c.axis << " rotation " << c.rotation
                                    << " factors " << c.sx << ", " << c.sy);
    // Clearing the drawing empties the buffer too.
    auto fillBuffer = [&] {
      Store().Buffer.clear();
      for (const auto& s : sides) {
        RDrawElement side = Line(s[0], s[1], s[2], s[3]);
        side.ColorNo = 1;
        Store().Buffer.push_back(side);
      }
    };
    Store().ClearAll();
    fillBuffer();
    Box().AxisAngle = c.axis;
    Store().PasteBuffer(c.mode, 0, 60, 50, 60, 50, c.rotation, c.axis, c.sx, c.sy, 0, 0, true, 0, true, false);
    std::vector<RDrawElement> placed = Elements();
    ASSERT_EQ(placed.size(), 3u);
    double cy = 0;
    for (const RDrawElement& e : placed) cy += e.Y1 / 3;
    double left = 1e9, right = -1e9;
    for (const RDrawElement& e : placed) {
      double x = 0, y = 0;
      if (IntersectSegments(x, y, -100, cy, 300, cy, e.X1, e.Y1, e.X2, e.Y2)) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    ASSERT_LT(left, right);
    Store().ClearAll();
    fillBuffer();
    Seed({Line(-100, cy, 300, cy)});
    Box().ErasePasteHiddenLines(c.mode, 60, 50, 60, 50, c.rotation, c.sx, c.sy);
    const std::vector<std::array<double, 4>> lines = LineSet();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0][0], -100, 1e-9);
    EXPECT_NEAR(lines[0][2], left, 1e-9);
    EXPECT_NEAR(lines[1][0], right, 1e-9);
    EXPECT_NEAR(lines[1][2], 300, 1e-9);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(RangeEdits, TheHiddenLineEraseKeepsToItsLimitAndItsColours) {
  Seed({Line(20, 55, 80, 55)});
  struct Case {
    std::size_t bufferSize;
    bool colourOn;
    bool erases;
    bool refused;
  } cases[] = {{299, true, true, false}, {300, true, false, true}, {4, false, false, false}};
  for (const Case& c : cases) {
    Store().Buffer.clear();
    for (std::size_t i = 0; i < c.bufferSize; ++i) {
      // A square around (50, 55), the rest tiny lines far off.
      static const std::array<double, 4> square[] = {
          {45, 50, 55, 50}, {55, 50, 55, 60}, {55, 60, 45, 60}, {45, 60, 45, 50}};
      const std::array<double, 4> s = i < 4 ? square[i] : std::array<double, 4>{100, 5, 100.5, 5};
      RDrawElement side = Line(s[0], s[1], s[2], s[3]);
      side.ColorNo = 2;
      Store().Buffer.push_back(side);
    }
    Box().SenUrakesicol.reset();
    if (c.colourOn) Box().SenUrakesicol.set(2);
    Dialogs().shown.clear();
    const std::size_t before = Elements().size();
    Box().ErasePasteHiddenLines(0, 0, 0, 0, 0, 0, 1, 1);
    EXPECT_EQ(Elements().size() != before, c.erases) << c.bufferSize;
    EXPECT_EQ(Dialogs().shown.size(), c.refused ? 1u : 0u) << c.bufferSize;
    if (c.refused) {
      EXPECT_EQ(Dialogs().shown[0].text, J("図形線総数300本以上は裏消は実行できません!"));
    }
    ExpectScreenMatchesRedraw();
    Store().ClearAll();
    Seed({Line(20, 55, 80, 55)});
  }
}

TEST_F(RangeEdits, ALineDeletedJustBeforeIsNotCut) {
  // The 10 x 10 square of colour 1, pasted with its base point (0, 0) at
  // (50, 50): it runs from (50, 50) to (60, 60).
  for (const auto& s : {std::array<double, 4>{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}}) {
    RDrawElement side = Line(s[0], s[1], s[2], s[3]);
    side.ColorNo = 1;
    Store().Buffer.push_back(side);
  }
  Box().SenUrakesicol.set(1);
  Seed({Line(20, 55, 80, 55), Line(20, 57, 80, 57)});
  Box().DeleteLineByIndex(1);
  Box().ErasePasteHiddenLines(0, 50, 50, 50, 50, 0, 1, 1);
  // Only the line still in the drawing is cut, at x = 50 and 60.
  const std::vector<std::array<double, 4>> want = {{20, 55, 50, 55}, {60, 55, 80, 55}};
  EXPECT_EQ(LineSet(), want);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, TheHiddenLineEraseCutsAtACircleOfTheFigureAsItsChords) {
  // A circle of radius 5 about the base point, pasted at (50, 50). It cuts
  // as the 36 chords between its points every 10 degrees from 0. The line
  // y = 51 crosses the chord from 10 to 20 degrees:
  //   (50 + 5 cos 10, 50 + 5 sin 10) = (54.924039, 50.868241)
  //   (50 + 5 cos 20, 50 + 5 sin 20) = (54.698463, 51.710101)
  //   t = (51 - 50.868241) / (51.710101 - 50.868241) = 0.156510
  //   x = 54.924039 - 0.156510 × 0.225576 = 54.888734,
  // a little inside the circle's own 50 + sqrt(24) = 54.898979; on the left
  // the mirror image, 45.111266.
  RDrawElement circle = Arc(0, 0, 5);
  circle.ColorNo = 1;
  Store().Buffer.push_back(circle);
  Box().SenUrakesicol.set(1);
  Seed({Line(20, 51, 80, 51)});
  Box().ErasePasteHiddenLines(0, 50, 50, 50, 50, 0, 1, 1);
  const std::vector<std::array<double, 4>> lines = LineSet();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NEAR(lines[0][0], 20, 1e-9);
  EXPECT_NEAR(lines[0][2], 45.111266, 1e-6);
  EXPECT_NEAR(lines[1][0], 54.888734, 1e-6);
  EXPECT_NEAR(lines[1][2], 80, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, TheEnvelopeGivesWhatTheCleanUpGivesForTheSameLines) {
  const std::vector<RDrawElement> lines = {Line(40, 40, 60, 40), Line(50, 40, 70, 40), Line(45, 30, 45, 50)};
  RDrawElement fitting = Line(40, 45, 60, 45);
  fitting.LineTag = kLineTagFitting;
  // Above the box (x 35 to 75, y 35 to 55), (40, 90) to (40, 70) is not taken.
  Seed({lines[0], lines[1], lines[2], fitting, Typed(Line(40, 47, 60, 47), 2), Line(40, 90, 40, 70)});
  // The clean-up run by hand on the lines the box takes (last listed first).
  THourakukei2 reference(35, 35, 75, 55, Box().Zoom);
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) reference.AddLine(*it);
  reference.Execute();
  std::vector<std::array<double, 4>> want = {{40, 45, 60, 45}, {40, 47, 60, 47}, {40, 70, 40, 90}};
  for (const RDrawElement& r : reference.ResultLines) {
    std::array<double, 4> l{r.X1, r.Y1, r.X2, r.Y2};
    if (l[2] < l[0] || (l[2] == l[0] && l[3] < l[1])) l = {l[2], l[3], l[0], l[1]};
    want.push_back(l);
  }
  std::sort(want.begin(), want.end());
  Box().EnvelopeInsideBox(false, 35, 35, 75, 55);
  EXPECT_EQ(LineSet(), want);
  for (const RDrawElement& e : Elements()) EXPECT_EQ(Value(e.Scratch), 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, TheEnvelopeRefusesAHundredAndOneLinesAndChangesNothing) {
  for (int n : {100, 101}) {
    Store().ClearAll();
    for (int i = 0; i < n; ++i) Store().AddElement(Line(20 + 0.5 * i, 20, 20 + 0.5 * i, 40));
    Store().ClearUndoLog();
    RedrawAsTheHostDoes();
    Dialogs().shown.clear();
    Box().EnvelopeInsideBox(false, 10, 10, 80, 50);
    if (n == 101) {
      ASSERT_EQ(Dialogs().shown.size(), 1u);
      EXPECT_EQ(Dialogs().shown[0].text, J("ﾃﾞ-ﾀ-が多すぎます。再選択してください"));
      EXPECT_EQ(Elements().size(), 101u);
      EXPECT_TRUE(UndoLog().empty());
    } else {
      EXPECT_TRUE(Dialogs().shown.empty());
    }
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(RangeEdits, TheTurnedBoxTakesOnlyThePensLinesAndJoinsTheBoxsStep) {
  RDrawElement other = Line(22, 22, 28, 22);
  other.ColorNo = 5;
  Seed({Line(22, 21, 28, 21), other});
  Box().Pencol = 0;
  Box().Pentyp = 1;
  Store().AddElement(Line(1, 90, 2, 90));  // the box's own step
  RedrawAsTheHostDoes();
  Box().EnvelopeRotatedBox(20, 20, 30, 30, 30);
  // The pen's line went through the clean-up; the other colour did not.
  bool otherKept = false;
  for (const RDrawElement& e : Elements()) otherKept |= e.ColorNo == 5 && e.X1 == 22;
  EXPECT_TRUE(otherKept);
  ASSERT_GE(UndoLog().size(), 2u);
  EXPECT_EQ(Value(UndoLog()[0].X1), 1) << "joined the box's step";
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, DeletingTheSelectionKeepsEveryTextsOwnString) {
  auto select = [](RDrawElement e) {
    e.Selection = 1;
    return e;
  };
  // Four texts whose strings lie in another order than the texts.
  Tdrawinp::TextList& texts = Store().ElementTexts;
  RDrawElement a = Text(texts, "A", 10, 10, 20, 10);
  RDrawElement b = Text(texts, "B", 10, 20, 20, 20);
  RDrawElement c = Text(texts, "C", 10, 30, 20, 30);
  RDrawElement d = Text(texts, "D", 10, 40, 20, 40);
  Seed({select(d), b, select(a), c, select(Line(50, 50, 60, 50))});
  Box().DeleteSelection(true, true, true);
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_EQ(TextOf(Elements()[0]), "B");
  EXPECT_EQ(TextOf(Elements()[1]), "C");
  EXPECT_EQ(texts.size(), 2u);
  ASSERT_EQ(UndoLog().size(), 3u);
  EXPECT_EQ(Value(UndoLog()[0].Kind), kKindLine);
  EXPECT_EQ(UndoTextOf(UndoLog()[1]), "A");
  EXPECT_EQ(UndoTextOf(UndoLog()[2]), "D");
  EXPECT_FALSE(Box().HaniAka_Cyu);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, SelectedElementsOutOfViewGoLikeTheOthers) {
  auto select = [](RDrawElement e) {
    e.Selection = 1;
    return e;
  };
  // The view runs from (0, 0) to (128, 96): two elements lie beyond it, one
  // line runs out of it, one stays.
  Tdrawinp::TextList& texts = Store().ElementTexts;
  Seed({select(Line(200, 10, 220, 10)), select(Arc(300, 300, 5)), select(Text(texts, "X", 150, 150, 160, 150)),
        select(Line(100, 40, 200, 40)), Line(10, 80, 30, 80)});
  Box().DeleteSelection(true, false, true);
  ASSERT_EQ(Elements().size(), 1u);
  EXPECT_EQ(Value(Elements()[0].X1), 10.0);
  EXPECT_TRUE(texts.empty());
  ASSERT_EQ(UndoLog().size(), 4u);
  EXPECT_EQ(Value(UndoLog()[0].X1), 100.0) << "logged from the last element down";
  EXPECT_EQ(UndoTextOf(UndoLog()[1]), "X");
  EXPECT_EQ(Value(UndoLog()[2].Kind), kKindArc);
  EXPECT_EQ(Value(UndoLog()[3].X1), 200.0);
  ExpectScreenMatchesRedraw();
}

// Deleting the selection of a mixed drawing gives the drawing, the undo log,
// the string lists and the counts of deleting the selected elements one by
// one from the last down, each deleted string lowering the strings above
// it. The texts' strings lie in a shuffled order; some selected elements
// lie beyond the view.
TEST_F(RangeEdits, DeletingTheSelectionEqualsDeletingItsElementsOneByOne) {
  std::uint32_t seed = 4711;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    Store().ClearAll();
    constexpr std::size_t kCount = 400;
    constexpr std::uint16_t kTexts = 60;
    std::vector<std::uint16_t> order(kTexts);
    for (std::uint16_t i = 0; i < kTexts; ++i) order[i] = i;
    for (std::size_t i = kTexts - 1; i > 0; --i) std::swap(order[i], order[next() % (i + 1)]);
    Tdrawinp reference;
    for (std::uint16_t i = 0; i < kTexts; ++i) {
      const std::string s = "S" + std::to_string(i);
      Store().ElementTexts.push_back(s);
      reference.ElementTexts.push_back(s);
    }
    std::uint16_t textsPlaced = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
      const double x = (next() % 2000) / 10.0 - 20, y = (next() % 1500) / 10.0 - 20;
      RDrawElement e = ZeroElement();
      switch (next() % 5) {
        case 0:
          e = Line(x, y, x + 3, y + 1);
          e.ScratchWord = 7;
          break;
        case 1: e = Arc(x, y, 2); break;
        case 2: e = Point(x, y); break;
        default:
          if (textsPlaced < kTexts) {
            e = ZeroElement();
            e.Kind = kKindText;
            e.X1 = x;
            e.Y1 = y;
            e.X2 = x + 4;
            e.Y2 = y;
            e.TextIndex = order[textsPlaced++];
          } else {
            e = Line(x, y, x - 2, y + 2);
          }
      }
      e.Selection = next() % (round % 2 == 0 ? 2 : 7) == 0 ? 1 : 0;
      Store().AddElementChecked(e);
      reference.AddElementChecked(e);
    }
    Store().ClearUndoLog();
    reference.ClearUndoLog();
    RedrawAsTheHostDoes();
    Store().UndoLog.push_back(Line(1, 1, 2, 2));  // the previous step goes
    // The reference: from the last element down, each selected one deleted
    // with its string, every text above that string lowered by one.
    reference.ClearUndoLog();
    for (std::int32_t i = static_cast<std::int32_t>(reference.Elements.size()) - 1; i >= 0; --i) {
      RDrawElement& e = reference.Elements[static_cast<std::size_t>(i)];
      if (e.Selection != 1) continue;
      e.Selection = 0;
      if (e.Kind == kKindLine) {
        e.ScratchWord = 0;
        e.ScratchByte = 0;
      }
      const bool text = e.Kind == kKindText;
      const std::int32_t string = e.TextIndex;
      reference.DeleteElement(i);
      if (text) reference.ShiftTextIndices(string, 0);
    }
    Box().DeleteSelection(true, false, true);
    ASSERT_EQ(Elements().size(), reference.Elements.size());
    EXPECT_EQ(0, std::memcmp(Elements().data(), reference.Elements.data(), Elements().size() * sizeof(RDrawElement)));
    ASSERT_EQ(UndoLog().size(), reference.UndoLog.size());
    EXPECT_EQ(0, std::memcmp(UndoLog().data(), reference.UndoLog.data(), UndoLog().size() * sizeof(RDrawElement)));
    EXPECT_EQ(Store().ElementTexts, reference.ElementTexts);
    EXPECT_EQ(Store().UndoTexts, reference.UndoTexts);
    for (int g = 0; g < kLayerGroups; ++g) {
      for (int l = 0; l < kLayersPerGroup; ++l) {
        EXPECT_EQ(Store().Counts[g][l].Graphic, reference.Counts[g][l].Graphic);
        EXPECT_EQ(Store().Counts[g][l].Text, reference.Counts[g][l].Text);
      }
    }
    for (const RDrawElement& e : Elements()) {
      if (e.Kind == kKindText) {
        EXPECT_EQ(TextOf(e)[0], 'S');
      }
    }
    ExpectScreenMatchesRedraw();
  }
}

// A deleted text below the view is painted over only when its frame
// reaches into it: a size mark ("##" with a height of 30) lifts the frame
// over the line at the view's foot; the style's own height does not.
// Either way the line under the frame is whole afterwards.
TEST_F(RangeEdits, ATextBelowTheViewIsPaintedOverOnlyWhenItsFrameReachesIn) {
  for (const char* text : {"AB", "AB##0/300/0"}) {
    SCOPED_TRACE(text);
    Store().ClearAll();
    RDrawElement deleted = Text(Store().ElementTexts, text, 10, -20, 40, -20);
    deleted.Selection = 1;
    RDrawElement line = Line(5, 5, 60, 5);
    line.ColorNo = 3;
    Seed({line, deleted});
    ASSERT_EQ(PixelAt(25, 5), 0x00FF00u);
    Box().DeleteSelection(true, false, true);
    EXPECT_EQ(Elements().size(), 1u);
    EXPECT_EQ(PixelAt(25, 5), 0x00FF00u);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(RangeEdits, ATinySelectedLineGoesWithoutDrawing) {
  RDrawElement tiny = Line(50, 50, 50.1, 50);
  tiny.Selection = 1;
  RDrawElement under = Line(40, 50, 60, 50);
  under.ColorNo = 3;
  Seed({under, tiny});
  Box().DeleteSelection(true, false, true);
  EXPECT_EQ(PixelAt(50, 50), 0x00FF00u) << "nothing was painted over the line below";
  EXPECT_EQ(Elements().size(), 1u);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeEdits, CuttingALineKeepsItsTwoOuterPiecesAsOneStep) {
  struct Case {
    RPoint2D a, b;
    std::vector<std::array<double, 4>> pieces;
  } cases[] = {
      {{40, 45}, {60, 35}, {{20, 40, 40, 40}, {60, 40, 80, 40}}},
      {{60, 35}, {40, 45}, {{20, 40, 40, 40}, {60, 40, 80, 40}}},
      // Both beyond the right end: one piece of zero length dropped, the whole line stays.
      {{90, 40}, {95, 40}, {{20, 40, 80, 40}}},
  };
  for (const Case& c : cases) {
    Store().ClearAll();
    Seed({Line(20, 40, 80, 40)});
    Box().PickedIndex[1] = 0;
    Box().CutElementBetweenPoints(0, c.a.x, c.a.y, c.b.x, c.b.y);
    std::vector<std::array<double, 4>> want = c.pieces;
    std::sort(want.begin(), want.end());
    std::vector<std::array<double, 4>> got;
    for (const RDrawElement& e : Elements()) {
      const double x1 = e.X1, x2 = e.X2;  // packed fields bind to no reference
      got.push_back({std::min(x1, x2), e.Y1, std::max(x1, x2), e.Y2});
    }
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, want) << c.a.x;
    EXPECT_EQ(Value(UndoLog()[0].UndoMark), kUndoDeleted);
    EXPECT_EQ(UndoLog().size(), 1 + c.pieces.size());
    EXPECT_EQ(Box().PickedIndex[1], -1000);
    ExpectScreenMatchesRedraw();
  }
  // A slot past the drawing cuts nothing.
  Box().PickedIndex[1] = 7;
  const std::size_t before = Elements().size();
  Box().CutElementBetweenPoints(0, 30, 40, 50, 40);
  EXPECT_EQ(Elements().size(), before);
  EXPECT_EQ(Box().PickedIndex[1], -1000);
  ExpectScreenMatchesRedraw();
}

// What crossed a cut line, along an axis (painted over at once) or not
// (painted again in its band), is whole: a line of colour 3 crosses the
// cut part of each.
TEST_F(RangeEdits, CuttingALineLeavesWhatCrossedItWhole) {
  struct Case {
    const char* name;
    RDrawElement line;
    RPoint2D a, b;
  } cases[] = {
      {"along the x axis", Line(20, 40, 80, 40), {40, 45}, {60, 35}},
      {"sloped", Line(20, 30, 80, 50), {40, 40}, {60, 40}},
  };
  RDrawElement crossing = Line(50, 20, 50, 60);
  crossing.ColorNo = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store().ClearAll();
    Seed({c.line, crossing});
    Box().PickedIndex[1] = 0;
    Box().CutElementBetweenPoints(0, c.a.x, c.a.y, c.b.x, c.b.y);
    ASSERT_EQ(Elements().size(), 3u);
    EXPECT_EQ(PixelAt(50, 40), 0x00FF00u);
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace

namespace {

class RangeCopyAndHatch : public CommandHarness {};

TEST_F(RangeCopyAndHatch, TheRangeFrameIsOnePixelWideWhateverPenCameBefore) {
  Box().Canvas().Pen.Width = 5;  // left by an earlier drawing
  Box().CopyRangeToBuffer(40, 40, 60, 60);
  // The frame's left side on its pixel column, nothing one or two pixels
  // beside it.
  const int x = PixelX(40), y = PixelY(50);
  const TColor frame = Box().Sentakucol;
  EXPECT_EQ(Box().Canvas().GetPixel(x, y), frame);
  for (int d : {-2, -1, 1, 2}) EXPECT_NE(Box().Canvas().GetPixel(x + d, y), frame) << d;
}

TEST_F(RangeCopyAndHatch, TheRangeCopyTakesWhatLiesInsideAndAddsToTheBuffer) {
  RDrawElement text = Text(Store().ElementTexts, "T", 45, 45, 55, 45);
  RDrawElement rect = Line(42, 42, 44, 44);
  rect.Kind = kKindRect;
  Seed({Line(30, 50, 70, 50),      // across: (40, 50)-(60, 50)
        text,                      // wholly inside
        Arc(50, 50, 5),            // a whole circle inside
        Arc(50, 50, 20),           // a whole circle partly outside
        Arc(50, 30, 20, 60, 120),  // its chord (60, 47.3)-(40, 47.3) inside
        Point(55, 55), Point(90, 90), rect});
  Store().Buffer.push_back(Point(1, 1));  // taken before: stays
  Box().CopyRangeToBuffer(40, 40, 60, 60);
  // The range's frame is drawn and left to the caller: it stays until the
  // next full redraw.
  EXPECT_EQ(PixelAt(50, 40), Box().Sentakucol);
  EXPECT_EQ(PixelAt(40, 55), Box().Sentakucol);
  const std::vector<RDrawElement>& buffer = Store().Buffer;
  ASSERT_EQ(buffer.size(), 6u);
  EXPECT_EQ(Value(buffer[1].X1), 40);
  EXPECT_EQ(Value(buffer[1].X2), 60);
  EXPECT_EQ(Value(buffer[2].Kind), kKindText);
  EXPECT_EQ(Store().BufferTexts.at(buffer[2].TextIndex), "T");
  EXPECT_EQ(Value(buffer[3].Radius), 5);
  EXPECT_EQ(Value(buffer[4].Radius), 20);
  EXPECT_EQ(Value(buffer[4].Y1), 30);
  EXPECT_EQ(Value(buffer[5].Kind), kKindPoint);
  // The lines flag off: no line is taken.
  Box().SelectionFilter.Lines = false;
  Store().Buffer.clear();
  Box().CopyRangeToBuffer(40, 40, 60, 60);
  for (const RDrawElement& e : Store().Buffer) EXPECT_NE(Value(e.Kind), kKindLine);
  RedrawAsTheHostDoes();
  EXPECT_NE(PixelAt(40, 55), Box().Sentakucol);
}

TEST_F(RangeCopyAndHatch, AnArcWhoseCircleReachesOutIsTakenByItsTwoEnds) {
  // The range (15, 5)-(35, 25); every arc about (20, 10) with radius 10,
  // so its circle's box (10, 0)-(30, 20) reaches out on the left and below.
  struct Case {
    const char* name;
    float start, end, rotation;
    bool taken;
  } cases[] = {
      {"0 to 90: ends (30, 10) and (20, 20)", 0, 90, 0, true},
      {"0 to 180: the end (10, 10) outside", 0, 180, 0, false},
      {"270 to 0: the start (20, 0) outside", 270, 0.5f, 0, false},
      {"45 to 135, turned by -45: the same ends as 0 to 90", 45, 135, -45, true},
      {"0 to 90, turned by 90: the end (10, 10) outside", 0, 90, 90, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store().ClearAll();
    Seed({Arc(20, 10, 10, c.start, c.end, 1, c.rotation)});
    Box().CopyRangeToBuffer(15, 5, 35, 25);
    EXPECT_EQ(Store().Buffer.size(), c.taken ? 1u : 0u);
  }
}

TEST_F(RangeCopyAndHatch, AnArcIsCutAsTheArcToolCutsItAndTheSlotIsReset) {
  const RDrawElement arc = Arc(60, 50, 20, 0, 180);
  Seed({arc});
  Box().PickedIndex[1] = 0;
  // Cut points at 45 and 135 degrees on the arc.
  const double r = 20 * std::sqrt(0.5);
  Box().CutElementBetweenPoints(0, 60 + r, 50 + r, 60 - r, 50 + r);
  Tcommand_c tool(0, 60 + r, 50 + r, 60 - r, 50 + r);
  tool.SetArc(arc.LineType, arc.ColorNo, arc.Group, arc.Layer, arc.X1, arc.Y1, arc.Radius, arc.Ratio, arc.StartAngle,
              arc.EndAngle, arc.Rotation);
  tool.Run();
  ASSERT_EQ(Elements().size(), static_cast<std::size_t>(tool.LastPiece + 1));
  // Added from the last piece to the first.
  for (int i = 0; i <= tool.LastPiece; ++i) {
    const RDrawElement& e = Elements()[static_cast<std::size_t>(tool.LastPiece - i)];
    EXPECT_EQ(Value(e.StartAngle), tool.Pieces[static_cast<std::size_t>(i)].StartAngle);
    EXPECT_EQ(Value(e.EndAngle), tool.Pieces[static_cast<std::size_t>(i)].EndAngle);
    // Pieces of the same circle.
    EXPECT_EQ(Value(e.Radius), 20);
    EXPECT_EQ(Value(e.X1), 60);
    EXPECT_EQ(Value(e.Y1), 50);
    EXPECT_EQ(Value(e.Ratio), 1);
  }
  EXPECT_EQ(Value(UndoLog()[0].UndoMark), kUndoDeleted);
  EXPECT_EQ(UndoLog().size(), 1u + static_cast<std::size_t>(tool.LastPiece + 1));
  EXPECT_EQ(Box().PickedIndex[1], -1000);
  ExpectScreenMatchesRedraw();
}

// The part cut out of the arc is painted over; the line across it at its
// top, (60, 70), is whole afterwards.
TEST_F(RangeCopyAndHatch, CuttingAnArcLeavesWhatCrossedItWhole) {
  RDrawElement crossing = Line(60, 60, 60, 80);
  crossing.ColorNo = 3;
  Seed({crossing, Arc(60, 50, 20, 0, 180)});
  Box().PickedIndex[1] = 1;
  const double r = 20 * std::sqrt(0.5);
  Box().CutElementBetweenPoints(0, 60 + r, 50 + r, 60 - r, 50 + r);
  ASSERT_GE(Elements().size(), 2u);
  EXPECT_EQ(PixelAt(60, 70), 0x00FF00u);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeCopyAndHatch, ThePastedFiguresLinesAreClippedToTheOutlineOfTheDrawing) {
  // The pattern: one line from (0, 0) to (100, 0), pasted with its base
  // point (0, 0) at (10, 50). The outline: a square of colour 2 from (40, 40) to (60, 60).
  Store().Buffer.push_back(Line(0, 0, 100, 0));
  std::vector<RDrawElement> square;
  for (const auto& s : {std::array<double, 4>{40, 40, 60, 40}, {60, 40, 60, 60}, {60, 60, 40, 60}, {40, 60, 40, 40}}) {
    RDrawElement side = Line(s[0], s[1], s[2], s[3]);
    side.ColorNo = 2;
    square.push_back(side);
  }
  Seed({square[0], square[1], square[2], square[3]});
  Box().SenUrakesicol.set(2);
  Box().HatchPasteOutline(0, 10, 50, 10, 50, 0, 1, 1);
  ASSERT_EQ(Elements().size(), 5u);
  const RDrawElement& piece = Elements()[4];
  const double px1 = piece.X1, px2 = piece.X2;  // packed fields bind to no reference
  EXPECT_NEAR(std::min(px1, px2), 40, 1e-9);
  EXPECT_NEAR(std::max(px1, px2), 60, 1e-9);
  EXPECT_NEAR(Value(piece.Y1), 50, 1e-9);
  ASSERT_EQ(UndoLog().size(), 1u) << "one step";
  EXPECT_EQ(Store().Buffer.size(), 1u) << "the buffer waits for the paste";
  EXPECT_EQ(TopMessage(), J(" 完  了 "));
  ExpectScreenMatchesRedraw();
  // No displacement: nothing.
  Box().HatchPasteOutline(0, -9000, -9000, 10, 50, 0, 1, 1);
  EXPECT_EQ(Elements().size(), 5u);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeCopyAndHatch, AnArcOfTheDrawingBoundsThePastedLinesToo) {
  // The pattern line from (0, 0) to (100, 0) pasted at (10, 50) runs from
  // (10, 50) to (110, 50); the outline is a circle of colour 2 about
  // (50, 50) of radius 10, which it crosses at x = 40 and x = 60.
  Store().Buffer.push_back(Line(0, 0, 100, 0));
  RDrawElement circle = Arc(50, 50, 10, 0, 360);
  circle.ColorNo = 2;
  Seed({circle});
  Box().SenUrakesicol.set(2);
  Box().HatchPasteOutline(0, 10, 50, 10, 50, 0, 1, 1);
  ASSERT_EQ(Elements().size(), 2u);
  const RDrawElement& piece = Elements()[1];
  const double px1 = piece.X1, px2 = piece.X2;  // packed fields bind to no reference
  EXPECT_NEAR(std::min(px1, px2), 40, 1e-9);
  EXPECT_NEAR(std::max(px1, px2), 60, 1e-9);
  EXPECT_NEAR(Value(piece.Y1), 50, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(RangeCopyAndHatch, TheKeptBoundaryCutsInsteadOfTheDrawingAndSurvivesACancel) {
  THachiTenobj& kept = Box().Tool(ToolSlot::HatchObj).Emplace<THachiTenobj>();
  for (const auto& p : {RPoint2D{40, 40}, {60, 40}, {60, 60}, {40, 60}, {40, 40}}) kept.AddPoint(p.x, p.y);
  Box().hatchHozi = true;
  RedrawAsTheHostDoes();  // the held boundary shows
  CancelCommands();
  ASSERT_NE(Box().Tool(ToolSlot::HatchObj).Get<THachiTenobj>(), nullptr);
  Store().Buffer.push_back(Line(0, 0, 100, 0));
  Box().HatchPasteOutlineKeptHatch(0, 10, 50, 10, 50, 0, 1, 1);
  ASSERT_EQ(Elements().size(), 1u);
  const double kx1 = Elements()[0].X1, kx2 = Elements()[0].X2;
  EXPECT_NEAR(std::min(kx1, kx2), 40, 1e-9);
  EXPECT_NEAR(std::max(kx1, kx2), 60, 1e-9);
  ExpectScreenMatchesRedraw();
  Box().hatchHozi = false;
  CancelCommands();
  EXPECT_EQ(Box().Tool(ToolSlot::HatchObj).Get<THachiTenobj>(), nullptr);
  // Let go outside the hatch commands, the boundary is freed but stays on
  // the screen until the next full redraw.
  EXPECT_EQ(PixelAt(50, 60), Box().Sentakucol);
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(50, 60), clBlack);
}

TEST_F(RangeCopyAndHatch, EachHatchTakesAFigureOneUnderItsLimit) {
  struct Case {
    bool kept;
    int size;
    const char* refusal;  // empty: accepted
  } cases[] = {
      {false, 19999, ""},
      {true, 7999, ""},
      {true, 8000, "図形線総数8000本以上は範囲ﾊｯﾁは実行できません!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    Store().Buffer.clear();
    for (int i = 0; i < c.size; ++i) Store().Buffer.push_back(Line(0, 0, 1, 0));
    Dialogs().shown.clear();
    if (c.kept) {
      Box().HatchPasteOutlineKeptHatch(0, 10, 50, 10, 50, 0, 1, 1);
    } else {
      Box().HatchPasteOutline(0, 10, 50, 10, 50, 0, 1, 1);
    }
    if (*c.refusal == 0) {
      EXPECT_TRUE(Dialogs().shown.empty());
      EXPECT_EQ(TopMessage(), J(" 完  了 "));
    } else {
      ASSERT_EQ(Dialogs().shown.size(), 1u);
      EXPECT_EQ(Dialogs().shown[0].text, J(c.refusal));
      EXPECT_EQ(TopMessage(), J("図形線総数8000本以上は裏消去できません!"));
    }
    EXPECT_TRUE(Elements().empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(RangeCopyAndHatch, TooLargeAFigureIsRefusedWithItsMessage) {
  for (int i = 0; i < 20000; ++i) Store().Buffer.push_back(Line(0, 0, 1, 0));
  Box().HatchPasteOutline(0, 10, 50, 10, 50, 0, 1, 1);
  ASSERT_EQ(Dialogs().shown.size(), 1u);
  EXPECT_EQ(Dialogs().shown[0].text, J("図形線総数20000本以上は範囲ﾊｯﾁは実行できません!"));
  EXPECT_EQ(TopMessage(), J("図形線総数20000本以上は裏消去できません!"));
  EXPECT_TRUE(Elements().empty());
  ExpectScreenMatchesRedraw();
}

}  // namespace
