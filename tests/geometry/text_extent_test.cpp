// The text extent by the width rule: double-byte characters count the full
// style width, single-byte ones half, with spacing between characters.

#include "geometry/text_extent.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextExtent, SumsCharacterWidthsAndSpacingButAfterTheLast) {
  struct Case {
    const char* what;
    std::string text;
    double width, height, spacing, length;
  };
  const Case cases[] = {
      // Style 30 wide, 40 high, spacing 10 (0.1 mm units).
      {"empty", "", 30, 40, 10, 0},
      {"one single-byte", "A", 30, 40, 10, 1.5},                    // 0.05 * 30
      {"three single-byte", "ABC", 30, 40, 10, 3 * 1.5 + 2 * 0.5},  // spacing 0.05 * 10 twice
      {"one double-byte", "\x82\xa0", 30, 40, 10, 3},               // "あ": 0.1 * 30
      // "あA": 3 + 1 (0.1 * 10 after the double-byte one) + 1.5.
      {"mixed",
       "\x82\xa0"
       "A",
       30, 40, 10, 5.5},
      // "Aあ": 1.5 + 0.5 + 3.
      {"mixed the other way", "A\x82\xa0", 30, 40, 10, 5},
      {"negative spacing", "AB", 30, 40, -10, 2.5},
      {"a lead byte cut off at the end", "A\x82", 30, 40, 10, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RTextExtent extent = TextExtent(c.text, c.width, c.height, c.spacing);
    EXPECT_DOUBLE_EQ(extent.Length, c.length);
    EXPECT_DOUBLE_EQ(extent.Height, 4);
  }
}

TEST(TextExtent, JustificationCodesNameTheBoxPoints) {
  // A box 8 long and 4 high.
  const RTextExtent box{8, 4};
  struct Case {
    int code;
    double along, across;
  };
  const Case cases[] = {
      {0, 0, 0}, {1, 4, 0}, {2, 8, 0}, {3, 8, 2}, {4, 8, 4},   {5, 4, 4},
      {6, 4, 2}, {7, 0, 4}, {8, 0, 2}, {9, 0, 0}, {255, 0, 0},  // unknown codes: bottom left
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const RBoxOffset offset = JustifiedBoxOffset(static_cast<std::uint8_t>(c.code), box);
    EXPECT_EQ(offset.Along, c.along);
    EXPECT_EQ(offset.Across, c.across);
  }
}

}  // namespace
