// tests/platform/ui/image/metafile_player_test.cpp: small WMF and EMF files written byte by byte,
// played and checked by their pixels, and absurd records answered with their error numbers.
#include "platform/ui/image/metafile_player.h"
#include "tests/platform/ui/image/image_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

using namespace image;
using namespace image_test;

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kBlack = 0;

// ---- Windows metafiles: a placeable header over 0..100 at 100 units an inch, so that at 100
// dots per inch a logical unit is a pixel.

Bytes WmfRecord(unsigned function, std::initializer_list<int> words)
{
    Bytes record;
    U32LE(record, std::uint32_t(3 + words.size()));
    U16LE(record, function);
    for (const int word : words)
        U16LE(record, static_cast<std::uint16_t>(word));
    return record;
}

Bytes Wmf(const std::vector<Bytes>& records, std::array<int, 4> box = {0, 0, 100, 100},
          unsigned inch = 100, unsigned objects = 8, bool end = true)
{
    Bytes file;
    U32LE(file, 0x9AC6CDD7);
    U16LE(file, 0);
    for (const int side : box)
        U16LE(file, static_cast<std::uint16_t>(side));
    U16LE(file, inch);
    U32LE(file, 0);
    unsigned sum = 0;
    for (std::size_t i = 0; i < file.size(); i += 2)
        sum ^= file[i] | file[i + 1] << 8;
    U16LE(file, sum);
    for (const unsigned word : {1u, 9u, 0x300u, 0u, 0u, objects, 0u, 0u, 0u})
        U16LE(file, word);
    for (const Bytes& record : records)
        file.insert(file.end(), record.begin(), record.end());
    if (end)
        U32LE(file, 3), U16LE(file, 0);
    return file;
}

Bytes WmfPen(unsigned style, int width, std::uint32_t colour)
{
    return WmfRecord(0x02FA, {int(style), width, 0, int(colour & 0xFFFF), int(colour >> 16)});
}
Bytes WmfBrush(unsigned style, std::uint32_t colour)
{
    return WmfRecord(0x02FC, {int(style), int(colour & 0xFFFF), int(colour >> 16), 0});
}
Bytes WmfSelect(int index)
{
    return WmfRecord(0x012D, {index});
}
Bytes WmfRectangle(int l, int t, int r, int b)
{
    return WmfRecord(0x041B, {b, r, t, l});
}
Bytes WmfEllipse(int l, int t, int r, int b)
{
    return WmfRecord(0x0418, {b, r, t, l});
}

/// A DIB of 2 x 2 pixels, 24 bits, bottom-up: top row red, green; bottom row blue, white.
Bytes Dib2x2()
{
    Bytes dib;
    for (const std::uint32_t value : {40u, 2u, 2u})
        U32LE(dib, value);
    U16LE(dib, 1);
    U16LE(dib, 24);
    for (int i = 0; i < 6; ++i)
        U32LE(dib, 0);
    for (const std::uint8_t byte : {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0})
        dib.push_back(byte);
    return dib;
}

// ---- Enhanced metafiles: a frame of one inch at 1000 reference pixels to 254 mm, so that at
// 100 dots per inch a device pixel is a picture pixel.

Bytes EmfRecord(std::uint32_t type, std::initializer_list<std::int32_t> values, Bytes tail = {})
{
    Bytes record;
    U32LE(record, type);
    U32LE(record, std::uint32_t(8 + values.size() * 4 + tail.size()));
    for (const std::int32_t value : values)
        U32LE(record, static_cast<std::uint32_t>(value));
    record.insert(record.end(), tail.begin(), tail.end());
    return record;
}

