// What each command mode takes back from the point assists and offers the
// drag-gesture menu, asked of its family's row. The tables are written out
// by hand from the behaviour the commands have always had: every mode not
// listed takes no point and has the menu of the idle mode.

#include <algorithm>
#include <cmath>
#include <string>

#include "commands/framework/command_family.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

constexpr int kAnyStep = -1;
constexpr int kAnySwitch = -1;

// A slot as letters: F FirstPoint, C CurrentPoint, S SecondPoint, - none.
// Flags: E RubberErased, P far preview, M marker, R line previews first.
struct RSlotCase {
  Sbuttontype mode;
  int step;  // CommandStep, or kAnyStep
  int sw;    // B_Switch, or kAnySwitch
  char pending;
  const char* also;
  Sbuttontype restore;
  int setStep;  // -1: unchanged
  const char* flags;
};

const RSlotCase kSlots[] = {
    {dtDraf, 0, kAnySwitch, 'F', "C", dtDraf, -1, ""},
    {dtDraf, 1, kAnySwitch, 'S', "", dtDraf, -1, ""},
    {dtSen, 0, kAnySwitch, 'F', "C", dtSen, -1, ""},
    {dtSen, 1, kAnySwitch, 'S', "C", dtSen, -1, ""},
    {dtHanipgc, kAnyStep, kAnySwitch, 'F', "CS", dtCopyFree, -1, "E"},
    {dthanipgm, kAnyStep, kAnySwitch, 'F', "CS", dtIdoFree, -1, "E"},
    {dtHaniCopy, kAnyStep, kAnySwitch, 'F', "CS", dtCopyFree, -1, "E"},
    {dtHaniMove, kAnyStep, kAnySwitch, 'F', "CS", dtIdoFree, -1, "E"},
    {dtBoxSen, 0, kAnySwitch, 'F', "", dtBoxSen, -1, ""},
    {dtBoxSen, 1, kAnySwitch, 'S', "", dtBoxSen, -1, ""},
    {dtCopyFree, kAnyStep, _off, 'F', "C", dtCopyFree, -1, ""},
    {dtCopyFree, kAnyStep, on1, 'S', "", dtCopyFree, -1, "P"},
    {dtCopyFree, kAnyStep, on2, 'S', "", dtCopyFree, -1, "P"},
    {dtCopyFree, kAnyStep, on3, 'S', "", dtCopyFree, -1, "P"},
    {dtIdoFree, kAnyStep, _off, 'F', "C", dtIdoFree, -1, ""},
    {dtIdoFree, kAnyStep, on1, 'S', "", dtIdoFree, -1, "P"},
    {dtIdoFree, kAnyStep, on2, 'S', "", dtIdoFree, -1, "P"},
    {dtIdoFree, kAnyStep, on3, 'S', "", dtIdoFree, -1, "P"},
    {dtBoxsunpo, kAnyStep, kAnySwitch, 'F', "", dtBoxsunpo, 1, "E"},
    {dtDrafRen, 0, kAnySwitch, 'F', "C", dtDrafRen, -1, "R"},
    {dtDrafRen, 1, kAnySwitch, 'S', "", dtDrafRen, -1, "R"},
    {dtprintsen, kAnyStep, _off, 'F', "", dtprintsen, -1, ""},
    {dtprintsen, kAnyStep, on1, '-', "", dtprintsen, -1, ""},
    {dtprintsen, kAnyStep, on2, '-', "", dtprintsen, -1, ""},
    {dtprintsen, kAnyStep, on3, '-', "", dtprintsen, -1, ""},
    {dtMozi, kAnyStep, kAnySwitch, 'F', "", dtMozi, -1, "E"},
    {dtFukusen, kAnyStep, _off, '-', "", dtFukusen, -1, ""},
    {dtFukusen, kAnyStep, on1, 'S', "", dtFukusen, -1, ""},
    {dtFukusen, kAnyStep, on2, '-', "", dtFukusen, -1, ""},
    {dtFukusen, kAnyStep, on3, '-', "", dtFukusen, -1, ""},
    {dtFukuen, kAnyStep, _off, '-', "", dtFukuen, -1, ""},
    {dtFukuen, kAnyStep, on1, 'S', "", dtFukuen, -1, ""},
    {dtFukuen, kAnyStep, on2, '-', "", dtFukuen, -1, ""},
    {dtFukuen, kAnyStep, on3, '-', "", dtFukuen, -1, ""},
    {dtSencyusin, kAnyStep, _off, 'F', "", dtSencyusin, -1, ""},
    {dtSencyusin, kAnyStep, on1, 'C', "", dtSencyusin, -1, ""},
    {dtSencyusin, kAnyStep, on2, 'C', "", dtSencyusin, -1, ""},
    {dtSencyusin, kAnyStep, on3, 'C', "", dtSencyusin, -1, ""},
    {dtHaniParamet, kAnyStep, kAnySwitch, 'F', "CS", dtIdoFree, -1, "E"},
    {dtEnKotei, kAnyStep, kAnySwitch, 'F', "", dtEnKotei, 1, ""},
    {dtEnkoKotei, kAnyStep, _off, 'F', "", dtEnkoKotei, -1, ""},
    {dtEnkoKotei, kAnyStep, on1, 'C', "", dtEnkoKotei, -1, ""},
    {dtEnkoKotei, kAnyStep, on2, 'S', "", dtEnkoKotei, -1, ""},
    {dtEnkoKotei, kAnyStep, on3, 'S', "", dtEnkoKotei, -1, ""},
    {dtwsen, 0, kAnySwitch, 'F', "", dtwsen, -1, ""},
    {dtwsen, 1, kAnySwitch, 'C', "S", dtwsen, -1, ""},
    {dtKiritoriHani, kAnyStep, kAnySwitch, 'F', "CS", dtCopyFree, -1, "E"},
    {dtcopyMenseki, kAnyStep, _off, 'S', "", dtcopyMenseki, -1, "P"},
    {dtcopyMenseki, kAnyStep, on1, '-', "", dtcopyMenseki, -1, "P"},
    {dtcopyMenseki, kAnyStep, on2, '-', "", dtcopyMenseki, -1, "P"},
    {dtcopyMenseki, kAnyStep, on3, '-', "", dtcopyMenseki, -1, "P"},
    {dtEnFree, 0, kAnySwitch, 'F', "", dtEnFree, -1, ""},
    {dtEnFree, 1, kAnySwitch, 'C', "", dtEnFree, -1, ""},
    {dtEnko, kAnyStep, _off, 'F', "", dtEnko, -1, ""},
    {dtEnko, kAnyStep, on1, 'C', "", dtEnko, -1, ""},
    {dtEnko, kAnyStep, on2, 'S', "", dtEnko, -1, ""},
    {dtEnko, kAnyStep, on3, 'S', "", dtEnko, -1, ""},
    {dtEn3ten, kAnyStep, _off, 'F', "", dtEn3ten, -1, ""},
    {dtEn3ten, kAnyStep, on1, 'S', "", dtEn3ten, -1, ""},
    {dtEn3ten, kAnyStep, on2, 'C', "", dtEn3ten, -1, ""},
    {dtEn3ten, kAnyStep, on3, 'C', "", dtEn3ten, -1, ""},
    {dthanEn, kAnyStep, _off, 'F', "", dthanEn, -1, ""},
    {dthanEn, kAnyStep, on1, 'S', "", dthanEn, -1, ""},
    {dthanEn, kAnyStep, on2, 'C', "", dthanEn, -1, ""},
    {dthanEn, kAnyStep, on3, 'C', "", dthanEn, -1, ""},
    {dtHachi2ten, kAnyStep, _off, 'F', "", dtHachi2ten, -1, "M"},
    {dtHachi2ten, kAnyStep, on1, 'C', "", dtHachi2ten, -1, "M"},
    {dtHachi2ten, kAnyStep, on2, 'C', "", dtHachi2ten, -1, "M"},
    {dtHachi2ten, kAnyStep, on3, 'C', "", dtHachi2ten, -1, "M"},
    {dtsunposen, kAnyStep, _off, 'F', "", dtsunposen, -1, ""},
    {dtsunposen, kAnyStep, on1, 'C', "", dtsunposen, -1, ""},
    {dtsunposen, kAnyStep, on2, 'C', "", dtsunposen, -1, ""},
    {dtsunposen, kAnyStep, on3, 'C', "", dtsunposen, -1, ""},
    {dtSunpochi, kAnyStep, _off, 'F', "", dtSunpochi, -1, ""},
    {dtSunpochi, kAnyStep, on1, 'C', "", dtSunpochi, -1, ""},
    {dtSunpochi, kAnyStep, on2, 'C', "", dtSunpochi, -1, ""},
    {dtSunpochi, kAnyStep, on3, 'C', "", dtSunpochi, -1, ""},
    {dtSunpochiHen, kAnyStep, _off, '-', "", dtSunpochiHen, -1, ""},
    {dtSunpochiHen, kAnyStep, on1, 'F', "", dtSunpochiHen, -1, ""},
    {dtSunpochiHen, kAnyStep, on2, 'C', "", dtSunpochiHen, -1, ""},
    {dtSunpochiHen, kAnyStep, on3, '-', "", dtSunpochiHen, -1, ""},
    {dtpictureMove, kAnyStep, kAnySwitch, 'F', "", dtpictureMove, -1, ""},
    {dtRenSunpo, kAnyStep, _off, 'F', "C", dtRenSunpo, -1, "R"},
    {dtRenSunpo, kAnyStep, on1, 'S', "", dtRenSunpo, -1, "R"},
    {dtRenSunpo, kAnyStep, on2, 'S', "", dtRenSunpo, -1, "R"},
    {dtRenSunpo, kAnyStep, on3, 'S', "", dtRenSunpo, -1, "R"},
    {dthenkeizukei, kAnyStep, _off, 'F', "", dthenkeizukei, -1, ""},
    {dthenkeizukei, kAnyStep, on1, 'S', "", dthenkeizukei, -1, ""},
    {dthenkeizukei, kAnyStep, on2, 'C', "", dthenkeizukei, -1, ""},
    {dthenkeizukei, kAnyStep, on3, 'C', "", dthenkeizukei, -1, ""},
    {dtRenSunpokaku, kAnyStep, _off, 'F', "C", dtRenSunpokaku, -1, "R"},
    {dtRenSunpokaku, kAnyStep, on1, 'S', "", dtRenSunpokaku, -1, "R"},
    {dtRenSunpokaku, kAnyStep, on2, 'S', "", dtRenSunpokaku, -1, "R"},
    {dtRenSunpokaku, kAnyStep, on3, 'S', "", dtRenSunpokaku, -1, "R"},
    {dtRenSunpoKei, kAnyStep, _off, 'F', "C", dtRenSunpoKei, -1, "R"},
    {dtRenSunpoKei, kAnyStep, on1, 'S', "", dtRenSunpoKei, -1, "R"},
    {dtRenSunpoKei, kAnyStep, on2, 'S', "", dtRenSunpoKei, -1, "R"},
    {dtRenSunpoKei, kAnyStep, on3, 'S', "", dtRenSunpoKei, -1, "R"},
    {dtRenSunpoCyusin, kAnyStep, _off, 'F', "C", dtRenSunpoCyusin, -1, "R"},
    {dtRenSunpoCyusin, kAnyStep, on1, 'S', "", dtRenSunpoCyusin, -1, "R"},
    {dtRenSunpoCyusin, kAnyStep, on2, 'S', "", dtRenSunpoCyusin, -1, "R"},
    {dtRenSunpoCyusin, kAnyStep, on3, 'S', "", dtRenSunpoCyusin, -1, "R"},
    {dtRenSunpoCyusin2, kAnyStep, _off, 'F', "C", dtRenSunpoCyusin2, -1, "R"},
    {dtRenSunpoCyusin2, kAnyStep, on1, 'S', "", dtRenSunpoCyusin2, -1, "R"},
    {dtRenSunpoCyusin2, kAnyStep, on2, 'S', "", dtRenSunpoCyusin2, -1, "R"},
    {dtRenSunpoCyusin2, kAnyStep, on3, 'S', "", dtRenSunpoCyusin2, -1, "R"},
    {dtKiritorisakuzyo, kAnyStep, kAnySwitch, 'F', "CS", dtCopyFree, -1, "E"},
    {dttenk, kAnyStep, kAnySwitch, 'F', "", dttenk, 1, ""},
    {dtCopyTazuMen, kAnyStep, _off, 'S', "", dtCopyTazuMen, -1, "P"},
    {dtCopyTazuMen, kAnyStep, on1, '-', "", dtCopyTazuMen, -1, "P"},
    {dtCopyTazuMen, kAnyStep, on2, '-', "", dtCopyTazuMen, -1, "P"},
    {dtCopyTazuMen, kAnyStep, on3, '-', "", dtCopyTazuMen, -1, "P"},
    {dtCopyZukei, kAnyStep, _off, 'S', "", dtCopyZukei, -1, "P"},
    {dtCopyZukei, kAnyStep, on1, '-', "", dtCopyZukei, -1, "P"},
    {dtCopyZukei, kAnyStep, on2, '-', "", dtCopyZukei, -1, "P"},
    {dtCopyZukei, kAnyStep, on3, '-', "", dtCopyZukei, -1, "P"},
    {dtCopyHenkeiZukei, kAnyStep, _off, '-', "", dtCopyHenkeiZukei, -1, "P"},
    {dtCopyHenkeiZukei, kAnyStep, on1, 'S', "", dtCopyHenkeiZukei, -1, "P"},
    {dtCopyHenkeiZukei, kAnyStep, on2, '-', "", dtCopyHenkeiZukei, -1, "P"},
    {dtCopyHenkeiZukei, kAnyStep, on3, '-', "", dtCopyHenkeiZukei, -1, "P"},
    {dtSupuLine, kAnyStep, _off, 'F', "", dtSupuLine, -1, ""},
    {dtSupuLine, kAnyStep, on1, 'S', "", dtSupuLine, -1, ""},
    {dtSupuLine, kAnyStep, on2, 'C', "", dtSupuLine, -1, ""},
    {dtSupuLine, kAnyStep, on3, 'C', "", dtSupuLine, -1, ""},
    {dtHachiTen, kAnyStep, _off, 'F', "", dtHachiTen, -1, "M"},
    {dtHachiTen, kAnyStep, on1, 'F', "", dtHachiTen, -1, "M"},
    {dtHachiTen, kAnyStep, on2, '-', "", dtHachiTen, -1, ""},
    {dtHachiTen, kAnyStep, on3, '-', "", dtHachiTen, -1, ""},
    {dtSokuteiMen, kAnyStep, _off, 'F', "", dtSokuteiMen, -1, "M"},
    {dtSokuteiMen, kAnyStep, on1, 'F', "", dtSokuteiMen, -1, "M"},
    {dtSokuteiMen, kAnyStep, on2, '-', "", dtSokuteiMen, -1, ""},
    {dtSokuteiMen, kAnyStep, on3, '-', "", dtSokuteiMen, -1, ""},
    {dtkyokusen3ten, kAnyStep, _off, 'F', "", dtkyokusen3ten, -1, ""},
    {dtkyokusen3ten, kAnyStep, on1, 'S', "", dtkyokusen3ten, -1, ""},
    {dtkyokusen3ten, kAnyStep, on2, 'C', "", dtkyokusen3ten, -1, ""},
    {dtkyokusen3ten, kAnyStep, on3, 'C', "", dtkyokusen3ten, -1, ""},
    {dtEnSeSen3ten, kAnyStep, _off, 'F', "", dtEnSeSen3ten, -1, ""},
    {dtEnSeSen3ten, kAnyStep, on1, 'S', "", dtEnSeSen3ten, -1, ""},
    {dtEnSeSen3ten, kAnyStep, on2, 'C', "", dtEnSeSen3ten, -1, ""},
    {dtEnSeSen3ten, kAnyStep, on3, 'C', "", dtEnSeSen3ten, -1, ""},
    {dtEnSeSen3tenN, kAnyStep, _off, 'F', "", dtEnSeSen3tenN, -1, ""},
    {dtEnSeSen3tenN, kAnyStep, on1, 'S', "", dtEnSeSen3tenN, -1, ""},
    {dtEnSeSen3tenN, kAnyStep, on2, 'C', "", dtEnSeSen3tenN, -1, ""},
    {dtEnSeSen3tenN, kAnyStep, on3, 'C', "", dtEnSeSen3tenN, -1, ""},
    {dtEnSeSen3sen, kAnyStep, _off, 'F', "", dtEnSeSen3sen, -1, ""},
    {dtEnSeSen3sen, kAnyStep, on1, 'S', "", dtEnSeSen3sen, -1, ""},
    {dtEnSeSen3sen, kAnyStep, on2, 'C', "", dtEnSeSen3sen, -1, ""},
    {dtEnSeSen3sen, kAnyStep, on3, 'C', "", dtEnSeSen3sen, -1, ""},
    {dttakakukeikotei, kAnyStep, kAnySwitch, 'F', "", dttakakukeikotei, 1, "E"},
    {dttakakukeiFree, 0, kAnySwitch, 'F', "", dttakakukeiFree, -1, "E"},
    {dttakakukeiFree, 1, kAnySwitch, 'C', "", dttakakukeiFree, -1, "E"},
    {dtsinko, 0, kAnySwitch, 'F', "C", dtsinko, -1, ""},
    {dtsinko, 1, kAnySwitch, 'S', "", dtsinko, -1, ""},
    {dtBuzaikotei, kAnyStep, kAnySwitch, 'F', "", dtBuzaikotei, 1, "E"},
    {dtBuzaikotei2, kAnyStep, kAnySwitch, 'F', "", dtBuzaikotei2, 1, "E"},
    {dtYazirusikotei, 0, kAnySwitch, 'F', "", dtYazirusikotei, -1, "E"},
    {dtYazirusikotei, 1, kAnySwitch, 'C', "", dtYazirusikotei, -1, "E"},
    {dtGridkizyunTen, kAnyStep, kAnySwitch, 'F', "", dtGridkizyunTen, 1, ""},
    {dtZukeiHozon, kAnyStep, _off, 'S', "", dtZukeiHozon, -1, "P"},
    {dtZukeiHozon, kAnyStep, on1, '-', "", dtZukeiHozon, -1, "P"},
    {dtZukeiHozon, kAnyStep, on2, '-', "", dtZukeiHozon, -1, "P"},
    {dtZukeiHozon, kAnyStep, on3, '-', "", dtZukeiHozon, -1, "P"},
    {dttenGaibu, kAnyStep, kAnySwitch, 'F', "", dttenGaibu, 1, ""},
    {dttenGaibuopt, kAnyStep, kAnySwitch, 'F', "", dttenGaibuopt, 1, ""},
    {dtSenkigo1, kAnyStep, kAnySwitch, 'F', "", dtSenkigo1, 1, "E"},
};

