// Tangent lines to circles.

#include "tools/edit/tangents.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/intersections.h"

namespace {

RToolArc CircleOf(const RDrawElement& e) {
  RToolArc arc;
  arc.CentreX = e.X1;
  arc.CentreY = e.Y1;
  arc.Radius = e.Radius;
  arc.Ratio = e.Ratio;
  arc.StartAngle = e.StartAngle;
  arc.EndAngle = e.EndAngle;
  arc.Rotation = e.Rotation;
  arc.LineType = e.LineType;
  arc.ColorNo = e.ColorNo;
  arc.Group = e.Group;
  arc.Layer = e.Layer;
  return arc;
}

// A circle a tangent can touch: of kind 3, finite, with a radius above 0.
bool UsableCircle(const RDrawElement& e) {
  return e.Kind == kKindArc && std::isfinite(e.X1) && std::isfinite(e.Y1) && std::isfinite(e.Radius) && e.Radius > 0.0;
}

// The point of the circle in direction angleDeg from its centre.
RPoint2D PointAtDirection(double cx, double cy, double r, double angleDeg) {
  return RotateAboutCentreExact(angleDeg, cx, cy, cx + r, cy);
}

}  // namespace

TSesenTenenobj::TSesenTenenobj(const RDrawElement& CircleElement, double PickX_, double PickY_, double PointX_,
                               double PointY_)
    : PickX(PickX_),
      PickY(PickY_),
      PointX(PointX_),
      PointY(PointY_),
      Circle(CircleOf(CircleElement)),
      Valid(UsableCircle(CircleElement)) {
  MidX = (PointX + Circle.CentreX) / 2.0;
  MidY = (PointY + Circle.CentreY) / 2.0;
  HalfLength = PointDistance(PointX, PointY, MidX, MidY);
}

bool TSesenTenenobj::HasTangent() const {
  if (!Valid || !std::isfinite(PointX) || !std::isfinite(PointY)) return false;
  return PointDistance(PointX, PointY, Circle.CentreX, Circle.CentreY) >= Circle.Radius;
}

void TSesenTenenobj::Compute() {
  const RPointPair touch = IntersectCircles(MidX, MidY, HalfLength, Circle.CentreX, Circle.CentreY, Circle.Radius);
  const bool first = PointDistance(touch.xa, touch.ya, PickX, PickY) < PointDistance(touch.xb, touch.yb, PickX, PickY);
  X1 = PointX;
  Y1 = PointY;
  X2 = first ? touch.xa : touch.xb;
  Y2 = first ? touch.ya : touch.yb;
}

TSesEnEnenobj::TSesEnEnenobj(const RDrawElement& Circle1, double Pick1X, double Pick1Y, double Pick2X, double Pick2Y,
                             const RDrawElement& Circle2)
    : Valid(UsableCircle(Circle1) && UsableCircle(Circle2)) {
  const bool secondSmaller = Circle2.Radius < Circle1.Radius;
  Small = CircleOf(secondSmaller ? Circle2 : Circle1);
  Large = CircleOf(secondSmaller ? Circle1 : Circle2);
  SmallPickX = secondSmaller ? Pick2X : Pick1X;
  SmallPickY = secondSmaller ? Pick2Y : Pick1Y;
  LargePickX = secondSmaller ? Pick1X : Pick2X;
  LargePickY = secondSmaller ? Pick1Y : Pick2Y;
  MidX = (Small.CentreX + Large.CentreX) / 2.0;
  MidY = (Small.CentreY + Large.CentreY) / 2.0;
  HalfDistance = PointDistance(Small.CentreX, Small.CentreY, MidX, MidY);
}

bool TSesEnEnenobj::CrossTangentPicked() const {
  const double d1 = DirectionAngleDeg(Small.CentreX, Small.CentreY, SmallPickX, SmallPickY);
  const double d2 = DirectionAngleDeg(Large.CentreX, Large.CentreY, LargePickX, LargePickY);
  return std::abs(d1 - d2) > 90.0;
}

