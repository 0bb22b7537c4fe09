// templates/text_template.h: the box-text template language: a compiled template (lines of
// tokens with per-line conditions), its compiler, its formatter back to text and its renderer.
// Diagram boxes, query headings and report texts show text built from these templates.
//
// Sources: template_compile.cpp (CompileTemplate, strict or lenient; FormatTemplate;
// GetNextFunction), template_render.cpp (RenderTemplate for a CTemplateContext: records,
// substitution value, diagram options as CTemplateOptions). BindRootRecord makes function arguments
// written ["<root>"] read a diagram's root person.
//
// Traps: positions in compiler messages and error columns count characters, not bytes. Lines break
// at CR, LF, CR LF and LF CR alike; breaks at the end of the text add no line. A line of more than
// 15 tokens is refused when compiling strictly and cut to 15 leniently; every caller but
// CTemplateString compiles strictly, so what a user typed is never lost silently through a save of
// regenerated text.
//
// Lenient compiling holds what the written form reads back as: literal texts that meet (a value or
// substitution kept as text beside text) are one token, within the 350-character limit; a line's
// first text has no leading blanks; a picture marker line keeps no conditions. So formatting and
// compiling again gives the same template in either mode. FormatTemplate writes a path in its
// canonical form: a qualifier's other name comes back as its main one (MEDIUM as ABBREV, SHORT as
// COMPACT), and a line whose own text begins with "{" is written behind the null condition "{} " so
// that it reads back as text.
//
// Rendering never cuts a character: a line that does not fit the limit is left out whole, with
// every line after it. An existing field with an empty value counts as missing, so the text that
// introduced it goes too (an event made in the editor has empty DATE and PLAC fields).
#pragma once

#include "database/paths/data_ref.h"

#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CRecordNode;

/// What a token of a line is.
enum TemplateTokenKind : int {
    TTK_NONE = 0,
    TTK_VALUE = 1,        // a data reference "%INDI.NAME%" or a function "=LifeDates(%INDI%)"
    TTK_LITERAL = 2,      // literal text, escapes resolved
    TTK_SUBSTITUTION = 3, // "%_NAME_%": the one substitution value given to the renderer
    TTK_LINE_BREAK = 4,   // "\n"
};

/// Per-line conditions: 0 none; sex 1 males only, 2 females only; duplicates and spouses 1 only
/// when the diagram shows them, 2 only when it does not.
inline constexpr int kTemplateConditionNone = 0;
inline constexpr int kTemplateConditionYes = 1;
inline constexpr int kTemplateConditionNo = 2;

/// The most tokens a line holds.
inline constexpr int kMaxTemplateLineTokens = 15;
/// The most characters of a data reference, function, substitution name or literal text.
inline constexpr std::size_t kMaxTemplateTokenChars = 350;

/// One piece of a line.
struct CTemplateToken {
    int m_kind = TTK_NONE;
    CDataRef m_ref;     // TTK_VALUE: the parsed reference or expression
    std::string m_text; // TTK_LITERAL: the text
};

/// One source line.
struct CTemplateLine {
    bool m_picture = false; // the picture marker "{picture}"
    int m_sex = kTemplateConditionNone;
    int m_duplicates = kTemplateConditionNone;
    int m_spouses = kTemplateConditionNone;
    std::vector<CTemplateToken> m_tokens;
    /// 1 plus the number of line-break tokens.
    int m_outputLines = 1;
};

/// What a diagram shows, as far as line conditions ask.
struct CTemplateOptions {
    bool m_showDuplicates = false;
    bool m_showSpouses = false;

    /// From the diagram settings: spouse option 0 "No spouses or duplicates", 1 "Show
    /// duplicates", 2 "Show spouses"; duplicates are shown with spouses when asked.
    static CTemplateOptions FromSpouseOption(int spouseOption, bool useDuplicatesWithSpouses);
};

/// What a template is rendered for.
struct CTemplateContext {
    /// The records in order (a box's individual, then its family, ...); a value takes the first
    /// record of the type it needs.
    std::span<CRecordNode* const> m_records;
    /// The substitution value ("%_INSTANCE_%"); empty writes nothing.
    std::string_view m_substitution;
    /// The diagram's options; without them the duplicates and spouses conditions always hold.
    const CTemplateOptions* m_options = nullptr;
};

/// A compiled template; one serves any number of records. Copies are deep.
class CTextTemplate {
public:
    /// No limit on the rendered text.
    static constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max() / 4;

    /// Replaces the template by the compiled text. On failure (false) the template is empty,
    /// message holds the error, errorLine the 0-based failing line and errorColumn the 0-based
    /// character offset of the failing token or word within it (0 for a condition conflict or
    /// a misplaced picture marker, -1 for a second picture marker); both are -1 on success.
    /// Lenient compiling keeps going where it can: a bad condition block is read as text, an
    /// unparsable value or a second substitution name becomes literal text, a conflict keeps
    /// the later condition, a line keeps its first 15 tokens.
    bool CompileTemplate(std::string_view text, std::string& message, int* errorLine = nullptr,
                         int* errorColumn = nullptr, bool lenient = false);
    /// The source text of the compiled template, lines joined by CR LF; it compiles back to
    /// the same lines.
    void FormatTemplate(std::string& text) const;
    /// The reference of the first value token (previous null) or of the first one after the
    /// token holding previous; null at the end.
    CDataRef* GetNextFunction(const CDataRef* previous) const;
    /// Empties the template.
    void FreeTemplate();
    /// Binds every function argument written ["<root>"] to root (a diagram's root person);
    /// answers how many were bound.
    int BindRootRecord(CRecordNode* root);

    /// Renders the template into text (replaced): lines separated by LF, none at the end. Lines
    /// whose conditions fail, or whose values all are missing, are left out. limit: the most
    /// bytes text may hold; the lines that do not fit whole are left out with all after them,
    /// so no character is ever cut. lineCount: the lines of the result; pictureLine: the index
    /// of the first line after the picture marker, -1 when none or nothing came before it.
    const std::string& RenderTemplate(std::string& text, const CTemplateContext& context,
                                      int* lineCount = nullptr, int* pictureLine = nullptr,
                                      std::size_t limit = kUnlimited) const;

    bool IsEmpty() const { return m_lines.empty(); }
    int GetLineCount() const { return int(m_lines.size()); }
    const CTemplateLine& GetLine(int index) const { return m_lines[std::size_t(index)]; }
    /// The substitution name in upper case; empty when the template has none.
    const std::string& GetSubstitutionName() const { return m_substitutionName; }

private:
    friend class CTemplateCompiler;

    std::vector<CTemplateLine> m_lines;
    std::string m_substitutionName;
};

/// Renders one line at the end of text, with room for limit bytes in all: the count of bytes
/// added including the line's final LF; 0 when the line is left out; -1 when it does not fit
/// (text is then as it was).
int RenderTemplateLine(const CTemplateLine& line, std::string& text, std::size_t limit,
                       const CTemplateContext& context);
