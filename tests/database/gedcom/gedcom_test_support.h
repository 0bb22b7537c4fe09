// tests/database/gedcom/gedcom_test_support.h: a data set on the program's dictionary with every
// node class, for the tests of loading and saving whole GEDCOM files; the data set written out as
// text for comparing two loads, and the lines of a load accounted for.
#pragma once

#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/gedcom/gedcom_writer.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/node_pool.h"
#include "database/nodes/root_node.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "tests/database/database_test_support.h"
#include "tests/database/dictionary/field_defs_for_tests.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gedcom_test {

/// The lines joined with CR LF, each ended by one.
inline std::string CrLf(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const std::string_view line : lines)
        text.append(line).append("\r\n");
    return text;
}

/// Whether a save writes nothing for the node: a field without sub-fields whose value is
/// empty (a link without target still writes the cross-reference it keeps; an event marked
/// "it happened" still writes "Y"; a user-defined field writes its tag alone).
inline bool IsLeftOutOnSave(const CDataNode& node)
{
    const CFieldDef* def = node.GetFieldDef();
    if (node.GetFirstChild() || node.IsRecord() || dynamic_cast<const CAssocNode*>(&node) ||
        def->HasFlag(FDF_USER_DEFINED))
        return false;
    if (def->GetDataType() == FDT_COMPLEX && !def->HasFlag(FDF_SKIP_WHEN_CHILDLESS))
        return false;
    return node.IsEmpty();
}

/// One node and its subtree as text lines: depth, tag and value (a text's whole value, less
/// the line breaks at its end, which a save does not keep); a link shows its target's
/// identifier or the cross-reference it keeps, a record its identifier and change stamp.
/// Fields a save leaves out are left out.
inline void DumpNode(const CDataNode& node, int depth, std::string& out)
{
    if (IsLeftOutOnSave(node))
        return;
    const CFieldDef* def = node.GetFieldDef();
    out += std::string(std::size_t(depth) * 2, ' ') + std::string(def->GetGedcomTag());
    if (node.IsRecord()) {
        const auto& record = static_cast<const CRecordNode&>(node);
        out += " " + record.GetIdText() + " " + record.GetChangeStamp().Format("%d %m %Y %H:%M:%S");
    } else if (const auto* link = dynamic_cast<const CAssocNode*>(&node)) {
        const CRecordNode* target = link->GetLinkTarget();
        out += target ? " -> " + target->GetIdText() : " kept " + link->GetXrefText();
    } else if (const auto* text = dynamic_cast<const CTextValueNode*>(&node)) {
        std::string_view value = text->GetValue();
        while (value.ends_with('\n'))
            value.remove_suffix(1);
        out += " [" + std::string(value) + "]";
    } else {
        std::string value;
        node.GetText(value, 0);
        out += " [" + value + "]";
    }
    out += "\n";
    const bool header = node.IsRecord() && GetRecordTypeIndex(def) == 8;
    for (const CDataNode* child = node.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (header && (child->GetFieldId() == FIELD_FILE || child->GetFieldId() == FIELD_CHAR))
            continue;
        DumpNode(*child, depth + 1, out);
    }
}

/// The whole data set as text, types in list order; the header's FILE and CHAR, which a save
/// rewrites, are left out.
inline std::string DumpDataSet()
{
    std::string out;
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        for (const CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild(); record;
             record = record->GetNextSibling())
            DumpNode(*record, 0, out);
    }
    return out;
}

/// The identifiers of every record but the header, types in list order.
inline std::string RecordIds()
{
    std::string ids;
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT - 1; ++listIndex) {
        for (const CDataNode* node = GetRecordTypeRoot(listIndex)->GetFirstChild(); node;
             node = node->GetNextSibling())
            ids += (ids.empty() ? "" : " ") + static_cast<const CRecordNode*>(node)->GetIdText();
    }
    return ids;
}

/// Where two dumps part: the first line that differs in each, with its number; empty when the
/// dumps are equal.
inline std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::size_t startA = 0, startB = 0;
    for (int number = 1;; ++number) {
        const std::size_t endA = std::min(a.find('\n', startA), a.size());
        const std::size_t endB = std::min(b.find('\n', startB), b.size());
        const std::string lineA = a.substr(startA, endA - startA);
        const std::string lineB = b.substr(startB, endB - startB);
        if (lineA != lineB)
            return "line " + std::to_string(number) + ": [" + lineA + "] against [" + lineB + "]";
        if (endA == a.size() && endB == b.size())
            return {};
        startA = endA + 1;
        startB = endB + 1;
    }
}

/// How the lines of one file were taken by a load and a save.
struct LineCounts {
    std::map<std::string, int> valued; // how many lines of each "level TAG"
    int invalid = 0;                   // lines that are not GEDCOM lines
};

