// New, Open and Save through the frame's buttons: the round trip, the old
// format, the names the dialogs propose, and every refusal leaving the
// model as it was.

#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "app/input_parsers.h"
#include "app/steel_catalogues.h"
#include "platform/file_services.h"
#include "program_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string Le32(std::int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }
std::string Le16(std::uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); }

// One grid section as the layout gives it: every row, the given texts in
// their rows and the empty rows as commas.
std::string Section(int rowCount, int colCount, const std::map<int, std::string>& texts) {
  std::string out = Le32(rowCount);
  for (int r = 1; r < rowCount; ++r) {
    const auto it = texts.find(r);
    const std::string text = it != texts.end() ? it->second : std::string(static_cast<std::size_t>(colCount - 1), ',');
    out += Le32(r) + Le16(static_cast<std::uint16_t>(text.size() + 1)) + text + std::string(1, '\0');
  }
  return out;
}

class DataFilesTest : public ProgramFixture {
 protected:
  void Save(const fs::path& name) {
    boxes.fileAnswers.push_back(name);
    frame->ToolButton7Click();
  }
  void Open(const fs::path& name) {
    boxes.fileAnswers.push_back(name);
    frame->ToolButton6Click();
  }
};

TEST_F(DataFilesTest, SaveOpenSaveGivesIdenticalBytes) {
  EnterCantilever();
  frame->ToolButton9Click();  // the parsers put the tables in their final form
  form->keizyo1->PageControl2->setCurrentIndex(0);
  Save(folder / "a.zq4");
  const std::string first = LoadWholeFile(folder / "a.zq4", kLargestModelFile);
  EXPECT_EQ(first.substr(0, 4), Le32(137));

  form->keizyo3->CtrlGrid1->SetCell(1, 2, "7");        // changed after the save
  boxes.messageAnswers.push_back(MessageAnswer::Yes);  // New asks: there is a drawing
  Open(folder / "a.zq4");
  ASSERT_EQ(boxes.shown.size(), 3u);  // save, open, the question of New
  EXPECT_EQ(boxes.shown[2].text, J("現ﾃﾞ-ﾀ-が破棄されますがよろしいですか？"));
  EXPECT_EQ(form->keizyo3->CtrlGrid1->Cell(1, 2), "3");
  EXPECT_EQ(frame->Model().NodeCount, 2) << "the model was calculated again";
  EXPECT_FALSE(frame->Memo1->toPlainText().isEmpty());
  EXPECT_EQ(frame->SaveDialog1.FileName, folder / "a.zq4");

  Save(folder / "b.zq4");
  EXPECT_EQ(LoadWholeFile(folder / "b.zq4", kLargestModelFile), first);
}

TEST_F(DataFilesTest, OldFormatOpensWithTheModuliOfTheSettings) {
  // The moduli grid was edited but not stored in the settings.
  form->keizyo1->CtrlGrid2->SetCell(1, 1, "1");
  std::string zq3 = Section(150, 3, {{2, "[2],3,0"}, {1, "[1],0,0"}});
  zq3 += Section(100, 3, {{1, "1,1,\" 111 " + J("固定") + "\""}});
  zq3 += Section(100, 7, {{1, "1,,,,,1000,50"}});
  zq3 += Section(31, 5, {});
  zq3 += Section(200, 5, {{1, "1,1,2,1,"}});
  zq3 += Section(120, 8, {});
  zq3 += Section(120, 4, {{1, "1,2,2,10"}});
  zq3 += Le32(2);  // page index
  WriteFileAtomically(folder / "old.zq3", zq3);
  Open(folder / "old.zq3");
  EXPECT_EQ(form->keizyo3->CtrlGrid1->Cell(1, 2), "3");
  EXPECT_EQ(form->keizyo4->CtrlGrid5->Cell(2, 1), J(" 111 固定"));
  EXPECT_EQ(form->keizyo1->CtrlGrid2->Cell(1, 1), "20594") << "the settings' moduli";
  EXPECT_EQ(form->keizyo1->PageControl2->currentIndex(), 0) << "the member list is shown last";
  EXPECT_EQ(frame->Model().MemberCount2, 1);

  // The save proposes the opened name and writes the new format beside it.
  Save(folder / "old.zq3");
  EXPECT_EQ(boxes.shown.back().request.FileName, folder / "old.zq3");
  EXPECT_TRUE(FileExists(folder / "old.zq4"));
  EXPECT_EQ(LoadWholeFile(folder / "old.zq3", kLargestModelFile), zq3);
  EXPECT_EQ(LoadWholeFile(folder / "old.zq4", kLargestModelFile).substr(0, 4), Le32(137));
}

