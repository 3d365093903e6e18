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
  return {name, {mode}, down, move, up, note(".down"), note(".move"), note(".up")};
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
  const std::vector<std::string> want{"A.down", "B.down",     "C.down", "Mouse_dwn", "C.move",   "B.move",
                                      "A.move", "Mouse_move", "B.up",   "C.up",      "Mouse_up", "BanGo_Click"};
  EXPECT_EQ(log, want);
}

TEST_F(DispatchTest, AModeSwitchReachesTheLaterHandlersOfTheSameEventOnly) {
  std::vector<std::string> log;
  // Rank 9 switches dtsunposen to dtSunpochiHen; 13 then handles the same
  // press, while 5 (earlier) does not see the new mode until the next one.
  CommandRegistry().AddHandlerSet(NotingSet("early", 5, 0, 0, log, dtSunpochiHen));
  CommandRegistry().AddHandlerSet(NotingSet("late", 13, 0, 0, log, dtSunpochiHen));
  CommandRegistry().AddHandlerSet({"switch",
                                   {dtsunposen},
                                   9,
                                   0,
                                   0,
                                   [&](TcadBox& b, TShiftState, double, double) {
                                     if (b.ButonType != dtsunposen) return;
                                     log.push_back("switch.down");
                                     b.ButonType = dtSunpochiHen;
                                   },
                                   nullptr,
                                   nullptr});
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
  CommandRegistry().AddHandlerSet({"probe",
                                   {},
                                   4,
                                   0,
                                   0,
                                   [&](TcadBox&, TShiftState, double x, double y) {
                                     handler = {x, y};
                                   },
                                   nullptr,
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
  } cases[] = {{ssCtrl | ssLeft, true}, {ssCtrl | ssRight, true},   {ssCtrl | ssShift | ssLeft, false},
               {ssLeft, false},         {ssCtrl | ssMiddle, false}, {ssCtrl | ssLeft | ssDouble, false}};
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
      {"sets Mhan1", {}, 0, 0, 5, nullptr, nullptr, [](TcadBox& b, TShiftState, double, double) { b.Mhan1 = 10; }});
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

// A tool that notes when it is freed.
struct ProbeTool {
  explicit ProbeTool(int& freed) : freed_(freed) {}
  ~ProbeTool() { ++freed_; }
  int& freed_;
};

struct FamilyData {
  int kept = 0;
};

TEST_F(DispatchTest, CancelAllResetsTheFamiliesDataAfterTheStateAndFreesEveryToolSlot) {
  int freed = 0;
  box->Tool(ToolSlot::BuzaiObj).Emplace<ProbeTool>(freed);
  box->ToolSlots[13].Emplace<ProbeTool>(freed);
  box->FamilyState<FamilyData>().kept = 7;
  int stepSeen = -1;
  CommandRegistry().AddResetPhase("arcs", [&](TcadBox& b) { stepSeen = b.CommandStep; });
  box->CommandStep = 1;
  box->CancelCommands(true);
  EXPECT_EQ(stepSeen, 0) << "the families reset after the command state";
  EXPECT_EQ(freed, 2);
  for (const TOwnedObject& slot : box->ToolSlots) EXPECT_TRUE(slot.Empty());
  EXPECT_EQ(box->Tool(ToolSlot::BuzaiObj).Get<ProbeTool>(), nullptr);
  EXPECT_EQ(box->FamilyState<FamilyData>().kept, 7) << "a family's own state outlives a cancel";
  // A holder answers only for the type it holds.
  box->Tool(ToolSlot::HatchObj).Emplace<FamilyData>().kept = 3;
  EXPECT_EQ(box->Tool(ToolSlot::HatchObj).Get<ProbeTool>(), nullptr);
  EXPECT_EQ(box->Tool(ToolSlot::HatchObj).Get<FamilyData>()->kept, 3);
}

TEST_F(DispatchTest, TheReleaseRunsTheGestureExecutorBeforeTheUpHandlersOnlyOutsideAViewGesture) {
  std::vector<std::string> log;
  CommandRegistry().AddHandlerSet(NotingSet("cmd", 3, 3, 3, log, dtNo));
  CommandRegistry().ExecuteDragGesture = [&](TcadBox&, TMouseButton, TShiftState, double, double) {
    log.push_back("gesture");
  };
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  log.clear();
  Release(Qt::LeftButton, Qt::NoButton, {100, 100});
  EXPECT_EQ(log, (std::vector<std::string>{"gesture", "cmd.up"}));
  log.clear();
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {100, 100});
  ASSERT_NE(box->ViewGestureState, 0);
  log.clear();
  Release(Qt::LeftButton, Qt::RightButton, {100, 100});
  EXPECT_EQ(log, (std::vector<std::string>{"cmd.up"}));
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
  // Over a part of the control the canvas puts the cross-hair back itself.
  box->Update();
  log.clear();
  box->RingRepaintFlag = true;
  box->InvalidateRect(TRect{10, 10, 20, 20}, true);
  box->Update();
  EXPECT_EQ(log, std::vector<std::string>{"grid"});
  EXPECT_FALSE(box->RingRepaintFlag);
  log.clear();
  // The whole control erased keeps nothing drawn in XOR: the ring is drawn again.
  box->RingRepaintFlag = true;
  box->Invalidate();
  box->Update();
  EXPECT_EQ(log, (std::vector<std::string>{"ring", "grid"}));
  EXPECT_FALSE(box->RingRepaintFlag);
}

