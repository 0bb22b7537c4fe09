// queries/query_line.cpp: reading the one-line forms of query items: blanks, commas and quoted
// texts.
#include "queries/detail/query_line.h"

#include "common/quoted_text.h"
#include "platform/base/text.h"

namespace query_line {

void SkipSpace(std::string_view text, std::size_t& position)
{
    while (position < text.size() && text::IsSpace(text[position]))
        ++position;
}

bool SkipComma(std::string_view text, std::size_t& position)
{
    std::size_t at = position;
    SkipSpace(text, at);
    if (at >= text.size() || text[at] != ',')
        return false;
    position = at + 1;
    SkipSpace(text, position);
    return true;
}

bool AtEnd(std::string_view text, std::size_t position)
{
    SkipSpace(text, position);
    return position >= text.size();
}

bool ReadQuoted(std::string_view text, std::size_t& position, std::string& value)
{
    SkipSpace(text, position);
    return ParseQuotedString(text, position, value);
}

std::string_view ReadToken(std::string_view text, std::size_t& position)
{
    SkipSpace(text, position);
    const std::size_t start = position;
    while (position < text.size() && text[position] != ',' && !text::IsSpace(text[position]))
        ++position;
    return text.substr(start, position - start);
}

bool TakeKeyword(std::string_view text, std::size_t& position, std::string_view keyword)
{
    if (position > text.size() || text.size() - position < keyword.size() ||
        !text::EqualsNoCase(text.substr(position, keyword.size()), keyword))
        return false;
    position += keyword.size();
    return true;
}

std::string Quote(std::string_view text)
{
    return "\"" + DoubleChar(text, '"') + "\"";
}

bool FitsOneLine(std::string_view text)
{
    return text.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace query_line
