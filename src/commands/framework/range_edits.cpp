// Editing many lines at once, each one undo step: the box trim and the
// envelope of a range, the hidden-line erase under a figure about to be
// pasted, the deletion of the selection, and the cut of a picked line
// between two points.

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/buffer_transform.h"
#include "canvas/cad_box.h"
#include "canvas/command_registry.h"
#include "canvas/envelope.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "geometry/element_numbers.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/offsets_rects.h"
#include "platform/dialogs.h"
#include "tools/edit/area_hatching.h"
#include "tools/edit/batch_trim.h"
#include "tools/edit/hatch_boundary.h"

namespace {

// Lines of generated door and window symbols are never trimmed or merged.
bool FittingSymbolLine(const RDrawElement& e) { return e.Kind == kKindLine && e.LineTag == kLineTagFitting; }

bool Editable(const Tdrawinp& store, const RDrawElement& e) {
  return store.LayerState(e.Group, e.Layer) == kLayerEditable;
}

constexpr double kShortestPiece = 0.00001;

// A copy of the line with new ends, or nothing when it would be too short.
void KeepPiece(std::vector<RDrawElement>& pieces, const RDrawElement& line, double x1, double y1, double x2,
               double y2) {
  if (PointDistance(x1, y1, x2, y2) < kShortestPiece) return;
  RDrawElement piece = line;
  piece.X1 = x1;
  piece.Y1 = y1;
  piece.X2 = x2;
  piece.Y2 = y2;
  pieces.push_back(piece);
}

// The range modes, in which the ring cursor stays after a box trim.
bool RangeMode(Sbuttontype mode) {
  switch (mode) {
    case dtHani:
    case dtHanipgc:
    case dthanipgm:
    case dtHaniCopy:
    case dtHaniMove:
    case dtHaniParamet:
    case dtKiritoriHani:
    case dtKiritorisakuzyo:
    case dtHaniGaibu: return true;
    default: return false;
  }
}

}  // namespace

