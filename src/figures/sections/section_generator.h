#pragma once
// The member-section figure generator: a figure kind, a base point, six sizes
// and an angle become an array of elements with the strings of its texts.
// The placing commands create one generator, call Generate on every cursor
// move and on the final click, preview Elements and commit them.
//
// Every kind builds its figure in unturned local axes whose origin is the
// bottom-left corner of the figure's box, placed by the base-point code of
// the drafting settings (the box offset, already turned by Angle) and turned
// by Angle about that corner. Sizes reach Generate in paper millimetres;
// lengths taken from the settings are real millimetres and are divided by
// Scale; designations print real sizes (size times Scale).
//
// Output records are zero-filled; a kind sets only what it names, so line
// type, colour, group and layer stay 0 and the commit gives them the current
// pen, group and layer.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/sjis_text.h"
#include "records/draw_records.h"

class TBuzaidanmenobj;

// What the figure of a definition file (kind 40) was last built from: the
// settings and the generator's own inputs. Any of them changed asks for a
// new build.
struct RDefinedFittingInputs {
  std::string FileName;
  std::uint8_t Entry = 0;
  double PlanWidth = 0.0;
  double ElevationWidth = 0.0;
  double Height = 0.0;
  double WallThickness = 0.0;
  double FrameSize = 0.0;
  double ExtraDepth = 0.0;
  std::uint8_t Generator = 0;
  std::uint8_t PlanMode = 0;
  std::int32_t MirrorX = 0;
  std::int32_t MirrorY = 0;
  std::uint8_t BasePoint = 0;
  double Angle = 0.0;
  double Scale = 0.0;
  std::array<RTextStyle, kTextStyleCount> Styles{};

  bool operator==(const RDefinedFittingInputs& Other) const;
};

// The figure kind 40 built last on one generator, kept apart from the output
// that every kind rebuilds: the elements and texts as placed at (PointX,
// PointY) with their box offset, and the inputs they came from.
struct RDefinedFittingBuild {
  bool Built = false;
  RDefinedFittingInputs Inputs;
  std::vector<RDrawElement> Elements;
  std::vector<std::string> Texts;
  double OffsetX = 0.0;
  double OffsetY = 0.0;
  double PointX = 0.0;
  double PointY = 0.0;
};

// Kinds FirstKind..LastKind of Generate are built by Producer. A row whose
// producer divides by the figure scale leaves the output as it was while
// that scale is 0 or not finite.
struct RFigureKindRow {
  std::uint8_t FirstKind = 0;
  std::uint8_t LastKind = 0;
  void (*Producer)(TBuzaidanmenobj& Figure) = nullptr;
  bool DividesByScale = false;
};

// Adds kinds built by a library above this one; the program calls it at
// start. A later row for a kind replaces an earlier one and the built-in
// rows.
void RegisterFigureKinds(std::span<const RFigureKindRow> Rows);

// Takes note of the registered rows when made and puts them back when it
// goes: what was registered meanwhile is gone. Tests register kinds under
// one, so that the cases of one process leave each other no rows.
class FigureKindRegistrationScope {
 public:
  FigureKindRegistrationScope();
  ~FigureKindRegistrationScope();
  FigureKindRegistrationScope(const FigureKindRegistrationScope&) = delete;
  FigureKindRegistrationScope& operator=(const FigureKindRegistrationScope&) = delete;

 private:
  std::vector<RFigureKindRow> saved_;
};

class TBuzaidanmenobj {
 public:
  // Copies up to 12 styles (the canvas passes its table) and keeps Scale.
  TBuzaidanmenobj(std::span<const RTextStyle> Styles, double Scale);

  // A change of the scale by more than 1.0 marks the definition-file
  // fittings to be read again.
  void SetStylesAndScale(std::span<const RTextStyle> Styles, double Scale);
  // Keeps the ten values, then rebuilds the output with the kind's
  // producer; a kind without one leaves Elements and Texts as they were.
  void Generate(std::uint8_t Kind, double X, double Y, double D1, double D2, double D3, double D4, double D5, double D6,
                double Angle);

