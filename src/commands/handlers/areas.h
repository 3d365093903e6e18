#pragma once
// What the angle measuring keeps between events and no other family reads,
// held in the control's slot for this family (TcadBox::FamilyState).

#include "geometry/angles_points.h"

// The vertex of the measured angle.
struct RAngleMeasureState {
  RPoint2D AngleOrigin;
};
