#include "platform/input_polling_x11.h"

#include <gtest/gtest.h>

#include <vector>

#include "service_test_support.h"

namespace {

// X protocol values, written out: ShiftMask 1, ControlMask 4,
// Button1Mask 0x100, Button2Mask 0x200, Button3Mask 0x400.
constexpr unsigned kShift = 0x1, kControl = 0x4, kLeft = 0x100, kMiddle = 0x200, kRight = 0x400;

X11KeyCodes TypicalCodes() {
  X11KeyCodes codes;
  codes[static_cast<int>(PolledKey::ArrowLeft)] = {113, 83};  // Left, KP_Left
  codes[static_cast<int>(PolledKey::ArrowRight)] = {114};
  codes[static_cast<int>(PolledKey::ArrowUp)] = {111};
  codes[static_cast<int>(PolledKey::ArrowDown)] = {116};
  codes[static_cast<int>(PolledKey::PageUp)] = {112};
  codes[static_cast<int>(PolledKey::PageDown)] = {117, 89};
  return codes;
}

X11InputState State(unsigned mask, std::initializer_list<int> keysDown) {
  X11InputState s;
  s.pointerMask = mask;
  for (int code : keysDown) s.keymap[code / 8] = static_cast<char>(s.keymap[code / 8] | (1 << (code % 8)));
  return s;
}

bool BothHeld(const InputPolling& in) { return in.IsHeld(PolledKey::LeftButton) && in.IsHeld(PolledKey::RightButton); }

TEST(InputPollingX11, ButtonsModifiersAndKeysFromOnePoll) {
  const X11KeyCodes codes = TypicalCodes();
  struct Case {
    X11InputState state;
    PolledKey key;
    bool held;
  };
  const Case cases[] = {
      {State(kLeft, {}), PolledKey::LeftButton, true},
      {State(kLeft, {}), PolledKey::RightButton, false},
      {State(kLeft | kRight, {}), PolledKey::RightButton, true},
      {State(kMiddle, {}), PolledKey::MiddleButton, true},
      {State(kMiddle, {}), PolledKey::LeftButton, false},
      {State(kShift, {}), PolledKey::Shift, true},
      {State(kControl, {}), PolledKey::Control, true},
      {State(kControl, {}), PolledKey::Shift, false},
      {State(0, {113}), PolledKey::ArrowLeft, true},
      {State(0, {83}), PolledKey::ArrowLeft, true},  // the keypad arrow counts too
      {State(0, {113}), PolledKey::ArrowRight, false},
      {State(0, {114, 111}), PolledKey::ArrowUp, true},
      {State(0, {116}), PolledKey::ArrowDown, true},
      {State(0, {112}), PolledKey::PageUp, true},
      {State(0, {89}), PolledKey::PageDown, true},
      {State(0, {255}), PolledKey::PageDown, false},
      {State(kLeft | kRight | kMiddle, {}), PolledKey::PageUp, false},  // buttons are no keys
  };
  for (const Case& c : cases) {
    EXPECT_EQ(X11IsHeld(c.key, c.state, codes), c.held) << static_cast<int>(c.key);
  }
  // A key without a key code on this keyboard is never held.
  X11KeyCodes none;
  EXPECT_FALSE(X11IsHeld(PolledKey::ArrowLeft, State(0, {113}), none));
}

TEST(InputPollingX11, OffscreenPlatformHoldsNothing) {
  ASSERT_NE(TestApplication(), nullptr);
  FakeInputPolling fake;
  fake.Hold(PolledKey::LeftButton);
  fake.Hold(PolledKey::RightButton);
  InstallInputPolling(&fake);
  ASSERT_TRUE(BothMouseButtonsHeld());
  EXPECT_FALSE(InstallPlatformInputPolling());  // the tests run on "offscreen"
  EXPECT_FALSE(BothMouseButtonsHeld());
  int x = -1, y = -1;
  EXPECT_FALSE(CurrentInputPolling().CursorPos(x, y));
}

// A stand-in for the server: what is down now, and how often it was asked.
struct FakeServer {
  unsigned mask = 0;
  std::vector<int> keys;
  int x = 0, y = 0;
  int pointerReads = 0, keyReads = 0;
  InputReading Read(bool withKeys) {
    InputReading r;
    r.pointerRead = true;
    r.pointerMask = mask;
    r.x = x;
    r.y = y;
    ++pointerReads;
    if (withKeys) {
      r.keysRead = true;
      for (int code : keys) r.keymap[code / 8] = static_cast<char>(r.keymap[code / 8] | (1 << (code % 8)));
      ++keyReads;
    }
    return r;
  }
};

TEST(InputPollingX11, TheServerIsAskedAtMostOncePerInterval) {
  FakeServer server;
  std::int64_t now = 1000000;
  ThrottledInputPolling polling([&](bool keys) { return server.Read(keys); }, TypicalCodes(), [&] { return now; },
                                5000);
  EXPECT_FALSE(BothHeld(polling));
  EXPECT_EQ(server.pointerReads, 1);

  // Pressed now, but within the interval the last reading answers.
  server.mask = kLeft | kRight;
  for (int k = 0; k < 1000; ++k) EXPECT_FALSE(polling.IsHeld(PolledKey::LeftButton));
  now += 4999;
  EXPECT_FALSE(polling.IsHeld(PolledKey::LeftButton));
  EXPECT_EQ(server.pointerReads, 1);
  now += 1;
  EXPECT_TRUE(BothHeld(polling)) << "5 ms later the server is asked again";
  EXPECT_EQ(server.pointerReads, 2);

  // The keys are read only when a key is asked, on their own interval.
  EXPECT_EQ(server.keyReads, 0);
  server.keys = {111};
  EXPECT_TRUE(polling.IsHeld(PolledKey::ArrowUp));
  EXPECT_EQ(server.keyReads, 1);
  server.keys = {};
  now += 4000;
  EXPECT_TRUE(polling.IsHeld(PolledKey::ArrowUp));
  now += 1000;
  EXPECT_FALSE(polling.IsHeld(PolledKey::ArrowUp));
  EXPECT_EQ(server.keyReads, 2);

  // The cursor comes with the pointer reading.
  server.x = 30;
  server.y = 40;
  int x = 0, y = 0;
  ASSERT_TRUE(polling.CursorPos(x, y));
  EXPECT_EQ(x, 0) << "read 0 ms ago";
  now += 5000;
  ASSERT_TRUE(polling.CursorPos(x, y));
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 40);
}

TEST(InputPollingX11, AFailedReadingHoldsNothing) {
  ThrottledInputPolling polling([](bool) { return InputReading{}; }, TypicalCodes(), [] { return std::int64_t{0}; });
  EXPECT_FALSE(polling.IsHeld(PolledKey::LeftButton));
  int x, y;
  EXPECT_FALSE(polling.CursorPos(x, y));
}

}  // namespace
