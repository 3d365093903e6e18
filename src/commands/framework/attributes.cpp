// The attribute commands: reading an element's attributes, a text's string
// or the axis angle, and changing an element's attributes.

#include <cstdio>
#include <string>

#include "canvas/cad_box.h"
#include "canvas/nearest_pick.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"

namespace {
std::optional<int> AxisAngleCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
void zokuseiDown(TcadBox& box, TShiftState shift, double x, double y);
void zokuseiMove(TcadBox& box, TShiftState shift, double x, double y);
void zokuseiUp(TcadBox& box, TShiftState shift, double x, double y);
void ZokuseiRenHenDown(TcadBox& box, TShiftState shift, double x, double y);
void ZokuseiRenHenMove(TcadBox& box, TShiftState shift, double x, double y);
void ZokuseiRenHenUp(TcadBox& box, TShiftState shift, double x, double y);
}  // namespace

void RegisterAttributeCommands() {
  RegisterFamily({.Name = "zokusei",
                  .Modes = {dtzokusei, dtMoziyomu, dtZokuseiHen, dtzikukaku},
                  .Down = zokuseiDown,
                  .Move = zokuseiMove,
                  .Up = zokuseiUp,
                  .Hooks = {.Cursor = AxisAngleCursor}});
  RegisterFamily({.Name = "ZokuseiRenHen",
                  .Modes = {dtZokuseiRenHen},
                  .Down = ZokuseiRenHenDown,
                  .Move = ZokuseiRenHenMove,
                  .Up = ZokuseiRenHenUp});
}

namespace {

constexpr int kAttributesRead = 113;
constexpr int kTextRead = 121;
// The caption of a read that found nothing to read.
constexpr char kReadFailedCaption[] = "読取失敗 ";

// The element under the point, from the editable layers in view: a line
// by the line box, a point inside the box, a circle or arc on its curve,
// and, when texts are asked for, a text whose frame holds the point. The
// nearest of them within the aperture.
struct RChosen {
  RDrawElement Element = ZeroElement();
  std::int32_t Index = -1;
};

std::optional<RChosen> ChooseElement(TcadBox& box, bool texts, double aperturePixels, double x, double y) {
  const double h = 4 / box.Zoom;
  THitSen picker(x, y, aperturePixels / (box.PixelsPerMm * box.Zoom));
  const Tdrawinp& store = *box.Draw1;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t index) {
    if (!OnEditableLayer(store, e)) return;
    bool hit = false;
    switch (e.Kind) {
      case kKindLine: hit = LineInPickBox(e, x, y, h); break;
      case kKindRect:
        OfferRectangleSides(picker, e, index, [&](const RDrawElement& side) { return LineInPickBox(side, x, y, h); });
        return;
      case kKindPoint: hit = PointInPickSquare(e.X1, e.Y1, x, y, h); break;
      case kKindArc: hit = ArcUnderCursor(e, x, y, h); break;
      case kKindText:
        hit = texts && box.PointInTextOutline(e.X1, e.Y1, e.X2, e.Y2, TextStyleHeight(box, e), x, y);
        break;
      default: break;
    }
    if (hit) picker.AddCandidate(e, index);
  });
  picker.PickNearest();
  if (!picker.Found) return std::nullopt;
  // The stored element: a rectangle was offered by the side that was hit.
  return RChosen{store.Elements[static_cast<std::size_t>(picker.PickedIndex)], picker.PickedIndex};
}

std::string Formatted(const std::string& format, int a, int b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format.c_str(), a, b);
  return text;
}

// The element replaced by its changed copy as one undo step, shown at once:
// where it was and where it is now are painted again from the drawing,
// which draws the changed copy last, over what lies under it.
void ReplaceElement(TcadBox& box, const RChosen& chosen, const RDrawElement& changed) {
  TUndoStep step(*box.Draw1);
  step.Delete(chosen.Index);
  step.AddChecked(changed);
  box.InvalidateElementArea(chosen.Element);
  box.InvalidateElementArea(changed);
}

}  // namespace

