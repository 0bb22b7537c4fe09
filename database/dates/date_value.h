// database/dates/date_value.h: one calendar date of a GEDCOM date (day, month, year, calendar,
// B.C., dual year) and the comparisons between such values.
#pragma once

#include "database/dates/date_options.h"
#include "platform/base/types.h"

#include <string>

class COleDateTime;

/// The calendars a date value can be in; the number is stored in the value's flags.
enum DateCalendar : int {
    CALENDAR_GREGORIAN = 0,
    CALENDAR_JULIAN = 1,
    CALENDAR_HEBREW = 2,
    CALENDAR_FRENCH = 3,
};

/// The display styles of one value.
enum DateStyle : int {
    DATE_STYLE_LONG = 0,    // "5 June 1700"
    DATE_STYLE_SHORT = 1,   // "5 Jun 1700"
    DATE_STYLE_NUMERIC = 2, // "6/5/1700" in the locale's order
    DATE_STYLE_YEAR = 3,    // "1700"
};

/// The condition operators a date can be matched with.
enum DateMatchOp : int {
    DATE_OP_EQUAL = 3,
    DATE_OP_LATER = 4,
    DATE_OP_EARLIER = 5,
};

/// One date in one calendar, copied by value. A value is invalid until a parse succeeds or it is
/// made from parts; month and day 0 mean "not given". B.C. years and dual years (1699/00) are
/// Gregorian only.
class CDateValue {
public:
    enum Flag : DWORD {
        FLAG_INVALID = 0x01,
        FLAG_BC = 0x02,
        FLAG_DUAL_YEAR = 0x04,
        FLAG_CALENDAR_MASK = 0x78,
    };
    static constexpr int kCalendarShift = 3;

    CDateValue() = default;
    /// A valid value from its parts; month and day may be 0. Inline: a load makes one for most
    /// dates of the file.
    CDateValue(int year, int month, int day, int calendar = CALENDAR_GREGORIAN)
        : m_flags(BYTE((DWORD(calendar) << kCalendarShift) & FLAG_CALENDAR_MASK)),
          m_month(BYTE(month)), m_day(BYTE(day)), m_year(WORD(year))
    {
    }
    /// A valid Gregorian value with the date's year, month and day; an invalid value when the
    /// date is not valid.
    explicit CDateValue(const COleDateTime& date);

    bool IsValid() const { return (m_flags & FLAG_INVALID) == 0; }
    bool IsBC() const { return (m_flags & FLAG_BC) != 0; }
    bool HasDualYear() const { return (m_flags & FLAG_DUAL_YEAR) != 0; }
    int GetCalendar() const { return int((m_flags & FLAG_CALENDAR_MASK) >> kCalendarShift); }
    int GetYear() const { return m_year; }
    int GetMonth() const { return m_month; }
    int GetDay() const { return m_day; }
    /// The two digits after the slash of a dual year (0 to 99).
    int GetDualYear() const { return m_dualYear; }

    /// Back to a fresh value: invalid, Gregorian, no parts.
    void Reset() { *this = CDateValue(); }
    void SetValid(bool valid);
    void SetBC(bool bc);
    void SetCalendar(int calendar);
    void SetDualYear(int digits);
    void SetYear(int year) { m_year = WORD(year); }
    void SetMonth(int month) { m_month = BYTE(month); }
    void SetDay(int day) { m_day = BYTE(day); }

    /// Same B.C., dual-year and calendar flags, day, month, dual year and year (the invalid bit
    /// and other flag bits are not compared).
    bool IsSameValue(const CDateValue& other) const;

    /// The display text in one of the DateStyle styles; empty for an invalid value.
    std::string Format(int style, const CDateLocale& locale) const;

    // Ordering with partial dates: a missing month counts as the end of the year, a missing day
    // as the end of the month, so a year alone lies after every month of that year. False when
    // either value is invalid.
    static bool IsBefore(const CDateValue& a, const CDateValue& b);
    static bool IsOnOrBefore(const CDateValue& a, const CDateValue& b);
    static bool IsOnOrAfter(const CDateValue& a, const CDateValue& b);

    /// The query test "a op b" (DateMatchOp): false when either value is invalid or the calendars
    /// differ. Parts that b leaves out match anything for "equal"; for "later" and "earlier" a
    /// part decides only when both values have it, and an undecided test is false.
    static bool MatchOp(const CDateValue& a, int op, const CDateValue& b);

    // Comparisons with a framework date, for the query language.
    bool EqualsOleDate(const COleDateTime& date) const;
    bool IsAfterOleDate(const COleDateTime& date) const;
    bool IsBeforeOleDate(const COleDateTime& date) const;

private:
    // One byte of flags keeps a value at 6 bytes, so that a date field is 40 bytes in all.
    BYTE m_flags = FLAG_INVALID;
    BYTE m_month = 0;
    BYTE m_day = 0;
    BYTE m_dualYear = 0;
    WORD m_year = 0;
};

/// -1, 0 or 1. 0 when either value is invalid, and when a month or day that one of them lacks
/// would be needed to decide. B.C. years come first, the larger of two B.C. years first.
int CompareDateValues(const CDateValue& a, const CDateValue& b);

/// Completed years from b to a: a's year less b's (B.C. years counted backwards, 1 B.C. being
/// the year before 1 A.D.), less one when a's month and day fall before b's in a positive
/// difference. Months and days count only when both values are in the same calendar.
int YearsBetween(const CDateValue& a, const CDateValue& b);
