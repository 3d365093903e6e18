#pragma once
// A canvas with a command registry of its own for the test, and synthetic
// mouse events sent to the control's widget.

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

#include <string>
#include <vector>

#include "canvas/command_registry.h"
#include "canvas_fixture.h"

inline constexpr double kDispatchPxPerMm = 96 / 25.4;

class DispatchTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    saved_ = CommandRegistry();
    CommandRegistry().Clear();
  }
  void TearDown() override {
    CommandRegistry() = saved_;
    CanvasTest::TearDown();
  }

  // Drawing coordinates of a pixel, worked out from the view window.
  double WorldX(int px) const { return box->ViewWindow.Left + px / (kDispatchPxPerMm * box->Zoom); }
  double WorldY(int py) const { return box->ViewWindow.Bottom + (box->Height() - py) / (kDispatchPxPerMm * box->Zoom); }

  void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* w = box->Widget();
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, modifiers);
    QApplication::sendEvent(w, &e);
  }
  void Press(Qt::MouseButton b, Qt::MouseButtons held, QPoint at, Qt::KeyboardModifiers m = Qt::NoModifier) {
    Send(QEvent::MouseButtonPress, b, held, at, m);
  }
  void Move(Qt::MouseButtons held, QPoint at, Qt::KeyboardModifiers m = Qt::NoModifier) {
    Send(QEvent::MouseMove, Qt::NoButton, held, at, m);
  }
  void Release(Qt::MouseButton b, Qt::MouseButtons held, QPoint at, Qt::KeyboardModifiers m = Qt::NoModifier) {
    Send(QEvent::MouseButtonRelease, b, held, at, m);
  }
  // Both buttons pressed at one point, moved to another, both released.
  void TwoButtonDrag(QPoint from, QPoint to) {
    Press(Qt::LeftButton, Qt::LeftButton, from);
    Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, from);
    Move(Qt::LeftButton | Qt::RightButton, to);
    Release(Qt::LeftButton, Qt::RightButton, to);
    Release(Qt::RightButton, Qt::NoButton, to);
  }

 private:
  TCommandRegistry saved_;
};
