// diagrams/window/rel_tree_cursor.cpp: the Diagram window's mouse cursor, chosen by the mouse
// mode and by what lies under the pointer: the area cursor while selecting an area, the grabber
// while moving the diagram with the mouse, the item cursor over a box or an expansion button,
// else the arrow.
#include "diagrams/window/sub_view_rel_tree.h"

#include "platform/ui/windows/cursor.h"

void CSubViewRelTree::ChooseCursor(const CPoint* point)
{
    UINT id = 0;
    if (m_mode == kModeSelectArea) {
        id = kAreaCursorId;
    } else if (m_mode == kModeGrabber) {
        id = kGrabberCursorId;
    } else if (point) {
        const int hit = HitTest(*point, nullptr, nullptr);
        if (hit == kHitBox || hit == kHitButton)
            id = kItemCursorId;
    }
    SetWindowCursor(id ? LoadCursorResource(id) : nullptr);
}
