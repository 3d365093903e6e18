// The floor-area table.

#include "tools/edit/floor_area.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "geometry/number_format.h"
#include "tools/edit/tool_messages.h"
#include "tools/settings/default_settings.h"

namespace {

using Quad = std::array<RPoint2D, 4>;

// Corner orders tried after the first pick, then the order taken when none
// of them goes round the figure.
constexpr std::array<std::array<int, 4>, 5> kCornerOrders{{
    {0, 1, 2, 3},
    {0, 2, 3, 1},
    {0, 3, 1, 2},
    {0, 2, 1, 3},
    {0, 3, 2, 1},
}};
constexpr std::array<int, 4> kFallbackOrder{0, 1, 3, 2};
// The corner angles of an order that goes round a convex figure add up to 360.
constexpr double kFullTurn = 360.0;
constexpr double kFullTurnTolerance = 0.02;
// A corner this close to 90 degrees is square.
constexpr double kRectangleTolerance = 0.005;
constexpr double kRightTriangleTolerance = 0.001;
// Sweeps of an arc, in degrees: within the first of 0 or 360 a full circle,
// up to the second a segment, up to the third a half circle.
constexpr double kFullCircleTolerance = 0.01;
constexpr double kSegmentLimit = 179.99;
constexpr double kHalfCircleLimit = 180.01;
// The tables take pi as 3.14 and half of it as 1.57.
constexpr double kCircleFactor = 3.14;
constexpr double kHalfCircleFactor = 1.57;

RPoint2D MidpointFloorArea(const RPoint2D& a, const RPoint2D& b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

RToolLine ConstructionLine(const RPoint2D& a, const RPoint2D& b) {
  RToolLine line = ToolLineOf(a.x, a.y, b.x, b.y);
  line.LineType = DraftDefaults.TableLineType2;
  return line;
}

// Foot of the perpendicular from p on the line a-b; p itself when a and b
// are one point, so that the height is 0.
RPoint2D FootOn(const RPoint2D& a, const RPoint2D& b, const RPoint2D& p) {
  RPoint2D f = p;
  PerpendicularFoot(f.x, f.y, a.x, a.y, b.x, b.y, p.x, p.y);
  return f;
}

double CornerAngleAt(const Quad& q, int i) {
  const RPoint2D& prev = q[static_cast<std::size_t>((i + 3) % 4)];
  const RPoint2D& cur = q[static_cast<std::size_t>(i)];
  const RPoint2D& next = q[static_cast<std::size_t>((i + 1) % 4)];
  return TYukaMenobj::CornerAngle(cur.x, cur.y, prev.x, prev.y, cur.x, cur.y, next.x, next.y);
}

bool GoesRound(const Quad& q) {
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) sum += CornerAngleAt(q, i);
  return std::abs(sum - kFullTurn) <= kFullTurnTolerance;
}

double Cross(const RPoint2D& o, const RPoint2D& a, const RPoint2D& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// The one corner at which the figure in this order turns against its own
// sense, or -1 when there is none, more than one, or no figure at all
// (points on one line).
int SoleReflexCorner(const Quad& q) {
  double twiceArea = 0.0;
  for (std::size_t i = 0; i < 4; ++i) {
    twiceArea += q[i].x * q[(i + 1) % 4].y - q[(i + 1) % 4].x * q[i].y;
  }
  if (twiceArea == 0.0) return -1;
  int reflex = -1;
  int count = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const double turn = Cross(q[(i + 3) % 4], q[i], q[(i + 1) % 4]);
    if (turn * twiceArea < 0.0) {
      reflex = static_cast<int>(i);
      ++count;
    }
  }
  return count == 1 ? reflex : -1;
}

Quad Reordered(const Quad& q, const std::array<int, 4>& order) {
  Quad r;
  for (std::size_t i = 0; i < 4; ++i) r[i] = q[static_cast<std::size_t>(order[i])];
  return r;
}

}  // namespace

TYukaMenobj::TYukaMenobj(std::uint8_t Group_, std::uint8_t Layer_, double GroupScale_,
                         std::span<const RTextStyle> Styles, std::uint8_t TextStyle_, std::uint8_t TextStyle2_)
    : GroupScale(GroupScale_),
      TextStyle(TextStyle_),
      TextStyle2(TextStyle2_),
      Group(Group_),
      Layer(Layer_),
      StartNumber(DraftDefaults.TableStartNumber) {
  std::copy_n(Styles.begin(), std::min(Styles.size(), TextStyles.size()), TextStyles.begin());
}

