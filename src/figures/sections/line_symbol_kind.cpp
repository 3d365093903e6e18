// Kind 100: a line symbol from the definition file, cached between calls.

#include <cmath>

#include "figures/sections/definition_files.h"
#include "figures/sections/line_symbols.h"
#include "figures/sections/section_generator.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/element_numbers.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kAngleTolerance = 0.0001;

void MoveElement(RDrawElement& e, double dx, double dy) {
  e.X1 += dx;
  e.Y1 += dy;
  if (e.Kind == kKindLine || e.Kind == kKindText) {
    e.X2 += dx;
    e.Y2 += dy;
  }
}

void TurnPoint(double& x, double& y, double Angle) {
  if (Angle != 0.0) RotateAboutCentre(x, y, Angle, 0.0, 0.0);
}

// One element of the reader in the symbol's scale, mirror and direction.
void TransformSymbolElement(RDrawElement& e, double FX, double FY, double Angle) {
  double x1 = e.X1;
  double y1 = e.Y1;
  switch (e.Kind) {
    case kKindLine: {
      double x2 = e.X2 * FX;
      double y2 = e.Y2 * FY;
      x1 *= FX;
      y1 *= FY;
      TurnPoint(x1, y1, Angle);
      TurnPoint(x2, y2, Angle);
      e.X2 = x2;
      e.Y2 = y2;
      break;
    }
    case kKindText: {
      // Only the position scales: the text keeps its size and reads forward.
      const double along = e.X2 - x1;
      const double across = e.Y2 - y1;
      x1 *= std::abs(FX);
      y1 *= std::abs(FY);
      double x2 = x1 + along;
      double y2 = y1 + across;
      float angle = e.TextAngle;
      MirrorTextPoints(x1, y1, x2, y2, angle, 0.0, 0.0, FX, FY);
      TurnPoint(x1, y1, Angle);
      TurnPoint(x2, y2, Angle);
      e.X2 = x2;
      e.Y2 = y2;
      e.TextAngle = static_cast<float>(angle + Angle);
      break;
    }
    case kKindArc: {
      x1 *= FX;
      y1 *= FY;
      const double radius = std::abs(FX) * e.Radius;
      e.Ratio = static_cast<float>(e.Ratio * AspectRatioAtAngle(NormalizeAngleUpTo360(e.Rotation), FX, FY));
      float start = e.StartAngle;
      float end = e.EndAngle;
      float rotation = e.Rotation;
      MirrorArcAngles(start, end, rotation, x1, y1, radius, FX, FY);
      if (Angle != 0.0) {
        TurnPoint(x1, y1, Angle);
        rotation = static_cast<float>(NormalizeAngleUpTo360(rotation + Angle));
      }
      e.StartAngle = start;
      e.EndAngle = end;
      e.Rotation = rotation;
      e.Radius = radius;
      break;
    }
    default:
      x1 *= FX;
      y1 *= FY;
      TurnPoint(x1, y1, Angle);
      break;
  }
  e.X1 = x1;
  e.Y1 = y1;
}

}  // namespace

void TBuzaidanmenobj::GetSymbolPlacement(double& X, double& Y, double& A) const {
  X = BaseX;
  Y = BaseY;
  A = 0.0;
  if (Reference1.Kind != kKindLine) return;
  const RDrawElement& line = Reference1;
  double fx = X;
  double fy = Y;
  // A line of one point has no foot and no direction: the symbol stays at
  // the cursor.
  if (!PerpendicularFoot(fx, fy, line.X1, line.Y1, line.X2, line.Y2, X, Y)) return;
  X = fx;
  Y = fy;
  A = DirectionAngleDeg((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2, fx, fy);
}

void TBuzaidanmenobj::MakeLineSymbol() {
  double px = 0.0;
  double py = 0.0;
  double a = 0.0;
  GetSymbolPlacement(px, py, a);
  RFirstData18& settings = FirstData18;
  const bool rebuild = settings.LineSymbolNumber != SymbolNumber || settings.LineSymbolFile != SymbolFileName ||
                       settings.LineSymbolChanged != 0 || std::abs(settings.LineSymbolAngle - a) > kAngleTolerance ||
                       std::abs(settings.LineSymbolAngle - SymbolAngle) > kAngleTolerance;
  if (rebuild) {
    settings.LineSymbolAngle = a;
    BuildLineSymbol(settings.LineSymbolFile, settings.LineSymbolNumber, settings.LineSymbolFactorX,
                    settings.LineSymbolFactorY, settings.LineSymbolAngle);
    SymbolFileName = settings.LineSymbolFile;
    SymbolNumber = settings.LineSymbolNumber;
    settings.LineSymbolChanged = 0;
    SymbolPointX = 0.0;
    SymbolPointY = 0.0;
    SymbolAngle = settings.LineSymbolAngle;
  }
  const double dx = px - SymbolPointX;
  const double dy = py - SymbolPointY;
  for (RDrawElement& e : Elements) MoveElement(e, dx, dy);
  SymbolPointX = px;
  SymbolPointY = py;
}

void TBuzaidanmenobj::BuildLineSymbol(const std::string& FileName, std::uint8_t Entry, double FX, double FY,
                                      double Angle) {
  if (FileName.empty()) {
    Elements.clear();
    return;
  }
  TextLines lines;
  if (!ReadDefinitionLines(FileName, lines)) {
    // An unreadable file gives an empty symbol, reported once.
    if (SymbolFileReported != FileName) ReportUnreadableDefinitionFile(FileName);
    SymbolFileReported = FileName;
  } else {
    SymbolFileReported.clear();
  }
  TSenkigouobj reader(Scale);
  for (int n = 0; n < kTextStyleCount; ++n) {
    reader.TextStyles[n].Width = Styles[n].Width;
    reader.TextStyles[n].Height = Styles[n].Height;
    reader.TextStyles[n].Spacing = Styles[n].Spacing;
  }
  Elements.clear();
  reader.BuildEntry(lines, Entry, true, FX, FY, Angle);
  Texts = reader.Texts;
  SymbolPlacement = static_cast<std::uint8_t>(reader.PlacementCode & 0xFF);
  for (const RDrawElement& item : reader.Items) {
    // Hidden arcs only shape the definition.
    if (item.Kind == kKindArc && item.ColorNo == 11) continue;
    RDrawElement e = item;
    TransformSymbolElement(e, FX, FY, Angle);
    Elements.push_back(e);
  }
}
