#include "app/steel_catalogues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/input_parsers.h"
#include "geometry/codepage.h"

namespace {

TEST(SteelCatalogues, SizesAndFirstItem) {
  struct Case {
    SteelFamily family;
    int rows;
  };
  const Case cases[] = {{SteelFamily::NarrowH, 21}, {SteelFamily::MediumH, 19}, {SteelFamily::WideH, 20},
                        {SteelFamily::Pipe, 111},   {SteelFamily::Box, 62},     {SteelFamily::Angle, 40},
                        {SteelFamily::Channel, 16}, {SteelFamily::FlatBar, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(CatalogueRowCount(c.family), c.rows);
    const std::vector<std::string> items = CatalogueItems(c.family);
    ASSERT_EQ(items.size(), static_cast<std::size_t>(c.rows) + 1);
    EXPECT_EQ(items[0], " ");
    for (std::size_t k = 1; k < items.size(); ++k) EXPECT_FALSE(items[k].empty());
  }
}

TEST(SteelCatalogues, Designations) {
  struct Case {
    SteelFamily family;
    int index;
    std::string designation;
  };
  const Case cases[] = {
      {SteelFamily::NarrowH, 0, "H-100X 50X 5.0X7  "},    {SteelFamily::NarrowH, 4, "H-198X 99X 4.5X7  "},
      {SteelFamily::NarrowH, 20, "H-606X201X12.0X20 "},   {SteelFamily::MediumH, 12, "H-692X300X13.0X20 "},
      {SteelFamily::WideH, 1, "H-125X125X 6.5X9  "},      {SteelFamily::WideH, 19, "H-498X432X45.0X70 "},
      {SteelFamily::Pipe, 0, "\x81\x9B-21.7X2.0"},  // "○-"
      {SteelFamily::Pipe, 2, "\x81\x9B-27.2X2.3"},        {SteelFamily::Pipe, 110, "\x81\x9B-1016.0X22.0"},
      {SteelFamily::Box, 0, "\x81\xA0- 50X 50X2.3"},  // "□-"
      {SteelFamily::Box, 2, "\x81\xA0- 60X 60X1.6"},      {SteelFamily::Box, 61, "\x81\xA0-500X500X32.0"},
      {SteelFamily::Angle, 0, "L- 25X 25X 3.0"},          {SteelFamily::Angle, 39, "L-250X250X35.0"},
      {SteelFamily::Channel, 0, "[ - 75 X 40 X5.0 X7.0"}, {SteelFamily::Channel, 15, "[ -380 X100 X13.0 X20.0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CatalogueRow(c.family, c.index).Designation, c.designation) << c.index;
  }
  for (SteelFamily family : {SteelFamily::NarrowH, SteelFamily::Pipe, SteelFamily::Channel, SteelFamily::FlatBar}) {
    for (int index : {-1, CatalogueRowCount(family), 100000}) {
      const RCatalogueRow row = CatalogueRow(family, index);
      EXPECT_EQ(row.Designation, "");
      EXPECT_EQ(row.Values, (std::array<float, 5>{}));
    }
  }
}

TEST(SteelCatalogues, ValuesHandedOn) {
  // The channel hands on H, B, t1, I and area: t2 stays behind.
  EXPECT_EQ(CatalogueChannel(1).Values, (std::array<float, 5>{100.0f, 50.0f, 5.0f, 188.0f, 11.92f}));
  EXPECT_EQ(CatalogueAngle(3).Values, (std::array<float, 5>{40.0f, 40.0f, 5.0f, 5.42f, 3.755f}));
  EXPECT_EQ(CatalogueMediumH(0).Values, (std::array<float, 5>{148.0f, 100.0f, 6.0f, 9.0f, 8.0f}));
  EXPECT_EQ(CataloguePipe(5).Values, (std::array<float, 5>{42.7f, 2.8f, 0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(CatalogueBox(8).Values, (std::array<float, 5>{80.0f, 80.0f, 3.2f, 3.2f, 3.2f}));
}

TEST(SteelCatalogues, BoxRowsAreSquareTubesOfOneThicknessInAscendingOrder) {
  // A square tube: both sides equal and one wall thickness, written three
  // times; each row larger or, at the same size, thicker than the one before.
  const int rows = CatalogueRowCount(SteelFamily::Box);
  for (int i = 0; i < rows; ++i) {
    const std::array<float, 5> v = CatalogueBox(i).Values;
    EXPECT_EQ(v[0], v[1]) << i;
    EXPECT_EQ(v[2], v[3]) << i;
    EXPECT_EQ(v[2], v[4]) << i;
    if (i > 0) {
      const std::array<float, 5> before = CatalogueBox(i - 1).Values;
      EXPECT_TRUE(before[0] < v[0] || (before[0] == v[0] && before[2] < v[2])) << i;
    }
  }
}

TEST(SteelCatalogues, SectionValues) {
  const double pi = std::numbers::pi;
  // Pipe 21.7 x 2.0 mm: pi/4 (2.17^2 - 1.77^2), pi/64 (2.17^4 - 1.77^4).
  // Box 100 x 3.2 mm: 10^2 - 9.36^2, (10^4 - 9.36^4) / 12.
  // H 100 x 50 x 5 x 7, r 8: the tables give A = 11.85 cm2, I = 187 cm4.
  struct Case {
    SteelFamily family;
    int index;
    double I, A, toleranceI, toleranceA;
  };
  const Case cases[] = {
      {SteelFamily::Pipe, 0, pi / 64 * (std::pow(2.17, 4) - std::pow(1.77, 4)), pi / 4 * (2.17 * 2.17 - 1.77 * 1.77),
       1e-5, 1e-5},
      {SteelFamily::Box, 12, (1e4 - std::pow(9.36, 4)) / 12, 100 - 9.36 * 9.36, 1e-4, 1e-4},
      {SteelFamily::NarrowH, 0, 187.0, 11.85, 0.5, 0.01},
      {SteelFamily::NarrowH, 5, 1810.0, 26.67, 10.0, 0.05},  // H-200x100x5.5x8
      {SteelFamily::WideH, 4, 4720.0, 63.53, 20.0, 0.05},    // H-200x200x8x12
      {SteelFamily::Angle, 0, 0.797, 1.427, 1e-6, 1e-6},
      {SteelFamily::Channel, 15, 17600.0, 85.71, 1e-3, 1e-5},
  };
  for (const Case& c : cases) {
    double I = -1.0;
    double A = -1.0;
    ASSERT_TRUE(CatalogueSection(c.family, c.index, I, A)) << c.index;
    EXPECT_NEAR(I, c.I, c.toleranceI) << c.index;
    EXPECT_NEAR(A, c.A, c.toleranceA) << c.index;
  }
  double I = 5.0;
  double A = 6.0;
  EXPECT_FALSE(CatalogueSection(SteelFamily::Angle, 40, I, A));
  EXPECT_FALSE(CatalogueSection(SteelFamily::FlatBar, 0, I, A));
  EXPECT_EQ(I, 5.0);
  EXPECT_EQ(A, 6.0);
}

TEST(SteelCatalogues, ChoiceInTheCatalogueBox) {
  GridCells list(7, 100);
  list.SetCell(5, 3, "1");
  list.SetCell(6, 3, "2");
  // Item 1 of the narrow flange list: I = 187.477 (hand computation with
  // the four fillets), A = 11.849.
  ApplyCatalogueChoice(list, 3, SteelFamily::NarrowH, 1);
  EXPECT_EQ(list.Cell(5, 3), "187.48");
  EXPECT_EQ(list.Cell(6, 3), "11.85");
  // A typed text (no item) reads no row.
  ApplyCatalogueChoice(list, 3, SteelFamily::NarrowH, -1);
  EXPECT_EQ(list.Cell(5, 3), "187.48");
  // Channel item 1 gives the row's own values.
  ApplyCatalogueChoice(list, 3, SteelFamily::Channel, 1);
  EXPECT_EQ(list.Cell(5, 3), "75.30");
  EXPECT_EQ(list.Cell(6, 3), "8.82");
  // An item beyond the table reads nothing.
  ApplyCatalogueChoice(list, 3, SteelFamily::Channel, 17);
  EXPECT_EQ(list.Cell(5, 3), "75.30");
  // The blank item empties I and A.
  ApplyCatalogueChoice(list, 3, SteelFamily::Channel, 0);
  EXPECT_EQ(list.Cell(5, 3), "");
  EXPECT_EQ(list.Cell(6, 3), "");
}

}  // namespace
