// tests/controls/tree_grid_test.cpp: the tree grid: the layout of its find bar (narrowed into a
// narrow grid), buttons, header and box; the header scrolled with the columns; a column divider
// dragged; the find bar's edits and F3 reported to the grid; and a grid rendered to a picture.
#include "tests/controls/tree_box_fixture.h"

#include "controls/grid_find_bar.h"
#include "controls/tree_grid.h"
#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

using controls_test::CountColour;
using TestHooks::MouseEvent;

/// A grid that finds rows whose first cell starts with the text, from the row after the focus.
class FindingGrid : public CTreeGrid {
public:
    std::vector<std::string> reports;
    void OnFindTextChanged(const std::string& text) override { reports.push_back("text " + text); }
    void OnFindIdChanged(const std::string& text) override { reports.push_back("id " + text); }
    void OnFindText2Changed(const std::string& text) override
    {
        reports.push_back("text2 " + text);
    }
    void OnFindNext(const std::string& text, int editId) override
    {
        reports.push_back("next " + text + " " + std::to_string(editId));
        CTreeBox& box = GetBox();
        CTreeBoxNode* start = box.GetFocusItem() ? box.GetFocusItem()->m_nextRow : nullptr;
        for (CTreeBoxNode* n = start ? start : box.GetFirstItem(); n; n = n->m_nextRow)
            if (n->m_text.str().rfind(text, 0) == 0) {
                box.SelectItem(n, true);
                return;
            }
    }
};

class TreeGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        controls_test::UseCompiledResources();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 760, 400),
                                  nullptr, 0));
    }
    void TearDown() override
    {
        grid.reset();
        host.DestroyWindow();
    }
    void Make(DWORD withButtons, UINT findBar, CRect rect = CRect(0, 0, 740, 300))
    {
        grid = std::make_unique<FindingGrid>();
        ASSERT_TRUE(grid->CreateGrid(withButtons, 0,
                                     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, rect,
                                     &host, 9, 0, 0, findBar));
        const int edges[] = {160, 230, 420};
        ASSERT_TRUE(grid->SetColumns("Name\tBorn\tPlace", 2, 3, edges));
        const char* rows[] = {"Adams, John\t1735\tBraintree", "Baker, Ann\t1801\tBristol",
                              "Bach, Carl\t1714\tWeimar", "Carter, Ella\t1880\tCork",
                              "Baxter, Tom\t1790\tYork"};
        for (const char* row : rows)
            grid->GetBox().InsertItem(nullptr, CTreeBox::kInsertLast, {.text = row});
    }
    CRect RectIn(CWnd& child, CWnd& parent)
    {
        CRect rect;
        child.GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        return rect;
    }
    void Type(CWnd& edit, const std::string& text)
    {
        for (char c : text)
            TestHooks::PostKey(edit, UINT(std::toupper(static_cast<unsigned char>(c))), 0);
        TestHooks::DeliverPosted();
    }

    CWnd host;
    std::unique_ptr<FindingGrid> grid;
};

TEST_F(TreeGridTest, WithoutButtonsTheHeaderTakesTheWholeWidth)
{
    Make(0, 0);
    const int headerHeight = grid->GetHeader().GetHeight();
    EXPECT_EQ(RectIn(grid->GetHeader(), *grid), CRect(0, 0, 740, headerHeight));
    EXPECT_EQ(RectIn(grid->GetBox(), *grid), CRect(0, headerHeight, 740, 300));
    EXPECT_EQ(grid->GetFindBar(), nullptr);
}

TEST_F(TreeGridTest, ButtonsSitAtTheHeaderRowsRightEndUnderTheFindBar)
{
    Make(1, 345);
    ASSERT_NE(grid->GetFindBar(), nullptr);
    CRect bar;
    grid->GetFindBar()->GetClientRect(&bar);
    const CSize units = GetDialogBaseUnits(AppResources().FindDialog(345)->GetFont());
    EXPECT_EQ(bar.Height(), 20 * units.cy / 8); // the template is 20 dialog units high
    EXPECT_EQ(bar.Width(), 740);
    const int top = bar.Height(), headerHeight = grid->GetHeader().GetHeight();
    EXPECT_EQ(RectIn(grid->GetHeader(), *grid), CRect(0, top, 740 - 32, top + headerHeight));
    EXPECT_EQ(RectIn(grid->GetButton(0), *grid),
              CRect(740 - 32, top, 740 - 16, top + headerHeight));
    EXPECT_EQ(RectIn(grid->GetButton(1), *grid), CRect(740 - 16, top, 740, top + headerHeight));
    EXPECT_EQ(RectIn(grid->GetBox(), *grid), CRect(0, top + headerHeight, 740, 300));
}

