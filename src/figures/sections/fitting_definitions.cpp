// The fitting definition reader.

#include "figures/sections/fitting_definitions.h"

#include <cmath>
#include <limits>

#include "figures/sections/definition_files.h"
#include "geometry/angles_points.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kLowestNumber = -90000.0;

bool IsLetterToken(std::string_view S) {
  if (S.size() != 1) return false;
  const char c = static_cast<char>(S[0] & ~0x20);
  return ('A' <= c && c <= 'F') || c == 'S';
}

bool IsLetter(std::string_view S, char Upper) { return S.size() == 1 && (S[0] & ~0x20) == Upper; }

bool IsIntegerValue(std::string_view S, std::int32_t Value) {
  return IsDefinitionInteger(S) && DefinitionInteger(S, 0) == Value;
}

bool IsMarker(std::string_view S) {
  const std::int32_t value = DefinitionInteger(S, 0);
  return IsDefinitionInteger(S) && 990 <= value && value <= 999;
}

// A grid line: a count of 2 or more not followed by an integer (one below
// -10 does not count).
bool IsGridLine(std::span<const std::string> t) {
  return IsDefinitionInteger(t[0]) && DefinitionInteger(t[0], 0) >= 2 &&
         (!IsDefinitionInteger(t[1]) || DefinitionInteger(t[1], 0) < -10);
}

// A grid position; one of 10000 or more is read from its third to fifth
// characters. False when the token gives no position.
bool GridPosition(std::string_view S, std::int32_t& Position) {
  if (!IsDefinitionInteger(S)) return false;
  Position = DefinitionInteger(S, 0);
  if (Position < 10000) return true;
  const std::string_view digits = S.size() > 2 ? S.substr(2, 3) : std::string_view();
  if (!IsDefinitionInteger(digits)) return false;
  Position = DefinitionInteger(digits, 0);
  return true;
}

std::uint8_t ByteOrZero(std::string_view S) { return static_cast<std::uint8_t>(DefinitionInteger(S, 0) & 0xFF); }

double Number(std::string_view S) { return DefinitionNumber(S, 0.0); }

// The lines of the file as BuildFromLines sees them: trimmed, without empty
// lines and comments, from the header number on. Stops when Visit is false.
template <typename Visitor>
void VisitDefinitionLines(const TextLines& Lines, std::int32_t& HeaderNumber, Visitor Visit) {
  bool headerFound = false;
  for (const std::string_view raw : Lines) {
    const std::string_view line = TrimDefinitionText(raw);
    if (line.empty() || line.find('#') != std::string_view::npos) continue;
    if (!headerFound) {
      const std::int32_t number = DefinitionInteger(line, -1);
      HeaderNumber = number >= 0 ? number : 0;
      headerFound = number >= 0;
      continue;
    }
    if (!Visit(line)) return;
  }
}

}  // namespace

TTateguHeiDanobj::TTateguHeiDanobj(double Scale) : Scale(Scale) {}

std::vector<std::string> TTateguHeiDanobj::CutTokens(std::string_view Line) {
  std::vector<std::string> tokens(kTokenCount);
  std::size_t at = 0;
  for (int n = 0; n < kTokenCount; ++n) {
    while (at < Line.size() && (Line[at] == ' ' || Line[at] == '\t')) ++at;
    std::size_t end = at;
    while (end < Line.size() && Line[end] != ' ' && Line[end] != '\t') ++end;
    const std::string_view word = Line.substr(at, end - at);
    at = end;
    if (word.empty()) break;
    // The text of an elevation text line is taken as it is.
    const std::string_view ninth = n == 9 ? word : std::string_view(tokens[9]);
    const bool quoted = n >= 9 && ninth.find('"') != std::string_view::npos;
    if (!quoted && !IsLetterToken(word) && !(DefinitionNumber(word, kLowestNumber - 1) >= kLowestNumber)) break;
    tokens[n] = std::string(word);
  }
  return tokens;
}

void TTateguHeiDanobj::ReadSizeLine(const TextLines& Lines, std::uint8_t Entry) {
  // The size line of an entry is the marker that starts it, counted as the
  // build counts markers.
  std::int32_t header = 0;
  std::int32_t markers = 0;
  std::vector<std::string> found;
  if (Entry == 0) return;
  VisitDefinitionLines(Lines, header, [&](std::string_view line) {
    std::vector<std::string> tokens = CutTokens(line);
    if (!IsMarker(tokens[0])) return true;
    if (++markers != Entry) return true;
    found = std::move(tokens);
    return false;
  });
  if (found.empty()) return;
  const double a = Number(found[1]);
  const double b = Number(found[2]);
  if (a > 0.0 && b > 0.0) {
    SizeLineFound = true;
    SizeA = a;
    SizeB = b;
    FirstData5.FittingWallThickness = a;
    FirstData5.FittingFrameSize = b;
  } else if (a > 0.0) {
    SizeLineFound = true;
    SizeA = a;
    SizeB = b;
    FirstData5.FittingFrameSize = a;
  }
}

