#pragma once
// The rounded corner between two consecutive lines of a polyline: the
// corner tool's rounded-corner kind computes it, and the answer is written
// back into the two lines and the corner record.

#include <array>
#include <cstdint>

#include "records/draw_records.h"
#include "tools/edit/tool_records.h"

struct RRoundedCorner {
  // 1: made (both lines trimmed, Arc the corner); 0: the lines are
  // collinear and Lines[0] is the merged line; any other: no corner.
  std::uint8_t Status = 10;
  std::array<RToolLine, 2> Lines{};
  RToolArc Arc;
};

// The corner tool's answer for Line1 and Line2 (their coordinates, no
// attributes) with both set back by R.
RRoundedCorner RoundCornerByCornerTool(const RDrawElement& Line1, const RDrawElement& Line2, double R);

// Status 1: the lines take the trimmed coordinates and Corner the arc;
// status 0: Line1 takes the merged line and Line2 and Corner vanish (zero
// coordinates); otherwise nothing changes. Kinds and attribute bytes stay.
void TakeRoundedCorner(const RRoundedCorner& Answer, RDrawElement& Line1, RDrawElement& Line2, RDrawElement& Corner);
