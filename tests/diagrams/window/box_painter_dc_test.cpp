// tests/diagrams/window/box_painter_dc_test.cpp: diagram boxes painted on a device context: the
// fill of their kind, their text inside the box (a line wider than the box shows its first
// characters and never spills out), transparent fills, black-and-white printing and handles;
// the measuring context (the printer's in the diagram's orientation, else the window's); and a
// title block made from the settings' title record. A box and a title are saved as PNGs.
#include "diagrams/window/box_painter_dc.h"
#include "diagrams/window/title_look.h"

#include "diagrams/diag_ancestor_elem.h"
#include "tests/diagrams/diag_test_owner.h"
#include "tests/templates/template_test_family.h"

#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using TestHooks::Image;
using TestHooks::RenderDC;

constexpr int kWidth = 240, kHeight = 120;
constexpr COLORREF kGrey = RGB(200, 200, 200);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

/// One logical unit a pixel, y up from the bottom edge: logical (x, y) is pixel (x, 120 - y).
void SetDiagramMapping(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(1, -1);
    dc.SetViewportOrg(0, kHeight);
}

/// A box's pixels: its rectangle in logical units as pixels (outline included).
CRect Pixels(const CRect& logical)
{
    return CRect(logical.left, kHeight - logical.top, logical.right + 1,
                 kHeight - logical.bottom + 1);
}

class BoxPainterDcTest : public CTemplateFamilyTest {
protected:
    void SetUp() override
    {
        CTemplateFamilyTest::SetUp();
        m_owner.UseScheme(*FindBuiltInScheme("Name, Dates"));
        m_owner.m_settings.m_boxFont.lfHeight = 14;
        std::strncpy(m_owner.m_settings.m_boxFont.lfFaceName, "Arial", LF_FACESIZE - 1);
        m_box = std::make_unique<CDiagAncestorElem>(m_owner, 0, 1);
        m_box->SetRecords(nullptr, static_cast<CIndRec*>(Rec("John")), nullptr);
    }
    void TearDown() override
    {
        m_box.reset();
        CTemplateFamilyTest::TearDown();
    }

    /// The box measured on the image's context and set at (left, top), then drawn.
    Image Draw(int left, int top, bool blackAndWhite = false, bool handles = false)
    {
        return RenderDC(kWidth, kHeight, [&](CDC& dc) {
            dc.FillSolidRect(0, 0, kWidth, kHeight, kGrey);
            SetDiagramMapping(dc);
            const LOGFONT logFont = DiagramBoxFont(m_owner.m_settings);
            CFont font;
            font.CreateFontIndirect(&logFont);
            CFont* old = dc.SelectObject(&font);
            CDCBoxPainter painter(dc, m_owner.m_settings, blackAndWhite);
            m_box->Measure(&painter, false);
            const CRect size = m_box->Rect();
            m_box->SetRect(CRect(left, top, left + size.Width(), top + size.Height()));
            m_box->Draw(painter);
            if (handles)
                m_box->DrawHandles(painter, false);
            dc.SelectObject(old);
        });
    }

    /// Counts of pixels by what they are, within an area of the image.
    struct Census {
        int fill = 0, ink = 0, background = 0;
    };
    static Census Count(const Image& image, const CRect& area, COLORREF fill)
    {
        Census census;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF c = image.Pixel(x, y);
                (c == fill ? census.fill : c == kGrey ? census.background : census.ink)++;
            }
        return census;
    }

    CFakeDiagramOwner m_owner;
    std::unique_ptr<CDiagAncestorElem> m_box;
};

