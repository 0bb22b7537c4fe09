// diagrams/window/title_block.cpp: drawing, selecting and resizing title blocks.
#include "diagrams/window/title_block.h"

#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

namespace {

/// A handle reaches from this many pixels before its point to kHandleAfter after it.
constexpr int kHandleBefore = 2, kHandleAfter = 4;
/// The pixels a selected block's repaint reaches beyond it, for its handles.
constexpr int kHandleMargin = 3;

/// The block's corners in pixels, in order.
CRect DeviceRect(const CDC& dc, const RECT& rect)
{
    CRect box(rect);
    dc.LPtoDP(&box);
    box.NormalizeRect();
    return box;
}

/// The handles' points, by handle code.
std::array<POINT, 8> HandlePoints(const CRect& box)
{
    const int midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
    return {{{midX, box.top},
             {box.right, box.top},
             {box.right, midY},
             {box.right, box.bottom},
             {midX, box.bottom},
             {box.left, box.bottom},
             {box.left, midY},
             {box.left, box.top}}};
}

/// Which of three positions (0, 1, 2) the value is at, within a handle's reach; -1 for none.
int Band(int value, int first, int middle, int last)
{
    for (const auto& [at, band] : {std::pair{first, 0}, std::pair{middle, 1}, std::pair{last, 2}})
        if (value - at >= -kHandleBefore && value - at <= kHandleAfter)
            return band;
    return -1;
}

} // namespace

CRect TitleTextRect(const TitleBlockLook& look)
{
    CRect text(look.rect.left + look.xMargin, look.rect.top - look.yMargin,
               look.rect.right - look.xMargin, look.rect.bottom + look.yMargin);
    if (text.left > text.right)
        text.left = text.right;
    if (text.bottom > text.top)
        text.bottom = text.top;
    return text;
}

void CTitleView::Draw(CDC& dc) const
{
    LOGFONT logFont = m_look.font;
    logFont.lfHeight = -std::abs(logFont.lfHeight);
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* oldFont = dc.SelectObject(&font);
    if (m_look.frame) {
        CBrush background(m_look.backColour);
        CBrush* oldBrush = m_look.transparent
                               ? static_cast<CBrush*>(dc.SelectStockObject(HOLLOW_BRUSH))
                               : dc.SelectObject(&background);
        dc.Rectangle(&m_look.rect);
        dc.SelectObject(oldBrush);
    }
    CRect text = TitleTextRect(m_look);
    const COLORREF oldColour = dc.SetTextColor(m_look.textColour);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(m_look.text, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColour);
    if (oldFont)
        dc.SelectObject(oldFont);
    if (m_selected)
        DrawHandles(&dc);
}

void CTitleView::DrawHandles(CDC* dc) const
{
    std::unique_ptr<CClientDC> own;
    if (!dc) {
        if (!m_wnd)
            return;
        own = std::make_unique<CClientDC>(m_wnd);
        dc = own.get();
    }
    const CRect box = DeviceRect(*dc, m_look.rect);
    const bool printing = dc->IsPrinting();
    if (printing && !m_handleBrush)
        return;
    if (dc->SaveDC() <= 0)
        return;
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);
    for (const POINT& p : HandlePoints(box)) {
        const CRect square(p.x - kHandleBefore, p.y - kHandleBefore, p.x + kHandleAfter,
                           p.y + kHandleAfter);
        if (printing)
            dc->FillRect(&square, m_handleBrush);
        else
            dc->InvertRect(&square);
    }
    dc->RestoreDC(-1);
}

bool CTitleView::HandleAt(const CDC& dc, POINT device, int* handle) const
{
    if (!m_selected)
        return false;
    const CRect box = DeviceRect(dc, m_look.rect);
    const int column = Band(device.x, box.left, (box.left + box.right) / 2, box.right);
    const int row = Band(device.y, box.top, (box.top + box.bottom) / 2, box.bottom);
    // By row, then column; the middle of the block is no handle.
    constexpr int kCodes[3][3] = {{kHandleTopLeft, kHandleTop, kHandleTopRight},
                                  {kHandleLeft, -1, kHandleRight},
                                  {kHandleBottomLeft, kHandleBottom, kHandleBottomRight}};
    if (column < 0 || row < 0 || kCodes[row][column] < 0)
        return false;
    if (handle)
        *handle = kCodes[row][column];
    return true;
}

void CTitleView::Resize(int x, int y, int handle)
{
    CRect& r = m_look.rect;
    const bool top = handle == kHandleTop || handle == kHandleTopRight || handle == kHandleTopLeft;
    const bool bottom =
        handle == kHandleBottom || handle == kHandleBottomRight || handle == kHandleBottomLeft;
    const bool right =
        handle == kHandleRight || handle == kHandleTopRight || handle == kHandleBottomRight;
    const bool left =
        handle == kHandleLeft || handle == kHandleBottomLeft || handle == kHandleTopLeft;
    if (top)
        r.top = std::max(y, int(r.bottom) + kMinTitleSide);
    if (bottom)
        r.bottom = std::min(y, int(r.top) - kMinTitleSide);
    if (right)
        r.right = std::max(x, int(r.left) + kMinTitleSide);
    if (left)
        r.left = std::min(x, int(r.right) - kMinTitleSide);
}

void CTitleView::Invalidate(const CDC* dc) const
{
    if (m_wnd)
        InvalidateBlockArea(*m_wnd, dc, m_look.rect, m_selected);
}

void InvalidateBlockArea(CWnd& wnd, const CDC* dc, const RECT& rect, bool grown)
{
    if (!dc) {
        wnd.Invalidate(TRUE);
        return;
    }
    CRect box = DeviceRect(*dc, rect);
    ++box.right;
    ++box.bottom;
    if (grown)
        box.InflateRect(kHandleMargin, kHandleMargin);
    wnd.InvalidateRect(&box, TRUE);
}
