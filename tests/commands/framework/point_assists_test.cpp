// The point assists: the midpoint, circle-point and point-on-line gestures
// and the two-step assists the host enters, each handing its point back to
// the interrupted command.

#include <cmath>

#include "commands/framework/command_family.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

class PointAssists : public CommandHarness {
 protected:
  // The command's own row, its up handler replaced by one noting what the
  // assist handed it.
  struct RSeen {
    int ups = 0;
    std::uint8_t clickKind = 0;
    RPoint2D second;
  };
  void RecordUpsOf(Sbuttontype mode, RSeen& seen) {
    RCommandFamily row = *FamilyRowsOf(mode).front();
    row.Up = [&seen, mode](TcadBox& b, TShiftState, double, double) {
      if (b.ButonType != mode) return;
      ++seen.ups;
      seen.clickKind = b.ClickKind;
      seen.second = b.SecondPoint;
    };
    RegisterFamily(row);
  }

  // What the command's own handlers were handed when a resume re-entered them.
  struct RReEntered {
    int downs = 0, ups = 0;
    std::uint8_t clickKind = 0;
    TShiftState shift = 0;
    RPoint2D at;  // the position of the last one
  };
  // The command's own row with its down and up handlers replaced by ones
  // noting what they were handed while the mode runs.
  void RecordHandlersOf(Sbuttontype mode, RReEntered& seen) {
    RCommandFamily row = *FamilyRowsOf(mode).front();
    auto note = [&seen, mode](int RReEntered::*count) {
      return [&seen, mode, count](TcadBox& b, TShiftState shift, double x, double y) {
        if (b.ButonType != mode) return;
        ++(seen.*count);
        seen.clickKind = b.ClickKind;
        seen.shift = shift;
        seen.at = {x, y};
      };
    };
    row.Down = note(&RReEntered::downs);
    row.Up = note(&RReEntered::ups);
    RegisterFamily(row);
  }
};

TEST_F(PointAssists, TheMidpointGestureHandsTheMiddleOfTwoSnappedPointsToTheLine) {
  Seed({Point(20, 20), Point(60, 40)});
  TcadBox& b = Box();
  // dtDraf at its second point: its down handler kept the snapped press point.
  b.SavedMode = dtDraf;
  b.ButonType = dthitsuru;
  b.CommandStep = 1;
  b.SecondPoint = {20, 20};
  Click(61, 41, ssLeft);  // a left click reads the point and waits
  EXPECT_EQ(b.ButonType, dthitsuru);
  EXPECT_TRUE(b.AssistRead);
  Click(90, 90, ssRight);  // the next right click completes with the point read
  EXPECT_EQ(b.ButonType, dtDraf);
  EXPECT_EQ(b.SecondPoint.x, 40);
  EXPECT_EQ(b.SecondPoint.y, 30);
  EXPECT_FALSE(b.AssistRead);
  ExpectScreenMatchesRedraw();
}

