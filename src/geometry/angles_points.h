#pragma once
// Points, distances, directions and angle normalisation on drawing
// coordinates (x to the right, y upwards, angles in degrees anticlockwise).
//
// Every geometry function applies its own absolute tolerances; there is no
// shared epsilon. Outputs passed by reference keep the caller's values where
// a function reports failure, so callers preset them.

#include <cstdint>

// Two points a and b; b = (-90000, -90000) means only a exists.
struct RPoint2D {
  double x = 0.0;
  double y = 0.0;
};

struct RPointPair {
  double xa = 0.0;
  double ya = 0.0;
  double xb = 0.0;
  double yb = 0.0;
};

// The second point of an RPointPair that marks "only the first point exists".
inline constexpr double kNoSecondPoint = -90000.0;

// One step of wrapping into [0, 360): 725 gives 365, -400 gives -40.
double NormalizeAngle360(double angle);
// As NormalizeAngle360, but 360 stays 360 (the end angle of an arc).
double NormalizeAngleKeep360(double angle);
// One step into (0, 360]: 0 gives 360 (direction of a grid's second family).
double NormalizeAngleUpTo360(double angle);
// The angle within its quarter turn; angles below 90 (negative too) unchanged.
double AngleMod90(double angle);

double PointDistance(double x1, double y1, double x2, double y2);

// Foot of the perpendicular from (px, py) on the line through the two points;
// false, outputs untouched, when the points are equal.
bool PerpendicularFoot(double& fx, double& fy, double x1, double y1, double x2, double y2, double px, double py);

// Direction from point 1 to point 2 in [0, 360); exact on the axes.
double DirectionAngleDeg(double x1, double y1, double x2, double y2);
void GetDirectionAngleDeg(double& angle, double x1, double y1, double x2, double y2);
// Undirected angle of the line in [0, 180).
double LineAngleDeg(double x1, double y1, double x2, double y2);
// Angle at (vx, vy) between the directions to the two points, in [0, 180].
double AngleAtVertexDeg(double vx, double vy, double x1, double y1, double x2, double y2);
// Direction along the segment pointing away from (px, py).
double DirectionAwayFromPointDeg(double x1, double y1, double x2, double y2, double px, double py);
// testDeg within 7 degrees of refDeg (7 excluded anticlockwise, included
// clockwise), wrapping across 0; ccwSide is written only on true.
bool AngleWithin7Deg(double refDeg, double testDeg, bool& ccwSide);
// 45-degree sector 0..7 of the direction 1 -> 2; narrowVertical narrows the
// upward sector to [82.5, 102.5).
std::uint8_t DirectionSector8(bool narrowVertical, double x1, double y1, double x2, double y2);
// Quarter 0..3 of the direction 1 -> 2.
std::uint8_t DirectionQuadrant(double x1, double y1, double x2, double y2);

// Turns anticlockwise about the origin.
void RotateVector(double& x, double& y, double angleDeg);
// Turns anticlockwise about (cx, cy); no special angles.
void RotateAboutCentre(double& x, double& y, double angleDeg, double cx, double cy);
// Turns anticlockwise about (cx, cy); exact at 0, 90, 180, 270 and 360 (within
// 0.0001 degrees). The angle is not normalised.
RPoint2D RotateAboutCentreExact(double angleDeg, double cx, double cy, double x, double y);
// The point at distance length from (x0, y0) in direction angleDeg; exactly
// horizontal when the normalised angle is within 0.00001 of 0.
void PolarPoint(double& x, double& y, double angleDeg, double length, double x0, double y0);
void PolarPointBuffered(double& x, double& y, double angleDeg, double length, double x0, double y0);
// (x0, y0) plus (along, across) in axes turned by angleDeg.
void LocalOffsetPoint(double& x, double& y, double angleDeg, double along, double across, double x0, double y0);
// Mirror image of (px, py) in the line through the two points; a line of two
// equal points mirrors nothing and gives (px, py).
void ReflectPoint(double& rx, double& ry, double px, double py, double x1, double y1, double x2, double y2);
// Foot of (x, y) on the turned x axis (axis 1) or the turned y axis (any other).
RPoint2D ProjectOnTurnedAxis(std::uint8_t axis, double angleDeg, double x, double y);
RPoint2D ProjectOnTurnedAxisAt(std::uint8_t axis, double angleDeg, double ox, double oy, double x, double y);
// Extents of the rectangle (x1, y1)-(x2, y2) turned clockwise by angleDeg
// about (x1, y1).
void RotatedRectExtents(double x1, double y1, double x2, double y2, double angleDeg, double& minX, double& minY,
                        double& maxX, double& maxY);
// Both ends moved outward by d (negative d shortens).
void LengthenSegmentBothEnds(double& x1, double& y1, double& x2, double& y2, double d);
// whichEnd 1 moves point 2, 0 moves point 1, anything else nothing.
void LengthenSegmentEnd(double& x1, double& y1, double& x2, double& y2, double d, std::uint8_t whichEnd);

// The cursor's direction from (x0, y0) rounded (halves up) to baseDeg + k *
// stepDeg; at that length, or the cursor's foot on the ray when length is 0.
RPoint2D SnapToAngleStep(double x0, double y0, double curX, double curY, double baseDeg, double stepDeg, double length);
// As SnapToAngleStep, but a zero step keeps the cursor's direction.
RPoint2D SnapToAngleStepKeepLength(double x0, double y0, double curX, double curY, double baseDeg, double stepDeg,
                                   double length);
// Mode 0 the cursor, 1 fifteen-degree steps, 2 axes turned by baseDeg. Where
// no rule writes a result (another mode) the call returns `unchanged`, the
// caller's preset.
RPoint2D SnapCursorDirection(std::uint8_t mode, double x0, double y0, double curX, double curY, double baseDeg,
                             RPoint2D unchanged = {});
