// common/rect_text.cpp: rectangles to text and back.
#include "common/rect_text.h"

#include "platform/base/text.h"

std::string RectToText(const RECT& rect)
{
    return text::Format("{%d,%d,%d,%d}", rect.top, rect.left, rect.bottom, rect.right);
}

bool TextToRect(std::string_view text, CRect& rect)
{
    rect.SetRectEmpty();
    std::size_t pos = 0;
    while (pos < text.size() && (text::IsSpace(text[pos]) || text[pos] == '{'))
        ++pos;
    long values[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ',')
                return false;
            ++pos;
        }
        std::size_t used = 0;
        values[i] = text::ParseLeadingInt(text.substr(pos), &used);
        if (used == 0)
            return false;
        pos += used;
    }
    rect.SetRect(static_cast<int>(values[1]), static_cast<int>(values[0]),
                 static_cast<int>(values[3]), static_cast<int>(values[2]));
    return true;
}
