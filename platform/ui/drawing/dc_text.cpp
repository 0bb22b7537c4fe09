// platform/ui/drawing/dc_text.cpp: text output, DrawText, extents and metrics.
#include "platform/ui/drawing/dc.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/text_layout.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

using ui_detail::DcPainter;
using ui_detail::ToQColor;

namespace {

/// One run of text with its top-left corner at (x, top): the background cell when opaque, the
/// glyphs on the baseline, and the underline of a prefix character.
void DrawRun(DcPainter& painter, const ui_detail::DcState& state, const QFontMetrics& metrics,
             QPoint topLeft, const ui_detail::TextLine& line)
{
    const int height = metrics.ascent() + metrics.descent();
    if (state.bkMode == OPAQUE)
        painter->fillRect(QRect(topLeft.x(), topLeft.y(), line.width, height),
                          ToQColor(state.bkColour));
    painter->setFont(state.qfont);
    painter->setPen(ToQColor(state.textColour));
    const int baseline = topLeft.y() + metrics.ascent();
    painter->drawText(QPoint(topLeft.x(), baseline), line.text);
    if (line.underline < 0 || line.underline >= line.text.size())
        return;
    const int length = line.text[line.underline].isHighSurrogate() ? 2 : 1;
    const int x = topLeft.x() + metrics.horizontalAdvance(line.text.left(line.underline));
    const int width = metrics.horizontalAdvance(line.text.mid(line.underline, length));
    painter->fillRect(QRect(x, baseline + 1, width, 1), ToQColor(state.textColour));
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
    ui_detail::DcState& state = m_impl->state;
    const QFontMetrics metrics(state.qfont);
    ui_detail::TextLine line;
    line.text = ui_detail::ToQString(text);
    line.width = metrics.horizontalAdvance(line.text);
    const UINT align = state.textAlign;
    const QPoint origin = (align & TA_UPDATECP) ? state.position : QPoint(x, y);
    const QPoint topLeft(AlignedLeft(origin.x(), line.width, align),
                         AlignedTop(origin.y(), metrics, align));
    {
        DcPainter painter(*m_impl);
        if (painter.IsActive())
            DrawRun(painter, state, metrics, topLeft, line);
    }
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_LEFT)
            state.position.rx() += line.width;
        else if ((align & TA_CENTER) == TA_RIGHT)
            state.position.rx() -= line.width;
    }
    return TRUE;
}

int CDC::DrawText(std::string_view text, RECT* rect, UINT format)
{
    if (!rect)
        return 0;
    const ui_detail::DcState& state = m_impl->state;
    const QFontMetrics metrics(state.qfont);
    const CRect box(*rect);
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
        rect->right = rect->left + (wrapped ? std::max(box.Width(), widest) : widest);
        rect->bottom = rect->top + textHeight;
        return textHeight;
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
            painter->setClipRect(ui_detail::ToQRect(box), Qt::IntersectClip);
        int y = top;
        for (const auto& line : lines) {
            int x = box.left;
            if (format & DT_CENTER)
                x = box.left + (box.Width() - line.width) / 2;
            else if (format & DT_RIGHT)
                x = box.right - line.width;
            DrawRun(painter, state, metrics, QPoint(x, y), line);
            y += lineHeight;
        }
    }
    return top - box.top + textHeight;
}

CSize CDC::GetTextExtent(std::string_view text) const
{
    const QFontMetrics metrics(m_impl->state.qfont);
    return {metrics.horizontalAdvance(ui_detail::ToQString(text)),
            metrics.ascent() + metrics.descent()};
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    const ui_detail::DcState& state = m_impl->state;
    const QFontMetrics metrics(state.qfont);
    *tm = TEXTMETRIC();
    tm->tmAscent = metrics.ascent();
    tm->tmDescent = metrics.descent();
    tm->tmHeight = tm->tmAscent + tm->tmDescent;
    tm->tmInternalLeading = std::max(0, int(tm->tmHeight) - state.qfont.pixelSize());
    tm->tmExternalLeading = std::max(0, metrics.leading());
    tm->tmAveCharWidth = metrics.averageCharWidth();
    tm->tmMaxCharWidth = metrics.maxWidth();
    tm->tmWeight = state.qfont.weight();
    tm->tmItalic = state.font.lfItalic;
    tm->tmUnderlined = state.font.lfUnderline;
    tm->tmStruckOut = state.font.lfStrikeOut;
    tm->tmCharSet = state.font.lfCharSet;
    // The pitch bit means variable pitch, as the program's dialog-unit rules expect.
    const bool fixed = QFontInfo(state.qfont).fixedPitch();
    tm->tmPitchAndFamily =
        BYTE((state.font.lfPitchAndFamily & 0xF0) | (fixed ? 0 : TMPF_FIXED_PITCH));
    return TRUE;
}
