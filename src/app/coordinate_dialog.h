#pragma once
// "座標入力": the node coordinates in metres, one node per row.

#include <QWidget>

class FrameInputHost;
class QPushButton;
class TCtrlGrid;

class Tkeizyo3 : public QWidget {
 public:
  // With a main window the dialog becomes its tool window.
  explicit Tkeizyo3(FrameInputHost& host, QWidget* mainWindow = nullptr);

  TCtrlGrid* CtrlGrid1;
  QPushButton* Button1;  // "閉じる"
  QPushButton* Button2;  // "全ｸﾘｱ-"

  void FormCreate();
  // Re-enables the tool bar, parses the coordinates and has the frame draw
  // the nodes. False when the table was refused (nothing is drawn then).
  bool FormClose();
  // Closes the window, which parses; the result of that parse. A refused
  // table keeps the window as it was, for the row to be mended.
  bool Button1Click();
  void Button2Click();
  void CtrlGrid1KeyDown(TCtrlGrid* sender, int& key, Qt::KeyboardModifiers shift);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  FrameInputHost& host_;
};
