// The mouse dispatch: drawing coordinates, the handler order by rank, mode
// switches inside one event, the host's events, cancel-all, leaving and
// entering the control.

#include <cmath>

#include "dispatch_fixture.h"
#include "geometry/codepage.h"

namespace {

// A handler set that notes its name when its mode runs.
RHandlerSet NotingSet(const std::string& name, int down, int move, int up, std::vector<std::string>& log,
                      Sbuttontype mode) {
  auto note = [name, &log, mode](const char* what) {
    return [name, &log, mode, what](TcadBox& b, TShiftState, double, double) {
      if (b.ButonType == mode) log.push_back(name + what);
    };
  };
  return {name, down, move, up, note(".down"), note(".move"), note(".up")};
}

TEST_F(DispatchTest, HandlersRunByTheirRankWhateverTheOrderOfRegistration) {
  std::vector<std::string> log;
  CommandRegistry().AddHandlerSet(NotingSet("C", 50, 3, 7, log, dtNo));
  CommandRegistry().AddHandlerSet(NotingSet("A", 2, 66, 0, log, dtNo));
  CommandRegistry().AddHandlerSet(NotingSet("B", 10, 10, 4, log, dtNo));
  box->Mouse_dwn = [&](TcadBox&, TMouseButton, TShiftState, double, double) { log.push_back("Mouse_dwn"); };
  box->Mouse_move = [&](TcadBox&, TShiftState, double, double) { log.push_back("Mouse_move"); };
  box->Mouse_up = [&](TcadBox&, TMouseButton, TShiftState, double, double) { log.push_back("Mouse_up"); };
  box->BanGo_Click = [&](TcadBox&, Sbuttontype, int&, int, int) { log.push_back("BanGo_Click"); };
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  Move(Qt::LeftButton, {101, 100});
  Release(Qt::LeftButton, Qt::NoButton, {101, 100});
  const std::vector<std::string> want{"A.down", "B.down", "C.down", "Mouse_dwn",   "C.move",   "B.move",
                                      "A.move", "Mouse_move", "B.up", "C.up",      "Mouse_up", "BanGo_Click"};
  EXPECT_EQ(log, want);
}

TEST_F(DispatchTest, AModeSwitchReachesTheLaterHandlersOfTheSameEventOnly) {
  std::vector<std::string> log;
  // Rank 9 switches dtsunposen to dtSunpochiHen; 13 then handles the same
  // press, while 5 (earlier) does not see the new mode until the next one.
  CommandRegistry().AddHandlerSet(NotingSet("early", 5, 0, 0, log, dtSunpochiHen));
  CommandRegistry().AddHandlerSet(NotingSet("late", 13, 0, 0, log, dtSunpochiHen));
  CommandRegistry().AddHandlerSet({"switch", 9, 0, 0,
                                   [&](TcadBox& b, TShiftState, double, double) {
                                     if (b.ButonType != dtsunposen) return;
                                     log.push_back("switch.down");
                                     b.ButonType = dtSunpochiHen;
                                   },
                                   nullptr, nullptr});
  box->ButonType = dtsunposen;
  Press(Qt::LeftButton, Qt::LeftButton, {10, 10});
  EXPECT_EQ(log, (std::vector<std::string>{"switch.down", "late.down"}));
  log.clear();
  Release(Qt::LeftButton, Qt::NoButton, {10, 10});
  Press(Qt::LeftButton, Qt::LeftButton, {10, 10});
  EXPECT_EQ(log, (std::vector<std::string>{"early.down", "late.down"}));
}

TEST_F(DispatchTest, ARegisteredSetReplacesTheOneOfTheSameName) {
  std::vector<std::string> log;
  CommandRegistry().AddHandlerSet(NotingSet("A", 2, 0, 0, log, dtNo));
  CommandRegistry().AddHandlerSet(NotingSet("A", 8, 0, 0, log, dtNo));
  EXPECT_EQ(CommandRegistry().DownSequence().size(), 1u);
  EXPECT_EQ(CommandRegistry().DownSequence()[0].Rank, 8);
}

TEST_F(DispatchTest, HandlersAndEventsReceiveDrawingCoordinatesAndTheHostSeesPixels) {
  struct Seen {
    double x = 0, y = 0;
  } handler, down, move, up;
  int banX = -1, banY = -1;
  Sbuttontype banMode = dtDraf;
  CommandRegistry().AddHandlerSet({"probe", 4, 0, 0,
                                   [&](TcadBox&, TShiftState, double x, double y) { handler = {x, y}; }, nullptr,
                                   nullptr});
  box->Mouse_dwn = [&](TcadBox&, TMouseButton, TShiftState, double x, double y) { down = {x, y}; };
  box->Mouse_move = [&](TcadBox&, TShiftState, double x, double y) { move = {x, y}; };
  box->Mouse_up = [&](TcadBox&, TMouseButton, TShiftState, double x, double y) { up = {x, y}; };
  box->BanGo_Click = [&](TcadBox&, Sbuttontype mode, int& genBan, int x, int y) {
    banMode = mode;
    banX = x;
    banY = y;
    genBan = 77;  // the host may change it
  };
  box->GenBan = 12;
  Press(Qt::LeftButton, Qt::LeftButton, {120, 90});
  Move(Qt::LeftButton, {200, 300});
  Release(Qt::LeftButton, Qt::NoButton, {321, 47});
  EXPECT_NEAR(handler.x, WorldX(120), 1e-9);
  EXPECT_NEAR(handler.y, WorldY(90), 1e-9);
  EXPECT_NEAR(down.x, WorldX(120), 1e-9);
  EXPECT_NEAR(box->PressPoint.x, WorldX(120), 1e-9);
  EXPECT_NEAR(box->PressPoint.y, WorldY(90), 1e-9);
  EXPECT_NEAR(move.x, WorldX(200), 1e-9);
  EXPECT_NEAR(move.y, WorldY(300), 1e-9);
  EXPECT_NEAR(box->CursorWorldPos.y, WorldY(300), 1e-9);
  EXPECT_NEAR(up.x, WorldX(321), 1e-9);
  EXPECT_NEAR(up.y, WorldY(47), 1e-9);
  EXPECT_EQ(banMode, dtNo);
  EXPECT_EQ(banX, 321);
  EXPECT_EQ(banY, 47);
  EXPECT_EQ(box->GenBan, 77);
}

TEST_F(DispatchTest, CtrlClickOnlyForCtrlWithOneButton) {
  struct Case {
    TShiftState shift;
    bool ctrlClick;
  } cases[] = {{ssCtrl | ssLeft, true},           {ssCtrl | ssRight, true}, {ssCtrl | ssShift | ssLeft, false},
               {ssLeft, false},                   {ssCtrl | ssMiddle, false}, {ssCtrl | ssLeft | ssDouble, false}};
  for (const Case& c : cases) {
    box->MouseDown(mbLeft, c.shift, 10, 10);
    EXPECT_EQ(box->CtrlClick, c.ctrlClick) << int(c.shift);
  }
}

TEST_F(DispatchTest, WhileBothButtonsAreHeldOnlyTheCrossHairSeesTheMoves) {
  std::vector<std::string> log;
  CommandRegistry().AddHandlerSet(NotingSet("ring", kRingCursorRank, kRingCursorRank, kRingCursorRank, log, dtNo));
  CommandRegistry().AddHandlerSet(NotingSet("cmd", 3, 3, 3, log, dtNo));
  int moves = 0;
  box->Mouse_move = [&](TcadBox&, TShiftState, double, double) { ++moves; };
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {100, 100});
  ASSERT_NE(box->ViewGestureState, 0);
  log.clear();
  Move(Qt::LeftButton | Qt::RightButton, {150, 150});
  EXPECT_EQ(log, std::vector<std::string>{"ring.move"});
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(box->LabelAnchor.x, -1000000.0);
  EXPECT_EQ(box->LabelAnchor.y, -1000000.0);
}

