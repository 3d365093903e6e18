// New, Open and Save of the frame: a model is kept as the texts of the input
// grids. A file is read whole and checked before the current model is
// touched; a save goes through one atomic write.

#include <QPlainTextEdit>
#include <QTabWidget>

#include <algorithm>
#include <cctype>

#include "app/coordinate_dialog.h"
#include "app/data_file_format.h"
#include "app/input_dialog_support.h"
#include "app/load_dialog.h"
#include "app/main_form.h"
#include "app/main_frame.h"
#include "app/member_dialog.h"
#include "app/support_dialog.h"
#include "canvas/cad_box.h"
#include "geometry/codepage.h"
#include "platform/ctrl_grid.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"

namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const fs::path& name) {
  std::string ext = name.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

std::string NamedFile(const fs::path& name) {
  std::string text(1, '"');
  text += Cp932FromPath(name);
  text += '"';
  return text;
}

// Settings that cannot be written must not stop New or Save: say so and go on.
void SaveSettingsOf(QWidget* window) {
  auto* form = dynamic_cast<TForm1*>(window);
  if (!form) return;
  try {
    form->SaveSettings();
  } catch (const FileError& error) {
    ShowWarning(error.what());
  }
}

}  // namespace

FileDialogRequest TMatNini1::DataFileDialog(bool save) {
  FileDialogRequest request;
  request.DefaultExt = "zq4";
  request.Filter = save ? J("Zuro4ﾌｧｲﾙ|*.zq4") : J("Zuroﾌｧｲﾙ(すべて)|*.zq4;*.zq3|新Zuroﾌｧｲﾙ|*.zq4|旧Zuroﾌｧｲﾙ|*.zq3");
  return request;
}

void TMatNini1::ToolButton5Click() {
  // A choice still open in a cell list is taken before anything is asked
  // or emptied; otherwise it would be written back over what comes next.
  EndGridEditing();
  if (!cadBox1.Draw1->Elements.empty() && !AskWarningYesCancel(J("現ﾃﾞ-ﾀ-が破棄されますがよろしいですか？"))) {
    NewDone = false;
    return;
  }
  SaveSettingsOf(window());
  NewDone = true;
  Memo1->clear();
  ClearModel();
  cadBox1.ClearDrawing();
  cadBox1.RedrawAll(false);
  if (keizyo1_) {
    ClearGridColumns(keizyo1_->CtrlGrid3, 1, 6);
    ClearGridColumns(keizyo1_->CtrlGrid1, 1, 4);
    ClearGridColumns(keizyo1_->CtrlGrid4, 1, 4);
  }
  if (keizyo2_) {
    ClearGridColumns(keizyo2_->CtrlGrid1, 1, 7);
    ClearGridColumns(keizyo2_->CtrlGrid7, 1, 3);
  }
  if (keizyo3_) ClearGridColumns(keizyo3_->CtrlGrid1, 1, 2);
  if (keizyo4_) ClearGridColumns(keizyo4_->CtrlGrid5, 1, 2);
  cadBox1.GroupScales[cadBox1.WriteGrupe_No % kLayerGroups] = SelectedScale();
  if (auto* form = dynamic_cast<TForm1*>(window())) form->LoadSettings();
}

void TMatNini1::ToolButton6Click() {
  if (!keizyo1_ || !keizyo2_ || !keizyo3_ || !keizyo4_) return;
  fs::path chosen;
  if (!CurrentDialogs().OpenFile(OpenDialog1, chosen)) return;
  OpenDialog1.FileName = chosen;

  // The whole file is read and checked before anything changes.
  std::string bytes;
  try {
    bytes = LoadWholeFile(chosen, kLargestModelFile);
  } catch (const FileError& error) {
    ShowWarning(error.what());
    return;
  }
  TCtrlGrid* const grids[kDataFileSections] = {keizyo3_->CtrlGrid1, keizyo4_->CtrlGrid5, keizyo1_->CtrlGrid3,
                                               keizyo1_->CtrlGrid1, keizyo1_->CtrlGrid4, keizyo2_->CtrlGrid1,
                                               keizyo2_->CtrlGrid7, keizyo1_->CtrlGrid2};
  std::array<int, kDataFileSections> rowCounts{};
  for (std::size_t s = 0; s < kDataFileSections; ++s) rowCounts[s] = grids[s]->RowCount();
  const bool zq4 = LowerExtension(chosen) != ".zq3";
  RDataFileContents contents;
  std::string reason;
  if (!ReadDataFile(bytes, zq4, rowCounts, keizyo1_->PageControl2->count(), contents, reason)) {
    ShowWarning(J("ファイル ") + NamedFile(chosen) + J(" を読み込めません。") + reason);
    return;
  }

  ToolButton5Click();
  if (!NewDone) return;
  SaveDialog1.FileName = chosen;
  for (std::size_t s = 0; s < kDataFileSections; ++s) {
    if (s == kModuliSection && !contents.HasModuli) continue;
    GridCells& cells = grids[s]->MutableTable();
    for (const RDataFileRow& row : contents.Sections[s]) cells.SetRowCommaText(row.Row, row.Text);
    grids[s]->CellsChanged();
  }
  keizyo1_->PageControl2->setCurrentIndex(contents.PageIndex);

  // A table that is refused has said why; it is not said twice.
  if (CollectInput()) ToolButton9Click();
  keizyo1_->PageControl2->setCurrentIndex(0);
}

void TMatNini1::ToolButton7Click() {
  if (!keizyo1_ || !keizyo2_ || !keizyo3_ || !keizyo4_) return;
  fs::path chosen;
  if (!CurrentDialogs().SaveFile(SaveDialog1, chosen)) return;
  SaveDialog1.FileName = chosen;
  SaveSettingsOf(window());
  EndGridEditing();

  fs::path name = chosen;
  if (LowerExtension(name) == ".zq3") {
    name.replace_extension(".zq4");
    // The dialog asked about the name it showed, not about this one.
    if (FileExists(name) &&
        CurrentDialogs().ShowMessageBox(J("ファイル ") + NamedFile(name) + J(" は既にあります。上書きしますか？"),
                                        MessageKind::Confirmation, MessageButtons::YesCancel) != MessageAnswer::Yes) {
      return;
    }
  }
  const std::array<const GridCells*, kDataFileSections> grids = {
      &keizyo3_->CtrlGrid1->Table(), &keizyo4_->CtrlGrid5->Table(), &keizyo1_->CtrlGrid3->Table(),
      &keizyo1_->CtrlGrid1->Table(), &keizyo1_->CtrlGrid4->Table(), &keizyo2_->CtrlGrid1->Table(),
      &keizyo2_->CtrlGrid7->Table(), &keizyo1_->CtrlGrid2->Table()};
  std::string bytes, reason;
  if (!WriteDataFile(grids, keizyo1_->PageControl2->currentIndex(), bytes, reason)) {
    ShowWarning(J("ファイル ") + NamedFile(name) + J(" に保存できません。") + reason);
    return;
  }
  try {
    WriteFileAtomically(name, bytes);
  } catch (const FileError& error) {
    ShowWarning(error.what());
  }
}
