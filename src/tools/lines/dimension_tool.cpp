// The dimension tool: feet of the measured points on the guide lines,
// chained and running steps, single dimensions and their value texts.

#include "tools/lines/dimension_tool.h"

#include <algorithm>
#include <cmath>

#include "geometry/number_format.h"
#include "geometry/offsets_rects.h"
#include "geometry/text_extent.h"
#include "tools/lines/chained_dimension.h"
#include "tools/settings/default_settings.h"

namespace {

// The foot of P on the line; P itself when the line has no length.
RPoint2D FootOn(const RPointPair& line, double x, double y) {
  RPoint2D f{x, y};
  PerpendicularFoot(f.x, f.y, line.xa, line.ya, line.xb, line.yb, x, y);
  return f;
}

RPointPair Pair(const std::array<double, 4>& g) { return {g[0], g[1], g[2], g[3]}; }

}  // namespace

TSunpoobj::TSunpoobj(double G1X1, double G1Y1, double G1X2, double G1Y2, double G2X1, double G2Y1, double G2X2,
                     double G2Y2, double TextAngle_, double GroupScale_, std::span<const RTextStyle> TextStyles_,
                     std::uint8_t LineColour_, std::uint8_t MarkColour_, std::uint8_t TextStyle_)
    : Guide1{G1X1, G1Y1, G1X2, G1Y2},
      Guide2{G2X1, G2Y1, G2X2, G2Y2},
      TextAngle(TextAngle_),
      GroupScale(GroupScale_),
      TextStyle(TextStyle_),
      LineColour(LineColour_),
      MarkColour(MarkColour_) {
  std::copy_n(TextStyles_.begin(), std::min(TextStyles_.size(), TextStyles.size()), TextStyles.begin());
}

TSunpoobj::Feet TSunpoobj::FeetOf(double X, double Y) const {
  Feet f;
  const RPointPair guide2 = Pair(Guide2);
  f.F2 = FootOn(guide2, X, Y);
  if (ToolDefaults.ChainOffsetOn != 0) {
    const double d = PointDistance(X, Y, f.F2.x, f.F2.y) - ToolDefaults.ChainOffset;
    f.F1 = FootOn(OffsetSegmentNearOrFar(true, Guide2[0], Guide2[1], Guide2[2], Guide2[3], X, Y, d), X, Y);
  } else {
    f.F1 = FootOn(Pair(Guide1), X, Y);
  }
  const RPointPair beyond = OffsetSegmentNearOrFar(false, Guide2[0], Guide2[1], Guide2[2], Guide2[3], f.F1.x, f.F1.y,
                                                   DimensionDefaults.DimExtensionOvershoot);
  f.F3 = FootOn(beyond, X, Y);
  return f;
}

void TSunpoobj::AddChainPoint(double X, double Y) {
  const Feet f = FeetOf(X, Y);
  const std::uint8_t L = LineColour;
  if (PointCount == 0) {
    Records.push_back({kSunSeparator});
    Line(f.F1.x, f.F1.y, f.F3.x, f.F3.y, L, ToolDefaults.ChainAutoOption != 0 && ToolDefaults.ChainAutoMode == 1);
    PreviousX = ChainStartX = f.F2.x;
    PreviousY = ChainStartY = f.F2.y;
    FirstPointFlag = 1;
    PointCount = 1;
    return;
  }
  if (ToolDefaults.ChainAutoOption != 0) {
    AddRunningPoint(f);
  } else {
    const double D[2] = {PreviousX, PreviousY};
    const double dir = DirectionAngleDeg(D[0], D[1], f.F2.x, f.F2.y);
    const bool arrows = DimensionDefaults.DimEndMark != 0;
    if (PointCount > 1) Records.push_back({kSunSeparator});
    if (arrows && PointCount == 1) Arrow(D[0], D[1], dir, false, MarkColour);
    if (!arrows && PointCount == 1) Mark(D[0], D[1]);
    Line(D[0], D[1], f.F2.x, f.F2.y, L);
    Line(f.F1.x, f.F1.y, f.F3.x, f.F3.y, L);
    if (arrows && PointCount > 1) Arrow(D[0], D[1], dir, false, MarkColour);
    if (arrows) Arrow(f.F2.x, f.F2.y, dir, true, MarkColour);
    if (!arrows) Mark(f.F2.x, f.F2.y);
    CentredText(D[0], D[1], f.F2.x, f.F2.y, TextAngle);
  }
  PreviousX = f.F2.x;
  PreviousY = f.F2.y;
  FirstPointFlag = 0;
  ++PointCount;
}