Bytes Emf(const std::vector<Bytes>& records, unsigned handles = 8,
          std::uint32_t signature = 0x464D4520)
{
    Bytes file;
    U32LE(file, 1);
    U32LE(file, 88);
    for (const std::int32_t value : {0, 0, 99, 99, 0, 0, 2540, 2540})
        U32LE(file, static_cast<std::uint32_t>(value));
    U32LE(file, signature);
    U32LE(file, 0x10000);
    U32LE(file, 0);
    U32LE(file, 0);
    U16LE(file, handles);
    U16LE(file, 0);
    for (const std::uint32_t value : {0u, 0u, 0u, 1000u, 1000u, 254u, 254u})
        U32LE(file, value);
    for (const Bytes& record : records)
        file.insert(file.end(), record.begin(), record.end());
    const Bytes end = EmfRecord(14, {0, 0, 20});
    file.insert(file.end(), end.begin(), end.end());
    return file;
}

Bytes EmfPen(int index, int width, std::uint32_t colour)
{
    return EmfRecord(38, {index, 0, width, 0, std::int32_t(colour)});
}
Bytes EmfBrush(int index, unsigned style, std::uint32_t colour)
{
    return EmfRecord(39, {index, int(style), std::int32_t(colour), 0});
}
Bytes EmfSelect(std::uint32_t index)
{
    return EmfRecord(37, {std::int32_t(index)});
}

struct Played {
    bool ok = false;
    unsigned error = 0;
    RgbImage picture;

    COLORREF At(int x, int y) const
    {
        const std::uint8_t* pixel =
            picture.pixels.data() + (std::size_t(y) * picture.width + x) * 3;
        return RGB(pixel[0], pixel[1], pixel[2]);
    }
    /// Pixels in the box that differ from the background.
    int Marked(int left, int top, int right, int bottom) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += At(x, y) != kGrey;
        return count;
    }
};

Played Play(const Bytes& bytes)
{
    Played played;
    SetLastError(12345);
    played.ok = ReadMetafileToRgb(bytes, played.picture, 100, 100, kGrey);
    played.error = LastError();
    return played;
}

struct Probe {
    int x, y;
    COLORREF colour;
};

void ExpectPixels(const Bytes& file, std::initializer_list<Probe> probes, const char* what)
{
    const Played played = Play(file);
    ASSERT_TRUE(played.ok) << what << ": error " << played.error;
    EXPECT_EQ(played.error, 0u) << what;
    ASSERT_EQ(played.picture.width, 100u) << what;
    ASSERT_EQ(played.picture.height, 100u) << what;
    for (const Probe& probe : probes)
        EXPECT_EQ(played.At(probe.x, probe.y), probe.colour)
            << what << " at " << probe.x << "," << probe.y;
}

} // namespace

