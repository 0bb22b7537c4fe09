// controls/column_header.cpp: the header's columns, metrics and mouse: pressing titles and
// dragging dividers.
#include "controls/column_header.h"

#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/font.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

/// How near an edge a point grabs its divider.
constexpr int kDividerReach = 3;

} // namespace

std::vector<CColumnInfo> ColumnsFromTitles(const char* titles, int mode, int count,
                                           const int* edges)
{
    std::vector<CColumnInfo> columns;
    std::string_view rest = titles ? titles : "";
    for (int i = 0; i < count && edges; ++i) {
        const std::size_t tab = rest.find('\t');
        CColumnInfo column;
        column.m_title = std::string(rest.substr(0, tab));
        rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
        column.m_right = edges[i];
        column.m_units = mode == 1 ? edges[i] : -1;
        columns.push_back(column);
    }
    return columns;
}

CColumnHeader::CColumnHeader() = default;

CColumnHeader::~CColumnHeader()
{
    if (GetSafeHwnd() && GetCapture() == this)
        ReleaseCapture();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CColumnHeader::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CFont* font,
                           bool ownsFont, CColumnHeaderOwner* owner)
{
    if (!parent || GetSafeHwnd())
        return FALSE;
    if (!CreateEx(0, nullptr, "ColumnHeader", style & ~(WS_HSCROLL | WS_VSCROLL), rect, parent, id))
        return FALSE;
    if (font) {
        m_font = font;
        if (ownsFont)
            m_ownFont.reset(font);
    } else {
        m_ownFont = std::make_unique<CFont>();
        if (m_ownFont->CreateFont(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  VARIABLE_PITCH | FF_SWISS, "MS Sans Serif")) {
            m_font = m_ownFont.get();
        } else {
            m_ownFont.reset();
            m_font = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
        }
    }
    ComputeMetrics();
    m_owner = owner;
    m_dragState = 0;
    return TRUE;
}

void CColumnHeader::ComputeMetrics()
{
    CClientDC dc(this);
    dc.SelectObject(m_font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    m_height = int(tm.tmHeight + tm.tmExternalLeading) + 4;
    m_textTop = std::max(1, int(tm.tmExternalLeading));
    const int average = int(tm.tmAveCharWidth);
    m_leftMargin = average < 2 ? 2 : average;
    m_rightMargin = average < 2 ? 2 : average / 2;
    m_ellipsisWidth = int(dc.GetTextExtent("W...").cx);
}

int CColumnHeader::UnitWidth()
{
    CClientDC dc(this);
    dc.SelectObject(m_font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    return std::max(1, int(tm.tmAveCharWidth + tm.tmOverhang));
}

bool CColumnHeader::SetFont(CFont* font, bool ownsFont, bool redraw)
{
    if (!font || !GetSafeHwnd())
        return false;
    if (font != m_ownFont.get())
        m_ownFont.reset(ownsFont ? font : nullptr);
    m_font = font;
    ComputeMetrics();
    if (m_unitsMode) {
        const int unit = UnitWidth();
        for (CColumnInfo& column : m_columns)
            if (column.m_units != -1)
                column.m_right = column.m_units * unit / 4;
    }
    MeasureTitles();
    if (redraw)
        Invalidate();
    return true;
}

bool CColumnHeader::AddColumns(const std::vector<CColumnInfo>* list, int mode)
{
    if (!m_font || !GetSafeHwnd())
        return false;
    m_columns.clear();
    m_unitsMode = true;
    if (list) {
        const int unit = UnitWidth();
        m_columns = *list;
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            CColumnInfo& column = m_columns[i];
            const bool lastInPixels = i + 1 == m_columns.size() && column.m_right == -1;
            if (mode == 0)
                column.m_units = lastInPixels ? -1 : column.m_right * 4 / unit;
            if (column.m_units != -1)
                column.m_right = column.m_units * unit / 4;
            column.m_pressed = 0;
            column.m_dirty = 0;
            column.m_header = this;
        }
    }
    MeasureTitles();
    Invalidate();
    return true;
}

bool CColumnHeader::InsertColumn(int index, const char* title, bool rightAligned, int width)
{
    const int count = GetColumnCount();
    if (!title || width < 0 || index < -1 || index > count)
        return false;
    if (index == -1)
        index = count;
    CColumnInfo column;
    column.m_right = (index > 0 ? m_columns[std::size_t(index - 1)].m_right : 0) + width;
    column.m_rightAligned = rightAligned;
    column.m_title = title;
    column.m_header = this;
    for (std::size_t i = std::size_t(index); i < m_columns.size(); ++i)
        m_columns[i].m_right += width;
    m_columns.insert(m_columns.begin() + index, column);
    m_unitsMode = false;
    MeasureTitles(index);
    Invalidate();
    return true;
}

bool CColumnHeader::SetColumn(int index, const char* title, bool rightAligned, bool clickable)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    CColumnInfo& column = m_columns[std::size_t(index)];
    column.m_rightAligned = rightAligned;
    if (title)
        column.m_title = title;
    column.m_clickable = clickable;
    MeasureTitles(index);
    Invalidate();
    return true;
}

