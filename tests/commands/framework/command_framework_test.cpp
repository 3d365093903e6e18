// The command framework registered into the canvas: the idle handlers, the
// shared command helpers, the cursor choice, the ring cursor, the grid and
// its base-point sub-mode, driven by synthetic mouse events.

#include "commands/framework/command_framework.h"

#include <cmath>
#include <set>

#include "../../canvas/dispatch_fixture.h"
#include "commands/framework/command_family.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

class FrameworkTest : public DispatchTest {
 protected:
  void SetUp() override {
    DispatchTest::SetUp();
    RegisterCommandFramework();
  }
};

std::vector<std::string> NamesOf(const std::vector<RPointEntry>& sequence) {
  std::vector<std::string> names;
  for (const RPointEntry& e : sequence) names.push_back(e.Name);
  return names;
}

TEST_F(FrameworkTest, RegistersItsSetsInTheirRowsOnce) {
  RegisterCommandFramework();  // a second call changes nothing
  const TCommandRegistry& r = CommandRegistry();
  EXPECT_EQ(NamesOf(r.DownSequence()),
            (std::vector<std::string>{"RingCursor", "No", "CopyHanten", "zokusei", "ZokuseiRenHen", "kakudo",
                                      "KiritoriHani", "HaniGai", "Nitenkan", "SenZyouTen", "EnZyouTen", "tenGaibu",
                                      "Senzyouten2", "GridkizyunTen", "hitsuru"}));
  EXPECT_EQ(NamesOf(r.MoveSequence()),
            (std::vector<std::string>{"RingCursor", "No", "CopyHanten", "zokusei", "ZokuseiRenHen", "kakudo",
                                      "KiritoriHani", "HaniGai", "EnZyouTen", "tenGaibu", "GridkizyunTen"}));
  // The grey gesture caption leaves at the range drag's place, after the
  // assists that hand a point back.
  EXPECT_EQ(NamesOf(r.UpSequence()),
            (std::vector<std::string>{"RingCursor", "hitsuru", "Senzyouten2", "GestureCaption", "CopyHanten", "zokusei",
                                      "ZokuseiRenHen", "kakudo", "KiritoriHani", "HaniGai", "Nitenkan", "SenZyouTen",
                                      "EnZyouTen", "tenGaibu", "GridkizyunTen"}));
  EXPECT_EQ(r.UpSequence()[3].Rank, 4);
  EXPECT_EQ(r.DownSequence()[13].Rank, 93);
  EXPECT_EQ(r.MoveSequence()[10].Rank, 92);
  ASSERT_EQ(r.CancelSequence().size(), 3u);
  EXPECT_EQ(r.CancelSequence()[0].Name, "RefreshRingCursor");
  EXPECT_EQ(r.CancelSequence()[0].Rank, 2);
  EXPECT_EQ(r.CancelSequence()[1].Name, "KiritoriHaniCancel");
  EXPECT_EQ(r.CancelSequence()[2].Name, "tenGaibuCancel");
  EXPECT_TRUE(r.UpdateCommandCursor && r.ToggleRingCursor && r.EraseRingCursor && r.DrawGrid && r.RedrawGridInRect &&
              r.ExecuteDragGesture);
}

TEST(DispatchOrder, NoTwoSetsShareARankInAColumn) {
  // Equal ranks would leave the order of two sets to chance; 0 means "not
  // in this column".
  for (int column = 0; column < 3; ++column) {
    SCOPED_TRACE(column);
    std::set<int> seen;
    for (const RDispatchRank& row : DispatchOrder()) {
      const int rank = column == 0 ? row.Down : column == 1 ? row.Move : row.Up;
      if (rank == 0) continue;
      EXPECT_TRUE(seen.insert(rank).second) << row.Name << " shares rank " << rank;
    }
  }
}

