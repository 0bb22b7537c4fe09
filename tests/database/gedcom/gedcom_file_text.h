// tests/database/gedcom/gedcom_file_text.h: what a GEDCOM file holds, read without the program's
// line reader: every text value joined over its CONC and CONT lines, and every link as the record
// it names, for comparing a loaded data set with the file it came from.
#pragma once

#include "database/dictionary/record_type_table.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/gedcom_charset.h"
#include "database/records/assoc_node.h"
#include "database/records/note_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "tests/support/test_support.h"

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace gedcom_file_text {

/// A record as "TAG#n": its tag and its place among the records of that tag, from 1.
using RecordKey = std::string;

/// The file's contents in comparable form. A text entry is "record key|TAG.TAG...|value", a link
/// entry "record key|TAG.TAG...|target record key"; each may occur several times.
struct FileContents {
    std::multiset<std::string> texts;
    std::multiset<std::string> links;
};

namespace detail {

struct RawLine {
    int number = 0; // physical line number, from 1
    int level = 0;
    std::string xref, tag, value; // value as bytes of the file's set, "@@" not yet reduced
};

inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}
inline bool IsTagChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

/// Whether tag is that of a record type the program knows; a record of another type is skipped,
/// and nothing links to it.
inline bool IsKnownRecordTag(std::string_view tag)
{
    for (const CRecordType& row : GetRecordTypeTable().Rows()) {
        if (tag == row.m_tag)
            return true;
    }
    return false;
}
/// The lines of the GEDCOM 5.5 grammar: level, optional "@xref@", tag, one delimiter, value.
/// Lines end at CR, LF, or either followed by the other; lines that are not GEDCOM are left out.
inline std::vector<RawLine> SplitLines(std::string_view bytes)
{
    std::vector<RawLine> lines;
    int number = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const std::string_view text = bytes.substr(start, end - start);
        ++number;
        if (end < bytes.size()) {
            const char first = bytes[end++];
            if (end < bytes.size() && (bytes[end] == '\r' || bytes[end] == '\n') &&
                bytes[end] != first)
                ++end;
        }
        start = end;
        std::size_t c = 0;
        while (c < text.size() && IsBlank(text[c]))
            ++c;
        if (c == text.size() || text[c] < '0' || text[c] > '9')
            continue;
        RawLine line;
        line.number = number;
        for (; c < text.size() && text[c] >= '0' && text[c] <= '9'; ++c)
            line.level = std::min(line.level * 10 + (text[c] - '0'), 1000000);
        if (c == text.size() || !IsBlank(text[c]))
            continue;
        while (c < text.size() && IsBlank(text[c]))
            ++c;
        if (c < text.size() && text[c] == '@') {
            const std::size_t close = text.find('@', c + 1);
            if (close == std::string_view::npos)
                continue;
            line.xref = text.substr(c + 1, close - c - 1);
            for (c = close + 1; c < text.size() && IsBlank(text[c]); ++c) {
            }
        }
        const std::size_t tagStart = c;
        while (c < text.size() && IsTagChar(text[c]))
            ++c;
        if (c == tagStart)
            continue;
        // A tag runs to the blank after it, though it holds a character no tag may hold
        // ("1 NAME* z" has the tag "NAME*").
        while (c < text.size() && !IsBlank(text[c]))
            ++c;
        line.tag = text.substr(tagStart, c - tagStart);
        if (c < text.size() && IsBlank(text[c]))
            ++c;
        line.value = text.substr(c);
        lines.push_back(std::move(line));
    }
    return lines;
}

/// The cross-reference a value names: "@X@" alone, blanks around allowed; empty otherwise.
inline std::string PointerIn(std::string_view value)
{
    while (!value.empty() && IsBlank(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && IsBlank(value.back()))
        value.remove_suffix(1);
    if (value.size() < 3 || value.front() != '@' || value.back() != '@' || value[1] == '@' ||
        value.substr(1, value.size() - 2).find('@') != std::string_view::npos)
        return {};
    return std::string(value.substr(1, value.size() - 2));
}

inline std::string Unescaped(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        out += value[i];
        if (value[i] == '@' && i + 1 < value.size() && value[i + 1] == '@')
            ++i;
    }
    return out;
}

} // namespace detail

