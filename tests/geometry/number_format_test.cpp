#include "geometry/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>

#include "geometry/codepage.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct FloatCase {
  const char* fmt;
  double value;
  const char* text;
};

// Fixed and thousands formats; the expected texts are the decimal values
// rounded by hand, ties away from zero.
const FloatCase kFixedCases[] = {
    {"%1.2f", 0.125, "0.13"},
    {"%1.2f", -0.125, "-0.13"},
    {"%1.0f", 2.5, "3"},
    {"%1.0f", -2.5, "-3"},
    {"%1.0f", 0.5, "1"},
    {"%1.0f", 1.5, "2"},
    {"%1.0f", 9.5, "10"},
    {"%1.2f", 2.675, "2.68"},  // the decimal 2.675, not its binary neighbour
    {"%1.2f", 1.005, "1.01"},
    {"%1.2f", 99.995, "100.00"},
    {"%1.1f", 0.05, "0.1"},
    {"%1.1f", -0.05, "-0.1"},
    {"%1.1f", 0.04, "0.0"},
    {"%1.2f", 0.1 + 0.2, "0.30"},
    {"%1.3f", 1.0 / 3.0, "0.333"},
    {"%2.3f", 1.0, "1.000"},
    {"%2.3f", 12.3456, "12.346"},
    {"%8.3f", -12.3456, " -12.346"},
    {"%9.2f", 1234.567, "  1234.57"},
    {"%6.0f", 20593.965, " 20594"},
    {"%6.0f", 7943.3865, "  7943"},
    {"%3.1f", 4.25, "4.3"},
    {"%4.4f", 3.14159265, "3.1416"},
    {"%-3.2f", 1.5, "1.50"},
    {"%-8.2f", 1.5, "1.50    "},
    {"%2.0f", 0.0, " 0"},
    {"%f", 1.0, "1.00"},  // two decimals by default
    {"%1.2f", 123456789012345.0, "123456789012345.00"},
    {"%1.2f", 1e20, "1E20"},  // too many digits for fixed
    // A value that prints as zero has no minus sign.
    {"%1.2f", -0.001, "0.00"},
    {"%1.0f", -0.4, "0"},
    {"%1.0f", -0.0, "0"},
    {"%11.6f", -1e-7, "   0.000000"},
    {"%-3.2f", -0.004, "0.00"},
    {"%1.0n", -0.3, "0"},
    // Thousands separators.
    {"%1.0n", 1234567.0, "1,234,567"},
    {"%1.2n", -1234.567, "-1,234.57"},
    {"%1.0n", 999.5, "1,000"},
    {"%1.0n", 123456.0, "123,456"},
    {"%1.0n", 100.0, "100"},
    {"%1.3n", 0.0005, "0.001"},
    {"%10.1n", 12345.67, "  12,345.7"},
    {"%n", 1000.0, "1,000.00"},
    // Values that are not numbers.
    {"%1.2f", kNaN, "NAN"},
    {"%6.1f", kInf, "   INF"},
    {"%1.0n", -kInf, "-INF"},
};

TEST(NumberFormat, FixedAndThousands) {
  for (const FloatCase& c : kFixedCases) {
    EXPECT_EQ(Format(c.fmt, {c.value}), c.text) << c.fmt << " " << c.value;
  }
}

const FloatCase kGeneralCases[] = {
    {"%g", 200.0, "200"},
    {"%g", 6.5, "6.5"},
    {"%g", 0.1 + 0.2, "0.3"},
    {"%g", 1.0 / 3.0, "0.333333333333333"},
    {"%g", 2.0 / 3.0, "0.666666666666667"},
    {"%g", 123456789012345.0, "123456789012345"},
    {"%g", 1e15, "1E15"},
    {"%g", 999999999999999.9, "1E15"},
    {"%g", -2.5e20, "-2.5E20"},
    {"%g", 1e-4, "0.0001"},
    {"%g", 0.000123, "0.000123"},
    {"%g", 1e-5, "1E-5"},
    {"%g", 1.5e-7, "1.5E-7"},
    {"%g", 0.0, "0"},
    {"%g", -0.0, "0"},
    {"%g", 100.0, "100"},
    {"%g", -12.5, "-12.5"},
    {"%g", 0.5, "0.5"},
    {"%.3g", 3.14159, "3.14"},
    {"%.3g", 2.675, "2.68"},
    {"%.3g", 1234.0, "1.23E3"},
    {"%6g", 1.5, "   1.5"},
    {"%-6g|", 1.5, "1.5   |"},
    {"%g", kNaN, "NAN"},
    {"%g", -kInf, "-INF"},
};

