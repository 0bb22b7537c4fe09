// queries/query_heading.h: a query's title or subtitle: its template text and, once compiled by
// the box-text template language, the compiled template.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CDataRef;

/// A heading compiled by the template language, which lives above the query engine and
/// installs its compiler at start-up.
class IHeadingTemplate {
public:
    virtual ~IHeadingTemplate() = default;
    /// The data references of the template's value tokens, in order; the expression calls
    /// among them may hold run-time parameters.
    virtual std::vector<CDataRef*> GetFunctions() = 0;
    /// The text for no record.
    virtual std::string Render() = 0;
    /// For a change notice: forgets the records that are going away.
    virtual void OnDataChanged(long hint) = 0;
};

class IHeadingCompiler {
public:
    virtual ~IHeadingCompiler() = default;
    /// The compiled form of text; null when it does not compile or holds no value token.
    virtual std::unique_ptr<IHeadingTemplate> Compile(std::string_view text) = 0;
};

/// The installed compiler; without one, headings stay plain text.
void SetHeadingCompiler(IHeadingCompiler* compiler);
IHeadingCompiler* GetHeadingCompiler();

/// A title or subtitle.
class CQueryHeading final {
public:
    const std::string& GetText() const { return m_text; }
    /// New text; the compiled form is let go.
    void SetText(std::string text);
    /// The compiled form, compiling the text first when it is not yet compiled; null when there
    /// is no text, no compiler, or the text does not compile.
    IHeadingTemplate* GetCompiled();
    /// The compiled form when there is one already; never compiles.
    IHeadingTemplate* GetCompiledIfAny() const { return m_compiled.get(); }
    /// The text with its values: the compiled form rendered (compiling it first). A text that
    /// does not compile is shown as it stands, but for the value tokens in it, which name
    /// nothing and are left out ("%#x"); without a compiler the text is shown unchanged.
    std::string GetDisplayText();

private:
    std::string m_text;
    std::unique_ptr<IHeadingTemplate> m_compiled;
};
