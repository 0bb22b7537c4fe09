// platform/base/ini_file.cpp: the INI reader and writer.
#include "platform/base/ini_file.h"

#include "platform/base/paths.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != npos;
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

bool IsQuoted(std::string_view s)
{
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

bool ReadAll(int fd, std::string& out)
{
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        out.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

bool CIniFile::Load(const std::string& path)
{
    Parse({});
    // Opened without waiting: a pipe in a settings file's place would hold the program until
    // someone wrote to it. Only a regular file is read; anything else cannot be.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    struct stat info {};
    std::string content;
    const bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ReadAll(fd, content);
    ::close(fd);
    if (!read)
        return false;
    Parse(content);
    return true;
}

void CIniFile::Parse(std::string_view content)
{
    m_lines.clear();
    m_indexed = false;
    m_modified = false;
    m_bom = content.starts_with(kBom);
    if (m_bom)
        content.remove_prefix(kBom.size());
    const std::size_t firstBreak = content.find('\n');
    m_crlf = firstBreak != npos && firstBreak > 0 && content[firstBreak - 1] == '\r';
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == npos ? content.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        m_lines.push_back(MakeLine(std::string(line)));
    }
}

std::string CIniFile::Text() const
{
    const std::string_view eol = m_crlf ? "\r\n" : "\n";
    std::string out(m_bom ? kBom : std::string_view());
    for (const Line& line : m_lines) {
        out += line.text;
        out += eol;
    }
    return out;
}

bool CIniFile::Save(const std::string& path)
{
    if (!CSafeFile::WriteWhole(path, Text()))
        return false;
    m_modified = false;
    return true;
}

std::optional<std::string> CIniFile::Get(std::string_view section, std::string_view key) const
{
    const std::size_t header = FindSection(section);
    if (header == npos)
        return std::nullopt;
    const std::size_t entry = FindKey(header, key);
    if (entry == npos)
        return std::nullopt;
    return ValueOf(m_lines[entry]);
}

bool CIniFile::HasSection(std::string_view section) const
{
    return FindSection(section) != npos;
}

std::vector<std::string> CIniFile::Sections() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && FindSection(m_lines[i].name) == i)
            names.push_back(m_lines[i].name);
    }
    return names;
}

std::vector<std::string> CIniFile::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    const std::size_t header = FindSection(section);
    if (header == npos)
        return keys;
    for (std::size_t i = header + 1; i < SectionEnd(header); ++i) {
        if (m_lines[i].kind == Kind::Entry && FindKey(header, m_lines[i].name) == i)
            keys.push_back(m_lines[i].name);
    }
    return keys;
}

bool CIniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!IsWritableSection(section) || !IsWritableKey(key) || HasLineBreak(value))
        return false;
    std::size_t header = FindSection(section);
    if (header == npos)
        header = AppendSection(section);
    const std::size_t entry = FindKey(header, key);
    if (entry != npos) {
        Line& line = m_lines[entry];
        if (ValueOf(line) == value)
            return true;
        // Keep the key's spelling and the spacing around "=".
        const std::size_t equals = line.text.find('=');
        std::size_t start = equals + 1;
        while (start < line.text.size() && text::IsSpace(line.text[start]))
            ++start;
        line = MakeLine(line.text.substr(0, start) + Encode(value));
        m_modified = true;
        return true;
    }
    std::size_t after = header;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Entry)
            after = i;
    }
    if (end < m_lines.size())
        m_indexed = false; // the later sections move down
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(after + 1),
                   MakeLine(std::string(key) + "=" + Encode(value)));
    m_modified = true;
    return true;
}

bool CIniFile::AddSection(std::string_view section)
{
    if (!IsWritableSection(section))
        return false;
    if (FindSection(section) == npos)
        AppendSection(section);
    return true;
}

bool CIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    const std::size_t header = FindSection(section);
    if (header == npos)
        return false;
    bool removed = false;
    for (std::size_t i = SectionEnd(header); i-- > header + 1;) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Entry && text::EqualsNoCase(line.name, key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
            m_indexed = false;
            removed = true;
        }
    }
    m_modified = m_modified || removed;
    return removed;
}

bool CIniFile::DeleteSection(std::string_view section)
{
    bool removed = false;
    for (std::size_t header = FindSection(section); header != npos; header = FindSection(section)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
        m_indexed = false;
        removed = true;
    }
    m_modified = m_modified || removed;
    return removed;
}

CIniFile::Line CIniFile::MakeLine(std::string text)
{
    Line line;
    const std::string_view trimmed = text::TrimView(text);
    if (trimmed.starts_with('[') && trimmed.find(']') != npos) {
        line.kind = Kind::Section;
        line.name = text::Trim(trimmed.substr(1, trimmed.find(']') - 1));
    } else if (!trimmed.empty() && trimmed[0] != ';' && trimmed[0] != '#') {
        const std::size_t equals = trimmed.find('=');
        if (equals != npos && equals > 0) {
            line.kind = Kind::Entry;
            line.name = text::Trim(trimmed.substr(0, equals));
        }
    }
    line.text = std::move(text);
    return line;
}

std::string CIniFile::ValueOf(const Line& line)
{
    std::string_view value =
        text::TrimView(std::string_view(line.text).substr(line.text.find('=') + 1));
    if (IsQuoted(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string CIniFile::Encode(std::string_view value)
{
    if (text::TrimView(value).size() != value.size() || IsQuoted(value))
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

bool CIniFile::IsWritableSection(std::string_view section)
{
    return !HasLineBreak(section) && section.find(']') == npos &&
           text::TrimView(section).size() == section.size();
}

bool CIniFile::IsWritableKey(std::string_view key)
{
    return !key.empty() && !HasLineBreak(key) && key.find('=') == npos &&
           key.find_first_of("[;#") != 0 && text::TrimView(key).size() == key.size();
}

std::size_t CIniFile::FindSection(std::string_view section) const
{
    if (!m_indexed) {
        m_sectionIndex.clear();
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].kind == Kind::Section)
                m_sectionIndex.emplace(text::FoldedSortKey(m_lines[i].name), i);
        }
        m_indexed = true;
    }
    const auto found = m_sectionIndex.find(text::FoldedSortKey(section));
    return found == m_sectionIndex.end() ? npos : found->second;
}

std::size_t CIniFile::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

std::size_t CIniFile::FindKey(std::size_t header, std::string_view key) const
{
    for (std::size_t i = header + 1; i < SectionEnd(header); ++i) {
        if (m_lines[i].kind == Kind::Entry && text::EqualsNoCase(m_lines[i].name, key))
            return i;
    }
    return npos;
}

std::size_t CIniFile::AppendSection(std::string_view section)
{
    if (!m_lines.empty() && !text::TrimView(m_lines.back().text).empty())
        m_lines.push_back(MakeLine({}));
    m_lines.push_back(MakeLine("[" + std::string(section) + "]"));
    m_modified = true;
    if (m_indexed)
        m_sectionIndex.emplace(text::FoldedSortKey(m_lines.back().name), m_lines.size() - 1);
    return m_lines.size() - 1;
}
