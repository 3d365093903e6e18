#include "platform/ctrl_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "geometry/codepage.h"
#include "service_test_support.h"

namespace {

// A dialog with one grid of 4 columns and 10 rows and a few cell controls.
struct GridWindow {
  QApplication* app = TestApplication();
  QWidget window;
  TCtrlGrid* grid;
  QComboBox* list;      // drop-down list " ", "A", "B"
  QComboBox* editable;  // editable box "H-1", "H-2"

  GridWindow() {
    window.resize(400, 300);
    grid = new TCtrlGrid(&window);
    grid->setGeometry(10, 20, 300, 200);
    grid->SetColCount(4);
    grid->SetRowCount(10);
    grid->SetDefaultRowHeight(18);
    for (int c = 0; c < 4; ++c) grid->SetColWidth(c, 60);
    list = new QComboBox(&window);
    list->addItems({" ", "A", "B"});
    editable = new QComboBox(&window);
    editable->setEditable(true);
    editable->addItems({"H-1", "H-2"});
    window.show();
  }

  // A click of the left button in the middle of a cell, through the window
  // system's road (the grid's viewport takes it).
  void ClickCell(int col, int row) {
    const QPoint centre = grid->viewport()->mapFrom(grid, grid->CellRect(col, row).center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
  }
};

// Picks an item of a dropped-down list by a click on it.
void ClickListItem(QComboBox* box, int item) {
  QApplication::processEvents();  // the dropped-down list lays out its items
  QAbstractItemView* view = box->view();
  const QRect r = view->visualRect(box->model()->index(item, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(view->viewport()->width() / 2, r.center().y()));
}

// Collects Qt's warnings for the time of a test.
class QtWarnings {
 public:
  QtWarnings() {
    texts().clear();
    previous_ = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtWarningMsg) texts().push_back(text.toStdString());
    });
  }
  ~QtWarnings() { qInstallMessageHandler(previous_); }
  static std::vector<std::string>& texts() {
    static std::vector<std::string> collected;
    return collected;
  }
  bool Has(const std::string& part) const {
    for (const std::string& t : texts()) {
      if (t.find(part) != std::string::npos) return true;
    }
    return false;
  }

 private:
  QtMessageHandler previous_ = nullptr;
};

TEST(CtrlGrid, FindControlMatchesColumnsAndRowsFromEitherEnd) {
  GridWindow w;
  QLineEdit a(&w.window), b(&w.window), c(&w.window), d(&w.window);
  w.grid->Ctrls().Add(2, -1, &a, "");   // column 2, every row
  w.grid->Ctrls().Add(-2, -1, &b, "");  // the last column (3)
  w.grid->Ctrls().Add(2, 5, &c, "");    // never reached: a covers it
  w.grid->Ctrls().Add(1, -2, &d, "");   // column 1 of the last row (9)
  struct Case {
    int col, row, index;
  };
  const Case cases[] = {{2, 1, 0}, {2, 5, 0}, {2, 9, 0}, {3, 1, 1}, {3, 9, 1}, {1, 9, 3}, {1, 8, -1}, {0, 0, -1}};
  for (const Case& k : cases) EXPECT_EQ(w.grid->FindControl(k.col, k.row), k.index) << k.col << "," << k.row;
  EXPECT_EQ(w.grid->ControlAt(3, 4), &b);
  EXPECT_EQ(w.grid->ControlAt(1, 1), nullptr);
  EXPECT_EQ(w.grid->Ctrls().Count(), 4);
  EXPECT_EQ(w.grid->Ctrls().Get(3).Row, -2);
  EXPECT_EQ(w.grid->Ctrls().Get(9).Control, nullptr);
}

