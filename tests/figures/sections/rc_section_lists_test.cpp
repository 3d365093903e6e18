// RC section-list cells and the bar mark, kinds 30 to 33.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "geometry/codepage.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

// One expected output record of a cell, in the cell's local paper
// millimetres: a text centred on (x, y); a line from (x, y) to (x2, y2);
// `count` section elements centred on (x, y); or a 2 x 2 hoop pictogram
// centred on (x, y).
struct Item {
  char what;  // 't', 'l', 's', 'p'
  std::string text;
  double x = 0, y = 0, x2 = 0, y2 = 0;
  int count = 0;
};

Item T(const char* utf8, double x, double y) { return {'t', J(utf8), x, y}; }
Item L(double x1, double y1, double x2, double y2) { return {'l', "", x1, y1, x2, y2}; }
Item S(double x, double y, int count) { return {'s', "", x, y, 0, 0, count}; }
Item P(double x, double y) { return {'p', "", x, y}; }

class RcSectionListsTest : public ::testing::Test {
 protected:
  RcSectionListsTest() {
    // Style 2 (the RC text style): 25 wide, 20 high, spacing 2, so the
    // pictogram sits (5 x 25 + 3 x 2) / 10 = 13.1 left of the cell centre.
    styles_[2].Width = 25;
    styles_[2].Height = 20;
    styles_[2].Spacing = 2;
    fig_.SetStylesAndScale(styles_, 30.0);
    // Base point at the cell's bottom-left corner.
    DraftDefaults.FigureBasePoint = 2;
  }

  // The output against the items, in order, with the cell corner at the
  // base point (100, 200). Texts are full-width, style 2, angle `angle`.
  void ExpectCell(const std::vector<Item>& items, double angle = 0.0) {
    const double cx = 100, cy = 200;
    const auto& e = fig_.Elements;
    std::size_t k = 0;
    std::size_t text = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const Item& it = items[i];
      SCOPED_TRACE("item " + std::to_string(i) + " element " + std::to_string(k));
      const std::size_t need = it.what == 's' ? it.count : it.what == 'p' ? 4 : 1;
      ASSERT_LE(k + need, e.size());
      switch (it.what) {
        case 't': {
          const RDrawElement& el = e[k];
          EXPECT_EQ(int{el.Kind}, int{kKindText});
          EXPECT_EQ(int{el.TextStyle}, 2);
          EXPECT_EQ(int{el.TextIndex}, static_cast<int>(text));
          EXPECT_EQ(float{el.TextAngle}, static_cast<float>(angle));
          ASSERT_LT(text, fig_.Texts.size());
          EXPECT_EQ(fig_.Texts[text], it.text);
          if (angle == 0.0) {
            // Centred: half the height (2.0) above the baseline's start.
            ExpectPoint({(el.X1 + el.X2) / 2, el.Y1 + 1.0}, {cx + it.x, cy + it.y});
          }
          ++text;
          break;
        }
        case 'l':
          ExpectLine(e[k], {cx + it.x, cy + it.y}, {cx + it.x2, cy + it.y2});
          EXPECT_EQ(int{e[k].ColorNo}, 0);
          EXPECT_EQ(int{e[k].LineType}, 0);
          break;
        case 's': {
          // The first element: the outline's top line of a 10 x 20 section
          // (scale 30), or the outline circle of a pile.
          const RDrawElement& first = e[k];
          if (first.Kind == kKindArc) {
            ExpectPoint(First(first), {cx + it.x, cy + it.y});
          } else {
            ExpectLine(first, {cx + it.x - 5, cy + it.y + 10}, {cx + it.x + 5, cy + it.y + 10});
          }
          for (int j = 0; j < it.count; ++j) EXPECT_NE(int{e[k + j].Kind}, int{kKindText});
          break;
        }
        case 'p': {
          const double x = cx + it.x, y = cy + it.y;
          ExpectLine(e[k], {x - 1.2, y - 1.2}, {x - 1.2, y + 1.2});
          ExpectLine(e[k + 1], {x + 1.2, y - 1.2}, {x + 1.2, y + 1.2});
          ExpectLine(e[k + 2], {x - 1.2, y - 1.2}, {x + 1.2, y - 1.2});
          ExpectLine(e[k + 3], {x - 1.2, y + 1.2}, {x + 1.2, y + 1.2});
          break;
        }
      }
      k += need;
    }
    EXPECT_EQ(k, e.size());
    EXPECT_EQ(text, fig_.Texts.size());
  }

  void Generate(std::uint8_t kind, double angle = 0.0) { fig_.Generate(kind, 100, 200, 1, 2, 3, 4, 5, 6, angle); }

  SettingsGuard guard_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 30.0};
};

