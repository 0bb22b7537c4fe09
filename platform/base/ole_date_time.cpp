// platform/base/ole_date_time.cpp: validation, comparison and formatting of date-time values.
#include "platform/base/ole_date_time.h"

#include "platform/base/clock.h"
#include "platform/base/text.h"

#include <tuple>

namespace {

constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 1 January 1970 of a Gregorian date (the civil-from-days inverse).
long DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    const LocalTime now = LocalNow();
    return COleDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

int COleDateTime::SetDate(int year, int month, int day)
{
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                    day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
                    minute <= 59 && second >= 0 && second <= 59;
    if (!ok) {
        m_status = invalid;
        return 1;
    }
    m_status = valid;
    m_year = std::int16_t(year), m_month = std::uint8_t(month), m_day = std::uint8_t(day);
    m_hour = std::uint8_t(hour), m_minute = std::uint8_t(minute), m_second = std::uint8_t(second);
    return 0;
}

int COleDateTime::GetDayOfWeek() const
{
    if (m_status != valid)
        return -1;
    const long days = DaysFromCivil(m_year, m_month, m_day); // 1 January 1970 was a Thursday
    return int(((days % 7) + 7 + 4) % 7) + 1;
}

std::string COleDateTime::Format(std::string_view format) const
{
    if (m_status != valid)
        return {};
    const std::string day = kDayNames[GetDayOfWeek() - 1];
    const std::string month = kMonthNames[m_month - 1];
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out.push_back(format[i]);
            continue;
        }
        const char code = format[++i];
        switch (code) {
        case 'A':
            out += day;
            break;
        case 'a':
            out += day.substr(0, 3);
            break;
        case 'B':
            out += month;
            break;
        case 'b':
            out += month.substr(0, 3);
            break;
        case 'd':
            out += text::Format("%02d", int(m_day));
            break;
        case 'm':
            out += text::Format("%02d", int(m_month));
            break;
        case 'Y':
            out += text::Format("%04d", int(m_year));
            break;
        case 'y':
            out += text::Format("%02d", int(m_year % 100));
            break;
        case 'H':
            out += text::Format("%02d", int(m_hour));
            break;
        case 'M':
            out += text::Format("%02d", int(m_minute));
            break;
        case 'S':
            out += text::Format("%02d", int(m_second));
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%', out += code;
            break;
        }
    }
    return out;
}

std::strong_ordering COleDateTime::operator<=>(const COleDateTime& other) const
{
    // Ranks: null 0, invalid 1, valid 2.
    const auto rank = [](DateTimeStatus s) { return s == valid ? 2 : s == invalid ? 1 : 0; };
    if (m_status != valid || other.m_status != valid)
        return rank(m_status) <=> rank(other.m_status);
    return std::tie(m_year, m_month, m_day, m_hour, m_minute, m_second) <=>
           std::tie(other.m_year, other.m_month, other.m_day, other.m_hour, other.m_minute,
                    other.m_second);
}
