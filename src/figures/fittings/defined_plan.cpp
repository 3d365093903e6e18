// Kind 40: a door or window plan from an entry of the user's fitting
// definition file, placed at the base point, mirrored, turned about its
// placed point and kept between calls.

#include <cmath>
#include <cstring>
#include <utility>

#include "figures/sections/definition_files.h"
#include "figures/sections/fitting_definitions.h"
#include "figures/sections/section_generator.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "tools/settings/default_settings.h"

namespace {

// Lines and texts move at both points, arcs and points at their first;
// other kinds are never placed and stay.
void MoveDefinedElement(RDrawElement& e, double dx, double dy) {
  if (e.Kind != kKindLine && e.Kind != kKindText && e.Kind != kKindArc && e.Kind != kKindPoint) return;
  e.X1 += dx;
  e.Y1 += dy;
  if (e.Kind == kKindLine || e.Kind == kKindText) {
    e.X2 += dx;
    e.Y2 += dy;
  }
}

// The placement of the definition's figure: every x times MX and every y
// times MY, moved to the placed point P and turned about it by Angle.
struct DefinedPlacement {
  double MX;
  double MY;
  double PX;
  double PY;
  double Angle;

  void Place(double& x, double& y) const {
    x = MX * x + PX;
    y = MY * y + PY;
  }
  void Turn(double& x, double& y) const {
    if (Angle != 0.0) RotateAboutCentre(x, y, Angle, PX, PY);
  }
  // The first or the second point of an element, placed and turned; the
  // packed fields are read and written by value.
  void PutFirst(RDrawElement& e) const {
    double x = e.X1;
    double y = e.Y1;
    Place(x, y);
    Turn(x, y);
    e.X1 = x;
    e.Y1 = y;
  }
  void PutSecond(RDrawElement& e) const {
    double x = e.X2;
    double y = e.Y2;
    Place(x, y);
    Turn(x, y);
    e.X2 = x;
    e.Y2 = y;
  }
};

}  // namespace

bool RDefinedFittingInputs::operator==(const RDefinedFittingInputs& Other) const {
  return FileName == Other.FileName && Entry == Other.Entry && PlanWidth == Other.PlanWidth &&
         ElevationWidth == Other.ElevationWidth && Height == Other.Height && WallThickness == Other.WallThickness &&
         FrameSize == Other.FrameSize && ExtraDepth == Other.ExtraDepth && Generator == Other.Generator &&
         PlanMode == Other.PlanMode && MirrorX == Other.MirrorX && MirrorY == Other.MirrorY &&
         BasePoint == Other.BasePoint && Angle == Other.Angle && Scale == Other.Scale &&
         std::memcmp(Styles.data(), Other.Styles.data(), sizeof(Styles)) == 0;
}

RDefinedFittingInputs TBuzaidanmenobj::DefinedFittingInputs() const {
  const RFirstData5& s = FirstData5;
  RDefinedFittingInputs in;
  in.FileName = s.FittingDefinitionFile;
  in.Entry = s.FittingEntry;
  in.PlanWidth = s.FittingPlanWidth;
  in.ElevationWidth = s.FittingElevationWidth;
  in.Height = s.FittingHeight;
  in.WallThickness = s.FittingWallThickness;
  in.FrameSize = s.FittingFrameSize;
  in.ExtraDepth = s.FittingPlanExtraDepth;
  in.Generator = s.FittingGenerator;
  in.PlanMode = s.FittingPlanMode;
  in.MirrorX = s.FittingMirrorX;
  in.MirrorY = s.FittingMirrorY;
  in.BasePoint = DraftDefaults.FigureBasePoint;
  in.Angle = Angle;
  in.Scale = Scale;
  in.Styles = Styles;
  return in;
}

void TBuzaidanmenobj::ReloadDefinitionLines() {
  const std::string& name = FirstData5.FittingDefinitionFile;
  const bool asked = FirstData5.FittingReload != 0 || !DefinedFitting.Built || DefinedFitting.Inputs.FileName != name;
  if (!asked || name.empty()) return;
  if (ReadDefinitionLines(name, FittingLines)) {
    FittingFileReported.clear();
    return;
  }
  // The figure is built at every cursor move: one report is enough.
  if (FittingFileReported != name) ReportUnreadableDefinitionFile(name);
  FittingFileReported = name;
}

