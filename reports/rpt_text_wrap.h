// reports/rpt_text_wrap.h: breaking report text into the lines that fit a column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class IRptCanvas;

/// One line of wrapped text; the last line of each paragraph is marked, as it is never stretched.
struct RptLine {
    std::string text;
    bool endsParagraph = false;
};

/// Whether text holds a CR or LF. Most report texts are one line, and are looked through
/// quickly.
bool RptHasLineEnd(std::string_view text);

/// The lines of text in the font of slot, each fitting width: a paragraph ends at CR, LF or a
/// pair of them; a line too wide breaks after its last blank that lets it fit, else after the
/// last character that fits (at least one); blanks at a break and empty lines are left out.
/// Without a canvas each paragraph is one line.
std::vector<RptLine> RptWrapText(IRptCanvas* canvas, int slot, std::string_view text, int width);
/// RptWrapText into lines, whose storage is reused. Without withText the lines are counted and
/// marked but their texts left empty: a pass that only counts pages never reads them.
void RptWrapText(IRptCanvas* canvas, int slot, std::string_view text, int width,
                 std::vector<RptLine>& lines, bool withText = true);
