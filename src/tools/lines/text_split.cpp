// Cutting, stepping and deleting a text at the character under a pick.

#include "tools/lines/text_split.h"

#include <algorithm>
#include <utility>

#include "geometry/angles_points.h"
#include "geometry/label_stepping.h"
#include "geometry/sjis_text.h"

TMoziSetuDanobj::TMoziSetuDanobj(const RDrawElement& Element, std::uint8_t Mode, std::uint8_t Direction, double PickX_,
                                 double PickY_, std::span<const RTextStyle> Styles, std::string Text)
    : SourceElement(Element), PickX(PickX_), PickY(PickY_), SourceText(std::move(Text)) {
  std::copy_n(Styles.begin(), std::min(Styles.size(), TextStyles.size()), TextStyles.begin());
  // A vertical text runs along the height of its characters.
  if (Direction == kTextVertical) {
    for (RTextStyle& s : TextStyles) {
      const std::uint16_t width = s.Width;  // packed fields: no references
      s.Width = s.Height;
      s.Height = width;
    }
  }
  Chars = SplitSjisCharacters(SourceText);
  switch (Mode) {
    case kTextEditStepDown:
    case kTextEditStepUp: StepAtPick(Mode == kTextEditStepUp); break;
    case kTextEditDelete: DeleteAtPick(); break;
    default: SplitAtPick();
  }
}

std::size_t TMoziSetuDanobj::CharacterAtPick(bool HalfCell) {
  const RDrawElement& e = SourceElement;
  double fx = 0.0, fy = 0.0;
  // A text without a base line has no character near anything.
  if (!PerpendicularFoot(fx, fy, e.X1, e.Y1, e.X2, e.Y2, PickX, PickY)) return 0;
  const RTextStyle& style = TextStyles[e.TextStyle < kTextStyleCount ? e.TextStyle : 0];
  const double w = style.Width;
  const double g = style.Spacing;
  double t = 0.0;
  for (std::size_t k = 0; k < Chars.size(); ++k) {
    const double share = Chars[k].size() == 2 ? 0.1 : 0.05;
    const double cell = share * w;
    const RPoint2D s = RotateAboutCentreExact(e.TextAngle, e.X1, e.Y1, e.X1 + t, e.Y1);
    if (PointDistance(fx, fy, s.x, s.y) < (HalfCell ? cell / 2 : cell)) {
      RightX = s.x;
      RightY = s.y;
      return k + 1;
    }
    t += cell + share * g;
  }
  return 0;
}

std::string TMoziSetuDanobj::Characters(std::size_t From, std::size_t To) const {
  std::string out;
  for (std::size_t k = From; k <= To && k <= Chars.size(); ++k) out += Chars[k - 1];
  return out;
}

void TMoziSetuDanobj::SplitAtPick() {
  const std::size_t k = CharacterAtPick(true);
  if (k == 0) return;
  ResultText = Characters(1, k - 1);
  RightText = Characters(k, Chars.size());
  LeftLength = static_cast<std::int32_t>(k - 1);
}

void TMoziSetuDanobj::StepAtPick(bool Up) {
  const std::size_t k = CharacterAtPick(false);
  if (k == 0) return;
  std::string stepped;
  StepLabel(Characters(1, k), Up, stepped);
  ResultText = stepped + Characters(k + 1, Chars.size());
}

void TMoziSetuDanobj::DeleteAtPick() {
  const std::size_t k = CharacterAtPick(false);
  if (k == 0) return;
  ResultText = Characters(1, k - 1) + Characters(k + 1, Chars.size());
}
