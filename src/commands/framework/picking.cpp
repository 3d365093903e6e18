// Picking one element under the cursor: the nearest line, arc or shown
// element, a line with its ends ordered by the cursor, the nearer end of a
// line or arc, and the toggling pick of the range commands. Candidates come
// from the elements in view; a THitSen chooses among them.

#include <cmath>
#include <optional>

#include "canvas/cad_box.h"
#include "canvas/nearest_pick.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"

namespace {

// What the picker chose: the element as offered and its list position.
struct RPicked {
  RDrawElement Element;
  std::int32_t Index;
};

std::optional<RPicked> Choose(THitSen& picker) {
  picker.PickNearest();
  if (!picker.Found) return std::nullopt;
  return RPicked{picker.PickedElement, picker.PickedIndex};
}

// Which kinds a pick offers, and how an arc is tested.
struct RPickRule {
  bool Lines = true;
  bool Arcs = false;
  bool Filtered = false;   // through the colour/type filter
  double ArcDistance = 0;  // 0: the pick distance
};

// Lines by the line box and arcs by the arc test, from editable layers.
std::optional<RPicked> PickNearestOf(TcadBox& box, const RPickRule& rule, double x, double y) {
  const double d = PickDistance(box.Zoom);
  const double arcD = rule.ArcDistance > 0 ? rule.ArcDistance : d;
  THitSen picker(x, y, arcD);
  const Tdrawinp& store = *box.Draw1;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t index) {
    if (!OnEditableLayer(store, e)) return;
    if (rule.Filtered && !box.MatchesColorTypeFilter(e.ColorNo, e.LineType)) return;
    const bool hit = (rule.Lines && e.Kind == kKindLine && LineInPickBox(e, x, y, d)) ||
                     (rule.Arcs && e.Kind == kKindArc && ArcUnderCursor(e, x, y, arcD));
    if (hit) picker.AddCandidate(e, index);
  });
  return Choose(picker);
}

RDrawElement& Stored(TcadBox& box, std::int32_t index) { return box.Draw1->Elements[static_cast<std::size_t>(index)]; }

// Drawn in the selection colour now; a sloped line also has its band
// repainted, which covers the old pixels the new pen may miss.
void HighlightDrawingSlopedBand(TcadBox& box, std::int32_t index) {
  SelectAndDraw(box, index);
  const RDrawElement& e = Stored(box, index);
  if (e.Kind == kKindLine && !AlongAnAxis(e)) box.InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
}

// A line whose ends are ordered by their distances from the cursor: the
// nearer end first, or last; the stored order on a tie.
RDrawElement WithNearerEnd(RDrawElement e, double x, double y, bool nearerFirst) {
  const double first = PointDistance(x, y, e.X1, e.Y1);
  const double second = PointDistance(x, y, e.X2, e.Y2);
  const bool swap = nearerFirst ? second < first : first < second;
  if (swap) {
    // By value: the packed fields take no references.
    const double x1 = e.X1, y1 = e.Y1;
    e.X1 = e.X2;
    e.Y1 = e.Y2;
    e.X2 = x1;
    e.Y2 = y1;
  }
  return e;
}

// Selection 1 becomes 0 and the element shows in its own colour again;
// anything else becomes 1 and shows in the selection colour.
void ToggleAndDraw(TcadBox& box, std::int32_t index) {
  RDrawElement& e = Stored(box, index);
  if (e.Selection == 1) {
    e.Selection = 0;
    DrawInOwnColour(box, e);
  } else {
    SelectAndDraw(box, index);
  }
}

}  // namespace

