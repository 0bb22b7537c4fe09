// app/shell/child_frame.h: the frame of every window inside the main frame: it takes its title from
// its pane, may limit its size, and hides the records window instead of closing it.
#pragma once

#include "platform/ui/frames/mdi_child_wnd.h"

/// Holds one CAvView. The records window lives as long as the program: its close box hides it,
/// and the Records Window command shows it again as it was.
class CChildFrame final : public CMDIChildWnd {
public:
    CChildFrame();
    ~CChildFrame() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    /// The main frame's title first; then this frame's title is its pane's.
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    /// The menu bar stays as it is when children come and go; only the Window menu's list of
    /// windows follows.
    void OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, CMenu* menuAlt) override;
    /// Limits of the frame's size while the user drags it; a negative value sets no limit.
    void SetMinTrackSize(int minWidth, int minHeight, int maxWidth, int maxHeight);
    /// The help context of the window the frame holds, as its pane gave it (0: none).
    void SetHelpContext(UINT context) { m_helpContext = context; }
    UINT GetHelpContext() const { return m_helpContext; }

protected:
    /// The frame's title is exactly its pane's: the document's name is not added.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;

private:
    /// Whether the frame shows the records window.
    bool HoldsRecordsWindow() const;

    int m_minWidth = -1;
    int m_minHeight = -1;
    int m_maxWidth = -1;
    int m_maxHeight = -1;
    UINT m_helpContext = 0;
};
