// Building and refiltering the display lists of large drawings, beside one
// plain pass over the same elements that reads what a build must read (the
// kind, group, layer and four coordinates of each). The counter "ratio" is
// build time / pass time (target: 2 at most).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "canvas/drawing_store.h"
#include "mixed_drawing.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double OnePass(const Tdrawinp& store) {
  double sum = 0;
  for (const RDrawElement& e : store.Elements) {
    const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
    sum += x1 + y1 + x2 + y2 + e.Kind + e.Group + e.Layer;
  }
  return sum;
}

// Every build is a real one: the window moves by a millimetre each time, so
// the lists cannot be kept.
void BM_BuildWholePaper(benchmark::State& state) {
  Tdrawinp store = MixedDrawing(state.range(0));
  store.BuildDisplayLists(0, 0, 1189, 841, 0.3);
  // A first snap builds the spatial index, which every later build checks.
  double x = 600, y = 420;
  benchmark::DoNotOptimize(store.SnapPoint(x, y, 0.3, 0, {}));
  double buildTime = 0, passTime = 0;
  double shift = 0;
  for (auto _ : state) {
    shift = shift == 0 ? 1 : 0;
    auto t = Clock::now();
    store.BuildDisplayLists(shift, 0, 1189 + shift, 841, 0.3);
    benchmark::DoNotOptimize(store.DisplayList.data());
    buildTime += Seconds(t);
    t = Clock::now();
    benchmark::DoNotOptimize(OnePass(store));
    passTime += Seconds(t);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["build_ms"] = 1000 * buildTime / n;
  state.counters["pass_ms"] = 1000 * passTime / n;
  state.counters["ratio"] = buildTime / passTime;
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same build asked for again with nothing changed.
void BM_BuildUnchanged(benchmark::State& state) {
  Tdrawinp store = MixedDrawing(state.range(0));
  store.BuildDisplayLists(0, 0, 1189, 841, 0.3);
  for (auto _ : state) {
    store.BuildDisplayLists(0, 0, 1189, 841, 0.3);
    benchmark::DoNotOptimize(store.DisplayList.data());
  }
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
BENCHMARK(BM_BuildUnchanged)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefilterAfterZoomIn)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
