#include <QButtonGroup>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/coordinate_dialog.h"
#include "app/load_dialog.h"
#include "app/load_sketches.h"
#include "app/member_dialog.h"
#include "app/support_dialog.h"
#include "app_test_support.h"
#include "platform/ctrl_grid.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"
#include "platform/ini_file.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

std::vector<std::string> Items(const QComboBox* box) {
  std::vector<std::string> items;
  for (int k = 0; k < box->count(); ++k) items.push_back(box->itemText(k).toStdString());
  return items;
}

struct DialogsInputDialogs {
  QApplication* app = TestApplication();
  RecordingHost host;
  Tkeizyo1 members{host};
  Tkeizyo2 loads{host};
  Tkeizyo3 coordinates{host};
  Tkeizyo4 supports{host};
};

TEST(InputDialogs, CaptionsAndSizes) {
  DialogsInputDialogs d;
  struct Case {
    QWidget* window;
    const char* caption;
    int width, height;
  };
  const Case cases[] = {{&d.members, "部材入力・配置", 467, 490},
                        {&d.loads, "荷重入力", 393, 401},
                        {&d.coordinates, "座標入力", 200, 381},
                        {&d.supports, "支点セット", 240, 384}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.window->windowTitle(), U(c.caption));
    EXPECT_EQ(c.window->width(), c.width) << c.caption;
    EXPECT_EQ(c.window->height(), c.height) << c.caption;
    EXPECT_EQ(c.window->font().pixelSize(), 13) << c.caption;
  }
  EXPECT_EQ(d.coordinates.minimumWidth(), d.coordinates.maximumWidth()) << "fixed width, resizable height";
  EXPECT_LT(d.coordinates.minimumHeight(), d.coordinates.maximumHeight());
}

TEST(InputDialogs, Grids) {
  DialogsInputDialogs d;
  struct Case {
    TCtrlGrid* grid;
    int rows;
    std::vector<int> widths;
    std::vector<const char*> titles;
    int titledRows;  // rows 1..n carry a row title
    bool bracketed;
  };
  const Case cases[] = {
      {d.coordinates.CtrlGrid1, 150, {35, 59, 59}, {"位置", " Ｘ (m) ", " Ｙ (m) "}, 149, true},
      {d.supports.CtrlGrid5, 100, {30, 71, 93}, {"NO", "節点位置", "支点ﾀｲﾌﾟ"}, 99, true},
      {d.members.CtrlGrid3,
       100,
       {30, 135, 42, 44, 61, 71, 49},
       {"NO", "鉄骨部材", "B(cm)", "D(cm)", "構造", " I (cm4)", "A(cm2)"},
       99,
       false},
      {d.members.CtrlGrid1, 31, {30, 42, 40, 64, 56}, {"NO", "Ｂ(cm)", "Ｄ(cm)", " I (cm4)", "A(cm2)"}, 0, false},
      {d.members.CtrlGrid2,
       5,
       {50, 123, 152, 112},
       {"構造NO", "ﾔﾝｸﾞ係数 E(kN/cm2)  ", "ｾﾝ断弾性係数 G(kN/cm2)", "       メモ"},
       0,
       false},
      {d.members.CtrlGrid4,
       200,
       {30, 50, 50, 76, 74},
       {"NO", "節点[ I ]", "節点[J ]", "上記部材NO", "接合ﾀｲﾌﾟ"},
       199,
       false},
      {d.loads.CtrlGrid1,
       120,
       {30, 56, 73, 42, 38, 40, 36, 30},
       {"NO", "部材番号", "荷重方向", "ﾀｲﾌﾟ", "P1", "P2", "P3", "P4"},
       119,
       false},
      {d.loads.CtrlGrid7, 120, {30, 54, 53, 46}, {"NO", "節点番号", "荷重ﾀｲﾌﾟ", "   P"}, 119, false},
  };
  for (const Case& c : cases) {
    const std::string name = c.titles.size() > 1 ? c.titles[1] : "";
    ASSERT_EQ(c.grid->ColCount(), static_cast<int>(c.widths.size())) << name;
    EXPECT_EQ(c.grid->RowCount(), c.rows) << name;
    EXPECT_EQ(c.grid->DefaultRowHeight(), 18) << name;
    EXPECT_TRUE(c.grid->Options() & goEditing) << name;
    for (std::size_t k = 0; k < c.widths.size(); ++k) {
      EXPECT_EQ(c.grid->ColWidth(static_cast<int>(k)), c.widths[k]) << name << " column " << k;
      EXPECT_EQ(c.grid->Cell(static_cast<int>(k), 0), J(c.titles[k])) << name << " column " << k;
    }
    if (c.titledRows > 0) {
      const std::string first = c.bracketed ? "[1]" : "1";
      const std::string last = c.bracketed ? "[" + std::to_string(c.titledRows) + "]" : std::to_string(c.titledRows);
      EXPECT_EQ(c.grid->Cell(0, 1), first) << name;
      EXPECT_EQ(c.grid->Cell(0, c.titledRows), last) << name;
      EXPECT_EQ(c.grid->Cell(0, c.titledRows + 1), "") << name;
    }
  }
  EXPECT_EQ(d.members.CtrlGrid2->RowTitles(), (std::vector<std::string>{J("構造NO"), "6", "7", "8", "9"}));
}

