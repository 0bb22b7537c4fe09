// tests/queries/window/query_panes_test.cpp: the query window's General and Columns tabs driven as
// the user would, each edit checked in the query and in its file read back through the engine.
#include "database/dictionary/record_type_table.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/window/sub_view_query.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kPeople = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"People\"\n"
                                "TAG=\"Name\",\"INDI.NAME\",,,80\n"
                                "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

class QueryPanesTest : public CQueryFamilyTest {
protected:
    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        controls_test::UseCompiledResources();
        test_support::WriteFile(m_folder + "/Standard/People.avq", kPeople);
        test_support::WriteFile(m_folder + "/Custom/Mine.avq", kPeople);
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 800, 500), nullptr, 0));
    }
    void TearDown() override
    {
        m_window.reset();
        m_host.DestroyWindow();
        TestHooks::TakeMessages();
        CQueryFamilyTest::TearDown();
    }
    /// The window showing the query name of the kind given.
    void Open(const std::string& name, bool custom)
    {
        m_window = std::make_unique<CSubViewQuery>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE,
                               CRect(0, 0, 800, 500), &m_host, 99));
        std::string error;
        auto query = FindOrLoadQuery(name, custom, error);
        ASSERT_TRUE(query) << error;
        m_window->SetQuery(query, true);
    }
    CQueryDef& Query() { return *m_window->GetQuery(); }
    void AddColumn(const std::string& path)
    {
        auto column = std::make_unique<CQueryColumn>();
        ASSERT_TRUE(column->m_ref.SetText(path));
        Query().AddColumn(std::move(column));
    }
    CQryGenWnd& General() { return m_window->GetGeneralPane(); }
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

    CWnd m_host;
    std::unique_ptr<CSubViewQuery> m_window;
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

} // namespace
