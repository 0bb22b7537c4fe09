// diagrams/window/rel_tree_background.cpp: what the painter (CRelTreePainter) lays under the
// diagram's boxes: the ancestor and descendant panes, row stripes, generation stripes of All
// Relatives diagrams, and the row and generation boundary lines, on screen and on the printed
// page.
#include "diagrams/window/rel_tree_painter.h"

#include "diagrams/diag_band.h"
#include "diagrams/diag_hit.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_document.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kAncestorPaneRow = 16, kDescendantPaneRow = 17, kStripeOddRow = 18,
              kStripeEvenRow = 19, kRowSeparatorRow = 20, kPrintedStripeOddRow = 21,
              kPrintedStripeEvenRow = 22, kPrintedRowSeparatorRow = 23;
constexpr int kRowStripes = 0, kGenerationStripes = 1;
constexpr int kRowBoundaries = 0, kGenerationBoundaries = 1;

int FloorDiv(long long a, long long b)
{
    const long long q = a / b;
    return int((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}

/// Fills horizontal strips given in diagram units across a device rectangle, converting each
/// edge through the context's mapping so that neighbouring strips meet without a seam.
class CStripFiller {
public:
    CStripFiller(CDC& dc, const CRect& device) : m_dc(dc), m_device(device) {}

    /// The device y of a diagram y.
    int DeviceY(int y) const
    {
        CPoint point(0, y);
        m_dc.LPtoDP(&point);
        return point.y;
    }
    /// The diagram y of a device y.
    int DiagramY(int y) const
    {
        CPoint point(0, y);
        m_dc.DPtoLP(&point);
        return point.y;
    }

    /// Fills between two diagram ys (in either order) with brush; a null brush fills nothing.
    void Fill(int y1, int y2, CBrush* brush)
    {
        if (!brush)
            return;
        int top = std::clamp(DeviceY(std::max(y1, y2)), m_device.top, m_device.bottom);
        int bottom = std::clamp(DeviceY(std::min(y1, y2)), m_device.top, m_device.bottom);
        if (top > bottom)
            std::swap(top, bottom);
        if (top == bottom)
            return;
        CRect strip(m_device.left, top, m_device.right, bottom);
        WithDeviceMapping([&] { m_dc.FillRect(&strip, brush); });
    }

    /// A horizontal line across the rectangle at a diagram y, in pen's colour.
    void Line(int y, CPen& pen)
    {
        const int device = DeviceY(y);
        if (device < m_device.top || device >= m_device.bottom)
            return;
        WithDeviceMapping([&] {
            CPen* old = m_dc.SelectObject(&pen);
            m_dc.MoveTo(m_device.left, device);
            m_dc.LineTo(m_device.right, device);
            m_dc.SelectObject(old);
        });
    }

private:
    template <typename Draw> void WithDeviceMapping(Draw draw)
    {
        m_dc.SaveDC();
        m_dc.SetMapMode(MM_TEXT);
        m_dc.SetViewportOrg(0, 0);
        m_dc.SetWindowOrg(0, 0);
        draw();
        m_dc.RestoreDC(-1);
    }

    CDC& m_dc;
    CRect m_device;
};

/// A solid brush of a colour entry, or none for a transparent one on paper.
std::unique_ptr<CBrush> EntryBrush(const DiagramColourEntry& entry, bool printing)
{
    if (printing && entry.transparent)
        return nullptr;
    return std::make_unique<CBrush>(entry.colour);
}

} // namespace

int CRelTreePainter::RowPitch() const
{
    const CDiagRowSet* rowSet = m_doc.RowSet();
    const int height = rowSet && rowSet->m_boxHeight > 0 ? rowSet->m_boxHeight
                                                         : m_doc.Settings().m_defaultBoxHeight;
    return std::max(1, height + std::max(0, m_doc.Settings().m_boxToBoxVertGap));
}

int CRelTreePainter::RowOffset() const
{
    return (m_doc.Settings().m_boxToBoxVertGap - m_doc.Settings().m_sibLineToBoxVertGap) / 2;
}

void CRelTreePainter::DrawBackground(CDC& dc, const CRect& device, bool printing)
{
    const CDiagramSettings& settings = m_doc.Settings();
    const auto& colours = settings.m_colours;
    const int type = settings.m_diagramType;
    const bool printedColours = printing && settings.m_altPrintStripes;
    const bool stripeColours = type == kAllRelativesDiagram || settings.m_background == kRowStripes;
    const DiagramColourEntry& first =
        stripeColours ? colours[printedColours ? kPrintedStripeOddRow : kStripeOddRow]
                      : colours[kAncestorPaneRow];
    const DiagramColourEntry& second =
        stripeColours ? colours[printedColours ? kPrintedStripeEvenRow : kStripeEvenRow]
                      : colours[kDescendantPaneRow];
    std::unique_ptr<CBrush> odd = EntryBrush(first, printedColours);
    std::unique_ptr<CBrush> even = EntryBrush(second, printedColours);
    CPen separator(PS_SOLID, 0,
                   colours[printing ? kPrintedRowSeparatorRow : kRowSeparatorRow].colour);

    CStripFiller filler(dc, device);
    const int pitch = RowPitch(), offset = RowOffset();
    // Stripes and lines closer than two pixels would only blur the view into one grey.
    const bool fine = std::abs(filler.DeviceY(pitch) - filler.DeviceY(0)) >= 2;
    const int yTop = filler.DiagramY(device.top), yBottom = filler.DiagramY(device.bottom);
    const int high = std::max(yTop, yBottom), low = std::min(yTop, yBottom);
    // The box row whose band of the pitch holds a diagram y: row r spans ((r - 1)p - o, rp - o].
    const auto rowAt = [&](int y) {
        return FloorDiv(static_cast<long long>(y) + offset, pitch) + 1;
    };
    const auto rowBottom = [&](int row) { return (row - 1) * pitch - offset; };

    const auto rowStripes = [&] {
        filler.Fill(high, low, even.get());
        if (!fine)
            return;
        for (int row = rowAt(low); row <= rowAt(high); ++row)
            if (row % 2 != 0)
                filler.Fill(rowBottom(row), rowBottom(row + 1), odd.get());
    };
    const auto bands = [&](bool fill, bool lines) {
        // Only the generations the diagram shows have stripes and lines: past its highest and
        // lowest rows holding a box there are none.
        int highest = 0, lowest = 0;
        if (!fine || !DiagGetRowRange(*m_doc.RowSet(), highest, lowest, true))
            return;
        const CGenerationBands& generation = m_doc.RowSet()->m_bands;
        const int lastBand = generation.MapRowToBand(std::min(rowAt(high), highest));
        for (int band = generation.MapRowToBand(std::max(rowAt(low), lowest)); band <= lastBand;
             ++band) {
            int firstRow = 0, lastRow = 0;
            if (!generation.GetBandRows(band, firstRow, lastRow))
                break;
            if (fill && band % 2 != 0)
                filler.Fill(rowBottom(firstRow), rowBottom(lastRow + 1), odd.get());
            if (lines) {
                filler.Line(rowBottom(firstRow), separator);
                filler.Line(rowBottom(lastRow + 1), separator);
            }
        }
    };

    if (!m_doc.HasTree() || type == kAncestorsAndDescendantsDiagram) {
        if (settings.m_background == kRowStripes) {
            rowStripes();
        } else {
            filler.Fill(high, -offset, odd.get());
            filler.Fill(-offset, low, even.get());
        }
    } else if (type == kAllRelativesDiagram) {
        const bool boundaries = settings.m_boundaries == kGenerationBoundaries;
        if (settings.m_background == kRowStripes) {
            rowStripes();
        } else if (settings.m_background == kGenerationStripes) {
            filler.Fill(high, low, even.get());
            bands(true, boundaries);
        } else {
            filler.Fill(high, low, even.get());
        }
        if (boundaries && settings.m_background != kGenerationStripes)
            bands(false, true);
    } else if (settings.m_background == kRowStripes) {
        rowStripes();
    } else {
        filler.Fill(high, low, type == kAncestorsDiagram ? odd.get() : even.get());
    }
    if (settings.m_boundaries == kRowBoundaries && fine)
        for (int row = rowAt(low); row <= rowAt(high) + 1; ++row)
            filler.Line(rowBottom(row), separator);
}

void CRelTreePainter::PaintBackground(CDC& dc)
{
    CRect client;
    m_view.Window().GetClientRect(&client);
    m_view.PrepareScreenDC(dc);
    DrawBackground(dc, client, false);
    if (!m_doc.Settings().m_horizontalDividingLine ||
        (m_doc.HasTree() && m_doc.Settings().m_diagramType != kAncestorsAndDescendantsDiagram))
        return;
    CPoint split(0, -RowOffset());
    dc.LPtoDP(&split);
    if (split.y <= client.top || split.y >= client.bottom)
        return;
    // An etched line: shadow, and the highlight one pixel lower, in device units.
    dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen* old = dc.SelectObject(&shadow);
    dc.MoveTo(client.left, split.y);
    dc.LineTo(client.right, split.y);
    dc.SelectObject(&light);
    dc.MoveTo(client.left, split.y + 1);
    dc.LineTo(client.right, split.y + 1);
    dc.SelectObject(old);
    dc.RestoreDC(-1);
}
