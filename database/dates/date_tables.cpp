// database/dates/date_tables.cpp: the English calendar and month tables of dates.
#include "database/dates/date_tables.h"

#include "database/dates/date_value.h"

#include <cctype>

namespace {

struct MonthRow {
    std::string_view code; // a literal, so data() is terminated
    const char* name;
    int maxDay;
};

constexpr MonthRow kGregorianMonths[] = {
    {"JAN", "January", 31}, {"FEB", "February", 29}, {"MAR", "March", 31},
    {"APR", "April", 30},   {"MAY", "May", 31},      {"JUN", "June", 30},
    {"JUL", "July", 31},    {"AUG", "August", 31},   {"SEP", "September", 30},
    {"OCT", "October", 31}, {"NOV", "November", 30}, {"DEC", "December", 31},
};

constexpr const char* kShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr MonthRow kFrenchMonths[] = {
    {"VEND", "VENDEMIAIRE", 30},        {"BRUM", "BRUMAIRE", 30},
    {"FRIM", "FRIMAIRE", 30},           {"NIVO", "NIVOSE", 30},
    {"PLUV", "PLUVIOSE", 30},           {"VENT", "VENTOSE", 30},
    {"GERM", "GERMINAL", 30},           {"FLOR", "FLOREAL", 30},
    {"PRAI", "PRAIRIAL", 30},           {"MESS", "MESSIDOR", 30},
    {"THER", "THERMIDOR", 30},          {"FRUC", "FRUCTIDOR", 30},
    {"COMP", "JOUR-COMPLEMENTAIRS", 6},
};

constexpr MonthRow kHebrewMonths[] = {
    {"TSH", "Tishri", 30}, {"CSH", "Cheshvan", 30}, {"KSL", "Kislev", 30},     {"TVT", "Tevet", 29},
    {"SHV", "Shevat", 30}, {"ADR", "Adar", 30},     {"ADS", "Adar Sheni", 29}, {"NSN", "Nisan", 30},
    {"IYR", "Iyar", 29},   {"SVN", "Sivan", 30},    {"TMZ", "Tammuz", 29},     {"AAV", "Av", 30},
    {"ELL", "Elul", 29},
};

struct CalendarRow {
    const char* escape;
    const char* name;
    const char* prefix;
};

constexpr CalendarRow kCalendars[] = {
    {"@#DGREGORIAN@", "Gregorian", "[G-REGORIAN]"},
    {"@#DJULIAN@", "Julian", "[J-ULIAN]"},
    {"@#DHEBREW@", "Hebrew", "[H-EBREW]"},
    {"@#DFRENCH@", "French", "[F-RENCH]"},
};

struct MonthTable {
    const MonthRow* rows;
    int count;
};

MonthTable TableOf(int calendar)
{
    switch (calendar) {
    case CALENDAR_GREGORIAN:
    case CALENDAR_JULIAN:
        return {kGregorianMonths, 12};
    case CALENDAR_HEBREW:
        return {kHebrewMonths, 13};
    case CALENDAR_FRENCH:
        return {kFrenchMonths, 13};
    default:
        return {nullptr, 0};
    }
}

const MonthRow* RowOf(int month, int calendar)
{
    const MonthTable table = TableOf(calendar);
    if (month < 1 || month > table.count)
        return nullptr;
    return &table.rows[month - 1];
}

const CalendarRow* CalendarOf(int calendar)
{
    if (calendar < 0 || calendar > CALENDAR_FRENCH)
        return nullptr;
    return &kCalendars[calendar];
}

/// Whether word, an upper-case abbreviation, begins name when name is read in upper case.
bool IsPrefixOfName(std::string_view word, std::string_view name)
{
    if (word.size() > name.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != std::toupper(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

} // namespace

const char* GetMonthName(int month, int calendar)
{
    const MonthRow* row = RowOf(month, calendar);
    return row ? row->name : nullptr;
}

const char* GetMonthCode(int month, int calendar)
{
    const MonthRow* row = RowOf(month, calendar);
    return row ? row->code.data() : nullptr;
}

const char* GetShortMonthName(int month)
{
    return month >= 1 && month <= 12 ? kShortMonthNames[month - 1] : nullptr;
}

const char* GetCalendarName(int calendar)
{
    const CalendarRow* row = CalendarOf(calendar);
    return row ? row->name : nullptr;
}

const char* GetCalendarEscape(int calendar)
{
    const CalendarRow* row = CalendarOf(calendar);
    return row ? row->escape : nullptr;
}

const char* GetCalendarPrefixPattern(int calendar)
{
    const CalendarRow* row = CalendarOf(calendar);
    return row ? row->prefix : nullptr;
}

int GetMaxDayOfMonth(int month, int calendar)
{
    const MonthRow* row = RowOf(month, calendar);
    return row ? row->maxDay : 0;
}

int FindMonthCode(std::string_view word, int calendar)
{
    const MonthTable table = TableOf(calendar);
    if (word.empty())
        return 0;
    // The first letter rules out most codes before a whole comparison (every date of a file
    // passes here).
    for (int i = 0; i < table.count; ++i) {
        const std::string_view code = table.rows[i].code;
        if (code[0] == word[0] && word == code)
            return i + 1;
    }
    return 0;
}

int FindMonthName(std::string_view word, int calendar)
{
    const MonthTable table = TableOf(calendar);
    if (word.empty())
        return 0;
    for (int i = 0; i < table.count; ++i) {
        if (IsPrefixOfName(word, table.rows[i].name))
            return i + 1;
    }
    return 0;
}