TEST(InputDialogs, CellLists) {
  DialogsInputDialogs d;
  struct Case {
    QComboBox* box;
    std::vector<std::string> items;
    bool editable;
  };
  const Case cases[] = {
      {d.supports.ComboBox1, {" 111 固定", " 110 ピン", " 000 自由", " 010 Xﾛ-ﾗ", " 100 Yﾛ-ﾗ", " "}, false},
      {d.members.ComboBox3,
       {"1:S", "2:RC(21)", "3:RC(24)", "4:RC(27)", "5:RC(18)", "6:設定値", "7:設定値", "8:設定値", "9:設定値 ", " "},
       false},
      {d.members.ComboBox2, {"1 右端ﾋﾟﾝ", "2 左端ﾋﾟﾝ", "3 両端ﾋﾟﾝ", " "}, false},
      {d.loads.ComboBox3, {" ", "→", "↓"}, false},
      {d.loads.ComboBox2, {" ", "1", "2", "3"}, false},
      {d.loads.ComboBox6, {" ", "1", "2", "3"}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Items(c.box), c.items);
    EXPECT_EQ(c.box->isEditable(), c.editable);
    EXPECT_TRUE(c.box->isHidden()) << "shown only over a cell";
  }
  EXPECT_TRUE(d.members.ComboBox1->isEditable());
  EXPECT_EQ(d.members.ComboBox1->maxVisibleItems(), 10);
  EXPECT_EQ(d.members.ComboBox3->maxVisibleItems(), 16);
}

