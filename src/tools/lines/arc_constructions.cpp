// Styles 10 to 12 of the chained-dimension tool: construction geometry
// rather than dimensions. Division points or radial lines along a picked
// circle, two lines from the ends of a base to an apex, and a text laid out
// character by character along a picked circle. None writes a value text.

#include <cmath>

#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "geometry/sjis_text.h"
#include "tools/lines/chained_dimension.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kPiArcConstructions = 3.14159265358979323846;
constexpr double kStepBound = 0.0001;
// More division points than any drawing can use: a pitch this fine is
// taken as no pitch rather than filling memory.
constexpr double kMaxDivisions = 100000.0;

RDrawElement PointAt(double x, double y) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.X1 = x;
  e.Y1 = y;
  return e;
}

// The point of C's curve, grown by Offset, seen from its centre at Angle;
// the centre when the grown curve has no size.
RPoint2D PointOnCurve(const RDrawElement& C, double Angle, double Offset = 0.0) {
  RPoint2D p{C.X1, C.Y1};
  const double a = C.Radius + Offset;
  EllipsePointAtAngle(p.x, p.y, Angle, C.Rotation, a, a * C.Ratio, C.X1, C.Y1);
  return p;
}

bool Nearer(double px, double py, RPoint2D a, RPoint2D b) {
  return PointDistance(a.x, a.y, px, py) < PointDistance(b.x, b.y, px, py);
}

}  // namespace

bool TRenSunpoSenobj::ArcSweep(double PX, double PY, double& Start, double& Sweep) const {
  const RDrawElement& c = Picks[1].Element;
  if (Picks[1].Found == 0 || c.Kind != kKindArc) return false;
  Start = DirectionAngleDeg(c.X1, c.Y1, PointX[2], PointY[2]);
  const double toward = DirectionAngleDeg(c.X1, c.Y1, PointX[3], PointY[3]);
  const double end = DirectionAngleDeg(c.X1, c.Y1, PX, PY);
  const bool anticlockwise = NormalizeAngle(toward - Start) < 90.0;
  if (std::fabs(end - Start) <= kStepBound) {
    Sweep = 360.0;
  } else {
    Sweep = anticlockwise ? NormalizeAngle(end - Start) : -NormalizeAngle(Start - end);
  }
  return true;
}

void TRenSunpoSenobj::BuildArcDivision(double PX, double PY) {
  if (CursorOnLastPoint(PX, PY)) return;
  if (PointCount == 1) {
    ClearResult();
    return;
  }
  if (PointCount != 3) return;
  double start = 0.0, sweep = 0.0;
  if (!ArcSweep(PX, PY, start, sweep)) return;
  const RToolDefaults& t = ToolDefaults;
  const RDrawElement& c = Picks[1].Element;
  const bool byCount = t.Chain10Option == 0 || t.Chain10Option == 2;
  const bool asLines = t.Chain10Option >= 2;
  int n = 0;
  double step = 0.0;
  if (byCount) {
    if (t.Chain10Count == 0) return;
    n = t.Chain10Count;
    step = sweep / n;
  } else {
    // The angle one pitch spans on the circle's radius.
    const double w = t.Chain10Size / GroupScale / (2.0 * kPiArcConstructions * c.Radius) * 360.0;
    if (!(w > 0.0) || !std::isfinite(w)) return;
    const double count = std::floor(std::fabs(sweep) / w);
    if (count > kMaxDivisions) return;
    n = static_cast<int>(count);
    step = sweep < 0.0 ? -w : w;
  }
  Elements.clear();
  for (int i = 0; i <= n; ++i) {
    const RPoint2D p = PointOnCurve(c, NormalizeAngle(start + i * step));
    Elements.push_back(asLines ? LineElement(c.X1, c.Y1, p.x, p.y) : PointAt(p.x, p.y));
  }
}

void TRenSunpoSenobj::ApexByBaseAngles(std::uint8_t Mode, double B1X, double B1Y, double B2X, double B2Y, double V1,
                                       double V2, RPoint2D& A1, RPoint2D& A2) {
  A1 = A2 = RPoint2D{0.0, 0.0};
  // A slope is a rise per 10 of run.
  const auto baseAngle = [Mode](double v) { return Mode == 2 ? std::atan(v * 0.1) * 180.0 / kPiArcConstructions : v; };
  const double t1 = baseAngle(V1), t2 = baseAngle(V2);
  if (t1 + t2 >= 180.0) return;
  const double m = DirectionAngleDeg(B1X, B1Y, B2X, B2Y);
  double s1x = 0.0, s1y = 0.0, s2x = 0.0, s2y = 0.0;
  PolarPoint(s1x, s1y, NormalizeAngle(m + t1), 10.0, B1X, B1Y);
  PolarPoint(s2x, s2y, NormalizeAngle(m + 180.0 - t2), 10.0, B2X, B2Y);
  double x = 0.0, y = 0.0;
  if (!IntersectLines(x, y, B1X, B1Y, s1x, s1y, B2X, B2Y, s2x, s2y)) return;
  A1 = {x, y};
  ReflectPoint(A2.x, A2.y, x, y, B1X, B1Y, B2X, B2Y);
}

