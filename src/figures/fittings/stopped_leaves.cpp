// Leaves drawn as single lines between stop blocks in a wall: two leaves
// (kind 61), four leaves (kind 66), one leaf (kind 69).

#include "figures/fittings/plan_helpers.h"
#include "tools/settings/default_settings.h"

namespace {

// What kinds 61, 66 and 69 share: the wall T thick with its middle m, the
// units (which lose the walls beyond the outer closing lines when the
// width is overall), the box, and the stops and centre blocks of kinds 61
// and 66.
struct StoppedWall {
  explicit StoppedWall(FittingPlan& Plan)
      : p(Plan),
        T(Plan.T),
        E(Plan.E),
        G(Plan.G),
        m(Plan.T / 2),
        c12(Plan.Paper(12.5)),
        c15(Plan.Paper(15)),
        c20(Plan.Paper(20)),
        c25(Plan.Paper(25)),
        c180(Plan.Paper(180)),
        units(Plan.RepeatedUnits(2 * (FittingDefaults.FitPlanSize2 + 15))),
        W(units.W),
        n(units.n) {
    p.Begin(units.Box, T, p.SideGap(E + c15));
  }

  // The left end of unit i.
  double UnitStart(int i) const { return i * (W + G); }

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

  // End marks and pockets 15 beyond the outer closing lines.
  void Finish() {
    p.AddWallEnds(-c15, units.Right + c15);
    p.Finish();
  }

  FittingPlan& p;
  const double T;
  const double E;
  const double G;
  const double m;
  const double c12;
  const double c15;
  const double c20;
  const double c25;
  const double c180;
  const RPlanUnits units;
  const double W;
  const int n;
};

}  // namespace

void TBuzaidanmenobj::MakeFittingPlan61() {
  FittingPlan p(*this);
  StoppedWall s(p);
  const double T = s.T;
  const double W = s.W;
  const double m = s.m;
  for (int i = 0; i < s.n; ++i) {
    const double x = s.UnitStart(i);
    const bool last = i == s.n - 1;
    const double h = x + W / 2;
    // Every unit but the last reaches back into the gap before it; the
    // right wall of every unit but the last only spans the gap.
    if (s.n == 1 || !last) p.WallFaces(x, x - s.E - s.c15);
    p.Line(x - s.c15, 0, x - s.c15, T);
    s.Stop(x - s.c15, x + s.c25, true);
    s.CentreBlock(h);
    p.WallFaces(x + W, last ? x + W + s.E + s.c15 : x + W + s.G);
    p.Line(x + W + s.c15, 0, x + W + s.c15, T);
    s.Stop(x + W + s.c15, x + W - s.c25, false);
    p.Line(x + s.c25, m + s.c12, h - s.c20, m + s.c12);
    p.Line(h + s.c20, m - s.c12, x + W - s.c25, m - s.c12);
    p.Face(x, T, x + W, T);
    p.Face(x, 0, x + W, 0);
  }
  s.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan66() {
  FittingPlan p(*this);
  StoppedWall s(p);
  const double T = s.T;
  const double W = s.W;
  const double m = s.m;
  for (int i = 0; i < s.n; ++i) {
    const double x = s.UnitStart(i);
    const double q1 = x + W / 4;
    const double q2 = x + W / 2;
    const double q3 = x + 3 * W / 4;
    // Between two units each wall runs half way across the gap.
    p.WallFaces(x, i == 0 ? x - s.E - s.c15 : x - s.G / 2);
    p.Line(x - s.c15, 0, x - s.c15, T);
    s.Stop(x - s.c15, x + s.c25, true);
    s.CentreBlock(q1);
    s.Stop(q2, q2 - s.c25, false);
    s.Stop(q2, q2 + s.c25, false);
    p.Mark(q2, m, s.c180);
    s.CentreBlock(q3);
    p.WallFaces(x + W, i == s.n - 1 ? x + W + s.E + s.c15 : x + W + s.G / 2);
    p.Line(x + W + s.c15, 0, x + W + s.c15, T);
    s.Stop(x + W + s.c15, x + W - s.c25, true);
    p.Line(x + s.c25, m + s.c12, q1 - s.c20, m + s.c12);
    p.Line(q1 + s.c20, m - s.c12, q2 - s.c25, m - s.c12);
    p.Line(q2 + s.c25, m - s.c12, q3 - s.c20, m - s.c12);
    p.Line(q3 + s.c20, m + s.c12, x + W - s.c25, m + s.c12);
    p.Face(x, T, x + W, T);
    p.Face(x, 0, x + W, 0);
  }
  s.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan69() {
  FittingPlan p(*this);
  StoppedWall s(p);
  const double T = s.T;
  const double W = s.W;
  const double m = s.m;
  const double c15 = s.c15;
  const double c17 = p.Paper(17.5);
  const double c35 = p.Paper(35);
  for (int i = 0; i < s.n; ++i) {
    const double x = s.UnitStart(i);
    // The upper wall lines start at the closing lines; between two units
    // each wall runs half way across the gap.
    const double left = i == 0 ? x - s.E - c15 : x - s.G / 2;
    const double right = i == s.n - 1 ? x + W + s.E + c15 : x + W + s.G / 2;
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
  s.Finish();
}
