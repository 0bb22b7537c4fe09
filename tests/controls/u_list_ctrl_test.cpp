// tests/controls/u_list_ctrl_test.cpp: the list's listener may refuse a selection change,
// and the parent hears of a burst of changes once, through the one waiting message.
#include "controls/u_list_ctrl.h"

#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kListId = 40;

/// Counts the notices it gets, and any selection notification that reached it.
class Parent : public CWnd {
public:
    int notices = 0;
    int notifications = 0;

    Parent()
    {
        for (const UINT code : {LVN_ITEMCHANGING, LVN_ITEMCHANGED})
            MapNotify(kListId, code, [this] { ++notifications; });
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LIST_SEL_CHANGED)
            ++notices;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

/// Refuses to select the rows it is given, and records what it is told.
class Listener : public CUListCtrlListener {
public:
    std::set<int> refused;
    std::vector<std::string> told;

    bool OnListSelChanging(CUListCtrl*, const NMLISTVIEW& change) override
    {
        return (change.uNewState & LVIS_SELECTED) && refused.count(change.iItem);
    }
    void OnListSelChanged(CUListCtrl*, const NMLISTVIEW& change) override
    {
        told.push_back(std::to_string(change.iItem) +
                       ((change.uNewState & LVIS_SELECTED) ? "+" : "-"));
    }
};

class UListCtrlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(nullptr, "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200),
                                    nullptr, 0));
        ASSERT_TRUE(m_list.Create(LVS_REPORT | LVS_SINGLESEL | WS_VISIBLE, CRect(0, 0, 200, 200),
                                  &m_parent, kListId));
        m_list.InsertColumn(0, "Name");
        for (const char* name : {"Ann", "Bob", "Cid", "Dot"})
            m_list.InsertItem(m_list.GetItemCount(), name);
    }

    int Selected() const { return m_list.GetNextItem(-1, LVNI_SELECTED); }

    Parent m_parent;
    Listener m_listener;
    CUListCtrl m_list{&m_listener};
};

TEST_F(UListCtrlTest, TheListenerMayRefuseASelection)
{
    m_listener.refused = {2};
    struct Row {
        int chosen;
        int selected;
        std::vector<std::string> told;
    };
    const Row rows[] = {
        {1, 1, {"1+"}},
        {2, 1, {}}, // refused: the selection stays
        {3, 3, {"1-", "3+"}},
    };
    for (const Row& row : rows) {
        m_listener.told.clear();
        TestHooks::SelectItem(m_parent, kListId, row.chosen);
        EXPECT_EQ(Selected(), row.selected) << row.chosen;
        EXPECT_EQ(m_listener.told, row.told) << row.chosen;
    }
    EXPECT_EQ(m_parent.notifications, 0) << "the list keeps its notifications to itself";
}

TEST_F(UListCtrlTest, ABurstOfChangesPostsOneNoticeToTheParent)
{
    for (int i = 0; i < 10; ++i)
        TestHooks::SelectItem(m_parent, kListId, i % 4);
    EXPECT_TRUE(m_parent.IsMessageQueued(WM_LIST_SEL_CHANGED));
    EXPECT_EQ(m_parent.notices, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_parent.notices, 1);
    TestHooks::SelectItem(m_parent, kListId, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_parent.notices, 2) << "a change after the notice was handled posts again";
}

} // namespace
