// queries/window/result_grid.cpp: the result grid's rows, columns, selection, scrolling and layout.
#include "queries/window/result_grid.h"

#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/gdi_object.h"
#include "platform/ui/windows/clipboard.h"
#include "platform/ui/windows/cursor.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <new>

namespace {

constexpr UINT kHeaderId = 1, kCellsId = 2, kVerticalId = 3, kHorizontalId = 4;

GridSelection Normalised(int row1, int column1, int row2, int column2)
{
    return {std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
            std::max(column1, column2)};
}

/// The parts of a that lie outside b, as up to four blocks of cells.
std::vector<GridSelection> Outside(const GridSelection& a, const GridSelection& b)
{
    if (a.IsEmpty())
        return {};
    if (b.IsEmpty() || b.top > a.bottom || b.bottom < a.top || b.left > a.right || b.right < a.left)
        return {a};
    std::vector<GridSelection> parts;
    if (a.top < b.top)
        parts.push_back({a.top, a.left, b.top - 1, a.right});
    if (a.bottom > b.bottom)
        parts.push_back({b.bottom + 1, a.left, a.bottom, a.right});
    const int top = std::max(a.top, b.top), bottom = std::min(a.bottom, b.bottom);
    if (a.left < b.left)
        parts.push_back({top, a.left, bottom, b.left - 1});
    if (a.right > b.right)
        parts.push_back({top, b.right + 1, bottom, a.right});
    return parts;
}

} // namespace

/// Passes the header's divider drags and title clicks to the grid.
class CResultGrid::HeaderListener final : public CColumnHeaderOwner {
public:
    explicit HeaderListener(CResultGrid& grid) : m_grid(grid) {}

    void OnBeginResize(CColumnHeader*) override
    {
        m_grid.m_highlightSuppressed = true;
        m_grid.InvalidateSelection(m_grid.m_selection);
    }
    void OnEndResize(CColumnHeader*, int column) override
    {
        m_grid.m_highlightSuppressed = false;
        m_grid.InvalidateSelection(m_grid.m_selection);
        m_grid.UpdateScrollRanges();
        if (m_grid.m_owner && column >= 0 && column < m_grid.GetColumnCount())
            m_grid.m_owner->OnColumnWidthChanged(&m_grid, column);
    }
    void OnColumnResize(CColumnHeader* header, std::vector<CColumnInfo>& columns, int column, int x,
                        int scroll, int, int) override
    {
        if (column < 0 || column >= m_grid.GetColumnCount())
            return;
        const int left = column > 0 ? columns[std::size_t(column - 1)].m_right : 0;
        const int right =
            int(std::clamp<long long>((long long)(x) + scroll, left + 1,
                                      left + 1 + (long long)(m_grid.RoomForColumn(column))));
        const int change = right - columns[std::size_t(column)].m_right;
        if (change == 0)
            return;
        for (std::size_t i = std::size_t(column); i < columns.size(); ++i) {
            columns[i].m_right += change;
            columns[i].m_units = -1;
        }
        m_grid.m_columns[std::size_t(column)]->m_width = right - left - 1;
        header->Invalidate();
        CResultGridCells& cells = *m_grid.m_cells;
        if (column >= m_grid.m_firstColumn) {
            CRect client;
            cells.GetClientRect(&client);
            const int oldEdge = m_grid.ColumnLeft(column + 1) - change;
            const CRect moved(oldEdge, 0, client.right, client.bottom);
            cells.ScrollWindow(change, 0, &moved, &client);
            const int columnLeft = m_grid.ColumnLeft(column);
            const CRect strip(columnLeft, 0, columnLeft + std::max(0, right - left) + 1,
                              client.bottom);
            cells.InvalidateRect(&strip);
        }
        header->UpdateWindow();
        cells.UpdateWindow();
    }
    void OnColumnClick(CColumnHeader*, int column) override
    {
        if (m_grid.m_owner && column >= 0 && column < m_grid.GetColumnCount())
            m_grid.m_owner->OnSortColumn(&m_grid, m_grid.m_columns[std::size_t(column)]->m_data);
    }

private:
    CResultGrid& m_grid;
};

