#include "platform/custom_control.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>

#include "platform/canvas_qt.h"
#include "platform/cursor_table.h"

namespace {

int pixelsPerInchOverride = 0;

TShiftState ShiftFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

bool ButtonOf(Qt::MouseButton button, TMouseButton& out) {
  switch (button) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
  }
}

// Virtual key code of a Qt key, 0 for keys the drawing code never asks about.
std::uint16_t VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Delete: return VK_DELETE;
    default:
      if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::uint16_t>(key);
      if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint16_t>(key);
      if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<std::uint16_t>(0x70 + key - Qt::Key_F1);
      return 0;
  }
}

}  // namespace

int ScreenPixelsPerInch() {
  if (pixelsPerInchOverride > 0) return pixelsPerInchOverride;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const int dpi = static_cast<int>(std::lround(screen->logicalDotsPerInch()));
    if (dpi > 0) return dpi;
  }
  return 96;
}

void OverrideScreenPixelsPerInch(int pixelsPerInch) { pixelsPerInchOverride = pixelsPerInch; }

// The widget behind the control: it keeps the invalid area, runs the paint
// over it and copies the canvas image to the screen.
class TCustomControl::Surface : public QWidget {
 public:
  explicit Surface(TCustomControl& control) : control_(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
  }

  QRegion invalid;       // to be repainted by Paint
  QRegion invalidErase;  // the part of it to be erased first
  bool painting = false;
  bool paintingWhole = false;  // the paint under way erased the whole control
  bool showPending = false;    // a repaint to show the canvas is on its way

  // Called after every drawing operation: one request per turn of the event
  // loop is enough, however many lines a redraw draws.
  void ShowCanvas() {
    if (painting || showPending) return;
    showPending = true;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    showPending = false;
    control_.PaintInvalidArea();
    QPainter screen(this);
    screen.drawImage(event->rect(), CanvasImage(control_.Canvas()), event->rect());
  }

  void resizeEvent(QResizeEvent*) override {
    // SetBounds may have followed the size already (hidden widgets get their
    // resize event only when shown).
    if (control_.Canvas().Width() == width() && control_.Canvas().Height() == height()) return;
    control_.Canvas().SetSize(width(), height(), control_.Color());
    control_.Resize();
    control_.Invalidate();
  }

  void mousePressEvent(QMouseEvent* e) override { Press(e, 0); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { Press(e, ssDouble); }

  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint p = e->position().toPoint();
    control_.MouseMove(ShiftFrom(e->modifiers(), e->buttons()), p.x(), p.y());
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    TMouseButton button;
    if (!ButtonOf(e->button(), button)) return;
    const QPoint p = e->position().toPoint();
    control_.MouseUp(button, ShiftFrom(e->modifiers(), e->buttons()), p.x(), p.y());
  }

  void wheelEvent(QWheelEvent* e) override {
    const int delta = e->angleDelta().y();
    if (delta == 0) return;
    const QPoint p = e->position().toPoint();
    control_.DoMouseWheel(ShiftFrom(e->modifiers(), e->buttons()), delta, TPoint{p.x(), p.y()});
    e->accept();
  }

  void keyPressEvent(QKeyEvent* e) override {
    const TShiftState shift = ShiftFrom(e->modifiers(), Qt::NoButton);
    std::uint16_t key = VirtualKeyOf(e->key());
    if (key != 0) {
      if (control_.ChildKey(key, shift)) return;
      control_.KeyDown(key, shift);
    }
    const QByteArray text = e->text().toLatin1();
    if (text.size() == 1 && text[0] != '\0') {
      char c = text[0];
      control_.KeyPress(c);
    }
  }

  void keyReleaseEvent(QKeyEvent* e) override {
    std::uint16_t key = VirtualKeyOf(e->key());
    if (key != 0) control_.KeyUp(key, ShiftFrom(e->modifiers(), Qt::NoButton));
  }

  // Arrow keys would otherwise move the focus to the next widget.
  bool focusNextPrevChild(bool) override { return false; }

  void enterEvent(QEnterEvent*) override { control_.MouseEnter(); }
  void leaveEvent(QEvent*) override { control_.MouseLeave(); }

 private:
  void Press(QMouseEvent* e, TShiftState extra) {
    TMouseButton button;
    if (!ButtonOf(e->button(), button)) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = e->position().toPoint();
    control_.MouseDown(button, ShiftFrom(e->modifiers(), e->buttons()) | extra, p.x(), p.y());
  }

  TCustomControl& control_;
};

TCustomControl::TCustomControl()
    : canvas_(std::make_unique<TCanvas>(0, 0, clWindow)), surface_(std::make_unique<Surface>(*this)) {
  canvas_->OnDrawn = [this] { surface_->ShowCanvas(); };
}

