// Text layout: the style suffix, markup, justification, compression and
// date macros of a text string, the placing of its characters, and the
// nine anchors of a text's box.

#include "canvas/text_layout.h"

#include <cmath>
#include <utility>

#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "geometry/sjis_text.h"
#include "platform/japanese_date.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr char16_t kCaret = u'^';
constexpr char16_t kFullDot = u'\u30FB';  // "・"
constexpr char16_t kHalfDot = u'\uFF65';  // "･" (0xA5 in code page 932)
// A divisor of the justification that would be 0.
constexpr double kTinyDivisor = 0.0000001;

// Leading and trailing blanks and control bytes removed.
std::string TrimBlanks(const std::string& s) {
  std::size_t first = 0, last = s.size();
  while (first < last && static_cast<unsigned char>(s[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ') --last;
  return s.substr(first, last - first);
}

std::u16string Ascii16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// One character of a text being laid out.
struct PieceTextLayout {
  char16_t Unit = 0;
  std::uint8_t Kind = kCharPlain;
  std::string Ch;  // its code page 932 form
  bool Full = false;
};

PieceTextLayout MakePiece(char16_t unit) {
  PieceTextLayout p;
  p.Unit = unit;
  p.Ch = Cp932FromUtf16(std::u16string(1, unit));
  p.Full = FirstCharIsDoubleByte(p.Ch);
  return p;
}

// The advances and gaps of a layout, in paper millimetres.
struct Metrics {
  double Af = 0.0;  // full-width advance
  double Ah = 0.0;  // single-byte advance
  double Sf = 0.0;  // gap before a full-width character
  double Sh = 0.0;  // gap before a single-byte character
  double Hc = 0.0;  // line height
};

// Advances of every character and, after every character but the last,
// its own gap.
double TextWidth(const std::vector<PieceTextLayout>& text, const Metrics& m) {
  double w = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    w += text[i].Full ? m.Af : m.Ah;
    if (i + 1 < text.size()) w += text[i].Full ? m.Sf : m.Sh;
  }
  return w;
}

// Removes every two-character tag; the character that followed each one
// takes the kind.
void TakeTags(std::vector<PieceTextLayout>& text, char16_t letter, std::uint8_t kind) {
  for (;;) {
    std::size_t at = text.size();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i].Unit == kCaret && text[i + 1].Unit == letter) {
        at = i;
        break;
      }
    }
    if (at == text.size()) return;
    text.erase(text.begin() + static_cast<std::ptrdiff_t>(at), text.begin() + static_cast<std::ptrdiff_t>(at) + 2);
    if (at < text.size()) text[at].Kind = kind;
  }
}

// Trailing dots spread the rest of the text over the width the whole text
// would have had.
void Justify(std::vector<PieceTextLayout>& text, Metrics& m) {
  if (text.size() <= 2) return;
  const char16_t last = text.back().Unit;
  if (last != kFullDot && last != kHalfDot) return;
  if (text[text.size() - 2].Unit == kHalfDot && last == kHalfDot) return;
  const double width = TextWidth(text, m);
  if (last == kHalfDot) text.pop_back();
  while (!text.empty() && text.back().Unit == kFullDot) text.pop_back();
  double e = 0.0, n = 0.0;
  for (const PieceTextLayout& p : text) (p.Full ? e : n) += 1.0;
  const double d = width - (e * m.Af + n * m.Ah);
  const double k = (!text.empty() && text.back().Full && last != kHalfDot) ? 2.0 : 1.0;
  double half = 2.0 * e + n - k;
  double full = e + n / 2.0 - k / 2.0;
  if (half == 0.0) half = kTinyDivisor;
  if (full == 0.0) full = kTinyDivisor;
  m.Sh = d / half;
  m.Sf = d / full;
}

