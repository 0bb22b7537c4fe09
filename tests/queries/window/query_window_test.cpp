// tests/queries/window/query_window_test.cpp: the query window and its bar over the test family:
// the enabling of the bar's commands in each state, runs that succeed, are cancelled or fail
// (keeping the rows shown before), input dropped during a run, the combo, deleting custom queries,
// tabs, titles, the shared parameter editors, printing and the Split Tree Helper.
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "database/records/record_node.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/lists/named_list_dlgs.h"
#include "queries/named_list.h"
#include "queries/query_def.h"
#include "queries/query_filter.h"
#include "queries/query_heading.h"
#include "queries/window/qry_dialogs.h"
#include "queries/window/qry_params_dlg.h"
#include "queries/window/query_save.h"
#include "queries/window/split_tree_dlg.h"
#include "queries/window/sub_view_query.h"
#include "tests/queries/window/query_window_fixture.h"
#include "tests/queries/window/test_query_row.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

constexpr const char* kPeople = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"People\"\n"
                                "TAG=\"Name\",\"INDI.NAME\",,,80\n"
                                "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

class WindowObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject* object, bool) override
    {
        if (m_window)
            m_window->OnUpdate(nullptr, hint, object);
    }
    CSubViewQuery* m_window = nullptr;
};

class QueryWindowTest : public CQueryWindowFixture {
protected:
    void SetUp() override
    {
        CQueryWindowFixture::SetUp();
        test_support::WriteFile(m_folder + "/Standard/People.avq", kPeople);
        test_support::WriteFile(m_folder + "/Custom/Mine.avq", kPeople);
    }
    void TearDown() override
    {
        SetDataObserver(nullptr);
        CQueryWindowFixture::TearDown();
    }
    void MakeWindow()
    {
        CQueryWindowFixture::MakeWindow();
        m_observer.m_window = m_window.get();
        SetDataObserver(&m_observer);
    }
    CQryBar& Bar() { return m_window->GetBar(); }
    CComboBox& Combo() { return *Bar().GetCombo(); }
    /// The commands of the bar that are enabled now, in the order given.
    std::string Enabled(std::initializer_list<UINT> ids)
    {
        std::string text;
        for (UINT id : ids) {
            CCmdUI state;
            state.m_nID = id;
            if (Bar().OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr) && state.IsEnabled())
                text += (text.empty() ? "" : " ") + std::to_string(id);
        }
        return text;
    }
    std::string Entries()
    {
        std::string text;
        for (int i = 0; i < Combo().GetCount(); ++i) {
            std::string entry;
            Combo().GetLBText(i, entry);
            text += (i ? "|" : "") + entry;
        }
        return text;
    }
    std::string Messages()
    {
        return testing::PrintToString(test_support::TextsOf(TestHooks::TakeMessages()));
    }

    WindowObserver m_observer;
};

TEST_F(QueryWindowTest, TheBarsCommandsFollowTheWindowsState)
{
    const std::initializer_list<UINT> all = {ID_RUN_QUERY,
                                             ID_RUN_INVERTED,
                                             ID_CANCEL_QUERY,
                                             ID_QUERY_MENU,
                                             ID_NEW_CUSTOM_QUERY,
                                             ID_SAVE_AS_CUSTOM_QUERY,
                                             ID_DELETE_CUSTOM_QUERY,
                                             ID_FILE_PRINT,
                                             ID_FILE_PRINT_PREVIEW,
                                             ID_SAVE_RESULTS,
                                             ID_EDIT_COPY,
                                             ID_ADD_RESULTS_TO_LIST,
                                             ID_REMOVE_RESULTS_FROM_LIST};
    MakeWindow();
    // The first entry is the standard query, loaded at once: a standard query cannot be deleted.
    EXPECT_EQ(Entries(), "Mine (custom)|People");
    EXPECT_EQ(Enabled(all), "32883 32899 32887 32890 32892 32893");
    Combo().SetCurSel(1);
    Bar().OnSelChangeQuery();
    EXPECT_EQ(Enabled(all), "32883 32899 32887 32890 32892");
    m_window->SelectTabIndex(kTabResults);
    EXPECT_EQ(Enabled(all), "32883 32899 32887 32890 32892 57607 57609 32977");
    Bar().RunQuery(false, false);
    EXPECT_EQ(Enabled(all), "32883 32899 32887 32890 32892 57607 57609 32977 57634 33086 33089");
    m_window->SetQuery(nullptr, true);
    EXPECT_EQ(Enabled(all), "32887 32890");
    std::string title;
    m_window->GetTitle(title);
    EXPECT_EQ(title, "<No Query>");
}

