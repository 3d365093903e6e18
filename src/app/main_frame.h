#pragma once
// The main frame: the frame model, the drawing canvas with the input figure
// and the result diagrams, the report memo and the tool bars that open the
// input dialogs and run the calculation.

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "analysis/frame_model.h"
#include "analysis/frame_solver.h"
#include "app/frame_input_host.h"
#include "platform/dialogs.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class TcadBox;
class Tkeizyo1;
class Tkeizyo2;
class Tkeizyo3;
class Tkeizyo4;

class TMatNini1 : public QWidget, public FrameInputHost {
  // Declared first: the canvas exists before the components that show it.
  std::unique_ptr<TcadBox> canvas_;

 public:
  explicit TMatNini1(QWidget* parent = nullptr);
  ~TMatNini1() override;

  // The four input dialogs; the main form creates them with this frame as
  // their host and hands them over.
  void SetDialogs(Tkeizyo1* members, Tkeizyo2* loads, Tkeizyo3* coordinates, Tkeizyo4* supports);

  // ---- Components ----------------------------------------------------------
  QToolBar* ToolBar2;         // top
  QToolButton* ToolButton5;   // " 新規 "
  QToolButton* ToolButton6;   // "ﾌｧｲﾙ開く"
  QToolButton* ToolButton7;   // "ﾌｧｲﾙ保存"
  QToolButton* ToolButton9;   // "計算"
  QToolButton* ToolButton13;  // "ｽﾄｯｸﾃﾞ-ﾀ開く"
  QToolButton* ToolButton11;  // "ｽﾄｯｸへ出力"
  QToolBar* ToolBar1;         // left
  QToolButton* ToolButton1;   // "１座標入力 "
  QToolButton* ToolButton2;   // "2部材入力"
  QToolButton* ToolButton3;   // "3支点入力"
  QToolButton* ToolButton4;   // "4荷重入力"
  QTabWidget* PageControl1;
  QWidget* TabSheet1;  // "入力・応力図"
  QWidget* TabSheet2;  // " 計算結果 "
  QWidget* Panel1;
  QToolButton* SpeedButton2;  // "入力図"
  QToolButton* SpeedButton3;  // "Ｍ図(kN･m)"
  QToolButton* SpeedButton4;  // "Ｑ図(kN)"
  QToolButton* SpeedButton5;  // "Ｎ図(kN)"
  QToolButton* SpeedButton6;  // "変位図(cm)"
  QToolButton* SpeedButton1;  // "表示範囲固定"
  QLabel* Label1;             // "S=1/"
  QComboBox* ComboBox1;       // scale denominators
  QCheckBox* CheckBox1;       // "0値は非表示"
  QCheckBox* CheckBox2;       // "中央曲げ（C）は非表示"
  QCheckBox* CheckBox3;       // "節点間の距離が短い場合最大応力のみ表示"
  QFrame* Shape1;             // aqua bar
  QLabel* Label2;             // "圧縮"
  QFrame* Shape2;             // lime bar
  QLabel* Label3;             // "引張"
  QLabel* Label4;             // legend of the input figure
  QStatusBar* StatusBar1;
  QPlainTextEdit* Memo1;
  QPushButton* SpeedButton7;  // "ﾃｷｽﾄﾌｧｲﾙ保存"
  TcadBox& cadBox1;

  // ---- Frame state ---------------------------------------------------------
  RFrameModel& Model() override { return model_; }
  double MomentMax = 0.0;      // 0.6 x the largest moment, kN·m
  double ShearMax = 0.0;       // kN
  double AxialMax = 0.0;       // kN
  double DeflectionMax = 0.0;  // cm
  // How the last calculation ended; the report and the warnings read it.
  SolveOutcome LastOutcome;

  // ---- Input ---------------------------------------------------------------
  void ToolButton1Click();
  void ToolButton2Click();
  void ToolButton3Click();
  void ToolButton4Click();
  void ClearModel();
  void EnableToolBar() override;
  void DrawNodes() override;
  void DrawMembers() override;
  void DrawSupports() override;
  void ShowInputFigure() override;
  void RedrawAll() override;
  // Rebuilds the model from the four dialogs; false when one of them refused
  // its table (it has said why), so nothing must be calculated.
  bool CollectInput();
  // Closes whatever editor is open over any input grid, its text going into
  // the cell, before a whole table is read or rewritten.
  void EndGridEditing();

  // ---- Calculation ---------------------------------------------------------
  void ToolButton9Click();
  void WriteReport();
  // The warning of an unstable shape, naming the node where it showed;
  // empty when the last calculation gave usable results.
  std::string InstabilityWarning() const;
  void SpeedButton7Click();

  // ---- Diagrams, view buttons and scale box ---------------------------------
  void DrawMomentDiagram(int nodeI, int nodeJ, double mi, double mj, double mc, double momentMax);
  void DrawShearDiagram(int nodeI, int nodeJ, double qi, double qj, double shearMax, double dx, double dy);
  void DrawAxialDiagram(int nodeI, int nodeJ, double ni, double nj, double axialMax, double dx, double dy);
  void DrawDeflection(int nodeI, int nodeJ, double unused1, double unused2);
  void SpeedButton2Click();
  void ComboBox1Change();
  void SpeedButton1Click();
  // The scale denominator in the scale box.
  double SelectedScale() const;

  // ---- Data files, New, stock export and import -----------------------------
  void ToolButton5Click();   // New
  void ToolButton6Click();   // Open
  void ToolButton7Click();   // Save
  void ToolButton11Click();  // to the stock file
  void ToolButton13Click();  // from the stock file
  void ExportToStock();
  bool NewDone = false;  // the last New ran to its end
  FileDialogRequest OpenDialog1 = DataFileDialog(false);
  FileDialogRequest SaveDialog1 = DataFileDialog(true);
  static FileDialogRequest DataFileDialog(bool save);

 private:
  RFrameModel model_{};
  Tkeizyo1* keizyo1_ = nullptr;
  Tkeizyo2* keizyo2_ = nullptr;
  Tkeizyo3* keizyo3_ = nullptr;
  Tkeizyo4* keizyo4_ = nullptr;

  void BuildTopToolBar();
  void BuildLeftToolBar();
  void BuildPages();
  void BuildPanel();
  void OpenDialog(QWidget* dialog);
  void SetLayer(int layer);
  double GroupScale() const;
  void DrawReactions();
  void ForceDiagram(int nodeI, int nodeJ, double atI, double atJ, double labelI, double labelJ, double scale, double dx,
                    double dy, std::uint8_t colour);
  void ShowSolveRefusal(const SolveOutcome& outcome);
};
