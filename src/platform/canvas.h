#pragma once
// The drawing surface: a canvas over a persistent image that the control
// copies to the screen, with the pens, brushes, fonts and pixel conventions
// that the drawing code was written against. No window-system type appears
// here, so plain C++ code can draw without knowing what lies beneath.
//
// Pixel conventions kept on purpose:
// - LineTo paints from the current position up to, but not including, its
//   end point; the dash patterns count pixels on that basis.
// - Rectangle, FillRect, Polygon and Ellipse leave out the right and bottom
//   edge of their box.
// - Arc with equal start and end points draws the whole outline.
// - Reading a pixel outside the clipping area gives clInvalid.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Colour as $00BBGGRR.
using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clAqua = 0xFFFF00;
// What a pixel read outside the clipping area answers.
constexpr TColor clInvalid = 0xFFFFFFFF;

struct TPoint {
  int X = 0;
  int Y = 0;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct TSize {
  int cx = 0;
  int cy = 0;
};

// pmMerge ORs the pen into the picture (redrawn grid lines keep what they cross).
enum TPenMode { pmCopy, pmXor, pmNotXor, pmMerge };
enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;  // 1 draws the thin line; wider pens are centred on the path
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

// Logical font record with the fields the font requests fill. lfHeight > 0
// is the cell height in pixels, < 0 the character (em) height; lfWidth is
// the average character width (0: the face's own); lfEscapement turns the
// base line anticlockwise in tenths of a degree. lfFaceName is code page 932;
// "@" before the face asks for vertical writing.
struct LOGFONTA {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 400;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 1;  // DEFAULT_CHARSET
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = 0;
  char lfFaceName[32] = {};
};

// Objects handed out by the Create... functions and released with
// DeleteObject (see gdi.h).
struct TGdiObject {
  TGdiObject() = default;
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  virtual ~TGdiObject();
};

struct TFontObject final : TGdiObject {
  LOGFONTA Logical;
};

// A region: figures filled by the alternate (1) or winding (2) rule.
struct TRegionObject final : TGdiObject {
  std::vector<std::vector<TPoint>> Figures;
  int FillMode = 1;
};

using HGDIOBJ = TGdiObject*;
using HFONT = TFontObject*;
using HRGN = TRegionObject*;

// The canvas's font: a logical font plus its colour. Assigning a font handle
// copies its description, so the handle may be deleted right afterwards.
struct TFont {
  TFont();
  TColor Color = clBlack;
  LOGFONTA Logical;
  std::string Name() const;  // code page 932
  void SetName(const std::string& cp932);
  void SetHandle(HFONT font);
};

class TCanvas;

// Canvas.Pixels(x, y) reads like a colour and takes a colour by assignment.
class TPixelRef {
 public:
  TPixelRef(TCanvas& canvas, int x, int y) : canvas_(canvas), x_(x), y_(y) {}
  operator TColor() const;
  TPixelRef& operator=(TColor color);

 private:
  TCanvas& canvas_;
  int x_;
  int y_;
};

class TCanvas {
 public:
  TCanvas(int width, int height, TColor background = clWhite);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  int Width() const;
  int Height() const;
  // New size; what fits is kept, the rest filled with the colour.
  void SetSize(int width, int height, TColor fill);

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint PenPos() const;
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void FillRect(const TRect& rect);
  void Ellipse(int x1, int y1, int x2, int y2);
  // Anticlockwise from the ray towards (x3, y3) to the ray towards (x4, y4).
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

  TPixelRef Pixels(int x, int y) { return TPixelRef(*this, x, y); }
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Text in code page 932, (x, y) the top left of the turned character cell.
  void TextOut(int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  // The picture stretched into the rectangle (see picture.h); a rectangle
  // given right to left or bottom to top shows it mirrored.
  void StretchDraw(const TRect& rect, const class TGraphic& graphic);

  // What XOR and NOT-XOR pens drew is kept apart as well, so that a paint
  // of part of the control puts it back over the part drawn again. Whoever
  // draws the whole picture afresh forgets it.
  void ForgetXorDrawing();
  // The same inside a rectangle only: what the XOR pen did there (such as
  // taking a line off in XOR) is not to come back when the part is painted.
  void ForgetXorDrawing(const TRect& rect);

  // While one lives, XOR and NOT-XOR pens mix into the picture itself (a
  // fill mixed with what lies under it) instead of drawing over it.
  class TPictureDrawing {
   public:
    explicit TPictureDrawing(TCanvas& canvas);
    ~TPictureDrawing();
    TPictureDrawing(const TPictureDrawing&) = delete;
    TPictureDrawing& operator=(const TPictureDrawing&) = delete;

   private:
    TCanvas& canvas_;
  };

  // Called after every drawing operation; a control that shows the canvas
  // uses it to bring drawing done outside a paint to the screen.
  std::function<void()> OnDrawn;
  void NotifyDrawn() {
    if (OnDrawn) OnDrawn();
  }

  struct Impl;
  Impl& Internals() { return *impl_; }
  const Impl& Internals() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};
