#pragma once
// "荷重入力": member loads (uniform, linearly varying, concentrated) and node
// loads (horizontal, vertical, moment), each on one member or node or on a
// range "a/b".

#include <QWidget>

class FrameInputHost;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TCtrlGrid;

class Tkeizyo2 : public QWidget {
 public:
  explicit Tkeizyo2(FrameInputHost& host, QWidget* mainWindow = nullptr);

  QTabWidget* PageControl1;
  QWidget* TabSheet1;         // "部材荷重"
  QWidget* TabSheet2;         // "節点荷重"
  TCtrlGrid* CtrlGrid1;       // member loads
  QComboBox* ComboBox3;       // direction
  QComboBox* ComboBox2;       // member load type
  QPushButton* SpeedButton3;  // "部材荷重ｸﾘｱ-"
  QLabel* Image1;
  QLabel* Image2;
  QLabel* Image3;
  TCtrlGrid* CtrlGrid7;       // node loads
  QComboBox* ComboBox6;       // node load type
  QPushButton* SpeedButton2;  // "接点荷重ｸﾘｱ-"
  QLabel* Image23;
  QLabel* Image24;
  QLabel* Image25;
  QPushButton* Button1;  // "閉じる"
  QPushButton* Button2;  // "ｷｬﾝｾﾙ", hidden

  void FormCreate();
  void FormClose();
  // The parser, then the window closes; a refused input leaves it open.
  bool Button1Click();
  void Button2Click();
  void CtrlGrid1Click();
  void CtrlGrid7Click();
  void ComboBox2Change(int itemIndex);
  void ComboBox6Change(int itemIndex);
  void SpeedButton3Click();
  void SpeedButton2Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  FrameInputHost& host_;
};