CResultGrid::CResultGrid() = default;

CResultGrid::~CResultGrid()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CResultGrid::CreateResultGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                                   IResultGridOwner* owner, int pictureWidth, int pictureHeight)
{
    m_owner = owner;
    m_pictureWidth = pictureWidth;
    m_pictureHeight = pictureHeight;
    if (!CreateEx(0, "GridBox", "GridBox", style | WS_CHILD | WS_CLIPCHILDREN, rect, parent, id))
        return false;
    m_ownFont = std::make_unique<CFont>();
    if (m_ownFont->CreatePointFont(100, "Arial")) {
        m_font = m_ownFont.get();
    } else {
        m_ownFont.reset();
        m_font = dynamic_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    }
    {
        CClientDC dc(this);
        if (m_font)
            dc.SelectObject(m_font);
        TEXTMETRIC metrics;
        dc.GetTextMetrics(&metrics);
        m_rowHeight = std::max(2, int(metrics.tmHeight + metrics.tmExternalLeading) + 1);
        if (m_font && metrics.tmAveCharWidth > 0)
            m_averageCharWidth = int(metrics.tmAveCharWidth);
        m_defaultWidth = 20 * m_averageCharWidth;
    }
    m_headerListener = std::make_unique<HeaderListener>(*this);
    m_header = std::make_unique<CColumnHeader>();
    m_vertical = std::make_unique<CGridScrollBar>();
    m_horizontal = std::make_unique<CGridScrollBar>();
    m_cells = std::make_unique<CResultGridCells>(*this);
    const CRect none(0, 0, 0, 0);
    const bool made =
        m_header->Create(WS_CHILD | WS_VISIBLE, none, this, kHeaderId, m_font, false,
                         m_headerListener.get()) &&
        m_vertical->Create(WS_CHILD | WS_VISIBLE | SBS_VERT, none, this, kVerticalId) &&
        m_horizontal->Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, none, this, kHorizontalId) &&
        m_cells->CreateEx(0, "GridPane", "GridPane", WS_CHILD | WS_VISIBLE, none, this, kCellsId);
    if (!made) {
        DestroyWindow();
        return false;
    }
    m_cells->SetWindowCursor(LoadCursorResource(kCellCursorId));
    m_activeCells = m_cells.get();
    Layout();
    return true;
}

void CResultGrid::OnDestroy()
{
    for (CWnd* child : std::initializer_list<CWnd*>{m_header.get(), m_cells.get(), m_vertical.get(),
                                                    m_horizontal.get()})
        if (child && child->GetSafeHwnd())
            child->DestroyWindow();
    m_rows.clear();
    while (!m_columns.empty())
        FreeColumn(m_columns.size() - 1);
    m_anchorRow = m_anchorColumn = -1;
    m_selection = {};
    CWnd::OnDestroy();
}

void CResultGrid::FreeColumn(std::size_t index)
{
    std::unique_ptr<ResultGridColumn> column = std::move(m_columns[index]);
    m_columns.erase(m_columns.begin() + std::ptrdiff_t(index));
    if (m_owner)
        m_owner->OnColumnFreed(column->m_data);
}

// Rows and columns.

