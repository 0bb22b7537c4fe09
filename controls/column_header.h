// controls/column_header.h: the program's own header strip: column titles drawn as raised
// buttons, whose dividers can be dragged and whose titles can be clicked.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>
#include <string>
#include <vector>

class CColumnHeader;
class CFont;

/// One column. Edges are x values from the header's left in content coordinates: the
/// header shows them shifted left by its scroll position.
struct CColumnInfo {
    int m_right = 0;  // the column's right divider, in pixels
    int m_units = -1; // the same edge in quarter average-character widths; -1: in pixels
    UINT m_rightAligned = 0;
    std::string m_title;
    UINT m_pressed = 0; // drawn pressed while the mouse holds it
    BYTE m_dirty = 0;   // to be redrawn by the next repaint of changed columns
    CColumnHeader* m_header = nullptr;
    BYTE m_clickable = 1; // the title acts as a button
    BYTE m_stretches = 0; // the column ends at the header's right end
    int m_titleWidth = 40;
};

/// Told of divider drags and title clicks. The header never moves an edge itself while a
/// divider is dragged: its owner moves the edges and scrolls the header's and its own
/// contents together.
class CColumnHeaderOwner {
public:
    virtual ~CColumnHeaderOwner() = default;
    virtual void OnBeginResize(CColumnHeader* /*header*/) {}
    virtual void OnEndResize(CColumnHeader* /*header*/, int /*column*/) {}
    /// state 0 when the drag starts, 1 on each move, 2 at the drop; x is the pointer in
    /// window coordinates; repaintStrip is the width left of an edge whose texts change when
    /// the edge moves.
    virtual void OnColumnResize(CColumnHeader* /*header*/, std::vector<CColumnInfo>& /*columns*/,
                                int /*column*/, int /*x*/, int /*scroll*/, int /*repaintStrip*/,
                                int /*state*/)
    {
    }
    /// A clickable title was pressed and released over itself.
    virtual void OnColumnClick(CColumnHeader* /*header*/, int /*column*/) {}
};

/// The columns for titles separated by TAB, one for each of count right edges; mode 1 takes the
/// edges as units, other modes as pixels.
/// The CURSOR resource the program's headers show over their dividers.
inline constexpr UINT kDividerCursorId = 131;

std::vector<CColumnInfo> ColumnsFromTitles(const char* titles, int mode, int count,
                                           const int* edges);

class CColumnHeader : public CWnd {
public:
    CColumnHeader();
    ~CColumnHeader() override;

    /// Without a font the header makes its own. False without a parent.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CFont* font, bool ownsFont,
                CColumnHeaderOwner* owner);
    bool SetFont(CFont* font, bool ownsFont, bool redraw);
    /// Replaces every column by copies of list; null removes them all. Mode 0: edges in pixels,
    /// kept as units so that a font change rescales them; mode 1: edges in units; other modes:
    /// pixels.
    bool AddColumns(const std::vector<CColumnInfo>* list, int mode);
    /// index -1 appends; every later column moves right by width.
    bool InsertColumn(int index, const char* title, bool rightAligned, int width);
    /// title null keeps the title.
    bool SetColumn(int index, const char* title, bool rightAligned, bool clickable);
    /// Later columns keep their edges.
    void RemoveColumn(int index);
    int GetColumnWidth(int index) const;
    /// Later columns move by the change.
    bool SetColumnPos(int index, int width);
    void SetColumnsEnabled(bool clickable);
    void ResetScrollPos();

    int GetColumnCount() const { return int(m_columns.size()); }
    /// The column's right edge; for a stretching last column, the header's right end + 5.
    int GetColumnRight(int index) const;
    std::vector<CColumnInfo>& GetColumns() { return m_columns; }
    bool LastColumnStretches() const { return m_lastStretches; }
    void SetLastColumnStretches(bool stretches);
    /// The cursor shown over a divider (over the last column's only with onLastDivider), the
    /// arrow anywhere else; null leaves the arrow everywhere.
    void SetDividerCursor(HCURSOR cursor, bool onLastDivider);
    int GetHeight() const { return m_height; }
    int GetLeftMargin() const { return m_leftMargin; }
    int GetRightMargin() const { return m_rightMargin; }
    int GetEllipsisWidth() const { return m_ellipsisWidth; }
    int GetScrollPosition() const { return m_scroll; }
    void SetScrollPosition(int scroll) { m_scroll = scroll; }

protected:
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnEnable(BOOL enable) override;

private:
    struct Hit {
        int column = -1;
        bool divider = false;
    };

    void ComputeMetrics();
    /// The average width plus overhang: four units make one of it.
    int UnitWidth();
    /// Measures every column's title, or only that of column only, then marks the stretching
    /// column; a header of thousands of columns (a query's) is built in one pass, not one each.
    void MeasureTitles(int only = -1);
    /// Marks the last column as the one that stretches, when it does.
    void MarkStretchingColumn();
    Hit HitTest(int x) const;
    void TrackPress(CPoint point);
    void RepaintDirty();
    CRect ColumnRect(int index) const;
    void DrawColumn(CDC& dc, int index);
    void DrawRaised(CDC& dc, const CRect& rect, bool toTop);
    int RepaintStrip() const { return m_rightMargin + m_ellipsisWidth; }

    bool m_unitsMode = false;
    int m_dragState = 0; // 0 idle, 1 pressing a title, 2 dragging a divider
    int m_height = 0;
    int m_textTop = 0;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    CFont* m_font = nullptr;
    std::unique_ptr<CFont> m_ownFont;
    int m_scroll = 0;
    int m_active = -1; // the column being pressed or resized
    std::vector<CColumnInfo> m_columns;
    CColumnHeaderOwner* m_owner = nullptr;
    int m_clientWidth = 0;
    int m_ellipsisWidth = 30;
    bool m_lastStretches = false;
    HCURSOR m_dividerCursor = nullptr;
    bool m_lastDividerCursor = true;
};
