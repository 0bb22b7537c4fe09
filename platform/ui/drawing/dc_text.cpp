// platform/ui/drawing/dc_text.cpp: text output, DrawText, extents, character placement,
// justification and metrics, in logical units through the mapping.
#include "platform/ui/drawing/dc.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/text_layout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

using ui_detail::DcImpl;
using ui_detail::DcPainter;
using ui_detail::ToQColor;

namespace {

/// One piece of a run of text and where it starts, in pixels from the run's left edge.
struct Piece {
    QString text;
    int x = 0;
};

/// One character of UTF-8 text: its bytes and its advance in device pixels. A byte that
/// starts no valid character stands alone.
struct Cell {
    std::size_t byte = 0, length = 1;
    double advance = 0;
};

std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (at + need > text.size())
        return 1;
    for (std::size_t i = 1; i < need; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    return need;
}

std::vector<Cell> Cells(std::string_view text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    std::vector<Cell> cells;
    for (std::size_t at = 0; at < text.size();) {
        Cell cell;
        cell.byte = at;
        cell.length = CharacterLength(text, at);
        cell.advance =
            metrics.horizontalAdvance(QString::fromUtf8(text.data() + at, qsizetype(cell.length)));
        cells.push_back(cell);
        at += cell.length;
    }
    return cells;
}

/// Device pixels along x as logical units, rounded.
int ToLogicalWidth(const DcImpl& dc, double pixels)
{
    const auto& s = dc.state;
    return int(
        std::lround(pixels * std::abs(s.windowExt.width()) / std::abs(s.viewportExt.width())));
}

/// The extra pixels after each blank of a text with blanks blanks under the justification.
std::vector<int> BlankExtras(const ui_detail::DcState& state, int blanks)
{
    std::vector<int> extras;
    if (state.justifyBreaks <= 0 || state.justifyExtra == 0)
        return extras;
    const int share = state.justifyExtra / state.justifyBreaks;
    const int remainder = state.justifyExtra % state.justifyBreaks;
    for (int i = 0; i < blanks; ++i)
        extras.push_back(share + (i < remainder ? 1 : 0));
    return extras;
}

/// The pieces of a run and its width in device pixels: one piece, or under justification a
/// piece after each blank, moved on by the blank's extra space.
std::vector<Piece> JustifiedPieces(const ui_detail::DcState& state, const QString& text,
                                   const QFontMetrics& metrics, int* width)
{
    const auto extras = BlankExtras(state, int(text.count(QChar(' '))));
    if (extras.empty()) {
        *width = metrics.horizontalAdvance(text);
        return {{text, 0}};
    }
    // Each piece starts where the whole text's advance puts it, so that pixel rounding of
    // the pieces never adds up.
    std::vector<Piece> pieces;
    int extra = 0, start = 0;
    std::size_t blank = 0;
    for (int i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QChar(' '))
            continue;
        const int end = i < text.size() ? i + 1 : i;
        pieces.push_back(
            {text.mid(start, end - start), metrics.horizontalAdvance(text.left(start)) + extra});
        if (i < text.size())
            extra += extras[blank++];
        start = end;
    }
    *width = metrics.horizontalAdvance(text) + extra;
    return pieces;
}

/// The pieces of a run whose characters take the advances of dx (logical, one per byte).
std::vector<Piece> PlacedPieces(const DcImpl& dc, std::string_view text, const int* dx, int* width)
{
    std::vector<Piece> pieces;
    long long logical = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at);
        pieces.push_back({QString::fromUtf8(text.data() + at, qsizetype(length)),
                          dc.WidthToDevice(int(logical))});
        for (std::size_t i = 0; i < length; ++i)
            logical += dx[at + i];
        at += length;
    }
    *width = dc.WidthToDevice(int(logical));
    return pieces;
}

/// One run of text with its top-left corner at (x, top): the background cell when opaque, the
/// pieces on the baseline, and the underline of a prefix character.
void DrawRun(DcPainter& painter, const DcImpl& dc, const QFontMetrics& metrics, QPoint topLeft,
             const std::vector<Piece>& pieces, int width, int underline = -1)
{
    const ui_detail::DcState& state = dc.state;
    const int height = metrics.ascent() + metrics.descent();
    if (state.bkMode == OPAQUE)
        painter->fillRect(QRect(topLeft.x(), topLeft.y(), width, height), ToQColor(state.bkColour));
    painter->setFont(dc.Font());
    painter->setPen(ToQColor(state.textColour));
    const int baseline = topLeft.y() + metrics.ascent();
    for (const Piece& piece : pieces)
        painter->drawText(QPoint(topLeft.x() + piece.x, baseline), piece.text);
    if (pieces.size() != 1 || underline < 0 || underline >= pieces[0].text.size())
        return;
    const QString& text = pieces[0].text;
    const int length = text[underline].isHighSurrogate() ? 2 : 1;
    const int x = topLeft.x() + metrics.horizontalAdvance(text.left(underline));
    const int underlineWidth = metrics.horizontalAdvance(text.mid(underline, length));
    painter->fillRect(QRect(x, baseline + 1, underlineWidth, 1), ToQColor(state.textColour));
}

