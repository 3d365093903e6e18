#include "geometry/intersections.h"

#include <cmath>
#include <numbers>

namespace {

struct Lines {
  double ax1, ay1, ax2, ay2, bx1, by1, bx2, by2;

  double Det() const { return (ax2 - ax1) * (by2 - by1) - (ay2 - ay1) * (bx2 - bx1); }
  double ParamA(double d) const { return ((bx2 - bx1) * (ay1 - by1) - (by2 - by1) * (ax1 - bx1)) / d; }
  double ParamB(double d) const { return ((ax2 - ax1) * (ay1 - by1) - (ay2 - ay1) * (ax1 - bx1)) / d; }
  double PointX(double tA) const { return ax1 + tA * (ax2 - ax1); }
  double PointY(double tA) const { return ay1 + tA * (ay2 - ay1); }
};

bool Within(double t, double lo, double hi) { return t >= lo && t <= hi; }

// Both bounded: D, then tA, then tB decide.
bool CrossBounded(const Lines& l, double loA, double hiA, double loB, double hiB, double* x, double* y) {
  const double d = l.Det();
  if (d == 0.0) return false;
  const double tA = l.ParamA(d);
  if (!Within(tA, loA, hiA)) return false;
  const double tB = l.ParamB(d);
  if (!Within(tB, loB, hiB)) return false;
  if (x) *x = l.PointX(tA);
  if (y) *y = l.PointY(tA);
  return true;
}

// A infinite, B a segment, parallel when |D| <= eps (eps 0 means exactly 0).
bool LineWithSegment(const Lines& l, double eps, double& x, double& y) {
  const double d = l.Det();
  if (std::abs(d) <= eps) return false;
  const double tA = l.ParamA(d);
  const double tB = l.ParamB(d);
  if (!Within(tB, 0.0, 1.0)) return false;
  x = l.PointX(tA);
  y = l.PointY(tA);
  return true;
}

bool LineWithLine(const Lines& l, double eps, double& x, double& y) {
  const double d = l.Det();
  if (std::abs(d) <= eps) return false;
  const double tA = l.ParamA(d);
  x = l.PointX(tA);
  y = l.PointY(tA);
  return true;
}

// Same or opposite direction within 0.01 degrees, compared without wrapping.
bool SameLineDirection(double u, double w) {
  const double d = std::abs(u - w);
  return d < 0.01 || std::abs(d - 180.0) < 0.01;
}

// C1: A's both directions against the direction from A1 to B2.
bool CollinearC1(const Lines& l) {
  const double u = DirectionAngleDeg(l.ax1, l.ay1, l.ax2, l.ay2);
  const double v = DirectionAngleDeg(l.ax2, l.ay2, l.ax1, l.ay1);
  const double w = DirectionAngleDeg(l.ax1, l.ay1, l.bx2, l.by2);
  return SameLineDirection(u, w) && SameLineDirection(v, w);
}

// C2: the directions from A1 to both ends of B against B's direction.
bool CollinearC2(const Lines& l) {
  const double b = DirectionAngleDeg(l.bx1, l.by1, l.bx2, l.by2);
  const double m = DirectionAngleDeg(l.ax1, l.ay1, l.bx1, l.by1);
  const double o = DirectionAngleDeg(l.ax1, l.ay1, l.bx2, l.by2);
  return SameLineDirection(m, b) && SameLineDirection(o, b);
}

bool LinesOrCollinear(const Lines& l, double eps, bool (*collinearTest)(const Lines&), double& x, double& y,
                      bool& collinear) {
  collinear = false;
  if (LineWithLine(l, eps, x, y)) return true;
  if (!collinearTest(l)) return false;
  collinear = true;
  return true;
}

}  // namespace

