// Texts under the cursor: whether a point lies in a text's frame, the text
// picks of the joining command, and deleting the text under a point.

#include <algorithm>
#include <array>
#include <cmath>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"
#include "platform/gdi.h"

namespace {

// The text picks toggle the text: a selected one is unselected; another is
// selected when highlighting is asked, else left unselected. Only with
// highlighting is it drawn again.
bool ToggleTextPick(TcadBox& box, std::int32_t& index, bool highlight, double x, double y, bool styleHeight) {
  if (!box.RingHidden) {
    box.ToggleRingCursor();
    box.RingHidden = true;
  }
  box.HaniAka_Cyu = true;
  const std::int32_t found = FirstTextUnder(box, x, y, [&box, styleHeight](const RDrawElement& e) {
    return styleHeight ? TextStyleHeight(box, e) : TextFrameHeight(box, e);
  });
  if (found < 0) return false;
  RDrawElement& e = box.Draw1->Elements[static_cast<std::size_t>(found)];
  e.Selection = e.Selection != 1 && highlight ? 1 : 0;
  if (highlight) {
    if (e.Selection == 1) {
      DrawHighlighted(box, e);
    } else {
      DrawInOwnColour(box, e);
    }
    // Where texts overlap, those after it in the drawing come back over it.
    box.InvalidateElementArea(e);
  }
  index = found;
  return true;
}

}  // namespace

bool TcadBox::PointInTextOutline(double x1, double y1, double x2, double y2, double height, double px,
                                 double py) const {
  // A frame without a place on the screen holds nothing.
  if (!std::isfinite(x1 + y1 + x2 + y2 + height + px + py)) return false;
  RPoint2D top1, top2;
  OffsetSegment(x1, y1, x2, y2, height, top1, top2);
  // Rounding to pixels moves a corner by half a pixel at most: a point more
  // than a pixel outside the frame's box cannot fall in its region (a pick
  // asks this of every text shown).
  const double pixel = 1.0 / PixelsPerUnit();
  if (px < std::min({x1, x2, top1.x, top2.x}) - pixel || px > std::max({x1, x2, top1.x, top2.x}) + pixel ||
      py < std::min({y1, y2, top1.y, top2.y}) - pixel || py > std::max({y1, y2, top1.y, top2.y}) + pixel) {
    return false;
  }
  const std::array<TPoint, 4> corners = {
      TPoint{WorldToScreenX(x1), WorldToScreenY(y1)}, TPoint{WorldToScreenX(x2), WorldToScreenY(y2)},
      TPoint{WorldToScreenX(top2.x), WorldToScreenY(top2.y)}, TPoint{WorldToScreenX(top1.x), WorldToScreenY(top1.y)}};
  // The region's pixels lie within its corners' box: a point outside it
  // needs no region (a pick asks this of every text shown).
  const int sx = WorldToScreenX(px), sy = WorldToScreenY(py);
  const auto [minX, maxX] = std::minmax({corners[0].X, corners[1].X, corners[2].X, corners[3].X});
  const auto [minY, maxY] = std::minmax({corners[0].Y, corners[1].Y, corners[2].Y, corners[3].Y});
  if (sx < minX || sx > maxX || sy < minY || sy > maxY) return false;
  HRGN region = CreatePolygonRgn(corners.data(), 4, WINDING);
  const bool inside = PtInRegion(region, sx, sy);
  DeleteObject(region);
  return inside;
}

bool TcadBox::PickTextNearEnd(std::int32_t& index, bool highlight, double x, double y, bool& nearEnd) {
  if (!ToggleTextPick(*this, index, highlight, x, y, false)) return false;
  const RDrawElement& e = Draw1->Elements[static_cast<std::size_t>(index)];
  nearEnd = PointDistance(x, y, e.X1, e.Y1) >= PointDistance(x, y, e.X2, e.Y2);
  return true;
}

bool TcadBox::PickText(std::int32_t& index, bool highlight, double x, double y) {
  return ToggleTextPick(*this, index, highlight, x, y, true);
}

bool TcadBox::DeleteTextAt(double x, double y) {
  const auto height = [this](const RDrawElement& e) { return TextDeletionFrameHeight(*this, e); };
  const std::int32_t found = ShortestTextUnder(*this, x, y, height);
  if (found < 0) return false;
  const RDrawElement e = Draw1->Elements[static_cast<std::size_t>(found)];
  const double h = height(e);  // read before its string leaves the list
  TUndoStep step(*Draw1);
  DeleteTextElement(*this, step, found);
  InvalidateTextOutline(e.X1, e.Y1, e.X2, e.Y2, h);
  RebuildDisplayLists(*this);
  return true;
}

void DeleteTextElement(TcadBox& box, TUndoStep& step, std::int32_t index) {
  Tdrawinp& store = *box.Draw1;
  if (index < 0 || static_cast<std::size_t>(index) >= store.Elements.size()) return;
  const std::uint16_t text = store.Elements[static_cast<std::size_t>(index)].TextIndex;
  step.Open();
  if (text < store.ElementTexts.size()) store.ShiftTextIndices(text, 0);
  step.Delete(index);
}
