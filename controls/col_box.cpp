// controls/col_box.cpp: the column box: its header and list, the adapters that pass the list's
// calls on to the user, sorting on title clicks and resizing columns.
#include "controls/col_box.h"

#include "controls/detail/column_drag.h"
#include "controls/detail/tree_box_parts.h"

namespace {

constexpr UINT kHeaderId = 4013, kBoxId = 4012;

} // namespace

CColBox::CColBox() = default;

CColBox::~CColBox()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CColBox::Create(DWORD boxFlags, DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent,
                     UINT id, CColBoxOwner* owner, int imageWidth, int imageHeight)
{
    if (!parent || GetSafeHwnd())
        return FALSE;
    if (!CreateEx(exStyle, nullptr, "ColumnListBox", style & ~(WS_HSCROLL | WS_VSCROLL), rect,
                  parent, (style & WS_CHILD) ? id : 0))
        return FALSE;
    const DWORD listFlags = boxFlags & ~(TBF_TREE | TBF_GRID);
    if (!m_header.Create(WS_CHILD | WS_VISIBLE, CRect(), this, kHeaderId, nullptr, false,
                         &m_headerAdapter) ||
        !m_box.Create(listFlags, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, CRect(), this,
                      kBoxId, &m_boxAdapter, imageWidth, imageHeight, &m_header)) {
        DestroyWindow();
        return FALSE;
    }
    m_header.SetDividerCursor(LoadCursorResource(kDividerCursorId), true);
    TreeBoxMetrics settings;
    settings.fill(-1);
    settings[TBM_LEFT_MARGIN] = 2;
    m_box.SetMetrics(settings);
    m_owner = owner;
    CRect client;
    GetClientRect(&client);
    if (!client.IsRectEmpty())
        Layout(client.Width(), client.Height());
    return TRUE;
}

bool CColBox::SetColumns(const char* titles, int mode, int count, const int* edges)
{
    const std::vector<CColumnInfo> columns = ColumnsFromTitles(titles, mode, count, edges);
    if (!m_header.AddColumns(titles ? &columns : nullptr, mode))
        return false;
    m_box.SetLayoutFrozen(false);
    m_box.RecalcLayout();
    return true;
}

void CColBox::AddItem(int height)
{
    TreeBoxMetrics settings;
    settings.fill(-1);
    settings[TBM_ROW_HEIGHT] = height;
    settings[TBM_LEFT_MARGIN] = 0;
    settings[TBM_TEXT_INSET] = m_box.GetMetrics()[TBM_TEXT_INSET];
    m_box.SetMetrics(settings);
}

void CColBox::MoveItemDown(int i)
{
    if (i < 0 || i >= int(m_box.GetCount()) - 1)
        return;
    m_box.MoveItem(m_box.GetItemByIndex(i), nullptr, m_box.GetItemByIndex(i + 1), false, false);
}

void CColBox::MoveItemUp(int i)
{
    if (i <= 0 || i >= int(m_box.GetCount()))
        return;
    m_box.MoveItem(m_box.GetItemByIndex(i), nullptr, i == 1 ? nullptr : m_box.GetItemByIndex(i - 2),
                   false, false);
}

std::string CColBox::GetTabField(CTreeBoxNode* node, int column)
{
    return node ? m_box.GetCellText(node, column) : std::string();
}

CTreeBoxNode* CColBox::GetSelectedRow()
{
    if (!GetSafeHwnd())
        return nullptr;
    CTreeBoxNode* row = m_box.GetFocusItem();
    return row && row->m_selected ? row : m_box.GetNextSelected(nullptr);
}

void CColBox::Layout(int width, int height)
{
    const int headerHeight = m_header.GetHeight();
    if (m_header.GetSafeHwnd())
        m_header.MoveWindow(0, 0, width, headerHeight);
    if (m_box.GetSafeHwnd() && headerHeight < height)
        m_box.MoveWindow(0, headerHeight, width, height - headerHeight);
}

void CColBox::OnSize(UINT /*type*/, int cx, int cy)
{
    Layout(cx, cy);
}

void CColBox::OnSetFocus(CWnd* /*oldWnd*/)
{
    m_box.SetFocus();
}

void CColBox::OnEnable(BOOL enable)
{
    m_header.EnableWindow(enable);
    m_box.EnableWindow(enable);
}

bool CColBox::BoxAdapter::OnButtonDown(CTreeBox*, CTreeBoxNode* node, UINT flags, int x, int y,
                                       int& part)
{
    CColBoxOwner* user = m_colBox.m_owner;
    return !user || user->OnButtonDown(&m_colBox, node, flags, x, y, part);
}

