// tests/queries/lists/named_list_pane_test.cpp: the named-lists pane: rows that keep their own
// entries and notes through moves, sorts, removals and deletions; the list order saved from
// them; Delete by focused part; and the pane's own notices not refilling it.
#include "tests/queries/lists/named_list_fixture.h"

#include "database/nodes/data_node.h"
#include "queries/lists/named_list_dlgs.h"
#include "tests/database/nodes/faulting_observer.h"

#include <stdexcept>

namespace {

class NamedListPaneTest : public CNamedListUiTest, private INamedListPaneHost {
protected:
    void SetUp() override
    {
        CNamedListUiTest::SetUp();
        m_twice = MakeList("Twice", {{"John", "first"}, {"Carl", "carl"}, {"John", "second"}});
        ASSERT_TRUE(m_pane.Create(&m_host, 5, CRect(0, 0, 400, 600), this));
        m_pane.ShowWindow(SW_SHOW);
        m_paneObserver.m_pane = &m_pane;
        m_pane.FillLists();
    }
    void TearDown() override
    {
        m_paneObserver.m_pane = nullptr;
        m_pane.DestroyWindow();
        CNamedListUiTest::TearDown();
    }

    void OnNamedListPaneFocus(CNamedListPane*) override { ++m_focusNotes; }
    void OnNamedListPaneChanged(CNamedListPane*) override { ++m_changeNotes; }

    CTreeBox& Items() { return m_pane.GetItemsGrid().GetBox(); }
    CTreeBoxNode* Row(int index) { return Items().GetItemByIndex(index); }
    /// The ids of the items grid's rows, separated by blanks.
    std::string Rows()
    {
        std::string ids;
        for (CTreeBoxNode* row = Items().GetFirstItem(); row; row = row->m_nextSibling)
            ids += (ids.empty() ? "" : " ") + CTagGrid::NodeOf(row)->GetRecord()->GetIdText();
        return ids;
    }
    void SelectRow(int index)
    {
        Items().ClearSelection(nullptr, true);
        m_pane.GetItemsGrid().SelectRow(Row(index), false, true);
    }
    std::string Note()
    {
        std::string text;
        m_pane.GetNoteBox().GetWindowText(text);
        return text;
    }
    void TypeNote(const std::string& text)
    {
        m_pane.GetNoteBox().SetFocus();
        m_pane.GetNoteBox().SetWindowText(text);
        m_pane.GetNoteBox().SetModify(TRUE);
        m_pane.GetItemsGrid().GetBox().SetFocus();
    }

    CNamedListPane m_pane;
    CNamedList* m_twice = nullptr;
    int m_focusNotes = 0;
    int m_changeNotes = 0;
};

TEST_F(NamedListPaneTest, RowsOfARecordListedTwiceKeepTheirOwnEntriesWhenTheOrderIsSaved)
{
    m_pane.SelectList(m_twice);
    ASSERT_EQ(Rows(), "I1 I7 I1");
    SelectRow(2);
    EXPECT_EQ(Note(), "second");
    m_pane.MoveSelectedItems(true);
    m_pane.MoveSelectedItems(true);
    ASSERT_EQ(Rows(), "I1 I1 I7");
    SelectRow(0);
    EXPECT_EQ(Note(), "second");
    SelectRow(1);
    EXPECT_EQ(Note(), "first");

    ASSERT_TRUE(m_pane.SaveListOrder(m_twice));
    EXPECT_EQ(Entries(*m_twice), "I1:second I1:first I7:carl");

    // Sorting the grid changes the display only, until the order is saved again.
    m_pane.GetItemsGrid().OnSortAlphabetical();
    EXPECT_EQ(Entries(*m_twice), "I1:second I1:first I7:carl");
    ASSERT_TRUE(m_pane.SaveListOrder(m_twice));
    EXPECT_EQ(Rows(), "I7 I1 I1");
    EXPECT_EQ(Entries(*m_twice), "I7:carl I1:second I1:first");
    EXPECT_FALSE(m_pane.SaveListOrder(FindNamedList("Done")));
}

TEST_F(NamedListPaneTest, NotesFollowTheirRowsThroughRemovalsAndDeletions)
{
    m_pane.SelectList(m_twice);
    SelectRow(0);
    TypeNote("line one\r\nline two");
    EXPECT_EQ(m_twice->Entries()[0].m_note, "line one\nline two");
    SelectRow(1);
    SelectRow(0);
    EXPECT_EQ(Note(), "line one\r\nline two");

    // Removing the first John row keeps the second John entry and its note.
    m_pane.GetItemsGrid().GetBox().SetFocus();
    SelectRow(0);
    TestHooks::AnswerMessageBox(IDOK);
    m_pane.RemoveSelectedItems();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Remove selected items from the list?"});
    EXPECT_EQ(Entries(*m_twice), "I7:carl I1:second");
    EXPECT_EQ(Rows(), "I7 I1");
    EXPECT_TRUE(Rec("John")->GetParent() != nullptr);

    // Carl deleted from the file: his row goes, John's row still shows John's note.
    Rec("Carl")->GetParent()->DeleteChild(Rec("Carl"));
    NotifyChanges();
    EXPECT_EQ(Entries(*m_twice), "I1:second");
    EXPECT_EQ(Rows(), "I1");
    SelectRow(0);
    EXPECT_EQ(Note(), "second");
}

TEST_F(NamedListPaneTest, DeleteActsOnTheFocusedPart)
{
    m_pane.SelectList(m_twice);
    m_pane.GetListsBox().GetBox().SetFocus();
    EXPECT_TRUE(m_pane.OnUpdateListCommand());
    TestHooks::AnswerMessageBox(IDCANCEL);
    m_pane.RemoveSelectedItems();
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Are you sure you want to delete list \"Twice\"?\n\nNote: when a "
                              "list is deleted, any records that are in the list, are not "
                              "deleted."});
    ASSERT_EQ(FindNamedList("Twice"), m_twice);

    TestHooks::AnswerMessageBox(IDOK);
    m_pane.RemoveSelectedItems();
    Messages();
    EXPECT_EQ(FindNamedList("Twice"), nullptr);
    EXPECT_NE(m_pane.GetSelectedNamedList(), m_twice);
    EXPECT_EQ(m_pane.GetListsBox().GetBox().GetCount(), 1u);
    EXPECT_NE(Rec("John")->GetParent(), nullptr);

    // A read-only pane removes nothing.
    m_pane.SetReadOnly(true);
    m_pane.SelectList(FindNamedList("Done"));
    EXPECT_FALSE(m_pane.OnUpdateListCommand());
    m_pane.RemoveSelectedItems();
    EXPECT_NE(FindNamedList("Done"), nullptr);
}

