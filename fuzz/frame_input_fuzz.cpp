// The four input-grid parsers on any cells, then the solver and the report.
// Each line of the input fills one row: its first byte chooses the table,
// its second the row, and tabs separate the cells. Whatever the cells, a
// calculation either is refused with a message or gives finite results and
// a report that prints no NAN or INF.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "analysis/frame_solver.h"
#include "app/input_parsers.h"
#include "app/text_report.h"
#include "platform/dialogs.h"

namespace {

class CountingDialogs : public Dialogs {
 public:
  int Shown = 0;
  MessageAnswer ShowMessageBox(const std::string&, MessageKind, MessageButtons) override {
    ++Shown;
    return MessageAnswer::Ok;
  }
  bool OpenFile(const FileDialogRequest&, std::filesystem::path&) override { return false; }
  bool SaveFile(const FileDialogRequest&, std::filesystem::path&) override { return false; }
  std::string InputBox(const std::string&, const std::string&, const std::string& d) override { return d; }
};

bool Finite(const RFrameModel& m) {
  for (int n = 1; n <= m.NodeCount; ++n) {
    for (int k = 1; k <= 3; ++k) {
      if (!std::isfinite(m.Displacement[n][k]) || !std::isfinite(m.Reaction[n][k])) return false;
    }
  }
  for (int e = 1; e <= m.MemberCount2; ++e) {
    for (int k = 1; k <= 7; ++k) {
      if (!std::isfinite(m.MemberForce[e][k])) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The grid sizes of the dialogs, title row and column included.
  GridCells tables[8] = {GridCells(3, 150), GridCells(3, 100), GridCells(7, 100), GridCells(5, 31),
                         GridCells(4, 5),   GridCells(5, 200), GridCells(8, 120), GridCells(4, 120)};
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t at = 0;
  while (at + 2 <= input.size()) {
    const std::size_t end = std::min(input.find('\n', at), input.size());
    GridCells& table = tables[static_cast<unsigned char>(input[at]) % 8];
    const int row = 1 + static_cast<unsigned char>(input[at + 1]) % std::max(table.RowCount() - 1, 1);
    std::size_t cellAt = at + 2;
    for (int col = 1; col < table.ColCount() && cellAt <= end; ++col) {
      const std::size_t tab = std::min(input.find('\t', cellAt), end);
      table.SetCell(col, row, input.substr(cellAt, tab - cellAt));
      cellAt = tab + 1;
    }
    at = end + 1;
  }

  CountingDialogs dialogs;
  InstallDialogs(&dialogs);
  auto model = std::make_unique<RFrameModel>();
  const bool parsed = ParseCoordinates(tables[0], *model) &&
                      ParseMembers(tables[2], tables[3], tables[4], tables[5], *model) &&
                      ParseSupports(tables[1], *model) && ParseLoads(tables[6], tables[7], *model);
  InstallDialogs(nullptr);
  if (!parsed) {
    if (dialogs.Shown == 0) std::abort();  // refused without a word
    return 0;
  }
  Tmat solver;
  const SolveOutcome outcome = solver.Solve(*model);
  if (!outcome.Succeeded()) return 0;  // refused: the frame says why
  if (!Finite(*model)) std::abort();
  const TextReport report = BuildTextReport(*model, tables[2], tables[6]);
  // A number that is none prints as NAN or INF; the report also repeats
  // typed texts (a load type), which may spell them themselves.
  const auto namesNonFinite = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text.find("NAN") != std::string::npos || text.find("INF") != std::string::npos;
  };
  if (namesNonFinite(input)) return 0;
  for (const std::string& line : report.Lines) {
    if (namesNonFinite(line)) std::abort();
  }
  return 0;
}
