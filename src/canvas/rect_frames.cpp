// Rectangles and frames drawn side by side with the line operations: a
// rectangle turned about its first corner, one whose sides follow an angle,
// and the paper and print frames with their tiles.

#include <cmath>

#include "canvas/cad_box.h"
#include "geometry/intersections.h"

void TcadBox::DrawRotatedRect(TCanvas& canvas, double x1, double y1, double x2, double y2, double angle) {
  const RPoint2D a = RotateAboutCentreExact(angle, x1, y1, x2, y1);
  const RPoint2D b = RotateAboutCentreExact(angle, x1, y1, x1, y2);
  const RPoint2D e = RotateAboutCentreExact(angle, x1, y1, x2, y2);
  const bool flatX = std::abs(x2 - x1) < 1e-6, flatY = std::abs(y2 - y1) < 1e-6;
  if (flatX && flatY) return;
  if (flatX) {
    DrawLine(Pentyp, canvas, x1, y1, b.x, b.y);
    return;
  }
  if (flatY) {
    DrawLine(Pentyp, canvas, x1, y1, a.x, a.y);
    return;
  }
  DrawLine(Pentyp, canvas, x1, y1, a.x, a.y);
  DrawLine(Pentyp, canvas, b.x, b.y, e.x, e.y);
  DrawLine(Pentyp, canvas, x1, y1, b.x, b.y);
  DrawLine(Pentyp, canvas, a.x, a.y, e.x, e.y);
}

void TcadBox::DrawAlignedRect(TCanvas& canvas, double x1, double y1, double x2, double y2, double angle) {
  RPoint2D k1, k2;
  if (!AlignedRectCorners(x1, y1, x2, y2, angle, k1, k2)) return;
  DrawLine(Pentyp, canvas, x1, y1, k1.x, k1.y);
  DrawLine(Pentyp, canvas, k1.x, k1.y, x2, y2);
  DrawLine(Pentyp, canvas, x1, y1, k2.x, k2.y);
  DrawLine(Pentyp, canvas, k2.x, k2.y, x2, y2);
}

void TcadBox::DrawFrameRect(std::uint8_t lineType, std::uint8_t withTiles, double x1, double y1, double x2, double y2,
                            double angle) {
  RPoint2D k1, k2;
  if (!AlignedRectCorners(x1, y1, x2, y2, angle, k1, k2)) return;
  TCanvas& canvas = Canvas();
  auto sides = [&](double dx, double dy) {
    DrawLine(lineType, canvas, x1 + dx, y1 + dy, k1.x + dx, k1.y + dy);
    DrawLine(lineType, canvas, k1.x + dx, k1.y + dy, x2 + dx, y2 + dy);
    DrawLine(lineType, canvas, x1 + dx, y1 + dy, k2.x + dx, k2.y + dy);
    DrawLine(lineType, canvas, k2.x + dx, k2.y + dy, x2 + dx, y2 + dy);
  };
  sides(0, 0);
  if (withTiles != 1 || (print_htyp != 1 && print_htyp != 2)) return;
  // Tiles lie side by side along the frame and across it, apart by the tile shifts.
  const RPoint2D t1 = RotateAboutCentreExact(angle, 0, 0, paki_x, 0);
  const RPoint2D t2 = RotateAboutCentreExact(angle, 0, 0, 0, paki_y);
  const RPoint2D t3 = RotateAboutCentreExact(angle, 0, 0, paki_x, paki_y);
  sides(k1.x - x1 + t1.x, k1.y - y1 + t1.y);
  if (print_htyp == 2) {
    sides(k2.x - x1 + t2.x, k2.y - y1 + t2.y);
    sides(x2 - x1 + t3.x, y2 - y1 + t3.y);
  }
}