TEST(CtrlGrid, RegisteringForTheCurrentCellShowsTheControlOverIt) {
  GridWindow w;
  w.grid->FocusCell(2, 3);
  w.grid->SetCell(2, 3, "B");
  w.grid->Ctrls().Add(2, -1, w.list, "");
  ASSERT_EQ(w.grid->ShownControl(), w.list);
  EXPECT_TRUE(w.list->isVisible());
  EXPECT_EQ(w.list->currentText(), "B");
  const QRect r = w.grid->CellRect(2, 3);
  EXPECT_EQ(w.list->geometry(),
            QRect(w.grid->x() + r.left() + 1, w.grid->y() + r.top() + 1, r.width() + 2, r.height() + 2));
  // Moving to a cell without a control hides it and writes its text back.
  w.list->setCurrentIndex(1);
  w.grid->FocusCell(1, 3);
  EXPECT_EQ(w.grid->ShownControl(), nullptr);
  EXPECT_FALSE(w.list->isVisible());
  EXPECT_EQ(w.grid->Cell(2, 3), "A");
}

TEST(CtrlGrid, LoadingAComboBoxFromTheCell) {
  GridWindow w;
  w.grid->Ctrls().Add(2, -1, w.list, "");
  w.grid->Ctrls().Add(3, -1, w.editable, "");
  struct Case {
    int col;
    const char* text;
    int index;
    const char* shown;
  };
  const Case cases[] = {
      {2, "A", 1, "A"},     {2, "", -1, ""}, {2, "Z", -1, "Z"},  // a list keeps an unknown text
      {3, "H-2", 1, "H-2"}, {3, "", -1, ""}, {3, "X-9", -1, "X-9"},
  };
  for (const Case& c : cases) {
    w.grid->SetCell(c.col, 4, J(c.text));
    w.grid->FocusCell(1, 4);
    w.grid->FocusCell(c.col, 4);
    QComboBox* box = c.col == 2 ? w.list : w.editable;
    EXPECT_EQ(box->currentIndex(), c.index) << c.text;
    if (box->isEditable()) {
      EXPECT_EQ(box->currentText().toStdString(), c.shown);
    }
    w.grid->HideControl();
    EXPECT_EQ(w.grid->Cell(c.col, 4), c.text) << "left without a change, the cell keeps its text";
  }
}

