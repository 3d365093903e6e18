// What follows the mouse: the cursor shape of the running command, the
// ring cross-hair drawn in XOR at the cursor, and the grid under the
// drawing with the two sub-modes that move its base point and turn it.

#include <cmath>
#include <optional>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"

namespace {
void RingCursorMove(TcadBox& box, TShiftState shift, double x, double y);
void GridkizyunTenDown(TcadBox& box, TShiftState shift, double x, double y);
void GridkizyunTenMove(TcadBox& box, TShiftState shift, double x, double y);
void GridkizyunTenUp(TcadBox& box, TShiftState shift, double x, double y);
void NothingAtAClick(TcadBox&, TShiftState, double, double) {}
void GridkizyunTenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterCursorRingGridCommands() {
  // The cross-hair answers every mode: it owns none.
  RegisterFamily({.Name = "RingCursor",
                  .Down = NothingAtAClick,
                  .Move = RingCursorMove,
                  .Up = NothingAtAClick,
                  .Cancels = {{"RefreshRingCursor", [](TcadBox& box) { box.RefreshRingCursor(); }}}});
  RegisterFamily({.Name = "GridkizyunTen",
                  .Modes = {dtGridkizyunTen, dtGridKakudo},
                  .Down = GridkizyunTenDown,
                  .Move = GridkizyunTenMove,
                  .Up = GridkizyunTenUp,
                  .Assist = {.Slot = GridkizyunTenAssistSlot}});
}

namespace {

// RingPos below this in both coordinates: the ring's place is forgotten.
constexpr double kRingForgotten = -49000.0;
constexpr RPoint2D kForgetRing{-50000.0, -50000.0};

bool RingForgotten(const RPoint2D& p) { return p.x < kRingForgotten && p.y < kRingForgotten; }

}  // namespace

bool IsRingMode(Sbuttontype mode) {
  return ModeIn(mode, {dtHani, dtHanipg, dtHanipgc, dthanipgm, dtDraggu, dtHaniCopy, dtHaniMove, dtHaniGai,
                       dtHaniParamet, dtKiritoriHani, dtHaniCopyGai, dtKiritorisakuzyo, dtzikukaku, dtHaniGaibu});
}

double GridAngleOfLine(double a) {
  if (a >= 360) return 0;
  if (a >= 270) return a - 270;
  if (a >= 180) return a - 180;
  if (a >= 90) return a - 90;
  return a;
}

std::optional<int> DefaultCursor(std::uint8_t ringHan) { return ringHan == 0 || ringHan == 1 ? 0 : 4; }

TCursorRule CursorPair(int plain, int withRing) {
  return [plain, withRing](Sbuttontype, std::uint8_t ringHan, std::uint8_t&) -> std::optional<int> {
    return ringHan == 0 || ringHan == 1 ? plain : withRing;
  };
}

std::optional<int> RangeSelectCursor(Sbuttontype, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  // With RingHan 0 the cursor carries its own cross-hair.
  const bool own = ringHan == 0;
  int id = own ? 0 : 4;
  if (cursorHan == 3) {
    id = own ? 13 : 3;
  } else if (cursorHan == 100) {
    id = own ? 25 : 24;
  }
  cursorHan = 20;  // the host's variant is used up
  return id;
}

std::optional<int> RangeVariantCursor(Sbuttontype, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (cursorHan == 0) return 4;
  if (cursorHan >= 1 && cursorHan <= 3) return (ringHan == 0 ? 10 : 0) + cursorHan;
  return std::nullopt;
}

void TcadBox::UpdateCommandCursor() {
  if (ButonType == LastCursorMode) {
    if (ButonType == dtDrafRen) {
      if ((cursorHan == 5 && LastCursorHan == 5) || (cursorHan == 10 && LastCursorHan == 10)) return;
    } else if (cursorHan != 0 && cursorHan != 3 && cursorHan != 100) {
      return;
    }
  }
  // The first owner of the mode with a cursor rule chooses; the others get
  // the plain cursor.
  std::optional<int> id = DefaultCursor(RingHan);
  for (const RHandlerSet* owner : CommandRegistry().OwnersOf(ButonType)) {
    if (owner->Hooks.Cursor) {
      id = owner->Hooks.Cursor(ButonType, RingHan, cursorHan);
      break;
    }
  }
  if (id && *id != Cursor()) SetCursor(*id);
  LastCursorMode = ButonType;
  LastCursorHan = cursorHan;
}

namespace {

// The ring's lines with the pen as the caller set it; ring lines carry
// line type 0, which draws solid.
void DrawRingLines(TcadBox& box) { box.DrawElementArray(box.RingObj.Lines, box.RingObj.LastIndex(), 0, false, true); }

void RingPen(TcadBox& box) {
  TPen& pen = box.Canvas().Pen;
  pen.Mode = pmXor;
  pen.Style = psSolid;
  pen.Color = box.Ringcol;
  pen.Width = 1;
}

// The ring shows in this mode at all.
bool RingShowsIn(const TcadBox& box) {
  if (box.RingHan == 0) return false;
  return box.RingHan != 1 || IsRingMode(box.ButonType);
}

void XorRing(TcadBox& box) {
  RingPen(box);
  DrawRingLines(box);
  box.Canvas().Pen.Mode = pmCopy;
}

}  // namespace

namespace {

void RingCursorMove(TcadBox& box, TShiftState, double x, double y) {
  if (box.RingHan == 0) return;
  if ((box.RingHan == 1 && !IsRingMode(box.ButonType)) || RingForgotten(box.RingPos)) {
    box.RingPos = {x, y};
    box.RingHidden = true;
    return;
  }
  if (std::abs(x - box.RingPos.x) * box.Zoom <= 0.1 && std::abs(y - box.RingPos.y) * box.Zoom <= 0.1) return;
  RingPen(box);
  if (!box.RingHidden) DrawRingLines(box);
  const RViewRect& v = box.ViewWindow;
  box.RingObj.ViewWindow = {v.Left, v.Bottom, v.Right, v.Top};
  box.RingObj.BuildCrossHair(x, y, box.AxisAngle, box.Zoom, box.GroupScales[box.WriteGrupe_No % kLayerGroups]);
  DrawRingLines(box);
  box.RingPos = {x, y};
  box.RingHidden = false;
  box.Canvas().Pen.Mode = pmCopy;
}

}  // namespace

void TcadBox::ToggleRingCursor() {
  if (!RingShowsIn(*this) || RingHidden) return;
  XorRing(*this);
}

void TcadBox::EraseRingCursor() {
  if (!RingShowsIn(*this) || RingForgotten(RingPos)) return;
  if (!RingHidden) XorRing(*this);
  RingPos = kForgetRing;
}

void TcadBox::RefreshRingCursor() {
  if (RingHan != 1 || LeaveErased || RingHidden) return;
  if (!IsRingMode(ButonType)) {
    RingHidden = true;
    RingPos = kForgetRing;
    return;
  }
  if (RingForgotten(RingPos)) {
    RingHidden = true;
  } else {
    XorRing(*this);
  }
}

void TcadBox::HideRingCursor(int) {
  if (RingHan == 0 || RingHan == 2 || LeaveErased) return;
  // A ring that is not on the screen is not drawn: XOR would show it.
  if (!RingHidden) XorRing(*this);
  RingHidden = true;
}

void TcadBox::DrawGrid() {
  if (Gridview == 0) return;
  const RViewRect& v = ViewWindow;
  GridObj.BuildGrid(Gridview, GridType, GridAngle, GridviewHaba, v.Left, v.Bottom, v.Right, v.Top, Zoom,
                    GroupScales[WriteGrupe_No % kLayerGroups], GridPitches.x, GridPitches.y, GridBase.x, GridBase.y);
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  const std::vector<RDrawElement>& lines = GridObj.Lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if ((i + 1) % 20 == 0 && BothButtonsDown()) break;
    const RDrawElement& e = lines[i];
    canvas.Pen.Color = e.Selection == 0 ? Gridcolor1 : Gridcolor2;
    DrawLine(1, canvas, e.X1, e.Y1, e.X2, e.Y2);
  }
}

