// media/window/picture_scroll.cpp: the picture window's scroll arithmetic.
#include "media/window/picture_scroll.h"

#include <algorithm>

ScrollLayout LayOutScrollBars(CSize picture, CSize client, int barWidth)
{
    ScrollLayout layout;
    const int width = picture.cx + kPictureMargin;
    const int height = picture.cy + kPictureMargin;
    layout.horizontal = width > client.cx;
    layout.vertical = height > client.cy;
    // A bar takes room from the other direction, which can make the other bar needed too.
    if (layout.horizontal && !layout.vertical)
        layout.vertical = height > client.cy - barWidth;
    if (layout.vertical && !layout.horizontal)
        layout.horizontal = width > client.cx - barWidth;
    layout.pageX = std::max(0, client.cx - (layout.vertical ? barWidth : 0));
    layout.pageY = std::max(0, client.cy - (layout.horizontal ? barWidth : 0));
    return layout;
}

int MaxScrollPos(int maximum, int page)
{
    return std::max(0, maximum - std::max(page, 1) + 1);
}

CSize OffsetToShow(const RECT& frame, CSize client)
{
    const auto along = [](int low, int high, int size) {
        if (low < 0)
            return low;
        if (high > size)
            return high - size;
        return 0;
    };
    return {along(frame.left, frame.right, client.cx), along(frame.top, frame.bottom, client.cy)};
}

int AnimationPosition(int from, int to, LONG t, LONG duration)
{
    if (t < 0)
        t = 0;
    if (duration <= 0 || t >= duration)
        return to;
    return from + MulDiv(to - from, int(t), int(duration));
}
