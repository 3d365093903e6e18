// Rescaling the current writing group when the host changes its scale: the
// group's elements, fill regions and pictures grow by the factor, and the
// copy buffer of a running figure command follows so that its next
// placement matches the rescaled drawing.

#include "canvas/cad_box.h"

namespace {

// The buffer's group and layer mode has no effect on its rescale.
constexpr std::uint8_t kRescaleKind = 0;

}  // namespace

void TcadBox::RescaleWriteGroup(double factor) {
  Tdrawinp& store = *Draw1;
  switch (ButonType) {
    case dtcopyMenseki:
    case dtCopyZukei:
    case dtCopyHenkeiZukei:
      // The buffer holds a whole figure: it is brought to the writing group's scale.
      BufferSourceScales.fill(GroupScales[WriteGrupe_No % kLayerGroups]);
      store.ScaleGroup(WriteGrupe_No, 1, factor);
      store.RescaleBuffer(WriteGrupe_No, kRescaleKind, GroupScales, BufferSourceScales);
      break;
    default:
      store.ScaleGroup(WriteGrupe_No, 0, factor);
      break;
  }
  RefitBufferTextEnds();
  FirstPoint.x *= factor;
  FirstPoint.y *= factor;
}
