// tests/platform/ui/image/image_reader_test.cpp: every reader on the torture pictures against
// references made by an independent converter, the type guess, and bad input of every kind.
#include "platform/ui/image/image_headers.h"
#include "platform/ui/image/image_reader.h"
#include "platform/ui/image/pcx_reader.h"
#include "platform/ui/image/psd_reader.h"
#include "platform/ui/image/rgb_image.h"
#include "platform/ui/image/tga_reader.h"
#include "tests/platform/ui/image/image_test_support.h"

#include <gtest/gtest.h>

#include <functional>

using namespace image;
using namespace image_test;

namespace {

using Reader = std::function<bool(ImageSource&, RgbImage&)>;

struct Decoded {
    bool ok = false;
    unsigned error = 0;
    RgbImage picture;
};

Decoded Decode(const Reader& reader, Bytes bytes)
{
    Decoded result;
    std::unique_ptr<ImageSource> source = ImageSource::FromBytes(std::move(bytes));
    SetLastError(12345);
    result.ok = reader(*source, result.picture);
    result.error = LastError();
    return result;
}

} // namespace

TEST(ImageReaders, TorturePicturesEqualTheReferencesAtOneHundredPixels)
{
    struct Row {
        const char* file;
        Reader reader;
        int largest; // allowed difference of one channel
    };
    const Row rows[] = {
        {"ImgFile.BMP", ReadBmp, 0},   {"ImgFile.PNG", ReadPng, 0}, {"ImgFile.TIF", ReadTiff, 0},
        {"ImgFile.PCX", ReadPcx, 0},   {"ImgFile.TGA", ReadTga, 0}, {"ImgFile.PSD", ReadPsd, 0},
        {"ImgFile.JPG", ReadJpeg, 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        Decoded decoded = Decode(row.reader, ReadBytes(TorturePath(row.file)));
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.error, IMAGE_OK);
        RgbImage scaled;
        ASSERT_TRUE(AllocateRgb(scaled, 100, 100));
        ASSERT_TRUE(ResizeRgb(decoded.picture.pixels.data(), decoded.picture.width,
                              decoded.picture.height, scaled.pixels.data(), 100, 100));
        const Difference difference =
            Compare(scaled, ReadPpm(TorturePath(std::string("reference/") + row.file + ".ppm")));
        EXPECT_LE(difference.largest, row.largest);
        EXPECT_LE(difference.mean, row.largest / 8.0);
    }
}

TEST(ImageReaders, TheTypeIsGuessedFromTheFirstBytesOnly)
{
    struct Row {
        const char* file;
        int type;
    };
    const Row rows[] = {
        {"ImgFile.BMP", IMAGE_TYPE_BMP},     {"ImgFile.JPG", IMAGE_TYPE_JPEG},
        {"ImgFile.PNG", IMAGE_TYPE_PNG},     {"ImgFile.PCX", IMAGE_TYPE_PCX},
        {"ImgFile.TIF", IMAGE_TYPE_TIFF},    {"ImgFile.GIF", IMAGE_TYPE_UNKNOWN},
        {"ImgFile.TGA", IMAGE_TYPE_UNKNOWN}, {"ImgFile.PSD", IMAGE_TYPE_UNKNOWN},
        {"force.wav", IMAGE_TYPE_UNKNOWN},   {"Document.pdf", IMAGE_TYPE_UNKNOWN},
    };
    for (const Row& row : rows) {
        const std::unique_ptr<ImageSource> source = ImageSource::Open(TorturePath(row.file));
        ASSERT_TRUE(source) << row.file;
        EXPECT_EQ(GuessFileType(*source), row.type) << row.file;
    }
    EXPECT_EQ(GuessFileType(*ImageSource::FromBytes({})), IMAGE_TYPE_UNKNOWN);
}

TEST(ImageReaders, OpeningFailsForFoldersAndMissingFiles)
{
    for (const std::string& path :
         {test_support::NewFolder("a-folder.jpg"), test_support::TempDir() + "/missing.png"}) {
        SetLastError(0);
        EXPECT_EQ(ImageSource::Open(path), nullptr) << path;
        EXPECT_EQ(LastError(), IMAGE_ERROR_OPEN) << path;
    }
    const std::string empty = test_support::WriteFile(test_support::TempDir() + "/empty.bmp", "");
    ASSERT_NE(ImageSource::Open(empty), nullptr) << "an empty file opens; reading it fails";
}

