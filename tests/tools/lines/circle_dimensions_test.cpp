// Styles 0 to 5 of the chained-dimension tool, replayed as the circle
// dimension commands drive it: chains of arc lengths and angles around a
// circle, and diameters and radii of circles and ellipses.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "dimension_replay.h"
#include "line_checks.h"
#include "support/settings_guard.h"
#include "tools/lines/chained_dimension.h"

namespace {

constexpr double kRadCircleDimensions = 3.14159265358979323846 / 180.0;
constexpr std::uint8_t kLineColour = 5;
constexpr std::uint8_t kPointColour = 6;

bool AllZero(const RDrawElement& e) {
  const RDrawElement zero = ZeroElement();
  return std::memcmp(&e, &zero, sizeof e) == 0;
}

// One letter per entry: c guide circle, a dimension arc, l leader or
// dimension line, s arrow stroke, p point, t text, z zero element.
std::string Layout(const std::vector<RDrawElement>& elements) {
  std::string s;
  for (const RDrawElement& e : elements) {
    if (AllZero(e)) {
      s += 'z';
    } else if (e.Kind == kKindArc) {
      s += e.LineType == 9 ? 'c' : 'a';
    } else if (e.Kind == kKindLine) {
      s += e.ColorNo == kPointColour ? 's' : e.ColorNo == kLineColour ? 'l' : '?';
    } else if (e.Kind == kKindPoint) {
      s += e.ColorNo == kPointColour ? 'p' : '?';
    } else if (e.Kind == kKindText) {
      s += 't';
    } else {
      s += '?';
    }
  }
  return s;
}

void SetChainSettings(std::uint8_t style) {
  DraftDefaults.ChainDimensionStyle = style;
  DimensionDefaults.DimLineColour = kLineColour;
  DimensionDefaults.DimPointColour = kPointColour;
  DimensionDefaults.DimExtensionOvershoot = 2.0f;
}

// The measured circle about (50, 40) with radius 10, picked at (60, 40);
// the leaders start at radius 12 and the dimension circle has radius 20.
// The measuring points lie at 0, 90 and 180 degrees. Every click is
// followed by three moves towards the next point, the way a cursor comes
// to rest there.
const RDrawElement kMeasured = PickedCircle(50, 40, 10);
struct Step {
  double x, y;
};
const Step kChainClicks[] = {{60, 40}, {62, 40}, {50, 60}, {80, 40}, {50, 75}, {25, 40}};

void ReplayChain(DimensionReplay& replay, int points, bool moveAfterLastClick = true) {
  for (int i = 0; i < points; ++i) {
    const Step& click = kChainClicks[i];
    replay.Click(click.x, click.y, i == 0 ? &kMeasured : nullptr);
    if (i + 1 == points && !moveAfterLastClick) return;
    const Step& next = kChainClicks[i + 1];
    for (int k = 0; k < 3; ++k) replay.Move(next.x, next.y + 0.001 * k);
  }
}

TEST(CircleDimensions, ChainLayoutsInThePreviewAndAfterTheFinish) {
  struct Case {
    int style;
    int points;
    const char* preview;
    const char* committed;
  };
  const Case cases[] = {
      {0, 3, "cclp", ""}, {0, 4, "cclpalpt", ""},    {0, 5, "cclpalptalpt", "lpalpt"},
      {2, 3, "cclp", ""}, {2, 4, "cclpalpt", ""},    {2, 5, "cclpalptalpt", "lpalpt"},
      {1, 3, "cczl", ""}, {1, 4, "cczlalsssst", ""}, {1, 5, "cczlalsssstalsssst", "zlalsssst"},
      {3, 3, "cczl", ""}, {3, 4, "cczlalsssst", ""}, {3, 5, "cczlalsssstalsssst", "zlalsssst"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.style << ", " << c.points << " points");
    SettingsGuard guard;
    SetChainSettings(static_cast<std::uint8_t>(c.style));
    DimensionReplay replay;
    ReplayChain(replay, c.points);
    TRenSunpoSenobj& tool = replay.Tool();
    EXPECT_EQ(Layout(tool.Elements), c.preview);
    EXPECT_EQ(tool.LastIndex, static_cast<int>(std::string(c.preview).size()) - 1);
    replay.Finish();
    EXPECT_EQ(Layout(tool.Elements), c.committed);
    EXPECT_EQ(tool.PointCount, c.points - 1);
  }
}

TEST(CircleDimensions, BothFinishFlagsFinishAlike) {
  SettingsGuard guard;
  SetChainSettings(0);
  for (const std::uint8_t flag : {0, 1}) {
    SCOPED_TRACE(int{flag});
    DimensionReplay replay;
    ReplayChain(replay, 5);
    replay.Tool().TrimOnFinish = flag;
    replay.Tool().DropLastPoint();
    EXPECT_EQ(Layout(replay.Tool().Elements), "lpalpt");
  }
}

TEST(CircleDimensions, AStyleChangedWhileTheChainGrowsStaysWithinTheArrays) {
  // The style is read at every update, so a chain may switch builders half
  // way; whatever it then shows, it must neither read nor write outside
  // its lists.
  SettingsGuard guard;
  for (int before = 0; before <= 5; ++before) {
    for (int after = 0; after <= 5; ++after) {
      for (int switchAt = 1; switchAt <= 5; ++switchAt) {
        SCOPED_TRACE(testing::Message() << before << " to " << after << " at point " << switchAt);
        SetChainSettings(static_cast<std::uint8_t>(before));
        DimensionReplay replay;
        for (int i = 0; i < 5; ++i) {
          if (i + 1 == switchAt) DraftDefaults.ChainDimensionStyle = static_cast<std::uint8_t>(after);
          replay.Click(kChainClicks[i].x, kChainClicks[i].y, i == 0 ? &kMeasured : nullptr);
          for (int k = 0; k < 3; ++k) replay.Move(kChainClicks[i + 1].x, kChainClicks[i + 1].y + 0.001 * k);
        }
        replay.Finish();
        const TRenSunpoSenobj& tool = replay.Tool();
        for (const RDrawElement& e : tool.Elements) {
          if (e.Kind == kKindText) {
            EXPECT_LT(static_cast<std::size_t>(e.TextIndex), tool.Texts.size());
          }
        }
      }
    }
  }
}

TEST(CircleDimensions, OnePointAndTwoPointChainsShowTheirGuideCircles) {
  SettingsGuard guard;
  SetChainSettings(0);
  DimensionReplay replay;
  replay.Click(60, 40, &kMeasured);
  replay.Move(53, 44);  // 5 from the centre
  TRenSunpoSenobj& tool = replay.Tool();
  ASSERT_EQ(Layout(tool.Elements), "c");
  ExpectCircleElement(tool.Elements[0], 50, 40, 5);
  EXPECT_EQ(int{tool.Elements[0].LineType}, 9);
  EXPECT_EQ(int{tool.Elements[0].ColorNo}, 0);
  replay.Click(62, 40);
  replay.Move(50, 60);
  ASSERT_EQ(Layout(tool.Elements), "cc");
  ExpectCircleElement(tool.Elements[0], 50, 40, 12);  // fixed by the click
  ExpectCircleElement(tool.Elements[1], 50, 40, 20);
  // A finish with one point keeps the preview; with two the guide circles
  // go.
  replay.Finish();
  EXPECT_TRUE(tool.Elements.empty());
}

// The text of a chain step: the value's box centred on the dimension circle
// at the middle angle, DimTextGap (0.5) above it, reading from L to E.
void ExpectChainText(const TRenSunpoSenobj& tool, const RDrawElement& t, const std::string& value, int index,
                     double mid, double angle) {
  EXPECT_EQ(int{t.Kind}, int{kKindText});
  ASSERT_LT(static_cast<std::size_t>(index), tool.Texts.size());
  EXPECT_EQ(tool.Texts[static_cast<std::size_t>(index)], value);
  EXPECT_EQ(int{t.TextIndex}, index);
  EXPECT_EQ(int{t.TextStyle}, 3);
  EXPECT_NEAR(double{t.TextAngle}, angle, 1e-4);
  const double w = static_cast<double>(value.size()) * 1.0 + static_cast<double>(value.size() - 1) * 0.5;
  const double rx = 50 + 20 * std::cos(mid * kRadCircleDimensions), ry = 40 + 20 * std::sin(mid * kRadCircleDimensions);
  const double c = std::cos(angle * kRadCircleDimensions), s = std::sin(angle * kRadCircleDimensions);
  EXPECT_NEAR(double{t.X1}, rx - (w / 2 * c + 0.5 * s), 1e-4);
  EXPECT_NEAR(double{t.Y1}, ry - (w / 2 * s - 0.5 * c), 1e-4);
  EXPECT_NEAR(double{t.X2}, double{t.X1} + w * c, 1e-4);
  EXPECT_NEAR(double{t.Y2}, double{t.Y1} + w * s, 1e-4);
}

void ExpectDimensionArc(const RDrawElement& e, float start, float end) {
  EXPECT_EQ(int{e.Kind}, int{kKindArc});
  EXPECT_EQ(int{e.ColorNo}, int{kLineColour});
  EXPECT_EQ(int{e.LineType}, 0);
  EXPECT_EQ(double{e.X1}, 50);
  EXPECT_EQ(double{e.Y1}, 40);
  EXPECT_EQ(double{e.Radius}, 20);
  EXPECT_EQ(float{e.Ratio}, 1.0f);
  EXPECT_NEAR(float{e.StartAngle}, start, 1e-4);
  EXPECT_NEAR(float{e.EndAngle}, end, 1e-4);
  EXPECT_EQ(float{e.Rotation}, 0.0f);
}

TEST(CircleDimensions, ArcLengthChainCommitsLeadersPointsArcsAndValues) {
  SettingsGuard guard;
  SetChainSettings(0);
  DimensionReplay replay;
  ReplayChain(replay, 5);
  replay.Finish();
  const TRenSunpoSenobj& tool = replay.Tool();
  const std::vector<RDrawElement>& e = tool.Elements;
  ASSERT_EQ(Layout(e), "lpalpt");
  // Leaders from radius 12 to 2 beyond the dimension circle; points on it.
  ExpectLineElement(e[0], {62, 40, 72, 40});
  EXPECT_EQ(double{e[1].X1}, 70);
  EXPECT_EQ(double{e[1].Y1}, 40);
  ExpectDimensionArc(e[2], 0, 90);
  ExpectLineElement(e[3], {50, 52, 50, 62});
  EXPECT_NEAR(double{e[4].X1}, 50, 1e-9);
  EXPECT_NEAR(double{e[4].Y1}, 60, 1e-9);
  // A quarter of 2 pi 10 at 1/100: 1570.8.
  ExpectChainText(tool, e[5], "1,571", 0, 45, 315);
  // The moving step's value stays in the list.
  ASSERT_EQ(tool.Texts.size(), 2u);
}

TEST(CircleDimensions, ClockwisePointsMeasureTheLongWayRound) {
  SettingsGuard guard;
  for (const std::uint8_t style : {0, 2}) {
    SCOPED_TRACE(int{style});
    SetChainSettings(style);
    DimensionReplay replay;
    ReplayChain(replay, 3);
    replay.Click(50, 75);  // 90 degrees first
    replay.Move(80, 40);   // then back to 0
    replay.Move(80, 41);
    replay.Click(80, 40);
    replay.Move(30, 40);
    replay.Finish();
    const TRenSunpoSenobj& tool = replay.Tool();
    ASSERT_EQ(Layout(tool.Elements), "lpalpt");
    ExpectDimensionArc(tool.Elements[2], 90, 0);
    // 270 degrees of 2 pi 10 at 1/100: 4712.4; the text at 225 reads from
    // (70, 40) towards (50, 60).
    ExpectChainText(tool, tool.Elements[5], style == 0 ? "4,712" : "270.000\xDF", 0, 225, 135);
  }
}

TEST(CircleDimensions, ArrowChainsPutHeadsOnBothEndsOfEachArc) {
  SettingsGuard guard;
  SetChainSettings(1);
  DimensionDefaults.DimEndMark = 1;
  DimensionReplay replay;
  ReplayChain(replay, 5);
  TRenSunpoSenobj& tool = replay.Tool();
  // The first leader's measuring point is kept for the first step.
  ExpectLineElement(tool.FirstLeader, {62, 40, 70, 40});
  replay.Finish();
  const std::vector<RDrawElement>& e = tool.Elements;
  ASSERT_EQ(Layout(e), "zlalsssst");
  ExpectLineElement(e[1], {62, 40, 72, 40});
  ExpectDimensionArc(e[2], 0, 90);
  ExpectLineElement(e[3], {50, 52, 50, 62});
  // 1.5 long, 15 degrees off the tangents into the arc: 90 at (70, 40), 0
  // at (50, 60).
  const struct { double x, y, angle; } strokes[] = {{70, 40, 105}, {70, 40, 75}, {50, 60, 15}, {50, 60, 345}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const auto& k = strokes[i];
    ExpectLineElement(e[static_cast<std::size_t>(4 + i)],
                      {k.x, k.y, k.x + 1.5 * std::cos(k.angle * kRadCircleDimensions),
                       k.y + 1.5 * std::sin(k.angle * kRadCircleDimensions)},
                      1e-9);
  }
  ExpectChainText(tool, e[8], "1,571", 0, 45, 315);
}

TEST(CircleDimensions, StrokesWithoutArrowheadsStayAtTheirArcEnds) {
  SettingsGuard guard;
  SetChainSettings(3);  // DimEndMark 0: no heads computed
  DimensionReplay replay;
  ReplayChain(replay, 5);
  replay.Finish();
  const TRenSunpoSenobj& tool = replay.Tool();
  const std::vector<RDrawElement>& e = tool.Elements;
  ASSERT_EQ(Layout(e), "zlalsssst");
  ExpectLineElement(e[4], {70, 40, 70, 40}, 1e-9);
  ExpectLineElement(e[5], {70, 40, 70, 40}, 1e-9);
  ExpectLineElement(e[6], {50, 60, 50, 60}, 1e-9);
  ExpectLineElement(e[7], {50, 60, 50, 60}, 1e-9);
  ExpectChainText(tool, e[8], "90.000\xDF", 0, 45, 315);
}

TEST(CircleDimensions, FirstUpdateAfterAPointGrowsTheNextFillsIt) {
  SettingsGuard guard;
  SetChainSettings(0);
  DimensionReplay replay;
  ReplayChain(replay, 4, false);
  TRenSunpoSenobj& tool = replay.Tool();
  ASSERT_EQ(Layout(tool.Elements), "cclp");
  replay.Move(50, 75);
  EXPECT_EQ(Layout(tool.Elements), "cclpzzzz");
  EXPECT_EQ(tool.LastIndex, 7);
  EXPECT_EQ(tool.Texts, std::vector<std::string>{" "});
  replay.Move(50, 76);
  EXPECT_EQ(Layout(tool.Elements), "cclpalpt");
  EXPECT_EQ(tool.Texts, std::vector<std::string>{"1,571"});
}

TEST(CircleDimensions, AFinishRightAfterTheFifthClickCommitsOneDimension) {
  for (const std::uint8_t style : {0, 1, 2, 3}) {
    SCOPED_TRACE(int{style});
    SettingsGuard guard;
    SetChainSettings(style);
    DimensionReplay clickedOnly;
    ReplayChain(clickedOnly, 5, false);
    clickedOnly.Finish();
    DimensionReplay movedOnce;
    ReplayChain(movedOnce, 5, true);
    movedOnce.Finish();
    const std::vector<RDrawElement>& e = clickedOnly.Tool().Elements;
    EXPECT_EQ(Layout(e), style == 0 || style == 2 ? "lpalpt" : "zlalsssst");
    ASSERT_EQ(e.size(), movedOnce.Tool().Elements.size());
    for (std::size_t i = 0; i < e.size(); ++i) {
      EXPECT_EQ(std::memcmp(&e[i], &movedOnce.Tool().Elements[i], sizeof e[i]), 0) << i;
    }
    ExpectDimensionArc(e[2], 0, 90);
  }
}

// Diameter and radius of one circle or ellipse.

struct Dimension {
  std::vector<RDrawElement> elements;
  std::vector<std::string> texts;
};

// Picks the element at its centre's right, moves to the cursor and fixes
// the dimension there with a second click and an immediate finish.
Dimension DimensionOf(std::uint8_t style, const RDrawElement& picked, double cx, double cy) {
  DraftDefaults.ChainDimensionStyle = style;
  DimensionDefaults.DimLineColour = kLineColour;
  DimensionDefaults.DimPointColour = kPointColour;
  DimensionReplay replay;
  replay.Click(picked.X1 + 1, picked.Y1, &picked);
  replay.Move(cx + 3, cy + 3);
  replay.Click(cx, cy);
  replay.Finish();
  return {replay.Tool().Elements, replay.Tool().Texts};
}

void ExpectPointElement(const RDrawElement& e, double x, double y) {
  EXPECT_EQ(int{e.Kind}, int{kKindPoint});
  EXPECT_EQ(int{e.ColorNo}, int{kPointColour});
  EXPECT_NEAR(double{e.X1}, x, 1e-9);
  EXPECT_NEAR(double{e.Y1}, y, 1e-9);
}

TEST(CircleDimensions, DiameterAndRadiusOfACircle) {
  SettingsGuard guard;
  const RDrawElement circle = PickedCircle(50, 40, 10);
  struct Case {
    int style;
    LineSeg line;  // its ends carry the points
    const char* value;
    LineSeg text;  // the value's box is 7 long; its bottom centre stands 0.5 left of the reference
  };
  const Case cases[] = {
      {4, {50, 50, 50, 30}, "2,000", {49.5, 36.5, 49.5, 43.5}},  // reference: the centre
      {5, {50, 40, 50, 50}, "1,000", {49.5, 41.5, 49.5, 48.5}},  // reference: half way out
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    const Dimension d = DimensionOf(static_cast<std::uint8_t>(c.style), circle, 50, 70);  // straight up
    ASSERT_EQ(Layout(d.elements), "lppt");
    ExpectLineElement(d.elements[0], c.line, 1e-9);
    ExpectPointElement(d.elements[1], c.line.x1, c.line.y1);
    ExpectPointElement(d.elements[2], c.line.x2, c.line.y2);
    ASSERT_EQ(d.texts, std::vector<std::string>{c.value});
    const RDrawElement& t = d.elements[3];
    EXPECT_EQ(float{t.TextAngle}, 90.0f);
    EXPECT_EQ(int{t.TextIndex}, 0);
    EXPECT_EQ(int{t.TextStyle}, 3);
    ExpectLineElement(LineElement(t.X1, t.Y1, t.X2, t.Y2), c.text, 1e-9);
  }
}

TEST(CircleDimensions, AnEllipseTurned37Point3KeepsItsRotation) {
  SettingsGuard guard;
  DimensionDefaults.DimDecimalsOn = 1;
  DimensionDefaults.DimDecimals = 2;
  // Semi-axes 10 and 5 turned 37.3 degrees (37.29999924 as stored), the
  // cursor at 80 degrees: r = ab / sqrt((b cos phi)^2 + (a sin phi)^2) with
  // phi = 80 - 37.29999924 is 6.48244355; with the rotation cut to 37.25 it
  // would be 6.47889198 (1,295.78 across).
  const RDrawElement ellipse = PickedCircle(50, 40, 10, 0.5f, 37.3f);
  const double r = 6.482443554028173;
  const double ux = std::cos(80 * kRadCircleDimensions), uy = std::sin(80 * kRadCircleDimensions);
  const double cx = 50 + 20 * ux, cy = 40 + 20 * uy;
  const Dimension diameter = DimensionOf(4, ellipse, cx, cy);
  ASSERT_EQ(Layout(diameter.elements), "lppt");
  ExpectLineElement(diameter.elements[0], {50 + r * ux, 40 + r * uy, 50 - r * ux, 40 - r * uy}, 1e-6);
  EXPECT_EQ(diameter.texts, std::vector<std::string>{"1,296.49"});
  const Dimension radius = DimensionOf(5, ellipse, cx, cy);
  ExpectLineElement(radius.elements[0], {50, 40, 50 + r * ux, 40 + r * uy}, 1e-6);
  EXPECT_EQ(radius.texts, std::vector<std::string>{"648.24"});
}

TEST(CircleDimensions, ThePrefixGoesBeforeOrAfterTheValue) {
  SettingsGuard guard;
  const RDrawElement circle = PickedCircle(50, 40, 10);
  struct Case {
    int on;
    const char* text;
  };
  const Case cases[] = {{0, "1,000"}, {1, "R=1,000"}, {2, "1,000R="}, {3, "1,000"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.on);
    ToolDefaults.RadiusPrefixOn = static_cast<std::uint8_t>(c.on);
    EXPECT_EQ(DimensionOf(5, circle, 50, 70).texts, std::vector<std::string>{c.text});
  }
  ToolDefaults.RadiusPrefixOn = 1;
  ToolDefaults.RadiusPrefix = "D=";
  EXPECT_EQ(DimensionOf(4, circle, 50, 70).texts, std::vector<std::string>{"D=2,000"});
}

TEST(CircleDimensions, ArrowheadsOnDiameterAndRadiusPointOutward) {
  SettingsGuard guard;
  DimensionDefaults.DimEndMark = 1;
  const RDrawElement circle = PickedCircle(50, 40, 10);
  struct Case {
    int style;
    double x1, y1, x2, y2;  // the first and the second end
    double angles[4];       // stroke directions, two at each end
  };
  const Case cases[] = {
      {4, 50, 50, 50, 30, {285, 255, 105, 75}},
      {5, 50, 40, 50, 50, {105, 75, 285, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    const Dimension d = DimensionOf(static_cast<std::uint8_t>(c.style), circle, 50, 70);
    ASSERT_EQ(Layout(d.elements), "lsssst");
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      const double x = i < 2 ? c.x1 : c.x2, y = i < 2 ? c.y1 : c.y2;
      const double angle = c.angles[i] * kRadCircleDimensions;
      ExpectLineElement(d.elements[static_cast<std::size_t>(1 + i)],
                        {x, y, x + 1.5 * std::cos(angle), y + 1.5 * std::sin(angle)}, 1e-9);
    }
    EXPECT_EQ(int{d.elements[5].TextIndex}, 0);
  }
  {
    SCOPED_TRACE("no arrow length: the strokes stay at their ends");
    DimensionDefaults.ArrowLength = 0;
    const Dimension d = DimensionOf(4, circle, 50, 70);
    ASSERT_EQ(Layout(d.elements), "lsssst");
    ExpectLineElement(d.elements[1], {50, 50, 50, 50}, 1e-9);
    ExpectLineElement(d.elements[4], {50, 30, 50, 30}, 1e-9);
  }
  {
    SCOPED_TRACE("an end mark above 1 builds nothing");
    DimensionDefaults.DimEndMark = 2;
    EXPECT_TRUE(DimensionOf(4, circle, 50, 70).elements.empty());
  }
}

TEST(CircleDimensions, MorePointsChangeNothing) {
  SettingsGuard guard;
  const RDrawElement circle = PickedCircle(50, 40, 10);
  for (const std::uint8_t style : {4, 5}) {
    for (const int points : {3, 4, 5}) {
      SCOPED_TRACE(testing::Message() << "style " << int{style} << ", " << points << " points");
      DraftDefaults.ChainDimensionStyle = style;
      DimensionDefaults.DimLineColour = kLineColour;
      DimensionDefaults.DimPointColour = kPointColour;
      DimensionReplay replay;
      replay.Click(60, 40, &circle);
      replay.Move(50, 70);
      for (int i = 2; i <= points; ++i) {
        replay.Click(50 + 10 * i, 70);
        replay.Move(20, 20 + i);
      }
      TRenSunpoSenobj& tool = replay.Tool();
      ASSERT_EQ(Layout(tool.Elements), "lppt");
      // Still the dimension of the update at the second click.
      const double d = std::hypot(20.0, 30.0);
      const double ux = 20 / d, uy = 30 / d;
      ExpectLineElement(tool.Elements[0],
                        style == 4 ? LineSeg{50 + 10 * ux, 40 + 10 * uy, 50 - 10 * ux, 40 - 10 * uy}
                                   : LineSeg{50, 40, 50 + 10 * ux, 40 + 10 * uy},
                        1e-9);
      replay.Finish();
      EXPECT_EQ(Layout(tool.Elements), "lppt");
    }
  }
}

}  // namespace
