#pragma once
// A canvas control made offscreen at a pinned 96 pixels per inch, with
// helpers to place elements and read pixels at drawing coordinates.

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "canvas/cad_box.h"
#include "platform/custom_control.h"
#include "support/element_factory.h"
#include "support/test_application.h"

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
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
