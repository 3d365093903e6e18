// The main frame: its layout, the input dialogs it opens, the input figure,
// the collection of the input and the calculation.

#include "app/main_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "app/coordinate_dialog.h"
#include "app/input_dialog_support.h"
#include "app/load_dialog.h"
#include "app/member_dialog.h"
#include "app/support_dialog.h"
#include "app/text_report.h"
#include "canvas/cad_box.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "platform/ctrl_grid.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Model coordinates are centimetres; the canvas takes real millimetres.
constexpr double kCmToMm = 10.0;

const char* const kScaleItems[] = {"10", "15",  "20",  "25",  "30",  "35",  "40",  "50", "60", "70", "80",
                                   "90", "100", "150", "200", "250", "300", "350", "1",  "3",  "5",  "8"};

QToolButton* ToolBarButton(QToolBar* bar, const char* caption, const char* hint = nullptr) {
  auto* button = new QToolButton(bar);
  button->setText(U(caption));
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (hint) button->setToolTip(U(hint));
  bar->addWidget(button);
  return button;
}

// Holds a row of controls at its full width, at least the row's own minimum:
// a row wider than a narrow screen runs off the right edge, as a panel of
// fixed controls does, instead of making the window wider than the screen
// or squeezing the controls over one another.
class ClippingStrip : public QWidget {
 public:
  ClippingStrip(QWidget* row, QWidget* parent) : QWidget(parent), row_(row) {
    row_->setParent(this);
    row_->installEventFilter(this);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  }
  QSize sizeHint() const override { return row_->sizeHint(); }
  QSize minimumSizeHint() const override { return {0, row_->minimumSizeHint().height()}; }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    PlaceRow();
  }
  // A legend shown or hidden changes the row's own minimum.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == row_ && event->type() == QEvent::LayoutRequest) {
      updateGeometry();
      PlaceRow();
    }
    return QWidget::eventFilter(watched, event);
  }

 private:
  void PlaceRow() { row_->setGeometry(0, 0, std::max(width(), row_->minimumSizeHint().width()), height()); }
  QWidget* row_;
};

QToolButton* ViewButton(QWidget* parent, QHBoxLayout* row, const char* caption) {
  auto* button = new QToolButton(parent);
  button->setText(U(caption));
  button->setCheckable(true);
  button->setAutoExclusive(true);
  row->addWidget(button);
  return button;
}

}  // namespace

TMatNini1::TMatNini1(QWidget* parent) : QWidget(parent), canvas_(std::make_unique<TcadBox>()), cadBox1(*canvas_) {
  // The canvas as the frame's form sets it.
  cadBox1.SetColor(clBlack);
  cadBox1.ButonType = dtNo;
  cadBox1.B_Switch = _off;
  cadBox1.Pentyp = 1;
  cadBox1.Pencol = 1;
  cadBox1.Penwidth = 1;
  cadBox1.Papa_No = 0;
  cadBox1.Mozi_No = 1;
  cadBox1.WriteGrupe_No = 0;
  cadBox1.WriteReiya_No = 0;
  cadBox1.View_hani_Kotei = false;
  cadBox1.RingHan = 0;
  cadBox1.Gridview = 0;
  cadBox1.Ringcol = cadBox1.Gridcolor1 = cadBox1.Gridcolor2 = clBlack;
  cadBox1.Sentakucol = cadBox1.Sentakucol2 = cadBox1.Sentakucol3 = cadBox1.Sentakucol4 = clBlack;
  cadBox1.DridoL1 = 5000;
  cadBox1.DridoL2 = 4000;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildTopToolBar();
  layout->addWidget(ToolBar2);
  auto* body = new QHBoxLayout;
  body->setSpacing(0);
  BuildLeftToolBar();
  body->addWidget(ToolBar1);
  BuildPages();
  body->addWidget(PageControl1, 1);
  layout->addLayout(body, 1);
}

TMatNini1::~TMatNini1() = default;

void TMatNini1::SetDialogs(Tkeizyo1* members, Tkeizyo2* loads, Tkeizyo3* coordinates, Tkeizyo4* supports) {
  keizyo1_ = members;
  keizyo2_ = loads;
  keizyo3_ = coordinates;
  keizyo4_ = supports;
}