TEST(InputDialogs, ButtonsPagesAndNotes) {
  DialogsInputDialogs d;
  const std::pair<QAbstractButton*, const char*> buttons[] = {
      {d.coordinates.Button1, "閉じる"},
      {d.coordinates.Button2, "全ｸﾘｱ-"},
      {d.supports.Button1, "閉じる"},
      {d.supports.Button2, "全ｸﾘｱ-"},
      {d.members.Button1, "閉じる"},
      {d.members.Button2, "配置ﾘｽﾄ初期化"},
      {d.members.Button3, "部材ﾘｽﾄ初期化"},
      {d.members.SpeedButton1, "断面計算"},
      {d.members.SpeedButton2, "B*D断面性能計算"},
      {d.members.SpeedButton3, "上記数値を新規立上り設定として登録"},
      {d.members.ToolButton1, "細幅"},
      {d.members.ToolButton2, "中幅"},
      {d.members.ToolButton6, "広幅"},
      {d.members.ToolButton7, "□"},
      {d.members.ToolButton8, "○"},
      {d.members.ToolButton3, "Ｌ"},
      {d.members.ToolButton4, "["},
      {d.members.ToolButton5, "FB"},
      {d.loads.Button1, "閉じる"},
      {d.loads.Button2, "ｷｬﾝｾﾙ"},
      {d.loads.SpeedButton3, "部材荷重ｸﾘｱ-"},
      {d.loads.SpeedButton2, "接点荷重ｸﾘｱ-"},
  };
  for (const auto& [button, caption] : buttons) EXPECT_EQ(button->text(), U(caption));
  EXPECT_TRUE(d.members.ToolButton1->isChecked());
  EXPECT_TRUE(d.members.ToolButton5->isHidden());
  // The shape buttons stand in one row, each starting where the one before
  // it ends: three H buttons 34 wide from x = 2, then 26 wide ones.
  const QAbstractButton* row[] = {d.members.ToolButton1, d.members.ToolButton2, d.members.ToolButton6,
                                  d.members.ToolButton7, d.members.ToolButton8, d.members.ToolButton3,
                                  d.members.ToolButton4, d.members.ToolButton5};
  const int widths[] = {34, 34, 34, 26, 26, 26, 26, 26};
  int x = 2;
  for (std::size_t i = 0; i < std::size(row); ++i) {
    EXPECT_EQ(row[i]->geometry(), QRect(x, 2, widths[i], 22)) << i;
    x += widths[i];
  }
  EXPECT_TRUE(d.loads.Button2->isHidden());

  EXPECT_EQ(d.members.PageControl2->tabText(0), U("部材リスト"));
  EXPECT_EQ(d.members.PageControl2->tabText(1), U("ＲＣ･PL"));
  EXPECT_EQ(d.members.PageControl2->tabText(2), U("設定"));
  EXPECT_FALSE(d.members.PageControl2->isTabVisible(1));
  EXPECT_EQ(d.loads.PageControl1->tabText(0), U("部材荷重"));
  EXPECT_EQ(d.loads.PageControl1->tabText(1), U("節点荷重"));
  EXPECT_EQ(d.loads.PageControl1->currentWidget(), d.loads.TabSheet2) << "the node loads show first";

  auto hasLabel = [](QWidget* window, const char* text) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text() == U(text)) return true;
    }
    return false;
  };
  const char* memberNotes[] = {
      "*ｶﾀﾛｸﾞにない部材は、直接IとＡのみ入力してください", "*構造の書込が空白のままの場合はS材で登録します",
      "*鉄骨部材､BDの書込はどちらか片方のみ入力してください", "*接点[I]>[J]の場合,自動的に接点[I]<[J]に変更します",
      "*接合ﾀｲﾌﾟ入力項目が空白の場合は両端剛接合として登録します"};
  for (const char* note : memberNotes) EXPECT_TRUE(hasLabel(&d.members, note)) << note;
  const char* loadNotes[] = {"部材荷重", "部材番号に　2/5　と入力", "例-部材2から5まで荷重が同一場合の一括入力方法",
                             "接点荷重", "節点番号に　2/5　と入力", "例-節点2から5まで荷重が同一場合の一括入力方法"};
  for (const char* note : loadNotes) EXPECT_TRUE(hasLabel(&d.loads, note)) << note;
}

TEST(InputDialogs, ClosingTheCoordinatesParsesAndDraws) {
  DialogsInputDialogs d;
  d.coordinates.CtrlGrid1->SetCell(1, 1, "0");
  d.coordinates.CtrlGrid1->SetCell(2, 1, "0");
  d.coordinates.CtrlGrid1->SetCell(1, 2, "6.5");
  d.coordinates.CtrlGrid1->SetCell(2, 2, "3");
  d.coordinates.show();
  d.coordinates.close();  // the close box parses as well
  EXPECT_FALSE(d.coordinates.isVisible());
  EXPECT_EQ(d.host.calls, (std::vector<std::string>{"EnableToolBar", "DrawNodes", "ShowInputFigure", "RedrawAll"}));
  EXPECT_EQ(d.host.model.NodeCount, 2);
  EXPECT_DOUBLE_EQ(d.host.model.NodeX[2], 650.0);

  d.host.calls.clear();
  d.coordinates.Button2Click();
  EXPECT_EQ(d.coordinates.CtrlGrid1->Cell(1, 2), "");
  EXPECT_EQ(d.coordinates.CtrlGrid1->Cell(0, 2), "[2]") << "titles stay";
  EXPECT_TRUE(d.coordinates.Button1Click());
  EXPECT_EQ(d.host.model.NodeCount, 0);
}

TEST(InputDialogs, AHalfFilledCoordinateRowKeepsTheWindowOpenUntilMended) {
  DialogsInputDialogs d;
  ScriptedDialogs boxes;
  ScopedDialogs scope(boxes);
  TCtrlGrid* grid = d.coordinates.CtrlGrid1;
  grid->SetCell(1, 1, "0");
  grid->SetCell(2, 1, "0");
  grid->SetCell(1, 2, "-3");
  d.coordinates.show();
  EXPECT_FALSE(d.coordinates.Button1Click());
  EXPECT_TRUE(d.coordinates.isVisible());
  EXPECT_EQ(d.host.calls, std::vector<std::string>{"EnableToolBar"}) << "nothing drawn";
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, J("座標入力  2行目：未入力部分が有ります。確認してください。"));

  grid->SetCell(2, 2, "-2");
  EXPECT_TRUE(d.coordinates.Button1Click());
  EXPECT_FALSE(d.coordinates.isVisible());
  EXPECT_EQ(d.host.model.NodeCount, 2);
  EXPECT_DOUBLE_EQ(d.host.model.NodeX[2], -300.0);
  EXPECT_DOUBLE_EQ(d.host.model.NodeY[2], -200.0);
}

