#pragma once
// Notifications to host panels found by their window class name. A panel
// registers a receiver under its class name; a post is queued and delivered
// later from the event loop, carrying nothing but its number. This program
// registers no receiver, so its posts reach nobody; tests register one.

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <utility>

using HWND = std::uintptr_t;  // 0 is no window
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using UINT = unsigned int;

inline constexpr UINT WM_USER = 0x0400;

class NotificationReceiver {
 public:
  virtual ~NotificationReceiver() = default;
  virtual void ReceiveNotification(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Registers a window of a class; the newest window of a class is the one
// found. The receiver must outlive its registration.
HWND RegisterHostWindow(const std::string& className, NotificationReceiver* receiver);
void UnregisterHostWindow(HWND window);

// The newest window of the class, or 0. The window name is not used.
HWND FindWindowA(const char* className, const char* windowName);

// Queues the message for the window and reports success. A post to window 0
// goes to the posting thread's own queue, where nothing reads it, and also
// succeeds. It fails for a window that is not registered and when the queue
// already holds kMaxPostedNotifications messages.
bool PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

inline constexpr std::size_t kMaxPostedNotifications = 10000;

// Hands every queued message to its receiver, in order of posting; messages
// for windows unregistered meanwhile are dropped. The event loop calls it
// soon after a post; tests call it directly.
void DeliverPostedNotifications();
std::size_t PendingNotificationCount();

// One notification: WM_USER + n to the window of the class (0 when none).
void PostHostNotification(const char* className, int n);
// A chain: the classes in turn until a post succeeds. Since a post to a
// missing window succeeds, a chain ends at its first class unless a post
// fails outright.
void PostHostNotificationChain(std::initializer_list<const char*> classNames, int n);

// A receiver that keeps what it was given, for tests.
class RecordingReceiver : public NotificationReceiver {
 public:
  struct Record {
    std::string className;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  explicit RecordingReceiver(std::string className)
      : className_(std::move(className)), window_(RegisterHostWindow(className_, this)) {}
  ~RecordingReceiver() override { UnregisterHostWindow(window_); }
  RecordingReceiver(const RecordingReceiver&) = delete;
  RecordingReceiver& operator=(const RecordingReceiver&) = delete;

  HWND Window() const { return window_; }
  std::deque<Record> records;
  void ReceiveNotification(HWND, UINT message, WPARAM wParam, LPARAM lParam) override {
    records.push_back({className_, message, wParam, lParam});
  }

 private:
  std::string className_;
  HWND window_;
};
