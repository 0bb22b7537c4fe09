// database/dates/date_span.cpp: year spans between two dates and how close two dates lie.
#include "database/dates/date_data.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

int AstronomicalYear(const CDateValue& v)
{
    return v.IsBC() ? 1 - v.GetYear() : v.GetYear();
}

/// A month and day as one number, a missing part taken as its earliest or latest possibility.
int MonthDayKey(const CDateValue& v, bool latest)
{
    const int month = v.GetMonth() != 0 ? v.GetMonth() : (latest ? 12 : 1);
    const int day = v.GetDay() != 0 ? v.GetDay() : (latest ? 999 : 1);
    return month * 1000 + day;
}

/// The least and greatest completed years from b to a.
std::pair<int, int> CompletedYears(const CDateValue& a, const CDateValue& b)
{
    const int years = AstronomicalYear(a) - AstronomicalYear(b);
    int least = MonthDayKey(a, false) < MonthDayKey(b, true) ? years - 1 : years;
    const int greatest = MonthDayKey(a, true) >= MonthDayKey(b, false) ? years : years - 1;
    if (least < 0 && greatest >= 0)
        least = 0;
    return {least, greatest};
}

/// Whether the span x1..x2 lies within y1..y2.
bool IsInside(const CDateValue& x1, const CDateValue& x2, const CDateValue& y1,
              const CDateValue& y2)
{
    return CDateValue::IsOnOrAfter(x1, y1) && CDateValue::IsOnOrBefore(x2, y2);
}

int Distance(const CDateValue& a, const CDateValue& b)
{
    return std::abs(YearsBetween(a, b));
}

/// Whether exactly one of the two is an A.D. year below 100, a year written with its century
/// left off.
bool OneLacksCentury(const CDateValue& a, const CDateValue& b)
{
    auto small = [](const CDateValue& v) { return !v.IsBC() && v.GetYear() < 100; };
    return small(a) != small(b);
}

} // namespace

bool CDateData::GetYearsRange(const CDateData& other, int& least, int& greatest) const
{
    if (!m_first.IsValid() || !other.m_first.IsValid() ||
        m_first.GetCalendar() != CALENDAR_GREGORIAN ||
        other.m_first.GetCalendar() != CALENDAR_GREGORIAN)
        return false;
    const CDateValue* latest = GetLatestValue();
    const CDateValue* otherLatest = other.GetLatestValue();
    auto [low, high] = CompletedYears(*latest, other.m_first);
    if (latest != &m_first || otherLatest != &other.m_first) {
        const auto [low2, high2] = CompletedYears(m_first, *otherLatest);
        low = std::min(low, low2);
        high = std::max(high, high2);
    }
    least = std::min(low, high);
    greatest = std::max(low, high);
    return true;
}

int CDateData::ClassifyCloseness(const CDateData& other, int same, int nearby, int medium,
                                 int far) const
{
    if (!m_first.IsValid() || !other.m_first.IsValid())
        return 0;
    auto byDistance = [&](int years) { return years < 10 ? nearby : years < 20 ? medium : far; };
    const CDateValue& a1 = m_first;
    const CDateValue& a2 = *GetLatestValue();
    const CDateValue& b1 = other.m_first;
    const CDateValue& b2 = *other.GetLatestValue();
    const bool singleA = &a1 == &a2;
    const bool singleB = &b1 == &b2;

    if (singleA && singleB) {
        if (a1.IsSameValue(b1))
            return same;
        const int years = Distance(a1, b1);
        if (years >= 20 && OneLacksCentury(a1, b1))
            return byDistance(std::abs(a1.GetYear() % 100 - b1.GetYear() % 100));
        return byDistance(years);
    }
    if (!singleA && !singleB) {
        if (a1.IsSameValue(b1) && a2.IsSameValue(b2))
            return same;
        if (IsInside(a1, a2, b1, b2) || IsInside(b1, b2, a1, a2))
            return nearby;
        return byDistance(std::max(Distance(a1, b1), Distance(a2, b2)));
    }
    const CDateValue& single = singleA ? a1 : b1;
    const CDateValue& start = singleA ? b1 : a1;
    const CDateValue& end = singleA ? b2 : a2;
    if (IsInside(single, single, start, end))
        return nearby;
    return byDistance(std::min(Distance(single, start), Distance(single, end)));
}
