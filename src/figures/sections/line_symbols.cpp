// The line-symbol definition reader.

#include "figures/sections/line_symbols.h"

#include <cmath>
#include <limits>

#include "figures/sections/definition_files.h"
#include "geometry/codepage.h"
#include "geometry/text_extent.h"
#include "tools/edit/tool_messages.h"

namespace {

constexpr int kMaxCuts = 61;

// A colour or line type token: the integer modulo 256, Default when the token
// is not one.
std::uint8_t ByteOfToken(std::string_view S, std::uint8_t Default) {
  if (!IsDefinitionInteger(S)) return Default;
  return static_cast<std::uint8_t>(DefinitionInteger(S, 0) & 0xFF);
}

bool IsReferenceCode(std::int32_t code) {
  return (300 <= code && code <= 308) || (310 <= code && code <= 318) || (320 <= code && code <= 328);
}

RPoint2D Midpoint(RPoint2D a, RPoint2D b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

double Coordinate(std::string_view S) { return DefinitionNumber(S, 0.0); }

}  // namespace

TSenkigouobj::TSenkigouobj(double Scale) : Scale(Scale) { Tokens.fill("0"); }

void TSenkigouobj::BuildEntry(const TextLines& Lines, std::uint8_t Entry, bool AllowInput, double /*FX*/, double /*FY*/,
                              double /*Angle*/) {
  CurrentEntry = 0;
  NameState = 0;
  HeaderPending = false;
  ReferencePoints.fill({});
  ParameterCode = 0;
  ParameterValue1 = 0.0;
  ParameterValue2 = 0.0;
  Texts.clear();
  Items.clear();
  ItemCount = 0;
  for (const std::string_view line : Lines) {
    if (ClassifyLine(line, Entry) && CurrentEntry == Entry) {
      if (ReadParameterLine(Tokens[0], Tokens[1], Tokens[2])) continue;
      switch (LineKind) {
        case kLineKindLine: BuildLine(); break;
        case kLineKindArc: BuildArc(); break;
        case kLineKindText: BuildText(line, AllowInput); break;
        case kLineKindPoint: BuildPoint(); break;
        case kLineKindHeader: {
          const std::size_t at = line.find(Tokens[1]);
          Title = at == std::string_view::npos ? std::string() : std::string(line.substr(at));
          break;
        }
        default: break;
      }
    }
    if (CurrentEntry > EntryCount) break;
  }
  ItemCount = static_cast<std::int32_t>(Items.size());
}

bool TSenkigouobj::ClassifyLine(std::string_view Line, std::uint8_t Entry) {
  if (TrimDefinitionText(Line).empty()) return false;
  if (Line.front() == '#') {
    if (NameState == 0) {
      Name = std::string(Line);
      NameState = 1;
    }
    return false;
  }
  // "99" at one of the first four positions separates entries, whatever
  // follows (so 1995 and 0.99 do too).
  const std::size_t nines = Line.find("99");
  if (nines != std::string_view::npos && nines < 4) {
    ++CurrentEntry;
    HeaderPending = true;
    return false;
  }
  if (CurrentEntry != 0 && CurrentEntry != Entry) return false;
  // The marks are looked for before the text only, so a quoted text may hold
  // any letter or number.
  const std::size_t quote = Line.find('"');
  const std::string_view marks = Line.substr(0, quote);
  if (marks.find('e') != std::string_view::npos) {
    LineKind = kLineKindArc;
  } else if (quote != std::string_view::npos) {
    LineKind = kLineKindText;
  } else if (marks.find("30000") != std::string_view::npos) {
    LineKind = kLineKindPoint;
  } else {
    LineKind = HeaderPending ? kLineKindHeader : kLineKindLine;
  }
  CutTokens(Line);
  if (NameState == 1) {
    EntryCount = DefinitionInteger(Tokens[0], 0);
    NameState = 2;
    return false;
  }
  if (HeaderPending) {
    PlacementCode = DefinitionInteger(Tokens[0], 0);
    HeaderPending = false;
  }
  return true;
}

void TSenkigouobj::CutTokens(std::string_view Line) {
  Tokens.fill("0");
  std::string_view rest = TrimDefinitionText(Line);
  int taken = 0;
  int cuts = 0;
  while (taken < kTokenCount) {
    std::string_view piece = rest;
    const std::size_t space = cuts < kMaxCuts ? rest.find(' ') : std::string_view::npos;
    if (space != std::string_view::npos) {
      piece = rest.substr(0, space);
      rest = rest.substr(space + 1);
      ++cuts;
    }
    piece = TrimDefinitionText(piece);
    if (!piece.empty()) Tokens[taken++] = std::string(piece);
    if (space == std::string_view::npos) break;
  }
}

bool TSenkigouobj::ReadParameterLine(std::string_view Code, std::string_view Value1, std::string_view Value2) {
  if (!IsDefinitionInteger(Code)) return false;
  const std::int32_t code = DefinitionInteger(Code, 0);
  if (code < 760 || code > 764) return false;
  ParameterCode = code;
  ParameterValue1 = DefinitionNumber(Value1, 1.0);
  ParameterValue2 = DefinitionNumber(Value2, 1.0);
  return true;
}

std::uint8_t TSenkigouobj::LayerCode(std::string_view S) const {
  const std::int32_t layer = DefinitionInteger(S, 0);
  return 0 <= layer && layer <= 15 ? static_cast<std::uint8_t>(layer) : 0;
}

std::uint8_t TSenkigouobj::LineColour(std::string_view S, std::uint8_t Marker1, std::uint8_t Marker2) const {
  if ((100 <= Marker1 && Marker1 <= 229) || (100 <= Marker2 && Marker2 <= 229)) return 11;
  const std::uint8_t colour = ByteOfToken(S, 1);
  return colour == 0 ? 2 : colour;
}

std::uint8_t TSenkigouobj::ArcColour(std::string_view S, std::uint8_t Marker1) const {
  if (Marker1 == 8) return 11;
  const std::uint8_t colour = ByteOfToken(S, 1);
  if (colour == 0) return 2;
  return colour == 7 ? 11 : colour;
}

void TSenkigouobj::CodeOffset(std::string_view Code, std::uint8_t& Marker, double& dx, double& dy) const {
  dx = 0.0;
  dy = 0.0;
  const std::int32_t code = DefinitionInteger(Code, 0);
  if (0 <= code && code <= 299) {
    Marker = static_cast<std::uint8_t>(code & 0xFF);
    return;
  }
  if (!IsReferenceCode(code)) {
    Marker = 0;
    return;
  }
  Marker = 255;
  // The point's number is the code's third character.
  const char digit = Code.size() >= 3 ? Code[2] : '0';
  const int k = '0' <= digit && digit <= '9' ? digit - '0' : 0;
  if (k > 8) return;
  if (code <= 308 || (code >= 310 && code <= 318)) dx = ReferencePoints[k].x;
  if (code <= 308 || code >= 320) dy = ReferencePoints[k].y;
}

void TSenkigouobj::LineEndOffsets(std::string_view Code1, std::string_view Code2, std::uint8_t& Marker1,
                                  std::uint8_t& Marker2, std::array<double, 4>& Offsets) const {
  CodeOffset(Code1, Marker1, Offsets[0], Offsets[1]);
  CodeOffset(Code2, Marker2, Offsets[2], Offsets[3]);
}

void TSenkigouobj::ArcCentreOffsets(std::string_view Code1, std::string_view Code2, std::uint8_t& Marker1,
                                    std::uint8_t& Marker2, std::array<double, 4>& Offsets) const {
  LineEndOffsets(Code1, Code2, Marker1, Marker2, Offsets);
  // Of the plain codes only 0 to 4 and 8 mean anything to an arc.
  for (std::uint8_t* marker : {&Marker1, &Marker2}) {
    if (*marker != 255 && *marker > 4 && *marker != 8) *marker = 0;
  }
}

void TSenkigouobj::BuildLine() {
  std::uint8_t marker1 = 0;
  std::uint8_t marker2 = 0;
  std::array<double, 4> offsets{};
  LineEndOffsets(Tokens[0], Tokens[1], marker1, marker2, offsets);
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.ColorNo = LineColour(Tokens[6], marker1, marker2);
  e.LineType = ByteOfToken(Tokens[7], 1);
  e.Layer = LayerCode(Tokens[8]);
  RPoint2D p1{Coordinate(Tokens[2]), Coordinate(Tokens[3])};
  RPoint2D p2{Coordinate(Tokens[4]), Coordinate(Tokens[5])};
  // A connector starts at its end farther from the symbol's origin; the
  // command later puts that end on the picked line.
  if (e.ColorNo == 11 && !(std::hypot(p1.x, p1.y) > std::hypot(p2.x, p2.y))) std::swap(p1, p2);
  e.X1 = p1.x + offsets[0];
  e.Y1 = p1.y + offsets[1];
  e.X2 = p2.x + offsets[2];
  e.Y2 = p2.y + offsets[3];
  Items.push_back(e);
}

void TSenkigouobj::BuildArc() {
  std::uint8_t marker1 = 0;
  std::uint8_t marker2 = 0;
  std::array<double, 4> offsets{};
  ArcCentreOffsets(Tokens[0], Tokens[1], marker1, marker2, offsets);
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = Coordinate(Tokens[2]) + offsets[0];
  e.Y1 = Coordinate(Tokens[3]) + offsets[1];
  e.Radius = std::abs(Coordinate(Tokens[10]));
  const double ratio = DefinitionNumber(Tokens[11], 1.0);
  e.Ratio = static_cast<float>(ratio == 0.0 ? 1.0 : ratio);
  e.StartAngle = static_cast<float>(NormalizeAngleUpTo360(Coordinate(Tokens[4])));
  e.EndAngle = static_cast<float>(NormalizeAngleUpTo360(Coordinate(Tokens[5])));
  e.Rotation = 1.0f;
  e.ColorNo = ArcColour(Tokens[6], marker1);
  e.LineType = ByteOfToken(Tokens[7], 1);
  e.Layer = LayerCode(Tokens[8]);
  Items.push_back(e);
}

void TSenkigouobj::BuildText(std::string_view Line, bool AllowInput) {
  // The string runs from the first double quote to a quote followed by "$",
  // or to the end of the line.
  std::string_view text = Line.substr(Line.find('"') + 1);
  if (const std::size_t end = text.find("\"$"); end != std::string_view::npos) text = text.substr(0, end);
  std::string string(text);
  if (AllowInput && string.starts_with("INPUT")) string = AskToolText(J("文字入力"), string, string);
  // A text index is 16 bits wide; texts beyond it cannot be told apart.
  if (Texts.size() > std::numeric_limits<std::uint16_t>::max()) return;
  Texts.push_back(string);
  const double x1 = Coordinate(Tokens[2]);
  const double y1 = Coordinate(Tokens[3]);
  const double x2 = Coordinate(Tokens[4]);
  const double y2 = Coordinate(Tokens[5]);
  const double angle = x1 == x2 && y1 == y2 ? 0.0 : DirectionAngleDeg(x1, y1, x2, y2);
  const std::string& justify = Tokens[7];
  const std::uint8_t digit =
      justify.size() >= 3 && '0' <= justify[0] && justify[0] <= '9' ? static_cast<std::uint8_t>(justify[0] - '0') : 0;
  RDrawElement e = ZeroElement();
  e.Layer = LayerCode(Tokens[8]);
  MakeTextItem(e, string, x1, y1, x1, y1, angle, static_cast<std::int32_t>(Texts.size() - 1), digit, 3);
  Items.push_back(e);
}

void TSenkigouobj::BuildPoint() {
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.X1 = Coordinate(Tokens[2]);
  e.Y1 = Coordinate(Tokens[3]);
  e.LineType = ByteOfToken(Tokens[7], 1);
  e.Layer = LayerCode(Tokens[8]);
  Items.push_back(e);
}

void TSenkigouobj::MakeTextItem(RDrawElement& E, std::string_view Text, double X1, double Y1, double X2, double Y2,
                                double Angle, std::int32_t TextIndex, std::uint8_t Justify, std::uint8_t Style) {
  E.Kind = kKindText;
  E.TextAngle = static_cast<float>(Angle);
  E.TextIndex = static_cast<std::uint16_t>(TextIndex);
  E.TextStyle = Style;
  E.TextDirection = 0;
  // An empty string has no box: it stays at its anchor and leaves the
  // reference points of the text before.
  if (!Text.empty()) PlaceText(X1, Y1, X2, Y2, Angle, Text, Justify, Style);
  E.X1 = X1;
  E.Y1 = Y1;
  E.X2 = X2;
  E.Y2 = Y2;
}

void TSenkigouobj::PlaceText(double& X1, double& Y1, double& X2, double& Y2, double& Angle, std::string_view Text,
                             std::uint8_t Justify, std::uint8_t Style) {
  const RTextStyle& style = TextStyles[Style < kTextStyleCount ? Style : 0];
  const RTextExtent extent = TextExtent(Text, style.Width, style.Height, style.Spacing);
  const RBoxOffset shift = JustifiedBoxOffset(DefinitionJustifyCode(Justify), extent);
  RPoint2D base;
  LocalOffsetPoint(base.x, base.y, Angle, -shift.Along, -shift.Across, X1, Y1);
  RPoint2D end;
  PolarPoint(end.x, end.y, Angle, extent.Length, base.x, base.y);
  RPoint2D topLeft;
  LocalOffsetPoint(topLeft.x, topLeft.y, Angle, 0.0, extent.Height, base.x, base.y);
  RPoint2D topRight;
  PolarPoint(topRight.x, topRight.y, Angle, extent.Length, topLeft.x, topLeft.y);
  auto& p = ReferencePoints;
  p[0] = base;
  p[2] = end;
  p[6] = topLeft;
  p[8] = topRight;
  p[1] = Midpoint(p[0], p[2]);
  p[3] = Midpoint(p[0], p[6]);
  p[5] = Midpoint(p[2], p[8]);
  p[7] = Midpoint(p[6], p[8]);
  p[4] = Midpoint(p[1], p[7]);
  X1 = base.x;
  Y1 = base.y;
  X2 = end.x;
  Y2 = end.y;
}
