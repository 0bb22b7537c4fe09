// templates/template_string.h: a text that may or may not hold template syntax, as report settings
// keep their headings and labels: plain text unless it compiles to a template with a value.
#pragma once

#include "templates/text_template.h"

#include <memory>
#include <string>
#include <string_view>

class CRecordNode;

class CTemplateString {
public:
    CTemplateString() = default;
    CTemplateString(const CTemplateString& other) { SetText(other.m_text); }
    CTemplateString& operator=(const CTemplateString& other);
    ~CTemplateString() = default;

    /// Stores the text and compiles it leniently; the compiled form is kept only when it holds
    /// a data reference or function.
    void SetText(std::string_view text);
    const std::string& GetText() const { return m_text; }
    /// The compiled form; null when the text stays plain.
    const CTextTemplate* GetTemplate() const { return m_compiled.get(); }
    /// The text for record (which may be null), replacing result: the plain text unchanged
    /// (escapes and braces included), or the rendered template, whose sex conditions apply
    /// and whose diagram conditions hold. Nothing is cut.
    void Expand(std::string& result, CRecordNode* record) const;

private:
    std::string m_text;
    std::unique_ptr<CTextTemplate> m_compiled;
};
