// Dimension lines between two guide lines, dimension values by points and
// the change of a dimension's value.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

void RegisterDimensionCommands() {
  RegisterFamily({.Name = "sunposen", .Modes = {dtsunposen}, .Hooks = {.Cursor = CursorPair(30, 31)}});
  RegisterFamily({.Name = "Sunpochi", .Modes = {dtSunpochi}, .Hooks = {.Cursor = CursorPair(30, 31)}});
  // A paint while a value is being changed lists the drawing afresh.
  RegisterFamily({.Name = "SunpochiHen",
                  .Modes = {dtSunpochiHen},
                  .Hooks = {.Cursor = CursorPair(30, 31), .PaintRebuildsLists = true}});
}
