// The full redraw of a drawing of solid lines into a 1920 x 1080 canvas, run
// under an X server (xvfb-run) so that the program's real X11 input polling
// is installed, beside the same redraw with polling off and plain QPainter
// drawLines of the same lines into an image of the same size and format.
// Counters: "ratio_polling" = redraw with polling / without (target 1.2 at
// most), the two measured in turn, each first in every other iteration;
// "ratio_qpainter" = redraw with polling / QPainter (target 1.0 at most);
// "x11" is 1 when the X11 polling was really installed. The redraws
// keep the display lists of an unchanged drawing; "rebuild_ms" is the
// redraw that builds them again first.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdint>
#include <vector>

#include "canvas/cad_box.h"
#include "platform/custom_control.h"
#include "platform/input_polling_x11.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

struct Segment {
  double x1, y1, x2, y2;
};

// Lines of up to 57 mm spread over the A0 sheet.
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

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_redraw";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

void BM_RedrawAll(benchmark::State& state) {
  App();
  OverrideScreenPixelsPerInch(96);
  const bool x11 = InstallPlatformInputPolling();
  InputPolling* polling = &CurrentInputPolling();
  TcadBox box;
  box.SetSize(1920, 1080);
  box.SetColor(clBlack);
  box.ButonType = dtNo;
  std::vector<QLine> pixels;
  for (const Segment& s : Lines(state.range(0))) {
    RDrawElement e = ZeroElement();
    e.LineType = 1;
    e.ColorNo = 2;
    e.X1 = s.x1;
    e.Y1 = s.y1;
    e.X2 = s.x2;
    e.Y2 = s.y2;
    box.Draw1->Elements.push_back(e);
    pixels.emplace_back(box.WorldToScreenX(s.x1), box.WorldToScreenY(s.y1), box.WorldToScreenX(s.x2),
                        box.WorldToScreenY(s.y2));
  }
  QImage image(1920, 1080, QImage::Format_RGB32);
  box.RedrawAll(false);

  double polled = 0, off = 0, plain = 0, rebuild = 0;
  bool pollingFirst = true;
  for (auto _ : state) {
    // The two variants alternate which goes first, so that neither always
    // follows the same work.
    for (const bool withPolling : {pollingFirst, !pollingFirst}) {
      InstallInputPolling(withPolling ? polling : nullptr);
      const auto t = Clock::now();
      box.RedrawAll(false);
      (withPolling ? polled : off) += Seconds(t);
    }
    pollingFirst = !pollingFirst;

    InstallInputPolling(polling);
    box.Draw1->ElementsChanged();
    auto t = Clock::now();
    box.RedrawAll(false);
    rebuild += Seconds(t);

    t = Clock::now();
    {
      image.fill(Qt::black);
      QPainter painter(&image);
      painter.setPen(QPen(Qt::white, 1));
      painter.drawLines(pixels.data(), static_cast<int>(pixels.size()));
    }
    plain += Seconds(t);
  }
  InstallInputPolling(nullptr);
  const double n = static_cast<double>(state.iterations());
  state.counters["x11"] = x11 ? 1 : 0;
  state.counters["redraw_ms"] = 1000 * polled / n;
  state.counters["rebuild_ms"] = 1000 * rebuild / n;
  state.counters["off_ms"] = 1000 * off / n;
  state.counters["qpainter_ms"] = 1000 * plain / n;
  state.counters["ratio_polling"] = polled / off;
  state.counters["ratio_qpainter"] = polled / plain;
}

BENCHMARK(BM_RedrawAll)->Arg(10'000)->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAll)->Arg(100'000)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAll)->Arg(1'000'000)->Iterations(4)->Unit(benchmark::kMillisecond);

}  // namespace
