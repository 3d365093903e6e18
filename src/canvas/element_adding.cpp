// The element-adding operations: one element (or the lines of a rectangle)
// built from coordinates and the current drawing attributes and handed to a
// drawing store. The host draws through the real-unit operations, which
// divide by the scale of the current writing group.

#include <algorithm>
#include <cmath>
#include <limits>

#include "canvas/cad_box.h"
#include "canvas/text_measure.h"
#include "canvas/undo_step.h"
#include "geometry/codepage.h"
#include "geometry/element_numbers.h"

namespace {

// Shortest lines of each operation; the real-unit line is measured before
// its division by the group scale.
constexpr double kShortestStoreLine = 0.0000001;
constexpr double kShortestRealLine = 0.000001;
constexpr double kShortestAttrLine = 0.00001;
constexpr double kShortestCheckedLine = 0.0001;
constexpr double kSmallestArcRadius = 0.0000001;
// Sides of a turned rectangle below this have no extent.
constexpr double kFlatSide = 0.000001;
// Corners of a rectangle closer than this give no lines; nor does a side of
// an aligned rectangle shorter than this.
constexpr double kShortestRectSide = 0.00001;

RDrawElement LineElement(std::uint8_t lineType, std::uint8_t colour, std::uint8_t group, std::uint8_t layer, double x1,
                         double y1, double x2, double y2, std::uint16_t tag = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.LineType = lineType;
  e.ColorNo = colour;
  e.Group = group;
  e.Layer = layer;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  e.LineTag = tag;
  return e;
}

// A single-precision field of an element; values beyond its range are
// held at its largest magnitude.
float Single(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return std::isnan(v) ? std::numeric_limits<float>::quiet_NaN() : static_cast<float>(std::clamp(v, -kMax, kMax));
}

bool SkipLine(double limit, double x1, double y1, double x2, double y2) {
  return PointDistance(x1, y1, x2, y2) < limit || CoordinatesOutOfRange(x1, y1, x2, y2);
}

// The step opens before the store's own check, so an element the store
// drops still ends the previous step.
void AddCheckedInStep(Tdrawinp& store, const RDrawElement& e, UndoJoin join) {
  TUndoStep(store, join).Open();
  store.AddElementChecked(e);
}

}  // namespace

void TcadBox::AddLineToStore(Tdrawinp& target, double x1, double y1, double x2, double y2) {
  if (SkipLine(kShortestStoreLine, x1, y1, x2, y2)) return;
  TUndoStep(target).Add(LineElement(Pentyp, Pencol, WriteGrupe_No, WriteReiya_No, x1, y1, x2, y2));
}

void TcadBox::AddLine(std::uint8_t colour, std::uint8_t lineType, double x1, double y1, double x2, double y2,
                      bool keepUndo) {
  if (SkipLine(kShortestRealLine, x1, y1, x2, y2)) return;
  const RDrawElement e = LineElement(lineType, colour, WriteGrupe_No, WriteReiya_No, RealToDrawingLength(x1),
                                     RealToDrawingLength(y1), RealToDrawingLength(x2), RealToDrawingLength(y2));
  AddCheckedInStep(*Draw1, e, NewStepWhen(!keepUndo));
}

void TcadBox::AddArc(std::uint8_t colour, std::uint8_t lineType, double cx, double cy, double r, double ratio,
                     double startAngle, double endAngle, double rotation, bool keepUndo) {
  if (!(r >= kSmallestArcRadius) || CoordinatesOutOfRange(cx, cy, std::abs(r), 0)) return;
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.LineType = lineType;
  e.ColorNo = colour;
  e.Group = WriteGrupe_No;
  e.Layer = WriteReiya_No;
  e.X1 = RealToDrawingLength(cx);
  e.Y1 = RealToDrawingLength(cy);
  e.Radius = RealToDrawingLength(std::abs(r));
  e.Ratio = Single(std::abs(ratio));
  e.StartAngle = Single(startAngle);
  e.EndAngle = Single(endAngle);
  e.Rotation = Single(rotation);
  AddCheckedInStep(*Draw1, e, NewStepWhen(!keepUndo));
}

