// merge/window/mrg_linked_grid.cpp: one side of a twin list, over the record list grid.
#include "merge/window/mrg_linked_grid.h"

#include "merge/window/mrg_twin_list_wnd.h"

#include "database/nodes/data_node.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/message.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

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
    CRect client;
    GetClientRect(&client);
    FitColumns(client.Width());
    return TRUE;
}

void CMrgLinkedGrid::OnSize(UINT type, int cx, int cy)
{
    CTagGrid::OnSize(type, cx, cy);
    if (cx != m_width)
        FitColumns(cx);
}

void CMrgLinkedGrid::FitColumns(int width)
{
    m_width = width;
    CColumnHeader& header = GetHeader();
    // The value column ends where the vertical scroll bar begins, shown or not: the widths
    // follow the grid alone, never a scroll bar that comes or goes, and a text cut at the end
    // shows its ellipsis.
    const int usable = width - GetSystemMetrics(SM_CXVSCROLL);
    if (usable <= 1 || header.GetColumnCount() < 2)
        return;
    const int label = std::clamp(usable * m_labelShare / 1000, 1, std::max(1, usable - 40));
    if (header.GetColumnWidth(0) == label && header.GetColumnRight(1) == usable)
        return;
    header.SetColumnPos(0, label);
    header.SetColumnPos(1, usable - label);
    GetBox().RecalcLayout();
    GetBox().Invalidate();
}

void CMrgLinkedGrid::OnColumnResize(CColumnHeader* header, std::vector<CColumnInfo>& columns,
                                    int column, int x, int scroll, int repaintStrip, int state)
{
    CTagGrid::OnColumnResize(header, columns, column, x, scroll, repaintStrip, state);
    if (state == 0)
        return;
    // The value column keeps its end where the label column's moved; its texts are cut anew
    // along the whole row, so the rows are drawn again whole.
    const int usable = m_width - GetSystemMetrics(SM_CXVSCROLL);
    const int label = GetHeader().GetColumnWidth(0);
    if (GetHeader().GetColumnCount() >= 2 && usable > label)
        GetHeader().SetColumnPos(1, usable - label);
    GetBox().Invalidate();
    GetBox().UpdateWindow();
    if (state == 2 && column == 0 && usable > 0)
        m_labelShare = std::clamp(label * 1000 / usable, 50, 950);
}

std::string CMrgLinkedGrid::CutTextAt(CPoint point)
{
    CTreeBox& box = GetBox();
    int part = 0;
    CTreeBoxNode* row = box.HitTest(point.x, point.y, true, part);
    const CColumnHeader& header = GetHeader();
    if (!row || !NodeOf(row) || header.GetColumnCount() < 2)
        return {};
    const int x = point.x + box.GetHorizontalPos();
    const bool value = x >= header.GetColumnRight(0);
    const std::string text = value ? GetValueText(row) : GetRelationLabel(row);
    if (text.empty())
        return {};
    // The cell as DrawGridRow lays it out, less the text's indent of 2.
    const int indent = box.GetMetrics()[TBM_LEVEL_INDENT];
    const int left = value ? header.GetColumnRight(0)
                           : std::max(row->m_level * indent + box.GetMetrics()[TBM_LEFT_MARGIN] + 8,
                                      (row->m_level + 1) * indent);
    const int right = value ? header.GetColumnRight(1) : header.GetColumnRight(0);
    CClientDC dc(&box);
    if (m_textFont)
        dc.SelectObject(m_textFont);
    return int(dc.GetTextExtent(text).cx) > right - left - 2 ? text : std::string();
}

BOOL CMrgLinkedGrid::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_MOUSEMOVE && msg->hwnd && msg->hwnd == GetBox().GetSafeHwnd()) {
        CPoint point(msg->pt);
        GetBox().ScreenToClient(&point);
        std::string tip = CutTextAt(point);
        if (tip != m_tip) {
            m_tip = std::move(tip);
            GetBox().SetToolTipText(m_tip);
        }
    }
    return CTagGrid::PreTranslateMessage(msg);
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
    // The rows are as wide as the columns are now (not the widest they ever were), so that a
    // grid made narrower shows no horizontal scroll bar.
    const CColumnHeader& header = GetHeader();
    const bool drawn = DrawRow(box, paint);
    paint.widest = header.GetColumnRight(header.GetColumnCount() - 1);
    return drawn;
}

bool CMrgLinkedGrid::DrawRow(CTreeBox* box, TreeBoxRowPaint& paint)
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
    // The font the box draws in, for measuring texts later.
    CFont* shown = paint.dc->SelectObject(static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT)));
    paint.dc->SelectObject(shown);
    m_textFont = shown;
    if (!node->HasFlag(DNF_MARK))
        return CTagGrid::DrawGridRow(box, paint);
    // A discarded node is struck out.
    paint.dc->SelectObject(static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT)));
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