int CResultGrid::AddGridRow(std::uintptr_t value, int where)
{
    int index = 0;
    try {
        if (where == 1 || m_rows.empty()) {
            m_rows.push_back(value);
            index = int(m_rows.size()) - 1;
        } else {
            m_rows.insert(m_rows.begin(), value);
            if (m_selection.HasRows()) {
                ++m_selection.top;
                ++m_selection.bottom;
                ++m_anchorRow;
            }
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (!m_selection.HasRows()) {
        m_anchorRow = 0;
        m_selection.top = m_selection.bottom = 0;
    }
    UpdateScrollRanges();
    if (m_cells && m_cells->GetSafeHwnd()) {
        const CRect rows = CellsRect(index, m_firstColumn, GetRowCount() - 1,
                                     std::max(GetColumnCount() - 1, m_firstColumn));
        m_cells->InvalidateRect(&rows);
    }
    return index;
}

void CResultGrid::AddGridRows(const std::vector<std::uintptr_t>& values)
{
    if (values.empty())
        return;
    m_rows.insert(m_rows.end(), values.begin(), values.end());
    if (!m_selection.HasRows()) {
        m_anchorRow = 0;
        m_selection.top = m_selection.bottom = 0;
    }
    RefreshCells(false);
}

bool CResultGrid::DeleteGridRow(int row, bool redraw)
{
    if (row < 0 || row >= GetRowCount())
        return false;
    m_rows.erase(m_rows.begin() + row);
    const int count = GetRowCount();
    if (row < m_firstRow)
        --m_firstRow;
    m_firstRow = std::clamp(m_firstRow, 0, std::max(0, count - GetVisibleRowCount()));
    if (m_selection.HasRows()) {
        if (m_selection.top > row) {
            --m_selection.top;
            --m_selection.bottom;
        } else if (m_selection.bottom >= row) {
            --m_selection.bottom;
            if (m_selection.bottom < m_selection.top)
                m_selection.top = m_selection.bottom = std::min(m_selection.top, count - 1);
        }
        if (m_anchorRow > row)
            --m_anchorRow;
        m_anchorRow = std::min(m_anchorRow, count - 1);
        if (count == 0)
            m_selection.top = m_selection.bottom = -1;
        else
            m_anchorRow = std::clamp(m_anchorRow, m_selection.top, m_selection.bottom);
    }
    RefreshCells(redraw);
    return true;
}

int CResultGrid::AddGridColumn(const std::string& title, int width, int alignment, void* data,
                               int position)
{
    auto column = std::make_unique<ResultGridColumn>();
    column->m_data = data;
    column->m_title = title;
    column->m_alignment = alignment >= 0 && alignment <= 2 ? alignment : 0;
    const int count = GetColumnCount();
    column->m_width = std::min(width < 1 ? m_defaultWidth : width, RoomForColumn(count));
    const int index = position < 0 || position > count ? count : position;
    m_columns.insert(m_columns.begin() + index, std::move(column));
    if (m_header && m_header->GetSafeHwnd())
        m_header->InsertColumn(index, title.c_str(), alignment == 1,
                               m_columns[std::size_t(index)]->m_width + 1);
    if (!m_selection.HasColumns()) {
        m_anchorColumn = 0;
        m_selection.left = m_selection.right = 0;
    } else if (index <= m_selection.right) {
        if (index <= m_selection.left)
            ++m_selection.left;
        ++m_selection.right;
        if (index <= m_anchorColumn)
            ++m_anchorColumn;
    }
    RefreshCells(false);
    return index;
}

bool CResultGrid::GetGridColumn(int index, void** data, std::string* title) const
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    if (data)
        *data = m_columns[std::size_t(index)]->m_data;
    if (title)
        *title = m_columns[std::size_t(index)]->m_title;
    return true;
}

bool CResultGrid::SetGridColumn(int index, const std::string& title, int alignment, void* data)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    ResultGridColumn& column = *m_columns[std::size_t(index)];
    column.m_title = title;
    column.m_alignment = alignment >= 0 && alignment <= 2 ? alignment : 0;
    column.m_data = data;
    if (m_header && m_header->GetSafeHwnd())
        m_header->SetColumn(index, title.c_str(), alignment == 1, true);
    return true;
}

int CResultGrid::GetGridColumnWidth(int index) const
{
    return index >= 0 && index < GetColumnCount() ? m_columns[std::size_t(index)]->m_width : -1;
}

bool CResultGrid::SetGridColumnWidth(int index, int width)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    width = std::clamp(width, 0, RoomForColumn(index));
    m_columns[std::size_t(index)]->m_width = width;
    if (m_header && m_header->GetSafeHwnd()) {
        m_header->SetColumnPos(index, width + 1);
        m_header->Invalidate();
    }
    RefreshCells(false);
    return true;
}

