// Building the picture: the platform's paint, the full redraw the host and
// the navigation call after every change, the redraw of the newest
// elements and the repaint of a small rectangle, all walking the display
// lists of the drawing store and interruptible from the mouse and keys.

#include <algorithm>
#include <optional>

#include "canvas/cad_box.h"
#include "canvas/command_registry.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/offsets_rects.h"
#include "platform/input_polling.h"

namespace {

// How often the long walks look at the mouse and the navigation keys.
constexpr int kButtonTestEvery = 20;
constexpr int kKeyTestEvery = 3000;

bool Inside(const RViewRect& inner, const RViewRect& outer) {
  return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Bottom >= outer.Bottom &&
         inner.Top <= outer.Top;
}

// The redraw phases of the running commands at one stage of the full redraw.
void RunRedrawPhases(TcadBox& box, RedrawStage stage) {
  for (const RPhaseEntry& entry : CommandRegistry().RedrawSequence()) {
    if (entry.Stage == stage) entry.Phase(box);
  }
}

}  // namespace

bool TcadBox::BothButtonsDown() const { return BothMouseButtonsHeld(); }

bool TcadBox::NavigationKeyDown() const {
  const InputPolling& in = CurrentInputPolling();
  for (PolledKey key : {PolledKey::MiddleButton, PolledKey::ArrowLeft, PolledKey::ArrowRight, PolledKey::ArrowUp,
                        PolledKey::ArrowDown, PolledKey::PageUp, PolledKey::PageDown}) {
    if (in.IsHeld(key)) return true;
  }
  return false;
}

bool TcadBox::AnyButtonDown() const {
  const InputPolling& in = CurrentInputPolling();
  return in.IsHeld(PolledKey::LeftButton) || in.IsHeld(PolledKey::RightButton);
}

void TcadBox::DrawPaperOutline() {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Color = clOlivePaper;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  const RPaperSize& paper = CurrentPaper();
  DrawFrameRect(1, 0, 0, 0, paper.Width, paper.Height, 0);
}

void TcadBox::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Brush.Style = bsClear;
  std::optional<TCanvas::TPictureDrawing> picture(std::in_place, canvas);
  DrawPaperOutline();
  RunRedrawPhases(*this, RedrawStage::EveryPaint);
  // Over an erased part the cross-hair, the point marker and the previews
  // drawn in XOR come back by themselves (the canvas keeps them); a paint
  // of the whole control shows the cross-hair again when asked and the
  // point marker.
  const bool whole = PaintingWholeControl();
  if (RingRepaintFlag) {
    RingRepaintFlag = false;
    if (whole) RunHook(CommandRegistry().ToggleRingCursor, *this);
  }
  LabelPrevAnchor = {-1000000.0, -1000000.0};  // the paint covered the cursor label
  RunHook(CommandRegistry().DrawGrid, *this);
  bool rebuild = false;
  for (const RHandlerSet* owner : CommandRegistry().OwnersOf(ButonType)) rebuild |= owner->Hooks.PaintRebuildsLists;
  RedrawElements(!rebuild);
  picture.reset();
  if (whole && MarkerPoint.x > -4000 && MarkerPoint.y > -4000) XorPointMarker(MarkerKind, MarkerPoint.x, MarkerPoint.y);
  // The caption lies over the picture, not in XOR: drawn again.
  if (TopMessageShown) ShowTopMessage(TopMessage);
}

