// controls/cool_menu_manager.cpp: pictures and key texts put on a pop-up's commands as it
// opens.
#include "controls/cool_menu_manager.h"

#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/accelerator_table.h"
#include "platform/ui/windows/message.h"

#include <string>

namespace {

/// Commands of the window menu's own (move, size, close, ...) start here.
constexpr UINT kFirstSystemCommand = 0xF000;

} // namespace

CCoolMenuManager::CCoolMenuManager() = default;

CCoolMenuManager::~CCoolMenuManager()
{
    RemoveMenuPopupListener(this);
}

void CCoolMenuManager::Install(CFrameWnd* frame)
{
    RemoveMenuPopupListener(this);
    HookWindow(frame);
    if (frame)
        SetMenuPopupListener(*frame, this);
}

void CCoolMenuManager::LoadToolbars(const UINT* ids, int count)
{
    for (int i = 0; ids && i < count; ++i) {
        m_images.AddToolBar(ids[i]);
        m_toolbarIds.push_back(ids[i]);
    }
}

void CCoolMenuManager::Refresh()
{
    m_images.RemoveAll();
    for (const UINT id : m_toolbarIds)
        m_images.AddToolBar(id);
}

LRESULT CCoolMenuManager::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE)
        Refresh();
    return CSubclassWnd::WindowProc(message, wParam, lParam);
}

void CCoolMenuManager::OnMenuPopupOpening(CMenu& popup, const CAcceleratorTable* keys)
{
    for (int position = 0; position < popup.GetMenuItemCount(); ++position) {
        const UINT id = popup.GetMenuItemID(position);
        if (id == 0 || id == UINT(-1) || id >= kFirstSystemCommand)
            continue;
        const int image = m_bShowButtons ? m_images.FindImage(id) : -1;
        popup.SetMenuItemImage(position, &m_images, image);
        if (!m_bAutoAccel || !keys)
            continue;
        std::string text;
        popup.GetMenuString(UINT(position), text, MF_BYPOSITION);
        const std::string withKeys = keys->ApplyKeyText(text, id);
        if (withKeys != text)
            popup.SetMenuString(UINT(position), MF_BYPOSITION, withKeys.c_str());
    }
}