TEST_F(DispatchTest, MiddleReleasesStepTheWheelModeUnlessTheWheelTypeIsOne) {
  struct Case {
    std::int32_t wheelTyp;
    std::uint8_t before;
    TMouseButton button;
    std::uint8_t after;
  } cases[] = {{0, 0, mbMiddle, 1}, {0, 1, mbMiddle, 2}, {0, 2, mbMiddle, 0}, {0, 3, mbMiddle, 3},
               {0, 1, mbLeft, 1},   {1, 0, mbMiddle, 0}, {1, 2, mbLeft, 0}};
  for (const Case& c : cases) {
    box->Wheel_typ = c.wheelTyp;
    box->WheelMode = c.before;
    box->MouseUp(c.button, 0, 5, 5);
    EXPECT_EQ(box->WheelMode, c.after) << c.wheelTyp << " " << int(c.before);
  }
}

TEST_F(DispatchTest, EveryReleaseFiresBanGoClickAndThenClearsMhan1) {
  int fired = 0;
  int seenMhan1 = -1;
  CommandRegistry().AddHandlerSet(
      {"sets Mhan1", 0, 0, 5, nullptr, nullptr, [](TcadBox& b, TShiftState, double, double) { b.Mhan1 = 10; }});
  box->BanGo_Click = [&](TcadBox& b, Sbuttontype, int&, int, int) {
    ++fired;
    seenMhan1 = b.Mhan1;
  };
  box->MouseUp(mbLeft, 0, 5, 5);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(seenMhan1, 10);
  EXPECT_EQ(box->Mhan1, 0);
}