// A trailing caret and digit n shortens the text by n single-byte
// characters; the factor of the shortening, or 1.0 without such a suffix.
double Compress(std::vector<PieceTextLayout>& text, Metrics& m) {
  if (text.size() <= 3) return 1.0;
  const char16_t digit = text.back().Unit;
  if (text[text.size() - 2].Unit != kCaret || digit < u'1' || digit > u'9') return 1.0;
  text.resize(text.size() - 2);
  const double width = TextWidth(text, m);
  // A text without width has nothing to shorten.
  if (!(width > 0.0)) return 1.0;
  const double a = (width - (digit - u'0') * m.Ah) / width;
  m.Af *= a;
  m.Ah *= a;
  m.Sf *= a;
  m.Sh *= a;
  return a;
}

}  // namespace

bool TMoziViewobj::ParseStyleSuffix(const std::u16string& Text, const RTextStyle& style) {
  Overridden = false;
  VisibleText = Text;
  // The sizes read the style's own values whenever no suffix says
  // otherwise, so no caller can see those of an earlier text.
  OverrideWidth = style.Width;
  OverrideHeight = style.Height;
  OverrideSpacing = style.Spacing;
  OverrideWeight = 0;
  OverrideItalic = 0;
  OverrideFace = 0;
  if (Text.size() <= 7) return false;
  const std::string bytes = Cp932FromUtf16(Text);
  // "#" is never the second byte of a double-byte character.
  const std::size_t mark = bytes.find("##");
  if (mark == std::string::npos) return false;
  VisibleText = Utf16FromCp932(bytes.substr(0, mark));
  if (VisibleText.size() == 1) VisibleText += u' ';

  std::string rest = bytes.substr(mark + 2);
  std::string fields[6];
  for (std::string& field : fields) {
    std::string token;
    CutToken(rest, "/", token);
    field = TrimBlanks(token);
  }
  const double w = StrToFloatDef(fields[0], 0.0);
  const double h = StrToFloatDef(fields[1], 0.0);
  const double s = StrToFloatDef(fields[2], 0.0);
  const int weight = StrToIntDef(fields[3], 0);
  const int italic = StrToIntDef(fields[4], 0);
  const int face = StrToIntDef(fields[5], 0);
  if (!(w > 0) && !(h > 0) && !(s > 0) && weight == 0 && italic == 0 && (face & 0xFF) == 0) return false;
  if (w > 0) OverrideWidth = w;
  if (h > 0) OverrideHeight = h;
  if (s > 0) OverrideSpacing = s;
  OverrideWeight = static_cast<std::uint8_t>(weight & 0xFF);
  OverrideItalic = static_cast<std::uint8_t>(italic & 0xFF);
  OverrideFace = static_cast<std::uint8_t>(face & 0xFF);
  Overridden = true;
  return true;
}

std::u16string TMoziViewobj::ExpandMacro(const std::u16string& text) const {
  if (text.find_first_of(u"$&%") == std::u16string::npos) return text;
  if (text.size() != 2) return text;
  const char prefix = static_cast<char>(text[0]);
  const char16_t letter = text[1];
  if (text[0] != u'$' && text[0] != u'&' && text[0] != u'%') return text;
  if (letter == u'F' || letter == u'f') {
    if (prefix != '$') return text;
    const std::string& name = letter == u'F' ? MacroFileName : MacroFileName2;
    return name.empty() ? text : Utf16FromCp932(name);
  }
  const LocalDateTime now = CurrentDateTime();
  int value = 0;
  switch (letter) {
    case u'Y': value = now.EraYear; break;
    case u'y': value = now.Year % 100; break;
    case u'm': value = now.Month; break;
    case u'd': value = now.Day; break;
    case u'H':
    case u'h': value = now.Hour; break;
    default: return text;
  }
  switch (prefix) {
    case '$':
      // The two-digit year keeps its leading zero: it is the last two digits.
      return Ascii16(letter == u'y' ? Format("%.2d", {value}) : IntToStr(value));
    case '&': return Ascii16(Format("%2d", {value}));
    default: return Ascii16(Format("%2s", {Format("%.2d", {value})}));
  }
}

