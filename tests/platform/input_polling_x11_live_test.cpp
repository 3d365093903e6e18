// The X11 source against a real X server of its own (Xvfb), when one can
// be started; Xlib comes last because its macros clash with other headers.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/input_polling_x11.h"

#include <X11/Xlib.h>

namespace {

// A private X server for the test, on the display number it picks itself.
class PrivateXServer {
 public:
  PrivateXServer() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      ::execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "640x480x24",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(fds[1]);
    // The server writes its display number once it accepts connections.
    char buffer[16] = {};
    std::size_t got = 0;
    while (pid_ > 0 && got < sizeof buffer - 1) {
      const ssize_t n = ::read(fds[0], buffer + got, sizeof buffer - 1 - got);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
      if (buffer[got - 1] == '\n') break;
    }
    ::close(fds[0]);
    if (got > 0 && buffer[got - 1] == '\n') name_ = ":" + std::string(buffer, got - 1);
  }
  ~PrivateXServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

TEST(InputPollingX11, RealServerReportsThePointer) {
  if (::access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "no Xvfb";
  PrivateXServer server;
  if (server.name().empty()) GTEST_SKIP() << "Xvfb did not start";
  std::unique_ptr<InputPolling> source = OpenX11InputPolling(server.name().c_str());
  ASSERT_NE(source, nullptr);
  // The socket-only form of the name reaches the same server.
  EXPECT_NE(OpenX11InputPolling(("unix" + server.name()).c_str()), nullptr);

  Display* display = XOpenDisplay(server.name().c_str());
  ASSERT_NE(display, nullptr);
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, 100, 50);
  XSync(display, False);
  int x = -1, y = -1;
  EXPECT_TRUE(source->CursorPos(x, y));
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  XCloseDisplay(display);

  // Nobody touches a private server's mouse or keyboard.
  for (int k = 0; k <= static_cast<int>(PolledKey::Control); ++k) {
    EXPECT_FALSE(source->IsHeld(static_cast<PolledKey>(k))) << k;
  }
}

// A display no server serves on this machine: a number whose socket is
// neither in the X socket folder nor among the sockets in use (the
// abstract ones included), named "unix:N" so that the connection tries
// that socket alone and no TCP port.
std::string UnusedDisplayName() {
  std::string sockets;
  {
    std::ifstream in("/proc/net/unix");
    sockets.assign(std::istreambuf_iterator<char>(in), {});
  }
  for (int n = 4242; n < 4342; ++n) {
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(n);
    if (::access(path.c_str(), F_OK) == 0 || sockets.find(path + "\n") != std::string::npos) continue;
    return "unix:" + std::to_string(n);
  }
  return {};
}

TEST(InputPollingX11, NoSourceWithoutAServer) {
  const std::string name = UnusedDisplayName();
  ASSERT_FALSE(name.empty()) << "a hundred X display numbers are all in use";
  EXPECT_EQ(OpenX11InputPolling(name.c_str()), nullptr) << name;
}

}  // namespace