// The defaults: one position 36 wide, 90 high, row mode 1; the beam section
// (19 elements) centred at (18, 45).
TEST_F(RcSectionListsTest, BeamCellWithTheDefaults) {
  fig_.Texts = {"old"};
  Generate(30);
  ExpectCell({
      T("左端", 18, 77.5),
      T("２－Ｄ２２", 18, 12.5),
      T("２－Ｄ２２", 18, 7.5),
      S(18, 45, 19),
      L(36, 90, 36, 0),
      P(4.9, 2.5),
      T("ＲＧ１", 18, 87.5),
      T("３００×６００", 18, 82.5),
      T("Ｄ１０－＠２５０", 18, 2.5),
  });
}

// The count, size and stirrup texts as code page 932 bytes: full-width
// digits 0x824F + d, letters 0x8260 + (c - 'A'), "-" 0x817C, "@" 0x8197,
// "x" 0x817E; the pile's diameter sign 0x83D3.
TEST_F(RcSectionListsTest, TextsAreFullWidthCodePageBytes) {
  Generate(30);
  ASSERT_EQ(fig_.Texts.size(), 6u);
  EXPECT_EQ(fig_.Texts[1], "\x82\x51\x81\x7C\x82\x63\x82\x51\x82\x51");
  EXPECT_EQ(fig_.Texts[3], "\x82\x71\x82\x66\x82\x50");
  EXPECT_EQ(fig_.Texts[4], "\x82\x52\x82\x4F\x82\x4F\x81\x7E\x82\x55\x82\x4F\x82\x4F");
  EXPECT_EQ(fig_.Texts[5], "\x82\x63\x82\x50\x82\x4F\x81\x7C\x81\x97\x82\x51\x82\x54\x82\x4F");
  Generate(32);
  EXPECT_EQ(fig_.Texts.back(), "\x82\x52\x82\x4F\x82\x4F\x83\xD3");
}

// Row mode 2, two positions 72 wide: dividers at 36 across the positions
// row and the two bar rows; figures at (90 + 5) / 2; the web-bar row.
TEST_F(RcSectionListsTest, BeamCellRowModeTwoWithTwoPositions) {
  RcSectionDefaults.SectionListRowMode = 2;
  FirstData3.RcPositions = 2;
  FirstData3.RcBarCount9 = 1;  // top second layer of position 2
  Generate(30);
  ExpectCell({
      L(36, 80, 36, 75),
      L(36, 20, 36, 10),
      T("左端", 18, 77.5),
      T("２－Ｄ２２", 18, 17.5),
      T("２－Ｄ２２", 18, 12.5),
      T("中央", 54, 77.5),
      T("１－Ｄ２２", 54, 17.5),
      T("０－Ｄ２２", 54, 12.5),
      S(18, 47.5, 19),
      S(54, 47.5, 16),
      L(72, 90, 72, 0),
      P(36 - 13.1, 7.5),
      T("ＲＧ１", 36, 87.5),
      T("３００×６００", 36, 82.5),
      T("Ｄ１０－＠２５０", 36, 7.5),
      T("２－Ｄ１０", 36, 2.5),
  });
}

// Any row mode but 1 and 2 acts as 3: three positions 108 wide, figures at
// (90 + 10) / 2, the tie row at the bottom.
TEST_F(RcSectionListsTest, BeamCellOtherRowModesActAsThreeWithThreePositions) {
  RcSectionDefaults.SectionListRowMode = 7;
  FirstData3.RcPositions = 3;
  FirstData3.RcBarCount5 = 3;
  FirstData3.RcBarCount12 = 2;
  FirstData3.RcBarCount1 = 0;
  FirstData3.RcBarCount2 = 0;
  Generate(30);
  ExpectCell({
      L(36, 80, 36, 75),
      L(36, 25, 36, 15),
      L(72, 80, 72, 75),
      L(72, 25, 72, 15),
      T("左端", 18, 77.5),
      T("０－Ｄ２２", 18, 22.5),
      T("０－Ｄ２２", 18, 17.5),
      T("中央", 54, 77.5),
      T("０－Ｄ２２", 54, 22.5),
      T("０－Ｄ２２", 54, 17.5),
      T("右端", 90, 77.5),
      T("３－Ｄ２２", 90, 22.5),
      T("２－Ｄ２２", 90, 17.5),
      S(18, 50, 15),
      S(54, 50, 15),
      S(90, 50, 15 + 3 + 2),
      L(108, 90, 108, 0),
      P(54 - 13.1, 12.5),
      T("ＲＧ１", 54, 87.5),
      T("３００×６００", 54, 82.5),
      T("Ｄ１０－＠２５０", 54, 12.5),
      T("２－Ｄ１０", 54, 7.5),
      T("Ｄ１０－＠１０００", 54, 2.5),
  });
}

TEST_F(RcSectionListsTest, BeamCellWithoutWebBarsSkipsTheirRows) {
  RcSectionDefaults.SectionListRowMode = 3;
  FirstData3.RcWebBars = 0;
  Generate(30);
  ASSERT_EQ(fig_.Texts.size(), 6u);
  EXPECT_EQ(fig_.Texts.back(), J("Ｄ１０－＠２５０"));
}

// Column, row mode 1, two positions: 2 x (side + top) - 4 printed as it
// comes out, figures at 45 - 2.5.
TEST_F(RcSectionListsTest, ColumnCellWithTwoPositions) {
  FirstData3.RcPositions = 2;
  Generate(31);
  ExpectCell({
      L(36, 80, 36, 75),
      L(36, 10, 36, 5),
      T("左端", 18, 77.5),
      T("４－Ｄ２２", 18, 7.5),
      T("中央", 54, 77.5),
      T("－４－Ｄ２２", 54, 7.5),
      S(18, 42.5, 12),
      S(54, 42.5, 8),
      L(72, 90, 72, 0),
      P(36 - 13.1, 2.5),
      T("ＲＧ１", 36, 87.5),
      T("３００×６００", 36, 82.5),
      T("Ｄ１０－＠２５０", 36, 2.5),
  });
}

TEST_F(RcSectionListsTest, ColumnCellRowModeThreeAddsTheDiaphragmRow) {
  RcSectionDefaults.SectionListRowMode = 3;
  Generate(31);
  ExpectCell({
      T("左端", 18, 77.5),
      T("４－Ｄ２２", 18, 12.5),
      S(18, 45, 12),
      L(36, 90, 36, 0),
      P(18 - 13.1, 7.5),
      T("ＲＧ１", 18, 87.5),
      T("３００×６００", 18, 82.5),
      T("Ｄ１０－＠２５０", 18, 7.5),
      T("Ｄ１０－＠６００", 18, 2.5),
  });
}

// The column pictogram divides its square by the legs each way: 3 legs
// across the depth, 4 across the width.
TEST_F(RcSectionListsTest, ColumnPictogramShowsTheLegs) {
  FirstData3.RcHoopLegsY = 3;
  FirstData3.RcHoopLegsX = 4;
  FirstData3.RcNoText = 0;
  Generate(31);
  // Texts 2, section 8 + 4 bars + 1 + 2 legs, border: the pictogram next.
  const std::size_t at = 2 + 15 + 1;
  ASSERT_GE(fig_.Elements.size(), at + 7);
  const double x = 100 + 4.9, y = 200 + 2.5;
  ExpectLine(fig_.Elements[at + 4], {x - 1.2, y}, {x + 1.2, y});
  ExpectLine(fig_.Elements[at + 5], {x - 1.2 + 0.8, y - 1.2}, {x - 1.2 + 0.8, y + 1.2});
  ExpectLine(fig_.Elements[at + 6], {x - 1.2 + 1.6, y - 1.2}, {x - 1.2 + 1.6, y + 1.2});
  EXPECT_EQ(int{fig_.Elements[at + 7].Kind}, int{kKindText});
}

// A column handles one or two positions: three give only the tail.
TEST_F(RcSectionListsTest, ColumnCellWithThreePositionsGivesOnlyTheTail) {
  FirstData3.RcPositions = 3;
  Generate(31);
  ExpectCell({
      L(108, 90, 108, 0),
      P(54 - 13.1, 2.5),
      T("ＲＧ１", 54, 87.5),
      T("３００×６００", 54, 82.5),
      T("Ｄ１０－＠２５０", 54, 2.5),
  });
}

TEST_F(RcSectionListsTest, BeamCellWithFourPositionsGivesOnlyTheTail) {
  FirstData3.RcPositions = 4;
  Generate(30);
  ExpectCell({
      L(144, 90, 144, 0),
      P(72 - 13.1, 2.5),
      T("ＲＧ１", 72, 87.5),
      T("３００×６００", 72, 82.5),
      T("Ｄ１０－＠２５０", 72, 2.5),
  });
}

// Pile, two positions: the dividers reach the bottom, the hoop texts of the
// positions follow the figures, no pictogram.
TEST_F(RcSectionListsTest, PileCellWithTwoPositions) {
  FirstData3.RcPositions = 2;
  FirstData3.RcPileHoopBar2 = "D13";
  FirstData3.RcPileHoopPitch2 = 200;
  Generate(32);
  ExpectCell({
      L(36, 80, 36, 75),
      L(36, 10, 36, 0),
      T("左端", 18, 77.5),
      T("２－Ｄ２２", 18, 7.5),
      T("中央", 54, 77.5),
      T("２－Ｄ２２", 54, 7.5),
      S(18, 42.5, 4),
      S(54, 42.5, 4),
      T("Ｄ１０－＠２５０", 18, 2.5),
      T("Ｄ１３－＠２００", 54, 2.5),
      L(72, 90, 72, 0),
      T("ＲＧ１", 36, 87.5),
      T("３００φ", 36, 82.5),
  });
}