bool TcadBox::PickLineCoords(RPointPair& coords, bool useFilter, double x, double y) {
  const double tol = PickDistance(Zoom);
  THitSen picker(x, y, tol);
  const Tdrawinp& store = *Draw1;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t index) {
    if (!OnShownLayer(store, e)) return;
    if (e.Kind == kKindLine) {
      if (useFilter && !MatchesColorTypeFilter(e.ColorNo, e.LineType)) return;
      if (LineInPickBox(e, x, y, tol)) picker.AddCandidate(e, index);
    } else if (e.Kind == kKindRect) {
      if (useFilter && !MatchesColorTypeFilter(e.ColorNo, e.LineType)) return;
      OfferRectangleSides(picker, e, index, [&](const RDrawElement& side) { return LineInPickBox(side, x, y, tol); });
    } else if (e.Kind == kKindText && SegmentInPickSquare(e.X1, e.Y1, e.X2, e.Y2, x, y, tol)) {
      // A text's base line, offered as a line marked 50; no filter for texts.
      RDrawElement line = ZeroElement();
      line.Kind = kKindLine;
      line.LineType = 1;
      line.ColorNo = 1;
      line.Group = 1;
      line.Layer = 1;
      line.Selection = 50;
      line.X1 = e.X1;
      line.Y1 = e.Y1;
      line.X2 = e.X2;
      line.Y2 = e.Y2;
      picker.AddCandidate(line, index);
    }
  });
  const std::optional<RPicked> picked = Choose(picker);
  if (!picked) return false;
  coords = {picked->Element.X1, picked->Element.Y1, picked->Element.X2, picked->Element.Y2};
  return true;
}

bool TcadBox::PickShownElement(std::int32_t& index, bool useFilter, double x, double y) {
  const double d = PickDistance(Zoom);
  THitSen picker(x, y, d);
  const Tdrawinp& store = *Draw1;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t i) {
    if (!OnShownLayer(store, e)) return;
    switch (e.Kind) {
      case kKindLine:
        if ((!useFilter || MatchesColorTypeFilter(e.ColorNo, e.LineType)) && LineInPickBox(e, x, y, d)) {
          picker.AddCandidate(e, i);
        }
        break;
      case kKindRect:
        if (useFilter && !MatchesColorTypeFilter(e.ColorNo, e.LineType)) break;
        OfferRectangleSides(picker, e, i, [&](const RDrawElement& side) { return LineInPickBox(side, x, y, d); });
        break;
      case kKindArc:
        if (ArcUnderCursor(e, x, y, d)) picker.AddCandidate(e, i);
        break;
      case kKindText:
        // Offered as the line of its base.
        if (SegmentInPickSquare(e.X1, e.Y1, e.X2, e.Y2, x, y, d)) {
          RDrawElement line = e;
          line.Kind = kKindLine;
          picker.AddCandidate(line, i);
        }
        break;
      default: break;
    }
  });
  const std::optional<RPicked> picked = Choose(picker);
  index = picked ? picked->Index : -1;
  return picked.has_value();
}

bool TcadBox::PickLineOrArc(std::int32_t& index, bool highlight, double x, double y, std::uint8_t kind) {
  const std::optional<RPicked> picked =
      PickNearestOf(*this, {.Lines = true, .Arcs = true, .ArcDistance = 3 / Zoom}, x, y);
  // The nearest element decides: one of a kind not asked for fails the pick.
  const bool wanted = picked && (kind == 0 || (kind == 1 && picked->Element.Kind == kKindLine) ||
                                 (kind == 2 && picked->Element.Kind == kKindArc));
  if (!wanted) {
    index = -1;
    return false;
  }
  index = picked->Index;
  if (highlight) HighlightDrawingSlopedBand(*this, index);
  return true;
}

bool TcadBox::PickLine(std::int32_t& index, bool highlight, double x, double y) {
  const std::optional<RPicked> picked = PickNearestOf(*this, {}, x, y);
  index = picked ? picked->Index : -1;
  if (picked && highlight) SelectAndDraw(*this, index);
  return picked.has_value();
}

bool TcadBox::PickLineNearEndFirst(std::int32_t& index, RDrawElement& element, bool highlight, double x, double y) {
  const std::optional<RPicked> picked = PickNearestOf(*this, {}, x, y);
  if (!picked) {
    index = -1;
    element.Kind = kKindNone;
    return false;
  }
  index = picked->Index;
  element = WithNearerEnd(picked->Element, x, y, true);
  if (highlight) SelectAndDraw(*this, index);
  return true;
}

bool TcadBox::PickFilteredLineOrArc(std::int32_t& index, bool highlight, double x, double y) {
  const std::optional<RPicked> picked = PickNearestOf(*this, {.Lines = true, .Arcs = true, .Filtered = true}, x, y);
  if (!picked) {
    index = -1;
    return false;
  }
  index = picked->Index;
  RDrawElement& e = Stored(*this, index);
  e.Selection = 1;
  if (highlight) {
    // A sloped line is left to the repaint of its band, which draws it in
    // the selection colour now that it is marked.
    if (e.Kind == kKindLine && !AlongAnAxis(e)) {
      InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
    } else {
      DrawHighlighted(*this, e);
    }
  }
  return true;
}

