// Point elements at a free or snapped point.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterPointCommands() { RegisterFamily({.Name = "tenk", .Modes = {dttenk}}); }
