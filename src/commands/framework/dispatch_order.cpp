// The one table of the fixed order in which the mouse reaches the handler
// sets, and the orders of the cancel-all and of the full redraw. A family
// file names its set; its ranks are read here.

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include "commands/framework/command_family.h"

const std::vector<RDispatchRank>& DispatchOrder() {
  static const std::vector<RDispatchRank> order = {
      // name, down, move and up rank; the family's file under src/commands/
      {"RingCursor", 1, 1, 1},           // framework/cursor_ring_grid.cpp
      {"Draggu", 2, 2, 4},               // handlers/trims.cpp
      {"No", 3, 3, 0},                   // framework/command_helpers.cpp
      {"Sen", 4, 4, 5},                  // handlers/lines.cpp
      {"Sencyusin", 5, 5, 6},            // handlers/construction_lines.cpp
      {"Sencyusin2", 6, 6, 7},           // handlers/construction_lines.cpp
      {"senbunkatu", 7, 7, 8},           // handlers/construction_lines.cpp
      {"senbunkatupitch", 8, 8, 9},      // handlers/construction_lines.cpp
      {"sunposen", 9, 9, 10},            // handlers/dimensions.cpp
      {"HachiTen", 10, 10, 11},          // handlers/areas.cpp
      {"Hachi2ten", 11, 11, 12},         // handlers/areas.cpp
      {"Sunpochi", 12, 12, 13},          // handlers/dimensions.cpp
      {"SunpochiHen", 13, 13, 14},       // handlers/dimensions.cpp
      {"EnFree", 14, 14, 15},            // handlers/circles.cpp
      {"Enko", 15, 15, 16},              // handlers/circles.cpp
      {"EnkoKotei", 16, 16, 17},         // handlers/circles.cpp
      {"EnKotei", 17, 17, 18},           // handlers/circles.cpp
      {"hanEn", 18, 18, 19},             // handlers/circles.cpp
      {"En3ten", 19, 19, 20},            // handlers/circles.cpp
      {"Draf", 20, 20, 21},              // handlers/lines.cpp
      {"DrafRen", 21, 21, 22},           // handlers/lines.cpp
      {"FukusenHaniSen", 22, 22, 23},    // handlers/chained_dimensions.cpp
      {"RenSunpo", 23, 23, 24},          // handlers/chained_dimensions.cpp
      {"RenSunpokaku", 24, 24, 25},      // handlers/chained_dimensions.cpp
      {"RenSunpoKei", 25, 25, 26},       // handlers/chained_dimensions.cpp
      {"RenSunpoCyusin", 26, 26, 27},    // handlers/chained_dimensions.cpp
      {"RenSunpoCyusin2", 27, 27, 28},   // handlers/chained_dimensions.cpp
      {"Fukusen", 28, 28, 29},           // handlers/offsets.cpp
      {"FukuSenTanbu", 29, 29, 30},      // handlers/offsets.cpp
      {"Fukuen", 30, 30, 31},            // handlers/offsets.cpp
      {"SenDel", 31, 31, 32},            // handlers/selection.cpp
      {"Sennakanuki", 32, 32, 33},       // handlers/trims.cpp
      {"Senkotensetu", 33, 33, 34},      // handlers/trims.cpp
      {"CopyHanten", 34, 34, 35},        // framework/outside_ranges.cpp
      {"zokusei", 35, 35, 36},           // framework/attributes.cpp
      {"ZokuseiRenHen", 36, 36, 37},     // framework/attributes.cpp
      {"MoziDel", 37, 37, 38},           // handlers/texts.cpp
      {"nanbering", 38, 38, 39},         // handlers/texts.cpp
      {"SenSinsyuku", 39, 39, 40},       // handlers/stretch.cpp
      {"Senkankaku", 40, 40, 41},        // handlers/offsets.cpp
      {"treming", 41, 41, 42},           // handlers/trims.cpp
      {"kakudo", 42, 42, 43},            // framework/angle_pick.cpp
      {"Hani", 43, 43, 44},              // handlers/selection.cpp
      {"TateguHani", 44, 44, 45},        // handlers/copy_move.cpp
      {"KiritoriHani", 45, 45, 46},      // framework/outside_ranges.cpp
      {"HaniGai", 46, 46, 47},           // framework/outside_ranges.cpp
      {"Box", 47, 47, 48},               // handlers/rectangles.cpp
      {"BoxSen", 48, 48, 49},            // handlers/rectangles.cpp
      {"wsen", 49, 49, 50},              // handlers/offsets.cpp
      {"Boxsunpo", 50, 66, 67},          // handlers/rectangles.cpp
      {"printsen", 51, 50, 51},          // handlers/print_frame.cpp
      {"CopyFree", 52, 51, 52},          // handlers/copy_move.cpp
      {"copyMenseki", 53, 52, 53},       // handlers/figure_paste.cpp
      {"Nitenkan", 54, 53, 54},          // framework/point_assists.cpp
      {"SenZyouTen", 55, 54, 55},        // framework/point_assists.cpp
      {"EnZyouTen", 56, 55, 56},         // framework/point_assists.cpp
      {"pictureMove", 57, 56, 57},       // handlers/pictures.cpp
      {"pictureKakudai", 58, 57, 58},    // handlers/pictures.cpp
      {"pictureDel", 59, 58, 59},        // handlers/pictures.cpp
      {"iikatusin", 60, 59, 60},         // handlers/batch_lines.cpp
      {"iikatuBubun", 61, 60, 61},       // handlers/batch_lines.cpp
      {"iikatufugo", 62, 61, 62},        // handlers/batch_lines.cpp
      {"tenk", 63, 62, 65},              // handlers/points.cpp
      {"tenGaibu", 64, 63, 66},          // framework/external_pick.cpp
      {"SokuteiMen", 65, 64, 63},        // handlers/areas.cpp
      {"SokuteiKeka", 66, 65, 64},       // handlers/areas.cpp
      {"Mozi", 67, 67, 68},              // handlers/texts.cpp
      {"Mentori", 68, 68, 69},           // handlers/trims.cpp
      {"CopyHenkeiZukei", 69, 69, 70},   // handlers/figure_paste.cpp
      {"CopyHenkeiZukei2", 70, 70, 71},  // handlers/figure_paste.cpp
      {"Sikichi", 71, 71, 72},           // handlers/site_floor.cpp
      {"Sikichi4", 72, 72, 73},          // handlers/site_floor.cpp
      {"SeSenTenEn", 73, 73, 74},        // handlers/tangents.cpp
      {"SeSenEnEn", 74, 74, 75},         // handlers/tangents.cpp
      {"EnSeSen3ten", 75, 75, 76},       // handlers/circles.cpp
      {"EnSeSen3tenN", 76, 76, 77},      // handlers/circles.cpp
      {"kyokusen3ten", 77, 77, 78},      // handlers/curves.cpp
      {"KakudoSokutei", 78, 78, 79},     // handlers/areas.cpp
      {"SupuLine", 79, 79, 80},          // handlers/curves.cpp
      {"Hanipg", 80, 80, 81},            // handlers/selection.cpp
      {"henkeizukei", 81, 81, 82},       // handlers/figure_paste.cpp
      {"EnSeSen3sen", 82, 82, 83},       // handlers/circles.cpp
      {"SesentenSitei", 83, 83, 84},     // handlers/tangents.cpp
      {"SesenKakuSitei", 84, 84, 85},    // handlers/tangents.cpp
      {"takakukeikotei", 85, 85, 86},    // handlers/polygons.cpp
      {"Buzaikotei", 86, 86, 87},        // handlers/figures.cpp
      {"Yazirusikotei", 87, 87, 88},     // handlers/figures.cpp
      {"Senkigo1", 88, 88, 89},          // handlers/figures.cpp
      {"takakukeiFree", 89, 89, 90},     // handlers/polygons.cpp
      {"Yuka", 90, 90, 91},              // handlers/site_floor.cpp
      {"Senzyouten2", 91, 0, 3},         // framework/point_assists.cpp
      {"sinko", 92, 91, 92},             // handlers/curves.cpp
      {"GridkizyunTen", 93, 92, 93},     // framework/cursor_ring_grid.cpp
      {"ZukeiHozon", 94, 93, 94},        // handlers/copy_move.cpp
      {"RenKetuMozi", 95, 94, 95},       // handlers/texts.cpp
      {"hitsuru", 96, 0, 2},             // framework/point_assists.cpp
  };
  return order;
}

