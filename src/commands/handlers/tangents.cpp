// Tangent lines: from a point to a circle, common to two circles, and a
// piece of the tangent at a chosen position or in the drawing direction.
// Press and snapped points are taken as they are, without the point offset.

#include "tools/edit/tangents.h"
#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"

namespace {
void SeSenTenEnDown(TcadBox& box, TShiftState shift, double x, double y);
void SeSenTenEnMove(TcadBox& box, TShiftState shift, double x, double y);
void SeSenTenEnUp(TcadBox& box, TShiftState shift, double x, double y);
void SeSenEnEnDown(TcadBox& box, TShiftState shift, double x, double y);
void SeSenEnEnMove(TcadBox& box, TShiftState shift, double x, double y);
void SeSenEnEnUp(TcadBox& box, TShiftState shift, double x, double y);
void SesentenSiteiDown(TcadBox& box, TShiftState shift, double x, double y);
void SesentenSiteiMove(TcadBox& box, TShiftState shift, double x, double y);
void SesentenSiteiUp(TcadBox& box, TShiftState shift, double x, double y);
void SesenKakuSiteiDown(TcadBox& box, TShiftState shift, double x, double y);
void SesenKakuSiteiMove(TcadBox& box, TShiftState shift, double x, double y);
void SesenKakuSiteiUp(TcadBox& box, TShiftState shift, double x, double y);
void SesentenSiteiCancel(TcadBox& box);
}  // namespace

void RegisterTangentCommands() {
  RegisterFamily({.Name = "SeSenTenEn",
                  .Modes = {dtSeSenTenEn},
                  .Down = SeSenTenEnDown,
                  .Move = SeSenTenEnMove,
                  .Up = SeSenTenEnUp});
  RegisterFamily(
      {.Name = "SeSenEnEn", .Modes = {dtSeSenEnEn}, .Down = SeSenEnEnDown, .Move = SeSenEnEnMove, .Up = SeSenEnEnUp});
  RegisterFamily({.Name = "SesentenSitei",
                  .Modes = {dtSesentenSitei},
                  .Down = SesentenSiteiDown,
                  .Move = SesentenSiteiMove,
                  .Up = SesentenSiteiUp,
                  .Cancels = {{"SesentenSiteiCancel", SesentenSiteiCancel}}});
  RegisterFamily({.Name = "SesenKakuSitei",
                  .Modes = {dtSesenKakuSitei},
                  .Down = SesenKakuSiteiDown,
                  .Move = SesenKakuSiteiMove,
                  .Up = SesenKakuSiteiUp});
}

namespace {

constexpr std::int32_t kNoPickTangents = -100;

// The snapped point of a right press, marked and announced; nothing found
// drops the click with the command's own message.
bool SnapWithMessage(TcadBox& box, double x, double y, RPoint2D& point, const char* missing) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    box.ShowTopMessage(J(missing));
    return false;
  }
  point = {sx, sy};
  box.ShowPointMarker(0, sx, sy);
  box.ShowTopMessage(J(kPointHitCaption));
  return true;
}

// The element under a pick point (a line or an arc), or nothing.
bool PickAt(TcadBox& box, const RPoint2D& p, std::int32_t& index, RDrawElement& element) {
  if (!box.PickLineOrArc(index, false, p.x, p.y, 0)) {
    index = kNoPickTangents;
    return false;
  }
  element = box.Draw1->Elements[static_cast<std::size_t>(index)];
  return true;
}

// The line stored with the current pen as one step and shown as the
// redraw shows it, under the point marker of a snapped end.
void CommitTangent(TcadBox& box, double x1, double y1, double x2, double y2) {
  const std::size_t first = box.Draw1->Elements.size();
  box.AddLineToStore(*box.Draw1, x1, y1, x2, y2);
  DrawAddedSince(box, first);
}

