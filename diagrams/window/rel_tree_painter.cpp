// diagrams/window/rel_tree_painter.cpp: the Diagram window's painter (CRelTreePainter): the
// drawing pass over a context mapped to the diagram, on the screen or a printed page, through
// CDiagramDCPainter, the engine's IDiagramPainter over a device context.
//
// With "Underline Overridden Text" on, a box's typed text is drawn with the box font's underline
// turned over. Box text under three pixels high is not made on the screen (no template runs): a
// one-pixel line in the text colour across the middle half of the lines stands for it. A keypad
// plus or minus waiting for the window stops a screen repaint after the box being drawn; the zoom
// the key makes paints the window again.
#include "diagrams/window/rel_tree_painter.h"

#include "diagrams/diag_draw.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/box_painter_dc.h"
#include "diagrams/window/rel_tree_pages.h"
#include "diagrams/window/rel_tree_titles.h"
#include "diagrams/window/zoom_draw.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kNormalLinesRow = 12, kDottedLinesRow = 13, kButtonsRow = 14, kButtonsLimitRow = 15;
constexpr int kDescriptionTextRow = 3;

/// Paints a diagram on a context prepared with the window's screen or page mapping: boxes
/// through CDCBoxPainter, selected boxes in the highlight colour, lines one pixel wide at any
/// zoom (one unit on a printer). On paper buttons are left out when the settings say so. On
/// the screen, text too small to read is not made: a line in the text colour stands for it.
class CDiagramDCPainter final : public IDiagramPainter {
public:
    CDiagramDCPainter(CDC& dc, const CDiagramSettings& settings,
                      const std::vector<CDiagElem*>& selection, bool printing,
                      bool underlineOverridden)
        : m_dc(dc), m_settings(settings), m_printing(printing),
          m_blackAndWhite(printing && PrintsInBlackAndWhite(dc, settings)),
          m_boxes(dc, settings, m_blackAndWhite),
          m_pen(PS_SOLID, printing ? 1 : 0,
                m_blackAndWhite ? RGB(0, 0, 0) : settings.m_colours[kNormalLinesRow].colour),
          m_button(settings.m_colours[kButtonsRow].colour),
          m_buttonLimit(settings.m_colours[kButtonsLimitRow].colour),
          m_highlight(GetSysColor(COLOR_HIGHLIGHT))
    {
        if (!printing)
            for (const CDiagElem* box : selection)
                m_selected.push_back(box->Rect());
        m_oldPen = m_dc.SelectObject(&m_pen);
        // Text under three pixels high cannot be read: on the screen it is left out.
        const int textHeight = std::abs(settings.m_boxFont.lfHeight);
        m_unreadable = !printing && textHeight < 3 * std::max<int>(1, int(PixelsToLogical(1).cy));
        // Typed box texts stand out by the underline they have or have not.
        if (underlineOverridden) {
            LOGFONT font = DiagramBoxFont(settings);
            font.lfUnderline = font.lfUnderline ? 0 : 1;
            m_overriddenFont.CreateFontIndirect(&font);
        }
    }
    ~CDiagramDCPainter() override { m_dc.SelectObject(m_oldPen); }

    void SetOverriddenText(bool overridden) override
    {
        if (overridden && !m_fontBeforeOverride && m_overriddenFont.GetSafeHandle())
            m_fontBeforeOverride = m_dc.SelectObject(&m_overriddenFont);
        else if (!overridden && m_fontBeforeOverride)
            m_dc.SelectObject(std::exchange(m_fontBeforeOverride, nullptr));
    }

    CSize MeasureText(std::string_view line) override { return m_boxes.MeasureText(line); }
    void DrawBox(const CRect& box, int colourRow) override
    {
        if (std::find(m_selected.begin(), m_selected.end(), box) == m_selected.end()) {
            m_boxes.DrawBox(box, colourRow);
            return;
        }
        CBrush* old = m_dc.SelectObject(&m_highlight);
        DrawRectangleZoomed(m_dc, box, kZoomLogical);
        m_dc.SelectObject(old);
    }
    void DrawTextLine(const CRect& area, int top, std::string_view line, COLORREF colour) override
    {
        if (!m_unreadable)
            m_boxes.DrawTextLine(area, top, line, colour);
    }
    bool TextReadable() const override { return !m_unreadable; }
    void DrawTextMark(const CRect& area, int top, int height, COLORREF colour) override
    {
        // One pixel high across the middle half of the lines' width, halfway down them.
        const int quarter = (area.right - area.left) / 4;
        const int y = top - height / 2;
        CPen* old = m_dc.SelectObject(&MarkPen(colour));
        m_dc.MoveTo(area.left + quarter, y);
        m_dc.LineTo(area.right - quarter, y);
        m_dc.SelectObject(old);
    }
    void DrawPicture(CMediaItem& picture, const CRect& rect, const RECT* crop) override
    {
        m_boxes.DrawPicture(picture, rect, crop);
    }
    void DrawHandles(const CRect& box, bool remove) override { m_boxes.DrawHandles(box, remove); }
    void DrawLines(const POINT* points, int count) override
    {
        DrawPolylineZoomed(m_dc, points, count, kZoomLogical);
    }
    void DrawDottedLines(const POINT* points, int count) override
    {
        const COLORREF colour =
            m_blackAndWhite ? RGB(0, 0, 0) : m_settings.m_colours[kDottedLinesRow].colour;
        DrawDottedLinesZoomed(m_dc, points, count, colour, 0, kZoomLogical);
    }
    void DrawStretchyLine(const CPoint& from, const CPoint& to, int halfWidth,
                          int halfHeight) override
    {
        // A zig-zag of up to six points, the rest a straight line.
        POINT points[6] = {from};
        int count = 1;
        const int dx = to.x - from.x, dy = to.y - from.y;
        for (int step = 1; step <= 4 && count < 5; ++step) {
            const int side = (step % 2) ? 1 : -1;
            points[count++] = {from.x + dx * step / 5 + side * halfHeight * (dy != 0),
                               from.y + dy * step / 5 + side * halfWidth * (dx != 0)};
        }
        points[count++] = to;
        DrawPolylineZoomed(m_dc, points, count, kZoomLogical);
    }
    void DrawButton(const CRect& circle, bool atLimit) override
    {
        CBrush* old = m_dc.SelectObject(atLimit ? &m_buttonLimit : &m_button);
        DrawEllipseZoomed(m_dc, circle, kZoomLogical);
        m_dc.SelectObject(old);
    }
    void DrawBandDescriptions(int band) override
    {
        if (m_bandDescriptions)
            m_bandDescriptions(band);
    }
    /// What draws a band's relationship descriptions.
    void SetBandDescriptions(std::function<void(int band)> draw)
    {
        m_bandDescriptions = std::move(draw);
    }
    bool IsPrinting() const override { return m_printing; }
    CSize PixelsToLogical(int pixels) const override
    {
        CSize size(pixels, pixels);
        m_dc.DPtoLP(&size);
        return CSize(std::abs(size.cx), std::abs(size.cy));
    }

private:
    /// A one-pixel pen of the colour, made once a paint.
    CPen& MarkPen(COLORREF colour)
    {
        for (auto& [penColour, pen] : m_markPens)
            if (penColour == colour)
                return *pen;
        m_markPens.emplace_back(colour, std::make_unique<CPen>(PS_SOLID, 0, colour));
        return *m_markPens.back().second;
    }

    CDC& m_dc;
    const CDiagramSettings& m_settings;
    bool m_printing;
    bool m_blackAndWhite;
    CDCBoxPainter m_boxes;
    CPen m_pen;
    CBrush m_button;
    CBrush m_buttonLimit;
    CBrush m_highlight;
    CPen* m_oldPen = nullptr;
    std::vector<CRect> m_selected;
    bool m_unreadable = false;
    std::vector<std::pair<COLORREF, std::unique_ptr<CPen>>> m_markPens;
    CFont m_overriddenFont;
    CFont* m_fontBeforeOverride = nullptr;
    std::function<void(int band)> m_bandDescriptions;
};

} // namespace

CRelTreePainter::CRelTreePainter(IRelTreePainterView& view, const CDiagramDocument& doc,
                                 const CRelTreePages& pages, CRelTreeTitles& titles)
    : m_view(view), m_doc(doc), m_pages(pages), m_titles(titles)
{
}

void CRelTreePainter::DrawDiagram(CDC& dc, const CRect& clip, bool underlineOverridden)
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (m_drawing || !m_doc.HasTree())
        return;
    // The columns follow the boxes: a layout changed since they were placed moves them.
    if (!m_pages.Printing())
        PlaceRelationshipColumns(true);
    m_drawing = true;
    if (m_pages.Printing()) {
        CRect page(m_pages.PrintClip());
        dc.LPtoDP(&page);
        page.NormalizeRect();
        DrawBackground(dc, page, true);
    }
    {
        CFont font;
        const LOGFONT logFont = DiagramBoxFont(settings);
        font.CreateFontIndirect(&logFont);
        CFont* oldFont = dc.SelectObject(&font);
        CDiagramDCPainter painter(dc, settings, m_doc.Selection().Boxes(), m_pages.Printing(),
                                  underlineOverridden);
        // The drawing pass takes clips with the top above the bottom.
        CRect diagramClip(clip.left, std::max(clip.top, clip.bottom), clip.right,
                          std::min(clip.top, clip.bottom));
        const COLORREF descriptions = m_pages.Printing() && PrintsInBlackAndWhite(dc, settings)
                                          ? RGB(0, 0, 0)
                                          : settings.m_colours[kDescriptionTextRow].colour;
        // A pass stopped for a waiting zoom key abandons the repaint: the zoom repaints.
        for (auto& rowSet : m_doc.RowSets()) {
            const CDiagRowSet& drawn = *rowSet;
            painter.SetBandDescriptions(
                [&](int band) { DrawBandDescriptions(dc, drawn, band, descriptions); });
            if (!DiagPaintRows(*rowSet, painter, diagramClip, kDrawLinesAndBoxes))
                break;
        }
        painter.SetOverriddenText(false);
        dc.SelectObject(oldFont);
    }
    m_titles.Draw(dc);
    if (!m_pages.Printing())
        m_view.RefreshStaleScrollBars();
    m_drawing = false;
}
