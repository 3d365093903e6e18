#pragma once
// The outline of a region to be hatched, collected from clicked points and
// picked circles or arcs as closed loops of vertices. A vertex with its pen
// flag set is joined to the next one; a loop ends at the vertex that repeats
// its first point, and the next vertex starts a new loop.

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"
#include "tools/edit/tool_records.h"

class THachiTenobj {
 public:
  THachiTenobj();

  // A clicked point. While an arc is pending the point only ends the arc:
  // it adds the arc's second part and is not stored itself.
  void AddPoint(double X, double Y);
  // A picked circle, arc or ellipse and the click that picked it; other
  // kinds, a pick before any vertex and a curve of radius or axis ratio 0
  // add nothing.
  void AddArc(const RDrawElement& Element, double X, double Y);
  void SetBasePoint(double X, double Y);

  std::int32_t VertexCount = 0;
  RPoint2D BasePoint;
  // The first vertices of loops 2 to 8, in that order; 0 while unset.
  std::array<std::int32_t, 7> LoopStarts{};
  bool ArcPending = false;
  // The picked arc is travelled anticlockwise from the last vertex.
  bool ArcForward = false;
  RDrawElement PickedArc;
  std::vector<ROutlinePoint> Vertices;

 private:
  // Appends the 51 points of the anticlockwise sweep from StartDeg to EndDeg
  // of PickedArc, beginning at the end nearer the last vertex.
  void AppendSweep(double StartDeg, double EndDeg);
};
