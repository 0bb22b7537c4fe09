// controls/cool_menu_manager.h: the pictures and key texts of a frame's menu commands: each
// command shows the picture its toolbar button has, and its accelerator keys at the right.
#pragma once

#include "platform/ui/frames/menu.h"
#include "platform/ui/frames/menu_images.h"
#include "platform/ui/windows/subclass_wnd.h"

#include <vector>

class CFrameWnd;

/// Works on each pop-up of the frame's menu bar as it opens, so menus built or rebuilt at any
/// time get their pictures; the menu resources stay as they are.
class CCoolMenuManager final : public IMenuPopupListener, public CSubclassWnd {
public:
    CCoolMenuManager();
    ~CCoolMenuManager() override;
    CCoolMenuManager(const CCoolMenuManager&) = delete;
    CCoolMenuManager& operator=(const CCoolMenuManager&) = delete;

    /// Works on frame's pop-ups from now on, and on no other frame's (null: on none), and
    /// hooks frame to hear of changes of the desktop's colours and settings.
    void Install(CFrameWnd* frame);
    /// Loads the pictures of each toolbar resource in turn; a toolbar whose pictures differ in
    /// size from the first one's adds none.
    void LoadToolbars(const UINT* ids, int count);
    /// Drops the pictures and loads the toolbars loaded so far again.
    void Refresh();

    void OnMenuPopupOpening(CMenu& popup, const CAcceleratorTable* keys) override;
    /// A change of the desktop's colours or settings refreshes the pictures.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    /// Pictures beside the commands; without, the commands show none.
    BOOL m_bShowButtons = TRUE;
    /// Each command's accelerator keys after a tab in its text.
    BOOL m_bAutoAccel = TRUE;

private:
    std::vector<UINT> m_toolbarIds;
    CMenuImages m_images;
};