void TTateguHeiDanobj::BuildFromLines(const TextLines& Lines) {
  SizeLineFound = false;
  Items.clear();
  Texts.clear();
  ItemCount = 0;
  if (!std::isfinite(Scale) || Scale == 0.0) return;
  ReadSizeLine(Lines, FirstData5.FittingEntry);
  const std::uint8_t mode = FirstData5.FittingGenerator;
  std::int32_t entry = 0;
  VisitDefinitionLines(Lines, HeaderNumber, [&](std::string_view line) {
    const std::vector<std::string> tokens = CutTokens(line);
    if (IsMarker(tokens[0])) {
      ++entry;
      return true;
    }
    if (IsIntegerValue(tokens[0], 0)) return true;
    if (entry > FirstData5.FittingEntry) return false;
    if (entry < FirstData5.FittingEntry) return true;
    if (mode <= 1) {
      ReadPlanLine(tokens, true, FirstData5.FittingPlanWidth);
    } else if (mode == 2) {
      ReadElevationLine(tokens, true, FirstData5.FittingElevationWidth);
    }
    return true;
  });
  ItemCount = static_cast<std::int32_t>(Items.size());
}

double TTateguHeiDanobj::AlongPosition(double Along, std::int32_t Position) const {
  return Along / Scale + (static_cast<double>(Position) - 1.0) * Pitch;
}

double TTateguHeiDanobj::AcrossPosition(double Across) const { return Across / Scale * AcrossFactor; }

void TTateguHeiDanobj::AddItem(const RDrawElement& E, std::int32_t& Count) {
  Items.push_back(E);
  ++Count;
}

void TTateguHeiDanobj::ReadPlanLine(std::span<const std::string> Tokens, bool Flag, double Width) {
  const auto& t = Tokens;
  const double wall = FirstData5.FittingWallThickness;
  const double frame = FirstData5.FittingFrameSize;
  if (IsGridLine(t)) {
    GridCount = DefinitionInteger(t[0], 0);
    Pitch = Width / (static_cast<double>(GridCount) - 1.0) / Scale;
    Name = t[1];
    if (!Flag) {
      AcrossFactor = 1.0;
      return;
    }
    AcrossReference = 70.0;
    ReferenceSize = 35.0;
    AcrossFactor = wall / 70.0;
    EndFactor = frame / 35.0;
    return;
  }
  if (IsLetter(t[0], 'S')) {
    if (!Flag) return;
    // A divisor of 0 or less would break every length: it counts as empty.
    auto divisor = [](std::string_view s) {
      const std::int32_t k = DefinitionInteger(s, 100);
      return k > 0 ? k : 100;
    };
    ScaleMode = true;
    AcrossReference = divisor(t[1]);
    AcrossFactor = wall / AcrossReference;
    ReferenceSize = divisor(t[2]);
    EndFactor = frame / ReferenceSize;
    return;
  }
  std::int32_t b = 0;
  std::int32_t c = 0;
  if (!GridPosition(t[0], b) || !GridPosition(t[1], c)) return;
  if (SizeLineFound) {
    AcrossReference = SizeA;
    ReferenceSize = SizeB;
    AcrossFactor = 1.0;
    EndFactor = 1.0;
    ScaleMode = false;
  }
  if (b == -10 || c == -10) return;
  if (IsLetter(t[9], 'E')) {
    std::int32_t count = ItemCount;
    MakeArcShape(t, DigitAt(t[11], 2), b, c, count);
    ItemCount = count;
    return;
  }
  double along1 = Number(t[2]);
  double along2 = Number(t[4]);
  const bool atFirst = b == 1 && c == 1;
  const bool atLast = b == GridCount && c == GridCount;
  if (atFirst || atLast) {
    for (double* along : {&along1, &along2}) {
      if (ScaleMode) {
        *along *= EndFactor;
        continue;
      }
      if (atFirst && -25.0 <= *along && *along < -20.0) *along = -ReferenceSize;
      if (atLast && FirstData5.FittingGenerator == 0 && 20.0 < *along && *along <= 25.0) *along = ReferenceSize;
    }
  }
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.X1 = AlongPosition(along1, b);
  e.Y1 = AcrossPosition(Number(t[3]));
  e.X2 = AlongPosition(along2, c);
  e.Y2 = AcrossPosition(Number(t[5]));
  e.ColorNo = ByteOrZero(t[6]);
  e.LineType = ByteOrZero(t[7]);
  std::uint16_t tag = 0;
  ReadLayerCode(t[8], e.Layer, tag);
  e.LineTag = tag;
  std::int32_t count = ItemCount;
  AddItem(e, count);
  ItemCount = count;
}

