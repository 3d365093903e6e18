// The corner cuts of the corner tool between two loaded lines: straight
// chamfers, the rounded corner and its cove, the notch and the fillet.
//
// Every cut is computed aside and written only when it succeeds: a cut that
// cannot be made answers "no corner" and leaves the result slots as loaded.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/arcs_ellipses.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"
#include "tools/edit/corner_trim.h"
#include "tools/settings/default_settings.h"

namespace {

bool HasLengthChamfer(const RToolLine& line) { return line.X1 != line.X2 || line.Y1 != line.Y2; }

// Moves the corner end (second point) of a trimmed line (staying end, X)
// towards the staying end by s. False when that passes the staying end:
// the line would turn round.
bool SetBack(RToolLine& line, double s) {
  const double length = PointDistance(line.X1, line.Y1, line.X2, line.Y2);
  if (s > length) return false;
  const double k = length == 0.0 ? 0.0 : s / length;
  const double xx = line.X2, xy = line.Y2;
  line.X2 = xx + (line.X1 - xx) * k;
  line.Y2 = xy + (line.Y1 - xy) * k;
  return true;
}

RToolArc CornerCircle(double cx, double cy, double r, const RToolArc& attributesFrom) {
  RToolArc arc = attributesFrom;
  arc.CentreX = cx;
  arc.CentreY = cy;
  arc.Radius = r;
  arc.Ratio = 1.0;
  arc.Rotation = 0.0;
  return arc;
}

}  // namespace

bool Ttremingobj::CornerStep(double& xx, double& xy, std::array<RToolLine, 2>& lines) {
  const RToolLine& l0 = InputLines[0];
  const RToolLine& l1 = InputLines[1];
  if (!CrossingOrMerge(xx, xy)) return false;
  double f0x = 0.0, f0y = 0.0, f1x = 0.0, f1y = 0.0;
  PerpendicularFoot(f0x, f0y, l0.X1, l0.Y1, l0.X2, l0.Y2, PickA.x, PickA.y);
  PerpendicularFoot(f1x, f1y, l1.X1, l1.Y1, l1.X2, l1.Y2, PickB.x, PickB.y);
  lines[0] = KeptEndToCrossing(l0, xx, xy, f0x, f0y, 1e-7, 1e-7);
  lines[1] = KeptEndToCrossing(l1, xx, xy, f1x, f1y, 1e-7, 1e-6);
  return true;
}

double Ttremingobj::ChamferSetBack(double Size, const std::array<RToolLine, 2>& lines) {
  const double a0 = DirectionAngleDeg(lines[0].X2, lines[0].Y2, lines[0].X1, lines[0].Y1);
  const double a1 = DirectionAngleDeg(lines[1].X2, lines[1].Y2, lines[1].X1, lines[1].Y1);
  const double spread = std::abs(a0 - a1);
  const double theta = std::min(spread, 360.0 - spread) * (std::numbers::pi / 180.0);
  const double sine = std::sin(theta);
  // A trimmed line of no length has no angle: set back by Size itself.
  if (sine == 0.0) return Size;
  return Size * std::sin((std::numbers::pi - theta) / 2.0) / sine;
}

void Ttremingobj::SetShortArcAngles(double a0, double a1) {
  RToolArc& arc = ResultArcs[0];
  const bool largerFirst = std::abs(a0 - a1) > 180.0;
  arc.StartAngle = largerFirst ? std::max(a0, a1) : std::min(a0, a1);
  arc.EndAngle = largerFirst ? std::min(a0, a1) : std::max(a0, a1);
}

