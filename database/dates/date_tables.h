// database/dates/date_tables.h: the English calendar and month tables of dates: GEDCOM escapes and
// month codes, display names, and the longest day of each month.
#pragma once

#include <string_view>

/// The full month name ("January", "Tishri", "VENDEMIAIRE"); null outside the calendar's table.
/// Gregorian and Julian share one table.
const char* GetMonthName(int month, int calendar);
/// The GEDCOM month code ("JAN", "TSH", "VEND"); null outside the calendar's table.
const char* GetMonthCode(int month, int calendar);
/// The Gregorian short name ("Jan"); null outside 1 to 12.
const char* GetShortMonthName(int month);
/// "Gregorian", "Julian", "Hebrew", "French"; null outside 0 to 3.
const char* GetCalendarName(int calendar);
/// "@#DGREGORIAN@", "@#DJULIAN@", "@#DHEBREW@", "@#DFRENCH@"; null outside 0 to 3.
const char* GetCalendarEscape(int calendar);
/// The calendar's pattern for the prefix a user may type, "[J-ULIAN]"; null outside 0 to 3.
const char* GetCalendarPrefixPattern(int calendar);

/// The highest day the month can have in any year (29 for February, 30 for Adar, which has 30
/// days in leap years, 6 for the French complementary days); 0 for a month outside the table.
int GetMaxDayOfMonth(int month, int calendar);

/// The row of the month whose GEDCOM code is exactly word; 0 when none.
int FindMonthCode(std::string_view word, int calendar);
/// The first row whose upper-case name begins with word (an upper-case abbreviation of letters
/// and "-", such as "J", "SEPT", "VEND"); 0 when none.
int FindMonthName(std::string_view word, int calendar);
