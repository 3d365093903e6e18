// Placing, moving and copying texts, numbering, cutting, deleting and
// joining them.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/lines/text_split.h"

namespace {
void MoziDown(TcadBox& box, TShiftState shift, double x, double y);
void MoziMove(TcadBox& box, TShiftState shift, double x, double y);
void MoziUp(TcadBox& box, TShiftState shift, double x, double y);
void MoziCancel(TcadBox& box);
void DrawHeldTextFrameAtFirstPoint(TcadBox& box);
void MoziDelDown(TcadBox& box, TShiftState shift, double x, double y);
void MoziDelMove(TcadBox& box, TShiftState shift, double x, double y);
void MoziDelUp(TcadBox& box, TShiftState shift, double x, double y);
void nanberingDown(TcadBox& box, TShiftState shift, double x, double y);
void nanberingMove(TcadBox& box, TShiftState shift, double x, double y);
void nanberingUp(TcadBox& box, TShiftState shift, double x, double y);
void RenKetuMoziDown(TcadBox& box, TShiftState shift, double x, double y);
void RenKetuMoziMove(TcadBox& box, TShiftState shift, double x, double y);
void RenKetuMoziUp(TcadBox& box, TShiftState shift, double x, double y);
void TellTextPanelViewChanged(TcadBox& box);
void MoziAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void MoziResume(TcadBox& box, TShiftState shift, double x, double y);
void MoziGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterTextCommands() {
  RegisterFamily({.Name = "Mozi",
                  .Modes = {dtMozi},
                  .Down = MoziDown,
                  .Move = MoziMove,
                  .Up = MoziUp,
                  .Cancels = {{"MoziCancel", MoziCancel}},
                  .Phases = {{"DrawHeldTextFrame", DrawHeldTextFrameAtFirstPoint}},
                  .Hooks = {.Leave = EraseHeldTextFrameOnLeave,
                            .Cursor = CursorPair(9, 19),
                            .AfterViewGesture = TellTextPanelViewChanged},
                  .Assist = {.Slot = MoziAssistSlot, .Resume = MoziResume},
                  .Gestures = {{GestureSide::Left,
                                {},
                                {0, [](const TcadBox& b) { return b.CommandStep == 0 && !b.PlaceText.empty(); },
                                 GestureOutcome::Toggle, "方向切替 ", dtMozi}}},
                  .GestureActions = {{{dtMozi}, MoziGesture}}});
  RegisterFamily({.Name = "MoziDel",
                  .Modes = {dtMoziDel},
                  .Down = MoziDelDown,
                  .Move = MoziDelMove,
                  .Up = MoziDelUp,
                  .Hooks = {.Cursor = CursorPair(38, 39)}});
  RegisterFamily(
      {.Name = "nanbering", .Modes = {dtnanbering}, .Down = nanberingDown, .Move = nanberingMove, .Up = nanberingUp});
  RegisterFamily({.Name = "RenKetuMozi",
                  .Modes = {dtRenKetuMozi},
                  .Down = RenKetuMoziDown,
                  .Move = RenKetuMoziMove,
                  .Up = RenKetuMoziUp});
}

namespace {

constexpr TColor kHeldTextFrameColour = 0xC8FF00;  // RGB(0, 255, 200)
constexpr int kTextTakenUp = 100;
constexpr int kTextPlaced = 102;
constexpr int kTextViewChanged = 116;
constexpr int kTextsEdited = 49;

// The text placing: the command holds a usable placement point for the next
// release.
struct RTextPlaceState {
  bool TextPlaceReady = false;
};

bool& TextPlaceReady(TcadBox& box) { return box.FamilyState<RTextPlaceState>().TextPlaceReady; }

// The text joining: the base was picked with a right click (insert at a
// position), and a left pick fell in the latter part of the base text (the
// other text goes after it).
struct RTextJoinState {
  bool JoinInsert = false;
  bool JoinAfter = false;
};

void EraseShownFrame(TcadBox& box) {
  if (!box.RubberErased) XorHeldTextFrame(box, box.SecondPoint);
  box.RubberErased = true;
}

void DrawHeldTextFrameAtFirstPoint(TcadBox& box) { XorHeldTextFrame(box, box.FirstPoint); }

void MoziCancel(TcadBox& box) {
  if (box.ButonType != dtMozi && box.ButonType != dtSokuteiKeka) return;
  EraseShownFrame(box);
}

void TellTextPanelViewChanged(TcadBox&) { PostHostNotification("TFrame5", kTextViewChanged); }

// ---- Placing, taking up, moving and copying the held text -------------------

void MoziDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtMozi) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  if ((shift & ssMiddle) != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftApart);
  const std::uint8_t kind = box.ClickKind;
  const bool held = !box.PlaceText.empty();
  const RPoint2D press{x, y};
  if (box.B_Switch == _off) {
    if (kind == 2 || (!held && (kind == 3 || kind == 6 || kind == 7))) {
      box.WorkPointA = press;
      box.FirstPoint = box.CurrentPoint = box.FreePoint(x, y);
      box.SecondPoint = press;
      TextPlaceReady(box) = true;
      box.Mhan1 = 0;
    } else if (kind == 3) {
      RPoint2D snapped;
      if (box.SnappedPoint(x, y, snapped)) {
        box.WorkPointA = snapped;
        box.FirstPoint = box.CurrentPoint = box.FreePoint(snapped.x, snapped.y);
        TextPlaceReady(box) = true;
      } else {
        TextPlaceReady(box) = false;
        box.Mhan1 = 1;
      }
    } else if (kind == 6 || kind == 7) {
      box.WorkPointA = press;
      box.Mhan1 = kind == 7 ? 2 : 0;
    }
    return;
  }
  TextPlaceReady(box) = false;
  if (kind == 3) {
    RPoint2D snapped;
    if (box.SnappedPoint(x, y, snapped)) {
      box.WorkPointA = snapped;
      box.FirstPoint = box.FreePoint(snapped.x, snapped.y);
      box.ShowPointMarker(0, snapped.x, snapped.y);
    } else {
      box.ClickKind = 0;
      box.Mhan1 = 1;
    }
    return;
  }
  box.WorkPointA = press;
  box.FirstPoint = box.CurrentPoint = box.FreePoint(x, y);
  if (kind == 7) box.Mhan1 = 2;
}

void MoziMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtMozi) return;
  if (box.ViewGestureState == 0 && box.TrackDragGesture(shift, box.ButonType, x, y)) {
    EraseShownFrame(box);
    TextPlaceReady(box) = true;
  }
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  box.SetGuidePrompt(J("文字入力   [表示文字左クリック（文字変更:移動）：表示文字右クリック（文字複写）]"));
  if (box.PlaceText.empty() || !NoMouseButtonHeld(shift)) return;
  EraseShownFrame(box);
  XorHeldTextFrame(box, {x, y});
  box.SecondPoint = {x, y};
  box.RubberErased = false;
}

// The text under the press becomes the held text, to be moved (left) or
// copied (right) by the next click.
void TakeUpText(TcadBox& box, std::uint8_t kind) {
  const RDrawElement& picked = box.PickedElement;
  box.Mozi_No = picked.TextStyle;
  box.PickedTextGroup = picked.Group;
  box.PickedTextLayer = picked.Layer;
  box.CommandAngle = NormalizeAngle360(picked.TextAngle - box.AxisAngle);
  box.PlaceTextDirection = picked.TextDirection;
  PostHostNotification("TFrame5", kTextTakenUp);
  box.CommandStep = 0;
  box.RubberErased = true;
  const bool copy = kind == 3 || kind == 7;
  box.SetGuidePrompt(J(copy ? "文字複写" : "文字移動"));
  box.TextCopyMode = copy ? 1 : 0;
  box.B_Switch = on1;
}

