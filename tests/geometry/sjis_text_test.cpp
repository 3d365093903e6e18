#include "geometry/sjis_text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <random>
#include <vector>

#include "geometry/codepage.h"

namespace {

// The characters of a code page 932 string, one string per character.
std::vector<std::string> Characters(const std::string& s) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = IsSjisLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

TEST(SjisText, LeadBytesAreTheTwoRanges) {
  const struct {
    unsigned char b;
    bool lead;
  } cases[] = {{0x00, false}, {0x7F, false}, {0x80, false}, {0x81, true}, {0x9F, true},  {0xA0, false},
               {0xA1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false}, {0xFF, false}};
  for (const auto& c : cases) EXPECT_EQ(IsSjisLeadByte(c.b), c.lead) << int(c.b);
  EXPECT_FALSE(FirstCharIsDoubleByte(""));
  EXPECT_FALSE(FirstCharIsDoubleByte("a\x82\xA0"));
  EXPECT_FALSE(FirstCharIsDoubleByte("\xB1"));
  EXPECT_TRUE(FirstCharIsDoubleByte(J("あa")));
  EXPECT_TRUE(FirstCharIsDoubleByte("\xE0"));
}

TEST(SjisText, TrailByteCountsTheLeadRunBeforeIt) {
  const std::string s = "\x82\x82\x82\xA0";  // two double-byte characters
  const struct {
    int index;
    bool trail;
  } cases[] = {{1, false}, {2, true}, {3, false}, {4, true}};
  for (const auto& c : cases) EXPECT_EQ(IsSjisTrailByte(s, c.index), c.trail) << c.index;
  // A run broken by a single-byte character starts counting again.
  EXPECT_FALSE(
      IsSjisTrailByte("\x82"
                      "a\x82",
                      3));
  EXPECT_TRUE(IsSjisTrailByte("a\x82\x5C", 3));
}

TEST(SjisText, TrailByteOutsideTheStringIsAnIllegalIndex) {
  const std::string s = "\x82\x82\x82\xA0";
  for (int index : {0, -1, 5, 100}) {
    try {
      IsSjisTrailByte(s, index);
      ADD_FAILURE() << index;
    } catch (const IllegalIndexError& e) {
      EXPECT_STREQ(e.what(), "Illegal Index");
    }
  }
  EXPECT_THROW(IsSjisTrailByte("", 1), IllegalIndexError);
}

TEST(SjisText, CharPosCountsCharactersAndMatchesOnlyAtBoundaries) {
  const struct {
    std::string sub, s;
    int pos;
  } cases[] = {
      {"b", J("あb"), 2},  // a character index, not byte 3
      {"\\", J("ソ"), 0},  // 0x5C only as the trail byte of 0x835C
      {"\\", J("ソ\\"), 2},
      {J("い"), J("あい"), 2},
      {"\xA0\x82", J("ああ"), 0},  // across two characters
      {"ab", "xab", 2},
      {"abc", "abc", 1},
      {"abcd", "abc", 0},             // longer than the string
      {"\x82\xA0x", "a\x82\xA0", 0},  // would run past the end
      {"", "abc", 0},
      {"a", "", 0},
      {"c", "abc", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(SjisCharPos(c.sub, c.s), c.pos) << c.s;
}

TEST(SjisText, CutTokenSplitsAtTheFirstDelimiter) {
  const struct {
    std::string s, delims, token, rest;
  } cases[] = {
      {"3/5", "/", "3", "5"},
      {"7", "/", "7", ""},
      {"", "/", "", ""},
      {"a/b/c", "/", "a", "b/c"},
      {"/x", "/", "", "x"},
      {"a,b/c", "/,", "a", "b/c"},
      {"abc", "", "abc", ""},
      {J("ソ\\a"), "\\", J("ソ"), "a"},  // the trail byte 0x5C of ソ does not split
      {J("表/示"), "/", J("表"), J("示")},
  };
  for (const auto& c : cases) {
    std::string s = c.s;
    std::string token = "old";
    CutToken(s, c.delims, token);
    EXPECT_EQ(token, c.token) << c.s;
    EXPECT_EQ(s, c.rest) << c.s;
  }
}

TEST(SjisText, SplitSjisCharactersKeepsDoubleBytePairs) {
  const struct {
    std::string s;
    std::vector<std::string> chars;
  } cases[] = {
      {"", {}},
      {"ab", {"a", "b"}},
      {"a" + J("ソ") + "1", {"a", J("ソ"), "1"}},  // the trail byte 0x5C stays with its lead
      {"a\x82", {"a", "\x82"}},                    // a lead byte at the end stands alone
  };
  for (const auto& c : cases) EXPECT_EQ(SplitSjisCharacters(c.s), c.chars) << c.s;
}

TEST(SjisText, JisAndShiftJisCodes) {
  const struct {
    std::uint16_t jis, sjis;
  } cases[] = {
      {0x2330, 0x824F},  // ０
      {0x2121, 0x8140},  // ideographic space, the first cell
      {0x2422, 0x82A0},  // あ
      {0x3021, 0x889F},  // 亜
      {0x5D21, 0x9F40},  // last lead byte below the gap
      {0x5F21, 0xE040},  // first row above it
      {0x7E7E, 0xEFFC},  // the last cell
      {0x215F, 0x817E},  // cell before the 0x7F gap
      {0x2160, 0x8180},  // cell after it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JisToSjis(c.jis), c.sjis) << std::hex << c.jis;
    EXPECT_EQ(SjisToJis(c.sjis), c.jis) << std::hex << c.sjis;
  }
}

// Every JIS cell maps to a well-formed Shift-JIS pair and back, and every
// character of JIS X 0208 lands where glibc's own tables put it.
TEST(SjisText, JisRoundTripOverAllCells) {
  iconv_t cd = iconv_open("SHIFT_JIS", "EUC-JP");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int compared = 0;
  for (unsigned row = 0x21; row <= 0x7E; ++row) {
    for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
      const auto jis = static_cast<std::uint16_t>(row << 8 | cell);
      const std::uint16_t sjis = JisToSjis(jis);
      const unsigned lead = sjis >> 8;
      const unsigned trail = sjis & 0xFF;
      ASSERT_TRUE(IsSjisLeadByte(static_cast<unsigned char>(lead))) << std::hex << jis;
      ASSERT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F) << std::hex << jis;
      ASSERT_EQ(SjisToJis(sjis), jis);
      char euc[2] = {static_cast<char>(row | 0x80), static_cast<char>(cell | 0x80)};
      char out[8];
      char* src = euc;
      char* dst = out;
      std::size_t srcLeft = 2;
      std::size_t dstLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) continue;
      ASSERT_EQ(dst - out, 2);
      EXPECT_EQ(DbcsStringToCode(std::string(out, 2)), sjis) << std::hex << jis;
      ++compared;
    }
  }
  iconv_close(cd);
  EXPECT_GT(compared, 6800);  // JIS X 0208 assigns 6879 characters
}

