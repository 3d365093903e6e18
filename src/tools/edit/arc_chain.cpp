// Chains of three-point arcs.

#include "tools/edit/arc_chain.h"

#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "tools/edit/curve_elements.h"

bool TRenzokuKoobj::ComputeArc(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  double cx = 0.0, cy = 0.0, r = 0.0;
  if (!Circumcircle({X1, Y1}, {X2, Y2}, {X3, Y3}, cx, cy, r)) return false;
  const double g = DirectionAngleDeg(cx, cy, X1, Y1);
  const double h = DirectionAngleDeg(cx, cy, X3, Y3);
  const double l = DirectionAngleDeg(cx, cy, X2, Y2);
  // The element always runs anticlockwise from start to end, so the two
  // ends change places when that way round would miss the through point.
  const bool lExtreme = (l >= g && l >= h) || (l <= g && l <= h);
  const bool keep = (g <= l && l <= h) || (lExtreme && g > h);
  ArcPreview = CurveArcElement(cx, cy, r, keep ? g : h, keep ? h : g);
  return true;
}

void TRenzokuKoobj::PreviewArc(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  ComputeArc(X1, Y1, X2, Y2, X3, Y3);
}

bool TRenzokuKoobj::AddArc(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
  // Appending the stale preview would commit an arc the user never drew.
  if (!ComputeArc(X1, Y1, X2, Y2, X3, Y3)) return false;
  ArcPoints.push_back({X1, Y1, X2, Y2});
  Elements.push_back(ArcPreview);
  ++ArcCount;
  return true;
}

void TRenzokuKoobj::Clear() {
  Elements.clear();
  Elements.shrink_to_fit();
  ArcPoints.clear();
  ArcPoints.shrink_to_fit();
  ArcCount = 0;
}
