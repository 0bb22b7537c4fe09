// tests/queries/window/result_grid_test.cpp: the result grid with a scripted owner: rows and
// columns and how the selection follows their changes, keys, drag selection, scrolling that asks
// only for visible cells, column drags and title clicks, copying the selection as text, and
// columns together wider than a 32-bit edge can hold.
#include "platform/ui/windows/clipboard.h"
#include "platform/ui/windows/cursor.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/window/result_grid.h"
#include "tests/support/window_test.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace {

using TestHooks::MouseEvent;

/// Cells read "r<row>c<column>"; records what the grid tells it.
class ScriptedOwner final : public IResultGridOwner {
public:
    std::vector<void*> freed;
    std::vector<void*> sorted;
    std::vector<int> resized;
    std::set<std::uintptr_t> askedRows;
    int cellsAsked = 0;
    int doubleClicks = 0;
    UINT takeKey = 0;

    void OnColumnFreed(void* data) override { freed.push_back(data); }
    void OnSortColumn(CResultGrid*, void* data) override { sorted.push_back(data); }
    void OnColumnWidthChanged(CResultGrid*, int column) override { resized.push_back(column); }
    bool OnGridKey(CResultGrid*, UINT key) override { return key == takeKey; }
    void OnGridDoubleClick(CResultGrid*) override { ++doubleClicks; }
    bool GetCellText(CResultGrid*, std::string& buffer, CBitmap**, int row, int column,
                     std::uintptr_t value, void*) override
    {
        askedRows.insert(value);
        ++cellsAsked;
        buffer = "r" + std::to_string(row) + "c" + std::to_string(column);
        return true;
    }
};

class ResultGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 300),
                                  nullptr, 0));
        ASSERT_TRUE(
            grid.CreateResultGrid(WS_VISIBLE, CRect(0, 0, 400, 280), &host, 5, &owner, 16, 16));
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        host.DestroyWindow();
    }
    void Fill(int rows, int columns, int width = 60)
    {
        for (int c = 0; c < columns; ++c)
            grid.AddGridColumn("C" + std::to_string(c), width, 0, &columnData[std::size_t(c)], -1);
        for (int r = 0; r < rows; ++r)
            grid.AddGridRow(std::uintptr_t(r), 1);
    }
    std::string Selection() const
    {
        const GridSelection& s = grid.GetSelection();
        return std::to_string(s.top) + "," + std::to_string(s.left) + "-" +
               std::to_string(s.bottom) + "," + std::to_string(s.right) + " @" +
               std::to_string(grid.GetAnchorRow()) + "," + std::to_string(grid.GetAnchorColumn());
    }
    CPoint CellCentre(int row, int column) const
    {
        int x = 0;
        for (int c = grid.GetFirstVisibleColumn(); c < column; ++c)
            x += grid.GetGridColumnWidth(c) + 1;
        return CPoint(x + grid.GetGridColumnWidth(column) / 2,
                      (row - grid.GetFirstVisibleRow()) * grid.GetRowHeight() +
                          grid.GetRowHeight() / 2);
    }
    void Key(UINT vk, UINT mk = 0)
    {
        TestHooks::PostKey(grid.GetCells(), vk, mk);
        TestHooks::DeliverPosted();
    }

    CWnd host;
    ScriptedOwner owner;
    CResultGrid grid;
    std::array<int, 12> columnData{};
};

TEST_F(ResultGridTest, RowsHoldPointerSizedValuesAndGrowWithoutLimit)
{
    Fill(0, 1);
    const std::uintptr_t big = std::uintptr_t(0x7fff'1234'5678ULL);
    for (int r = 0; r < 50000; ++r)
        ASSERT_EQ(grid.AddGridRow(big + std::uintptr_t(r), 1), r);
    EXPECT_EQ(grid.GetRowValue(49999), big + 49999);
    EXPECT_EQ(grid.AddGridRow(7, 0), 0);
    EXPECT_EQ(grid.GetRowValue(1), big);
}

TEST_F(ResultGridTest, TheFirstRowAndColumnBecomeTheAnchorAndAClearKeepsTheColumn)
{
    Fill(0, 2);
    EXPECT_EQ(Selection(), "-1,0--1,0 @-1,0");
    grid.AddGridRow(10, 1);
    EXPECT_EQ(Selection(), "0,0-0,0 @0,0");
    grid.SetGridSelection(0, 1, false, true);
    grid.ClearGrid(false);
    EXPECT_EQ(grid.GetRowCount(), 0);
    grid.AddGridRow(11, 1);
    EXPECT_EQ(Selection(), "0,1-0,1 @0,1");
    grid.ClearGrid(true);
    EXPECT_EQ(owner.freed.size(), 2u);
    EXPECT_EQ(Selection(), "-1,-1--1,-1 @-1,-1");
}

TEST_F(ResultGridTest, KeysMoveTheAnchorOrExtendFromItAndStopAtTheEdges)
{
    Fill(5, 3);
    struct Step {
        UINT vk;
        UINT mk;
        const char* selection;
    } const steps[] = {
        {VK_DOWN, 0, "1,0-1,0 @1,0"},         {VK_RIGHT, 0, "1,1-1,1 @1,1"},
        {VK_DOWN, MK_SHIFT, "1,1-2,1 @1,1"},  {VK_RIGHT, MK_SHIFT, "1,1-2,2 @1,1"},
        {VK_RIGHT, MK_SHIFT, "1,1-2,2 @1,1"}, {VK_UP, MK_SHIFT, "1,1-1,2 @1,1"},
        {VK_UP, MK_SHIFT, "0,1-1,2 @1,1"},    {VK_LEFT, 0, "1,0-1,0 @1,0"},
        {VK_LEFT, 0, "1,0-1,0 @1,0"},
    };
    for (const Step& step : steps) {
        Key(step.vk, step.mk);
        EXPECT_EQ(Selection(), step.selection) << step.vk << " " << step.mk;
    }
    grid.SetGridSelection(4, 0, false, true);
    Key(VK_DOWN);
    EXPECT_EQ(Selection(), "4,0-4,0 @4,0");
}

