// tests/platform/ui/printing/print_loop_test.cpp: the print loop: which pages run for a length, a
// chosen range and a view that stops early; the order of the hooks; the job's flags and draw
// rectangle.
#include "tests/platform/ui/printing/print_view_fixture.h"

#include "platform/ui/printing/print_job.h"

#include <gmock/gmock.h>

namespace print_test {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

/// Pages that go nowhere, recording which started.
class RecordingPages final : public IPrintPages {
public:
    BOOL StartPage(CDC& /*dc*/, UINT page) override
    {
        started.push_back(page);
        return TRUE;
    }
    BOOL EndPage(CDC& /*dc*/, UINT /*page*/) override { return TRUE; }

    std::vector<UINT> started;
};

struct RangeCase {
    const char* name;
    UINT maxPage; // 0: unknown
    UINT fromPage, toPage;
    UINT stopInPrepareAt, stopInPrintAt;
    std::vector<UINT> pages;
};

class PrintLoopRange : public PrintTest, public testing::WithParamInterface<RangeCase> {};

TEST_P(PrintLoopRange, DrawsThePagesOfTheRangeUntilTheViewStops)
{
    const RangeCase& c = GetParam();
    PagesView view;
    view.stopInPrepareAt = c.stopInPrepareAt;
    view.stopInPrintAt = c.stopInPrintAt;
    CPrintInfo info;
    if (c.maxPage)
        info.SetMaxPage(c.maxPage);
    info.SetPageRange(c.fromPage, c.toPage);
    ASSERT_TRUE(info.GetPrinterSettings().LoadDefaults());
    CDC dc;
    ASSERT_TRUE(info.GetPrinterSettings().CreatePrinterDC(dc));
    RecordingPages pages;

    EXPECT_EQ(RunPrintLoop(view, info, dc, pages), c.pages.size());
    EXPECT_THAT(pages.started, ElementsAreArray(c.pages));
    EXPECT_EQ(view.log.back(), "end");
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PrintLoopRange,
    testing::Values(RangeCase{"UnknownLengthPrintsTheFirstPageOnly", 0, 0, 0, 0, 0, {1}},
                    RangeCase{"KnownLengthPrintsEveryPage", 3, 0, 0, 0, 0, {1, 2, 3}},
                    RangeCase{"ChosenPagesWithinTheLength", 5, 2, 4, 0, 0, {2, 3, 4}},
                    RangeCase{"ChosenPagesPastTheEndAreCut", 3, 2, 9, 0, 0, {2, 3}},
                    RangeCase{"ChosenPagesBackwardsPrintNothing", 5, 4, 2, 0, 0, {}},
                    RangeCase{"PrepareDCStopsBeforeItsPage", 5, 0, 0, 3, 0, {1, 2}},
                    RangeCase{"PrintStopsAfterItsPage", 5, 0, 0, 0, 2, {1, 2}},
                    RangeCase{"UnknownLengthFromPageTwoPrintsNothing", 0, 2, 3, 0, 0, {}}),
    [](const testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

TEST_F(PrintTest, HooksRunInOrderAroundEachPage)
{
    PagesView view;
    view.maxPage = 2;
    TestHooks::AnswerPrintDialog(true, m_folder + "/order.pdf");
    view.OnFilePrint();
    EXPECT_THAT(view.TakeLog(), ElementsAre("prepare printing", "begin", "prepare 1", "print 1",
                                            "prepare 2", "print 2", "end"));
}

TEST_F(PrintTest, AnExceptionFromAHookStillEndsPrinting)
{
    PagesView view;
    view.maxPage = 3;
    view.throwAt = 2;
    CPrintInfo info;
    info.SetMaxPage(3);
    ASSERT_TRUE(info.GetPrinterSettings().LoadDefaults());
    CDC dc;
    ASSERT_TRUE(info.GetPrinterSettings().CreatePrinterDC(dc));
    RecordingPages pages;
    EXPECT_THROW(RunPrintLoop(view, info, dc, pages), COperationAborted);
    EXPECT_THAT(view.TakeLog(),
                ElementsAre("begin", "prepare 1", "print 1", "prepare 2", "print 2", "end"));
}

TEST_F(PrintTest, APrintJobIsNoPreviewAndAPreviewIs)
{
    PagesView view;
    view.maxPage = 1;
    TestHooks::AnswerPrintDialog(true, m_folder + "/flags.pdf");
    view.OnFilePrint();
    TestHooks::RenderPreviewPage(view, 1);
    EXPECT_THAT(view.previewFlags, ElementsAre(FALSE, TRUE));
}

TEST_F(PrintTest, EachPageIsDrawnOnThePrintableAreaOfAPrintingContext)
{
    PagesView view;
    view.maxPage = 1;
    TestHooks::RenderPreviewPage(view, 1);
    EXPECT_EQ(view.rectDraw, CRect(0, 0, 4658, 6717));
    EXPECT_TRUE(view.printing);
}

TEST_F(PrintTest, ACancelledPrintDialogEndsTheJobBeforeItBegins)
{
    PagesView view;
    view.maxPage = 2;
    TestHooks::AnswerPrintDialog(false, "");
    view.OnFilePrint();
    EXPECT_THAT(view.TakeLog(), ElementsAre("prepare printing"));
}

} // namespace
} // namespace print_test
