// platform/ui/image/tga_reader.h: our reader of Targa pictures (colour-mapped, true-colour and
// grey, raw or run-length encoded).
#pragma once

#include "platform/ui/image/image_source.h"

namespace image {

/// Decodes the source into packed R, G, B rows. False with the last error IMAGE_ERROR_TGA for
/// a header that is no Targa picture or a run that passes the picture's end, IMAGE_ERROR_READ
/// when the pixels are cut short, IMAGE_ERROR_MEMORY when it declares too large a size.
bool ReadTga(ImageSource& source, RgbImage& picture);

} // namespace image
