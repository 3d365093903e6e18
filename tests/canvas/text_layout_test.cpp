// Text layout: the style suffix, markup, justification, compression, date
// macros and anchors, against positions worked out by hand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas/text_layout.h"
#include "geometry/codepage.h"
#include "platform/japanese_date.h"
#include "support/element_factory.h"
#include "support/settings_guard.h"

namespace {

RTextStyle MakeStyle(std::uint16_t width, std::uint16_t height, std::int16_t spacing) {
  RTextStyle s = {};
  s.Width = width;
  s.Height = height;
  s.Spacing = spacing;
  s.Weight = 400;
  return s;
}

std::u16string W(const char* utf8) { return Utf16FromCp932(J(utf8)); }

// The laid-out characters joined, as UTF-8.
std::string Joined(const TMoziViewobj& layout) {
  std::string s;
  for (const RMoziview_data& c : layout.Chars) s += c.Ch;
  return Utf8FromCp932(s);
}

TEST(ParseStyleSuffix, SplitsTheSuffixAndReadsItsSixFields) {
  struct Case {
    const char* text;
    bool found;
    const char* visible;
    double width, height, spacing;  // style: 20, 20, 1
    int weight, italic, face;
  };
  const Case cases[] = {
      {"ABD##30/30/2/7/1/2", true, "ABD", 30, 30, 2, 7, 1, 2},
      {"A##30", false, "A##30", 20, 20, 1, 0, 0, 0},       // five characters: no suffix
      {"A##0/0/0/0/0/3", true, "A ", 20, 20, 1, 0, 0, 3},  // one character gains a blank
      {"ABCDEFGH", false, "ABCDEFGH", 20, 20, 1, 0, 0, 0},
      {"ABCDEFG##0/0/0/0/0/0", false, "ABCDEFG", 20, 20, 1, 0, 0, 0},
      {"ABCDEFG##x/ 40 /-5", true, "ABCDEFG", 20, 40, 1, 0, 0, 0},  // unreadable and negative keep the style
      {"漢字テキ##25/0", true, "漢字テキ", 25, 20, 1, 0, 0, 0},
      {"ABCDEFG##0/0/0/0/0/256", false, "ABCDEFG", 20, 20, 1, 0, 0, 0},  // the face's low byte is 0
      {"ABCDEFG##0/0/0/258", true, "ABCDEFG", 20, 20, 1, 2, 0, 0},       // weight kept as a byte
      {"ABCDEFG##1.5", true, "ABCDEFG", 1.5, 20, 1, 0, 0, 0},
  };
  const RTextStyle style = MakeStyle(20, 20, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TMoziViewobj layout;
    EXPECT_EQ(layout.ParseStyleSuffix(W(c.text), style), c.found);
    EXPECT_EQ(layout.Overridden, c.found);
    EXPECT_EQ(Utf8FromCp932(Cp932FromUtf16(layout.VisibleText)), c.visible);
    EXPECT_DOUBLE_EQ(layout.OverrideWidth, c.width);
    EXPECT_DOUBLE_EQ(layout.OverrideHeight, c.height);
    EXPECT_DOUBLE_EQ(layout.OverrideSpacing, c.spacing);
    EXPECT_EQ(layout.OverrideWeight, c.weight);
    EXPECT_EQ(layout.OverrideItalic, c.italic);
    EXPECT_EQ(layout.OverrideFace, c.face);
  }
}

TEST(ParseStyleSuffix, AnUnmarkedTextShowsTheStylesSizesNotThoseOfTheTextBefore) {
  TMoziViewobj layout;
  ASSERT_TRUE(layout.ParseStyleSuffix(W("ABD##30/40/2/7/1/2"), MakeStyle(20, 20, 1)));
  EXPECT_FALSE(layout.ParseStyleSuffix(W("plain"), MakeStyle(25, 35, 3)));
  EXPECT_DOUBLE_EQ(layout.OverrideWidth, 25);
  EXPECT_DOUBLE_EQ(layout.OverrideHeight, 35);
  EXPECT_DOUBLE_EQ(layout.OverrideSpacing, 3);
  EXPECT_EQ(layout.OverrideWeight, 0);
  EXPECT_EQ(layout.OverrideFace, 0);
}

// Style width 20, height 30, spacing 4: a full-width character advances 2,
// a single-byte one 1; the gaps before them are 0.4 and 0.2; the line is 3 high.
TEST(Layout, PlacesEveryCharacterByItsKind) {
  struct Expected {
    std::uint8_t kind;
    double x, y;
  };
  struct Case {
    const char* text;
    const char* shown;
    double factor;
    std::vector<Expected> chars;
  };
  const Case cases[] = {
      {"AB", "AB", 1.01, {{0, 0, 3}, {0, 1.2, 3}}},
      {"10^u2", "102", 1.0, {{0, 0, 3}, {0, 1.2, 3}, {1, 2.4, 3}}},
      {"H^d2O", "H2O", 1.0, {{0, 0, 3}, {2, 1.2, 1.8}, {0, 2.4, 3}}},  // the 2 sits 0.4 x 3 lower
      {"○^B×A", "○×A", 1.0, {{0, 0, 3}, {3, 0, 3}, {0, 2.2, 3}}},      // × on ○, the pen back after ○
      {"○^b×", "○×", 1.0, {{0, 0, 3}, {4, 0.4, 3}}},                   // 2 + 0.4 - (0.4 + 0.8 x 2)
      {"A^bB", "AB", 1.0, {{0, 0, 3}, {4, 0.35, 3}}},                  // 1 + 0.2 - (0.2 + 0.65)
      {"^cABC", "ABC", 1.0, {{5, 0, 3}, {0, 1.2, 3}, {0, 2.4, 3}}},
      {"AB^cC", "AB^cC", 1.0, {{0, 0, 3}, {0, 1.2, 3}, {0, 2.4, 3}, {0, 3.6, 3}, {0, 4.8, 3}}},
      {"A^u", "A", 1.0, {{0, 0, 3}}},
      // Six full-width characters are 6 x 2 + 5 x 0.4 = 14 wide; the three
      // left spread over it with gaps of (14 - 6) / 2 = 4.
      {"平面図・・・", "平面図", 1.0, {{0, 0, 3}, {0, 6, 3}, {0, 12, 3}}},
      // 3 + 2 x 0.2 = 3.4 wide; two letters leave a gap of 1.4.
      {"AB･", "AB", 1.0, {{0, 0, 3}, {0, 2.4, 3}}},
      {"AB･･", "AB･･", 1.0, {{0, 0, 3}, {0, 1.2, 3}, {0, 2.4, 3}, {0, 3.6, 3}}},
      {"A・", "A・", 1.0, {{0, 0, 3}, {0, 1.4, 3}}},
      // ABCD is 4.6 wide; two half characters less: a = 2.6 / 4.6.
      {"ABCD^2",
       "ABCD",
       2.6 / 4.6,
       {{0, 0, 3}, {0, 1.2 * 2.6 / 4.6, 3}, {0, 2.4 * 2.6 / 4.6, 3}, {0, 3.6 * 2.6 / 4.6, 3}}},
      {"A^2", "A^2", 1.0, {{0, 0, 3}, {0, 1.2, 3}, {0, 2.4, 3}}},
  };
  const RTextStyle style = MakeStyle(20, 30, 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TMoziViewobj layout;
    layout.Layout(J(c.text), style, 0, 0, 0, 0);
    EXPECT_EQ(Joined(layout), c.shown);
    EXPECT_NEAR(layout.CompressionFactor, c.factor, 1e-12);
    ASSERT_EQ(layout.Chars.size(), c.chars.size());
    for (std::size_t i = 0; i < c.chars.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(layout.Chars[i].Kind, c.chars[i].kind);
      EXPECT_NEAR(layout.Chars[i].X, c.chars[i].x, 1e-9);
      EXPECT_NEAR(layout.Chars[i].Y, c.chars[i].y, 1e-9);
    }
  }
}

TEST(Layout, TurnsThePositionsAboutTheBasePoint) {
  TMoziViewobj layout;
  layout.Layout("AB", MakeStyle(20, 30, 4), 10, 5, 90, 0);
  ASSERT_EQ(layout.Chars.size(), 2u);
  // Across 3 to the left of the upward base line, along 0 and 1.2.
  EXPECT_NEAR(layout.Chars[0].X, 7, 1e-9);
  EXPECT_NEAR(layout.Chars[0].Y, 5, 1e-9);
  EXPECT_NEAR(layout.Chars[1].X, 7, 1e-9);
  EXPECT_NEAR(layout.Chars[1].Y, 6.2, 1e-9);
}

TEST(Layout, VerticalWritingExchangesWidthAndHeight) {
  TMoziViewobj layout;
  // Width 20, height 30 written vertically: advance 1.5, line 2, down the page.
  layout.Layout("AB", MakeStyle(20, 30, 4), 0, 0, 270, kTextVertical);
  ASSERT_EQ(layout.Chars.size(), 2u);
  EXPECT_EQ(+layout.Style.Width, 30);
  EXPECT_EQ(+layout.Style.Height, 20);
  EXPECT_NEAR(layout.Chars[0].X, 2, 1e-9);
  EXPECT_NEAR(layout.Chars[0].Y, 0, 1e-9);
  EXPECT_NEAR(layout.Chars[1].X, 2, 1e-9);
  EXPECT_NEAR(layout.Chars[1].Y, -1.7, 1e-9);
}

TEST(Layout, WholeTextMacrosShowTheClock) {
  struct Case {
    const char* text;
    const char* shown;
  };
  // 7 May 2026, 9 o'clock: the eighth year of Reiwa.
  const Case may[] = {
      {"$Y", "8"},  {"$y", "26"}, {"$m", "5"},    {"$d", "7"},  {"$H", "9"},  {"$h", "9"},  {"&Y", " 8"}, {"&y", "26"},
      {"&m", " 5"}, {"&d", " 7"}, {"&H", " 9"},   {"&h", " 9"}, {"%Y", "08"}, {"%y", "26"}, {"%m", "05"}, {"%d", "07"},
      {"%H", "09"}, {"%h", "09"}, {"$mx", "$mx"}, {"$F", "$F"}, {"$f", "$f"}, {"&F", "&F"}, {"$x", "$x"}, {"m", "m"},
  };
  {
    const ScopedFakeDateTime clock(2026, 5, 7, 9);
    for (const Case& c : may) {
      SCOPED_TRACE(c.text);
      TMoziViewobj layout;
      layout.Layout(c.text, MakeStyle(20, 20, 0), 0, 0, 0, 0);
      EXPECT_EQ(Joined(layout), c.shown);
    }
  }
  const Case december[] = {{"$m", "12"}, {"&d", "31"}, {"%H", "23"}, {"$Y", "8"}};
  const ScopedFakeDateTime clock(2026, 12, 31, 23);
  for (const Case& c : december) {
    SCOPED_TRACE(c.text);
    TMoziViewobj layout;
    layout.Layout(c.text, MakeStyle(20, 20, 0), 0, 0, 0, 0);
    EXPECT_EQ(Joined(layout), c.shown);
  }
}

TEST(Layout, FileNameMacrosUseTheirNamesWhenSet) {
  TMoziViewobj layout;
  layout.MacroFileName = "plan.zq4";
  layout.Layout("$F", MakeStyle(20, 20, 0), 0, 0, 0, 0);
  EXPECT_EQ(Joined(layout), "plan.zq4");
  layout.Layout("$f", MakeStyle(20, 20, 0), 0, 0, 0, 0);
  EXPECT_EQ(Joined(layout), "$f");
}

TEST(Layout, AnEmptyTextLaysOutNothing) {
  TMoziViewobj layout;
  layout.Layout("", MakeStyle(20, 20, 0), 0, 0, 0, 0);
  EXPECT_TRUE(layout.Chars.empty());
  layout.Layout(J("・・・"), MakeStyle(20, 20, 0), 0, 0, 0, 0);
  EXPECT_TRUE(layout.Chars.empty());
}

TEST(AnchorOffset, GivesTheNineAnchorsWithAndWithoutMargins) {
  struct Case {
    std::uint8_t anchor;
    double along, across;              // box 10 x 4
    double alongMargin, acrossMargin;  // margins 1 outward
  };
  const Case cases[] = {
      {0, 0, 0, -1, -1}, {1, 5, 0, 5, -1}, {2, 10, 0, 11, -1}, {3, 10, 2, 11, 2}, {4, 10, 4, 11, 5},
      {5, 5, 4, 5, 5},   {6, 5, 2, 5, 2},  {7, 0, 4, -1, 5},   {8, 0, 2, -1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.anchor));
    TMoziKiten kiten;
    kiten.AnchorOffset(c.anchor, false, 10, 4);
    EXPECT_DOUBLE_EQ(kiten.AlongOffset, c.along);
    EXPECT_DOUBLE_EQ(kiten.AcrossOffset, c.across);
    kiten.AnchorOffset(c.anchor, true, 10, 4);
    EXPECT_DOUBLE_EQ(kiten.AlongOffset, c.alongMargin);
    EXPECT_DOUBLE_EQ(kiten.AcrossOffset, c.acrossMargin);
  }
  TMoziKiten kiten;
  kiten.AnchorOffset(6, false, 10, 4);
  kiten.AnchorOffset(9, true, 20, 8);  // no such anchor: unchanged
  EXPECT_DOUBLE_EQ(kiten.AlongOffset, 5);
  EXPECT_DOUBLE_EQ(kiten.AcrossOffset, 2);
}

