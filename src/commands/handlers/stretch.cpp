// Stretching or trimming a line to a point or a boundary line.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

void RegisterStretchCommands() {
  RegisterFamily({.Name = "SenSinsyuku", .Modes = {dtSenSinsyuku}, .Hooks = {.Cursor = CursorPair(5, 15)}});
}