void TMatNini1::BuildTopToolBar() {
  ToolBar2 = new QToolBar(this);
  ToolBar2->setMovable(false);
  ToolButton5 = ToolBarButton(ToolBar2, " 新規 ");
  ToolButton6 = ToolBarButton(ToolBar2, "ﾌｧｲﾙ開く");
  ToolButton7 = ToolBarButton(ToolBar2, "ﾌｧｲﾙ保存");
  ToolButton9 = ToolBarButton(ToolBar2, "計算", "応力計算実行");
  ToolButton13 = ToolBarButton(ToolBar2, "ｽﾄｯｸﾃﾞ-ﾀ開く", "Tivraｽﾄｯｸから座標ﾃﾞ-ﾀ-を読込む");
  ToolButton11 = ToolBarButton(ToolBar2, "ｽﾄｯｸへ出力", "Tivraｽﾄｯｸへ応力図ﾃﾞ-ﾀ-出力");
  for (QToolButton* b : {ToolButton5, ToolButton6, ToolButton7, ToolButton9, ToolButton13, ToolButton11}) {
    b->setMinimumWidth(80);
  }
  connect(ToolButton5, &QToolButton::clicked, this, [this] { ToolButton5Click(); });
  connect(ToolButton6, &QToolButton::clicked, this, [this] { ToolButton6Click(); });
  connect(ToolButton7, &QToolButton::clicked, this, [this] { ToolButton7Click(); });
  connect(ToolButton9, &QToolButton::clicked, this, [this] { ToolButton9Click(); });
  connect(ToolButton11, &QToolButton::clicked, this, [this] { ToolButton11Click(); });
  connect(ToolButton13, &QToolButton::clicked, this, [this] { ToolButton13Click(); });
}

void TMatNini1::BuildLeftToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setOrientation(Qt::Vertical);
  ToolBar1->setMovable(false);
  ToolButton1 = ToolBarButton(ToolBar1, "１座標入力 ");
  ToolButton2 = ToolBarButton(ToolBar1, "2部材入力");
  ToolButton3 = ToolBarButton(ToolBar1, "3支点入力");
  ToolButton4 = ToolBarButton(ToolBar1, "4荷重入力");
  connect(ToolButton1, &QToolButton::clicked, this, [this] { ToolButton1Click(); });
  connect(ToolButton2, &QToolButton::clicked, this, [this] { ToolButton2Click(); });
  connect(ToolButton3, &QToolButton::clicked, this, [this] { ToolButton3Click(); });
  connect(ToolButton4, &QToolButton::clicked, this, [this] { ToolButton4Click(); });
}

void TMatNini1::BuildPages() {
  PageControl1 = new QTabWidget(this);
  TabSheet1 = new QWidget(PageControl1);
  TabSheet2 = new QWidget(PageControl1);
  PageControl1->addTab(TabSheet1, U("入力・応力図"));
  PageControl1->addTab(TabSheet2, U(" 計算結果 "));

  auto* first = new QVBoxLayout(TabSheet1);
  first->setContentsMargins(0, 0, 0, 0);
  first->setSpacing(0);
  BuildPanel();
  first->addWidget(new ClippingStrip(Panel1, TabSheet1));
  first->addWidget(cadBox1.Widget(), 1);
  StatusBar1 = new QStatusBar(TabSheet1);
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->addWidget(new QLabel(U("変更後は必ず計算を実行してください。"), StatusBar1), 1);
  StatusBar1->addWidget(new QLabel(U("拡大縮小等はTivraと同じ操作"), StatusBar1), 1);
  first->addWidget(StatusBar1);

  auto* second = new QVBoxLayout(TabSheet2);
  second->setContentsMargins(0, 0, 0, 0);
  auto* panel2 = new QWidget(TabSheet2);
  auto* panel2Row = new QHBoxLayout(panel2);
  SpeedButton7 = new QPushButton(U("ﾃｷｽﾄﾌｧｲﾙ保存"), panel2);
  SpeedButton7->setToolTip(U("応力解析結果ﾃｷｽﾄﾌｧｲﾙに保存"));
  panel2Row->addWidget(SpeedButton7);
  panel2Row->addStretch(1);
  second->addWidget(panel2);
  Memo1 = new QPlainTextEdit(TabSheet2);
  QFont memoFont(QStringLiteral("IPAGothic"));
  memoFont.setPixelSize(16);
  Memo1->setFont(memoFont);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  second->addWidget(Memo1, 1);
  connect(SpeedButton7, &QPushButton::clicked, this, [this] { SpeedButton7Click(); });
}

