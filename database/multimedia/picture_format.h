// database/multimedia/picture_format.h: the program's picture format codes and their words and file
// extensions (a multimedia FORM field holds the word, never the code).
#pragma once

#include <string_view>

/// The picture formats the picture class reads; 0 is none or not recognised.
enum PictureFormat : int {
    PICTURE_FORMAT_NONE = 0,
    PICTURE_FORMAT_JPEG = 1,
    PICTURE_FORMAT_PNG = 3,
    PICTURE_FORMAT_BMP = 6,
    PICTURE_FORMAT_PCX = 9,
    PICTURE_FORMAT_TIFF = 12,
    PICTURE_FORMAT_TGA = 16,
    PICTURE_FORMAT_WMF = 19,
    PICTURE_FORMAT_PSD = 20,
    PICTURE_FORMAT_EMF = 23,
};

/// The format word of a code ("jpeg", "png", "bmp", "pcx", "tiff", "tga", "wmf", "psd"); empty
/// for an enhanced metafile and for any other code.
std::string_view PictureFormatName(int format);
/// The code of a format word ("jpg" and "tif" too), compared without regard to case; 0 for any
/// other word (the enhanced metafile has no word, and "gif" is not read as a picture).
int PictureFormatFromName(std::string_view word);
/// The code of a file's extension (from the last "." on, trailing white space trimmed, without
/// regard to case): .BMP, .JPG, .JPEG, .PNG, .PCX, .TIF, .TIFF, .WMF, .EMF, .TGA and .PSD; 0
/// for a name without an extension or with another one.
int PictureFormatFromExtension(std::string_view path);