int AlignedLeft(int x, int width, UINT align)
{
    if ((align & TA_CENTER) == TA_CENTER)
        return x - width / 2;
    if (align & TA_RIGHT)
        return x - width;
    return x;
}

int AlignedTop(int y, const QFontMetrics& metrics, UINT align)
{
    if ((align & TA_BASELINE) == TA_BASELINE)
        return y - metrics.ascent();
    if (align & TA_BOTTOM)
        return y - metrics.ascent() - metrics.descent();
    return y;
}

} // namespace

BOOL CDC::TextOut(int x, int y, std::string_view text)
{
    return ExtTextOut(x, y, 0, nullptr, text);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text,
                     const int* dx)
{
    ui_detail::DcState& state = m_impl->state;
    const QFontMetrics metrics(m_impl->Font());
    int width = 0;
    const auto pieces = dx ? PlacedPieces(*m_impl, text, dx, &width)
                           : JustifiedPieces(state, ui_detail::ToQString(text), metrics, &width);
    const UINT align = state.textAlign;
    const QPoint origin = (align & TA_UPDATECP)
                              ? m_impl->ToDevice(state.position.x(), state.position.y())
                              : m_impl->ToDevice(x, y);
    const QPoint topLeft(AlignedLeft(origin.x(), width, align),
                         AlignedTop(origin.y(), metrics, align));
    {
        DcPainter painter(*m_impl);
        if (painter.IsActive()) {
            const QRect box = rect ? m_impl->ToDevice(*rect) : QRect();
            if (rect && (options & ETO_OPAQUE))
                painter->fillRect(box, ToQColor(state.bkColour));
            if (rect && (options & ETO_CLIPPED))
                painter.Narrow(box);
            DrawRun(painter, *m_impl, metrics, topLeft, pieces, width);
        }
    }
    if (align & TA_UPDATECP) {
        const int logicalWidth = m_impl->WidthToLogical(width);
        if ((align & TA_CENTER) == TA_LEFT)
            state.position.rx() += logicalWidth;
        else if ((align & TA_CENTER) == TA_RIGHT)
            state.position.rx() -= logicalWidth;
    }
    return TRUE;
}

int CDC::DrawText(std::string_view text, RECT* rect, UINT format)
{
    if (!rect)
        return 0;
    const ui_detail::DcState& state = m_impl->state;
    const QFontMetrics metrics(m_impl->Font());
    const QRect device = m_impl->ToDevice(*rect);
    const CRect box(device.left(), device.top(), device.left() + device.width(),
                    device.top() + device.height());
    const UINT layoutFormat = (format & DT_CALCRECT) ? (format & ~DT_END_ELLIPSIS) : format;
    const auto lines =
        ui_detail::LayoutText(ui_detail::ToQString(text), layoutFormat, box.Width(), metrics);
    const int lineHeight = metrics.ascent() + metrics.descent();
    const int textHeight = int(lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const auto& line : lines)
            widest = std::max(widest, line.width);
        const bool wrapped =
            (format & DT_WORDBREAK) && !(format & DT_SINGLELINE) && lines.size() > 1;
        // The size found, from the rectangle's left and top corner, in logical units.
        const int width = m_impl->WidthToLogical(wrapped ? std::max(box.Width(), widest) : widest);
        const int height = m_impl->HeightToLogical(textHeight);
        const bool xRight = (state.viewportExt.width() < 0) == (state.windowExt.width() < 0);
        const bool yDown = (state.viewportExt.height() < 0) == (state.windowExt.height() < 0);
        rect->right = rect->left + (xRight ? width : -width);
        rect->bottom = rect->top + (yDown ? height : -height);
        return height;
    }

    int top = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = box.top + (box.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = box.bottom - lineHeight;
    }
    DcPainter painter(*m_impl);
    if (painter.IsActive()) {
        if (!(format & DT_NOCLIP))
            painter.Narrow(ui_detail::ToQRect(box));
        int y = top;
        for (const auto& line : lines) {
            int x = box.left;
            if (format & DT_CENTER)
                x = box.left + (box.Width() - line.width) / 2;
            else if (format & DT_RIGHT)
                x = box.right - line.width;
            DrawRun(painter, *m_impl, metrics, QPoint(x, y), {{line.text, 0}}, line.width,
                    line.underline);
            y += lineHeight;
        }
    }
    return m_impl->HeightToLogical(top - box.top + textHeight);
}

