// The pictures of the store's slots, stretched into their rectangles in
// every redraw, a higher slot over a lower one.

#include <algorithm>

#include "canvas/cad_box.h"
#include "platform/picture.h"
#include "tools/edit/polygon_in_view.h"

namespace {

// The slot before which the loop looks at the mouse buttons.
constexpr int kPictureButtonTestAt = 19;

}  // namespace

void TcadBox::DrawPicture(const TGraphic& graphic, TCanvas& canvas, double x1, double y1, double x2, double y2) {
  const RViewRect& v = ViewWindow;
  TZukeiHaninaiobj view(0, v.Left, v.Bottom, v.Right, v.Top, 0, 0);
  view.AddVertex(x1, y1);
  view.AddVertex(x2, y1);
  view.AddVertex(x2, y2);
  view.AddVertex(x1, y2);
  view.AddVertex(x1, y1);
  view.Classify(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
  if (view.Class != 0 && view.Class != 1) return;
  canvas.StretchDraw(TRect{WorldToScreenX(x1), WorldToScreenY(y2), WorldToScreenX(x2), WorldToScreenY(y1)}, graphic);
}

// PNG pictures are drawn like bitmaps: they are bitmaps read from another
// file format, and the zoom limit already counts them as shown.
void TcadBox::DrawAllPictures(TCanvas& canvas) {
  if (PrintKaiten) return;
  for (int i = 0; i < kPictureSlots; ++i) {
    if (i == kPictureButtonTestAt && BothButtonsDown()) break;
    RBitMapData& slot = store_->Pictures[static_cast<std::size_t>(i)];
    if (!slot.Picture || store_->LayerState(slot.Group, slot.Layer) != kLayerEditable) continue;
    switch (slot.PictureKind) {
      case kPictureBitmap:
      case kPictureJpegAsBitmap:
      case kPicturePng: slot.Picture->Transparent = Bittukatyp == 1 || Bittukatyp == 2; break;
      case kPictureJpeg:
      case kPictureMetafile: break;
      default: continue;
    }
    DrawPicture(*slot.Picture, canvas, slot.X1, slot.Y1, slot.X2, slot.Y2);
  }
}
