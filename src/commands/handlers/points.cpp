// Point elements at a free or snapped point.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"

namespace {
void tenkDown(TcadBox& box, TShiftState shift, double x, double y);
void tenkMove(TcadBox& box, TShiftState shift, double x, double y);
void tenkUp(TcadBox& box, TShiftState shift, double x, double y);
void tenkAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterPointCommands() {
  RegisterFamily({.Name = "tenk",
                  .Modes = {dttenk},
                  .Down = tenkDown,
                  .Move = tenkMove,
                  .Up = tenkUp,
                  .Assist = {.Slot = tenkAssistSlot},
                  .Gestures = {EnvelopeGesture()}});
}

namespace {

bool Runs(const TcadBox& box) { return box.ButonType == dttenk && box.ViewGestureState == 0; }

void tenkDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!Runs(box)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    box.FirstPoint = box.CurrentPoint = box.FreePoint(x, y);
    box.CommandStep = 1;
  } else if (box.ClickKind == 3) {
    // No marker: the point itself shows where it went.
    double sx = x, sy = y;
    if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
      box.ClickKind = 0;
      return;
    }
    box.FirstPoint = box.FreePoint(sx, sy);
    box.CurrentPoint = {x, y};
    box.CommandStep = 1;
  }
}

void tenkMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!Runs(box)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    // A drag drops the pending point.
    box.CommandStep = 0;
    box.ClickKind = 0;
    return;
  }
  box.SetGuidePrompt(J(kPointPromptShort));
}

void tenkUp(TcadBox& box, TShiftState, double, double) {
  if (!Runs(box) || box.CommandStep == 0 || box.ClickKind == 0) return;
  // The repaint of the point's square draws the new point.
  box.InvalidatePointArea(box.FirstPoint.x, box.FirstPoint.y);
  box.AddPointToStore(*box.Draw1, box.FirstPoint.x, box.FirstPoint.y);
  box.CommandStep = 0;
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The point is placed at once.
void tenkAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = &box.FirstPoint;
  slot.SetStep = 1;
}

}  // namespace
