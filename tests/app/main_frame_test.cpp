// The whole program road: frames entered through the dialogs' grids,
// calculated, and the diagrams, reaction texts, report and settings checked
// against hand-computed values.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "analysis/frame_solver.h"
#include "app/coordinate_dialog.h"
#include "app/input_dialog_support.h"
#include "app/load_dialog.h"
#include "app/main_form.h"
#include "app/main_frame.h"
#include "app/member_dialog.h"
#include "app/support_dialog.h"
#include "app_test_support.h"
#include "canvas/cad_box.h"
#include "platform/ctrl_grid.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"
#include "platform/ini_file.h"

namespace {

namespace fs = std::filesystem;

void Fill(TCtrlGrid* grid, std::initializer_list<TableRow> rows) {
  GridCells& cells = grid->MutableTable();
  for (const TableRow& r : rows) {
    for (std::size_t c = 0; c < r.cells.size(); ++c) cells.SetCell(static_cast<int>(c) + 1, r.row, J(r.cells[c]));
  }
  grid->CellsChanged();
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    std::string pattern = (fs::temp_directory_path() / "zuro_program_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    form = std::make_unique<TForm1>(folder / "Zuro.ini");
    frame = form->Frame();
  }
  void TearDown() override {
    form.reset();
    fs::remove_all(folder);
  }

  // Text elements of a layer with their strings.
  struct PlacedText {
    std::string text;
    double x, y;
  };
  std::vector<PlacedText> Texts(int layer) {
    std::vector<PlacedText> out;
    const Tdrawinp& store = *frame->cadBox1.Draw1;
    for (const RDrawElement& e : store.Elements) {
      if (e.Kind == kKindText && e.Layer == layer) out.push_back({store.ElementTexts.at(e.TextIndex), e.X1, e.Y1});
    }
    return out;
  }
  bool HasLine(int layer, std::uint8_t colour, double x1, double y1, double x2, double y2) {
    for (const RDrawElement& e : frame->cadBox1.Draw1->Elements) {
      if (e.Kind != kKindLine || e.Layer != layer || e.ColorNo != colour) continue;
      if (std::abs(e.X1 - x1) < 1e-6 && std::abs(e.Y1 - y1) < 1e-6 && std::abs(e.X2 - x2) < 1e-6 &&
          std::abs(e.Y2 - y2) < 1e-6) {
        return true;
      }
    }
    return false;
  }
  std::string Memo() { return Cp932FromUtf8(frame->Memo1->toPlainText().toStdString()); }

  // A 3 m steel cantilever (I 1000 cm4, A 50 cm2) fixed at node 1, 10 kN
  // down at the tip.
  void EnterCantilever() {
    Fill(form->keizyo3->CtrlGrid1, {{1, {"0", "0"}}, {2, {"3", "0"}}});
    Fill(form->keizyo4->CtrlGrid5, {{1, {"1", " 111 固定"}}});
    Fill(form->keizyo1->CtrlGrid3, {{1, {"", "", "", "", "1000", "50"}}});
    Fill(form->keizyo1->CtrlGrid4, {{1, {"1", "2", "1", ""}}});
    Fill(form->keizyo2->CtrlGrid7, {{1, {"2", "2", "10"}}});
  }

  fs::path folder;
  std::unique_ptr<TForm1> form;
  TMatNini1* frame = nullptr;
  ScriptedDialogs boxes;
  ScopedDialogs scoped{boxes};
};

TEST_F(ProgramTest, CantileverDiagramsReactionAndReport) {
  EnterCantilever();
  frame->ToolButton9Click();
  EXPECT_TRUE(boxes.shown.empty());
  const double S = 100;  // the scale box starts at 1/100

  // The support: the text 220 mm right of and 740 mm below the node (real).
  const auto reactions = Texts(3);
  ASSERT_EQ(reactions.size(), 2u) << "the reaction and the moment label at I";
  bool found = false;
  for (const PlacedText& t : reactions) {
    if (t.text != "X:0.00 Y:10.00 M:30.00") continue;
    found = true;
    EXPECT_NEAR(t.x, 2.2 * S / S, 1e-9);
    EXPECT_NEAR(t.y, -7.4 * S / S, 1e-9);
  }
  EXPECT_TRUE(found);

  // Moment diagram: MI = 30 kN·m hogging, MomentMax = 0.6 x 30 = 18, so the
  // ordinate at I is 30 / 18 x 400 mm on the tension side (up).
  const double ordinate = 30.0 / 18.0 * 400.0 / S;
  EXPECT_TRUE(HasLine(3, 1, 0, 0, 0, ordinate));
  // Shear diagram: 10 kN along the member, 400 mm at both ends.
  EXPECT_TRUE(HasLine(4, 1, 0, 4, 30, 4) || HasLine(4, 1, 0, -4, 30, -4));
  // The fixed support at 0.625 / 100 = 0.00625 per unit: its top line from
  // (-250, -50) to (250, -50) and three hatch strokes down to the left.
  EXPECT_TRUE(HasLine(2, 3, -1.5625, -0.3125, 1.5625, -0.3125));
  EXPECT_TRUE(HasLine(2, 3, -0.74375, -0.3125, -1.825, -2.1875));  // (-119, -50) to (-292, -350)
  EXPECT_TRUE(HasLine(2, 3, 0.3125, -0.3125, -0.76875, -2.1875));  // (50, -50) to (-123, -350)
  EXPECT_TRUE(HasLine(2, 3, 1.36875, -0.3125, 0.2875, -2.1875));   // (219, -50) to (46, -350)

  // The input figure is shown after the calculation.
  EXPECT_TRUE(frame->SpeedButton2->isChecked());
  const auto& states = frame->cadBox1.Draw1->LayerStates;
  EXPECT_EQ(states[2], kLayerEditable);
  EXPECT_EQ(states[3], kLayerHidden);

  // The report's member forces, in the memo.
  EXPECT_NE(Memo().find("[ 1]-[ 2]     0.00    10.00    30.00     0.00    10.00     0.00   -15.00"), std::string::npos);
  // DeflectionMax is the tip deflection again after the report.
  const double E = Tmat::kSteelE, G = Tmat::kSteelG;
  EXPECT_NEAR(frame->DeflectionMax, 10 * 27e6 / (3 * E * 1000) + 10 * 300 / (G * 50), 1e-9);
}

TEST_F(ProgramTest, SimplySupportedBeamUnderUniformLoad) {
  Fill(form->keizyo3->CtrlGrid1, {{1, {"0", "0"}}, {2, {"6", "0"}}});
  Fill(form->keizyo4->CtrlGrid5, {{1, {"1", " 110 ピン"}}, {2, {"2", " 010 ローラー"}}});
  Fill(form->keizyo1->CtrlGrid3, {{1, {"", "", "", "", "8000", "60"}}});
  Fill(form->keizyo1->CtrlGrid4, {{1, {"1", "2", "1", ""}}});
  Fill(form->keizyo2->CtrlGrid1, {{1, {"1", "↓", "1", "10"}}});
  frame->ToolButton9Click();
  std::vector<std::string> texts;
  for (const PlacedText& t : Texts(3)) texts.push_back(t.text);
  // wL / 2 = 30 kN at each support, no moments.
  EXPECT_NE(std::find(texts.begin(), texts.end(), "X:0.00 Y:30.00 M:0.00"), texts.end());
  // The mid-span moment wL²/8 = 45 kN·m is in the report.
  EXPECT_NE(Memo().find("   45.00"), std::string::npos);
  // The support symbols, in colour 3 on the input layer, drawn at 1/160 of
  // the scale (100 / 160 = 0.625) and shown at 1/100: the pin's left leg runs
  // from the node to (-250, -433) x 0.625 / 100; the roller at 6 m adds its
  // second base line 633 x 0.625 / 100 below the node.
  EXPECT_TRUE(HasLine(2, 3, 0, 0, -1.5625, -2.70625));
  EXPECT_TRUE(HasLine(2, 3, 60 - 1.5625, -3.95625, 60 + 1.5625, -3.95625));
  EXPECT_FALSE(HasLine(2, 3, -1.5625, -3.95625, 1.5625, -3.95625)) << "the pin has no second base line";
}

TEST_F(ProgramTest, PortalFrameReactionsBalanceTheLoads) {
  Fill(form->keizyo3->CtrlGrid1, {{1, {"0", "0"}}, {2, {"0", "4"}}, {3, {"6", "4"}}, {4, {"6", "0"}}});
  Fill(form->keizyo4->CtrlGrid5, {{1, {"1", " 111 固定"}}, {2, {"4", " 111 固定"}}});
  Fill(form->keizyo1->CtrlGrid3, {{1, {"", "", "", "", "20000", "100"}}});
  Fill(form->keizyo1->CtrlGrid4, {{1, {"1", "2", "1", ""}}, {2, {"2", "3", "1", ""}}, {3, {"3", "4", "1", ""}}});
  Fill(form->keizyo2->CtrlGrid1, {{1, {"2", "↓", "1", "10"}}});
  Fill(form->keizyo2->CtrlGrid7, {{1, {"2", "1", "20"}}});
  frame->ToolButton9Click();
  const RFrameModel& m = frame->Model();
  // Support forces on the frame: -Reaction. They carry 60 kN down and 20 kN
  // sideways.
  EXPECT_NEAR(-(m.Reaction[1][2] + m.Reaction[4][2]), 60, 1e-9);
  EXPECT_NEAR(-(m.Reaction[1][1] + m.Reaction[4][1]), -20, 1e-9);
  // Moment equilibrium about node 1 (kN·cm): the beam load at x = 300 cm,
  // the lateral load at y = 400 cm, and the support at node 4, 600 cm away.
  const double moments = -m.Reaction[1][3] - m.Reaction[4][3] + 600 * -m.Reaction[4][2] - 60 * 300 - 20 * 400;
  EXPECT_NEAR(moments, 0, 1e-6);
  EXPECT_EQ(Texts(3).size() >= 2, true);
}

TEST_F(ProgramTest, ViewButtonsSwitchTheLayers) {
  EnterCantilever();
  frame->ToolButton9Click();
  struct Case {
    QToolButton* button;
    std::array<std::uint8_t, 6> layers;  // 1 to 6
    bool axialLegend, inputLegend;
  };
  const Case cases[] = {
      {frame->SpeedButton3, {2, 0, 2, 0, 0, 0}, false, false}, {frame->SpeedButton4, {2, 0, 0, 2, 0, 0}, false, false},
      {frame->SpeedButton5, {2, 0, 0, 0, 2, 0}, true, false},  {frame->SpeedButton6, {2, 0, 0, 0, 0, 2}, false, false},
      {frame->SpeedButton2, {2, 2, 0, 0, 0, 0}, false, true},
  };
  for (const Case& c : cases) {
    c.button->click();
    for (int layer = 1; layer <= 6; ++layer) {
      EXPECT_EQ(frame->cadBox1.Draw1->LayerStates[static_cast<std::size_t>(layer)], c.layers[layer - 1]) << layer;
    }
    EXPECT_EQ(frame->Shape1->isVisibleTo(frame), c.axialLegend);
    EXPECT_EQ(frame->Label4->isVisibleTo(frame), c.inputLegend);
  }
}

TEST_F(ProgramTest, ScaleChangeRescalesAndRecalculates) {
  EnterCantilever();
  frame->ToolButton9Click();
  frame->ComboBox1->setCurrentIndex(7);  // "50"
  frame->ComboBox1Change();
  EXPECT_EQ(frame->cadBox1.GroupScales[0], 50);
  // Node 2 at 3000 mm real is now 60 mm on the paper.
  bool tip = false;
  for (const RDrawElement& e : frame->cadBox1.Draw1->Elements) {
    if (e.Kind == kKindPoint && std::abs(e.X1 - 60) < 1e-9) tip = true;
  }
  EXPECT_TRUE(tip);
  EXPECT_FALSE(Memo().empty()) << "recalculated";
}

TEST_F(ProgramTest, RefusedInputShowsItsMessageAndNoStaleResults) {
  EnterCantilever();
  frame->ToolButton9Click();
  ASSERT_FALSE(Memo().empty());
  // The member now joins node 1 to itself.
  Fill(form->keizyo1->CtrlGrid4, {{1, {"1", "1", "1", ""}}});
  frame->ToolButton9Click();
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(Memo().empty());
  for (const RDrawElement& e : frame->cadBox1.Draw1->Elements) EXPECT_LT(e.Layer, 3) << "no diagrams";
}

TEST_F(ProgramTest, NodesAtNegativeCoordinatesAreOrdinaryNodes) {
  // A bent cantilever from a fixed node at the origin down and to the left
  // through (-3, -2) to (-3, -5) m, pushed 10 kN along x at its tip.
  Fill(form->keizyo3->CtrlGrid1, {{1, {"0", "0"}}, {2, {"-3", "-2"}}, {3, {"-3", "-5"}}});
  Fill(form->keizyo4->CtrlGrid5, {{1, {"1", " 111 固定"}}});
  Fill(form->keizyo1->CtrlGrid3, {{1, {"", "", "", "", "1000", "50"}}});
  Fill(form->keizyo1->CtrlGrid4, {{1, {"1", "2", "1", ""}}, {2, {"2", "3", "1", ""}}});
  Fill(form->keizyo2->CtrlGrid7, {{1, {"3", "1", "10"}}});
  frame->ToolButton9Click();
  EXPECT_TRUE(boxes.shown.empty());
  const RFrameModel& m = frame->Model();
  EXPECT_EQ(m.NodeCount, 3);
  EXPECT_EQ(m.MemberCount, 2);
  // The support holds 10 kN along x and the moment of it about the origin,
  // 10 kN x 5 m.
  EXPECT_NEAR(std::abs(m.Reaction[1][1]), 10.0, 1e-9);
  EXPECT_NEAR(std::abs(m.Reaction[1][2]), 0.0, 1e-9);
  EXPECT_NEAR(std::abs(m.Reaction[1][3]) / 100, 50.0, 1e-9);
  EXPECT_NE(Memo().find(" [ 3]      -3.000          -5.000"), std::string::npos);
}

TEST_F(ProgramTest, AHalfFilledNodeRowStopsTheCalculation) {
  EnterCantilever();
  frame->ToolButton9Click();
  ASSERT_FALSE(Memo().empty());
  Fill(form->keizyo3->CtrlGrid1, {{2, {"-3", ""}}});
  frame->ToolButton9Click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, J("座標入力  2行目：未入力部分が有ります。確認してください。"));
  EXPECT_TRUE(Memo().empty());
  for (const RDrawElement& e : frame->cadBox1.Draw1->Elements) EXPECT_LT(e.Layer, 3) << "no diagrams";
}

