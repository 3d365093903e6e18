// Solve time of the largest connected frames the model record holds, beside
// a textbook solve of the same reduced system written here: the free
// displacements numbered node by node, the members' stiffness (with shear
// deformation) assembled into a lower band, a banded Cholesky factorization
// (Golub and Van Loan, band Cholesky by columns), the two triangular
// solves, and the member end forces and reactions from the displacements.
// The counter "ratio" is solver time / textbook time (target: 1.2 at most);
// "band" is the solver's band width, "equations" the free displacements.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <vector>

#include "analysis/frame_solver.h"

namespace {

// The thread's own processor time: both solves only compute, and a solve
// of some hundred microseconds is easily cut by another program's turn.
double ThreadSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

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

// The same 121 nodes and 120 members, the last one joining the last node
// to the first, the fixed one, instead of to its neighbour: its node numbers
// span the whole frame, though its free equations are as narrow as the
// chain's.
RFrameModel Ring() {
  RFrameModel m{};
  for (int n = 0; n < 121; ++n) AddNode(m, n * 100.0, (n % 2) * 80.0, n == 0);
  for (int n = 1; n < 120; ++n) AddMember(m, n, n + 1);
  AddMember(m, 1, 121);
  return Section(m);
}

// ---- The textbook solve ------------------------------------------------------

using Mat6 = std::array<std::array<double, 6>, 6>;

struct TextbookSolve {
  int n = 0;                           // equations
  int p = 0;                           // sub-diagonals of the band
  std::vector<std::array<int, 3>> eq;  // per node, 0-based equations or -1
  std::vector<double> band;            // column j holds rows j..j+p at j*(p+1)
  std::vector<double> f;
  std::vector<double> x;
  std::vector<std::array<double, 7>> forces;
  std::vector<std::array<double, 4>> reactions;

  double& At(int i, int j) { return band[static_cast<std::size_t>(j) * (p + 1) + (i - j)]; }

  // Local stiffness of a rigid-jointed member with shear deformation
  // (Przemieniecki), and its direction cosines.
  static void Member(const RFrameModel& m, int k, Mat6& local, double& c, double& s) {
    const int i = m.MemberI[k], j = m.MemberJ[k];
    const double dx = m.NodeX[j] - m.NodeX[i], dy = m.NodeY[j] - m.NodeY[i];
    const double L = std::hypot(dx, dy);
    c = dx / L;
    s = dy / L;
    const int sec = m.MemberSection[k];
    const double E = Tmat::kSteelE, G = Tmat::kSteelG;
    const double A = m.SectionA[sec], As = m.SectionAs[sec], I = m.SectionI[sec];
    const double phi = 12 * E * I / (G * As * L * L);
    const double a = E * A / L;
    const double b1 = 12 * E * I / (L * L * L * (1 + phi));
    const double b2 = 6 * E * I / (L * L * (1 + phi));
    const double b3 = (4 + phi) * E * I / (L * (1 + phi));
    const double b4 = (2 - phi) * E * I / (L * (1 + phi));
    local = Mat6{{{a, 0, 0, -a, 0, 0},
                  {0, b1, b2, 0, -b1, b2},
                  {0, b2, b3, 0, -b2, b4},
                  {-a, 0, 0, a, 0, 0},
                  {0, -b1, -b2, 0, b1, -b2},
                  {0, b2, b4, 0, -b2, b3}}};
  }