char SlotLetter(const TcadBox& b, const RPoint2D* p) {
  if (p == nullptr) return '-';
  if (p == &b.FirstPoint) return 'F';
  if (p == &b.CurrentPoint) return 'C';
  if (p == &b.SecondPoint) return 'S';
  return '?';
}

class FamilyRows : public CommandHarness {};

TEST_F(FamilyRows, EveryModeTakesTheAssistPointInItsOwnSlot) {
  TcadBox& b = Box();
  for (int m = 0; m < kCommandModeCount; ++m) {
    for (int step = 0; step < 2; ++step) {
      for (int sw = _off; sw <= on3; ++sw) {
        const Sbuttontype mode = static_cast<Sbuttontype>(m);
        SCOPED_TRACE(testing::Message() << "mode " << m << " step " << step << " switch " << sw);
        RSlotCase expected{mode, step, sw, '-', "", mode, -1, ""};
        for (const RSlotCase& c : kSlots) {
          if (c.mode == mode && (c.step == kAnyStep || c.step == step) && (c.sw == kAnySwitch || c.sw == sw)) {
            expected = c;
          }
        }
        b.SavedMode = mode;
        b.CommandStep = static_cast<std::uint8_t>(step);
        b.B_Switch = static_cast<_Bswitch>(sw);
        const RAssistSlot slot = AssistSlotOf(b);
        std::string also, flags;
        for (const RPoint2D* p : slot.Also) also += SlotLetter(b, p);
        if (slot.EraseRubber) flags += 'E';
        if (slot.FarPreview) flags += 'P';
        if (slot.Marker) flags += 'M';
        if (slot.RedrawFirst) flags += 'R';
        EXPECT_EQ(SlotLetter(b, slot.Pending), expected.pending);
        EXPECT_EQ(also, expected.also);
        EXPECT_EQ(slot.Restore, expected.restore);
        EXPECT_EQ(slot.SetStep == 0xFF ? -1 : int(slot.SetStep), expected.setStep);
        EXPECT_EQ(flags, expected.flags);
      }
    }
  }
}

