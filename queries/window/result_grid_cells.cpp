// queries/window/result_grid_cells.cpp: the result grid's cell area: painting only the cells inside
// the clip box, the mouse (with drag selection) and the keys.
#include "queries/window/result_grid.h"

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

/// Inverts every pixel of area, as a pattern invert with a white brush does: what lies there
/// (the cells' background and their separators) shows in its opposite colour.
void InvertArea(CDC& dc, const CRect& area)
{
    if (area.IsRectEmpty())
        return;
    CDC white;
    CBitmap bitmap;
    if (!white.CreateCompatibleDC(&dc) ||
        !bitmap.CreateCompatibleBitmap(&dc, area.Width(), area.Height()))
        return;
    CBitmap* old = white.SelectObject(&bitmap);
    white.FillSolidRect(0, 0, area.Width(), area.Height(), RGB(255, 255, 255));
    dc.BitBlt(area.left, area.top, area.Width(), area.Height(), &white, 0, 0, SRCINVERT);
    white.SelectObject(old);
}

} // namespace

void CResultGridCells::OnPaint()
{
    CPaintDC dc(this);
    CRect clip;
    dc.GetClipBox(&clip);
    DrawCells(dc, clip);
}

BOOL CResultGridCells::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CResultGridCells::OnDestroy()
{
    if (m_grid.m_activeCells == this)
        m_grid.m_activeCells = nullptr;
    CWnd::OnDestroy();
}

void CResultGridCells::DrawCells(CDC& dc, const CRect& clip)
{
    CResultGrid& g = m_grid;
    CRect client;
    GetClientRect(&client);
    const int rowHeight = g.m_rowHeight;
    const int rows = std::max(0, g.GetRowCount() - g.m_firstRow);
    const int coveredRight =
        g.GetColumnCount() ? std::min(int(client.right), g.ColumnLeft(g.GetColumnCount())) : 0;
    const int coveredBottom =
        g.GetColumnCount() ? std::min(int(client.bottom), rows * rowHeight) : 0;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    dc.FillSolidRect(coveredRight, 0, client.right - coveredRight, client.bottom, face);
    dc.FillSolidRect(0, coveredBottom, coveredRight, client.bottom - coveredBottom, face);
    if (coveredRight <= 0 || coveredBottom <= 0)
        return;
    dc.FillSolidRect(0, 0, coveredRight, coveredBottom, GetSysColor(COLOR_WINDOW));

    // Separators under every row and right of every column.
    for (int y = rowHeight - 1; y < coveredBottom; y += rowHeight)
        dc.FillSolidRect(0, y, coveredRight, 1, face);
    for (int c = g.m_firstColumn; c < g.GetColumnCount(); ++c) {
        const int x = g.ColumnLeft(c + 1) - 1;
        if (x >= client.right)
            break;
        dc.FillSolidRect(x, 0, 1, coveredBottom, face);
    }
    // The selection, enlarged over its separators, inverted; in the active cell window its
    // anchor cell is refilled inside, so that it shows as the current cell.
    const bool active = g.m_activeCells == this;
    const GridSelection& selection = g.m_selection;
    if (!g.m_highlightSuppressed && !selection.IsEmpty()) {
        CRect area = g.CellsRect(selection.top, selection.left, selection.bottom, selection.right);
        area.InflateRect(1, 1);
        area.IntersectRect(CRect(area), client);
        InvertArea(dc, area);
        if (active && selection.Contains(g.m_anchorRow, g.m_anchorColumn)) {
            CRect anchor =
                g.CellsRect(g.m_anchorRow, g.m_anchorColumn, g.m_anchorRow, g.m_anchorColumn);
            anchor.DeflateRect(2, 2);
            dc.FillSolidRect(&anchor, GetSysColor(COLOR_WINDOW));
        }
    }

    if (!g.m_owner)
        return;
    if (g.m_font)
        dc.SelectObject(g.m_font);
    dc.SetBkMode(TRANSPARENT);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    const int firstRow = g.m_firstRow + std::max(0, int(clip.top)) / rowHeight;
    const int lastRow =
        std::min(g.GetRowCount() - 1, g.m_firstRow + std::max(0, int(clip.bottom) - 1) / rowHeight);
    std::string text;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int top = (row - g.m_firstRow) * rowHeight;
        int left = 0;
        for (int c = g.m_firstColumn; c < g.GetColumnCount() && left < clip.right; ++c) {
            const ResultGridColumn& column = *g.m_columns[std::size_t(c)];
            const int right = left + column.m_width;
            if (right < clip.left) {
                left = right + 1;
                continue;
            }
            text.clear();
            CBitmap* picture = nullptr;
            const bool any = g.m_owner->GetCellText(&g, text, &picture, row, c, g.GetRowValue(row),
                                                    column.m_data);
            const bool isAnchor = active && row == g.m_anchorRow && c == g.m_anchorColumn;
            const bool highlighted =
                !g.m_highlightSuppressed && selection.Contains(row, c) && !isAnchor;
            dc.SetTextColor(GetSysColor(highlighted ? COLOR_WINDOW : COLOR_WINDOWTEXT));
            CRect cell(left, top, right, top + rowHeight - 1);
            int textLeft = left + 2;
            if (picture && g.m_pictureWidth > 0) {
                dc.SaveDC();
                dc.IntersectClipRect(cell.left, cell.top, cell.right, cell.bottom);
                CBitmap* old = memory.SelectObject(picture);
                const int x = left + 2, y = top + (rowHeight - 1 - g.m_pictureHeight) / 2;
                dc.BitBlt(x, y, g.m_pictureWidth, g.m_pictureHeight, &memory, g.m_pictureWidth, 0,
                          SRCPAINT);
                dc.BitBlt(x, y, g.m_pictureWidth, g.m_pictureHeight, &memory, 0, 0, SRCAND);
                memory.SelectObject(old);
                dc.RestoreDC(-1);
                textLeft = x + g.m_pictureWidth + 6;
            }
            if (any && !text.empty()) {
                CRect textRect(textLeft, cell.top, cell.right, cell.bottom);
                if (textRect.right > textRect.left)
                    dc.DrawText(text, &textRect,
                                DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
            }
            left = right + 1;
        }
    }
}

