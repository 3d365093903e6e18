#include "tools/edit/arc_end_rule.h"

#include "geometry/angles_points.h"

void ApplyArcEndRule(RToolArc& arc, double pickDeg, double newDeg) {
  // Plain differences, no wrapping: a gap of more than 270 degrees means the
  // two directions lie close together across 0/360.
  const bool endMoves =
      (pickDeg < newDeg && newDeg - pickDeg <= 270.0) || (pickDeg >= newDeg && pickDeg - newDeg > 270.0);
  const double angle = NormalizeAngle360(newDeg - arc.Rotation);
  if (endMoves) {
    arc.EndAngle = angle;
  } else {
    arc.StartAngle = angle;
  }
}
