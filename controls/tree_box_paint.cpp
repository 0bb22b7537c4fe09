// controls/tree_box_paint.cpp: painting the rows in view: lines, buttons, selection, images,
// texts and cells, the focus mark, the rubber band and the empty text.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

/// A dotted horizontal or vertical line from (x0, y0) up to (x1, y1), excluded, with the
/// selected dotted pen: its dots fall where x + y is even, so lines drawn in pieces meet as one
/// checkerboard.
void DrawDots(CDC& dc, int x0, int y0, int x1, int y1)
{
    if ((x0 + y0) & 1) {
        if (y0 == y1)
            ++x0;
        else
            ++y0;
    }
    if (x0 >= x1 && y0 >= y1)
        return;
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

/// A dotted frame just inside rect.
void DrawDottedFrame(CDC& dc, const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    DrawDots(dc, rect.left, rect.top, rect.right, rect.top);
    DrawDots(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1);
    DrawDots(dc, rect.left, rect.top, rect.left, rect.bottom);
    DrawDots(dc, rect.right - 1, rect.top, rect.right - 1, rect.bottom);
}

constexpr UINT kCellFormat = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT;

} // namespace

BOOL CTreeBox::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, Colour(m_disabledLook ? TBC_DISABLED_BACKGROUND : TBC_BACKGROUND));
    return TRUE;
}

void CTreeBox::OnPaint()
{
    CPaintDC dc(this);
    const CRect update = dc.m_ps.rcPaint;
    if (update.IsRectEmpty() || !IsWindowEnabled())
        return;
    dc.SelectObject(m_font);
    dc.SetBkMode(TRANSPARENT);
    if (!m_first) {
        if (!m_disabledLook)
            DrawEmptyText(dc);
    } else if (RowHeight() > 0) {
        PaintRows(dc, update);
    }
    if (m_band.active)
        DrawBand(dc);
    if (m_layoutDirty && !m_frozen && !m_vTracking && !m_hTracking)
        RecalcLayout();
}

void CTreeBox::PaintRows(CDC& dc, const CRect& update)
{
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    const TreeBoxColours colours = GetColours();
    CPen dots(PS_DOT, 1, colours[TBC_LINES]), frame(PS_SOLID, 1, colours[TBC_LINES]),
        signs(PS_SOLID, 1, colours[TBC_SIGNS]);
    PaintContext pc{dc, memory, dots, frame, signs};
    pc.originX = -m_hPos;
    pc.colours = colours;
    pc.focus = m_hasFocus;
    pc.clientWidth = ClientSize().cx;
    const int rowHeight = RowHeight(), top = TopIndex();
    const int firstRow = top + std::max(0, int(update.top) / rowHeight);
    pc.lastRow = top + int(update.bottom) / rowHeight;
    CTreeBoxNode* node = m_top;
    while (node && GetItemRow(node) < firstRow)
        node = node->m_nextRow;
    CTreeBoxNode* previous = nullptr;
    for (; node && GetItemRow(node) <= pc.lastRow; previous = node, node = node->m_nextRow) {
        node->m_repaint = 0;
        if (m_mode != kGridMode) {
            DrawRow(pc, node);
            continue;
        }
        TreeBoxRowPaint row;
        row.dc = &dc;
        row.node = node;
        row.previous = previous;
        row.lastRow = pc.lastRow;
        row.colours = colours.data();
        row.rect = CRect(0, (GetItemRow(node) - top) * rowHeight, pc.clientWidth,
                         (GetItemRow(node) - top + 1) * rowHeight);
        row.originX = pc.originX;
        row.firstColumnRight = ColumnLimit();
        row.widest = m_widest;
        row.hasFocus = m_hasFocus;
        const bool goOn = m_owner && m_owner->DrawGridRow(this, row);
        if (row.widest != m_widest) {
            m_widest = row.widest;
            m_layoutDirty = true;
        }
        if (node == m_focus && m_hasFocus && m_hideCount == 0 && m_owner)
            m_owner->DrawGridFocus(this, &dc, node, node->m_selected != 0);
        if (!goOn)
            break;
    }
}

void CTreeBox::DrawRow(PaintContext& pc, CTreeBoxNode* node)
{
    const RowGeometry g = GeometryOf(node);
    if (m_mode == kTreeMode) {
        DrawTreeLines(pc, node, g);
        DrawButton(pc, node, g);
    }
    if (node->m_selected) {
        CRect selection = SelectionRect(node, &pc.dc);
        selection.OffsetRect(pc.originX, 0);
        pc.dc.FillSolidRect(&selection,
                            pc.colours[pc.focus ? TBC_SELECTION : TBC_SELECTION_NO_FOCUS]);
    }
    DrawImage(pc, node, g);
    DrawTexts(pc, node, g);
    if (node == m_focus && m_hasFocus && m_hideCount == 0)
        DrawFocusMark(pc, node);
}

void CTreeBox::DrawTreeLines(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g)
{
    // Each row draws the lines that cross it: its own, from its top (its middle for the first
    // row) down to its bottom when a sibling follows, else to its middle; and those of the
    // ancestors whose lines run on to a later sibling.
    CDC& dc = pc.dc;
    dc.SelectObject(&pc.dots);
    const int ox = pc.originX, indent = Metric(TBM_LEVEL_INDENT), margin = Metric(TBM_LEFT_MARGIN);
    const int x = g.buttonCentre + ox;
    DrawDots(dc, x, node == m_first ? g.middle : g.top, x,
             node->m_nextSibling ? g.bottom : g.middle);
    for (const CTreeBoxNode* a = node->m_parent; a; a = a->m_parent)
        if (a->m_nextSibling) {
            const int ax = a->m_level * indent + margin + ox;
            DrawDots(dc, ax, g.top, ax, g.bottom);
        }
    const int lineEnd = node->m_image ? g.imageCentre : g.imageCentre + m_imageWidth / 2;
    DrawDots(dc, x, g.middle, lineEnd + ox, g.middle);
    if (node->m_state == CTreeBoxNode::kExpanded && node->m_firstChild)
        DrawDots(dc, g.imageCentre + ox, g.middle, g.imageCentre + ox, g.bottom);
}

