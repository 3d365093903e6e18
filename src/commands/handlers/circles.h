#pragma once
// What the arc commands keep between events and no other family reads,
// held in the control's slot for this family (TcadBox::FamilyState).

// The sweep side of the arc preview on the screen (true: anticlockwise from
// the start angle to the cursor's direction).
struct RArcSweepState {
  bool ArcSideDrawn = true;
};