const std::vector<std::string>& CancelOrder() {
  // Hachi2tenCancel comes last; its row runs it only while the hatch is not held.
  static const std::vector<std::string> order = {
      "DragguCancel",       "RefreshRingCursor",   "RenSunpoCancel", "SenCancel",
      "wsenCancel",         "SenDelCancel",        "FukusenCancel",  "iikatusinCancel",
      "CopyFreeCancel",     "HaniCancel",          "printsenCancel", "BoxSenCancel",
      "sunposenCancel",     "SokuteiMenCancel",    "SikichiCancel",  "YukaCancel",
      "EnFreeCancel",       "SesentenSiteiCancel", "FukuenCancel",   "takakukeiFreeCancel",
      "kyokusen3tenCancel", "HanipgCancel",        "DrafRenCancel",  "RenSunpoCyusinCancel",
      "KiritoriHaniCancel", "tenGaibuCancel",      "MoziCancel",     "Hachi2tenCancel",
  };
  return order;
}

const std::vector<RRedrawPlace>& RedrawOrder() {
  static const std::vector<RRedrawPlace> order = {
      {"sunposenRedraw", RedrawStage::BeforeGrid, 1},        {"printsenRedraw", RedrawStage::EveryPaint, 1},
      {"Hachi2tenRedraw", RedrawStage::AfterElements, 1},    {"SokuteiMenRedraw", RedrawStage::AfterElements, 2},
      {"SikichiRedraw", RedrawStage::AfterElements, 3},      {"Sikichi4Redraw", RedrawStage::AfterElements, 4},
      {"YukaRedraw", RedrawStage::AfterElements, 5},         {"kyokusen3tenRedraw", RedrawStage::AfterElements, 6},
      {"HanipgRedraw", RedrawStage::AfterElements, 7},       {"DrafRenRedraw", RedrawStage::AfterRubberErased, 1},
      {"RenSunpoRedraw", RedrawStage::AfterRubberErased, 2}, {"KiritoriHaniRedraw", RedrawStage::AfterRubberErased, 3},
  };
  return order;
}

