// Captions on the canvas: the short message at the top left and the cursor
// label beside the press point, which is taken away by repainting the
// drawing beneath it. Neither is stored in the drawing.

#include <cmath>

#include "canvas/cad_box.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"

namespace {

constexpr TColor kPaleYellow = 0xB4FFFF;  // RGB(255, 255, 180)
constexpr TColor kPaleCyan = 0xFFFFB4;    // RGB(180, 255, 255)
constexpr TColor kPaleRed = 0xB4B4FF;     // RGB(255, 180, 180)
constexpr TColor kPaleBlue = 0xFFB4B4;    // RGB(180, 180, 255)
constexpr TColor kPaleGrey = 0xDCDCDC;    // RGB(220, 220, 220)
constexpr double kNoLabelPromptsCaptions = -1000000.0;

// The caption font: 11 points of the Gothic face, no style.
void CaptionFont(TCanvas& canvas) {
  TFont& font = canvas.Font;
  font.Logical = LOGFONTA{};
  font.Logical.lfHeight = -static_cast<int>(std::lround(11.0 * ScreenPixelsPerInch() / 72.0));
  font.Logical.lfWeight = 400;
  font.SetName(J("ＭＳ ゴシック"));
}

}  // namespace

void TcadBox::ShowTopMessage(const std::string& text) {
  if (text.empty()) return;
  TopMessage = text;
  TopMessageShown = true;
  TCanvas& canvas = Canvas();
  CaptionFont(canvas);
  canvas.Font.Color = clBlack;
  canvas.Brush.Color = kPaleYellow;
  canvas.Brush.Style = bsSolid;
  canvas.TextOut(5, 3, text);
}

void TcadBox::ShowCursorLabel(const std::string& text) {
  // A shorter label leaves part of the old one: the cross-hair over it goes first.
  if (text.empty() || text.size() < LabelPrevText.size()) RunHook(CommandRegistry().EraseRingCursor, *this);
  const double z = Zoom;
  const RViewRect& v = ViewWindow;
  TCanvas& canvas = Canvas();
  CaptionFont(canvas);
  canvas.Brush.Style = bsClear;
  if (text == " ") {
    // The old label drawn again on a box of the background colour.
    canvas.Font.Color = Color();
    canvas.Brush.Color = Color();
    canvas.Brush.Style = bsSolid;
    const double px = LabelPrevAnchor.x, py = LabelPrevAnchor.y + 6.2 / z;
    if (PointInRect(px, py, v.Left, v.Bottom, v.Right, v.Top)) {
      canvas.TextOut(WorldToScreenX(px), WorldToScreenY(py), LabelPrevText);
      if (LabelAnchor.x >= -5000) RepaintLabelArea(static_cast<std::uint16_t>(LabelPrevText.size()), px, py);
    }
    LabelPrevText.clear();
    LabelPrevAnchor = {kNoLabelPromptsCaptions, kNoLabelPromptsCaptions};
    LabelAnchor = {kNoLabelPromptsCaptions, kNoLabelPromptsCaptions};
    return;
  }
  const TColor tints[4] = {kPaleYellow, kPaleCyan, kPaleRed, kPaleBlue};
  if (text == "---------") {
    canvas.Brush.Color = kPaleGrey;
    canvas.Brush.Style = bsSolid;
  } else if (LabelColour < 4) {
    canvas.Brush.Color = tints[LabelColour];
    canvas.Brush.Style = bsSolid;
  }
  canvas.Font.Color = clBlack;
  const double ax = LabelAnchor.x, ay = LabelAnchor.y + 6.2 / z;
  if (PointInRect(ax, ay, v.Left, v.Bottom, v.Right, v.Top))
    canvas.TextOut(WorldToScreenX(ax), WorldToScreenY(ay), text);
  LabelPrevText = text;
  LabelPrevAnchor = LabelAnchor;
}

void TcadBox::RepaintLabelArea(std::uint16_t length, double x, double y) {
  const double z = Zoom;
  RepaintRect(x - 1 / z, y - 6 / z, x + 2.2 * length / z, y + 1 / z);
}
