// tests/controls/tree_box_input_test.cpp: the tree box driven as a user drives it: keys,
// first-letter search, paging, the wheel and the scroll bars, clicks on buttons, multiple
// selection with Ctrl and Shift, and the rubber band; results read back from the rows and
// from the rendered window; in a dialog, the keys the box leaves to the dialog.
#include "tests/controls/tree_box_fixture.h"

#include "platform/ui/dialogs/dialog.h"

#include "platform/ui/windows/sys_metrics.h"

namespace {

using controls_test::CountColour;
using controls_test::RecordingOwner;
using controls_test::TreeBoxFixture;
using TestHooks::MouseEvent;

class TreeBoxInput : public TreeBoxFixture {
protected:
    void MakeList(int rows, DWORD flags = 0)
    {
        Make(flags, &owner);
        for (int i = 0; i < rows; ++i)
            Add("row " + std::to_string(i));
        box->SetFocus();
        TestHooks::DeliverPosted();
    }
    std::string FocusText() const
    {
        return box->GetFocusItem() ? box->GetFocusItem()->m_text.str() : "(none)";
    }
    int FocusRow() const { return box->GetFocusItem() ? box->GetItemRow(box->GetFocusItem()) : -1; }
    int Page() const
    {
        CRect client;
        box->GetClientRect(&client);
        return client.Height() / RowHeight();
    }
    int Middle(int visibleRow) const { return visibleRow * RowHeight() + RowHeight() / 2; }
    RecordingOwner owner;
};

TEST_F(TreeBoxInput, ArrowsHomeAndEndMoveTheSelection)
{
    MakeList(40);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(FocusText(), "row 2");
    Key(VK_UP);
    EXPECT_EQ(FocusText(), "row 1");
    Key(VK_END);
    EXPECT_EQ(FocusText(), "row 39");
    EXPECT_EQ(TopRow(), 40 - Page());
    Key(VK_HOME);
    EXPECT_EQ(FocusText(), "row 0");
    EXPECT_EQ(TopRow(), 0);
    EXPECT_EQ(Selected(), std::vector<std::string>{"row 0"});
}

TEST_F(TreeBoxInput, PageDownSelectsThePageBottomThenScrollsAPageAndStopsAtTheEnd)
{
    MakeList(40);
    const int page = Page();
    Key(VK_NEXT);
    EXPECT_EQ(FocusRow(), page - 1);
    EXPECT_EQ(TopRow(), 0);
    Key(VK_NEXT);
    EXPECT_EQ(FocusRow(), 2 * page - 2);
    EXPECT_EQ(TopRow(), page - 1);
    for (int i = 0; i < 5; ++i)
        Key(VK_NEXT);
    EXPECT_EQ(FocusRow(), 39);
    EXPECT_EQ(TopRow(), 40 - page);
    Key(VK_PRIOR);
    EXPECT_EQ(FocusRow(), 40 - page);
    Key(VK_PRIOR);
    EXPECT_EQ(FocusRow(), 40 - 2 * page + 1);
    EXPECT_EQ(TopRow(), FocusRow());
}

TEST_F(TreeBoxInput, FirstLetterSearchStepsThroughTheRowsWithThatLetter)
{
    Make(0, &owner);
    CTreeBoxNode* bach = Add("Bach");
    Add("Baker");
    Add("Carter");
    Add("7 Seas");
    box->SelectItem(bach, true);
    Key('B');
    EXPECT_EQ(FocusText(), "Baker");
    Key('B');
    EXPECT_EQ(FocusText(), "Bach");
    Key('C', MK_SHIFT);
    EXPECT_EQ(FocusText(), "Carter");
    Key('7');
    EXPECT_EQ(FocusText(), "7 Seas");
    Key('Z');
    EXPECT_EQ(FocusText(), "7 Seas");
}

TEST_F(TreeBoxInput, TheWheelScrollsThreeRowsANotchAndMovesWhatIsPainted)
{
    MakeList(60);
    CTreeBoxNode* marked = box->FindItemById(7);
    box->SelectItem(marked, true);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const CRect textArea(20, 0, 40, 200);
    const auto highlightedRow = [&] {
        const TestHooks::Image shown = Render();
        for (int row = 0; row < Page(); ++row)
            if (CountColour(shown,
                            CRect(textArea.left, row * RowHeight() + 1, textArea.right,
                                  row * RowHeight() + 2),
                            highlight) > 10)
                return row;
        return -1;
    };
    EXPECT_EQ(highlightedRow(), 7);
    TestHooks::PostWheel(*box, 120, CPoint(50, 50), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(TopRow(), 0); // nothing above the top
    TestHooks::PostWheel(*box, -120, CPoint(50, 50), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(TopRow(), 3);
    EXPECT_EQ(highlightedRow(), 4);
    TestHooks::PostWheel(*box, -240, CPoint(50, 50), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(TopRow(), 9);
    EXPECT_EQ(box->GetScrollPos(SB_VERT), 9);
    for (int i = 0; i < 20; ++i)
        TestHooks::PostWheel(*box, -120, CPoint(50, 50), 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(TopRow(), 60 - Page());
}

TEST_F(TreeBoxInput, TheScrollBarStepsPagesAndFollowsADraggedThumb)
{
    MakeList(100);
    TestHooks::ScrollBarAction(*box, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(TopRow(), 1);
    TestHooks::ScrollBarAction(*box, SB_VERT, SB_PAGEDOWN);
    EXPECT_EQ(TopRow(), 1 + Page() - 1);
    TestHooks::ScrollBarAction(*box, SB_VERT, SB_THUMBTRACK, 50);
    EXPECT_EQ(TopRow(), 50);
    EXPECT_EQ(box->GetScrollPos(SB_VERT), 50);
    const TestHooks::Image shown = Render();
    EXPECT_NE(CountColour(shown, CRect(0, 0, 60, RowHeight()), RGB(255, 255, 255)),
              60 * RowHeight());
    TestHooks::ScrollBarAction(*box, SB_VERT, SB_LINEUP);
    EXPECT_EQ(TopRow(), 49);
}

TEST_F(TreeBoxInput, ALineRightAtTheEndOfTheRangeMakesItALevelIndentLonger)
{
    Make(0, &owner);
    Add(std::string(120, 'W'));
    Render(); // the widest row is measured as it is painted
    SCROLLINFO info;
    ASSERT_TRUE(box->GetStyle() & WS_HSCROLL);
    ASSERT_TRUE(box->GetScrollInfo(SB_HORZ, &info, SIF_ALL));
    const int end = info.nMax - int(info.nPage) + 1;
    TestHooks::ScrollBarAction(*box, SB_HORZ, SB_THUMBTRACK, end);
    EXPECT_EQ(box->GetHorizontalPos(), end);
    TestHooks::ScrollBarAction(*box, SB_HORZ, SB_LINERIGHT);
    const int indent = box->GetMetrics()[TBM_LEVEL_INDENT];
    EXPECT_EQ(box->GetHorizontalPos(), end + indent);
    SCROLLINFO after;
    box->GetScrollInfo(SB_HORZ, &after, SIF_ALL);
    EXPECT_EQ(after.nMax, info.nMax + indent);
}

TEST_F(TreeBoxInput, ButtonsEnterAndArrowsExpandOnlyNodesWithChildren)
{
    Make(TBF_TREE, &owner);
    CTreeBoxNode* parent = Add("parent");
    Add("child", parent);
    CTreeBoxNode* leaf = Add("leaf");
    const TreeBoxMetrics& m = box->GetMetrics();
    const CPoint button(m[TBM_LEFT_MARGIN], RowHeight() / 2);
    Click(button);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"parent", "  child", "leaf"}));
    Click(button);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"parent", "leaf"}));
    Click(CPoint(m[TBM_LEFT_MARGIN], RowHeight() + RowHeight() / 2)); // where a leaf has none
    EXPECT_EQ(Rows(), (std::vector<std::string>{"parent", "leaf"}));

