#include "platform/grid_cells.h"

#include <algorithm>
#include <utility>

namespace {

const std::string kEmpty;

bool IsBlankByte(unsigned char b) { return b >= 1 && b <= ' '; }

bool NeedsQuotes(std::string_view item) {
  return std::any_of(item.begin(), item.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= ' ' || c == '"' || c == ',';
  });
}

}  // namespace

GridCells::GridCells(int colCount, int rowCount) { Resize(colCount, rowCount); }

void GridCells::Resize(int colCount, int rowCount) {
  colCount = std::max(colCount, 0);
  rowCount = std::max(rowCount, 0);
  std::vector<std::string> cells(static_cast<std::size_t>(colCount) * static_cast<std::size_t>(rowCount));
  for (int r = 0; r < std::min(rowCount, rowCount_); ++r) {
    for (int c = 0; c < std::min(colCount, colCount_); ++c) {
      cells[static_cast<std::size_t>(r) * colCount + c] =
          std::move(cells_[static_cast<std::size_t>(r) * colCount_ + c]);
    }
  }
  cells_ = std::move(cells);
  colCount_ = colCount;
  rowCount_ = rowCount;
}

const std::string& GridCells::Cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return kEmpty;
  return cells_[static_cast<std::size_t>(row) * colCount_ + col];
}

void GridCells::SetCell(int col, int row, std::string text) {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return;
  cells_[static_cast<std::size_t>(row) * colCount_ + col] = std::move(text);
}

std::string GridCells::RowCommaText(int row) const {
  if (row < 0 || row >= rowCount_) return {};
  std::vector<std::string> items;
  for (int c = 0; c < colCount_; ++c) items.push_back(Cell(c, row));
  return JoinCommaText(items);
}

void GridCells::SetRowCommaText(int row, std::string_view text) {
  if (row < 0 || row >= rowCount_) return;
  // Items past the last column would be dropped: they are not even made.
  const std::vector<std::string> items = SplitCommaText(text, static_cast<std::size_t>(colCount_));
  for (int c = 0; c < colCount_; ++c) {
    SetCell(c, row, static_cast<std::size_t>(c) < items.size() ? items[c] : std::string());
  }
}

std::vector<std::string> SplitCommaText(std::string_view text, std::size_t maxItems) {
  std::vector<std::string> items;
  std::size_t p = 0;
  const std::size_t n = text.size();
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  while (p < n && IsBlankByte(at(p))) ++p;
  while (p < n && at(p) != 0 && items.size() < maxItems) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      const std::size_t start = p;
      while (p < n && at(p) > ' ' && text[p] != ',') ++p;
      item.assign(text.substr(start, p - start));
    }
    items.push_back(std::move(item));
    while (p < n && IsBlankByte(at(p))) ++p;
    if (p < n && text[p] == ',') {
      do {
        ++p;
      } while (p < n && IsBlankByte(at(p)));
    }
  }
  return items;
}

std::string JoinCommaText(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    if (NeedsQuotes(items[i])) {
      out += '"';
      for (char c : items[i]) {
        if (c == '"') out += '"';
        out += c;
      }
      out += '"';
    } else {
      out += items[i];
    }
  }
  return out;
}
