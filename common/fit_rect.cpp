// common/fit_rect.cpp: fitting sizes and rectangles.
#include "common/fit_rect.h"

void FitRect(int& width, int& height, const RECT& rect, bool enlarge)
{
    const CRect room(rect);
    if (width <= 0 || height <= 0 || room.IsRectEmpty())
        return;
    if (!enlarge && width <= room.Width() && height <= room.Height())
        return;
    if (static_cast<long long>(width) * room.Height() >
        static_cast<long long>(height) * room.Width()) {
        height = MulDiv(height, room.Width(), width);
        width = room.Width();
    } else {
        width = MulDiv(width, room.Height(), height);
        height = room.Height();
    }
}

void FitRectToAspect(CRect& rect, int width, int height, bool widthOnly)
{
    if (width <= 0 || height <= 0 || rect.IsRectEmpty())
        return;
    const int fittedWidth = MulDiv(rect.Height(), width, height);
    if (fittedWidth >= 0 && fittedWidth < rect.Width()) {
        rect.left += (rect.Width() - fittedWidth) / 2;
        rect.right = rect.left + fittedWidth;
        return;
    }
    if (widthOnly)
        return;
    const int fittedHeight = MulDiv(rect.Width(), height, width);
    if (fittedHeight >= 0 && fittedHeight < rect.Height()) {
        rect.top += (rect.Height() - fittedHeight) / 2;
        rect.bottom = rect.top + fittedHeight;
    }
}
