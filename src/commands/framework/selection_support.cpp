#include "commands/framework/selection_support.h"

#include <algorithm>
#include <cmath>

#include "commands/framework/command_framework.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"

namespace {

const RTextStyle& StyleOf(const TcadBox& box, const RDrawElement& e) {
  return box.TextStyles[e.TextStyle < kTextStyleCount ? e.TextStyle : 0];
}

void DrawIn(TcadBox& box, const RDrawElement& e, TColor colour, std::uint8_t lineType, std::uint8_t pointCode,
            std::uint8_t textMode) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = colour;
  canvas.Pen.Style = lineType < kLineTypeCount ? box.PenStyles[lineType] : psSolid;
  canvas.Brush.Style = bsClear;
  switch (e.Kind) {
    case kKindLine: box.DrawLine(lineType, canvas, e.X1, e.Y1, e.X2, e.Y2); break;
    case kKindRect:
      canvas.Pen.Style = psSolid;
      box.DrawRect(e.X1, e.Y1, e.X2, e.Y2);
      break;
    case kKindPoint: box.DrawPointMark(pointCode, canvas, e.X1, e.Y1); break;
    case kKindText: {
      const std::uint8_t current = box.Mozi_No;
      box.Mozi_No = e.TextStyle;
      box.DrawElementText(e.TextIndex, e.TextDirection, canvas, textMode, e.X1, e.Y1, e.X2, e.Y2, e.TextAngle);
      box.Mozi_No = current;
      break;
    }
    case kKindArc:
      box.DrawArc(lineType, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
      break;
    default: break;
  }
  canvas.Pen.Style = psSolid;
  canvas.Pen.Mode = pmCopy;
}

}  // namespace

bool LineInPickBox(const RDrawElement& e, double x, double y, double d) {
  return SegmentTouchesRect(e.X1, e.Y1, e.X2, e.Y2, x - d, y - d / 1.5, x + d, y + d);
}

bool SegmentInPickSquare(double x1, double y1, double x2, double y2, double x, double y, double d) {
  return SegmentTouchesRect(x1, y1, x2, y2, x - d, y - d, x + d, y + d);
}

bool PointInPickSquare(double px, double py, double x, double y, double d) {
  return PointInRect(px, py, x - d, y - d, x + d, y + d);
}

bool ArcUnderCursor(const RDrawElement& e, double x, double y, double d) {
  return PointOnArc(e.X1, e.Y1, e.Radius, e.StartAngle, e.EndAngle, e.Rotation, e.Ratio, x, y, d);
}

bool SegmentFarFromBox(const RPointPair& s, double minX, double minY, double maxX, double maxY, double magnitude) {
  const double gap = std::max({minX - std::max(s.xa, s.xb), std::min(s.xa, s.xb) - maxX, minY - std::max(s.ya, s.yb),
                               std::min(s.ya, s.yb) - maxY});
  if (!(gap > 0)) return false;
  const double scale = std::max({magnitude, std::abs(s.xa), std::abs(s.ya), std::abs(s.xb), std::abs(s.yb)});
  return gap > 1e-9 * (1 + scale);
}

const std::string& ElementString(const TcadBox& box, const RDrawElement& e) {
  static const std::string kNone;
  const Tdrawinp::TextList& texts = box.Draw1->ElementTexts;
  return e.TextIndex < texts.size() ? texts[e.TextIndex] : kNone;
}

namespace {
// A size suffix starts with "##"; without one the parse leaves the style's
// own sizes, so the conversions it costs are skipped (picks ask this of
// every text shown).
bool MayCarrySizeSuffix(const std::string& text) { return text.find("##") != std::string::npos; }
}  // namespace

double TextFrameHeight(TcadBox& box, const RDrawElement& e) {
  const RTextStyle& style = StyleOf(box, e);
  const bool vertical = e.TextDirection == kTextVertical;
  const std::string& text = ElementString(box, e);
  if (!MayCarrySizeSuffix(text)) return (vertical ? style.Width : style.Height) * 0.1;
  TMoziViewobj& layout = *box.TextLayout;
  layout.ParseStyleSuffix(Utf16FromCp932(text), style);
  return (vertical ? layout.OverrideWidth : layout.OverrideHeight) * 0.1;
}

