#include "platform/gdi.h"

#include "platform/canvas_paint.h"

#include <algorithm>

namespace {

std::vector<std::vector<RasterPointD>> RegionFigures(const TRegionObject& region) {
  std::vector<std::vector<RasterPointD>> figures;
  for (const auto& figure : region.Figures) {
    std::vector<RasterPointD> f;
    for (const TPoint& p : figure) f.push_back({static_cast<double>(p.X), static_cast<double>(p.Y)});
    figures.push_back(std::move(f));
  }
  return figures;
}

RasterFillRule RuleOf(int fillMode) {
  return fillMode == WINDING ? RasterFillRule::Winding : RasterFillRule::Alternate;
}

}  // namespace

HFONT CreateFontIndirectA(const LOGFONTA& logical) {
  auto* font = new TFontObject;
  font->Logical = logical;
  font->Logical.lfFaceName[sizeof font->Logical.lfFaceName - 1] = '\0';
  return font;
}

bool DeleteObject(HGDIOBJ object) {
  if (object == nullptr) return false;
  delete object;
  return true;
}

int SetBkMode(TCanvas& canvas, int mode) {
  RealiseBrush(canvas);
  TCanvas::Impl& impl = canvas.Internals();
  const int previous = impl.BkMode;
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  impl.BkMode = mode;
  return previous;
}

int GetBkMode(const TCanvas& canvas) {
  // The mode a drawing call would use now, a changed brush included.
  const TCanvas::Impl& impl = canvas.Internals();
  if (impl.BrushRealised && impl.RealisedBrush.Color == canvas.Brush.Color &&
      impl.RealisedBrush.Style == canvas.Brush.Style) {
    return impl.BkMode;
  }
  return canvas.Brush.Style == bsSolid ? OPAQUE : TRANSPARENT;
}

TColor SetBkColor(TCanvas& canvas, TColor color) {
  RealiseBrush(canvas);
  TCanvas::Impl& impl = canvas.Internals();
  const TColor previous = impl.BkColor;
  impl.BkColor = color & 0xFFFFFFu;
  return previous;
}

bool BeginPath(TCanvas& canvas) {
  TCanvas::Impl& impl = canvas.Internals();
  impl.PathOpen = true;
  impl.PathReady = false;
  impl.PathFigures.clear();
  return true;
}

bool EndPath(TCanvas& canvas) {
  TCanvas::Impl& impl = canvas.Internals();
  if (!impl.PathOpen) return false;
  impl.PathOpen = false;
  impl.PathReady = true;
  return true;
}

HRGN PathToRegion(TCanvas& canvas) {
  TCanvas::Impl& impl = canvas.Internals();
  if (!impl.PathReady) return nullptr;
  impl.PathReady = false;
  auto* region = new TRegionObject;
  for (auto& figure : impl.PathFigures) {
    if (figure.size() >= 2) region->Figures.push_back(std::move(figure));
  }
  impl.PathFigures.clear();
  region->FillMode = ALTERNATE;
  return region;
}

int SelectClipRgn(TCanvas& canvas, HRGN region) {
  TCanvas::Impl& impl = canvas.Internals();
  if (region == nullptr) {
    impl.HasClip = false;
    impl.ClipFigures.clear();
    impl.RebuildClip();
    return SIMPLEREGION;
  }
  impl.HasClip = true;
  impl.ClipFigures = region->Figures;
  impl.ClipFillMode = region->FillMode;
  impl.RebuildClip();
  // One rectangle when every covered row holds the same single run and the
  // covered rows follow each other.
  int first = -1;
  int last = -1;
  bool simple = true;
  std::pair<int, int> run{0, 0};
  for (size_t y = 0; y < impl.ClipRows.size(); ++y) {
    const auto& row = impl.ClipRows[y];
    if (row.empty()) continue;
    if (first < 0) {
      first = static_cast<int>(y);
      run = row.front();
    } else if (last != static_cast<int>(y) - 1) {
      simple = false;
    }
    last = static_cast<int>(y);
    if (row.size() != 1 || row.front() != run) simple = false;
  }
  if (first < 0) return NULLREGION;
  return simple ? SIMPLEREGION : COMPLEXREGION;
}

HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode) {
  if (points == nullptr || count < 2) return nullptr;
  auto* region = new TRegionObject;
  region->Figures.emplace_back(points, points + count);
  region->FillMode = fillMode == WINDING ? WINDING : ALTERNATE;
  return region;
}

HRGN CreatePolygonRgn(const std::vector<TPoint>& points, int fillMode) {
  return CreatePolygonRgn(points.data(), static_cast<int>(points.size()), fillMode);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto* region = new TRegionObject;
  const int l = std::min(left, right);
  const int r = std::max(left, right);
  const int t = std::min(top, bottom);
  const int b = std::max(top, bottom);
  region->Figures.push_back({{l, t}, {r, t}, {r, b}, {l, b}});
  return region;
}

bool PtInRegion(HRGN region, int x, int y) {
  if (region == nullptr) return false;
  for (const auto& run : RasterPolygonRow(RegionFigures(*region), RuleOf(region->FillMode), y)) {
    if (x >= run.first && x < run.second) return true;
  }
  return false;
}

QRegion QRegionFromRegion(HRGN region, const QRect& bounds) {
  QRegion result;
  if (region == nullptr || bounds.isEmpty()) return result;
  const RasterBox box{bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1};
  std::vector<std::pair<int, std::vector<std::pair<int, int>>>> rows;
  RasterPolygons(RegionFigures(*region), RuleOf(region->FillMode), box, [&](int y, int x0, int x1) {
    if (rows.empty() || rows.back().first != y) rows.emplace_back(y, std::vector<std::pair<int, int>>{});
    rows.back().second.emplace_back(x0, x1);
  });
  result = RegionFromRuns(rows);
  return result;
}
