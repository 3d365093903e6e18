// The frame every figure kind shares: creation, the kind table, box offsets,
// text elements, placement and the reference lines.

#include "figures/sections/section_generator.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/angles_points.h"
#include "tools/edit/area_table_labels.h"
#include "tools/settings/default_settings.h"

namespace {

// Kinds built here; the rows of other kinds are added where they are built.
constexpr RFigureKindRow kBuiltInKinds[] = {
    {0, 0, [](TBuzaidanmenobj& f) { f.MakeHSection(); }, true},
    {1, 1, [](TBuzaidanmenobj& f) { f.MakeSquareTube(); }, true},
    {2, 2, [](TBuzaidanmenobj& f) { f.MakePipe(); }, true},
    {3, 3, [](TBuzaidanmenobj& f) { f.MakeLipChannel(); }, true},
    {4, 4, [](TBuzaidanmenobj& f) { f.MakeAngle(); }, true},
    {5, 5, [](TBuzaidanmenobj& f) { f.MakeChannel(); }, true},
    {6, 6, [](TBuzaidanmenobj& f) { f.MakeCutTee(); }, true},
    {7, 7, [](TBuzaidanmenobj& f) { f.MakeISection(); }, true},
    {8, 8, [](TBuzaidanmenobj& f) { f.MakeTwoThicknessAngle(); }, true},
    {9, 9, [](TBuzaidanmenobj& f) { f.MakeLightChannel(); }, true},
    {10, 10, [](TBuzaidanmenobj& f) { f.MakeLightAngle(); }, true},
    {11, 11, [](TBuzaidanmenobj& f) { f.MakeLineChannel(); }, true},
    {20, 22, [](TBuzaidanmenobj& f) { f.MakeRepeatedProfile(); }, false},
    {30, 30, [](TBuzaidanmenobj& f) { f.MakeRcBeamListCell(); }, true},
    {31, 31, [](TBuzaidanmenobj& f) { f.MakeRcColumnListCell(); }, true},
    {32, 32, [](TBuzaidanmenobj& f) { f.MakeRcPileListCell(); }, true},
    {33, 33, [](TBuzaidanmenobj& f) { f.MakeRcBarMark(); }, true},
    {90, 90, [](TBuzaidanmenobj& f) { f.MakeLabelledSymbol(); }, false},
    {91, 94, [](TBuzaidanmenobj& f) { f.MakeHookMark(f.Kind - 91); }, false},
    {95, 95, [](TBuzaidanmenobj& f) { f.MakeLineMarks(); }, false},
    {110, 112, [](TBuzaidanmenobj& f) { f.MakeArrowhead(f.Kind - 110); }, false},
    {100, 100, [](TBuzaidanmenobj& f) { f.MakeLineSymbol(); }, false},
};

std::vector<RFigureKindRow>& RegisteredKinds() {
  static std::vector<RFigureKindRow> rows;
  return rows;
}

const RFigureKindRow* FindKind(std::uint8_t kind) {
  const auto& registered = RegisteredKinds();
  for (auto row = registered.rbegin(); row != registered.rend(); ++row) {
    if (row->FirstKind <= kind && kind <= row->LastKind) return &*row;
  }
  for (const RFigureKindRow& row : kBuiltInKinds) {
    if (row.FirstKind <= kind && kind <= row.LastKind) return &row;
  }
  return nullptr;
}

// The key of a reference line: the distance from (x, y) to its perpendicular
// foot, or to its point when both ends coincide.
double ReferenceKey(const RDrawElement& line, double x, double y) {
  double fx = line.X1;
  double fy = line.Y1;
  PerpendicularFoot(fx, fy, line.X1, line.Y1, line.X2, line.Y2, x, y);
  return PointDistance(x, y, fx, fy);
}

}  // namespace

void RegisterFigureKinds(std::span<const RFigureKindRow> Rows) {
  auto& registered = RegisteredKinds();
  for (const RFigureKindRow& row : Rows) {
    if (row.Producer != nullptr) registered.push_back(row);
  }
}

FigureKindRegistrationScope::FigureKindRegistrationScope() : saved_(RegisteredKinds()) {}

FigureKindRegistrationScope::~FigureKindRegistrationScope() { RegisteredKinds() = std::move(saved_); }

TBuzaidanmenobj::TBuzaidanmenobj(std::span<const RTextStyle> Styles, double Scale) : Scale(Scale) {
  CopyStyles(Styles);
}

RDrawElement TBuzaidanmenobj::NoReference() {
  RDrawElement e = ZeroElement();
  e.Kind = kKindNone;
  return e;
}

void TBuzaidanmenobj::CopyStyles(std::span<const RTextStyle> From) {
  std::copy_n(From.begin(), std::min(From.size(), Styles.size()), Styles.begin());
}

void TBuzaidanmenobj::SetStylesAndScale(std::span<const RTextStyle> Styles, double Scale) {
  if (std::abs(this->Scale - Scale) > 1.0) FirstData5.FittingReload = 1;
  this->Scale = Scale;
  CopyStyles(Styles);
}

void TBuzaidanmenobj::Generate(std::uint8_t Kind, double X, double Y, double D1, double D2, double D3, double D4,
                               double D5, double D6, double Angle) {
  BaseX = X;
  BaseY = Y;
  this->D1 = D1;
  this->D2 = D2;
  this->D3 = D3;
  this->D4 = D4;
  this->D5 = D5;
  this->D6 = D6;
  this->Angle = Angle;
  this->Kind = Kind;
  const RFigureKindRow* row = FindKind(Kind);
  if (row == nullptr) return;
  // A figure divided by a zero or broken scale would be all NaN or infinite.
  if (row->DividesByScale && !(std::isfinite(Scale) && Scale != 0.0)) return;
  row->Producer(*this);
}

void TBuzaidanmenobj::JustifyText(double& X1, double& Y1, double& X2, double& Y2, double Angle, std::string_view Text,
                                  std::uint8_t Justify, std::uint8_t Style) const {
  PlaceAreaLabel(AreaLabelStyle(Styles, Style), Angle, X1, Y1, Justify, Text, Y2, X2);
}

void TBuzaidanmenobj::MakeTextElement(RDrawElement& E, std::string_view Text, double X, double Y, double Angle,
                                      std::int32_t TextIndex, std::uint8_t Justify, std::uint8_t Style) const {
  E.Kind = kKindText;
  E.LineType = 1;
  E.ColorNo = 1;
  E.Group = 0;
  E.Layer = 0;
  E.TextAngle = static_cast<float>(Angle);
  E.TextIndex = static_cast<std::uint16_t>(TextIndex);
  E.TextStyle = Style;
  E.TextDirection = 0;
  double x1 = X;
  double y1 = Y;
  double x2 = X;
  double y2 = Y;
  JustifyText(x1, y1, x2, y2, Angle, Text, Justify, Style);
  E.X1 = x1;
  E.Y1 = y1;
  E.X2 = x2;
  E.Y2 = y2;
}

bool TBuzaidanmenobj::StoreBoxOffset(double x, double y, double TurnAngle) {
  if (DraftDefaults.FigureBasePoint > 8) return false;
  RotateAboutCentre(x, y, TurnAngle, 0.0, 0.0);
  OffsetX = x;
  OffsetY = y;
  return true;
}

void TBuzaidanmenobj::SetBoxOffset(double W, double H, double Gap) { SetMirroredBoxOffset(1, W, H, Gap, 0.0); }

void TBuzaidanmenobj::SetMirroredBoxOffset(std::int32_t Sign, double W, double H, double Gap, double Lift) {
  const std::uint8_t code = DraftDefaults.FigureBasePoint;
  // Columns left, centre, right; rows top, middle, bottom.
  const double x = code <= 2 ? Gap : code <= 5 ? -W / 2 : -W - Gap;
  const double rows[3] = {-H - 2 * Lift, -H / 2, Lift};
  StoreBoxOffset(x, rows[code % 3], Sign * Angle);
}

void TBuzaidanmenobj::SetSizeBoxOffset() { SetBoxOffset(D2, D1, 0.0); }

void TBuzaidanmenobj::SetSquareBoxOffset() { SetBoxOffset(D1, D1, 0.0); }

void TBuzaidanmenobj::SetSteelOffset(double W, double gx) {
  const std::uint8_t code = DraftDefaults.FigureBasePoint;
  const double gy = ToolDefaults.SteelTextOffsetY / Scale;
  const int column = code / 3;
  const int row = code % 3;
  double x = 0.0;
  double y = 0.0;
  if (ToolDefaults.SteelTextMode == 1) {
    const double xs[3] = {gx, 0.0, -gx};
    const double ys[3] = {-gy, 0.0, gy};
    x = xs[std::min(column, 2)];
    y = ys[row];
  } else {
    const double xs[3] = {gx, -W / 2, -W - gx};
    const double ys[3] = {-D1 - gy, -D1 / 2, gy};
    x = xs[std::min(column, 2)];
    y = ys[row];
  }
  StoreBoxOffset(x, y, Angle);
}

void TBuzaidanmenobj::SetSteelBoxOffset() { SetSteelOffset(D2, ToolDefaults.SteelTextOffsetX / Scale); }

void TBuzaidanmenobj::SetDoubleSteelBoxOffset() { SetSteelOffset(2 * D2, 2 * ToolDefaults.SteelTextOffsetX / Scale); }

std::uint8_t TBuzaidanmenobj::BaseJustification() const {
  static constexpr std::uint8_t kJustifyOfCode[9] = {7, 8, 0, 5, 6, 1, 4, 3, 2};
  const std::uint8_t code = DraftDefaults.FigureBasePoint;
  return code <= 8 ? kJustifyOfCode[code] : 0;
}

void TBuzaidanmenobj::PlaceLocalFigure(std::vector<RDrawElement> Local) {
  const double cornerX = BaseX + OffsetX;
  const double cornerY = BaseY + OffsetY;
  auto place = [&](double& x, double& y) {
    RotateAboutCentre(x, y, Angle, 0.0, 0.0);
    x += cornerX;
    y += cornerY;
  };
  for (RDrawElement& e : Local) {
    double x1 = e.X1;
    double y1 = e.Y1;
    place(x1, y1);
    e.X1 = x1;
    e.Y1 = y1;
    if (e.Kind == kKindArc) {
      e.Rotation = static_cast<float>(Angle);
    } else {
      double x2 = e.X2;
      double y2 = e.Y2;
      place(x2, y2);
      e.X2 = x2;
      e.Y2 = y2;
    }
  }
  Elements = std::move(Local);
}

void TBuzaidanmenobj::AddReferenceLine(const RDrawElement& E) {
  if (E.Kind != kKindLine) return;
  RDrawElement copy = E;
  copy.Selection = 0;
  ReferenceLines.push_back(copy);
}

void TBuzaidanmenobj::ClearReferenceLines() { std::vector<RDrawElement>().swap(ReferenceLines); }

void TBuzaidanmenobj::SortReferenceLines(double X, double Y) {
  const std::size_t n = ReferenceLines.size();
  std::vector<double> keys(n);
  for (std::size_t i = 0; i < n; ++i) keys[i] = ReferenceKey(ReferenceLines[i], X, Y);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    std::size_t nearest = i + 1;
    for (std::size_t j = i + 2; j < n; ++j) {
      if (keys[j] < keys[nearest]) nearest = j;
    }
    if (keys[nearest] < keys[i]) {
      std::swap(ReferenceLines[i], ReferenceLines[nearest]);
      std::swap(keys[i], keys[nearest]);
    }
  }
}

void TBuzaidanmenobj::SetReferenceElement(const RDrawElement& E, std::uint8_t Which) {
  (Which == 1 ? Reference1 : Reference2) = E;
}
