// platform/ui/detail/font_mapper.h: from a font description to the Qt font that stands for it
// here: face substitutions, heights, weight, style and hinting.
#pragma once

#include "platform/base/log_font.h"

#include <QFont>
#include <QString>

#include <string_view>

namespace ui_detail {

/// The installed family that stands in for a face name ("Arial" -> "Liberation Sans"); the
/// name itself when no substitute is known.
QString SubstituteFace(std::string_view face);

/// The Qt font for a description, in device pixels. A negative height is the character (em)
/// height; a positive one the cell height (ascent + descent); 0 the default size. "MS Sans
/// Serif" keeps the sizes of the bitmap face it stands for, the smallest being 8 points.
/// Hinting and kerning are off, so advances do not depend on the machine.
QFont FontFromLogFont(const LOGFONT& logFont);

} // namespace ui_detail
