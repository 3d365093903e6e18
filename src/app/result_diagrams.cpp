// The result diagrams of each member (moment, shear, axial force, deflected
// shape) with their value labels, the view buttons that show one of them at
// a time, the scale box and the fixed display range.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include <cmath>

#include "app/main_frame.h"
#include "app/text_report.h"
#include "canvas/cad_box.h"
#include "geometry/angles_points.h"
#include "geometry/number_format.h"

namespace {

constexpr double kCmToMmResultDiagrams = 10.0;
// A diagram's largest ordinate, real millimetres.
constexpr double kOrdinateLength = 400.0;

struct Point {
  double x = 0, y = 0;
};

Point Polar(double angle, double length, Point from) {
  Point p;
  PolarPoint(p.x, p.y, NormalizeAngle360(angle), length, from.x, from.y);
  return p;
}

}  // namespace

namespace {

// One member as the diagrams see it: its ends in real millimetres, its
// direction and length.
struct MemberGeometry {
  Point i, j;
  double theta = 0, length = 0;
};

MemberGeometry GeometryOf(const RFrameModel& model, int nodeI, int nodeJ, double dx, double dy) {
  MemberGeometry g;
  g.i = {kCmToMmResultDiagrams * model.NodeX[nodeI] + dx, kCmToMmResultDiagrams * model.NodeY[nodeI] + dy};
  g.j = {kCmToMmResultDiagrams * model.NodeX[nodeJ] + dx, kCmToMmResultDiagrams * model.NodeY[nodeJ] + dy};
  g.theta = DirectionAngleDeg(g.i.x, g.i.y, g.j.x, g.j.y);
  g.length = PointDistance(g.i.x, g.i.y, g.j.x, g.j.y);
  return g;
}

}  // namespace

void TMatNini1::DrawMomentDiagram(int nodeI, int nodeJ, double mi, double mj, double mc, double momentMax) {
  if (std::abs(momentMax) < 0.01) return;
  const double s = cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups];
  const double d = s / 80;
  const MemberGeometry g = GeometryOf(Model(), nodeI, nodeJ, 0, 0);
  const bool shortMember = (g.length / kCmToMmResultDiagrams) / s < 1.8 && CheckBox3->isChecked();
  auto ordinate = [&](double v) { return std::abs(v) / momentMax * kOrdinateLength; };
  // The diagram lies on the tension side.
  const Point pi = Polar(mi >= 0 ? g.theta + 90 : g.theta - 90, ordinate(mi), g.i);
  const Point pj = Polar(mj < 0 ? g.theta + 90 : g.theta - 90, ordinate(mj), g.j);
  const Point middle{(g.i.x + g.j.x) / 2, (g.i.y + g.j.y) / 2};
  const Point pm = Polar(mc < 0 ? g.theta + 90 : g.theta - 90, ordinate(mc), middle);
  cadBox1.AddLine(1, 1, g.i.x, g.i.y, pi.x, pi.y, true);
  cadBox1.AddLine(1, 1, pi.x, pi.y, pm.x, pm.y, true);
  cadBox1.AddLine(1, 1, pm.x, pm.y, pj.x, pj.y, true);
  cadBox1.AddLine(1, 1, pj.x, pj.y, g.j.x, g.j.y, true);

  const Point midAnchor = Polar(g.theta, (g.length - 950 * d) / 2, Polar(g.theta - 90, 410 * d, g.i));
  const bool hideZero = CheckBox1->isChecked();
  auto labelI = [&] {
    if (hideZero && std::abs(mi) < 0.00001) return;
    cadBox1.AddText(Format(" %-3.2f", {mi}), 2, g.i.x, g.i.y, g.theta, 0);
  };
  auto labelJ = [&] {
    if (hideZero && std::abs(mj) < 0.00001) return;
    cadBox1.AddText(Format(" %3.2f", {mj}), 2, g.j.x, g.j.y, NormalizeAngle360(g.theta + 180), 0);
  };
  auto labelMiddle = [&] { cadBox1.AddText(Format(" %-3.2fc", {mc}), 2, midAnchor.x, midAnchor.y, g.theta, 0); };

  if (!shortMember) {
    labelI();
    labelJ();
    if (!CheckBox2->isChecked() && !(hideZero && std::abs(mc) < 0.00001)) labelMiddle();
    return;
  }
  // A short member carries only its largest value.
  const double ai = std::abs(mi), aj = std::abs(mj), ac = std::abs(mc);
  if (ai >= aj && ai >= ac) {
    labelI();
  } else if (aj > ai && aj > ac) {
    labelJ();
  } else if (!(hideZero && ac < 0.00003)) {
    labelMiddle();
  }
}

// Shear and axial force: the ordinates stand at the ends, a positive value at
// I and a negative one at J on the same side whatever the member's direction.
void TMatNini1::ForceDiagram(int nodeI, int nodeJ, double atI, double atJ, double labelI, double labelJ, double scale,
                             double dx, double dy, std::uint8_t colour) {
  if (std::abs(scale) < 0.01) return;
  const double s = cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups];
  const MemberGeometry g = GeometryOf(Model(), nodeI, nodeJ, dx, dy);
  const bool shortMember = (g.length / kCmToMmResultDiagrams) / s < 1.8 && CheckBox3->isChecked();
  const bool forward = g.theta <= 90.1 || g.theta > 270.1;
  double sideI = atI > 0 ? g.theta + 90 : g.theta - 90;
  double sideJ = atJ > 0 ? g.theta - 90 : g.theta + 90;
  if (!forward) {
    sideI = atI > 0 ? g.theta - 90 : g.theta + 90;
    sideJ = atJ > 0 ? g.theta + 90 : g.theta - 90;
  }
  const Point pi = Polar(sideI, std::abs(atI) / scale * kOrdinateLength, g.i);
  const Point pj = Polar(sideJ, std::abs(atJ) / scale * kOrdinateLength, g.j);
  cadBox1.AddLine(colour, 1, g.i.x, g.i.y, pi.x, pi.y, true);
  cadBox1.AddLine(colour, 1, pi.x, pi.y, pj.x, pj.y, true);
  cadBox1.AddLine(colour, 1, pj.x, pj.y, g.j.x, g.j.y, true);

  const bool hideZero = CheckBox1->isChecked();
  auto drawI = [&] {
    if (hideZero && std::abs(labelI) < 0.00001) return;
    cadBox1.AddText(Format(" %-3.2f", {labelI}), 2, g.i.x, g.i.y, g.theta, 0);
  };
  auto drawJ = [&] {
    if (hideZero && std::abs(labelJ) < 0.00001) return;
    cadBox1.AddText(Format(" %3.2f", {labelJ}), 2, g.j.x, g.j.y, NormalizeAngle360(g.theta + 180), 0);
  };
  if (std::abs(atI + atJ) < 0.0001) {  // the same force at both ends
    drawI();
  } else if (!shortMember) {
    drawI();
    drawJ();
  } else if (std::abs(atI) > std::abs(atJ)) {
    drawI();
  } else {
    drawJ();
  }
}

void TMatNini1::DrawShearDiagram(int nodeI, int nodeJ, double qi, double qj, double shearMax, double dx, double dy) {
  ForceDiagram(nodeI, nodeJ, qi, qj, qi, -qj, shearMax, dx, dy, 1);
}

void TMatNini1::DrawAxialDiagram(int nodeI, int nodeJ, double ni, double nj, double axialMax, double dx, double dy) {
  // Lime for tension, aqua for compression.
  ForceDiagram(nodeI, nodeJ, ni, nj, -ni, nj, axialMax, dx, dy, nj >= 0 ? 3 : 1);
}

// The reference displacement DeflectionMax is settled once per calculation
// before the first member is drawn, so every member shares one scale.
void TMatNini1::DrawDeflection(int nodeI, int nodeJ, double, double) {
  const RFrameModel& m = Model();
  const double s = cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups];
  const double d = s / 80;
  const MemberGeometry g = GeometryOf(m, nodeI, nodeJ, 0, 0);
  const auto& di = m.Displacement[nodeI];
  const auto& dj = m.Displacement[nodeJ];
  const double factor = 300 / DeflectionMax;
  cadBox1.AddLine(1, 2, g.i.x + di[1] * factor, g.i.y + di[2] * factor, g.j.x + dj[1] * factor, g.j.y + dj[2] * factor,
                  true);
  if (!AnyNonZero(dj[1], dj[2], 0, 0, 0, 0, 0, 0)) return;
  const Point anchor = Polar(g.theta, g.length - 1200 * d, Polar(g.theta - 90, 210 * d, g.i));
  cadBox1.AddText(Format("%2.2f:%2.2f", {dj[1], -dj[2]}), 2, anchor.x, anchor.y, g.theta, 0);
}

void TMatNini1::SpeedButton2Click() {
  for (QWidget* w : std::initializer_list<QWidget*>{Shape1, Shape2, Label2, Label3, Label4}) w->setVisible(false);
  // Layers 1 to 6 of group 0 by the pressed view button.
  std::array<std::uint8_t, 7> states = {0, 2, 2, 0, 0, 0, 0};
  if (SpeedButton2->isChecked()) {
    Label4->setVisible(true);
  } else if (SpeedButton3->isChecked()) {
    states = {0, 2, 0, 2, 0, 0, 0};
  } else if (SpeedButton4->isChecked()) {
    states = {0, 2, 0, 0, 2, 0, 0};
  } else if (SpeedButton5->isChecked()) {
    states = {0, 2, 0, 0, 0, 2, 0};
    for (QWidget* w : std::initializer_list<QWidget*>{Shape1, Shape2, Label2, Label3}) w->setVisible(true);
  } else if (SpeedButton6->isChecked()) {
    states = {0, 2, 0, 0, 0, 0, 2};
  }
  for (int layer = 1; layer <= 6; ++layer) cadBox1.Draw1->LayerStates[static_cast<std::size_t>(layer)] = states[layer];
  cadBox1.RedrawAll(false);
}

void TMatNini1::ComboBox1Change() {
  const double v = SelectedScale();
  cadBox1.SetFocus();
  double& scale = cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups];
  if (std::abs(scale - v) < 0.000001) return;
  const double factor = scale / v;
  scale = v;
  cadBox1.RescaleWriteGroup(factor);
  cadBox1.RefitAllTextEnds();
  ToolButton9Click();
  cadBox1.SetFocus();
}

void TMatNini1::SpeedButton1Click() {
  cadBox1.StoreFixedView();
  cadBox1.View_hani_Kotei = SpeedButton1->isChecked();
}
