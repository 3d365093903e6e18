// The window selection over a window that holds 1% of a mixed drawing,
// beside a plain loop asking SegmentSelectedByRect about the same elements.
// The ratio of the two is the cost of the selection's own bookkeeping: the
// marking pass over the whole drawing, the drawing pass over the elements
// in view and the highlighting of what it took.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "bench_canvas.h"
#include "canvas/cad_box.h"
#include "geometry/offsets_rects.h"
#include "mixed_drawing.h"

namespace {

// A tenth of the sheet each way: about 1% of the uniformly spread elements.
constexpr double kLeft = 500, kBottom = 400, kRight = 500 + 118.9, kTop = 400 + 84.1;

void BM_SelectWindowRange(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = BenchCanvas();
  TcadBox& box = *canvas;
  box.Draw1->Elements = MixedDrawing(state.range(0)).Elements;
  box.FitPaper(true, 0.99);  // the whole sheet in view
  box.RedrawAll(false);
  const bool crossing = state.range(1) != 0;
  std::int64_t taken = 0;
  for (auto _ : state) {
    box.SelectWindowRange(crossing, kLeft, kBottom, kRight, kTop);
    benchmark::ClobberMemory();
  }
  for (const RDrawElement& e : box.Draw1->Elements) taken += e.Selection == 1;
  state.counters["taken"] = static_cast<double>(taken);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same elements, each by its two points.
void BM_PlainSegmentLoop(benchmark::State& state) {
  const Tdrawinp store = MixedDrawing(state.range(0));
  const bool crossing = state.range(1) != 0;
  for (auto _ : state) {
    std::int64_t taken = 0;
    for (const RDrawElement& e : store.Elements) {
      taken += SegmentSelectedByRect(crossing, e.X1, e.Y1, e.X2, e.Y2, kLeft, kBottom, kRight, kTop);
    }
    benchmark::DoNotOptimize(taken);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_SelectWindowRange)
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1}})
    ->ArgNames({"elements", "crossing"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSegmentLoop)
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1}})
    ->ArgNames({"elements", "crossing"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