    box->SelectItem(leaf, true);
    Key(VK_RETURN);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"parent", "leaf"}));
    box->SelectItem(parent, true);
    Key(VK_RETURN);
    EXPECT_EQ(Rows().size(), 3u);
    Key(VK_LEFT);
    EXPECT_EQ(Rows().size(), 2u);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(FocusText(), "child");
    Key(VK_LEFT);
    EXPECT_EQ(FocusText(), "parent");
}

TEST_F(TreeBoxInput, ClicksWithCtrlToggleAndWithShiftExtend)
{
    MakeList(10, TBF_MULTI_SELECT);
    Click(TextPoint(box->FindItemById(2)));
    Click(TextPoint(box->FindItemById(5)), MK_CONTROL);
    EXPECT_EQ(Selected(), (std::vector<std::string>{"row 2", "row 5"}));
    Click(TextPoint(box->FindItemById(2)), MK_CONTROL);
    EXPECT_EQ(Selected(), std::vector<std::string>{"row 5"});
    // The range runs from the row clicked last, even when that click cleared it.
    Click(TextPoint(box->FindItemById(7)), MK_SHIFT);
    EXPECT_EQ(Selected(),
              (std::vector<std::string>{"row 2", "row 3", "row 4", "row 5", "row 6", "row 7"}));
    Click(TextPoint(box->FindItemById(4)));
    Click(TextPoint(box->FindItemById(6)), MK_SHIFT);
    Key(VK_DOWN, MK_SHIFT);
    EXPECT_EQ(Selected(), (std::vector<std::string>{"row 4", "row 5", "row 6", "row 7"}));
    for (int i = 0; i < 4; ++i)
        Key(VK_UP, MK_SHIFT);
    EXPECT_EQ(Selected(), (std::vector<std::string>{"row 3", "row 4"}));
    Click(TextPoint(box->FindItemById(1)));
    EXPECT_EQ(Selected(), std::vector<std::string>{"row 1"});
}

