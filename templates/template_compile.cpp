// templates/template_compile.cpp: compiling box-text template source into lines of tokens, strictly
// (every fault refused with a message) or leniently (what can be kept is kept, as text).
#include "templates/template_messages.h"
#include "templates/text_template.h"

#include "platform/base/text.h"

#include <utility>

namespace msg = template_messages;

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool IsBreak(char c)
{
    return c == '\r' || c == '\n';
}

/// The source lines: a line ends at CR or LF, CR LF and LF CR counting as one break; breaks at
/// the end of the text add no line. Bare CRs break lines like any other break.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    if (text.empty())
        return lines;
    while (!text.empty() && IsBreak(text.back()))
        text.remove_suffix(1);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsBreak(text[i]))
            continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && IsBreak(text[i + 1]) && text[i + 1] != text[i])
            ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

/// The 0-based character offset of byte within line.
int Column(std::string_view line, std::size_t byte)
{
    return int(text::Utf8Length(line.substr(0, byte)));
}

/// A token as read from the line, before its value is parsed.
struct CRawToken {
    int m_kind = TTK_NONE;
    std::size_t m_start = 0;
    std::string m_text; // reference, whole function, literal text or substitution name
    bool m_function = false;
};

/// A failure of one line: its message and the byte where the fault starts.
struct CLineFault {
    std::string m_message;
    int m_column = 0;
};

/// Sets a condition; a different value set before is a conflict (the later value stays).
void SetCondition(int& condition, int value, bool& conflict)
{
    if (condition != kTemplateConditionNone && condition != value)
        conflict = true;
    condition = value;
}

} // namespace

/// Compiles the lines of one template, collecting its substitution name.
class CTemplateCompiler {
public:
    CTemplateCompiler(CTextTemplate& compiled, bool lenient)
        : m_template(compiled), m_lenient(lenient)
    {
    }

    bool Compile(std::string_view text, std::string& message, int* errorLine, int* errorColumn);

private:
    /// False with fault set when the line is refused.
    bool CompileLine(std::string_view line, CTemplateLine& out, CLineFault& fault);
    /// Reads the condition block at pos (the "{"); false when it is not understood, with the
    /// byte where the offending word starts.
    bool ReadConditions(std::string_view line, std::size_t& pos, CTemplateLine& out, bool& conflict,
                        std::size_t& badWord) const;
    /// Reads the tokens from pos to the end of the line; false with fault set on an error.
    bool ReadTokens(std::string_view line, std::size_t pos, std::vector<CRawToken>& tokens,
                    CLineFault& fault) const;
    static bool ReadLiteral(std::string_view line, std::size_t& pos, CRawToken& token,
                            CLineFault& fault);
    /// Joins literal tokens that follow each other and drops the blanks that start a line's
    /// first token; false with fault set when a joined text is too long.
    static bool JoinLiterals(std::string_view line, const std::vector<CRawToken>& raw,
                             CTemplateLine& out, CLineFault& fault);
    static CLineFault Fault(std::string_view line, std::size_t byte, const char* format)
    {
        return {text::Format(format, int(Column(line, byte) + 1)), Column(line, byte)};
    }

    CTextTemplate& m_template;
    bool m_lenient;
};

bool CTemplateCompiler::Compile(std::string_view text, std::string& message, int* errorLine,
                                int* errorColumn)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    m_template.m_lines.resize(lines.size());
    bool picture = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        CTemplateLine& line = m_template.m_lines[i];
        CLineFault fault;
        bool failed = !CompileLine(lines[i], line, fault);
        if (!failed && line.m_picture && picture) {
            if (m_lenient) {
                line.m_picture = false;
            } else {
                failed = true;
                fault = {msg::kSecondPicture, -1};
            }
        }
        if (failed) {
            m_template.FreeTemplate();
            message = text::Format(msg::kLinePrefix, int(i + 1)) + fault.m_message;
            if (errorLine)
                *errorLine = int(i);
            if (errorColumn)
                *errorColumn = fault.m_column;
            return false;
        }
        picture = picture || line.m_picture;
    }
    return true;
}