TEST(MetafilePlayer, WindowsMetafileRecordsDrawAtTheirPlaces)
{
    ExpectPixels(Wmf({WmfPen(0, 1, kBlue), WmfBrush(0, kRed), WmfSelect(0), WmfSelect(1),
                      WmfRectangle(10, 10, 50, 50)}),
                 {{30, 30, kRed}, {10, 30, kBlue}, {30, 10, kBlue}, {5, 5, kGrey}, {60, 60, kGrey}},
                 "a rectangle with a pen and a brush");
    ExpectPixels(Wmf({WmfBrush(0, kGreen), WmfSelect(0), WmfEllipse(20, 20, 80, 80)}),
                 {{50, 50, kGreen}, {22, 22, kGrey}, {50, 20, kBlack}},
                 "an ellipse with the default black pen");
    ExpectPixels(Wmf({WmfRecord(0x0214, {90, 0}), WmfRecord(0x0213, {90, 99}),
                      WmfRecord(0x0325, {3, 10, 0, 10, 70, 40, 70})}),
                 {{50, 90, kBlack}, {10, 40, kBlack}, {25, 70, kBlack}, {50, 50, kGrey}},
                 "a line and a polyline");
    ExpectPixels(Wmf({WmfPen(5, 0, 0), WmfBrush(0, kBlue), WmfSelect(0), WmfSelect(1),
                      WmfRecord(0x0324, {3, 0, 0, 99, 0, 0, 99})}),
                 {{10, 10, RGB(0, 0, 255)}, {90, 90, kGrey}}, "a polygon without a pen");
    ExpectPixels(Wmf({WmfRecord(0x020C, {200, 200}), WmfRecord(0x020B, {-100, -100}),
                      WmfBrush(0, kRed), WmfSelect(0), WmfRectangle(-100, -100, 0, 0)}),
                 {{25, 25, RGB(255, 0, 0)}, {75, 75, kGrey}},
                 "a window of 200 units from -100 halves and moves the drawing");
    ExpectPixels(Wmf({WmfBrush(0, kRed), WmfRecord(0x001E, {}), WmfSelect(0),
                      WmfRecord(0x0127, {0xFFFF}), WmfRectangle(10, 10, 50, 50)}),
                 {{30, 30, RGB(255, 255, 255)}},
                 "a brush selected after SaveDC goes with RestoreDC");
    ExpectPixels(Wmf({WmfBrush(0, kRed), WmfBrush(0, kGreen), WmfRecord(0x01F0, {0}),
                      WmfBrush(0, kBlue), WmfSelect(0), WmfRectangle(10, 10, 50, 50)}),
                 {{30, 30, RGB(0, 0, 255)}}, "a new object takes the lowest free slot");
    ExpectPixels(Wmf({WmfRecord(0x0142, {0, 0}), WmfBrush(0, kRed), WmfSelect(1),
                      WmfRectangle(10, 10, 50, 50)}),
                 {{30, 30, RGB(255, 0, 0)}}, "an object outside the subset keeps its slot");
    Bytes stretch = WmfRecord(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0});
    const Bytes dib = Dib2x2();
    stretch.insert(stretch.end(), dib.begin(), dib.end());
    stretch[0] = static_cast<std::uint8_t>(stretch.size() / 2);
    ExpectPixels(Wmf({stretch, WmfRecord(0x0626, {1, 2, 3, 4, 5})}),
                 {{25, 25, RGB(255, 0, 0)},
                  {75, 25, RGB(0, 255, 0)},
                  {25, 75, RGB(0, 0, 255)},
                  {75, 75, RGB(255, 255, 255)}},
                 "a bitmap stretched over the picture, an unknown record skipped");
}

TEST(MetafilePlayer, TextIsDrawnWithTheSelectedFontAndColour)
{
    Bytes font = WmfRecord(0x02FB, {-40, 0, 0, 0, 700, 0, 0, 0, 0});
    for (const char c : std::string("Sans\0\0", 6))
        font.push_back(static_cast<std::uint8_t>(c));
    font[0] = static_cast<std::uint8_t>(font.size() / 2);
    Bytes text = WmfRecord(0x0521, {2});
    text.push_back('H');
    text.push_back('H');
    for (const int word : {10, 10})
        U16LE(text, word);
    text[0] = static_cast<std::uint8_t>(text.size() / 2);
    const Played wmf =
        Play(Wmf({font, WmfSelect(0), WmfRecord(0x0209, {0xFF, 0}), WmfRecord(0x0102, {1}), text}));
    ASSERT_TRUE(wmf.ok) << wmf.error;
    EXPECT_GT(wmf.Marked(10, 10, 60, 60), 100);
    EXPECT_EQ(wmf.Marked(0, 75, 100, 100), 0);

    Bytes chars;
    for (const char c : std::string("HH"))
        U16LE(chars, static_cast<unsigned>(c));
    const Bytes emfText =
        EmfRecord(84, {0, 0, 0, 0, 1, 0, 0, 10, 10, 2, 76, 0, 0, 0, 0, 0, 0}, chars);
    Bytes emfFont = EmfRecord(82, {1, -40, 0, 0, 0, 700, 0, 0});
    emfFont.resize(emfFont.size() + 64);
    emfFont[4] = static_cast<std::uint8_t>(emfFont.size());
    const Played emf =
        Play(Emf({emfFont, EmfSelect(1), EmfRecord(24, {std::int32_t(kBlue)}), emfText}));
    ASSERT_TRUE(emf.ok) << emf.error;
    EXPECT_GT(emf.Marked(10, 10, 60, 60), 100);
    EXPECT_EQ(emf.Marked(0, 75, 100, 100), 0);
}