TEST(CtrlGrid, EnterAcceptsAndEscapeRestores) {
  GridWindow w;
  w.grid->Ctrls().Add(2, -1, w.list, "");
  w.grid->SetCell(2, 2, "A");
  w.grid->FocusCell(2, 2);
  w.list->setCurrentIndex(2);
  int key = Qt::Key_Escape;
  w.grid->ControlKeyPress(w.list, key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(w.list->currentText(), "A");
  w.grid->HideControl();
  EXPECT_EQ(w.grid->Cell(2, 2), "A");

  w.grid->RefreshControl(2, 2);
  w.list->setCurrentIndex(2);
  key = Qt::Key_Return;
  w.grid->ControlKeyPress(w.list, key);
  EXPECT_EQ(key, 0);
  w.grid->HideControl();
  EXPECT_EQ(w.grid->Cell(2, 2), "B");

  key = Qt::Key_A;  // other keys go to the control
  w.grid->ControlKeyPress(w.list, key);
  EXPECT_EQ(key, Qt::Key_A);
}

TEST(CtrlGrid, EnterOnAnEmptyCellOffersTheDefaultText) {
  GridWindow w;
  w.grid->Ctrls().Add(2, -1, w.list, "B");
  w.grid->FocusCell(2, 6);
  ASSERT_EQ(w.list->currentIndex(), -1);
  int key = Qt::Key_Return;
  w.grid->KeyDown(key, Qt::NoModifier);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(w.list->currentText(), "B");
  w.grid->HideControl();
  EXPECT_EQ(w.grid->Cell(2, 6), "B");
  // A cell with text keeps it.
  w.grid->SetCell(2, 7, "A");
  w.grid->FocusCell(2, 7);
  key = Qt::Key_Return;
  w.grid->KeyDown(key, Qt::NoModifier);
  EXPECT_EQ(w.list->currentText(), "A");
}

TEST(CtrlGrid, LeavingForAnotherWidgetWritesTheChoiceBack) {
  GridWindow w;
  QLineEdit other(&w.window);
  other.show();
  QApplication::setActiveWindow(&w.window);
  w.grid->Ctrls().Add(2, -1, w.list, "");
  w.grid->setFocus();
  w.grid->FocusCell(2, 1);
  int key = Qt::Key_Return;
  w.grid->KeyDown(key, Qt::NoModifier);  // the list takes the focus
  if (!w.list->hasFocus()) GTEST_SKIP() << "this platform gives no keyboard focus";
  w.list->setCurrentIndex(1);
  other.setFocus();
  EXPECT_EQ(w.grid->ShownControl(), nullptr);
  EXPECT_EQ(w.grid->Cell(2, 1), "A");
}

TEST(CtrlGrid, OneClickOnAListCellOpensItsList) {
  GridWindow w;
  w.grid->Ctrls().Add(2, -1, w.list, "");
  w.grid->Ctrls().Add(3, -1, w.editable, "");
  QApplication::setActiveWindow(&w.window);
  w.grid->setFocus();
  w.grid->FocusCell(1, 1);

  // Each step is one click; the list is open after it or not.
  w.ClickCell(2, 3);
  ASSERT_EQ(w.grid->ShownControl(), w.list);
  EXPECT_TRUE(w.list->view()->isVisible()) << "the first click on the cell drops the list down";
  ClickListItem(w.list, 2);
  EXPECT_FALSE(w.list->view()->isVisible());
  EXPECT_EQ(w.grid->ShownControl(), w.list) << "the choice stays shown over its cell";
  EXPECT_EQ(w.list->currentText(), "B");

  w.ClickCell(2, 3);  // the same cell again: the box laid over it opens
  EXPECT_TRUE(w.list->view()->isVisible());
  ClickListItem(w.list, 1);
  EXPECT_FALSE(w.list->view()->isVisible());
  EXPECT_EQ(w.list->currentText(), "A");

  w.ClickCell(1, 5);  // a text cell: the choice goes into its cell
  EXPECT_EQ(w.grid->ShownControl(), nullptr);
  EXPECT_EQ(w.grid->Cell(2, 3), "A");

  w.ClickCell(2, 6);  // another list cell, again one click
  EXPECT_TRUE(w.list->view()->isVisible());
  ClickListItem(w.list, 1);
  w.ClickCell(3, 6);  // the editable box of the catalogue kind
  EXPECT_EQ(w.grid->Cell(2, 6), "A");
  ASSERT_EQ(w.grid->ShownControl(), w.editable);
  EXPECT_TRUE(w.editable->view()->isVisible());
  ClickListItem(w.editable, 0);
  w.ClickCell(1, 6);
  EXPECT_EQ(w.grid->Cell(3, 6), "H-1");
}

TEST(CtrlGrid, AnEditLeftPendingByAnotherCellDoesNotReachAListCell) {
  GridWindow w;
  w.grid->Ctrls().Add(2, -1, w.list, "");
  QApplication::setActiveWindow(&w.window);
  w.grid->setFocus();
  // The second click on a selected text cell asks for an editor once the
  // double-click interval has passed; with the interval at 0 that request
  // is served by the next turn of the event loop.
  const int interval = QApplication::doubleClickInterval();
  QApplication::setDoubleClickInterval(0);
  QtWarnings warnings;
  w.ClickCell(1, 3);
  w.ClickCell(1, 3);
  w.ClickCell(2, 3);
  QApplication::processEvents();
  QApplication::processEvents();
  // What a late request does: ask for an editor on the current cell.
  w.grid->edit(w.grid->currentIndex());
  QApplication::setDoubleClickInterval(interval);
  EXPECT_FALSE(warnings.Has("editing failed"));
  EXPECT_EQ(w.grid->ShownControl(), w.list);
  EXPECT_EQ(w.grid->findChildren<QLineEdit*>().size(), 0u) << "no text editor over a list cell";
}

TEST(CtrlGrid, EndEditingPutsOpenEditorsIntoTheirCells) {
  GridWindow w;
  w.grid->Ctrls().Add(2, -1, w.list, "");
  // The in-place editor of a text cell.
  w.grid->FocusCell(1, 2);
  w.grid->edit(w.grid->currentIndex());
  auto* editor = w.grid->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("-3.5"));
  w.grid->EndEditing();
  EXPECT_EQ(w.grid->Cell(1, 2), "-3.5");
  EXPECT_TRUE(w.grid->findChildren<QLineEdit*>().empty() || !editor->isVisible());
  // A list with a choice not yet written.
  w.grid->FocusCell(2, 2);
  ASSERT_EQ(w.grid->ShownControl(), w.list);
  w.list->setCurrentIndex(2);
  EXPECT_EQ(w.grid->Cell(2, 2), "");
  w.grid->EndEditing();
  EXPECT_EQ(w.grid->ShownControl(), nullptr);
  EXPECT_EQ(w.grid->Cell(2, 2), "B");
  w.grid->EndEditing();  // nothing open: nothing changes
  EXPECT_EQ(w.grid->Cell(2, 2), "B");
}