bool TcadBox::PickElementAttributes(double x, double y) {
  const std::optional<RChosen> chosen = ChooseElement(*this, true, 8, x, y);
  if (!chosen) return false;
  PickedElement = chosen->Element;
  if (PickedElement.Kind == kKindText) {
    PickedElement.ColorNo = Pencol;
    PickedElement.LineType = Pentyp;
    PickedElement.Selection = 0;
    Mozi_No = PickedElement.TextStyle;
    if (SavedMode == dtMozi && ButonType == dtzokusei) PostHostNotification("TFrame5", kAttributesRead);
  }
  return true;
}

bool TcadBox::ChangeElementAttributes(double x, double y) {
  const std::optional<RChosen> chosen = ChooseElement(*this, true, 4, x, y);
  if (!chosen) return false;
  Tdrawinp& store = *Draw1;
  RDrawElement changed = chosen->Element;
  changed.ColorNo = Pencol;
  changed.LineType = Pentyp;
  changed.Group = WriteGrupe_No;
  changed.Layer = WriteReiya_No;
  if (changed.Kind == kKindText) {
    const std::string text = ElementString(*this, chosen->Element);
    const RDrawElement& old = chosen->Element;
    InvalidateTextOutline(old.X1, old.Y1, old.X2, old.Y2, TextStyleHeight(*this, old));
    changed.TextStyle = Mozi_No;
    // Refitted in its own direction, not that of the held text.
    const std::uint8_t heldDirection = HeldTextDir;
    HeldTextDir = old.TextDirection;
    double ex = changed.X2, ey = changed.Y2;
    FitTextEndPoint(text, changed.X1, changed.Y1, ex, ey);
    HeldTextDir = heldDirection;
    changed.X2 = ex;
    changed.Y2 = ey;
    TUndoStep step(store);
    step.Delete(chosen->Index);
    AddTextExact(changed, text, store, false);
    InvalidateTextOutline(changed.X1, changed.Y1, changed.X2, changed.Y2, TextStyleHeight(*this, changed));
  } else {
    ReplaceElement(*this, *chosen, changed);
  }
  RebuildDisplayLists(*this);
  return true;
}

bool TcadBox::ChangeElementColourType(bool rightClick, double x, double y) {
  const std::optional<RChosen> chosen = ChooseElement(*this, false, 4, x, y);
  if (!chosen) return false;
  RDrawElement changed = chosen->Element;
  changed.ColorNo = Pencol;
  if (!rightClick) changed.LineType = Pentyp;
  ReplaceElement(*this, *chosen, changed);
  RebuildDisplayLists(*this);
  return true;
}

