// platform/ui/image/image_writer.h: packed pictures written as JPEG files, for the benchmarks
// and tests that need a large picture made on the spot.
#pragma once

#include "platform/ui/image/image_source.h"

#include <string>

namespace image {

/// Writes the picture as a baseline JPEG of the quality (0 to 100); false when it cannot.
bool WriteJpeg(const RgbImage& picture, const std::string& path, int quality);

} // namespace image
