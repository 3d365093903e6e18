#pragma once
// Shared by the tests of the input dialogs: a frame stand-in that records
// what the dialogs ask of it, and grid tables written as rows of UTF-8
// literals.

#include <QApplication>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "analysis/frame_model.h"
#include "app/frame_input_host.h"
#include "geometry/codepage.h"
#include "platform/event_loop_guard.h"
#include "platform/grid_cells.h"
#include "support/test_application.h"

class RecordingHost : public FrameInputHost {
 public:
  RFrameModel model;
  std::vector<std::string> calls;

  RFrameModel& Model() override { return model; }
  void EnableToolBar() override { calls.push_back("EnableToolBar"); }
  void DrawNodes() override { calls.push_back("DrawNodes"); }
  void DrawMembers() override { calls.push_back("DrawMembers"); }
  void DrawSupports() override { calls.push_back("DrawSupports"); }
  void ShowInputFigure() override { calls.push_back("ShowInputFigure"); }
  void RedrawAll() override { calls.push_back("RedrawAll"); }
};

// One grid row: its number and the texts of columns 1, 2, ... (UTF-8).
struct TableRow {
  int row;
  std::vector<const char*> cells;
};

// A table of the grid's size (title row and column included).
inline GridCells Table(int colCount, int rowCount, std::initializer_list<TableRow> rows) {
  GridCells table(colCount, rowCount);
  for (const TableRow& r : rows) {
    for (std::size_t c = 0; c < r.cells.size(); ++c) table.SetCell(static_cast<int>(c) + 1, r.row, J(r.cells[c]));
  }
  return table;
}
