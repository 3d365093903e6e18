#pragma once
// The characteristic points of a circle or arc: the nearest of its eight
// points at multiples of 45 degrees, or the middle of a partial arc. The
// drag gestures snap to them.

#include <cstdint>

#include "records/draw_records.h"

class TEn4obj {
 public:
  // Keeps a copy of the circle, arc or ellipse element.
  explicit TEn4obj(const RDrawElement& element);

  // The result point for the cursor (x, y): with arcMid on a partial arc
  // its middle, else the eighth point of the circle in the cursor's
  // direction from the centre (axis ratio and rotation not used).
  void SnapPoint(bool arcMid, double x, double y);

  double X = 0.0;
  double Y = 0.0;
  std::uint8_t PartialArc = 0;
  RDrawElement Element;
};
