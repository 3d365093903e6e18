#pragma once
// The current local date and time for the text macros, with the year of the
// Japanese era. Tests fix the clock with ScopedFakeDateTime.

struct LocalDateTime {
  int Year = 0;   // Gregorian, four digits
  int Month = 0;  // 1 to 12
  int Day = 0;    // 1 to 31
  int Hour = 0;   // 0 to 23
  int Minute = 0;
  int Second = 0;
  int EraYear = 0;  // year of the Japanese era of that day, 1 in its first year
};

// The era year of a Gregorian date: Meiji from 1868-01-01, Taisho from
// 1912-07-30, Showa from 1926-12-25, Heisei from 1989-01-08, Reiwa from
// 2019-05-01. A date before Meiji has no era and gives its Gregorian year.
int JapaneseEraYear(int year, int month, int day);

// Now, in local time, unless a fake is set.
LocalDateTime CurrentDateTime();

// Fixes CurrentDateTime to a date and time (EraYear is filled in) for a scope.
class ScopedFakeDateTime {
 public:
  ScopedFakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
  ~ScopedFakeDateTime();
  ScopedFakeDateTime(const ScopedFakeDateTime&) = delete;
  ScopedFakeDateTime& operator=(const ScopedFakeDateTime&) = delete;
};
