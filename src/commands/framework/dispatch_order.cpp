// The one table of the fixed order in which the mouse reaches the handler
// sets, and the orders of the cancel-all and of the full redraw. A family
// file names its set; its ranks are read here.

#include <memory>
#include <stdexcept>

#include "commands/framework/command_family.h"

const std::vector<RDispatchRank>& DispatchOrder() {
  static const std::vector<RDispatchRank> order = {
      // name                 down move up
      {"RingCursor", 1, 1, 1},
      {"Draggu", 2, 2, 4},
      {"No", 3, 3, 0},
      {"Sen", 4, 4, 5},
      {"Sencyusin", 5, 5, 6},
      {"Sencyusin2", 6, 6, 7},
      {"senbunkatu", 7, 7, 8},
      {"senbunkatupitch", 8, 8, 9},
      {"sunposen", 9, 9, 10},
      {"HachiTen", 10, 10, 11},
      {"Hachi2ten", 11, 11, 12},
      {"Sunpochi", 12, 12, 13},
      {"SunpochiHen", 13, 13, 14},
      {"EnFree", 14, 14, 15},
      {"Enko", 15, 15, 16},
      {"EnkoKotei", 16, 16, 17},
      {"EnKotei", 17, 17, 18},
      {"hanEn", 18, 18, 19},
      {"En3ten", 19, 19, 20},
      {"Draf", 20, 20, 21},
      {"DrafRen", 21, 21, 22},
      {"FukusenHaniSen", 22, 22, 23},
      {"RenSunpo", 23, 23, 24},
      {"RenSunpokaku", 24, 24, 25},
      {"RenSunpoKei", 25, 25, 26},
      {"RenSunpoCyusin", 26, 26, 27},
      {"RenSunpoCyusin2", 27, 27, 28},
      {"Fukusen", 28, 28, 29},
      {"FukuSenTanbu", 29, 29, 30},
      {"Fukuen", 30, 30, 31},
      {"SenDel", 31, 31, 32},
      {"Sennakanuki", 32, 32, 33},
      {"Senkotensetu", 33, 33, 34},
      {"CopyHanten", 34, 34, 35},
      {"zokusei", 35, 35, 36},
      {"ZokuseiRenHen", 36, 36, 37},
      {"MoziDel", 37, 37, 38},
      {"nanbering", 38, 38, 39},
      {"SenSinsyuku", 39, 39, 40},
      {"Senkankaku", 40, 40, 41},
      {"treming", 41, 41, 42},
      {"kakudo", 42, 42, 43},
      {"Hani", 43, 43, 44},
      {"TateguHani", 44, 44, 45},
      {"KiritoriHani", 45, 45, 46},
      {"HaniGai", 46, 46, 47},
      {"Box", 47, 47, 48},
      {"BoxSen", 48, 48, 49},
      {"wsen", 49, 49, 50},
      {"Boxsunpo", 50, 66, 67},
      {"printsen", 51, 50, 51},
      {"CopyFree", 52, 51, 52},
      {"copyMenseki", 53, 52, 53},
      {"Nitenkan", 54, 53, 54},
      {"SenZyouTen", 55, 54, 55},
      {"EnZyouTen", 56, 55, 56},
      {"pictureMove", 57, 56, 57},
      {"pictureKakudai", 58, 57, 58},
      {"pictureDel", 59, 58, 59},
      {"iikatusin", 60, 59, 60},
      {"iikatuBubun", 61, 60, 61},
      {"iikatufugo", 62, 61, 62},
      {"tenk", 63, 62, 65},
      {"tenGaibu", 64, 63, 66},
      {"SokuteiMen", 65, 64, 63},
      {"SokuteiKeka", 66, 65, 64},
      {"Mozi", 67, 67, 68},
      {"Mentori", 68, 68, 69},
      {"CopyHenkeiZukei", 69, 69, 70},
      {"CopyHenkeiZukei2", 70, 70, 71},
      {"Sikichi", 71, 71, 72},
      {"Sikichi4", 72, 72, 73},
      {"SeSenTenEn", 73, 73, 74},
      {"SeSenEnEn", 74, 74, 75},
      {"EnSeSen3ten", 75, 75, 76},
      {"EnSeSen3tenN", 76, 76, 77},
      {"kyokusen3ten", 77, 77, 78},
      {"KakudoSokutei", 78, 78, 79},
      {"SupuLine", 79, 79, 80},
      {"Hanipg", 80, 80, 81},
      {"henkeizukei", 81, 81, 82},
      {"EnSeSen3sen", 82, 82, 83},
      {"SesentenSitei", 83, 83, 84},
      {"SesenKakuSitei", 84, 84, 85},
      {"takakukeikotei", 85, 85, 86},
      {"Buzaikotei", 86, 86, 87},
      {"Yazirusikotei", 87, 87, 88},
      {"Senkigo1", 88, 88, 89},
      {"takakukeiFree", 89, 89, 90},
      {"Yuka", 90, 90, 91},
      {"Senzyouten2", 91, 0, 3},
      {"sinko", 92, 91, 92},
      {"GridkizyunTen", 93, 92, 93},
      {"ZukeiHozon", 94, 93, 94},
      {"RenKetuMozi", 95, 94, 95},
      {"hitsuru", 96, 0, 2},
  };
  return order;
}

