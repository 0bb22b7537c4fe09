// tests/platform/ui/frames/menu_test.cpp: menus built from a MENU resource keep their items, texts,
// ids and states; items change by position and by command; pop-ups belong to the menu that
// holds them; a tracked pop-up is answered by the test hooks and sends its command.
#include "platform/ui/frames/menu.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kNew = 57600, kOpen = 57601, kRecent = 57616, kExit = 57665;
constexpr UINT kToolbar = 59392, kZoomIn = 32001, kZoomOut = 32002;
constexpr UINT kCopy = 57634, kPaste = 57637, kWrap = 32100, kSpare = 32101;
const UINT kPopup = UINT(-1);

constexpr const char* kScript = R"(
2 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&New\tCtrl+N",       57600
        MENUITEM "&Open...\tCtrl+O",   57601
        MENUITEM SEPARATOR
        MENUITEM "Recent File",        57616, GRAYED
        MENUITEM SEPARATOR
        MENUITEM "E&xit",              57665
    END
    POPUP "&View"
    BEGIN
        MENUITEM "&Toolbar",           59392, CHECKED
        MENUITEM "&Status Bar",        59393
        POPUP "&Zoom"
        BEGIN
            MENUITEM "Zoom &In",       32001
            MENUITEM "Zoom &Out",      32002, GRAYED
        END
    END
END

3 MENU
BEGIN
    POPUP "Edit"
    BEGIN
        MENUITEM "&Copy",              57634
        MENUITEM "&Paste",             57637
        MENUITEM SEPARATOR
        MENUITEM "&Wrap",              32100
        MENUITEM "Spare",              32101
    END
END
)";

class MenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_resources.AddScript(kScript, "menu_test.rc", ".");
        SetAppResources(&m_resources);
    }
    void TearDown() override { SetAppResources(nullptr); }

    CResources m_resources;
};

std::vector<UINT> Ids(const CMenu& menu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i)
        ids.push_back(menu.GetMenuItemID(i));
    return ids;
}

std::string Text(const CMenu& menu, UINT item, UINT flags)
{
    std::string text;
    menu.GetMenuString(item, text, flags);
    return text;
}

struct ItemCase {
    UINT item;
    UINT flags;
    std::string text;
    UINT state;
};

