// platform/base/locale_info.cpp: the date conventions, readable from any thread.
#include "platform/base/locale_info.h"

#include "platform/base/text.h"

#include <atomic>

namespace locale_info {
namespace {

std::atomic<DateOrder> g_order{MonthDayYear};
std::atomic<char> g_dateSeparator{'/'};
std::atomic<char> g_timeSeparator{':'};

} // namespace

DateOrder ShortDateOrder()
{
    return g_order;
}

char DateSeparator()
{
    return g_dateSeparator;
}

char TimeSeparator()
{
    return g_timeSeparator;
}

std::string FormatShortDate(int year, int month, int day)
{
    if (year < 0 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return {};
    const char s = g_dateSeparator;
    switch (ShortDateOrder()) {
    case DayMonthYear:
        return text::Format("%d%c%d%c%04d", day, s, month, s, year);
    case YearMonthDay:
        return text::Format("%04d%c%d%c%d", year, s, month, s, day);
    case MonthDayYear:
        break;
    }
    return text::Format("%d%c%d%c%04d", month, s, day, s, year);
}

void SetShortDateOrder(DateOrder order)
{
    g_order = order;
}

void SetDateSeparator(char separator)
{
    g_dateSeparator = separator;
}

void SetTimeSeparator(char separator)
{
    g_timeSeparator = separator;
}

void Reset()
{
    g_order = MonthDayYear;
    g_dateSeparator = '/';
    g_timeSeparator = ':';
}

} // namespace locale_info