void CTreeBox::DrawButton(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g)
{
    if (node->m_state == CTreeBoxNode::kLeaf)
        return;
    CDC& dc = pc.dc;
    const int x = g.buttonCentre + pc.originX, y = g.middle;
    const int bw = Metric(TBM_BUTTON_HALF_WIDTH), bh = Metric(TBM_BUTTON_HALF_HEIGHT);
    const int sw = Metric(TBM_SIGN_HALF_WIDTH), sh = Metric(TBM_SIGN_HALF_HEIGHT);
    dc.SelectObject(&pc.frame);
    dc.SelectStockObject(WHITE_BRUSH);
    dc.Rectangle(x - bw, y - bh, x + bw + 1, y + bh + 1);
    dc.SelectObject(&pc.signs);
    dc.MoveTo(x - sw, y);
    dc.LineTo(x + sw + 1, y);
    if (node->m_state == CTreeBoxNode::kCollapsed) {
        dc.MoveTo(x, y - sh);
        dc.LineTo(x, y + sh + 1);
    }
}

void CTreeBox::DrawImage(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g)
{
    CBitmap* image = node->m_selected ? node->m_selectedImage : node->m_image;
    if (!image || m_imageWidth <= 0)
        return;
    // The strip holds the picture (white where clear) and then its mask (white where the
    // picture shows): OR the mask to clear its place, then AND the picture into it.
    CBitmap* old = pc.memory.SelectObject(image);
    const int height = Metric(TBM_IMAGE_HEIGHT);
    const int x = g.imageCentre - m_imageWidth / 2 + pc.originX, y = g.middle - height / 2;
    pc.dc.BitBlt(x, y, m_imageWidth, height, &pc.memory, m_imageWidth, 0, SRCPAINT);
    pc.dc.BitBlt(x, y, m_imageWidth, height, &pc.memory, 0, 0, SRCAND);
    pc.memory.SelectObject(old);
}

void CTreeBox::DrawTexts(PaintContext& pc, CTreeBoxNode* node, const RowGeometry& g)
{
    CDC& dc = pc.dc;
    const bool selected = node->m_selected != 0;
    const COLORREF plain = pc.colours[TBC_TEXT];
    const COLORREF own =
        !selected ? plain : pc.colours[pc.focus ? TBC_SELECTED_TEXT : TBC_SELECTED_TEXT_NO_FOCUS];
    const int columns = ColumnCount();
    if (columns == 0) {
        const std::string text = GetCellText(node, -1);
        if (m_ownerDrawsText)
            m_owner->DrawItemText(
                this, node, -1, selected, &dc,
                CRect(g.textLeft + pc.originX, g.textTop, pc.clientWidth, g.bottom), text);
        else {
            dc.SetTextColor(own);
            dc.TextOut(g.textLeft + pc.originX, g.textTop, text);
        }
        const int right = g.textLeft + TextWidth(node, &dc);
        if (right > m_widest) {
            m_widest = right;
            m_layoutDirty = true;
        }
        return;
    }
    int x = g.textLeft;
    for (int column = 0; column < columns && x + pc.originX < pc.clientWidth; ++column) {
        const int right = ColumnRight(column);
        CRect cell(x + pc.originX, g.textTop, right - 1 + pc.originX, g.bottom);
        const bool marked = selected && (column == 0 || m_fullRow);
        const std::string text = GetCellText(node, column);
        if (m_ownerDrawsText) {
            m_owner->DrawItemText(this, node, column, marked, &dc, cell, text);
        } else if (!cell.IsRectEmpty()) {
            dc.SetTextColor(marked ? own : plain);
            dc.DrawText(text, &cell, kCellFormat);
        }
        x = right + 1;
    }
}

void CTreeBox::DrawFocusMark(PaintContext& pc, CTreeBoxNode* node)
{
    // Dots in the inverse of what lies under them, as an exclusive-or mark would show.
    const COLORREF under = !node->m_selected
                               ? pc.colours[TBC_BACKGROUND]
                               : pc.colours[pc.focus ? TBC_SELECTION : TBC_SELECTION_NO_FOCUS];
    CPen pen(PS_DOT, 1, under ^ 0x00FFFFFF);
    pc.dc.SelectObject(&pen);
    CRect mark = SelectionRect(node, &pc.dc);
    mark.OffsetRect(pc.originX, 0);
    DrawDottedFrame(pc.dc, mark);
    pc.dc.SelectObject(&pc.dots);
}

void CTreeBox::DrawBand(CDC& dc)
{
    CRect band(m_band.start.x, m_band.start.y, m_band.current.x, m_band.current.y);
    band.NormalizeRect();
    CPen pen(PS_DOT, 1, Colour(TBC_BACKGROUND) ^ 0x00FFFFFF);
    dc.SelectObject(&pen);
    DrawDottedFrame(dc, band);
}

void CTreeBox::DrawEmptyText(CDC& dc)
{
    if (m_emptyText.empty())
        return;
    CRect band(0, RowHeight(), ClientSize().cx, 2 * RowHeight());
    dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    dc.DrawText(m_emptyText, &band, DT_CENTER | DT_NOPREFIX | DT_SINGLELINE);
}