bool CColBox::BoxAdapter::OnDoubleClick(CTreeBox*, CTreeBoxNode* node, int part)
{
    CColBoxOwner* user = m_colBox.m_owner;
    return !user || user->OnDoubleClick(&m_colBox, node, part);
}

void CColBox::BoxAdapter::OnTextClick(CTreeBox*, const CRect& textRect, CPoint point)
{
    CColBoxOwner* user = m_colBox.m_owner;
    if (!user)
        return;
    const int below = m_colBox.m_header.GetHeight();
    CRect moved = textRect;
    moved.OffsetRect(0, below);
    user->OnTextClick(&m_colBox, moved, CPoint(point.x, point.y + below));
}

bool CColBox::BoxAdapter::OnKeyDown(CTreeBox*, UINT virtKey, UINT repeatCount, UINT flags)
{
    CColBoxOwner* user = m_colBox.m_owner;
    return !user || user->OnKeyDown(&m_colBox, virtKey, repeatCount, flags);
}

void CColBox::BoxAdapter::OnSelChanging(CTreeBox*)
{
    if (CColBoxOwner* user = m_colBox.m_owner)
        user->OnSelChanging(&m_colBox);
}

void CColBox::BoxAdapter::OnSelChanged(CTreeBox*)
{
    if (CColBoxOwner* user = m_colBox.m_owner)
        user->OnSelChanged(&m_colBox);
}

std::string CColBox::BoxAdapter::GetItemText(CTreeBox*, CTreeBoxNode* node, std::uintptr_t data,
                                             int column, bool measure, CDC* dc, CSize* size)
{
    CColBoxOwner* user = m_colBox.m_owner;
    return user ? user->GetItemText(&m_colBox, node, data, column, measure, dc, size)
                : std::string();
}

bool CColBox::BoxAdapter::ScrollVertically(CTreeBox*, int pos, int delta, const CRect& client,
                                           bool ended)
{
    CColBoxOwner* user = m_colBox.m_owner;
    return user && user->ScrollVertically(&m_colBox, pos, delta, client, ended);
}

int CColBox::BoxAdapter::ScrollHorizontally(CTreeBox* box, int pos, int delta, const CRect&,
                                            bool ended)
{
    if (ended)
        return 1;
    CColumnHeader& header = m_colBox.m_header;
    header.SetScrollPosition(pos);
    header.ScrollWindow(delta, 0);
    box->ScrollWindow(delta, 0);
    header.UpdateWindow();
    return 1;
}

void CColBox::BoxAdapter::OnSetFocus(CTreeBox*)
{
    if (CColBoxOwner* user = m_colBox.m_owner)
        user->OnSetFocus(&m_colBox);
}

void CColBox::BoxAdapter::OnKillFocus(CTreeBox*)
{
    if (CColBoxOwner* user = m_colBox.m_owner)
        user->OnKillFocus(&m_colBox);
}

void CColBox::BoxAdapter::DrawItemText(CTreeBox*, CTreeBoxNode* node, int column, bool selected,
                                       CDC* dc, const CRect& rect, const std::string& text)
{
    if (CColBoxOwner* user = m_colBox.m_owner)
        user->DrawItemText(&m_colBox, node, column, selected, dc, rect, text);
}

int CColBox::BoxAdapter::Compare(CTreeBox*, std::uintptr_t first, std::uintptr_t second)
{
    CColBoxOwner* user = m_colBox.m_owner;
    return user ? user->Compare(&m_colBox, first, second) : 0;
}

void CColBox::HeaderAdapter::OnColumnResize(CColumnHeader* header,
                                            std::vector<CColumnInfo>& columns, int column, int x,
                                            int scroll, int repaintStrip, int state)
{
    CTreeBox& box = m_colBox.m_box;
    if (state == 0) {
        box.SetLayoutFrozen(true);
        box.HideFocusMark();
        return;
    }
    CRect client;
    m_colBox.GetClientRect(&client);
    const int edge = column_drag::MoveEdge(*header, box, columns, column, x, scroll, repaintStrip,
                                           client.Width());
    if (state != 2)
        return;
    box.UpdateTextWidth();
    box.SetLayoutFrozen(false);
    box.RecalcLayout();
    column_drag::RepaintFromEdge(box, edge);
    box.ShowFocusMark();
}

void CColBox::HeaderAdapter::OnColumnClick(CColumnHeader*, int column)
{
    CColBoxOwner* user = m_colBox.m_owner;
    if (!user || user->OnColumnClick(&m_colBox, column))
        m_colBox.m_box.SortList(column);
}