TEST(CtrlGrid, ACellRewrittenUnderItsControlKeepsTheNewText) {
  struct Case {
    const char* before;
    const char* rewritten;
  };
  // The empty cell first: a list loaded empty used to write the empty text
  // back over whatever had been put into its cell since.
  const Case cases[] = {{"", "A"}, {"A", ""}, {"A", "B"}, {"", "Z"}, {"B", "B"}};
  for (const Case& c : cases) {
    for (const bool wholeTable : {true, false}) {
      GridWindow w;
      w.grid->Ctrls().Add(2, -1, w.list, "");
      w.grid->SetCell(2, 4, c.before);
      w.grid->FocusCell(2, 4);
      ASSERT_EQ(w.grid->ShownControl(), w.list);
      if (wholeTable) {
        w.grid->MutableTable().SetCell(2, 4, c.rewritten);
        w.grid->CellsChanged();
      } else {
        w.grid->SetCell(2, 4, c.rewritten);
      }
      w.grid->HideControl();
      EXPECT_EQ(w.grid->Cell(2, 4), c.rewritten) << c.before << " -> " << c.rewritten << (wholeTable ? " (table)" : "");
    }
  }
}

TEST(CtrlGrid, WriteBackIsCutTo254Bytes) {
  GridWindow w;
  QLineEdit edit(&w.window);
  w.grid->Ctrls().Add(3, -1, &edit, "");
  struct Case {
    std::string typed;
    std::size_t kept;
  };
  const Case cases[] = {
      {std::string(300, 'x'), 254},
      {std::string(254, 'x'), 254},
      {std::string(253, 'x') + J("あ"), 253},  // the character would be cut in two
      {std::string(252, 'x') + J("あ"), 254},
  };
  for (const Case& c : cases) {
    w.grid->FocusCell(3, 1);
    w.grid->RefreshControl(3, 1);
    edit.setMaxLength(1000);
    edit.setText(QString::fromStdString(Utf8FromCp932(c.typed)));
    w.grid->HideControl();
    EXPECT_EQ(w.grid->Cell(3, 1), c.typed.substr(0, c.kept));
  }
}

TEST(CtrlGrid, HideEventMayChangeTheText) {
  GridWindow w;
  w.grid->Ctrls().Add(2, -1, w.list, "");
  std::string shown;
  w.grid->OnControlShow = [&](TCtrlGrid*, QWidget*, const std::string& text) { shown = text; };
  w.grid->OnControlHide = [](TCtrlGrid*, int, int, QWidget*, std::string& text) { text += "!"; };
  w.grid->SetCell(2, 1, "A");
  w.grid->FocusCell(2, 1);
  EXPECT_EQ(shown, "A");
  w.grid->HideControl();
  EXPECT_EQ(w.grid->Cell(2, 1), "A!");
}

