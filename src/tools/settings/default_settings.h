#pragma once
// The built-in settings of the drawing tools: twelve records, one global
// instance each, holding their defaults from program start. Nothing loads,
// saves or resets them; a tool reads a field each time it computes (never a
// copy), so a changed field applies at the next computation. The canvas reads
// the cross-hair ticks and the anchor margins from here too.
//
// Conventions: "real mm" lengths are divided by the scale denominator of the
// current layer group (or the figure scale) before use, "drawing mm" lengths
// are used unchanged. Text is code page 932. No file carries these records,
// so they are ordinary records.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/codepage.h"

// A text of at most 24 code page 932 bytes; a longer text is cut before the
// first character that would not fit whole.
class TShortString {
 public:
  static constexpr std::size_t kMaxBytes = 24;

  TShortString() = default;
  TShortString(std::string_view text) { Assign(text); }
  TShortString& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }
  bool operator==(const TShortString&) const = default;

 private:
  void Assign(std::string_view text);
  std::string text_;
};

// Dimension lines, arrowheads, dimension texts and the anchor margins of the
// canvas's text anchoring.
struct RDimensionDefaults {
  std::uint8_t DimTextStyle = 3;           // value texts of chained-dimension styles 0 to 5 and 8
  std::uint8_t DimLineColour = 1;          // leaders, dimension arcs, diameter and radius lines
  std::uint8_t DimPointColour = 1;         // points at measured points, arrow strokes
  float DimTextGap = 0.5f;                 // drawing mm between a value text and its line
  float DimExtensionOvershoot = 0.0f;      // drawing mm past the dimension line
  float ArrowLength = 1.5f;                // drawing mm, each stroke of an arrowhead; 0: none
  float ArrowAngle = 15.0f;                // degrees between a stroke and its line
  std::uint8_t DimThousandsSeparator = 1;  // non-zero: "%1.0n" formats, else "%1.0f"
  std::uint8_t DimDecimalsOn = 0;          // 0: length texts without decimals
  std::uint8_t DimEndMark = 0;             // 1: arrowheads; 0: end-mark points
  std::uint8_t DimInMetres = 0;            // 1: lengths divided by 1000
  std::uint8_t DimDecimals = 0;            // decimals of length texts
  float AnchorMarginLeftX = -1.0f;         // along offset of left anchors
  float AnchorMarginCentreX = 0.0f;        // added to half the text length
  float AnchorMarginRightX = 1.0f;         // added to the text length
  float AnchorMarginBottomY = -1.0f;       // across offset of bottom anchors
  float AnchorMarginMiddleY = 0.0f;        // added to half the text height
  float AnchorMarginTopY = 1.0f;           // added to the text height
  std::uint8_t AngleTextDms = 0;           // non-zero: degrees, minutes and seconds
  std::uint8_t AngleTextDecimals = 3;      // decimals of decimal angle texts
};

// General drafting options: the continuous-line styles, both dimension tools,
// the area tables, the member-section figures and the anchoring switch.
struct RDraftDefaults {
  std::uint8_t SingleDimMark = 0;        // non-zero: single dimensions draw their line
  double ChainStyle7Length = 1000.0;     // real mm, chained style 7 parallels
  double FilletRadius = 0.0;             // real mm, style 0 corners (tiny: mitred); style 10 circles
  std::uint8_t AreaUnitMetres = 1;       // area tables in metres and square metres
  std::uint8_t AreaDecimals = 2;         // area tables: decimals of lengths
  std::int32_t TableStartNumber = 1;     // area tables: first row or point number
  std::uint8_t TableLineType2 = 2;       // area tables: construction lines
  std::uint8_t TableLineType1 = 1;       // site-area table: first line of a triangle
  std::uint8_t TableBaseLine = 0;        // site-area table: 1 draws the base line
  std::uint8_t FigureBasePoint = 4;      // base-point code 0 to 8 of member-section figures
  double DoubleLineRightWidth = 50.0;    // real mm, style 1 right line; styles 11 and 20
  double DoubleLineLeftWidth = 50.0;     // real mm, style 1 left line; styles 11, 12 and 20
  std::uint8_t PolylineStyle = 0;        // style 0 to 21 of the continuous-line tool
  double PolylineMarkSize = 2.5;         // drawing mm, style 5 end circle radius
  double PolylineOffset = 0.0;           // real mm, styles 0, 2 to 5 and 11: shift to the left
  double TiePitch = 5.0;                 // drawing mm, style 7
  std::uint16_t DivisionCount = 3;       // styles 11 and 12 divisions; 13 to 15 bands
  double DivisionPitch = 0.0;            // real mm, styles 11 and 12; tiny: the count applies
  double StepTread = 200.0;              // real mm, style 6 run of one step
  double StepRise = 200.0;               // real mm, style 6 largest rise
  double StepNosing = 30.0;              // real mm, style 6 set-back of a riser's top
  std::uint8_t AnchorMarginsOn = 1;      // non-zero: the canvas's anchoring adds the margins
  std::uint8_t ChainDimensionStyle = 0;  // style 0 to 12 of the chained-dimension tool
  double BoxWidth = 0.0;                 // real mm, style 8 fixed width (tiny: free)
  double BoxHeight = 0.0;                // real mm, style 8 fixed height (tiny: free)
  std::uint16_t RepeatCount = 1;         // style 8 rectangles, style 10 circles per segment
};

