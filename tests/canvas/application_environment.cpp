// The application object for the whole test program, ended before the
// program exits: Qt's input devices, made by the synthetic mouse events,
// must go while the application still exists.

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr) app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "test_canvas";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace
