// Solve time of the largest connected frames the model record holds.

#include <benchmark/benchmark.h>

#include "analysis/frame_solver.h"

namespace {

void AddNode(RFrameModel& m, double x, double y, bool fixed) {
  const int n = ++m.NodeCount;
  m.NodeNo[n] = static_cast<std::uint16_t>(n);
  m.NodeX[n] = x;
  m.NodeY[n] = y;
  for (int q = 1; q <= 3; ++q) m.Fixity[n][q] = fixed ? 1 : 0;
}

void AddMember(RFrameModel& m, int i, int j) {
  const int k = ++m.MemberCount;
  m.MemberCount2 = m.MemberCount3 = m.MemberCount;
  m.MemberI[k] = m.LoadMemberI[k] = static_cast<std::uint16_t>(i);
  m.MemberJ[k] = m.LoadMemberJ[k] = static_cast<std::uint16_t>(j);
  m.MemberSection[k] = 1;
  m.Structure[k] = 1;
  m.FixedEndFyI[k] = m.FixedEndFyJ[k] = -20;
  m.FixedEndMI[k] = -20;
  m.FixedEndMJ[k] = 20;
}

RFrameModel Section(RFrameModel m) {
  m.SectionNo[1] = 1;
  m.SectionA[1] = m.SectionAs[1] = 100;
  m.SectionI[1] = 20000;
  return m;
}

// Every frame is connected: 120 members join at most 121 nodes.

// Four column lines of 18 levels (72 nodes), the ground level held: 68
// columns and 51 beams, 119 members.
RFrameModel StoreyFrame() {
  RFrameModel m{};
  for (int level = 0; level < 18; ++level) {
    for (int line = 0; line < 4; ++line) AddNode(m, line * 600.0, level * 350.0, level == 0);
  }
  auto node = [](int level, int line) { return level * 4 + line + 1; };
  for (int level = 1; level < 18; ++level) {
    for (int line = 0; line < 4; ++line) AddMember(m, node(level - 1, line), node(level, line));
    for (int line = 0; line < 3; ++line) AddMember(m, node(level, line), node(level, line + 1));
  }
  return Section(m);
}

// The largest connected frame, a chain of 121 nodes and 120 members, with
// its nodes numbered along it: the narrowest band.
RFrameModel Chain() {
  RFrameModel m{};
  for (int n = 0; n < 121; ++n) AddNode(m, n * 100.0, (n % 2) * 80.0, n == 0);
  for (int n = 1; n <= 120; ++n) AddMember(m, n, n + 1);
  return Section(m);
}

// The worst band: the same 121 nodes and 120 members, the last node joined
// to the first, so the band spans every equation.
RFrameModel FullBand() {
  RFrameModel m{};
  for (int n = 0; n < 121; ++n) AddNode(m, n * 100.0, (n % 2) * 80.0, n == 0);
  for (int n = 1; n < 120; ++n) AddMember(m, n, n + 1);
  AddMember(m, 1, 121);
  return Section(m);
}

void Solve(benchmark::State& state, const RFrameModel& model) {
  for (auto _ : state) {
    RFrameModel copy = model;
    Tmat solver;
    benchmark::DoNotOptimize(solver.Solve(copy));
    benchmark::ClobberMemory();
  }
}

void BM_SolveStoreyFrame(benchmark::State& state) { Solve(state, StoreyFrame()); }
void BM_SolveChain(benchmark::State& state) { Solve(state, Chain()); }
void BM_SolveFullBand(benchmark::State& state) { Solve(state, FullBand()); }

BENCHMARK(BM_SolveStoreyFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveFullBand)->Unit(benchmark::kMillisecond);

}  // namespace
