// Laying the held text out at a point, its preview frame, adding texts from
// the held text or from a template, and taking up the text under a point.

#include <algorithm>
#include <cmath>
#include <string>

#include "canvas/cad_box.h"
#include "canvas/text_measure.h"
#include "canvas/undo_step.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "tools/lines/text_split.h"

namespace {

const RTextStyle& StyleNumbered(const TcadBox& box, std::uint8_t number) {
  return box.TextStyles[number < kTextStyleCount ? number : 0];
}

// Handed for both coordinates, a new text keeps its template's base point.
constexpr double kKeepBasePoint = -10000.0;

constexpr TColor kHeldTextFrameColour = 0xC8FF00;  // RGB(0, 255, 200)

double HeldTextAngle(const TcadBox& box) { return NormalizeAngle360(box.CommandAngle + box.AxisAngle); }

// A text element of the held text over its last layout; the adding names
// its string.
RDrawElement HeldTextElement(const TcadBox& box) {
  RDrawElement e{};
  e.Kind = kKindText;
  e.X1 = box.HeldTextStart.x;
  e.Y1 = box.HeldTextStart.y;
  e.X2 = box.HeldTextEnd.x;
  e.Y2 = box.HeldTextEnd.y;
  e.TextAngle = static_cast<float>(HeldTextAngle(box));
  e.ColorNo = box.Mozi_No;
  e.TextStyle = box.Mozi_No;
  e.Group = box.WriteGrupe_No;
  e.Layer = box.WriteReiya_No;
  e.TextDirection = box.PlaceTextDirection;
  return e;
}

}  // namespace

void TcadBox::PlaceHeldText(std::int32_t lock, bool withMargins, double x, double y) {
  const RTextMeasure m = MeasureText(*TextLayout, StyleNumbered(*this, Mozi_No), PlaceText, PlaceTextDirection);
  CurrentTextHeight = m.FrameHeight;
  double length = m.Length;
  SubtractMarkupWidth(m.Measured, length, m.Sized, PlaceTextDirection);
  TMoziKiten anchor;
  anchor.AnchorOffset(TextAnchor, withMargins, length, CurrentTextHeight);
  const double angle = HeldTextAngle(*this);
  double ox = 0, oy = 0;
  LocalOffsetPoint(ox, oy, angle, anchor.AlongOffset, anchor.AcrossOffset, 0, 0);
  HeldTextStart = {x - ox, y - oy};
  if (!PlaceText.empty() && (lock == 1 || lock == 2)) {
    const RDrawElement& picked = PickedElement;
    if (AxisAngle != 0) {
      HeldTextStart = ProjectOnTurnedAxisAt(static_cast<std::uint8_t>(lock), AxisAngle, picked.X1, picked.Y1,
                                            HeldTextStart.x, HeldTextStart.y);
    } else if (lock == 1) {
      HeldTextStart.y = picked.Y1;
    } else {
      HeldTextStart.x = picked.X1;
    }
  }
  PolarPoint(HeldTextEnd.x, HeldTextEnd.y, angle, length, HeldTextStart.x, HeldTextStart.y);
}

void TcadBox::DrawHeldTextFrame(double x, double y) {
  PlaceHeldText(DirectionMode, true, x, y);
  const RTextStyle& style = StyleNumbered(*this, Mozi_No);
  const bool vertical = PlaceTextDirection == kTextVertical;
  double height = (vertical ? style.Width : style.Height) * 0.1;
  TMoziViewobj& layout = *TextLayout;
  if (layout.ParseStyleSuffix(Utf16FromCp932(PlaceText), style)) {
    const double markup = vertical ? layout.OverrideWidth : layout.OverrideHeight;
    if (markup > 0) height = markup * 0.1;
  }
  DrawTextFrame(Canvas(), HeldTextStart.x, HeldTextStart.y, HeldTextEnd.x, HeldTextEnd.y, height,
                DirectionAngleDeg(HeldTextStart.x, HeldTextStart.y, HeldTextEnd.x, HeldTextEnd.y));
}

void TcadBox::RefreshHeldTextFrame() {
  if (RubberErased) return;
  SetXorPen(kHeldTextFrameColour, true);
  TCanvas& canvas = Canvas();
  canvas.Pen.Width = 1;
  DrawTextFrame(canvas, HeldTextStart.x, HeldTextStart.y, HeldTextEnd.x, HeldTextEnd.y, CurrentTextHeight,
                DirectionAngleDeg(HeldTextStart.x, HeldTextStart.y, HeldTextEnd.x, HeldTextEnd.y));
  DrawHeldTextFrame(SecondPoint.x, SecondPoint.y);
  canvas.Pen.Mode = pmCopy;
}

void TcadBox::AddHeldTextStep(Tdrawinp& store) { AddHeldText(store, UndoJoin::NewStep); }

