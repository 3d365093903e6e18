// The canvas control: its state with the values it starts with, the owned
// drawing store, clearing the drawing.

#include "canvas/cad_box.h"

#include "geometry/codepage.h"

namespace {

RTextStyle Style(TColor colour, std::uint16_t size, std::int16_t spacing) {
  RTextStyle style;
  std::memset(&style, 0, sizeof style);
  style.TextColor = static_cast<std::int32_t>(colour);
  style.Width = size;
  style.Height = size;
  style.Spacing = spacing;
  style.Weight = 400;
  SetFaceName(style, J("ＭＳ 明朝"));
  return style;
}

}  // namespace

TcadBox::TcadBox() : store_(std::make_unique<Tdrawinp>()) {
  PixelsPerMm = ScreenPixelsPerInch() / 25.4;

  TextStyles = {Style(0x808080, 20, 1), Style(0xFFFF00, 20, 1), Style(0xFFFF00, 25, 2), Style(0xFFFFFF, 30, 2),
                Style(0xFFFFFF, 30, 5), Style(0x00FF00, 35, 5), Style(0x00FF00, 40, 5), Style(0x00FFFF, 40, 5),
                Style(0x00FFFF, 50, 5), Style(0xFF00FF, 50, 5), Style(0xFF00FF, 60, 5), Style(0xFF0000, 60, 5)};
  // Sizes 3 and 4 are a millimetre taller than the standard sheets; 5 to 7 are empty.
  PaperSizes = {RPaperSize{1189, 841}, {841, 594},   {594, 420},   {420, 298},  {297, 211}, {0, 0}, {0, 0}, {0, 0},
                {1681, 1189},          {2378, 1682}, {3362, 2378}, {4756, 3364}};
  GroupScales = {100, 100, 30, 30, 30, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 1.0};

  PenStyles.fill(psSolid);
  ColourTable = {0x4080FF /* RGB(255, 128, 64) */,
                 0xFFFF00,
                 0xFFFFFF,
                 0x00FF00,
                 0x00FFFF,
                 0xFF00FF,
                 0xFF0000,
                 0xFFFF00,
                 0xFFFFFF,
                 0xFFFFFF,
                 0xFFFFFF};
  LineTypePatterns = {RLinePattern{0, 0, 0, 0},
                      {0, 0, 0, 0},
                      {4, 0, 0, 3},
                      {8, 0, 0, 5},
                      {16, 0, 0, 3},
                      {16, 2, 0, 3},
                      {40, 2, 0, 3},
                      {16, 2, 2, 3},
                      {40, 2, 2, 3},
                      {1, 0, 0, 3},
                      {0, 0, 0, 0}};
  for (RFillSettings& fill : FillSettings) {
    fill.Colours = {0x00FFFF, 0x808080, 0xC0C0C0, 0x00FFFF, 0x808080, 0xC0C0C0};
    fill.Options.fill(0);
  }
  PickedIndex.fill(0);

  SetSize(640, 480);
  Draw1 = store_.get();
  CopyTextStylesToStore();
  FitPaper(false, 0.99);
  store_->LayerStates.fill(kLayerEditable);
  for (int i = 1; i <= 5; ++i) FaceNames[static_cast<std::size_t>(i)] = J("ＭＳ 明朝");
  TextLayout = std::make_unique<TMoziViewobj>();
}

TcadBox::~TcadBox() {
  TextLayout.reset();
  ClearDrawing();
}

void TcadBox::CopyTextStylesToStore() { store_->TextStyles = TextStyles; }

// XOR previews keep their own colour on a light background by drawing
// NOT-XOR there.
TColor TcadBox::PrepareXorColor(TColor colour) {
  TPen& pen = Canvas().Pen;
  if (pen.Mode == pmXor) pen.Mode = Color() != clBlack ? pmNotXor : pmXor;
  return colour;
}

void TcadBox::ClearDrawing() {
  store_->ClearAll();
  listsBuilt_ = false;
}

double TcadBox::RealToDrawingLength(double x) const { return x / GroupScales[WriteGrupe_No % kLayerGroups]; }

void TcadBox::SetGuidePrompt(const std::string& text) { SetHint("  " + text); }