void TcadBox::EraseInsideBox(bool allTypes, double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *Draw1;
  // The pieces are kept apart from the copy buffer: a figure being placed
  // when the range drag interrupted its command is not lost.
  std::vector<RDrawElement> pieces;
  std::vector<std::int32_t> doomed;
  const bool everyType = allTypes || HorakuHanDel;
  // The range and every line cut or taken: the pieces left outside it are
  // drawn again as they are stored.
  RPointPair reach{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  for (std::size_t i = 0; i < store.Elements.size(); ++i) {
    const RDrawElement& e = store.Elements[i];
    if ((e.Kind != kKindLine && e.Kind != kKindPoint) || !Editable(store, e) || FittingSymbolLine(e)) continue;
    if (!everyType && e.LineType != 1) continue;
    double sx1 = e.X1, sy1 = e.Y1, sx2 = e.X2, sy2 = e.Y2;
    if (e.Kind == kKindPoint) {
      sx1 = e.X1 - 0.0001;
      sy1 = e.Y1 - 0.0001;
      sx2 = e.X1 + 0.0001;
      sy2 = e.Y1 + 0.0001;
    }
    double a1x = 0, a1y = 0, a2x = 0, a2y = 0, b1x = 0, b1y = 0, b2x = 0, b2y = 0;
    const int result =
        SegmentPartsOutsideRect(sx1, sy1, sx2, sy2, x1, y1, x2, y2, a1x, a1y, a2x, a2y, b1x, b1y, b2x, b2y);
    if (result == 1 || (e.Kind == kKindLine && (result == 0 || result == 2))) {
      doomed.push_back(static_cast<std::int32_t>(i));
      reach = {std::min({reach.xa, sx1, sx2}), std::min({reach.ya, sy1, sy2}), std::max({reach.xb, sx1, sx2}),
               std::max({reach.yb, sy1, sy2})};
      if (e.Kind == kKindLine && result == 2) {
        KeepPiece(pieces, e, a1x, a1y, a2x, a2y);
        KeepPiece(pieces, e, b1x, b1y, b2x, b2y);
      } else if (e.Kind == kKindLine && result == 0) {
        KeepPiece(pieces, e, a1x, a1y, a2x, a2y);
      }
    }
  }
  TUndoStep step(store);
  std::reverse(doomed.begin(), doomed.end());
  step.DeleteDescending(doomed);
  for (const RDrawElement& piece : pieces) step.AddChecked(piece);
  RingRepaintFlag = true;
  const RViewRect& v = ViewWindow;
  const double m = 2 / Zoom;
  InvalidateWorldRect(std::max(reach.xa - m, v.Left), std::max(reach.ya - m, v.Bottom), std::min(reach.xb + m, v.Right),
                      std::min(reach.yb + m, v.Top));
  store.BuildDisplayLists(ViewWindow.Left, ViewWindow.Bottom, ViewWindow.Right, ViewWindow.Top, Zoom);
  if (RingHan == 1 && !RangeMode(SavedMode)) HideRingCursor(0);
}

namespace {

constexpr std::size_t kHiddenLineLimit = 300;

// The bounds of an outline, widened a little so that rounding in the
// crossing test never finds a crossing the bounds ruled out.
struct RBounds {
  double Left = 0, Bottom = 0, Right = 0, Top = 0;
  bool Empty = true;
  bool Touches(double x1, double y1, double x2, double y2) const {
    return !Empty && std::max(x1, x2) >= Left && std::min(x1, x2) <= Right && std::max(y1, y2) >= Bottom &&
           std::min(y1, y2) <= Top;
  }
};

RBounds OutlineBounds(const std::vector<RPolyEdge>& edges) {
  RBounds b;
  if (edges.empty()) return b;
  b.Empty = false;
  b.Left = b.Right = edges[0].x1;
  b.Bottom = b.Top = edges[0].y1;
  for (const RPolyEdge& e : edges) {
    b.Left = std::min({b.Left, e.x1, e.x2});
    b.Right = std::max({b.Right, e.x1, e.x2});
    b.Bottom = std::min({b.Bottom, e.y1, e.y2});
    b.Top = std::max({b.Top, e.y1, e.y2});
  }
  const double margin =
      1e-6 * (1.0 + std::max({std::fabs(b.Left), std::fabs(b.Right), std::fabs(b.Bottom), std::fabs(b.Top)}));
  b.Left -= margin;
  b.Right += margin;
  b.Bottom -= margin;
  b.Top += margin;
  return b;
}

// The outline of the pasted figure: its lines of the outline line type and
// of the hidden-line colours, and its arcs as 36 chords each, placed where
// the paste puts them.
std::vector<RPolyEdge> PastedOutline(const TcadBox& box, const TBufferTransform& t) {
  std::vector<RPolyEdge> edges;
  for (const RDrawElement& original : box.Draw1->Buffer) {
    if (original.LineType != box.HiddenLineOutlineType) continue;
    if (original.ColorNo == 0 || original.ColorNo > 10 || !box.SenUrakesicol.test(original.ColorNo)) continue;
    RDrawElement e = original;
    if (e.Kind == kKindLine) {
      t.PlaceLine(e);
      edges.push_back({e.X1, e.Y1, e.X2, e.Y2, e.ColorNo});
    } else if (e.Kind == kKindArc) {
      t.PlaceArc(e);
      std::array<RPoint2D, 37> points;
      ArcToPolyline(points, 36, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
      for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        edges.push_back({points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, 0});
      }
    }
  }
  return edges;
}

}  // namespace

void TcadBox::ErasePasteHiddenLines(std::int32_t directionMode, double dx, double dy, double x, double y, double angle,
                                    double scaleX, double scaleY, UndoJoin join) {
  Tdrawinp& store = *Draw1;
  if (store.Buffer.empty()) return;
  if (store.Buffer.size() >= kHiddenLineLimit) {
    ShowMessage(J("図形線総数300本以上は裏消は実行できません!"));
    return;
  }
  ShowTopMessage(J(" 計算中 "));
  const TBufferTransform t =
      MakeBufferTransform({directionMode, dx, dy, x, y, NormalizeAngle360(angle), AxisAngle, scaleX, scaleY});
  const std::vector<RPolyEdge> edges = PastedOutline(*this, t);
  const RBounds outline = OutlineBounds(edges);

  std::vector<RDrawElement> pieces;
  std::vector<std::int32_t> doomed;
  const bool everyType = HorakuHanDel;
  const std::int32_t fitted1 = PickedIndex[1], fitted2 = PickedIndex[2];
  const std::size_t count = store.Elements.size();
  const RDrawElement* const elements = store.Elements.data();
  for (std::size_t i = 0; i < count; ++i) {
    const RDrawElement& e = elements[i];
    const bool point = e.Kind == kKindPoint;
    if (e.Kind != kKindLine && !point) continue;
    if (!everyType && e.LineType != 1) continue;
    const double x1 = e.X1, y1 = e.Y1;
    const double ex2 = point ? x1 : e.X2, ey2 = point ? y1 : e.Y2;
    // The lines a figure-fit paste was fitted between are cut as lines.
    const bool fitted = static_cast<std::int32_t>(i) == fitted1 || static_cast<std::int32_t>(i) == fitted2;
    // Only a segment that crosses an edge is cut, so one clear of the
    // outline's bounds is left without testing every edge (or its layer);
    // a fitted line is cut as an endless line and has no such bound.
    if (!fitted && !outline.Touches(x1, y1, ex2, ey2)) continue;
    if (!Editable(store, e)) continue;
    double p1sx = 0, p1sy = 0, p1ex = 0, p1ey = 0, p2sx = 0, p2sy = 0, p2ex = 0, p2ey = 0;
    const int result = SegmentPartsOutsidePolygon(edges, e.X1, e.Y1, ex2, ey2, p1sx, p1sy, p1ex, p1ey, p2sx, p2sy, p2ex,
                                                  p2ey, HiddenLinePolygonTest != 0, fitted);
    if (result == -1) continue;
    doomed.push_back(static_cast<std::int32_t>(i));
    if (e.Kind != kKindLine) continue;
    if (result >= 1) KeepPiece(pieces, e, p1sx, p1sy, p1ex, p1ey);
    if (result == 2) KeepPiece(pieces, e, p2sx, p2sy, p2ex, p2ey);
  }
  TUndoStep step(store, join);
  // Where each cut element was, the drawing is painted again once it is
  // gone (drawn again in XOR it would cut what crossed it); the pieces
  // show at once as the redraw draws them.
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    InvalidateElementArea(store.Elements[static_cast<std::size_t>(*it)]);
  }
  std::reverse(doomed.begin(), doomed.end());
  step.DeleteDescending(doomed);
  for (const RDrawElement& piece : pieces) {
    if (step.AddChecked(piece)) DrawAsRedrawn(store.Elements.back());
  }
  ToggleRingCursor();
  RingHidden = true;
  store.BuildDisplayLists(ViewWindow.Left, ViewWindow.Bottom, ViewWindow.Right, ViewWindow.Top, Zoom);
  ShowTopMessage(J(" 終  了 "));
}

