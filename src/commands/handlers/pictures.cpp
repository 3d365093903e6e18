// Moving, resizing, deleting and reordering the pictures of the drawing.
// Slot changes are no undo steps: the store's undo log holds elements only.

#include <cmath>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "platform/host_notifications.h"

namespace {
void pictureMoveDown(TcadBox& box, TShiftState shift, double x, double y);
void pictureMoveMove(TcadBox& box, TShiftState shift, double x, double y);
void pictureMoveUp(TcadBox& box, TShiftState shift, double x, double y);
void pictureKakudaiDown(TcadBox& box, TShiftState shift, double x, double y);
void pictureKakudaiMove(TcadBox& box, TShiftState shift, double x, double y);
void pictureKakudaiUp(TcadBox& box, TShiftState shift, double x, double y);
void pictureDelDown(TcadBox& box, TShiftState shift, double x, double y);
void pictureDelMove(TcadBox& box, TShiftState shift, double x, double y);
void pictureDelUp(TcadBox& box, TShiftState shift, double x, double y);
void ErasePictureOutlineOnLeave(TcadBox& box);
void pictureMoveAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterPictureCommands() {
  RegisterFamily({.Name = "pictureMove",
                  .Modes = {dtpictureMove},
                  .Down = pictureMoveDown,
                  .Move = pictureMoveMove,
                  .Up = pictureMoveUp,
                  .Hooks = {.Leave = ErasePictureOutlineOnLeave},
                  .Assist = {.Slot = pictureMoveAssistSlot},
                  .Gestures = {SwallowedDrag(GestureSide::Left, 0), DimensionGesture(), OffsetGesture()}});
  RegisterFamily({.Name = "pictureKakudai",
                  .Modes = {dtpictureKakudai},
                  .Down = pictureKakudaiDown,
                  .Move = pictureKakudaiMove,
                  .Up = pictureKakudaiUp});
  RegisterFamily({.Name = "pictureDel",
                  .Modes = {dtpictureDel, dtpicturezen, dtpicturehai},
                  .Down = pictureDelDown,
                  .Move = pictureDelMove,
                  .Up = pictureDelUp});
}

namespace {

RBitMapData* PickedSlot(TcadBox& box) {
  const std::int32_t slot = box.PickedIndex[2];
  if (slot < 0 || slot >= kPictureSlots) return nullptr;
  return &box.Draw1->Pictures[static_cast<std::size_t>(slot)];
}

void InvalidateSlot(TcadBox& box, const RBitMapData& slot) {
  box.InvalidateWorldRect(slot.X1, slot.Y1, slot.X2, slot.Y2);
}

}  // namespace

bool TcadBox::PickPictureAt(double x, double y) {
  for (std::int32_t i = kPictureSlots - 1; i >= 0; --i) {
    const RBitMapData& slot = Draw1->Pictures[static_cast<std::size_t>(i)];
    if (slot.FileName.empty() || Draw1->LayerState(slot.Group, slot.Layer) != kLayerEditable) continue;
    if (!PointInRect(x, y, slot.X1, slot.Y1, slot.X2, slot.Y2)) continue;
    PasteScaleX = std::fabs(slot.X1 - slot.X2);
    PasteScaleY = std::fabs(slot.Y1 - slot.Y2);
    PickedIndex[2] = i;
    CurrentPoint = SecondPoint = {slot.X1, slot.Y1};
    return true;
  }
  return false;
}

void TcadBox::MovePictureTo(double x, double y) {
  RBitMapData* slot = PickedSlot(*this);
  if (slot == nullptr) return;
  RingRepaintFlag = true;
  InvalidateSlot(*this, *slot);
  slot->X1 = x + BoxOffsets[0];
  slot->Y1 = y + BoxOffsets[1];
  slot->X2 = x + BoxOffsets[2];
  slot->Y2 = y + BoxOffsets[3];
  InvalidateSlot(*this, *slot);
}

void TcadBox::SetPictureCorners(double x2, double y2) {
  RBitMapData* slot = PickedSlot(*this);
  if (slot == nullptr) return;
  RingRepaintFlag = true;
  InvalidateSlot(*this, *slot);
  slot->X1 = CurrentPoint.x;
  slot->Y1 = CurrentPoint.y;
  slot->X2 = x2;
  slot->Y2 = y2;
  InvalidateSlot(*this, *slot);
}

void TcadBox::KeepPictureAspect(double& x, double& y, double x0, double y0) const {
  const std::int32_t index = PickedIndex[2];
  if (index < 0 || index >= kPictureSlots || PictureKeepAspect != 1) return;
  const double aspect = Draw1->Pictures[static_cast<std::size_t>(index)].Aspect;
  y = aspect == 0 ? y0 : y0 + (x - x0) / aspect;
}

void TcadBox::DeletePickedPicture() {
  RBitMapData* slot = PickedSlot(*this);
  if (slot == nullptr) return;
  RingRepaintFlag = true;
  const RBitMapData was = *slot;
  Draw1->DeletePicture(PickedIndex[2]);
  InvalidateSlot(*this, was);
}

void TcadBox::ReorderPickedPicture(bool toBack) {
  RBitMapData* slot = PickedSlot(*this);
  if (slot == nullptr) return;
  RingRepaintFlag = true;
  const RBitMapData was = *slot;
  Draw1->ReorderPicture(PickedIndex[2], toBack, 0, jpgtobmp);
  InvalidateSlot(*this, was);
}

namespace {

constexpr TColor kOutlineColour = 0xC0C0C0;
constexpr int kPicturePicked = 106;
constexpr int kPictureResized = 100;

// The outline of a picture in XOR: drawn twice it is gone.
void XorOutline(TcadBox& box, const RPoint2D& a, const RPoint2D& b) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = box.PrepareXorColor(kOutlineColour);
  box.DrawFrameRect(1, 0, a.x, a.y, b.x, b.y, 0);
  canvas.Pen.Mode = pmCopy;
}

void EraseMoveOutline(TcadBox& box) {
  if (!box.RubberErased) XorOutline(box, box.PreviewP1, box.PreviewP2);
}

void EraseResizeOutline(TcadBox& box) {
  if (!box.RubberErased) XorOutline(box, box.CurrentPoint, box.PreviewP2);
}

void ShowStepPrompt(TcadBox& box) {
  box.SetGuidePrompt(box.CommandStep == 0 ? J("画像指示")
                                          : J("作図点指示    [左クリック（自由）：右クリック（点読取り）]"));
}

// The press of the move and the resize: a free point, or a snapped one
// with its marker; the move adds the point offset to either.
void TakePressPoint(TcadBox& box, TShiftState shift, double x, double y, bool withOffset) {
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    box.FirstPoint = withOffset ? box.FreePoint(x, y) : RPoint2D{x, y};
    box.SecondPoint = {x, y};
  } else if (box.ClickKind == 3) {
    box.SecondPoint = {x, y};
    box.Mhan1 = 0;
    double sx = x, sy = y;
    if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
      box.ClickKind = 0;
      if (withOffset) box.Mhan1 = 1;
      return;
    }
    box.FirstPoint = withOffset ? box.FreePoint(sx, sy) : RPoint2D{sx, sy};
    box.ShowPointMarker(0, sx, sy);
  }
}

void pictureMoveDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtpictureMove) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  TakePressPoint(box, shift, x, y, true);
}

void pictureMoveMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtpictureMove) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    EraseMoveOutline(box);
    box.PreviewP1 = box.PreviewP2 = {0, 0};
    box.RubberErased = true;
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  ShowStepPrompt(box);
  if (box.CommandStep == 0) return;
  EraseMoveOutline(box);
  const std::array<double, 4>& o = box.BoxOffsets;
  box.PreviewP1 = {x + o[0], y + o[1]};
  box.PreviewP2 = {x + o[2], y + o[3]};
  XorOutline(box, box.PreviewP1, box.PreviewP2);
  box.CurrentPoint = {x, y};
  box.RubberErased = false;
}

void pictureMoveUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtpictureMove) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    if (!box.PickPictureAt(box.FirstPoint.x, box.FirstPoint.y)) return;
    // The picture keeps its size and its place under the cursor: its
    // corners from the pick point, which a host may still overwrite.
    const RBitMapData& slot = box.Draw1->Pictures[static_cast<std::size_t>(box.PickedIndex[2])];
    box.BoxOffsets = {slot.X1 - box.FirstPoint.x, slot.Y1 - box.FirstPoint.y, slot.X2 - box.FirstPoint.x,
                      slot.Y2 - box.FirstPoint.y};
    box.CommandStep = 1;
    PostHostNotification("TFrame14", kPicturePicked);
    return;
  }
  EraseMoveOutline(box);
  box.MovePictureTo(box.FirstPoint.x, box.FirstPoint.y);
  box.CommandStep = 0;
  box.RubberErased = true;
  box.ClickKind = 0;
}

