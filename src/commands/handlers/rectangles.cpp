// Rectangles: a rectangle element by two corners, four lines along the
// drawing angle, and the sized rectangle placed by one of its anchors.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

namespace {
void EraseAlignedRectOnLeave(TcadBox& box);
}  // namespace

void RegisterRectangleCommands() {
  RegisterFamily({.Name = "Box", .Modes = {dtBox}});
  RegisterFamily({.Name = "BoxSen",
                  .Modes = {dtBoxSen},
                  .Hooks = {.Leave = EraseAlignedRectOnLeave, .Cursor = CursorPair(20, 21)}});
  RegisterFamily({.Name = "Boxsunpo", .Modes = {dtBoxsunpo}, .Hooks = {.Cursor = CursorPair(20, 21)}});
}

namespace {

void EraseAlignedRectOnLeave(TcadBox& box) {
  if (box.CommandStep == 0) return;
  box.SetXorPen(PenColourOf(box, box.Pencol), true);
  box.DrawAlignedRect(box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y,
                      box.CommandAngle + box.AxisAngle);
  box.CurrentPoint = box.FirstPoint;
  box.RubberErased = true;
}

}  // namespace
