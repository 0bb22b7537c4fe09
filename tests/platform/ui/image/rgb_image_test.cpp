// tests/platform/ui/image/rgb_image_test.cpp: resampling, cutting, the palette, screen bitmaps
// and drawing of packed pictures.
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/image/rgb_image.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/platform/ui/image/image_test_support.h"

#include <gtest/gtest.h>

using namespace image;

namespace {

/// A picture whose pixel (x, y) is (x, y, x + y) truncated to bytes.
RgbImage Gradient(std::uint32_t width, std::uint32_t height)
{
    RgbImage picture;
    EXPECT_TRUE(AllocateRgb(picture, width, height));
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t* p = &picture.pixels[(std::size_t(y) * width + x) * 3];
            p[0] = std::uint8_t(x);
            p[1] = std::uint8_t(y);
            p[2] = std::uint8_t(x + y);
        }
    }
    return picture;
}

} // namespace

TEST(RgbImage, ResizingAveragesTheAreaEachPixelCovers)
{
    // 4 x 2 halved: each target pixel is the mean of a 2 x 2 block.
    const std::uint8_t source[] = {0,  0,  0,  10, 10, 10, 100, 0, 0, 200, 0, 0,
                                   20, 20, 20, 30, 30, 30, 0,   0, 0, 100, 0, 0};
    std::uint8_t half[6] = {};
    ASSERT_TRUE(ResizeRgb(source, 4, 2, half, 2, 1));
    EXPECT_EQ(std::vector<std::uint8_t>(half, half + 6),
              (std::vector<std::uint8_t>{15, 15, 15, 100, 0, 0}));
    // Doubling repeats each pixel; one third covers thirds of pixels.
    std::uint8_t doubled[4 * 3 * 4] = {};
    ASSERT_TRUE(ResizeRgb(source, 2, 1, doubled, 4, 2));
    EXPECT_EQ(doubled[0], 0);
    EXPECT_EQ(doubled[3], 0);
    EXPECT_EQ(doubled[6], 10);
    EXPECT_EQ(doubled[12 + 9], 10);
    std::uint8_t third[3] = {};
    const std::uint8_t row[] = {0, 0, 0, 30, 30, 30, 90, 90, 90};
    ASSERT_TRUE(ResizeRgb(row, 3, 1, third, 1, 1));
    EXPECT_EQ(third[0], 40);

    const RgbImage big = Gradient(300, 200);
    RgbImage same;
    ASSERT_TRUE(AllocateRgb(same, 300, 200));
    ASSERT_TRUE(ResizeRgb(big.pixels.data(), 300, 200, same.pixels.data(), 300, 200));
    EXPECT_EQ(same.pixels, big.pixels) << "an equal size copies";

    SetLastError(0);
    EXPECT_FALSE(ResizeRgb(nullptr, 3, 1, third, 1, 1));
    EXPECT_EQ(LastError(), IMAGE_ERROR_NO_PIXELS);
    EXPECT_FALSE(ResizeRgb(row, 3, 1, third, 0, 1));
}

TEST(RgbImage, CroppingCopiesTheRectangleAndRefusesOneOutside)
{
    const RgbImage picture = Gradient(100, 100);
    std::vector<std::uint8_t> part(20 * 10 * 3);
    ASSERT_TRUE(CropRgb(picture.pixels.data(), 100, 100, part.data(), 10, 10, 30, 20));
    EXPECT_EQ(part[0], 10);
    EXPECT_EQ(part[1], 10);
    const std::size_t last = (9 * 20 + 19) * 3;
    EXPECT_EQ(part[last], 29);
    EXPECT_EQ(part[last + 1], 19);

    struct Bad {
        LONG left, top, right, bottom;
    };
    for (const Bad& bad : {Bad{30, 10, 10, 20}, Bad{-1, 0, 10, 10}, Bad{0, 0, 101, 10},
                           Bad{0, 95, 10, 105}, Bad{5, 5, 5, 9}}) {
        SetLastError(0);
        EXPECT_FALSE(CropRgb(picture.pixels.data(), 100, 100, part.data(), bad.left, bad.top,
                             bad.right, bad.bottom))
            << bad.left << "," << bad.top << "," << bad.right << "," << bad.bottom;
        EXPECT_EQ(LastError(), IMAGE_ERROR_FORMAT);
    }
    EXPECT_FALSE(CropRgb(nullptr, 100, 100, part.data(), 0, 0, 1, 1));
    EXPECT_EQ(LastError(), IMAGE_ERROR_NO_PIXELS);
}

