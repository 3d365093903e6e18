// The handler table of the command families, kept sorted by rank.

#include "canvas/command_registry.h"

#include <algorithm>

namespace {

template <typename Entry>
void InsertByRank(std::vector<Entry>& list, Entry entry) {
  std::erase_if(list, [&](const Entry& e) { return e.Name == entry.Name; });
  // Equal ranks keep the order of registration.
  const auto at = std::upper_bound(list.begin(), list.end(), entry.Rank,
                                   [](int rank, const Entry& e) { return rank < e.Rank; });
  list.insert(at, std::move(entry));
}

void PlacePoint(std::vector<RPointEntry>& list, const std::string& name, int rank, const TPointHandler& handler) {
  std::erase_if(list, [&](const RPointEntry& e) { return e.Name == name; });
  if (rank <= 0 || !handler) return;
  InsertByRank(list, RPointEntry{rank, name, handler});
}

}  // namespace

void TCommandRegistry::AddHandlerSet(const RHandlerSet& set) {
  PlacePoint(down_, set.Name, set.DownRank, set.Down);
  PlacePoint(move_, set.Name, set.MoveRank, set.Move);
  PlacePoint(up_, set.Name, set.UpRank, set.Up);
}

void TCommandRegistry::AddCancelPhase(const std::string& name, int rank, TPhaseHandler phase) {
  if (!phase) return;
  InsertByRank(cancel_, RPhaseEntry{name, rank, RedrawStage::AfterElements, std::move(phase)});
}

void TCommandRegistry::AddRedrawPhase(const std::string& name, RedrawStage stage, int rank, TPhaseHandler phase) {
  if (!phase) return;
  // Stages run in their order; the rank orders the phases within a stage.
  const int key = static_cast<int>(stage) * 1000 + rank;
  InsertByRank(redraw_, RPhaseEntry{name, key, stage, std::move(phase)});
}

void TCommandRegistry::Clear() { *this = TCommandRegistry(); }

TCommandRegistry& CommandRegistry() {
  static TCommandRegistry registry;
  return registry;
}
