#include "geometry/sjis_text.h"

#include <array>

namespace {

// Half-width symbols and, at the same index, their full-width codes.
constexpr std::string_view kHalfWidthSymbols = " !\"#$%&'()=`|-^\\~{@[+*};:]<>?_\xA4\xA1\xA5,./\xB0\xA2\xA3";
constexpr std::array<std::uint16_t, 39> kFullWidthSymbols = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x8181, 0x8165, 0x8162,
    0x817C, 0x814F, 0x818F, 0x8150, 0x816F, 0x8197, 0x816D, 0x817B, 0x8196, 0x8170, 0x8147, 0x8146, 0x816E,
    0x8183, 0x8184, 0x8148, 0x8151, 0x8141, 0x8142, 0x8145, 0x8143, 0x8144, 0x815E, 0x815B, 0x8175, 0x8176};
static_assert(kHalfWidthSymbols.size() == kFullWidthSymbols.size());

// Half-width katakana 0xA6..0xDF: the JIS code of the full-width kana (0 for
// ｰ, which is a symbol, and for ﾞ ﾟ, which stand for nothing on their own)
// and whether the next cell (voiced) and the one after (semi-voiced) exist.
struct HalfKana {
  std::uint16_t jis;
  bool voiced;
  bool semiVoiced;
};
constexpr std::uint8_t kFirstHalfKana = 0xA6;
constexpr std::array<HalfKana, 0xE0 - kFirstHalfKana> kHalfKana = {{
    {0x2572, false, false},  // ｦ ヲ
    {0x2521, false, false},  // ｧ ァ
    {0x2523, false, false},  // ｨ ィ
    {0x2525, false, false},  // ｩ ゥ
    {0x2527, false, false},  // ｪ ェ
    {0x2529, false, false},  // ｫ ォ
    {0x2563, false, false},  // ｬ ャ
    {0x2565, false, false},  // ｭ ュ
    {0x2567, false, false},  // ｮ ョ
    {0x2543, false, false},  // ｯ ッ
    {0, false, false},       // ｰ
    {0x2522, false, false},  // ｱ ア
    {0x2524, false, false},  // ｲ イ
    {0x2526, false, false},  // ｳ ウ (no voiced flag: ｳﾞ stays ウ゛)
    {0x2528, false, false},  // ｴ エ
    {0x252A, false, false},  // ｵ オ
    {0x252B, true, false},   // ｶ カ
    {0x252D, true, false},   // ｷ キ
    {0x252F, true, false},   // ｸ ク
    {0x2531, true, false},   // ｹ ケ
    {0x2533, true, false},   // ｺ コ
    {0x2535, true, false},   // ｻ サ
    {0x2537, true, false},   // ｼ シ
    {0x2539, true, false},   // ｽ ス
    {0x253B, true, false},   // ｾ セ
    {0x253D, true, false},   // ｿ ソ
    {0x253F, true, false},   // ﾀ タ
    {0x2541, true, false},   // ﾁ チ
    {0x2544, true, false},   // ﾂ ツ
    {0x2546, true, false},   // ﾃ テ
    {0x2548, true, false},   // ﾄ ト
    {0x254A, false, false},  // ﾅ ナ
    {0x254B, false, false},  // ﾆ ニ
    {0x254C, false, false},  // ﾇ ヌ
    {0x254D, false, false},  // ﾈ ネ
    {0x254E, false, false},  // ﾉ ノ
    {0x254F, true, true},    // ﾊ ハ
    {0x2552, true, true},    // ﾋ ヒ
    {0x2555, true, true},    // ﾌ フ
    {0x2558, true, true},    // ﾍ ヘ
    {0x255B, true, true},    // ﾎ ホ
    {0x255E, false, false},  // ﾏ マ
    {0x255F, false, false},  // ﾐ ミ
    {0x2560, false, false},  // ﾑ ム
    {0x2561, false, false},  // ﾒ メ
    {0x2562, false, false},  // ﾓ モ
    {0x2564, false, false},  // ﾔ ヤ
    {0x2566, false, false},  // ﾕ ユ
    {0x2568, false, false},  // ﾖ ヨ
    {0x2569, false, false},  // ﾗ ラ
    {0x256A, false, false},  // ﾘ リ
    {0x256B, false, false},  // ﾙ ル
    {0x256C, false, false},  // ﾚ レ
    {0x256D, false, false},  // ﾛ ロ
    {0x256F, false, false},  // ﾜ ワ
    {0x2573, false, false},  // ﾝ ン
    {0, false, false},       // ﾞ
    {0, false, false},       // ﾟ
}};

