// diagrams/window/rel_tree_paint.cpp: the Diagram window's paint (the background, the page grid
// and the diagram through its CRelTreePainter, then the feedback of a drag), the mapping of the
// contexts the framework prepares, and its size and scroll-bar messages, which go to its
// CRelTreeViewport (rel_tree_viewport.h).
//
// A keypad plus or minus waiting for the window (IsKeyDownWaiting) stops a screen repaint after
// the box being drawn.
#include "diagrams/window/sub_view_rel_tree.h"

#include "diagrams/window/zoom_draw.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/key_waiting.h"

void CSubViewRelTree::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    if (!dc)
        return;
    if (info)
        m_pages.PreparePrintDC(*dc, *info);
    else
        m_viewport.PrepareScreenDC(*dc);
}

BOOL CSubViewRelTree::OnEraseBkgnd(CDC*)
{
    // The paint fills the background itself: a repaint asked for without erasing (the drag
    // outlines, the stretchy box, the selection) must not leave what it drew in empty space.
    return TRUE;
}

void CSubViewRelTree::OnPaint()
{
    CPaintDC dc(this);
    m_viewport.PrepareScreenDC(dc);
    CRect clip;
    dc.GetClipBox(&clip);
    // y grows upwards: the clip's top lies above its bottom.
    clip.NormalizeRect();
    if (clip.IsRectEmpty() || m_updating)
        return;
    m_painter.PaintBackground(dc);
    WidenLogicalRect(dc, clip, 1, 1);
    // The page grid lies under the boxes, as part of the background.
    m_pages.DrawGrid(dc, clip);
    if (!HasTree()) {
        m_viewport.RefreshStaleScrollBars();
        return;
    }
    m_painter.DrawDiagram(dc, clip, m_underlineOverridden);
    m_mouse.DrawFeedback(dc);
}

void CSubViewRelTree::DrawPrintedPage(CDC& dc, const CRect& clip)
{
    m_painter.DrawDiagram(dc, clip, m_underlineOverridden);
}

bool CSubViewRelTree::ZoomKeyWaiting() const
{
    return GetSafeHwnd() &&
           (IsKeyDownWaiting(*this, VK_ADD) || IsKeyDownWaiting(*this, VK_SUBTRACT));
}

void CSubViewRelTree::OnSize(UINT type, int cx, int cy)
{
    CSubView::OnSize(type, cx, cy);
    m_viewport.ExtentChanged();
    // The new scroll ranges can move the diagram within the window: paint all of it again,
    // not only the strip a larger size uncovers.
    Invalidate();
}

void CSubViewRelTree::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    m_viewport.Scroll(SB_HORZ, code, int(pos));
}

void CSubViewRelTree::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    m_viewport.Scroll(SB_VERT, code, int(pos));
}
