// Batch trim to a boundary, batch partial erase between two reference
// lines, and the cut of an arc between two points.

#include "tools/edit/batch_trim.h"

#include <cmath>
#include <utility>

#include "geometry/arcs_ellipses.h"
#include "geometry/intersections.h"

namespace {

constexpr double kFenceReach = 100000.0;
constexpr int kArcChords = 100;

// The fence acts as an infinite line: both ends pushed far out.
RPointPair ExtendedFence(double x1, double y1, double x2, double y2) {
  const double a = DirectionAngleDeg(x1, y1, x2, y2);
  RPointPair fence;
  PolarPoint(fence.xa, fence.ya, NormalizeAngle360(a + 180.0), kFenceReach, x1, y1);
  PolarPoint(fence.xb, fence.yb, a, kFenceReach, x2, y2);
  return fence;
}

bool FenceCrosses(const RPointPair& fence, double x1, double y1, double x2, double y2) {
  return SegmentsCross(fence.xa, fence.ya, fence.xb, fence.yb, x1, y1, x2, y2);
}

// Filled field by field where it stays: an item built aside and copied in
// at once is read back across the halves just written, which stalls the
// copy (a batch adds thousands).
void FillItem(RTrimItem& item, std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer,
              double X1, double Y1, double X2, double Y2) {
  item.LineType = LineType;
  item.ColorNo = Colour;
  item.Group = LayerGroup;
  item.Layer = Layer;
  item.X1 = X1;
  item.Y1 = Y1;
  item.X2 = X2;
  item.Y2 = Y2;
}

RTrimItem MakeItem(std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer, double X1,
                   double Y1, double X2, double Y2) {
  RTrimItem item;
  FillItem(item, LineType, Colour, LayerGroup, Layer, X1, Y1, X2, Y2);
  return item;
}

// The item's attribute bytes with new ends.
RTrimItem Piece(const RTrimItem& item, RPoint2D a, RPoint2D b) {
  return MakeItem(item.LineType, item.ColorNo, item.Group, item.Layer, a.x, a.y, b.x, b.y);
}

// The same, written where the piece stays.
void PutPiece(RTrimItem& out, const RTrimItem& item, RPoint2D a, RPoint2D b) {
  FillItem(out, item.LineType, item.ColorNo, item.Group, item.Layer, a.x, a.y, b.x, b.y);
}

double Distance(RPoint2D a, RPoint2D b) { return PointDistance(a.x, a.y, b.x, b.y); }

// Anticlockwise sweep from one direction to another, in [0, 360).
double Sweep(double fromDeg, double toDeg) {
  double d = std::fmod(toDeg - fromDeg, 360.0);
  if (d < 0.0) d += 360.0;
  return d;
}

}  // namespace

Tcommand_a::Tcommand_a(const RDrawElement& Boundary_, double X1, double Y1, double X2, double Y2)
    : Boundary(Boundary_) {
  const RDrawElement& b = Boundary;
  if (b.Kind == kKindLine) {
    BoundarySegments.push_back({b.X1, b.Y1, b.X2, b.Y2});
    ArcBoundary = 0;
  } else {
    if (b.Kind == kKindArc) {
      const std::vector<RPoint2D> points =
          ArcPoints(kArcChords, b.X1, b.Y1, b.Radius, b.Ratio, b.StartAngle, b.EndAngle, b.Rotation);
      for (std::size_t i = 1; i < points.size(); ++i) {
        BoundarySegments.push_back({points[i - 1].x, points[i - 1].y, points[i].x, points[i].y});
      }
    }
    ArcBoundary = 1;
  }
  Fence = ExtendedFence(X1, Y1, X2, Y2);
}

std::vector<RPoint2D> Tcommand_a::ArcPoints(int n, double CentreX, double CentreY, double Radius, double Ratio,
                                            double StartAngle, double EndAngle, double Rotation) {
  std::vector<RPoint2D> points(static_cast<std::size_t>(n) + 1);
  const double sweep = EndAngle > StartAngle ? EndAngle - StartAngle : EndAngle + 360.0 - StartAngle;
  for (int i = 0; i <= n; ++i) {
    const double t = sweep != 0.0 ? StartAngle + i * sweep / n : i * 360.0 / n;
    EllipsePointAtParam(points[i].x, points[i].y, t, Rotation, Radius, Radius * Ratio, CentreX, CentreY);
  }
  return points;
}

void Tcommand_a::AddItem(std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer,
                         double X1, double Y1, double X2, double Y2) {
  FillItem(Items.emplace_back(), LineType, Colour, LayerGroup, Layer, X1, Y1, X2, Y2);
  ++Count;
}

void Tcommand_a::Run() {
  Results.assign(1, RTrimItem{});
  for (int i = 1; i <= Count; ++i) {
    const RTrimItem& item = Items[i];
    if (BoundarySegments.empty()) {
      Results.push_back(item);
    } else if (ArcBoundary == 0) {
      TrimToLine(item, Results.emplace_back());
    } else {
      TrimToArc(item, Results.emplace_back());
    }
  }
}

