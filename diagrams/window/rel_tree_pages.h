// diagrams/window/rel_tree_pages.h: the Diagram window's pages: the page grid shown over the
// diagram and its numbers, moving boxes off vertical page boundaries, sizing the page by rows per
// printed page, the grid dragged with the mouse, the printed page's orientation, and the print job
// (one printed page per grid page, row by row from the top).
//
// CRelTreePages works on the document's settings and asks the window that shows them for the rest
// through IRelTreePagesView. The window's mouse (CRelTreeMouse) says when a grid drag begins,
// moves and ends, and repaints after each move.
//
// Traps: the grid lies in diagram units, y up, its origin anywhere (brought into the page where it
// is read); a page side is at least 1 where it divides. While a page prints, Printing() is true and
// the window must draw for paper (no grid, no selection).
#pragma once

#include "platform/base/geometry.h"

class CDC;
class CDiagramDocument;
class CPrintInfo;
class CWnd;

/// What the pages ask of the window that shows them.
class IRelTreePagesView {
public:
    virtual ~IRelTreePagesView() = default;
    /// The window itself: the parent of dialogs, invalidated to repaint.
    virtual CWnd& Window() = 0;
    /// Device point to diagram units through the screen mapping.
    virtual CPoint ToDiagram(CPoint device) = 0;
    /// The diagram extent, with the relatives edges and the visible titles; false when empty.
    virtual bool GetDiagramExtent(CRect& rect) const = 0;
    virtual int RootRowOffset() const = 0;
    /// Lays the diagram out again keeping the view.
    virtual void Relayout() = 0;
    /// The grid changed: the scroll ranges are worked out again at the next paint.
    virtual void PageGridChanged() = 0;
    /// Draws the diagram's lines and boxes inside clip (diagram units) onto a printed page.
    virtual void DrawPrintedPage(CDC& dc, const CRect& clip) = 0;
};

class CRelTreePages {
public:
    CRelTreePages(IRelTreePagesView& view, CDiagramDocument& doc);

    /// Whether the page grid and its numbers show.
    bool Shown() const { return m_shown; }
    /// False when there is no printer and the user does not go on with default page sizes.
    bool PrinterOrConsent() const;
    /// Shows or hides the grid and its numbers together.
    void ToggleShown();
    bool Avoids() const { return m_avoid; }
    /// Switches moving boxes off vertical page boundaries on or off.
    void ToggleAvoidance();
    /// Moves boxes off vertical page boundaries (afresh) while the mode is on.
    void ComputeAvoidance();
    /// Packs the trees again, undoing the moves off page boundaries.
    void ClearAvoidance();
    /// The row pitch the diagram has on paper: the tallest box of a row and the row gap; 0
    /// without a diagram.
    int PrintedRowHeight() const;
    /// Sizes the page grid to hold a number of rows per printed page (the rows dialog).
    void SetPrintedSize();
    /// Measures every box again and repaints; the printer's settings changing calls it.
    void UpdateMetrics();
    /// Prints in landscape or portrait from now on: the page grid turns with the paper and the
    /// boxes are measured again.
    void SetPrintOrientation(bool landscape);
    /// The top-left corner of the page grid covering the diagram (titles included) and its
    /// pages down and across, each at least 1.
    void GetPageSpan(CPoint& origin, int& down, int& across) const;

    /// Draws the shown grid and page numbers over clip (diagram units); nothing while printing.
    void DrawGrid(CDC& dc, const CRect& clip) const;
    /// Whether a device point lies on a line of the shown page grid.
    bool OnPageLine(CPoint device) const;

    /// The grid drag: moving the grid by a line pressed at device, or (resize) sizing the page
    /// whose bottom-right corner lies nearest the press from its top-left corner. snapToRows lands
    /// the horizontal lines between generation rows. A cancelled drag puts the grid back; one
    /// ended makes the grid the default of every diagram.
    void BeginGridDrag(CPoint device, bool resize);
    void TrackGridDrag(CPoint device, bool resize, bool snapToRows);
    void EndGridDrag(bool cancelled, bool resize);

    // The print job.
    bool Printing() const { return m_printing; }
    /// The page being printed, in diagram units.
    const CRect& PrintClip() const { return m_printClip; }
    /// The number of pages, and the program's printer turned to the diagram's orientation; false
    /// (after a message) without a diagram.
    bool PreparePrinting(CPrintInfo& info);
    /// One page of the grid onto the printable area inside the margins (none in a preview).
    void PreparePrintDC(CDC& dc, CPrintInfo& info);
    void Print(CDC& dc);
    void EndPrinting() { m_printing = false; }

private:
    IRelTreePagesView& m_view;
    CDiagramDocument& m_doc;
    bool m_shown = false;
    bool m_numbers = false;
    bool m_lines = true;
    bool m_avoid = false;
    bool m_printing = false;
    CRect m_printClip;
    /// The grid when the drag began, and the press (for a resize, the anchoring corner).
    CPoint m_dragOrigin;
    CSize m_dragPage;
    CPoint m_dragStart;
};
