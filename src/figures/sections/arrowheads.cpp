// Arrowheads, kinds 110 to 112: open, closed, or notched with a back bent in
// towards the tip. No box: the arrow is built about the base point.

#include <vector>

#include "figures/sections/section_generator.h"
#include "geometry/angles_points.h"
#include "geometry/intersections.h"
#include "tools/settings/default_settings.h"

void TBuzaidanmenobj::MakeArrowhead(std::int32_t Which) {
  OffsetX = 0.0;
  OffsetY = 0.0;
  // Pointing along +x with the tip at the origin.
  double p1x = 0.0, p1y = 0.0, p2x = 0.0, p2y = 0.0;
  PolarPoint(p1x, p1y, NormalizeAngleUpTo360(D2 + 180.0), D1, 0.0, 0.0);
  PolarPoint(p2x, p2y, NormalizeAngleUpTo360(180.0 - D2), D1, 0.0, 0.0);
  std::vector<RDrawElement> lines{LineElement(0, 0, p1x, p1y), LineElement(0, 0, p2x, p2y)};
  if (Which == 1) {
    lines.push_back(LineElement(p1x, p1y, p2x, p2y));
  } else if (Which == 2) {
    // The notch directions are fixed, whatever the half-angle.
    double d1x = 0.0, d1y = 0.0, d2x = 0.0, d2y = 0.0;
    PolarPoint(d1x, d1y, 80.0, 1.0, p1x, p1y);
    PolarPoint(d2x, d2y, 280.0, 1.0, p2x, p2y);
    double qx = p1x, qy = p1y;
    IntersectLines(qx, qy, p1x, p1y, d1x, d1y, p2x, p2y, d2x, d2y);
    lines.push_back(LineElement(p1x, p1y, qx, qy));
    lines.push_back(LineElement(p2x, p2y, qx, qy));
  }
  for (RDrawElement& e : lines) {
    e.X1 = e.X1 - D3;
    e.X2 = e.X2 - D3;
  }
  if (ToolDefaults.ArrowheadOption != 0) Angle = NormalizeAngleUpTo360(Angle + 180.0);
  PlaceLocalFigure(std::move(lines));
}
