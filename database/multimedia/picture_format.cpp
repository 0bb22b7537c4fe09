// database/multimedia/picture_format.cpp: the program's picture format codes and their words and
// file extensions (a multimedia FORM field holds the word, never the code).
#include "database/multimedia/picture_format.h"

#include "platform/base/text.h"

namespace {

struct FormatWord {
    int format;
    std::string_view word;
};

// Photoshop pictures have a reader of our own, so their word and extension lead to it too. The
// short words "jpg" and "tif", which make an object a picture, are read back as well; a code's
// word is its first row.
constexpr FormatWord kWords[] = {
    {PICTURE_FORMAT_JPEG, "jpeg"}, {PICTURE_FORMAT_PNG, "png"},   {PICTURE_FORMAT_BMP, "bmp"},
    {PICTURE_FORMAT_PCX, "pcx"},   {PICTURE_FORMAT_TIFF, "tiff"}, {PICTURE_FORMAT_TGA, "tga"},
    {PICTURE_FORMAT_WMF, "wmf"},   {PICTURE_FORMAT_PSD, "psd"},   {PICTURE_FORMAT_JPEG, "jpg"},
    {PICTURE_FORMAT_TIFF, "tif"},
};

struct FormatExtension {
    int format;
    std::string_view extension;
};

constexpr FormatExtension kExtensions[] = {
    {PICTURE_FORMAT_BMP, ".BMP"},   {PICTURE_FORMAT_JPEG, ".JPG"}, {PICTURE_FORMAT_JPEG, ".JPEG"},
    {PICTURE_FORMAT_PNG, ".PNG"},   {PICTURE_FORMAT_PCX, ".PCX"},  {PICTURE_FORMAT_TIFF, ".TIF"},
    {PICTURE_FORMAT_TIFF, ".TIFF"}, {PICTURE_FORMAT_WMF, ".WMF"},  {PICTURE_FORMAT_EMF, ".EMF"},
    {PICTURE_FORMAT_TGA, ".TGA"},   {PICTURE_FORMAT_PSD, ".PSD"},
};

} // namespace

std::string_view PictureFormatName(int format)
{
    for (const FormatWord& row : kWords) {
        if (row.format == format)
            return row.word;
    }
    return {};
}

int PictureFormatFromName(std::string_view word)
{
    for (const FormatWord& row : kWords) {
        if (text::EqualsNoCase(row.word, word))
            return row.format;
    }
    return PICTURE_FORMAT_NONE;
}

int PictureFormatFromExtension(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return PICTURE_FORMAT_NONE;
    const std::string extension = text::TrimRight(path.substr(dot));
    for (const FormatExtension& row : kExtensions) {
        if (text::EqualsNoCase(row.extension, extension))
            return row.format;
    }
    return PICTURE_FORMAT_NONE;
}
