// Curves through points: quadratic midpoint curves, cubic splines and the
// polygon edge list.

#include "tools/edit/curves.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/offsets_rects.h"
#include "tools/edit/curve_elements.h"
#include "tools/settings/default_settings.h"

namespace {

using Chord = std::pair<RPoint2D, RPoint2D>;

RPoint2D Midpoint(const RPoint2D& a, const RPoint2D& b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

// The last point closes the outline when it lies on the first one.
bool ClosesOnFirst(const RPoint2D& first, const RPoint2D& last) {
  return std::abs(last.x - first.x) < 1e-4 && std::abs(last.y - first.y) < 1e-4;
}

// The chords of the quadratic piece S, V, E: Divisions - 1 samples at equal
// steps of t from 0 to 1, preceded by S itself, so the first chord has zero
// length.
void AppendSegmentChords(const RPoint2D& s, const RPoint2D& v, const RPoint2D& e, std::int32_t divisions,
                         std::vector<Chord>& chords) {
  if (divisions < 3) return;
  const double bx = -2.0 * (s.x - v.x), by = -2.0 * (s.y - v.y);
  const double ax = s.x - 2.0 * v.x + e.x, ay = s.y - 2.0 * v.y + e.y;
  const double step = 1.0 / static_cast<double>(divisions - 2);
  RPoint2D previous = s;
  double t = 0.0;
  for (std::int32_t i = 2; i <= divisions; ++i) {
    const RPoint2D q{t * (ax * t + bx) + s.x, t * (ay * t + by) + s.y};
    chords.push_back({previous, q});
    previous = q;
    t += step;
  }
}

struct ArcOnChordResult {
  bool exists = false;
  double cx = 0.0, cy = 0.0, r = 0.0, startDeg = 0.0, endDeg = 0.0;
};

// The arc over the chord P -> R whose middle stands k x |PR| off the chord,
// to its left for a positive k.
ArcOnChordResult ArcOnChord(const RPoint2D& p, const RPoint2D& r, double k) {
  ArcOnChordResult out;
  const double d = k * PointDistance(p.x, p.y, r.x, r.y);
  RPoint2D o1, o2;
  OffsetSegment(p.x, p.y, r.x, r.y, d, o1, o2);
  const RPoint2D m = Midpoint(o1, o2);
  if (!Circumcircle(p, r, m, out.cx, out.cy, out.r)) return out;
  out.startDeg = DirectionAngleDeg(out.cx, out.cy, p.x, p.y);
  out.endDeg = DirectionAngleDeg(out.cx, out.cy, r.x, r.y);
  OrderArcAngles(out.startDeg, out.endDeg, DirectionAngleDeg(out.cx, out.cy, m.x, m.y));
  out.exists = std::abs(out.startDeg - out.endDeg) >= 0.001;
  return out;
}

// ---- cubic splines ----

// Nodes with their chord-length parameters from 0 to 1. An interval of zero
// parameter length would divide by zero, so a node that does not move the
// parameter on is taken once; the closing node of a closed list is kept.
struct SplineNodes {
  std::vector<RPoint2D> p;
  std::vector<double> t;
};

SplineNodes MakeSplineNodes(const std::vector<RPoint2D>& candidates) {
  SplineNodes nodes;
  std::vector<double> length;
  for (const RPoint2D& c : candidates) {
    if (nodes.p.empty()) {
      nodes.p.push_back(c);
      length.push_back(0.0);
      continue;
    }
    const double d = PointDistance(nodes.p.back().x, nodes.p.back().y, c.x, c.y);
    if (d == 0.0) continue;
    nodes.p.push_back(c);
    length.push_back(length.back() + d);
  }
  if (nodes.p.size() < 2 || !(length.back() > 0.0) || !std::isfinite(length.back())) return {};
  SplineNodes kept;
  for (std::size_t i = 0; i < nodes.p.size(); ++i) {
    const double t = length[i] / length.back();
    if (!kept.t.empty() && !(t > kept.t.back())) {
      if (i + 1 == nodes.p.size() && kept.p.size() > 1) {
        kept.p.back() = nodes.p[i];  // the end node stays the end node
        kept.t.back() = t;
      }
      continue;
    }
    kept.p.push_back(nodes.p[i]);
    kept.t.push_back(t);
  }
  if (kept.p.size() < 2) return {};
  return kept;
}

// z = v'' / 6 at every node of a natural spline (zero at both ends).
std::vector<double> NaturalSplineTable(const std::vector<double>& t, const std::vector<double>& v) {
  const std::size_t m = t.size();
  std::vector<double> z(m, 0.0), diag(m, 0.0), rhs(m, 0.0);
  auto h = [&](std::size_t i) { return t[i + 1] - t[i]; };
  auto d = [&](std::size_t i) { return (v[i + 1] - v[i]) / h(i); };
  for (std::size_t i = 1; i + 1 < m; ++i) {
    diag[i] = 2.0 * (t[i + 1] - t[i - 1]);
    rhs[i] = d(i) - d(i - 1);
  }
  for (std::size_t i = 2; i + 1 < m; ++i) {
    const double f = h(i - 1) / diag[i - 1];
    diag[i] -= f * h(i - 1);
    rhs[i] -= f * rhs[i - 1];
  }
  for (std::size_t i = m - 1; i-- > 1;) z[i] = (rhs[i] - h(i) * z[i + 1]) / diag[i];
  return z;
}

// z = v'' / 6 at nodes 0..N of a periodic spline whose node N repeats node 0:
// the cyclic system eliminated row by row, the wrap-around coefficients
// carried in a column for z_N and a last row.
// Needs two intervals or more.
std::vector<double> PeriodicSplineTable(const std::vector<double>& t, const std::vector<double>& v) {
  const std::size_t n = t.size() - 1;  // intervals, also the unknowns z_1..z_N
  auto h = [&](std::size_t i) { return t[(i % n) + 1] - t[i % n]; };
  auto d = [&](std::size_t i) { return (v[(i % n) + 1] - v[i % n]) / h(i); };
  // Rows 1..N-1: lower (column i-1), diag, upper (column i+1 < N), last
  // (column N). Row N: row[j] for columns 1..N-1 and diag[N].
  std::vector<double> lower(n + 1, 0.0), diag(n + 1, 0.0), upper(n + 1, 0.0), last(n + 1, 0.0), row(n + 1, 0.0),
      rhs(n + 1, 0.0);
  for (std::size_t i = 1; i <= n; ++i) {
    diag[i] = 2.0 * (h(i - 1) + h(i));
    rhs[i] = d(i) - d(i - 1);
  }
  for (std::size_t i = 1; i < n; ++i) {
    if (i >= 2) lower[i] = h(i - 1);
    if (i + 1 < n)
      upper[i] = h(i);
    else
      last[i] += h(i);
  }
  last[1] += h(0);  // z_0 is z_N
  row[n - 1] += h(n - 1);
  row[1] += h(0);  // z_(N+1) is z_1
  for (std::size_t i = 1; i < n; ++i) {
    if (i + 1 < n) {
      const double f = lower[i + 1] / diag[i];
      diag[i + 1] -= f * upper[i];
      last[i + 1] -= f * last[i];
      rhs[i + 1] -= f * rhs[i];
    }
    const double g = row[i] / diag[i];
    if (i + 1 < n) row[i + 1] -= g * upper[i];
    diag[n] -= g * last[i];
    rhs[n] -= g * rhs[i];
  }
  std::vector<double> z(n + 1, 0.0);
  z[n] = rhs[n] / diag[n];
  for (std::size_t i = n - 1; i >= 1; --i) {
    const double next = (i + 1 < n) ? upper[i] * z[i + 1] : 0.0;
    z[i] = (rhs[i] - next - last[i] * z[n]) / diag[i];
  }
  z[0] = z[n];
  return z;
}

double SplineValue(const std::vector<double>& t, const std::vector<double>& v, const std::vector<double>& z, double u) {
  // The smallest c with u <= t_c, then the interval that ends there.
  std::size_t lo = 0, hi = t.size() - 1;
  if (u > t[hi]) lo = hi;
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (u <= t[mid])
      hi = mid;
    else
      lo = mid + 1;
  }
  std::size_t c = lo >= 1 ? lo - 1 : 0;
  if (c + 1 >= t.size()) c = t.size() - 2;
  const double span = t[c + 1] - t[c];
  const double w = (u - t[c]) / span;
  auto f = [](double s) { return s * (s * s - 1.0); };
  return w * v[c + 1] + (1.0 - w) * v[c] + span * span * (f(1.0 - w) * z[c] + f(w) * z[c + 1]);
}

struct Spline {
  std::vector<double> t, x, y, zx, zy;
  bool closed = false;

