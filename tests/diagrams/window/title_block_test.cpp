// tests/diagrams/window/title_block_test.cpp: title blocks drawn on a zoomed diagram (frame,
// background, transparency, centred wrapped text, margins that leave no room), their handles
// found under the mouse and dragged no smaller than the smallest block, and the drawn handles
// taken away by drawing them again. A rendered block is saved as a PNG to look at.
#include "diagrams/window/title_block.h"

#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCream = RGB(255, 248, 220);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kGrey = RGB(200, 200, 200);
constexpr int kWidth = 320, kHeight = 160;

using TestHooks::Image;
using TestHooks::RenderDC;

/// Half zoom, y up from the bottom edge: logical (x, y) is pixel (x / 2, 160 - y / 2).
void SetDiagramMapping(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(2, 2);
    dc.SetViewportExt(1, -1);
    dc.SetViewportOrg(0, kHeight);
}

TitleBlockLook FamilyTitle()
{
    TitleBlockLook look;
    look.rect = CRect(40, 280, 600, 40); // pixels 20..300 across, 20..140 down
    look.text = "The descendants of Anders Lindqvist and Maja Persdotter, 1820-1990";
    look.frame = true;
    look.textColour = kNavy;
    look.backColour = kCream;
    look.font.lfHeight = 36; // 18 pixels
    look.font.lfWeight = FW_BOLD;
    std::strncpy(look.font.lfFaceName, "Arial", LF_FACESIZE - 1);
    look.xMargin = 20;
    look.yMargin = 16;
    return look;
}

Image Render(TitleBlockLook look, bool selected = false)
{
    return RenderDC(kWidth, kHeight, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, kWidth, kHeight, kGrey);
        SetDiagramMapping(dc);
        CTitleView view(look, nullptr);
        view.SetSelected(selected);
        view.Draw(dc);
    });
}

/// Rows and columns holding text ink (the text colour or its smoothed edges) inside an area.
CRect TextInk(const Image& image, const CRect& area, COLORREF background)
{
    CRect ink(area.right, area.bottom, area.left, area.top);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            if (c == background || c == kBlack)
                continue;
            ink.left = std::min<LONG>(ink.left, x);
            ink.top = std::min<LONG>(ink.top, y);
            ink.right = std::max<LONG>(ink.right, x + 1);
            ink.bottom = std::max<LONG>(ink.bottom, y + 1);
        }
    return ink;
}

TEST(TitleBlock, DrawsAFilledFrameAndCentredWrappedText)
{
    const Image image = Render(FamilyTitle());
    image.SavePng("title_block.png");
    EXPECT_EQ(image.Pixel(20, 80), kBlack); // the frame
    EXPECT_EQ(image.Pixel(299, 139), kBlack);
    EXPECT_EQ(image.Pixel(19, 80), kGrey);
    EXPECT_EQ(image.Pixel(24, 24), kCream); // the background, outside the text
    const CRect ink = TextInk(image, CRect(21, 21, 299, 139), kCream);
    ASSERT_FALSE(ink.IsRectEmpty());
    // Within the margins (10 and 8 pixels), wrapped to more than one line, centred across.
    EXPECT_GE(ink.left, 30);
    EXPECT_LE(ink.right, 290);
    EXPECT_GE(ink.top, 28);
    EXPECT_GT(ink.Height(), 30);
    EXPECT_NEAR((ink.left + ink.right) / 2, 160, 4);
}

TEST(TitleBlock, TransparentUnframedAndMarginFilledBlocks)
{
    TitleBlockLook transparent = FamilyTitle();
    transparent.transparent = true;
    const Image clear = Render(transparent);
    EXPECT_EQ(clear.Pixel(24, 24), kGrey);
    EXPECT_EQ(clear.Pixel(20, 80), kBlack);

    TitleBlockLook unframed = FamilyTitle();
    unframed.frame = false;
    const Image bare = Render(unframed);
    EXPECT_EQ(bare.Pixel(20, 80), kGrey);
    EXPECT_EQ(bare.Pixel(24, 24), kGrey);
    EXPECT_FALSE(TextInk(bare, CRect(21, 21, 299, 139), kGrey).IsRectEmpty());

    // Margins wider than half the block leave a text rectangle of no width: no text shows.
    TitleBlockLook squeezed = FamilyTitle();
    squeezed.xMargin = 300;
    EXPECT_EQ(TitleTextRect(squeezed).Width(), 0);
    EXPECT_TRUE(TextInk(Render(squeezed), CRect(21, 21, 299, 139), kCream).IsRectEmpty());
    squeezed.yMargin = 200;
    EXPECT_EQ(TitleTextRect(squeezed).top, TitleTextRect(squeezed).bottom);
}