void Tcommand_a::TrimToLine(const RTrimItem& item, RTrimItem& out) const {
  const RPointPair& b = BoundarySegments.front();
  RPoint2D x;
  if (!IntersectLines(x.x, x.y, b.xa, b.ya, b.xb, b.yb, item.X1, item.Y1, item.X2, item.Y2)) {
    out = item;
    return;
  }
  const RPoint2D p1{item.X1, item.Y1}, p2{item.X2, item.Y2};
  if (FenceCrosses(Fence, p1.x, p1.y, x.x, x.y)) {
    PutPiece(out, item, p1, x);
  } else {
    PutPiece(out, item, x, p2);
  }
}

void Tcommand_a::TrimToArc(const RTrimItem& item, RTrimItem& out) const {
  const RPoint2D p1{item.X1, item.Y1}, p2{item.X2, item.Y2};
  RPoint2D h1, h2;
  int hits = 0;
  for (const RPointPair& chord : BoundarySegments) {
    RPoint2D h;
    if (!IntersectLineSegment(h.x, h.y, p1.x, p1.y, p2.x, p2.y, chord.xa, chord.ya, chord.xb, chord.yb)) continue;
    (hits == 0 ? h1 : h2) = h;
    if (++hits == 2) break;
  }
  if (hits == 0) {
    out = item;
    return;
  }
  if (hits == 1) h2 = h1;
  // The crossings to end at: the chord hits, or on a circle the exact ones.
  RPoint2D e1 = h1, e2 = h2;
  const RDrawElement& b = Boundary;
  const double radius = b.Radius;
  if (std::abs(b.Ratio - 1.0) <= 0.001) {
    const RPointPair exact = IntersectLineCircle(p1.x, p1.y, p2.x, p2.y, b.X1, b.Y1, radius);
    const RPoint2D i1{exact.xa, exact.ya}, i2{exact.xb, exact.yb};
    if (hits == 2) {
      e1 = i1;
      e2 = i2;
    } else if (Distance(i1, h1) <= 0.3 * radius) {
      e1 = e2 = i1;
    } else if (Distance(i2, h1) <= 0.3 * radius) {
      e1 = e2 = i2;
    }
  }
  RPoint2D f = p1;
  IntersectLines(f.x, f.y, Fence.xa, Fence.ya, Fence.xb, Fence.yb, p1.x, p1.y, p2.x, p2.y);
  const bool oneSide =
      hits == 1 || std::abs(DirectionAngleDeg(f.x, f.y, h1.x, h1.y) - DirectionAngleDeg(f.x, f.y, h2.x, h2.y)) < 0.1;
  // Near and far by distance, chord hits as well as exact crossings: the
  // chord order says nothing about which side of the boundary a hit is on.
  const bool keepP1 = FenceCrosses(Fence, p1.x, p1.y, h1.x, h1.y) && FenceCrosses(Fence, p1.x, p1.y, h2.x, h2.y);
  const RPoint2D from = keepP1 ? p1 : p2;
  RPoint2D nearPoint = e1, farPoint = e2;
  if (Distance(from, e2) < Distance(from, e1)) std::swap(nearPoint, farPoint);
  if (!oneSide) {
    PutPiece(out, item, nearPoint, farPoint);
  } else if (keepP1) {
    PutPiece(out, item, p1, nearPoint);
  } else {
    PutPiece(out, item, nearPoint, p2);
  }
}

Tcommand_b::Tcommand_b(double R1X1, double R1Y1, double R1X2, double R1Y2, double R2X1, double R2Y1, double R2X2,
                       double R2Y2, double FX1, double FY1, double FX2, double FY2)
    : Reference1{R1X1, R1Y1, R1X2, R1Y2},
      Reference2{R2X1, R2Y1, R2X2, R2Y2},
      Fence(ExtendedFence(FX1, FY1, FX2, FY2)) {}

void Tcommand_b::AddItem(std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer,
                         double X1, double Y1, double X2, double Y2) {
  FillItem(Items.emplace_back(), LineType, Colour, LayerGroup, Layer, X1, Y1, X2, Y2);
  ++ItemCount;
}

void Tcommand_b::Run() {
  Results.assign(1, RTrimItem{});
  for (int i = 1; i <= ItemCount; ++i) {
    const RTrimItem& item = Items[i];
    const RPoint2D p1{item.X1, item.Y1}, p2{item.X2, item.Y2};
    RPoint2D x1, x2;
    const RPointPair& r1 = Reference1;
    const RPointPair& r2 = Reference2;
    if (!IntersectSegments(x1.x, x1.y, r1.xa, r1.ya, r1.xb, r1.yb, p1.x, p1.y, p2.x, p2.y) ||
        !IntersectSegments(x2.x, x2.y, r2.xa, r2.ya, r2.xb, r2.yb, p1.x, p1.y, p2.x, p2.y)) {
      Results.push_back(item);
      continue;
    }
    if (FenceCrosses(Fence, x1.x, x1.y, x2.x, x2.y)) {
      Results.push_back(Piece(item, x1, x2));
      continue;
    }
    // The outer parts stay; a reference through an end leaves no piece there.
    const bool secondFirst = Distance(p1, x1) >= Distance(p1, x2);
    const RPoint2D nearP1 = secondFirst ? x2 : x1, nearP2 = secondFirst ? x1 : x2;
    if (Distance(p1, nearP1) > 0.001) Results.push_back(Piece(item, nearP1, p1));
    if (Distance(p2, nearP2) > 0.001) Results.push_back(Piece(item, nearP2, p2));
  }
  ResultCount = static_cast<int>(Results.size()) - 1;
}