const std::vector<std::string>& CancelOrder() {
  // Hachi2tenCancel comes last; its row runs it only while the hatch is not held.
  static const std::vector<std::string> order = {
      "DragguCancel",    "RefreshRingCursor",   "RenSunpoCancel",      "SenCancel",          "wsenCancel",
      "SenDelCancel",    "FukusenCancel",       "iikatusinCancel",     "CopyFreeCancel",     "HaniCancel",
      "printsenCancel",  "BoxSenCancel",        "sunposenCancel",      "SokuteiMenCancel",   "SikichiCancel",
      "YukaCancel",      "EnFreeCancel",        "SesentenSiteiCancel", "FukuenCancel",       "takakukeiFreeCancel",
      "kyokusen3tenCancel", "HanipgCancel",     "DrafRenCancel",       "RenSunpoCyusinCancel", "KiritoriHaniCancel",
      "tenGaibuCancel",  "MoziCancel",         "Hachi2tenCancel",
  };
  return order;
}

const std::vector<RRedrawPlace>& RedrawOrder() {
  static const std::vector<RRedrawPlace> order = {
      {"sunposenRedraw", RedrawStage::BeforeGrid, 1},
      {"printsenRedraw", RedrawStage::EveryPaint, 1},
      {"Hachi2tenRedraw", RedrawStage::AfterElements, 1},
      {"SokuteiMenRedraw", RedrawStage::AfterElements, 2},
      {"SikichiRedraw", RedrawStage::AfterElements, 3},
      {"Sikichi4Redraw", RedrawStage::AfterElements, 4},
      {"YukaRedraw", RedrawStage::AfterElements, 5},
      {"kyokusen3tenRedraw", RedrawStage::AfterElements, 6},
      {"HanipgRedraw", RedrawStage::AfterElements, 7},
      {"DrafRenRedraw", RedrawStage::AfterRubberErased, 1},
      {"RenSunpoRedraw", RedrawStage::AfterRubberErased, 2},
      {"KiritoriHaniRedraw", RedrawStage::AfterRubberErased, 3},
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

}  // namespace

void RegisterFamily(const RCommandFamily& family) {
  const RDispatchRank& rank = RankOf(family.Name);
  TCommandRegistry& registry = CommandRegistry();
  // Every place is looked up before anything is registered, so a bad row
  // leaves the registry as it was.
  std::vector<int> cancelPlaces;
  for (const RNamedPhase& cancel : family.Cancels) cancelPlaces.push_back(CancelPlaceOf(cancel.Name));
  std::vector<const RRedrawPlace*> redrawPlaces;
  for (const RNamedPhase& redraw : family.Redraws) redrawPlaces.push_back(&RedrawPlaceOf(redraw.Name));

  registry.AddHandlerSet({family.Name, family.Modes, rank.Down, rank.Move, rank.Up, family.Down, family.Move,
                          family.Up, family.Hooks, std::make_shared<const RCommandFamily>(family)});
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
