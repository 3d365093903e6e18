// Stock export and import through the frame's buttons: figures drawn in the
// sibling CAD program become coordinate and placement rows, and the whole
// drawing goes out.

#include <QPlainTextEdit>

#include <cstring>
#include <string>
#include <vector>

#include "canvas/stock_file.h"
#include "platform/file_services.h"
#include "program_fixture.h"

namespace {

namespace fs = std::filesystem;

// Packed fields are read by value before the test macros bind them.
template <class T>
T Value(T field) {
  return field;
}

RDrawElement StockPoint(double x, double y) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.LineType = 1;
  e.ColorNo = 1;
  e.X1 = x;
  e.Y1 = y;
  return e;
}

RDrawElement StockLine(double x1, double y1, double x2, double y2, std::uint8_t colour = 1, std::uint8_t type = 1) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.LineType = type;
  e.ColorNo = colour;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  return e;
}

class StockTransferTest : public ProgramFixture {
 protected:
  // The figure as the CAD program sends it, drawn at 1/groupScale on group 0.
  void SendFigure(const std::vector<RDrawElement>& elements, double groupScale = 100) {
    std::array<double, kLayerGroups> scales;
    scales.fill(100);
    scales[0] = groupScale;
    TDDGObject stock;
    for (const RDrawElement& e : elements) {
      stock.WriteElement(e, static_cast<std::int32_t>(elements.size()), 0, 0, 0, 1, 1, scales,
                         frame->cadBox1.TextStyles);
    }
    stock.SaveStockFile();
  }
  std::string Coordinate(int row, int col) { return form->keizyo3->CtrlGrid1->Cell(col, row); }
  std::string Placement(int row, int col) { return form->keizyo1->CtrlGrid4->Cell(col, row); }
  fs::path StockFile() { return folder / "Vostak.tmp"; }
  // The import is refused with a warning naming the stock file, before New
  // is asked: neither the tables nor the drawing change.
  void ExpectImportRefusedBeforeNew() {
    const std::vector<GridCells> tables = AllTables();
    const std::size_t elements = frame->cadBox1.Draw1->Elements.size();
    frame->ToolButton13Click();
    ASSERT_EQ(boxes.shown.size(), 1u) << "no question of New";
    EXPECT_EQ(boxes.shown[0].messageKind, MessageKind::Warning);
    EXPECT_NE(boxes.shown[0].text.find("Vostak.tmp"), std::string::npos);
    EXPECT_TRUE(AllTables() == tables);
    EXPECT_EQ(frame->cadBox1.Draw1->Elements.size(), elements);
  }
};

TEST_F(StockTransferTest, PointsBecomeNodesAndLinesMembers) {
  // Three points at 1/100 with the scale box at 1/100; lines 1-2, 2-3 and 3-1.
  SendFigure({StockPoint(0, 0), StockPoint(100, 0), StockPoint(100, 50), StockLine(0, 0, 100, 0),
              StockLine(100, 0, 100, 50), StockLine(100, 50, 0, 0)});
  frame->ToolButton13Click();
  const char* const expected[][2] = {{"0.000", "0.000"}, {"10.000", "0.000"}, {"10.000", "5.000"}};
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(Coordinate(r, 1), expected[r - 1][0]) << r;
    EXPECT_EQ(Coordinate(r, 2), expected[r - 1][1]) << r;
  }
  EXPECT_EQ(Coordinate(4, 1), "");
  EXPECT_EQ(Placement(1, 1), "1");
  EXPECT_EQ(Placement(1, 2), "2");
  EXPECT_EQ(Placement(2, 1), "2");
  EXPECT_EQ(Placement(2, 2), "3");
  // Stored as drawn, (3, 1): New emptied the member list, so the member
  // parser refuses the placement before it would turn the row round.
  EXPECT_EQ(Placement(3, 1), "3");
  EXPECT_EQ(Placement(3, 2), "1");
  EXPECT_EQ(Placement(1, 3), "1");
  EXPECT_EQ(Placement(1, 4), "");

  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().messageKind, MessageKind::Confirmation);
  EXPECT_EQ(boxes.shown.back().text,
            J("ﾃﾞ-ﾀ-が正常に読込めました。") + "\n\r" + J("部材ﾘｽﾄ、支点ｾｯﾄ、荷重等の未入力ﾃﾞ-ﾀ-を入力してください。"));
  EXPECT_TRUE(frame->cadBox1.Draw1->Buffer.empty());
  EXPECT_TRUE(frame->cadBox1.Draw1->BufferTexts.empty());
  EXPECT_EQ(frame->Model().NodeCount, 3) << "the input was collected";
  for (const RDrawElement& e : frame->cadBox1.Draw1->Elements) {
    EXPECT_NE(Value(e.Layer), 0) << "only the figure the parsers drew remains";
  }
  EXPECT_TRUE(frame->Memo1->toPlainText().isEmpty()) << "no calculation";
}

