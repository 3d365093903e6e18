// Annotation figures: a labelled symbol (kind 90), hook marks (kinds 91 to
// 94) and a labelled mark on every reference line (kind 95).

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "figures/sections/rc_sections.h"
#include "figures/sections/section_generator.h"
#include "geometry/angles_points.h"
#include "geometry/label_stepping.h"
#include "geometry/sjis_text.h"
#include "tools/edit/area_table_labels.h"
#include "tools/settings/default_settings.h"

namespace {

std::string ConvertedLabel(const std::string& Text) {
  switch (FirstData5.LabelWidthConversion) {
    case 1: return ToFullWidth(Text);
    case 2: return ToHalfWidth(Text);
    default: return Text;
  }
}

// Where a label of the symbol box goes, relative to the box corner.
struct RLabelSpot {
  bool Used = false;
  double X = 0.0;
  double Y = 0.0;
  std::uint8_t Justify = 6;
};

// The three label spots of a frame kind in a box W by H; h is the height of
// the label style.
std::array<RLabelSpot, 3> LabelSpots(std::uint8_t FrameKind, double W, double H, double h) {
  const double x = W / 2;
  switch (FrameKind) {
    case 0: return {{{true, x, 3 * H / 4}, {true, x, H / 4}, {}}};
    case 1:
    case 2:
    case 5: return {{{true, x, H / 2}, {}, {}}};
    case 3:
      // Above the bracket's bar, bottom-centred.
      return {{{true, x, H / 2 + 1.2 * h, 1}, {true, x, H / 2 + 0.1 * h, 1}, {}}};
    case 4: return {{{true, x, 5 * H / 6}, {true, x, H / 2}, {true, x, H / 6}}};
    default: return {};
  }
}

}  // namespace

void TBuzaidanmenobj::MakeLabelledSymbol() {
  const RFirstData5& d = FirstData5;
  const double W = d.LabelSymbolWidth;
  const double H = d.LabelSymbolHeight;
  SetBoxOffset(W, H, 0.0);
  const double cornerX = BaseX + OffsetX;
  const double cornerY = BaseY + OffsetY;
  const std::array<std::string, 3> labels = {ConvertedLabel(d.LabelText1), ConvertedLabel(d.LabelText2),
                                             ConvertedLabel(d.LabelText3)};
  Texts.clear();
  Elements.clear();
  TRCDanmenobj frame(Scale);
  frame.MakeLabelFrame(d.LabelSymbolShape, cornerX + W / 2, cornerY + H / 2);
  for (RDrawElement e : frame.Elements) {
    if (Angle != 0.0) TurnFigureElement(e, Angle, cornerX, cornerY, true);
    Elements.push_back(e);
  }
  const double h = AreaLabelStyle(Styles, d.LabelTextStyle).Height * 0.1;
  const std::array<RLabelSpot, 3> spots = LabelSpots(d.LabelSymbolShape, W, H, h);
  for (std::size_t i = 0; i < spots.size(); ++i) {
    if (!spots[i].Used || labels[i].empty()) continue;
    double x = cornerX + spots[i].X;
    double y = cornerY + spots[i].Y;
    if (Angle != 0.0) RotateAboutCentre(x, y, Angle, cornerX, cornerY);
    Texts.push_back(labels[i]);
    RDrawElement e = ZeroElement();
    MakeTextElement(e, labels[i], x, y, Angle, static_cast<std::int32_t>(Texts.size()) - 1, spots[i].Justify,
                    d.LabelTextStyle);
    Elements.push_back(e);
  }
}

