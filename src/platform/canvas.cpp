#include "platform/canvas.h"

#include "geometry/codepage.h"
#include "platform/canvas_paint.h"
#include "platform/gdi.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>

TGdiObject::~TGdiObject() = default;

TFont::TFont() {
  Logical.lfHeight = -12;
  SetName(J("ＭＳ Ｐゴシック"));
}

std::string TFont::Name() const {
  return std::string(Logical.lfFaceName, strnlen(Logical.lfFaceName, sizeof Logical.lfFaceName));
}

void TFont::SetName(const std::string& cp932) {
  std::memset(Logical.lfFaceName, 0, sizeof Logical.lfFaceName);
  std::memcpy(Logical.lfFaceName, cp932.data(), std::min(cp932.size(), sizeof Logical.lfFaceName - 1));
}

void TFont::SetHandle(HFONT font) {
  if (font != nullptr) Logical = font->Logical;
}

TPixelRef::operator TColor() const { return canvas_.GetPixel(x_, y_); }

TPixelRef& TPixelRef::operator=(TColor color) {
  canvas_.SetPixel(x_, y_, color);
  return *this;
}

// ---- shared painting helpers ------------------------------------------------

RasterBox CanvasBox(const TCanvas::Impl& impl) { return RasterBox{0, 0, impl.Image.width(), impl.Image.height()}; }

bool PixelAllowed(const TCanvas::Impl& impl, int x, int y) {
  bool allowed = false;
  ForEachAllowedRun(impl, y, x, x + 1, [&](int, int) { allowed = true; });
  return allowed;
}

namespace {

bool HatchCovers(TBrushStyle style, int x, int y) {
  const auto mod8 = [](int v) { return ((v % 8) + 8) % 8; };
  const bool horizontal = mod8(y) == 0;
  const bool vertical = mod8(x) == 0;
  const bool forward = mod8(x - y) == 0;   // "\" falling to the right
  const bool backward = mod8(x + y) == 0;  // "/" rising to the right
  switch (style) {
    case bsHorizontal: return horizontal;
    case bsVertical: return vertical;
    case bsFDiagonal: return forward;
    case bsBDiagonal: return backward;
    case bsCross: return horizontal || vertical;
    case bsDiagCross: return forward || backward;
    case bsSolid: return true;
    case bsClear: return false;
  }
  return false;
}

inline void Combine(QRgb& dest, QRgb source, TPenMode mode) {
  switch (mode) {
    case pmXor: dest = ((dest ^ source) & 0xFFFFFFu) | 0xFF000000u; return;
    case pmNotXor: dest = (~(dest ^ source) & 0xFFFFFFu) | 0xFF000000u; return;
    case pmMerge: dest = (dest | source) | 0xFF000000u; return;
    case pmCopy: break;
  }
  dest = source | 0xFF000000u;
}

bool SameBrush(const TBrush& a, const TBrush& b) { return a.Color == b.Color && a.Style == b.Style; }

}  // namespace

FillSource PenSource(const TPen& pen) {
  FillSource s;
  s.Color = pen.Color;
  s.Style = bsSolid;
  return s;
}

void RealiseBrush(TCanvas& canvas) {
  TCanvas::Impl& impl = canvas.Internals();
  if (impl.BrushRealised && SameBrush(impl.RealisedBrush, canvas.Brush)) return;
  impl.BrushRealised = true;
  impl.RealisedBrush = canvas.Brush;
  // A solid brush makes the background opaque in its own colour; any other
  // brush makes it transparent, until the background mode is set again.
  if (canvas.Brush.Style == bsSolid) {
    impl.BkColor = canvas.Brush.Color & 0xFFFFFFu;
    impl.BkMode = OPAQUE;
  } else {
    impl.BkColor = ~canvas.Brush.Color & 0xFFFFFFu;
    impl.BkMode = TRANSPARENT;
  }
}

