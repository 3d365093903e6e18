// Styles 6 to 9 of the continuous-line tool: staircases, slatted panels,
// nested rectangles and crosses, and the corner finder every rectangle style
// uses.
//
// Styles 7 to 9 work on the rectangle whose diagonal is a segment and whose
// sides run at BaseAngle and BaseAngle + 90. Every style here counts the
// elements of the fixed segments in FixedElementCount, so that finishing
// keeps them and drops the moving segment's.

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/element_numbers.h"
#include "geometry/offsets_rects.h"
#include "tools/lines/continuous_line.h"
#include "tools/settings/default_settings.h"

namespace {

RDrawElement Line(RPoint2D a, RPoint2D b) { return LineElement(a.x, a.y, b.x, b.y); }

struct Corners {
  RPoint2D c1, c2;
};

Corners CornersOf(RPoint2D a, RPoint2D b, double angle) {
  Corners c{a, a};
  TRenzokuSenobj::BoxCorners(a.x, a.y, b.x, b.y, angle, c.c1.x, c.c1.y, c.c2.x, c.c2.y);
  return c;
}

}  // namespace

void TRenzokuSenobj::BoxCorners(double X1, double Y1, double X2, double Y2, double Angle, double& C1X, double& C1Y,
                                double& C2X, double& C2Y) {
  // C1: the foot of A on the side through B across Angle; when that side
  // has no direction (B and its turned point coincide), the foot of B on
  // the side through A along Angle.
  RPoint2D r = RotateAboutCentreExact(Angle, X2, Y2, X2, Y1);
  if (!PerpendicularFoot(C1X, C1Y, X2, Y2, r.x, r.y, X1, Y1)) {
    r = RotateAboutCentreExact(Angle, X1, Y1, X2, Y1);
    PerpendicularFoot(C1X, C1Y, X1, Y1, r.x, r.y, X2, Y2);
  }
  r = RotateAboutCentreExact(Angle, X1, Y1, X1, Y2);
  if (!PerpendicularFoot(C2X, C2Y, X1, Y1, r.x, r.y, X2, Y2)) {
    r = RotateAboutCentreExact(Angle, X2, Y2, X1, Y2);
    PerpendicularFoot(C2X, C2Y, X2, Y2, r.x, r.y, X1, Y1);
  }
}

void TRenzokuSenobj::StepPlan(double X1, double Y1, double X2, double Y2, double& Run, double& Rise, double& Nosing,
                              std::int32_t& Count) const {
  const double rise = DraftDefaults.StepRise / GroupScale;
  // A rise not above 0 would divide by zero: the segment is one step.
  Count = rise > 0.0 ? CountWithin(std::abs(Y2 - Y1) / rise + 0.9999, kMaxRepeatCount) : 0;
  if (Count == 0) Count = 1;
  Rise = (Y2 - Y1) / Count;
  Run = DraftDefaults.StepTread / GroupScale;
  Nosing = DraftDefaults.StepNosing / GroupScale;
  if (X2 - X1 < 0.0) {
    Run = -Run;
    Nosing = -Nosing;
  }
}

void TRenzokuSenobj::BuildSteps(double PX, double PY, double, double, double) {
  EndX = PX;
  EndY = PY;
  // Risers lean back by the nosing; treads run a whole StepTread each.
  double run = 0.0, rise = 0.0, nosing = 0.0;
  std::int32_t count = 1;
  auto steps = [&](double ax, double ay, double bx, double by) {
    StepPlan(ax, ay, bx, by, run, rise, nosing, count);
    for (std::int32_t k = 0; k < count; ++k) {
      const RPoint2D foot{ax + k * run, ay + k * rise};
      const RPoint2D top{foot.x - nosing, ay + (k + 1) * rise};
      Elements.push_back(Line(foot, top));
      Elements.push_back(Line(top, {ax + (k + 1) * run, ay + (k + 1) * rise}));
    }
  };
  const auto n = static_cast<std::size_t>(PointCount);
  Elements.clear();
  for (std::size_t j = 2; j <= n; ++j) {
    steps(PointX[j - 1], PointY[j - 1], PointX[j], PointY[j]);
    // The next staircase starts where this one's last tread begins.
    PointX[j] = PointX[j - 1] + (count - 1) * run;
    PointY[j] = PointY[j - 1] + count * rise;
  }
  if (n >= 2) FixedElementCount = static_cast<std::int32_t>(Elements.size());
  steps(PointX[n], PointY[n], PX, PY);
}