void TRenSunpoSenobj::BuildApexLines(double PX, double PY) {
  if (PointCount != 2) return;
  const RToolDefaults& t = ToolDefaults;
  if (t.Chain11Option > 3) return;
  const double b1x = PointX[1], b1y = PointY[1], b2x = PointX[2], b2y = PointY[2];
  const double base = PointDistance(b1x, b1y, b2x, b2y);
  if (PointDistance(b1x, b1y, PX, PY) < kStepBound || PointDistance(b2x, b2y, PX, PY) < kStepBound ||
      base < kStepBound) {
    return;
  }
  double d1 = std::fabs(t.Chain11Size1), d2 = std::fabs(t.Chain11Size2);
  RPoint2D apex{PX, PY};
  if (t.Chain11Option == 0) {
    // Side lengths are real lengths.
    d1 /= GroupScale;
    d2 /= GroupScale;
    if (!std::isfinite(d1) || !std::isfinite(d2)) return;
    if (d1 > 0.0 && d2 == 0.0) {
      PolarPoint(apex.x, apex.y, DirectionAngleDeg(b1x, b1y, PX, PY), d1, b1x, b1y);
    } else if (d1 == 0.0 && d2 > 0.0) {
      PolarPoint(apex.x, apex.y, DirectionAngleDeg(b2x, b2y, PX, PY), d2, b2x, b2y);
    } else if (d1 > 0.0 && d1 + d2 > base && d2 <= d1 + base && d1 <= d2 + base) {
      const RPointPair both = IntersectCircles(b1x, b1y, d1, b2x, b2y, d2);
      const RPoint2D a{both.xa, both.ya}, b{both.xb, both.yb};
      apex = Nearer(PX, PY, a, b) ? a : b;
    }
  } else if (t.Chain11Option <= 2 && d1 != 0.0 && d2 != 0.0) {
    RPoint2D a1, a2;
    ApexByBaseAngles(t.Chain11Option, b1x, b1y, b2x, b2y, d1, d2, a1, a2);
    if (a1.x != 0.0 || a1.y != 0.0) apex = Nearer(PX, PY, a1, a2) ? a1 : a2;
  }
  ClearResult();
  if (t.Chain11Option == 3) {
    double fx = PX, fy = PY;
    PerpendicularFoot(fx, fy, b1x, b1y, b2x, b2y, PX, PY);
    Elements.push_back(LineElement(fx, fy, PX, PY));
  } else {
    if (t.Chain11Option2 == 0) Elements.push_back(LineElement(b1x, b1y, apex.x, apex.y));
    Elements.push_back(LineElement(b2x, b2y, apex.x, apex.y));
  }
  LastIndex = static_cast<std::int32_t>(Elements.size()) - 1;
}

void TRenSunpoSenobj::BuildTextOnArc(double PX, double PY) {
  if (CursorOnLastPoint(PX, PY)) return;
  if (PointCount == 1) {
    ClearResult();
    return;
  }
  if (PointCount != 3) return;
  const RFirstData11& d = FirstData11;
  const std::vector<std::string> chars = SplitSjisCharacters(d.Chain9Text.empty() ? J("無題") : d.Chain9Text);
  const int last = static_cast<int>(chars.size()) - 1;
  if (last < 1 || d.Chain12Option > 3) return;
  double start = 0.0, sweep = 0.0;
  if (!ArcSweep(PX, PY, start, sweep)) return;
  const double step = sweep / last;
  // Characters read along the sweep, so a clockwise one turns them over.
  double turn = sweep < 0.0 ? 180.0 : 0.0;
  const double w = StyleOf(d.Chain9TextStyle).Width * 0.1;
  double offset = 0.0;
  std::uint8_t justify = 6;
  switch (d.Chain12Option) {
    case 0:
      offset = d.Chain12Size;
      turn = -90.0;
      justify = 1;
      break;
    case 1:
      offset = -d.Chain12Size;
      turn = 90.0;
      justify = 1;
      break;
    case 2: offset = w + d.Chain12Size; break;
    default: offset = -(w + d.Chain12Size);
  }
  const RDrawElement& c = Picks[1].Element;
  Elements.clear();
  // Entries from an earlier cursor position would pile up with every move.
  Texts.clear();
  for (int i = 0; i <= last; ++i) {
    const RPoint2D p = PointOnCurve(c, NormalizeAngle(start + i * step), offset);
    const double angle = NormalizeAngle(DirectionAngleDeg(p.x, p.y, c.X1, c.Y1) + turn);
    Texts.push_back(chars[static_cast<std::size_t>(i)]);
    RDrawElement& e = Elements.emplace_back();
    MakeText(e, Texts.back(), p.x, p.y, angle, static_cast<std::uint16_t>(Texts.size() - 1), justify, d.Chain9TextStyle,
             1);
  }
}
