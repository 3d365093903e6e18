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
//
// "candidates" counts the listed elements on shown layers whose extent meets
// the operation's search rectangle: the elements under the cursor that any
// search must look at. BM_DensePerCandidate sets the time per candidate at
// a million elements on the one sheet against the same at ten thousand,
// both measured in the same run, one after the other in every iteration:
// "ratio" is the first over the second (target: 2 at most).

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstdint>
#include <memory>

#include "canvas/cad_box.h"
#include "canvas/element_index.h"
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

enum Operation { kSnap, kPickLine, kPickArc };

// The listed elements on shown layers whose extent meets the rectangle,
// arcs the rectangle widened by arcMargin.
double CountNear(const TcadBox& box, double x1, double y1, double x2, double y2, double arcMargin) {
  const Tdrawinp& store = *box.Draw1;
  double count = 0;
  for (const RDisplayEntry& entry : store.DisplayList) {
    const RDrawElement* e = store.EntryElement(entry);
    if (!e || store.LayerState(e->Group, e->Layer) == kLayerHidden) continue;
    double ex1, ey1, ex2, ey2;
    if (!TElementIndex::Extent(*e, 0.0, ex1, ey1, ex2, ey2)) continue;
    const double m = e->Kind == kKindArc ? arcMargin : 0.0;
    if (ex1 <= x2 + m && ex2 >= x1 - m && ey1 <= y2 + m && ey2 >= y1 - m) ++count;
  }
  return count;
}

// The candidates of each operation's own search rectangle: the snap square
// (arcs twice as far), the pick box of a line, the square of an arc pick.
double Candidates(const TcadBox& box, Operation op) {
  const double zoom = box.Zoom;
  const double x = kCursorX, y = kCursorY;
  switch (op) {
    case kSnap: {
      const double d = zoom < 0.4 ? 2.0 / zoom : 4.0 / zoom;
      return CountNear(box, x - d, y - d, x + d, y + d, d);
    }
    case kPickLine: {
      const double tol = 4 / zoom;
      return CountNear(box, x - tol, y - tol / 1.5, x + tol, y + tol, 0.0);
    }
    case kPickArc: {
      const double tol = 4 / zoom;
      return CountNear(box, x - tol, y - tol, x + tol, y + tol, 0.0);
    }
  }
  return 0;
}

void Run(TcadBox& box, Operation op) {
  switch (op) {
    case kSnap: {
      double x = kCursorX, y = kCursorY;
      benchmark::DoNotOptimize(box.Draw1->SnapPoint(x, y, box.Zoom, 0, {}));
      benchmark::DoNotOptimize(x);
      break;
    }
    case kPickLine: {
      RPointPair line{};
      benchmark::DoNotOptimize(box.PickPlainLineCoords(line, kCursorX, kCursorY));
      benchmark::DoNotOptimize(line);
      break;
    }
    case kPickArc: {
      RDrawElement arc = ZeroElement();
      benchmark::DoNotOptimize(box.PickArcRecord(arc, kCursorX, kCursorY));
      benchmark::DoNotOptimize(arc);
      break;
    }
  }
}

void Report(benchmark::State& state, const TcadBox& box, Operation op) {
  state.counters["zoom"] = box.Zoom;
  state.counters["listed"] = static_cast<double>(box.Draw1->DisplayList.size());
  const double candidates = Candidates(box, op);
  state.counters["candidates"] = candidates;
  // Seconds per candidate (shown with the time's own prefixes).
  state.counters["per_candidate"] =
      benchmark::Counter(candidates, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_SnapPoint(benchmark::State& state) {
  const auto box = Canvas(state.range(0), state.range(1), state.range(2), state.range(3));
  const Tdrawinp& store = *box->Draw1;
  for (auto _ : state) {
    double x = kCursorX, y = kCursorY;
    benchmark::DoNotOptimize(store.SnapPoint(x, y, box->Zoom, 0, {}));
    benchmark::DoNotOptimize(x);
  }
  Report(state, *box, kSnap);
}

void BM_PickLine(benchmark::State& state) {
  const auto box = Canvas(state.range(0), state.range(1), state.range(2), state.range(3));
  for (auto _ : state) {
    RPointPair line{};
    benchmark::DoNotOptimize(box->PickPlainLineCoords(line, kCursorX, kCursorY));
    benchmark::DoNotOptimize(line);
  }
  Report(state, *box, kPickLine);
}

void BM_PickArc(benchmark::State& state) {
  const auto box = Canvas(state.range(0), state.range(1), state.range(2), state.range(3));
  for (auto _ : state) {
    RDrawElement arc = ZeroElement();
    benchmark::DoNotOptimize(box->PickArcRecord(arc, kCursorX, kCursorY));
    benchmark::DoNotOptimize(arc);
  }
  Report(state, *box, kPickArc);
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// The small drawing runs this many times for each run of the large one, so
// that both take about as long.
constexpr int kSmallRuns = 50;

void BM_DensePerCandidate(benchmark::State& state) {
  const auto op = static_cast<Operation>(state.range(0));
  const auto small = Canvas(10'000, state.range(1), 1, 0);
  const auto large = Canvas(1'000'000, state.range(1), 1, 0);
  const double smallCandidates = Candidates(*small, op);
  const double largeCandidates = Candidates(*large, op);
  double smallTime = 0, largeTime = 0;
  for (auto _ : state) {
    auto t = Clock::now();
    for (int k = 0; k < kSmallRuns; ++k) Run(*small, op);
    smallTime += Seconds(t);
    t = Clock::now();
    Run(*large, op);
    largeTime += Seconds(t);
  }
  const double n = static_cast<double>(state.iterations());
  const double smallEach = smallTime / (n * kSmallRuns) / smallCandidates;
  const double largeEach = largeTime / n / largeCandidates;
  state.counters["candidates_10k"] = smallCandidates;
  state.counters["candidates_1M"] = largeCandidates;
  state.counters["ns_per_candidate_10k"] = 1e9 * smallEach;
  state.counters["ns_per_candidate_1M"] = 1e9 * largeEach;
  state.counters["ratio"] = largeEach / smallEach;
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{10'000, 100'000, 1'000'000}, {0, 1}, {1, 0}, {0, 1}})
      ->ArgNames({"elements", "close", "index", "spread"})
      ->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_SnapPoint)->Apply(Sizes);
BENCHMARK(BM_PickLine)->Apply(Sizes);
BENCHMARK(BM_PickArc)->Apply(Sizes);
BENCHMARK(BM_DensePerCandidate)
    ->ArgsProduct({{kSnap, kPickLine, kPickArc}, {0, 1}})
    ->ArgNames({"operation", "close"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