TEST(AnchorOffset, FollowsTheMarginSettings) {
  SettingsGuard guard;
  DimensionDefaults.AnchorMarginRightX = 3.0f;
  DimensionDefaults.AnchorMarginTopY = 0.5f;
  TMoziKiten kiten;
  kiten.AnchorOffset(4, true, 10, 4);  // top right: (10 + 3, 4 + 0.5)
  EXPECT_DOUBLE_EQ(kiten.AlongOffset, 13);
  EXPECT_DOUBLE_EQ(kiten.AcrossOffset, 4.5);
  DraftDefaults.AnchorMarginsOn = 0;  // the switch off: no margins
  kiten.AnchorOffset(4, true, 10, 4);
  EXPECT_DOUBLE_EQ(kiten.AlongOffset, 10);
  EXPECT_DOUBLE_EQ(kiten.AcrossOffset, 4);
}

TEST(TextBaseLength, CountsDoubleAndSingleByteCharactersAndTheirSpacing) {
  struct Case {
    const char* text;
    double unit, spacing, length;
  };
  const Case cases[] = {
      {"AB", 20, 5, 2.25},   // 1 + 0.25 + 1
      {"AB", 30, 5, 3.25},   // the height of vertical writing: 1.5 + 0.25 + 1.5
      {"漢", 20, 5, 2.0},    // no spacing after the last character
      {"漢A", 20, 5, 3.5},   // 2 + 0.5 + 1
      {"A漢", 20, 5, 3.25},  // 1 + 0.25 + 2
      {"", 20, 5, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_NEAR(TextBaseLength(W(c.text), c.unit, c.spacing), c.length, 1e-12);
  }
}

}  // namespace
