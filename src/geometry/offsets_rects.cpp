#include "geometry/offsets_rects.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/intersections.h"

namespace {

struct Side {
  double x1, y1, x2, y2;
};

std::array<Side, 4> RectSides(double rx1, double ry1, double rx2, double ry2) {
  return {{{rx1, ry1, rx2, ry1}, {rx1, ry2, rx2, ry2}, {rx1, ry1, rx1, ry2}, {rx2, ry1, rx2, ry2}}};
}

RPointPair Offset(double x1, double y1, double x2, double y2, double d) {
  RPoint2D p1;
  RPoint2D p2;
  OffsetSegment(x1, y1, x2, y2, d, p1, p2);
  return {p1.x, p1.y, p2.x, p2.y};
}

// Distance from the cursor to its foot on the line of an offset; 0 when the
// offset has no direction (a segment of zero length).
double DistanceToLine(const RPointPair& line, double curX, double curY) {
  double fx = curX;
  double fy = curY;
  PerpendicularFoot(fx, fy, line.xa, line.ya, line.xb, line.yb, curX, curY);
  return PointDistance(curX, curY, fx, fy);
}

// Two crossings found on different sides that are the same point (a corner),
// to the rounding of the two computations.
bool SamePoint(double ax, double ay, double bx, double by) {
  const double scale = 1.0 + std::max({std::abs(ax), std::abs(ay), std::abs(bx), std::abs(by)});
  return std::abs(ax - bx) <= 1e-9 * scale && std::abs(ay - by) <= 1e-9 * scale;
}

// Crossings of the segment with the rectangle's sides in side order; stops at
// the second.
int SideCrossings(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                  RPoint2D& first, RPoint2D& second) {
  int count = 0;
  for (const Side& s : RectSides(rx1, ry1, rx2, ry2)) {
    RPoint2D h;
    if (!IntersectSegments(h.x, h.y, x1, y1, x2, y2, s.x1, s.y1, s.x2, s.y2)) continue;
    (count == 0 ? first : second) = h;
    if (++count == 2) break;
  }
  return count;
}

using ExtendLineIntersect = bool (*)(double&, double&, double, double, double, double, double, double, double, double);

bool ExtendAcross(ExtendLineIntersect intersect, double x1, double y1, double x2, double y2, double rx1, double ry1,
                  double rx2, double ry2, double& xa, double& ya, double& xb, double& yb) {
  int hits = 0;
  for (const Side& s : RectSides(rx1, ry1, rx2, ry2)) {
    double hx = 0.0;
    double hy = 0.0;
    if (!intersect(hx, hy, x1, y1, x2, y2, s.x1, s.y1, s.x2, s.y2)) continue;
    if (++hits == 1) {
      xa = hx;
      ya = hy;
    } else {
      xb = hx;
      yb = hy;
      return true;
    }
  }
  return false;
}

}  // namespace

void OffsetSegment(double x1, double y1, double x2, double y2, double d, RPoint2D& p1, RPoint2D& p2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double len = std::sqrt(dx * dx + dy * dy);
  if (len == 0.0) {
    p1 = {x1, y1};
    p2 = {x2, y2};
    return;
  }
  const double ox = -dy * d / len;
  const double oy = dx * d / len;
  p1 = {x1 + ox, y1 + oy};
  p2 = {x2 + ox, y2 + oy};
}

bool TryOffsetSegment(double x1, double y1, double x2, double y2, double d, RPoint2D& p1, RPoint2D& p2) {
  if (std::abs(x2 - x1) < 0.001 && std::abs(y2 - y1) < 0.001) return false;
  OffsetSegment(x1, y1, x2, y2, d, p1, p2);
  return true;
}

RPointPair OffsetSegmentSide(bool leftSide, double x1, double y1, double x2, double y2, double d) {
  if (d == 0.0) return {x1, y1, x2, y2};
  return Offset(x1, y1, x2, y2, leftSide ? d : -d);
}

