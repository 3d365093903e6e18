// Rescaling the current writing group when the host changes its scale: the
// group's elements, fill regions and pictures grow by the factor, and the
// copy buffer follows; a running figure command brings its whole buffer to
// the new scale so that its next placement matches the rescaled drawing.

#include "canvas/cad_box.h"

void TcadBox::RescaleWriteGroup(double factor) {
  bool bufferDone = false;
  for (const RHandlerSet* owner : CommandRegistry().OwnersOf(ButonType)) {
    if (owner->Hooks.RescaleBuffer && owner->Hooks.RescaleBuffer(*this, factor)) {
      bufferDone = true;
      break;
    }
  }
  if (!bufferDone) Draw1->ScaleGroup(WriteGrupe_No, 0, factor);
  RefitBufferTextEnds();
  FirstPoint.x *= factor;
  FirstPoint.y *= factor;
}
