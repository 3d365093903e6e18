#pragma once
// What the range selections, the picks and the deletions share: the walk
// over the elements in view, the pick boxes around the cursor, the frame
// heights of a text, and drawing an element in the selection colour or back
// in its own.

#include <array>
#include <cstdint>
#include <string>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"

// The elements of the display list (those in view), first entry to last,
// with their element-list positions. Every pick and deletion at a point
// looks at the drawing through these walks.
template <class Visit>
void ForEachListed(const Tdrawinp& store, Visit&& visit) {
  for (const RDisplayEntry& entry : store.DisplayList) {
    if (const RDrawElement* e = store.EntryElement(entry)) visit(*e, entry.Index);
  }
}

// The state of an element's layer (a pair outside the table is hidden),
// read in place: the range selections ask it of every element.
inline std::uint8_t LayerStateOf(const Tdrawinp& store, const RDrawElement& e) {
  if (e.Group >= kLayerGroups || e.Layer >= kLayersPerGroup) return kLayerHidden;
  return store.LayerStates[static_cast<std::size_t>(e.Group) * kLayersPerGroup + e.Layer];
}
inline bool OnEditableLayer(const Tdrawinp& store, const RDrawElement& e) {
  return LayerStateOf(store, e) == kLayerEditable;
}
inline bool OnShownLayer(const Tdrawinp& store, const RDrawElement& e) {
  return LayerStateOf(store, e) != kLayerHidden;
}

// The pick distance of the picks: 4 millimetres on the screen.
inline double PickDistance(double zoom) { return 4 / zoom; }

// The line box around the cursor: d to both sides, d above but only d / 1.5
// below it. The segment of a two-point element touching it is hit.
bool LineInPickBox(const RDrawElement& e, double x, double y, double d);
// Offers each side of a rectangle that `hit` accepts to the picker, as the
// line it is drawn with and under the rectangle's own position, so that the
// nearest side decides how near the rectangle is.
template <class Picker, class Hit>
void OfferRectangleSides(Picker& picker, const RDrawElement& rect, std::int32_t index, Hit&& hit) {
  for (const RDrawElement& side : RectangleSides(rect)) {
    if (hit(side)) picker.AddCandidate(side, index);
  }
}
// The square of half side d around the cursor.
bool SegmentInPickSquare(double x1, double y1, double x2, double y2, double x, double y, double d);
bool PointInPickSquare(double px, double py, double x, double y, double d);
// The cursor lies on the curve of a circle, arc or ellipse within d.
bool ArcUnderCursor(const RDrawElement& e, double x, double y, double d);

// The string of a text element of the drawing; empty past the text list.
const std::string& ElementString(const TcadBox& box, const RDrawElement& e);
// Frame heights of a text element, drawing units: across its base line by
// its own style and direction, a "##" suffix's positive size taking the
// place of the style's; the style's height alone; and the generous frame of
// the text deletion.
double TextFrameHeight(TcadBox& box, const RDrawElement& e);
double TextStyleHeight(const TcadBox& box, const RDrawElement& e);
double TextDeletionFrameHeight(TcadBox& box, const RDrawElement& e);

// The texts of editable layers whose frame, of the height given per
// element, holds the point: the first in display order, or the one with the
// shortest base line (the first among equals); -1 when there is none.
template <class FrameHeight>
std::int32_t FirstTextUnder(TcadBox& box, double x, double y, FrameHeight height) {
  std::int32_t found = -1;
  const Tdrawinp& store = *box.Draw1;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t index) {
    if (found >= 0 || e.Kind != kKindText || !OnEditableLayer(store, e)) return;
    if (box.PointInTextOutline(e.X1, e.Y1, e.X2, e.Y2, height(e), x, y)) found = index;
  });
  return found;
}
template <class FrameHeight>
std::int32_t ShortestTextUnder(TcadBox& box, double x, double y, FrameHeight height) {
  std::int32_t found = -1;
  double shortest = 0;
  const Tdrawinp& store = *box.Draw1;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t index) {
    if (e.Kind != kKindText || !OnEditableLayer(store, e)) return;
    if (!box.PointInTextOutline(e.X1, e.Y1, e.X2, e.Y2, height(e), x, y)) return;
    const double length = PointDistance(e.X1, e.Y1, e.X2, e.Y2);
    if (found < 0 || length < shortest) {
      found = index;
      shortest = length;
    }
  });
  return found;
}
// Deletes the text element at the index in the step. Every text whose
// string lies after the deleted one names it one place earlier, wherever
// the text stands in the list.
void DeleteTextElement(TcadBox& box, TUndoStep& step, std::int32_t index);

// Drawn at once in the copy mode with width 1: in the selection colour (a
// point with marker code 100, a text in colour mode 2), or in its own
// colour (a point with its colour number as marker code, a text in colour
// mode 0). A text is drawn in its own style; Mozi_No is kept.
void DrawHighlighted(TcadBox& box, const RDrawElement& e);
void DrawHighlightedAs(TcadBox& box, const RDrawElement& e, std::uint8_t lineType);
void DrawInOwnColour(TcadBox& box, const RDrawElement& e);

// The segment lies apart from the box by more than rounding could bridge
// (magnitude: of the box's coordinates), so no crossing test can find it
// touching.
bool SegmentFarFromBox(const RPointPair& s, double minX, double minY, double maxX, double maxY, double magnitude);

// The one or two segments a range asks about an element: it lies in the
// range when one of them does.
struct RTestSegments {
  std::array<RPointPair, 2> Segment{};
  int Count = 1;
};
// Those of the window selection (crossing or not), which the polygon range
// asks too.
RTestSegments WindowTestSegments(const RDrawElement& e, bool crossing);
// The window selection's kind rule: the element's kind is switched on and
// it passes the filters of its kind (a line the oblique test too, while the
// oblique-only flag is on).
bool TakenByWindowKindRule(const TcadBox& box, const RDrawElement& e);

// The part of the view where elements were drawn in another look, painted
// over or taken away: the next paint draws it again from the drawing, so
// that what comes later in the drawing lies over them again and what
// crossed an erased element is whole. Kept as one rectangle, so that a
// selection of many elements asks for one paint.
class TChangedArea {
 public:
  void Add(TcadBox& box, const RDrawElement& e);
  // A rectangle of the drawing, corners sorted.
  void AddRect(double left, double bottom, double right, double top);
  // The rectangle (with a margin for the widest erasing pen) invalidated;
  // nothing when nothing was added or it lies out of view.
  void Repaint(TcadBox& box) const;

 private:
  bool empty_ = true;
  double left_ = 0, bottom_ = 0, right_ = 0, top_ = 0;
};

// Selection 1 and drawn in the selection colour; the stored element.
void SelectAndDraw(TcadBox& box, std::int32_t index);

// The display lists built again for the current view after a deletion.
void RebuildDisplayLists(TcadBox& box);

// A line within 0.1 degrees of an axis direction: such a line is painted
// over and drawn again at once, any other through a repaint of its band.
bool AlongAnAxis(const RDrawElement& e);
