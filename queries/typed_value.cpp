// queries/typed_value.cpp: the tagged value that queries pass around (a filter's constant, an
// expression's fixed argument, a parameter's answer), with its display text and saved form.
#include "queries/typed_value.h"

#include "common/quoted_text.h"
#include "database/dates/date_format.h"
#include "database/dates/date_parse.h"
#include "database/dictionary/field_def.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr std::array<const char*, 10> kTypeNames = {
    "NONE", "TEXT", "DATE", "NUMBER", "DATANODE", "RECORD", "ENUM", "TAGADDR", "MMDD", "SPAN",
};

const char* const kErrorText = "<error>";

bool IsEnumField(const CFieldDef* context)
{
    return context && context->GetDataType() == FDT_ENUM;
}

bool HasEnumValue(const CFieldDef* context, int index)
{
    return IsEnumField(context) && index >= 0 && index < context->GetEnumValueCount();
}

void SkipSpace(std::string_view text, std::size_t& position)
{
    while (position < text.size() && text::IsSpace(text[position]))
        ++position;
}

/// Skips to the character c and past it and the white space after it; false when none follows.
bool SkipPast(std::string_view text, std::size_t& position, char c)
{
    const std::size_t found = text.find(c, position);
    if (found == std::string_view::npos)
        return false;
    position = found + 1;
    SkipSpace(text, position);
    return true;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

/// 0 years, 1 months, 2 days; -1 for another word.
int SpanUnit(std::string_view word)
{
    constexpr std::array<const char*, 3> kUnits = {"year", "month", "day"};
    for (std::size_t i = 0; i < kUnits.size(); ++i) {
        const std::string_view unit = kUnits[i];
        if (text::EqualsNoCase(word, unit) ||
            (word.size() == unit.size() + 1 &&
             text::EqualsNoCase(word.substr(0, unit.size()), unit) &&
             (word.back() == 's' || word.back() == 'S')))
            return int(i);
    }
    return -1;
}

std::string SpanText(const CSpan& span)
{
    if (span.m_years > 0)
        return text::Format("%d years %d months %d days", span.m_years, span.m_months, span.m_days);
    if (span.m_months < 1)
        return text::Format("%d days", span.m_days);
    return text::Format("%d months %d days", span.m_months, span.m_days);
}

} // namespace

void CTypedValue::SetDataNode(CDataNode* node)
{
    if (node)
        m_value = CNodeRef{node};
    else
        Clear();
}

void CTypedValue::SetRecord(CRecordNode* record)
{
    if (record)
        m_value = CRecordRef{record};
    else
        Clear();
}

void CTypedValue::Format(std::string& text, const CFieldDef* context) const
{
    text.clear();
    switch (GetType()) {
    case TV_TEXT:
        text = GetText();
        break;
    case TV_DATE:
        WriteDateValue(GetDate(), text);
        break;
    case TV_NUMBER:
        text = std::to_string(GetNumber());
        break;
    case TV_DATANODE:
        GetDataNode()->GetText(text, 0);
        break;
    case TV_RECORD:
        GetRecord()->GetText(text, 0);
        break;
    case TV_ENUM:
        text =
            HasEnumValue(context, GetEnum()) ? context->GetEnumValue(GetEnum(), true) : kErrorText;
        break;
    case TV_TAGADDR:
        GetDataPath().Format(text);
        break;
    case TV_MMDD:
        text = text::Format("%d/%d", GetMonthDay().m_month, GetMonthDay().m_day);
        break;
    case TV_SPAN:
        text = SpanText(GetSpan());
        break;
    default:
        text = kErrorText;
        break;
    }
}

void CTypedValue::Write(std::string& text, const CFieldDef* context) const
{
    text += ",";
    text += kTypeNames[std::size_t(GetType())];
    text += ",";
    std::string value;
    switch (GetType()) {
    case TV_TEXT:
        text += "\"" + DoubleChar(GetText(), '"') + "\"";
        break;
    case TV_DATE:
        WriteDateValue(GetDate(), value);
        text += "\"" + value + "\"";
        break;
    case TV_NUMBER:
        text += std::to_string(GetNumber());
        break;
    case TV_ENUM:
        if (HasEnumValue(context, GetEnum()))
            text += "\"" + context->GetEnumValue(GetEnum(), false) + "\"";
        break;
    case TV_TAGADDR:
        GetDataPath().Format(value, true);
        text += value;
        break;
    case TV_MMDD:
        text += text::Format("%d/%d", GetMonthDay().m_month, GetMonthDay().m_day);
        break;
    case TV_SPAN:
        text += text::Format("%d:%d:%d", GetSpan().m_years, GetSpan().m_months, GetSpan().m_days);
        break;
    default: // node and record values have no saved form
        break;
    }
}

