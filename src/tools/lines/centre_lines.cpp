// Styles 6 and 8 of the chained-dimension tool, between two picked things:
// centre lines (single, several, or double with end lines) and a width
// leader, two converging leaders joined by a bridge carrying the width.

#include <algorithm>
#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"
#include "tools/lines/centre_line.h"
#include "tools/lines/chained_dimension.h"
#include "tools/settings/default_settings.h"

namespace {

// More centre lines than a drawing can use: a ratio step this fine draws
// no more than these.
constexpr int kMaxCentreLines = 100000;
constexpr int kWidthLeaderEntries = 8;

RPoint2D FootOnCentre(TCyuusinzaobj& c, double x, double y) {
  c.FootOnCentreLine(x, y);
  return {c.FootX, c.FootY};
}

}  // namespace

void TRenSunpoSenobj::BuildCentreLines(double PX, double PY) {
  if (CursorOnLastPoint(PX, PY, 0.00001)) return;
  const RToolDefaults& s = ToolDefaults;
  const double t0 = s.Chain6Size;
  if (t0 == 0.0) return;
  int n = 1;
  const double lines = 1.0 / (t0 + 0.001);
  if (s.Chain6Option1 != 0 && std::isfinite(lines)) {
    n = static_cast<int>(std::clamp(std::floor(lines), 1.0, static_cast<double>(kMaxCentreLines)));
  }
  const double w = s.DivisionWidth / GroupScale;
  if (PointCount == 1) {
    ClearResult();
    return;
  }
  if (PointCount > 3) return;
  TCyuusinzaobj centre(Picks[1], PointX[1], PointY[1], PointX[2], PointY[2], Picks[2]);
  if (PointCount == 2) {
    centre.Compute(t0);
    const RPoint2D start = FootOnCentre(centre, PointX[1], PointY[1]);
    const RPoint2D end = FootOnCentre(centre, PX, PY);
    GuideStartX = start.x;
    GuideStartY = start.y;
    GuideEndX = end.x;
    GuideEndY = end.y;
    return;
  }
  if (!std::isfinite(w)) return;
  Elements.clear();
  LastIndex = -1;
  for (int k = 1; k <= n; ++k) {
    centre.Compute(k * t0);
    const RPoint2D a = FootOnCentre(centre, PointX[3], PointY[3]);
    const RPoint2D b = FootOnCentre(centre, PX, PY);
    if (!(std::fabs(w) >= 0.000001)) {
      Elements.push_back(LineElement(a.x, a.y, b.x, b.y));
      continue;
    }
    RPointPair right{a.x, a.y, b.x, b.y}, left = right;
    OffsetSegmentBothSides(a.x, a.y, b.x, b.y, w / 2, w / 2, right, left);
    Elements.push_back(LineElement(right.xa, right.ya, right.xb, right.yb));
    Elements.push_back(LineElement(left.xa, left.ya, left.xb, left.yb));
    if (s.Chain6Option2 != 0) {
      Elements.push_back(LineElement(right.xa, right.ya, left.xa, left.ya));
      Elements.push_back(LineElement(right.xb, right.yb, left.xb, left.yb));
    }
  }
}

void TRenSunpoSenobj::ConvergeLeader(double& Px, double& Py, double X1, double Y1, double X2, double Y2, double Turn,
                                     double& Qx, double& Qy) {
  const double a1 = DirectionAngleDeg(X1, Y1, Qx, Qy);
  const double a3 = DirectionAngleDeg(Px, Py, Qx, Qy);
  const double bound = std::fabs(Turn + 3.0);
  double kx = X1, ky = Y1, a = a1;
  if (std::fabs(a1 - a3) > bound && std::fabs(a1 - a3 - 360.0) > bound) {
    kx = X2;
    ky = Y2;
    a = DirectionAngleDeg(X2, Y2, Qx, Qy);
  }
  const double ray = NormalizeAngle(a + Turn);
  const double dp = PointDistance(kx, ky, Px, Py), dq = PointDistance(kx, ky, Qx, Qy);
  PolarPoint(Px, Py, ray, dp, kx, ky);
  PolarPoint(Qx, Qy, ray, dq, kx, ky);
}