TEST(ImageReaders, BadInputAnswersTheErrorOfItsKindAndNeverCrashes)
{
    const Bytes jpeg = ReadBytes(TorturePath("ImgFile.JPG"));
    const Bytes png = ReadBytes(TorturePath("ImgFile.PNG"));
    const Bytes bmp = ReadBytes(TorturePath("ImgFile.BMP"));
    const Bytes tga = ReadBytes(TorturePath("ImgFile.TGA"));
    const Bytes pcx = ReadBytes(TorturePath("ImgFile.PCX"));
    const Bytes psd = ReadBytes(TorturePath("ImgFile.PSD"));
    const Bytes gif = ReadBytes(TorturePath("ImgFile.GIF"));
    const auto half = [](const Bytes& b) { return Bytes(b.begin(), b.begin() + b.size() / 2); };
    const auto with = [](Bytes b, const Bytes& tail) {
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };

    Bytes tgaMapCut = TgaHeader(1, 2, 2, 8);
    tgaMapCut[1] = 1;
    tgaMapCut[5] = 200; // 200 entries of 24 bits, of which one is there
    tgaMapCut[7] = 24;
    tgaMapCut.insert(tgaMapCut.end(), {1, 2, 3});

    Bytes tgaMapOneBit = TgaHeader(10, 2, 2);
    tgaMapOneBit[1] = 1;
    tgaMapOneBit[5] = 1;
    tgaMapOneBit[7] = 1;
    tgaMapOneBit.insert(tgaMapOneBit.end(), 64, 0xFF);

    struct Row {
        const char* what;
        Reader reader;
        Bytes bytes;
        unsigned error;
    };
    const Row rows[] = {
        // Cut short.
        {"JPEG cut short", ReadJpeg, half(jpeg), IMAGE_ERROR_READ},
        {"PNG cut short", ReadPng, half(png), IMAGE_ERROR_PNG},
        {"TGA cut short", ReadTga, half(tga), IMAGE_ERROR_READ},
        {"PCX cut short", ReadPcx, half(pcx), IMAGE_ERROR_READ},
        {"PSD cut short", ReadPsd, half(psd), IMAGE_ERROR_READ},
        {"PCX header cut short", ReadPcx, Bytes(pcx.begin(), pcx.begin() + 60), IMAGE_ERROR_READ},
        // Another format under the forced one.
        {"GIF read as JPEG", ReadJpeg, gif, IMAGE_ERROR_JPEG},
        {"PNG read as BMP", ReadBmp, png, IMAGE_ERROR_BMP},
        {"BMP read as TIFF", ReadTiff, bmp, IMAGE_ERROR_TIFF},
        {"JPEG read as PCX", ReadPcx, jpeg, IMAGE_ERROR_PCX},
        {"JPEG read as PSD", ReadPsd, jpeg, IMAGE_ERROR_FORMAT},
        {"PSD read as TGA", ReadTga, psd, IMAGE_ERROR_TGA},
        // Empty.
        {"empty BMP", ReadBmp, {}, IMAGE_ERROR_READ},
        {"empty PNG", ReadPng, {}, IMAGE_ERROR_READ},
        {"empty TGA", ReadTga, {}, IMAGE_ERROR_TGA},
        {"empty PSD", ReadPsd, {}, IMAGE_ERROR_FORMAT},
        // Absurd sizes.
        {"BMP 100000 x 100000", ReadBmp, BmpHeader(100000, 100000), IMAGE_ERROR_MEMORY},
        {"PNG 100000 x 100000", ReadPng, PngHeader(100000, 100000), IMAGE_ERROR_MEMORY},
        {"PSD 100000 x 100000", ReadPsd, PsdHead(3, 100000, 100000, 3, 0), IMAGE_ERROR_MEMORY},
        {"TGA 65535 x 65535", ReadTga, TgaHeader(2, 65535, 65535), IMAGE_ERROR_MEMORY},
        {"PCX 65536 wide", ReadPcx, PcxHeader(8, 3, 65536, 10, 65535), IMAGE_ERROR_PCX},
        {"PCX 40000 x 40000", ReadPcx, PcxHeader(8, 3, 40000, 40000, 40000), IMAGE_ERROR_MEMORY},
        {"BMP 0 x 0", ReadBmp, BmpHeader(0, 0), IMAGE_ERROR_BMP},
        {"TGA 0 x 0", ReadTga, TgaHeader(2, 0, 0), IMAGE_ERROR_TGA},
        {"PSD 0 x 0", ReadPsd, PsdHead(3, 0, 0, 3, 0), IMAGE_ERROR_FORMAT},
        // Runs out of range.
        {"TGA run past the end", ReadTga, with(TgaHeader(10, 2, 2), {0xFF, 1, 2, 3}),
         IMAGE_ERROR_TGA},
        {"PSD run past its row", ReadPsd, with(PsdHead(1, 2, 1, 1, 1), {0, 2, 0xFD, 9}),
         IMAGE_ERROR_FORMAT},
        {"PSD literal past its row", ReadPsd, with(PsdHead(1, 2, 1, 1, 1), {0, 4, 3, 1, 2, 3}),
         IMAGE_ERROR_FORMAT},
        {"PSD row counts cut short", ReadPsd, with(PsdHead(3, 4, 4, 3, 1), {0, 2}),
         IMAGE_ERROR_READ},
        // Headers this reader does not take.
        {"PSD of 16 bits", ReadPsd, PsdHead(3, 4, 4, 3, 0, 16), IMAGE_ERROR_UNSUPPORTED},
        {"PSD in CMYK", ReadPsd, PsdHead(4, 4, 4, 4, 0), IMAGE_ERROR_UNSUPPORTED},
        {"PSD RGB with one channel", ReadPsd, PsdHead(1, 4, 4, 3, 0), IMAGE_ERROR_FORMAT},
        {"PCX of 2 bits", ReadPcx, PcxHeader(2, 1, 4, 4, 2), IMAGE_ERROR_PCX},
        {"PCX lines too short", ReadPcx, PcxHeader(8, 3, 10, 1, 4), IMAGE_ERROR_PCX},
        {"PCX 256 colours without palette", ReadPcx, with(PcxHeader(8, 1, 2, 1, 2), {1, 2}),
         IMAGE_ERROR_PCX},
        {"TGA of 12 bits", ReadTga, TgaHeader(2, 2, 2, 12), IMAGE_ERROR_TGA},
        {"TGA colour map without entries", ReadTga, TgaHeader(1, 2, 2, 8), IMAGE_ERROR_TGA},
        {"TGA colour map cut short", ReadTga, tgaMapCut, IMAGE_ERROR_READ},
        {"TGA colour map of 1-bit entries", ReadTga, tgaMapOneBit, IMAGE_ERROR_TGA},
    };
    for (const Row& row : rows) {
        const Decoded decoded = Decode(row.reader, row.bytes);
        EXPECT_FALSE(decoded.ok) << row.what;
        EXPECT_EQ(decoded.error, row.error) << row.what;
        EXPECT_TRUE(decoded.picture.pixels.empty()) << row.what;
    }
}

