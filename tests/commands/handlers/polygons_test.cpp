// Regular polygons: of the set size following the cursor, and by centre
// and end point, in the six constructions.

#include <cmath>
#include <numbers>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;

// The vertices of a regular polygon by hand: circumradius r, first vertex
// at `first` degrees from the centre, the others following anticlockwise.
std::vector<RPoint2D> Vertices(int n, RPoint2D m, double r, double first) {
  std::vector<RPoint2D> v;
  for (int k = 0; k < n; ++k) {
    const double t = (first + 360.0 * k / n) * kDeg;
    v.push_back({m.x + r * std::cos(t), m.y + r * std::sin(t)});
  }
  return v;
}

// The circumradius and the first vertex's direction of each construction,
// for centre M, point P, set size s and direction a.
void Construction(int kind, int n, RPoint2D m, RPoint2D p, double s, double a, double& r, double& first) {
  const double d = std::hypot(p.x - m.x, p.y - m.y);
  const double towards = std::atan2(p.y - m.y, p.x - m.x) / kDeg;
  const double resting = 270 - 180.0 / n + a;
  switch (kind) {
    case 0: r = d, first = resting; break;
    case 1: r = s, first = resting; break;
    case 2: r = s * std::sin((180 - 360.0 / n) / 2 * kDeg) / std::sin(360.0 / n * kDeg), first = resting; break;
    case 3: r = d / std::cos(180.0 / n * kDeg), first = resting; break;
    case 4: r = d, first = towards; break;
    default: r = d / std::cos(180.0 / n * kDeg), first = towards; break;
  }
}

class PolygonCommands : public CommandHarness {
 protected:
  // The drawing's lines are the polygon's edges in order, each from its
  // vertex to the next.
  void ExpectPolygon(const std::vector<RPoint2D>& v) {
    ASSERT_EQ(Elements().size(), v.size());
    for (std::size_t k = 0; k < v.size(); ++k) {
      const RDrawElement& e = Elements()[k];
      const RPoint2D& a = v[k];
      const RPoint2D& b = v[(k + 1) % v.size()];
      EXPECT_NEAR(Value(e.X1), a.x, 1e-9) << k;
      EXPECT_NEAR(Value(e.Y1), a.y, 1e-9) << k;
      EXPECT_NEAR(Value(e.X2), b.x, 1e-9) << k;
      EXPECT_NEAR(Value(e.Y2), b.y, 1e-9) << k;
      EXPECT_EQ(Value(e.ColorNo), Box().Pencol);
      EXPECT_EQ(Value(e.LineType), Box().Pentyp);
    }
    EXPECT_EQ(UndoLog().size(), v.size()) << "all edges in one step";
  }
};

TEST_F(PolygonCommands, ByCentreAndEndPointInEveryConstruction) {
  const RPoint2D m{50, 50}, p{62, 55};
  const double s = 8;  // AngleArcRadius 800 at the harness's scale of 100
  for (int sides : {0, 2, 3, 6, 7}) {
    for (int kind = 0; kind <= 5; ++kind) {
      for (double direction : {0.0, 30.0}) {
        SCOPED_TRACE(testing::Message() << "sides " << sides << " kind " << kind << " direction " << direction);
        StartAfresh(dttakakukeiFree);
        TcadBox& box = Box();
        box.SetCount = sides;
        box.PolygonKind = static_cast<std::uint8_t>(kind);
        box.AngleArcRadius = 800;
        box.CommandAngle = direction == 0 ? 0 : 20;
        box.AxisAngle = direction == 0 ? 0 : 10;
        Click(m.x, m.y);
        MoveTo(60, 52);
        MoveTo(p.x, p.y);
        Click(p.x, p.y);
        const int n = sides < 3 ? 3 : sides;
        double r = 0, first = 0;
        Construction(kind, n, m, p, s, direction, r, first);
        ExpectPolygon(Vertices(n, m, r, first));
        ExpectScreenMatchesRedraw();
      }
    }
  }
}