// Full-width katakana, JIS cells 0x21 (ァ) to 0x76 (ヶ) of row 0x25, as one
// byte each: value mod 56 added to 0xA6 is the half-width kana, value div 56
// the mark after it (0 none, 1 ﾞ, 2 ﾟ).
constexpr std::uint8_t kFirstKanaCell = 0x21;
constexpr std::uint8_t kLastKanaCell = 0x76;
constexpr std::uint8_t Kana(std::uint8_t half, std::uint8_t mark) {
  return static_cast<std::uint8_t>(half - kFirstHalfKana + 56 * mark);
}
constexpr std::array<std::uint8_t, kLastKanaCell - kFirstKanaCell + 1> kFullKana = {
    Kana(0xA7, 0), Kana(0xB1, 0), Kana(0xA8, 0), Kana(0xB2, 0), Kana(0xA9, 0),  // ァアィイゥ
    Kana(0xB3, 0), Kana(0xAA, 0), Kana(0xB4, 0), Kana(0xAB, 0), Kana(0xB5, 0),  // ウェエォオ
    Kana(0xB6, 0), Kana(0xB6, 1), Kana(0xB7, 0), Kana(0xB7, 1), Kana(0xB8, 0),  // カガキギク
    Kana(0xB8, 1), Kana(0xB9, 0), Kana(0xB9, 1), Kana(0xBA, 0), Kana(0xBA, 1),  // グケゲコゴ
    Kana(0xBB, 0), Kana(0xBB, 1), Kana(0xBC, 0), Kana(0xBC, 1), Kana(0xBD, 0),  // サザシジス
    Kana(0xBD, 1), Kana(0xBE, 0), Kana(0xBE, 1), Kana(0xBF, 0), Kana(0xBF, 1),  // ズセゼソゾ
    Kana(0xC0, 0), Kana(0xC0, 1), Kana(0xC1, 0), Kana(0xC1, 1), Kana(0xAF, 0),  // タダチヂッ
    Kana(0xC2, 0), Kana(0xC2, 1), Kana(0xC3, 0), Kana(0xC3, 1), Kana(0xC4, 0),  // ツヅテデト
    Kana(0xC4, 1), Kana(0xC5, 0), Kana(0xC6, 0), Kana(0xC7, 0), Kana(0xC8, 0),  // ドナニヌネ
    Kana(0xC9, 0), Kana(0xCA, 0), Kana(0xCA, 1), Kana(0xCA, 2), Kana(0xCB, 0),  // ノハバパヒ
    Kana(0xCB, 1), Kana(0xCB, 2), Kana(0xCC, 0), Kana(0xCC, 1), Kana(0xCC, 2),  // ビピフブプ
    Kana(0xCD, 0), Kana(0xCD, 1), Kana(0xCD, 2), Kana(0xCE, 0), Kana(0xCE, 1),  // ヘベペホボ
    Kana(0xCE, 2), Kana(0xCF, 0), Kana(0xD0, 0), Kana(0xD1, 0), Kana(0xD2, 0),  // ポマミムメ
    Kana(0xD3, 0), Kana(0xAC, 0), Kana(0xD4, 0), Kana(0xAD, 0), Kana(0xD5, 0),  // モャヤュユ
    Kana(0xAE, 0), Kana(0xD6, 0), Kana(0xD7, 0), Kana(0xD8, 0), Kana(0xD9, 0),  // ョヨラリル
    Kana(0xDA, 0), Kana(0xDB, 0), Kana(0xDC, 0), Kana(0xDC, 0), Kana(0xB2, 0),  // レロヮワヰ
    Kana(0xB4, 0), Kana(0xB5, 0), Kana(0xDD, 0), Kana(0xB3, 1), Kana(0xB6, 0),  // ヱヲンヴヵ
    Kana(0xB9, 0),                                                              // ヶ
};

constexpr unsigned char kVoicedMark = 0xDE;               // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;           // ﾟ
constexpr std::uint16_t kFullVoicedMarkJis = 0x212B;      // ゛
constexpr std::uint16_t kFullSemiVoicedMarkJis = 0x212C;  // ゜

