// Peak resident memory of a drawing of 1,000,000 elements with its display
// lists (built for the whole sheet) and its spatial index, against the
// records alone. Runs once in a process of its own; the counter "ratio" is
// the peak with lists and index / the peak of the records (target: 1.5 at
// most).

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "canvas/drawing_store.h"
#include "mixed_drawing.h"

namespace {

// A field of /proc/self/status in kilobytes.
double StatusKb(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1));
  }
  return 0;
}

void BM_PeakMemory(benchmark::State& state) {
  for (auto _ : state) {
    const double base = StatusKb("VmRSS");
    Tdrawinp store = MixedDrawing(state.range(0));
    const double records = StatusKb("VmHWM") - base;
    store.BuildDisplayLists(0, 0, 1189, 841, 0.3);
    double x = 600, y = 420;
    benchmark::DoNotOptimize(store.SnapPoint(x, y, 0.3, 0, {}));  // builds the index
    const double peak = StatusKb("VmHWM") - base;
    const double kept = StatusKb("VmRSS") - base;
    state.counters["records_MB"] = records / 1024;
    state.counters["peak_MB"] = peak / 1024;
    state.counters["resident_MB"] = kept / 1024;
    state.counters["listed"] = static_cast<double>(store.DisplayList.size());
    state.counters["ratio"] = peak / records;
  }
}

BENCHMARK(BM_PeakMemory)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
