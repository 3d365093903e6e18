#include "canvas/snap_point_finder.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/arcs_ellipses.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"
#include "platform/input_polling.h"

namespace {

// A preset that no rectangle test accepts, so a crossing search that finds
// nothing adds nothing, wherever the cursor is.
constexpr double kNothing = std::numeric_limits<double>::quiet_NaN();
constexpr RPointPair kNoPoints{kNothing, kNothing, kNothing, kNothing};

bool IsLine(const RDrawElement& e) { return e.Kind == kKindLine; }
bool IsCurve(const RDrawElement& e) { return e.Kind == kKindArc; }
bool IsCircle(const RDrawElement& e) { return std::abs(e.Ratio - 1.0) <= 0.001; }

// Two whole circles that really meet (touching included). The closed formula
// gives two points for circles that do not meet as well, and those lie on
// neither circle.
bool CirclesMeet(const RDrawElement& a, const RDrawElement& b) {
  const double r1 = std::abs(a.Radius);
  const double r2 = std::abs(b.Radius);
  const double d = PointDistance(a.X1, a.Y1, b.X1, b.Y1);
  const double slack = 1e-9 * (1.0 + r1 + r2);
  return d > 0.0 && d <= r1 + r2 + slack && d >= std::abs(r1 - r2) - slack;
}

}  // namespace

THitzakei::THitzakei(std::uint8_t mode, double x, double y, double aperture)
    : CursorX(x), CursorY(y), Aperture(aperture), SnapMode(mode) {}

void THitzakei::AddCandidate(const RDrawElement& element) { Candidates.push_back(element); }

void THitzakei::SetReferenceLine(std::uint8_t footMode, double ax, double ay, double bx, double by) {
  FootMode = footMode;
  RefAX = ax;
  RefAY = ay;
  RefBX = bx;
  RefBY = by;
}

bool THitzakei::InSquare(double px, double py, double halfSize) const {
  return PointInRect(px, py, CursorX - halfSize, CursorY - halfSize, CursorX + halfSize, CursorY + halfSize);
}

double THitzakei::EndSquare(const RDrawElement& line) const {
  return (line.Selection == kSnapWideEnds ? 6.0 : 1.0) * Aperture;
}

int THitzakei::PairLowerBound() const {
  const int last = static_cast<int>(Candidates.size()) - 1;
  return last <= 10 ? 0 : last / 2 - 1;
}

void THitzakei::AddPointElements() {
  for (auto it = Candidates.rbegin(); it != Candidates.rend(); ++it) {
    if (it->Kind == kKindPoint) SnapPoints.push_back({it->X1, it->Y1});
  }
}

void THitzakei::TestLineEndNear() {
  LineEndNear = false;
  for (auto it = Candidates.rbegin(); it != Candidates.rend(); ++it) {
    if (!IsLine(*it)) continue;
    const double h = EndSquare(*it);
    if (InSquare(it->X1, it->Y1, h) || InSquare(it->X2, it->Y2, h)) {
      LineEndNear = true;
      return;
    }
  }
}

void THitzakei::AddLineEnds() {
  for (auto it = Candidates.rbegin(); it != Candidates.rend(); ++it) {
    if (!IsLine(*it)) continue;
    const double h = EndSquare(*it);
    if (InSquare(it->X1, it->Y1, h)) SnapPoints.push_back({it->X1, it->Y1});
    if (InSquare(it->X2, it->Y2, h)) SnapPoints.push_back({it->X2, it->Y2});
  }
}

