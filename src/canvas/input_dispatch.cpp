// The mouse reaches everyone who may want it, in one fixed order: the view
// gestures, the cross-hair and the step handlers of every command, then
// the host's events. Also the cancel-all that ends whatever runs, and the
// cursor entering and leaving the control.

#include "canvas/cad_box.h"
#include "canvas/command_registry.h"

namespace {

constexpr RPoint2D kNoLabel{-1000000.0, -1000000.0};

void RunSequence(const std::vector<RPointEntry>& sequence, TcadBox& box, TShiftState shift, double x, double y,
                 int fromRank = 0) {
  // A handler may register nothing but may switch modes; the sequence
  // itself does not change during an event.
  for (const RPointEntry& entry : sequence) {
    if (entry.Rank < fromRank) continue;
    entry.Handler(box, shift, x, y);
  }
}

}  // namespace

void TcadBox::MouseDown(TMouseButton button, TShiftState shift, int X, int Y) {
  TCustomControl::MouseDown(button, shift, X, Y);
  RPoint2D p;
  ScreenToWorld(X, Y, p);
  CtrlClick = shift == (ssCtrl | ssLeft) || shift == (ssCtrl | ssRight);
  PressPoint = p;
  ViewGestureDown(shift, p.x, p.y);
  LabelAnchor = p;
  RunSequence(CommandRegistry().DownSequence(), *this, shift, p.x, p.y);
  if (Mouse_dwn) Mouse_dwn(*this, button, shift, p.x, p.y);
}

void TcadBox::MouseMove(TShiftState shift, int X, int Y) {
  TCustomControl::MouseMove(shift, X, Y);
  RunHook(CommandRegistry().UpdateCommandCursor, *this);
  RPoint2D p;
  ScreenToWorld(X, Y, p);
  CursorWorldPos = p;
  ViewGestureMove(p.x, p.y);
  const std::vector<RPointEntry>& moves = CommandRegistry().MoveSequence();
  for (const RPointEntry& entry : moves) {
    if (entry.Rank == kRingCursorRank) entry.Handler(*this, shift, p.x, p.y);
  }
  if (ViewGestureState != 0) {
    LabelAnchor = kNoLabel;
  } else {
    RunSequence(moves, *this, shift, p.x, p.y, kRingCursorRank + 1);
  }
  if (Mouse_move) Mouse_move(*this, shift, p.x, p.y);
}

void TcadBox::MouseUp(TMouseButton button, TShiftState shift, int X, int Y) {
  TCustomControl::MouseUp(button, shift, X, Y);
  RPoint2D p;
  ScreenToWorld(X, Y, p);
  if (button == mbMiddle) {
    if (WheelMode == 0) {
      WheelMode = 1;
    } else if (WheelMode == 1) {
      WheelMode = 2;
    } else if (WheelMode == 2) {
      WheelMode = 0;
    }
  }
  if (Wheel_typ == 1) WheelMode = 0;
  RunSequence(CommandRegistry().UpSequence(), *this, shift, p.x, p.y);
  ViewGestureUp(shift, p.x, p.y);
  if (Mouse_up) Mouse_up(*this, button, shift, p.x, p.y);
  if (BanGo_Click) BanGo_Click(*this, ButonType, GenBan, X, Y);
  Mhan1 = 0;
}

void TcadBox::CancelCommands(bool keepMode) {
  for (const RPhaseEntry& entry : CommandRegistry().CancelSequence()) entry.Phase(*this);

  Draw1->ClearBuffer();
  Draw1->BufferTexts.clear();
  Draw1->ClearSpareListA();
  Draw1->ClearSpareListB();

  TwoButtonGesture = 0;
  CommandStep = 0;
  AssistStep = 0;
  RubberErased = true;
  B_Switch = _off;
  ViewGestureState = 0;
  ClickKind = 0;
  if (!keepMode) ButonType = dtNo;
  PendingGesture = dtNo;
  SavedMode = dtNo;
  FirstPoint = {0, 0};
  CurrentPoint = {0, 0};
  SecondPoint = {0, 0};
  for (std::size_t slot = 1; slot <= 5; ++slot) PickedIndex[slot] = -1;

  PrintSheetSize = {};
  PrintFrame = {};
  if (!hatchHozi) SenUrakesi = 0;
}

void TcadBox::MouseEnter() {
  MarkMouseInside();
  if (Sakuga_Click) Sakuga_Click(*this);
}

void TcadBox::MouseLeave() { EraseRubberBand(); }

void TcadBox::MarkMouseInside() { LeaveErased = false; }

// Erases the running command's preview once per stay outside the control,
// so a preview is not left behind where the cursor no longer is.
void TcadBox::EraseRubberBand() {
  if (LeaveErased) return;
  RunHook(CommandRegistry().EraseRingCursor, *this);
  LeaveErased = true;
  RingHidden = true;

  TCanvas& canvas = Canvas();
  auto xorPen = [&](TColor colour, bool penColour) {
    canvas.Pen.Mode = pmXor;
    canvas.Pen.Style = psSolid;
    canvas.Brush.Style = bsClear;
    canvas.Pen.Color = penColour ? PrepareXorColor(colour) : colour;
  };
  auto penColourOf = [&](std::uint8_t colourNo) { return ColourTable[colourNo < kColourTableSize ? colourNo : 0]; };

  switch (ButonType) {
    case dtDraf:
      if (CommandStep == 0) break;
      xorPen(penColourOf(Pencol), true);
      DrawLine(Pentyp, canvas, FirstPoint.x, FirstPoint.y, CurrentPoint.x, CurrentPoint.y);
      CurrentPoint = FirstPoint;
      RubberErased = true;
      break;
    case dtSen: {
      if (CommandStep == 0) break;
      const RDrawElement picked = PickedElement;
      xorPen(penColourOf(picked.ColorNo), true);
      DrawLine(picked.LineType, canvas, FirstPoint.x, FirstPoint.y, CurrentPoint.x, CurrentPoint.y);
      CurrentPoint = FirstPoint;
      RubberErased = true;
      break;
    }
    case dtBoxSen:
      if (CommandStep == 0) break;
      xorPen(penColourOf(Pencol), true);
      DrawAlignedRect(canvas, FirstPoint.x, FirstPoint.y, CurrentPoint.x, CurrentPoint.y, CommandAngle + AxisAngle);
      CurrentPoint = FirstPoint;
      RubberErased = true;
      break;
    case dtHani:
    case dtHanipgc:
    case dthanipgm:
    case dtHaniCopy:
    case dtHaniMove:
    case dtKiritoriHani:
    case dtKiritorisakuzyo:
    case dtHaniGaibu:
      if (CommandStep != 1) break;
      if (!RubberErased) {
        xorPen(Sentakucol, false);
        DrawFrameRect(1, 0, FirstPoint.x, FirstPoint.y, CurrentPoint.x, CurrentPoint.y, 0);
      }
      CurrentPoint = FirstPoint;
      RubberErased = true;
      break;
    case dtHachi2ten:
      if (RubberErased || B_Switch != on1) break;
      xorPen(Sentakucol, false);
      DrawRect(FirstPoint.x, FirstPoint.y, SecondPoint.x, SecondPoint.y);
      ClickKind = 0;
      RubberErased = true;
      break;
    case dtSenkotensetu: {
      const double d = 2 / Zoom;
      xorPen(Sentakucol, false);
      DrawRect(FirstPoint.x - d, FirstPoint.y - d, FirstPoint.x + d, FirstPoint.y + d);
      RubberErased = true;
      break;
    }
    default:
      break;
  }
  canvas.Pen.Mode = pmCopy;
}
