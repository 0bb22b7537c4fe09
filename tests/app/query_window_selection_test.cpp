// tests/app/query_window_selection_test.cpp: the query window inside the program: the records of
// its selected result cells reach the program's selection commands and the Select Records
// dialog, and its frame never gets too small to show the Columns tab whole.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/child_frame.h"
#include "controls/dlg_layout.h"
#include "database/records/record_node.h"
#include "platform/base/paths.h"
#include "queries/lists/select_records_dlg.h"
#include "queries/window/sub_view_query.h"

namespace app_test {
namespace {

constexpr const char* kFamilyFile = "0 HEAD\r\n1 CHAR UTF-8\r\n"
                                    "0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n"
                                    "0 @I2@ INDI\r\n1 NAME Bob /Lee/\r\n"
                                    "0 @I3@ INDI\r\n1 NAME Cid /Lee/\r\n0 TRLR\r\n";
constexpr const char* kPeople = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"Everybody\"\n"
                                "TAG=\"Name\",\"INDI.NAME\",,,80\n"
                                "TAG=\"Born in\",\"INDI.BIRT.PLAC\",,,80\n"
                                "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

class QueryWindowSelectionTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        const std::string custom = m_folder + "/data/ardenvel/Queries/Custom";
        ASSERT_TRUE(paths::MakeDirectories(custom));
        test_support::WriteFile(custom + "/People.avq", kPeople);
        ASSERT_TRUE(Start({WriteGedcom("family.ged", kFamilyFile)}));
        ASSERT_TRUE(Run(32871));
        CAvView* view = m_app->GetNextViewOfKind(nullptr, kSubViewQuery);
        ASSERT_NE(view, nullptr);
        m_window = dynamic_cast<CSubViewQuery*>(view->GetSubView());
        ASSERT_NE(m_window, nullptr);
    }
    CSubViewQuery* m_window = nullptr;
};

TEST_F(QueryWindowSelectionTest, TheSelectedResultRowsAreTheStartingSetAndTheNamedListCommands)
{
    m_window->GetBar().RunQuery(false, false);
    CQryResultGrid& grid = m_window->GetResultGrid();
    ASSERT_EQ(grid.GetRowCount(), 3);
    grid.SetGridSelection(1, 0, false, false);
    grid.SetGridSelection(2, 1, true, false);
    std::vector<std::string> ids;
    for (const CRecordNode* record : m_app->GetSelectedRecords())
        ids.push_back(record->GetIdText());
    EXPECT_EQ(ids, (std::vector<std::string>{"I2", "I3"}));

    // The dialog starts with every selected record, in the window's order.
    CSelectRecordsDlg dialog(0);
    std::vector<std::string> chosen;
    TestHooks::OnNextDialog(kSelectRecordsTemplate, [&](CDialog& dlg) {
        for (const CRecordNode* record : dialog.ChosenRecords())
            chosen.push_back(record->GetIdText());
        TestHooks::Click(dlg, IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_EQ(chosen, ids);

    // Add to Named List is offered while cells are selected on the Result Set tab only.
    CCmdUI state;
    state.m_nID = ID_ADD_TO_NAMED_LIST;
    ASSERT_TRUE(Frame()->OnCmdMsg(ID_ADD_TO_NAMED_LIST, CN_UPDATE_COMMAND_UI, &state, nullptr));
    EXPECT_TRUE(state.IsEnabled());
    m_window->SelectTabIndex(kTabGeneral);
    EXPECT_TRUE(m_app->GetSelectedRecords().empty());
}

TEST_F(QueryWindowSelectionTest, AtItsLeastSizeTheFrameShowsTheColumnsTabWhole)
{
    auto* frame = dynamic_cast<CChildFrame*>(m_window->GetParent()->GetParent());
    ASSERT_NE(frame, nullptr);
    // The frame is fitted once the first layout of the window has ended.
    TestHooks::DeliverPosted();
    MINMAXINFO info{};
    frame->SendMessage(WM_GETMINMAXINFO, 0, LPARAM(&info));
    const CRect place = PlaceInParent(*frame);
    frame->MoveWindow(place.left, place.top, info.ptMinTrackSize.x, info.ptMinTrackSize.y);
    TestHooks::DeliverPosted();
    m_window->SelectTabIndex(kTabColumns);
    CRect shown;
    m_window->GetColumnsPane().GetClientRect(&shown);
    const CRect& natural = m_window->GetColumnsPane().GetTemplateRect();
    EXPECT_GE(shown.Width(), natural.Width());
    EXPECT_GE(shown.Height(), natural.Height());
    // Not larger than that needs either.
    EXPECT_LE(shown.Width(), natural.Width() + 4);
    EXPECT_LE(shown.Height(), natural.Height() + 4);
}

} // namespace
} // namespace app_test
