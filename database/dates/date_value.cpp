// database/dates/date_value.cpp: making date values and comparing them.
#include "database/dates/date_value.h"

#include "platform/base/ole_date_time.h"

#include <tuple>

namespace {

int Sign(int n)
{
    return (n > 0) - (n < 0);
}

/// Years on one line, as the astronomers count them: 1 B.C. is 0, 2 B.C. is -1.
int AstronomicalYear(const CDateValue& v)
{
    return v.IsBC() ? 1 - v.GetYear() : v.GetYear();
}

/// Every B.C. year before every A.D. year, B.C. years counted backwards.
int CompareYears(const CDateValue& a, const CDateValue& b)
{
    if (a.IsBC() != b.IsBC())
        return a.IsBC() ? -1 : 1;
    return Sign(AstronomicalYear(a) - AstronomicalYear(b));
}

/// The place of the value's last day within its year: a missing month is the end of the year,
/// a missing day the end of the month.
int EndOfPeriodKey(const CDateValue& v)
{
    const int month = v.GetMonth() != 0 ? v.GetMonth() : 13;
    const int day = v.GetDay() != 0 ? v.GetDay() : 32;
    return month * 32 + day;
}

int CompareEndsOfPeriods(const CDateValue& a, const CDateValue& b)
{
    const int years = CompareYears(a, b);
    return years != 0 ? years : Sign(EndOfPeriodKey(a) - EndOfPeriodKey(b));
}

/// By year, then by month when both have one, then by day when both have one; 0 when a part
/// one of them lacks would be needed.
int ComparePartial(const CDateValue& a, const CDateValue& b)
{
    if (int c = CompareYears(a, b); c != 0)
        return c;
    if (a.GetMonth() == 0 || b.GetMonth() == 0)
        return 0;
    if (int c = Sign(a.GetMonth() - b.GetMonth()); c != 0)
        return c;
    if (a.GetDay() == 0 || b.GetDay() == 0)
        return 0;
    return Sign(a.GetDay() - b.GetDay());
}

bool IsValidOle(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid;
}

std::tuple<int, int, int> PartsOf(const CDateValue& v)
{
    return {v.GetYear(), v.GetMonth(), v.GetDay()};
}

std::tuple<int, int, int> PartsOf(const COleDateTime& date)
{
    return {date.GetYear(), date.GetMonth(), date.GetDay()};
}

} // namespace

CDateValue::CDateValue(const COleDateTime& date)
{
    if (IsValidOle(date))
        *this = CDateValue(date.GetYear(), date.GetMonth(), date.GetDay());
}

void CDateValue::SetValid(bool valid)
{
    m_flags = BYTE(valid ? (m_flags & ~DWORD(FLAG_INVALID)) : (m_flags | FLAG_INVALID));
}

void CDateValue::SetBC(bool bc)
{
    m_flags = BYTE(bc ? (m_flags | FLAG_BC) : (m_flags & ~DWORD(FLAG_BC)));
}

void CDateValue::SetCalendar(int calendar)
{
    m_flags = BYTE((m_flags & ~DWORD(FLAG_CALENDAR_MASK)) |
                   ((DWORD(calendar) << kCalendarShift) & FLAG_CALENDAR_MASK));
}

void CDateValue::SetDualYear(int digits)
{
    m_flags |= FLAG_DUAL_YEAR;
    m_dualYear = BYTE(digits);
}

bool CDateValue::IsSameValue(const CDateValue& other) const
{
    constexpr DWORD kCompared = FLAG_BC | FLAG_DUAL_YEAR | FLAG_CALENDAR_MASK;
    return (m_flags & kCompared) == (other.m_flags & kCompared) && m_month == other.m_month &&
           m_day == other.m_day && m_dualYear == other.m_dualYear && m_year == other.m_year;
}

bool CDateValue::IsBefore(const CDateValue& a, const CDateValue& b)
{
    return a.IsValid() && b.IsValid() && CompareEndsOfPeriods(a, b) < 0;
}

bool CDateValue::IsOnOrBefore(const CDateValue& a, const CDateValue& b)
{
    return a.IsValid() && b.IsValid() && CompareEndsOfPeriods(a, b) <= 0;
}

bool CDateValue::IsOnOrAfter(const CDateValue& a, const CDateValue& b)
{
    return a.IsValid() && b.IsValid() && CompareEndsOfPeriods(a, b) >= 0;
}

bool CDateValue::MatchOp(const CDateValue& a, int op, const CDateValue& b)
{
    if (!a.IsValid() || !b.IsValid() || a.GetCalendar() != b.GetCalendar())
        return false;
    switch (op) {
    case DATE_OP_EQUAL:
        return a.IsBC() == b.IsBC() && a.m_year == b.m_year &&
               (b.m_month == 0 || a.m_month == b.m_month) && (b.m_day == 0 || a.m_day == b.m_day);
    case DATE_OP_LATER:
        return ComparePartial(a, b) > 0;
    case DATE_OP_EARLIER:
        return ComparePartial(a, b) < 0;
    default:
        return false;
    }
}

bool CDateValue::EqualsOleDate(const COleDateTime& date) const
{
    if (!IsValid())
        return !IsValidOle(date);
    return IsValidOle(date) && !IsBC() && PartsOf(*this) == PartsOf(date);
}

bool CDateValue::IsAfterOleDate(const COleDateTime& date) const
{
    if (!IsValid())
        return false;
    if (!IsValidOle(date))
        return true;
    return !IsBC() && PartsOf(*this) > PartsOf(date);
}

bool CDateValue::IsBeforeOleDate(const COleDateTime& date) const
{
    if (!IsValidOle(date))
        return false;
    if (!IsValid() || IsBC())
        return true;
    return PartsOf(*this) < PartsOf(date);
}

int CompareDateValues(const CDateValue& a, const CDateValue& b)
{
    if (!a.IsValid() || !b.IsValid())
        return 0;
    return ComparePartial(a, b);
}

int YearsBetween(const CDateValue& a, const CDateValue& b)
{
    int years = AstronomicalYear(a) - AstronomicalYear(b);
    if (years < 1 || a.GetCalendar() != b.GetCalendar() || a.GetMonth() == 0 || b.GetMonth() == 0)
        return years;
    const bool monthEarlier = a.GetMonth() < b.GetMonth();
    const bool dayEarlier = a.GetMonth() == b.GetMonth() && a.GetDay() != 0 && b.GetDay() != 0 &&
                            a.GetDay() < b.GetDay();
    return monthEarlier || dayEarlier ? years - 1 : years;
}
