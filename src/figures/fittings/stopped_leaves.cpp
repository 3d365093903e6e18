// Leaves drawn as single lines between stop blocks in a wall, kind 61.

#include "figures/fittings/plan_helpers.h"
#include "tools/settings/default_settings.h"

void TBuzaidanmenobj::MakeFittingPlan61() {
  FittingPlan p(*this);
  const double T = p.T;
  const double E = p.E;
  const double G = p.G;
  const double m = T / 2;
  const double c12 = p.Paper(12.5);
  const double c15 = p.Paper(15);
  const double c20 = p.Paper(20);
  const double c25 = p.Paper(25);
  const double c180 = p.Paper(180);
  const RPlanUnits units = p.RepeatedUnits(2 * (FittingDefaults.FitPlanSize2 + 15));
  const double W = units.W;
  const int n = units.n;
  p.Begin(units.Box, T, p.SideGap(E + c15));
  for (int i = 0; i < n; ++i) {
    const double x = i * (W + G);
    const bool last = i == n - 1;
    const double h = x + W / 2;
    // Every unit but the last reaches back into the gap before it; the
    // right wall of every unit but the last only spans the gap.
    if (n == 1 || !last) p.WallFaces(x, x - E - c15);
    p.Line(x - c15, 0, x - c15, T);
    p.Line(x - c15, m + c25, x + c25, m + c25);
    p.Line(x - c15, m, x + c25, m);
    p.Line(x + c25, m, x + c25, m + c25);
    p.Line(h - c20, m - c25, h + c20, m - c25);
    p.Line(h - c20, m, h + c20, m);
    p.Line(h - c20, m + c25, h + c20, m + c25);
    p.Line(h - c20, m - c25, h - c20, m + c25);
    p.Line(h + c20, m - c25, h + c20, m + c25);
    p.Line(h, m - c180, h, m + c180);
    p.WallFaces(x + W, last ? x + W + E + c15 : x + W + G);
    p.Line(x + W + c15, 0, x + W + c15, T);
    p.Line(x + W + c15, m, x + W - c25, m);
    p.Line(x + W + c15, m - c25, x + W - c25, m - c25);
    p.Line(x + W - c25, m, x + W - c25, m - c25);
    p.Line(x + c25, m + c12, h - c20, m + c12);
    p.Line(h + c20, m - c12, x + W - c25, m - c12);
    p.Face(x, T, x + W, T);
    p.Face(x, 0, x + W, 0);
  }
  p.AddWallEnds(-c15, units.Right + c15);
  p.Finish();
}
