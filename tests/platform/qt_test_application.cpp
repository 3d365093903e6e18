// Fonts, painters on images and the SVG renderer need a GUI application
// object. The test program gets the program's own application class for its
// whole run, so the error-report tests see the guard they test.

#include <QApplication>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

#include "platform/event_loop_guard.h"

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr) {
      app_ = std::make_unique<ZuroApplication>(argc_, argv_);
    }
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "test_platform";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<ZuroApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
