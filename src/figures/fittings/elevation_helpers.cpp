// Sizes, frame, leaves, opening marks, rectangles and middle bars of the
// elevation kinds.

#include "figures/fittings/elevation_helpers.h"

#include <cmath>

#include "tools/settings/default_settings.h"

namespace {

// The width of one leaf; shared among the leaves and mullions when the
// width is the whole opening's, and 0 when there is no leaf to share it.
double LeafWidth(double Whole, int n, double o) {
  if (FittingDefaults.FitWidthIsTotal == 0) return Whole;
  return n > 0 ? (Whole - (n - 1) * o) / n : 0.0;
}

}  // namespace

FittingElevation::FittingElevation(TBuzaidanmenobj& Figure)
    : FittingFrame(Figure),
      n(FittingDefaults.FitLeafCount),
      o(Paper(FittingDefaults.FitMullion)),
      w(LeafWidth(Paper(FittingDefaults.FitWidth), n, o)),
      B(FittingDefaults.FitWidthIsTotal != 0 ? Paper(FittingDefaults.FitWidth) : n * w + (n - 1) * o),
      h0(Paper(FittingDefaults.FitHeight)),
      d(Paper(FittingDefaults.FitFrameSize)),
      e(Paper(FittingDefaults.FitLeafFrame1)),
      f(Paper(FittingDefaults.FitLeafFrame2)),
      g(Paper(FittingDefaults.FitLeafFrame3)),
      m(Paper(FittingDefaults.FitLeafFrame4)),
      l(Paper(FittingDefaults.FitSillSize)),
      s(FittingDefaults.FitSurroundOn != 0 ? Paper(FittingDefaults.FitSurroundSize) : 0.0),
      yP(h0 - e) {}

void FittingElevation::Build(const std::function<void(int)>& Interior, const std::function<void(int)>& Bars,
                             double Split) {
  // The base point is placed on the clear opening, not on the frame.
  Begin(B, h0, 0.0);
  AddFrame();
  const bool outlines = FittingDefaults.FitSurroundOn != 0;
  if (outlines) AddLeafOutline(0.0);
  const double yT = h0 + s;
  for (int i = 0; i < n; ++i) {
    const double xi = LeafLeft(i);
    LeafX = xi;
    Interior(i);
    LeafX = 0.0;
    if (i > 0) {
      Line(xi - o + s, 0, xi - o + s, yT);
      Line(xi - s, 0, xi - s, yT);
      if (outlines) AddLeafOutline(xi);
    }
    AddOpeningMark(xi, 0, xi + w, h0, Split);
    Bars(i);
  }
  Finish();
}

void FittingElevation::AddFrame() {
  const double xR = B + s;
  const double yT = h0 + s;
  const bool sill = FittingDefaults.FitSillSize > 0;
  switch (FittingDefaults.FitFrameType) {
    case 1:
      AddFrameRect(-s, -l, xR, yT, 0, 0);
      Line(-d - s, 0, -d - s, yT);
      Line(xR + d, 0, xR + d, yT);
      if (sill) Line(-s, 0, xR, 0);
      break;
    case 2:
      Line(-s, 0, -s, yT);
      Line(xR, 0, xR, yT);
      Line(-s, yT, xR, yT);
      Line(-d - s, -l, xR + d, -l);
      Line(-d - s, -l, -d - s, yT + d);
      Line(-d - s, yT + d, xR + d, yT + d);
      Line(xR + d, -l, xR + d, yT + d);
      if (sill) Line(-d - s, 0, xR + d, 0);
      break;
    case 3:
      AddFrameRect(-s, -l, xR, yT, 0, 0);
      AddFrameRect(-d - s, -d - l, xR + d, yT + d, 0, 0);
      if (sill) Line(-s, 0, xR, 0);
      break;
    default:
      AddFrameRect(-s, -l, xR, yT, 0, 0);
      if (sill) Line(-s, 0, xR, 0);
      break;
  }
}

void FittingElevation::AddLeafOutline(double x) {
  Line(x, 0, x, h0);
  Line(x + w, 0, x + w, h0);
  Line(x, h0, x + w, h0);
}

void FittingElevation::Line(double X1, double Y1, double X2, double Y2) {
  AddLine(0, 0, X1 + LeafX, Y1, X2 + LeafX, Y2);
}

