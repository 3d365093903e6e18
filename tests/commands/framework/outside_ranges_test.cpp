// The outside range, the mirrored copy and move and the cut-out range,
// through their clicks.

#include <gtest/gtest.h>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

class OutsideRanges : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Box().ColourTable.fill(0x00FF00);
  }
};

TEST_F(OutsideRanges, TheCursorsOfTheCutOutAndOutsideRanges) {
  // The cut-out delete takes the range selection's cursor: the host's
  // variant 3 or 100 once, then the variant is used up (20). The others
  // take the variant cursor: 0 gives 4, 1 to 3 give 11 to 13 with their own
  // cross-hair (ring 0) and 1 to 3 with the ring; any other keeps the cursor.
  struct Case {
    Sbuttontype mode;
    std::uint8_t ringHan, cursorHan;
    int cursor;
    std::uint8_t cursorHanAfter;
  } cases[] = {
      {dtKiritorisakuzyo, 0, 0, 0, 20},    {dtKiritorisakuzyo, 1, 0, 4, 20},    {dtKiritorisakuzyo, 2, 0, 4, 20},
      {dtKiritorisakuzyo, 0, 3, 13, 20},   {dtKiritorisakuzyo, 1, 3, 3, 20},    {dtKiritorisakuzyo, 2, 3, 3, 20},
      {dtKiritorisakuzyo, 0, 100, 25, 20}, {dtKiritorisakuzyo, 1, 100, 24, 20}, {dtKiritorisakuzyo, 2, 100, 24, 20},
      {dtKiritorisakuzyo, 0, 7, 0, 20},    {dtKiritoriHani, 0, 0, 4, 0},        {dtKiritoriHani, 1, 0, 4, 0},
      {dtKiritoriHani, 0, 1, 11, 1},       {dtKiritoriHani, 0, 3, 13, 3},       {dtKiritoriHani, 1, 2, 2, 2},
      {dtKiritoriHani, 2, 3, 3, 3},        {dtKiritoriHani, 0, 7, 99, 7},       {dtHaniGai, 0, 2, 12, 2},
      {dtHaniCopyGai, 1, 1, 1, 1},         {dtHaniCopyGai, 0, 100, 99, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " ring " << int(c.ringHan) << " variant "
                                    << int(c.cursorHan));
    Box().SetCursor(99);
    Box().LastCursorMode = dtend;
    Box().ButonType = c.mode;
    Box().RingHan = c.ringHan;
    Box().cursorHan = c.cursorHan;
    Box().UpdateCommandCursor();
    EXPECT_EQ(Box().Cursor(), c.cursor);
    EXPECT_EQ(Box().cursorHan, c.cursorHanAfter);
  }
}

TEST_F(OutsideRanges, ALeftRangeSelectsWhatLiesOutsideWhicheverButtonClosesIt) {
  for (const TShiftState second : {ssLeft, ssRight}) {
    SCOPED_TRACE(second == ssLeft ? "closed left" : "closed right");
    Store().Elements.clear();
    Seed({Line(40, 40, 50, 40), Line(100, 80, 110, 80), Line(20, 45, 50, 45)});
    Box().ButonType = dtHaniGai;
    BanGoCalls.clear();
    TakeNotifications();
    Click(30, 30, ssLeft);
    EXPECT_EQ(Box().CommandStep, 1);
    MoveTo(60, 60);
    EXPECT_EQ(Hint(), "  " + J("範 囲 外"));
    Click(60, 60, second);
    EXPECT_EQ(Box().CommandStep, 0);
    EXPECT_EQ(Box().RangeClickKind, 0);
    // Inside: not selected; wholly outside or reaching out of it: selected.
    EXPECT_EQ(Value(Elements()[0].Selection), 0);
    EXPECT_EQ(Value(Elements()[1].Selection), 1);
    EXPECT_EQ(Value(Elements()[2].Selection), 1);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+106"});
    ASSERT_GE(BanGoCalls.size(), 2u);
    EXPECT_EQ(BanGoCalls[0].GenBan, 1);
    EXPECT_EQ(BanGoCalls[1].GenBan, 2);
    ExpectScreenMatchesRedraw();
    Box().DeselectAll();
  }
}

TEST_F(OutsideRanges, ARightPressAtTheFirstStepTogglesOneElement) {
  Seed({Line(40, 40, 60, 40), Line(100, 80, 110, 80)});
  Box().ButonType = dtHaniCopyGai;
  TakeNotifications();
  Click(50, 40, ssRight);
  EXPECT_EQ(Box().CommandStep, 0);
  EXPECT_EQ(Value(Elements()[0].Selection), 1);
  EXPECT_EQ(Value(Elements()[1].Selection), 0);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+106"});
  Click(50, 40, ssRight);
  EXPECT_EQ(Value(Elements()[0].Selection), 0) << "toggled back";
  TakeNotifications();
  Click(80, 20, ssRight);
  EXPECT_TRUE(TakeNotifications().empty()) << "a miss posts nothing";
  ExpectScreenMatchesRedraw();
}

