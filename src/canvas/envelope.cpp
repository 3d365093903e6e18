#include "canvas/envelope.h"

#include <cmath>
#include <utility>

#include "geometry/angles_points.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"

namespace {

using Segment = THourakukei2::Segment;

bool SameLayer(const RDrawElement& a, const RDrawElement& b) {
  return a.ColorNo == b.ColorNo && a.Group == b.Group && a.Layer == b.Layer;
}

bool Coincide(double ax, double ay, double bx, double by) {
  return std::abs(ax - bx) < 0.0001 && std::abs(ay - by) < 0.0001;
}

// The cross product of the two direction vectors, not normalised.
double Cross(const Segment& a, const Segment& b) {
  return (a.X2 - a.X1) * (b.Y2 - b.Y1) - (a.Y2 - a.Y1) * (b.X2 - b.X1);
}

// Directions within tol degrees of each other, across the 0/360 wrap.
bool SameDirection(double a, double b, double tol) {
  const double d = std::abs(NormalizeAngle360(a - b));
  return d <= tol || d >= 360.0 - tol;
}

void SetFirstEnd(RDrawElement& e, double x, double y) {
  e.X1 = x;
  e.Y1 = y;
}

void SetSecondEnd(RDrawElement& e, double x, double y) {
  e.X2 = x;
  e.Y2 = y;
}

// The outermost of collinear points: S and E start as the first two; a point
// in the direction S to E can push E farther, any other point S.
bool OuterPoints(const std::vector<RPoint2D>& q, double tol, RPoint2D& s, RPoint2D& e) {
  if (q.size() < 2) return false;
  s = q[0];
  e = q[1];
  const double theta = DirectionAngleDeg(s.x, s.y, e.x, e.y);
  for (std::size_t k = 2; k < q.size(); ++k) {
    const RPoint2D& p = q[k];
    if (SameDirection(DirectionAngleDeg(s.x, s.y, p.x, p.y), theta, tol)) {
      if (PointDistance(s.x, s.y, p.x, p.y) > PointDistance(s.x, s.y, e.x, e.y)) e = p;
    } else if (PointDistance(e.x, e.y, p.x, p.y) > PointDistance(e.x, e.y, s.x, s.y)) {
      s = p;
    }
  }
  return true;
}

}  // namespace

THourakukei2::THourakukei2(double x1, double y1, double x2, double y2, double zoom)
    : WindowX1(x1), WindowY1(y1), WindowX2(x2), WindowY2(y2), Zoom(zoom) {}

double THourakukei2::EndTolerance() const { return Zoom > 0.0 && std::isfinite(Zoom) ? 30.0 / Zoom : 0.0; }

void THourakukei2::ClassifyByWindow(RDrawElement& e) const {
  double sx1 = 0.0, sy1 = 0.0, sx2 = 0.0, sy2 = 0.0;
  switch (ClassifySegmentByRect(e.X1, e.Y1, e.X2, e.Y2, WindowX1, WindowY1, WindowX2, WindowY2, sx1, sy1, sx2, sy2)) {
    case 0:
      e.Scratch = kEnvelopeOneEndInside;
      SetFirstEnd(e, sx1, sy1);
      SetSecondEnd(e, sx2, sy2);
      break;
    case 1: e.Scratch = kEnvelopeInside; break;
    case 2: e.Scratch = kEnvelopeThrough; break;
    default:
      // Outside the window: no class, so no phase touches the line and it
      // comes back as it was given, whatever its caller left in the byte.
      e.Scratch = 0;
      return;
  }
  e.ScratchWord = 0;
}

void THourakukei2::AddLine(const RDrawElement& element) {
  if (element.Kind != kKindLine) return;
  RDrawElement copy = element;
  ClassifyByWindow(copy);
  if (copy.Scratch != 0) copy.Selection = 0;
  WorkLines.push_back(copy);
  ++AddedCount;
}