// RC member-section list: cell sizes, texts, sizes and bar counts.
struct RFirstData3 {
  double SectionListWidth = 36.0;   // drawing mm, one position of a cell; written by styles 13 to 18
  double SectionListHeight = 90.0;  // drawing mm, a cell; written by styles 13 to 17
  std::string RcMemberMark{"RG1"};
  std::string RcPositionLeft{J("左端")};
  std::string RcPositionCentre{J("中央")};
  std::string RcPositionRight{J("右端")};
  std::string RcMainBar{"D22"};
  std::string RcHoopBar{"D10"};
  std::string RcPileHoopBar2{"D10"};
  std::string RcWebBar{"D10"};
  std::string RcTieText{"D10-@1000"};
  std::string RcColumnDiaHoopText{"D10-@600"};
  std::string RcPileDiaHoopText{"D16-@1000"};
  std::uint16_t RcWidth = 300;  // real mm; pile diameter
  std::uint16_t RcDepth = 600;  // real mm
  std::uint16_t RcHoopPitch = 250;
  std::uint16_t RcPileHoopPitch2 = 250;
  std::uint8_t RcBarCount1 = 2;  // bar counts N1 to N12
  std::uint8_t RcBarCount2 = 2;
  std::uint8_t RcBarCount3 = 0;
  std::uint8_t RcBarCount4 = 0;
  std::uint8_t RcBarCount5 = 0;
  std::uint8_t RcBarCount6 = 0;
  std::uint8_t RcBarCount7 = 0;
  std::uint8_t RcBarCount8 = 0;
  std::uint8_t RcBarCount9 = 0;
  std::uint8_t RcBarCount10 = 0;
  std::uint8_t RcBarCount11 = 0;
  std::uint8_t RcBarCount12 = 0;
  std::uint8_t RcHoopLegsX = 2;  // legs across the width
  std::uint8_t RcHoopLegsY = 2;  // hoop legs across the depth of columns
  std::uint8_t RcWebBars = 2;
  std::uint8_t RcPositions = 1;  // positions per cell
  std::uint8_t RcNoText = 0;     // non-zero: cells without texts, dividers and pictogram
};

// Drawing options of RC sections and section lists.
struct RRcSectionDefaults {
  std::uint16_t RcCover = 40;        // real mm, inset of stirrups and hoops
  std::uint16_t RcPileCover = 100;   // real mm, inset of the hoop of circular sections
  std::uint16_t RcSymbolSize = 30;   // real mm
  std::uint16_t RcSymbolSize2 = 12;  // real mm, the small bar symbol
  std::uint8_t RcSymbolColour = 1;
  std::uint8_t RcSymbolLineType = 1;
  std::uint8_t RcHoopColour = 1;
  std::uint8_t RcHoopLineType = 1;
  std::uint8_t RcBarColour = 1;
  std::uint8_t RcBarLineType = 1;
  std::uint8_t RcOutlineColour = 1;
  std::uint8_t RcOutlineLineType = 1;
  std::uint8_t RcTextStyle = 2;
  std::uint8_t SectionListTextStyle = 3;
  std::uint16_t SectionListColumnWidth = 36;  // drawing mm
  std::uint8_t SectionListRowMode = 1;
};