void ErasePictureOutlineOnLeave(TcadBox& box) {
  if (box.CommandStep == 0) return;
  EraseMoveOutline(box);
  box.RubberErased = true;
  box.ClickKind = 0;
}

void pictureKakudaiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtpictureKakudai || box.ViewGestureState != 0) return;
  TakePressPoint(box, shift, x, y, false);
}

void pictureKakudaiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtpictureKakudai) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  ShowStepPrompt(box);
  if (box.CommandStep == 0) return;
  EraseResizeOutline(box);
  box.PreviewP1 = {x, y};
  double cx = x, cy = y;
  box.KeepPictureAspect(cx, cy, box.CurrentPoint.x, box.CurrentPoint.y);
  box.PreviewP2 = {cx, cy};
  XorOutline(box, box.CurrentPoint, box.PreviewP2);
  box.RubberErased = false;
}

void pictureKakudaiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtpictureKakudai) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    if (box.PickPictureAt(box.FirstPoint.x, box.FirstPoint.y)) box.CommandStep = 1;
    return;
  }
  box.ToggleRingCursor();
  box.RingHidden = true;
  EraseResizeOutline(box);
  box.KeepPictureAspect(box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
  box.CommandStep = 0;
  box.RubberErased = true;
  box.ClickKind = 0;
  // A picture without width or height could never be picked again: the
  // corners stay.
  const double width = box.FirstPoint.x - box.CurrentPoint.x, height = box.FirstPoint.y - box.CurrentPoint.y;
  if (!(width != 0 && height != 0 && std::isfinite(width) && std::isfinite(height))) return;
  box.SetPictureCorners(box.FirstPoint.x, box.FirstPoint.y);
  box.PasteScaleX = width;
  box.PasteScaleY = height;
  PostHostNotification("TFrame14", kPictureResized);
}

bool DeletesOrReorders(const TcadBox& box) { return ModeIn(box.ButonType, {dtpictureDel, dtpicturezen, dtpicturehai}); }

void pictureDelDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!DeletesOrReorders(box) || box.ViewGestureState != 0) return;
  // A right press points at its own picture as a left one does.
  if (box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) box.FirstPoint = {x, y};
}

void pictureDelMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!DeletesOrReorders(box)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (box.CommandStep == 0) box.SetGuidePrompt(J("画像指示"));
}

void pictureDelUp(TcadBox& box, TShiftState, double, double) {
  if (!DeletesOrReorders(box)) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0 || box.CommandStep != 0) return;
  if (!box.PickPictureAt(box.FirstPoint.x, box.FirstPoint.y)) return;
  switch (box.ButonType) {
    case dtpictureDel: box.DeletePickedPicture(); break;
    case dtpicturezen: box.ReorderPickedPicture(false); break;
    case dtpicturehai: box.ReorderPickedPicture(true); break;
    default: break;
  }
  box.CommandStep = 0;
  box.ClickKind = 0;
  box.GenBan = 49;
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void pictureMoveAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) { slot.Pending = &box.FirstPoint; }

}  // namespace