void TRenSunpoSenobj::BuildWidthLeader(double PX, double PY) {
  if (CursorOnLastPoint(PX, PY)) return;
  if (PointCount == 1) {
    ClearResult();
    return;
  }
  if (PointCount != 3) return;
  const double d = PointDistance(PointX[1], PointY[1], PointX[2], PointY[2]);
  if (LastIndex == -1 || Texts.empty()) {
    LastIndex = 0;
    Elements.assign(kWidthLeaderEntries, ZeroElement());
    Texts.push_back(LengthText(d * GroupScale));
    return;
  }
  if (Elements.size() < kWidthLeaderEntries) Elements.resize(kWidthLeaderEntries, ZeroElement());
  const RFirstData11& f = FirstData11;
  TCyuusinzaobj centre(Picks[1], PointX[1], PointY[1], PointX[2], PointY[2], Picks[2]);
  centre.Compute(0.5);
  centre.FeetOnOffsetLines(PointX[3], PointY[3]);
  const RPoint2D r3{centre.RightFootX, centre.RightFootY}, l3{centre.LeftFootX, centre.LeftFootY};
  centre.FeetOnOffsetLines(PX, PY);
  const RPoint2D rc{centre.RightFootX, centre.RightFootY}, lc{centre.LeftFootX, centre.LeftFootY};
  // Turn the leaders towards each other; when that spreads their cursor
  // ends wider than the width, the other way.
  const auto converge = [&](double turn, RPoint2D& rp, RPoint2D& rq, RPoint2D& lp, RPoint2D& lq) {
    rp = r3, rq = rc, lp = l3, lq = lc;
    ConvergeLeader(rp.x, rp.y, PointX[1], PointY[1], PointX[2], PointY[2], turn, rq.x, rq.y);
    ConvergeLeader(lp.x, lp.y, PointX[1], PointY[1], PointX[2], PointY[2], -turn, lq.x, lq.y);
  };
  const double delta = f.Chain9Size1;
  RPoint2D rp, rq, lp, lq;
  converge(delta, rp, rq, lp, lq);
  const bool reversed = PointDistance(rq.x, rq.y, lq.x, lq.y) > d;
  if (reversed) converge(-delta, rp, rq, lp, lq);
  Elements[0] = LineElement(rp.x, rp.y, rq.x, rq.y);
  Elements[1] = LineElement(lp.x, lp.y, lq.x, lq.y);
  Elements[2] = LineElement(rq.x, rq.y, lq.x, lq.y);
  std::string& text = Texts.back();
  if (f.Chain8Option2 == 0) {
    text.clear();
  } else if (f.Chain8Option2 == 1) {
    text = LengthText(d * GroupScale);
  } else if (!f.Chain9Text.empty()) {
    text = f.Chain9Text;
  }
  const std::uint8_t mode = f.Chain8Option1;
  if (mode > 3) return;
  RDrawElement r1 = ZeroElement(), r2 = ZeroElement(), l1 = ZeroElement(), l2 = ZeroElement();
  ArrowheadAtLineEnd(Elements[0], r1, r2);
  ArrowheadAtLineEnd(Elements[1], l1, l2);
  std::uint8_t style = f.Chain9TextStyle;
  if (mode == 0) {
    std::fill(Elements.begin() + 3, Elements.begin() + 7, ZeroElement());
    style = DimensionDefaults.DimTextStyle;
  } else if (mode == 1) {
    Elements[3] = r1;
    Elements[5] = r2;
    Elements[6] = l1;
    Elements[4] = l2;
  } else {
    Elements[5] = Elements[6] = ZeroElement();
    const bool firstOnRight = reversed == (mode == 2);
    Elements[3] = firstOnRight ? r1 : r2;
    Elements[4] = firstOnRight ? l2 : l1;
  }
  const double angle = DirectionAngleDeg(PointX[1], PointY[1], PointX[2], PointY[2]);
  MakeText(Elements[7], text, (rq.x + lq.x) / 2, (rq.y + lq.y) / 2, angle, static_cast<std::uint16_t>(Texts.size() - 1),
           1, style, 0);
}