void CColumnHeader::RemoveColumn(int index)
{
    if (index < 0 || index >= GetColumnCount())
        return;
    m_columns.erase(m_columns.begin() + index);
    Invalidate();
    MarkStretchingColumn();
}

int CColumnHeader::GetColumnWidth(int index) const
{
    if (index < 0 || index >= GetColumnCount())
        return 0;
    return GetColumnRight(index) - (index > 0 ? GetColumnRight(index - 1) : 0);
}

bool CColumnHeader::SetColumnPos(int index, int width)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    CColumnInfo& column = m_columns[std::size_t(index)];
    const int right = (index > 0 ? m_columns[std::size_t(index - 1)].m_right : 0) + width;
    const int change = right - column.m_right;
    column.m_right = right;
    column.m_units = -1;
    for (std::size_t i = std::size_t(index) + 1; i < m_columns.size(); ++i)
        m_columns[i].m_right += change;
    Invalidate();
    return true;
}

void CColumnHeader::SetColumnsEnabled(bool clickable)
{
    for (CColumnInfo& column : m_columns)
        column.m_clickable = clickable;
    Invalidate();
}

void CColumnHeader::ResetScrollPos()
{
    if (m_scroll == 0)
        return;
    m_scroll = 0;
    Invalidate();
}

int CColumnHeader::GetColumnRight(int index) const
{
    if (index < 0 || index >= GetColumnCount())
        return 0;
    const CColumnInfo& column = m_columns[std::size_t(index)];
    return column.m_stretches ? m_scroll + m_clientWidth + 5 : column.m_right;
}

void CColumnHeader::SetLastColumnStretches(bool stretches)
{
    m_lastStretches = stretches;
    MeasureTitles();
    Invalidate();
}

void CColumnHeader::MeasureTitles(int only)
{
    if (!GetSafeHwnd())
        return;
    CClientDC dc(this);
    dc.SelectObject(m_font);
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (only < 0 || std::size_t(only) == i)
            m_columns[i].m_titleWidth = int(dc.GetTextExtent(m_columns[i].m_title).cx);
    }
    MarkStretchingColumn();
}

void CColumnHeader::MarkStretchingColumn()
{
    for (CColumnInfo& column : m_columns)
        column.m_stretches = 0;
    if (m_lastStretches && !m_columns.empty())
        m_columns.back().m_stretches = 1;
}

CColumnHeader::Hit CColumnHeader::HitTest(int x) const
{
    x += m_scroll;
    for (int i = GetColumnCount() - 1; i >= 0; --i) {
        const int left = i > 0 ? GetColumnRight(i - 1) : 0, right = GetColumnRight(i);
        if (m_columns[std::size_t(i)].m_stretches) {
            if (x > left + kDividerReach)
                return {i, false};
            continue;
        }
        if (std::abs(x - right) <= kDividerReach)
            return {i, true};
        if (x > left + kDividerReach && x <= right)
            return {i, false};
    }
    return {};
}

