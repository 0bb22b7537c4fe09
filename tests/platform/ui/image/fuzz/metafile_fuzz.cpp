// tests/platform/ui/image/fuzz/metafile_fuzz.cpp: arbitrary bytes played as a WMF or EMF onto a
// canvas that checks every call it gets.
#include "platform/ui/image/metafile_records.h"

#include <cstddef>
#include <cstdint>

namespace {

class CheckingCanvas final : public image::MetafileCanvas {
public:
    bool Begin(std::uint32_t width, std::uint32_t height) override
    {
        if (width == 0 || height == 0 || std::uint64_t(width) * height > image::kMaxImagePixels)
            __builtin_trap();
        return true;
    }
    void Polyline(const image::MetafileState& state, std::span<const POINT> points) override
    {
        Check(state, points.size() >= 2);
    }
    void Polygon(const image::MetafileState& state, std::span<const POINT> points) override
    {
        Check(state, points.size() >= 2);
    }
    void Rectangle(const image::MetafileState& state, const RECT& box) override
    {
        Check(state, box.left <= box.right && box.top <= box.bottom);
    }
    void Ellipse(const image::MetafileState& state, const RECT& box) override
    {
        Check(state, box.left <= box.right && box.top <= box.bottom);
    }
    void Text(const image::MetafileState& state, POINT, const std::string& text) override
    {
        Check(state, !text.empty());
    }
    void Bitmap(const image::RgbImage& bitmap, const RECT& source, const RECT&) override
    {
        if (bitmap.pixels.size() != std::size_t(bitmap.width) * bitmap.height * 3 ||
            source.right <= source.left || source.bottom <= source.top)
            __builtin_trap();
    }

private:
    static void Check(const image::MetafileState& state, bool shape)
    {
        if (!shape || state.penWidth < 1 || state.penWidth > 1000 || state.font.lfHeight == 0 ||
            state.font.lfFaceName[LF_FACESIZE - 1] != 0)
            __builtin_trap();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckingCanvas canvas;
    image::PlayMetafile(std::span<const std::uint8_t>(data, size), 100, 100, canvas);
    return 0;
}
