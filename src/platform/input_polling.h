#pragma once
// Long loops poll the input instead of handling events: a redraw stops when
// both mouse buttons are held, a preview stops when the cursor moves. The
// platform installs the real source; without one nothing is ever held, and
// tests install a fake.

enum class PolledKey {
  LeftButton,
  RightButton,
  MiddleButton,
  ArrowLeft,
  ArrowRight,
  ArrowUp,
  ArrowDown,
  PageUp,
  PageDown,
  Shift,
  Control,
};

class InputPolling {
 public:
  virtual ~InputPolling() = default;
  // The key or button is down now, whatever the event queue holds.
  virtual bool IsHeld(PolledKey key) const = 0;
  // The cursor position in screen pixels; false when it cannot be known.
  virtual bool CursorPos(int& x, int& y) const = 0;
};

// The source in use; never null. Installing nullptr restores "nothing held".
InputPolling& CurrentInputPolling();
void InstallInputPolling(InputPolling* source);

inline bool BothMouseButtonsHeld() {
  const InputPolling& in = CurrentInputPolling();
  return in.IsHeld(PolledKey::LeftButton) && in.IsHeld(PolledKey::RightButton);
}

// A settable source for tests; it can also count polls so a test can hold
// the buttons, or move the cursor, only after a loop has run a given number
// of steps.
class FakeInputPolling : public InputPolling {
 public:
  bool held[11] = {};
  int cursorX = 0, cursorY = 0;
  bool cursorKnown = false;
  // When positive, every key reads as held from this poll on (1 = the first).
  int holdAllFromPoll = 0;
  mutable int polls = 0;
  // When positive, the cursor reads as moved to (movedX, movedY) from this
  // cursor read on (1 = the first).
  int cursorMovesFromRead = 0;
  int movedX = 0, movedY = 0;
  mutable int cursorReads = 0;

  void Hold(PolledKey key, bool down = true) { held[static_cast<int>(key)] = down; }
  bool IsHeld(PolledKey key) const override {
    ++polls;
    if (holdAllFromPoll > 0 && polls >= holdAllFromPoll) return true;
    return held[static_cast<int>(key)];
  }
  bool CursorPos(int& x, int& y) const override {
    if (!cursorKnown) return false;
    ++cursorReads;
    const bool moved = cursorMovesFromRead > 0 && cursorReads >= cursorMovesFromRead;
    x = moved ? movedX : cursorX;
    y = moved ? movedY : cursorY;
    return true;
  }
};

// Installs a source for the lifetime of a scope (tests).
class ScopedInputPolling {
 public:
  explicit ScopedInputPolling(InputPolling& source) { InstallInputPolling(&source); }
  ~ScopedInputPolling() { InstallInputPolling(nullptr); }
  ScopedInputPolling(const ScopedInputPolling&) = delete;
  ScopedInputPolling& operator=(const ScopedInputPolling&) = delete;
};
