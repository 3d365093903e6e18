// The external pick: a host panel takes a point, a line, a circle or a
// polyline from the drawing.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"

void RegisterExternalPickCommands() {
  RegisterFamily({.Name = "tenGaibu", .Modes = {dttenGaibu, dttenGaibuopt}});
}
