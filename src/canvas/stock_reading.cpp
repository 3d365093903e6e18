// The canvas's two readers of the stock file: into the copy buffer for the
// host's import (with the overrides of an option code) and for the
// stock-figure paste mode.

#include <set>

#include "canvas/cad_box.h"
#include "canvas/stock_file.h"
#include "geometry/element_numbers.h"
#include "platform/dialogs.h"

namespace {

// The file's strings become the buffer's text list one for one, so the
// records' text numbers stay valid.
void TakeTexts(TDDGObject& stock, Tdrawinp& store) {
  for (std::string& t : stock.ReadTextTable()) store.BufferTexts.push_back(std::move(t));
}

}  // namespace

bool TcadBox::LoadStockToBuffer(std::uint16_t code) {
  TDDGObject stock;
  if (code < 10000) code = 11000;
  const int d5 = OptionCodeDigit(code, 5);
  const int d4 = OptionCodeDigit(code, 4);
  const auto c = static_cast<std::uint8_t>(OptionCodeDigit(code, 3) + 1);
  const auto t = static_cast<std::uint8_t>(OptionCodeDigit(code, 2) + 1);
  const auto s = static_cast<std::uint8_t>(OptionCodeDigit(code, 1) + 1);

  if (!stock.OpenStockFile(TextStyles)) {
    ShowWarning(stock.ErrorText);
    return false;
  }
  FirstPoint = {0.0, 0.0};
  CommandAngle = stock.FileRotation;
  PasteScaleX = stock.FileXFactor;
  PasteScaleY = stock.FileYFactor;
  RubberErased = true;
  Tdrawinp& store = *Draw1;
  store.ClearBuffer();
  store.BufferTexts.clear();
  if (stock.ElementCount == 0) return true;

  store.Buffer.reserve(static_cast<std::size_t>(stock.ElementCount));
  RDrawElement e;
  while (stock.ReadElement(e)) {
    if (!SanitizeStockRecord(e, stock.TextCount())) continue;
    if (e.Kind == kKindLine || e.Kind == kKindArc) {
      if (d5 == 2 || d5 == 4) e.ColorNo = c;
      if (d5 == 3 || d5 == 4) e.LineType = t;
    } else if (e.Kind == kKindPoint) {
      if (d5 == 2 || d5 == 4) e.ColorNo = c;
    } else if (e.Kind == kKindText) {
      if (d4 == 1) e.TextStyle = stock.MappedStyle(e.TextStyle);
      if (d4 == 4) e.TextStyle = s;
    }
    store.AppendToBuffer(e, 200);
  }
  BufferSourceScales = stock.FileGroupScales;
  TakeTexts(stock, store);
  if (d4 == 3) {
    // Each string once, also when several records name it.
    std::set<std::uint16_t> done;
    for (const RDrawElement& b : store.Buffer) {
      const std::uint16_t index = b.TextIndex;
      if (b.Kind != kKindText || index >= store.BufferTexts.size() || !done.insert(index).second) continue;
      store.BufferTexts[index] = stock.StyleSuffix(store.BufferTexts[index], b.TextStyle);
    }
  }
  store.RescaleBuffer(WriteGrupe_No, 0, BufferSourceScales, GroupScales);
  RefitBufferTextEnds();
  return true;
}

bool TcadBox::LoadStockForCopy() {
  // A bad file is refused before the running command is touched.
  TDDGObject stock;
  if (!stock.OpenStockFile(TextStyles)) {
    ShowWarning(stock.ErrorText);
    return false;
  }
  CancelCommands(false);
  ButonType = dtCopyTazuMen;
  Tdrawinp& store = *Draw1;
  store.BufferTexts.clear();
  store.ClearBuffer();
  FirstPoint = {0.0, 0.0};
  CommandAngle = stock.FileRotation;
  PasteScaleX = stock.FileXFactor;
  PasteScaleY = stock.FileYFactor;
  if (stock.ElementCount == 0) return true;

  store.Buffer.reserve(static_cast<std::size_t>(stock.ElementCount));
  RDrawElement e;
  while (stock.ReadElement(e)) {
    if (!SanitizeStockRecord(e, stock.TextCount())) continue;
    if (e.Kind == kKindText) e.TextStyle = stock.MappedStyle(e.TextStyle);
    store.AppendToBuffer(e, 200);
  }
  BufferSourceScales = stock.FileGroupScales;
  TakeTexts(stock, store);
  store.RescaleBuffer(WriteGrupe_No, 0, BufferSourceScales, GroupScales);
  RefitBufferTextEnds();
  return true;
}
