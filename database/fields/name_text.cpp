// database/fields/name_text.cpp: personal names as text: their parts around the surname slashes,
// and the tidying of names read from files and typed by the user.
#include "database/fields/name_text.h"

#include "platform/base/text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

/// White space as text::IsSpace finds it, inline: every name of a file passes here.
bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

/// The high bit of each byte of word that equals byte, exactly (no carry between bytes).
std::uint64_t BytesEqual(std::uint64_t word, unsigned char byte)
{
    const std::uint64_t x = word ^ (kOnes * byte);
    return ~(((x & ~kHighs) + ~kHighs) | x | ~kHighs);
}

/// The high bit of each byte of word below limit (at most 0x80), exactly.
std::uint64_t BytesBelow(std::uint64_t word, unsigned char limit)
{
    return ~(((word & ~kHighs) + kOnes * (0x80u - limit)) | word) & kHighs;
}

/// Whether tidying leaves the white space of name as it is: no byte below the blank, no blank
/// at either end, none beside another. The first two slashes are found on the way (npos when
/// missing). Eight bytes are tested at a time: most names of a file pass, and are then copied
/// whole.
bool HasTidyBlanks(std::string_view name, std::size_t& open, std::size_t& close)
{
    open = close = std::string_view::npos;
    if (!name.empty() && (name.front() == ' ' || name.back() == ' '))
        return false;
    std::uint64_t blankBefore = 0; // the high bit of byte 0 set when the byte before is a blank
    for (std::size_t at = 0; at < name.size(); at += sizeof(std::uint64_t)) {
        const std::size_t bytes = std::min(name.size() - at, sizeof(std::uint64_t));
        std::uint64_t word = 0;
        std::memcpy(&word, name.data() + at, bytes);
        if constexpr (std::endian::native == std::endian::big)
            word = __builtin_bswap64(word);
        const std::uint64_t inName =
            bytes == sizeof word ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * bytes)) - 1;
        const std::uint64_t blanks = BytesEqual(word, ' ') & inName;
        if ((BytesBelow(word, ' ') & inName) != 0 || (blanks & ((blanks << 8) | blankBefore)) != 0)
            return false;
        blankBefore = (blanks >> 56) & 0x80;
        for (std::uint64_t slashes = BytesEqual(word, '/') & inName;
             slashes != 0 && close == std::string_view::npos; slashes &= slashes - 1) {
            const std::size_t slash = at + std::size_t(std::countr_zero(slashes)) / 8;
            (open == std::string_view::npos ? open : close) = slash;
        }
    }
    return true;
}

/// Name written to out with every run of white space made one blank and the ends trimmed; the
/// first two slashes of out are found on the way (npos when missing). Returns the size written.
std::size_t CollapseBlanksInto(std::string_view name, char* out, std::size_t& open,
                               std::size_t& close)
{
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t size = 0;
    open = close = kNone;
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
    return size;
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
    // The white space first, then the slashes.
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t open = kNone;
    std::size_t close = kNone;
    std::size_t size = name.size();
    if (HasTidyBlanks(name, open, close))
        std::memcpy(out, name.data(), size);
    else
        size = CollapseBlanksInto(name, out, open, close);
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
