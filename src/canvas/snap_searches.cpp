// The snap searches of the drawing store: which elements near the cursor
// become candidates of the snap-point finder, and what each search returns.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "canvas/drawing_store.h"
#include "canvas/snap_point_finder.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/offsets_rects.h"
#include "platform/input_polling.h"

namespace {

// The mouse is polled before every this many extra segments or entries.
constexpr std::size_t kPollEvery = 20;
// Curve crossings are searched pairwise, so only this many arcs are offered.
constexpr int kMaxArcs = 8;

// What sets one search apart from the others.
struct SearchRules {
  enum class Texts { None, FrameAndBase, BaseOnly };
  Texts texts = Texts::FrameAndBase;
  bool pollExtras = true;
  bool pollList = true;
  std::uint8_t extraSelection = 0;
};

// The square around the cursor, half its side d.
struct SearchSquare {
  double x1, y1, x2, y2, d;
  bool Touches(double ax, double ay, double bx, double by) const {
    return SegmentTouchesRect(ax, ay, bx, by, x1, y1, x2, y2);
  }
};

bool UsableZoom(double zoom) { return zoom > 0.0 && std::isfinite(zoom); }

SearchSquare SquareAround(double x, double y, double zoom) {
  const double d = zoom < 0.4 ? 2.0 / zoom : 4.0 / zoom;
  return {x - d, y - d, x + d, y + d, d};
}

// A line or point the search makes itself (extra segments, text corners,
// paper sides): group 1, layer 1, colour 1, line type 1, nothing else set.
RDrawElement MadeCandidate(std::uint8_t kind, double x1, double y1, double x2, double y2, std::uint8_t selection = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kind;
  e.LineType = 1;
  e.ColorNo = 1;
  e.Group = 1;
  e.Layer = 1;
  e.Selection = selection;
  e.X1 = x1;
  e.Y1 = y1;
  if (kind == kKindLine) {
    e.X2 = x2;
    e.Y2 = y2;
  }
  return e;
}

// Each gatherer returns false when both mouse buttons stopped the search.
bool GatherExtras(std::span<const RDrawElement> extra, const SearchSquare& s, const SearchRules& rules,
                  THitzakei& finder, int& n) {
  for (std::size_t k = 0; k < extra.size(); ++k) {
    if (rules.pollExtras && (k + 1) % kPollEvery == 0 && BothMouseButtonsHeld()) return false;
    const RDrawElement& e = extra[k];
    if (!s.Touches(e.X1, e.Y1, e.X2, e.Y2)) continue;
    finder.AddCandidate(MadeCandidate(kKindLine, e.X1, e.Y1, e.X2, e.Y2, rules.extraSelection));
    ++n;
  }
  return true;
}

// Every display-list entry near the cursor is a candidate, wherever it
// stands in the list: the index offers them in list order, and the mouse is
// polled where a walk of the whole list would poll (one poll standing for
// all those between two entries offered).
bool GatherDisplayList(const Tdrawinp& store, double x, double y, const SearchSquare& s, const SearchRules& rules,
                       THitzakei& finder, int& n) {
  std::vector<std::uint32_t> near;
  // Arcs count within 2d of the cursor, everything else within d.
  store.ListedNear(s.x1, s.y1, s.x2, s.y2, near, s.d);
  std::size_t next = 0;  // the entries before this one have been passed
  auto aborted = [&](std::size_t upTo) {
    const bool due = rules.pollList && upTo / kPollEvery > next / kPollEvery;
    return due && BothMouseButtonsHeld();
  };
  int arcs = 0;
  for (const std::uint32_t position : near) {
    if (aborted(position + 1)) return false;
    next = position + 1;
    const RDrawElement* found = store.EntryElement(store.DisplayList[position]);
    if (found == nullptr) continue;
    const RDrawElement& e = *found;
    if (store.LayerState(e.Group, e.Layer) == kLayerHidden) continue;
    switch (e.Kind) {
      case kKindLine:
        if (s.Touches(e.X1, e.Y1, e.X2, e.Y2)) {
          finder.AddCandidate(e);
          ++n;
        }
        break;
      case kKindRect:
        // Its corners and the crossings of its sides, as four lines give them.
        for (const RDrawElement& side : RectangleSides(e)) {
          if (!s.Touches(side.X1, side.Y1, side.X2, side.Y2)) continue;
          finder.AddCandidate(side);
          ++n;
        }
        break;
      case kKindText: {
        if (rules.texts == SearchRules::Texts::None) break;
        if (rules.texts == SearchRules::Texts::FrameAndBase) {
          std::array<RPoint2D, 2> c;
          store.TextFrameCorners(e.TextStyle, c, e.X1, e.Y1, e.X2, e.Y2);
          if (s.Touches(c[0].x, c[0].y, c[1].x, c[1].y)) {
            finder.AddCandidate(MadeCandidate(kKindPoint, c[0].x, c[0].y, 0, 0));
            finder.AddCandidate(MadeCandidate(kKindPoint, c[1].x, c[1].y, 0, 0));
            ++n;
          }
        }
        if (s.Touches(e.X1, e.Y1, e.X2, e.Y2)) {
          finder.AddCandidate(MadeCandidate(kKindPoint, e.X1, e.Y1, 0, 0));
          finder.AddCandidate(MadeCandidate(kKindPoint, e.X2, e.Y2, 0, 0));
          ++n;
        }
        break;
      }
      case kKindPoint:
        if (PointInRect(e.X1, e.Y1, s.x1, s.y1, s.x2, s.y2)) {
          finder.AddCandidate(e);
          ++n;
        }
        break;
      case kKindArc:
        if (arcs < kMaxArcs &&
            PointOnArc(e.X1, e.Y1, e.Radius, e.StartAngle, e.EndAngle, e.Rotation, e.Ratio, x, y, 2.0 * s.d)) {
          finder.AddCandidate(e);
          ++arcs;
          ++n;
        }
        break;
      default: break;
    }
  }
  return !aborted(store.DisplayList.size());
}

void GatherPaperFrame(const Tdrawinp& store, const SearchSquare& s, THitzakei& finder, int& n) {
  const double w = store.PaperWidth;
  const double h = store.PaperHeight;
  const double sides[4][4] = {{0, 0, w, 0}, {0, h, w, h}, {0, 0, 0, h}, {w, 0, w, h}};
  for (const auto& side : sides) {
    if (!s.Touches(side[0], side[1], side[2], side[3])) continue;
    finder.AddCandidate(MadeCandidate(kKindLine, side[0], side[1], side[2], side[3]));
    ++n;
  }
}

// The plain search and the one without texts.
bool SearchPoint(const Tdrawinp& store, double& x, double& y, double zoom, std::uint8_t mode,
                 std::span<const RDrawElement> extra, const SearchRules& rules) {
  if (!UsableZoom(zoom)) return false;
  const SearchSquare s = SquareAround(x, y, zoom);
  THitzakei finder(mode, x, y, s.d);
  int n = 0;
  if (!GatherExtras(extra, s, rules, finder, n)) return false;
  if (!GatherDisplayList(store, x, y, s, rules, finder, n)) return false;
  GatherPaperFrame(store, s, finder, n);
  if (n == 0) return false;
  finder.Execute(zoom);
  if (!finder.SnapFound) return false;
  x = finder.ResultX;
  y = finder.ResultY;
  return true;
}

// 1 a snap point, 2 the fallback point, 0 nothing.
std::uint8_t ReferenceResult(const THitzakei& finder) {
  if (finder.SnapFound) return 1;
  if (finder.FootFound) return 2;
  return 0;
}

}  // namespace

void Tdrawinp::SetPaperSize(double width, double height) {
  PaperWidth = width;
  PaperHeight = height;
}

void Tdrawinp::TextFrameCorners(std::uint8_t style, std::array<RPoint2D, 2>& corners, double x1, double y1, double x2,
                                double y2) const {
  const RTextStyle& textStyle = TextStyles[style < kTextStyleCount ? style : 0];
  const double h = textStyle.Height * 0.1;
  const double angle = DirectionAngleDeg(x1, y1, x2, y2);
  const double length = PointDistance(x1, y1, x2, y2);
  corners[0] = RotateAboutCentreExact(angle, x1, y1, x1, y1 + h);
  corners[1] = RotateAboutCentreExact(angle, x1, y1, x1 + length, y1 + h);
}

bool Tdrawinp::SnapPoint(double& x, double& y, double zoom, std::uint8_t mode,
                         std::span<const RDrawElement> extra) const {
  return SearchPoint(*this, x, y, zoom, mode, extra, SearchRules{});
}

bool Tdrawinp::SnapPointNoText(double& x, double& y, double zoom, std::uint8_t mode,
                               std::span<const RDrawElement> extra) const {
  SearchRules rules;
  rules.texts = SearchRules::Texts::None;
  return SearchPoint(*this, x, y, zoom, mode, extra, rules);
}

