// tests/queries/lists/records_window_pane_test.cpp: the pane as the records window makes and
// drives it, and the Add to Named List command.
#include "queries/lists/records_window_pane.h"
#include "tests/queries/lists/named_list_fixture.h"

#include "database/records/record_node.h"
#include "queries/lists/named_list_dlgs.h"
#include "records/window/named_lists_pane.h"

namespace {

class RecordsWindowPaneTest : public CNamedListUiTest, public INamedListsPaneHost {
protected:
    void TearDown() override
    {
        InstallNamedListsPaneFactory(nullptr);
        CNamedListUiTest::TearDown();
    }
    void OnNamedListsPaneFocus() override {}
    void OnNamedListsPaneChanged() override { ++m_changes; }

    /// Runs Add to Named List for records, typing name and ticking Replace when asked;
    /// answer is the answer to the question about a new list (0: none expected).
    bool Add(const std::vector<CRecordNode*>& records, const std::string& name, bool replace,
             int answer = 0)
    {
        TestHooks::OnNextDialog(kAddToNamedListTemplate, [&](CDialog& dlg) {
            TestHooks::SetText(dlg, IDC_ADD_TO_LIST_COMBO, name);
            if (replace)
                TestHooks::Click(dlg, IDC_ADD_TO_LIST_REPLACE);
            if (answer)
                TestHooks::AnswerMessageBox(answer);
            TestHooks::Click(dlg, IDOK);
            if (dlg.IsWindowVisible())
                TestHooks::Click(dlg, IDCANCEL);
        });
        const bool added = AddRecordsToNamedList(nullptr, records);
        TestHooks::TakeMessages();
        return added;
    }