bool THourakukei2::SegmentCrossing(double& px, double& py, const Segment& a, const Segment& b) const {
  const double d = Cross(a, b);
  if (d == 0.0) return false;
  const double t = ((a.Y1 - b.Y1) * (b.X2 - b.X1) - (a.X1 - b.X1) * (b.Y2 - b.Y1)) / d;
  const double u = ((a.Y1 - b.Y1) * (a.X2 - a.X1) - (a.X1 - b.X1) * (a.Y2 - a.Y1)) / d;
  if (t < -0.0001 || t > 1.0001 || u < -0.0001 || u > 1.0001) return false;
  px = a.X1 + t * (a.X2 - a.X1);
  py = a.Y1 + t * (a.Y2 - a.Y1);
  return true;
}

bool THourakukei2::LinesMeet(double& px, double& py, const Segment& a, const Segment& b) const {
  const double d = Cross(a, b);
  if (d == 0.0) return false;
  const double t = ((a.Y1 - b.Y1) * (b.X2 - b.X1) - (a.X1 - b.X1) * (b.Y2 - b.Y1)) / d;
  const double u = ((a.Y1 - b.Y1) * (a.X2 - a.X1) - (a.X1 - b.X1) * (a.Y2 - a.Y1)) / d;
  px = a.X1 + t * (a.X2 - a.X1);
  py = a.Y1 + t * (a.Y2 - a.Y1);
  if (t >= -0.0001 && t <= 1.0001 && u >= -0.0001 && u <= 1.0001) return true;
  const double tol = EndTolerance();
  if (PointDistance(px, py, a.X1, a.Y1) < tol || PointDistance(px, py, a.X2, a.Y2) < tol ||
      PointDistance(px, py, b.X1, b.Y1) < tol || PointDistance(px, py, b.X2, b.Y2) < tol) {
    return true;
  }
  const double angle = std::abs(DirectionAngleDeg(a.X1, a.Y1, a.X2, a.Y2) - DirectionAngleDeg(b.X1, b.Y1, b.X2, b.Y2));
  return (angle > 74.0 && angle < 106.0) || (angle > 254.0 && angle < 286.0);
}

namespace {

// (x, y) seen from A's first end lies along A's line, within bound degrees.
bool AlongLine(const Segment& a, double x, double y, double bound) {
  const double seen = DirectionAngleDeg(a.X1, a.Y1, x, y);
  return std::abs(DirectionAngleDeg(a.X1, a.Y1, a.X2, a.Y2) - seen) < bound ||
         std::abs(DirectionAngleDeg(a.X2, a.Y2, a.X1, a.Y1) - seen) < bound;
}

}  // namespace

bool THourakukei2::OnSameLine(const Segment& a, const Segment& b) const {
  return std::abs(Cross(a, b)) < 0.00011 && AlongLine(a, b.X2, b.Y2, 0.0004);
}

bool THourakukei2::OverlapOnLine(const Segment& a, const Segment& b) const {
  if (std::abs(Cross(a, b)) >= 0.011) return false;
  if (!AlongLine(a, b.X2, b.Y2, 0.01) || !AlongLine(a, b.X1, b.Y1, 0.01)) return false;
  return SegmentTouchesRect(a.X1, a.Y1, a.X2, a.Y2, b.X1 - 0.01, b.Y1 - 0.01, b.X2 + 0.01, b.Y2 + 0.01) ||
         SegmentTouchesRect(a.X1, a.Y1, a.X2, a.Y2, b.X1 + 0.01, b.Y1 + 0.01, b.X2 - 0.01, b.Y2 - 0.01);
}

bool THourakukei2::HasEndAt(const RDrawElement& element, std::int32_t skipIndex) const {
  for (std::size_t k = 0; k < WorkLines.size(); ++k) {
    if (static_cast<std::int32_t>(k) == skipIndex) continue;
    const RDrawElement& line = WorkLines[k];
    if (!SameLayer(element, line)) continue;
    if (Coincide(line.X1, line.Y1, element.X1, element.Y1) || Coincide(line.X2, line.Y2, element.X1, element.Y1))
      return true;
  }
  return false;
}

