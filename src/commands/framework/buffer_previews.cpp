// The copy buffer shown where the paste will put it: the rubber preview at
// the cursor, its exact erase, and the placed figure. All three place the
// elements through the paste's own transform.

#include <algorithm>
#include <cmath>

#include "canvas/buffer_transform.h"
#include "canvas/cad_box.h"
#include "geometry/angles_points.h"
#include "geometry/ellipse_intersections.h"
#include "platform/input_polling.h"

namespace {

// How one pass draws: the pen mode, the text colour mode, whether the
// elements take the selection look and whether line type 9 is left out.
struct RBufferPass {
  TPenMode Mode = pmXor;
  std::uint8_t TextMode = 10;
  bool SelectedLook = false;
  bool SkipType9 = false;
};

class BufferDrawer {
 public:
  BufferDrawer(TcadBox& box, const TBufferTransform& t, const RBufferPass& pass)
      : box_(box), t_(t), pass_(pass), canvas_(box.Canvas()) {}

  void Draw(const RDrawElement& e) {
    switch (e.Kind) {
      case kKindLine: DrawLineElement(e); break;
      case kKindRect: DrawRectElement(e); break;
      case kKindPoint: DrawPointElement(e); break;
      case kKindText: DrawTextElement(e); break;
      case kKindArc: DrawArcElement(e); break;
      default: break;
    }
    canvas_.Pen.Mode = pmCopy;
  }

 private:
  TcadBox& box_;
  const TBufferTransform& t_;
  RBufferPass pass_;
  TCanvas& canvas_;

  void SetPen(const RDrawElement& e, bool widthToo) {
    const std::uint8_t lineType = e.LineType < kLineTypeCount ? e.LineType : 0;
    canvas_.Pen.Style = box_.PenStyles[lineType];
    canvas_.Pen.Mode = pass_.Mode;
    canvas_.Pen.Color = pass_.SelectedLook
                            ? box_.Sentakucol
                            : box_.PrepareXorColor(box_.ColourTable[e.ColorNo < kColourTableSize ? e.ColorNo : 0]);
    if (widthToo) canvas_.Pen.Width = 1;
  }

  void DrawLineElement(const RDrawElement& e) {
    if (pass_.SkipType9 && e.LineType == 9) return;
    if (LineIsSmall(e, box_.Zoom)) return;
    if (e.Scratch != 0 && e.Scratch != 1 && e.Scratch != 2 && e.Scratch != 3) return;
    RDrawElement placed = e;
    t_.PlaceLine(placed);
    // A stretched line shows dashed from the end that stays.
    const std::uint8_t lineType = (e.Scratch == 1 || e.Scratch == 2) ? 3 : e.LineType;
    SetPen(e, true);
    box_.DrawLine(lineType, canvas_, placed.X1, placed.Y1, placed.X2, placed.Y2);
  }

  void DrawRectElement(const RDrawElement& e) {
    SetPen(e, true);
    box_.DrawRect(e.X1 + t_.ox, e.Y1 + t_.oy, e.X2 + t_.ox, e.Y2 + t_.oy);
  }

  void DrawPointElement(const RDrawElement& e) {
    if (box_.Zoom < 0.2) return;
    SetPen(e, false);
    const RPoint2D p = t_.Apply(e.X1, e.Y1);
    box_.DrawPointMark(pass_.SelectedLook ? 100 : e.ColorNo, canvas_, p.x, p.y);
  }

  void DrawTextElement(const RDrawElement& e) {
    RDrawElement placed = e;
    t_.PlaceText(placed);
    canvas_.Pen.Style = psSolid;
    canvas_.Pen.Width = 1;
    canvas_.Pen.Mode = pass_.Mode;
    const std::uint8_t current = box_.Mozi_No;
    box_.Mozi_No = e.TextStyle;
    box_.DrawBufferText(e.TextIndex, e.TextDirection, canvas_, pass_.SelectedLook ? 2 : pass_.TextMode, placed.X1,
                        placed.Y1, placed.X2, placed.Y2, placed.TextAngle);
    box_.Mozi_No = current;
  }