TEST_F(StockTransferTest, AListLeftOpenOverACellDoesNotOverwriteTheImport) {
  // The end condition of placement row 1 chosen as "1 右端ﾋﾟﾝ", its list box
  // still over the cell; the imported line of line type 2 is pinned at both
  // ends.
  form->show();
  frame->ToolButton2Click();
  QComboBox* list = ChooseInCellList(form->keizyo1->CtrlGrid4, 4, 1, 0);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(form->keizyo1->CtrlGrid4->ShownControl(), list);
  SendFigure({StockPoint(0, 0), StockPoint(100, 0), StockLine(0, 0, 100, 0, 1, 2)});
  frame->ToolButton13Click();
  EXPECT_EQ(Placement(1, 1), "1");
  EXPECT_EQ(Placement(1, 2), "2");
  EXPECT_EQ(Placement(1, 4), J("3 両端ﾋﾟﾝ"));
  EXPECT_EQ(Placement(2, 4), "");
}

TEST_F(StockTransferTest, FigureDrawnAtAnotherScaleIsRescaled) {
  SendFigure({StockPoint(0, 0), StockPoint(100, 0)}, 50);
  frame->ToolButton13Click();
  EXPECT_EQ(Coordinate(2, 1), "5.000");
}

TEST_F(StockTransferTest, ColourAndLineTypeGiveSectionAndJoint) {
  const struct {
    std::uint8_t colour, type;
    const char* number;
    const char* joint;
  } cases[] = {
      {3, 6, "23", ""}, {1, 2, "1", "3 両端ﾋﾟﾝ"}, {2, 5, "12", ""}, {4, 8, "44", ""}, {5, 1, "5", ""}, {7, 9, "7", ""},
  };
  for (const auto& c : cases) {
    SendFigure({StockPoint(0, 0), StockPoint(100, 0), StockLine(0, 0, 100, 0, c.colour, c.type)});
    boxes.messageAnswers.push_back(MessageAnswer::Yes);  // New asks from the second import on
    frame->ToolButton13Click();
    EXPECT_EQ(Placement(1, 3), c.number) << int(c.colour) << "/" << int(c.type);
    EXPECT_EQ(Placement(1, 4), J(c.joint)) << int(c.colour) << "/" << int(c.type);
  }
}

TEST_F(StockTransferTest, FewerThanTwoPointsIsWarnedAbout) {
  const std::string warning = J("点デ－タ－がありません。ｽﾄｯｸﾃﾞ-ﾀ-を確認してください。");
  SendFigure({StockPoint(100, 50), StockLine(0, 0, 100, 0)});
  frame->ToolButton13Click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, warning);
  EXPECT_EQ(Coordinate(1, 1), "10.000") << "a single point keeps its row";
  EXPECT_EQ(Placement(1, 1), "");
  EXPECT_TRUE(frame->cadBox1.Draw1->Elements.empty());
  EXPECT_TRUE(frame->cadBox1.Draw1->Buffer.empty());

  // No stock file at all: the same warning.
  fs::remove(StockFile());
  boxes.shown.clear();
  frame->ToolButton13Click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, warning);
}

TEST_F(StockTransferTest, NeverFillsTheLastRowOfEitherGrid) {
  std::vector<RDrawElement> figure;
  for (int k = 0; k < 200; ++k) figure.push_back(StockPoint(10.0 * k, 0));
  for (int k = 0; k < 250; ++k) figure.push_back(StockLine(0, 0, 10, 0));
  SendFigure(figure);
  frame->ToolButton13Click();
  EXPECT_EQ(Coordinate(148, 1), "147.000");  // the 148th point, 1470 mm at 1/100
  EXPECT_EQ(Coordinate(149, 1), "");
  EXPECT_EQ(Placement(198, 1), "1");
  EXPECT_EQ(Placement(198, 2), "2");
  EXPECT_EQ(Placement(199, 1), "");
  EXPECT_EQ(Placement(199, 3), "");
}

TEST_F(StockTransferTest, EndMatchingTwoNodesTakesTheHigherRow) {
  // Nodes 2 and 3 lie 0.005 m apart (0.05 mm at 1/100).
  SendFigure({StockPoint(0, 0), StockPoint(100, 0), StockPoint(100.05, 0), StockLine(0, 0, 100.02, 0)});
  frame->ToolButton13Click();
  EXPECT_EQ(Placement(1, 1), "1");
  EXPECT_EQ(Placement(1, 2), "3");
}