unsigned char Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// A trail byte that Shift-JIS can carry; only such a pair has a JIS code.
bool IsSjisTrailRange(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

void AppendCode(std::string& out, std::uint16_t code) { out += CodeToDbcsString(code); }

}  // namespace

bool IsSjisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool IsSjisTrailByte(std::string_view S, int Index) {
  if (Index < 1 || static_cast<std::size_t>(Index) > S.size()) throw IllegalIndexError();
  int leads = 0;
  for (int i = Index - 1; i >= 1 && IsSjisLeadByte(Byte(S, static_cast<std::size_t>(i - 1))); --i) {
    ++leads;
  }
  return leads % 2 == 1;
}

int SjisCharPos(std::string_view SubStr, std::string_view S) {
  if (SubStr.empty() || S.empty() || SubStr.size() > S.size()) return 0;
  // Only starts from which the whole of SubStr still fits are compared.
  const std::size_t lastStart = S.size() - SubStr.size();
  int character = 1;
  for (std::size_t i = 0; i <= lastStart; ++character) {
    if (S[i] == SubStr[0] && S.substr(i, SubStr.size()) == SubStr) return character;
    i += IsSjisLeadByte(Byte(S, i)) ? 2 : 1;
  }
  return 0;
}

void CutToken(std::string& S, std::string_view Delims, std::string& Token) {
  if (S.empty()) {
    Token.clear();
    return;
  }
  if (!Delims.empty()) {
    // Walking forward, a byte is a trail byte exactly when an odd number of
    // lead-range bytes stands directly before it; counting the run as we go
    // gives the same answer as IsSjisTrailByte without walking back.
    std::size_t leadRun = 0;
    for (std::size_t i = 0; i < S.size(); ++i) {
      const unsigned char b = Byte(S, i);
      const bool trail = leadRun % 2 == 1;
      leadRun = IsSjisLeadByte(b) ? leadRun + 1 : 0;
      if (!trail && Delims.find(S[i]) != std::string_view::npos) {
        Token = S.substr(0, i);
        S.erase(0, i + 1);
        return;
      }
    }
  }
  Token = std::move(S);
  S.clear();
}

std::uint16_t JisToSjis(std::uint16_t jis) {
  const unsigned row = (jis >> 8) & 0xFF;
  const unsigned cell = jis & 0xFF;
  unsigned lead = ((row - 0x21) >> 1) + 0x81;
  if (lead > 0x9F) lead += 0x40;
  unsigned trail;
  if (row & 1) {
    trail = cell + 0x1F;
    if (trail >= 0x7F) ++trail;
  } else {
    trail = cell + 0x7E;
  }
  return static_cast<std::uint16_t>(((lead & 0xFF) << 8) | (trail & 0xFF));
}

std::uint16_t SjisToJis(std::uint16_t sjis) {
  unsigned lead = (sjis >> 8) & 0xFF;
  unsigned trail = sjis & 0xFF;
  if (lead >= 0xE0) lead -= 0x40;
  unsigned row = (lead - 0x81) * 2 + 0x21;
  if (trail >= 0x9F) {
    ++row;
    trail -= 0x7E;
  } else {
    trail -= trail >= 0x80 ? 0x20 : 0x1F;
  }
  return static_cast<std::uint16_t>(((row & 0xFF) << 8) | (trail & 0xFF));
}

