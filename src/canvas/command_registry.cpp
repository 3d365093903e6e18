// The handler table of the command families, kept sorted by rank.

#include "canvas/command_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

template <typename Entry>
void InsertByRank(std::vector<Entry>& list, Entry entry) {
  std::erase_if(list, [&](const Entry& e) { return e.Name == entry.Name; });
  // Equal ranks keep the order of registration.
  const auto at =
      std::upper_bound(list.begin(), list.end(), entry.Rank, [](int rank, const Entry& e) { return rank < e.Rank; });
  list.insert(at, std::move(entry));
}

void PlacePoint(std::vector<RPointEntry>& list, const std::string& name, int rank, const TPointHandler& handler) {
  std::erase_if(list, [&](const RPointEntry& e) { return e.Name == name; });
  if (rank <= 0 || !handler) return;
  InsertByRank(list, RPointEntry{rank, name, handler});
}

// A name the program runs but nobody registered: loud while the program is
// developed, nothing in a release build.
bool UnknownName(const char* what, const std::string& name) {
#ifndef NDEBUG
  std::fprintf(stderr, "unregistered %s run by name: %s\n", what, name.c_str());
  std::abort();
#else
  (void)what;
  (void)name;
  return false;
#endif
}

}  // namespace

void TCommandRegistry::AddHandlerSet(const RHandlerSet& set) {
  PlacePoint(down_, set.Name, set.DownRank, set.Down);
  PlacePoint(move_, set.Name, set.MoveRank, set.Move);
  PlacePoint(up_, set.Name, set.UpRank, set.Up);
  const auto same = std::find_if(sets_.begin(), sets_.end(), [&](const RHandlerSet& s) { return s.Name == set.Name; });
  if (same != sets_.end()) {
    *same = set;
  } else {
    sets_.push_back(set);
  }
  RebuildOwners();
}

void TCommandRegistry::RebuildOwners() {
  for (auto& owners : owners_) owners.clear();
  std::vector<std::size_t> order(sets_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  // A set without a down rank sorts after those with one.
  auto key = [&](std::size_t i) { return sets_[i].DownRank > 0 ? sets_[i].DownRank : 1 << 20; };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  for (std::size_t i : order) {
    for (Sbuttontype mode : sets_[i].Modes) {
      std::vector<std::size_t>& owners = owners_[mode];
      if (std::find(owners.begin(), owners.end(), i) == owners.end()) owners.push_back(i);
    }
  }
}

std::vector<const RHandlerSet*> TCommandRegistry::OwnersOf(Sbuttontype mode) const {
  std::vector<const RHandlerSet*> owners;
  for (std::size_t i : owners_[mode]) owners.push_back(&sets_[i]);
  return owners;
}

const RHandlerSet* TCommandRegistry::FindHandlerSet(const std::string& name) const {
  for (const RHandlerSet& set : sets_) {
    if (set.Name == name) return &set;
  }
  return nullptr;
}

void TCommandRegistry::AddUpEntry(const std::string& name, int rank, TPointHandler up) {
  PlacePoint(up_, name, rank, up);
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

void TCommandRegistry::AddResetPhase(const std::string& name, TPhaseHandler phase) {
  if (!phase) return;
  InsertByRank(reset_, RPhaseEntry{name, 0, RedrawStage::AfterElements, std::move(phase)});
}

void TCommandRegistry::AddNamedPhase(const std::string& name, TPhaseHandler phase) {
  if (!phase) return;
  InsertByRank(named_, RPhaseEntry{name, 0, RedrawStage::AfterElements, std::move(phase)});
}

void TCommandRegistry::AddFinishPhase(const std::string& name, TFinishHandler finish) {
  if (!finish) return;
  std::erase_if(finishes_, [&](const auto& f) { return f.first == name; });
  finishes_.emplace_back(name, std::move(finish));
}

const TPhaseHandler* TCommandRegistry::FindPhase(const std::string& name) const {
  for (const auto* list : {&cancel_, &redraw_, &reset_, &named_}) {
    for (const RPhaseEntry& entry : *list) {
      if (entry.Name == name) return &entry.Phase;
    }
  }
  return nullptr;
}

bool TCommandRegistry::RunPhase(const std::string& name, TcadBox& box) const {
  const TPhaseHandler* phase = FindPhase(name);
  if (phase == nullptr) return UnknownName("phase", name);
  (*phase)(box);
  return true;
}

bool TCommandRegistry::RunFinish(const std::string& name, TcadBox& box, std::uint8_t flag) const {
  for (const auto& [finishName, finish] : finishes_) {
    if (finishName == name) {
      finish(box, flag);
      return true;
    }
  }
  return UnknownName("finish", name);
}

bool TCommandRegistry::HasFinish(const std::string& name) const {
  return std::any_of(finishes_.begin(), finishes_.end(), [&](const auto& f) { return f.first == name; });
}

void TCommandRegistry::Clear() { *this = TCommandRegistry(); }

TCommandRegistry& CommandRegistry() {
  static TCommandRegistry registry;
  return registry;
}
