// The stock file reader on any bytes: it must refuse or accept without
// reading outside the data or indexing its style tables outside 0 to 11,
// and the records it keeps must be written and read back whole.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "canvas/stock_file.h"
#include "platform/file_services.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::array<RTextStyle, kTextStyleCount> styles;
  std::memset(styles.data(), 0, sizeof(RTextStyle) * styles.size());
  for (std::size_t i = 0; i < styles.size(); ++i) {
    styles[i].Width = static_cast<std::uint16_t>(20 + 5 * i);
    styles[i].Height = styles[i].Width;
    styles[i].Spacing = 2;
  }
  TDDGObject stock;
  if (!stock.OpenStockBytes(std::string(reinterpret_cast<const char*>(data), size), styles)) {
    if (stock.ErrorText.empty() || stock.ElementCount != 0) std::abort();
    return 0;
  }
  TDDGObject copy;
  copy.KeepInMemory = true;  // written back in memory only, never to a stock file
  RDrawElement e;
  std::int32_t kept = 0;
  while (stock.ReadElement(e)) {
    if (!SanitizeStockRecord(e, stock.TextCount())) continue;
    if (e.Kind == kKindText) {
      if (e.TextStyle >= kTextStyleCount) std::abort();
      e.TextStyle = stock.MappedStyle(e.TextStyle);
    }
    copy.WriteElement(e, 0, 0, 0, stock.FileRotation, stock.FileXFactor, stock.FileYFactor, stock.FileGroupScales,
                      stock.FileStyles);
    ++kept;
  }
  const std::vector<std::string> texts = stock.ReadTextTable();
  if (texts.size() != stock.TextCount()) std::abort();
  for (std::size_t k = 0; k < texts.size(); ++k) (void)stock.StyleSuffix(texts[k], static_cast<int>(k % 14) - 1);
  copy.Texts = texts;
  std::string written;
  try {
    written = copy.FinishStream();
  } catch (const FileError&) {
    return 0;  // a string of 65535 bytes without its NUL cannot be written back
  }
  TDDGObject back;
  if (!back.OpenStockBytes(written, styles)) std::abort();
  if (back.ElementCount != kept || back.TextCount() != texts.size()) std::abort();
  return 0;
}