TEST_F(FrameworkTest, TheIdleStateShowsItsPromptAndDropsClicks) {
  // The program's thresholds: no drag of this test makes a gesture.
  box->DridoL1 = 5000;
  box->DridoL2 = 4000;
  const std::string prompt = "  " + J("コマンド指示");
  Move(Qt::NoButton, {100, 100});
  EXPECT_EQ(box->Hint(), prompt);
  box->SetHint("");
  box->ButonType = dtkakutei;
  box->ClickKind = 3;
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  EXPECT_EQ(box->ClickKind, 0);
  Move(Qt::LeftButton, {101, 100});
  EXPECT_EQ(box->Hint(), prompt);
  Release(Qt::LeftButton, Qt::NoButton, {101, 100});
  // A running command keeps its click kind and shows no idle prompt.
  box->SetHint("");
  box->ButonType = dtDraf;
  box->ClickKind = 3;
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  Move(Qt::LeftButton, {101, 100});
  EXPECT_EQ(box->ClickKind, 3);
  EXPECT_EQ(box->Hint(), "");
  Release(Qt::LeftButton, Qt::NoButton, {101, 100});
  // While both buttons navigate, the idle prompt is not set.
  box->ButonType = dtNo;
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {100, 100});
  box->SetHint("");
  Move(Qt::LeftButton | Qt::RightButton, {300, 300});
  EXPECT_EQ(box->Hint(), "");
}

TEST_F(FrameworkTest, PointOffsetAppliesWithTheSettingOrACtrlClickTurnedByTheAngle) {
  struct Case {
    bool ofsetRen, ctrlClick;
    double angle, wantX, wantY;
  } cases[] = {
      {false, false, 30, 0, 0},  {true, false, 0, 3, 4},    {true, false, 1e-5, 3, 4}, {false, true, 90, -4, 3},
      {true, false, -90, 4, -3}, {true, false, 450, -4, 3}, {true, true, 180, -3, -4},
  };
  for (const Case& c : cases) {
    box->OfsetRen = c.ofsetRen;
    box->CtrlClick = c.ctrlClick;
    RPoint2D offset{99, 99};
    box->GetPointOffset(offset, c.angle, 3, 4);
    EXPECT_NEAR(offset.x, c.wantX, 1e-9) << c.angle;
    EXPECT_NEAR(offset.y, c.wantY, 1e-9) << c.angle;
  }
}

TEST_F(FrameworkTest, AFreePointCarriesTheOffsetInDrawingUnitsOfTheWritingGroup) {
  box->OfsetRen = true;
  box->PointOffset = {1000, 500};  // real millimetres; group 0 is at 1:100
  box->AxisAngle = 90;             // (10, 5) turned a quarter: (-5, 10)
  const RPoint2D p = box->FreePoint(1, 2);
  EXPECT_NEAR(p.x, -4, 1e-9);
  EXPECT_NEAR(p.y, 12, 1e-9);
  box->OfsetRen = false;
  box->CtrlClick = false;
  EXPECT_EQ(box->FreePoint(1, 2).x, 1);
}

TEST_F(FrameworkTest, ClickKindsByTheShiftStateAndTheCommandsRule) {
  using R = TcadBox::ClickRule;
  struct Case {
    R rule;
    TShiftState shift;
    std::uint8_t kind;  // 5: the previous kind stays
  } cases[] = {
      {R::Standard, 8, 2},           {R::Standard, 16, 3},          {R::Standard, 9, 2},
      {R::Standard, 17, 3},          {R::Standard, 12, 2},          {R::Standard, 20, 3},
      {R::Standard, 13, 5},          {R::Standard, 10, 5},          {R::Standard, 32, 5},
      {R::Standard, 0, 5},           {R::Standard, 24, 5},          {R::ShiftApart, 9, 6},
      {R::ShiftApart, 17, 7},        {R::ShiftApart, 12, 2},        {R::ShiftApart, 20, 3},
      {R::ShiftAndCtrlApart, 12, 8}, {R::ShiftAndCtrlApart, 20, 9}, {R::ShiftAndCtrlApart, 9, 6},
      {R::ShiftAndCtrlApart, 8, 2},
  };
  for (const Case& c : cases) {
    box->ClickKind = 5;
    EXPECT_EQ(box->SetClickKindFrom(c.shift, c.rule), c.kind != 5) << int(c.shift);
    EXPECT_EQ(box->ClickKind, c.kind) << int(c.shift) << " rule " << int(c.rule);
  }
}

