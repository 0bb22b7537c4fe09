// database/dates/date_format.h: the written forms of dates: the GEDCOM form of one value and the
// short texts of diagrams and time stamps. The display texts of whole dates are
// CDateData::FormatText.
#pragma once

#include "database/dates/date_options.h"

#include <string>

class CDateData;
class CDateValue;
class COleDateTime;

/// Appends the GEDCOM form of one value: the calendar escape (not for Gregorian), the day, the
/// month code, the year, and for Gregorian values the dual year and " B.C.".
void WriteDateValue(const CDateValue& value, std::string& out);

/// The compact year text of diagrams for value, a value of date: "1700", "frm1700", "to1700",
/// "aft1700", "bef1700", and "1700?" for approximate and interpreted dates. For a FROM..TO
/// period and a BET..AND range, start picks the opening ("frm", "aft") or closing ("to",
/// "bef") word.
std::string GetShortDateText(const CDateData& date, const CDateValue& value, bool start);
/// The same text appended to out.
void AppendShortDateText(std::string& out, const CDateData& date, const CDateValue& value,
                         bool start);

/// "____", the placeholder of a missing date.
const char* GetBlankDateText();

/// A framework date as text: with code -1 the short date and time (FormatOleDateTime), else
/// the date's display text in that format code. Empty for a date that is not valid.
std::string FormatDateText(const COleDateTime& date, int code, const CDateLocale& locale);

/// The short date in the locale's order (month and day without leading zeros, a four-digit
/// year), a blank and the time as hours and minutes ("12/6/2026 09:05"); empty for a date that
/// is not valid.
std::string FormatOleDateTime(const COleDateTime& date, const CDateLocale& locale);
