// Copy and move of the selection to picked places, the fitting range and
// the figure saved relative to a base point.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterCopyMoveCommands() {
  RegisterFamily({.Name = "CopyFree", .Modes = {dtCopyFree, dtIdoFree}});
  RegisterFamily({.Name = "TateguHani", .Modes = {dtTateguHani}});
  RegisterFamily({.Name = "ZukeiHozon", .Modes = {dtZukeiHozon}});
}
