// platform/ui/windows/wnd.h: a window: a Qt widget owned by the object, whose events arrive as
// messages at overridable handlers.
#pragma once

#include "platform/ui/drawing/gdi_object.h"
#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/windows/cursor.h"
#include "platform/ui/windows/icon.h"
#include "platform/ui/windows/message.h"

#include <memory>
#include <string>

class CDC;
class CScrollBar;
struct SCROLLINFO;
namespace ui_detail {
class WndBridge;
}

// Window styles.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000,
                       WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000,
                       WS_CLIPSIBLINGS = 0x04000000, WS_CLIPCHILDREN = 0x02000000,
                       WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_VSCROLL = 0x00200000,
                       WS_HSCROLL = 0x00100000, WS_SYSMENU = 0x00080000, WS_THICKFRAME = 0x00040000,
                       WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000;

// Extended styles of a top-level window. A tool window has no task-bar entry. A window that
// does not activate is a popup, such as a drop-down list: it shows where it is placed, above the
// other windows and unmanaged by the window manager, and never becomes the active window; the
// window that owns it stays active, and the keyboard goes to the window inside it that is given
// the focus.
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080, WS_EX_NOACTIVATE = 0x08000000;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2, SW_SHOWMAXIMIZED = 3,
                     SW_SHOWNOACTIVATE = 4, SW_SHOW = 5, SW_MINIMIZE = 6, SW_SHOWNA = 8,
                     SW_RESTORE = 9;

/// What WM_CREATE carries: the window's text, class, style and place as asked for.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0, cx = 0, y = 0, x = 0;
    DWORD style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

/// A window. The object may outlive its window: after DestroyWindow, GetSafeHwnd is null.
/// Input reaches the handlers as messages; a handler that wants the standard behaviour as
/// well calls Default(), which is what each base handler does.
class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Creation and destruction. rect is in the parent's client coordinates for a child and in
    // screen coordinates for a top-level window; the class name reaches OnCreate. A top-level
    // window with WS_BORDER and without a caption shows a one-pixel frame line over the edge of
    // its client area.
    virtual BOOL Create(const char* className, const char* windowName, DWORD style,
                        const RECT& rect, CWnd* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, void* createParam = nullptr);
    /// Sends WM_DESTROY to the window and then to its descendants, WM_NCDESTROY to the
    /// descendants and last to the window (each then gets PostNcDestroy), and deletes the
    /// widget, later when called from inside one of the window's own events.
    virtual BOOL DestroyWindow();
    /// The window handle (this object) while the window exists, else null.
    HWND GetSafeHwnd() const;

    /// Calls the window's handler for the message at once and returns its result.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    /// Queues the message for the window and returns at once; the message loop (or, under the
    /// test hooks, DeliverPosted) hands it to the window's handler later, in the order posted,
    /// unless the window has ended by then. FALSE when the window does not exist. Any thread
    /// may post.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    /// Whether a message with this number, posted to this window, is still waiting.
    BOOL IsMessageQueued(UINT message) const;

    // Identity and family.
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    /// The direct child window with the id, or null.
    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    /// Takes the remove bits out of the extended style and puts the add bits in; a top-level
    /// window takes its new kind at once. FALSE when the window does not exist.
    BOOL ModifyStyleEx(DWORD remove, DWORD add);

    // Geometry. The client rectangle starts at (0, 0).
    void GetClientRect(RECT* rect) const;
    /// The window's rectangle in screen coordinates.
    void GetWindowRect(RECT* rect) const;
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;
    /// Places the window at the rectangle: a child's in its parent's client coordinates, a
    /// top-level window's on the screen with its frame, as GetWindowRect gives it.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);

    // Painting. Invalidated parts are painted by OnPaint before they next reach the screen.
    void Invalidate(BOOL erase = TRUE);
    /// A null rect invalidates the whole client area.
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    /// Paints the invalid part now, when there is one.
    void UpdateWindow();
    /// A device context on the client area, usable outside painting; give it back with
    /// ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    // State.
    void SetWindowText(const std::string& text);
    void GetWindowText(std::string& text) const;
    int GetWindowTextLength() const;
    /// TRUE when the window was visible before.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    /// TRUE when the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    /// The cursor shown while the mouse is over the window; null shows the arrow.
    void SetWindowCursor(HCURSOR cursor);
    HCURSOR GetWindowCursor() const;
    /// The window's big (32 x 32) or small (16 x 16) icon: the small one shows in its title bar,
    /// the big one where the desktop shows windows large. Returns the icon it replaces.
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;
    /// The text shown while the pointer rests on the window; empty shows none.
    void SetToolTipText(const std::string& text);
    std::string GetToolTipText() const;
    /// Puts the window, with its children, right after previous in the order the Tab key
    /// follows (both children of one top-level window).
    void SetTabOrderAfter(CWnd* previous);
    /// Gives this window the keyboard focus; returns the window that had it.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    /// The application's active top-level window, or null.
    static CWnd* GetActiveWindow();

    // Timers. Setting an id that runs restarts it with the new period; periods below 10 ms
    // count as 10 ms. Under the test hooks timers run on the virtual clock.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    BOOL KillTimer(UINT_PTR id);

    // The window's own scroll bars (SB_HORZ, SB_VERT; scroll_bar.h). A bar shows while its
    // range leaves something to scroll, and the client area leaves out the bars shown.
    BOOL SetScrollInfo(int bar, const SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, SCROLLINFO* info, UINT mask) const;
    /// Returns the previous position.
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    /// SB_HORZ, SB_VERT or SB_BOTH.
    void ShowScrollBar(UINT bar, BOOL show = TRUE);

    // Mouse capture: the capturing window gets the mouse wherever the pointer is, in its own
    // client coordinates, until ReleaseCapture. Returns the window that held it.
    CWnd* SetCapture();
    static CWnd* GetCapture();
    /// Moves the pixels of the client area (or of rect) by dx, dy and invalidates the strip
    /// they uncover; clip limits what may change. Without a rect, child windows move too.
    void ScrollWindow(int dx, int dy, const RECT* rect = nullptr, const RECT* clip = nullptr);

    /// Sees each key and mouse message meant for this window, or for a window inside it,
    /// before that window does (the application offers it, innermost window first); TRUE
    /// consumes it. The base takes nothing.
    virtual BOOL PreTranslateMessage(MSG* msg);