void FittingElevation::AddFrameRect(double x1, double y1, double x2, double y2, double Up, double Down,
                                    ExtendedSide Side) {
  const bool left = Side == ExtendedSide::Left;
  Line(x1, y1, x2, y1);
  Line(x1, y2, x2, y2);
  Line(x1, y1 - (left ? Down : 0), x1, y2 + (left ? Up : 0));
  Line(x2, y1 - (left ? 0 : Down), x2, y2 + (left ? 0 : Up));
}

void FittingElevation::AddFrameRectWideTop(double x1, double y1, double x2, double y2, double Left, double Right) {
  Line(x1, y1, x2, y1);
  Line(x1 - Left, y2, x2 + Right, y2);
  Line(x1, y1, x1, y2);
  Line(x2, y1, x2, y2);
}

void FittingElevation::AddPanelRect(double x1, double y1, double x2, double y2, const RPanelSides& Sides) {
  // The stored settings decide, so a rail of any positive size shows.
  const bool stiles = FittingDefaults.FitLeafFrame3 > 0;
  if (FittingDefaults.FitLeafFrame2 > 0) Line(x1 + Sides.Start, y1, x2, y1);
  if (FittingDefaults.FitLeafFrame1 > 0 && !Sides.NoTop) Line(x1 + Sides.Start, y2, x2, y2);
  if (stiles && !Sides.NoLeft) Line(x1, y1, x1, y2);
  if (stiles && !Sides.NoRight) Line(x2, y1, x2, y2);
}

void FittingElevation::AddOpeningMark(double L, double Bt, double R, double Tp, double P) {
  const double cx = (L + R) / 2;
  const double cy = (Bt + Tp) / 2;
  auto mark = [&](std::uint8_t type, double x1, double y1, double x2, double y2) { AddLine(0, type, x1, y1, x2, y2); };
  switch (FittingDefaults.FitHandleType) {
    case 1: {
      const double a = Paper(ShortArrow ? 150 : 180);
      const double b = Paper(ShortArrow ? 80 : 90);
      const double c = Paper(ShortArrow ? 40 : 60);
      mark(0, cx - a, cy, cx + a, cy);
      mark(0, cx - a, cy, cx - a + b, cy + c);
      mark(0, cx + a, cy, cx + a - b, cy - c);
      break;
    }
    case 2:
      mark(6, L, Tp, cx, Bt);
      mark(6, R, Tp, cx, Bt);
      break;
    case 3:
      mark(6, L, Tp, R, cy);
      mark(6, L, Bt, R, cy);
      break;
    case 4: mark(6, L, Bt, R, Tp); break;
    case 5: {
      const double p = std::abs(P) < 0.0001 ? cx : L + P;
      mark(6, L, cy, p, Bt);
      mark(6, R, cy, p, Bt);
      mark(6, L, cy, p, Tp);
      mark(6, R, cy, p, Tp);
      break;
    }
    case 6:
      mark(6, L, Bt, cx, Tp);
      mark(6, R, Bt, cx, Tp);
      break;
    case 7: {
      const double a = Paper(120);
      const double b = Paper(90);
      const double c = Paper(60);
      const double q1 = L + std::abs(L - R) / 4;
      const double q3 = L + 3 * std::abs(L - R) / 4;
      mark(0, q1 - a, cy, q1 + a, cy);
      mark(0, q1 - a, cy, q1 - a + b, cy + c);
      mark(0, q3 - a, cy, q3 + a, cy);
      mark(0, q3 + a, cy, q3 + a - b, cy + c);
      break;
    }
    case 8: {
      const double a = Paper(180);
      const double b = Paper(90);
      const double c = Paper(60);
      mark(0, cx, cy - a, cx, cy + a);
      mark(0, cx, cy - a, cx - c, cy - b);
      mark(0, cx, cy + a, cx + c, cy + a - b);
      break;
    }
    default: break;
  }
}

void FittingElevation::AddMidBar(double x1, double x2) {
  if (FittingDefaults.FitBarOn == 0) return;
  const double yb = f + Paper(FittingDefaults.FitBarHeight);
  const double yt = yb + Paper(FittingDefaults.FitBarWidth);
  Line(x1, yb, x2, yb);
  Line(x1, yt, x2, yt);
}

FittingElevation::RBarBox FittingElevation::BarBox(int i) const {
  const double xi = LeafLeft(i);
  if (FittingDefaults.FitLeafPattern == 0) return {xi, f, xi + w, h0, 0, 0, m};
  return {xi, f, xi + w, yP, g, g, m};
}