TEST_F(QueryWindowTest, TheResultSetIsAddedToANamedListOnceAndRemovedFromIt)
{
    MakeWindow();
    Bar().RunQuery(true, false);
    CQryResultGrid& grid = m_window->GetResultGrid();
    const int rows = grid.GetRowCount();
    ASSERT_GT(rows, 2);
    const auto answer = [](const char* name, bool replace) {
        TestHooks::OnNextDialog(kAddToNamedListTemplate, [name, replace](CDialog& dialog) {
            dialog.SetDlgItemText(IDC_ADD_TO_LIST_COMBO, name);
            if (replace)
                TestHooks::Click(dialog, IDC_ADD_TO_LIST_REPLACE);
            TestHooks::Click(dialog, IDOK);
        });
    };
    const auto listed = [](const CNamedList& list) {
        std::vector<CRecordNode*> records;
        for (const NamedListEntry& entry : list.Entries())
            records.push_back(entry.m_record);
        return records;
    };
    std::vector<CRecordNode*> result;
    for (int row = 0; row < rows; ++row)
        result.push_back(grid.GetRowRecord(row));

    // Added in row order; a record listed already is not listed twice.
    CNamedList* list = GetNamedList("Found", false);
    AddToNamedList(list, result[1], false, true);
    answer("Found", false);
    ASSERT_TRUE(TestHooks::RunCommand(Bar(), ID_ADD_RESULTS_TO_LIST));
    std::vector<CRecordNode*> expected = {result[1], result[0]};
    expected.insert(expected.end(), result.begin() + 2, result.end());
    EXPECT_EQ(listed(*list), expected);

    // Removed: each record's first entry goes, so a record listed twice keeps one.
    AddToNamedList(list, result[0], false, false);
    answer("Found", false);
    ASSERT_TRUE(TestHooks::RunCommand(Bar(), ID_REMOVE_RESULTS_FROM_LIST));
    EXPECT_EQ(listed(*list), std::vector<CRecordNode*>{result[0]});

    // Replacing the list's contents empties it first.
    answer("Found", true);
    ASSERT_TRUE(TestHooks::RunCommand(Bar(), ID_ADD_RESULTS_TO_LIST));
    EXPECT_EQ(listed(*list), result);
    delete list;
}

TEST_F(QueryWindowTest, ASuccessfulRunShowsTheResultSetTabAndEmptiesTheQuerysOwnResult)
{
    MakeWindow();
    ASSERT_EQ(m_window->GetActiveTab(), kTabGeneral);
    Bar().RunQuery(true, false);
    EXPECT_EQ(m_window->GetActiveTab(), kTabResults);
    EXPECT_EQ(m_window->GetResultGrid().GetRowCount(), 7);
    EXPECT_EQ(m_window->GetResultCountText(), "Records in Result Set: 7");
    EXPECT_TRUE(m_window->GetQuery()->GetResult().IsEmpty());
    EXPECT_FALSE(m_window->GetQuery()->IsInverted());
    // A run that finds nothing keeps the column headings, and the grid counts as filled (no
    // print or save runs the query again for want of columns).
    Bar().RunQuery(true, true);
    CQryResultGrid& grid = m_window->GetResultGrid();
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(m_window->GetResultCountText(), "Records in Result Set: 0");
    EXPECT_FALSE(m_window->GetQuery()->IsInverted());
    ASSERT_EQ(grid.GetColumnCount(), 1);
    std::string heading;
    grid.GetGridColumn(0, nullptr, &heading);
    EXPECT_EQ(heading, "Name");
    EXPECT_EQ(grid.GetHeader().GetColumnCount(), 1);
    EXPECT_TRUE(grid.IsFilled());
}

