// Puts the framework's families and the single hooks of the paint into the
// canvas's command registry.

#include "canvas/cad_box.h"
#include "canvas/command_registry.h"
#include "commands/framework/command_framework.h"

void RegisterCommandFramework() {
  RegisterCursorRingGridCommands();
  RegisterIdleCommands();
  RegisterPointAssistCommands();
  RegisterAnglePickCommands();
  RegisterAttributeCommands();
  RegisterOutsideRangeCommands();
  RegisterExternalPickCommands();

  TCommandRegistry& r = CommandRegistry();
  r.UpdateCommandCursor = [](TcadBox& box) { box.UpdateCommandCursor(); };
  r.ToggleRingCursor = [](TcadBox& box) { box.ToggleRingCursor(); };
  r.EraseRingCursor = [](TcadBox& box) { box.EraseRingCursor(); };
  r.DrawGrid = [](TcadBox& box) { box.DrawGrid(); };
  r.RedrawGridInRect = [](TcadBox& box, double x1, double y1, double x2, double y2) {
    box.RedrawGridInRect(x1, y1, x2, y2);
  };
  r.ExecuteDragGesture = [](TcadBox& box, TMouseButton, TShiftState, double x, double y) {
    box.ExecuteDragGesture(x, y);
  };
  RegisterGestureCaptionClearing();
  r.DeselectElement = [](TcadBox& box, std::int32_t index) { box.DeselectElement(index); };
}