TEST_F(TreeBoxInput, CtrlSpaceTogglesOnlyTopLevelRowsUnderTopLevelSelection)
{
    Make(TBF_TREE | TBF_TOP_LEVEL_SELECT, &owner);
    CTreeBoxNode* top = Add("top");
    CTreeBoxNode* nested = Add("nested", top);
    box->ExpandItem(top, true, 1);
    box->SetFocusItem(nested, false);
    Key(VK_SPACE, MK_CONTROL);
    EXPECT_TRUE(Selected().empty());
    box->SetFocusItem(top, false);
    Key(VK_SPACE, MK_CONTROL);
    EXPECT_EQ(Selected(), std::vector<std::string>{"top"});
    Key(VK_SPACE, MK_CONTROL);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(TreeBoxInput, TheRubberBandSelectsTheRowsItCrossesAndDrawsItsFrame)
{
    MakeList(10, TBF_MULTI_SELECT);
    owner.Take();
    const CPoint start(150, Middle(1)), end(10, Middle(4));
    Mouse(MouseEvent::LeftDown, start, MK_LBUTTON);
    Mouse(MouseEvent::Move, end, MK_LBUTTON);
    EXPECT_EQ(Selected(), (std::vector<std::string>{"row 1", "row 2", "row 3", "row 4"}));
    const TestHooks::Image shown = Render();
    shown.SavePng("tree_box_rubber_band.png");
    // The band's right edge: dots every other pixel, beyond the texts.
    int dots = 0;
    for (int y = start.y; y < end.y; ++y)
        dots += shown.Pixel(start.x - 1, y) == RGB(0, 0, 0);
    EXPECT_NEAR(dots, (end.y - start.y) / 2, 1);
    Mouse(MouseEvent::LeftUp, end, 0);
    EXPECT_EQ(box->GetAnchorItem()->m_text, "row 1");
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(CountColour(Render(), CRect(start.x - 1, start.y, start.x, end.y), RGB(0, 0, 0)), 0);
    EXPECT_EQ(owner.Take().back(), "changed");
}

TEST_F(TreeBoxInput, EscapeDuringTheRubberBandClearsTheSelection)
{
    MakeList(10, TBF_MULTI_SELECT);
    Click(TextPoint(box->FindItemById(8)));
    Mouse(MouseEvent::LeftDown, CPoint(150, Middle(1)), MK_LBUTTON | MK_CONTROL);
    Mouse(MouseEvent::Move, CPoint(10, Middle(3)), MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(Selected(), (std::vector<std::string>{"row 1", "row 2", "row 3", "row 8"}));
    Key(VK_ESCAPE);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TreeBoxInput, ARightClickSelectsTheRowUnlessTheOwnerSaysNo)
{
    MakeList(3);
    Mouse(MouseEvent::RightDown, TextPoint(box->FindItemById(2)), MK_RBUTTON);
    EXPECT_EQ(Selected(), std::vector<std::string>{"row 2"});
    owner.allowRightClick = false;
    Mouse(MouseEvent::RightDown, TextPoint(box->FindItemById(0)), MK_RBUTTON);
    EXPECT_EQ(Selected(), std::vector<std::string>{"row 2"});
}

constexpr UINT kDialogTemplate = 911;
constexpr const char* kDialogScript = R"(
911 DIALOG 0, 0, 200, 80
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE
CAPTION "Select"
FONT 8, "MS Sans Serif"
BEGIN
    DEFPUSHBUTTON   "OK", 1, 140, 4, 50, 14
    PUSHBUTTON      "Cancel", 2, 140, 22, 50, 14
END
)";

/// A modeless dialog with a tree box of two rows beside its buttons; notes OK and Cancel.
class BoxDialog final : public CDialog {
public:
    explicit BoxDialog(CTreeBoxOwner& owner) : CDialog(kDialogTemplate), m_owner(owner) {}
    CTreeBox box;
    std::vector<std::string> ends;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        box.Create(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(4, 4, 120, 70), this, 300, &m_owner,
                   0, 0, nullptr);
        box.SetFocusItem(box.InsertItem(nullptr, CTreeBox::kInsertLast, {.text = "a"}), true);
        box.InsertItem(nullptr, CTreeBox::kInsertLast, {.text = "b"});
        return TRUE;
    }
    void OnOK() override { ends.push_back("OK"); }
    void OnCancel() override { ends.push_back("Cancel"); }

private:
    CTreeBoxOwner& m_owner;
};

