#include "platform/custom_control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/gdi.h"

namespace {

// Writes down every handler call as a line.
class RecordingControl : public TCustomControl {
 public:
  std::vector<std::string> calls;
  bool handleChildKeys = false;
  int paints = 0;

  void Paint() override {
    ++paints;
    // Paints a whole row; only the invalid part may change.
    Canvas().Pen.Color = clRed;
    Canvas().MoveTo(0, 5);
    Canvas().LineTo(Width(), 5);
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override { Note("down", b, s, x, y); }
  void MouseMove(TShiftState s, int x, int y) override { Note("move", -1, s, x, y); }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override { Note("up", b, s, x, y); }
  bool DoMouseWheelDown(TShiftState, TPoint p) override {
    calls.push_back("wheel down " + std::to_string(p.X));
    return true;
  }
  bool DoMouseWheelUp(TShiftState, TPoint p) override {
    calls.push_back("wheel up " + std::to_string(p.X));
    return true;
  }
  bool ChildKey(std::uint16_t& key, TShiftState) override {
    calls.push_back("child " + std::to_string(key));
    return handleChildKeys;
  }
  void KeyDown(std::uint16_t& key, TShiftState s) override {
    calls.push_back("keydown " + std::to_string(key) + " " + std::to_string(s));
  }
  void KeyPress(char& c) override { calls.push_back(std::string("press ") + c); }
  void Resize() override { calls.push_back("resize " + std::to_string(Width()) + "x" + std::to_string(Height())); }
  void MouseEnter() override { calls.push_back("enter"); }
  void MouseLeave() override { calls.push_back("leave"); }

 private:
  void Note(const char* what, int button, TShiftState s, int x, int y) {
    calls.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(s) + " " +
                    std::to_string(x) + "," + std::to_string(y));
  }
};

void Send(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers, QPoint at) {
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, modifiers);
  QApplication::sendEvent(w, &e);
}

TEST(CustomControl, MouseEventsCarryTheShiftStateOfTheirMoment) {
  RecordingControl control;
  control.SetSize(100, 80);
  control.calls.clear();
  QWidget* w = control.Widget();
  Send(w, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier, {10, 20});
  Send(w, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier, {11, 21});
  Send(w, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::ControlModifier, {12, 22});
  Send(w, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::RightButton, Qt::NoModifier, {13, 23});
  Send(w, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, Qt::NoModifier, {14, 24});
  Send(w, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, {1, 2});
  const std::vector<std::string> expected = {
      "down 0 9 10,20",    // Shift + Left
      "down 1 24 11,21",   // Left + Right
      "move -1 28 12,22",  // Ctrl + Left + Right
      "up 0 16 13,23",     // the right button still held
      "up 1 0 14,24",
      "down 0 72 1,2",  // Left + Double
  };
  EXPECT_EQ(control.calls, expected);
}

TEST(CustomControl, WheelStepsReachTheDownAndUpHandlers) {
  RecordingControl control;
  control.SetSize(100, 80);
  control.calls.clear();
  for (int delta : {120, -120}) {
    QWheelEvent e(QPointF(30, 40), QPointF(30, 40), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(control.Widget(), &e);
  }
  EXPECT_EQ(control.calls, (std::vector<std::string>{"wheel up 30", "wheel down 30"}));
}

TEST(CustomControl, NavigationKeysGoToChildKeyFirst) {
  RecordingControl control;
  control.SetSize(100, 80);
  control.calls.clear();
  auto key = [&](int k, const QString& text = QString(), Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, k, m, text);
    QApplication::sendEvent(control.Widget(), &e);
  };
  key(Qt::Key_PageUp);
  control.handleChildKeys = true;
  key(Qt::Key_Left);
  control.handleChildKeys = false;
  key(Qt::Key_A, "a");
  const std::vector<std::string> expected = {
      "child 33", "keydown 33 0",  // unhandled: KeyDown as well
      "child 37",                  // handled: no KeyDown
      "child 65", "keydown 65 0", "press a",
  };
  EXPECT_EQ(control.calls, expected);
}

