// tests/database/dates/date_test_helpers.h: short ways for the date tests to make dates from text.
#pragma once

#include "database/dates/date_data.h"
#include "database/dates/date_parse.h"

#include <string>

namespace date_test {

/// A date as a GEDCOM file would give it (unreadable text becomes a phrase).
inline CDateData Gedcom(const char* text)
{
    CDateData date;
    date.SetFromText(text, true, false, CDateParseOptions());
    return date;
}

/// A date as a user would type it.
inline CDateData Typed(const char* text, const CDateParseOptions& options = CDateParseOptions())
{
    CDateData date;
    date.SetFromText(text, false, false, options);
    return date;
}

/// One GEDCOM date value; an invalid value when the text is none.
inline CDateValue Value(const char* text)
{
    CDateValue value;
    ParseDateValue(value, text, true);
    return value;
}

/// The DATE line's text after the tag, the value text joined on as the line sink writes it.
inline std::string Written(const CDateData& date)
{
    return date.GetGedcomLineText() + date.GetGedcomValueText().value_or("");
}

} // namespace date_test