// Door and window plans from a definition file, labelled symbols and marks,
// label frames.
struct RFirstData5 {
  std::string FittingDefinitionFile;      // empty: no file is read
  std::uint8_t FittingEntry = 2;          // definition entry to build
  double FittingPlanWidth = 1700.0;       // real mm
  double FittingElevationWidth = 1700.0;  // real mm
  double FittingHeight = 2000.0;          // real mm
  double FittingWallThickness = 70.0;     // real mm; replaced by the file's size line
  double FittingFrameSize = 35.0;         // real mm; replaced by the file's size line
  double FittingPlanExtraDepth = 0.0;     // real mm
  std::uint8_t FittingGenerator = 0;      // 0, 1 plan; 2 elevation; other: nothing
  std::uint8_t FittingReload = 1;         // 1: read the definition file again
  std::uint8_t FittingPlanMode = 1;       // 0: frame size at both ends; 1: none
  std::int32_t FittingMirrorX = 1;
  std::int32_t FittingMirrorY = 1;
  std::uint8_t LabelSymbolShape = 0;
  std::string LabelText1;
  std::string LabelText2;
  std::string LabelText3;
  double LabelSymbolWidth = 8.0;   // drawing mm
  double LabelSymbolHeight = 8.0;  // drawing mm
  std::uint8_t LabelFrameShape = 0;
  double LabelTickLength1 = 2.0;
  double LabelTickLength2 = 2.0;
  std::uint8_t LabelTextStyle = 3;
  std::uint8_t LabelWidthConversion = 0;  // 1 full-width, 2 half-width
  std::uint8_t MarkOption1 = 0;
  std::uint8_t MarkOption2 = 0;
};

// Options of single tools.
struct RToolDefaults {
  double Chain10Size = 100.0;  // real mm
  std::uint16_t Chain10Count = 2;
  double ChamferLength1 = 0.0;  // real mm, notch corner on the first line
  double ChamferLength2 = 0.0;  // real mm, notch corner on the second line
  double Chain6Size = 0.5;
  std::uint8_t Chain6Option1 = 0;
  std::uint8_t Chain6Option2 = 0;
  std::uint8_t Chain7Option = 0;
  double DivisionWidth = 0.0;    // real mm, double division lines when the caller passes none
  double BoxStartSetBack = 0.0;  // real mm
  double BoxEndSetBack = 0.0;    // real mm
  std::uint8_t Chain10Option = 0;
  std::uint8_t ChainAutoOption = 0;
  std::uint8_t ChainAutoMode = 0;
  std::uint8_t ChainOffsetOn = 0;
  double ChainOffset = 5.0;  // drawing mm
  std::uint8_t ArrowheadOption = 0;
  double TickTaperFactor = 1.0;  // exactly 1: no taper
  std::uint8_t MatLayout = 0;
  std::uint8_t CurveBulge = 4;
  double Chain11Size1 = 0.0;
  double Chain11Size2 = 0.0;
  std::uint8_t Chain11Option = 0;
  std::uint8_t TubeCornerKind = 3;
  double PointGridPitchX = 910.0;  // real mm
  double PointGridPitchY = 910.0;  // real mm
  double SteelTextOffsetX = 0.0;   // real mm
  double SteelTextOffsetY = 0.0;   // real mm
  std::uint8_t SteelTextMode = 0;
  std::uint8_t SteelTextStyle = 3;
  std::uint8_t PickedStartOnCurve = 0;  // with PickedStartOption: style 0 starts on a picked circle
  std::uint8_t PickedStartOption = 0;
  std::uint8_t SteelOption = 0;
  double CoilHeight = 50.0;     // real mm
  double CoilLoopWidth = 20.0;  // real mm
  double CoilAdvance = 10.0;    // real mm
  std::uint8_t WaveStyle = 1;
  std::uint8_t RadiusPrefixOn = 0;  // 1 before the value, 2 after it
  TShortString RadiusPrefix{"R="};
  std::uint8_t Chain11Option2 = 0;
  std::uint8_t ChannelOption = 0;
};

// The post symbol of the figure generator.
struct RPostSymbolDefaults {
  double PostHatchPitch = 1.0;    // hatch lines of shape 2
  std::uint8_t PostShape = 0;     // 0 one diagonal, 1 both, 2 hatch, 3 notched, 4 chamfered, 5 rounded
  std::uint8_t PostCorner1 = 1;   // outline colour
  std::uint8_t PostCorner2 = 1;   // outline line type
  std::uint8_t PostCorner3 = 1;   // inner colour
  std::uint8_t PostCorner4 = 1;   // inner line type
  double PostCornerSize1 = 20.0;  // real mm, corner size
  double PostCornerSize2 = 10.0;  // real mm, notch width
  double PostCornerSize3 = 10.0;  // real mm, notch height
};