double TextStyleHeight(const TcadBox& box, const RDrawElement& e) { return StyleOf(box, e).Height * 0.1; }

double TextDeletionFrameHeight(TcadBox& box, const RDrawElement& e) {
  const RTextStyle& style = StyleOf(box, e);
  double size = std::max<double>(style.Width, style.Height);
  const std::string& text = ElementString(box, e);
  TMoziViewobj& layout = *box.TextLayout;
  if (MayCarrySizeSuffix(text) && layout.ParseStyleSuffix(Utf16FromCp932(text), style)) {
    size = std::max({size, layout.OverrideWidth, layout.OverrideHeight});
  }
  return 0.12 * size;
}

void TChangedArea::Add(TcadBox& box, const RDrawElement& e) {
  // The packed fields are read by value.
  const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
  double reach = 0;
  double l = std::min(x1, x2), b = std::min(y1, y2), r = std::max(x1, x2), t = std::max(y1, y2);
  switch (e.Kind) {
    case kKindLine:
    case kKindRect: break;
    case kKindArc:
      reach = std::abs(e.Radius) * std::max(1.0, std::abs(static_cast<double>(e.Ratio)));
      l = r = x1;
      b = t = y1;
      break;
    case kKindPoint:
      reach = 1;
      l = r = x1;
      b = t = y1;
      break;
    case kKindText:
      // The frame stands on the base line to one side, in any direction.
      reach = std::max(std::abs(TextFrameHeight(box, e)), TextDeletionFrameHeight(box, e)) +
              std::abs(box.CurrentTextHeight) / 5;
      break;
    default: return;
  }
  AddRect(l - reach, b - reach, r + reach, t + reach);
}

void TChangedArea::AddRect(double left, double bottom, double right, double top) {
  if (!(left <= right && bottom <= top)) return;  // not a number
  if (empty_) {
    left_ = left;
    bottom_ = bottom;
    right_ = right;
    top_ = top;
    empty_ = false;
    return;
  }
  left_ = std::min(left_, left);
  bottom_ = std::min(bottom_, bottom);
  right_ = std::max(right_, right);
  top_ = std::max(top_, top);
}

void TChangedArea::Repaint(TcadBox& box) const {
  if (empty_) return;
  const RViewRect& v = box.ViewWindow;
  const double m = 2 / std::max(box.Zoom, 1e-9);
  const double l = std::max(left_ - m, v.Left), r = std::min(right_ + m, v.Right);
  const double b = std::max(bottom_ - m, v.Bottom), t = std::min(top_ + m, v.Top);
  if (l > r || b > t) return;
  box.RingRepaintFlag = true;
  box.InvalidateWorldRect(l, b, r, t);
}

void DrawHighlighted(TcadBox& box, const RDrawElement& e) { DrawHighlightedAs(box, e, e.LineType); }

void DrawHighlightedAs(TcadBox& box, const RDrawElement& e, std::uint8_t lineType) {
  DrawIn(box, e, box.Sentakucol, lineType, 100, 2);
}

void DrawInOwnColour(TcadBox& box, const RDrawElement& e) {
  DrawIn(box, e, box.PrepareXorColor(PenColourOf(box, e.ColorNo)), e.LineType, e.ColorNo, 0);
}

void SelectAndDraw(TcadBox& box, std::int32_t index) {
  RDrawElement& e = box.Draw1->Elements[static_cast<std::size_t>(index)];
  e.Selection = 1;
  DrawHighlighted(box, e);
}

void RebuildDisplayLists(TcadBox& box) {
  const RViewRect& v = box.ViewWindow;
  box.Draw1->BuildDisplayLists(v.Left, v.Bottom, v.Right, v.Top, box.Zoom);
}

bool AlongAnAxis(const RDrawElement& e) {
  // The undirected angle lies in [0, 180): 180 stands for the axis near 0 too.
  const double a = LineAngleDeg(e.X1, e.Y1, e.X2, e.Y2);
  return a <= 0.1 || std::abs(a - 90) <= 0.1 || a >= 179.9;
}