class Mirror : public OutsideRanges {
 protected:
  void SetUp() override {
    OutsideRanges::SetUp();
    // The figure in the buffer; the mirror line x = 50.
    Tdrawinp::TextList& texts = Store().BufferTexts;
    Store().Buffer = {Line(10, 10, 20, 10), Text(texts, "AB", 0, 1, 2, 1), Arc(20, 30, 5, 0, 90)};
    Seed({Line(50, 0, 50, 90)});
    Box().B_Switch = on1;
  }
  // The figure mirrored in x = 50: x goes to 100 - x; the text's ends
  // exchange, so it still runs left to right at angle 0; the arc's ends at
  // 0 and 90 degrees, (25, 30) and (20, 35), go to (75, 30) and (80, 35),
  // which seen from the centre (80, 30) lie at 180 and 90 degrees: the
  // mirrored arc runs from 90 to 180.
  std::vector<RDrawElement> Mirrored(std::uint8_t selection, std::uint16_t firstText) {
    Tdrawinp::TextList scratch;
    RDrawElement line = Line(90, 10, 80, 10);
    RDrawElement text = Text(scratch, "AB", 98, 1, 100, 1);
    text.TextIndex = firstText;
    RDrawElement arc = Arc(80, 30, 5, 90, 180);
    std::vector<RDrawElement> out = {line, text, arc};
    for (RDrawElement& e : out) e.Selection = selection;
    return out;
  }
};

TEST_F(Mirror, AMoveInEitherMirrorModeAsksForTheMirrorLine) {
  for (const Sbuttontype mode : {dtCopyHanten, dtIdoHanten}) {
    SCOPED_TRACE(int(mode));
    Box().SetHint("");
    Box().ButonType = mode;
    MoveTo(30, 30);
    EXPECT_EQ(Hint(), "  " + J("基準線指示    [左クリック（自由）：右クリック（反転キャンセル）]"));
  }
}

TEST_F(Mirror, AMirroredCopyAddsTheReflectionAsItsOwnUndoStep) {
  Store().AddElement(Line(1, 90, 5, 90));  // the previous step
  RedrawAsTheHostDoes();
  Box().ButonType = dtCopyHanten;
  TakeNotifications();
  Click(50, 45, ssLeft);
  EXPECT_EQ(Box().ButonType, dtCopyFree);
  EXPECT_EQ(Box().B_Switch, _off);
  RDrawElement previous = Line(1, 90, 5, 90);
  previous.UndoMark = kUndoAdded;  // as the store marks what it adds
  std::vector<RDrawElement> want = {Line(50, 0, 50, 90), previous};
  for (const RDrawElement& e : Mirrored(0, 0)) want.push_back(e);
  ExpectElements(want);
  EXPECT_EQ(TextOf(Elements()[3]), "AB");
  ASSERT_EQ(UndoLog().size(), 3u) << "the previous step is gone";
  for (const RDrawElement& e : UndoLog()) EXPECT_EQ(Value(e.UndoMark), kUndoAdded);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+114"});
  EXPECT_EQ(Store().Buffer.size(), 3u) << "the figure can be placed again";
  ExpectScreenMatchesRedraw();
}

TEST_F(Mirror, AMirroredMoveDeletesTheSourceInTheSameStep) {
  RDrawElement source = Line(10, 70, 20, 70);
  source.Selection = 1;
  Seed({source});
  Box().ButonType = dtIdoHanten;
  Click(50, 45, ssLeft);
  EXPECT_EQ(Box().ButonType, dtIdoFree);
  std::vector<RDrawElement> want = {Line(50, 0, 50, 90)};
  for (const RDrawElement& e : Mirrored(1, 0)) want.push_back(e);
  ExpectElements(want);
  ASSERT_EQ(UndoLog().size(), 4u);
  EXPECT_EQ(Value(UndoLog()[0].UndoMark), kUndoDeleted);
  EXPECT_EQ(Value(UndoLog()[0].Y1), 70);
  for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(Value(UndoLog()[i].UndoMark), kUndoAdded);
  ExpectScreenMatchesRedraw();
}

