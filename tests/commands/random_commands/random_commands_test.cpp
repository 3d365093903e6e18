// Every command mode under seeded random input: presses, moves, releases,
// clicks, keys, wheel turns, cancels, redraws and the cursor leaving, over a
// seeded random small drawing. Afterwards every element of the drawing and
// of the undo log must be well formed: a kind the store knows, finite
// coordinates, a text naming a string that exists, a layer that exists.
//
// Message boxes and input boxes get scripted answers, so nothing waits.
//
// A failing run prints its mode, seed and action list. One case is replayed
// with
//   ZURO_RANDOM_COMMANDS_MODE=<mode number> ZURO_RANDOM_COMMANDS_SEED=<seed>
//   test_random_commands --gtest_filter='*Seed*'
// (ZURO_RANDOM_COMMANDS_ACTIONS sets the number of actions, 250 unless set).
// Under the sanitizers a crash prints the same through their death callback.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/command_modes.h"
#include "geometry/codepage.h"
#include "platform/custom_control.h"
#include "support/command_harness.h"
#include "support/settings_guard.h"

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define ZURO_HAS_SANITIZER_CALLBACK 1
#endif

namespace {

constexpr int kDefaultActions = 250;
// The seeds CI runs, each over every mode.
constexpr std::uint32_t kSeeds[] = {20261211, 7};

std::optional<long> Environment(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return std::nullopt;
  return std::strtol(text, nullptr, 10);
}

// What runs now, for the report of a failure or a crash.
struct RunRecord {
  int mode = -1;
  std::uint32_t seed = 0;
  std::vector<std::string> drawing;
  std::vector<std::string> actions;

  std::string Text() const {
    std::ostringstream out;
    out << "mode " << mode << ", seed " << seed << " (replay: ZURO_RANDOM_COMMANDS_MODE=" << mode
        << " ZURO_RANDOM_COMMANDS_SEED=" << seed << ")\n  drawing:\n";
    for (const std::string& e : drawing) out << "    " << e << "\n";
    out << "  actions:\n";
    for (std::size_t k = 0; k < actions.size(); ++k) out << "    " << k << ": " << actions[k] << "\n";
    return out.str();
  }
};

RunRecord current;

#ifdef ZURO_HAS_SANITIZER_CALLBACK
void PrintCurrentRun() { std::fprintf(stderr, "\nrandom command run that failed: %s\n", current.Text().c_str()); }
#endif

bool Finite(double v) { return std::isfinite(v); }

// Why an element is not well formed, or empty.
std::string Malformed(const RDrawElement& e, std::size_t texts) {
  if (e.Kind > kKindPoint) return "kind " + std::to_string(e.Kind);
  if (e.Group >= kLayerGroups || e.Layer >= kLayersPerGroup) return "layer out of the tables";
  if (!Finite(e.X1) || !Finite(e.Y1)) return "first point not finite";
  switch (e.Kind) {
    case kKindArc:
      if (!Finite(e.Radius) || !std::isfinite(e.Ratio) || !std::isfinite(e.StartAngle) || !std::isfinite(e.EndAngle) ||
          !std::isfinite(e.Rotation)) {
        return "arc value not finite";
      }
      break;
    case kKindText:
      if (!Finite(e.X2) || !Finite(e.Y2) || !std::isfinite(e.TextAngle)) return "text end not finite";
      if (e.TextIndex >= texts) return "text index " + std::to_string(e.TextIndex) + " of " + std::to_string(texts);
      if (e.TextStyle >= kTextStyleCount) return "text style " + std::to_string(e.TextStyle);
      break;
    case kKindPoint: break;
    default:
      if (!Finite(e.X2) || !Finite(e.Y2)) return "second point not finite";
      break;
  }
  return {};
}

class RandomCommands : public CommandHarness, public ::testing::WithParamInterface<std::uint32_t> {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
#ifdef ZURO_HAS_SANITIZER_CALLBACK
    __sanitizer_set_death_callback(PrintCurrentRun);
#endif
  }
  void TearDown() override {
#ifdef ZURO_HAS_SANITIZER_CALLBACK
    __sanitizer_set_death_callback(nullptr);
#endif
    CommandHarness::TearDown();
  }

  void RunMode(int mode, std::uint32_t seed, int actions);

 private:
  struct Spot {
    double x, y;
  };
  void SeedDrawing();
  Spot PlaceOf();
  TShiftState Modifiers();
  void Act();
  void CheckStore(const char* when);

