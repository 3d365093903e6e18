// The post and column symbol, kind 50: a D2 x D1 box with diagonals, a
// 45-degree hatch, or notched, chamfered or rounded corners.

#include <cmath>
#include <vector>

#include "figures/fittings/fitting_frame.h"
#include "geometry/angles_points.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"
#include "tools/settings/default_settings.h"

namespace {

struct RSegment {
  double x1, y1, x2, y2;
};

// Hatch lines at 45 degrees a pitch apart, clipped to the outline S0..S3.
void AddHatch(std::vector<RSegment>& S, double Cx, double Cy, double W, double H) {
  const double pitch = PostSymbolDefaults.PostHatchPitch;
  const double d = PointDistance(Cx, Cy, Cx + W, Cy + H);
  double count = std::trunc(d / pitch);
  if (count == 0) count = 1;
  // A pitch of 0 or one that makes the count no sound number draws no
  // hatch rather than loop without end.
  if (!(count >= 0 && count <= kMaxRepeatedFittingLines)) return;
  const double tx = Cx;
  const double ty = Cy + H;
  double ex = 0.0;
  double ey = 0.0;
  PolarPoint(ex, ey, 45, d / pitch, tx, ty);
  const RSegment outline[4] = {S[0], S[1], S[2], S[3]};
  for (int k = 1; k <= static_cast<int>(count); ++k) {
    RPoint2D p1;
    RPoint2D p2;
    // Too short a reference line has no direction to offset along.
    if (!TryOffsetSegment(tx, ty, ex, ey, -k * pitch, p1, p2)) continue;
    RPoint2D hits[2];
    int found = 0;
    for (const RSegment& side : outline) {
      double x = 0.0;
      double y = 0.0;
      if (!IntersectLineSegment(x, y, p1.x, p1.y, p2.x, p2.y, side.x1, side.y1, side.x2, side.y2)) continue;
      hits[found++] = {x, y};
      if (found == 2) break;
    }
    if (found == 2) S.push_back({hits[0].x, hits[0].y, hits[1].x, hits[1].y});
  }
}

// The four sides a and b short of each corner.
void AddShortenedSides(std::vector<RSegment>& S, double Cx, double Cy, double W, double H, double a, double b) {
  S.push_back({Cx, Cy + b, Cx, Cy + H - b});
  S.push_back({Cx + W, Cy + b, Cx + W, Cy + H - b});
  S.push_back({Cx + a, Cy, Cx + W - a, Cy});
  S.push_back({Cx + a, Cy + H, Cx + W - a, Cy + H});
}

}  // namespace

void TBuzaidanmenobj::MakePostSymbol() {
  const RPostSymbolDefaults& set = PostSymbolDefaults;
  const double W = D2;
  const double H = D1;
  SetSizeBoxOffset();
  const double Cx = OffsetX;
  const double Cy = OffsetY;
  const std::uint8_t type = set.PostShape;
  const double c = set.PostCornerSize1 / Scale;
  std::vector<RSegment> S;
  if (type == 3) {
    const double a = set.PostCornerSize2 / Scale;
    const double b = set.PostCornerSize3 / Scale;
    AddShortenedSides(S, Cx, Cy, W, H, a, b);
    S.push_back({Cx, Cy + b, Cx + a, Cy + b});
    S.push_back({Cx + a, Cy, Cx + a, Cy + b});
    S.push_back({Cx + W, Cy + b, Cx + W - a, Cy + b});
    S.push_back({Cx + W - a, Cy, Cx + W - a, Cy + b});
    S.push_back({Cx, Cy + H - b, Cx + a, Cy + H - b});
    S.push_back({Cx + a, Cy + H, Cx + a, Cy + H - b});
    S.push_back({Cx + W, Cy + H - b, Cx + W - a, Cy + H - b});
    S.push_back({Cx + W - a, Cy + H, Cx + W - a, Cy + H - b});
  } else if (type == 4) {
    const double a = std::sqrt(c * c / 2);
    AddShortenedSides(S, Cx, Cy, W, H, a, a);
    S.push_back({Cx, Cy + a, Cx + a, Cy});
    S.push_back({Cx + W - a, Cy, Cx + W, Cy + a});
    S.push_back({Cx, Cy + H - a, Cx + a, Cy + H});
    S.push_back({Cx + W - a, Cy + H, Cx + W, Cy + H - a});
  } else if (type == 5) {
    AddShortenedSides(S, Cx, Cy, W, H, c, c);
    // Corner centres, anticlockwise from the top right.
    S.push_back({Cx + W - c, Cy + H - c, 0, 0});
    S.push_back({Cx + c, Cy + H - c, 0, 0});
    S.push_back({Cx + c, Cy + c, 0, 0});
    S.push_back({Cx + W - c, Cy + c, 0, 0});
  } else {
    S.push_back({Cx, Cy, Cx, Cy + H});
    S.push_back({Cx + W, Cy, Cx + W, Cy + H});
    S.push_back({Cx, Cy, Cx + W, Cy});
    S.push_back({Cx, Cy + H, Cx + W, Cy + H});
    if (type == 0 || type == 1) S.push_back({Cx, Cy + H, Cx + W, Cy});
    if (type == 1) S.push_back({Cx, Cy, Cx + W, Cy + H});
    if (type == 2) AddHatch(S, Cx, Cy, W, H);
  }
  for (RSegment& g : S) {
    RotateAboutCentre(g.x1, g.y1, Angle, Cx, Cy);
    RotateAboutCentre(g.x2, g.y2, Angle, Cx, Cy);
  }
  Elements.clear();
  for (std::size_t i = 0; i < S.size(); ++i) {
    const RSegment& g = S[i];
    RDrawElement e;
    if (type == 5 && i > 3) {
      const double start = 90.0 * static_cast<double>(i - 4);
      e = CircularArcElement(g.x1 + BaseX, g.y1 + BaseY, c, start, start + 90, Angle);
    } else {
      e = LineElement(g.x1 + BaseX, g.y1 + BaseY, g.x2 + BaseX, g.y2 + BaseY);
    }
    const bool inner = i > 3 && type < 3;
    e.ColorNo = inner ? set.PostCorner3 : set.PostCorner1;
    e.LineType = inner ? set.PostCorner4 : set.PostCorner2;
    Elements.push_back(e);
  }
}
