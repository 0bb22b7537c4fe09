// tests/queries/named_list_test.cpp: Tests of the named-list store: lookup without regard to case,
// adding, clearing with the automatic lists, dropping deleted records and the change notice.
#include "database/nodes/change_hint.h"
#include "queries/named_list.h"

#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "database/nodes/named_list_store.h"
#include "database/records/record_node.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

class CHintObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject*, bool modify) override
    {
        m_hints.push_back(hint);
        m_modify = modify;
    }
    std::vector<LPARAM> m_hints;
    bool m_modify = false;
};

class NamedListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedAutoNames = Prefs().m_autoNamedLists;
        Prefs().m_autoNamedLists = {"Bookmarks", "", "To Do", "", "", ""};
        SetDataObserver(&m_observer);
        GetRecordTypeTable().MutableRowByCode(0)->m_topDef = &m_headerDef;
    }

    void TearDown() override
    {
        ClearNamedLists(true);
        EXPECT_EQ(CNamedList::GetFirst(), nullptr);
        GetRecordTypeTable().MutableRowByCode(0)->m_topDef = nullptr;
        SetDataObserver(nullptr);
        Prefs().m_autoNamedLists = m_savedAutoNames;
    }

    CRecordNode* Record()
    {
        m_records.push_back(std::make_unique<CRecordNode>());
        return m_records.back().get();
    }

    static std::vector<std::string> ListNames()
    {
        std::vector<std::string> names;
        for (const CNamedList* list = CNamedList::GetFirst(); list; list = list->GetNext())
            names.push_back(list->GetName());
        return names;
    }

    CHintObserver m_observer;
    CFieldDef m_headerDef;
    std::vector<std::unique_ptr<CRecordNode>> m_records;
    std::array<std::string, kAutoNamedListCount> m_savedAutoNames;
};

TEST_F(NamedListTest, ListsAreFoundByNameWithoutRegardToCase)
{
    auto* older = new CNamedList("Émile's people");
    auto* newer = new CNamedList("Cousins");
    EXPECT_EQ(FindNamedList("COUSINS"), newer);
    EXPECT_EQ(FindNamedList("émile's PEOPLE"), older);
    EXPECT_EQ(FindNamedList("Cousin"), nullptr);
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"Cousins", "Émile's people"}))
        << "the chain runs from the newest list";
}

TEST_F(NamedListTest, GetNamedListNormalisesTheNameAndMakesTheListOnce)
{
    CNamedList* made = GetNamedList("  Family \t of   Ann ", true);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetName(), "Family of Ann");
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{kHintNamedListsChanged});
    EXPECT_TRUE(m_observer.m_modify);
    EXPECT_EQ(GetNamedList("family OF ann", true), made);
    EXPECT_EQ(m_observer.m_hints.size(), 1u) << "finding a list announces nothing";
}

TEST_F(NamedListTest, AddingKeepsOrderAndRefusesTheHeaderAndAskedDuplicates)
{
    CNamedList* list = GetNamedList("Work", false);
    CRecordNode* a = Record();
    CRecordNode* b = Record();
    CRecordNode* header = Record();
    header->SetFieldDef(&m_headerDef);
    AddToNamedList(list, a, false, true);
    AddToNamedList(list, b, false, true);
    AddToNamedList(list, a, false, true);
    AddToNamedList(list, header, false, false);
    AddToNamedList(list, nullptr, false, false);
    ASSERT_EQ(list->Entries().size(), 2u);
    AddToNamedList(list, a, true, false);
    ASSERT_EQ(list->Entries().size(), 3u) << "without unique a record may stand twice";
    EXPECT_EQ(list->Entries()[2].m_record, a);
    EXPECT_EQ(FindNamedListEntry(list, b), &list->Entries()[1]);
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{kHintNamedListsChanged});
    RemoveAllFromNamedList(list);
    EXPECT_TRUE(list->Entries().empty());
    EXPECT_EQ(list->GetName(), "Work");
}

