#pragma once
// Shared by the drawing files of the platform layer: writing pixels through
// the clip and the pen mode, brush patterns, wide pens through QPainter.

#include "platform/canvas_qt.h"
#include "platform/pixel_raster.h"

#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

RasterBox CanvasBox(const TCanvas::Impl& impl);

// Calls fn(x0, x1) for the parts of [x0, x1) on row y that lie on the image
// and inside the clip.
template <typename Fn>
void ForEachAllowedRun(const TCanvas::Impl& impl, int y, int x0, int x1, Fn&& fn) {
  if (y < 0 || y >= impl.Image.height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, impl.Image.width());
  if (x0 >= x1) return;
  if (!impl.HasClip) {
    fn(x0, x1);
    return;
  }
  for (const auto& run : impl.ClipRows[static_cast<size_t>(y)]) {
    const int a = std::max(x0, run.first);
    const int b = std::min(x1, run.second);
    if (a < b) fn(a, b);
  }
}

bool PixelAllowed(const TCanvas::Impl& impl, int x, int y);

// What fills a run: a solid colour, or a hatch whose gaps take the
// background colour when the background is opaque and stay untouched
// otherwise.
struct FillSource {
  TColor Color = 0;
  TBrushStyle Style = bsSolid;
  bool OpaqueGaps = false;
  TColor GapColor = 0;
};

FillSource PenSource(const TPen& pen);
// Realises the brush first (the background follows a changed brush).
FillSource BrushSource(TCanvas& canvas);
void RealiseBrush(TCanvas& canvas);

void PaintRun(TCanvas::Impl& impl, int y, int x0, int x1, const FillSource& source, TPenMode mode);
void PaintPixel(TCanvas::Impl& impl, int x, int y, const FillSource& source, TPenMode mode);

// Qt region of pixel runs listed row by row (rows top to bottom, runs left
// to right); equal neighbouring rows are merged into taller rectangles.
QRegion RegionFromRuns(const std::vector<std::pair<int, std::vector<std::pair<int, int>>>>& rows);

// Pen width as painted: at least one pixel, and no wider than any window.
inline int PaintedPenWidth(const TPen& pen) { return std::clamp(pen.Width, 1, 1000); }

// A painter on the canvas image with antialiasing off, the clip applied
// and the composition of the pen mode.
void PreparePainter(QPainter& painter, const TCanvas::Impl& impl, TPenMode mode);

// Tells whoever shows the canvas that something may have been drawn, however
// the drawing operation ends.
class DrawnNotice {
 public:
  explicit DrawnNotice(TCanvas& canvas) : canvas_(canvas) {}
  ~DrawnNotice() { canvas_.NotifyDrawn(); }
  DrawnNotice(const DrawnNotice&) = delete;
  DrawnNotice& operator=(const DrawnNotice&) = delete;

 private:
  TCanvas& canvas_;
};
