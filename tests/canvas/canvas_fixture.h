#pragma once
// A canvas control made offscreen at a pinned 96 pixels per inch, with
// helpers to place elements and read pixels at drawing coordinates.

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "canvas/cad_box.h"
#include "element_factory.h"
#include "platform/custom_control.h"

// Fonts and pictures need the application object; tests that run alone in
// their process get one here.
inline void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "test_canvas";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    OverrideScreenPixelsPerInch(96);
    box = std::make_unique<TcadBox>();
    box->SetColor(clBlack);
    box->ButonType = dtNo;
  }
  void TearDown() override {
    box.reset();
    OverrideScreenPixelsPerInch(0);
  }

  TCanvas& canvas() { return box->Canvas(); }

  // The pixel colour under a drawing point.
  TColor PixelAt(double x, double y) { return canvas().GetPixel(box->WorldToScreenX(x), box->WorldToScreenY(y)); }

  std::unique_ptr<TcadBox> box;
};