  RPoint2D At(double u) const {
    if (closed) {
      const double period = t.back() - t.front();
      while (u > t.back()) u -= period;
      while (u < t.front()) u += period;
    }
    return {SplineValue(t, x, zx, u), SplineValue(t, y, zy, u)};
  }
};

// Inside or on the border of the box the chord spans; a box without area
// holds nothing.
bool InChordBox(const RPoint2D& a, const RPoint2D& b, const RPoint2D& p) {
  const double x0 = std::fmin(a.x, b.x), x1 = std::fmax(a.x, b.x);
  const double y0 = std::fmin(a.y, b.y), y1 = std::fmax(a.y, b.y);
  if (!(x1 > x0) || !(y1 > y0)) return false;
  return x0 <= p.x && p.x <= x1 && y0 <= p.y && p.y <= y1;
}

}  // namespace

void TSupuLineobj::AddPoint(double X, double Y) {
  if (PointX.empty()) {
    PointX.push_back(0.0);
    PointY.push_back(0.0);
  }
  ++PointCount;
  PointX.push_back(X);
  PointY.push_back(Y);
}

void TSupuLineobj::BuildCurve(std::int32_t Divisions_, std::uint8_t Kind, double Param) {
  CurveKind = Kind;
  if (Kind > 7) return;
  // A bulge that is not a number would put NaN arcs into the drawing.
  if (Kind == 4 && !std::isfinite(Param)) return;
  Elements.clear();
  Elements.push_back(ZeroElement());
  switch (Kind) {
    case 0: BuildSpline(Divisions_, false, false); break;
    case 2: BuildSpline(Divisions_, true, false); break;
    case 6: BuildSpline(Divisions_, false, true); break;
    case 7: BuildSpline(Divisions_, true, true); break;
    case 4: {
      const double bulge = Param == 0.0 ? static_cast<double>(ToolDefaults.CurveBulge) : Param;
      BuildMidpointCurve(Divisions_, Kind, bulge * 0.05 + 0.1);
      break;
    }
    default: BuildMidpointCurve(Divisions_, Kind, ToolDefaults.CurveBulge * 0.05 + 0.1); break;
  }
}