TEST_F(MenuTest, LoadMenuKeepsItemsTextsIdsAndStates)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(2));
    EXPECT_EQ(Ids(bar), (std::vector<UINT>{kPopup, kPopup}));
    CMenu* file = bar.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Ids(*file), (std::vector<UINT>{kNew, kOpen, 0, kRecent, 0, kExit}));
    EXPECT_EQ(bar.GetSubMenu(0), file); // the same object while the menu lives
    EXPECT_EQ(file->GetSubMenu(0), nullptr);

    // By command the whole tree is searched; by position only this menu.
    const ItemCase cases[] = {
        {0, MF_BYPOSITION, "&File", MF_POPUP},
        {kOpen, MF_BYCOMMAND, "&Open...\tCtrl+O", MF_ENABLED},
        {kRecent, MF_BYCOMMAND, "Recent File", MF_GRAYED},
        {kToolbar, MF_BYCOMMAND, "&Toolbar", MF_CHECKED},
        {kZoomOut, MF_BYCOMMAND, "Zoom &Out", MF_GRAYED},
        {1, MF_BYPOSITION, "&View", MF_POPUP},
    };
    for (const ItemCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Text(bar, c.item, c.flags), c.text);
        EXPECT_EQ(bar.GetMenuState(c.item, c.flags), c.state);
    }
    EXPECT_EQ(file->GetMenuState(2, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(bar.GetMenuState(kNew + 99, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(bar.GetMenuItemID(7), UINT(-1));
    EXPECT_EQ(Text(bar, 9, MF_BYPOSITION), "");
    EXPECT_FALSE(bar.LoadMenu(99)); // it holds a menu already
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(99));
}

TEST_F(MenuTest, ItemsChangeByPositionAndByCommand)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(2));
    CMenu* file = bar.GetSubMenu(0);
    EXPECT_EQ(bar.EnableMenuItem(kRecent, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(bar.EnableMenuItem(kRecent, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(bar.CheckMenuItem(kToolbar, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(bar.GetMenuState(kToolbar, MF_BYCOMMAND), MF_ENABLED);
    EXPECT_EQ(file->CheckMenuItem(0, MF_BYPOSITION | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(bar.EnableMenuItem(12345, MF_BYCOMMAND | MF_GRAYED), UINT(-1));

    // Inserting before a command lands in the pop-up that holds it.
    EXPECT_TRUE(bar.InsertMenu(kExit, MF_BYCOMMAND | MF_STRING, 57603, "&Save"));
    EXPECT_TRUE(file->InsertMenu(0, MF_BYPOSITION | MF_SEPARATOR));
    EXPECT_TRUE(file->InsertMenu(99, MF_BYPOSITION | MF_STRING | MF_GRAYED, 57604, "Save &As..."));
    EXPECT_EQ(Ids(*file), (std::vector<UINT>{0, kNew, kOpen, 0, kRecent, 0, 57603, kExit, 57604}));
    EXPECT_EQ(file->GetMenuState(8, MF_BYPOSITION), MF_GRAYED);
    EXPECT_FALSE(bar.InsertMenu(4242, MF_BYCOMMAND, 1, "x"));

    EXPECT_TRUE(bar.DeleteMenu(kNew, MF_BYCOMMAND));
    EXPECT_TRUE(file->RemoveMenu(0, MF_BYPOSITION));
    EXPECT_EQ(Ids(*file), (std::vector<UINT>{kOpen, 0, kRecent, 0, 57603, kExit, 57604}));
    EXPECT_FALSE(file->DeleteMenu(40, MF_BYPOSITION));
}

TEST_F(MenuTest, RemovedPopupLivesOnAndDeletedPopupEnds)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(2));
    const HMENU zoom = bar.GetSubMenu(1)->GetSubMenu(2)->GetSafeHmenu();
    const HMENU file = bar.GetSubMenu(0)->GetSafeHmenu();

    ASSERT_TRUE(bar.GetSubMenu(1)->RemoveMenu(2, MF_BYPOSITION));
    ASSERT_NE(CMenu::FromHandle(zoom), nullptr);
    CMenu taken;
    ASSERT_TRUE(taken.Attach(zoom));
    EXPECT_EQ(Ids(taken), (std::vector<UINT>{kZoomIn, kZoomOut}));

    ASSERT_TRUE(bar.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(CMenu::FromHandle(file), nullptr);
    EXPECT_EQ(bar.GetMenuItemCount(), 1);
    EXPECT_TRUE(taken.DestroyMenu());
    EXPECT_EQ(CMenu::FromHandle(zoom), nullptr);
}

TEST_F(MenuTest, PopupBelongsToTheMenuThatHoldsIt)
{
    CMenu outer;
    ASSERT_TRUE(outer.CreatePopupMenu());
    HMENU innerHandle = nullptr;
    {
        CMenu inner;
        ASSERT_TRUE(inner.CreatePopupMenu());
        ASSERT_TRUE(inner.AppendMenu(MF_STRING, kCopy, "&Copy"));
        innerHandle = inner.GetSafeHmenu();
        ASSERT_TRUE(outer.AppendMenu(MF_POPUP, UINT_PTR(innerHandle), "&More"));
        // Held twice, or inside itself, a menu would have two owners or none.
        EXPECT_FALSE(outer.AppendMenu(MF_POPUP, UINT_PTR(innerHandle), "Again"));
        EXPECT_FALSE(inner.AppendMenu(MF_POPUP, UINT_PTR(outer.GetSafeHmenu()), "Loop"));
        EXPECT_FALSE(outer.AppendMenu(MF_POPUP, UINT_PTR(outer.GetSafeHmenu()), "Self"));
    }
    ASSERT_NE(CMenu::FromHandle(innerHandle), nullptr);
    EXPECT_EQ(Text(outer, kCopy, MF_BYCOMMAND), "&Copy");
    EXPECT_TRUE(outer.DestroyMenu());
    EXPECT_EQ(CMenu::FromHandle(innerHandle), nullptr);
    EXPECT_EQ(outer.GetMenuItemCount(), -1);
}

/// A window that receives a pop-up's notices and commands, and runs the update pass when asked.
class MenuOwner : public CWnd {
public:
    std::vector<std::string> calls;
    bool updatePass = false;

    MenuOwner()
    {
        MapCommand(kCopy, [this] { calls.push_back("copy"); });
        MapCommand(kPaste, [this] { calls.push_back("paste"); });
        MapUpdate(kPaste, [](CCmdUI* ui) { ui->Enable(FALSE); });
        MapCommand(kWrap, [this] { calls.push_back("wrap"); });
        MapUpdate(kWrap, [](CCmdUI* ui) {
            ui->SetCheck(1);
            ui->SetText("&Wrap Lines");
        });
        Create(nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_INITMENUPOPUP)
            return CWnd::WindowProc(message, wParam, lParam);
        calls.push_back("init");
        if (updatePass)
            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam))->UpdateCmdUI(this, TRUE);
        return 0;
    }
};

TEST_F(MenuTest, UpdatePassThroughTheOwnerSetsWhatThePopupShows)
{
    CMenu edit;
    ASSERT_TRUE(edit.LoadMenu(3));
    MenuOwner owner;
    owner.updatePass = true;
    TestHooks::AnswerPopupMenu(kCopy);
    EXPECT_EQ(edit.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, 5, 5, &owner),
              BOOL(kCopy));
    EXPECT_EQ(TestHooks::PopupMenuItems(),
              (std::vector<std::string>{"&Copy", "&Paste [grey]", "-", "&Wrap Lines [checked]",
                                        "Spare [grey]"}));
    EXPECT_EQ(owner.calls, std::vector<std::string>{"init"}); // returned, not sent
}

TEST_F(MenuTest, ChosenCommandIsPostedToTheOwner)
{
    CMenu edit;
    ASSERT_TRUE(edit.LoadMenu(3));
    CMenu& popup = *edit.GetSubMenu(0);
    MenuOwner owner;
    TestHooks::AnswerPopupMenu(kWrap);
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &owner));
    EXPECT_EQ(owner.calls, std::vector<std::string>{"init"});
    TestHooks::DeliverPosted();
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"init", "wrap"}));

    // Without notifications the owner hears nothing; dismissed, nothing is chosen.
    owner.calls.clear();
    TestHooks::AnswerPopupMenu(kCopy);
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_NONOTIFY, 0, 0, &owner));
    TestHooks::AnswerPopupMenu(0);
    EXPECT_FALSE(popup.TrackPopupMenu(TPM_NONOTIFY, 0, 0, &owner));
    TestHooks::DeliverPosted();
    EXPECT_TRUE(owner.calls.empty());
}