TEST_F(DispatchTest, CancelCommandsRunsTheCancelPhasesInOrderAndResetsTheState) {
  std::vector<std::string> log;
  CommandRegistry().AddCancelPhase("third", 26, [&](TcadBox&) { log.push_back("third"); });
  CommandRegistry().AddCancelPhase("first", 1, [&](TcadBox&) { log.push_back("first"); });
  int stepSeen = -1;
  CommandRegistry().AddCancelPhase("second", 2, [&](TcadBox& b) {
    log.push_back("second");
    stepSeen = b.CommandStep;
  });
  for (bool keepMode : {false, true}) {
    log.clear();
    box->ButonType = dtHani;
    box->CommandStep = 1;
    box->B_Switch = on3;
    box->ClickKind = 3;
    box->ViewGestureState = 4;
    box->TwoButtonGesture = 1;
    box->RubberErased = false;
    box->SavedMode = dtSen;
    box->PendingGesture = dtBox;
    box->AssistStep = 2;
    box->FirstPoint = {1, 2};
    box->CurrentPoint = {3, 4};
    box->SecondPoint = {5, 6};
    box->PickedIndex = {0, 7, 8, 9, 10, 11};
    box->PrintFrame = {1, 2, 3, 4};
    box->PrintSheetSize = {5, 6};
    box->SenUrakesi = 2;
    box->Draw1->Buffer.push_back(Line(0, 0, 1, 1));
    box->Draw1->SpareListA.push_back(Line(0, 0, 1, 1));
    box->Draw1->SpareListB.push_back(Line(0, 0, 1, 1));
    box->Draw1->BufferTexts.push_back("x");
    box->CancelCommands(keepMode);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(stepSeen, 1) << "the phases run before the reset";
    EXPECT_EQ(box->ButonType, keepMode ? dtHani : dtNo);
    EXPECT_EQ(box->CommandStep, 0);
    EXPECT_EQ(box->B_Switch, _off);
    EXPECT_EQ(box->ClickKind, 0);
    EXPECT_EQ(box->ViewGestureState, 0);
    EXPECT_EQ(box->TwoButtonGesture, 0);
    EXPECT_TRUE(box->RubberErased);
    EXPECT_EQ(box->SavedMode, dtNo);
    EXPECT_EQ(box->PendingGesture, dtNo);
    EXPECT_EQ(box->AssistStep, 0);
    EXPECT_EQ(box->FirstPoint.x, 0);
    EXPECT_EQ(box->CurrentPoint.y, 0);
    EXPECT_EQ(box->SecondPoint.x, 0);
    EXPECT_EQ(box->PickedIndex, (std::array<std::int32_t, 6>{0, -1, -1, -1, -1, -1}));
    EXPECT_EQ(box->PrintFrame.Right, 0);
    EXPECT_EQ(box->PrintSheetSize.Width, 0);
    EXPECT_EQ(box->SenUrakesi, 0);
    EXPECT_TRUE(box->Draw1->Buffer.empty());
    EXPECT_TRUE(box->Draw1->SpareListA.empty());
    EXPECT_TRUE(box->Draw1->SpareListB.empty());
    EXPECT_TRUE(box->Draw1->BufferTexts.empty());
  }
  box->hatchHozi = true;
  box->SenUrakesi = 2;
  box->CancelCommands(false);
  EXPECT_EQ(box->SenUrakesi, 2) << "kept while the hatch is held";
}

