// Building and refiltering the display lists of large drawings.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "canvas/drawing_store.h"
#include "mixed_drawing.h"

namespace {


void BM_BuildWholePaper(benchmark::State& state) {
  Tdrawinp store = MixedDrawing(state.range(0));
  for (auto _ : state) {
    store.BuildDisplayLists(0, 0, 1189, 841, 0.3);
    benchmark::DoNotOptimize(store.DisplayList.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RefilterAfterZoomIn(benchmark::State& state) {
  Tdrawinp store = MixedDrawing(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    store.BuildDisplayLists(0, 0, 1189, 841, 0.3);
    state.ResumeTiming();
    store.RefilterDisplayLists(400, 300, 700, 500, 1.2);
    benchmark::DoNotOptimize(store.DisplayList.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_BuildWholePaper)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefilterAfterZoomIn)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
