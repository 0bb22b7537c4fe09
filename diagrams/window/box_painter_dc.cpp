// diagrams/window/box_painter_dc.cpp: boxes measured and painted on a device context, and the
// context they are measured on.
#include "diagrams/window/box_painter_dc.h"

#include "database/multimedia/media_item.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/window/zoom_draw.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/printing/printer_settings.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {

/// A handle reaches from this many pixels before its point to kHandleAfter after it.
constexpr int kHandleBefore = 2, kHandleAfter = 4;

/// The eight handle squares of a box, in pixels.
std::array<CRect, 8> HandleSquares(const CDC& dc, const CRect& box)
{
    CRect device(box);
    dc.LPtoDP(&device);
    device.NormalizeRect();
    const int midX = (device.left + device.right) / 2, midY = (device.top + device.bottom) / 2;
    const std::array<POINT, 8> points = {{{device.left, device.top},
                                          {midX, device.top},
                                          {device.right, device.top},
                                          {device.right, midY},
                                          {device.right, device.bottom},
                                          {midX, device.bottom},
                                          {device.left, device.bottom},
                                          {device.left, midY}}};
    std::array<CRect, 8> squares;
    for (std::size_t i = 0; i < points.size(); ++i)
        squares[i] = CRect(points[i].x - kHandleBefore, points[i].y - kHandleBefore,
                           points[i].x + kHandleAfter, points[i].y + kHandleAfter);
    return squares;
}

/// A line drawn closer than its own spacing keeps at least this share of it (in quarters).
constexpr int kClosestSpacingQuarters = 3;

/// The line's characters moved closer, whole, so that the run is no wider than width; empty
/// when that would take them closer than kClosestSpacingQuarters allows.
std::vector<int> CloserAdvances(CDC& dc, std::string_view line, int width)
{
    std::vector<int> ends; // the run's extent after each byte, in logical units
    int fit = 0;
    if (!dc.GetTextExtentExPoint(line, INT_MAX, &fit, &ends, nullptr) || ends.size() != line.size())
        return {};
    // Where each character starts (at its first byte), and the last one's own advance.
    std::vector<std::size_t> starts{0};
    for (std::size_t at = 1; at < line.size(); ++at)
        if ((static_cast<unsigned char>(line[at]) & 0xC0) != 0x80)
            starts.push_back(at);
    const std::size_t last = starts.back();
    const long long lastStart = last == 0 ? 0 : ends[last - 1];
    const long long lastAdvance = ends.back() - lastStart;
    const long long room = std::min<long long>(width - lastAdvance, lastStart);
    if (lastStart <= 0 || room * 4 < lastStart * kClosestSpacingQuarters)
        return {};
    // Each character starts at its own start scaled by room / lastStart, rounded down, so the
    // last one ends within the width.
    std::vector<int> advances(line.size(), 0);
    const auto placed = [&](std::size_t index) {
        const long long start = starts[index] == 0 ? 0 : ends[starts[index] - 1];
        return start * room / lastStart;
    };
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        advances[starts[i]] = int(placed(i + 1) - placed(i));
    advances[last] = int(lastAdvance);
    return advances;
}

} // namespace

BoxLineLayout LayOutBoxLine(CDC& dc, const CRect& area, std::string_view line)
{
    BoxLineLayout layout;
    const int width = std::max(0, int(area.Width()));
    layout.shown = line;
    layout.width = int(GetTextSize(dc, line).cx);
    if (layout.width > width) {
        layout.advances = CloserAdvances(dc, line, width);
        if (!layout.advances.empty()) {
            layout.width = 0;
            for (int advance : layout.advances)
                layout.width += advance;
        } else {
            int fit = 0;
            if (dc.GetTextExtentExPoint(line, width, &fit, nullptr, nullptr)) {
                layout.shown = line.substr(0, std::size_t(std::clamp(fit, 0, int(line.size()))));
                layout.width = int(GetTextSize(dc, layout.shown).cx);
            }
        }
    }
    layout.left = int(area.left) + (width - layout.width) / 2;
    return layout;
}

bool PrintsInBlackAndWhite(const CDC& dc, const CDiagramSettings& settings)
{
    return dc.IsPrinting() && settings.m_printBlackAndWhite;
}

CDCBoxPainter::CDCBoxPainter(CDC& dc, const CDiagramSettings& settings, bool blackAndWhite)
    : m_dc(dc), m_settings(settings), m_blackAndWhite(blackAndWhite)
{
}

CSize CDCBoxPainter::MeasureText(std::string_view line)
{
    return GetTextSize(m_dc, line);
}

