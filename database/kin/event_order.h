// database/kin/event_order.h: the orders of the lists of facts and of objects (by date, by the Age
// column's text, by text, or as stored) and where a new row goes in each.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CDateValue;

/// What a list of facts or objects is in order of.
enum class ERowOrder { Text, Date, Age, Stored };

/// An order and the column whose text it reads (the Age column for Age, the sorted text column
/// for Text; unused by Date and Stored).
struct CColumnOrder {
    ERowOrder m_order = ERowOrder::Date;
    int m_column = 0;
};
/// The order of the Events list sorted by a column: the Date column (0) by date, the Age column
/// (2) by age, any other by the Event/Attribute text (column 1).
CColumnOrder GetEventColumnOrder(int column);
/// The order of the Objects list sorted by a column: the title and format columns (0, 1) by
/// their text, the preference column (2) as stored (links, then embedded objects), the Date
/// column (3) by date, the Age column (4) by age, any other by the title.
CColumnOrder GetObjectColumnOrder(int column);

/// What an order reads of a row: its date (null for none), the text of the order's column,
/// and whether it is the individual's own birth (which the age order places itself).
struct COrderRow {
    const CDateValue* m_date = nullptr;
    std::string m_text;
    bool m_ownBirth = false;
};

/// The index among rows (in list order) before which a new row goes, so that a list filled
/// row by row stays in the order:
/// - Date: after every dated row on or before it and before the first undated row; a row
///   without a date goes to the end, so undated rows keep their order of arrival.
/// - Age (the Age text read by ParseAgeText): rows without an age go to the end, except the
///   own birth, which counts as 0 and goes before the first row of age 0 or more; smaller ages
///   come first; a single age goes after equal single ages and before a range starting with
///   it; a range goes after every row of its starting age; a negative age goes before the own
///   birth.
/// - Text: before the first row whose text sorts after it without regard to case.
/// - Stored: at the end.
std::size_t FindRowPosition(ERowOrder order, const std::vector<COrderRow>& rows,
                            const COrderRow& row);

/// The age an Age column text starts with: the number at its first digit, negative when a "-"
/// stands just before it; range is set when a "-" follows the digits (blanks between allowed).
struct CAgeText {
    int m_age = 0;
    bool m_range = false;
};
/// Empty when the text holds no digit.
std::optional<CAgeText> ParseAgeText(std::string_view text);
