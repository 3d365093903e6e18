#include "app/load_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "app/frame_input_host.h"
#include "app/input_dialog_support.h"
#include "app/input_parsers.h"
#include "app/load_sketches.h"
#include "geometry/codepage.h"
#include "platform/ctrl_grid.h"
#include "platform/tool_windows.h"

namespace {

QLabel* MakeSketch(QWidget* parent, LoadSketch sketch, int x, int y) {
  auto* image = new QLabel(parent);
  image->setPixmap(DrawLoadSketch(sketch));
  image->setGeometry(x, y, 183, 105);
  image->hide();
  return image;
}

// The group box "荷重入力" of a page with its label and the two notes on
// ranges.
QGroupBox* MakeLoadGroup(QWidget* page, const char* label, const char* note1, const char* note2) {
  auto* group = new QGroupBox(QString::fromUtf8("荷重入力"), page);
  group->setFont(DialogFont());
  group->setGeometry(2, 2, 383, 346);
  MakeNote(group, label, 8, 18);
  MakeNote(group, note1, 8, 36);
  MakeNote(group, note2, 8, 51);
  return group;
}

}  // namespace

Tkeizyo2::Tkeizyo2(FrameInputHost& host, QWidget* mainWindow) : host_(host) {
  if (mainWindow) MakeToolWindow(this, mainWindow);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowTitle(QText(J("荷重入力")));
  setFont(DialogFont());
  setFixedSize(393, 401);

  PageControl1 = new QTabWidget(this);
  PageControl1->setDocumentMode(true);
  PageControl1->setGeometry(2, 2, 389, 364);
  TabSheet1 = new QWidget;
  TabSheet2 = new QWidget;
  PageControl1->addTab(TabSheet1, QString::fromUtf8("部材荷重"));
  PageControl1->addTab(TabSheet2, QString::fromUtf8("節点荷重"));

  // Member loads.
  QGroupBox* memberGroup =
      MakeLoadGroup(TabSheet1, "部材荷重", "部材番号に　2/5　と入力", "例-部材2から5まで荷重が同一場合の一括入力方法");
  CtrlGrid1 = MakeInputGrid(memberGroup, {30, 56, 73, 42, 38, 40, 36, 30}, 120,
                            {"NO", "部材番号", "荷重方向", "ﾀｲﾌﾟ", "P1", "P2", "P3", "P4"});
  CtrlGrid1->setGeometry(6, 70, 30 + 56 + 73 + 42 + 38 + 40 + 36 + 30 + 22, 152);
  CtrlGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CtrlGrid1->OnClick = [this](TCtrlGrid*) { CtrlGrid1Click(); };
  CtrlGrid1->OnDrawCell = DrawCellLeft;
  ComboBox3 = MakeCellList(memberGroup, {" ", kHorizontalLoadText, kVerticalLoadText}, false, 8);
  ComboBox2 = MakeCellList(memberGroup, {" ", "1", "2", "3"}, false, 8);
  connect(ComboBox2, &QComboBox::activated, this, [this](int index) { ComboBox2Change(index); });
  SpeedButton3 = MakeButton(memberGroup, "部材荷重ｸﾘｱ-", 8, 232, 120, 24);
  connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
  Image1 = MakeSketch(memberGroup, LoadSketch::MemberUniform, 190, 230);
  Image2 = MakeSketch(memberGroup, LoadSketch::MemberLinear, 190, 230);
  Image3 = MakeSketch(memberGroup, LoadSketch::MemberConcentrated, 190, 230);

  // Node loads.
  QGroupBox* nodeGroup =
      MakeLoadGroup(TabSheet2, "接点荷重", "節点番号に　2/5　と入力", "例-節点2から5まで荷重が同一場合の一括入力方法");
  CtrlGrid7 = MakeInputGrid(nodeGroup, {30, 54, 53, 46}, 120, {"NO", "節点番号", "荷重ﾀｲﾌﾟ", "   P"});
  CtrlGrid7->setGeometry(6, 70, 30 + 54 + 53 + 46 + 22, 152);
  CtrlGrid7->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CtrlGrid7->OnClick = [this](TCtrlGrid*) { CtrlGrid7Click(); };
  CtrlGrid7->OnDrawCell = DrawCellLeft;
  ComboBox6 = MakeCellList(nodeGroup, {" ", "1", "2", "3"}, false, 8);
  connect(ComboBox6, &QComboBox::activated, this, [this](int index) { ComboBox6Change(index); });
  SpeedButton2 = MakeButton(nodeGroup, "接点荷重ｸﾘｱ-", 8, 232, 120, 24);
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
  Image23 = MakeSketch(nodeGroup, LoadSketch::NodeHorizontal, 190, 230);
  Image24 = MakeSketch(nodeGroup, LoadSketch::NodeVertical, 190, 230);
  Image25 = MakeSketch(nodeGroup, LoadSketch::NodeMoment, 190, 230);

  Button1 = MakeButton(this, kCloseCaption, 156, 370, 80, 25);
  Button2 = MakeButton(this, "ｷｬﾝｾﾙ", 244, 370, 80, 25);
  Button2->hide();
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

  PageControl1->setCurrentWidget(TabSheet2);
  FormCreate();
}

void Tkeizyo2::FormCreate() {
  WriteRowTitles(CtrlGrid1, 119, false);
  WriteRowTitles(CtrlGrid7, 119, false);
}

void Tkeizyo2::FormClose() { host_.EnableToolBar(); }

bool Tkeizyo2::Button1Click() {
  CtrlGrid1->EndEditing();
  CtrlGrid7->EndEditing();
  if (!ParseLoads(CtrlGrid1->Table(), CtrlGrid7->Table(), host_.Model())) return false;
  FormClose();
  hide();
  return true;
}

void Tkeizyo2::Button2Click() {
  FormClose();
  hide();
}

void Tkeizyo2::CtrlGrid1Click() {
  if (CtrlGrid1->Ctrls().Count() == 0) {
    CtrlGrid1->Ctrls().Add(3, -1, ComboBox2, "");
    CtrlGrid1->Ctrls().Add(2, -1, ComboBox3, "");
  }
}

void Tkeizyo2::CtrlGrid7Click() {
  if (CtrlGrid7->Ctrls().Count() == 0) CtrlGrid7->Ctrls().Add(2, -1, ComboBox6, "");
}

void Tkeizyo2::ComboBox2Change(int itemIndex) {
  QLabel* images[] = {Image1, Image2, Image3};
  for (QLabel* image : images) image->hide();
  if (itemIndex >= 1 && itemIndex <= 3) images[itemIndex - 1]->show();
}

void Tkeizyo2::ComboBox6Change(int itemIndex) {
  QLabel* images[] = {Image23, Image24, Image25};
  for (QLabel* image : images) image->hide();
  if (itemIndex >= 1 && itemIndex <= 3) images[itemIndex - 1]->show();
}

void Tkeizyo2::SpeedButton3Click() { ClearGridColumns(CtrlGrid1, 1, 7); }

void Tkeizyo2::SpeedButton2Click() { ClearGridColumns(CtrlGrid7, 1, 3); }

void Tkeizyo2::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}