  void Run(const RFrameModel& m) {
    // Numbering and band.
    eq.assign(static_cast<std::size_t>(m.NodeCount) + 1, {-1, -1, -1});
    n = 0;
    for (int node = 1; node <= m.NodeCount; ++node) {
      for (int q = 0; q < 3; ++q) {
        if (m.Fixity[node][q + 1] != 1) eq[node][q] = n++;
      }
    }
    p = 0;
    for (int k = 1; k <= m.MemberCount; ++k) {
      int lo = n, hi = -1;
      for (const int node : {int{m.MemberI[k]}, int{m.MemberJ[k]}}) {
        for (const int e : eq[node]) {
          if (e < 0) continue;
          lo = std::min(lo, e);
          hi = std::max(hi, e);
        }
      }
      p = std::max(p, hi - lo);
    }
    band.assign(static_cast<std::size_t>(n) * (p + 1), 0.0);
    f.assign(n, 0.0);

    // Assembly: K += Tᵀ k T, the lower half; the fixed-end loads.
    for (int k = 1; k <= m.MemberCount; ++k) {
      Mat6 local;
      double c, s;
      Member(m, k, local, c, s);
      const double t[3][3] = {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
      Mat6 kt{};  // k T
      for (int r = 0; r < 6; ++r) {
        for (int col = 0; col < 6; ++col) {
          const int o = col / 3 * 3;
          double sum = 0;
          for (int q = 0; q < 3; ++q) sum += local[r][o + q] * t[q][col - o];
          kt[r][col] = sum;
        }
      }
      int e[6];
      for (int q = 0; q < 3; ++q) {
        e[q] = eq[m.MemberI[k]][q];
        e[q + 3] = eq[m.MemberJ[k]][q];
      }
      for (int r = 0; r < 6; ++r) {
        if (e[r] < 0) continue;
        const int o = r / 3 * 3;
        for (int col = 0; col < 6; ++col) {
          if (e[col] < 0 || e[col] > e[r]) continue;
          double sum = 0;
          for (int q = 0; q < 3; ++q) sum += t[q][r - o] * kt[o + q][col];
          At(e[r], e[col]) += sum;
        }
      }
      const double loads[6] = {m.FixedEndFxI[k], m.FixedEndFyI[k], 100 * m.FixedEndMI[k],
                               m.FixedEndFxJ[k], m.FixedEndFyJ[k], 100 * m.FixedEndMJ[k]};
      for (int q = 0; q < 6; ++q) {
        if (e[q] >= 0) f[e[q]] += loads[q];
      }
    }

    // Band Cholesky by columns: G(j:λ, j) -= G(j, k) G(j:λ, k), then scale.
    for (int j = 0; j < n; ++j) {
      const int last = std::min(j + p, n - 1);
      double* gj = &At(j, j);
      for (int k = std::max(0, j - p); k < j; ++k) {
        const double* gk = &At(j, k);
        const double g = gk[0];
        if (g == 0) continue;
        for (int i = 0; i <= last - j && j - k + i <= p; ++i) gj[i] -= g * gk[i];
      }
      const double d = std::sqrt(gj[0]);
      for (int i = 0; i <= last - j; ++i) gj[i] /= d;
    }
    // G y = f, then Gᵀ x = y.
    x = f;
    for (int j = 0; j < n; ++j) {
      const int last = std::min(j + p, n - 1);
      x[j] /= At(j, j);
      for (int i = j + 1; i <= last; ++i) x[i] -= At(i, j) * x[j];
    }
    for (int j = n - 1; j >= 0; --j) {
      const int last = std::min(j + p, n - 1);
      double sum = x[j];
      for (int i = j + 1; i <= last; ++i) sum -= At(i, j) * x[i];
      x[j] = sum / At(j, j);
    }

    // End forces k T d less the fixed-end loads, and the reactions.
    forces.assign(static_cast<std::size_t>(m.MemberCount) + 1, {});
    reactions.assign(static_cast<std::size_t>(m.NodeCount) + 1, {});
    for (int k = 1; k <= m.MemberCount; ++k) {
      Mat6 local;
      double c, s;
      Member(m, k, local, c, s);
      double global[6], d[6];
      for (int q = 0; q < 3; ++q) {
        const int ei = eq[m.MemberI[k]][q], ej = eq[m.MemberJ[k]][q];
        global[q] = ei < 0 ? 0 : x[ei];
        global[q + 3] = ej < 0 ? 0 : x[ej];
      }
      for (int o : {0, 3}) {
        d[o] = c * global[o] + s * global[o + 1];
        d[o + 1] = -s * global[o] + c * global[o + 1];
        d[o + 2] = global[o + 2];
      }
      auto& force = forces[k];
      for (int r = 0; r < 6; ++r) {
        double sum = 0;
        for (int q = 0; q < 6; ++q) sum += local[r][q] * d[q];
        force[r + 1] = sum;
      }
      force[1] -= m.FixedEndFyI[k] * s + m.FixedEndFxI[k] * c;
      force[2] -= m.FixedEndFyI[k] * c - m.FixedEndFxI[k] * s;
      force[3] -= 100 * m.FixedEndMI[k];
      force[4] -= m.FixedEndFyJ[k] * s + m.FixedEndFxJ[k] * c;
      force[5] -= m.FixedEndFyJ[k] * c - m.FixedEndFxJ[k] * s;
      force[6] -= 100 * m.FixedEndMJ[k];
      for (int end = 0; end < 2; ++end) {
        const int node = end == 0 ? m.MemberI[k] : m.MemberJ[k];
        const double N = force[1 + 3 * end], Q = force[2 + 3 * end], M = force[3 + 3 * end];
        if (m.Fixity[node][1] == 1) reactions[node][1] -= N * c - Q * s;
        if (m.Fixity[node][2] == 1) reactions[node][2] -= N * s + Q * c;
        if (m.Fixity[node][3] == 1) reactions[node][3] -= M;
      }
    }
  }
};

// The largest difference of the two solves' displacements beside the
// largest displacement. A chain of 120 members is a long cantilever: its
// stiffness spans many orders, and the two orders of elimination round apart.
double Disagreement(const RFrameModel& solved, const TextbookSolve& book) {
  double largest = 0, difference = 0;
  for (int node = 1; node <= solved.NodeCount; ++node) {
    for (int q = 0; q < 3; ++q) {
      const int e = book.eq[node][q];
      const double mine = e < 0 ? 0 : book.x[e];
      largest = std::max(largest, std::abs(mine));
      difference = std::max(difference, std::abs(mine - solved.Displacement[node][q + 1]));
    }
  }
  return difference / largest;
}

void Solve(benchmark::State& state, const RFrameModel& model) {
  double solveTime = 0, bookTime = 0;
  RFrameModel copy = model;
  Tmat solver;
  TextbookSolve book;
  book.Run(model);
  if (!solver.Solve(copy).Succeeded() || Disagreement(copy, book) > 1e-7) {
    state.SkipWithError("the two solves disagree");
    return;
  }
  const int band = solver.BandWidth();
  const int equations = solver.EquationCount();
  for (auto _ : state) {
    copy = model;
    double t = ThreadSeconds();
    Tmat fresh;
    benchmark::DoNotOptimize(fresh.Solve(copy));
    benchmark::ClobberMemory();
    solveTime += ThreadSeconds() - t;
    t = ThreadSeconds();
    book.Run(model);
    benchmark::DoNotOptimize(book.forces.data());
    benchmark::ClobberMemory();
    bookTime += ThreadSeconds() - t;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["solve_us"] = 1e6 * solveTime / n;
  state.counters["textbook_us"] = 1e6 * bookTime / n;
  state.counters["ratio"] = solveTime / bookTime;
  state.counters["band"] = band;
  state.counters["equations"] = equations;
}

void BM_SolveStoreyFrame(benchmark::State& state) { Solve(state, StoreyFrame()); }
void BM_SolveChain(benchmark::State& state) { Solve(state, Chain()); }
void BM_SolveRing(benchmark::State& state) { Solve(state, Ring()); }

BENCHMARK(BM_SolveStoreyFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveRing)->Unit(benchmark::kMillisecond);

}  // namespace
