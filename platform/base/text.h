// platform/base/text.h: UTF-8 text helpers: printf-style formatting, case-blind compare and
// find, trimming, case change and leading-number parsing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace text {

/// One argument of Format, widened: every integer becomes 64 bits, so "%ld" and "%d" read the
/// same value whatever the width the caller passed.
struct FormatArg {
    enum class Kind { Signed, Unsigned, Real, Text, Pointer };
    Kind kind;
    std::int64_t i = 0;
    std::uint64_t u = 0;
    double d = 0;
    std::string_view s;
    const void* p = nullptr;
    /// Bytes of the integer as passed. "%x" of the int -1 gives ffffffff and of a 64-bit -1
    /// sixteen f's; "%c" of a char is that byte, of a wider integer a code point.
    std::uint8_t bytes = sizeof(int);

    template <class T>
    requires(std::is_integral_v<T>&& std::is_signed_v<T>) FormatArg(T v)
        : kind(Kind::Signed), i(v), bytes(sizeof(T))
    {
    }
    template <class T>
    requires(std::is_integral_v<T>&& std::is_unsigned_v<T>) FormatArg(T v)
        : kind(Kind::Unsigned), u(v), bytes(sizeof(T))
    {
    }
    template <class T>
    requires std::is_enum_v<T> FormatArg(T v) : FormatArg(static_cast<std::underlying_type_t<T>>(v))
    {
    }
    FormatArg(double v) : kind(Kind::Real), d(v) {}
    FormatArg(const char* v) : kind(Kind::Text), s(v ? v : "") {}
    FormatArg(const std::string& v) : kind(Kind::Text), s(v) {}
    FormatArg(std::string_view v) : kind(Kind::Text), s(v) {}
    FormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
};

/// printf-style formatting of already widened arguments: flags, width, precision (also "*"),
/// length modifiers (ignored), conversions d i u x X o c s f e g p %. A missing argument prints
/// nothing; an argument of the wrong kind is converted sensibly, never read as garbage.
std::string FormatArgs(std::string_view format, std::span<const FormatArg> args);

template <class... Args> std::string Format(std::string_view format, const Args&... args)
{
    if constexpr (sizeof...(Args) == 0) {
        return FormatArgs(format, {});
    } else {
        const FormatArg list[] = {FormatArg(args)...};
        return FormatArgs(format, list);
    }
}

// UTF-8.
/// Decodes the character at pos and moves pos past it; an invalid byte decodes as itself
/// (U+0080..U+00FF range of Windows-1252 is not applied here) and moves one byte.
char32_t DecodeUtf8(std::string_view s, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t c);
bool IsValidUtf8(std::string_view s);
/// Number of characters (not bytes).
std::size_t Utf8Length(std::string_view s);
/// The largest length <= maxBytes that does not cut a character.
std::size_t Utf8Boundary(std::string_view s, std::size_t maxBytes);

// Case. Folding covers ASCII, Latin-1 Supplement and Latin Extended-A.
char32_t FoldCase(char32_t c);
/// Appends c (any value below 2^21, surrogates included) so that strings built this way
/// compare byte by byte as their characters do.
void AppendOrderedChar(std::string& out, char32_t c);
/// A key whose byte order (std::string's compare) is CompareNoCase's order of the texts.
std::string FoldedSortKey(std::string_view s);
char32_t ToUpperChar(char32_t c);
char32_t ToLowerChar(char32_t c);
std::string ToUpper(std::string_view s);
std::string ToLower(std::string_view s);

/// <0, 0, >0 like strcmp, comparing folded characters.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
/// Byte index of the first case-blind occurrence at or after start; npos when none.
std::size_t FindNoCase(std::string_view text, std::string_view pattern, std::size_t start = 0);

// Trimming: white space is blank, tab, CR, LF, vertical tab and form feed.
bool IsSpace(char c);
std::string_view TrimView(std::string_view s);
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Numbers.
/// The value of the optional sign and digits at the start of s (after leading white space), as
/// atol does: 0 when there are none; used stops after the last digit (0 when none was read).
long ParseLeadingInt(std::string_view s, std::size_t* used = nullptr);
/// Like ParseLeadingInt, but fails (false) unless the whole text, trimmed, is one integer.
bool ParseInt(std::string_view s, long& value);

} // namespace text