TEST(NumberFormat, General) {
  for (const FloatCase& c : kGeneralCases) {
    EXPECT_EQ(Format(c.fmt, {c.value}), c.text) << c.fmt << " " << c.value;
  }
  EXPECT_EQ(FloatToStr(200), "200");
  EXPECT_EQ(FloatToStr(6.5), "6.5");
  EXPECT_EQ(FloatToStr(-0.0), "0");
}

TEST(NumberFormat, Integers) {
  const struct {
    const char* fmt;
    long long value;
    const char* text;
  } cases[] = {
      {"%d", 42, "42"},        {"%d", -42, "-42"},
      {"%2d", 5, " 5"},        {"%2d", 123, "123"},
      {"%8d", -7, "      -7"}, {"%-4d|", 7, "7   |"},
      {"%.3d", 7, "007"},      {"%.3d", -7, "-007"},
      {"%5.3d", 7, "  007"},   {"%d", std::numeric_limits<long long>::min(), "-9223372036854775808"},
      {"%x", 255, "FF"},       {"%x", -1, "FFFFFFFF"},
      {"%4.3x", 10, " 00A"},   {"%D", 3, "3"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.fmt, {c.value}), c.text) << c.fmt;
  EXPECT_EQ(IntToStr(-120), "-120");
  EXPECT_EQ(Format("%d", {static_cast<unsigned char>(200)}), "200");
}

TEST(NumberFormat, TextWidthsCountCodePageBytes) {
  const struct {
    const char* fmt;
    std::string text;
    std::string out;
  } cases[] = {
      {"%5s", J("節点"), J(" 節点")},  // 4 bytes in 5 places
      {"%-6s|", "NO", "NO    |"},
      {"%2s", "7", " 7"},
      {"%2s", "07", "07"},
      {"%13s", J("節点[I]-[J]"), J("  節点[I]-[J]")},         // 11 bytes
      {"%-18s|", J("ﾔﾝｸﾞ係数NO"), J("ﾔﾝｸﾞ係数NO        |")},  // 10 bytes
      {"%s", J("計算"), J("計算")},
      {"%.3s", J("節点"), J("節")},  // never half a character
      {"%.1s", "abc", "a"},
      {"%.0s", "abc", ""},
      {"%s", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.fmt, {c.text}), c.out) << c.fmt;
}

TEST(NumberFormat, WholeTextsOfTheProgram) {
  EXPECT_EQ(Format("X:%-3.2f Y:%-3.2f M:%-3.2f", {1.0, -2.345, -0.0}), "X:1.00 Y:-2.35 M:0.00");
  EXPECT_EQ(Format(" [%2d]%s%8.3f%s%8.3f", {3, "    ", 1.5, "        ", -0.25}), " [ 3]       1.500          -0.250");
  EXPECT_EQ(Format(J("Ｈ-%g×%g×%g×%g"), {200, 100, 5.5, 8}), J("Ｈ-200×100×5.5×8"));
  EXPECT_EQ(Format(J("%dﾟ%d'%d\""), {45, 30, 15}), J("45ﾟ30'15\""));
  EXPECT_EQ(Format(J(" 色%d 種%d "), {3, 2}), J(" 色3 種2 "));
  EXPECT_EQ(Format("##%d/%d/%d/%d/%d/%d", {25, 30, 5, 0, 0, 0}), "##25/30/5/0/0/0");
  EXPECT_EQ(Format("100%%", {}), "100%");
  EXPECT_EQ(Format("%1.1f", {2}), "2.0");  // an integer for a floating format
  EXPECT_EQ(Format("%d", {1, 2}), "1");    // extra arguments are ignored
  EXPECT_EQ(Format(J("表%s"), {J("示")}), J("表示"));
}

