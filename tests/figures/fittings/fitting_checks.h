#pragma once
// A generator with the fitting kinds registered and round plan settings,
// and checks of the figures the kinds build.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "figures/fittings/fitting_kinds.h"
#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

// At scale 10 these give, in paper millimetres: W 100, G 10, T 20, E 8,
// J 3, D 10; a bare number c of a kind becomes c / 10.
inline void SetRoundPlanSettings() {
  FittingDefaults.FitWidth = 1000;
  FittingDefaults.FitMullion = 100;
  FittingDefaults.FitPlanSize1 = 200;
  FittingDefaults.FitPlanSize2 = 80;
  FittingDefaults.FitPlanSize3 = 30;
  FittingDefaults.FitPlanSize4 = 100;
  FittingDefaults.FitPlanColour1 = 4;
  FittingDefaults.FitPlanColour2 = 7;
}

// A line of a golden table in local coordinates; Face marks the face
// colour.
struct LocalLine {
  double x1, y1, x2, y2;
  bool Face = false;
  std::uint8_t LineType = 0;
};

inline constexpr double kBaseX = 100;
inline constexpr double kBaseY = 200;

class FittingTest : public ::testing::Test {
 protected:
  // The kinds the fixture registers are the test's alone.
  const FigureKindRegistrationScope kinds_;

  FittingTest() {
    RegisterFittingKinds();  // until kinds_ goes
    SetRoundPlanSettings();
    // The base point at the box corner: golden tables are the local
    // coordinates moved by the base point.
    DraftDefaults.FigureBasePoint = 2;
    FittingDefaults.FitPlanOption5 = 1;
  }

  // The sizes are not read by the plan kinds.
  void Build(std::uint8_t kind, double angle = 0.0) {
    fig_.Generate(kind, kBaseX, kBaseY, 11, 12, 13, 14, 15, 16, angle);
  }

  const std::vector<RDrawElement>& Out() const { return fig_.Elements; }

  // Elements from..from + size of want are the lines of want moved by the
  // base point, with the symbol's attributes.
  void ExpectLines(std::size_t from, std::initializer_list<LocalLine> want) const {
    ExpectLocalLines(from, want, false);
  }

  // Untagged end-mark lines of colour 0.
  void ExpectMarks(std::size_t from, std::initializer_list<LocalLine> want) const {
    ExpectLocalLines(from, want, true);
  }

  // Lines given in real millimetres: each coordinate is divided by the
  // generator's scale.
  void ExpectRealLines(std::size_t from, std::initializer_list<LocalLine> want, bool marks = false) const {
    ExpectLocalLines(from, want, marks, fig_.Scale);
  }

  // Builds at scale 1 and at scale 50, checking each with Check.
  template <typename Checks>
  void AtScales1And50(std::uint8_t kind, Checks Check) {
    for (double scale : {1.0, 50.0}) {
      SCOPED_TRACE("scale " + std::to_string(scale));
      fig_.SetStylesAndScale(styles_, scale);
      Build(kind);
      Check();
    }
  }

  void ExpectLocalLines(std::size_t from, std::initializer_list<LocalLine> want, bool marks,
                        double divisor = 1.0) const {
    ASSERT_LE(from + want.size(), Out().size());
    std::size_t i = from;
    for (const LocalLine& w : want) {
      SCOPED_TRACE((marks ? "end mark " : "element ") + std::to_string(i));
      const RDrawElement& e = Out()[i++];
      ExpectLine(e, {kBaseX + w.x1 / divisor, kBaseY + w.y1 / divisor},
                 {kBaseX + w.x2 / divisor, kBaseY + w.y2 / divisor});
      EXPECT_EQ(int{e.ColorNo}, marks ? 0 : w.Face ? 7 : 4);
      EXPECT_EQ(int{e.LineType}, int{w.LineType});
      EXPECT_EQ(int{e.LineTag}, marks ? 0 : int{kLineTagFitting});
    }
  }

  // The width of the offset box and its side gap: code 2 puts the base
  // point Gap left of the box's bottom-left corner, code 8 Gap right of its
  // bottom-right corner.
  struct BoxSize {
    double Width;
    double Gap;
  };
  BoxSize MeasureBox(std::uint8_t kind) {
    const std::uint8_t code = DraftDefaults.FigureBasePoint;
    DraftDefaults.FigureBasePoint = 2;
    Build(kind);
    const double gap = fig_.OffsetX;
    DraftDefaults.FigureBasePoint = 8;
    Build(kind);
    const double width = -fig_.OffsetX - gap;
    DraftDefaults.FigureBasePoint = code;
    return {width, gap};
  }

  SettingsGuard guard_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 10.0};
};

// Every coordinate of every element is finite.
inline bool AllFinite(const std::vector<RDrawElement>& elements) {
  for (const RDrawElement& e : elements) {
    const double values[] = {e.X1, e.Y1, e.X2, e.Kind == kKindArc ? double{e.StartAngle} : double{e.Y2}};
    for (double v : values) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}
