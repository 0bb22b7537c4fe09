// diagrams/window/box_painter_dc.h: measuring and painting diagram boxes on a device context
// (the diagram elements' IBoxPainter), and the measuring context boxes are sized on: the
// printer's in the diagram's orientation, else the window's.
//
// CDCBoxPainter fills by colour row, fits lines to the box, draws pictures through CMediaItem and
// handles, in black and white when PrintsInBlackAndWhite; DiagramBoxFont is the box font. Trap:
// boxes are measured on one context and drawn on others, where a font's whole-pixel size can make a
// line a little wider than it measured; hence LayOutBoxLine. The measurer works on a copy of the
// program's printer settings, so measuring in the diagram's orientation never changes the
// orientation of the user's print jobs.
#pragma once

#include "diagrams/box_painter.h"
#include "diagrams/diagram_settings.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/font.h"

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class CDC;
class CWnd;

/// Whether a context draws in black and white: a printer's, with "Print in black & white" on.
bool PrintsInBlackAndWhite(const CDC& dc, const CDiagramSettings& settings);

/// How a box line is drawn within its area on a context (logical units): the characters
/// shown, where the run starts and how wide it is, and, for a line drawn closer than its own
/// spacing, the advance of each byte (empty: the font's own spacing).
struct BoxLineLayout {
    std::string_view shown;
    int left = 0;
    int width = 0;
    std::vector<int> advances;
};

/// A line within area on dc's selected font: centred when it fits. Boxes are measured on one
/// context and drawn on others, whose fonts come out a little wider at some sizes: a line up to
/// a third wider than the area is drawn with its characters closer together, whole; a wider one
/// shows its first whole characters.
BoxLineLayout LayOutBoxLine(CDC& dc, const CRect& area, std::string_view line);

/// Paints boxes with the settings' colours on a context whose font and pen the caller selects
/// (the diagram font; the box outline pen). Lines and outlines go through the zoom-safe
/// routines. In black and white, fills are white (hollow for transparent rows), text is black
/// and handles are left out.
class CDCBoxPainter : public IBoxPainter {
public:
    CDCBoxPainter(CDC& dc, const CDiagramSettings& settings, bool blackAndWhite);

    CSize MeasureText(std::string_view line) override;
    void DrawBox(const CRect& box, int colourRow) override;
    /// The line laid out by LayOutBoxLine; clipped to the area.
    void DrawTextLine(const CRect& area, int top, std::string_view line, COLORREF colour) override;
    void DrawPicture(CMediaItem& picture, const CRect& rect, const RECT* crop) override;
    /// Eight squares, at the corners and the middles of the sides, from 2 pixels before to 4
    /// after each point, in the system highlight colour without outline; removing repaints
    /// them (window set) instead.
    void DrawHandles(const CRect& box, bool remove) override;

    /// The window whose area removing handles repaints.
    void SetWindow(CWnd* window) { m_window = window; }

private:
    CDC& m_dc;
    const CDiagramSettings& m_settings;
    bool m_blackAndWhite;
    CWnd* m_window = nullptr;
    std::array<std::unique_ptr<CBrush>, kDiagramColourCount> m_brushes;
};

/// The diagram's box font: the settings' font with its height negated, width 0 and the output
/// precision, clip precision and quality the diagram uses.
LOGFONT DiagramBoxFont(const CDiagramSettings& settings);

/// A measuring context for boxes, owning its context and the diagram font selected into it.
class CBoxMeasurer : public IBoxPainter {
public:
    ~CBoxMeasurer() override;
    /// The printer's context in the diagram's orientation ("Print landscape"), measured on a
    /// copy of the program's printer settings; without a printer the window's. prepare (may be
    /// empty) sets the context up as for painting; it is told whether the context is a
    /// printer's. Null when no context can be made.
    static std::unique_ptr<CBoxMeasurer>
    Create(const CDiagramSettings& settings, CWnd* window,
           const std::function<void(CDC&, bool printer)>& prepare);
    bool OnPrinter() const { return m_printer; }
    CDC& DC() { return *m_dc; }

    CSize MeasureText(std::string_view line) override { return m_painter->MeasureText(line); }
    void DrawBox(const CRect& box, int row) override { m_painter->DrawBox(box, row); }
    void DrawTextLine(const CRect& area, int top, std::string_view line, COLORREF colour) override
    {
        m_painter->DrawTextLine(area, top, line, colour);
    }
    void DrawPicture(CMediaItem& picture, const CRect& rect, const RECT* crop) override
    {
        m_painter->DrawPicture(picture, rect, crop);
    }
    void DrawHandles(const CRect& box, bool remove) override
    {
        m_painter->DrawHandles(box, remove);
    }

private:
    CBoxMeasurer() = default;

    std::unique_ptr<CDC> m_dc;
    bool m_printer = false;
    CFont m_font;
    CFont* m_oldFont = nullptr;
    std::unique_ptr<CDCBoxPainter> m_painter;
};
