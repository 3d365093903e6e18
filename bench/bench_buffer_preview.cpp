// The buffer preview and its erase for one mouse move over a 100,000-line
// buffer, beside drawing the same placed segments with DrawLine directly,
// twice in XOR, into the same full-HD image. The ratio is the cost of the
// preview's own work: the transform, the small-line test and the pens.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "bench_canvas.h"
#include "canvas/cad_box.h"

namespace {

constexpr int kLines = 100'000;
constexpr double kShiftX = 20, kShiftY = 10;

std::unique_ptr<TcadBox> PreviewCanvas() {
  std::unique_ptr<TcadBox> canvas = BenchCanvas();
  TcadBox& box = *canvas;
  box.FitPaper(true, 0.99);
  box.ColourTable.fill(0x00FF00);
  std::mt19937 random(44);
  std::uniform_real_distribution<double> x(0, 800), y(0, 560), d(-20, 20);
  for (int i = 0; i < kLines; ++i) {
    RDrawElement e = ZeroElement();
    e.Kind = kKindLine;
    e.LineType = 1;
    e.ColorNo = 1;
    e.X1 = x(random);
    e.Y1 = y(random);
    e.X2 = e.X1 + d(random);
    e.Y2 = e.Y1 + d(random);
    box.Draw1->Buffer.push_back(e);
  }
  box.RedrawAll(false);
  return canvas;
}

void BM_BufferPreviewAndErase(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = PreviewCanvas();
  TcadBox& box = *canvas;
  for (auto _ : state) {
    box.DrawBufferPreview(0, 10, kShiftX, kShiftY, kShiftX, kShiftY, 0, 1, 1);
    box.EraseBufferPreview(0, 10, kShiftX, kShiftY, kShiftX, kShiftY, 0, 1, 1);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_PlainDrawLineTwice(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = PreviewCanvas();
  TcadBox& box = *canvas;
  std::vector<RDrawElement> placed = box.Draw1->Buffer;
  for (RDrawElement& e : placed) {
    e.X1 = e.X1 + kShiftX;
    e.Y1 = e.Y1 + kShiftY;
    e.X2 = e.X2 + kShiftX;
    e.Y2 = e.Y2 + kShiftY;
  }
  TCanvas& c = box.Canvas();
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      c.Pen.Mode = pmXor;
      c.Pen.Color = box.PrepareXorColor(0x00FF00);
      for (const RDrawElement& e : placed) box.DrawLine(1, c, e.X1, e.Y1, e.X2, e.Y2);
    }
    c.Pen.Mode = pmCopy;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}

BENCHMARK(BM_BufferPreviewAndErase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainDrawLineTwice)->Unit(benchmark::kMillisecond);

}  // namespace
