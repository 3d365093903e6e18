// Pasting the copy buffer (a saved figure, the stock figure or the host's)
// at clicked points, deformation points, and the figure fitted to picked
// lines.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

namespace {
bool RescaleFigureBuffer(TcadBox& box, double factor);
}  // namespace

void RegisterFigurePasteCommands() {
  RegisterFamily({.Name = "copyMenseki",
                  .Modes = {dtcopyMenseki, dtCopyTazuMen, dtCopyZukei},
                  .Hooks = {.RescaleBuffer = RescaleFigureBuffer}});
  RegisterFamily({.Name = "henkeizukei", .Modes = {dthenkeizukei}});
  RegisterFamily(
      {.Name = "CopyHenkeiZukei", .Modes = {dtCopyHenkeiZukei}, .Hooks = {.RescaleBuffer = RescaleFigureBuffer}});
  RegisterFamily({.Name = "CopyHenkeiZukei2", .Modes = {dtCopyHenkeiZukei2}});
}

namespace {

// The buffer's group and layer mode has no effect on its rescale.
constexpr std::uint8_t kRescaleKind = 0;

// The buffer holds a whole figure: all of it is brought to the writing
// group's new scale, not only its elements of that group.
bool RescaleFigureBuffer(TcadBox& box, double factor) {
  if (box.ButonType == dtCopyTazuMen) return false;
  const std::uint8_t group = box.WriteGrupe_No;
  box.BufferSourceScales.fill(box.GroupScales[group % kLayerGroups]);
  box.Draw1->ScaleGroup(group, 1, factor);
  box.Draw1->RescaleBuffer(group, kRescaleKind, box.GroupScales, box.BufferSourceScales);
  return true;
}

}  // namespace
