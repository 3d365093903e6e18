// Style 9 of the chained-dimension tool: a leader note with its shelf, mark,
// balloon and a text of one or more lines.

#include <algorithm>
#include <string_view>

#include "geometry/intersections.h"
#include "geometry/sjis_text.h"
#include "tools/lines/chained_dimension.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr int kMaxNoteLines = 21;

enum Shelf : std::uint8_t { kShelfRight = 1, kShelfLeft = 2, kShelfUp = 3, kShelfDown = 4 };

std::string TrimBlank(std::string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
  while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
  return std::string(s.substr(a, b - a));
}

// φ in [0, 90) or [270, 360): the cursor lies to the right of point 1.
bool RightHalf(double phi) { return phi < 90.0 || phi >= 270.0; }

RDrawElement CircleElementLeaderNote(double x, double y, double r) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = x;
  e.Y1 = y;
  e.Radius = r;
  e.Ratio = 1.0f;
  return e;
}

// The offsets of the note for one shelf direction.
struct NoteLayout {
  double sx = 0.0, sy = 0.0;  // shelf vector
  double bx = 0.0, by = 0.0;  // balloon centre from the leader end
  double tx = 0.0, ty = 0.0;  // text point from the balloon centre
  std::uint8_t justify = 8;
  double angle = 0.0;
};

NoteLayout LayoutFor(std::uint8_t shelf, double width, double pitch) {
  const RFirstData11& d = FirstData11;
  const double s = d.Chain9Size2, r = d.Chain9Size4;
  // Underlining the text only makes sense without a balloon.
  const bool under = r <= 0.0 && d.Chain9Option4 != 0;
  const double w = under ? width : 0.0;
  NoteLayout n;
  switch (shelf) {
    case kShelfLeft: n = {-s - w, 0.0, -s - r, 0.0, under ? 0.0 : -1.0, under ? pitch / 2 : 0.0, 3, 0.0}; break;
    case kShelfUp: n = {0.0, s + w, 0.0, s + r, under ? pitch / 2 : 0.0, under ? 0.0 : 1.0, 8, 90.0}; break;
    case kShelfDown:
      // Without underlining the shelf stops 1.0 short, so the text still
      // starts 1.0 beyond its end.
      n = {0.0, -s + (under ? -width : 1.0), 0.0, -s - r, under ? pitch / 2 : 0.0, 0.0, 3, 90.0};
      break;
    default: n = {s + w, 0.0, s + r, 0.0, under ? 0.0 : 1.0, under ? pitch / 2 : 0.0, 8, 0.0};
  }
  if (r > 0.0) {
    n.tx = n.ty = 0.0;
    n.justify = 6;
  }
  return n;
}

}  // namespace

bool TRenSunpoSenobj::SplitTextLines(const std::string& Text, std::uint8_t StyleNo, std::vector<std::string>& Lines,
                                     double& Width) const {
  Lines.clear();
  Width = 0.0;
  if (Text.find("..") == std::string::npos && Text.find('$') == std::string::npos) {
    Width = TextWidth(Text, StyleNo);
    return false;
  }
  std::string rest = TrimBlank(Text);
  for (std::size_t at = rest.find(".."); at != std::string::npos; at = rest.find("..", at + 1)) {
    rest.replace(at, 2, "$");
  }
  for (int piece = 0; piece < kMaxNoteLines && !rest.empty(); ++piece) {
    std::string token;
    CutToken(rest, "$", token);
    token = TrimBlank(token);
    if (token.empty()) continue;
    Width = std::max(Width, TextWidth(token, StyleNo));
    Lines.push_back(token);
  }
  return true;
}

