// tests/platform/ui/drawing/dc_raster_test.cpp: copies that combine with what is there (the raster
// operations of masks and pictures), and bitmaps loaded from the resources.
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF expected;
};

class RasterOperation : public testing::TestWithParam<RopCase> {};

TEST_P(RasterOperation, CombinesTheSourceWithTheDestination)
{
    const COLORREF source = RGB(0xF0, 0x0F, 0x33), destination = RGB(0x3C, 0x3C, 0x55);
    const TestHooks::Image image = TestHooks::RenderDC(4, 4, [&](CDC& dc) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, 4, 4);
        memory.SelectObject(&bitmap);
        memory.FillSolidRect(0, 0, 4, 4, source);
        dc.FillSolidRect(0, 0, 4, 4, destination);
        EXPECT_TRUE(dc.BitBlt(1, 1, 2, 2, &memory, 0, 0, GetParam().rop));
    });
    EXPECT_EQ(image.Pixel(1, 1), GetParam().expected);
    EXPECT_EQ(image.Pixel(0, 0), destination);
}

INSTANTIATE_TEST_SUITE_P(Dc, RasterOperation,
                         testing::Values(RopCase{"Copy", SRCCOPY, RGB(0xF0, 0x0F, 0x33)},
                                         RopCase{"Or", SRCPAINT, RGB(0xFC, 0x3F, 0x77)},
                                         RopCase{"And", SRCAND, RGB(0x30, 0x0C, 0x11)},
                                         RopCase{"Xor", SRCINVERT, RGB(0xCC, 0x33, 0x66)},
                                         RopCase{"MergePaint", MERGEPAINT, RGB(0x3F, 0xFC, 0xDD)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Dc, AMaskAndAPictureLeaveTheBackgroundWhereThePictureIsClear)
{
    // The picture is white where clear; the mask is white where the picture shows.
    const TestHooks::Image image = TestHooks::RenderDC(4, 1, [](CDC& dc) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap strip;
        strip.CreateCompatibleBitmap(&dc, 8, 1);
        memory.SelectObject(&strip);
        memory.FillSolidRect(0, 0, 2, 1, RGB(200, 0, 0));
        memory.FillSolidRect(2, 0, 2, 1, RGB(255, 255, 255));
        memory.FillSolidRect(4, 0, 2, 1, RGB(255, 255, 255));
        memory.FillSolidRect(6, 0, 2, 1, RGB(0, 0, 0));
        dc.FillSolidRect(0, 0, 4, 1, RGB(0, 90, 0));
        dc.BitBlt(0, 0, 4, 1, &memory, 4, 0, SRCPAINT);
        dc.BitBlt(0, 0, 4, 1, &memory, 0, 0, SRCAND);
    });
    EXPECT_EQ(image.Pixel(1, 0), RGB(200, 0, 0));
    EXPECT_EQ(image.Pixel(3, 0), RGB(0, 90, 0));
}

TEST(Bitmap, LoadsABitmapResourceAndRefusesAMissingOne)
{
    CResources resources;
    resources.AddScriptFile(test_support::DataPath("rc/every_statement.rc"));
    SetAppResources(&resources);
    CBitmap toolbar, missing;
    EXPECT_TRUE(toolbar.LoadBitmap(2));
    BITMAP info;
    ASSERT_TRUE(toolbar.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 48);
    EXPECT_EQ(info.bmHeight, 15);
    EXPECT_FALSE(missing.LoadBitmap(777));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
    SetAppResources(nullptr);
}

} // namespace