TEST(CtrlGrid, NoControlForHiddenCellsOrWithoutEditing) {
  GridWindow w;
  w.grid->SetRowCount(60);
  w.grid->Ctrls().Add(2, -1, w.list, "");
  w.grid->FocusCell(1, 1);

  // Row 1 scrolled a few pixels up: cut at the top edge.
  w.grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  w.grid->verticalScrollBar()->setValue(5);
  EXPECT_FALSE(w.grid->CellVisible(w.grid->CellRect(2, 1)));
  w.grid->RefreshControl(2, 1);
  EXPECT_EQ(w.grid->ShownControl(), nullptr);
  EXPECT_TRUE(w.grid->CellVisible(w.grid->CellRect(2, 2)));

  // Scrolled out entirely: an all-zero rectangle.
  w.grid->verticalScrollBar()->setValue(18 * 40);
  EXPECT_TRUE(w.grid->CellRect(2, 1).isNull());
  EXPECT_FALSE(w.grid->CellVisible(w.grid->CellRect(2, 1)));

  w.grid->verticalScrollBar()->setValue(0);
  w.grid->SetOptions(goRangeSelect);  // no editing
  EXPECT_FALSE(w.grid->CanShowControl(2, 3));
  w.grid->FocusCell(2, 3);
  EXPECT_EQ(w.grid->ShownControl(), nullptr);

  w.grid->SetOptions(goEditing);
  w.grid->SetShowControls(false);
  w.grid->FocusCell(2, 4);
  EXPECT_EQ(w.grid->ShownControl(), nullptr);
  w.grid->SetShowControls(true);  // re-placed at once
  EXPECT_EQ(w.grid->ShownControl(), w.list);
}

TEST(CtrlGrid, CheckAndButtonCells) {
  GridWindow w;
  QCheckBox check(&w.window);
  QPushButton button("Go", &w.window);
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  w.grid->Ctrls().Add(1, -1, &check, "");
  w.grid->Ctrls().Add(3, -1, &button, "");

  w.grid->FocusCell(1, 2);
  int key = Qt::Key_Return;
  w.grid->KeyDown(key, Qt::NoModifier);
  EXPECT_EQ(w.grid->Cell(1, 2), "1");
  key = Qt::Key_Return;
  w.grid->KeyDown(key, Qt::NoModifier);
  EXPECT_EQ(w.grid->Cell(1, 2), "0");

  w.grid->FocusCell(3, 2);
  EXPECT_FALSE(button.isVisible()) << "a button is drawn in its cell, not shown";
  key = Qt::Key_Return;
  w.grid->KeyDown(key, Qt::NoModifier);
  EXPECT_EQ(clicks, 1);
  key = Qt::Key_Space;
  w.grid->KeyDown(key, Qt::NoModifier);
  EXPECT_EQ(clicks, 1) << "Space clicks on release";
  key = Qt::Key_Space;
  w.grid->KeyUp(key, Qt::NoModifier);
  EXPECT_EQ(clicks, 2);
}

TEST(CtrlGrid, CheckMarkShape) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    DrawCheckMark(p, QRect(0, 0, 20, 20));  // centre (10, 10)
  }
  // Inside the six points (6,8) (8,10) (12,6) (13,7) (8,12) (6,10): the
  // stroke's corner at (8, 11) and the rising arm at (11, 8); outside: the
  // gap under the arm at (12, 10) and the corners of the cell.
  struct Probe {
    int x, y;
    bool marked;
  };
  const Probe probes[] = {{8, 11, true}, {11, 8, true}, {6, 9, true}, {12, 10, false}, {3, 3, false}, {16, 16, false}};
  for (const Probe& p : probes) {
    EXPECT_EQ(image.pixelColor(p.x, p.y) == QColor(Qt::black), p.marked) << p.x << "," << p.y;
  }
}

TEST(CtrlGrid, EditingWritesCodePageText) {
  GridWindow w;
  w.grid->SetColTitles({"NO", J("節点"), "X"});
  EXPECT_EQ(w.grid->ColTitles(), (std::vector<std::string>{"NO", J("節点"), "X", ""}));
  w.grid->SetRowTitles({"", "[1]", "[2]"});
  EXPECT_EQ(w.grid->Cell(0, 2), "[2]");
  EXPECT_EQ(w.grid->Cell(0, 3), "");
  QAbstractItemModel* model = w.grid->model();
  model->setData(model->index(0, 1), QString::fromUtf8("１２"), Qt::EditRole);  // row 1, column 1
  EXPECT_EQ(w.grid->Cell(1, 1), J("１２"));
  EXPECT_EQ(model->data(model->index(0, 1), Qt::DisplayRole).toString(), QString::fromUtf8("１２"));
  EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsSelectable) << "the title column is never current";
}

}  // namespace