// The states a drag may meet the command in.
enum State : std::uint16_t {
  kPlain = 1,
  kStepOpen = 2,  // CommandStep 1
  kOn1 = 4,       // B_Switch on1
  kOn2 = 8,
  kOn3 = 16,
  kOn4 = 32,
  kRangeHeld = 64,     // HaniAka_Cyu
  kTextHeld = 128,     // PlaceText not empty
  kBufferHolds = 256,  // the copy buffer holds an element
  kAllStates = 511,
};

void EnterState(TcadBox& b, State s) {
  if (s == kStepOpen) b.CommandStep = 1;
  if (s == kOn1) b.B_Switch = on1;
  if (s == kOn2) b.B_Switch = on2;
  if (s == kOn3) b.B_Switch = on3;
  if (s == kOn4) b.B_Switch = on4;
  if (s == kRangeHeld) b.HaniAka_Cyu = true;
  if (s == kTextHeld) b.PlaceText = "A";
  if (s == kBufferHolds) b.Draw1->Buffer.resize(1);
}

enum Group : std::uint8_t { Left, Right, ShiftRight };
enum Band : std::uint8_t { kNearBand = 1, kFarBand = 2, kBothBands = 3 };
enum Kind : std::uint8_t { None, Swallow, Choose, Toggle, Message };

