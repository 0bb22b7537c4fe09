// common/font_text.h: the text form of a font kept in profiles and settings files.
#pragma once

#include "platform/base/log_font.h"

#include <string>
#include <string_view>

/// The fourteen fields of the font, comma-separated in their order: height, width, escapement,
/// orientation and weight as signed numbers, the eight byte fields as unsigned numbers, then the
/// face name. The height is written as stored.
std::string FontToText(const LOGFONT& font);
/// Reads the font text: each numeric field is the decimal value of the text up to the next comma
/// (a missing field reads 0); the face name is the rest, cut to 31 bytes without cutting a
/// character.
void TextToFont(std::string_view text, LOGFONT& font);
