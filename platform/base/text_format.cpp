// platform/base/text_format.cpp: printf-style formatting of widened arguments, without a C
// variadic list and independent of the machine's locale.
#include "platform/base/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace text {
namespace {

struct Spec {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

// Hands out the arguments in order; a missing one is reported as null.
class ArgCursor {
public:
    explicit ArgCursor(std::span<const FormatArg> args) : m_args(args) {}
    const FormatArg* Next() { return m_next < m_args.size() ? &m_args[m_next++] : nullptr; }

private:
    std::span<const FormatArg> m_args;
    std::size_t m_next = 0;
};

std::int64_t AsSigned(const FormatArg& a)
{
    switch (a.kind) {
    case FormatArg::Kind::Signed:
        return a.i;
    case FormatArg::Kind::Unsigned:
        return a.u > std::uint64_t(std::numeric_limits<std::int64_t>::max())
                   ? std::numeric_limits<std::int64_t>::max()
                   : std::int64_t(a.u);
    case FormatArg::Kind::Real:
        if (std::isnan(a.d))
            return 0;
        if (a.d >= 9.2e18)
            return std::numeric_limits<std::int64_t>::max();
        if (a.d <= -9.2e18)
            return std::numeric_limits<std::int64_t>::min();
        return std::int64_t(a.d);
    case FormatArg::Kind::Pointer:
        return std::int64_t(reinterpret_cast<std::uintptr_t>(a.p));
    case FormatArg::Kind::Text:
        return 0;
    }
    return 0;
}

// Bytes of the first `chars` characters of s.
std::size_t CharPrefix(std::string_view s, std::size_t chars)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < chars && pos < s.size(); ++n)
        DecodeUtf8(s, pos);
    return pos;
}

void Pad(std::string& out, std::string_view body, const Spec& spec)
{
    const std::size_t length = Utf8Length(body);
    const std::size_t fill =
        spec.width > 0 && std::size_t(spec.width) > length ? spec.width - length : 0;
    if (!spec.left)
        out.append(fill, ' ');
    out.append(body);
    if (spec.left)
        out.append(fill, ' ');
}

// sign + prefix + digits, zero-filled to the width when asked.
void PadNumber(std::string& out, std::string_view sign, std::string_view digits, const Spec& spec,
               bool zeroAllowed)
{
    std::string body(sign);
    if (spec.zero && !spec.left && zeroAllowed) {
        const std::size_t used = sign.size() + digits.size();
        if (spec.width > 0 && std::size_t(spec.width) > used)
            body.append(spec.width - used, '0');
    }
    body.append(digits);
    Pad(out, body, spec);
}

void FormatInteger(std::string& out, const FormatArg& a, const Spec& spec)
{
    const char c = spec.conversion;
    const bool isSigned = c == 'd' || c == 'i';
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (a.kind == FormatArg::Kind::Unsigned) {
        magnitude = a.u;
    } else {
        const std::int64_t v = AsSigned(a);
        const std::uint8_t bytes = a.kind == FormatArg::Kind::Signed ? a.bytes : 8;
        if (isSigned) {
            negative = v < 0;
            magnitude = negative ? std::uint64_t(0) - std::uint64_t(v) : std::uint64_t(v);
        } else if (v < 0 && bytes <= 4) {
            magnitude = std::uint32_t(v); // the two's complement of the width passed
        } else {
            magnitude = std::uint64_t(v);
        }
    }
    const int base = c == 'x' || c == 'X' ? 16 : c == 'o' ? 8 : 10;
    std::array<char, 24> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, base);
    std::string digits(buffer.data(), result.ptr);
    if (spec.precision == 0 && magnitude == 0)
        digits.clear();
    if (spec.precision > 0 && std::size_t(spec.precision) > digits.size())
        digits.insert(0, spec.precision - digits.size(), '0');
    if (c == 'X')
        std::transform(digits.begin(), digits.end(), digits.begin(),
                       [](char ch) { return ch >= 'a' && ch <= 'f' ? char(ch - 'a' + 'A') : ch; });
    if (spec.alt && base == 8 && (digits.empty() || digits[0] != '0'))
        digits.insert(0, "0");
    std::string sign = negative                 ? "-"
                       : isSigned && spec.plus  ? "+"
                       : isSigned && spec.space ? " "
                                                : "";
    if (spec.alt && base == 16 && magnitude != 0)
        sign += c == 'X' ? "0X" : "0x";
    PadNumber(out, sign, digits, spec, spec.precision < 0);
}

