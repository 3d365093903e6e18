#pragma once
// Circles, circular arcs, ellipses and elliptical arcs: construction from
// points, points on the curve, polylines, lengths, the point-on-arc test and
// mirroring.
//
// A curve is its centre (cx, cy); r, the semi-axis along its own x axis;
// ratio, the other semi-axis over r (1 is a circle); rotationDeg, the turn of
// its own axes; startDeg and endDeg, anticlockwise, equal meaning the whole
// curve. For a circle the ends lie in the directions start + rotation and
// end + rotation; for an ellipse start and end are parametric angles: the
// point at t is (r cos t, r ratio sin t) in the curve's axes, then turned.

#include <span>
#include <utility>

#include "geometry/angles_points.h"

// False, outputs untouched, when two points coincide within 0.01 in both x and
// y or the three lie on one line.
bool Circumcircle(const RPoint2D& p1, const RPoint2D& p2, const RPoint2D& p3, double& cx, double& cy, double& r);
// The arc from the first point through the middle one to the last, its angles
// in anticlockwise order; false when no arc results.
bool ThreePointArc(double x1, double y1, double xm, double ym, double x3, double y3, double& cx, double& cy, double& r,
                   double& startDeg, double& endDeg);
// The circle of radius r through p1 and p2 whose centre is nearer p3; r = 0
// gives the circumcircle. An impossible radius gives false with the midpoint
// of p1 p2 as centre and |p1 p2| + 3 as radius.
bool CircleByTwoPointsRadius(const RPoint2D& p1, const RPoint2D& p2, const RPoint2D& p3, double r, double& cx,
                             double& cy, double& rOut);

// The point at a parametric angle; a and b are the semi-axes.
void EllipsePointAtParam(double& x, double& y, double paramDeg, double rotationDeg, double a, double b, double cx,
                         double cy);
// The point seen from the centre in the true direction angleDeg. a or b 0
// leaves the outputs untouched; a rotation of 0 or below is not applied.
void EllipsePointAtAngle(double& x, double& y, double angleDeg, double rotationDeg, double a, double b, double cx,
                         double cy);
// The parametric angle of the point in true direction angleDeg, plus the rotation.
void EllipseParamAngle(double& paramDeg, double angleDeg, double rotationDeg, double a, double b, double unused1,
                       double unused2, double unused3, double unused4);
// The factor that turns the distance r from the centre to (px, py) into the
// major semi-axis of the ellipse of that ratio and rotation through the point.
double EllipseDirectionFactor(double ratio, double rotationDeg, double r, double cx, double cy, double px, double py);
RPointPair ArcEndPoints(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg);
RPointPair ArcEndPointsWithRatio(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg,
                                 double ratio);
RPoint2D ArcMidPoint(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg, double ratio);
// Writes n + 1 points along the arc (equal angles: a full turn from the start)
// and returns whether start and end lie within 0.01 of each other. With n < 1
// or fewer than n + 1 places nothing is written.
bool ArcToPolyline(std::span<RPoint2D> points, int n, double cx, double cy, double r, double ratio, double startDeg,
                   double endDeg, double rotationDeg);
// Directions from the centre to the first and to the second point.
std::pair<double, double> AnglesFromCentre(double cx, double cy, double unused1, double unused2, double unused3,
                                           double x1, double y1, double x2, double y2);

// Orders the two angles so the anticlockwise arc from start to end holds throughDeg.
void OrderArcAngles(double& startDeg, double& endDeg, double throughDeg);
double ArcLength(double cx, double cy, double r, double startDeg, double endDeg, double unused);
// (px, py) lies on the arc within tol.
bool PointOnArc(double cx, double cy, double r, double startDeg, double endDeg, double rotationDeg, double ratio,
                double px, double py, double tol);
bool PointOnArcRatioFirst(double cx, double cy, double r, double ratio, double rotationDeg, double startDeg,
                          double endDeg, double px, double py, double tol);
// Mirrors a circular arc in the vertical (scaleX < 0), then the horizontal
// (scaleY < 0) line through its centre.
void MirrorArcAngles(float& startDeg, float& endDeg, float& rotationDeg, double cx, double cy, double r, double scaleX,
                     double scaleY);