void TMatNini1::BuildPanel() {
  Panel1 = new QWidget(TabSheet1);
  auto* row = new QHBoxLayout(Panel1);
  row->setContentsMargins(4, 2, 4, 2);
  SpeedButton2 = ViewButton(Panel1, row, "入力図");
  SpeedButton3 = ViewButton(Panel1, row, "Ｍ図(kN･m)");
  SpeedButton4 = ViewButton(Panel1, row, "Ｑ図(kN)");
  SpeedButton5 = ViewButton(Panel1, row, "Ｎ図(kN)");
  SpeedButton6 = ViewButton(Panel1, row, "変位図(cm)");
  SpeedButton2->setChecked(true);
  for (QToolButton* b : {SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6}) {
    connect(b, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  }
  SpeedButton1 = new QToolButton(Panel1);
  SpeedButton1->setText(U("表示範囲固定"));
  SpeedButton1->setCheckable(true);
  row->addWidget(SpeedButton1);
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });

  Label1 = new QLabel(U("S=1/"), Panel1);
  row->addWidget(Label1);
  ComboBox1 = new QComboBox(Panel1);
  for (const char* item : kScaleItems) ComboBox1->addItem(U(item));
  ComboBox1->setCurrentIndex(12);
  row->addWidget(ComboBox1);
  connect(ComboBox1, &QComboBox::activated, this, [this](int) { ComboBox1Change(); });

  CheckBox1 = new QCheckBox(U("0値は非表示"), Panel1);
  CheckBox2 = new QCheckBox(U("中央曲げ（C）は非表示"), Panel1);
  CheckBox3 = new QCheckBox(U("節点間の距離が短い場合最大応力のみ表示"), Panel1);
  for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3}) {
    c->setChecked(true);
    row->addWidget(c);
  }

  auto legendBar = [&](const char* colour) {
    auto* bar = new QFrame(Panel1);
    bar->setFixedSize(24, 10);
    bar->setStyleSheet(QStringLiteral("background-color: %1;").arg(QLatin1String(colour)));
    row->addWidget(bar);
    return bar;
  };
  Shape1 = legendBar("#00ffff");
  Label2 = new QLabel(U("圧縮"), Panel1);
  row->addWidget(Label2);
  Shape2 = legendBar("#00ff00");
  Label3 = new QLabel(U("引張"), Panel1);
  row->addWidget(Label3);
  Label4 = new QLabel(U("[ ? ]-節点番号　　　( ? )-部材番号"), Panel1);
  row->addWidget(Label4);
  row->addStretch(1);
  for (QWidget* w : std::initializer_list<QWidget*>{Shape1, Shape2, Label2, Label3}) w->setVisible(false);
}

// ---- Input -----------------------------------------------------------------

void TMatNini1::OpenDialog(QWidget* dialog) {
  if (!dialog) return;
  ToolBar1->setEnabled(false);
  const QWidget* main = window();
  dialog->move(main->x() + 100, main->y() + 120);
  dialog->show();
  dialog->raise();
}

void TMatNini1::ToolButton1Click() { OpenDialog(keizyo3_); }
void TMatNini1::ToolButton2Click() { OpenDialog(keizyo1_); }
void TMatNini1::ToolButton3Click() { OpenDialog(keizyo4_); }
void TMatNini1::ToolButton4Click() { OpenDialog(keizyo2_); }

void TMatNini1::EnableToolBar() {
  ToolBar1->setEnabled(true);
  for (QToolButton* b : {ToolButton1, ToolButton2, ToolButton3, ToolButton4}) b->setEnabled(true);
}

void TMatNini1::ClearModel() {
  const auto userE = model_.UserE;
  const auto userG = model_.UserG;
  model_ = RFrameModel{};
  model_.UserE = userE;
  model_.UserG = userG;
}

double TMatNini1::GroupScale() const { return cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups]; }

void TMatNini1::SetLayer(int layer) { cadBox1.WriteReiya_No = static_cast<std::uint8_t>(layer); }

