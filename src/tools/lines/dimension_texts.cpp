// The value texts of the chained-dimension tool: arc lengths and angles
// around a circle, text elements and their placement, and the number forms
// of lengths and angles by the dimension settings.

#include <cmath>

#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "geometry/text_extent.h"
#include "tools/lines/chained_dimension.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The directions from the centre of C to E and to L and the anticlockwise
// sweep between them; the text sits on Place (a circle about the same
// centre) at the middle of the sweep and reads from L towards E.
RArcValueText ArcValuePlace(const RDrawElement& C, const RDrawElement& Place, double EX, double EY, double LX,
                            double LY, double& Sweep) {
  RArcValueText t;
  t.A1 = DirectionAngleDeg(C.X1, C.Y1, EX, EY);
  t.A2 = DirectionAngleDeg(C.X1, C.Y1, LX, LY);
  Sweep = t.A2 - t.A1;
  if (Sweep < 0.0) Sweep += 360.0;
  PolarPoint(t.X, t.Y, TRenSunpoSenobj::NormalizeAngle(t.A1 + Sweep / 2), Place.Radius, Place.X1, Place.Y1);
  t.Angle = DirectionAngleDeg(LX, LY, EX, EY);
  return t;
}

}  // namespace

std::string DimensionDecimalFormat(int decimals) {
  return "%1." + IntToStr(decimals) + (DimensionDefaults.DimThousandsSeparator != 0 ? "n" : "f");
}

RArcValueText TRenSunpoSenobj::ArcLengthText(const RDrawElement& Measured, const RDrawElement& DimensionCircle,
                                             double EX, double EY, double LX, double LY) const {
  double sweep = 0.0;
  RArcValueText t = ArcValuePlace(Measured, DimensionCircle, EX, EY, LX, LY, sweep);
  t.Text = LengthText(sweep / 360.0 * 2.0 * Measured.Radius * kPi * GroupScale);
  return t;
}

RArcValueText TRenSunpoSenobj::ArcAngleText(const RDrawElement& Circle, double EX, double EY, double LX,
                                            double LY) const {
  double sweep = 0.0;
  RArcValueText t = ArcValuePlace(Circle, Circle, EX, EY, LX, LY, sweep);
  t.Text = AngleText(sweep);
  return t;
}

void TRenSunpoSenobj::MakeText(RDrawElement& Element, const std::string& Text, double X, double Y, double Angle,
                               std::uint16_t TextIndex, std::uint8_t Justify, std::uint8_t StyleNo,
                               std::uint8_t Gap) const {
  Element = ZeroElement();
  Element.Kind = kKindText;
  Element.LineType = 1;
  Element.ColorNo = 1;
  Element.X1 = X;
  Element.Y1 = Y;
  Element.X2 = X;
  Element.Y2 = Y;
  Element.TextAngle = static_cast<float>(Angle);
  Element.TextIndex = TextIndex;
  Element.TextStyle = StyleNo;
  Element.TextDirection = 0;
  PlaceText(Element, Text, Justify, Gap);
}

void TRenSunpoSenobj::PlaceText(RDrawElement& Element, const std::string& Text, std::uint8_t Justify,
                                std::uint8_t Gap) const {
  if (Text.empty()) return;
  const RTextStyle& style = StyleOf(Element.TextStyle);
  const RTextExtent extent{TextWidth(Text, Element.TextStyle), 0.1 * style.Height};
  RBoxOffset offset = JustifiedBoxOffset(Justify, extent);
  // Without the gap flag the text stands clear of its line instead.
  if (Gap == 0) offset.Across = -DimensionDefaults.DimTextGap;
  const double angle = Element.TextAngle;
  double x = 0.0, y = 0.0;
  LocalOffsetPoint(x, y, angle, -offset.Along, -offset.Across, Element.X1, Element.Y1);
  Element.X1 = x;
  Element.Y1 = y;
  PolarPoint(x, y, angle, extent.Length, Element.X1, Element.Y1);
  Element.X2 = x;
  Element.Y2 = y;
}

double TRenSunpoSenobj::TextWidth(const std::string& Text, std::uint8_t StyleNo) const {
  const RTextStyle& style = StyleOf(StyleNo);
  return TextExtent(Text, style.Width, style.Height, style.Spacing).Length;
}

std::string TRenSunpoSenobj::LengthText(double Value) {
  int decimals = DimensionDefaults.DimDecimals <= 2 ? DimensionDefaults.DimDecimals : 3;
  if (DimensionDefaults.DimDecimalsOn == 0) decimals = 0;
  if (DimensionDefaults.DimInMetres == 1) Value /= 1000.0;
  return Format(DimensionDecimalFormat(decimals), {Value});
}

std::string TRenSunpoSenobj::AngleText(double Value) {
  const std::string degree = J("ﾟ");
  // Degrees, minutes and seconds, each cut toward zero so a negative angle
  // carries its sign in every part. A value too large for whole numbers
  // keeps the decimal form.
  if (DimensionDefaults.AngleTextDms != 0 && std::abs(Value) < 1e15) {
    const double d = std::trunc(Value);
    const double minutes = (Value - d) * 60.0;
    const double m = std::trunc(minutes);
    const double s = std::trunc((minutes - m) * 60.0);
    return Format("%d" + degree + "%d'%d",
                  {static_cast<long long>(d), static_cast<long long>(m), static_cast<long long>(s)}) +
           "\"";
  }
  const int decimals = DimensionDefaults.AngleTextDecimals <= 3 ? DimensionDefaults.AngleTextDecimals : 4;
  return Format(DimensionDecimalFormat(decimals), {Value}) + degree;
}
