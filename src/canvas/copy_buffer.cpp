// The copy buffer: a figure held apart from the drawing, filled from the
// selection or the stock file and pasted back under a placement transform.

#include <cmath>

#include "canvas/drawing_store.h"

#include "canvas/buffer_transform.h"
#include "canvas/undo_step.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/element_numbers.h"

namespace {

constexpr double kShortestBufferLine = 0.00001;
bool HasTwoPoints(const RDrawElement& e) {
  return e.Kind == kKindLine || e.Kind == kKindRect || e.Kind == kKindTwoPoint;
}

}  // namespace

void Tdrawinp::AppendToBuffer(const RDrawElement& element, std::uint8_t colour) {
  if (element.Kind == kKindLine &&
      PointDistance(element.X1, element.Y1, element.X2, element.Y2) < kShortestBufferLine) {
    return;
  }
  RDrawElement copy = element;
  if (colour <= 10 && (copy.Kind == kKindLine || copy.Kind == kKindArc || copy.Kind == kKindPoint)) {
    copy.ColorNo = colour;
  }
  Buffer.push_back(copy);
}

void Tdrawinp::CopySelectionToBuffer(double dx, double dy) {
  for (const RDrawElement& e : Elements) {
    if (e.Selection != 1) continue;
    RDrawElement copy = e;
    if (copy.Kind == kKindText) {
      copy.X1 += dx;
      copy.Y1 += dy;
      copy.X2 += dx;
      copy.Y2 += dy;
      const std::string text = copy.TextIndex < ElementTexts.size() ? ElementTexts[copy.TextIndex] : std::string();
      const std::int32_t index = AppendText(BufferTexts, text);
      if (index < 0) continue;
      copy.TextIndex = static_cast<std::uint16_t>(index);
    } else if (copy.Kind == kKindArc || copy.Kind == kKindPoint) {
      copy.X1 += dx;
      copy.Y1 += dy;
    } else if (HasTwoPoints(copy)) {
      copy.X1 += dx;
      copy.Y1 += dy;
      copy.X2 += dx;
      copy.Y2 += dy;
      copy.ScratchWord = 0;
      copy.ScratchByte = 0;
    }
    copy.Selection = 0;
    AppendToBuffer(copy, 200);
  }
}

void Tdrawinp::RescaleBuffer(std::uint8_t targetGroup, std::uint8_t /*kind*/,
                             const std::array<double, kLayerGroups>& sourceScales,
                             const std::array<double, kLayerGroups>& targetScales) {
  const double target = targetScales[targetGroup % kLayerGroups];
  for (RDrawElement& e : Buffer) {
    // A group outside the table or a zero scale leaves the element as it is.
    if (e.Group >= kLayerGroups || target == 0.0) continue;
    ScaleElement(e, sourceScales[e.Group] / target);
  }
}

void Tdrawinp::PasteBuffer(std::int32_t directionMode, std::uint8_t layerMode, double shiftX, double shiftY,
                           double pivotX, double pivotY, double rotation, double axisAngle, double scaleX,
                           double scaleY, std::uint8_t group, std::uint8_t layer, bool newUndo, std::uint8_t selection,
                           bool newUndo2, bool skipType9) {
  const RPastePlacement placement{directionMode, shiftX, shiftY, pivotX, pivotY, rotation, axisAngle, scaleX, scaleY};
  if (placement.PlacesNothing()) return;
  // Only both flags together make the paste a new step.
  TUndoStep(*this, NewStepWhen(newUndo && newUndo2)).Open();

  const TBufferTransform t = MakeBufferTransform(placement);

  // Pasting into our own drawing must not read a buffer that grows.
  const std::vector<RDrawElement> source = Buffer;
  for (const RDrawElement& original : source) {
    RDrawElement e = original;
    if (HasTwoPoints(e)) {
      if (skipType9 && e.LineType == 9) continue;
      t.PlaceLine(e);
      e.Scratch = 0;
    } else if (e.Kind == kKindText) {
      t.PlaceText(e);
      const std::string text = e.TextIndex < BufferTexts.size() ? BufferTexts[e.TextIndex] : std::string();
      const std::int32_t index = AppendText(ElementTexts, text);
      if (index < 0) return;  // the drawing can hold no more texts
      e.TextIndex = static_cast<std::uint16_t>(index);
    } else if (e.Kind == kKindArc) {
      if (skipType9 && e.LineType == 9) continue;
      t.PlaceArc(e);
    } else if (e.Kind == kKindPoint) {
      const RPoint2D p = t.Apply(e.X1, e.Y1);
      e.X1 = p.x;
      e.Y1 = p.y;
    } else {
      continue;
    }
    if (layerMode == 1) {
      e.Group = group;
      e.Layer = layer;
    } else if (layerMode == 2) {
      e.Group = group;
    }
    e.Selection = selection;
    AddElementChecked(e);
  }
}

