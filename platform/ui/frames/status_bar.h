// platform/ui/frames/status_bar.h: a status bar: a row of panes along the bottom of a frame, each
// with a text, a width measured from a sizing text, and a command id for its update handler.
#pragma once

#include "platform/ui/frames/control_bar.h"

#include <string>
#include <vector>

// Pane styles.
inline constexpr UINT SBPS_NORMAL = 0x0000, SBPS_NOBORDERS = 0x0100, SBPS_POPOUT = 0x0200,
                      SBPS_DISABLED = 0x04000000, SBPS_STRETCH = 0x08000000;

/// The bar draws itself in the default GUI font. A pane's width is the width of its text in
/// that font; the pane's rectangle adds a border and margin on each side. One stretching pane
/// takes the room the others leave. A disabled pane shows no text.
class CStatusBar : public CControlBar {
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT id = AFX_IDW_STATUS_BAR);
    /// One pane per id. A pane's text is its string from the string table, and that sizing
    /// text, measured in the bar's font, gives its width. An ID_SEPARATOR pane is a quarter
    /// of the screen wide, and when it is the first it stretches and has no border. FALSE when
    /// a string is missing; the panes before it are kept.
    BOOL SetIndicators(const UINT* ids, int count);

    int GetCount() const { return int(m_panes.size()); }
    /// The index of the pane with the id, or -1.
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    /// The pane's rectangle in the bar's client coordinates, its border included; empty for
    /// a bad index.
    void GetItemRect(int index, RECT* rect) const;
    /// width is the text width, without border and margins.
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);
    std::string GetPaneText(int index) const;
    /// update repaints the pane when the text changed. A pane that does not stretch widens to
    /// a text wider than it, and keeps that width. FALSE for a bad index.
    BOOL SetPaneText(int index, const std::string& text, BOOL update = TRUE);
    /// The pixel width of text in the bar's font.
    int GetTextWidth(const std::string& text) const;

    /// The bar's own update handlers come first, then target's routing; panes without a
    /// handler keep their state whatever disableIfNoHandler says.
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    struct Pane {
        UINT id = ID_SEPARATOR;
        UINT style = SBPS_NORMAL;
        int width = 0;
        std::string text;
    };

    /// The rectangles of all panes for the bar's present width.
    std::vector<CRect> Layout() const;
    bool ValidIndex(int index) const { return index >= 0 && index < GetCount(); }
    void InvalidatePane(int index);

    std::vector<Pane> m_panes;
};