TEST_F(TreeGridTest, AFindBarNarrowerThanItsTemplateKeepsItsEditsInside)
{
    for (const UINT findBar : {345u, 346u}) {
        SCOPED_TRACE(findBar);
        Make(0, findBar, CRect(0, 0, 1200, 300));
        CGridFindBar& bar = *grid->GetFindBar();
        const std::vector<int> ids = {CTreeGrid::kFindTextId, CTreeGrid::kFindText2Id,
                                      CTreeGrid::kFindIdId};
        std::vector<CRect> wide;
        for (const int id : ids)
            wide.push_back(RectIn(*bar.GetEdit(id), bar));

        grid->MoveWindow(0, 0, 560, 300);
        CRect client;
        bar.GetClientRect(&client);
        ASSERT_EQ(client.Width(), 560);
        int lastRight = 0;
        for (const int id : ids) {
            CFindBarEdit& edit = *bar.GetEdit(id);
            if (!edit.IsWindowVisible())
                continue;
            const CRect place = RectIn(edit, bar);
            EXPECT_GE(place.left, lastRight) << id;
            EXPECT_LE(place.right, client.right) << id;
            EXPECT_GT(place.Width(), 20) << id;
            lastRight = place.right;
        }

        // Widened again, the edits go back to the template's places.
        grid->MoveWindow(0, 0, 1200, 300);
        for (std::size_t i = 0; i < ids.size(); ++i)
            EXPECT_EQ(RectIn(*bar.GetEdit(ids[i]), bar), wide[i]) << ids[i];
    }
}

TEST_F(TreeGridTest, AGridNoTallerThanItsHeaderLeavesTheBoxUnplaced)
{
    Make(0, 0, CRect(0, 0, 300, 10));
    EXPECT_EQ(RectIn(grid->GetBox(), *grid).Height(), 0);
}

