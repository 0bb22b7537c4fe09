// tests/app/query_window_commands_test.cpp: the query window inside the program: Work with
// Queries/Reports, a saved query opened from its menu and run at once, the window's print preview
// and the text of its PDF from the virtual printer.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "platform/base/paths.h"
#include "platform/ui/frames/mdi_child_wnd.h"
#include "platform/ui/printing/print_preview.h"
#include "queries/query_def.h"
#include "queries/window/sub_view_query.h"
#include "tests/queries/window/test_query_row.h"
#include "tests/support/pdf_text.h"

namespace app_test {
namespace {

constexpr const char* kFamilyFile =
    "0 HEAD\r\n1 CHAR UTF-8\r\n"
    "0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n1 BIRT\r\n2 PLAC Canterbury, Kent\r\n"
    "0 @I2@ INDI\r\n1 NAME Bob /Lee/\r\n0 TRLR\r\n";
constexpr const char* kPeople = "[Ardenvel Query]\nTYPE=INDI\nTITLE=\"Everybody\"\n"
                                "TAG=\"Name\",\"INDI.NAME\",,,80\n"
                                "TAG=\"Born in\",\"INDI.BIRT.PLAC\",,,80\n"
                                "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

class QueryWindowCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        const std::string custom = m_folder + "/data/ardenvel/Queries/Custom";
        ASSERT_TRUE(paths::MakeDirectories(custom));
        m_queryFile = test_support::WriteFile(custom + "/People.avq", kPeople);
        ASSERT_TRUE(Start({WriteGedcom("family.ged", kFamilyFile)}));
    }
    CAvView* QueryView() const { return m_app->GetNextViewOfKind(nullptr, kSubViewQuery); }
    CSubViewQuery* QueryWindow() const
    {
        CAvView* view = QueryView();
        return view ? dynamic_cast<CSubViewQuery*>(view->GetSubView()) : nullptr;
    }
    std::string m_queryFile;
};

TEST_F(QueryWindowCommandsTest, WorkWithQueriesOpensOneWindowOnTheFirstQuery)
{
    ASSERT_TRUE(Run(32871));
    ASSERT_NE(QueryWindow(), nullptr);
    ASSERT_NE(QueryWindow()->GetQuery(), nullptr);
    EXPECT_EQ(QueryWindow()->GetQuery()->GetName(), "People");
    EXPECT_EQ(QueryWindow()->GetActiveTab(), kTabGeneral);
    ASSERT_TRUE(Run(32871));
    EXPECT_EQ(m_app->GetNextViewOfKind(QueryView(), kSubViewQuery), nullptr);
}

TEST_F(QueryWindowCommandsTest, ASavedQueryOpensOnItsResultsAndPrintsToPreviewAndPdf)
{
    m_app->OpenSavedFile(SavedFileKind::kQuery, m_queryFile);
    CSubViewQuery* window = QueryWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetActiveTab(), kTabResults);
    EXPECT_EQ(window->GetResultGrid().GetRowCount(), 2);
    EXPECT_EQ(window->GetResultGrid().GetCellString(0, 1), "Canterbury, Kent");

    const TestHooks::Image page = TestHooks::RenderPreviewPage(*QueryView(), 1);
    ASSERT_GT(page.width, 0);
    page.SavePng(m_folder + "/query_preview.png");
    // Ink in the title's band near the top, and a page of one.
    int ink = 0;
    for (int y = 25; y < 25 + page.height / 8; ++y)
        for (int x = 0; x < page.width; ++x)
            ink += page.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_GT(ink, 0);
    EXPECT_EQ(window->GetPrintLayout().totalPages, 1);

    const std::string pdf = m_folder + "/people.pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    QueryView()->OnFilePrint();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    std::string error;
    const std::vector<std::vector<std::string>> pages = test_support::PdfPageLines(pdf, error);
    EXPECT_EQ(error, "");
    const std::vector<std::string> page1 = {"Everybody",
                                            "Name Born in",
                                            window->GetResultGrid().GetCellString(0, 0) +
                                                " Canterbury, Kent",
                                            window->GetResultGrid().GetCellString(1, 0),
                                            "*** End of Report ***",
                                            "Page 1 of 1"};
    EXPECT_EQ(pages, std::vector<std::vector<std::string>>{page1});
}

TEST_F(QueryWindowCommandsTest, WhileARunGoesTheWindowsStayAndNoCommandRuns)
{
    ASSERT_TRUE(Run(32871));
    CSubViewQuery* window = QueryWindow();
    ASSERT_NE(window, nullptr);
    CQueryDef* query = window->GetQuery();
    query->AddFilter(std::make_unique<CTestQueryRow>(query, CTestQueryRow::Mode::WaitForCancel));
    CWnd* child = QueryView()->GetParentFrame();
    // Closing either window, File New and a dropped file all wait in the queue during the run.
    Frame()->PostMessage(WM_CLOSE);
    child->PostMessage(WM_CLOSE);
    Frame()->PostMessage(WM_COMMAND, ID_FILE_NEW);
    window->GetBar().PostMessage(WM_COMMAND, ID_CANCEL_QUERY);
    TestHooks::AnswerMessageBox(IDOK);
    window->GetBar().RunQuery(false, false);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Query cancelled"});
    ASSERT_EQ(QueryWindow(), window);
    EXPECT_NE(Frame(), nullptr);
    EXPECT_EQ(m_app->GetRecordCount(kIndividuals), 2);
}

TEST_F(QueryWindowCommandsTest, APreviewLeavesTheFrameAsItWasWithTheMainStatusBar)
{
    m_app->OpenSavedFile(SavedFileKind::kQuery, m_queryFile);
    CAvView* view = QueryView();
    ASSERT_NE(view, nullptr);
    auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame());
    ASSERT_NE(frame, nullptr);
    for (const BOOL maximized : {TRUE, FALSE}) {
        SCOPED_TRACE(maximized ? "maximised" : "restored");
        if (maximized)
            frame->MDIMaximize();
        else
            frame->MDIRestore();
        Frame()->ShowStatusBar(ID_STATUS_QUERY);
        view->OnFilePrintPreview();
        CPrintPreview* preview = CPrintPreview::Of(*view);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(Frame()->GetCurrentStatusBar(), ID_STATUS_MAIN);
        BOOL after = !maximized;
        EXPECT_EQ(Frame()->MDIGetActive(&after), frame);
        EXPECT_EQ(after, maximized);
        preview->Close();
    }
}

} // namespace
} // namespace app_test