void TcadBox::AddPoint(std::uint8_t colour, std::uint8_t lineType, double x, double y, bool keepUndo) {
  if (CoordinatesOutOfRange(x, y, 0, 0)) return;
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.LineType = lineType;
  e.ColorNo = colour;
  e.Group = WriteGrupe_No;
  e.Layer = WriteReiya_No;
  e.X1 = RealToDrawingLength(x);
  e.Y1 = RealToDrawingLength(y);
  AddCheckedInStep(*Draw1, e, NewStepWhen(!keepUndo));
}

void TcadBox::AddText(const std::string& text, std::uint8_t style, double x, double y, double angle,
                      std::uint8_t direction) {
  if (text.empty() || CoordinatesOutOfRange(x, y, 0, 0)) return;
  // A style number outside the table names no style to measure by.
  if (style >= kTextStyleCount) return;
  const double bx = RealToDrawingLength(x), by = RealToDrawingLength(y);
  if (CoordinatesOutOfRange(bx, by, 0, 0)) return;

  Tdrawinp& store = *Draw1;
  const std::int32_t index = store.AppendText(store.ElementTexts, text);
  if (index < 0) return;

  RDrawElement e = ZeroElement();
  e.Kind = kKindText;
  e.Group = WriteGrupe_No;
  e.Layer = WriteReiya_No;
  e.X1 = bx;
  e.Y1 = by;
  e.ColorNo = style;
  e.TextStyle = style;
  e.TextAngle = Single(angle);
  e.TextDirection = direction;
  e.TextIndex = static_cast<std::uint16_t>(index);

  const RTextMeasure m = MeasureText(*TextLayout, TextStyles[style], text, direction);
  CurrentTextHeight = m.FrameHeight;
  const double length = m.Length;
  double ex = bx, ey = by;
  PolarPoint(ex, ey, angle, length, bx, by);
  e.X2 = ex;
  e.Y2 = ey;

  const std::size_t before = store.Elements.size();
  store.AddElementChecked(e);
  // The store refuses an element whose string its undo log cannot name;
  // the string must not stay behind without an element.
  if (store.Elements.size() == before && store.ElementTexts.size() == static_cast<std::size_t>(index) + 1) {
    store.ElementTexts.pop_back();
  }
}

void TcadBox::AddLineAttr(std::uint8_t colour, std::uint8_t lineType, double x1, double y1, double x2, double y2,
                          std::uint8_t layer, std::uint8_t group, bool newUndo, std::uint16_t tag, Tdrawinp& target) {
  if (SkipLine(kShortestAttrLine, x1, y1, x2, y2)) return;
  const RDrawElement e =
      LineElement(lineType != 0 ? lineType : Pentyp, colour != 0 ? colour : Pencol, group != 0 ? group : WriteGrupe_No,
                  layer != 0 ? layer : WriteReiya_No, x1, y1, x2, y2, tag);
  TUndoStep(target, NewStepWhen(newUndo)).Add(e);
}

void TcadBox::AddLineExact(std::uint8_t colour, std::uint8_t lineType, double x1, double y1, double x2, double y2,
                           std::uint8_t layer, std::uint8_t group, bool newUndo, std::uint16_t tag, Tdrawinp& target) {
  if (SkipLine(kShortestAttrLine, x1, y1, x2, y2)) return;
  TUndoStep(target, NewStepWhen(newUndo)).Add(LineElement(lineType, colour, group, layer, x1, y1, x2, y2, tag));
}

void TcadBox::AddLineChecked(Tdrawinp& target, bool newUndo, double x1, double y1, double x2, double y2) {
  if (SkipLine(kShortestCheckedLine, x1, y1, x2, y2)) return;
  AddCheckedInStep(target, LineElement(Pentyp, Pencol, WriteGrupe_No, WriteReiya_No, x1, y1, x2, y2),
                   NewStepWhen(newUndo));
}

