// The polygon range over a drawing of 100,000 lines, beside the window
// selection of the same rectangle in the same run: what the inside test of
// the polygon's edges costs over the window's box test. A polygon of 64
// vertices inscribed in the rectangle shows how the edge count tells.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>

#include "bench_canvas.h"
#include "canvas/cad_box.h"
#include "tools/edit/curves.h"

namespace {

constexpr std::int64_t kLines = 100'000;
// A tenth of the A0 sheet each way.
constexpr double kLeft = 500, kBottom = 400, kRight = 500 + 118.9, kTop = 400 + 84.1;

// Lines up to 20 long spread over the sheet, all on one editable layer.
std::unique_ptr<TcadBox> LineDrawing() {
  std::unique_ptr<TcadBox> canvas = BenchCanvas();
  TcadBox& box = *canvas;
  box.Draw1->SetPaperSize(1189, 841);
  std::uint32_t seed = 4646;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1u << 24);
  };
  for (std::int64_t i = 0; i < kLines; ++i) {
    RDrawElement e = ZeroElement();
    e.Kind = kKindLine;
    e.LineType = 1;
    e.ColorNo = 1;
    e.X1 = next() * 1189;
    e.Y1 = next() * 841;
    e.X2 = e.X1 + (next() - 0.5) * 20;
    e.Y2 = e.Y1 + (next() - 0.5) * 20;
    box.Draw1->Elements.push_back(e);
  }
  box.FitPaper(true, 0.99);  // the whole sheet in view
  box.RedrawAll(false);
  return canvas;
}

std::int64_t Taken(const TcadBox& box) {
  std::int64_t taken = 0;
  for (const RDrawElement& e : box.Draw1->Elements) taken += e.Selection == 1;
  return taken;
}

void BM_SelectInPolygon(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = LineDrawing();
  TcadBox& box = *canvas;
  TSupuLineobj& polygon = box.Tool(ToolSlot::PolygonObj).Emplace<TSupuLineobj>();
  const auto vertices = static_cast<int>(state.range(0));
  if (vertices == 4) {
    polygon.AddPoint(kLeft, kBottom);
    polygon.AddPoint(kRight, kBottom);
    polygon.AddPoint(kRight, kTop);
    polygon.AddPoint(kLeft, kTop);
  } else {
    const double cx = (kLeft + kRight) / 2, cy = (kBottom + kTop) / 2;
    for (int k = 0; k < vertices; ++k) {
      const double a = 2 * std::numbers::pi * k / vertices;
      polygon.AddPoint(cx + (kRight - kLeft) / 2 * std::cos(a), cy + (kTop - kBottom) / 2 * std::sin(a));
    }
  }
  polygon.BuildPolygonEdges();
  const bool crossing = state.range(1) != 0;
  for (auto _ : state) {
    box.SelectInPolygon(crossing);
    benchmark::ClobberMemory();
  }
  state.counters["taken"] = static_cast<double>(Taken(box));
  state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_SelectWindowRange(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = LineDrawing();
  TcadBox& box = *canvas;
  const bool crossing = state.range(0) != 0;
  for (auto _ : state) {
    box.SelectWindowRange(crossing, kLeft, kBottom, kRight, kTop);
    benchmark::ClobberMemory();
  }
  state.counters["taken"] = static_cast<double>(Taken(box));
  state.SetItemsProcessed(state.iterations() * kLines);
}

BENCHMARK(BM_SelectInPolygon)
    ->ArgsProduct({{4, 64}, {0, 1}})
    ->ArgNames({"vertices", "crossing"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectWindowRange)->ArgsProduct({{0, 1}})->ArgNames({"crossing"})->Unit(benchmark::kMillisecond);

}  // namespace
