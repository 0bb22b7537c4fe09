// tests/controls/u_check_list_box_test.cpp: the check list box's loading and clicks, the
// digits edit's filter and the clipboard keys.
#include "controls/digits_edit.h"
#include "controls/edit_utils.h"
#include "controls/u_check_list_box.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class UiTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 300, 300), nullptr, 0));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CWnd m_host;
};

class UCheckListBoxTest : public UiTest {
protected:
    void Make(std::vector<CheckListItem> items)
    {
        m_box.SetPreparedItems(std::move(items));
        ASSERT_TRUE(m_box.Create(WS_CHILD | WS_VISIBLE | LBS_EXTENDEDSEL | LBS_HASSTRINGS,
                                 CRect(0, 0, 200, 200), &m_host, 7));
    }
    std::string Checks() const
    {
        std::string checks;
        for (int index = 0; index < m_box.GetCount(); ++index)
            checks += m_box.GetCheck(index) ? 'x' : '-';
        return checks;
    }

    CUCheckListBox m_box;
};

TEST_F(UCheckListBoxTest, LoadsTextsWithTheirChecksAndPositions)
{
    Make({{"Alpha", true}, {"", true}, {"Gamma", false}, {"Delta", true}});
    ASSERT_EQ(3, m_box.GetCount());
    std::string text;
    m_box.GetText(1, text);
    EXPECT_EQ("Gamma", text);
    EXPECT_EQ(2u, m_box.GetItemData(1));
    EXPECT_EQ(3u, m_box.GetItemData(2));
    EXPECT_EQ("x-x", Checks());
}

struct ClickCase {
    const char* name;
    std::vector<int> selected;
    int clicked;
    const char* before;
    const char* after;
};

class UCheckListBoxClickTest : public UCheckListBoxTest,
                               public testing::WithParamInterface<ClickCase> {};

TEST_P(UCheckListBoxClickTest, ClickChecksTheSelectionTogether)
{
    const ClickCase& c = GetParam();
    std::vector<CheckListItem> items;
    for (int index = 0; c.before[index]; ++index)
        items.push_back({"item " + std::to_string(index), c.before[index] == 'x'});
    Make(items);
    for (int index : c.selected)
        m_box.SetSel(index, TRUE);
    m_box.ClickItem(c.clicked);
    EXPECT_EQ(c.after, Checks());
    EXPECT_EQ(int(c.selected.size()), m_box.GetSelCount());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, UCheckListBoxClickTest,
    testing::Values(ClickCase{"SelectedClickChecksAllSelected", {0, 2, 3}, 2, "-x--x", "xxxxx"},
                    ClickCase{"SelectedClickUnchecksAll", {0, 2, 3}, 0, "x-x-x", "----x"},
                    ClickCase{"UnselectedClickTogglesOnlyIt", {0, 2, 3}, 1, "-----", "-x---"},
                    ClickCase{"NoItemChangesNothing", {1}, 9, "-x-", "-x-"}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

class RecordingDigitsListener : public CDigitsEditListener {
public:
    std::vector<UINT> chars;
    void OnEditChar(CDigitsEdit*, UINT character) override { chars.push_back(character); }
};

class DigitsEditTest : public UiTest {
protected:
    void Make(CDigitsEdit& edit)
    {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_host, 3));
        edit.SetFocus();
    }
    void Type(CWnd& wnd, UINT vk, UINT mk = 0)
    {
        TestHooks::PostKey(wnd, vk, mk);
        TestHooks::DeliverPosted();
    }
    static std::string Text(const CWnd& wnd)
    {
        std::string text;
        wnd.GetWindowText(text);
        return text;
    }

    CWinApp m_app{"Ardenvel"}; // offers keys to the windows before they type
    RecordingDigitsListener m_listener;
};

TEST_F(DigitsEditTest, TakesDigitsAndBackspaceOnly)
{
    CDigitsEdit edit(&m_listener);
    Make(edit);
    for (UINT vk : {UINT('1'), UINT('A'), UINT('2'), VK_OEM_MINUS, UINT('3'), VK_SPACE, VK_BACK})
        Type(edit, vk);
    Type(edit, '4', MK_SHIFT); // "$"
    EXPECT_EQ("12", Text(edit));
    EXPECT_TRUE(m_listener.chars.empty());
}

TEST_F(DigitsEditTest, EnterTabAndEscapeGoToTheListener)
{
    CDigitsEdit edit(&m_listener);
    Make(edit);
    for (UINT vk : {VK_RETURN, VK_TAB, VK_ESCAPE})
        Type(edit, vk);
    EXPECT_EQ((std::vector<UINT>{VK_RETURN, VK_TAB, VK_ESCAPE}), m_listener.chars);
}

TEST_F(DigitsEditTest, ShiftInsertPastesWhenClipboardKeysAreOn)
{
    CDigitsEdit source;
    Make(source);
    source.SetClipboardKeys(true);
    source.SetWindowText("2026");
    source.SetSel(0, -1);
    Type(source, VK_INSERT, MK_CONTROL);

    CDigitsEdit target;
    Make(target);
    target.SetClipboardKeys(true);
    Type(target, VK_INSERT, MK_SHIFT);
    EXPECT_EQ("2026", Text(target));

    target.SetSel(0, -1);
    Type(target, VK_DELETE, MK_SHIFT);
    EXPECT_EQ("", Text(target));
    Type(target, 'V', MK_CONTROL);
    EXPECT_EQ("2026", Text(target));
}

TEST(ClipboardKeysTest, LeavesKeysAloneWhenOffOrNotAKeyDown)
{
    CEdit edit;
    MSG msg;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_INSERT;
    EXPECT_FALSE(TranslateClipboardKeys(edit, false, msg));
    msg.message = WM_KEYUP;
    EXPECT_FALSE(TranslateClipboardKeys(edit, true, msg));
    msg.message = WM_KEYDOWN;
    msg.wParam = 'Q';
    EXPECT_FALSE(TranslateClipboardKeys(edit, true, msg));
}

TEST(FindStringNoCaseTest, FindsTheFirstEntryWithoutRegardToCase)
{
    const std::vector<std::string> list = {"Smith", "élan", "SMITH", "Jones"};
    EXPECT_EQ(&list[0], FindStringNoCase(list, "sMITH"));
    EXPECT_EQ(&list[1], FindStringNoCase(list, "ÉLAN"));
    EXPECT_EQ(nullptr, FindStringNoCase(list, "Smit"));
    EXPECT_EQ(nullptr, FindStringNoCase(list, ""));
    EXPECT_EQ(nullptr, FindStringNoCase({}, "Smith"));
}

} // namespace
