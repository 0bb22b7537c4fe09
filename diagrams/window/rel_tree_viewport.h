// diagrams/window/rel_tree_viewport.h: the Diagram window's viewport: the mapping of diagram
// units onto the screen and onto the measuring context, the zoom (the scale divisor), the scroll
// position and the scroll bars' ranges.
//
// CRelTreeViewport reads the document, the page grid and the painter's relationship columns, and
// asks the window that shows them for its client area, its scroll bars and its repaints through
// IRelTreeViewportView. The screen mapping has y up, the root row at the bottom for Ancestors, at
// the top for Descendants, in the middle otherwise (always in the middle with the page grid
// shown); the measuring mapping is the printer's page, else the screen at divisor 20. The gap
// between a couple's two lines is set in pixels: on the screen it keeps them at any zoom, on paper
// it counts as diagram units.
//
// Traps: a diagram rectangle's top lies above its bottom. Zooming with an empty client area does
// nothing (there is no centre to keep), and a relative zoom whose scroll origin would leave the
// 32-bit range is undone (a 16-bit limit would stop large diagrams zooming). Scroll arithmetic
// runs in 64 bits. The scroll ranges are worked out at
// the next paint after anything that moves the extent (ExtentChanged).
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

class CDC;
class CDiagramDocument;
class CRelTreePages;
class CRelTreePainter;
class CWnd;

/// What the viewport asks of the window that shows the diagram.
class IRelTreeViewportView {
public:
    virtual ~IRelTreeViewportView() = default;
    /// The window itself: its client area and scroll bars; invalidated, scrolled and updated.
    virtual CWnd& Window() = 0;
};

class CRelTreeViewport {
public:
    /// A scroll bar's range (rangeMin, rangeMax) and the part of it the diagram covers.
    struct Range {
        int rangeMin = 0, diagramMin = 0, rangeMax = 0, diagramMax = 0;
    };

    CRelTreeViewport(IRelTreeViewportView& view, const CDiagramDocument& doc,
                     const CRelTreePages& pages, const CRelTreePainter& painter);

    // Mapping.
    /// Maps a context onto the screen at the present zoom and scroll position.
    void PrepareScreenDC(CDC& dc);
    /// Maps the measuring context: the printer's page, else the screen at divisor 20.
    void PrepareMeasuringDC(CDC& dc, bool printer);
    /// Device point to diagram units through the screen mapping, and back.
    CPoint ToDiagram(CPoint device);
    CPoint ToDevice(CPoint diagram);
    /// Where the root row lies in diagram units: the origin of the screen mapping's y.
    int RootRowOffset() const;
    /// The diagram extent, with the relatives edges and the visible titles; false when empty.
    bool GetDiagramExtent(CRect& rect) const;
    /// The couple lines' gap in diagram units at the screen's present zoom; on paper, or before
    /// the screen was first mapped, the settings' pixels taken as units.
    int SpouseLinesGap() const;

    // Zoom.
    int ScaleDivisor() const { return m_divisor; }
    void SetScale(int divisor);
    /// A relative (amount added) or absolute zoom keeping the client centre; nothing with an
    /// empty client area.
    void Zoom(int amount, bool absolute);
    /// Zooms so that rect (device pixels, or diagram units with logical) fills the client.
    void ZoomToRect(CRect rect, bool logical);
    /// Zooms onto the whole diagram, or the whole page grid when it is shown.
    void ViewWholeDiagram();

    // Scrolling.
    /// Scrolls so that the diagram point lies at the device point.
    void ScrollToPoint(int px, int py, int dx, int dy, bool redraw);
    /// The same, moving what is painted instead of repainting it.
    void PanTo(CPoint diagram, CPoint device);
    /// Scrolls onto the root box (a couple: the gap between the partners' boxes); the one-sided
    /// diagrams keep their root row where the type puts it.
    void CentreOnRoot();
    CPoint ScrollOrigin() const { return m_scroll; }
    /// Puts back a scroll origin kept over a rebuild; the scroll bars follow at the next paint.
    void SetScrollOrigin(CPoint origin);
    /// A scroll bar's message (SB_HORZ or SB_VERT, its code and thumb position): lines, pages
    /// and the thumb, stopping at the root row on the way past it.
    void Scroll(int bar, UINT code, int pos);
    /// Sets the scroll bars' ranges and positions for the extent and the scroll origin.
    void SetScrollBars(bool horizontal, bool vertical);
    /// The extent may have changed: the scroll ranges are worked out again at the next paint.
    void ExtentChanged() { m_scrollBarsStale = true; }
    /// Sets the scroll bars again when the extent changed since they were last set.
    void RefreshStaleScrollBars();
    const Range& HorzRange() const { return m_hRange; }
    const Range& VertRange() const { return m_vRange; }
    /// The diagram was cleared: back at the origin, with empty ranges at the root row.
    void Reset();

private:
    /// The window extents of the screen mapping at the present zoom.
    int WindowWidth() const;
    int WindowHeight(int width) const { return MulDiv(-m_refHeight, width, m_refWidth); }
    /// The client row the root row lies on for the diagram's type.
    int RootRowClientY(const CRect& client) const;

    IRelTreeViewportView& m_view;
    const CDiagramDocument& m_doc;
    const CRelTreePages& m_pages;
    const CRelTreePainter& m_painter;

    int m_divisor = 20;
    /// The screen size the mapping is worked out for, whatever the window's size.
    int m_refWidth = 0;
    int m_refHeight = 0;
    CPoint m_scroll;
    Range m_hRange;
    Range m_vRange;
    bool m_scrollBarsStale = true;
    /// The couple lines' gap in diagram units at the screen's present zoom; -1 before the
    /// window is first mapped.
    int m_spouseLinesGapUnits = -1;
};
