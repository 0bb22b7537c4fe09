// platform/ui/detail/text_layout.h: the lines DrawText shows: prefix characters, paragraphs,
// word wrapping and the end ellipsis.
#pragma once

#include "platform/base/types.h"

#include <QFontMetrics>
#include <QString>

#include <vector>

namespace ui_detail {

struct TextLine {
    QString text;
    int width = 0;
    /// The index of the character to underline ("&x"), or -1.
    int underline = -1;
};

/// Lays text out for DrawText's format within width pixels: without DT_NOPREFIX "&&" shows
/// "&" and "&x" underlines x; DT_SINGLELINE drops line breaks, else each line break starts a
/// line; DT_WORDBREAK wraps at blanks (a word longer than the width keeps its own line);
/// DT_END_ELLIPSIS cuts a line that is too wide and ends it with "...". Empty text gives one
/// empty line.
std::vector<TextLine> LayoutText(const QString& text, UINT format, int width,
                                 const QFontMetrics& metrics);

} // namespace ui_detail
