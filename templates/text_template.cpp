// templates/text_template.cpp: a compiled box-text template written back as source text, its value
// tokens walked, and its "<root>" arguments bound to a diagram's root person.
#include "templates/text_template.h"

#include "platform/base/text.h"
#include "queries/expression.h"

namespace {

/// The label by which a function argument asks for the diagram's root person.
constexpr std::string_view kRootLabel = "<root>";

void AppendCondition(std::string& prefix, const char* word)
{
    prefix += prefix.empty() ? "{if " : " & ";
    prefix += word;
}

void AppendLiteral(std::string& text, std::string_view literal)
{
    for (char c : literal) {
        if (c == '%' || c == '\\' || c == '=')
            text += '\\';
        text += c;
    }
}

void AppendToken(std::string& text, const CTemplateToken& token, const std::string& substitution)
{
    switch (token.m_kind) {
    case TTK_VALUE: {
        std::string source;
        token.m_ref.Format(source);
        if (token.m_ref.GetKind() == DATAREF_PATH)
            text += "%" + source + "%";
        else
            text += source;
        break;
    }
    case TTK_LITERAL:
        AppendLiteral(text, token.m_text);
        break;
    case TTK_SUBSTITUTION:
        text += "%_" + substitution + "_%";
        break;
    case TTK_LINE_BREAK:
        text += "\\n";
        break;
    default:
        break;
    }
}

} // namespace

CTemplateOptions CTemplateOptions::FromSpouseOption(int spouseOption, bool useDuplicatesWithSpouses)
{
    CTemplateOptions options;
    options.m_showDuplicates = spouseOption == 1 || (spouseOption == 2 && useDuplicatesWithSpouses);
    options.m_showSpouses = spouseOption == 2;
    return options;
}

void CTextTemplate::FormatTemplate(std::string& text) const
{
    text.clear();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const CTemplateLine& line = m_lines[i];
        if (i > 0)
            text += "\r\n";
        if (line.m_picture) {
            text += "{picture}";
            continue;
        }
        std::string prefix;
        if (line.m_sex != kTemplateConditionNone)
            prefix = line.m_sex == kTemplateConditionYes ? "{if male" : "{if female";
        if (line.m_spouses != kTemplateConditionNone)
            AppendCondition(prefix,
                            line.m_spouses == kTemplateConditionYes ? "spouses" : "no spouses");
        if (line.m_duplicates != kTemplateConditionNone)
            AppendCondition(prefix, line.m_duplicates == kTemplateConditionYes ? "duplicates"
                                                                               : "no duplicates");
        std::string body;
        for (const CTemplateToken& token : line.m_tokens)
            AppendToken(body, token, m_substitutionName);
        // Text of its own beginning with "{" would read back as a condition block: the null
        // condition in front keeps it text.
        if (prefix.empty() && body.starts_with('{'))
            prefix = "{}";
        // An empty last line would vanish as a line break at the end of the text.
        if (prefix.empty() && body.empty() && i + 1 == m_lines.size())
            prefix = "{}";
        if (prefix == "{}" && body.empty()) {
            text += prefix;
            continue;
        }
        if (!prefix.empty())
            text += prefix + (prefix == "{}" ? " " : "} ");
        text += body;
    }
}

CDataRef* CTextTemplate::GetNextFunction(const CDataRef* previous) const
{
    bool found = previous == nullptr;
    for (const CTemplateLine& line : m_lines) {
        for (const CTemplateToken& token : line.m_tokens) {
            if (token.m_kind != TTK_VALUE)
                continue;
            if (found)
                return const_cast<CDataRef*>(&token.m_ref);
            found = &token.m_ref == previous;
        }
    }
    return nullptr;
}

int CTextTemplate::BindRootRecord(CRecordNode* root)
{
    CTypedValue value;
    value.SetRecord(root);
    int bound = 0;
    for (const CDataRef* ref = GetNextFunction(nullptr); ref; ref = GetNextFunction(ref)) {
        auto* expression = dynamic_cast<CExpression*>(ref->GetExpression());
        if (!expression)
            continue;
        int parameter = 0;
        for (int i = 0; i < expression->GetArgCount(); ++i) {
            const CExprArg& arg = expression->GetArg(i);
            if (!arg.m_isParameter)
                continue;
            if (text::EqualsNoCase(arg.m_label, kRootLabel) &&
                expression->SetParameterValue(parameter, value))
                ++bound;
            ++parameter;
        }
    }
    return bound;
}
