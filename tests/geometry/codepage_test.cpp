#include "geometry/codepage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(Codepage, JapaneseLiteralsBecomeShiftJis) {
  EXPECT_EQ(J("計算"), "\x8C\x76\x8E\x5A");
  EXPECT_EQ(J("ｷｬﾝｾﾙ"), "\xB7\xAC\xDD\xBE\xD9");
  EXPECT_EQ(Utf8FromCp932("\x8C\x76\x8E\x5A"), "計算");
  EXPECT_EQ(Utf16FromCp932("A\x82\xA0"), u"Aあ");
  EXPECT_EQ(Cp932FromUtf16(u"Aあ"), "A\x82\xA0");
}

TEST(Codepage, UnconvertibleInputIsSubstitutedNotLost) {
  EXPECT_EQ(Cp932FromUtf8("a\xF0\x9F\x98\x80"
                          "b"),
            "a?b");                                    // no emoji in code page 932
  EXPECT_EQ(Utf8FromCp932("a\x81"), "a\xEF\xBF\xBD");  // truncated double-byte character
  EXPECT_EQ(Cp932FromUtf8("x\xFFy"), "x?y");           // stray byte
}

// One character of each class, in both directions.
TEST(Codepage, EveryClassOfCharacter) {
  const struct {
    const char* what;
    std::string cp932;
    std::u16string unicode;
  } cases[] = {
      {"ASCII", "A~\\z", u"A~\\z"},
      {"control", std::string("\0\t\r\n", 4), std::u16string(u"\0\t\r\n", 4)},
      {"half-width kana", "\xA1\xB1\xDF", u"｡ｱﾟ"},
      {"full-width kana", "\x83\x41\x82\xA0", u"アあ"},
      {"kanji", "\x88\x9F\xEA\xA4", u"亜熙"},
      {"full-width symbols", "\x81\x40\x81\x8F\x81\x60", u"　￥～"},
      {"NEC row 13", "\x87\x40\x87\x54\x87\x82", u"①Ⅰ№"},
      {"IBM extension", "\xFA\x40\xFA\x5C\xFC\x4B", u"ⅰ纊黑"},
      {"user-defined", "\xF0\x40\xF9\xFC", u"\uE000\uE757"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16FromCp932(c.cp932), c.unicode) << c.what;
    EXPECT_EQ(Cp932FromUtf16(c.unicode), c.cp932) << c.what;
  }
}

TEST(Codepage, CodePageBytesWithoutACharacterBecomeOneSubstitute) {
  const struct {
    std::string cp932;
    std::u16string unicode;
  } cases[] = {
      {"\x80", u"\uFFFD"},
      {"\xA0", u"\uFFFD"},
      {"a\xFD\xFE\xFF"
       "b",
       u"a\uFFFD\uFFFD\uFFFDb"},
      {"\x85\x40", u"\uFFFD"},  // unassigned pair: one character
      {"\x85\x40"
       "A",
       u"\uFFFDA"},
      {"\xEF\x9F", u"\uFFFD"},
      {"\x81\n", u"\uFFFD\n"},  // a lead byte before a line end stands alone
      {"\x81\x7F", u"\uFFFD\x7F"},
      {"\x81 x", u"\uFFFD x"},
      {"x\x81", u"x\uFFFD"},  // cut off at the end
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16FromCp932(c.cp932), c.unicode);
  EXPECT_EQ(Utf8FromCp932("\x85\x40"
                          "A"),
            "\xEF\xBF\xBD"
            "A");
}

