#pragma once
// Parallel offsets of a segment, tests of points and segments against an
// axis-aligned rectangle (the canvas's window for visibility, range selection
// and partial repaint), clipping and classifying a segment by a rectangle, and
// cutting a segment by a closed outline.
//
// A rectangle is two opposite corners (rx1, ry1), (rx2, ry2). Functions that
// walk its sides take them in this order: y = ry1, y = ry2, x = rx1, x = rx2.

#include <cstdint>
#include <span>

#include "geometry/angles_points.h"

// One edge of a closed outline; kind is the colour number of the element the
// edge was made from.
struct RPolyEdge {
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  std::uint8_t kind = 0;
};

// Positive d moves a segment to the left of its direction 1 -> 2.
void OffsetSegment(double x1, double y1, double x2, double y2, double d, RPoint2D& p1, RPoint2D& p2);
// False, outputs untouched, when the segment is shorter than 0.001 in both x and y.
bool TryOffsetSegment(double x1, double y1, double x2, double y2, double d, RPoint2D& p1, RPoint2D& p2);
RPointPair OffsetSegmentSide(bool leftSide, double x1, double y1, double x2, double y2, double d);
// Neither output is written for a segment of two equal points.
void OffsetSegmentBothSides(double x1, double y1, double x2, double y2, double dRight, double dLeft, RPointPair& right,
                            RPointPair& left);
// The +d or -d offset whose line lies nearer the cursor; +d on a tie.
RPointPair OffsetSegmentTowardCursor(double x1, double y1, double x2, double y2, double curX, double curY, double d);
RPointPair OffsetSegmentNearOrFar(bool nearSide, double x1, double y1, double x2, double y2, double curX, double curY,
                                  double d);

// Corners in any order, bounds included; a rectangle of zero width or height
// contains nothing.
bool PointInRect(double px, double py, double rx1, double ry1, double rx2, double ry2);
// Bounds excluded and corners not sorted: (rx1, ry1) must be the lower left.
bool PointInRectStrict(double px, double py, double rx1, double ry1, double rx2, double ry2);
bool SegmentCrossesRectEdge(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2);
bool SegmentCrossesRectDiagonal(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                                double ry2);
// The common test for visibility and crossing selection.
bool SegmentTouchesRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2);
bool SegmentCrossesRectInterior(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                                double ry2);
bool SegmentPassesThroughRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                              double ry2);
// crossing: touching is enough; otherwise both ends must lie inside.
bool SegmentSelectedByRect(bool crossing, double x1, double y1, double x2, double y2, double rx1, double ry1,
                           double rx2, double ry2);
// A side of A crosses a side of B, or A's corner (ax1, ay1) lies in B.
bool RectTouchesRect(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2);
// The segment crosses a side with one end inside: which = 1 (first end inside)
// or 2; otherwise which = 0, false, points untouched.
bool SegmentInsideEnd(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                      std::uint8_t& which, double& outX, double& outY, double& inX, double& inY);

// The infinite line against the four infinite side lines; the first two hits.
bool ExtendLineAcrossRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                          double& xa, double& ya, double& xb, double& yb);
bool ExtendLineAcrossRectEps1e4(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                                double ry2, double& xa, double& ya, double& xb, double& yb);
// The part of the segment inside the rectangle; false with all outputs 0 when
// there is none (a segment that only touches a corner has none).
bool ClipSegmentToRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                       double& xa, double& ya, double& xb, double& yb);
// The parts outside: 2 two pieces a and b, 0 one piece a, 1 the whole segment
// inside (in a), -1 none of these.
int SegmentPartsOutsideRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                            double& a1x, double& a1y, double& a2x, double& a2y, double& b1x, double& b1y, double& b2x,
                            double& b2y);
// -1 outside, 0 one end inside (written inside end first), 1 both ends
// inside, 2 crosses two sides (nothing written).
int ClassifySegmentByRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                          double& sx1, double& sy1, double& sx2, double& sy2);
// Pieces of the segment left after erasing its part inside the outline:
// -1 none cut, 1 piece 1, 2 pieces 1 and 2. lineMode cuts along the segment's
// infinite line. wholeMode never changes the result (see the definition).
int SegmentPartsOutsidePolygon(std::span<const RPolyEdge> edges, double x1, double y1, double x2, double y2,
                               double& p1sx, double& p1sy, double& p1ex, double& p1ey, double& p2sx, double& p2sy,
                               double& p2ex, double& p2ey, bool wholeMode, bool lineMode);
