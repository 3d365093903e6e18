// Hatch boundaries, area and coordinate measuring with the placing of its
// result, and angle measuring.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

namespace {
void EraseHatchRectOnLeave(TcadBox& box);
std::optional<int> HatchCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
}  // namespace

void RegisterAreaCommands() {
  RegisterFamily({.Name = "HachiTen", .Modes = {dtHachitenHen, dtHachiTen}, .Hooks = {.Cursor = HatchCursor}});
  RegisterFamily({.Name = "Hachi2ten",
                  .Modes = {dtHachitenHen, dtHachi2ten},
                  .Hooks = {.Leave = EraseHatchRectOnLeave, .Cursor = HatchCursor}});
  RegisterFamily({.Name = "SokuteiMen", .Modes = {dtSokuteiMen}});
  RegisterFamily({.Name = "SokuteiKeka", .Modes = {dtSokuteiKeka}, .Hooks = {.Leave = EraseHeldTextFrameOnLeave}});
  RegisterFamily({.Name = "KakudoSokutei", .Modes = {dtKakudoSokutei}});
}

namespace {

// The rubber rectangle of the second corner.
void EraseHatchRectOnLeave(TcadBox& box) {
  if (box.ButonType != dtHachi2ten || box.RubberErased || box.B_Switch != on1) return;
  box.SetXorPen(box.Sentakucol, false);
  box.DrawRect(box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y);
  box.ClickKind = 0;
  box.RubberErased = true;
}

// The base-point mode shared by both sets shows the plain cursor.
std::optional<int> HatchCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtHachitenHen) return DefaultCursor(ringHan);
  return CursorPair(34, 35)(mode, ringHan, cursorHan);
}

}  // namespace
