// tests/controls/tree_box_paint_test.cpp: what a tree box paints, read back as pixels: row
// heights, the selection's colours with and without the focus, expand buttons and their signs,
// dotted lines, images with their masks, the empty text and the disabled look.
#include "tests/controls/tree_box_fixture.h"

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <set>

namespace {

using controls_test::CountColour;
using controls_test::RecordingOwner;
using controls_test::TreeBoxFixture;

const COLORREF kWhite = RGB(255, 255, 255);

class TreeBoxPaint : public TreeBoxFixture {
protected:
    /// The x of the button centre of a node at level 0.
    int ButtonCentre(int level = 0) const
    {
        const TreeBoxMetrics& m = box->GetMetrics();
        return level * m[TBM_LEVEL_INDENT] + m[TBM_LEFT_MARGIN];
    }
    int Middle(int row) const { return row * RowHeight() + RowHeight() / 2; }
    RecordingOwner owner;
};

TEST_F(TreeBoxPaint, RowHeightIsTheTextHeightMadeEvenAndGridRowsAreTwoTaller)
{
    Make(0, nullptr);
    const int listRow = RowHeight();
    EXPECT_EQ(listRow % 2, 0);
    EXPECT_GE(listRow, 12);
    TreeBoxMetrics settings;
    settings.fill(-1);
    settings[TBM_ROW_HEIGHT] = 15;
    box->SetMetrics(settings);
    EXPECT_EQ(RowHeight(), 16); // an odd height is raised to the next even one
    TearDown();
    Make(TBF_GRID, &owner);
    EXPECT_EQ(RowHeight(), listRow + 2);
}

TEST_F(TreeBoxPaint, MetricsFollowTheFontAndTheImageSize)
{
    Make(TBF_TREE, nullptr, CRect(0, 0, 300, 200), 0, 16, 40);
    const TreeBoxMetrics& m = box->GetMetrics();
    EXPECT_EQ(m[TBM_ROW_HEIGHT], 40); // at least the image height
    EXPECT_EQ(m[TBM_BUTTON_HALF_WIDTH], 10);
    EXPECT_EQ(m[TBM_SIGN_HALF_WIDTH], 6);
    EXPECT_EQ(m[TBM_LEVEL_INDENT], 4 * (m[TBM_LEFT_MARGIN] / 2));
    EXPECT_EQ(m[TBM_TEXT_INSET], 3);
    EXPECT_EQ(m[TBM_IMAGE_HEIGHT], 40);
}

TEST_F(TreeBoxPaint, SelectionIsHighlightWithTheFocusAndFaceWithout)
{
    Make(0, nullptr);
    for (const char* text : {"Adams", "Baker", "Carter"})
        Add(text);
    box->SelectItem(box->FindItemById(1), true);
    const CRect selectedRow(0, RowHeight(), 300, 2 * RowHeight());
    const CRect otherRow(0, 0, 300, RowHeight());

    TestHooks::Image shown = Render();
    EXPECT_EQ(CountColour(shown, selectedRow, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_GT(CountColour(shown, selectedRow, GetSysColor(COLOR_3DFACE)), 100);

    box->SetFocus();
    TestHooks::DeliverPosted();
    shown = Render();
    shown.SavePng("tree_box_selection.png");
    EXPECT_GT(CountColour(shown, selectedRow, GetSysColor(COLOR_HIGHLIGHT)), 100);
    EXPECT_EQ(CountColour(shown, otherRow, GetSysColor(COLOR_HIGHLIGHT)), 0);
    // The highlight covers the text with its inset, not the whole row.
    EXPECT_EQ(shown.Pixel(290, Middle(1)), kWhite);
}

TEST_F(TreeBoxPaint, TheFocusRowShowsADottedFrameOnlyWhileTheBoxHasTheFocus)
{
    Make(0, nullptr);
    for (const char* text : {"Adams", "Baker"})
        Add(text);
    box->SelectItem(box->FindItemById(1), true);
    CRect frame;
    box->GetItemRect(box->FindItemById(1), frame, TBP_TEXT, true);
    frame.InflateRect(1, 0);
    const COLORREF mark = GetSysColor(COLOR_HIGHLIGHT) ^ 0x00FFFFFF;
    const CRect topEdge(frame.left, frame.top, frame.right, frame.top + 1);
    EXPECT_EQ(CountColour(Render(), topEdge, mark), 0);
    box->SetFocus();
    TestHooks::DeliverPosted();
    const TestHooks::Image shown = Render();
    EXPECT_NEAR(CountColour(shown, topEdge, mark), frame.Width() / 2, 1);
    EXPECT_EQ(shown.Pixel(frame.left + 4, frame.top + 4) == mark, false);
    box->HideFocusMark();
    EXPECT_EQ(CountColour(Render(), topEdge, mark), 0);
    box->ShowFocusMark();
    EXPECT_NEAR(CountColour(Render(), topEdge, mark), frame.Width() / 2, 1);
}

/// Supplies row texts and draws grid rows, counting how many rows it is asked about.
class CountingOwner : public CTreeBoxOwner {
public:
    std::set<CTreeBoxNode*> asked;
    std::string GetItemText(CTreeBox*, CTreeBoxNode* node, std::uintptr_t data, int, bool, CDC*,
                            CSize*) override
    {
        asked.insert(node);
        return "row " + std::to_string(data);
    }
    bool DrawGridRow(CTreeBox*, TreeBoxRowPaint& paint) override
    {
        asked.insert(paint.node);
        paint.dc->FillSolidRect(&paint.rect, paint.node->m_level ? RGB(0, 0, 255) : RGB(0, 128, 0));
        return true;
    }
};

TEST_F(TreeBoxPaint, AHundredThousandRowsPaintOnlyTheScreenfulInView)
{
    for (DWORD flags : {DWORD(TBF_OWNER_TEXT), DWORD(TBF_GRID)}) {
        CountingOwner counting;
        Make(flags, &counting);
        for (int i = 0; i < 100000; ++i)
            box->InsertItem(nullptr, CTreeBox::kInsertLast,
                            {.data = std::uintptr_t(i), .noRedraw = true});
        box->RedrawAll();
        const int page = 200 / RowHeight() + 1;
        Render();
        EXPECT_LE(int(counting.asked.size()), page);
        counting.asked.clear();
        box->ScrollToRow(50000);
        const TestHooks::Image shown = Render();
        EXPECT_EQ(TopRow(), 50000);
        EXPECT_LE(int(counting.asked.size()), page);
        for (const CTreeBoxNode* node : counting.asked)
            EXPECT_TRUE(box->GetItemRow(node) >= 50000 && box->GetItemRow(node) < 50000 + page)
                << box->GetItemRow(node);
        if (flags == TBF_GRID) {
            EXPECT_EQ(shown.Pixel(10, 5), RGB(0, 128, 0));
        }
        TearDown();
    }
}

TEST_F(TreeBoxPaint, ButtonsShowPlusWhenCollapsedAndMinusWhenExpanded)
{
    Make(TBF_TREE, nullptr);
    CTreeBoxNode* open = Add("open");
    Add("child", open);
    CTreeBoxNode* closed = Add("closed");
    Add("child", closed);
    Add("leaf");
    box->ExpandItem(open, true, 1);
    const TestHooks::Image shown = Render();
    shown.SavePng("tree_box_buttons.png");
    const int x = ButtonCentre(), half = box->GetMetrics()[TBM_BUTTON_HALF_WIDTH];
    const int sign = box->GetMetrics()[TBM_SIGN_HALF_WIDTH];
    const COLORREF frame = GetSysColor(COLOR_BTNSHADOW), black = GetSysColor(COLOR_WINDOWTEXT);
    const int openMiddle = Middle(0), closedMiddle = Middle(2);
    // The frame of the square, and its white inside.
    EXPECT_EQ(shown.Pixel(x - half, openMiddle), frame);
    EXPECT_EQ(shown.Pixel(x + half, openMiddle), frame);
    EXPECT_EQ(shown.Pixel(x, openMiddle - half), frame);
    EXPECT_EQ(shown.Pixel(x - half + 1, openMiddle - half + 1), kWhite);
    // The minus sign; the plus adds the upright stroke.
    EXPECT_EQ(shown.Pixel(x - sign, openMiddle), black);
    EXPECT_EQ(shown.Pixel(x + sign, openMiddle), black);
    EXPECT_EQ(shown.Pixel(x, openMiddle - sign), kWhite);
    EXPECT_EQ(shown.Pixel(x, closedMiddle - sign), black);
    EXPECT_EQ(shown.Pixel(x, closedMiddle + sign), black);
    // A leaf has no button.
    EXPECT_NE(shown.Pixel(x - half, Middle(3)), frame);
}

TEST_F(TreeBoxPaint, DottedLinesJoinSiblingsInACheckerboard)
{
    Make(TBF_TREE, nullptr);
    CTreeBoxNode* parent = Add("parent");
    for (const char* text : {"a", "b", "c"})
        Add(text, parent);
    box->ExpandItem(parent, true, 1);
    const TestHooks::Image shown = Render();
    const COLORREF line = GetSysColor(COLOR_BTNSHADOW);
    const int x = ButtonCentre(1);
    // The children's line runs from the parent's middle down to the last child's middle, one
    // dot every other pixel, dots where x + y is even.
    int dots = 0;
    for (int y = Middle(0) + 1; y < Middle(3); ++y) {
        const bool expected = (x + y) % 2 == 0;
        const bool onButton = y >= Middle(1) - 4 && y <= Middle(3);
        if (!onButton) {
            EXPECT_EQ(shown.Pixel(x, y) == line, expected) << "y " << y;
        }
        dots += shown.Pixel(x, y) == line;
    }
    EXPECT_GT(dots, RowHeight());
    EXPECT_NE(shown.Pixel(x, Middle(3) + 2), line); // the last child's line ends at its middle
    // The horizontal line from the button centre towards the text.
    EXPECT_GT(CountColour(shown, CRect(x + 1, Middle(2), x + 8, Middle(2) + 1), line), 1);
}

TEST_F(TreeBoxPaint, ImagesShowThroughTheirMaskAndSwitchWhenSelected)
{
    Make(0, nullptr, CRect(0, 0, 300, 200), WS_VSCROLL | WS_HSCROLL, 8, 8);
    // Two strips of two 8 x 8 frames: the picture (red or green square in the left half,
    // white elsewhere) and its mask (white where the picture shows).
    const auto strip = [](CBitmap& bitmap, COLORREF colour) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, 16, 8);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 16, 8, RGB(255, 255, 255));
        dc.FillSolidRect(0, 0, 4, 8, colour);
        dc.FillSolidRect(8, 0, 8, 8, RGB(0, 0, 0));
        dc.FillSolidRect(8, 0, 4, 8, RGB(255, 255, 255));
    };
    CBitmap plain, selected;
    strip(plain, RGB(255, 0, 0));
    strip(selected, RGB(0, 255, 0));
    box->SetColours({RGB(0, 0, 128), TB_SYSTEM_COLOUR, TB_SYSTEM_COLOUR, TB_SYSTEM_COLOUR,
                     TB_SYSTEM_COLOUR, TB_SYSTEM_COLOUR, TB_SYSTEM_COLOUR, TB_SYSTEM_COLOUR,
                     TB_SYSTEM_COLOUR},
                    true);
    CTreeBoxNode* first =
        box->InsertItem(nullptr, CTreeBox::kInsertLast,
                        {.text = "one", .image = &plain, .selectedImage = &selected});
    box->InsertItem(nullptr, CTreeBox::kInsertLast,
                    {.text = "two", .image = &plain, .selectedImage = &selected});
    box->SelectItem(first, true);
    const TestHooks::Image shown = Render();
    const int left = box->GetMetrics()[TBM_LEFT_MARGIN], top = Middle(1) - 4;
    EXPECT_EQ(shown.Pixel(left + 1, top + 2), RGB(255, 0, 0));
    EXPECT_EQ(shown.Pixel(left + 6, top + 2), RGB(0, 0, 128)); // clear: the background shows
    EXPECT_EQ(shown.Pixel(left + 1, Middle(0)), RGB(0, 255, 0));
}

