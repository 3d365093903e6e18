#pragma once
// What the deformation points and the line-fitted paste keep between events
// and no other family reads, held in the control's slot for this family
// (TcadBox::FamilyState).

#include <cstdint>

#include "records/draw_records.h"

struct RFigureFitState {
  // How many deformation points were taken after the second.
  std::uint8_t DeformIndex = 0;
  // Copies of the first and second picked line (kind kKindNone: none).
  RDrawElement RefLine1 = NoLine();
  RDrawElement RefLine2 = NoLine();

  static RDrawElement NoLine() {
    RDrawElement e = ZeroElement();
    e.Kind = kKindNone;
    return e;
  }
};
