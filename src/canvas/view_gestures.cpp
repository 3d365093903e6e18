// Holding both mouse buttons navigates whatever command runs: a click pans
// towards the press point, a drag chooses by its direction among zoom to a
// window, the whole paper, the previous view, zoom out and step zoom out,
// or asks the host for a line selection.

#include <cmath>

#include "canvas/cad_box.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"

namespace {

constexpr int kPanRadius = 16;         // pixels: closer than this the gesture is a pan
constexpr int kLineSelectLength = 80;  // pixels of upward drag that ask for a line selection
constexpr TColor kZoomFrameColour = 0xC0C0C0;

enum class GestureAction { ZoomWindow, WholePaper, PreviousView, ZoomOut, StepZoomOut, None };

// The first test that holds decides; the cursor (x, y) against the start.
GestureAction ActionOf(double sx, double sy, double x, double y) {
  if (sy >= y && sx <= x) return GestureAction::ZoomWindow;
  const std::uint8_t sector = DirectionSector8(true, sx, sy, x, y);
  if (sector <= 2) return GestureAction::WholePaper;
  if (sy > y && sx > x) return GestureAction::PreviousView;
  if (sector == 3) return GestureAction::ZoomOut;
  if (sector == 4) return GestureAction::StepZoomOut;
  return GestureAction::None;
}

// The caption that names what the release will do.
const char* CaptionOf(GestureAction action) {
  switch (action) {
    case GestureAction::ZoomWindow: return " 拡　大 ";
    case GestureAction::WholePaper: return " 全　体 ";
    case GestureAction::PreviousView: return " 前表示 ";
    case GestureAction::ZoomOut: return " 縮　小 ";
    case GestureAction::StepZoomOut: return "段階縮小";
    case GestureAction::None: break;
  }
  return nullptr;
}

bool IsExactly(TShiftState shift, std::initializer_list<TShiftState> sets) {
  for (TShiftState s : sets) {
    if (shift == s) return true;
  }
  return false;
}

}  // namespace

void TcadBox::ViewGestureDown(TShiftState shift, double x, double y) {
  if (IsExactly(shift, {ssLeft, ssRight, ssCtrl, ssShift})) {
    ViewGestureState = 0;
    TwoButtonGesture = 0;
    return;
  }
  if (TwoButtonGesture) return;
  const TShiftState both = ssLeft | ssRight;
  if (IsExactly(shift, {both, static_cast<TShiftState>(ssCtrl | both), static_cast<TShiftState>(ssShift | both)})) {
    ViewGestureState = 4;
    GestureStart = {x, y};
    GestureLast = {x, y};
    AssistReadPoint = {x, y};
    ShowTopMessage(J(" 移　動 "));
    Canvas().Brush.Style = bsClear;
    TwoButtonGesture = 1;
  }
}

void TcadBox::ViewGestureMove(double x, double y) {
  if (ViewGestureState == 0) return;
  const double sx = GestureStart.x, sy = GestureStart.y;
  const int dxp = std::abs(WorldToScreenX(sx) - WorldToScreenX(x));
  const int dyp = std::abs(WorldToScreenY(sy) - WorldToScreenY(y));
  ViewGestureState = (dxp > kPanRadius || dyp > kPanRadius) ? 1 : 4;
  if (!TwoButtonGesture) return;
  if (ViewGestureState != 1) {
    ShowTopMessage(J(" 移　動 "));
    return;
  }

  LineSelectArmed = false;
  if (Upsensentaku && DirectionSector8(true, sx, sy, x, y) == 2 && dyp > kLineSelectLength) {
    ShowTopMessage(J(" 線選択  "));
    LineSelectArmed = true;
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Color = kZoomFrameColour;
  canvas.Pen.Width = 2;
  canvas.Brush.Style = bsClear;
  const bool shown = GestureLast.x != sx || GestureLast.y != sy;
  if (ActionOf(sx, sy, x, y) == GestureAction::ZoomWindow) {
    DrawRect(sx, sy, GestureLast.x, GestureLast.y);
    DrawRect(sx, sy, x, y);
    GestureLast = {x, y};
  } else if (shown) {
    // Only the zoom window shows a rectangle.
    DrawRect(sx, sy, GestureLast.x, GestureLast.y);
    GestureLast = GestureStart;
  }
  canvas.Pen.Width = 1;
  canvas.Pen.Mode = pmCopy;
  if (const char* caption = CaptionOf(ActionOf(sx, sy, x, y))) ShowTopMessage(J(caption));
}

void TcadBox::ViewGestureUp(TShiftState shift, double x, double y) {
  if (!IsExactly(shift, {0, ssCtrl, ssShift}) || ViewGestureState == 0 || !TwoButtonGesture) return;
  const double sx = GestureStart.x, sy = GestureStart.y;
  if (ViewGestureState == 1) {
    ViewGestureState = 0;
    TwoButtonGesture = 0;
    if (Upsensentaku && DirectionSector8(true, sx, sy, x, y) == 2 && LineSelectArmed) {
      StepZoomCount = 0;
      GenBan = 38;  // the host learns it from BanGo_Click of this release
      return;
    }
    switch (ActionOf(sx, sy, x, y)) {
      case GestureAction::ZoomWindow:
        StepZoomCount = 0;
        ZoomToWindow(sx, sy, x, y);
        RedrawAll(true);
        PreviousViewToggle = !PreviousViewToggle;
        return;
      case GestureAction::PreviousView: {
        StepZoomCount = 0;
        const RViewRect& v = PreviousViewToggle ? PreviousViewA : PreviousViewB;
        ZoomToWindow(v.Left, v.Top, v.Right, v.Bottom);
        RedrawAll(false);
        break;
      }
      case GestureAction::WholePaper:
        StepZoomCount = 0;
        FitPaper(false, 0.98);
        RedrawAll(false);
        break;
      case GestureAction::ZoomOut:
        StepZoomCount = 0;
        if (View_hani_Kotei) {
          FitPaper(true, 0.98);
        } else {
          FitPaper(false, 0.44);
        }
        RedrawAll(false);
        break;
      case GestureAction::StepZoomOut: {
        ++StepZoomCount;
        const double d = 10.0 * StepZoomCount;
        const RViewRect v = ViewWindow;
        ZoomToWindow(v.Left - d, v.Top + d, v.Right + d, v.Bottom - d);
        RedrawAll(false);
        break;
      }
      case GestureAction::None: return;
    }
  } else {
    Canvas().Pen.Mode = pmCopy;
    PanTowards(sx, sy);
    ViewGestureState = 0;
    TwoButtonGesture = 0;
    RedrawAll(false);
  }
  PreviousViewToggle = !PreviousViewToggle;
  for (const RHandlerSet* owner : CommandRegistry().OwnersOf(ButonType)) RunHook(owner->Hooks.AfterViewGesture, *this);
}