protected:
    /// Dispatches a message to its handler; the handlers below are called from here.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    /// The standard behaviour of a message: hands a message that came from Qt back to Qt, and
    /// paints, erases, closes and raises context menus as a window does by default.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    /// The standard behaviour for the message being handled.
    LRESULT Default();
    /// Called last, when the window is gone; self-deleting classes delete themselves here.
    virtual void PostNcDestroy();

    // Window handlers. OnCreate returns -1 to fail the creation.
    virtual int OnCreate(CREATESTRUCT* createStruct);
    virtual void OnDestroy();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnPaint();
    /// Nonzero when the background was erased.
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnEnable(BOOL enable);
    virtual void OnClose();
    // Mouse handlers; point is in client coordinates, flags are MK_ values.
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMButtonDown(UINT flags, CPoint point);
    virtual void OnMButtonUp(UINT flags, CPoint point);
    virtual void OnMButtonDblClk(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    /// delta is 120 per notch away from the user; point is in screen coordinates. A window
    /// that leaves the wheel to Default() passes it to its parent.
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    // Keyboard and focus handlers. A key-down that types a character is followed by OnChar.
    virtual void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags);
    virtual void OnKeyUp(UINT virtKey, UINT repeatCount, UINT flags);
    virtual void OnChar(UINT character, UINT repeatCount, UINT flags);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    // Other handlers.
    virtual void OnTimer(UINT_PTR id);
    /// A scroll bar action: an SB_ code, the thumb position (16 bits; SIF_TRACKPOS gives all
    /// of it) and the bar control, null for the window's own bars.
    virtual void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    virtual void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    /// point is in screen coordinates, (-1, -1) when the menu was asked for from the keyboard.
    /// Left to Default(), the request goes to the parent window.
    virtual void OnContextMenu(CWnd* wnd, CPoint point);
    /// A menu command or a control's notification; routed through OnCmdMsg by default.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    /// A control's WM_NOTIFY notification (lParam an NMHDR*). By default it is offered to the
    /// control that sent it first (OnChildNotify), and routed through OnCmdMsg when the
    /// control did not take it. *result is what the control gets back (nonzero vetoes where a
    /// control asks).
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    /// A notification this window sent to its parent, offered back to it before the parent
    /// handles it; TRUE takes it, with *result the answer. The base takes nothing.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    /// A child control (wnd) asks, before it paints, for its colours; ctlColor is a CTLCOLOR_
    /// kind. The control paints its text in dc's text colour, and its background with the brush
    /// returned (a hollow brush leaves the parent's background showing); a null brush keeps its
    /// usual background. The base offers the request to the control itself first
    /// (OnChildNotify), then answers null.
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

private:
    friend class ui_detail::WndBridge;
    struct Impl;

    LRESULT DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DispatchInputMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT StandardBehaviour(UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<Impl> m_impl;
};

/// Ends the mouse capture, whichever window holds it.
BOOL ReleaseCapture();
