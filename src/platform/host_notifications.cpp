#include "platform/host_notifications.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cstring>
#include <vector>

namespace {

struct HostWindow {
  HWND handle;
  std::string className;
  NotificationReceiver* receiver;
};

struct Posted {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<HostWindow> windows;
std::deque<Posted> queue;
HWND nextHandle = 1;
bool deliveryScheduled = false;

// Class names compare as Windows compares them: ASCII case is ignored.
bool SameClass(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

const HostWindow* FindHandle(HWND h) {
  for (const HostWindow& w : windows) {
    if (w.handle == h) return &w;
  }
  return nullptr;
}

// Delivery waits for the event loop, as a posted message does; without an
// application object the queue waits for DeliverPostedNotifications.
void ScheduleDelivery() {
  QCoreApplication* app = QCoreApplication::instance();
  if (deliveryScheduled || !app) return;
  deliveryScheduled = true;
  QMetaObject::invokeMethod(
      app, [] { DeliverPostedNotifications(); }, Qt::QueuedConnection);
}

}  // namespace

HWND RegisterHostWindow(const std::string& className, NotificationReceiver* receiver) {
  const HWND h = nextHandle++;
  windows.push_back({h, className, receiver});
  return h;
}

void UnregisterHostWindow(HWND window) {
  for (auto it = windows.begin(); it != windows.end(); ++it) {
    if (it->handle == window) {
      windows.erase(it);
      return;
    }
  }
}

HWND FindWindowA(const char* className, const char*) {
  if (!className) return 0;
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (SameClass(it->className, className)) return it->handle;
  }
  return 0;
}

bool PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != 0 && !FindHandle(window)) return false;
  if (queue.size() >= kMaxPostedNotifications) return false;
  if (window == 0) return true;  // the thread's own queue; nothing reads it
  queue.push_back({window, message, wParam, lParam});
  ScheduleDelivery();
  return true;
}

void DeliverPostedNotifications() {
  deliveryScheduled = false;
  // Only what was queued before this call; a receiver that posts again is
  // served on the next round, as a message loop would.
  std::size_t count = queue.size();
  while (count-- > 0 && !queue.empty()) {
    const Posted p = queue.front();
    queue.pop_front();
    if (const HostWindow* w = FindHandle(p.window)) {
      w->receiver->ReceiveNotification(p.window, p.message, p.wParam, p.lParam);
    }
  }
}

std::size_t PendingNotificationCount() { return queue.size(); }

void PostHostNotification(const char* className, int n) {
  PostMessageA(FindWindowA(className, nullptr), WM_USER + static_cast<UINT>(n), 0, 0);
}

void PostHostNotificationChain(std::initializer_list<const char*> classNames, int n) {
  for (const char* name : classNames) {
    if (PostMessageA(FindWindowA(name, nullptr), WM_USER + static_cast<UINT>(n), 0, 0)) return;
  }
}