    int m_changes = 0;
};

TEST_F(RecordsWindowPaneTest, AddToNamedListAddsEachRecordOnceAndAnnouncesOnce)
{
    const int notices = m_paneObserver.m_listNotices;
    EXPECT_TRUE(Add({Rec("Tom"), Rec("Sue"), Rec("John"), Rec("Tom")}, "done", false));
    EXPECT_EQ(Entries(*FindNamedList("Done")), "I5: I6: I1:");
    EXPECT_EQ(m_paneObserver.m_listNotices, notices + 1);

    EXPECT_TRUE(Add({Rec("Anne")}, "DONE", true));
    EXPECT_EQ(Entries(*FindNamedList("Done")), "I4:");

    EXPECT_FALSE(Add({Rec("Anne")}, "Later", false, IDCANCEL));
    EXPECT_EQ(FindNamedList("Later"), nullptr);
    EXPECT_TRUE(Add({Rec("Anne")}, " Later\t", false, IDOK));
    EXPECT_EQ(Entries(*FindNamedList("Later")), "I4:");
    EXPECT_EQ(m_paneObserver.m_listNotices, notices + 3);
}

TEST_F(RecordsWindowPaneTest, InstalledPaneAnnouncesPropertiesWithoutRefillingItself)
{
    EXPECT_EQ(MakeNamedListsPane(), nullptr);
    InstallNamedListsPane();
    std::unique_ptr<INamedListsPane> pane = MakeNamedListsPane();
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(pane->Create(&m_host, 4, CRect(0, 0, 300, 500), this));
    ASSERT_NE(pane->GetWnd(), nullptr);
    pane->GetWnd()->ShowWindow(SW_SHOW);
    CNamedList* done = FindNamedList("Done");
    pane->FillLists();
    pane->SelectList(done);
    EXPECT_EQ(pane->GetSelectedNamedList(), done);
    EXPECT_GT(m_changes, 0);

    const int notices = m_paneObserver.m_listNotices;
    TestHooks::OnNextDialog(kListPropsTemplate, [](CDialog& dlg) {
        TestHooks::SetText(dlg, IDC_LIST_PROPS_NAME, "Finished");
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_TRUE(pane->EditListProperties(done));
    EXPECT_EQ(done->GetName(), "Finished");
    EXPECT_EQ(m_paneObserver.m_listNotices, notices + 1);

    TestHooks::OnNextDialog(kListPropsTemplate,
                            [](CDialog& dlg) { TestHooks::Click(dlg, IDCANCEL); });
    EXPECT_FALSE(pane->EditListProperties(done));
    EXPECT_EQ(m_paneObserver.m_listNotices, notices + 1);

    TestHooks::OnNextDialog(kDeleteListRecordsTemplate, [](CDialog& dlg) {
        TestHooks::Click(dlg, IDC_DELETE_RECORDS_CHECK);
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_TRUE(pane->ConfirmDeleteAllRecords(done));
    pane->GetWnd()->DestroyWindow();
}

TEST_F(RecordsWindowPaneTest, InstalledPaneGivesEverySelectedItemAsTheSelectedRecords)
{
    CNamedList* list = MakeList("Three", {{"John", ""}, {"Carl", ""}, {"Mary", ""}});
    InstallNamedListsPane();
    std::unique_ptr<INamedListsPane> pane = MakeNamedListsPane();
    ASSERT_TRUE(pane->Create(&m_host, 4, CRect(0, 0, 300, 500), this));
    auto& real = dynamic_cast<CNamedListPane&>(*pane->GetWnd());
    real.ShowWindow(SW_SHOW);
    pane->FillLists();
    pane->SelectList(list);
    CTreeBox& items = real.GetItemsGrid().GetBox();
    items.ClearSelection(nullptr, true);
    for (const int index : {0, 2})
        items.SetItemSelected(items.GetItemByIndex(index), true, false);

    std::vector<CRecordNode*> records;
    pane->GetSelectedRecords(records);
    EXPECT_EQ(Ids(records), "I1 I2") << "the Select Records dialog starts with both";
    real.DestroyWindow();
}

TEST_F(RecordsWindowPaneTest, InstalledPaneMovesItemRowsOnlyWithTheItemsGridFocused)
{
    CNamedList* list = MakeList("Three", {{"John", ""}, {"Carl", ""}, {"Mary", ""}});
    InstallNamedListsPane();
    std::unique_ptr<INamedListsPane> pane = MakeNamedListsPane();
    ASSERT_TRUE(pane->Create(&m_host, 4, CRect(0, 0, 300, 500), this));
    auto& real = dynamic_cast<CNamedListPane&>(*pane->GetWnd());
    real.ShowWindow(SW_SHOW);
    pane->FillLists();
    pane->SelectList(list);
    CTagGrid& items = real.GetItemsGrid();
    const auto rows = [&items] {
        std::string ids;
        for (CTreeBoxNode* row = items.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
            ids += CTagGrid::NodeOf(row)->GetRecord()->GetIdText() + " ";
        return ids;
    };
    ASSERT_EQ(rows(), "I1 I7 I2 ");
    items.SelectRow(items.GetBox().GetItemByIndex(1), false, true);

    real.GetListsBox().GetBox().SetFocus();
    EXPECT_FALSE(pane->CanMoveSelectedItems(true)) << "the lists box has the focus";
    pane->MoveSelectedItems(true);
    EXPECT_EQ(rows(), "I1 I7 I2 ");

    items.GetBox().SetFocus();
    EXPECT_TRUE(pane->CanMoveSelectedItems(true));
    EXPECT_TRUE(pane->CanMoveSelectedItems(false));
    pane->MoveSelectedItems(true);
    EXPECT_EQ(rows(), "I7 I1 I2 ");
    CRect moved;
    ASSERT_TRUE(
        items.GetBox().GetItemRect(items.GetBox().GetFirstItem(), moved, CTreeBox::kRow, true));
    EXPECT_GE(moved.top, 0) << "the row moved to the top is in view";
    EXPECT_FALSE(pane->CanMoveSelectedItems(true)) << "the first row stays";
    pane->MoveSelectedItems(false);
    pane->MoveSelectedItems(false);
    EXPECT_EQ(rows(), "I1 I2 I7 ");
    EXPECT_FALSE(pane->CanMoveSelectedItems(false)) << "the last row stays";
    EXPECT_EQ(Entries(*list), "I1: I7: I2:") << "moves change only the display";
    real.DestroyWindow();
}

} // namespace
