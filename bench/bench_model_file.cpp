// Opening a model file of the largest valid layout whose every row is
// 65,533 bytes of "1,1,1,...": the reader's checks and the rows set into
// grids of the program's column counts, against copying the same bytes once
// into fresh memory (the plain reference). The counter "ratio" is open time
// / copy time (target: 3 at most; with every row split whole, into 32,767
// strings, it was near 10).

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/data_file_format.h"
#include "platform/grid_cells.h"

namespace {

using Clock = std::chrono::steady_clock;

// Rows (title row included) and columns of the eight grids in file order.
constexpr std::array<int, kDataFileSections> kRows = {150, 100, 100, 31, 200, 120, 120, 5};
constexpr std::array<int, kDataFileSections> kCols = {3, 3, 7, 5, 5, 8, 4, 5};

template <typename T>
void Append(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string LongRowFile() {
  std::string row;
  for (int k = 0; k < 32766; ++k) row += "1,";
  row += '1';
  std::string bytes;
  Append(bytes, kDataFileMarker);
  for (std::size_t s = 0; s < kDataFileSections; ++s) {
    if (s == kModuliSection) Append(bytes, std::int32_t{0});
    Append(bytes, static_cast<std::int32_t>(kRows[s]));
    for (int r = 1; r < kRows[s]; ++r) {
      Append(bytes, static_cast<std::int32_t>(r));
      Append(bytes, static_cast<std::uint16_t>(row.size() + 1));
      bytes += row;
      bytes += '\0';
    }
  }
  return bytes;
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

void LongCommaRowsVsCopy(benchmark::State& state) {
  const std::string bytes = LongRowFile();
  double openTime = 0, copyTime = 0;
  for (auto _ : state) {
    auto t = Clock::now();
    {
      RDataFileContents contents;
      std::string reason;
      if (!ReadDataFile(bytes, true, kRows, 3, contents, reason)) state.SkipWithError("the file was refused");
      std::vector<GridCells> grids;
      for (std::size_t s = 0; s < kDataFileSections; ++s) {
        grids.emplace_back(kCols[s], kRows[s]);
        for (const RDataFileRow& row : contents.Sections[s]) grids.back().SetRowCommaText(row.Row, row.Text);
      }
      benchmark::DoNotOptimize(grids.data());
    }
    openTime += Seconds(t);
    t = Clock::now();
    {
      std::string copy(bytes.size(), '\0');
      std::memcpy(copy.data(), bytes.data(), bytes.size());
      benchmark::DoNotOptimize(copy.data());
    }
    copyTime += Seconds(t);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
  state.counters["open_ms"] = 1000 * openTime / n;
  state.counters["copy_ms"] = 1000 * copyTime / n;
  state.counters["ratio"] = openTime / copyTime;
}

BENCHMARK(LongCommaRowsVsCopy)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
