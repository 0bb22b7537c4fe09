// media/window/picture_scroll.h: the arithmetic of the picture window's scrolling: the bars'
// ranges, the offset that brings a frame into view, and the animated scroll's positions.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

/// The picture leaves this margin beyond its right and bottom edges.
inline constexpr int kPictureMargin = 5;

/// Which bars a picture of that size needs in a client area of that size (without bars), and
/// the page sizes left: a bar is needed when the picture and margin pass the client in its
/// direction, and a needed bar takes its width from the other direction.
struct ScrollLayout {
    bool horizontal = false;
    bool vertical = false;
    int pageX = 0;
    int pageY = 0;
};
ScrollLayout LayOutScrollBars(CSize picture, CSize client, int barWidth);

/// The highest scroll position of a range 0 .. maximum with that page (never below 0).
int MaxScrollPos(int maximum, int page);

/// How far to scroll so that frame (client coordinates) comes into a client area of that
/// size: its left or top edge when that lies before the area, else the amount its right or
/// bottom edge passes the area, else 0.
CSize OffsetToShow(const RECT& frame, CSize client);

/// The position at t ms of an animation from `from` to `to` over duration ms: from plus the
/// rounded share of the way; `to` once t reaches the duration (negative t counts as 0).
int AnimationPosition(int from, int to, LONG t, LONG duration);