TCustomControl::~TCustomControl() {
  canvas_->OnDrawn = nullptr;
  surface_.reset();
}

QWidget* TCustomControl::Widget() const { return surface_.get(); }
TCanvas& TCustomControl::Canvas() { return *canvas_; }
int TCustomControl::Width() const { return surface_->width(); }
int TCustomControl::Height() const { return surface_->height(); }

void TCustomControl::SetBounds(int left, int top, int width, int height) {
  surface_->setGeometry(left, top, width, height);
  // A widget that is not shown gets no resize event; the canvas follows anyway.
  if (canvas_->Width() != width || canvas_->Height() != height) {
    canvas_->SetSize(width, height, color_);
    Resize();
    Invalidate();
  }
}

void TCustomControl::SetSize(int width, int height) { SetBounds(surface_->x(), surface_->y(), width, height); }

void TCustomControl::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TCustomControl::SetCursor(int cursorNumber) {
  if (cursor_ == cursorNumber) return;
  cursor_ = cursorNumber;
  if (cursorNumber == crCross) {
    surface_->setCursor(Qt::CrossCursor);
  } else {
    surface_->setCursor(CursorFor(cursorNumber));
  }
}

void TCustomControl::Invalidate() {
  ++wholeInvalidations_;
  const QRegion all(0, 0, std::max(1, canvas_->Width()), std::max(1, canvas_->Height()));
  surface_->invalid += all;
  surface_->invalidErase += all;
  surface_->update();
}

void TCustomControl::InvalidateRect(const TRect& rect, bool erase) {
  const QRect r = QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right - 1, rect.Bottom - 1)).normalized();
  const QRegion area = QRegion(r) & QRegion(0, 0, canvas_->Width(), canvas_->Height());
  if (area.isEmpty()) return;
  surface_->invalid += area;
  if (erase) surface_->invalidErase += area;
  surface_->update(area);
}

void TCustomControl::InvalidateRgn(HRGN region, bool erase) {
  if (region == nullptr) {
    Invalidate();
    return;
  }
  const QRegion area = QRegionFromRegion(region, QRect(0, 0, canvas_->Width(), canvas_->Height()));
  if (area.isEmpty()) return;
  surface_->invalid += area;
  if (erase) surface_->invalidErase += area;
  surface_->update(area);
}

// Erases what is to be erased, then lets Paint draw clipped to the invalid
// area. Runs inside the widget's paint or from Update.
void TCustomControl::PaintInvalidArea() {
  if (surface_->invalid.isEmpty() || surface_->painting) return;
  const QRegion area = surface_->invalid;
  const QRegion erase = surface_->invalidErase;
  surface_->invalid = QRegion();
  surface_->invalidErase = QRegion();
  surface_->painting = true;

  // The whole control erased is a fresh picture, which keeps nothing drawn
  // in XOR before; a part is erased and drawn again under what the XOR
  // pens left on it (a preview, the cross-hair), which so stays whole.
  const QRegion all(0, 0, canvas_->Width(), canvas_->Height());
  surface_->paintingWhole = (all - erase).isEmpty();
  if (surface_->paintingWhole) canvas_->ForgetXorDrawing();
  QImage& image = CanvasImage(*canvas_);
  for (const QRect& r : erase) {
    const OverlayLift lift(canvas_->Internals(), r);
    QPainter painter(&image);
    painter.fillRect(r, QColor(QRgbFromColor(color_)));
  }
  TRegionObject clip;
  clip.FillMode = 2;
  for (const QRect& r : area) {
    const int right = r.x() + r.width(), bottom = r.y() + r.height();
    clip.Figures.push_back({{r.x(), r.y()}, {right, r.y()}, {right, bottom}, {r.x(), bottom}});
  }
  SelectClipRgn(*canvas_, &clip);
  Paint();
  SelectClipRgn(*canvas_, nullptr);
  surface_->paintingWhole = false;
  surface_->painting = false;
}

bool TCustomControl::WholeControlPaintPending() const {
  const QRegion all(0, 0, std::max(1, canvas_->Width()), std::max(1, canvas_->Height()));
  return (all - surface_->invalid).isEmpty();
}

bool TCustomControl::PaintingWholeControl() const { return surface_->paintingWhole; }

void TCustomControl::Update() {
  PaintInvalidArea();
  surface_->update();
}

void TCustomControl::Repaint() {
  Invalidate();
  Update();
}

void TCustomControl::SetFocus() { surface_->setFocus(Qt::OtherFocusReason); }
bool TCustomControl::Focused() const { return surface_->hasFocus(); }

bool TCustomControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  return wheelDelta < 0 ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
}