bool TSesEnEnenobj::HasTangent() const {
  if (!Valid) return false;
  const double d = PointDistance(Small.CentreX, Small.CentreY, Large.CentreX, Large.CentreY);
  // Concentric circles share no tangent line (equal ones every one of theirs).
  if (!(d > 0.0)) return false;
  if (d < Large.Radius - Small.Radius) return false;
  return !CrossTangentPicked() || d >= Large.Radius + Small.Radius;
}

void TSesEnEnenobj::Compute() {
  const double c1x = Small.CentreX, c1y = Small.CentreY, r1 = Small.Radius;
  const double c2x = Large.CentreX, c2y = Large.CentreY, r2 = Large.Radius;
  // The normals of the two tangents of the family, as directions from the
  // larger centre; a crossing tangent touches the smaller circle opposite.
  double theta[2];
  const bool cross = CrossTangentPicked();
  if (!cross && std::abs(r1 - r2) < 1e-4) {
    const double d = DirectionAngleDeg(c1x, c1y, c2x, c2y);
    theta[0] = NormalizeAngle360(d + 90.0);
    theta[1] = NormalizeAngle360(d + 270.0);
  } else {
    const RPointPair p = IntersectCircles(c2x, c2y, cross ? r2 + r1 : r2 - r1, MidX, MidY, HalfDistance);
    theta[0] = DirectionAngleDeg(c2x, c2y, p.xa, p.ya);
    theta[1] = DirectionAngleDeg(c2x, c2y, p.xb, p.yb);
  }
  RPoint2D onSmall[2], onLarge[2];
  for (int i = 0; i < 2; ++i) {
    onSmall[i] = PointAtDirection(c1x, c1y, r1, cross ? NormalizeAngle360(theta[i] + 180.0) : theta[i]);
    onLarge[i] = PointAtDirection(c2x, c2y, r2, theta[i]);
  }
  const int k = PointDistance(onSmall[1].x, onSmall[1].y, SmallPickX, SmallPickY) <
                        PointDistance(onSmall[0].x, onSmall[0].y, SmallPickX, SmallPickY)
                    ? 1
                    : 0;
  X1 = onSmall[k].x;
  Y1 = onSmall[k].y;
  X2 = onLarge[k].x;
  Y2 = onLarge[k].y;
}

TSesSenEnSiteiobj::TSesSenEnSiteiobj(const RDrawElement& CircleElement, double X, double Y) : Circle(CircleElement) {
  Direction = DirectionAngleDeg(Circle.X1, Circle.Y1, X, Y);
  const RPoint2D t = PointAtDirection(Circle.X1, Circle.Y1, Circle.Radius, Direction);
  TouchX = t.x;
  TouchY = t.y;
}

void TSesSenEnSiteiobj::BuildTangent(bool ByAngle, double X1, double Y1, double X2, double Y2, double Angle) {
  const double cx = Circle.X1, cy = Circle.Y1, r = Circle.Radius;
  RPoint2D touch{TouchX, TouchY};
  double direction = NormalizeAngle360(Direction + 90.0);
  if (ByAngle) {
    if (!std::isfinite(Angle)) return;
    direction = NormalizeAngle360(Angle);
    const RPoint2D ahead = PointAtDirection(TouchX, TouchY, 20.0, direction);
    double fx = cx, fy = cy;
    PerpendicularFoot(fx, fy, TouchX, TouchY, ahead.x, ahead.y, cx, cy);
    // Through the centre the foot gives no side: the tangent of that
    // direction on its left is taken.
    if (PointDistance(fx, fy, cx, cy) <= 1e-9 * r) {
      touch = PointAtDirection(cx, cy, r, NormalizeAngle360(direction + 90.0));
    } else {
      touch = PointAtDirection(cx, cy, r, DirectionAngleDeg(cx, cy, fx, fy));
    }
  }
  const RPoint2D ahead = PointAtDirection(touch.x, touch.y, ByAngle ? 20.0 : 10.0, direction);
  double x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
  PerpendicularFoot(x1, y1, touch.x, touch.y, ahead.x, ahead.y, X1, Y1);
  PerpendicularFoot(x2, y2, touch.x, touch.y, ahead.x, ahead.y, X2, Y2);
  ResultX1 = x1;
  ResultY1 = y1;
  ResultX2 = x2;
  ResultY2 = y2;
}