void Ttremingobj::MirrorResultArc(double px, double py, double qx, double qy) {
  RToolArc& arc = ResultArcs[0];
  double cx = 0.0, cy = 0.0, sx = 0.0, sy = 0.0, ex = 0.0, ey = 0.0, rx = 0.0, ry = 0.0;
  PolarPointBuffered(sx, sy, arc.StartAngle, arc.Radius, arc.CentreX, arc.CentreY);
  PolarPointBuffered(ex, ey, arc.EndAngle, arc.Radius, arc.CentreX, arc.CentreY);
  PolarPointBuffered(rx, ry, arc.Rotation, arc.Radius, arc.CentreX, arc.CentreY);
  ReflectPoint(cx, cy, arc.CentreX, arc.CentreY, px, py, qx, qy);
  ReflectPoint(sx, sy, sx, sy, px, py, qx, qy);
  ReflectPoint(ex, ey, ex, ey, px, py, qx, qy);
  ReflectPoint(rx, ry, rx, ry, px, py, qx, qy);
  // A mirror turns the sweep round: the mirrored end is the new start.
  arc.CentreX = cx;
  arc.CentreY = cy;
  arc.StartAngle = DirectionAngleDeg(cx, cy, ex, ey);
  arc.EndAngle = DirectionAngleDeg(cx, cy, sx, sy);
  switch (static_cast<int>(std::trunc(arc.Rotation + 0.01))) {
    case 0: arc.Rotation = 0.0; break;
    case 90: arc.Rotation = 270.0; break;
    case 180: arc.Rotation = 180.0; break;
    case 270: arc.Rotation = 90.0; break;
    default: arc.Rotation = DirectionAngleDeg(cx, cy, rx, ry); break;
  }
}

void Ttremingobj::ChamferCorner(std::uint8_t Kind, double Size, double GroupScale) {
  // A loaded line without length gives no corner to cut: everything stays.
  if (!HasLengthChamfer(InputLines[0]) || !HasLengthChamfer(InputLines[1])) return;
  if (!std::isfinite(Size) || !std::isfinite(GroupScale)) {
    Status = kNoCorner;
    return;
  }
  if (Kind == 4) {
    NotchCorner(GroupScale);
    return;
  }
  if (Kind == 5) {
    FilletCorner(Size);
    return;
  }
  double xx = 0.0, xy = 0.0;
  std::array<RToolLine, 2> lines;
  if (!CornerStep(xx, xy, lines)) return;
  const double s = Kind == 1 ? ChamferSetBack(Size, lines) : Size;
  if (!SetBack(lines[0], s) || !SetBack(lines[1], s)) {
    Status = kNoCorner;
    return;
  }
  ResultLines = lines;
  const double t0x = lines[0].X2, t0y = lines[0].Y2, t1x = lines[1].X2, t1y = lines[1].Y2;
  ChamferLines[0] = ToolLineOf(t0x, t0y, t1x, t1y);
  Status = kMade;
  if ((Kind != 2 && Kind != 3) || Size == 0.0) return;
  // The circle through both set-back points whose centre lies on the
  // bisector at m from X: at a right angle that is X itself. The short arc
  // about it bulges away from the corner (the cove); mirrored in the chord
  // it is tangent to both lines (the rounded corner).
  const double mx = (t0x + t1x) / 2.0, my = (t0y + t1y) / 2.0;
  const double h = PointDistance(xx, xy, mx, my);
  const double c = PointDistance(mx, my, t0x, t0y);
  const double q = h == 0.0 ? 0.0 : c / h;
  const double m = h - c * q;
  double ox = 0.0, oy = 0.0;
  PolarPoint(ox, oy, DirectionAngleDeg(xx, xy, mx, my), m, xx, xy);
  const double r = PointDistance(ox, oy, t0x, t0y);
  SetShortArcAngles(DirectionAngleDeg(ox, oy, t0x, t0y), DirectionAngleDeg(ox, oy, t1x, t1y));
  if (r < 1e-7) return;
  const double start = ResultArcs[0].StartAngle, end = ResultArcs[0].EndAngle;
  ResultArcs[0] = CornerCircle(ox, oy, r, ResultArcs[0]);
  ResultArcs[0].StartAngle = start;
  ResultArcs[0].EndAngle = end;
  if (Kind == 2) MirrorResultArc(t0x, t0y, t1x, t1y);
}

