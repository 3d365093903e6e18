// Offset lines and circles, double lines and the offset pitch taken from
// the drawing.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "commands/handlers/offsets.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "geometry/offsets_rects.h"
#include "platform/host_notifications.h"
#include "tools/edit/corner_trim.h"
#include "tools/edit/offset_stretch.h"

namespace {
void FukusenDown(TcadBox& box, TShiftState shift, double x, double y);
void FukusenMove(TcadBox& box, TShiftState shift, double x, double y);
void FukusenUp(TcadBox& box, TShiftState shift, double x, double y);
void FukusenCancel(TcadBox& box);
void FukuSenTanbuDown(TcadBox& box, TShiftState shift, double x, double y);
void FukuSenTanbuMove(TcadBox& box, TShiftState shift, double x, double y);
void FukuSenTanbuUp(TcadBox& box, TShiftState shift, double x, double y);
void FukuenDown(TcadBox& box, TShiftState shift, double x, double y);
void FukuenMove(TcadBox& box, TShiftState shift, double x, double y);
void FukuenUp(TcadBox& box, TShiftState shift, double x, double y);
void FukuenCancel(TcadBox& box);
void wsenDown(TcadBox& box, TShiftState shift, double x, double y);
void wsenMove(TcadBox& box, TShiftState shift, double x, double y);
void wsenUp(TcadBox& box, TShiftState shift, double x, double y);
void wsenCancel(TcadBox& box);
void SenkankakuDown(TcadBox& box, TShiftState shift, double x, double y);
void SenkankakuMove(TcadBox& box, TShiftState shift, double x, double y);
void SenkankakuUp(TcadBox& box, TShiftState shift, double x, double y);
bool& PitchFromPoint(TcadBox& box) { return box.FamilyState<ROffsetState>().PitchFromPoint; }
// A chain of corner joins starts afresh after a cancel.
void ForgetKeptPoint(TcadBox& box) { box.FamilyState<ROffsetState>().KeptPoint = {0, 0}; }
void OffsetAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void wsenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void FukusenGesture(TcadBox& box, Sbuttontype code);
void FukuSenTanbuGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterOffsetCommands() {
  RegisterFamily({.Name = "Fukusen",
                  .Modes = {dtFukusen},
                  .Down = FukusenDown,
                  .Move = FukusenMove,
                  .Up = FukusenUp,
                  .Cancels = {{"FukusenCancel", FukusenCancel}},
                  .Reset = ForgetKeptPoint,
                  .Hooks = {.Cursor = CursorPair(8, 18)},
                  .Assist = {.Slot = OffsetAssistSlot},
                  .Gestures = {{GestureSide::Left,
                                {},
                                {0, [](const TcadBox& b) { return b.B_Switch == on1; }, GestureOutcome::Toggle,
                                 "端点変更 ", dtFukuSenTanbu, kEndChange}},
                               {GestureSide::Right,
                                {},
                                {0, [](const TcadBox& b) { return b.B_Switch == _off; }, GestureOutcome::Message,
                                 "2点間複線", dtFukusenten, kKeepSavedMode}}},
                  .GestureActions = {{{dtFukusenten}, FukusenGesture}}});
  RegisterFamily({.Name = "FukuSenTanbu",
                  .Modes = {dtFukuSenTanbu},
                  .Down = FukuSenTanbuDown,
                  .Move = FukuSenTanbuMove,
                  .Up = FukuSenTanbuUp,
                  .GestureActions = {{{dtFukuSenTanbu}, FukuSenTanbuGesture}}});
  RegisterFamily({.Name = "Fukuen",
                  .Modes = {dtFukuen},
                  .Down = FukuenDown,
                  .Move = FukuenMove,
                  .Up = FukuenUp,
                  .Cancels = {{"FukuenCancel", FukuenCancel}},
                  .Assist = {.Slot = OffsetAssistSlot}});
  RegisterFamily({.Name = "wsen",
                  .Modes = {dtwsen},
                  .Down = wsenDown,
                  .Move = wsenMove,
                  .Up = wsenUp,
                  .Cancels = {{"wsenCancel", wsenCancel}},
                  .Assist = {.Slot = wsenAssistSlot}});
  RegisterFamily({.Name = "Senkankaku",
                  .Modes = {dtSenkankaku},
                  .Down = SenkankakuDown,
                  .Move = SenkankakuMove,
                  .Up = SenkankakuUp});
}

namespace {

// Notifications of the host's offset panel.
constexpr const char* kOffsetPanel = "TFrame4";
constexpr int kCopiesMade = 100;
constexpr int kPitchMeasured = 101;
constexpr int kBaseTaken = 116;

constexpr TColor kPartBandColour = 0x00FF00;

// The prompt of the click that gives the side of the offsets.
constexpr char kDirectionPrompt[] = "方向指示";

bool RunsOffsets(const TcadBox& box, Sbuttontype mode) { return box.ButonType == mode && box.ViewGestureState == 0; }

// The copy of the base line at distance t (drawing units) on the side of p.
RPointPair CopyToward(const TcadBox& box, RPoint2D p, double t) {
  const RPointPair& b = box.RefLine;
  return OffsetSegmentTowardCursor(b.xa, b.ya, b.xb, b.yb, p.x, p.y, t);
}

// A pitch in drawing units; 0 for one that is not a finite number, so that
// no preview is drawn from it.
double PitchInDrawing(const TcadBox& box, double realPitch) {
  const double pitch = box.RealToDrawingLength(realPitch);
  return std::isfinite(pitch) ? pitch : 0;
}

double PitchInDrawing(const TcadBox& box) { return PitchInDrawing(box, box.OffsetPitch); }

// The foot of p on the infinite base line; false when the base line has no
// length.
bool FootOnRefLine(const TcadBox& box, RPoint2D p, RPoint2D& foot) {
  const RPointPair& b = box.RefLine;
  return PerpendicularFoot(foot.x, foot.y, b.xa, b.ya, b.xb, b.yb, p.x, p.y);
}

// The number of whole pitches from the base line to p, at least 1. False
// when there is no number: a base line without length, a pitch that is not
// positive, or a quotient past the count's range.
bool DerivedCount(const TcadBox& box, RPoint2D p, std::int32_t& count) {
  RPoint2D foot;
  if (!(box.OffsetPitch > 0) || !FootOnRefLine(box, p, foot)) return false;
  const double d = PointDistance(p.x, p.y, foot.x, foot.y);
  const double quotient = d / box.RealToDrawingLength(1.0) / box.OffsetPitch;
  if (!(quotient >= 0 && quotient < 2147483648.0)) return false;
  count = static_cast<std::int32_t>(quotient);
  if (count == 0) count = 1;
  return true;
}

// The copies of the base line toward `side`, at whole pitches, added as
// one undo step and shown as the redraw shows them (under the point marker
// of a snapped point); as many as RepeatCount holds, or when it is 0 as the
// distance of `countPoint` holds (that count is the host's for this commit
// only). A pitch that is not positive makes none. True when a copy was
// added.
bool AddOffsetCopies(TcadBox& box, RPoint2D countPoint, RPoint2D side) {
  const bool derived = box.RepeatCount == 0;
  std::int32_t count = box.RepeatCount;
  if (derived) {
    if (!DerivedCount(box, countPoint, count)) count = 0;
    box.RepeatCount = box.OffsetLinesMade = count;
  }
  const double pitch = PitchInDrawing(box);
  if (!(box.OffsetPitch > 0) || !(pitch > 0)) count = 0;

  Tdrawinp& store = *box.Draw1;
  const std::size_t first = store.Elements.size();
  bool added = false;
  // A wide counter: the count may be the largest there is.
  for (std::int64_t i = 1; i <= count; ++i) {
    const RPointPair c = CopyToward(box, side, i * pitch);
    const std::size_t before = store.Elements.size();
    box.AddLineChecked(store, !added, c.xa, c.ya, c.xb, c.yb);
    added = added || store.Elements.size() > before;
  }
  if (derived) box.RepeatCount = 0;
  DrawAddedSince(box, first);
  return added;
}

// ---- Offset lines -----------------------------------------------------------

void DrawOffsetBand(TcadBox& box) {
  box.DrawLine(box.Pentyp, box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
}

// The snapped point of a press with its caption; false, with " 点なし ",
// when nothing is near.
bool SnapWithCaption(TcadBox& box, double x, double y, RPoint2D& point) {
  if (box.SnappedPoint(x, y, point)) {
    box.ShowTopMessage(J(" 点ﾋｯﾄ  "));
    return true;
  }
  point = {x, y};
  box.ShowTopMessage(J(kNoPointCaption));
  return false;
}

void FukusenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtFukusen)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftApart);
  const std::uint8_t click = box.ClickKind;
  switch (box.B_Switch) {
    case _off:
      if (click == 7) {
        if (!SnapWithCaption(box, x, y, box.CurrentPoint)) box.ClickKind = 0;
      } else if (click == 2 || click == 3 || click == 6) {
        // A Shift+left pick is a pick at the click too, not at an old point.
        box.FirstPoint = box.CurrentPoint = {x, y};
      }
      return;
    case on1:
      if (click == 2 || click == 6) {
        box.SecondPoint = {x, y};
      } else if (click == 3 || click == 7) {
        // Without a snap point the press point serves: the click stays.
        SnapWithCaption(box, x, y, box.SecondPoint);
      }
      return;
    case on10:
      if (click == 2 || click == 3 || click == 6 || click == 7) {
        if (!SnapWithCaption(box, x, y, box.SecondPoint)) box.ClickKind = 0;
      }
      return;
    default: return;
  }
}

void FukusenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtFukusen)) return;
  const auto draw = [&box] { DrawOffsetBand(box); };
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.EraseOwnRubberBand(box.Sentakucol, false, 1, draw);
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  switch (box.B_Switch) {
    case _off:
      box.SetGuidePrompt(
          J("線指示[左ｸﾘｯｸ-間隔取得　右ｸﾘｯｸ-数値入力値間隔] 2点間複線[SHIFT+右ｸﾘｯｸで１点目指示 または3時右ﾄﾞﾗｯｸﾞ]"));
      return;
    case on1:
      box.MoveRubberBand(box.Sentakucol, false, box.Penwidth, draw, [&] {
        const RPointPair c = CopyToward(box, {x, y}, PitchInDrawing(box));
        box.FirstPoint = {c.xa, c.ya};
        box.CurrentPoint = {c.xb, c.yb};
      });
      box.Canvas().Pen.Width = 1;
      box.SetGuidePrompt(J(kDirectionPrompt));
      return;
    case on10: box.SetGuidePrompt(J("2点間複線   ２点目指示[左ｸﾘｯｸ-間隔取得　右ｸﾘｯｸ-数値入力値間隔]")); return;
    default: return;
  }
}

// The distance from p to the line through `line`, in real units, becomes
// the pitch, shown and reported; nothing for a line without length.
void MeasurePitch(TcadBox& box, const RPointPair& line, RPoint2D p) {
  RPoint2D foot;
  if (!PerpendicularFoot(foot.x, foot.y, line.xa, line.ya, line.xb, line.yb, p.x, p.y)) return;
  box.OffsetPitch = PointDistance(p.x, p.y, foot.x, foot.y) / box.RealToDrawingLength(1.0);
  PostHostNotification(kOffsetPanel, kPitchMeasured);
  box.ShowTopMessage(Format("[%2.3f]", {box.OffsetPitch}));
}

