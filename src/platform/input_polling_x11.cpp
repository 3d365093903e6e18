#include "platform/input_polling_x11.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QString>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <ctime>
#include <memory>

namespace {

bool PointerButton(PolledKey key, unsigned int& mask) {
  switch (key) {
    case PolledKey::LeftButton: mask = Button1Mask; return true;
    case PolledKey::MiddleButton: mask = Button2Mask; return true;
    case PolledKey::RightButton: mask = Button3Mask; return true;
    case PolledKey::Shift: mask = ShiftMask; return true;
    case PolledKey::Control: mask = ControlMask; return true;
    default: return false;
  }
}

// A connection to an X server and the key codes of the polled keys on it.
class X11Connection {
 public:
  // display: the application's connection, or null to open our own to displayName.
  explicit X11Connection(Display* display, const char* displayName = nullptr) : display_(display) {
    if (!display_) {
      display_ = XOpenDisplay(displayName);
      own_ = display_ != nullptr;
    }
    if (!display_) return;
    const auto add = [this](PolledKey key, KeySym sym) {
      const KeyCode code = XKeysymToKeycode(display_, sym);
      if (code != 0) codes_[static_cast<int>(key)].push_back(code);
    };
    add(PolledKey::ArrowLeft, XK_Left);
    add(PolledKey::ArrowLeft, XK_KP_Left);
    add(PolledKey::ArrowRight, XK_Right);
    add(PolledKey::ArrowRight, XK_KP_Right);
    add(PolledKey::ArrowUp, XK_Up);
    add(PolledKey::ArrowUp, XK_KP_Up);
    add(PolledKey::ArrowDown, XK_Down);
    add(PolledKey::ArrowDown, XK_KP_Down);
    add(PolledKey::PageUp, XK_Page_Up);
    add(PolledKey::PageUp, XK_KP_Page_Up);
    add(PolledKey::PageDown, XK_Page_Down);
    add(PolledKey::PageDown, XK_KP_Page_Down);
  }
  ~X11Connection() {
    if (own_) XCloseDisplay(display_);
  }
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  bool Usable() const { return display_ != nullptr; }
  const X11KeyCodes& Codes() const { return codes_; }

  InputReading Read(bool withKeys) const {
    InputReading r;
    Window root, child;
    int wx, wy;
    r.pointerRead =
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &r.x, &r.y, &wx, &wy, &r.pointerMask) != 0;
    if (withKeys) {
      XQueryKeymap(display_, r.keymap.data());
      r.keysRead = true;
    }
    return r;
  }

 private:
  Display* display_ = nullptr;
  bool own_ = false;
  X11KeyCodes codes_;
};

// The throttled source together with the connection it reads.
class X11InputPolling : public InputPolling {
 public:
  explicit X11InputPolling(std::unique_ptr<X11Connection> connection)
      : connection_(std::move(connection)),
        polling_([c = connection_.get()](bool withKeys) { return c->Read(withKeys); }, connection_->Codes(),
                 MonotonicMicroseconds) {}
  bool IsHeld(PolledKey key) const override { return polling_.IsHeld(key); }
  bool CursorPos(int& x, int& y) const override { return polling_.CursorPos(x, y); }

 private:
  std::unique_ptr<X11Connection> connection_;
  ThrottledInputPolling polling_;
};

std::unique_ptr<X11InputPolling> x11Source;

}  // namespace

std::int64_t MonotonicMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

ThrottledInputPolling::ThrottledInputPolling(Reader reader, X11KeyCodes codes, Clock clock,
                                             std::int64_t intervalMicroseconds)
    : reader_(std::move(reader)), codes_(std::move(codes)), clock_(std::move(clock)), interval_(intervalMicroseconds) {}

void ThrottledInputPolling::Refresh(bool keys) const {
  const std::int64_t now = clock_();
  const bool pointerDue = !pointerFresh_ || now - pointerAt_ >= interval_;
  const bool keysDue = keys && (!keysFresh_ || now - keysAt_ >= interval_);
  if (!pointerDue && !keysDue) return;
  const InputReading r = reader_(keysDue);
  ++readings_;
  // A reading always brings the pointer; the keys only when they were due.
  pointerFresh_ = true;
  pointerAt_ = now;
  pointerKnown_ = r.pointerRead;
  state_.pointerMask = r.pointerRead ? r.pointerMask : 0;
  x_ = r.x;
  y_ = r.y;
  if (keysDue) {
    keysFresh_ = true;
    keysAt_ = now;
    state_.keymap = r.keysRead ? r.keymap : std::array<char, 32>{};
  }
}

bool ThrottledInputPolling::IsHeld(PolledKey key) const {
  unsigned int mask;
  Refresh(!PointerButton(key, mask));
  return X11IsHeld(key, state_, codes_);
}

bool ThrottledInputPolling::CursorPos(int& x, int& y) const {
  Refresh(false);
  if (!pointerKnown_) return false;
  x = x_;
  y = y_;
  return true;
}

bool X11IsHeld(PolledKey key, const X11InputState& state, const X11KeyCodes& codes) {
  unsigned int mask;
  if (PointerButton(key, mask)) return (state.pointerMask & mask) != 0;
  const int index = static_cast<int>(key);
  if (index < 0 || index >= static_cast<int>(codes.size())) return false;
  for (const std::uint8_t code : codes[index]) {
    if (state.keymap[code / 8] & (1 << (code % 8))) return true;
  }
  return false;
}

std::unique_ptr<InputPolling> OpenX11InputPolling(const char* displayName) {
  auto connection = std::make_unique<X11Connection>(nullptr, displayName);
  if (!connection->Usable()) return nullptr;
  return std::make_unique<X11InputPolling>(std::move(connection));
}

bool InstallPlatformInputPolling() {
  InstallInputPolling(nullptr);
  x11Source.reset();
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) return false;
  Display* display = nullptr;
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
    display = x11->display();
  }
  auto connection = std::make_unique<X11Connection>(display);
  if (!connection->Usable()) return false;
  x11Source = std::make_unique<X11InputPolling>(std::move(connection));
  InstallInputPolling(x11Source.get());
  return true;
}