void TcadBox::AddHeldText(Tdrawinp& store, UndoJoin join) {
  AddTextExact(HeldTextElement(*this), PlaceText, store, join == UndoJoin::NewStep);
}

void TcadBox::AddTextFromTemplate(const RDrawElement& templ, const std::string& text, UndoJoin join) {
  const std::size_t before = Draw1->Elements.size();
  AddTextExact(templ, text, *Draw1, join == UndoJoin::NewStep);
  if (Draw1->Elements.size() == before) return;
  RefitTextEnd(static_cast<std::int32_t>(before));
  const RDrawElement& added = Draw1->Elements[before];
  const RTextMeasure m = MeasureText(*TextLayout, StyleNumbered(*this, added.TextStyle), text, added.TextDirection);
  InvalidateTextOutline(added.X1, added.Y1, added.X2, added.Y2, m.FrameHeight);
}

void TcadBox::AddTextRefitted(const RDrawElement& templ, const std::string& text, double x, double y) {
  if (text.empty()) return;
  const std::int32_t index = Draw1->AppendText(Draw1->ElementTexts, text);
  if (index < 0) return;
  RDrawElement e = templ;
  e.TextIndex = static_cast<std::uint16_t>(index);
  if (x > -5000 && y > -5000) {
    e.X1 = x;
    e.Y1 = y;
  }
  const RTextMeasure m = MeasureText(*TextLayout, StyleNumbered(*this, e.TextStyle), text, e.TextDirection);
  // The packed fields take no references: the end is found in locals.
  double x2 = 0.0, y2 = 0.0;
  PolarPoint(x2, y2, e.TextAngle, m.Length, e.X1, e.Y1);
  e.X2 = x2;
  e.Y2 = y2;
  CurrentTextHeight = m.FrameHeight;
  // A refused element must not leave its string behind.
  if (!TUndoStep(*Draw1, UndoJoin::JoinCurrent).AddChecked(e)) Draw1->ElementTexts.pop_back();
}

bool TcadBox::PickTextAt(std::string& text, bool peekOnly, double x, double y) {
  const std::int32_t found =
      ShortestTextUnder(*this, x, y, [this](const RDrawElement& e) { return TextFrameHeight(*this, e); });
  if (found < 0) {
    if (!peekOnly || Draw1->Elements.empty()) {
      PickedIndex[5] = -1;
      text.clear();
    }
    return false;
  }
  RDrawElement& e = Draw1->Elements[static_cast<std::size_t>(found)];
  if (!peekOnly) {
    e.Selection = 1;
    DrawHighlighted(*this, e);
    PickedElement = e;
    PickedIndex[5] = found;
  }
  text = ElementString(*this, e);
  return true;
}

void TcadBox::MovePickedText() {
  if (TextCopyMode == 1) return;
  const std::int32_t index = PickedIndex[5];
  if (index < 0 || static_cast<std::size_t>(index) >= Draw1->Elements.size()) return;
  // A held text emptied since the pick would lose the picked one.
  if (PlaceText.empty()) return;
  const RDrawElement p = Draw1->Elements[static_cast<std::size_t>(index)];
  const RTextMeasure m =
      MeasureText(*TextLayout, StyleNumbered(*this, p.TextStyle), ElementString(*this, p), p.TextDirection);
  CurrentTextHeight = m.FrameHeight;
  const bool vertical = p.TextDirection == kTextVertical;
  const double cell = ((vertical ? m.Sized.Height : m.Sized.Width) + m.Sized.Spacing) * 0.1;
  double ex = 0, ey = 0;
  PolarPoint(ex, ey, DirectionAngleDeg(p.X1, p.Y1, p.X2, p.Y2), PointDistance(p.X1, p.Y1, p.X2, p.Y2) + cell, p.X1,
             p.Y1);
  const std::uint8_t style = Mozi_No;
  Mozi_No = p.TextStyle;
  InvalidateTextOutline(p.X1, p.Y1, ex, ey, CurrentTextHeight);
  Mozi_No = style;

  TUndoStep step(*Draw1);
  DeleteTextElement(*this, step, index);
  PlaceHeldText(DirectionMode, true, HeldTextStart.x, HeldTextStart.y);
  RDrawElement e = HeldTextElement(*this);
  e.Group = PickedTextGroup;
  e.Layer = PickedTextLayer;
  AddTextExact(e, PlaceText, *Draw1, false);
  RebuildDisplayLists(*this);
}

namespace {

bool IsTextAt(const Tdrawinp& store, std::int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < store.Elements.size() &&
         store.Elements[static_cast<std::size_t>(index)].Kind == kKindText;
}

}  // namespace

