// platform/ui/frames/frame_wnd.h: a frame window: a top-level window with a menu bar, control bars
// and a view, which routes commands and runs the update pass of its menus and bars.
#pragma once

#include "platform/ui/frames/control_bar.h"

#include <memory>
#include <string>
#include <vector>

class CAcceleratorTable;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CMenu;
class CView;

// Window styles of top-level frames.
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000, WS_MAXIMIZEBOX = 0x00010000,
                       WS_OVERLAPPEDWINDOW = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                             WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
/// Frame styles: the active document's title joins the frame's title, before it with
/// FWS_PREFIXTITLE. That bit is WS_THICKFRAME's too, so a resizable frame reads
/// "document - frame".
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000, FWS_PREFIXTITLE = WS_THICKFRAME;

/// The id of a frame's view.
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
/// The string shown on the message bar when no prompt is.
inline constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;

// System commands (the WPARAM of WM_SYSCOMMAND; the low four bits are the system's own).
inline constexpr UINT SC_SIZE = 0xF000, SC_MOVE = 0xF010, SC_MINIMIZE = 0xF020,
                      SC_MAXIMIZE = 0xF030, SC_NEXTWINDOW = 0xF040, SC_PREVWINDOW = 0xF050,
                      SC_CLOSE = 0xF060, SC_RESTORE = 0xF120;

/// The sizes a frame may take (WM_GETMINMAXINFO); filled with the present limits first.
struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

/// What the document template hands a new frame: the view to make and its document.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

/// A frame deletes itself when its window ends. Commands reach it from its menu, its bars and
/// its accelerators; it offers each to its active view (which offers it to its sub-view and
/// document), then to the application, and takes it itself last.
class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    /// Makes the frame window with the menu of menuId (none for 0). A frame without a parent made
    /// with an empty rectangle gets most of the screen, placed by the window manager.
    virtual BOOL Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = RECT{}, CWnd* parent = nullptr, UINT menuId = 0,
                        DWORD exStyle = 0, CCreateContext* context = nullptr);
    /// Makes the frame with the resources of resourceId: its menu, its accelerators, its icon,
    /// and its title from the first line of its string.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);

    // Views and documents.
    CView* GetActiveView() const { return m_pViewActive; }
    /// Makes view the active one; with notify the old and the new view are told.
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    /// The frame whose view is active: this one, or an MDI frame's active child.
    virtual CFrameWnd* GetActiveFrame();
    /// Makes the view the context names as a child with id; null on failure.
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    /// Runs the first update of the frame's views, makes the view active and, with
    /// makeVisible, shows the frame.
    virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    /// Shows the frame (cmdShow -1: as it was) and brings it to the front.
    virtual void ActivateFrame(int cmdShow = -1);

    /// The keys the frame loaded with its resources (LoadFrame); null when it has none.
    const CAcceleratorTable* GetAccelerators() const { return m_accelerators.get(); }

    // Title.
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }
    /// Sets the window text from the title and, with addToTitle and FWS_ADDTOTITLE, the
    /// active document's title.
    virtual void OnUpdateFrameTitle(BOOL addToTitle);

    // Menu bar. The frame keeps the menu set last; the caller keeps owning it.
    CMenu* GetMenu() const { return m_pMenu; }
    BOOL SetMenu(CMenu* menu);
    /// Shows the menu's present items in the menu bar.
    void DrawMenuBar();

    // Control bars.
    /// The edges that bars may dock on (CBRS_ALIGN_ values).
    void EnableDocking(DWORD dockStyle);
    /// Docks bar on the edge dockBarId names (AFX_IDW_DOCKBAR_ values), or for 0 on the edge
    /// rect lies on (screen coordinates), else on its own edge. Bars on one edge stay ordered
    /// by rect's position.
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, const RECT* rect = nullptr);
    /// Moves bar into a small window of its own, with the bar's top-left corner at point
    /// (screen).
    void FloatControlBar(CControlBar* bar, CPoint point, DWORD style = CBRS_ALIGN_TOP);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    /// The frame's bar with the id, or null.
    CControlBar* GetControlBar(UINT id) const;
    void RecalcLayout(BOOL notify = TRUE);

    // Prompts on the message bar.
    /// The first line of id's string; empty when there is none.
    virtual void GetMessageString(UINT id, std::string& message) const;
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT id);
    /// The status bar that shows prompts: the frame's bar with AFX_IDW_STATUS_BAR.
    virtual CWnd* GetMessageBar();
    /// A bar's fly-by prompt for command id while the pointer is over its button; 0 when the
    /// pointer has left the bar: the idle message then comes back, also on the bar that showed
    /// the prompt when the frame has since changed its message bar.
    void ShowFlyByPrompt(UINT id);

    /// Runs the update pass over a pop-up menu's items.
    void UpdateMenuCmdUI(CMenu* popup);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    /// Lets files be dropped on the frame; they arrive at OnDropFiles.
    void DragAcceptFiles(BOOL accept = TRUE);

    /// Called by a bar whose window is made with this frame as its parent.
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);

protected:
    /// May change the creation before the window is made.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    /// Makes the view the context names; FALSE fails the creation.
    virtual BOOL OnCreateClient(CREATESTRUCT* cs, CCreateContext* context);
    /// Sets the window text from a document's name and the frame's title.
    void UpdateFrameTitleForDocument(const char* docName);
    /// Puts the client widget (the view) into the frame's client area.
    virtual void PlaceClient(CWnd* client);

    // Handlers of frames. Each base handler calls Default().
    /// SC_CLOSE closes the window (WM_CLOSE); SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE change
    /// its state.
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);
    /// A pop-up of the frame's menu is about to show; the base runs its update pass.
    virtual void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    /// The base opens each file through the application.
    virtual void OnDropFiles(const std::vector<std::string>& paths);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCT* createStruct) override;
    /// Closes the document when this is its last frame (asking to save); the application's
    /// main frame first asks to save every document and closes them all.
    void OnClose() override;
    void OnDestroy() override;
    /// Deletes the frame; the application forgets it as its main window.
    void PostNcDestroy() override;

    /// Whether a menu item whose command has no handler anywhere is disabled.
    BOOL m_bAutoMenuEnable = TRUE;

private:
    /// Makes or moves a toolbar onto the edge of the frame's window, ordered by rect.
    void DockToolBar(CControlBar* bar, DWORD align, const RECT* rect);
    /// Lets a docked toolbar move to the edges it and the frame allow.
    void ApplyDocking(CControlBar* bar);

    CView* m_pViewActive = nullptr;
    CMenu* m_pMenu = nullptr;
    /// The menu the frame loaded itself, destroyed with the frame.
    std::unique_ptr<CMenu> m_ownedMenu;
    std::unique_ptr<CAcceleratorTable> m_accelerators;
    std::string m_strTitle;
    std::vector<CControlBar*> m_bars;
    DWORD m_dwDockStyle = 0;

private:
    /// Writes text to bar's message pane.
    static void WriteMessage(CWnd* bar, const std::string& text);

    /// The message bar that shows a fly-by prompt; null when none does.
    CWnd* m_flyByBar = nullptr;
};

/// The nearest frame window that holds wnd (not wnd itself), or null.
CFrameWnd* GetParentFrame(const CWnd* wnd);
/// The outermost frame window that holds wnd, or wnd itself when it is one; null when none.
CFrameWnd* GetTopLevelFrame(const CWnd* wnd);