TEST(NumberFormat, MistakesOfTheCallerThrow) {
  EXPECT_THROW(Format("%d", {1.5}), FormatError);
  EXPECT_THROW(Format("%d", {}), FormatError);
  EXPECT_THROW(Format("%s", {1}), FormatError);
  EXPECT_THROW(Format("%f", {"a"}), FormatError);
  EXPECT_THROW(Format("%q", {1}), FormatError);
  EXPECT_THROW(Format("abc%", {1}), FormatError);
  EXPECT_THROW(Format("%5.", {1}), FormatError);
  EXPECT_THROW(Format("%99999999999d", {1}), FormatError);
}

// A locale whose decimal separator is a comma and whose thousands separator
// is a full stop, built for the test into a temporary folder from a source
// and an ASCII character map written here. Only localedef is needed (part
// of the C library's base tools), no locale data of the machine, so the
// test runs wherever the C library does and always with the same locale.
class CommaLocale {
 public:
  CommaLocale() {
    char dir[] = "/tmp/zuro_locale_XXXXXX";
    if (!mkdtemp(dir)) {
      problem_ = "no temporary folder";
      return;
    }
    dir_ = dir;
    {
      std::ofstream charmap(dir_ + "/charmap");
      charmap << "<code_set_name> ZURO_ASCII\n<escape_char> /\n<mb_cur_max> 1\n<mb_cur_min> 1\nCHARMAP\n";
      char line[32];
      for (int c = 0; c < 0x80; ++c) {
        std::snprintf(line, sizeof line, "<U%04X> /x%02x\n", c, c);
        charmap << line;
      }
      charmap << "END CHARMAP\n";
      std::ofstream source(dir_ + "/source");
      source << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"<U002E>\"\ngrouping 3;3\n"
                "END LC_NUMERIC\n";
    }
    // -c: the categories left out take the defaults (and are warned about).
    const std::string command =
        "localedef -c -f " + dir_ + "/charmap -i " + dir_ + "/source " + dir_ + "/comma >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    if (!std::filesystem::exists(dir_ + "/comma/LC_NUMERIC")) {
      problem_ = "localedef gave no locale (status " + std::to_string(status) + ")";
      return;
    }
    setenv("LOCPATH", dir_.c_str(), 1);
    if (std::setlocale(LC_ALL, "comma") == nullptr) problem_ = "the built locale cannot be set";
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  // Empty when the locale is in force.
  const std::string& Problem() const { return problem_; }

 private:
  std::string dir_;
  std::string problem_;
};

bool LocaledefInstalled() { return std::system("command -v localedef >/dev/null 2>&1") == 0; }

// The machine's locale must not change a single byte of the output.
TEST(NumberFormat, IndependentOfTheLocale) {
  if (!LocaledefInstalled()) GTEST_SKIP() << "localedef (Debian package libc-bin) is not installed";
  const CommaLocale locale;
  ASSERT_EQ(locale.Problem(), "");
  char printed[32];
  std::snprintf(printed, sizeof printed, "%.2f", 1234.5);
  ASSERT_STREQ(printed, "1234,50");  // the C library does follow the locale
  std::snprintf(printed, sizeof printed, "%'.0f", 1234567.0);
  ASSERT_STREQ(printed, "1.234.567");
  EXPECT_EQ(Format("%1.2f|%g|%1.0n|%1.1n", {1234.5, 6.5, 1234567.0, -0.04}), "1234.50|6.5|1,234,567|0.0");
  double v = 0;
  EXPECT_TRUE(TryStrToFloat("1.5", v));
  EXPECT_EQ(v, 1.5);
  EXPECT_FALSE(TryStrToFloat("1,5", v));
}

