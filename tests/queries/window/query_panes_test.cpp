// tests/queries/window/query_panes_test.cpp: the query window's General and Columns tabs driven as
// the user would, each edit checked in the query and in its file read back through the engine.
#include "database/dictionary/record_type_table.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/window/sub_view_query.h"
#include "tests/queries/window/query_window_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kPeople = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"People\"\n"
                                "TAG=\"Name\",\"INDI.NAME\",,,80\n"
                                "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

class QueryPanesTest : public CQueryWindowFixture {
protected:
    void SetUp() override
    {
        CQueryWindowFixture::SetUp();
        test_support::WriteFile(m_folder + "/Standard/People.avq", kPeople);
        test_support::WriteFile(m_folder + "/Custom/Mine.avq", kPeople);
    }
    CQueryDef& Query() { return *m_window->GetQuery(); }
    void AddColumn(const std::string& path)
    {
        auto column = std::make_unique<CQueryColumn>();
        ASSERT_TRUE(column->m_ref.SetText(path));
        Query().AddColumn(std::move(column));
    }
    CQryGenWnd& General() { return m_window->GetGeneralPane(); }
    CQryColsWnd& Columns() { return m_window->GetColumnsPane(); }
    /// The Columns tab shown and the column list's rows.
    std::string Rows()
    {
        std::string text;
        for (CTreeBoxNode* row = Columns().GetColumnList().GetBox().GetFirstItem(); row;
             row = row->m_nextSibling)
            text += (text.empty() ? "" : "|") + row->m_text.str();
        return text;
    }
    /// Clicks row index of the column list as the user would.
    void ClickRow(int index)
    {
        CTreeBox& box = Columns().GetColumnList().GetBox();
        CRect rect;
        ASSERT_TRUE(box.GetItemRect(box.GetItemByIndex(index), rect, TBP_TEXT, true));
        TestHooks::PostMouse(box, TestHooks::MouseEvent::LeftDown, rect.CenterPoint(), MK_LBUTTON);
        TestHooks::PostMouse(box, TestHooks::MouseEvent::LeftUp, rect.CenterPoint(), 0);
        TestHooks::DeliverPosted();
    }
    /// The pane's commands of ids that are enabled now, in the order given.
    std::string EnabledCommands(std::initializer_list<UINT> ids)
    {
        std::string text;
        for (UINT id : ids) {
            CCmdUI state;
            state.m_nID = id;
            if (Columns().OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) && state.IsEnabled())
                text += (text.empty() ? "" : " ") + std::to_string(id);
        }
        return text;
    }
    /// Each column of a query as heading, path, sort, hidden mark and width.
    static std::string ColumnsOf(const CQueryDef& query)
    {
        std::string text;
        for (const auto& column : query.GetColumns()) {
            std::string ref;
            column->m_ref.Format(ref);
            text += (text.empty() ? "" : "|") + column->m_heading + "," + ref + "," +
                    std::to_string(column->m_sort) + (column->m_hidden ? ",hidden," : ",") +
                    std::to_string(column->m_width);
        }
        return text;
    }
    CComboBox& List(CWnd& pane, int id) { return *dynamic_cast<CComboBox*>(pane.GetDlgItem(id)); }
    std::string Caption() { return Text(m_window->GetTabsDialog(), 1516); }
    static std::string Text(CWnd& pane, int id)
    {
        std::string text;
        if (CWnd* control = pane.GetDlgItem(id))
            control->GetWindowText(text);
        return text;
    }
    std::string Messages()
    {
        return testing::PrintToString(test_support::TextsOf(TestHooks::TakeMessages()));
    }
    /// The custom query's file as the engine reads it back.
    std::shared_ptr<CQueryDef> ReadBack(const std::string& name)
    {
        auto query = CQueryDef::Create();
        std::string error;
        EXPECT_TRUE(query->Load(name, true, error)) << error;
        return query;
    }
};

TEST_F(QueryPanesTest, OnlyAnEditableCustomQueryTakesTypeAndTextsWhileThePrintListsAlwaysWork)
{
    test_support::WriteFile(m_folder + "/Custom/Locked.avq",
                            std::string(kPeople) + "ATTR=READ_ONLY\n");
    struct Case {
        const char* name;
        bool custom;
        const char* caption;
        bool editable;
    };
    const Case cases[] = {
        {"People", false, "Standard Query (read only)", false},
        {"Locked", true, "Custom Query - read only", false},
        {"Mine", true, "Custom Query", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file =
            m_folder + (c.custom ? "/Custom/" : "/Standard/") + c.name + ".avq";
        const std::string before = test_support::ReadFile(file);
        Open(c.name, c.custom);
        EXPECT_EQ(Caption(), c.caption);
        EXPECT_EQ(General().GetDlgItem(CQryGenWnd::kReadOnly)->IsWindowVisible() != FALSE,
                  c.custom);
        EXPECT_EQ(General().GetDlgItem(CQryGenWnd::kTypeList)->IsWindowEnabled() != FALSE,
                  c.editable);
        EXPECT_EQ(List(General(), CQryGenWnd::kTypeList).GetCurSel(), 0);
        EXPECT_EQ(Text(General(), CQryGenWnd::kTitle), "People");

        TestHooks::SelectItem(General(), CQryGenWnd::kOrientation, QOR_PORTRAIT);
        TestHooks::SelectItem(General(), CQryGenWnd::kMultiPage, QMP_ACROSS_ONE_MAX);
        EXPECT_EQ(Query().GetOrientation(), QOR_PORTRAIT);
        EXPECT_EQ(Query().GetMultiPage(), QMP_ACROSS_ONE_MAX);
        if (c.editable) {
            auto saved = ReadBack(c.name);
            EXPECT_EQ(saved->GetOrientation(), QOR_PORTRAIT);
            EXPECT_EQ(saved->GetMultiPage(), QMP_ACROSS_ONE_MAX);
        } else {
            // Kept in memory only: the supplied file is never rewritten.
            EXPECT_EQ(test_support::ReadFile(file), before);
            EXPECT_TRUE(Query().IsDirty());
        }
        EXPECT_EQ(Messages(), "{}");
    }
}

TEST_F(QueryPanesTest, WithoutAQueryTheCaptionReadsAsTheWindowsTitle)
{
    Open("People", false);
    ASSERT_EQ(Caption(), "Standard Query (read only)");
    m_window->SetQuery(nullptr, true);
    std::string title;
    m_window->GetTitle(title);
    EXPECT_EQ(title, "<No Query>");
    EXPECT_EQ(Caption(), title);
    Open("Mine", true);
    EXPECT_EQ(Caption(), "Custom Query");
}

TEST_F(QueryPanesTest, TextsAreStoredWhenTheyLoseTheFocusOrTheTabChangesAndReadOnlyReachesTheFile)
{
    Open("Mine", true);
    CWnd& description = *General().GetDlgItem(CQryGenWnd::kDescription);
    description.SetFocus();
    TestHooks::SetText(General(), CQryGenWnd::kDescription, "Everyone named\r\nat all");
    EXPECT_EQ(Query().GetDescription(), "");
    General().GetDlgItem(CQryGenWnd::kTitle)->SetFocus();
    EXPECT_EQ(Query().GetDescription(), "Everyone named\r\nat all");
    TestHooks::SetText(General(), CQryGenWnd::kTitle, "All the people");
    TestHooks::SetText(General(), CQryGenWnd::kSubtitle, "in %#x");
    EXPECT_EQ(Query().Title().GetText(), "People");
    ASSERT_TRUE(m_window->CommitActivePage());
    EXPECT_EQ(Query().Title().GetText(), "All the people");
    {
        auto saved = ReadBack("Mine");
        EXPECT_EQ(saved->GetDescription(), "Everyone named\r\nat all");
        EXPECT_EQ(saved->Title().GetText(), "All the people");
        EXPECT_EQ(saved->Subtitle().GetText(), "in %#x");
    }

    // Ticking Read Only writes the mark; the texts then cannot be typed in and the type is fixed.
    TestHooks::Click(General(), CQryGenWnd::kReadOnly);
    EXPECT_TRUE(ReadBack("Mine")->IsReadOnly());
    EXPECT_EQ(Caption(), "Custom Query - read only");
    EXPECT_FALSE(General().GetDlgItem(CQryGenWnd::kTypeList)->IsWindowEnabled());
    TestHooks::Click(General(), CQryGenWnd::kReadOnly);
    EXPECT_FALSE(ReadBack("Mine")->IsReadOnly());
    EXPECT_EQ(Caption(), "Custom Query");
    EXPECT_EQ(Messages(), "{}");
}

TEST_F(QueryPanesTest, TheTypeQuestionIsAskedOnceUntilTheTabShowsAgainAndCancelPutsTheEntryBack)
{
    Open("Mine", true);
    CComboBox& types = List(General(), CQryGenWnd::kTypeList);
    const std::string question =
        "{ \"If you change query type, existing row and column selections will be cleared.\" }";

    // The type the query has asks nothing.
    TestHooks::SelectItem(General(), CQryGenWnd::kTypeList, 0);
    EXPECT_EQ(Messages(), "{}");

    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::SelectItem(General(), CQryGenWnd::kTypeList, 1);
    EXPECT_EQ(Messages(), question);
    EXPECT_EQ(types.GetCurSel(), 0);
    EXPECT_EQ(Query().GetRecordType(), GetRecordTypeDef(0));
    EXPECT_EQ(Query().GetColumnCount(false), 1);

    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::SelectItem(General(), CQryGenWnd::kTypeList, 1);
    EXPECT_EQ(Messages(), question);
    EXPECT_EQ(Query().GetRecordType(), GetRecordTypeDef(1));
    EXPECT_EQ(Query().GetColumnCount(false), 0);
    EXPECT_EQ(Query().GetFilterCount(), 0);
    {
        auto saved = ReadBack("Mine");
        EXPECT_EQ(saved->GetRecordType(), GetRecordTypeDef(1));
        EXPECT_EQ(saved->GetColumnCount(false), 0);
        EXPECT_EQ(saved->GetFilterCount(), 0);
    }

    // Agreed once: a further change, now with a column again, asks nothing.
    AddColumn("FAM.MARR.DATE");
    TestHooks::SelectItem(General(), CQryGenWnd::kTypeList, 2);
    EXPECT_EQ(Messages(), "{}");
    EXPECT_EQ(Query().GetRecordType(), GetRecordTypeDef(2));

    // Shown again, the tab asks again.
    AddColumn("NOTE");
    m_window->SelectTabIndex(kTabColumns);
    m_window->SelectTabIndex(kTabGeneral);
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::SelectItem(General(), CQryGenWnd::kTypeList, 3);
    EXPECT_EQ(Messages(), question);
    EXPECT_EQ(types.GetCurSel(), 2);

    // Rows are cleared too, so a query with rows and no columns is asked about as well.
    test_support::WriteFile(m_folder + "/Custom/Rows.avq",
                            "[Ardenvel Query]\nTYPE=INDI\n"
                            "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n");
    Open("Rows", true);
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::SelectItem(General(), CQryGenWnd::kTypeList, 1);
    EXPECT_EQ(Messages(), question);
    EXPECT_EQ(Query().GetFilterCount(), 1);
}

TEST_F(QueryPanesTest, AddAndUpdateCheckTheFieldsThenListTheColumnAndWriteIt)
{
    Open("Mine", true);
    m_window->SelectTabIndex(kTabColumns);
    CWnd& pane = Columns();
    auto* expression = dynamic_cast<CEdit*>(pane.GetDlgItem(CQryColsWnd::kExpression));
    const std::pair<const char*, const char*> refused[] = {
        {"", "Missing expression."},
        {"=Nothing(", "The expression entered is not recognised as a valid function, or some "
                      "parameters were entered incorrectly."},
        {"INDI.NOSUCH", "The expression entered is not recognised as a valid tag 'address'."},
        {"FAM.MARR.DATE", "Invalid data reference for the current query type."},
        {"=AgeAt(,%FAM.MARR.DATE%)", "Invalid expression for the current query type."},
    };
    for (const auto& [typed, message] : refused) {
        SCOPED_TRACE(typed);
        TestHooks::SetText(pane, CQryColsWnd::kHeading, "Born");
        TestHooks::SetText(pane, CQryColsWnd::kExpression, typed);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(pane, CQryColsWnd::kAdd);
        EXPECT_EQ(Messages(), "{ \"" + std::string(message) + "\" }");
        EXPECT_EQ(CWnd::GetFocus(), expression);
        int start = -1, end = -1;
        expression->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, int(std::string(typed).size()));
        EXPECT_EQ(Query().GetColumnCount(false), 1);
    }

    // Blanks for a heading are kept as typed and listed as no heading.
    TestHooks::SetText(pane, CQryColsWnd::kHeading, "   ");
    TestHooks::SetText(pane, CQryColsWnd::kExpression, "INDI.BIRT.DATE");
    TestHooks::SelectItem(pane, CQryColsWnd::kSort, QCS_DESCENDING);
    TestHooks::Click(pane, CQryColsWnd::kHidden);
    EXPECT_FALSE(pane.GetDlgItem(CQryColsWnd::kUpdate)->IsWindowEnabled());
    TestHooks::Click(pane, CQryColsWnd::kAdd);
    EXPECT_EQ(Rows(), "Name\tINDI.NAME\t\t|<no heading>\tINDI.BIRT.DATE\tD\tY");
    EXPECT_EQ(ColumnsOf(*ReadBack("Mine")), "Name,INDI.NAME,0,80|   ,INDI.BIRT.DATE,2,hidden,80");
    EXPECT_FALSE(Columns().IsEdited());

    // Update takes the selected column.
    ClickRow(0);
    EXPECT_EQ(Text(pane, CQryColsWnd::kExpression), "INDI.NAME");
    ASSERT_TRUE(pane.GetDlgItem(CQryColsWnd::kUpdate)->IsWindowEnabled());
    TestHooks::SetText(pane, CQryColsWnd::kHeading, "Full name");
    TestHooks::SelectItem(pane, CQryColsWnd::kSort, QCS_ASCENDING);
    TestHooks::Click(pane, CQryColsWnd::kUpdate);
    EXPECT_EQ(Rows(), "Full name\tINDI.NAME\tA\t|<no heading>\tINDI.BIRT.DATE\tD\tY");
    EXPECT_EQ(ColumnsOf(*ReadBack("Mine")),
              "Full name,INDI.NAME,1,80|   ,INDI.BIRT.DATE,2,hidden,80");
    EXPECT_EQ(Messages(), "{}");
}