void TTateguHeiDanobj::MakeArcShape(std::span<const std::string> Tokens, std::int32_t Shape, std::int32_t First,
                                    std::int32_t Second, std::int32_t& Count) {
  const auto& t = Tokens;
  const double ox = AlongPosition(Number(t[2]), First);
  const double oy = AcrossPosition(Number(t[3]));
  const double qx = AlongPosition(Number(t[4]), Second);
  const double qy = AcrossPosition(Number(t[5]));
  const double sweep = Number(t[10]);
  const double radius = PointDistance(ox, oy, qx, qy);
  const double towardsQ = DirectionAngleDeg(ox, oy, qx, qy);
  double q2x = ox;
  double q2y = oy;
  PolarPoint(q2x, q2y, towardsQ + sweep, radius, ox, oy);
  RDrawElement base = ZeroElement();
  base.ColorNo = ByteOrZero(t[6]);
  base.LineType = ByteOrZero(t[7]);
  std::uint16_t tag = 0;
  ReadLayerCode(t[8], base.Layer, tag);
  auto addLine = [&](double x2, double y2) {
    RDrawElement e = base;
    e.Kind = kKindLine;
    e.X1 = ox;
    e.Y1 = oy;
    e.X2 = x2;
    e.Y2 = y2;
    e.LineTag = tag;
    AddItem(e, Count);
  };
  const bool arc = Shape <= 3;
  const bool toQ = Shape == 1 || Shape == 3 || Shape == 5 || Shape == 7;
  const bool toQ2 = Shape == 2 || Shape == 3 || Shape == 6 || Shape == 7;
  if (arc) {
    RDrawElement e = base;
    e.Kind = kKindArc;
    e.X1 = ox;
    e.Y1 = oy;
    e.Radius = radius;
    e.Ratio = 1.0f;
    const double start = sweep > 0.0 ? towardsQ : towardsQ + sweep;
    const double end = sweep > 0.0 ? towardsQ + sweep : towardsQ;
    e.StartAngle = static_cast<float>(NormalizeAngleUpTo360(start));
    e.EndAngle = static_cast<float>(NormalizeAngleUpTo360(end));
    e.Rotation = 0.0f;
    AddItem(e, Count);
  }
  if (toQ) addLine(qx, qy);
  if (toQ2) addLine(q2x, q2y);
}

double TTateguHeiDanobj::HeightPosition(std::int32_t N, double Y, double H) {
  const double n = N == 0 ? 10.0 : static_cast<double>(N);
  if (Y <= 500.0) return Y;
  if (Y > n * 1000.0 - 500.0) return H + (Y - n * 1000.0);
  // The division d with d x 1000 - 500 < Y <= d x 1000 + 500, found at once.
  const double d = std::ceil((Y - 500.0) / 1000.0);
  return H * d / n + (Y - d * 1000.0);
}

