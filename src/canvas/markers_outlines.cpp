// Text outlines, the filled area of a text, point markers sized by the zoom
// and the whole outline of an ellipse.

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "canvas/cad_box.h"
#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"

namespace {

// Angles within 0.001 of a quarter turn count as that quarter turn.
bool Near(double angle, double quarter) { return std::abs(angle - quarter) < 0.001; }

}  // namespace

void TcadBox::DrawTextFrame(TCanvas& canvas, double x1, double y1, double x2, double y2, double height, double angle) {
  canvas.Brush.Style = bsClear;
  const double h = height;
  const bool a0 = std::abs(angle) <= 0.001 || std::abs(angle - 360.0) < 0.001;
  const bool a90 = Near(angle, 90), a180 = Near(angle, 180), a270 = Near(angle, 270);
  if (Zoom < 1.1 && (a0 || a90 || a180 || a270)) {
    if (Zoom < 0.32) {
      // Too small to read: one line through the middle of the height.
      if (a0) DrawRawLine(canvas, x1, y1 + h / 2, x2, y2 + h / 2);
      if (a90) DrawRawLine(canvas, x1 - h / 2, y1, x2 - h / 2, y2);
      if (a180) DrawRawLine(canvas, x1, y1 - h / 2, x2, y2 - h / 2);
      if (a270) DrawRawLine(canvas, x1 + h / 2, y1, x2 + h / 2, y2);
      return;
    }
    double ax = x1, ay = y1, bx = x2, by = y2;
    if (a0) by = y2 + h;
    if (a90) ax = x1 - h;
    if (a180) by = y2 - h;
    if (a270) ax = x1 + h;
    canvas.Rectangle(WorldToScreenX(ax), WorldToScreenY(ay), WorldToScreenX(bx), WorldToScreenY(by));
    return;
  }
  RPoint2D a, b;
  OffsetSegment(x1, y1, x2, y2, h, a, b);
  const RPoint2D q0{x1 + (a.x - x1) / 10, y1 + (a.y - y1) / 10};
  const RPoint2D q1{x2 + (b.x - x2) / 10, y2 + (b.y - y2) / 10};
  std::vector<TPoint> line;
  for (const RPoint2D& p : {q0, RPoint2D{x1, y1}, RPoint2D{x2, y2}, b, a, q0, q1}) {
    line.push_back({WorldToScreenX(p.x), WorldToScreenY(p.y)});
  }
  canvas.Polyline(line);
}

void TcadBox::FillTextArea(double x1, double y1, double x2, double y2, double height) {
  // The end point is lengthened by a fifth of the text height along the text.
  const double direction = DirectionAngleDeg(x1, y1, x2, y2);
  RPoint2D flat = RotateAboutCentreExact(-direction, x1, y1, x2, y2);
  flat.x += CurrentTextHeight / 5;
  const RPoint2D q = RotateAboutCentreExact(direction, x1, y1, flat.x, flat.y);
  RPoint2D a, b;
  OffsetSegment(x1, y1, q.x, q.y, height, a, b);
  std::vector<TPoint> polygon;
  for (const RPoint2D& p : {RPoint2D{x1, y1}, q, b, a}) polygon.push_back({WorldToScreenX(p.x), WorldToScreenY(p.y)});
  Canvas().Polygon(polygon);
}

void TcadBox::DrawPointMark(std::uint8_t colourCode, TCanvas& canvas, double x, double y) {
  const RViewRect& v = ViewWindow;
  if (!PointInRect(x, y, v.Left, v.Bottom, v.Right, v.Top)) return;
  DrawPointMarker(colourCode, canvas, x, y, true);
}

void TcadBox::DrawPointMarkUnculled(std::uint8_t colourCode, TCanvas& canvas, double x, double y) {
  DrawPointMarker(colourCode, canvas, x, y, false);
}

void TcadBox::DrawPointMarker(std::uint8_t colourCode, TCanvas& canvas, double x, double y, bool culled) {
  const double z = Zoom;
  if (z <= 0.2) return;
  double r = 0, shift = 0;
  int width = 1;
  if (Dothyouzi && z <= 3) {
    if (z < 0.6) {
      // The colour of a single-pixel marker, by its code.
      TColor colour = 0;
      switch (colourCode) {
        case 0: colour = culled ? Sentakucol : PrepareXorColor(ColourTable[0]); break;
        case 100: colour = Sentakucol; break;
        case 20: colour = Sentakucol3; break;
        case 200: colour = Color(); break;
        case 210: colour = clBlack; break;
        case 220:
          if (culled) return;  // no colour of its own
          colour = Sentakucol2;
          break;
        default:
          if (colourCode < 1 || colourCode > 10) return;  // no colour
          colour = PrepareXorColor(ColourTable[colourCode]);
          break;
      }
      canvas.Pixels(WorldToScreenX(x), WorldToScreenY(y)) = colour;
      return;
    }
    r = 0.3 / z;
    shift = 0.12 / z;
    width = z <= 2 ? 1 : 2;
  } else if (z > 14) {
    r = 0.8 / z;
    width = 3;
  } else if (z > 8) {
    r = 0.65 / z;
    width = 3;
  } else if (z > 4) {
    r = 0.5 / z;
    width = 2;
  } else if (z > 1) {
    r = 0.4 / z;
    width = 2;
    shift = 0.12 / z;
  } else {
    r = 0.3 / z;
    shift = 0.12 / z;
  }
  canvas.Pen.Width = width;
  DrawCircleOutline(canvas, x - r + shift, y - r, x + r + shift, y + r);
  canvas.Pen.Width = 1;
}

void TcadBox::DrawCircleOutline(TCanvas& canvas, double x1, double y1, double x2, double y2) {
  const int left = WorldToScreenX(x1), top = WorldToScreenY(y1);
  const int right = WorldToScreenX(x2), bottom = WorldToScreenY(y2);
  // Equal start and end points: the whole outline.
  canvas.Arc(left, top, right, bottom, left, top, left, top);
}

// A box (shape 0), a circle (shape 1) or an ellipse (shape 2) around a
// text, drawn at once and added to the store as one undo step.
void TcadBox::AddTextEnclosure(std::uint8_t shape, Tdrawinp& target, double x1, double y1, double x2, double y2,
                               double height, double angle) {
  const double direction = DirectionAngleDeg(x1, y1, x2, y2);
  const RPoint2D q = RotateAboutCentreExact(NormalizeAngle360(-direction), x1, y1, x2, y2);
  const double mx = TextEnclosureMarginX, my = TextEnclosureMarginY;
  auto corner = [&](double x, double y) { return RotateAboutCentreExact(angle, x1, y1, x, y); };
  const RPoint2D c1 = corner(q.x + mx, q.y - my);
  const RPoint2D c2 = corner(x1 - mx, y1 + height + my);
  const RPoint2D c3 = corner(q.x + mx, y1 + height + my);
  const RPoint2D c4 = corner(x1 - mx, y1 - my);
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = PrepareXorColor(ColourTable[Pencol < kColourTableSize ? Pencol : 0]);
  if (shape == 0) {
    const std::array<std::pair<RPoint2D, RPoint2D>, 4> sides = {std::pair{c4, c1}, std::pair{c2, c3}, std::pair{c4, c2},
                                                                std::pair{c1, c3}};
    bool first = true;
    for (const auto& [a, b] : sides) {
      DrawLine(Pentyp, canvas, a.x, a.y, b.x, b.y);
      AddLineAttr(Pencol, Pentyp, a.x, a.y, b.x, b.y, WriteReiya_No, WriteGrupe_No, first, 0, target);
      first = false;
    }
  } else if (shape == 1) {
    const double cx = (c1.x + c2.x) / 2, cy = (c1.y + c2.y) / 2;
    DrawArc(Pentyp, canvas, cx, cy, TextEnclosureRadius, 1, 0, 0, 0);
    AddArcToStore(target, cx, cy, TextEnclosureRadius, 1, 0, 0, 0);
  } else if (shape == 2) {
    // The ellipse inscribed in the box, turned with the text's direction.
    const double a = PointDistance(c4.x, c4.y, c1.x, c1.y) / 2;
    if (!(a >= 1e-5)) return;  // a text without length has no ellipse
    const double ratio = (PointDistance(c1.x, c1.y, c3.x, c3.y) / 2) / a;
    const double cx = (c1.x + c2.x) / 2, cy = (c1.y + c2.y) / 2;
    DrawArc(Pentyp, canvas, cx, cy, a, ratio, 0, 0, direction);
    AddArcToStore(target, cx, cy, a, ratio, 0, 0, direction);
  }
}

namespace {

// Marker colours and half sizes (the size is divided by the zoom).
struct MarkerLook {
  TColor colour;
  double halfSize;
};
MarkerLook LookOf(std::uint8_t kind) {
  switch (kind) {
    case 1: return {0x0000FF, 1.1};
    case 2: return {0x0000FF, 1.5};
    case 3: return {0x00FFFF, 1.5};
    default: return {0x00FFFF, 1.1};
  }
}

}  // namespace

// The marker is drawn in XOR: drawn again it is gone.
void TcadBox::XorPointMarker(std::uint8_t kind, double x, double y) {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Brush.Style = bsClear;
  const MarkerLook look = LookOf(kind);
  canvas.Pen.Color = look.colour;
  const double d = look.halfSize / Zoom;
  DrawEllipseRect(x - d, y + d, x + d, y - d);
  canvas.Pen.Mode = pmCopy;
}

void TcadBox::ShowPointMarker(std::uint8_t kind, double x, double y) {
  // The previous marker goes first.
  if (MarkerPoint.x > -4000 && MarkerPoint.y > -4000) XorPointMarker(MarkerKind, MarkerPoint.x, MarkerPoint.y);
  XorPointMarker(kind, x, y);
  MarkerKind = kind;
  MarkerPoint = {x, y};
}
