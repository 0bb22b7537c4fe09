#include "platform/ui/image/metafile_player.h"

namespace image {

bool ReadMetafileToRgb(const std::string& /*path*/, RgbImage& picture, int /*dpiX*/, int /*dpiY*/,
                       COLORREF /*background*/)
{
    picture = RgbImage();
    SetLastError(IMAGE_ERROR_UNSUPPORTED);
    return false;
}

} // namespace image
