// The batch line commands through the mouse: the fence and its choice, the
// right-click corrections, the batch extend or trim to one reference, the
// cut between two reference lines, and the fence handed to the host.

#include <algorithm>
#include <array>
#include <vector>

#include "canvas/command_registry.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"

namespace {

RDrawElement ColouredBatchLines(RDrawElement e, std::uint8_t colour) {
  e.ColorNo = colour;
  return e;
}

RDrawElement Rect(double x1, double y1, double x2, double y2) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.Kind = kKindRect;
  return e;
}

class BatchLines : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    StartAfresh(dtiikatufugo);
  }
  // The fence from a to b: a left click at each end, the cursor moving
  // between them draws the band.
  void Fence(RPoint2D a, RPoint2D b) {
    Click(a.x, a.y);
    MoveTo((a.x + b.x) / 2, (a.y + b.y) / 2);
    MoveTo(b.x, b.y);
    Click(b.x, b.y);
  }
  // The confirm entry of the gesture menu, as its release carries it out.
  // The drag that chose it went by the event loop, which painted what was
  // waiting first.
  void Confirm(Sbuttontype code) {
    ApplyPendingPaint();
    TcadBox& b = Box();
    b.PendingGesture = code;
    b.GesturePending = true;
    b.ExecuteDragGesture(0, 0);
  }
  std::vector<int> Chosen() {
    std::vector<int> chosen;
    for (std::size_t i = 0; i < Elements().size(); ++i) {
      if (Elements()[i].Selection == 1) chosen.push_back(static_cast<int>(i));
    }
    return chosen;
  }
  // An entry standing for an earlier undo step, which an action that
  // changes nothing must leave in the log.
  RDrawElement EarlierStep() {
    RDrawElement e = Added(Line(5, 90, 9, 90));
    Store().UndoLog = {e};
    return e;
  }
};

