// Leaves drawn as single lines on two tracks of a wall, between posts 50
// wide: four leaves (kind 72) or two (kind 73) in each unit.

#include <algorithm>

#include "figures/fittings/plan_helpers.h"
#include "tools/settings/default_settings.h"

namespace {

// The heights of the posts and tracks: a wall up to 100 thick takes its
// posts nearly across it, a thicker one a post 100 deep on its middle.
struct PostHeights {
  explicit PostHeights(const FittingPlan& p) {
    const double T = p.T;
    // The stored thickness decides: T times the scale can land beyond 100
    // for a wall of exactly 100.
    if (FittingDefaults.FitPlanSize1 > 100) {
      a = T / 2 - p.Paper(50);
      b = T / 2 + p.Paper(50);
      upper = T / 2 + p.Paper(25);
      lower = T / 2 - p.Paper(25);
    } else {
      a = p.Paper(2);
      b = T - p.Paper(2);
      upper = 3 * T / 4 - p.Paper(1);
      lower = T / 4 + p.Paper(1);
    }
  }
  double a = 0.0;      // post bottom
  double b = 0.0;      // post top
  double upper = 0.0;  // upper track
  double lower = 0.0;  // lower track
};

// A post 50 wide from x, from a to b, halved on the wall's middle.
void AddPost(FittingPlan& p, const PostHeights& h, double x) {
  const double x2 = x + p.Paper(50);
  p.Line(x, h.a, x2, h.a);
  p.Line(x, p.T / 2, x2, p.T / 2);
  p.Line(x, h.b, x2, h.b);
  p.Line(x, h.a, x, h.b);
  p.Line(x2, h.a, x2, h.b);
}

// The right end of n units U wide at a pitch of U + G: placed as for one
// unit when there is none.
double PostedRight(const FittingPlan& p, double U) {
  const int counted = std::max(p.n, 1);
  return counted * U + (counted - 1) * p.G;
}

// Starts a kind of units U wide; a mirrored kind appends every line, end
// marks and pockets too, with x replaced by its total width less x.
void BeginPostedUnits(FittingPlan& p, double U, bool mirrored) {
  p.Begin(p.n * U + (p.n - 1) * p.G, p.T, p.SideGap(p.E));
  if (mirrored) p.MirrorAlong(PostedRight(p, U));
}

// The n units, each from its left end x: its left wall and closing line,
// its posts, its right wall and closing line, its leaves and its faces. The
// walls run half way across the gaps between units. Then the end marks and
// pockets at the outer ends.
template <typename Posts, typename Leaves>
void AddPostedUnits(FittingPlan& p, double U, Posts AddPosts, Leaves AddLeaves) {
  const double G = p.G;
  const double E = p.E;
  const double T = p.T;
  const int n = p.n;
  for (int i = 0; i < n; ++i) {
    const double x = i * (U + G);
    p.WallFaces(x, i == 0 ? x - E : x - G / 2);
    p.Line(x, 0, x, T);
    AddPosts(x);
    p.WallFaces(x + U, i == n - 1 ? x + U + E : x + U + G / 2);
    p.Line(x + U, 0, x + U, T);
    AddLeaves(x);
    p.Face(x, T, x + U, T);
    p.Face(x, 0, x + U, 0);
  }
  p.AddWallEnds(0, PostedRight(p, U));
  p.Finish();
}

}  // namespace

void TBuzaidanmenobj::MakeFittingPlan72() {
  FittingPlan p(*this);
  const PostHeights h(p);
  const double m = p.T / 2;
  const double W = p.WorkingWidth(0);
  const double c50 = p.Paper(50);
  const double c100 = p.Paper(100);
  const double U = 2 * W + c100;
  BeginPostedUnits(p, U, false);
  AddPostedUnits(
      p, U,
      [&](double x) {
        AddPost(p, h, x + W / 2);
        p.Block(x + W + c50, x + W, m, h.a);
        p.Block(x + W + c50, x + W + c100, m, h.a);
        p.Mark(x + W + c50, m, p.Paper(180));
        AddPost(p, h, x + 3 * W / 2 + c50);
      },
      [&](double x) {
        p.Line(x, h.upper, x + W / 2, h.upper);
        p.Line(x + W / 2 + c50, h.lower, x + W, h.lower);
        p.Line(x + W + c100, h.lower, x + 3 * W / 2 + c50, h.lower);
        p.Line(x + 3 * W / 2 + c100, h.upper, x + U, h.upper);
      });
}

void TBuzaidanmenobj::MakeFittingPlan73() {
  FittingPlan p(*this);
  const PostHeights h(p);
  const double m = p.T / 2;
  const double W = p.WorkingWidth(0);
  const double c50 = p.Paper(50);
  const double c180 = p.Paper(180);
  const double U = 2 * W + c50;
  const bool mirrored = FittingDefaults.FitPlanOption3 != 0;
  BeginPostedUnits(p, U, mirrored);
  AddPostedUnits(
      p, U,
      [&](double x) {
        AddPost(p, h, x + W);
        p.Block(x + 2 * W + c50, x + 2 * W, m, h.a);
      },
      [&](double x) {
        // The mark over the second leaf runs down from its upper end when
        // the figure is mirrored.
        const double xm = x + 3 * W / 2 + p.Paper(37.5);
        if (mirrored) {
          p.Line(xm, m + c180, xm, m - c180);
        } else {
          p.Mark(xm, m, c180);
        }
        p.Line(x, h.upper, x + W, h.upper);
        p.Line(x + W + c50, h.lower, x + 2 * W, h.lower);
      });
}
