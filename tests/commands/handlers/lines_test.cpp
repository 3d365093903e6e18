// Two-point lines, the stretch command's new line and the continuous line,
// through the mouse.

#include <cmath>
#include <numbers>

#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"

namespace {

// A line as the current pen (type 1, colour 1, group 0, layer 0) adds it.
RDrawElement PenLine(double x1, double y1, double x2, double y2) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.ColorNo = 1;
  return Added(e);
}

class LineCommands : public CommandHarness {};

TEST_F(LineCommands, DrafEndFollowsTheAngleStepAndTheSetLength) {
  // GroupScales[0] is 100: a set length of 1000 is 10 drawing units.
  struct Case {
    const char* what;
    double commandAngle, axisAngle, step, length, x0, y0, cx, cy;
  } cases[] = {
      {"projection on the 0 degree ray", 0, 0, 45, 0, 20, 20, 30, 21},
      {"set length on the 0 degree ray", 0, 0, 45, 1000, 20, 20, 40, 22},
      {"base 30 from both angles, step 90, projection", 20, 10, 90, 0, 20, 20, 40, 50},
      {"15 degree steps, length 5", 0, 0, 15, 500, 20, 20, 30, 30.5},
      {"base 350, the ray at 170", 350, 0, 45, 0, 60, 40, 50, 45},
      {"no step keeps the click whatever the length", 0, 0, 0, 1000, 20, 20, 40, 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtDraf);
    TcadBox& box = Box();
    box.CommandAngle = c.commandAngle;
    box.AxisAngle = c.axisAngle;
    box.AngleStep = c.step;
    box.CmdLength = c.length;
    double ex = c.cx, ey = c.cy;
    if (c.step != 0) {
      const double base = c.commandAngle + c.axisAngle;
      const double dir = std::atan2(c.cy - c.y0, c.cx - c.x0) * 180 / std::numbers::pi;
      const double k = std::floor((dir - base) / c.step + 0.5);
      const double a = (base + k * c.step) * std::numbers::pi / 180;
      const double along = c.length > 0 ? c.length / 100 : (c.cx - c.x0) * std::cos(a) + (c.cy - c.y0) * std::sin(a);
      ex = c.x0 + along * std::cos(a);
      ey = c.y0 + along * std::sin(a);
    }
    Click(c.x0, c.y0);
    MoveTo(c.cx - 3, c.cy - 2);  // the rubber line follows the cursor
    Click(c.cx, c.cy);
    ExpectElements({PenLine(c.x0, c.y0, ex, ey)});
    ExpectUndoLog({PenLine(c.x0, c.y0, ex, ey)});
    EXPECT_EQ(box.CommandStep, 0);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(LineCommands, DrafSnappedEndIsExact) {
  Seed({Line(50, 10, 70, 10)});
  TcadBox& box = Box();
  box.ButonType = dtDraf;
  Click(20, 20);
  MoveTo(60, 30);  // the rubber line ends here; the press is elsewhere
  Press(69.4, 10.4, ssRight);
  Release(69.4, 10.4, ssRight);
  const RDrawElement seeded = Elements()[0];
  ExpectElements({seeded, PenLine(20, 20, 70, 10)});
  EXPECT_EQ(TopMessage(), J("点ﾋｯﾄ"));
  // The marker, drawn before the line, crosses it: the image is probed.
  EXPECT_EQ(PixelAt(40, 25), clBlack) << "the rubber line to the cursor is gone";
  EXPECT_EQ(PixelAt(45, 15), box.ColourTable[1]);
  ExpectScreenMatchesRedraw();
}

TEST_F(LineCommands, DrafOffsetTurnsByTheAxisAngle) {
  TcadBox& box = Box();
  box.ButonType = dtDraf;
  box.PointOffset = {100, 0};  // 1 drawing unit, turned to (0, 1) by the axis angle
  box.AxisAngle = 90;
  Click(20, 20, ssCtrl | ssLeft);  // Ctrl applies the offset with OfsetRen off
  Click(40, 20);
  ExpectElements({PenLine(20, 21, 40, 20)});
  ExpectScreenMatchesRedraw();
  box.OfsetRen = true;
  Click(20, 40);
  Click(40, 40);
  ExpectElements({PenLine(20, 21, 40, 20), PenLine(20, 41, 40, 41)});
  ExpectScreenMatchesRedraw();
}

TEST_F(LineCommands, DrafEachLineIsItsOwnUndoStep) {
  Box().ButonType = dtDraf;
  Click(10, 10);
  Click(30, 10);
  Click(10, 20);
  Click(30, 20);
  ExpectElements({PenLine(10, 10, 30, 10), PenLine(10, 20, 30, 20)});
  ExpectUndoLog({PenLine(10, 20, 30, 20)});
  ExpectScreenMatchesRedraw();
}

TEST_F(LineCommands, DrafTakesAssistPointsForBothEnds) {
  TcadBox& box = Box();
  box.ButonType = dtDraf;
  box.AssistPoint = {10, 10};
  box.ResumeWithAssistPoint(0, 10, 10);
  EXPECT_EQ(box.CommandStep, 1);
  EXPECT_TRUE(Elements().empty());
  MoveTo(25, 14);
  box.AssistPoint = {30, 10};
  box.ResumeWithAssistPoint(0, 30, 10);
  ExpectElements({PenLine(10, 10, 30, 10)});
  ExpectUndoLog({PenLine(10, 10, 30, 10)});
  ExpectScreenMatchesRedraw();
}

TEST_F(LineCommands, APaintOverThePointMarkerKeepsItOnTheScreen) {
  Seed({Point(20, 20), Point(60, 40), Point(80, 20)});
  TcadBox& box = Box();
  box.ButonType = dtDraf;
  MoveTo(20.2, 20.1);
  Click(20.2, 20.1, ssRight);
  // A repaint of the marker's area, as any window over it would cause.
  box.InvalidateWorldRect(15, 15, 25, 25);
  ExpectScreenMatchesRedraw();
  MoveTo(60.2, 40.1);
  Click(60.2, 40.1, ssRight);  // the marker moves: the old one must go, not come back
  box.InvalidateWorldRect(15, 15, 65, 45);
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(Elements().size(), 4u);
}

TEST_F(LineCommands, ARubberLineAcrossARepaintedPartStaysWholeAndLeavesNoGhost) {
  // Anything may ask for a part of the control to be painted again (a
  // caption, a picture, a window over it) while the rubber line shows.
  Seed({Line(20, 10, 20, 80)});
  TcadBox& box = Box();
  box.ButonType = dtDraf;
  Click(10, 40);
  MoveTo(60, 40);
  box.InvalidateWorldRect(15, 30, 35, 50);
  box.Update();
  EXPECT_EQ(PixelAt(25, 40), box.ColourTable[1]) << "the rubber line is whole over the repainted part";
  MoveTo(60, 60);
  MoveTo(70, 20);
  // Exactly one rubber line: from (10, 40) to (70, 20), and none of the old.
  EXPECT_EQ(PixelAt(25, 40), clBlack);
  EXPECT_EQ(PixelAt(40, 30), box.ColourTable[1]);
  Leave();  // the leave takes the rubber line off
  ExpectScreenMatchesRedraw();
}

TEST_F(LineCommands, DrafGestureDragCommitsNothing) {
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  box.ButonType = dtDraf;
  Click(10, 10);
  Click(30, 10);  // one line, its own step
  Click(10, 30);
  Drag(30, 30, 30, 50);  // a drag of 100 pixels is a gesture
  ExpectElements({PenLine(10, 10, 30, 10)});
  ExpectUndoLog({PenLine(10, 10, 30, 10)});
  ExpectScreenMatchesRedraw();
}

TEST_F(LineCommands, DrafKeepsItsRubberLineAfterACancel) {
  Box().ButonType = dtDraf;
  Click(20, 20);
  MoveTo(60, 20);
  CancelCommands();
  EXPECT_EQ(PixelAt(40, 20), Box().ColourTable[1]) << "no cancel phase: the line stays until a redraw";
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(40, 20), clBlack);
  ExpectScreenMatchesRedraw();
}

class StretchLine : public LineCommands {
 protected:
  // The stretch command's hand-over: a picked line, its fixed end, step 1.
  void PickForStretch(std::int32_t index, const RDrawElement& picked) {
    TcadBox& box = Box();
    box.ButonType = dtSen;
    box.PickedElement = picked;
    box.PickedIndex.fill(-1);  // the stretch command's own picks are withdrawn
    box.PickedIndex[3] = index;
    box.FirstPoint = box.CurrentPoint = {picked.X1, picked.Y1};
    box.CommandStep = 1;
    box.RubberErased = true;
  }
};

TEST_F(StretchLine, ReplacesThePickedLineKeepingItsAttributes) {
  RDrawElement old = Line(20, 20, 60, 20, 0, 2);
  old.ColorNo = 5;
  old.LineType = 3;
  Seed({Line(10, 80, 40, 80), old});
  const RDrawElement kept = Elements()[0];
  const RDrawElement seeded = Elements()[1];
  TcadBox& box = Box();
  box.Pencol = 2;  // the pen plays no part
  box.Pentyp = 4;
  PickForStretch(1, seeded);
  MoveTo(40, 50);
  Click(50, 50);
  RDrawElement replaced = Line(20, 20, 50, 50, 0, 2);
  replaced.ColorNo = 5;
  replaced.LineType = 3;
  ExpectElements({kept, Added(replaced)});
  RDrawElement deleted = seeded;
  deleted.UndoMark = kUndoDeleted;
  ExpectUndoLog({deleted, Added(replaced)});
  EXPECT_EQ(box.ButonType, dtSenSinsyuku);
  EXPECT_EQ(box.CommandStep, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchLine, ANewEndReadFromAPointShowsAsTheRedrawShowsIt) {
  // The point marker stays over the new line's end; the old line went
  // across another one, which stays whole.
  Seed({Line(20, 20, 60, 20), Point(50, 50), Line(40, 10, 40, 30)});
  PickForStretch(0, Elements()[0]);
  MoveTo(45, 40);
  Click(50.2, 50.3, ssRight);
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_NEAR(Value(Elements()[2].X2), 50, 1e-9);
  EXPECT_EQ(PixelAt(40, 25), Box().ColourTable[Elements()[1].ColorNo]) << "the line the old one crossed";
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchLine, WithoutAValidPickNothingIsDeletedOrAdded) {
  Seed({Line(20, 20, 60, 20)});
  const RDrawElement seeded = Elements()[0];
  for (std::int32_t index : {-1, -10, 1, 7}) {
    SCOPED_TRACE(index);
    PickForStretch(index, Line(30, 30, 70, 70));
    MoveTo(50, 40);
    Click(50, 40);
    ExpectElements({seeded});
    ExpectUndoLog({});
    EXPECT_EQ(Box().CommandStep, 0);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(StretchLine, CancelErasesTheRubberLine) {
  Seed({Line(20, 20, 60, 20)});
  PickForStretch(0, Elements()[0]);
  MoveTo(40, 50);
  MoveTo(45, 60);
  CancelCommands();
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchLine, ADragGestureTakesTheRubberLineOffAndCommitsNothing) {
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  Seed({Line(20, 20, 60, 20)});
  const RDrawElement seeded = Elements()[0];
  PickForStretch(0, seeded);
  MoveTo(40, 50);
  EXPECT_NE(PixelAt(30, 35), clBlack) << "the rubber line from (20, 20) to (40, 50)";
  // 100 pixels east with the left button: a gesture this mode swallows.
  Drag(50, 40, 70, 40);
  ExpectElements({seeded});
  ExpectUndoLog({});
  EXPECT_EQ(box.ButonType, dtSen);
  EXPECT_EQ(box.CommandStep, 1);
  ExpectScreenMatchesRedraw();
}

TEST_F(StretchLine, ASnappedEndOnTheStartIsRefused) {
  Seed({Line(20, 20, 60, 20)});
  PickForStretch(0, Elements()[0]);
  Click(20.3, 20.2, ssRight);
  EXPECT_EQ(Hint(), "  " + J("1点目と同一です"));
  EXPECT_EQ(Box().CommandStep, 1);
  EXPECT_EQ(Elements().size(), 1u);
}

// ---- Continuous line ----------------------------------------------------------

std::vector<std::string> Posts(const char* panel, std::initializer_list<int> numbers) {
  std::vector<std::string> posts;
  for (const int n : numbers) posts.push_back(std::string(panel) + "+" + std::to_string(n));
  return posts;
}

// In the tool's default style, free of angle steps and set lengths; the
// drag-gesture menu answers drags of 40 pixels (8 drawing units).
class ContinuousLine : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Fresh();
  }
  void Fresh() {
    StartAfresh(dtDrafRen);
    TcadBox& box = Box();
    box.AngleStep = 0;
    box.CmdLength = 0;
    box.DridoL1 = 40;
    box.DridoL2 = 40;
    box.Update();
    TakeNotifications();
  }
  bool HasTool() { return !Box().Tool(ToolSlot::RenzokuObj).Empty(); }
  // The confirm entry of the menu: a left drag straight up, 60 pixels.
  void Confirm(double x, double y) { Drag(x, y, x, y + 12); }
};

TEST_F(ContinuousLine, ThreeClicksAndTheConfirmCommitTheChainInOneStep) {
  Click(20, 20);
  EXPECT_TRUE(HasTool());
  EXPECT_EQ(Box().CommandStep, 1);
  MoveTo(30, 25);
  Click(40, 20);
  MoveTo(45, 30);
  Click(40, 40);
  EXPECT_EQ(TakeNotifications(), Posts("TFrame3", {100, 100, 100}));
  EXPECT_EQ(Elements().size(), 0u) << "nothing is stored before the confirm";
  MoveTo(41, 41);
  Confirm(41, 41);
  const std::vector<RDrawElement> chain{PenLine(20, 20, 40, 20), PenLine(40, 20, 40, 40)};
  ExpectUndoLog(chain);
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_EQ(TakeNotifications(), Posts("TFrame3", {103}));
  EXPECT_EQ(Box().ButonType, dtDrafRen) << "the mode stays";
  EXPECT_EQ(Box().CommandStep, 0);
  EXPECT_FALSE(HasTool());
  ExpectScreenMatchesRedraw();
  // The next chain starts afresh.
  Click(60, 60);
  EXPECT_TRUE(HasTool());
  EXPECT_EQ(Box().CommandStep, 1);
}

TEST_F(ContinuousLine, ACancelAfterTwoPointsStoresNothingAndLeavesNoPreview) {
  Click(20, 20);
  MoveTo(30, 30);
  Click(40, 20);
  MoveTo(45, 30);
  EXPECT_EQ(PixelAt(30, 20), Box().Sentakucol2) << "the fixed segment in the preview";
  CancelCommands();
  ExpectElements({});
  ExpectUndoLog({});
  EXPECT_FALSE(HasTool());
  ExpectScreenMatchesRedraw();
}

TEST_F(ContinuousLine, WhatTheChainCrossedStaysAfterTheConfirmAndTheCancel) {
  // An upright line crosses the first segment and the rubber segment that
  // the confirm drops; the vertices are snapped to points, so the point
  // marker shows on the chain.
  for (const bool confirm : {true, false}) {
    SCOPED_TRACE(confirm ? "confirm" : "cancel");
    Fresh();
    Seed({Line(30, 10, 30, 60), Point(20, 20), Point(40, 20), Point(40, 40)});
    Click(20.2, 20.1, ssRight);
    MoveTo(35, 25);
    Click(40.1, 20.2, ssRight);
    MoveTo(40, 30);
    Click(39.9, 40.1, ssRight);
    MoveTo(25, 50);  // the rubber segment crosses the upright line
    if (confirm) {
      Confirm(25, 50);
      ASSERT_EQ(Elements().size(), 6u);
    } else {
      CancelCommands();
      ASSERT_EQ(Elements().size(), 4u);
    }
    EXPECT_NE(PixelAt(30, 45), clBlack) << "the upright line where the rubber segment crossed it";
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ContinuousLine, ARightClickOnNothingReportsTheQuadrantOfTheDirection) {
  // From (50, 50): the quadrants from 0 to 360 degrees report 4, 3, 2, 1.
  struct Case {
    double x, y;
    int mhan;
  } cases[] = {{60, 55, 4}, {40, 55, 3}, {40, 45, 2}, {60, 45, 1}, {49, 51, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    Fresh();
    int reported = -1;
    Box().BanGo_Click = [&reported](TcadBox& b, Sbuttontype, int&, int, int) { reported = b.Mhan1; };
    Click(50, 50);
    Click(c.x, c.y, ssRight);
    EXPECT_EQ(reported, c.mhan);
    EXPECT_EQ(Box().Mhan1, 0) << "cleared after the host saw it";
    EXPECT_EQ(Box().CommandStep, 1);
  }
}

TEST_F(ContinuousLine, AnEndSnappedToACircleCentreMovesOntoTheCircle) {
  // A small circle: the snap search around its centre reaches it.
  Seed({Arc(60, 50, 3)});
  TcadBox& box = Box();
  box.Update();
  box.senzyohit = true;
  box.Ensyukiten = true;
  Click(30, 20);
  MoveTo(60.2, 50.3);
  Click(60.2, 50.3, ssRight);
  // From (30, 20) through the centre runs 45 degrees: the circle point is
  // the centre plus 3 (cos 45, sin 45) = 3 (0.70710678, 0.70710678).
  EXPECT_NEAR(box.CurrentPoint.x, 60 + 2.1213203435596424, 1e-9);
  EXPECT_NEAR(box.CurrentPoint.y, 50 + 2.1213203435596424, 1e-9);
  box.Ensyukiten = false;
  MoveTo(59.8, 50.2);
  Click(59.8, 50.2, ssRight);
  EXPECT_NEAR(box.CurrentPoint.x, 60, 1e-9) << "without the rule the centre itself";
  EXPECT_NEAR(box.CurrentPoint.y, 50, 1e-9);
}

TEST_F(ContinuousLine, WithTheRingOnTheOldPreviewGoesInItsOwnColour) {
  TcadBox& box = Box();
  box.RingHan = 2;
  Click(20, 20);
  MoveTo(30, 25);
  MoveTo(40, 40);
  EXPECT_EQ(PixelAt(30, 30), box.Sentakucol2);
  // The host switches the colour of the previews between two moves.
  box.tanren_Han = true;
  MoveTo(44, 44);
  EXPECT_EQ(PixelAt(32, 32), box.Sentakucol4);
  ExpectScreenMatchesRedraw();
}

TEST_F(ContinuousLine, AStartSnappedToAPointMarksThatPoint) {
  // A point off the diagonal, so that its two coordinates cannot stand in
  // for each other.
  Seed({Point(60, 20)});
  TcadBox& box = Box();
  box.Update();
  box.senzyohit = true;
  MoveTo(60.2, 20.1);
  Click(60.2, 20.1, ssRight);
  EXPECT_EQ(box.CommandStep, 1);
  EXPECT_NEAR(box.FirstPoint.x, 60, 1e-9);
  EXPECT_NEAR(box.FirstPoint.y, 20, 1e-9);
  EXPECT_EQ(box.MarkerPoint.x, 60) << "the marker sits on the snapped point";
  EXPECT_EQ(box.MarkerPoint.y, 20);
  ExpectScreenMatchesRedraw();
}

}  // namespace