void TakePitchFromDistance(TcadBox& box) {
  MeasurePitch(box, box.RefLine, box.SecondPoint);
  PitchFromPoint(box) = false;
  box.ClickKind = 0;
}

void FukusenUp(TcadBox& box, TShiftState, double x, double y) {
  if (box.ButonType != dtFukusen) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  const std::uint8_t click = box.ClickKind;
  if (click == 0) return;
  switch (box.B_Switch) {
    case _off: {
      box.OffsetLinesMade = 1;
      if (click == 7) {
        box.B_Switch = on10;
        box.RefLine.xa = box.CurrentPoint.x;
        box.RefLine.ya = box.CurrentPoint.y;
        return;
      }
      PostHostNotification(kOffsetPanel, kBaseTaken);
      if (box.PickLineCoords(box.RefLine, true, box.FirstPoint.x, box.FirstPoint.y)) {
        box.B_Switch = on1;
        PitchFromPoint(box) = click == 2;
        return;
      }
      // A circle under the click: the offset circle takes this same click.
      RDrawElement arc = ZeroElement();
      if (box.PickArcRecord(arc, box.FirstPoint.x, box.FirstPoint.y)) box.ButonType = dtFukuen;
      return;
    }
    case on10:
      if (click != 2 && click != 3 && click != 6 && click != 7) return;
      box.B_Switch = on1;
      PitchFromPoint(box) = click == 2 || click == 6;
      box.RefLine.xb = box.SecondPoint.x;
      box.RefLine.yb = box.SecondPoint.y;
      box.RubberErased = true;
      box.OffsetLinesMade = 1;
      PostHostNotification(kOffsetPanel, kBaseTaken);
      return;
    case on1: {
      if (PitchFromPoint(box)) {
        TakePitchFromDistance(box);
        return;
      }
      // The band goes first: no copy may come to cover it.
      box.EraseOwnRubberBand(box.Sentakucol, false, box.Penwidth, [&box] { DrawOffsetBand(box); });
      box.Canvas().Pen.Width = 1;
      const bool added = AddOffsetCopies(box, box.SecondPoint, {x, y});
      // The join trims the two newest lines: only when this commit made one.
      const std::vector<RDrawElement>& elements = box.Draw1->Elements;
      const std::size_t n = elements.size();
      if (click == 3 && added && n >= 2 && elements[n - 2].Kind == kKindLine && elements[n - 1].Kind == kKindLine) {
        box.JoinOffsetCorner(static_cast<std::int32_t>(n - 2), static_cast<std::int32_t>(n - 1), box.FirstPoint,
                             box.SecondPoint);
      }
      PostHostNotification(kOffsetPanel, kCopiesMade);
      box.B_Switch = _off;
      box.ClickKind = 0;
      RebuildDisplayLists(box);
      return;
    }
    default: return;
  }
}