// The down handler of the two-pick commands: the first point free or
// snapped, the circle's pick where pressed.
void TwoPickDown(TcadBox& box, TShiftState shift, double x, double y) {
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  if (box.B_Switch == _off) {
    if (box.ClickKind == 2) {
      box.FirstPoint = {x, y};
    } else {
      SnapWithMessage(box, x, y, box.FirstPoint, kNoPointMessage);
    }
  } else if (box.B_Switch == on1) {
    box.CurrentPoint = {x, y};
  }
}

void SeSenTenEnDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSeSenTenEn || box.ViewGestureState != 0) return;
  TwoPickDown(box, shift, x, y);
}

void SeSenTenEnMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSeSenTenEn || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  box.SetGuidePrompt(box.B_Switch == _off ? J("点指示    [左クリック（自由）：右クリック（指定）]")
                                          : J("円指示    [左クリック]"));
}

void SeSenTenEnUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSeSenTenEn || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    return;
  }
  RDrawElement circle;
  if (!PickAt(box, box.CurrentPoint, box.PickedIndex[2], circle)) {
    box.ClickKind = 0;
    return;
  }
  TSesenTenenobj tool(circle, box.CurrentPoint.x, box.CurrentPoint.y, box.FirstPoint.x, box.FirstPoint.y);
  if (tool.HasTangent()) {
    tool.Compute();
    CommitTangent(box, tool.X1, tool.Y1, tool.X2, tool.Y2);
  }
  box.B_Switch = _off;
  box.SetGuidePrompt(J("2線目ヒット"));
}

void SeSenEnEnDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSeSenEnEn || box.ViewGestureState != 0) return;
  TwoPickDown(box, shift, x, y);
}

void SeSenEnEnMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSeSenEnEn || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  box.SetGuidePrompt(box.B_Switch == _off ? J("円1指示    [左クリック]") : J("円2指示    [左クリック]"));
}

void SeSenEnEnUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSeSenEnEn || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  RDrawElement first;
  if (box.B_Switch == _off) {
    if (PickAt(box, box.FirstPoint, box.PickedIndex[1], first)) {
      box.B_Switch = on1;
      box.ShowTopMessage(J("円ﾋｯﾄ1"));
    } else {
      box.ShowTopMessage(J("円無し"));
      box.B_Switch = _off;
      box.ClickKind = 0;
    }
    return;
  }
  RDrawElement second;
  if (!PickAt(box, box.CurrentPoint, box.PickedIndex[2], second)) {
    box.SetGuidePrompt(J(kNoLineMessage));
    box.ClickKind = 0;
    return;
  }
  // The first circle is read again: a range drag may have changed the list.
  const std::int32_t index = box.PickedIndex[1];
  if (index >= 0 && static_cast<std::size_t>(index) < box.Draw1->Elements.size()) {
    first = box.Draw1->Elements[static_cast<std::size_t>(index)];
    TSesEnEnenobj tool(first, box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y, second);
    if (tool.HasTangent()) {
      tool.Compute();
      CommitTangent(box, tool.X1, tool.Y1, tool.X2, tool.Y2);
    }
  }
  box.B_Switch = _off;
  box.SetGuidePrompt(J("2線目ヒット"));
}

bool TangentAtPosition(const TcadBox& box) { return ModeIn(box.ButonType, {dtSesentenSitei, dtSesenKakuSitei}); }

// The piece of the tangent between the feet of two points, or false when
// the picked circle is gone from the list.
bool BuildPiece(TcadBox& box, const RPoint2D& start, const RPoint2D& end, RPoint2D& a, RPoint2D& b) {
  const std::int32_t index = box.PickedIndex[1];
  if (index < 0 || static_cast<std::size_t>(index) >= box.Draw1->Elements.size()) return false;
  TSesSenEnSiteiobj tool(box.Draw1->Elements[static_cast<std::size_t>(index)], box.PickPoint.x, box.PickPoint.y);
  tool.BuildTangent(box.ButonType == dtSesenKakuSitei, start.x, start.y, end.x, end.y,
                    NormalizeAngle360(box.CommandAngle + box.AxisAngle));
  a = {tool.ResultX1, tool.ResultY1};
  b = {tool.ResultX2, tool.ResultY2};
  return true;
}

