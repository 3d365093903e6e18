// Corner trim of two lines, a line and an arc, or two arcs; the join of
// offset lines.

#include "tools/edit/corner_trim.h"

#include <cmath>

#include "geometry/arcs_ellipses.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/intersections.h"
#include "tools/edit/arc_end_rule.h"

namespace {

bool HasLength(const RToolLine& line) { return line.X1 != line.X2 || line.Y1 != line.Y2; }

// Line (end, X) keeping the loaded line's attribute bytes.
RToolLine FromEndToCrossing(const RToolLine& line, double ex, double ey, double xx, double xy) {
  RToolLine result = line;
  result.X1 = ex;
  result.Y1 = ey;
  result.X2 = xx;
  result.Y2 = xy;
  return result;
}

// The end farther from X stays; P1 on a tie.
RToolLine FartherEndToCrossing(const RToolLine& line, double xx, double xy) {
  if (PointDistance(xx, xy, line.X2, line.Y2) > PointDistance(xx, xy, line.X1, line.Y1)) {
    return FromEndToCrossing(line, line.X2, line.Y2, xx, xy);
  }
  return FromEndToCrossing(line, line.X1, line.Y1, xx, xy);
}

bool IsFullCircle(const RToolArc& arc, double tolerance) {
  return std::abs(NormalizeAngle360(arc.EndAngle) - NormalizeAngle360(arc.StartAngle)) < tolerance;
}

}  // namespace

RToolLine KeptEndToCrossing(const RToolLine& line, double xx, double xy, double fx, double fy, double t1, double t2) {
  const double a1 = DirectionAngleDeg(xx, xy, line.X1, line.Y1);
  const double a2 = DirectionAngleDeg(xx, xy, line.X2, line.Y2);
  const double af = DirectionAngleDeg(xx, xy, fx, fy);
  // Plain differences: a direction just either side of 0/360 counts as far.
  if (std::abs(a1 - af) < t1 && std::abs(a2 - af) > 15.0) return FromEndToCrossing(line, line.X1, line.Y1, xx, xy);
  if (std::abs(a1 - af) > 15.0 && std::abs(a2 - af) < t2) return FromEndToCrossing(line, line.X2, line.Y2, xx, xy);
  return FartherEndToCrossing(line, xx, xy);
}

Ttremingobj::Ttremingobj(bool SwapFirst, double AX, double AY, double BX, double BY, double Tolerance_)
    : PickA{AX, AY}, PickB{BX, BY}, Tolerance(Tolerance_) {
  WorkPicks[0] = SwapFirst ? PickA : PickB;
  WorkPicks[1] = SwapFirst ? PickB : PickA;
}

void Ttremingobj::SetLine(std::uint8_t LineType, std::uint8_t Colour, double X1, double Y1, double X2, double Y2,
                          std::uint8_t LayerGroup, std::uint8_t Layer, std::uint8_t Slot) {
  if (Slot > 1) return;
  RToolLine& line = InputLines[Slot];
  line.X1 = X1;
  line.Y1 = Y1;
  line.X2 = X2;
  line.Y2 = Y2;
  line.LineType = LineType;
  line.ColorNo = Colour;
  line.Group = LayerGroup;
  line.Layer = Layer;
  ResultLines[Slot] = line;
}

void Ttremingobj::SetLineWithFlag(std::uint8_t LineType, std::uint8_t Colour, double X1, double Y1, double X2,
                                  double Y2, std::uint8_t LayerGroup, std::uint8_t Layer, std::uint8_t Slot,
                                  std::uint8_t Flag) {
  if (Slot > 1) return;
  InputLines[Slot].Flag = Flag;
  SetLine(LineType, Colour, X1, Y1, X2, Y2, LayerGroup, Layer, Slot);
}

void Ttremingobj::SetArc(std::uint8_t LineType, std::uint8_t Colour, double CentreX, double CentreY, double Radius,
                         float AxisRatio, float StartAngle, float EndAngle, float Rotation, std::uint8_t LayerGroup,
                         std::uint8_t Layer, std::uint8_t Slot) {
  if (Slot > 1) return;
  RToolArc& arc = InputArcs[Slot];
  arc.CentreX = CentreX;
  arc.CentreY = CentreY;
  arc.Radius = Radius;
  arc.Ratio = AxisRatio;
  arc.StartAngle = StartAngle;
  arc.EndAngle = EndAngle;
  arc.Rotation = Rotation;
  arc.LineType = LineType;
  arc.ColorNo = Colour;
  arc.Group = LayerGroup;
  arc.Layer = Layer;
  ResultArcs[Slot] = arc;
}