namespace {

const RDispatchRank& RankOf(const std::string& name) {
  for (const RDispatchRank& row : DispatchOrder()) {
    if (name == row.Name) return row;
  }
  throw std::logic_error("handler set not in the dispatch order: " + name);
}

int CancelPlaceOf(const std::string& name) {
  const std::vector<std::string>& order = CancelOrder();
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == name) return static_cast<int>(i) + 1;
  }
  throw std::logic_error("cancel phase not in the cancel order: " + name);
}

const RRedrawPlace& RedrawPlaceOf(const std::string& name) {
  for (const RRedrawPlace& place : RedrawOrder()) {
    if (place.Name == name) return place;
  }
  throw std::logic_error("redraw phase not in the redraw order: " + name);
}

// The names a row runs phases under.
std::vector<std::string> PhaseNamesOf(const RCommandFamily& row) {
  std::vector<std::string> names;
  for (const auto* list : {&row.Cancels, &row.Redraws, &row.Phases}) {
    for (const RNamedPhase& phase : *list) names.push_back(phase.Name);
  }
  for (const RNamedFinish& finish : row.Finishes) names.push_back(finish.Name);
  return names;
}

// Every phase of a row is found by its name later, so each has a name, a
// handler, and a name no other family's row uses.
void CheckNamedPhases(const RCommandFamily& family) {
  auto fail = [&](const std::string& what) { throw std::logic_error("family " + family.Name + ": " + what); };
  for (const auto* list : {&family.Cancels, &family.Redraws, &family.Phases}) {
    for (const RNamedPhase& phase : *list) {
      if (phase.Name.empty() || !phase.Phase) fail("a phase without a name or a handler: " + phase.Name);
    }
  }
  for (const RNamedFinish& finish : family.Finishes) {
    if (finish.Name.empty() || !finish.Finish) fail("a finish without a name or a handler: " + finish.Name);
  }
  const std::vector<std::string> mine = PhaseNamesOf(family);
  for (const RHandlerSet& set : CommandRegistry().HandlerSets()) {
    if (set.Name == family.Name || set.Row == nullptr) continue;
    for (const std::string& name : PhaseNamesOf(*static_cast<const RCommandFamily*>(set.Row.get()))) {
      if (std::find(mine.begin(), mine.end(), name) != mine.end())
        fail("a phase name of family " + set.Name + ": " + name);
    }
  }
}

