// queries/query_file.cpp: The query file: "[Ardenvel Query]" and then one key=value item per line.
#include "queries/query_def.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "platform/base/file.h"
#include "platform/base/paths.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"
#include "queries/detail/query_line.h"

#include <algorithm>
#include <filesystem>

using namespace query_line;

namespace {

constexpr const char* kHeader = "[Ardenvel Query]";
/// The mark some editors put at the start of a UTF-8 file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
/// The longest piece of a description paragraph on one line.
constexpr std::size_t kDescriptionPiece = 75;

enum QueryKey {
    KEY_VERSION,
    KEY_TYPE,
    KEY_ATTR,
    KEY_DESC,
    KEY_TITLE,
    KEY_SUBTITLE,
    KEY_ORIENTATION,
    KEY_MULTIPAGE,
    KEY_TAG,
    KEY_FILTER,
    KEY_NONE
};

constexpr const char* kKeys[] = {"VERSION", "TYPE",     "ATTR",        "DESC",
                                 "TITLE",   "SUBTITLE", "ORIENTATION", "MULTIPAGE_HANDLING",
                                 "TAG",     "FILTER"};

constexpr const char* kMultiPageWords[] = {"DOWN_FIRST", "ACROSS_FIRST", "ACROSS_ONE_MAX"};

/// The key a line begins with, and position after "=" and the white space behind it.
QueryKey FindKey(std::string_view line, std::size_t& position)
{
    for (int key = 0; key < KEY_NONE; ++key) {
        std::size_t at = 0;
        if (!TakeKeyword(line, at, kKeys[key]))
            continue;
        SkipSpace(line, at);
        if (at < line.size() && line[at] == '=') {
            position = at + 1;
            SkipSpace(line, position);
            return QueryKey(key);
        }
    }
    return KEY_NONE;
}

/// Whether line is a key, "=" and a value.
bool StartsItem(std::string_view line)
{
    std::size_t position = 0;
    return FindKey(line, position) != KEY_NONE;
}

/// The lines of content. A line ends at a line feed, a carriage return or the two together,
/// so that a file keeps every item whichever system wrote its line ends.
std::vector<std::string_view> SplitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(content.substr(start));
            break;
        }
        lines.push_back(content.substr(start, end - start));
        const bool pair =
            content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n';
        start = end + (pair ? 2 : 1);
    }
    return lines;
}

/// The paragraphs of a description, cut at every line break (CR, LF, CR LF or LF CR).
std::vector<std::string_view> SplitParagraphs(std::string_view text)
{
    std::vector<std::string_view> paragraphs;
    if (text.empty())
        return paragraphs;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        paragraphs.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') &&
            text[i + 1] != text[i])
            ++i;
        start = i + 1;
    }
    paragraphs.push_back(text.substr(start));
    return paragraphs;
}

/// The whole of the file at path; false when no regular file is there (a folder reads as
/// nothing, a pipe may never end: the file class refuses both when it opens them, without
/// waiting) or reading stops before the end, so that no query is read from part of its file.
bool ReadWholeFile(const std::string& path, std::string& content)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
        return false;
    try {
        char buffer[16384];
        while (const UINT got = file.Read(buffer, sizeof buffer))
            content.append(buffer, got);
    } catch (const CFileException&) {
        return false;
    }
    return true;
}

/// The size and modification time of the regular file at path; false when there is none.
bool ReadFileStamp(const std::string& path, std::uintmax_t& size, std::int64_t& time)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    size = std::filesystem::file_size(path, error);
    const auto written = std::filesystem::last_write_time(path, error);
    time = std::int64_t(written.time_since_epoch().count());
    return !error;
}

bool ValidSort(int sort)
{
    return sort == QCS_NONE || sort == QCS_ASCENDING || sort == QCS_DESCENDING;
}

} // namespace

/// Reads the lines of a query file into a query.
class CQueryFileReader {
public:
    explicit CQueryFileReader(CQueryDef& query) : m_query(query) {}