void TMatNini1::DrawNodes() {
  cadBox1.ClearDrawing();
  SetLayer(2);
  for (int n = 1; n <= model_.NodeCount; ++n) {
    const double x = kCmToMm * model_.NodeX[n], y = kCmToMm * model_.NodeY[n];
    cadBox1.AddPoint(1, 1, x, y, true);
    cadBox1.AddText(Format("[%2d]", {model_.NodeNo[n]}), 2, x + 10, y, 0, 0);
  }
}

void TMatNini1::DrawMembers() {
  for (int m = 1; m <= model_.MemberCount2; ++m) {
    const int i = model_.MemberI[m], j = model_.MemberJ[m];
    const double xi = kCmToMm * model_.NodeX[i], yi = kCmToMm * model_.NodeY[i];
    const double xj = kCmToMm * model_.NodeX[j], yj = kCmToMm * model_.NodeY[j];
    const double theta = DirectionAngleDeg(xi, yi, xj, yj);
    const std::uint8_t joint = model_.JointType[m];
    for (int layer = 2; layer <= 6; ++layer) {
      SetLayer(layer);
      cadBox1.AddLine(2, 1, xi, yi, xj, yj, true);
      // A pinned end shows a small circle just inside it.
      if (joint == kJointPinI || joint == kJointPinBoth) {
        double cx = 0, cy = 0;
        PolarPoint(cx, cy, theta, 40, xi, yi);
        cadBox1.AddArc(4, 1, cx, cy, 40, 1, 0, 0, 0, true);
      }
      if (joint == kJointPinJ || joint == kJointPinBoth) {
        double cx = 0, cy = 0;
        PolarPoint(cx, cy, NormalizeAngle360(theta + 180), 40, xj, yj);
        cadBox1.AddArc(4, 1, cx, cy, 40, 1, 0, 0, 0, true);
      }
    }
    SetLayer(2);
    cadBox1.AddText(Format("(%2d)", {m}), 2, (xi + xj) / 2, (yi + yj) / 2, theta, 0);
  }
}

void TMatNini1::DrawSupports() {
  struct Stroke {
    double x1, y1, x2, y2;
  };
  static const std::vector<Stroke> kFixed = {
      {-250, -50, 250, -50}, {-119, -50, -292, -350}, {50, -50, -123, -350}, {219, -50, 46, -350}};
  static const std::vector<Stroke> kPin = {{0, 0, -250, -433}, {0, 0, 250, -433}, {-250, -433, 255, -433}};
  static const std::vector<Stroke> kRollerX = {
      {0, 0, -250, -433}, {0, 0, 250, -433}, {-250, -433, 250, -433}, {-250, -633, 250, -633}};
  static const std::vector<Stroke> kRollerY = {
      {0, 0, -250, -433}, {0, 0, 250, -433}, {-250, -433, 250, -433}, {383, -150, 383, -583}};
  const double d = GroupScale() / 160;
  for (int n = 1; n <= model_.NodeCount; ++n) {
    const auto& f = model_.Fixity[n];
    const std::vector<Stroke>* symbol = nullptr;
    if (f[1] == 1 && f[2] == 1 && f[3] == 1)
      symbol = &kFixed;
    else if (f[1] == 1 && f[2] == 1 && f[3] == 0)
      symbol = &kPin;
    else if (f[1] == 0 && f[2] == 1 && f[3] == 0)
      symbol = &kRollerX;
    else if (f[1] == 1 && f[2] == 0 && f[3] == 0)
      symbol = &kRollerY;
    if (!symbol) continue;
    const double x = kCmToMm * model_.NodeX[n], y = kCmToMm * model_.NodeY[n];
    for (int layer = 2; layer <= 6; ++layer) {
      SetLayer(layer);
      for (const Stroke& s : *symbol) {
        cadBox1.AddLine(3, 1, x + s.x1 * d, y + s.y1 * d, x + s.x2 * d, y + s.y2 * d, true);
      }
    }
  }
}

void TMatNini1::ShowInputFigure() {
  SpeedButton2->setChecked(true);
  SpeedButton2Click();
}

void TMatNini1::RedrawAll() { cadBox1.RedrawAll(false); }

double TMatNini1::SelectedScale() const {
  double v = 100;
  if (!TryStrToFloat(Cp932Text(ComboBox1->currentText()), v) || v <= 0) v = 100;
  return v;
}

