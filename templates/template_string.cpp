// templates/template_string.cpp: a text that may or may not hold template syntax, as report
// settings keep their headings and labels.
#include "templates/template_string.h"

#include "common/abort.h"
#include "database/records/record_node.h"

CTemplateString& CTemplateString::operator=(const CTemplateString& other)
{
    if (this != &other)
        SetText(other.m_text);
    return *this;
}

void CTemplateString::SetText(std::string_view text)
{
    m_compiled.reset();
    m_text = std::string(text);
    if (m_text.empty())
        return;
    auto compiled = std::make_unique<CTextTemplate>();
    std::string message;
    try {
        if (!compiled->CompileTemplate(m_text, message, nullptr, nullptr, true))
            return;
    } catch (...) {
        CauseOfAbandon(); // an abandoned compile leaves the text plain; a fault goes on
        return;
    }
    if (compiled->GetNextFunction(nullptr))
        m_compiled = std::move(compiled);
}

void CTemplateString::Expand(std::string& result, CRecordNode* record) const
{
    if (!m_compiled) {
        result = m_text;
        return;
    }
    CRecordNode* const records[] = {record};
    CTemplateContext context;
    if (record)
        context.m_records = records;
    m_compiled->RenderTemplate(result, context);
}
