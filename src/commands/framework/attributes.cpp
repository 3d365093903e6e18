// The attribute commands: reading an element's attributes, a text's string
// or the axis angle, and changing an element's attributes.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"

namespace {
std::optional<int> AxisAngleCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
}  // namespace

void RegisterAttributeCommands() {
  RegisterFamily({.Name = "zokusei",
                  .Modes = {dtzokusei, dtMoziyomu, dtZokuseiHen, dtzikukaku},
                  .Hooks = {.Cursor = AxisAngleCursor}});
  RegisterFamily({.Name = "ZokuseiRenHen", .Modes = {dtZokuseiRenHen}});
}

namespace {

// The axis-angle reader shows the copying ranges' cursors while the ring
// cursor is on.
std::optional<int> AxisAngleCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtzikukaku && ringHan != 0) return RangeVariantCursor(mode, ringHan, cursorHan);
  return DefaultCursor(ringHan);
}

}  // namespace
