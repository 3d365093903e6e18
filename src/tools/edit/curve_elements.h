#pragma once
// The elements the arc-chain, curve and wave tools hand back: line type,
// colour, layer group and layer 1, every other byte 0 (the committing
// command replaces the attributes with its own).

#include "records/draw_records.h"

inline RDrawElement WithCurveAttributes(RDrawElement e) {
  e.LineType = 1;
  e.ColorNo = 1;
  e.Group = 1;
  e.Layer = 1;
  return e;
}

inline RDrawElement CurveLineElement(double x1, double y1, double x2, double y2) {
  return WithCurveAttributes(LineElement(x1, y1, x2, y2));
}

// A circular arc; the angles are stored as the element's Singles.
inline RDrawElement CurveArcElement(double cx, double cy, double r, double startDeg, double endDeg,
                                    double rotationDeg = 0.0) {
  return WithCurveAttributes(CircularArcElement(cx, cy, r, startDeg, endDeg, rotationDeg));
}
