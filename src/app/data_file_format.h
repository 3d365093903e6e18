#pragma once
// The model files ".zq4" and ".zq3": the comma text of every row of the
// input grids, the selected page of the member dialog and (".zq4" only) the
// user moduli rows. Plain bytes in and out, no window: the frame reads a
// file whole through ReadDataFile and changes nothing until it accepted it.
//
// Layout (little endian): ".zq4" starts with the marker 137 (int32); then
// grid sections 1 to 7, the page index (int32) and, in ".zq4", grid section
// 9. A section is the grid's row count R (int32, title row included) and
// R - 1 row records: the row number (int32), the text length + 1 (uint16),
// the text and one NUL.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/grid_cells.h"

inline constexpr std::int32_t kDataFileMarker = 137;
// Sections 1 to 7 and 9, in file order.
inline constexpr std::size_t kDataFileSections = 8;
inline constexpr std::size_t kModuliSection = 7;

// The u16 length (text bytes + 1), the bytes and one NUL; false (nothing
// appended) when the text is too long for the 16-bit length.
bool WriteStreamString(std::string& stream, std::string_view text);
// Reads the u16 length L and L bytes at `at`; the text runs to the first
// NUL. False (at and text unchanged) when the bytes end first.
bool ReadStreamString(std::string_view stream, std::size_t& at, std::string& text);

struct RDataFileRow {
  int Row = 0;  // the grid row the text goes to
  std::string Text;
};

struct RDataFileContents {
  std::array<std::vector<RDataFileRow>, kDataFileSections> Sections;
  std::int32_t PageIndex = 0;
  bool HasModuli = false;
};

// The whole ".zq4" file of the grids (sections 1 to 7 and 9 in file order).
// False, with the reason, when a row's text is too long to be stored.
bool WriteDataFile(const std::array<const GridCells*, kDataFileSections>& grids, std::int32_t pageIndex,
                   std::string& bytes, std::string& reason);

// Reads a whole file for grids of the given row counts and a page control
// of pageCount pages. False, with the reason (code page 932), for a file
// that is cut short, carries bytes after its end, names a row outside its
// grid or a page that does not exist, holds more rows than its grid, or
// (".zq4") does not start with the marker.
bool ReadDataFile(std::string_view bytes, bool zq4, const std::array<int, kDataFileSections>& gridRowCounts,
                  int pageCount, RDataFileContents& contents, std::string& reason);
