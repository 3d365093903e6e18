#pragma once
// Hatching an area: the pattern lines are clipped to the region that an
// outline of lines (and arcs taken as chords) encloses, and the pieces that
// lie inside come back as new lines.

#include <vector>

#include "records/draw_records.h"

class THachiZuobj {
 public:
  // One outline element: a line as it is, a circle, arc or ellipse as 120
  // chords; other kinds are ignored.
  void AddFigureLine(const RDrawElement& Element);
  // One pattern line, read from its first to its second point.
  void AddBoundary(const RDrawElement& Element);
  // A pitch of 0.1 or less only tells the user to raise it and leaves the
  // result alone; otherwise the result is replaced by the clipped pieces.
  // Angle and Extra do not change the result.
  void Run(double Angle, double Pitch, double Extra);

  std::vector<RDrawElement> OutlineLines;
  std::vector<RDrawElement> PatternLines;
  // Lines carrying their two points only.
  std::vector<RDrawElement> Elements;
};