void THitzakei::AddLineCrossings() {
  const int last = static_cast<int>(Candidates.size()) - 1;
  const int low = PairLowerBound();
  // A crossing that counts lies in the square and on both segments, so only
  // lines whose boxes, cut to the square, overlap can give one: the boxes
  // are swept in order of their left sides. The boxes are widened by far
  // more than the rounding of a crossing point, so no pair that the full
  // pairing would accept is passed over.
  const double magnitude = std::abs(CursorX) + std::abs(CursorY) + Aperture + 1.0;
  const double slack = 1e-9 * magnitude;
  const double sx1 = CursorX - Aperture - slack, sx2 = CursorX + Aperture + slack;
  const double sy1 = CursorY - Aperture - slack, sy2 = CursorY + Aperture + slack;
  struct Box {
    double x1, y1, x2, y2;
    int candidate;
  };
  std::vector<Box> boxes;
  for (int k = 0; k <= last; ++k) {
    const RDrawElement& e = Candidates[static_cast<std::size_t>(k)];
    if (!IsLine(e)) continue;
    // A coordinate that is not a number gives no crossing anywhere.
    const double ax = e.X1, ay = e.Y1, bx = e.X2, by = e.Y2;  // the record is packed
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) continue;
    const double bx1 = std::max(std::min(ax, bx) - slack, sx1);
    const double bx2 = std::min(std::max(ax, bx) + slack, sx2);
    const double by1 = std::max(std::min(ay, by) - slack, sy1);
    const double by2 = std::min(std::max(ay, by) + slack, sy2);
    if (bx1 > bx2 || by1 > by2) continue;
    boxes.push_back({bx1, by1, bx2, by2, k});
  }
  std::sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.x1 < b.x1; });

  // Each crossing keeps the pair it came from, so that the list can be put
  // in the order of the full pairing: first member ascending, second
  // descending.
  struct Crossing {
    int i, j;
    RPoint2D p;
  };
  std::vector<Crossing> found;
  auto test = [&](int i, int j) {
    const RDrawElement& a = Candidates[static_cast<std::size_t>(i)];
    const RDrawElement& b = Candidates[static_cast<std::size_t>(j)];
    double x = 0.0, y = 0.0;
    if (IntersectSegments(x, y, a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2) && InSquare(x, y, Aperture)) {
      found.push_back({i, j, {x, y}});
    }
  };
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    const Box& a = boxes[k];
    for (std::size_t m = k + 1; m < boxes.size() && boxes[m].x1 <= a.x2; ++m) {
      const Box& b = boxes[m];
      if (b.y1 > a.y2 || b.y2 < a.y1) continue;
      const int p = std::min(a.candidate, b.candidate), q = std::max(a.candidate, b.candidate);
      // The second member of a pair comes from index low up.
      if (q >= low) test(p, q);
      if (p >= low) test(q, p);
    }
  }
  std::sort(found.begin(), found.end(),
            [](const Crossing& a, const Crossing& b) { return a.i != b.i ? a.i < b.i : a.j > b.j; });
  for (const Crossing& c : found) SnapPoints.push_back(c.p);
}

void THitzakei::AddArcCrossings() {
  const int last = static_cast<int>(Candidates.size()) - 1;
  const int low = PairLowerBound();
  for (int i = 0; i <= last; ++i) {
    const RDrawElement& a = Candidates[static_cast<std::size_t>(i)];
    if (!IsCurve(a)) continue;
    for (int j = last; j >= low; --j) {
      if (i == j) continue;
      const RDrawElement& b = Candidates[static_cast<std::size_t>(j)];
      if (!IsCurve(b)) continue;
      // Polled before every pair that runs a search, not for every index
      // pair: the lines among the candidates need no numeric search.
      if (BothMouseButtonsHeld()) return;
      const bool circles = IsCircle(a) && IsCircle(b);
      if (circles && !CirclesMeet(a, b)) continue;
      const RPointPair p =
          IntersectEllipseEllipse(a.Radius, a.X1, a.Y1, a.StartAngle, a.EndAngle, a.Rotation, a.Ratio, b.Radius, b.X1,
                                  b.Y1, b.StartAngle, b.EndAngle, b.Rotation, b.Ratio, CursorX, CursorY, kNoPoints);
      if (InSquare(p.xa, p.ya, Aperture)) SnapPoints.push_back({p.xa, p.ya});
      // The numeric search of an ellipse gives one point only.
      if (circles && InSquare(p.xb, p.yb, Aperture)) SnapPoints.push_back({p.xb, p.yb});
    }
  }
}

void THitzakei::AddLineArcCrossings() {
  LineArcCrossingFound = false;
  const int last = static_cast<int>(Candidates.size()) - 1;
  const int low = PairLowerBound();
  for (int i = 0; i <= last; ++i) {
    const RDrawElement& line = Candidates[static_cast<std::size_t>(i)];
    if (!IsLine(line)) continue;
    for (int j = last; j >= low; --j) {
      if (i == j) continue;
      const RDrawElement& curve = Candidates[static_cast<std::size_t>(j)];
      if (!IsCurve(curve)) continue;
      if (BothMouseButtonsHeld()) return;
      const RPointPair p =
          IntersectLineEllipse(line.X1, line.Y1, line.X2, line.Y2, curve.Radius, curve.X1, curve.Y1, curve.StartAngle,
                               curve.EndAngle, curve.Rotation, curve.Ratio, CursorX, CursorY, 5.0, kNoPoints);
      if (InSquare(p.xa, p.ya, Aperture)) {
        SnapPoints.push_back({p.xa, p.ya});
        LineArcCrossingFound = true;
      }
      if (IsCircle(curve) && InSquare(p.xb, p.yb, Aperture)) {
        SnapPoints.push_back({p.xb, p.yb});
        LineArcCrossingFound = true;
      }
    }
  }
}

