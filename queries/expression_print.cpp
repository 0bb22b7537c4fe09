// queries/expression_print.cpp: Writing an expression back as text, in the one form the parser
// reads: the function's name as the table spells it, keywords in capitals, no blanks.
#include "queries/expression.h"

#include "common/quoted_text.h"

namespace {

void AppendArgument(const CExprArg& arg, std::string& text)
{
    if (arg.m_isParameter) {
        // An empty label is written as an empty quoted text, so that it reads back.
        text += "[\"" + DoubleChar(arg.m_label, '"') + "\"]";
        return;
    }
    std::string value;
    switch (arg.m_value.GetType()) {
    case TV_TAGADDR:
        arg.m_value.Format(value, nullptr);
        text += "%" + value + "%";
        break;
    case TV_ENUM: {
        const std::vector<std::string_view> keywords = GetExprKeywords(arg.m_declaredType);
        const int index = arg.m_value.GetEnum();
        if (index >= 0 && index < int(keywords.size()))
            text += keywords[std::size_t(index)];
        break;
    }
    case TV_NUMBER:
        text += std::to_string(arg.m_value.GetNumber());
        break;
    default: // empty, or bound to a record
        break;
    }
}

} // namespace

void CExpression::FormatText(std::string& text, bool append) const
{
    if (!append)
        text.clear();
    text += "=";
    if (!m_function)
        return;
    text += m_function->m_name;
    text += "(";
    for (std::size_t i = 0; i < m_args.size(); ++i) {
        if (i > 0)
            text += ",";
        AppendArgument(m_args[i], text);
    }
    text += ")";
}