TEST(Codepage, UnicodeWithoutACodePageCharacterBecomesOneQuestionMark) {
  const struct {
    std::u16string unicode;
    std::string cp932;
  } cases[] = {
      {u"a\U0001F600b", "a?b"},  // a surrogate pair is one character
      {std::u16string(u"a\xD800"
                      "b"),
       "a?b"},  // lone high surrogate
      {std::u16string(u"a\xDC00"
                      "b"),
       "a?b"},  // lone low surrogate
      {std::u16string(u"a\xD800"), "a?"},
      {u"\u00A6\u00E9", "??"},  // ¦ é
      {u"\uFFFD", "?"},
  };
  for (const auto& c : cases) EXPECT_EQ(Cp932FromUtf16(c.unicode), c.cp932);
  const struct {
    std::string utf8;
    std::string cp932;
  } utf8Cases[] = {
      {"\xE3\x81", "?"},  // truncated at the end
      {"\xE3\x81"
       "A",
       "?A"},  // truncated inside
      {"\x80"
       "A",
       "?A"},                 // a lone continuation byte
      {"\xC0\x80", "?"},      // overlong
      {"\xED\xA0\x80", "?"},  // an encoded surrogate
      {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80", "??"},
  };
  for (const auto& c : utf8Cases) EXPECT_EQ(Cp932FromUtf8(c.utf8), c.cp932);
}

// What iconv's code page 932 does with the characters that differ between
// the JIS and the Windows readings.
TEST(Codepage, MappingQuirks) {
  const struct {
    std::u16string unicode;
    std::string cp932;
    std::u16string back;
  } cases[] = {
      {u"\\", "\x5C", u"\\"},
      {u"~", "\x7E", u"~"},
      {u"\u00A5", "\x5C", u"\\"},          // yen sign: the byte Japanese fonts show as yen
      {u"\u203E", "\x7E", u"~"},           // overline
      {u"\uFF5E", "\x81\x60", u"\uFF5E"},  // full-width tilde
      {u"\u301C", "\x81\x60", u"\uFF5E"},  // wave dash, accepted one way
      {u"\u2016", "\x81\x61", u"\u2225"},
      {u"\u2212", "\x81\x7C", u"\uFF0D"},
      {u"\u2014", "\x81\x5C", u"\u2015"},
      {u"\u00A2", "\x81\x91", u"\uFFE0"},
      {u"\u00A3", "\x81\x92", u"\uFFE1"},
      {u"\u00AC", "\x81\xCA", u"\uFFE2"},
      {u"\uFFE4", "\xFA\x55", u"\uFFE4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp932FromUtf16(c.unicode), c.cp932) << std::hex << int(c.unicode[0]);
    EXPECT_EQ(Utf16FromCp932(c.cp932), c.back) << std::hex << int(c.unicode[0]);
  }
}

bool IsDocumentedDuplicate(unsigned code) {
  const unsigned lead = code >> 8;
  if (lead == 0xED || lead == 0xEE) return true;  // NEC-selected IBM extensions
  if (code >= 0xFA4A && code <= 0xFA54) return true;
  if (code >= 0xFA58 && code <= 0xFA5B) return true;
  const unsigned nec[] = {0x8790, 0x8791, 0x8792, 0x8795, 0x8796, 0x8797, 0x879A, 0x879B, 0x879C};
  for (unsigned n : nec) {
    if (code == n) return true;
  }
  return false;
}

// Every double-byte cell: unassigned ones give one substitute, assigned ones
// come back as themselves or, for the documented duplicates, as the
// canonical code of the same character.
TEST(Codepage, RoundTripOverAllDoubleByteCells) {
  int assigned = 0;
  int duplicates = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const unsigned code = lead << 8 | trail;
      const std::string bytes = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string u = Utf16FromCp932(bytes);
      ASSERT_EQ(u.size(), 1u) << std::hex << code;
      if (u[0] == 0xFFFD) continue;
      ++assigned;
      const std::string back = Cp932FromUtf16(u);
      if (back == bytes) continue;
      EXPECT_TRUE(IsDocumentedDuplicate(code)) << std::hex << code;
      EXPECT_EQ(Utf16FromCp932(back), u) << std::hex << code;
      ++duplicates;
    }
  }
  // JIS X 0208 6879, NEC row 13 83, NEC-selected IBM 374, IBM 388, user area 1880.
  EXPECT_EQ(assigned, 6879 + 83 + 374 + 388 + 1880);
  EXPECT_EQ(duplicates, 374 + 10 + 1 + 4 + 9);

  const struct {
    std::string from, to;
  } canonical[] = {
      {"\xED\x40", "\xFA\x5C"}, {"\xEE\xEF", "\xFA\x40"}, {"\xEE\xF9", "\x81\xCA"}, {"\xFA\x4A", "\x87\x54"},
      {"\xFA\x54", "\x81\xCA"}, {"\xFA\x58", "\x87\x8A"}, {"\xFA\x59", "\x87\x82"}, {"\xFA\x5A", "\x87\x84"},
      {"\xFA\x5B", "\x81\xE6"}, {"\x87\x90", "\x81\xE0"}, {"\x87\x9A", "\x81\xE6"}, {"\x87\x9C", "\x81\xBE"},
  };
  for (const auto& c : canonical) EXPECT_EQ(Cp932FromUtf16(Utf16FromCp932(c.from)), c.to);
}

TEST(Codepage, SingleBytesRoundTrip) {
  for (unsigned b = 0; b <= 0xFF; ++b) {
    const std::string s(1, static_cast<char>(b));
    const std::u16string u = Utf16FromCp932(s);
    ASSERT_EQ(u.size(), 1u) << b;
    if (b <= 0x7F) {
      EXPECT_EQ(u[0], b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      EXPECT_EQ(u[0], 0xFF61 + (b - 0xA1));
    } else {
      EXPECT_EQ(u[0], 0xFFFD) << b;  // unassigned or a lone lead byte
    }
    if (u[0] != 0xFFFD) {
      EXPECT_EQ(Cp932FromUtf16(u), s);
    }
  }
}

// Every character of the basic plane that code page 932 holds comes back as
// itself, except the JIS-style code points it accepts one way.
TEST(Codepage, UnicodeRoundTripOverTheBasicPlane) {
  const char16_t oneWay[] = {0x00A5, 0x203E, 0x301C, 0x2016, 0x2212, 0x2014, 0x00A2, 0x00A3, 0x00AC};
  int converted = 0;
  for (unsigned c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::u16string u(1, static_cast<char16_t>(c));
    const std::string bytes = Cp932FromUtf16(u);
    if (bytes == "?" && c != '?') continue;
    ++converted;
    const bool expectedOneWay =
        std::find(std::begin(oneWay), std::end(oneWay), static_cast<char16_t>(c)) != std::end(oneWay);
    EXPECT_EQ(Utf16FromCp932(bytes) != u, expectedOneWay) << std::hex << c;
  }
  EXPECT_EQ(converted, 191 + 6879 + 83 + 388 + 1880 - 15 - 9 + 9);
}

TEST(Codepage, RandomBytesConvertSafely) {
  std::mt19937 rng(932);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 40);
  for (int round = 0; round < 3000; ++round) {
    std::string s;
    for (int n = length(rng); n > 0; --n) s.push_back(static_cast<char>(byte(rng)));
    const std::u16string u = Utf16FromCp932(s);
    EXPECT_LE(u.size(), s.size());
    const std::string utf8 = Utf8FromCp932(s);
    EXPECT_EQ(Cp932FromUtf8(utf8), Cp932FromUtf16(u));
    EXPECT_LE(Cp932FromUtf8(s).size(), 2 * s.size());
    std::u16string w;
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
      w.push_back(static_cast<char16_t>(static_cast<unsigned char>(s[i]) << 8 | static_cast<unsigned char>(s[i + 1])));
    }
    EXPECT_LE(Cp932FromUtf16(w).size(), 2 * w.size());
  }
}

}  // namespace