Tcommand_c::Tcommand_c(std::uint8_t Mode_, double X1, double Y1, double X2, double Y2)
    : Cut1{X1, Y1}, Cut2{X2, Y2}, Mode(Mode_) {}

void Tcommand_c::SetArc(std::uint8_t LineType, std::uint8_t Colour, std::uint8_t LayerGroup, std::uint8_t Layer,
                        double CentreX, double CentreY, double Radius, float AxisRatio, float StartAngle,
                        float EndAngle, float Rotation) {
  Arc.LineType = LineType;
  Arc.ColorNo = Colour;
  Arc.Group = LayerGroup;
  Arc.Layer = Layer;
  Arc.CentreX = CentreX;
  Arc.CentreY = CentreY;
  Arc.Radius = Radius;
  Arc.Ratio = AxisRatio;
  Arc.StartAngle = StartAngle;
  Arc.EndAngle = EndAngle;
  Arc.Rotation = Rotation;
}

void Tcommand_c::AddPiece(double startDeg, double endDeg) {
  RArcPiece piece = Arc;
  piece.StartAngle = static_cast<float>(startDeg);
  piece.EndAngle = static_cast<float>(endDeg);
  // Equal angles would read as the whole circle.
  if (piece.StartAngle == piece.EndAngle) return;
  Pieces.push_back(piece);
}

void Tcommand_c::Run() {
  Pieces.clear();
  LastPiece = -1;
  if (Mode > 1) return;
  const RArcPiece& arc = Arc;
  for (double v : {Cut1.x, Cut1.y, Cut2.x, Cut2.y, arc.CentreX, arc.CentreY, double{arc.StartAngle},
                   double{arc.EndAngle}, double{arc.Rotation}}) {
    if (!std::isfinite(v)) return;
  }
  double a0 = DirectionAngleDeg(arc.CentreX, arc.CentreY, Cut1.x, Cut1.y);
  double a1 = DirectionAngleDeg(arc.CentreX, arc.CentreY, Cut2.x, Cut2.y);
  if (arc.Ratio != 1.0f) {
    const double a = arc.Radius, b = arc.Radius * arc.Ratio;
    EllipseParamAngle(a0, a0, arc.Rotation, a, b, 0.0, 0.0, 0.0, 0.0);
    EllipseParamAngle(a1, a1, arc.Rotation, a, b, 0.0, 0.0, 0.0, 0.0);
  }
  // The cuts in the arc's own angles.
  double cut0 = NormalizeAngle360(a0 - arc.Rotation);
  double cut1 = NormalizeAngle360(a1 - arc.Rotation);
  const double start = arc.StartAngle, end = arc.EndAngle;
  const bool full = std::abs(start - end) < (Mode == 0 ? 1e-5 : 1e-4);
  if (Mode == 1 && Sweep(cut0, cut1) > 180.0) std::swap(cut0, cut1);
  // From here the sweep from cut0 anticlockwise to cut1 is removed.
  if (full) {
    Pieces.push_back(Arc);
    Pieces.back().StartAngle = static_cast<float>(cut1);
    Pieces.back().EndAngle = static_cast<float>(cut0);
  } else if (Mode == 0) {
    // One piece when the removed sweep holds the gap between the arc's end
    // and start, so that the rest lies on the arc; otherwise one piece on
    // either side of the removed part.
    const double removed = Sweep(cut0, cut1);
    const double toEnd = Sweep(cut0, end), toStart = Sweep(cut0, start);
    if (toEnd <= toStart && toStart <= removed) {
      AddPiece(cut1, cut0);
    } else {
      AddPiece(cut1, end);
      AddPiece(start, cut0);
    }
  } else {
    // The short removed part may reach past an end of the arc, or lie in
    // its gap: what is left of the arc is kept, never more.
    const double span = Sweep(start, end);
    const double from = Sweep(start, cut0);
    const double to = from + Sweep(cut0, cut1);
    if (from < span) {
      if (to < span) {
        AddPiece(cut1, end);
        AddPiece(start, cut0);
      } else if (to > 360.0 && to - 360.0 < from) {
        AddPiece(cut1, cut0);
      } else if (to <= 360.0) {
        AddPiece(start, cut0);
      }
    } else if (to > 360.0) {
      if (to - 360.0 < span) AddPiece(cut1, end);
    } else {
      AddPiece(start, end);
    }
  }
  LastPiece = static_cast<int>(Pieces.size()) - 1;
}
