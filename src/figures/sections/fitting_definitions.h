#pragma once
// The reader of fitting definition files: one entry of the file becomes the
// lines, arcs, texts and points of a door or window, in definition
// coordinates divided by the drawing scale.
//
// Coordinates along the opening are offsets from positions of a grid that
// spans the width of the settings, so one definition fits any opening. The
// plan reading (generator modes 0 and 1) scales coordinates across the wall
// to the wall thickness; the elevation reading (mode 2) ties heights to
// divisions of the fitting height. The entry, the mode and the sizes come
// from RFirstData5; a size line of the entry writes the wall thickness and
// the frame size back into it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/sjis_text.h"
#include "records/draw_records.h"

class TTateguHeiDanobj {
 public:
  static constexpr int kTokenCount = 12;

  explicit TTateguHeiDanobj(double Scale);

  // Builds entry FittingEntry of the lines into Items and Texts. A scale of
  // 0 or one that is not finite builds nothing.
  void BuildFromLines(const TextLines& Lines);

  // Finds the size line of entry Entry: the marker that starts it (entry 0
  // has none). A found size line writes the settings' sizes.
  void ReadSizeLine(const TextLines& Lines, std::uint8_t Entry);
  // One line of the plan and of the elevation reading. Flag false is the
  // reading without settings (factor 1.0, height and width 1000).
  void ReadPlanLine(std::span<const std::string> Tokens, bool Flag, double Width);
  void ReadElevationLine(std::span<const std::string> Tokens, bool Flag, double Width);
  // The height of Y: from the bottom up to 500, from the top above
  // N x 1000 - 500, else from the nearest division line (N 0 means 10).
  static double HeightPosition(std::int32_t N, double Y, double H);
  static std::uint8_t JustifyCode(std::uint8_t Digit);
  // Justification (as the generator's code), style and direction of an
  // attribute code; a style above 11 gives 0.
  static void ReadTextAttributes(std::string_view Code, std::uint8_t& Justify, std::uint8_t& Style,
                                 std::uint8_t& Direction);
  // The character at Position (from 1) as a number, 0 when it is no digit.
  static std::int32_t DigitAt(std::string_view S, std::int32_t Position);
  // The elements of an arc shape between grid positions First and Second.
  void MakeArcShape(std::span<const std::string> Tokens, std::int32_t Shape, std::int32_t First, std::int32_t Second,
                    std::int32_t& Count);
  static void ReadLayerCode(std::string_view Code, std::uint8_t& Layer, std::uint16_t& Tag);

  // The tokens of one trimmed line: numbers not below -90000 and the single
  // letters A to F and S; the first other word ends them. A t9 holding a
  // double quote takes t9 to t11 as they are.
  static std::vector<std::string> CutTokens(std::string_view Line);

  std::int32_t ItemCount = 0;
  double Scale = 0.0;
  double Height = 0.0;
  std::int32_t GridCount = 0;
  std::int32_t DivisionCount = 0;
  double Pitch = 0.0;
  double AcrossFactor = 0.0;
  double EndFactor = 0.0;
  std::int32_t HeaderNumber = 0;
  std::vector<std::string> Texts;
  bool ScaleMode = false;
  double AcrossReference = 0.0;
  double ReferenceSize = 0.0;
  double SizeB = 0.0;
  double SizeA = 0.0;
  std::string Name;
  bool SizeLineFound = false;
  std::vector<RDrawElement> Items;

 private:
  // x of an offset along from grid position Position, y of an offset across
  // the wall.
  double AlongPosition(double Along, std::int32_t Position) const;
  double AcrossPosition(double Across) const;
  void AddItem(const RDrawElement& E, std::int32_t& Count);
};