TEST_F(QueryWindowTest, CancelAndFailureKeepThePreviousRowsAndDropInputMeanwhile)
{
    MakeWindow();
    Bar().RunQuery(false, false);
    CQryResultGrid& grid = m_window->GetResultGrid();
    ASSERT_EQ(grid.GetRowCount(), 7);
    grid.SetGridSelection(2, 0, false, false);
    CQueryDef* query = m_window->GetQuery();

    // Cancel pressed while the worker is inside its first row; a key typed meanwhile is lost.
    query->AddFilter(std::make_unique<CTestQueryRow>(query, CTestQueryRow::Mode::WaitForCancel));
    TestHooks::PostKey(grid.GetCells(), VK_DOWN, 0);
    Bar().PostMessage(WM_COMMAND, ID_CANCEL_QUERY);
    TestHooks::AnswerMessageBox(IDOK);
    Bar().RunQuery(false, false);
    EXPECT_EQ(Messages(), "{ \"Query cancelled\" }");
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(grid.GetSelection().top, 2);
    EXPECT_FALSE(query->CancelledFlag().load());
    EXPECT_TRUE(query->GetResult().IsEmpty());

    // A failing row.
    query->RemoveFilter(query->GetFilter(1));
    query->AddFilter(std::make_unique<CTestQueryRow>(query, CTestQueryRow::Mode::Throw));
    TestHooks::AnswerMessageBox(IDOK);
    Bar().RunQuery(false, false);
    EXPECT_EQ(Messages(), "{ \"An error occurred during execution of query.  Query has been "
                          "cancelled.\" }");
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_FALSE(query->ErrorFlag().load());
    // The Cancel command does nothing while idle.
    EXPECT_EQ(Enabled({ID_CANCEL_QUERY}), "");
}

/// A window that, on a message posted to it, notes which window holds the mouse and presses the
/// bar's Cancel as a click on the toolbar's button does.
class CCaptureProbe final : public CWnd {
public:
    static constexpr UINT kLook = WM_USER + 77;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kLook)
            return CWnd::WindowProc(message, wParam, lParam);
        m_looked = true;
        m_capture = GetCapture();
        if (m_bar)
            m_bar->SendMessage(WM_COMMAND, ID_CANCEL_QUERY);
        return 0;
    }
    CWnd* m_bar = nullptr;
    bool m_looked = false;
    CWnd* m_capture = nullptr;
};

TEST_F(QueryWindowTest, DuringARunNoWindowHoldsTheMouseSoTheCancelButtonCanBeClicked)
{
    MakeWindow();
    CQueryDef* query = m_window->GetQuery();
    query->AddFilter(std::make_unique<CTestQueryRow>(query, CTestQueryRow::Mode::WaitForCancel));
    CCaptureProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, nullptr, "probe", WS_CHILD, CRect(0, 0, 10, 10), &m_host, 7));
    probe.m_bar = &Bar();
    probe.PostMessage(CCaptureProbe::kLook);
    TestHooks::AnswerMessageBox(IDOK);
    Bar().RunQuery(false, false);
    ASSERT_TRUE(probe.m_looked);
    EXPECT_EQ(probe.m_capture, nullptr) << "a captured toolbar takes its buttons' clicks itself";
    EXPECT_EQ(Messages(), "{ \"Query cancelled\" }");
    EXPECT_FALSE(Bar().GetToolBar().IsBusy());
    probe.DestroyWindow();
}

TEST_F(QueryWindowTest, AQueryWithoutARecordTypeDoesNotRunAndSaysNothing)
{
    MakeWindow();
    m_window->GetQuery()->SetRecordType(nullptr);
    Bar().RunQuery(true, false);
    EXPECT_EQ(m_window->GetActiveTab(), kTabGeneral);
    EXPECT_EQ(Messages(), "{}");
}

TEST_F(QueryWindowTest, AFileChangedByAnotherProgramIsReplacedOnlyWhenTheUserSaysYes)
{
    std::string error;
    auto query = FindOrLoadQuery("Mine", true, error);
    ASSERT_TRUE(query) << error;
    const std::string path = m_folder + "/Custom/Mine.avq";
    const std::string theirs = std::string(kPeople) + "DESC=\ntheirs\n.\n";
    test_support::WriteFile(path + ".new", theirs);
    std::filesystem::rename(path + ".new", path);
    query->SetDescription("ours");

    TestHooks::AnswerMessageBox(IDNO);
    EXPECT_FALSE(CommitQueryChange(*query));
    auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, testing::HasSubstr("has been changed by another program"));
    EXPECT_EQ(shown[0].style, UINT(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
    EXPECT_EQ(test_support::ReadFile(path), theirs);
    EXPECT_TRUE(query->IsDirty());

    TestHooks::AnswerMessageBox(IDYES);
    EXPECT_TRUE(CommitQueryChange(*query));
    EXPECT_EQ(TestHooks::TakeMessages().size(), 1u);
    EXPECT_THAT(test_support::ReadFile(path), testing::HasSubstr("ours"));
    EXPECT_FALSE(query->IsDirty());
}

TEST_F(QueryWindowTest, DeletingACustomQueryRemovesItsEntryUnlessItsFileStays)
{
    test_support::WriteFile(m_folder + "/Custom/Other.avq", kPeople);
    MakeWindow();
    ASSERT_EQ(Entries(), "Mine (custom)|Other (custom)|People");
    Combo().SetCurSel(1);
    Bar().OnSelChangeQuery();

    // A file that cannot be removed (a folder stands in its place) keeps its entry.
    std::filesystem::remove(m_folder + "/Custom/Other.avq");
    std::filesystem::create_directories(m_folder + "/Custom/Other.avq/inside");
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);
    Bar().OnDeleteCustomQuery();
    EXPECT_EQ(Messages(), "{ \"If you delete this query it will no longer be available to be "
                          "used - not just with the current tree file, but with any tree "
                          "file.\\n\\nDo you wish to proceed?\", \"An error has occurred - "
                          "cannot delete query\" }");
    EXPECT_EQ(Entries(), "Mine (custom)|Other (custom)|People");
    ASSERT_NE(m_window->GetQuery(), nullptr);
    EXPECT_EQ(m_window->GetQuery()->GetName(), "Other");

    std::filesystem::remove_all(m_folder + "/Custom/Other.avq");
    test_support::WriteFile(m_folder + "/Custom/Other.avq", kPeople);
    TestHooks::AnswerMessageBox(IDOK);
    Bar().OnDeleteCustomQuery();
    Messages();
    EXPECT_EQ(Entries(), "Mine (custom)|People");
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/Custom/Other.avq"));
    EXPECT_EQ(Combo().GetCurSel(), 1);
    EXPECT_EQ(m_window->GetQuery()->GetName(), "People");
}

TEST_F(QueryWindowTest, TheComboListsNewFilesOnDropDownAndKeepsBothKindsOfAName)
{
    MakeWindow();
    test_support::WriteFile(m_folder + "/Custom/People.avq", kPeople);
    Bar().SendMessage(WM_COMMAND, MAKEWPARAM(1161, CBN_DROPDOWN), 0);
    EXPECT_EQ(Entries(), "Mine (custom)|People|People (custom)");
    Combo().SetCurSel(2);
    Bar().OnSelChangeQuery();
    EXPECT_TRUE(m_window->GetQuery()->IsCustom());
    EXPECT_EQ(m_window->GetCaptionColour(), RGB(0, 128, 0));
}

TEST_F(QueryWindowTest, OnlyFourTabsCanBeSelected)
{
    MakeWindow();
    for (int index : {3, 4, -1, 99})
        m_window->SelectTabIndex(index);
    EXPECT_EQ(m_window->GetActiveTab(), kTabResults);
    m_window->SelectTab(ID_QUERY_TAB_FIRST + 1);
    EXPECT_EQ(m_window->GetActiveTab(), kTabColumns);
}

