// The site-area table.

#include "tools/edit/site_area.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/intersections.h"
#include "geometry/number_format.h"
#include "tools/edit/area_measuring.h"
#include "tools/edit/area_table_labels.h"
#include "tools/settings/default_settings.h"

namespace {

// Two corners within this of each other in y lie on a horizontal side.
constexpr double kSameY = 1e-4;
// Line type and colour of the outline of a split triangle.
constexpr std::uint8_t kOutlineLineType = 1;
constexpr std::uint8_t kOutlineColour = 5;

RToolLine TypedLine(double x1, double y1, double x2, double y2, std::uint8_t lineType) {
  RToolLine line = ToolLineOf(x1, y1, x2, y2);
  line.LineType = lineType;
  return line;
}

RToolLine OutlineSide(const RPoint2D& a, const RPoint2D& b) {
  RToolLine line = TypedLine(a.x, a.y, b.x, b.y, kOutlineLineType);
  line.ColorNo = kOutlineColour;
  return line;
}

}  // namespace

TSikichiMenobj::TSikichiMenobj(std::uint8_t Group_, std::uint8_t Layer_, double GroupScale_,
                               std::span<const RTextStyle> Styles, std::uint8_t TextStyle_, std::uint8_t TextStyle2_,
                               std::uint8_t Mode_)
    : GroupScale(GroupScale_),
      TextStyle(TextStyle_),
      TextStyle2(TextStyle2_),
      Group(Group_),
      Layer(Layer_),
      Mode(Mode_) {
  std::copy_n(Styles.begin(), std::min(Styles.size(), TextStyles.size()), TextStyles.begin());
}

double TSikichiMenobj::TruncateDecimals(int Decimals, double V) { return ::TruncateDecimals(Decimals, V); }

void TSikichiMenobj::LengthText(std::string& S, double X1, double Y1, double X2, double Y2) const {
  S = AreaLengthText(X1, Y1, X2, Y2, GroupScale);
}

void TSikichiMenobj::DoubleAreaText(const std::string& Base, const std::string& Height, std::string& S) const {
  S = AreaValueText(AreaTextValue(Base) * AreaTextValue(Height));
}

void TSikichiMenobj::HeronAreaText(const std::string& Side1, const std::string& Side2, std::string& S,
                                   const std::string& Side3) const {
  const double a = AreaTextValue(Side1);
  const double b = AreaTextValue(Side2);
  const double c = AreaTextValue(Side3);
  const double s = (a + b + c) / 2.0;
  const double product = s * (s - a) * (s - b) * (s - c);
  // Sides rounded for display can describe a slightly impossible triangle
  // when the real one is flat; its area is 0, not the root of a negative.
  S = AreaValueText(product > 0.0 ? std::sqrt(product) : 0.0);
}

void TSikichiMenobj::PlaceLabel(double& X, double& Y, std::uint8_t Justify, const std::string& Text, double& EndY,
                                double& EndX) const {
  PlaceAreaLabel(AreaLabelStyle(TextStyles, TextStyle), LabelAngle, X, Y, Justify, Text, EndY, EndX);
}

Rmoziko TSikichiMenobj::MakeLabel(double X, double Y, double Angle, std::uint8_t Justify, std::string Text) {
  LabelAngle = Angle;
  return MakeAreaLabel(AreaLabelStyle(TextStyles, TextStyle), TextStyle, X, Y, Angle, Justify, std::move(Text));
}

Rmoziko TSikichiMenobj::SideLabel(double X1, double Y1, double X2, double Y2) {
  std::string text;
  LengthText(text, X1, Y1, X2, Y2);
  return MakeLabel((X1 + X2) / 2.0, (Y1 + Y2) / 2.0, DirectionAngleDeg(X1, Y1, X2, Y2), 1, std::move(text));
}

void TSikichiMenobj::NumberRow(RSikiData& Row, double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  Row.NumberLabel = MakeLabel((X1 + X2 + X3) / 3.0, (Y1 + Y2 + Y3) / 3.0, 0.0, 1,
                              IntToStr(static_cast<long long>(DraftDefaults.TableStartNumber) + RowCount));
  Row.NumberCircle = AreaNumberCircle(Row.NumberLabel, AreaLabelStyle(TextStyles, TextStyle));
}

void TSikichiMenobj::AddTriangle(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  if (!AllFinite({X1, Y1, X2, Y2, X3, Y3})) return;
  switch (Mode) {
    case 0: AddBaseHeightRow(X1, Y1, X2, Y2, X3, Y3); break;
    case 1: AddThreeSidesRow(X1, Y1, X2, Y2, X3, Y3); break;
    default: AddSplitTriangles(X1, Y1, X2, Y2, X3, Y3); break;
  }
}

void TSikichiMenobj::AddBaseHeightRow(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  BaseLineFlag = DraftDefaults.TableBaseLine;
  RSikiData row;
  row.FirstLine = TypedLine(X1, Y1, X2, Y2, DraftDefaults.TableLineType1);
  row.FirstLabel = SideLabel(X1, Y1, X2, Y2);
  // A base of no length has no perpendicular: the height is 0.
  double fx = X3;
  double fy = Y3;
  PerpendicularFoot(fx, fy, X1, Y1, X2, Y2, X3, Y3);
  row.SecondLine = TypedLine(fx, fy, X3, Y3, DraftDefaults.TableLineType2);
  row.SecondLabel = SideLabel(fx, fy, X3, Y3);
  NumberRow(row, X1, Y1, X2, Y2, X3, Y3);
  DoubleAreaText(row.FirstLabel.Text, row.SecondLabel.Text, row.AreaText);
  Rows.push_back(std::move(row));
  ++RowCount;
}

