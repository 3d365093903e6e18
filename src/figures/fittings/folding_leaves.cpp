// Folding leaves in a frame, kind 74: pairs of leaves shown half folded,
// each pair an inverted V on a common base line.

#include <cmath>

#include "figures/fittings/plan_helpers.h"
#include "geometry/angles_points.h"

namespace {

// More pairs than this would not fit any real opening; a wider or broken
// width builds none rather than exhausting memory.
constexpr double kMostPairs = 100000.0;

// One pair of leaves L long and t thick from x0 on the base height y0; the
// left leaf rises at 75 degrees, the right one at 105. Returns the advance
// from x0 to the base of the second leaf.
double AddFoldingPair(FittingPlan& p, double x0, double y0, double L, double t) {
  const double a = 2 * L * std::cos(75 * M_PI / 180) + 2 * t * std::cos(15 * M_PI / 180);
  const double x1 = x0 + a;
  RPoint2D edge;
  RPoint2D foot;
  RPoint2D head;
  PolarPoint(edge.x, edge.y, 75, L, x0, y0);
  PolarPoint(foot.x, foot.y, -15, t, x0, y0);
  PolarPoint(head.x, head.y, -15, t, edge.x, edge.y);
  p.Line(x0, y0, edge.x, edge.y);
  p.Line(x0, y0, foot.x, foot.y);
  p.Line(foot.x, foot.y, head.x, head.y);
  p.Line(edge.x, edge.y, head.x, head.y);
  PolarPoint(edge.x, edge.y, 105, L, x1, y0);
  PolarPoint(foot.x, foot.y, 15, -t, x1, y0);
  PolarPoint(head.x, head.y, 15, -t, edge.x, edge.y);
  p.Line(x1, y0, edge.x, edge.y);
  p.Line(x1, y0, foot.x, foot.y);
  p.Line(foot.x, foot.y, head.x, head.y);
  p.Line(edge.x, edge.y, head.x, head.y);
  return a;
}

}  // namespace

void TBuzaidanmenobj::MakeFittingPlan74() {
  FittingPlan p(*this);
  const bool sideFrames = p.SideFramesOn();
  // The pair count follows the real width of the settings: W times the
  // scale may land a hair beyond a bound that the width itself meets.
  const double w = p.RealFrameWidth();
  const double W = p.Paper(w);
  const double D = p.D;
  const double J = p.J;
  const double t = p.Paper(20);
  const double y0 = D - t;
  p.Begin(W, D, p.SideGap(sideFrames ? J : 0.0));
  auto pair = [&](double x0, double L) { return AddFoldingPair(p, x0, y0, L, t); };
  if (w <= 1100) {
    pair(0, W / 2);
  } else if (w <= 1821) {
    const double a = pair(0, W / 4);
    pair(W - a, W / 4);
  } else if (w <= 2731) {
    const double a = pair(0, W / 6);
    pair(a, W / 6);
    pair(W - a, W / 6);
  } else if (w <= 3641) {
    const double a = pair(0, W / 8);
    pair(a, W / 8);
    pair(W - 2 * a, W / 8);
    pair(W - a, W / 8);
  } else if (w <= 4551) {
    const double a = pair(0, W / 8);
    pair(a, W / 8);
    pair(2 * a, W / 8);
    pair(W - 2 * a, W / 8);
    pair(W - a, W / 8);
  } else {
    double k = std::trunc(w / 450);
    if (std::fmod(k, 2.0) != 0.0) k += 1;
    if (std::isfinite(k) && k <= kMostPairs) {
      const int count = static_cast<int>(k);
      const double L = W / count;
      const double a = pair(0, L);
      for (int i = 1; i <= count; ++i) pair(i * a, L);
    }
  }
  p.Face(0, D, W, D);
  p.Face(0, D - p.Paper(36), W, D - p.Paper(36));
  p.Line(W / 2, D / 2 - p.Paper(140), W / 2, D / 2 + p.Paper(140));
  p.AddFrameEnds(W);
  p.Finish();
}
