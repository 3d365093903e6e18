// Division by count and by pitch.

#include "tools/edit/division.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"
#include "tools/settings/default_settings.h"

namespace {

bool AllFiniteDivision(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// The line with its end nearer the pick first (the first end on a tie).
RBoundaryLine NearEndFirst(double x1, double y1, double x2, double y2, double px, double py) {
  if (PointDistance(x1, y1, px, py) > PointDistance(x2, y2, px, py)) return {x2, y2, x1, y1};
  return {x1, y1, x2, y2};
}

// Half the width of double result lines: the given width, or the setting
// (real mm) scaled by the group. A scale of 0 or less gives 0.
double HalfWidth(double width, double groupScale) {
  if (width > 0.0 && std::isfinite(width)) return width / 2.0;
  if (!(groupScale > 0.0)) return 0.0;
  const double d = ToolDefaults.DivisionWidth / groupScale / 2.0;
  return std::isfinite(d) ? d : 0.0;
}

RToolLine LineOf(const RPointPair& p) { return ToolLineOf(p.xa, p.ya, p.xb, p.yb); }

// The parallels at d to the right and to the left of a line; a line of zero
// length stays as it is.
void ParallelsOf(const RToolLine& line, double d, RPointPair& right, RPointPair& left) {
  right = {line.X1, line.Y1, line.X2, line.Y2};
  left = right;
  OffsetSegmentBothSides(line.X1, line.Y1, line.X2, line.Y2, d, d, right, left);
}

// The line itself, or its parallels at d right and then left.
void AppendSingleOrDouble(std::vector<RToolLine>& out, const RToolLine& line, double d, bool twoLines) {
  if (!twoLines) {
    out.push_back(line);
    return;
  }
  RPointPair right, left;
  ParallelsOf(line, d, right, left);
  out.push_back(LineOf(right));
  out.push_back(LineOf(left));
}

// The line from A + f (B - A) at both ends.
RToolLine Between(const RBoundaryLine& a, const RBoundaryLine& b, double f) {
  return ToolLineOf(a.X1 + f * (b.X1 - a.X1), a.Y1 + f * (b.Y1 - a.Y1), a.X2 + f * (b.X2 - a.X2),
                    a.Y2 + f * (b.Y2 - a.Y2));
}

// Whole steps of `pitch` in `length`, rounded up or down; 0 when the length
// is shorter than one pitch and when the quotient is not a finite number of
// at most the limit, so no conversion to an integer can overflow.
std::int32_t StepCount(double length, double pitch, bool roundUp) {
  if (length < pitch) return 0;
  const double q = length / pitch;
  if (!std::isfinite(q) || q < 0.0 || q > kMaxDivisionCount) return 0;
  return static_cast<std::int32_t>(roundUp ? std::ceil(q) : std::floor(q));
}

// The end gap e of mode 3: both ends of the gap get e, within [p/2, p).
double CentredEndGap(double length, double pitch) {
  const double q = length / pitch;
  return (q - std::floor(q) + 1.0) * pitch / 2.0;
}

}  // namespace

TKansuobj::TKansuobj(std::int32_t N, double AX1, double AY1, double AX2, double AY2, double BX1, double BY1, double BX2,
                     double BY2, float Ratio_, double PAX, double PAY, double PBX, double PBY, double GroupScale_,
                     bool SegmentMode, double Width_)
    : Count(N), Ratio(Ratio_), GroupScale(GroupScale_), Width(Width_) {
  if (SegmentMode) {
    LineA = {PAX, PAY, PAX, PAY + 1.0};
    LineB = {PBX, PBY, PBX, PBY + 1.0};
  } else {
    LineA = NearEndFirst(AX1, AY1, AX2, AY2, PAX, PAY);
    LineB = NearEndFirst(BX1, BY1, BX2, BY2, PBX, PBY);
  }
  if (!(Ratio > 0.0f) || !std::isfinite(Ratio)) Ratio = 1.0f;
  DivideLines();
}

void TKansuobj::DivideLines() {
  Results.clear();
  if (Count < 2 || Count > kMaxDivisionCount) return;
  if (!AllFiniteDivision({LineA.X1, LineA.Y1, LineA.X2, LineA.Y2, LineB.X1, LineB.Y1, LineB.X2, LineB.Y2})) return;
  const double d = HalfWidth(Width, GroupScale);
  const bool twoLines = d > 1e-6;
  RBoundaryLine a = LineA, b = LineB;
  if (twoLines) {
    RPointPair right{a.X1, a.Y1, a.X2, a.Y2}, left{b.X1, b.Y1, b.X2, b.Y2}, unused;
    OffsetSegmentBothSides(a.X1, a.Y1, a.X2, a.Y2, d, d, right, unused);
    OffsetSegmentBothSides(b.X1, b.Y1, b.X2, b.Y2, d, d, unused, left);
    a = {right.xa, right.ya, right.xb, right.yb};
    b = {left.xa, left.ya, left.xb, left.yb};
  }
  // A steep grading over many parts can overflow; such a division gives
  // nothing rather than lines at infinity.
  std::vector<double> fractions;
  fractions.reserve(static_cast<std::size_t>(Count - 1));
  for (std::int32_t i = 1; i < Count; ++i) {
    const double f = std::pow(static_cast<double>(Ratio), Count + 1 - i) * i / Count;
    if (!std::isfinite(f)) return;
    fractions.push_back(f);
  }
  for (double f : fractions) {
    // The right-hand parallel is the line itself for d = 0.
    RPointPair right, left;
    ParallelsOf(Between(a, b, f), d, right, left);
    Results.push_back(LineOf(right));
    if (twoLines) Results.push_back(LineOf(left));
  }
}

TKansupitchobj::TKansupitchobj(std::uint8_t Mode_, double AX1, double AY1, double AX2, double AY2, double BX1,
                               double BY1, double BX2, double BY2, double Pitch_, double PAX, double PAY, double PBX,
                               double PBY, double GroupScale_, bool SegmentMode_, double Width_)
    : Pitch(Pitch_ == 0.0 ? 100000.0 : Pitch_),
      Mode(Mode_),
      GroupScale(GroupScale_),
      SegmentMode(SegmentMode_),
      Width(Width_) {
  if (SegmentMode) {
    LineA = {PAX, PAY, PAX, PAY};
    LineB = {PBX, PBY, PBX, PBY};
    const double length = PointDistance(PAX, PAY, PBX, PBY);
    if (Mode <= 3) Count = StepCount(length, Pitch, Mode == 0);
    if (Count >= 2) DivideSegment();
    return;
  }
  LineA = NearEndFirst(AX1, AY1, AX2, AY2, PAX, PAY);
  LineB = NearEndFirst(BX1, BY1, BX2, BY2, PBX, PBY);
  if (Mode <= 1) {
    const double m = std::min(PointDistance(LineA.X1, LineA.Y1, LineB.X1, LineB.Y1),
                              PointDistance(LineA.X2, LineA.Y2, LineB.X2, LineB.Y2));
    Count = StepCount(m, Pitch, Mode == 0);
  } else if (Mode <= 3) {
    // Steps of the exact pitch must stay within the gap, so they count the
    // gap itself: end-to-end distances exceed it where the ends do not face
    // each other.
    Count = StepCount(GapToLineB(), Pitch, false);
  }
  if (Count >= 2) DivideBetweenLines();
}

double TKansupitchobj::GapToLineB() const {
  double fx = LineB.X1, fy = LineB.Y1;
  PerpendicularFoot(fx, fy, LineB.X1, LineB.Y1, LineB.X2, LineB.Y2, LineA.X1, LineA.Y1);
  return PointDistance(LineA.X1, LineA.Y1, fx, fy);
}

void TKansupitchobj::DivideSegment() {
  ResultPoints.clear();
  const double sx = LineA.X1, sy = LineA.Y1, ex = LineB.X1, ey = LineB.Y1;
  const double length = PointDistance(sx, sy, ex, ey);
  const double direction = DirectionAngleDeg(sx, sy, ex, ey);
  auto add = [this](double x, double y) {
    RToolPoint p;
    p.X = x;
    p.Y = y;
    ResultPoints.push_back(p);
  };
  auto addAlong = [&](double distance) {
    double x = 0.0, y = 0.0;
    PolarPoint(x, y, direction, distance, sx, sy);
    add(x, y);
  };
  switch (Mode) {
    case 0:
    case 1:
      for (std::int32_t i = 1; i < Count; ++i) {
        const double f = static_cast<double>(i) / Count;
        add(sx + f * (ex - sx), sy + f * (ey - sy));
      }
      break;
    case 2:
      for (std::int32_t i = 1; i <= Count; ++i) addAlong(i * Pitch);
      break;
    case 3: {
      const std::int32_t n = Count - 1;
      const double e = CentredEndGap(length, Pitch);
      for (std::int32_t i = 0; i <= n; ++i) addAlong(e + i * Pitch);
      break;
    }
    default: break;
  }
}

void TKansupitchobj::DivideBetweenLines() {
  ResultLines.clear();
  const double d = HalfWidth(Width, GroupScale);
  const bool twoLines = std::abs(d) > 1e-5;
  const RBoundaryLine& a = LineA;
  const RBoundaryLine& b = LineB;
  if (Mode <= 1) {
    for (std::int32_t i = 1; i < Count; ++i) {
      AppendSingleOrDouble(ResultLines, Between(a, b, static_cast<double>(i) / Count), d, twoLines);
    }
    return;
  }
  if (Mode > 3) return;
  // The side of A that faces B: the one-pitch parallel whose first point
  // lies nearer B's first point (the right-hand side on a tie).
  RPointPair right{a.X1, a.Y1, a.X2, a.Y2}, left = right;
  OffsetSegmentBothSides(a.X1, a.Y1, a.X2, a.Y2, Pitch, Pitch, right, left);
  const bool towardsLeft = PointDistance(left.xa, left.ya, b.X1, b.Y1) < PointDistance(right.xa, right.ya, b.X1, b.Y1);
  auto appendMoved = [&](double distance) {
    RPoint2D p1, p2;
    OffsetSegment(a.X1, a.Y1, a.X2, a.Y2, towardsLeft ? distance : -distance, p1, p2);
    AppendSingleOrDouble(ResultLines, ToolLineOf(p1.x, p1.y, p2.x, p2.y), d, twoLines);
  };
  const double gap = GapToLineB();
  if (Mode == 2) {
    for (std::int32_t i = 1; i <= Count; ++i) appendMoved(i * Pitch);
    return;
  }
  Count = StepCount(gap, Pitch, false) - 1;
  const double e = CentredEndGap(gap, Pitch);
  for (std::int32_t i = 0; i <= Count; ++i) appendMoved(e + i * Pitch);
}
