// The stretch of a line or an arc to a point or a boundary line, the cut at
// a right click and the hand-over to the line command, through the mouse.

#include <cmath>
#include <vector>

#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"

namespace {

RDrawElement Coloured(RDrawElement e) {
  e.ColorNo = 3;
  return e;
}

RDrawElement SelectedStretch(RDrawElement e) {
  e.Selection = 1;
  return e;
}

class StretchCommand : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    StartAfresh(dtSenSinsyuku);
  }
  // An entry standing for an earlier undo step, which an action that
  // changes nothing must leave in the log.
  RDrawElement EarlierStep() {
    RDrawElement e = Added(Line(5, 90, 9, 90));
    Store().UndoLog = {e};
    return e;
  }
};

TEST_F(StretchCommand, TheEndOnTheNewPointsSideMovesToItsFootAlongTheLine) {
  // Feet by hand on the line; the end on the new point's side of the pick's
  // foot goes to the new point's foot, the other end stays.
  struct Case {
    const char* what;
    double x1, y1, x2, y2;  // the line
    double ax, ay;          // the pick
    double bx, by;          // the new end position (left click: free)
    double ex1, ey1, ex2, ey2;
  } cases[] = {
      {"picked near the left end, new point off the line to the right: the right end cut back", 20, 20, 60, 20, 25, 21,
       40, 30, 20, 20, 40, 20},
      {"picked near the right end, new point to the left: the left end cut back", 20, 20, 60, 20, 55, 21, 30, 15, 30,
       20, 60, 20},
      {"beyond the far end: lengthened", 20, 20, 60, 20, 25, 20, 80, 20, 20, 20, 80, 20},
      {"beyond the near end: lengthened there", 20, 20, 60, 20, 58, 20, 10, 25, 10, 20, 60, 20},
      // 3-4-5 line, unit direction (0.8, 0.6); (60, 30) lies 40 * 0.8 + 10 * 0.6 = 38 along it.
      {"an oblique line keeps its direction", 20, 20, 60, 50, 24, 23, 60, 30, 20, 20, 50.4, 42.8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSenSinsyuku);
    Seed({Coloured(Line(c.x1, c.y1, c.x2, c.y2))});
    const RDrawElement seeded = Elements()[0];
    Click(c.ax, c.ay);
    EXPECT_EQ(Box().B_Switch, on1);
    Click(c.bx, c.by);
    const RDrawElement want = Added(Coloured(Line(c.ex1, c.ey1, c.ex2, c.ey2)));
    ExpectElements({Kept(want)});
    ExpectUndoLog({Deleted(seeded), want});
    EXPECT_EQ(Box().B_Switch, _off);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(StretchCommand, AnArcsNearerEndTurnsToTheClicksDirection) {
  struct Case {
    const char* what;
    double ax, ay, bx, by;
    float start, end;
  } cases[] = {
      // The quarter arc 0..90 about (60, 50), radius 20, picked at 90.
      {"end at 90 turned to 135", 60, 70, 50, 60, 0, 135},
      // Picked at 0; the click at 315 degrees.
      {"start at 0 turned to 315", 80, 50, 70, 40, 315, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSenSinsyuku);
    Seed({Coloured(Arc(60, 50, 20, 0, 90))});
    const RDrawElement seeded = Elements()[0];
    Click(c.ax, c.ay);
    Click(c.bx, c.by);
    const RDrawElement want = Coloured(Arc(60, 50, 20, c.start, c.end));
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_NEAR(Value(Elements()[0].StartAngle), c.start, 1e-3);
    EXPECT_NEAR(Value(Elements()[0].EndAngle), c.end, 1e-3);
    RDrawElement got = Elements()[0];
    got.StartAngle = c.start;  // the angles were compared above, to float rounding
    got.EndAngle = c.end;
    EXPECT_EQ(DescribeElement(got), DescribeElement(want));
    ASSERT_EQ(UndoLog().size(), 2u);
    EXPECT_EQ(DescribeElement(UndoLog()[0]), DescribeElement(Deleted(seeded)));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(StretchCommand, AStretchThatChangesNothingLeavesTheDrawingAndTheUndoLog) {
  Seed({Coloured(Line(30, 80, 70, 80)), Coloured(Arc(60, 40, 20, 0, 90))});
  const std::vector<RDrawElement> seeded = Elements();
  const RDrawElement earlier = EarlierStep();
  // Picked at about 10 degrees, near the start at 0, which the click at 0
  // degrees would move: it is there already.
  Click(79.6, 43.4);
  Click(75, 40);
  ExpectElements(seeded);
  ExpectUndoLog({earlier});
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, ARightClickWithoutSnapStretchesToTheCrossingOfTheLineUnderIt) {
  // The boundary through (90, 10) and (100, 80) meets y = 20 at
  // x = 90 + 10 * 10 / 70.
  Seed({Coloured(Line(20, 20, 60, 20)), Line(90, 10, 100, 80)});
  const RDrawElement seeded = Elements()[0];
  const RDrawElement boundary = Elements()[1];
  Click(55, 21);
  Click(97, 59, ssRight);
  const RDrawElement want = Added(Coloured(Line(20, 20, 90 + 100.0 / 70, 20)));
  ExpectElements({boundary, Kept(want)});
  ExpectUndoLog({Deleted(seeded), want});
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, AParallelBoundaryChangesNothingAndWaitsForTheEnd) {
  Seed({Coloured(Line(20, 20, 60, 20)), Line(20, 60, 60, 60), Arc(95, 50, 20, 0, 180)});
  const RDrawElement line = Elements()[0];
  const RDrawElement parallel = Elements()[1];
  const RDrawElement arc = Elements()[2];
  const RDrawElement earlier = EarlierStep();
  Click(55, 21);
  Click(32, 60, ssRight);  // the parallel line, away from its snap points
  ExpectElements({SelectedStretch(line), parallel, arc});
  ExpectUndoLog({earlier});
  EXPECT_EQ(Box().B_Switch, on1);
  // The step still takes a free end.
  Click(80, 25);
  const RDrawElement want = Added(Coloured(Line(20, 20, 80, 20)));
  ExpectElements({parallel, arc, Kept(want)});
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, AnArcBeingStretchedTakesNoBoundaryLine) {
  // The crossing is one of two lines: an arc's centre and radius are no
  // line ends.
  Seed({Coloured(Arc(60, 50, 20, 0, 90)), Line(100, 10, 100, 90)});
  const std::vector<RDrawElement> seeded = Elements();
  const RDrawElement earlier = EarlierStep();
  Click(60, 70);
  Click(100, 35, ssRight);
  ExpectElements({SelectedStretch(seeded[0]), seeded[1]});
  ExpectUndoLog({earlier});
  EXPECT_EQ(Box().B_Switch, on1);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, ARightClickOnAnArcTakesItsCentreNotABoundary) {
  // A curve under a right click snaps to its centre, (95, 50): the end
  // goes to that point's foot, x = 95.
  Seed({Coloured(Line(20, 20, 60, 20)), Arc(95, 50, 20, 0, 180)});
  const RDrawElement arc = Elements()[1];
  Click(55, 21);
  Click(109.2, 64.2, ssRight);  // the arc at about 45 degrees
  ExpectElements({arc, Kept(Coloured(Line(20, 20, 95, 20)))});
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, AnAssistedPointIsTheNewEnd) {
  Seed({Coloured(Line(20, 20, 60, 20))});
  TcadBox& box = Box();
  Click(55, 21);
  // The midpoint assist between two clicks a unit either side of (80, 30).
  box.SavedMode = dtSenSinsyuku;
  box.ButonType = dtNitenkan;
  Click(79, 30);
  Click(81, 30);
  EXPECT_EQ(box.ButonType, dtSenSinsyuku);
  ExpectElements({Coloured(Line(20, 20, 80, 20))});
  EXPECT_EQ(box.B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, WithSinsikuTyp1AFirstRightClickCutsTheLine) {
  Seed({Coloured(Line(20, 20, 80, 20))});
  const RDrawElement seeded = Elements()[0];
  TcadBox& box = Box();
  box.SinsikuTyp = 1;
  std::vector<int> seen;
  box.Mouse_up = [&seen](TcadBox& b, TMouseButton, TShiftState, double, double) { seen.push_back(b.Mhan1); };
  // The cut points (50 +- 0.8, 20 +- 0.8) have their feet at x = 50.8 and 49.2.
  Click(50, 20, ssRight);
  const RDrawElement right = Added(Coloured(Line(50.8, 20, 80, 20)));
  const RDrawElement left = Added(Coloured(Line(20, 20, 49.2, 20)));
  ExpectElements({Kept(right), Kept(left)});
  ExpectUndoLog({Deleted(seeded), right, left});
  EXPECT_EQ(box.ButonType, dtSenSinsyuku);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_EQ(seen, (std::vector<int>{0}));
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, AFirstRightClickOnNothingTellsTheHost) {
  Seed({Coloured(Line(20, 20, 80, 20))});
  TcadBox& box = Box();
  std::vector<int> seen;
  box.Mouse_up = [&seen](TcadBox& b, TMouseButton, TShiftState, double, double) { seen.push_back(b.Mhan1); };
  Click(50, 60, ssRight);
  EXPECT_EQ(seen, (std::vector<int>{1}));
  EXPECT_EQ(Hint(), "  " + J("図形がありません"));
  EXPECT_EQ(box.Mhan1, 0) << "the release clears it after the host saw it";
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_EQ(box.ButonType, dtSenSinsyuku);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, OtherwiseAFirstRightClickHandsTheLineToTheLineCommand) {
  Seed({Line(90, 80, 110, 80), Coloured(Line(20, 20, 60, 20))});
  const RDrawElement other = Elements()[0];
  const RDrawElement seeded = Elements()[1];
  TcadBox& box = Box();
  // Clicked near the right end: the left end stays, the right one goes.
  Click(55, 21, ssRight);
  EXPECT_EQ(box.ButonType, dtSen) << "the line command takes the next event";
  EXPECT_EQ(box.CommandStep, 1);
  EXPECT_EQ(box.FirstPoint.x, 20);
  EXPECT_EQ(box.FirstPoint.y, 20);
  ExpectElements({other, SelectedStretch(seeded)});
  MoveTo(60, 40);
  Click(70, 40);
  const RDrawElement want = Added(Coloured(Line(20, 20, 70, 40)));
  ExpectElements({other, want});
  ExpectUndoLog({Deleted(seeded), want});
  EXPECT_EQ(box.ButonType, dtSenSinsyuku);
  EXPECT_EQ(box.B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

// A level or upright line is taken off by drawing it over in the
// background colour with a pen 2 pixels wide: that pen also covers the
// pixel row under the line on the screen, so a line lying one pixel (0.2
// units) below loses its pixels there until the next redraw, and one
// lying one pixel above keeps them.
TEST_F(StretchCommand, ALevelLineIsTakenOffTwoPixelsWide) {
  Seed({Coloured(Line(20, 50, 60, 50)), Line(20, 50.2, 60, 50.2), Line(20, 49.8, 60, 49.8)});
  const TColor below = PixelAt(50, 49.8), above = PixelAt(50, 50.2);
  ASSERT_NE(below, clBlack);
  ASSERT_NE(above, clBlack);
  // Picked at x = 55; the new point's foot x = 40 lies on the side of
  // the first end, which moves there: (40, 50)-(60, 50).
  Click(55, 50);
  Click(40, 30);
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_NEAR(Value(Elements()[2].X1), 40, 1e-9);
  for (const double x : {30.0, 50.0}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(PixelAt(x, 49.8), clBlack) << "the row under the old line is wiped";
    EXPECT_EQ(PixelAt(x, 50.2), above) << "the row over it is not";
  }
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(50, 49.8), below);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchCommand, RightDragsEastUpAndWestAreSwallowed) {
  // 60 pixels (12 units) from (60, 50) with the right button: past the
  // 40 pixels where a gesture starts. East, up and west choose nothing in
  // this mode; down to the left offers the copy as in any mode.
  struct Case {
    const char* what;
    double dx, dy;
    bool chosen;
  } cases[] = {
      {"east", 12, 0, false},
      {"up", 0, 12, false},
      {"west", -12, 0, false},
      {"down to the left", -8.5, -8.5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSenSinsyuku);
    TcadBox& box = Box();
    box.DridoL1 = 40;
    box.DridoL2 = 40;
    MoveTo(60, 50);
    Press(60, 50, ssRight);
    MoveTo(60 + c.dx, 50 + c.dy);
    EXPECT_EQ(box.GesturePending, c.chosen);
    if (c.chosen) {
      EXPECT_EQ(box.PendingGesture, dtCopy);
    }
    Release(60 + c.dx, 50 + c.dy, ssRight);
    if (!c.chosen) {
      EXPECT_EQ(box.ButonType, dtSenSinsyuku) << "a swallowed drag leaves the mode";
    }
  }
}

TEST_F(StretchCommand, AFirstLeftClickOnNothingStaysAtThePick) {
  Seed({Coloured(Line(20, 20, 60, 20))});
  const RDrawElement seeded = Elements()[0];
  Click(40, 60);
  EXPECT_EQ(Box().B_Switch, _off);
  Click(40, 70);
  ExpectElements({seeded});
  ExpectUndoLog({});
  ExpectScreenMatchesRedraw();
}

}  // namespace
