#pragma once
// Crossings of lines, segments and circles. The members of the line family
// differ only in which operand is bounded and in how close to parallel counts
// as parallel (a test on the unnormalised cross product of the two direction
// vectors, so it scales with both lengths); each caller picks its member.
//
// Lines and segments are A = (ax1, ay1)-(ax2, ay2) and B = (bx1, by1)-(bx2, by2).
// A parameter in [0, 1] lies on a segment, its ends included.

#include "geometry/angles_points.h"

// Both segments meet; parallel (cross product exactly 0) gives false.
bool SegmentsCross(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2);
// As SegmentsCross with A stretched by 5% at each end (B is not).
bool SegmentsCrossSlack5(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2,
                         double by2);
// x and y are cleared first, so a miss leaves them at 0.
bool IntersectSegments(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                       double bx2, double by2);
bool IntersectSegmentsSlack1e6(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1,
                               double by1, double bx2, double by2);
// A is the infinite line, B the segment; outputs untouched on false.
bool IntersectLineSegment(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2);
bool IntersectLineSegmentEps1e3(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1,
                                double by1, double bx2, double by2);
// The corners K1 and K2 of the rectangle with opposite corners P1, P2 whose
// sides run along the angle (degrees) and across it; false, outputs
// untouched, when a side has no length or the rectangle is no number.
bool AlignedRectCorners(double x1, double y1, double x2, double y2, double angle, RPoint2D& k1, RPoint2D& k2);
// Infinite lines; outputs untouched on false.
bool IntersectLines(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                    double bx2, double by2);
bool IntersectLinesEps1e7(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2);
bool IntersectLinesEps1e4(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2);
bool IntersectLinesEps2e2(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2);
// Infinite lines; when nearly parallel, true with collinear set (and no point
// written) if the lines lie on one line, else false.
bool IntersectLinesOrCollinearEps11e3(double& x, double& y, bool& collinear, double ax1, double ay1, double ax2,
                                      double ay2, double bx1, double by1, double bx2, double by2);
bool IntersectLinesOrCollinearEps6e5(double& x, double& y, bool& collinear, double ax1, double ay1, double ax2,
                                     double ay2, double bx1, double by1, double bx2, double by2);
bool IntersectLinesOrCollinearEps1e2(double& x, double& y, bool& collinear, double ax1, double ay1, double ax2,
                                     double ay2, double bx1, double by1, double bx2, double by2);

// The two farthest-apart of the four end points (joining collinear lines).
void LongestEndPointSpan(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2,
                         double& x1, double& y1, double& x2, double& y2);
// The infinite line through the points passes within r of (cx, cy); false for
// two equal points.
bool LineWithinRadius(double cx, double cy, double r, double x1, double y1, double x2, double y2);
// The infinite line with the circle. A tangent or a miss gives the foot of the
// centre twice; two equal line points give those points. With r = 0 nothing
// is computed and `unchanged` (the caller's preset) comes back.
RPointPair IntersectLineCircle(double x1, double y1, double x2, double y2, double cx, double cy, double r,
                               RPointPair unchanged = {});
// The two crossings of two circles. There is no miss value: circles that do
// not meet still give two points (off the circles); callers test the radii.
RPointPair IntersectCircles(double x1, double y1, double r1, double x2, double y2, double r2);
