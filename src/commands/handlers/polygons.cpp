// Regular polygons of a set size at a point, or by centre and vertex.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterPolygonCommands() {
  RegisterFamily({.Name = "takakukeikotei", .Modes = {dttakakukeikotei}});
  RegisterFamily({.Name = "takakukeiFree", .Modes = {dttakakukeiFree}});
}
