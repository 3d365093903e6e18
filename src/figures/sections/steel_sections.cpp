// Steel shape sections, kinds 0 to 11: an outline of lines and quarter arcs
// in local axes, or in designation-only mode the designation text alone.

#include <utility>
#include <vector>

#include "figures/sections/section_generator.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "geometry/number_format.h"
#include "tools/settings/default_settings.h"

namespace {

// Fillets and bends below this radius are not drawn.
constexpr double kSmallestRadius = 0.0001;

// A local outline: lines first, then arcs, each in the order added.
class LocalOutline {
 public:
  void Line(double x1, double y1, double x2, double y2) { lines_.push_back(LineElement(x1, y1, x2, y2)); }

  void Arc(double cx, double cy, double r, double start, double end) {
    arcs_.push_back(CircularArcElement(cx, cy, r, start, end));
  }

  // The mirror image in the vertical line x = width / 2.
  void Mirror(double width) {
    MirrorLines(width);
    for (RDrawElement& e : arcs_) {
      const double start = e.StartAngle;
      const double end = e.EndAngle;
      e.X1 = width - e.X1;
      e.StartAngle = static_cast<float>(NormalizeAngle360(180.0 - end));
      e.EndAngle = static_cast<float>(NormalizeAngle360(180.0 - start));
    }
  }

  void MirrorLines(double width) {
    for (RDrawElement& e : lines_) {
      e.X1 = width - e.X1;
      e.X2 = width - e.X2;
    }
  }

  void MoveArcs(double dx) {
    for (RDrawElement& e : arcs_) e.X1 = e.X1 + dx;
  }

  // The other outline's lines after these lines, its arcs after these arcs.
  void Append(const LocalOutline& other) {
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
    arcs_.insert(arcs_.end(), other.arcs_.begin(), other.arcs_.end());
  }

  std::vector<RDrawElement> Take() {
    std::vector<RDrawElement> all;
    all.reserve(lines_.size() + arcs_.size());
    all.insert(all.end(), lines_.begin(), lines_.end());
    all.insert(all.end(), arcs_.begin(), arcs_.end());
    lines_.clear();
    arcs_.clear();
    return all;
  }

 private:
  std::vector<RDrawElement> lines_;
  std::vector<RDrawElement> arcs_;
};

bool MirrorFlag() { return ToolDefaults.SteelOption != 0; }

// The H outline walked clockwise from the bottom-left corner, the lines at
// the web shortened by the fillet radius r1 and those at the flange tips by
// the toe radius r2.
void HLines(LocalOutline& o, double H, double B, double tw, double tf, double r1, double r2) {
  const double a = (B - tw) / 2;
  const double c = (B + tw) / 2;
  o.Line(0, 0, 0, tf - r2);
  o.Line(r2, tf, a - r1, tf);
  o.Line(a, tf + r1, a, H - tf - r1);
  o.Line(a - r1, H - tf, r2, H - tf);
  o.Line(0, H - tf + r2, 0, H);
  o.Line(0, H, B, H);
  o.Line(B, H, B, H - tf + r2);
  o.Line(B - r2, H - tf, c + r1, H - tf);
  o.Line(c, H - tf - r1, c, tf + r1);
  o.Line(c + r1, tf, B - r2, tf);
  o.Line(B, tf - r2, B, 0);
  o.Line(B, 0, 0, 0);
}

void HFillets(LocalOutline& o, double H, double B, double tw, double tf, double r) {
  const double a = (B - tw) / 2;
  const double c = (B + tw) / 2;
  // Kept short of a full turn, as the figure has always been drawn.
  o.Arc(a - r, tf + r, r, 270, 359.99999);
  o.Arc(a - r, H - tf - r, r, 0, 90);
  o.Arc(c + r, tf + r, r, 180, 270);
  o.Arc(c + r, H - tf - r, r, 90, 180);
}

// One lipped channel with its web at x = 0: height H, flange width B, lip
// length lip, thickness t, bend radius r inside and 2r outside.
LocalOutline LipChannel(double H, double B, double lip, double t, double r) {
  LocalOutline o;
  const double R = 2 * r;
  o.Line(0, R, 0, H - R);
  o.Line(t, R, t, H - R);
  o.Line(B, R, B, lip);
  o.Line(B - t, R, B - t, lip);
  o.Line(B, H - R, B, H - lip);
  o.Line(B - t, H - R, B - t, H - lip);
  o.Line(R, 0, B - R, 0);
  o.Line(R, t, B - R, t);
  o.Line(R, H, B - R, H);
  o.Line(R, H - t, B - R, H - t);
  o.Line(B - t, lip, B, lip);
  o.Line(B - t, H - lip, B, H - lip);
  if (r >= kSmallestRadius) {
    const struct {
      double cx, cy, start, end;
    } bends[] = {{R, R, 180, 270}, {R, H - R, 90, 180}, {B - R, R, 270, 360}, {B - R, H - R, 0, 90}};
    for (const auto& bend : bends) {
      o.Arc(bend.cx, bend.cy, R, bend.start, bend.end);
      o.Arc(bend.cx, bend.cy, r, bend.start, bend.end);
    }
  }
  return o;
}

// Two lipped channels in a box 2B wide: the first and its mirror image in
// x = B. The second channel's arcs are the first's moved by B, which the
// symmetry of the four bends makes the mirrored set.
LocalOutline LipChannelPair(LocalOutline first, double B) {
  LocalOutline second = first;
  second.MirrorLines(2 * B);
  second.MoveArcs(B);
  first.Append(second);
  return first;
}

}  // namespace