void TSunpoobj::AddRunningPoint(const Feet& f) {
  // Mode 1 keeps only the texts: the drawing already shows the lines.
  const bool zero = ToolDefaults.ChainAutoMode == 1;
  const double dir = DirectionAngleDeg(PreviousX, PreviousY, f.F2.x, f.F2.y);
  if (PointCount == 1) {
    if (zero) {
      Line(0, 0, 0, 0, LineColour, true);
    } else {
      Mark(ChainStartX, ChainStartY);
    }
  } else {
    Records.push_back({kSunSeparator});
  }
  Line(PreviousX, PreviousY, f.F2.x, f.F2.y, LineColour, zero);
  Line(f.F1.x, f.F1.y, f.F3.x, f.F3.y, LineColour, zero);
  Arrow(f.F2.x, f.F2.y, dir, true, MarkColour, zero);
  double angle = TextAngle;
  if (PointDistance(f.F1.x, f.F1.y, f.F3.x, f.F3.y) >= 1e-5) angle = DirectionAngleDeg(f.F1.x, f.F1.y, f.F3.x, f.F3.y);
  AlongText(ValueText(ChainStartX, ChainStartY, f.F2.x, f.F2.y), f.F2.x, f.F2.y, angle);
}

void TSunpoobj::RestartChain(double X, double Y) {
  Records.clear();
  PointCount = 0;
  AddChainPoint(X, Y);
}

void TSunpoobj::AddSingleDimension(double X1, double Y1, double X2, double Y2) {
  TextAngle = DirectionAngleDeg(X1, Y1, X2, Y2);
  Records.push_back({kSunSeparator});
  if (DraftDefaults.SingleDimMark != 0) {
    Line(X1, Y1, X2, Y2, LineColour);
    if (DimensionDefaults.DimEndMark != 0) {
      Arrow(X1, Y1, TextAngle, false, LineColour);
      Arrow(X2, Y2, TextAngle, true, LineColour);
    } else {
      Mark(X1, Y1);
      Mark(X2, Y2);
    }
  }
  CentredText(X1, Y1, X2, Y2, TextAngle);
}

std::string TSunpoobj::ValueText(double X1, double Y1, double X2, double Y2) const {
  const std::uint8_t set = DimensionDefaults.DimDecimals;
  int decimals = set == 0 ? 2 : set <= 3 ? set : 4;
  if (DimensionDefaults.DimDecimalsOn == 0) decimals = 0;
  double value = PointDistance(X1, Y1, X2, Y2) * GroupScale;
  if (DimensionDefaults.DimInMetres == 1) value /= 1000.0;
  std::string text = Format(DimensionDecimalFormat(decimals), {value});
  // Two decimals at most: only the ones that say something. The strip ends
  // at the decimal point, so "100.00" keeps its integer zeros.
  if (set == 0 && DimensionDefaults.DimDecimalsOn == 1 && text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::size_t TSunpoobj::LastStepStart() const {
  for (std::size_t i = Records.size(); i > 0; --i) {
    if (Records[i - 1].Kind == kSunSeparator) return i;
  }
  return 0;
}

void TSunpoobj::Line(double x1, double y1, double x2, double y2, std::uint8_t colour, bool zero) {
  RSundata r{kSunLine, colour};
  if (!zero) {
    r.X1 = x1;
    r.Y1 = y1;
    r.X2 = x2;
    r.Y2 = y2;
  }
  Records.push_back(r);
}

void TSunpoobj::Mark(double x, double y, bool zero) {
  RSundata r{kSunMark, MarkColour};
  if (!zero) {
    r.X1 = x;
    r.Y1 = y;
  }
  Records.push_back(r);
}

void TSunpoobj::Arrow(double bx, double by, double f, bool back, std::uint8_t colour, bool zero) {
  const double a = DimensionDefaults.ArrowAngle;
  const double first = back ? f + 180.0 - a : f + a;
  const double second = back ? f + 180.0 + a : f - a;
  for (double angle : {first, second}) {
    double tx = 0.0, ty = 0.0;
    PolarPoint(tx, ty, NormalizeAngleUpTo360(angle), DimensionDefaults.ArrowLength, bx, by);
    Line(bx, by, tx, ty, colour, zero);
  }
}

double TSunpoobj::Width(const std::string& text) const {
  const RTextStyle& s = TextStyles[TextStyle < kTextStyleCount ? TextStyle : 0];
  return TextExtent(text, s.Width, s.Height, s.Spacing).Length;
}

void TSunpoobj::CentredText(double x1, double y1, double x2, double y2, double angle) {
  RSundata r{kSunText, TextStyle};
  r.Text = ValueText(x1, y1, x2, y2);
  r.Angle = angle;
  const double w = Width(r.Text);
  LocalOffsetPoint(r.X1, r.Y1, angle, -w / 2, DimensionDefaults.DimTextGap, (x1 + x2) / 2, (y1 + y2) / 2);
  PolarPoint(r.X2, r.Y2, angle, w, r.X1, r.Y1);
  Records.push_back(r);
}

void TSunpoobj::AlongText(const std::string& text, double bx, double by, double angle) {
  RSundata r{kSunText, TextStyle};
  r.Text = text;
  const double w = Width(text);
  const double gap = DimensionDefaults.DimTextGap;
  // Turned so that it reads left to right or upwards.
  if (angle > 135.0 && angle <= 315.0) {
    angle = NormalizeAngleUpTo360(angle - 180.0);
    PolarPoint(r.X1, r.Y1, angle, -(gap + w), bx, by);
  } else {
    PolarPoint(r.X1, r.Y1, angle, gap, bx, by);
  }
  r.Angle = angle;
  PolarPoint(r.X2, r.Y2, angle, w, r.X1, r.Y1);
  Records.push_back(r);
}
