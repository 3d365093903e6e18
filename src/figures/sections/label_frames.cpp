// Label frames: an ellipse or a regular polygon, alone or with one bar, two
// bars or four ticks, or a bracket open at the bottom. Paper sizes from the
// settings; every element has colour 0 and line type 0.

#include "figures/sections/rc_sections.h"
#include "geometry/angles_points.h"
#include "tools/settings/default_settings.h"

namespace {

// Distances from the centre, in units of the circumscribed radius, that the
// frame kinds use on a polygon frame of shapes 3 to 9.
struct RPolygonFrameDistances {
  double OneBar;    // bar half-length, kind 0
  double TwoBars;   // bar half-length, kind 4
  double SideTick;  // left and right tick
  double BottomTick;
  double TopTick;
};

constexpr RPolygonFrameDistances kPolygonFrameDistances[] = {
    {0.5193, 0.5193, 0.577, 0.5, 1},      // 3
    {0.6363, 0.54, 0.707, 0.707, 0.707},  // 4
    {0.7659, 0.72, 0.851, 0.809, 1},      // 5
    {0.9, 0.78, 1, 0.866, 0.866},         // 6
    {0.8316, 0.81, 0.924, 0.901, 1},      // 7
    {0.8316, 0.81, 0.924, 0.924, 0.924},  // 8
    {0.6363, 0.54, 1, 1, 1},              // 9, a square on its corner
};

// Shapes without a row (1, 2 and above 9) put everything at the radius.
RPolygonFrameDistances DistancesOfShape(std::uint8_t shape) {
  if (shape >= 3 && shape <= 9) return kPolygonFrameDistances[shape - 3];
  return {1, 1, 1, 1, 1};
}

}  // namespace

void TRCDanmenobj::AddPolygonFrame(double X, double Y) {
  const std::uint8_t shape = FirstData5.LabelFrameShape;
  const int n = shape == 9 ? 4 : shape;
  if (n <= 0) return;
  const double r = FirstData5.LabelSymbolHeight / 2;
  const double step = 360.0 / n;
  // The bottom side lies level; the square of shape 9 stands on a corner.
  const double first = NormalizeAngle360((shape == 9 ? 45.0 : 0.0) + 270.0 - step / 2);
  std::vector<RPoint2D> vertices;
  vertices.reserve(n);
  for (int i = 0; i < n; ++i) {
    vertices.push_back(RotateAboutCentreExact(NormalizeAngle360(first + i * step), X, Y, X + r, Y));
  }
  for (int i = 0; i < n; ++i) {
    const RPoint2D& a = vertices[i];
    const RPoint2D& b = vertices[(i + 1) % n];
    Append(LineElement(a.x, a.y, b.x, b.y));
  }
}

void TRCDanmenobj::MakeLabelFrame(std::uint8_t Kind, double X, double Y) {
  Clear();
  if (Kind > 4) return;
  const RFirstData5& d = FirstData5;
  const double a = d.LabelSymbolWidth / 2;
  const double b = d.LabelSymbolHeight / 2;
  const double r = b;
  const bool ellipse = d.LabelFrameShape == 0;
  auto line = [&](double x1, double y1, double x2, double y2) { Append(LineElement(x1, y1, x2, y2)); };
  auto addEllipse = [&] {
    RDrawElement e = CircularArcElement(X, Y, a);
    // A frame of no width is a point, not an infinite axis ratio.
    e.Ratio = static_cast<float>(a != 0.0 ? b / a : 1.0);
    Append(e);
  };
  if (Kind == 3) {
    line(X - a / 2, Y, X + a / 2, Y);
    line(X - a / 2, Y, X - a / 2, Y - b);
    line(X + a / 2, Y, X + a / 2, Y - b);
    return;
  }
  if (!ellipse) AddPolygonFrame(X, Y);
  const RPolygonFrameDistances dist = DistancesOfShape(d.LabelFrameShape);
  switch (Kind) {
    case 0: {
      const double half = ellipse ? 0.9 * a : dist.OneBar * r;
      line(X - half, Y, X + half, Y);
      break;
    }
    case 2: {
      const double t1 = d.LabelTickLength1 / 2;
      const double t2 = d.LabelTickLength2 / 2;
      const double side = ellipse ? a : dist.SideTick * r;
      const double bottom = ellipse ? b : dist.BottomTick * r;
      const double top = ellipse ? b : dist.TopTick * r;
      line(X - side - t2, Y, X - side + t2, Y);
      line(X + side - t2, Y, X + side + t2, Y);
      // Only the part of the bottom tick outside the frame follows the first
      // tick length.
      line(X, Y - bottom - t1, X, Y - bottom + t2);
      line(X, Y + top - t2, X, Y + top + t2);
      break;
    }
    case 4: {
      const double half = ellipse ? 0.9 * a : dist.TwoBars * r;
      line(X - half, Y + b / 3, X + half, Y + b / 3);
      line(X - half, Y - b / 3, X + half, Y - b / 3);
      break;
    }
    default: break;
  }
  if (ellipse) addEllipse();
}