bool TcadBox::PickLineOrArcEnd(double& x, double& y, double& angle, bool highlight) {
  const std::optional<RPicked> picked = PickNearestOf(*this, {.Lines = true, .Arcs = true}, x, y);
  if (!picked) return false;
  const RDrawElement& e = picked->Element;
  if (e.Kind == kKindLine) {
    const bool first = PointDistance(x, y, e.X1, e.Y1) <= PointDistance(x, y, e.X2, e.Y2);
    // The direction leaves the line at the chosen end.
    angle = first ? DirectionAngleDeg(e.X2, e.Y2, e.X1, e.Y1) : DirectionAngleDeg(e.X1, e.Y1, e.X2, e.Y2);
    x = first ? e.X1 : e.X2;
    y = first ? e.Y1 : e.Y2;
  } else {
    const RPointPair ends = ArcEndPoints(e.X1, e.Y1, e.Radius, e.StartAngle, e.EndAngle, e.Rotation);
    const bool start = PointDistance(x, y, ends.xa, ends.ya) <= PointDistance(x, y, ends.xb, ends.yb);
    angle = start ? NormalizeAngle360(e.StartAngle + e.Rotation - 90) : NormalizeAngle360(e.EndAngle + e.Rotation + 90);
    x = start ? ends.xa : ends.xb;
    y = start ? ends.ya : ends.yb;
  }
  if (highlight) SelectAndDraw(*this, picked->Index);
  return true;
}

bool TcadBox::PickFilteredLineNearEndFirst(std::int32_t& index, bool highlight, double x, double y) {
  const std::optional<RPicked> picked = PickNearestOf(*this, {.Filtered = true}, x, y);
  if (!picked) {
    index = -1;
    return false;
  }
  index = picked->Index;
  // The end that is to move is the second point.
  PickedElement = WithNearerEnd(picked->Element, x, y, false);
  if (highlight) SelectAndDraw(*this, index);
  return true;
}

bool TcadBox::ToggleSelectElementAt(std::int32_t& index, double x, double y) {
  HaniAka_Cyu = true;
  const double d = PickDistance(Zoom);
  THitSen picker(x, y, d);
  std::int32_t text = -1;
  double textLength = 0;
  const Tdrawinp& store = *Draw1;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t i) {
    if (!OnEditableLayer(store, e)) return;
    if (e.Kind == kKindText) {
      // Of the texts under the cursor the one with the shortest base line.
      if (!PointInTextOutline(e.X1, e.Y1, e.X2, e.Y2, TextFrameHeight(*this, e), x, y)) return;
      const double length = PointDistance(e.X1, e.Y1, e.X2, e.Y2);
      if (text < 0 || length < textLength) {
        text = i;
        textLength = length;
      }
      return;
    }
    bool hit = false;
    switch (e.Kind) {
      case kKindLine:
        hit = MatchesColorTypeFilter(e.ColorNo, e.LineType) && SegmentInPickSquare(e.X1, e.Y1, e.X2, e.Y2, x, y, d);
        break;
      case kKindRect:
        if (!MatchesColorTypeFilter(e.ColorNo, e.LineType)) return;
        OfferRectangleSides(picker, e, i, [&](const RDrawElement& side) {
          return SegmentInPickSquare(side.X1, side.Y1, side.X2, side.Y2, x, y, d);
        });
        return;
      case kKindPoint:
        // Only a point's colour is filtered.
        hit = MatchesColorTypeFilter(e.ColorNo, 100) && PointInPickSquare(e.X1, e.Y1, x, y, d);
        break;
      case kKindArc: hit = MatchesColorTypeFilter(e.ColorNo, e.LineType) && ArcUnderCursor(e, x, y, d); break;
      default: break;
    }
    if (hit) picker.AddCandidate(e, i);
  });
  if (text >= 0) {
    // A text leaves the index as it was.
    ToggleAndDraw(*this, text);
    return true;
  }
  const std::optional<RPicked> picked = Choose(picker);
  if (!picked) {
    index = -1;
    return false;
  }
  index = picked->Index;
  ToggleAndDraw(*this, index);
  return true;
}
