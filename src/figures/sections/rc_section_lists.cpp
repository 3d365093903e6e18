// RC section lists, kinds 30 to 33: one cell of a beam, column or pile list
// (member mark, size, position names, the section of every position drawn
// to scale and the rows of bar notation), and the symbol of the main bar.
//
// Cells are laid out in paper millimetres from their bottom-left corner;
// lines and sections are not turned, only the texts carry the angle.

#include <string>
#include <string_view>

#include "figures/sections/rc_sections.h"
#include "figures/sections/section_generator.h"
#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "geometry/sjis_text.h"
#include "tools/edit/area_table_labels.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kRowHeight = 5.0;
constexpr double kPictogramHalfSide = 1.2;

enum class CellKind { Beam, Column, Pile };

// The rows of bar notation below the figures: 0, 1 or 2 extra rows for the
// row modes 1, 2 and any other.
int ExtraRows() {
  const std::uint8_t mode = RcSectionDefaults.SectionListRowMode;
  return mode == 1 ? 0 : mode == 2 ? 1 : 2;
}

std::string CountText(int Count, const std::string& Mark) { return Format("%d-%s", {Count, Mark}); }

std::string HoopText(const std::string& Mark, int Pitch) { return Format("%s-@%d", {Mark, Pitch}); }

const std::string& PositionName(int p) {
  const RFirstData3& d = FirstData3;
  return p == 1 ? d.RcPositionLeft : p == 2 ? d.RcPositionCentre : d.RcPositionRight;
}

class RcListCell {
 public:
  RcListCell(TBuzaidanmenobj& Figure, CellKind Kind) : f_(Figure), kind_(Kind) {}

  void Build() {
    const RFirstData3& d = FirstData3;
    const double R = kRowHeight;
    W_ = d.RcPositions * d.SectionListWidth;
    H_ = d.SectionListHeight;
    f_.SetBoxOffset(W_, H_, 0.0);
    cornerX_ = f_.BaseX + f_.OffsetX;
    cornerY_ = f_.BaseY + f_.OffsetY;
    f_.Texts.clear();
    f_.Elements.clear();
    texts_ = d.RcNoText == 0;
    extra_ = ExtraRows();
    positions_ = d.RcPositions;
    const bool shown = positions_ >= 1 && positions_ <= (kind_ == CellKind::Beam ? 3 : 2);
    if (shown && positions_ >= 2 && texts_) AddDividers();
    if (shown) AddPositions();
    if (!texts_) return;
    Line(W_, H_, W_, 0);
    if (kind_ == CellKind::Beam) {
      f_.AddHoopPictogram(2, d.RcHoopLegsX, cornerX_ + PictogramX(), cornerY_ + HoopRowY());
    } else if (kind_ == CellKind::Column) {
      f_.AddHoopPictogram(d.RcHoopLegsY, d.RcHoopLegsX, cornerX_ + PictogramX(), cornerY_ + HoopRowY());
    }
    Text(d.RcMemberMark, W_ / 2, H_ - R / 2);
    Text(kind_ == CellKind::Pile ? Format(J("%dφ"), {d.RcWidth}) : Format(J("%d×%d"), {d.RcWidth, d.RcDepth}), W_ / 2,
         H_ - 3 * R / 2);
    if (kind_ == CellKind::Beam) {
      Text(HoopText(d.RcHoopBar, d.RcHoopPitch), W_ / 2, HoopRowY());
      // The web-bar and tie rows exist only in the deeper row modes.
      if (d.RcWebBars != 0 && extra_ >= 1) Text(CountText(d.RcWebBars, d.RcWebBar), W_ / 2, (extra_ - 0.5) * R);
      if (d.RcWebBars != 0 && extra_ == 2) Text(d.RcTieText, W_ / 2, R / 2);
    } else {
      if (kind_ == CellKind::Column) Text(HoopText(d.RcHoopBar, d.RcHoopPitch), W_ / 2, HoopRowY());
      if (extra_ == 2) {
        Text(kind_ == CellKind::Column ? d.RcColumnDiaHoopText : d.RcPileDiaHoopText, W_ / 2, R / 2);
      }
    }
  }

 private:
  // The y of the stirrup or hoop row.
  double HoopRowY() const {
    if (kind_ == CellKind::Beam) return (extra_ + 0.5) * kRowHeight;
    return (extra_ == 2 ? 1.5 : 0.5) * kRowHeight;
  }

  double MainBarRowY() const { return HoopRowY() + kRowHeight; }

  // Left of the hoop text by the width of five characters and three
  // spacings of the text style.
  double PictogramX() const {
    const RTextStyle& style = AreaLabelStyle(f_.Styles, RcSectionDefaults.RcTextStyle);
    return W_ / 2 - (5.0 * style.Width + 3.0 * style.Spacing) / 10.0;
  }

  double PositionX(int p) const { return W_ * (2 * p - 1) / (2.0 * positions_); }

  double FigureY() const {
    if (!texts_) return H_ / 2;
    if (kind_ == CellKind::Beam) return (H_ + extra_ * kRowHeight) / 2;
    return extra_ == 2 ? H_ / 2 : H_ / 2 - kRowHeight / 2;
  }

  void Line(double x1, double y1, double x2, double y2) {
    f_.Elements.push_back(LineElement(cornerX_ + x1, cornerY_ + y1, cornerX_ + x2, cornerY_ + y2));
  }

