// The centre line between two picked things.

#include "tools/lines/centre_line.h"

#include "geometry/angles_points.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"

namespace {

bool IsCircle(const RDrawElement& e) { return e.Kind == kKindArc; }

// The direction turned a quarter turn, kept within one turn.
double Square(double a) { return a >= 90.0 ? a - 90.0 : a + 90.0; }

RPoint2D Between(RPoint2D a, RPoint2D b, double t) { return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; }

// The foot of P on the line of e; a line of two equal points has no
// perpendicular, so its point stands in for the foot.
RPoint2D FootOnElement(const RDrawElement& e, RPoint2D p) {
  RPoint2D f{e.X1, e.Y1};
  PerpendicularFoot(f.x, f.y, e.X1, e.Y1, e.X2, e.Y2, p.x, p.y);
  return f;
}

// The point of circle c seen from its centre towards P.
RPoint2D Facing(const RDrawElement& c, RPoint2D p) {
  RPoint2D q;
  PolarPoint(q.x, q.y, NormalizeAngleUpTo360(DirectionAngleDeg(c.X1, c.Y1, p.x, p.y)), c.Radius, c.X1, c.Y1);
  return q;
}

RPoint2D CentreOf(const RDrawElement& c) { return {c.X1, c.Y1}; }

double Direction(RPoint2D a, RPoint2D b) { return DirectionAngleDeg(a.x, a.y, b.x, b.y); }

// A free point and one picked element: between the point and the circle's
// point facing it (ratio 0 at the circle when it was picked first), or
// between the point and its foot on the line (ratio 0 at the point).
void PointAndElement(RPoint2D free, const RDrawElement& e, bool circleFirst, double t, RPoint2D& m, double& direction) {
  if (IsCircle(e)) {
    const RPoint2D q = Facing(e, free);
    m = circleFirst ? Between(q, free, t) : Between(free, q, t);
    direction = Square(Direction(free, q));
  } else {
    const RPoint2D f = FootOnElement(e, free);
    m = Between(free, f, t);
    direction = Direction(free, f) + 90.0;
  }
}

}  // namespace

TCyuusinzaobj::TCyuusinzaobj(const RDimensionPick& Pick1, double X1, double Y1, double X2, double Y2,
                             const RDimensionPick& Pick2)
    : Element1(Pick1.Element), Element2(Pick2.Element), Point1X(X1), Point1Y(Y1), Point2X(X2), Point2Y(Y2) {
  const bool first = Pick1.Found != 0, second = Pick2.Found != 0;
  Mode = first ? (second ? 1 : 3) : (second ? 2 : 4);
}

void TCyuusinzaobj::SetLine(double MX, double MY, double Direction) {
  CentreX = MX;
  CentreY = MY;
  DirX = MX + 100.0;
  DirY = MY;
  RotateAboutCentre(DirX, DirY, Direction, MX, MY);
}

void TCyuusinzaobj::Compute(double Ratio) {
  const double t = Ratio;
  const RDrawElement& e1 = Element1;
  const RDrawElement& e2 = Element2;
  const RPoint2D p1{Point1X, Point1Y}, p2{Point2X, Point2Y};
  RPoint2D m;
  double direction = 0.0;
  switch (Mode) {
    case 1:
      if (IsCircle(e1) && IsCircle(e2)) {
        const RPoint2D a = Facing(e1, CentreOf(e2)), b = Facing(e2, CentreOf(e1));
        m = Between(a, b, t);
        direction = Square(Direction(a, b));
      } else if (IsCircle(e2)) {
        const RPoint2D f = FootOnElement(e1, CentreOf(e2)), b = Facing(e2, f);
        m = Between(f, b, t);
        direction = Square(Direction(b, f));
      } else if (IsCircle(e1)) {
        const RPoint2D f = FootOnElement(e2, CentreOf(e1)), a = Facing(e1, f);
        m = Between(a, f, t);
        direction = Square(Direction(a, f));
      } else {
        const RPoint2D f1 = FootOnElement(e1, p1), f2 = FootOnElement(e2, p2);
        double ix = 0.0, iy = 0.0;
        bool collinear = false;
        if (IntersectLinesOrCollinearEps1e2(ix, iy, collinear, e1.X1, e1.Y1, e1.X2, e1.Y2, e2.X1, e2.Y1, e2.X2,
                                            e2.Y2) &&
            !collinear) {
          m = {ix, iy};
          const double th1 = Direction(m, f1), th2 = Direction(m, f2);
          double delta = th1 - th2;
          // The smaller turn from the second foot's side to the first's.
          if (delta < -180.0) delta += 360.0;
          if (delta > 180.0) delta -= 360.0;
          direction = th1 - t * delta;
        } else {
          const RPoint2D p{e1.X1, e1.Y1};
          m = Between(p, FootOnElement(e2, p), t);
          direction = DirectionAngleDeg(e1.X1, e1.Y1, e1.X2, e1.Y2);
        }
      }
      break;
    case 2: PointAndElement(p1, e2, false, t, m, direction); break;
    case 3: PointAndElement(p2, e1, true, t, m, direction); break;
    default: m = Between(p1, p2, t); direction = Square(Direction(p1, p2));
  }
  SetLine(m.x, m.y, direction);
}

void TCyuusinzaobj::FootOnCentreLine(double X, double Y) {
  FootX = X;
  FootY = Y;
  PerpendicularFoot(FootX, FootY, CentreX, CentreY, DirX, DirY, X, Y);
}

void TCyuusinzaobj::FeetOnOffsetLines(double X, double Y) {
  const double half = PointDistance(Point1X, Point1Y, Point2X, Point2Y) / 2.0;
  RPointPair right, left;
  OffsetSegmentBothSides(CentreX, CentreY, DirX, DirY, half, half, right, left);
  RightFootX = LeftFootX = X;
  RightFootY = LeftFootY = Y;
  PerpendicularFoot(RightFootX, RightFootY, right.xa, right.ya, right.xb, right.yb, X, Y);
  PerpendicularFoot(LeftFootX, LeftFootY, left.xa, left.ya, left.xb, left.yb, X, Y);
}