  void DrawArcElement(const RDrawElement& e) {
    if (pass_.SkipType9 && e.LineType == 9) return;
    const RViewRect& v = box_.ViewWindow;
    if (box_.Zoom < 0.76 && e.Radius * box_.Zoom < 0.2 &&
        EllipseTouchesRect(e.X1, e.Y1, e.Radius, e.Ratio, e.Rotation, 0.0, 0.0, v.Left, v.Bottom, v.Right, v.Top, 0.0,
                           0.0)) {
      return;
    }
    RDrawElement placed = e;
    t_.PlaceArc(placed);
    SetPen(e, true);
    box_.DrawArc(e.LineType, canvas_, placed.X1, placed.Y1, placed.Radius, placed.Ratio, placed.StartAngle,
                 placed.EndAngle, placed.Rotation);
  }
};

// The cursor in screen pixels; an unknown position never reads as moved.
struct RCursorWatch {
  bool known = false;
  int x = 0, y = 0;

  void Start() { known = CurrentInputPolling().CursorPos(x, y); }
  bool Moved() const {
    if (!known) return false;
    int nx = 0, ny = 0;
    if (!CurrentInputPolling().CursorPos(nx, ny)) return false;
    return nx != x || ny != y;
  }
};

}  // namespace

void TcadBox::DrawBufferPreview(std::int32_t directionMode, std::uint8_t textMode, double dx, double dy, double x,
                                double y, double angle, double scaleX, double scaleY) {
  const RPastePlacement placement{directionMode, dx, dy, x, y, NormalizeAngle360(angle), AxisAngle, scaleX, scaleY};
  if (placement.PlacesNothing()) return;
  PreviewAxisAngle = AxisAngle;
  const TBufferTransform t = MakeBufferTransform(placement, FirstPoint);
  RCursorWatch cursor;
  cursor.Start();
  BufferDrawer drawer(*this, t, {.Mode = pmXor, .TextMode = textMode});
  const std::vector<RDrawElement>& buffer = Draw1->Buffer;
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    const auto index = static_cast<std::int32_t>(i);
    PreviewLastIndex = index;
    // A large buffer must not hold up the mouse: a move ends the preview.
    if (i % 2 == 1 && cursor.Moved()) {
      PreviewLastIndex = index - 1;
      break;
    }
    drawer.Draw(buffer[i]);
  }
  Canvas().Pen.Mode = pmCopy;
}

void TcadBox::EraseBufferPreview(std::int32_t directionMode, std::uint8_t textMode, double dx, double dy, double x,
                                 double y, double angle, double scaleX, double scaleY) {
  const RPastePlacement placement{directionMode,    dx,     dy,    x, y, NormalizeAngle360(angle),
                                  PreviewAxisAngle, scaleX, scaleY};
  if (placement.PlacesNothing()) return;
  const std::vector<RDrawElement>& buffer = Draw1->Buffer;
  if (buffer.empty()) {
    PreviewLastIndex = 0;
    return;
  }
  const TBufferTransform t = MakeBufferTransform(placement, FirstPoint);
  BufferDrawer drawer(*this, t, {.Mode = pmXor, .TextMode = textMode});
  // The buffer may have shrunk since the preview: never read past its end.
  const std::int32_t last = std::min<std::int32_t>(PreviewLastIndex, static_cast<std::int32_t>(buffer.size()) - 1);
  for (std::int32_t i = 0; i <= last; ++i) drawer.Draw(buffer[static_cast<std::size_t>(i)]);
  Canvas().Pen.Mode = pmCopy;
}

void TcadBox::DrawBufferPlaced(std::int32_t directionMode, std::uint8_t textMode, double dx, double dy, double x,
                               double y, double angle, double scaleX, double scaleY, bool skipType9) {
  const RPastePlacement placement{directionMode, dx, dy, x, y, NormalizeAngle360(angle), AxisAngle, scaleX, scaleY};
  if (placement.PlacesNothing()) return;
  const TBufferTransform t = MakeBufferTransform(placement);
  BufferDrawer drawer(*this, t,
                      {.Mode = pmCopy, .TextMode = textMode, .SelectedLook = textMode == 1, .SkipType9 = skipType9});
  const std::vector<RDrawElement>& buffer = Draw1->Buffer;
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    PreviewLastIndex = static_cast<std::int32_t>(i);
    drawer.Draw(buffer[i]);
  }
  Canvas().Pen.Mode = pmCopy;
}
