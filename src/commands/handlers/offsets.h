#pragma once
// What the offset commands keep between events and no other family reads,
// held in the control's slot for this family (TcadBox::FamilyState).

#include "geometry/angles_points.h"

struct ROffsetState {
  // The pick point the corner join keeps between commits ((0, 0): none).
  RPoint2D KeptPoint;
  // The next click measures the pitch instead of adding copies.
  bool PitchFromPoint = false;
};
