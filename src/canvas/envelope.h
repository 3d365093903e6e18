#pragma once
// The envelope clean-up: the lines that meet inside a rectangle are tidied
// so that crossing and overlapping double lines become one clean outline.
// Collinear pieces are joined, ends that stop short of or run past a
// crossing line are brought to it, isolated inner lines are dropped and the
// parts of lines between their outermost crossings are cut out. It works on
// copies only.
//
// Two working bytes of each copy carry its state between the phases:
// Scratch, the class against the window, and ScratchWord, the connection
// class of an inner line (or 50, a mark of the merge phase).

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

// Scratch: the line's class against the window (0: outside, no class).
inline constexpr std::uint8_t kEnvelopeOneEndInside = 10;  // inside end first
inline constexpr std::uint8_t kEnvelopeInside = 11;
inline constexpr std::uint8_t kEnvelopeThrough = 12;
// ScratchWord of an inner line.
inline constexpr std::uint16_t kEnvelopeIsolatedCrossing = 1;  // no end shared, 3 or more crossings
inline constexpr std::uint16_t kEnvelopeOneShared = 2;         // the second end is shared
inline constexpr std::uint16_t kEnvelopeBothShared = 3;
inline constexpr std::uint16_t kEnvelopeFree = 4;
inline constexpr std::uint16_t kEnvelopeMark = 50;

class THourakukei2 {
 public:
  // The window's corners in any order; zoom sets the end tolerance 30 / zoom.
  THourakukei2(double x1, double y1, double x2, double y2, double zoom);

  // Only lines are taken; other kinds are ignored.
  void AddLine(const RDrawElement& element);
  // Runs the seven phases once; the output is ResultLines.
  void Execute();

  double WindowX1 = 0.0;
  double WindowY1 = 0.0;
  double WindowX2 = 0.0;
  double WindowY2 = 0.0;
  std::int32_t AddedCount = -1;
  double Zoom = 0.0;
  std::vector<RDrawElement> WorkLines;
  std::vector<RDrawElement> ResultLines;

  // A segment from (X1, Y1) to (X2, Y2).
  struct Segment {
    double X1, Y1, X2, Y2;
  };
  static Segment SegmentOf(const RDrawElement& e) { return {e.X1, e.Y1, e.X2, e.Y2}; }

  // The geometric tests of the phases; A is the first segment.
  // The lines cross, or their crossing lies within the end tolerance of an
  // end, or they are within 16 degrees of perpendicular. P is written
  // whenever the lines are not exactly parallel.
  bool LinesMeet(double& px, double& py, const Segment& a, const Segment& b) const;
  // The segments cross (ends included with a small slack); P only when true.
  bool SegmentCrossing(double& px, double& py, const Segment& a, const Segment& b) const;
  // B lies on A's line (tight test, no overlap condition).
  bool OnSameLine(const Segment& a, const Segment& b) const;
  // B lies on A's line and A reaches into B.
  bool OverlapOnLine(const Segment& a, const Segment& b) const;
  // Another line of the same layer has an end at the element's first end.
  bool HasEndAt(const RDrawElement& element, std::int32_t skipIndex) const;
  // At most two other lines of the same layer end on the element's line.
  bool FewEndsOnLine(const RDrawElement& element, std::int32_t skipIndex) const;
  static bool ShareEnd(const RDrawElement& a, const RDrawElement& b);
  // Sets the connection class of an inner line (Scratch 11) in ScratchWord.
  void ClassifyConnections(RDrawElement& element, std::int32_t index);

 private:
  void MergeCollinear();
  void ExtendInsideEnds();
  void SpanInnerLines();
  void TrimFreeInsideEnds();
  void TrimSingleConnected();
  void CutInnerSpans();
  void CutThroughLines();

  // Sets Scratch (and ScratchWord 0) from the line's class against the
  // window; a line entering it is turned to have its inside end first.
  void ClassifyByWindow(RDrawElement& e) const;
  double EndTolerance() const;
  void TakeResults();
  void ReturnResults();
};
