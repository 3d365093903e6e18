// Door and window elevations, kinds 51 to 56: each kind's leaf interior
// and bars on the shared elevation sequence.

#include <cmath>

#include "figures/fittings/elevation_helpers.h"
#include "tools/settings/default_settings.h"

namespace {

std::uint8_t PanelStyle() { return FittingDefaults.FitLeafPattern; }

// Louvre lines every pitch downward from the top of the box; a count that
// is not a sound number of lines draws none.
void AddLouvres(FittingElevation& v, double x1, double y1, double x2, double y2) {
  const std::uint8_t type = FittingDefaults.FitStripePattern;
  if (type != 1 && type != 2) return;
  const double p = v.Paper(type == 1 ? 75 : 45);
  const double count = std::trunc(std::abs(y1 - y2) / p);
  if (!(count >= 0 && count <= kMaxRepeatedFittingLines)) return;
  for (int k = 1; k <= static_cast<int>(count); ++k) v.Line(x1, y2 - k * p, x2, y2 - k * p);
}

}  // namespace

void TBuzaidanmenobj::MakeFittingElevation51() {
  FittingElevation v(*this);
  const double w = v.w, h0 = v.h0, e = v.e, f = v.f, g = v.g, m = v.m, yP = v.yP;
  const double x1d = (w - m) / 2;
  auto interior = [&](int) {
    if (PanelStyle() == 1) {
      v.AddFrameRect(g, f, x1d, yP, e, f);
      v.AddFrameRect(x1d + g, f, w - g, yP, 0, 0);
      return;
    }
    if (PanelStyle() == 2) {
      if (g - m > 0) {
        v.AddPanelRect(g, f, (w + m) / 2 - g, yP);
      } else {
        v.AddPanelRect(g, f, x1d, yP, {.NoRight = true});
      }
      v.AddPanelRect(x1d + g, f, w - g, yP);
    }
    v.Line(x1d, 0, x1d, h0);
  };
  auto bars = [&](int i) {
    const FittingElevation::RBarBox P = v.BarBox(i);
    const double cx = P.cx();
    const double a = P.P6 != 0 ? P.P7 / 2 - P.P6 : -P.P7 / 2;
    const double y1 = P.P4 - v.Paper(150);
    const double y2 = P.P4 - v.Paper(180);
    double xa = 0.0;
    double xb = 0.0;
    if (FittingDefaults.FitHandlePlacement == 1) {
      xa = P.P1 + P.P5;
      xb = cx + a;
      v.Line(xa, y1, xb, y1);
      v.Line(xa, y2, xb, y2);
      const double q = (P.P1 + cx) / 2;
      v.Line(q, P.P4, q, y1);
    } else if (FittingDefaults.FitHandlePlacement == 2) {
      xa = cx + P.P5 - P.P7 / 2;
      xb = P.P3 - P.P6;
      v.Line(xa, y1, xb, y1);
      v.Line(xa, y2, xb, y2);
      const double q = (xa + xb) / 2;
      v.Line(q, P.P4, q, y1);
    }
    v.AddMidBar(P.P1 + P.P5, cx + a);
    v.AddMidBar(cx + P.P5 - P.P7 / 2, P.P3 - P.P6);
  };
  v.Build(interior, bars);
}

void TBuzaidanmenobj::MakeFittingElevation52() {
  FittingElevation v(*this);
  v.ShortArrow = true;
  const double w = v.w, h0 = v.h0, f = v.f, g = v.g, yP = v.yP;
  auto interior = [&](int) {
    if (PanelStyle() != 0) {
      v.AddPanelRect(g, f, w - g, yP);
      AddLouvres(v, g, f, w - g, yP);
    } else {
      AddLouvres(v, 0, 0, w, h0);
    }
  };
  auto bars = [&](int i) {
    const FittingElevation::RBarBox P = v.BarBox(i);
    v.AddMidBar(P.P1 + P.P5, P.P3 - P.P6);
  };
  v.Build(interior, bars);
}

void TBuzaidanmenobj::MakeFittingElevation53() {
  FittingElevation v(*this);
  v.ShortArrow = true;
  const double w = v.w, h0 = v.h0, f = v.f, g = v.g, yP = v.yP;
  // One split for the panels, the opening mark and the bars: the set
  // position when above 0, else the leaf's middle.
  const double ms = v.Paper(FittingDefaults.FitLeafSplit);
  const double p = ms > 0 ? ms : w / 2;
  auto interior = [&](int) {
    if (PanelStyle() != 0) {
      v.AddFrameRect(g, f, p - g, yP, 0, 0);
      v.AddFrameRect(p + g, f, w - g, yP, 0, 0);
    }
    v.Line(p, 0, p, h0);
  };
  auto bars = [&](int i) {
    const FittingElevation::RBarBox P = v.BarBox(i);
    const double sx = P.P1 + p;
    v.AddMidBar(P.P1 + P.P5, sx - P.P6);
    v.AddMidBar(sx + P.P5, P.P3 - P.P6);
  };
  v.Build(interior, bars, p);
}