// Options of chained-dimension styles 8, 9 and 12.
struct RFirstData11 {
  double Chain9Size1 = 15.0;  // degrees
  std::uint8_t Chain9Option1 = 1;
  std::uint8_t Chain8Option1 = 1;
  std::uint8_t Chain8Option2 = 2;
  std::uint8_t Chain9Option2 = 0;
  double Chain9Size2 = 2.0;  // drawing mm
  double Chain9Size3 = 0.5;
  double Chain9Size4 = 0.0;
  std::string Chain9Text;
  std::uint8_t Chain9TextStyle = 3;
  double Chain9Size5 = 0.0;
  double Chain9Size6 = 4.0;
  std::uint8_t Chain9Option3 = 0;
  std::uint8_t Chain9Option4 = 0;
  std::uint8_t Chain12Option = 0;
  double Chain12Size = 2.0;  // drawing mm
};

// Door and window elevations and plan symbols; all sizes real mm.
struct RFittingDefaults {
  double FitWidth = 1800.0;  // written by continuous-line style 18
  double FitHeight = 1900.0;
  double FitFrameSize = 25.0;
  std::uint8_t FitLeafCount = 1;
  double FitLeafFrame1 = 40.0;
  double FitLeafFrame2 = 40.0;
  double FitLeafFrame3 = 40.0;
  double FitLeafFrame4 = 40.0;
  double FitSillSize = 45.0;
  std::uint8_t FitFrameType = 0;
  double FitMullion = 70.0;
  double FitSurroundSize = 15.0;
  std::uint8_t FitSurroundOn = 1;
  std::uint8_t FitWidthIsTotal = 0;
  std::uint8_t FitHandleType = 0;
  std::uint8_t FitLeafPattern = 1;
  double FitLeafSplit = 0.0;
  std::uint8_t FitStripePattern = 0;
  std::uint8_t FitHandlePlacement = 0;
  std::uint8_t FitBarOn = 0;
  double FitBarHeight = 860.0;
  double FitBarWidth = 40.0;
  double FitPlanSize1 = 70.0;
  double FitPlanSize2 = 25.0;
  double FitPlanSize3 = 25.0;
  double FitPlanSize4 = 40.0;
  std::uint8_t FitPlanOption1 = 0;
  std::uint8_t FitPlanOption2 = 0;
  std::uint8_t FitPlanOption3 = 0;
  std::uint8_t FitPlanOption4 = 0;
  std::uint8_t FitPlanColour1 = 3;
  std::uint8_t FitPlanColour2 = 6;
  std::uint8_t FitPlanOption5 = 0;
  std::uint8_t FitPlanOption6 = 0;
  std::uint8_t FitPlanLayer = 0;
};

// The line symbol of the figure generator.
struct RFirstData18 {
  std::string LineSymbolFile;  // empty: an empty symbol
  std::uint8_t LineSymbolNumber = 0;
  double LineSymbolFactorX = 1.0;
  double LineSymbolFactorY = 1.0;
  double LineSymbolAngle = 0.0;        // written before each build
  std::uint8_t LineSymbolChanged = 1;  // cleared after each build
};

// Ticks of the canvas's cross-hair cursor.
struct RCrossHairDefaults {
  double CrossTickSpacingX = 1000.0;  // real mm along the horizontal hair
  double CrossTickSpacingY = 1000.0;  // real mm along the vertical hair
  double CrossShortTick = 2.0;        // drawing mm at zoom 1, half on each side of the hair
  double CrossLongTick = 4.0;
  std::uint8_t CrossTicksOn = 0;
  std::uint8_t CrossLongTickEvery = 5;
};

// Point labels of the site-area table.
struct RFirstData22 {
  std::uint8_t PointLabelSwapXY = 0;  // 1: y before x
  std::string PointLabelPrefix{"Pt-"};
};

extern RDimensionDefaults DimensionDefaults;
extern RDraftDefaults DraftDefaults;
extern RFirstData3 FirstData3;
extern RRcSectionDefaults RcSectionDefaults;
extern RFirstData5 FirstData5;
extern RToolDefaults ToolDefaults;
extern RPostSymbolDefaults PostSymbolDefaults;
extern RFirstData11 FirstData11;
extern RFittingDefaults FittingDefaults;
extern RFirstData18 FirstData18;
extern RCrossHairDefaults CrossHairDefaults;
extern RFirstData22 FirstData22;
