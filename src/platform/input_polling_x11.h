#pragma once
// The real input source for long loops: on X11 the pointer buttons, the
// modifiers and the key map are asked of the server at each poll; on every
// other platform (offscreen, Wayland) nothing is ever held.

#include <array>
#include <cstdint>
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

// Decides from one poll whether a key or button is down.
bool X11IsHeld(PolledKey key, const X11InputState& state, const X11KeyCodes& codes);

// An X11 source on its own connection to the named display (nullptr: $DISPLAY);
// null when the display cannot be opened.
std::unique_ptr<InputPolling> OpenX11InputPolling(const char* displayName);

// Installs the source that fits the running Qt platform: the X11 one for
// "xcb", "nothing held" for any other. Called once after the application
// object exists; returns true when the X11 source was installed.
bool InstallPlatformInputPolling();
