// The finish of a batch trim beside the plain work it cannot do without,
// measured in the same run: 10,000 chosen lines of 100,000 extended to one
// reference line, beside one pass removing those lines from a copy of the
// list and appending as many. Before timing, a smaller drawing checks that
// the finish leaves the drawing and the undo log exactly as deleting the
// chosen lines one by one (the highest first) and adding the results would.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "bench_canvas.h"
#include "canvas/cad_box.h"
#include "canvas/command_registry.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "tools/edit/batch_trim.h"

namespace {

constexpr std::int64_t kLines = 100'000;
constexpr std::int64_t kEvery = 10;  // every tenth line is chosen

RDrawElement Line(double x1, double y1, double x2, double y2) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.LineType = 1;
  e.ColorNo = 1;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  return e;
}

// The reference x = 50 first, then horizontal lines from x = 0 to 40, every
// tenth chosen.
std::vector<RDrawElement> Drawing(std::int64_t count) {
  std::vector<RDrawElement> lines;
  lines.reserve(static_cast<std::size_t>(count));
  lines.push_back(Line(50, -10, 50, 200));
  for (std::int64_t i = 1; i < count; ++i) {
    RDrawElement l = Line(0, static_cast<double>(i) * 0.001, 40, static_cast<double>(i) * 0.001);
    l.Selection = i % kEvery == 0 ? 1 : 0;
    lines.push_back(l);
  }
  return lines;
}

void Registered() {
  static const bool done = [] {
    CommandRegistry().Clear();
    RegisterCommandFramework();
    RegisterCommandHandlers();
    return true;
  }();
  (void)done;
}

// The control with the drawing, at the confirm step of a batch trim, its
// view beside the lines so that only the store's work is measured.
void Arm(TcadBox& box, const std::vector<RDrawElement>& drawing) {
  box.Draw1->Elements = drawing;
  box.Draw1->ElementsChanged();
  box.Draw1->ClearUndoLog();
  box.ButonType = dtiikatusin;
  box.B_Switch = on3;
  box.PickedIndex[1] = 0;
  box.PickedIndex[2] = -1;
  box.SegStart = {20, -5};
  box.SegEnd = {20, 200};
}

std::unique_ptr<TcadBox> Canvas() {
  Registered();
  std::unique_ptr<TcadBox> canvas = BenchCanvas();
  canvas->Draw1->LayerStates.fill(2);
  canvas->FitPaper(true, 0.99);
  canvas->ZoomToWindow(2000, 1000 + 84.1, 2000 + 118.9, 1000);
  return canvas;
}

bool SameBytes(const std::vector<RDrawElement>& a, const std::vector<RDrawElement>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

// The finish against the one-by-one deletion of the same lines.
bool EqualToOneByOne() {
  const std::vector<RDrawElement> drawing = Drawing(10'000);
  const std::unique_ptr<TcadBox> canvas = Canvas();
  TcadBox& box = *canvas;
  Arm(box, drawing);
  CommandRegistry().RunFinish("iikatusinFinish", box, 0);

  Tdrawinp one;
  one.LayerStates.fill(2);
  one.Elements = drawing;
  one.Elements[0].Selection = 0;
  one.ElementsChanged();
  one.ClearUndoLog();
  Tcommand_a tool(one.Elements[0], 20, -5, 20, 200);
  for (std::int32_t i = static_cast<std::int32_t>(one.Elements.size()); i-- > 1;) {
    RDrawElement& e = one.Elements[static_cast<std::size_t>(i)];
    if (e.Selection != 1) continue;
    tool.AddItem(e.LineType, e.ColorNo, e.Group, e.Layer, e.X1, e.Y1, e.X2, e.Y2);
    e.Selection = 0;
    one.DeleteElement(i);
  }
  tool.Run();
  for (std::size_t k = tool.Results.size(); k-- > 1;) {
    const RTrimItem& r = tool.Results[k];
    RDrawElement e = Line(r.X1, r.Y1, r.X2, r.Y2);
    e.LineType = r.LineType;
    e.ColorNo = r.ColorNo;
    one.AddElementChecked(e);
  }
  return SameBytes(box.Draw1->Elements, one.Elements) && SameBytes(box.Draw1->UndoLog, one.UndoLog);
}

void BM_BatchTrimFinish(benchmark::State& state) {
  const bool equal = EqualToOneByOne();
  const std::unique_ptr<TcadBox> canvas = Canvas();
  TcadBox& box = *canvas;
  const std::vector<RDrawElement> drawing = Drawing(kLines);
  for (auto _ : state) {
    state.PauseTiming();
    Arm(box, drawing);
    state.ResumeTiming();
    CommandRegistry().RunFinish("iikatusinFinish", box, 0);
    benchmark::ClobberMemory();
  }
  state.counters["elements"] = static_cast<double>(box.Draw1->Elements.size());
  state.counters["undo"] = static_cast<double>(box.Draw1->UndoLog.size());
  state.counters["equal_to_one_by_one"] = equal ? 1 : 0;
}

void BM_RemoveAndAppendCopy(benchmark::State& state) {
  const std::vector<RDrawElement> drawing = Drawing(kLines);
  std::vector<RDrawElement> copy;
  for (auto _ : state) {
    state.PauseTiming();
    copy = drawing;
    state.ResumeTiming();
    const std::size_t before = copy.size();
    std::erase_if(copy, [](const RDrawElement& e) { return e.Selection == 1; });
    const std::size_t removed = before - copy.size();
    for (std::size_t i = 0; i < removed; ++i) copy.push_back(drawing[i]);
    benchmark::ClobberMemory();
  }
  state.counters["elements"] = static_cast<double>(copy.size());
}

BENCHMARK(BM_BatchTrimFinish)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveAndAppendCopy)->Unit(benchmark::kMillisecond);

}  // namespace
