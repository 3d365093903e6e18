// New, Open and Save through the frame's buttons: the round trip, the old
// format, the names the dialogs propose, and every refusal leaving the
// model as it was.

#include <QPlainTextEdit>
#include <QTabWidget>

#include <map>
#include <string>

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
  const std::string first = LoadWholeFile(folder / "a.zq4");
  EXPECT_EQ(first.substr(0, 4), Le32(137));

  form->keizyo3->CtrlGrid1->SetCell(1, 2, "7");  // changed after the save
  boxes.messageAnswers.push_back(MessageAnswer::Yes);  // New asks: there is a drawing
  Open(folder / "a.zq4");
  ASSERT_EQ(boxes.shown.size(), 3u);  // save, open, the question of New
  EXPECT_EQ(boxes.shown[2].text, J("現ﾃﾞ-ﾀ-が破棄されますがよろしいですか？"));
  EXPECT_EQ(form->keizyo3->CtrlGrid1->Cell(1, 2), "3");
  EXPECT_EQ(frame->Model().NodeCount, 2) << "the model was calculated again";
  EXPECT_FALSE(frame->Memo1->toPlainText().isEmpty());
  EXPECT_EQ(frame->SaveDialog1.FileName, folder / "a.zq4");

  Save(folder / "b.zq4");
  EXPECT_EQ(LoadWholeFile(folder / "b.zq4"), first);
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
  EXPECT_EQ(LoadWholeFile(folder / "old.zq3"), zq3);
  EXPECT_EQ(LoadWholeFile(folder / "old.zq4").substr(0, 4), Le32(137));
}

TEST_F(DataFilesTest, OldNameAsksBeforeReplacingAnExistingNewFile) {
  WriteFileAtomically(folder / "b.zq4", "old");
  boxes.messageAnswers.push_back(MessageAnswer::Cancel);
  Save(folder / "b.zq3");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].buttons, MessageButtons::YesCancel);
  EXPECT_NE(boxes.shown[1].text.find("b.zq4"), std::string::npos);
  EXPECT_EQ(LoadWholeFile(folder / "b.zq4"), "old");

  boxes.messageAnswers.push_back(MessageAnswer::Yes);
  Save(folder / "b.zq3");
  EXPECT_EQ(LoadWholeFile(folder / "b.zq4").substr(0, 4), Le32(137));
  EXPECT_FALSE(FileExists(folder / "b.zq3"));

  // A new name asks nothing.
  const std::size_t before = boxes.shown.size();
  Save(folder / "c.zq3");
  EXPECT_EQ(boxes.shown.size(), before + 1);
  EXPECT_TRUE(FileExists(folder / "c.zq4"));
}

TEST_F(DataFilesTest, RefusedFilesLeaveModelGridsDrawingAndSaveName) {
  EnterCantilever();
  frame->ToolButton9Click();
  Save(folder / "good.zq4");
  const std::string good = LoadWholeFile(folder / "good.zq4");
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
