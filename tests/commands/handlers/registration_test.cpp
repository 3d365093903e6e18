// The layout every command family follows: each family registered once
// at its rows of the fixed dispatch order, every mode of that order owned
// by exactly one family, the cursor of every mode from its family's row.

#include <algorithm>
#include <map>
#include <set>

#include "commands/framework/command_family.h"
#include "support/command_harness.h"

namespace {

struct RPartRow {
  const char* Name;
  std::vector<Sbuttontype> Modes;
};

// The handler sets of the dispatch order with the modes their down
// handlers answer, as the input dispatch lists them.
const std::vector<RPartRow>& PartTable() {
  static const std::vector<RPartRow> rows = {
      {"RingCursor", {}},
      {"Draggu", {dtDraggu}},
      {"No", {dtNo, dtkakutei}},
      {"Sen", {dtSen}},
      {"Sencyusin", {dtSencyusin}},
      {"Sencyusin2", {dtSencyusin2}},
      {"senbunkatu", {dtsenbunkatu}},
      {"senbunkatupitch", {dtsenbunkatupitch}},
      {"sunposen", {dtsunposen}},
      {"HachiTen", {dtHachitenHen, dtHachiTen}},
      {"Hachi2ten", {dtHachitenHen, dtHachi2ten}},
      {"Sunpochi", {dtSunpochi}},
      {"SunpochiHen", {dtSunpochiHen}},
      {"EnFree", {dtEnFree}},
      {"Enko", {dtEnko}},
      {"EnkoKotei", {dtEnkoKotei}},
      {"EnKotei", {dtEnKotei}},
      {"hanEn", {dthanEn}},
      {"En3ten", {dtEn3ten}},
      {"Draf", {dtDraf}},
      {"DrafRen", {dtDrafRen}},
      {"FukusenHaniSen", {dtFukusenHaniSen}},
      {"RenSunpo", {dtRenSunpo}},
      {"RenSunpokaku", {dtRenSunpokaku}},
      {"RenSunpoKei", {dtRenSunpoKei}},
      {"RenSunpoCyusin", {dtRenSunpoCyusin}},
      {"RenSunpoCyusin2", {dtRenSunpoCyusin2}},
      {"Fukusen", {dtFukusen}},
      {"FukuSenTanbu", {dtFukuSenTanbu}},
      {"Fukuen", {dtFukuen}},
      {"SenDel", {dtSenDel}},
      {"Sennakanuki", {dtSennakanuki}},
      {"Senkotensetu", {dtSenkotensetu}},
      {"CopyHanten", {dtIdoHanten, dtCopyHanten}},
      {"zokusei", {dtzokusei, dtMoziyomu, dtZokuseiHen, dtzikukaku}},
      {"ZokuseiRenHen", {dtZokuseiRenHen}},
      {"MoziDel", {dtMoziDel}},
      {"nanbering", {dtnanbering}},
      {"SenSinsyuku", {dtSenSinsyuku}},
      {"Senkankaku", {dtSenkankaku}},
      {"treming", {dttreming}},
      {"kakudo", {dtkakudo}},
      {"Hani", {dtHani, dtHaniCopy, dtHaniMove, dtHaniParamet, dtHaniGaibu}},
      {"TateguHani", {dtTateguHani}},
      {"KiritoriHani", {dtKiritoriHani, dtKiritorisakuzyo}},
      {"HaniGai", {dtHaniGai, dtHaniCopyGai}},
      {"Box", {dtBox}},
      {"BoxSen", {dtBoxSen}},
      {"wsen", {dtwsen}},
      {"Boxsunpo", {dtBoxsunpo}},
      {"printsen", {dtprintsen}},
      {"CopyFree", {dtCopyFree, dtIdoFree}},
      {"copyMenseki", {dtcopyMenseki, dtCopyTazuMen, dtCopyZukei}},
      {"Nitenkan", {dtNitenkan}},
      {"SenZyouTen", {dtSenZyouTen}},
      {"EnZyouTen", {dtEnZyouTen}},
      {"pictureMove", {dtpictureMove}},
      {"pictureKakudai", {dtpictureKakudai}},
      {"pictureDel", {dtpictureDel, dtpicturezen, dtpicturehai}},
      {"iikatusin", {dtiikatusin}},
      {"iikatuBubun", {dtiikatuBubun}},
      {"iikatufugo", {dtiikatufugo}},
      {"tenk", {dttenk}},
      {"tenGaibu", {dttenGaibu, dttenGaibuopt}},
      {"SokuteiMen", {dtSokuteiMen}},
      {"SokuteiKeka", {dtSokuteiKeka}},
      {"Mozi", {dtMozi}},
      {"Mentori", {dtMentori, dtMentori2}},
      {"CopyHenkeiZukei", {dtCopyHenkeiZukei}},
      {"CopyHenkeiZukei2", {dtCopyHenkeiZukei2}},
      {"Sikichi", {dtSikichi, dtSikichi2, dtSikichi3}},
      {"Sikichi4", {dtSikichi4}},
      {"SeSenTenEn", {dtSeSenTenEn}},
      {"SeSenEnEn", {dtSeSenEnEn}},
      {"EnSeSen3ten", {dtEnSeSen3ten}},
      {"EnSeSen3tenN", {dtEnSeSen3tenN}},
      {"kyokusen3ten", {dtkyokusen3ten}},
      {"KakudoSokutei", {dtKakudoSokutei}},
      {"SupuLine", {dtSupuLine}},
      {"Hanipg", {dtHanipg, dtHanipgc, dthanipgm}},
      {"henkeizukei", {dthenkeizukei}},
      {"EnSeSen3sen", {dtEnSeSen3sen}},
      {"SesentenSitei", {dtSesentenSitei}},
      {"SesenKakuSitei", {dtSesenKakuSitei}},
      {"takakukeikotei", {dttakakukeikotei}},
      {"Buzaikotei", {dtBuzaikotei, dtBuzaikotei2}},
      {"Yazirusikotei", {dtYazirusikotei}},
      {"Senkigo1", {dtSenkigo1}},
      {"takakukeiFree", {dttakakukeiFree}},
      {"Yuka", {dtYuka}},
      {"Senzyouten2", {dtSenzyouten2}},
      {"sinko", {dtsinko}},
      {"GridkizyunTen", {dtGridkizyunTen, dtGridKakudo}},
      {"ZukeiHozon", {dtZukeiHozon}},
      {"RenKetuMozi", {dtRenKetuMozi}},
      {"hitsuru", {dthitsuru}},
  };
  return rows;
}

class Registration : public CommandHarness {};

TEST_F(Registration, EveryFamilyOfTheDispatchOrderIsRegisteredOnceAndNoOther) {
  std::multiset<std::string> registered;
  for (const RHandlerSet& set : CommandRegistry().HandlerSets()) registered.insert(set.Name);
  std::multiset<std::string> expected;
  for (const RPartRow& row : PartTable()) expected.insert(row.Name);
  EXPECT_EQ(registered, expected);
  // And in the order of the table, each in its row.
  ASSERT_EQ(DispatchOrder().size(), PartTable().size());
  for (std::size_t i = 0; i < PartTable().size(); ++i) EXPECT_STREQ(DispatchOrder()[i].Name, PartTable()[i].Name);
}

TEST_F(Registration, EveryModeOfTheDispatchOrderHasExactlyOneOwner) {
  std::map<int, std::vector<std::string>> expected;
  for (const RPartRow& row : PartTable()) {
    for (Sbuttontype mode : row.Modes) expected[mode].push_back(row.Name);
  }
  for (int mode = 0; mode < 256; ++mode) {
    std::vector<std::string> owners;
    for (const RHandlerSet* set : CommandRegistry().OwnersOf(static_cast<Sbuttontype>(mode))) {
      owners.push_back(set->Name);
    }
    const std::vector<std::string> want = expected.count(mode) ? expected[mode] : std::vector<std::string>{};
    EXPECT_EQ(owners, want) << "mode " << mode;
    // Only the hatch base-point mode is answered by two sets.
    if (mode == dtHachitenHen) {
      EXPECT_EQ(owners, (std::vector<std::string>{"HachiTen", "Hachi2ten"}));
    } else {
      EXPECT_LE(owners.size(), 1u) << "mode " << mode;
    }
  }
  // Gesture codes, the end marker and the idle assist have no handler.
  for (Sbuttontype mode :
       {dtsunpoHyozi, dtzokuseihyozi, dtFileTazumen, dtHachiHyozi, dtsensyuiro, dtundo, dtSunpokiri, dtHikidasisen,
        dtDsokutei, dtDkeisan, dttategu, dtbuntoku, dtmoziseiri, dtend, dtsencyuten, dtHaniDel, dtAllDel}) {
    EXPECT_TRUE(CommandRegistry().OwnersOf(mode).empty()) << int(mode);
  }
}

TEST_F(Registration, TheSequencesRunInTheirRanksTheCrossHairFirst) {
  const TCommandRegistry& r = CommandRegistry();
  for (const auto* sequence : {&r.DownSequence(), &r.MoveSequence(), &r.UpSequence()}) {
    ASSERT_FALSE(sequence->empty());
    EXPECT_EQ(sequence->front().Name, "RingCursor");
    for (std::size_t i = 1; i < sequence->size(); ++i) EXPECT_LE((*sequence)[i - 1].Rank, (*sequence)[i].Rank);
  }
  // The irregular rows keep their places.
  const RHandlerSet* boxsunpo = r.FindHandlerSet("Boxsunpo");
  ASSERT_NE(boxsunpo, nullptr);
  EXPECT_EQ(std::vector<int>({boxsunpo->DownRank, boxsunpo->MoveRank, boxsunpo->UpRank}),
            std::vector<int>({50, 66, 67}));
  const RHandlerSet* assist = r.FindHandlerSet("Senzyouten2");
  ASSERT_NE(assist, nullptr);
  EXPECT_EQ(std::vector<int>({assist->DownRank, assist->MoveRank, assist->UpRank}), std::vector<int>({91, 0, 3}));
  const RHandlerSet* measure = r.FindHandlerSet("SokuteiMen");
  ASSERT_NE(measure, nullptr);
  EXPECT_EQ(std::vector<int>({measure->DownRank, measure->MoveRank, measure->UpRank}), std::vector<int>({65, 64, 63}));
}

TEST_F(Registration, ARowOutsideTheOrdersIsRefusedAndChangesNothing) {
  const std::size_t sets = CommandRegistry().HandlerSets().size();
  const RCommandFamily unknownSet{.Name = "NoSuchSet", .Modes = {dtend}};
  const RCommandFamily unknownCancel{.Name = "Draf", .Cancels = {{"NoSuchCancel", [](TcadBox&) {}}}};
  const RCommandFamily unknownRedraw{.Name = "Draf", .Redraws = {{"NoSuchRedraw", [](TcadBox&) {}}}};
  // Phases are run by name later: each needs a name, a handler and a name
  // of its own ("SenCancel" is the two-point line's).
  const RCommandFamily unnamed{.Name = "Draf", .Phases = {{"", [](TcadBox&) {}}}};
  const RCommandFamily noHandler{.Name = "Draf", .Phases = {{"DrafSomething", {}}}};
  const RCommandFamily noFinish{.Name = "Draf", .Finishes = {{"DrafFinish", {}}}};
  const RCommandFamily taken{.Name = "Draf", .Phases = {{"SenCancel", [](TcadBox&) {}}}};
  for (const RCommandFamily* row :
       {&unknownSet, &unknownCancel, &unknownRedraw, &unnamed, &noHandler, &noFinish, &taken}) {
    EXPECT_THROW(RegisterFamily(*row), std::logic_error) << row->Name;
  }
  EXPECT_EQ(CommandRegistry().HandlerSets().size(), sets);
  EXPECT_EQ(CommandRegistry().FindHandlerSet("Draf")->Modes, std::vector<Sbuttontype>{dtDraf});
}

TEST_F(Registration, AGestureCodeIsClaimedByOneRowAtMost) {
  const TGestureHandler run = [](TcadBox&, Sbuttontype) {};
  // dtBox is no gesture's code; dtundo is handed to the host by the menu
  // itself; dtDrafRen is the continuous line's.
  const RCommandFamily twice{.Name = "Draf", .GestureActions = {{{dtBox}, run}, {{dtBox}, run}}};
  const RCommandFamily menus{.Name = "Draf", .GestureActions = {{{dtundo}, run}}};
  const RCommandFamily others{.Name = "Draf", .GestureActions = {{{dtBox, dtDrafRen}, run}}};
  const RCommandFamily noCode{.Name = "Draf", .GestureActions = {{{}, run}}};
  const RCommandFamily noHandler{.Name = "Draf", .GestureActions = {{{dtBox}, {}}}};
  for (const RCommandFamily* row : {&twice, &menus, &others, &noCode, &noHandler}) {
    EXPECT_THROW(RegisterFamily(*row), std::logic_error);
  }
  EXPECT_EQ(GestureActionOf(dtBox), nullptr);
  ASSERT_NE(GestureActionOf(dtDrafRen), nullptr);
  EXPECT_EQ(GestureActionOf(dtDrafRen), &FamilyRowsOf(dtDrafRen).front()->GestureActions.front());
  // A family registered again keeps its own codes.
  RCommandFamily again = *FamilyRowsOf(dtDrafRen).front();
  EXPECT_NO_THROW(RegisterFamily(again));
  EXPECT_EQ(GestureActionOf(dtDrafRen), &FamilyRowsOf(dtDrafRen).front()->GestureActions.front());
}

TEST_F(Registration, PhasesAreFoundByNameAndAnUnknownNameStopsADebugBuild) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  int runs = 0;
  RegisterFamily({.Name = "printsen",
                  .Modes = {dtprintsen},
                  .Finishes = {{"printsenFinish", [&](TcadBox&, std::uint8_t flag) { runs += flag; }}},
                  .Phases = {{"ComputePrintFrame", [&](TcadBox&) { ++runs; }}}});
  EXPECT_TRUE(CommandRegistry().RunPhase("ComputePrintFrame", Box()));
  EXPECT_TRUE(CommandRegistry().RunFinish("printsenFinish", Box(), 5));
  EXPECT_EQ(runs, 6);
  // A release build goes on without it.
  EXPECT_DEBUG_DEATH(EXPECT_FALSE(CommandRegistry().RunPhase("NoSuchPhase", Box())), "NoSuchPhase");
  EXPECT_DEBUG_DEATH(EXPECT_FALSE(CommandRegistry().RunFinish("NoSuchFinish", Box(), 1)), "NoSuchFinish");
  EXPECT_EQ(runs, 6);
  // A cancel phase is reached by its name too.
  EXPECT_TRUE(CommandRegistry().RunPhase("RefreshRingCursor", Box()));
}

