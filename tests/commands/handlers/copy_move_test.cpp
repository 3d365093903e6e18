// Copy and move of the selection to picked places, the repeated paste along
// a segment, the fitting range and the figure save, through the mouse.
// Group 0 is drawn at 1:100: a real length of 100 is 1 drawing unit.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <QImage>

#include "geometry/codepage.h"
#include "platform/canvas_qt.h"
#include "support/command_harness.h"

namespace {

RDrawElement Selected(RDrawElement e) {
  e.Selection = 1;
  return e;
}

RDrawElement Marked(RDrawElement e, std::uint8_t mark) {
  e.UndoMark = mark;
  e.Selection = 0;
  return e;
}

std::string Post(const char* frame, int n) { return std::string(frame) + "+" + std::to_string(n); }

class CopyMoveCommands : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Box().Update();
    Box().PasteScaleX = 1;
    Box().PasteScaleY = 1;
  }
  // Base point given at (bx, by) with the selection in the buffer.
  void StartWith(Sbuttontype mode, std::initializer_list<RDrawElement> elements, double bx, double by) {
    StartAfresh(mode);
    Seed(elements);
    Box().Update();
    Click(bx, by);
    ASSERT_EQ(Box().B_Switch, on1);
    TakeNotifications();
  }
};

// Where the paste puts a buffer point q for base point b and target p: the
// scaled offset from b turned by the angle, added to p; along the x axis
// (mode 1) the y of the target is dropped, along y (mode 2) its x.
RPoint2D Placed(RPoint2D q, RPoint2D b, RPoint2D p, double sx, double sy, double angle, int mode) {
  const double a = angle * std::numbers::pi / 180.0;
  const double ux = sx * (q.x - b.x), uy = sy * (q.y - b.y);
  const double rx = ux * std::cos(a) - uy * std::sin(a), ry = ux * std::sin(a) + uy * std::cos(a);
  const double tx = mode == 2 ? b.x : p.x, ty = mode == 1 ? b.y : p.y;
  return {tx + rx, ty + ry};
}