std::string CodeToDbcsString(std::uint16_t code) {
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::uint16_t DbcsStringToCode(std::string_view s) {
  const unsigned hi = s.size() >= 1 ? Byte(s, 0) : 0;
  const unsigned lo = s.size() >= 2 ? Byte(s, 1) : 0;
  return static_cast<std::uint16_t>(hi * 256 + lo);
}

std::uint16_t SymbolToFullWidthCode(unsigned char b) {
  const std::size_t p = kHalfWidthSymbols.find(static_cast<char>(b));
  return p == std::string_view::npos ? b : kFullWidthSymbols[p];
}

std::string ToFullWidth(std::string_view S) {
  std::string out;
  out.reserve(S.size() * 2);
  std::size_t i = 0;
  while (i < S.size()) {
    const unsigned char b = Byte(S, i);
    if (IsSjisLeadByte(b)) {
      const std::size_t n = i + 1 < S.size() ? 2 : 1;
      out.append(S.substr(i, n));
      i += n;
      continue;
    }
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) {
      AppendCode(out, JisToSjis(static_cast<std::uint16_t>(0x2300 + b)));
      ++i;
      continue;
    }
    if (b >= kFirstHalfKana && b < 0xE0 && kHalfKana[b - kFirstHalfKana].jis != 0) {
      const HalfKana& k = kHalfKana[b - kFirstHalfKana];
      const int next = i + 1 < S.size() ? Byte(S, i + 1) : -1;
      if (next == kVoicedMark && k.voiced) {
        AppendCode(out, JisToSjis(static_cast<std::uint16_t>(k.jis + 1)));
      } else if (next == kSemiVoicedMark && k.semiVoiced) {
        AppendCode(out, JisToSjis(static_cast<std::uint16_t>(k.jis + 2)));
      } else if (next == kVoicedMark || next == kSemiVoicedMark) {
        AppendCode(out, JisToSjis(k.jis));
        AppendCode(out, JisToSjis(next == kVoicedMark ? kFullVoicedMarkJis : kFullSemiVoicedMarkJis));
      } else {
        AppendCode(out, JisToSjis(k.jis));
        ++i;
        continue;
      }
      i += 2;
      continue;
    }
    const std::uint16_t code = SymbolToFullWidthCode(b);
    if (code != b) {
      AppendCode(out, code);
    } else {
      out.push_back(static_cast<char>(b));
    }
    ++i;
  }
  return out;
}

std::string ToHalfWidth(std::string_view S) {
  std::string out;
  out.reserve(S.size());
  std::size_t i = 0;
  while (i < S.size()) {
    const unsigned char b = Byte(S, i);
    if (!IsSjisLeadByte(b)) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (i + 1 >= S.size()) {  // a lead byte cut off at the end
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    const unsigned char t = Byte(S, i + 1);
    i += 2;
    // Only a well-formed pair has a JIS code; anything else is copied as is
    // so that no table is indexed by a made-up cell.
    if (IsSjisTrailRange(t)) {
      const std::uint16_t code = static_cast<std::uint16_t>(b << 8 | t);
      const std::uint16_t jis = SjisToJis(code);
      const unsigned row = jis >> 8;
      const unsigned cell = jis & 0xFF;
      if (row == 0x25 && cell >= kFirstKanaCell && cell <= kLastKanaCell) {
        const std::uint8_t v = kFullKana[cell - kFirstKanaCell];
        out.push_back(static_cast<char>(kFirstHalfKana + v % 56));
        if (v / 56 == 1) out.push_back(static_cast<char>(kVoicedMark));
        if (v / 56 == 2) out.push_back(static_cast<char>(kSemiVoicedMark));
        continue;
      }
      bool symbol = false;
      for (std::size_t k = 0; k < kFullWidthSymbols.size(); ++k) {
        if (kFullWidthSymbols[k] == code) {
          out.push_back(kHalfWidthSymbols[k]);
          symbol = true;
          break;
        }
      }
      if (symbol) continue;
      if (row == 0x23 && cell >= 0x21 && cell <= 0x7E) {
        out.push_back(static_cast<char>(cell));
        continue;
      }
    }
    out.push_back(static_cast<char>(b));
    out.push_back(static_cast<char>(t));
  }
  return out;
}

bool FirstCharIsDoubleByte(std::string_view S) { return !S.empty() && IsSjisLeadByte(Byte(S, 0)); }

std::vector<std::string> SplitSjisCharacters(std::string_view S) {
  std::vector<std::string> chars;
  std::size_t i = 0;
  while (i < S.size()) {
    const std::size_t n = IsSjisLeadByte(static_cast<unsigned char>(S[i])) && i + 1 < S.size() ? 2 : 1;
    chars.emplace_back(S.substr(i, n));
    i += n;
  }
  return chars;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

TextLines::Iterator::Iterator(std::string_view text, std::size_t start) : text_(text), start_(start), end_(start) {
  while (end_ < text_.size() && text_[end_] != '\r' && text_[end_] != '\n') ++end_;
}

TextLines::Iterator& TextLines::Iterator::operator++() {
  std::size_t next = end_;
  if (next < text_.size()) next += (text_[next] == '\r' && next + 1 < text_.size() && text_[next + 1] == '\n') ? 2 : 1;
  *this = Iterator(text_, next);
  return *this;
}

TextLines::TextLines(std::initializer_list<std::string_view> lines) {
  for (const std::string_view line : lines) {
    text_ += line;
    text_ += '\n';
  }
}

TextLines::TextLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    text_ += line;
    text_ += '\n';
  }
}
