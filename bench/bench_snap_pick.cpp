// A snap and a pick on large drawings through the program's own operations
// (the store's snap search, the canvas's line and arc picks), with the
// display lists built for the whole A0 sheet on a 1920 x 1080 canvas and for
// a close view around the cursor. The argument "index" 0 walks the whole
// display list instead of asking the spatial index: the same answers, the
// reference the index is measured against. The argument "spread" 0 puts
// every element on the one sheet (the drawing grows denser, and so do the
// candidates under the cursor); 1 gives each A0 sheet of a square of sheets
// 10,000 elements (the drawing grows wider and as dense as a small one), the
// cursor's sheet being the first.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdint>
#include <memory>

#include "canvas/cad_box.h"
#include "mixed_drawing.h"
#include "platform/custom_control.h"

namespace {

constexpr double kCursorX = 600.0;
constexpr double kCursorY = 420.0;

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_snap_pick";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

// A canvas holding the mixed drawing, its lists built for the view:
// 0 the whole sheet, 1 a close view around the cursor.
std::unique_ptr<TcadBox> Canvas(std::int64_t count, std::int64_t view, std::int64_t index, std::int64_t spread) {
  App();
  OverrideScreenPixelsPerInch(96);
  auto box = std::make_unique<TcadBox>();
  box->SetSize(1920, 1080);
  Tdrawinp drawing = MixedDrawing(count, static_cast<int>(spread));
  Tdrawinp& store = *box->Draw1;
  store.Elements = std::move(drawing.Elements);
  store.ElementTexts = std::move(drawing.ElementTexts);
  store.ElementsChanged();
  store.SetPaperSize(1189, 841);
  store.UseElementIndex = index != 0;
  if (view == 0) {
    box->ZoomToWindow(0, 841, 1189, 0);
  } else {
    box->ZoomToWindow(kCursorX - 20, kCursorY + 15, kCursorX + 20, kCursorY - 15);
  }
  const RViewRect& v = box->ViewWindow;
  store.BuildDisplayLists(v.Left, v.Bottom, v.Right, v.Top, box->Zoom);
  // The first search builds the index: not part of a click.
  double x = kCursorX, y = kCursorY;
  store.SnapPoint(x, y, box->Zoom, 0, {});
  return box;
}

void Report(benchmark::State& state, const TcadBox& box) {
  state.counters["zoom"] = box.Zoom;
  state.counters["listed"] = static_cast<double>(box.Draw1->DisplayList.size());
}

void BM_SnapPoint(benchmark::State& state) {
  const auto box = Canvas(state.range(0), state.range(1), state.range(2), state.range(3));
  const Tdrawinp& store = *box->Draw1;
  for (auto _ : state) {
    double x = kCursorX, y = kCursorY;
    benchmark::DoNotOptimize(store.SnapPoint(x, y, box->Zoom, 0, {}));
    benchmark::DoNotOptimize(x);
  }
  Report(state, *box);
}

void BM_PickLine(benchmark::State& state) {
  const auto box = Canvas(state.range(0), state.range(1), state.range(2), state.range(3));
  for (auto _ : state) {
    RPointPair line{};
    benchmark::DoNotOptimize(box->PickPlainLineCoords(line, kCursorX, kCursorY));
    benchmark::DoNotOptimize(line);
  }
  Report(state, *box);
}

void BM_PickArc(benchmark::State& state) {
  const auto box = Canvas(state.range(0), state.range(1), state.range(2), state.range(3));
  for (auto _ : state) {
    RDrawElement arc = ZeroElement();
    benchmark::DoNotOptimize(box->PickArcRecord(arc, kCursorX, kCursorY));
    benchmark::DoNotOptimize(arc);
  }
  Report(state, *box);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{10'000, 100'000, 1'000'000}, {0, 1}, {1, 0}, {0, 1}})
      ->ArgNames({"elements", "close", "index", "spread"})
      ->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_SnapPoint)->Apply(Sizes);
BENCHMARK(BM_PickLine)->Apply(Sizes);
BENCHMARK(BM_PickArc)->Apply(Sizes);

}  // namespace
