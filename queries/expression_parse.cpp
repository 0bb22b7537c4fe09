// queries/expression_parse.cpp: Reading the text of an "=" expression: "=", the function name, and
// its arguments in parentheses separated by commas, white space allowed around each part.
#include "queries/expression.h"

#include "common/quoted_text.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "platform/base/text.h"

namespace {

void SkipSpace(std::string_view text, std::size_t& position)
{
    while (position < text.size() && text::IsSpace(text[position]))
        ++position;
}

bool At(std::string_view text, std::size_t position, char c)
{
    return position < text.size() && text[position] == c;
}

/// Whether a path may stand for an argument of that type: leading to an individual, a
/// multimedia record or any record, or ending at a date field.
bool PathFitsType(const CDataPath& path, int argType)
{
    const CFieldDef* leaf = path.GetLeafField(true);
    switch (argType) {
    case EAT_INDIVIDUAL:
        return leaf && leaf == GetRecordTypeDef(RECORD_LIST_INDI);
    case EAT_MULTIMEDIA_RECORD:
        return leaf && leaf == GetRecordTypeDef(RECORD_LIST_OBJE);
    case EAT_RECORD:
        return leaf != nullptr;
    case EAT_DATE:
        return path.GetLastField() && path.GetLastField()->GetDataType() == FDT_DATE;
    default:
        return false;
    }
}

/// A run-time parameter can be asked of the user only for a person, a source, a record, a date
/// or a number; the other types have no question, so such a parameter is refused here rather
/// than failing every run of the query that holds it.
bool TakesParameter(int argType)
{
    return argType == EAT_INDIVIDUAL || argType == EAT_SOURCE || argType == EAT_RECORD ||
           argType == EAT_DATE || argType == EAT_NUMBER;
}

bool ParseParameter(std::string_view text, std::size_t& position, CExprArg& arg)
{
    if (!TakesParameter(arg.m_declaredType))
        return false;
    arg.m_isParameter = true;
    ++position;
    SkipSpace(text, position);
    if (!ParseQuotedString(text, position, arg.m_label))
        return false;
    SkipSpace(text, position);
    if (!At(text, position, ']'))
        return false;
    ++position;
    return true;
}

bool ParsePath(std::string_view text, std::size_t& position, CExprArg& arg)
{
    const std::size_t end = text.find('%', position + 1);
    if (end == std::string_view::npos || end == position + 1)
        return false;
    CDataPath path;
    if (!path.ParseText(text.substr(position + 1, end - position - 1)) ||
        !PathFitsType(path, arg.m_declaredType))
        return false;
    arg.m_value.SetDataPath(path);
    position = end + 1;
    return true;
}

bool ParseKeyword(std::string_view text, std::size_t& position, CExprArg& arg,
                  const std::vector<std::string_view>& keywords)
{
    std::size_t end = position;
    while (end < text.size() && !text::IsSpace(text[end]) && text[end] != ',' && text[end] != ')')
        ++end;
    const std::string_view token = text.substr(position, end - position);
    for (std::size_t i = 0; i < keywords.size() && !token.empty(); ++i) {
        if (text::EqualsNoCase(token, keywords[i])) {
            arg.m_value.SetEnum(int(i));
            position = end;
            return true;
        }
    }
    return false;
}

/// Decimal digits only: a sign, or a number too large for 32 bits, is refused.
bool ParseNumber(std::string_view text, std::size_t& position, CExprArg& arg)
{
    std::int64_t number = 0;
    const std::size_t start = position;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        number = number * 10 + (text[position] - '0');
        if (number > INT32_MAX)
            return false;
    }
    arg.m_value.SetNumber(std::int32_t(number));
    return position > start;
}

} // namespace

bool CExpression::Parse(std::string_view text)
{
    Clear();
    std::size_t position = 0;
    if (ParseCall(text, position)) {
        CountArguments();
        return true;
    }
    Clear();
    return false;
}

bool CExpression::ParseCall(std::string_view text, std::size_t& position)
{
    if (!At(text, position, '='))
        return false;
    ++position;
    SkipSpace(text, position);
    const std::size_t nameStart = position;
    while (position < text.size() && text[position] != '(' && !text::IsSpace(text[position]))
        ++position;
    const CExprFunction* function =
        FindExprFunctionByName(text.substr(nameStart, position - nameStart));
    SkipSpace(text, position);
    if (!function || !At(text, position, '('))
        return false;
    ++position;
    SkipSpace(text, position);
    m_function = function;
    for (int i = 0; i < 4 && function->m_argTypes[i] != EAT_NONE; ++i) {
        if (i > 0) {
            if (!At(text, position, ','))
                return false;
            ++position;
            SkipSpace(text, position);
        }
        m_args.emplace_back().m_declaredType = function->m_argTypes[i];
        if (!ParseArgument(text, position, m_args.back()))
            return false;
    }
    if (!At(text, position, ')'))
        return false;
    ++position;
    SkipSpace(text, position);
    return position == text.size();
}

bool CExpression::ParseArgument(std::string_view text, std::size_t& position, CExprArg& arg)
{
    if (At(text, position, ')') || At(text, position, ','))
        return true;
    const std::vector<std::string_view> keywords = GetExprKeywords(arg.m_declaredType);
    bool read = false;
    if (At(text, position, '['))
        read = ParseParameter(text, position, arg);
    else if (At(text, position, '%'))
        read = ParsePath(text, position, arg);
    else if (!keywords.empty())
        read = ParseKeyword(text, position, arg, keywords);
    else if (arg.m_declaredType == EAT_NUMBER)
        read = ParseNumber(text, position, arg);
    if (!read)
        return false;
    SkipSpace(text, position);
    return At(text, position, ')') || At(text, position, ',');
}

void CExpression::CountArguments()
{
    m_parameterCount = 0;
    m_unboundCount = 0;
    for (const CExprArg& arg : m_args) {
        m_parameterCount += arg.m_isParameter ? 1 : 0;
        const int type = arg.m_value.GetType();
        m_unboundCount += type == TV_NONE || type == TV_TAGADDR ? 1 : 0;
    }
}
