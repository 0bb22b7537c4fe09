// tests/controls/dlg_layout_test.cpp: controls of a resized window keep their anchors to the
// window's edges, its centre, its proportions and to each other.
#include "controls/dlg_layout.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class DlgLayoutTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.CreateEx(0, nullptr, "dialog", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 300, 200), nullptr, 0));
    }
    void TearDown() override
    {
        layout.DestroyLayout();
        for (auto& control : controls)
            control->DestroyWindow();
        dialog.DestroyWindow();
    }
    CWnd* Control(const CRect& rect)
    {
        controls.push_back(std::make_unique<CWnd>());
        EXPECT_TRUE(
            controls.back()->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, rect, &dialog, 0));
        return controls.back().get();
    }
    CRect Place(CWnd* control)
    {
        CRect rect;
        control->GetWindowRect(&rect);
        dialog.ScreenToClient(&rect);
        return rect;
    }
    void Resize(int width, int height)
    {
        dialog.MoveWindow(0, 0, width, height);
        layout.ApplyLayout(&dialog, width, height);
    }

    const CRect design{0, 0, 300, 200};
    CWnd dialog;
    CDlgLayout layout;
    std::vector<std::unique_ptr<CWnd>> controls;
};

struct AnchorCase {
    const char* name;
    int top, left, bottom, right;
    CRect expected; // after 300 x 200 becomes 400 x 300
};

class DlgLayoutAnchorTest : public DlgLayoutTest, public testing::WithParamInterface<AnchorCase> {};

TEST_P(DlgLayoutAnchorTest, DialogAnchoredEdgesFollowTheResize)
{
    const AnchorCase& c = GetParam();
    CWnd* control = Control(CRect(40, 50, 100, 80));
    ASSERT_TRUE(layout.AddControl(&dialog, control, design, c.top, c.left, c.bottom, c.right));
    Resize(400, 300);
    EXPECT_EQ(Place(control), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DlgLayoutAnchorTest,
    testing::Values(AnchorCase{"Unchanged", 0, 0, 0, 0, CRect(40, 50, 100, 80)},
                    AnchorCase{"Proportional", 1, 1, 1, 1, CRect(53, 75, 133, 120)},
                    AnchorCase{"RightAndBottomEdges", 0, 0, 3, 5, CRect(40, 50, 200, 180)},
                    AnchorCase{"MovesWithTheFarCorner", 3, 5, 3, 5, CRect(140, 150, 200, 180)},
                    AnchorCase{"CentreLines", 6, 7, 6, 7, CRect(90, 100, 150, 130)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DlgLayoutTest, EdgesAnchoredToAControlFollowIt)
{
    CWnd* list = Control(CRect(10, 10, 290, 150));
    CWnd* button = Control(CRect(220, 160, 290, 185));
    CWnd* label = Control(CRect(10, 160, 200, 185));
    ASSERT_TRUE(
        layout.AddControl(&dialog, list, design, 0, nullptr, 0, nullptr, 3, nullptr, 5, nullptr));
    // The button sits below the list at the list's right; the label's bottom keeps its distance
    // to the list's bottom and its right edge its distance to the list's centre.
    ASSERT_TRUE(layout.AddControl(&dialog, button, design, 3, list, 5, list, 3, list, 5, list));
    ASSERT_TRUE(layout.AddControl(&dialog, label, design, 3, list, 0, nullptr, 3, list, 7, list));
    Resize(400, 300);
    EXPECT_EQ(Place(list), CRect(10, 10, 390, 250));
    EXPECT_EQ(Place(button), CRect(320, 260, 390, 285));
    EXPECT_EQ(Place(label), CRect(10, 260, 250, 285));
}

TEST_F(DlgLayoutTest, EdgesAnchoredToAControlsNearEdgeFollowIt)
{
    CWnd* panel = Control(CRect(150, 100, 290, 190));
    CWnd* caption = Control(CRect(20, 60, 90, 90));
    ASSERT_TRUE(
        layout.AddControl(&dialog, panel, design, 1, nullptr, 1, nullptr, 3, nullptr, 5, nullptr));
    ASSERT_TRUE(
        layout.AddControl(&dialog, caption, design, 2, panel, 4, panel, 2, panel, 4, panel));
    Resize(600, 400);
    EXPECT_EQ(Place(panel), CRect(300, 200, 590, 390));
    EXPECT_EQ(Place(caption), CRect(170, 160, 240, 190));
}

struct RejectCase {
    const char* name;
    int top;
    bool topReference;
    int left;
    bool leftReference;
};

class DlgLayoutRejectTest : public DlgLayoutTest, public testing::WithParamInterface<RejectCase> {};

TEST_P(DlgLayoutRejectTest, AMisfitAnchorAddsNothing)
{
    const RejectCase& c = GetParam();
    CWnd* other = Control(CRect(0, 0, 10, 10));
    CWnd* control = Control(CRect(20, 20, 40, 40));
    EXPECT_FALSE(layout.AddControl(&dialog, control, design, c.top,
                                   c.topReference ? other : nullptr, c.left,
                                   c.leftReference ? other : nullptr, 0, nullptr, 0, nullptr));
    EXPECT_EQ(layout.GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Misfits, DlgLayoutRejectTest,
                         testing::Values(RejectCase{"ToTopWithoutReference", 2, false, 0, false},
                                         RejectCase{"ToLeftWithoutReference", 0, false, 4, false},
                                         RejectCase{"HorizontalModeOnTop", 5, false, 0, false},
                                         RejectCase{"VerticalModeOnLeft", 0, false, 6, false},
                                         RejectCase{"UnchangedWithReference", 0, true, 0, false},
                                         RejectCase{"ProportionalWithReference", 0, false, 1, true},
                                         RejectCase{"UnknownMode", 8, false, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DlgLayoutTest, ProportionsOfAnEmptyDialogAreRefused)
{
    CWnd* control = Control(CRect(20, 20, 40, 40));
    EXPECT_FALSE(layout.AddControl(&dialog, control, CRect(0, 0, 0, 0), 1, nullptr, 0, nullptr, 0,
                                   nullptr, 0, nullptr));
    EXPECT_EQ(layout.GetCount(), 0);
}

TEST_F(DlgLayoutTest, AClearedEdgeStaysAndAGoneReferenceIsIgnored)
{
    CWnd* list = Control(CRect(10, 10, 290, 150));
    CWnd* button = Control(CRect(220, 160, 290, 185));
    ASSERT_TRUE(
        layout.AddControl(&dialog, button, design, 3, list, 5, nullptr, 3, list, 5, nullptr));
    EXPECT_TRUE(layout.ClearLayoutEdge(button, CDlgLayout::Edge::Left));
    EXPECT_FALSE(layout.ClearLayoutEdge(list, CDlgLayout::Edge::Left));
    list->DestroyWindow();
    Resize(400, 300);
    EXPECT_EQ(Place(button), CRect(220, 160, 390, 185));
    layout.DestroyLayout();
    EXPECT_EQ(layout.GetCount(), 0);
}

} // namespace