void TcadBox::AddRectangle(Tdrawinp& target, double x1, double y1, double x2, double y2) {
  if (CoordinatesOutOfRange(x1, y1, x2, y2)) return;
  RDrawElement e = LineElement(Pentyp, Pencol, WriteGrupe_No, WriteReiya_No, x1, y1, x2, y2);
  e.Kind = kKindRect;
  TUndoStep(target).Add(e);
}

void TcadBox::AddRotatedRectLines(Tdrawinp& target, double x1, double y1, double x2, double y2, double angle) {
  // The step opens even when the corners give no lines.
  TUndoStep(target).Open();
  // One test for every side: the given corners apart and in range.
  if (PointDistance(x1, y1, x2, y2) < kShortestRectSide || CoordinatesOutOfRange(x1, y1, x2, y2)) return;
  const auto add = [&](RPoint2D a, RPoint2D b) {
    target.AddElement(LineElement(Pentyp, Pencol, WriteGrupe_No, WriteReiya_No, a.x, a.y, b.x, b.y));
  };
  const auto turned = [&](double x, double y) { return RotateAboutCentreExact(angle, x1, y1, x, y); };
  const RPoint2D p1{x1, y1};
  const bool flatX = std::abs(x1 - x2) < kFlatSide, flatY = std::abs(y1 - y2) < kFlatSide;
  if (flatX && flatY) return;
  if (flatX) {
    add(p1, turned(x1, y2));
  } else if (flatY) {
    add(p1, turned(x2, y1));
  } else {
    add(p1, turned(x2, y1));
    add(turned(x1, y2), turned(x2, y2));
    add(p1, turned(x1, y2));
    add(turned(x2, y1), turned(x2, y2));
  }
}

void TcadBox::AddAlignedRectLines(Tdrawinp& target, bool keepUndo, double x1, double y1, double x2, double y2,
                                  double angle) {
  // The point c + v turned by the angle about c.
  const auto turn = [angle](double vx, double vy, RPoint2D c) {
    return RotateAboutCentreExact(angle, c.x, c.y, c.x + vx, c.y + vy);
  };
  const RPoint2D p1{x1, y1}, p2{x2, y2};
  // A corner is the foot of one given corner on the side through the other;
  // when that side has no length, the foot on the other side instead.
  const auto corner = [](RPoint2D from, RPoint2D a, RPoint2D b, RPoint2D otherFrom, RPoint2D c, RPoint2D d) {
    RPoint2D k = from;
    if (!PerpendicularFoot(k.x, k.y, a.x, a.y, b.x, b.y, from.x, from.y)) {
      k = otherFrom;
      PerpendicularFoot(k.x, k.y, c.x, c.y, d.x, d.y, otherFrom.x, otherFrom.y);
    }
    return k;
  };
  const RPoint2D c1 = corner(p1, p2, turn(0, y1 - y2, p2), p2, p1, turn(x2 - x1, 0, p1));
  const RPoint2D c2 = corner(p2, p1, turn(0, y2 - y1, p1), p1, p2, turn(x1 - x2, 0, p2));
  // The step opens even when the corners are out of range.
  TUndoStep(target, NewStepWhen(!keepUndo)).Open();
  if (CoordinatesOutOfRange(x1, y1, x2, y2)) return;
  // A flat rectangle has sides without length; they give no lines.
  const auto add = [&](RPoint2D a, RPoint2D b) {
    if (PointDistance(a.x, a.y, b.x, b.y) < kShortestRectSide) return;
    target.AddElement(LineElement(Pentyp, Pencol, WriteGrupe_No, WriteReiya_No, a.x, a.y, b.x, b.y));
  };
  add(p1, c1);
  add(c1, p2);
  add(p2, c2);
  add(p1, c2);
}
