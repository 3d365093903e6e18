// RC section geometry: bar symbols, beam, column and circular sections.

#include "figures/sections/rc_sections.h"

#include <array>

#include "geometry/angles_points.h"
#include "tools/settings/default_settings.h"

namespace {

// The upright crosses of the two largest bars reach this far (real
// millimetres) beyond their circle, whatever the small symbol's size.
constexpr double kCrossOverhang = 6.0;
// Real millimetres added to the symbol size for the pitch of bar layers.
constexpr double kLayerGap = 30.0;
// Real millimetres; inner legs sit left of their equal division by half of it.
constexpr double kLegShift = 30.0;

}  // namespace

std::uint8_t RcBarCount(int k) {
  const RFirstData3& d = FirstData3;
  const std::array<std::uint8_t, 12> counts = {d.RcBarCount1, d.RcBarCount2,  d.RcBarCount3,  d.RcBarCount4,
                                               d.RcBarCount5, d.RcBarCount6,  d.RcBarCount7,  d.RcBarCount8,
                                               d.RcBarCount9, d.RcBarCount10, d.RcBarCount11, d.RcBarCount12};
  return k >= 1 && k <= 12 ? counts[k - 1] : 0;
}

void TurnFigureElement(RDrawElement& E, double Angle, double CX, double CY, bool SetArcRotation) {
  double x1 = E.X1;
  double y1 = E.Y1;
  RotateAboutCentre(x1, y1, Angle, CX, CY);
  E.X1 = x1;
  E.Y1 = y1;
  if (E.Kind == kKindArc) {
    if (SetArcRotation) E.Rotation = static_cast<float>(Angle);
    return;
  }
  double x2 = E.X2;
  double y2 = E.Y2;
  RotateAboutCentre(x2, y2, Angle, CX, CY);
  E.X2 = x2;
  E.Y2 = y2;
}

TRCDanmenobj::TRCDanmenobj(double Scale) : Scale(Scale) {}

double TRCDanmenobj::ToPaper(double Length) const { return Length / Scale; }

void TRCDanmenobj::Clear() {
  Elements.clear();
  Count = -1;
}

void TRCDanmenobj::Append(const RDrawElement& E) {
  Elements.push_back(E);
  Count = static_cast<std::int32_t>(Elements.size()) - 1;
}

void TRCDanmenobj::AddLine(double x1, double y1, double x2, double y2, std::uint8_t Colour, std::uint8_t LineType) {
  RDrawElement e = LineElement(x1, y1, x2, y2);
  e.ColorNo = Colour;
  e.LineType = LineType;
  Append(e);
}

void TRCDanmenobj::AddCircle(double X, double Y, double R, std::uint8_t Colour, std::uint8_t LineType) {
  RDrawElement e = CircularArcElement(X, Y, R);
  e.ColorNo = Colour;
  e.LineType = LineType;
  Append(e);
}

void TRCDanmenobj::AddBarSymbol(std::string_view Mark, double X, double Y) {
  const RRcSectionDefaults& rc = RcSectionDefaults;
  const std::uint8_t colour = rc.RcSymbolColour;
  const std::uint8_t type = rc.RcSymbolLineType;
  const double S = ToPaper(rc.RcSymbolSize);
  const double s = ToPaper(rc.RcSymbolSize2);
  const double h = S / 2;
  auto circle = [&](double r) { AddCircle(X, Y, r, colour, type); };
  auto firstDiagonal = [&] { AddLine(X - h, Y - h, X + h, Y + h, colour, type); };
  auto diagonalCross = [&] {
    firstDiagonal();
    AddLine(X + h, Y - h, X - h, Y + h, colour, type);
  };
  auto uprightCross = [&] {
    const double a = S / 2 + ToPaper(kCrossOverhang);
    AddLine(X, Y - a, X, Y + a, colour, type);
    AddLine(X + a, Y, X - a, Y, colour, type);
  };
  auto rings = [&](double outer, int n) {
    for (int i = 0; i < n; ++i) circle(outer * (1.0 - static_cast<double>(i) / n));
  };
  if (Mark == "D10") {
    rings(s / 2, 3);
  } else if (Mark == "D13") {
    diagonalCross();
  } else if (Mark == "D16") {
    firstDiagonal();
    circle(S / 2);
  } else if (Mark == "D19") {
    rings(S / 2, 4);
  } else if (Mark == "D22") {
    circle(S / 2);
  } else if (Mark == "D25") {
    circle(S / 2);
    circle(S / 9);
    circle(S / 18);
  } else if (Mark == "D29") {
    diagonalCross();
    circle(S / 2);
  } else if (Mark == "D32") {
    circle(S / 2);
    circle(S / 4);
  } else if (Mark == "D35") {
    uprightCross();
    circle(S / 2);
  } else if (Mark == "D38") {
    uprightCross();
    rings(S / 2, 4);
  } else {
    diagonalCross();
    circle(S / 2);
    circle(S / 4);
  }
}