// ---- Corner join ------------------------------------------------------------

// A result line of the join on the record of its source line.
RDrawElement JoinedLine(RDrawElement e, const RToolLine& line) {
  e.X1 = line.X1;
  e.Y1 = line.Y1;
  e.X2 = line.X2;
  e.Y2 = line.Y2;
  e.LineType = line.LineType;
  e.ColorNo = line.ColorNo;
  e.ScratchByte = line.Flag;
  e.Selection = 0;
  return e;
}

}  // namespace

void TcadBox::JoinOffsetCorner(std::int32_t indexA, std::int32_t indexB, RPoint2D p1, RPoint2D p2) {
  if ((indexA < 0 && indexB < 0) || indexA == indexB) return;
  Tdrawinp& store = *Draw1;
  const auto valid = [&](std::int32_t i) { return i >= 0 && static_cast<std::size_t>(i) < store.Elements.size(); };
  if (!valid(indexA) || !valid(indexB)) return;
  ToggleRingCursor();
  RingHidden = true;
  RPoint2D& kept = FamilyState<ROffsetState>().KeptPoint;
  if (kept.x != 0 || kept.y != 0) p1 = kept;
  Ttremingobj tool(false, p2.x, p2.y, p1.x, p1.y, 10 / (PixelsPerMm * Zoom));
  kept = p2;
  const RDrawElement a = store.Elements[static_cast<std::size_t>(indexA)];
  const RDrawElement b = store.Elements[static_cast<std::size_t>(indexB)];
  if (a.Kind == kKindLine && b.Kind == kKindLine) {
    tool.SetLineWithFlag(a.LineType, a.ColorNo, a.X1, a.Y1, a.X2, a.Y2, a.Group, a.Layer, 0, a.ScratchByte);
    tool.SetLineWithFlag(b.LineType, b.ColorNo, b.X1, b.Y1, b.X2, b.Y2, b.Group, b.Layer, 1, b.ScratchByte);
    tool.JoinLineLine();
    if (tool.Status == Ttremingobj::kMade) {
      const RDrawElement joinedA = JoinedLine(a, tool.ResultLines[0]);
      const RDrawElement joinedB = JoinedLine(b, tool.ResultLines[1]);
      // The two go from the list and their joins come at its end.
      const std::size_t first = store.Elements.size() - 2;
      // The change belongs to the step of the copies just added.
      {
        TUndoStep step(store, UndoJoin::JoinCurrent);
        step.Delete(std::max(indexA, indexB));
        step.Delete(std::min(indexA, indexB));
        step.AddChecked(joinedA);
        step.AddChecked(joinedB);
      }
      // The two lines are in the picture: where they lay is painted again
      // from the drawing (drawn again in XOR they would only be hidden until
      // the part is painted), and the joined lines show as the redraw shows
      // them.
      InvalidateElementArea(a);
      InvalidateElementArea(b);
      DrawAddedSince(*this, first);
    } else {
      // Unchanged on the screen: only their join marks go.
      store.Elements[static_cast<std::size_t>(indexA)].ScratchByte = 0;
      store.Elements[static_cast<std::size_t>(indexB)].ScratchByte = 0;
    }
  }
  RebuildDisplayLists(*this);
}

