// Styles 13 to 18 of the continuous-line tool: the empty frames of RC
// section lists (beam, column, pile) with their row labels, and the
// measuring styles that store the sizes the section-list cells and the door
// and window elevations use.
//
// These styles are the only writers of the section-list cell sizes and of
// the measured fitting width while the program runs.

#include <algorithm>
#include <cmath>
#include <string_view>

#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "tools/edit/area_table_labels.h"
#include "tools/lines/continuous_line.h"
#include "tools/settings/default_settings.h"

namespace {

// Fixed sizes of a frame, drawing mm.
constexpr double kLabelRowHeight = 5.0;
constexpr double kLabelColumnWidth = 25.0;

// A label and where it sits in its band: a start row (counted from the
// band's start), an end row (counted from its far end), or the middle.
enum class Row { Start, End, Floor, Figure };

struct Label {
  std::string_view text;  // UTF-8
  Row row;
  int number;  // start or end row, from 1
};

// The labels of one band in the order they are made; Kind 0 beam, 1 column,
// 2 pile.
std::vector<Label> BandLabels(int kind, std::uint8_t mode) {
  std::vector<Label> labels{
      {"符号", Row::Start, 1}, {kind == 2 ? "杭径" : "ＢＸＤ", Row::Start, 2}, {"位置", Row::Start, 3}};
  const bool plainModes = mode == 1 || mode == 2;
  if (kind == 0) {
    if (mode == 0 || mode >= 3) labels.push_back({"幅止メ筋", Row::End, 1});
    if (mode == 2) labels.push_back({"腹筋", Row::End, 1});
    if (mode == 0) labels.push_back({"腹筋", Row::End, 2});
    const int j = mode == 1 ? 0 : mode == 2 ? 1 : 2;
    labels.push_back({"ＳＴ", Row::End, 1 + j});
    labels.push_back({"下バ筋", Row::End, 2 + j});
    labels.push_back({"上バ筋", Row::End, 3 + j});
  } else {
    if (!plainModes) labels.push_back({"ダイヤフ－プ", Row::End, 1});
    labels.push_back({"フ－プ", Row::End, plainModes ? 1 : 2});
    labels.push_back({"主筋", Row::End, plainModes ? 2 : 3});
  }
  if (kind != 2) labels.push_back({"階", Row::Floor, 0});
  labels.push_back({"断面図", Row::Figure, 0});
  return labels;
}

}  // namespace

void TRenzokuSenobj::PlaceText(double& X, double& Y, std::uint8_t Style, std::uint8_t Justification,
                               const std::string& Text, double Angle, double& X2, double& Y2) const {
  PlaceAreaLabel(AreaLabelStyle(TextStyles, Style), Angle, X, Y, Justification, Text, Y2, X2);
}

void TRenzokuSenobj::MakeText(RDrawElement& Element, const std::string& Text, double X, double Y, double Angle,
                              std::uint16_t Index, std::uint8_t Justification, std::uint8_t Style) const {
  double x2 = 0.0, y2 = 0.0;
  PlaceText(X, Y, Style, Justification, Text, Angle, x2, y2);
  Element.Kind = kKindText;
  Element.LineType = 1;
  Element.ColorNo = 1;
  Element.Group = 0;
  Element.Layer = 0;
  Element.TextStyle = Style;
  Element.TextDirection = 0;
  Element.TextAngle = static_cast<float>(Angle);
  Element.TextIndex = Index;
  Element.X1 = X;
  Element.Y1 = Y;
  Element.X2 = x2;
  Element.Y2 = y2;
}

void TRenzokuSenobj::BuildBeamSectionList(double PX, double PY, double BaseAngle, double, double SetLength) {
  BuildSectionList(0, PX, PY, BaseAngle, SetLength);
}

void TRenzokuSenobj::BuildColumnSectionList(double PX, double PY, double BaseAngle, double, double SetLength) {
  BuildSectionList(1, PX, PY, BaseAngle, SetLength);
}

void TRenzokuSenobj::BuildPileSectionList(double PX, double PY, double BaseAngle, double, double SetLength) {
  BuildSectionList(2, PX, PY, BaseAngle, SetLength);
}