TEST_F(StockTransferTest, RefusedStockFileChangesNothing) {
  EnterCantilever();
  frame->ToolButton9Click();
  SendFigure({StockPoint(0, 0), StockPoint(100, 0)});
  std::string cut = LoadWholeFile(StockFile(), kLargestStockFile);
  cut.resize(cut.size() - 1);
  WriteFileAtomically(StockFile(), cut);
  const std::vector<GridCells> tables = AllTables();
  const std::size_t elements = frame->cadBox1.Draw1->Elements.size();
  frame->ToolButton13Click();
  ASSERT_EQ(boxes.shown.size(), 1u) << "no question of New";
  EXPECT_EQ(boxes.shown[0].messageKind, MessageKind::Warning);
  EXPECT_NE(boxes.shown[0].text.find("Vostak.tmp"), std::string::npos);
  EXPECT_TRUE(AllTables() == tables);
  EXPECT_EQ(frame->cadBox1.Draw1->Elements.size(), elements);

  // New cancelled: nothing changes either.
  SendFigure({StockPoint(0, 0), StockPoint(100, 0)});
  boxes.shown.clear();
  frame->ToolButton13Click();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::YesCancel);
  EXPECT_TRUE(AllTables() == tables);
  EXPECT_EQ(frame->cadBox1.Draw1->Elements.size(), elements);
}

TEST_F(StockTransferTest, StockPathThatIsAFolderIsRefusedBeforeNew) {
  EnterCantilever();
  frame->ToolButton9Click();
  fs::remove(StockFile());
  fs::create_directory(StockFile());
  ExpectImportRefusedBeforeNew();
}

TEST_F(StockTransferTest, StockFileAboveTheLimitIsRefusedUnread) {
  EnterCantilever();
  frame->ToolButton9Click();
  WriteFileAtomically(StockFile(), "");
  fs::resize_file(StockFile(), kLargestStockFile + 1);  // sparse: nothing to read
  ExpectImportRefusedBeforeNew();
}

TEST_F(StockTransferTest, FailedExportKeepsTheEarlierStockFile) {
  WriteFileAtomically(StockFile(), "earlier");
  EnterCantilever();
  frame->ToolButton9Click();
  FailNextAtomicWriteAfterForTest(800);
  frame->ToolButton11Click();
  EXPECT_EQ(LoadWholeFile(StockFile(), kLargestStockFile), "earlier");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].text.find("Vostak.tmp"), std::string::npos);
}

TEST_F(StockTransferTest, ExportWritesTheWholeDrawing) {
  frame->ToolButton11Click();
  EXPECT_FALSE(FileExists(StockFile())) << "an empty drawing writes nothing";
  WriteFileAtomically(StockFile(), "earlier");
  frame->ToolButton11Click();
  EXPECT_EQ(LoadWholeFile(StockFile(), kLargestStockFile), "earlier");

  EnterCantilever();
  frame->ToolButton9Click();
  const Tdrawinp& store = *frame->cadBox1.Draw1;
  ASSERT_FALSE(store.Elements.empty());
  frame->ToolButton11Click();
  const std::string bytes = LoadWholeFile(StockFile(), kLargestStockFile);
  std::int32_t count = 0;
  std::memcpy(&count, bytes.data(), 4);
  EXPECT_EQ(static_cast<std::size_t>(count), store.Elements.size());
  double rotation = 1, xFactor = 0, scale0 = 0;
  std::memcpy(&rotation, bytes.data() + 4, 8);
  std::memcpy(&xFactor, bytes.data() + 12, 8);
  std::memcpy(&scale0, bytes.data() + 28, 8);
  EXPECT_EQ(rotation, 0.0);
  EXPECT_EQ(xFactor, 1.0);
  EXPECT_EQ(scale0, frame->cadBox1.GroupScales[0]);
  RDrawElement first;
  std::memcpy(&first, bytes.data() + 792, 51);
  EXPECT_EQ(Value(first.Kind), Value(store.Elements[0].Kind));
  EXPECT_EQ(Value(first.X1), Value(store.Elements[0].X1));
  // The text table is the drawing's.
  std::size_t at = 792 + 51 * store.Elements.size();
  std::uint16_t texts = 0;
  std::memcpy(&texts, bytes.data() + at, 2);
  EXPECT_EQ(texts, store.ElementTexts.size());
  at += 2;
  std::uint16_t length = 0;
  std::memcpy(&length, bytes.data() + at, 2);
  EXPECT_EQ(bytes.substr(at + 2, length - 1u), store.ElementTexts.at(0));
  EXPECT_EQ(bytes[at + 2 + length - 1], '\0');
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
