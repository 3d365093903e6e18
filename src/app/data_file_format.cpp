#include "app/data_file_format.h"

#include <cstring>
#include <limits>

#include "geometry/codepage.h"
#include "geometry/number_format.h"

namespace {

template <typename T>
void Append(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
bool Take(std::string_view bytes, std::size_t& at, T& value) {
  if (bytes.size() - at < sizeof value) return false;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  at += sizeof value;
  return true;
}

constexpr std::size_t kMaxText = std::numeric_limits<std::uint16_t>::max() - 1;

// Section numbers as the file counts them.
constexpr std::array<int, kDataFileSections> kSectionNumbers = {1, 2, 3, 4, 5, 6, 7, 9};

}  // namespace

bool WriteStreamString(std::string& stream, std::string_view text) {
  if (text.size() > kMaxText) return false;
  Append(stream, static_cast<std::uint16_t>(text.size() + 1));
  stream.append(text);
  stream += '\0';
  return true;
}

bool ReadStreamString(std::string_view stream, std::size_t& at, std::string& text) {
  std::size_t p = at;
  std::uint16_t length = 0;
  if (!Take(stream, p, length) || stream.size() - p < length) return false;
  const std::string_view entry = stream.substr(p, length);
  text.assign(entry.substr(0, entry.find('\0')));
  at = p + length;
  return true;
}

bool WriteDataFile(const std::array<const GridCells*, kDataFileSections>& grids, std::int32_t pageIndex,
                   std::string& bytes, std::string& reason) {
  std::string out;
  Append(out, kDataFileMarker);
  for (std::size_t s = 0; s < kDataFileSections; ++s) {
    if (s == kModuliSection) Append(out, pageIndex);
    const GridCells& grid = *grids[s];
    Append(out, static_cast<std::int32_t>(grid.RowCount()));
    for (int r = 1; r < grid.RowCount(); ++r) {
      const std::string text = grid.RowCommaText(r);
      if (text.empty()) continue;  // a row of two or more cells never is
      Append(out, static_cast<std::int32_t>(r));
      if (!WriteStreamString(out, text)) {
        reason = Format(J("表%dの%d行目が長すぎて保存できません。"), {kSectionNumbers[s], r});
        return false;
      }
    }
  }
  bytes = std::move(out);
  return true;
}

bool ReadDataFile(std::string_view bytes, bool zq4, const std::array<int, kDataFileSections>& gridRowCounts,
                  int pageCount, RDataFileContents& contents, std::string& reason) {
  RDataFileContents read;
  std::size_t at = 0;
  const std::string cut = J("ファイルが途中で切れています。");
  if (zq4) {
    std::int32_t marker = 0;
    if (!Take(bytes, at, marker)) {
      reason = cut;
      return false;
    }
    if (marker != kDataFileMarker) {
      reason = J("Zuro4ファイル(.zq4)ではありません。");
      return false;
    }
  }
  for (std::size_t s = 0; s < kDataFileSections; ++s) {
    if (s == kModuliSection) {
      if (!Take(bytes, at, read.PageIndex)) {
        reason = cut;
        return false;
      }
      if (read.PageIndex < 0 || read.PageIndex >= pageCount) {
        reason = Format(J("ページ番号%dが正しくありません。"), {read.PageIndex});
        return false;
      }
      if (!zq4) break;
    }
    const int section = kSectionNumbers[s];
    const int gridRows = gridRowCounts[s];
    std::int32_t rowCount = 0;
    if (!Take(bytes, at, rowCount)) {
      reason = cut;
      return false;
    }
    if (rowCount < 0 || rowCount > gridRows) {
      reason = Format(J("表%dの行数%dが入力表の行数%dと合いません。"), {section, rowCount, gridRows});
      return false;
    }
    for (int k = 1; k < rowCount; ++k) {
      std::int32_t row = 0;
      RDataFileRow entry;
      if (!Take(bytes, at, row) || !ReadStreamString(bytes, at, entry.Text)) {
        reason = cut;
        return false;
      }
      if (row < 1 || row >= gridRows) {
        reason = Format(J("表%dの行番号%dが入力表にありません。"), {section, row});
        return false;
      }
      // The coordinates go back to the rows they came from, the other
      // tables row after row.
      entry.Row = section == 1 ? row : k;
      read.Sections[s].push_back(std::move(entry));
    }
  }
  if (at != bytes.size()) {
    reason = J("ファイルの終わりに余分なデータがあります。");
    return false;
  }
  read.HasModuli = zq4;
  contents = std::move(read);
  return true;
}
