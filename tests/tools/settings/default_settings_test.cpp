// The built-in settings: every field's type and default as the tables give
// them (texts as code page 932 bytes), the short-string limit, and the guard
// that restores the records after a test.

#include "tools/settings/default_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <type_traits>

#include "support/settings_guard.h"

namespace {

enum FieldType { kByte, kWord, kInteger, kSingle, kDouble, kString, kShortString };

template <class T>
constexpr FieldType TypeOf() {
  if constexpr (std::is_same_v<T, std::uint8_t>)
    return kByte;
  else if constexpr (std::is_same_v<T, std::uint16_t>)
    return kWord;
  else if constexpr (std::is_same_v<T, std::int32_t>)
    return kInteger;
  else if constexpr (std::is_same_v<T, float>)
    return kSingle;
  else if constexpr (std::is_same_v<T, double>)
    return kDouble;
  else if constexpr (std::is_same_v<T, std::string>)
    return kString;
  else if constexpr (std::is_same_v<T, TShortString>)
    return kShortString;
  else
    static_assert(!sizeof(T), "not a settings field type");
}

struct Field {
  const char* record;
  const char* name;
  const void* address;
  FieldType actualType;
  FieldType type;
  double number;      // numeric fields
  std::string bytes;  // text fields
};

#define NUMBER_FIELD(rec, f, t, v)                          \
  Field {                                                   \
#rec, #f, &rec.f, TypeOf < decltype(rec.f)>(), t, v, {} \
  }
#define STRING_FIELD(rec, f, t, v) \
  Field { #rec, #f, &rec.f, TypeOf < decltype(rec.f)>(), t, 0.0, v }

// The fields of each record in their declaration order.
const Field kFields[] = {
    // RDimensionDefaults
    NUMBER_FIELD(DimensionDefaults, DimTextStyle, kByte, 3),
    NUMBER_FIELD(DimensionDefaults, DimLineColour, kByte, 1),
    NUMBER_FIELD(DimensionDefaults, DimPointColour, kByte, 1),
    NUMBER_FIELD(DimensionDefaults, DimTextGap, kSingle, 0.5),
    NUMBER_FIELD(DimensionDefaults, DimExtensionOvershoot, kSingle, 0.0),
    NUMBER_FIELD(DimensionDefaults, ArrowLength, kSingle, 1.5),
    NUMBER_FIELD(DimensionDefaults, ArrowAngle, kSingle, 15.0),
    NUMBER_FIELD(DimensionDefaults, DimThousandsSeparator, kByte, 1),
    NUMBER_FIELD(DimensionDefaults, DimDecimalsOn, kByte, 0),
    NUMBER_FIELD(DimensionDefaults, DimEndMark, kByte, 0),
    NUMBER_FIELD(DimensionDefaults, DimInMetres, kByte, 0),
    NUMBER_FIELD(DimensionDefaults, DimDecimals, kByte, 0),
    NUMBER_FIELD(DimensionDefaults, AnchorMarginLeftX, kSingle, -1.0),
    NUMBER_FIELD(DimensionDefaults, AnchorMarginCentreX, kSingle, 0.0),
    NUMBER_FIELD(DimensionDefaults, AnchorMarginRightX, kSingle, 1.0),
    NUMBER_FIELD(DimensionDefaults, AnchorMarginBottomY, kSingle, -1.0),
    NUMBER_FIELD(DimensionDefaults, AnchorMarginMiddleY, kSingle, 0.0),
    NUMBER_FIELD(DimensionDefaults, AnchorMarginTopY, kSingle, 1.0),
    NUMBER_FIELD(DimensionDefaults, AngleTextDms, kByte, 0),
    NUMBER_FIELD(DimensionDefaults, AngleTextDecimals, kByte, 3),
    // RDraftDefaults
    NUMBER_FIELD(DraftDefaults, SingleDimMark, kByte, 0),
    NUMBER_FIELD(DraftDefaults, ChainStyle7Length, kDouble, 1000.0),
    NUMBER_FIELD(DraftDefaults, FilletRadius, kDouble, 0.0),
    NUMBER_FIELD(DraftDefaults, AreaUnitMetres, kByte, 1),
    NUMBER_FIELD(DraftDefaults, AreaDecimals, kByte, 2),
    NUMBER_FIELD(DraftDefaults, TableStartNumber, kInteger, 1),
    NUMBER_FIELD(DraftDefaults, TableLineType2, kByte, 2),
    NUMBER_FIELD(DraftDefaults, TableLineType1, kByte, 1),
    NUMBER_FIELD(DraftDefaults, TableBaseLine, kByte, 0),
    NUMBER_FIELD(DraftDefaults, FigureBasePoint, kByte, 4),
    NUMBER_FIELD(DraftDefaults, DoubleLineRightWidth, kDouble, 50.0),
    NUMBER_FIELD(DraftDefaults, DoubleLineLeftWidth, kDouble, 50.0),
    NUMBER_FIELD(DraftDefaults, PolylineStyle, kByte, 0),
    NUMBER_FIELD(DraftDefaults, PolylineMarkSize, kDouble, 2.5),
    NUMBER_FIELD(DraftDefaults, PolylineOffset, kDouble, 0.0),
    NUMBER_FIELD(DraftDefaults, TiePitch, kDouble, 5.0),
    NUMBER_FIELD(DraftDefaults, DivisionCount, kWord, 3),
    NUMBER_FIELD(DraftDefaults, DivisionPitch, kDouble, 0.0),
    NUMBER_FIELD(DraftDefaults, StepTread, kDouble, 200.0),
    NUMBER_FIELD(DraftDefaults, StepRise, kDouble, 200.0),
    NUMBER_FIELD(DraftDefaults, StepNosing, kDouble, 30.0),
    NUMBER_FIELD(DraftDefaults, AnchorMarginsOn, kByte, 1),
    NUMBER_FIELD(DraftDefaults, ChainDimensionStyle, kByte, 0),
    NUMBER_FIELD(DraftDefaults, BoxWidth, kDouble, 0.0),
    NUMBER_FIELD(DraftDefaults, BoxHeight, kDouble, 0.0),
    NUMBER_FIELD(DraftDefaults, RepeatCount, kWord, 1),
    // RFirstData3
    NUMBER_FIELD(FirstData3, SectionListWidth, kDouble, 36.0),
    NUMBER_FIELD(FirstData3, SectionListHeight, kDouble, 90.0),
    STRING_FIELD(FirstData3, RcMemberMark, kString, "RG1"),
    STRING_FIELD(FirstData3, RcPositionLeft, kString, "\x8d\xb6\x92\x5b"),
    STRING_FIELD(FirstData3, RcPositionCentre, kString, "\x92\x86\x89\x9b"),
    STRING_FIELD(FirstData3, RcPositionRight, kString, "\x89\x45\x92\x5b"),
    STRING_FIELD(FirstData3, RcMainBar, kString, "D22"),
    STRING_FIELD(FirstData3, RcHoopBar, kString, "D10"),
    STRING_FIELD(FirstData3, RcPileHoopBar2, kString, "D10"),
    STRING_FIELD(FirstData3, RcWebBar, kString, "D10"),
    STRING_FIELD(FirstData3, RcTieText, kString, "D10-@1000"),
    STRING_FIELD(FirstData3, RcColumnDiaHoopText, kString, "D10-@600"),
    STRING_FIELD(FirstData3, RcPileDiaHoopText, kString, "D16-@1000"),
    NUMBER_FIELD(FirstData3, RcWidth, kWord, 300),
    NUMBER_FIELD(FirstData3, RcDepth, kWord, 600),
    NUMBER_FIELD(FirstData3, RcHoopPitch, kWord, 250),
    NUMBER_FIELD(FirstData3, RcPileHoopPitch2, kWord, 250),
    NUMBER_FIELD(FirstData3, RcBarCount1, kByte, 2),
    NUMBER_FIELD(FirstData3, RcBarCount2, kByte, 2),
    NUMBER_FIELD(FirstData3, RcBarCount3, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount4, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount5, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount6, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount7, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount8, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount9, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount10, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount11, kByte, 0),
    NUMBER_FIELD(FirstData3, RcBarCount12, kByte, 0),
    NUMBER_FIELD(FirstData3, RcHoopLegsX, kByte, 2),
    NUMBER_FIELD(FirstData3, RcHoopLegsY, kByte, 2),
    NUMBER_FIELD(FirstData3, RcWebBars, kByte, 2),
    NUMBER_FIELD(FirstData3, RcPositions, kByte, 1),
    NUMBER_FIELD(FirstData3, RcNoText, kByte, 0),
    // RRcSectionDefaults
    NUMBER_FIELD(RcSectionDefaults, RcCover, kWord, 40),
    NUMBER_FIELD(RcSectionDefaults, RcPileCover, kWord, 100),
    NUMBER_FIELD(RcSectionDefaults, RcSymbolSize, kWord, 30),
    NUMBER_FIELD(RcSectionDefaults, RcSymbolSize2, kWord, 12),
    NUMBER_FIELD(RcSectionDefaults, RcSymbolColour, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcSymbolLineType, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcHoopColour, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcHoopLineType, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcBarColour, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcBarLineType, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcOutlineColour, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcOutlineLineType, kByte, 1),
    NUMBER_FIELD(RcSectionDefaults, RcTextStyle, kByte, 2),
    NUMBER_FIELD(RcSectionDefaults, SectionListTextStyle, kByte, 3),
    NUMBER_FIELD(RcSectionDefaults, SectionListColumnWidth, kWord, 36),
    NUMBER_FIELD(RcSectionDefaults, SectionListRowMode, kByte, 1),
    // RFirstData5
    STRING_FIELD(FirstData5, FittingDefinitionFile, kString, ""),
    NUMBER_FIELD(FirstData5, FittingEntry, kByte, 2),
    NUMBER_FIELD(FirstData5, FittingPlanWidth, kDouble, 1700.0),
    NUMBER_FIELD(FirstData5, FittingElevationWidth, kDouble, 1700.0),
    NUMBER_FIELD(FirstData5, FittingHeight, kDouble, 2000.0),
    NUMBER_FIELD(FirstData5, FittingWallThickness, kDouble, 70.0),
    NUMBER_FIELD(FirstData5, FittingFrameSize, kDouble, 35.0),
    NUMBER_FIELD(FirstData5, FittingPlanExtraDepth, kDouble, 0.0),
    NUMBER_FIELD(FirstData5, FittingGenerator, kByte, 0),
    NUMBER_FIELD(FirstData5, FittingReload, kByte, 1),
    NUMBER_FIELD(FirstData5, FittingPlanMode, kByte, 1),
    NUMBER_FIELD(FirstData5, FittingMirrorX, kInteger, 1),
    NUMBER_FIELD(FirstData5, FittingMirrorY, kInteger, 1),
    NUMBER_FIELD(FirstData5, LabelSymbolShape, kByte, 0),
    STRING_FIELD(FirstData5, LabelText1, kString, ""),
    STRING_FIELD(FirstData5, LabelText2, kString, ""),
    STRING_FIELD(FirstData5, LabelText3, kString, ""),
    NUMBER_FIELD(FirstData5, LabelSymbolWidth, kDouble, 8.0),
    NUMBER_FIELD(FirstData5, LabelSymbolHeight, kDouble, 8.0),
    NUMBER_FIELD(FirstData5, LabelFrameShape, kByte, 0),
    NUMBER_FIELD(FirstData5, LabelTickLength1, kDouble, 2.0),
    NUMBER_FIELD(FirstData5, LabelTickLength2, kDouble, 2.0),
    NUMBER_FIELD(FirstData5, LabelTextStyle, kByte, 3),
    NUMBER_FIELD(FirstData5, LabelWidthConversion, kByte, 0),
    NUMBER_FIELD(FirstData5, MarkOption1, kByte, 0),
    NUMBER_FIELD(FirstData5, MarkOption2, kByte, 0),
    // RToolDefaults
    NUMBER_FIELD(ToolDefaults, Chain10Size, kDouble, 100.0),
    NUMBER_FIELD(ToolDefaults, Chain10Count, kWord, 2),
    NUMBER_FIELD(ToolDefaults, ChamferLength1, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, ChamferLength2, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, Chain6Size, kDouble, 0.5),
    NUMBER_FIELD(ToolDefaults, Chain6Option1, kByte, 0),
    NUMBER_FIELD(ToolDefaults, Chain6Option2, kByte, 0),
    NUMBER_FIELD(ToolDefaults, Chain7Option, kByte, 0),
    NUMBER_FIELD(ToolDefaults, DivisionWidth, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, BoxStartSetBack, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, BoxEndSetBack, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, Chain10Option, kByte, 0),
    NUMBER_FIELD(ToolDefaults, ChainAutoOption, kByte, 0),
    NUMBER_FIELD(ToolDefaults, ChainAutoMode, kByte, 0),
    NUMBER_FIELD(ToolDefaults, ChainOffsetOn, kByte, 0),
    NUMBER_FIELD(ToolDefaults, ChainOffset, kDouble, 5.0),
    NUMBER_FIELD(ToolDefaults, ArrowheadOption, kByte, 0),
    NUMBER_FIELD(ToolDefaults, TickTaperFactor, kDouble, 1.0),
    NUMBER_FIELD(ToolDefaults, MatLayout, kByte, 0),
    NUMBER_FIELD(ToolDefaults, CurveBulge, kByte, 4),
    NUMBER_FIELD(ToolDefaults, Chain11Size1, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, Chain11Size2, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, Chain11Option, kByte, 0),
    NUMBER_FIELD(ToolDefaults, TubeCornerKind, kByte, 3),
    NUMBER_FIELD(ToolDefaults, PointGridPitchX, kDouble, 910.0),
    NUMBER_FIELD(ToolDefaults, PointGridPitchY, kDouble, 910.0),
    NUMBER_FIELD(ToolDefaults, SteelTextOffsetX, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, SteelTextOffsetY, kDouble, 0.0),
    NUMBER_FIELD(ToolDefaults, SteelTextMode, kByte, 0),
    NUMBER_FIELD(ToolDefaults, SteelTextStyle, kByte, 3),
    NUMBER_FIELD(ToolDefaults, PickedStartOnCurve, kByte, 0),
    NUMBER_FIELD(ToolDefaults, PickedStartOption, kByte, 0),
    NUMBER_FIELD(ToolDefaults, SteelOption, kByte, 0),
    NUMBER_FIELD(ToolDefaults, CoilHeight, kDouble, 50.0),
    NUMBER_FIELD(ToolDefaults, CoilLoopWidth, kDouble, 20.0),
    NUMBER_FIELD(ToolDefaults, CoilAdvance, kDouble, 10.0),
    NUMBER_FIELD(ToolDefaults, WaveStyle, kByte, 1),
    NUMBER_FIELD(ToolDefaults, RadiusPrefixOn, kByte, 0),
    STRING_FIELD(ToolDefaults, RadiusPrefix, kShortString, "R="),
    NUMBER_FIELD(ToolDefaults, Chain11Option2, kByte, 0),
    NUMBER_FIELD(ToolDefaults, ChannelOption, kByte, 0),
    // RPostSymbolDefaults
    NUMBER_FIELD(PostSymbolDefaults, PostHatchPitch, kDouble, 1.0),
    NUMBER_FIELD(PostSymbolDefaults, PostShape, kByte, 0),
    NUMBER_FIELD(PostSymbolDefaults, PostCorner1, kByte, 1),
    NUMBER_FIELD(PostSymbolDefaults, PostCorner2, kByte, 1),
    NUMBER_FIELD(PostSymbolDefaults, PostCorner3, kByte, 1),
    NUMBER_FIELD(PostSymbolDefaults, PostCorner4, kByte, 1),
    NUMBER_FIELD(PostSymbolDefaults, PostCornerSize1, kDouble, 20.0),
    NUMBER_FIELD(PostSymbolDefaults, PostCornerSize2, kDouble, 10.0),
    NUMBER_FIELD(PostSymbolDefaults, PostCornerSize3, kDouble, 10.0),
    // RFirstData11
    NUMBER_FIELD(FirstData11, Chain9Size1, kDouble, 15.0),
    NUMBER_FIELD(FirstData11, Chain9Option1, kByte, 1),
    NUMBER_FIELD(FirstData11, Chain8Option1, kByte, 1),
    NUMBER_FIELD(FirstData11, Chain8Option2, kByte, 2),
    NUMBER_FIELD(FirstData11, Chain9Option2, kByte, 0),
    NUMBER_FIELD(FirstData11, Chain9Size2, kDouble, 2.0),
    NUMBER_FIELD(FirstData11, Chain9Size3, kDouble, 0.5),
    NUMBER_FIELD(FirstData11, Chain9Size4, kDouble, 0.0),
    STRING_FIELD(FirstData11, Chain9Text, kString, ""),
    NUMBER_FIELD(FirstData11, Chain9TextStyle, kByte, 3),
    NUMBER_FIELD(FirstData11, Chain9Size5, kDouble, 0.0),
    NUMBER_FIELD(FirstData11, Chain9Size6, kDouble, 4.0),
    NUMBER_FIELD(FirstData11, Chain9Option3, kByte, 0),
    NUMBER_FIELD(FirstData11, Chain9Option4, kByte, 0),
    NUMBER_FIELD(FirstData11, Chain12Option, kByte, 0),
    NUMBER_FIELD(FirstData11, Chain12Size, kDouble, 2.0),
    // RFittingDefaults
    NUMBER_FIELD(FittingDefaults, FitWidth, kDouble, 1800.0),
    NUMBER_FIELD(FittingDefaults, FitHeight, kDouble, 1900.0),
    NUMBER_FIELD(FittingDefaults, FitFrameSize, kDouble, 25.0),
    NUMBER_FIELD(FittingDefaults, FitLeafCount, kByte, 1),
    NUMBER_FIELD(FittingDefaults, FitLeafFrame1, kDouble, 40.0),
    NUMBER_FIELD(FittingDefaults, FitLeafFrame2, kDouble, 40.0),
    NUMBER_FIELD(FittingDefaults, FitLeafFrame3, kDouble, 40.0),
    NUMBER_FIELD(FittingDefaults, FitLeafFrame4, kDouble, 40.0),
    NUMBER_FIELD(FittingDefaults, FitSillSize, kDouble, 45.0),
    NUMBER_FIELD(FittingDefaults, FitFrameType, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitMullion, kDouble, 70.0),
    NUMBER_FIELD(FittingDefaults, FitSurroundSize, kDouble, 15.0),
    NUMBER_FIELD(FittingDefaults, FitSurroundOn, kByte, 1),
    NUMBER_FIELD(FittingDefaults, FitWidthIsTotal, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitHandleType, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitLeafPattern, kByte, 1),
    NUMBER_FIELD(FittingDefaults, FitLeafSplit, kDouble, 0.0),
    NUMBER_FIELD(FittingDefaults, FitStripePattern, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitHandlePlacement, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitBarOn, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitBarHeight, kDouble, 860.0),
    NUMBER_FIELD(FittingDefaults, FitBarWidth, kDouble, 40.0),
    NUMBER_FIELD(FittingDefaults, FitPlanSize1, kDouble, 70.0),
    NUMBER_FIELD(FittingDefaults, FitPlanSize2, kDouble, 25.0),
    NUMBER_FIELD(FittingDefaults, FitPlanSize3, kDouble, 25.0),
    NUMBER_FIELD(FittingDefaults, FitPlanSize4, kDouble, 40.0),
    NUMBER_FIELD(FittingDefaults, FitPlanOption1, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitPlanOption2, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitPlanOption3, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitPlanOption4, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitPlanColour1, kByte, 3),
    NUMBER_FIELD(FittingDefaults, FitPlanColour2, kByte, 6),
    NUMBER_FIELD(FittingDefaults, FitPlanOption5, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitPlanOption6, kByte, 0),
    NUMBER_FIELD(FittingDefaults, FitPlanLayer, kByte, 0),
    // RFirstData18
    STRING_FIELD(FirstData18, LineSymbolFile, kString, ""),
    NUMBER_FIELD(FirstData18, LineSymbolNumber, kByte, 0),
    NUMBER_FIELD(FirstData18, LineSymbolFactorX, kDouble, 1.0),
    NUMBER_FIELD(FirstData18, LineSymbolFactorY, kDouble, 1.0),
    NUMBER_FIELD(FirstData18, LineSymbolAngle, kDouble, 0.0),
    NUMBER_FIELD(FirstData18, LineSymbolChanged, kByte, 1),
    // RCrossHairDefaults
    NUMBER_FIELD(CrossHairDefaults, CrossTickSpacingX, kDouble, 1000.0),
    NUMBER_FIELD(CrossHairDefaults, CrossTickSpacingY, kDouble, 1000.0),
    NUMBER_FIELD(CrossHairDefaults, CrossShortTick, kDouble, 2.0),
    NUMBER_FIELD(CrossHairDefaults, CrossLongTick, kDouble, 4.0),
    NUMBER_FIELD(CrossHairDefaults, CrossTicksOn, kByte, 0),
    NUMBER_FIELD(CrossHairDefaults, CrossLongTickEvery, kByte, 5),
    // RFirstData22
    NUMBER_FIELD(FirstData22, PointLabelSwapXY, kByte, 0),
    STRING_FIELD(FirstData22, PointLabelPrefix, kString, "Pt-"),
};

#undef NUMBER_FIELD
#undef STRING_FIELD

double NumberAt(const Field& f) {
  switch (f.type) {
    case kByte: return *static_cast<const std::uint8_t*>(f.address);
    case kWord: return *static_cast<const std::uint16_t*>(f.address);
    case kInteger: return *static_cast<const std::int32_t*>(f.address);
    case kSingle: return *static_cast<const float*>(f.address);
    case kDouble: return *static_cast<const double*>(f.address);
    default: return 0.0;
  }
}

std::string TextAt(const Field& f) {
  if (f.type == kShortString) return static_cast<const TShortString*>(f.address)->str();
  return *static_cast<const std::string*>(f.address);
}

TEST(DefaultSettings, EveryFieldHasItsTypeAndDefault) {
  for (const Field& f : kFields) {
    SCOPED_TRACE(std::string(f.record) + "." + f.name);
    EXPECT_EQ(f.actualType, f.type);
    if (f.type == kString || f.type == kShortString) {
      EXPECT_EQ(TextAt(f), f.bytes);
    } else if (f.type == kSingle) {
      EXPECT_EQ(NumberAt(f), static_cast<double>(static_cast<float>(f.number)));
    } else {
      EXPECT_EQ(NumberAt(f), f.number);
    }
  }
}

TEST(DefaultSettings, FieldsLieInTheirListedOrder) {
  int records = 1;
  for (std::size_t i = 1; i < std::size(kFields); ++i) {
    const Field& before = kFields[i - 1];
    const Field& f = kFields[i];
    if (std::string(before.record) != f.record) {
      ++records;
      continue;
    }
    SCOPED_TRACE(std::string(f.record) + "." + f.name);
    EXPECT_LT(static_cast<const char*>(before.address), static_cast<const char*>(f.address));
  }
  EXPECT_EQ(records, 12);
  EXPECT_EQ(std::size(kFields), 20u + 26 + 34 + 16 + 26 + 41 + 9 + 16 + 35 + 6 + 6 + 2);
}

TEST(ShortString, KeepsAtMostTwentyFourBytesOfWholeCharacters) {
  struct Case {
    std::string text, kept;
  };
  const std::string a23(23, 'a');
  const std::string hidari = "\x8d\xb6";  // one double-byte character
  std::string twelve, thirteen;
  for (int i = 0; i < 12; ++i) twelve += hidari;
  thirteen = twelve + hidari;
  // Each trail byte 0x9F also lies in the lead-byte range: only counting from
  // the first byte pairs them correctly.
  std::string twelveLeadLike;
  for (int i = 0; i < 12; ++i) twelveLeadLike += "\x88\x9f";
  const Case cases[] = {
      {"R=", "R="},
      {std::string(24, 'x'), std::string(24, 'x')},
      {std::string(30, 'x'), std::string(24, 'x')},
      {a23 + hidari, a23},  // the character would end at byte 25
      {a23 + "b" + hidari, a23 + "b"},
      {twelve, twelve},                                                // 24 bytes exactly
      {std::string(22, 'a') + hidari, std::string(22, 'a') + hidari},  // ends at byte 24
      {a23 + "\x8d", a23 + "\x8d"},                                    // a last lead byte without a partner is one byte
      {twelveLeadLike + "\x88\x9f", twelveLeadLike},
      {thirteen, twelve},
      {"", ""},
  };
  for (const Case& c : cases) {
    TShortString s;
    s = c.text;
    EXPECT_EQ(s.str(), c.kept) << c.text.size();
    EXPECT_EQ(TShortString(c.text).str(), c.kept);
  }
}

TEST(SettingsGuard, RestoresEveryRecordAfterTheScope) {
  {
    SettingsGuard guard;
    DimensionDefaults.ArrowLength = 9.0f;
    DraftDefaults.PolylineStyle = 21;
    FirstData3.RcPositionLeft = "x";
    RcSectionDefaults.RcCover = 1;
    FirstData5.FittingReload = 0;
    ToolDefaults.RadiusPrefix = "D=";
    PostSymbolDefaults.PostShape = 5;
    FirstData11.Chain9Text = "note";
    FittingDefaults.FitWidth = 1.0;
    FirstData18.LineSymbolChanged = 0;
    CrossHairDefaults.CrossTicksOn = 1;
    FirstData22.PointLabelPrefix = "P";
  }
  EXPECT_EQ(DimensionDefaults.ArrowLength, 1.5f);
  EXPECT_EQ(DraftDefaults.PolylineStyle, 0);
  EXPECT_EQ(FirstData3.RcPositionLeft, "\x8d\xb6\x92\x5b");
  EXPECT_EQ(RcSectionDefaults.RcCover, 40);
  EXPECT_EQ(FirstData5.FittingReload, 1);
  EXPECT_EQ(ToolDefaults.RadiusPrefix.str(), "R=");
  EXPECT_EQ(PostSymbolDefaults.PostShape, 0);
  EXPECT_EQ(FirstData11.Chain9Text, "");
  EXPECT_EQ(FittingDefaults.FitWidth, 1800.0);
  EXPECT_EQ(FirstData18.LineSymbolChanged, 1);
  EXPECT_EQ(CrossHairDefaults.CrossTicksOn, 0);
  EXPECT_EQ(FirstData22.PointLabelPrefix, "Pt-");
}

}  // namespace
