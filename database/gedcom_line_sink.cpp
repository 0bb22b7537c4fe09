// database/gedcom_line_sink.cpp: GEDCOM lines into the buffered file.
#include "database/gedcom_line_sink.h"

#include "database/buffered_file.h"

#include <string>

namespace {

struct SinkFormat {
    GedcomCharset m_charset = GedcomCharset::Utf8;
    std::string m_lineEnd = "\r\n"; // already in m_charset
    bool m_misfit = false;
    std::string m_text;    // a line composed in UTF-8
    std::string m_encoded; // the same in m_charset
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

/// A UTF-8 line goes straight into the file's buffer, piece by piece, without being composed
/// first; a value without "@" is one piece.
bool WriteUtf8Line(const SinkFormat& f, std::string_view line, std::string_view value)
{
    if (!WriteGedcomOutput(line))
        return false;
    for (std::size_t at = value.find('@'); at != std::string_view::npos; at = value.find('@')) {
        if (!WriteGedcomOutput(value.substr(0, at + 1)) || !WriteGedcomOutput("@"))
            return false;
        value.remove_prefix(at + 1);
    }
    return WriteGedcomOutput(value) && WriteGedcomOutput(f.m_lineEnd);
}

} // namespace

bool WriteGedcomLine(std::string_view line, std::string_view value)
{
    SinkFormat& f = Format();
    if (f.m_charset == GedcomCharset::Utf8)
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

void SetGedcomLineFormat(GedcomCharset charset, std::string_view lineEnd)
{
    SinkFormat& f = Format();
    f.m_charset = charset;
    f.m_lineEnd.clear();
    EncodeGedcomText(charset, lineEnd, f.m_lineEnd);
    f.m_misfit = false;
}

bool GedcomLineDidNotFit()
{
    return Format().m_misfit;
}
