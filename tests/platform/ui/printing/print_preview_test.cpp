// tests/platform/ui/printing/print_preview_test.cpp: what a preview page shows, and the preview
// window: the pages it holds, one or two side by side, paging by the pages shown, its place on
// the screen, and the view told when it closes.
#include "tests/platform/ui/printing/print_view_fixture.h"

#include "platform/ui/printing/print_preview.h"
#include "platform/ui/windows/sys_metrics.h"

#include <gmock/gmock.h>

namespace print_test {
namespace {

using testing::ElementsAre;

/// Where a printer pixel lands on a preview image: six to a pixel, after the 150-pixel margin.
int PreviewCoordinate(int printerPixel)
{
    return (150 + printerPixel) / 6;
}

/// Whether the preview shows square index of a page (the middle of where it would be).
bool ShowsSquare(const TestHooks::Image& image, int index)
{
    const int middle = PreviewCoordinate(index * kSquarePitch + kSquare / 2);
    return image.Pixel(middle, PreviewCoordinate(kSquare / 2)) == RGB(0, 0, 0);
}

/// The number of dark pixels in the rectangle.
int DarkPixels(const TestHooks::Image& image, const CRect& area)
{
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            dark += GetRValue(image.Pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

TEST_F(PrintTest, APreviewPageShowsThatPagesDrawingWithinTheMargins)
{
    PagesView view;
    view.maxPage = 3;
    const TestHooks::Image page = TestHooks::RenderPreviewPage(view, 2);
    page.SavePng("print_preview_page2.png");
    ASSERT_EQ(page.width, 826);
    ASSERT_EQ(page.height, 1169);
    EXPECT_TRUE(ShowsSquare(page, 0));
    EXPECT_TRUE(ShowsSquare(page, 1));
    EXPECT_FALSE(ShowsSquare(page, 2));
    // The square's corner sits at the printable area's corner, inside the white margin.
    EXPECT_EQ(page.Pixel(25, 25), RGB(0, 0, 0));
    EXPECT_EQ(page.Pixel(24, 24), RGB(255, 255, 255));
    EXPECT_EQ(page.Pixel(PreviewCoordinate(kSquare) + 1, 30), RGB(255, 255, 255));
    // Twenty-point text is about 28 preview pixels high; the line runs across the printable area.
    const int textTop = PreviewCoordinate(kTextTop);
    const int textInk = DarkPixels(page, CRect(25, textTop, 200, textTop + 30));
    EXPECT_GT(textInk, 100);
    EXPECT_LT(textInk, 175 * 30 / 2) << "glyphs, not a filled box";
    EXPECT_EQ(DarkPixels(page, CRect(25, textTop + 40, 800, PreviewCoordinate(kLineY) - 1)), 0);
    EXPECT_GE(
        DarkPixels(page, CRect(0, PreviewCoordinate(kLineY), 826, PreviewCoordinate(kLineY) + 1)),
        770);
    EXPECT_EQ(DarkPixels(page, CRect(0, 0, 826, 24)), 0);
    EXPECT_THAT(view.TakeLog(), ElementsAre("prepare printing", "begin", "prepare 1", "print 1",
                                            "prepare 2", "print 2", "end", "end preview"));
}

TEST_F(PrintTest, APreviewOfALandscapePageIsWide)
{
    m_app->GetPrinterSettings().LoadDefaults();
    m_app->GetPrinterSettings().SetOrientation(DMORIENT_LANDSCAPE);
    PagesView view;
    view.maxPage = 1;
    const TestHooks::Image page = TestHooks::RenderPreviewPage(view, 1);
    EXPECT_EQ(page.width, 1169);
    EXPECT_EQ(page.height, 826);
}

TEST_F(PrintTest, APreviewPagePastTheEndOrRefusedIsEmpty)
{
    PagesView view;
    view.maxPage = 2;
    EXPECT_EQ(TestHooks::RenderPreviewPage(view, 3).width, 0);
    view.maxPage = 0;
    EXPECT_EQ(TestHooks::RenderPreviewPage(view, 2).width, 0);
    view.agree = false;
    EXPECT_EQ(TestHooks::RenderPreviewPage(view, 1).width, 0);
}

/// A view with a window of its own, in a top-level window, as the preview needs one.
class PreviewWindowTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        ASSERT_TRUE(m_host.Create(nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300),
                                  nullptr, 0));
        m_view = new PagesView;
        ASSERT_TRUE(m_view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300),
                                   &m_host, 1));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        PrintTest::TearDown();
    }

    CWnd m_host;
    PagesView* m_view = nullptr;
};

struct WindowCase {
    const char* name;
    UINT previewPages;
    BOOL twoPages;
};

class PreviewWindowPages : public PreviewWindowTest,
                           public testing::WithParamInterface<WindowCase> {};

TEST_P(PreviewWindowPages, HoldsEveryPageAndShowsAsManyAsTheViewAsks)
{
    m_view->maxPage = 3;
    m_view->previewPages = GetParam().previewPages;
    m_view->OnFilePrintPreview();
    CPrintPreview* preview = CPrintPreview::Of(*m_view);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), 3);
    EXPECT_EQ(preview->GetCurrentPage(), 1);
    EXPECT_EQ(preview->ShowsTwoPages(), GetParam().twoPages);
    preview->Close();
    EXPECT_EQ(CPrintPreview::Of(*m_view), nullptr);
    EXPECT_EQ(m_view->log.back(), "end preview");
}

