#pragma once
// Shared by the tests of the platform services: scratch folders, the
// environment, modal windows.

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/event_loop_guard.h"
#include "support/test_application.h"

// A fresh empty folder, removed with everything in it at the end of the scope.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zuro_svc_XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Sets an environment variable (or unsets it with nullptr) for a scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      had_ = true;
      old_ = old;
    }
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (had_)
      ::setenv(name_.c_str(), old_.c_str(), 1);
    else
      ::unsetenv(name_.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_, old_;
  bool had_ = false;
};

// Runs action on the next modal window once its own event loop shows it.
inline void WhenModalShown(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      action(w);
    }
  });
  timer->start(0);
}
