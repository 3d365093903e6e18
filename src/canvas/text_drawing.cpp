// Drawing texts character by character in a turned font sized by the style
// and the view, and measuring texts: the end of every text's base line
// follows from its string and style and is refitted after a rescale.

#include <algorithm>
#include <cmath>
#include <limits>

#include "canvas/cad_box.h"
#include "canvas/text_measure.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "geometry/sjis_text.h"
#include "platform/gdi.h"

namespace {

constexpr std::uint8_t kModeStyle = 0;
constexpr std::uint8_t kModeReference = 1;
constexpr std::uint8_t kModeSelected = 2;
constexpr std::uint8_t kModeErase = 3;
constexpr std::uint8_t kModeFrameOnly = 10;
constexpr std::uint8_t kModeBlack = 20;

// Narrower than this many pixels a single-byte character is not legible:
// only the text's frame is drawn.
constexpr int kLegibleWidth = 3;
// Raised and lowered characters are drawn this much smaller.
constexpr double kSmallCharScale = 0.55;

// What differs between the four text-drawing operations.
struct TextDrawVariant {
  bool ViewTest = true;
  bool SingleCharacterPath = true;  // a one-character text is drawn without layout
  bool ElementColours = true;       // the colour table of element texts
  bool OwnCanvas = false;           // draws on the control's own canvas
  bool ColourOnOwnCanvas = false;   // sets the font colour on the control's own canvas
  std::uint8_t OutPrecision = 5;
  std::uint8_t Quality = 1;
};

constexpr TextDrawVariant kElementText{true, true, true, false, false, 5, 1};
constexpr TextDrawVariant kElementTextUnculled{false, true, true, false, false, 5, 1};
constexpr TextDrawVariant kBufferText{true, false, false, true, false, 0, 0};
constexpr TextDrawVariant kGivenText{true, false, false, false, true, 0, 0};

std::size_t StyleIndex(std::uint8_t number) { return number < kTextStyleCount ? number : 0; }

// A suffix size as a style field: whole numbers, kept inside the field.
std::uint16_t SizeField(double v) { return static_cast<std::uint16_t>(std::clamp(std::trunc(v), 0.0, 65535.0)); }
std::int16_t SpacingField(double v) { return static_cast<std::int16_t>(std::clamp(std::trunc(v), -32768.0, 32767.0)); }

// Whole pixels (or tenths of a degree), kept inside an int.
int Pixels(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(std::trunc(v), -2.0e9, 2.0e9));
}

// The font colour of a colour mode; false where the mode sets none.
bool FontColour(const TcadBox& box, const TextDrawVariant& variant, std::uint8_t mode, TColor& colour) {
  const TColor styleColour = static_cast<TColor>(box.TextStyles[StyleIndex(box.Mozi_No)].TextColor);
  switch (mode) {
    case kModeReference:
      colour = variant.ElementColours ? box.Sentakucol3 : static_cast<TColor>(box.TextStyles[0].TextColor);
      return true;
    case kModeSelected: colour = box.Sentakucol; return true;
    case kModeErase: colour = box.Color(); return true;
    case kModeBlack:
      if (!variant.ElementColours) return false;
      colour = clBlack;
      return true;
    default: colour = styleColour; return true;
  }
}

// A logical font for the request, released by the caller.
HFONT MakeFont(int height, int width, double angle, int weight, bool italic, bool strikeOut,
               const TextDrawVariant& variant, const std::string& face) {
  LOGFONTA lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = Pixels(angle * 10.0);
  lf.lfOrientation = 0;
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfUnderline = 0;
  lf.lfStrikeOut = strikeOut ? 1 : 0;
  lf.lfCharSet = 1;  // default character set
  lf.lfOutPrecision = variant.OutPrecision;
  lf.lfClipPrecision = 16;  // escapement turns anticlockwise
  lf.lfQuality = variant.Quality;
  // The face name field holds 31 bytes; a double-byte character is never cut.
  std::size_t n = 0;
  while (n < face.size()) {
    const std::size_t step = IsSjisLeadByte(static_cast<unsigned char>(face[n])) ? 2 : 1;
    if (n + step > sizeof lf.lfFaceName - 1) break;
    n += step;
  }
  std::copy_n(face.data(), std::min(n, face.size()), lf.lfFaceName);
  return CreateFontIndirectA(lf);
}

