// database/gedcom/gedcom_line_sink.cpp: GEDCOM lines into the buffered file.
#include "database/gedcom/gedcom_line_sink.h"

#include "database/gedcom/buffered_file.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct SinkFormat {
    GedcomCharset m_charset = GedcomCharset::Utf8;
    bool m_asciiAsIs = true;        // ASCII text is written as it is (every set but UTF-16)
    std::string m_lineEnd = "\r\n"; // already in m_charset
    bool m_misfit = false;
    std::string m_text;              // a line composed in UTF-8
    std::string m_encoded;           // the same in m_charset
    std::vector<std::string> m_held; // held lines, outermost first
    std::size_t m_heldWritten = 0;   // how many of them, from the first, are written
};

SinkFormat& Format()
{
    static SinkFormat format;
    return format;
}

/// Appends value to out with every "@" doubled.
void AppendEscaped(std::string& out, std::string_view value)
{
    for (std::size_t at = value.find('@'); at != std::string_view::npos; at = value.find('@')) {
        out.append(value.substr(0, at + 1));
        out += '@';
        value.remove_prefix(at + 1);
    }
    out.append(value);
}

/// A UTF-8 line is composed whole and handed to the file's buffer at once.
bool WriteUtf8Line(SinkFormat& f, std::string_view line, std::string_view value)
{
    std::string& text = f.m_text;
    text.assign(line);
    AppendEscaped(text, value);
    text += f.m_lineEnd;
    return WriteGedcomOutput(text);
}

bool WriteLine(SinkFormat& f, std::string_view line, std::string_view value)
{
    if (f.m_charset == GedcomCharset::Utf8 ||
        (f.m_asciiAsIs && GedcomTextIsAscii(line) && GedcomTextIsAscii(value)))
        return WriteUtf8Line(f, line, value);
    std::string& text = f.m_text;
    text.assign(line);
    AppendEscaped(text, value);
    f.m_encoded.clear();
    if (!EncodeGedcomText(f.m_charset, text, f.m_encoded)) {
        f.m_misfit = true;
        return false;
    }
    f.m_encoded += f.m_lineEnd;
    return WriteGedcomOutput(f.m_encoded);
}

/// Writes the held lines not yet written; false when the output failed.
bool WriteHeldLines(SinkFormat& f)
{
    while (f.m_heldWritten < f.m_held.size()) {
        const std::string& line = f.m_held[f.m_heldWritten++];
        if (!WriteLine(f, line, {}))
            return false;
    }
    return true;
}

} // namespace

bool WriteGedcomLine(std::string_view line, std::string_view value)
{
    SinkFormat& f = Format();
    if (f.m_heldWritten < f.m_held.size() && !WriteHeldLines(f))
        return false;
    return WriteLine(f, line, value);
}

bool WriteGedcomTagLine(int level, std::string_view tag, std::string_view rest,
                        std::string_view value)
{
    SinkFormat& f = Format();
    if (f.m_heldWritten < f.m_held.size() && !WriteHeldLines(f))
        return false;
    char digits[16];
    const std::size_t digitCount =
        std::size_t(std::to_chars(digits, digits + sizeof digits, level).ptr - digits);
    if (f.m_charset == GedcomCharset::Utf8 ||
        (f.m_asciiAsIs && GedcomTextIsAscii(tag) && GedcomTextIsAscii(rest) &&
         GedcomTextIsAscii(value))) {
        std::size_t ats = 0;
        for (std::size_t at = value.find('@'); at != std::string_view::npos;
             at = value.find('@', at + 1))
            ++ats;
        const std::size_t size =
            digitCount + 1 + tag.size() + rest.size() + value.size() + ats + f.m_lineEnd.size();
        if (char* out = TakeWriteRoom(size)) {
            const auto put = [&out](std::string_view piece) {
                if (!piece.empty())
                    std::memcpy(out, piece.data(), piece.size());
                out += piece.size();
            };
            put({digits, digitCount});
            *out++ = ' ';
            put(tag);
            put(rest);
            for (std::size_t at; ats > 0 && (at = value.find('@')) != std::string_view::npos;
                 --ats) {
                put(value.substr(0, at + 1));
                *out++ = '@';
                value.remove_prefix(at + 1);
            }
            put(value);
            put(f.m_lineEnd);
            return true;
        }
    }
    std::string line(digits, digitCount);
    line += ' ';
    line += tag;
    line += rest;
    return WriteLine(f, line, value);
}

void HoldGedcomTagLine(int level, std::string_view tag, std::string_view rest)
{
    std::string line;
    StartGedcomLine(line, level, tag);
    line += rest;
    Format().m_held.push_back(std::move(line));
}

bool ReleaseGedcomTagLine()
{
    SinkFormat& f = Format();
    if (f.m_held.empty())
        return false;
    f.m_held.pop_back();
    const bool written = f.m_heldWritten > f.m_held.size();
    f.m_heldWritten = std::min(f.m_heldWritten, f.m_held.size());
    return written;
}

void StartGedcomLine(std::string& line, int level, std::string_view tag)
{
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, level).ptr;
    line.assign(digits, std::size_t(end - digits));
    line += ' ';
    line += tag;
}

void SetGedcomLineFormat(GedcomCharset charset, std::string_view lineEnd)
{
    SinkFormat& f = Format();
    f.m_charset = charset;
    f.m_asciiAsIs = charset != GedcomCharset::Utf16Le && charset != GedcomCharset::Utf16Be;
    f.m_lineEnd.clear();
    EncodeGedcomText(charset, lineEnd, f.m_lineEnd);
    f.m_misfit = false;
}

bool GedcomLineDidNotFit()
{
    return Format().m_misfit;
}
