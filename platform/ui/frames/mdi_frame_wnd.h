// platform/ui/frames/mdi_frame_wnd.h: the multiple-document main frame: child frames inside its
// client area, their activation, and the Window menu that lists them.
#pragma once

#include "platform/ui/frames/frame_wnd.h"

#include <memory>
#include <vector>

class CMDIChildWnd;

// The Window menu's commands.
inline constexpr UINT ID_WINDOW_NEW = 0xE130, ID_WINDOW_ARRANGE = 0xE131,
                      ID_WINDOW_CASCADE = 0xE132, ID_WINDOW_TILE_HORZ = 0xE133,
                      ID_WINDOW_TILE_VERT = 0xE134;
/// The commands of the Window menu's list of children, the first listed child's upward.
inline constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

/// A command goes to the active child frame (its own handlers, then its view, sub-view,
/// document and the application), and only then to the MDI frame's own handlers. The Window
/// menu is the pop-up of the menu bar that holds a Window command, else the one titled
/// "&Window"; its list of visible children (at most nine) follows a separator at its end, the
/// active child checked.
class CMDIFrameWnd : public CFrameWnd {
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    /// Shows the child when it is hidden and makes it the active one.
    void MDIActivate(CWnd* child);
    /// The active child, or null; maximized (when given) tells whether it is maximized.
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    /// Activates the visible child after the active one, the first after the last.
    void MDINext();
    /// Destroys the child; the child shown most recently before it becomes the active one.
    void MDIDestroy(CWnd* child);
    void MDICascade();
    void MDITile();
    void MDIMaximize(CWnd* child);
    void MDIRestore(CWnd* child);
    /// Shows menu in the menu bar (the frame's own menu for null) and lists the children in
    /// windowMenu (found in menu when null); returns the menu shown before.
    CMenu* MDISetMenu(CMenu* menu, CMenu* windowMenu);
    /// Lists the children in the Window menu again.
    void MDIRefreshMenu();
    /// The child frames, in the order they were made.
    std::vector<CMDIChildWnd*> GetChildren() const;
    /// The Window pop-up of menu, or null.
    CMenu* GetWindowMenuPopup(CMenu* menu) const;

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    /// Makes the MDI area that holds the children.
    BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context) override;
    /// Lists the children first when popup is the Window menu.
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) override;
    void OnDestroy() override;

private:
    friend class CMDIChildWnd;
    struct Impl;

    /// The visible children as the Window menu lists them.
    std::vector<CMDIChildWnd*> ListedChildren() const;
    /// Replaces the list of children at the end of windowMenu.
    void ListChildrenIn(CMenu* windowMenu);
    void OnChildActivated(CMDIChildWnd* child);
    void OnChildDestroyed(CMDIChildWnd* child);

    std::unique_ptr<Impl> m_mdi;
};