namespace {

// The two reference searches: the candidates around the cursor, the finder
// told the reference line from (refX, refY) to (x, y); 1 a snap point, 2 the
// fallback on the reference line, written into (x, y).
std::uint8_t ReferenceSearch(const Tdrawinp& store, double& x, double& y, double refX, double refY, double cursorX,
                             double cursorY, double zoom, std::uint8_t mode, std::span<const RDrawElement> extra,
                             std::uint8_t footMode, bool* isCentre, RDrawElement* centreElement) {
  if (!UsableZoom(zoom)) return 0;
  const SearchSquare s = SquareAround(cursorX, cursorY, zoom);
  THitzakei finder(mode, cursorX, cursorY, s.d);
  finder.SetReferenceLine(footMode, refX, refY, x, y);
  SearchRules rules;
  rules.extraSelection = kSnapNoFoot;
  int n = 0;
  if (!GatherExtras(extra, s, rules, finder, n)) return 0;
  if (!GatherDisplayList(store, cursorX, cursorY, s, rules, finder, n)) return 0;
  GatherPaperFrame(store, s, finder, n);
  if (n == 0) return 0;
  finder.Execute(zoom);
  if (isCentre) {
    *isCentre = finder.CentreFound;
    if (finder.CentreFound) *centreElement = finder.CentreElement;
  }
  const std::uint8_t result = ReferenceResult(finder);
  if (result != 0) {
    x = finder.ResultX;
    y = finder.ResultY;
  }
  return result;
}

}  // namespace

std::uint8_t Tdrawinp::SnapPointRef(double& x, double& y, double refX, double refY, double zoom, std::uint8_t mode,
                                    std::span<const RDrawElement> extra, std::uint8_t footMode, bool& isCentre,
                                    RDrawElement& centreElement) const {
  isCentre = false;
  return ReferenceSearch(*this, x, y, refX, refY, x, y, zoom, mode, extra, footMode, &isCentre, &centreElement);
}

std::uint8_t Tdrawinp::SnapPointRefFrom(double& x, double& y, double refX, double refY, double cursorX, double cursorY,
                                        double zoom, std::uint8_t mode, std::span<const RDrawElement> extra,
                                        std::uint8_t footMode) const {
  return ReferenceSearch(*this, x, y, refX, refY, cursorX, cursorY, zoom, mode, extra, footMode, nullptr, nullptr);
}

bool Tdrawinp::SnapPointWithLines(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1,
                                  double by1, double bx2, double by2, std::span<const RDrawElement> extra,
                                  std::uint8_t mode, double zoom) const {
  if (!UsableZoom(zoom)) return false;
  const SearchSquare s = SquareAround(x, y, zoom);
  THitzakei finder(mode, x, y, s.d);
  SearchRules rules;
  rules.texts = SearchRules::Texts::None;
  rules.pollExtras = false;
  int n = 0;
  GatherExtras(extra, s, rules, finder, n);
  if (!GatherDisplayList(*this, x, y, s, rules, finder, n)) return false;
  if (s.Touches(ax1, ay1, ax2, ay2)) {
    finder.AddCandidate(MadeCandidate(kKindLine, ax1, ay1, ax2, ay2));
    ++n;
  }
  if (s.Touches(bx1, by1, bx2, by2)) {
    finder.AddCandidate(MadeCandidate(kKindLine, bx1, by1, bx2, by2));
    ++n;
  }
  if (n == 0) return false;
  finder.Execute(zoom);
  if (!finder.SnapFound) return false;
  x = finder.ResultX;
  y = finder.ResultY;
  return true;
}

bool Tdrawinp::SnapPointWithCircles(double& x, double& y, double acx, double acy, double ar, double bcx, double bcy,
                                    double br, std::span<const RDrawElement> extra, std::uint8_t mode,
                                    double zoom) const {
  if (!UsableZoom(zoom)) return false;
  const SearchSquare s = SquareAround(x, y, zoom);
  THitzakei finder(mode, x, y, s.d);
  SearchRules rules;
  rules.texts = SearchRules::Texts::BaseOnly;
  rules.pollExtras = false;
  rules.pollList = false;
  int n = 0;
  GatherExtras(extra, s, rules, finder, n);
  GatherDisplayList(*this, x, y, s, rules, finder, n);
  auto wholeCircle = [](double cx, double cy, double r) {
    RDrawElement e = MadeCandidate(kKindArc, cx, cy, 0, 0);
    e.Radius = r;
    e.Ratio = 1.0f;
    e.StartAngle = 0.0f;
    e.EndAngle = 0.0f;
    e.Rotation = 0.0f;
    return e;
  };
  if (PointOnArc(acx, acy, ar, 0, 0, 0, 1, x, y, s.d)) {
    finder.AddCandidate(wholeCircle(acx, acy, ar));
    ++n;
  }
  if (PointOnArc(bcx, bcy, br, 0, 0, 0, 1, x, y, 2.0 * s.d)) {
    finder.AddCandidate(wholeCircle(bcx, bcy, br));
    ++n;
  }
  if (n == 0) return false;
  finder.Execute(zoom);
  if (!finder.SnapFound) return false;
  x = finder.ResultX;
  y = finder.ResultY;
  return true;
}