void TMatNini1::EndGridEditing() {
  if (keizyo1_) {
    for (TCtrlGrid* grid : {keizyo1_->CtrlGrid3, keizyo1_->CtrlGrid1, keizyo1_->CtrlGrid2, keizyo1_->CtrlGrid4}) {
      grid->EndEditing();
    }
  }
  if (keizyo2_) {
    keizyo2_->CtrlGrid1->EndEditing();
    keizyo2_->CtrlGrid7->EndEditing();
  }
  if (keizyo3_) keizyo3_->CtrlGrid1->EndEditing();
  if (keizyo4_) keizyo4_->CtrlGrid5->EndEditing();
}

bool TMatNini1::CollectInput() {
  EndGridEditing();
  cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups] = SelectedScale();
  ClearModel();
  SpeedButton2->setChecked(true);
  // The first table that is refused stops the collection: nothing may be
  // calculated on a partial model.
  if (keizyo3_ && !keizyo3_->Button1Click()) {
    // Without nodes nothing could be drawn anew: neither the last figure nor
    // its diagrams may stay as if they belonged to this input.
    cadBox1.ClearDrawing();
    return false;
  }
  if (keizyo1_ && !keizyo1_->Button1Click()) return false;
  if (keizyo4_ && !keizyo4_->Button1Click()) return false;
  if (keizyo2_ && !keizyo2_->Button1Click()) return false;
  return true;
}

// ---- Calculation -----------------------------------------------------------

void TMatNini1::ShowSolveRefusal(const SolveOutcome& outcome) {
  const int member = outcome.Member, node = outcome.Node;
  std::string text;
  switch (outcome.Status) {
    case SolveStatus::TooManyNodes: text = J("節点数が多すぎます。節点は150までです。"); break;
    case SolveStatus::TooManyMembers: text = J("部材数が多すぎます。部材は120までです。"); break;
    case SolveStatus::MemberEndOutOfRange:
      text = Format(J("部材(%d)の節点番号が入力された節点にありません。"), {member});
      break;
    case SolveStatus::MemberWithoutLength:
      text = Format(J("部材(%d)の長さが0です。節点座標を確認してください。"), {member});
      break;
    case SolveStatus::SectionOutOfRange:
      text = Format(J("部材(%d)の断面Noが断面リストにありません。"), {member});
      break;
    case SolveStatus::SectionWithoutStiffness:
      text = Format(J("部材(%d)の断面積または断面2次モーメントが0以下です。"), {member});
      break;
    case SolveStatus::MaterialWithoutStiffness: text = Format(J("部材(%d)のヤング係数が0以下です。"), {member}); break;
    case SolveStatus::NodeLoadOutOfRange:
      text = Format(J("節点[%d]の節点荷重が入力された節点にありません。"), {node});
      break;
    case SolveStatus::NodeNotFinite: text = Format(J("節点[%d]の座標が正しくありません。"), {node}); break;
    case SolveStatus::ResultNotFinite:
      // No number of an overflowed solution is shown: it is an instability.
      text = J("この形状は不安定です。再検討してください。") +
             (node != 0 ? Format(J("（節点[%d]）"), {node}) : Format(J("（部材(%d)）"), {member}));
      break;
    default: return;
  }
  ShowWarning(text + "\r\n" + J("計算できません。"));
}

