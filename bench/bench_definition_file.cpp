// A definition file at the 16 MiB limit made of line breaks only, read and
// built by both definition readers. Counted: the peak of the bytes the
// program holds on its heap while reading and building, against the file's
// size (counter "memory_ratio", target: 3 at most; one string of 32 bytes
// per line would pass 30), and the time against reading the same file plainly
// (counter "ratio", target: 100 at most; the readers walk the 16.8 million
// lines three times between them).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>

#include "figures/sections/definition_files.h"
#include "figures/sections/fitting_definitions.h"
#include "figures/sections/line_symbols.h"

// Every heap block carries its size in front, so the bytes in use and
// their peak are known.
namespace {
std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

// Kept out of line: inlined into the allocators, they look like frees of
// pointers into the middle of a block to the compiler.
[[gnu::noinline]] void* Take(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  const std::size_t now = inUse += size;
  std::size_t seen = peak.load();
  while (now > seen && !peak.compare_exchange_weak(seen, now)) {
  }
  return block + kHeader;
}

[[gnu::noinline]] void Give(void* p) {
  if (p == nullptr) return;
  auto* block = static_cast<unsigned char*>(p) - kHeader;
  inUse -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}
}  // namespace

void* operator new(std::size_t size) { return Take(size); }
void* operator new[](std::size_t size) { return Take(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Take(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Take(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, std::size_t) noexcept { Give(p); }
void operator delete[](void* p, std::size_t) noexcept { Give(p); }

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kFileSize = 16u << 20;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

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

void LineBreaksOnlyVsPlainRead(benchmark::State& state) {
  const fs::path file = fs::temp_directory_path() / "zuro_bench_line_breaks.txt";
  {
    std::ofstream out(file, std::ios::binary);
    const std::string breaks(kFileSize, '\n');
    out.write(breaks.data(), static_cast<std::streamsize>(breaks.size()));
  }
  double readTime = 0, plainTime = 0;
  std::size_t highest = 0;
  std::size_t items = 0;
  for (auto _ : state) {
    const std::size_t before = inUse.load();
    peak.store(before);
    auto t = Clock::now();
    {
      TextLines lines;
      if (!ReadDefinitionLines(file.string(), lines)) state.SkipWithError("the file was refused");
      TSenkigouobj symbols(100.0);
      symbols.BuildEntry(lines, 1, false, 0, 0, 0);
      TTateguHeiDanobj fittings(50.0);
      fittings.BuildFromLines(lines);
      items += symbols.Items.size() + fittings.Items.size();
    }
    readTime += Seconds(t);
    highest = std::max(highest, peak.load() - before);
    t = Clock::now();
    benchmark::DoNotOptimize(PlainRead(file));
    plainTime += Seconds(t);
  }
  fs::remove(file);
  const double n = static_cast<double>(state.iterations());
  state.counters["file_MB"] = static_cast<double>(kFileSize) / 1e6;
  state.counters["peak_MB"] = static_cast<double>(highest) / 1e6;
  state.counters["memory_ratio"] = static_cast<double>(highest) / static_cast<double>(kFileSize);
  state.counters["read_ms"] = 1000 * readTime / n;
  state.counters["plain_ms"] = 1000 * plainTime / n;
  state.counters["ratio"] = readTime / plainTime;
  state.counters["items"] = static_cast<double>(items) / n;
}

BENCHMARK(LineBreaksOnlyVsPlainRead)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
