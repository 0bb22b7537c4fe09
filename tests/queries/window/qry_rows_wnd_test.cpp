// tests/queries/window/qry_rows_wnd_test.cpp: the query window's Rows tab driven as the user would:
// its editor tabs per record type, rows loaded with their own condition, the unsaved-changes
// question, Add, Update, the moves and Delete checked in the query and in its file read back
// through the engine, and a read-only query browsed with its controls disabled.
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/cmd_ui.h"
#include "queries/query_filter.h"
#include "queries/window/qry_filter_list_wnd.h"
#include "tests/queries/window/query_window_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kRows = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"People\"\n"
                              "TAG=\"Name\",\"INDI.NAME\",,,80\n"
                              "FILTER=LST,EXC,IF,N,\"\",\"Done\"\n"
                              "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n"
                              "FILTER=LST,ADD,UNLESS,N,\"\",\"Later\"\n";

class QueryRowsTest : public CQueryWindowFixture {
protected:
    void SetUp() override
    {
        CQueryWindowFixture::SetUp();
        test_support::WriteFile(m_folder + "/Standard/People.avq", kRows);
        test_support::WriteFile(m_folder + "/Custom/Mine.avq", kRows);
        test_support::WriteFile(m_folder + "/Custom/Locked.avq",
                                std::string(kRows) + "ATTR=READ_ONLY\n");
        test_support::WriteFile(m_folder + "/Custom/Families.avq",
                                "[Ardenvel Query]\nTYPE=FAM\nFILTER=LST,ADD,IF,N,\"\",\"Done\"\n");
    }
    /// The window showing the query on its Rows tab.
    void OpenRows(const std::string& name, bool custom)
    {
        Open(name, custom);
        m_window->SelectTabIndex(kTabRows);
    }
    CQryRowsWnd& Rows() { return m_window->GetRowsPane(); }
    CQryFilterListWnd& ListEditor()
    {
        return *dynamic_cast<CQryFilterListWnd*>(Rows().GetEditor(FilterEditorKind::List));
    }
    CComboBox& Combo(CWnd& pane, int id) { return *dynamic_cast<CComboBox*>(pane.GetDlgItem(id)); }
    static std::string Text(const CWnd& wnd)
    {
        std::string text;
        wnd.GetWindowText(text);
        return text;
    }
    std::string TabTitles()
    {
        std::string titles;
        for (int i = 0; i < Rows().GetTabs()->GetItemCount(); ++i)
            titles += (i ? "|" : "") + Rows().GetTabs()->GetItemText(i);
        return titles;
    }
    /// The list's rows, the cells of each joined by "/", the rows by "|".
    std::string ListRows()
    {
        std::string rows;
        CTreeBox& box = Rows().GetList().GetBox();
        for (CTreeBoxNode* node = box.GetFirstItem(); node; node = node->m_nextSibling)
            rows += (rows.empty() ? "" : "|") + box.GetCellText(node, 0) + "/" +
                    box.GetCellText(node, 1) + "/" + box.GetCellText(node, 2);
        return rows;
    }
    /// The rows of a query, described.
    static std::string Describe(const CQueryDef& query)
    {
        std::string rows;
        for (int i = 0; i < query.GetFilterCount(); ++i)
            rows += (i ? "|" : "") + query.GetFilter(i)->Describe();
        return rows;
    }
    /// The rows of the custom query's file as the engine reads them back.
    std::string FileRows(const std::string& name)
    {
        auto query = CQueryDef::Create();
        std::string error;
        EXPECT_TRUE(query->Load(name, true, error)) << error;
        return Describe(*query);
    }
    /// Clicks a row of the list as the user does.
    void ClickRow(int index)
    {
        CTreeBox& box = Rows().GetList().GetBox();
        CRect rect;
        ASSERT_TRUE(box.GetItemRect(box.GetItemByIndex(index), rect, CTreeBox::kTextCell, true));
        TestHooks::PostMouse(box, TestHooks::MouseEvent::LeftDown, rect.CenterPoint(), MK_LBUTTON);
        TestHooks::PostMouse(box, TestHooks::MouseEvent::LeftUp, rect.CenterPoint(), 0);
        TestHooks::DeliverPosted();
    }
    /// Runs a toolbar command as its button does: only when its update leaves it enabled.
    bool Command(UINT id)
    {
        CCmdUI state;
        state.m_nID = id;
        if (!m_window->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) || !state.IsEnabled())
            return false;
        return m_window->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr) != FALSE;
    }
    bool Enabled(int id) { return Rows().GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    std::string Messages()
    {
        return testing::PrintToString(test_support::TextsOf(TestHooks::TakeMessages()));
    }
};

