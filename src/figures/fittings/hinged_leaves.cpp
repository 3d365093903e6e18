// Hinged leaves with quarter swing arcs, kinds 63 to 65: one leaf over the
// whole width or two leaves hinged at both sides.

#include "figures/fittings/plan_helpers.h"
#include "tools/settings/default_settings.h"

namespace {

// Appends the leaves standing at right angles from the hinges at height h
// of an opening W wide, each with its swing; returns where the leaves meet.
double AddHingedLeaves(FittingPlan& p, double W, double h) {
  const bool rightHand = FittingDefaults.FitPlanOption3 != 0;
  if (FittingDefaults.FitPlanOption4 == 0) {
    if (rightHand) {
      p.Arc(W, h, W, 90, 180);
      p.Line(W, h, W, h + W);
    } else {
      p.Arc(0, h, W, 0, 90);
      p.Line(0, h, 0, h + W);
    }
    return W / 2;
  }
  const double split = FittingDefaults.FitLeafSplit;
  const double s = split > 0.0 ? p.Paper(split) : W / 2;
  const double rL = rightHand ? W - s : s;
  const double rR = rightHand ? s : W - s;
  p.Arc(0, h, rL, 0, 90);
  p.Line(0, h, 0, h + rL);
  p.Arc(W, h, rR, 90, 180);
  p.Line(W, h, W, h + rR);
  return rL;
}

}  // namespace

void TBuzaidanmenobj::MakeFittingPlan63() {
  FittingPlan p(*this);
  const double W = p.WorkingWidth(40);
  const double J = p.J;
  const double D = p.D;
  const double c5 = p.Paper(5);
  const double c15 = p.Paper(15);
  const double c20 = p.Paper(20);
  const double c50 = p.Paper(50);
  const double c90 = p.Paper(90);
  p.Begin(W, c90, p.SideGap(c20));
  const double xm = AddHingedLeaves(p, W, c50);
  // Rebated jambs of a frame 90 deep.
  p.Line(c15, 0, -c20, 0);
  p.Line(0, c90, -c20, c90);
  p.Line(-c20, 0, -c20, c90);
  p.Line(0, c50, c15, c50);
  p.Line(c15, 0, c15, c50);
  p.Line(0, c50, 0, c90);
  p.Line(W - c15, 0, W + c20, 0);
  p.Line(W, c90, W + c20, c90);
  p.Line(W + c20, 0, W + c20, c90);
  p.Line(W, c50, W - c15, c50);
  p.Line(W - c15, 0, W - c15, c50);
  p.Line(W, c50, W, c90);
  p.Face(c15, 0, W - c15, 0);
  p.Face(c15, c50, W - c15, c50);
  p.Face(0, c90, W, c90);
  p.Line(xm, -p.Paper(45), xm, p.Paper(315));
  p.AddEndMarks(p.HingedMarks(p.Paper(25)), 0, 0, W, 0);
  if (p.SideFramesOn()) {
    p.AddSideBox(c5, c5 - J, -D);
    p.AddSideBox(W - c5, W - c5 + J, -D);
  }
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan64() {
  FittingPlan p(*this);
  const double W = p.WorkingWidth(40);
  const double T = p.T;
  const double J = p.J;
  const double D = p.D;
  const double c15 = p.Paper(15);
  const double c20 = p.Paper(20);
  const double h = T - p.Paper(40);
  p.Begin(W, p.Paper(70), p.SideGap(c20));
  const double xm = AddHingedLeaves(p, W, h);
  // Short wall returns and a stop line at the hinge height.
  p.Line(0, 0, -c20, 0);
  p.Line(0, T, -c20, T);
  p.Line(0, 0, 0, T);
  p.Line(0, h, c15, h);
  p.Line(W, 0, W + c20, 0);
  p.Line(W, T, W + c20, T);
  p.Line(W, 0, W, T);
  p.Line(W, h, W - c15, h);
  p.Face(c15, h, W - c15, h);
  p.Face(0, T, W, T);
  p.Line(xm, T / 2 - p.Paper(90), xm, T / 2 + p.Paper(270));
  p.AddEndMarks(p.HingedMarks(p.Paper(25)), 0, 0, W, 0);
  if (p.SideFramesOn()) {
    p.AddSideBox(0, -J, -D);
    p.AddSideBox(W, W + J, -D);
  }
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan65() {
  FittingPlan p(*this);
  const double W = p.FrameWidth();
  const double J = p.J;
  const double D = p.D;
  const bool sideFrames = p.SideFramesOn();
  p.Begin(W, D, p.SideGap(sideFrames ? J : 0.0));
  const double xm = AddHingedLeaves(p, W, D - p.Paper(40));
  p.Line(xm, D / 2 - p.Paper(90), xm, D / 2 + p.Paper(270));
  p.AddEndMarks(p.HingedMarks(J), 0, 0, W, 0);
  if (sideFrames) {
    const double c10 = p.Paper(10);
    const double top = D - p.Paper(40);
    const double bottom = D - p.Paper(70);
    // Each side: a box beside the frame, then a stop inside the opening.
    p.AddSideBox(0, -J, D);
    p.Line(c10, top, 0, top);
    p.Line(c10, bottom, 0, bottom);
    p.Line(c10, top, c10, bottom);
    p.AddSideBox(W, W + J, D);
    p.Line(W - c10, top, W, top);
    p.Line(W - c10, bottom, W, bottom);
    p.Line(W - c10, top, W - c10, bottom);
    p.Face(0, D, W, D);
    p.Face(c10, top, W - c10, top);
  }
  p.Finish();
}
