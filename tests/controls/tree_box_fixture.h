// tests/controls/tree_box_fixture.h: a tree box in a window of its own, an owner that
// records what the box tells it, and helpers to fill, drive and read back the box.
#pragma once

#include "controls/tree_box.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/window_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace controls_test {

/// Records the calls a box makes; compares by the data words, which tests set to numbers.
class RecordingOwner : public CTreeBoxOwner {
public:
    std::vector<std::string> calls;
    bool allowExpanding = true;
    bool allowRightClick = true;
    bool byData = true; // Compare orders by the data words

    bool OnExpanding(CTreeBox*, CTreeBoxNode* node, bool expand) override
    {
        calls.push_back((expand ? "expand " : "collapse ") + node->m_text.str());
        return allowExpanding;
    }
    bool OnRightClick(CTreeBox*, CTreeBoxNode*, CWnd*, UINT, int, int, int) override
    {
        return allowRightClick;
    }
    void OnItemFreed(CTreeBox*, CTreeBoxNode* node) override
    {
        calls.push_back("freed " + node->m_text.str());
    }
    void OnAllItemsFreed(CTreeBox*) override { calls.push_back("all freed"); }
    void OnSelChanging(CTreeBox*) override { calls.push_back("changing"); }
    void OnSelChanged(CTreeBox*) override { calls.push_back("changed"); }
    int Compare(CTreeBox*, std::uintptr_t a, std::uintptr_t b) override
    {
        return !byData ? 0 : a < b ? -1 : a > b ? 1 : 0;
    }
    std::vector<std::string> Take() { return std::exchange(calls, {}); }
};

/// A box in a visible top-level window, 300 x 200 pixels of client area by default.
class TreeBoxFixture : public testing::Test {
protected:
    void TearDown() override
    {
        box.reset();
        if (host.GetSafeHwnd())
            host.DestroyWindow();
    }

    void Make(DWORD flags, CTreeBoxOwner* boxOwner, CRect rect = CRect(0, 0, 300, 200),
              DWORD style = WS_VSCROLL | WS_HSCROLL, int imageWidth = 0, int imageHeight = 0,
              CColumnHeader* header = nullptr)
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300),
                                  nullptr, 0));
        box = std::make_unique<CTreeBox>();
        ASSERT_TRUE(box->Create(flags, WS_CHILD | WS_VISIBLE | style, rect, &host, 1, boxOwner,
                                imageWidth, imageHeight, header));
    }

    CTreeBoxNode* Add(const std::string& text, CTreeBoxNode* parent = nullptr,
                      std::uintptr_t data = 0, int where = CTreeBox::kInsertLast)
    {
        return box->InsertItem(parent, where, {.text = text, .data = data});
    }

    /// Texts of the visible rows, top to bottom, each indented by two blanks a level.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (CTreeBoxNode* n = box->GetFirstItem(); n; n = n->m_nextRow)
            rows.push_back(std::string(std::size_t(n->m_level) * 2, ' ') + n->m_text.str());
        return rows;
    }

    std::vector<std::string> Selected() const
    {
        std::vector<std::string> rows;
        for (CTreeBoxNode* n = box->GetFirstItem(); n; n = n->m_nextRow)
            if (n->m_selected)
                rows.push_back(n->m_text);
        return rows;
    }

    TestHooks::Image Render() { return TestHooks::RenderWindow(*box); }
    int RowHeight() const { return box->GetMetrics()[TBM_ROW_HEIGHT]; }
    int TopRow() const { return box->GetTopItem() ? box->GetItemRow(box->GetTopItem()) : -1; }

    void Key(UINT vk, UINT mk = 0)
    {
        TestHooks::PostKey(*box, vk, mk);
        TestHooks::DeliverPosted();
    }
    void Mouse(TestHooks::MouseEvent event, CPoint point, UINT mk = 0)
    {
        TestHooks::PostMouse(*box, event, point, mk);
        TestHooks::DeliverPosted();
    }
    void Click(CPoint point, UINT mk = 0)
    {
        Mouse(TestHooks::MouseEvent::LeftDown, point, mk | MK_LBUTTON);
        Mouse(TestHooks::MouseEvent::LeftUp, point, mk);
    }
    /// A point on the text of a row.
    CPoint TextPoint(CTreeBoxNode* node)
    {
        CRect text;
        box->GetItemRect(node, text, TBP_TEXT, true);
        return {text.left + 4, (text.top + text.bottom) / 2};
    }

    CWnd host;
    std::unique_ptr<CTreeBox> box;
};

using test_support::UseCompiledResources;

/// Counts the pixels of one colour in a rectangle of an image.
inline int CountColour(const TestHooks::Image& image, const CRect& area, COLORREF colour)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += image.Pixel(x, y) == colour;
    return count;
}

} // namespace controls_test