  void Text(std::string_view S, double x, double y) {
    f_.Texts.push_back(ToFullWidth(S));
    RDrawElement e = ZeroElement();
    f_.MakeTextElement(e, f_.Texts.back(), cornerX_ + x, cornerY_ + y, f_.Angle,
                       static_cast<std::int32_t>(f_.Texts.size()) - 1, 6, RcSectionDefaults.RcTextStyle);
    f_.Elements.push_back(e);
  }

  void AddDividers() {
    const double R = kRowHeight;
    for (int j = 1; j < positions_; ++j) {
      const double x = j * W_ / positions_;
      Line(x, H_ - 2 * R, x, H_ - 3 * R);
      const bool deep = extra_ == 2;
      switch (kind_) {
        case CellKind::Beam: Line(x, (extra_ + 3) * R, x, (extra_ + 1) * R); break;
        case CellKind::Column: Line(x, deep ? 3 * R : 2 * R, x, deep ? 2 * R : R); break;
        case CellKind::Pile: Line(x, deep ? 3 * R : 2 * R, x, deep ? R : 0.0); break;
      }
    }
  }

  void AddPositions() {
    const RFirstData3& d = FirstData3;
    if (texts_) {
      for (int p = 1; p <= positions_; ++p) {
        const double x = PositionX(p);
        Text(PositionName(p), x, H_ - 5 * kRowHeight / 2);
        switch (kind_) {
          case CellKind::Beam:
            Text(CountText(RcBarCount(2 * p - 1) + RcBarCount(2 * p + 5), d.RcMainBar), x, MainBarRowY() + kRowHeight);
            Text(CountText(RcBarCount(2 * p) + RcBarCount(2 * p + 6), d.RcMainBar), x, MainBarRowY());
            break;
          case CellKind::Column:
            // Corner bars count once though they belong to two faces.
            Text(CountText(2 * (RcBarCount(2 * p - 1) + RcBarCount(2 * p)) - 4, d.RcMainBar), x, MainBarRowY());
            break;
          case CellKind::Pile: Text(CountText(RcBarCount(p), d.RcMainBar), x, MainBarRowY()); break;
        }
      }
    }
    TRCDanmenobj sections(f_.Scale);
    for (int p = 1; p <= positions_; ++p) {
      const double x = cornerX_ + PositionX(p);
      const double y = cornerY_ + FigureY();
      const auto position = static_cast<std::uint8_t>(p);
      switch (kind_) {
        case CellKind::Beam: sections.MakeBeamSection(position, x, y); break;
        case CellKind::Column: sections.MakeColumnSection(position, x, y); break;
        case CellKind::Pile: sections.MakeCircularSection(position, x, y); break;
      }
    }
    f_.Elements.insert(f_.Elements.end(), sections.Elements.begin(), sections.Elements.end());
    if (kind_ != CellKind::Pile || !texts_) return;
    for (int p = 1; p <= positions_; ++p) {
      Text(p == 1 ? HoopText(d.RcHoopBar, d.RcHoopPitch) : HoopText(d.RcPileHoopBar2, d.RcPileHoopPitch2), PositionX(p),
           HoopRowY());
    }
  }

  TBuzaidanmenobj& f_;
  CellKind kind_;
  double W_ = 0.0;
  double H_ = 0.0;
  double cornerX_ = 0.0;
  double cornerY_ = 0.0;
  bool texts_ = true;
  int extra_ = 0;
  int positions_ = 0;
};

}  // namespace

void TBuzaidanmenobj::MakeRcBeamListCell() { RcListCell(*this, CellKind::Beam).Build(); }

void TBuzaidanmenobj::MakeRcColumnListCell() { RcListCell(*this, CellKind::Column).Build(); }

void TBuzaidanmenobj::MakeRcPileListCell() { RcListCell(*this, CellKind::Pile).Build(); }

void TBuzaidanmenobj::AddHoopPictogram(std::uint8_t Rows, std::uint8_t Cols, double X, double Y) {
  const double h = kPictogramHalfSide;
  auto line = [&](double x1, double y1, double x2, double y2) { Elements.push_back(LineElement(x1, y1, x2, y2)); };
  line(X - h, Y - h, X - h, Y + h);
  line(X + h, Y - h, X + h, Y + h);
  line(X - h, Y - h, X + h, Y - h);
  line(X - h, Y + h, X + h, Y + h);
  for (int j = 1; j + 1 < Rows; ++j) {
    const double y = Y - h + j * 2 * h / (Rows - 1);
    line(X - h, y, X + h, y);
  }
  for (int j = 1; j + 1 < Cols; ++j) {
    const double x = X - h + j * 2 * h / (Cols - 1);
    line(x, Y - h, x, Y + h);
  }
}

void TBuzaidanmenobj::MakeRcBarMark() {
  const double s = RcSectionDefaults.RcSymbolSize / Scale;
  SetBoxOffset(s, s, 0.0);
  Texts.clear();
  Elements.clear();
  const double cornerX = BaseX + OffsetX;
  const double cornerY = BaseY + OffsetY;
  TRCDanmenobj symbol(Scale);
  symbol.MakeBarSymbol(FirstData3.RcMainBar, cornerX + s / 2, cornerY + s / 2);
  for (RDrawElement e : symbol.Elements) {
    if (Angle != 0.0) TurnFigureElement(e, Angle, cornerX, cornerY, false);
    Elements.push_back(e);
  }
}
