// records/dialogs/date_entry_logic.h: what the Date Entry Assistant does without its windows:
// showing a date value in a set of controls, reading and checking one back, building the whole
// date of a page, and the month type-ahead.
#pragma once

#include "database/dates/date_data.h"
#include "database/dates/date_value.h"

#include <string>
#include <string_view>
#include <vector>

// The controls of the assistant's pages: first set, then second set.
inline constexpr int IDC_DATE_CALENDAR = 1015, IDC_DATE_DAY = 1014, IDC_DATE_MONTH = 1012,
                     IDC_DATE_YEAR = 1009, IDC_DATE_DUAL = 1013, IDC_DATE_SLASH = 1031,
                     IDC_DATE_BC = 1010;
inline constexpr int IDC_DATE2_CALENDAR = 1021, IDC_DATE2_DAY = 1020, IDC_DATE2_MONTH = 1019,
                     IDC_DATE2_YEAR = 1016, IDC_DATE2_DUAL = 1017, IDC_DATE2_SLASH = 1032,
                     IDC_DATE2_BC = 1018;
// Date page.
inline constexpr int IDC_DATE_NONE = 1033, IDC_DATE_APPROX = 1034, IDC_DATE_CALC = 1035,
                     IDC_DATE_EST = 1036;
// Period page.
inline constexpr int IDC_PERIOD_FROM = 1022, IDC_PERIOD_TO = 1023;
// Date Phrase page.
inline constexpr int IDC_PHRASE_TEXT = 1027, IDC_PHRASE_INTERPRETED = 1028;
// Range page.
inline constexpr int IDC_RANGE_BEFORE = 1025, IDC_RANGE_AFTER = 1026, IDC_RANGE_BETWEEN = 1027,
                     IDC_RANGE_AND = 1037;

/// The page templates, in the order the sheet adds them, and the page indexes.
inline constexpr unsigned kDatePageTemplates[] = {139, 140, 146, 142};
enum DatePageIndex : int { DPI_DATE = 0, DPI_PERIOD = 1, DPI_PHRASE = 2, DPI_RANGE = 3 };

/// The page the assistant opens on for a date of that kind.
int StartPageForKind(DateKind kind);

/// The month names of a calendar: twelve for Gregorian and Julian, thirteen for Hebrew and
/// French; none for a calendar outside 0 to 3.
std::vector<std::string> MonthNamesOf(int calendar);

/// The month the text typed in a month box selects: the first name from the second to the last,
/// then the first, that begins with it without regard to case; -1 for an empty text or none.
int MatchTypedMonth(const std::vector<std::string>& names, std::string_view typed);

/// What one set of value controls shows.
struct DateSetView {
    int calendar = CALENDAR_GREGORIAN; // selection of the calendar box
    std::string day;
    int month = -1; // selection of the month box, -1 none
    std::string year;
    std::string dualYear;
    bool bc = false;
    /// The dual-year edit, the slash and "B.C." show only for the Gregorian calendar.
    bool gregorian = true;
};

/// The set showing value, or, for none, nothing in the default calendar. A value that holds no
/// date (invalid, as an empty date's is) shows an empty year, so that OK asks for one instead
/// of storing the year 0.
DateSetView ShowDateValue(const CDateValue* value, int defaultCalendar);

/// What the user left in one set.
struct DateSetInput {
    int calendar = CALENDAR_GREGORIAN; // -1 when nothing is selected
    std::string day;
    int month = -1;
    std::string year;
    std::string dualYear;
    bool bc = false;
};

/// Why a set or a page was refused; each has its message and its control.
enum class DateEntryError {
    None,
    Calendar,    // calendar not 0 to 3
    Year,        // no year
    DayNoMonth,  // a day without a month
    DayPastEnd,  // a day the month does not have (31 February)
    NoPeriodEnd, // a period with neither "From:" nor "To:"
    NoPhrase,    // an empty date phrase
    Memory,      // the period could not be built
    Silent,      // failed without a message
};

/// The message of a refusal; plainOnly is the assistant's plain-date-only flag. Empty for None
/// and Silent.
std::string DateEntryMessage(DateEntryError error, bool plainOnly);

/// Reads a set into value: a valid date value in the chosen calendar. B.C. and the dual year
/// are kept only for Gregorian. A day beyond the month's length is refused: the program reads
/// no such date back, so it would come back from the file as a date phrase.
DateEntryError ReadDateSet(const DateSetInput& input, CDateValue& value);

/// What a page holds when OK is pressed.
struct DatePageInput {
    int page = DPI_DATE;
    // Date page: IDC_DATE_NONE, _APPROX, _CALC or _EST.
    int qualifier = IDC_DATE_NONE;
    // Period page.
    bool from = false;
    bool to = false;
    // Date Phrase page.
    bool interpreted = false;
    std::string phrase;
    // Range page: IDC_RANGE_BEFORE, _AFTER or _BETWEEN.
    int range = IDC_RANGE_BEFORE;
    DateSetInput first;
    DateSetInput second;
};

/// The outcome of OK on a page: the date built, or the refusal and the control that gets the
/// focus.
struct DateBuildResult {
    DateEntryError error = DateEntryError::None;
    int focusId = 0;
    CDateData date;
    /// For a day past the month's end: the day typed, and the month and calendar it was for.
    int day = 0;
    int month = 0;
    int calendar = 0;
};

/// The message of a refused OK: DateEntryMessage, naming the day and month for a day past the
/// month's end.
std::string DateBuildMessage(const DateBuildResult& result, bool plainOnly);

DateBuildResult BuildDate(const DatePageInput& input);