// The Delete key acts as the Delete command does: in the lists box on the selected list, in
// the items grid on the selected entries; the record itself stays in the file, in a read-only
// pane too.
TEST_F(NamedListPaneTest, DeleteKeyActsOnTheFocusedPartAndNeverOnARecord)
{
    m_pane.SelectList(m_twice);
    m_pane.GetListsBox().GetBox().SetFocus();
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::PostKey(m_pane.GetListsBox().GetBox(), VK_DELETE, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Are you sure you want to delete list \"Twice\"?\n\nNote: when a "
                              "list is deleted, any records that are in the list, are not "
                              "deleted."});
    ASSERT_EQ(FindNamedList("Twice"), m_twice);

    for (const bool readOnly : {false, true}) {
        m_pane.SetReadOnly(readOnly);
        m_pane.SelectList(m_twice);
        Items().SetFocus();
        SelectRow(1);
        if (!readOnly)
            TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PostKey(Items(), VK_DELETE, 0);
        TestHooks::DeliverPosted();
        EXPECT_EQ(Messages(),
                  readOnly ? std::vector<std::string>{}
                           : std::vector<std::string>{"Remove selected items from the list?"});
        EXPECT_EQ(Rows(), "I1 I1");
        EXPECT_NE(Rec("Carl")->GetParent(), nullptr);
    }
}

TEST_F(NamedListPaneTest, OwnNoticesDoNotRefillButOthersDo)
{
    m_pane.SelectList(m_twice);
    SelectRow(2);
    m_pane.MoveSelectedItems(true);
    ASSERT_EQ(Rows(), "I1 I1 I7");

    // Adding from a record list announces the change; the pane keeps its rows as they are.
    CTagGrid source;
    ASSERT_TRUE(source.Create(WS_CHILD, CRect(0, 0, 200, 200), &m_host, 9, nullptr, 0));
    source.SetRecordSet(GetRecordTypeRoot(record_test::kIndi), true, false);
    source.SelectRow(source.FindRowByRecord(Rec("Mary")), false, true);
    const int notices = m_paneObserver.m_listNotices;
    m_pane.AddSelectionToNamedList(&source);
    EXPECT_EQ(m_paneObserver.m_listNotices, notices + 1);
    EXPECT_EQ(Rows(), "I1 I1 I7 I2");
    EXPECT_EQ(Entries(*m_twice), "I1:first I7:carl I1:second I2:");

    // The one record already listed is selected again, not added.
    source.GetBox().ClearSelection(nullptr, true);
    source.SelectRow(source.FindRowByRecord(Rec("Carl")), false, true);
    m_pane.AddSelectionToNamedList(&source);
    EXPECT_EQ(m_twice->Entries().size(), 4u);
    EXPECT_EQ(m_pane.GetCurrentRecord(), Rec("Carl"));

    // A notice from elsewhere refills the grid in the list's own order.
    NotifyNamedListsChanged();
    EXPECT_EQ(Rows(), "I1 I7 I1 I2");
    EXPECT_EQ(m_pane.GetSelectedNamedList(), m_twice);
    source.DestroyWindow();
}