void TcadBox::JoinTexts(std::int32_t baseIndex, std::int32_t otherIndex, std::string& joined, bool baseFirst,
                        bool deleteBoth) {
  joined.clear();
  // Both must be texts of the list before either is read.
  if (!IsTextAt(*Draw1, baseIndex) || !IsTextAt(*Draw1, otherIndex)) return;
  const RDrawElement base = Draw1->Elements[static_cast<std::size_t>(baseIndex)];
  const RDrawElement other = Draw1->Elements[static_cast<std::size_t>(otherIndex)];
  const std::string& baseText = ElementString(*this, base);
  const std::string& otherText = ElementString(*this, other);
  joined = baseFirst ? baseText + otherText : otherText + baseText;
  JoinedTextTemplate = base;
  const std::int32_t high = std::max(baseIndex, otherIndex);
  const std::int32_t low = std::min(baseIndex, otherIndex);
  const double height = TextStyleHeight(*this, Draw1->Elements[static_cast<std::size_t>(high)]);
  TUndoStep step(*Draw1);
  step.Open();
  if (deleteBoth && high != low) {
    DeleteTextElement(*this, step, high);
    DeleteTextElement(*this, step, low);
  } else {
    DeleteTextElement(*this, step, baseIndex);
  }
  InvalidateTextOutline(base.X1, base.Y1, base.X2, base.Y2, height);
  if (deleteBoth) InvalidateTextOutline(other.X1, other.Y1, other.X2, other.Y2, height);
  RebuildDisplayLists(*this);
}

void TcadBox::InsertTextAtPick(std::int32_t baseIndex, std::int32_t otherIndex, std::string& result, double x,
                               double y) {
  if (!IsTextAt(*Draw1, baseIndex)) return;
  RDrawElement& base = Draw1->Elements[static_cast<std::size_t>(baseIndex)];
  const std::string other = IsTextAt(*Draw1, otherIndex)
                                ? ElementString(*this, Draw1->Elements[static_cast<std::size_t>(otherIndex)])
                                : std::string();
  const TMoziSetuDanobj cut(base, kTextEditCut, base.TextDirection, x, y, TextStyles, ElementString(*this, base));
  if (!cut.ResultText.empty() && !cut.RightText.empty()) {
    result = cut.ResultText + other + cut.RightText;
    return;
  }
  result.clear();
  base.Selection = 0;
  InvalidateTextOutline(base.X1, base.Y1, base.X2, base.Y2, TextFrameHeight(*this, base));
}

void TcadBox::NumberTextAt(std::uint8_t mode, double x, double y) {
  const std::int32_t index =
      ShortestTextUnder(*this, x, y, [this](const RDrawElement& e) { return TextFrameHeight(*this, e); });
  if (index < 0) return;
  const RDrawElement templ = Draw1->Elements[static_cast<std::size_t>(index)];
  const std::string old = ElementString(*this, templ);
  const TMoziSetuDanobj edit(templ, mode, templ.TextDirection, x, y, TextStyles, old);
  // A result equal to the old string changes nothing, so the previous
  // undo step stays.
  if (edit.ResultText.empty() || edit.ResultText == old) return;
  const double height = TextFrameHeight(*this, templ);
  TUndoStep step(*Draw1);
  DeleteTextElement(*this, step, index);
  AddTextRefitted(templ, edit.ResultText, kKeepBasePoint, kKeepBasePoint);
  double ex = 0, ey = 0;
  PolarPoint(ex, ey, DirectionAngleDeg(templ.X1, templ.Y1, templ.X2, templ.Y2),
             PointDistance(templ.X1, templ.Y1, templ.X2, templ.Y2) + height, templ.X1, templ.Y1);
  InvalidateTextOutline(templ.X1, templ.Y1, ex, ey, height);
  RebuildDisplayLists(*this);
}

void TcadBox::CutTextAt(double x, double y) {
  const std::int32_t index =
      FirstTextUnder(*this, x, y, [this](const RDrawElement& e) { return TextFrameHeight(*this, e); });
  if (index < 0) return;
  const RDrawElement templ = Draw1->Elements[static_cast<std::size_t>(index)];
  const TMoziSetuDanobj cut(templ, kTextEditCut, templ.TextDirection, x, y, TextStyles, ElementString(*this, templ));
  if (cut.ResultText.empty()) return;
  const double height = TextFrameHeight(*this, templ);
  TUndoStep step(*Draw1);
  DeleteTextElement(*this, step, index);
  AddTextRefitted(templ, cut.ResultText, kKeepBasePoint, kKeepBasePoint);
  AddTextRefitted(templ, cut.RightText, cut.RightX, cut.RightY);
  RebuildDisplayLists(*this);
  ShowTopMessage(J(" 文切断 "));
  if (StrWakuView) {
    InvalidateTextOutline(templ.X1, templ.Y1, templ.X2, templ.Y2, height);
  } else {
    ShowPointMarker(0, cut.RightX, cut.RightY);
  }
}