TEST_F(DataFilesTest, OldNameAsksBeforeReplacingAnExistingNewFile) {
  WriteFileAtomically(folder / "b.zq4", "old");
  boxes.messageAnswers.push_back(MessageAnswer::Cancel);
  Save(folder / "b.zq3");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].buttons, MessageButtons::YesCancel);
  EXPECT_NE(boxes.shown[1].text.find("b.zq4"), std::string::npos);
  EXPECT_EQ(LoadWholeFile(folder / "b.zq4", kLargestModelFile), "old");

  boxes.messageAnswers.push_back(MessageAnswer::Yes);
  Save(folder / "b.zq3");
  EXPECT_EQ(LoadWholeFile(folder / "b.zq4", kLargestModelFile).substr(0, 4), Le32(137));
  EXPECT_FALSE(FileExists(folder / "b.zq3"));

  // A new name asks nothing.
  const std::size_t before = boxes.shown.size();
  Save(folder / "c.zq3");
  EXPECT_EQ(boxes.shown.size(), before + 1);
  EXPECT_TRUE(FileExists(folder / "c.zq4"));
}

TEST_F(DataFilesTest, SavingOntoAWriteProtectedFileIsRefusedNamingIt) {
  WriteFileAtomically(folder / "kept.zq4", "protected");
  ASSERT_EQ(::chmod((folder / "kept.zq4").c_str(), 0444), 0);
  EnterCantilever();
  boxes.shown.clear();
  Save(folder / "kept.zq4");
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().messageKind, MessageKind::Warning);
  EXPECT_NE(boxes.shown.back().text.find("kept.zq4"), std::string::npos);
  EXPECT_EQ(LoadWholeFile(folder / "kept.zq4", kLargestModelFile), "protected");
}

TEST_F(DataFilesTest, ModelFileAboveTheLimitIsRefusedUnread) {
  EnterCantilever();
  frame->ToolButton9Click();
  const std::vector<GridCells> before = AllTables();
  WriteFileAtomically(folder / "huge.zq4", Le32(137));
  std::filesystem::resize_file(folder / "huge.zq4", kLargestModelFile + 1);
  boxes.shown.clear();
  Open(folder / "huge.zq4");
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().messageKind, MessageKind::Warning);
  EXPECT_NE(boxes.shown.back().text.find("huge.zq4"), std::string::npos);
  EXPECT_NE(boxes.shown.back().text.find(J("大きすぎます")), std::string::npos);
  EXPECT_TRUE(AllTables() == before);
}

TEST_F(DataFilesTest, APipeOrADeviceIsRefusedAsNoRegularFile) {
  EnterCantilever();
  frame->ToolButton9Click();
  const std::vector<GridCells> before = AllTables();
  ASSERT_EQ(::mkfifo((folder / "pipe.zq4").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", folder / "device.zq4");  // a character device
  for (const fs::path& name : {folder / "pipe.zq4", folder / "device.zq4"}) {
    SCOPED_TRACE(name.string());
    boxes.shown.clear();
    Open(name);  // a pipe with no writer would block an open or a read
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].messageKind, MessageKind::Warning);
    EXPECT_EQ(boxes.shown[1].text,
              J("ファイル \"") + name.string() + J("\" を読み込めません。通常のファイルではありません。"));
    EXPECT_TRUE(AllTables() == before);
  }
}

TEST_F(DataFilesTest, RefusedFilesLeaveModelGridsDrawingAndSaveName) {
  EnterCantilever();
  frame->ToolButton9Click();
  Save(folder / "good.zq4");
  const std::string good = LoadWholeFile(folder / "good.zq4", kLargestModelFile);
  std::string wrongMarker = good;
  wrongMarker[0] = static_cast<char>(138);
  const struct {
    const char* name;
    std::string bytes;  // empty name: no file at all
    bool exists;
  } cases[] = {
      {"cut.zq4", good.substr(0, good.size() / 2), true},
      {"marker.zq4", wrongMarker, true},
      {"mislabelled.zq3", good, true},
      {"tail.zq4", good + "xx", true},
      {"missing.zq4", "", false},
  };
  const std::vector<GridCells> tables = AllTables();
  const std::size_t elements = frame->cadBox1.Draw1->Elements.size();
  const RFrameModel model = frame->Model();
  const fs::path saveName = frame->SaveDialog1.FileName;
  for (const auto& c : cases) {
    if (c.exists) WriteFileAtomically(folder / c.name, c.bytes);
    boxes.shown.clear();
    Open(folder / c.name);
    ASSERT_EQ(boxes.shown.size(), 2u) << c.name << ": the dialog and one message, no question";
    EXPECT_EQ(boxes.shown[1].messageKind, MessageKind::Warning) << c.name;
    EXPECT_NE(boxes.shown[1].text.find(c.name), std::string::npos) << c.name;
    EXPECT_TRUE(AllTables() == tables) << c.name;
    EXPECT_EQ(frame->cadBox1.Draw1->Elements.size(), elements) << c.name;
    EXPECT_EQ(frame->Model().NodeCount, model.NodeCount) << c.name;
    EXPECT_EQ(frame->Model().MemberCount2, model.MemberCount2) << c.name;
    EXPECT_EQ(frame->Model().NodeX[2], model.NodeX[2]) << c.name;
    EXPECT_EQ(frame->SaveDialog1.FileName, saveName) << c.name;
  }
}