void FormatReal(std::string& out, double value, const Spec& spec)
{
    const char c = spec.conversion;
    const bool upper = c == 'F' || c == 'E' || c == 'G';
    const int precision = std::min(spec.precision < 0 ? 6 : spec.precision, 400);
    std::string buffer(std::size_t(precision) + 360, '\0');
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    std::to_chars_result result{};
    if (c == 'f' || c == 'F')
        result = std::to_chars(first, last, value, std::chars_format::fixed, precision);
    else if (c == 'e' || c == 'E')
        result = std::to_chars(first, last, value, std::chars_format::scientific, precision);
    else
        result =
            std::to_chars(first, last, value, std::chars_format::general, std::max(precision, 1));
    std::string digits(first, result.ptr);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    if (upper)
        std::transform(digits.begin(), digits.end(), digits.begin(),
                       [](char ch) { return ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch; });
    const std::string sign = negative ? "-" : spec.plus ? "+" : spec.space ? " " : "";
    PadNumber(out, sign, digits, spec, std::isfinite(value));
}

std::string PointerText(std::uintptr_t address)
{
    if (address == 0)
        return "(nil)";
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), address, 16);
    return "0x" + std::string(buffer.data(), result.ptr);
}

// The text an argument shows as under %s.
std::string AsText(const FormatArg& a)
{
    switch (a.kind) {
    case FormatArg::Kind::Text:
        return std::string(a.s);
    case FormatArg::Kind::Signed:
        return std::to_string(a.i);
    case FormatArg::Kind::Unsigned:
        return std::to_string(a.u);
    case FormatArg::Kind::Real: {
        std::array<char, 64> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), a.d,
                                          std::chars_format::general, 6);
        return std::string(buffer.data(), result.ptr);
    }
    case FormatArg::Kind::Pointer:
        return PointerText(reinterpret_cast<std::uintptr_t>(a.p));
    }
    return {};
}

void FormatString(std::string& out, const FormatArg& a, const Spec& spec)
{
    const std::string value = AsText(a);
    std::string_view body(value);
    if (spec.precision >= 0)
        body = body.substr(0, CharPrefix(body, std::size_t(spec.precision)));
    Pad(out, body, spec);
}

// A char argument is that byte as given; a wider integer is a code point (0 prints nothing).
void FormatChar(std::string& out, const FormatArg& a, const Spec& spec)
{
    std::string body;
    if (a.kind == FormatArg::Kind::Text) {
        body = std::string(a.s.substr(0, CharPrefix(a.s, 1)));
    } else if (a.kind != FormatArg::Kind::Real && a.bytes == 1) {
        body.push_back(char(a.kind == FormatArg::Kind::Signed ? a.i : std::int64_t(a.u)));
    } else {
        const std::int64_t code = AsSigned(a);
        if (code > 0 && code <= 0x10FFFF)
            AppendUtf8(body, char32_t(code));
    }
    Pad(out, body, spec);
}

// The padding a text shown under a numeric conversion gets.
Spec TextSpec(const Spec& spec)
{
    Spec text;
    text.left = spec.left;
    text.width = spec.width;
    text.conversion = 's';
    return text;
}

