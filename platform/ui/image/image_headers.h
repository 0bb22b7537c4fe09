// platform/ui/image/image_headers.h: the size and the stored resolution of JPEG, PNG and TIFF
// files, read from their headers without decoding the pixels.
#pragma once

#include "platform/ui/image/image_source.h"

namespace image {

/// A resolution as the file stores it: x and y per unit. The units are the format's own:
/// JPEG 1 per inch, 2 per centimetre; PNG 1 per metre; TIFF 2 per inch, 3 per centimetre. Unit 0
/// means the file gives none.
struct ImageResolution {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t unit = 0;
};

/// What a header tells.
struct ImageDims {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 0;
    /// PNG only: the colour type and interlace method.
    std::uint32_t colourType = 0;
    std::uint32_t interlace = 0;
    ImageResolution resolution;
};

/// The size from the frame header and the density of the JFIF header. False with the last error
/// IMAGE_ERROR_JPEG when there is no frame header.
bool JpegDims(const ImageSource& source, ImageDims& dims);
/// The size from IHDR and the pHYs chunk. False with IMAGE_ERROR_PNG without a valid IHDR.
bool PngDims(const ImageSource& source, ImageDims& dims);
/// The size and the resolution tags of the first directory. False with IMAGE_ERROR_TIFF when
/// the header or the directory cannot be read.
bool TiffDims(const ImageSource& source, ImageDims& dims);

/// The counts of texts and markers the last JPEG or PNG read kept: none are kept.
inline unsigned GetJpegInputTextCount()
{
    return 0;
}
inline unsigned GetJpegInputMarkerCount()
{
    return 0;
}
inline unsigned GetPngInputTextCount()
{
    return 0;
}

} // namespace image