TEST_F(ProgramTest, AnUnstableShapeIsNamedInTheWarningAndAtTheTopOfTheReport) {
  struct Case {
    const char* name;
    std::function<void()> enter;
    std::string warning;  // empty: a stable shape
  };
  const std::string unstable = J("この形状は不安定です。再検討してください。");
  const Case cases[] = {
      {"a moment on the apex of a pinned two-bar truss: nothing holds it",
       [this] {
         Fill(form->keizyo3->CtrlGrid1, {{1, {"0", "0"}}, {2, {"4", "3"}}, {3, {"8", "0"}}});
         Fill(form->keizyo4->CtrlGrid5, {{1, {"1", " 110 ピン"}}, {2, {"3", " 110 ピン"}}});
         Fill(form->keizyo1->CtrlGrid3, {{1, {"", "", "", "", "1000", "25"}}});
         Fill(form->keizyo1->CtrlGrid4, {{1, {"1", "2", "1", "3"}}, {2, {"2", "3", "1", "3"}}});
         Fill(form->keizyo2->CtrlGrid7, {{1, {"2", "3", "5"}}});
       },
       unstable + J("（節点[2]）")},
      // PL^3 / 3EI = 10 x 300^3 / (3 x 20594 x 0.0001) cm, about 4.4e7 cm at
      // the tip: far beyond 50000 cm.
      {"a cantilever far too slender for its load",
       [this] {
         EnterCantilever();
         Fill(form->keizyo1->CtrlGrid3, {{1, {"", "", "", "", "0.0001", "50"}}});
       },
       unstable + J("（節点[2]）")},
      {"a cantilever that carries its load", [this] { EnterCantilever(); }, ""},
  };
  const std::string title = J(" 平面応力計算プログラム（変形法）     Zuro ver1.44");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (TCtrlGrid* grid : {form->keizyo3->CtrlGrid1, form->keizyo4->CtrlGrid5, form->keizyo1->CtrlGrid3,
                            form->keizyo1->CtrlGrid4, form->keizyo2->CtrlGrid1, form->keizyo2->CtrlGrid7}) {
      ClearGridColumns(grid, 1, grid->ColCount() - 1);
    }
    c.enter();
    boxes.shown.clear();
    frame->ToolButton9Click();
    if (c.warning.empty()) {
      EXPECT_TRUE(boxes.shown.empty());
    } else {
      ASSERT_EQ(boxes.shown.size(), 1u);
      EXPECT_EQ(boxes.shown[0].text, c.warning);
      EXPECT_EQ(boxes.shown[0].messageKind, MessageKind::Warning);
    }

    // The report page and the report saved from it open with that line.
    const std::string memo = Memo();
    const std::string firstLine = memo.substr(0, memo.find('\n'));
    EXPECT_EQ(firstLine, c.warning.empty() ? title : c.warning);
    EXPECT_NE(memo.find(title), std::string::npos) << "the report follows";
    boxes.fileAnswers.push_back(folder / "report.txt");
    frame->SpeedButton7Click();
    const std::string saved = LoadWholeFile(folder / "report.txt", kLargestModelFile);
    EXPECT_EQ(saved.substr(0, saved.find("\r\n")), firstLine);
  }
}

