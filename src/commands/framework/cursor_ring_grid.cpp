// What follows the mouse: the cursor shape of the running command, the
// ring cross-hair drawn in XOR at the cursor, and the grid under the
// drawing with the two sub-modes that move its base point and turn it.

#include <cmath>
#include <optional>

#include "canvas/cad_box.h"
#include "commands/framework/command_framework.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"

namespace {

// RingPos below this in both coordinates: the ring's place is forgotten.
constexpr double kRingForgotten = -49000.0;
constexpr RPoint2D kForgetRing{-50000.0, -50000.0};

bool ModeIn(Sbuttontype mode, std::initializer_list<Sbuttontype> modes) {
  for (Sbuttontype m : modes) {
    if (m == mode) return true;
  }
  return false;
}

// The cursor number for the mode, or nothing where the cursor stays.
std::optional<int> CursorIdFor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  const bool plainRing = ringHan == 0 || ringHan == 1;
  auto pick = [&](int plain, int other) { return std::optional<int>(plainRing ? plain : other); };
  switch (mode) {
    case dtSenDel: return pick(7, 17);
    case dtBoxSen:
    case dtBoxsunpo: return pick(20, 21);
    case dtDrafRen:
      if (cursorHan == 10) return pick(20, 21);
      if (cursorHan == 5) return pick(26, 27);
      return std::nullopt;
    case dtMozi: return pick(9, 19);
    case dtMoziDel: return pick(38, 39);
    case dtFukusen: return pick(8, 18);
    case dtSenSinsyuku: return pick(5, 15);
    case dttreming: return pick(6, 16);
    case dtHaniParamet: return ringHan == 0 ? 32 : 33;
    case dtEnKotei:
    case dtEnkoKotei:
    case dtEnFree:
    case dtEnko:
    case dtEn3ten: return pick(22, 23);
    case dtHachi2ten:
    case dtHachiTen: return pick(34, 35);
    case dtsenbunkatu:
    case dtRenSunpoCyusin:
    case dtsenbunkatupitch: return pick(36, 37);
    case dtsunposen:
    case dtSunpochi:
    case dtSunpochiHen:
    case dtRenSunpo:
    case dtRenSunpokaku:
    case dtRenSunpoKei: return pick(30, 31);
    case dtSennakanuki: return pick(40, 41);
    case dtMentori:
    case dtMentori2: return pick(28, 29);
    case dtHani:
    case dtHanipg:
    case dtKiritorisakuzyo:
    case dtHaniGaibu: {
      // With RingHan 0 the cursor carries its own cross-hair.
      const bool own = ringHan == 0;
      int id = own ? 0 : 4;
      if (cursorHan == 3) {
        id = own ? 13 : 3;
      } else if (cursorHan == 100) {
        id = own ? 25 : 24;
      }
      cursorHan = 20;
      return id;
    }
    case dtzikukaku:
      if (ringHan == 0) return pick(0, 4);
      [[fallthrough]];
    case dtHanipgc:
    case dthanipgm:
    case dtHaniCopy:
    case dtHaniMove:
    case dtHaniGai:
    case dtKiritoriHani:
    case dtHaniCopyGai:
      if (cursorHan == 0) return 4;
      if (cursorHan >= 1 && cursorHan <= 3) return (ringHan == 0 ? 10 : 0) + cursorHan;
      return std::nullopt;
    case dtDraggu:
      if (ringHan == 0) return 0;
      return std::nullopt;
    default: return pick(0, 4);
  }
}

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

void TcadBox::UpdateCommandCursor() {
  if (ButonType == LastCursorMode) {
    if (ButonType == dtDrafRen) {
      if ((cursorHan == 5 && LastCursorHan == 5) || (cursorHan == 10 && LastCursorHan == 10)) return;
    } else if (cursorHan != 0 && cursorHan != 3 && cursorHan != 100) {
      return;
    }
  }
  const std::optional<int> id = CursorIdFor(ButonType, RingHan, cursorHan);
  if (id && *id != Cursor()) SetCursor(*id);
  LastCursorMode = ButonType;
  LastCursorHan = cursorHan;
}

namespace {

// The ring's lines with the pen as the caller set it; ring lines carry
// line type 0, which draws solid.
void DrawRingLines(TcadBox& box) {
  for (const RDrawElement& e : box.RingObj.Lines) {
    if (e.Kind != kKindLine) continue;
    const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
    if (std::abs(x1 - x2) < 0.0001 && std::abs(y1 - y2) < 0.0001) continue;
    box.DrawLine(e.LineType, box.Canvas(), x1, y1, x2, y2);
  }
}

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

void TcadBox::RingCursorDown(TShiftState, double, double) {}

void TcadBox::RingCursorUp(TShiftState, double, double) {}

void TcadBox::RingCursorMove(TShiftState, double x, double y) {
  if (RingHan == 0) return;
  if ((RingHan == 1 && !IsRingMode(ButonType)) || RingForgotten(RingPos)) {
    RingPos = {x, y};
    RingHidden = true;
    return;
  }
  if (std::abs(x - RingPos.x) * Zoom <= 0.1 && std::abs(y - RingPos.y) * Zoom <= 0.1) return;
  RingPen(*this);
  if (!RingHidden) DrawRingLines(*this);
  RingObj.ViewWindow = {ViewWindow.Left, ViewWindow.Bottom, ViewWindow.Right, ViewWindow.Top};
  RingObj.BuildCrossHair(x, y, AxisAngle, Zoom, GroupScales[WriteGrupe_No % kLayerGroups]);
  DrawRingLines(*this);
  RingPos = {x, y};
  RingHidden = false;
  Canvas().Pen.Mode = pmCopy;
}

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

}  // namespace

void TcadBox::GridkizyunTenDown(TShiftState shift, double x, double y) {
  if (!InGridSubMode(*this)) return;
  if (ViewGestureState != 0) {
    ClickKind = 0;
    return;
  }
  SetClickKindFrom(shift, ClickRule::Standard);
  if (ClickKind == 2) {
    FirstPoint = FreePoint(x, y);
  } else if (ClickKind == 3) {
    RPoint2D snapped;
    if (SnappedPoint(x, y, snapped)) {
      FirstPoint = snapped;
    } else {
      ClickKind = 0;  // nothing near: the click is dropped
    }
  }
}

void TcadBox::GridkizyunTenMove(TShiftState, double, double) {
  if (!InGridSubMode(*this) || ViewGestureState != 0) return;
  if (ButonType == dtGridkizyunTen) {
    SetGuidePrompt(J("グリッド基準点位置変更　対象点指示  [左クリック（自由）：右クリック（点読取り）]"));
  } else {
    SetGuidePrompt(J("角度読取線指示    [左クイック：（平行）  右クイック：（左+180）]"));
  }
}

void TcadBox::GridkizyunTenUp(TShiftState, double, double) {
  if (!InGridSubMode(*this) || ClickKind == 0 || ViewGestureState != 0) return;
  if (ButonType == dtGridKakudo) return;  // the line angle is read by the angle pick, not built yet
  GridBase = FirstPoint;
  ButonType = SavedMode;
  ClickKind = 0;
  RedrawAll(false);
}