TEST_F(MenuTest, AnswerAUserCouldNotGiveFailsAndDismisses)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(2));
    CMenu& view = *bar.GetSubMenu(1);
    TestHooks::AnswerPopupMenu(kZoomIn); // inside the Zoom pop-up: a user can reach it
    EXPECT_EQ(view.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, nullptr), BOOL(kZoomIn));
    EXPECT_EQ(TestHooks::PopupMenuItems(),
              (std::vector<std::string>{"&Toolbar [checked]", "&Status Bar", "&Zoom >"}));

    TestHooks::AnswerPopupMenu(kZoomOut); // greyed
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(view.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0),
                            "no enabled item 32002");
    TestHooks::AnswerPopupMenu(kNew); // in another menu
    EXPECT_NONFATAL_FAILURE(view.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), "no enabled item");
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(view.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0),
                            "pop-up menu was shown with no answer queued");
}

TEST_F(MenuTest, UpdatePassDisablesItemsNobodyHandles)
{
    CMenu edit;
    ASSERT_TRUE(edit.LoadMenu(3));
    CMenu& popup = *edit.GetSubMenu(0);
    MenuOwner owner;
    popup.UpdateCmdUI(&owner, FALSE);
    EXPECT_EQ(popup.GetMenuState(kSpare, MF_BYCOMMAND), MF_ENABLED);
    EXPECT_EQ(popup.GetMenuState(kPaste, MF_BYCOMMAND), MF_GRAYED);
    popup.UpdateCmdUI(&owner, TRUE);
    EXPECT_EQ(popup.GetMenuState(kSpare, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(popup.GetMenuState(kCopy, MF_BYCOMMAND), MF_ENABLED);
    EXPECT_EQ(popup.GetMenuState(kWrap, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(Text(popup, kWrap, MF_BYCOMMAND), "&Wrap Lines");
}

} // namespace