void DrawText(TcadBox& box, const std::string& stored, std::uint8_t direction, TCanvas& given, std::uint8_t mode,
              double x1, double y1, double x2, double y2, double angle, const TextDrawVariant& variant) {
  // A base point or angle that is no number places no character.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(angle)) return;
  const RViewRect& view = box.ViewWindow;
  if (variant.ViewTest && !SegmentTouchesRect(x1, y1, x2, y2, view.Left, view.Bottom - 2, view.Right, view.Top)) {
    return;
  }
  const std::size_t styleIndex = StyleIndex(box.Mozi_No);
  RTextStyle style = box.TextStyles[styleIndex];
  int weight = style.Weight;
  bool italic = box.ItalicFlags[styleIndex];
  std::string face = FaceNameOf(style);

  TMoziViewobj& layout = *box.TextLayout;
  std::u16string wide = Utf16FromCp932(stored);
  std::string text = stored;
  const bool overridden = layout.ParseStyleSuffix(wide, style);
  if (overridden) {
    wide = layout.VisibleText;
    text = Cp932FromUtf16(wide);
    style.Width = SizeField(layout.OverrideWidth);
    style.Height = SizeField(layout.OverrideHeight);
    style.Spacing = SpacingField(layout.OverrideSpacing);
    if (layout.OverrideWeight != 0) weight = 100 * layout.OverrideWeight;
    if (layout.OverrideItalic != 0) italic = true;
    // Only the five face slots name a face; another number keeps the style's.
    if (layout.OverrideFace >= 1 && layout.OverrideFace <= 5) face = box.FaceNames[layout.OverrideFace];
  }

  const bool vertical = direction == kTextVertical;
  const double along = vertical ? style.Height : style.Width;
  const double across = vertical ? style.Width : style.Height;
  const double unitPixels = box.PixelsPerMm * box.Zoom;
  int fw = Pixels(along * unitPixels * 0.05);
  const double h = across * 0.1;

  // Too small to read: only the text's frame, in the pen colour of the mode.
  TCanvas& frameCanvas = variant.OwnCanvas ? box.Canvas() : given;
  auto drawFrame = [&](std::uint8_t frameMode) {
    TColor colour = static_cast<TColor>(style.TextColor);
    if (frameMode != kModeFrameOnly) FontColour(box, variant, frameMode, colour);
    frameCanvas.Pen.Color = colour;
    box.DrawTextFrame(frameCanvas, x1, y1, x2, y2, h, angle);
  };
  if (fw < kLegibleWidth || mode == kModeFrameOnly) {
    drawFrame(mode);
    return;
  }
  if (box.StrWakuView) drawFrame(mode);
  const bool strikeOut = box.StrWakuView && overridden;

  const bool laidOut = !variant.SingleCharacterPath || wide.size() >= 2;
  if (laidOut) {
    layout.Layout(text, style, x1, y1, angle, direction);
    if (layout.CompressionFactor < 1) {
      fw = std::max(1, Pixels(along * unitPixels * 0.05 * layout.CompressionFactor));
    }
  } else if (wide.empty()) {
    return;
  }
  const int fh = std::max(2, Pixels(across * unitPixels * 0.1));

  TCanvas& canvas = variant.OwnCanvas ? box.Canvas() : given;
  const std::string fontFace = vertical ? "@" + face : face;
  HFONT font = MakeFont(fh, fw, angle, weight, italic, strikeOut, variant, fontFace);
  canvas.Font.SetHandle(font);
  canvas.Brush.Style = bsClear;
  TColor colour = clBlack;
  if (FontColour(box, variant, mode, colour)) {
    (variant.ColourOnOwnCanvas ? box.Canvas() : canvas).Font.Color = colour;
  }

  // The diagonal of a character cell: from zoom 3 on, a character is drawn
  // only when that diagonal from its point crosses the view. Markup can
  // leave a single character, which gives no diagonal.
  const std::vector<RMoziview_data>& chars = layout.Chars;
  const bool culls = laidOut && chars.size() >= 2;
  RPoint2D diagonal;
  if (culls) {
    const RPoint2D p = RotateAboutCentreExact(angle, chars[0].X, chars[0].Y, chars[1].X, chars[1].Y - h);
    diagonal = {p.x - chars[0].X, p.y - chars[0].Y};
  }
  const auto drawChar = [&](double x, double y, const std::string& ch) {
    if (box.Zoom >= 3 && culls &&
        !SegmentCrossesRectInterior(x, y, x + diagonal.x, y + diagonal.y, view.Left, view.Bottom - 0.3 * box.Zoom,
                                    view.Right, view.Top)) {
      return;
    }
    canvas.TextOut(box.WorldToScreenX(x), box.WorldToScreenY(y), ch);
  };

  if (!laidOut) {
    const RPoint2D p =
        std::abs(angle) < 0.0001 ? RPoint2D{x1, y1 + h} : RotateAboutCentreExact(angle, x1, y1, x1, y1 + h);
    drawChar(p.x, p.y, stored);
  } else {
    for (const RMoziview_data& c : chars) {
      if (c.Kind == kCharRaised || c.Kind == kCharLowered) {
        HFONT small = MakeFont(Pixels(fh * kSmallCharScale), Pixels(fw * kSmallCharScale), angle, weight, italic,
                               strikeOut, variant, fontFace);
        canvas.Font.SetHandle(small);
        drawChar(c.X, c.Y, c.Ch);
        canvas.Font.SetHandle(font);
        DeleteObject(small);
      } else {
        drawChar(c.X, c.Y, c.Ch);
      }
    }
  }
  DeleteObject(font);
}

