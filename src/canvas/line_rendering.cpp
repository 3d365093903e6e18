// Straight lines with CAD line types: solid, or dash patterns whose lengths
// are screen pixels, so a dashed line looks the same at every zoom. The
// same patterns drive the per-pixel walk of curve chords.

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/cad_box.h"
#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"
#include "platform/pixel_raster.h"

namespace {

constexpr int kMaxPatternPeriods = 4000;
// Lines are cut to the canvas widened by this many pixels, so their cut
// ends never show.
constexpr double kClipMargin = 8.0;

int Pixel(double v) { return static_cast<int>(std::nearbyint(v)); }

bool IsDashed(std::uint8_t lineType) { return lineType >= 2 && lineType <= 9; }

struct Piece {
  double length;
  bool drawn;
  bool afterDash;  // a gap that follows the dash
};

// The pieces of one period of a dashed line type, in drawing order.
std::vector<Piece> PeriodOf(const RPatternState& p) {
  std::vector<Piece> pieces = {{double(p.Dash), true, false}, {double(p.Gap), false, true}};
  if (p.LineType >= 5 && p.LineType <= 8) {
    pieces.push_back({double(p.Dot), true, false});
    pieces.push_back({double(p.Gap), false, false});
  }
  if (p.LineType == 7 || p.LineType == 8) {
    pieces.push_back({double(p.SecondDot), true, false});
    pieces.push_back({double(p.Gap), false, false});
  }
  return pieces;
}

// Whether a segment that ends inside a gap marks its end pixel.
bool MarksEndInGap(std::uint8_t lineType, bool gapAfterDash) {
  switch (lineType) {
    case 4:
    case 7:
    case 8: return true;
    case 5:
    case 6: return gapAfterDash;
    default: return false;
  }
}

}  // namespace

void TcadBox::DrawRawLine(TCanvas& canvas, double x1, double y1, double x2, double y2) {
  canvas.MoveTo(WorldToScreenX(x1), WorldToScreenY(y1));
  canvas.LineTo(WorldToScreenX(x2), WorldToScreenY(y2));
}

void TcadBox::DrawLine(std::uint8_t lineType, TCanvas& canvas, double x1, double y1, double x2, double y2) {
  const RViewRect& v = ViewWindow;
  if (!SegmentTouchesRect(x1, y1, x2, y2, v.Left, v.Bottom, v.Right, v.Top)) return;
  DrawLineUnculled(lineType, canvas, x1, y1, x2, y2);
}

// Converted in double precision and cut to the canvas before any pixel is
// rounded, so far ends neither overflow nor bend the line, and a dashed line
// keeps the phase its pattern has at the visible part.
void TcadBox::DrawLineUnculled(std::uint8_t lineType, TCanvas& canvas, double x1, double y1, double x2, double y2) {
  const double scale = PixelsPerUnit();
  const double px1 = std::nearbyint(scale * (x1 - ViewWindow.Left));
  const double py1 = std::nearbyint(Height() - scale * (y1 - ViewWindow.Bottom));
  const double px2 = std::nearbyint(scale * (x2 - ViewWindow.Left));
  const double py2 = std::nearbyint(Height() - scale * (y2 - ViewWindow.Bottom));
  if (!IsDashed(lineType)) {
    // Most lines of a redraw lie wholly on the canvas and need no cutting.
    const double w = canvas.Width(), h = canvas.Height();
    if (px1 >= 0 && px1 < w && px2 >= 0 && px2 < w && py1 >= 0 && py1 < h && py2 >= 0 && py2 < h) {
      canvas.MoveTo(static_cast<int>(px1), static_cast<int>(py1));
      canvas.LineTo(static_cast<int>(px2), static_cast<int>(py2));
      return;
    }
    double t0 = 0, t1 = 1;
    if (!RasterClipFractions(px1, py1, px2, py2, -kClipMargin, -kClipMargin, canvas.Width() + kClipMargin,
                             canvas.Height() + kClipMargin, t0, t1)) {
      return;
    }
    canvas.MoveTo(Pixel(px1 + (px2 - px1) * t0), Pixel(py1 + (py2 - py1) * t0));
    canvas.LineTo(Pixel(px1 + (px2 - px1) * t1), Pixel(py1 + (py2 - py1) * t1));
    return;
  }
  DrawPatternRun(px1, py1, px2, py2, 0.0, lineType, canvas);
}

void TcadBox::DrawLineOwnCanvas(std::uint8_t lineType, double x1, double y1, double x2, double y2) {
  DrawLine(lineType, Canvas(), x1, y1, x2, y2);
}

void TcadBox::DrawPatternLine(int x1, int y1, int x2, int y2, std::uint8_t lineType, TCanvas& canvas) {
  if (!IsDashed(lineType)) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
    return;
  }
  DrawPatternRun(x1, y1, x2, y2, 0.0, lineType, canvas);
}

void TcadBox::StepPatternLine(int x1, int y1, int x2, int y2, std::uint8_t lineType, TCanvas& canvas) {
  DrawPatternRun(x1, y1, x2, y2, 0.0, lineType, canvas);
}

// The dash stepping. The part of the segment outside the canvas is skipped
// by advancing the pattern's phase, so the dashes of the visible part lie
// where they would lie on the whole segment and the period limit counts
// visible periods only.
void TcadBox::DrawPatternRun(double fx, double fy, double tx, double ty, double phase, std::uint8_t lineType,
                             TCanvas& canvas) {
  const RLinePattern& row = LineTypePatterns[lineType];
  PatternState = {};
  PatternState.LineType = lineType;
  PatternState.Dash = static_cast<std::uint8_t>(row.Dash);
  PatternState.Gap = static_cast<std::uint8_t>(row.Gap);
  if (lineType >= 5 && lineType <= 8) PatternState.Dot = static_cast<std::uint8_t>(row.Dot);
  if (lineType == 7 || lineType == 8) PatternState.SecondDot = static_cast<std::uint8_t>(row.Dot);

  const double total = PointDistance(fx, fy, tx, ty);
  if (total <= 0.001) return;
  const double ux = (tx - fx) / total, uy = (ty - fy) / total;

  double t0 = 0, t1 = 1;
  if (!RasterClipFractions(fx, fy, tx, ty, -kClipMargin, -kClipMargin, canvas.Width() + kClipMargin,
                           canvas.Height() + kClipMargin, t0, t1)) {
    return;
  }
  const std::vector<Piece> period = PeriodOf(PatternState);
  double periodLength = 0;
  for (const Piece& p : period) periodLength += p.length;
  const double skipped = t0 * total + phase;
  const double start = t0 * total;   // where the visible part begins
  const double end = t1 * total;     // where the visible part ends
  const bool endIsReal = t1 >= 1.0;  // the segment's own end lies on the canvas
  // Along-line position of the period in which the visible part begins.
  double pos = start - std::fmod(skipped, periodLength);

  auto at = [&](double s, int& x, int& y) {
    x = Pixel(fx + ux * s);
    y = Pixel(fy + uy * s);
  };
  int x = 0, y = 0;
  at(start, x, y);
  canvas.MoveTo(x, y);
  for (int periods = 0; periods < kMaxPatternPeriods; ++periods) {
    if (BothButtonsDown()) return;
    for (const Piece& piece : period) {
      const double pieceEnd = pos + piece.length;
      pos = pieceEnd;
      if (pieceEnd <= start) continue;  // before the visible part
      if (pieceEnd >= end) {
        if (piece.drawn) {
          at(end, x, y);
          canvas.LineTo(x, y);
        } else if (endIsReal && MarksEndInGap(lineType, piece.afterDash)) {
          at(end, x, y);
          canvas.Pixels(x, y) = canvas.Pen.Color;
        }
        return;
      }
      at(pieceEnd, x, y);
      if (piece.drawn) {
        canvas.LineTo(x, y);
      } else {
        canvas.MoveTo(x, y);
      }
    }
  }
}

void TcadBox::WalkPatternPixels(int x1, int y1, int x2, int y2, TCanvas& canvas) {
  const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
  const int sx = x2 >= x1 ? 1 : -1, sy = y2 >= y1 ? 1 : -1;
  int x = x1, y = y1;
  if (dx > dy) {
    int error = dx / 2;
    for (int i = 0; i <= dx; ++i) {
      PatternPixel(x, y, x1, y1, x2, y2, canvas);
      x += sx;
      error -= dy;
      if (error < 0) {
        error += dx;
        y += sy;
      }
    }
  } else {
    int error = dy / 2;
    for (int i = 0; i <= dy; ++i) {
      PatternPixel(x, y, x1, y1, x2, y2, canvas);
      y += sy;
      error -= dx;
      if (error < 0) {
        error += dy;
        x += sx;
      }
    }
  }
}

void TcadBox::PatternPixel(int x, int y, int x1, int y1, int x2, int y2, TCanvas& canvas) {
  RPatternState& p = PatternState;
  ++p.Counter;
  const int c = p.Counter;
  const int D = p.Dash, G = p.Gap, T = p.Dot;
  const bool near =
      (std::abs(x - x1) <= 1 && std::abs(y - y1) <= 1) || (std::abs(x - x2) <= 1 && std::abs(y - y2) <= 1);
  switch (p.LineType) {
    case 2:
    case 3:
    case 4:
    case 9:
      if (c == 1) {
        canvas.MoveTo(x, y);
      } else if (c == D) {
        canvas.LineTo(x, y);
      } else if (c == D + G) {
        p.Counter = 0;
      } else if (p.LineType != 9 && c >= 2 && c <= D - 1 && near) {
        canvas.LineTo(x, y);
      }
      break;
    case 5:
    case 6:
      if (c == 1 || c == D + G) {
        canvas.MoveTo(x, y);
      } else if (c == D || c == D + G + T) {
        canvas.LineTo(x, y);
      } else if (c == D + 2 * G + T) {
        p.Counter = 0;
      } else if (((c >= 2 && c <= D - 1) || (c >= D + G + 1 && c <= D + G + T - 1)) && near) {
        canvas.LineTo(x, y);
      }
      break;
    case 7:
    case 8:
      if (c == 1 || c == D + G || c == D + 2 * G + T) {
        canvas.MoveTo(x, y);
      } else if (c == D || c == D + G + T || c == D + 2 * G + 2 * T) {
        canvas.LineTo(x, y);
      } else if (c == D + 3 * G + 2 * T) {
        p.Counter = 0;
      } else if (((c >= 2 && c <= D - 1) || (c >= D + G + 1 && c <= D + G + T - 1) ||
                  (c >= D + 2 * G + T + 1 && c <= D + 2 * G + 2 * T - 1)) &&
                 near) {
        canvas.LineTo(x, y);
      }
      break;
    default: break;
  }
}
