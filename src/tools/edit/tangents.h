#pragma once
// Tangent lines to circles: from a point, common to two circles, and at a
// chosen position or in a chosen direction. Of a picked circle, arc or
// ellipse only the centre and the radius count: an arc is its full circle.

#include "records/draw_records.h"
#include "tools/edit/tool_records.h"

// The tangent from a point to a circle.
class TSesenTenenobj {
 public:
  // (PickX, PickY): where the circle was picked; (PointX, PointY): the point
  // the tangent starts from.
  TSesenTenenobj(const RDrawElement& Circle, double PickX, double PickY, double PointX, double PointY);

  // The element is a circle and the point does not lie inside it.
  bool HasTangent() const;
  // The line from the point to the touching point nearer the pick (the
  // second of the two on a tie). Call only after HasTangent.
  void Compute();

  double PickX = 0.0;
  double PickY = 0.0;
  double PointX = 0.0;
  double PointY = 0.0;
  RToolArc Circle;
  // The circle on the point and the centre as diameter.
  double MidX = 0.0;
  double MidY = 0.0;
  double HalfLength = 0.0;
  bool Valid = false;
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
};

// A common tangent of two circles, chosen by the picks.
class TSesEnEnenobj {
 public:
  TSesEnEnenobj(const RDrawElement& Circle1, double Pick1X, double Pick1Y, double Pick2X, double Pick2Y,
                const RDrawElement& Circle2);

  // Both are circles and the tangent family the picks select exists: the
  // smaller circle does not lie inside the larger one, and for a crossing
  // tangent the circles do not overlap.
  bool HasTangent() const;
  // The line from the touching point on the smaller circle to the one on
  // the larger circle.
  void Compute();
  // Picks on facing sides (directions from the centres more than 90 degrees
  // apart) select a crossing tangent, otherwise an outer one.
  bool CrossTangentPicked() const;

  // The smaller circle and its pick (circle 1 when the radii are equal).
  RToolArc Small;
  double SmallPickX = 0.0;
  double SmallPickY = 0.0;
  RToolArc Large;
  double LargePickX = 0.0;
  double LargePickY = 0.0;
  double MidX = 0.0;
  double MidY = 0.0;
  double HalfDistance = 0.0;
  bool Valid = false;
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
};

// The tangent touching a circle at a chosen position, or running in a
// chosen direction on the side of that position, cut to two further points.
class TSesSenEnSiteiobj {
 public:
  // (X, Y): the position; the touching point lies in its direction from the centre.
  TSesSenEnSiteiobj(const RDrawElement& Circle, double X, double Y);

  // ByAngle false: the tangent at the touching point. ByAngle true: the
  // tangent of direction Angle on the touching point's side. The result runs
  // from the foot of (X1, Y1) on it to the foot of (X2, Y2).
  void BuildTangent(bool ByAngle, double X1, double Y1, double X2, double Y2, double Angle);

  RDrawElement Circle;
  double Direction = 0.0;  // from the centre to the position
  double TouchX = 0.0;
  double TouchY = 0.0;
  double ResultX1 = 0.0;
  double ResultY1 = 0.0;
  double ResultX2 = 0.0;
  double ResultY2 = 0.0;
};
