// diagrams/window/rel_tree_descriptions.cpp: the relationship-description columns of the
// Diagram window's painter (CRelTreePainter): measured on the layout's measuring context, placed
// beside the boxes, repainted when they move, and drawn band by band with the rows on the screen
// and on paper.
//
// The option "Relationship Descriptions": measured in the "Relationship Text Font" after a build or
// an options change, placed the "Relationship description gap" beside the boxes, moved with them
// when a paint finds the layout changed (old and new areas repainted); they count in the diagram's
// extent (scrolling, the whole diagram, the printed pages).
#include "diagrams/window/rel_tree_painter.h"

#include "diagrams/diag_hit.h"
#include "diagrams/diag_place.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/box_painter_dc.h"
#include "diagrams/window/zoom_draw.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

/// The font of the descriptions: the settings' "Relationship Text Font", its height negated as
/// the box font's is.
LOGFONT RelationshipFont(const CDiagramSettings& settings)
{
    LOGFONT font = settings.m_relationshipFont;
    font.lfHeight = -std::abs(font.lfHeight);
    font.lfWidth = 0;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 0;
    font.lfQuality = 0;
    return font;
}

} // namespace

CRelationshipColumns::Layout CRelTreePainter::RelationshipLayout() const
{
    CRelationshipColumns::Layout layout;
    layout.sides = m_doc.Settings().m_relationshipDescriptions;
    layout.gap = std::max(0, m_doc.Settings().m_relationshipDescriptionGap);
    const CDiagRowSet* rowSet = m_doc.RowSet();
    if (!rowSet)
        return layout;
    bool any = false;
    for (const auto& each : m_doc.RowSets()) {
        CRect one;
        if (!DiagGetExtent(*each, one))
            continue;
        if (!any) {
            layout.extent = one;
            any = true;
            continue;
        }
        layout.extent.left = std::min(layout.extent.left, one.left);
        layout.extent.right = std::max(layout.extent.right, one.right);
        layout.extent.top = std::max(layout.extent.top, one.top);
        layout.extent.bottom = std::min(layout.extent.bottom, one.bottom);
    }
    if (!any)
        return layout;
    layout.siblingRow = rowSet->m_rootedAtCouple;
    layout.rows = DiagRelationshipRows(*rowSet);
    return layout;
}

void CRelTreePainter::PlaceRelationshipColumns(bool refreshOnly)
{
    const CDiagramSettings& settings = m_doc.Settings();
    // Nothing shown and nothing wanted: the rows need not be looked at.
    if (refreshOnly && settings.m_relationshipDescriptions == kRelNone &&
        !m_relColumns.LeftShown() && !m_relColumns.RightShown())
        return;
    const CRelationshipColumns::Layout layout = RelationshipLayout();
    if (refreshOnly && !m_relColumns.NeedsRefresh(layout))
        return;
    std::vector<CRect> repaint;
    const auto shown = [&] {
        if (m_relColumns.LeftShown())
            repaint.push_back(m_relColumns.LeftColumn());
        if (m_relColumns.RightShown())
            repaint.push_back(m_relColumns.RightColumn());
    };
    shown();
    std::unique_ptr<CBoxMeasurer> measurer;
    if (layout.sides != kRelNone && !layout.rows.empty())
        measurer = CBoxMeasurer::Create(
            settings, m_view.Window().GetSafeHwnd() ? &m_view.Window() : nullptr,
            [this](CDC& dc, bool printer) { m_view.PrepareMeasuringDC(dc, printer); });
    if (!measurer) {
        // Nothing to measure on (or nothing to show): no column.
        m_relColumns.Reset();
    } else {
        CFont font;
        const LOGFONT logFont = RelationshipFont(settings);
        font.CreateFontIndirect(&logFont);
        CDC& dc = measurer->DC();
        CFont* old = dc.SelectObject(&font);
        m_relColumns.Place(layout,
                           [&dc](const std::string& text) { return GetTextSize(dc, text); });
        dc.SelectObject(old);
        shown();
    }
    m_view.ExtentChanged();
    if (!m_view.Window().GetSafeHwnd() || repaint.empty())
        return;
    CClientDC dc(&m_view.Window());
    m_view.PrepareScreenDC(dc);
    for (CRect area : repaint) {
        dc.LPtoDP(&area);
        area.NormalizeRect();
        area.InflateRect(1, 1);
        m_view.Window().InvalidateRect(&area, TRUE);
    }
}

void CRelTreePainter::DrawBandDescriptions(CDC& dc, const CDiagRowSet& rowSet, int band,
                                           COLORREF colour)
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (!m_relColumns.LeftShown() && !m_relColumns.RightShown())
        return;
    int first = 0, last = 0;
    if (!rowSet.m_bands.GetBandRows(band, first, last))
        return;
    CFont font;
    const LOGFONT logFont = RelationshipFont(settings);
    font.CreateFontIndirect(&logFont);
    CFont* oldFont = dc.SelectObject(&font);
    const COLORREF oldColour = dc.SetTextColor(colour);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const UINT oldAlign = dc.SetTextAlign(TA_TOP | TA_LEFT);
    const int gap = std::max(0, settings.m_relationshipDescriptionGap);
    for (int row = first; row <= last; ++row) {
        const std::string* text = m_relColumns.TextOfRow(row);
        if (!text || text->empty())
            continue;
        const CSize size = GetTextSize(dc, *text);
        // Centred on the row's boxes: the left column's texts end the gap left of the boxes,
        // the right column's start the gap right of them.
        const int top = DiagRowTop(row, rowSet.m_boxHeight, settings.m_boxToBoxVertGap);
        const int y = top - (rowSet.m_boxHeight - int(size.cy)) / 2;
        if (m_relColumns.LeftShown())
            dc.TextOut(m_relColumns.LeftColumn().right - gap - int(size.cx), y, *text);
        if (m_relColumns.RightShown())
            dc.TextOut(m_relColumns.RightColumn().left, y, *text);
    }
    dc.SetTextAlign(oldAlign);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColour);
    dc.SelectObject(oldFont);
}
