// queries/query_heading.cpp: a query's title or subtitle: its template text and, once compiled by
// the box-text template language, the compiled template.
#include "queries/query_heading.h"

namespace {

IHeadingCompiler* g_compiler = nullptr;

} // namespace

void SetHeadingCompiler(IHeadingCompiler* compiler)
{
    g_compiler = compiler;
}

IHeadingCompiler* GetHeadingCompiler()
{
    return g_compiler;
}

void CQueryHeading::SetText(std::string text)
{
    m_text = std::move(text);
    m_compiled.reset();
}

IHeadingTemplate* CQueryHeading::GetCompiled()
{
    if (!m_compiled && !m_text.empty() && g_compiler)
        m_compiled = g_compiler->Compile(m_text);
    return m_compiled.get();
}

std::string CQueryHeading::GetDisplayText()
{
    return m_compiled ? m_compiled->Render() : m_text;
}
