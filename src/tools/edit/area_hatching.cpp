// Area hatching: clipping pattern lines to an outline.
//
// A pattern line is cut at every point where it meets the outline, and each
// piece is kept when its midpoint lies inside. The inside test counts the
// outline's crossings of the ray from the midpoint along the line itself, so
// one pass over the outline per pattern line yields both the cut points and
// every piece's parity. An outline vertex on the line belongs to the side
// "not to the left"; a vertex is thus counted once where the outline passes
// through the line and not at all (or twice) where it only touches it.

#include "tools/edit/area_hatching.h"

#include <algorithm>
#include <cmath>

#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "tools/edit/tool_messages.h"

namespace {

constexpr int kChords = 120;
// Cut points closer than this (paper millimetres) along a pattern line are
// one point: two outline segments meeting at a vertex on the line.
constexpr double kSameCut = 1e-9;

struct Segment {
  double x1, y1, x2, y2;
};

bool Finite(const Segment& s) {
  return std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2);
}

// Clips pattern lines one after another against one outline, keeping its
// work lists between lines.
class PatternClipper {
 public:
  explicit PatternClipper(std::vector<Segment> outline) : outline_(std::move(outline)) {}

  void Clip(const Segment& pattern, std::vector<RDrawElement>& out) {
    if (!Finite(pattern)) return;
    // Work from the end with the smaller x (smaller y on a vertical line) so
    // that pieces come out in that order and a piece lying on the outline
    // is decided the same way whichever way the line was drawn.
    const bool swapped = pattern.x2 < pattern.x1 || (pattern.x2 == pattern.x1 && pattern.y2 < pattern.y1);
    const double ax = swapped ? pattern.x2 : pattern.x1;
    const double ay = swapped ? pattern.y2 : pattern.y1;
    const double bx = swapped ? pattern.x1 : pattern.x2;
    const double by = swapped ? pattern.y1 : pattern.y2;
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    if (!(lengthSquared > 0.0) || !std::isfinite(lengthSquared)) return;
    const double sameT = kSameCut / std::sqrt(lengthSquared);

    crossings_.clear();
    cuts_.clear();
    const auto paramOf = [&](double x, double y) { return ((x - ax) * dx + (y - ay) * dy) / lengthSquared; };
    for (const Segment& s : outline_) {
      // Side of each end: positive to the left of the line.
      const double d1 = dx * (s.y1 - ay) - dy * (s.x1 - ax);
      const double d2 = dx * (s.y2 - ay) - dy * (s.x2 - ax);
      if ((d1 > 0.0 && d2 > 0.0) || (d1 < 0.0 && d2 < 0.0)) continue;
      // Along the line: it never cuts, and its ends belong to its neighbours.
      if (d1 == 0.0 && d2 == 0.0) continue;
      double t;
      if (d1 == 0.0) {
        t = paramOf(s.x1, s.y1);
      } else if (d2 == 0.0) {
        t = paramOf(s.x2, s.y2);
      } else {
        const double f = d1 / (d1 - d2);
        t = paramOf(s.x1 + f * (s.x2 - s.x1), s.y1 + f * (s.y2 - s.y1));
      }
      if ((d1 > 0.0) != (d2 > 0.0)) crossings_.push_back(t);
      if (t >= -sameT && t <= 1.0 + sameT) cuts_.push_back(t);
    }
    std::sort(crossings_.begin(), crossings_.end());
    std::sort(cuts_.begin(), cuts_.end());

    params_.assign(1, 0.0);
    for (double t : cuts_) {
      if (t - params_.back() > sameT && 1.0 - t > sameT) params_.push_back(t);
    }
    params_.push_back(1.0);

    const auto inside = [&](double from, double to) {
      const double mid = (from + to) / 2.0;
      const auto beyond = crossings_.end() - std::upper_bound(crossings_.begin(), crossings_.end(), mid);
      return beyond % 2 == 1;
    };
    const auto xAt = [&](double t) { return t == 0.0 ? ax : t == 1.0 ? bx : ax + t * dx; };
    const auto yAt = [&](double t) { return t == 0.0 ? ay : t == 1.0 ? by : ay + t * dy; };

    if (params_.size() == 2) {
      if (inside(0.0, 1.0)) out.push_back(LineElement(pattern.x1, pattern.y1, pattern.x2, pattern.y2));
      return;
    }
    if (params_.size() == 3) {
      // One crossing: each inside piece runs from the crossing to its end,
      // the first end's piece first.
      const double c = params_[1];
      const double cx = xAt(c), cy = yAt(c);
      const bool firstInside = inside(0.0, c);
      const bool secondInside = inside(c, 1.0);
      const bool aInside = swapped ? secondInside : firstInside;
      const bool bInside = swapped ? firstInside : secondInside;
      if (aInside) out.push_back(LineElement(cx, cy, pattern.x1, pattern.y1));
      if (bInside) out.push_back(LineElement(cx, cy, pattern.x2, pattern.y2));
      return;
    }
    for (std::size_t i = 0; i + 1 < params_.size(); ++i) {
      const double from = params_[i], to = params_[i + 1];
      if (inside(from, to)) out.push_back(LineElement(xAt(from), yAt(from), xAt(to), yAt(to)));
    }
  }

 private:
  std::vector<Segment> outline_;
  std::vector<double> crossings_;  // the whole line's parity crossings
  std::vector<double> cuts_;       // crossings within the pattern line
  std::vector<double> params_;     // its ends and its merged cuts, in order
};

}  // namespace

void THachiZuobj::AddFigureLine(const RDrawElement& Element) {
  if (Element.Kind == kKindLine) {
    OutlineLines.push_back(Element);
    OutlineLines.back().Selection = 0;
    return;
  }
  if (Element.Kind != kKindArc) return;
  const double a = Element.Radius;
  const double b = Element.Radius * static_cast<double>(Element.Ratio);
  // A curve without extent has no chords (its points cannot be formed).
  if (!(std::abs(a) > 0.0) || !(std::abs(b) > 0.0) || !std::isfinite(a) || !std::isfinite(b)) return;
  const double s = Element.StartAngle;
  const double e = Element.EndAngle;
  const double sweep = e > s ? e - s : e + 360.0 - s;
  double px = 0.0, py = 0.0;
  EllipsePointAtAngle(px, py, s, Element.Rotation, a, b, Element.X1, Element.Y1);
  for (int i = 1; i <= kChords; ++i) {
    double x = 0.0, y = 0.0;
    EllipsePointAtAngle(x, y, s + i * sweep / kChords, Element.Rotation, a, b, Element.X1, Element.Y1);
    OutlineLines.push_back(LineElement(px, py, x, y));
    px = x;
    py = y;
  }
}

void THachiZuobj::AddBoundary(const RDrawElement& Element) {
  PatternLines.push_back(Element);
  PatternLines.back().Selection = 0;
}

void THachiZuobj::Run(double /*Angle*/, double Pitch, double /*Extra*/) {
  if (!(Pitch > 0.1)) {
    ShowToolMessage(J("ピッチを上げて下さい。"));
    return;
  }
  Elements.clear();
  std::vector<Segment> outline;
  outline.reserve(OutlineLines.size());
  for (const RDrawElement& e : OutlineLines) {
    const Segment s{e.X1, e.Y1, e.X2, e.Y2};
    if (Finite(s)) outline.push_back(s);
  }
  PatternClipper clipper(std::move(outline));
  for (const RDrawElement& e : PatternLines) clipper.Clip({e.X1, e.Y1, e.X2, e.Y2}, Elements);
}
