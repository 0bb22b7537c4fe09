// database/dates/date_options.cpp: the date conventions read from the platform.
#include "database/dates/date_options.h"

#include "platform/base/locale_info.h"

CDateLocale ReadDateLocale()
{
    CDateLocale locale;
    switch (locale_info::ShortDateOrder()) {
    case locale_info::DayMonthYear:
        locale.order = DATE_ORDER_DMY;
        break;
    case locale_info::YearMonthDay:
        locale.order = DATE_ORDER_YMD;
        break;
    case locale_info::MonthDayYear:
        locale.order = DATE_ORDER_MDY;
        break;
    }
    locale.dateSeparator = locale_info::DateSeparator();
    locale.timeSeparator = locale_info::TimeSeparator();
    return locale;
}
