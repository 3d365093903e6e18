// Leaves drawn as single lines between stop blocks in a wall: two leaves
// (kind 61), four leaves (kind 66), one leaf (kind 69).

#include "figures/fittings/plan_helpers.h"
#include "tools/settings/default_settings.h"

namespace {

// The stops and centre blocks of kinds 61 and 66, on the wall's middle m.
struct StopBlocks {
  explicit StopBlocks(FittingPlan& Plan)
      : p(Plan), m(Plan.T / 2), c20(Plan.Paper(20)), c25(Plan.Paper(25)), c180(Plan.Paper(180)) {}

  // A stop 25 deep from x0 to xe above the middle or below it, closed at xe
  // from the middle outward.
  void Stop(double x0, double xe, bool upper) {
    if (upper) {
      p.Line(x0, m + c25, xe, m + c25);
      p.Line(x0, m, xe, m);
      p.Line(xe, m, xe, m + c25);
    } else {
      p.Block(x0, xe, m, m - c25);
    }
  }

  // The block where two leaves meet at x, with its mark.
  void CentreBlock(double x) {
    p.Line(x - c20, m - c25, x + c20, m - c25);
    p.Line(x - c20, m, x + c20, m);
    p.Line(x - c20, m + c25, x + c20, m + c25);
    p.Line(x - c20, m - c25, x - c20, m + c25);
    p.Line(x + c20, m - c25, x + c20, m + c25);
    p.Mark(x, m, c180);
  }

  FittingPlan& p;
  const double m;
  const double c20;
  const double c25;
  const double c180;
};

// The units of kinds 61, 66 and 69 lose the walls beyond the outer closing
// lines when the width is overall.
RPlanUnits StoppedUnits(const FittingPlan& p) {
  return p.RepeatedUnits(2 * (FittingDefaults.FitPlanSize2 + 15));
}

}  // namespace

void TBuzaidanmenobj::MakeFittingPlan61() {
  FittingPlan p(*this);
  StopBlocks blocks(p);
  const double T = p.T;
  const double E = p.E;
  const double G = p.G;
  const double m = blocks.m;
  const double c12 = p.Paper(12.5);
  const double c15 = p.Paper(15);
  const double c20 = blocks.c20;
  const double c25 = blocks.c25;
  const RPlanUnits units = StoppedUnits(p);
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
    blocks.Stop(x - c15, x + c25, true);
    blocks.CentreBlock(h);
    p.WallFaces(x + W, last ? x + W + E + c15 : x + W + G);
    p.Line(x + W + c15, 0, x + W + c15, T);
    blocks.Stop(x + W + c15, x + W - c25, false);
    p.Line(x + c25, m + c12, h - c20, m + c12);
    p.Line(h + c20, m - c12, x + W - c25, m - c12);
    p.Face(x, T, x + W, T);
    p.Face(x, 0, x + W, 0);
  }
  p.AddWallEnds(-c15, units.Right + c15);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan66() {
  FittingPlan p(*this);
  StopBlocks blocks(p);
  const double T = p.T;
  const double E = p.E;
  const double G = p.G;
  const double m = blocks.m;
  const double c12 = p.Paper(12.5);
  const double c15 = p.Paper(15);
  const double c20 = blocks.c20;
  const double c25 = blocks.c25;
  const RPlanUnits units = StoppedUnits(p);
  const double W = units.W;
  const int n = units.n;
  p.Begin(units.Box, T, p.SideGap(E + c15));
  for (int i = 0; i < n; ++i) {
    const double x = i * (W + G);
    const double q1 = x + W / 4;
    const double q2 = x + W / 2;
    const double q3 = x + 3 * W / 4;
    // Between two units each wall runs half way across the gap.
    p.WallFaces(x, i == 0 ? x - E - c15 : x - G / 2);
    p.Line(x - c15, 0, x - c15, T);
    blocks.Stop(x - c15, x + c25, true);
    blocks.CentreBlock(q1);
    blocks.Stop(q2, q2 - c25, false);
    blocks.Stop(q2, q2 + c25, false);
    p.Mark(q2, m, blocks.c180);
    blocks.CentreBlock(q3);
    p.WallFaces(x + W, i == n - 1 ? x + W + E + c15 : x + W + G / 2);
    p.Line(x + W + c15, 0, x + W + c15, T);
    blocks.Stop(x + W + c15, x + W - c25, true);
    p.Line(x + c25, m + c12, q1 - c20, m + c12);
    p.Line(q1 + c20, m - c12, q2 - c25, m - c12);
    p.Line(q2 + c25, m - c12, q3 - c20, m - c12);
    p.Line(q3 + c20, m + c12, x + W - c25, m + c12);
    p.Face(x, T, x + W, T);
    p.Face(x, 0, x + W, 0);
  }
  p.AddWallEnds(-c15, units.Right + c15);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan69() {
  FittingPlan p(*this);
  const double T = p.T;
  const double E = p.E;
  const double G = p.G;
  const double m = T / 2;
  const double c15 = p.Paper(15);
  const double c17 = p.Paper(17.5);
  const double c35 = p.Paper(35);
  const RPlanUnits units = StoppedUnits(p);
  const double W = units.W;
  const int n = units.n;
  p.Begin(units.Box, T, p.SideGap(E + c15));
  for (int i = 0; i < n; ++i) {
    const double x = i * (W + G);
    // The upper wall lines start at the closing lines; between two units
    // each wall runs half way across the gap.
    const double left = i == 0 ? x - E - c15 : x - G / 2;
    const double right = i == n - 1 ? x + W + E + c15 : x + W + G / 2;
    p.Line(x, 0, left, 0);
    p.Line(x - c15, T, left, T);
    p.Line(x - c15, 0, x - c15, T);
    p.Block(x - c15, x + c35, m - c17, m + c17);
    p.Line(x + W, 0, right, 0);
    p.Line(x + W + c15, T, right, T);
    p.Line(x + W + c15, 0, x + W + c15, T);
    p.Block(x + W + c15, x + W - c35, m + c17, m - c17);
    p.Line(x + c35, m, x + W - c35, m);
    p.Face(x - c15, T, x + W + c15, T);
    p.Face(x, 0, x + W, 0);
  }
  p.AddWallEnds(-c15, units.Right + c15);
  p.Finish();
}
