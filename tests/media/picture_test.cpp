// tests/media/picture_test.cpp: the picture class: reading every format, the resolution rules,
// cutting and resampling, the reader's error of a failed load.
#include "database/multimedia/picture_format.h"
#include "media/picture.h"
#include "platform/ui/drawing/bitmap.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

std::string Torture(const std::string& name)
{
    return test_support::DataPath("torture55/" + name);
}

} // namespace

TEST(Picture, ResolutionFollowsTheFormatsUnits)
{
    struct Row {
        int format;
        std::uint32_t x, y, unit;
        std::uint32_t dpiX, dpiY;
    };
    const Row rows[] = {
        {PICTURE_FORMAT_JPEG, 72, 72, 1, 72, 72},     {PICTURE_FORMAT_JPEG, 28, 40, 2, 71, 101},
        {PICTURE_FORMAT_JPEG, 72, 72, 0, 96, 96},     {PICTURE_FORMAT_JPEG, 0, 72, 1, 96, 96},
        {PICTURE_FORMAT_TIFF, 100, 100, 3, 254, 254}, {PICTURE_FORMAT_TIFF, 300, 150, 2, 300, 150},
        {PICTURE_FORMAT_TIFF, 300, 300, 1, 96, 96},   {PICTURE_FORMAT_PNG, 3780, 2835, 1, 96, 72},
        {PICTURE_FORMAT_PNG, 3780, 3780, 0, 96, 96},  {PICTURE_FORMAT_BMP, 300, 300, 1, 96, 96},
        {PICTURE_FORMAT_PCX, 300, 300, 2, 96, 96},    {PICTURE_FORMAT_TGA, 300, 300, 1, 96, 96},
        {PICTURE_FORMAT_PSD, 300, 300, 1, 96, 96},
    };
    for (const Row& row : rows) {
        CPicture picture;
        picture.SetResolution(row.format, row.x, row.y, row.unit);
        EXPECT_EQ(picture.GetXResolution(), row.dpiX) << row.format << " " << row.x;
        EXPECT_EQ(picture.GetYResolution(), row.dpiY) << row.format << " " << row.y;
    }
}

TEST(Picture, EveryTortureFormatLoadsWithItsResolution)
{
    struct Row {
        const char* file;
        int format;
        std::uint32_t dpi;
    };
    const Row rows[] = {
        {"ImgFile.BMP", PICTURE_FORMAT_BMP, 96},  {"ImgFile.JPG", PICTURE_FORMAT_JPEG, 72},
        {"ImgFile.PNG", PICTURE_FORMAT_PNG, 96},  {"ImgFile.PCX", PICTURE_FORMAT_PCX, 96},
        {"ImgFile.TIF", PICTURE_FORMAT_TIFF, 72}, {"ImgFile.TGA", PICTURE_FORMAT_TGA, 96},
        {"ImgFile.PSD", PICTURE_FORMAT_PSD, 96},
    };
    for (const Row& row : rows) {
        CPicture picture;
        picture.SetResolution(PICTURE_FORMAT_TIFF, 1, 1, 2);
        ASSERT_EQ(picture.LoadPicture(Torture(row.file), row.format), 0u) << row.file;
        EXPECT_EQ(picture.GetSize(), CSize(100, 100)) << row.file;
        EXPECT_EQ(picture.GetXResolution(), row.dpi) << row.file;
        EXPECT_NE(picture.GetPalette()[0].red + picture.GetPalette()[1].red +
                      picture.GetPalette()[1].blue,
                  0)
            << "the palette is built: " << row.file;
    }
}

