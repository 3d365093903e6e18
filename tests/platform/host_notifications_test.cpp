#include "platform/host_notifications.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

#include "service_test_support.h"

namespace {

// Several receivers writing into one log, to see the order of delivery.
class LoggingReceiver : public NotificationReceiver {
 public:
  LoggingReceiver(std::string name, std::vector<std::string>& log)
      : name_(std::move(name)), log_(log), window_(RegisterHostWindow(name_, this)) {}
  ~LoggingReceiver() override { UnregisterHostWindow(window_); }
  HWND Window() const { return window_; }
  LoggingReceiver(const LoggingReceiver&) = delete;
  LoggingReceiver& operator=(const LoggingReceiver&) = delete;
  void ReceiveNotification(HWND, UINT message, WPARAM, LPARAM) override {
    log_.push_back(name_ + "+" + std::to_string(message - WM_USER));
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
  HWND window_;
};

void Drain() {
  DeliverPostedNotifications();
  ASSERT_EQ(PendingNotificationCount(), 0u);
}

TEST(HostNotifications, NoReceiverMeansPostsGoNowhere) {
  EXPECT_EQ(FindWindowA("TFrame10", nullptr), HWND{0});
  EXPECT_TRUE(PostMessageA(0, WM_USER + 106, 0, 0));  // the thread's own queue
  PostHostNotification("TFrame10", 106);
  PostHostNotificationChain({"TFrame31", "TFrame10"}, 111);
  EXPECT_EQ(PendingNotificationCount(), 0u);
}

TEST(HostNotifications, DeliveredLaterWithTheNumberAndNoData) {
  RecordingReceiver panel("TFrame10");
  EXPECT_EQ(FindWindowA("TFrame10", nullptr), panel.Window());
  EXPECT_EQ(FindWindowA("tframe10", nullptr), panel.Window());  // class names ignore case
  PostHostNotification("TFrame10", 106);
  PostHostNotification("TFrame10", 114);
  EXPECT_TRUE(panel.records.empty());  // not inside the posting handler
  Drain();
  ASSERT_EQ(panel.records.size(), 2u);
  EXPECT_EQ(panel.records[0].message, 0x0400u + 106);
  EXPECT_EQ(panel.records[1].message, 0x0400u + 114);
  for (const auto& r : panel.records) {
    EXPECT_EQ(r.className, "TFrame10");
    EXPECT_EQ(r.wParam, 0u);
    EXPECT_EQ(r.lParam, 0);
  }
}

TEST(HostNotifications, ChainStopsAtItsFirstClassEvenWithoutAWindow) {
  std::vector<std::string> log;
  LoggingReceiver second("TFrame11", log);
  PostHostNotificationChain({"TFrame10", "TFrame11"}, 106);  // no TFrame10: the post still succeeds
  Drain();
  EXPECT_TRUE(log.empty());

  LoggingReceiver first("TFrame10", log);
  PostHostNotificationChain({"TFrame10", "TFrame11"}, 106);
  Drain();
  EXPECT_EQ(log, std::vector<std::string>{"TFrame10+106"});
}

TEST(HostNotifications, TwoNotificationsArriveInOrder) {
  std::vector<std::string> log;
  LoggingReceiver panel("TFrame30", log);
  LoggingReceiver checker("TFkensa1", log);
  PostHostNotification("TFkensa1", 121);
  PostHostNotification("TFrame30", 121);
  Drain();
  EXPECT_EQ(log, (std::vector<std::string>{"TFkensa1+121", "TFrame30+121"}));
}

TEST(HostNotifications, FullQueueFailsEveryPostOfAChain) {
  std::vector<std::string> log;
  LoggingReceiver a("TFrame19", log);
  LoggingReceiver b("TFrame28", log);
  for (std::size_t i = 0; i < kMaxPostedNotifications; ++i) ASSERT_TRUE(PostMessageA(a.Window(), WM_USER, 0, 0));
  EXPECT_FALSE(PostMessageA(b.Window(), WM_USER + 101, 0, 0));
  EXPECT_FALSE(PostMessageA(0, WM_USER + 101, 0, 0));
  PostHostNotificationChain({"TFrame19", "TFrame28"}, 101);
  EXPECT_EQ(PendingNotificationCount(), kMaxPostedNotifications);
  Drain();
  EXPECT_EQ(log.size(), kMaxPostedNotifications);
  EXPECT_EQ(log.back(), "TFrame19+0");
  PostHostNotificationChain({"TFrame19", "TFrame28"}, 101);
  Drain();
  EXPECT_EQ(log.back(), "TFrame19+101");
}

TEST(HostNotifications, NewestWindowIsFoundAndGoneWindowsGetNothing) {
  std::vector<std::string> log;
  auto older = std::make_unique<LoggingReceiver>("TFrame5", log);
  const HWND olderWindow = FindWindowA("TFrame5", nullptr);
  {
    LoggingReceiver newer("TFrame5", log);
    EXPECT_NE(FindWindowA("TFrame5", nullptr), olderWindow);
    PostHostNotification("TFrame5", 116);
  }  // closed before the loop came round: the message is dropped
  Drain();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(FindWindowA("TFrame5", nullptr), olderWindow);
  older.reset();
  EXPECT_FALSE(PostMessageA(olderWindow, WM_USER + 116, 0, 0));  // no such window any more
  EXPECT_EQ(FindWindowA(nullptr, nullptr), HWND{0});
}

TEST(HostNotifications, TheEventLoopDelivers) {
  ASSERT_NE(TestApplication(), nullptr);
  RecordingReceiver panel("TFrame31");
  PostHostNotification("TFrame31", 120);
  EXPECT_TRUE(panel.records.empty());
  QCoreApplication::processEvents();
  ASSERT_EQ(panel.records.size(), 1u);
  EXPECT_EQ(panel.records[0].message, WM_USER + 120);
}

}  // namespace