TEST_F(BatchLines, TheFenceChoosesTheEditableLinesItMeetsEndsIncluded) {
  // The fence runs up x = 20 from y = 10 to y = 80.
  struct Case {
    const char* what;
    std::function<RDrawElement(Tdrawinp&)> element;
    bool chosen;
  } cases[] = {
      {"a line across it", [](Tdrawinp&) { return Line(10, 30, 40, 30); }, true},
      {"a line touching it with an end", [](Tdrawinp&) { return Line(20, 40, 50, 45); }, true},
      {"an oblique line across it", [](Tdrawinp&) { return Line(0, 0, 40, 60); }, true},  // (20, 30) on both
      {"a line through the fence's end", [](Tdrawinp&) { return Line(10, 80, 30, 80); }, true},
      {"a parallel line beside it", [](Tdrawinp&) { return Line(25, 10, 25, 80); }, false},
      {"a line along it", [](Tdrawinp&) { return Line(20, 50, 20, 60); }, false},  // parallel: no crossing
      {"a line beyond its end", [](Tdrawinp&) { return Line(10, 85, 40, 85); }, false},
      {"a line that stops short of it", [](Tdrawinp&) { return Line(21, 30, 40, 30); }, false},
      {"a circle round it", [](Tdrawinp&) { return Arc(20, 50, 5); }, false},
      {"a rectangle across it", [](Tdrawinp&) { return Rect(10, 30, 40, 35); }, false},
      {"a text whose base line crosses it", [](Tdrawinp& s) { return Text(s.ElementTexts, "AB", 10, 30, 40, 30); },
       false},
      {"a point on it", [](Tdrawinp&) { return Point(20, 50); }, false},
      {"a line of a hidden layer", [](Tdrawinp& s) { return OnLayer(s, Line(10, 30, 40, 30), 3, kLayerHidden); },
       false},
      {"a line of a reference layer", [](Tdrawinp& s) { return OnLayer(s, Line(10, 30, 40, 30), 4, kLayerReference); },
       false},
      {"a line of every colour and type",
       [](Tdrawinp&) {
         RDrawElement e = ColouredBatchLines(Line(10, 30, 40, 30), 9);
         e.LineType = 7;
         return e;
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtiikatufugo);
    Seed({c.element(Store())});
    TakeNotifications();
    Fence({20, 10}, {20, 80});
    EXPECT_EQ(Box().B_Switch, on2);
    EXPECT_EQ(Chosen(), c.chosen ? std::vector<int>{0} : std::vector<int>{});
    EXPECT_EQ(Box().HaniAka_Cyu, c.chosen);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame32+111"});
    EXPECT_EQ(Box().SegStart.y, 10);
    EXPECT_EQ(Box().SegEnd.y, 80);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(BatchLines, TheFenceFollowsTheCursorWithItsPromptsAndTheCancelTakesItAway) {
  Seed({Line(10, 30, 40, 30)});
  MoveTo(60, 60);
  EXPECT_EQ(Hint(), "  " + J("範囲開始点指示"));
  Click(20, 10);
  MoveTo(20, 50);
  EXPECT_EQ(Hint(), "  " + J("範囲終了点指示"));
  // The band shows in the image.
  int shown = 0;
  for (double y = 11; y < 49; y += 0.2) shown += PixelAt(20, y) != Box().Color();
  EXPECT_GT(shown, 0);
  MoveTo(25, 70);
  CommandRegistry().RunPhase("iikatusinCancel", Box());
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchLines, ARightClickTogglesAnyLineButNothingElseAndALeftClickDoesNothing) {
  Seed({Line(10, 30, 40, 30), Arc(70, 50, 5), ColouredBatchLines(Line(60, 20, 90, 20), 3)});
  // Colour 3 does not pass the selection filter: the fence passes it over,
  // a right click still takes it.
  Box().SetSelectionFilter(31, 0x3FF & ~(1 << 2), 0x3FF, 0x3FF, 0x3FF);
  Fence({20, 10}, {20, 80});
  EXPECT_EQ(Chosen(), std::vector<int>{0});
  Click(75, 20, ssRight);
  EXPECT_EQ(Chosen(), (std::vector<int>{0, 2}));
  EXPECT_EQ(Box().SecondPoint.x, 75);
  Click(30, 30, ssRight);
  EXPECT_EQ(Chosen(), std::vector<int>{2});
  Click(75, 50, ssRight);  // on the circle
  Click(50, 80, ssRight);  // beside everything
  Click(75, 20);           // a left click
  EXPECT_EQ(Chosen(), std::vector<int>{2});
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchLines, TheFenceConfirmIsOfferedOnlyWhileLinesAreHighlighted) {
  TcadBox& b = Box();
  b.DridoL1 = 40;
  b.DridoL2 = 40;
  Seed({Line(10, 30, 40, 30)});
  const auto offered = [&] {
    b.PendingGesture = dtNo;
    b.GesturePending = false;
    b.PressPoint = {70, 48};
    b.TrackDragGesture(ssLeft, dtiikatufugo, 70, 68);
    const bool confirm = b.PendingGesture == dtiikatufugo;
    b.PendingGesture = dtNo;
    b.GesturePending = false;
    return confirm;
  };
  Fence({60, 10}, {60, 80});
  EXPECT_FALSE(b.HaniAka_Cyu);
  EXPECT_FALSE(offered());
  CommandRegistry().RunPhase("iikatusinCancel", b);
  StartAfresh(dtiikatufugo);
  Seed({Line(10, 30, 40, 30)});
  Fence({20, 10}, {20, 80});
  EXPECT_TRUE(offered());
  TakeNotifications();
  Confirm(dtiikatufugo);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame32+115"});
  EXPECT_EQ(b.ButonType, dtiikatufugo);
  // The operation is the host's: the drawing is as it was.
  EXPECT_EQ(Elements().size(), 1u);
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchLines, TheConfirmIsDrawnWithTheMouseFromWhereThePressWas) {
  // A left drag of 100 pixels straight up from (30, 60) confirms. Read
  // with x and y traded, it would run from (30, 60) to (80, 30): down to
  // the right, another gesture.
  TcadBox& b = Box();
  b.DridoL1 = 40;
  b.DridoL2 = 40;
  Seed({Line(10, 30, 40, 30)});
  Fence({20, 10}, {20, 80});
  ASSERT_TRUE(b.HaniAka_Cyu);
  TakeNotifications();
  Drag(30, 60, 30, 80);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame32+115"});
  EXPECT_EQ(b.ButonType, dtiikatufugo);
  EXPECT_EQ(Elements().size(), 1u);
}

class BatchTrim : public BatchLines {
 protected:
  void SetUp() override {
    BatchLines::SetUp();
    StartAfresh(dtiikatusin);
  }
};

TEST_F(BatchTrim, TheChosenLinesEndAtTheReferenceOnTheFencesSide) {
  // Reference x = 50. Each line keeps the part on the fence's side of its
  // crossing with the reference: L1 is extended to it, L2 trimmed back; L3,
  // which the fence misses and a right click chooses, keeps the part beyond
  // the reference; L4 is not chosen.
  const RDrawElement ref = Line(50, 0, 50, 90);
  const RDrawElement l1 = ColouredBatchLines(Line(10, 20, 40, 20), 2);
  const RDrawElement l2 = Line(10, 30, 70, 30, 1, 2);
  const RDrawElement l3 = Line(35, 40, 90, 40);
  const RDrawElement l4 = Line(10, 60, 90, 60);
  Seed({l1, ref, l2, l3, l4});
  MoveTo(60, 60);
  EXPECT_EQ(Hint(), "  " + J("基準線指示"));
  Click(50, 5);
  EXPECT_EQ(Box().B_Switch, on1);
  MoveTo(30, 10);
  EXPECT_EQ(Hint(), "  " + J("範囲始点指示"));
  Fence({30, 10}, {30, 35});
  MoveTo(80, 35);
  EXPECT_EQ(Hint(), "  " + J("右クリック（個別）"));
  Click(80, 40, ssRight);  // L3 by a correction
  EXPECT_EQ(Chosen(), (std::vector<int>{0, 2, 3}));
  Confirm(dtiikatusin);
  // Items from the last chosen down: L3, L2, L1; results added from the
  // last: L1', L2', L3'.
  const RDrawElement r1 = ColouredBatchLines(Line(10, 20, 50, 20), 2);
  const RDrawElement r2 = Line(10, 30, 50, 30, 1, 2);
  const RDrawElement r3 = Line(50, 40, 90, 40);
  ExpectElements({ref, l4, r1, r2, r3});
  ExpectUndoLog({Deleted(l3), Deleted(l2), Deleted(l1), Added(r1), Added(r2), Added(r3)});
  EXPECT_EQ(Box().ButonType, dtiikatusin);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_EQ(Box().ClickKind, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchTrim, AnArcReferenceCutsAtItsNearerCrossing) {
  // Circle at (50, 50), radius 20: the line y = 50 meets it at x = 30 and 70.
  const RDrawElement circle = Arc(50, 50, 20);
  Seed({circle, Line(5, 50, 40, 50)});
  Click(50, 70);
  Fence({10, 40}, {10, 60});
  Confirm(dtiikatusin);
  ExpectElements({circle, Line(5, 50, 30, 50)});
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchTrim, TheReferenceNeverGoesToTheTool) {
  // The fence crosses the reference too; a right click chooses it again.
  const RDrawElement ref = Line(50, 0, 50, 90);
  Seed({ref, Line(10, 20, 40, 20)});
  Click(50, 5);
  Fence({20, 10}, {60, 40});  // meets y = 20 at x = 33.3 and x = 50 at y = 32.5
  EXPECT_EQ(Chosen(), std::vector<int>{1});
  Click(50, 60, ssRight);
  EXPECT_EQ(Chosen(), (std::vector<int>{0, 1}));
  Confirm(dtiikatusin);
  ExpectElements({ref, Line(10, 20, 50, 20)});
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchTrim, AConfirmWithNothingChosenOrAReferencePastTheListChangesNothing) {
  const RDrawElement ref = Line(50, 0, 50, 90);
  const RDrawElement line = Line(10, 20, 40, 20);
  Seed({ref, line});
  const RDrawElement earlier = EarlierStep();
  Click(50, 5);
  Fence({20, 50}, {30, 60});  // meets nothing
  Confirm(dtiikatusin);
  ExpectElements({ref, line});
  ExpectUndoLog({earlier});
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
  // A chosen line, but the reference index lies past the list.
  Click(50, 5);
  Fence({20, 10}, {20, 30});
  EXPECT_EQ(Chosen(), std::vector<int>{1});
  Box().PickedIndex[1] = 7;
  Confirm(dtiikatusin);
  EXPECT_EQ(Elements().size(), 2u);
  ExpectUndoLog({earlier});
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchTrim, AFailedReferencePickKeepsTheStepAndTheCancelClearsTheChoice) {
  Seed({Line(50, 0, 50, 90), Line(10, 20, 40, 20)});
  Click(70, 70);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_EQ(Box().ClickKind, 0);
  Click(50, 5);
  Fence({20, 10}, {20, 30});
  Box().CancelCommands(true);
  EXPECT_TRUE(Chosen().empty());
  EXPECT_FALSE(Box().HaniAka_Cyu);
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchTrim, TheFinishIsUndoneAsOneStep) {
  // Deletions first, then the additions: an undo puts back exactly the
  // lines that were there.
  const RDrawElement ref = Line(50, 0, 50, 90);
  Seed({ref, Line(10, 20, 40, 20), Line(10, 30, 70, 30)});
  Click(50, 5);
  Fence({20, 10}, {20, 40});
  Confirm(dtiikatusin);
  ASSERT_EQ(UndoLog().size(), 4u);
  EXPECT_EQ(UndoLog()[0].UndoMark, kUndoDeleted);
  EXPECT_EQ(UndoLog()[1].UndoMark, kUndoDeleted);
  EXPECT_EQ(UndoLog()[2].UndoMark, kUndoAdded);
  EXPECT_EQ(UndoLog()[3].UndoMark, kUndoAdded);
  ExpectScreenMatchesRedraw();
}

class BatchCut : public BatchLines {
 protected:
  void SetUp() override {
    BatchLines::SetUp();
    StartAfresh(dtiikatuBubun);
  }
};

TEST_F(BatchCut, ThePartsBetweenTheReferencesGo) {
  // References x = 30 and x = 60; the fence at x = 20 lies outside them,
  // so the outer parts stay: (30, y)-(10, y) and (60, y)-(80, y), added
  // from the last result back.
  const RDrawElement ref1 = Line(30, 0, 30, 90);
  const RDrawElement ref2 = Line(60, 0, 60, 90);
  const RDrawElement line = ColouredBatchLines(Line(10, 20, 80, 20), 4);
  const RDrawElement other = Line(10, 70, 25, 70);
  Seed({ref1, line, ref2, other});
  MoveTo(70, 70);
  EXPECT_EQ(Hint(), "  " + J("基準線1本目指示"));
  Click(30, 5);
  MoveTo(70, 70);
  EXPECT_EQ(Hint(), "  " + J("基準線2本目指示"));
  Click(60, 5);
  EXPECT_EQ(Box().B_Switch, on2);
  Fence({20, 10}, {20, 30});
  EXPECT_EQ(Box().B_Switch, on4);
  Confirm(dtiikatuBubun);
  const RDrawElement outer1 = ColouredBatchLines(Line(30, 20, 10, 20), 4);
  const RDrawElement outer2 = ColouredBatchLines(Line(60, 20, 80, 20), 4);
  ExpectElements({ref1, ref2, other, outer2, outer1});
  ExpectUndoLog({Deleted(line), Added(outer2), Added(outer1)});
  EXPECT_EQ(Box().ButonType, dtiikatuBubun);
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchCut, ARightClickAddsALineTheFenceMissedAndALeftClickDoesNot) {
  // References x = 30 and x = 60; the fence at x = 20 from y = 10 to 30
  // meets y = 20 only. A right click on y = 50 chooses that line too; a
  // left click on y = 70 chooses nothing. Each chosen line keeps its
  // parts outside the references.
  const RDrawElement ref1 = Line(30, 0, 30, 90);
  const RDrawElement ref2 = Line(60, 0, 60, 90);
  const RDrawElement low = Line(10, 20, 80, 20), high = Line(10, 50, 80, 50), top = Line(10, 70, 80, 70);
  Seed({ref1, low, ref2, high, top});
  Click(30, 5);
  Click(60, 5);
  Fence({20, 10}, {20, 30});
  EXPECT_EQ(Chosen(), std::vector<int>{1});
  Click(45, 50, ssRight);
  Click(45, 70);
  EXPECT_EQ(Chosen(), (std::vector<int>{1, 3}));
  Confirm(dtiikatuBubun);
  ASSERT_EQ(Elements().size(), 7u);
  EXPECT_EQ(DescribeElement(Elements()[0]), DescribeElement(ref1));
  EXPECT_EQ(DescribeElement(Elements()[1]), DescribeElement(ref2));
  EXPECT_EQ(DescribeElement(Elements()[2]), DescribeElement(top));
  std::vector<std::array<double, 4>> parts;
  for (std::size_t i = 3; i < Elements().size(); ++i) {
    const RDrawElement& e = Elements()[i];
    const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
    parts.push_back(x1 <= x2 ? std::array<double, 4>{x1, y1, x2, y2} : std::array<double, 4>{x2, y2, x1, y1});
  }
  std::sort(parts.begin(), parts.end());
  const std::vector<std::array<double, 4>> want = {
      {10, 20, 30, 20}, {10, 50, 30, 50}, {60, 20, 80, 20}, {60, 50, 80, 50}};
  EXPECT_EQ(parts, want);
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchCut, WhatTheChangedLinesCrossedIsPaintedAgain) {
  // The part of y = 20 between the references goes. Two upright lines,
  // not chosen, crossed the chosen line: x = 45 in the part that goes, and
  // x = 10 at the chosen line's first end, which the outer part (30, 20)-
  // (10, 20) leaves out as its last pixel. Every line the finish changed
  // lies on y = 20, and none further left than x = 10: both crossings lie
  // on edges of the changed part of the view, which is painted again from
  // the drawing, so neither is left in the background colour.
  const RDrawElement ref1 = Line(30, 0, 30, 90);
  const RDrawElement ref2 = Line(60, 0, 60, 90);
  const RDrawElement middle = ColouredBatchLines(Line(45, 10, 45, 30), 5);
  const RDrawElement end = ColouredBatchLines(Line(10, 10, 10, 30), 5);
  Seed({ref1, Line(10, 20, 80, 20), ref2, middle, end});
  Click(30, 5);
  Click(60, 5);
  Fence({20, 10}, {20, 30});
  Confirm(dtiikatuBubun);
  ASSERT_EQ(Elements().size(), 6u);
  for (const double x : {45.0, 10.0}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(PixelAt(x, 20), PixelAt(x, 25)) << "the upright line is whole";
    EXPECT_NE(PixelAt(x, 20), Box().Color());
  }
  ExpectScreenMatchesRedraw();
}

TEST_F(BatchCut, TheReferencePicksTakeLinesOnly) {
  // An arc's fields are no line ends: a pick on an arc keeps the step.
  Seed({Arc(50, 50, 20), Line(30, 0, 30, 90)});
  Click(50, 70);
  EXPECT_EQ(Box().B_Switch, _off);
  Click(30, 5);
  EXPECT_EQ(Box().B_Switch, on1);
  Click(70, 50);
  EXPECT_EQ(Box().B_Switch, on1);
  ExpectScreenMatchesRedraw();
}

}  // namespace
