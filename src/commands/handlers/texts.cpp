// Placing, moving and copying texts, numbering, cutting, deleting and
// joining them.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "platform/host_notifications.h"

namespace {
void TellTextPanelViewChanged(TcadBox& box);
}  // namespace

void RegisterTextCommands() {
  RegisterFamily({.Name = "Mozi",
                  .Modes = {dtMozi},
                  .Hooks = {.Cursor = CursorPair(9, 19), .AfterViewGesture = TellTextPanelViewChanged}});
  RegisterFamily({.Name = "MoziDel", .Modes = {dtMoziDel}, .Hooks = {.Cursor = CursorPair(38, 39)}});
  RegisterFamily({.Name = "nanbering", .Modes = {dtnanbering}});
  RegisterFamily({.Name = "RenKetuMozi", .Modes = {dtRenKetuMozi}});
}

namespace {

void TellTextPanelViewChanged(TcadBox&) { PostHostNotification("TFrame5", 116); }

}  // namespace
