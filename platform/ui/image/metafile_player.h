// platform/ui/image/metafile_player.h: pictures from Windows metafiles (WMF) and enhanced
// metafiles (EMF).
#pragma once

#include "platform/base/types.h"
#include "platform/ui/image/image_source.h"

#include <string>

namespace image {

/// Plays the metafile at path into packed R, G, B rows on the background colour, at the given
/// dots per inch. No metafile player is built yet: every call fails with
/// IMAGE_ERROR_UNSUPPORTED.
bool ReadMetafileToRgb(const std::string& path, RgbImage& picture, int dpiX, int dpiY,
                       COLORREF background);

} // namespace image
