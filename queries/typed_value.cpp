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