TEST(CustomControl, EnterLeaveAndResize) {
  RecordingControl control;
  control.SetSize(64, 48);
  EXPECT_EQ(control.Canvas().Width(), 64);
  EXPECT_EQ(control.Canvas().Height(), 48);
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(control.Widget(), &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(control.Widget(), &leave);
  EXPECT_EQ(control.calls, (std::vector<std::string>{"resize 64x48", "enter", "leave"}));
}

TEST(CustomControl, PaintErasesAndDrawsOnlyTheInvalidArea) {
  RecordingControl control;
  control.SetColor(clBlack);
  control.SetSize(40, 20);
  control.Update();
  TCanvas& canvas = control.Canvas();
  EXPECT_EQ(canvas.GetPixel(0, 0), clBlack) << "the whole control is erased at first";
  EXPECT_EQ(canvas.GetPixel(39, 5), clRed);

  // Marks outside the invalid rectangle must survive the next paint.
  canvas.SetPixel(2, 2, clBlue);
  canvas.SetPixel(30, 10, clBlue);
  canvas.Pen.Color = clBlue;
  canvas.MoveTo(0, 5);
  canvas.LineTo(40, 5);
  control.InvalidateRect(TRect{20, 0, 40, 20}, true);
  control.Update();
  EXPECT_EQ(canvas.GetPixel(2, 2), clBlue);
  EXPECT_EQ(canvas.GetPixel(10, 5), clBlue) << "left of the invalid area: not repainted";
  EXPECT_EQ(canvas.GetPixel(25, 5), clRed) << "inside: repainted";
  EXPECT_EQ(canvas.GetPixel(30, 10), clBlack) << "inside: erased first";
  EXPECT_EQ(canvas.GetPixel(0, 0), clBlack);
  EXPECT_EQ(canvas.GetPixel(21, 1), clBlack);

  // Without erase the old pixels stay under the paint.
  canvas.SetPixel(30, 10, clBlue);
  control.InvalidateRect(TRect{20, 0, 40, 20}, false);
  control.Update();
  EXPECT_EQ(canvas.GetPixel(30, 10), clBlue);
  // After the paint nothing is clipped any more.
  canvas.SetPixel(1, 15, clLime);
  EXPECT_EQ(canvas.GetPixel(1, 15), clLime);
}

// Paints its picture as a drawing control does: a blue row under
// whatever XOR pens drew over it.
class PictureControl : public TCustomControl {
 public:
  void Paint() override {
    const TCanvas::TPictureDrawing picture(Canvas());
    Canvas().Pen.Mode = pmCopy;
    Canvas().Pen.Color = clBlue;
    Canvas().MoveTo(0, 10);
    Canvas().LineTo(Width(), 10);
  }
};

void XorColumn(TCanvas& canvas, int x) {
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Color = clLime;
  canvas.MoveTo(x, 0);
  canvas.LineTo(x, 20);
  canvas.Pen.Mode = pmCopy;
}

TEST(CustomControl, XorDrawingStaysWholeOverAPaintedPartAndGoesWithTheWholeControl) {
  PictureControl control;
  control.SetColor(clBlack);
  control.SetSize(40, 20);
  control.Update();
  TCanvas& canvas = control.Canvas();
  XorColumn(canvas, 25);  // a preview over the picture
  ASSERT_EQ(canvas.GetPixel(25, 10), clBlue ^ clLime);
  control.InvalidateRect(TRect{20, 5, 40, 15}, true);
  control.Update();
  EXPECT_EQ(canvas.GetPixel(25, 3), clLime) << "outside the part";
  EXPECT_EQ(canvas.GetPixel(25, 7), clLime) << "the preview over the erased part";
  EXPECT_EQ(canvas.GetPixel(25, 10), clBlue ^ clLime) << "over the row painted again";
  EXPECT_EQ(canvas.GetPixel(30, 10), clBlue);
  XorColumn(canvas, 25);  // taken off: nothing left behind
  EXPECT_EQ(canvas.GetPixel(25, 7), clBlack);
  EXPECT_EQ(canvas.GetPixel(25, 10), clBlue);

  // Another pen over the picture covers the preview where it draws, as on
  // any screen; the next XOR there draws the preview's colour again.
  XorColumn(canvas, 5);
  canvas.SetPixel(5, 3, clRed);
  XorColumn(canvas, 5);
  EXPECT_EQ(canvas.GetPixel(5, 3), clRed ^ clLime);
  EXPECT_EQ(canvas.GetPixel(5, 4), clBlack);

  // The whole control painted is a fresh picture: nothing drawn in XOR
  // comes back.
  XorColumn(canvas, 35);
  control.Invalidate();
  control.Update();
  EXPECT_EQ(canvas.GetPixel(35, 3), clBlack);
  EXPECT_EQ(canvas.GetPixel(35, 10), clBlue);
  control.InvalidateRect(TRect{30, 0, 40, 20}, true);
  control.Update();
  EXPECT_EQ(canvas.GetPixel(35, 3), clBlack);
}

TEST(CustomControl, DrawingOutsideAPaintReachesTheScreen) {
  RecordingControl control;
  control.SetColor(clWhite);
  control.SetSize(30, 30);
  control.Update();
  control.Canvas().SetPixel(7, 8, clBlue);
  const QImage shown = control.Widget()->grab().toImage();
  EXPECT_EQ(shown.pixel(7, 8), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 255, 255));
}

TEST(CustomControl, PixelsPerInchCanBePinned) {
  OverrideScreenPixelsPerInch(120);
  EXPECT_EQ(ScreenPixelsPerInch(), 120);
  OverrideScreenPixelsPerInch(0);
  EXPECT_GT(ScreenPixelsPerInch(), 0);
}

}  // namespace
