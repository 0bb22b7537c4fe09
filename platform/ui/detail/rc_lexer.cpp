// platform/ui/detail/rc_lexer.cpp: the tokens of a resource script.
#include "platform/ui/detail/rc_lexer.h"

#include "platform/base/text.h"
#include "platform/ui/resources/resource_records.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsWordStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsWordChar(char c)
{
    return IsWordStart(c) || IsDigit(c);
}

int HexDigit(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Shown(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F)
        return std::string("\"") + c + "\"";
    return text::Format("byte 0x%02X", unsigned(byte));
}

} // namespace

bool IsKeyword(const RcToken& token, std::string_view keyword)
{
    return token.kind == RcTokenKind::Word && text::EqualsNoCase(token.text, keyword);
}

std::string Describe(const RcToken& token)
{
    switch (token.kind) {
    case RcTokenKind::EndOfFile:
        return "the end of the file";
    case RcTokenKind::String:
        return "the string \"" + token.text + "\"";
    case RcTokenKind::Number:
        return token.text;
    default:
        return "\"" + token.text + "\"";
    }
}

CRcLexer::CRcLexer(std::string_view source, std::string file)
    : m_source(source), m_file(std::move(file))
{
    if (m_source.starts_with("\xEF\xBB\xBF"))
        m_pos = 3;
}

RcToken CRcLexer::Next()
{
    if (m_peeked) {
        RcToken token = std::move(*m_peeked);
        m_peeked.reset();
        return token;
    }
    return Scan();
}

const RcToken& CRcLexer::Peek()
{
    if (!m_peeked)
        m_peeked = Scan();
    return *m_peeked;
}

void CRcLexer::Fail(int line, const std::string& message) const
{
    throw CResourceError(m_file, line, message);
}

char CRcLexer::At(std::size_t offset) const
{
    return m_pos + offset < m_source.size() ? m_source[m_pos + offset] : '\0';
}

void CRcLexer::SkipSpaceAndComments()
{
    while (m_pos < m_source.size()) {
        const char c = m_source[m_pos];
        if (c == '\n') {
            ++m_line;
            ++m_pos;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++m_pos;
        } else if (c == '/' && At(1) == '/') {
            while (m_pos < m_source.size() && m_source[m_pos] != '\n')
                ++m_pos;
        } else {
            return;
        }
    }
}

RcToken CRcLexer::Scan()
{
    SkipSpaceAndComments();
    RcToken token;
    token.line = m_line;
    if (m_pos >= m_source.size())
        return token;
    const char c = m_source[m_pos];
    const auto single = [&](RcTokenKind kind) {
        token.kind = kind;
        token.text = std::string(1, c);
        ++m_pos;
        return token;
    };
    switch (c) {
    case ',':
        return single(RcTokenKind::Comma);
    case '|':
        return single(RcTokenKind::Bar);
    case '{':
        return single(RcTokenKind::Begin);
    case '}':
        return single(RcTokenKind::End);
    case '"':
        return ScanString();
    default:
        break;
    }
    if (IsDigit(c) || (c == '-' && IsDigit(At(1))))
        return ScanNumber();
    if (IsWordStart(c))
        return ScanWord();
    Fail(m_line, "unexpected " + Shown(c));
}

RcToken CRcLexer::ScanString()
{
    RcToken token;
    token.kind = RcTokenKind::String;
    token.line = m_line;
    ++m_pos;
    for (;;) {
        if (m_pos >= m_source.size() || m_source[m_pos] == '\n')
            Fail(token.line, "the string does not end on its line");
        const char c = m_source[m_pos++];
        if (c == '"') {
            if (At(0) != '"')
                return token;
            token.text += '"';
            ++m_pos;
        } else if (c == '\\') {
            const char e = At(0);
            if (e == 'n')
                token.text += '\n';
            else if (e == 't')
                token.text += '\t';
            else if (e == '\\')
                token.text += '\\';
            else
                Fail(m_line, "unknown escape \\" + std::string(1, e) + " in a string");
            ++m_pos;
        } else {
            token.text += c;
        }
    }
}

RcToken CRcLexer::ScanNumber()
{
    RcToken token;
    token.kind = RcTokenKind::Number;
    token.line = m_line;
    const std::size_t start = m_pos;
    const bool negative = At(0) == '-';
    if (negative)
        ++m_pos;
    const bool hex = At(0) == '0' && (At(1) == 'x' || At(1) == 'X');
    const int base = hex ? 16 : 10;
    if (hex)
        m_pos += 2;
    long value = 0;
    bool tooLarge = false;
    int digits = 0;
    for (int d = HexDigit(At(0)); d >= 0 && d < base; d = HexDigit(At(0))) {
        if (!tooLarge)
            value = value * base + d;
        tooLarge = tooLarge || value > 0xFFFFFFFFL;
        ++digits;
        ++m_pos;
    }
    const bool malformed = digits == 0 || IsWordChar(At(0)); // "0x", "12ab"
    while (IsWordChar(At(0)))
        ++m_pos;
    token.text = std::string(m_source.substr(start, m_pos - start));
    if (malformed)
        Fail(token.line, "\"" + token.text + "\" is not a number");
    if (tooLarge)
        Fail(token.line, "the number " + token.text + " is too large");
    token.value = negative ? -value : value;
    return token;
}

RcToken CRcLexer::ScanWord()
{
    RcToken token;
    token.kind = RcTokenKind::Word;
    token.line = m_line;
    const std::size_t start = m_pos;
    while (m_pos < m_source.size() && IsWordChar(m_source[m_pos]))
        ++m_pos;
    token.text = std::string(m_source.substr(start, m_pos - start));
    if (text::EqualsNoCase(token.text, "BEGIN"))
        token.kind = RcTokenKind::Begin;
    else if (text::EqualsNoCase(token.text, "END"))
        token.kind = RcTokenKind::End;
    return token;
}