struct RMenuResult {
  Kind kind;
  Sbuttontype code = dtNo;
  const char* caption = "";
  std::uint8_t extras = 0;
};

struct RMenuCase {
  Sbuttontype mode;
  Group group;
  std::uint8_t sector;
  std::uint8_t bands;
  std::uint16_t states;
  RMenuResult result;
};

const RMenuCase kMenu[] = {
    {dtSen, Left, 0, kBothBands, kAllStates, {Swallow}},
    {dtSen, Left, 6, kNearBand, kAllStates, {Choose, dtsunpoHyozi, " 寸   法 ", 0}},
    {dtSen, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtHani, Right, 0, kBothBands, kAllStates, {Swallow}},
    {dtHani, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHani, Right, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHani, Right, 4, kBothBands, kAllStates, {Swallow}},
    {dtHani, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHani, ShiftRight, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHani, Left, 2, kBothBands, kRangeHeld, {Choose, dtHani, " 確　 定 ", 0}},
    {dtHanipg, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHanipg, Right, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHanipg, Right, 4, kBothBands, kAllStates, {Swallow}},
    {dtHanipg, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHanipg, ShiftRight, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHanipg, Left, 2, kBothBands, kRangeHeld, {Choose, dtHani, " 確　 定 ", 0}},
    {dtHanipgc, Right, 0, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHanipgc, Right, 4, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHanipgc, Left, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　 定 ", kConfirmCopy}},
    {dtHanipgc, Right, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtHanipgc, ShiftRight, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dthanipgm, Right, 0, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dthanipgm, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dthanipgm, Right, 4, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dthanipgm, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dthanipgm, Left, 2, kBothBands, kRangeHeld, {Choose, dtHaniMove, " 確　 定 ", kConfirmCopy}},
    {dtHaniCopy, Right, 0, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniCopy, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniCopy, Right, 4, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniCopy, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniCopy, Left, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　 定 ", kConfirmCopy}},
    {dtHaniCopy, Right, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtHaniCopy, ShiftRight, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtHaniMove, Right, 0, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniMove, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniMove, Right, 4, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniMove, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniMove, Left, 2, kBothBands, kRangeHeld, {Choose, dtHaniMove, " 確　 定 ", kConfirmCopy}},
    {dtHaniMove, Right, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtHaniMove, ShiftRight, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtCopyFree, Left, 4, kBothBands, kAllStates, {Choose, dtCopy2, " 再選択  ", 0}},
    {dtCopyFree, Left, 6, kNearBand, kAllStates, {Choose, dtsunpoHyozi, " 寸   法 ", 0}},
    {dtCopyFree, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtCopyFree, Left, 0, kBothBands, kOn1, {Toggle, dtCopyFree, "方向切替 ", kKeepAnchor}},
    {dtIdoFree, Left, 4, kBothBands, kAllStates, {Choose, dtIdoFree2, " 再選択  ", 0}},
    {dtIdoFree, Left, 6, kNearBand, kAllStates, {Choose, dtsunpoHyozi, " 寸   法 ", 0}},
    {dtIdoFree, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtIdoFree, Left, 0, kBothBands, kOn1, {Toggle, dtCopyFree, "方向切替 ", kKeepAnchor}},
    {dtDrafRen, Left, 0, kBothBands, kStepOpen, {Toggle, dtDrafRen, "角度切替 ", 0}},
    {dtDrafRen, Left, 2, kBothBands, kStepOpen, {Choose, dtDrafRen, " 確　 定 ", 0}},
    {dtDrafRen, Left, 4, kBothBands, kStepOpen, {Toggle, dtDrafRen, "単/2切替 ", 0}},
    {dtDrafRen, Left, 5, kBothBands, kStepOpen, {Toggle, dtDrafRen, "単連切替 ", 0}},
    {dtprintsen, Left, 0, kBothBands, kAllStates, {Swallow}},
    {dtprintsen, Left, 6, kNearBand, kAllStates, {Choose, dtsunpoHyozi, " 寸   法 ", 0}},
    {dtprintsen, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtMozi, Left, 0, kBothBands, kTextHeld, {Toggle, dtMozi, "方向切替 ", 0}},
    {dtFukusen,
     Right,
     0,
     kBothBands,
     kPlain | kStepOpen | kRangeHeld | kTextHeld | kBufferHolds,
     {Message, dtFukusenten, "2点間複線", kKeepSavedMode}},
    {dtFukusen, Left, 0, kBothBands, kOn1, {Toggle, dtFukuSenTanbu, "端点変更 ", kEndChange}},
    {dtSenSinsyuku, Right, 0, kBothBands, kAllStates, {Swallow}},
    {dtSenSinsyuku, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtSenSinsyuku, Right, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtSenSinsyuku, Right, 4, kBothBands, kAllStates, {Swallow}},
    {dtSenSinsyuku, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtSenSinsyuku, ShiftRight, 2, kBothBands, kRangeHeld, {Swallow}},
    {dttreming, Right, 0, kBothBands, kAllStates, {Swallow}},
    {dttreming, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dttreming, Right, 2, kBothBands, kRangeHeld, {Swallow}},
    {dttreming, Right, 4, kBothBands, kAllStates, {Swallow}},
    {dttreming, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dttreming, ShiftRight, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHaniGai, Right, 0, kBothBands, kAllStates, {Swallow}},
    {dtHaniGai, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniGai, Right, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHaniGai, Right, 4, kBothBands, kAllStates, {Swallow}},
    {dtHaniGai, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniGai, ShiftRight, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHaniGai, Left, 2, kBothBands, kRangeHeld, {Choose, dtHani, " 確　 定 ", 0}},
    {dtHaniParamet, Right, 0, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniParamet, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniParamet, Right, 4, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniParamet, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniParamet, Left, 2, kBothBands, kRangeHeld, {Choose, dtHaniMove, " 確　 定 ", kConfirmCopy}},
    {dtHaniParamet, Right, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtHaniParamet, ShiftRight, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtEnKotei,
     Left,
     0,
     kBothBands,
     kStepOpen | kOn1 | kOn2 | kOn3 | kOn4 | kRangeHeld,
     {Choose, dtDraggu, " 包　絡  ", 0}},
    {dtKiritoriHani, Right, 0, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtKiritoriHani, Right, 2, kNearBand, kPlain | kStepOpen | kOn1 | kOn2 | kOn3 | kOn4 | kTextHeld, {Swallow}},
    {dtKiritoriHani, Right, 4, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtKiritoriHani, ShiftRight, 2, kNearBand, kPlain | kStepOpen | kOn1 | kOn2 | kOn3 | kOn4 | kTextHeld, {Swallow}},
    {dtKiritoriHani, Left, 2, kBothBands, kBufferHolds, {Choose, dtKiritoriHani, " 確　 定 ", kConfirmCopy}},
    {dtKiritoriHani, Right, 2, kNearBand, kBufferHolds, {Choose, dtKiritoriHani, " 確　定  ", kConfirmSnapped}},
    {dtKiritoriHani, ShiftRight, 2, kNearBand, kBufferHolds, {Choose, dtKiritoriHani, " 確　定  ", kConfirmSnapped}},
    {dtcopyMenseki, Left, 0, kBothBands, kAllStates, {Swallow}},
    {dtcopyMenseki, Left, 6, kNearBand, kAllStates, {Choose, dtsunpoHyozi, " 寸   法 ", 0}},
    {dtcopyMenseki, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtkakudo, Right, 0, kBothBands, kAllStates & ~kStepOpen, {Message, dtkakudo, "2点間角度", kKeepSavedMode}},
    {dtHachi2ten, Left, 2, kBothBands, kAllStates, {Choose, dtHachiTen, " 確　 定 ", 0}},
    {dtHachi2ten, Left, 4, kBothBands, kAllStates, {Choose, dtHachiten2, " 再選択  ", 0}},
    {dtsunposen, Left, 0, kFarBand, kAllStates, {Message, dtSunpokiri, "ＸＹ切替 ", 0}},
    {dtsunposen, Left, 2, kBothBands, kOn2, {Choose, dtsunposen, " 確　 定 ", 0}},
    {dtSunpochi, Left, 0, kFarBand, kAllStates, {Message, dtSunpokiri, "ＸＹ切替 ", 0}},
    {dtSunpochiHen, Left, 0, kFarBand, kAllStates, {Message, dtSunpokiri, "ＸＹ切替 ", 0}},
    {dtpictureMove, Left, 0, kBothBands, kAllStates, {Swallow}},
    {dtpictureMove, Left, 6, kNearBand, kAllStates, {Choose, dtsunpoHyozi, " 寸   法 ", 0}},
    {dtpictureMove, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtRenSunpo, Left, 0, kFarBand, kAllStates, {Message, dtSunpokiri, "ＸＹ切替 ", 0}},
    {dtRenSunpo, Left, 2, kBothBands, kOn3, {Choose, dtRenSunpo, " 確　 定 ", 0}},
    {dtRenSunpokaku, Left, 0, kFarBand, kAllStates, {Message, dtSunpokiri, "ＸＹ切替 ", 0}},
    {dtRenSunpokaku, Left, 2, kBothBands, kOn3, {Choose, dtRenSunpo, " 確　 定 ", 0}},
    {dtRenSunpoKei, Left, 0, kFarBand, kAllStates, {Message, dtSunpokiri, "ＸＹ切替 ", 0}},
    {dtRenSunpoKei, Left, 2, kBothBands, kOn3, {Choose, dtRenSunpo, " 確　 定 ", 0}},
    {dtRenSunpoCyusin2, Left, 0, kBothBands, kOn1, {Toggle, dtRenSunpoCyusin2, "角度切替 ", 0}},
    {dtHaniCopyGai, Left, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　 定 ", kConfirmCopy}},
    {dtHaniCopyGai, Right, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtHaniCopyGai, ShiftRight, 2, kBothBands, kRangeHeld, {Choose, dtHaniCopy, " 確　定  ", kConfirmSnapped}},
    {dtSennakanuki, Right, 0, kBothBands, kAllStates, {Swallow}},
    {dtSennakanuki, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtSennakanuki, Right, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtSennakanuki, Right, 4, kBothBands, kAllStates, {Swallow}},
    {dtSennakanuki, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtSennakanuki, ShiftRight, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtKiritorisakuzyo, Left, 2, kBothBands, kAllStates, {Choose, dtKiritorisakuzyo, " 確　 定 ", kConfirmCopy}},
    {dtKiritorisakuzyo, Right, 0, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtKiritorisakuzyo,
     Right,
     2,
     kNearBand,
     kAllStates & ~kRangeHeld,
     {Choose, dtKiritorisakuzyo, " 確　定  ", kConfirmSnapped}},
    {dtKiritorisakuzyo, Right, 2, kBothBands, kRangeHeld, {Choose, dtKiritorisakuzyo, " 確　定  ", kConfirmSnapped}},
    {dtKiritorisakuzyo, Right, 4, kBothBands, kAllStates & ~kRangeHeld, {Swallow}},
    {dtKiritorisakuzyo,
     ShiftRight,
     2,
     kNearBand,
     kAllStates & ~kRangeHeld,
     {Choose, dtKiritorisakuzyo, " 確　定  ", kConfirmSnapped}},
    {dtKiritorisakuzyo,
     ShiftRight,
     2,
     kBothBands,
     kRangeHeld,
     {Choose, dtKiritorisakuzyo, " 確　定  ", kConfirmSnapped}},
    {dtiikatusin, Left, 2, kBothBands, kOn3, {Choose, dtiikatusin, " 確　 定 ", 0}},
    {dtiikatuBubun, Left, 2, kBothBands, kOn4, {Choose, dtiikatuBubun, " 確　 定 ", 0}},
    {dtiikatufugo, Left, 2, kBothBands, kRangeHeld, {Choose, dtiikatufugo, " 確　 定 ", 0}},
    {dttenk,
     Left,
     0,
     kBothBands,
     kStepOpen | kOn1 | kOn2 | kOn3 | kOn4 | kRangeHeld,
     {Choose, dtDraggu, " 包　絡  ", 0}},
    {dtkakutei, Left, 2, kBothBands, kAllStates, {Choose, dtkakutei, " 確　 定 ", 0}},
    {dtCopyTazuMen, Left, 0, kBothBands, kAllStates, {Swallow}},
    {dtCopyTazuMen, Left, 6, kNearBand, kAllStates, {Choose, dtsunpoHyozi, " 寸   法 ", 0}},
    {dtCopyTazuMen, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtCopyZukei, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtCopyHenkeiZukei, Left, 7, kNearBand, kAllStates, {Choose, dtFukusen, " 複　 線 ", 0}},
    {dtSupuLine, Left, 2, kBothBands, kAllStates, {Choose, dtSupuLine, " 確　 定 ", 0}},
    {dtHachiTen, Left, 2, kBothBands, kAllStates, {Choose, dtHachiTen, " 確　 定 ", 0}},
    {dtHachiTen, Left, 4, kBothBands, kAllStates, {Choose, dtHachiten2, " 再選択  ", 0}},
    {dtSokuteiMen, Left, 2, kBothBands, kAllStates, {Choose, dtSokuteiMen, " 確　 定 ", 0}},
    {dtSokuteiMen, Left, 4, kBothBands, kAllStates, {Choose, dtSokuteiMen2, " 再選択  ", 0}},
    {dtkyokusen3ten, Left, 2, kBothBands, kAllStates, {Choose, dtkyokusen3ten, " 確　 定 ", 0}},
    {dtSikichi, Left, 2, kBothBands, kAllStates, {Choose, dtSikichi, " 確　 定 ", 0}},
    {dtSikichi2, Left, 2, kBothBands, kAllStates, {Choose, dtSikichi, " 確　 定 ", 0}},
    {dtSikichi3, Left, 2, kBothBands, kAllStates, {Choose, dtSikichi, " 確　 定 ", 0}},
    {dtSikichi4, Left, 2, kBothBands, kAllStates, {Choose, dtSikichi, " 確　 定 ", 0}},
    {dtYuka, Left, 2, kBothBands, kAllStates, {Choose, dtYuka, " 確　 定 ", 0}},
    {dtKakudoSokutei, Left, 2, kBothBands, kAllStates, {Choose, dtSokuteiMen, " 確　 定 ", 0}},
    {dttakakukeikotei,
     Left,
     0,
     kBothBands,
     kStepOpen | kOn1 | kOn2 | kOn3 | kOn4 | kRangeHeld,
     {Choose, dtDraggu, " 包　絡  ", 0}},
    {dtHaniGaibu, Right, 0, kBothBands, kAllStates, {Swallow}},
    {dtHaniGaibu, Right, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniGaibu, Right, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHaniGaibu, Right, 4, kBothBands, kAllStates, {Swallow}},
    {dtHaniGaibu, ShiftRight, 2, kNearBand, kAllStates & ~kRangeHeld, {Swallow}},
    {dtHaniGaibu, ShiftRight, 2, kBothBands, kRangeHeld, {Swallow}},
    {dtHaniGaibu, Left, 2, kBothBands, kRangeHeld, {Choose, dtHani, " 確　 定 ", 0}},
};

// What a drag leaves behind, everything the menu may touch.
struct RMenuSeen {
  bool taken, pending, savedIsMode, anchorKept;
  Sbuttontype code;
  std::uint8_t confirm, colour, endChange;
  std::string label, top;
  bool operator==(const RMenuSeen&) const = default;
};

constexpr double kRowsPressX = 70, kRowsPressY = 48;  // in the right half of the control
// No mode, so that a menu row that keeps the interrupted mode shows.
constexpr auto kUnwritten = static_cast<Sbuttontype>(255);

RMenuSeen DragOnce(TcadBox& b, Sbuttontype mode, State state, Group group, int sector, Band band) {
  b.GesturePending = false;
  b.PendingGesture = dtNo;
  b.SavedMode = kUnwritten;
  b.LabelColour = 0;
  b.LabelPrevText.clear();
  b.TopMessage.clear();
  b.CommandStep = 0;
  b.B_Switch = _off;
  b.HaniAka_Cyu = false;
  b.PlaceText.clear();
  b.RangeConfirmKind = 0;
  b.CaptionCancelled = 0;
  b.EndChangeFlag = 0;
  b.DGamen_LR = false;
  b.Draw1->Buffer.clear();
  b.ButonType = mode;
  EnterState(b, state);
  b.PressPoint = {kRowsPressX, kRowsPressY};
  b.LabelAnchor = b.PressPoint;
  // Gestures start at 40 pixels; the near band runs to 80.
  const double units = (band == kNearBand ? 60 : 100) / kHarnessPixelsPerUnit;
  const double a = sector * 45 * M_PI / 180;
  const TShiftState shift = group == Left ? ssLeft : group == Right ? ssRight : (ssShift | ssRight);
  const bool taken =
      b.TrackDragGesture(shift, mode, kRowsPressX + units * std::cos(a), kRowsPressY + units * std::sin(a));
  return {taken,
          b.GesturePending,
          b.SavedMode == mode,
          b.LabelAnchor.x == kRowsPressX,
          b.PendingGesture,
          b.RangeConfirmKind,
          b.LabelColour,
          b.EndChangeFlag,
          b.LabelPrevText,
          b.TopMessage};
}

void ExpectResult(const RMenuSeen& seen, Sbuttontype, const RMenuResult& r, Band band) {
  EXPECT_EQ(seen.taken, r.kind != None);
  const bool armed = r.kind == Choose || r.kind == Toggle || r.kind == Message;
  EXPECT_EQ(seen.pending, armed);
  EXPECT_EQ(seen.code, armed ? r.code : dtNo);
  if (!armed) return;
  EXPECT_EQ(seen.savedIsMode, !(r.extras & kKeepSavedMode));
  EXPECT_EQ(seen.confirm, (r.extras & kConfirmCopy) ? 2 : (r.extras & kConfirmSnapped) ? 3 : 0);
  const int colour = (r.extras & kBlueLabel) ? 3 : (r.extras & kRedLabel) ? 2 : band == kNearBand ? 0 : 1;
  EXPECT_EQ(seen.colour, colour);
  EXPECT_EQ(seen.endChange, (r.extras & kEndChange) ? 1 : 0);
  const std::string caption = J(r.caption);
  EXPECT_EQ(r.kind == Choose ? seen.label : seen.top, caption);
  EXPECT_EQ(seen.anchorKept, r.kind != Toggle || (r.extras & kKeepAnchor));
}

TEST_F(FamilyRows, EveryModeOffersTheGestureMenuWhatItAlwaysHas) {
  TcadBox& b = Box();
  b.DridoL1 = 40;
  b.DridoL2 = 40;
  const State states[] = {kPlain, kStepOpen, kOn1, kOn2, kOn3, kOn4, kRangeHeld, kTextHeld, kBufferHolds};
  int listed = 0;
  for (State state : states) {
    for (Group group : {Left, Right, ShiftRight}) {
      for (int sector = 0; sector < 8; ++sector) {
        for (Band band : {kNearBand, kFarBand}) {
          const RMenuSeen idle = DragOnce(b, dtNo, state, group, sector, band);
          for (int m = 0; m < kCommandModeCount; ++m) {
            const Sbuttontype mode = static_cast<Sbuttontype>(m);
            if (mode == dtNo) continue;
            SCOPED_TRACE(testing::Message() << "mode " << m << " state " << state << " group " << int(group)
                                            << " sector " << sector << " band " << int(band));
            const RMenuCase* listedCase = nullptr;
            for (const RMenuCase& c : kMenu) {
              if (c.mode == mode && c.group == group && c.sector == sector && (c.bands & band) && (c.states & state)) {
                listedCase = &c;
              }
            }
            const RMenuSeen seen = DragOnce(b, mode, state, group, sector, band);
            if (listedCase == nullptr) {
              EXPECT_TRUE(seen == idle) << "the idle mode's menu";
              continue;
            }
            ++listed;
            ExpectResult(seen, mode, listedCase->result, band);
          }
        }
      }
    }
  }
  EXPECT_GT(listed, 0);
}

}  // namespace