TEST_F(PointAssists, TheReadPointCarriesTheOffsetTurnedByTheAxisAngle) {
  Seed({Point(60, 40)});
  TcadBox& b = Box();
  b.OfsetRen = true;
  b.PointOffset = {400, 0};  // 4 drawing units at 1:100
  b.AxisAngle = 90;          // turned to (0, 4)
  b.SavedMode = dtSen;
  b.ButonType = dthitsuru;
  b.CommandStep = 0;
  b.FirstPoint = {20, 20};
  Click(61, 41, ssRight);
  EXPECT_EQ(b.ButonType, dtSen);
  EXPECT_NEAR(b.FirstPoint.x, 40, 1e-9);  // the middle of (20, 20) and (60, 44)
  EXPECT_NEAR(b.FirstPoint.y, 32, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(PointAssists, TheMidpointGestureArmsFromASnappedPressAndAnArcGivesItsPoints) {
  RDrawElement arc = Arc(60, 40, 20, 0, 90);
  Seed({Point(30, 30), arc});
  TcadBox& b = Box();
  b.ButonType = dtDraf;
  // A snap at the press arms the midpoint assist.
  b.PressPoint = {31, 30};
  b.PendingGesture = dthitsuru;
  b.GesturePending = true;
  b.ExecuteDragGesture(0, 0);
  EXPECT_EQ(b.ButonType, dthitsuru);
  EXPECT_EQ(b.PendingGesture, dtNo);

  // The circle's eighth point nearest the press direction: 45 degrees.
  // Pressed on the curve, away from its snap points.
  const double r45 = 20 * std::sqrt(0.5);
  struct Case {
    Sbuttontype code;
    double wantX, wantY;
  } cases[] = {{dtEnhitsuru, 60 + r45, 40 + r45}, {dtEnhitsuru2, 60 + r45, 40 + r45}};
  for (const Case& c : cases) {
    b.ButonType = dtSen;
    b.SavedMode = dtSen;
    b.CommandStep = 0;
    b.PressPoint = {60 + 20 * std::cos(0.7), 40 + 20 * std::sin(0.7)};
    b.PendingGesture = c.code;
    b.GesturePending = true;
    b.ExecuteDragGesture(0, 0);
    EXPECT_EQ(b.ButonType, dtSen) << int(c.code);
    EXPECT_NEAR(b.FirstPoint.x, c.wantX, 1e-9) << int(c.code);
    EXPECT_NEAR(b.FirstPoint.y, c.wantY, 1e-9) << int(c.code);
    EXPECT_EQ(b.FirstPoint.x, b.CurrentPoint.x);
    // The point found carries the yellow marker (kind 0), not the red one.
    EXPECT_EQ(b.MarkerKind, 0) << int(c.code);
    EXPECT_NEAR(b.MarkerPoint.x, c.wantX, 1e-9) << int(c.code);
    EXPECT_NEAR(b.MarkerPoint.y, c.wantY, 1e-9) << int(c.code);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PointAssists, TheMidpointOfTwoClicksGoesBackIntoTheRestoredCommand) {
  TcadBox& b = Box();
  b.SavedMode = dtBoxSen;
  b.ButonType = dtNitenkan;
  Click(10, 10);
  EXPECT_EQ(b.AssistStep, 1);
  Click(30, 20);
  EXPECT_EQ(b.ButonType, dtBoxSen);
  // The box command at its first point takes the common step.
  EXPECT_EQ(b.FirstPoint.x, 20);
  EXPECT_EQ(b.FirstPoint.y, 15);
  EXPECT_EQ(b.CurrentPoint.x, 20);
  EXPECT_EQ(b.CommandStep, 1);
  EXPECT_EQ(b.AssistStep, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(PointAssists, ASnappedFirstClickCountsForTheMidpoint) {
  Seed({Point(40, 40)});
  TcadBox& b = Box();
  b.SavedMode = dtBoxSen;
  b.ButonType = dtNitenkan;
  Click(41, 41, ssRight);
  Click(60, 60);
  EXPECT_EQ(b.FirstPoint.x, 50);
  EXPECT_EQ(b.FirstPoint.y, 50);
  ExpectScreenMatchesRedraw();
}

TEST_F(PointAssists, ThePointOfACircleTowardAClickGoesBackAndTheCircleIsPickedFirst) {
  RDrawElement ellipse = Arc(50, 50, 20);
  ellipse.Ratio = 0.5f;  // the circle of its radius counts, not the ellipse
  // A line drawn after it across its left end stays over its highlight.
  Seed({ellipse, Line(30, 40, 30, 60)});
  TcadBox& b = Box();
  b.SavedMode = dtEnKotei;
  b.ButonType = dtEnZyouTen;
  Click(90, 90);  // nothing there: the first step stays
  EXPECT_EQ(b.AssistStep, 0);
  Click(70, 50);
  EXPECT_EQ(b.AssistStep, 1);
  EXPECT_EQ(Value(Elements()[0].Selection), 1);
  ExpectScreenMatchesRedraw();
  Click(50, 90);
  EXPECT_EQ(b.ButonType, dtEnKotei);
  EXPECT_NEAR(b.FirstPoint.x, 50, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 70, 1e-9);
  EXPECT_EQ(b.SecondPoint.y, b.FirstPoint.y);
  EXPECT_EQ(Value(Elements()[0].Selection), 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(PointAssists, TheResumeReEntersTheRestoredCommandWithAFreeClick) {
  RSeen seen;
  RecordUpsOf(dtDraf, seen);
  TcadBox& b = Box();
  struct Case {
    Sbuttontype mode;
    std::uint8_t step;
    _Bswitch sw;
    int ups;
    RPoint2D first, second;
    _Bswitch swAfter;
  } cases[] = {
      {dtDraf, 0, _off, 0, {7, 8}, {0, 0}, _off},    {dtDraf, 1, _off, 1, {1, 1}, {7, 8}, _off},
      {dtDrafRen, 1, _off, 0, {1, 1}, {7, 8}, _off},  // the point waits in the slots
      {dtsunposen, 0, _off, 0, {7, 8}, {0, 0}, on1}, {dtsunposen, 0, on1, 0, {1, 1}, {7, 8}, on2},
  };
  for (const Case& c : cases) {
    seen = {};
    b.ButonType = c.mode;
    b.CommandStep = c.step;
    b.B_Switch = c.sw;
    b.FirstPoint = {1, 1};
    b.SecondPoint = {0, 0};
    b.RubberErased = true;
    b.AssistPoint = {7, 8};
    b.ResumeWithAssistPoint(0, 0, 0);
    EXPECT_EQ(seen.ups, c.ups) << int(c.mode);
    if (c.ups) {
      EXPECT_EQ(seen.clickKind, 2);
    }
    EXPECT_EQ(b.FirstPoint.x, c.first.x) << int(c.mode);
    EXPECT_EQ(b.SecondPoint.x, c.second.x) << int(c.mode);
    EXPECT_EQ(b.B_Switch, c.swAfter) << int(c.mode);
  }
}

TEST_F(PointAssists, EachRestoredCommandTakesTheResumedPointByItsOwnSteps) {
  TcadBox& b = Box();
  // Before each case: FirstPoint F (1, 1), SecondPoint S (3, 3),
  // CurrentPoint C (2, 2), ClickKind 5, PreviewP1 (4, 4), PreviewP2 (5, 5);
  // the assist's point P is (7, 8), its last release Shift+Right at (40, 50).
  const RPoint2D F{1, 1}, S{3, 3}, C{2, 2}, P{7, 8};
  struct Case {
    const char* what;
    Sbuttontype mode;
    std::uint8_t step;
    _Bswitch sw;
    bool erased;  // RubberErased before
    int downs, ups;
    RPoint2D first, second, current;
    std::uint8_t stepAfter, clickAfter;
    _Bswitch swAfter;
    bool erasedAfter;
    double preview2x;  // PreviewP2.x after
  } cases[] = {
      {"element line, first point", dtSen, 0, _off, true, 0, 0, P, S, P, 1, 5, _off, true, 5},
      {"element line, second point commits", dtSen, 1, _off, true, 0, 1, F, P, P, 1, 2, _off, true, 5},
      {"wave line, first point", dtsinko, 0, _off, true, 0, 0, P, S, P, 1, 5, _off, true, 5},
      {"wave line, the second point waits", dtsinko, 1, _off, true, 0, 0, F, P, P, 1, 2, _off, true, 5},
      {"aligned rectangle, first corner", dtBoxSen, 0, _off, true, 0, 0, P, S, P, 1, 5, _off, true, 5},
      {"aligned rectangle, second corner commits", dtBoxSen, 1, _off, true, 0, 1, F, P, C, 1, 2, _off, false, 5},
      // The preview is erased first (PreviewP2 goes back to PreviewP1).
      {"sized rectangle placed at once", dtBoxsunpo, 0, _off, false, 0, 1, P, P, P, 1, 2, _off, true, 4},
      {"copy, base point", dtCopyFree, 0, _off, true, 0, 1, P, P, P, 0, 2, on1, true, 5},
      {"copy, place", dtCopyFree, 0, on1, true, 0, 1, F, P, P, 0, 2, on1, true, 5},
      {"move, place", dtIdoFree, 0, on2, true, 0, 1, F, P, P, 0, 2, on2, true, 5},
      {"text placed by a press at the point", dtMozi, 0, _off, true, 1, 0, P, S, C, 0, 2, _off, true, 5},
      {"stretch before its line is picked", dtSenSinsyuku, 0, _off, true, 0, 0, F, S, C, 0, 5, _off, true, 5},
      {"stretch to the point", dtSenSinsyuku, 0, on1, true, 0, 1, F, S, P, 0, 2, on1, true, 5},
      {"fixed circle placed at once", dtEnKotei, 0, _off, true, 0, 1, P, P, P, 1, 2, _off, true, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RReEntered seen;
    RecordHandlersOf(c.mode, seen);
    b.ButonType = c.mode;
    b.CommandStep = c.step;
    b.B_Switch = c.sw;
    b.RubberErased = c.erased;
    b.FirstPoint = F;
    b.SecondPoint = S;
    b.CurrentPoint = C;
    b.ClickKind = 5;
    b.PreviewP1 = {4, 4};
    b.PreviewP2 = {5, 5};
    b.AssistPoint = P;
    b.ResumeWithAssistPoint(ssShift | ssRight, 40, 50);
    EXPECT_EQ(seen.downs, c.downs);
    EXPECT_EQ(seen.ups, c.ups);
    if (c.ups != 0) {
      // An up handler sees a free click at the release.
      EXPECT_EQ(seen.clickKind, 2);
      EXPECT_EQ(seen.shift, ssShift | ssRight);
      EXPECT_EQ(seen.at.x, 40);
      EXPECT_EQ(seen.at.y, 50);
    }
    if (c.downs != 0) {
      // A down handler sees a free press at the point itself.
      EXPECT_EQ(seen.clickKind, 2);
      EXPECT_EQ(seen.at.x, 7);
      EXPECT_EQ(seen.at.y, 8);
    }
    EXPECT_EQ(b.FirstPoint.x, c.first.x);
    EXPECT_EQ(b.FirstPoint.y, c.first.y);
    EXPECT_EQ(b.SecondPoint.x, c.second.x);
    EXPECT_EQ(b.SecondPoint.y, c.second.y);
    EXPECT_EQ(b.CurrentPoint.x, c.current.x);
    EXPECT_EQ(b.CurrentPoint.y, c.current.y);
    EXPECT_EQ(b.CommandStep, c.stepAfter);
    EXPECT_EQ(b.ClickKind, c.clickAfter);
    EXPECT_EQ(b.B_Switch, c.swAfter);
    EXPECT_EQ(b.RubberErased, c.erasedAfter);
    EXPECT_EQ(b.PreviewP2.x, c.preview2x);
  }
}

TEST_F(PointAssists, TheSlotsOfTheInterruptedCommandTakeTheAppliedPoint) {
  TcadBox& b = Box();
  struct Case {
    Sbuttontype saved;
    std::uint8_t step;
    _Bswitch sw;
    Sbuttontype restored;
    RPoint2D TcadBox::*slot;
  } cases[] = {
      {dtDraf, 0, _off, dtDraf, &TcadBox::FirstPoint},
      {dtDraf, 1, _off, dtDraf, &TcadBox::SecondPoint},
      {dtHaniMove, 0, _off, dtIdoFree, &TcadBox::SecondPoint},
      {dtHaniCopy, 0, _off, dtCopyFree, &TcadBox::FirstPoint},
      {dtEn3ten, 0, on2, dtEn3ten, &TcadBox::CurrentPoint},
      {dtSunpochiHen, 0, on1, dtSunpochiHen, &TcadBox::FirstPoint},
      {dtYuka, 0, _off, dtYuka, nullptr},  // takes no point: only the mode comes back
  };
  for (const Case& c : cases) {
    b.FirstPoint = b.SecondPoint = b.CurrentPoint = {0, 0};
    b.SavedMode = c.saved;
    b.CommandStep = c.step;
    b.B_Switch = c.sw;
    b.ButonType = dtsencyuten;
    b.sencyutenApply(5, 6);
    EXPECT_EQ(b.ButonType, c.restored) << int(c.saved);
    if (c.slot != nullptr) {
      EXPECT_EQ((b.*c.slot).x, 5) << int(c.saved);
      EXPECT_EQ((b.*c.slot).y, 6) << int(c.saved);
    } else {
      EXPECT_EQ(b.FirstPoint.x, 0);
      EXPECT_EQ(b.SecondPoint.x, 0);
      EXPECT_EQ(b.CurrentPoint.x, 0);
    }
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PointAssists, ALinesFirstAssistedPointIsAlsoWhereItsRubberBandStarts) {
  // At the first point of a line the current point takes the assisted point
  // too; at the second it stays where the cursor left it.
  TcadBox& b = Box();
  for (const std::uint8_t step : {0, 1}) {
    SCOPED_TRACE(int{step});
    b.FirstPoint = b.SecondPoint = b.CurrentPoint = {0, 0};
    b.SavedMode = dtDraf;
    b.CommandStep = step;
    b.B_Switch = _off;
    b.ButonType = dtsencyuten;
    b.sencyutenApply(5, 6);
    EXPECT_EQ(b.CurrentPoint.x, step == 0 ? 5 : 0);
    EXPECT_EQ(b.CurrentPoint.y, step == 0 ? 6 : 0);
  }
}

TEST_F(PointAssists, ACancelledAssistLendsNoPointToTheNext) {
  TcadBox& b = Box();
  b.AssistRead = true;
  b.AssistClickKind = 3;
  CancelCommands();
  EXPECT_FALSE(b.AssistRead);
  EXPECT_EQ(b.AssistClickKind, 0);
  ExpectScreenMatchesRedraw();
}

}  // namespace

namespace {

class LineAssists : public CommandHarness {};

TEST_F(LineAssists, APointOnALineIsTheFootOfARightClickOrTheCrossingOfALeftOne) {
  // The picked line y = x / 2 + 10; a crossing line x = 60.
  Seed({Line(20, 20, 100, 60), Line(60, 5, 60, 90), Point(90, 20)});
  TcadBox& b = Box();
  auto startOnPickedLine = [&] {
    b.ButonType = dtDraf;
    b.CommandStep = 0;
    b.SavedMode = dtDraf;
    b.PressPoint = {40, 30};
    b.PendingGesture = dtSenzyouten2;
    b.GesturePending = true;
    b.ExecuteDragGesture(0, 0);
    ASSERT_EQ(b.ButonType, dtSenzyouten2);
    ASSERT_EQ(b.PickedIndex[1], 0);
  };
  startOnPickedLine();
  Click(60, 75);  // left, on the crossing line
  EXPECT_EQ(b.ButonType, dtDraf);
  EXPECT_NEAR(b.FirstPoint.x, 60, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 40, 1e-9);
  EXPECT_EQ(b.FirstPoint.x, b.CurrentPoint.x);
  ExpectScreenMatchesRedraw();
  // A right click snaps to the point (90, 20): its foot on the line.
  startOnPickedLine();
  Click(91, 21, ssRight);
  EXPECT_EQ(b.ButonType, dtDraf);
  // Foot of (90, 20) on y = x/2 + 10: t along (2, 1) from (20, 20): ((70, 0) . (2, 1)) / 5 = 28.
  EXPECT_NEAR(b.FirstPoint.x, 20 + 2 * 28, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 20 + 28, 1e-9);
  ExpectScreenMatchesRedraw();
  // A left click with no other line there: the foot of the click instead.
  startOnPickedLine();
  Click(100, 10);
  EXPECT_EQ(b.ButonType, dtDraf);
  // ((80, -10) . (2, 1)) / 5 = 30 along (2, 1) from (20, 20).
  EXPECT_NEAR(b.FirstPoint.x, 80, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 50, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(LineAssists, OnAPickedCircleTheClickGivesThePointOfTheCircleTowardIt) {
  // The circle about (60, 40) of radius 20 is picked at (80, 40); a click
  // at (60, 70) lies straight above the centre, so the point is (60, 60).
  Seed({Arc(60, 40, 20)});
  TcadBox& b = Box();
  b.ButonType = dtDraf;
  b.SavedMode = dtDraf;
  b.PressPoint = {80, 40};
  b.PendingGesture = dtSenzyouten2;
  b.GesturePending = true;
  b.ExecuteDragGesture(0, 0);
  ASSERT_EQ(b.ButonType, dtSenzyouten2);
  ASSERT_EQ(b.PickedIndex[1], 0);
  Click(60, 70);
  EXPECT_EQ(b.ButonType, dtDraf);
  EXPECT_NEAR(b.FirstPoint.x, 60, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 60, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(LineAssists, ACrossingAtTheOriginIsACrossingLikeAnyOther) {
  TcadBox& b = Box();
  b.ViewWindow = {-64, -48, 64, 48};
  Seed({Line(-40, -20, 40, 20), Line(-20, 30, 20, -30)});
  b.ButonType = dtDraf;
  b.SavedMode = dtDraf;
  b.PressPoint = {20, 10};
  b.PendingGesture = dtSenzyouten2;
  b.GesturePending = true;
  b.ExecuteDragGesture(0, 0);
  ASSERT_EQ(b.ButonType, dtSenzyouten2);
  Click(10, -15);
  EXPECT_EQ(b.ButonType, dtDraf);
  EXPECT_NEAR(b.FirstPoint.x, 0, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 0, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(LineAssists, TheMidpointGestureOnALineGivesTheMiddleOfItsEnds) {
  Seed({Line(20, 30, 100, 30)});
  TcadBox& b = Box();
  b.ButonType = dtSen;
  b.SavedMode = dtSen;
  b.CommandStep = 0;
  b.PressPoint = {35, 30};  // on the line, away from its snap points
  b.PendingGesture = dthitsuru;
  b.GesturePending = true;
  b.ExecuteDragGesture(0, 0);
  EXPECT_EQ(b.ButonType, dtSen);
  EXPECT_NEAR(b.FirstPoint.x, 60, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 30, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(LineAssists, TheFootOnAPickedLineGoesBackIntoTheRestoredCommand) {
  // The line second in the drawing, so that its index is not the slot's
  // starting value.
  Seed({Point(10, 80), Line(20, 30, 100, 30)});
  TcadBox& b = Box();
  b.SavedMode = dtBoxSen;
  b.ButonType = dtSenZyouTen;
  Click(50, 90);  // no line there: the first step stays
  EXPECT_EQ(b.AssistStep, 0);
  Click(50, 31);
  EXPECT_EQ(b.AssistStep, 1);
  EXPECT_EQ(b.PickedIndex[1], 1);
  Click(70, 80);
  EXPECT_EQ(b.ButonType, dtBoxSen);
  EXPECT_NEAR(b.FirstPoint.x, 70, 1e-9);
  EXPECT_NEAR(b.FirstPoint.y, 30, 1e-9);
  EXPECT_EQ(b.CommandStep, 1);
  ExpectScreenMatchesRedraw();
}

}  // namespace