int CResultGrid::RoomForColumn(int index) const
{
    long long others = 0;
    for (int c = 0; c < GetColumnCount(); ++c)
        if (c != index)
            others += m_columns[std::size_t(c)]->m_width;
    return int(std::max(0LL, kMaxColumnsSpan - others));
}

bool CResultGrid::DeleteGridColumn(int index, bool redraw)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    const int width = m_columns[std::size_t(index)]->m_width + 1;
    FreeColumn(std::size_t(index));
    if (m_header && m_header->GetSafeHwnd()) {
        std::vector<CColumnInfo>& edges = m_header->GetColumns();
        for (std::size_t i = std::size_t(index) + 1; i < edges.size(); ++i)
            edges[i].m_right -= width;
        m_header->RemoveColumn(index);
    }
    const int last = GetColumnCount() - 1;
    if (m_selection.HasColumns()) {
        m_selection.left = std::min(m_selection.left, last);
        m_selection.right = std::min(m_selection.right, last);
        m_anchorColumn = std::min(m_anchorColumn, last);
    }
    m_firstColumn = std::clamp(m_firstColumn, 0, std::max(0, last));
    RefreshCells(redraw);
    return true;
}

void CResultGrid::RefreshCells(bool redraw)
{
    UpdateScrollRanges();
    if (m_cells && m_cells->GetSafeHwnd()) {
        m_cells->Invalidate();
        if (redraw)
            m_cells->UpdateWindow();
    }
}

void CResultGrid::ClearGrid(bool withColumns)
{
    m_rows.clear();
    m_rows.shrink_to_fit();
    if (withColumns) {
        while (!m_columns.empty())
            FreeColumn(m_columns.size() - 1);
        if (m_header && m_header->GetSafeHwnd())
            m_header->AddColumns(nullptr, 2);
        m_anchorColumn = -1;
        m_selection.left = m_selection.right = -1;
    }
    m_anchorRow = -1;
    m_selection.top = m_selection.bottom = -1;
    m_firstRow = 0;
    m_firstColumn = 0;
    if (m_header && m_header->GetSafeHwnd()) {
        m_header->ResetScrollPos();
        m_header->Invalidate();
    }
    RefreshCells(false);
}

// Geometry.

int CResultGrid::GetVisibleRowCount() const
{
    if (!m_cells || !m_cells->GetSafeHwnd())
        return 1;
    CRect client;
    m_cells->GetClientRect(&client);
    return std::max(1, client.Height() / m_rowHeight);
}

int CResultGrid::GetVisibleColumnCount() const
{
    if (!m_cells || !m_cells->GetSafeHwnd())
        return 1;
    CRect client;
    m_cells->GetClientRect(&client);
    int count = 0;
    int x = 0;
    for (int c = m_firstColumn; c < GetColumnCount(); ++c) {
        x += m_columns[std::size_t(c)]->m_width + 1;
        if (x > client.Width())
            break;
        ++count;
    }
    return std::max(1, count);
}

int CResultGrid::GetFirstVisibleRow() const
{
    return m_rows.empty() ? -1 : m_firstRow;
}

int CResultGrid::GetLastVisibleRow() const
{
    if (m_rows.empty())
        return -1;
    return std::min(m_firstRow + GetVisibleRowCount(), GetRowCount() - 1);
}

int CResultGrid::ColumnLeft(int column) const
{
    int x = 0;
    if (column >= m_firstColumn) {
        for (int c = m_firstColumn; c < column && c < GetColumnCount(); ++c)
            x += m_columns[std::size_t(c)]->m_width + 1;
    } else {
        for (int c = column; c < m_firstColumn; ++c)
            x -= m_columns[std::size_t(c)]->m_width + 1;
    }
    return x;
}

