// controls/tree_box_geometry.cpp: where the parts of a row lie: row geometry, text cells,
// invalidating parts of rows, part rectangles and hit testing.
#include "controls/tree_box.h"

#include "controls/column_header.h"
#include "controls/detail/tree_box_parts.h"
#include "platform/ui/drawing/client_dc.h"

#include <algorithm>
#include <optional>

CTreeBox::RowGeometry CTreeBox::GeometryOf(const CTreeBoxNode* node) const
{
    RowGeometry g;
    const int rowHeight = RowHeight();
    g.top = (GetItemRow(node) - TopIndex()) * rowHeight;
    g.middle = g.top + rowHeight / 2;
    g.bottom = g.top + rowHeight;
    if (m_mode == kListMode) {
        g.imageCentre = Metric(TBM_LEFT_MARGIN) + m_imageWidth / 2;
    } else {
        g.buttonCentre = node->m_level * Metric(TBM_LEVEL_INDENT) + Metric(TBM_LEFT_MARGIN);
        g.imageCentre = g.buttonCentre + Metric(TBM_LEVEL_INDENT);
    }
    g.textLeft = g.imageCentre + m_imageWidth / 2 + Metric(TBM_IMAGE_GAP);
    g.textTop = g.middle - Metric(TBM_HALF_TEXT);
    return g;
}

int CTreeBox::ColumnCount() const
{
    return m_header ? m_header->GetColumnCount() : 0;
}

int CTreeBox::ColumnRight(int column) const
{
    return m_header ? m_header->GetColumnRight(column) : 0;
}

int CTreeBox::ColumnLimit() const
{
    return ColumnCount() > 0 ? ColumnRight(0) : 0;
}

int CTreeBox::TextWidth(CTreeBoxNode* node, CDC* dc)
{
    std::optional<CClientDC> own;
    if (!dc) {
        own.emplace(this);
        own->SelectObject(m_font);
        dc = &*own;
    }
    const bool cells = ColumnCount() > 0;
    const int column = cells ? 0 : -1;
    CSize size(-1, -1);
    const std::string text =
        m_ownerText && m_owner
            ? m_owner->GetItemText(this, node, node->m_data, column, true, dc, &size)
            : std::string(tree_box_detail::TabField(node->m_text.str(), column));
    int width = size.cx >= 0 ? int(size.cx) : int(dc->GetTextExtent(text).cx);
    if (cells)
        width = std::min(width + 1, ColumnRight(0) - GeometryOf(node).textLeft);
    return std::max(width, 0);
}

CRect CTreeBox::SelectionRect(CTreeBoxNode* node, CDC* dc)
{
    const RowGeometry g = GeometryOf(node);
    if (m_fullRow)
        return {m_hPos, g.top, m_hPos + ClientSize().cx, g.bottom};
    const int left =
        (node->m_image ? g.imageCentre - m_imageWidth / 2 : g.textLeft - Metric(TBM_TEXT_INSET)) -
        1;
    int right = g.textLeft + TextWidth(node, dc) + Metric(TBM_TEXT_INSET) + 1;
    if (const int limit = ColumnLimit())
        right = std::min(right, limit - 1);
    return {left, g.top, right, g.bottom};
}

CRect CTreeBox::ButtonArea(const RowGeometry& g) const
{
    if (m_mode == kListMode)
        return {Metric(TBM_LEFT_MARGIN), g.top, Metric(TBM_LEFT_MARGIN) + m_imageWidth + 1,
                g.bottom};
    const int halfWidth = Metric(TBM_BUTTON_HALF_WIDTH);
    return {g.buttonCentre - halfWidth, g.top,
            std::max(g.imageCentre + m_imageWidth / 2 + 1, g.buttonCentre + halfWidth + 1),
            g.bottom};
}

