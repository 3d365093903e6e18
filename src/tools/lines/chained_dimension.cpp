// The chained-dimension tool: points and picks, the style dispatch, the
// finish, and the geometry shared by the styles (arrowheads, leaders,
// diameter and radius lines).

#include "tools/lines/chained_dimension.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "geometry/arcs_ellipses.h"
#include "tools/settings/default_settings.h"

namespace {

using Builder = void (TRenSunpoSenobj::*)(double PX, double PY);

// Style -> builder.
constexpr std::array<Builder, kLastChainDimensionStyle + 1> kBuilders = {
    &TRenSunpoSenobj::BuildArcLengthChain,        // 0 arc lengths around a circle
    &TRenSunpoSenobj::BuildArcLengthChainArrows,  // 1 the same with arrowheads
    &TRenSunpoSenobj::BuildAngleChain,            // 2 angles around a circle
    &TRenSunpoSenobj::BuildAngleChainArrows,      // 3 the same with arrowheads
    &TRenSunpoSenobj::BuildDiameterDimension,     // 4 diameter of a circle or ellipse
    &TRenSunpoSenobj::BuildRadiusDimension,       // 5 radius of a circle or ellipse
    &TRenSunpoSenobj::BuildCentreLines,           // 6 centre lines
    &TRenSunpoSenobj::BuildOffsetOutline,         // 7 offset outline
    &TRenSunpoSenobj::BuildWidthLeader,           // 8 width leader
    &TRenSunpoSenobj::BuildLeaderNote,            // 9 leader note
    &TRenSunpoSenobj::BuildArcDivision,           // 10 arc division
    &TRenSunpoSenobj::BuildApexLines,             // 11 apex lines
    &TRenSunpoSenobj::BuildTextOnArc,             // 12 text on an arc
};

// Bytes 40 to 45 of a picked line or text: scratch fields and the line tag
// of a line, the angle and index of a text. The tool's copy starts them at
// zero; an arc keeps them, as they hold its end angle and rotation.
constexpr std::size_t kPickScratchOffset = offsetof(RDrawElement, Zero40);
constexpr std::size_t kPickScratchBytes = 6;

// The steps of the chains, in elements: styles 0 and 2 a dimension arc, a
// leader, a point and a text; styles 1 and 3 four arrow strokes in place of
// the point.
int ChainStepSize(std::uint8_t style) { return style == 1 || style == 3 ? 7 : 4; }

void PolarStrokeEnd(RPoint2D& end, double angle, double x0, double y0) {
  PolarPoint(end.x, end.y, TRenSunpoSenobj::NormalizeAngle(angle), DimensionDefaults.ArrowLength, x0, y0);
}

bool ArrowheadsOn() { return DimensionDefaults.ArrowLength != 0.0f && DimensionDefaults.DimEndMark == 1; }

}  // namespace

TRenSunpoSenobj::TRenSunpoSenobj(std::span<const RTextStyle> Styles) {
  const std::size_t n = std::min(Styles.size(), TextStyles.size());
  std::copy_n(Styles.begin(), n, TextStyles.begin());
}

void TRenSunpoSenobj::AddPoint(std::uint8_t PointKind, std::uint8_t Found, double X, double Y,
                               const RDrawElement& Element) {
  if (PointX.empty()) {
    PointX.assign(1, 0.0);
    PointY.assign(1, 0.0);
  }
  if (Picks.empty()) Picks.resize(1);
  ++PointCount;
  const auto n = static_cast<std::size_t>(PointCount);
  PointX.resize(n + 1, 0.0);
  PointY.resize(n + 1, 0.0);
  // A point added after a finish reuses the pick entry left behind.
  if (Picks.size() < n + 1) Picks.resize(n + 1);
  PointX[n] = X;
  PointY[n] = Y;
  RDimensionPick& pick = Picks[n];
  pick.PointKind = PointKind;
  pick.Found = Found;
  pick.Element = Element;
  if (Element.Kind == kKindLine || Element.Kind == kKindText) {
    std::memset(reinterpret_cast<unsigned char*>(&pick.Element) + kPickScratchOffset, 0, kPickScratchBytes);
  }
}

void TRenSunpoSenobj::Update(double PX, double PY, double BaseAngle, double AngleStep, double SetLength,
                             double GroupScale_) {
  if (PointCount < 1) return;
  for (double v : {PX, PY, BaseAngle, AngleStep, SetLength, GroupScale_}) {
    if (!std::isfinite(v)) return;
  }
  GroupScale = GroupScale_;
  Style = DraftDefaults.ChainDimensionStyle;
  if (Style > kLastChainDimensionStyle) return;
  const Builder build = kBuilders[Style];
  if (build != nullptr) (this->*build)(PX, PY);
}

void TRenSunpoSenobj::DropLastPoint() {
  // A finish straight after a click, before any update has grown the
  // clicked point's step: grow it now, as that update would, so the trim
  // below removes that step and not the last fixed one.
  GrowChainStep(ChainStepSize(Style));
  if (PointCount <= 1) {
    Reset();
    return;
  }
  --PointCount;
  PointX.resize(static_cast<std::size_t>(PointCount) + 1);
  PointY.resize(static_cast<std::size_t>(PointCount) + 1);
  if (Style > 3) return;
  // The chains drop their two guide circles and the moving step.
  const int step = ChainStepSize(Style);
  const int high = static_cast<int>(Elements.size()) - 1;
  const int last = std::min(LastIndex, high) - step;
  if (high <= 3 + step || last < 2) {
    Elements.clear();
  } else {
    Elements.erase(Elements.begin() + last + 1, Elements.end());
    Elements.erase(Elements.begin(), Elements.begin() + 2);
  }
  LastIndex = static_cast<std::int32_t>(Elements.size()) - 1;
}