CRect CResultGrid::CellsRect(int top, int left, int bottom, int right) const
{
    const int x1 = ColumnLeft(left);
    const int x2 =
        ColumnLeft(right) +
        (right < GetColumnCount() ? m_columns[std::size_t(right)]->m_width + 1 : m_defaultWidth);
    return CRect(x1, (top - m_firstRow) * m_rowHeight, x2, (bottom + 1 - m_firstRow) * m_rowHeight);
}

bool CResultGrid::HitTest(CPoint point, int& row, int& column) const
{
    if (point.x < 0 || point.y < 0 || !m_cells)
        return false;
    CRect client;
    m_cells->GetClientRect(&client);
    if (point.x >= client.right || point.y >= client.bottom)
        return false;
    row = m_firstRow + point.y / m_rowHeight;
    if (row >= GetRowCount())
        return false;
    int x = 0;
    for (int c = m_firstColumn; c < GetColumnCount(); ++c) {
        x += m_columns[std::size_t(c)]->m_width + 1;
        if (point.x < x) {
            column = c;
            return true;
        }
    }
    return false;
}

void CResultGrid::Layout()
{
    if (!m_cells || !m_cells->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int headerHeight = m_header->GetHeight();
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    m_header->MoveWindow(0, 0, std::max(0, client.Width() - barWidth), headerHeight);
    m_vertical->MoveWindow(client.right - barWidth, headerHeight, barWidth,
                           std::max(0, client.Height() - headerHeight - barHeight));
    m_horizontal->MoveWindow(0, client.bottom - barHeight, std::max(0, client.Width() - barWidth),
                             barHeight);
    m_cells->MoveWindow(0, headerHeight, std::max(0, client.Width() - barWidth),
                        std::max(0, client.Height() - headerHeight - barHeight));
    UpdateScrollRanges();
}

void CResultGrid::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Layout();
}

void CResultGrid::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    dc.FillSolidRect(client.right - barWidth, client.bottom - barHeight, barWidth, barHeight,
                     GetSysColor(COLOR_BTNFACE));
}

BOOL CResultGrid::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CResultGrid::OnSetFocus(CWnd*)
{
    if (m_cells && m_cells->GetSafeHwnd())
        m_cells->SetFocus();
}

// Scrolling.

void CResultGrid::UpdateScrollRanges()
{
    if (!m_vertical || !m_vertical->GetSafeHwnd())
        return;
    const auto apply = [](CScrollBar& bar, int count, int page, int position) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = std::max(count - 1, position + page - 1);
        info.nPos = position;
        const bool fits = count <= page && position == 0;
        info.nPage = fits ? 0 : UINT(page);
        bar.SetScrollInfo(&info, TRUE);
        bar.EnableWindow(!fits);
    };
    apply(*m_vertical, GetRowCount(), GetVisibleRowCount(), m_firstRow);
    apply(*m_horizontal, GetColumnCount(), GetVisibleColumnCount(), m_firstColumn);
}

void CResultGrid::ScrollToRow(int row)
{
    const int target = std::clamp(row, 0, std::max(0, GetRowCount() - GetVisibleRowCount()));
    if (target == m_firstRow)
        return;
    const int dy = (m_firstRow - target) * m_rowHeight;
    m_firstRow = target;
    m_cells->ScrollWindow(0, dy);
    UpdateScrollRanges();
    m_cells->UpdateWindow();
}

void CResultGrid::ScrollToColumn(int column)
{
    const int last = std::max(0, GetColumnCount() - 1);
    int target = std::clamp(column, 0, last);
    // Never past the point where the last columns fill the area.
    CRect client;
    m_cells->GetClientRect(&client);
    int fill = 0, leastFirst = GetColumnCount();
    while (leastFirst > 0 &&
           fill + m_columns[std::size_t(leastFirst - 1)]->m_width + 1 <= client.Width()) {
        fill += m_columns[std::size_t(leastFirst - 1)]->m_width + 1;
        --leastFirst;
    }
    target = std::min(target, std::max(0, std::min(leastFirst, last)));
    if (target == m_firstColumn)
        return;
    const int dx = -ColumnLeft(target);
    m_firstColumn = target;
    m_cells->ScrollWindow(dx, 0);
    int headerScroll = 0;
    for (int c = 0; c < m_firstColumn; ++c)
        headerScroll += m_columns[std::size_t(c)]->m_width + 1;
    m_header->SetScrollPosition(headerScroll);
    m_header->Invalidate();
    UpdateScrollRanges();
    m_header->UpdateWindow();
    m_cells->UpdateWindow();
}

