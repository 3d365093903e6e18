#pragma once
// Measuring a closed outline built point by point, where a side may follow a
// picked circle or arc. After every point the tool recomputes, in real
// millimetres (drawing coordinates times the group scale), the signed area of
// the outline closed back to its first vertex, the length of the open path,
// the centroid and the offset of the newest point from the first one.

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"
#include "tools/edit/tool_records.h"

class TSokuteiMenobj {
 public:
  // Points of one sampled arc: its two ends and 199 between them.
  static constexpr int kArcSteps = 200;
  using ArcSamples = std::array<RPoint2D, kArcSteps + 1>;

  TSokuteiMenobj();

  // A clicked point in drawing coordinates, or, while an arc is pending, the
  // point that ends the arc (replaced by the arc's own vertices). A point
  // that is no number, or a scale that is none, changes nothing.
  void AddPoint(double X, double Y, double GroupScale);
  // A picked circle, arc or ellipse and the click that picked it; it becomes
  // the side to the next point. Other kinds, a pick before the first point
  // and a curve of radius or axis ratio 0 are ignored.
  void AddArc(const RDrawElement& E, double X, double Y);
  // Empties the outline; the results keep their values until the next point.
  void Clear();

  // Replaces the last vertex (the point that ends the pending arc) by the
  // arc's vertices from the previous vertex to it.
  void AddArcVertices();
  // N + 1 points (N at most kArcSteps) on the ellipse at the true directions
  // StartAngle + k * sweep / N, the sweep running anticlockwise to EndAngle.
  static void SampleArc(ArcSamples& Points, int N, double CX, double CY, double Radius, double AxisRatio,
                        double StartAngle, double EndAngle, double Rotation);
  // The sums over the outline of real vertices, closed back to the first.
  void ComputeProperties(const std::vector<RPoint2D>& Real);
  double ToReal(double V) const { return V * GroupScale; }

  std::int32_t VertexCount = 0;
  // Negative when the vertices run anticlockwise, positive when clockwise.
  double Area = 0.0;
  // The path through the vertices, without the closing side.
  double Length = 0.0;
  // First moments about the x axis and about the y axis, signed as the area.
  double MomentX = 0.0;
  double MomentY = 0.0;
  // Centroid minus the first vertex.
  double CentroidOffsetX = 0.0;
  double CentroidOffsetY = 0.0;
  double CentroidX = 0.0;
  double CentroidY = 0.0;
  // Newest vertex minus the first; not touched by a point that ends an arc.
  double LastOffsetX = 0.0;
  double LastOffsetY = 0.0;
  double GroupScale = 0.0;
  // From the pending arc's centre to where it was picked, in (0, 360].
  double PickDirection = 0.0;
  bool ArcPending = false;
  RDrawElement PendingArc;
  // Drawing coordinates in input order; every pen flag is 1.
  std::vector<ROutlinePoint> Vertices;
};
