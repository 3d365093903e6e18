// Circles, arcs and ellipses on the control's image: chord counts by size,
// the platform ellipse for solid full circles of middle size, arc ends,
// dashes running on across chords, huge circles cut to the view.

#include <cmath>
#include <numbers>
#include <vector>

#include "canvas_fixture.h"
#include "pixel_view.h"

namespace {

constexpr double kCxCurves = 320.3;
constexpr double kCyCurves = 240.3;

class CurveTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    SetPixelView(*box, 1.0);
    Clear(canvas());
  }
  static void Clear(TCanvas& c) {
    c.Brush.Color = clBlack;
    c.Brush.Style = bsSolid;
    c.FillRect(TRect{0, 0, c.Width(), c.Height()});
    c.Pen.Color = clWhite;
    c.Pen.Mode = pmCopy;
    c.Pen.Width = 1;
    c.Pen.Style = psSolid;
    c.Brush.Style = bsClear;
  }
  // The n + 1 chord points of an ellipse worked out here, at one pixel per unit.
  std::vector<TPoint> Chords(int n, double r, double q, double s = 0, double sweep = 360) {
    std::vector<TPoint> points;
    for (int i = 0; i <= n; ++i) {
      const double t = (s + i * sweep / n) * std::numbers::pi / 180;
      points.push_back({PixelX(kCxCurves + r * std::cos(t)), PixelY(*box, kCyCurves + r * q * std::sin(t))});
    }
    return points;
  }
  int Differences(TCanvas& expected) {
    int count = 0;
    for (int y = 0; y < canvas().Height(); ++y) {
      for (int x = 0; x < canvas().Width(); ++x) count += canvas().GetPixel(x, y) != expected.GetPixel(x, y);
    }
    return count;
  }
  // The colour shows at the pixel or one of its eight neighbours: chords
  // lie within a pixel of the curve.
  bool Near(double x, double y, TColor colour) {
    const int px = PixelX(x), py = PixelY(*box, y);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (canvas().GetPixel(px + dx, py + dy) == colour) return true;
      }
    }
    return false;
  }
  int Lit() {
    int count = 0;
    for (int y = 0; y < canvas().Height(); ++y) {
      for (int x = 0; x < canvas().Width(); ++x) count += canvas().GetPixel(x, y) != clBlack;
    }
    return count;
  }
};

// At one pixel per unit the size measure S is 2 pi r x 1.2 x zoom, about
// 1.995 r; the ellipses (axis ratio 0.5) never take the platform ellipse.
TEST_F(CurveTest, ChordCountFollowsTheSizeOnScreen) {
  struct Case {
    double r;  // S
    int n;
  };
  const Case cases[] = {
      {2, 7},      // 3.99
      {10, 14},    // 19.9
      {40, 22},    // 79.8
      {100, 30},   // 199.5
      {200, 38},   // 399
      {300, 50},   // 598
      {400, 70},   // 798
      {500, 100},  // 997: chord by chord
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.r);
    Clear(canvas());
    box->DrawArc(1, canvas(), kCxCurves, kCyCurves, c.r, 0.5, 0, 0, 0);
    TCanvas expected(canvas().Width(), canvas().Height(), clBlack);
    Clear(expected);
    const std::vector<TPoint> points = Chords(c.n, c.r, 0.5);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      expected.MoveTo(points[i].X, points[i].Y);
      expected.LineTo(points[i + 1].X, points[i + 1].Y);
    }
    EXPECT_EQ(Differences(expected), 0);
  }
}

