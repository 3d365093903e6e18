// Offset lines and circles, double lines and the offset pitch taken from
// the drawing.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

void RegisterOffsetCommands() {
  RegisterFamily({.Name = "Fukusen", .Modes = {dtFukusen}, .Hooks = {.Cursor = CursorPair(8, 18)}});
  RegisterFamily({.Name = "FukuSenTanbu", .Modes = {dtFukuSenTanbu}});
  RegisterFamily({.Name = "Fukuen", .Modes = {dtFukuen}});
  RegisterFamily({.Name = "wsen", .Modes = {dtwsen}});
  RegisterFamily({.Name = "Senkankaku", .Modes = {dtSenkankaku}});
}
