#include "geometry/label_stepping.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "geometry/sjis_text.h"

const std::array<std::u16string_view, 12> LabelStepGroups = {
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん",
    u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン",
    u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ",
    u"①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳",
    u"下中上左右内外",
    u"ⅠⅡⅢⅣⅤⅥⅦⅧⅩⅰⅱⅲⅳⅴⅵⅶⅷⅸⅹ",
    u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΡΣΤΥΦΧΨ",
    u"αβγδεζηθικλμνξοπρσυφχψ",
    u"→←↑↓",
    u"▽△▼▲",
    u"□■◇◆",
    u"○●◎※∴",
};

namespace {

std::string Join(const std::vector<std::string>& chars, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to; ++i) out += chars[i];
  return out;
}

bool ReadsAsInteger(std::string_view s, long long& value) {
  int v;
  if (!TryStrToInt(s, v)) return false;
  value = v;
  return true;
}

bool IsDigitChar(const std::string& c) {
  long long v;
  return ReadsAsInteger(ToHalfWidth(c), v);
}

bool IsDoubleByte(const std::string& c) { return c.size() == 2; }

long long Stepped(long long v, bool up) { return std::max(0LL, up ? v + 1 : v - 1); }

std::string Digits(long long v, bool fullWidth) {
  const std::string s = IntToStr(v);
  return fullWidth ? ToFullWidth(s) : s;
}

// One character stepped in its group, or as a Latin letter within its
// alphabet keeping its width; nothing when it steps in neither way.
std::optional<std::string> StepCharacter(const std::string& c, bool up) {
  std::u16string wide = Utf16FromCp932(c);
  if (wide.size() == 1 && StepCharInGroups(wide, up)) return Cp932FromUtf16(wide);
  const std::string half = ToHalfWidth(c);
  if (half.size() != 1) return std::nullopt;
  const char h = half[0];
  char first;
  if (h >= 'A' && h <= 'Z') {
    first = 'A';
  } else if (h >= 'a' && h <= 'z') {
    first = 'a';
  } else {
    return std::nullopt;
  }
  const std::string letter(1, static_cast<char>(first + (h - first + (up ? 1 : 25)) % 26));
  return IsDoubleByte(c) ? ToFullWidth(letter) : letter;
}

}  // namespace

bool StepCharInGroups(std::u16string& Ch, bool Up) {
  if (Ch.size() != 1) return false;
  for (const std::u16string_view group : LabelStepGroups) {
    const std::size_t p = group.find(Ch[0]);
    if (p == std::u16string_view::npos) continue;
    const std::size_t n = group.size();
    Ch = std::u16string(1, group[Up ? (p + 1) % n : (p + n - 1) % n]);
    return true;
  }
  return false;
}

void StepLabel(std::string_view S, bool Up, std::string& Result) {
  Result = std::string(S);
  if (S.empty()) return;
  const std::vector<std::string> chars = SplitSjisCharacters(S);
  const std::size_t count = chars.size();
  const std::string half = ToHalfWidth(S);
  std::size_t k = 0;  // how many characters come before the trailing digits
  for (std::size_t i = count; i > 0; --i) {
    if (!IsDigitChar(chars[i - 1])) {
      k = i;
      break;
    }
  }

  // The whole label is a number; a leading X is a letter, never hexadecimal.
  long long whole;
  if (ReadsAsInteger(half, whole) && half[0] != 'x' && half[0] != 'X') {
    const bool fullWidth = k < count && IsDoubleByte(chars[k]);
    Result = Join(chars, 0, k) + Digits(Stepped(whole, Up), fullWidth);
    return;
  }

  if (k == count) {  // ends with a character that is no digit
    if (const auto stepped = StepCharacter(chars[count - 1], Up)) {
      Result = Join(chars, 0, count - 1) + *stepped;
    }
    return;
  }
  if (k == 0) return;  // all digits yet no number (too long to read)

  long long n;
  if (!ReadsAsInteger(ToHalfWidth(Join(chars, k, count)), n)) return;
  const bool fullWidth = IsDoubleByte(chars[k]);

  // Decimal case: the label ends with "<number><separator><digits>", the
  // separator being the first "," of the prefix or, without one, its first ".".
  std::size_t separator = count;
  for (const char wanted : {',', '.'}) {
    for (std::size_t i = 0; i < k && separator == count; ++i) {
      if (chars[i].size() == 1 && chars[i][0] == wanted) separator = i;
    }
    if (separator != count) break;
  }
  if (separator == k - 1) {
    const std::string before = ToHalfWidth(Join(chars, 0, k - 1));
    long long m;
    long long b;
    const bool beforeIsZero = ReadsAsInteger(before, b) && b == 0;
    if (ReadsAsInteger(before + ToHalfWidth(Join(chars, k, count)), m) && !beforeIsZero) {
      const std::string digits = IntToStr(Stepped(m, Up));
      const long long oldLength = static_cast<long long>(count - 1);
      const long long newLength = static_cast<long long>(digits.size());
      // The separator keeps its place, moving one place with a gained or
      // lost digit (1.9 gives 2.0, 9.9 gives 10.0).
      long long at = static_cast<long long>(k - 1) + (newLength > oldLength) - (newLength < oldLength);
      at = std::clamp(at, 0LL, newLength);
      const auto split = static_cast<std::size_t>(at);
      Result = (fullWidth ? ToFullWidth(digits.substr(0, split)) : digits.substr(0, split)) + chars[separator] +
               (fullWidth ? ToFullWidth(digits.substr(split)) : digits.substr(split));
      return;
    }
  }
  Result = Join(chars, 0, k) + Digits(Stepped(n, Up), fullWidth);
}
