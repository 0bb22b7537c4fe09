// tests/platform/ui/windows/accelerator_table_test.cpp: accelerator keys become commands of the
// window that installed them, only in its own top-level window and only while the command is
// enabled; key texts read as menus show them.
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/accelerator_table.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kNew = 57600, kFind = 32982, kProperties = 32802, kHelp = 57670, kLocked = 32001;
constexpr UINT kQuestion = 32002;

struct KeyTextCase {
    ACCEL accel;
    const char* text;
};

TEST(AcceleratorTable, KeyTextsReadAsMenusShowThem)
{
    const KeyTextCase cases[] = {
        {{FVIRTKEY | FCONTROL, 'N', kNew}, "Ctrl+N"},
        {{FVIRTKEY, VK_F1, kHelp}, "F1"},
        {{FVIRTKEY | FSHIFT, VK_F10, 1}, "Shift+F10"},
        {{FVIRTKEY | FALT, VK_RETURN, kProperties}, "Alt+Enter"},
        {{FVIRTKEY | FALT | FCONTROL | FSHIFT, VK_DELETE, 1}, "Alt+Ctrl+Shift+Del"},
        {{FVIRTKEY | FCONTROL, VK_NUMPAD5, 1}, "Ctrl+Num 5"},
        {{FVIRTKEY, VK_OEM_PLUS, 1}, "="},
        {{0, '?', kQuestion}, "?"},
        {{FVIRTKEY, 0xFF, 1}, ""}, // a key without a name
    };
    for (const KeyTextCase& c : cases)
        EXPECT_EQ(CAcceleratorTable::KeyText(c.accel), c.text) << c.text;
}

TEST(AcceleratorTable, MenuItemsGetEveryKeyOfTheirCommand)
{
    const CAcceleratorTable table({{FVIRTKEY | FCONTROL, 'F', kFind},
                                   {FVIRTKEY, VK_F3, kFind},
                                   {FVIRTKEY | FCONTROL, 'N', kNew}});
    EXPECT_EQ(table.GetKeyText(kFind), "Ctrl+F, F3");
    EXPECT_EQ(table.ApplyKeyText("&Find Record...\tCtrl+Shift+F", kFind),
              "&Find Record...\tCtrl+F, F3");
    EXPECT_EQ(table.ApplyKeyText("&New", kNew), "&New\tCtrl+N");
    EXPECT_EQ(table.ApplyKeyText("&Exit\tAlt+F4", 57665), "&Exit\tAlt+F4");
}

TEST(AcceleratorTable, LoadsTheResourceTable)
{
    CResources resources;
    resources.AddScript(
        "2 ACCELERATORS\nBEGIN\n \"N\", 57600, VIRTKEY, CONTROL\n VK_F1, 57670, VIRTKEY\n"
        " \"?\", 32002\nEND\n",
        "keys.rc", ".");
    SetAppResources(&resources);
    CAcceleratorTable table;
    EXPECT_FALSE(table.LoadAccelTable(3));
    ASSERT_TRUE(table.LoadAccelTable(2));
    SetAppResources(nullptr);
    ASSERT_EQ(table.GetEntries().size(), 3u);
    EXPECT_EQ(table.GetKeyText(kNew), "Ctrl+N");
    EXPECT_EQ(table.GetKeyText(kHelp), "F1");
    EXPECT_EQ(table.GetKeyText(kQuestion), "?");
}

/// A window that records its commands and the keys that reach it.
class KeyWnd : public CWnd {
public:
    std::vector<std::string>* record = nullptr;

    KeyWnd(std::vector<std::string>& shared, CWnd* parent) : record(&shared)
    {
        MapCommand(kNew, [this] { record->push_back("new"); });
        MapCommand(kQuestion, [this] { record->push_back("question"); });
        MapCommand(kLocked, [this] { record->push_back("locked"); });
        MapUpdate(kLocked, [](CCmdUI* ui) { ui->Enable(FALSE); });
        const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
        Create(nullptr, "keys", style, CRect(0, 0, 60, 60), parent, 5);
    }

protected:
    void OnKeyDown(UINT vk, UINT, UINT) override { record->push_back("key " + std::to_string(vk)); }
    void OnChar(UINT, UINT, UINT) override {}
};

class AcceleratorRouting : public testing::Test {
protected:
    std::vector<std::string> m_record;
    KeyWnd m_frame{m_record, nullptr};
    KeyWnd m_child{m_record, &m_frame};
    CAcceleratorTable m_table{{{FVIRTKEY | FCONTROL, 'N', kNew},
                               {FVIRTKEY | FCONTROL, 'L', kLocked},
                               {0, '?', kQuestion}}};

    std::vector<std::string> Press(CWnd& wnd, UINT vk, UINT mk)
    {
        m_record.clear();
        TestHooks::PostKey(wnd, vk, mk);
        TestHooks::DeliverPosted();
        return m_record;
    }
};

TEST_F(AcceleratorRouting, KeysBecomeCommandsOfTheOwner)
{
    m_table.Install(&m_frame);
    EXPECT_EQ(Press(m_child, 'N', MK_CONTROL), std::vector<std::string>{"new"});
    EXPECT_EQ(Press(m_child, 'N', 0), std::vector<std::string>{"key 78"});
    EXPECT_EQ(Press(m_child, 'N', MK_CONTROL | MK_SHIFT), std::vector<std::string>{"key 78"});
    EXPECT_EQ(Press(m_child, VK_OEM_2, MK_SHIFT), std::vector<std::string>{"question"});
    // A disabled command does not run, and its key goes nowhere else either.
    EXPECT_TRUE(Press(m_child, 'L', MK_CONTROL).empty());

    m_table.Uninstall();
    EXPECT_EQ(Press(m_child, 'N', MK_CONTROL), std::vector<std::string>{"key 78"});
}

TEST_F(AcceleratorRouting, OnlyTheOwnersTopLevelWindowIsServed)
{
    std::vector<std::string> otherRecord;
    KeyWnd other(otherRecord, nullptr);
    m_table.Install(&m_frame);
    TestHooks::PostKey(other, 'N', MK_CONTROL);
    TestHooks::DeliverPosted();
    EXPECT_EQ(otherRecord, std::vector<std::string>{"key 78"});
    EXPECT_TRUE(m_record.empty());

    m_frame.DestroyWindow(); // a table whose owner is gone routes nothing
    TestHooks::PostKey(other, 'N', MK_CONTROL);
    TestHooks::DeliverPosted();
    EXPECT_EQ(otherRecord.size(), 2u);
}

} // namespace