void TMatNini1::ToolButton9Click() {
  const bool collected = CollectInput();
  SolveOutcome outcome{SolveStatus::NothingToSolve, 0, 0};
  if (collected) {
    Tmat solver;
    outcome = solver.Solve(model_);
  }
  LastOutcome = outcome;
  Memo1->clear();
  // A refused table or model shows its message and no results of before;
  // the table that refused has said why already.
  if (!collected) {
    SpeedButton2Click();
    return;
  }
  if (!outcome.Succeeded() && outcome.Status != SolveStatus::NothingToSolve) {
    ShowSolveRefusal(outcome);
    SpeedButton2Click();
    return;
  }

  MomentMax = ShearMax = AxialMax = DeflectionMax = 0;
  for (int m = 1; m <= model_.MemberCount2; ++m) {
    const auto& f = model_.MemberForce[m];
    MomentMax =
        std::max({MomentMax, std::abs(f[kForceMI]) / 100, std::abs(f[kForceMJ]) / 100, std::abs(f[kForceMc]) / 100});
    ShearMax = std::max({ShearMax, std::abs(f[kForceQI]), std::abs(f[kForceQJ])});
    AxialMax = std::max({AxialMax, std::abs(f[kForceNI]), std::abs(f[kForceNJ])});
  }
  for (int n = 1; n <= model_.NodeCount; ++n) {
    DeflectionMax = std::max({DeflectionMax, std::abs(model_.Displacement[n][1]), std::abs(model_.Displacement[n][2])});
  }
  MomentMax *= 0.6;

  // The deflected shapes of all members share one reference displacement.
  if (std::abs(DeflectionMax) < 0.01) {
    DeflectionMax = 3000;
  } else if (DeflectionMax > 50) {
    DeflectionMax = 1000;
  }
  for (int m = 1; m <= model_.MemberCount2; ++m) {
    const auto& f = model_.MemberForce[m];
    const int i = model_.MemberI[m], j = model_.MemberJ[m];
    SetLayer(3);
    DrawMomentDiagram(i, j, f[kForceMI] / 100, f[kForceMJ] / 100, f[kForceMc] / 100, MomentMax);
    SetLayer(4);
    DrawShearDiagram(i, j, f[kForceQI], f[kForceQJ], ShearMax, 0, 0);
    SetLayer(5);
    DrawAxialDiagram(i, j, f[kForceNI], f[kForceNJ], AxialMax, 0, 0);
    SetLayer(6);
    DrawDeflection(i, j, 0, 0);
  }
  DrawReactions();
  SpeedButton2Click();
  WriteReport();
  if (const std::string warning = InstabilityWarning(); !warning.empty()) ShowWarning(warning);
}

std::string TMatNini1::InstabilityWarning() const {
  int node = 0;
  if (LastOutcome.Status == SolveStatus::Unstable) {
    node = LastOutcome.Node;
  } else if (DeflectionMax > 50000) {
    // A mechanism the elimination did not catch exactly shows as huge
    // displacements: the node that moves most is where it shows.
    double largest = -1.0;
    for (int n = 1; n <= model_.NodeCount; ++n) {
      const double d = std::max(std::abs(model_.Displacement[n][1]), std::abs(model_.Displacement[n][2]));
      if (d > largest) {
        largest = d;
        node = n;
      }
    }
  } else {
    return {};
  }
  return J("この形状は不安定です。再検討してください。") + Format(J("（節点[%d]）"), {node});
}

void TMatNini1::DrawReactions() {
  SetLayer(3);
  const double s = GroupScale();
  for (int n = 1; n <= model_.NodeCount; ++n) {
    const auto& f = model_.Fixity[n];
    if (f[1] != 1 && f[2] != 1 && f[3] != 1) continue;
    const auto& r = model_.Reaction[n];
    cadBox1.AddText(Format("X:%-3.2f Y:%-3.2f M:%-3.2f", {-r[1], -r[2], -r[3] / 100}), 2,
                    kCmToMm * model_.NodeX[n] + 2.2 * s, kCmToMm * model_.NodeY[n] - 7.4 * s, 0, 0);
  }
}

void TMatNini1::WriteReport() {
  const GridCells empty;
  const TextReport report = BuildTextReport(model_, keizyo1_ ? keizyo1_->CtrlGrid3->Table() : empty,
                                            keizyo2_ ? keizyo2_->CtrlGrid1->Table() : empty);
  DeflectionMax = report.DeflectionMax;
  QStringList lines;
  // The results of an unstable shape mean nothing; the report says so first,
  // also when it is read later from its saved file.
  if (const std::string warning = InstabilityWarning(); !warning.empty()) lines << QText(warning);
  for (const std::string& line : report.Lines) lines << QText(line);
  Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

// The memo's lines as code page 932 text with CRLF line ends, through a
// temporary file, so a failed save leaves an old report file as it was.
void TMatNini1::SpeedButton7Click() {
  FileDialogRequest request;
  request.Filter = J("ﾃｷｽﾄﾌｧｲﾙ|*.txt");
  request.DefaultExt = "txt";
  std::filesystem::path chosen;
  if (!CurrentDialogs().SaveFile(request, chosen)) return;
  std::string bytes;
  const QStringList lines = Memo1->toPlainText().split(QLatin1Char('\n'));
  for (const QString& line : lines) {
    bytes += Cp932Text(line);
    bytes += "\r\n";
  }
  try {
    WriteFileAtomically(chosen, bytes);
  } catch (const FileError& error) {
    ShowWarning(error.what());
  }
}
