// tests/platform/ui/image/fuzz/psd_fuzz.cpp: arbitrary bytes read as a PSD picture.
#include "platform/ui/image/psd_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto source = image::ImageSource::FromBytes(std::vector<std::uint8_t>(data, data + size));
    image::RgbImage picture;
    if (image::ReadPsd(*source, picture) &&
        picture.pixels.size() != std::size_t(picture.width) * picture.height * 3)
        __builtin_trap();
    return 0;
}
