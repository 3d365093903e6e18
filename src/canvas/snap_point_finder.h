#pragma once
// The snap-point finder of one snapping click. The drawing store offers it
// copies of the elements near the cursor; it turns them into characteristic
// points (point elements, line ends, crossings, arc ends), keeps the one
// nearest the cursor and, when none is near enough, falls back to the centre
// of a curve under the cursor or to a point on a line derived from the cursor.

#include <cstdint>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"

// SnapMode that offers snap points only (no centre, no fallback point).
inline constexpr std::uint8_t kSnapPointsOnly = 10;
// Candidate Selection marks read only by the finder.
inline constexpr std::uint8_t kSnapWideEnds = 50;  // ends count within 6 apertures
inline constexpr std::uint8_t kSnapNoFoot = 60;    // the line gives no fallback point

class THitzakei {
 public:
  THitzakei(std::uint8_t mode, double x, double y, double aperture);

  void AddCandidate(const RDrawElement& element);
  // The fallback line runs from A (the command's reference point) to B (the
  // cursor). footMode 0 takes the crossing of a candidate with this line,
  // any other value the perpendicular foot of the cursor.
  void SetReferenceLine(std::uint8_t footMode, double ax, double ay, double bx, double by);
  // Runs the search once; the result fields below hold its outcome.
  void Execute(double zoom);

  double CursorX = 0.0;
  double CursorY = 0.0;
  double Aperture = 0.0;
  std::uint8_t SnapMode = 0;
  double BestFootDistance = 10000000.0;
  double FootX = 0.0;
  double FootY = 0.0;
  double RefAX = 0.0;
  double RefAY = 0.0;
  double RefBX = 0.0;
  double RefBY = 0.0;
  std::uint8_t FootMode = 0;
  std::vector<RDrawElement> Candidates;
  std::vector<RPoint2D> SnapPoints;
  bool LineArcCrossingFound = false;
  bool LineEndNear = false;

  // Results.
  bool SnapFound = false;
  bool FootFound = false;
  double ResultX = 0.0;
  double ResultY = 0.0;
  bool CentreFound = false;
  RDrawElement CentreElement = ZeroElement();

 private:
  void AddPointElements();
  void TestLineEndNear();
  void AddLineEnds();
  void AddLineCrossings();
  void AddArcCrossings();
  void AddLineArcCrossings();
  void FindFoot();
  void AddArcEnds();
  // True with the centre in (ResultX, ResultY) and CentreElement when a
  // curve candidate passes within 4 / zoom of the cursor.
  bool FindCentre(double zoom);

  bool InSquare(double px, double py, double halfSize) const;
  double EndSquare(const RDrawElement& line) const;
  // The lower bound of the second member of a candidate pair.
  int PairLowerBound() const;

  // A fallback point has been recorded. The point itself may be anywhere,
  // (0, 0) included, and at any distance from the cursor, zero included.
  bool footRecorded_ = false;
};