// Shift-clicks put the string of the text under the press in front of
// (left) or behind (right) the held text.
void ExtendHeldText(TcadBox& box, std::uint8_t kind) {
  std::string t;
  if (!box.PickTextAt(t, true, box.WorkPointA.x, box.WorkPointA.y)) return;
  const bool front = kind == 6;
  box.PlaceText = front ? t + box.PlaceText : box.PlaceText + t;
  box.SetGuidePrompt(J(front ? "文字前追加" : "文字後追加"));
  box.RefreshHeldTextFrame();
  PostHostNotification("TFrame5", kTextTakenUp);
}

// The held text added at FirstPoint and drawn; the host is told and the
// held text is used up.
void AddHeldTextAtFirstPoint(TcadBox& box) {
  box.HeldTextStart = box.FirstPoint;
  box.PlaceHeldText(box.DirectionMode, true, box.FirstPoint.x, box.FirstPoint.y);
  const std::size_t before = box.Draw1->Elements.size();
  bool enclosed = false;
  if (box.TextEnclosureOn == 1) {
    box.AddTextEnclosure(box.TextEnclosureShape, *box.Draw1, box.HeldTextStart.x, box.HeldTextStart.y,
                         box.HeldTextEnd.x, box.HeldTextEnd.y, box.CurrentTextHeight,
                         NormalizeAngle360(box.CommandAngle + box.AxisAngle));
    enclosed = box.Draw1->Elements.size() > before;
  }
  // The text joins the enclosure's step; without an enclosure (none asked,
  // or one of no size) it opens its own, never joining the previous action.
  const std::size_t beforeText = box.Draw1->Elements.size();
  box.AddHeldText(*box.Draw1, enclosed ? UndoJoin::JoinCurrent : UndoJoin::NewStep);
  if (box.Draw1->Elements.size() > beforeText) DrawLastText(box);
  PostHostNotification("TFrame5", kTextPlaced);
  box.PlaceText.clear();
}

void PlaceOrCarryPickedText(TcadBox& box) {
  const std::uint8_t group = box.WriteGrupe_No;
  const std::uint8_t layer = box.WriteReiya_No;
  box.WriteGrupe_No = box.PickedTextGroup;
  box.WriteReiya_No = box.PickedTextLayer;
  const std::int32_t picked = box.PickedIndex[5];
  if (box.TextCopyMode == 0) {
    EraseShownFrame(box);
    box.DeselectElement(picked);
    box.HeldTextStart = box.FirstPoint;
    // With a held text the move deletes the picked text and adds the held
    // one last.
    const bool moves =
        !box.PlaceText.empty() && picked >= 0 && static_cast<std::size_t>(picked) < box.Draw1->Elements.size();
    box.MovePickedText();
    if (moves) DrawLastText(box);
    if (!box.PlaceText.empty()) {
      PostHostNotification("TFrame5", kTextPlaced);
      box.PlaceText.clear();
    }
  } else {
    if (picked >= 0 && static_cast<std::size_t>(picked) < box.Draw1->Elements.size()) {
      DrawInOwnColour(box, box.Draw1->Elements[static_cast<std::size_t>(picked)]);
    }
    EraseShownFrame(box);
    box.DeselectElement(picked);
    if (!box.PlaceText.empty()) AddHeldTextAtFirstPoint(box);
  }
  box.CommandStep = 0;
  box.RubberErased = true;
  box.B_Switch = _off;
  box.WriteGrupe_No = group;
  box.WriteReiya_No = layer;
}

void MoziUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtMozi) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.Mhan1 = 0;
    return;
  }
  if (box.Mhan1 == 1 || box.Mhan1 == 2) {
    box.EraseRubberBand();
    box.LeaveErased = false;
  }
  const std::uint8_t kind = box.ClickKind;
  if (kind == 0) return;
  const bool shiftClick = kind == 6 || kind == 7;
  if (box.B_Switch == on1) {
    if (shiftClick) {
      ExtendHeldText(box, kind);
    } else if (kind == 2 || kind == 3) {
      PlaceOrCarryPickedText(box);
    }
    return;
  }
  if (box.PlaceText.empty() && box.PickTextAt(box.PlaceText, false, box.WorkPointA.x, box.WorkPointA.y)) {
    TakeUpText(box, kind);
    return;
  }
  if (box.PlaceText.empty() && (kind == 2 || kind == 3)) {
    box.Mhan1 = kind == 2 ? 10 : 11;
    return;
  }
  if (!TextPlaceReady(box)) return;
  box.SetGuidePrompt(J("文字記入"));
  box.TextCopyMode = 0;
  if (box.PlaceText.empty()) {
    box.CommandStep = 0;
    box.RubberErased = true;
  } else if (shiftClick) {
    ExtendHeldText(box, kind);
  } else if (kind == 2 || kind == 3) {
    EraseShownFrame(box);
    box.DeselectElement(box.PickedIndex[5]);
    AddHeldTextAtFirstPoint(box);
    box.CommandStep = 0;
    box.RubberErased = true;
    box.B_Switch = _off;
  }
}

// ---- Numbering, cutting and deleting ----------------------------------------

// The press point of the single-click text edits; false while a view
// gesture runs.
bool TakeEditClick(TcadBox& box, TShiftState shift, double x, double y, TcadBox::ClickRule rule) {
  if (box.ViewGestureState != 0) {
    box.CurrentPoint = box.FirstPoint;
    return false;
  }
  box.SetClickKindFrom(shift, rule);
  box.FirstPoint = box.CurrentPoint = {x, y};
  return true;
}

bool EditClickReleased(const TcadBox& box) {
  return box.ViewGestureState == 0 && box.ClickKind != 0 && box.B_Switch == _off;
}

void nanberingDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtnanbering) return;
  TakeEditClick(box, shift, x, y, TcadBox::ClickRule::ShiftApart);
}

// The move of the single-click text edits: a drag gesture drops the
// click, else the prompt; nothing is drawn.
void TrackEditMove(TcadBox& box, TShiftState shift, double x, double y, const char* prompt) {
  if (box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  box.SetGuidePrompt(J(prompt));
}

void nanberingMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtnanbering) return;
  TrackEditMove(box, shift, x, y, "文字列の一部をナンバリングする [左クリック（増加）：右クリック（減少）]");
}

void nanberingUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtnanbering || !EditClickReleased(box)) return;
  std::uint8_t mode = 0;
  switch (box.ClickKind) {
    case 2: mode = kTextEditStepUp; break;
    case 3: mode = kTextEditStepDown; break;
    case 6:
    case 7: mode = kTextEditDelete; break;
    default: return;
  }
  box.NumberTextAt(mode, box.FirstPoint.x, box.FirstPoint.y);
  box.B_Switch = _off;
}

void MoziDelDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtMoziDel) return;
  TakeEditClick(box, shift, x, y, TcadBox::ClickRule::Standard);
}

void MoziDelMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtMoziDel) return;
  TrackEditMove(box, shift, x, y, "文字切断削除 [左クリック（文字切断位置指定）：右クリック（削除文字指定）]");
}

void MoziDelUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtMoziDel || !EditClickReleased(box)) return;
  if (box.ClickKind == 3) {
    box.DeleteTextAt(box.FirstPoint.x, box.FirstPoint.y);
    box.GenBan = kTextsEdited;
  } else if (box.ClickKind == 2) {
    box.CutTextAt(box.FirstPoint.x, box.FirstPoint.y);
  }
  box.B_Switch = _off;
  box.ClickKind = 0;
}

// ---- Joining two texts ------------------------------------------------------

void RenKetuMoziDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtRenKetuMozi) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  (box.B_Switch == _off ? box.FirstPoint : box.SecondPoint) = {x, y};
}

void RenKetuMoziMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtRenKetuMozi) return;
  if (box.ViewGestureState != 0 || box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  box.SetGuidePrompt(box.B_Switch == _off
                         ? J("連結元の文字指示[左ｸﾘｯｸ:文字ｸﾘｯｸ位置で前後連結切替][右ｸﾘｯｸ:挿入位置指示]")
                         : J("連結する文字指示[左ｸﾘｯｸ:文字連結移動][右ｸﾘｯｸ:文字連結複写]"));
}

void RenKetuMoziUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtRenKetuMozi) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = false;
    box.ClickKind = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  RTextJoinState& pick = box.FamilyState<RTextJoinState>();
  std::int32_t& base = box.PickedIndex[1];
  std::int32_t& other = box.PickedIndex[2];
  if (box.B_Switch == _off) {
    if (box.ClickKind == 2) {
      if (!box.PickTextNearEnd(base, true, box.FirstPoint.x, box.FirstPoint.y, pick.JoinAfter)) return;
      pick.JoinInsert = false;
      box.B_Switch = on1;
    } else if (box.PickText(base, true, box.FirstPoint.x, box.FirstPoint.y)) {
      box.B_Switch = on1;
      pick.JoinInsert = true;
      box.ShowPointMarker(0, box.FirstPoint.x, box.FirstPoint.y);
    }
    return;
  }
  if (!box.PickText(other, false, box.SecondPoint.x, box.SecondPoint.y) || other == base) return;
  const bool remove = box.ClickKind == 2;
  std::string joined;
  if (!pick.JoinInsert) {
    box.JoinTexts(base, other, joined, pick.JoinAfter, remove);
    box.AddTextFromTemplate(box.JoinedTextTemplate, joined, UndoJoin::JoinCurrent);
  } else {
    std::string inserted;
    box.InsertTextAtPick(base, other, inserted, box.FirstPoint.x, box.FirstPoint.y);
    if (!inserted.empty()) {
      box.JoinTexts(base, other, joined, pick.JoinAfter, remove);
      box.AddTextFromTemplate(box.JoinedTextTemplate, inserted, UndoJoin::JoinCurrent);
    }
  }
  box.B_Switch = _off;
  box.GenBan = kTextsEdited;
}

}  // namespace

void XorHeldTextFrame(TcadBox& box, RPoint2D at) {
  box.SetXorPen(kHeldTextFrameColour, true);
  box.Canvas().Pen.Width = 1;
  box.DrawHeldTextFrame(at.x, at.y);
  box.Canvas().Pen.Mode = pmCopy;
}

void DrawLastText(TcadBox& box) {
  const RDrawElement& e = box.Draw1->Elements.back();
  box.DrawElementText(e.TextIndex, box.PlaceTextDirection, box.Canvas(), 0, e.X1, e.Y1, e.X2, e.Y2,
                      NormalizeAngle360(box.CommandAngle + box.AxisAngle));
}

void EraseHeldTextFrameOnLeave(TcadBox& box) {
  if (!box.RubberErased) XorHeldTextFrame(box, box.SecondPoint);
  box.RubberErased = true;
  box.SecondPoint = {-50000.0, -50000.0};
}

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void MoziAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = &box.FirstPoint;
  slot.EraseRubber = true;
}

// A point of a two-step assist places the text as a free press there.
void MoziResume(TcadBox& box, TShiftState shift, double, double) {
  const RPoint2D p = box.AssistPoint;
  box.FirstPoint = p;
  box.ClickKind = 2;
  ReEnterDown(box, dtMozi, shift, p.x, p.y);
}

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// East steps the text direction (three of them) on the host's panel; the
// menu's text gesture hands the host its text action.
void MoziGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  if (box.GestureSector == 0) {
    box.DirectionMode = (box.DirectionMode + 1) % 3;
    PostHostNotification("TFrame5", 115);
  } else {
    box.GenBan = 10;
  }
}

}  // namespace
