// diagrams/scheme_template_check.cpp: the compiler as the text schemes' check.
#include "diagrams/scheme_template_check.h"

#include "templates/text_template.h"

bool TemplateCompiles(const std::string& text)
{
    CTextTemplate compiled;
    std::string message;
    return compiled.CompileTemplate(text, message);
}
