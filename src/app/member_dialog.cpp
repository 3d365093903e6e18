#include "app/member_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <string>
#include <vector>

#include "app/frame_input_host.h"
#include "app/input_dialog_support.h"
#include "app/input_parsers.h"
#include "geometry/codepage.h"
#include "platform/ctrl_grid.h"
#include "platform/file_services.h"
#include "platform/ini_file.h"
#include "platform/tool_windows.h"

namespace {

QToolButton* MakeShapeButton(QWidget* parent, QButtonGroup* group, const char* caption, int x, int y, int w) {
  auto* button = new QToolButton(parent);
  button->setText(QString::fromUtf8(caption));
  button->setFont(DialogFont());
  button->setCheckable(true);
  button->setAutoRaise(true);
  button->setGeometry(x, y, w, 22);
  group->addButton(button);
  return button;
}

}  // namespace

Tkeizyo1::Tkeizyo1(FrameInputHost& host, QWidget* mainWindow) : host_(host) {
  if (mainWindow) MakeToolWindow(this, mainWindow);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowTitle(QText(J("部材入力・配置")));
  setFont(DialogFont());
  setFixedSize(467, 490);

  PageControl2 = new QTabWidget(this);
  PageControl2->setDocumentMode(true);
  PageControl2->setGeometry(4, 4, 459, 226);
  TabSheet1 = new QWidget;
  TabSheet2 = new QWidget;
  TabSheet3 = new QWidget;
  PageControl2->addTab(TabSheet1, QString::fromUtf8("部材リスト"));
  PageControl2->addTab(TabSheet2, QString::fromUtf8("ＲＣ･PL"));
  PageControl2->addTab(TabSheet3, QString::fromUtf8("設定"));

  // Member list page.
  ToolBar1 = new QButtonGroup(this);
  ToolButton1 = MakeShapeButton(TabSheet1, ToolBar1, "細幅", 2, 2, 34);
  ToolButton2 = MakeShapeButton(TabSheet1, ToolBar1, "中幅", 36, 2, 34);
  ToolButton6 = MakeShapeButton(TabSheet1, ToolBar1, "広幅", 70, 2, 34);
  ToolButton7 = MakeShapeButton(TabSheet1, ToolBar1, "□", 104, 2, 26);
  ToolButton8 = MakeShapeButton(TabSheet1, ToolBar1, "○", 130, 2, 26);
  ToolButton3 = MakeShapeButton(TabSheet1, ToolBar1, "Ｌ", 156, 2, 26);
  ToolButton4 = MakeShapeButton(TabSheet1, ToolBar1, "[", 182, 2, 26);
  ToolButton5 = MakeShapeButton(TabSheet1, ToolBar1, "FB", 208, 2, 26);
  ToolButton5->setVisible(false);
  ToolButton1->setChecked(true);
  connect(ToolBar1, &QButtonGroup::buttonClicked, this, [this] { ToolButton1Click(); });
  SpeedButton2 = MakeButton(TabSheet1, "B*D断面性能計算", 300, 1, 150, 24);
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });

  CtrlGrid3 = MakeInputGrid(TabSheet1, {30, 135, 42, 44, 61, 71, 49}, 100,
                            {"NO", "鉄骨部材", "B(cm)", "D(cm)", "構造", " I (cm4)", "A(cm2)"});
  CtrlGrid3->setGeometry(0, 28, 455, 170);
  CtrlGrid3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CtrlGrid3->OnClick = [this](TCtrlGrid*) { CtrlGrid3Click(); };
  CtrlGrid3->OnDrawCell = DrawCellLeft;
  ComboBox1 = MakeCellList(TabSheet1, {}, true, 10);
  // The list drops down wider than its cell, so the designations show whole.
  ComboBox1->view()->setMinimumWidth(180);
  connect(ComboBox1, &QComboBox::activated, this, [this](int index) { ComboBox1Change(index); });
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboBox1Change(-1); });
  ComboBox3 = MakeCellList(
      TabSheet1,
      {"1:S", "2:RC(21)", "3:RC(24)", "4:RC(27)", "5:RC(18)", "6:設定値", "7:設定値", "8:設定値", "9:設定値 ", " "},
      false, 16);

  // RC/PL page.
  ToolBar2 = new QButtonGroup(this);
  MakeShapeButton(TabSheet2, ToolBar2, "Fc-21", 2, 2, 44)->setChecked(true);
  MakeShapeButton(TabSheet2, ToolBar2, "Fc-24", 46, 2, 44);
  MakeShapeButton(TabSheet2, ToolBar2, "Fc-27", 90, 2, 44);
  MakeShapeButton(TabSheet2, ToolBar2, "鋼材PL", 134, 2, 52);
  SpeedButton1 = MakeButton(TabSheet2, "断面計算", 300, 1, 100, 24);
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  CtrlGrid1 = MakeInputGrid(TabSheet2, {30, 42, 40, 64, 56}, 31, {"NO", "Ｂ(cm)", "Ｄ(cm)", " I (cm4)", "A(cm2)"});
  CtrlGrid1->setGeometry(0, 28, 256, 170);
  CtrlGrid1->OnDrawCell = DrawCellLeft;

  // Settings page.
  CtrlGrid2 = MakeInputGrid(TabSheet3, {50, 123, 152, 112}, 5,
                            {ModuliRowTitles[0], "ﾔﾝｸﾞ係数 E(kN/cm2)  ", "ｾﾝ断弾性係数 G(kN/cm2)", "       メモ"});
  CtrlGrid2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  CtrlGrid2->setGeometry(0, 8, 50 + 123 + 152 + 112 + 2, 5 * 18 + 2);
  CtrlGrid2->OnDrawCell = DrawCellCentred;
  std::vector<std::string> moduliTitles;
  for (const char* title : ModuliRowTitles) moduliTitles.push_back(J(title));
  CtrlGrid2->SetRowTitles(moduliTitles);
  SpeedButton3 = MakeButton(TabSheet3, "上記数値を新規立上り設定として登録", 0, 110, 300, 24);
  connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });

  // Placement, with its notes.
  MakeNote(this, "*ｶﾀﾛｸﾞにない部材は、直接IとＡのみ入力してください", 8, 234);
  MakeNote(this, "*構造の書込が空白のままの場合はS材で登録します", 8, 249);
  MakeNote(this, "*鉄骨部材､BDの書込はどちらか片方のみ入力してください", 8, 264);
  CtrlGrid4 = MakeInputGrid(this, {30, 50, 50, 76, 74}, 200, {"NO", "節点[ I ]", "節点[J ]", "上記部材NO", "接合ﾀｲﾌﾟ"});
  CtrlGrid4->setGeometry(4, 282, 30 + 50 + 50 + 76 + 74 + 20, 160);
  CtrlGrid4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CtrlGrid4->OnClick = [this](TCtrlGrid*) { CtrlGrid4Click(); };
  CtrlGrid4->OnKeyDown = [this](TCtrlGrid* g, int& key, Qt::KeyboardModifiers s) { CtrlGrid4KeyDown(g, key, s); };
  CtrlGrid4->OnDrawCell = DrawCellLeft;
  ComboBox2 = MakeCellList(this, {"1 右端ﾋﾟﾝ", "2 左端ﾋﾟﾝ", kBothEndsPinnedJoint, " "}, false, 8);
  MakeNote(this, "*接点[I]>[J]の場合,自動的に接点[I]<[J]に変更します", 8, 446);
  MakeNote(this, "*接合ﾀｲﾌﾟ入力項目が空白の場合は両端剛接合として登録します", 8, 462);

  Button3 = MakeButton(this, "部材ﾘｽﾄ初期化", 320, 282, 136, 25);
  Button2 = MakeButton(this, "配置ﾘｽﾄ初期化", 320, 314, 136, 25);
  Button1 = MakeButton(this, kCloseCaption, 320, 412, 136, 25);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

  FormCreate();
}

