#pragma once
// "支点セット": the supported nodes with their support code.

#include <QWidget>

class FrameInputHost;
class QComboBox;
class QPushButton;
class TCtrlGrid;

class Tkeizyo4 : public QWidget {
 public:
  explicit Tkeizyo4(FrameInputHost& host, QWidget* mainWindow = nullptr);

  TCtrlGrid* CtrlGrid5;
  QComboBox* ComboBox1;  // the support codes
  QPushButton* Button1;  // "閉じる"
  QPushButton* Button2;  // "全ｸﾘｱ-"

  void FormCreate();
  void FormClose();
  // Parses the supports, has the frame draw them and closes; false when the
  // table was refused (the window stays as it was, nothing is drawn).
  bool Button1Click();
  void Button2Click();
  void CtrlGrid5Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  FrameInputHost& host_;
};
