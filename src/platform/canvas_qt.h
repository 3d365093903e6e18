#pragma once
// The Qt side of the drawing surface, for the platform layer only: the
// control that shows the canvas needs its image, and invalidation needs a
// region as Qt understands it. This header exposes Qt because those two
// callers hand the image and the region straight to Qt widgets.

#include "platform/canvas.h"
#include "platform/picture.h"

#include <QImage>
#include <QRegion>
#include <QSvgRenderer>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct TCanvas::Impl {
  QImage Image;  // Format_RGB32, persistent between paints
  TPoint PenPos;

  // Path recording (BeginPath to EndPath).
  bool PathOpen = false;
  bool PathReady = false;
  std::vector<std::vector<TPoint>> PathFigures;

  // Clip region: the selected figures, and their pixel runs per image row.
  bool HasClip = false;
  std::vector<std::vector<TPoint>> ClipFigures;
  int ClipFillMode = 1;
  std::vector<std::vector<std::pair<int, int>>> ClipRows;
  QRegion ClipRegion;

  // Background of text and hatches; chosen again whenever the brush changed.
  int BkMode = 2;
  TColor BkColor = 0xFFFFFF;
  bool BrushRealised = false;
  TBrush RealisedBrush;

  // What XOR and NOT-XOR pens drew over the picture (a preview, the
  // cross-hair, the point marker) since it was last drawn afresh, XORed
  // together. The picture itself, whenever drawn (a paint of a part, an
  // element added), goes under it, so that such drawing stays whole and the
  // next XOR takes it off cleanly; other pens drawing over the picture
  // cover it where they draw, as on any screen. Allocated on first use.
  QImage XorOverlay;
  bool OverlayInUse = false;  // some pixel of the overlay may be set
  int OverlayLifted = 0;      // lifted off for a painter (see OverlayLift)
  int PictureDepth = 0;       // drawing the picture itself (see TPictureDrawing)

  // XOR drawing with this pen mode goes into the overlay: XOR pens outside
  // the drawing of the picture.
  bool RecordsXor(TPenMode mode) const { return (mode == pmXor || mode == pmNotXor) && PictureDepth == 0; }

  void RebuildClip();
  // The overlay's row y: for XOR drawing with this mode, to be written (the
  // overlay made when missing); for the other modes, to draw under, or null
  // while no XOR drawing is kept.
  QRgb* OverlayRowFor(TPenMode mode, int y);
};

// While it lives, the XOR drawing inside the rectangle is lifted off the
// image, so that what a painter draws there meanwhile goes under it.
class OverlayLift {
 public:
  OverlayLift(TCanvas::Impl& impl, const QRect& bounds);
  ~OverlayLift();
  OverlayLift(const OverlayLift&) = delete;
  OverlayLift& operator=(const OverlayLift&) = delete;

 private:
  void Toggle();
  TCanvas::Impl& impl_;
  QRect bounds_;
};

struct TGraphic::Impl {
  std::optional<TPictureFormat> Format;
  QImage Raster;                         // bitmaps and JPEG images
  std::shared_ptr<QSvgRenderer> Vector;  // metafiles, converted to SVG
  int PixelWidth = 0;
  int PixelHeight = 0;
};

// The persistent image of a canvas, which the control copies to the screen.
QImage& CanvasImage(TCanvas& canvas);

// A region as Qt pixel rectangles, limited to the bounds (regions may reach
// far beyond any window).
QRegion QRegionFromRegion(HRGN region, const QRect& bounds);

// Qt colour of a $00BBGGRR value.
inline QRgb QRgbFromColor(TColor color) {
  return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
              static_cast<int>((color >> 16) & 0xFF));
}

inline TColor ColorFromQRgb(QRgb rgb) {
  return static_cast<TColor>(qRed(rgb)) | (static_cast<TColor>(qGreen(rgb)) << 8) |
         (static_cast<TColor>(qBlue(rgb)) << 16);
}
