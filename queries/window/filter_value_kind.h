// queries/window/filter_value_kind.h: the value field of the general filter editor by value
// type, and the reading of what the user typed into it, kept apart from the editor's window.
#pragma once

#include "queries/typed_value.h"

#include <string>
#include <string_view>

class CAvFilter;
class CDataRef;

/// The control that holds a general row's value.
enum FilterValueControl : int {
    FVC_DISABLED_EDIT = 0, // the value edit, disabled: the row takes no value
    FVC_EDIT = 1,          // the value edit
    FVC_RECORD = 2,        // the record chooser, in the value edit's place
    FVC_ENUM = 3,          // the value combo with the field's enumerated values
};

/// What the general editor shows for a value type; everything else of the value field is hidden.
struct CFilterValueField {
    FilterValueControl m_control = FVC_DISABLED_EDIT;
    bool m_matchCase = false;  // "Match case" shown
    bool m_dateButton = false; // the "..." button of the Date Entry Assistant shown
    bool m_parameter = false;  // "Parameter" and its frame enabled; the label follows the check

    bool operator==(const CFilterValueField&) const = default;
};

/// The type of value a general row compares with: for a path, the operand kind of the operator
/// under the path's last data type; for an expression, its result type, or none under the null
/// operator; none for an empty reference.
int GetFilterValueType(const CDataRef& ref, int op);

/// The value field for a value type; hasPath tells whether the reference is a field path, the
/// only reference for which records and enumerated values can be chosen.
CFilterValueField GetFilterValueField(int type, bool hasPath);

/// Reads the value edit's text as a value of type (TEXT, DATE, NUMBER, MMDD or SPAN). A text is
/// taken as typed. For the other types, blank text is no value, which only a parameter row may
/// have (it is asked for when the query runs); a date must be a single date (plain, approximate
/// or interpreted), a number whole and within 32 bits, a month and day "month/day", a length of
/// time years, months and days as the value shows them. On false the value is cleared and
/// message says what to type.
bool ReadFilterValue(int type, std::string_view text, bool parameter, CTypedValue& value,
                     std::string& message);

/// Reads the relationship editor's generation limit: blank, zero or a negative number is no
/// limit (0). False with message for text that is no whole number or a number beyond 32 bits.
bool ReadGenerationLimit(std::string_view text, int& limit, std::string& message);

/// Whether a query file can hold row as it stands, so that it is not lost when the query is
/// saved; false with message otherwise.
bool CheckFilterFitsFile(const CAvFilter& row, std::string& message);
