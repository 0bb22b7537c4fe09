// records/properties/event_order.h: where a new row goes in the lists of facts and objects: by
// date, by the age column's text, or by text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CDateValue;

/// The age an Age column text starts with: the number at its first digit, negative when a "-"
/// stands just before it; range is set when a "-" follows the digits (blanks between allowed).
struct CAgeText {
    int m_age = 0;
    bool m_range = false;
};
/// Empty when the text holds no digit.
std::optional<CAgeText> ParseAgeText(std::string_view text);

/// The index among rows (each row's date, null for a row without one) before which a row of
/// date goes: after every dated row on or before it and before the first undated row; at the
/// end (rows.size()) without a date.
std::size_t FindDatePosition(const std::vector<const CDateValue*>& rows, const CDateValue* date);

/// A row of an age-ordered list: its Age column text and whether it is the individual's own
/// birth.
struct CAgeRow {
    std::string m_text;
    bool m_ownBirth = false;
};
/// The index among the other rows before which a row with the Age text goes. Rows without an
/// age go to the end, except the own birth, which counts as 0 and goes before the first row of
/// age 0 or more. Smaller ages come first; a single age goes after equal single ages and before
/// a range starting with it; a range goes after every row of its starting age. A negative age
/// goes before the own birth.
std::size_t FindAgePosition(const std::vector<CAgeRow>& rows, std::string_view text, bool ownBirth);

/// The index among the other rows' texts before which a row with text goes: before the first
/// text that sorts after it without regard to case, else at the end.
std::size_t FindTextPosition(const std::vector<std::string>& rows, std::string_view text);