TEST(SjisText, DoubleByteCodesAndStrings) {
  EXPECT_EQ(CodeToDbcsString(0x82A0), "\x82\xA0");
  EXPECT_EQ(CodeToDbcsString(0x0041), std::string("\0A", 2));
  EXPECT_EQ(DbcsStringToCode("\x82\xA0xyz"), 0x82A0);
  EXPECT_EQ(DbcsStringToCode("A"), 0x4100);
  EXPECT_EQ(DbcsStringToCode(""), 0);
}

// The symbol table, each pair written as the characters themselves.
TEST(SjisText, SymbolsConvertBothWays) {
  const struct {
    const char* half;
    const char* full;
  } cases[] = {
      {" ", "　"}, {"!", "！"}, {"\"", "”"}, {"#", "＃"}, {"$", "＄"}, {"%", "％"}, {"&", "＆"}, {"'", "’"},
      {"(", "（"}, {")", "）"}, {"=", "＝"}, {"`", "‘"},  {"|", "｜"}, {"-", "－"}, {"^", "＾"}, {"\\", "￥"},
      {"~", "￣"}, {"{", "｛"}, {"@", "＠"}, {"[", "［"}, {"+", "＋"}, {"*", "＊"}, {"}", "｝"}, {";", "；"},
      {":", "："}, {"]", "］"}, {"<", "＜"}, {">", "＞"}, {"?", "？"}, {"_", "＿"}, {"､", "、"}, {"｡", "。"},
      {"･", "・"}, {",", "，"}, {".", "．"}, {"/", "／"}, {"ｰ", "ー"}, {"｢", "「"}, {"｣", "」"},
  };
  for (const auto& c : cases) {
    const std::string half = J(c.half);
    const std::string full = J(c.full);
    ASSERT_EQ(half.size(), 1u) << c.half;
    ASSERT_EQ(full.size(), 2u) << c.full;
    EXPECT_EQ(SymbolToFullWidthCode(static_cast<unsigned char>(half[0])), DbcsStringToCode(full)) << c.half;
    EXPECT_EQ(ToFullWidth(half), full) << c.half;
    EXPECT_EQ(ToHalfWidth(full), half) << c.full;
  }
  EXPECT_EQ(SymbolToFullWidthCode('A'), 'A');
  EXPECT_EQ(SymbolToFullWidthCode(0xDE), 0xDE);
}

