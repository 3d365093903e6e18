// The point assists: a gesture or a mode interrupts the running command,
// reads a midpoint, a point on a line, an intersection or a point on a
// circle, and hands it back to the interrupted command.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"

void RegisterPointAssistCommands() {
  RegisterFamily({.Name = "Nitenkan", .Modes = {dtNitenkan}});
  RegisterFamily({.Name = "SenZyouTen", .Modes = {dtSenZyouTen}});
  RegisterFamily({.Name = "EnZyouTen", .Modes = {dtEnZyouTen}});
  RegisterFamily({.Name = "Senzyouten2", .Modes = {dtSenzyouten2}});
  RegisterFamily({.Name = "hitsuru", .Modes = {dthitsuru}});
}