void TTateguHeiDanobj::ReadElevationLine(std::span<const std::string> Tokens, bool Flag, double Width) {
  const auto& t = Tokens;
  Height = Flag ? FirstData5.FittingHeight : 1000.0;
  const double width = Flag ? Width : 1000.0;
  if (IsGridLine(t)) {
    GridCount = DefinitionInteger(t[0], 0);
    Pitch = width / (static_cast<double>(GridCount) - 1.0) / Scale;
    Name = t[1];
    return;
  }
  if (IsLetter(t[0], 'S')) {
    DivisionCount = t[1].empty() ? 100 : DefinitionInteger(t[1], 10);
    return;
  }
  if (!IsDefinitionInteger(t[0]) || !IsDefinitionInteger(t[1])) return;
  const std::int32_t f = DefinitionInteger(t[0], 0);
  const std::int32_t c = DefinitionInteger(t[1], 0);
  if (f == 0 || c == 0 || f == 500 || f == 700 || f == 750) return;
  auto x = [&](std::string_view s, std::int32_t position) { return AlongPosition(Number(s), position); };
  auto y = [&](std::string_view s) { return HeightPosition(DivisionCount, Number(s), Height) / Scale; };
  RDrawElement e = ZeroElement();
  std::uint16_t tag = 0;
  ReadLayerCode(t[8], e.Layer, tag);
  const double kind = Number(t[6]);
  std::int32_t count = ItemCount;
  if (IsLetter(t[9], 'E')) {
    const double r = Number(t[10]);
    e.Kind = kKindArc;
    e.X1 = x(t[2], f);
    e.Y1 = y(t[3]);
    e.Radius = (r >= 0.0 ? r : std::abs(r) * Height + Number(t[11])) / Scale;
    e.StartAngle = static_cast<float>(NormalizeAngleUpTo360(Number(t[4])));
    e.EndAngle = static_cast<float>(NormalizeAngleUpTo360(Number(t[5])));
    e.Ratio = 1.0f;
    e.Rotation = 0.0f;
    e.ColorNo = ByteOrZero(t[6]);
    e.LineType = ByteOrZero(t[7]);
  } else if (kind == 10000.0) {
    // A text index is 16 bits wide; texts beyond it cannot be told apart.
    if (Texts.size() > std::numeric_limits<std::uint16_t>::max()) return;
    Texts.push_back(t[9].empty() ? std::string() : t[9].substr(1));
    e.Kind = kKindText;
    e.X1 = x(t[2], f);
    e.Y1 = y(t[3]);
    e.X2 = x(t[4], c);
    e.Y2 = y(t[5]);
    e.TextAngle = static_cast<float>(DirectionAngleDeg(e.X1, e.Y1, e.X2, e.Y2));
    e.TextIndex = static_cast<std::uint16_t>(Texts.size() - 1);
    std::uint8_t justify = 0;
    ReadTextAttributes(t[7], justify, e.TextStyle, e.TextDirection);
    // The generator lays the text out by this byte.
    e.Reserved48 = justify;
  } else if (kind != 30000.0) {
    e.Kind = kKindLine;
    e.X1 = x(t[2], f);
    e.Y1 = y(t[3]);
    e.X2 = x(t[4], c);
    e.Y2 = y(t[5]);
    e.ColorNo = ByteOrZero(t[6]);
    e.LineType = ByteOrZero(t[7]);
    e.LineTag = tag;
  } else {
    e.Kind = kKindPoint;
    e.X1 = x(t[2], f);
    e.Y1 = y(t[3]);
    const bool atEnd = (f == 1 && c == 1) || (f == GridCount && c == GridCount);
    e.ColorNo = IsDefinitionInteger(t[7]) ? ByteOrZero(t[7]) : (atEnd ? 1 : 0);
    e.LineType = 1;
  }
  AddItem(e, count);
  ItemCount = count;
}

std::uint8_t TTateguHeiDanobj::JustifyCode(std::uint8_t Digit) { return DefinitionJustifyCode(Digit); }

void TTateguHeiDanobj::ReadTextAttributes(std::string_view Code, std::uint8_t& Justify, std::uint8_t& Style,
                                          std::uint8_t& Direction) {
  const std::int32_t value = DefinitionInteger(Code, -1);
  auto styleAt = [&](std::size_t from) {
    const std::int32_t style = Code.size() > from ? DefinitionInteger(Code.substr(from, 2), 0) : 0;
    return static_cast<std::uint8_t>(0 <= style && style < kTextStyleCount ? style : 0);
  };
  if (value >= 1000) {
    Justify = JustifyCode(static_cast<std::uint8_t>(DigitAt(Code, 1)));
    Style = styleAt(2);
    Direction = kTextVertical;
  } else if (value >= 100) {
    Justify = JustifyCode(static_cast<std::uint8_t>(DigitAt(Code, 1)));
    Style = styleAt(1);
    Direction = 0;
  } else {
    Justify = 0;
    Style = 2;
    Direction = 0;
  }
}

std::int32_t TTateguHeiDanobj::DigitAt(std::string_view S, std::int32_t Position) {
  if (Position < 1 || static_cast<std::size_t>(Position) > S.size()) return 0;
  const char c = S[static_cast<std::size_t>(Position) - 1];
  return '0' <= c && c <= '9' ? c - '0' : 0;
}

void TTateguHeiDanobj::ReadLayerCode(std::string_view Code, std::uint8_t& Layer, std::uint16_t& Tag) {
  auto hex = [](char c) -> std::uint8_t {
    if ('0' <= c && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if ('A' <= (c & ~0x20) && (c & ~0x20) <= 'F') return static_cast<std::uint8_t>((c & ~0x20) - 'A' + 10);
    return 0;  // not a hexadecimal digit: layer 0, the build goes on
  };
  Layer = 0;
  Tag = 0;
  if (Code.empty()) {
    Tag = kLineTagFitting;
  } else if (Code.size() == 1) {
    Layer = hex(Code[0]);
    Tag = kLineTagFitting;
  } else if (Code.size() == 2 && Code[0] == '-') {
    Tag = kLineTagFitting;
  } else if (Code.size() == 2) {
    Layer = hex(Code[1]);
  }
}