TEST_F(DataFilesTest, NewAsksOnlyWhenThereIsADrawing) {
  EnterCantilever();
  frame->ToolButton5Click();
  EXPECT_TRUE(boxes.shown.empty()) << "an empty drawing asks nothing";
  EXPECT_TRUE(frame->NewDone);
  EXPECT_EQ(form->keizyo3->CtrlGrid1->Cell(1, 2), "");
  EXPECT_EQ(form->keizyo3->CtrlGrid1->Cell(0, 2), "[2]") << "titles stay";

  EnterCantilever();
  frame->ToolButton9Click();
  const std::vector<GridCells> tables = AllTables();
  frame->ToolButton5Click();  // the box is answered Cancel
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::YesCancel);
  EXPECT_FALSE(frame->NewDone);
  EXPECT_TRUE(AllTables() == tables);

  // Open cancelled at that question changes nothing either.
  Save(folder / "m.zq4");
  boxes.shown.clear();
  Open(folder / "m.zq4");
  EXPECT_FALSE(frame->NewDone);
  EXPECT_TRUE(AllTables() == tables);
  EXPECT_NE(frame->SaveDialog1.FileName, fs::path());

  boxes.messageAnswers.push_back(MessageAnswer::Yes);
  frame->ToolButton5Click();
  EXPECT_TRUE(frame->NewDone);
  EXPECT_TRUE(frame->cadBox1.Draw1->Elements.empty());
  EXPECT_TRUE(frame->Memo1->toPlainText().isEmpty());
  EXPECT_EQ(frame->Model().NodeCount, 0);
  EXPECT_EQ(form->keizyo1->CtrlGrid4->Cell(1, 1), "");
  EXPECT_EQ(form->keizyo2->CtrlGrid7->Cell(3, 1), "");
  EXPECT_EQ(form->keizyo1->CtrlGrid2->Cell(1, 1), "20594") << "the moduli come from the settings";
}

TEST_F(DataFilesTest, FailedSaveSaysSoAndLeavesNoTemporaryFile) {
  fs::create_directory(folder / "d.zq4");  // a folder cannot be replaced by the file
  Save(folder / "d.zq4");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].messageKind, MessageKind::Warning);
  EXPECT_NE(boxes.shown[1].text.find("d.zq4"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(folder / "d.zq4"));
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "d.zq4" || name == "Zuro.ini") << name;
  }
}

// Answers the modal windows of the platform's own dialogs as they come up,
// one step each; a window no step expects is recorded and closed, so a
// test cannot hang on it.
class ModalAnswers {
 public:
  explicit ModalAnswers(std::vector<std::function<void(QWidget*)>> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(0);
  }
  std::size_t Answered() const { return next_; }
  const std::vector<std::string>& Unexpected() const { return unexpected_; }

 private:
  void Poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == last_) return;
    last_ = w;
    if (next_ < steps_.size()) {
      steps_[next_++](w);
    } else {
      unexpected_.push_back(w->metaObject()->className());
      if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
    }
  }

  std::vector<std::function<void(QWidget*)>> steps_;
  std::size_t next_ = 0;
  QPointer<QWidget> last_;
  std::vector<std::string> unexpected_;
  QTimer timer_;
};