void CDCBoxPainter::DrawBox(const CRect& box, int colourRow)
{
    if (colourRow < 0 || colourRow >= kDiagramColourCount)
        return;
    const DiagramColourEntry& entry = m_settings.m_colours[std::size_t(colourRow)];
    const bool hollow = entry.transparencyAllowed && entry.transparent;
    CGdiObject* old = nullptr;
    if (hollow || m_blackAndWhite) {
        old = m_dc.SelectStockObject(hollow ? HOLLOW_BRUSH : WHITE_BRUSH);
    } else {
        auto& brush = m_brushes[std::size_t(colourRow)];
        if (!brush)
            brush = std::make_unique<CBrush>(entry.colour);
        old = m_dc.SelectObject(brush.get());
    }
    DrawRectangleZoomed(m_dc, box, kZoomLogical);
    if (old)
        m_dc.SelectObject(old);
}

void CDCBoxPainter::DrawTextLine(const CRect& area, int top, std::string_view line, COLORREF colour)
{
    if (line.empty())
        return;
    const BoxLineLayout layout = LayOutBoxLine(m_dc, area, line);
    if (layout.shown.empty())
        return;
    const COLORREF oldColour = m_dc.SetTextColor(m_blackAndWhite ? RGB(0, 0, 0) : colour);
    const int oldMode = m_dc.SetBkMode(TRANSPARENT);
    const UINT oldAlign = m_dc.SetTextAlign(TA_TOP | TA_LEFT);
    const CRect clip(area.left, std::max(area.top, area.bottom), area.right,
                     std::min(area.top, area.bottom));
    m_dc.ExtTextOut(layout.left, top, ETO_CLIPPED, &clip, layout.shown,
                    layout.advances.empty() ? nullptr : layout.advances.data());
    m_dc.SetTextAlign(oldAlign);
    m_dc.SetBkMode(oldMode);
    m_dc.SetTextColor(oldColour);
}

void CDCBoxPainter::DrawPicture(CMediaItem& picture, const CRect& rect, const RECT* crop)
{
    CRect target(rect);
    target.NormalizeRect();
    picture.DrawFitted(m_dc, target, crop);
}

void CDCBoxPainter::DrawHandles(const CRect& box, bool remove)
{
    const auto squares = HandleSquares(m_dc, box);
    if (remove) {
        if (m_window)
            for (const CRect& square : squares)
                m_window->InvalidateRect(&square, TRUE);
        return;
    }
    if (m_blackAndWhite)
        return;
    if (m_dc.SaveDC() <= 0)
        return;
    m_dc.SetMapMode(MM_TEXT);
    m_dc.SetViewportOrg(0, 0);
    m_dc.SetWindowOrg(0, 0);
    CBrush highlight(GetSysColor(COLOR_HIGHLIGHT));
    for (const CRect& square : squares)
        m_dc.FillRect(&square, &highlight);
    m_dc.RestoreDC(-1);
}

LOGFONT DiagramBoxFont(const CDiagramSettings& settings)
{
    LOGFONT font = settings.m_boxFont;
    font.lfHeight = -font.lfHeight;
    font.lfWidth = 0;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 0;
    font.lfQuality = 0;
    return font;
}

CBoxMeasurer::~CBoxMeasurer()
{
    m_painter.reset();
    if (m_dc && m_oldFont)
        m_dc->SelectObject(m_oldFont);
}

std::unique_ptr<CBoxMeasurer>
CBoxMeasurer::Create(const CDiagramSettings& settings, CWnd* window,
                     const std::function<void(CDC&, bool printer)>& prepare)
{
    std::unique_ptr<CBoxMeasurer> measurer(new CBoxMeasurer);
    if (CWinApp* app = AfxGetApp()) {
        // A copy, so that measuring leaves the orientation of the user's print jobs alone.
        CPrinterSettings printer(app->GetPrinterSettings());
        if (printer.LoadDefaults()) {
            printer.SetOrientation(settings.m_printLandscape ? DMORIENT_LANDSCAPE
                                                             : DMORIENT_PORTRAIT);
            auto dc = std::make_unique<CDC>();
            if (printer.CreatePrinterDC(*dc)) {
                measurer->m_dc = std::move(dc);
                measurer->m_printer = true;
            }
        }
    }
    if (!measurer->m_dc) {
        if (!window)
            return nullptr;
        measurer->m_dc = std::make_unique<CClientDC>(window);
    }
    CDC& dc = *measurer->m_dc;
    if (prepare)
        prepare(dc, measurer->m_printer);
    const LOGFONT font = DiagramBoxFont(settings);
    measurer->m_font.CreateFontIndirect(&font);
    measurer->m_oldFont = dc.SelectObject(&measurer->m_font);
    measurer->m_painter = std::make_unique<CDCBoxPainter>(dc, settings, false);
    return measurer;
}
