// bench/generator/gedcom_line_buffer.cpp: line formatting and block writes.
#include "bench/generator/gedcom_line_buffer.h"

#include "bench/generator/record_text.h"

#include <ostream>

namespace {

constexpr std::size_t kBlockSize = std::size_t(1) << 20;

} // namespace

CGedcomLineBuffer::CGedcomLineBuffer(std::ostream& out) : m_out(out)
{
    m_buffer.reserve(kBlockSize + 4096);
}

void CGedcomLineBuffer::Line(int level, std::string_view tag, std::string_view value)
{
    AppendNumber(m_buffer, level);
    m_buffer.push_back(' ');
    Append(tag);
    if (!value.empty()) {
        m_buffer.push_back(' ');
        Append(value);
    }
    EndLine();
}

void CGedcomLineBuffer::Pointer(int level, std::string_view tag, char kind, std::int64_t number)
{
    AppendNumber(m_buffer, level);
    m_buffer.push_back(' ');
    Append(tag);
    m_buffer.push_back(' ');
    AppendId(kind, number);
    EndLine();
}

void CGedcomLineBuffer::Record(char kind, std::int64_t number, std::string_view tag,
                               std::string_view value)
{
    Append("0 ");
    AppendId(kind, number);
    m_buffer.push_back(' ');
    Append(tag);
    if (!value.empty()) {
        m_buffer.push_back(' ');
        Append(value);
    }
    EndLine();
}

void CGedcomLineBuffer::Flush()
{
    m_out.write(m_buffer.data(), std::streamsize(m_buffer.size()));
    m_written += std::int64_t(m_buffer.size());
    m_buffer.clear();
}

void CGedcomLineBuffer::AppendId(char kind, std::int64_t number)
{
    m_buffer.push_back('@');
    m_buffer.push_back(kind);
    AppendNumber(m_buffer, number);
    m_buffer.push_back('@');
}

void CGedcomLineBuffer::EndLine()
{
    Append("\r\n");
    ++m_lines;
    if (m_buffer.size() >= kBlockSize)
        Flush();
}