class TreeBoxInDialog : public testing::Test {
protected:
    void SetUp() override
    {
        m_resources.AddScript(kDialogScript, "tree_box_input_test.rc", ".");
        SetAppResources(&m_resources);
        ASSERT_TRUE(m_dialog.Create(kDialogTemplate));
        m_dialog.box.SetFocus();
        TestHooks::DeliverPosted();
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        SetAppResources(nullptr);
    }
    void Key(UINT vk)
    {
        TestHooks::PostKey(m_dialog.box, vk, 0);
        TestHooks::DeliverPosted();
    }

    CResources m_resources;
    RecordingOwner m_owner;
    BoxDialog m_dialog{m_owner};
};

TEST_F(TreeBoxInDialog, TheBoxKeepsTheArrowsAndLeavesEnterEscapeAndTabToTheDialog)
{
    EXPECT_EQ(m_dialog.box.SendMessage(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
    Key(VK_DOWN);
    EXPECT_EQ(m_dialog.box.GetFocusItem()->m_text, "b");
    EXPECT_EQ(CWnd::GetFocus(), &m_dialog.box);

    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(m_dialog.ends, (std::vector<std::string>{"OK", "Cancel"}));

    Key(VK_TAB);
    EXPECT_NE(CWnd::GetFocus(), &m_dialog.box);
}

} // namespace
