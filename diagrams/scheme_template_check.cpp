// diagrams/scheme_template_check.cpp: the compiler as the text schemes' check.
#include "diagrams/scheme_template_check.h"

#include "diagrams/text_scheme_store.h"
#include "templates/text_template.h"

bool TemplateCompiles(const std::string& text)
{
    CTextTemplate compiled;
    std::string message;
    return compiled.CompileTemplate(text, message);
}

void InitProgramTextSchemes()
{
    InitTextSchemes(TextSchemes(), TemplateCompiles);
}
