// Styles 0 to 5 of the continuous-line tool: the plain polyline with its
// corners mitred or rounded and its sideways shift, the double line, and
// the polylines with arrowheads or an end circle.
//
// n is PointCount, P[i] the fixed points, E the end computed from the
// cursor. The fixed segments are built first, then the moving one from P[n]
// to E; finishing drops the moving entry (two for the double line), so the
// end marks stay at the last fixed point.

#include "tools/lines/continuous_line.h"

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"
#include "tools/lines/corner_rounding.h"
#include "tools/settings/default_settings.h"

namespace {

// Below this (drawing mm) a fillet is no fillet: the corner is mitred.
constexpr double kSmallestFillet = 0.00001;

// A corner record before its join: a zero-filled arc.
RDrawElement CornerRecord() {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  return e;
}

void SetPoints(RDrawElement& e, const RPointPair& p) {
  e.X1 = p.xa;
  e.Y1 = p.ya;
  e.X2 = p.xb;
  e.Y2 = p.yb;
}

// Strokes from the apex at direction d plus and minus the arrow angle.
void Strokes(double apexX, double apexY, double d, RDrawElement& Side1, RDrawElement& Side2) {
  const double length = DimensionDefaults.ArrowLength;
  const double angle = DimensionDefaults.ArrowAngle;
  RDrawElement* sides[2] = {&Side1, &Side2};
  const double directions[2] = {TRenzokuSenobj::WrapAngle(d + angle), TRenzokuSenobj::WrapAngle(d - angle)};
  for (int k = 0; k < 2; ++k) {
    RDrawElement& side = *sides[k];
    side.Kind = kKindLine;
    side.X1 = apexX;
    side.Y1 = apexY;
    double x = 0.0, y = 0.0;
    PolarPoint(x, y, directions[k], length, apexX, apexY);
    side.X2 = x;
    side.Y2 = y;
  }
}

}  // namespace

void TRenzokuSenobj::BuildPolyline(double PX, double PY, double BaseAngle, double AngleStep, double SetLength,
                                   double ViewScale) {
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, AngleStep, SetLength);
  const auto n = static_cast<std::size_t>(PointCount);
  Elements.clear();
  if (n == 1) {
    double sx = PointX[1], sy = PointY[1];
    // A start snapped to a circle's centre may begin on the circle instead,
    // where the line towards E leaves it.
    if (PickedFlag != 0 && ToolDefaults.PickedStartOnCurve != 0 && ToolDefaults.PickedStartOption != 0) {
      const RDrawElement& c = PickedElement;
      EllipsePointAtAngle(sx, sy, DirectionAngleDeg(PointX[1], PointY[1], e.x, e.y), c.Rotation, c.Radius,
                          c.Radius * c.Ratio, c.X1, c.Y1);
    }
    Elements.push_back(ShiftedLine(sx, sy, e.x, e.y));
    return;
  }
  for (std::size_t j = 2; j <= n; ++j) {
    if (j >= 3) Elements.push_back(CornerRecord());
    Elements.push_back(ShiftedLine(PointX[j - 1], PointY[j - 1], PointX[j], PointY[j]));
    if (j >= 3) {
      const std::size_t line = Elements.size() - 1;
      JoinCorner(Elements[line - 2], Elements[line], Elements[line - 1]);
    }
  }
  // The moving line starts a little way out from P[n], so the preview does
  // not draw over the corner.
  double mx = 0.0, my = 0.0;
  PolarPoint(mx, my, DirectionAngleDeg(PointX[n], PointY[n], e.x, e.y), 0.6 / ViewScale, PointX[n], PointY[n]);
  Elements.push_back(ShiftedLine(mx, my, e.x, e.y));
}

