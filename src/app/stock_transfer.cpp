// The frame and the stock file: the whole drawing goes out to the sibling
// CAD program, and a figure drawn there comes in as node coordinates and
// member placements.

#include <algorithm>
#include <cmath>

#include "app/coordinate_dialog.h"
#include "app/input_parsers.h"
#include "app/main_frame.h"
#include "app/member_dialog.h"
#include "canvas/cad_box.h"
#include "canvas/stock_file.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "platform/ctrl_grid.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"

namespace {

constexpr double kSameNode = 0.01;  // metres

}  // namespace

void TMatNini1::ToolButton11Click() { ExportToStock(); }

void TMatNini1::ExportToStock() {
  const Tdrawinp& store = *cadBox1.Draw1;
  if (store.Elements.empty()) return;
  TDDGObject stock;
  const auto count = static_cast<std::int32_t>(store.Elements.size());
  for (const RDrawElement& e : store.Elements) {
    stock.WriteElement(e, count, 0.0, 0.0, 0.0, 1.0, 1.0, cadBox1.GroupScales, cadBox1.TextStyles);
  }
  stock.Texts = store.ElementTexts;
  try {
    stock.SaveStockFile();
  } catch (const FileError& error) {
    ShowWarning(error.what());
  }
}

void TMatNini1::ToolButton13Click() {
  if (!keizyo1_ || !keizyo3_) return;
  // A stock file that is there but not whole is refused before New empties
  // anything.
  {
    TDDGObject probe;
    if (!probe.OpenStockFile(cadBox1.TextStyles)) {
      ShowWarning(probe.ErrorText);
      return;
    }
  }
  ToolButton5Click();
  if (!NewDone) return;
  cadBox1.CancelCommands(false);
  cadBox1.LoadStockToBuffer(0);
  cadBox1.PasteScaleX = 1.0;
  cadBox1.PasteScaleY = 1.0;
  cadBox1.CommandAngle = 0;
  cadBox1.AxisAngle = 0;
  cadBox1.DirectionMode = 0;
  cadBox1.ButonType = dtNo;
  Tdrawinp& store = *cadBox1.Draw1;
  store.PasteBuffer(cadBox1.DirectionMode, 3, 0, 0, 0, 0, NormalizeAngle360(cadBox1.CommandAngle + cadBox1.AxisAngle),
                    -cadBox1.AxisAngle, cadBox1.PasteScaleX, cadBox1.PasteScaleY, cadBox1.WriteGrupe_No,
                    cadBox1.WriteReiya_No, true, 0, false, false);
  const double metres = cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups] / 1000;

  // Nodes: the last grid row stays empty, and no more rows are filled than
  // the model has node rows.
  TCtrlGrid* coordinateGrid = keizyo3_->CtrlGrid1;
  GridCells& coordinates = coordinateGrid->MutableTable();
  const int nodeLimit = std::min(coordinates.RowCount() - 1, kFrameMaxNodes);
  int n = 0;
  for (const RDrawElement& e : store.Elements) {
    if (e.Kind != kKindPoint) continue;
    ++n;
    if (n >= nodeLimit) break;
    coordinates.SetCell(1, n, TrimBlanks(Format("%2.3f", {e.X1 * metres})));
    coordinates.SetCell(2, n, TrimBlanks(Format("%2.3f", {e.Y1 * metres})));
  }
  coordinateGrid->CellsChanged();
  if (n <= 1) {
    ShowWarning(J("点デ－タ－がありません。ｽﾄｯｸﾃﾞ-ﾀ-を確認してください。"));
    store.ClearBuffer();
    store.BufferTexts.clear();
    cadBox1.ClearDrawing();
    return;
  }

  // Members: likewise bounded by the placement grid and the model's slots.
  TCtrlGrid* placementGrid = keizyo1_->CtrlGrid4;
  GridCells& placement = placementGrid->MutableTable();
  const int memberLimit = std::min(placement.RowCount() - 1, kFrameMemberSlots);
  int m = 0;
  for (const RDrawElement& e : store.Elements) {
    if (e.Kind != kKindLine) continue;
    ++m;
    if (m >= memberLimit) break;
    const double x1 = e.X1 * metres, y1 = e.Y1 * metres, x2 = e.X2 * metres, y2 = e.Y2 * metres;
    int number = e.ColorNo;
    std::string joint;
    if (e.LineType == 2) {
      joint = J(kBothEndsPinnedJoint);
    } else if (e.LineType >= 5 && e.LineType <= 8) {
      number += 10 * (e.LineType - 4);
    }
    for (int r = 1; r < coordinates.RowCount(); ++r) {
      if (TrimBlanks(coordinates.Cell(1, r)).empty()) break;
      double x = 0, y = 0;
      if (!TryStrToFloat(coordinates.Cell(1, r), x) || !TryStrToFloat(coordinates.Cell(2, r), y)) continue;
      if (std::abs(x1 - x) < kSameNode && std::abs(y1 - y) < kSameNode) {
        placement.SetCell(1, m, Format("%d", {r}));
        placement.SetCell(3, m, Format("%d", {number}));
        placement.SetCell(4, m, TrimBlanks(joint));
      } else if (std::abs(x2 - x) < kSameNode && std::abs(y2 - y) < kSameNode) {
        placement.SetCell(2, m, Format("%d", {r}));
      }
    }
  }
  placementGrid->CellsChanged();

  store.ClearBuffer();
  store.BufferTexts.clear();
  cadBox1.ClearDrawing();
  CollectInput();
  cadBox1.RedrawAll(false);
  ShowConfirmation(J("ﾃﾞ-ﾀ-が正常に読込めました。") + "\n\r" +
                   J("部材ﾘｽﾄ、支点ｾｯﾄ、荷重等の未入力ﾃﾞ-ﾀ-を入力してください。"));
}