void CResultGridCells::OnLButtonDown(UINT flags, CPoint point)
{
    CResultGrid& g = m_grid;
    CResultGridCells* previous = g.m_activeCells;
    g.m_activeCells = this;
    if (previous != this)
        Invalidate();
    SetFocus();
    int row = 0, column = 0;
    if (g.HitTest(point, row, column))
        g.SetGridSelection(row, column, (flags & MK_SHIFT) != 0, true);
    SetCapture();
    m_dragging = true;
}

void CResultGridCells::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_dragging || !(flags & MK_LBUTTON)) {
        CWnd::OnMouseMove(flags, point);
        return;
    }
    int row = 0, column = 0;
    if (!m_grid.HitTest(point, row, column))
        return;
    const GridSelection& s = m_grid.m_selection;
    const int cornerRow = s.top == m_grid.m_anchorRow ? s.bottom : s.top;
    const int cornerColumn = s.left == m_grid.m_anchorColumn ? s.right : s.left;
    if (row != cornerRow || column != cornerColumn)
        m_grid.SetGridSelection(row, column, true, true);
}

void CResultGridCells::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_dragging) {
        m_dragging = false;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    CWnd::OnLButtonUp(flags, point);
}

void CResultGridCells::OnLButtonDblClk(UINT, CPoint)
{
    if (m_grid.m_owner)
        m_grid.m_owner->OnGridDoubleClick(&m_grid);
}

void CResultGridCells::OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags)
{
    if (!m_grid.HandleKey(virtKey))
        CWnd::OnKeyDown(virtKey, repeatCount, flags);
}

BOOL CResultGridCells::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    return m_grid.OnMouseWheel(flags, delta, point);
}
