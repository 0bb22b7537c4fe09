// diagrams/window/rel_tree_mouse.cpp: the Diagram window's mouse (CRelTreeMouse): presses,
// double clicks and the right button on boxes, buttons, titles and the page grid, the mouse
// modes, Escape and the loss of the focus.
//
// A left press on a box selects it and starts the add-relative drag, with Ctrl it puts the box in
// the selection or takes it out; on a button it opens or closes the branch; on a title (or a
// selected title's handle) it starts moving (sizing) it; on a page line it starts moving the grid;
// elsewhere it starts the stretchy box. A right press on a page line starts sizing the page.
#include "diagrams/window/rel_tree_mouse.h"

#include "diagrams/diagram_document.h"
#include "diagrams/window/rel_tree_pages.h"
#include "diagrams/window/rel_tree_titles.h"
#include "platform/ui/windows/wnd.h"

CRelTreeMouse::CRelTreeMouse(IRelTreeMouseView& view, CDiagramDocument& doc, CRelTreePages& pages,
                             CRelTreeTitles& titles, CRelTreeEditor& editor)
    : m_view(view), m_doc(doc), m_pages(pages), m_titles(titles), m_editor(editor), m_dragBox(doc)
{
}

void CRelTreeMouse::ToggleMode(int mode)
{
    m_mode = m_mode == mode ? kModeNormal : mode;
    ChooseCursor(nullptr);
}

void CRelTreeMouse::EndMode()
{
    m_mode = kModeNormal;
    ChooseCursor(nullptr);
}

void CRelTreeMouse::Invalidate(bool erase)
{
    m_view.Window().Invalidate(erase ? TRUE : FALSE);
}

void CRelTreeMouse::OnLButtonDown(UINT flags, CPoint point)
{
    // A left press cancels a page-grid resize.
    if (m_drag == kGridSizeDrag) {
        EndPageOrTitleDrag(true);
        return;
    }
    if (m_drag != kNoDrag)
        return;
    if (m_mode == kModeSelectArea) {
        BeginAreaBox(point);
        return;
    }
    if (m_mode == kModeGrabber) {
        if (!m_view.HasTree())
            return;
        m_drag = kGrabDrag;
        m_grabPoint = m_view.ToDiagram(point);
        m_view.Window().SetCapture();
        return;
    }
    CDiagElem* box = nullptr;
    int title = -1;
    const int hit = m_view.HitTest(point, &box, &title);
    const bool ctrl = (flags & MK_CONTROL) != 0;
    switch (hit) {
    case kHitTitle:
    case kHitSizer: {
        if (ctrl) {
            // Ctrl toggles a title in or out of the selection; a handle does nothing.
            if (hit == kHitTitle)
                m_titles.FlipSelection(title);
            break;
        }
        int handle = -1;
        if (hit == kHitSizer)
            m_titles.HandleAt(point, &title, &handle);
        // A title already selected stays with the others unless it is released unmoved.
        const bool wasSelected = m_titles.IsSelected(title);
        if (!wasSelected) {
            m_view.DeselectAll();
            m_titles.Select(title, true);
        }
        BeginTitleDrag(point, title, handle);
        m_titleAloneOnRelease = wasSelected && hit == kHitTitle;
        break;
    }
    case kHitBox:
        if (!ctrl) {
            m_view.SelectBox(box, true, true);
            BeginRelativeDrag(*box);
        } else if (m_doc.Selection().Contains(*box)) {
            m_view.DeselectBox(box, true);
        } else {
            m_view.SelectBox(box, false, true);
        }
        break;
    case kHitButton:
        m_view.ExpandBox(*box);
        break;
    default:
        if (m_pages.OnPageLine(point)) {
            BeginPageGridDrag(point, false);
            break;
        }
        if (!ctrl)
            m_view.DeselectAll();
        BeginAreaBox(point);
        break;
    }
}

void CRelTreeMouse::OnLButtonDblClk(CPoint point)
{
    if (m_mode != kModeNormal)
        return;
    CDiagElem* box = nullptr;
    int title = -1;
    const int hit = m_view.HitTest(point, &box, &title);
    if (hit == kHitTitle) {
        m_view.DeselectBox(nullptr, false);
        m_titles.Select(title, true);
        m_titles.OpenOptions();
        return;
    }
    if (hit != kHitBox)
        return;
    m_view.OpenBoxProperties(*box);
}

void CRelTreeMouse::OnRButtonDown(CPoint point)
{
    m_suppressRightUp = false;
    if (m_drag == kAreaDrag || m_drag == kRelativeDrag) {
        CancelDrag();
        m_suppressRightUp = true;
        return;
    }
    // A right press ends a title drag and cancels a page-grid drag.
    if (InPageOrTitleDrag()) {
        EndPageOrTitleDrag(InGridDrag());
        m_suppressRightUp = true;
        return;
    }
    if (m_mode != kModeNormal)
        return;
    CDiagElem* box = nullptr;
    const int hit = m_view.HitTest(point, &box, nullptr);
    if (hit == kHitBox)
        m_view.SelectBox(box, true, true);
    else if (hit == kHitNothing && m_pages.OnPageLine(point))
        BeginPageGridDrag(point, true);
}

void CRelTreeMouse::OnRButtonUp(UINT flags, CPoint point)
{
    if (m_drag == kGridSizeDrag) {
        TrackPageOrTitleDrag(flags, point);
        EndPageOrTitleDrag(false);
        return;
    }
    if (m_suppressRightUp) {
        m_suppressRightUp = false;
        return;
    }
    if (m_mode == kModeGrabber) {
        EndMode();
        return;
    }
    if (m_mode == kModeNormal)
        m_view.ShowContextMenu(point);
}

bool CRelTreeMouse::CancelOnEscape()
{
    if (m_drag == kNoDrag)
        return false;
    const bool grabbing = m_drag == kGrabDrag;
    CancelDrag();
    if (grabbing)
        EndMode();
    return true;
}

void CRelTreeMouse::OnKillFocus()
{
    if (m_mode == kModeSelectArea && m_drag == kNoDrag)
        EndMode();
}
