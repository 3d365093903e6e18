// Compiled into every test program that links the test support: the
// application object exists before the first test (fonts, images and
// widgets need it) and is ended after the last, and a dialog that no test
// scripted fails the running test instead of waiting for a click.

#include <QApplication>

#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "support/test_application.h"
#include "support/unscripted_dialogs.h"

namespace {

class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    TestApplication();
    SetDefaultDialogs(&unscripted_);
  }
  void TearDown() override {
    SetDefaultDialogs(nullptr);
    delete QCoreApplication::instance();
  }

 private:
  UnscriptedDialogs unscripted_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace
