// Texts and label layout of the area tables.

#include "tools/edit/area_table_labels.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/angles_points.h"
#include "geometry/number_format.h"
#include "geometry/text_extent.h"
#include "tools/settings/default_settings.h"

namespace {

// Radius of the circle round a row number, drawing mm.
constexpr double kNumberCircleRadius = 3.0;

// Decimals of the length texts: 0 to 2, any other setting 3.
int LengthDecimals() { return DraftDefaults.AreaDecimals <= 2 ? DraftDefaults.AreaDecimals : 3; }

std::string FixedText(int decimals, double v) { return Format("%1." + IntToStr(decimals) + "f", {v}); }

}  // namespace

bool AllFinite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

double TruncateDecimals(int Decimals, double V) {
  if (Decimals <= 0) return std::trunc(V);
  const double scale = std::pow(10.0, Decimals);
  return std::trunc(V * scale + 0.01) / scale;
}

std::string AreaLengthText(double X1, double Y1, double X2, double Y2, double GroupScale) {
  return AreaDrawingLengthText(PointDistance(X1, Y1, X2, Y2), GroupScale);
}

std::string AreaDrawingLengthText(double Length, double GroupScale) {
  double length = Length * GroupScale;
  if (DraftDefaults.AreaUnitMetres == 1) length /= 1000.0;
  return FixedText(LengthDecimals(), length);
}

double AreaTextValue(std::string_view Text) { return StrToFloatDef(Text, 0.0); }

std::string AreaValueText(double V) {
  const int decimals = LengthDecimals() + 2;
  return FixedText(decimals, TruncateDecimals(decimals, V));
}

const RTextStyle& AreaLabelStyle(std::span<const RTextStyle, kTextStyleCount> Styles, std::uint8_t StyleNo) {
  return Styles[StyleNo < kTextStyleCount ? StyleNo : 0];
}

void PlaceAreaLabel(const RTextStyle& Style, double Angle, double& X, double& Y, std::uint8_t Justify,
                    std::string_view Text, double& EndY, double& EndX) {
  const RTextExtent extent = TextExtent(Text, Style.Width, Style.Height, Style.Spacing);
  // The given point within the box, along and across the text.
  const RBoxOffset offset = JustifiedBoxOffset(Justify, extent);
  double baseX = X;
  double baseY = Y;
  LocalOffsetPoint(baseX, baseY, Angle, -offset.Along, -offset.Across, X, Y);
  X = baseX;
  Y = baseY;
  PolarPoint(EndX, EndY, Angle, extent.Length, X, Y);
}

Rmoziko MakeAreaLabel(const RTextStyle& Style, std::uint8_t StyleNo, double X, double Y, double Angle,
                      std::uint8_t Justify, std::string Text) {
  Rmoziko label;
  label.X = X;
  label.Y = Y;
  PlaceAreaLabel(Style, Angle, label.X, label.Y, Justify, Text, label.EndY, label.EndX);
  label.Text = std::move(Text);
  label.Angle = Angle;
  label.TextStyle = StyleNo;
  return label;
}

RToolArc AreaNumberCircle(const Rmoziko& Number, const RTextStyle& Style) {
  RToolArc circle;
  circle.CentreX = (Number.X + Number.EndX) / 2.0;
  circle.CentreY = (Number.Y + Number.EndY) / 2.0 + Style.Height * 0.1 / 2.0;
  circle.Radius = kNumberCircleRadius;
  circle.Ratio = 1.0;
  return circle;
}