TEST_F(ResultGridTest, PageKeysGoToTheEdgeOfTheViewThenAPageOnAndHomeAndEndToTheEnds)
{
    Fill(100, 3);
    const int page = grid.GetVisibleRowCount();
    ASSERT_GT(page, 3);
    const auto at = [](int row, int column) {
        const std::string cell = std::to_string(row) + "," + std::to_string(column);
        return cell + "-" + cell + " @" + cell;
    };
    Key(VK_RIGHT);
    Key(VK_NEXT);
    EXPECT_EQ(Selection(), at(page - 1, 1)) << "the last row in view";
    EXPECT_EQ(grid.GetFirstVisibleRow(), 0);
    Key(VK_NEXT);
    EXPECT_EQ(Selection(), at(2 * page - 2, 1)) << "a page on, the old last row now the first";
    EXPECT_EQ(grid.GetFirstVisibleRow(), page - 1);
    Key(VK_PRIOR);
    EXPECT_EQ(Selection(), at(page - 1, 1)) << "the first row in view";
    Key(VK_PRIOR);
    EXPECT_EQ(Selection(), at(0, 1));
    EXPECT_EQ(grid.GetFirstVisibleRow(), 0);
    Key(VK_PRIOR);
    EXPECT_EQ(Selection(), at(0, 1));

    Key(VK_END);
    EXPECT_EQ(Selection(), at(99, 1));
    EXPECT_EQ(grid.GetLastVisibleRow(), 99);
    Key(VK_NEXT);
    EXPECT_EQ(Selection(), at(99, 1));
    Key(VK_HOME);
    EXPECT_EQ(Selection(), at(0, 1));
    Key(VK_END, MK_CONTROL);
    EXPECT_EQ(Selection(), at(99, 2));
    Key(VK_HOME, MK_CONTROL);
    EXPECT_EQ(Selection(), at(0, 0));

    // With Shift they move the corner opposite the anchor.
    Key(VK_NEXT, MK_SHIFT);
    EXPECT_EQ(Selection(), "0,0-" + std::to_string(page - 1) + ",0 @0,0");
    Key(VK_END, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(Selection(), "0,0-99,2 @0,0");
    Key(VK_HOME, MK_SHIFT);
    EXPECT_EQ(Selection(), "0,0-0,2 @0,0");
}

TEST_F(ResultGridTest, SelectingAFarColumnJumpsThereInOneMove)
{
    constexpr int kColumns = 5000;
    for (int c = 0; c < kColumns; ++c)
        grid.AddGridColumn("C", 20, 0, nullptr, -1);
    for (int r = 0; r < 20; ++r)
        grid.AddGridRow(std::uintptr_t(r), 1);
    TestHooks::RenderWindow(grid.GetCells());
    owner.cellsAsked = 0;
    grid.SetGridSelection(3, 4000, false, true);
    const int shown = grid.GetVisibleColumnCount();
    EXPECT_EQ(grid.GetFirstVisibleColumn(), 4000 - shown + 1) << "the column is the last in view";
    EXPECT_LE(owner.cellsAsked, 2 * shown * grid.GetVisibleRowCount() + 2 * shown)
        << "the view is painted once there, not once for every column passed";

    // Back to the left, and on to the far end by key.
    grid.SetGridSelection(3, 10, false, true);
    EXPECT_EQ(grid.GetFirstVisibleColumn(), 10);
    owner.cellsAsked = 0;
    Key(VK_END, MK_CONTROL);
    EXPECT_EQ(grid.GetFirstVisibleColumn(), kColumns - shown);
    EXPECT_LE(owner.cellsAsked, 2 * shown * grid.GetVisibleRowCount() + 2 * shown);
}

TEST_F(ResultGridTest, TheOwnerSeesKeysFirstAndCtrlCCopiesTheSelectionAsText)
{
    Fill(3, 3);
    owner.takeKey = VK_DOWN;
    Key(VK_DOWN);
    EXPECT_EQ(Selection(), "0,0-0,0 @0,0");
    grid.SetGridSelection(1, 1, false, false);
    grid.SetGridSelection(2, 2, true, false);
    SetClipboardText("old");
    Key('C', MK_CONTROL);
    EXPECT_EQ(GetClipboardText(), "r1c1\tr1c2\r\nr2c1\tr2c2");
    SetClipboardText("old");
    Key(VK_INSERT, MK_CONTROL);
    EXPECT_EQ(GetClipboardText(), "r1c1\tr1c2\r\nr2c1\tr2c2");
}

TEST_F(ResultGridTest, DraggingExtendsOnlyWhileThePointerIsOverCells)
{
    Fill(4, 3);
    CResultGridCells& cells = grid.GetCells();
    TestHooks::PostMouse(cells, MouseEvent::LeftDown, CellCentre(1, 0), MK_LBUTTON);
    TestHooks::PostMouse(cells, MouseEvent::Move, CellCentre(2, 1), MK_LBUTTON);
    TestHooks::PostMouse(cells, MouseEvent::Move, CPoint(CellCentre(3, 1).x, 250), MK_LBUTTON);
    TestHooks::PostMouse(cells, MouseEvent::Move, CPoint(-20, 5), MK_LBUTTON);
    TestHooks::PostMouse(cells, MouseEvent::LeftUp, CPoint(-20, 5), 0);
    TestHooks::PostMouse(cells, MouseEvent::Move, CellCentre(3, 2), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Selection(), "1,0-2,1 @1,0");
    TestHooks::PostMouse(cells, MouseEvent::LeftDown, CellCentre(3, 2), MK_LBUTTON | MK_SHIFT);
    TestHooks::PostMouse(cells, MouseEvent::LeftUp, CellCentre(3, 2), 0);
    TestHooks::PostMouse(cells, MouseEvent::LeftDoubleClick, CellCentre(3, 2), MK_LBUTTON);
    TestHooks::DeliverPosted();
    EXPECT_EQ(Selection(), "1,0-3,2 @1,0");
    EXPECT_EQ(owner.doubleClicks, 1);
}

TEST_F(ResultGridTest, DeletingRowsAndColumnsKeepsTheSelectionOnTheSameCells)
{
    struct Case {
        int top, bottom, deleted;
        const char* after;
    } const cases[] = {
        {3, 4, 1, "2,0-3,0 @2,0"}, // below the deleted row: moves up
        {1, 3, 2, "1,0-2,0 @1,0"}, // contains it: shrinks
        {5, 5, 5, "4,0-4,0 @4,0"}, // the removed last row: the new last row
        {2, 2, 2, "2,0-2,0 @2,0"}, // a lone row: the row that takes its place
        {0, 1, 4, "0,0-1,0 @0,0"}, // above it: unchanged
    };
    for (const Case& c : cases) {
        grid.ClearGrid(true);
        Fill(6, 1);
        grid.SetGridSelection(c.top, 0, false, false);
        grid.SetGridSelection(c.bottom, 0, true, false);
        ASSERT_TRUE(grid.DeleteGridRow(c.deleted, true));
        EXPECT_EQ(Selection(), c.after) << c.top << "-" << c.bottom << " less " << c.deleted;
    }
    EXPECT_FALSE(grid.DeleteGridRow(99, true));

    grid.ClearGrid(true);
    Fill(2, 3);
    grid.SetGridSelection(0, 1, false, false);
    grid.SetGridSelection(1, 2, true, false);
    owner.freed.clear();
    ASSERT_TRUE(grid.DeleteGridColumn(2, true));
    EXPECT_EQ(owner.freed, std::vector<void*>{&columnData[2]});
    EXPECT_EQ(Selection(), "0,1-1,1 @0,1");
    EXPECT_EQ(grid.GetHeader().GetColumnCount(), 2);
    EXPECT_EQ(grid.GetHeader().GetColumnRight(1), 2 * 61);
}

TEST_F(ResultGridTest, AnEmptyGridIsAllButtonFaceWithBothBarsDisabled)
{
    Fill(0, 2);
    const TestHooks::Image shown = TestHooks::RenderWindow(grid.GetCells());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (CPoint p : {CPoint(2, 2), CPoint(100, 50), CPoint(shown.width - 2, shown.height - 2)})
        EXPECT_EQ(shown.Pixel(p.x, p.y), face);
    EXPECT_FALSE(grid.GetDlgItem(3)->IsWindowEnabled());
    EXPECT_FALSE(grid.GetDlgItem(4)->IsWindowEnabled());
}

TEST_F(ResultGridTest, TheSelectionIsInvertedWithTheAnchorCellLeftPlainUnderTheCellCursor)
{
    test_support::UseCompiledResources();
    CResultGrid withCursor;
    ASSERT_TRUE(withCursor.CreateResultGrid(0, CRect(0, 0, 100, 100), &host, 6, &owner, 0, 0));
    EXPECT_EQ(GetCursorResourceId(withCursor.GetCells().GetWindowCursor()),
              CResultGrid::kCellCursorId);
    withCursor.DestroyWindow();

    Fill(3, 3);
    grid.SetGridSelection(0, 0, false, false);
    grid.SetGridSelection(1, 1, true, false);
    grid.GetCells().Invalidate();
    const TestHooks::Image shown = TestHooks::RenderWindow(grid.GetCells());
    const auto inverse = [](COLORREF colour) { return COLORREF(~colour & 0xFFFFFF); };
    const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
    const int height = grid.GetRowHeight(), width = grid.GetGridColumnWidth(0);
    // Blank spots at the right of a cell, away from its text.
    const auto spot = [&](int row, int column) {
        return shown.Pixel(column * (width + 1) + width - 4, row * height + height / 2);
    };
    EXPECT_EQ(spot(1, 1), inverse(window)) << "a selected cell";
    EXPECT_EQ(spot(1, 0), inverse(window));
    EXPECT_EQ(spot(0, 0), window) << "the anchor cell, inside its border";
    EXPECT_EQ(shown.Pixel(1, 0), inverse(window)) << "the anchor cell's border";
    EXPECT_EQ(shown.Pixel(width / 2, height - 1), inverse(face)) << "a separator inside";
    EXPECT_EQ(spot(2, 2), window) << "a cell outside";
    EXPECT_EQ(shown.Pixel(width / 2, 3 * height - 1), face) << "a separator outside";
}

TEST_F(ResultGridTest, SelectingOffScreenScrollsAndPaintingAsksOnlyForVisibleRows)
{
    Fill(1000, 10);
    EXPECT_TRUE(grid.GetDlgItem(3)->IsWindowEnabled());
    grid.SetGridSelection(500, 9, false, true);
    const int visible = grid.GetVisibleRowCount();
    EXPECT_EQ(grid.GetFirstVisibleRow(), 500 - visible + 1);
    EXPECT_GT(grid.GetFirstVisibleColumn(), 0);
    owner.askedRows.clear();
    grid.GetCells().Invalidate();
    TestHooks::RenderWindow(grid.GetCells());
    ASSERT_FALSE(owner.askedRows.empty());
    EXPECT_GE(*owner.askedRows.begin(), std::uintptr_t(grid.GetFirstVisibleRow()));
    EXPECT_LE(*owner.askedRows.rbegin(), std::uintptr_t(grid.GetFirstVisibleRow() + visible));
    TestHooks::ScrollBarAction(*grid.GetDlgItem(3), SB_CTL, SB_THUMBTRACK, 0);
    EXPECT_EQ(grid.GetFirstVisibleRow(), 0);
}

TEST_F(ResultGridTest, ThousandsOfVeryWideColumnsKeepEveryEdgeInRange)
{
    // Together far more than a 32-bit edge can hold.
    constexpr int kColumns = 2100;
    for (int c = 0; c < kColumns; ++c)
        grid.AddGridColumn("C", 1 << 20, 0, nullptr, -1);
    grid.AddGridRow(1, 1);
    const auto span = [this] {
        long long total = 0;
        for (int c = 0; c < grid.GetColumnCount(); ++c) {
            EXPECT_GE(grid.GetGridColumnWidth(c), 0) << c;
            total += grid.GetGridColumnWidth(c) + 1;
        }
        return total;
    };
    EXPECT_LE(span(), CResultGrid::kMaxColumnsSpan + kColumns);
    EXPECT_EQ(grid.GetGridColumnWidth(0), 1 << 20);
    CColumnHeader& header = grid.GetHeader();
    for (int c = 1; c < header.GetColumnCount(); ++c)
        ASSERT_GE(header.GetColumnRight(c), header.GetColumnRight(c - 1)) << c;
    EXPECT_EQ(header.GetColumnRight(header.GetColumnCount() - 1), span());

    // Made wider, a column takes only what is left; the view goes to the last columns (the
    // scroll bar's thumb dragged to the end) and paints there.
    grid.SetGridColumnWidth(3, INT_MAX);
    EXPECT_LE(span(), CResultGrid::kMaxColumnsSpan + kColumns);
    CWnd* bar = grid.GetDlgItem(4); // the horizontal scroll bar
    ASSERT_NE(bar, nullptr);
    TestHooks::ScrollBarAction(*bar, SB_CTL, SB_THUMBTRACK, kColumns - 1);
    EXPECT_GT(grid.GetFirstVisibleColumn(), 1000);
    long long before = 0;
    for (int c = 0; c < grid.GetFirstVisibleColumn(); ++c)
        before += grid.GetGridColumnWidth(c) + 1;
    EXPECT_EQ(header.GetScrollPosition(), before);
    TestHooks::RenderWindow(grid);
    EXPECT_EQ(header.GetColumnRight(header.GetColumnCount() - 1), span());
}

TEST_F(ResultGridTest, DraggingADividerResizesTheColumnAndClickingATitleAsksToSort)
{
    Fill(3, 3, 60);
    CColumnHeader& header = grid.GetHeader();
    TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(61, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::Move, CPoint(90, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::Move, CPoint(121, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(121, 5), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(grid.GetGridColumnWidth(0), 120);
    EXPECT_EQ(owner.resized, std::vector<int>{0});
    EXPECT_EQ(header.GetColumnRight(2), 121 + 2 * 61);
    // Not left of the column's own left edge.
    TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(182, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::Move, CPoint(20, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(20, 5), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(grid.GetGridColumnWidth(1), 0);

    TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(160, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(160, 5), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(owner.sorted, std::vector<void*>{&columnData[2]});
}

} // namespace