TEST(MetafilePlayer, EnhancedMetafileRecordsDrawAtTheirPlaces)
{
    ExpectPixels(Emf({EmfPen(1, 1, kBlue), EmfBrush(2, 0, kRed), EmfSelect(1), EmfSelect(2),
                      EmfRecord(43, {10, 10, 50, 50})}),
                 {{30, 30, RGB(255, 0, 0)}, {10, 30, RGB(0, 0, 255)}, {60, 60, kGrey}},
                 "a rectangle");
    ExpectPixels(
        Emf({EmfSelect(0x80000004), EmfSelect(0x80000008), EmfRecord(42, {20, 20, 80, 80})}),
        {{50, 50, kBlack}, {22, 22, kGrey}}, "an ellipse with stock objects");
    ExpectPixels(Emf({EmfRecord(27, {0, 90}), EmfRecord(54, {99, 90}),
                      EmfRecord(87, {0, 0, 0, 0, 2, 0x0014, 0x003C0014}),
                      EmfRecord(4, {0, 0, 0, 0, 2, 10, 0, 10, 70})}),
                 {{50, 90, kBlack}, {10, 40, kBlack}, {20, 40, kBlack}, {50, 50, kGrey}},
                 "a line and polylines of 32-bit and 16-bit points");
}

TEST(MetafilePlayer, EnhancedMetafileMappingSaveAndBitmaps)
{
    ExpectPixels(Emf({EmfRecord(17, {8}), EmfRecord(9, {200, 200}), EmfRecord(11, {100, 100}),
                      EmfRecord(10, {-100, -100}), EmfSelect(0x80000000),
                      EmfRecord(43, {-100, -100, 0, 0})}),
                 {{25, 25, RGB(255, 255, 255)}, {75, 75, kGrey}},
                 "an anisotropic window twice the viewport");
    ExpectPixels(
        Emf({EmfRecord(10, {-50, -50}), EmfSelect(0x80000004), EmfRecord(43, {-50, -50, 0, 0})}),
        {{25, 25, kBlack}, {75, 75, kGrey}}, "a window origin in the default mapping");
    ExpectPixels(Emf({EmfRecord(33, {}), EmfSelect(0x80000004), EmfRecord(34, {-1}),
                      EmfRecord(43, {10, 10, 50, 50})}),
                 {{30, 30, RGB(255, 255, 255)}}, "SaveDC and RestoreDC");
    const Bytes dib = Dib2x2();
    const Bytes info(dib.begin(), dib.begin() + 40), bits(dib.begin() + 40, dib.end());
    Bytes tail = info;
    tail.insert(tail.end(), bits.begin(), bits.end());
    ExpectPixels(
        Emf({EmfRecord(81, {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00CC0020, 100, 100},
                       tail)}),
        {{25, 25, RGB(255, 0, 0)},
         {75, 25, RGB(0, 255, 0)},
         {25, 75, RGB(0, 0, 255)},
         {75, 75, RGB(255, 255, 255)}},
        "a bitmap stretched over the picture");
}