void TcadBox::RedrawAll(bool refilterOnly) {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  canvas.Pen.Color = Color();
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.ForgetXorDrawing();  // a fresh picture keeps nothing drawn in XOR
  canvas.Rectangle(0, 0, Width(), Height());
  canvas.Brush.Style = bsClear;

  DrawPaperOutline();
  canvas.Pen.Mode = pmCopy;
  const RPaperSize& paper = CurrentPaper();
  store_->SetPaperSize(paper.Width, paper.Height);
  RunRedrawPhases(*this, RedrawStage::BeforeGrid);
  RunRedrawPhases(*this, RedrawStage::EveryPaint);
  RunHook(CommandRegistry().DrawGrid, *this);
  RedrawElements(refilterOnly);
  RunRedrawPhases(*this, RedrawStage::AfterElements);
  RubberErased = true;
  RunRedrawPhases(*this, RedrawStage::AfterRubberErased);
  // The fresh picture holds no cross-hair, point marker or caption to erase.
  RingHidden = true;
  MarkerPoint = {-5000.0, -5000.0};
  TopMessageShown = false;
}

void TcadBox::RedrawElements(bool refilterOnly) {
  const RViewRect& v = ViewWindow;
  // Refiltering only looks at what is listed: enough after zooming in, but a
  // wider window (a resize, a pan) needs the lists built again.
  if (refilterOnly && listsBuilt_ && Inside(v, listedWindow_)) {
    store_->RefilterDisplayLists(v.Left, v.Bottom, v.Right, v.Top, Zoom);
  } else {
    store_->BuildDisplayLists(v.Left, v.Bottom, v.Right, v.Top, Zoom);
    listsBuilt_ = true;
  }
  listedWindow_ = v;

  TCanvas& canvas = Canvas();
  const TCanvas::TPictureDrawing picture(canvas);
  if (!BitDrawtyp) DrawAllPictures(canvas);
  PaintFillRegions(canvas, 0);
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  canvas.Brush.Style = bsClear;

  const std::vector<RDisplayEntry>& list = store_->DisplayList;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::size_t n = i + 1;
    if (n % kButtonTestEvery == 0 && BothButtonsDown()) break;
    if (n % kKeyTestEvery == 0 && NavigationKeyDown()) break;
    const RDrawElement* e = store_->EntryElement(list[i]);
    if (!e) continue;
    DrawListedElement(*e, store_->LayerState(e->Group, e->Layer), true);
  }
  if (BitDrawtyp) DrawAllPictures(canvas);
}

