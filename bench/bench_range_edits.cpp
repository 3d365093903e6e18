// The edits of many elements at once beside the plain work they cannot do
// without, measured in the same run:
// - deleting the selected half of a 100,000-element drawing, beside one
//   erase-if pass over a copy of its elements: in a working view, and with
//   the whole sheet in view, where painting over the deleted elements is
//   most of the work;
// - the hidden-line erase of a figure just under the erase's size limit
//   over 100,000 lines of which few lie near the figure, beside cutting
//   only those few by the same outline.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench_canvas.h"
#include "canvas/cad_box.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/offsets_rects.h"
#include "mixed_drawing.h"

namespace {

constexpr std::int64_t kElements = 100'000;

void SelectEveryOther(std::vector<RDrawElement>& elements) {
  for (std::size_t i = 0; i < elements.size(); ++i) elements[i].Selection = i % 2 == 0 ? 1 : 0;
}

void BM_DeleteSelectionHalf(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = BenchCanvas();
  TcadBox& box = *canvas;
  Tdrawinp drawing = MixedDrawing(kElements);
  SelectEveryOther(drawing.Elements);
  box.Draw1->ElementTexts = drawing.ElementTexts;
  box.FitPaper(true, 0.99);
  // view 0: beside the sheet, so only the store's work is measured;
  // 1: a working view of a tenth of the sheet each way; 2: the sheet.
  if (state.range(0) == 0) box.ZoomToWindow(2000, 1000 + 84.1, 2000 + 118.9, 1000);
  if (state.range(0) == 1) box.ZoomToWindow(500, 400 + 84.1, 500 + 118.9, 400);
  for (auto _ : state) {
    state.PauseTiming();
    box.Draw1->Elements = drawing.Elements;
    box.Draw1->ElementTexts = drawing.ElementTexts;
    state.ResumeTiming();
    box.DeleteSelection(true, false, true);
    benchmark::ClobberMemory();
  }
  state.counters["left"] = static_cast<double>(box.Draw1->Elements.size());
}

void BM_EraseIfSelectedCopy(benchmark::State& state) {
  Tdrawinp drawing = MixedDrawing(kElements);
  SelectEveryOther(drawing.Elements);
  std::vector<RDrawElement> copy;
  for (auto _ : state) {
    state.PauseTiming();
    copy = drawing.Elements;
    state.ResumeTiming();
    std::erase_if(copy, [](const RDrawElement& e) { return e.Selection == 1; });
    benchmark::ClobberMemory();
  }
  state.counters["left"] = static_cast<double>(copy.size());
}

// The figure: 99 circles and 200 lines in a 100 x 100 block at (500, 400),
// all in the outline's line type and colour; 299 elements, one under the
// limit of the erase.
constexpr double kFigureX = 500, kFigureY = 400;
constexpr int kNearLines = 100;

std::vector<RDrawElement> Figure() {
  std::vector<RDrawElement> figure;
  for (int i = 0; i < 99; ++i) {
    RDrawElement c = ZeroElement();
    c.Kind = kKindArc;
    c.LineType = 1;
    c.ColorNo = 1;
    c.X1 = kFigureX + 10 + (i % 9) * 10;
    c.Y1 = kFigureY + 10 + (i / 9) * 8;
    c.Radius = 4;
    c.Ratio = 1.0f;
    c.StartAngle = 0;
    c.EndAngle = 360;
    figure.push_back(c);
  }
  for (int i = 0; i < 200; ++i) {
    RDrawElement l = ZeroElement();
    l.Kind = kKindLine;
    l.LineType = 1;
    l.ColorNo = 1;
    const double y = kFigureY + i * 0.5;
    l.X1 = kFigureX;
    l.Y1 = y;
    l.X2 = kFigureX + (i % 2 == 0 ? 100 : 3);
    l.Y2 = y;
    figure.push_back(l);
  }
  return figure;
}

// 100 lines across the figure, the rest of the 100,000 away from it.
std::vector<RDrawElement> Drawing() {
  std::vector<RDrawElement> lines;
  lines.reserve(kElements);
  for (int i = 0; i < kNearLines; ++i) {
    RDrawElement l = ZeroElement();
    l.Kind = kKindLine;
    l.LineType = 1;
    l.ColorNo = 2;
    l.X1 = kFigureX - 20 + i * 1.4;
    l.Y1 = kFigureY - 20;
    l.X2 = l.X1 + 30;
    l.Y2 = kFigureY + 120;
    lines.push_back(l);
  }
  for (std::int64_t i = kNearLines; i < kElements; ++i) {
    RDrawElement l = ZeroElement();
    l.Kind = kKindLine;
    l.LineType = 1;
    l.ColorNo = 2;
    l.X1 = static_cast<double>(i % 300) * 3;
    l.Y1 = static_cast<double>(i / 300) * 1 + (i % 300 < 150 ? 0 : 600);
    l.X2 = l.X1 + 2;
    l.Y2 = l.Y1 + 0.5;
    if (l.Y1 < 600 && l.X1 >= kFigureX - 40) l.X1 = l.X2 = 50;  // keep clear of the figure
    lines.push_back(l);
  }
  return lines;
}

void BM_ErasePasteHiddenLines(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = BenchCanvas();
  TcadBox& box = *canvas;
  box.FitPaper(true, 0.99);
  box.SenUrakesicol.set(1);
  box.Draw1->Buffer = Figure();
  const std::vector<RDrawElement> drawing = Drawing();
  for (auto _ : state) {
    state.PauseTiming();
    box.Draw1->Elements = drawing;
    state.ResumeTiming();
    box.ErasePasteHiddenLines(0, 0, 0, 0, 0, 0, 1, 1);
    benchmark::ClobberMemory();
  }
  state.counters["elements"] = static_cast<double>(box.Draw1->Elements.size());
}

// The same outline cut into only the lines near the figure.
void BM_CutNearLinesByOutline(benchmark::State& state) {
  std::vector<RPolyEdge> edges;
  for (const RDrawElement& e : Figure()) {
    if (e.Kind == kKindLine) {
      edges.push_back({e.X1, e.Y1, e.X2, e.Y2, e.ColorNo});
      continue;
    }
    std::array<RPoint2D, 37> points;
    ArcToPolyline(points, 36, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      edges.push_back({points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, 0});
    }
  }
  const std::vector<RDrawElement> drawing = Drawing();
  for (auto _ : state) {
    int cut = 0;
    for (int i = 0; i < kNearLines; ++i) {
      const RDrawElement& e = drawing[static_cast<std::size_t>(i)];
      double a = 0, b = 0, c = 0, d = 0, f = 0, g = 0, h = 0, k = 0;
      cut += SegmentPartsOutsidePolygon(edges, e.X1, e.Y1, e.X2, e.Y2, a, b, c, d, f, g, h, k, true, false) >= 0;
    }
    benchmark::DoNotOptimize(cut);
  }
}

BENCHMARK(BM_DeleteSelectionHalf)->Arg(0)->Arg(1)->Arg(2)->ArgName("view")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EraseIfSelectedCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ErasePasteHiddenLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutNearLinesByOutline)->Unit(benchmark::kMillisecond);

}  // namespace