void FormatOne(std::string& out, const FormatArg& a, const Spec& spec)
{
    switch (spec.conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        if (a.kind == FormatArg::Kind::Text)
            return FormatString(out, a, TextSpec(spec));
        return FormatInteger(out, a, spec);
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
        if (a.kind == FormatArg::Kind::Real)
            return FormatReal(out, a.d, spec);
        if (a.kind == FormatArg::Kind::Signed)
            return FormatReal(out, double(a.i), spec);
        if (a.kind == FormatArg::Kind::Unsigned)
            return FormatReal(out, double(a.u), spec);
        return FormatString(out, a, TextSpec(spec));
    case 'c':
    case 'C':
        return FormatChar(out, a, spec);
    case 'p':
        return Pad(out,
                   a.kind == FormatArg::Kind::Pointer
                       ? PointerText(reinterpret_cast<std::uintptr_t>(a.p))
                       : PointerText(std::uintptr_t(AsSigned(a))),
                   spec);
    default:
        return FormatString(out, a, spec);
    }
}

// Reads "*" (the next argument) or digits at pos; nullopt when neither is there or the
// argument is missing.
std::optional<int> ReadNumber(std::string_view f, std::size_t& pos, ArgCursor& args)
{
    if (pos < f.size() && f[pos] == '*') {
        ++pos;
        const FormatArg* a = args.Next();
        if (!a)
            return std::nullopt;
        return int(std::clamp<std::int64_t>(AsSigned(*a), -100000, 100000));
    }
    if (pos >= f.size() || f[pos] < '0' || f[pos] > '9')
        return std::nullopt;
    int value = 0;
    while (pos < f.size() && f[pos] >= '0' && f[pos] <= '9') {
        value = std::min(value * 10 + (f[pos] - '0'), 100000);
        ++pos;
    }
    return value;
}

void SkipLengthModifiers(std::string_view f, std::size_t& pos)
{
    while (pos < f.size()) {
        if (f.substr(pos, 3) == "I64" || f.substr(pos, 3) == "I32")
            pos += 3;
        else if (std::string_view("hlLqjztI").find(f[pos]) != std::string_view::npos)
            ++pos;
        else
            return;
    }
}

// Parses the conversion after a '%'; false when the text does not end in a conversion.
bool ParseSpec(std::string_view f, std::size_t& pos, ArgCursor& args, Spec& spec)
{
    for (; pos < f.size(); ++pos) {
        const char c = f[pos];
        if (c == '-')
            spec.left = true;
        else if (c == '+')
            spec.plus = true;
        else if (c == ' ')
            spec.space = true;
        else if (c == '#')
            spec.alt = true;
        else if (c == '0')
            spec.zero = true;
        else
            break;
    }
    if (const std::optional<int> width = ReadNumber(f, pos, args)) {
        spec.left = spec.left || *width < 0; // a negative width from "*" means left-justified
        spec.width = *width < 0 ? -*width : *width;
    }
    if (pos < f.size() && f[pos] == '.') {
        ++pos;
        const std::optional<int> precision = ReadNumber(f, pos, args);
        spec.precision = !precision ? 0 : *precision < 0 ? -1 : *precision;
    }
    SkipLengthModifiers(f, pos);
    if (pos >= f.size())
        return false;
    spec.conversion = f[pos];
    return std::string_view("diuxXocCsSfFeEgGp").find(spec.conversion) != std::string_view::npos;
}

} // namespace

std::string FormatArgs(std::string_view format, std::span<const FormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 16 * args.size());
    ArgCursor cursor(args);
    std::size_t pos = 0;
    while (pos < format.size()) {
        const std::size_t percent = format.find('%', pos);
        out.append(format.substr(pos, percent - pos));
        if (percent == std::string_view::npos)
            break;
        if (percent + 1 < format.size() && format[percent + 1] == '%') {
            out.push_back('%');
            pos = percent + 2;
            continue;
        }
        std::size_t end = percent + 1;
        Spec spec;
        if (!ParseSpec(format, end, cursor, spec)) {
            // Not a conversion: the text stands as written.
            end = std::min(end + 1, format.size());
            out.append(format.substr(percent, end - percent));
            pos = end;
            continue;
        }
        if (const FormatArg* a = cursor.Next())
            FormatOne(out, *a, spec);
        pos = end + 1;
    }
    return out;
}

} // namespace text