void TBuzaidanmenobj::MakeHookMark(std::int32_t Which) {
  const double X = BaseX;
  const double Y = BaseY;
  OffsetX = X;
  OffsetY = Y;
  // A hook without a tail or a radius keeps the previous figure.
  if (D1 == 0.0 || D2 == 0.0 || !std::isfinite(D1) || !std::isfinite(D2)) return;
  const double r = D2;
  const double t = D1;
  RDrawElement tail = ZeroElement();
  RDrawElement hook = ZeroElement();
  switch (Which) {
    case 0:
      tail = LineElement(X + 2 * r, Y, X + 2 * r, Y - t);
      hook = CircularArcElement(X + r, Y, r, 0, 180);
      break;
    case 1:
      tail = LineElement(X + r, Y + r, X + r + t, Y + r);
      hook = CircularArcElement(X + r, Y, r, 90, 180);
      break;
    case 2:
      tail = LineElement(X - 2 * r, Y, X - 2 * r, Y - t);
      hook = CircularArcElement(X - r, Y, r, 0, 180);
      break;
    case 3:
      tail = LineElement(X - r, Y + r, X - r - t, Y + r);
      hook = CircularArcElement(X - r, Y, r, 0, 90);
      break;
    default: return;
  }
  std::vector<RDrawElement> hookMark{tail, hook};
  if (Angle != 0.0) {
    for (RDrawElement& e : hookMark) TurnFigureElement(e, Angle, X, Y, true);
  }
  Elements = std::move(hookMark);
}

void TBuzaidanmenobj::MakeLineMarks() {
  const RFirstData5& d = FirstData5;
  const double W = d.LabelSymbolWidth;
  const double H = d.LabelSymbolHeight;
  SetBoxOffset(W, H, 0.0);
  const double cursorX = BaseX + OffsetX + W / 2;
  const double cursorY = BaseY + OffsetY + H / 2;
  std::string label = ConvertedLabel(d.LabelText1);
  const std::uint8_t frameKind = d.LabelSymbolShape == 1 || d.LabelSymbolShape == 2 ? d.LabelSymbolShape : 2;
  Texts.clear();
  Elements.clear();
  TRCDanmenobj frame(Scale);
  bool previous = false;
  double previousX = 0.0, previousY = 0.0;          // centre of the previous mark
  double previousFootX = 0.0, previousFootY = 0.0;  // its foot
  for (const RDrawElement& line : ReferenceLines) {
    const double x1 = line.X1, y1 = line.Y1, x2 = line.X2, y2 = line.Y2;
    double footX = x1;
    double footY = y1;
    // A line of one point has no foot and no direction: no mark.
    if (!PerpendicularFoot(footX, footY, x1, y1, x2, y2, cursorX, cursorY)) continue;
    // Lines meeting at the same foot share its mark.
    if (previous && std::abs(footX - previousFootX) < 0.001 && std::abs(footY - previousFootY) < 0.001) continue;
    double markX = footX;
    double markY = footY;
    if (previous && PointDistance(previousX, previousY, footX, footY) <= W) {
      // Too close to the previous mark: move along the line, to the side
      // the option chooses.
      double dir = DirectionAngleDeg(x1, y1, x2, y2);
      if (d.MarkOption1 != 0) {
        if (dir < 180.0) dir = NormalizeAngleUpTo360(dir + 180.0);
      } else if (dir >= 180.0) {
        dir = NormalizeAngleUpTo360(dir - 180.0);
      }
      PolarPoint(markX, markY, dir, 1.04 * W, footX, footY);
    }
    double lineAngle = DirectionAngleDeg(x1, y1, x2, y2);
    if (lineAngle > 180.0) lineAngle -= 180.0;
    double textAngle = 0.0;
    if (d.MarkOption2 == 1) textAngle = lineAngle != 0.0 ? NormalizeAngleUpTo360(lineAngle - 90.0) : 90.0;
    previous = true;
    previousX = markX;
    previousY = markY;
    previousFootX = footX;
    previousFootY = footY;
    frame.MakeLabelFrame(frameKind, markX, markY);
    for (RDrawElement e : frame.Elements) {
      if (lineAngle != 0.0) TurnFigureElement(e, lineAngle, markX, markY, true);
      Elements.push_back(e);
    }
    if (label.empty()) continue;
    Texts.push_back(label);
    std::string next;
    StepLabel(label, true, next);
    RDrawElement e = ZeroElement();
    MakeTextElement(e, Texts.back(), markX, markY, textAngle, static_cast<std::int32_t>(Texts.size()) - 1, 6,
                    d.LabelTextStyle);
    Elements.push_back(e);
    label = std::move(next);
  }
}