TEST(InputDialogs, EnterMovesToTheNextCell) {
  DialogsInputDialogs d;
  struct Case {
    TCtrlGrid* grid;
    int col, row, nextCol, nextRow;
  };
  const Case cases[] = {
      {d.coordinates.CtrlGrid1, 1, 5, 2, 5},   {d.coordinates.CtrlGrid1, 2, 5, 1, 6},
      {d.coordinates.CtrlGrid1, 2, 149, 1, 1}, {d.members.CtrlGrid4, 2, 7, 3, 7},
      {d.members.CtrlGrid4, 4, 7, 1, 8},       {d.members.CtrlGrid4, 4, 199, 1, 1},
  };
  for (const Case& c : cases) {
    c.grid->FocusCell(c.col, c.row);
    int key = Qt::Key_Return;
    c.grid->KeyDown(key, Qt::NoModifier);
    EXPECT_EQ(key, 0) << "consumed";
    EXPECT_EQ(c.grid->Col(), c.nextCol) << c.col << "," << c.row;
    EXPECT_EQ(c.grid->Row(), c.nextRow) << c.col << "," << c.row;
  }
}

TEST(InputDialogs, EnterInTheCellEditorWritesAndMovesOn) {
  DialogsInputDialogs d;
  d.coordinates.show();
  TCtrlGrid* grid = d.coordinates.CtrlGrid1;
  grid->FocusCell(1, 4);
  grid->edit(grid->currentIndex());
  auto* editor = grid->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText(QString::fromUtf8("２.5"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(editor, &enter);
  EXPECT_EQ(grid->Cell(1, 4), J("２.5"));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 4);
}

TEST(InputDialogs, Supports) {
  DialogsInputDialogs d;
  d.host.model.NodeCount = 3;
  d.supports.show();  // cell controls show over visible cells only
  d.supports.CtrlGrid5->FocusCell(2, 4);
  d.supports.CtrlGrid5Click();
  d.supports.CtrlGrid5Click();
  ASSERT_EQ(d.supports.CtrlGrid5->Ctrls().Count(), 1) << "registered once";
  EXPECT_EQ(d.supports.CtrlGrid5->ControlAt(2, 77), d.supports.ComboBox1);
  EXPECT_EQ(d.supports.CtrlGrid5->ShownControl(), d.supports.ComboBox1);
  d.supports.ComboBox1->setCurrentIndex(1);  // " 110 ピン"
  d.supports.CtrlGrid5->SetCell(1, 4, "2");

  EXPECT_TRUE(d.supports.Button1Click());
  EXPECT_EQ(d.supports.CtrlGrid5->Cell(2, 4), J(" 110 ピン")) << "the shown list is written back first";
  EXPECT_EQ(d.host.model.Fixity[2], (Rows1<std::uint8_t, 3>{0, 1, 1, 0}));
  EXPECT_EQ(d.host.calls, (std::vector<std::string>{"DrawSupports", "RedrawAll", "EnableToolBar"}));
  EXPECT_FALSE(d.supports.isVisible());

  // A refused table: a message, nothing drawn, the window stays.
  d.host.calls.clear();
  d.supports.show();
  d.supports.CtrlGrid5->SetCell(1, 9, "0");
  ScriptedDialogs boxes;
  ScopedDialogs scope(boxes);
  EXPECT_FALSE(d.supports.Button1Click());
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(d.host.calls.empty());
  EXPECT_TRUE(d.supports.isVisible());

  // The close box only re-enables the tool bar.
  d.supports.close();
  EXPECT_EQ(d.host.calls, std::vector<std::string>{"EnableToolBar"});
}

TEST(InputDialogs, CatalogueBoxFillsTheMemberList) {
  DialogsInputDialogs d;
  TCtrlGrid* list = d.members.CtrlGrid3;
  d.members.show();
  list->FocusCell(1, 3);
  d.members.CtrlGrid3Click();
  ASSERT_EQ(list->Ctrls().Count(), 2);
  EXPECT_EQ(list->ControlAt(1, 50), d.members.ComboBox1);
  EXPECT_EQ(list->ControlAt(4, 50), d.members.ComboBox3);
  EXPECT_EQ(d.members.ComboBox1->count(), 22);
  EXPECT_EQ(list->ShownControl(), d.members.ComboBox1);

  d.members.ComboBox1->setCurrentIndex(1);
  d.members.ComboBox1Change(1);
  EXPECT_EQ(list->Cell(5, 3), "187.48");
  EXPECT_EQ(list->Cell(6, 3), "11.85");
  list->FocusCell(2, 3);  // leaving the box writes the designation
  EXPECT_EQ(list->Cell(1, 3), "H-100X 50X 5.0X7  ");

  // Another family: the list changes, the shown text stays.
  list->FocusCell(1, 3);
  d.members.ToolButton8->setChecked(true);
  d.members.ToolButton1Click();
  EXPECT_EQ(d.members.ComboBox1->count(), 112);
  EXPECT_EQ(d.members.ComboBox1->itemText(1), U("○-21.7X2.0"));
  EXPECT_EQ(d.members.ComboBox1->currentText(), U("H-100X 50X 5.0X7  "));
  d.members.ComboBox1->setCurrentIndex(0);
  d.members.ComboBox1Change(0);
  EXPECT_EQ(list->Cell(5, 3), "");
  EXPECT_EQ(list->Cell(6, 3), "");
}

TEST(InputDialogs, MemberParseFromTheDialog) {
  DialogsInputDialogs d;
  d.host.model.NodeCount = 7;
  for (int k = 1; k <= 7; ++k) d.host.model.NodeX[k] = 100.0 * k;
  d.members.CtrlGrid3->SetCell(2, 1, "30");
  d.members.CtrlGrid3->SetCell(3, 1, "60");
  d.members.CtrlGrid4->SetCell(1, 1, "7");
  d.members.CtrlGrid4->SetCell(2, 1, "3");
  d.members.CtrlGrid4->SetCell(3, 1, "1");
  d.members.show();
  ASSERT_TRUE(d.members.Button1Click());
  EXPECT_EQ(d.members.CtrlGrid4->Cell(1, 1), "3");
  EXPECT_EQ(d.members.CtrlGrid4->Cell(2, 1), "7");
  EXPECT_EQ(d.members.CtrlGrid3->Cell(5, 1), "540000");
  EXPECT_EQ(d.host.model.MemberCount, 1);
  EXPECT_EQ(d.host.calls, (std::vector<std::string>{"DrawMembers", "RedrawAll", "EnableToolBar"}));
  EXPECT_FALSE(d.members.isVisible());

  // The modulus message: nothing drawn, the window stays open.
  d.host.calls.clear();
  d.members.show();
  d.members.CtrlGrid2->SetCell(1, 1, "0");
  ScriptedDialogs boxes;
  ScopedDialogs scope(boxes);
  EXPECT_FALSE(d.members.Button1Click());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, J("ユーザー設定のヤング係数値が不正です。確認してください。"));
  EXPECT_TRUE(d.host.calls.empty());
  EXPECT_TRUE(d.members.isVisible());
  EXPECT_EQ(d.host.model.MemberCount, 0);

  d.members.Button2Click();
  d.members.Button3Click();
  for (int c = 1; c <= 4; ++c) EXPECT_EQ(d.members.CtrlGrid4->Cell(c, 1), "");
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(d.members.CtrlGrid3->Cell(c, 1), "");
  EXPECT_EQ(d.members.CtrlGrid4->Cell(0, 1), "1");
}