TEST_F(TreeBoxPaint, AnEmptyBoxCentresItsEmptyTextInTheSecondRowBand)
{
    Make(0, nullptr);
    box->SetEmptyText("Nothing to show");
    box->Invalidate();
    const TestHooks::Image shown = Render();
    const int row = RowHeight();
    const auto inked = [&shown](const CRect& area) {
        return area.Width() * area.Height() - CountColour(shown, area, kWhite);
    };
    EXPECT_EQ(inked(CRect(0, 0, 300, row)), 0);
    EXPECT_EQ(inked(CRect(0, row, 80, 2 * row)), 0);
    EXPECT_GT(inked(CRect(100, row, 200, 2 * row)), 20);
    EXPECT_EQ(inked(CRect(220, row, 300, 2 * row)), 0);
    EXPECT_EQ(inked(CRect(0, 2 * row, 300, 200)), 0);
}

TEST_F(TreeBoxPaint, DisablingShowsOnlyTheDisabledBackgroundAndHidesTheBars)
{
    Make(0, nullptr);
    for (int i = 0; i < 40; ++i)
        Add("row " + std::to_string(i));
    EXPECT_TRUE(box->GetStyle() & WS_VSCROLL);
    box->EnableWindow(FALSE);
    TestHooks::Image shown = Render();
    EXPECT_FALSE(box->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(CountColour(shown, CRect(0, 0, 300, 200), GetSysColor(COLOR_3DFACE)), 300 * 200);
    box->EnableWindow(TRUE);
    shown = Render();
    EXPECT_TRUE(box->GetStyle() & WS_VSCROLL);
    EXPECT_GT(CountColour(shown, CRect(0, 0, 250, 200), kWhite), 1000);
}

} // namespace
