#pragma once
// Number formatting and parsing that behave the same on every machine: the
// locale (LC_NUMERIC) is never consulted, the decimal separator is always
// "." and the thousands separator ",".
//
// Format(fmt, {args...}) fills a format string the way the program's texts
// are written, e.g. Format("X:%-3.2f Y:%-3.2f", {x, y}) or
// Format("%5s%s%8s", {J("節点"), blanks, "X (m)"}). A conversion is
//   %[-][width][.precision]type     (type letters in either case)
// and "%%" writes one "%".
//   d   integer; precision = minimum digit count, padded with zeros
//   x   integer in upper-case hexadecimal; precision as for d
//   f   fixed decimals; precision = decimals (default 2)
//   n   as f, with "," between every three digits of the integer part
//   g   general: the shortest form with at most precision (default 15)
//       significant digits, no trailing zeros; exponent form ("1E20",
//       "1.5E-7") when the rounded size is below 0.0001 or needs more
//       digits before the point than the precision
//   s   text (code page 932 bytes); precision = maximum byte count, never
//       cutting a double-byte character in two
// width pads with blanks on the left, or on the right after "-"; widths and
// precisions of texts count code page 932 bytes, so a full-width character
// takes two places.
//
// A floating value is first taken to 15 significant digits (the precision a
// double carries reliably, so 2.675 reads as 2.675 and not 2.67499999...);
// rounding to the requested digits then goes half away from zero (0.125
// with "%1.2f" is "0.13", -2.5 with "%1.0f" is "-3"). A value that prints as
// zero prints without a minus sign. A value with more than 15 digits before
// the point falls back to the general form; NaN and infinities print as
// "NAN", "INF" and "-INF".
//
// Integers are accepted by f, n and g. A missing argument, a floating value
// for d or x, a number for s or a text for a number throws FormatError, as
// does an unknown conversion; these are mistakes of the calling code, never
// of the user's data. Extra arguments are ignored.

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

class FormatError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Raised by StrToInt and StrToFloat for a text that is not a number.
class NumberConversionError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// One argument of Format: an integer, a floating value or a text. A text is
// held by view, so it must outlive the Format call (a temporary std::string
// in the argument list does).
class FormatArg {
 public:
  template <std::integral T>
  FormatArg(T v) : value_(static_cast<long long>(v)) {}
  template <std::floating_point T>
  FormatArg(T v) : value_(static_cast<double>(v)) {}
  FormatArg(const char* s) : value_(std::string_view(s)) {}
  FormatArg(std::string_view s) : value_(s) {}
  FormatArg(const std::string& s) : value_(std::string_view(s)) {}

  const std::variant<long long, double, std::string_view>& Value() const { return value_; }

 private:
  std::variant<long long, double, std::string_view> value_;
};

std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args);

std::string IntToStr(long long value);
// The general form with 15 significant digits: 200 gives "200", 6.5 "6.5".
std::string FloatToStr(double value);

// Integer text: leading blanks, an optional sign, then decimal digits or a
// hexadecimal number after "$", "x", "X", "0x" or "0X"; nothing may follow.
// The value must fit 32 bits (a hexadecimal one is taken as its 32-bit
// pattern, so "$FFFFFFFF" is -1).
bool TryStrToInt(std::string_view s, int& value);
int StrToIntDef(std::string_view s, int def);
int StrToInt(std::string_view s);  // throws NumberConversionError

// Floating text: optional blanks, an optional sign, digits with an optional
// "." (at least one digit), an optional exponent "E"/"e" with an optional
// sign and digits, optional blanks. NaN, infinities, hexadecimal forms,
// thousands separators and values beyond the double range are rejected; a
// value too small for a double reads as 0.
bool TryStrToFloat(std::string_view s, double& value);
double StrToFloatDef(std::string_view s, double def);
double StrToFloat(std::string_view s);  // throws NumberConversionError
