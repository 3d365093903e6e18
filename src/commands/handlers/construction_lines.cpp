// Centre lines, and dividing lines between two lines by count or by pitch.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

void RegisterConstructionLineCommands() {
  RegisterFamily({.Name = "Sencyusin", .Modes = {dtSencyusin}});
  RegisterFamily({.Name = "Sencyusin2", .Modes = {dtSencyusin2}});
  RegisterFamily({.Name = "senbunkatu", .Modes = {dtsenbunkatu}, .Hooks = {.Cursor = CursorPair(36, 37)}});
  RegisterFamily(
      {.Name = "senbunkatupitch", .Modes = {dtsenbunkatupitch}, .Hooks = {.Cursor = CursorPair(36, 37)}});
}