bool THourakukei2::FewEndsOnLine(const RDrawElement& element, std::int32_t skipIndex) const {
  int count = 0;
  const Segment a = SegmentOf(element);
  for (std::size_t k = 0; k < WorkLines.size(); ++k) {
    if (static_cast<std::int32_t>(k) == skipIndex) continue;
    const RDrawElement& line = WorkLines[k];
    if (!SameLayer(element, line)) continue;
    double px = 0.0, py = 0.0;
    if (!LinesMeet(px, py, a, SegmentOf(line))) continue;
    if (Coincide(px, py, line.X1, line.Y1) || Coincide(px, py, line.X2, line.Y2)) {
      if (++count > 2) return false;
    }
  }
  return true;
}

bool THourakukei2::ShareEnd(const RDrawElement& a, const RDrawElement& b) {
  if (!SameLayer(a, b)) return false;
  return Coincide(a.X1, a.Y1, b.X1, b.Y1) || Coincide(a.X1, a.Y1, b.X2, b.Y2) || Coincide(a.X2, a.Y2, b.X1, b.Y1) ||
         Coincide(a.X2, a.Y2, b.X2, b.Y2);
}

void THourakukei2::ClassifyConnections(RDrawElement& element, std::int32_t index) {
  if (element.Scratch != kEnvelopeInside) return;
  int crossings = 0;
  int shared = 0;
  for (std::size_t k = 0; k < WorkLines.size(); ++k) {
    if (static_cast<std::int32_t>(k) == index) continue;
    const RDrawElement& line = WorkLines[k];
    if (!SameLayer(element, line)) continue;
    double px = 0.0, py = 0.0;
    if (SegmentCrossing(px, py, SegmentOf(element), SegmentOf(line))) ++crossings;
    if (Coincide(element.X2, element.Y2, line.X1, line.Y1) || Coincide(element.X2, element.Y2, line.X2, line.Y2)) {
      ++shared;
    } else if (Coincide(element.X1, element.Y1, line.X1, line.Y1) ||
               Coincide(element.X1, element.Y1, line.X2, line.Y2)) {
      // The shared end becomes the second end.
      const Segment s = SegmentOf(element);
      SetFirstEnd(element, s.X2, s.Y2);
      SetSecondEnd(element, s.X1, s.Y1);
      ++shared;
    }
  }
  if (shared == 1) {
    element.ScratchWord = kEnvelopeOneShared;
  } else if (shared >= 2) {
    element.ScratchWord = kEnvelopeBothShared;
  } else {
    element.ScratchWord = crossings >= 3 ? kEnvelopeIsolatedCrossing : kEnvelopeFree;
  }
}

void THourakukei2::TakeResults() {
  WorkLines = std::move(ResultLines);
  ResultLines.clear();
}

void THourakukei2::ReturnResults() {
  ResultLines = std::move(WorkLines);
  WorkLines.clear();
}

void THourakukei2::Execute() {
  MergeCollinear();
  ExtendInsideEnds();
  SpanInnerLines();
  TrimFreeInsideEnds();
  TrimSingleConnected();
  CutInnerSpans();
  CutThroughLines();
}

void THourakukei2::MergeCollinear() {
  std::vector<RDrawElement> list = WorkLines;
  std::size_t i = 0;
  while (i < list.size()) {
    if (list[i].ScratchWord == kEnvelopeMark) {
      ++i;
      continue;
    }
    bool merged = false;
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      RDrawElement& a = list[i];
      const RDrawElement& b = list[j];
      if (b.ColorNo != a.ColorNo || b.LineType != a.LineType || b.ScratchWord == kEnvelopeMark) continue;
      const Segment sa = SegmentOf(a);
      const Segment sb = SegmentOf(b);
      const Segment reversed{sb.X2, sb.Y2, sb.X1, sb.Y1};
      const Segment* partner = nullptr;
      if (OnSameLine(sa, sb)) {
        partner = &sb;
      } else if (OverlapOnLine(sa, reversed)) {
        partner = &reversed;
      }
      if (partner == nullptr) continue;
      double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
      LongestEndPointSpan(sa.X1, sa.Y1, sa.X2, sa.Y2, partner->X1, partner->Y1, partner->X2, partner->Y2, x1, y1, x2,
                          y2);
      SetFirstEnd(a, x1, y1);
      SetSecondEnd(a, x2, y2);
      a.ScratchWord = 0;
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(j));
      merged = true;
      break;
    }
    if (merged) {
      i = 0;
    } else {
      list[i].ScratchWord = kEnvelopeMark;
      ++i;
    }
  }
  WorkLines = std::move(list);
  for (RDrawElement& e : WorkLines) ClassifyByWindow(e);
  ResultLines.clear();
}

