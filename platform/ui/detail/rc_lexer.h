// platform/ui/detail/rc_lexer.h: splits a resource script into words, numbers, strings and
// punctuation, with the line each starts on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class RcTokenKind { Word, Number, String, Comma, Bar, Begin, End, EndOfFile };

struct RcToken {
    RcTokenKind kind = RcTokenKind::EndOfFile;
    std::string text; // a word or number as written; a string with its escapes applied
    long value = 0;   // a number's value
    int line = 0;
};

/// True for a word that is the keyword, in any case.
bool IsKeyword(const RcToken& token, std::string_view keyword);
/// The token as an error message shows it: "WS_FOO", 12, the string "Text", the end of the file.
std::string Describe(const RcToken& token);

/// "{" and the word BEGIN are both Begin, "}" and END both End. Comments run from "//" to the end
/// of the line. Numbers are decimal or 0x hexadecimal, with an optional leading "-". Strings take
/// the escapes \n, \t and \\, and "" for a quote inside the text.
class CRcLexer {
public:
    CRcLexer(std::string_view source, std::string file);

    RcToken Next();
    const RcToken& Peek();
    const std::string& File() const { return m_file; }
    /// Throws a CResourceError naming this script and the line.
    [[noreturn]] void Fail(int line, const std::string& message) const;

private:
    RcToken Scan();
    void SkipSpaceAndComments();
    RcToken ScanString();
    RcToken ScanNumber();
    RcToken ScanWord();
    char At(std::size_t offset) const;

    std::string_view m_source;
    std::string m_file;
    std::size_t m_pos = 0;
    int m_line = 1;
    std::optional<RcToken> m_peeked;
};