bool SegmentsCross(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
  return CrossBounded({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.0, 1.0, 0.0, 1.0, nullptr, nullptr);
}

bool SegmentsCrossSlack5(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2,
                         double by2) {
  return CrossBounded({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, -0.05, 1.05, 0.0, 1.0, nullptr, nullptr);
}

bool IntersectSegments(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                       double bx2, double by2) {
  x = 0.0;
  y = 0.0;
  return CrossBounded({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.0, 1.0, 0.0, 1.0, &x, &y);
}

bool IntersectSegmentsSlack1e6(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1,
                               double by1, double bx2, double by2) {
  x = 0.0;
  y = 0.0;
  return CrossBounded({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, -0.000001, 1.000001, -0.000001, 1.000001, &x, &y);
}

bool IntersectLineSegment(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2) {
  return LineWithSegment({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.0, x, y);
}

bool IntersectLineSegmentEps1e3(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1,
                                double by1, double bx2, double by2) {
  return LineWithSegment({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.001, x, y);
}

bool IntersectLines(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                    double bx2, double by2) {
  return LineWithLine({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.0, x, y);
}

bool IntersectLinesEps1e7(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2) {
  return LineWithLine({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.0000001, x, y);
}

bool IntersectLinesEps1e4(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2) {
  return LineWithLine({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.0001, x, y);
}

bool IntersectLinesEps2e2(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2) {
  return LineWithLine({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.02, x, y);
}

bool IntersectLinesOrCollinearEps11e3(double& x, double& y, bool& collinear, double ax1, double ay1, double ax2,
                                      double ay2, double bx1, double by1, double bx2, double by2) {
  return LinesOrCollinear({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.011, CollinearC1, x, y, collinear);
}

bool IntersectLinesOrCollinearEps6e5(double& x, double& y, bool& collinear, double ax1, double ay1, double ax2,
                                     double ay2, double bx1, double by1, double bx2, double by2) {
  return LinesOrCollinear({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.00006, CollinearC2, x, y, collinear);
}

bool IntersectLinesOrCollinearEps1e2(double& x, double& y, bool& collinear, double ax1, double ay1, double ax2,
                                     double ay2, double bx1, double by1, double bx2, double by2) {
  return LinesOrCollinear({ax1, ay1, ax2, ay2, bx1, by1, bx2, by2}, 0.01, CollinearC2, x, y, collinear);
}

void LongestEndPointSpan(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2,
                         double& x1, double& y1, double& x2, double& y2) {
  x1 = y1 = x2 = y2 = 0.0;
  struct Pair {
    double px, py, qx, qy;  // written in this order
    double dist;
  };
  const Pair pairs[6] = {
      {ax1, ay1, bx1, by1, PointDistance(ax1, ay1, bx1, by1)}, {ax1, ay1, bx2, by2, PointDistance(ax1, ay1, bx2, by2)},
      {bx1, by1, ax2, ay2, PointDistance(ax2, ay2, bx1, by1)}, {ax2, ay2, bx2, by2, PointDistance(ax2, ay2, bx2, by2)},
      {ax1, ay1, ax2, ay2, PointDistance(ax1, ay1, ax2, ay2)}, {bx1, by1, bx2, by2, PointDistance(bx1, by1, bx2, by2)},
  };
  for (const Pair& p : pairs) {
    bool longest = true;
    for (const Pair& q : pairs) longest = longest && p.dist >= q.dist;
    if (longest) {
      x1 = p.px;
      y1 = p.py;
      x2 = p.qx;
      y2 = p.qy;
      return;
    }
  }
}

bool LineWithinRadius(double cx, double cy, double r, double x1, double y1, double x2, double y2) {
  double fx = 0.0;
  double fy = 0.0;
  if (!PerpendicularFoot(fx, fy, x1, y1, x2, y2, cx, cy)) return false;
  return PointDistance(cx, cy, fx, fy) <= r;
}

RPointPair IntersectLineCircle(double x1, double y1, double x2, double y2, double cx, double cy, double r,
                               RPointPair unchanged) {
  if (r == 0.0) return unchanged;
  double fx = 0.0;
  double fy = 0.0;
  if (!PerpendicularFoot(fx, fy, x1, y1, x2, y2, cx, cy)) return {x1, y1, x2, y2};
  const double w = PointDistance(cx, cy, fx, fy);
  if (std::abs(w - r) < 0.0001) return {fx, fy, fx, fy};
  if (w > r) return {fx, fy, fx, fy};
  if (std::abs(x2 - x1) < 0.0001 && y2 != y1) {
    const double h = std::sqrt(std::abs(r * r - (cx - x1) * (cx - x1)));
    return {x1, cy - h, x1, cy + h};
  }
  if (std::abs(y2 - y1) < 0.0001 && x2 != x1) {
    const double h = std::sqrt(std::abs(r * r - (cy - y1) * (cy - y1)));
    return {cx - h, y1, cx + h, y1};
  }
  const double a = x2 == x1 ? 0.0 : std::atan((y2 - y1) / (x2 - x1));
  const double b = std::asin(w / r);
  const double ta = a - b;
  const double tb = a - (std::numbers::pi - b);
  if (fy > cy) {
    return {cx - r * std::cos(ta), cy - r * std::sin(ta), cx - r * std::cos(tb), cy - r * std::sin(tb)};
  }
  return {cx + r * std::cos(ta), cy + r * std::sin(ta), cx + r * std::cos(tb), cy + r * std::sin(tb)};
}

RPointPair IntersectCircles(double x1, double y1, double r1, double x2, double y2, double r2) {
  // The left circle is the base, so the order of the arguments does not
  // change the order of the two points.
  const bool firstIsBase = x2 > x1;
  const double bx = firstIsBase ? x1 : x2;
  const double by = firstIsBase ? y1 : y2;
  const double rb = firstIsBase ? r1 : r2;
  const double ro = firstIsBase ? r2 : r1;
  double theta = 0.0;
  if (x2 > x1) {
    theta = std::atan((y2 - y1) / (x2 - x1));
  } else if (x2 < x1) {
    theta = std::atan((y1 - y2) / (x1 - x2));
  } else {
    theta = std::atan((y1 - y2) / 0.00000000001);
  }
  const double d = PointDistance(x1, y1, x2, y2);
  const double a = d == 0.0 ? 0.0 : d / 2.0 + (rb * rb - ro * ro) / (2.0 * d);
  const double q = rb * rb - a * a;
  const double h = q >= 0.0 ? std::sqrt(q) : -std::sqrt(-q);
  const double c = std::cos(theta);
  const double s = std::sin(theta);
  return {bx + a * c - h * s, by + a * s + h * c, bx + a * c + h * s, by + a * s - h * c};
}

// The sides are found from the angle alone: a turned frame can have P2
// straight above or beside P1 while both its sides have length.
bool AlignedRectCorners(double x1, double y1, double x2, double y2, double angle, RPoint2D& k1, RPoint2D& k2) {
  const RPoint2D u = RotateAboutCentreExact(angle, 0, 0, 1, 0), v = RotateAboutCentreExact(angle, 0, 0, 0, 1);
  const double along = (x2 - x1) * u.x + (y2 - y1) * u.y;
  const double across = (x2 - x1) * v.x + (y2 - y1) * v.y;
  if (!(std::abs(along) > 0 && std::abs(across) > 0)) return false;
  RPoint2D a = k1, b = k2;
  if (!IntersectLines(a.x, a.y, x1, y1, x1 + u.x, y1 + u.y, x2, y2, x2 + v.x, y2 + v.y)) return false;
  if (!IntersectLines(b.x, b.y, x2, y2, x2 + u.x, y2 + u.y, x1, y1, x1 + v.x, y1 + v.y)) return false;
  k1 = a;
  k2 = b;
  return true;
}
