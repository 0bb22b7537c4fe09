// tests/controls/cool_menu_manager_test.cpp: as a pop-up of the frame's menu bar opens, each
// command shows its toolbar picture and its accelerator keys.
#include "controls/cool_menu_manager.h"

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 220);

constexpr const char* kScript = R"(
70 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&New\tCtrl+N",    100
        MENUITEM "&Open\tOld",      101
        MENUITEM "&Find",           102
        MENUITEM SEPARATOR
        MENUITEM "&Exit",           103
        POPUP "&Recent"
        BEGIN
            MENUITEM "&One",        104
        END
    END
END
70 ACCELERATORS
BEGIN
    "N",        100, VIRTKEY, CONTROL
    "F",        102, VIRTKEY, CONTROL, SHIFT
    VK_F3,      102, VIRTKEY
    VK_RETURN,  101, VIRTKEY, ALT
END
70 TOOLBAR 16, 15
BEGIN
    BUTTON 100
    SEPARATOR
    BUTTON 102
END
70 BITMAP "bar70.png"
71 TOOLBAR 16, 16
BEGIN
    BUTTON 103
END
71 BITMAP "bar71.png"
72 TOOLBAR 16, 15
BEGIN
    BUTTON 102
    BUTTON 101
END
72 BITMAP "bar72.png"
)";

void WriteStrip(const std::string& path, int width, int height,
                const std::vector<COLORREF>& colours)
{
    TestHooks::Image strip;
    strip.width = width * int(colours.size());
    strip.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < strip.width; ++x)
            strip.pixels.push_back(colours[std::size_t(x / width)]);
    ASSERT_TRUE(strip.SavePng(path));
}

std::optional<COLORREF> PictureColour(const CMenu& menu, int position)
{
    CBitmap picture;
    if (!menu.GetMenuItemImage(position, picture))
        return std::nullopt;
    const TestHooks::Image image = TestHooks::RenderDC(16, 15, [&](CDC& dc) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* old = memory.SelectObject(&picture);
        dc.BitBlt(0, 0, 16, 15, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    });
    return image.Pixel(8, 7);
}

class CoolMenuManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = test_support::NewFolder("cool_menus");
        WriteStrip(folder + "/bar70.png", 16, 15, {kRed, kGreen});
        WriteStrip(folder + "/bar71.png", 16, 16, {kBlue});
        WriteStrip(folder + "/bar72.png", 16, 15, {kBlue, kBlue});
        m_resources.AddScript(kScript, "cool.rc", folder);
        SetAppResources(&m_resources);
        m_frame = new CFrameWnd; // deletes itself when its window ends
        ASSERT_TRUE(m_frame->LoadFrame(70, WS_OVERLAPPEDWINDOW));
        m_frame->ShowWindow(SW_SHOW);
        m_manager.Install(m_frame);
        const UINT toolbars[] = {70, 71, 72};
        m_manager.LoadToolbars(toolbars, 3);
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        SetAppResources(nullptr);
    }

    CMenu& File() { return *m_frame->GetMenu()->GetSubMenu(0); }
    void OpenFile()
    {
        TestHooks::OpenMenuBarPopup(*m_frame, 0);
        TestHooks::CloseMenuBarPopup(*m_frame);
    }

    std::string folder;
    CResources m_resources;
    CFrameWnd* m_frame = nullptr;
    CCoolMenuManager m_manager;
};

TEST_F(CoolMenuManagerTest, CommandsShowTheirPictureAndKeysOnceThePopupOpens)
{
    EXPECT_EQ(PictureColour(File(), 0), std::nullopt) << "nothing before the pop-up opens";
    OpenFile();
    struct Row {
        int position;
        const char* text;
        std::optional<COLORREF> picture;
    };
    const Row rows[] = {
        {0, "&New\tCtrl+N", kRed},
        {1, "&Open\tAlt+Enter", kBlue},         // its only picture is on the third toolbar
        {2, "&Find\tCtrl+Shift+F, F3", kGreen}, // the first toolbar's picture wins
        {3, "", std::nullopt},
        {4, "&Exit", std::nullopt}, // its toolbar has another picture size
        {5, "&Recent", std::nullopt},
    };
    for (const Row& row : rows) {
        std::string text;
        File().GetMenuString(UINT(row.position), text, MF_BYPOSITION);
        EXPECT_EQ(text, row.text) << row.position;
        EXPECT_EQ(PictureColour(File(), row.position), row.picture) << row.position;
    }
    OpenFile();
    std::string again;
    File().GetMenuString(2, again, MF_BYPOSITION);
    EXPECT_EQ(again, "&Find\tCtrl+Shift+F, F3") << "opening twice adds no second key text";
}

TEST_F(CoolMenuManagerTest, PicturesAreMadeAgainWhenTheDesktopsColoursOrSettingsChange)
{
    for (const bool colours : {true, false}) {
        const COLORREF now = colours ? kBlue : kRed;
        WriteStrip(folder + "/bar70.png", 16, 15, {now, kGreen});
        OpenFile();
        EXPECT_NE(PictureColour(File(), 0), now) << "no change without the desktop's word";

        TestHooks::SendDesktopChange(colours);
        OpenFile();

        EXPECT_EQ(PictureColour(File(), 0), now) << (colours ? "colours" : "settings");
    }
}

} // namespace
