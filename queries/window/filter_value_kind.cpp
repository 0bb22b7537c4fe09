// queries/window/filter_value_kind.cpp: the value field of the general filter editor by value
// type, and the reading of what the user typed into it, kept apart from the editor's window.
#include "queries/window/filter_value_kind.h"

#include "database/dates/date_data.h"
#include "database/dates/date_node.h"
#include "database/dictionary/qualifier_table.h"
#include "database/paths/data_ref.h"
#include "platform/base/text.h"
#include "queries/expression.h"
#include "queries/query_filter.h"

#include <cstdint>

namespace {

const char* const kMissingValue =
    "Enter a value, or mark the filter as a parameter so that the value is asked for when the "
    "query runs.";
const char* const kNotOneDate = "Enter a single date, such as 5 JAN 1900. A period, a range or "
                                "a date phrase cannot be compared.";
const char* const kNotANumber = "Enter a whole number from -2147483648 to 2147483647.";
const char* const kNotAMonthDay = "Enter a month and day as month/day, such as 12/25.";
const char* const kNotASpan =
    "Enter a length of time in years, months and days, such as 2 years 6 months 0 days.";
const char* const kNotAGenerationLimit = "Enter the maximum number of generations as a whole "
                                         "number, or leave it empty for no limit.";
const char* const kEnumWithExpression =
    "An enumerated value can only be compared with a field, not with an expression.";
const char* const kNotWritable = "This filter cannot be kept in the query file. Check that the "
                                 "expression and the parameter label have no line breaks.";

bool ReadDate(std::string_view text, CTypedValue& value)
{
    // The forms a user types first, then the GEDCOM form that a date may be pasted in.
    CDateData date;
    if (!date.SetFromText(text, false, true, GetDateParseOptions()) &&
        !date.SetFromText(text, true, true, GetDateParseOptions()))
        return false;
    switch (date.GetKind()) {
    case DATE_SIMPLE:
    case DATE_APPROXIMATE:
    case DATE_INTERPRETED:
        value.SetDate(date.GetFirstValue());
        return true;
    default: // a period, a range or a phrase has no one date to compare with
        return false;
    }
}

} // namespace

int GetFilterValueType(const CDataRef& ref, int op)
{
    if (const CDataPath* path = ref.GetPath())
        return GetConditionOperandKind(path->GetLeafDataType(true), op);
    const auto* expression = dynamic_cast<const CExpression*>(ref.GetExpression());
    if (!expression || !expression->GetFunction() || op == COND_NULL)
        return TV_NONE;
    return expression->GetFunction()->m_resultType;
}

CFilterValueField GetFilterValueField(int type, bool hasPath)
{
    switch (type) {
    case TV_TEXT:
        return {FVC_EDIT, true, false, true};
    case TV_DATE:
        return {FVC_EDIT, false, true, true};
    case TV_NUMBER:
    case TV_MMDD:
    case TV_SPAN:
        return {FVC_EDIT, false, false, true};
    case TV_RECORD:
        return hasPath ? CFilterValueField{FVC_RECORD, false, false, true} : CFilterValueField{};
    case TV_ENUM:
        return hasPath ? CFilterValueField{FVC_ENUM, false, false, true} : CFilterValueField{};
    default: // no value, a node or a path: nothing to type
        return {};
    }
}

bool ReadFilterValue(int type, std::string_view text, bool parameter, CTypedValue& value,
                     std::string& message)
{
    value.Clear();
    if (type == TV_TEXT) {
        value.SetText(text);
        return true;
    }
    text = text::TrimView(text);
    if (text.empty()) {
        if (parameter)
            return true;
        message = kMissingValue;
        return false;
    }
    bool read = false;
    switch (type) {
    case TV_DATE:
        read = ReadDate(text, value);
        message = kNotOneDate;
        break;
    case TV_NUMBER: {
        std::int32_t number = 0;
        read = ReadWholeNumber(text, number);
        if (read)
            value.SetNumber(number);
        message = kNotANumber;
        break;
    }
    case TV_MMDD:
        read = ReadMonthDayText(text, value);
        message = kNotAMonthDay;
        break;
    case TV_SPAN:
        read = ReadSpanText(text, value);
        message = kNotASpan;
        break;
    default: // the other types are not typed
        return true;
    }
    if (read) {
        message.clear();
        return true;
    }
    value.Clear();
    return false;
}

bool ReadGenerationLimit(std::string_view text, int& limit, std::string& message)
{
    text = text::TrimView(text);
    std::int32_t number = 0;
    if (text.empty()) {
        limit = 0;
        return true;
    }
    // A negative number of any size means no limit.
    const bool negative = text.front() == '-' && text.size() > 1 &&
                          text.find_first_not_of("0123456789", 1) == std::string_view::npos;
    if (negative || ReadWholeNumber(text, number)) {
        limit = negative || number < 1 ? 0 : number;
        return true;
    }
    message = kNotAGenerationLimit;
    return false;
}

bool CheckFilterFitsFile(const CAvFilter& row, std::string& message)
{
    if (const auto* general = dynamic_cast<const CAvFilterGen*>(&row)) {
        if (general->GetValue().GetType() == TV_ENUM && !general->GetDataRef()->GetPath()) {
            message = kEnumWithExpression;
            return false;
        }
    }
    std::string line;
    if (row.Save(line))
        return true;
    message = kNotWritable;
    return false;
}
