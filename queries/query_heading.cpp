// queries/query_heading.cpp: a query's title or subtitle: its template text and, once compiled by
// the box-text template language, the compiled template.
#include "queries/query_heading.h"

namespace {

IHeadingCompiler* g_compiler = nullptr;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

/// The text of a heading that does not compile, without the value tokens that named nothing:
/// "%" with text right after it, up to the "%" that closes it or, unclosed, to the next blank.
/// A "%" before a blank, and what a backslash escapes, stay text.
std::string WithoutUnreadTokens(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            out += c;
            out += text[++i];
            continue;
        }
        if (c != '%' || i + 1 >= text.size() || IsBlank(text[i + 1])) {
            out += c;
            continue;
        }
        const std::size_t close = text.find('%', i + 1);
        if (close != std::string::npos) {
            i = close;
            continue;
        }
        while (i + 1 < text.size() && !IsBlank(text[i + 1]))
            ++i;
    }
    return out;
}

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
    if (IHeadingTemplate* compiled = GetCompiled())
        return compiled->Render();
    // Without a compiler every heading is plain text; with one, a token it could not read has
    // no value to show and is not shown as typed either.
    return g_compiler ? WithoutUnreadTokens(m_text) : m_text;
}