bool TBuzaidanmenobj::MakeDesignationOnly(std::string_view Pattern, std::initializer_list<double> Sizes) {
  if (ToolDefaults.SteelTextMode != 1) return false;
  std::vector<double> v;
  for (double size : Sizes) v.push_back(size * Scale);
  std::string text;
  switch (v.size()) {
    case 2: text = Format(Pattern, {v[0], v[1]}); break;
    case 3: text = Format(Pattern, {v[0], v[1], v[2]}); break;
    default: text = Format(Pattern, {v[0], v[1], v[2], v[3]}); break;
  }
  Texts.assign(1, text);
  Elements.assign(1, ZeroElement());
  MakeTextElement(Elements[0], Texts[0], BaseX + OffsetX, BaseY + OffsetY, Angle, 0, BaseJustification(),
                  ToolDefaults.SteelTextStyle);
  return true;
}

void TBuzaidanmenobj::MakeHSection() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("Ｈ-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  LocalOutline o;
  const bool fillets = D5 >= kSmallestRadius;
  HLines(o, D1, D2, D3, D4, fillets ? D5 : 0.0, 0.0);
  if (fillets) HFillets(o, D1, D2, D3, D4, D5);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeSquareTube() {
  SetSteelBoxOffset();
  // The designation names D3 while the outline's wall is D4.
  if (MakeDesignationOnly(J("□-%g×%g×%g"), {D1, D2, D3})) return;
  const double H = D1;
  const double B = D2;
  const double t = D4;
  const double k = 0.5 * ToolDefaults.TubeCornerKind;
  LocalOutline o;
  if (k == 0.0) {
    o.Line(0, 0, 0, H);
    o.Line(t, t, t, H - t);
    o.Line(B, 0, B, H);
    o.Line(B - t, t, B - t, H - t);
    o.Line(0, 0, B, 0);
    o.Line(t, t, B - t, t);
    o.Line(0, H, B, H);
    o.Line(t, H - t, B - t, H - t);
  } else {
    const double s = (k + 1) * D5;
    o.Line(0, s, 0, H - s);
    o.Line(t, s, t, H - s);
    o.Line(B, s, B, H - s);
    o.Line(B - t, s, B - t, H - s);
    o.Line(s, 0, B - s, 0);
    o.Line(s, t, B - s, t);
    o.Line(s, H, B - s, H);
    o.Line(s, H - t, B - s, H - t);
    if (D5 >= kSmallestRadius && k > 0.0) {
      const struct {
        double cx, cy, start, end;
      } corners[] = {{B - s, H - s, 0, 90}, {s, s, 180, 270}, {s, H - s, 90, 180}, {B - s, s, 270, 360}};
      for (const auto& corner : corners) {
        o.Arc(corner.cx, corner.cy, s, corner.start, corner.end);
        o.Arc(corner.cx, corner.cy, k * D5, corner.start, corner.end);
      }
    }
  }
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakePipe() {
  if (ToolDefaults.SteelTextMode == 1) {
    SetSteelBoxOffset();
  } else {
    SetSquareBoxOffset();
  }
  if (MakeDesignationOnly(J("○-%g×%g"), {D1, D2})) return;
  LocalOutline o;
  o.Arc(D1 / 2, D1 / 2, D1 / 2, 0, 0);
  o.Arc(D1 / 2, D1 / 2, (D1 - 2 * D2) / 2, 0, 0);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeLipChannel() {
  switch (ToolDefaults.ChannelOption) {
    case 1: MakeBackToBackLipChannels(); break;
    case 2: MakeFacingLipChannels(); break;
    default: MakeSingleLipChannel(); break;
  }
}

void TBuzaidanmenobj::MakeSingleLipChannel() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("Ｃ-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  LocalOutline o = LipChannel(D1, D2, D3, D4, D5);
  if (MirrorFlag()) o.Mirror(D2);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeBackToBackLipChannels() {
  SetDoubleSteelBoxOffset();
  if (MakeDesignationOnly(J("２Ｃ-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  LocalOutline first = LipChannel(D1, D2, D3, D4, D5);
  first.Mirror(D2);
  PlaceLocalFigure(LipChannelPair(std::move(first), D2).Take());
}

void TBuzaidanmenobj::MakeFacingLipChannels() {
  SetDoubleSteelBoxOffset();
  if (MakeDesignationOnly(J("２Ｃ-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  PlaceLocalFigure(LipChannelPair(LipChannel(D1, D2, D3, D4, D5), D2).Take());
}

void TBuzaidanmenobj::MakeAngle() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("Ｌ-%g×%g×%g"), {D1, D2, D3})) return;
  const double t = D3;
  const double r1 = D4;
  const double r2 = D5;
  LocalOutline o;
  o.Line(0, 0, 0, D1);
  o.Line(t, t + r1, t, D1 - r2);
  o.Line(0, 0, D2, 0);
  o.Line(t + r1, t, D2 - r2, t);
  o.Line(0, D1, t - r2, D1);
  o.Line(D2, 0, D2, t - r2);
  o.Arc(t + r1, t + r1, r1, 180, 270);
  o.Arc(t - r2, D1 - r2, r2, 0, 90);
  o.Arc(D2 - r2, t - r2, r2, 0, 90);
  if (MirrorFlag()) o.Mirror(D2);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeChannel() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("[-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  const double t1 = D3;
  const double t2 = D4;
  const double r1 = D5;
  const double r2 = D6;
  // The inner flange faces slope 5 degrees, thinning towards the toes,
  // through the middle of the flanges' free width.
  const double mx = t1 + (D2 - t1) / 2;
  auto crossing = [mx](double my, double slope, double x) {
    double x2 = mx;
    double y2 = my;
    PolarPoint(x2, y2, slope, 1.0, mx, my);
    RPoint2D p{x, my};
    IntersectLines(p.x, p.y, mx, my, x2, y2, x, 0.0, x, 1.0);
    return p;
  };
  const RPoint2D fb = crossing(t2, -5.0, t1 + r1);
  const RPoint2D pb = crossing(t2, -5.0, D2 - r2);
  const RPoint2D ft = crossing(D1 - t2, 5.0, t1 + r1);
  const RPoint2D pt = crossing(D1 - t2, 5.0, D2 - r2);
  const double h = fb.y;
  LocalOutline o;
  o.Line(0, 0, 0, D1);
  o.Line(t1, h + r1, t1, D1 - h - r1);
  o.Line(0, 0, D2, 0);
  o.Line(fb.x, fb.y, pb.x, pb.y);
  o.Line(0, D1, D2, D1);
  o.Line(ft.x, ft.y, pt.x, pt.y);
  o.Line(D2, D1, D2, pt.y + r2);
  o.Line(D2, 0, D2, pb.y - r2);
  o.Arc(t1 + r1, fb.y + r1, r1, 180, 270);
  o.Arc(t1 + r1, ft.y - r1, r1, 90, 180);
  o.Arc(D2 - r2, pb.y - r2, r2, 0, 90);
  o.Arc(D2 - r2, pt.y + r2, r2, 270, 0);
  if (MirrorFlag()) o.Mirror(D2);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeCutTee() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("CT-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  const double tf = D4;
  const double r = D5;
  const double a = (D2 - D3) / 2;
  const double c = (D2 + D3) / 2;
  LocalOutline o;
  o.Line(a, 0, a, D1 - tf - r);
  o.Line(a - r, D1 - tf, 0, D1 - tf);
  o.Line(0, D1 - tf, 0, D1);
  o.Line(0, D1, D2, D1);
  o.Line(D2, D1, D2, D1 - tf);
  o.Line(D2, D1 - tf, c + r, D1 - tf);
  o.Line(c, D1 - tf - r, c, 0);
  o.Line(a, 0, c, 0);
  o.Arc(a - r, D1 - tf - r, r, 0, 90);
  o.Arc(c + r, D1 - tf - r, r, 90, 180);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeISection() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("Ｉ-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  const double H = D1;
  const double B = D2;
  const double tf = D4;
  const double r2 = D6;
  LocalOutline o;
  HLines(o, H, B, D3, tf, D5, r2);
  HFillets(o, H, B, D3, tf, D5);
  o.Arc(r2, tf - r2, r2, 90, 180);
  o.Arc(B - r2, tf - r2, r2, 0, 90);
  o.Arc(r2, H - tf + r2, r2, 180, 270);
  o.Arc(B - r2, H - tf + r2, r2, 270, 360);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeTwoThicknessAngle() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("Ｌ-%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  const double t1 = D3;
  const double t2 = D4;
  const double r1 = D5;
  const double r2 = D6;
  LocalOutline o;
  o.Line(0, 0, 0, D1);
  o.Line(t1, t2 + r1, t1, D1);
  o.Line(0, 0, D2, 0);
  o.Line(t1 + r1, t2, D2 - r2, t2);
  o.Line(0, D1, t1, D1);
  o.Line(D2, 0, D2, t2 - r2);
  o.Arc(t1 + r1, t2 + r1, r1, 180, 270);
  o.Arc(D2 - r2, t2 - r2, r2, 0, 90);
  if (MirrorFlag()) o.Mirror(D2);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeLightChannel() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("[ -%g×%g×%g×%g"), {D1, D2, D3, D4})) return;
  const double t = D4;
  const double r = D5;
  const double R = 2 * r;
  LocalOutline o;
  o.Line(0, R, 0, D1 - R);
  o.Line(t, R, t, D1 - R);
  o.Line(R, 0, D3, 0);
  o.Line(R, t, D3, t);
  o.Line(R, D1, D2, D1);
  o.Line(R, D1 - t, D2, D1 - t);
  o.Line(D3, 0, D3, r);
  o.Line(D2, D1, D2, D1 - r);
  o.Arc(R, R, R, 180, 270);
  o.Arc(R, R, r, 180, 270);
  o.Arc(R, D1 - R, R, 90, 180);
  o.Arc(R, D1 - R, r, 90, 180);
  if (MirrorFlag()) o.Mirror(D2);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeLightAngle() {
  SetSteelBoxOffset();
  // The designation names D3 while the outline's thickness is D4.
  if (MakeDesignationOnly(J("Ｌ-%g×%g×%g"), {D1, D2, D3})) return;
  const double t = D4;
  const double r = D5;
  const double R = 2 * r;
  LocalOutline o;
  o.Line(0, R, 0, D1);
  o.Line(t, R, t, D1);
  o.Line(R, 0, D2, 0);
  o.Line(R, t, D2, t);
  o.Line(D2, 0, D2, t);
  o.Line(0, D1, t, D1);
  o.Arc(R, R, R, 180, 270);
  o.Arc(R, R, r, 180, 270);
  if (MirrorFlag()) o.Mirror(D2);
  PlaceLocalFigure(o.Take());
}

void TBuzaidanmenobj::MakeLineChannel() {
  SetSteelBoxOffset();
  if (MakeDesignationOnly(J("[ -%g×%g"), {D1, D2})) return;
  const double a = D3;
  const double b = D4;
  const double e = D5;
  LocalOutline o;
  o.Line(0, 0, 0, a);
  o.Line(0, D1, 0, D1 - a);
  o.Line(0, a, b, a + b);
  o.Line(0, D1 - a, b, D1 - a - b);
  o.Line(b, a + b, b, D1 - a - b);
  o.Line(0, 0, D2, 0);
  o.Line(0, D1, D2, D1);
  o.Line(D2, 0, D2, a);
  o.Line(D2, D1, D2, D1 - a);
  o.Line(D2, a, D2 - e, a + e);
  o.Line(D2, D1 - a, D2 - e, D1 - a - e);
  if (MirrorFlag()) o.MirrorLines(D2);
  PlaceLocalFigure(o.Take());
}