TEST_F(CopyMoveCommands, CopyPlacesTheBufferUnderTheTransform) {
  struct Case {
    const char* what;
    double sx, sy, angle;
    int mode;
    RPoint2D offsetReal;
  } cases[] = {
      {"factors 1", 1, 1, 0, 0, {0, 0}},
      {"factors 2 and 3", 2, 3, 0, 0, {0, 0}},
      {"turned 90", 1, 1, 90, 0, {0, 0}},
      {"turned 30 with factors 2", 2, 2, 30, 0, {0, 0}},
      {"along x", 1, 1, 0, 1, {0, 0}},
      {"along y", 1, 1, 0, 2, {0, 0}},
      {"offset 100 real is 1 in x", 1, 1, 0, 0, {100, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Box().PasteScaleX = c.sx;
    Box().PasteScaleY = c.sy;
    Box().CommandAngle = c.angle;
    Box().DirectionMode = c.mode;
    Box().PasteOffset = c.offsetReal;
    StartAfresh(dtCopyFree);
    Seed({Selected(Line(10, 10, 20, 10)), Selected(Arc(15, 20, 2)), Selected(Point(12, 14))});
    SeedText("AB", 14, 16, 18, 16);
    Store().Elements.back().Selection = 1;
    RedrawAsTheHostDoes();
    Click(10, 10);
    Click(40, 30);
    ASSERT_EQ(Elements().size(), 8u);
    // The base point less the offset (1, 0) drawing units is the anchor.
    const RPoint2D b{10 - c.offsetReal.x / 100, 10 - c.offsetReal.y / 100};
    const RPoint2D p{40, 30};
    const RPoint2D l1 = Placed({10, 10}, b, p, c.sx, c.sy, c.angle, c.mode);
    const RPoint2D l2 = Placed({20, 10}, b, p, c.sx, c.sy, c.angle, c.mode);
    const RPoint2D ac = Placed({15, 20}, b, p, c.sx, c.sy, c.angle, c.mode);
    const RPoint2D pt = Placed({12, 14}, b, p, c.sx, c.sy, c.angle, c.mode);
    const RDrawElement& line = Elements()[4];
    const RDrawElement& arc = Elements()[5];
    const RDrawElement& point = Elements()[6];
    EXPECT_NEAR(line.X1, l1.x, 1e-9);
    EXPECT_NEAR(line.Y1, l1.y, 1e-9);
    EXPECT_NEAR(line.X2, l2.x, 1e-9);
    EXPECT_NEAR(line.Y2, l2.y, 1e-9);
    EXPECT_NEAR(arc.X1, ac.x, 1e-9);
    EXPECT_NEAR(arc.Y1, ac.y, 1e-9);
    EXPECT_NEAR(arc.Radius, 2 * c.sx, 1e-9);
    EXPECT_NEAR(point.X1, pt.x, 1e-9);
    EXPECT_NEAR(point.Y1, pt.y, 1e-9);
    EXPECT_EQ(line.Selection, 0);
    // A text is never scaled: its base point follows the transform, its
    // run (4, 0) is only turned.
    const RDrawElement& text = Elements()[7];
    const RPoint2D tb = Placed({14, 16}, b, p, c.sx, c.sy, c.angle, c.mode);
    const double a = c.angle * std::numbers::pi / 180.0;
    EXPECT_NEAR(text.X1, tb.x, 1e-9);
    EXPECT_NEAR(text.Y1, tb.y, 1e-9);
    EXPECT_NEAR(text.X2, tb.x + 4 * std::cos(a), 1e-9);
    EXPECT_NEAR(text.Y2, tb.y + 4 * std::sin(a), 1e-9);
    EXPECT_NEAR(text.TextAngle, c.angle, 1e-4);
    EXPECT_EQ(TextOf(text), "AB");
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CopyMoveCommands, EachCopyIsOneUndoStepAndTellsTheHost) {
  StartAfresh(dtCopyFree);
  Seed({Selected(Line(0, 0, 5, 0))});
  Box().Update();
  Click(0, 0);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{Post("TFrame10", 105)});
  EXPECT_EQ(Store().Buffer.size(), 1u);
  Click(10, 0);
  Click(20, 0);
  // With factors 1 the base point lands on the click.
  ExpectElements({Selected(Line(0, 0, 5, 0)), Line(10, 0, 15, 0), Line(20, 0, 25, 0)});
  ExpectUndoLog({Marked(Line(20, 0, 25, 0), kUndoAdded)});
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{Post("TFrame10", 100), Post("TFrame10", 100)}));
  EXPECT_DOUBLE_EQ(Box().LastMove.x, 20);
  EXPECT_DOUBLE_EQ(Box().LastMove.y, 0);
  EXPECT_DOUBLE_EQ(Box().LastMoveReal.x, 2000);  // 20 drawing units at 1:100
  EXPECT_EQ(Box().B_Switch, on1);
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, MoveDeletesAndPastesInOneStep) {
  StartWith(dtIdoFree, {Selected(Line(0, 0, 5, 0)), Line(0, 9, 5, 9)}, 0, 0);
  Click(10, 2);
  ExpectElements({Line(0, 9, 5, 9), Line(10, 2, 15, 2)});
  ExpectUndoLog({Marked(Line(0, 0, 5, 0), kUndoDeleted), Marked(Line(10, 2, 15, 2), kUndoAdded)});
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
  // A second placement deletes nothing and adds another copy; a move's
  // paste never opens a step, so it joins the move's.
  Click(20, 2);
  ExpectElements({Line(0, 9, 5, 9), Line(10, 2, 15, 2), Line(20, 2, 25, 2)});
  ExpectUndoLog({Marked(Line(0, 0, 5, 0), kUndoDeleted), Marked(Line(10, 2, 15, 2), kUndoAdded),
                 Marked(Line(20, 2, 25, 2), kUndoAdded)});
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, AStretchSelectionMovedKeepsTheOuterEnds) {
  StartAfresh(dtIdoFree);
  // One line with only its end (10, 0) in the window, one wholly inside.
  Seed({Line(0, 0, 10, 0), Line(9, -1, 11, 1)});
  Box().Update();
  Box().SelectParametricRange(8, -2, 12, 2);
  Box().ParametricSelection = true;
  Click(10, 0);
  Click(10, 5);
  // Moved by (0, 5): the outer end (0, 0) stays, the inside end follows.
  ExpectElements({Line(0, 0, 10, 5), Line(9, 4, 11, 6)});
  EXPECT_EQ(UndoLog().size(), 4u);
  ExpectScreenMatchesRedraw();

  // A cancel while placing after a stretch selection redraws everything.
  StartAfresh(dtIdoFree);
  Seed({Line(0, 0, 10, 0)});
  Box().Update();
  Box().SelectParametricRange(8, -2, 12, 2);
  Box().ParametricSelection = true;
  Click(10, 0);
  MoveTo(10, 7);
  Box().CancelCommands(true);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_TRUE(Store().Buffer.empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, TheMidpointAssistWhilePlacingPastesAlongTheSegment) {
  Box().RepeatByCount = 1;
  Box().DivCount = 2;
  StartWith(dtCopyFree, {Selected(Point(0, 10)), Point(20, 10), Point(60, 10)}, 0, 10);
  Click(20.5, 10.5, ssRight);  // a snapped placement: the segment starts here
  ExpectElements({Selected(Point(0, 10)), Point(20, 10), Point(60, 10), Point(20, 10)});
  TcadBox& b = Box();
  b.SavedMode = dtCopyFree;
  b.ButonType = dthitsuru;
  Click(60.5, 10.5, ssLeft);  // the midpoint assist reads (60, 10)
  Click(90, 90, ssRight);     // and completes: the middle of (20, 10) and (60, 10)
  EXPECT_EQ(b.ButonType, dtCopyFree);
  // The segment (20, 10) -> (40, 10) in 2 parts: one copy at (30, 10), in
  // its own undo step.
  ExpectElements({Selected(Point(0, 10)), Point(20, 10), Point(60, 10), Point(20, 10), Point(30, 10)});
  ExpectUndoLog({Marked(Point(30, 10), kUndoAdded)});
  EXPECT_FALSE(b.SegmentPaste);
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, CancelWhilePlacingEmptiesTheBuffer) {
  StartWith(dtIdoFree, {Selected(Line(0, 0, 5, 0))}, 0, 0);
  MoveTo(7, 3);
  Box().CancelCommands(true);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_TRUE(Store().Buffer.empty());
  ExpectElements({Selected(Line(0, 0, 5, 0))});
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, SegmentPasteByCountPlacesAtEqualParts) {
  Box().RepeatByCount = 1;
  Box().DivCount = 4;
  StartWith(dtCopyFree, {Selected(Point(0, 0))}, 0, 0);
  Box().SegmentPaste = true;
  Box().SegmentStart = {0, 0};
  Click(40, 20);
  // Copies at 1/4, 2/4 and 3/4 of (0, 0) -> (40, 20); the ends get none.
  ExpectElements({Selected(Point(0, 0)), Point(10, 5), Point(20, 10), Point(30, 15)});
  ExpectUndoLog(
      {Marked(Point(10, 5), kUndoAdded), Marked(Point(20, 10), kUndoAdded), Marked(Point(30, 15), kUndoAdded)});
  EXPECT_FALSE(Box().SegmentPaste);
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, SegmentPasteByPitch) {
  // Pitch 1000 real is 10 drawing units on a segment of 25.
  struct Case {
    std::uint8_t mode;
    std::vector<double> xs;
  } cases[] = {
      {0, {25.0 / 3, 50.0 / 3}},  // 3 parts of at most one pitch
      {1, {12.5}},                // 2 parts of at least one pitch
      {2, {10, 20}},              // whole pitches from the start
      {3, {7.5, 17.5}},           // whole pitches centred: end gaps (2.5 + 10) / 2
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    Box().RepeatByCount = 0;
    Box().DivPitch = 1000;
    Box().PitchMode = c.mode;
    StartWith(dtCopyFree, {Selected(Point(0, 0))}, 0, 0);
    Box().SegmentPaste = true;
    Box().SegmentStart = {0, 3};
    Click(25, 3);
    ASSERT_EQ(Elements().size(), c.xs.size() + 1);
    for (std::size_t i = 0; i < c.xs.size(); ++i) {
      EXPECT_NEAR(Elements()[i + 1].X1, c.xs[i], 1e-9);
      EXPECT_NEAR(Elements()[i + 1].Y1, 3, 1e-9);
    }
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CopyMoveCommands, SegmentWithoutDivisionPointChangesNothing) {
  Box().RepeatByCount = 1;
  Box().DivCount = 1;
  for (Sbuttontype mode : {dtCopyFree, dtIdoFree}) {
    StartWith(mode, {Selected(Point(0, 0)), Line(1, 1, 2, 2)}, 0, 0);
    Store().UndoLog = {Marked(Line(7, 7, 8, 8), kUndoAdded)};
    Box().SegmentPaste = true;
    Box().SegmentStart = {0, 0};
    Click(40, 0);
    ExpectElements({Selected(Point(0, 0)), Line(1, 1, 2, 2)});
    ExpectUndoLog({Marked(Line(7, 7, 8, 8), kUndoAdded)});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CopyMoveCommands, SegmentShorterThanThePitchChangesNothing) {
  // Pitch 1000 real is 10 drawing units; the segment is 5 long.
  Box().RepeatByCount = 0;
  Box().DivPitch = 1000;
  for (std::uint8_t pitchMode : {0, 2}) {
    SCOPED_TRACE(static_cast<int>(pitchMode));
    Box().PitchMode = pitchMode;
    StartWith(dtIdoFree, {Selected(Point(0, 0)), Line(1, 1, 2, 2)}, 0, 0);
    Store().UndoLog = {Marked(Line(7, 7, 8, 8), kUndoAdded)};
    Box().SegmentPaste = true;
    Box().SegmentStart = {0, 0};
    Click(5, 0);
    ExpectElements({Selected(Point(0, 0)), Line(1, 1, 2, 2)});
    ExpectUndoLog({Marked(Line(7, 7, 8, 8), kUndoAdded)});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CopyMoveCommands, MoveAlongSegmentIsOneStep) {
  Box().RepeatByCount = 1;
  Box().DivCount = 2;
  StartWith(dtIdoFree, {Selected(Point(0, 0))}, 0, 0);
  Box().SegmentPaste = true;
  Box().SegmentStart = {0, 0};
  Click(0, 10);
  ExpectElements({Point(0, 5)});
  ExpectUndoLog({Marked(Point(0, 0), kUndoDeleted), Marked(Point(0, 5), kUndoAdded)});
  ExpectScreenMatchesRedraw();
}

// An outline line: line type 1 in colour 1, the colour the hidden-line erase
// and the range hatch are set to here.
RDrawElement Outline(double x1, double y1, double x2, double y2) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.ColorNo = 1;
  return e;
}

// The hidden-line and hatch modes are set after the command starts: a
// cancel clears them unless the hatch is held.
TEST_F(CopyMoveCommands, HiddenLineEraseAndPasteAreOneStep) {
  Box().SenUrakesicol.set(1);
  const RDrawElement square[] = {Selected(Outline(0, 0, 10, 0)), Selected(Outline(10, 0, 10, 10)),
                                 Selected(Outline(10, 10, 0, 10)), Selected(Outline(0, 10, 0, 0))};
  StartWith(dtCopyFree, {square[0], square[1], square[2], square[3], Outline(40, 55, 70, 55)}, 0, 0);
  Box().SenUrakesi = 1;
  Store().UndoLog = {Marked(Line(7, 7, 8, 8), kUndoAdded)};
  Click(50, 50);
  // The square lands on (50, 50)-(60, 60): the part of y = 55 inside it,
  // x 50 to 60, is erased, the two outside pieces stay; then the square is
  // pasted. All of it is one undo step.
  const std::vector<RDrawElement> placed = {Outline(50, 50, 60, 50), Outline(60, 50, 60, 60), Outline(60, 60, 50, 60),
                                            Outline(50, 60, 50, 50)};
  std::vector<RDrawElement> want(std::begin(square), std::end(square));
  // Each outside piece runs from the square's side out to its end.
  want.push_back(Outline(60, 55, 70, 55));
  want.push_back(Outline(50, 55, 40, 55));
  want.insert(want.end(), placed.begin(), placed.end());
  ExpectElements(want);
  std::vector<RDrawElement> log = {Marked(Outline(40, 55, 70, 55), kUndoDeleted),
                                   Marked(Outline(60, 55, 70, 55), kUndoAdded),
                                   Marked(Outline(50, 55, 40, 55), kUndoAdded)};
  for (const RDrawElement& e : placed) log.push_back(Marked(e, kUndoAdded));
  ExpectUndoLog(log);
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, PasteOpensTheStepAfterARefusedErase) {
  StartAfresh(dtCopyFree);
  std::vector<RDrawElement> many;
  for (int i = 0; i < 300; ++i) many.push_back(Selected(Point(i * 0.1, 10)));
  Store().Elements = many;
  RedrawAsTheHostDoes();
  Box().SenUrakesi = 1;
  Click(0, 10);
  Store().UndoLog = {Marked(Line(7, 7, 8, 8), kUndoAdded)};
  Click(0, 50);
  // 300 buffer elements are too many to erase under: the message, and the
  // paste alone, in a step of its own that drops the earlier one.
  ASSERT_EQ(Dialogs().shown.size(), 1u);
  EXPECT_EQ(Dialogs().shown[0].text, J("図形線総数300本以上は裏消は実行できません!"));
  EXPECT_EQ(Elements().size(), 600u);
  ASSERT_EQ(UndoLog().size(), 300u);
  EXPECT_EQ(UndoLog().front().UndoMark, kUndoAdded);
  const double pastedY = UndoLog().front().Y1;
  EXPECT_EQ(pastedY, 50);
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, HatchModeCopyAddsTheHatchAndMovePastes) {
  Box().SenUrakesicol.set(1);
  // The selection is the pattern, two lines; the drawing's outline square
  // (50, 50)-(60, 60) bounds the hatch.
  StartWith(dtCopyFree,
            {Selected(Line(0, 0, 20, 0)), Selected(Line(0, 30, 20, 30)), Outline(50, 50, 60, 50),
             Outline(60, 50, 60, 60), Outline(60, 60, 50, 60), Outline(50, 60, 50, 50)},
            0, 0);
  Box().SenUrakesi = 2;
  Store().UndoLog = {Marked(Line(7, 7, 8, 8), kUndoAdded)};
  Click(45, 55);
  // The pattern lands on (45, 55)-(65, 55) and (45, 85)-(65, 85): only the
  // piece of the first inside the square is added, the second lies outside
  // and adds nothing; a paste would have added both whole lines. The
  // selection stays.
  ASSERT_EQ(Elements().size(), 7u);
  EXPECT_EQ(Elements()[0].Selection, 1);
  EXPECT_EQ(Elements()[1].Selection, 1);
  const RDrawElement piece = Elements()[6];
  // Packed fields: read into locals before comparing.
  const double x1 = piece.X1, x2 = piece.X2, y1 = piece.Y1, y2 = piece.Y2;
  EXPECT_EQ(piece.Kind, kKindLine);
  EXPECT_NEAR(std::min(x1, x2), 50, 1e-9);
  EXPECT_NEAR(std::max(x1, x2), 60, 1e-9);
  EXPECT_NEAR(y1, 55, 1e-9);
  EXPECT_NEAR(y2, 55, 1e-9);
  ASSERT_EQ(UndoLog().size(), 1u);
  EXPECT_EQ(UndoLog()[0].UndoMark, kUndoAdded);
  ExpectScreenMatchesRedraw();

  StartWith(dtIdoFree, {Selected(Line(0, 0, 10, 0))}, 0, 0);
  Box().SenUrakesi = 2;
  Click(50, 50);
  ExpectElements({Line(50, 50, 60, 50)});
  ExpectUndoLog({Marked(Line(0, 0, 10, 0), kUndoDeleted), Marked(Line(50, 50, 60, 50), kUndoAdded)});
  ExpectScreenMatchesRedraw();
}

// A scale change of the writing group while placing: the group's elements,
// the buffer's elements of that group and the base point grow by the
// factor; the buffer's elements of other groups stay as they are.
TEST_F(CopyMoveCommands, AScaleChangeWhilePlacingRescalesTheGroupsPartOfTheBuffer) {
  for (Sbuttontype mode : {dtCopyFree, dtIdoFree}) {
    SCOPED_TRACE(static_cast<int>(mode));
    Box().WriteGrupe_No = 0;
    StartWith(mode, {Selected(Line(1, 1, 5, 1, 0)), Selected(Line(1, 3, 5, 3, 2))}, 1, 1);
    Box().RescaleWriteGroup(2);
    RedrawAsTheHostDoes();
    EXPECT_EQ(Box().FirstPoint.x, 2);
    EXPECT_EQ(Box().FirstPoint.y, 2);
    ASSERT_EQ(Store().Buffer.size(), 2u);
    EXPECT_EQ(Value(Store().Buffer[0].X1), 2);
    EXPECT_EQ(Value(Store().Buffer[0].X2), 10);
    EXPECT_EQ(Value(Store().Buffer[0].Y2), 2);
    EXPECT_EQ(Value(Store().Buffer[1].X1), 1);
    EXPECT_EQ(Value(Store().Buffer[1].X2), 5);
    EXPECT_EQ(Value(Store().Buffer[1].Y2), 3);
    EXPECT_EQ(Value(Elements()[0].X2), 10);
    EXPECT_EQ(Value(Elements()[1].X2), 5);
    // The next placement matches the rescaled drawing: the base point
    // (2, 2) moves onto (12, 2), a shift of (10, 0).
    Click(12, 2);
    const std::size_t n = Elements().size();
    ASSERT_GE(n, 2u);
    EXPECT_EQ(Value(Elements()[n - 2].X1), 12);
    EXPECT_EQ(Value(Elements()[n - 2].X2), 20);
    EXPECT_EQ(Value(Elements()[n - 2].Y1), 2);
    EXPECT_EQ(Value(Elements()[n - 1].X1), 11);
    EXPECT_EQ(Value(Elements()[n - 1].X2), 15);
    EXPECT_EQ(Value(Elements()[n - 1].Y1), 3);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CopyMoveCommands, FittingRangeSelectsDeselectsAndToggles) {
  StartAfresh(dtTateguHani);
  Seed({Line(1, 1, 2, 2), Line(30, 30, 31, 31)});
  Click(0, 0);
  Click(5, 5);
  EXPECT_EQ(Elements()[0].Selection, 1);
  EXPECT_EQ(Elements()[1].Selection, 0);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{Post("TFrame23", 106)});
  Click(30.5, 30.5, ssRight);
  EXPECT_EQ(Elements()[1].Selection, 1);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{Post("TFrame23", 106)});
  Click(80, 80, ssRight);  // nothing there
  EXPECT_TRUE(TakeNotifications().empty());
  Click(0, 0);
  Click(5, 5, ssRight);
  EXPECT_EQ(Elements()[0].Selection, 0);
  EXPECT_EQ(Elements()[1].Selection, 1);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{Post("TFrame23", 106)});
  ExpectScreenMatchesRedraw();
}

TEST_F(CopyMoveCommands, FigureSaveFillsTheBufferUnmoved) {
  StartAfresh(dtZukeiHozon);
  Seed({Selected(Line(1, 2, 3, 4)), Line(5, 5, 6, 6)});
  Box().Update();
  Click(7, 8);
  EXPECT_EQ(Box().WorkPointB.x, 7);
  EXPECT_EQ(Box().WorkPointB.y, 8);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{Post("TFrame23", 105)});
  ASSERT_EQ(Store().Buffer.size(), 1u);
  EXPECT_EQ(+Store().Buffer[0].X1, 1);
  EXPECT_EQ(+Store().Buffer[0].Y2, 4);
  EXPECT_EQ(Elements()[0].Selection, 1);
  // A second save before a cancel appends.
  Box().B_Switch = _off;
  Click(9, 9);
  EXPECT_EQ(Store().Buffer.size(), 2u);
  ExpectScreenMatchesRedraw();
}

// The pixels that differ between two images, as (x, y) pairs.
std::vector<std::pair<int, int>> Changed(const QImage& before, const QImage& after) {
  std::vector<std::pair<int, int>> changed;
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if ((before.pixel(x, y) & 0xFFFFFF) != (after.pixel(x, y) & 0xFFFFFF)) changed.emplace_back(x, y);
    }
  }
  return changed;
}

TEST_F(CopyMoveCommands, ACopyAlongAnAxisLandsWhereItsPreviewShowed) {
  // Along an axis turned by the axis angle the preview keeps only the
  // displacement along that axis; what is placed is exactly what it showed.
  struct Case {
    const char* what;
    int mode;
    double axisAngle;
  } cases[] = {{"along x, axis 30", 1, 30}, {"along y, axis 30", 2, 30}, {"along x, axis 0", 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartWith(dtCopyFree, {Selected(Line(20, 20, 40, 20))}, 20, 20);
    Box().DirectionMode = c.mode;
    Box().AxisAngle = c.axisAngle;
    MoveTo(50, 60);  // a first preview, taken off by the next move
    const QImage before = CanvasImage(Box().Canvas()).copy();
    MoveTo(60, 45);
    Box().Update();
    const std::vector<std::pair<int, int>> preview = Changed(before, CanvasImage(Box().Canvas()));
    ASSERT_FALSE(preview.empty());
    // Taken off and placed: the same pixels, now as the stored copy.
    Click(60, 45);
    ASSERT_EQ(Elements().size(), 2u);
    Box().Update();
    EXPECT_EQ(Changed(before, CanvasImage(Box().Canvas())), preview);
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace
