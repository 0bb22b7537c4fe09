// common/font_text.cpp: fonts to text and back.
#include "common/font_text.h"

#include "platform/base/text.h"

#include <cstring>

namespace {

/// The decimal value of the field at pos and pos moved past the comma that ends it.
long NextField(std::string_view text, std::size_t& pos)
{
    const std::size_t comma = text.find(',', pos);
    const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
    const long value = text::ParseLeadingInt(text.substr(pos, end - pos));
    pos = comma == std::string_view::npos ? text.size() : comma + 1;
    return value;
}

} // namespace

std::string FontToText(const LOGFONT& font)
{
    return text::Format("%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,%s", font.lfHeight,
                        font.lfWidth, font.lfEscapement, font.lfOrientation, font.lfWeight,
                        font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet,
                        font.lfOutPrecision, font.lfClipPrecision, font.lfQuality,
                        font.lfPitchAndFamily, font.lfFaceName);
}

void TextToFont(std::string_view text, LOGFONT& font)
{
    std::size_t pos = 0;
    font.lfHeight = static_cast<LONG>(NextField(text, pos));
    font.lfWidth = static_cast<LONG>(NextField(text, pos));
    font.lfEscapement = static_cast<LONG>(NextField(text, pos));
    font.lfOrientation = static_cast<LONG>(NextField(text, pos));
    font.lfWeight = static_cast<LONG>(NextField(text, pos));
    for (BYTE* field :
         {&font.lfItalic, &font.lfUnderline, &font.lfStrikeOut, &font.lfCharSet,
          &font.lfOutPrecision, &font.lfClipPrecision, &font.lfQuality, &font.lfPitchAndFamily})
        *field = static_cast<BYTE>(NextField(text, pos));
    const std::string_view face = text.substr(pos);
    const std::size_t length = text::Utf8Boundary(face, LF_FACESIZE - 1);
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), length);
}
