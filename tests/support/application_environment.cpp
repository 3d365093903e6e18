// Compiled into every test program that links the test support: the
// application object exists before the first test (fonts, images and
// widgets need it) and is ended after the last.

#include <QApplication>

#include <gtest/gtest.h>

#include "support/test_application.h"

namespace {

class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { TestApplication(); }
  void TearDown() override { delete QCoreApplication::instance(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace
