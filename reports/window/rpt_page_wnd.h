// reports/window/rpt_page_wnd.h: the page canvas of the report window: one page or a spread of
// two at the window's zoom, framed and shadowed, with scroll bars.
//
// Pages are placed with 12-pixel borders; each is drawn by the generator through a CRptDcCanvas
// mapped onto the page's rectangle with the printer's canvas as reference (CreateReferenceCanvas,
// made for each paint), so a line on the screen breaks where the printed line breaks; a canvas that
// is not a CRptDcCanvas (a test device) is no reference, and the screen then measures for itself,
// as it does without a printer.
//
// Trap: the canvas chooses its scroll bars from its whole size, bars counted in, and keeps a bar
// that is needed even when its room lets the pages fit (disabled): showing or hiding a bar reports
// a new size at once, and a choice made from the client area alone could flip for ever.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>

class CRptDcCanvas;
class CSubViewReport;
class IRptCanvas;

class CRptPageWnd final : public CWnd {
public:
    explicit CRptPageWnd(CSubViewReport& view);
    ~CRptPageWnd() override;

    BOOL Create(CWnd* parent, UINT id);
    /// Chooses the scroll bars the pages need at the window's zoom and places the pages in the
    /// client area those bars leave; then the window re-syncs its page layout.
    void RecalcLayout(bool resetScroll);
    /// RecalcLayout, the scroll bars, and a full repaint. A size reported while it runs (a bar
    /// shown or hidden) lays out once more afterwards, never within.
    void Relayout(bool resetScroll);
    /// The percent at which the page's width fills the canvas; 100 without a report.
    int GetPageWidthZoom() const;
    /// The screen steps one page (or spread) takes: extent height over client height, at least 1.
    int GetPageCount() const;
    /// The step shown, and scrolling to a step.
    int GetScrollPage() const;
    void ScrollToPage(int step);

    const CRect& GetLeftPage() const { return m_leftPage; }
    const CRect& GetRightPage() const { return m_rightPage; }
    const CRect& GetExtent() const { return m_extent; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;

private:
    /// The page size in points (612 by 792 without a report).
    void GetPagePoints(int& width, int& height) const;
    /// The client area with the window's own bars counted in.
    CSize GetFullSize() const;
    /// Places the pages in a client area of cw by ch.
    void PlacePages(int cw, int ch);
    void SetScrollBars(bool reset);
    void Scroll(int bar, UINT code, UINT pos);
    void DrawPages(CDC& dc);
    /// Draws page into rect, measured on reference when there is one; false when it failed.
    bool DrawPage(CDC& dc, const CRect& rect, int page, CRptDcCanvas* reference);
    /// The printer's canvas mapped onto the report's page, which screen pages are measured on;
    /// null without a printer.
    std::unique_ptr<IRptCanvas> CreateReferenceCanvas() const;

    CSubViewReport& m_view;
    CRect m_leftPage, m_rightPage, m_extent;
    /// The canvas's virtual size, from which the scroll ranges come.
    CSize m_area;
    /// The client area the pages were placed in: the window's less the bars chosen.
    CSize m_client;
    bool m_needH = false, m_needV = false;
    bool m_inLayout = false, m_sizeChanged = false;
    int m_scrollX = 0, m_scrollY = 0;
};
