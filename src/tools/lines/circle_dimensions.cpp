// Styles 0 to 5 of the chained-dimension tool: arc-length and angle chains
// around a circle, and the diameter and radius of a circle or ellipse.
//
// The chains: point 1 picks the measured circle, the update before point 2
// fixes the circle where the leaders start (entry 0), the update before
// point 3 the dimension circle (entry 1); from then on every point is a
// measuring point on the dimension circle in the cursor's direction. After
// the guide circles come the first measuring point's leader and point (styles
// 1 and 3: an unused zero element and the leader), then one step per
// further measuring point: the dimension arc from the previous measuring
// point, the leader, the point (or four arrow strokes) and the value text.
// The last step always follows the cursor.

#include "geometry/angles_points.h"
#include "tools/lines/chained_dimension.h"
#include "tools/settings/default_settings.h"

namespace {

// A dashed full circle about the measured circle's centre through the cursor.
RDrawElement GuideCircle(const RDrawElement& Measured, double PX, double PY) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.LineType = 9;
  e.X1 = Measured.X1;
  e.Y1 = Measured.Y1;
  e.Radius = PointDistance(Measured.X1, Measured.Y1, PX, PY);
  e.Ratio = 1.0f;
  return e;
}

RDrawElement ColouredLine(std::uint8_t colour) {
  RDrawElement e = ZeroElement();
  e.ColorNo = colour;
  return e;
}

RDrawElement PointElement(double x, double y) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.ColorNo = DimensionDefaults.DimPointColour;
  e.X1 = x;
  e.Y1 = y;
  return e;
}

RDrawElement StrokeElement(double x, double y, const RPoint2D& end) {
  RDrawElement e = LineElement(x, y, end.x, end.y);
  e.ColorNo = DimensionDefaults.DimPointColour;
  return e;
}

}  // namespace

void TRenSunpoSenobj::BuildArcLengthChain(double PX, double PY) { BuildCircleChain(PX, PY, false, false); }

void TRenSunpoSenobj::BuildArcLengthChainArrows(double PX, double PY) { BuildCircleChain(PX, PY, false, true); }

void TRenSunpoSenobj::BuildAngleChain(double PX, double PY) { BuildCircleChain(PX, PY, true, false); }

void TRenSunpoSenobj::BuildAngleChainArrows(double PX, double PY) { BuildCircleChain(PX, PY, true, true); }

void TRenSunpoSenobj::BuildCircleChain(double PX, double PY, bool Angles, bool Arrows) {
  if (CursorOnLastPoint(PX, PY)) return;
  const RDrawElement& measured = Picks[1].Element;
  auto high = [this] { return static_cast<std::int32_t>(Elements.size()) - 1; };
  // Grows Elements by zero entries and makes the last one the last written.
  auto grow = [&](std::size_t count) {
    Elements.resize(Elements.size() + count, ZeroElement());
    LastIndex = high();
  };
  switch (PointCount) {
    case 1:
      Elements.assign(1, GuideCircle(measured, PX, PY));
      Texts.clear();
      LastIndex = 0;
      return;
    case 2:
      if (LastIndex < 1) {
        Elements.resize(2, ZeroElement());
        LastIndex = 1;
      } else {
        if (Elements.empty()) return;
        LastIndex = high();
      }
      Elements[static_cast<std::size_t>(LastIndex)] = GuideCircle(measured, PX, PY);
      return;
    case 3: {
      // Styles 1 and 3 grow one entry per update up to entry 3, so entry 2
      // stays a zero element.
      const std::int32_t first = Arrows ? 3 : 2;
      if (LastIndex < first) {
        grow(Arrows ? 1 : 2);
        return;
      }
      if (Elements.size() < 4) return;
      RDrawElement leader = ColouredLine(DimensionDefaults.DimLineColour);
      RDrawElement measure = ZeroElement();
      RadialLeader(Elements[0], Elements[1], PX, PY, leader, measure);
      if (Arrows) {
        Elements[3] = leader;
        FirstLeader = measure;
      } else {
        LastIndex = high() - 1;
        Elements[static_cast<std::size_t>(LastIndex)] = leader;
        ++LastIndex;
        Elements[static_cast<std::size_t>(LastIndex)] = PointElement(measure.X2, measure.Y2);
      }
      return;
    }
    default: BuildChainStep(PX, PY, Angles, Arrows, Arrows ? 7 : 4); return;
  }
}

bool TRenSunpoSenobj::GrowChainStep(int StepSize) {
  if (Style > 3 || PointCount < 4) return false;
  if ((PointCount - 3) * StepSize < LastIndex) return false;
  Elements.resize(Elements.size() + static_cast<std::size_t>(StepSize), ZeroElement());
  LastIndex = static_cast<std::int32_t>(Elements.size()) - 1;
  Texts.emplace_back(" ");
  return true;
}