TEST_F(RcSectionListsTest, PileCellRowModeThree) {
  RcSectionDefaults.SectionListRowMode = 3;
  FirstData3.RcPositions = 2;
  Generate(32);
  ExpectCell({
      L(36, 80, 36, 75),
      L(36, 15, 36, 5),
      T("左端", 18, 77.5),
      T("２－Ｄ２２", 18, 12.5),
      T("中央", 54, 77.5),
      T("２－Ｄ２２", 54, 12.5),
      S(18, 45, 4),
      S(54, 45, 4),
      T("Ｄ１０－＠２５０", 18, 7.5),
      T("Ｄ１０－＠２５０", 54, 7.5),
      L(72, 90, 72, 0),
      T("ＲＧ１", 36, 87.5),
      T("３００φ", 36, 82.5),
      T("Ｄ１６－＠１０００", 36, 2.5),
  });
}

// Without texts only the figures remain, centred at H / 2 in every row mode.
TEST_F(RcSectionListsTest, NoTextLeavesOnlyTheFigures) {
  FirstData3.RcNoText = 1;
  for (std::uint8_t mode : {1, 2, 3}) {
    RcSectionDefaults.SectionListRowMode = mode;
    fig_.Texts = {"old"};
    Generate(30);
    ExpectCell({S(18, 45, 19)});
    EXPECT_TRUE(fig_.Texts.empty());
  }
  FirstData3.RcPositions = 2;
  Generate(32);
  ExpectCell({S(18, 45, 4), S(54, 45, 4)});
}

// The texts carry the angle; the box offset is turned, lines are not.
TEST_F(RcSectionListsTest, TurnedCellsTurnOnlyTheirTexts) {
  DraftDefaults.FigureBasePoint = 4;
  Generate(30, 90);
  // Offset (-18, -45) turned by 90: (45, -18).
  const double cx = 145, cy = 182;
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 30u);
  EXPECT_EQ(float{e[0].TextAngle}, 90.0f);
  ExpectLine(e[3], {cx + 13, cy + 55}, {cx + 23, cy + 55});
  ExpectLine(e[22], {cx + 36, cy + 90}, {cx + 36, cy});
  // A centred text turned by 90: the centre is the first point moved by
  // (-h / 2, w / 2) with h 2.0; "ＲＧ１" is 3 x 2.5 + 2 x 0.2 = 7.9 long.
  const RDrawElement& mark = e[27];
  EXPECT_EQ(fig_.Texts[mark.TextIndex], J("ＲＧ１"));
  ExpectPoint({mark.X1 - 1.0, mark.Y1 + 3.95}, {cx + 18, cy + 87.5});
}

// Kind 33 at scale 10: a box of 3 with its corner on the base point (code
// 2); the D29 symbol turned by 30 degrees about the corner, the circle's
// centre moved and its radius kept.
TEST_F(RcSectionListsTest, BarMarkTurnedThirtyDegrees) {
  FirstData3.RcMainBar = "D29";
  fig_.SetStylesAndScale(styles_, 10.0);
  fig_.Texts = {"old"};
  Generate(33, 30);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 3u);
  EXPECT_TRUE(fig_.Texts.empty());
  const double c = std::sqrt(3.0) / 2;
  auto turned = [&](double x, double y) { return Pt{10 + x * c - y * 0.5, 20 + x * 0.5 + y * c}; };
  fig_.Generate(33, 10, 20, 0, 0, 0, 0, 0, 0, 30);
  ExpectLine(e[0], turned(0, 0), turned(3, 3));
  ExpectLine(e[1], turned(3, 0), turned(0, 3));
  ExpectArc(e[2], turned(1.5, 1.5), 1.5, 0, 0);
  EXPECT_EQ(int{e[2].ColorNo}, 1);
  EXPECT_EQ(int{e[2].LineType}, 1);

  // Unturned with the centred base code: the symbol centred on the base.
  DraftDefaults.FigureBasePoint = 4;
  fig_.Generate(33, 10, 20, 0, 0, 0, 0, 0, 0, 0);
  ExpectLine(fig_.Elements[0], {8.5, 18.5}, {11.5, 21.5});
}

TEST_F(RcSectionListsTest, ABrokenScaleKeepsTheOutput) {
  Generate(30);
  const std::size_t before = fig_.Elements.size();
  fig_.SetStylesAndScale(styles_, 0.0);
  for (std::uint8_t kind = 30; kind <= 33; ++kind) {
    Generate(kind);
    EXPECT_EQ(fig_.Elements.size(), before);
  }
}

}  // namespace