namespace {

/// The first row or column a scroll-bar action asks for; the thumb's own position while dragged.
int ScrollTarget(UINT code, UINT pos, CScrollBar* bar, int first, int page)
{
    switch (code) {
    case SB_LINEUP:
        return first - 1;
    case SB_LINEDOWN:
        return first + 1;
    case SB_PAGEUP:
        return first - page;
    case SB_PAGEDOWN:
        return first + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info;
        if (bar && bar->GetScrollInfo(&info, SIF_TRACKPOS))
            return info.nTrackPos;
        return int(pos);
    }
    default:
        return first;
    }
}

} // namespace

void CResultGrid::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (code == SB_ENDSCROLL)
        UpdateScrollRanges();
    else
        ScrollToRow(ScrollTarget(code, pos, bar, m_firstRow, GetVisibleRowCount()));
}

void CResultGrid::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    if (code == SB_ENDSCROLL)
        UpdateScrollRanges();
    else
        ScrollToColumn(ScrollTarget(code, pos, bar, m_firstColumn, GetVisibleColumnCount()));
}

BOOL CResultGrid::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollToRow(m_firstRow - delta / 40);
    return TRUE;
}

// Selection.

void CResultGrid::InvalidateSelection(const GridSelection& selection)
{
    if (selection.IsEmpty() || !m_cells || !m_cells->GetSafeHwnd())
        return;
    CRect area = CellsRect(selection.top, selection.left, selection.bottom, selection.right);
    area.InflateRect(1, 1);
    m_cells->InvalidateRect(&area);
}

void CResultGrid::InvalidateChangedStrips(const GridSelection& before, const GridSelection& after)
{
    for (const GridSelection& part : Outside(before, after))
        InvalidateSelection(part);
    for (const GridSelection& part : Outside(after, before))
        InvalidateSelection(part);
}

void CResultGrid::SetGridSelection(int row, int column, bool extend, bool redraw)
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount())
        return;
    const GridSelection before = m_selection;
    if (!extend || m_anchorRow < 0 || m_anchorColumn < 0) {
        InvalidateSelection(before);
        m_anchorRow = row;
        m_anchorColumn = column;
        m_selection = {row, column, row, column};
        InvalidateSelection(m_selection);
    } else {
        m_selection = Normalised(m_anchorRow, m_anchorColumn, row, column);
        InvalidateChangedStrips(before, m_selection);
    }
    if (m_cells && m_cells->GetSafeHwnd()) {
        const int rows = GetVisibleRowCount();
        if (row < m_firstRow)
            ScrollToRow(row);
        else if (row >= m_firstRow + rows)
            ScrollToRow(row - rows + 1);
        if (column < m_firstColumn)
            ScrollToColumn(column);
        else if (const int first = FirstColumnShowing(column); first > m_firstColumn)
            ScrollToColumn(first);
        if (redraw)
            m_cells->UpdateWindow();
    }
}

int CResultGrid::FirstColumnShowing(int column) const
{
    CRect client;
    m_cells->GetClientRect(&client);
    // Walks left from the column while the columns so far fit, never past the first in view.
    long long span = m_columns[std::size_t(column)]->m_width + 1;
    int first = column;
    while (first > m_firstColumn &&
           span + m_columns[std::size_t(first - 1)]->m_width + 1 <= client.Width()) {
        span += m_columns[std::size_t(first - 1)]->m_width + 1;
        --first;
    }
    return first;
}