TEST_F(BoxPainterDcTest, BoxIsFilledByItsKindWithItsTextInside)
{
    const Image image = Draw(40, 100);
    image.SavePng("diagram_box.png");
    const CRect box = Pixels(m_box->Rect());
    const COLORREF fill = m_owner.m_settings.m_colours[kBoxAncestorRow].colour;
    // Inside the outline: the fill and the text in the male colour.
    const CRect inside(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
    const Census census = Count(image, inside, fill);
    EXPECT_GT(census.fill, census.ink);
    EXPECT_GT(census.ink, 20);
    EXPECT_EQ(census.background, 0);
    bool maleInk = false;
    for (int y = inside.top; y < inside.bottom; ++y)
        for (int x = inside.left; x < inside.right; ++x)
            maleInk =
                maleInk || image.Pixel(x, y) == m_owner.m_settings.m_colours[kTextMaleRow].colour;
    EXPECT_TRUE(maleInk);
    // The outline in the pen's black; nothing beyond it.
    EXPECT_EQ(image.Pixel(box.left, (box.top + box.bottom) / 2), kBlack);
    EXPECT_EQ(Count(image, CRect(0, 0, kWidth, box.top), fill).ink, 0);
    EXPECT_EQ(Count(image, CRect(0, box.bottom, kWidth, kHeight), fill).ink, 0);
}

TEST_F(BoxPainterDcTest, LineWiderThanTheBoxShowsItsFirstCharactersInsideTheBox)
{
    m_owner.m_settings.m_minBoxWidth = 40;
    m_box->SetText("Wolfeschlegelsteinhausenbergerdorff");
    // Measured on a narrower context than the one it is drawn on: the box is set narrower than
    // its text.
    const Image image = RenderDC(kWidth, kHeight, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, kWidth, kHeight, kGrey);
        SetDiagramMapping(dc);
        const LOGFONT logFont = DiagramBoxFont(m_owner.m_settings);
        CFont font;
        font.CreateFontIndirect(&logFont);
        CFont* old = dc.SelectObject(&font);
        CDCBoxPainter painter(dc, m_owner.m_settings, false);
        m_box->Measure(&painter, false);
        EXPECT_GT(m_box->Rect().Width(), 100);
        m_box->SetRect(CRect(100, 100, 160, 50));
        m_box->Draw(painter);
        dc.SelectObject(old);
    });
    image.SavePng("diagram_box_narrow.png");
    const CRect box = Pixels(m_box->Rect());
    const COLORREF fill = m_owner.m_settings.m_colours[kBoxAncestorRow].colour;
    EXPECT_GT(
        Count(image, CRect(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1), fill).ink,
        20);
    EXPECT_EQ(Count(image, CRect(0, 0, box.left, kHeight), fill).ink, 0);
    EXPECT_EQ(Count(image, CRect(box.right, 0, kWidth, kHeight), fill).ink, 0);
    // The first letter stands at the left of the box (a centred whole line would start far
    // to the left of it).
    int firstInk = kWidth;
    for (int y = box.top + 1; y < box.bottom - 1; ++y)
        for (int x = box.left + 1; x < box.right - 1; ++x)
            if (image.Pixel(x, y) != fill)
                firstInk = std::min(firstInk, x);
    EXPECT_LT(firstInk, box.left + 10);
}

TEST_F(BoxPainterDcTest, TransparentRowsLeaveTheBackgroundAndBlackAndWhiteIsWhiteAndBlack)
{
    struct Row {
        const char* what;
        bool transparent;
        bool blackAndWhite;
        COLORREF inside; // the fill expected
    };
    const COLORREF ancestor = m_owner.m_settings.m_colours[kBoxAncestorRow].colour;
    const Row rows[] = {
        {"solid", false, false, ancestor},
        {"transparent", true, false, kGrey},
        {"black and white", false, true, kWhite},
        {"transparent in black and white", true, true, kGrey},
    };
    for (const Row& row : rows) {
        m_owner.m_settings.m_colours[kBoxAncestorRow].transparent = row.transparent;
        const Image image = Draw(40, 100, row.blackAndWhite);
        const CRect box = Pixels(m_box->Rect());
        EXPECT_EQ(image.Pixel(box.left + 2, box.bottom - 3), row.inside) << row.what;
        if (!row.blackAndWhite)
            continue;
        // Text in black or its grey edges only.
        for (int y = box.top + 1; y < box.bottom - 1; ++y)
            for (int x = box.left + 1; x < box.right - 1; ++x) {
                const COLORREF c = image.Pixel(x, y);
                ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c))
                    << row.what << " at " << x << "," << y;
            }
    }
    m_owner.m_settings.m_colours[kBoxAncestorRow].transparent = false;
}

