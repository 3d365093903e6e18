// Moving, resizing, deleting and reordering the pictures of the drawing.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterPictureCommands() {
  RegisterFamily({.Name = "pictureMove", .Modes = {dtpictureMove}});
  RegisterFamily({.Name = "pictureKakudai", .Modes = {dtpictureKakudai}});
  RegisterFamily({.Name = "pictureDel", .Modes = {dtpictureDel, dtpicturezen, dtpicturehai}});
}
