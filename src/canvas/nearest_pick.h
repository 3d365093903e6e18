#pragma once
// The choice among the elements that passed a pick's hit test: a point
// element if one was offered, otherwise the candidate nearest the click.

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

class THitSen {
 public:
  THitSen(double x, double y, double tolerance);

  // listIndex is the element's position in the store's list, or whatever
  // the caller wants back with it.
  void AddCandidate(const RDrawElement& element, std::int32_t listIndex);
  void PickNearest();

  double PickX = 0.0;
  double PickY = 0.0;
  // Kept for the callers; their hit tests have applied it already.
  double PickTolerance = 0.0;
  std::vector<RDrawElement> Candidates;
  std::vector<std::int32_t> CandidateIndices;

  // Results.
  bool Found = false;
  RDrawElement PickedElement = ZeroElement();
  std::int32_t PickedIndex = 0;

  // The distance by which candidates are ranked: to the outline of a curve
  // (the whole curve, its span not considered), to the segment of any
  // two-point element (its nearer end where the perpendicular foot falls
  // outside it).
  double DistanceTo(const RDrawElement& element) const;
};
