// Cutting, stepping and deleting a text at the character under a pick.

#include "tools/lines/text_split.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "geometry/codepage.h"

namespace {

constexpr double kRadTextSplit = 3.14159265358979323846 / 180.0;

// Style 1: 40 wide, 60 high, 20 spacing (0.1 mm). Across the line a
// single-byte character has a 2.0 cell and advances 3.0, a double-byte one
// a 4.0 cell and advances 6.0; written vertically the height counts: cells
// 3.0 and 6.0, advances 4.0 and 8.0.
std::array<RTextStyle, kTextStyleCount> Styles() {
  std::array<RTextStyle, kTextStyleCount> styles{};
  styles[1].Width = 40;
  styles[1].Height = 60;
  styles[1].Spacing = 20;
  return styles;
}

// A text at (10, 20) on a base line 50 long at the angle.
RDrawElement TextAt(double angle) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindText;
  e.X1 = 10;
  e.Y1 = 20;
  e.X2 = 10 + 50 * std::cos(angle * kRadTextSplit);
  e.Y2 = 20 + 50 * std::sin(angle * kRadTextSplit);
  e.TextAngle = static_cast<float>(angle);
  e.TextStyle = 1;
  return e;
}

// The point `along` from the base point along the text and 1.5 beside it.
void PickAt(double angle, double along, double& x, double& y) {
  const double c = std::cos(angle * kRadTextSplit), s = std::sin(angle * kRadTextSplit);
  x = 10 + along * c - 1.5 * s;
  y = 20 + along * s + 1.5 * c;
}

TEST(TextSplit, CharactersUnderThePick) {
  // "AB" + あ + "C9": horizontally A starts at 0, B 3, あ 6, C 12, 9 15;
  // vertically A 0, B 4, あ 8, C 16, 9 20.
  const std::string text = "AB" + J("あ") + "C9";
  struct Case {
    const char* what;
    double angle;
    std::uint8_t direction;
    double along;
    std::uint8_t mode;
    std::string result, right;
    std::int32_t left;
    double start;  // where the found character starts along the text
  } cases[] = {
      {"cut before the double-byte character", 0, 0, 6.3, kTextEditCut, "AB", J("あ") + "C9", 2, 6},
      {"cut at 30 degrees", 30, 0, 6.3, kTextEditCut, "AB", J("あ") + "C9", 2, 6},
      {"cut before the last character", 0, 0, 14.2, kTextEditCut, "AB" + J("あ") + "C", "9", 4, 15},
      {"a vertical text walks by heights", 0, kTextVertical, 8.3, kTextEditCut, "AB", J("あ") + "C9", 2, 8},
      {"vertical at 30 degrees", 30, kTextVertical, 15.0, kTextEditCut, "AB" + J("あ"), "C9", 3, 16},
      {"modes above 3 cut", 0, 0, 3.2, 7, "A", "B" + J("あ") + "C9", 1, 3},
      {"step up a trailing 9", 0, 0, 15.4, kTextEditStepUp, "AB" + J("あ") + "C10", "", 0, 15},
      {"step down", 30, 0, 15.4, kTextEditStepDown, "AB" + J("あ") + "C8", "", 0, 15},
      {"stepping keeps what follows", 0, 0, 3.2, kTextEditStepUp, "AC" + J("あ") + "C9", "", 0, 3},
      // Beyond half a cell (1.0) of 9 but within its whole cell (2.0).
      {"steps where a cut finds nothing", 0, 0, 16.5, kTextEditStepUp, "AB" + J("あ") + "C10", "", 0, 15},
      {"no cut beyond half a cell", 0, 0, 16.5, kTextEditCut, "", "", 0, 0},
      {"delete the double-byte character", 0, 0, 9.5, kTextEditDelete, "ABC9", "", 0, 6},
      {"delete vertically", 0, kTextVertical, 10.5, kTextEditDelete, "ABC9", "", 0, 8},
      {"a pick beyond the end", 0, 0, 30, kTextEditDelete, "", "", 0, 0},
      {"a pick before the start", 0, 0, -3, kTextEditStepUp, "", "", 0, 0},
      {"a cut at the first character cuts nothing", 0, 0, 0.2, kTextEditCut, "", text, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    double px = 0, py = 0;
    PickAt(c.angle, c.along, px, py);
    const auto styles = Styles();
    const TMoziSetuDanobj edit(TextAt(c.angle), c.mode, c.direction, px, py, styles, text);
    EXPECT_EQ(edit.ResultText, c.result);
    EXPECT_EQ(edit.RightText, c.right);
    EXPECT_EQ(edit.LeftLength, c.left);
    const bool found = !c.result.empty() || !c.right.empty();
    EXPECT_NEAR(edit.RightX, found ? 10 + c.start * std::cos(c.angle * kRadTextSplit) : 0.0, 1e-9);
    EXPECT_NEAR(edit.RightY, found ? 20 + c.start * std::sin(c.angle * kRadTextSplit) : 0.0, 1e-9);
  }
}

TEST(TextSplit, StylesOfAVerticalTextAreTurned) {
  const auto styles = Styles();
  const TMoziSetuDanobj edit(TextAt(0), kTextEditCut, kTextVertical, 0, 0, styles, "A");
  EXPECT_EQ(+edit.TextStyles[1].Width, 60);
  EXPECT_EQ(+edit.TextStyles[1].Height, 40);
  EXPECT_EQ(edit.SourceText, "A");
}

TEST(TextSplit, LabelsThatCannotStep) {
  const auto styles = Styles();
  double px = 0, py = 0;
  PickAt(0, 3.2, px, py);
  // A number is never stepped below 0, and "-" steps nowhere: the old text.
  const TMoziSetuDanobj zero(TextAt(0), kTextEditStepDown, 0, px, py, styles, "X0");
  EXPECT_EQ(zero.ResultText, "X0");
  const TMoziSetuDanobj dash(TextAt(0), kTextEditStepUp, 0, px, py, styles, "--");
  EXPECT_EQ(dash.ResultText, "--");
}

TEST(TextSplit, TextWithoutBaseLineHasNoCharacterNearThePick) {
  RDrawElement e = TextAt(0);
  e.X2 = e.X1;
  e.Y2 = e.Y1;
  const auto styles = Styles();
  for (std::uint8_t mode : {kTextEditCut, kTextEditStepUp, kTextEditDelete}) {
    const TMoziSetuDanobj edit(e, mode, 0, 10, 20, styles, "AB");
    EXPECT_EQ(edit.ResultText, "");
    EXPECT_EQ(edit.RightText, "");
  }
}

TEST(TextSplit, DeletingTheOnlyCharacterLeavesNothingToWrite) {
  const auto styles = Styles();
  const TMoziSetuDanobj edit(TextAt(0), kTextEditDelete, 0, 10.5, 20, styles, J("あ"));
  EXPECT_EQ(edit.ResultText, "");
  EXPECT_EQ(edit.RightX, 10.0);
}

}  // namespace
