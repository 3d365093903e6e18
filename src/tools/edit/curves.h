#pragma once
// Curves through clicked points, and the same point list as a plain vertex
// list. BuildCurve kinds:
//   0 open cubic spline, lines;   1 open midpoint curve, lines;
//   2 closed cubic spline, lines; 3 closed midpoint curve, lines;
//   4 closed midpoint curve with every chord a bulging arc;
//   5 closed midpoint curve with every chord as the two radii of its arc;
//   6 open cubic spline, arcs;    7 closed cubic spline, arcs.
// A midpoint curve joins the edge midpoints by quadratic pieces whose control
// point is the corner between them.

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

class TSupuLineobj {
 public:
  // Points are kept as given; the curve command refuses repeated clicks.
  void AddPoint(double X, double Y);
  // Replaces Elements for kinds 0 to 7 (entry 0 is never part of the
  // result); a Kind above 7 is only stored. Param is the bulge setting of
  // kind 4 (0 takes the settings' CurveBulge; a non-finite one is only
  // stored like a Kind above 7).
  void BuildCurve(std::int32_t Divisions, std::uint8_t Kind, double Param);
  // Entries 1 to PointCount: the closed polygon's edges in vertex order, the
  // last back to point 1; entry 0 runs from the reserved entry to point 1.
  void BuildPolygonEdges();

  std::int32_t PointCount = 0;
  std::int32_t Divisions = 0;  // of the last spline build
  std::uint8_t CurveKind = 0;
  std::vector<RDrawElement> Elements;
  // Point k at index k (1 <= k <= PointCount); index 0 is a reserved (0, 0)
  // entry that outside readers of the vertex list count on.
  std::vector<double> PointX;
  std::vector<double> PointY;

 private:
  void BuildMidpointCurve(std::int32_t divisions, std::uint8_t kind, double ratio);
  void BuildSpline(std::int32_t divisions, bool closed, bool arcs);
};
