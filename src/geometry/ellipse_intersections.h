#pragma once
// Crossings that involve an ellipse are searched numerically: the ellipse is
// cut into chords in a small window of directions around a point the caller
// names (usually the cursor), and the first chord that crosses the other
// figure gives the point. Two circles fall back to the closed formulas. Also
// the tests of an ellipse or an arc against a rectangle.
//
// The searches poll the mouse: both buttons held abort a search, which then
// reports nothing.

#include <cstdint>

#include "geometry/angles_points.h"

// A long crossing search asks this now and then whether to stop; the
// input polling installs it (both mouse buttons held). Without one a search
// runs to its end.
using CrossingSearchStop = bool (*)();
void InstallCrossingSearchStop(CrossingSearchStop stop);

// One search and its result; created, run once and dropped by its caller.
class TDaenKoten {
 public:
  double X = 0.0;  // the crossing, valid only when Found
  double Y = 0.0;
  bool Found = false;

  // Both the left and the right mouse button are held down now.
  bool AbortRequested() const;
  // The segment against the ellipse in a window of +-halfWindowDeg true
  // directions around (nearX, nearY), 60 chords (40 for a window of 5 or less).
  void FindSegmentCrossing(double x1, double y1, double x2, double y2, double r, double cx, double cy, double unused1,
                           double unused2, double rotationDeg, double ratio, double nearX, double nearY,
                           double halfWindowDeg);
  // Two ellipses, each cut into 70 chords in +-9 degrees around the direction
  // from its centre to (nearX, nearY).
  void FindEllipseCrossing(double r1, double cx1, double cy1, double unused1, double unused2, double rot1,
                           double ratio1, double r2, double cx2, double cy2, double unused3, double unused4,
                           double rot2, double ratio2, double nearX, double nearY);
};

// A circle (ratio within 0.001 of 1): both crossings of the infinite line.
// An ellipse: the crossing of the segment within 8 degrees of the near point
// as (x, y, -90000, -90000). Where nothing is found the call returns
// `unchanged`, the caller's preset.
RPointPair IntersectLineEllipse(double x1, double y1, double x2, double y2, double r, double cx, double cy,
                                double startDeg, double endDeg, double rotationDeg, double ratio, double nearX,
                                double nearY, double unused, RPointPair unchanged = {});
// Two circles: both crossings; otherwise one crossing near (nearX, nearY) as
// (x, y, -90000, -90000), or `unchanged` when none is found.
RPointPair IntersectEllipseEllipse(double r1, double cx1, double cy1, double unused1, double unused2, double rot1,
                                   double ratio1, double r2, double cx2, double cy2, double unused3, double unused4,
                                   double rot2, double ratio2, double nearX, double nearY, RPointPair unchanged = {});
// A crossing of the segment with the arc, found on a 46-chord polygon of the
// arc (the segment may reach 5% beyond its ends) and refined on the circle or
// ellipse; of two crossings the one nearer (x1, y1). Outputs untouched on false.
bool IntersectArcSegment(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg,
                         double ratio, double x1, double y1, double x2, double y2, double& x, double& y);
// The whole curve (the angles play no part) passes through the rectangle.
bool EllipseTouchesRect(double cx, double cy, double r, double ratio, double rotationDeg, double unused1,
                        double unused2, double rx1, double ry1, double rx2, double ry2, double unused3, double unused4);
// An end of the arc lies in the rectangle (which = 1 start, 2 end), or else
// (which = 0) testDeg lies within the arc's span of directions.
bool ArcEndInRect(std::uint8_t& which, double startDeg, double endDeg, double rotationDeg, double r, double cx,
                  double cy, double ratio, double testDeg, double rx1, double ry1, double rx2, double ry2);
