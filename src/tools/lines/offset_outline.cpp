// Style 7 of the chained-dimension tool: a parallel at a set real distance
// to every picked line, on the side facing the cursor (or both), with the
// parallels of lines meeting end to end joined at their corners.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"
#include "tools/lines/chained_dimension.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kRayLength = 50000.0;
constexpr double kCornerSlack = 0.02;
constexpr int kArcChords = 5;

bool IsPickedLine(const RDimensionPick& p) { return p.Found != 0 && p.Element.Kind == kKindLine; }

// A parallel taking the picked line's place: its own points, no layer,
// style, colour, selection or scratch bytes.
RDrawElement Parallel(const RDrawElement& picked, const RPointPair& at) {
  RDrawElement e = picked;
  e.LineType = 0;
  e.ColorNo = 0;
  e.Group = 0;
  e.Layer = 0;
  e.Selection = 0;
  std::memset(reinterpret_cast<unsigned char*>(&e) + offsetof(RDrawElement, Zero40), 0, 6);
  e.X1 = at.xa;
  e.Y1 = at.ya;
  e.X2 = at.xb;
  e.Y2 = at.yb;
  return e;
}

// The end of e lying within the slack of X in both coordinates: 1 the first
// point, 2 the second (the nearer when both do), 0 neither.
int EndAt(const RDrawElement& e, double x, double y) {
  const bool first = std::fabs(e.X1 - x) <= kCornerSlack && std::fabs(e.Y1 - y) <= kCornerSlack;
  const bool second = std::fabs(e.X2 - x) <= kCornerSlack && std::fabs(e.Y2 - y) <= kCornerSlack;
  if (first && second) return PointDistance(e.X1, e.Y1, x, y) <= PointDistance(e.X2, e.Y2, x, y) ? 1 : 2;
  return first ? 1 : (second ? 2 : 0);
}

// Moves the end of a given by `end` and the end of b given by its end to
// the crossing of the two as infinite lines.
void JoinAtCorner(RDrawElement& a, int endA, RDrawElement& b, int endB) {
  double x = 0.0, y = 0.0;
  if (!IntersectLines(x, y, a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2)) return;
  for (auto [e, end] : {std::pair<RDrawElement*, int>{&a, endA}, {&b, endB}}) {
    if (end == 1) {
      e->X1 = x;
      e->Y1 = y;
    } else {
      e->X2 = x;
      e->Y2 = y;
    }
  }
}

}  // namespace

bool TRenSunpoSenobj::ArcChordPoints(std::vector<RPoint2D>& Points, int Count, double Rotation, double EndAngle,
                                     double StartAngle, double Ratio, double Radius, double CX, double CY) {
  double sweep = EndAngle - StartAngle;
  if (EndAngle < StartAngle) sweep = EndAngle + 360.0 - StartAngle;
  double from = StartAngle, step = 0.0;
  if (sweep != 0.0) {
    step = sweep / Count;
  } else {
    from = 0.0;
    step = 360.0 / Count;
  }
  Points.assign(static_cast<std::size_t>(Count) + 1, RPoint2D{CX, CY});
  for (int i = 0; i <= Count; ++i) {
    RPoint2D& p = Points[static_cast<std::size_t>(i)];
    EllipsePointAtAngle(p.x, p.y, from + i * step, Rotation, Radius, Radius * Ratio, CX, CY);
  }
  return std::fabs(EndAngle - StartAngle) < 0.1;
}

bool TRenSunpoSenobj::PointInsidePicks(double X1, double Y1, double X2, double Y2) const {
  const double mx = (X1 + X2) / 2, my = (Y1 + Y2) / 2;
  // +x, +y, -x, -y
  const RPoint2D ends[4] = {{mx + kRayLength, my}, {mx, my + kRayLength}, {mx - kRayLength, my}, {mx, my - kRayLength}};
  int crossings[4] = {0, 0, 0, 0};
  std::vector<RPoint2D> chord;
  double x = 0.0, y = 0.0;
  for (std::size_t i = 1; i < Picks.size() && i <= static_cast<std::size_t>(PointCount); ++i) {
    const RDimensionPick& pick = Picks[i];
    if (pick.Found == 0) continue;
    const RDrawElement& e = pick.Element;
    if (e.Kind == kKindLine) {
      for (int r = 0; r < 4; ++r) {
        if (IntersectSegments(x, y, mx, my, ends[r].x, ends[r].y, e.X1, e.Y1, e.X2, e.Y2)) ++crossings[r];
      }
      continue;
    }
    ArcChordPoints(chord, kArcChords, e.Rotation, e.EndAngle, e.StartAngle, e.Ratio, e.Radius, e.X1, e.Y1);
    for (int c = 0; c < kArcChords; ++c) {
      const RPoint2D a = chord[static_cast<std::size_t>(c)], b = chord[static_cast<std::size_t>(c) + 1];
      for (int r = 0; r < 2; ++r) {
        if (IntersectSegments(x, y, mx, my, ends[r].x, ends[r].y, a.x, a.y, b.x, b.y)) ++crossings[r];
      }
    }
  }
  const auto odd = [&](int r) { return crossings[r] % 2 == 1; };
  return (odd(1) && odd(3)) || (odd(0) && odd(2));
}