/// Reads path in the set its bytes declare. Lines whose numbers are in skipped (the lines an
/// exception report lists) are left out with their continuation lines; so are the OBJE
/// records that an earlier OBJE record names as its continuation (the loader joins them).
inline FileContents ReadFileContents(const std::string& path, const std::set<int>& skipped)
{
    using detail::RawLine;
    const std::string bytes = test_support::ReadFile(path);
    const GedcomEncoding encoding = DetectGedcomEncoding(bytes);
    GedcomCharset set = encoding.charset;
    std::string text = bytes;
    if (set == GedcomCharset::Utf16Le || set == GedcomCharset::Utf16Be) {
        CUtf16Decoder decoder(set == GedcomCharset::Utf16Be);
        text.clear();
        decoder.Decode(bytes, text);
        decoder.Finish(text);
        set = GedcomCharset::Utf8;
    } else if (text.starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    const std::vector<RawLine> lines = detail::SplitLines(text);

    // Records: their keys by cross-reference, continuation records of multimedia chains aside.
    std::map<std::string, int> countByTag;
    std::map<std::string, RecordKey> keyByXref;
    std::set<std::string> duplicateXrefs, chained;
    std::vector<RecordKey> recordOf(lines.size());
    RecordKey current;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const RawLine& line = lines[i];
        if (line.level == 0) {
            if (line.tag == "TRLR")
                break;
            current.clear();
            if (line.tag == "OBJE" && chained.contains(line.xref))
                continue;
            current = line.tag + "#" + std::to_string(++countByTag[line.tag]);
            if (!line.xref.empty() && detail::IsKnownRecordTag(line.tag) &&
                !keyByXref.emplace(line.xref, current).second)
                duplicateXrefs.insert(line.xref);
        } else if (line.level == 1 && current.starts_with("OBJE#") && line.tag == "OBJE") {
            chained.insert(detail::PointerIn(line.value));
        }
        recordOf[i] = current;
    }

    FileContents contents;
    std::vector<std::string> tagPath;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const RawLine& line = lines[i];
        if (line.level == 0 && line.tag == "TRLR")
            break;
        if (line.tag == "CONC" || line.tag == "CONT" || recordOf[i].empty())
            continue;
        tagPath.resize(std::size_t(line.level));
        tagPath.push_back(line.tag);
        // A save writes the header's FILE and CHAR anew.
        if (skipped.contains(line.number) || (line.level == 1 && recordOf[i] == "HEAD#1" &&
                                              (line.tag == "FILE" || line.tag == "CHAR")))
            continue;
        std::string joined = line.value;
        for (std::size_t j = i + 1; j < lines.size() && lines[j].level == line.level + 1 &&
                                    (lines[j].tag == "CONC" || lines[j].tag == "CONT");
             ++j) {
            if (lines[j].tag == "CONT")
                joined += '\n';
            joined += lines[j].value;
        }
        std::string tags;
        for (const std::string& tag : tagPath)
            tags += (tags.empty() ? "" : ".") + tag;
        const std::string pointer = detail::PointerIn(line.value);
        if (line.level > 0 && !pointer.empty()) {
            const auto target = keyByXref.find(pointer);
            if (target != keyByXref.end() && !duplicateXrefs.contains(pointer))
                contents.links.insert(recordOf[i] + "|" + tags + "|" + target->second);
            // Continuation lines cannot continue a cross-reference: each is a line of its own.
            for (std::size_t j = i + 1; j < lines.size() && lines[j].level == line.level + 1 &&
                                        (lines[j].tag == "CONC" || lines[j].tag == "CONT");
                 ++j) {
                std::string decoded;
                DecodeGedcomText(set, lines[j].value, decoded);
                contents.texts.insert(recordOf[i] + "|" + tags + "." + lines[j].tag + "|" +
                                      detail::Unescaped(decoded));
            }
            continue;
        }
        std::string decoded;
        DecodeGedcomText(set, joined, decoded);
        contents.texts.insert(recordOf[i] + "|" + tags + "|" + detail::Unescaped(decoded));
    }
    return contents;
}

