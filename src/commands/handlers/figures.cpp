// Placing member-section figures, arrowheads and line symbols.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterFigureCommands() {
  RegisterFamily({.Name = "Buzaikotei", .Modes = {dtBuzaikotei, dtBuzaikotei2}});
  RegisterFamily({.Name = "Yazirusikotei", .Modes = {dtYazirusikotei}});
  RegisterFamily({.Name = "Senkigo1", .Modes = {dtSenkigo1}});
}