bool CTemplateCompiler::ReadConditions(std::string_view line, std::size_t& pos, CTemplateLine& out,
                                       bool& conflict, std::size_t& badWord) const
{
    std::size_t p = pos + 1;
    const auto nextWord = [&](std::size_t& start) {
        while (p < line.size() && IsBlank(line[p]))
            ++p;
        start = p;
        while (p < line.size() && !IsBlank(line[p]) && line[p] != '}')
            ++p;
        return line.substr(start, p - start);
    };
    for (;;) {
        std::size_t start = 0;
        const std::string_view word = nextWord(start);
        if (word.empty()) {
            if (p >= line.size()) {
                badWord = p;
                return false;
            }
            ++p; // the "}"
            pos = p;
            return true;
        }
        if (text::EqualsNoCase(word, "if") || text::EqualsNoCase(word, "and") || word == "&") {
        } else if (text::EqualsNoCase(word, "male")) {
            SetCondition(out.m_sex, 1, conflict);
        } else if (text::EqualsNoCase(word, "female")) {
            SetCondition(out.m_sex, 2, conflict);
        } else if (text::EqualsNoCase(word, "duplicates")) {
            SetCondition(out.m_duplicates, 1, conflict);
        } else if (text::EqualsNoCase(word, "spouses")) {
            SetCondition(out.m_spouses, 1, conflict);
        } else if (text::EqualsNoCase(word, "picture")) {
            out.m_picture = true;
        } else if (text::EqualsNoCase(word, "no")) {
            const std::string_view what = nextWord(start);
            if (text::EqualsNoCase(what, "duplicates")) {
                SetCondition(out.m_duplicates, 2, conflict);
            } else if (text::EqualsNoCase(what, "spouses")) {
                SetCondition(out.m_spouses, 2, conflict);
            } else {
                badWord = start;
                return false;
            }
        } else {
            badWord = start;
            return false;
        }
    }
}

bool CTemplateCompiler::ReadLiteral(std::string_view line, std::size_t& pos, CRawToken& token,
                                    CLineFault& fault)
{
    token.m_kind = TTK_LITERAL;
    std::size_t p = pos;
    while (p < line.size() && line[p] != '%' && line[p] != '=') {
        if (line[p] != '\\') {
            token.m_text += line[p++];
            continue;
        }
        const char next = p + 1 < line.size() ? line[p + 1] : '\0';
        if (next == 'n')
            break;
        if (next != '%' && next != '=' && next != '\\') {
            fault = Fault(line, p, msg::kBadBackslash);
            return false;
        }
        token.m_text += next;
        p += 2;
    }
    if (text::Utf8Length(token.m_text) > kMaxTemplateTokenChars) {
        fault = Fault(line, pos, msg::kLiteralTooLong);
        return false;
    }
    pos = p;
    return true;
}