TEST(RgbImage, ThePaletteHoldsThePicturesColours)
{
    // Three colours in unequal amounts: each gets an entry; the rest are black.
    RgbImage picture;
    ASSERT_TRUE(AllocateRgb(picture, 10, 10));
    for (std::size_t i = 0; i < 100; ++i) {
        std::uint8_t* p = &picture.pixels[i * 3];
        if (i < 60) {
            p[0] = 250; // red
        } else if (i < 90) {
            p[2] = 250; // blue
        } else {
            p[0] = p[1] = p[2] = 128;
        }
    }
    PaletteQuad entries[256];
    ASSERT_TRUE(Palette256(picture.pixels.data(), 10, 10, 256, entries));
    const auto has = [&](int red, int green, int blue) {
        for (const PaletteQuad& q : entries) {
            if (std::abs(q.red - red) <= 4 && std::abs(q.green - green) <= 4 &&
                std::abs(q.blue - blue) <= 4)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has(250, 0, 0));
    EXPECT_TRUE(has(0, 0, 250));
    EXPECT_TRUE(has(128, 128, 128));
    EXPECT_EQ(entries[255].red + entries[255].green + entries[255].blue, 0);

    // Many colours: 256 entries spread over them.
    const RgbImage many = Gradient(256, 256);
    ASSERT_TRUE(Palette256(many.pixels.data(), 256, 256, 256, entries));
    int distinct = 0;
    for (int i = 0; i < 256; ++i)
        distinct += i == 0 || entries[i].red != entries[i - 1].red ||
                    entries[i].green != entries[i - 1].green;
    EXPECT_GT(distinct, 200);
    EXPECT_FALSE(Palette256(nullptr, 10, 10, 256, entries));
    EXPECT_EQ(LastError(), IMAGE_ERROR_NO_PIXELS);
}

TEST(RgbImage, PicturesAndBitmapsDrawIntoADeviceContext)
{
    // 2 x 2: red, green / blue, white.
    const std::uint8_t pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    const TestHooks::Image whole = TestHooks::RenderDC(
        6, 6, [&](CDC& dc) { EXPECT_TRUE(DrawRgb(dc, pixels, 2, 2, 1, 1, 2, 2)); });
    EXPECT_EQ(whole.Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(whole.Pixel(2, 1), RGB(0, 255, 0));
    EXPECT_EQ(whole.Pixel(1, 2), RGB(0, 0, 255));
    EXPECT_EQ(whole.Pixel(0, 0), RGB(255, 255, 255));

    const TestHooks::Image cut = TestHooks::RenderDC(
        6, 6, [&](CDC& dc) { EXPECT_TRUE(DrawRgbCrop(dc, pixels, 2, 2, 3, 3, 1, 1, 5, 5)); });
    EXPECT_EQ(cut.Pixel(3, 3), RGB(255, 255, 255)) << "the part is clipped to the picture";
    EXPECT_EQ(cut.Pixel(4, 3), RGB(255, 255, 255));

    const TestHooks::Image scaled = TestHooks::RenderDC(8, 8, [&](CDC& dc) {
        EXPECT_TRUE(DrawRgbPart(dc, pixels, 2, 2, RECT{0, 0, 8, 8}, RECT{0, 1, 1, 2}));
    });
    EXPECT_EQ(scaled.Pixel(4, 4), RGB(0, 0, 255));
    // Under a mapping (ten logical units a pixel, as a report page is mapped) the target is
    // taken in logical units: the picture fills pixels 2 to 5, not the corner of 20 by 20.
    const TestHooks::Image mapped = TestHooks::RenderDC(8, 8, [&](CDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(80, 80);
        dc.SetViewportExt(8, 8);
        EXPECT_TRUE(DrawRgbPart(dc, pixels, 2, 2, RECT{20, 20, 60, 60}, RECT{0, 0, 2, 2}));
    });
    EXPECT_EQ(mapped.Pixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(mapped.Pixel(5, 2), RGB(0, 255, 0));
    EXPECT_EQ(mapped.Pixel(2, 5), RGB(0, 0, 255));
    EXPECT_EQ(mapped.Pixel(6, 6), RGB(255, 255, 255)) << "nothing drawn beyond the target";
    EXPECT_EQ(mapped.Pixel(1, 1), RGB(255, 255, 255));

    CBitmap bitmap;
    ASSERT_TRUE(RgbToBitmap(pixels, 2, 2, bitmap));
    BITMAP info;
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 2);
    const TestHooks::Image fromBitmap = TestHooks::RenderDC(
        4, 4, [&](CDC& dc) { EXPECT_TRUE(DrawBitmapCropped(dc, bitmap, 0, 0, 1, 0, 1, 2)); });
    EXPECT_EQ(fromBitmap.Pixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(fromBitmap.Pixel(0, 1), RGB(255, 255, 255));
    EXPECT_EQ(fromBitmap.Pixel(1, 0), RGB(255, 255, 255)) << "only the part is drawn";

    // Made again for a picture of the same size, the bitmap shows the new pixels.
    const std::uint8_t grey[12] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    ASSERT_TRUE(RgbToBitmap(grey, 2, 2, bitmap));
    const TestHooks::Image again = TestHooks::RenderDC(
        2, 2, [&](CDC& dc) { EXPECT_TRUE(DrawBitmapCropped(dc, bitmap, 0, 0, 0, 0, 2, 2)); });
    EXPECT_EQ(again.Pixel(1, 1), RGB(9, 9, 9));

    EXPECT_FALSE(RgbToBitmap(nullptr, 2, 2, bitmap));
    EXPECT_EQ(LastError(), IMAGE_ERROR_NO_PIXELS);
}