// The preview piece, drawn in XOR, is drawn again to go: the background
// comes back, and whatever it crossed.
void ErasePiece(TcadBox& box) {
  if (box.RubberErased) return;
  box.SetXorPen(PenColourOf(box, box.Pencol), true);
  box.Canvas().Pen.Width = 1;
  box.DrawLine(box.Pentyp, box.Canvas(), box.WorkPointA.x, box.WorkPointA.y, box.WorkPointB.x, box.WorkPointB.y);
  box.Canvas().Pen.Mode = pmCopy;
  box.RubberErased = true;
}

// The tangent at a position and the tangent in the drawing direction
// differ only in the tool's question: the handlers of both run these.
void PieceDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = {x, y};
    return;
  }
  RPoint2D* target = box.B_Switch == on1 ? &box.PickPoint : box.B_Switch == on2 ? &box.FourthPoint : &box.LastVertex;
  if (box.ClickKind == 2) {
    *target = {x, y};
  } else {
    SnapWithMessage(box, x, y, *target, kNoPointShort);
  }
}

void PieceMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.B_Switch == on3) ErasePiece(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    return;
  }
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J("(1) 円指示　[左クリック]")); return;
    case on1: box.SetGuidePrompt(J("(2) 接線位置指示    [左クリック（自由）：右クリック（点読取り）]")); return;
    case on2: box.SetGuidePrompt(J("(3) 線開始点指示    [左クリック（自由）：右クリック（点読取り）]")); return;
    default: break;
  }
  box.SetGuidePrompt(J("(4) 線終点指示    [左クリック（自由）：右クリック（点読取り）]"));
  RPoint2D a, b;
  if (!BuildPiece(box, box.FourthPoint, {x, y}, a, b)) return;
  ErasePiece(box);
  box.SetXorPen(PenColourOf(box, box.Pencol), true);
  box.Canvas().Pen.Width = 1;
  box.DrawLine(box.Pentyp, box.Canvas(), a.x, a.y, b.x, b.y);
  box.Canvas().Pen.Mode = pmCopy;
  box.WorkPointA = a;
  box.WorkPointB = b;
  box.RubberErased = false;
}

void PieceUp(TcadBox& box) {
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  switch (box.B_Switch) {
    case _off: {
      RDrawElement circle;
      if (PickAt(box, box.FirstPoint, box.PickedIndex[1], circle) && circle.Kind == kKindArc) {
        box.ShowTopMessage(J("円ﾋｯﾄ"));
        box.B_Switch = on1;
      } else {
        box.ShowTopMessage(J(kNoCircleShort));
        box.B_Switch = _off;
        box.ClickKind = 0;
        box.PickedIndex[1] = kNoPickTangents;
      }
      return;
    }
    case on1:
      box.ShowTopMessage(J("1点目"));
      box.B_Switch = on2;
      return;
    case on2:
      box.ShowTopMessage(J("2点目"));
      box.B_Switch = on3;
      box.RubberErased = true;
      return;
    default: break;
  }
  RPoint2D a, b;
  const bool built = BuildPiece(box, box.FourthPoint, box.LastVertex, a, b);
  ErasePiece(box);
  if (built) CommitTangent(box, a.x, a.y, b.x, b.y);
  box.B_Switch = _off;
  box.ClickKind = 0;
}

void SesentenSiteiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtSesentenSitei) PieceDown(box, shift, x, y);
}
void SesentenSiteiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtSesentenSitei) PieceMove(box, shift, x, y);
}
void SesentenSiteiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtSesentenSitei) PieceUp(box);
}
void SesenKakuSiteiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtSesenKakuSitei) PieceDown(box, shift, x, y);
}
void SesenKakuSiteiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtSesenKakuSitei) PieceMove(box, shift, x, y);
}
void SesenKakuSiteiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtSesenKakuSitei) PieceUp(box);
}

void SesentenSiteiCancel(TcadBox& box) {
  if (TangentAtPosition(box) && box.B_Switch == on3) ErasePiece(box);
}

}  // namespace