// ---- texts ----

double TYukaMenobj::TruncateDecimals(int Decimals, double V) { return ::TruncateDecimals(Decimals, V); }

void TYukaMenobj::PlaceLabel(double& X, double& Y, std::uint8_t Justify, const std::string& Text, double& EndY,
                             double& EndX) const {
  PlaceAreaLabel(LabelStyle(), LabelAngle, X, Y, Justify, Text, EndY, EndX);
}

void TYukaMenobj::LengthText(std::string& S, double X1, double Y1, double X2, double Y2) const {
  S = AreaLengthText(X1, Y1, X2, Y2, GroupScale);
}

void TYukaMenobj::RadiusText(std::string& S, double R) const { S = AreaDrawingLengthText(R, GroupScale); }

void TYukaMenobj::ProductAreaText(const std::string& A, const std::string& B, std::string& S) const {
  S = AreaValueText(AreaTextValue(A) * AreaTextValue(B));
}

void TYukaMenobj::CircleAreaText(const std::string& R, std::string& S, double Factor) const {
  const double r = AreaTextValue(R);
  S = AreaValueText(r * r * Factor);
}

void TYukaMenobj::SegmentAreaText(const std::string& Chord, const std::string& Distance, std::string& S,
                                  const std::string& Angle, const std::string& Radius) const {
  const double r = AreaTextValue(Radius);
  S = AreaValueText(r * r * kCircleFactor * AreaTextValue(Angle) / 360.0 -
                    AreaTextValue(Chord) * AreaTextValue(Distance) * 0.5);
}

void TYukaMenobj::TriangleAreaText(const std::string& A, const std::string& B, std::string& S, double Factor) const {
  S = AreaValueText(AreaTextValue(A) * AreaTextValue(B) * Factor);
}

void TYukaMenobj::TwoTriangleAreaText(const std::string& A, const std::string& B, std::string& S, double Factor,
                                      const std::string& A2, const std::string& B2) const {
  S = AreaValueText((AreaTextValue(A) * AreaTextValue(B) + AreaTextValue(A2) * AreaTextValue(B2)) * Factor);
}

void TYukaMenobj::TrapezoidAreaText(const std::string& A, const std::string& B, std::string& S,
                                    const std::string& H) const {
  S = AreaValueText((AreaTextValue(A) + AreaTextValue(B)) * AreaTextValue(H) * 0.5);
}

const RTextStyle& TYukaMenobj::LabelStyle() const { return AreaLabelStyle(TextStyles, TextStyle); }

Rmoziko TYukaMenobj::MakeLabel(double X, double Y, double Angle, std::uint8_t Justify, std::string Text) {
  LabelAngle = Angle;
  return MakeAreaLabel(LabelStyle(), TextStyle, X, Y, Angle, Justify, std::move(Text));
}

Rmoziko TYukaMenobj::SideLabel(double X1, double Y1, double X2, double Y2) {
  std::string text;
  LengthText(text, X1, Y1, X2, Y2);
  return MakeLabel((X1 + X2) / 2.0, (Y1 + Y2) / 2.0, DirectionAngleDeg(X1, Y1, X2, Y2), 1, std::move(text));
}

void TYukaMenobj::FinishRow(RYukaData& Row, double X, double Y, std::uint8_t Justify) {
  Row.NumberLabel = MakeLabel(X, Y, 0.0, Justify, IntToStr(static_cast<long long>(StartNumber) + RowCount));
  Row.NumberCircle = AreaNumberCircle(Row.NumberLabel, LabelStyle());
  Rows.push_back(std::move(Row));
  ++RowCount;
}

// ---- figure helpers ----

void TYukaMenobj::LongestSideMidpoint(RPoint2D& P, double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  const double d12 = PointDistance(X1, Y1, X2, Y2);
  const double d23 = PointDistance(X2, Y2, X3, Y3);
  const double d13 = PointDistance(X1, Y1, X3, Y3);
  if (d12 >= d23 && d12 >= d13) {
    P = {(X1 + X2) / 2.0, (Y1 + Y2) / 2.0};
  } else if (d23 >= d13) {
    P = {(X2 + X3) / 2.0, (Y2 + Y3) / 2.0};
  } else {
    P = {(X1 + X3) / 2.0, (Y1 + Y3) / 2.0};
  }
}

