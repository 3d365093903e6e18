// The bytes of the model files, written out by hand, and every refusal of
// the reader.

#include <gtest/gtest.h>

#include <string>

#include "app/data_file_format.h"
#include "geometry/codepage.h"

namespace {

std::string Hex(const char* text) {
  std::string out, digits;
  for (const char* p = text; *p; ++p) {
    if (std::isxdigit(static_cast<unsigned char>(*p))) digits += *p;
    if (digits.size() == 2) {
      out += static_cast<char>(std::stoi(digits, nullptr, 16));
      digits.clear();
    }
  }
  return out;
}

// Small grids: coordinates of 3 columns and 3 rows, the moduli of 3
// columns and 2 rows, the others a title row only.
struct SmallGrids {
  GridCells coordinates{3, 3}, moduli{3, 2}, titleOnly{2, 1};
  SmallGrids() {
    coordinates.SetCell(0, 1, "[1]");
    coordinates.SetCell(1, 1, "0");
    coordinates.SetCell(2, 1, "1.5");
    coordinates.SetCell(0, 2, "[2]");
    coordinates.SetCell(1, 2, "a b");
  }
  std::array<const GridCells*, kDataFileSections> All() const {
    return {&coordinates, &titleOnly, &titleOnly, &titleOnly, &titleOnly, &titleOnly, &titleOnly, &moduli};
  }
};

const std::array<int, kDataFileSections> kRows = {3, 1, 1, 1, 1, 1, 1, 2};

// The file of SmallGrids with page 2, as the layout gives it.
std::string SmallZq4() {
  return Hex("89 00 00 00") +                                            // marker 137
         Hex("03 00 00 00") +                                            // section 1: 3 rows
         Hex("01 00 00 00  0a 00") + "[1],0,1.5" + Hex("00") +           //   row 1
         Hex("02 00 00 00  0b 00") + "[2],\"a b\"," + Hex("00") +        //   row 2, the blank quoted
         Hex("01 00 00 00") + Hex("01 00 00 00") + Hex("01 00 00 00") +  // sections 2 to 4
         Hex("01 00 00 00") + Hex("01 00 00 00") + Hex("01 00 00 00") +  // sections 5 to 7
         Hex("02 00 00 00") +                                            // page index 2
         Hex("02 00 00 00") +                                            // section 9: 2 rows
         Hex("01 00 00 00  03 00") + ",," + Hex("00");                   //   an empty row: commas only
}

TEST(DataFileFormat, WritesTheLayoutByteForByte) {
  const SmallGrids grids;
  std::string bytes, reason;
  ASSERT_TRUE(WriteDataFile(grids.All(), 2, bytes, reason));
  EXPECT_EQ(bytes, SmallZq4());
}

TEST(DataFileFormat, StreamStringOfAnEmptyTextIsOneNul) {
  std::string stream;
  ASSERT_TRUE(WriteStreamString(stream, ""));
  EXPECT_EQ(stream, Hex("01 00 00"));
  EXPECT_FALSE(WriteStreamString(stream, std::string(65535, 'x')));
  EXPECT_EQ(stream.size(), 3u);
  std::size_t at = 0;
  std::string text = "old";
  ASSERT_TRUE(ReadStreamString(Hex("04 00 61 00 62 00"), at, text));
  EXPECT_EQ(text, "a");  // up to the first NUL
  EXPECT_EQ(at, 6u);
}

TEST(DataFileFormat, ReadsTheRowsIntoTheirGridRows) {
  RDataFileContents contents;
  std::string reason;
  ASSERT_TRUE(ReadDataFile(SmallZq4(), true, kRows, 3, contents, reason)) << reason;
  ASSERT_EQ(contents.Sections[0].size(), 2u);
  EXPECT_EQ(contents.Sections[0][1].Row, 2);
  EXPECT_EQ(contents.Sections[0][1].Text, "[2],\"a b\",");
  EXPECT_EQ(contents.PageIndex, 2);
  EXPECT_TRUE(contents.HasModuli);
  ASSERT_EQ(contents.Sections[kModuliSection].size(), 1u);
  EXPECT_EQ(contents.Sections[kModuliSection][0].Text, ",,");
}

TEST(DataFileFormat, CoordinatesKeepTheirRowNumberOtherTablesFollowFileOrder) {
  // A .zq3 file: no marker, no moduli. Coordinates rows stored as 2 then 1,
  // supports stored as 2 then 1 (3 rows).
  const std::string zq3 = Hex("03 00 00 00") + Hex("02 00 00 00 02 00") + "B" + Hex("00") + Hex("01 00 00 00 02 00") +
                          "A" + Hex("00") + Hex("03 00 00 00") + Hex("02 00 00 00 02 00") + "D" + Hex("00") +
                          Hex("01 00 00 00 02 00") + "C" + Hex("00") + Hex("01 00 00 00 01 00 00 00 01 00 00 00") +
                          Hex("01 00 00 00 01 00 00 00") + Hex("00 00 00 00");
  std::array<int, kDataFileSections> rows = kRows;
  rows[1] = 3;
  RDataFileContents contents;
  std::string reason;
  ASSERT_TRUE(ReadDataFile(zq3, false, rows, 3, contents, reason)) << reason;
  EXPECT_EQ(contents.Sections[0][0].Row, 2);
  EXPECT_EQ(contents.Sections[0][1].Row, 1);
  EXPECT_EQ(contents.Sections[1][0].Row, 1);
  EXPECT_EQ(contents.Sections[1][0].Text, "D");
  EXPECT_EQ(contents.Sections[1][1].Row, 2);
  EXPECT_FALSE(contents.HasModuli);
  EXPECT_TRUE(contents.Sections[kModuliSection].empty());
}

TEST(DataFileFormat, RefusesEveryFileThatIsNotWhole) {
  const std::string good = SmallZq4();
  auto patched = [&](std::size_t at, const char* hex) {
    std::string b = good;
    const std::string bytes = Hex(hex);
    b.replace(at, bytes.size(), bytes);
    return b;
  };
  const std::size_t page = good.size() - 4 - 4 - 4 - 2 - 3;  // offset of the page index
  const struct {
    const char* what;
    std::string bytes;
    bool zq4;
  } cases[] = {
      {"empty", "", true},
      {"marker only", Hex("89 00 00 00"), true},
      {"cut in a row text", good.substr(0, 20), true},
      {"cut before the moduli", good.substr(0, page + 4), true},
      {"cut in the last byte", good.substr(0, good.size() - 1), true},
      {"a byte after the end", good + "x", true},
      {"marker 138", patched(0, "8a 00 00 00"), true},
      {"more rows than the grid", patched(4, "04 00 00 00"), true},
      {"negative row count", patched(4, "ff ff ff ff"), true},
      {"row number 0", patched(8, "00 00 00 00"), true},
      {"row number past the grid", patched(8, "03 00 00 00"), true},
      {"text longer than the file", patched(12, "ff ff"), true},
      {"page 3 of 3", patched(page, "03 00 00 00"), true},
      {"page -1", patched(page, "ff ff ff ff"), true},
      {"a .zq4 read as .zq3", good, false},
      {"a .zq3 read as .zq4", good.substr(4, page), true},
  };
  for (const auto& c : cases) {
    RDataFileContents contents;
    contents.PageIndex = 7;
    std::string reason;
    EXPECT_FALSE(ReadDataFile(c.bytes, c.zq4, kRows, 3, contents, reason)) << c.what;
    EXPECT_FALSE(reason.empty()) << c.what;
    EXPECT_EQ(contents.PageIndex, 7) << c.what << ": nothing is handed back";
  }
}

}  // namespace