namespace {

// ---- Offset of a part of a line ----------------------------------------------

void DrawPartBand(TcadBox& box) {
  box.DrawLine(1, box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
}

void ErasePartBand(TcadBox& box, int width) {
  box.EraseOwnRubberBand(kPartBandColour, false, width, [&box] { DrawPartBand(box); });
  box.Canvas().Pen.Width = 1;
}

// The end of the part at a right press: a snap point found with the copy
// at one pitch as reference (from its foot to its second end for the
// start, from its first end to the foot for the end), plus the point
// offset. False when nothing is found.
bool ReferenceSnap(TcadBox& box, bool forStart, double x, double y, RPoint2D& point) {
  const RPointPair k = CopyToward(box, {x, y}, PitchInDrawing(box));
  RPoint2D f{x, y};
  PerpendicularFoot(f.x, f.y, k.xa, k.ya, k.xb, k.yb, x, y);
  RPoint2D ref = forStart ? f : RPoint2D{k.xa, k.ya};
  double sx = forStart ? k.xb : f.x, sy = forStart ? k.yb : f.y;
  std::uint8_t markerKind = 0;
  switch (box.Draw1->SnapPointRefFrom(sx, sy, ref.x, ref.y, x, y, box.Zoom, 0, box.GridObj.Lines, 0)) {
    case 0:
      sx = x;
      sy = y;
      if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
        box.ClickKind = 0;
        return false;
      }
      break;
    case 1: break;
    case 2: markerKind = 1; break;
    default: return false;
  }
  point = box.FreePoint(sx, sy);
  box.ShowPointMarker(markerKind, point.x, point.y);
  return true;
}

void FukuSenTanbuDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtFukuSenTanbu)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const std::uint8_t click = box.ClickKind;
  if (click != 2 && click != 3) return;
  switch (box.B_Switch) {
    case _off: box.FirstPoint = box.CurrentPoint = {x, y}; return;
    case on1:
      if (click == 2) {
        box.SegStart = {x, y};
      } else {
        ReferenceSnap(box, true, x, y, box.SegStart);
      }
      return;
    case on2:
      if (click == 2) {
        box.SegEnd = {x, y};
      } else {
        ReferenceSnap(box, false, x, y, box.SegEnd);
      }
      return;
    default: return;
  }
}

void FukuSenTanbuMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtFukuSenTanbu)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  const _Bswitch step = box.B_Switch;
  if (step == _off) {
    box.SetGuidePrompt(J(kLinePrompt));
    return;
  }
  if (step != on1 && step != on2 && step != on3) return;
  const int width = step == on2 ? 1 : box.Penwidth;
  box.MoveRubberBand(
      kPartBandColour, false, width, [&box] { DrawPartBand(box); },
      [&] {
        const RPointPair k = CopyToward(box, {x, y}, PitchInDrawing(box));
        box.FirstPoint = {k.xa, k.ya};
        box.CurrentPoint = {k.xb, k.yb};
        if (step == on2) PerpendicularFoot(box.CurrentPoint.x, box.CurrentPoint.y, k.xa, k.ya, k.xb, k.yb, x, y);
      });
  box.Canvas().Pen.Width = 1;
  if (step == on2) {
    box.SetGuidePrompt(J("線終点指示    [左クリック（自由）：右クリック（点読取り）]"));
  } else if (step == on1) {
    box.SetGuidePrompt(J("線開始点指示    [左クリック（自由）：右クリック（点読取り）]"));
  } else {
    box.SetGuidePrompt(J(kDirectionPrompt));
  }
}

void FukuSenTanbuUp(TcadBox& box, TShiftState, double x, double y) {
  if (box.ButonType != dtFukuSenTanbu) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  RPointPair& base = box.RefLine;
  switch (box.B_Switch) {
    case _off:
      box.OffsetLinesMade = 1;
      PostHostNotification(kOffsetPanel, kBaseTaken);
      box.EndChangeFlag = 0;
      if (box.PickLineCoords(base, true, box.FirstPoint.x, box.FirstPoint.y)) {
        box.B_Switch = on1;
        box.SetGuidePrompt(J("線ﾋｯﾄ"));
      } else {
        box.SetGuidePrompt(J(kNoLineMessage));
      }
      return;
    case on1: {
      ErasePartBand(box, box.Penwidth);
      RPoint2D foot;
      if (FootOnRefLine(box, box.SegStart, foot)) {
        const RPoint2D old{base.xa, base.ya};
        base.xa = foot.x;
        base.ya = foot.y;
        // A start at the second end takes the line the other way round.
        if (std::abs(base.xa - base.xb) < 1e-4 && std::abs(base.ya - base.yb) < 1e-4) {
          base.xb = old.x;
          base.yb = old.y;
        }
      }
      box.B_Switch = on2;
      return;
    }
    case on2: {
      RPoint2D foot;
      if (FootOnRefLine(box, box.SegEnd, foot)) {
        base.xb = foot.x;
        base.yb = foot.y;
      }
      box.B_Switch = on3;
      return;
    }
    case on3:
      ErasePartBand(box, box.Penwidth);
      AddOffsetCopies(box, {x, y}, {x, y});
      RebuildDisplayLists(box);
      PostHostNotification(kOffsetPanel, kCopiesMade);
      box.B_Switch = _off;
      box.ClickKind = 0;
      if (box.EndChangeFlag != 0) box.ButonType = dtFukusen;
      return;
    default: return;
  }
}

