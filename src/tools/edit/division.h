#pragma once
// Dividing the space between two lines, or one segment, into parts: by a
// count (with an optional grading ratio) or by a pitch in one of four pitch
// modes. All work happens in the constructor; the caller reads the results
// in order.

#include <cstdint>
#include <vector>

#include "tools/edit/tool_records.h"

// A boundary line given by its two ends.
struct RBoundaryLine {
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
};

// More parts than this would be unreadable; a count (or a length divided by
// a pitch) above it produces nothing instead of exhausting memory.
inline constexpr double kMaxDivisionCount = 100000.0;

// Division by count. Only the coordinates of the result lines are set; the
// command gives them the current pen, group and layer.
class TKansuobj {
 public:
  // Two-line mode: A and B are the picked lines, (PAX, PAY) and (PBX, PBY)
  // the points they were picked at. Segment mode: A and B are ignored and
  // the picks are the segment's ends; the first points of the result lines
  // are then the dividing points. Width 0 or less: the setting applies.
  TKansuobj(std::int32_t N, double AX1, double AY1, double AX2, double AY2, double BX1, double BY1, double BX2,
            double BY2, float Ratio, double PAX, double PAY, double PBX, double PBY, double GroupScale,
            bool SegmentMode, double Width);

  void DivideLines();

  RBoundaryLine LineA;  // its end nearer pick A first
  RBoundaryLine LineB;  // its end nearer pick B first
  std::int32_t Count = 0;
  std::vector<RToolLine> Results;
  float Ratio = 1.0f;  // a value of 0 or less (or not a number) is kept as 1
  double GroupScale = 1.0;
  double Width = 0.0;
};

// Division by pitch. Modes: 0 equal parts of at most one pitch, 1 equal
// parts of at least one pitch, 2 steps of exactly one pitch from the start,
// 3 steps of exactly one pitch centred in the gap; other modes nothing.
class TKansupitchobj {
 public:
  // Two-line mode: A and B the picked lines, the picks where they were
  // picked. Segment mode: (PAX, PAY) the segment's start, (PBX, PBY) its end.
  TKansupitchobj(std::uint8_t Mode, double AX1, double AY1, double AX2, double AY2, double BX1, double BY1, double BX2,
                 double BY2, double Pitch, double PAX, double PAY, double PBX, double PBY, double GroupScale,
                 bool SegmentMode, double Width);

  void DivideBetweenLines();
  void DivideSegment();

  RBoundaryLine LineA;  // segment mode: both points the segment's start
  RBoundaryLine LineB;  // segment mode: both points the segment's end
  double Pitch = 0.0;   // a pitch of exactly 0 is kept as 100000
  std::int32_t Count = 0;
  std::vector<RToolLine> ResultLines;    // two-line mode
  std::vector<RToolPoint> ResultPoints;  // segment mode
  std::uint8_t Mode = 0;
  double GroupScale = 1.0;
  bool SegmentMode = false;
  double Width = 0.0;

 private:
  double GapToLineB() const;
};