TEST_F(QueryRowsTest, TheEditorTabsFollowTheRecordTypeAndARowShowsTheTabOfItsKind)
{
    struct Case {
        const char* name;
        const char* tabs;
        int listTab;
    } const cases[] = {
        {"Mine", "General|Relations|List", 2},
        {"Families", "General|List", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenRows(c.name, true);
        EXPECT_EQ(TabTitles(), c.tabs);
        // The first row, a list row, is selected and loaded with its own condition.
        EXPECT_EQ(Rows().GetSelectedRow(), 0);
        EXPECT_EQ(Rows().GetTabs()->GetCurSel(), c.listTab);
        EXPECT_EQ(Rows().GetShownEditor(), &ListEditor());
        EXPECT_TRUE(ListEditor().IsWindowVisible());
        EXPECT_EQ(Text(Combo(ListEditor(), kFilterListNameCombo)), "Done");
        EXPECT_TRUE(Enabled(kRowsAddButton));
        EXPECT_TRUE(Enabled(kRowsUpdateButton));
    }
    EXPECT_EQ(ListRows(), "Add if in list \"Done\"//");
    EXPECT_EQ(Combo(ListEditor(), kFilterConditionCombo).GetCurSel(), 0);
    // A pasted tab stays inside its cell; a line break, which the file cannot hold, is refused.
    TestHooks::SetText(ListEditor(), kFilterListNameCombo, "Tab\there");
    TestHooks::Click(Rows(), kRowsAddButton);
    const std::string rows = "Add if in list \"Done\"//|Add if in list \"Tab here\"//";
    EXPECT_EQ(ListRows(), rows);
    TestHooks::SetText(ListEditor(), kFilterListNameCombo, "Two\r\nlines");
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::Click(Rows(), kRowsAddButton);
    EXPECT_EQ(Messages(), "{ \"This filter cannot be kept in the query file. Check that the list "
                          "name has no line breaks.\" }");
    EXPECT_EQ(ListRows(), rows);
    EXPECT_EQ(FileRows("Families"), "Add if in list \"Done\"|Add if in list \"Tab\there\"");
    EXPECT_EQ(CWnd::GetFocus(), ListEditor().GetDlgItem(kFilterListNameCombo));
}

TEST_F(QueryRowsTest, AnEditedRowIsUpdatedAddedDiscardedOrKeptBeforeAnotherRowLoadsItsOwnCondition)
{
    struct Case {
        int choice;
        const char* rows;
        int selected;
        const char* listName;
        int condition;
    } const cases[] = {
        {1302,
         "Add unless in list \"Done\"|Add unless %INDI.NAME% is null|Add unless in list "
         "\"Later\"",
         2, "Later", 1},
        {1303,
         "Exclude if in list \"Done\"|Add unless %INDI.NAME% is null|Add unless in list "
         "\"Later\"|Add unless in list \"Done\"",
         2, "Later", 1},
        {1304,
         "Exclude if in list \"Done\"|Add unless %INDI.NAME% is null|Add unless in list "
         "\"Later\"",
         2, "Later", 1},
        {IDCANCEL,
         "Exclude if in list \"Done\"|Add unless %INDI.NAME% is null|Add unless in "
         "list \"Later\"",
         0, "Done", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        test_support::WriteFile(m_folder + "/Custom/Mine.avq", kRows);
        OpenRows("Mine", true);
        TestHooks::SelectItem(ListEditor(), kFilterConditionCombo, 1);
        EXPECT_TRUE(ListEditor().IsChanged());
        std::string question;
        TestHooks::OnNextDialog(263, [&](CDialog& dialog) {
            dialog.GetDlgItemText(1295, question);
            if (c.choice == IDCANCEL)
                TestHooks::Click(dialog, IDCANCEL);
            else {
                TestHooks::Click(dialog, c.choice);
                TestHooks::Click(dialog, IDOK);
            }
        });
        ClickRow(2);
        EXPECT_EQ(question, "You have unsaved filter changes.  What do you wish to do?");
        EXPECT_EQ(Describe(*m_window->GetQuery()), c.rows);
        EXPECT_EQ(FileRows("Mine"), c.rows);
        EXPECT_EQ(Rows().GetSelectedRow(), c.selected);
        EXPECT_EQ(Text(Combo(ListEditor(), kFilterListNameCombo)), c.listName);
        // The row loaded shows its own condition, whatever the editor held before.
        EXPECT_EQ(Combo(ListEditor(), kFilterConditionCombo).GetCurSel(), c.condition);
    }
}

TEST_F(QueryRowsTest, SwitchingEditorTabsByHandCarriesTheConditionOver)
{
    OpenRows("Mine", true);
    ClickRow(1);
    CQryFilterWnd& general = *Rows().GetEditor(FilterEditorKind::General);
    EXPECT_EQ(Rows().GetTabs()->GetCurSel(), 0);
    EXPECT_EQ(Text(Combo(general, 1104)), "INDI.NAME");
    EXPECT_EQ(Combo(general, kFilterConditionCombo).GetCurSel(), 1);
    for (int tab : {2, 1, 0}) {
        TestHooks::SelectItem(Rows(), 1138, tab);
        EXPECT_TRUE(Rows().GetShownEditor()->IsWindowVisible());
        EXPECT_EQ(Combo(*Rows().GetShownEditor(), kFilterConditionCombo).GetCurSel(), 1) << tab;
    }
    TestHooks::SelectItem(Rows(), 1138, 1);
    TestHooks::SelectItem(*Rows().GetShownEditor(), kFilterConditionCombo, 3);
    TestHooks::SelectItem(Rows(), 1138, 2);
    EXPECT_EQ(Combo(ListEditor(), kFilterConditionCombo).GetCurSel(), 3);
}

TEST_F(QueryRowsTest, AddUpdateMovesAndDeleteReachTheQueryAndItsFile)
{
    OpenRows("Mine", true);
    CQueryDef& query = *m_window->GetQuery();
    // A list name that no list has is kept as typed.
    TestHooks::SetText(ListEditor(), kFilterListNameCombo, "Nobody's list");
    TestHooks::SelectItem(ListEditor(), kFilterConditionCombo, 3);
    TestHooks::Click(Rows(), kRowsAddButton);
    const std::string added = "Exclude unless in list \"Nobody's list\"";
    EXPECT_EQ(Rows().GetSelectedRow(), 3);
    EXPECT_EQ(Rows().GetCurrentFilter(), query.GetFilter(3));
    EXPECT_FALSE(ListEditor().IsChanged());
    const std::string rows = "Exclude if in list \"Done\"|Add unless %INDI.NAME% is null|Add "
                             "unless in list \"Later\"|";
    EXPECT_EQ(FileRows("Mine"), rows + added);
    EXPECT_EQ(Command(ID_ROWS_MOVE_DOWN), false);

    TestHooks::SelectItem(ListEditor(), kFilterConditionCombo, 2);
    TestHooks::Click(Rows(), kRowsUpdateButton);
    EXPECT_EQ(FileRows("Mine"), rows + "Exclude if in list \"Nobody's list\"");
    EXPECT_EQ(ListRows().substr(ListRows().rfind('|') + 1),
              "Exclude if in list \"Nobody's list\"//");

    EXPECT_TRUE(Command(ID_ROWS_MOVE_UP));
    EXPECT_TRUE(Command(ID_ROWS_MOVE_UP));
    EXPECT_EQ(Rows().GetSelectedRow(), 1);
    EXPECT_EQ(FileRows("Mine"), "Exclude if in list \"Done\"|Exclude if in list \"Nobody's "
                                "list\"|Add unless %INDI.NAME% is null|Add unless in list "
                                "\"Later\"");
    EXPECT_TRUE(Command(ID_ROWS_MOVE_DOWN));
    EXPECT_EQ(Rows().GetCurrentFilter(), query.GetFilter(2));
    EXPECT_EQ(FileRows("Mine"), "Exclude if in list \"Done\"|Add unless %INDI.NAME% is "
                                "null|Exclude if in list \"Nobody's list\"|Add unless in list "
                                "\"Later\"");

    // Deleting takes the row at the same place next, and the last one leaves the General tab.
    EXPECT_TRUE(Command(ID_ROWS_DELETE));
    EXPECT_EQ(Rows().GetSelectedRow(), 2);
    EXPECT_EQ(Text(Combo(ListEditor(), kFilterListNameCombo)), "Later");
    while (query.GetFilterCount() > 0)
        ASSERT_TRUE(Command(ID_ROWS_DELETE));
    EXPECT_EQ(FileRows("Mine"), "");
    EXPECT_EQ(ListRows(), "");
    EXPECT_EQ(Rows().GetTabs()->GetCurSel(), 0);
    EXPECT_EQ(Rows().GetCurrentFilter(), nullptr);
    EXPECT_FALSE(Enabled(kRowsUpdateButton));
    EXPECT_FALSE(Command(ID_ROWS_DELETE));
    EXPECT_EQ(Text(Combo(ListEditor(), kFilterListNameCombo)), "");
    EXPECT_EQ(Text(Combo(*Rows().GetEditor(FilterEditorKind::General), 1104)), "");
}

TEST_F(QueryRowsTest, AReadOnlyQueryIsBrowsedWithEveryEditorControlDisabled)
{
    struct Case {
        const char* name;
        bool custom;
    } const cases[] = {{"People", false}, {"Locked", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenRows(c.name, c.custom);
        ClickRow(2);
        EXPECT_EQ(Rows().GetSelectedRow(), 2);
        EXPECT_EQ(Text(Combo(ListEditor(), kFilterListNameCombo)), "Later");
        for (int id : {kFilterConditionCombo, kFilterListNameCombo})
            EXPECT_FALSE(ListEditor().GetDlgItem(id)->IsWindowEnabled()) << id;
        for (auto kind : {FilterEditorKind::General, FilterEditorKind::Relations})
            for (int id : {kFilterConditionCombo, 1144, 1150})
                EXPECT_FALSE(Rows().GetEditor(kind)->GetDlgItem(id)->IsWindowEnabled()) << id;
        ClickRow(1);
        for (int id : {kFilterConditionCombo, 1104, 1105, 1106, 1144, 1150})
            EXPECT_FALSE(Rows().GetShownEditor()->GetDlgItem(id)->IsWindowEnabled()) << id;
        EXPECT_FALSE(Enabled(kRowsAddButton));
        EXPECT_FALSE(Enabled(kRowsUpdateButton));
        for (UINT id : {ID_ROWS_MOVE_UP, ID_ROWS_MOVE_DOWN, ID_ROWS_DELETE})
            EXPECT_FALSE(Command(id)) << id;
        // Adding and leaving the tab change nothing and ask nothing.
        EXPECT_TRUE(Rows().AddFilter());
        EXPECT_TRUE(m_window->CommitActivePage());
        EXPECT_EQ(m_window->GetQuery()->GetFilterCount(), 3);
        EXPECT_EQ(ListRows().substr(0, ListRows().find('|')), "Exclude if in list \"Done\"//");
    }
}

} // namespace