// A set whose mode erases a preview on leaving, as a command's row does.
RHandlerSet LeavingSet(const std::string& name, Sbuttontype mode, std::vector<std::string>& log) {
  RHandlerSet set{name, {mode}};
  set.Hooks.Leave = [name, &log](TcadBox& b) {
    log.push_back(name);
    b.Canvas().Pen.Mode = pmXor;  // the canvas puts the pen back
    b.RubberErased = true;
  };
  return set;
}

TEST_F(DispatchTest, LeavingRunsTheRowsOfTheRunningModeOncePerStayOutside) {
  std::vector<std::string> log;
  CommandRegistry().AddHandlerSet(LeavingSet("first owner", dtHachitenHen, log));
  CommandRegistry().AddHandlerSet(LeavingSet("second owner", dtHachitenHen, log));
  CommandRegistry().AddHandlerSet(LeavingSet("other", dtDraf, log));
  std::vector<std::string> ring;
  CommandRegistry().EraseRingCursor = [&](TcadBox&) { ring.push_back("erase"); };
  int entered = 0;
  box->Sakuga_Click = [&](TcadBox&) { ++entered; };
  box->ButonType = dtHachitenHen;
  box->RingHidden = false;

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(box->Widget(), &leave);
  EXPECT_EQ(log, (std::vector<std::string>{"first owner", "second owner"}));
  EXPECT_EQ(ring.size(), 1u);
  EXPECT_TRUE(box->LeaveErased);
  EXPECT_TRUE(box->RingHidden);
  EXPECT_EQ(canvas().Pen.Mode, pmCopy);
  // A second leave without entering erases nothing more.
  QApplication::sendEvent(box->Widget(), &leave);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(ring.size(), 1u);

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(box->Widget(), &enter);
  EXPECT_EQ(entered, 1);
  EXPECT_FALSE(box->LeaveErased);
  // A mode nobody owns has nothing to erase.
  box->ButonType = dtend;
  QApplication::sendEvent(box->Widget(), &leave);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(DispatchTest, TheRunningModesRowsAddToThePaintAndTheRescale) {
  std::vector<std::string> log;
  RHandlerSet set{"figure", {dtCopyZukei}};
  set.Hooks.PaintRebuildsLists = true;
  set.Hooks.RescaleBuffer = [&](TcadBox&, double factor) {
    log.push_back("buffer x" + std::to_string(static_cast<int>(factor)));
    return true;
  };
  CommandRegistry().AddHandlerSet(set);
  box->Draw1->Buffer.push_back(Line(0, 0, 1, 0));
  box->ButonType = dtCopyZukei;
  box->RescaleWriteGroup(2);
  EXPECT_EQ(Value(box->Draw1->Buffer[0].X2), 1) << "the row rescaled the buffer instead";
  EXPECT_EQ(log, (std::vector<std::string>{"buffer x2"}));

  // A paint in that mode rebuilds the lists: an element stored without
  // being listed shows.
  box->RedrawAll(false);
  box->Draw1->Elements.push_back(Line(300, 300, 600, 300));
  box->Draw1->IncCount(0, 0, 1);
  box->Invalidate();
  box->Update();
  EXPECT_EQ(PixelAt(450, 300), box->ColourTable[0]);
  box->ButonType = dtNo;
  box->RescaleWriteGroup(2);
  EXPECT_EQ(Value(box->Draw1->Buffer[0].X2), 2) << "without a row the buffer's group is rescaled";
}

}  // namespace