void Ttremingobj::TrimLineLine() {
  const RToolLine& l0 = InputLines[0];
  const RToolLine& l1 = InputLines[1];
  // A line without length has no pick foot: nothing to trim.
  if (!HasLength(l0) || !HasLength(l1)) return;
  double xx = 0.0, xy = 0.0;
  if (!CrossingOrMerge(xx, xy)) return;
  double f0x = 0.0, f0y = 0.0, f1x = 0.0, f1y = 0.0;
  PerpendicularFoot(f0x, f0y, l0.X1, l0.Y1, l0.X2, l0.Y2, PickA.x, PickA.y);
  PerpendicularFoot(f1x, f1y, l1.X1, l1.Y1, l1.X2, l1.Y2, PickB.x, PickB.y);
  ResultLines[0] = KeptEndToCrossing(l0, xx, xy, f0x, f0y, 1e-6, 1e-6);
  ResultLines[1] = KeptEndToCrossing(l1, xx, xy, f1x, f1y, 1e-6, 1e-5);
  Status = kMade;
}

bool Ttremingobj::CrossingOrMerge(double& xx, double& xy) {
  const RToolLine& l0 = InputLines[0];
  const RToolLine& l1 = InputLines[1];
  bool collinear = false;
  if (!IntersectLinesOrCollinearEps6e5(xx, xy, collinear, l0.X1, l0.Y1, l0.X2, l0.Y2, l1.X1, l1.Y1, l1.X2, l1.Y2)) {
    Status = kNoCorner;
    return false;
  }
  if (!collinear) return true;
  RToolLine& merged = ResultLines[0];
  LongestEndPointSpan(l0.X1, l0.Y1, l0.X2, l0.Y2, l1.X1, l1.Y1, l1.X2, l1.Y2, merged.X1, merged.Y1, merged.X2,
                      merged.Y2);
  Status = kCollinear;
  return false;
}

void Ttremingobj::JoinLineLine() {
  if (!HasLength(InputLines[0]) || !HasLength(InputLines[1])) return;
  double xx = 0.0, xy = 0.0;
  bool collinear = false;
  {
    const RToolLine& l0 = InputLines[0];
    const RToolLine& l1 = InputLines[1];
    if (!IntersectLinesOrCollinearEps6e5(xx, xy, collinear, l0.X1, l0.Y1, l0.X2, l0.Y2, l1.X1, l1.Y1, l1.X2, l1.Y2) ||
        collinear) {
      Status = kNoCorner;
      return;
    }
  }
  for (RToolLine& line : InputLines) {
    if (line.Flag != 0 && line.Flag != 2) line.Flag = 0;
  }
  const RToolLine& l0 = InputLines[0];
  const RToolLine& l1 = InputLines[1];
  // Flag 2: the line's first point was joined before, so its second point
  // stays.
  RToolLine r0 = FartherEndToCrossing(l0, xx, xy);
  if (l0.Flag == 2) {
    r0 = l0;
    r0.X1 = xx;
    r0.Y1 = xy;
  }
  r0.Flag = 0;
  RToolLine r1;
  const double a1 = DirectionAngleDeg(xx, xy, l1.X1, l1.Y1);
  const double a2 = DirectionAngleDeg(xx, xy, l1.X2, l1.Y2);
  if (std::abs(a1 - a2) < 1e-4) {
    // X lies outside the line.
    r1 = FartherEndToCrossing(l1, xx, xy);
  } else {
    double fx = 0.0, fy = 0.0;
    PerpendicularFoot(fx, fy, l1.X1, l1.Y1, l1.X2, l1.Y2, WorkPicks[1].x, WorkPicks[1].y);
    const double af = DirectionAngleDeg(xx, xy, fx, fy);
    r1 = std::abs(a1 - af) >= 1.0 ? FromEndToCrossing(l1, l1.X2, l1.Y2, xx, xy)
                                  : FromEndToCrossing(l1, l1.X1, l1.Y1, xx, xy);
  }
  r1.Flag = 2;
  ResultLines[0] = r0;
  ResultLines[1] = r1;
  Status = kMade;
}

