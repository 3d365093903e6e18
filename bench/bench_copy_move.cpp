// One placement of the free copy of a 10,000-element selection, clicked
// through the control's mouse handlers, beside the store's paste of the same
// buffer alone. The ratio is the cost of the command around the paste: the
// preview erase, the drawing of the placed copy and the display lists.
// Both grow the drawing by the same copies per iteration.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "bench_canvas.h"
#include "canvas/cad_box.h"
#include "canvas/command_registry.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

namespace {

constexpr int kElements = 10'000;

std::unique_ptr<TcadBox> SelectedDrawing() {
  std::unique_ptr<TcadBox> canvas = BenchCanvas();
  CommandRegistry().Clear();
  RegisterCommandFramework();
  RegisterCommandHandlers();
  TcadBox& box = *canvas;
  box.FitPaper(true, 0.99);
  box.ColourTable.fill(0x00FF00);
  box.PasteScaleX = box.PasteScaleY = 1;
  std::mt19937 random(47);
  std::uniform_real_distribution<double> x(0, 400), y(0, 280), d(-20, 20);
  for (int i = 0; i < kElements; ++i) {
    RDrawElement e = ZeroElement();
    e.Kind = kKindLine;
    e.LineType = 1;
    e.ColorNo = 1;
    e.Selection = 1;
    e.X1 = x(random);
    e.Y1 = y(random);
    e.X2 = e.X1 + d(random);
    e.Y2 = e.Y1 + d(random);
    box.Draw1->AddElementChecked(e);
  }
  box.RedrawAll(false);
  return canvas;
}

void Click(TcadBox& box, double x, double y) {
  const int px = box.WorldToScreenX(x), py = box.WorldToScreenY(y);
  box.MouseDown(mbLeft, ssLeft, px, py);
  box.MouseUp(mbLeft, 0, px, py);
}

void BM_CopyFreePlacement(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = SelectedDrawing();
  TcadBox& box = *canvas;
  box.ButonType = dtCopyFree;
  Click(box, 0, 0);
  for (auto _ : state) {
    Click(box, 300, 200);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}

void BM_PasteBufferAlone(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = SelectedDrawing();
  TcadBox& box = *canvas;
  box.Draw1->CopySelectionToBuffer(0, 0);
  for (auto _ : state) {
    box.Draw1->PasteBuffer(0, 0, 300, 200, 300, 200, 0, 0, 1, 1, 0, 0, true, 0, true, false);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}

BENCHMARK(BM_CopyFreePlacement)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PasteBufferAlone)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
