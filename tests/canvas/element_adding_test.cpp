// The element-adding operations: real millimetres divided by the writing
// group's scale, the length limits, the undo steps, text lengths, the
// rectangles' lines, refitting text ends and rescaling the writing group.

#include <functional>
#include <limits>
#include <vector>

#include "canvas_fixture.h"
#include "geometry/codepage.h"
#include "platform/dialogs.h"

namespace {

class AddingTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    store().ClearAll();
    // Style 3: width 20, height 30, spacing 5.
    box->TextStyles[3].Width = 20;
    box->TextStyles[3].Height = 30;
    box->TextStyles[3].Spacing = 5;
    box->WriteReiya_No = 4;
    box->Pentyp = 2;
    box->Pencol = 5;
  }
  Tdrawinp& store() { return *box->Draw1; }
  const RDrawElement& last() { return store().Elements.back(); }

  struct Segment {
    double x1, y1, x2, y2;
  };
  std::vector<Segment> Lines() {
    std::vector<Segment> lines;
    for (const RDrawElement& e : store().Elements) {
      if (e.Kind == kKindLine) lines.push_back({e.X1, e.Y1, e.X2, e.Y2});
    }
    return lines;
  }
  void ExpectLines(const std::vector<Segment>& expected) {
    const std::vector<Segment> lines = Lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_NEAR(lines[i].x1, expected[i].x1, 1e-9);
      EXPECT_NEAR(lines[i].y1, expected[i].y1, 1e-9);
      EXPECT_NEAR(lines[i].x2, expected[i].x2, 1e-9);
      EXPECT_NEAR(lines[i].y2, expected[i].y2, 1e-9);
    }
  }
};

TEST_F(AddingTest, RealLinesAreDividedByTheWritingGroupsScale) {
  struct Case {
    std::uint8_t group;  // group 0 draws at 1/100, group 2 at 1/30
    double x1, y1, x2, y2;
    double ex1, ey1, ex2, ey2;
  };
  const Case cases[] = {
      {0, 0, 0, 500, 0, 0, 0, 5, 0},
      {0, -250, 100, 750, -300, -2.5, 1, 7.5, -3},
      {2, 0, 0, 300, 150, 0, 0, 10, 5},
      {2, 30, -60, -90, 6, 1, -2, -3, 0.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ex2);
    store().ClearAll();
    box->WriteGrupe_No = c.group;
    box->AddLine(7, 3, c.x1, c.y1, c.x2, c.y2, false);
    ASSERT_EQ(store().Elements.size(), 1u);
    const RDrawElement& e = last();
    EXPECT_EQ(e.Kind, kKindLine);
    EXPECT_NEAR(Value(e.X1), c.ex1, 1e-12);
    EXPECT_NEAR(Value(e.Y1), c.ey1, 1e-12);
    EXPECT_NEAR(Value(e.X2), c.ex2, 1e-12);
    EXPECT_NEAR(Value(e.Y2), c.ey2, 1e-12);
    EXPECT_EQ(e.ColorNo, 7);
    EXPECT_EQ(e.LineType, 3);
    EXPECT_EQ(e.Group, c.group);
    EXPECT_EQ(e.Layer, 4);
    EXPECT_EQ(e.Selection, 0);
    EXPECT_EQ(Value(e.LineTag), 0);
  }
}

TEST_F(AddingTest, ShortLinesAreDroppedByTheOperationOrByTheStore) {
  box->WriteGrupe_No = 0;
  box->AddLine(1, 1, 0, 0, 0.0000005, 0, false);  // below its own limit of 0.000001
  box->AddLine(1, 1, 0, 0, 0.0005, 0, false);     // 0.000005 drawing units: the store drops it
  box->AddLine(1, 1, 0, 0, 1e40, 0, false);       // out of range
  EXPECT_TRUE(store().Elements.empty());
  box->AddLine(1, 1, 0, 0, 0.002, 0, false);  // 0.00002 drawing units
  EXPECT_EQ(store().Elements.size(), 1u);
}

TEST_F(AddingTest, KeepUndoJoinsTheStepInProgress) {
  box->AddLine(1, 1, 0, 0, 100, 0, false);
  box->AddLine(1, 1, 0, 0, 0, 100, true);
  box->AddPoint(1, 1, 5, 5, true);
  box->AddArc(1, 1, 0, 0, 50, 1, 0, 360, 0, true);
  EXPECT_EQ(store().UndoLog.size(), 4u);
  box->AddPoint(1, 1, 5, 5, false);
  EXPECT_EQ(store().UndoLog.size(), 1u);
}

TEST_F(AddingTest, ArcsAndPointsAreDividedByTheScale) {
  box->WriteGrupe_No = 2;  // 1/30
  box->AddArc(3, 4, 300, 600, 150, -0.5, 10, 200, 30, false);
  box->AddArc(3, 4, 0, 0, -5, 1, 0, 360, 0, false);             // negative radius
  box->AddArc(3, 4, 0, 0, 0.00000001, 1, 0, 360, 0, false);     // below the smallest radius
  box->AddArc(3, 4, 0, 0, 30, 1e300, -1e300, 1e300, 0, false);  // beyond single precision
  box->AddPoint(6, 1, 90, -45, false);
  box->AddPoint(6, 1, -1e31, 0, false);  // out of range
  ASSERT_EQ(store().Elements.size(), 3u);
  const RDrawElement& wide = store().Elements[1];
  EXPECT_EQ(Value(wide.Ratio), std::numeric_limits<float>::max());
  EXPECT_EQ(Value(wide.StartAngle), -std::numeric_limits<float>::max());
  EXPECT_EQ(Value(wide.EndAngle), std::numeric_limits<float>::max());
  store().Elements.erase(store().Elements.begin() + 1);
  const RDrawElement& arc = store().Elements[0];
  EXPECT_EQ(arc.Kind, kKindArc);
  EXPECT_NEAR(Value(arc.X1), 10, 1e-12);
  EXPECT_NEAR(Value(arc.Y1), 20, 1e-12);
  EXPECT_NEAR(Value(arc.Radius), 5, 1e-12);
  EXPECT_EQ(Value(arc.Ratio), 0.5f);
  EXPECT_EQ(Value(arc.StartAngle), 10.0f);
  EXPECT_EQ(Value(arc.EndAngle), 200.0f);
  EXPECT_EQ(Value(arc.Rotation), 30.0f);
  EXPECT_EQ(arc.ColorNo, 3);
  EXPECT_EQ(arc.LineType, 4);
  EXPECT_EQ(arc.Group, 2);
  const RDrawElement& point = store().Elements[1];
  EXPECT_EQ(point.Kind, kKindPoint);
  EXPECT_NEAR(Value(point.X1), 3, 1e-12);
  EXPECT_NEAR(Value(point.Y1), -1.5, 1e-12);
  EXPECT_EQ(point.ColorNo, 6);
}

TEST_F(AddingTest, TextsMeasureTheirBaseLine) {
  struct Case {
    const char* text;
    std::uint8_t group;
    double x, y, angle;
    std::uint8_t direction;
    double x1, y1, x2, y2, height;
  };
  const Case cases[] = {
      // Two letters, width 20, spacing 5: 1 + 0.25 + 1 = 2.25; height 3.
      {"AB", 15, 0, 0, 0, 0, 0, 0, 2.25, 0, 3.0},
      // Written vertically the height measures: 1.5 + 0.25 + 1.5; the width is the height.
      {"AB", 15, 0, 0, 0, kTextVertical, 0, 0, 3.25, 0, 2.0},
      {"漢", 15, 0, 0, 0, 0, 0, 0, 2.0, 0, 3.0},
      {"漢A", 15, 0, 0, 0, 0, 0, 0, 3.5, 0, 3.0},
      // At 1/100 and turned upwards.
      {"AB", 0, 100, 200, 90, 0, 1, 2, 1, 4.25, 3.0},
      // At 1/30 with a vertical column running down.
      {"AB", 2, 30, 60, 270, kTextVertical, 1, 2, 1, 2 - 3.25, 2.0},
      // The suffix is kept in the string but not measured: 8 letters at width 40.
      {"ABCDEFGH##40", 15, 0, 0, 0, 0, 0, 0, 8 * 2 + 7 * 0.25, 0, 3.0},
      // A suffix height 50 becomes the current text height.
      {"ABCDEFGH##0/50", 15, 0, 0, 0, 0, 0, 0, 8 + 7 * 0.25, 0, 5.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    store().ClearAll();
    box->WriteGrupe_No = c.group;
    box->AddText(J(c.text), 3, c.x, c.y, c.angle, c.direction);
    ASSERT_EQ(store().Elements.size(), 1u);
    const RDrawElement& e = last();
    EXPECT_EQ(e.Kind, kKindText);
    EXPECT_NEAR(Value(e.X1), c.x1, 1e-12);
    EXPECT_NEAR(Value(e.Y1), c.y1, 1e-12);
    EXPECT_NEAR(Value(e.X2), c.x2, 1e-9);
    EXPECT_NEAR(Value(e.Y2), c.y2, 1e-9);
    EXPECT_NEAR(box->CurrentTextHeight, c.height, 1e-12);
    EXPECT_EQ(e.ColorNo, 3);
    EXPECT_EQ(e.TextStyle, 3);
    EXPECT_EQ(e.TextDirection, c.direction);
    EXPECT_EQ(Value(e.TextAngle), static_cast<float>(c.angle));
    EXPECT_EQ(e.Group, c.group);
    EXPECT_EQ(e.Layer, 4);
    ASSERT_EQ(store().ElementTexts.size(), 1u);
    EXPECT_EQ(Value(e.TextIndex), 0);
    EXPECT_EQ(store().ElementTexts[0], J(c.text));
  }
}

TEST_F(AddingTest, TextsNeverStartAnUndoStep) {
  box->AddLine(1, 1, 0, 0, 100, 0, false);
  box->AddText("A", 1, 0, 0, 0, 0);
  EXPECT_EQ(store().UndoLog.size(), 2u);
  ASSERT_EQ(store().UndoTexts.size(), 1u);
  EXPECT_EQ(store().UndoTexts[0], "A");
}

TEST_F(AddingTest, EmptyOrOutOfRangeTextsAddNothing) {
  box->AddText("", 1, 0, 0, 0, 0);
  box->AddText("A", 1, 1e40, 0, 0, 0);
  box->AddText("A", kTextStyleCount, 0, 0, 0, 0);  // no such style
  box->GroupScales[0] = 0;                         // would put the text at infinity
  box->WriteGrupe_No = 0;
  box->AddText("A", 1, 5, 0, 0, 0);
  EXPECT_TRUE(store().Elements.empty());
  EXPECT_TRUE(store().ElementTexts.empty());
}

TEST_F(AddingTest, AFullTextListAddsNoTextElement) {
  ScriptedDialogs dialogs;
  const ScopedDialogs scoped(dialogs);
  store().ElementTexts.assign(kMaxTextsPerList, "x");
  box->AddText("one more", 1, 0, 0, 0, 0);
  EXPECT_TRUE(store().Elements.empty());
  EXPECT_EQ(store().ElementTexts.size(), kMaxTextsPerList);
  EXPECT_EQ(dialogs.shown.size(), 1u);

  // The undo log refuses the string: the element and its string both stay out.
  store().ElementTexts.clear();
  store().UndoTexts.assign(kMaxTextsPerList, "x");
  box->AddText("one more", 1, 0, 0, 0, 0);
  EXPECT_TRUE(store().Elements.empty());
  EXPECT_TRUE(store().ElementTexts.empty());
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(AddingTest, LinesWithAttributes) {
  box->WriteGrupe_No = 6;
  box->AddLineAttr(0, 0, 0, 0, 10, 0, 0, 0, true, 64, store());  // every 0 takes the current one
  box->AddLineAttr(9, 8, 0, 0, 10, 0, 7, 3, false, 0, store());
  box->AddLineExact(0, 0, 0, 0, 10, 0, 0, 0, false, 0x9000, store());
  box->AddLineAttr(1, 1, 0, 0, 0.000009, 0, 1, 1, false, 0, store());  // below 0.00001
  box->AddLineExact(1, 1, 0, 0, 0.000009, 0, 1, 1, false, 0, store());
  box->AddLineChecked(store(), false, 0, 0, 0.00009, 0);  // below 0.0001
  box->AddLineChecked(store(), false, 0, 0, 0.0002, 0);
  box->AddLineToStore(store(), 0, 0, 0.00000009, 0);  // below 0.0000001
  box->AddLineToStore(store(), 0, 0, 0, 0.0000002);
  ASSERT_EQ(store().Elements.size(), 5u);
  struct Expected {
    std::uint8_t colour, type, group, layer;
    std::uint16_t tag;
  };
  const Expected expected[] = {
      {5, 2, 6, 4, 64}, {9, 8, 3, 7, 0}, {0, 0, 0, 0, 0x9000}, {5, 2, 6, 4, 0}, {5, 2, 6, 4, 0},
  };
  for (std::size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const RDrawElement& e = store().Elements[i];
    EXPECT_EQ(e.ColorNo, expected[i].colour);
    EXPECT_EQ(e.LineType, expected[i].type);
    EXPECT_EQ(e.Group, expected[i].group);
    EXPECT_EQ(e.Layer, expected[i].layer);
    EXPECT_EQ(Value(e.LineTag), expected[i].tag);
  }
  // The last line started a step of its own.
  EXPECT_EQ(store().UndoLog.size(), 1u);
}

TEST_F(AddingTest, RectanglesKeepTheirCornersAndStartAStep) {
  box->AddLine(1, 1, 0, 0, 100, 0, false);
  box->AddRectangle(store(), 8, 6, 2, 1);
  box->AddRectangle(store(), 8, 6, 1e40, 1);
  ASSERT_EQ(store().Elements.size(), 2u);
  const RDrawElement& e = last();
  EXPECT_EQ(e.Kind, kKindRect);
  EXPECT_EQ(Value(e.X1), 8);
  EXPECT_EQ(Value(e.Y1), 6);
  EXPECT_EQ(Value(e.X2), 2);
  EXPECT_EQ(Value(e.Y2), 1);
  EXPECT_EQ(e.ColorNo, 5);
  EXPECT_EQ(store().UndoLog.size(), 1u);
}

TEST_F(AddingTest, TurnedRectanglesAddTheirSides) {
  struct Case {
    double x1, y1, x2, y2, angle;
    std::vector<Segment> lines;
  };
  const Case cases[] = {
      {0, 0, 10, 5, 0, {{0, 0, 10, 0}, {0, 5, 10, 5}, {0, 0, 0, 5}, {10, 0, 10, 5}}},
      {0, 0, 10, 5, 90, {{0, 0, 0, 10}, {-5, 0, -5, 10}, {0, 0, -5, 0}, {0, 10, -5, 10}}},
      {2, 1, 2, 6, 90, {{2, 1, -3, 1}}},  // no width: one side
      {2, 1, 7, 1, 0, {{2, 1, 7, 1}}},    // no height: one side
      {2, 1, 2.0000001, 1, 0, {}},        // neither
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    store().ClearAll();
    box->AddLine(1, 1, 0, 0, 100, 0, false);
    store().Elements.clear();
    box->AddRotatedRectLines(store(), c.x1, c.y1, c.x2, c.y2, c.angle);
    ExpectLines(c.lines);
    // A new step even when nothing is added.
    EXPECT_EQ(store().UndoLog.size(), c.lines.size());
  }
}

TEST_F(AddingTest, AlignedRectanglesAddFourSidesAndNoEmptyOnes) {
  struct Case {
    double x1, y1, x2, y2, angle;
    std::vector<Segment> lines;
  };
  const Case cases[] = {
      {0, 0, 10, 5, 0, {{0, 0, 10, 0}, {10, 0, 10, 5}, {10, 5, 0, 5}, {0, 0, 0, 5}}},
      {0, 0, -5, 10, 90, {{0, 0, 0, 10}, {0, 10, -5, 10}, {-5, 10, -5, 0}, {0, 0, -5, 0}}},
      // Flat: the sides across have no length and give no lines.
      {0, 0, 10, 0, 0, {{0, 0, 10, 0}, {10, 0, 0, 0}}},
      {3, 3, 3, 3, 30, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x2);
    store().ClearAll();
    box->AddAlignedRectLines(store(), false, c.x1, c.y1, c.x2, c.y2, c.angle);
    ExpectLines(c.lines);
  }
  box->AddAlignedRectLines(store(), true, 0, 0, 10, 5, 0);
  box->AddAlignedRectLines(store(), true, 0, 0, 1e40, 5, 0);
  EXPECT_EQ(store().Elements.size(), 4u);
}

TEST_F(AddingTest, RefittingAfterARescaleKeepsThePaperLength) {
  box->WriteGrupe_No = 0;
  box->AddText("AB", 3, 100, 0, 0, 0);  // base (1, 0), 2.25 long
  box->RescaleWriteGroup(2);
  EXPECT_NEAR(Value(last().X1), 2, 1e-12);
  EXPECT_NEAR(Value(last().X2), 6.5, 1e-12);  // scaled with the group
  box->RefitAllTextEnds();
  EXPECT_NEAR(Value(last().X2), 4.25, 1e-12);
  EXPECT_NEAR(Value(last().Y2), 0, 1e-12);
}

TEST_F(AddingTest, RefittingMarkupUsesTheTextsOwnStyleAndDirection) {
  // The current style and direction differ from the text's own.
  box->Mozi_No = 1;  // width 20, height 20, spacing 1
  box->PlaceTextDirection = kTextVertical;
  struct Case {
    const char* text;
    std::uint8_t direction;
    double angle;
    double along;  // hand measure with style 3 (w 20, h 30, s 5)
    double height;
  };
  const Case cases[] = {
      // Five letters 5 + 4 x 0.25 = 6, less 2 x 1 x 1.5 (half the height), plus 0.25.
      {"10^u2", 0, 0, 3.25, 3.0},
      // Vertical: five letters at the height 5 x 1.5 + 1 = 8.5, less 2 x 1 (half the width), plus 0.25.
      {"10^u2", kTextVertical, 270, 6.75, 2.0},
      // Six letters 6 + 5 x 0.25 = 7.25; the compression takes (2 + 2) x 1.5 and gives 0.25.
      {"ABCD^2", 0, 0, 1.5, 3.0},
      // A leading "^c" gives back 0.25.
      {"^cAB", 0, 0, 4 + 3 * 0.25 + 0.25, 3.0},
      {"AB", 0, 90, 2.25, 3.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    store().ClearAll();
    box->WriteGrupe_No = 15;
    box->AddText(c.text, 3, 10, 20, c.angle, c.direction);
    store().Elements.back().X2 = 0;
    store().Elements.back().Y2 = 0;
    box->CurrentTextHeight = 0;
    box->RefitTextEnd(0);
    double ex = 10, ey = 20;
    PolarPoint(ex, ey, c.angle, c.along, 10, 20);
    EXPECT_NEAR(Value(last().X2), ex, 1e-9);
    EXPECT_NEAR(Value(last().Y2), ey, 1e-9);
    EXPECT_NEAR(box->CurrentTextHeight, c.height, 1e-12);
  }
}

TEST_F(AddingTest, RefittingSkipsWhatIsNoText) {
  box->WriteGrupe_No = 15;
  box->AddLine(1, 1, 0, 0, 10, 0, false);
  RDrawElement text = Text(store().ElementTexts, "AB", 0, 0, 7, 7);
  text.TextIndex = 99;  // names no string
  store().Elements.push_back(text);
  box->RefitTextEnd(0);
  box->RefitTextEnd(1);
  box->RefitTextEnd(-1);
  box->RefitTextEnd(2);
  box->RefitAllTextEnds();
  EXPECT_EQ(Value(store().Elements[0].X2), 10);
  EXPECT_EQ(Value(store().Elements[1].X2), 7);
}

TEST_F(AddingTest, RescalingTheWritingGroupLeavesOtherGroups) {
  box->ButonType = dtNo;
  box->WriteGrupe_No = 2;
  store().Elements.push_back(Line(1, 2, 3, 4, 2));
  store().Elements.push_back(Line(1, 2, 3, 4, 0));
  store().FillVertices.push_back({1, 1, 0, 2, 0});
  store().FillVertices.push_back({1, 1, 0, 0, 0});
  store().Buffer.push_back(Line(1, 0, 2, 0, 2));
  store().Buffer.push_back(Line(1, 0, 2, 0, 0));
  RDrawElement text = Text(store().BufferTexts, "AB", 1, 1, 99, 99);
  text.Group = 2;
  text.TextStyle = 3;
  store().Buffer.push_back(text);
  box->FirstPoint = {3, 4};
  box->RescaleWriteGroup(2);
  EXPECT_EQ(Value(store().Elements[0].X2), 6);
  EXPECT_EQ(Value(store().Elements[1].X2), 3);
  EXPECT_EQ(store().FillVertices[0].X, 2);
  EXPECT_EQ(store().FillVertices[1].X, 1);
  EXPECT_EQ(Value(store().Buffer[0].X2), 4);
  EXPECT_EQ(Value(store().Buffer[1].X2), 2);
  // The buffer text moved and was measured again: 2.25 from its new base point.
  EXPECT_NEAR(Value(store().Buffer[2].X1), 2, 1e-12);
  EXPECT_NEAR(Value(store().Buffer[2].X2), 4.25, 1e-12);
  EXPECT_NEAR(Value(store().Buffer[2].Y2), 2, 1e-12);
  EXPECT_EQ(box->FirstPoint.x, 6);
  EXPECT_EQ(box->FirstPoint.y, 8);
}

// Whatever the host adds shows after a zoom-in, which only refilters the
// display lists built before the addition.
TEST_F(AddingTest, AddedElementsShowAfterAZoomIn) {
  box->WriteReiya_No = 0;
  box->Pentyp = 1;
  box->Pencol = 3;  // green
  const double cx = box->ViewCentre.x, cy = box->ViewCentre.y;
  struct Case {
    const char* what;
    std::function<void()> add;
    double probeX, probeY;  // a drawing point on the added element
  } cases[] = {
      {"line", [&] { box->AddLine(3, 1, (cx - 40) * 100, cy * 100, (cx + 40) * 100, cy * 100, false); }, cx + 20, cy},
      {"arc", [&] { box->AddArc(3, 1, cx * 100, cy * 100, 3000, 1, 0, 0, 0, false); }, cx + 30, cy},
      {"paste",
       [&] {
         RDrawElement line = Line(cx, cy - 40, cx, cy + 40);
         line.ColorNo = 3;
         store().Buffer.push_back(line);
         store().PasteBuffer(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, true, 0, false, false);
       },
       cx, cy + 20},
  };
  for (const Case& c : cases) {
    store().ClearAll();
    box->FitPaper(true, 0.99);
    box->RedrawAll(false);
    c.add();
    std::uint16_t key = VK_PRIOR;
    ASSERT_TRUE(box->ChildKey(key, 0));
    // The curve's pixels may fall one beside the exact point.
    bool shown = false;
    const int px = box->WorldToScreenX(c.probeX), py = box->WorldToScreenY(c.probeY);
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) shown |= canvas().GetPixel(px + dx, py + dy) == 0x00FF00u;
    }
    EXPECT_TRUE(shown) << c.what;
  }
}

}  // namespace