void Ttremingobj::TrimLineArc() {
  const RToolLine& line = InputLines[0];
  const RToolArc& arc = ResultArcs[0];
  if (!HasLength(line) || !(arc.Radius > 0.0)) return;
  const bool full = IsFullCircle(arc, 1e-5);
  double fx = 0.0, fy = 0.0;
  PerpendicularFoot(fx, fy, line.X1, line.Y1, line.X2, line.Y2, WorkPicks[1].x, WorkPicks[1].y);
  RPointPair hits;
  if (arc.Ratio == 1.0) {
    // A line that passes the circle by has no crossing to trim to (the
    // crossing service would answer the point nearest the centre).
    double cx = 0.0, cy = 0.0;
    PerpendicularFoot(cx, cy, line.X1, line.Y1, line.X2, line.Y2, arc.CentreX, arc.CentreY);
    if (PointDistance(cx, cy, arc.CentreX, arc.CentreY) - arc.Radius > 0.0001) return;
    hits = IntersectLineCircle(line.X1, line.Y1, line.X2, line.Y2, arc.CentreX, arc.CentreY, arc.Radius);
  } else {
    const RPointPair missing{kNoSecondPoint, kNoSecondPoint, kNoSecondPoint, kNoSecondPoint};
    hits =
        IntersectLineEllipse(line.X1, line.Y1, line.X2, line.Y2, arc.Radius, arc.CentreX, arc.CentreY, arc.StartAngle,
                             arc.EndAngle, arc.Rotation, arc.Ratio, WorkPicks[0].x, WorkPicks[0].y, 45.0, missing);
    // The one point found stands for both crossings.
    hits.xb = hits.xa;
    hits.yb = hits.ya;
  }
  if (hits.xa <= -8900.0 && hits.xb <= -8900.0) return;
  double qx = hits.xa, qy = hits.ya;
  if (PointDistance(fx, fy, hits.xb, hits.yb) < PointDistance(fx, fy, hits.xa, hits.ya)) {
    qx = hits.xb;
    qy = hits.yb;
  }
  RToolLine& result = ResultLines[0];
  const double d1 = PointDistance(line.X1, line.Y1, fx, fy);
  const double d2 = PointDistance(line.X1, line.Y1, qx, qy);
  const double toPick = DirectionAngleDeg(line.X1, line.Y1, fx, fy);
  const double toCrossing = DirectionAngleDeg(line.X1, line.Y1, qx, qy);
  if (d1 > d2 || std::abs(toPick - toCrossing) > 1.0) {
    result.X1 = qx;
    result.Y1 = qy;
  } else {
    result.X2 = qx;
    result.Y2 = qy;
  }
  if (full) return;
  double p = DirectionAngleDeg(arc.CentreX, arc.CentreY, WorkPicks[0].x, WorkPicks[0].y);
  double c = DirectionAngleDeg(arc.CentreX, arc.CentreY, qx, qy);
  if (arc.Ratio != 1.0) {
    const double a = arc.Radius, b = arc.Radius * arc.Ratio;
    EllipseParamAngle(p, p, arc.Rotation, a, b, 0.0, 0.0, 0.0, 0.0);
    EllipseParamAngle(c, c, arc.Rotation, a, b, 0.0, 0.0, 0.0, 0.0);
  }
  Status = kLineArcTrimmed;
  ApplyArcEndRule(ResultArcs[0], p, c);
}

void Ttremingobj::TrimArcArc() {
  const RToolArc& a0 = ResultArcs[0];
  const RToolArc& a1 = ResultArcs[1];
  if (IsFullCircle(a0, 1e-4) || IsFullCircle(a1, 1e-4)) return;
  const double d = PointDistance(a0.CentreX, a0.CentreY, a1.CentreX, a1.CentreY);
  if (d == 0.0 || d > a0.Radius + a1.Radius || d < std::abs(a0.Radius - a1.Radius)) return;
  const RPointPair hits = IntersectCircles(a0.CentreX, a0.CentreY, a0.Radius, a1.CentreX, a1.CentreY, a1.Radius);
  double qx = hits.xa, qy = hits.ya;
  if (PointDistance(hits.xb, hits.yb, PickB.x, PickB.y) < PointDistance(hits.xa, hits.ya, PickB.x, PickB.y) &&
      PointDistance(hits.xb, hits.yb, PickA.x, PickA.y) < PointDistance(hits.xa, hits.ya, PickA.x, PickA.y)) {
    qx = hits.xb;
    qy = hits.yb;
  }
  const double p0 = DirectionAngleDeg(a0.CentreX, a0.CentreY, PickA.x, PickA.y);
  const double c0 = DirectionAngleDeg(a0.CentreX, a0.CentreY, qx, qy);
  const double p1 = DirectionAngleDeg(a1.CentreX, a1.CentreY, PickB.x, PickB.y);
  const double c1 = DirectionAngleDeg(a1.CentreX, a1.CentreY, qx, qy);
  ApplyArcEndRule(ResultArcs[0], p0, c0);
  ApplyArcEndRule(ResultArcs[1], p1, c1);
}
