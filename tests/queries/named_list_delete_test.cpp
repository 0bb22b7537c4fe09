// tests/queries/named_list_delete_test.cpp: deleting every record of a named list from the data
// set, and the lists giving up the records an edit deleted.
#include "database/nodes/change_hint.h"
#include "queries/named_list.h"

#include "database/nodes/data_observer.h"
#include "database/nodes/named_list_store.h"
#include "platform/base/wait_cursor.h"
#include "tests/database/gedcom/gedcom_test_support.h"

namespace {

using gedcom_test::CrLf;
using gedcom_test::RecordIds;

/// Passes each notice on as the application's broadcast does: records waiting for deletion
/// leave the named lists before they are freed.
class CListCleaningObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject*, bool) override
    {
        m_hints.push_back(hint);
        if (GetChangedRecords() && !HasNoDeletedChanges())
            RemoveDeletedFromNamedLists();
    }
    std::vector<LPARAM> m_hints;
};

std::string Entries(const CNamedList* list)
{
    std::string text;
    for (const NamedListEntry& entry : list->Entries())
        text += (text.empty() ? "" : " ") + entry.m_record->GetIdText();
    return text;
}

class NamedListDeleteTest : public gedcom_test::CGedcomTest {
protected:
    void SetUp() override
    {
        SetNamedListStore(&NamedListStore());
        CGedcomTest::SetUp();
        SetDataObserver(&m_observer);
    }
    void TearDown() override
    {
        SetDataObserver(nullptr);
        CGedcomTest::TearDown();
        ClearNamedLists(true);
        SetNamedListStore(nullptr);
    }

    CListCleaningObserver m_observer;
};

TEST_F(NamedListDeleteTest, EveryListedRecordGoesOnceAndLeavesEveryList)
{
    ASSERT_TRUE(Load(
        File("in.ged", CrLf({"0 HEAD", "1 _LIST Doomed", "2 _IDS I1,F1,I1,N1", "1 _LIST Others",
                             "2 _IDS I2,I1,N1,I3", "0 @I1@ INDI", "1 FAMS @F1@", "1 NOTE @N1@",
                             "0 @I2@ INDI", "1 FAMS @F1@", "0 @I3@ INDI", "0 @F1@ FAM",
                             "1 HUSB @I2@", "1 WIFE @I1@", "0 @N1@ NOTE Ann's", "0 TRLR"}))));
    CNamedList* doomed = FindNamedList("doomed");
    ASSERT_NE(doomed, nullptr);
    ASSERT_EQ(Entries(doomed), "I1 F1 I1 N1");
    EXPECT_TRUE(doomed->DeleteAllRecords());
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{kHintRecordsEdited})
        << "one edit, announced once";
    EXPECT_EQ(RecordIds(), "I2 I3");
    EXPECT_EQ(FindNamedList("Doomed"), doomed) << "an emptied list stays";
    EXPECT_EQ(Entries(doomed), "");
    EXPECT_EQ(Entries(FindNamedList("Others")), "I2 I3");
    EXPECT_EQ(WaitCursorDepth(), 0);
    EXPECT_TRUE(doomed->DeleteAllRecords());
    EXPECT_EQ(m_observer.m_hints.size(), 1u) << "an empty list deletes and announces nothing";
}

} // namespace