TEST(MoveRule, OnlyMovesWithoutAButtonShowTheRubberBand) {
  struct Case {
    TShiftState shift;
    bool shows;
  } cases[] = {{0, true},       {ssShift, true},  {ssCtrl, true},    {ssShift | ssCtrl, false}, {ssAlt, false},
               {ssLeft, false}, {ssRight, false}, {ssMiddle, false}, {ssCtrl | ssLeft, false}};
  for (const Case& c : cases) EXPECT_EQ(NoMouseButtonHeld(c.shift), c.shows) << int(c.shift);
}

TEST_F(FrameworkTest, TheRubberBandErasesItsLastPositionAsItMoves) {
  box->RedrawAll(false);  // leaves RubberErased set
  RPoint2D end{500, 300};
  auto draw = [&] { box->DrawLine(1, canvas(), 100, 300, end.x, end.y); };
  box->MoveRubberBand(0x00FF00, true, 1, draw, [&] { end = {500, 300}; });
  EXPECT_EQ(PixelAt(300, 300), 0x00FF00u);
  EXPECT_FALSE(box->RubberErased);
  box->MoveRubberBand(0x00FF00, true, 1, draw, [&] { end = {100, 500}; });
  EXPECT_EQ(PixelAt(300, 300), clBlack);
  EXPECT_EQ(PixelAt(100, 400), 0x00FF00u);
  EXPECT_EQ(canvas().Pen.Mode, pmCopy);
  box->EraseOwnRubberBand(0x00FF00, true, 1, draw);
  EXPECT_EQ(PixelAt(100, 400), clBlack);
  EXPECT_TRUE(box->RubberErased);
  box->EraseOwnRubberBand(0x00FF00, true, 1, draw);  // nothing is on the screen: nothing is drawn
  EXPECT_EQ(PixelAt(100, 400), clBlack);
}

// The ring's horizontal line runs near the cursor's row, its vertical line
// near the cursor's column (0.14 screen millimetres off: within a pixel).
bool RingRowAt(TcadBox& box, int column, int row, TColor colour) {
  return box.Canvas().GetPixel(column, row) == colour || box.Canvas().GetPixel(column, row - 1) == colour;
}

TEST_F(FrameworkTest, NoRingOutsideTheRingModesWhenRingHanIsOne) {
  box->RedrawAll(false);
  box->RingHan = 1;
  box->Ringcol = 0x0000FF;
  box->ButonType = dtDraf;
  Move(Qt::NoButton, {200, 200});
  Move(Qt::NoButton, {300, 250});
  EXPECT_TRUE(box->RingHidden);
  EXPECT_FALSE(RingRowAt(*box, 50, 250, 0x0000FF));
  // Any other RingHan shows it in every mode.
  box->RingHan = 2;
  Move(Qt::NoButton, {300, 250});
  Move(Qt::NoButton, {310, 260});
  EXPECT_TRUE(RingRowAt(*box, 50, 260, 0x0000FF));
}

TEST_F(FrameworkTest, AFullRedrawForgetsTheRingAndHidingItTwiceDrawsNothing) {
  box->RedrawAll(false);
  box->RingHan = 1;
  box->Ringcol = 0x0000FF;
  box->ButonType = dtHani;
  Move(Qt::NoButton, {200, 200});
  Move(Qt::NoButton, {300, 250});
  box->HideRingCursor(0);
  EXPECT_FALSE(RingRowAt(*box, 50, 250, 0x0000FF));
  box->HideRingCursor(0);
  EXPECT_FALSE(RingRowAt(*box, 50, 250, 0x0000FF));
  Move(Qt::NoButton, {320, 150});
  EXPECT_TRUE(RingRowAt(*box, 50, 150, 0x0000FF));
  box->RedrawAll(false);
  EXPECT_TRUE(box->RingHidden);
  Move(Qt::NoButton, {300, 250});
  EXPECT_TRUE(RingRowAt(*box, 50, 250, 0x0000FF));
  EXPECT_FALSE(RingRowAt(*box, 50, 150, 0x0000FF)) << "nothing old to erase on the fresh picture";
}

