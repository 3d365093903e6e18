#pragma once
// The pixel rules of the drawing surface, free of any window system: which
// pixels a thin line, a filled polygon, an ellipse ring or an arc covers.
// Every shape reports horizontal runs of pixels [X0, X1) row by row, only
// inside a bounding box, so coordinates far outside the surface cost no more
// than the visible part. Coordinates are pixel indices, y downwards.

#include <cstdint>
#include <functional>
#include <vector>

struct RasterPointD {
  double X = 0.0;
  double Y = 0.0;
};

// Half-open pixel box [Left, Right) x [Top, Bottom).
struct RasterBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

using RasterSpanSink = std::function<void(int y, int x0, int x1)>;
using RasterPixelSink = std::function<void(int x, int y)>;

// Polygon fill rules.
enum class RasterFillRule { Alternate, Winding };

// A one-pixel line from (x0, y0) towards (x1, y1) without its final pixel;
// every pixel once, in drawing order, only those inside the box.
void RasterThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const RasterBox& box, const RasterPixelSink& pixel);

// The same for any callable sink; the redraw of large drawings calls it
// once per line, so the walk keeps to integer steps.
template <class Sink>
void RasterThinLineWith(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const RasterBox& box, Sink&& pixel) {
  const int64_t dx = x1 - x0;
  const int64_t dy = y1 - y0;
  if (dx == 0 && dy == 0) return;
  const int64_t adx = dx < 0 ? -dx : dx;
  const int64_t ady = dy < 0 ? -dy : dy;
  // Walk the major axis; the minor coordinate is the exact one rounded (half
  // up), so a line clipped to the box puts its visible pixels where the whole
  // line would.
  const bool xMajor = adx > ady;
  const int64_t major = xMajor ? adx : ady;
  const int64_t minor = xMajor ? ady : adx;
  const int64_t m0 = xMajor ? x0 : y0;
  const int64_t n0 = xMajor ? y0 : x0;
  const int64_t sm = xMajor ? (dx < 0 ? -1 : 1) : (dy < 0 ? -1 : 1);
  const int64_t sn = xMajor ? (dy < 0 ? -1 : 1) : (dx < 0 ? -1 : 1);
  const int64_t boxLo = xMajor ? box.Left : box.Top;
  const int64_t boxHi = xMajor ? box.Right : box.Bottom;
  int64_t iLo = 0;
  int64_t iHi = major;
  if (sm > 0) {
    iLo = iLo > boxLo - m0 ? iLo : boxLo - m0;
    iHi = iHi < boxHi - m0 ? iHi : boxHi - m0;
  } else {
    iLo = iLo > m0 - boxHi + 1 ? iLo : m0 - boxHi + 1;
    iHi = iHi < m0 - boxLo + 1 ? iHi : m0 - boxLo + 1;
  }
  if (iLo >= iHi) return;
  // step(i) = floor((2 i minor + major) / (2 major)), kept as a quotient and
  // a remainder so each pixel costs an addition.
  const int64_t denominator = 2 * major;
  __extension__ using Wide = __int128;
  const Wide first = static_cast<Wide>(2) * iLo * minor + major;
  int64_t step = static_cast<int64_t>(first / denominator);
  int64_t remainder = static_cast<int64_t>(first - static_cast<Wide>(step) * denominator);
  const int64_t increment = 2 * minor;
  // Both ends inside the box: every pixel between is inside too.
  const bool inside = x0 >= box.Left && x0 < box.Right && y0 >= box.Top && y0 < box.Bottom && x1 >= box.Left &&
                      x1 < box.Right && y1 >= box.Top && y1 < box.Bottom;
  for (int64_t i = iLo; i < iHi; ++i) {
    const int64_t m = m0 + sm * i;
    const int64_t n = n0 + sn * step;
    const int64_t x = xMajor ? m : n;
    const int64_t y = xMajor ? n : m;
    if (inside || (x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom)) {
      pixel(static_cast<int>(x), static_cast<int>(y));
    }
    remainder += increment;
    if (remainder >= denominator) {
      remainder -= denominator;
      ++step;
    }
  }
}

// The pixels whose centres lie inside the figures (each figure closed
// implicitly); right and bottom edges are left out.
void RasterPolygons(const std::vector<std::vector<RasterPointD>>& figures, RasterFillRule rule, const RasterBox& box,
                    const RasterSpanSink& span);

// The runs of one row only (for point-in-region tests), unclipped.
std::vector<std::pair<int64_t, int64_t>> RasterPolygonRow(const std::vector<std::vector<RasterPointD>>& figures,
                                                          RasterFillRule rule, int64_t y);

// Ellipse inscribed in the pixel box [left, right) x [top, bottom) with an
// outline of the given width centred on the ideal curve. outline gets the
// ring, inside the pixels within it. An arc keeps the ring pixels whose
// direction from the centre lies anticlockwise from the start direction to
// the end direction (degrees, screen directions with y upwards).
struct RasterEllipse {
  int64_t Left = 0;
  int64_t Top = 0;
  int64_t Right = 0;
  int64_t Bottom = 0;
  int PenWidth = 1;
};

void RasterEllipseRing(const RasterEllipse& ellipse, const RasterBox& box, const RasterSpanSink& outline,
                       const RasterSpanSink& inside);

void RasterEllipseArc(const RasterEllipse& ellipse, double startDeg, double endDeg, bool whole, const RasterBox& box,
                      const RasterPixelSink& pixel);

// Direction in degrees [0, 360) of a pixel point seen from the centre of the
// ellipse's pixel box, anticlockwise on the screen.
double RasterDirectionFromCentre(const RasterEllipse& ellipse, double x, double y);

// The part of a segment inside a box, in double precision; false when none.
bool RasterClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top, double right,
                       double bottom);
// The same as the fractions t0 <= t1 of the segment that lie inside, so a
// caller can keep what depends on the distance from the first end.
bool RasterClipFractions(double x0, double y0, double x1, double y1, double left, double top, double right,
                         double bottom, double& t0, double& t1);
