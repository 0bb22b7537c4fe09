// platform/ui/frames/tool_bar.h: a toolbar: a row of command buttons built from a TOOLBAR resource
// and its image strip, docked along a frame's edge, floating, or placed inside a window.
#pragma once

#include "platform/ui/frames/control_bar.h"

#include <memory>
#include <vector>

/// A click sends WM_COMMAND with the button's id to the bar's frame, or to the window that
/// holds the bar. With CBRS_TOOLTIPS a button's tool tip is the second line of its string;
/// with CBRS_FLYBY the first line shows on the frame's message bar while the pointer is over it.
class CToolBar : public CControlBar {
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT id = AFX_IDW_TOOLBAR);
    /// Takes the buttons of TOOLBAR resourceId and their images from BITMAP resourceId: one
    /// image per button, left to right in the strip, each as wide as the buttons. FALSE when
    /// either resource is missing.
    BOOL LoadToolBar(UINT resourceId);

    /// The number of items, separators included.
    int GetCount() const;
    /// The command id of an item; ID_SEPARATOR for a separator.
    UINT GetItemID(int index) const;
    /// The index of the button with the id, or -1.
    int CommandToIndex(UINT id) const;
    /// The item's rectangle in the bar's client coordinates; empty for a bad index.
    void GetItemRect(int index, RECT* rect) const;
    /// Whether the button is enabled, as the last update pass left it.
    BOOL IsButtonEnabled(int index) const;
    /// Whether the button shows as checked, as the last update pass left it.
    BOOL IsButtonChecked(int index) const;

    BOOL IsFloating() const override;
    /// The bar's own update handlers come first, then target's routing.
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    /// Tool tips show while CBRS_TOOLTIPS is set.
    void OnBarStyleChange(DWORD oldStyle, DWORD newStyle) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_bar;
};
