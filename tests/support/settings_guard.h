#pragma once
// Restores the twelve settings records when it goes out of scope, so a test
// that changes a setting leaves the defaults to the next one. The program
// itself never resets a record.

#include "tools/settings/default_settings.h"

class SettingsGuard {
 public:
  SettingsGuard();
  ~SettingsGuard();
  SettingsGuard(const SettingsGuard&) = delete;
  SettingsGuard& operator=(const SettingsGuard&) = delete;

 private:
  RDimensionDefaults dimension_;
  RDraftDefaults draft_;
  RFirstData3 firstData3_;
  RRcSectionDefaults rcSection_;
  RFirstData5 firstData5_;
  RToolDefaults tool_;
  RPostSymbolDefaults postSymbol_;
  RFirstData11 firstData11_;
  RFittingDefaults fitting_;
  RFirstData18 firstData18_;
  RCrossHairDefaults crossHair_;
  RFirstData22 firstData22_;
};
