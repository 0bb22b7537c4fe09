// platform/ui/image/image_reader.h: the decoders of BMP, JPEG, PNG and TIFF files, over Qt's
// readers with the format forced.
#pragma once

#include "platform/ui/image/image_source.h"

namespace image {

// Each decodes the whole source into packed R, G, B rows (the read position does not matter).
// A file of another format fails with the format's own error even when Qt could read it: a
// PNG passed to ReadBmp is IMAGE_ERROR_BMP. Sizes beyond the ceiling give IMAGE_ERROR_MEMORY.
// Pixels are kept as stored: no orientation tag is applied.

/// IMAGE_ERROR_BMP for a file that is no bitmap.
bool ReadBmp(ImageSource& source, RgbImage& picture);
/// IMAGE_ERROR_JPEG for a file that is no JPEG; IMAGE_ERROR_READ for one cut short (no end
/// marker).
bool ReadJpeg(ImageSource& source, RgbImage& picture);
/// IMAGE_ERROR_PNG for a file that is no PNG or cannot be decoded whole.
bool ReadPng(ImageSource& source, RgbImage& picture);
/// IMAGE_ERROR_TIFF for a file that is no TIFF.
bool ReadTiff(ImageSource& source, RgbImage& picture);

} // namespace image