TEST(ImageReaders, SmallPicturesOfEveryLayoutOfOurReadersDecode)
{
    struct Row {
        const char* what;
        Reader reader;
        Bytes bytes;
        Bytes pixels;
    };
    Bytes pcx256 = PcxHeader(8, 1, 2, 1, 2);
    pcx256.insert(pcx256.end(), {0xC2, 1}); // a run of two of index 1
    pcx256.push_back(0x0C);
    for (unsigned i = 0; i < 768; ++i)
        pcx256.push_back(static_cast<std::uint8_t>(i % 3 == 0 ? 10 * (i / 3) : i % 3));
    Bytes pcxMono = PcxHeader(1, 1, 3, 1, 2);
    pcxMono.insert(pcxMono.end(), {0xA0, 0}); // 101.....
    Bytes pcx16 = PcxHeader(1, 4, 1, 1, 1);
    pcx16[16 + 5 * 3] = 50;                              // palette entry 5: red 50
    pcx16.insert(pcx16.end(), {0x80, 0x00, 0x80, 0x00}); // planes 0 and 2 set: index 5
    Bytes tgaGrey = TgaHeader(11, 3, 1, 8);
    tgaGrey.insert(tgaGrey.end(), {0x81, 7, 0x00, 9}); // run of two 7s, one raw 9
    Bytes tgaBottomUp = TgaHeader(2, 1, 2);
    tgaBottomUp[17] = 0; // rows from the bottom
    tgaBottomUp.insert(tgaBottomUp.end(), {3, 2, 1, 6, 5, 4});
    Bytes tgaMapped = TgaHeader(1, 2, 1, 8);
    tgaMapped[1] = 1;
    tgaMapped[5] = 2; // two entries of 24 bits
    tgaMapped[7] = 24;
    tgaMapped.insert(tgaMapped.end(), {30, 20, 10, 60, 50, 40, 1, 0});
    Bytes psdGrey = PsdHead(1, 3, 1, 1, 1);
    psdGrey.insert(psdGrey.end(), {0, 4, 0, 5, 0xFF, 8}); // literal 5, run of two 8s
    Bytes psdIndexed = PsdHead(1, 2, 1, 2, 0);
    psdIndexed.insert(psdIndexed.end(), {0, 255});
    Bytes psdRgb = PsdHead(4, 1, 1, 3, 0); // a fourth channel (alpha) is left out
    psdRgb.insert(psdRgb.end(), {1, 2, 3, 4});

    const Row rows[] = {
        {"PCX 256 colours", ReadPcx, pcx256, {10, 1, 2, 10, 1, 2}},
        {"PCX monochrome", ReadPcx, pcxMono, {255, 255, 255, 0, 0, 0, 255, 255, 255}},
        {"PCX 16 colours in planes", ReadPcx, pcx16, {50, 0, 0}},
        {"TGA grey, run-length", ReadTga, tgaGrey, {7, 7, 7, 7, 7, 7, 9, 9, 9}},
        {"TGA from the bottom", ReadTga, tgaBottomUp, {4, 5, 6, 1, 2, 3}},
        {"TGA colour-mapped", ReadTga, tgaMapped, {40, 50, 60, 10, 20, 30}},
        {"PSD grey, run-length", ReadPsd, psdGrey, {5, 5, 5, 8, 8, 8, 8, 8, 8}},
        {"PSD indexed", ReadPsd, psdIndexed, {0, 255, 7, 255, 0, 7}},
        {"PSD RGB with alpha", ReadPsd, psdRgb, {1, 2, 3}},
    };
    for (const Row& row : rows) {
        const Decoded decoded = Decode(row.reader, row.bytes);
        ASSERT_TRUE(decoded.ok) << row.what << " error " << decoded.error;
        EXPECT_EQ(decoded.picture.pixels, row.pixels) << row.what;
    }
}