void OffsetSegmentBothSides(double x1, double y1, double x2, double y2, double dRight, double dLeft, RPointPair& right,
                            RPointPair& left) {
  if (x1 == x2 && y1 == y2) return;
  right = Offset(x1, y1, x2, y2, -dRight);
  left = Offset(x1, y1, x2, y2, dLeft);
}

RPointPair OffsetSegmentTowardCursor(double x1, double y1, double x2, double y2, double curX, double curY, double d) {
  const RPointPair plus = Offset(x1, y1, x2, y2, d);
  const RPointPair minus = Offset(x1, y1, x2, y2, -d);
  return DistanceToLine(plus, curX, curY) > DistanceToLine(minus, curX, curY) ? minus : plus;
}

RPointPair OffsetSegmentNearOrFar(bool nearSide, double x1, double y1, double x2, double y2, double curX, double curY,
                                  double d) {
  const RPointPair plus = Offset(x1, y1, x2, y2, d);
  const RPointPair minus = Offset(x1, y1, x2, y2, -d);
  const double ePlus = DistanceToLine(plus, curX, curY);
  const double eMinus = DistanceToLine(minus, curX, curY);
  if (nearSide) return ePlus > eMinus ? minus : plus;
  return ePlus >= eMinus ? plus : minus;
}

bool PointInRect(double px, double py, double rx1, double ry1, double rx2, double ry2) {
  const double minX = std::min(rx1, rx2);
  const double maxX = std::max(rx1, rx2);
  const double minY = std::min(ry1, ry2);
  const double maxY = std::max(ry1, ry2);
  if (minX == maxX || minY == maxY) return false;
  return px >= minX && px <= maxX && py >= minY && py <= maxY;
}

bool PointInRectStrict(double px, double py, double rx1, double ry1, double rx2, double ry2) {
  return rx1 != rx2 && ry1 != ry2 && rx1 < px && px < rx2 && ry1 < py && py < ry2;
}

bool SegmentCrossesRectEdge(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                            double ry2) {
  for (const Side& s : RectSides(rx1, ry1, rx2, ry2)) {
    if (SegmentsCross(x1, y1, x2, y2, s.x1, s.y1, s.x2, s.y2)) return true;
  }
  return false;
}

bool SegmentCrossesRectDiagonal(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                                double ry2) {
  return SegmentsCross(x1, y1, x2, y2, rx1, ry2, rx2, ry1) || SegmentsCross(x1, y1, x2, y2, rx1, ry1, rx2, ry2);
}

bool SegmentTouchesRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2) {
  return PointInRect(x1, y1, rx1, ry1, rx2, ry2) || PointInRect(x2, y2, rx1, ry1, rx2, ry2) ||
         SegmentCrossesRectEdge(x1, y1, x2, y2, rx1, ry1, rx2, ry2);
}

bool SegmentCrossesRectInterior(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                                double ry2) {
  return PointInRectStrict(x1, y1, rx1, ry1, rx2, ry2) || PointInRectStrict(x2, y2, rx1, ry1, rx2, ry2) ||
         SegmentCrossesRectDiagonal(x1, y1, x2, y2, rx1, ry1, rx2, ry2);
}

bool SegmentPassesThroughRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                              double ry2) {
  return !PointInRect(x1, y1, rx1, ry1, rx2, ry2) && !PointInRect(x2, y2, rx1, ry1, rx2, ry2) &&
         SegmentCrossesRectEdge(x1, y1, x2, y2, rx1, ry1, rx2, ry2);
}

bool SegmentSelectedByRect(bool crossing, double x1, double y1, double x2, double y2, double rx1, double ry1,
                           double rx2, double ry2) {
  if (crossing) return SegmentTouchesRect(x1, y1, x2, y2, rx1, ry1, rx2, ry2);
  return PointInRect(x1, y1, rx1, ry1, rx2, ry2) && PointInRect(x2, y2, rx1, ry1, rx2, ry2);
}