TEST(MetafilePlayer, BadFilesAnswerTheirErrorNumbers)
{
    Bytes polygon = WmfRecord(0x0324, {0xFFFF, 1, 2});
    Bytes past = WmfRecord(0x041B, {1, 2, 3, 4});
    past[0] = 200;
    Bytes badSum = Wmf({});
    badSum[20] ^= 1;
    std::vector<Bytes> saves(1100, WmfRecord(0x001E, {}));
    std::vector<Bytes> pens(9, WmfPen(0, 1, 0));
    Bytes emfPast = EmfRecord(43, {1, 2, 3, 4});
    emfPast[4] = 200;
    Bytes emfOdd = EmfRecord(43, {1, 2, 3, 4});
    emfOdd[4] = 26;
    Bytes emfText = EmfRecord(84, {0, 0, 0, 0, 1, 0, 0, 10, 10, 1000000, 76, 0, 0, 0, 0, 0, 0});
    Bytes emfBits =
        EmfRecord(81, {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 40, 120, 1000, 0, 0, 100, 100}, Dib2x2());
    Bytes zero = Wmf({});
    zero[40] = 0;
    struct Row {
        const char* what;
        Bytes bytes;
        unsigned error;
    };
    const Row rows[] = {
        {"an empty file", {}, IMAGE_ERROR_UNSUPPORTED},
        {"a WMF without the placeable header", Bytes{1, 0, 9, 0, 0, 3}, IMAGE_ERROR_UNSUPPORTED},
        {"a placeable header cut short", Bytes{0xD7, 0xCD, 0xC6, 0x9A, 0, 0}, IMAGE_ERROR_READ},
        {"a wrong checksum", badSum, IMAGE_ERROR_FORMAT},
        {"an empty box", Wmf({}, {10, 10, 10, 50}), IMAGE_ERROR_FORMAT},
        {"no units an inch", Wmf({}, {0, 0, 100, 100}, 0), IMAGE_ERROR_FORMAT},
        {"a box past the size ceiling", Wmf({}, {-32000, -32000, 32000, 32000}, 1),
         IMAGE_ERROR_MEMORY},
        {"no end record", Wmf({WmfRectangle(1, 2, 3, 4)}, {0, 0, 100, 100}, 100, 8, false),
         IMAGE_ERROR_READ},
        {"a record of no words", zero, IMAGE_ERROR_FORMAT},
        {"a record past the end", Wmf({past}), IMAGE_ERROR_READ},
        {"a polygon counting past its record", Wmf({polygon}), IMAGE_ERROR_FORMAT},
        {"a rectangle too short", Wmf({WmfRecord(0x041B, {1, 2})}), IMAGE_ERROR_FORMAT},
        {"more objects than the table holds", Wmf(pens), IMAGE_ERROR_FORMAT},
        {"SaveDC without end", Wmf(saves), IMAGE_ERROR_FORMAT},
        {"an EMF with another signature", Emf({}, 8, 0x12345678), IMAGE_ERROR_UNSUPPORTED},
        {"an EMF header cut short", Bytes{1, 0, 0, 0, 88, 0, 0, 0}, IMAGE_ERROR_READ},
        {"an EMF without handles", Emf({}, 0), IMAGE_ERROR_FORMAT},
        {"an EMF record past the end", Emf({emfPast}), IMAGE_ERROR_READ},
        {"an EMF record of an odd size", Emf({emfOdd}), IMAGE_ERROR_FORMAT},
        {"an EMF object past the table", Emf({EmfPen(8, 1, 0)}), IMAGE_ERROR_FORMAT},
        {"an EMF object in the reserved slot", Emf({EmfPen(0, 1, 0)}), IMAGE_ERROR_FORMAT},
        {"EMF text counting past its record", Emf({emfText}), IMAGE_ERROR_FORMAT},
        {"EMF bits past their record", Emf({emfBits}), IMAGE_ERROR_FORMAT},
    };
    for (const Row& row : rows) {
        const Played played = Play(row.bytes);
        EXPECT_FALSE(played.ok) << row.what;
        EXPECT_EQ(played.error, row.error) << row.what;
        EXPECT_TRUE(played.picture.pixels.empty()) << row.what;
    }
}

TEST(MetafilePlayer, AFileIsReadFromItsPath)
{
    const std::string folder = test_support::NewFolder("metafiles");
    const Bytes bytes = Wmf({WmfSelect(0)}, {0, 0, 254, 127}, 254);
    const std::string path =
        test_support::WriteFile(folder + "/a.wmf", std::string(bytes.begin(), bytes.end()));
    RgbImage picture;
    ASSERT_TRUE(ReadMetafileToRgb(path, picture, 100, 100, kGrey));
    EXPECT_EQ(picture.width, 100u);
    EXPECT_EQ(picture.height, 50u);
    EXPECT_EQ(picture.pixels[0], 128);
    EXPECT_FALSE(ReadMetafileToRgb(folder + "/none.wmf", picture, 100, 100, kGrey));
    EXPECT_EQ(LastError(), IMAGE_ERROR_OPEN);
}