TEST(ImageReaders, PicturesBeyondQtsDefaultLimitAreRead)
{
    // 6200 x 6200 takes 147 MB as Qt's 32-bit pixels, above Qt's default of 128 MB.
    const Decoded decoded =
        Decode(ReadPng, ReadBytes(test_support::DataPath("pictures/large-6200.png")));
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.picture.width, 6200u);
    EXPECT_EQ(decoded.picture.pixels.size(), std::size_t(6200) * 6200 * 3);
    EXPECT_EQ(decoded.picture.pixels[3 * 6200 * 3100], 0x33);
}

TEST(ImageHeaders, SizesAndResolutionsAreReadFromTheHeaders)
{
    ImageDims dims;
    ASSERT_TRUE(JpegDims(*ImageSource::Open(TorturePath("ImgFile.JPG")), dims));
    EXPECT_EQ(dims.width, 100u);
    EXPECT_EQ(dims.height, 100u);
    EXPECT_EQ(dims.bits, 24u);
    EXPECT_EQ(dims.resolution.x, 72u);
    EXPECT_EQ(dims.resolution.unit, 1u);
    ASSERT_TRUE(PngDims(*ImageSource::Open(TorturePath("ImgFile.PNG")), dims));
    EXPECT_EQ(dims.width, 100u);
    EXPECT_EQ(dims.colourType, 2u);
    ASSERT_TRUE(TiffDims(*ImageSource::Open(TorturePath("ImgFile.TIF")), dims));
    EXPECT_EQ(dims.width, 100u);
    EXPECT_EQ(dims.height, 100u);

    Bytes phys = PngHeader(4, 4);
    U32BE(phys, 9);
    for (char c : std::string("pHYs"))
        U8(phys, static_cast<unsigned char>(c));
    U32BE(phys, 3780);
    U32BE(phys, 2835);
    U8(phys, 1);
    U32BE(phys, 0);
    ASSERT_TRUE(PngDims(*ImageSource::FromBytes(phys), dims));
    EXPECT_EQ(dims.resolution.x, 3780u);
    EXPECT_EQ(dims.resolution.y, 2835u);
    EXPECT_EQ(dims.resolution.unit, 1u);

    EXPECT_FALSE(JpegDims(*ImageSource::FromBytes(ReadBytes(TorturePath("ImgFile.GIF"))), dims));
    EXPECT_EQ(LastError(), IMAGE_ERROR_JPEG);
    EXPECT_FALSE(PngDims(*ImageSource::FromBytes({0x89, 'P'}), dims));
    EXPECT_EQ(LastError(), IMAGE_ERROR_PNG);
    EXPECT_FALSE(TiffDims(*ImageSource::FromBytes({'I', 'I', 42, 0, 0xFF, 0xFF, 0, 0}), dims));
    EXPECT_EQ(LastError(), IMAGE_ERROR_TIFF);
}
