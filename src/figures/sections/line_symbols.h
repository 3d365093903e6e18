#pragma once
// The reader of line-symbol definition files: one entry of the file becomes
// lines, arcs, texts and points in definition coordinates. The figure
// generator scales, turns and moves them afterwards.
//
// A file holds a name line ("#" first), a count line, the lines of entry 0,
// then per entry a separator (a line with "99" in its first four characters),
// a header line (placement code and title) and the entry's lines. Texts are
// laid out with style 3; the nine reference points of the last text laid out
// let later lines and arcs hang on its corners, edge midpoints or centre.
// Colour 11 marks connector lines and hidden arcs.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/angles_points.h"
#include "geometry/sjis_text.h"
#include "records/draw_records.h"

class TSenkigouobj {
 public:
  // Kinds of the line last classified.
  static constexpr std::uint8_t kLineKindLine = 0;
  static constexpr std::uint8_t kLineKindArc = 1;
  static constexpr std::uint8_t kLineKindText = 2;
  static constexpr std::uint8_t kLineKindPoint = 3;
  static constexpr std::uint8_t kLineKindHeader = 10;
  static constexpr int kTokenCount = 17;

  explicit TSenkigouobj(double Scale);

  // Builds entry Entry of the lines into Items and Texts. AllowInput lets a
  // text beginning with "INPUT" be asked for in the input box. FX, FY and
  // Angle are the caller's and are not read.
  void BuildEntry(const TextLines& Lines, std::uint8_t Entry, bool AllowInput, double FX, double FY, double Angle);

  // Classifies one line and cuts its tokens; true for an accepted data line
  // other than the count line.
  bool ClassifyLine(std::string_view Line, std::uint8_t Entry);
  // A parameter line (code 760 to 764) keeps its code and two numbers.
  bool ReadParameterLine(std::string_view Code, std::string_view Value1, std::string_view Value2);
  std::uint8_t LayerCode(std::string_view S) const;
  std::uint8_t LineColour(std::string_view S, std::uint8_t Marker1, std::uint8_t Marker2) const;
  std::uint8_t ArcColour(std::string_view S, std::uint8_t Marker1) const;
  // Offsets (x1, y1, x2, y2) and markers of the two end codes of a line.
  void LineEndOffsets(std::string_view Code1, std::string_view Code2, std::uint8_t& Marker1, std::uint8_t& Marker2,
                      std::array<double, 4>& Offsets) const;
  // As LineEndOffsets for the centre code of an arc (the first code counts).
  void ArcCentreOffsets(std::string_view Code1, std::string_view Code2, std::uint8_t& Marker1, std::uint8_t& Marker2,
                        std::array<double, 4>& Offsets) const;
  // E becomes a text element anchored at (X1, Y1) and is laid out.
  void MakeTextItem(RDrawElement& E, std::string_view Text, double X1, double Y1, double X2, double Y2, double Angle,
                    std::int32_t TextIndex, std::uint8_t Justify, std::uint8_t Style);
  // (X1, Y1) comes in as the point of the text's box that the file's digit
  // Justify names and goes out as the base point; (X2, Y2) the end of the
  // baseline. Sets the reference points.
  void PlaceText(double& X1, double& Y1, double& X2, double& Y2, double& Angle, std::string_view Text,
                 std::uint8_t Justify, std::uint8_t Style);

  std::int32_t ItemCount = 0;
  std::int32_t CurrentEntry = 0;
  double Scale = 0.0;
  std::uint8_t LineKind = 0;
  std::int32_t EntryCount = 0;
  std::int32_t PlacementCode = 0;
  std::int32_t ParameterCode = 0;
  double ParameterValue1 = 0.0;
  double ParameterValue2 = 0.0;
  std::array<RPoint2D, 9> ReferencePoints{};
  std::vector<std::string> Texts;
  std::uint8_t NameState = 0;
  bool HeaderPending = false;
  std::string Name;
  std::string Title;
  std::array<std::string, kTokenCount> Tokens;
  std::array<RTextStyle, kTextStyleCount> TextStyles{};  // width, height and spacing only
  std::vector<RDrawElement> Items;

 private:
  void CutTokens(std::string_view Line);
  void BuildLine();
  void BuildArc();
  void BuildText(std::string_view Line, bool AllowInput);
  void BuildPoint();
  // The offsets of one code: a reference code moves by reference point k.
  void CodeOffset(std::string_view Code, std::uint8_t& Marker, double& dx, double& dy) const;
};
