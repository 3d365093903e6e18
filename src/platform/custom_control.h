#pragma once
// A windowed control with a canvas of its own, for controls that draw
// everything themselves. The canvas is a persistent image: what is drawn on
// it, inside a paint or at any other time, is shown on the screen. Invalid
// areas are erased to Color and handed to Paint, drawing clipped to them.
//
// Mouse and key handlers receive the shift state the drawing code was
// written against: at a press the buttons down, at a release the buttons
// still held.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/canvas.h"
#include "platform/gdi.h"

class QWidget;

// Shift state bits, as the command handlers read them.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Virtual key codes of the keys the canvas navigates with.
inline constexpr std::uint16_t VK_PRIOR = 0x21;  // PageUp
inline constexpr std::uint16_t VK_NEXT = 0x22;   // PageDown
inline constexpr std::uint16_t VK_END = 0x23;
inline constexpr std::uint16_t VK_HOME = 0x24;
inline constexpr std::uint16_t VK_LEFT = 0x25;
inline constexpr std::uint16_t VK_UP = 0x26;
inline constexpr std::uint16_t VK_RIGHT = 0x27;
inline constexpr std::uint16_t VK_DOWN = 0x28;
inline constexpr std::uint16_t VK_RETURN = 0x0D;
inline constexpr std::uint16_t VK_ESCAPE = 0x1B;
inline constexpr std::uint16_t VK_DELETE = 0x2E;

// The default background of a control (the window colour).
inline constexpr TColor clWindow = 0xFFFFFF;

// Cursor numbers of the platform; our own cursors have positive numbers.
inline constexpr int crDefault = 0;
inline constexpr int crCross = -3;

// The screen's pixels per inch (96 where the screen does not say).
int ScreenPixelsPerInch();
// Tests pin the resolution so fits come out the same on every machine;
// 0 returns to the screen's own value.
void OverrideScreenPixelsPerInch(int pixelsPerInch);

class TCustomControl {
 public:
  TCustomControl();
  virtual ~TCustomControl();
  TCustomControl(const TCustomControl&) = delete;
  TCustomControl& operator=(const TCustomControl&) = delete;

  // The widget to place into a window.
  QWidget* Widget() const;
  TCanvas& Canvas();

  int Width() const;
  int Height() const;
  void SetBounds(int left, int top, int width, int height);
  void SetSize(int width, int height);

  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // Code page 932.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  int Cursor() const { return cursor_; }
  void SetCursor(int cursorNumber);

  // Marks the whole control, a rectangle or a region for repainting; with
  // erase the area is filled with Color before Paint draws it.
  void Invalidate();
  void InvalidateRect(const TRect& rect, bool erase);
  void InvalidateRgn(HRGN region, bool erase);
  // Paints what is invalid now instead of at the next turn of the event loop.
  void Update();
  // Whether the next paint covers the whole control, and how many times the
  // whole control was marked so far: a test tells from these whether what it
  // sees is what was drawn or a paint of everything still to come.
  bool WholeControlPaintPending() const;
  // Inside Paint: the whole control was erased, so nothing drawn in XOR
  // before is on the screen any more.
  bool PaintingWholeControl() const;
  std::uint64_t WholeControlInvalidations() const { return wholeInvalidations_; }
  void Repaint();

  void SetFocus();
  bool Focused() const;

  // The handlers below, called by the window system; public so a test can
  // also call them directly.
  virtual void Paint() {}
  virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
  virtual void MouseMove(TShiftState, int, int) {}
  virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
  // The wheel: the inherited behaviour passes each step to the down or up
  // handler and returns what it answered.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  virtual bool DoMouseWheelDown(TShiftState, TPoint) { return false; }
  virtual bool DoMouseWheelUp(TShiftState, TPoint) { return false; }
  // A key goes first to ChildKey; only when that leaves it unhandled does
  // it reach KeyDown and, for a character, KeyPress.
  virtual bool ChildKey(std::uint16_t&, TShiftState) { return false; }
  virtual void KeyDown(std::uint16_t&, TShiftState) {}
  virtual void KeyPress(char&) {}
  virtual void KeyUp(std::uint16_t&, TShiftState) {}
  virtual void Resize() {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

  class Surface;

 private:
  friend class Surface;
  void PaintInvalidArea();

  std::unique_ptr<TCanvas> canvas_;
  std::unique_ptr<Surface> surface_;
  TColor color_ = clWindow;
  std::string hint_;
  int cursor_ = crDefault;
  std::uint64_t wholeInvalidations_ = 0;
};