void TSupuLineobj::BuildMidpointCurve(std::int32_t divisions, std::uint8_t kind, double ratio) {
  const std::int32_t n = PointCount;
  auto point = [&](std::int32_t k) {
    return RPoint2D{PointX[static_cast<std::size_t>(k)], PointY[static_cast<std::size_t>(k)]};
  };
  std::vector<Chord> chords;
  if (kind == 1) {
    if (n < 3 || divisions < 3) return;
    chords.push_back({point(1), Midpoint(point(1), point(2))});
    for (std::int32_t v = 2; v <= n - 1; ++v)
      AppendSegmentChords(Midpoint(point(v - 1), point(v)), point(v), Midpoint(point(v), point(v + 1)), divisions,
                          chords);
    chords.push_back({Midpoint(point(n - 1), point(n)), point(n)});
  } else {
    // Fewer than two points give no outline to close.
    if (n < 2) return;
    const bool closed = ClosesOnFirst(point(1), point(n));
    for (std::int32_t v = 2; v <= n - 1; ++v)
      AppendSegmentChords(Midpoint(point(v - 1), point(v)), point(v), Midpoint(point(v), point(v + 1)), divisions,
                          chords);
    AppendSegmentChords(Midpoint(point(n - 1), point(n)), point(n),
                        closed ? Midpoint(point(1), point(2)) : Midpoint(point(n), point(1)), divisions, chords);
    if (!closed)
      AppendSegmentChords(Midpoint(point(n), point(1)), point(1), Midpoint(point(1), point(2)), divisions, chords);
  }
  for (const auto& [p, r] : chords) {
    if (kind == 1 || kind == 3) {
      Elements.push_back(CurveLineElement(p.x, p.y, r.x, r.y));
      continue;
    }
    const ArcOnChordResult arc = ArcOnChord(p, r, ratio);
    if (!arc.exists) continue;
    if (kind == 4) {
      Elements.push_back(CurveArcElement(arc.cx, arc.cy, arc.r, arc.startDeg, arc.endDeg));
    } else {
      Elements.push_back(CurveLineElement(p.x, p.y, arc.cx, arc.cy));
      Elements.push_back(CurveLineElement(r.x, r.y, arc.cx, arc.cy));
    }
  }
}

