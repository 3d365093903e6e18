// The two definition-file readers on any bytes: every entry and mode must
// build without reading outside a table, and every text element must index
// a string that exists.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "figures/sections/fitting_definitions.h"
#include "figures/sections/line_symbols.h"
#include "geometry/sjis_text.h"
#include "tools/settings/default_settings.h"

namespace {

void CheckTexts(const std::vector<RDrawElement>& items, std::size_t texts) {
  for (const RDrawElement& e : items) {
    if (e.Kind == kKindText && (e.TextIndex >= texts || e.TextStyle >= kTextStyleCount)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TextLines lines(std::string(reinterpret_cast<const char*>(data), size));
#ifdef ZURO_FUZZ_LINE_SYMBOLS
  for (std::uint8_t entry = 0; entry <= 3; ++entry) {
    TSenkigouobj reader(100.0);
    for (int n = 0; n < kTextStyleCount; ++n) {
      reader.TextStyles[n].Width = static_cast<std::uint16_t>(20 + 5 * n);
      reader.TextStyles[n].Height = 30;
      reader.TextStyles[n].Spacing = 2;
    }
    reader.BuildEntry(lines, entry, true, 1.0, 1.0, 0.0);
    CheckTexts(reader.Items, reader.Texts.size());
  }
#else
  const RFirstData5 saved = FirstData5;
  for (std::uint8_t mode = 0; mode <= 2; ++mode) {
    FirstData5 = saved;
    FirstData5.FittingGenerator = mode;
    TTateguHeiDanobj reader(50.0);
    reader.BuildFromLines(lines);
    CheckTexts(reader.Items, reader.Texts.size());
  }
  FirstData5 = saved;
#endif
  return 0;
}