FillSource BrushSource(TCanvas& canvas) {
  RealiseBrush(canvas);
  const TCanvas::Impl& impl = canvas.Internals();
  FillSource s;
  s.Color = canvas.Brush.Color;
  s.Style = canvas.Brush.Style;
  s.OpaqueGaps = impl.BkMode == OPAQUE;
  s.GapColor = impl.BkColor;
  return s;
}

QRgb* TCanvas::Impl::OverlayRowFor(TPenMode mode, int y) {
  if (y < 0 || y >= Image.height()) return nullptr;
  if (!RecordsXor(mode)) {
    return OverlayInUse && OverlayLifted == 0 ? reinterpret_cast<QRgb*>(XorOverlay.scanLine(y)) : nullptr;
  }
  if (XorOverlay.size() != Image.size()) {
    XorOverlay = QImage(Image.size(), QImage::Format_RGB32);
    XorOverlay.fill(0);
  }
  OverlayInUse = true;
  return reinterpret_cast<QRgb*>(XorOverlay.scanLine(y));
}

OverlayLift::OverlayLift(TCanvas::Impl& impl, const QRect& bounds)
    : impl_(impl), bounds_(impl.OverlayInUse && impl.OverlayLifted == 0 ? bounds & impl.Image.rect() : QRect()) {
  Toggle();
  if (!bounds_.isEmpty()) ++impl_.OverlayLifted;
}

OverlayLift::~OverlayLift() {
  if (!bounds_.isEmpty()) --impl_.OverlayLifted;
  Toggle();
}

void OverlayLift::Toggle() {
  if (bounds_.isEmpty()) return;
  for (int y = bounds_.top(); y <= bounds_.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(impl_.Image.scanLine(y));
    const auto* over = reinterpret_cast<const QRgb*>(impl_.XorOverlay.constScanLine(y));
    for (int x = bounds_.left(); x <= bounds_.right(); ++x) line[x] ^= over[x] & 0xFFFFFFu;
  }
}

namespace {

// What a pixel written with the pen mode XORs into the overlay.
inline QRgb OverlayInk(QRgb source, TPenMode mode) { return (mode == pmNotXor ? ~source : source) & 0xFFFFFFu; }

// One pixel written where XOR drawing is kept. The picture goes under it
// (lifted off, the pen applied, put back); an XOR pen over the picture adds
// to it; any other pen over the picture covers what was drawn in XOR there,
// which so is gone.
inline void Write(QRgb& dest, QRgb* overlay, QRgb source, TPenMode mode, bool picture) {
  if (overlay == nullptr) {
    Combine(dest, source, mode);
    return;
  }
  const bool xorPen = mode == pmXor || mode == pmNotXor;
  if (picture && !xorPen) {
    const QRgb over = *overlay & 0xFFFFFFu;
    dest ^= over;
    Combine(dest, source, mode);
    dest ^= over;
    return;
  }
  Combine(dest, source, mode);
  if (picture) return;
  if (xorPen) {
    *overlay ^= OverlayInk(source, mode);
  } else {
    *overlay = 0;
  }
}

}  // namespace

TCanvas::TPictureDrawing::TPictureDrawing(TCanvas& canvas) : canvas_(canvas) { ++canvas_.impl_->PictureDepth; }
TCanvas::TPictureDrawing::~TPictureDrawing() { --canvas_.impl_->PictureDepth; }

void TCanvas::ForgetXorDrawing() {
  if (impl_->OverlayInUse) impl_->XorOverlay.fill(0);
  impl_->OverlayInUse = false;
}

void TCanvas::ForgetXorDrawing(const TRect& rect) {
  QImage& overlay = impl_->XorOverlay;
  if (!impl_->OverlayInUse) return;
  const QRect r =
      QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right - 1, rect.Bottom - 1)).normalized() & overlay.rect();
  for (int y = r.top(); y <= r.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(y));
    std::fill(line + r.left(), line + r.right() + 1, 0u);
  }
}

