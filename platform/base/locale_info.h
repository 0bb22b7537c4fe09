// platform/base/locale_info.h: the user's date conventions. They are fixed defaults, never the
// machine's locale, so every run formats alike; tests and settings may change them.
#pragma once

#include <string>

namespace locale_info {

/// The short-date order, numbered as the classic locale setting numbers it.
enum DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

/// Month-day-year unless set.
DateOrder ShortDateOrder();
/// "/" unless set.
char DateSeparator();
/// ":" unless set.
char TimeSeparator();

/// The short date: month and day without leading zeros, a four-digit year, in the short-date
/// order joined by the date separator ("12/6/2026"). Empty when a part is out of range.
std::string FormatShortDate(int year, int month, int day);

void SetShortDateOrder(DateOrder order);
void SetDateSeparator(char separator);
void SetTimeSeparator(char separator);
/// Back to the defaults.
void Reset();

} // namespace locale_info
