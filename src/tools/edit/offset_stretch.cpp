// Offset of a circle or arc, stretch of a line or an arc end.

#include "tools/edit/offset_stretch.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "tools/edit/arc_end_rule.h"

TFukuenobj::TFukuenobj(double CentreX, double CentreY, double Radius, float AxisRatio, float StartAngle, float EndAngle,
                       float Rotation) {
  Source.CentreX = CentreX;
  Source.CentreY = CentreY;
  Source.Radius = Radius;
  Source.Ratio = AxisRatio;
  Source.StartAngle = StartAngle;
  Source.EndAngle = EndAngle;
  Source.Rotation = Rotation;
}

bool TFukuenobj::Offset(double X, double Y, double Distance) {
  const double r = Source.Radius;
  const bool outside = PointDistance(Source.CentreX, Source.CentreY, X, Y) >= r;
  Result = Source;
  Result.Radius = outside ? r + Distance : r - Distance;
  return Result.Radius > 0.0;
}

TSinsyukuobj::TSinsyukuobj(double AX, double AY, double BX, double BY, double Tolerance_)
    : PointAX(AX), PointAY(AY), PointBX(BX), PointBY(BY), Tolerance(Tolerance_) {}

void TSinsyukuobj::StretchLine(std::uint8_t LineType, std::uint8_t Colour, double X1, double Y1, double X2, double Y2,
                               std::uint8_t LayerGroup, std::uint8_t Layer) {
  SourceLine = RToolLine{};
  SourceLine.X1 = X1;
  SourceLine.Y1 = Y1;
  SourceLine.X2 = X2;
  SourceLine.Y2 = Y2;
  SourceLine.LineType = LineType;
  SourceLine.ColorNo = Colour;
  SourceLine.Group = LayerGroup;
  SourceLine.Layer = Layer;
  ResultLine = SourceLine;
  ElementKind = 0;
  double fax = 0.0, fay = 0.0, fbx = 0.0, fby = 0.0;
  // A line of zero length has no feet: nothing to stretch.
  if (!PerpendicularFoot(fax, fay, X1, Y1, X2, Y2, PointAX, PointAY)) return;
  PerpendicularFoot(fbx, fby, X1, Y1, X2, Y2, PointBX, PointBY);
  const double a = PointDistance(fax, fay, fbx, fby);
  const double b = PointDistance(X1, Y1, fax, fay);
  const double c = PointDistance(X1, Y1, fbx, fby);
  bool moveFirst = false;
  if (b > c) {
    moveFirst = !(PointDistance(fbx, fby, X2, Y2) < a);
  } else {
    moveFirst = PointDistance(fbx, fby, X1, Y1) < a;
  }
  if (moveFirst) {
    ResultLine.X1 = fbx;
    ResultLine.Y1 = fby;
  } else {
    ResultLine.X2 = fbx;
    ResultLine.Y2 = fby;
  }
}

void TSinsyukuobj::StretchArc(std::uint8_t LineType, std::uint8_t Colour, double CentreX, double CentreY, double Radius,
                              float AxisRatio, float StartAngle, float EndAngle, float Rotation,
                              std::uint8_t LayerGroup, std::uint8_t Layer) {
  SourceArc = RToolArc{};
  SourceArc.CentreX = CentreX;
  SourceArc.CentreY = CentreY;
  SourceArc.Radius = Radius;
  SourceArc.Ratio = AxisRatio;
  SourceArc.StartAngle = StartAngle;
  SourceArc.EndAngle = EndAngle;
  SourceArc.Rotation = Rotation;
  SourceArc.LineType = LineType;
  SourceArc.ColorNo = Colour;
  SourceArc.Group = LayerGroup;
  SourceArc.Layer = Layer;
  ResultArc = SourceArc;
  ElementKind = 1;
  const RToolArc& arc = SourceArc;
  if (std::abs(NormalizeAngle360(arc.EndAngle) - NormalizeAngle360(arc.StartAngle)) < 0.01) return;
  double alpha = DirectionAngleDeg(CentreX, CentreY, PointAX, PointAY);
  double beta = DirectionAngleDeg(CentreX, CentreY, PointBX, PointBY);
  if (arc.Ratio != 1.0) {
    const double a = arc.Radius, b = arc.Radius * arc.Ratio;
    EllipseParamAngle(alpha, alpha, arc.Rotation, a, b, 0.0, 0.0, 0.0, 0.0);
    EllipseParamAngle(beta, beta, arc.Rotation, a, b, 0.0, 0.0, 0.0, 0.0);
  }
  ApplyArcEndRule(ResultArc, alpha, beta);
}