// The band of the offset lines, or the part's green segment, goes with a
// cancel.
void FukusenCancel(TcadBox& box) {
  if (box.ButonType == dtFukusen) {
    if (!box.RubberErased) {
      box.SetXorPen(box.Sentakucol, false);
      box.Canvas().Pen.Width = 1;
      DrawOffsetBand(box);
      box.Canvas().Pen.Mode = pmCopy;
    }
  } else if (box.ButonType == dtFukuSenTanbu && (box.B_Switch == on1 || box.B_Switch == on2 || box.B_Switch == on3)) {
    ErasePartBand(box, 1);
  }
}

// ---- Offset circle -------------------------------------------------------------

TFukuenobj* FukuenTool(TcadBox& box) { return box.Tool(ToolSlot::FukuenObj).Get<TFukuenobj>(); }

void DrawResultArc(TcadBox& box, const TFukuenobj& tool, std::uint8_t lineType, std::uint8_t colourNo) {
  const RToolArc& r = tool.Result;
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Color = box.PrepareXorColor(PenColourOf(box, colourNo));
  box.DrawArc(lineType, canvas, r.CentreX, r.CentreY, r.Radius, r.Ratio, r.StartAngle, r.EndAngle, r.Rotation);
}

// The preview on the screen, drawn once more as it was drawn (a pitch that
// is no number drew it at no distance).
void EraseCirclePreview(TcadBox& box, TFukuenobj& tool) {
  if (box.RubberErased) return;
  box.SetXorPen(0, false);
  box.Canvas().Pen.Width = 1;
  tool.Offset(box.FirstPoint.x, box.FirstPoint.y, PitchInDrawing(box, box.PreviewRadius));
  DrawResultArc(box, tool, box.ArcPreviewLineType, box.ArcPreviewColor);
  box.Canvas().Pen.Mode = pmCopy;
  box.RubberErased = true;
}

void FukuenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtFukuen) return;
  if (box.ViewGestureState != 0) {
    box.CurrentPoint = box.FirstPoint;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.B_Switch == _off) {
    box.FirstPoint = {x, y};
  } else if (box.B_Switch == on1) {
    if (box.ClickKind == 2) {
      box.SecondPoint = {x, y};
    } else if (box.ClickKind == 3) {
      if (box.SnappedPoint(x, y, box.SecondPoint)) {
        box.SetGuidePrompt(J(kPointHitPrompt));
      } else {
        box.ClickKind = 0;
      }
    }
  }
}

void FukuenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtFukuen)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J("円指示"));
    return;
  }
  TFukuenobj* tool = FukuenTool(box);
  if ((box.B_Switch != on1 && box.B_Switch != on2) || !tool) return;
  EraseCirclePreview(box, *tool);
  box.SetXorPen(0, false);
  box.Canvas().Pen.Width = 1;
  tool->Offset(x, y, PitchInDrawing(box));
  DrawResultArc(box, *tool, box.Pentyp, box.Pencol);
  box.Canvas().Pen.Mode = pmCopy;
  box.RubberErased = false;
  box.FirstPoint = {x, y};
  box.PreviewRadius = box.OffsetPitch;
  box.ArcPreviewLineType = box.Pentyp;
  box.ArcPreviewColor = box.Pencol;
  box.SetGuidePrompt(J(kDirectionPrompt));
}

void PickOffsetSource(TcadBox& box) {
  PostHostNotification(kOffsetPanel, kCopiesMade);
  std::int32_t index = -1;
  if (!box.PickLineOrArc(index, true, box.FirstPoint.x, box.FirstPoint.y, 0)) return;
  RDrawElement& e = box.Draw1->Elements[static_cast<std::size_t>(index)];
  e.Selection = 0;
  // The pick's highlight goes again, a line's too: only a curve is used.
  DrawInOwnColour(box, e);
  if (e.Kind != kKindArc) return;
  TFukuenobj* tool = FukuenTool(box);
  if (!tool) {
    // Emplace forwards references, which the packed fields cannot give:
    // the arc's values are passed as copies.
    tool = &box.Tool(ToolSlot::FukuenObj)
                .Emplace<TFukuenobj>(double{e.X1}, double{e.Y1}, double{e.Radius}, float{e.Ratio}, float{e.StartAngle},
                                     float{e.EndAngle}, float{e.Rotation});
  }
  tool->Offset(box.FirstPoint.x, box.FirstPoint.y, PitchInDrawing(box));
  box.B_Switch = on1;
  box.RubberErased = true;
  if (box.ClickKind == 2) PitchFromPoint(box) = true;
  if (box.ClickKind == 3) PitchFromPoint(box) = false;
}

