// controls/tree_grid.cpp: the tree grid: making its windows, laying them out, scrolling the
// header with the box, and moving the box's columns while a divider is dragged.
#include "controls/tree_grid.h"

#include "controls/detail/column_drag.h"
#include "controls/grid_find_bar.h"

namespace {

constexpr int kButtonSize = 16;
/// The header-row buttons' bitmaps: strips of four 9 x 11 frames.
constexpr UINT kFirstButtonBitmap = 234, kSecondButtonBitmap = 233;
constexpr int kButtonFrameWidth = 9, kButtonFrameHeight = 11, kButtonFrames = 4;
/// The strip at the header's right end that its scrolling leaves to be repainted.
constexpr int kHeaderEndStrip = 10;

} // namespace

CTreeGrid::CTreeGrid() = default;

CTreeGrid::~CTreeGrid()
{
    if (m_body.GetSafeHwnd())
        m_body.DestroyWindow();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CTreeGrid::CreateGrid(DWORD withButtons, DWORD bodyExStyle, DWORD style, DWORD boxFlags,
                           const RECT& rect, CWnd* parent, UINT id, int imageWidth, int imageHeight,
                           UINT findBarTemplate)
{
    if (!parent || GetSafeHwnd())
        return FALSE;
    const DWORD gridStyle = style & ~(WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN);
    if (!CreateEx(0, nullptr, "TreeGrid", gridStyle, rect, parent, (style & WS_CHILD) ? id : 0))
        return FALSE;
    const auto fail = [this] {
        DestroyWindow();
        return FALSE;
    };
    if (findBarTemplate) {
        m_findBar = new CGridFindBar(*this);
        if (!m_findBar->Create(findBarTemplate)) {
            if (!m_findBar->GetSafeHwnd())
                delete m_findBar; // a bar whose window exists goes with the grid's
            m_findBar = nullptr;
            return fail();
        }
        CRect bar;
        m_findBar->GetClientRect(&bar);
        m_findBarHeight = bar.Height();
    }
    CRect client;
    GetClientRect(&client);
    if (!m_body.CreateEx(bodyExStyle, nullptr, "GridWnd", WS_CHILD | WS_VISIBLE,
                         CRect(0, m_findBarHeight, client.right, client.bottom), this, 0))
        return fail();
    if (withButtons & 1) {
        const CRect place(0, m_findBarHeight, kButtonSize, m_findBarHeight + kButtonSize);
        const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        if (!m_buttons[0].CreateButton(buttonStyle, place, &m_body, kFirstButtonId, this,
                                       kButtonFrameWidth, kButtonFrameHeight, kFirstButtonBitmap,
                                       kButtonFrames, 0, 0) ||
            !m_buttons[1].CreateButton(buttonStyle, place, &m_body, kSecondButtonId, this,
                                       kButtonFrameWidth, kButtonFrameHeight, kSecondButtonBitmap,
                                       kButtonFrames, 0, 0))
            return fail();
    }
    const DWORD boxStyle =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (style & (WS_VSCROLL | WS_HSCROLL));
    if (!m_header.Create(WS_CHILD | WS_VISIBLE, CRect(), &m_body, kHeaderId, nullptr, false,
                         this) ||
        !m_box.Create(boxFlags, boxStyle, CRect(), &m_body, kBoxId, this, imageWidth, imageHeight,
                      &m_header))
        return fail();
    m_header.SetDividerCursor(LoadCursorResource(kDividerCursorId), false);
    Layout(client.Width(), client.Height());
    return TRUE;
}

bool CTreeGrid::SetColumns(const char* titles, int mode, int count, const int* edges)
{
    const std::vector<CColumnInfo> columns = ColumnsFromTitles(titles, mode, count, edges);
    if (!m_header.AddColumns(&columns, mode))
        return false;
    m_box.SetLayoutFrozen(false);
    m_box.RecalcLayout();
    return true;
}

void CTreeGrid::Layout(int width, int height)
{
    if (m_findBar && m_findBar->GetSafeHwnd() && width >= 1) {
        CRect bar;
        m_findBar->GetWindowRect(&bar);
        ScreenToClient(&bar);
        m_findBar->MoveWindow(bar.left, bar.top, width - bar.left, bar.Height());
    }
    if (!m_body.GetSafeHwnd())
        return;
    m_body.MoveWindow(0, m_findBarHeight, width, height - m_findBarHeight);
    CRect body;
    m_body.GetClientRect(&body);
    const int headerHeight = m_header.GetHeight();
    const bool buttons = m_buttons[0].GetSafeHwnd() != nullptr;
    if (buttons) {
        m_buttons[0].MoveWindow(body.right - 2 * kButtonSize, 0, kButtonSize, headerHeight);
        m_buttons[1].MoveWindow(body.right - kButtonSize, 0, kButtonSize, headerHeight);
    }
    if (m_header.GetSafeHwnd())
        m_header.MoveWindow(0, 0, body.Width() - (buttons ? 2 * kButtonSize : 0), headerHeight);
    if (m_box.GetSafeHwnd() && headerHeight < body.Height())
        m_box.MoveWindow(0, headerHeight, body.Width(), body.Height() - headerHeight);
}

void CTreeGrid::FindBarGone(CGridFindBar* bar)
{
    if (m_findBar == bar)
        m_findBar = nullptr;
}

void CTreeGrid::OnSize(UINT /*type*/, int cx, int cy)
{
    Layout(cx, cy);
}

void CTreeGrid::OnSetFocus(CWnd* /*oldWnd*/)
{
    m_box.SetFocus();
}

void CTreeGrid::OnEnable(BOOL enable)
{
    m_header.EnableWindow(enable);
    m_box.EnableWindow(enable);
}

BOOL CTreeGrid::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

bool CTreeGrid::OnKeyDown(CTreeBox* /*box*/, UINT virtKey, UINT /*repeatCount*/, UINT /*flags*/)
{
    if (virtKey != VK_F3 || !m_findBar)
        return true;
    m_findBar->FindNext(0);
    return false;
}

int CTreeGrid::ScrollHorizontally(CTreeBox* box, int pos, int delta, const CRect& /*client*/,
                                  bool ended)
{
    if (ended)
        return 1;
    m_header.SetScrollPosition(pos);
    CRect header;
    m_header.GetClientRect(&header);
    const CRect moved(0, 0, header.right - kHeaderEndStrip, header.bottom);
    m_header.ScrollWindow(delta, 0, &moved, &moved);
    const CRect end(header.right - kHeaderEndStrip, 0, header.right, header.bottom);
    m_header.InvalidateRect(&end);
    box->ScrollWindow(delta, 0);
    m_header.UpdateWindow();
    return 1;
}

void CTreeGrid::OnColumnResize(CColumnHeader* header, std::vector<CColumnInfo>& columns, int column,
                               int x, int scroll, int repaintStrip, int state)
{
    if (state == 0) {
        m_box.SetLayoutFrozen(true);
        m_box.HideFocusMark();
        if (m_box.GetCount()) {
            m_draggedColumn = column;
            column_drag::RepaintFromEdge(m_box, header->GetColumnRight(column) - scroll);
            m_box.UpdateWindow();
        }
        return;
    }
    CRect client;
    GetClientRect(&client);
    const int edge = column_drag::MoveEdge(*header, m_box, columns, column, x, scroll, repaintStrip,
                                           client.Width());
    if (state != 2)
        return;
    m_box.SetLayoutFrozen(false);
    m_box.RecalcLayout();
    m_draggedColumn = -1;
    column_drag::RepaintFromEdge(m_box, edge);
    m_box.ShowFocusMark();
}
