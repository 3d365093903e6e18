// Chained dimensions of lines, circles and angles, and dimensions between
// elements.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

void RegisterChainedDimensionCommands() {
  RegisterFamily({.Name = "FukusenHaniSen", .Modes = {dtFukusenHaniSen}});
  RegisterFamily({.Name = "RenSunpo", .Modes = {dtRenSunpo}, .Hooks = {.Cursor = CursorPair(30, 31)}});
  RegisterFamily({.Name = "RenSunpokaku", .Modes = {dtRenSunpokaku}, .Hooks = {.Cursor = CursorPair(30, 31)}});
  RegisterFamily({.Name = "RenSunpoKei", .Modes = {dtRenSunpoKei}, .Hooks = {.Cursor = CursorPair(30, 31)}});
  RegisterFamily(
      {.Name = "RenSunpoCyusin", .Modes = {dtRenSunpoCyusin}, .Hooks = {.Cursor = CursorPair(36, 37)}});
  RegisterFamily({.Name = "RenSunpoCyusin2", .Modes = {dtRenSunpoCyusin2}});
}