TEST_F(CurveTest, SolidFullCirclesOfMiddleSizeUseThePlatformEllipse) {
  struct Case {
    double r;
    std::uint8_t type;
    bool direct;
  };
  const Case cases[] = {
      {5, 1, true},     // S = 10
      {250, 1, true},   // S = 499
      {400, 1, false},  // S = 798: 70 chords
      {5, 2, false},    // dashed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.r);
    Clear(canvas());
    box->DrawArc(c.type, canvas(), kCxCurves, kCyCurves, c.r, 1, 0, 0, 0);
    TCanvas expected(canvas().Width(), canvas().Height(), clBlack);
    Clear(expected);
    expected.Ellipse(PixelX(kCxCurves - c.r), PixelY(*box, kCyCurves + c.r), PixelX(kCxCurves + c.r),
                     PixelY(*box, kCyCurves - c.r));
    if (c.direct) {
      EXPECT_EQ(Differences(expected), 0);
    } else {
      EXPECT_GT(Differences(expected), 0);
    }
  }
  // A circle 1 pixel wide on the screen is not drawn at all.
  Clear(canvas());
  box->DrawArc(1, canvas(), kCxCurves, kCyCurves, 0.5, 1, 0, 0, 0);
  box->DrawArcElement(1, canvas(), kCxCurves, kCyCurves, 0.5, 1, 0, 0, 0);
  EXPECT_EQ(Lit(), 0);
}

TEST_F(CurveTest, DashedCircleRunsItsPatternOnAcrossTheChords) {
  // Type 2: dash 4 + 1 and gap 3, so the counter runs modulo 8 over every
  // pixel walked, the shared chord ends counted once per chord.
  box->DrawArc(2, canvas(), kCxCurves, kCyCurves, 10, 1, 0, 0, 0);
  const std::vector<TPoint> points = Chords(14, 10, 1);
  int walked = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    walked += std::max(std::abs(points[i + 1].X - points[i].X), std::abs(points[i + 1].Y - points[i].Y)) + 1;
  }
  EXPECT_EQ(box->PatternState.Counter, walked % 8);
  EXPECT_EQ(Value(box->PatternState.Dash), 5);
  EXPECT_EQ(Value(box->PatternState.Gap), 3);
  const int dashed = Lit();
  Clear(canvas());
  box->DrawArc(1, canvas(), kCxCurves, kCyCurves, 10, 0.999, 0, 0, 0);  // the same curve solid in chords
  EXPECT_GT(dashed, 0);
  EXPECT_LT(dashed, Lit());
}

TEST_F(CurveTest, DottedCircleSetsEveryFifthPixel) {
  // Type 9 on a curve: dash 1 + 1 and gap 3, so each period of 5 walked
  // pixels moves at its first and draws to its second, setting one pixel.
  box->DrawArc(9, canvas(), kCxCurves, kCyCurves, 10, 1, 0, 0, 0);
  const std::vector<TPoint> points = Chords(14, 10, 1);
  int walked = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    walked += std::max(std::abs(points[i + 1].X - points[i].X), std::abs(points[i + 1].Y - points[i].Y)) + 1;
  }
  EXPECT_EQ(Value(box->PatternState.Dash), 2);
  EXPECT_EQ(Value(box->PatternState.Gap), 3);
  EXPECT_EQ(box->PatternState.Counter, walked % 5);
  // At most one pixel per period: a dot whose two pixels fall on a shared
  // chord end sets none.
  EXPECT_GT(Lit(), 0);
  EXPECT_LE(Lit(), walked / 5 + 1);
}

TEST_F(CurveTest, DashedChordsFromBeyondTheLeftLimitRunFromItsOuterPoint) {
  // The bottom of a circle of radius 5000 about (-9790, 5240.3), from 250
  // to 290 degrees: S = 5000 x 40 / 180 pi x 1.2 x zoom, about 1108, so 100
  // chords of 0.4 degrees with no cutting. Points 0 to 43 (up to 267.2
  // degrees) lie left of pixel -10000 and are held there, the 1st, 3rd ...
  // at -10000 and the 2nd, 4th ... 4 pixels further out; a chord with an
  // end at exactly -10000 is skipped. So the walk starts with the chord from
  // the 44th held point, (-10004, y43), to point 44 at x -9999.38, and runs
  // on to the arc's end. Type 3 counts pixels modulo 9 + 5 = 14.
  const double cx = -9790, cy = kCyCurves + 5000, r = 5000;
  box->DrawArcElement(3, canvas(), cx, cy, r, 1, 250, 290, 0);
  std::vector<TPoint> points;
  for (int i = 43; i <= 100; ++i) {
    const double t = (250 + i * 0.4) * std::numbers::pi / 180;
    points.push_back({PixelX(cx + r * std::cos(t)), PixelY(*box, cy + r * std::sin(t))});
  }
  points[0].X = -10004;
  ASSERT_EQ(points[1].X, -9999);
  int walked = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    walked += std::max(std::abs(points[i + 1].X - points[i].X), std::abs(points[i + 1].Y - points[i].Y)) + 1;
  }
  EXPECT_EQ(box->PatternState.Counter, walked % 14);
}

TEST_F(CurveTest, ArcsRunAnticlockwiseFromStartToEnd) {
  struct Case {
    float s, e, rho;
    double litDeg[2];   // directions on the arc, seen from the centre
    double darkDeg[2];  // directions off it
  };
  const Case cases[] = {
      {0, 90, 0, {2, 45}, {135, 270}},
      {90, 0, 0, {180, 270}, {30, 60}},   // wraps through 0: three quarters
      {0, 90, 90, {92, 135}, {45, 270}},  // turned a quarter
      {300, 60, 0, {330, 30}, {90, 180}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.s);
    Clear(canvas());
    box->DrawArc(1, canvas(), kCxCurves, kCyCurves, 100, 1, c.s, c.e, c.rho);
    for (double deg : c.litDeg) {
      const double t = deg * std::numbers::pi / 180;
      EXPECT_TRUE(Near(kCxCurves + 100 * std::cos(t), kCyCurves + 100 * std::sin(t), clWhite)) << deg;
    }
    for (double deg : c.darkDeg) {
      const double t = deg * std::numbers::pi / 180;
      EXPECT_FALSE(Near(kCxCurves + 100 * std::cos(t), kCyCurves + 100 * std::sin(t), clWhite)) << deg;
    }
  }
}

TEST_F(CurveTest, ArcEndPointsLieOnTheCurve) {
  // An elliptic arc (ratio 0.5) from 30 to 200 degrees: its first chord
  // starts at the parametric point of 30 degrees.
  box->DrawArc(1, canvas(), kCxCurves, kCyCurves, 200, 0.5, 30, 200, 0);
  const double s = 30 * std::numbers::pi / 180, e = 199 * std::numbers::pi / 180;
  EXPECT_EQ(canvas().GetPixel(PixelX(kCxCurves + 200 * std::cos(s)), PixelY(*box, kCyCurves + 100 * std::sin(s))),
            clWhite);
  EXPECT_EQ(canvas().GetPixel(PixelX(kCxCurves + 200 * std::cos(e)), PixelY(*box, kCyCurves + 100 * std::sin(e))),
            clWhite);
  const double off = 210 * std::numbers::pi / 180;
  EXPECT_EQ(canvas().GetPixel(PixelX(kCxCurves + 200 * std::cos(off)), PixelY(*box, kCyCurves + 100 * std::sin(off))),
            clBlack);
}

TEST_F(CurveTest, HugeCircleIsDrawnOnlyNearTheView) {
  // Radius 3000 about (-2700, 240): S = 5985, K about 6, so the circle is
  // cut to a window of 2 x 1.2 x M degrees around the view's direction and
  // drawn with 60 chords. 100 chords over the whole turn would stray
  // 1.5 pixels from the curve between their ends (at 1.8 degrees).
  const double cx = -2700, cy = 240.3, r = 3000;
  box->DrawArc(1, canvas(), cx, cy, r, 1, 0, 0, 0);
  for (double deg : {0.0, 1.8, -1.8, 4.0, -4.0}) {
    const double t = deg * std::numbers::pi / 180;
    const int x = PixelX(cx + r * std::cos(t)), y = PixelY(*box, cy + r * std::sin(t));
    bool near = false;
    for (int dx = -1; dx <= 1; ++dx) near = near || canvas().GetPixel(x + dx, y) == clWhite;
    EXPECT_TRUE(near) << deg;
  }
  // Nothing strays across the view from the far side of the circle.
  EXPECT_EQ(canvas().GetPixel(100, 240), clBlack);
  EXPECT_EQ(canvas().GetPixel(500, 240), clBlack);
}

