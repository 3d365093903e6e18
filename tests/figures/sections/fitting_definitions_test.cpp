// The fitting definition reader: grid, end adjustments, scale and size
// lines, layer codes, height positions, arc shapes and elevation texts.

#include "figures/sections/fitting_definitions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "figures/sections/figure_checks.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

class FittingDefinitionsTest : public ::testing::Test {
 protected:
  std::vector<RDrawElement> Build(std::vector<std::string> lines, std::uint8_t mode = 0) {
    FirstData5.FittingEntry = 1;
    FirstData5.FittingGenerator = mode;
    reader_.BuildFromLines(lines);
    return reader_.Items;
  }
  SettingsGuard guard_;
  TTateguHeiDanobj reader_{1.0};
};

TEST_F(FittingDefinitionsTest, GridPitchAndName) {
  Build({"1", "990", "5 free word"});
  EXPECT_EQ(reader_.GridCount, 5);
  EXPECT_EQ(reader_.Pitch, 425.0);  // 1700 / 4
  EXPECT_EQ(reader_.Name, "");
  EXPECT_EQ(reader_.HeaderNumber, 1);
}

TEST_F(FittingDefinitionsTest, EndAdjustmentsInModesZeroAndOne) {
  auto items = Build({"0", "990", "5", "1 1 -22 0 -22 70"});
  ASSERT_EQ(items.size(), 1u);
  ExpectLine(items[0], {-35, 0}, {-35, 70});
  items = Build({"0", "990", "5", "5 5 22 0 22 70"}, 0);
  ExpectLine(items[0], {1700 + 35, 0}, {1700 + 35, 70});
  items = Build({"0", "990", "5", "5 5 22 0 22 70"}, 1);
  ExpectLine(items[0], {1700 + 22, 0}, {1700 + 22, 70});
}

TEST_F(FittingDefinitionsTest, ScaleLineAndItsZeroDivisor) {
  // S 140 70: across factor 70 / 140, end factor 35 / 70.
  auto items = Build({"0", "990", "3", "S 140 70", "1 1 10 20 10 40"});
  ExpectLine(items[0], {5, 10}, {5, 20});
  // S 0 counts as empty: 100 and 100.
  items = Build({"0", "990", "3", "S 0 -5", "1 1 10 100 10 100"});
  ExpectLine(items[0], {3.5, 70}, {3.5, 70});
}

TEST_F(FittingDefinitionsTest, SizeLineWritesTheSettings) {
  auto items = Build({"0", "990 80 40", "3", "1 2 0 80 0 80"});
  EXPECT_EQ(FirstData5.FittingWallThickness, 80.0);
  EXPECT_EQ(FirstData5.FittingFrameSize, 40.0);
  ExpectLine(items[0], {0, 80}, {850, 80});  // factors 1.0
  FirstData5.FittingWallThickness = 70.0;
  FirstData5.FittingFrameSize = 35.0;
  Build({"0", "990 50", "3"});
  EXPECT_EQ(FirstData5.FittingWallThickness, 70.0);
  EXPECT_EQ(FirstData5.FittingFrameSize, 50.0);
  FirstData5.FittingFrameSize = 35.0;
  Build({"0", "990", "3"});
  EXPECT_EQ(FirstData5.FittingFrameSize, 35.0);
}

TEST_F(FittingDefinitionsTest, LayerCodeTable) {
  struct Case {
    const char* code;
    int layer;
    int tag;
  };
  const Case cases[] = {{"", 0, 0x9000},   {"3", 3, 0x9000},  {"13", 3, 0},     {"-1", 0, 0x9000},
                        {"B", 11, 0x9000}, {"f", 15, 0x9000}, {"S", 0, 0x9000}, {"123", 0, 0}};
  for (const Case& c : cases) {
    std::uint8_t layer = 99;
    std::uint16_t tag = 1;
    TTateguHeiDanobj::ReadLayerCode(c.code, layer, tag);
    EXPECT_EQ(layer, c.layer) << c.code;
    EXPECT_EQ(tag, c.tag) << c.code;
  }
}