void PaintRun(TCanvas::Impl& impl, int y, int x0, int x1, const FillSource& source, TPenMode mode) {
  if (source.Style == bsClear) return;
  const QRgb ink = QRgbFromColor(source.Color);
  const QRgb gap = QRgbFromColor(source.GapColor);
  QRgb* overlay = impl.OverlayRowFor(mode, y);
  const bool picture = impl.PictureDepth > 0;
  ForEachAllowedRun(impl, y, x0, x1, [&](int a, int b) {
    auto* line = reinterpret_cast<QRgb*>(impl.Image.scanLine(y));
    for (int x = a; x < b; ++x) {
      if (source.Style == bsSolid || HatchCovers(source.Style, x, y)) {
        Write(line[x], overlay ? &overlay[x] : nullptr, ink, mode, picture);
      } else if (source.OpaqueGaps) {
        Write(line[x], overlay ? &overlay[x] : nullptr, gap, mode, picture);
      }
    }
  });
}

void PaintPixel(TCanvas::Impl& impl, int x, int y, const FillSource& source, TPenMode mode) {
  PaintRun(impl, y, x, x + 1, source, mode);
}

void PreparePainter(QPainter& painter, const TCanvas::Impl& impl, TPenMode mode) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (impl.HasClip) painter.setClipRegion(impl.ClipRegion);
  switch (mode) {
    case pmXor: painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case pmNotXor: painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    case pmMerge: painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case pmCopy: painter.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
  }
}

void TCanvas::Impl::RebuildClip() {
  ClipRows.assign(static_cast<size_t>(std::max(0, Image.height())), {});
  ClipRegion = QRegion();
  if (!HasClip) return;
  std::vector<std::vector<RasterPointD>> figures;
  for (const auto& figure : ClipFigures) {
    std::vector<RasterPointD> f;
    for (const TPoint& p : figure) f.push_back({static_cast<double>(p.X), static_cast<double>(p.Y)});
    figures.push_back(std::move(f));
  }
  RasterPolygons(figures, ClipFillMode == 2 ? RasterFillRule::Winding : RasterFillRule::Alternate, CanvasBox(*this),
                 [&](int y, int x0, int x1) { ClipRows[static_cast<size_t>(y)].emplace_back(x0, x1); });
  std::vector<std::pair<int, std::vector<std::pair<int, int>>>> rows;
  for (size_t y = 0; y < ClipRows.size(); ++y) {
    if (!ClipRows[y].empty()) rows.emplace_back(static_cast<int>(y), ClipRows[y]);
  }
  ClipRegion = RegionFromRuns(rows);
}

