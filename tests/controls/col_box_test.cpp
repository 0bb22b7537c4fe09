// tests/controls/col_box_test.cpp: the column box: sorting on a title click through its
// user, moving rows, columns resized by dragging a divider (read back from the painted header
// and cells), and the header scrolling with the list.
#include "tests/controls/tree_box_fixture.h"

#include "controls/col_box.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

using TestHooks::MouseEvent;

class SortingUser : public CColBoxOwner {
public:
    bool allowSort = true;
    std::vector<int> clicks;
    bool OnColumnClick(CColBox*, int column) override
    {
        clicks.push_back(column);
        return allowSort;
    }
    int Compare(CColBox*, std::uintptr_t a, std::uintptr_t b) override
    {
        return a < b ? -1 : a > b ? 1 : 0;
    }
};

class ColBoxTest : public testing::Test {
protected:
    void Make(CColBoxOwner* user)
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300),
                                  nullptr, 0));
        ASSERT_TRUE(colBox.Create(0, 0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 7,
                                  user, 0, 0));
        const int edges[] = {100, 200};
        ASSERT_TRUE(colBox.SetColumns("Name\tBorn", 2, 2, edges));
        for (auto [text, key] : std::vector<std::pair<const char*, int>>{
                 {"Carter\t1901", 3}, {"Adams\t1850", 1}, {"Baker\t1877", 2}})
            colBox.GetBox().InsertItem(nullptr, CTreeBox::kInsertLast,
                                       {.text = text, .data = std::uintptr_t(key)});
    }
    void TearDown() override
    {
        colBox.DestroyWindow();
        host.DestroyWindow();
    }
    std::string Order()
    {
        std::string order;
        for (CTreeBoxNode* n = colBox.GetBox().GetFirstItem(); n; n = n->m_nextSibling)
            order += n->m_text.str().substr(0, 1);
        return order;
    }
    void ClickTitle(int x)
    {
        CColumnHeader& header = colBox.GetHeader();
        TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(x, 5), MK_LBUTTON);
        TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(x, 5), 0);
        TestHooks::DeliverPosted();
    }
    void DragDivider(int from, int to)
    {
        CColumnHeader& header = colBox.GetHeader();
        TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(from, 5), MK_LBUTTON);
        TestHooks::PostMouse(header, MouseEvent::Move, CPoint((from + to) / 2, 5), MK_LBUTTON);
        TestHooks::PostMouse(header, MouseEvent::Move, CPoint(to, 5), MK_LBUTTON);
        TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(to, 5), 0);
        TestHooks::DeliverPosted();
    }
    /// The first column, left to right, in which a row of the list shows ink.
    int FirstInk(const TestHooks::Image& shown, int fromX, int row)
    {
        const int rowHeight = colBox.GetBox().GetMetrics()[TBM_ROW_HEIGHT];
        const int top = colBox.GetHeader().GetHeight() + row * rowHeight;
        for (int x = fromX; x < shown.width; ++x)
            for (int y = top; y < top + rowHeight; ++y)
                if (GetRValue(shown.Pixel(x, y)) < 128)
                    return x;
        return -1;
    }

    CWnd host;
    CColBox colBox;
};

TEST_F(ColBoxTest, ATitleClickSortsByTheUsersOrder)
{
    SortingUser user;
    Make(&user);
    ClickTitle(50);
    EXPECT_EQ(Order(), "ABC");
    EXPECT_EQ(user.clicks, std::vector<int>{0});
    colBox.GetBox().MoveRows(0, 1, -1);
    user.allowSort = false;
    ClickTitle(150);
    EXPECT_EQ(Order(), "BCA");
    EXPECT_EQ(user.clicks, (std::vector<int>{0, 1}));
}

TEST_F(ColBoxTest, WithoutAUserATitleClickKeepsTheOrder)
{
    Make(nullptr);
    ClickTitle(50);
    EXPECT_EQ(Order(), "CAB");
}

TEST_F(ColBoxTest, RowsMoveOnePlaceExceptPastTheEnds)
{
    Make(nullptr);
    colBox.MoveItemDown(2);
    colBox.MoveItemUp(0);
    EXPECT_EQ(Order(), "CAB");
    colBox.MoveItemUp(1);
    EXPECT_EQ(Order(), "ACB");
    colBox.MoveItemDown(0);
    EXPECT_EQ(Order(), "CAB");
    colBox.MoveItemUp(2);
    EXPECT_EQ(Order(), "CBA");
}

