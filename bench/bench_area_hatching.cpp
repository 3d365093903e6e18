// Area hatching at the canvas's limit: 19,999 pattern lines against an
// outline of about 1,000 segments (a polygon of lines and several circles as
// chords). The reference does one segment-crossing test per pattern line and
// outline segment and nothing else.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/intersections.h"
#include "tools/edit/area_hatching.h"

namespace {

constexpr int kPatternLines = 19999;

// A star-shaped polygon of 400 lines about (500, 400) and five circles
// inside it (600 chords): 1,000 outline segments.
THachiZuobj LoadedTool() {
  THachiZuobj tool;
  constexpr int kCorners = 400;
  const auto corner = [](int i) {
    const double a = 2 * std::numbers::pi * i / kCorners;
    const double r = 300 + 40 * std::sin(7 * a);
    return std::pair{500 + r * std::cos(a), 400 + r * std::sin(a)};
  };
  for (int i = 0; i < kCorners; ++i) {
    const auto [x1, y1] = corner(i);
    const auto [x2, y2] = corner(i + 1);
    tool.AddFigureLine(LineElement(x1, y1, x2, y2));
  }
  for (int k = 0; k < 5; ++k) {
    RDrawElement circle = ZeroElement();
    circle.Kind = kKindArc;
    circle.X1 = 350 + 75 * k;
    circle.Y1 = 400 + (k % 2 == 0 ? 60 : -60);
    circle.Radius = 30;
    circle.Ratio = 1.0f;
    tool.AddFigureLine(circle);
  }
  // Hatch lines at 45 degrees across the whole outline, 20,000 of them
  // spread over the region's diagonal extent.
  for (int i = 0; i < kPatternLines; ++i) {
    const double c = -400 + 1000.0 * i / kPatternLines;  // y - x = c
    tool.AddBoundary(LineElement(100, 100 + c, 900, 900 + c));
  }
  return tool;
}

void BM_HatchRun(benchmark::State& state) {
  THachiZuobj tool = LoadedTool();
  for (auto _ : state) {
    tool.Run(45, 5, 5);
    benchmark::DoNotOptimize(tool.Elements.data());
  }
  state.counters["pieces"] = static_cast<double>(tool.Elements.size());
}

void BM_OneCrossingTestPerPair(benchmark::State& state) {
  const THachiZuobj tool = LoadedTool();
  for (auto _ : state) {
    int crossings = 0;
    for (const RDrawElement& p : tool.PatternLines) {
      for (const RDrawElement& s : tool.OutlineLines) {
        double x, y;
        crossings += IntersectSegments(x, y, p.X1, p.Y1, p.X2, p.Y2, s.X1, s.Y1, s.X2, s.Y2) ? 1 : 0;
      }
    }
    benchmark::DoNotOptimize(crossings);
  }
}

BENCHMARK(BM_HatchRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneCrossingTestPerPair)->Unit(benchmark::kMillisecond);

}  // namespace
