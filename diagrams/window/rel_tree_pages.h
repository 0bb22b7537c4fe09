// diagrams/window/rel_tree_pages.h: the Diagram window's side of the pages: the page grid shown
// over the diagram and its numbers, the rows-per-page dialog, the grid dragged with the mouse, the
// printer's page and paper, and the print job (one printed page per grid page, row by row from the
// top).
//
// The page grid, avoiding its boundaries, the grid covering the diagram and sizing the page are
// the document's (CDiagramDocument); CRelTreePages asks the user and the printer, hands the
// document what they give, writes the page panes of the status bar, and asks the window that shows
// the diagram for the rest through IRelTreePagesView. The window's mouse (CRelTreeMouse) says when
// a grid drag begins, moves and ends, and repaints after each move.
//
// Traps: the grid lies in diagram units, y up, its origin anywhere (brought into the page where it
// is read); a page side is at least 1 where it divides. While a page prints, Printing() is true and
// the window must draw for paper (no grid, no selection).
#pragma once

#include "platform/base/geometry.h"

#include <string>

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
    virtual int RootRowOffset() const = 0;
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
    /// Sizes the page grid to hold a number of rows per printed page (the rows dialog).
    void SetPrintedSize();
    /// Prints in landscape or portrait from now on: the page grid turns with the paper (taking
    /// its proportions with "Preserve Ratios") and the boxes are measured again.
    void SetPrintOrientation(bool landscape);

    /// Draws the shown grid and page numbers over clip (diagram units); nothing while printing.
    void DrawGrid(CDC& dc, const CRect& clip) const;
    /// Whether a device point lies on a line of the shown page grid.
    bool OnPageLine(CPoint device) const;
    /// The texts of the two page panes ("%d, %d" and "%d x %d"; empty while the grid is hidden).
    std::string StatusPosText() const;
    std::string StatusSizeText() const;

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
    bool m_printing = false;
    CRect m_printClip;
    /// The grid when the drag began, and the press (for a resize, the anchoring corner).
    CPoint m_dragOrigin;
    CSize m_dragPage;
    CPoint m_dragStart;
};