TEST_F(ColBoxTest, CellsAndTabFieldsComeFromTheRowText)
{
    Make(nullptr);
    CTreeBoxNode* first = colBox.GetBox().GetFirstItem();
    EXPECT_EQ(colBox.GetTabField(first, 1), "1901");
    EXPECT_EQ(colBox.GetTabField(first, 2), "");
    EXPECT_TRUE(colBox.SetColumns(nullptr, 0, 0, nullptr));
    EXPECT_EQ(colBox.GetHeader().GetColumnCount(), 0);
}

TEST_F(ColBoxTest, DraggingADividerMovesTheHeaderAndTheCellsAfterIt)
{
    Make(nullptr);
    TestHooks::Image shown = TestHooks::RenderWindow(colBox);
    const int before = FirstInk(shown, 101, 0);
    EXPECT_GT(before, 100);
    DragDivider(100, 140);
    EXPECT_EQ(colBox.GetHeader().GetColumnRight(0), 140);
    EXPECT_EQ(colBox.GetHeader().GetColumnRight(1), 240);
    shown = TestHooks::RenderWindow(colBox);
    shown.SavePng("col_box_after_drag.png");
    EXPECT_EQ(shown.Pixel(140, 5),
              GetSysColor(COLOR_WINDOWFRAME)); // the divider, painted where it went
    EXPECT_NE(shown.Pixel(100, 5), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(FirstInk(shown, 101, 0), before + 40);
    // Dragged far left, the first edge stops where the texts start.
    DragDivider(140, -50);
    EXPECT_EQ(colBox.GetHeader().GetColumnRight(0), 2);
}

TEST_F(ColBoxTest, TheHeaderScrollsWithTheList)
{
    Make(nullptr);
    const int edges[] = {400, 600};
    colBox.SetColumns("Name\tBorn", 2, 2, edges);
    CTreeBox& box = colBox.GetBox();
    TestHooks::RenderWindow(colBox);
    ASSERT_TRUE(box.GetStyle() & WS_HSCROLL);
    TestHooks::ScrollBarAction(box, SB_HORZ, SB_PAGERIGHT);
    const int pos = box.GetHorizontalPos();
    EXPECT_GT(pos, 50);
    EXPECT_EQ(colBox.GetHeader().GetScrollPosition(), pos);
    const TestHooks::Image shown = TestHooks::RenderWindow(colBox);
    EXPECT_EQ(shown.Pixel(400 - pos, 5), GetSysColor(COLOR_WINDOWFRAME));
}

/// A box whose columns share its width, as the named-lists box sets them on each size.
class ProportionalColBox : public CColBox {
protected:
    void OnSize(UINT type, int cx, int cy) override
    {
        CColBox::OnSize(type, cx, cy);
        const int edges[] = {cx / 2, cx};
        SetColumns("Name\tBorn", 2, 2, edges);
    }
};

TEST(ColBoxResize, GrowingPaintsTheCellsAgainWhereTheColumnsMoved)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 300),
                              nullptr, 0));
    ProportionalColBox colBox;
    ASSERT_TRUE(
        colBox.Create(0, 0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &host, 7, nullptr, 0, 0));
    colBox.GetBox().InsertItem(nullptr, CTreeBox::kInsertLast, {.text = "Ann\t1901"});
    TestHooks::RenderWindow(colBox);
    colBox.MoveWindow(0, 0, 400, 200);
    const TestHooks::Image shown = TestHooks::RenderWindow(colBox);
    shown.SavePng("col_box_after_growing.png");
    // The year stood at 100 before; now its column starts at 200, and nothing is left behind.
    const int top = colBox.GetHeader().GetHeight();
    const int rowHeight = colBox.GetBox().GetMetrics()[TBM_ROW_HEIGHT];
    int ink = -1;
    for (int x = 60; x < shown.width && ink < 0; ++x)
        for (int y = top; y < top + rowHeight; ++y)
            if (GetRValue(shown.Pixel(x, y)) < 128) {
                ink = x;
                break;
            }
    EXPECT_GE(ink, 200);
    colBox.DestroyWindow();
    host.DestroyWindow();
}

} // namespace