TEST_F(PolygonCommands, TheFixedPolygonIsTheSameWhereverItIsPlaced) {
  // The set size is the circumradius of kinds 0, 1 and 4 and the inradius
  // of kinds 3 and 5, the first vertex turned by the angle.
  for (int kind : {0, 1, 3, 4, 5}) {
    for (RPoint2D click : {RPoint2D{30, 30}, RPoint2D{80, 60}}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " at " << click.x << ", " << click.y);
      StartAfresh(dttakakukeikotei);
      TcadBox& box = Box();
      box.SetCount = 6;
      box.PolygonKind = static_cast<std::uint8_t>(kind);
      box.AngleArcRadius = 500;
      box.CommandAngle = 30;
      MoveTo(click.x, click.y);
      Click(click.x, click.y);
      const bool inradius = kind == 3 || kind == 5;
      const double r = inradius ? 5 / std::cos(30 * kDeg) : 5;
      ExpectPolygon(Vertices(6, click, r, 270 - 30 + 30));
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(PolygonCommands, TheFixedPolygonTakesThePointOffsetAndSnappedCentres) {
  Seed({Point(40, 40)});
  TcadBox& box = Box();
  box.ButonType = dttakakukeikotei;
  box.SetCount = 4;
  box.PolygonKind = 1;
  box.AngleArcRadius = 500;
  box.OfsetRen = true;
  box.PointOffset = {1000, 0};  // 10 to the right
  MoveTo(40.3, 40.2);
  Click(40.3, 40.2, ssRight);
  std::vector<RDrawElement> lines(Elements().begin() + 1, Elements().end());
  const std::vector<RPoint2D> v = Vertices(4, {50, 40}, 5, 270 - 45);
  ASSERT_EQ(lines.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_NEAR(Value(lines[k].X1), v[k].x, 1e-9);
    EXPECT_NEAR(Value(lines[k].Y1), v[k].y, 1e-9);
  }
  ExpectScreenMatchesRedraw();
}

TEST_F(PolygonCommands, APolygonThroughASnappedPointShowsAsTheRedrawShowsIt) {
  // Kind 4 puts the first vertex on the end point: the point marker shown
  // there stays over the edges.
  Seed({Point(60, 50)});
  TcadBox& box = Box();
  box.ButonType = dttakakukeiFree;
  box.SetCount = 5;
  box.PolygonKind = 4;
  Click(50, 50);
  MoveTo(58, 52);
  MoveTo(60.3, 50.2);
  Click(60.3, 50.2, ssRight);
  ASSERT_EQ(Elements().size(), 6u);
  EXPECT_NEAR(Value(Elements()[1].X1), 60, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(PolygonCommands, AnEndPointOnTheCentreIsRefused) {
  Seed({Point(50, 50)});
  TcadBox& box = Box();
  box.ButonType = dttakakukeiFree;
  box.SetCount = 5;
  Click(50, 50);
  MoveTo(50.3, 50.2);
  Click(50.3, 50.2, ssRight);  // snaps to the centre
  EXPECT_EQ(TopMessage(), J("同一点"));
  EXPECT_EQ(Elements().size(), 1u);
  EXPECT_EQ(box.CommandStep, 1);
  MoveTo(60, 50);
  Click(60, 50);
  EXPECT_EQ(Elements().size(), 6u);
  ExpectScreenMatchesRedraw();
}

TEST_F(PolygonCommands, ASettingChangedUnderThePreviewLeavesNoGhost) {
  TcadBox& box = Box();
  struct Case {
    Sbuttontype mode;
    bool cancel;  // else a move and a click
  } cases[] = {{dttakakukeikotei, true}, {dttakakukeikotei, false}, {dttakakukeiFree, true}, {dttakakukeiFree, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.mode) << (c.cancel ? " cancel" : " click"));
    StartAfresh(c.mode);
    box.SetCount = 5;
    box.PolygonKind = 1;
    box.AngleArcRadius = 600;
    box.CommandAngle = 0;
    if (c.mode == dttakakukeiFree) Click(50, 50);
    MoveTo(60, 45);
    // The host changes the size, the kind and the direction under the preview.
    box.AngleArcRadius = 900;
    box.PolygonKind = 2;
    box.CommandAngle = 15;
    if (c.cancel) {
      CancelCommands();
    } else {
      MoveTo(64, 47);
      Click(64, 47);
    }
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace
