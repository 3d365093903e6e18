#include "support/settings_guard.h"

SettingsGuard::SettingsGuard()
    : dimension_(DimensionDefaults),
      draft_(DraftDefaults),
      firstData3_(FirstData3),
      rcSection_(RcSectionDefaults),
      firstData5_(FirstData5),
      tool_(ToolDefaults),
      postSymbol_(PostSymbolDefaults),
      firstData11_(FirstData11),
      fitting_(FittingDefaults),
      firstData18_(FirstData18),
      crossHair_(CrossHairDefaults),
      firstData22_(FirstData22) {}

SettingsGuard::~SettingsGuard() {
  DimensionDefaults = dimension_;
  DraftDefaults = draft_;
  FirstData3 = firstData3_;
  RcSectionDefaults = rcSection_;
  FirstData5 = firstData5_;
  ToolDefaults = tool_;
  PostSymbolDefaults = postSymbol_;
  FirstData11 = firstData11_;
  FittingDefaults = fitting_;
  FirstData18 = firstData18_;
  CrossHairDefaults = crossHair_;
  FirstData22 = firstData22_;
}
