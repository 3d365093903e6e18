// Two-point lines, the stretch command's new line end and the continuous
// line.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

namespace {
void EraseDrafLineOnLeave(TcadBox& box);
void EraseSenLineOnLeave(TcadBox& box);
std::optional<int> DrafRenCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
}  // namespace

void RegisterLineCommands() {
  RegisterFamily({.Name = "Draf", .Modes = {dtDraf}, .Hooks = {.Leave = EraseDrafLineOnLeave}});
  RegisterFamily({.Name = "DrafRen", .Modes = {dtDrafRen}, .Hooks = {.Cursor = DrafRenCursor}});
  RegisterFamily({.Name = "Sen", .Modes = {dtSen}, .Hooks = {.Leave = EraseSenLineOnLeave}});
}

namespace {

// The rubber line from the first point to the cursor, drawn once more.
void EraseRubberLine(TcadBox& box, std::uint8_t colourNo, std::uint8_t lineType) {
  if (box.CommandStep == 0) return;
  box.SetXorPen(PenColourOf(box, colourNo), true);
  box.DrawLine(lineType, box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
  box.CurrentPoint = box.FirstPoint;
  box.RubberErased = true;
}

void EraseDrafLineOnLeave(TcadBox& box) { EraseRubberLine(box, box.Pencol, box.Pentyp); }

// The stretch command's new line shows in the picked line's colour and type.
void EraseSenLineOnLeave(TcadBox& box) {
  EraseRubberLine(box, box.PickedElement.ColorNo, box.PickedElement.LineType);
}

// The host's cursor variant 10 or 5 chooses between two cursors; any other
// keeps the cursor.
std::optional<int> DrafRenCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (cursorHan == 10) return CursorPair(20, 21)(mode, ringHan, cursorHan);
  if (cursorHan == 5) return CursorPair(26, 27)(mode, ringHan, cursorHan);
  return std::nullopt;
}

}  // namespace
