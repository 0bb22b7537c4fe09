// merge/window/mrg_linked_grid.cpp: one side of a twin list, over the record list grid.
#include "merge/window/mrg_linked_grid.h"

#include "merge/window/mrg_twin_list_wnd.h"

#include "database/nodes/data_node.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/message.h"

CMrgLinkedGrid::CMrgLinkedGrid(CMrgTwinListWnd& window, bool currentSide)
    : m_window(window), m_currentSide(currentSide)
{
}

BOOL CMrgLinkedGrid::Create(const RECT& rect, CWnd* parent, UINT id)
{
    if (!CTagGrid::Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, rect, parent, id, &m_window, 0))
        return FALSE;
    SetEditable(false);
    SetDeleteAllowed(false);
    SetHeading(m_currentSide ? "Current Records" : "New Records", "");
    return TRUE;
}

bool CMrgLinkedGrid::OnExpanding(CTreeBox*, CTreeBoxNode* node, bool expand)
{
    if (!m_window.IsSyncing())
        m_window.OnGridExpanding(*this, node, expand);
    return true;
}

bool CMrgLinkedGrid::ScrollVertically(CTreeBox*, int pos, int, const CRect&, bool)
{
    m_window.OnPaneScrolled(*this, pos);
    return false;
}

bool CMrgLinkedGrid::DrawGridRow(CTreeBox* box, TreeBoxRowPaint& paint)
{
    const CDataNode* node = NodeOf(paint.node);
    if (!node) {
        // A blank row faces a node the other side lacks: no expander, no text.
        const bool selected = paint.node->m_selected != 0;
        paint.dc->FillSolidRect(
            &paint.rect,
            paint.colours[selected ? (paint.hasFocus ? TBC_SELECTION : TBC_SELECTION_NO_FOCUS)
                                   : TBC_BACKGROUND]);
        return true;
    }
    if (!node->HasFlag(DNF_MARK))
        return CTagGrid::DrawGridRow(box, paint);
    // A discarded node is struck out.
    CFont* shown = paint.dc->SelectObject(static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT)));
    LOGFONT font;
    if (!m_struckFont.GetLogFont(&font) && shown && shown->GetLogFont(&font)) {
        font.lfStrikeOut = font.lfStrikeOut ? 0 : 1;
        m_struckFont.CreateFontIndirect(&font);
    }
    paint.dc->SelectObject(&m_struckFont);
    const bool drawn = CTagGrid::DrawGridRow(box, paint);
    paint.dc->SelectObject(shown);
    return drawn;
}

bool CMrgLinkedGrid::OnButtonDown(CTreeBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                                  int& part)
{
    m_window.OnPaneButtonDown(flags);
    m_valueColumn = x + box->GetHorizontalPos() >= GetHeader().GetColumnRight(0);
    return CTagGrid::OnButtonDown(box, node, flags, x, y, part);
}

bool CMrgLinkedGrid::OnRightClick(CTreeBox*, CTreeBoxNode*, CWnd*, UINT, int, int, int)
{
    return true; // the grid's editing menus have no place here
}

bool CMrgLinkedGrid::OnKeyDown(CTreeBox* box, UINT virtKey, UINT repeatCount, UINT flags)
{
    switch (virtKey) {
    case VK_DELETE:
    case VK_INSERT:
    case VK_RETURN:
    case VK_F2:
        return false; // nothing is edited here
    default:
        return CTagGrid::OnKeyDown(box, virtKey, repeatCount, flags);
    }
}

void CMrgLinkedGrid::OnColumnClick(CColumnHeader*, int column)
{
    m_window.OnGridSortColumn(*this, column);
}