TEST(SjisText, ToFullWidthCases) {
  const struct {
    std::string in, out;
  } cases[] = {
      {J("ｶﾞ"), J("ガ")},
      {J("ﾊﾟ"), J("パ")},
      {J("ｳﾞ"), J("ウ゛")},  // ｳ has no voiced form here
      {J("ｶﾟ"), J("カ゜")},
      {J("ｱﾞ"), J("ア゛")},
      {J("ﾞ"), J("ﾞ")},
      {J("ﾞﾟ"), J("ﾞﾟ")},
      {J("ｶﾞｷ"), J("ガキ")},
      {"A1", J("Ａ１")},
      {"\\", J("￥")},
      {J("あ漢Ａ"), J("あ漢Ａ")},
      {"\x82", "\x82"},  // a lead byte cut off at the end
      {"\x01\x80\xA0\xFD\xFF", "\x01\x80\xA0\xFD\xFF"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToFullWidth(c.in), c.out) << Utf8FromCp932(c.in);
}

TEST(SjisText, ToFullWidthOverEveryHalfWidthKanaLetterAndDigit) {
  const struct {
    const char* half;
    const char* full;
  } rows[] = {
      {"ｦｧｨｩｪｫｬｭｮｯｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ",
       "ヲァィゥェォャュョッアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワ"
       "ン"},
      {"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", "ガギグゲゴザジズゼゾダヂヅデドバビブベボ"},
      {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
      {"0123456789", "０１２３４５６７８９"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"},
      {"abcdefghijklmnopqrstuvwxyz", "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"},
  };
  for (const auto& r : rows) EXPECT_EQ(ToFullWidth(J(r.half)), J(r.full)) << r.half;
}

TEST(SjisText, ToHalfWidthCases) {
  const struct {
    std::string in, out;
  } cases[] = {
      {J("ガ"), J("ｶﾞ")},         {J("パ"), J("ﾊﾟ")}, {J("ヴ"), J("ｳﾞ")}, {J("ヲ"), J("ｵ")},
      {J("ヶ"), J("ｹ")},          {J("Ａ"), "A"},     {J("ー"), J("ｰ")},  {J("、"), J("､")},
      {J("あ漢刀"), J("あ漢刀")},  // 刀 0x9381 also spans ％＆ of the symbol string
      {J("゛゜"), J("゛゜")},     {J("ａ９"), "a9"},  {"abc", "abc"},     {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHalfWidth(c.in), c.out) << Utf8FromCp932(c.in);
}

TEST(SjisText, ToHalfWidthOverTheWholeKatakanaRow) {
  const std::string full =
      J("ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトド"
        "ナニヌネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヴヵヶ");
  const std::string half =
      J("ｧｱｨｲｩｳｪｴｫｵｶｶﾞｷｷﾞｸｸﾞｹｹﾞｺｺﾞｻｻﾞｼｼﾞｽｽﾞｾｾﾞｿｿﾞﾀﾀﾞﾁﾁﾞｯﾂﾂﾞﾃﾃﾞﾄﾄﾞ"
        "ﾅﾆﾇﾈﾉﾊﾊﾞﾊﾟﾋﾋﾞﾋﾟﾌﾌﾞﾌﾟﾍﾍﾞﾍﾟﾎﾎﾞﾎﾟﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜﾜｲｴｵﾝｳﾞｶｹ");
  ASSERT_EQ(Characters(full).size(), 86u);
  EXPECT_EQ(ToHalfWidth(full), half);
}

// Cells past ヶ and pairs with a trail byte Shift-JIS cannot carry have no
// entry in any table; they pass through unchanged.
TEST(SjisText, ToHalfWidthCopiesWhatNoTableHolds) {
  const std::string cases[] = {
      "\x83\x97",  // row 0x25, cell 0x77: past the last katakana
      "\x83\x9E",  // row 0x25, cell 0x7E
      "\x83\x20",  // trail byte below 0x40
      "\x83\x7F", "\x83\xFD",
      "\x82\x3F",  // would be row 0x23 cell 0x20
      "\x83",      // a lead byte cut off at the end
  };
  for (const std::string& s : cases) EXPECT_EQ(ToHalfWidth(s), s) << std::hex << DbcsStringToCode(s);
}

TEST(SjisText, RandomBytesThroughEveryFunction) {
  std::mt19937 rng(20240611);
  // Bytes from the interesting classes are drawn more often than the rest.
  const unsigned char pool[] = {0x00, 0x2C, 0x2E, 0x2F, 0x30, 0x39, 0x41, 0x5C, 0x7E, 0x7F,
                                0x80, 0x81, 0x82, 0x83, 0x9F, 0xA0, 0xA1, 0xB0, 0xB6, 0xCA,
                                0xDE, 0xDF, 0xE0, 0xFC, 0xFD, 0xFF, 0x40, 0x97, 0x9E, 0x20};
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<int> pick(0, 2 * static_cast<int>(sizeof pool) - 1);
  std::uniform_int_distribution<int> any(0, 255);
  auto randomString = [&] {
    std::string s;
    for (int n = length(rng); n > 0; --n) {
      const int p = pick(rng);
      s.push_back(static_cast<char>(p < static_cast<int>(sizeof pool) ? pool[p] : any(rng)));
    }
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string s = randomString();
    const std::string sub = randomString().substr(0, 3);
    for (int i = 1; i <= static_cast<int>(s.size()); ++i) IsSjisTrailByte(s, i);
    const int pos = SjisCharPos(sub, s);
    EXPECT_GE(pos, 0);
    EXPECT_LE(pos, static_cast<int>(s.size()));
    // CutToken against its definition: the first byte that is a delimiter
    // and no trail byte by IsSjisTrailByte.
    std::size_t cut = s.size();
    for (std::size_t i = 0; i < s.size() && !sub.empty(); ++i) {
      if (sub.find(s[i]) != std::string::npos && !IsSjisTrailByte(s, static_cast<int>(i + 1))) {
        cut = i;
        break;
      }
    }
    std::string rest = s;
    std::string token;
    CutToken(rest, sub, token);
    EXPECT_EQ(token, s.substr(0, cut));
    EXPECT_EQ(rest, cut < s.size() ? s.substr(cut + 1) : "");
    const std::string full = ToFullWidth(s);
    const std::string half = ToHalfWidth(s);
    EXPECT_LE(full.size(), 2 * s.size());
    EXPECT_LE(half.size(), 2 * s.size());
    ToHalfWidth(full);
    ToFullWidth(half);
    FirstCharIsDoubleByte(s);
    DbcsStringToCode(s);
  }
}

TEST(TextLines, WalkedLinesAreTheBytesBetweenTheBreaks) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"a\r", {"a"}},
      {"a", {"a"}},
      {"", {}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"\n\n\n", {"", "", ""}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
      {"\x83\x5C\x95\x5C\n", {"\x83\x5C\x95\x5C"}},
      {std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
  };
  for (const Case& c : cases) {
    const TextLines walked(c.text);
    std::vector<std::string> lines;
    for (const std::string_view line : walked) lines.emplace_back(line);
    EXPECT_EQ(lines, c.lines) << c.text;
    EXPECT_EQ(walked.empty(), c.lines.empty()) << c.text;
  }
  // Lines given one by one read back as the same lines.
  const std::vector<std::string> given = {"#n", "", "0 0 1"};
  std::vector<std::string> back;
  for (const std::string_view line : TextLines(given)) back.emplace_back(line);
  EXPECT_EQ(back, given);
  back.clear();
  for (const std::string_view line : TextLines({"x", ""})) back.emplace_back(line);
  EXPECT_EQ(back, (std::vector<std::string>{"x", ""}));
}

}  // namespace
