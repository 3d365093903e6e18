#include "geometry/number_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "geometry/sjis_text.h"

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kDefaultFixedDecimals = 2;
constexpr int kLargestWidth = 4096;  // no text of ours is wider; guards a typo

// A finite value as 0.digits × 10^point; digits has no leading or trailing
// zeros and is empty for zero.
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
};

void StripTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// Keeps the first `keep` digits, rounding half away from zero (the digits
// are the magnitude, so rounding a 5 up moves away from zero).
void RoundToDigits(Decimal& d, int keep) {
  if (static_cast<int>(d.digits.size()) <= keep) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    while (!d.digits.empty() && d.digits.back() == '9') d.digits.pop_back();
    if (d.digits.empty()) {
      d.digits.assign(1, '1');
      ++d.point;
    } else {
      ++d.digits.back();
    }
  }
  StripTrailingZeros(d);
}

// The shortest decimal that reads back as the value, rounded to 15
// significant digits.
Decimal ToDecimal(double value) {
  Decimal d;
  d.negative = std::signbit(value);
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(r.ptr - buffer));
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits.push_back(c);
  }
  int exponent = 0;
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  d.point = exponent + 1;
  StripTrailingZeros(d);
  if (d.digits.empty()) return d;  // zero
  RoundToDigits(d, kSignificantDigits);
  return d;
}

char DigitAt(const Decimal& d, int index) {
  return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(index)] : '0';
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string GeneralForm(double value, int precision) {
  if (!std::isfinite(value)) return NonFinite(value);
  precision = std::clamp(precision, 1, kSignificantDigits);
  Decimal d = ToDecimal(value);
  RoundToDigits(d, precision);
  if (d.digits.empty()) return "0";
  std::string out = d.negative ? "-" : "";
  const int n = static_cast<int>(d.digits.size());
  if (d.point > precision || d.point < -3) {
    out += d.digits[0];
    if (n > 1) out.append(".").append(d.digits, 1);
    out.append("E").append(std::to_string(d.point - 1));
  } else if (d.point <= 0) {
    out.append("0.").append(static_cast<std::size_t>(-d.point), '0').append(d.digits);
  } else if (n <= d.point) {
    out.append(d.digits).append(static_cast<std::size_t>(d.point - n), '0');
  } else {
    const auto point = static_cast<std::size_t>(d.point);
    out.append(d.digits, 0, point).append(".").append(d.digits, point);
  }
  return out;
}

std::string FixedForm(double value, int decimals, bool thousands) {
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal d = ToDecimal(value);
  if (d.point > kSignificantDigits) return GeneralForm(value, kSignificantDigits);
  RoundToDigits(d, d.point + decimals);
  std::string whole;
  for (int i = 0; i < d.point; ++i) whole += DigitAt(d, i);
  if (whole.empty()) whole.push_back('0');
  if (thousands) {
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3) {
      whole.insert(static_cast<std::size_t>(i), 1, ',');
    }
  }
  std::string out = d.negative && !d.digits.empty() ? "-" : "";
  out += whole;
  if (decimals > 0) {
    out += '.';
    for (int i = 0; i < decimals; ++i) out += DigitAt(d, d.point + i);
  }
  return out;
}

std::string IntegerForm(long long value, int precision, bool hex) {
  unsigned long long magnitude;
  bool negative = false;
  if (hex) {
    // Negative values show their two's-complement pattern, 32 bits wide
    // when they fit an int.
    magnitude = value < 0 && value >= std::numeric_limits<int>::min()
                    ? static_cast<unsigned long long>(static_cast<unsigned>(static_cast<int>(value)))
                    : static_cast<unsigned long long>(value);
  } else {
    negative = value < 0;
    magnitude = negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  }
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, magnitude, hex ? 16 : 10);
  std::string digits(buffer, r.ptr);
  if (hex) {
    for (char& c : digits) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (static_cast<int>(digits.size()) < precision) {
    digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
  }
  if (negative) digits.insert(digits.begin(), '-');
  return digits;
}

// At most `limit` bytes of a text, never ending inside a double-byte
// character.
std::string_view CutText(std::string_view s, int limit) {
  std::size_t end = 0;
  while (end < s.size()) {
    const std::size_t step = IsSjisLeadByte(static_cast<unsigned char>(s[end])) ? 2 : 1;
    if (end + step > static_cast<std::size_t>(limit)) break;
    end += step;
  }
  return s.substr(0, std::min(end, s.size()));
}

[[noreturn]] void BadFormat(std::string_view fmt, std::string_view why) {
  throw FormatError(std::string("Format '").append(fmt).append("' ").append(why));
}

double FloatingArgument(const FormatArg& arg, std::string_view fmt) {
  const auto& v = arg.Value();
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* i = std::get_if<long long>(&v)) return static_cast<double>(*i);
  BadFormat(fmt, "has a text for a number");
}

long long IntegerArgument(const FormatArg& arg, std::string_view fmt) {
  if (const auto* i = std::get_if<long long>(&arg.Value())) return *i;
  BadFormat(fmt, "needs an integer");
}

// Reads decimal digits at fmt[i]; -1 when there are none.
int ReadCount(std::string_view fmt, std::size_t& i) {
  if (i >= fmt.size() || fmt[i] < '0' || fmt[i] > '9') return -1;
  int n = 0;
  while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
    n = n * 10 + (fmt[i] - '0');
    if (n > kLargestWidth) BadFormat(fmt, "has a width beyond reason");
    ++i;
  }
  return n;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

}  // namespace

