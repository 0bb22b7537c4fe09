// tests/merge/merge_test_support.h: a program data set loaded from one file and a second data set
// loaded beside it for a merge, with the compare between them, and the data sets written out as
// text for comparing.
#pragma once

#include "common/blob_encoding.h"
#include "database/gedcom/merge_data_set.h"
#include "database/records/assoc_node.h"
#include "merge/merge_engine.h"
#include "platform/base/progress.h"
#include "platform/base/text.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

/// An action's outcome as gtest prints it.
inline void PrintTo(const MergeResult& result, std::ostream* out)
{
    *out << "{refusal " << int(result.refusal) << ", count " << result.count << ", other "
         << result.other << (result.changed ? ", changed}" : "}");
}

namespace merge_test {

/// The program's roots, in table order.
inline MergeRoots ProgramRoots()
{
    MergeRoots roots{};
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
        roots[std::size_t(code)] = GetRecordTypeTable().RowByCode(code)->m_root;
    return roots;
}

/// A row as text: "current incoming score", each record by its identifier or "-".
inline std::string RowText(const MergeRow& row)
{
    return (row.current ? row.current->GetIdText() : "-") + " " +
           (row.incoming ? row.incoming->GetIdText() : "-") + " " + std::to_string(row.score);
}

inline std::vector<std::string> RowTexts(const CMergeEngine& engine, int type)
{
    std::vector<std::string> rows;
    for (const auto& row : engine.Rows(type))
        rows.push_back(RowText(*row));
    return rows;
}

/// Whether any node under the roots carries one of the merge flags.
inline bool AnyMergeFlag(const CDataNode* node)
{
    if (node->HasFlag(DNF_PAIRED) || node->HasFlag(DNF_MARK) || node->HasFlag(DNF_MERGE))
        return true;
    for (const CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (AnyMergeFlag(child))
            return true;
    }
    return false;
}

inline bool AnyMergeFlag(const MergeRoots& roots)
{
    return std::any_of(roots.begin(), roots.end(),
                       [](const CDataNode* r) { return AnyMergeFlag(r); });
}

/// The record of a type with that identifier under roots; null when none.
inline CRecordNode* FindById(const MergeRoots& roots, int type, const std::string& id)
{
    for (CDataNode* node = roots[std::size_t(type)]->GetFirstChild(); node;
         node = node->GetNextSibling()) {
        auto* record = static_cast<CRecordNode*>(node);
        if (record->GetIdText() == id)
            return record;
    }
    return nullptr;
}

/// A field of a record as a line: depth below the record, tag and value in lower case, a link
/// by what name gives its target.
template <class Name>
void FieldLines(const CDataNode& node, int depth, const Name& name, bool skipDiscarded,
                std::multiset<std::string>& out)
{
    for (const CDataNode* child = node.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (skipDiscarded && child->HasFlag(DNF_MARK))
            continue;
        if (gedcom_test::IsLeftOutOnSave(*child))
            continue;
        std::string line =
            std::to_string(depth) + " " + std::string(child->GetFieldDef()->GetGedcomTag()) + " ";
        if (const auto* link = dynamic_cast<const CAssocNode*>(child)) {
            line += link->GetLinkTarget() ? "-> " + name(link->GetLinkTarget())
                                          : "kept " + link->GetXrefText();
        } else {
            std::string value;
            child->GetText(value, 0);
            line += text::ToLower(value);
        }
        out.insert(line);
        FieldLines(*child, depth + 1, name, skipDiscarded, out);
    }
}

/// The lines of want that got has not, one per line missing.
inline std::vector<std::string> Missing(const std::multiset<std::string>& want,
                                        const std::multiset<std::string>& got)
{
    std::vector<std::string> missing;
    std::multiset<std::string> left = got;
    for (const std::string& line : want) {
        const auto found = left.find(line);
        if (found == left.end())
            missing.push_back(line);
        else
            left.erase(found);
    }
    return missing;
}

/// A multimedia record of that number embedding content, as GEDCOM lines.
inline std::string EmbeddedObject(int number, std::string_view content)
{
    return gedcom_test::CrLf({"0 @O" + std::to_string(number) + "@ OBJE", "1 FORM bmp", "1 BLOB",
                              "2 CONT " + EncodeBlob(content)});
}

/// The program's data set loaded from one file and a second file loaded beside it.
class CMergeTest : public gedcom_test::CGedcomTest {
protected:
    void TearDown() override
    {
        m_engine.reset();
        m_second.reset();
        gedcom_test::CGedcomTest::TearDown();
    }

    /// Loads current into the program's data set and incoming into the second data set.
    void LoadBoth(const std::string& current, const std::string& incoming)
    {
        ASSERT_TRUE(Load(current));
        test_support::Prompt().SetAnswerDefaults(m_defaultAnswers);
        LoadSecond(incoming);
    }
    void LoadSecond(const std::string& incoming)
    {
        m_second = std::make_unique<CMergeDataSet>();
        m_messages.clear();
        m_secondLoaded = LoadGedcomFileForMerge(incoming, *m_second, nullptr, nullptr);
    }
    /// The compare of the two data sets, made with engine (a CMergeEngine by default).
    CMergeEngine& Compare(std::unique_ptr<CMergeEngine> engine = nullptr)
    {
        m_engine = engine ? std::move(engine)
                          : std::make_unique<CMergeEngine>(ProgramRoots(), m_second->Roots());
        m_engine->InitCompareMaps(nullptr);
        return *m_engine;
    }
    MergeRoots SecondRoots() const { return m_second->Roots(); }

    std::unique_ptr<CMergeDataSet> m_second;
    std::unique_ptr<CMergeEngine> m_engine;
    bool m_secondLoaded = false;
    /// Whether boxes take their default answer (else each needs one queued).
    bool m_defaultAnswers = false;
};

} // namespace merge_test