void Tkeizyo1::FormCreate() {
  PageControl2->setTabVisible(1, false);
  WriteRowTitles(CtrlGrid3, 99, false);
  WriteRowTitles(CtrlGrid4, 199, false);
}

void Tkeizyo1::FormClose() { host_.EnableToolBar(); }

bool Tkeizyo1::Button1Click() {
  for (TCtrlGrid* grid : {CtrlGrid3, CtrlGrid1, CtrlGrid2, CtrlGrid4}) grid->EndEditing();
  const bool taken = ParseMembers(CtrlGrid3->MutableTable(), CtrlGrid1->MutableTable(), CtrlGrid2->Table(),
                                  CtrlGrid4->MutableTable(), host_.Model());
  for (TCtrlGrid* grid : {CtrlGrid3, CtrlGrid1, CtrlGrid4}) grid->CellsChanged();
  if (!taken) return false;
  host_.DrawMembers();
  host_.RedrawAll();
  FormClose();
  hide();
  return true;
}

void Tkeizyo1::Button2Click() { ClearGridColumns(CtrlGrid4, 1, 4); }

void Tkeizyo1::Button3Click() { ClearGridColumns(CtrlGrid3, 1, 6); }

void Tkeizyo1::CtrlGrid3Click() {
  if (CtrlGrid3->Ctrls().Count() == 0) {
    CtrlGrid3->Ctrls().Add(1, -1, ComboBox1, "");
    CtrlGrid3->Ctrls().Add(4, -1, ComboBox3, "");
  }
  ToolButton1Click();
}

void Tkeizyo1::CtrlGrid4Click() {
  if (CtrlGrid4->Ctrls().Count() == 0) CtrlGrid4->Ctrls().Add(4, -1, ComboBox2, "");
}

SteelFamily Tkeizyo1::CurrentFamily() const {
  if (ToolButton2->isChecked()) return SteelFamily::MediumH;
  if (ToolButton6->isChecked()) return SteelFamily::WideH;
  if (ToolButton7->isChecked()) return SteelFamily::Box;
  if (ToolButton8->isChecked()) return SteelFamily::Pipe;
  if (ToolButton3->isChecked()) return SteelFamily::Angle;
  if (ToolButton4->isChecked()) return SteelFamily::Channel;
  if (ToolButton5->isChecked()) return SteelFamily::FlatBar;
  return SteelFamily::NarrowH;
}

void Tkeizyo1::ToolButton1Click() {
  // Rebuilding the list keeps the text the box shows.
  const QString text = ComboBox1->currentText();
  const QSignalBlocker quiet(ComboBox1);
  ComboBox1->clear();
  for (const std::string& item : CatalogueItems(CurrentFamily())) ComboBox1->addItem(QText(item));
  ComboBox1->setCurrentIndex(ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  if (ComboBox1->currentIndex() < 0) ComboBox1->setEditText(text);
  ComboBox1->lineEdit()->setCursorPosition(0);
}

void Tkeizyo1::ComboBox1Change(int itemIndex) {
  const int row = CtrlGrid3->Row();
  ApplyCatalogueChoice(CtrlGrid3->MutableTable(), row, CurrentFamily(), itemIndex);
  CtrlGrid3->CellsChanged();
}

void Tkeizyo1::SpeedButton2Click() {
  CtrlGrid3->EndEditing();
  CalcMemberListSections(CtrlGrid3->MutableTable());
  CtrlGrid3->CellsChanged();
}

void Tkeizyo1::SpeedButton1Click() {
  CtrlGrid1->EndEditing();
  CalcRcPlSections(CtrlGrid1->MutableTable());
  CtrlGrid1->CellsChanged();
}

void Tkeizyo1::SpeedButton3Click() { SaveUserModuli(); }

void Tkeizyo1::SaveUserModuli() { SaveUserModuliTo(SettingsFilePath()); }

void Tkeizyo1::SaveUserModuliTo(const std::filesystem::path& settingsFile) {
  CtrlGrid2->EndEditing();
  TMemIniFile ini(settingsFile);
  for (int k = 1; k <= 4; ++k) {
    ini.WriteString("Set1", "Data" + std::to_string(k), CtrlGrid2->Table().RowCommaText(k));
  }
  ini.UpdateFile();
}

void Tkeizyo1::CtrlGrid4KeyDown(TCtrlGrid* sender, int& key, Qt::KeyboardModifiers) { MoveOnAfterEnter(sender, key); }

void Tkeizyo1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}
