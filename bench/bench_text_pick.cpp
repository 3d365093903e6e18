// The pick of the text under the cursor (the text take-up and numbering
// commands ask it at every click) over 100,000 texts shown on the sheet,
// beside a plain loop over the same texts that tests the point against each
// text's frame (base line and the style's height) as a quadrilateral. The
// ratio is what the pick costs around that test: the display list walk, the
// layer filter, the size-suffix check and the screen rounding of the frame.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "bench_canvas.h"
#include "canvas/cad_box.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"

namespace {

constexpr int kTexts = 100'000;
constexpr int kStrings = 1'000;
constexpr double kCursorX = 600.0;
constexpr double kCursorY = 420.0;

std::unique_ptr<TcadBox> TextDrawing() {
  std::unique_ptr<TcadBox> canvas = BenchCanvas();
  TcadBox& box = *canvas;
  Tdrawinp& store = *box.Draw1;
  for (int i = 0; i < kStrings; ++i) store.ElementTexts.push_back(J("通り芯") + std::to_string(i));
  std::mt19937 random(53);
  std::uniform_real_distribution<double> x(0, 1150), y(0, 830), length(5, 30);
  for (int i = 0; i < kTexts; ++i) {
    RDrawElement e = ZeroElement();
    e.Kind = kKindText;
    e.TextStyle = 1;
    e.ColorNo = 1;
    e.TextIndex = static_cast<std::uint16_t>(i % kStrings);
    e.X1 = x(random);
    e.Y1 = y(random);
    e.X2 = e.X1 + length(random);
    e.Y2 = e.Y1;
    store.Elements.push_back(e);
  }
  store.ElementsChanged();
  store.SetPaperSize(1189, 841);
  box.ZoomToWindow(0, 841, 1189, 0);
  const RViewRect& v = box.ViewWindow;
  store.BuildDisplayLists(v.Left, v.Bottom, v.Right, v.Top, box.Zoom);
  return canvas;
}

void BM_PickTextAt(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = TextDrawing();
  TcadBox& box = *canvas;
  std::string text;
  for (auto _ : state) {
    // A peek: nothing is highlighted, so every iteration does the same.
    const bool found = box.PickTextAt(text, true, kCursorX, kCursorY);
    benchmark::DoNotOptimize(found);
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}

// The reference: each text's frame from its base line and its style's
// height, and the point tested against its four sides.
void BM_PlainPointInFrameLoop(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = TextDrawing();
  TcadBox& box = *canvas;
  const Tdrawinp& store = *box.Draw1;
  for (auto _ : state) {
    std::int32_t found = -1;
    double shortest = 0;
    for (std::size_t i = 0; i < store.Elements.size(); ++i) {
      const RDrawElement& e = store.Elements[i];
      if (e.Kind != kKindText) continue;
      const double height = box.TextStyles[e.TextStyle].Height * 0.1;
      const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
      RPoint2D top1, top2;
      OffsetSegment(x1, y1, x2, y2, height, top1, top2);
      const RPoint2D q[4] = {{x1, y1}, {x2, y2}, {top2.x, top2.y}, {top1.x, top1.y}};
      int positive = 0, negative = 0;
      for (int k = 0; k < 4; ++k) {
        const RPoint2D& a = q[k];
        const RPoint2D& b = q[(k + 1) % 4];
        const double cross = (b.x - a.x) * (kCursorY - a.y) - (b.y - a.y) * (kCursorX - a.x);
        if (cross > 0) ++positive;
        if (cross < 0) ++negative;
      }
      if (positive > 0 && negative > 0) continue;
      const double length = PointDistance(x1, y1, x2, y2);
      if (found < 0 || length < shortest) {
        found = static_cast<std::int32_t>(i);
        shortest = length;
      }
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}

BENCHMARK(BM_PickTextAt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPointInFrameLoop)->Unit(benchmark::kMillisecond);

}  // namespace
