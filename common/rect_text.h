// common/rect_text.h: the text form of a rectangle kept in profiles and the registry.
#pragma once

#include "platform/base/geometry.h"

#include <string>
#include <string_view>

/// "{top,left,bottom,right}": note the order, which is not the structure's.
std::string RectToText(const RECT& rect);
/// Reads the rectangle text; leading white space and braces are skipped. False, with the
/// rectangle all zero, unless four numbers separated by commas are found.
bool TextToRect(std::string_view text, CRect& rect);