bool CTypedValue::Parse(std::string_view text, std::size_t& position, const CFieldDef* context)
{
    Clear();
    position = std::min(position, text.size());
    std::size_t end = position;
    while (end < text.size() && text[end] != ',' && !text::IsSpace(text[end]))
        ++end;
    const int type = GetValueTypeByName(text.substr(position, end - position));
    position = end;
    if (type == TV_NONE || position == text.size())
        return false;
    SkipSpace(text, position);
    if (position == text.size() || text[position] != ',')
        return false;
    ++position;
    SkipSpace(text, position);
    if (!ParseValue(type, text, position, context)) {
        Clear();
        return false;
    }
    return true;
}

bool CTypedValue::ParseValue(int type, std::string_view text, std::size_t& position,
                             const CFieldDef* context)
{
    std::string quoted;
    switch (type) {
    case TV_TEXT:
        if (!ParseQuotedString(text, position, quoted))
            return false;
        SetText(quoted);
        return true;
    case TV_DATE: {
        CDateValue date;
        if (!ParseQuotedString(text, position, quoted) || !ParseDateValue(date, quoted, true))
            return false;
        SetDate(date);
        return true;
    }
    case TV_NUMBER:
        SetNumber(ReadLeadingNumber(text, position));
        return true;
    case TV_ENUM: {
        if (!IsEnumField(context) || !ParseQuotedString(text, position, quoted))
            return false;
        const int index = context->FindEnumValue(quoted, false);
        if (index < 0)
            return false;
        SetEnum(index);
        return true;
    }
    case TV_TAGADDR: {
        CDataPath path;
        if (!path.ParseText(text::TrimView(text.substr(position))))
            return false;
        position = text.size();
        SetDataPath(path);
        return true;
    }
    case TV_MMDD: {
        const int month = ReadLeadingNumber(text, position);
        if (!SkipPast(text, position, '/'))
            return false;
        SetMonthDay(month, ReadLeadingNumber(text, position));
        return true;
    }
    case TV_SPAN: {
        const int years = ReadLeadingNumber(text, position);
        if (!SkipPast(text, position, ':'))
            return false;
        const int months = ReadLeadingNumber(text, position);
        if (!SkipPast(text, position, ':'))
            return false;
        SetSpan(years, months, ReadLeadingNumber(text, position));
        return true;
    }
    default: // node and record values are never read back
        return false;
    }
}

const char* GetValueTypeName(int type)
{
    return type >= 0 && type < int(kTypeNames.size()) ? kTypeNames[std::size_t(type)] : nullptr;
}

int GetValueTypeByName(std::string_view name)
{
    for (std::size_t i = 0; i < kTypeNames.size(); ++i) {
        if (text::EqualsNoCase(name, kTypeNames[i]))
            return int(i);
    }
    return TV_NONE;
}

std::int32_t ReadLeadingNumber(std::string_view text, std::size_t& position)
{
    SkipSpace(text, position);
    const bool negative = position < text.size() && text[position] == '-';
    if (position < text.size() && (text[position] == '-' || text[position] == '+'))
        ++position;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::int64_t number = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position)
        number = std::min(number * 10 + (text[position] - '0'), kLimit + 1);
    number = negative ? -number : std::min(number, kLimit);
    return std::int32_t(number);
}

bool ReadWholeNumber(std::string_view text, std::int32_t& number)
{
    text = text::TrimView(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (!IsDigit(c))
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kMax + 1)
            return false;
    }
    if (!negative && magnitude > kMax)
        return false;
    number = std::int32_t(negative ? -magnitude : magnitude);
    return true;
}

bool ReadMonthDayText(std::string_view text, CTypedValue& value)
{
    constexpr std::array<int, 12> kDaysInMonth = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const std::size_t slash = text.find('/');
    std::int32_t month = 0;
    std::int32_t day = 0;
    if (slash == std::string_view::npos || !ReadWholeNumber(text.substr(0, slash), month) ||
        !ReadWholeNumber(text.substr(slash + 1), day))
        return false;
    if (month < 1 || month > 12 || day < 1 || day > kDaysInMonth[std::size_t(month - 1)])
        return false;
    value.SetMonthDay(month, day);
    return true;
}

bool ReadSpanText(std::string_view text, CTypedValue& value)
{
    std::array<std::int32_t, 3> parts = {};
    std::array<bool, 3> seen = {};
    bool any = false;
    std::size_t position = 0;
    const auto skipBlanks = [&] {
        while (position < text.size() && text::IsSpace(text[position]))
            ++position;
    };
    for (skipBlanks(); position < text.size(); skipBlanks()) {
        const std::size_t numberStart = position;
        while (position < text.size() && IsDigit(text[position]))
            ++position;
        std::int32_t number = 0;
        if (position == numberStart ||
            !ReadWholeNumber(text.substr(numberStart, position - numberStart), number))
            return false;
        skipBlanks();
        const std::size_t wordStart = position;
        while (position < text.size() && IsLetter(text[position]))
            ++position;
        const int unit = SpanUnit(text.substr(wordStart, position - wordStart));
        if (unit < 0 || seen[std::size_t(unit)])
            return false;
        seen[std::size_t(unit)] = true;
        parts[std::size_t(unit)] = number;
        any = true;
    }
    if (!any)
        return false;
    value.SetSpan(parts[0], parts[1], parts[2]);
    return true;
}