void TSupuLineobj::BuildSpline(std::int32_t divisions, bool closed, bool arcs) {
  Divisions = divisions;
  const std::int32_t n = PointCount;
  auto point = [&](std::int32_t k) {
    return RPoint2D{PointX[static_cast<std::size_t>(k)], PointY[static_cast<std::size_t>(k)]};
  };

  std::vector<RPoint2D> candidates;
  std::int32_t lastPoint = n;
  if (closed && n >= 2 && ClosesOnFirst(point(1), point(n))) lastPoint = n - 1;
  for (std::int32_t k = 1; k <= lastPoint; ++k) candidates.push_back(point(k));
  if (closed) {
    // Points that return onto the first before the end are the closing node.
    while (candidates.size() > 1 && candidates.back().x == candidates.front().x &&
           candidates.back().y == candidates.front().y)
      candidates.pop_back();
    if (!candidates.empty()) candidates.push_back(candidates.front());
  }
  // Fewer than two distinct nodes leave no length to parameterise by.
  const SplineNodes nodes = MakeSplineNodes(candidates);
  if (nodes.p.size() < 2 || (closed && nodes.p.size() < 3)) return;

  Spline spline;
  spline.closed = closed;
  spline.t = nodes.t;
  for (const RPoint2D& p : nodes.p) {
    spline.x.push_back(p.x);
    spline.y.push_back(p.y);
  }
  spline.zx = closed ? PeriodicSplineTable(spline.t, spline.x) : NaturalSplineTable(spline.t, spline.x);
  spline.zy = closed ? PeriodicSplineTable(spline.t, spline.y) : NaturalSplineTable(spline.t, spline.y);

  // Points a chord may be split at: the input points of an open curve, the
  // nodes after the first of a closed one (ending with point 1).
  std::vector<RPoint2D> capture;
  if (closed)
    capture.assign(nodes.p.begin() + 1, nodes.p.end());
  else
    for (std::int32_t k = 1; k <= n; ++k) capture.push_back(point(k));

  const std::int64_t steps = divisions > 0 ? static_cast<std::int64_t>(n) * divisions : 0;
  const double total = static_cast<double>(steps);
  std::vector<RPoint2D> samples;
  RPoint2D from = spline.At(0.0);
  for (std::int64_t j = 0; j < steps; ++j) {
    const RPoint2D to = spline.At(static_cast<double>(j + 1) / total);
    const RPoint2D* split = nullptr;
    for (const RPoint2D& p : capture) {
      if (InChordBox(from, to, p)) {
        split = &p;
        break;
      }
    }
    if (arcs) {
      samples.push_back(from);
      if (split) samples.push_back(*split);
    } else if (split) {
      Elements.push_back(CurveLineElement(from.x, from.y, split->x, split->y));
      Elements.push_back(CurveLineElement(split->x, split->y, to.x, to.y));
    } else {
      Elements.push_back(CurveLineElement(from.x, from.y, to.x, to.y));
    }
    from = to;
  }

  if (!arcs) {
    // The line builds keep n zero entries after the last written one.
    Elements.insert(Elements.end(), static_cast<std::size_t>(n), ZeroElement());
    return;
  }
  if (steps > 0) samples.push_back(spline.At(1.0));
  std::size_t i = 0;
  for (; i + 2 < samples.size(); i += 2) {
    const RPoint2D& a = samples[i];
    const RPoint2D& m = samples[i + 1];
    const RPoint2D& b = samples[i + 2];
    double cx = 0.0, cy = 0.0, r = 0.0, startDeg = 0.0, endDeg = 0.0;
    // ThreePointArc takes its angles from a stale centre when the circle
    // fails, so the circle is tried first.
    if (!Circumcircle(a, m, b, cx, cy, r)) continue;
    if (!ThreePointArc(a.x, a.y, m.x, m.y, b.x, b.y, cx, cy, r, startDeg, endDeg)) continue;
    Elements.push_back(CurveArcElement(cx, cy, r, NormalizeAngleUpTo360(startDeg), NormalizeAngleUpTo360(endDeg)));
  }
  if (i + 2 == samples.size())
    Elements.push_back(CurveLineElement(samples[i].x, samples[i].y, samples[i + 1].x, samples[i + 1].y));
}

void TSupuLineobj::BuildPolygonEdges() {
  Elements.clear();
  if (PointCount < 1) return;
  const auto n = static_cast<std::size_t>(PointCount);
  for (std::size_t k = 0; k < n; ++k)
    Elements.push_back(CurveLineElement(PointX[k], PointY[k], PointX[k + 1], PointY[k + 1]));
  Elements.push_back(CurveLineElement(PointX[n], PointY[n], PointX[1], PointY[1]));
}