TEST_F(NamedListPaneTest, AFaultInItsOwnNoticeLeavesThePaneFollowingLaterNotices)
{
    m_pane.SelectList(m_twice);
    SelectRow(2);
    m_pane.MoveSelectedItems(true);
    ASSERT_EQ(Rows(), "I1 I1 I7");

    CTagGrid source;
    ASSERT_TRUE(source.Create(WS_CHILD, CRect(0, 0, 200, 200), &m_host, 9, nullptr, 0));
    source.SetRecordSet(GetRecordTypeRoot(record_test::kIndi), true, false);
    source.SelectRow(source.FindRowByRecord(Rec("Mary")), false, true);
    node_test::CFaultingObserver faulting(m_paneObserver);
    SetDataObserver(&faulting);
    EXPECT_THROW(m_pane.AddSelectionToNamedList(&source), std::logic_error);
    SetDataObserver(&m_paneObserver);

    // The pane no longer takes notices for its own: one from elsewhere refills it.
    NotifyNamedListsChanged();
    EXPECT_EQ(Rows(), "I1 I7 I1 I2");
    source.DestroyWindow();
}

TEST_F(NamedListPaneTest, ThousandsOfListsAndLongNotes)
{
    for (int i = 0; i < 3000; ++i) {
        CNamedList* list = GetNamedList("List " + std::to_string(i), false);
        if (i % 2)
            AddToNamedList(list, Rec("John"), false, false);
    }
    // Megabytes of note in short lines are shown and edited; a note with a line too long to
    // lay out is shown as such, read-only, and kept.
    std::string lines;
    while (lines.size() < 4 * 1024 * 1024)
        lines += std::string(100, 'x') + "\n";
    const std::string oneLine(3 * 1024 * 1024, 'y');
    m_twice->Entries()[1].m_note = lines;
    m_twice->Entries()[2].m_note = oneLine;
    m_pane.FillLists();
    EXPECT_EQ(m_pane.GetListsBox().GetBox().GetCount(), 3002u);
    m_pane.SelectList(m_twice);
    SelectRow(1);
    TypeNote(Note() + "!");
    EXPECT_EQ(m_twice->Entries()[1].m_note, lines + "!");
    SelectRow(2);
    EXPECT_EQ(Note(), OverlongNoteText());
    TypeNote("changed");
    EXPECT_EQ(m_twice->Entries()[2].m_note, oneLine);

    // The notice that the named lists changed keeps the selected list and the counts read from the
    // lists.
    NotifyNamedListsChanged();
    EXPECT_EQ(m_pane.GetSelectedNamedList(), m_twice);
    EXPECT_EQ(m_pane.GetListsBox().GetBox().GetCellText(m_pane.GetListsBox().FindRow(m_twice), 1),
              "3");
}

TEST_F(NamedListPaneTest, LongListsFillRemoveAndSaveInOnePass)
{
    // Removing row by row took time that grew with the square of the rows (a second for ten
    // thousand); a list of a hundred thousand entries is handled at once.
    CNamedList* big = GetNamedList("Big", false);
    const char* names[] = {"John", "Mary", "Carl"};
    for (int i = 0; i < 100000; ++i) {
        AddToNamedList(big, Rec(names[i % 3]), false, false);
        big->Entries().back().m_note = std::to_string(i);
    }
    m_pane.FillLists();
    m_pane.SelectList(big);
    ASSERT_EQ(Items().GetCount(), 100000u);
    int index = 0;
    for (CTreeBoxNode* row = Items().GetFirstItem(); row; row = row->m_nextSibling)
        Items().SetItemSelected(row, index++ % 2 == 0, false);
    Items().SetFocus();
    TestHooks::AnswerMessageBox(IDOK);
    m_pane.RemoveSelectedItems();
    Messages();
    ASSERT_EQ(big->Entries().size(), 50000u);
    EXPECT_EQ(big->Entries()[0].m_note, "1");
    EXPECT_EQ(big->Entries()[49999].m_note, "99999");
    EXPECT_EQ(Items().GetCount(), 50000u);

    // The rows left still stand for their own entries: the order saved keeps every note.
    SelectRow(int(Items().GetCount()) - 1);
    m_pane.MoveSelectedItems(true);
    ASSERT_TRUE(m_pane.SaveListOrder(big));
    EXPECT_EQ(big->Entries()[49998].m_note, "99999");
    EXPECT_EQ(big->Entries()[49999].m_note, "99997");
}

} // namespace