void TRenzokuSenobj::BuildTies(double PX, double PY, double BaseAngle, double, double SetLength) {
  const double pitch = DraftDefaults.TiePitch;
  auto n = static_cast<std::size_t>(PointCount);
  if (PointDistance(PointX[n], PointY[n], PX, PY) < 2.5 * pitch) return;
  if (n >= 2 && (PointDistance(PointX[n - 1], PointY[n - 1], PointX[n], PointY[n]) < 2.5 * pitch ||
                 (PointX[n] == 0.0 && PointY[n] == 0.0))) {
    RemoveLastPoint();
    return;
  }
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, 0.0, SetLength);
  // The ties of the rectangle a, b and then its outline up to the last tie;
  // returns S, the end of the last tie (b when none fits).
  auto panel = [&](RPoint2D a, RPoint2D b, double slack) {
    const Corners c = CornersOf(a, b, BaseAngle);
    const double height = PointDistance(a.x, a.y, c.c2.x, c.c2.y);
    const double dq = WrapAngle(DirectionAngleDeg(a.x, a.y, b.x, b.y) - BaseAngle);
    const double side = (dq > 0.0 && dq < 90.0) || (dq > 180.0 && dq < 270.0) ? 1.0 : -1.0;
    RPoint2D s = b;
    // A pitch not above 0 would never leave the loop: no ties then.
    const double limit = height - pitch + slack;
    const std::int32_t ties = pitch > 0.0 ? CountWithin(std::ceil(limit / pitch) + 1.0, kMaxRepeatCount) : 0;
    for (std::int32_t k = 1; k <= ties && (k - 1) * pitch < limit; ++k) {
      RPoint2D p1, p2;
      OffsetSegment(a.x, a.y, c.c1.x, c.c1.y, side * k * pitch, p1, p2);
      Elements.push_back(Line(p1, p2));
      s = p2;
    }
    const Corners o = CornersOf(a, s, BaseAngle);
    Elements.push_back(Line(a, o.c1));
    Elements.push_back(Line(a, o.c2));
    Elements.push_back(Line(s, o.c1));
    return s;
  };
  Elements.clear();
  if (n >= 2) {
    RPoint2D s{};
    for (std::size_t j = 2; j <= n; ++j) {
      s = panel({PointX[j - 1], PointY[j - 1]}, {PointX[j], PointY[j]}, 0.01);
    }
    // The next panel starts at the top of the last tie.
    PointX[n] = s.x;
    PointY[n] = s.y;
    FixedElementCount = static_cast<std::int32_t>(Elements.size());
  }
  panel({PointX[n], PointY[n]}, e, 0.0);
}