bool RectTouchesRect(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
  for (const Side& s : RectSides(ax1, ay1, ax2, ay2)) {
    if (SegmentCrossesRectEdge(s.x1, s.y1, s.x2, s.y2, bx1, by1, bx2, by2)) return true;
  }
  return PointInRect(ax1, ay1, bx1, by1, bx2, by2);
}

bool SegmentInsideEnd(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                      std::uint8_t& which, double& outX, double& outY, double& inX, double& inY) {
  if (SegmentCrossesRectEdge(x1, y1, x2, y2, rx1, ry1, rx2, ry2)) {
    if (PointInRect(x1, y1, rx1, ry1, rx2, ry2)) {
      which = 1;
      outX = x2;
      outY = y2;
      inX = x1;
      inY = y1;
      return true;
    }
    if (PointInRect(x2, y2, rx1, ry1, rx2, ry2)) {
      which = 2;
      outX = x1;
      outY = y1;
      inX = x2;
      inY = y2;
      return true;
    }
  }
  which = 0;
  return false;
}

bool ExtendLineAcrossRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                          double& xa, double& ya, double& xb, double& yb) {
  return ExtendAcross(IntersectLines, x1, y1, x2, y2, rx1, ry1, rx2, ry2, xa, ya, xb, yb);
}

bool ExtendLineAcrossRectEps1e4(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2,
                                double ry2, double& xa, double& ya, double& xb, double& yb) {
  return ExtendAcross(IntersectLinesEps1e4, x1, y1, x2, y2, rx1, ry1, rx2, ry2, xa, ya, xb, yb);
}

bool ClipSegmentToRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                       double& xa, double& ya, double& xb, double& yb) {
  // A segment through a corner meets two sides in the same point; that point
  // counts once, so the clip keeps its real second end.
  int count = 0;
  RPoint2D first;
  RPoint2D second;
  for (const Side& s : RectSides(rx1, ry1, rx2, ry2)) {
    RPoint2D h;
    if (!IntersectSegments(h.x, h.y, x1, y1, x2, y2, s.x1, s.y1, s.x2, s.y2)) continue;
    if (count == 0) {
      first = h;
      count = 1;
    } else if (!SamePoint(first.x, first.y, h.x, h.y)) {
      second = h;
      count = 2;
      break;
    }
  }
  const bool in1 = PointInRect(x1, y1, rx1, ry1, rx2, ry2);
  const bool in2 = PointInRect(x2, y2, rx1, ry1, rx2, ry2);
  RPointPair part{};
  bool found = true;
  if (count == 2) {
    part = {first.x, first.y, second.x, second.y};
  } else if (in1 && in2) {
    // Also one crossing: an end on a side (a corner) with the other inside.
    part = {x1, y1, x2, y2};
  } else if (count == 1 && in1) {
    part = {x1, y1, first.x, first.y};
  } else if (count == 1 && in2) {
    part = {first.x, first.y, x2, y2};
  } else {
    found = false;
  }
  xa = part.xa;
  ya = part.ya;
  xb = part.xb;
  yb = part.yb;
  return found;
}

int SegmentPartsOutsideRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                            double& a1x, double& a1y, double& a2x, double& a2y, double& b1x, double& b1y, double& b2x,
                            double& b2y) {
  RPoint2D c1;
  RPoint2D c2;
  const int count = SideCrossings(x1, y1, x2, y2, rx1, ry1, rx2, ry2, c1, c2);
  if (count == 2) {
    a1x = c1.x;
    a1y = c1.y;
    b1x = c2.x;
    b1y = c2.y;
    // Each crossing is joined with the segment end nearer to it.
    const bool firstIsFarther = PointDistance(c1.x, c1.y, x1, y1) > PointDistance(c2.x, c2.y, x1, y1);
    a2x = firstIsFarther ? x2 : x1;
    a2y = firstIsFarther ? y2 : y1;
    b2x = firstIsFarther ? x1 : x2;
    b2y = firstIsFarther ? y1 : y2;
    return 2;
  }
  if (count == 1) {
    a1x = c1.x;
    a1y = c1.y;
    if (PointInRect(x1, y1, rx1, ry1, rx2, ry2)) {
      a2x = x2;
      a2y = y2;
      return 0;
    }
    if (PointInRect(x2, y2, rx1, ry1, rx2, ry2)) {
      a2x = x1;
      a2y = y1;
      return 0;
    }
    return -1;
  }
  if (PointInRect(x1, y1, rx1, ry1, rx2, ry2) && PointInRect(x2, y2, rx1, ry1, rx2, ry2)) {
    a1x = x1;
    a1y = y1;
    a2x = x2;
    a2y = y2;
    return 1;
  }
  return -1;
}

