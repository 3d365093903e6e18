// The area-measuring outline.

#include "tools/edit/area_measuring.h"

#include <algorithm>
#include <cmath>

#include "geometry/arcs_ellipses.h"

namespace {

// Start and end angles closer than this count as one direction.
constexpr double kSameAngle = 1e-6;

double DirectionFromCentreAreaMeasuring(const RDrawElement& arc, double x, double y) {
  return NormalizeAngleUpTo360(DirectionAngleDeg(arc.X1, arc.Y1, x, y));
}

ROutlinePoint Vertex(double x, double y, std::uint8_t arcFlag) {
  ROutlinePoint v;
  v.X = x;
  v.Y = y;
  v.PenDown = 1;
  v.ArcFlag = arcFlag;
  return v;
}

}  // namespace

TSokuteiMenobj::TSokuteiMenobj() : PendingArc(ZeroElement()) {}

void TSokuteiMenobj::Clear() {
  Vertices.clear();
  VertexCount = 0;
}

void TSokuteiMenobj::AddArc(const RDrawElement& E, double X, double Y) {
  if (E.Kind != kKindArc || Vertices.empty()) return;
  if (!std::isfinite(X) || !std::isfinite(Y) || !std::isfinite(E.X1) || !std::isfinite(E.Y1) ||
      !std::isfinite(E.Radius) || !std::isfinite(E.Ratio) || E.Radius == 0.0 || E.Ratio == 0.0f) {
    return;
  }
  PendingArc = E;
  ArcPending = true;
  PickDirection = DirectionFromCentreAreaMeasuring(E, X, Y);
}

void TSokuteiMenobj::AddPoint(double X, double Y, double Scale) {
  if (!std::isfinite(X) || !std::isfinite(Y) || !std::isfinite(Scale)) return;
  const bool endsArc = ArcPending;
  Vertices.push_back(Vertex(X, Y, 0));
  if (endsArc) {
    AddArcVertices();
    ArcPending = false;
  }
  VertexCount = static_cast<std::int32_t>(Vertices.size());
  GroupScale = Scale;
  std::vector<RPoint2D> real;
  real.reserve(Vertices.size());
  for (const ROutlinePoint& v : Vertices) real.push_back({ToReal(v.X), ToReal(v.Y)});
  if (!endsArc) {
    LastOffsetX = real.back().x - real.front().x;
    LastOffsetY = real.back().y - real.front().y;
  }
  ComputeProperties(real);
}

void TSokuteiMenobj::AddArcVertices() {
  // The arc needs the vertex it starts from; without one Q simply stays.
  if (Vertices.size() < 2) return;
  const ROutlinePoint q = Vertices.back();
  const ROutlinePoint p = Vertices[Vertices.size() - 2];
  const double aP = DirectionFromCentreAreaMeasuring(PendingArc, p.X, p.Y);
  const double aQ = DirectionFromCentreAreaMeasuring(PendingArc, q.X, q.Y);
  const double phi = PickDirection;
  // The anticlockwise sweep from start to end must hold the pick.
  double start = PendingArc.StartAngle;
  double end = PendingArc.EndAngle;
  if (aP < aQ) {
    if (aP < phi && phi < aQ) {
      start = aP;
      end = aQ;
    } else if ((aQ < phi && phi <= 360.0) || (0.0 <= phi && phi < aP)) {
      start = aQ;
      end = aP;
    }
  } else if (aP - aQ >= kSameAngle) {
    if ((aP < phi && phi < 360.0) || (0.0 < phi && phi < aQ)) {
      start = aP;
      end = aQ;
    } else if (aQ < phi && phi < aP) {
      start = aQ;
      end = aP;
    }
  } else {
    start = aP;
    end = aP;
  }
  ArcSamples samples;
  SampleArc(samples, kArcSteps, PendingArc.X1, PendingArc.Y1, PendingArc.Radius, PendingArc.Ratio, start, end,
            PendingArc.Rotation);
  const RPoint2D& first = samples.front();
  const RPoint2D& last = samples.back();
  const bool forward = PointDistance(p.X, p.Y, first.x, first.y) < PointDistance(p.X, p.Y, last.x, last.y);
  if (!forward) std::reverse(samples.begin(), samples.end());
  Vertices.pop_back();
  for (const RPoint2D& s : samples) Vertices.push_back(Vertex(s.x, s.y, 1));
}

void TSokuteiMenobj::SampleArc(ArcSamples& Points, int N, double CX, double CY, double Radius, double AxisRatio,
                               double StartAngle, double EndAngle, double Rotation) {
  N = std::clamp(N, 1, kArcSteps);
  const double sweep = EndAngle > StartAngle ? EndAngle - StartAngle : EndAngle + 360.0 - StartAngle;
  for (int k = 0; k <= N; ++k) {
    RPoint2D& point = Points[static_cast<std::size_t>(k)];
    point = {CX, CY};
    EllipsePointAtAngle(point.x, point.y, StartAngle + k * sweep / N, Rotation, Radius, Radius * AxisRatio, CX, CY);
  }
}

void TSokuteiMenobj::ComputeProperties(const std::vector<RPoint2D>& Real) {
  Length = 0.0;
  const std::size_t n = Real.size();
  if (n < 2) {
    Area = 0.0;
    CentroidOffsetX = 0.0;
    CentroidOffsetY = 0.0;
    return;
  }
  double areaSum = 0.0;
  double sumAboutX = 0.0;
  double sumAboutY = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t j = i + 1 < n ? i + 1 : 0;
    const RPoint2D& a = Real[i];
    const RPoint2D& b = Real[j];
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    areaSum += (b.x * a.y - a.x * b.y) / 2.0;
    sumAboutX += (a.y * a.y + dy * (2.0 * a.y + b.y) / 3.0) * dx / 2.0;
    sumAboutY += (a.x * a.x + dx * (2.0 * a.x + b.x) / 3.0) * dy * (-0.5);
    if (j != 0) Length += PointDistance(a.x, a.y, b.x, b.y);
  }
  if (areaSum == 0.0) {
    Area = 0.0;
    return;
  }
  Area = areaSum;
  MomentX = sumAboutX;
  MomentY = sumAboutY;
  CentroidOffsetX = sumAboutY / Area - Real[0].x;
  CentroidOffsetY = sumAboutX / Area - Real[0].y;
  CentroidX = Real[0].x + CentroidOffsetX;
  CentroidY = Real[0].y + CentroidOffsetY;
}