bool MirrorBufferElement(RDrawElement& e, double x1, double y1, double x2, double y2) {
  auto mirror = [&](double px, double py) {
    RPoint2D m;
    ReflectPoint(m.x, m.y, px, py, x1, y1, x2, y2);
    return m;
  };
  if (HasTwoPoints(e)) {
    const RPoint2D a = mirror(e.X1, e.Y1), b = mirror(e.X2, e.Y2);
    e.X1 = a.x;
    e.Y1 = a.y;
    e.X2 = b.x;
    e.Y2 = b.y;
  } else if (e.Kind == kKindText) {
    // Exchanged so the mirrored text still reads forwards.
    const RPoint2D base = mirror(e.X2, e.Y2), end = mirror(e.X1, e.Y1);
    e.X1 = base.x;
    e.Y1 = base.y;
    e.X2 = end.x;
    e.Y2 = end.y;
    e.TextAngle = static_cast<float>(NormalizeAngle360(DirectionAngleDeg(base.x, base.y, end.x, end.y)));
  } else if (e.Kind == kKindArc) {
    double e1x = 0, e1y = 0, e2x = 0, e2y = 0;
    PolarPoint(e1x, e1y, e.StartAngle, e.Radius, e.X1, e.Y1);
    PolarPoint(e2x, e2y, e.EndAngle, e.Radius, e.X1, e.Y1);
    const RPoint2D centre = mirror(e.X1, e.Y1);
    const RPoint2D m1 = mirror(e1x, e1y), m2 = mirror(e2x, e2y);
    e.X1 = centre.x;
    e.Y1 = centre.y;
    e.StartAngle = static_cast<float>(DirectionAngleDeg(centre.x, centre.y, m2.x, m2.y));
    e.EndAngle = static_cast<float>(DirectionAngleDeg(centre.x, centre.y, m1.x, m1.y));
    // 0 - r, not -r: an unturned arc stays at +0.
    e.Rotation = static_cast<float>(NormalizeAngle360(0.0 - e.Rotation));
  } else if (e.Kind == kKindPoint) {
    const RPoint2D p = mirror(e.X1, e.Y1);
    e.X1 = p.x;
    e.Y1 = p.y;
  } else {
    return false;
  }
  return true;
}

void Tdrawinp::PasteBufferMirrored(std::uint8_t selection, double x1, double y1, double x2, double y2) {
  const std::vector<RDrawElement> source = Buffer;
  for (const RDrawElement& original : source) {
    RDrawElement e = original;
    if (!MirrorBufferElement(e, x1, y1, x2, y2)) continue;
    if (e.Kind == kKindText) {
      const std::string text = e.TextIndex < BufferTexts.size() ? BufferTexts[e.TextIndex] : std::string();
      const std::int32_t index = AppendText(ElementTexts, text);
      if (index < 0) return;
      e.TextIndex = static_cast<std::uint16_t>(index);
    }
    e.Selection = selection;
    AddElementChecked(e);
  }
}

RPoint2D TBufferTransform::Apply(double x, double y) const {
  const RPoint2D p = TurnOnly(scaleX * x, scaleY * y);
  return {p.x + ox, p.y + oy};
}

// RotateAboutCentre with the angle's cos and sin taken from the transform.
RPoint2D TBufferTransform::TurnOnly(double x, double y) const {
  const double dx = x - cx, dy = y - cy;
  return {cx + (dx * cosR - dy * sinR), cy + (dx * sinR + dy * cosR)};
}

