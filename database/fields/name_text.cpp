// database/fields/name_text.cpp: personal names as text: their parts around the surname slashes,
// and the tidying of names read from files and typed by the user.
#include "database/fields/name_text.h"

#include "platform/base/text.h"

#include <algorithm>
#include <cstring>

namespace {

/// White space as text::IsSpace finds it, inline: every name of a file passes here.
bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
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

std::size_t TidyNameInto(std::string_view name, char* out)
{
    // Every run of white space becomes one blank, the ends trimmed, and the first two slashes
    // are found on the way.
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t size = 0;
    std::size_t open = kNone;
    std::size_t close = kNone;
    for (const char c : name) {
        // Most characters are neither white space nor a slash, and one test passes them.
        if (static_cast<unsigned char>(c) > ' ' && c != '/') {
            out[size++] = c;
        } else if (!IsBlank(c)) {
            if (c == '/') {
                if (open == kNone)
                    open = size;
                else if (close == kNone)
                    close = size;
            }
            out[size++] = c;
        } else if (size != 0 && out[size - 1] != ' ') {
            out[size++] = ' ';
        }
    }
    if (size != 0 && out[size - 1] == ' ')
        --size;
    if (open == kNone)
        return size;
    if (close == kNone) {
        out[size++] = '/';
        close = size - 1;
    }
    const auto erase = [&](std::size_t at) {
        std::memmove(out + at, out + at + 1, size - at - 1);
        --size;
    };
    const auto insertBlank = [&](std::size_t at) {
        std::memmove(out + at + 1, out + at, size - at);
        out[at] = ' ';
        ++size;
    };
    if (open + 1 < close && out[open + 1] == ' ') {
        erase(open + 1);
        --close;
    }
    if (close > open + 1 && out[close - 1] == ' ') {
        erase(close - 1);
        --close;
    }
    // The surname slashes stand apart from the words around them.
    if (open > 0 && !IsBlank(out[open - 1])) {
        insertBlank(open);
        ++close;
    }
    if (close + 1 < size && !IsBlank(out[close + 1]))
        insertBlank(close + 1);
    return size;
}

std::string TidyNameText(std::string_view name)
{
    std::string out(name.size() + kTidyNameGrowth, '\0');
    out.resize(TidyNameInto(name, out.data()));
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