void THitzakei::FindFoot() {
  for (const RDrawElement& c : Candidates) {
    if (!IsLine(c) || c.Selection == kSnapNoFoot) continue;
    if (FootMode != 0) {
      double fx = 0.0, fy = 0.0;
      if (!PerpendicularFoot(fx, fy, c.X1, c.Y1, c.X2, c.Y2, CursorX, CursorY)) continue;
      const double d = PointDistance(fx, fy, CursorX, CursorY);
      if (BestFootDistance > d) {
        BestFootDistance = d;
        FootX = fx;
        FootY = fy;
        footRecorded_ = true;
      }
      continue;
    }
    double xx = 0.0, xy = 0.0;
    if (!IntersectLines(xx, xy, c.X1, c.Y1, c.X2, c.Y2, RefAX, RefAY, RefBX, RefBY)) continue;
    if (!InSquare(xx, xy, Aperture)) continue;
    double fx = 0.0, fy = 0.0;
    if (!PerpendicularFoot(fx, fy, c.X1, c.Y1, c.X2, c.Y2, RefAX, RefAY)) continue;
    const double d = PointDistance(fx, fy, RefBX, RefBY);
    if (BestFootDistance > d) {
      BestFootDistance = d;
      FootX = xx;
      FootY = xy;
      footRecorded_ = true;
    }
  }
}

void THitzakei::AddArcEnds() {
  for (auto it = Candidates.rbegin(); it != Candidates.rend(); ++it) {
    if (!IsCurve(*it)) continue;
    if (std::abs(static_cast<double>(it->StartAngle) - it->EndAngle) <= 0.00001) continue;
    const RPointPair ends =
        ArcEndPointsWithRatio(it->X1, it->Y1, it->Radius, it->StartAngle, it->EndAngle, it->Rotation, it->Ratio);
    if (InSquare(ends.xa, ends.ya, 2.0 * Aperture)) SnapPoints.push_back({ends.xa, ends.ya});
    if (InSquare(ends.xb, ends.yb, 2.0 * Aperture)) SnapPoints.push_back({ends.xb, ends.yb});
  }
}

bool THitzakei::FindCentre(double zoom) {
  if (!(zoom > 0.0) || !std::isfinite(zoom)) return false;
  const double o = 4.0 / zoom;
  for (auto it = Candidates.rbegin(); it != Candidates.rend(); ++it) {
    if (!IsCurve(*it)) continue;
    const double r = it->Radius;
    if (EllipseTouchesRect(it->X1, it->Y1, r, it->Ratio, it->Rotation, it->StartAngle, it->EndAngle, CursorX - o,
                           CursorY - o, CursorX + o, CursorY + o, zoom, 2.0 * r * zoom)) {
      ResultX = it->X1;
      ResultY = it->Y1;
      CentreElement = *it;
      return true;
    }
  }
  return false;
}

void THitzakei::Execute(double zoom) {
  CentreFound = false;
  AddPointElements();
  TestLineEndNear();
  AddLineEnds();
  AddLineCrossings();
  AddArcCrossings();
  AddLineArcCrossings();
  FindFoot();
  if (!(LineArcCrossingFound && LineEndNear)) AddArcEnds();

  if (!SnapPoints.empty()) {
    RPoint2D best = SnapPoints.front();
    double bestDistance = PointDistance(best.x, best.y, CursorX, CursorY);
    for (const RPoint2D& p : SnapPoints) {
      const double d = PointDistance(p.x, p.y, CursorX, CursorY);
      if (d < bestDistance) {
        best = p;
        bestDistance = d;
      }
    }
    ResultX = best.x;
    ResultY = best.y;
    SnapFound = true;
    FootFound = false;
    return;
  }
  if (SnapMode == kSnapPointsOnly) {
    SnapFound = false;
    FootFound = false;
    return;
  }
  // A centre anywhere, the origin included, is a result.
  if (FindCentre(zoom)) {
    SnapFound = true;
    CentreFound = true;
    return;
  }
  SnapFound = false;
  // The flag, not the coordinates, says whether a fallback point exists: one
  // at the origin or exactly under the cursor is as real as any other.
  FootFound = footRecorded_;
  if (FootFound) {
    ResultX = FootX;
    ResultY = FootY;
  }
}