    /// False, with error set, when the file is not a query file.
    bool Read(std::string_view content, std::string& error)
    {
        if (content.starts_with(kByteOrderMark))
            content.remove_prefix(kByteOrderMark.size());
        const std::vector<std::string_view> lines = SplitLines(content);
        m_closedBefore = std::size_t(lines.rend() - std::find(lines.rbegin(), lines.rend(), "."));
        bool header = false;
        for (std::size_t i = 0; i < lines.size();) {
            const std::string_view line = lines[i++];
            if (line.empty() || line.front() == ';')
                continue;
            if (!header) {
                if (!text::EqualsNoCase(text::TrimView(line), kHeader)) {
                    error = "File is not a valid Ardenvel Query file";
                    return false;
                }
                header = true;
                continue;
            }
            std::size_t position = 0;
            const QueryKey key = FindKey(line, position);
            if (key == KEY_DESC)
                i = ReadDescription(lines, i);
            else if (key != KEY_NONE)
                ReadItem(key, line, position);
        }
        if (!header)
            error = "File is not a valid Ardenvel Query file";
        return header;
    }

private:
    /// Takes the block of lines from first up to the line "." as one paragraph; answers the
    /// index of the line after the block. Block lines are taken as they stand, whatever they
    /// begin with; a line that begins with ".." stands for one that begins with ".". A block
    /// that the file ends without its "." closes before its first line that reads as an item,
    /// so that the items after a lost end line are kept.
    std::size_t ReadDescription(const std::vector<std::string_view>& lines, std::size_t first)
    {
        if (m_hasParagraph)
            m_query.m_description += "\r\n";
        m_hasParagraph = true;
        const bool closed = first < m_closedBefore;
        std::size_t i = first;
        for (; i < lines.size() && (closed ? lines[i] != "." : !StartsItem(lines[i])); ++i) {
            std::string_view piece = lines[i];
            if (piece.starts_with(".."))
                piece.remove_prefix(1);
            m_query.m_description += piece;
        }
        return closed ? i + 1 : i;
    }

    void ReadItem(QueryKey key, std::string_view line, std::size_t position)
    {
        const std::string_view value = line.substr(position);
        switch (key) {
        case KEY_VERSION: {
            std::size_t at = 0;
            m_query.m_versionMajor = ReadLeadingNumber(value, at);
            const std::size_t dot = value.find('.');
            std::size_t minor = dot + 1;
            m_query.m_versionMinor =
                dot == std::string_view::npos ? 0 : ReadLeadingNumber(value, minor);
            break;
        }
        case KEY_TYPE:
            m_query.m_recordType = FindRecordDefByTag(text::TrimView(value));
            break;
        case KEY_ATTR:
            if (std::size_t at = 0; TakeKeyword(value, at, "READ_ONLY"))
                m_query.m_readOnly = true;
            break;
        case KEY_TITLE:
        case KEY_SUBTITLE:
            ReadHeading(key == KEY_TITLE ? m_query.m_title : m_query.m_subtitle, value);
            break;
        case KEY_ORIENTATION:
            if (std::size_t at = 0; TakeKeyword(value, at, "PORTRAIT"))
                m_query.m_orientation = QOR_PORTRAIT;
            else
                m_query.m_orientation = QOR_LANDSCAPE;
            break;
        case KEY_MULTIPAGE:
            m_query.m_multiPage = QMP_DOWN_FIRST;
            for (int handling : {QMP_ACROSS_FIRST, QMP_ACROSS_ONE_MAX}) {
                if (std::size_t at = 0; TakeKeyword(value, at, kMultiPageWords[handling]))
                    m_query.m_multiPage = handling;
            }
            break;
        case KEY_TAG:
            if (auto column = ReadColumn(value))
                m_query.m_columns.push_back(std::move(column));
            break;
        case KEY_FILTER:
            if (auto filter = ReadFilter(value))
                m_query.m_filters.push_back(std::move(filter));
            break;
        default:
            break;
        }
    }

    static void ReadHeading(CQueryHeading& heading, std::string_view value)
    {
        std::string text;
        std::size_t position = 0;
        if (ReadQuoted(value, position, text))
            heading.SetText(std::move(text));
    }

