// platform/ui/image/metafile_player.h: pictures from placeable Windows metafiles (WMF) and
// enhanced metafiles (EMF).
#pragma once

#include "platform/base/types.h"
#include "platform/ui/image/image_source.h"

#include <cstdint>
#include <span>
#include <string>

namespace image {

/// Plays the metafile at path into packed R, G, B rows on the background colour, at the given
/// dots per inch; the picture's size is the header's frame at that resolution. The records
/// are drawn with the layer's device context. False with the last error set as
/// PlayMetafile sets it, or IMAGE_ERROR_OPEN when the file cannot be read.
bool ReadMetafileToRgb(const std::string& path, RgbImage& picture, int dpiX, int dpiY,
                       COLORREF background);
/// The same over a metafile's bytes in memory.
bool ReadMetafileToRgb(std::span<const std::uint8_t> bytes, RgbImage& picture, int dpiX, int dpiY,
                       COLORREF background);

} // namespace image
