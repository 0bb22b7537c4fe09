// database/fields/name_text.cpp: personal names as text: their parts around the surname slashes,
// and the tidying of names read from files and typed by the user.
#include "database/fields/name_text.h"

#include "platform/base/text.h"

#include <algorithm>

namespace {

/// White space as text::IsSpace finds it, inline: every name of a file passes here.
bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

/// The text with every run of white space turned into one blank, trimmed at both ends.
std::string SingleBlanks(std::string_view name)
{
    std::string out(name.size(), '\0');
    std::size_t size = 0;
    for (const char c : name) {
        if (!IsBlank(c))
            out[size++] = c;
        else if (size != 0 && out[size - 1] != ' ')
            out[size++] = ' ';
    }
    if (size != 0 && out[size - 1] == ' ')
        --size;
    out.resize(size);
    return out;
}

} // namespace

NameParts SplitName(std::string_view name)
{
    NameParts parts;
    const std::size_t open = name.find('/');
    if (open != std::string_view::npos) {
        const std::size_t close = name.find('/', open + 1);
        parts.given = name.substr(0, open);
        parts.surname = name.substr(
            open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
        if (close != std::string_view::npos)
            parts.suffix = name.substr(close + 1);
        return parts;
    }
    std::size_t end = name.size();
    while (end > 0 && text::IsSpace(name[end - 1]))
        --end;
    std::size_t start = end;
    while (start > 0 && !text::IsSpace(name[start - 1]))
        --start;
    parts.given = name.substr(0, start);
    parts.surname = name.substr(start, end - start);
    parts.suffix = name.substr(end);
    return parts;
}

std::string_view FirstWord(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && text::IsSpace(text[start]))
        ++start;
    std::size_t end = start;
    while (end < text.size() && !text::IsSpace(text[end]))
        ++end;
    return text.substr(start, end - start);
}

bool NameNeedsTidying(std::string_view name)
{
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (!IsBlank(name[i]))
            continue;
        if (i == 0 || name[i] != ' ' || i + 1 == name.size() || IsBlank(name[i + 1]))
            return true;
    }
    const std::size_t open = name.find('/');
    if (open == std::string_view::npos)
        return true;
    if ((open > 0 && name[open - 1] != ' ') || (open + 1 < name.size() && IsBlank(name[open + 1])))
        return true;
    const std::size_t close = name.find('/', open + 1);
    if (close == std::string_view::npos || IsBlank(name[close - 1]))
        return true;
    if (close + 1 < name.size() && !IsBlank(name[close + 1]))
        return true;
    return name.find('/', close + 1) != std::string_view::npos;
}

std::string TidyNameText(std::string_view name)
{
    std::string out = SingleBlanks(name);
    const std::size_t open = out.find('/');
    if (open == std::string::npos)
        return out;
    std::size_t close = out.find('/', open + 1);
    if (close == std::string::npos) {
        out += '/';
        close = out.size() - 1;
    }
    if (open + 1 < close && out[open + 1] == ' ') {
        out.erase(open + 1, 1);
        --close;
    }
    if (close > open + 1 && out[close - 1] == ' ') {
        out.erase(close - 1, 1);
        --close;
    }
    // The surname slashes stand apart from the words around them (NormalizeSurnameSlashes,
    // in place).
    if (open > 0 && !IsBlank(out[open - 1])) {
        out.insert(open, 1, ' ');
        ++close;
    }
    if (close + 1 < out.size() && !IsBlank(out[close + 1]))
        out.insert(close + 1, 1, ' ');
    return out;
}

std::string NameFromTypedText(std::string_view typed)
{
    std::string name = text::Trim(typed);
    const auto slashes = std::count(name.begin(), name.end(), '/');
    if (name.empty())
        return name;
    if (slashes == 1) {
        name += '/';
    } else if (slashes >= 3) {
        const std::size_t second = name.find('/', name.find('/') + 1);
        name.erase(std::remove(name.begin() + std::ptrdiff_t(second) + 1, name.end(), '/'),
                   name.end());
    } else if (slashes == 0) {
        std::size_t start = name.size();
        while (start > 0 && !text::IsSpace(name[start - 1]))
            --start;
        name = name.substr(0, start) + '/' + name.substr(start) + '/';
    }
    return TidyNameText(name);
}
