// Frames with sashes sliding on tracks between two face lines: two, three
// or four sashes (kinds 62, 67, 68), an empty frame (kind 76) and two
// overlapping leaves (kind 77).

#include "figures/fittings/plan_helpers.h"
#include "tools/settings/default_settings.h"

namespace {

// A sash from x0 to x1 between the heights yA and yB: its side at yA (ending
// at firstEnd, short of x1 where the next sash covers it), its side at yB,
// then its ends at x0 and x1.
void AddSash(FittingPlan& p, double x0, double x1, double yA, double yB, double firstEnd, std::uint8_t lineType = 0) {
  p.Line(x0, yA, firstEnd, yA, lineType);
  p.Line(x0, yB, x1, yB, lineType);
  p.Line(x0, yA, x0, yB, lineType);
  p.Line(x1, yA, x1, yB, lineType);
}

// A frame W wide and D deep: its box, side gap only with side frames.
double BeginFrame(FittingPlan& p, double W) {
  p.Begin(W, p.D, p.SideGap(p.SideFramesOn() ? p.J : 0.0));
  return W;
}

// The faces of a frame W wide at y = 0 and y = D.
void AddFrameFaces(FittingPlan& p, double W) {
  p.Face(0, 0, W, 0);
  p.Face(0, p.D, W, p.D);
}

}  // namespace

void TBuzaidanmenobj::MakeFittingPlan62() {
  FittingPlan p(*this);
  const double W = BeginFrame(p, p.FrameWidth());
  const double m = p.D / 2;
  const double c20 = p.Paper(20);
  AddSash(p, 0, W / 2 + c20, m, m + c20, W / 2);
  AddSash(p, W / 2 - c20, W, m - c20, m, W);
  AddFrameFaces(p, W);
  p.Mark(W / 2, m, p.Paper(140));
  p.AddFrameEnds(W);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan67() {
  FittingPlan p(*this);
  const double W = BeginFrame(p, p.FrameWidth());
  const double m = p.D / 2;
  const double c10 = p.Paper(10);
  const double c20 = p.Paper(20);
  const double c30 = p.Paper(30);
  const double c140 = p.Paper(140);
  AddSash(p, 0, W / 3 + c20, m + c10, m + c30, W / 3);
  AddSash(p, W / 3 - c10, 2 * W / 3 + c10, m - c10, m + c10, 2 * W / 3 + c10);
  AddSash(p, 2 * W / 3 - c20, W, m - c30, m - c10, W);
  AddFrameFaces(p, W);
  p.Mark(W / 3, m, c140);
  p.Mark(2 * W / 3, m, c140);
  p.AddFrameEnds(W);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan68() {
  FittingPlan p(*this);
  const double W = BeginFrame(p, p.FrameWidth());
  const double m = p.D / 2;
  const double c20 = p.Paper(20);
  const double c140 = p.Paper(140);
  // The outer sashes on the upper track, the inner two on the lower one.
  AddSash(p, 0, W / 4 + c20, m, m + c20, W / 4);
  AddSash(p, W / 4 - c20, W / 2, m - c20, m, W / 2);
  p.Mark(W / 4, m, c140);
  AddSash(p, W / 2, 3 * W / 4 + c20, m - c20, m, 3 * W / 4 + c20);
  AddSash(p, 3 * W / 4 - c20, W, m, m + c20, W);
  AddFrameFaces(p, W);
  p.Mark(3 * W / 4, m, c140);
  p.Mark(W / 2, m, c140);
  p.AddFrameEnds(W);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan76() {
  FittingPlan p(*this);
  // The side boxes are always drawn, so an overall width always loses them.
  const double W = p.WorkingWidth(2 * FittingDefaults.FitPlanSize3);
  p.Begin(W, p.D, p.SideGap(p.J));
  AddFrameFaces(p, W);
  p.AddEndMarks(p.FrameMarks(), 0, 0, W, 0);
  p.AddSideFrames(SideFrameShape::Box, 0, W);
  p.Finish();
}

void TBuzaidanmenobj::MakeFittingPlan77() {
  FittingPlan p(*this);
  const bool fitsFrame = FittingDefaults.FitPlanOption6 != 0 && p.SideFramesOn();
  // Without both, the width is that of the two leaves side by side.
  const double W = BeginFrame(p, fitsFrame ? p.FrameWidth() : p.Paper(2 * (FittingDefaults.FitWidth + 25)));
  const double D = p.D;
  const double c20 = p.Paper(20);
  const double c25 = p.Paper(25);
  const double top = D - c20;
  const double bottom = D - p.T - c20;
  // The hand chooses which leaf is dashed; the mark stands over the other.
  const bool rightHand = FittingDefaults.FitPlanOption3 != 0;
  constexpr std::uint8_t kDashed = 3;
  AddSash(p, 0, W / 2 + c25, top, bottom, W / 2, rightHand ? 0 : kDashed);
  AddSash(p, W / 2 - c25, W, top, bottom, W, rightHand ? kDashed : 0);
  AddFrameFaces(p, W);
  p.Mark(rightHand ? W / 4 - p.Paper(12.5) : 3 * W / 4 + p.Paper(12.5), D / 2, p.Paper(140));
  p.AddFrameEnds(W);
  p.Finish();
}
