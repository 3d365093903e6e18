// Texts and label layout of the area tables.

#include "tools/edit/area_table_labels.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/number_format.h"
#include "geometry/text_extent.h"
#include "tools/settings/default_settings.h"

namespace {

// Decimals of the length texts: 0 to 2, any other setting 3.
int LengthDecimals() { return DraftDefaults.AreaDecimals <= 2 ? DraftDefaults.AreaDecimals : 3; }

std::string FixedText(int decimals, double v) {
  return Format("%1." + IntToStr(decimals) + "f", {v});
}

}  // namespace

double TruncateDecimals(int Decimals, double V) {
  if (Decimals <= 0) return std::trunc(V);
  const double scale = std::pow(10.0, Decimals);
  return std::trunc(V * scale + 0.01) / scale;
}

std::string AreaLengthText(double X1, double Y1, double X2, double Y2, double GroupScale) {
  double length = PointDistance(X1, Y1, X2, Y2) * GroupScale;
  if (DraftDefaults.AreaUnitMetres == 1) length /= 1000.0;
  return FixedText(LengthDecimals(), length);
}

double AreaTextValue(std::string_view Text) { return StrToFloatDef(Text, 0.0); }

std::string AreaValueText(double V) {
  const int decimals = LengthDecimals() + 2;
  return FixedText(decimals, TruncateDecimals(decimals, V));
}

const RTextStyle& AreaLabelStyle(std::span<const RTextStyle, kTextStyleCount> Styles,
                                 std::uint8_t StyleNo) {
  return Styles[StyleNo < kTextStyleCount ? StyleNo : 0];
}

void PlaceAreaLabel(const RTextStyle& Style, double Angle, double& X, double& Y,
                    std::uint8_t Justify, std::string_view Text, double& EndY, double& EndX) {
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
