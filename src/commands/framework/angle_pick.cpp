// The angle pick: the drawing angle of the running command read from a
// line, an arc's end or two points.

#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"

void RegisterAnglePickCommands() { RegisterFamily({.Name = "kakudo", .Modes = {dtkakudo}}); }