    /// A quoted heading and reference, then optionally "HIDDEN", a sort and a width.
    static std::unique_ptr<CQueryColumn> ReadColumn(std::string_view value)
    {
        auto column = std::make_unique<CQueryColumn>();
        std::string refText;
        std::size_t position = 0;
        if (!ReadQuoted(value, position, column->m_heading) || !SkipComma(value, position) ||
            !ReadQuoted(value, position, refText) || refText.empty() ||
            !column->m_ref.SetText(refText))
            return nullptr;
        SkipComma(value, position);
        const std::string_view hidden = ReadField(value, position);
        if (!hidden.empty()) {
            if (std::size_t at = 0; !TakeKeyword(hidden, at, "HIDDEN"))
                return nullptr;
            column->m_hidden = true;
        }
        SkipComma(value, position);
        const std::string_view sort = ReadField(value, position);
        std::size_t at = 0;
        if (TakeKeyword(sort, at, "ASC"))
            column->m_sort = QCS_ASCENDING;
        else if (at = 0; TakeKeyword(sort, at, "DESC"))
            column->m_sort = QCS_DESCENDING;
        else if (!sort.empty())
            return nullptr;
        SkipComma(value, position);
        const std::string_view width = ReadField(value, position);
        if (std::size_t at = 0; !width.empty() && width.front() >= '0' && width.front() <= '9')
            column->m_width = ReadLeadingNumber(width, at);
        return column;
    }

    /// The trimmed text up to the next comma or the end.
    static std::string_view ReadField(std::string_view value, std::size_t& position)
    {
        const std::size_t end = std::min(value.find(',', position), value.size());
        const std::string_view field = text::TrimView(value.substr(position, end - position));
        position = end;
        return field;
    }

    std::unique_ptr<CAvFilter> ReadFilter(std::string_view value)
    {
        auto filter = NewFilterOfKind(value, &m_query);
        std::size_t position = std::min<std::size_t>(3, value.size());
        if (!filter || !SkipComma(value, position) || !filter->Load(value, position))
            return nullptr;
        return filter;
    }

    CQueryDef& m_query;
    bool m_hasParagraph = false;
    /// A description block that starts before this line has its line ".".
    std::size_t m_closedBefore = 0;
};

/// Writes a query as the lines of its file, each ended by a carriage return and a line feed.
class CQueryFileWriter {
public:
    CQueryFileWriter(const CQueryDef& query, bool asCustom) : m_query(query), m_asCustom(asCustom)
    {
    }

    /// False when a part of the query cannot be written so that it reads back the same.
    bool Write(std::string& out) const
    {
        const CQueryDef& q = m_query;
        if (!q.m_recordType || !FitsOneLine(q.m_title.GetText()) ||
            !FitsOneLine(q.m_subtitle.GetText()) || q.m_multiPage < QMP_DOWN_FIRST ||
            q.m_multiPage > QMP_ACROSS_ONE_MAX)
            return false;
        out = std::string(kHeader) + "\r\n";
        out += "VERSION=1.0\r\n";
        out += "TYPE=" + std::string(q.m_recordType->GetGedcomTag()) + "\r\n";
        if (q.m_readOnly && !m_asCustom)
            out += "ATTR=READ_ONLY\r\n";
        for (std::string_view paragraph : SplitParagraphs(q.m_description))
            WriteParagraph(out, paragraph);
        out += "TITLE=" + Quote(q.m_title.GetText()) + "\r\n";
        out += "SUBTITLE=" + Quote(q.m_subtitle.GetText()) + "\r\n";
        out += std::string("ORIENTATION=") +
               (q.m_orientation == QOR_PORTRAIT ? "PORTRAIT" : "LANDSCAPE") + "\r\n";
        out += std::string("MULTIPAGE_HANDLING=") + kMultiPageWords[q.m_multiPage] + "\r\n";
        for (const auto& column : q.m_columns) {
            if (!WriteColumn(out, *column))
                return false;
        }
        for (const auto& filter : q.m_filters) {
            if (!filter->Save(out))
                return false;
            out += "\r\n";
        }
        return true;
    }

private:
    /// "DESC=", the paragraph in pieces of at most 75 bytes (never cutting a character), and
    /// ".". A piece that begins with "." gets one more, so that no piece reads as the end.
    static void WriteParagraph(std::string& out, std::string_view paragraph)
    {
        out += "DESC=\r\n";
        while (!paragraph.empty()) {
            std::size_t length = text::Utf8Boundary(paragraph, kDescriptionPiece);
            if (length == 0)
                length = std::min(paragraph.size(), kDescriptionPiece);
            const std::string_view piece = paragraph.substr(0, length);
            if (piece.starts_with('.'))
                out += ".";
            out += piece;
            out += "\r\n";
            paragraph.remove_prefix(length);
        }
        out += ".\r\n";
    }

