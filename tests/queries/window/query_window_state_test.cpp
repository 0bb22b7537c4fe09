// tests/queries/window/query_window_state_test.cpp: what the query window gives the rest of the
// program and keeps while it works: the records of the selected result cells, the focus during a
// run, and the query it shows once the last entry of its combo is deleted.
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/window/qry_general_wnd.h"
#include "queries/window/sub_view_query.h"
#include "tests/queries/window/query_window_fixture.h"
#include "tests/queries/window/test_query_row.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const char* kFathers = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"Fathers\"\n"
                                 "TAG=\"Name\",\"INDI.NAME\",,,80\n"
                                 "TAG=\"Father\",\"INDI.~FATH>\",,,80\n"
                                 "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

class QueryWindowStateTest : public CQueryWindowFixture {
protected:
    std::string SelectedIds()
    {
        std::vector<CRecordNode*> records;
        m_window->GetSelectedRecords(records);
        return Ids(records);
    }
};

TEST_F(QueryWindowStateTest, TheSelectedRecordsAreThoseOfTheSelectedResultCellsEachOnce)
{
    test_support::WriteFile(m_folder + "/Custom/Fathers.avq", kFathers);
    MakeWindow();
    ASSERT_EQ(m_window->GetQuery()->GetName(), "Fathers");
    m_window->GetBar().RunQuery(false, false);
    CQryResultGrid& grid = m_window->GetResultGrid();
    ASSERT_EQ(grid.GetRowCount(), 7);
    const auto select = [&grid](int top, int left, int bottom, int right) {
        grid.SetGridSelection(top, left, false, false);
        grid.SetGridSelection(bottom, right, true, false);
    };
    // Across both columns each row gives its own record.
    select(1, 0, 3, 1);
    EXPECT_EQ(SelectedIds(), "I2 I3 I4");
    // In the father column the fathers, a father of two once; rows without one give nothing.
    select(1, 1, 5, 1);
    EXPECT_EQ(SelectedIds(), "I1 I3");
    // The single record is what the one-record question answers too.
    select(2, 1, 2, 1);
    EXPECT_EQ(SelectedIds(), "I1");
    // Another tab selects nothing.
    m_window->SelectTabIndex(kTabColumns);
    EXPECT_EQ(SelectedIds(), "");
}

/// A window that, on a message posted to it, notes the window with the focus and presses the
/// bar's Cancel.
class CFocusProbe final : public CWnd {
public:
    static constexpr UINT kLook = WM_USER + 78;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kLook)
            return CWnd::WindowProc(message, wParam, lParam);
        m_focus = GetFocus();
        m_bar->SendMessage(WM_COMMAND, ID_CANCEL_QUERY);
        return 0;
    }
    CWnd* m_bar = nullptr;
    CWnd* m_focus = nullptr;
};

TEST_F(QueryWindowStateTest, NoEditKeepsTheFocusDuringARunAndItComesBackAfter)
{
    test_support::WriteFile(m_folder + "/Custom/Fathers.avq", kFathers);
    MakeWindow();
    CWnd* title = m_window->GetGeneralPane().GetDlgItem(CQryGenWnd::kTitle);
    ASSERT_NE(title, nullptr);
    title->SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), title);
    CQueryDef* query = m_window->GetQuery();
    query->AddFilter(std::make_unique<CTestQueryRow>(query, CTestQueryRow::Mode::WaitForCancel));
    CFocusProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, nullptr, "probe", WS_CHILD, CRect(0, 0, 10, 10), &m_host, 7));
    probe.m_bar = &m_window->GetBar();
    probe.PostMessage(CFocusProbe::kLook);
    TestHooks::AnswerMessageBox(IDOK);
    m_window->GetBar().RunQuery(false, false);
    EXPECT_EQ(probe.m_focus, &m_window->GetBar()) << "the caret of the focused edit would blink";
    EXPECT_EQ(CWnd::GetFocus(), title);
    probe.DestroyWindow();
}

TEST_F(QueryWindowStateTest, DeletingTheLastEntryShowsAQueryStillLoaded)
{
    // A standard query held elsewhere whose file has gone, and one custom query listed.
    test_support::WriteFile(m_folder + "/Standard/Kept.avq", kFathers);
    std::string error;
    const std::shared_ptr<CQueryDef> kept = FindOrLoadQuery("Kept", false, error);
    ASSERT_TRUE(kept) << error;
    std::filesystem::remove(m_folder + "/Standard/Kept.avq");
    test_support::WriteFile(m_folder + "/Custom/Mine.avq", kFathers);
    MakeWindow();
    CComboBox& combo = *m_window->GetBar().GetCombo();
    ASSERT_EQ(combo.GetCount(), 1);
    TestHooks::AnswerMessageBox(IDOK);
    m_window->GetBar().OnDeleteCustomQuery();
    EXPECT_EQ(m_window->GetQuery(), kept.get());
    // The query shown has its entry, selected.
    ASSERT_EQ(combo.GetCount(), 1);
    std::string entry;
    combo.GetLBText(combo.GetCurSel(), entry);
    EXPECT_EQ(entry, "Kept");
}

TEST_F(QueryWindowStateTest, DeletingTheLastEntryWithNoQueryLoadedLeavesTheWindowEmpty)
{
    test_support::WriteFile(m_folder + "/Custom/Mine.avq", kFathers);
    MakeWindow();
    TestHooks::AnswerMessageBox(IDOK);
    m_window->GetBar().OnDeleteCustomQuery();
    EXPECT_EQ(m_window->GetQuery(), nullptr);
    EXPECT_EQ(m_window->GetBar().GetCombo()->GetCurSel(), -1);
}

} // namespace