void CResultGrid::RedrawGridRow(int row, bool enlarge, bool now)
{
    if (row < 0 || row >= GetRowCount() || !m_cells || !m_cells->GetSafeHwnd())
        return;
    CRect client;
    m_cells->GetClientRect(&client);
    CRect area(0, (row - m_firstRow) * m_rowHeight, client.right,
               (row + 1 - m_firstRow) * m_rowHeight);
    if (enlarge)
        area.InflateRect(3, 3);
    m_cells->InvalidateRect(&area);
    if (now)
        m_cells->UpdateWindow();
}

int CResultGrid::PageDownRow(int row) const
{
    const int page = GetVisibleRowCount(), last = GetRowCount() - 1;
    if (row > m_firstRow + page - 1)
        return row;
    const int bottom = std::min(m_firstRow + page - 1, last);
    if (row < bottom)
        return bottom;
    return std::min(bottom + page - 1, last);
}

int CResultGrid::PageUpRow(int row) const
{
    if (row < m_firstRow)
        return row;
    if (row > m_firstRow)
        return m_firstRow;
    return std::max(0, m_firstRow - GetVisibleRowCount() + 1);
}

void CResultGrid::MoveByKey(UINT virtKey, bool shift, bool ctrl)
{
    if (GetRowCount() == 0 || GetColumnCount() == 0)
        return;
    const int anchorRow = std::max(m_anchorRow, 0), anchorColumn = std::max(m_anchorColumn, 0);
    int row = anchorRow, column = anchorColumn;
    if (shift && !m_selection.IsEmpty()) {
        row = m_selection.top == anchorRow ? m_selection.bottom : m_selection.top;
        column = m_selection.left == anchorColumn ? m_selection.right : m_selection.left;
    }
    switch (virtKey) {
    case VK_LEFT:
        --column;
        break;
    case VK_RIGHT:
        ++column;
        break;
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    case VK_NEXT:
        row = PageDownRow(row);
        break;
    case VK_PRIOR:
        row = PageUpRow(row);
        break;
    case VK_HOME:
        row = 0;
        if (ctrl)
            column = 0;
        break;
    default: // VK_END
        row = GetRowCount() - 1;
        if (ctrl)
            column = GetColumnCount() - 1;
        break;
    }
    row = std::clamp(row, 0, GetRowCount() - 1);
    column = std::clamp(column, 0, GetColumnCount() - 1);
    SetGridSelection(row, column, shift, true);
}

bool CResultGrid::HandleKey(UINT virtKey)
{
    if (m_owner && m_owner->OnGridKey(this, virtKey))
        return true;
    switch (virtKey) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_NEXT:
    case VK_PRIOR:
    case VK_HOME:
    case VK_END:
        MoveByKey(virtKey, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
        return true;
    case 'C':
    case VK_INSERT:
        if (GetKeyState(VK_CONTROL) >= 0)
            return false;
        CopySelection();
        return true;
    default:
        return false;
    }
}

std::string CResultGrid::GetSelectionText()
{
    std::string text;
    if (m_selection.IsEmpty() || !m_owner)
        return text;
    std::string cell;
    for (int row = m_selection.top; row <= m_selection.bottom && row < GetRowCount(); ++row) {
        if (row > m_selection.top)
            text += "\r\n";
        for (int column = m_selection.left;
             column <= m_selection.right && column < GetColumnCount(); ++column) {
            if (column > m_selection.left)
                text += '\t';
            cell.clear();
            CBitmap* picture = nullptr;
            if (!m_owner->GetCellText(this, cell, &picture, row, column, GetRowValue(row),
                                      m_columns[std::size_t(column)]->m_data))
                continue;
            // A cell keeps to its own place between the tabs and line ends.
            for (char& c : cell)
                if (c == '\t' || c == '\r' || c == '\n')
                    c = ' ';
            text += cell;
        }
    }
    return text;
}

bool CResultGrid::CopySelection()
{
    if (m_selection.IsEmpty() || GetRowCount() == 0)
        return false;
    return SetClipboardText(GetSelectionText());
}