  std::mt19937 rng_;
  std::vector<Spot> spots_;  // points of the drawing: ends, centres, corners
  TShiftState held_ = 0;
  Sbuttontype mode_ = dtDraf;

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  double Between(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
  void Log(const std::string& action) { current.actions.push_back(action); }
};

void RandomCommands::SeedDrawing() {
  spots_.clear();
  const int count = 1 + Below(8);
  for (int k = 0; k < count; ++k) {
    const double x = Between(5, 120), y = Between(5, 90);
    const double x2 = Between(5, 120), y2 = Between(5, 90);
    switch (Below(5)) {
      case 0:
      case 1: {
        RDrawElement e = Line(x, y, x2, y2, static_cast<std::uint8_t>(Below(2)), 0);
        e.ColorNo = static_cast<std::uint8_t>(Below(8));
        Seed({e});
        spots_.push_back({x, y});
        spots_.push_back({x2, y2});
        spots_.push_back({(x + x2) / 2, (y + y2) / 2});
        break;
      }
      case 2: {
        const double r = Between(1, 25);
        const bool whole = Below(2) == 0;
        const float start = whole ? 0.0f : static_cast<float>(Between(0, 360));
        const float end = whole ? 0.0f : static_cast<float>(Between(0, 360));
        const float ratio = Below(3) == 0 ? static_cast<float>(Between(0.2, 1)) : 1.0f;
        Seed({Arc(x, y, r, start, end, ratio, ratio == 1.0f ? 0.0f : static_cast<float>(Between(0, 180)))});
        spots_.push_back({x, y});
        spots_.push_back({x + r, y});
        spots_.push_back({x, y + r * ratio});
        break;
      }
      case 3:
        Seed({Point(x, y)});
        spots_.push_back({x, y});
        break;
      default: {
        static const char* const kTexts[] = {"AB", "図面", "1", "ｱｲｳ", "x y"};
        const RDrawElement e =
            SeedText(kTexts[Below(5)], x, y, x + Between(2, 20), y, static_cast<std::uint8_t>(1 + Below(3)));
        spots_.push_back({x, y});
        spots_.push_back({e.X2, e.Y2});
        break;
      }
    }
  }
  for (const RDrawElement& e : Elements()) current.drawing.push_back(DescribeElement(e, &Store().ElementTexts));
}

RandomCommands::Spot RandomCommands::PlaceOf() {
  // Most places lie on or near something of the drawing, so picks and snaps
  // find it; the rest anywhere in and around the view.
  if (!spots_.empty() && Below(3) != 0) {
    const Spot s = spots_[static_cast<std::size_t>(Below(static_cast<int>(spots_.size())))];
    const double jitter = Below(2) == 0 ? 0.0 : 1.5;
    return {s.x + Between(-jitter, jitter + 1e-9), s.y + Between(-jitter, jitter + 1e-9)};
  }
  return {Between(-10, 140), Between(-10, 106)};
}

TShiftState RandomCommands::Modifiers() {
  static const TShiftState kChoices[] = {0,       0,      0,     0,
                                         ssShift, ssCtrl, ssAlt, static_cast<TShiftState>(ssShift | ssCtrl)};
  return kChoices[Below(8)];
}

std::string Describe(const char* what, double x, double y, TShiftState shift) {
  std::ostringstream out;
  out.precision(10);
  out << what << " (" << x << ", " << y << ") shift " << static_cast<int>(shift);
  return out.str();
}

void RandomCommands::Act() {
  const int roll = Below(100);
  TcadBox& box = Box();
  if (roll < 30) {
    const Spot p = PlaceOf();
    const TShiftState mods = Modifiers();
    Log(Describe("move", p.x, p.y, mods));
    MoveTo(p.x, p.y, mods);
  } else if (roll < 50) {
    const Spot p = PlaceOf();
    static const TShiftState kButtons[] = {ssLeft, ssLeft, ssLeft, ssRight, ssRight, ssMiddle};
    const TShiftState shift = static_cast<TShiftState>(kButtons[Below(6)] | Modifiers());
    Log(Describe("click", p.x, p.y, shift));
    Click(p.x, p.y, shift);
  } else if (roll < 60) {
    const Spot p = PlaceOf();
    static const TShiftState kButtons[] = {ssLeft, ssRight, ssMiddle};
    const TShiftState button = kButtons[Below(3)];
    if ((held_ & button) == 0) {
      const TShiftState shift = static_cast<TShiftState>(button | Modifiers());
      Log(Describe("press", p.x, p.y, shift));
      held_ = static_cast<TShiftState>(held_ | button);
      Press(p.x, p.y, shift);
    } else {
      Log(Describe("release", p.x, p.y, button));
      held_ = static_cast<TShiftState>(held_ & ~button);
      Release(p.x, p.y, button);
    }
  } else if (roll < 68) {
    const Spot a = PlaceOf(), b = PlaceOf();
    const TShiftState shift = static_cast<TShiftState>((Below(4) == 0 ? ssRight : ssLeft) | Modifiers());
    Log(Describe("drag from", a.x, a.y, shift) + Describe(" to", b.x, b.y, shift));
    Drag(a.x, a.y, b.x, b.y, shift);
  } else if (roll < 78) {
    static const std::uint16_t kKeys[] = {VK_ESCAPE, VK_RETURN, 0x20, 0x25, 0x26, 0x27, 0x28, 0x21,
                                          0x22,      VK_DELETE, 0x08, 'A',  '1',  0x10, 0x11};
    std::uint16_t key = kKeys[Below(15)];
    const TShiftState shift = Modifiers();
    Log("key " + std::to_string(key) + " shift " + std::to_string(static_cast<int>(shift)));
    if (!box.ChildKey(key, shift)) box.KeyDown(key, shift);
    if (key >= 0x20 && key < 0x7F) {
      char c = static_cast<char>(key);
      box.KeyPress(c);
    }
    box.KeyUp(key, shift);
  } else if (roll < 84) {
    const Spot p = PlaceOf();
    const int delta = Below(2) == 0 ? 120 : -120;
    const TShiftState shift = Modifiers();
    Log(Describe(delta > 0 ? "wheel up at" : "wheel down at", p.x, p.y, shift));
    box.DoMouseWheel(shift, delta, TPoint{PixelX(p.x), PixelY(p.y)});
  } else if (roll < 89) {
    const bool all = Below(2) == 0;
    Log(all ? "cancel all" : "cancel");
    box.CancelCommands(all);
    // The command under test goes on after a cancel, as the host's button
    // would start it again.
    if (Below(2) == 0) box.ButonType = mode_;
  } else if (roll < 95) {
    const bool refilter = Below(2) == 0;
    Log(refilter ? "redraw (refilter)" : "redraw");
    box.RedrawAll(refilter);
    box.Update();
  } else if (roll < 98) {
    Log("leave");
    Leave();
  } else {
    Log("enter");
    Enter();
  }
}

void RandomCommands::CheckStore(const char* when) {
  const Tdrawinp& store = Store();
  for (std::size_t i = 0; i < store.Elements.size(); ++i) {
    const std::string why = Malformed(store.Elements[i], store.ElementTexts.size());
    if (!why.empty()) {
      ADD_FAILURE() << when << ": element " << i << " " << why << ": " << DescribeElement(store.Elements[i]) << "\n"
                    << current.Text();
      return;
    }
  }
  for (std::size_t i = 0; i < store.UndoLog.size(); ++i) {
    const std::string why = Malformed(store.UndoLog[i], store.UndoTexts.size());
    if (!why.empty()) {
      ADD_FAILURE() << when << ": undo record " << i << " " << why << ": " << DescribeElement(store.UndoLog[i]) << "\n"
                    << current.Text();
      return;
    }
  }
}

void RandomCommands::RunMode(int mode, std::uint32_t seed, int actions) {
  current = RunRecord{mode, seed, {}, {}};
  // Each mode's sequence depends on its seed and mode alone, so one mode
  // replays without the others.
  rng_.seed(seed * 1000003u + static_cast<std::uint32_t>(mode));
  mode_ = static_cast<Sbuttontype>(mode);
  held_ = 0;
  StartAfresh(mode_);
  // Boxes the commands open are answered from the script: questions yes or
  // no, input boxes a number, text that is none, or a cancel.
  ScriptedDialogs& boxes = Dialogs();
  boxes.shown.clear();
  boxes.messageAnswers.clear();
  boxes.inputAnswers.clear();
  static const char* const kTyped[] = {"10", "0", "-3", "2.5", "1e308", "abc", "", "ｱ"};
  for (int k = 0; k < 64; ++k) {
    boxes.messageAnswers.push_back(Below(2) == 0 ? MessageAnswer::Yes : MessageAnswer::Cancel);
    const int typed = Below(9);
    if (typed == 8) {
      boxes.inputAnswers.push_back(std::nullopt);
    } else {
      boxes.inputAnswers.push_back(J(kTyped[typed]));
    }
  }
  SeedDrawing();
  Box().ButonType = mode_;
  for (int k = 0; k < actions; ++k) {
    Act();
    if (::testing::Test::HasFailure()) break;
  }
  // Buttons still held are let go, and the command is cancelled.
  for (const TShiftState button : {ssLeft, ssRight, ssMiddle}) {
    if (held_ & button) Release(64, 48, button);
  }
  CheckStore("after the actions");
  Box().CancelCommands(true);
  CheckStore("after the cancel");
  if (::testing::Test::HasFailure()) std::fprintf(stderr, "%s", current.Text().c_str());
}

TEST_P(RandomCommands, EveryModeSeed) {
  SettingsGuard settings;
  const std::optional<long> onlyMode = Environment("ZURO_RANDOM_COMMANDS_MODE");
  const std::optional<long> seed = Environment("ZURO_RANDOM_COMMANDS_SEED");
  if (seed && GetParam() != kSeeds[0]) GTEST_SKIP() << "one seed is replayed, in the first instance";
  const std::uint32_t runSeed = seed ? static_cast<std::uint32_t>(*seed) : GetParam();
  const int actions = static_cast<int>(Environment("ZURO_RANDOM_COMMANDS_ACTIONS").value_or(kDefaultActions));
  for (int mode = 0; mode < kCommandModeCount; ++mode) {
    if (mode == dtNo || (onlyMode && *onlyMode != mode)) continue;
    SCOPED_TRACE("mode " + std::to_string(mode) + ", seed " + std::to_string(runSeed));
    RunMode(mode, runSeed, actions);
    if (HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(FixedSeeds, RandomCommands, ::testing::ValuesIn(kSeeds));

}  // namespace
