// The view: drawing millimetres to pixels and back, fitting the paper,
// zooming to a window, panning, the fixed and remembered views, and the
// keyboard and wheel navigation.

#include <algorithm>
#include <cmath>

#include "canvas/cad_box.h"
#include "geometry/codepage.h"

namespace {

// Round half to even, as the view conversions do.
int RoundPixel(double v) {
  const double r = std::nearbyint(v);  // the default rounding mode is to nearest even
  if (r >= 2147483647.0) return 2147483647;
  if (r <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(r);
}

double WheelFactor(std::int32_t step) {
  switch (step) {
    case 1: return 1.25;
    case 2: return 1.3;
    case 3: return 1.35;
    case 4: return 1.4;
    case 5: return 1.45;
    case 6: return 1.5;
    default: return 1.2;
  }
}

double KeyAcceleration(std::int32_t step) {
  switch (step) {
    case 1: return 1.15;
    case 2: return 1.3;
    case 3: return 1.45;
    case 4: return 1.5;
    case 5: return 1.65;
    case 6: return 1.8;
    default: return 1.0;
  }
}

}  // namespace

void TcadBox::ScreenToWorld(int px, int py, RPoint2D& point) const {
  const long double scale = static_cast<long double>(PixelsPerMm) * Zoom;
  point.x = static_cast<double>(px / scale + ViewWindow.Left);
  point.y = static_cast<double>((Height() - py) / scale + ViewWindow.Bottom);
}

int TcadBox::WorldToScreenX(double x) const { return RoundPixel(PixelsPerUnit() * (x - ViewWindow.Left)); }

int TcadBox::WorldToScreenY(double y) const { return RoundPixel(Height() - PixelsPerUnit() * (y - ViewWindow.Bottom)); }

const RPaperSize& TcadBox::CurrentPaper() const {
  static const RPaperSize kA0{1189, 841};
  if (Papa_No >= kPaperSizeCount) return kA0;
  const RPaperSize& paper = PaperSizes[Papa_No];
  // The empty sizes would divide by zero: they show the A0 sheet.
  return (paper.Width > 0 && paper.Height > 0) ? paper : kA0;
}

void TcadBox::RecordFixedView() {
  if (View_hani_Kotei) return;
  FixedView.Zoom = Zoom;
  FixedView.CentreX = ViewCentre.x;
  FixedView.CentreY = ViewCentre.y;
  FixedView.Window = ViewWindow;
}

void TcadBox::FitPaper(bool force, double margin) {
  if (View_hani_Kotei && !force) {
    Zoom = FixedView.Zoom;
    ViewCentre = {FixedView.CentreX, FixedView.CentreY};
    ViewWindow = FixedView.Window;
    RememberView();
    return;
  }
  const RPaperSize& paper = CurrentPaper();
  const double W = paper.Width, H = paper.Height;
  const int width = std::max(1, Width()), height = std::max(1, Height());
  ClientWidthMm = width / PixelsPerMm;
  ClientHeightMm = height / PixelsPerMm;
  if (static_cast<double>(width) / height > W / H) {
    Zoom = ClientHeightMm / H * margin;
  } else {
    Zoom = ClientWidthMm / W * margin;
  }
  ViewCentre = {W / 2, H / 2};
  const double marginX = std::abs(ClientWidthMm - W * Zoom) * 0.5 / Zoom;
  const double marginY = std::abs(ClientHeightMm - H * Zoom) * 0.5 / Zoom;
  ViewWindow = {-marginX, -marginY, W + marginX, H + marginY};
  RecordFixedView();
  RememberView();
}

void TcadBox::SetViewAbout(double cx, double cy) {
  ViewCentre = {cx, cy};
  const double halfW = ClientWidthMm / 2 / Zoom, halfH = ClientHeightMm / 2 / Zoom;
  ViewWindow = {cx - halfW, cy - halfH, cx + halfW, cy + halfH};
}

bool TcadBox::HasShownPicture() const {
  for (const RBitMapData& slot : store_->Pictures) {
    const bool drawable = slot.PictureKind == kPictureBitmap || slot.PictureKind == kPictureJpeg ||
                          slot.PictureKind == kPictureMetafile || slot.PictureKind == kPicturePng ||
                          slot.PictureKind == kPictureJpegAsBitmap;
    if (drawable && store_->LayerState(slot.Group, slot.Layer) == kLayerEditable) return true;
  }
  return false;
}

void TcadBox::ZoomToWindow(double left, double top, double right, double bottom) {
  const double limit = HasShownPicture() ? 20.0 * PaperSizes[2].Width / CurrentPaper().Width : kMaxZoom;
  const double w = std::abs(left - right), h = std::abs(top - bottom);
  if (w == 0.0 || h == 0.0 || !std::isfinite(w) || !std::isfinite(h)) return;
  const double fx = ClientWidthMm / Zoom / w;
  const double fy = ClientHeightMm / Zoom / h;
  Zoom = std::min(Zoom * std::min(fx, fy), limit);
  SetViewAbout(left + w / 2, bottom + h / 2);
  RecordFixedView();
  RememberView();
}

void TcadBox::StoreFixedView() { RecordFixedView(); }

void TcadBox::RememberView() {
  if (PreviousViewToggle) {
    PreviousViewA = ViewWindow;
  } else {
    PreviousViewB = ViewWindow;
  }
}

void TcadBox::PanTowards(double x, double y) {
  PanView((x - ViewCentre.x) * 0.8, (y - ViewCentre.y) * 0.8);
  RememberView();
}

void TcadBox::PanView(double dx, double dy) {
  ViewWindow.Left += dx;
  ViewWindow.Right += dx;
  ViewWindow.Bottom += dy;
  ViewWindow.Top += dy;
  ViewCentre.x += dx;
  ViewCentre.y += dy;
}

void TcadBox::Resize() { FitPaper(false, 0.98); }

bool TcadBox::ChildKey(std::uint16_t& key, TShiftState) {
  const double step = 25.0 / Zoom * KeyAcceleration(key_kasoku);
  const double cx = ViewCentre.x, cy = ViewCentre.y;
  const RViewRect& v = ViewWindow;
  switch (key) {
    case VK_RIGHT: PanView(step, 0); break;
    case VK_LEFT: PanView(-step, 0); break;
    case VK_UP: PanView(0, step); break;
    case VK_DOWN: PanView(0, -step); break;
    case VK_NEXT:  // zoom out
      ZoomToWindow(cx - std::abs(cx - v.Left) * 1.2, cy + std::abs(cy - v.Bottom) * 1.2,
                   cx + std::abs(v.Right - cx) * 1.2, cy - std::abs(v.Top - cy) * 1.2);
      break;
    case VK_PRIOR:  // zoom in
      ZoomToWindow(cx - std::abs(cx - v.Left) / 1.2, cy + std::abs(cy - v.Bottom) / 1.2,
                   cx + std::abs(v.Right - cx) / 1.2, cy - std::abs(v.Top - cy) / 1.2);
      RedrawAll(true);
      return true;
    default: return false;
  }
  RedrawAll(false);
  return true;
}

bool TcadBox::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
  TCustomControl::DoMouseWheelDown(shift, mousePos);
  return true;
}

