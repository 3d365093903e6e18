// Fill regions beneath the elements: closed polygons from the store's fill
// vertices, painted solid, hatched or in colour gradients clipped to their
// outline, on the screen or mapped through the print frame for a printer.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

#include "canvas/cad_box.h"
#include "geometry/codepage.h"
#include "platform/gdi.h"
#include "tools/edit/polygon_in_view.h"

namespace {

constexpr std::uint8_t kPaintScreen = 0;
constexpr std::uint8_t kPaintPrint = 1;
constexpr int kVertexButtonTestEvery = 20;
// Pixel extents from here on are beyond what the canvas can paint.
constexpr std::int64_t kPixelLimit = 32768;
constexpr TColor kOutlineRed = 0x0000FF;

// Truncation toward zero into the 32-bit range.
int TruncInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// A gradient component after k steps, wrapped into a byte.
int Component(int c1, double steps) {
  const long long v = c1 + static_cast<long long>(std::trunc(steps));
  return static_cast<int>(((v % 256) + 256) % 256);
}

TColor Mix(int r, int g, int b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

struct RFillChoice {
  TColor Colour1 = 0;
  TColor Colour2 = 0;
  std::uint8_t Style = 0;
  std::uint8_t Code = 0;
};

TBrushStyle HatchOf(std::uint8_t style) {
  switch (style) {
    case 2: return bsBDiagonal;
    case 3: return bsFDiagonal;
    case 4: return bsCross;
    case 5: return bsDiagCross;
    case 6: return bsHorizontal;
    case 7: return bsVertical;
    default: return bsSolid;
  }
}

}  // namespace

void TcadBox::PaintFillRegions(TCanvas& canvas, std::uint8_t mode) {
  // A fill mixed in XOR is part of the picture, not drawn over it.
  const TCanvas::TPictureDrawing picture(canvas);
  if (iro_Check && mode == kPaintScreen) {
    DrawFillRegionOutlines();
    return;
  }
  const RViewRect& v = ViewWindow;
  std::unique_ptr<TZukeiHaninaiobj> view;
  if (mode == kPaintPrint) {
    view = std::make_unique<TZukeiHaninaiobj>(Width(), PrintFrame.Left, PrintFrame.Bottom, PrintFrame.Right,
                                              PrintFrame.Top, Height(), NormalizeAngle360(PrintFrameAngle));
  } else {
    view = std::make_unique<TZukeiHaninaiobj>(Width(), v.Left, v.Bottom, v.Right, v.Top, Height(), 0);
  }

  std::vector<TPoint> polygon;
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool anyVertex = false;
  std::uint16_t current = 0;
  bool haveChoice = false;
  RFillChoice choice;

  const std::vector<RFillVertex>& vertices = store_->FillVertices;
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    if (mode == kPaintScreen && (k + 1) % kVertexButtonTestEvery == 0 && BothButtonsDown()) return;
    const RFillVertex& vertex = vertices[k];
    double x = vertex.X, y = vertex.Y;
    if (mode == kPaintPrint && PrintFrameAngle != 0) {
      RotateAboutCentre(x, y, NormalizeAngle360(-PrintFrameAngle), PrintFrame.Left, PrintFrame.Bottom);
    }
    polygon.push_back(mode == kPaintPrint ? WorldToPrinterPoint(x, y) : TPoint{WorldToScreenX(x), WorldToScreenY(y)});
    view->AddVertex(x, y);
    if (!anyVertex) {
      minX = maxX = x;
      minY = maxY = y;
      anyVertex = true;
    } else {
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
    if (vertex.Region == current) continue;

    // The closing vertex of a region.
    canvas.Brush.Style = bsSolid;
    const std::uint8_t group = vertex.Group;
    // A group outside the table has no fill settings: its region is skipped.
    const std::uint8_t fillMode = group < kLayerGroups ? FillSettings[group].Options[0] : 2;
    bool paint = true;
    if (fillMode == 0) {
      canvas.Pen.Mode = (mode == kPaintPrint || Color() != clBlack) ? pmNotXor : pmXor;
    } else if (fillMode == 1) {
      canvas.Pen.Mode = pmCopy;
    } else {
      paint = false;
      if (mode != kPaintPrint) {
        canvas.Pen.Style = psClear;
        canvas.Pen.Mode = pmCopy;
      }
    }
    if (paint) {
      if (vertex.Layer >= 13 && vertex.Layer <= 15) {
        const RFillSettings& fill = FillSettings[group];
        const std::size_t l = vertex.Layer - 13u;
        choice = {fill.Colours[l], fill.Colours[3 + l], fill.Options[1 + l], fill.Options[4 + l]};
        haveChoice = true;
      } else if (!haveChoice) {
        // The first region off the fill layers takes its group's first fill layer.
        const RFillSettings& fill = FillSettings[group];
        choice = {fill.Colours[0], fill.Colours[3], fill.Options[1], fill.Options[4]};
        haveChoice = true;
      }
      RFillChoice use = choice;
      if (mode == kPaintPrint && use.Style == 0 && use.Colour1 == clBlack) use.Colour1 = clWhite;

      canvas.Pen.Style = psClear;
      view->Classify(minX, minY, maxX, maxY);
      if (mode != kPaintPrint) {
        if (view->Class == 0) {
          const int left = WorldToScreenX(minX), bottom = WorldToScreenY(minY);
          const int right = WorldToScreenX(maxX), top = WorldToScreenY(maxY);
          const std::int64_t W = std::llabs(static_cast<std::int64_t>(right) - left);
          const std::int64_t H = std::llabs(static_cast<std::int64_t>(bottom) - top);
          const bool tooLarge = W + H >= kPixelLimit || left >= kPixelLimit || right >= kPixelLimit ||
                                bottom >= kPixelLimit || top >= kPixelLimit;
          if (mode == kPaintScreen && tooLarge) {
            ShowTopMessage(J("色塗表示倍率を超えました。"));
          } else {
            PaintFillPolygon(canvas, polygon, left, bottom, right, top, use.Colour1, use.Colour2, use.Style, use.Code,
                             true);
          }
        } else if (view->Class == 1) {
          std::vector<TPoint> screen;
          for (const RScreenCorner& c : view->ScreenPolygon) screen.push_back({c.X, c.Y});
          PaintFillPolygon(canvas, screen, 0, Height(), Width(), 0, use.Colour1, use.Colour2, use.Style, use.Code,
                           true);
        }
      } else if (view->Class == 0 || view->Class == 1) {
        const TPoint low = WorldToPrinterPoint(minX, minY);
        const TPoint high = WorldToPrinterPoint(maxX, maxY);
        PaintFillPolygon(canvas, polygon, low.X, low.Y, high.X, high.Y, use.Colour1, use.Colour2, use.Style, use.Code,
                         false);
      }
    }
    canvas.Pen.Mode = pmCopy;
    polygon.clear();
    view->Clear();
    anyVertex = false;
    current = vertex.Region;
  }
  view.reset();
  canvas.Pen.Mode = pmCopy;
  canvas.Brush.Color = Color();
  canvas.Pen.Style = psClear;
  canvas.Brush.Style = bsClear;
}

void TcadBox::PaintFillPolygon(TCanvas& canvas, const std::vector<TPoint>& points, int left, int bottom, int right,
                               int top, TColor colour1, TColor colour2, std::uint8_t style, std::uint8_t code,
                               bool onScreen) {
  if (style == 0 || (style >= 2 && style <= 7)) {
    canvas.Brush.Style = HatchOf(style);
    canvas.Brush.Color = colour1;
    canvas.Polygon(points);
    return;
  }

  // A gradient. Step widths below one pixel would divide by nothing or
  // never advance: they count as one pixel.
  const int q = std::max(1, onScreen ? GraSensai1 : GraPSensai);
  const int r = std::max(1, onScreen ? GraSensai2 : GraPSensai);
  const int x0 = left, y0 = top, x1 = right, y1 = bottom;
  const std::int64_t W64 = std::llabs(static_cast<std::int64_t>(left) - right);
  const std::int64_t H64 = std::llabs(static_cast<std::int64_t>(bottom) - top);
  if (W64 <= 8 || H64 <= 8) return;
  const int W = static_cast<int>(std::min<std::int64_t>(W64, std::numeric_limits<int>::max() / 4));
  const int H = static_cast<int>(std::min<std::int64_t>(H64, std::numeric_limits<int>::max() / 4));

  const int c1[3] = {static_cast<int>(colour1 & 0xFF), static_cast<int>((colour1 >> 8) & 0xFF),
                     static_cast<int>((colour1 >> 16) & 0xFF)};
  const int c2[3] = {static_cast<int>(colour2 & 0xFF), static_cast<int>((colour2 >> 8) & 0xFF),
                     static_cast<int>((colour2 >> 16) & 0xFF)};
  double d[3] = {0, 0, 0};
  auto steps = [&](double divisor, double factor) {
    for (int i = 0; i < 3; ++i) d[i] = (c2[i] - c1[i]) / divisor * factor;
  };
  // Colour of item k going out, and of item j on the way back after n steps.
  auto out = [&](double k) {
    return Mix(Component(c1[0], k * d[0]), Component(c1[1], k * d[1]), Component(c1[2], k * d[2]));
  };
  auto back = [&](int n, int j) {
    auto part = [&](int i) {
      const long long v =
          c1[i] + static_cast<long long>(std::trunc(n * d[i])) - static_cast<long long>(std::trunc(j * d[i]));
      return static_cast<int>(((v % 256) + 256) % 256);
    };
    return Mix(part(0), part(1), part(2));
  };
  auto strip = [&](TColor colour, std::int64_t l, std::int64_t t, std::int64_t rr, std::int64_t b) {
    canvas.Brush.Color = colour;
    canvas.Brush.Style = bsSolid;
    auto clampInt = [](std::int64_t v) {
      return static_cast<int>(
          std::clamp<std::int64_t>(v, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
    };
    canvas.FillRect(TRect{clampInt(l), clampInt(t), clampInt(rr), clampInt(b)});
  };
  auto horizontal = [&](std::int64_t k, TColor colour) { strip(colour, x0, y0 + k * q, x1, y0 + (k + 1) * q); };
  auto vertical = [&](std::int64_t k, TColor colour) { strip(colour, x0 + k * q, y0, x0 + (k + 1) * q, y1); };

  SetBkMode(canvas, TRANSPARENT);
  BeginPath(canvas);
  canvas.Polygon(points);
  EndPath(canvas);
  HRGN region = PathToRegion(canvas);
  const int selected = SelectClipRgn(canvas, region);
  if (selected == SIMPLEREGION || selected == COMPLEXREGION) {
    const int s = onScreen ? 4 : 8;
    switch (code) {
      case 0: {
        const int n = std::max(1, H / q);
        steps(n, 1);
        for (int k = 0; k <= n; ++k) horizontal(k, out(k));
        break;
      }
      case 1: {
        const int n = std::max(1, W / q);
        steps(n, 1);
        for (int k = 0; k <= n; ++k) vertical(k, out(k));
        break;
      }
      case 2:
        steps(H, 100);
        for (int k = 0; k <= H; ++k) horizontal(k, out(k));
        break;
      case 3:
        steps(W, 100);
        for (int k = 0; k <= W; ++k) vertical(k, out(k));
        break;
      case 4:
        steps(H, 1);
        for (int k = 0; k <= H; ++k) {
          const std::int64_t y = y0 + static_cast<std::int64_t>(k) * s;
          strip(out(static_cast<double>(k) * s), x0, y, x1, y + 1);
        }
        break;
      case 5:
        steps(W, 1);
        for (int k = 0; k <= W; ++k) {
          const std::int64_t x = x0 + static_cast<std::int64_t>(k) * s;
          strip(out(static_cast<double>(k) * s), x, y0, x + 1, y1);
        }
        break;
      case 6:
      case 7: {
        const int n = std::max(1, (code == 6 ? H : W) / (2 * q));
        steps(n, 1);
        for (int k = 0; k <= 2 * n + 1; ++k) {
          const TColor colour = k <= n ? out(k) : back(n, k - (n + 1));
          if (code == 6) {
            horizontal(k, colour);
          } else {
            vertical(k, colour);
          }
        }
        break;
      }
      case 8:
      case 9:
      case 10:
      case 11: {
        const bool there = code == 8 || code == 10;
        const bool fromTop = code == 8 || code == 9;
        const int span = W + H;
        const int n = std::max(1, there ? span / r : span / (2 * r));
        steps(n, 1);
        // Diagonal bands: P2 and P3 run along the top (or bottom) edge and
        // then down (up) the right; P1 and P4 down (up) the left edge and
        // then along the bottom (top).
        const std::int64_t yStart = fromTop ? y0 : y1;
        const std::int64_t dir = fromTop ? r : -r;
        std::int64_t p1x = x0, p1y = yStart, p2x = x0, p2y = yStart;
        std::int64_t p3x = x0 + r, p3y = yStart, p4x = x0, p4y = yStart + dir;
        const int count = there ? n + 1 : 2 * (n + 1);
        canvas.Pen.Style = psClear;
        for (int k = 0; k < count; ++k) {
          canvas.Brush.Color = (there || k <= n) ? out(k) : back(n, k - (n + 1));
          canvas.Brush.Style = bsSolid;
          auto pt = [](std::int64_t x, std::int64_t y) {
            return TPoint{static_cast<int>(std::clamp<std::int64_t>(x, INT32_MIN / 2, INT32_MAX / 2)),
                          static_cast<int>(std::clamp<std::int64_t>(y, INT32_MIN / 2, INT32_MAX / 2))};
          };
          canvas.Polygon({pt(p1x, p1y), pt(p2x, p2y), pt(p3x, p3y), pt(p4x, p4y)});
          if (p2x < x1) {
            p2x += r;
            p3x += r;
          } else {
            p2y += dir;
            p3y += dir;
          }
          const bool p1Running = fromTop ? p1y < y1 : p1y > y0;
          if (p1Running) {
            p1y += dir;
            p4y += dir;
          } else {
            p1x += r;
            p4x += r;
          }
        }
        break;
      }
      default: break;
    }
  }
  SelectClipRgn(canvas, nullptr);
  DeleteObject(region);
}

void TcadBox::DrawFillRegionOutlines() {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Color = kOutlineRed;
  canvas.Pen.Width = 3;
  std::uint16_t current = 0;
  bool havePrevious = false;
  double px = 0, py = 0;
  for (const RFillVertex& vertex : store_->FillVertices) {
    if (store_->LayerState(vertex.Group, vertex.Layer) != kLayerEditable) continue;
    if (vertex.Region == current) {
      if (havePrevious) DrawLine(1, canvas, px, py, vertex.X, vertex.Y);
      px = vertex.X;
      py = vertex.Y;
      havePrevious = true;
      continue;
    }
    // A closing vertex without a run before it has nothing to join.
    if (havePrevious) DrawLine(1, canvas, px, py, vertex.X, vertex.Y);
    havePrevious = false;
    current = vertex.Region;
  }
}

TPoint TcadBox::WorldToPrinterPoint(double x, double y) const {
  const double x1 = PrintFrame.Left, y1 = PrintFrame.Bottom;
  if (PrintKaiten) {
    RotateAboutCentre(x, y, 90, x1, y1);
    if (PrintScale != 0) x += PrintSheetSize.Width / PrintScale;
  }
  return TPoint{TruncInt(PrintPixelsPerUnitX * PrintScale * (x - x1)),
                TruncInt(PrintPageHeight - PrintPixelsPerUnitY * PrintScale * (y - y1))};
}