void TYukaMenobj::QuadCentroid(RPoint2D& P, double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                               double Y4) {
  P = {(X1 + X2 + X3 + X4) / 4.0, (Y1 + Y2 + Y3 + Y4) / 4.0};
}

double TYukaMenobj::CornerAngle(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                                double Y4) {
  const double d = std::abs(DirectionAngleDeg(X1, Y1, X2, Y2) - DirectionAngleDeg(X3, Y3, X4, Y4));
  return d > 180.0 ? 360.0 - d : d;
}

double TYukaMenobj::ArcSweep(double EndAngle, double StartAngle) {
  double sweep = EndAngle - StartAngle;
  if (StartAngle > EndAngle) sweep += 360.0;
  return sweep;
}

void TYukaMenobj::OrderQuadrilateral(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3, double& X4,
                                     double& Y4) {
  const Quad picked{{{X1, Y1}, {X2, Y2}, {X3, Y3}, {X4, Y4}}};
  Quad chosen;
  const auto goesRound = std::find_if(kCornerOrders.begin(), kCornerOrders.end(),
                                      [&](const auto& order) { return GoesRound(Reordered(picked, order)); });
  if (goesRound != kCornerOrders.end()) {
    chosen = Reordered(picked, *goesRound);
  } else if (const int reflex = SoleReflexCorner(picked); reflex >= 0) {
    // No order of a figure with a reflex corner passes the angle test, and
    // another order would be another figure: keep the picked one, started at
    // the reflex corner, so the diagonal P1-P3 runs inside it and the two
    // heights stand on either side.
    for (std::size_t i = 0; i < 4; ++i) chosen[i] = picked[(i + static_cast<std::size_t>(reflex)) % 4];
  } else {
    chosen = Reordered(picked, kFallbackOrder);
  }
  X1 = chosen[0].x;
  Y1 = chosen[0].y;
  X2 = chosen[1].x;
  Y2 = chosen[1].y;
  X3 = chosen[2].x;
  Y3 = chosen[2].y;
  X4 = chosen[3].x;
  Y4 = chosen[3].y;
}

