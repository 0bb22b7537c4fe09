// records/dialogs/date_entry_logic.cpp: the Date Entry Assistant's reading, checking and
// building of dates, and its month type-ahead.
#include "records/dialogs/date_entry_logic.h"

#include "database/dates/date_tables.h"
#include "platform/base/text.h"

#include <cctype>
#include <charconv>

namespace {

constexpr const char* kCalendarMessage = "Invalid calendar value.";
constexpr const char* kYearMessage = "The year field is mandatory";
constexpr const char* kYearAdvice =
    "  If you do not know the year, but do know the month or day, you should store what "
    "information you have as a Date Phrase.";
constexpr const char* kDayMessage =
    "The month field is not mandatory, but you cannot specify a day without specifying a month.";
constexpr const char* kDayAdvice = "  If you know the day, but don't know the month, you should "
                                   "store what information you have as a Date Phrase.";
constexpr const char* kDayPastEndMessage =
    "%s has no day %d.  Please correct the day, or store what information you have as a Date "
    "Phrase.";
constexpr const char* kPeriodMessage =
    "Either a 'From' date, a 'To' date, or both, must be specified.";
constexpr const char* kPhraseMessage =
    "You must enter text describing the date - the 'Date Phrase'.  If there is no such text, "
    "you should enter the date using the Date tab.";
constexpr const char* kMemoryMessage = "Memory error";

/// The leading digits of text as a number (0 without any); at most max.
int LeadingNumber(std::string_view text, int max)
{
    text = text::TrimView(text);
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > max)
            return max;
    }
    return int(value);
}

bool IsBlank(std::string_view text)
{
    return text::TrimView(text).empty();
}

bool StartsCaseBlind(std::string_view name, std::string_view prefix)
{
    if (prefix.size() > name.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

struct SetIds {
    int calendar, day, year;
};
constexpr SetIds kFirstSet{IDC_DATE_CALENDAR, IDC_DATE_DAY, IDC_DATE_YEAR};
constexpr SetIds kSecondSet{IDC_DATE2_CALENDAR, IDC_DATE2_DAY, IDC_DATE2_YEAR};

int FocusFor(DateEntryError error, const SetIds& ids)
{
    switch (error) {
    case DateEntryError::Calendar:
        return ids.calendar;
    case DateEntryError::Year:
        return ids.year;
    case DateEntryError::DayNoMonth:
    case DateEntryError::DayPastEnd:
        return ids.day;
    default:
        return 0;
    }
}

/// Reads a set; on a refusal fills the result's error and focus and answers false.
bool ReadInto(const DateSetInput& input, const SetIds& ids, CDateValue& value,
              DateBuildResult& result)
{
    const DateEntryError error = ReadDateSet(input, value);
    if (error == DateEntryError::None)
        return true;
    result.error = error;
    result.focusId = FocusFor(error, ids);
    result.day = LeadingNumber(input.day, 255);
    result.month = input.month + 1;
    result.calendar = input.calendar;
    return false;
}

} // namespace

int StartPageForKind(DateKind kind)
{
    switch (kind) {
    case DATE_PERIOD:
        return DPI_PERIOD;
    case DATE_RANGE:
        return DPI_RANGE;
    case DATE_INTERPRETED:
    case DATE_PHRASE:
        return DPI_PHRASE;
    default:
        return DPI_DATE;
    }
}

std::vector<std::string> MonthNamesOf(int calendar)
{
    std::vector<std::string> names;
    if (calendar < CALENDAR_GREGORIAN || calendar > CALENDAR_FRENCH)
        return names;
    for (int month = 1; const char* name = GetMonthName(month, calendar); ++month)
        names.emplace_back(name);
    return names;
}

int MatchTypedMonth(const std::vector<std::string>& names, std::string_view typed)
{
    typed = text::TrimView(typed);
    if (typed.empty() || names.empty())
        return -1;
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (StartsCaseBlind(names[i], typed))
            return int(i);
    }
    return StartsCaseBlind(names[0], typed) ? 0 : -1;
}

DateSetView ShowDateValue(const CDateValue* value, int defaultCalendar)
{
    DateSetView view;
    const int calendar = value ? value->GetCalendar() : defaultCalendar;
    view.calendar = calendar >= CALENDAR_GREGORIAN && calendar <= CALENDAR_FRENCH
                        ? calendar
                        : CALENDAR_GREGORIAN;
    view.gregorian = view.calendar == CALENDAR_GREGORIAN;
    if (!value || !value->IsValid())
        return view;
    if (value->GetDay() > 0)
        view.day = std::to_string(value->GetDay());
    const int months = int(MonthNamesOf(view.calendar).size());
    if (value->GetMonth() >= 1 && value->GetMonth() <= months)
        view.month = value->GetMonth() - 1;
    view.year = std::to_string(value->GetYear());
    if (view.gregorian) {
        if (value->HasDualYear() && value->GetDualYear() <= 99) {
            const int dual = value->GetDualYear();
            view.dualYear = std::string(dual < 10 ? "0" : "") + std::to_string(dual);
        }
        view.bc = value->IsBC();
    }
    return view;
}