TEST_F(DispatchTest, TheFullRedrawRunsTheRedrawPhasesByStageAndRank) {
  std::vector<std::string> log;
  auto phase = [&](const char* name) {
    return [&log, name](TcadBox& b) { log.push_back(std::string(name) + (b.RubberErased ? "+" : "-")); };
  };
  TCommandRegistry& r = CommandRegistry();
  r.AddRedrawPhase("KiritoriHani", RedrawStage::AfterRubberErased, 3, phase("kiritori"));
  r.AddRedrawPhase("Hachi2ten", RedrawStage::AfterElements, 1, phase("hachi"));
  r.AddRedrawPhase("DrafRen", RedrawStage::AfterRubberErased, 1, phase("drafren"));
  r.AddRedrawPhase("Hanipg", RedrawStage::AfterElements, 7, phase("hanipg"));
  r.AddRedrawPhase("sunposen", RedrawStage::BeforeGrid, 1, phase("sunposen"));
  r.DrawGrid = [&](TcadBox&) { log.push_back("grid"); };
  box->RubberErased = false;
  box->RingHidden = false;
  box->RedrawAll(false);
  EXPECT_EQ(log, (std::vector<std::string>{"sunposen-", "grid", "hachi-", "hanipg-", "drafren+", "kiritori+"}));
  EXPECT_TRUE(box->RingHidden);
}

TEST_F(DispatchTest, APaintRedrawsTheGridAndTheRingWhenAsked) {
  std::vector<std::string> log;
  CommandRegistry().DrawGrid = [&](TcadBox&) { log.push_back("grid"); };
  CommandRegistry().ToggleRingCursor = [&](TcadBox&) { log.push_back("ring"); };
  box->Paint();
  EXPECT_EQ(log, std::vector<std::string>{"grid"});
  log.clear();
  box->RingRepaintFlag = true;
  box->Paint();
  EXPECT_EQ(log, (std::vector<std::string>{"ring", "grid"}));
  EXPECT_FALSE(box->RingRepaintFlag);
}

TEST_F(DispatchTest, LeavingErasesTheRubberLineOncePerStayOutside) {
  box->RedrawAll(false);
  box->ButonType = dtDraf;
  box->CommandStep = 1;
  box->Pencol = 3;  // green
  box->Pentyp = 1;
  box->FirstPoint = {100, 300};
  box->CurrentPoint = {500, 300};
  // The rubber line as the line command leaves it on the screen.
  TCanvas& c = canvas();
  c.Pen.Mode = pmXor;
  c.Pen.Color = 0x00FF00;
  box->DrawLine(1, c, 100, 300, 500, 300);
  c.Pen.Mode = pmCopy;
  ASSERT_EQ(PixelAt(300, 300), 0x00FF00u);

  int entered = 0;
  box->Sakuga_Click = [&](TcadBox&) { ++entered; };
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(box->Widget(), &leave);
  EXPECT_EQ(PixelAt(300, 300), clBlack);
  EXPECT_TRUE(box->LeaveErased);
  EXPECT_TRUE(box->RubberErased);
  EXPECT_EQ(box->CurrentPoint.x, 100);
  EXPECT_EQ(c.Pen.Mode, pmCopy);
  // A second leave without entering draws nothing back.
  box->CurrentPoint = {500, 300};
  QApplication::sendEvent(box->Widget(), &leave);
  EXPECT_EQ(PixelAt(300, 300), clBlack);

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(box->Widget(), &enter);
  EXPECT_EQ(entered, 1);
  EXPECT_FALSE(box->LeaveErased);
}

TEST_F(DispatchTest, LeavingErasesTheRangeFrameOnlyWhileItIsShown) {
  box->RedrawAll(false);
  box->Sentakucol = 0x0000FF;
  box->ButonType = dtHani;
  box->CommandStep = 1;
  box->RubberErased = true;  // nothing on the screen
  box->FirstPoint = {100, 100};
  box->CurrentPoint = {400, 300};
  box->MouseLeave();
  EXPECT_EQ(PixelAt(100, 200), clBlack) << "no frame was drawn";
  EXPECT_EQ(box->CurrentPoint.x, 100);
  EXPECT_EQ(box->CommandStep, 1);
}

}  // namespace
