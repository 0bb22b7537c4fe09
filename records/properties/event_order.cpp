// records/properties/event_order.cpp: where a new row goes in the lists of facts and objects.
#include "records/properties/event_order.h"

#include "database/dates/date_value.h"
#include "platform/base/text.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

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

std::size_t FindDatePosition(const std::vector<const CDateValue*>& rows, const CDateValue* date)
{
    if (!date)
        return rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i] || !CDateValue::IsOnOrBefore(*rows[i], *date))
            return i;
    }
    return rows.size();
}

std::size_t FindAgePosition(const std::vector<CAgeRow>& rows, std::string_view text, bool ownBirth)
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

std::size_t FindTextPosition(const std::vector<std::string>& rows, std::string_view text)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (text::CompareNoCase(rows[i], text) > 0)
            return i;
    }
    return rows.size();
}
