// Fonts, painters on images and the SVG renderer need a GUI application
// object. The test program gets one for its whole run, unless another part
// of it has made one already.

#include <QApplication>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr) {
      app_ = std::make_unique<QApplication>(argc_, argv_);
    }
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "test_platform";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
