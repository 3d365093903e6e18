// The element arrays of the tools: committed as one undo step, previewed
// with the caller's pen.

#include <gtest/gtest.h>

#include <QImage>

#include <vector>

#include "geometry/codepage.h"
#include "platform/canvas_qt.h"
#include "support/command_harness.h"

namespace {

class ElementArrays : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    TcadBox& box = Box();
    box.Pentyp = 3;
    box.Pencol = 4;
    box.WriteGrupe_No = 2;
    box.WriteReiya_No = 5;
    Seed({Line(100, 90, 120, 90)});
    // The step of an earlier action: one point.
    box.AddPointAttr(0, 0, Store(), true, 5, 5);
    RedrawAsTheHostDoes();
    previous_ = Store().Elements.back();
  }

  // The records of a tool: a line of colour and type 0 on layer 9 with tag
  // 7, an arc, a point on layer 0, a text and a rectangle.
  std::vector<RDrawElement> ToolArray() {
    RDrawElement line = Line(10, 10, 20, 10);
    line.ColorNo = 0;
    line.LineType = 0;
    line.Layer = 9;
    line.LineTag = 7;
    RDrawElement arc = Arc(30, 30, 5);
    arc.ColorNo = 6;
    arc.LineType = 2;
    arc.Layer = 3;
    RDrawElement point = Point(40, 40);
    point.ColorNo = 2;
    RDrawElement text = Text(texts_, J("文字"), 50, 50, 54, 50);
    text.TextStyle = 1;
    text.ColorNo = 1;
    text.Layer = 4;
    RDrawElement rect = Line(60, 60, 70, 70);
    rect.Kind = kKindRect;
    return {line, arc, point, text, rect};
  }

  // An added element as the drawing and the undo log hold it.
  static RDrawElement Added(RDrawElement e, std::uint8_t lineType, std::uint8_t colour, std::uint8_t layer,
                            std::uint16_t tag = 0) {
    e.LineType = lineType;
    e.ColorNo = colour;
    e.Group = 2;
    e.Layer = layer;
    if (e.Kind == kKindLine) e.LineTag = tag;
    e.UndoMark = kUndoAdded;  // in the drawing as in the log
    return e;
  }

  Tdrawinp::TextList texts_;
  RDrawElement previous_ = ZeroElement();
};

TEST_F(ElementArrays, ACommitAddsLinesArcsPointsAndTextsAsOneStep) {
  const std::vector<RDrawElement> array = ToolArray();
  Box().CommitElementArray(array, 4, texts_);
  // 0 means the pen's colour, type and layer; lines go to the current layer
  // without their tag; the rectangle is not added.
  const RDrawElement line = Added(array[0], 3, 4, 5);
  const RDrawElement arc = Added(array[1], 2, 6, 3);
  const RDrawElement point = Added(array[2], 1, 2, 5);
  const RDrawElement text = Added(array[3], 0, 1, 4);
  ExpectElements({Line(100, 90, 120, 90), previous_, line, arc, point, text});
  ExpectUndoLog({line, arc, point, text});
  EXPECT_EQ(Utf8FromCp932(UndoTextOf(UndoLog()[3])), "文字");
}

TEST_F(ElementArrays, KeepingTheLayerKeepsTheLinesLayerAndTag) {
  const std::vector<RDrawElement> array = ToolArray();
  Box().CommitElementArrayKeepLayer(array, 4, texts_, false);
  const RDrawElement line = Added(array[0], 3, 4, 9, 7);
  ExpectElements({Line(100, 90, 120, 90), previous_, line, Added(array[1], 2, 6, 3), Added(array[2], 1, 2, 5),
                  Added(array[3], 0, 1, 4)});
  EXPECT_EQ(UndoLog().size(), 4u);
}

TEST_F(ElementArrays, AppendingJoinsTheStepBefore) {
  const std::vector<RDrawElement> array = ToolArray();
  Box().CommitElementArrayKeepLayer(array, 0, texts_, true);
  ExpectUndoLog({previous_, (Added(array[0], 3, 4, 9, 7))});
}

TEST_F(ElementArrays, NothingToAddLeavesTheStepBefore) {
  const std::vector<RDrawElement> array = ToolArray();
  Box().CommitElementArray(array, -1, texts_);
  Box().CommitElementArray({}, 3, texts_);  // a high index past an empty array reads nothing
  Box().CommitAndDrawElementArray(array, -1);
  ExpectElements({Line(100, 90, 120, 90), previous_});
  ExpectUndoLog({previous_});
  ExpectScreenMatchesRedraw();
}

TEST_F(ElementArrays, ASkippedFirstRecordLeavesTheNewStepToTheFirstAdded) {
  const std::vector<RDrawElement> tool = ToolArray();
  RDrawElement tooShort = Line(1, 1, 1.000005, 1);  // the add operation's limit is 0.00001
  RDrawElement emptyText = Text(texts_, "", 1, 1, 2, 1);
  RDrawElement lostText = tool[3];
  lostText.TextIndex = 99;  // past the text list: no string
  struct Case {
    const char* name;
    RDrawElement first;
  };
  const Case cases[] = {{"rectangle", tool[4]},
                        {"empty text", emptyText},
                        {"text past its list", lostText},
                        {"line too short", tooShort}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Box().AddPointAttr(0, 0, Store(), true, 5, 5);  // a fresh earlier step
    const std::size_t count = Elements().size();
    const std::vector<RDrawElement> array = {c.first, tool[1]};
    Box().CommitElementArray(array, 1, texts_);
    ASSERT_EQ(Elements().size(), count + 1);
    ExpectUndoLog({(Added(tool[1], 2, 6, 3))});
  }
}

