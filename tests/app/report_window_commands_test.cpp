// tests/app/report_window_commands_test.cpp: the report window inside the program: its title,
// " (LOCKED)" once the window is kept from reuse, and Records... starting with the report's own
// records rather than the record selected on the page shown.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "database/kin/ind_rec.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/frames/frame_wnd.h"
#include "queries/lists/select_records_dlg.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_gen_make.h"
#include "reports/window/rpt_window_ids.h"
#include "reports/window/sub_view_report.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

constexpr const char* kFamilyFile = "0 HEAD\r\n1 CHAR UTF-8\r\n"
                                    "0 @I1@ INDI\r\n1 NAME John /Lee/\r\n1 SEX M\r\n"
                                    "0 @I2@ INDI\r\n1 NAME Mary /Cole/\r\n1 SEX F\r\n"
                                    "0 @I3@ INDI\r\n1 NAME Ann /Lee/\r\n1 SEX F\r\n"
                                    "0 TRLR\r\n";

class ReportWindowCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start({WriteGedcom("family.ged", kFamilyFile)}));
    }
    /// An Individual Summary of the file's first people, one a page, in a report window.
    CSubViewReport* OpenSummary(int people)
    {
        std::vector<CRecordNode*> records;
        CDataNode* root = GetRecordTypeRoot(0);
        for (CDataNode* node = root ? root->GetFirstChild() : nullptr;
             node && int(records.size()) < people; node = node->GetNextSibling())
            records.push_back(dynamic_cast<CRecordNode*>(node));
        RptGenRequest request;
        request.type = kRptTypeInd;
        request.name = "Individual Summary Report";
        std::unique_ptr<CRptGen> report = RptMakeGenerator(request);
        report->TakeSelectedRecords(records);
        if (!m_app->OpenReportWindow(std::move(report)))
            return nullptr;
        CAvView* view = m_app->GetNextViewOfKind(nullptr, kSubViewReport);
        return view ? dynamic_cast<CSubViewReport*>(view->GetSubView()) : nullptr;
    }
    static std::string FrameTitle(CWnd& window)
    {
        std::string title;
        if (CFrameWnd* frame = ::GetParentFrame(&window))
            frame->GetWindowText(title);
        return title;
    }
};

TEST_F(ReportWindowCommandsTest, ALockedWindowSaysSoInItsTitle)
{
    CSubViewReport* window = OpenSummary(1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FrameTitle(*window), "Individual Summary Report");
    ASSERT_TRUE(Run(ID_LOCK_WINDOW));
    std::string title;
    window->GetTitle(title);
    EXPECT_EQ(title, "Individual Summary Report (LOCKED)");
    EXPECT_EQ(FrameTitle(*window), "Individual Summary Report (LOCKED)");
    ASSERT_TRUE(Run(ID_LOCK_WINDOW));
    EXPECT_EQ(FrameTitle(*window), "Individual Summary Report");
}

TEST_F(ReportWindowCommandsTest, RecordsStartsWithTheReportsOwnRecords)
{
    CSubViewReport* window = OpenSummary(2);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->GetReport()->GetPageCount(), 2);
    ASSERT_EQ(window->GetForm().GetListedRecords().size(), 1u) << "one record on the page";
    std::vector<CRecordNode*> offered;
    TestHooks::OnNextDialog(kSelectRecordsTemplate, [&offered](CDialog& dialog) {
        auto& select = dynamic_cast<CSelectRecordsDlg&>(dialog);
        offered = select.ChosenRecords();
        TestHooks::Click(dialog, IDCANCEL);
    });
    TestHooks::Click(window->GetForm(), IDC_RPT_RECORDS);
    std::vector<CRecordNode*> own;
    for (const auto& entry : window->GetReport()->Entries())
        own.push_back(entry->GetRecord());
    EXPECT_EQ(offered, own);
}

} // namespace
} // namespace app_test