    static bool WriteColumn(std::string& out, const CQueryColumn& column)
    {
        std::string refText;
        column.m_ref.Format(refText);
        if (refText.empty() || !FitsOneLine(refText) || !FitsOneLine(column.m_heading) ||
            column.m_width < 0 || !ValidSort(column.m_sort))
            return false;
        out += "TAG=" + Quote(column.m_heading) + "," + Quote(refText);
        if (column.m_hidden || column.m_sort != QCS_NONE || column.m_width != kDefaultColumnWidth) {
            out += column.m_hidden ? ",HIDDEN," : ",,";
            out += column.m_sort == QCS_ASCENDING    ? "ASC"
                   : column.m_sort == QCS_DESCENDING ? "DESC"
                                                     : "";
            out += "," + std::to_string(column.m_width);
        }
        out += "\r\n";
        return true;
    }

    const CQueryDef& m_query;
    bool m_asCustom;
};

bool CQueryDef::Load(std::string_view name, bool custom, std::string& error,
                     const std::string* path)
{
    RemoveAll(false);
    m_custom = custom;
    const std::string filePath =
        path ? *path : BuildQueryFolderPath(true, custom) + std::string(name) + ".avq";
    std::string content;
    if (!ReadWholeFile(filePath, content)) {
        error = text::Format("Unable to open query '%s'.", std::string(name));
        RemoveAll(false);
        return false;
    }
    m_name = name;
    m_path = filePath;
    TakeFileStamp(filePath);
    error.clear();
    CQueryFileReader reader(*this);
    const bool read = reader.Read(content, error);
    if (!custom)
        m_readOnly = true;
    if (!read || !m_recordType) {
        RemoveAll(false);
        m_custom = custom;
        if (error.empty())
            error = "Invalid data in query - cannot load";
        return false;
    }
    m_new = false;
    m_dirty = false;
    return true;
}

void CQueryDef::TakeFileStamp(const std::string& path)
{
    m_fileStamped = ReadFileStamp(path, m_fileSize, m_fileTime);
}

bool CQueryDef::IsFileChangedOnDisk(const std::string& path) const
{
    std::error_code error;
    if (!m_fileStamped || !std::filesystem::exists(path, error))
        return false;
    std::uintmax_t size = 0;
    std::int64_t time = 0;
    return !ReadFileStamp(path, size, time) || size != m_fileSize || time != m_fileTime;
}

QueryFileOutcome CQueryDef::Save(const std::string* newName, bool asCustom, bool replaceChanged)
{
    const bool custom = m_custom || asCustom;
    const std::string name = newName ? *newName : m_name;
    if (std::string problem = QueryNameProblem(name); !problem.empty())
        return QueryFileOutcome::Refused(std::move(problem));
    const std::string path = BuildQueryFolderPath(true, custom) + name + ".avq";
    const bool renaming = newName && !text::EqualsNoCase(*newName, m_name);
    if ((m_new || renaming) && paths::Exists(path))
        return QueryFileOutcome::Refused(
            "A query with this name already exists.  Please choose another name.");
    if (!replaceChanged && !m_new && path == m_path && IsFileChangedOnDisk(path))
        return {false,
                text::Format("The query file %s has been changed by another program since it "
                             "was read.\n\nDo you want to replace it with this query?  If you "
                             "answer No, the file is kept as it is and this change is not saved "
                             "to it.",
                             path),
                true};
    const std::string writeError = m_new ? "An error has occurred - cannot create query"
                                         : "An error has occurred - cannot save changes to query";
    std::string content;
    if (!CQueryFileWriter(*this, asCustom).Write(content))
        return QueryFileOutcome::Refused(writeError);
    // The user's queries folder is made when the first query is saved.
    paths::MakeDirectories(BuildQueryFolderPath(false, custom));
    CSafeFile file;
    if (!file.OpenBeside(path))
        return QueryFileOutcome::Refused(
            m_new ? text::Format("Unable to create query as '%s'.", name)
                  : text::Format("Unable to save changes to query '%s'.", name));
    try {
        file.Write(content.data(), UINT(content.size()));
        if (!file.Commit())
            throw CFileException();
    } catch (const CFileException&) {
        file.Discard();
        return QueryFileOutcome::Refused(writeError);
    }
    m_name = name;
    m_path = path;
    TakeFileStamp(path);
    if (asCustom) {
        m_custom = true;
        m_readOnly = false;
    }
    m_dirty = false;
    m_new = false;
    return {};
}