TEST(Picture, AFailedLoadLeavesThePictureEmptyWithTheReadersError)
{
    const std::string folder = test_support::NewFolder("pictures");
    const std::string png = test_support::ReadFile(Torture("ImgFile.PNG"));
    struct Row {
        const char* what;
        std::string path;
        int format;
        UINT error;
    };
    const Row rows[] = {
        {"PNG cut short", test_support::WriteFile(folder + "/cut.png", png.substr(0, 900)),
         PICTURE_FORMAT_PNG, 15},
        {"GIF as JPEG", Torture("ImgFile.GIF"), PICTURE_FORMAT_JPEG, 9},
        {"empty file", test_support::WriteFile(folder + "/empty.bmp", ""), PICTURE_FORMAT_BMP, 3},
        {"a folder", test_support::NewFolder("folder.png"), PICTURE_FORMAT_PNG, 2},
        {"missing", folder + "/none.jpg", PICTURE_FORMAT_JPEG, 2},
        {"a metafile cut short", test_support::WriteFile(folder + "/a.wmf", "\xD7\xCD\xC6\x9A"),
         PICTURE_FORMAT_WMF, 3},
        {"a metafile without the placeable header",
         test_support::WriteFile(folder + "/b.wmf", std::string("\x01\x00\x09\x00\x00\x03", 6)),
         PICTURE_FORMAT_WMF, 7},
        {"no format", Torture("ImgFile.BMP"), PICTURE_FORMAT_NONE, 7},
    };
    for (const Row& row : rows) {
        CPicture picture;
        ASSERT_EQ(picture.LoadPicture(Torture("ImgFile.BMP"), PICTURE_FORMAT_BMP), 0u);
        EXPECT_EQ(picture.LoadPicture(row.path, row.format), row.error) << row.what;
        EXPECT_EQ(picture.GetPixels(), nullptr) << row.what;
        EXPECT_EQ(picture.GetSize(), CSize(0, 0)) << row.what;
    }
}

TEST(Picture, CropAndResizeCheckTheirArguments)
{
    CPicture source;
    ASSERT_EQ(source.Allocate(CSize(100, 100)), 0u);
    std::uint8_t* pixels = source.Lock();
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            pixels[(y * 100 + x) * 3] = std::uint8_t(x);
            pixels[(y * 100 + x) * 3 + 1] = std::uint8_t(y);
        }
    }
    source.Unlock();

    CPicture part;
    ASSERT_EQ(part.Crop(10, 10, 30, 20, source), 0u);
    EXPECT_EQ(part.GetSize(), CSize(20, 10));
    EXPECT_EQ(part.GetPixels()[0], 10);
    EXPECT_EQ(part.GetPixels()[1], 10);
    EXPECT_EQ(part.Crop(30, 10, 10, 20, source), 27u) << "right before left";
    EXPECT_EQ(part.GetPixels(), nullptr);
    EXPECT_EQ(part.Crop(0, 0, 200, 10, source), 27u) << "beyond the source";
    EXPECT_EQ(part.Crop(0, 0, 10, 10, CPicture()), 5u) << "a source without pixels";

    CPicture smaller;
    ASSERT_EQ(smaller.Resize(CSize(50, 25), source), 0u);
    EXPECT_EQ(smaller.GetSize(), CSize(50, 25));
    EXPECT_EQ(smaller.GetPixels()[3 * 49], 99) << "columns 98 and 99 averaged, rounded up";
    EXPECT_EQ(smaller.Resize(CSize(10, 10), CPicture()), 5u);
    EXPECT_EQ(smaller.GetSize(), CSize(10, 10)) << "what Allocate made stays";

    CPicture huge;
    huge.SetResolution(PICTURE_FORMAT_JPEG, 300, 300, 1);
    EXPECT_EQ(huge.Allocate(CSize(100000, 100000)), 1u);
    EXPECT_EQ(huge.Allocate(CSize(0, 10)), 1u);
    EXPECT_EQ(huge.Allocate(CSize(-5, 10)), 1u);
    EXPECT_EQ(huge.Free(), 0u);
    EXPECT_EQ(huge.GetXResolution(), 300u) << "Free keeps the resolution";

    CBitmap bitmap;
    EXPECT_EQ(source.CreateBitmap(bitmap), 0u);
    BITMAP info;
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 100);
    EXPECT_EQ(CPicture().CreateBitmap(bitmap), 5u);
}