void THourakukei2::ExtendInsideEnds() {
  for (std::size_t i = 0; i < WorkLines.size(); ++i) {
    RDrawElement& line = WorkLines[i];
    if (line.Scratch != kEnvelopeOneEndInside) continue;
    bool any = false;
    double farthest = 0.0;
    for (std::size_t j = 0; j < WorkLines.size(); ++j) {
      if (j == i || !SameLayer(line, WorkLines[j])) continue;
      double px = 0.0, py = 0.0;
      if (!LinesMeet(px, py, SegmentOf(line), SegmentOf(WorkLines[j]))) continue;
      const double d = PointDistance(px, py, line.X2, line.Y2);
      if (!any || d >= farthest) {
        any = true;
        farthest = d;
        SetFirstEnd(line, px, py);
      }
    }
  }
  ReturnResults();
}

void THourakukei2::SpanInnerLines() {
  TakeResults();
  for (std::size_t i = 0; i < WorkLines.size(); ++i) {
    RDrawElement& line = WorkLines[i];
    if (line.Scratch != kEnvelopeInside) continue;
    std::vector<RPoint2D> q;
    for (std::size_t j = 0; j < WorkLines.size(); ++j) {
      if (j == i || !SameLayer(line, WorkLines[j])) continue;
      RPoint2D p;
      if (LinesMeet(p.x, p.y, SegmentOf(line), SegmentOf(WorkLines[j]))) q.push_back(p);
    }
    RPoint2D s, e;
    if (!OuterPoints(q, 5.0, s, e)) continue;
    SetFirstEnd(line, s.x, s.y);
    SetSecondEnd(line, e.x, e.y);
  }
  for (std::size_t k = 0; k < WorkLines.size(); ++k) {
    ClassifyConnections(WorkLines[k], static_cast<std::int32_t>(k));
    ResultLines.push_back(WorkLines[k]);
  }
  WorkLines.clear();
}

void THourakukei2::TrimFreeInsideEnds() {
  TakeResults();
  for (std::size_t i = 0; i < WorkLines.size(); ++i) {
    RDrawElement& line = WorkLines[i];
    if (line.Scratch != kEnvelopeOneEndInside || HasEndAt(line, static_cast<std::int32_t>(i))) continue;
    bool any = false;
    double nearest = 0.0;
    for (std::size_t j = 0; j < WorkLines.size(); ++j) {
      if (j == i || !SameLayer(line, WorkLines[j])) continue;
      double px = 0.0, py = 0.0;
      if (!LinesMeet(px, py, SegmentOf(line), SegmentOf(WorkLines[j]))) continue;
      const double d = PointDistance(px, py, line.X2, line.Y2);
      if (!any || d < nearest) {
        any = true;
        nearest = d;
        SetFirstEnd(line, px, py);
      }
    }
  }
  for (const RDrawElement& e : WorkLines) {
    if (e.Scratch == kEnvelopeInside && e.ScratchWord == kEnvelopeIsolatedCrossing) continue;
    ResultLines.push_back(e);
  }
  WorkLines.clear();
}

