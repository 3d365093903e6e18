// Chains of three-point arcs, curves through clicked vertices and wave
// lines.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterCurveCommands() {
  RegisterFamily({.Name = "kyokusen3ten", .Modes = {dtkyokusen3ten}});
  RegisterFamily({.Name = "SupuLine", .Modes = {dtSupuLine}});
  RegisterFamily({.Name = "sinko", .Modes = {dtsinko}});
}