INSTANTIATE_TEST_SUITE_P(Windows, PreviewWindowPages,
                         testing::Values(WindowCase{"OnePage", 1, FALSE},
                                         WindowCase{"TwoPages", 2, TRUE}),
                         [](const testing::TestParamInfo<WindowCase>& info) {
                             return info.param.name;
                         });

/// What the preview window shows: the sheets across the middle, and on each the black squares
/// of its page (page n has n).
struct ShownSheets {
    int sheets = 0;
    std::vector<int> squares;
};

ShownSheets ReadSheets(const TestHooks::Image& image)
{
    const auto white = [](COLORREF c) { return c == RGB(255, 255, 255); };
    ShownSheets shown;
    // White runs across the middle row: the sheets (below their drawing, blank there).
    std::vector<std::pair<int, int>> runs;
    const int middle = image.height / 2;
    for (int x = 0; x < image.width; ++x) {
        if (!white(image.Pixel(x, middle)))
            continue;
        const int start = x;
        while (x < image.width && white(image.Pixel(x, middle)))
            ++x;
        runs.emplace_back(start, x);
    }
    shown.sheets = int(runs.size());
    const COLORREF ground = RGB(128, 128, 128);
    for (const auto& [left, right] : runs) {
        // The sheet's top and bottom edges, then the row through the squares' middles: 450 of
        // its 7016 rows down.
        const int centre = (left + right) / 2;
        int top = 0, bottom = image.height - 1;
        while (top < bottom && image.Pixel(centre, top) == ground)
            ++top;
        while (bottom > top && image.Pixel(centre, bottom) == ground)
            --bottom;
        const int y = top + (bottom - top) * 450 / 7016;
        int squares = 0;
        for (int x = left + 1; x < right; ++x)
            squares += GetRValue(image.Pixel(x, y)) < 64 && GetRValue(image.Pixel(x - 1, y)) >= 128;
        shown.squares.push_back(squares);
    }
    return shown;
}

struct PagingCase {
    const char* name;
    UINT previewPages;
    /// The steps: 'n' Next Page, 'p' Prev Page, '1' and '2' the pages shown.
    const char* steps;
    int current;
    std::vector<int> squares;
};

class PreviewWindowPaging : public PreviewWindowTest,
                            public testing::WithParamInterface<PagingCase> {};

TEST_P(PreviewWindowPaging, StepsByThePagesShownAndShowsThemSideBySide)
{
    m_view->maxPage = 3;
    m_view->previewPages = GetParam().previewPages;
    m_view->OnFilePrintPreview();
    CPrintPreview* preview = CPrintPreview::Of(*m_view);
    ASSERT_NE(preview, nullptr);
    for (const char* step = GetParam().steps; *step; ++step) {
        if (*step == 'n')
            preview->NextPage();
        else if (*step == 'p')
            preview->PrevPage();
        else
            preview->SetTwoPages(*step == '2');
    }
    EXPECT_EQ(preview->GetCurrentPage(), GetParam().current);
    const TestHooks::Image image = TestHooks::RenderPreviewWindow(*m_view);
    ASSERT_GT(image.width, 0);
    const ShownSheets shown = ReadSheets(image);
    EXPECT_EQ(shown.sheets, int(GetParam().squares.size()));
    EXPECT_EQ(shown.squares, GetParam().squares);
    preview->Close();
}

INSTANTIATE_TEST_SUITE_P(Windows, PreviewWindowPaging,
                         testing::Values(PagingCase{"OnePageAtFirst", 1, "", 1, {1}},
                                         PagingCase{"TwoPagesAtFirst", 2, "", 1, {1, 2}},
                                         PagingCase{"TwoPagesStepByTwo", 2, "n", 3, {3}},
                                         PagingCase{"NothingPastTheEnd", 2, "nn", 3, {3}},
                                         PagingCase{"BackByTwo", 2, "np", 1, {1, 2}},
                                         PagingCase{"NothingBeforeTheStart", 1, "p", 1, {1}},
                                         PagingCase{"OnePageStepsByOne", 2, "1n", 2, {2}},
                                         PagingCase{"TwoFromTheCurrentPage", 1, "n2", 2, {2, 3}}),
                         [](const testing::TestParamInfo<PagingCase>& info) {
                             return info.param.name;
                         });

TEST_F(PreviewWindowTest, TheWindowFitsInTheWorkAreaOfItsScreen)
{
    m_view->maxPage = 1;
    m_view->OnFilePrintPreview();
    CPrintPreview* preview = CPrintPreview::Of(*m_view);
    ASSERT_NE(preview, nullptr);
    CRect window, area;
    preview->GetWindowRect(&window);
    GetWorkArea(window.CenterPoint(), &area);
    CRect inside;
    inside.IntersectRect(window, area);
    EXPECT_EQ(inside, window) << window.Width() << "x" << window.Height() << " in " << area.Width()
                              << "x" << area.Height();
    EXPECT_GT(window.Height(), area.Height() / 2) << "a page is seen whole at a readable size";
    preview->Close();
}

TEST_F(PreviewWindowTest, ClosingTheViewClosesItsPreview)
{
    std::vector<std::string> ends;
    m_view->endLog = &ends;
    m_view->maxPage = 1;
    m_view->OnFilePrintPreview();
    ASSERT_NE(CPrintPreview::Of(*m_view), nullptr);
    m_host.DestroyWindow();
    EXPECT_THAT(ends, ElementsAre("end preview"));
}

} // namespace
} // namespace print_test
