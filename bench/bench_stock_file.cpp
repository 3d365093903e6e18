// Writing and reading a stock file of 1,000,000 elements beside writing and
// reading the same bytes plainly. The plain write is the atomic write
// (write, fsync, rename) of the file's bytes built beforehand; the plain
// read is open, fstat and one read() into a buffer of the file's size. The
// counter "ratio" is stock time / plain time (target: 2 at most).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "canvas/stock_file.h"
#include "platform/file_services.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kElements = 1000000;

// Lines, arcs, points and (one in twenty) texts with their own string.
struct Figure {
  std::vector<RDrawElement> elements;
  std::vector<std::string> texts;
  std::array<double, kLayerGroups> scales{};
  std::array<RTextStyle, kTextStyleCount> styles{};

  Figure() {
    scales.fill(100);
    elements.reserve(kElements);
    for (int k = 0; k < kElements; ++k) {
      RDrawElement e = ZeroElement();
      const std::uint8_t kinds[3] = {kKindArc, kKindLine, kKindPoint};
      e.Kind = k % 20 == 0 ? kKindText : kinds[k % 3];
      e.LineType = 1;
      e.ColorNo = static_cast<std::uint8_t>(k % 10);
      e.X1 = k * 0.5;
      e.Y1 = k * 0.25;
      e.X2 = e.Kind == kKindArc ? 5.0 : k * 0.5 + 10;
      if (e.Kind == kKindArc) {
        e.Ratio = 1;
        e.EndAngle = 90;
      } else {
        e.Y2 = k * 0.25 + 10;
      }
      if (e.Kind == kKindText) {
        e.TextIndex = static_cast<std::uint16_t>(texts.size());
        e.TextStyle = 3;
        texts.push_back("T" + std::to_string(k));
      }
      elements.push_back(e);
    }
  }
};

class StockFolder {
 public:
  StockFolder() {
    std::string pattern = (fs::temp_directory_path() / "zuro_bench_stock_XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    ::setenv("ZURO_STOCK_DIR", folder_.c_str(), 1);
  }
  ~StockFolder() { fs::remove_all(folder_); }
  fs::path Raw() const { return folder_ / "raw.bin"; }

 private:
  fs::path folder_;
};

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Returns the seconds spent writing the records (those that fill a chunk go
// to the file meanwhile), before the save.
double WriteStock(const Figure& f) {
  const auto start = Clock::now();
  TDDGObject stock;
  for (const RDrawElement& e : f.elements) {
    stock.WriteElement(e, kElements, 0, 0, 0.0, 1.0, 1.0, f.scales, f.styles);
  }
  stock.Texts = f.texts;
  const double building = Seconds(start);
  stock.SaveStockFile();
  return building;
}

// The two writes take turns going first, so neither always finds the
// disk busy with the other's data.
void StockWriteVsRaw(benchmark::State& state) {
  const Figure figure;
  const StockFolder folder;
  WriteStock(figure);
  const std::string prebuilt = LoadWholeFile(StockFilePath(), kLargestStockFile);
  double stockTime = 0, rawTime = 0, buildTime = 0;
  bool stockFirst = true;
  for (auto _ : state) {
    for (int turn = 0; turn < 2; ++turn) {
      const auto t = Clock::now();
      if (stockFirst == (turn == 0)) {
        buildTime += WriteStock(figure);
        stockTime += Seconds(t);
      } else {
        WriteFileAtomically(folder.Raw(), prebuilt);
        rawTime += Seconds(t);
      }
    }
    stockFirst = !stockFirst;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["stock_ms"] = 1000 * stockTime / n;
  state.counters["records_ms"] = 1000 * buildTime / n;
  state.counters["raw_ms"] = 1000 * rawTime / n;
  state.counters["ratio"] = stockTime / rawTime;
  state.counters["bytes"] = static_cast<double>(prebuilt.size());
}

// open, fstat, one read() into memory of the file's size.
std::size_t PlainRead(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return 0;
  struct stat info {};
  ::fstat(fd, &info);
  const auto size = static_cast<std::size_t>(info.st_size);
  std::unique_ptr<char[]> bytes(new char[size]);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, bytes.get() + done, size - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  benchmark::DoNotOptimize(bytes.get());
  return done;
}

void StockReadVsRaw(benchmark::State& state) {
  const Figure figure;
  const StockFolder folder;
  WriteStock(figure);
  fs::copy_file(StockFilePath(), folder.Raw());
  double stockTime = 0, rawTime = 0;
  std::size_t records = 0;
  for (auto _ : state) {
    auto t = Clock::now();
    {
      TDDGObject stock;
      if (!stock.OpenStockFile(figure.styles)) state.SkipWithError("the stock file was refused");
      RDrawElement e;
      while (stock.ReadElement(e)) {
        benchmark::DoNotOptimize(e);
        ++records;
      }
      benchmark::DoNotOptimize(stock.ReadTextTable());
    }
    stockTime += Seconds(t);
    t = Clock::now();
    benchmark::DoNotOptimize(PlainRead(folder.Raw()));
    rawTime += Seconds(t);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["records"] = static_cast<double>(records) / n;
  state.counters["stock_ms"] = 1000 * stockTime / n;
  state.counters["raw_ms"] = 1000 * rawTime / n;
  state.counters["ratio"] = stockTime / rawTime;
}

BENCHMARK(StockWriteVsRaw)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(StockReadVsRaw)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
