#pragma once
// The real input source for long loops: on X11 the pointer buttons, the
// modifiers and the key map are asked of the server, at most every few
// milliseconds; on every other platform (offscreen, Wayland) nothing is ever
// held.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "geometry/input_polling.h"

// What one poll of the X server returned: the pointer's button and modifier
// mask (XQueryPointer) and the 256-bit key map (XQueryKeymap).
struct X11InputState {
  unsigned int pointerMask = 0;
  std::array<char, 32> keymap{};
};

// The X key codes of each polled key (several keys can mean one: the arrows
// of the keypad count as arrows).
using X11KeyCodes = std::array<std::vector<std::uint8_t>, 11>;

// One reading of the input state: the pointer part (buttons, modifiers,
// cursor) and, when asked for, the keys.
struct InputReading {
  bool pointerRead = false;
  unsigned int pointerMask = 0;
  int x = 0, y = 0;
  bool keysRead = false;
  std::array<char, 32> keymap{};
};

// Answers the polls of long loops from the last reading while it is younger
// than the interval: a reading costs a round trip to the server, and a loop
// that polls every few entries would spend most of its time waiting for
// them. The pointer and the keys are read separately, each only when asked
// for. The clock gives microseconds and never goes back.
class ThrottledInputPolling : public InputPolling {
 public:
  using Reader = std::function<InputReading(bool withKeys)>;
  using Clock = std::function<std::int64_t()>;
  // Short enough that a key or button held during a redraw stops it before
  // the wait is felt; long enough that a busy server, whose round trip can
  // take a millisecond or more, costs a redraw only a small part of its time.
  static constexpr std::int64_t kIntervalMicroseconds = 20000;

  ThrottledInputPolling(Reader reader, X11KeyCodes codes, Clock clock,
                        std::int64_t intervalMicroseconds = kIntervalMicroseconds);
  bool IsHeld(PolledKey key) const override;
  bool CursorPos(int& x, int& y) const override;
  // How often the platform was read (tests).
  int Readings() const { return readings_; }

 private:
  void Refresh(bool keys) const;

  Reader reader_;
  X11KeyCodes codes_;
  Clock clock_;
  std::int64_t interval_;
  mutable X11InputState state_;
  mutable bool pointerKnown_ = false;
  mutable int x_ = 0, y_ = 0;
  mutable bool pointerFresh_ = false, keysFresh_ = false;
  mutable std::int64_t pointerAt_ = 0, keysAt_ = 0;
  mutable int readings_ = 0;
};

// Microseconds of a monotonic clock.
std::int64_t MonotonicMicroseconds();

// Decides from one poll whether a key or button is down.
bool X11IsHeld(PolledKey key, const X11InputState& state, const X11KeyCodes& codes);

// An X11 source on its own connection to the named display (nullptr: $DISPLAY);
// null when the display cannot be opened.
std::unique_ptr<InputPolling> OpenX11InputPolling(const char* displayName);

// Installs the source that fits the running Qt platform: the X11 one for
// "xcb", "nothing held" for any other. Called once after the application
// object exists; returns true when the X11 source was installed.
bool InstallPlatformInputPolling();