void TRenSunpoSenobj::BuildChainStep(double PX, double PY, bool Angles, bool Arrows, int StepSize) {
  if (GrowChainStep(StepSize)) return;
  // The step is rebuilt in place of the previous one for this point.
  const auto step = static_cast<std::size_t>(StepSize);
  if (Elements.size() < 4 + step) return;
  LastIndex = static_cast<std::int32_t>(Elements.size() - 1 - step);
  if (!Texts.empty()) Texts.pop_back();
  RDrawElement leader = ColouredLine(DimensionDefaults.DimLineColour);
  RDrawElement measure = ZeroElement();
  RadialLeader(Elements[0], Elements[1], PX, PY, leader, measure);
  const double lx = measure.X2, ly = measure.Y2;
  // The previous measuring point: the first point (styles 1 and 3 keep it in
  // FirstLeader), or where the previous step's last element starts.
  double ex = 0.0, ey = 0.0;
  if (PointCount == 4 && Arrows) {
    ex = FirstLeader.X2;
    ey = FirstLeader.Y2;
  } else {
    const RDrawElement& previous = Elements[PointCount == 4 ? 3 : static_cast<std::size_t>(LastIndex - 1)];
    ex = previous.X1;
    ey = previous.Y1;
  }
  RArcValueText value;
  if (!Angles) {
    value = ArcLengthText(Picks[1].Element, Elements[1], ex, ey, lx, ly);
  } else {
    value = ArcAngleText(Elements[1], ex, ey, lx, ly);
    if (Arrows) {
      const RArcValueText around = ArcLengthText(Elements[0], Elements[1], ex, ey, lx, ly);
      value.A1 = around.A1;
      value.A2 = around.A2;
    }
  }
  auto write = [this](const RDrawElement& e) { Elements[static_cast<std::size_t>(++LastIndex)] = e; };
  const RDrawElement& circle = Elements[1];
  RDrawElement arc = ZeroElement();
  arc.Kind = kKindArc;
  arc.ColorNo = DimensionDefaults.DimLineColour;
  arc.X1 = circle.X1;
  arc.Y1 = circle.Y1;
  arc.Radius = circle.Radius;
  arc.Ratio = 1.0f;
  arc.StartAngle = static_cast<float>(value.A1);
  arc.EndAngle = static_cast<float>(value.A2);
  write(arc);
  write(leader);
  if (Arrows) {
    // Strokes the settings give no length stay at their arc ends.
    RPoint2D s1{ex, ey}, s2{ex, ey}, f1{lx, ly}, f2{lx, ly};
    ArcArrowheads(ex, ey, value.A1, lx, ly, value.A2, s1, s2, f1, f2);
    write(StrokeElement(ex, ey, s1));
    write(StrokeElement(ex, ey, s2));
    write(StrokeElement(lx, ly, f1));
    write(StrokeElement(lx, ly, f2));
  } else {
    write(PointElement(lx, ly));
  }
  Texts.push_back(value.Text);
  RDrawElement text = ZeroElement();
  MakeText(text, value.Text, value.X, value.Y, value.Angle, static_cast<std::uint16_t>(Texts.size() - 1), 1,
           DimensionDefaults.DimTextStyle, 0);
  write(text);
}

void TRenSunpoSenobj::BuildDiameterDimension(double PX, double PY) { BuildCircleDimension(PX, PY, true); }

void TRenSunpoSenobj::BuildRadiusDimension(double PX, double PY) { BuildCircleDimension(PX, PY, false); }

void TRenSunpoSenobj::BuildCircleDimension(double PX, double PY, bool Diameter) {
  if (CursorOnLastPoint(PX, PY)) return;
  const std::uint8_t prefixOn = ToolDefaults.RadiusPrefixOn;
  const std::string& prefix = ToolDefaults.RadiusPrefix;
  const std::uint8_t endMark = DimensionDefaults.DimEndMark;
  if (endMark > 1 || PointCount != 1) return;
  Elements.clear();
  Texts.clear();
  LastIndex = 0;
  const RDrawElement& picked = Picks[1].Element;
  double theta = 0.0;
  RDrawElement line = Diameter ? DiameterLine(picked, PX, PY, theta) : RadiusLine(picked, PX, PY, theta);
  line.ColorNo = DimensionDefaults.DimLineColour;
  const double ax = line.X1, ay = line.Y1, bx = line.X2, by = line.Y2;
  std::string text = LengthText(PointDistance(ax, ay, bx, by) * GroupScale);
  if (prefixOn == 1) text = prefix + text;
  if (prefixOn == 2) text += prefix;

  Elements.push_back(line);
  if (endMark == 0) {
    Elements.push_back(PointElement(ax, ay));
    Elements.push_back(PointElement(bx, by));
  } else {
    // Strokes the settings give no length stay at their line ends.
    RPoint2D a1{ax, ay}, a2{ax, ay}, b1{bx, by}, b2{bx, by};
    LineArrowheads(ax, ay, bx, by, Diameter ? theta : NormalizeAngle(theta + 180.0), a1, a2, b1, b2);
    Elements.push_back(StrokeElement(ax, ay, a1));
    Elements.push_back(StrokeElement(ax, ay, a2));
    Elements.push_back(StrokeElement(bx, by, b1));
    Elements.push_back(StrokeElement(bx, by, b2));
  }
  Texts.push_back(text);
  // The diameter's value stands at the centre, the radius's half way out.
  const double tx = Diameter ? picked.X1 : (ax + bx) / 2;
  const double ty = Diameter ? picked.Y1 : (ay + by) / 2;
  RDrawElement element = ZeroElement();
  MakeText(element, text, tx, ty, theta, static_cast<std::uint16_t>(Texts.size() - 1), 1,
           DimensionDefaults.DimTextStyle, 0);
  Elements.push_back(element);
  LastIndex = static_cast<std::int32_t>(Elements.size()) - 1;
}
