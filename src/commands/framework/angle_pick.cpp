// The angle pick: the drawing angle of the interrupted command read from a
// line, the tangent at an arc's end or two points; the panel of the
// restored command is told.

#include <cmath>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "platform/host_notifications.h"

namespace {
void kakudoDown(TcadBox& box, TShiftState shift, double x, double y);
void kakudoMove(TcadBox& box, TShiftState shift, double x, double y);
void kakudoUp(TcadBox& box, TShiftState shift, double x, double y);
void kakudoGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterAnglePickCommands() {
  RegisterFamily({.Name = "kakudo",
                  .Modes = {dtkakudo},
                  .Down = kakudoDown,
                  .Move = kakudoMove,
                  .Up = kakudoUp,
                  .Gestures = {{GestureSide::Right,
                                {},
                                {0, [](const TcadBox& b) { return b.CommandStep == 0; }, GestureOutcome::Message,
                                 "2点間角度", dtkakudo, kKeepSavedMode}}},
                  .GestureActions = {{{dtkakudo}, kakudoGesture}}});
}

namespace {

bool InPick(const TcadBox& box) { return box.ButonType == dtkakudo && box.ViewGestureState == 0; }

void kakudoDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtkakudo) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftApart);
  const std::uint8_t kind = box.ClickKind;
  RPoint2D snapped;
  if (box.CommandStep == 0 && (kind == 2 || kind == 3)) {
    box.CurrentPoint = {x, y};
  } else if (box.CommandStep == 0 && (kind == 6 || kind == 7)) {
    if (box.SnappedPoint(x, y, snapped)) {
      box.CurrentPoint = snapped;
    } else {
      box.ClickKind = 0;
    }
  } else if (box.CommandStep == 1 && kind >= 2 && kind <= 7 && kind != 4 && kind != 5) {
    if (box.SnappedPoint(x, y, snapped)) {
      box.SecondPoint = snapped;
    } else {
      box.ClickKind = 0;
    }
  }
}

void kakudoMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InPick(box)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  box.SetGuidePrompt(box.CommandStep == 0 ? J(kAngleLinePrompt) : J("角度取得"));
}

// The restored command's panel learns the new angle.
void TellPanelOfAngle(TcadBox& box) {
  constexpr int kAngleRead = 101;
  switch (box.ButonType) {
    case dtDraf:
    case dtDrafRen: PostHostNotification("TFrame3", kAngleRead); break;
    case dtBoxSen:
    case dtBoxsunpo: PostHostNotification("TFrame2", kAngleRead); break;
    case dtCopyFree:
    case dtIdoFree:
      PostHostNotification("TFrame10", kAngleRead);
      box.RubberErased = true;
      box.B_Switch = on1;
      break;
    case dtprintsen: PostHostNotification("TFrame8", kAngleRead); break;
    case dtMozi: PostHostNotification("TFrame5", kAngleRead); break;
    case dtEnKotei:
    case dtEnFree: PostHostNotification("TFrame12", kAngleRead); break;
    case dtcopyMenseki:
    case dtCopyZukei:
    case dtCopyHenkeiZukei:
      PostHostNotificationChain({"TFrame19", "TFrame28", "TFrame29", "TFrame23"}, kAngleRead);
      box.RubberErased = true;
      break;
    case dtHachi2ten:
    case dtHachiTen: PostHostNotification("TFrame20", kAngleRead); break;
    case dtsunposen: PostHostNotification("TFrame14", kAngleRead); break;
    case dtCopyTazuMen: PostHostNotification("TFrame16", kAngleRead); break;
    case dtSesenKakuSitei: PostHostNotification("TFrame24", kAngleRead); break;
    case dttakakukeikotei:
    case dttakakukeiFree: PostHostNotification("TFrame25", kAngleRead); break;
    case dtsinko: PostHostNotification("TFrame27", kAngleRead); break;
    default: break;
  }
  box.ClickKind = 0;
}

void kakudoUp(TcadBox& box, TShiftState, double, double) {
  // A dropped snap or a drag the menu took reads nothing.
  if (!InPick(box) || box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    if (box.ClickKind == 6 || box.ClickKind == 7) {
      box.CommandStep = 1;
      return;
    }
    if (!box.ReadLineAngle(box.ClickKind != 2, box.CurrentPoint.x, box.CurrentPoint.y)) {
      box.SetGuidePrompt(J(kNoLineExclaimed));
      return;
    }
    // The member and section figures tell their panels only of an angle
    // read from an element.
    const Sbuttontype restored = box.SavedMode;
    box.ButonType = restored;
    if (restored == dtBuzaikotei2) PostHostNotification("TFrame27", 101);
    if (restored == dtBuzaikotei) PostHostNotification("TFrame18", 101);
    TellPanelOfAngle(box);
    return;
  }
  box.CommandAngle = DirectionAngleDeg(box.CurrentPoint.x, box.CurrentPoint.y, box.SecondPoint.x, box.SecondPoint.y);
  box.ButonType = box.SavedMode;
  TellPanelOfAngle(box);
  box.CommandStep = 0;
}

}  // namespace

bool TcadBox::ReadLineAngle(bool plus180, double x, double y) {
  const double h = 4 / Zoom;
  for (const RDisplayEntry& entry : Draw1->DisplayList) {
    const RDrawElement* e = Draw1->EntryElement(entry);
    if (e == nullptr || Draw1->LayerState(e->Group, e->Layer) != kLayerEditable) continue;
    double a = 0.0;
    if (e->Kind == kKindLine) {
      if (!SegmentTouchesRect(e->X1, e->Y1, e->X2, e->Y2, x - h, y - h / 1.5, x + h, y + h)) continue;
      a = DirectionAwayFromPointDeg(e->X1, e->Y1, e->X2, e->Y2, x, y);
    } else if (e->Kind == kKindArc) {
      if (!PointOnArc(e->X1, e->Y1, e->Radius, e->StartAngle, e->EndAngle, e->Rotation, e->Ratio, x, y, h)) continue;
      const double sweep = std::abs(static_cast<double>(e->StartAngle) - e->EndAngle);
      if (sweep == 0.0 || sweep >= 360.0) return true;  // a full circle has no end to read
      const RPointPair ends = ArcEndPoints(e->X1, e->Y1, e->Radius, e->StartAngle, e->EndAngle, e->Rotation);
      const bool nearEnd = PointDistance(x, y, ends.xa, ends.ya) > PointDistance(x, y, ends.xb, ends.yb);
      a = NormalizeAngle360(nearEnd ? e->EndAngle + e->Rotation + 90.0 : e->Rotation + e->StartAngle - 90.0);
    } else {
      continue;
    }
    CommandAngle = NormalizeAngle360((plus180 ? a + 180.0 : a) - AxisAngle);
    return true;
  }
  return false;
}

// ---- What the release carries out for the gestures the family arms

namespace {

// The angle by two points starts from a snapped press point.
void kakudoGesture(TcadBox& box, Sbuttontype code) { StartTwoPointGesture(box, code, dtkakudo); }

}  // namespace