void TRenSunpoSenobj::ClearResult() {
  Elements.clear();
  Texts.clear();
  LastIndex = -1;
}

void TRenSunpoSenobj::Reset() {
  PointX.clear();
  PointY.clear();
  Picks.clear();
  PointCount = 0;
}

double TRenSunpoSenobj::NormalizeAngle(double A) { return NormalizeAngle360(A); }

void TRenSunpoSenobj::ArrowheadAtLineEnd(const RDrawElement& Line, RDrawElement& Side1, RDrawElement& Side2) {
  const double tipX = Line.X1, tipY = Line.Y1;
  const double theta = DirectionAngleDeg(tipX, tipY, Line.X2, Line.Y2);
  const double angle = DimensionDefaults.ArrowAngle;
  RDrawElement* sides[2] = {&Side1, &Side2};
  const double directions[2] = {theta + angle, theta - angle};
  for (int k = 0; k < 2; ++k) {
    RPoint2D end;
    PolarStrokeEnd(end, directions[k], tipX, tipY);
    RDrawElement& side = *sides[k];
    side.Kind = kKindLine;
    side.X1 = tipX;
    side.Y1 = tipY;
    side.X2 = end.x;
    side.Y2 = end.y;
  }
}

void TRenSunpoSenobj::LineArrowheads(double AX, double AY, double BX, double BY, double Direction, RPoint2D& A1,
                                     RPoint2D& A2, RPoint2D& B1, RPoint2D& B2) {
  if (!ArrowheadsOn()) return;
  const double angle = DimensionDefaults.ArrowAngle;
  const double back = NormalizeAngle(Direction + 180.0);
  PolarStrokeEnd(A1, back + angle, AX, AY);
  PolarStrokeEnd(A2, back - angle, AX, AY);
  PolarStrokeEnd(B1, Direction + angle, BX, BY);
  PolarStrokeEnd(B2, Direction - angle, BX, BY);
}

void TRenSunpoSenobj::ArcArrowheads(double StartX, double StartY, double StartAngle, double FinishX, double FinishY,
                                    double FinishAngle, RPoint2D& S1, RPoint2D& S2, RPoint2D& F1, RPoint2D& F2) {
  if (!ArrowheadsOn()) return;
  const double angle = DimensionDefaults.ArrowAngle;
  // The tangents into the arc: a quarter turn on from the start's radius, a
  // quarter turn back from the end's.
  const double startTangent = NormalizeAngle(StartAngle + 90.0);
  const double finishTangent = NormalizeAngle(FinishAngle + 270.0);
  PolarStrokeEnd(S1, startTangent + angle, StartX, StartY);
  PolarStrokeEnd(S2, startTangent - angle, StartX, StartY);
  PolarStrokeEnd(F1, finishTangent + angle, FinishX, FinishY);
  PolarStrokeEnd(F2, finishTangent - angle, FinishX, FinishY);
}

void TRenSunpoSenobj::RadialLeader(const RDrawElement& A, const RDrawElement& B, double PX, double PY,
                                   RDrawElement& Leader, RDrawElement& Measure) {
  const double theta = DirectionAngleDeg(A.X1, A.Y1, PX, PY);
  double px = 0.0, py = 0.0, qx = 0.0, qy = 0.0, rx = 0.0, ry = 0.0;
  PolarPoint(px, py, theta, A.Radius, A.X1, A.Y1);
  PolarPoint(qx, qy, theta, B.Radius + DimensionDefaults.DimExtensionOvershoot, B.X1, B.Y1);
  PolarPoint(rx, ry, theta, B.Radius, B.X1, B.Y1);
  for (RDrawElement* line : {&Leader, &Measure}) {
    line->Kind = kKindLine;
    line->X1 = px;
    line->Y1 = py;
  }
  Leader.X2 = qx;
  Leader.Y2 = qy;
  Measure.X2 = rx;
  Measure.Y2 = ry;
}

namespace {

// The point of C's ellipse seen from its centre in the direction; the
// centre itself when C has no size.
RPoint2D CurvePointToward(const RDrawElement& C, double direction) {
  RPoint2D p{C.X1, C.Y1};
  EllipsePointAtAngle(p.x, p.y, direction, C.Rotation, C.Radius, C.Radius * C.Ratio, C.X1, C.Y1);
  return p;
}

}  // namespace

RDrawElement TRenSunpoSenobj::DiameterLine(const RDrawElement& C, double PX, double PY, double& Theta) {
  Theta = DirectionAngleDeg(C.X1, C.Y1, PX, PY);
  const RPoint2D p1 = CurvePointToward(C, Theta);
  const RPoint2D p2 = CurvePointToward(C, NormalizeAngle(Theta + 180.0));
  return LineElement(p1.x, p1.y, p2.x, p2.y);
}

RDrawElement TRenSunpoSenobj::RadiusLine(const RDrawElement& C, double PX, double PY, double& Theta) {
  Theta = DirectionAngleDeg(C.X1, C.Y1, PX, PY);
  const RPoint2D p1 = CurvePointToward(C, Theta);
  return LineElement(C.X1, C.Y1, p1.x, p1.y);
}

bool TRenSunpoSenobj::CursorOnLastPoint(double PX, double PY, double Bound) const {
  const auto n = static_cast<std::size_t>(PointCount);
  return PointDistance(PointX[n], PointY[n], PX, PY) < Bound;
}

const RTextStyle& TRenSunpoSenobj::StyleOf(std::uint8_t StyleNo) const {
  return TextStyles[StyleNo < kTextStyleCount ? StyleNo : 0];
}
