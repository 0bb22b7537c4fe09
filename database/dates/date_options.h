// database/dates/date_options.h: the settings that numeric date forms follow, handed to the date
// code by its callers (the date module reads no program-wide state).
#pragma once

/// The order of day, month and year in numeric dates.
enum DateOrder : int {
    DATE_ORDER_MDY = 1,
    DATE_ORDER_DMY = 2,
    DATE_ORDER_YMD = 3,
};

/// The date conventions of the user's locale: the order and separator of numeric dates typed or
/// shown, and the separator of hours and minutes. A default-made one is month-day-year with "/"
/// and ":"; ReadDateLocale gives the platform's settings.
struct CDateLocale {
    int order = DATE_ORDER_MDY;
    char dateSeparator = '/';
    char timeSeparator = ':';
};

/// The platform's date conventions (platform/base/locale_info.h), read when called; the
/// program reads them once at start-up and hands them to the date code.
CDateLocale ReadDateLocale();

/// How numeric dates in GEDCOM files are read: the preferences "Allow Numeric Dates",
/// "Numeric Date Format" (0 the locale's order and separator, else a DateOrder) and
/// "Numeric Date Separator".
struct CNumericDatePrefs {
    bool allowNumericDates = true;
    int numericDateFormat = 0;
    char numericDateSeparator = '/';
};

/// Everything the date parser needs besides the text.
struct CDateParseOptions {
    CNumericDatePrefs prefs;
    CDateLocale locale;
};
