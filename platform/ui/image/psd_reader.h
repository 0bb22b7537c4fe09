// platform/ui/image/psd_reader.h: our reader of Photoshop pictures: the flattened composite,
// raw or run-length encoded, 8 bits a channel, RGB, grey or indexed.
#pragma once

#include "platform/ui/image/image_source.h"

namespace image {

/// Decodes the composite picture into packed R, G, B rows; layers are not read. False with the
/// last error IMAGE_ERROR_FORMAT for a header that is no Photoshop picture or a run that passes
/// its row, IMAGE_ERROR_UNSUPPORTED for another depth or colour mode, IMAGE_ERROR_READ when the
/// file is cut short, IMAGE_ERROR_MEMORY when it declares too large a size.
bool ReadPsd(ImageSource& source, RgbImage& picture);

} // namespace image
