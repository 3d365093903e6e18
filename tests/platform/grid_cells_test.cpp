#include "platform/grid_cells.h"

#include <gtest/gtest.h>

#include "geometry/codepage.h"

namespace {

TEST(GridCells, CellsOutsideTheTableReadEmptyAndIgnoreWrites) {
  GridCells table(3, 4);
  table.SetCell(2, 3, "x");
  EXPECT_EQ(table.Cell(2, 3), "x");
  const int outside[][2] = {{-1, 0}, {0, -1}, {3, 0}, {0, 4}, {100, 100}};
  for (const auto& at : outside) {
    table.SetCell(at[0], at[1], "y");
    EXPECT_EQ(table.Cell(at[0], at[1]), "") << at[0] << "," << at[1];
  }
  table.Resize(2, 5);  // shrinking the columns keeps what still fits
  EXPECT_EQ(table.Cell(2, 3), "");
  table.SetCell(1, 4, "z");
  table.Resize(4, 6);
  EXPECT_EQ(table.Cell(1, 4), "z");
}

TEST(GridCells, RowCommaText) {
  struct Case {
    std::vector<std::string> cells;
    std::string text;
  };
  const Case cases[] = {
      {{"6", "20594", "7943", ""}, "6,20594,7943,"},
      {{"", "", "", ""}, ",,,"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"say \"hi\"", "x,y"}, "\"say \"\"hi\"\"\",\"x,y\""},
      {{J("9:設定値 "), ""}, "\"9:\x90\xDD\x92\xE8\x92\x6C \","},
      {{J("表"), "1"}, "\x95\x5C,1"},  // a trail byte 0x5C needs no quotes
  };
  for (const Case& c : cases) {
    GridCells table(static_cast<int>(c.cells.size()), 2);
    for (std::size_t i = 0; i < c.cells.size(); ++i) table.SetCell(static_cast<int>(i), 1, c.cells[i]);
    EXPECT_EQ(table.RowCommaText(1), c.text);
    GridCells back(static_cast<int>(c.cells.size()), 2);
    back.SetRowCommaText(1, c.text);
    for (std::size_t i = 0; i < c.cells.size(); ++i) EXPECT_EQ(back.Cell(static_cast<int>(i), 1), c.cells[i]) << c.text;
  }
}

TEST(GridCells, SplitCommaText) {
  struct Case {
    std::string text;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"", {}},
      {"6,20594,7943,", {"6", "20594", "7943"}},  // a trailing comma adds no item
      {"1,,3", {"1", "", "3"}},
      {"a b", {"a", "b"}},  // unquoted blanks separate
      {"  a , b", {"a", "b"}},
      {"\"a b\",c", {"a b", "c"}},
      {"\"x\"\"y\"", {"x\"y"}},
      {"\"open", {"open"}},  // an unclosed quote runs to the end
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommaText(c.text), c.items) << c.text;

  GridCells table(4, 2);
  table.SetRowCommaText(1, "6,20594");
  EXPECT_EQ(table.Cell(0, 1), "6");
  EXPECT_EQ(table.Cell(1, 1), "20594");
  EXPECT_EQ(table.Cell(2, 1), "");
  table.SetRowCommaText(1, "1,2,3,4,5,6");  // extra items are dropped
  EXPECT_EQ(table.Cell(3, 1), "4");
}

TEST(GridCells, SplittingStopsAfterTheItemsWanted) {
  struct Case {
    std::string text;
    std::size_t most;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"1,2,3,4,5", 3, {"1", "2", "3"}},
      {"1,2,3", 3, {"1", "2", "3"}},
      {"1,2", 3, {"1", "2"}},
      {"\"a,b\",\"open", 1, {"a,b"}},  // the unclosed quote after the last item is not read
      {"x,y", 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommaText(c.text, c.most), c.items) << c.text;

  // A row as long as a file may hold: the cells get the first items, the
  // rest of the row is ignored as before.
  std::string row;
  for (int k = 0; k < 32767; ++k) row += "1,";
  row += "9";
  GridCells table(8, 2);
  table.SetCell(7, 1, "old");
  table.SetRowCommaText(1, row);
  for (int c = 0; c < 8; ++c) EXPECT_EQ(table.Cell(c, 1), "1") << c;
}

}  // namespace