void TRenSunpoSenobj::BuildLeaderNote(double PX, double PY) {
  if (CursorOnLastPoint(PX, PY) || PointCount != 1) return;
  const RFirstData11& d = FirstData11;
  const double x0 = PointX[1], y0 = PointY[1];
  const double phi = DirectionAngleDeg(x0, y0, PX, PY);
  std::uint8_t shelf = d.Chain9Option2;
  if (shelf < kShelfRight || shelf > kShelfDown) shelf = RightHalf(phi) ? kShelfRight : kShelfLeft;
  const RPoint2D e = SnapToAngleStep(x0, y0, PX, PY, 0.0, d.Chain9Size1, d.Chain9Size5);

  std::vector<std::string> lines;
  double width = 0.0;
  if (!SplitTextLines(d.Chain9Text, d.Chain9TextStyle, lines, width)) lines.push_back(d.Chain9Text);
  if (lines.empty()) lines.emplace_back();
  const double pitch = 0.6 + 0.1 * StyleOf(d.Chain9TextStyle).Height;
  const NoteLayout n = LayoutFor(shelf, width, pitch);

  if (LastIndex == -1) {
    Elements.assign(5, ZeroElement());
    Texts = lines;
    LastIndex = 0;
    return;
  }
  Texts = lines;
  const auto L = static_cast<std::size_t>(LastIndex);
  if (Elements.size() < L + 5) Elements.resize(L + 5, ZeroElement());
  RDrawElement leader = LineElement(x0, y0, e.x, e.y);
  Elements[L] = leader;
  Elements[L + 1] = LineElement(e.x, e.y, e.x + n.sx, e.y + n.sy);
  const std::uint8_t mark = d.Chain9Option1;
  if (mark > 4) return;
  RDrawElement& mark1 = Elements[L + 2];
  RDrawElement& mark2 = Elements[L + 3];
  if (mark != 4) mark2 = ZeroElement();
  mark1 = ZeroElement();
  if (mark == 1) {
    ArrowheadAtLineEnd(leader, mark1, mark2);
  } else if (mark == 2) {
    RDrawElement second = ZeroElement();
    ArrowheadAtLineEnd(leader, mark1, second);
    const bool across = shelf == kShelfRight || shelf == kShelfLeft;
    const bool secondHalf = across ? (phi >= 90.0 && phi < 180.0) || phi >= 270.0 : phi >= 180.0;
    if (secondHalf) mark1 = second;
  } else if (mark == 3) {
    mark1 = CircleElementLeaderNote(x0, y0, d.Chain9Size3);
    const RPoint2D rim = SnapToAngleStepKeepLength(x0, y0, PX, PY, 0.0, d.Chain9Size1, d.Chain9Size3);
    leader.X1 = rim.x;
    leader.Y1 = rim.y;
  } else if (mark == 4) {
    mark1.Kind = kKindPoint;
    mark1.X1 = x0;
    mark1.Y1 = y0;
  }
  Elements[L] = leader;
  const double r = d.Chain9Size4 > 0.0 ? d.Chain9Size4 : 0.0;
  const RPoint2D b{e.x + n.bx, e.y + n.by};
  Elements[L + 4] = CircleElementLeaderNote(b.x, b.y, r);

  const std::size_t count = lines.size();
  if (count == 1) {
    Elements.resize(L + 6, ZeroElement());
    MakeText(Elements[L + 5], lines[0], b.x + n.tx, b.y + n.ty, n.angle, 0, n.justify, d.Chain9TextStyle, 1);
    return;
  }
  Elements.resize(L + 4 + 2 * count, ZeroElement());
  const double P = d.Chain9Size6;
  const double k = static_cast<double>(count) - 1.0;
  const bool across = shelf == kShelfRight || shelf == kShelfLeft;
  const bool flush = d.Chain9Option3 == 1;
  const std::uint8_t justify =
      flush && (d.Chain9Option2 == 0 || d.Chain9Option2 == 2 || d.Chain9Option2 == 4) ? 8 : n.justify;
  for (std::size_t i = 0; i < count; ++i) {
    const double fi = static_cast<double>(i);
    double x = 0.0, y = 0.0;    // text point
    double sx = 0.0, sy = 0.0;  // start of the line's further shelf
    if (across) {
      const double a = flush && shelf == kShelfLeft ? -width : 0.0;
      x = b.x + n.tx + a;
      y = b.y - fi * P + n.ty + (phi < 180.0 ? 0.0 : k * P);
      sx = e.x;
      sy = phi < 180.0 ? b.y - (fi + 1.0) * P : b.y + (k - fi) * P;
    } else {
      const double bb = flush && shelf == kShelfDown ? -width : 0.0;
      x = b.x + fi * P + n.tx + (RightHalf(phi) ? -k * P : 0.0);
      y = b.y + n.ty + bb;
      sx = RightHalf(phi) ? b.x + (fi - k) * P : b.x + (fi + 1.0) * P;
      sy = e.y;
    }
    MakeText(Elements[L + 4 + count + i], lines[i], x, y, n.angle, static_cast<std::uint16_t>(i), justify,
             d.Chain9TextStyle, 1);
    if (i + 1 == count) break;
    const double fx = sx + n.sx, fy = sy + n.sy;
    // A shelf reaching past the leader starts where it meets it.
    double cx = 0.0, cy = 0.0;
    if (IntersectLines(cx, cy, sx, sy, fx, fy, leader.X1, leader.Y1, leader.X2, leader.Y2) &&
        PointDistance(cx, cy, fx, fy) < PointDistance(leader.X1, leader.Y1, fx, fy)) {
      sx = cx;
      sy = cy;
    }
    Elements[L + 5 + i] = LineElement(sx, sy, fx, fy);
  }
}