void TRenSunpoSenobj::BuildOffsetOutline(double PX, double PY) {
  Elements.clear();
  Texts.clear();
  const double d = DraftDefaults.ChainStyle7Length / GroupScale;
  const double probe = 0.1 / GroupScale;
  std::vector<const RDrawElement*> lines;
  double maxX = -1000.0, maxY = -1000.0, sumX = 0.0, sumY = 0.0;
  for (std::size_t i = 1; i < Picks.size() && i <= static_cast<std::size_t>(PointCount); ++i) {
    if (!IsPickedLine(Picks[i])) continue;
    const RDrawElement& e = Picks[i].Element;
    lines.push_back(&e);
    maxX = std::max({maxX, e.X1, e.X2});
    maxY = std::max({maxY, e.Y1, e.Y2});
    sumX += (e.X1 + e.X2) / 2;
    sumY += (e.Y1 + e.Y2) / 2;
  }
  if (lines.empty() || !std::isfinite(d) || !std::isfinite(probe)) return;
  // The centre of the picked lines, from their own number, so points that
  // picked nothing do not pull it towards the origin.
  const double gx = sumX / static_cast<double>(lines.size()), gy = sumY / static_cast<double>(lines.size());
  const double rc = PointDistance(gx, gy, PX, PY);
  double extent = 0.0;
  switch (DirectionSector8(false, gx, gy, PX, PY)) {
    case 0:
    case 4: extent = PointDistance(gx, gy, maxX, gy); break;
    case 2:
    case 6: extent = PointDistance(gx, gy, gx, maxY); break;
    default: extent = PointDistance(gx, gy, maxX, maxY) / 1.42;
  }
  const bool outside = extent <= rc;
  const bool both = ToolDefaults.Chain7Option == 1;
  std::vector<RDrawElement> work;
  std::vector<bool> keep;
  for (const RDrawElement* e : lines) {
    RPointPair right, left, testRight, testLeft;
    OffsetSegmentBothSides(e->X1, e->Y1, e->X2, e->Y2, d, d, right, left);
    OffsetSegmentBothSides(e->X1, e->Y1, e->X2, e->Y2, probe, probe, testRight, testLeft);
    const bool inside = PointInsidePicks(testRight.xa, testRight.ya, testRight.xb, testRight.yb);
    const bool rightFaces = outside != inside;
    work.push_back(Parallel(*e, right));
    work.push_back(Parallel(*e, left));
    keep.push_back(both || rightFaces);
    keep.push_back(both || !rightFaces);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (std::size_t j = i + 1; j < lines.size(); ++j) {
      // Plain doubles: the packed fields of an element take no references.
      double a[4] = {lines[i]->X1, lines[i]->Y1, lines[i]->X2, lines[i]->Y2};
      double b[4] = {lines[j]->X1, lines[j]->Y1, lines[j]->X2, lines[j]->Y2};
      LengthenSegmentBothEnds(a[0], a[1], a[2], a[3], kCornerSlack);
      LengthenSegmentBothEnds(b[0], b[1], b[2], b[3], kCornerSlack);
      double x = 0.0, y = 0.0;
      if (!IntersectSegments(x, y, a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3])) continue;
      const int endA = EndAt(*lines[i], x, y), endB = EndAt(*lines[j], x, y);
      if (endA == 0 || endB == 0) continue;
      // End to start keeps the sides; end to end or start to start swaps.
      const bool same = endA != endB;
      RDrawElement* ri = &work[2 * i];
      RDrawElement* li = &work[2 * i + 1];
      RDrawElement* rj = &work[2 * j];
      RDrawElement* lj = &work[2 * j + 1];
      JoinAtCorner(*ri, endA, same ? *rj : *lj, endB);
      JoinAtCorner(*li, endA, same ? *lj : *rj, endB);
    }
  }
  for (std::size_t k = 0; k < work.size(); ++k) {
    if (keep[k]) Elements.push_back(work[k]);
  }
}