void TBufferTransform::PlaceLine(RDrawElement& e) const {
  const RPoint2D second = Apply(e.X2, e.Y2);
  const bool stretched = e.Kind == kKindLine && (e.Scratch == 1 || e.Scratch == 2);
  const RPoint2D first = stretched ? TurnOnly(e.X1, e.Y1) : Apply(e.X1, e.Y1);
  e.X1 = first.x;
  e.Y1 = first.y;
  e.X2 = second.x;
  e.Y2 = second.y;
}

void TBufferTransform::PlaceArc(RDrawElement& e) const {
  const double k = AspectRatioAtAngle(NormalizeAngle360(e.Rotation), scaleX, scaleY);
  float start = e.StartAngle, end = e.EndAngle, turn = e.Rotation;
  MirrorArcAngles(start, end, turn, scaleX * e.X1 + ox, scaleY * e.Y1 + oy, std::abs(scaleX) * e.Radius, scaleX,
                  scaleY);
  e.StartAngle = start;
  e.EndAngle = end;
  e.Rotation = turn;
  const RPoint2D centre = Apply(e.X1, e.Y1);
  e.X1 = centre.x;
  e.Y1 = centre.y;
  e.Radius = std::abs(scaleX) * e.Radius;
  e.Ratio = static_cast<float>(e.Ratio * k);
  e.Rotation = static_cast<float>(NormalizeAngle360(e.Rotation + rotation));
}

void TBufferTransform::PlaceText(RDrawElement& e) const {
  // Packed fields cannot bind to references: work on copies.
  float angle = e.TextAngle;
  double px1 = e.X1, py1 = e.Y1, px2 = e.X2, py2 = e.Y2;
  MirrorTextPoints(px1, py1, px2, py2, angle, 0.0, 0.0, scaleX, scaleY);
  // Texts are never scaled: only the base point follows the scale.
  const double alongX = px2 - px1, alongY = py2 - py1;
  const double bx = std::abs(scaleX) * px1, by = std::abs(scaleY) * py1;
  const double ex = bx + alongX, ey = by + alongY;
  const RPoint2D b = TurnOnly(bx, by), en = TurnOnly(ex, ey);
  e.X1 = b.x + ox;
  e.Y1 = b.y + oy;
  e.X2 = en.x + ox;
  e.Y2 = en.y + oy;
  e.TextAngle = static_cast<float>(NormalizeAngle360(angle + rotation));
}

TBufferTransform MakeBufferTransform(const RPastePlacement& p) {
  return MakeBufferTransform(p, {p.TargetX - p.ShiftX, p.TargetY - p.ShiftY});
}

TBufferTransform MakeBufferTransform(const RPastePlacement& p, RPoint2D base) {
  const std::int32_t directionMode = p.DirectionMode;
  const double shiftX = p.ShiftX, shiftY = p.ShiftY, rotation = p.Rotation, axisAngle = p.AxisAngle;
  const double scaleX = p.ScaleX, scaleY = p.ScaleY;
  TBufferTransform t{scaleX, scaleY, rotation, scaleX * (p.TargetX - shiftX), scaleY * (p.TargetY - shiftY), 0.0, 0.0};
  // The unit vector turned gives exactly the cos and sin RotateVector uses.
  t.cosR = 1.0;
  t.sinR = 0.0;
  RotateVector(t.cosR, t.sinR, rotation);
  // The full shift moves the scaled base point back onto itself plus the
  // displacement; along an axis the other displacement is dropped.
  const double fullX = (1.0 - scaleX) * base.x + shiftX;
  const double fullY = (1.0 - scaleY) * base.y + shiftY;
  if ((directionMode == 1 || directionMode == 2) && axisAngle != 0.0) {
    const RPoint2D o = ProjectOnTurnedAxis(static_cast<std::uint8_t>(directionMode), axisAngle, fullX, fullY);
    t.ox = o.x;
    t.oy = o.y;
  } else {
    t.ox = directionMode == 2 ? (1.0 - scaleX) * base.x : fullX;
    t.oy = directionMode == 1 ? (1.0 - scaleY) * base.y : fullY;
  }
  return t;
}
