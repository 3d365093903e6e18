#include "platform/japanese_date.h"

#include <gtest/gtest.h>

namespace {

TEST(JapaneseDate, EraYearAcrossTheEraChanges) {
  struct Case {
    int year, month, day;
    int eraYear;
  };
  const Case cases[] = {
      {1867, 12, 31, 1867},  // before Meiji: no era
      {1868, 1, 1, 1},       // Meiji 1
      {1912, 7, 29, 45},     // Meiji 45
      {1912, 7, 30, 1},      // Taisho 1
      {1926, 12, 24, 15},    // Taisho 15
      {1926, 12, 25, 1},     // Showa 1
      {1989, 1, 7, 64},      // Showa 64
      {1989, 1, 8, 1},       // Heisei 1
      {2019, 4, 30, 31},     // Heisei 31
      {2019, 5, 1, 1},       // Reiwa 1
      {2026, 12, 10, 8},     // Reiwa 8
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JapaneseEraYear(c.year, c.month, c.day), c.eraYear) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(JapaneseDate, FakeClockAndTheRealOne) {
  {
    ScopedFakeDateTime fixed(2024, 5, 3, 9, 7, 30);
    const LocalDateTime t = CurrentDateTime();
    EXPECT_EQ(t.Year, 2024);
    EXPECT_EQ(t.Month, 5);
    EXPECT_EQ(t.Day, 3);
    EXPECT_EQ(t.Hour, 9);
    EXPECT_EQ(t.Minute, 7);
    EXPECT_EQ(t.Second, 30);
    EXPECT_EQ(t.EraYear, 6);  // Reiwa 6
  }
  const LocalDateTime now = CurrentDateTime();
  EXPECT_GE(now.Year, 2024);
  EXPECT_GE(now.Month, 1);
  EXPECT_LE(now.Month, 12);
  EXPECT_GE(now.Day, 1);
  EXPECT_LE(now.Day, 31);
  EXPECT_LE(now.Hour, 23);
  EXPECT_EQ(now.EraYear, now.Year - 2018);  // the Reiwa era
}

}  // namespace