/// Values that are not kept as read: a save writes the header's FILE and CHAR anew, and a name
/// is tidied as it is read (blanks around its surname).
inline bool IsWrittenAnew(const CDataNode& node)
{
    const CFieldDef* def = node.GetFieldDef();
    if (def->GetDataType() == FDT_NAME)
        return true;
    const CDataNode* parent = node.GetParent();
    return parent && parent->IsRecord() &&
           GetRecordTypeIndex(parent->GetFieldDef()) == RECORD_LIST_HEAD &&
           (node.GetFieldId() == FIELD_FILE || node.GetFieldId() == FIELD_CHAR);
}

/// The data set's text values and links in the form of ReadFileContents. A text field whose
/// value is a lone cross-reference counts as a link to the record with that identifier.
inline FileContents DataSetContents()
{
    FileContents contents;
    std::map<const CDataNode*, RecordKey> keyOf;
    std::map<std::string, RecordKey> keyById;
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        int count = 0;
        for (const CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild(); record;
             record = record->GetNextSibling()) {
            const RecordKey key =
                std::string(record->GetFieldDef()->GetGedcomTag()) + "#" + std::to_string(++count);
            keyOf[record] = key;
            keyById[static_cast<const CRecordNode*>(record)->GetIdText()] = key;
        }
    }
    struct Walker {
        FileContents& contents;
        std::map<const CDataNode*, RecordKey>& keyOf;
        std::map<std::string, RecordKey>& keyById;
        void Walk(const CDataNode& node, const RecordKey& record, const std::string& tags)
        {
            for (const CDataNode* child = node.GetFirstChild(); child;
                 child = child->GetNextSibling()) {
                const auto* note = dynamic_cast<const CNoteRec*>(&node);
                const bool noteText = note && note->GetTextField() == child;
                const std::string childTags =
                    noteText ? tags
                             : tags + "." + std::string(child->GetFieldDef()->GetGedcomTag());
                if (const auto* link = dynamic_cast<const CAssocNode*>(child)) {
                    if (const CRecordNode* target = link->GetLinkTarget())
                        contents.links.insert(record + "|" + childTags + "|" + keyOf[target]);
                } else if (const auto* text = dynamic_cast<const CTextValueNode*>(child);
                           text && !text->IsEmpty() && !IsWrittenAnew(*child)) {
                    // A lone cross-reference that names no record is no link, and not
                    // counted, as ReadFileContents counts it.
                    const std::string pointer = detail::PointerIn(text->GetValue());
                    if (!pointer.empty() && keyById.contains(pointer))
                        contents.links.insert(record + "|" + childTags + "|" + keyById[pointer]);
                    else if (pointer.empty())
                        contents.texts.insert(record + "|" + childTags + "|" +
                                              std::string(text->GetValue()));
                }
                Walk(*child, record, childTags);
            }
        }
    } walker{contents, keyOf, keyById};
    for (const auto& [record, key] : keyOf)
        walker.Walk(*record, key, std::string(record->GetFieldDef()->GetGedcomTag()));
    return contents;
}

/// The entries of have that want lacks (counting repeats), at most limit of them, one a line.
inline std::string Missing(const std::multiset<std::string>& have,
                           const std::multiset<std::string>& want, int limit = 5)
{
    std::multiset<std::string> left = want;
    std::string out;
    int count = 0;
    for (const std::string& entry : have) {
        const auto found = left.find(entry);
        if (found != left.end()) {
            left.erase(found);
        } else if (++count <= limit) {
            out += "  " + entry + "\n";
        }
    }
    if (count > limit)
        out += "  ... " + std::to_string(count - limit) + " more\n";
    return out;
}

/// The line numbers an exception report lists ("l.N - ...", indented or not), but for lines it
/// lists as kept ("l.N - Kept ...": loaded with their text as read).
inline std::set<int> ReportedLines(const std::string& report)
{
    std::set<int> numbers;
    for (std::size_t at = report.find("l."); at != std::string::npos;
         at = report.find("l.", at + 2)) {
        if (at > 0 && report[at - 1] != '\n' && report[at - 1] != ' ')
            continue;
        std::size_t end = at + 2;
        int number = 0;
        while (end < report.size() && report[end] >= '0' && report[end] <= '9')
            number = number * 10 + (report[end++] - '0');
        if (end > at + 2 && report.compare(end, 3, " - ") == 0 &&
            report.compare(end + 3, 5, "Kept ") != 0)
            numbers.insert(number);
    }
    return numbers;
}

} // namespace gedcom_file_text