void CColumnHeader::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_dragState != 0 || GetCapture())
        return;
    const Hit hit = HitTest(point.x);
    if (hit.column < 0)
        return;
    if (hit.divider) {
        SetCapture();
        m_dragState = 2;
        m_active = hit.column;
        if (m_owner) {
            m_owner->OnBeginResize(this);
            m_owner->OnColumnResize(this, m_columns, m_active, point.x, m_scroll, RepaintStrip(),
                                    0);
        }
        return;
    }
    if (!m_columns[std::size_t(hit.column)].m_clickable)
        return;
    SetCapture();
    m_dragState = 1;
    m_active = hit.column;
    TrackPress(point);
}

void CColumnHeader::TrackPress(CPoint point)
{
    if (m_active < 0 || m_active >= GetColumnCount())
        return;
    const int left = (m_active > 0 ? GetColumnRight(m_active - 1) : 0) + 1 - m_scroll;
    const int right = GetColumnRight(m_active) - m_scroll;
    const bool inside =
        point.x >= left && point.x <= right && point.y >= 0 && point.y <= m_height - 1;
    CColumnInfo& column = m_columns[std::size_t(m_active)];
    if (bool(column.m_pressed) == inside)
        return;
    column.m_pressed = inside;
    column.m_dirty = 1;
    RepaintDirty();
}

void CColumnHeader::RepaintDirty()
{
    for (int i = 0; i < GetColumnCount(); ++i) {
        if (!m_columns[std::size_t(i)].m_dirty)
            continue;
        m_columns[std::size_t(i)].m_dirty = 0;
        CRect rect = ColumnRect(i);
        rect.InflateRect(1, 1);
        InvalidateRect(&rect);
    }
    UpdateWindow();
}

void CColumnHeader::SetDividerCursor(HCURSOR cursor, bool onLastDivider)
{
    m_dividerCursor = cursor;
    m_lastDividerCursor = onLastDivider;
    if (!cursor)
        SetWindowCursor(nullptr);
}

void CColumnHeader::OnMouseMove(UINT /*flags*/, CPoint point)
{
    if (m_dragState == 0 && m_dividerCursor) {
        const Hit hit = HitTest(point.x);
        const bool onDivider =
            hit.divider && (m_lastDividerCursor || hit.column < GetColumnCount() - 1);
        SetWindowCursor(onDivider ? m_dividerCursor : nullptr);
    }
    if (m_dragState == 1)
        TrackPress(point);
    else if (m_dragState == 2 && m_owner)
        m_owner->OnColumnResize(this, m_columns, m_active, point.x, m_scroll, RepaintStrip(), 1);
}

void CColumnHeader::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    const int state = m_dragState, column = m_active;
    if (state == 0)
        return;
    m_dragState = 0;
    m_active = -1;
    ReleaseCapture();
    if (state == 2)
        SetWindowCursor(nullptr);
    if (state == 1) {
        if (column < 0 || column >= GetColumnCount() || !m_columns[std::size_t(column)].m_pressed)
            return;
        m_columns[std::size_t(column)].m_pressed = 0;
        m_columns[std::size_t(column)].m_dirty = 1;
        RepaintDirty();
        if (m_owner)
            m_owner->OnColumnClick(this, column);
        return;
    }
    if (m_owner) {
        m_owner->OnColumnResize(this, m_columns, column, point.x, m_scroll, RepaintStrip(), 2);
        m_owner->OnEndResize(this, column);
    }
}

void CColumnHeader::OnSize(UINT /*type*/, int cx, int /*cy*/)
{
    m_clientWidth = cx;
}

void CColumnHeader::OnEnable(BOOL /*enable*/)
{
    Invalidate();
}