CSize CDC::GetTextExtent(std::string_view text) const
{
    const QFontMetrics metrics(m_impl->Font());
    int width = 0;
    JustifiedPieces(m_impl->state, ui_detail::ToQString(text), metrics, &width);
    return {m_impl->WidthToLogical(width),
            m_impl->HeightToLogical(metrics.ascent() + metrics.descent())};
}

BOOL CDC::GetTextExtentExPoint(std::string_view text, int maxExtent, int* fit,
                               std::vector<int>* partialExtents, CSize* size) const
{
    const auto cells = Cells(text, m_impl->Font());
    if (partialExtents)
        partialExtents->assign(text.size(), 0);
    int fitting = 0;
    bool fits = true;
    double pixels = 0;
    int extent = 0;
    for (const Cell& cell : cells) {
        pixels += cell.advance;
        extent = ToLogicalWidth(*m_impl, pixels);
        if (extent > maxExtent)
            fits = false;
        if (fits)
            fitting += int(cell.length);
        if (partialExtents)
            std::fill_n(partialExtents->begin() + std::ptrdiff_t(cell.byte), cell.length, extent);
    }
    if (fit)
        *fit = fitting;
    if (size) {
        const QFontMetrics metrics(m_impl->Font());
        *size = CSize(extent, m_impl->HeightToLogical(metrics.ascent() + metrics.descent()));
    }
    return TRUE;
}

CSize CDC::GetCharacterPlacement(std::string_view text, int maxExtent, GCP_RESULTS* results,
                                 DWORD flags) const
{
    if (!results)
        return {0, 0};
    const auto cells = Cells(text, m_impl->Font());
    results->dx.clear();
    results->nMaxFit = 0;
    double pixels = 0;
    int placed = 0;
    for (const Cell& cell : cells) {
        const int end = ToLogicalWidth(*m_impl, pixels + cell.advance);
        if ((flags & GCP_MAXEXTENT) && end > maxExtent)
            break;
        pixels += cell.advance;
        results->dx.push_back(end - placed);
        results->dx.insert(results->dx.end(), cell.length - 1, 0);
        results->nMaxFit += int(cell.length);
        placed = end;
    }
    const QFontMetrics metrics(m_impl->Font());
    return {placed, m_impl->HeightToLogical(metrics.ascent() + metrics.descent())};
}

BOOL CDC::SetTextJustification(int breakExtra, int breakCount)
{
    auto& state = m_impl->state;
    if (breakExtra <= 0 || breakCount <= 0) {
        state.justifyExtra = state.justifyBreaks = 0;
        return TRUE;
    }
    state.justifyExtra = m_impl->WidthToDevice(breakExtra);
    state.justifyBreaks = breakCount;
    return TRUE;
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    const ui_detail::DcState& state = m_impl->state;
    const QFontMetrics metrics(m_impl->Font());
    const auto height = [this](int pixels) { return LONG(m_impl->HeightToLogical(pixels)); };
    const auto width = [this](int pixels) { return LONG(m_impl->WidthToLogical(pixels)); };
    *tm = TEXTMETRIC();
    tm->tmAscent = height(metrics.ascent());
    tm->tmDescent = height(metrics.descent());
    tm->tmHeight = height(metrics.ascent() + metrics.descent());
    tm->tmInternalLeading =
        height(std::max(0, metrics.ascent() + metrics.descent() - m_impl->Font().pixelSize()));
    tm->tmExternalLeading = height(std::max(0, metrics.leading()));
    tm->tmAveCharWidth = width(metrics.averageCharWidth());
    tm->tmMaxCharWidth = width(metrics.maxWidth());
    tm->tmWeight = m_impl->Font().weight();
    tm->tmItalic = state.font.lfItalic;
    tm->tmUnderlined = state.font.lfUnderline;
    tm->tmStruckOut = state.font.lfStrikeOut;
    tm->tmCharSet = state.font.lfCharSet;
    // The pitch bit means variable pitch, as the program's dialog-unit rules expect.
    const bool fixed = QFontInfo(m_impl->Font()).fixedPitch();
    tm->tmPitchAndFamily =
        BYTE((state.font.lfPitchAndFamily & 0xF0) | (fixed ? 0 : TMPF_FIXED_PITCH));
    return TRUE;
}