bool TRenzokuSenobj::JoinCorner(RDrawElement& Line1, RDrawElement& Line2, RDrawElement& Corner) const {
  if (DraftDefaults.FilletRadius / GroupScale >= kSmallestFillet) return RoundCorner(Line1, Line2, Corner);
  double x = 0.0, y = 0.0;
  if (!IntersectLines(x, y, Line1.X1, Line1.Y1, Line1.X2, Line1.Y2, Line2.X1, Line2.Y1, Line2.X2, Line2.Y2)) {
    return false;
  }
  Line1.X2 = x;
  Line1.Y2 = y;
  Line2.X1 = x;
  Line2.Y1 = y;
  // A zero circle keeps the corner's place; the commit skips it.
  Corner.X1 = 0.0;
  Corner.Y1 = 0.0;
  Corner.Radius = 0.0;
  Corner.Ratio = 1.0f;
  Corner.StartAngle = 0.0f;
  Corner.EndAngle = 0.0f;
  Corner.Rotation = 0.0f;
  return false;
}

bool TRenzokuSenobj::RoundCorner(RDrawElement& Line1, RDrawElement& Line2, RDrawElement& Corner) const {
  const double r = DraftDefaults.FilletRadius / GroupScale;
  TakeRoundedCorner(RoundCornerByCornerTool(Line1, Line2, r), Line1, Line2, Corner);
  return true;
}

void TRenzokuSenobj::MitreJoin(RDrawElement& Line1, RDrawElement& Line2) {
  double x = 0.0, y = 0.0;
  if (!IntersectLines(x, y, Line1.X1, Line1.Y1, Line1.X2, Line1.Y2, Line2.X1, Line2.Y1, Line2.X2, Line2.Y2)) {
    return;
  }
  Line1.X2 = x;
  Line1.Y2 = y;
  Line2.X1 = x;
  Line2.Y1 = y;
}

void TRenzokuSenobj::BuildDoubleLine(double PX, double PY, double BaseAngle, double AngleStep, double SetLength) {
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, AngleStep, SetLength);
  const double w1 = DraftDefaults.DoubleLineRightWidth / GroupScale;
  const double w2 = DraftDefaults.DoubleLineLeftWidth / GroupScale;
  const auto n = static_cast<std::size_t>(PointCount);
  auto appendPair = [&](double x1, double y1, double x2, double y2) {
    RPointPair right, left;
    OffsetPair(x1, y1, x2, y2, w1, w2, right, left);
    RDrawElement r = LineElement(0, 0, 0, 0), l = r;
    SetPoints(r, right);
    SetPoints(l, left);
    Elements.push_back(r);
    Elements.push_back(l);
  };
  Elements.clear();
  for (std::size_t j = 2; j <= n; ++j) {
    appendPair(PointX[j - 1], PointY[j - 1], PointX[j], PointY[j]);
    if (j >= 3) {
      const std::size_t left2 = Elements.size() - 1;
      MitrePairs(Elements[left2 - 3], Elements[left2 - 2], Elements[left2], Elements[left2 - 1]);
    }
  }
  appendPair(PointX[n], PointY[n], e.x, e.y);
}

void TRenzokuSenobj::OffsetPair(double X1, double Y1, double X2, double Y2, double RightWidth, double LeftWidth,
                                RPointPair& Right, RPointPair& Left) {
  RPoint2D a, b;
  OffsetSegment(X1, Y1, X2, Y2, -RightWidth, a, b);
  Right = {a.x, a.y, b.x, b.y};
  OffsetSegment(X1, Y1, X2, Y2, LeftWidth, a, b);
  Left = {a.x, a.y, b.x, b.y};
}

void TRenzokuSenobj::MitrePairs(RDrawElement& Right1, RDrawElement& Left1, RDrawElement& Left2, RDrawElement& Right2) {
  double rx = 0.0, ry = 0.0;
  if (!IntersectLines(rx, ry, Right1.X1, Right1.Y1, Right1.X2, Right1.Y2, Right2.X1, Right2.Y1, Right2.X2, Right2.Y2)) {
    return;
  }
  Right1.X2 = rx;
  Right1.Y2 = ry;
  Right2.X1 = rx;
  Right2.Y1 = ry;
  // The left lines are parallel to the right ones, so they cross too.
  MitreJoin(Left1, Left2);
}