TEST_F(NamedListTest, ManyRecordsAreAddedOnceEachAndRemovedOneEntryPerRecordGiven)
{
    CNamedList* list = GetNamedList("Work", false);
    CRecordNode* a = Record();
    CRecordNode* b = Record();
    CRecordNode* c = Record();
    CRecordNode* header = Record();
    header->SetFieldDef(&m_headerDef);
    AddToNamedList(list, b, false, true);
    const auto records = [list] {
        std::vector<CRecordNode*> listed;
        for (const NamedListEntry& entry : list->Entries())
            listed.push_back(entry.m_record);
        return listed;
    };
    // Already listed, given twice, null or the header: each record stands once, in order.
    AddManyToNamedList(list, {a, b, nullptr, header, c, a});
    EXPECT_EQ(records(), (std::vector<CRecordNode*>{b, a, c}));
    EXPECT_TRUE(m_observer.m_hints.empty()) << "the caller announces the change";

    AddToNamedList(list, a, false, false);
    AddToNamedList(list, b, false, false);
    ASSERT_EQ(records(), (std::vector<CRecordNode*>{b, a, c, a, b}));
    // Each record given takes away its first entry still there; a record listed twice and
    // given once keeps its later entry.
    RemoveManyFromNamedList(list, {a, c, nullptr, b, a});
    EXPECT_EQ(records(), (std::vector<CRecordNode*>{b}));
    RemoveManyFromNamedList(list, {c});
    EXPECT_EQ(records(), (std::vector<CRecordNode*>{b}));
    RemoveManyFromNamedList(nullptr, {b});
    AddManyToNamedList(nullptr, {b});
}

TEST_F(NamedListTest, DeletedRecordsDropOutOfEveryListButListsStay)
{
    CNamedList* one = GetNamedList("One", false);
    CNamedList* two = GetNamedList("Two", false);
    CRecordNode* kept = Record();
    CRecordNode* deleted = Record();
    AddToNamedList(one, deleted, false, false);
    AddToNamedList(one, kept, false, false);
    AddToNamedList(two, deleted, false, false);
    deleted->SetFlag(DNF_PENDING_DELETE, true);
    RemoveDeletedFromNamedLists();
    ASSERT_EQ(one->Entries().size(), 1u);
    EXPECT_EQ(one->Entries()[0].m_record, kept);
    EXPECT_TRUE(two->Entries().empty());
    EXPECT_EQ(FindNamedList("Two"), two);
}

TEST_F(NamedListTest, ClearingKeepsTheAutomaticListsEmptyAndFreesTheOthers)
{
    CNamedList* bookmarks = GetNamedList("bookmarks", false);
    AddToNamedList(bookmarks, Record(), false, false);
    bookmarks->SetNote("my note");
    GetNamedList("Scratch", false);
    NamedListStore().ClearNamedLists(false);
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"To Do", "bookmarks"}));
    EXPECT_EQ(FindNamedList("Bookmarks"), bookmarks);
    EXPECT_TRUE(bookmarks->Entries().empty());
    EXPECT_TRUE(bookmarks->GetNote().empty());
    EXPECT_TRUE(IsAutoNamedList("TO DO"));
    EXPECT_FALSE(IsAutoNamedList(""));
    EXPECT_TRUE(m_observer.m_hints.empty());
}

TEST_F(NamedListTest, OverlongNamesAreRefusedWithAMessage)
{
    const std::string longest(kMaxNamedListName, 'x');
    EXPECT_EQ(ListNameLengthProblem(longest), "");
    EXPECT_EQ(ListNameLengthProblem(longest + "x"),
              "Name is too long.  The maximum allowed length is 200 characters, "
              "including spaces.");
    std::string accented;
    for (std::size_t i = 0; i < kMaxNamedListName; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(ListNameLengthProblem(accented), "") << "the limit counts characters";
}

} // namespace