TEST_F(FittingDefinitionsTest, HeightPositionTable) {
  struct Case {
    int n;
    double y, want;
  };
  const Case cases[] = {{4, 300, 300},
                        {4, 1100, 600},
                        {4, 3900, 1900},
                        {4, 4000, 2000},
                        {0, 1500, 700},
                        {4, 1500, 1000},
                        {2147483647, 2147482000.0, 2000.0 * 2147482 / 2147483647}};
  for (const Case& c : cases) EXPECT_NEAR(TTateguHeiDanobj::HeightPosition(c.n, c.y, 2000), c.want, 1e-6) << c.y;
}

TEST_F(FittingDefinitionsTest, ArcShapeDigits) {
  // O (0, 0), Q (100, 0) at grid position 1, sweep 90; the shape digit is the second character: Q' = (0, 100).
  struct Case {
    const char* shape;
    std::size_t count;
  };
  const Case cases[] = {{"10", 1}, {"11", 2}, {"12", 2}, {"13", 3}, {"15", 1},
                        {"16", 1}, {"17", 2}, {"14", 0}, {"18", 0}};
  for (const Case& c : cases) {
    auto items = Build({"0", "990", "3", std::string("1 1 0 0 100 0 4 2 3 E 90 ") + c.shape});
    ASSERT_EQ(items.size(), c.count) << c.shape;
  }
  auto items = Build({"0", "990", "3", "1 1 0 0 100 0 4 2 3 E 90 13"});
  ExpectArc(items[0], {0, 0}, 100, 360.0f, 90.0f);
  ExpectLine(items[1], {0, 0}, {100, 0});
  ExpectLine(items[2], {0, 0}, {100 * std::cos(M_PI / 2), 100}, 1e-9);
  EXPECT_EQ(int{items[2].LineTag}, 0x9000);
  EXPECT_EQ(int{items[2].Layer}, 3);
  // A negative sweep ends at Q.
  items = Build({"0", "990", "3", "1 1 0 0 100 0 4 2 3 E -90 10"});
  ExpectArc(items[0], {0, 0}, 100, 270.0f, 360.0f);
}

TEST_F(FittingDefinitionsTest, ElevationTextAttributes) {
  FirstData5.FittingHeight = 2000.0;
  auto items = Build({"0", "990", "3", "1 1 10 300 20 300 10000 403 2 \"abc", "1 1 0 0 0 0 10000 1507 0 \"v",
                      "1 1 0 0 0 0 10000 50 0 \"w"},
                     2);
  ASSERT_EQ(items.size(), 3u);
  ASSERT_EQ(reader_.Texts.size(), 3u);
  EXPECT_EQ(reader_.Texts[0], "abc");
  ExpectPoint(First(items[0]), {10, 300});
  ExpectPoint(Second(items[0]), {20, 300});
  EXPECT_EQ(int{items[0].TextStyle}, 3);
  EXPECT_EQ(int{items[0].TextDirection}, 0);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&items[0]);
  EXPECT_EQ(bytes[48], 6);  // digit 4 (centre) is the generator's 6
  EXPECT_EQ(int{items[0].Layer}, 2);
  EXPECT_EQ(int{items[1].TextStyle}, 7);  // third and fourth characters of 1507
  EXPECT_EQ(int{items[1].TextDirection}, 32);
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&items[1])[48], 1);  // digit 1: bottom centre
  EXPECT_EQ(int{items[2].TextStyle}, 2);
}

TEST_F(FittingDefinitionsTest, UnknownEntryOrModeBuildsNothing) {
  EXPECT_TRUE(Build({"0", "990", "3", "1 1 0 0 1 0"}, 3).empty());
  FirstData5.FittingEntry = 7;
  FirstData5.FittingGenerator = 0;
  reader_.BuildFromLines({"0", "990", "3", "1 1 0 0 1 0"});
  EXPECT_TRUE(reader_.Items.empty());
}

TEST_F(FittingDefinitionsTest, JustifyCodes) {
  const int want[10] = {0, 1, 2, 8, 6, 3, 7, 5, 4, 0};
  for (int d = 0; d < 10; ++d) EXPECT_EQ(TTateguHeiDanobj::JustifyCode(d), want[d]) << d;
}

}  // namespace