bool TcadBox::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
  TCustomControl::DoMouseWheelUp(shift, mousePos);
  return true;
}

bool TcadBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos);
  const double f = WheelFactor(Wheel_kasoku);
  const double t = (f - 1) / 2;
  const double s = 50.0 / Zoom;
  if (WheelMode == 1) {
    SetGuidePrompt(J(wheelDelta > 0 ? "↑上移動" : "↓下移動"));
    PanView(0, wheelDelta > 0 ? s : -s);
    RedrawAll(false);
    return true;
  }
  if (WheelMode == 2) {
    SetGuidePrompt(J(wheelDelta > 0 ? "←左移動" : "→右移動"));
    PanView(wheelDelta > 0 ? -s : s, 0);
    RedrawAll(false);
    return true;
  }
  const bool zoomOut = scl_han ? wheelDelta < 0 : wheelDelta > 0;
  const double mx = CursorWorldPos.x, my = CursorWorldPos.y;
  const RViewRect v = ViewWindow;
  const double cx = mx;
  if (zoomOut) {
    SetGuidePrompt(J("縮小表示"));
    const double cy = ViewCentre.y + (ViewCentre.y - my) * t;
    ZoomToWindow(cx - std::abs(cx - v.Left) * f, cy + std::abs(cy - v.Bottom) * f, cx + std::abs(v.Right - cx) * f,
                 cy - std::abs(v.Top - cy) * f);
    RedrawAll(false);
  } else {
    SetGuidePrompt(J("拡大表示"));
    const double cy = ViewCentre.y + (my - ViewCentre.y) * t;
    ZoomToWindow(cx - std::abs(cx - v.Left) / f, cy + std::abs(cy - v.Bottom) / f, cx + std::abs(v.Right - cx) / f,
                 cy - std::abs(v.Top - cy) / f);
    RedrawAll(true);
  }
  return true;
}
