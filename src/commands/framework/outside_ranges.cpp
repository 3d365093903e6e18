// The outside ranges, the mirrored copy and move and the cut-out range.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"

namespace {
std::optional<int> CutOutCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
}  // namespace

void RegisterOutsideRangeCommands() {
  RegisterFamily({.Name = "CopyHanten", .Modes = {dtIdoHanten, dtCopyHanten}});
  RegisterFamily({.Name = "KiritoriHani",
                  .Modes = {dtKiritoriHani, dtKiritorisakuzyo},
                  .Hooks = {.Leave = EraseRangeFrameOnLeave, .Cursor = CutOutCursor}});
  RegisterFamily(
      {.Name = "HaniGai", .Modes = {dtHaniGai, dtHaniCopyGai}, .Hooks = {.Cursor = RangeVariantCursor}});
}

namespace {

std::optional<int> CutOutCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtKiritorisakuzyo) return RangeSelectCursor(mode, ringHan, cursorHan);
  return RangeVariantCursor(mode, ringHan, cursorHan);
}

}  // namespace
