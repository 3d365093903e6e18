// The full redraw of a drawing of solid lines into a 1920 x 1080 canvas,
// beside plain QPainter drawing the same lines into an image of that size.
// The ratio of the two is the cost of the canvas's own line drawing.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <memory>
#include <vector>

#include "bench_canvas.h"
#include "canvas/cad_box.h"
#include "platform/custom_control.h"

namespace {

struct Segment {
  double x1, y1, x2, y2;
};

// Lines of 1 to 40 mm spread over the A0 sheet.
std::vector<Segment> Lines(std::int64_t count) {
  std::vector<Segment> lines;
  lines.reserve(static_cast<std::size_t>(count));
  std::uint32_t seed = 4711;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1u << 24);
  };
  for (std::int64_t i = 0; i < count; ++i) {
    const double x = next() * 1189, y = next() * 841;
    lines.push_back({x, y, x + (next() - 0.5) * 80, y + (next() - 0.5) * 80});
  }
  return lines;
}

void BM_RedrawAll(benchmark::State& state) {
  const std::unique_ptr<TcadBox> canvas = BenchCanvas();
  TcadBox& box = *canvas;
  for (const Segment& s : Lines(state.range(0))) {
    RDrawElement e = ZeroElement();
    e.LineType = 1;
    e.ColorNo = 2;
    e.X1 = s.x1;
    e.Y1 = s.y1;
    e.X2 = s.x2;
    e.Y2 = s.y2;
    box.Draw1->Elements.push_back(e);
  }
  for (auto _ : state) box.RedrawAll(false);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same lines, already in pixels, drawn by QPainter with a 1-pixel pen.
void BM_PlainQPainter(benchmark::State& state) {
  BenchApplication();
  OverrideScreenPixelsPerInch(96);
  TcadBox fitted;  // only for the same view transform
  fitted.SetSize(1920, 1080);
  std::vector<QLine> pixels;
  for (const Segment& s : Lines(state.range(0))) {
    pixels.emplace_back(fitted.WorldToScreenX(s.x1), fitted.WorldToScreenY(s.y1), fitted.WorldToScreenX(s.x2),
                        fitted.WorldToScreenY(s.y2));
  }
  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::white, 1));
    for (const QLine& l : pixels) painter.drawLine(l);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_RedrawAll)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainQPainter)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
