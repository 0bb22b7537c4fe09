// tests/database/dates/date_tables_test.cpp: month codes are found by the whole code of the
// calendar's own table, never by a part of it or by another calendar's code.
#include "database/dates/date_tables.h"
#include "database/dates/date_value.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MonthCodeCase {
    const char* name;
    const char* word;
    int calendar;
    int month; // 0: not a code of the calendar
};

class MonthCodeLookup : public ::testing::TestWithParam<MonthCodeCase> {};

TEST_P(MonthCodeLookup, MatchesOnlyAWholeCodeOfTheCalendar)
{
    const MonthCodeCase& c = GetParam();
    EXPECT_EQ(FindMonthCode(c.word, c.calendar), c.month);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MonthCodeLookup,
    ::testing::Values(MonthCodeCase{"First", "JAN", CALENDAR_GREGORIAN, 1},
                      MonthCodeCase{"SharedFirstLetterJune", "JUN", CALENDAR_GREGORIAN, 6},
                      MonthCodeCase{"SharedFirstLetterJuly", "JUL", CALENDAR_GREGORIAN, 7},
                      MonthCodeCase{"SharedFirstLetterMay", "MAY", CALENDAR_GREGORIAN, 5},
                      MonthCodeCase{"Last", "DEC", CALENDAR_JULIAN, 12},
                      MonthCodeCase{"Empty", "", CALENDAR_GREGORIAN, 0},
                      MonthCodeCase{"FirstLetterOnly", "J", CALENDAR_GREGORIAN, 0},
                      MonthCodeCase{"Longer", "JANUARY", CALENDAR_GREGORIAN, 0},
                      MonthCodeCase{"LowerCase", "jan", CALENDAR_GREGORIAN, 0},
                      MonthCodeCase{"FourLetters", "VEND", CALENDAR_FRENCH, 1},
                      MonthCodeCase{"FrenchLast", "COMP", CALENDAR_FRENCH, 13},
                      MonthCodeCase{"HebrewSecondAdar", "ADS", CALENDAR_HEBREW, 7},
                      MonthCodeCase{"OtherCalendar", "TSH", CALENDAR_GREGORIAN, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