TEST_F(BoxPainterDcTest, HandlesStandAtTheCornersAndMiddlesExceptInBlackAndWhite)
{
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const Image shown = Draw(40, 100, false, true);
    const Image printed = Draw(40, 100, true, true);
    const CRect box = Pixels(m_box->Rect());
    const int right = box.right - 1, bottom = box.bottom - 1, midX = (box.left + right) / 2;
    for (const POINT& p : {POINT{box.left, box.top}, POINT{midX, box.top}, POINT{right, bottom},
                           POINT{box.left, (box.top + bottom) / 2}}) {
        EXPECT_EQ(shown.Pixel(p.x - 2, p.y - 2), highlight) << p.x << "," << p.y;
        EXPECT_EQ(shown.Pixel(p.x + 3, p.y + 3), highlight) << p.x << "," << p.y;
        EXPECT_NE(shown.Pixel(p.x + 4, p.y + 4), highlight) << p.x << "," << p.y;
        EXPECT_NE(printed.Pixel(p.x - 2, p.y - 2), highlight) << p.x << "," << p.y;
    }
}

TEST(BoxMeasurer, MeasuresOnThePrinterInTheDiagramsOrientationElseOnTheWindow)
{
    CWinApp app{"ArdenvelBoxMeasurerTest"};
    CDiagramSettings settings;
    int prepared = 0, preparedOnPrinter = 0;
    const auto prepare = [&](CDC&, bool printer) {
        ++prepared;
        preparedOnPrinter += printer;
    };
    for (const bool landscape : {true, false}) {
        settings.m_printLandscape = landscape;
        const auto measurer = CBoxMeasurer::Create(settings, nullptr, prepare);
        ASSERT_NE(measurer, nullptr);
        EXPECT_TRUE(measurer->OnPrinter());
        EXPECT_EQ(measurer->DC().GetDeviceCaps(HORZRES) > measurer->DC().GetDeviceCaps(VERTRES),
                  landscape);
        EXPECT_GT(measurer->MeasureText("Anders").cx, 0);
    }
    EXPECT_EQ(prepared, 2);
    EXPECT_EQ(preparedOnPrinter, 2);

    TestHooks::SetNoPrinter(true);
    EXPECT_EQ(CBoxMeasurer::Create(settings, nullptr, prepare), nullptr);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "diagram", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    const auto onWindow = CBoxMeasurer::Create(settings, &wnd, prepare);
    TestHooks::SetNoPrinter(false);
    ASSERT_NE(onWindow, nullptr);
    EXPECT_FALSE(onWindow->OnPrinter());
    EXPECT_EQ(prepared, 3);
    const CSize wide = onWindow->MeasureText("WWWW"), narrow = onWindow->MeasureText("iiii");
    EXPECT_GT(wide.cx, narrow.cx);
}

TEST(TitleLook, TitleRecordGivesTheBlocksLook)
{
    CDiagramSettings settings;
    CDiagramTitle& title = settings.m_titles[1];
    title.frame = CRect(20, 220, 460, 60);
    title.text = "Descendants of Anders Lindqvist, 1820-1990";
    title.showFrame = true;
    title.textColour.colour = RGB(0, 0, 128);
    title.backgroundColour.colour = RGB(255, 248, 220);
    title.font.lfHeight = 20;
    title.font.lfWeight = FW_BOLD;
    std::strncpy(title.font.lfFaceName, "Arial", LF_FACESIZE - 1);
    title.marginX = 12;
    title.marginY = 8;
    TitleBlockLook look = LookOfTitle(title);
    EXPECT_EQ(look.rect, title.frame);
    EXPECT_EQ(look.text, title.text);
    EXPECT_TRUE(look.frame);
    EXPECT_EQ(look.textColour, RGB(0, 0, 128));
    EXPECT_EQ(look.backColour, RGB(255, 248, 220));
    EXPECT_FALSE(look.transparent);
    EXPECT_EQ(look.font.lfWeight, FW_BOLD);
    EXPECT_EQ(look.xMargin, 12);
    EXPECT_EQ(look.yMargin, 8);
    const Image image = RenderDC(480, 240, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, 480, 240, kGrey);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1, 1);
        dc.SetViewportExt(1, -1);
        dc.SetViewportOrg(0, 240);
        CTitleView(look, nullptr).Draw(dc);
    });
    image.SavePng("diagram_title.png");
    EXPECT_EQ(image.Pixel(30, 30), RGB(255, 248, 220));

    // Transparency counts only where the colour row allows it.
    title.backgroundColour.transparent = true;
    EXPECT_TRUE(LookOfTitle(title).transparent);
    title.backgroundColour.transparencyAllowed = false;
    EXPECT_FALSE(LookOfTitle(title).transparent);
    title.showFrame = false;
    EXPECT_FALSE(LookOfTitle(title).frame);
}

} // namespace