int ClassifySegmentByRect(double x1, double y1, double x2, double y2, double rx1, double ry1, double rx2, double ry2,
                          double& sx1, double& sy1, double& sx2, double& sy2) {
  RPoint2D c1;
  RPoint2D c2;
  const int count = SideCrossings(x1, y1, x2, y2, rx1, ry1, rx2, ry2, c1, c2);
  if (count == 2) return 2;
  const bool in1 = PointInRect(x1, y1, rx1, ry1, rx2, ry2);
  if (count == 1) {
    if (in1) {
      sx1 = x1, sy1 = y1, sx2 = x2, sy2 = y2;
    } else {
      sx1 = x2, sy1 = y2, sx2 = x1, sy2 = y1;
    }
    return 0;
  }
  if (in1 && PointInRect(x2, y2, rx1, ry1, rx2, ry2)) {
    sx1 = x1, sy1 = y1, sx2 = x2, sy2 = y2;
    return 1;
  }
  return -1;
}

int SegmentPartsOutsidePolygon(std::span<const RPolyEdge> edges, double x1, double y1, double x2, double y2,
                               double& p1sx, double& p1sy, double& p1ex, double& p1ey, double& p2sx, double& p2sy,
                               double& p2ex, double& p2ey, bool wholeMode, bool lineMode) {
  // Whole mode would only matter for a result other than 1 after a crossing,
  // and every crossing has made the result 1 by then.
  (void)wholeMode;
  if (edges.empty()) return -1;
  double minX = edges[0].x1, maxX = edges[0].x1, minY = edges[0].y1, maxY = edges[0].y1;
  for (const RPolyEdge& e : edges) {
    minX = std::min({minX, e.x1, e.x2});
    maxX = std::max({maxX, e.x1, e.x2});
    minY = std::min({minY, e.y1, e.y2});
    maxY = std::max({maxY, e.y1, e.y2});
  }
  auto inBox = [&](const RPoint2D& p) { return PointInRect(p.x, p.y, minX, minY, maxX, maxY); };
  auto dist = [](const RPoint2D& a, const RPoint2D& b) { return PointDistance(a.x, a.y, b.x, b.y); };
  auto piece1 = [&](const RPoint2D& s, const RPoint2D& e) { p1sx = s.x, p1sy = s.y, p1ex = e.x, p1ey = e.y; };
  auto piece2 = [&](const RPoint2D& s, const RPoint2D& e) { p2sx = s.x, p2sy = s.y, p2ex = e.x, p2ey = e.y; };
  // Moves the start of piece 1 away from its end by t.
  auto pushPiece1 = [&](double t) { LengthenSegmentEnd(p1sx, p1sy, p1ex, p1ey, t, 0); };

  const RPoint2D s1{x1, y1};
  const RPoint2D s2{x2, y2};
  int result = -1;
  int count = 0;
  RPoint2D h1;
  RPoint2D g1;
  std::uint8_t k1 = 0;
  bool on1 = false;
  bool faIsS1 = false;
  for (const RPolyEdge& e : edges) {
    RPoint2D h;
    RPoint2D g;
    bool on = false;
    if (!lineMode) {
      if (!IntersectSegments(h.x, h.y, x1, y1, x2, y2, e.x1, e.y1, e.x2, e.y2)) continue;
    } else {
      if (!IntersectLineSegmentEps1e3(h.x, h.y, x1, y1, x2, y2, e.x1, e.y1, e.x2, e.y2)) continue;
      on = IntersectSegments(g.x, g.y, x1, y1, x2, y2, e.x1, e.y1, e.x2, e.y2);
    }
    ++count;
    if (count == 1) {
      h1 = h;
      g1 = g;
      k1 = e.kind;
      on1 = on;
      result = 1;
      p1sx = h.x;
      p1sy = h.y;
      if (!lineMode) {
        const RPoint2D& end = inBox(s1) ? s2 : s1;
        p1ex = end.x;
        p1ey = end.y;
      } else if (inBox(s1)) {
        faIsS1 = false;
        p1ex = s2.x;
        p1ey = s2.y;
      } else if (inBox(s2)) {
        faIsS1 = true;
        p1ex = s1.x;
        p1ey = s1.y;
      } else {
        faIsS1 = dist(h, s1) > dist(h, s2);
      }
      continue;
    }

    const std::uint8_t k2 = e.kind;
    const RPoint2D h2 = h;
    if (!lineMode) {
      const bool firstIsFarther = dist(h1, s1) > dist(h2, s1);
      if (k2 == k1) {
        if (firstIsFarther) {
          piece1(h1, s2);
          piece2(h2, s1);
        } else {
          piece1(h1, s1);
          piece2(h2, s2);
        }
        result = 2;
      } else if (k2 > k1) {
        piece1(h1, firstIsFarther ? s2 : s1);
      } else {
        piece1(h1, firstIsFarther ? s1 : s2);
      }
      break;
    }

    const bool on2 = on;
    const RPoint2D& fa = faIsS1 ? s1 : s2;
    const RPoint2D& otherEnd = faIsS1 ? s2 : s1;
    const bool h1Farther = dist(h1, s1) > dist(h2, s1);
    const RPoint2D& e1 = h1Farther ? s2 : s1;
    const RPoint2D& e2 = h1Farther ? s1 : s2;
    const RPoint2D& ef = dist(h1, s1) > dist(h1, s2) ? s1 : s2;
    const bool h2NearerFa = dist(h1, fa) > dist(h2, fa);
    const RPoint2D& nearerFa = h2NearerFa ? h2 : h1;
    const RPoint2D& fartherFa = h2NearerFa ? h1 : h2;
    const double gap = dist(h1, h2);
    if (k2 == k1) {
      if (on1 && on2) {
        if (h1Farther) {
          piece1(h1, s2);
          piece2(h2, s1);
        } else {
          piece1(h1, s1);
          piece2(h2, s2);
        }
        result = 2;
      } else if (on1 != on2) {
        piece1(nearerFa, fa);
      } else if (k1 == 1) {
        result = -1;
      } else if (k1 == 2) {
        piece1(nearerFa, fa);
      } else {
        piece1(fartherFa, fa);
      }
    } else if (k2 > k1) {
      if (k1 == 1 && k2 == 2) {
        if (on1) {
          piece1(g1, dist(g1, s1) > dist(h2, s1) ? s2 : s1);
        } else {
          piece1(otherEnd, h2);
        }
      } else if (k1 == 2 && k2 == 3) {
        piece1(h1, on1 ? e1 : ef);
      } else {
        piece1(h1, on1 ? e1 : ef);
        pushPiece1(2.0 * gap);
      }
    } else {
      if (k1 == 2 && k2 == 1) {
        if (on1) {
          piece1(g1, dist(g1, s1) > dist(h2, s1) ? s1 : s2);
        } else {
          piece1(fa, otherEnd);
        }
      } else if (k1 == 3 && k2 == 2) {
        piece1(h1, on1 ? e2 : ef);
      } else {
        piece1(h1, on1 ? e2 : ef);
        pushPiece1(gap);
      }
    }
    break;
  }
  // One crossing of the line with neither end in the box: the piece runs from
  // the crossing to the end farther from it.
  if (lineMode && count == 1 && !inBox(s1) && !inBox(s2)) {
    const RPoint2D& fa = faIsS1 ? s1 : s2;
    p1ex = fa.x;
    p1ey = fa.y;
  }
  return result;
}