namespace {

constexpr int kEnvelopeLimit = 100;
constexpr std::uint8_t kEnvelopeMark = 20;

// Runs the envelope on the lines the test takes among the displayed
// elements; false when more than the limit take part (nothing changed).
template <typename Takes>
bool RunEnvelope(TcadBox& box, TUndoStep& step, double x1, double y1, double x2, double y2, Takes takes) {
  Tdrawinp& store = *box.Draw1;
  std::vector<RDisplayEntry>& list = store.DisplayList;
  int count = 0;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    RDrawElement& e = store.Elements[static_cast<std::size_t>(it->Index)];
    e.Scratch = 0;
    if (takes(e) && ++count > kEnvelopeLimit) {
      CurrentDialogs().ShowMessageBox(J("ﾃﾞ-ﾀ-が多すぎます。再選択してください"), MessageKind::Confirmation,
                                      MessageButtons::Ok);
      return false;
    }
  }
  if (count == 0) return true;
  THourakukei2 cleanUp(x1, y1, x2, y2, box.Zoom);
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    RDrawElement& e = store.Elements[static_cast<std::size_t>(it->Index)];
    e.Scratch = 0;
    if (!takes(e)) continue;
    cleanUp.AddLine(e);
    e.Scratch = kEnvelopeMark;
  }
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  for (std::int32_t i = static_cast<std::int32_t>(store.Elements.size()) - 1; i >= 0; --i) {
    RDrawElement& e = store.Elements[static_cast<std::size_t>(i)];
    if (e.Scratch != kEnvelopeMark) continue;
    e.Scratch = 0;
    canvas.Pen.Color = box.Color();
    canvas.Pen.Width = 2;
    box.DrawLine(1, canvas, e.X1, e.Y1, e.X2, e.Y2);
    // What crossed it is painted again from the drawing.
    box.InvalidateElementArea(e);
    step.Delete(i);
  }
  cleanUp.Execute();
  canvas.Pen.Width = 1;
  // Each line shows at once as the redraw draws it.
  for (auto it = cleanUp.ResultLines.rbegin(); it != cleanUp.ResultLines.rend(); ++it) {
    RDrawElement line = ZeroElement();
    line.Kind = kKindLine;
    line.X1 = it->X1;
    line.Y1 = it->Y1;
    line.X2 = it->X2;
    line.Y2 = it->Y2;
    line.LineType = it->LineType;
    line.ColorNo = it->ColorNo;
    line.Group = it->Group;
    line.Layer = it->Layer;
    if (step.AddChecked(line)) box.DrawAsRedrawn(store.Elements.back());
  }
  return true;
}

// The lines of an editable layer the envelope takes in a window: one end
// in, both in, or crossing it; never the lines of a fitting symbol.
bool TouchesWindow(const Tdrawinp& store, const RDrawElement& e, double x1, double y1, double x2, double y2) {
  if (e.Kind != kKindLine || !Editable(store, e) || FittingSymbolLine(e)) return false;
  double sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
  const int c = ClassifySegmentByRect(e.X1, e.Y1, e.X2, e.Y2, x1, y1, x2, y2, sx1, sy1, sx2, sy2);
  return c == 0 || c == 1 || c == 2;
}

