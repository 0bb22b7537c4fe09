// reports/rpt_sink.cpp: escaping of report text per output format.
#include "reports/rpt_sink.h"

#include <array>
#include <charconv>
#include <iterator>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

/// The code point at position (moving position past it); kReplacement for one byte that does
/// not start a valid UTF-8 sequence.
char32_t NextCodePoint(std::string_view text, std::size_t& position)
{
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) {
        ++position;
        return lead;
    }
    const std::size_t length = (lead >> 5) == 0x06   ? 2
                               : (lead >> 4) == 0x0E ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    char32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    if (length == 0 || position + length > text.size()) {
        ++position;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[position + k]);
        if ((next & 0xC0) != 0x80) {
            ++position;
            return kReplacement;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++position;
        return kReplacement;
    }
    position += length;
    return code;
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool IsDroppedControl(char32_t code)
{
    return (code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0x7F;
}

void AppendRtfUnit(std::string& out, unsigned unit)
{
    // RTF writes \u with a signed 16-bit number; the fallback for readers without Unicode is
    // "?" written as \'3f, which no reader takes for the start of a word.
    out += "\\u";
    AppendRptNumber(out, static_cast<short>(unit));
    out += "\\'3f";
}

void AppendHtml(std::string& out, char32_t code)
{
    switch (code) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    default:
        AppendUtf8(out, code);
        break;
    }
}

void AppendRtf(std::string& out, char32_t code)
{
    switch (code) {
    case '\\':
    case '{':
    case '}':
        out += '\\';
        out += char(code);
        break;
    case '\t':
        out += "\\tab ";
        break;
    case '\n':
        out += "\\line ";
        break;
    default:
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x10000) {
            AppendRtfUnit(out, unsigned(code));
        } else {
            const char32_t offset = code - 0x10000;
            AppendRtfUnit(out, unsigned(0xD800 + (offset >> 10)));
            AppendRtfUnit(out, unsigned(0xDC00 + (offset & 0x3FF)));
        }
        break;
    }
}

/// Plain text: CR LF, LF CR and a lone CR become LF.
void AppendPlainLines(std::string_view text, std::string& out)
{
    out.reserve(out.size() + text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] != c && (text[i + 1] == '\r' || text[i + 1] == '\n'))
            ++i;
    }
}

/// Bytes every format writes as they stand: printable ASCII but for the characters HTML or
/// RTF escape. Most report texts hold nothing else, and are written without being copied.
constexpr std::array<bool, 256> kPlainBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[std::size_t(c)] =
            c != '&' && c != '<' && c != '>' && c != '"' && c != '\\' && c != '{' && c != '}';
    return plain;
}();

/// Whether the format writes text unchanged.
bool PassesUnchanged(int kind, std::string_view text)
{
    if (kind != kRptHtml && kind != kRptRtf)
        return text.find('\r') == std::string_view::npos;
    for (const char c : text) {
        if (!kPlainBytes[static_cast<unsigned char>(c)])
            return false;
    }
    return true;
}

/// Appends the escaped form of text for the format to out.
void AppendEscapedRptText(int kind, std::string_view text, std::string& out)
{
    if (kind != kRptHtml && kind != kRptRtf)
        return AppendPlainLines(text, out);
    out.reserve(out.size() + text.size() + text.size() / 8);
    for (std::size_t position = 0; position < text.size();) {
        // Bytes that stand as they are go in runs.
        std::size_t run = position;
        while (run < text.size() && kPlainBytes[static_cast<unsigned char>(text[run])])
            ++run;
        out.append(text.substr(position, run - position));
        position = run;
        if (position == text.size())
            break;
        const std::size_t start = position;
        char32_t code = NextCodePoint(text, position);
        if (IsDroppedControl(code))
            continue;
        if (code == '\r' && kind == kRptRtf) {
            if (position < text.size() && text[position] == '\n')
                continue; // CR LF is one break
            code = '\n';
        }
        if (kind != kRptHtml)
            AppendRtf(out, code);
        else if (position - start > 1)
            out.append(text.substr(start, position - start)); // valid UTF-8 stands as it is
        else
            AppendHtml(out, code);
    }
}

} // namespace

void AppendRptNumber(std::string& out, int number)
{
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    out.append(digits, end);
}

std::string EscapeRptText(int kind, std::string_view text)
{
    std::string out;
    AppendEscapedRptText(kind, text, out);
    return out;
}

void CRptSink::Text(std::string_view text)
{
    if (PassesUnchanged(m_kind, text))
        return Put(text);
    m_escaped.clear();
    AppendEscapedRptText(m_kind, text, m_escaped);
    Put(m_escaped);
}
