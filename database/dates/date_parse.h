// database/dates/date_parse.h: the two date grammars: the strict GEDCOM grammar used when a file is
// read, and the lenient grammar used when a user types a date.
#pragma once

#include "database/dates/date_options.h"

#include <cstddef>
#include <string_view>

class CDateData;
class CDateValue;

/// Parses one date value ("@#DJULIAN@ 5 JAN 1700", "1699/00", "44 B.C."; in lenient mode also
/// "[J 5 january 1700" and month names of any length). True on success; on failure the value
/// is left invalid.
bool ParseDateValue(CDateValue& value, std::string_view text, bool gedcomMode);

/// Reads a date in the strict forms most dates of a file take: "[ABT |CAL |EST |BEF |AFT |FROM
/// |TO ]value", "BET value AND value" or "FROM value TO value", each value "[dd ]MON yyyy[/yy]"
/// or "yyyy[/yy]" in upper case, one or more spaces between the parts, nothing before or after.
/// Such a text gets exactly the date ParseDateText gives it in the GEDCOM grammar, whatever the
/// options; any other text answers false, with date untouched.
bool ReadCommonGedcomDate(std::string_view text, CDateData& date);

/// Parses a whole date into date: a numeric date when the settings allow one, an empty text
/// (and, in lenient mode, "<none>"), or a row of the mode's pattern table (BEF, BET..AND,
/// FROM..TO, ABT, INT, phrases in parentheses, ...). On failure the date is left empty.
bool ParseDateText(CDateData& date, std::string_view text, bool gedcomMode,
                   const CDateParseOptions& options);

/// How many characters of text, from pos, a keyword matches; npos when it does not match. The
/// letters after a "-" in the keyword may be left off where the text ends or has a blank
/// ("BEF-ORE" matches "BEF", "BEFO", ... "BEFORE"); a keyword that begins with a letter must
/// not be followed by a letter or digit.
std::size_t MatchDateKeyword(std::string_view keyword, std::string_view text, std::size_t pos);
