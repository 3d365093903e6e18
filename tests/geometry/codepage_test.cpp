#include "geometry/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(Codepage, JapaneseLiteralsBecomeShiftJis) {
  EXPECT_EQ(J("計算"), "\x8C\x76\x8E\x5A");
  EXPECT_EQ(J("ｷｬﾝｾﾙ"), "\xB7\xAC\xDD\xBE\xD9");
  EXPECT_EQ(Utf8FromCp932("\x8C\x76\x8E\x5A"), "計算");
  EXPECT_EQ(Utf16FromCp932("A\x82\xA0"), u"Aあ");
  EXPECT_EQ(Cp932FromUtf16(u"Aあ"), "A\x82\xA0");
}

TEST(Codepage, UnconvertibleInputIsSubstitutedNotLost) {
  EXPECT_EQ(Cp932FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // no emoji in code page 932
  EXPECT_EQ(Utf8FromCp932("a\x81"), "a\xEF\xBF\xBD");        // truncated double-byte character
  EXPECT_EQ(Cp932FromUtf8("x\xFFy"), "x?y");                 // stray byte
}

}  // namespace