QRegion RegionFromRuns(const std::vector<std::pair<int, std::vector<std::pair<int, int>>>>& rows) {
  // Each band is a run of rows with the same runs; setRects wants exactly
  // this banded order.
  std::vector<QRect> rects;
  size_t i = 0;
  while (i < rows.size()) {
    size_t j = i + 1;
    while (j < rows.size() && rows[j].first == rows[j - 1].first + 1 && rows[j].second == rows[i].second) ++j;
    const int top = rows[i].first;
    const int height = rows[j - 1].first - top + 1;
    for (const auto& run : rows[i].second) rects.emplace_back(run.first, top, run.second - run.first, height);
    i = j;
  }
  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

QImage& CanvasImage(TCanvas& canvas) { return canvas.Internals().Image; }

// ---- wide pens ----------------------------------------------------------------

namespace {

// Wide pens are centred on the path with round ends and joins; each segment
// is cut to the neighbourhood of the image in double precision first, so no
// far coordinate reaches QPainter.
void DrawWidePath(TCanvas& canvas, const std::vector<TPoint>& points, bool closed) {
  TCanvas::Impl& impl = canvas.Internals();
  if (points.size() < 2 || impl.Image.isNull()) return;
  const int width = PaintedPenWidth(canvas.Pen);
  const double margin = width + 4.0;
  const double left = -margin;
  const double top = -margin;
  const double right = impl.Image.width() + margin;
  const double bottom = impl.Image.height() + margin;
  QPainterPath path;
  const size_t n = points.size();
  const size_t segments = closed ? n : n - 1;
  for (size_t i = 0; i < segments; ++i) {
    double x0 = points[i].X;
    double y0 = points[i].Y;
    double x1 = points[(i + 1) % n].X;
    double y1 = points[(i + 1) % n].Y;
    if (!RasterClipSegment(x0, y0, x1, y1, left, top, right, bottom)) continue;
    // Pixel indices to pixel centres, so the pen is centred on the pixels
    // that a thin line would paint.
    path.moveTo(x0 + 0.5, y0 + 0.5);
    path.lineTo(x1 + 0.5, y1 + 0.5);
  }
  if (path.isEmpty()) return;
  const bool xorPen = canvas.Pen.Mode == pmXor || canvas.Pen.Mode == pmNotXor;
  const bool record = impl.RecordsXor(canvas.Pen.Mode);
  const QRect bounds = path.boundingRect().toAlignedRect().adjusted(-width - 2, -width - 2, width + 2, width + 2);
  // Wide pens other than XOR draw under the XOR drawing kept over the picture.
  const OverlayLift lift(impl, xorPen ? QRect() : bounds);
  const auto stroke = [&](QImage& target) {
    QPainter painter(&target);
    PreparePainter(painter, impl, canvas.Pen.Mode);
    QPen pen(QColor::fromRgb(QRgbFromColor(canvas.Pen.Color)));
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
  };
  stroke(impl.Image);
  // The same pixels XORed into the overlay, which starts from black.
  if (record && impl.OverlayRowFor(canvas.Pen.Mode, 0) != nullptr) stroke(impl.XorOverlay);
}

void DrawThinSegment(TCanvas& canvas, TPoint a, TPoint b) {
  TCanvas::Impl& impl = canvas.Internals();
  const FillSource ink = PenSource(canvas.Pen);
  const TPenMode mode = canvas.Pen.Mode;
  if (impl.HasClip) {
    RasterThinLineWith(a.X, a.Y, b.X, b.Y, CanvasBox(impl), [&](int x, int y) { PaintPixel(impl, x, y, ink, mode); });
    return;
  }
  // Unclipped: straight into the image, which is the redraw's common case.
  if (impl.Image.isNull()) return;
  auto* bits = reinterpret_cast<QRgb*>(impl.Image.bits());
  const qsizetype stride = impl.Image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  const QRgb colour = QRgbFromColor(ink.Color);
  if (impl.OverlayRowFor(mode, 0) != nullptr) {
    auto* over = reinterpret_cast<QRgb*>(impl.XorOverlay.bits());
    const bool picture = impl.PictureDepth > 0;
    RasterThinLineWith(a.X, a.Y, b.X, b.Y, CanvasBox(impl), [&](int x, int y) {
      Write(bits[y * stride + x], &over[y * stride + x], colour, mode, picture);
    });
    return;
  }
  RasterThinLineWith(a.X, a.Y, b.X, b.Y, CanvasBox(impl),
                     [&](int x, int y) { Combine(bits[y * stride + x], colour, mode); });
}

void StrokeOutline(TCanvas& canvas, const std::vector<TPoint>& points, bool closed) {
  if (canvas.Pen.Style == psClear || points.size() < 2) return;
  if (PaintedPenWidth(canvas.Pen) > 1) {
    DrawWidePath(canvas, points, closed);
    return;
  }
  const size_t n = points.size();
  const size_t segments = closed ? n : n - 1;
  for (size_t i = 0; i < segments; ++i) DrawThinSegment(canvas, points[i], points[(i + 1) % n]);
}

std::vector<std::vector<RasterPointD>> AsFigures(const std::vector<TPoint>& points) {
  std::vector<RasterPointD> f;
  f.reserve(points.size());
  for (const TPoint& p : points) f.push_back({static_cast<double>(p.X), static_cast<double>(p.Y)});
  return {std::move(f)};
}

void PaintBox(TCanvas& canvas, int64_t l, int64_t t, int64_t r, int64_t b, const FillSource& source, TPenMode mode) {
  TCanvas::Impl& impl = canvas.Internals();
  const int64_t y0 = std::max<int64_t>(t, 0);
  const int64_t y1 = std::min<int64_t>(b, impl.Image.height());
  const int64_t x0 = std::max<int64_t>(l, 0);
  const int64_t x1 = std::min<int64_t>(r, impl.Image.width());
  if (x0 >= x1) return;
  for (int64_t y = y0; y < y1; ++y) {
    PaintRun(impl, static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1), source, mode);
  }
}

}  // namespace