TEST_F(QueryWindowTest, ParametersAskingTheSameQuestionShareOneEditor)
{
    InstallQueryParameterDialog();
    test_support::WriteFile(m_folder + "/Custom/Params.avq",
                            "[Ardenvel Query]\nTYPE=INDI\nTAG=\"Name\",\"INDI.NAME\",,,80\n"
                            "FILTER=REL,ADD,IF,Y,\"Person\",DESC,,\n"
                            "FILTER=REL,ADD,IF,Y,\"Person\",ANC,,\n"
                            "FILTER=REL,ADD,IF,Y,\"Other\",ANC,,\n");
    auto query = CQueryDef::Create();
    std::string error;
    ASSERT_TRUE(query->Load("Params", true, error)) << error;
    int editors = -1;
    TestHooks::OnNextDialog(217, [&editors](CDialog& dialog) {
        editors = static_cast<CQryParamsDlg&>(dialog).GetEditorCount();
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_FALSE(AskQueryParameters(*query, false, true, nullptr));
    EXPECT_EQ(editors, 2);
}

TEST_F(QueryWindowTest, AMonthAndDayParameterIsAskedCheckedAndBoundAtRunTime)
{
    InstallQueryParameterDialog();
    auto query = LoadText("[Ardenvel Query]\nTYPE=INDI\nTAG=\"Name\",\"INDI.NAME\",,,80\n"
                          "FILTER=GEN,ADD,IF,Y,\"Birthday\",\"INDI.BIRT.DATE:MONTH_AND_DAY\",,"
                          "\"=\"\n");
    ASSERT_NE(query, nullptr);
    std::string label;
    TestHooks::OnNextDialog(217, [&label](CDialog& dialog) {
        auto& params = static_cast<CQryParamsDlg&>(dialog);
        ASSERT_EQ(params.GetEditorCount(), 1);
        CValueEditor* editor = params.GetEditor(0);
        editor->GetDlgItem(VALUE_EDITOR_LABEL_ID)->GetWindowText(label);
        const int input = editor->GetInputControl()->GetDlgCtrlID();
        // A date is no month and day: refused, and the dialog stays.
        TestHooks::SetText(*editor, input, "1 JAN 1900");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        TestHooks::SetText(*editor, input, "1/1");
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_TRUE(AskQueryParameters(*query, false, false, nullptr));
    EXPECT_EQ(label, "Birthday:");
    EXPECT_EQ(Messages(), "{ \"Enter a month and day as month/day, such as 12/25.\" }");
    ASSERT_TRUE(EvaluateQuery(*query));
    EXPECT_EQ(Ids(query->GetResult().GetRecords()), "I1");
}

TEST_F(QueryWindowTest, ANameOfBlanksOrWithASlashIsRefusedByTheNewAndSaveAsDialogs)
{
    MakeWindow();
    // New Custom Query: Create stays grey while the name is empty; blanks are refused.
    TestHooks::OnNextDialog(266, [](CDialog& dialog) {
        EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        TestHooks::SetText(dialog, 1306, "   ");
        EXPECT_TRUE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        TestHooks::SetText(dialog, 1306, " Family sizes ");
        TestHooks::SelectItem(dialog, 1307, 1);
        TestHooks::Click(dialog, IDOK);
    });
    Bar().OnNewCustomQuery();
    EXPECT_EQ(Messages(), "{ \"Missing Query name.\" }");
    ASSERT_NE(m_window->GetQuery(), nullptr);
    EXPECT_EQ(m_window->GetQuery()->GetName(), "Family sizes");
    EXPECT_EQ(m_window->GetQuery()->GetRecordType(), GetRecordTypeDef(1));
    EXPECT_EQ(Entries(), "Family sizes (custom)|Mine (custom)|People");

    // Save As: the same refusals, a slash leaving the dialog open with the name selected to be
    // typed over; then a copy under the new name becomes the window's query.
    TestHooks::OnNextDialog(211, [](CDialog& dialog) {
        TestHooks::SetText(dialog, 1162, " ");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        TestHooks::SetText(dialog, 1162, "Families/2026");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(1162));
        TestHooks::SetText(dialog, 1162, "Families");
        TestHooks::Click(dialog, IDOK);
    });
    Bar().OnSaveAsCustomQuery();
    EXPECT_EQ(Messages(), "{ \"Query name must be supplied\", \"A query name cannot contain the "
                          "character \\\"/\\\".  Please choose another name.\" }");
    EXPECT_EQ(m_window->GetQuery()->GetName(), "Families");
    EXPECT_TRUE(std::filesystem::exists(m_folder + "/Custom/Families.avq"));
    EXPECT_EQ(Entries(), "Families (custom)|Family sizes (custom)|Mine (custom)|People");
}

TEST_F(QueryWindowTest, TheUnsavedChangesDialogOffersOnlyWhatIsAllowed)
{
    struct Case {
        bool update, add, filter;
        int answer;
        const char* question;
    } const cases[] = {
        {true, true, false, 1302, "You have unsaved column changes.  What do you wish to do?"},
        {false, true, true, 1303, "You have unsaved filter changes.  What do you wish to do?"},
        {false, false, false, 1304, "You have unsaved column changes.  What do you wish to do?"},
    };
    for (const Case& c : cases) {
        std::string question;
        TestHooks::OnNextDialog(263, [&question](CDialog& dialog) {
            dialog.GetDlgItemText(1295, question);
            TestHooks::Click(dialog, IDOK);
        });
        CQryUnsavedDlg dialog(&m_host);
        dialog.m_updateAllowed = c.update;
        dialog.m_addAllowed = c.add;
        dialog.m_filterForm = c.filter;
        EXPECT_EQ(dialog.DoModal(), c.answer);
        EXPECT_EQ(question, c.question);
    }
}

class QueryWindowPrintTest : public QueryWindowTest {};

TEST_F(QueryWindowPrintTest, AWindowWithoutAQueryRefusesToPrint)
{
    for (const char* name : {"/Standard/People.avq", "/Custom/Mine.avq"})
        std::filesystem::remove(m_folder + name);
    MakeWindow();
    EXPECT_EQ(m_window->GetQuery(), nullptr);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(m_window->CanPrint(FALSE));
    EXPECT_EQ(Messages(), "{ \"No query - cannot print\" }");
}

/// Renders its headings by throwing, as a heading whose values fail would.
class CThrowingHeadingCompiler final : public IHeadingCompiler {
public:
    std::unique_ptr<IHeadingTemplate> Compile(std::string_view) override
    {
        class CThrowing final : public IHeadingTemplate {
        public:
            std::vector<CDataRef*> GetFunctions() override { return {}; }
            std::string Render() override { throw std::bad_alloc(); }
            void OnDataChanged(long) override {}
        };
        return std::make_unique<CThrowing>();
    }
};

TEST_F(QueryWindowPrintTest, APrintThatCannotGoOnSaysWhyAndStops)
{
    MakeWindow();
    Bar().RunQuery(true, false);
    CQueryDef& query = *m_window->GetQuery();
    const auto print = [&](bool withColumns) {
        CPrintInfo info;
        TestHooks::RenderDC(800, 1000, [&](CDC& dc) {
            m_window->OnBeginPrinting(&dc, &info);
            if (!withColumns)
                m_window->GetResultGrid().Reset(true);
            info.m_nCurPage = 1;
            m_window->OnPrint(&dc, &info);
            m_window->OnEndPrinting(&dc, &info);
        });
        return info.m_bContinuePrinting;
    };

    // Every column hidden: nothing to print.
    std::vector<CQueryColumn*> shown;
    for (int i = 0; i < query.GetColumnCount(false); ++i)
        shown.push_back(query.GetColumn(i, false));
    for (CQueryColumn* column : shown)
        column->m_hidden = true;
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(m_window->CanPrint(FALSE));
    EXPECT_EQ(Messages(), "{ \"Query has no unhidden columns - nothing to print\" }");
    for (CQueryColumn* column : shown)
        column->m_hidden = false;

    // A print font that cannot be made.
    TestHooks::FailFontCreations(1);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(print(true));
    EXPECT_EQ(Messages(), "{ \"Failed to create font\" }");

    // The columns gone between the start of the job and its page.
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(print(false));
    EXPECT_EQ(Messages(), "{ \"Report has no columns.\" }");

    // A page whose drawing fails.
    m_window->GetResultGrid().Fill(query);
    CThrowingHeadingCompiler compiler;
    SetHeadingCompiler(&compiler);
    query.Title().SetText("Title");
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(print(true));
    SetHeadingCompiler(nullptr);
    query.Title().SetText("");
    EXPECT_EQ(Messages(), "{ \"An error has occurred.  Print job aborted.\" }");
}

class SplitTreeDialogTest : public QueryWindowTest {
protected:
    /// Runs the dialog with the individual choice (radio index), the notes choice, and the
    /// query entry; the dialog's result.
    int Split(int individuals, int notes, int entry)
    {
        int result = -1;
        TestHooks::OnNextDialog(261, [&](CDialog& dialog) {
            if (individuals > 0)
                TestHooks::Click(dialog, 1286 + individuals);
            if (entry >= 0)
                TestHooks::SelectItem(dialog, 1289, entry);
            TestHooks::SelectItem(dialog, 1294, notes);
            TestHooks::Click(dialog, IDOK);
        });
        result = CSplitTreeDlg(&m_host).DoModal();
        return result;
    }
    std::size_t Count(int listIndex) { return GetRecordTypeRoot(listIndex)->CountChildren(); }
};

TEST_F(SplitTreeDialogTest, DeletingNothingChangesNothingAndCloses)
{
    const std::size_t people = Count(0), notes = Count(2);
    EXPECT_EQ(Split(0, 0, -1), IDOK);
    EXPECT_EQ(Count(0), people);
    EXPECT_EQ(Count(2), notes);
}

TEST_F(SplitTreeDialogTest, TheInvertedChoiceWithAQueryFindingEveryoneDeletesNobody)
{
    const std::size_t people = Count(0);
    EXPECT_EQ(Split(2, 0, 0), IDOK);
    EXPECT_EQ(Count(0), people);
}

TEST_F(SplitTreeDialogTest, EveryoneFoundGoesAndThenTheNotesLeftWithoutLinks)
{
    ASSERT_GT(Count(2), 0u);
    EXPECT_EQ(Split(1, 1, 0), IDOK);
    EXPECT_EQ(Count(0), 0u);
    EXPECT_EQ(Count(2), 0u);
}

} // namespace

TEST_F(QueryWindowTest, TheCaptionIsPaintedInTheColourOfTheQuerysKind)
{
    MakeWindow();
    CWnd& dialog = m_window->GetTabsDialog();
    CWnd* caption = dialog.GetDlgItem(1516);
    ASSERT_NE(caption, nullptr);
    const auto countOf = [&](COLORREF colour) {
        const TestHooks::Image image = TestHooks::RenderWindow(*caption);
        int count = 0;
        for (const COLORREF pixel : image.pixels)
            count += std::abs(GetRValue(pixel) - GetRValue(colour)) < 0x30 &&
                     std::abs(GetGValue(pixel) - GetGValue(colour)) < 0x30 &&
                     std::abs(GetBValue(pixel) - GetBValue(colour)) < 0x30;
        return count;
    };
    constexpr COLORREF kGreen = RGB(0, 128, 0), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
    // The first entry is a custom query that may be changed.
    ASSERT_TRUE(m_window->GetQuery()->IsCustom());
    EXPECT_GT(countOf(kGreen), 0);
    EXPECT_EQ(countOf(kBlue), 0);
    m_window->GetQuery()->SetReadOnly(true);
    m_window->SetQuery(m_window->GetQueryPtr(), true);
    EXPECT_GT(countOf(kRed), 0);
    EXPECT_EQ(countOf(kGreen), 0);
    Combo().SetCurSel(1);
    Bar().OnSelChangeQuery();
    EXPECT_GT(countOf(kBlue), 0);
    EXPECT_EQ(countOf(kRed), 0);
}