void TcadBox::RedrawGridInRect(double x1, double y1, double x2, double y2) {
  if (Gridview == 0) return;
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmMerge;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  for (const RDrawElement& e : GridObj.Lines) {
    if (!SegmentCrossesRectInterior(e.X1, e.Y1, e.X2, e.Y2, x1, y1, x2, y2)) continue;
    canvas.Pen.Color = e.Selection == 0 ? Gridcolor1 : Gridcolor2;
    DrawLine(1, canvas, e.X1, e.Y1, e.X2, e.Y2);
  }
  canvas.Pen.Mode = pmCopy;
}

namespace {

bool InGridSubMode(const TcadBox& box) {
  return (box.ButonType == dtGridkizyunTen || box.ButonType == dtGridKakudo) && box.Gridview != 0;
}

void GridkizyunTenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InGridSubMode(box)) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    box.FirstPoint = box.FreePoint(x, y);
  } else if (box.ClickKind == 3) {
    RPoint2D snapped;
    if (box.SnappedPoint(x, y, snapped)) {
      box.FirstPoint = snapped;
    } else {
      box.ClickKind = 0;  // nothing near: the click is dropped
    }
  }
}

void GridkizyunTenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InGridSubMode(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  if (box.ButonType == dtGridkizyunTen) {
    box.SetGuidePrompt(J("グリッド基準点位置変更　対象点指示  [左クリック（自由）：右クリック（点読取り）]"));
  } else {
    box.SetGuidePrompt(J(kAngleLinePrompt));
  }
}

void GridkizyunTenUp(TcadBox& box, TShiftState shift, double, double) {
  if (!InGridSubMode(box) || box.ClickKind == 0 || box.ViewGestureState != 0) return;
  if (box.ButonType == dtGridKakudo) {
    // A half turn more changes nothing modulo a quarter turn.
    if (!box.ReadLineAngle(shift != 0, box.FirstPoint.x, box.FirstPoint.y)) return;
    box.GridAngle = GridAngleOfLine(box.CommandAngle);
  } else {
    box.GridBase = box.FirstPoint;
  }
  box.ButonType = box.SavedMode;
  box.ClickKind = 0;
  box.RedrawAll(false);
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The grid's base point is taken at once.
void GridkizyunTenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot) {
  if (mode != dtGridkizyunTen) return;
  slot.Pending = &box.FirstPoint;
  slot.SetStep = 1;
}

}  // namespace
