// platform/ui/frames/mdi_child_wnd.h: a child frame inside the MDI frame: a document's window with
// its view, its activation, title and the menu it shows while active.
#pragma once

#include "platform/ui/frames/frame_wnd.h"

class CMDIFrameWnd;

/// The close box sends WM_SYSCOMMAND SC_CLOSE; its default closes the window through
/// WM_CLOSE, so a handler that does not call Default() keeps the window open. The size limits
/// come from OnGetMinMaxInfo before the window shows and when a resize may start.
class CMDIChildWnd : public CFrameWnd {
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    /// Makes the child frame inside parent (the application's main window when null), hidden
    /// unless style has WS_VISIBLE. An empty rect lets the MDI frame place it.
    BOOL Create(const char* className, const char* title,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                const RECT& rect = RECT{}, CMDIFrameWnd* parent = nullptr,
                CCreateContext* context = nullptr);
    /// Makes the child, hidden, with the title of resourceId's string and the menu the
    /// context's template shares (its MENU resourceId), shown while the child is active.
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();
    /// Shows the child (cmdShow -1: normally when hidden) and activates it.
    void ActivateFrame(int cmdShow = -1) override;
    /// Lets the MDI frame update its title first; then, with FWS_ADDTOTITLE, takes the active
    /// document's title (with ":n" when the document has more than one frame).
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    /// Offers a command to the child's own handlers, then its view (sub-view, view,
    /// document), then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    /// Chooses the menu bar as the child is activated or deactivated: on activation the
    /// given menu, else the active document's default menu, else the shared menu, is shown;
    /// when the last child goes, the MDI frame's own menu comes back; otherwise only the
    /// Window menu's list is refreshed.
    virtual void OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, CMenu* menuAlt);

    /// The menu the frames of the document template share, or null.
    CMenu* m_pMenuShared = nullptr;

protected:
    /// The child became the active one, or stopped being it: the menu bar follows, the
    /// active view is told, and the titles are updated.
    virtual void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);

    void PlaceClient(CWnd* client) override;
    void OnDestroy() override;

private:
    friend class CMDIFrameWnd;
};
