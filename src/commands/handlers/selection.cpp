// Deleting elements, window and crossing range selections and the polygon
// range selection.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

namespace {
void EraseWindowRangeOnLeave(TcadBox& box);
void ErasePolygonRangeOnLeave(TcadBox& box);
std::optional<int> WindowRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
std::optional<int> PolygonRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
}  // namespace

void RegisterSelectionCommands() {
  RegisterFamily({.Name = "SenDel", .Modes = {dtSenDel}, .Hooks = {.Cursor = CursorPair(7, 17)}});
  RegisterFamily({.Name = "Hani",
                  .Modes = {dtHani, dtHaniCopy, dtHaniMove, dtHaniParamet, dtHaniGaibu},
                  .Hooks = {.Leave = EraseWindowRangeOnLeave, .Cursor = WindowRangeCursor}});
  RegisterFamily({.Name = "Hanipg",
                  .Modes = {dtHanipg, dtHanipgc, dthanipgm},
                  .Hooks = {.Leave = ErasePolygonRangeOnLeave, .Cursor = PolygonRangeCursor}});
}

namespace {

// Every window range but the stretch range erases its frame on leaving.
void EraseWindowRangeOnLeave(TcadBox& box) {
  if (box.ButonType != dtHaniParamet) EraseRangeFrameOnLeave(box);
}

// Of the polygon ranges, the crossing and the move variant erase their frame on leaving.
void ErasePolygonRangeOnLeave(TcadBox& box) {
  if (box.ButonType != dtHanipg) EraseRangeFrameOnLeave(box);
}

std::optional<int> WindowRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  switch (mode) {
    case dtHani:
    case dtHaniGaibu: return RangeSelectCursor(mode, ringHan, cursorHan);
    case dtHaniParamet: return ringHan == 0 ? 32 : 33;
    default: return RangeVariantCursor(mode, ringHan, cursorHan);
  }
}

std::optional<int> PolygonRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtHanipg) return RangeSelectCursor(mode, ringHan, cursorHan);
  return RangeVariantCursor(mode, ringHan, cursorHan);
}

}  // namespace