bool CTemplateCompiler::ReadTokens(std::string_view line, std::size_t pos,
                                   std::vector<CRawToken>& tokens, CLineFault& fault) const
{
    while (pos < line.size()) {
        if (int(tokens.size()) == kMaxTemplateLineTokens) {
            if (m_lenient)
                return true;
            fault = Fault(line, pos, msg::kTooManyTokens);
            return false;
        }
        CRawToken token;
        token.m_start = pos;
        const char c = line[pos];
        if (c == '%' && pos + 1 < line.size() && line[pos + 1] == '_') {
            token.m_kind = TTK_SUBSTITUTION;
            const std::size_t end = line.find('_', pos + 2);
            if (end == std::string_view::npos || end + 1 >= line.size() || line[end + 1] != '%' ||
                end == pos + 2) {
                fault = Fault(line, pos, msg::kSubstitutionUnterminated);
                return false;
            }
            token.m_text = line.substr(pos + 2, end - pos - 2);
            if (text::Utf8Length(token.m_text) > kMaxTemplateTokenChars) {
                fault = Fault(line, pos, msg::kSubstitutionTooLong);
                return false;
            }
            pos = end + 2;
        } else if (c == '%') {
            token.m_kind = TTK_VALUE;
            const std::size_t end = line.find('%', pos + 1);
            if (end == std::string_view::npos) {
                fault = Fault(line, pos, msg::kReferenceUnterminated);
                return false;
            }
            token.m_text = line.substr(pos + 1, end - pos - 1);
            if (token.m_text.empty()) {
                fault = Fault(line, pos, msg::kReferenceEmpty);
                return false;
            }
            if (text::Utf8Length(token.m_text) > kMaxTemplateTokenChars) {
                fault = Fault(line, pos, msg::kReferenceTooLong);
                return false;
            }
            pos = end + 1;
        } else if (c == '=') {
            token.m_kind = TTK_VALUE;
            token.m_function = true;
            std::size_t p = line.find('(', pos);
            int depth = 0;
            bool quoted = false;
            for (; p < line.size(); ++p) {
                if (line[p] == '"')
                    quoted = !quoted;
                else if (!quoted && line[p] == '(')
                    ++depth;
                else if (!quoted && line[p] == ')' && --depth == 0)
                    break;
            }
            if (p >= line.size()) {
                fault = Fault(line, pos, msg::kBadFunction);
                return false;
            }
            token.m_text = line.substr(pos, p + 1 - pos);
            if (text::Utf8Length(token.m_text) > kMaxTemplateTokenChars) {
                fault = Fault(line, pos, msg::kFunctionTooLong);
                return false;
            }
            pos = p + 1;
        } else if (c == '\\' && pos + 1 < line.size() && line[pos + 1] == 'n') {
            token.m_kind = TTK_LINE_BREAK;
            pos += 2;
        } else if (!ReadLiteral(line, pos, token, fault)) {
            return false;
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

bool CTemplateCompiler::CompileLine(std::string_view line, CTemplateLine& out, CLineFault& fault)
{
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos < line.size() && line[pos] == '{') {
        bool conflict = false;
        std::size_t badWord = 0;
        if (!ReadConditions(line, pos, out, conflict, badWord)) {
            if (!m_lenient) {
                fault = {msg::kBadCondition, Column(line, badWord)};
                return false;
            }
            pos = 0; // the whole line is text; the conditions read so far stay
        } else if (!m_lenient && conflict) {
            fault = {msg::kConflictingConditions, 0};
            return false;
        } else if (!m_lenient && out.m_picture &&
                   (out.m_sex || out.m_duplicates || out.m_spouses)) {
            fault = {msg::kPictureNotAlone, 0};
            return false;
        }
    }
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    std::vector<CRawToken> raw;
    if (!ReadTokens(line, pos, raw, fault))
        return false;

    out.m_tokens.resize(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        CRawToken& from = raw[i];
        CTemplateToken& token = out.m_tokens[i];
        token.m_kind = from.m_kind;
        if (from.m_kind == TTK_LITERAL)
            token.m_text = std::move(from.m_text);
        if (from.m_kind != TTK_VALUE || token.m_ref.SetText(from.m_text))
            continue;
        if (!m_lenient) {
            fault = Fault(line, from.m_start, msg::kNotRecognised);
            fault.m_message = text::Format(msg::kNotRecognised, fault.m_column + 1,
                                           from.m_function ? "Function" : "Data Reference");
            return false;
        }
        token.m_kind = TTK_LITERAL;
        token.m_text = std::move(from.m_text);
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].m_kind != TTK_SUBSTITUTION)
            continue;
        std::string& name = m_template.m_substitutionName;
        if (name.empty()) {
            name = text::ToUpper(raw[i].m_text);
        } else if (!text::EqualsNoCase(name, raw[i].m_text)) {
            if (!m_lenient) {
                fault = Fault(line, raw[i].m_start, msg::kSecondSubstitution);
                return false;
            }
            out.m_tokens[i].m_kind = TTK_LITERAL;
            out.m_tokens[i].m_text = std::move(raw[i].m_text);
        }
    }
    if (!JoinLiterals(line, raw, out, fault))
        return false;
    out.m_outputLines = 1;
    for (const CTemplateToken& token : out.m_tokens)
        out.m_outputLines += token.m_kind == TTK_LINE_BREAK ? 1 : 0;
    if (out.m_picture && !out.m_tokens.empty()) {
        if (!m_lenient) {
            fault = {msg::kPictureNotAlone, 0};
            return false;
        }
        out.m_picture = false;
    }
    // The marker line shows nothing, so conditions kept beside it leniently mean nothing; they
    // go, as its written form "{picture}" has none.
    if (out.m_picture)
        out.m_sex = out.m_duplicates = out.m_spouses = kTemplateConditionNone;
    return true;
}

bool CTemplateCompiler::JoinLiterals(std::string_view line, const std::vector<CRawToken>& raw,
                                     CTemplateLine& out, CLineFault& fault)
{
    // Lenient compiling turns values and names into literal text beside other literal text.
    // Written back, such texts read as one; and blanks starting a line are skipped on reading.
    // The compiled line holds what its written form reads as.
    std::vector<CTemplateToken> tokens;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < out.m_tokens.size(); ++i) {
        CTemplateToken& token = out.m_tokens[i];
        const bool literal = token.m_kind == TTK_LITERAL;
        if (literal && !tokens.empty() && tokens.back().m_kind == TTK_LITERAL) {
            tokens.back().m_text += token.m_text;
        } else {
            runStart = raw[i].m_start;
            tokens.push_back(std::move(token));
        }
        if (!literal)
            continue;
        std::string& text = tokens.back().m_text;
        if (tokens.size() == 1) {
            std::size_t blanks = 0;
            while (blanks < text.size() && IsBlank(text[blanks]))
                ++blanks;
            text.erase(0, blanks);
            if (text.empty()) {
                tokens.pop_back();
                continue;
            }
        }
        if (text::Utf8Length(text) > kMaxTemplateTokenChars) {
            fault = Fault(line, runStart, msg::kLiteralTooLong);
            return false;
        }
    }
    out.m_tokens = std::move(tokens);
    return true;
}

bool CTextTemplate::CompileTemplate(std::string_view text, std::string& message, int* errorLine,
                                    int* errorColumn, bool lenient)
{
    FreeTemplate();
    message.clear();
    if (errorLine)
        *errorLine = -1;
    if (errorColumn)
        *errorColumn = -1;
    return CTemplateCompiler(*this, lenient).Compile(text, message, errorLine, errorColumn);
}

void CTextTemplate::FreeTemplate()
{
    m_lines.clear();
    m_substitutionName.clear();
}