// One element by its layer state and selection: its colour on an editable
// layer, the selection colour when selected, the reference colour on a
// reference layer. fullRedraw draws stretch-marked selected lines dashed.
void TcadBox::DrawListedElement(const RDrawElement& e, std::uint8_t layerState, bool fullRedraw) {
  TCanvas& canvas = Canvas();
  std::uint8_t lineType = e.LineType;
  const std::uint8_t pointCode = layerState == kLayerReference ? 20 : e.Selection == 1 ? 100 : e.ColorNo;
  if (layerState == kLayerEditable) {
    if (e.Selection == 0 || e.Selection == 10) {
      const TColor colour = ColourTable[e.ColorNo < kColourTableSize ? e.ColorNo : 0];
      canvas.Pen.Color = PrepareXorColor(colour);
    } else if (e.Selection == 1) {
      canvas.Pen.Color = Sentakucol;
      if (fullRedraw && e.Kind == kKindLine && (e.Scratch == 1 || e.Scratch == 2)) lineType = 3;
    } else {
      return;
    }
  } else if (layerState == kLayerReference) {
    canvas.Pen.Color = Sentakucol3;
  } else {
    return;
  }
  switch (e.Kind) {
    case kKindLine: DrawLineUnculled(lineType, canvas, e.X1, e.Y1, e.X2, e.Y2); break;
    case kKindRect: DrawRect(e.X1, e.Y1, e.X2, e.Y2); break;
    case kKindText: {
      // A text keeps its style number in its colour number.
      std::uint8_t mode = layerState == kLayerReference ? 1 : 2;
      if (layerState == kLayerEditable && e.Selection != 1) {
        canvas.Pen.Color = e.ColorNo;
        mode = 0;
      }
      const std::uint8_t current = Mozi_No;
      Mozi_No = e.TextStyle;
      DrawElementTextUnculled(e.TextIndex, e.TextDirection, canvas, mode, e.X1, e.Y1, e.X2, e.Y2, e.TextAngle);
      Mozi_No = current;
      break;
    }
    case kKindArc:
      DrawArcElement(lineType, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
      break;
    case kKindPoint: DrawPointMarkUnculled(pointCode, canvas, e.X1, e.Y1); break;
    default: break;
  }
}

void TcadBox::RedrawLastElements(int n) {
  TCanvas& canvas = Canvas();
  const TCanvas::TPictureDrawing picture(canvas);
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  const std::vector<RDisplayEntry>& list = store_->DisplayList;
  const std::size_t count = list.size();
  const std::size_t first = (n >= 0 && count > static_cast<std::size_t>(n)) ? count - 1 - n : 0;
  for (std::size_t i = first; i < count; ++i) {
    const RDrawElement* e = store_->EntryElement(list[i]);
    if (e) DrawListedElement(*e, store_->LayerState(e->Group, e->Layer), true);
  }
}

void TcadBox::DrawAsRedrawn(const RDrawElement& e) {
  const RViewRect& v = ViewWindow;
  if (!store_->ListedInView(e, v.Left, v.Bottom, v.Right, v.Top, Zoom)) return;
  TCanvas& canvas = Canvas();
  const TCanvas::TPictureDrawing picture(canvas);
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  canvas.Brush.Style = bsClear;
  DrawListedElement(e, store_->LayerState(e.Group, e.Layer), true);
}

void TcadBox::RepaintRect(double x1, double y1, double x2, double y2) {
  TCanvas& canvas = Canvas();
  const TCanvas::TPictureDrawing picture(canvas);
  if (const TRectHook& grid = CommandRegistry().RedrawGridInRect) grid(*this, x1, y1, x2, y2);
  int cap = 20;
  if (Zoom < 0.3) {
    cap = 200;
  } else if (Zoom < 0.5) {
    cap = 120;
  } else if (Zoom < 3) {
    cap = 80;
  } else if (Zoom < 10) {
    cap = 40;
  }
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psSolid;
  canvas.Brush.Style = bsClear;
  DrawPaperOutline();

  const std::vector<RDisplayEntry>& list = store_->DisplayList;
  int drawn = 0;
  for (std::size_t k = list.size(); k-- > 0;) {
    if (AnyButtonDown() || drawn >= cap) break;
    const RDrawElement* e = store_->EntryElement(list[k]);
    if (!e) continue;
    const std::uint8_t state = store_->LayerState(e->Group, e->Layer);
    if (state != kLayerEditable && state != kLayerReference) continue;
    bool touches = false;
    switch (e->Kind) {
      case kKindLine: touches = SegmentCrossesRectInterior(e->X1, e->Y1, e->X2, e->Y2, x1, y1, x2, y2); break;
      case kKindRect: touches = true; break;
      case kKindArc:
        touches = EllipseTouchesRect(e->X1, e->Y1, e->Radius, e->Ratio, e->Rotation, e->StartAngle, e->EndAngle, x1, y1,
                                     x2, y2, Zoom, 2 * e->Radius * Zoom);
        break;
      case kKindPoint: touches = PointInRectStrict(e->X1, e->Y1, x1, y1, x2, y2); break;
      case kKindText: touches = TextTouchesRect(*e, state, x1, y1, x2, y2); break;
      default: break;
    }
    if (!touches) continue;
    DrawListedElement(*e, state, false);
    ++drawn;
  }
}

void TcadBox::DrawRect(double x1, double y1, double x2, double y2) {
  const RViewRect& v = ViewWindow;
  if (!RectTouchesRect(x1, y1, x2, y2, v.Left, v.Bottom, v.Right, v.Top)) return;
  DrawRectUnculled(x1, y1, x2, y2);
}

void TcadBox::DrawRectUnculled(double x1, double y1, double x2, double y2) {
  Canvas().Rectangle(WorldToScreenX(x1), WorldToScreenY(y1), WorldToScreenX(x2), WorldToScreenY(y2));
}