void TSikichiMenobj::AddThreeSidesRow(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  BaseLineFlag = DraftDefaults.TableBaseLine;
  RSikiData row;
  row.FirstLine = TypedLine(X1, Y1, X3, Y3, DraftDefaults.TableLineType1);
  row.SecondLine = TypedLine(X2, Y2, X3, Y3, DraftDefaults.TableLineType2);
  row.FirstLabel = SideLabel(X1, Y1, X2, Y2);
  row.SecondLabel = SideLabel(X1, Y1, X3, Y3);
  row.ThirdLabel = SideLabel(X2, Y2, X3, Y3);
  NumberRow(row, X1, Y1, X2, Y2, X3, Y3);
  HeronAreaText(row.FirstLabel.Text, row.SecondLabel.Text, row.AreaText, row.ThirdLabel.Text);
  Rows.push_back(std::move(row));
  ++RowCount;
}

void TSikichiMenobj::AddSplitTriangles(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  const RPoint2D p1{X1, Y1};
  const RPoint2D p2{X2, Y2};
  const RPoint2D p3{X3, Y3};
  const std::array<RToolLine, 3> picked{OutlineSide(p1, p2), OutlineSide(p1, p3), OutlineSide(p2, p3)};
  if (std::abs(Y1 - Y2) < kSameY) {
    AddSplitRecord(p1, p2, p3, &picked);
    return;
  }
  if (std::abs(Y1 - Y3) < kSameY) {
    AddSplitRecord(p1, p3, p2, &picked);
    return;
  }
  if (std::abs(Y2 - Y3) < kSameY) {
    AddSplitRecord(p2, p3, p1, &picked);
    return;
  }
  std::array<RPoint2D, 3> byY{p1, p2, p3};
  std::sort(byY.begin(), byY.end(), [](const RPoint2D& a, const RPoint2D& b) { return a.y < b.y; });
  const RPoint2D& lowest = byY[0];
  const RPoint2D& middle = byY[1];
  const RPoint2D& highest = byY[2];
  // The side lowest-highest is never horizontal here, so the crossing exists.
  RPoint2D s = middle;
  IntersectLines(s.x, s.y, lowest.x, lowest.y, highest.x, highest.y, middle.x, middle.y, middle.x + 50.0, middle.y);
  const std::array<RToolLine, 3> outline{OutlineSide(middle, lowest), OutlineSide(lowest, highest),
                                         OutlineSide(highest, middle)};
  AddSplitRecord(middle, s, lowest, &outline);
  AddSplitRecord(middle, s, highest, nullptr);
}

void TSikichiMenobj::AddSplitRecord(const RPoint2D& Base1, const RPoint2D& Base2, const RPoint2D& Apex,
                                    const std::array<RToolLine, 3>* Outline) {
  RSikiTriangleData record;
  record.Corners = {Base1, Base2, Apex};
  if (Outline != nullptr) record.Outline = *Outline;
  TSokuteiMenobj measure;
  for (const RPoint2D& corner : record.Corners) measure.AddPoint(corner.x, corner.y, GroupScale);
  record.CentroidX = measure.CentroidX;
  record.CentroidY = measure.CentroidY;
  record.Area = std::abs(measure.Area);
  record.Base = std::abs(Base1.x - Base2.x) * GroupScale * 0.1;
  // A base of no length (a flat triangle) has no height either.
  double fx = Apex.x;
  double fy = Apex.y;
  PerpendicularFoot(fx, fy, Base1.x, Base1.y, Base2.x, Base2.y, Apex.x, Apex.y);
  record.Height = std::abs(fy - Apex.y) * GroupScale * 0.1;
  record.OwnSecondMoment = record.Base * record.Height * record.Height * record.Height / 36.0L;
  AreaSum += record.Area;
  MomentSumX += record.Area * record.CentroidX;
  MomentSumY += record.Area * record.CentroidY;
  TriangleRows.push_back(record);
  ++RowCount;
}

void TSikichiMenobj::AddPoint(double X, double Y) {
  if (!AllFinite({X, Y})) return;
  RSikiZaData row;
  row.Label = MakeLabel(
      X, Y, 0.0, 2,
      FirstData22.PointLabelPrefix + IntToStr(static_cast<long long>(DraftDefaults.TableStartNumber) + RowCount));
  double x = X * GroupScale;
  double y = Y * GroupScale;
  if (DraftDefaults.AreaUnitMetres == 1) {
    x *= 0.001;
    y *= 0.001;
  }
  if (FirstData22.PointLabelSwapXY == 1) std::swap(x, y);
  if (PointRows.empty()) {
    OriginFirst = x;
    OriginSecond = y;
  }
  row.First = x - OriginFirst;
  row.Second = y - OriginSecond;
  PointRows.push_back(std::move(row));
  ++RowCount;
}