/// The lines of a GEDCOM file read with the line reader, leaving out continuation lines, the
/// header's FILE line (a save rewrites it) and BLOB lines (a save cuts embedded data anew).
inline LineCounts CountLines(const std::string& path)
{
    LineCounts counts;
    struct KeptLine {
        int level;
        std::string tag;
    };
    std::vector<KeptLine> lines;
    GedcomLine line;
    int counter = 0;
    if (!OpenGedcomInput(path, false, false))
        return counts;
    for (int status; (status = ReadGedcomLine(line, counter)) != kGedcomInputEnd;) {
        if (status == kGedcomLineInvalid)
            ++counts.invalid;
        else
            lines.push_back({line.level, std::string(line.tag)});
    }
    CloseGedcomInput();
    std::string recordTag;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const KeptLine& l = lines[i];
        if (l.level == 0)
            recordTag = l.tag;
        if (l.tag == "CONC" || l.tag == "CONT" || l.tag == "BLOB" || l.tag == "TRLR" ||
            (recordTag == "HEAD" && l.level == 1 && l.tag == "FILE"))
            continue;
        ++counts.valued[std::to_string(l.level) + " " + l.tag];
    }
    return counts;
}

/// The lines an exception report lists as not loaded: its "Skipped ..." entries. An entry's
/// quoted text is "level identifier tag value", or the line as read for a line that is no
/// GEDCOM line (counted as invalid).
inline LineCounts CountSkippedLines(const std::string& report)
{
    LineCounts counts;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        std::string_view entry(report.data() + start, end - start);
        if (entry.starts_with("    "))
            entry.remove_prefix(4);
        const std::size_t open = entry.find(": \"");
        if (!entry.starts_with("l.") || entry.find(" - Skipped ") == std::string_view::npos ||
            open == std::string_view::npos || !entry.ends_with('"'))
            continue;
        const std::string quoted(entry.substr(open + 3, entry.size() - open - 4));
        GedcomLine parsed;
        if (ParseGedcomLine(quoted, parsed) != kGedcomParsedValid) {
            ++counts.invalid;
            continue;
        }
        const std::size_t first = quoted.find(' ');
        const std::size_t second = quoted.find(' ', first + 1);
        const std::size_t third = quoted.find(' ', second + 1);
        ++counts.valued[quoted.substr(0, first) + " " +
                        quoted.substr(second + 1, third == std::string::npos ? std::string::npos
                                                                             : third - second - 1)];
    }
    return counts;
}

/// The program's dictionary and node classes, nine record-type roots of the test's own, fresh
/// identifier states and the preferences at their defaults; what loads tell goes to m_messages.
/// Checks at the end that every node was freed and no answer is left queued.
class CGedcomTest : public ::testing::Test, public ILoadNotices {
protected:
    void Tell(const LoadNotice& notice) override { m_messages.push_back(notice); }

    void SetUp() override
    {
        m_liveNodes.Start();
        ASSERT_TRUE(test_support::LoadTestFieldDefs()) << GetFieldDefsError();
        RegisterDataNodeClasses();
        m_roots.emplace();
        m_savedPrefs = Prefs();
        Prefs() = Preferences();
        DeleteAllRecords();
        test_support::Prompt().TakeMessages();
        test_support::Prompt().TakeShellOpens();
        SetLoadNotices(this);
    }

    void TearDown() override
    {
        SetLoadNotices(nullptr);
        DeleteAllRecords();
        SetChangeTracking(false);
        m_roots.reset();
        Prefs() = m_savedPrefs;
        EXPECT_FALSE(test_support::Prompt().HasQueuedAnswers());
        m_liveNodes.Check();
    }

    /// A file of the test's own folder holding bytes; its path.
    std::string File(std::string_view name, std::string_view bytes)
    {
        if (m_folder.empty())
            m_folder = test_support::NewFolder("gedcom");
        return test_support::WriteFile(m_folder + "/" + std::string(name), bytes);
    }
    std::string PathOf(std::string_view name)
    {
        if (m_folder.empty())
            m_folder = test_support::NewFolder("gedcom");
        return m_folder + "/" + std::string(name);
    }

    /// Loads path; m_messages holds what it told.
    bool Load(const std::string& path)
    {
        m_messages.clear();
        return LoadGedcomFile(path, nullptr, nullptr);
    }
    /// Saves to path in the format of the last load; the bytes written, "FAILED: reason" when
    /// the save failed.
    std::string Save(const std::string& path)
    {
        GedcomFileFormat format = GetLoadedFileFormat();
        std::string error;
        if (!SaveGedcomFile(path, format, error))
            return "FAILED: " + error;
        return test_support::ReadFile(path);
    }
    /// The exception report of the last load; empty when none was written.
    static std::string Report()
    {
        const std::string& path = GetLoadExceptionReport();
        return path.empty() ? std::string() : test_support::ReadFile(path);
    }

    std::vector<LoadNotice> m_messages;

private:
    std::optional<database_test::CTestRecordRoots> m_roots;
    Preferences m_savedPrefs;
    std::string m_folder;
    database_test::CLiveNodeCheck m_liveNodes;
};

} // namespace gedcom_test
