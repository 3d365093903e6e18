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
  // The gesture chosen by the drag may switch the mode the up handlers see.
  if (ViewGestureState == 0) {
    if (const TReleaseHook& executor = CommandRegistry().ExecuteDragGesture) executor(*this, button, shift, p.x, p.y);
  }
  RunSequence(CommandRegistry().UpSequence(), *this, shift, p.x, p.y);
  ViewGestureUp(shift, p.x, p.y);
  if (Mouse_up) Mouse_up(*this, button, shift, p.x, p.y);
  if (BanGo_Click) BanGo_Click(*this, ButonType, GenBan, X, Y);
  Mhan1 = 0;
}

void TcadBox::CancelCommands(bool keepMode) {
  const TCommandRegistry& registry = CommandRegistry();
  for (const RPhaseEntry& entry : registry.CancelSequence()) entry.Phase(*this);
  // The picked elements lose their highlight; the slots in this order.
  if (registry.DeselectElement) {
    for (const std::size_t slot : {1u, 2u, 4u, 3u, 5u}) registry.DeselectElement(*this, PickedIndex[slot]);
  }

  Draw1->ClearBuffer();
  Draw1->BufferTexts.clear();
  Draw1->ClearSpareListA();
  Draw1->ClearSpareListB();

  TwoButtonGesture = 0;
  CommandStep = 0;
  AssistStep = 0;
  // A cancelled assist lends no point to the next one.
  AssistRead = false;
  AssistClickKind = 0;
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
  PreviewLastIndex = 0;
  JoinSide = 0;
  CutRange = {};

  PrintSheetSize = {};
  PrintFrame = {};
  if (!hatchHozi) SenUrakesi = 0;
  for (const RPhaseEntry& entry : registry.ResetSequence()) entry.Phase(*this);

  // The kept hatch boundary outlives the cancel while the hatch is held.
  for (TOwnedObject& slot : ToolSlots) {
    if (hatchHozi && &slot == &Tool(ToolSlot::HatchObj)) continue;
    slot.Free();
  }
}

void TcadBox::MouseEnter() {
  MarkMouseInside();
  if (Sakuga_Click) Sakuga_Click(*this);
}

void TcadBox::MouseLeave() { EraseRubberBand(); }

void TcadBox::MarkMouseInside() { LeaveErased = false; }

// Erases the running command's preview once per stay outside the control,
// so a preview is not left behind where the cursor no longer is. What the
// preview is, each command's own row says.
void TcadBox::EraseRubberBand() {
  if (LeaveErased) return;
  RunHook(CommandRegistry().EraseRingCursor, *this);
  LeaveErased = true;
  RingHidden = true;
  for (const RHandlerSet* owner : CommandRegistry().OwnersOf(ButonType)) RunHook(owner->Hooks.Leave, *this);
  Canvas().Pen.Mode = pmCopy;
}

void TcadBox::SetXorPen(TColor colour, bool penColour) {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Brush.Style = bsClear;
  canvas.Pen.Color = penColour ? PrepareXorColor(colour) : colour;
}