const std::string* TextAt(const Tdrawinp::TextList& list, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
  return &list[static_cast<std::size_t>(index)];
}

}  // namespace

void TcadBox::DrawElementText(std::int32_t textIndex, std::uint8_t direction, TCanvas& canvas, std::uint8_t colourMode,
                              double x1, double y1, double x2, double y2, double angle) {
  if (const std::string* text = TextAt(Draw1->ElementTexts, textIndex)) {
    DrawText(*this, *text, direction, canvas, colourMode, x1, y1, x2, y2, angle, kElementText);
  }
}

void TcadBox::DrawElementTextUnculled(std::int32_t textIndex, std::uint8_t direction, TCanvas& canvas,
                                      std::uint8_t colourMode, double x1, double y1, double x2, double y2,
                                      double angle) {
  if (const std::string* text = TextAt(Draw1->ElementTexts, textIndex)) {
    DrawText(*this, *text, direction, canvas, colourMode, x1, y1, x2, y2, angle, kElementTextUnculled);
  }
}

void TcadBox::DrawBufferText(std::int32_t textIndex, std::uint8_t direction, TCanvas& canvas, std::uint8_t colourMode,
                             double x1, double y1, double x2, double y2, double angle) {
  if (const std::string* text = TextAt(Draw1->BufferTexts, textIndex)) {
    DrawText(*this, *text, direction, canvas, colourMode, x1, y1, x2, y2, angle, kBufferText);
  }
}

void TcadBox::DrawTextString(const std::string& text, std::uint8_t direction, TCanvas& canvas, std::uint8_t colourMode,
                             double x1, double y1, double x2, double y2, double angle) {
  DrawText(*this, text, direction, canvas, colourMode, x1, y1, x2, y2, angle, kGivenText);
}

bool TcadBox::TextTouchesRect(const RDrawElement& e, std::uint8_t layerState, double x1, double y1, double x2,
                              double y2) {
  const RTextStyle& style = TextStyles[StyleIndex(e.TextStyle)];
  const bool vertical = e.TextDirection == kTextVertical;
  double size = style.Height;
  if (layerState == kLayerEditable) {
    size = vertical ? style.Width : style.Height;
    const std::string* text = TextAt(Draw1->ElementTexts, e.TextIndex);
    if (text && TextLayout->ParseStyleSuffix(Utf16FromCp932(*text), style)) {
      const double over = vertical ? TextLayout->OverrideWidth : TextLayout->OverrideHeight;
      if (over > 0) size = over;
    }
  }
  const double h = 0.11 * size;
  const double bx = e.X1, by = e.Y1, ex = e.X2, ey = e.Y2;
  // The far corner lies h to the left of the base line's end.
  RPoint2D a, far;
  if (!TryOffsetSegment(bx, by, ex, ey, h, a, far)) {
    const double rad = static_cast<double>(e.TextAngle) * M_PI / 180.0;
    far = {ex - h * std::sin(rad), ey + h * std::cos(rad)};
  }
  return RectTouchesRect(bx, by, far.x, far.y, x1, y1, x2, y2) || PointInRect(x1, y1, bx, by, far.x, far.y);
}

namespace {

// The base-line end of one text element measured from its string and its
// own style.
void RefitText(TcadBox& box, RDrawElement& e, const Tdrawinp::TextList& texts) {
  if (e.Kind != kKindText) return;
  const std::string* text = TextAt(texts, e.TextIndex);
  if (!text) return;
  RTextMeasure m = MeasureText(*box.TextLayout, box.TextStyles[StyleIndex(e.TextStyle)], *text, e.TextDirection);
  box.CurrentTextHeight = m.FrameHeight;
  double length = m.Length;
  // The markup correction sizes by this text's own style and direction.
  box.SubtractMarkupWidth(m.Measured, length, m.Sized, e.TextDirection);
  double ex = e.X1, ey = e.Y1;
  PolarPoint(ex, ey, e.TextAngle, length, e.X1, e.Y1);
  e.X2 = ex;
  e.Y2 = ey;
}

}  // namespace

