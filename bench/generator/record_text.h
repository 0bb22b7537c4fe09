// bench/generator/record_text.h: pieces of record values: numbers and GEDCOM 5.5 dates.
#pragma once

#include "bench/generator/random_stream.h"

#include <cstdint>
#include <string>

/// Appends a date value for day (a day number, see population.h): an exact date ("12 MAR 1734")
/// in exactPercent cases out of a hundred, otherwise month and year, year only, ABT, BEF, AFT or
/// BET ... AND around the day's year. Exact and month-year dates from January to 24 March before
/// 1752 are now and then written with a dual year ("1733/34"), as the old registers give them.
void AppendDateText(std::string& out, CRandomStream& random, std::int32_t day,
                    std::int32_t exactPercent);

/// Appends number in decimal.
void AppendNumber(std::string& out, std::int64_t number);
