#pragma once
// The main window: its menu, the four input dialogs, the main frame that
// fills it, and the settings file read at start and written at close.

#include <QMainWindow>

#include <filesystem>
#include <memory>

class QAction;
class TMatNini1;
class Tkeizyo1;
class Tkeizyo2;
class Tkeizyo3;
class Tkeizyo4;

class TForm1 : public QMainWindow {
 public:
  // settingsFile: where "Zuro.ini" lives (the program's own place unless a
  // test names another).
  explicit TForm1(std::filesystem::path settingsFile = {});
  ~TForm1() override;

  QAction* Exit1;
  QAction* About1;
  QAction* A1;

  TMatNini1* Frame() const { return frame_; }
  Tkeizyo1* keizyo1 = nullptr;
  Tkeizyo2* keizyo2 = nullptr;
  Tkeizyo3* keizyo3 = nullptr;
  Tkeizyo4* keizyo4 = nullptr;
  std::filesystem::path ProgramFolder;

  void LoadSettings();
  void SaveSettings();
  void Exit1Click();
  void About1Click();
  void A1Click();

 private:
  TMatNini1* frame_ = nullptr;
  std::filesystem::path settingsFile_;
  bool unreadableSettingsSaid_ = false;
};
