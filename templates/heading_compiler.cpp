// templates/heading_compiler.cpp: query titles and subtitles compiled by the box-text template
// language, installed into the query engine at start-up.
#include "templates/heading_compiler.h"

#include "queries/expression.h"
#include "templates/text_template.h"

namespace {

class CHeadingTemplate final : public IHeadingTemplate {
public:
    explicit CHeadingTemplate(CTextTemplate compiled) : m_template(std::move(compiled)) {}

    std::vector<CDataRef*> GetFunctions() override
    {
        std::vector<CDataRef*> refs;
        for (CDataRef* ref = m_template.GetNextFunction(nullptr); ref;
             ref = m_template.GetNextFunction(ref))
            refs.push_back(ref);
        return refs;
    }

    std::string Render() override
    {
        std::string text;
        m_template.RenderTemplate(text, CTemplateContext());
        return text;
    }

    void OnDataChanged(long hint) override
    {
        for (CDataRef* ref : GetFunctions()) {
            if (auto* expression = dynamic_cast<CExpression*>(ref->GetExpression()))
                expression->OnRecordsDeleted(hint);
        }
    }

private:
    CTextTemplate m_template;
};

} // namespace

std::unique_ptr<IHeadingTemplate> CHeadingCompiler::Compile(std::string_view text)
{
    CTextTemplate compiled;
    std::string message;
    if (!compiled.CompileTemplate(text, message) || !compiled.GetNextFunction(nullptr))
        return nullptr;
    return std::make_unique<CHeadingTemplate>(std::move(compiled));
}

void InstallHeadingCompiler()
{
    static CHeadingCompiler compiler;
    SetHeadingCompiler(&compiler);
}
