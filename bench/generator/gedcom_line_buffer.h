// bench/generator/gedcom_line_buffer.h: GEDCOM lines gathered in a large buffer and written in
// blocks.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

/// Formats "level [@xref@] tag [value]" lines ended by CR LF and hands them to the stream a
/// megabyte at a time, which is what keeps a million-person file to a few seconds. Values are
/// written as they are: the generator's texts hold no "@".
class CGedcomLineBuffer {
public:
    explicit CGedcomLineBuffer(std::ostream& out);

    /// "level tag" or "level tag value".
    void Line(int level, std::string_view tag, std::string_view value = {});
    /// "level tag @Kn@": a pointer to record n (counted from 1) of the kind whose ids start with
    /// kind.
    void Pointer(int level, std::string_view tag, char kind, std::int64_t number);
    /// "0 @Kn@ tag" or "0 @Kn@ tag value": the first line of a record.
    void Record(char kind, std::int64_t number, std::string_view tag, std::string_view value = {});
    /// Writes what is buffered to the stream.
    void Flush();

    std::int64_t Lines() const { return m_lines; }
    std::int64_t Bytes() const { return m_written + std::int64_t(m_buffer.size()); }

private:
    void Append(std::string_view text) { m_buffer.append(text); }
    void AppendId(char kind, std::int64_t number);
    void EndLine();

    std::ostream& m_out;
    std::string m_buffer;
    std::int64_t m_lines = 0;
    std::int64_t m_written = 0;
};