RTextMeasure MeasureText(TMoziViewobj& layout, const RTextStyle& style, const std::string& text,
                         std::uint8_t direction) {
  RTextMeasure m;
  double w = style.Width, h = style.Height, s = style.Spacing;
  m.Measured = Utf16FromCp932(text);
  if (layout.ParseStyleSuffix(m.Measured, style)) {
    m.Measured = layout.VisibleText;
    if (layout.OverrideWidth > 0) w = std::trunc(layout.OverrideWidth);
    if (layout.OverrideHeight > 0) h = std::trunc(layout.OverrideHeight);
    if (layout.OverrideSpacing > 0) s = std::trunc(layout.OverrideSpacing);
  }
  const bool vertical = direction == kTextVertical;
  m.FrameHeight = (vertical ? w : h) * 0.1;
  m.Length = TextBaseLength(m.Measured, vertical ? h : w, s);
  m.Sized = style;
  m.Sized.Width = SizeField(w);
  m.Sized.Height = SizeField(h);
  m.Sized.Spacing = SpacingField(s);
  return m;
}

void TcadBox::RefitAllTextEnds() {
  for (RDrawElement& e : Draw1->Elements) RefitText(*this, e, Draw1->ElementTexts);
  Draw1->ElementsChanged();
}

void TcadBox::RefitTextEnd(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Draw1->Elements.size()) return;
  RefitText(*this, Draw1->Elements[static_cast<std::size_t>(index)], Draw1->ElementTexts);
  Draw1->ElementsChanged();
}

void TcadBox::FitTextEndPoint(const std::string& text, double x1, double y1, double& x2, double& y2) {
  const RTextMeasure m = MeasureText(*TextLayout, TextStyles[StyleIndex(Mozi_No)], text, HeldTextDir);
  CurrentTextHeight = m.FrameHeight;
  const double length = m.Length;
  const double angle = DirectionAngleDeg(x1, y1, x2, y2);
  PolarPoint(x2, y2, angle, length, x1, y1);
}

void TcadBox::RefitBufferTextEnds() {
  for (RDrawElement& e : Draw1->Buffer) RefitText(*this, e, Draw1->BufferTexts);
}

void TcadBox::SubtractMarkupWidth(const std::u16string& text, double& length) {
  SubtractMarkupWidth(text, length, TextStyles[StyleIndex(Mozi_No)], PlaceTextDirection);
}

void TcadBox::SubtractMarkupWidth(const std::u16string& text, double& length, const RTextStyle& style,
                                  std::uint8_t direction) {
  TMoziViewobj& layout = *TextLayout;
  double width = style.Width, height = style.Height, spacing = style.Spacing;
  if (layout.ParseStyleSuffix(text, style)) {
    if (layout.OverrideWidth > 0) width = std::trunc(layout.OverrideWidth);
    if (layout.OverrideHeight > 0) height = std::trunc(layout.OverrideHeight);
    if (layout.OverrideSpacing > 0) spacing = std::trunc(layout.OverrideSpacing);
  }
  const double q = (direction == kTextVertical ? width : height) * 0.05;
  const double r = spacing * 0.05;

  std::u16string t = text;
  const auto removeAll = [&t](const std::u16string& tag) {
    int count = 0;
    for (std::size_t at = t.find(tag); at != std::u16string::npos; at = t.find(tag)) {
      t.erase(at, tag.size());
      ++count;
    }
    return count;
  };
  struct Tag {
    const char16_t* Text;
    int Weight;
  };
  for (const Tag& tag : {Tag{u"^u", 2}, Tag{u"^d", 2}, Tag{u"^B", 3}, Tag{u"^b", 3}}) {
    const int c = removeAll(tag.Text);
    if (c > 0) length = length - tag.Weight * c * q + r;
  }
  if (t.starts_with(u"^c")) {
    t.erase(0, 2);
    length += r;
  }
  if (t.size() > 3) {
    for (char16_t n = u'1'; n <= u'9'; ++n) {
      if (t.find(std::u16string{u'^', n}) != std::u16string::npos) {
        length = length - ((n - u'0') + 2) * q + r;
        break;
      }
    }
  }
}