bool Claims(const std::vector<RGestureAction>& actions, Sbuttontype code) {
  for (const RGestureAction& action : actions) {
    if (std::find(action.Codes.begin(), action.Codes.end(), code) != action.Codes.end()) return true;
  }
  return false;
}

// The release looks a gesture code up among the rows, so each action has a
// code and a handler, and a code is claimed once: not twice in the row, not
// by the menu's own actions, not by another family's row.
void CheckGestureCodes(const RCommandFamily& family) {
  auto fail = [&](const std::string& what) { throw std::logic_error("family " + family.Name + ": " + what); };
  auto codeName = [](Sbuttontype code) { return "gesture code " + std::to_string(static_cast<int>(code)); };
  std::vector<Sbuttontype> mine;
  for (const RGestureAction& action : family.GestureActions) {
    if (action.Codes.empty() || !action.Run) fail("a gesture action without a code or a handler");
    for (Sbuttontype code : action.Codes) {
      if (std::find(mine.begin(), mine.end(), code) != mine.end()) fail(codeName(code) + " claimed twice");
      if (Claims(MenuGestureActions(), code)) fail(codeName(code) + " is the menu's own");
      mine.push_back(code);
    }
  }
  for (const RHandlerSet& set : CommandRegistry().HandlerSets()) {
    if (set.Name == family.Name || set.Row == nullptr) continue;
    const auto* other = static_cast<const RCommandFamily*>(set.Row.get());
    for (Sbuttontype code : mine) {
      if (Claims(other->GestureActions, code)) fail(codeName(code) + " is claimed by family " + set.Name);
    }
  }
}

}  // namespace

void RegisterFamily(const RCommandFamily& family) {
  const RDispatchRank& rank = RankOf(family.Name);
  CheckNamedPhases(family);
  CheckGestureCodes(family);
  TCommandRegistry& registry = CommandRegistry();
  // Every place is looked up before anything is registered, so a bad row
  // leaves the registry as it was.
  std::vector<int> cancelPlaces;
  for (const RNamedPhase& cancel : family.Cancels) cancelPlaces.push_back(CancelPlaceOf(cancel.Name));
  std::vector<const RRedrawPlace*> redrawPlaces;
  for (const RNamedPhase& redraw : family.Redraws) redrawPlaces.push_back(&RedrawPlaceOf(redraw.Name));

  registry.AddHandlerSet({family.Name, family.Modes, rank.Down, rank.Move, rank.Up, family.Down, family.Move, family.Up,
                          family.Hooks, std::make_shared<const RCommandFamily>(family)});
  for (std::size_t i = 0; i < family.Cancels.size(); ++i) {
    registry.AddCancelPhase(family.Cancels[i].Name, cancelPlaces[i], family.Cancels[i].Phase);
  }
  for (std::size_t i = 0; i < family.Redraws.size(); ++i) {
    registry.AddRedrawPhase(family.Redraws[i].Name, redrawPlaces[i]->Stage, redrawPlaces[i]->Rank,
                            family.Redraws[i].Phase);
  }
  for (const RNamedFinish& finish : family.Finishes) registry.AddFinishPhase(finish.Name, finish.Finish);
  for (const RNamedPhase& phase : family.Phases) registry.AddNamedPhase(phase.Name, phase.Phase);
  registry.AddResetPhase(family.Name + "Reset", family.Reset);
}

std::vector<const RCommandFamily*> FamilyRowsOf(Sbuttontype mode) {
  std::vector<const RCommandFamily*> rows;
  for (const RHandlerSet* set : CommandRegistry().OwnersOf(mode)) {
    // A set put into the registry by hand has no row.
    if (set->Row != nullptr) rows.push_back(static_cast<const RCommandFamily*>(set->Row.get()));
  }
  return rows;
}
