// controls/u_splitter_wnd.h: a child window over its parent's whole client area that divides it
// into up to four panes, side by side or stacked, with bars the user drags between them.
#pragma once

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/windows/wnd.h"

class CUSplitterWnd;

class CUSplitterListener {
public:
    virtual ~CUSplitterListener() = default;
    /// After a bar drag, whether it was completed or cancelled.
    virtual void OnSplitterDragEnded(CUSplitterWnd* /*splitter*/) {}
};

/// Each pane keeps a share of the space; after a measurement the shares add up to 100 per pane.
/// A drag is a state of the window: the left button starts it on a bar, moves draw the bar's
/// new place inverted, the button's release completes it, and Escape or the right button
/// cancels it.
class CUSplitterWnd : public CWnd {
public:
    /// Orientations: panes side by side with upright bars, or stacked with lying bars.
    static constexpr int kSideBySide = 1, kStacked = 0;
    static constexpr int kMaxPanes = 4;
    static constexpr int kBarSize = 7;
    /// The share of a pane whose share is measured from its size by InitPaneSizes.
    static constexpr int kUnmeasured = -1;

    CUSplitterWnd();
    ~CUSplitterWnd() override;

    /// Over the parent's whole client rectangle. Proportional: a resize keeps the panes'
    /// shares; otherwise each pane keeps its size and the last takes the rest.
    BOOL Create(CWnd* parent, int orientation, bool proportional, CUSplitterListener* listener);
    /// The pane's index, or -1 when four panes are there already.
    int AddPane(CWnd* pane, int share);
    /// Once the panes are added: measures the shares when any is unmeasured, lays every pane
    /// out by its share and records the sizes.
    void InitPaneSizes();
    /// Shows or hides a pane and gives the visible panes the space by their shares.
    void ShowPane(int index, bool show);
    /// The CURSOR resources the bars show: upright bars (side by side) and lying bars (stacked).
    static constexpr UINT kSideBySideCursorId = 131, kStackedCursorId = 204;

    /// The first visible pane at or after from, with its index in *index; null and -1 when
    /// there is none.
    CWnd* FindVisiblePane(int from, int* index) const;
    /// Keeps each pane's current width (side by side) or height (stacked).
    void RecordPaneSizes();
    /// Sets the shares from the recorded sizes.
    void MeasureShares();

    /// Locked bars cannot be dragged and show no sizing cursor.
    void SetLocked(bool locked);
    /// Reverse: a resize places the panes from the far end, so the first pane takes the rest.
    void SetReverse(bool reverse) { m_reverse = reverse; }
    int GetPaneCount() const { return m_paneCount; }
    int GetShare(int index) const { return m_panes[index].share; }
    bool IsDragging() const { return m_dragging; }

    /// Escape cancels a drag, wherever the focus is inside the splitter.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;

private:
    struct Pane {
        CWnd* wnd = nullptr;
        int share = 20;
        int size = 0;
    };
    /// A pane's place along the splitter's axis, in client coordinates.
    struct Span {
        int nearEdge = 0;
        int farEdge = 0;
    };

    bool SideBySide() const { return m_orientation == kSideBySide; }
    int ClientLength() const;
    int Along(CPoint point) const { return SideBySide() ? point.x : point.y; }
    int Bar() const { return SideBySide() ? m_barWidth : m_barHeight; }
    Span SpanOf(int index) const;
    void PlacePane(int index, int nearEdge, int farEdge, bool repaint);
    /// The indexes of the visible panes, or of all panes; returns their number.
    int ListPanes(int* indexes, bool visibleOnly) const;
    void LayoutByShares(bool visibleOnly);
    void LayoutForward(const int* visible, int count, int length, bool proportional);
    void LayoutReverse(const int* visible, int count, int length, bool proportional);
    int ResizedLength(int index, int count, int length, bool proportional) const;
    CRect BarRect(int position) const;
    void InvertDragBar();
    void MoveDragBar(CPoint point);
    void EndDrag(bool complete);

    int m_orientation = kStacked;
    Pane m_panes[kMaxPanes];
    int m_barWidth = kBarSize;
    int m_barHeight = kBarSize;
    int m_paneCount = 0;
    bool m_locked = false;
    bool m_proportional = false;
    CUSplitterListener* m_listener = nullptr;
    bool m_reverse = false;
    bool m_dragging = false;
    int m_dragBefore = -1;
    int m_dragAfter = -1;
    int m_dragPosition = 0;
    CBitmap m_halftone;
};