TEST(NumberFormat, ParsingFloats) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1.5", true, 1.5},
      {" 2 ", true, 2},
      {"-3.25", true, -3.25},
      {"+4", true, 4},
      {".5", true, 0.5},
      {"5.", true, 5},
      {"1e3", true, 1000},
      {"1E-2", true, 0.01},
      {"1.5e+2", true, 150},
      {"007.50", true, 7.5},
      {"0", true, 0},
      {"1e-400", true, 0},  // too small for a double
      {"0.0000e99999", true, 0},
      {"1.7976931348623157e308", true, 1.7976931348623157e308},
      {"4.9e-324", true, 4.9e-324},
      {"2e308", false, 0},
      {"1e400", false, 0},
      {"123456789e99999", false, 0},
      {"nan", false, 0},
      {"NaN", false, 0},
      {"inf", false, 0},
      {"-inf", false, 0},
      {"INF", false, 0},
      {"infinity", false, 0},
      {"0x10", false, 0},
      {"1,5", false, 0},
      {"1,000", false, 0},
      {"", false, 0},
      {" ", false, 0},
      {".", false, 0},
      {"-", false, 0},
      {"e5", false, 0},
      {"1e", false, 0},
      {"1e+", false, 0},
      {"--1", false, 0},
      {"1 2", false, 0},
      {"1.5abc", false, 0},
      {"\t1", false, 0},
      {"\x82\x50", false, 0},  // full-width １
  };
  for (const auto& c : cases) {
    double v = -99;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << c.text;
    EXPECT_EQ(v, c.ok ? c.value : -99) << c.text;
  }
  double z = 1;
  EXPECT_TRUE(TryStrToFloat("-0", z));
  EXPECT_TRUE(z == 0 && std::signbit(z));
  EXPECT_EQ(StrToFloatDef("", -2.0), -2.0);
  EXPECT_EQ(StrToFloatDef("3.5", -2.0), 3.5);
  EXPECT_EQ(StrToFloat("0.25"), 0.25);
  EXPECT_THROW(StrToFloat("abc"), NumberConversionError);
}

TEST(NumberFormat, ParsingIntegers) {
  const struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"12", true, 12},
      {"  12", true, 12},
      {"-5", true, -5},
      {"+7", true, 7},
      {"007", true, 7},
      {"$1F", true, 31},
      {"x1f", true, 31},
      {"X10", true, 16},
      {"0x10", true, 16},
      {"0X1a", true, 26},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"$100000000", false, 0},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
      {"12 ", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"1.5", false, 0},
      {"12a", false, 0},
      {"$G", false, 0},
      {"\x82\x50\x82\x51", false, 0},  // full-width １２
  };
  for (const auto& c : cases) {
    int v = -99;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    EXPECT_EQ(v, c.ok ? c.value : -99) << c.text;
  }
  EXPECT_EQ(StrToIntDef("abc", -1), -1);
  EXPECT_EQ(StrToIntDef("42", -1), 42);
  EXPECT_EQ(StrToInt("$A"), 10);
  EXPECT_THROW(StrToInt("S"), NumberConversionError);
}

// Formatting with enough decimals and reading back gives the value again.
TEST(NumberFormat, RandomValuesRoundTripAndRandomTextsParseSafely) {
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-6, 12);
  for (int i = 0; i < 2000; ++i) {
    const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
    double back = 0;
    ASSERT_TRUE(TryStrToFloat(Format("%g", {v}), back));
    EXPECT_NEAR(back, v, std::abs(v) * 1e-14) << v;
    ASSERT_TRUE(TryStrToFloat(Format("%1.3f", {v}), back));
    EXPECT_NEAR(back, v, 0.0005 + std::abs(v) * 1e-14) << v;
  }
  const char pool[] = "0123456789+-.eExX$ ,naif";
  std::uniform_int_distribution<int> pick(0, sizeof pool - 2);
  std::uniform_int_distribution<int> length(0, 10);
  for (int i = 0; i < 5000; ++i) {
    std::string s;
    for (int n = length(rng); n > 0; --n) s.push_back(pool[pick(rng)]);
    double d;
    int k;
    if (TryStrToFloat(s, d)) {
      EXPECT_TRUE(std::isfinite(d)) << s;
    }
    TryStrToInt(s, k);
  }
  // Random format strings either format or report the caller's mistake.
  const char fmtPool[] = "%%-.0123456789dxfgnsDq \x82\xA0|";
  std::uniform_int_distribution<int> fmtPick(0, sizeof fmtPool - 2);
  for (int i = 0; i < 5000; ++i) {
    std::string fmt;
    for (int n = length(rng); n > 0; --n) fmt.push_back(fmtPool[fmtPick(rng)]);
    try {
      Format(fmt, {7, 2.5, "\x82\xA0x"});
    } catch (const FormatError&) {
    }
  }
}

}  // namespace
