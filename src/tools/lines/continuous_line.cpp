// The continuous-line tool: points, the style dispatch and the operations
// shared by all styles.

#include "tools/lines/continuous_line.h"

#include <algorithm>
#include <cmath>

#include "geometry/offsets_rects.h"
#include "tools/settings/default_settings.h"

TRenzokuSenobj::TRenzokuSenobj(std::span<const RTextStyle> Styles) {
  const std::size_t n = std::min(Styles.size(), TextStyles.size());
  std::copy_n(Styles.begin(), n, TextStyles.begin());
}

void TRenzokuSenobj::AddPoint(std::uint8_t Flag, const RDrawElement& Picked, double X, double Y) {
  PickedFlag = Flag;
  PickedElement = Picked;
  ++PointCount;
  // Entry 0 is the reserved (0, 0); a point added after Finish overwrites
  // the dropped one.
  const auto size = static_cast<std::size_t>(PointCount) + 1;
  PointX.resize(size, 0.0);
  PointY.resize(size, 0.0);
  PointX[size - 1] = X;
  PointY[size - 1] = Y;
  if (PointCount == 1) {
    StartX = X;
    StartY = Y;
  }
}

void TRenzokuSenobj::Update(double PX, double PY, double BaseAngle, double AngleStep, double SetLength,
                            double GroupScale_, double ViewScale) {
  if (PointCount < 1) return;
  for (double v : {PX, PY, BaseAngle, AngleStep, SetLength, GroupScale_, ViewScale}) {
    if (!std::isfinite(v)) return;
  }
  if (!(GroupScale_ > 0.0) || !(ViewScale > 0.0)) return;
  GroupScale = GroupScale_;
  Style = DraftDefaults.PolylineStyle;
  switch (Style) {
    case 0: BuildPolyline(PX, PY, BaseAngle, AngleStep, SetLength, ViewScale); break;
    case 1: BuildDoubleLine(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 2:
    case 3:
    case 4:
    case 5: BuildMarkedPolyline(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 6: BuildSteps(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 7: BuildTies(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 8: BuildBoxes(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 9: BuildCrosses(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 10: BuildCircles(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 11: BuildDivisionTicks(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 12: BuildRingTicks(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 13: BuildBeamSectionList(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 14: BuildColumnSectionList(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 15: BuildPileSectionList(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 16: BuildMeasuredCrosses(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 17: BuildMeasuredCrosses2(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 18: MeasureLength(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 19: BuildMatLayout(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 20: BuildLattice(PX, PY, BaseAngle, AngleStep, SetLength); break;
    case 21: BuildPointGrid(PX, PY, BaseAngle, AngleStep, SetLength); break;
    default:
      // Above the last style the update changes nothing.
      break;
  }
}

std::int32_t CountWithin(double Count, double Limit) {
  if (!std::isfinite(Count) || Count < 0.0 || Count > Limit) return 0;
  return static_cast<std::int32_t>(std::trunc(Count));
}

void TRenzokuSenobj::RemoveLastPoint() {
  if (PointCount < 1) return;
  PointX.resize(static_cast<std::size_t>(PointCount));
  PointY.resize(static_cast<std::size_t>(PointCount));
  --PointCount;
}

void TRenzokuSenobj::DropLastPoint() {
  if (PointCount < 1) return;
  if (PointCount == 1) {
    Reset();
    return;
  }
  std::size_t drop = 1;
  if (Style == 1) drop = 2;
  if (Style >= 17) drop = 0;
  Elements.resize(Elements.size() - std::min(drop, Elements.size()));
  RemoveLastPoint();
}

void TRenzokuSenobj::Finish() {
  if (PointCount < 1) return;
  if (PointCount == 1) {
    Reset();
    return;
  }
  --PointCount;
  if (TrimOnFinish == 0) return;
  if (Style == 0 || (Style >= 2 && Style <= 5)) {
    Elements.resize(Elements.size() - std::min<std::size_t>(1, Elements.size()));
  } else if (Style == 1) {
    Elements.resize(Elements.size() - std::min<std::size_t>(2, Elements.size()));
  } else if (Style <= 12) {
    const auto keep = static_cast<std::size_t>(std::max(FixedElementCount, 0));
    if (keep < Elements.size()) Elements.resize(keep);
  }
}

void TRenzokuSenobj::Reset() {
  PointX.clear();
  PointY.clear();
  PointCount = 0;
}

void TRenzokuSenobj::ShiftSegment(RDrawElement& Element) const {
  RPoint2D p1, p2;
  OffsetSegment(Element.X1, Element.Y1, Element.X2, Element.Y2, DraftDefaults.PolylineOffset / GroupScale, p1, p2);
  Element.X1 = p1.x;
  Element.Y1 = p1.y;
  Element.X2 = p2.x;
  Element.Y2 = p2.y;
}

double TRenzokuSenobj::WrapAngle(double A) {
  if (A >= 360.0) return A - 360.0;
  if (A >= 0.0) return A;
  return A + 360.0;
}

RPoint2D TRenzokuSenobj::SnapEnd(double PX, double PY, double BaseAngle, double AngleStep, double SetLength) {
  const auto n = static_cast<std::size_t>(PointCount);
  const RPoint2D e = SnapToAngleStep(PointX[n], PointY[n], PX, PY, BaseAngle, AngleStep, SetLength);
  EndX = e.x;
  EndY = e.y;
  return e;
}

RDrawElement TRenzokuSenobj::ShiftedLine(double x1, double y1, double x2, double y2) const {
  RDrawElement e = LineElement(x1, y1, x2, y2);
  ShiftSegment(e);
  return e;
}