std::string DateEntryMessage(DateEntryError error, bool plainOnly)
{
    switch (error) {
    case DateEntryError::Calendar:
        return kCalendarMessage;
    case DateEntryError::Year:
        return plainOnly ? std::string(kYearMessage)
                         : std::string(kYearMessage) + "." + kYearAdvice;
    case DateEntryError::DayNoMonth:
        return plainOnly ? std::string(kDayMessage) : std::string(kDayMessage) + kDayAdvice;
    case DateEntryError::NoPeriodEnd:
        return kPeriodMessage;
    case DateEntryError::NoPhrase:
        return kPhraseMessage;
    case DateEntryError::Memory:
        return kMemoryMessage;
    default:
        return {};
    }
}

std::string DateBuildMessage(const DateBuildResult& result, bool plainOnly)
{
    if (result.error != DateEntryError::DayPastEnd)
        return DateEntryMessage(result.error, plainOnly);
    const char* month = GetMonthName(result.month, result.calendar);
    return text::Format(kDayPastEndMessage, month ? month : "The month", result.day);
}

DateEntryError ReadDateSet(const DateSetInput& input, CDateValue& value)
{
    if (input.calendar < CALENDAR_GREGORIAN || input.calendar > CALENDAR_FRENCH)
        return DateEntryError::Calendar;
    if (IsBlank(input.year))
        return DateEntryError::Year;
    const int day = LeadingNumber(input.day, 255);
    if (day >= 1 && input.month < 0)
        return DateEntryError::DayNoMonth;
    if (day > 0 && day > GetMaxDayOfMonth(input.month + 1, input.calendar))
        return DateEntryError::DayPastEnd;
    value = CDateValue(LeadingNumber(input.year, 0xFFFF), input.month < 0 ? 0 : input.month + 1,
                       day, input.calendar);
    // A fresh value carries neither flag; only a Gregorian date takes them.
    if (input.calendar == CALENDAR_GREGORIAN) {
        const std::string_view dual = text::TrimView(input.dualYear);
        if (!dual.empty() && dual[0] >= '0' && dual[0] <= '9')
            value.SetDualYear(LeadingNumber(dual, 99));
        value.SetBC(input.bc);
    }
    return DateEntryError::None;
}

DateBuildResult BuildDate(const DatePageInput& input)
{
    DateBuildResult result;
    CDateValue first, second;
    switch (input.page) {
    case DPI_DATE: {
        if (!ReadInto(input.first, kFirstSet, first, result))
            return result;
        DateQualifier qualifier = DQ_NONE;
        if (input.qualifier == IDC_DATE_APPROX)
            qualifier = DQ_ABT;
        else if (input.qualifier == IDC_DATE_CALC)
            qualifier = DQ_CAL;
        else if (input.qualifier == IDC_DATE_EST)
            qualifier = DQ_EST;
        result.date.SetDate(qualifier == DQ_NONE ? DATE_SIMPLE : DATE_APPROXIMATE, qualifier,
                            first);
        return result;
    }
    case DPI_PERIOD: {
        if (!input.from && !input.to) {
            result.error = DateEntryError::NoPeriodEnd;
            result.focusId = IDC_PERIOD_FROM;
            return result;
        }
        if (input.from && !ReadInto(input.first, kFirstSet, first, result))
            return result;
        if (input.to && !ReadInto(input.second, kSecondSet, second, result))
            return result;
        bool built = false;
        if (input.from && input.to)
            built = result.date.SetDate(DATE_PERIOD, DQ_FROM_TO, first, &second);
        else if (input.from)
            built = result.date.SetDate(DATE_PERIOD, DQ_FROM, first);
        else
            built = result.date.SetDate(DATE_PERIOD, DQ_TO, second);
        if (!built)
            result.error = DateEntryError::Memory;
        return result;
    }
    case DPI_PHRASE: {
        if (IsBlank(input.phrase)) {
            result.error = DateEntryError::NoPhrase;
            result.focusId = IDC_PHRASE_TEXT;
            return result;
        }
        if (!input.interpreted) {
            result.date.SetPhrase(input.phrase);
            return result;
        }
        if (!ReadInto(input.first, kFirstSet, first, result))
            return result;
        if (!result.date.SetInterpreted(first, input.phrase))
            result.error = DateEntryError::Silent;
        return result;
    }
    case DPI_RANGE: {
        if (!ReadInto(input.first, kFirstSet, first, result))
            return result;
        bool built = false;
        if (input.range == IDC_RANGE_BETWEEN) {
            if (!ReadInto(input.second, kSecondSet, second, result))
                return result;
            built = result.date.SetDate(DATE_RANGE, DQ_BET_AND, first, &second);
        } else {
            built = result.date.SetDate(DATE_RANGE,
                                        input.range == IDC_RANGE_AFTER ? DQ_AFT : DQ_BEF, first);
        }
        if (!built)
            result.error = DateEntryError::Silent;
        return result;
    }
    default:
        result.error = DateEntryError::Silent;
        return result;
    }
}
