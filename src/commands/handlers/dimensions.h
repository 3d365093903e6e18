#pragma once
// What the dimension-line command keeps between events and no other family
// reads, held in the control's slot for this family (TcadBox::FamilyState).

#include "geometry/angles_points.h"

// The guide lines through the dimension-line start and end.
struct RDimensionGuides {
  RPointPair GuideLine1;
  RPointPair GuideLine2;
};
