// database/kin/event_order.cpp: the orders of the lists of facts and of objects.
#include "database/kin/event_order.h"

#include "database/dates/date_value.h"
#include "platform/base/text.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Where a new row goes in each order: the Events and Objects pages insert their rows by these.

std::size_t InsertByDate(const std::vector<COrderRow>& rows, const CDateValue* date)
{
    if (!date)
        return rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].m_date || !CDateValue::IsOnOrBefore(*rows[i].m_date, *date))
            return i;
    }
    return rows.size();
}

std::size_t InsertByAge(const std::vector<COrderRow>& rows, std::string_view text, bool ownBirth)
{
    std::optional<CAgeText> age = ParseAgeText(text);
    if (!age && !ownBirth)
        return rows.size();
    if (!age)
        age = CAgeText{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].m_ownBirth) {
            if (age->m_age < 0)
                return i;
            continue;
        }
        const std::optional<CAgeText> other = ParseAgeText(rows[i].m_text);
        if (!other)
            return i;
        if (ownBirth) {
            if (other->m_age >= 0)
                return i;
            continue;
        }
        if (other->m_age > age->m_age)
            return i;
        if (other->m_age == age->m_age && !age->m_range && other->m_range)
            return i;
    }
    return rows.size();
}

std::size_t InsertByText(const std::vector<COrderRow>& rows, std::string_view text)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (text::CompareNoCase(rows[i].m_text, text) > 0)
            return i;
    }
    return rows.size();
}

} // namespace

CColumnOrder GetEventColumnOrder(int column)
{
    if (column == 0)
        return {ERowOrder::Date, 0};
    if (column == 2)
        return {ERowOrder::Age, 2};
    return {ERowOrder::Text, 1};
}

CColumnOrder GetObjectColumnOrder(int column)
{
    switch (column) {
    case 1:
        return {ERowOrder::Text, 1};
    case 2:
        return {ERowOrder::Stored, 2};
    case 3:
        return {ERowOrder::Date, 3};
    case 4:
        return {ERowOrder::Age, 4};
    default:
        return {ERowOrder::Text, 0};
    }
}

std::size_t FindRowPosition(ERowOrder order, const std::vector<COrderRow>& rows,
                            const COrderRow& row)
{
    switch (order) {
    case ERowOrder::Date:
        return InsertByDate(rows, row.m_date);
    case ERowOrder::Age:
        return InsertByAge(rows, row.m_text, row.m_ownBirth);
    case ERowOrder::Text:
        return InsertByText(rows, row.m_text);
    case ERowOrder::Stored:
        break;
    }
    return rows.size();
}

std::optional<CAgeText> ParseAgeText(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && !IsDigit(text[pos]))
        ++pos;
    if (pos == text.size())
        return std::nullopt;
    const bool negative = pos > 0 && text[pos - 1] == '-';
    long value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
        value = value < 100000 ? value * 10 + (text[pos] - '0') : value;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    CAgeText age;
    age.m_age = int(negative ? -value : value);
    age.m_range = pos < text.size() && text[pos] == '-';
    return age;
}
