// database/fields/name_text.cpp: personal names as text: their parts around the surname slashes,
// and the tidying of names read from files and typed by the user.
#include "database/fields/name_text.h"

#include "platform/base/text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

/// White space as text::IsSpace finds it, inline: every name of a file passes here.
bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

/// The longest name that is tidied by masks, one bit a byte.
constexpr std::size_t kMaskedName = 64;

/// One bit a byte of a name of at most kMaskedName bytes: its blanks, its slashes, its at signs,
/// and its bytes below the blank (white space other than blanks, and control bytes).
struct NameBytes {
    std::uint64_t blanks = 0;
    std::uint64_t slashes = 0;
    std::uint64_t ats = 0;
    std::uint64_t low = 0;
};

/// The masks of the size bytes at text, which may be read on to the next multiple of sixteen:
/// the bytes there are neither blanks, slashes, at signs nor below the blank.
NameBytes MaskNameBytes(const char* text, std::size_t size)
{
    NameBytes bytes;
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i at = _mm_set1_epi8('@');
    const __m128i lastLow = _mm_set1_epi8(' ' - 1);
    for (std::size_t offset = 0; offset < size; offset += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + offset));
        const auto bits = [offset](__m128i equal) {
            return std::uint64_t(unsigned(_mm_movemask_epi8(equal))) << offset;
        };
        bytes.blanks |= bits(_mm_cmpeq_epi8(chunk, blank));
        bytes.slashes |= bits(_mm_cmpeq_epi8(chunk, slash));
        bytes.ats |= bits(_mm_cmpeq_epi8(chunk, at));
        bytes.low |= bits(_mm_cmpeq_epi8(_mm_min_epu8(chunk, lastLow), chunk));
    }
#else
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        bytes.blanks |= std::uint64_t(c == ' ') << i;
        bytes.slashes |= std::uint64_t(c == '/') << i;
        bytes.ats |= std::uint64_t(c == '@') << i;
        bytes.low |= std::uint64_t(c < ' ') << i;
    }
#endif
    return bytes;
}

/// CollapseBlanksInto for a name of at most kMaskedName bytes whose only white space is
/// blanks, sixteen bytes at a time: the name is copied whole, then the blanks that follow a
/// blank or start it are cut out; atSign tells whether the name holds an "@". False, with
/// nothing settled, for any other name. out has room for kTidyNameRoom bytes past the name's size.
bool CollapseMaskedBlanks(std::string_view name, char* out, std::size_t& size, std::size_t& open,
                          std::size_t& close, bool& atSign)
{
    if (name.size() > kMaskedName)
        return false;
    std::memcpy(out, name.data(), name.size());
    // What the masks read past the name is a letter: no blank, slash or byte below the blank.
    std::memset(out + name.size(), 'x', 16);
    const NameBytes bytes = MaskNameBytes(out, name.size());
    if (bytes.low != 0)
        return false;
    atSign = bytes.ats != 0;
    open = close = std::string_view::npos;
    if (std::uint64_t slashes = bytes.slashes; slashes != 0) {
        open = std::size_t(std::countr_zero(slashes));
        if (slashes &= slashes - 1; slashes != 0)
            close = std::size_t(std::countr_zero(slashes));
    }
    size = name.size();
    // Each dropped blank, from the last, is covered by the bytes after it, and the slashes
    // after it move down: most names drop none or one.
    for (std::uint64_t cut = bytes.blanks & ((bytes.blanks << 1) | 1); cut != 0;) {
        const std::size_t at = std::size_t(63 - std::countl_zero(cut));
        std::memmove(out + at, out + at + 1, size - at - 1);
        --size;
        cut &= ~(std::uint64_t(1) << at);
        if (open != std::string_view::npos && open > at)
            --open;
        if (close != std::string_view::npos && close > at)
            --close;
    }
    if (size != 0 && out[size - 1] == ' ')
        --size;
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

std::size_t TidyNameInto(std::string_view name, char* out, bool& atSign)
{
    // The white space first, then the slashes.
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t open = kNone;
    std::size_t close = kNone;
    std::size_t size = 0;
    if (!CollapseMaskedBlanks(name, out, size, open, close, atSign)) {
        size = CollapseBlanksInto(name, out, open, close);
        atSign = std::memchr(out, '@', size) != nullptr;
    }
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
    // The surname slashes stand apart from the words around them (a blank is now the only
    // white space).
    if (open > 0 && out[open - 1] != ' ') {
        insertBlank(open);
        ++close;
    }
    if (close + 1 < size && out[close + 1] != ' ')
        insertBlank(close + 1);
    return size;
}

std::string TidyNameText(std::string_view name)
{
    std::string out(name.size() + kTidyNameRoom, '\0');
    bool atSign = false;
    out.resize(TidyNameInto(name, out.data(), atSign));
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