void Ttremingobj::NotchCorner(double GroupScale) {
  const RToolLine& l0 = InputLines[0];
  const RToolLine& l1 = InputLines[1];
  if (!(GroupScale > 0.0)) {
    Status = kNoCorner;
    return;
  }
  double xx = 0.0, xy = 0.0;
  if (!CrossingOrMerge(xx, xy)) return;
  std::array<RToolLine, 2> lines;
  // The part of each line whose run to X passes the pick box stays.
  double f0x = 0.0, f0y = 0.0, f1x = 0.0, f1y = 0.0;
  PerpendicularFoot(f0x, f0y, l0.X1, l0.Y1, l0.X2, l0.Y2, PickA.x, PickA.y);
  PerpendicularFoot(f1x, f1y, l1.X1, l1.Y1, l1.X2, l1.Y2, PickB.x, PickB.y);
  const double t = Tolerance;
  for (int i = 0; i < 2; ++i) {
    const RToolLine& in = InputLines[i];
    const double fx = i == 0 ? f0x : f1x, fy = i == 0 ? f0y : f1y;
    lines[i] = in;
    if (!SegmentTouchesRect(in.X1, in.Y1, xx, xy, fx - t, fy - t, fx + t, fy + t)) {
      lines[i].X1 = in.X2;
      lines[i].Y1 = in.Y2;
    }
    lines[i].X2 = xx;
    lines[i].Y2 = xy;
  }
  if (!SetBack(lines[0], ToolDefaults.ChamferLength1 / GroupScale) ||
      !SetBack(lines[1], ToolDefaults.ChamferLength2 / GroupScale)) {
    Status = kNoCorner;
    return;
  }
  ResultLines = lines;
  const double t0x = lines[0].X2, t0y = lines[0].Y2, t1x = lines[1].X2, t1y = lines[1].Y2;
  // The fourth corner of the parallelogram on X, T0 and T1.
  const double mx = (t0x + t1x) / 2.0, my = (t0y + t1y) / 2.0;
  double qx = 0.0, qy = 0.0;
  PolarPoint(qx, qy, DirectionAngleDeg(xx, xy, mx, my), 2.0 * PointDistance(xx, xy, mx, my), xx, xy);
  ChamferLines[0] = ToolLineOf(t0x, t0y, qx, qy);
  ChamferLines[1] = ToolLineOf(t1x, t1y, qx, qy);
  Status = kMade;
}

void Ttremingobj::FilletCorner(double R) {
  double xx = 0.0, xy = 0.0;
  std::array<RToolLine, 2> lines;
  if (!CornerStep(xx, xy, lines)) return;
  const double e0x = lines[0].X1, e0y = lines[0].Y1, e1x = lines[1].X1, e1y = lines[1].Y1;
  // The centre lies inside the corner: on the side the path from E1
  // through X to E0 turns to.
  const bool left = (xx - e1x) * (e0y - xy) - (xy - e1y) * (e0x - xx) > 0.0;
  const RPointPair off0 = OffsetSegmentSide(left, xx, xy, e0x, e0y, R);
  const RPointPair off1 = OffsetSegmentSide(left, e1x, e1y, xx, xy, R);
  double ox = 0.0, oy = 0.0;
  if (!IntersectLines(ox, oy, off0.xa, off0.ya, off0.xb, off0.yb, off1.xa, off1.ya, off1.xb, off1.yb)) {
    Status = kNoCorner;
    return;
  }
  for (RToolLine& line : lines) {
    double tx = 0.0, ty = 0.0;
    if (!PerpendicularFoot(tx, ty, line.X1, line.Y1, line.X2, line.Y2, ox, oy)) {
      Status = kNoCorner;
      return;
    }
    // A touching point past the staying end would turn the line round.
    const double dx = line.X1 - xx, dy = line.Y1 - xy;
    if ((tx - xx) * dx + (ty - xy) * dy > dx * dx + dy * dy) {
      Status = kNoCorner;
      return;
    }
    line.X2 = tx;
    line.Y2 = ty;
  }
  ResultLines = lines;
  Status = kMade;
  if (R < 1e-7) return;
  const auto [toT0, toT1] = AnglesFromCentre(ox, oy, 0.0, 0.0, 0.0, lines[0].X2, lines[0].Y2, lines[1].X2, lines[1].Y2);
  ResultArcs[0] = CornerCircle(ox, oy, R, ResultArcs[0]);
  ResultArcs[0].StartAngle = left ? toT1 : toT0;
  ResultArcs[0].EndAngle = left ? toT0 : toT1;
}
