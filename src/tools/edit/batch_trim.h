#pragma once
// The batch tools: many lines extended or trimmed to one boundary line or
// arc, many lines cut at two reference lines, and one arc split at two cut
// points. The fence line the user drew decides which part of a cut line
// stays. Items and results are numbered from 1 (slot 0 unused); callers
// read the results from the last to the first.

#include <cstdint>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"
#include "tools/edit/tool_records.h"

// Extends or trims every item to the boundary on the fence's side.
class Tcommand_a {
 public:
  // Boundary: a line, or a circle, arc or ellipse; any other kind leaves
  // every item as it is. (X1, Y1)-(X2, Y2): the fence.
  Tcommand_a(const RDrawElement& Boundary, double X1, double Y1, double X2, double Y2);

  void AddItem(std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer, double X1,
               double Y1, double X2, double Y2);
  void Run();

  // n + 1 points along the arc at equal parametric steps (a full turn from
  // the start when start and end are equal).
  static std::vector<RPoint2D> ArcPoints(int n, double CentreX, double CentreY, double Radius, double Ratio,
                                         double StartAngle, double EndAngle, double Rotation);

  std::vector<RPointPair> BoundarySegments;
  RPointPair Fence;
  std::vector<RTrimItem> Items{RTrimItem{}};
  std::uint8_t ArcBoundary = 0;
  RDrawElement Boundary;
  int Count = 0;
  std::vector<RTrimItem> Results{RTrimItem{}};

 private:
  // Each writes the item's result into out, a slot of Results.
  void TrimToLine(const RTrimItem& item, RTrimItem& out) const;
  void TrimToArc(const RTrimItem& item, RTrimItem& out) const;
};

// Cuts every item at two reference lines: the part between them stays when
// the fence crosses it, otherwise the outer parts stay.
class Tcommand_b {
 public:
  Tcommand_b(double R1X1, double R1Y1, double R1X2, double R1Y2, double R2X1, double R2Y1, double R2X2, double R2Y2,
             double FX1, double FY1, double FX2, double FY2);

  void AddItem(std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer, double X1,
               double Y1, double X2, double Y2);
  void Run();

  int ItemCount = 0;
  RPointPair Reference1;
  RPointPair Reference2;
  RPointPair Fence;
  std::vector<RTrimItem> Items{RTrimItem{}};
  int ResultCount = 0;
  std::vector<RTrimItem> Results{RTrimItem{}};
};

// Splits one arc at two cut points. Mode 0 removes the sweep from the first
// cut anticlockwise to the second; mode 1 removes the shorter way between
// them; other modes make nothing.
class Tcommand_c {
 public:
  Tcommand_c(std::uint8_t Mode, double X1, double Y1, double X2, double Y2);

  void SetArc(std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer, double CentreX,
              double CentreY, double Radius, float AxisRatio, float StartAngle, float EndAngle, float Rotation);
  void Run();

  RArcPiece Arc;
  RPoint2D Cut1;
  RPoint2D Cut2;
  std::uint8_t Mode = 0;
  int LastPiece = -1;  // 0: one piece, 1: two; -1 when nothing is left
  std::vector<RArcPiece> Pieces;

 private:
  void AddPiece(double startDeg, double endDeg);
};