void THourakukei2::TrimSingleConnected() {
  TakeResults();
  for (std::size_t i = 0; i < WorkLines.size(); ++i) {
    RDrawElement& line = WorkLines[i];
    if (line.Scratch != kEnvelopeInside || line.ScratchWord != kEnvelopeOneShared) continue;
    bool any = false;
    double nearest = 0.0;
    for (std::size_t j = 0; j < WorkLines.size(); ++j) {
      if (j == i || !SameLayer(line, WorkLines[j])) continue;
      double px = 0.0, py = 0.0;
      if (!LinesMeet(px, py, SegmentOf(line), SegmentOf(WorkLines[j]))) continue;
      const double e = PointDistance(px, py, line.X2, line.Y2);
      if (e < 0.0001) continue;
      if (!any || e < nearest) {
        any = true;
        nearest = e;
        SetFirstEnd(line, px, py);
      }
    }
  }
  ReturnResults();
}

void THourakukei2::CutInnerSpans() {
  TakeResults();
  std::vector<RDrawElement> pieces;
  for (std::size_t i = 0; i < WorkLines.size(); ++i) {
    RDrawElement& line = WorkLines[i];
    if (line.Scratch != kEnvelopeInside || line.ScratchWord != kEnvelopeBothShared) continue;
    std::vector<RPoint2D> q;
    for (std::size_t j = 0; j < WorkLines.size(); ++j) {
      if (j == i || !SameLayer(line, WorkLines[j]) || ShareEnd(line, WorkLines[j])) continue;
      RPoint2D p;
      if (SegmentCrossing(p.x, p.y, SegmentOf(line), SegmentOf(WorkLines[j]))) q.push_back(p);
    }
    RPoint2D s, e;
    if (!OuterPoints(q, 3.0, s, e)) continue;
    const bool along = SameDirection(DirectionAngleDeg(line.X1, line.Y1, line.X2, line.Y2),
                                     DirectionAngleDeg(s.x, s.y, e.x, e.y), 3.0);
    RDrawElement piece = line;
    const RPoint2D& pieceEnd = along ? s : e;
    const RPoint2D& newFirst = along ? e : s;
    SetSecondEnd(piece, pieceEnd.x, pieceEnd.y);
    pieces.push_back(piece);
    SetFirstEnd(line, newFirst.x, newFirst.y);
  }
  ReturnResults();
  ResultLines.insert(ResultLines.end(), pieces.begin(), pieces.end());
}

void THourakukei2::CutThroughLines() {
  TakeResults();
  std::vector<RDrawElement> pieces;
  // Split lines are dropped by this list, not by their mark: a line the
  // merge phase marked and no later phase touched is still part of the result.
  std::vector<bool> split(WorkLines.size(), false);
  for (std::size_t i = 0; i < WorkLines.size(); ++i) {
    RDrawElement& line = WorkLines[i];
    if (line.Scratch != kEnvelopeThrough) continue;
    // A property of line i alone: either all its crossings count or none.
    if (!FewEndsOnLine(line, static_cast<std::int32_t>(i))) continue;
    std::vector<RPoint2D> q;
    for (std::size_t j = 0; j < WorkLines.size(); ++j) {
      if (j == i || !SameLayer(line, WorkLines[j])) continue;
      RPoint2D p;
      if (SegmentCrossing(p.x, p.y, SegmentOf(line), SegmentOf(WorkLines[j]))) q.push_back(p);
    }
    RPoint2D s, e;
    if (!OuterPoints(q, 3.0, s, e)) continue;
    const bool along = SameDirection(DirectionAngleDeg(line.X1, line.Y1, line.X2, line.Y2),
                                     DirectionAngleDeg(s.x, s.y, e.x, e.y), 3.0);
    RDrawElement first = line;
    RDrawElement second = line;
    const RPoint2D& firstEnd = along ? s : e;
    const RPoint2D& secondStart = along ? e : s;
    SetSecondEnd(first, firstEnd.x, firstEnd.y);
    SetFirstEnd(second, secondStart.x, secondStart.y);
    pieces.push_back(first);
    pieces.push_back(second);
    line.ScratchWord = kEnvelopeMark;
    split[i] = true;
  }
  for (std::size_t k = 0; k < WorkLines.size(); ++k) {
    if (!split[k]) ResultLines.push_back(WorkLines[k]);
  }
  WorkLines.clear();
  ResultLines.insert(ResultLines.end(), pieces.begin(), pieces.end());
}
