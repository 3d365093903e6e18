// Openings in a wall without leaves, kinds 70, 71 and 75.

#include "figures/fittings/plan_helpers.h"
#include "tools/settings/default_settings.h"

void TBuzaidanmenobj::MakeFittingPlan70() {
  FittingPlan p(*this);
  const double T = p.T;
  const double E = p.E;
  const double G = p.G;
  const RPlanUnits units = p.RepeatedUnits(2 * FittingDefaults.FitPlanSize2);
  const double W = units.W;
  const int n = units.n;
  p.Begin(units.Box, T, p.SideGap(E));
  for (int i = 0; i < n; ++i) {
    const double x = i * (W + G);
    // Between two units each side of the gap runs half way across it.
    const double left = i > 0 ? x - G / 2 : x - E;
    const double right = i < n - 1 ? x + W + G / 2 : x + W + E;
    p.WallFaces(x, left);
    p.Line(x, 0, x, T);
    p.WallFaces(x + W, right);
    p.Line(x + W, 0, x + W, T);
    p.Line(x, T / 2, x + W, T / 2);
    p.Face(x, T, x + W, T);
    p.Face(x, 0, x + W, 0);
  }
  p.AddWallEnds(0, units.Right);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan71() {
  FittingPlan p(*this);
  const double T = p.T;
  const double E = p.E;
  const double G = p.G;
  const double c15 = p.Paper(15);
  const RPlanUnits units = p.RepeatedUnits(2 * FittingDefaults.FitPlanSize2);
  const double W = units.W;
  const int n = units.n;
  p.Begin(units.Box, T, p.SideGap(E));
  for (int i = 0; i < n; ++i) {
    const double x = i * (W + G);
    const bool first = i == 0;
    const bool last = i == n - 1;
    // The wall ends beyond the outer jambs; between two units the gap is
    // closed by half-gap lines and a line across its middle.
    const double left = first ? x - E : x - G / 2;
    const double right = last ? x + W + E : x + W + G / 2;
    p.WallFaces(x, left);
    if (first || !last) p.Line(left, 0, left, T);
    p.Line(x, 0, x, c15);
    p.Line(x, T - c15, x, T);
    p.WallFaces(x + W, right);
    p.Line(right, 0, right, T);
    p.Line(x + W, 0, x + W, c15);
    p.Line(x + W, T - c15, x + W, T);
    p.Line(x - c15, T / 2, x + W + c15, T / 2);
  }
  p.AddWallEnds(0, units.Right);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan75() {
  FittingPlan p(*this);
  const double T = p.T;
  const double E = p.E;
  const RPlanUnits units = p.RepeatedUnits(2 * (FittingDefaults.FitPlanSize2 + 15));
  const double W = units.W;
  // One opening whatever the count; the count sizes only the box.
  p.Begin(units.Box, T, p.SideGap(E + p.Paper(15)));
  p.Face(-E, T, W + E, T);
  p.Line(-E, 0, -E, T);
  p.Line(W + E, 0, W + E, T);
  p.Finish();
}
