#pragma once
// A canvas control for the benchmarks: the application object it needs for
// its images and fonts, and a 1920 x 1080 control at 96 pixels per inch on
// a black background, idle.

#include <QApplication>

#include <memory>

#include "canvas/cad_box.h"
#include "platform/custom_control.h"

inline QApplication& BenchApplication() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

inline std::unique_ptr<TcadBox> BenchCanvas() {
  BenchApplication();
  OverrideScreenPixelsPerInch(96);
  auto box = std::make_unique<TcadBox>();
  box->SetSize(1920, 1080);
  box->SetColor(clBlack);
  box->ButonType = dtNo;
  return box;
}
