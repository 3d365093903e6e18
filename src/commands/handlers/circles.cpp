// Circles and arcs: free, fixed-radius, through three points, inscribed
// and tangent to three elements.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

void RegisterCircleCommands() {
  RegisterFamily({.Name = "EnFree", .Modes = {dtEnFree}, .Hooks = {.Cursor = CursorPair(22, 23)}});
  RegisterFamily({.Name = "Enko", .Modes = {dtEnko}, .Hooks = {.Cursor = CursorPair(22, 23)}});
  RegisterFamily({.Name = "EnkoKotei", .Modes = {dtEnkoKotei}, .Hooks = {.Cursor = CursorPair(22, 23)}});
  RegisterFamily({.Name = "EnKotei", .Modes = {dtEnKotei}, .Hooks = {.Cursor = CursorPair(22, 23)}});
  RegisterFamily({.Name = "hanEn", .Modes = {dthanEn}});
  RegisterFamily({.Name = "En3ten", .Modes = {dtEn3ten}, .Hooks = {.Cursor = CursorPair(22, 23)}});
  RegisterFamily({.Name = "EnSeSen3ten", .Modes = {dtEnSeSen3ten}});
  RegisterFamily({.Name = "EnSeSen3tenN", .Modes = {dtEnSeSen3tenN}});
  RegisterFamily({.Name = "EnSeSen3sen", .Modes = {dtEnSeSen3sen}});
}
