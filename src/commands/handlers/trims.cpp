// Corner trim and chamfer, the range drag, the middle cut and the split at
// intersections.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

namespace {
void EraseCutWindowOnLeave(TcadBox& box);
std::optional<int> RangeDragCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
}  // namespace

void RegisterTrimCommands() {
  RegisterFamily({.Name = "Draggu", .Modes = {dtDraggu}, .Hooks = {.Cursor = RangeDragCursor}});
  RegisterFamily({.Name = "treming", .Modes = {dttreming}, .Hooks = {.Cursor = CursorPair(6, 16)}});
  RegisterFamily({.Name = "Mentori", .Modes = {dtMentori, dtMentori2}, .Hooks = {.Cursor = CursorPair(28, 29)}});
  RegisterFamily({.Name = "Sennakanuki", .Modes = {dtSennakanuki}, .Hooks = {.Cursor = CursorPair(40, 41)}});
  RegisterFamily({.Name = "Senkotensetu", .Modes = {dtSenkotensetu}, .Hooks = {.Leave = EraseCutWindowOnLeave}});
}

namespace {

// The square cut window around the cursor.
void EraseCutWindowOnLeave(TcadBox& box) {
  const double d = 2 / box.Zoom;
  const RPoint2D& p = box.FirstPoint;
  box.SetXorPen(box.Sentakucol, false);
  box.DrawRect(p.x - d, p.y - d, p.x + d, p.y + d);
  box.RubberErased = true;
}

// With the ring cursor on, the range drag keeps the cursor as it is.
std::optional<int> RangeDragCursor(Sbuttontype, std::uint8_t ringHan, std::uint8_t&) {
  if (ringHan == 0) return 0;
  return std::nullopt;
}

}  // namespace