void TRenzokuSenobj::BuildBoxes(double PX, double PY, double BaseAngle, double, double SetLength) {
  const std::uint16_t repeat = DraftDefaults.RepeatCount;
  if (repeat == 0) return;
  const auto n = static_cast<std::size_t>(PointCount);
  if (PointDistance(PointX[n], PointY[n], PX, PY) < 0.00001) return;
  // repeat rectangles about the diagonal's centre, each next one smaller.
  auto boxes = [&](RPoint2D a, RPoint2D b) {
    const double w = PointDistance(a.x, a.y, b.x, b.y) / 2.0 / repeat;
    const double ab = WrapAngle(DirectionAngleDeg(a.x, a.y, b.x, b.y));
    const double ba = WrapAngle(DirectionAngleDeg(b.x, b.y, a.x, a.y));
    for (int k = 1; k <= repeat; ++k) {
      RPoint2D ak, bk;
      PolarPoint(ak.x, ak.y, ab, (k - 1) * w, a.x, a.y);
      PolarPoint(bk.x, bk.y, ba, (k - 1) * w, b.x, b.y);
      const Corners c = CornersOf(ak, bk, BaseAngle);
      Elements.push_back(Line(ak, c.c1));
      Elements.push_back(Line(ak, c.c2));
      Elements.push_back(Line(bk, c.c1));
      Elements.push_back(Line(bk, c.c2));
    }
  };
  Elements.clear();
  if (n == 1) {
    const RPoint2D start =
        StepOffsetPoint(false, StartX, StartY, PX, PY, BaseAngle, ToolDefaults.BoxStartSetBack / GroupScale);
    const RPoint2D end =
        StepOffsetPoint(true, StartX, StartY, PX, PY, BaseAngle, ToolDefaults.BoxEndSetBack / GroupScale);
    PointX[1] = start.x;
    PointY[1] = start.y;
    double dx = end.x - start.x, dy = end.y - start.y;
    RotateVector(dx, dy, -BaseAngle);
    // A fixed size reaches from the start towards the cursor, or is centred
    // on the start while the cursor is within half of it.
    auto reach = [](double size, double d, double& a, double& b) {
      a = 0.0;
      if (std::abs(size) <= 0.00001) {
        b = d;
      } else if (d >= size / 2) {
        b = size;
      } else if (d < -size / 2) {
        b = -size;
      } else if (d >= 0.0) {
        a = -size / 2;
        b = size / 2;
      } else {
        a = size / 2;
        b = -size / 2;
      }
    };
    double ax = 0.0, bx = 0.0, ay = 0.0, by = 0.0;
    reach(DraftDefaults.BoxWidth / GroupScale, dx, ax, bx);
    reach(DraftDefaults.BoxHeight / GroupScale, dy, ay, by);
    const RPoint2D a = RotateAboutCentreExact(BaseAngle, start.x, start.y, start.x + ax, start.y + ay);
    const RPoint2D b = RotateAboutCentreExact(BaseAngle, start.x, start.y, start.x + bx, start.y + by);
    EndX = b.x;
    EndY = b.y;
    boxes(a, b);
    return;
  }
  for (std::size_t j = 2; j <= n; ++j) boxes({PointX[j - 1], PointY[j - 1]}, {PointX[j], PointY[j]});
  FixedElementCount = static_cast<std::int32_t>(Elements.size());
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, 0.0, SetLength);
  boxes({PointX[n], PointY[n]}, e);
}

void TRenzokuSenobj::BuildCrosses(double PX, double PY, double BaseAngle, double, double SetLength) {
  BuildCrossesWithin(PX, PY, BaseAngle, SetLength, 0.0001);
}

bool TRenzokuSenobj::BuildCrossesWithin(double PX, double PY, double BaseAngle, double SetLength, double Tolerance) {
  const auto n = static_cast<std::size_t>(PointCount);
  if (PointDistance(PointX[n], PointY[n], PX, PY) < Tolerance) return false;
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, 0.0, SetLength);
  auto cross = [&](RPoint2D a, RPoint2D b) {
    const Corners c = CornersOf(a, b, BaseAngle);
    Elements.push_back(Line(a, b));
    Elements.push_back(Line(c.c1, c.c2));
  };
  Elements.clear();
  for (std::size_t j = 2; j <= n; ++j) cross({PointX[j - 1], PointY[j - 1]}, {PointX[j], PointY[j]});
  if (n >= 2) FixedElementCount = static_cast<std::int32_t>(Elements.size());
  cross({PointX[n], PointY[n]}, e);
  return true;
}