// The copy for the final click at the pitch now set, drawn and added; the
// command goes back to the offset lines.
void CommitOffsetCircle(TcadBox& box, TFukuenobj& tool, double x, double y) {
  EraseCirclePreview(box, tool);
  tool.Offset(x, y, PitchInDrawing(box));
  const RToolArc& r = tool.Result;
  Tdrawinp& store = *box.Draw1;
  const std::size_t before = store.Elements.size();
  // A pitch that is no number makes no copy.
  if (std::isfinite(box.RealToDrawingLength(box.OffsetPitch))) {
    box.AddArcToStore(store, r.CentreX, r.CentreY, r.Radius, r.Ratio, r.StartAngle, r.EndAngle, r.Rotation);
  }
  if (store.Elements.size() > before) DrawInOwnColour(box, store.Elements.back());
  PostHostNotification(kOffsetPanel, kCopiesMade);
  box.B_Switch = _off;
  box.ClickKind = 0;
  FukuenCancel(box);
  box.ButonType = dtFukusen;
}

void FukuenUp(TcadBox& box, TShiftState, double x, double y) {
  if (box.ButonType != dtFukuen) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    PickOffsetSource(box);
    return;
  }
  TFukuenobj* tool = FukuenTool(box);
  if (!tool || (box.B_Switch != on1 && box.B_Switch != on2)) return;
  if (box.B_Switch == on1 && PitchFromPoint(box)) {
    const RToolArc& s = tool->Source;
    const double d = PointDistance(box.SecondPoint.x, box.SecondPoint.y, s.CentreX, s.CentreY);
    box.OffsetPitch = std::abs(d - s.Radius) / box.RealToDrawingLength(1.0);
    PostHostNotification(kOffsetPanel, kPitchMeasured);
    box.ShowTopMessage(Format("%6.3f", {box.OffsetPitch}));
    box.B_Switch = on2;
    return;
  }
  CommitOffsetCircle(box, *tool, x, y);
}

void FukuenCancel(TcadBox& box) {
  if (box.ButonType == dtFukuen) box.Tool(ToolSlot::FukuenObj).Free();
}

// ---- Double line ------------------------------------------------------------

constexpr int kDoubleLineStarted = 109;

// The lines to the right and to the left of the base a-b at the host's
// offsets; false, `lines` untouched, for a base without length.
bool DoubleLineOf(const TcadBox& box, RPoint2D a, RPoint2D b, std::array<RPointPair, 2>& lines) {
  if (a.x == b.x && a.y == b.y) return false;
  OffsetSegmentBothSides(a.x, a.y, b.x, b.y, box.RealToDrawingLength(box.DoubleOffsetRight),
                         box.RealToDrawingLength(box.DoubleOffsetLeft), lines[0], lines[1]);
  return true;
}

RPoint2D DirectionSnapped(const TcadBox& box, RPoint2D p) {
  return SnapCursorDirection(box.DirectionSnapMode, box.FirstPoint.x, box.FirstPoint.y, p.x, p.y, DrawingAngle(box), p);
}

void DrawDoublePreview(TcadBox& box) {
  for (const RPointPair& l : box.PreviewBlock) box.DrawRawLine(box.Canvas(), l.xa, l.ya, l.xb, l.yb);
}

void EraseDoublePreview(TcadBox& box) {
  box.EraseOwnRubberBand(box.Sentakucol, false, 1, [&box] { DrawDoublePreview(box); });
  box.Canvas().Pen.Width = 1;
}

void wsenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtwsen) || !box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  if (box.ClickKind == 2) {
    const RPoint2D p = box.FreePoint(x, y);
    if (box.CommandStep == 0) {
      box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    } else {
      box.CurrentPoint = box.SecondPoint = DirectionSnapped(box, p);
    }
    return;
  }
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 1, box.GridObj.Lines)) {
    box.ClickKind = 0;
    return;
  }
  const RPoint2D p = box.FreePoint(sx, sy);
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
  } else if (std::abs(sx - box.FirstPoint.x) < 1e-4 && std::abs(sy - box.FirstPoint.y) < 1e-4) {
    box.ClickKind = 0;
    box.SetGuidePrompt(J(kSameAsFirstMessage));
    return;
  } else {
    box.CurrentPoint = box.SecondPoint = DirectionSnapped(box, p);
  }
  box.SetGuidePrompt(J(kPointHitPrompt));
  box.ShowPointMarker(0, sx, sy);
}

void wsenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtwsen)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.CommandStep == 1) EraseDoublePreview(box);
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J(kFirstVertexPrompt));
    return;
  }
  box.SetGuidePrompt(J("終点点指示    [左クリック（自由）：右クリック（点読取り）]"));
  box.MoveRubberBand(
      box.Sentakucol, false, 1, [&box] { DrawDoublePreview(box); },
      [&] {
        box.CurrentPoint = DirectionSnapped(box, {x, y});
        DoubleLineOf(box, box.FirstPoint, box.CurrentPoint, box.PreviewBlock);
      });
  box.Canvas().Pen.Width = 1;
}

void wsenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtwsen) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    // No preview is on the screen before the first move.
    box.RubberErased = true;
    box.CommandStep = 1;
    PostHostNotification(kOffsetPanel, kDoubleLineStarted);
    return;
  }
  EraseDoublePreview(box);
  box.CommandStep = 0;
  // A base without length has no sides: nothing is stored, not even the
  // lines of the last preview.
  if (!DoubleLineOf(box, box.FirstPoint, box.SecondPoint, box.PreviewBlock)) return;
  Tdrawinp& store = *box.Draw1;
  const std::size_t first = store.Elements.size();
  bool added = false;
  for (const RPointPair& l : box.PreviewBlock) {
    const std::size_t before = store.Elements.size();
    box.AddLineChecked(store, !added, l.xa, l.ya, l.xb, l.yb);
    added = added || store.Elements.size() > before;
  }
  RebuildDisplayLists(box);
  // Shown as the redraw shows them, under the point marker of a snapped end.
  DrawAddedSince(box, first);
}

// The preview goes with a cancel at the end point (once: a preview a view
// gesture or a paint took away is not drawn back). The wave line shares
// this cancel and its PreviewBlock; its family takes its own band away.
void wsenCancel(TcadBox& box) {
  if (box.ButonType == dtsinko) {
    CommandRegistry().RunPhase("sinkoCancel", box);
    return;
  }
  if (box.ButonType != dtwsen || box.CommandStep != 1) return;
  box.CommandStep = 0;
  box.ClickKind = 0;
  EraseDoublePreview(box);
}

// ---- Offset pitch from the drawing ----------------------------------------------

struct RSpacingState {
  RPointPair Line;  // the picked line
};

void SenkankakuDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtSenkankaku) || !box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = {x, y};
  } else if (box.B_Switch == on1) {
    if (box.SnappedPoint(x, y, box.CurrentPoint)) {
      box.ShowTopMessage(J(" ﾋｯﾄ "));
    } else {
      box.ShowTopMessage(J(kNoPointShort));
      box.ClickKind = 0;
    }
  }
}

void SenkankakuMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsOffsets(box, dtSenkankaku)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  box.SetGuidePrompt(J(box.B_Switch == _off ? "線または点指示" : "点指示"));
}

void SenkankakuUp(TcadBox& box, TShiftState, double, double) {
  if (!RunsOffsets(box, dtSenkankaku) || box.ClickKind == 0) return;
  RPointPair& line = box.FamilyState<RSpacingState>().Line;
  if (box.B_Switch == _off) {
    // Only a line has a distance to a point; an arc is not taken.
    std::int32_t index = -1;
    if (!box.PickLineOrArc(index, false, box.FirstPoint.x, box.FirstPoint.y, 1)) return;
    const RDrawElement& e = box.Draw1->Elements[static_cast<std::size_t>(index)];
    line = {e.X1, e.Y1, e.X2, e.Y2};
    box.B_Switch = on1;
    return;
  }
  if (box.B_Switch != on1) return;
  MeasurePitch(box, line, box.CurrentPoint);
  box.ButonType = box.SavedMode;
  box.B_Switch = _off;
  box.ClickKind = 0;
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The side point, once the element is picked.
void OffsetAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  if (box.B_Switch == on1) slot.Pending = &box.SecondPoint;
}

void wsenAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.CurrentPoint;
  if (box.CommandStep != 0) slot.Also = {&box.SecondPoint};
}

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The offset by two points starts from a snapped press point.
void FukusenGesture(TcadBox& box, Sbuttontype code) { StartTwoPointGesture(box, code, dtFukusen); }

// The end change starts afresh with its line step taken.
void FukuSenTanbuGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  box.ButonType = dtNo;
  box.CancelCommands(false);
  box.B_Switch = on1;
  box.ButonType = dtFukuSenTanbu;
}

}  // namespace