void TRenzokuSenobj::BuildMarkedPolyline(double PX, double PY, double BaseAngle, double AngleStep, double SetLength) {
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, AngleStep, SetLength);
  const auto n = static_cast<std::size_t>(PointCount);
  const double markSize = DraftDefaults.PolylineMarkSize;
  Elements.clear();
  if (n == 1) {
    Elements.assign(1, ShiftedLine(PointX[1], PointY[1], e.x, e.y));
    switch (Style) {
      case 2:
      case 3:
        Elements.resize(3, ZeroElement());
        Arrowhead(Elements[0], Elements[1], Elements[2]);
        break;
      case 4:
        Elements.resize(5, ZeroElement());
        BothArrowheads(Elements[0], Elements[0], Elements[3], Elements[4], Elements[1], Elements[2]);
        break;
      case 5:
        Elements.resize(3, ZeroElement());
        Arrowhead(Elements[0], Elements[1], Elements[2]);
        Elements.push_back(CircleElement(Elements[0].X2, Elements[0].Y2, markSize));
        ShortenForMark(Elements[0]);
        break;
      default: break;
    }
    return;
  }
  for (std::size_t j = 2; j <= n; ++j) {
    Elements.push_back(ShiftedLine(PointX[j - 1], PointY[j - 1], PointX[j], PointY[j]));
    if (j >= 3) MitreJoin(Elements[Elements.size() - 2], Elements.back());
  }
  const std::size_t h = Elements.size() - 1;  // the last fixed line
  const RDrawElement moving = ShiftedLine(PointX[n], PointY[n], e.x, e.y);
  switch (Style) {
    case 2:
    case 3:
      Elements.resize(h + 3, ZeroElement());
      Arrowhead(Elements[Style == 2 ? 0 : h], Elements[h + 1], Elements[h + 2]);
      break;
    case 4:
      Elements.resize(h + 5, ZeroElement());
      BothArrowheads(Elements[0], Elements[h], Elements[h + 3], Elements[h + 4], Elements[h + 1], Elements[h + 2]);
      break;
    case 5:
      Elements.resize(h + 3, ZeroElement());
      Arrowhead(Elements[0], Elements[h + 1], Elements[h + 2]);
      Elements.push_back(CircleElement(Elements[h].X2, Elements[h].Y2, markSize));
      break;
    default: break;
  }
  Elements.push_back(moving);
  if (Style == 5) ShortenForMark(Elements[h]);
}

void TRenzokuSenobj::Arrowhead(const RDrawElement& Line, RDrawElement& Side1, RDrawElement& Side2) const {
  double apexX = 0.0, apexY = 0.0, d = 0.0;
  if (Style == 2 || Style == 5) {
    apexX = Line.X1;
    apexY = Line.Y1;
    d = DirectionAngleDeg(Line.X1, Line.Y1, Line.X2, Line.Y2);
  } else if (Style == 3) {
    apexX = Line.X2;
    apexY = Line.Y2;
    d = DirectionAngleDeg(Line.X2, Line.Y2, Line.X1, Line.Y1);
  }
  Strokes(apexX, apexY, d, Side1, Side2);
}

void TRenzokuSenobj::BothArrowheads(const RDrawElement& FirstLine, const RDrawElement& LastLine, RDrawElement& EndSide1,
                                    RDrawElement& EndSide2, RDrawElement& StartSide1, RDrawElement& StartSide2) {
  // Copies first: one line may be both the first and the last.
  const RDrawElement first = FirstLine, last = LastLine;
  Strokes(first.X1, first.Y1, DirectionAngleDeg(first.X1, first.Y1, first.X2, first.Y2), StartSide1, StartSide2);
  Strokes(last.X2, last.Y2, DirectionAngleDeg(last.X2, last.Y2, last.X1, last.Y1), EndSide1, EndSide2);
}

void TRenzokuSenobj::ShortenForMark(RDrawElement& Line) {
  double x = 0.0, y = 0.0;
  PolarPoint(x, y, WrapAngle(DirectionAngleDeg(Line.X2, Line.Y2, Line.X1, Line.Y1)), DraftDefaults.PolylineMarkSize,
             Line.X2, Line.Y2);
  Line.X2 = x;
  Line.Y2 = y;
}