void TRCDanmenobj::MakeBarSymbol(std::string_view Mark, double X, double Y) {
  Clear();
  AddBarSymbol(Mark, X, Y);
}

void TRCDanmenobj::AddRectangularFrame(double X, double Y, double& Left, double& Right, double& Top, double& Bottom) {
  const RFirstData3& d = FirstData3;
  const RRcSectionDefaults& rc = RcSectionDefaults;
  auto rectangle = [&](double w, double h, std::uint8_t colour, std::uint8_t type) {
    const double l = X - w / 2, r = X + w / 2, t = Y + h / 2, b = Y - h / 2;
    AddLine(l, t, r, t, colour, type);
    AddLine(l, b, r, b, colour, type);
    AddLine(l, b, l, t, colour, type);
    AddLine(r, b, r, t, colour, type);
  };
  rectangle(ToPaper(d.RcWidth), ToPaper(d.RcDepth), rc.RcOutlineColour, rc.RcOutlineLineType);
  const double w = ToPaper(d.RcWidth - 2.0 * rc.RcCover);
  const double h = ToPaper(d.RcDepth - 2.0 * rc.RcCover);
  rectangle(w, h, rc.RcHoopColour, rc.RcHoopLineType);
  Left = X - w / 2;
  Right = X + w / 2;
  Top = Y + h / 2;
  Bottom = Y - h / 2;
}

void TRCDanmenobj::MakeBeamSection(std::uint8_t Position, double X, double Y) {
  if (Position < 1 || Position > 3) return;
  CentreX = X;
  CentreY = Y;
  if (Position == 1) Clear();
  double left = 0, right = 0, top = 0, bottom = 0;
  AddRectangularFrame(X, Y, left, right, top, bottom);
  AddBeamBars(Position, left, right, top, bottom);
  AddWebBars(left, right, top, bottom);
  AddStirrupLegs(left, right, top, bottom);
}

void TRCDanmenobj::MakeColumnSection(std::uint8_t Position, double X, double Y) {
  if (Position < 1 || Position > 2) return;
  CentreX = X;
  CentreY = Y;
  if (Position == 1) Clear();
  double left = 0, right = 0, top = 0, bottom = 0;
  AddRectangularFrame(X, Y, left, right, top, bottom);
  AddColumnBars(Position, left, right, top, bottom);
  AddHoopLegs(left, right, top, bottom);
}

void TRCDanmenobj::MakeCircularSection(std::uint8_t Position, double X, double Y) {
  if (Position < 1 || Position > 2) return;
  CentreX = X;
  CentreY = Y;
  if (Position == 1) Clear();
  const RFirstData3& d = FirstData3;
  const RRcSectionDefaults& rc = RcSectionDefaults;
  AddCircle(X, Y, ToPaper(d.RcWidth) / 2, rc.RcOutlineColour, rc.RcOutlineLineType);
  AddCircle(X, Y, ToPaper(d.RcWidth - 2.0 * rc.RcPileCover) / 2, rc.RcHoopColour, rc.RcHoopLineType);
  AddCircularBars(Position, X, Y);
}

void TRCDanmenobj::AddBarRow(std::uint8_t n, double x0, double Span, double y) {
  // A single bar stays at the left end; dividing by n - 1 would give 0 x inf.
  const double pitch = n > 1 ? Span / (n - 1) : 0.0;
  for (int i = 0; i < n; ++i) AddBarSymbol(FirstData3.RcMainBar, x0 + i * pitch, y);
}