  // E becomes a text element (kind 2, line type 1, colour 1) at (X, Y)
  // moved by the justification code; the other bytes of E stay.
  void MakeTextElement(RDrawElement& E, std::string_view Text, double X, double Y, double Angle, std::int32_t TextIndex,
                       std::uint8_t Justify, std::uint8_t Style) const;
  // (X1, Y1) comes in as the point of the text's box that Justify names (0
  // bottom left, 1 bottom centre, 2 bottom right, 3 middle right, 4 top
  // right, 5 top centre, 6 centre, 7 top left, 8 middle left; others as 0)
  // and goes out as the start of the baseline, (X2, Y2) its end. A style
  // above 11 is measured as style 0.
  void JustifyText(double& X1, double& Y1, double& X2, double& Y2, double Angle, std::string_view Text,
                   std::uint8_t Justify, std::uint8_t Style) const;

  // Box offsets: OffsetX, OffsetY := the vector from the base point to the
  // box's bottom-left corner for the base-point code, turned by Angle. A
  // code above 8 leaves them as they were.
  void SetBoxOffset(double W, double H, double Gap);
  // Turned by Sign x Angle; Lift raises the box for the bottom codes and
  // lowers it twice for the top ones.
  void SetMirroredBoxOffset(std::int32_t Sign, double W, double H, double Gap, double Lift);
  // A box D2 wide and D1 high.
  void SetSizeBoxOffset();
  // A square of side D1.
  void SetSquareBoxOffset();
  // A box D2 (doubled: 2 x D2) wide and D1 high with the steel gaps; in
  // designation-only mode the anchor of the designation instead.
  void SetSteelBoxOffset();
  void SetDoubleSteelBoxOffset();
  // The justification of a text anchored at the base point by its code.
  std::uint8_t BaseJustification() const;

  // Lines only, kept with the selection cleared.
  void AddReferenceLine(const RDrawElement& E);
  void ClearReferenceLines();
  // Nearest to (X, Y) first, by the distance to the line's perpendicular
  // foot: a selection sort that exchanges records, so equal keys need not
  // keep their order.
  void SortReferenceLines(double X, double Y);
  // Which 1 keeps E as Reference1, any other as Reference2.
  void SetReferenceElement(const RDrawElement& E, std::uint8_t Which);

  // Steel sections, kinds 0 to 11.
  void MakeHSection();
  void MakeSquareTube();
  void MakePipe();
  void MakeLipChannel();
  void MakeSingleLipChannel();
  void MakeBackToBackLipChannels();
  void MakeFacingLipChannels();
  void MakeAngle();
  void MakeChannel();
  void MakeCutTee();
  void MakeISection();
  void MakeTwoThicknessAngle();
  void MakeLightChannel();
  void MakeLightAngle();
  void MakeLineChannel();
  // Kinds 20 to 22.
  void MakeRepeatedProfile();
  // Kinds 110 to 112: Which 0 open, 1 closed, 2 notched.
  void MakeArrowhead(std::int32_t Which);

  // RC section lists, kinds 30 to 32: one cell of a beam, column or pile
  // list from the RC settings; kind 33 the symbol of the main bar.
  void MakeRcBeamListCell();
  void MakeRcColumnListCell();
  void MakeRcPileListCell();
  void MakeRcBarMark();
  // The hoop pictogram centred on (X, Y): a square of side 2.4 divided into
  // Rows - 1 strips by height and Cols - 1 by width.
  void AddHoopPictogram(std::uint8_t Rows, std::uint8_t Cols, double X, double Y);
  // Kind 90: a label frame with up to three labels.
  void MakeLabelledSymbol();
  // Kinds 91 to 94: Which 0 to 3, a hook of radius D2 with a tail D1 long
  // starting at the base point.
  void MakeHookMark(std::int32_t Which);
  // Kind 95: a labelled mark on every reference line, the label counting up.
  void MakeLineMarks();

  // Kind 40: the entry of the fitting definition file of the settings,
  // mirrored, turned about its placed point and kept; while nothing it was
  // built from changes, a call only moves the kept figure to the base point.
  void MakeDefinedFittingPlan();
  // Reads the definition file of the settings into FittingLines when a
  // reload is asked for or the file is not the kept figure's; an empty name
  // reads nothing. An unreadable file leaves no lines and is reported once.
  void ReloadDefinitionLines();