TEST_F(DataFilesTest, OpenWithAListStillOpenOverACellRestoresEveryCell) {
  // A portal with a list value in every kind of list cell.
  Fill(form->keizyo3->CtrlGrid1, {{1, {"0", "0"}}, {2, {"0", "3"}}, {3, {"4", "3"}}, {4, {"4", "0"}}});
  Fill(form->keizyo4->CtrlGrid5, {{1, {"1", " 111 固定"}}, {2, {"4", " 110 ピン"}}});
  Fill(form->keizyo1->CtrlGrid3, {{1, {CatalogueItems(SteelFamily::NarrowH)[1].c_str(), "", "", "1:S"}}});
  ApplyCatalogueChoice(form->keizyo1->CtrlGrid3->MutableTable(), 1, SteelFamily::NarrowH, 1);
  form->keizyo1->CtrlGrid3->CellsChanged();
  Fill(form->keizyo1->CtrlGrid4,
       {{1, {"1", "2", "1", ""}}, {2, {"2", "3", "1", "1 右端ﾋﾟﾝ"}}, {3, {"3", "4", "1", ""}}});
  Fill(form->keizyo2->CtrlGrid1, {{1, {"2", "↓", "1", "10"}}});
  Fill(form->keizyo2->CtrlGrid7, {{1, {"2", "1", "5"}}});
  frame->ToolButton9Click();
  ASSERT_TRUE(boxes.shown.empty());
  ASSERT_EQ(frame->Model().Fixity[1][1], 1);
  Save(folder / "portal.zq4");
  const std::vector<GridCells> saved = AllTables();
  form->show();

  // The list cell last edited: a choice made in its list, the list closed,
  // the box still laid over the cell.
  struct Case {
    const char* name;
    std::function<void()> openDialog;
    TCtrlGrid* grid;
    int col, row, item;
  };
  const Case cases[] = {
      {"support type", [this] { frame->ToolButton3Click(); }, form->keizyo4->CtrlGrid5, 2, 1, 2},
      {"catalogue section", [this] { frame->ToolButton2Click(); }, form->keizyo1->CtrlGrid3, 1, 1, 3},
      {"end condition", [this] { frame->ToolButton2Click(); }, form->keizyo1->CtrlGrid4, 4, 2, 2},
      {"member load type",
       [this] {
         frame->ToolButton4Click();
         form->keizyo2->PageControl1->setCurrentWidget(form->keizyo2->TabSheet1);
       },
       form->keizyo2->CtrlGrid1, 3, 1, 3},
      {"node load type",
       [this] {
         frame->ToolButton4Click();
         form->keizyo2->PageControl1->setCurrentWidget(form->keizyo2->TabSheet2);
       },
       form->keizyo2->CtrlGrid7, 2, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.openDialog();
    TCtrlGrid* grid = c.grid;
    QComboBox* list = ChooseInCellList(grid, c.col, c.row, c.item);
    ASSERT_NE(list, nullptr) << "one click opens the list";
    ASSERT_FALSE(list->view()->isVisible());
    ASSERT_EQ(grid->ShownControl(), list);
    ASSERT_EQ(list->currentIndex(), c.item) << "the choice, not the file's value, is shown";

    // Open through the real file dialog and the real question of New.
    InstallDialogs(&PlatformDialogs());
    ModalAnswers answers({[&](QWidget* w) {
                            auto* dialog = qobject_cast<QFileDialog*>(w);
                            ASSERT_NE(dialog, nullptr);
                            dialog->selectFile(QString::fromStdString((folder / "portal.zq4").string()));
                            static_cast<QDialog*>(dialog)->accept();
                          },
                          [](QWidget* w) {
                            auto* box = qobject_cast<QMessageBox*>(w);
                            ASSERT_NE(box, nullptr);
                            EXPECT_EQ(box->text(), QString::fromUtf8("現ﾃﾞ-ﾀ-が破棄されますがよろしいですか？"));
                            box->button(QMessageBox::Yes)->click();
                          }});
    frame->ToolButton6Click();
    InstallDialogs(&boxes);
    EXPECT_EQ(answers.Answered(), 2u);
    EXPECT_TRUE(answers.Unexpected().empty());

    const std::vector<GridCells> opened = AllTables();
    ASSERT_EQ(opened.size(), saved.size());
    for (std::size_t t = 0; t < saved.size(); ++t) {
      for (int r = 0; r < saved[t].RowCount(); ++r) {
        for (int col = 0; col < saved[t].ColCount(); ++col) {
          EXPECT_EQ(opened[t].Cell(col, r), saved[t].Cell(col, r)) << "grid " << t << " cell " << col << "," << r;
        }
      }
    }
    const RFrameModel& model = frame->Model();
    EXPECT_EQ(model.Fixity[1][1] + model.Fixity[1][2] + model.Fixity[1][3], 3) << "node 1 fixed";
    EXPECT_EQ(model.Fixity[4][1] + model.Fixity[4][2] + model.Fixity[4][3], 2) << "node 4 pinned";
    EXPECT_EQ(model.JointType[2], 1);
    EXPECT_GT(model.SectionI[1], 0.0);
  }
}

TEST_F(DataFilesTest, DialogsCarryTheirFilters) {
  Open(folder / "none.zq4");
  Save(folder / "x");
  ASSERT_GE(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].request.Filter, J("Zuroﾌｧｲﾙ(すべて)|*.zq4;*.zq3|新Zuroﾌｧｲﾙ|*.zq4|旧Zuroﾌｧｲﾙ|*.zq3"));
  EXPECT_EQ(boxes.shown[0].request.DefaultExt, "zq4");
  EXPECT_EQ(boxes.shown.back().request.Filter, J("Zuro4ﾌｧｲﾙ|*.zq4"));
  EXPECT_TRUE(FileExists(folder / "x.zq4")) << "the default extension";
}

}  // namespace