void CTreeBox::InvalidateItem(CTreeBoxNode* node, int part)
{
    if (!node || !GetSafeHwnd() || RowHeight() <= 0 || !IsNodeVisible(node))
        return;
    const RowGeometry g = GeometryOf(node);
    const CSize client = ClientSize();
    const bool reachesBelow =
        part == kButtonAndBelow || part == kButtonAreaAndBelow || part == kRowAndBelow;
    if (g.top >= client.cy || (g.bottom <= 0 && !reachesBelow))
        return;
    const auto invalidate = [this](CRect r, int dx) {
        r.OffsetRect(dx, 0);
        InvalidateRect(&r);
    };
    const int ox = -m_hPos;
    const CRect row(0, g.top, client.cx, g.bottom);
    const CRect below(0, g.bottom, client.cx, client.cy);
    const int bw = Metric(TBM_BUTTON_HALF_WIDTH), bh = Metric(TBM_BUTTON_HALF_HEIGHT);
    const CRect square(g.buttonCentre - bw, g.middle - bh, g.buttonCentre + bw + 1,
                       g.middle + bh + 1);
    const CRect buttonArea = ButtonArea(g);
    const bool tree = m_mode != kListMode;
    switch (part) {
    case kButtonAndBelow:
    case kButton:
        invalidate(tree ? square : buttonArea, ox);
        if (part == kButtonAndBelow)
            invalidate(below, 0);
        break;
    case kButtonAreaAndBelow:
    case kButtonArea:
        invalidate(buttonArea, ox);
        if (part == kButtonAreaAndBelow)
            invalidate(below, 0);
        break;
    case kRowAndBelow:
        invalidate(CRect(0, g.top, client.cx, client.cy), 0);
        break;
    case kRow:
        invalidate(row, 0);
        break;
    default: {
        CRect cell;
        if (m_mode == kGridMode && m_owner && m_owner->GetPartRect(this, node, cell, kTextCell))
            invalidate(cell, ox);
        else if (m_mode == kGridMode)
            invalidate(row, 0);
        else
            invalidate(m_fullRow ? row : SelectionRect(node, nullptr), m_fullRow ? 0 : ox);
        break;
    }
    }
}

void CTreeBox::InvalidateItemIfVisible(CTreeBoxNode* node)
{
    if (IsNodeVisible(node))
        InvalidateItem(node, kRow);
}

bool CTreeBox::GetItemRect(CTreeBoxNode* node, CRect& rect, int part, bool clientCoords)
{
    if (!node || !IsNodeVisible(node) || RowHeight() <= 0)
        return false;
    const RowGeometry g = GeometryOf(node);
    rect.top = g.top;
    rect.bottom = g.bottom;
    if (m_mode == kGridMode) {
        rect.left = 0;
        rect.right = ClientSize().cx;
        CRect cell;
        if (part == 1 || part == 3) {
            if (!m_owner || !m_owner->GetPartRect(this, node, cell, 6))
                return false;
            rect.left = cell.left;
            rect.right = cell.right;
        } else if (part == 4) {
            rect.right = ColumnRight(0);
        } else if (part == 5) {
            rect.left = ColumnRight(0);
        }
    } else {
        rect.left = g.textLeft;
        rect.right = g.textLeft + TextWidth(node, nullptr);
        if ((part == 0 || part == 2 || part == 3) && node->m_image)
            rect.left = g.imageCentre - m_imageWidth / 2;
        if (part == 2)
            rect.InflateRect(1, 0);
        if (part == 3) {
            if (!node->m_image)
                rect.left -= Metric(TBM_TEXT_INSET);
            rect.right += Metric(TBM_TEXT_INSET);
            if (const int limit = ColumnLimit())
                rect.right = std::min<LONG>(rect.right, limit - 1);
        }
    }
    if (clientCoords)
        rect.OffsetRect(-m_hPos, 0);
    return true;
}

CTreeBoxNode* CTreeBox::HitTest(int x, int y, bool addScroll, int& part)
{
    part = TBP_NONE;
    if (RowHeight() <= 0 || y < 0)
        return nullptr;
    if (addScroll)
        x += m_hPos;
    CTreeBoxNode* node = FindItemById(y / RowHeight() + TopIndex());
    if (!node)
        return nullptr;
    const RowGeometry g = GeometryOf(node);
    const int halfWidth = Metric(TBM_BUTTON_HALF_WIDTH);
    if (m_mode == kTreeMode) {
        if (x < g.buttonCentre - halfWidth)
            return node;
        if (node->m_state != CTreeBoxNode::kLeaf && x <= g.buttonCentre + halfWidth) {
            part = TBP_BUTTON;
            return node;
        }
    } else if (m_mode == kGridMode) {
        const CRect button = ButtonArea(g);
        if (x > ColumnRight(0))
            part = node->m_level == 0 ? TBP_ROW : TBP_CELL;
        else
            part = x >= button.left && x < button.right ? TBP_BUTTON : TBP_ROW;
        return node;
    } else if (x < Metric(TBM_LEFT_MARGIN)) {
        return node;
    }
    const int imageLeft = g.imageCentre - m_imageWidth / 2;
    if (m_imageWidth > 0 && x >= imageLeft && x < imageLeft + m_imageWidth) {
        part = TBP_IMAGE;
        return node;
    }
    if (m_imageWidth > 0 && x >= imageLeft + m_imageWidth && x < g.textLeft) {
        part = TBP_GAP;
        return node;
    }
    if (x >= g.textLeft && x <= g.textLeft + TextWidth(node, nullptr))
        part = TBP_TEXT;
    return node;
}