void TMoziViewobj::Layout(const std::string& Text, const RTextStyle& style, double x0, double y0, double Angle,
                          std::uint8_t Direction) {
  Overridden = false;
  Style = style;
  if (Direction == kTextVertical) {
    const std::uint16_t width = Style.Width;  // packed fields: no std::swap, which takes references
    Style.Width = Style.Height;
    Style.Height = width;
  }
  Metrics m;
  m.Af = Style.Width * 0.1;
  m.Ah = Style.Width * 0.05;
  m.Sf = Style.Spacing * 0.1;
  m.Sh = Style.Spacing * 0.05;
  m.Hc = Style.Height * 0.1;
  CompressionFactor = kNoMarkupFactor;

  const std::u16string wide = ExpandMacro(Utf16FromCp932(Text));
  std::vector<PieceTextLayout> text;
  text.reserve(wide.size());
  for (char16_t unit : wide) text.push_back(MakePiece(unit));

  const std::string bytes = Cp932FromUtf16(wide);
  if (bytes.find('^') != std::string::npos || SjisCharPos(J("・"), bytes) > 0 ||
      bytes.find('\xA5') != std::string::npos) {
    TakeTags(text, u'u', kCharRaised);
    TakeTags(text, u'd', kCharLowered);
    TakeTags(text, u'B', kCharFullBackStep);
    TakeTags(text, u'b', kCharPartBackStep);
    if (text.size() >= 2 && text[0].Unit == kCaret && text[1].Unit == u'c') {
      text.erase(text.begin(), text.begin() + 2);
      if (!text.empty()) text[0].Kind = kCharAfterLeadingC;
    }
    Justify(text, m);
    CompressionFactor = Compress(text, m);
  }

  const double rad = Angle * M_PI / 180.0;
  const double c = std::cos(rad), s = std::sin(rad);
  Chars.clear();
  Chars.reserve(text.size());
  double pen = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const PieceTextLayout& p = text[i];
    const double advance = p.Full ? m.Af : m.Ah;
    double along = 0.0, across = m.Hc;
    if (i == 0) {
      pen = advance;
    } else {
      const double gap = p.Full ? m.Sf : m.Sh;
      pen += gap;
      switch (p.Kind) {
        case kCharLowered: across = 0.6 * m.Hc; break;
        case kCharFullBackStep: pen -= gap + (p.Full ? m.Af : 1.5 * m.Ah); break;
        case kCharPartBackStep: pen -= gap + (p.Full ? 0.8 * m.Af : 0.65 * m.Ah); break;
        default: break;
      }
      along = pen;
      pen += advance;
    }
    RMoziview_data d;
    d.Kind = p.Kind;
    d.Ch = p.Ch;
    d.X = x0 + along * c - across * s;
    d.Y = y0 + along * s + across * c;
    Chars.push_back(std::move(d));
  }
}

void TMoziKiten::AnchorOffset(std::uint8_t Anchor, bool WithMargin, double Length, double Height) {
  // Column (0 left, 1 centre, 2 right) and row (0 bottom, 1 middle, 2 top) of each anchor.
  static constexpr int kColumn[9] = {0, 1, 2, 2, 2, 1, 1, 0, 0};
  static constexpr int kRow[9] = {0, 0, 0, 1, 2, 2, 1, 2, 1};
  if (Anchor > 8) return;
  const int column = kColumn[Anchor], row = kRow[Anchor];
  double along = Length * column / 2.0;
  double across = Height * row / 2.0;
  if (WithMargin && DraftDefaults.AnchorMarginsOn != 0) {
    const RDimensionDefaults& d = DimensionDefaults;
    const float alongMargins[3] = {d.AnchorMarginLeftX, d.AnchorMarginCentreX, d.AnchorMarginRightX};
    const float acrossMargins[3] = {d.AnchorMarginBottomY, d.AnchorMarginMiddleY, d.AnchorMarginTopY};
    along += alongMargins[column];
    across += acrossMargins[row];
  }
  AlongOffset = along;
  AcrossOffset = across;
}

double TextBaseLength(const std::u16string& text, double unit, double spacing) {
  double length = 0.0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool full = FirstCharIsDoubleByte(Cp932FromUtf16(text.substr(i, 1)));
    length += unit * (full ? 0.1 : 0.05);
    if (i + 1 < text.size()) length += spacing * (full ? 0.1 : 0.05);
  }
  return length;
}