void TRCDanmenobj::AddBeamBars(std::uint8_t Position, double Left, double Right, double Top, double Bottom) {
  const double S = ToPaper(RcSectionDefaults.RcSymbolSize);
  const double span = (Right - Left) - S;
  const double G = ToPaper(RcSectionDefaults.RcSymbolSize + kLayerGap);
  const int p = Position;
  const double x0 = Left + S / 2;
  // Each face: its first layer at the stirrup, its second one layer further
  // in, a dashed line along a second layer of three or more.
  auto face = [&](std::uint8_t first, std::uint8_t second, double y, double inward) {
    AddBarRow(first, x0, span, y);
    const double y2 = y + inward * G;
    AddBarRow(second, x0, span, y2);
    if (second >= 3) {
      const double yl = y2 + inward * S / 2;
      AddLine(Left, yl, Right, yl, 0, 2);
    }
  };
  face(RcBarCount(2 * p - 1), RcBarCount(2 * p + 5), Top - S / 2, -1.0);
  face(RcBarCount(2 * p), RcBarCount(2 * p + 6), Bottom + S / 2, 1.0);
}

void TRCDanmenobj::AddColumnBars(std::uint8_t Position, double Left, double Right, double Top, double Bottom) {
  const double S = ToPaper(RcSectionDefaults.RcSymbolSize);
  const double spanX = (Right - Left) - S;
  const double spanY = (Top - Bottom) - S;
  const int p = Position;
  const std::uint8_t nx = RcBarCount(2 * p);
  AddBarRow(nx, Left + S / 2, spanX, Top - S / 2);
  AddBarRow(nx, Left + S / 2, spanX, Bottom + S / 2);
  // The side faces share their corner bars with the top and bottom rows.
  const std::uint8_t ny = RcBarCount(2 * p - 1);
  for (double x : {Left + S / 2, Right - S / 2}) {
    for (int i = 1; i + 1 < ny; ++i) {
      AddBarSymbol(FirstData3.RcMainBar, x, Bottom + S / 2 + i * spanY / (ny - 1));
    }
  }
}

void TRCDanmenobj::AddCircularBars(std::uint8_t Position, double X, double Y) {
  const std::uint8_t n = RcBarCount(Position);
  const double S = ToPaper(RcSectionDefaults.RcSymbolSize);
  const double r = ToPaper(FirstData3.RcWidth / 2.0 - RcSectionDefaults.RcPileCover) - S / 2;
  for (int i = 0; i < n; ++i) {
    double x = X;
    double y = Y;
    PolarPoint(x, y, NormalizeAngleUpTo360(i * 360.0 / n), r, X, Y);
    AddBarSymbol(FirstData3.RcMainBar, x, y);
  }
}

void TRCDanmenobj::AddWebBars(double Left, double Right, double Top, double Bottom) {
  const RRcSectionDefaults& rc = RcSectionDefaults;
  const int k = FirstData3.RcWebBars / 2;
  const double pitch = (Top - Bottom) / (k + 1);
  const double w = FirstData3.RcWebBar == "D10" ? ToPaper(rc.RcSymbolSize2) : ToPaper(rc.RcSymbolSize);
  for (int i = 1; i <= k; ++i) {
    const double y = Top - i * pitch;
    AddBarSymbol(FirstData3.RcWebBar, Left + w / 2, y);
    AddBarSymbol(FirstData3.RcWebBar, Right - w / 2, y);
    AddLine(Left, y + w / 2, Right, y + w / 2, rc.RcBarColour, rc.RcBarLineType);
  }
}

void TRCDanmenobj::AddStirrupLegs(double Left, double Right, double Top, double Bottom) {
  const int m = FirstData3.RcHoopLegsX - 2;
  const double shift = ToPaper(kLegShift) / 2;
  for (int i = 1; i <= m; ++i) {
    const double x = Left + i * (Right - Left) / (m + 1) - shift;
    AddLine(x, Top, x, Bottom, RcSectionDefaults.RcHoopColour, RcSectionDefaults.RcHoopLineType);
  }
}

void TRCDanmenobj::AddHoopLegs(double Left, double Right, double Top, double Bottom) {
  AddStirrupLegs(Left, Right, Top, Bottom);
  const int m = FirstData3.RcHoopLegsY - 2;
  const double shift = ToPaper(kLegShift) / 2;
  for (int i = 1; i <= m; ++i) {
    const double y = Bottom + i * (Top - Bottom) / (m + 1) - shift;
    AddLine(Left, y, Right, y, RcSectionDefaults.RcHoopColour, RcSectionDefaults.RcHoopLineType);
  }
}