std::uint8_t TYukaMenobj::ClassifyQuadrilateral(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3,
                                                double& X4, double& Y4) {
  const Quad q{{{X1, Y1}, {X2, Y2}, {X3, Y3}, {X4, Y4}}};
  bool square = true;
  for (int i = 0; i < 4; ++i) square = square && std::abs(CornerAngleAt(q, i) - 90.0) <= kRectangleTolerance;
  if (square) return 0;
  double x = 0.0;
  double y = 0.0;
  const bool firstPairCross = IntersectLinesEps1e7(x, y, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  const bool secondPairCross = IntersectLinesEps1e7(x, y, X2, Y2, X3, Y3, X4, Y4, X1, Y1);
  if (firstPairCross && secondPairCross) return 2;
  ParallelPair = firstPairCross;
  return 1;
}

void TYukaMenobj::OrderRightTriangle(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3) {
  const double d12 = PointDistance(X1, Y1, X2, Y2);
  const double d23 = PointDistance(X2, Y2, X3, Y3);
  const double d13 = PointDistance(X1, Y1, X3, Y3);
  if (d12 > d13 && d12 >= d23) {
    std::swap(X2, X3);
    std::swap(Y2, Y3);
  } else if (d23 > d13 && d23 > d12) {
    std::swap(X1, X2);
    std::swap(Y1, Y2);
  }
}

bool TYukaMenobj::ClassifyTriangle(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3) {
  const double corners[] = {CornerAngle(X1, Y1, X2, Y2, X1, Y1, X3, Y3), CornerAngle(X2, Y2, X1, Y1, X2, Y2, X3, Y3),
                            CornerAngle(X3, Y3, X1, Y1, X3, Y3, X2, Y2)};
  if (std::any_of(std::begin(corners), std::end(corners),
                  [](double a) { return std::abs(a - 90.0) <= kRightTriangleTolerance; })) {
    return false;
  }
  const double d12 = PointDistance(X1, Y1, X2, Y2);
  const double d23 = PointDistance(X2, Y2, X3, Y3);
  const double d13 = PointDistance(X1, Y1, X3, Y3);
  if (d23 > d12 && d23 > d13) {
    const double x1 = X1;
    const double y1 = Y1;
    X1 = X2;
    Y1 = Y2;
    X2 = X3;
    Y2 = Y3;
    X3 = x1;
    Y3 = y1;
  } else if (d13 > d12 && d13 > d23) {
    std::swap(X2, X3);
    std::swap(Y2, Y3);
  }
  return true;
}

// ---- rows ----

void TYukaMenobj::AddRow(std::uint8_t Kind, double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                         double Y4) {
  if (Kind == 0) {
    if (AllFinite({X1, Y1, X2, Y2, X3, Y3, X4, Y4})) AddQuadrilateralRow(Kind, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  } else if (Kind == 1) {
    if (AllFinite({X1, Y1, X2, Y2, X3, Y3})) AddTriangleRow(X1, Y1, X2, Y2, X3, Y3);
  }
}

void TYukaMenobj::AddQuadrilateralRow(std::uint8_t Kind, double X1, double Y1, double X2, double Y2, double X3,
                                      double Y3, double X4, double Y4) {
  OrderQuadrilateral(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  const RPoint2D p1{X1, Y1};
  const RPoint2D p2{X2, Y2};
  const RPoint2D p3{X3, Y3};
  const RPoint2D p4{X4, Y4};
  RYukaData row;
  row.Figure = Kind;
  row.Variant = ClassifyQuadrilateral(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  RPoint2D anchor;
  QuadCentroid(anchor, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  std::uint8_t justify = 1;
  switch (row.Variant) {
    case 0:
      row.Label1 = SideLabel(X1, Y1, X2, Y2);
      row.Label2 = SideLabel(X2, Y2, X3, Y3);
      ProductAreaText(row.Label1.Text, row.Label2.Text, row.AreaText);
      // The middle of the diagonal, the number centred on it.
      LongestSideMidpoint(anchor, X1, Y1, X2, Y2, X3, Y3);
      justify = 6;
      break;
    case 1: {
      // The height from a corner of one parallel side to the other side.
      const RPoint2D& top = ParallelPair ? p2 : p1;
      const RPoint2D f = ParallelPair ? FootOn(p1, p4, p2) : FootOn(p3, p4, p1);
      row.Label1 = SideLabel(f.x, f.y, top.x, top.y);
      row.Label2 = ParallelPair ? SideLabel(X2, Y2, X3, Y3) : SideLabel(X1, Y1, X2, Y2);
      row.Label3 = ParallelPair ? SideLabel(X1, Y1, X4, Y4) : SideLabel(X3, Y3, X4, Y4);
      row.Line1 = ConstructionLine(f, top);
      TrapezoidAreaText(row.Label2.Text, row.Label3.Text, row.AreaText, row.Label1.Text);
      break;
    }
    default: {
      const RPoint2D f2 = FootOn(p1, p3, p2);
      const RPoint2D f4 = FootOn(p1, p3, p4);
      row.Label1 = SideLabel(X1, Y1, X3, Y3);
      row.Label2 = SideLabel(X2, Y2, f2.x, f2.y);
      row.Label3 = SideLabel(f4.x, f4.y, X4, Y4);
      row.Line1 = ConstructionLine(p1, p3);
      row.Line2 = ConstructionLine(p2, f2);
      row.Line3 = ConstructionLine(p4, f4);
      TwoTriangleAreaText(row.Label1.Text, row.Label2.Text, row.AreaText, 0.5, row.Label1.Text, row.Label3.Text);
      break;
    }
  }
  FinishRow(row, anchor.x, anchor.y, justify);
}

void TYukaMenobj::AddTriangleRow(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  RYukaData row;
  row.Figure = 1;
  if (ClassifyTriangle(X1, Y1, X2, Y2, X3, Y3)) {
    // Base P1-P2 (the longest side) and the height onto it.
    const RPoint2D p3{X3, Y3};
    const RPoint2D f = FootOn({X1, Y1}, {X2, Y2}, p3);
    row.Label1 = SideLabel(X1, Y1, X2, Y2);
    row.Label2 = SideLabel(f.x, f.y, X3, Y3);
    row.Line1 = ConstructionLine(f, p3);
  } else {
    // The two sides of the right angle.
    OrderRightTriangle(X1, Y1, X2, Y2, X3, Y3);
    row.Label1 = SideLabel(X1, Y1, X2, Y2);
    row.Label2 = SideLabel(X2, Y2, X3, Y3);
  }
  TriangleAreaText(row.Label1.Text, row.Label2.Text, row.AreaText, 0.5);
  FinishRow(row, (X1 + X2 + X3) / 3.0, (Y1 + Y2 + Y3) / 3.0, 1);
}

void TYukaMenobj::AddArcRow(const RDrawElement& E, std::uint8_t Kind, double X, double Y) {
  if (E.Kind != kKindArc || Kind != 2) return;
  const RPoint2D o{E.X1, E.Y1};
  const double r = E.Radius;
  const double start = E.StartAngle;
  const double end = E.EndAngle;
  const double rotation = E.Rotation;
  if (!AllFinite({o.x, o.y, r, start, end, rotation, X, Y}) || !(r > 0.0)) return;
  const double sweep = ArcSweep(end, start);
  RYukaData row;
  row.Figure = 2;
  if (std::abs(sweep - 360.0) <= kFullCircleTolerance || std::abs(sweep) <= kFullCircleTolerance) {
    row.Variant = 0;
  } else if (sweep > kFullCircleTolerance && sweep <= kSegmentLimit) {
    row.Variant = 1;
  } else if (sweep > kSegmentLimit && sweep <= kHalfCircleLimit) {
    row.Variant = 2;
  } else {
    ShowToolWarning(J("半円以上の円弧は、計算できません！"));
    return;
  }
  const RPoint2D s = RotateAboutCentreExact(start + rotation, o.x, o.y, o.x + r, o.y);
  const RPoint2D t = RotateAboutCentreExact(end + rotation, o.x, o.y, o.x + r, o.y);
  std::string radius;
  RadiusText(radius, r);
  RPoint2D anchor = o;
  switch (row.Variant) {
    case 0: {
      // The radius towards the pick point.
      const double toPick = DirectionAngleDeg(o.x, o.y, X, Y);
      const RPoint2D q = RotateAboutCentreExact(toPick, o.x, o.y, o.x + r, o.y);
      const RPoint2D mid = MidpointFloorArea(o, q);
      row.Label1 = MakeLabel(mid.x, mid.y, toPick, 1, radius);
      row.Line1 = ConstructionLine(o, q);
      CircleAreaText(row.Label1.Text, row.AreaText, kCircleFactor);
      break;
    }
    case 2: {
      const RPoint2D mid = MidpointFloorArea(o, t);
      row.Label1 = MakeLabel(mid.x, mid.y, DirectionAngleDeg(t.x, t.y, o.x, o.y), 1, radius);
      row.Line1 = ConstructionLine(t, s);
      anchor = MidpointFloorArea(o, RotateAboutCentreExact(start + rotation + 90.0, o.x, o.y, o.x + r, o.y));
      CircleAreaText(row.Label1.Text, row.AreaText, kHalfCircleFactor);
      break;
    }
    default: {
      const RPoint2D f = FootOn(s, t, o);
      // The chord's label reads from T towards S.
      std::string chord;
      LengthText(chord, s.x, s.y, t.x, t.y);
      const RPoint2D chordMid = MidpointFloorArea(s, t);
      row.Label1 = MakeLabel(chordMid.x, chordMid.y, DirectionAngleDeg(t.x, t.y, s.x, s.y), 1, chord);
      row.Label2 = SideLabel(f.x, f.y, o.x, o.y);
      const RPoint2D radiusMid = MidpointFloorArea(o, t);
      row.Label3 = MakeLabel(radiusMid.x, radiusMid.y, NormalizeAngle360(end + rotation), 1, radius);
      // The central angle under the centre; the area is taken from it as
      // displayed, and the degree sign is added after.
      const double below = LabelStyle().Height * 0.1 * 1.5;
      const std::string angle = Format("%3.2f", {sweep});
      row.Label4 = MakeLabel(o.x, o.y - below, 0.0, 1, angle);
      row.Line1 = ConstructionLine(o, s);
      row.Line2 = ConstructionLine(o, t);
      row.Line3 = ConstructionLine(t, s);
      row.Line4 = ConstructionLine(o, f);
      // The number midway between the chord and the arc.
      const double d = PointDistance(o.x, o.y, f.x, f.y);
      PolarPoint(anchor.x, anchor.y, DirectionAngleDeg(o.x, o.y, f.x, f.y), d + (r - d) / 2.0, o.x, o.y);
      SegmentAreaText(row.Label1.Text, row.Label2.Text, row.AreaText, row.Label4.Text, row.Label3.Text);
      row.Label4 = MakeLabel(o.x, o.y - below, 0.0, 1, angle + J("°"));
      break;
    }
  }
  FinishRow(row, anchor.x, anchor.y, 1);
}