TEST_F(CurveTest, HugeTurnedEllipseIsDrawnCloselyNearTheView) {
  // Semi-axes 6000 and 3000 (ratio 0.5) turned 90 degrees, so the long
  // axis is upright, centred 6000 below the view's middle: the top of the
  // long axis lies in the view. S = 2 pi 6000 x 1.2 x zoom, about 11970,
  // so the whole curve is cut to a window around the view and drawn with
  // 60 chords; there the curve bends with a radius of 3000^2 / 6000 = 1500,
  // and chords spread over more than the window would leave it by pixels.
  const double a = 6000, b = 3000, cx = kCxCurves, cy = kCyCurves - a;
  box->DrawArc(1, canvas(), cx, cy, a, 0.5, 0, 0, 90);
  for (double x = 20; x <= 620; x += 25) {
    const double u = (x - cx) / b;
    const double y = cy + a * std::sqrt(1 - u * u);
    EXPECT_TRUE(Near(x, y, clWhite)) << x;
  }
  EXPECT_EQ(canvas().GetPixel(PixelX(kCxCurves), PixelY(*box, kCyCurves - 100)), clBlack);
}

TEST_F(CurveTest, HugeArcIsNarrowedToTheView) {
  // A half circle of radius 25000 below the view with its top in the view:
  // S = 24936, K about 25, so the arc is cut to 1.8 x M degrees either side
  // of the view's direction (90) and drawn with 60 chords. 100 chords over
  // the whole half would leave the curve by 3 pixels at the view's edges.
  const double cy = kCyCurves - 25000, r = 25000;
  box->DrawArc(1, canvas(), kCxCurves, cy, r, 1, 0, 180, 0);
  for (double x : {5.0, 160.0, 320.0, 480.0, 635.0}) {
    const double y = cy + std::sqrt(r * r - (x - kCxCurves) * (x - kCxCurves));
    EXPECT_TRUE(Near(x, y, clWhite)) << x;
  }
}

TEST_F(CurveTest, RedrawDrawsArcElementsInTheirColour) {
  RDrawElement arc = Arc(kCxCurves, kCyCurves, 100, 0, 90);
  arc.ColorNo = 3;  // green
  box->Draw1->AddElement(arc);
  box->RedrawAll(false);
  EXPECT_TRUE(Near(kCxCurves + 100 * std::cos(0.7), kCyCurves + 100 * std::sin(0.7), 0x00FF00));
  EXPECT_FALSE(Near(kCxCurves - 100, kCyCurves, 0x00FF00));
}

TEST_F(CurveTest, EllipseInARectangleOnlyWhenItTouchesTheView) {
  canvas().Brush.Color = clRed;
  canvas().Brush.Style = bsSolid;
  box->DrawEllipseRect(100, 100, 200, 160);
  EXPECT_EQ(canvas().GetPixel(PixelX(150), PixelY(*box, 130)), clRed);
  EXPECT_EQ(canvas().GetPixel(PixelX(100), PixelY(*box, 130)), clWhite);  // its outline in the pen
  Clear(canvas());
  canvas().Brush.Style = bsSolid;
  box->DrawEllipseRect(-300, -300, -100, -100);
  EXPECT_EQ(Lit(), 0);
}

TEST_F(CurveTest, CurvesOfTypesWithoutPatternDrawSolid) {
  // Type 0 on a small circle goes through the chords; a large one of type
  // 11 through the sampled drawing, one pixel per sample.
  box->DrawArc(0, canvas(), kCxCurves, kCyCurves, 100, 0.5, 0, 0, 0);
  EXPECT_EQ(canvas().GetPixel(PixelX(kCxCurves + 100), PixelY(*box, kCyCurves)), clWhite);
  Clear(canvas());
  // D = 1400: a semicircle sampled 1400 times; its top, the sample at 90
  // degrees, lies in the view.
  box->DrawArcElement(11, canvas(), kCxCurves, kCyCurves - 700, 700, 1, 0, 180, 0);
  EXPECT_EQ(canvas().GetPixel(PixelX(kCxCurves), PixelY(*box, kCyCurves)), clWhite);
  EXPECT_EQ(canvas().GetPixel(PixelX(kCxCurves), PixelY(*box, kCyCurves) + 20), clBlack);
  EXPECT_GT(Lit(), 100);
}

}  // namespace
