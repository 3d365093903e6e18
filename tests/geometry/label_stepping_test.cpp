#include "geometry/label_stepping.h"

#include <gtest/gtest.h>

#include <random>

#include "geometry/codepage.h"

namespace {

std::string Stepped(const std::string& s, bool up) {
  std::string result = "old";
  StepLabel(s, up, result);
  return result;
}

TEST(LabelStepping, GroupsHaveTheirMembers) {
  const std::size_t sizes[] = {46, 46, 46, 20, 7, 19, 22, 22, 4, 4, 4, 5};
  for (std::size_t g = 0; g < LabelStepGroups.size(); ++g) {
    EXPECT_EQ(LabelStepGroups[g].size(), sizes[g]) << g + 1;
    // Every member exists in code page 932 and comes back as itself.
    for (char16_t c : LabelStepGroups[g]) {
      const std::u16string one(1, c);
      EXPECT_EQ(Utf16FromCp932(Cp932FromUtf16(one)), one) << g + 1;
    }
  }
}

TEST(LabelStepping, StepCharInGroupsWrapsAndReportsMembership) {
  const struct {
    std::u16string ch;
    bool up;
    bool member;
    std::u16string out;
  } cases[] = {
      {u"あ", true, true, u"い"}, {u"ん", true, true, u"あ"}, {u"あ", false, true, u"ん"},
      {u"ｦ", true, true, u"ﾝ"},   {u"ﾝ", true, true, u"ｱ"},   {u"⑳", true, true, u"①"},
      {u"外", true, true, u"下"}, {u"Ⅷ", true, true, u"Ⅹ"},   {u"ⅹ", true, true, u"Ⅰ"},
      {u"Ψ", true, true, u"Α"},   {u"π", false, true, u"ο"},  {u"↓", true, true, u"→"},
      {u"▲", true, true, u"▽"},   {u"◆", true, true, u"□"},   {u"∴", true, true, u"○"},
      {u"A", true, false, u"A"},  {u"τ", true, false, u"τ"},  {u"あい", true, false, u"あい"},
      {u"", true, false, u""},
  };
  for (const auto& c : cases) {
    std::u16string ch = c.ch;
    EXPECT_EQ(StepCharInGroups(ch, c.up), c.member) << Cp932FromUtf16(c.ch);
    EXPECT_EQ(ch, c.out) << Cp932FromUtf16(c.ch);
  }
}

TEST(LabelStepping, StepLabelCases) {
  const struct {
    const char* label;
    bool up;
    const char* next;
  } table[] = {
      {"12", true, "13"},
      {"１２", true, "１３"},
      {"0", false, "0"},
      {"007", true, "8"},
      {"1", false, "0"},
      {" 5", true, " 6"},
      {"2147483647", true, "2147483648"},
      // Single characters.
      {"A", true, "B"},
      {"Z", true, "A"},
      {"A", false, "Z"},
      {"a", false, "z"},
      {"ｚ", true, "ａ"},
      {"Ｂ", false, "Ａ"},
      {"X", true, "Y"},
      {"あ", true, "い"},
      {"ん", true, "あ"},
      {"①", false, "⑳"},
      {"上", true, "左"},
      {"Ⅷ", true, "Ⅹ"},
      {"ⅷ", true, "ⅸ"},
      {"ｱ", true, "ｲ"},
      {"#", true, "#"},
      {"図", true, "図"},
      {"", true, ""},
      // A character after a prefix.
      {"X-A", true, "X-B"},
      {"通りあ", true, "通りい"},
      {"Y-", true, "Y-"},
      {"1A", true, "1B"},
      // Trailing digits after a prefix.
      {"通り1", true, "通り2"},
      {"X10", true, "X11"},
      {"X-9", true, "X-10"},
      {"Ａ１", true, "Ａ２"},
      {"No１２", true, "No１３"},
      {"A09", true, "A10"},
      {"A007", true, "A8"},
      {"A0", false, "A0"},
      {"A99999999999", true, "A99999999999"},  // too long to read as a number
      // Decimal labels.
      {"1.5", true, "1.6"},
      {"1.9", true, "2.0"},
      {"9.9", true, "10.0"},
      {"2.0", false, "1.9"},
      {"1,9", true, "2,0"},
      {"12.34", true, "12.35"},
      {"1.0", false, ".9"},   // one digit lost: the separator moves one place earlier
      {"0.9", true, "0.10"},  // a zero before the separator is no decimal
      {"A1.5", true, "A1.6"},
      {"1.９", true, "２.０"},
  };
  for (const auto& c : table) {
    EXPECT_EQ(Stepped(J(c.label), c.up), J(c.next)) << c.label << (c.up ? " up" : " down");
  }
}

TEST(LabelStepping, WholeNumbersReadLikeThePlatformIntegers) {
  // A hexadecimal whole label counts in decimal after its own text.
  EXPECT_EQ(Stepped("$A", true), "$A11");
  EXPECT_EQ(Stepped("-5", true), "-0");
  // Both encodings of ⅰ step, to the canonical bytes of ⅱ.
  EXPECT_EQ(Stepped("\xEE\xEF", true), Cp932FromUtf16(u"ⅱ"));
  EXPECT_EQ(Stepped("\xFA\x40", true), Cp932FromUtf16(u"ⅱ"));
}

TEST(LabelStepping, RandomBytesNeverBreakIt) {
  std::mt19937 rng(77);
  const unsigned char pool[] = {'0',  '5',  '9',  '.',  ',',  'X',  'x',  '$',  '-',  ' ',  'A', 'z',
                                0x82, 0x4F, 0x60, 0x83, 0x40, 0x87, 0xFA, 0xB1, 0xDE, 0x80, 0xFF};
  std::uniform_int_distribution<int> length(0, 12);
  std::uniform_int_distribution<int> pick(0, sizeof pool - 1);
  for (int round = 0; round < 3000; ++round) {
    std::string s;
    for (int n = length(rng); n > 0; --n) s.push_back(static_cast<char>(pool[pick(rng)]));
    std::string up;
    std::string down;
    StepLabel(s, true, up);
    StepLabel(s, false, down);
    EXPECT_LE(up.size(), 2 * s.size() + 24);
  }
}

}  // namespace
