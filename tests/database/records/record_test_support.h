// tests/database/records/record_test_support.h: a data set on the program's dictionary with the
// real record and link classes, for the tests of records, record links and record identifiers.
#pragma once

#include "database/dictionary/record_type_table.h"
#include "database/gedcom/buffered_file.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/data_observer.h"
#include "database/nodes/node_menu.h"
#include "database/nodes/node_pool.h"
#include "database/nodes/root_node.h"
#include "database/nodes/source_citation.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "tests/database/database_test_support.h"
#include "tests/database/dictionary/field_defs_for_tests.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace record_test {

// Short names of the record types' list indexes.
inline constexpr int kIndi = RECORD_LIST_INDI;
inline constexpr int kFam = RECORD_LIST_FAM;
inline constexpr int kNote = RECORD_LIST_NOTE;
inline constexpr int kSour = RECORD_LIST_SOUR;
inline constexpr int kRepo = RECORD_LIST_REPO;
inline constexpr int kObje = RECORD_LIST_OBJE;
inline constexpr int kHead = RECORD_LIST_HEAD;

/// Change tracking and record numbering as a load has them, for the life of a scope.
class CLoading {
public:
    CLoading()
    {
        SetChangeTracking(false);
        SuspendRecordNumbering(true);
    }
    ~CLoading()
    {
        SuspendRecordNumbering(false);
        SetChangeTracking(true);
    }
    CLoading(const CLoading&) = delete;
    CLoading& operator=(const CLoading&) = delete;
};

/// A menu kept as text: each item "text command", "-" for a separator, "Title:n" for a popup of
/// n items, whose own items are kept in m_popups.
class CTextMenu final : public INodeMenu {
public:
    void AppendItem(UINT command, std::string_view text, bool) override
    {
        m_items.push_back(std::string(text) + " " + std::to_string(command));
    }
    void AppendSeparator() override { m_items.emplace_back("-"); }
    std::unique_ptr<INodeMenu> NewPopup() override { return std::make_unique<CTextMenu>(); }
    void AppendPopup(std::unique_ptr<INodeMenu> popup, std::string_view text) override
    {
        auto& inner = static_cast<CTextMenu&>(*popup);
        m_items.push_back(std::string(text) + ":" + std::to_string(inner.m_items.size()));
        m_popups.push_back(std::move(inner.m_items));
    }
    int GetItemCount() const override { return int(m_items.size()); }

    std::vector<std::string> m_items;
    std::vector<std::vector<std::string>> m_popups;
};

class CNoticeCounter final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject*, bool) override { m_hints.push_back(hint); }
    std::vector<LPARAM> m_hints;
};

/// The program's dictionary and node classes, nine record-type roots, fresh identifier states,
/// change tracking on and a recording observer; checks at the end that every node was freed
/// and that no message box is left unanswered.
class CRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveNodes.Start();
        ASSERT_TRUE(test_support::LoadTestFieldDefs());
        RegisterDataNodeClasses();
        m_roots.emplace();
        SetDataObserver(&m_observer);
        SetChangeTracking(true);
        test_support::Prompt().TakeMessages();
    }

    void TearDown() override
    {
        SetChangeTracking(false);
        ResetChangeTracking();
        ForgetCitations();
        if (m_roots)
            m_roots->DeleteRecords();
        m_roots.reset();
        SetDataObserver(nullptr);
        EXPECT_FALSE(test_support::Prompt().HasQueuedAnswers());
        m_liveNodes.Check();
    }

    /// A new record of a type, numbered from the type's counter.
    CRecordNode* NewRecord(int listIndex)
    {
        return static_cast<CRecordNode*>(GetRecordTypeRoot(listIndex)->CreateChild(nullptr));
    }
    CIndRec* NewIndividual(int sex = SEX_UNDETERMINED, std::string_view name = {})
    {
        auto* individual = AsIndividual(NewRecord(kIndi));
        if (sex != SEX_UNDETERMINED)
            SetField(individual, "SEX", sex == SEX_MALE ? "M" : "F");
        if (!name.empty())
            SetField(individual, "NAME", name);
        return individual;
    }
    CFamRec* NewFamily() { return AsFamily(NewRecord(kFam)); }
    /// A new family of the partners (either may be null) and children, in order.
    CFamRec* Marry(CIndRec* husband, CIndRec* wife, std::initializer_list<CIndRec*> children = {})
    {
        CFamRec* family = NewFamily();
        if (husband) {
            EXPECT_TRUE(family->LinkSpouse(husband, SEX_MALE));
        }
        if (wife) {
            EXPECT_TRUE(family->LinkSpouse(wife, SEX_FEMALE));
        }
        for (CIndRec* child : children)
            family->LinkChild(child, nullptr);
        return family;
    }

    /// Sets the first field of a tag under holder (new records have some fields already),
    /// made when there is none.
    static CDataNode* SetField(CDataNode* holder, std::string_view tag, std::string_view value)
    {
        CDataNode* field = nullptr;
        for (CDataNode* child = holder->GetFirstChild(); child && !field;
             child = child->GetNextSibling()) {
            if (child->GetFieldDef()->GetTag() == tag)
                field = child;
        }
        if (!field)
            field = holder->CreateChildByTag(tag);
        EXPECT_TRUE(field && field->SetText(value)) << tag;
        return field;
    }

    /// A record as the loader makes one: without children or number, its identifier taken,
    /// appended, with change tracking off.
    CRecordNode* LoadRecord(int listIndex, std::string_view xref)
    {
        const CLoading loading;
        CDataNode* root = GetRecordTypeRoot(listIndex);
        auto* record =
            static_cast<CRecordNode*>(CreateNodeFromDef(root->GetFieldDef(), false, nullptr));
        TakeLoadedRecordId(*record, listIndex, xref);
        root->AppendChild(record, false);
        return record;
    }
    /// A field as the loader makes one: its value read, appended to holder.
    CDataNode* LoadField(CDataNode* holder, std::string_view tag, std::string_view value)
    {
        const CLoading loading;
        const CFieldDef* def = holder->GetFieldDef()->FindChildByGedcomTag(tag);
        if (def && def->HasFlag(FDF_POINTER_FORM) && !value.starts_with('@'))
            def = def->GetNextSibling();
        CDataNode* field = CreateNodeFromDef(def, false, nullptr);
        EXPECT_TRUE(field && field->SetText(value)) << tag << " " << value;
        holder->AppendChild(field, true);
        return field;
    }
    CAssocNode* LoadLink(CDataNode* holder, std::string_view tag, std::string_view xref)
    {
        return dynamic_cast<CAssocNode*>(LoadField(holder, tag, xref));
    }

    /// A link child of holder pointed at target (with its reciprocal link).
    CAssocNode* Link(CDataNode* holder, std::string_view tag, CRecordNode* target)
    {
        auto* link = dynamic_cast<CAssocNode*>(holder->CreateChildByTag(tag));
        EXPECT_TRUE(link && link->SetLink(target, true));
        return link;
    }

    /// The tags of holder's link children pointing at target, in order, joined by blanks.
    static std::string LinksTo(const CDataNode* holder, const CRecordNode* target)
    {
        std::string tags;
        for (const CDataNode* child = holder->GetFirstChild(); child;
             child = child->GetNextSibling()) {
            if (child->GetLinkTarget() == target)
                tags += (tags.empty() ? "" : " ") + std::string(child->GetFieldDef()->GetTag());
        }
        return tags;
    }

    /// The bytes that node's WriteGedcom puts into a file; "FAILED" when it fails.
    static std::string Written(const CDataNode& node, int level = 0)
    {
        return database_test::WrittenLines(node, level);
    }

    CNoticeCounter m_observer;

private:
    std::optional<database_test::CTestRecordRoots> m_roots;
    database_test::CLiveNodeCheck m_liveNodes;
};

} // namespace record_test
