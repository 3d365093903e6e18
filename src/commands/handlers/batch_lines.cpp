// Batch stretch and partial cut of the lines a fence crosses, and the fence
// selection handed to the host.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterBatchLineCommands() {
  RegisterFamily({.Name = "iikatusin", .Modes = {dtiikatusin}});
  RegisterFamily({.Name = "iikatuBubun", .Modes = {dtiikatuBubun}});
  RegisterFamily({.Name = "iikatufugo", .Modes = {dtiikatufugo}});
}