std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args) {
  std::string out;
  const FormatArg* next = args.begin();
  std::size_t i = 0;
  while (i < fmt.size()) {
    const char c = fmt[i];
    if (IsSjisLeadByte(static_cast<unsigned char>(c))) {  // a trail byte is never a "%"
      out.append(fmt.substr(i, 2));
      i += 2;
      continue;
    }
    if (c != '%') {
      out.push_back(c);
      ++i;
      continue;
    }
    ++i;
    if (i < fmt.size() && fmt[i] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    const bool left = i < fmt.size() && fmt[i] == '-';
    if (left) ++i;
    const int width = ReadCount(fmt, i);
    int precision = -1;
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      precision = std::max(0, ReadCount(fmt, i));
    }
    if (i >= fmt.size()) BadFormat(fmt, "ends inside a conversion");
    const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i])));
    ++i;
    if (next == args.end()) BadFormat(fmt, "has more conversions than arguments");
    const FormatArg& arg = *next++;
    std::string field;
    switch (type) {
      case 'd': field = IntegerForm(IntegerArgument(arg, fmt), precision, false); break;
      case 'x': field = IntegerForm(IntegerArgument(arg, fmt), precision, true); break;
      case 'f':
        field = FixedForm(FloatingArgument(arg, fmt), precision < 0 ? kDefaultFixedDecimals : precision, false);
        break;
      case 'n':
        field = FixedForm(FloatingArgument(arg, fmt), precision < 0 ? kDefaultFixedDecimals : precision, true);
        break;
      case 'g': field = GeneralForm(FloatingArgument(arg, fmt), precision < 0 ? kSignificantDigits : precision); break;
      case 's': {
        const auto* s = std::get_if<std::string_view>(&arg.Value());
        if (!s) BadFormat(fmt, "has a number for a text");
        field = precision < 0 ? std::string(*s) : std::string(CutText(*s, precision));
        break;
      }
      default: BadFormat(fmt, "has an unknown conversion");
    }
    const std::size_t padding =
        width > static_cast<int>(field.size()) ? static_cast<std::size_t>(width) - field.size() : 0;
    if (!left) out.append(padding, ' ');
    out += field;
    if (left) out.append(padding, ' ');
  }
  return out;
}

std::string IntToStr(long long value) { return IntegerForm(value, -1, false); }

std::string FloatToStr(double value) { return GeneralForm(value, kSignificantDigits); }

bool TryStrToInt(std::string_view s, int& value) {
  s = SkipBlanks(s);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && (s.front() == '$' || s.front() == 'x' || s.front() == 'X')) {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  unsigned long long magnitude = 0;
  for (char c : s) {
    int digit;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (magnitude > 0xFFFFFFFFULL) return false;
  }
  long long result;
  if (base == 16) {
    result = static_cast<int>(static_cast<unsigned>(magnitude));
    if (negative) result = -result;
  } else {
    result = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  }
  if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) {
    return false;
  }
  value = static_cast<int>(result);
  return true;
}

int StrToIntDef(std::string_view s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

int StrToInt(std::string_view s) {
  int v;
  if (!TryStrToInt(s, v)) {
    throw NumberConversionError(std::string("'").append(s).append("' is not a valid integer value"));
  }
  return v;
}

bool TryStrToFloat(std::string_view s, double& value) {
  s = SkipBlanks(s);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // Check the whole syntax here: the library reader would also take
  // "nan", "inf" and hexadecimal forms.
  std::size_t i = 0;
  int wholeDigits = 0;
  int fractionDigits = 0;
  int leadingZeros = 0;  // zeros before the first non-zero digit
  bool nonZero = false;
  auto digit = [&](char c) {
    if (c != '0') nonZero = true;
    if (!nonZero) ++leadingZeros;
  };
  while (i < s.size() && IsDigit(s[i])) {
    digit(s[i]);
    ++wholeDigits;
    ++i;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      digit(s[i]);
      ++fractionDigits;
      ++i;
    }
  }
  if (wholeDigits + fractionDigits == 0) return false;
  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      negativeExponent = s[i] == '-';
      ++i;
    }
    if (i >= s.size() || !IsDigit(s[i])) return false;
    while (i < s.size() && IsDigit(s[i])) {
      if (exponent < 1000000) exponent = exponent * 10 + (s[i] - '0');
      ++i;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return false;
  if (!nonZero) {
    value = negative ? -0.0 : 0.0;
    return true;
  }
  std::string text(s);
  if (text[0] == '.') text.insert(0, 1, '0');
  double v = 0.0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    // The power of ten of the first non-zero digit decides between a value
    // too small (reads as 0) and one too large (not a number).
    const long long power = exponent + wholeDigits - leadingZeros - 1;
    if (power > 0) return false;
    v = 0.0;
  } else if (r.ec != std::errc() || r.ptr != text.data() + text.size()) {
    return false;
  }
  if (!std::isfinite(v)) return false;
  value = negative ? -v : v;
  return true;
}

double StrToFloatDef(std::string_view s, double def) {
  double v;
  return TryStrToFloat(s, v) ? v : def;
}

double StrToFloat(std::string_view s) {
  double v;
  if (!TryStrToFloat(s, v)) {
    throw NumberConversionError(std::string("'").append(s).append("' is not a valid floating point value"));
  }
  return v;
}