TEST_F(QueryPanesTest, LeavingTheTabWithUnsavedEditsOffersUpdateOnlyWithAColumnSelected)
{
    Open("Mine", true);
    m_window->SelectTabIndex(kTabColumns);
    CWnd& pane = Columns();
    CWnd& tabs = m_window->GetTabsDialog();
    TestHooks::SetText(pane, CQryColsWnd::kHeading, "Given");
    bool updateOffered = true;
    TestHooks::OnNextDialog(263, [&updateOffered](CDialog& dialog) {
        updateOffered = dialog.GetDlgItem(1302)->IsWindowEnabled() != FALSE;
        TestHooks::Click(dialog, IDCANCEL);
    });
    TestHooks::SelectItem(tabs, 70, kTabRows);
    EXPECT_FALSE(updateOffered);
    EXPECT_EQ(m_window->GetActiveTab(), kTabColumns);

    // Choosing a row asks too; Discard lets it through.
    TestHooks::OnNextDialog(263, [](CDialog& dialog) {
        TestHooks::Click(dialog, 1304);
        TestHooks::Click(dialog, IDOK);
    });
    ClickRow(0);
    EXPECT_EQ(Columns().GetCurrentColumn(), 0);
    EXPECT_EQ(Text(pane, CQryColsWnd::kHeading), "Name");

    TestHooks::SetText(pane, CQryColsWnd::kHeading, "Known as");
    TestHooks::OnNextDialog(263, [&updateOffered](CDialog& dialog) {
        updateOffered = dialog.GetDlgItem(1302)->IsWindowEnabled() != FALSE;
        TestHooks::Click(dialog, IDOK);
    });
    TestHooks::SelectItem(tabs, 70, kTabRows);
    EXPECT_TRUE(updateOffered);
    EXPECT_EQ(m_window->GetActiveTab(), kTabRows);
    EXPECT_EQ(ColumnsOf(*ReadBack("Mine")), "Known as,INDI.NAME,0,80");
}

