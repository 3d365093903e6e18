// The outline against the view window: extents first, then the edges, then
// a ray from the window's top-right corner counts how often the outline
// winds around it.

#include "tools/edit/polygon_in_view.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"

namespace {

// The ray reaches this far to the right; drawings wider than that are not
// tested exactly.
constexpr double kRayLength = 80000.0;

}  // namespace

TZukeiHaninaiobj::TZukeiHaninaiobj(int width, double left, double bottom, double right, double top, int height,
                                   double angle)
    : Left(left), Bottom(bottom), Right(right), Top(top), Width(width), Height(height) {
  if (std::abs(angle) > 0) RotatedRectExtents(left, bottom, right, top, angle, Left, Bottom, Right, Top);
}

void TZukeiHaninaiobj::AddVertex(double x, double y) {
  Vertices.push_back({x, y});
  ++VertexCount;
}

void TZukeiHaninaiobj::Classify(double minX, double minY, double maxX, double maxY) {
  const double L = Left, B = Bottom, R = Right, T = Top;
  ScreenPolygon.clear();
  if (maxX <= L || maxY <= B || R <= minX || minY >= T) {
    Class = -1;
    return;
  }
  if (L <= minX && minX <= R && L <= maxX && maxX <= R && B <= minY && minY <= T && B <= maxY && maxY <= T) {
    Class = 0;
    return;
  }
  int crossings = 0;
  for (std::size_t i = 0; i + 1 < Vertices.size(); ++i) {
    const RViewVertex& a = Vertices[i];
    const RViewVertex& b = Vertices[i + 1];
    if (PointInRect(a.X, a.Y, L, B, R, T) || SegmentCrossesRectEdge(a.X, a.Y, b.X, b.Y, L, B, R, T)) {
      Class = 0;
      return;
    }
    double x = 0, y = 0;
    if (IntersectSegments(x, y, a.X, a.Y, b.X, b.Y, R, T, R + kRayLength, T)) ++crossings;
  }
  if (crossings % 2 == 1) {
    Class = 1;
    ScreenPolygon = {{0, 0}, {0, Height}, {Width, Height}, {Width, 0}};
  } else {
    Class = -1;
  }
}

void TZukeiHaninaiobj::Clear() {
  Vertices.clear();
  ScreenPolygon.clear();
  VertexCount = 0;
}