void TBuzaidanmenobj::MakeFittingElevation54() {
  FittingElevation v(*this);
  const double w = v.w, h0 = v.h0, e = v.e, f = v.f, g = v.g, m = v.m, yP = v.yP;
  const double yd = (h0 - m) / 2;
  auto interior = [&](int) {
    if (PanelStyle() == 1) {
      v.AddFrameRectWideTop(g, f, w - g, (h0 + m) / 2 - e, g, g);
      v.AddFrameRectWideTop(g, yd + f, w - g, yP, 0, 0);
      return;
    }
    if (PanelStyle() == 2) {
      // The lower panel loses its top where the rail would meet the divider.
      v.AddPanelRect(g, f, w - g, (h0 + m) / 2 - e, {.NoTop = !(e - m > 0.01)});
      v.AddPanelRect(g, yd + f, w - g, yP);
    }
    v.Line(0, yd, w, yd);
  };
  v.Build(interior, [](int) {});
}

void TBuzaidanmenobj::MakeFittingElevation55() {
  FittingElevation v(*this);
  const double w = v.w, h0 = v.h0, e = v.e, f = v.f, g = v.g, m = v.m, yP = v.yP;
  const double t1 = w / 3 - m / 2;
  const double t2 = 2 * w / 3 - m / 2;
  auto interior = [&](int) {
    if (PanelStyle() == 1) {
      v.AddFrameRect(g, f, t1, yP, e, f);
      v.AddFrameRect(g - m / 2 + w / 3, f, t2, yP, e, f);
      v.AddFrameRect(g - m / 2 + 2 * w / 3, f, w - g, yP, 0, 0);
      return;
    }
    if (PanelStyle() == 2) {
      if (g - m > 0) {
        v.AddPanelRect(g, f, w / 3 + m / 2 - g, yP);
        v.AddPanelRect(g - m / 2 + w / 3, f, 2 * w / 3 + m / 2 - g, yP);
      } else {
        v.AddPanelRect(g, f, t1, yP, {.NoRight = true});
        v.AddPanelRect(g - m / 2 + w / 3, f, t2, yP, {.NoRight = true});
      }
      v.AddPanelRect(g - m / 2 + 2 * w / 3, f, w - g, yP);
    }
    v.Line(t1, 0, t1, h0);
    v.Line(t2, 0, t2, h0);
  };
  auto bars = [&](int i) {
    const FittingElevation::RBarBox P = v.BarBox(i);
    const double span = std::abs(P.P1 - P.P3);
    const double q1 = P.P1 + span / 3;
    const double q2 = P.P1 + 2 * span / 3;
    const double a = P.P7 / 2 - P.P6 >= 0 ? -P.P7 / 2 : P.P7 / 2 - P.P6;
    v.AddMidBar(P.P1 + P.P5, q1 + a);
    v.AddMidBar(q1 + P.P6 - P.P7 / 2, q2 + a);
    v.AddMidBar(q2 + P.P5 - P.P7 / 2, P.P3 - P.P6);
  };
  v.Build(interior, bars);
}

void TBuzaidanmenobj::MakeFittingElevation56() {
  FittingElevation v(*this);
  const double w = v.w, h0 = v.h0, e = v.e, f = v.f, g = v.g, m = v.m, yP = v.yP;
  const double u1 = w / 4 - m / 2;
  const double u2 = w / 2;
  const double u3 = 3 * w / 4 + m / 2;
  auto interior = [&](int) {
    if (PanelStyle() == 1) {
      v.AddFrameRect(g, f, u1, yP, e, f);
      v.AddFrameRect(g - m / 2 + w / 4, f, w / 2 - g, yP, 0, 0);
      v.AddFrameRect(w / 2 + g, f, 3 * w / 4 - m / 2, yP, 0, 0, ExtendedSide::Left);
      v.AddFrameRect(g - m / 2 + 3 * w / 4, f, w - g, yP, e, f, ExtendedSide::Left);
      v.Line(u2, 0, u2, h0);
      return;
    }
    if (PanelStyle() == 2) {
      if (g - m >= 0) {
        v.AddPanelRect(g, f, w / 4 + m / 2 - g, yP);
        v.AddPanelRect(g - m / 2 + 3 * w / 4, f, w - g, yP);
      } else {
        v.AddPanelRect(g, f, u1, yP);
        const double r = g - m / 2 >= 0 ? g - m / 2 : 0.0;
        const double t = g - m / 2 >= 0 ? g : m / 2;
        v.AddPanelRect(3 * w / 4 + r, f, w - g, yP, {.Start = t, .NoLeft = true});
      }
      v.AddPanelRect(g - m / 2 + w / 4, f, w / 2 - g, yP);
      v.AddPanelRect(w / 2 + g, f, 3 * w / 4 + m / 2 - g, yP);
    }
    v.Line(u1, 0, u1, h0);
    v.Line(u2, 0, u2, h0);
    v.Line(u3, 0, u3, h0);
  };
  auto bars = [&](int i) {
    const FittingElevation::RBarBox P = v.BarBox(i);
    const double span = std::abs(P.P1 - P.P3);
    const double q1 = P.P1 + span / 4;
    const double q2 = P.P1 + span / 2;
    const double q3 = P.P1 + 3 * span / 4;
    const double a = P.P6 - P.P7 > 0 ? P.P6 - P.P7 / 2 : P.P7 / 2;
    const double b = P.P6 - P.P7 / 2;
    v.AddMidBar(P.P1 + P.P5, q1 - a);
    v.AddMidBar(q3 + a, P.P3 - P.P6);
    v.AddMidBar(q1 + b, q2 - P.P5);
    v.AddMidBar(q2 + P.P5, q3 - b);
  };
  v.Build(interior, bars);
}
