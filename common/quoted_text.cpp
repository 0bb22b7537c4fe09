// common/quoted_text.cpp: quoting, doubled characters and escaped tokens.
#include "common/quoted_text.h"

std::string QuoteString(std::string_view text, bool add)
{
    std::string out;
    out.reserve(text.size() + 2);
    if (add) {
        out += '"';
        out += text;
        out += '"';
        return out;
    }
    for (const char c : text) {
        if (c != '"')
            out += c;
    }
    return out;
}

bool ParseQuotedString(std::string_view text, std::size_t& position, std::string& value)
{
    if (position >= text.size() || text[position] != '"')
        return false;
    std::string out;
    for (std::size_t i = position + 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            out += '"';
            ++i;
        } else {
            value = std::move(out);
            position = i + 1;
            return true;
        }
    }
    return false;
}

std::string DoubleChar(std::string_view text, char c)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (const char ch : text) {
        out += ch;
        if (ch == c)
            out += ch;
    }
    return out;
}

int CopyEscapedToken(std::string_view source, char terminator, char escape, std::string& token)
{
    token.clear();
    std::size_t i = 0;
    while (i < source.size()) {
        const char c = source[i];
        const bool escaped = c == escape && i + 1 < source.size() &&
                             (source[i + 1] == escape || source[i + 1] == terminator);
        if (escaped) {
            token += source[i + 1];
            i += 2;
        } else if (c == terminator) {
            break;
        } else if (c == escape) {
            return -1;
        } else {
            token += c;
            ++i;
        }
    }
    return static_cast<int>(i);
}
