// common/fit_rect.h: scaling a picture's size into a rectangle and trimming a rectangle
// to an aspect ratio.
#pragma once

#include "platform/base/geometry.h"

/// Scales width and height, keeping their ratio by integer multiply-divide, so that they fit the
/// rectangle: a size that already fits is enlarged only when enlarge is set. A zero or negative
/// size, or an empty rectangle, leaves them unchanged.
void FitRect(int& width, int& height, const RECT& rect, bool enlarge);
/// Shrinks the rectangle to the aspect ratio width : height, keeping it centred along the side
/// that shrinks; with widthOnly only a rectangle that is too wide is changed.
void FitRectToAspect(CRect& rect, int width, int height, bool widthOnly);
