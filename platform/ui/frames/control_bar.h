// platform/ui/frames/control_bar.h: the common base of toolbars and status bars: a row along an
// edge of a frame (or inside a window) whose items an update pass enables, checks and labels.
#pragma once

#include "platform/ui/windows/wnd.h"

class CFrameWnd;

/// The id of an item that no command stands behind (a status pane shown by index only).
inline constexpr UINT ID_SEPARATOR = 0;

// Bar styles: where the bar lies and may dock, and what it shows.
inline constexpr DWORD CBRS_ALIGN_LEFT = 0x1000, CBRS_ALIGN_TOP = 0x2000, CBRS_ALIGN_RIGHT = 0x4000,
                       CBRS_ALIGN_BOTTOM = 0x8000, CBRS_ALIGN_ANY = 0xF000;
inline constexpr DWORD CBRS_BORDER_LEFT = 0x0100, CBRS_BORDER_TOP = 0x0200,
                       CBRS_BORDER_RIGHT = 0x0400, CBRS_BORDER_BOTTOM = 0x0800,
                       CBRS_BORDER_ANY = 0x0F00;
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010, CBRS_FLYBY = 0x0020, CBRS_FLOAT_MULTI = 0x0040,
                       CBRS_SIZE_DYNAMIC = 0x0080, CBRS_GRIPPER = 0x00400000,
                       CBRS_HIDE_INPLACE = 0x0008, CBRS_SIZE_FIXED = 0x0004;
inline constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
                       CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP,
                       CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT,
                       CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
/// The bits of a bar's creation style that are bar styles; the rest are window styles.
inline constexpr DWORD CBRS_ALL = 0x0040FFFF;

// The edges of a frame that DockControlBar names.
inline constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B, AFX_IDW_DOCKBAR_LEFT = 0xE81C,
                      AFX_IDW_DOCKBAR_RIGHT = 0xE81D, AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;

/// A bar made with a frame as parent belongs to that frame, which lays it out and runs its
/// update pass; a bar inside another window is a plain child that its parent places.
class CControlBar : public CWnd {
public:
    DWORD GetBarStyle() const { return m_dwBarStyle; }
    /// Changes the bar styles (CBRS_ALL bits); OnBarStyleChange sees the change.
    void SetBarStyle(DWORD style);
    /// The edges of the frame the bar may dock on (CBRS_ALIGN_ values); 0 keeps it where it is.
    void EnableDocking(DWORD dockStyle);
    DWORD GetEnabledAlignment() const { return m_dwDockStyle; }
    /// Whether the bar lies in a window of its own instead of along its frame's edge.
    virtual BOOL IsFloating() const;
    /// The frame the bar belongs to, or null for a bar inside another window.
    CFrameWnd* GetDockingFrame() const { return m_pDockSite; }

    /// The frame whose routing answers the update pass: the bar's own frame, else the
    /// nearest frame around the window that holds the bar.
    CFrameWnd* GetUpdateTarget() const;
    /// Asks target's routing for the state of every item. Items without an update handler
    /// are disabled when no command handler exists, if disableIfNoHandler is set.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;

protected:
    CControlBar();
    /// Called once the bar's window exists: a bar whose parent is a frame joins its bars.
    void JoinParentFrame();
    /// Sends WM_COMMAND for id to the bar's frame, or to the window that holds the bar.
    void SendCommand(UINT id);
    /// The item's prompt, the first line of its string, on the frame's message bar; id 0
    /// puts back the idle prompt.
    void ShowFlyByPrompt(UINT id);

    virtual void OnBarStyleChange(DWORD oldStyle, DWORD newStyle);
    /// At idle (WM_IDLEUPDATECMDUI) a visible bar runs its update pass; WPARAM tells whether
    /// items without a handler are disabled.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    /// Leaves the frame's bars.
    void OnDestroy() override;

    DWORD m_dwBarStyle = 0;
    DWORD m_dwDockStyle = 0;

private:
    CFrameWnd* m_pDockSite = nullptr;
};