TEST_F(QueryPanesTest, MovesDeletesAndFieldsAsColumnsFollowTheirEnablingWhileTheMenuAlwaysWorks)
{
    test_support::WriteFile(m_folder + "/Custom/Three.avq",
                            "[Ardenvel Query]\nTYPE=INDI\nTAG=\"A\",\"INDI.NAME\"\n"
                            "TAG=\"B\",\"INDI.SEX\"\nTAG=\"C\",\"INDI.BIRT.DATE\"\n");
    Open("Three", true);
    m_window->SelectTabIndex(kTabColumns);
    const std::initializer_list<UINT> moves = {ID_MOVE_COLUMN_UP, ID_MOVE_COLUMN_DOWN,
                                               ID_DELETE_COLUMN};
    EXPECT_EQ(EnabledCommands(moves), "");
    ClickRow(0);
    EXPECT_EQ(EnabledCommands(moves), "32834 32801");
    ClickRow(2);
    EXPECT_EQ(EnabledCommands(moves), "32833 32801");
    ASSERT_TRUE(TestHooks::RunCommand(Columns(), ID_MOVE_COLUMN_UP));
    EXPECT_EQ(Columns().GetCurrentColumn(), 1);
    ASSERT_TRUE(TestHooks::RunCommand(Columns(), ID_MOVE_COLUMN_UP));
    EXPECT_EQ(EnabledCommands(moves), "32834 32801");
    EXPECT_EQ(ColumnsOf(*ReadBack("Three")),
              "C,INDI.BIRT.DATE,0,80|A,INDI.NAME,0,80|B,INDI.SEX,0,80");
    ClickRow(1);
    ASSERT_TRUE(TestHooks::RunCommand(Columns(), ID_DELETE_COLUMN));
    EXPECT_EQ(Rows(), "C\tINDI.BIRT.DATE\t\t|B\tINDI.SEX\t\t");
    EXPECT_EQ(ColumnsOf(*ReadBack("Three")), "C,INDI.BIRT.DATE,0,80|B,INDI.SEX,0,80");

    // A field of the tree becomes a column named by its labels.
    CTypeTree& tree = Columns().GetFieldTree();
    const auto child = [&tree](CTreeBoxNode* parent, const std::string& label) {
        if (parent)
            tree.ExpandItem(parent, true, 1);
        CTreeBoxNode* node = parent ? parent->m_firstChild : tree.GetFirstItem();
        while (node && tree.GetItemLabel(node) != label)
            node = node->m_nextSibling;
        return node;
    };
    CTreeBoxNode* date = child(child(child(nullptr, "Events"), "Birth"), "Date");
    ASSERT_TRUE(date);
    EXPECT_EQ(EnabledCommands({ID_ADD_FIELD_AS_COLUMN}), "");
    tree.SetFocusItem(date, true);
    EXPECT_EQ(Text(Columns(), CQryColsWnd::kTip), "Date");
    ASSERT_TRUE(TestHooks::RunCommand(Columns(), ID_ADD_FIELD_AS_COLUMN));
    EXPECT_EQ(ColumnsOf(*ReadBack("Three")),
              "C,INDI.BIRT.DATE,0,80|B,INDI.SEX,0,80|Birth.Date,INDI.BIRT.DATE,0,80");

    // A standard query: every edit is grey, but the tree's switches still work. Its tree is
    // filled anew, without the description of the field chosen before.
    std::string error;
    auto people = FindOrLoadQuery("People", false, error);
    ASSERT_TRUE(people) << error;
    m_window->SetQuery(people, true);
    EXPECT_EQ(Text(Columns(), CQryColsWnd::kTip), "");
    m_window->SelectTabIndex(kTabColumns);
    ClickRow(0);
    EXPECT_EQ(EnabledCommands({ID_FIELD_TREE_MENU, ID_ADD_FIELD_AS_COLUMN, ID_MOVE_COLUMN_UP,
                               ID_MOVE_COLUMN_DOWN, ID_DELETE_COLUMN}),
              "32877");
    for (int id : {CQryColsWnd::kHeading, CQryColsWnd::kExpression, CQryColsWnd::kSort,
                   CQryColsWnd::kHidden, CQryColsWnd::kAdd, CQryColsWnd::kUpdate})
        EXPECT_FALSE(Columns().GetDlgItem(id)->IsWindowEnabled()) << id;
    TestHooks::AnswerPopupMenu(ID_SHOW_QUALIFIERS);
    ASSERT_TRUE(TestHooks::RunCommand(Columns(), ID_FIELD_TREE_MENU));
    EXPECT_EQ(
        TestHooks::PopupMenuItems(),
        (std::vector<std::string>{"Show &Linked Records [checked]", "Show &Qualifiers [checked]"}));
    TestHooks::AnswerPopupMenu(0);
    ASSERT_TRUE(TestHooks::RunCommand(Columns(), ID_FIELD_TREE_MENU));
    EXPECT_EQ(TestHooks::PopupMenuItems(),
              (std::vector<std::string>{"Show &Linked Records [checked]", "Show &Qualifiers"}));
}

TEST_F(QueryPanesTest, HeadingAndExpressionShareTheWidthThatSortAndHiddenLeave)
{
    Open("Mine", true);
    m_window->SelectTabIndex(kTabColumns);
    CColumnHeader& header = Columns().GetColumnList().GetHeader();
    const int sort = header.GetColumnWidth(2), hidden = header.GetColumnWidth(3);
    m_window->MoveWindow(0, 0, 1000, 500);
    CRect client;
    Columns().GetColumnList().GetBox().GetClientRect(&client);
    EXPECT_EQ(header.GetColumnWidth(2), sort);
    EXPECT_EQ(header.GetColumnWidth(3), hidden);
    // Equal shares at the start stay equal but for rounding.
    EXPECT_NEAR(header.GetColumnWidth(0), header.GetColumnWidth(1), 4);
    EXPECT_GT(header.GetColumnWidth(0), 150);
    EXPECT_EQ(header.GetColumnRight(3), client.Width());
}

} // namespace
