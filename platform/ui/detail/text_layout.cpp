// platform/ui/detail/text_layout.cpp: DrawText's line breaking.
#include "platform/ui/detail/text_layout.h"

#include "platform/ui/drawing/dc.h"

#include <QRegularExpression>

namespace ui_detail {
namespace {

const QString kEllipsis = QStringLiteral("...");

/// Resolves prefix characters: "&&" is "&", "&x" is x marked for underlining (the first).
TextLine StripPrefix(const QString& text)
{
    TextLine line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            line.text += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break;
        if (text[i + 1] == u'&') {
            line.text += u'&';
            ++i;
        } else if (line.underline < 0) {
            line.underline = int(line.text.size());
        }
    }
    return line;
}

/// Splits a paragraph into lines at blanks so that each fits width where it can.
std::vector<TextLine> Wrap(const TextLine& paragraph, int width, const QFontMetrics& metrics)
{
    std::vector<TextLine> lines;
    const QString& text = paragraph.text;
    qsizetype start = 0;
    do {
        qsizetype end = -1;
        for (qsizetype k = start; k <= text.size(); ++k) {
            if (k < text.size() && text[k] != u' ')
                continue;
            if (end >= 0 && metrics.horizontalAdvance(text.mid(start, k - start)) > width)
                break;
            end = k;
        }
        TextLine line;
        line.text = text.mid(start, end - start);
        if (paragraph.underline >= start && paragraph.underline < end)
            line.underline = int(paragraph.underline - start);
        lines.push_back(line);
        start = end;
        while (start < text.size() && text[start] == u' ')
            ++start;
    } while (start < text.size());
    return lines;
}

void AddEllipsis(TextLine& line, int width, const QFontMetrics& metrics)
{
    if (metrics.horizontalAdvance(line.text) <= width)
        return;
    qsizetype keep = line.text.size();
    while (keep > 0) {
        --keep;
        if (keep > 0 && line.text[keep].isLowSurrogate())
            --keep;
        if (metrics.horizontalAdvance(line.text.left(keep) + kEllipsis) <= width)
            break;
    }
    line.text = line.text.left(keep) + kEllipsis;
    if (line.underline >= keep)
        line.underline = -1;
}

} // namespace

std::vector<TextLine> LayoutText(const QString& text, UINT format, int width,
                                 const QFontMetrics& metrics)
{
    QStringList paragraphs;
    if (format & DT_SINGLELINE)
        paragraphs << QString(text).remove(u'\r').remove(u'\n');
    else
        paragraphs = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));

    std::vector<TextLine> lines;
    for (const QString& paragraph : paragraphs) {
        TextLine stripped;
        if (format & DT_NOPREFIX)
            stripped.text = paragraph;
        else
            stripped = StripPrefix(paragraph);
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
            for (TextLine& line : Wrap(stripped, width, metrics))
                lines.push_back(std::move(line));
        } else {
            lines.push_back(std::move(stripped));
        }
    }
    for (TextLine& line : lines) {
        if (format & DT_END_ELLIPSIS)
            AddEllipsis(line, width, metrics);
        line.width = metrics.horizontalAdvance(line.text);
    }
    return lines;
}

} // namespace ui_detail