void TBuzaidanmenobj::BuildDefinedFitting() {
  TTateguHeiDanobj reader(Scale);
  // The entry's size line may change the wall thickness and frame size that
  // size the box, so the box follows the build.
  reader.BuildFromLines(FittingLines);
  RDefinedFittingBuild build;
  build.Inputs = DefinedFittingInputs();
  const RDefinedFittingInputs& in = build.Inputs;
  const double gap = in.PlanMode == 0 ? in.FrameSize / Scale : 0.0;
  const std::int64_t product = std::int64_t{in.MirrorX} * in.MirrorY;
  const std::int32_t sign = product > 0 ? 1 : product < 0 ? -1 : 0;
  if (in.Generator == 2) {
    SetMirroredBoxOffset(sign, in.ElevationWidth / Scale, in.Height / Scale - gap, gap, gap);
  } else {
    SetMirroredBoxOffset(sign, in.PlanWidth / Scale, (in.WallThickness + in.ExtraDepth) / Scale, gap, 0.0);
  }
  build.OffsetX = OffsetX;
  build.OffsetY = OffsetY;
  build.PointX = in.MirrorX * OffsetX + BaseX;
  build.PointY = in.MirrorY * OffsetY + BaseY;
  const DefinedPlacement place{static_cast<double>(in.MirrorX), static_cast<double>(in.MirrorY), build.PointX,
                               build.PointY, Angle};
  // A figure mirrored by either factor or both keeps its texts reading
  // forward: their direction is taken from the end back to the anchor.
  const bool textsMirrored = !(in.MirrorX > 0 && in.MirrorY > 0);
  build.Elements.reserve(reader.Items.size());
  for (const RDrawElement& item : reader.Items) {
    RDrawElement e = item;
    switch (e.Kind) {
      case kKindLine:
        place.PutFirst(e);
        place.PutSecond(e);
        break;
      case kKindText: {
        double ax = e.X1, ay = e.Y1, ex = e.X2, ey = e.Y2;
        double a = 0.0;
        if (textsMirrored) {
          place.Place(ax, ay);
          place.Place(ex, ey);
          a = DirectionAngleDeg(ex, ey, ax, ay);
        } else {
          ax += place.PX;
          ay += place.PY;
          a = DirectionAngleDeg(ax, ay, ex + place.PX, ey + place.PY);
        }
        RotateAboutCentre(ax, ay, Angle, place.PX, place.PY);
        const std::size_t index = item.TextIndex;
        build.Texts.push_back(index < reader.Texts.size() ? reader.Texts[index] : std::string());
        const auto justify = static_cast<std::uint8_t>(item.Reserved48 & 0xFF);
        MakeTextElement(e, build.Texts.back(), ax, ay, NormalizeAngleUpTo360(a + Angle),
                        static_cast<std::int32_t>(build.Texts.size() - 1), justify, item.TextStyle);
        break;
      }
      case kKindArc: {
        double cx = e.X1, cy = e.Y1;
        place.Place(cx, cy);
        float start = e.StartAngle;
        float end = e.EndAngle;
        float rotation = e.Rotation;
        MirrorArcAngles(start, end, rotation, cx, cy, e.Radius, place.MX, place.MY);
        if (Angle != 0.0) {
          rotation = static_cast<float>(Angle);
          place.Turn(cx, cy);
        }
        e.X1 = cx;
        e.Y1 = cy;
        e.StartAngle = start;
        e.EndAngle = end;
        e.Rotation = rotation;
        break;
      }
      case kKindPoint: place.PutFirst(e); break;
      default: break;
    }
    build.Elements.push_back(e);
  }
  build.Built = true;
  DefinedFitting = std::move(build);
}

void TBuzaidanmenobj::MakeDefinedFittingPlan() {
  RFirstData5& settings = FirstData5;
  // A reload asked for, another file or any other input changed builds the
  // figure again; otherwise the kept figure is only moved.
  if (settings.FittingReload != 0 || !DefinedFitting.Built || !(DefinedFitting.Inputs == DefinedFittingInputs())) {
    ReloadDefinitionLines();
    BuildDefinedFitting();
    settings.FittingReload = 0;
  }
  const RDefinedFittingBuild& kept = DefinedFitting;
  OffsetX = kept.OffsetX;
  OffsetY = kept.OffsetY;
  FittingPointX = kept.Inputs.MirrorX * OffsetX + BaseX;
  FittingPointY = kept.Inputs.MirrorY * OffsetY + BaseY;
  const double dx = FittingPointX - kept.PointX;
  const double dy = FittingPointY - kept.PointY;
  Elements = kept.Elements;
  Texts = kept.Texts;
  for (RDrawElement& e : Elements) MoveDefinedElement(e, dx, dy);
}