TEST_F(ProgramTest, MainWindowIsMaximisedAndOtherwiseAsLargeAsTheWorkingArea) {
  const QRect area = form->screen()->availableGeometry();
  ASSERT_GT(area.width(), 0);
  EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(form->normalGeometry(), area) << "the size kept for when maximised is not honoured";
  // What a window system that ignores "maximised" leaves: the normal state.
  form->setWindowState(Qt::WindowNoState);
  form->show();
  // The offscreen screen is narrower than the row of view buttons and
  // options, so this also holds where that row does not fit: the row runs
  // off the edge with every control at its own size.
  EXPECT_EQ(form->geometry().size(), area.size());
  for (QWidget* w : std::vector<QWidget*>{frame->SpeedButton2, frame->ComboBox1, frame->CheckBox1, frame->CheckBox3}) {
    EXPECT_GE(w->width(), w->minimumSizeHint().width());
  }
}

TEST(ProgramSettings, WrittenAtCloseAndReadBackWithDefaults) {
  TestApplication();
  ScriptedDialogs boxes;
  ScopedDialogs scoped(boxes);
  std::string pattern = (fs::temp_directory_path() / "zuro_settings_XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern, ini = folder / "Zuro.ini";
  WriteFileAtomically(ini, "[Set1]\r\nData1=6,1000,400,memo\r\nscale=99\r\ncheck2=0\r\n");
  {
    TForm1 form(ini);
    // A scale beyond the list means "100".
    EXPECT_EQ(form.Frame()->ComboBox1->currentText().toStdString(), "100");
    EXPECT_FALSE(form.Frame()->CheckBox2->isChecked());
    EXPECT_TRUE(form.Frame()->CheckBox1->isChecked());
    const GridCells& moduli = form.keizyo1->CtrlGrid2->Table();
    EXPECT_EQ(moduli.Cell(1, 1), "1000");
    EXPECT_EQ(moduli.Cell(0, 1), "6");
    EXPECT_EQ(moduli.Cell(1, 2), "20594") << "the default of Data2";
    form.Frame()->ComboBox1->setCurrentIndex(7);
    form.Frame()->CheckBox3->setChecked(false);
  }
  const TMemIniFile written(ini);
  EXPECT_EQ(written.ReadInteger("Set1", "scale", -1), 7);
  EXPECT_FALSE(written.ReadBool("Set1", "check3", true));
  EXPECT_TRUE(written.ReadBool("Set1", "check1", false));
  EXPECT_EQ(written.ReadString("Set1", "Data1", ""), "6,1000,400,memo") << "the moduli rows stay";
  fs::remove_all(folder);
}

// A settings file of exactly `total` bytes as the program writes it: the
// given lines of [Set1] and a key of another program padded to the size.
std::string SettingsOfSize(const std::string& set1Lines, std::size_t total) {
  const std::string head = "[Set1]\r\n" + set1Lines + "\r\n[Other]\r\nkeep=";
  const std::string tail = "\r\n\r\n";
  return head + std::string(total - head.size() - tail.size(), 'k') + tail;
}

TEST(ProgramSettings, AFileTheReaderRefusesIsNeverWrittenOverNorWritten) {
  TestApplication();
  std::string pattern = (fs::temp_directory_path() / "zuro_settings_XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern, ini = folder / "Zuro.ini";
  const std::string programKeys = "check1=1\r\ncheck2=1\r\nscale=7\r\ncheck3=1\r\n";
  struct Case {
    const char* name;
    std::string bytes;
    const char* said;     // once at each start; empty: nothing
    bool writtenAtClose;  // else the file keeps its bytes
  };
  const Case cases[] = {
      // check3 turns from 1 to 0: the same size, still within the limit.
      {"at the limit", SettingsOfSize(programKeys, kLargestSettingsFile), "", true},
      // The program's four keys would add 39 bytes: past the limit. The save
      // of New says so; the one at close cannot.
      {"just under the limit, growing over it", SettingsOfSize("", kLargestSettingsFile - 10),
       "\" は大きくなりすぎるため、書き込みません。 (1048576 bytes)", false},
      {"one byte over the limit", SettingsOfSize(programKeys, kLargestSettingsFile + 1),
       "\" は大きすぎます。 (1048576 bytes)このファイルは書き換えずに残します。", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileAtomically(ini, c.bytes);
    for (int start = 1; start <= 2; ++start) {
      SCOPED_TRACE(start);
      const std::string before = LoadWholeFile(ini, 2 * kLargestSettingsFile);
      ScriptedDialogs boxes;
      {
        ScopedDialogs scoped(boxes);
        TForm1 form(ini);
        form.Frame()->ToolButton5Click();  // New reads the settings again and saves them: nothing more is said
        form.Frame()->CheckBox3->setChecked(false);
      }
      if (*c.said != '\0') {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].messageKind, MessageKind::Warning);
        const std::string file = c.writtenAtClose || std::string(c.said).find("残します") == std::string::npos
                                     ? J("設定ファイル \"")
                                     : J("ファイル \"");
        EXPECT_EQ(boxes.shown[0].text, file + ini.string() + J(c.said));
      } else {
        EXPECT_TRUE(boxes.shown.empty());
      }
      const std::string after = LoadWholeFile(ini, 2 * kLargestSettingsFile);
      if (!c.writtenAtClose) {
        EXPECT_EQ(after, before);
        continue;
      }
      EXPECT_EQ(after.size(), kLargestSettingsFile);
      const TMemIniFile written(ini);
      EXPECT_FALSE(written.Unreadable());
      EXPECT_FALSE(written.ReadBool("Set1", "check3", true));
      // The other key stays whole: all but the 8 + 39 + 16 + 4 bytes around it.
      EXPECT_EQ(written.ReadString("Other", "keep", "").size(), c.bytes.size() - 67);
    }
  }
  fs::remove_all(folder);
}

}  // namespace
