// What the families' rows add to the canvas's own operations while one of
// their modes runs: the preview erased when the cursor leaves, the fixed
// print frame in every paint, the lists rebuilt by a paint, the text
// panel told of a view change, the figure buffer rescaled whole.

#include <functional>

#include "support/command_harness.h"

namespace {

class ModeRows : public CommandHarness {
 protected:
  // Draws a preview in XOR, as its command leaves it on the screen.
  void ShowInXor(TColor colour, const std::function<void()>& draw) {
    TCanvas& canvas = Box().Canvas();
    canvas.Pen.Mode = pmXor;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Brush.Style = bsClear;
    canvas.Pen.Color = colour;
    draw();
    canvas.Pen.Mode = pmCopy;
  }
  // The colour at a drawing point or a pixel beside it (a turned side's
  // pixels may fall one off).
  bool ShownNear(double x, double y, TColor colour) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (Box().Canvas().GetPixel(PixelX(x) + dx, PixelY(y) + dy) == colour) return true;
      }
    }
    return false;
  }
};

TEST_F(ModeRows, LeavingErasesTheRunningCommandsPreviewOnce) {
  constexpr TColor kGreen = 0x00FF00, kMagenta = 0xFF00FF, kRed = 0x0000FF;  // the harness's Sentakucol is red
  TcadBox& box = Box();
  auto line = [&](std::uint8_t type) { return [&box, type] { box.DrawLine(type, box.Canvas(), 20, 40, 100, 40); }; };
  auto frame = [&] { box.DrawFrameRect(1, 0, 20, 40, 100, 80, 0); };
  struct Case {
    const char* what;
    Sbuttontype mode;
    std::uint8_t step;  // CommandStep, or B_Switch for the hatch rectangle
    bool shown;         // a preview is on the screen (RubberErased clear)
    TColor colour;
    std::function<void()> draw;
    bool erased;  // leaving takes it away
    double probeX, probeY;
  } cases[] = {
      {"line at its second point", dtDraf, 1, true, kGreen, line(1), true, 60, 40},
      {"stretch line in the picked line's look", dtSen, 1, true, kMagenta, line(1), true, 60, 40},
      // Corner (97.32, 84.64) along 30 degrees; the side's middle is probed.
      {"aligned rectangle", dtBoxSen, 1, true, kGreen, [&] { box.DrawAlignedRect(box.Canvas(), 20, 40, 100, 80, 30); },
       true, 58.66, 62.32},
      {"window range frame", dtHani, 1, true, kRed, frame, true, 60, 40},
      {"copy range frame", dtHaniCopy, 1, true, kRed, frame, true, 60, 40},
      {"outside-the-table range", dtHaniGaibu, 1, true, kRed, frame, true, 60, 40},
      {"stretch range keeps its frame", dtHaniParamet, 1, true, kRed, frame, false, 60, 40},
      {"polygon range keeps its frame", dtHanipg, 1, true, kRed, frame, false, 60, 40},
      {"crossing polygon range frame", dtHanipgc, 1, true, kRed, frame, true, 60, 40},
      {"cut-out range frame", dtKiritorisakuzyo, 1, true, kRed, frame, true, 60, 40},
      // As the command's move draws its rubber rectangle.
      {"hatch rectangle", dtHachi2ten, on1, true, kRed, [&] { box.DrawAlignedRect(box.Canvas(), 20, 40, 100, 80, 0); },
       true, 60, 40},
      // The sized box turned about its first corner; its bottom side's middle is probed.
      {"sized box", dtBoxsunpo, 0, true, kGreen, [&] { box.DrawRotatedRect(box.Canvas(), 20, 40, 100, 80, 30); }, true,
       54.64, 60},
      {"print frame preview", dtprintsen, 0, true, clAquaFrame, [&] { box.DrawFrameRect(1, 1, 20, 40, 100, 80, 30); },
       true, 58.66, 62.32},
      {"cut window", dtSenkotensetu, 0, true, kRed, [&] { box.DrawFrameRect(1, 0, 18, 38, 22, 42, 0); }, true, 18, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    box.RedrawAll(false);
    box.ButonType = c.mode;
    box.CommandStep = c.mode == dtHachi2ten ? 0 : c.step;
    box.B_Switch = c.mode == dtHachi2ten ? static_cast<_Bswitch>(c.step) : _off;
    box.Pencol = 3;  // green
    box.Pentyp = 1;
    box.PickedElement = Line(0, 0, 1, 1);
    box.PickedElement.ColorNo = 5;  // magenta
    box.CommandAngle = 20;          // the rectangle runs along both angles together
    box.AxisAngle = 10;
    box.PreviewP1 = {20, 40};
    box.PreviewP2 = {100, 80};
    box.PreviewAngle = 30;
    box.PrintFrame = {20, 40, 100, 80};
    box.FirstPoint = {20, 40};
    box.CurrentPoint = {100, 80};
    box.SecondPoint = {100, 80};
    box.ClickKind = 3;
    if (c.mode == dtDraf || c.mode == dtSen) box.CurrentPoint = {100, 40};
    ShowInXor(c.colour, c.draw);
    box.RubberErased = !c.shown;
    ASSERT_TRUE(ShownNear(c.probeX, c.probeY, c.colour));
    Enter();
    Leave();
    if (c.erased) {
      EXPECT_TRUE(box.RubberErased);
      ExpectScreenMatchesRedraw();
    } else {
      EXPECT_TRUE(ShownNear(c.probeX, c.probeY, c.colour));
    }
    EXPECT_EQ(box.Canvas().Pen.Mode, pmCopy);
  }
}

TEST_F(ModeRows, LeavingPutsTheRubberBandBackToItsStart) {
  TcadBox& box = Box();
  box.ButonType = dtHani;
  box.CommandStep = 1;
  box.RubberErased = true;  // no frame on the screen
  box.FirstPoint = {20, 40};
  box.CurrentPoint = {100, 80};
  Leave();
  EXPECT_EQ(box.CurrentPoint.x, 20);
  EXPECT_EQ(box.CommandStep, 1);
  ExpectScreenMatchesRedraw();  // nothing was drawn
  // A line at its first point has nothing to erase.
  Enter();
  box.ButonType = dtDraf;
  box.CommandStep = 0;
  box.CurrentPoint = {100, 80};
  Leave();
  EXPECT_EQ(box.CurrentPoint.x, 100);
  ExpectScreenMatchesRedraw();
}

TEST_F(ModeRows, AFixedPrintFrameIsPartOfEveryPaint) {
  TcadBox& box = Box();
  box.ButonType = dtprintsen;
  box.PrintFrame = {20, 20, 80, 60};
  box.PrintFrameAngle = 0;
  box.B_Switch = _off;
  box.RedrawAll(false);
  EXPECT_EQ(PixelAt(50, 20), clBlack) << "a frame still following the cursor is not the drawing's";
  box.B_Switch = on1;
  box.RedrawAll(false);
  EXPECT_EQ(PixelAt(50, 20), clAquaFrame);
  EXPECT_EQ(PixelAt(80, 40), clAquaFrame);
  // A paint of an invalidated area draws it again.
  box.Invalidate();
  box.Update();
  EXPECT_EQ(PixelAt(50, 20), clAquaFrame);
  ExpectScreenMatchesRedraw();
}

TEST_F(ModeRows, APaintWhileADimensionValueChangesListsTheDrawingAfresh) {
  TcadBox& box = Box();
  Seed({});
  // An element stored without being listed: only a rebuild of the lists finds it.
  RDrawElement line = Line(20, 40, 100, 40);
  line.ColorNo = 3;
  auto storeUnlisted = [&] {
    box.Draw1->Elements.push_back(line);
    box.Draw1->IncCount(0, 0, 1);
  };
  box.ButonType = dtNo;
  storeUnlisted();
  box.Invalidate();
  box.Update();
  EXPECT_EQ(PixelAt(60, 40), clBlack);
  box.ButonType = dtSunpochiHen;
  box.Invalidate();
  box.Update();
  EXPECT_EQ(PixelAt(60, 40), 0x00FF00u);
}

TEST_F(ModeRows, TheTextPanelIsToldOfAViewChangeDuringTheTextCommand) {
  auto pan = [&] {
    Press(60, 48, ssLeft);
    Press(60, 48, ssLeft | ssRight);
    MoveTo(61, 48);
    Release(61, 48, ssLeft);
    Release(61, 48, ssRight);
  };
  Box().ButonType = dtMozi;
  pan();
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame5+116"});
  Box().ButonType = dtNo;
  pan();
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(ModeRows, AFigureBeingPlacedIsRescaledWholeWithTheWritingGroup) {
  TcadBox& box = Box();
  box.WriteGrupe_No = 2;  // 1:30
  Store().Buffer.push_back(Line(0, 0, 1, 0, 2));
  Store().Buffer.push_back(Line(0, 0, 3, 0, 0));  // drawn at 1:100
  box.ButonType = dtCopyZukei;
  box.RescaleWriteGroup(2);
  for (double scale : box.BufferSourceScales) EXPECT_EQ(scale, 30);
  EXPECT_NEAR(Value(Store().Buffer[0].X2), 2, 1e-12);
  EXPECT_NEAR(Value(Store().Buffer[1].X2), 3 * 2 * 100.0 / 30.0, 1e-12);
}

}  // namespace
