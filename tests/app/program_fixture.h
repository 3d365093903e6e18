#pragma once
// The whole program in a folder of its own: the main form with its settings
// file there, scripted message boxes and file dialogs, and grid helpers.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/coordinate_dialog.h"
#include "app/load_dialog.h"
#include "app/main_form.h"
#include "app/main_frame.h"
#include "app/member_dialog.h"
#include "app/support_dialog.h"
#include "app_test_support.h"
#include "canvas/cad_box.h"
#include "platform/ctrl_grid.h"
#include "platform/dialogs.h"

class ProgramFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    std::string pattern = (std::filesystem::temp_directory_path() / "zuro_files_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    ::setenv("ZURO_STOCK_DIR", folder.c_str(), 1);
    form = std::make_unique<TForm1>(folder / "Zuro.ini");
    frame = form->Frame();
  }
  void TearDown() override {
    form.reset();
    ::unsetenv("ZURO_STOCK_DIR");
    std::filesystem::remove_all(folder);
  }

  static void Fill(TCtrlGrid* grid, std::initializer_list<TableRow> rows) {
    GridCells& cells = grid->MutableTable();
    for (const TableRow& r : rows) {
      for (std::size_t c = 0; c < r.cells.size(); ++c) cells.SetCell(static_cast<int>(c) + 1, r.row, J(r.cells[c]));
    }
    grid->CellsChanged();
  }

  // A choice made as the engineer makes it: one click on a list cell drops
  // its list down, a click on an item chooses it. The list box stays laid
  // over the cell with the choice, which is not in the cell yet. Null when
  // no list opened.
  static QComboBox* ChooseInCellList(TCtrlGrid* grid, int col, int row, int item) {
    QApplication::processEvents();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->viewport()->mapFrom(grid, grid->CellRect(col, row).center()));
    auto* list = qobject_cast<QComboBox*>(grid->ShownControl());
    if (!list || !list->view()->isVisible()) return nullptr;
    QApplication::processEvents();  // the dropped-down list lays out its items
    QAbstractItemView* view = list->view();
    const QRect r = view->visualRect(list->model()->index(item, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(view->viewport()->width() / 2, r.center().y()));
    return list;
  }

  // A 3 m steel cantilever fixed at node 1, 10 kN down at the tip, with a
  // member load so that every table holds a row.
  void EnterCantilever() {
    Fill(form->keizyo3->CtrlGrid1, {{1, {"0", "0"}}, {2, {"3", "0"}}});
    Fill(form->keizyo4->CtrlGrid5, {{1, {"1", " 111 固定"}}});
    Fill(form->keizyo1->CtrlGrid3, {{1, {"", "", "", "", "1000", "50"}}});
    Fill(form->keizyo1->CtrlGrid4, {{1, {"1", "2", "1", ""}}});
    Fill(form->keizyo2->CtrlGrid7, {{1, {"2", "2", "10"}}});
  }

  // Every grid the files hold, as tables (for "nothing changed" checks).
  std::vector<GridCells> AllTables() const {
    return {form->keizyo3->CtrlGrid1->Table(), form->keizyo4->CtrlGrid5->Table(), form->keizyo1->CtrlGrid3->Table(),
            form->keizyo1->CtrlGrid1->Table(), form->keizyo1->CtrlGrid4->Table(), form->keizyo2->CtrlGrid1->Table(),
            form->keizyo2->CtrlGrid7->Table(), form->keizyo1->CtrlGrid2->Table()};
  }

  std::filesystem::path folder;
  std::unique_ptr<TForm1> form;
  TMatNini1* frame = nullptr;
  ScriptedDialogs boxes;
  ScopedDialogs scoped{boxes};
};
