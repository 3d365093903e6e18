// The one instance of each settings record.

#include "tools/settings/default_settings.h"

#include "geometry/sjis_text.h"

void TShortString::Assign(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + width > kMaxBytes) break;
    end += width;
  }
  text_.assign(text.substr(0, end));
}

RDimensionDefaults DimensionDefaults;
RDraftDefaults DraftDefaults;
RFirstData3 FirstData3;
RRcSectionDefaults RcSectionDefaults;
RFirstData5 FirstData5;
RToolDefaults ToolDefaults;
RPostSymbolDefaults PostSymbolDefaults;
RFirstData11 FirstData11;
RFittingDefaults FittingDefaults;
RFirstData18 FirstData18;
RCrossHairDefaults CrossHairDefaults;
RFirstData22 FirstData22;
