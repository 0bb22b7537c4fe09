// tests/queries/window/run/query_run_window_test.cpp: a run of the query window on the worker
// thread while the interface thread paints the window and a record list beside it, and fires that
// list's timer over the same data set; and a fault of the worker, which reaches the program's fault
// handling as a fault of the interface thread does. The program runs under ThreadSanitizer too
// (`make tsan`, with .ci/tsan-qt.supp for Qt's own threads).
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/window/qry_bar.h"
#include "queries/window/sub_view_query.h"
#include "records/grid/rec_wnd_options.h"
#include "records/grid/tag_grid.h"
#include "tests/queries/window/query_window_fixture.h"
#include "tests/queries/window/test_query_row.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kPeople = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"People\"\n"
                                "TAG=\"Name\",\"INDI.NAME\",,ASC,80\n"
                                "TAG=\"Born\",\"INDI.BIRT.DATE\",,,80\n"
                                "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

/// A window that, on a message posted to it during a run, paints the query window and the
/// record list, moves the clock so that the list's timer fires, and then presses the bar's
/// Cancel.
class CBusyInterface final : public CWnd {
public:
    static constexpr UINT kWork = WM_USER + 78;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kWork)
            return CWnd::WindowProc(message, wParam, lParam);
        for (int i = 0; i < 5; ++i) {
            m_painted += !TestHooks::RenderWindow(*m_query).pixels.empty();
            m_painted += !TestHooks::RenderWindow(*m_list).pixels.empty();
            TestHooks::AdvanceClock(20);
        }
        m_bar->SendMessage(WM_COMMAND, ID_CANCEL_QUERY);
        return 0;
    }
    CWnd* m_query = nullptr;
    CWnd* m_list = nullptr;
    CWnd* m_bar = nullptr;
    int m_painted = 0;
};

class QueryRunWindowTest : public CQueryWindowFixture {
protected:
    void SetUp() override
    {
        CQueryWindowFixture::SetUp();
        m_savedOptions = RecWndOptions();
        RecWndOptions() = CRecWndOptions();
        RecWndOptions().m_loaded = true;
        test_support::WriteFile(m_folder + "/Standard/People.avq", kPeople);
        Open("People", false);
        Bar().RunQuery(false, false);
        ASSERT_EQ(Grid().GetRowCount(), 7);
    }
    void TearDown() override
    {
        TestHooks::TakeProgramFaults();
        RecWndOptions() = m_savedOptions;
        CQueryWindowFixture::TearDown();
    }
    CQryBar& Bar() { return m_window->GetBar(); }
    CQryResultGrid& Grid() { return m_window->GetResultGrid(); }
    std::vector<std::string> Messages() { return test_support::TextsOf(TestHooks::TakeMessages()); }

    CRecWndOptions m_savedOptions;
};

TEST_F(QueryRunWindowTest, TheInterfacePaintsAndRunsTimersOverTheDataSetWhileTheWorkerReadsIt)
{
    CTagGrid list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 300, 200), &m_host, 108,
                            nullptr, 345));
    list.SetRecordSet(GetRecordTypeRoot(RECORD_LIST_INDI), true, true);
    list.OnFindEditFocus(CTreeGrid::kFindTextId); // its keys are read at the timer's ticks
    CBusyInterface busy;
    ASSERT_TRUE(busy.CreateEx(0, nullptr, "busy", WS_CHILD, CRect(0, 0, 10, 10), &m_host, 7));
    busy.m_query = m_window.get();
    busy.m_list = &list;
    busy.m_bar = &Bar();
    CQueryDef* query = m_window->GetQuery();
    query->AddFilter(std::make_unique<CTestQueryRow>(query, CTestQueryRow::Mode::ReadUntilCancel));
    busy.PostMessage(CBusyInterface::kWork);
    TestHooks::AnswerMessageBox(IDOK);
    Bar().RunQuery(false, false);

    EXPECT_EQ(busy.m_painted, 10);
    EXPECT_EQ(list.GetFindKeyCount(CTreeGrid::kFindTextId), 7u);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Query cancelled"});
    EXPECT_EQ(Grid().GetRowCount(), 7);
    busy.DestroyWindow();
    list.DestroyWindow();
}

TEST_F(QueryRunWindowTest, AFaultOfTheWorkerIsReportedAndEndsTheProgramAsAnyFaultDoes)
{
    CQueryDef* query = m_window->GetQuery();
    query->AddFilter(std::make_unique<CTestQueryRow>(query, CTestQueryRow::Mode::Fault));
    TestHooks::AnswerMessageBox(IDOK);
    Bar().PostMessage(WM_COMMAND, ID_RUN_QUERY);
    TestHooks::DeliverPosted();

    const std::vector<std::string> shown = Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind(std::string("The program met a fault it cannot recover from: ") +
                                 CTestQueryRow::kFaultText,
                             0),
              0u)
        << shown[0];
    EXPECT_EQ(TestHooks::TakeProgramFaults(), std::vector<std::string>{CTestQueryRow::kFaultText});
    // The bar left its running state before the fault went on, and the rows shown stay.
    EXPECT_FALSE(Bar().GetToolBar().IsBusy());
    EXPECT_TRUE(Bar().GetCombo()->IsWindowEnabled());
    EXPECT_EQ(Grid().GetRowCount(), 7);
    EXPECT_FALSE(query->ErrorFlag().load());
    EXPECT_TRUE(query->GetResult().IsEmpty());
}

} // namespace