TEST_F(Mirror, ARightPressReturnsToTheUnmirroredFigureAndAMissChangesNothing) {
  Box().ButonType = dtCopyHanten;
  Click(50, 45, ssRight);
  EXPECT_EQ(Hint(), "  " + J("反転キャンセル"));
  EXPECT_EQ(Box().ButonType, dtCopyFree);
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Elements().size(), 1u);
  ExpectScreenMatchesRedraw();

  Box().ButonType = dtCopyHanten;
  Click(90, 45, ssLeft);
  EXPECT_EQ(Hint(), "  " + J("線がありません！"));
  EXPECT_EQ(Box().ButonType, dtCopyHanten);
  EXPECT_EQ(Elements().size(), 1u);
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(Mirror, TheMirrorLineIsTheFirstListedLineInItsBox) {
  // Both within 4 units of the press; the first listed wins, not the nearer.
  Store().Elements.clear();
  Seed({Line(53, 0, 53, 90), Line(50, 0, 50, 90)});
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  ASSERT_TRUE(Box().PickMirrorLine(50, 45, x1, y1, x2, y2));
  EXPECT_EQ(x1, 53);
  // The box reaches 4 above but only 4 / 1.5 below the press.
  Store().Elements.clear();
  Seed({Line(0, 41, 100, 41)});
  EXPECT_FALSE(Box().PickMirrorLine(50, 45, x1, y1, x2, y2));
  EXPECT_TRUE(Box().PickMirrorLine(50, 37.5, x1, y1, x2, y2));
}

TEST_F(OutsideRanges, CutOutRangesAccumulateAndKeepTheirFrames) {
  Seed({Line(20, 50, 80, 50), Line(20, 30, 80, 30)});
  Box().ButonType = dtKiritoriHani;
  TakeNotifications();
  Click(40, 40, ssLeft);
  MoveTo(60, 60);
  Click(60, 60, ssLeft);
  ASSERT_EQ(Store().Buffer.size(), 1u);
  EXPECT_EQ(Value(Store().Buffer[0].X1), 40);
  EXPECT_EQ(Value(Store().Buffer[0].X2), 60);
  EXPECT_EQ(Box().CutRange.X1, 40);
  EXPECT_EQ(Box().CutRange.Y2, 60);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+106"});
  EXPECT_EQ(PixelAt(50, 60), Box().Sentakucol) << "the frame stays";
  ExpectScreenMatchesRedraw();  // the redraw draws the frame of the range too
  // A second range adds to the buffer; the first frame stays too, until
  // the next full redraw, which draws only the last range's frame.
  Click(30, 20, ssLeft);
  MoveTo(50, 35);
  Click(50, 35, ssLeft);
  ASSERT_EQ(Store().Buffer.size(), 2u);
  EXPECT_EQ(Value(Store().Buffer[1].X1), 30);
  EXPECT_EQ(PixelAt(50, 60), Box().Sentakucol);
  EXPECT_EQ(PixelAt(40, 35), Box().Sentakucol);
  // The cancel-all removes the last frame and forgets the range; the first
  // frame stays until the next full redraw.
  Box().CancelCommands(true);
  EXPECT_NE(PixelAt(40, 35), Box().Sentakucol);
  EXPECT_EQ(PixelAt(50, 60), Box().Sentakucol);
  EXPECT_EQ(Box().CutRange.X1, 0);
  EXPECT_EQ(Box().CutRange.Y2, 0);
  EXPECT_TRUE(Store().Buffer.empty());
  RedrawAsTheHostDoes();
  EXPECT_NE(PixelAt(50, 60), Box().Sentakucol);
}

TEST_F(OutsideRanges, TheCutOutRangeForTheHostKeepsOnlyItsLastFrame) {
  Box().ButonType = dtKiritorisakuzyo;
  TakeNotifications();
  Click(10, 10, ssLeft);
  MoveTo(30, 30);
  Click(30, 30, ssLeft);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame11+106"});
  EXPECT_EQ(PixelAt(20, 30), Box().Sentakucol);
  ExpectScreenMatchesRedraw();
  Click(60, 60, ssLeft);
  MoveTo(80, 80);
  Click(80, 80, ssLeft);
  EXPECT_NE(PixelAt(20, 30), Box().Sentakucol) << "the previous frame is gone";
  EXPECT_EQ(PixelAt(70, 80), Box().Sentakucol);
  EXPECT_TRUE(Store().Buffer.empty());
  EXPECT_EQ(Box().RangeClickKind, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(OutsideRanges, TheCutOutCancelDrawsNothingWithoutARange) {
  Box().ButonType = dtKiritoriHani;
  Box().CancelCommands(true);
  ExpectScreenMatchesRedraw();
}

}  // namespace
