#include "platform/japanese_date.h"

#include <ctime>

namespace {

struct EraStart {
  int year, month, day;
};

// Newest first, so the first era that began on or before a date is its era.
constexpr EraStart kEras[] = {
    {2019, 5, 1},    // Reiwa
    {1989, 1, 8},    // Heisei
    {1926, 12, 25},  // Showa
    {1912, 7, 30},   // Taisho
    {1868, 1, 1},    // Meiji
};

bool fakeSet = false;
LocalDateTime fake;

}  // namespace

int JapaneseEraYear(int year, int month, int day) {
  const long date = year * 10000L + month * 100L + day;
  for (const EraStart& era : kEras) {
    if (date >= era.year * 10000L + era.month * 100L + era.day) return year - era.year + 1;
  }
  return year;
}

LocalDateTime CurrentDateTime() {
  if (fakeSet) return fake;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  LocalDateTime t;
  t.Year = local.tm_year + 1900;
  t.Month = local.tm_mon + 1;
  t.Day = local.tm_mday;
  t.Hour = local.tm_hour;
  t.Minute = local.tm_min;
  t.Second = local.tm_sec;
  t.EraYear = JapaneseEraYear(t.Year, t.Month, t.Day);
  return t;
}

ScopedFakeDateTime::ScopedFakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  fake = {year, month, day, hour, minute, second, JapaneseEraYear(year, month, day)};
  fakeSet = true;
}

ScopedFakeDateTime::~ScopedFakeDateTime() { fakeSet = false; }