namespace {

bool InSubMode(const TcadBox& box) {
  const Sbuttontype m = box.ButonType;
  return m == dtzokusei || m == dtMoziyomu || m == dtZokuseiHen || m == dtzikukaku;
}

// The sub-mode is over: the interrupted command runs on.
void Return(TcadBox& box) {
  box.ClickKind = 0;
  box.ButonType = box.SavedMode;
}

void zokuseiDown(TcadBox& box, TShiftState shift, double, double) {
  if (!InSubMode(box)) return;
  box.JoinSide = 0;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (!box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  if (shift == (ssShift | ssLeft)) box.JoinSide = 1;
  if (shift == ssRight || shift == (ssShift | ssRight)) box.JoinSide = 2;
}

void zokuseiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InSubMode(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.EraseRingCursor();
    return;
  }
  if (box.ButonType == dtzokusei || box.ButonType == dtZokuseiHen) {
    box.SetGuidePrompt(J("*属性取得　対象線、文字指示    [左クリック（属性取得）：右クリック（属性変更）]"));
  } else if (box.ButonType == dtzikukaku) {
    box.SetGuidePrompt(J("角度取得  対象線指示"));
  }
}

// The axis angle from a line or a text only: an arc's or a point's second
// "point" holds its radius and angles, which give no direction.
void ReadAxisAngle(TcadBox& box) {
  box.EraseRingCursor();
  const RPoint2D p = box.PressPoint;
  const bool read = box.PickElementAttributes(p.x, p.y) &&
                    (box.PickedElement.Kind == kKindLine || box.PickedElement.Kind == kKindText);
  Return(box);
  if (!read) {
    box.ShowTopMessage(J("未読取り "));
    return;
  }
  const RDrawElement& e = box.PickedElement;
  box.AxisAngle = DirectionAngleDeg(e.X1, e.Y1, e.X2, e.Y2);
  if (box.ButonType == dtBoxsunpo) CommandRegistry().RunPhase("ComputeSizedBoxOffsets", box);
}

void ReadAttributes(TcadBox& box) {
  const RPoint2D p = box.PressPoint;
  if (!box.PickElementAttributes(p.x, p.y)) {
    box.ShowTopMessage(J(kReadFailedCaption));
    Return(box);
    return;
  }
  const RDrawElement& e = box.PickedElement;
  if (e.Kind == kKindText) {
    box.ShowTopMessage(Formatted(J(" 文字NO.%d "), e.TextStyle));
  } else if (e.Kind == kKindLine || e.Kind == kKindArc || e.Kind == kKindPoint) {
    box.ShowTopMessage(Formatted(J(" 色%d 種%d "), e.ColorNo, e.LineType));
  } else {
    box.ShowTopMessage(J(" 取　得  "));
  }
  box.GenBan = 20;
  Return(box);
}

void ChangeAttributes(TcadBox& box) {
  const RPoint2D p = box.PressPoint;
  if (box.ChangeElementAttributes(p.x, p.y)) {
    box.GenBan = 45;
  } else {
    box.ShowTopMessage(J(kReadFailedCaption));
  }
  Return(box);
}

// The read string joins the text already read on the side the click chose,
// for the centre-line dimensions only; elsewhere it replaces it.
void ReadTextString(TcadBox& box) {
  const RPoint2D p = box.PressPoint;
  if (!box.PickElementAttributes(p.x, p.y)) return;
  if (box.PickedElement.Kind != kKindText) {
    box.ShowTopMessage(J(kReadFailedCaption));
    Return(box);
    return;
  }
  const std::string read = ElementString(box, box.PickedElement);
  const bool joining = box.SavedMode == dtRenSunpoCyusin || box.SavedMode == dtRenSunpoCyusin2;
  if (joining && box.JoinSide == 1) {
    box.ReadText = box.ReadText.empty() ? read : read + ".." + box.ReadText;
  } else if (joining && box.JoinSide == 2) {
    box.ReadText = box.ReadText.empty() ? read : box.ReadText + ".." + read;
  } else {
    box.ReadText = read;
  }
  PostHostNotification("TFkensa1", kTextRead);
  if (joining) PostHostNotification("TFrame30", kTextRead);
  Return(box);
  box.JoinSide = 0;
}

void zokuseiUp(TcadBox& box, TShiftState, double, double) {
  if (!InSubMode(box)) return;
  if (box.ViewGestureState != 0) {
    box.ButonType = box.SavedMode;
    return;
  }
  if (box.ButonType == dtzikukaku) {
    ReadAxisAngle(box);
  } else if (box.ButonType == dtMoziyomu) {
    ReadTextString(box);
  } else if (box.ClickKind == 2) {
    ReadAttributes(box);
  } else if (box.ClickKind == 3) {
    ChangeAttributes(box);
  }
}

void ZokuseiRenHenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtZokuseiRenHen || box.ViewGestureState != 0) return;
  if (!box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  box.FirstPoint = {x, y};
}

void ZokuseiRenHenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtZokuseiRenHen || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  box.SetGuidePrompt(J("対象線･円･点指示 [左ｸﾘｯｸ:線色･線種変更　右ｸﾘｯｸ:右ｸﾘｯｸ処理内容に変更]"));
}

void ZokuseiRenHenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtZokuseiRenHen || box.ClickKind == 0) return;
  const RPoint2D p = box.PressPoint;
  if (!box.ChangeElementColourType(box.ClickKind == 3, p.x, p.y)) box.ShowTopMessage(J(kNoFigureMessage));
  box.ClickKind = 0;
}

// The axis-angle reader shows the copying ranges' cursors while the ring
// cursor is on.
std::optional<int> AxisAngleCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtzikukaku && ringHan != 0) return RangeVariantCursor(mode, ringHan, cursorHan);
  return DefaultCursor(ringHan);
}

}  // namespace
