// The model file reader on any bytes: it must refuse or accept without
// reading outside the data, and what it accepts must come back unchanged
// through the grids and the writer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/data_file_format.h"

namespace {

// The grids of the program: row and column counts in file order.
constexpr std::array<int, kDataFileSections> kRows = {150, 100, 100, 31, 200, 120, 120, 5};
constexpr std::array<int, kDataFileSections> kCols = {3, 3, 7, 5, 5, 8, 4, 4};
constexpr int kPages = 3;

std::array<GridCells, kDataFileSections> Apply(const RDataFileContents& contents) {
  std::array<GridCells, kDataFileSections> grids;
  for (std::size_t s = 0; s < kDataFileSections; ++s) {
    grids[s] = GridCells(kCols[s], kRows[s]);
    for (const RDataFileRow& row : contents.Sections[s]) grids[s].SetRowCommaText(row.Row, row.Text);
  }
  return grids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool zq4 = (data[0] & 1) != 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  RDataFileContents contents;
  std::string reason;
  if (!ReadDataFile(bytes, zq4, kRows, kPages, contents, reason)) {
    if (reason.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  const auto grids = Apply(contents);
  std::array<const GridCells*, kDataFileSections> pointers;
  for (std::size_t s = 0; s < kDataFileSections; ++s) pointers[s] = &grids[s];
  std::string written;
  if (!WriteDataFile(pointers, contents.PageIndex, written, reason)) return 0;  // a row grew past 16 bits
  RDataFileContents again;
  if (!ReadDataFile(written, true, kRows, kPages, again, reason)) std::abort();
  if (again.PageIndex != contents.PageIndex || Apply(again) != grids) std::abort();
  return 0;
}