TEST_F(FrameworkTest, TheGridIsDrawnUnderTheDrawingByItsLineClasses) {
  box->Gridview = 2;  // pitch 100 paper millimetres in halves
  box->GridType = true;
  box->GridPitches = {100, 100};
  box->Gridcolor1 = 0x00FF00;
  box->Gridcolor2 = 0xFF0000;
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(200, 425), 0x00FF00u);  // on the pitch
  EXPECT_EQ(PixelAt(250, 425), 0xFF0000u);  // a subdivision
  EXPECT_EQ(PixelAt(225, 425), clBlack);
  box->Gridview = 0;
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(200, 425), clBlack);
}

TEST_F(FrameworkTest, ARepaintedRectangleGetsItsGridLinesBack) {
  box->Gridview = 1;
  box->GridType = true;
  box->GridPitches = {100, 100};
  box->Gridcolor1 = 0x00FF00;
  box->RedrawAll(false);
  ASSERT_EQ(PixelAt(200, 425), 0x00FF00u);
  // Wipe a patch, then repaint the rectangle around it.
  canvas().Brush.Color = clBlack;
  canvas().Brush.Style = bsSolid;
  canvas().FillRect(
      TRect{box->WorldToScreenX(180), box->WorldToScreenY(440), box->WorldToScreenX(220), box->WorldToScreenY(410)});
  ASSERT_EQ(PixelAt(200, 425), clBlack);
  box->RepaintRect(180, 410, 220, 440);
  EXPECT_EQ(PixelAt(200, 425), 0x00FF00u);
  EXPECT_EQ(canvas().Pen.Mode, pmCopy);
}

// Through the command harness: a seeded line, clicks in the idle state
// change nothing, then the grid base sub-mode takes the line's end by a
// right click and hands back to the interrupted mode.
class GridBaseTest : public CommandHarness {};

TEST_F(GridBaseTest, TheGridBaseSubModeMovesTheBaseAndReturns) {
  const RDrawElement line = Line(20, 30, 60, 50);
  Seed({line});
  Click(40, 40);
  Click(70, 70, ssRight);
  ExpectElements({line});
  EXPECT_TRUE(UndoLog().empty());
  EXPECT_EQ(Hint(), "  " + J("コマンド指示"));
  EXPECT_EQ(BanGoCalls, (std::vector<RBanGoCall>{{dtNo, 0}, {dtNo, 0}}));

  Box().Gridview = 1;
  Box().GridType = true;
  Box().GridPitches = {100, 100};
  RedrawAsTheHostDoes();
  Box().ButonType = dtGridkizyunTen;
  Box().SavedMode = dtHani;
  MoveTo(61, 49);
  EXPECT_EQ(Hint(), "  " + J("グリッド基準点位置変更　対象点指示  [左クリック（自由）：右クリック（点読取り）]"));
  Click(61, 49, ssRight);  // snaps to the line's end
  EXPECT_EQ(Box().GridBase.x, 60);
  EXPECT_EQ(Box().GridBase.y, 50);
  EXPECT_EQ(Box().ButonType, dtHani);
  EXPECT_EQ(Box().ClickKind, 0);
  ExpectElements({line});
  ExpectScreenMatchesRedraw();

  // A free click with the point offset of a Ctrl press, in real units of
  // the writing group (1:100): 100 real millimetres are 1 drawing unit.
  Box().ButonType = dtGridkizyunTen;
  Box().PointOffset = {100, -200};
  Click(10, 10, ssCtrl | ssLeft);
  EXPECT_DOUBLE_EQ(Box().GridBase.x, 11);
  EXPECT_DOUBLE_EQ(Box().GridBase.y, 8);
  ExpectScreenMatchesRedraw();

  // Without a grid the sub-mode ignores every click.
  Box().Gridview = 0;
  RedrawAsTheHostDoes();
  Box().ButonType = dtGridkizyunTen;
  Click(30, 30);
  EXPECT_DOUBLE_EQ(Box().GridBase.x, 11);
  EXPECT_EQ(Box().ButonType, dtGridkizyunTen);
  ExpectScreenMatchesRedraw();
}

