// platform/base/ini_file.cpp: the INI reader and writer.
#include "platform/base/ini_file.h"

#include "platform/base/paths.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"

#include <cerrno>
#include <cstring>
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

CIniFile::CIniFile(const CIniFile& other)
    : m_lines(other.m_lines), m_crlf(other.m_crlf), m_bom(other.m_bom), m_modified(other.m_modified)
{
}

CIniFile& CIniFile::operator=(const CIniFile& other)
{
    if (this != &other) {
        CIniFile copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CIniFile::CIniFile(CIniFile&& other) noexcept
    : m_lines(std::move(other.m_lines)), m_crlf(other.m_crlf), m_bom(other.m_bom),
      m_modified(other.m_modified)
{
    other.m_lines.clear();
    other.m_indexed = false;
}

CIniFile& CIniFile::operator=(CIniFile&& other) noexcept
{
    if (this != &other) {
        m_lines = std::move(other.m_lines);
        m_crlf = other.m_crlf;
        m_bom = other.m_bom;
        m_modified = other.m_modified;
        m_indexed = false;
        other.m_lines.clear();
        other.m_indexed = false;
    }
    return *this;
}

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
    const std::size_t firstLf = content.find('\n');
    m_crlf = firstLf != npos && firstLf > 0 && content[firstLf - 1] == '\r';
    // A line ends at CR LF, LF or a CR alone, as GEDCOM lines do: a CR inside a value would
    // otherwise be read but could never be written back.
    while (!content.empty()) {
        const std::size_t end = content.find_first_of("\r\n");
        m_lines.push_back(MakeLine(std::string(content.substr(0, end))));
        if (end == npos)
            break;
        const bool pair =
            content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n';
        content.remove_prefix(end + (pair ? 2 : 1));
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

bool CIniFile::Save(const std::string& path, std::string* error)
{
    int osError = 0;
    if (!CSafeFile::WriteWhole(path, Text(), &osError)) {
        if (error)
            *error = osError ? std::strerror(osError) : "The file could not be written.";
        return false;
    }
    m_modified = false;
    return true;
}

std::optional<std::string> CIniFile::Get(std::string_view section, std::string_view key) const
{
    const Section* found = FindSection(section);
    const Line* line = found ? FindKey(*found, key) : nullptr;
    if (!line)
        return std::nullopt;
    return ValueOf(*line);
}

bool CIniFile::HasSection(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

std::vector<std::string> CIniFile::Sections() const
{
    std::vector<std::string> names;
    for (const Line& line : m_lines) {
        if (line.kind != Kind::Section)
            continue;
        const Section* first = FindSection(line.name);
        if (&*first->header == &line)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> CIniFile::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    const Section* found = FindSection(section);
    if (!found)
        return keys;
    for (auto it = std::next(Lines::const_iterator(found->header));
         it != m_lines.end() && it->kind != Kind::Section; ++it) {
        if (it->kind == Kind::Entry && FindKey(*found, it->name) == &*it)
            keys.push_back(it->name);
    }
    return keys;
}

bool CIniFile::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!IsWritableSection(section) || !IsWritableKey(key) || HasLineBreak(value))
        return false;
    Section* found = FindSection(section);
    if (!found)
        found = &AppendSection(section);
    std::vector<LineIt>& lines = found->keys[text::FoldedSortKey(key)];
    if (!lines.empty()) {
        Line& line = *lines.front();
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
    found->lastEntry = m_lines.insert(std::next(found->lastEntry),
                                      MakeLine(std::string(key) + "=" + Encode(value)));
    lines.push_back(found->lastEntry);
    m_modified = true;
    return true;
}

std::string CIniFile::Unwritable(std::string_view section, std::string_view key,
                                 std::string_view value)
{
    if (!IsWritableSection(section))
        return "The section name [" + std::string(section) + "] cannot be written in an INI file.";
    if (!IsWritableKey(key))
        return "The key \"" + std::string(key) + "\" in [" + std::string(section) +
               "] cannot be written in an INI file.";
    if (HasLineBreak(value))
        return "The value of \"" + std::string(key) + "\" in [" + std::string(section) +
               "] holds a line break, which an INI file cannot hold in a value.";
    return {};
}

bool CIniFile::AddSection(std::string_view section)
{
    if (!IsWritableSection(section))
        return false;
    if (!FindSection(section))
        AppendSection(section);
    return true;
}

bool CIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    Section* found = FindSection(section);
    if (!found)
        return false;
    const auto entry = found->keys.find(text::FoldedSortKey(key));
    if (entry == found->keys.end() || entry->second.empty())
        return false;
    // From the last line back, so that the section's last key line steps back over the others.
    for (auto it = entry->second.rbegin(); it != entry->second.rend(); ++it) {
        if (*it == found->lastEntry) {
            LineIt previous = *it;
            do
                --previous;
            while (previous != found->header && previous->kind != Kind::Entry);
            found->lastEntry = previous;
        }
        m_lines.erase(*it);
    }
    found->keys.erase(entry);
    m_modified = true;
    return true;
}

bool CIniFile::DeleteSection(std::string_view section)
{
    bool removed = false;
    for (Section* found = FindSection(section); found; found = FindSection(section)) {
        LineIt end = std::next(found->header);
        while (end != m_lines.end() && end->kind != Kind::Section)
            ++end;
        m_lines.erase(found->header, end);
        m_indexed = false; // a later section of the name becomes the first
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

void CIniFile::BuildIndex()
{
    m_sections.clear();
    Section* current = nullptr; // the section being read when it is the first of its name
    for (LineIt it = m_lines.begin(); it != m_lines.end(); ++it) {
        if (it->kind == Kind::Section) {
            const auto [entry, added] = m_sections.try_emplace(text::FoldedSortKey(it->name));
            current = added ? &entry->second : nullptr;
            if (current)
                current->header = current->lastEntry = it;
        } else if (it->kind == Kind::Entry && current) {
            current->keys[text::FoldedSortKey(it->name)].push_back(it);
            current->lastEntry = it;
        }
    }
    m_indexed = true;
}

CIniFile::Section* CIniFile::FindSection(std::string_view section) const
{
    // The index refers to the lines, which a const file does not change.
    if (!m_indexed)
        const_cast<CIniFile*>(this)->BuildIndex();
    const auto found = m_sections.find(text::FoldedSortKey(section));
    return found == m_sections.end() ? nullptr : &found->second;
}

const CIniFile::Line* CIniFile::FindKey(const Section& section, std::string_view key) const
{
    const auto found = section.keys.find(text::FoldedSortKey(key));
    return found == section.keys.end() || found->second.empty() ? nullptr : &*found->second.front();
}

CIniFile::Section& CIniFile::AppendSection(std::string_view section)
{
    if (!m_lines.empty() && !text::TrimView(m_lines.back().text).empty())
        m_lines.push_back(MakeLine({}));
    m_lines.push_back(MakeLine("[" + std::string(section) + "]"));
    m_modified = true;
    FindSection(section); // the index is built before the new section joins it
    Section& added = m_sections[text::FoldedSortKey(m_lines.back().name)];
    added.header = added.lastEntry = std::prev(m_lines.end());
    return added;
}
