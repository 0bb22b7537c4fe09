// app/shell/main_frame_bars.cpp: showing and hiding the toolbars, and keeping their places between
// runs relative to the corner of the frame's client area.
#include "app/shell/main_frame.h"

#include "common/preferences.h"

namespace {

/// The frame's corner that placements are kept relative to: its client area's, in screen
/// coordinates. The desktop's border around the window is known only once the window shows, so
/// the window's outer corner would move placements made before that.
CPoint FrameCorner(CWnd& frame)
{
    CPoint corner;
    frame.ClientToScreen(&corner);
    return corner;
}

} // namespace

void CMainFrame::ToggleToolBar(int index)
{
    CToolBar& bar = GetToolBar(index);
    ShowControlBar(&bar, !bar.IsWindowVisible(), FALSE);
    RecalcLayout();
}

void CMainFrame::SaveBarPlacements()
{
    const CPoint corner = FrameCorner(*this);
    for (int i = 0; i < kBarCount; ++i) {
        BarPlacement* placement = GetBarPlacement(i);
        CToolBar& bar = GetToolBar(i);
        CRect rect;
        bar.GetWindowRect(&rect);
        rect.OffsetRect(-corner.x, -corner.y);
        placement->m_rect = rect;
        placement->m_floating = bar.IsFloating() != FALSE;
    }
}

void CMainFrame::RestoreBarPlacements()
{
    const CPoint corner = FrameCorner(*this);
    for (int i = 0; i < kBarCount; ++i) {
        const BarPlacement* placement = GetBarPlacement(i);
        CToolBar& bar = GetToolBar(i);
        if (placement->m_rect.IsRectNull()) {
            DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
            continue;
        }
        CRect rect = placement->m_rect;
        rect.OffsetRect(corner.x, corner.y);
        if (placement->m_floating)
            FloatControlBar(&bar, rect.TopLeft(), CBRS_ALIGN_TOP);
        else
            DockControlBar(&bar, 0, &rect);
    }
}

void CMainFrame::ResetToolBarPositions()
{
    const CPoint corner = FrameCorner(*this);
    for (CToolBar& bar : m_toolBars)
        FloatControlBar(&bar, corner, CBRS_ALIGN_TOP);
    for (CToolBar& bar : m_toolBars)
        DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    RecalcLayout();
}