TEST_F(ElementArrays, AHighIndexCountsTheRecordsButNeverPassesTheArray) {
  const std::vector<RDrawElement> array = ToolArray();
  Box().CommitElementArray(std::span(array).first(2), 9, texts_);
  EXPECT_EQ(UndoLog().size(), 2u);
  Box().CommitElementArray(array, 0, texts_);
  EXPECT_EQ(UndoLog().size(), 1u);
}

TEST_F(ElementArrays, CommitAndDrawShowsLinesAndArcsInThePenColour) {
  Box().Pentyp = 1;
  RDrawElement line = Line(10, 20, 30, 20);
  line.ColorNo = 0;
  line.LineType = 0;
  RDrawElement arc = Arc(60, 20, 5);
  arc.ColorNo = 0;
  RDrawElement point = Point(500, 20);  // added, never drawn: out of view for the comparison
  RDrawElement text = Text(texts_, "a", 90, 20, 92, 20);
  const std::vector<RDrawElement> array = {line, arc, point, text};
  Box().CommitAndDrawElementArray(array, 3);
  EXPECT_EQ(UndoLog().size(), 3u) << "no text";
  EXPECT_EQ(PixelAt(20, 20), Box().ColourTable[4]);
  // The circle's rightmost pixels lie within two of (65, 20).
  bool arcShown = false;
  for (int dx = -2; dx <= 2; ++dx) {
    arcShown |= Box().Canvas().GetPixel(PixelX(65) + dx, PixelY(20)) == Box().ColourTable[4];
  }
  EXPECT_TRUE(arcShown);
  ExpectScreenMatchesRedraw();
}

TEST_F(ElementArrays, APreviewDrawnTwiceLeavesTheImageAsItWas) {
  TcadBox& box = Box();
  RDrawElement dashed = Line(10, 30, 60, 30);
  dashed.LineType = 0;  // the default type
  RDrawElement text = Text(texts_, "ab", 10, 50, 30, 50);
  text.TextStyle = 3;
  RDrawElement rect = Line(70, 10, 80, 20);
  rect.Kind = kKindRect;
  const std::vector<RDrawElement> array = {dashed, Arc(40, 40, 8, 0, 180), text, Point(90, 60), rect};
  const QImage before = CanvasImage(box.Canvas()).copy();
  for (const bool asLines : {false, true}) {
    SCOPED_TRACE(asLines ? "as lines" : "by kind");
    TCanvas& canvas = box.Canvas();
    canvas.Pen.Mode = pmXor;
    canvas.Pen.Color = box.PrepareXorColor(0x00FF00);
    box.DrawElementArray(array, 4, 2, asLines, false);
    EXPECT_FALSE(CanvasImage(canvas) == before) << "the preview shows";
    box.DrawElementArray(array, 4, 2, asLines, false);
    EXPECT_TRUE(CanvasImage(canvas) == before) << "drawn again, it is gone to the byte";
    canvas.Pen.Mode = pmCopy;
  }
}

TEST_F(ElementArrays, TinyLinesRectanglesAndTextsOutOfViewAreNotDrawn) {
  TcadBox& box = Box();
  RDrawElement rect = Line(70, 10, 80, 20);
  rect.Kind = kKindRect;
  RDrawElement farText = Text(texts_, "ab", 500, 500, 520, 500);
  const std::vector<RDrawElement> array = {Line(10, 10, 10.00005, 10), Arc(20, 20, 0.00005), rect, farText};
  const QImage before = CanvasImage(box.Canvas()).copy();
  box.Canvas().Pen.Color = 0x00FF00;
  box.DrawElementArray(array, 3, 1, false, false);
  EXPECT_TRUE(CanvasImage(box.Canvas()) == before);
}

TEST_F(ElementArrays, PointMarksByThePointMode) {
  // Single-pixel marks, where the colour code shows: 200 the background,
  // 220 no colour of its own (nothing drawn), else the pen colour's number.
  TcadBox& box = Box();
  box.Dothyouzi = true;
  box.Zoom = 0.5;
  box.ViewWindow = {0, 0, 256, 192};
  RDrawElement under = Line(90, 100, 110, 100);
  under.ColorNo = 3;
  Seed({under});
  box.Pencol = 6;
  struct Case {
    const char* name;
    std::uint8_t colour;
    bool pointMode;
    TColor pixel;
  };
  const Case cases[] = {{"point mode", 5, true, clBlack},
                        {"coloured point", 5, false, box.ColourTable[3]},
                        {"point of colour 0", 0, false, box.ColourTable[6]}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box.RedrawAll(false);
    ASSERT_EQ(PixelAt(100, 100), box.ColourTable[3]);
    RDrawElement point = Point(100, 100);
    point.ColorNo = c.colour;
    const std::vector<RDrawElement> array = {point};
    box.DrawElementArray(array, 0, 0, false, c.pointMode);
    EXPECT_EQ(PixelAt(100, 100), c.pixel);
  }
}

}  // namespace