// Both buttons held: the grid gives way after every twentieth line, so
// nineteen lines are drawn and the twentieth never.
TEST_F(GridBaseTest, BothButtonsHeldStopTheGridAtItsTwentiethLine) {
  TcadBox& box = Box();
  box.Gridview = 1;
  box.GridType = true;
  box.GridPitches = {5, 5};
  box.Gridcolor1 = 0x00FF00;
  box.Gridcolor2 = 0x00FF00;
  Input().Hold(PolledKey::LeftButton);
  Input().Hold(PolledKey::RightButton);
  box.Canvas().Brush.Color = clBlack;
  box.Canvas().Brush.Style = bsSolid;
  box.Canvas().FillRect(TRect{0, 0, box.Width(), box.Height()});
  box.DrawGrid();
  const std::vector<RDrawElement>& lines = box.GridObj.Lines;
  ASSERT_GE(lines.size(), 21u);
  // Each line is tested at a point of its own: a third of the way along,
  // which no line across it passes through at a pitch of 5.
  for (std::size_t i = 0; i < 21; ++i) {
    const RDrawElement& e = lines[i];
    const double x = e.X1 + (e.X2 - e.X1) / 3, y = e.Y1 + (e.Y2 - e.Y1) / 3;
    const bool drawn = box.Canvas().GetPixel(PixelX(x), PixelY(y)) == 0x00FF00u;
    EXPECT_EQ(drawn, i < 19) << "line " << i << " through (" << x << ", " << y << ")";
  }
  Input().Hold(PolledKey::LeftButton, false);
  Input().Hold(PolledKey::RightButton, false);
}

TEST(GridAngle, ALineAngleIsReducedIntoAQuarterTurn) {
  struct Case {
    double line, grid;
  } cases[] = {{0, 0}, {45, 45}, {90, 0}, {135, 45}, {200, 20}, {300, 30}, {359.5, 89.5}, {360, 0}, {400, 0}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(GridAngleOfLine(c.line), c.grid) << c.line;
}

// The ring through the command harness, at drawing coordinates: pixel
// (200, 200) of the control is (40, 56), (300, 250) is (60, 46) and
// (320, 150) is (64, 66).
class RingCursorTest : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Box().RingHan = 1;
    Box().Ringcol = 0x0000FF;
    Box().ButonType = dtHani;
  }
  bool RingAt(int column, double y) { return RingRowAt(Box(), column, PixelY(y), 0x0000FF); }
};

TEST_F(RingCursorTest, TheRingFollowsTheMouseInItsModesAndLeavesWithIt) {
  MoveTo(40, 56);  // the first move only notes the place
  EXPECT_TRUE(Box().RingHidden);
  EXPECT_FALSE(RingAt(50, 56));
  MoveTo(60, 46);
  EXPECT_FALSE(Box().RingHidden);
  EXPECT_TRUE(RingAt(50, 46));
  EXPECT_TRUE(RingAt(600, 46));
  EXPECT_FALSE(RingAt(50, 56));
  MoveTo(64, 66);
  EXPECT_FALSE(RingAt(50, 46)) << "the old ring is erased";
  EXPECT_TRUE(RingAt(50, 66));
  Leave();
  EXPECT_FALSE(RingAt(50, 66));
  EXPECT_TRUE(Box().RingHidden);
  EXPECT_LT(Box().RingPos.x, -49000);
  ExpectScreenMatchesRedraw();
}

TEST_F(RingCursorTest, CancelAllAdaptsTheRingToTheModeBeforeTheReset) {
  MoveTo(40, 56);
  MoveTo(60, 46);
  ASSERT_TRUE(RingAt(50, 46));
  CancelCommands();
  EXPECT_FALSE(RingAt(50, 46));
  EXPECT_EQ(Box().ButonType, dtNo);
  ExpectScreenMatchesRedraw();
}

}  // namespace
