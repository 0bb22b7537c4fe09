// bench/generator/record_text.cpp: numbers, and day numbers written as GEDCOM dates.
#include "bench/generator/record_text.h"

#include "bench/generator/population.h"

#include <charconv>
#include <string_view>

namespace {

constexpr std::int32_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::string_view kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
/// Until 1752 the English year began on 25 March, so dates from 1 January to 24 March carried
/// two years until then.
constexpr std::int32_t kLastDualYear = 1751;

struct CCalendarDate {
    std::int32_t year;
    std::int32_t month; // 0..11
    std::int32_t day;   // 1..31
};

CCalendarDate ToCalendar(std::int32_t dayNumber)
{
    CCalendarDate date{dayNumber / kDaysPerYear, 0, dayNumber % kDaysPerYear};
    while (date.day >= kMonthDays[date.month])
        date.day -= kMonthDays[date.month++];
    ++date.day;
    return date;
}

void AppendYear(std::string& out, const CCalendarDate& date, bool dual)
{
    if (!dual) {
        AppendNumber(out, date.year);
        return;
    }
    AppendNumber(out, date.year - 1);
    out += '/';
    const std::int32_t shortYear = date.year % 100;
    out += char('0' + shortYear / 10);
    out += char('0' + shortYear % 10);
}

bool DualYear(CRandomStream& random, const CCalendarDate& date)
{
    const bool oldStyleSpring = date.month < 2 || (date.month == 2 && date.day < 25);
    return oldStyleSpring && date.year <= kLastDualYear && random.Percent(30);
}

void AppendVagueDate(std::string& out, CRandomStream& random, const CCalendarDate& date)
{
    const std::int32_t form = random.Below(100);
    if (form < 22) {
        out += kMonths[date.month];
        out += ' ';
        AppendYear(out, date, DualYear(random, date));
    } else if (form < 49) {
        AppendNumber(out, date.year);
    } else if (form < 69) {
        out += "ABT ";
        AppendNumber(out, date.year);
    } else if (form < 78) {
        out += "BEF ";
        AppendNumber(out, date.year + random.Between(1, 5));
    } else if (form < 87) {
        out += "AFT ";
        AppendNumber(out, date.year - random.Between(1, 5));
    } else {
        out += "BET ";
        AppendNumber(out, date.year - random.Between(0, 3));
        out += " AND ";
        AppendNumber(out, date.year + random.Between(1, 4));
    }
}

} // namespace

void AppendDateText(std::string& out, CRandomStream& random, std::int32_t day,
                    std::int32_t exactPercent)
{
    const CCalendarDate date = ToCalendar(day);
    if (!random.Percent(exactPercent)) {
        AppendVagueDate(out, random, date);
        return;
    }
    AppendNumber(out, date.day);
    out += ' ';
    out += kMonths[date.month];
    out += ' ';
    AppendYear(out, date, DualYear(random, date));
}

void AppendNumber(std::string& out, std::int64_t number)
{
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, std::size_t(end - digits));
}