TEST_F(TreeGridTest, TheHeaderScrollsWithTheColumns)
{
    Make(0, 0, CRect(0, 0, 200, 200)); // narrower than the columns
    CTreeBox& box = grid->GetBox();
    TestHooks::RenderWindow(*grid);
    TestHooks::ScrollBarAction(box, SB_HORZ, SB_THUMBTRACK, 30);
    EXPECT_EQ(box.GetHorizontalPos(), 30);
    EXPECT_EQ(grid->GetHeader().GetScrollPosition(), 30);
    const TestHooks::Image header = TestHooks::RenderWindow(grid->GetHeader());
    EXPECT_EQ(header.Pixel(160 - 30, 5), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_NE(header.Pixel(160, 5), GetSysColor(COLOR_WINDOWFRAME));
}

TEST_F(TreeGridTest, DraggingTheFirstDividerLeftStopsWhereTheTextsStart)
{
    Make(0, 0);
    CColumnHeader& header = grid->GetHeader();
    TestHooks::PostMouse(header, MouseEvent::LeftDown, CPoint(160, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::Move, CPoint(200, 5), MK_LBUTTON);
    TestHooks::DeliverPosted();
    EXPECT_EQ(grid->GetDraggedColumn(), 0);
    EXPECT_EQ(header.GetColumnRight(0), 200);
    EXPECT_EQ(header.GetColumnRight(2), 460);
    TestHooks::PostMouse(header, MouseEvent::Move, CPoint(-40, 5), MK_LBUTTON);
    TestHooks::PostMouse(header, MouseEvent::LeftUp, CPoint(-40, 5), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(header.GetColumnRight(0), grid->GetBox().GetMetrics()[TBM_LEFT_MARGIN]);
    EXPECT_EQ(grid->GetDraggedColumn(), -1);
}

TEST_F(TreeGridTest, EachFindEditReportsToItsOwnHandler)
{
    Make(0, 345);
    CGridFindBar& bar = *grid->GetFindBar();
    Type(*bar.GetEdit(CTreeGrid::kFindIdId), "I12");
    EXPECT_EQ(grid->reports, (std::vector<std::string>{"id i", "id i1", "id i12"}));
    grid->reports.clear();
    bar.GetEdit(CTreeGrid::kFindTextId)->SetWindowText("Ba");
    EXPECT_EQ(grid->reports, std::vector<std::string>{"text Ba"});
}

TEST_F(TreeGridTest, F3FindsWithTheFocusedOrFirstFilledEditAndIsLeftAloneWhenAllAreEmpty)
{
    Make(0, 345);
    CGridFindBar& bar = *grid->GetFindBar();
    CTreeBox& box = grid->GetBox();
    TestHooks::PostKey(box, VK_F3, 0);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(grid->reports.empty());

    bar.GetEdit(CTreeGrid::kFindTextId)->SetWindowText("Ba");
    grid->reports.clear();
    TestHooks::PostKey(box, VK_F3, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(grid->reports, std::vector<std::string>{"next Ba 1535"});
    EXPECT_EQ(box.GetFocusItem()->m_text.str().substr(0, 10), "Baker, Ann");
    TestHooks::PostKey(*bar.GetEdit(CTreeGrid::kFindTextId), VK_F3, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(box.GetFocusItem()->m_text.str().substr(0, 10), "Bach, Carl");

    bar.GetEdit(CTreeGrid::kFindIdId)->SetWindowText("7");
    grid->reports.clear();
    TestHooks::PostKey(*bar.GetEdit(CTreeGrid::kFindIdId), VK_F3, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(grid->reports, std::vector<std::string>{"next 7 1179"});
}

TEST_F(TreeGridTest, FindEditsReportTheirFocusAndKeepEnterTabAndEscapeOutOfTheirText)
{
    Make(0, 345);
    CGridFindBar& bar = *grid->GetFindBar();
    EXPECT_EQ(bar.GetLastFocused(), 0);
    bar.GetEdit(CTreeGrid::kFindIdId)->SetFocus();
    EXPECT_EQ(bar.GetLastFocused(), CTreeGrid::kFindIdId);
    CFindBarEdit& edit = *bar.GetEdit(CTreeGrid::kFindTextId);
    edit.SetFocus();
    EXPECT_EQ(bar.GetLastFocused(), CTreeGrid::kFindTextId);
    for (const UINT key : {UINT(VK_RETURN), UINT(VK_TAB), UINT(VK_ESCAPE), UINT('B')})
        TestHooks::PostKey(edit, key, 0);
    TestHooks::DeliverPosted();
    std::string text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "b");
}

TEST_F(TreeGridTest, AFindEditHandsEnterTabAndEscapeToItsListenerAndTellsItsFocus)
{
    Make(0, 345);
    struct Recorder : CFindBarEditListener {
        void OnEditChar(CFindBarEdit*, UINT character) override { chars.push_back(character); }
        void OnEditSetFocus(CFindBarEdit*) override { events.push_back("gained"); }
        void OnEditKillFocus(CFindBarEdit*) override { events.push_back("lost"); }
        std::vector<UINT> chars;
        std::vector<std::string> events;
    } recorder;
    CFindBarEdit edit(&recorder);
    ASSERT_TRUE(
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 80, 20), grid.get(), 4321));
    edit.SetFocus();
    for (const UINT key : {UINT(VK_RETURN), UINT('X'), UINT(VK_TAB), UINT(VK_ESCAPE)})
        TestHooks::PostKey(edit, key, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(recorder.chars, (std::vector<UINT>{VK_RETURN, VK_TAB, VK_ESCAPE}));
    std::string text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "x");
    grid->GetBox().SetFocus();
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"gained", "lost"}));
    edit.DestroyWindow();
}

TEST_F(TreeGridTest, RendersHeaderRowsAndSelection)
{
    Make(1, 345);
    CTreeBox& box = grid->GetBox();
    box.SelectItem(box.FindItemById(1), true);
    box.SetFocus();
    TestHooks::DeliverPosted();
    const TestHooks::Image shown = TestHooks::RenderWindow(*grid);
    EXPECT_TRUE(shown.SavePng("tree_grid.png"));
    CRect bar;
    grid->GetFindBar()->GetClientRect(&bar);
    const int headerBottom = bar.Height() + grid->GetHeader().GetHeight();
    const int rowHeight = box.GetMetrics()[TBM_ROW_HEIGHT];
    // The selection marks only the first cell of the second row.
    const CRect firstCell(10, headerBottom + rowHeight, 150, headerBottom + 2 * rowHeight);
    const CRect secondCell(170, headerBottom + rowHeight, 220, headerBottom + 2 * rowHeight);
    EXPECT_GT(CountColour(shown, firstCell, GetSysColor(COLOR_HIGHLIGHT)), 100);
    EXPECT_EQ(CountColour(shown, secondCell, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_EQ(shown.Pixel(160, bar.Height() + 5), GetSysColor(COLOR_WINDOWFRAME));
}

} // namespace