// ---- TCanvas --------------------------------------------------------------------

TCanvas::TCanvas(int width, int height, TColor background) : impl_(std::make_unique<Impl>()) {
  impl_->Image = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
  impl_->Image.fill(QRgbFromColor(background));
  impl_->RebuildClip();
}

TCanvas::~TCanvas() = default;

int TCanvas::Width() const { return impl_->Image.width(); }
int TCanvas::Height() const { return impl_->Image.height(); }

void TCanvas::SetSize(int width, int height, TColor fill) {
  const DrawnNotice notice(*this);
  QImage next(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
  next.fill(QRgbFromColor(fill));
  if (!impl_->Image.isNull() && !next.isNull()) {
    QPainter painter(&next);
    painter.drawImage(0, 0, impl_->Image);
  }
  impl_->Image = std::move(next);
  if (impl_->XorOverlay.size() != impl_->Image.size() && !impl_->XorOverlay.isNull()) {
    QImage overlay(impl_->Image.size(), QImage::Format_RGB32);
    overlay.fill(0);
    QPainter painter(&overlay);
    painter.drawImage(0, 0, impl_->XorOverlay);
    impl_->XorOverlay = std::move(overlay);
  }
  impl_->RebuildClip();
}

void TCanvas::MoveTo(int x, int y) {
  impl_->PenPos = {x, y};
  if (impl_->PathOpen) impl_->PathFigures.push_back({impl_->PenPos});
}

void TCanvas::LineTo(int x, int y) {
  const DrawnNotice notice(*this);
  const TPoint from = impl_->PenPos;
  const TPoint to{x, y};
  impl_->PenPos = to;
  if (impl_->PathOpen) {
    if (impl_->PathFigures.empty()) impl_->PathFigures.push_back({from});
    impl_->PathFigures.back().push_back(to);
    return;
  }
  // A thin pen draws the segment straight away: no outline to build.
  if (Pen.Style != psClear && PaintedPenWidth(Pen) <= 1) {
    DrawThinSegment(*this, from, to);
    return;
  }
  StrokeOutline(*this, {from, to}, false);
}

TPoint TCanvas::PenPos() const { return impl_->PenPos; }

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  const DrawnNotice notice(*this);
  if (impl_->PathOpen) {
    if (!points.empty()) impl_->PathFigures.push_back(points);
    return;
  }
  StrokeOutline(*this, points, false);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  const DrawnNotice notice(*this);
  if (impl_->PathOpen) {
    if (!points.empty()) impl_->PathFigures.push_back(points);
    return;
  }
  if (points.size() < 2) return;
  const FillSource fill = BrushSource(*this);
  if (fill.Style != bsClear) {
    const TPenMode mode = Pen.Mode;
    RasterPolygons(AsFigures(points), RasterFillRule::Alternate, CanvasBox(*impl_),
                   [&](int y, int x0, int x1) { PaintRun(*impl_, y, x0, x1, fill, mode); });
  }
  StrokeOutline(*this, points, true);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const DrawnNotice notice(*this);
  const int64_t l = std::min(x1, x2);
  const int64_t r = std::max(x1, x2);
  const int64_t t = std::min(y1, y2);
  const int64_t b = std::max(y1, y2);
  if (impl_->PathOpen) {
    impl_->PathFigures.push_back({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
    return;
  }
  if (r <= l || b <= t) return;
  const FillSource fill = BrushSource(*this);
  const TPenMode mode = Pen.Mode;
  if (Pen.Style == psClear) {
    PaintBox(*this, l, t, r, b, fill, mode);
    return;
  }
  // The outline band: one pixel on the box's own border for a thin pen,
  // centred on it for a wide one; the brush fills what lies inside it.
  const int width = PaintedPenWidth(Pen);
  const int64_t lo = (width - 1) / 2;
  const int64_t hi = width - 1 - lo;
  const int64_t ol = l - lo, ot = t - lo, or_ = r + hi, ob = b + hi;  // [ol, or_) x [ot, ob)
  const int64_t il = l + 1 + hi, it = t + 1 + hi, ir = r - 1 - lo, ib = b - 1 - lo;
  const FillSource ink = PenSource(Pen);
  const bool hollow = il >= ir || it >= ib;
  const int64_t rowFirst = std::max<int64_t>(ot, 0);
  const int64_t rowEnd = std::min<int64_t>(ob, impl_->Image.height());
  for (int64_t y = rowFirst; y < rowEnd; ++y) {
    const int row = static_cast<int>(y);
    const int cl = static_cast<int>(std::clamp<int64_t>(ol, -1, impl_->Image.width() + 1));
    const int cr = static_cast<int>(std::clamp<int64_t>(or_, -1, impl_->Image.width() + 1));
    if (hollow || y < it || y >= ib) {
      PaintRun(*impl_, row, cl, cr, ink, mode);
      continue;
    }
    const int cil = static_cast<int>(std::clamp<int64_t>(il, -1, impl_->Image.width() + 1));
    const int cir = static_cast<int>(std::clamp<int64_t>(ir, -1, impl_->Image.width() + 1));
    PaintRun(*impl_, row, cl, cil, ink, mode);
    PaintRun(*impl_, row, cil, cir, fill, mode);
    PaintRun(*impl_, row, cir, cr, ink, mode);
  }
}

void TCanvas::FillRect(const TRect& rect) {
  const DrawnNotice notice(*this);
  // A plain pattern copy: the pen mode plays no part.
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  const FillSource fill = BrushSource(*this);
  PaintBox(*this, rect.Left, rect.Top, rect.Right, rect.Bottom, fill, pmCopy);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const DrawnNotice notice(*this);
  if (impl_->PathOpen) return;
  const FillSource fill = BrushSource(*this);
  const bool noPen = Pen.Style == psClear;
  const FillSource ink = noPen ? fill : PenSource(Pen);
  const TPenMode mode = Pen.Mode;
  RasterEllipse e{x1, y1, x2, y2, noPen ? 1 : PaintedPenWidth(Pen)};
  RasterEllipseRing(
      e, CanvasBox(*impl_), [&](int y, int a, int b) { PaintRun(*impl_, y, a, b, ink, mode); },
      [&](int y, int a, int b) { PaintRun(*impl_, y, a, b, fill, mode); });
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  const DrawnNotice notice(*this);
  if (impl_->PathOpen || Pen.Style == psClear) return;
  RasterEllipse e{x1, y1, x2, y2, PaintedPenWidth(Pen)};
  const bool whole = x3 == x4 && y3 == y4;
  const double start = RasterDirectionFromCentre(e, x3, y3);
  const double end = RasterDirectionFromCentre(e, x4, y4);
  const FillSource ink = PenSource(Pen);
  const TPenMode mode = Pen.Mode;
  RasterEllipseArc(e, start, end, whole, CanvasBox(*impl_), [&](int x, int y) { PaintPixel(*impl_, x, y, ink, mode); });
}

TColor TCanvas::GetPixel(int x, int y) const {
  if (!PixelAllowed(*impl_, x, y)) return clInvalid;
  return ColorFromQRgb(impl_->Image.pixel(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  const DrawnNotice notice(*this);
  if (!PixelAllowed(*impl_, x, y)) return;
  // A pixel of the picture goes under what XOR pens keep over it; any other
  // covers it.
  QRgb* over = impl_->OverlayRowFor(pmCopy, y);
  const bool under = over != nullptr && impl_->PictureDepth > 0;
  impl_->Image.setPixel(x, y, QRgbFromColor(color) ^ (under ? over[x] & 0xFFFFFFu : 0u));
  if (over != nullptr && !under) over[x] = 0;
}
