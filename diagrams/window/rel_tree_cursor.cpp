// diagrams/window/rel_tree_cursor.cpp: the Diagram window's mouse cursor (CRelTreeMouse), chosen by
// the mouse mode and by what lies under the pointer: the area cursor while selecting an area, the
// grabber while moving the diagram with the mouse, the page cursor while the page grid is dragged,
// the item cursor over a box or an expansion button, the sizing arrows over a selected title's
// handles, the page-line cursor over a shown page boundary, else the arrow.
#include "diagrams/window/rel_tree_mouse.h"

#include "diagrams/window/rel_tree_pages.h"
#include "diagrams/window/rel_tree_titles.h"
#include "diagrams/window/title_block.h"
#include "platform/ui/windows/cursor.h"
#include "platform/ui/windows/wnd.h"

namespace {

/// The desktop's sizing cursor for a title handle.
UINT SizingCursor(int handle)
{
    switch (handle) {
    case kHandleTop:
    case kHandleBottom:
        return IDC_SIZENS;
    case kHandleLeft:
    case kHandleRight:
        return IDC_SIZEWE;
    case kHandleTopLeft:
    case kHandleBottomRight:
        return IDC_SIZENWSE;
    default:
        return IDC_SIZENESW;
    }
}

} // namespace

void CRelTreeMouse::ChooseCursor(const CPoint* point)
{
    HCURSOR cursor = nullptr;
    int handle = -1;
    if (m_mode == kModeSelectArea) {
        cursor = LoadCursorResource(kAreaCursorId);
    } else if (m_mode == kModeGrabber) {
        cursor = LoadCursorResource(kGrabberCursorId);
    } else if (InGridDrag()) {
        cursor = LoadCursorResource(kPageDragCursorId);
    } else if (point) {
        const int hit = m_view.HitTest(*point, nullptr, nullptr);
        if (hit == kHitBox || hit == kHitButton)
            cursor = LoadCursorResource(kItemCursorId);
        else if (m_titles.HandleAt(*point, nullptr, &handle) && handle >= 0)
            cursor = LoadStandardCursor(SizingCursor(handle));
        else if (m_pages.OnPageLine(*point))
            cursor = LoadCursorResource(kPageLineCursorId);
    }
    m_view.Window().SetWindowCursor(cursor);
}