  // Post symbols and door and window elevations, built by the fittings
  // library.
  void MakePostSymbol();
  void MakeFittingElevation51();
  void MakeFittingElevation52();
  void MakeFittingElevation53();
  void MakeFittingElevation54();
  void MakeFittingElevation55();
  void MakeFittingElevation56();
  // Door and window plans, built by the fittings library.
  void MakeFittingPlan61();
  void MakeFittingPlan62();
  void MakeFittingPlan63();
  void MakeFittingPlan64();
  void MakeFittingPlan65();
  void MakeFittingPlan66();
  void MakeFittingPlan67();
  void MakeFittingPlan68();
  void MakeFittingPlan69();
  void MakeFittingPlan70();
  void MakeFittingPlan71();
  void MakeFittingPlan72();
  void MakeFittingPlan73();
  void MakeFittingPlan74();
  void MakeFittingPlan75();
  void MakeFittingPlan76();
  void MakeFittingPlan77();

  // Kind 100: an entry of the line-symbol file of the settings, built when
  // the settings or the picked line's direction change and only moved
  // otherwise.
  void MakeLineSymbol();
  // The cursor with angle 0, or, when Reference1 is a line, the cursor's
  // foot on it with the direction from the line's midpoint to that foot.
  void GetSymbolPlacement(double& X, double& Y, double& A) const;
  // The entry scaled by FX, FY (negative mirrors) and turned by Angle about
  // the symbol's origin (0, 0) into Elements and Texts. An empty FileName
  // empties Elements only.
  void BuildLineSymbol(const std::string& FileName, std::uint8_t Entry, double FX, double FY, double Angle);

  // Elements in local axes, turned by Angle about the box corner and moved
  // there; they replace Elements.
  void PlaceLocalFigure(std::vector<RDrawElement> Local);

  double BaseX = 0.0;
  double BaseY = 0.0;
  double D1 = 0.0;
  double D2 = 0.0;
  double D3 = 0.0;
  double D4 = 0.0;
  double D5 = 0.0;
  double D6 = 0.0;
  double Angle = 0.0;
  double SymbolAngle = 0.0;
  std::uint8_t Kind = 0;
  double OffsetX = 0.0;
  double OffsetY = 0.0;
  double Scale = 0.0;
  double FittingPointX = 0.0;
  double FittingPointY = 0.0;
  TextLines FittingLines;
  std::string SymbolFileName;
  std::int32_t SymbolNumber = -1;  // -1: no line symbol cached
  double SymbolPointX = 0.0;
  double SymbolPointY = 0.0;
  std::uint8_t SymbolPlacement = 0;
  std::vector<RDrawElement> ReferenceLines;
  std::array<RTextStyle, kTextStyleCount> Styles{};
  std::vector<RDrawElement> Elements;
  std::vector<std::string> Texts;  // indexed by the text elements
  RDrawElement Reference1 = NoReference();
  RDrawElement Reference2 = NoReference();

 private:
  // The line-symbol file last reported unreadable, so that a symbol rebuilt
  // at every turn of the picked line does not report it again.
  std::string SymbolFileReported;
  // Kind 40's figure and the definition file last reported unreadable.
  RDefinedFittingBuild DefinedFitting;
  std::string FittingFileReported;

  // The inputs kind 40 builds from, as they stand.
  RDefinedFittingInputs DefinedFittingInputs() const;
  // Builds kind 40 from FittingLines, whole, into DefinedFitting.
  void BuildDefinedFitting();

  static RDrawElement NoReference();
  void CopyStyles(std::span<const RTextStyle> From);
  // Stores the code's offset (x, y) turned by TurnAngle; false for a code
  // above 8.
  bool StoreBoxOffset(double x, double y, double TurnAngle);
  // The steel box (W wide, horizontal gap gx) or, in designation-only mode,
  // the designation anchor.
  void SetSteelOffset(double W, double gx);
  // In designation-only mode: the designation as the only text; true when
  // the outline is not to be built.
  bool MakeDesignationOnly(std::string_view Pattern, std::initializer_list<double> Sizes);
};