// How far an arc or ellipse reaches from its centre.
double ArcReach(const RDrawElement& e) {
  const double radius = e.Radius, ratio = e.Ratio;
  return std::fabs(radius) * std::max(1.0, std::fabs(ratio));
}

// The strings removed so far, by their original indices, and how many of
// them lay below an index. While every string removed lies at or above the
// one asked about (the texts in string order, deleted from the last down)
// the answer is 0 without a count; the first one out of order builds a
// Fenwick tree over the text list from what was removed.
class TRemovedStrings {
 public:
  explicit TRemovedStrings(std::size_t size) : size_(size) {}

  // The removed strings below the index; then the index joins them. Not
  // inline: the deletion scan would otherwise carry this list's state
  // through every element it passes.
  __attribute__((noinline)) std::size_t TakeBelow(std::uint16_t index) {
    std::size_t below = 0;
    if (tree_.empty() && !removed_.empty() && index > lowest_) {
      tree_.assign(size_ + 1, 0);
      for (const std::uint16_t r : removed_) Add(r);
    }
    if (!tree_.empty()) {
      below = Below(index);
      Add(index);
    }
    if (removed_.empty() || index < lowest_) lowest_ = index;
    removed_.push_back(index);
    return below;
  }

  // The original indices removed, in ascending order.
  std::vector<std::uint16_t> Sorted() {
    if (std::is_sorted(removed_.rbegin(), removed_.rend())) {
      std::reverse(removed_.begin(), removed_.end());
    } else {
      std::sort(removed_.begin(), removed_.end());
    }
    return std::move(removed_);
  }

 private:
  void Add(std::size_t index) {
    for (std::size_t i = index + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }
  std::size_t Below(std::size_t index) const {
    std::size_t count = 0;
    for (std::size_t i = std::min(index, tree_.size() - 1); i > 0; i -= i & (~i + 1)) count += tree_[i];
    return count;
  }

  std::size_t size_;
  std::vector<std::uint16_t> removed_;
  std::uint16_t lowest_ = 0;
  std::vector<std::uint32_t> tree_;
};

}  // namespace

void TcadBox::EnvelopeInsideBox(bool allTypes, double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *Draw1;
  const bool everyType = allTypes || HorakuHan;
  auto takes = [&](const RDrawElement& e) {
    return (everyType || e.LineType == 1) && TouchesWindow(store, e, x1, y1, x2, y2);
  };
  TUndoStep step(store);
  if (!RunEnvelope(*this, step, x1, y1, x2, y2, takes)) return;
  store.BuildDisplayLists(ViewWindow.Left, ViewWindow.Bottom, ViewWindow.Right, ViewWindow.Top, Zoom);
  HideRingCursor(0);
}

void TcadBox::EnvelopeRotatedBox(double x1, double y1, double x2, double y2, double angle) {
  Tdrawinp& store = *Draw1;
  const RPoint2D c2 = RotateAboutCentreExact(angle, x1, y1, x2, y1);
  const RPoint2D c3 = RotateAboutCentreExact(angle, x1, y1, x1, y2);
  const RPoint2D c4 = RotateAboutCentreExact(angle, x1, y1, x2, y2);
  const double left = std::min({x1, c2.x, c3.x, c4.x}) - 0.001, right = std::max({x1, c2.x, c3.x, c4.x}) + 0.001;
  const double bottom = std::min({y1, c2.y, c3.y, c4.y}) - 0.001, top = std::max({y1, c2.y, c3.y, c4.y}) + 0.001;
  auto takes = [&](const RDrawElement& e) {
    return e.ColorNo == Pencol && e.LineType == Pentyp && TouchesWindow(store, e, left, bottom, right, top);
  };
  // The box just drawn holds the step; the envelope joins it.
  TUndoStep step(store, UndoJoin::JoinCurrent);
  if (!RunEnvelope(*this, step, left, bottom, right, top, takes)) return;
  store.BuildDisplayLists(ViewWindow.Left, ViewWindow.Bottom, ViewWindow.Right, ViewWindow.Top, Zoom);
}

void TcadBox::DeleteSelection(bool clearHighlight, bool redraw, bool newUndoStep) {
  Tdrawinp& store = *Draw1;
  if (clearHighlight) HaniAka_Cyu = false;
  TUndoStep step(store, NewStepWhen(newUndoStep));
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  const TColor background = Color();
  // Every text keeps its own string, whatever the order of the texts: an
  // index goes down by the number of strings deleted below it, for a text
  // still to be deleted as for one that stays.
  TRemovedStrings removed(store.ElementTexts.size());
  std::vector<std::int32_t> keptTexts;
  // Each selected element is logged as it is passed; the list closes up
  // once, after the texts that stay have their new indices.
  TDeletionPass pass(store);
  // What lies clear of the view left no pixel to paint over; the margin
  // holds the widest erasing pen.
  const double margin = 4.0 / std::max(PixelsPerUnit(), 1e-9);
  const RViewRect& v = ViewWindow;
  const double viewLeft = v.Left - margin, viewRight = v.Right + margin;
  const double viewBottom = v.Bottom - margin, viewTop = v.Top + margin;
  auto clearOfView = [=](double left, double bottom, double right, double top) {
    return right < viewLeft || left > viewRight || top < viewBottom || bottom > viewTop;
  };
  // The height of a text's frame: its style's, unless the "##" mark gives
  // it a size of its own (apart: few texts carry one).
  auto markedHeight = [&](std::string_view text, const RTextStyle& style, bool vertical, double h)
      __attribute__((noinline)) {
    if (TextLayout->ParseStyleSuffix(Utf16FromCp932(std::string(text)), style)) {
      const double s = vertical ? TextLayout->OverrideWidth : TextLayout->OverrideHeight;
      if (s > 0) h = std::trunc(s + 1) * 0.1;
    }
    return h;
  };
  auto textHeight = [&](const RDrawElement& e) {
    const RTextStyle& style = TextStyles[e.TextStyle < kTextStyleCount ? e.TextStyle : 0];
    const bool vertical = e.TextDirection == kTextVertical;
    const double h = ((vertical ? style.Width : style.Height) + 1) * 0.1;
    const std::string_view text =
        e.TextIndex < store.ElementTexts.size() ? std::string_view(store.ElementTexts[e.TextIndex]) : "";
    if (text.size() < 2 || text.find("##") == std::string_view::npos) return h;
    return markedHeight(text, style, vertical, h);
  };
  const double textMargin = std::fabs(CurrentTextHeight) / 5;
  // Where elements were painted over, the drawing is painted again: what
  // crossed them is whole.
  TChangedArea paintedOver;
  // Paints the background over a deleted element that may have left pixels
  // in view. Apart from the scan, as keepText below: the scan's own loop
  // keeps its state in registers.
  auto paintOver = [&](const RDrawElement& e) __attribute__((noinline)) {
    if (e.Kind != kKindText) paintedOver.Add(*this, e);
    canvas.Pen.Color = background;
    switch (e.Kind) {
      case kKindLine:
        // A line too small to be drawn is not erased either.
        if (!LineIsSmall(e, Zoom)) {
          canvas.Pen.Width = 3;
          DrawLine(1, canvas, e.X1, e.Y1, e.X2, e.Y2);
        }
        break;
      case kKindRect:
        canvas.Pen.Width = 1;
        DrawRect(e.X1, e.Y1, e.X2, e.Y2);
        break;
      case kKindText: {
        const double h = textHeight(e);
        canvas.Pen.Width = 1;
        canvas.Brush.Color = background;
        canvas.Brush.Style = bsSolid;
        FillTextArea(e.X1, e.Y1, e.X2, e.Y2, h);
        canvas.Brush.Style = bsClear;
        const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2, reach = std::fabs(h) + textMargin;
        paintedOver.AddRect(std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach,
                            std::max(y1, y2) + reach);
        break;
      }
      case kKindArc: {
        const bool small = Zoom < 0.76 && e.Radius * Zoom < 0.2 &&
                           EllipseTouchesRect(e.X1, e.Y1, e.Radius, e.Ratio, e.Rotation, 0.0, 0.0, v.Left, v.Bottom,
                                              v.Right, v.Top, 0.0, 0.0);
        if (!small) {
          canvas.Pen.Width = 3;
          DrawArc(e.LineType, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
        }
        break;
      }
      case kKindPoint:
        canvas.Pen.Width = 1;
        if (Zoom >= 0.2) DrawPointMark(200, canvas, e.X1, e.Y1);
        break;
      default: break;
    }
  };
  auto keepText = [&](std::int32_t i) __attribute__((noinline)) { keptTexts.push_back(i); };
  auto choose = [&](const RDrawElement& e, std::int32_t i) {
    if (e.Selection != 1) {
      if (e.Kind == kKindText) [[unlikely]]
        keepText(i);
      return false;
    }
    bool offView = false;
    if (e.Kind == kKindLine) {
      const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
      offView = clearOfView(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    } else if (e.Kind == kKindArc) {
      const double x = e.X1, y = e.Y1, r = ArcReach(e);
      offView = clearOfView(x - r, y - r, x + r, y + r);
    } else if (e.Kind == kKindText) {
      const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
      const double reach = std::fabs(textHeight(e)) + textMargin;
      offView = clearOfView(std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach,
                            std::max(y1, y2) + reach);
    }
    if (!offView) paintOver(e);
    return true;
  };
  // The element leaves the list: what it leaves behind is its record.
  auto fix = [&](RDrawElement& record) {
    record.Selection = 0;
    if (record.Kind == kKindLine) {
      record.ScratchWord = 0;
      record.ScratchByte = 0;
    } else if (record.Kind == kKindText) {
      const std::uint16_t original = record.TextIndex;
      record.TextIndex = static_cast<std::uint16_t>(original - removed.TakeBelow(original));
    }
  };
  step.TakeEach(pass, choose, fix);
  // The texts that stay, found on the way, take their new indices before
  // the deletion moves them.
  const std::vector<std::uint16_t> deletedStrings = removed.Sorted();
  if (!deletedStrings.empty()) {
    for (const std::int32_t i : keptTexts) {
      RDrawElement& e = store.Elements[static_cast<std::size_t>(i)];
      const std::uint16_t index = e.TextIndex;  // a packed field binds to no reference
      const auto below = std::lower_bound(deletedStrings.begin(), deletedStrings.end(), index);
      e.TextIndex = static_cast<std::uint16_t>(index - (below - deletedStrings.begin()));
    }
  }
  pass.Finish();
  canvas.Pen.Width = 1;
  paintedOver.Repaint(*this);
  if (redraw) {
    DrawGrid();
    store.BuildDisplayLists(ViewWindow.Left, ViewWindow.Bottom, ViewWindow.Right, ViewWindow.Top, Zoom);
  }
}

namespace {

// The foot of (px, py) on the line, kept on the segment.
bool ClampedFoot(const RDrawElement& e, double px, double py, RPoint2D& foot) {
  if (!PerpendicularFoot(foot.x, foot.y, e.X1, e.Y1, e.X2, e.Y2, px, py)) return false;
  const double length = PointDistance(e.X1, e.Y1, e.X2, e.Y2);
  if (PointDistance(e.X1, e.Y1, foot.x, foot.y) > length) {
    foot = {e.X2, e.Y2};
  } else if (PointDistance(e.X2, e.Y2, foot.x, foot.y) > length) {
    foot = {e.X1, e.Y1};
  }
  return true;
}

// The higher of two points: the larger x, on equal x the larger y; the
// second on a tie.
bool FirstIsHigher(const RPoint2D& a, const RPoint2D& b) { return a.x > b.x || (a.x == b.x && a.y > b.y); }

// The arc of the first picked slot cut between the directions of A and B:
// the pieces the arc-cut tool leaves replace it, as one undo step.
void CutArcBetweenPoints(TcadBox& box, std::uint8_t mode, double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *box.Draw1;
  const std::int32_t index = box.PickedIndex[1];
  RDrawElement& arc = store.Elements[static_cast<std::size_t>(index)];
  Tcommand_c cut(mode, x1, y1, x2, y2);
  TUndoStep step(store);
  RPoint2D mark;
  PolarPoint(mark.x, mark.y, DirectionAngleDeg(arc.X1, arc.Y1, x1, y1), arc.Radius, arc.X1, arc.Y1);
  arc.Selection = 0;
  const RDrawElement old = arc;
  cut.SetArc(old.LineType, old.ColorNo, old.Group, old.Layer, old.X1, old.Y1, old.Radius, old.Ratio, old.StartAngle,
             old.EndAngle, old.Rotation);
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Color = box.Color();
  canvas.Pen.Width = 3;
  box.DrawArc(1, canvas, old.X1, old.Y1, old.Radius, old.Ratio, old.StartAngle, old.EndAngle, old.Rotation);
  canvas.Pen.Width = 1;
  // What crossed it is painted again from the drawing.
  box.InvalidateElementArea(old);
  step.Delete(index);
  cut.Run();
  // Each piece shows at once as the redraw draws it.
  for (int i = cut.LastPiece; i >= 0; --i) {
    const RArcPiece& p = cut.Pieces[static_cast<std::size_t>(i)];
    RDrawElement piece = old;
    piece.Kind = kKindArc;
    piece.LineType = p.LineType;
    piece.ColorNo = p.ColorNo;
    piece.Group = p.Group;
    piece.Layer = p.Layer;
    piece.X1 = p.CentreX;
    piece.Y1 = p.CentreY;
    piece.Radius = p.Radius;
    piece.Ratio = p.Ratio;
    piece.StartAngle = p.StartAngle;
    piece.EndAngle = p.EndAngle;
    piece.Rotation = p.Rotation;
    piece.Selection = 0;
    piece.Scratch = 0;
    if (step.AddChecked(piece)) box.DrawAsRedrawn(store.Elements.back());
  }
  // Marked over the pieces, which would cover it where they cross it.
  box.ShowPointMarker(1, mark.x, mark.y);
}

}  // namespace

void TcadBox::CutElementBetweenPoints(std::uint8_t mode, double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *Draw1;
  const std::int32_t index = PickedIndex[1];
  if (index < 0) return;
  auto finish = [&] {
    store.BuildDisplayLists(ViewWindow.Left, ViewWindow.Bottom, ViewWindow.Right, ViewWindow.Top, Zoom);
    PickedIndex[1] = -1000;
  };
  // A slot past the drawing names nothing to cut.
  if (static_cast<std::size_t>(index) >= store.Elements.size()) return finish();
  RDrawElement& picked = store.Elements[static_cast<std::size_t>(index)];
  if (picked.Kind == kKindArc) {
    CutArcBetweenPoints(*this, mode, x1, y1, x2, y2);
    // The slot is reset as after a line: the old index now names another element.
    return finish();
  }
  if (picked.Kind != kKindLine || !Editable(store, picked)) return finish();
  RPoint2D f1, f2;
  if (!ClampedFoot(picked, x1, y1, f1) || !ClampedFoot(picked, x2, y2, f2)) return finish();
  picked.Selection = 0;
  const RDrawElement line = picked;
  const bool axis = AlongAnAxis(line);
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  if (axis) {
    canvas.Pen.Color = Color();
    canvas.Pen.Width = 2;
    DrawLine(1, canvas, line.X1, line.Y1, line.X2, line.Y2);
    canvas.Pen.Width = 1;
  }
  // Painted again from the drawing: what crossed the line is whole.
  InvalidateLineBand(line.X1, line.Y1, line.X2, line.Y2);
  const bool f1Higher = FirstIsHigher(f1, f2);
  const RPoint2D high = f1Higher ? f1 : f2, low = f1Higher ? f2 : f1;
  const RPoint2D first{line.X1, line.Y1}, second{line.X2, line.Y2};
  std::vector<RDrawElement> pieces;
  if (FirstIsHigher(first, second)) {
    KeepPiece(pieces, line, high.x, high.y, first.x, first.y);
    KeepPiece(pieces, line, low.x, low.y, second.x, second.y);
  } else {
    KeepPiece(pieces, line, high.x, high.y, second.x, second.y);
    KeepPiece(pieces, line, first.x, first.y, low.x, low.y);
  }
  TUndoStep step(store);
  step.Delete(index);
  // The pieces of a line along an axis show at once, as the redraw draws them.
  for (const RDrawElement& piece : pieces) {
    if (step.AddChecked(piece) && axis) DrawAsRedrawn(store.Elements.back());
  }
  ShowPointMarker(1, f2.x, f2.y);
  finish();
}

void TcadBox::CopyRangeToBuffer(double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *Draw1;
  const RSelectionFilter& filter = SelectionFilter;
  const double left = std::min(x1, x2), right = std::max(x1, x2);
  const double bottom = std::min(y1, y2), top = std::max(y1, y2);
  auto inside = [&](double x, double y) { return x >= left && x <= right && y >= bottom && y <= top; };
  auto segmentInside = [&](double ax, double ay, double bx, double by) { return inside(ax, ay) && inside(bx, by); };
  for (const RDrawElement& e : store.Elements) {
    if (!Editable(store, e)) continue;
    RDrawElement copy = e;
    switch (e.Kind) {
      case kKindLine: {
        if (!filter.Lines || !MatchesColorTypeFilter(e.ColorNo, e.LineType)) continue;
        double xa = 0, ya = 0, xb = 0, yb = 0;
        if (!ClipSegmentToRect(e.X1, e.Y1, e.X2, e.Y2, left, bottom, right, top, xa, ya, xb, yb)) continue;
        copy.X1 = xa;
        copy.Y1 = ya;
        copy.X2 = xb;
        copy.Y2 = yb;
        break;
      }
      case kKindText: {
        if (!filter.Texts || !segmentInside(e.X1, e.Y1, e.X2, e.Y2)) continue;
        const std::string text = e.TextIndex < store.ElementTexts.size() ? store.ElementTexts[e.TextIndex] : "";
        const std::int32_t index = store.AppendText(store.BufferTexts, text);
        if (index < 0) continue;
        copy.TextIndex = static_cast<std::uint16_t>(index);
        break;
      }
      case kKindArc: {
        if (!filter.Arcs) continue;
        const double r = e.Radius;
        bool taken = segmentInside(e.X1 - r, e.Y1 - r, e.X1 + r, e.Y1 + r);
        if (!taken && (e.StartAngle != 0 || e.EndAngle != 0)) {
          RPoint2D s, f;
          PolarPoint(s.x, s.y, e.StartAngle + e.Rotation, r, e.X1, e.Y1);
          PolarPoint(f.x, f.y, e.EndAngle + e.Rotation, r, e.X1, e.Y1);
          taken = segmentInside(s.x, s.y, f.x, f.y);
        }
        if (!taken) continue;
        break;
      }
      case kKindPoint:
        if (!filter.Points || !inside(e.X1, e.Y1)) continue;
        break;
      default: continue;  // rectangles are never copied
    }
    store.AppendToBuffer(copy, 200);
  }
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = Sentakucol;
  DrawFrameRect(1, 0, x1, y1, x2, y2, 0);
}

namespace {

constexpr std::size_t kRangeHatchLimit = 20000;
constexpr std::size_t kKeptHatchLimit = 8000;

// The range hatch: the pasted figure's lines, placed where the paste puts
// them, clipped to the outline the caller's figure lines give; one step.
template <typename AddFigureLines>
void HatchPastedFigure(TcadBox& box, std::size_t limit, const char* caption, const char* message,
                       const RPastePlacement& placement, AddFigureLines addFigureLines) {
  Tdrawinp& store = *box.Draw1;
  if (placement.ShiftIsNoPoint() || store.Buffer.empty()) return;
  if (store.Buffer.size() >= limit) {
    box.ShowTopMessage(J(caption));
    ShowMessage(J(message));
    return;
  }
  THachiZuobj hatch;
  box.ShowTopMessage(J(" 計算中 "));
  const TBufferTransform t = MakeBufferTransform(placement);
  for (const RDrawElement& original : store.Buffer) {
    if (original.Kind != kKindLine) continue;
    RDrawElement line = original;
    t.PlaceLine(line);
    hatch.AddBoundary(line);
  }
  addFigureLines(hatch);
  hatch.Run(45, 5, 5);
  // The hatch lines show at once, as the redraw draws them.
  box.CommitAndDrawElementArray(hatch.Elements, static_cast<std::int32_t>(hatch.Elements.size()) - 1);
  box.ShowTopMessage(J(" 完  了 "));
}

}  // namespace

void TcadBox::HatchPasteOutline(std::int32_t directionMode, double dx, double dy, double x, double y, double angle,
                                double scaleX, double scaleY) {
  HatchPastedFigure(*this, kRangeHatchLimit, "図形線総数20000本以上は裏消去できません!",
                    "図形線総数20000本以上は範囲ﾊｯﾁは実行できません!",
                    {directionMode, dx, dy, x, y, NormalizeAngle360(angle), AxisAngle, scaleX, scaleY},
                    [&](THachiZuobj& hatch) {
                      const Tdrawinp& store = *Draw1;
                      for (const RDrawElement& e : store.Elements) {
                        if ((e.Kind != kKindLine && e.Kind != kKindArc) || e.Selection == 1 || !Editable(store, e)) {
                          continue;
                        }
                        if (e.LineType != HiddenLineOutlineType || e.ColorNo == 0 || e.ColorNo > 10 ||
                            !SenUrakesicol.test(e.ColorNo)) {
                          continue;
                        }
                        hatch.AddFigureLine(e);
                      }
                    });
}

void TcadBox::HatchPasteOutlineKeptHatch(std::int32_t directionMode, double dx, double dy, double x, double y,
                                         double angle, double scaleX, double scaleY) {
  HatchPastedFigure(*this, kKeptHatchLimit, "図形線総数8000本以上は裏消去できません!",
                    "図形線総数8000本以上は範囲ﾊｯﾁは実行できません!",
                    {directionMode, dx, dy, x, y, NormalizeAngle360(angle), AxisAngle, scaleX, scaleY},
                    [&](THachiZuobj& hatch) {
                      // Only the kept boundary's segments cut; no drawing element takes part.
                      const THachiTenobj* kept = Tool(ToolSlot::HatchObj).Get<THachiTenobj>();
                      if (kept == nullptr) return;
                      const std::vector<ROutlinePoint>& v = kept->Vertices;
                      for (std::size_t i = 0; i + 1 < v.size(); ++i) {
                        if (v[i].PenDown == 0) continue;
                        RDrawElement line = LineElement(v[i].X, v[i].Y, v[i + 1].X, v[i + 1].Y);
                        line.LineType = 1;
                        line.ColorNo = 1;
                        line.Group = WriteGrupe_No;
                        line.Layer = WriteReiya_No;
                        hatch.AddFigureLine(line);
                      }
                    });
  // The held boundary lies over the drawing, as the redraw draws it.
  CommandRegistry().RunPhase("Hachi2tenRedraw", *this);
}
