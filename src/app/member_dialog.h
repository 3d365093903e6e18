#pragma once
// "部材入力・配置": the member list (sections from the steel catalogues, B x D
// or I and A), the hidden RC/PL list, the user moduli of structures 6 to 9
// and the placement of the members between nodes.

#include <QWidget>

#include <array>
#include <filesystem>

#include "app/steel_catalogues.h"

// Row titles of the user moduli grid: the title of column 0 and structures 6 to 9.
inline constexpr std::array<const char*, 5> ModuliRowTitles = {"構造NO", "6", "7", "8", "9"};
// The joint type of a member pinned at both ends, as the placement list offers it.
inline constexpr char kBothEndsPinnedJoint[] = "3 両端ﾋﾟﾝ";

class FrameInputHost;
class QButtonGroup;
class QComboBox;
class QPushButton;
class QTabWidget;
class QToolButton;
class TCtrlGrid;

class Tkeizyo1 : public QWidget {
 public:
  explicit Tkeizyo1(FrameInputHost& host, QWidget* mainWindow = nullptr);

  QTabWidget* PageControl2;
  QWidget* TabSheet1;  // "部材リスト"
  QWidget* TabSheet2;  // "ＲＣ･PL", tab hidden
  QWidget* TabSheet3;  // "設定"
  // The shape family buttons: 細幅, 中幅, 広幅, □, ○, Ｌ, [, FB (invisible).
  QToolButton* ToolButton1;
  QToolButton* ToolButton2;
  QToolButton* ToolButton6;
  QToolButton* ToolButton7;
  QToolButton* ToolButton8;
  QToolButton* ToolButton3;
  QToolButton* ToolButton4;
  QToolButton* ToolButton5;
  QButtonGroup* ToolBar1;
  QButtonGroup* ToolBar2;     // Fc-21, Fc-24, Fc-27, 鋼材PL: no action
  QPushButton* SpeedButton2;  // "B*D断面性能計算"
  TCtrlGrid* CtrlGrid3;       // member list
  QComboBox* ComboBox1;       // catalogue box
  QComboBox* ComboBox3;       // structure codes
  QPushButton* SpeedButton1;  // "断面計算"
  TCtrlGrid* CtrlGrid1;       // RC/PL list
  TCtrlGrid* CtrlGrid2;       // user moduli
  QPushButton* SpeedButton3;  // "上記数値を新規立上り設定として登録"
  TCtrlGrid* CtrlGrid4;       // placement
  QComboBox* ComboBox2;       // end releases
  QPushButton* Button1;       // "閉じる"
  QPushButton* Button2;       // "配置ﾘｽﾄ初期化"
  QPushButton* Button3;       // "部材ﾘｽﾄ初期化"

  void FormCreate();
  void FormClose();
  // The parser; draws the members and closes the window when it took the
  // input, else leaves the window open. Returns whether it took the input.
  bool Button1Click();
  void Button2Click();
  void Button3Click();
  void CtrlGrid3Click();
  void CtrlGrid4Click();
  void ToolButton1Click();
  void ComboBox1Change(int itemIndex);
  void SpeedButton2Click();
  void SpeedButton1Click();
  void SpeedButton3Click();
  void CtrlGrid4KeyDown(TCtrlGrid* sender, int& key, Qt::KeyboardModifiers shift);

  // The family whose shape button is down.
  SteelFamily CurrentFamily() const;

  // The catalogue rows, by family.
  static RCatalogueRow CatalogueNarrowH(int index) { return ::CatalogueNarrowH(index); }
  static RCatalogueRow CatalogueMediumH(int index) { return ::CatalogueMediumH(index); }
  static RCatalogueRow CatalogueWideH(int index) { return ::CatalogueWideH(index); }
  static RCatalogueRow CataloguePipe(int index) { return ::CataloguePipe(index); }
  static RCatalogueRow CatalogueBox(int index) { return ::CatalogueBox(index); }
  static RCatalogueRow CatalogueAngle(int index) { return ::CatalogueAngle(index); }
  static RCatalogueRow CatalogueChannel(int index) { return ::CatalogueChannel(index); }

  // Writes rows 1 to 4 of the user moduli grid as comma text under "Set1",
  // "Data1" to "Data4" of the settings file.
  void SaveUserModuli();
  void SaveUserModuliTo(const std::filesystem::path& settingsFile);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  FrameInputHost& host_;
};
