// diagrams/window/rel_tree_painter.h: the Diagram window's painting of its diagram on a context
// the window has mapped: the background (panes, row and generation stripes, boundary lines, the
// dividing line between the panes), the engine's drawing pass over the lines and boxes, the
// relationship-description columns beside the rows, and the titles last.
//
// CRelTreePainter reads the document and the page grid, has the window's CRelTreeTitles draw the
// titles and asks the window that shows them for the mapping and the scroll bars through
// IRelTreePainterView. The columns are
// measured on the layout's measuring context after a build or an options change and move with the
// boxes when a paint finds the layout changed; they count in the window's diagram extent.
//
// Traps: while a page prints (CRelTreePages::Printing) the pass draws for paper: the page's
// background in the printed colours when the settings say, no selection, black lines and text for
// a black-and-white printer. A paint begun while another is drawing (a repaint the pass itself
// caused) draws nothing.
#pragma once

#include "diagrams/relationship_text.h"
#include "platform/base/geometry.h"
#include "platform/base/types.h"

class CDC;
class CDiagramDocument;
class CDiagRowSet;
class CRelTreePages;
class CRelTreeTitles;
class CWnd;

/// What the painter asks of the window that shows the diagram.
class IRelTreePainterView {
public:
    virtual ~IRelTreePainterView() = default;
    /// The window itself: its client area, the context measured on, repainted where the
    /// columns move.
    virtual CWnd& Window() = 0;
    /// Maps a context onto the screen at the window's zoom and scroll position.
    virtual void PrepareScreenDC(CDC& dc) = 0;
    /// Maps the measuring context: the printer's page, else the screen at divisor 20.
    virtual void PrepareMeasuringDC(CDC& dc, bool printer) = 0;
    /// The extent may have changed: the scroll ranges are worked out again at the next paint.
    virtual void ExtentChanged() = 0;
    /// Sets the scroll bars again when the extent changed since they were last set.
    virtual void RefreshStaleScrollBars() = 0;
};

class CRelTreePainter {
public:
    CRelTreePainter(IRelTreePainterView& view, const CDiagramDocument& doc,
                    const CRelTreePages& pages, CRelTreeTitles& titles);

    /// The background over the client area, with the dividing line between the panes.
    void PaintBackground(CDC& dc);
    /// The lines, boxes, descriptions and titles meeting clip (diagram units) on the screen, or
    /// on the page being printed; typed box texts are underlined the other way when asked.
    void DrawDiagram(CDC& dc, const CRect& clip, bool underlineOverridden);

    /// The relationship-description columns beside the rows, as last measured and placed.
    const CRelationshipColumns& RelationshipColumns() const { return m_relColumns; }
    /// Measures the descriptions on the measuring context (the layout's) in the "Relationship
    /// Text Font" and places the columns; with refreshOnly, only when the layout or the sides
    /// changed since. The areas of the columns shown before and after are repainted.
    void PlaceRelationshipColumns(bool refreshOnly);
    /// No column: the diagram was cleared.
    void ResetRelationshipColumns() { m_relColumns.Reset(); }

private:
    /// Panes, row or generation stripes and boundary lines over a rectangle in device units of
    /// a context mapped to the diagram; on paper in the printed colours when the settings say.
    void DrawBackground(CDC& dc, const CRect& device, bool printing);
    /// The distance between rows (the box height and the vertical gap), and how far the row
    /// edges lie below the multiples of it.
    int RowPitch() const;
    int RowOffset() const;
    /// What the relationship-description columns are placed from: the option, the gap, the
    /// described rows of the diagram and the extent of its boxes.
    CRelationshipColumns::Layout RelationshipLayout() const;
    /// Draws a band's descriptions in the columns shown, beside each of its rows.
    void DrawBandDescriptions(CDC& dc, const CDiagRowSet& rowSet, int band, COLORREF colour);

    IRelTreePainterView& m_view;
    const CDiagramDocument& m_doc;
    const CRelTreePages& m_pages;
    CRelTreeTitles& m_titles;
    CRelationshipColumns m_relColumns;
    bool m_drawing = false;
};
