// Site-area figures and the site-area table, floor figures and the
// floor-area table.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterSiteFloorCommands() {
  RegisterFamily({.Name = "Sikichi", .Modes = {dtSikichi, dtSikichi2, dtSikichi3}});
  RegisterFamily({.Name = "Sikichi4", .Modes = {dtSikichi4}});
  RegisterFamily({.Name = "Yuka", .Modes = {dtYuka}});
}