TEST(InputDialogs, UserModuliAreSavedToTheSettingsFile) {
  DialogsInputDialogs d;
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("zuro_moduli_" + std::to_string(::getpid()) + ".ini");
  {
    std::ofstream out(file, std::ios::binary);
    out << "[Set1]\r\nscale=12\r\nData2=old\r\n";
  }
  const char* rows[][4] = {
      {"6", "20594", "7943", ""}, {"7", "2100", "810", "鋼材 A"}, {"8", "20594", "7943", ""}, {"9", "1", "2", "x,y"}};
  for (int k = 1; k <= 4; ++k) {
    for (int c = 0; c < 4; ++c) d.members.CtrlGrid2->SetCell(c, k, J(rows[k - 1][c]));
  }
  d.members.SaveUserModuliTo(file);
  const TMemIniFile ini(file);
  EXPECT_EQ(ini.ReadString("Set1", "Data1", ""), "6,20594,7943,");
  EXPECT_EQ(ini.ReadString("Set1", "Data2", ""), J("7,2100,810,\"鋼材 A\""));
  EXPECT_EQ(ini.ReadString("Set1", "Data3", ""), "8,20594,7943,");
  EXPECT_EQ(ini.ReadString("Set1", "Data4", ""), "9,1,2,\"x,y\"");
  EXPECT_EQ(ini.ReadString("Set1", "scale", ""), "12") << "other keys stay";
  std::filesystem::remove(file);
}

TEST(InputDialogs, LoadDialog) {
  DialogsInputDialogs d;
  d.loads.show();
  d.loads.CtrlGrid1->FocusCell(3, 1);
  d.loads.CtrlGrid1Click();
  EXPECT_EQ(d.loads.CtrlGrid1->ControlAt(3, 9), d.loads.ComboBox2);
  EXPECT_EQ(d.loads.CtrlGrid1->ControlAt(2, 9), d.loads.ComboBox3);
  d.loads.CtrlGrid7->FocusCell(1, 1);
  d.loads.CtrlGrid7Click();
  EXPECT_EQ(d.loads.CtrlGrid7->ControlAt(2, 9), d.loads.ComboBox6);

  struct Case {
    int item;
    bool one, two, three;
  };
  const Case cases[] = {
      {2, false, true, false}, {3, false, false, true}, {1, true, false, false}, {0, false, false, false}};
  for (const Case& c : cases) {
    d.loads.ComboBox2Change(c.item);
    EXPECT_EQ(!d.loads.Image1->isHidden(), c.one) << c.item;
    EXPECT_EQ(!d.loads.Image2->isHidden(), c.two) << c.item;
    EXPECT_EQ(!d.loads.Image3->isHidden(), c.three) << c.item;
    d.loads.ComboBox6Change(c.item);
    EXPECT_EQ(!d.loads.Image23->isHidden(), c.one) << c.item;
    EXPECT_EQ(!d.loads.Image24->isHidden(), c.two) << c.item;
    EXPECT_EQ(!d.loads.Image25->isHidden(), c.three) << c.item;
  }
  ASSERT_NE(d.loads.Image1->pixmap().size(), QSize());
  EXPECT_EQ(d.loads.Image1->pixmap().size(), QSize(183, 105));

  d.host.model.NodeCount = 3;
  d.loads.CtrlGrid7->HideControl();
  d.loads.CtrlGrid7->SetCell(1, 1, "3");
  d.loads.CtrlGrid7->SetCell(2, 1, "2");
  d.loads.CtrlGrid7->SetCell(3, 1, "15");
  EXPECT_TRUE(d.loads.Button1Click());
  EXPECT_DOUBLE_EQ(d.host.model.NodeLoadPy[3], -15.0);
  EXPECT_EQ(d.host.calls, std::vector<std::string>{"EnableToolBar"});
  EXPECT_FALSE(d.loads.isVisible());

  d.loads.SpeedButton2Click();
  d.loads.SpeedButton3Click();
  EXPECT_EQ(d.loads.CtrlGrid7->Cell(3, 1), "");
  EXPECT_EQ(d.loads.CtrlGrid7->Cell(0, 1), "1");
}

TEST(InputDialogs, LoadSketches) {
  TestApplication();
  // Black ground; the load in yellow, the member in white.
  struct Probe {
    LoadSketch sketch;
    int x, y;
    QColor colour;
  };
  const QColor black(Qt::black), white(Qt::white), yellow(255, 255, 0);
  const Probe probes[] = {
      {LoadSketch::MemberUniform, 0, 0, black},          {LoadSketch::MemberUniform, 90, 78, white},
      {LoadSketch::MemberUniform, 90, 42, yellow},       {LoadSketch::MemberUniform, 24, 60, yellow},
      {LoadSketch::MemberConcentrated, 104, 50, yellow}, {LoadSketch::MemberConcentrated, 60, 60, black},
      {LoadSketch::NodeHorizontal, 70, 60, yellow},      {LoadSketch::NodeVertical, 92, 40, yellow},
      {LoadSketch::NodeMoment, 182, 104, black},
  };
  for (const Probe& p : probes) {
    const QImage image = DrawLoadSketch(p.sketch).toImage();
    EXPECT_EQ(image.size(), QSize(183, 105));
    EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << static_cast<int>(p.sketch) << " at " << p.x << "," << p.y;
  }
}

}  // namespace
