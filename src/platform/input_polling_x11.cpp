#include "platform/input_polling_x11.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QString>

#include <X11/Xlib.h>
#include <X11/keysym.h>

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

class X11InputPolling : public InputPolling {
 public:
  // display: the application's connection, or null to open our own to displayName.
  explicit X11InputPolling(Display* display, const char* displayName = nullptr) : display_(display) {
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
  ~X11InputPolling() override {
    if (own_) XCloseDisplay(display_);
  }
  X11InputPolling(const X11InputPolling&) = delete;
  X11InputPolling& operator=(const X11InputPolling&) = delete;

  bool Usable() const { return display_ != nullptr; }

  bool IsHeld(PolledKey key) const override {
    X11InputState state;
    int x, y;
    if (!QueryPointer(state.pointerMask, x, y)) return false;
    unsigned int mask;
    if (!PointerButton(key, mask)) XQueryKeymap(display_, state.keymap.data());
    return X11IsHeld(key, state, codes_);
  }

  bool CursorPos(int& x, int& y) const override {
    unsigned int mask;
    return QueryPointer(mask, x, y);
  }

 private:
  bool QueryPointer(unsigned int& mask, int& x, int& y) const {
    Window root, child;
    int wx, wy;
    return XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x, &y, &wx, &wy, &mask) != 0;
  }

  Display* display_ = nullptr;
  bool own_ = false;
  X11KeyCodes codes_;
};

std::unique_ptr<X11InputPolling> x11Source;

}  // namespace

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
  auto source = std::make_unique<X11InputPolling>(nullptr, displayName);
  if (!source->Usable()) return nullptr;
  return source;
}

bool InstallPlatformInputPolling() {
  InstallInputPolling(nullptr);
  x11Source.reset();
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) return false;
  Display* display = nullptr;
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
    display = x11->display();
  }
  auto source = std::make_unique<X11InputPolling>(display);
  if (!source->Usable()) return false;
  x11Source = std::move(source);
  InstallInputPolling(x11Source.get());
  return true;
}
