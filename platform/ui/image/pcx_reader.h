// platform/ui/image/pcx_reader.h: our reader of PCX pictures (1-, 4- and 8-bit paletted, and
// 24-bit planar), run-length encoded.
#pragma once

#include "platform/ui/image/image_source.h"

namespace image {

/// Decodes the source into packed R, G, B rows. False with the last error IMAGE_ERROR_PCX for
/// a header that is no PCX picture this reader knows or a 256-colour picture without its
/// palette, IMAGE_ERROR_READ when the pixels are cut short, IMAGE_ERROR_MEMORY when it
/// declares too large a size.
bool ReadPcx(ImageSource& source, RgbImage& picture);

} // namespace image