TEST(TitleBlock, HandlesAreFoundOnlyOnASelectedBlock)
{
    RenderDC(kWidth, kHeight, [](CDC& dc) {
        SetDiagramMapping(dc);
        TitleBlockLook look = FamilyTitle(); // pixels 20..300 across, 20..140 down
        CTitleView view(look, nullptr);
        int handle = -1;
        EXPECT_FALSE(view.HandleAt(dc, POINT{20, 20}, &handle));
        view.SetSelected(true);
        struct Hit {
            POINT point;
            int handle;
        };
        const std::vector<Hit> hits = {
            {{23, 20}, kHandleTopLeft},  {{18, 20}, kHandleTopLeft},
            {{160, 22}, kHandleTop},     {{304, 18}, kHandleTopRight},
            {{300, 80}, kHandleRight},   {{300, 140}, kHandleBottomRight},
            {{160, 144}, kHandleBottom}, {{20, 140}, kHandleBottomLeft},
            {{20, 80}, kHandleLeft},
        };
        for (const Hit& hit : hits) {
            handle = -1;
            EXPECT_TRUE(view.HandleAt(dc, hit.point, &handle)) << hit.point.x << "," << hit.point.y;
            EXPECT_EQ(handle, hit.handle) << hit.point.x << "," << hit.point.y;
        }
        for (const POINT miss : {POINT{160, 80}, POINT{17, 20}, POINT{25, 20}, POINT{100, 20}})
            EXPECT_FALSE(view.HandleAt(dc, miss, &handle)) << miss.x << "," << miss.y;
    });
}

TEST(TitleBlock, DraggingAHandleKeepsTheSmallestBlock)
{
    struct Drag {
        int handle;
        POINT to;
        CRect result;
    };
    // The block runs from 100 to 200 across and from 80 (bottom) to 150 (top).
    const std::vector<Drag> drags = {
        {kHandleTopLeft, {500, -300}, CRect(191, 89, 200, 80)},
        {kHandleTop, {150, 120}, CRect(100, 120, 200, 80)},
        {kHandleTopRight, {250, 0}, CRect(100, 89, 250, 80)},
        {kHandleRight, {20, 0}, CRect(100, 150, 109, 80)},
        {kHandleBottomRight, {300, 10}, CRect(100, 150, 300, 10)},
        {kHandleBottom, {0, 400}, CRect(100, 150, 200, 141)},
        {kHandleBottomLeft, {60, 100}, CRect(60, 150, 200, 100)},
        {kHandleLeft, {400, 400}, CRect(191, 150, 200, 80)},
        {8, {0, 0}, CRect(100, 150, 200, 80)},
        {-1, {0, 0}, CRect(100, 150, 200, 80)},
    };
    for (const Drag& drag : drags) {
        TitleBlockLook look;
        look.rect = CRect(100, 150, 200, 80);
        CTitleView view(look, nullptr);
        view.Resize(drag.to.x, drag.to.y, drag.handle);
        EXPECT_EQ(look.rect, drag.result) << "handle " << drag.handle;
    }
}

TEST(TitleBlock, HandlesAreInvertedSoThatASecondDrawingRemovesThem)
{
    TitleBlockLook look = FamilyTitle();
    const Image plain = Render(look);
    const Image selected = Render(look, true);
    selected.SavePng("title_block_selected.png");
    // The top-left handle covers pixels 18..23 around the corner at 20, 20.
    EXPECT_EQ(plain.Pixel(18, 18), kGrey);
    EXPECT_EQ(selected.Pixel(18, 18), RGB(55, 55, 55));
    EXPECT_EQ(selected.Pixel(23, 23), RGB(0, 7, 35)); // inverted cream
    EXPECT_EQ(selected.Pixel(24, 24), kCream);
    const Image twice = RenderDC(kWidth, kHeight, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, kWidth, kHeight, kGrey);
        SetDiagramMapping(dc);
        CTitleView view(look, nullptr);
        view.SetSelected(true);
        view.Draw(dc);
        view.DrawHandles(&dc);
    });
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(twice.Pixel(x, y), plain.Pixel(x, y)) << x << "," << y;
}

/// Records the area its last painting covered.
class CanvasWnd : public CWnd {
public:
    CRect lastPaint;

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        lastPaint = dc.m_ps.rcPaint;
    }
};

TEST(TitleBlock, RepaintingASelectedBlockTakesInItsHandles)
{
    CanvasWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "diagram", WS_POPUP | WS_VISIBLE,
                             CRect(0, 0, kWidth, kHeight), nullptr, 0));
    TestHooks::RenderWindow(wnd);
    CClientDC dc(&wnd);
    SetDiagramMapping(dc);
    TitleBlockLook look = FamilyTitle(); // pixels 20..300 across, 20..140 down
    CTitleView view(look, &wnd);
    view.Invalidate(&dc);
    TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.lastPaint, CRect(20, 20, 301, 141));
    view.SetSelected(true);
    view.Invalidate(&dc);
    TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.lastPaint, CRect(17, 17, 304, 144));
    // Without a context the whole window.
    view.Invalidate(nullptr);
    TestHooks::RenderWindow(wnd);
    EXPECT_EQ(wnd.lastPaint, CRect(0, 0, kWidth, kHeight));
    wnd.DestroyWindow();
}

} // namespace
