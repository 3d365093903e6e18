// Middle cut of a line between its nearest crossings; split of the lines
// crossing near a click.

#include "tools/edit/middle_cut.h"

#include "geometry/ellipse_intersections.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"

namespace {

// Above this many offered lines only the later half serve as cutters.
constexpr int kAllCuttersUpTo = 10;
// A crossing this close to an end of the item splits nothing off.
constexpr double kAtEnd = 1e-9;

constexpr std::uint8_t kSplitPassesBox = 0;  // a candidate for the split
constexpr std::uint8_t kSplitKept = 1;
constexpr std::uint8_t kSplitDone = 10;
constexpr std::uint8_t kSplitPiece = 2;

}  // namespace

TSennakanukiobj::TSennakanukiobj(const RDrawElement& Target_, double X, double Y, std::uint8_t Mode_)
    : Target(Target_) {
  if (Mode_ <= 1) {
    P1X = Target.X1;
    P1Y = Target.Y1;
    P2X = Target.X2;
    P2Y = Target.Y2;
    Cut1X = P1X;
    Cut1Y = P1Y;
    Cut2X = P2X;
    Cut2Y = P2Y;
    Valid = PerpendicularFoot(FootX, FootY, P1X, P1Y, P2X, P2Y, X, Y);
    if (Valid) Mode = Mode_;
  } else {
    P1X = X;
    P1Y = Y;
    Mode = Mode_;
    SplitItems.clear();
    LastItem = -1;
  }
}

void TSennakanukiobj::TakeCrossing(int side, double x, double y) {
  double& cx = side == 1 ? Cut1X : Cut2X;
  double& cy = side == 1 ? Cut1Y : Cut2Y;
  ++(side == 1 ? SideCount1 : SideCount2);
  if (PointDistance(FootX, FootY, x, y) < PointDistance(FootX, FootY, cx, cy)) {
    cx = x;
    cy = y;
  }
}

void TSennakanukiobj::AddCutter(const RDrawElement& Element) {
  if (!Valid || Mode > 1) return;
  const RDrawElement& e = Element;
  double x = 0.0, y = 0.0;
  if (e.Kind == kKindLine) {
    // A line counts on one side only.
    if (IntersectSegmentsSlack1e6(x, y, FootX, FootY, P1X, P1Y, e.X1, e.Y1, e.X2, e.Y2)) {
      TakeCrossing(1, x, y);
    } else if (IntersectSegmentsSlack1e6(x, y, FootX, FootY, P2X, P2Y, e.X1, e.Y1, e.X2, e.Y2)) {
      TakeCrossing(2, x, y);
    }
  } else if (e.Kind == kKindArc) {
    // A circle may cross on both sides.
    if (IntersectArcSegment(e.X1, e.Y1, e.Radius, e.StartAngle, e.EndAngle, e.Rotation, e.Ratio, FootX, FootY, P1X, P1Y,
                            x, y)) {
      TakeCrossing(1, x, y);
    }
    if (IntersectArcSegment(e.X1, e.Y1, e.Radius, e.StartAngle, e.EndAngle, e.Rotation, e.Ratio, FootX, FootY, P2X, P2Y,
                            x, y)) {
      TakeCrossing(2, x, y);
    }
  }
}

void TSennakanukiobj::AddResult(double x1, double y1, double x2, double y2) {
  RDrawElement line = Target;
  line.Kind = kKindLine;
  line.X1 = x1;
  line.Y1 = y1;
  line.X2 = x2;
  line.Y2 = y2;
  Results.push_back(line);
}

void TSennakanukiobj::CutMiddle() {
  Results.clear();
  if (!Valid || Mode > 1) return;
  const bool side1 = SideCount1 > 0, side2 = SideCount2 > 0;
  if (Mode == 0) {
    if (!side1 && !side2) {
      AddResult(P1X, P1Y, P2X, P2Y);
    } else if (side1 && side2) {
      AddResult(Cut1X, Cut1Y, Cut2X, Cut2Y);
    } else {
      // The side without a cutter still holds its end point.
      AddResult(Cut2X, Cut2Y, Cut1X, Cut1Y);
    }
    return;
  }
  const double gap1 = PointDistance(P1X, P1Y, Cut1X, Cut1Y);
  const double gap2 = PointDistance(P2X, P2Y, Cut2X, Cut2Y);
  if (side1 && !side2) {
    if (gap1 < 1e-5) {
      AddResult(P1X, P1Y, P2X, P2Y);
    } else {
      AddResult(P1X, P1Y, Cut1X, Cut1Y);
    }
  } else if (side2 && !side1) {
    if (gap2 < 1e-5) {
      AddResult(P2X, P2Y, P1X, P1Y);
    } else {
      AddResult(P2X, P2Y, Cut2X, Cut2Y);
    }
  } else if (side1 && side2) {
    if (gap1 < 1e-6 && gap2 < 1e-6) {
      AddResult(P1X, P1Y, P2X, P2Y);
    } else {
      AddResult(Cut1X, Cut1Y, P1X, P1Y);
      AddResult(Cut2X, Cut2Y, P2X, P2Y);
    }
  }
}

void TSennakanukiobj::AddLine(const RDrawElement& Element) {
  if (Element.Kind != kKindLine) return;
  RDrawElement line = Element;
  const double h = BoxHalfSize;
  line.Selection = SegmentPassesThroughRect(line.X1, line.Y1, line.X2, line.Y2, P1X - h, P1Y - h, P1X + h, P1Y + h)
                       ? kSplitPassesBox
                       : kSplitKept;
  SplitItems.push_back(line);
  LastItem = static_cast<int>(SplitItems.size()) - 1;
}

void TSennakanukiobj::SplitCrossings() {
  Results.clear();
  const int n = LastItem;
  const int lowest = n > kAllCuttersUpTo ? n / 2 - 1 : 0;
  for (int j = 0; j <= n; ++j) {
    RDrawElement& item = SplitItems[j];
    if (item.Selection != kSplitPassesBox) continue;
    for (int k = n; k >= lowest; --k) {
      const RDrawElement& cutter = SplitItems[k];
      if (k == j || cutter.Kind != kKindLine) continue;
      // Only where the two segments really cross, inside the item: a
      // crossing of the extensions would give a piece longer than the item.
      double x = 0.0, y = 0.0;
      if (!IntersectSegments(x, y, item.X1, item.Y1, item.X2, item.Y2, cutter.X1, cutter.Y1, cutter.X2, cutter.Y2)) {
        continue;
      }
      if (PointDistance(x, y, item.X1, item.Y1) <= kAtEnd || PointDistance(x, y, item.X2, item.Y2) <= kAtEnd) {
        continue;
      }
      item.Selection = kSplitDone;
      RDrawElement second = item, first = item;
      second.Selection = kSplitPiece;
      second.X1 = x;
      second.Y1 = y;
      first.Selection = kSplitPiece;
      first.X2 = x;
      first.Y2 = y;
      Results.push_back(second);
      Results.push_back(first);
      break;
    }
  }
  for (int j = 0; j <= n; ++j) {
    const RDrawElement& item = SplitItems[j];
    if (item.Selection != kSplitPassesBox && item.Selection != kSplitKept) continue;
    Results.push_back(item);
    Results.back().Selection = 0;
  }
}