void TRenzokuSenobj::BuildSectionList(int Kind, double PX, double PY, double BaseAngle, double SetLength) {
  // The frame is one rectangle: a second click fixes it and every further
  // click is taken back, leaving the frame and its labels as they are.
  if (PointCount > 2) {
    RemoveLastPoint();
    return;
  }
  if (PointCount == 2) return;
  const double ax = PointX[1], ay = PointY[1];
  if (PointDistance(ax, ay, PX, PY) < 0.00001) return;
  const int bands = DraftDefaults.DivisionCount;
  if (bands == 0) return;  // a band height of 1/0 would be stored
  Texts.clear();
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, 0.0, SetLength);
  Elements.clear();
  double c1x = ax, c1y = ay, c2x = ax, c2y = ay;
  BoxCorners(ax, ay, PX, PY, BaseAngle, c1x, c1y, c2x, c2y);
  const double height = PointDistance(ax, ay, c2x, c2y);
  const double p = height / bands;
  FirstData3.SectionListHeight = p;

  // u along the frame towards C1, v across it towards E; a side of zero
  // length takes the direction of the axes.
  double ux = 0.0, uy = 0.0, vx = 0.0, vy = 0.0;
  PolarPoint(ux, uy, BaseAngle, 1.0, 0.0, 0.0);
  vx = -uy;
  vy = ux;
  if ((c1x - ax) * ux + (c1y - ay) * uy < 0.0) ux = -ux, uy = -uy;
  if ((c2x - ax) * vx + (c2y - ay) * vy < 0.0) vx = -vx, vy = -vy;
  auto across = [&](double off) {
    Elements.push_back(LineElement(ax + off * vx, ay + off * vy, c1x + off * vx, c1y + off * vy));
  };

  const std::uint8_t mode = RcSectionDefaults.SectionListRowMode;
  int endRows = mode == 1 || mode == 2 ? 2 : 3;
  if (Kind == 0) endRows = mode == 1 ? 3 : mode == 2 ? 4 : 5;
  for (int k = 0; k <= bands; ++k) {
    across(k * p);
    if (k < bands) {
      for (int i = 1; i <= 3; ++i) across(k * p + i * kLabelRowHeight);
    }
    if (k >= 1) {
      for (int i = 1; i <= endRows; ++i) across(k * p - i * kLabelRowHeight);
    }
  }
  Elements.push_back(LineElement(ax, ay, c2x, c2y));
  Elements.push_back(LineElement(e.x, e.y, c1x, c1y));
  const double lx = ax + kLabelColumnWidth * ux, ly = ay + kLabelColumnWidth * uy;
  Elements.push_back(LineElement(lx, ly, c2x + kLabelColumnWidth * ux, c2y + kLabelColumnWidth * uy));

  const double width = RcSectionDefaults.SectionListColumnWidth;
  const std::int32_t columns = width > 0.0 ? CountWithin(PointDistance(lx, ly, c1x, c1y) / width, kMaxRepeatCount) : 0;
  if (columns == 0) return;
  FirstData3.SectionListWidth = width;
  for (std::int32_t j = 1; j <= columns; ++j) {
    const double along = kLabelColumnWidth + j * width;
    RDrawElement column = LineElement(ax + along * ux, ay + along * uy, c2x + along * ux, c2y + along * uy);
    column.LineType = 9;
    Elements.push_back(column);
  }

  const std::uint8_t style = RcSectionDefaults.SectionListTextStyle;
  const double middle = Kind == 0 ? (p - 15.0) / 2 : (p - 5.0) / 2;
  double shift = 0.0;
  if (Kind == 0) shift = mode == 1 ? 5.0 : mode == 2 ? 2.5 : 0.0;
  if (Kind != 0) shift = mode == 1 || mode == 2 ? 2.5 : 0.0;
  const std::vector<Label> labels = BandLabels(Kind, mode);
  for (int k = 1; k <= bands; ++k) {
    const double bx = ax + (k - 1) * p * vx, by = ay + (k - 1) * p * vy;
    for (const Label& label : labels) {
      double a = 12.5, c = 0.0;
      std::uint8_t justification = 6;
      switch (label.row) {
        case Row::Start: c = 5.0 * (label.number - 1) + 2.5; break;
        case Row::End: c = p - 5.0 * (label.number - 1) - 2.5; break;
        case Row::Floor:
          a = 14.5;
          c = middle - 2.5 + shift;
          justification = 7;
          break;
        case Row::Figure: c = middle + 2.5 + shift; break;
      }
      Texts.push_back(J(label.text));
      RDrawElement text = ZeroElement();
      MakeText(text, Texts.back(), bx + a * ux + c * vx, by + a * uy + c * vy, BaseAngle,
               static_cast<std::uint16_t>(Texts.size() - 1), justification, style);
      Elements.push_back(text);
    }
  }
}

void TRenzokuSenobj::BuildMeasuredCrosses(double PX, double PY, double BaseAngle, double, double SetLength) {
  if (BuildCrossesWithin(PX, PY, BaseAngle, SetLength, 0.0001)) MeasureCell(BaseAngle);
}

void TRenzokuSenobj::BuildMeasuredCrosses2(double PX, double PY, double BaseAngle, double, double SetLength) {
  if (BuildCrossesWithin(PX, PY, BaseAngle, SetLength, 0.00001)) MeasureCell(BaseAngle);
}

void TRenzokuSenobj::MeasureCell(double BaseAngle) {
  if (PointCount != 1) return;
  const double ax = PointX[1], ay = PointY[1];
  double c1x = ax, c1y = ay, c2x = ax, c2y = ay;
  BoxCorners(ax, ay, EndX, EndY, BaseAngle, c1x, c1y, c2x, c2y);
  FirstData3.SectionListHeight = PointDistance(ax, ay, c2x, c2y);
  FirstData3.SectionListWidth = PointDistance(ax, ay, c1x, c1y);
}

void TRenzokuSenobj::MeasureLength(double PX, double PY, double BaseAngle, double, double SetLength) {
  if (PointCount != 1) return;
  const double ax = PointX[1], ay = PointY[1];
  if (PointDistance(ax, ay, PX, PY) < 0.00001) return;
  const RPoint2D e = SnapEnd(PX, PY, BaseAngle, 0.0, SetLength);
  const double length = PointDistance(ax, ay, e.x, e.y);
  FirstData3.SectionListWidth = length;
  FittingDefaults.FitWidth = length * GroupScale;
  Elements.clear();
  Elements.push_back(LineElement(ax, ay, e.x, e.y));
}