// Every name the commands run a phase or a finish by, as written where they
// run it; the point assists' phases are hooks of the rows and have no names.
TEST_F(Registration, EveryPhaseNameTheCommandsRunIsRegistered) {
  const char* const phases[] = {
      "BoxSenCancel",    "ComputeSizedBoxOffsets", "CopyFreeCancel", "DrafRenRedraw", "FigureModesCancel",
      "Hachi2tenRedraw", "KiritoriHaniCancel",     "RenSunpoRedraw", "SenCancel",     "sinkoCancel",
      "iikatusinCancel",
  };
  const char* const finishes[] = {"DrafRenFinish",     "RenSunpoFinish",  "SupuLineFinish",
                                  "iikatuBubunFinish", "iikatusinFinish", "kyokusen3tenFinish"};
  for (const char* name : phases) EXPECT_TRUE(CommandRegistry().HasPhase(name)) << name;
  for (const char* name : finishes) EXPECT_TRUE(CommandRegistry().HasFinish(name)) << name;
}

class CursorRows : public CommandHarness {};

TEST_F(CursorRows, TheCursorFollowsTheModeAndTheVariant) {
  struct Case {
    Sbuttontype mode;
    std::uint8_t ringHan, cursorHan;
    int cursor;  // 99: unchanged
    std::uint8_t cursorHanAfter;
  } cases[] = {
      {dtSenDel, 0, 0, 7, 0},
      {dtSenDel, 2, 0, 17, 0},
      {dtDrafRen, 1, 10, 20, 10},
      {dtDrafRen, 2, 5, 27, 5},
      {dtDrafRen, 0, 0, 99, 0},
      {dtHaniParamet, 0, 0, 32, 0},
      {dtHaniParamet, 1, 0, 33, 0},
      {dtHaniParamet, 2, 0, 33, 0},
      {dtHani, 0, 3, 13, 20},
      {dtHani, 1, 100, 24, 20},
      {dtHani, 0, 0, 0, 20},
      {dtHani, 2, 3, 3, 20},
      {dtHaniGaibu, 1, 7, 4, 20},
      {dtHaniCopy, 0, 0, 4, 0},
      {dtHaniCopy, 0, 2, 12, 2},
      {dtHaniCopy, 1, 2, 2, 2},
      {dtHaniCopy, 2, 3, 3, 3},
      {dtHaniCopy, 0, 7, 99, 7},
      {dtzikukaku, 0, 2, 0, 2},
      {dtzikukaku, 1, 2, 2, 2},
      {dtDraggu, 0, 0, 0, 0},
      {dtDraggu, 1, 0, 99, 0},
      {dtNo, 0, 0, 0, 0},
      {dtNo, 2, 0, 4, 0},
      {dtMozi, 1, 0, 9, 0},
      {dtEn3ten, 3, 0, 23, 0},
      {dtMentori2, 0, 0, 28, 0},
      // The rows of the other families.
      {dtHachiTen, 0, 0, 34, 0},
      {dtHachi2ten, 2, 0, 35, 0},
      {dtHachitenHen, 0, 0, 0, 0},
      {dtHachitenHen, 2, 0, 4, 0},
      {dtKiritorisakuzyo, 0, 100, 25, 20},
      {dtKiritoriHani, 0, 1, 11, 1},
      {dtHaniCopyGai, 2, 0, 4, 0},
      {dtHanipg, 1, 3, 3, 20},
      {dthanipgm, 0, 3, 13, 3},
      {dtSunpochiHen, 0, 0, 30, 0},
      {dtRenSunpoKei, 2, 0, 31, 0},
      {dtRenSunpoCyusin, 0, 0, 36, 0},
      {dtsenbunkatupitch, 2, 0, 37, 0},
      {dtSennakanuki, 0, 0, 40, 0},
      {dttreming, 2, 0, 16, 0},
      {dtSenSinsyuku, 0, 0, 5, 0},
      {dtFukusen, 3, 0, 18, 0},
      {dtMoziDel, 1, 0, 38, 0},
      {dtBoxsunpo, 0, 0, 20, 0},
      {dtBoxSen, 2, 0, 21, 0},
      {dtEnkoKotei, 0, 0, 22, 0},
      {dthanEn, 0, 0, 0, 0},
      {dtzokusei, 2, 0, 4, 0},
      {dtend, 2, 0, 4, 0},
  };
  for (const Case& c : cases) {
    Box().SetCursor(99);
    Box().LastCursorMode = dtend;
    Box().ButonType = c.mode;
    Box().RingHan = c.ringHan;
    Box().cursorHan = c.cursorHan;
    Box().UpdateCommandCursor();
    EXPECT_EQ(Box().Cursor(), c.cursor) << int(c.mode) << " ring " << int(c.ringHan) << " han " << int(c.cursorHan);
    EXPECT_EQ(Box().cursorHan, c.cursorHanAfter) << int(c.mode);
    EXPECT_EQ(Box().LastCursorMode, c.mode);
    EXPECT_EQ(Box().LastCursorHan, c.cursorHanAfter);
  }
}

TEST_F(CursorRows, TheCursorIsChosenAgainOnlyWhenTheModeOrTheVariantAsks) {
  Box().ButonType = dtHani;
  Box().RingHan = 0;
  Box().cursorHan = 3;
  MoveTo(20, 20);
  EXPECT_EQ(Box().Cursor(), 13);
  EXPECT_EQ(Box().cursorHan, 20);
  Box().SetCursor(5);
  MoveTo(21, 20);
  EXPECT_EQ(Box().Cursor(), 5) << "same mode, variant used up: no new choice";
  Box().ButonType = dtNo;
  MoveTo(22, 20);
  EXPECT_EQ(Box().Cursor(), 0);
}

}  // namespace
