#pragma once
// Which end of an arc moves to a new direction: the end the pick lies
// nearer to, going round the arc. Shared by the stretch tool and the corner
// tool.

#include "tools/edit/tool_records.h"

// pickDeg: direction (parametric angle on an ellipse) of the pick from the
// centre; newDeg: that of the new end, both measured with the rotation
// included. The moved end takes newDeg less the arc's rotation, wrapped once
// into [0, 360).
void ApplyArcEndRule(RToolArc& arc, double pickDeg, double newDeg);
