#pragma once
// The texts of a string grid: the data of record of every input table. Cells
// are code page 932 bytes addressed (column, row) like the grid, with row 0
// and column 0 holding the titles. Plain C++ so that the parsers read a table
// without any widget.

#include <limits>
#include <string>
#include <string_view>
#include <vector>

class GridCells {
 public:
  GridCells() = default;
  GridCells(int colCount, int rowCount);

  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  // Growing keeps the texts that still fit; new cells are empty.
  void Resize(int colCount, int rowCount);

  // A cell outside the table reads as empty, so a parser that looks one row
  // too far sees an empty cell, never foreign memory.
  const std::string& Cell(int col, int row) const;
  // Writing outside the table does nothing.
  void SetCell(int col, int row, std::string text);

  // The row as comma text: items joined by ","; an item holding a byte at
  // or below a blank, a comma or a double quote is written in double quotes
  // with inner quotes doubled. An all-empty row of c cells gives c - 1 commas.
  std::string RowCommaText(int row) const;
  // Empties the row and fills it from the left with the items of the text.
  void SetRowCommaText(int row, std::string_view text);

  bool operator==(const GridCells&) const = default;

 private:
  int colCount_ = 0;
  int rowCount_ = 0;
  std::vector<std::string> cells_;  // row-major
};

// The items of a comma text: a quoted item runs to its closing quote (a
// doubled quote inside stands for one); an unquoted item ends at a comma or
// at any byte at or below a blank. A comma at the very end adds no item.
// Splitting stops after maxItems items; the rest of the text is not read.
std::vector<std::string> SplitCommaText(std::string_view text,
                                        std::size_t maxItems = std::numeric_limits<std::size_t>::max());
std::string JoinCommaText(const std::vector<std::string>& items);
