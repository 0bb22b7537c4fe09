// tests/reports/window/rpt_screen_pages_test.cpp: screen pages measured on the printer: at any
// size on the screen a page shows the lines, broken and stretched, that the printer prints.
#include "tests/reports/fake_rpt_canvas.h"

#include "app/shell/printer_setup.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/window/rpt_dc_canvas.h"
#include "reports/window/rpt_services.h"

#include <gtest/gtest.h>

#include <cstring>

namespace rpt_test {
namespace {

/// Passes everything on to the canvas it wraps and keeps the text of each line drawn.
class RecordingCanvas final : public IRptCanvas {
public:
    explicit RecordingCanvas(IRptCanvas& inner) : m_inner(inner) {}
    RptDevicePage GetDevicePage() const override { return m_inner.GetDevicePage(); }
    void SetupMapping(int width, int height) override { m_inner.SetupMapping(width, height); }
    RptFontMetrics CreateFont(int slot, const LOGFONT& font, int height) override
    {
        return m_inner.CreateFont(slot, font, height);
    }
    void SelectFont(int slot) override { m_inner.SelectFont(slot); }
    int GetTextWidth(std::string_view text) override { return m_inner.GetTextWidth(text); }
    int GetFitCount(std::string_view text, int width) override
    {
        return m_inner.GetFitCount(text, width);
    }
    void DrawTextRun(const CRect& rect, RptAlign align, int x, int baseline, std::string_view text,
                     bool justify) override
    {
        lines.push_back(std::to_string(baseline) + ":" + std::string(text));
        m_inner.DrawTextRun(rect, align, x, baseline, text, justify);
    }
    void DrawRule(int left, int right, int y, int thickness) override
    {
        m_inner.DrawRule(left, right, y, thickness);
    }
    void DrawPicture(const CRect& rect, const RptPicture& picture) override
    {
        m_inner.DrawPicture(rect, picture);
    }
    void DrawCircle(int x, int y, int radius, COLORREF fill, bool hollow, COLORREF edge,
                    int width) override
    {
        m_inner.DrawCircle(x, y, radius, fill, hollow, edge, width);
    }
    void DrawLine(int x1, int y1, int x2, int y2, int width, COLORREF colour) override
    {
        m_inner.DrawLine(x1, y1, x2, y2, width, colour);
    }

    std::vector<std::string> lines;

private:
    IRptCanvas& m_inner;
};

/// One entry: a heading and a long paragraph that wraps over many lines.
ScriptBody Paragraph()
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "Witnessed the baptism of a niece at Saint Wilfrid's, Calverley, in the spring. ";
    ScriptBody body;
    body.entries.push_back({"Entry", [text](CRptPageLayout& layout, CRptFontSet& ctx) {
                                layout.EmitHeading(ctx, 0, "A Long Note");
                                return layout.EmitRow(ctx, text, "", 0, 0, 1, 2);
                            }});
    return body;
}

class ScreenPages : public testing::Test {
protected:
    void SetUp() override
    {
        TestHooks::SetNoPrinter(false);
        m_app = std::make_unique<CWinApp>("Screen Pages Test");
        ASSERT_TRUE(m_app->GetPrinterSettings().LoadDefaults());
        m_printer = std::make_unique<CAppPrinter>(m_app->GetPrinterSettings());
        m_device = std::make_unique<CRptPrinterDevice>(*m_printer);
        RptPageSettings settings;
        LOGFONT font{};
        font.lfHeight = 11;
        std::strcpy(font.lfFaceName, "Liberation Serif");
        settings.fonts.fill(font);
        settings.headerFonts.fill(font);
        settings.footerFonts.fill(font);
        m_layout = std::make_unique<CRptPageLayout>(settings);
        std::unique_ptr<IRptCanvas> canvas = m_device->CreatePrinterCanvas(false, false);
        ASSERT_NE(canvas, nullptr);
        ASSERT_EQ(m_layout->Build(m_body, *canvas, "Test Report", "9 Dec 2026"),
                  RptBuildResult::Done);
    }
    void TearDown() override
    {
        m_layout.reset();
        m_device.reset();
        m_printer.reset();
        m_app.reset();
        TestHooks::DeliverPosted();
    }
    /// A printer canvas mapped onto the report's page.
    std::unique_ptr<IRptCanvas> PrinterCanvas()
    {
        std::unique_ptr<IRptCanvas> canvas = m_device->CreatePrinterCanvas(false, false);
        if (canvas)
            canvas->SetupMapping(m_layout->Metrics().pageWidth, m_layout->Metrics().pageHeight);
        return canvas;
    }
    /// The lines of page 1 drawn on a memory context width pixels wide, measured on the
    /// printer when reference is set.
    std::vector<std::string> ScreenLines(int width, bool reference)
    {
        const RptPageMetrics& metrics = m_layout->Metrics();
        const int height = width * metrics.pageHeight / metrics.pageWidth;
        CDC screen;
        CBitmap bitmap;
        if (!screen.CreateCompatibleDC(nullptr) ||
            !bitmap.CreateCompatibleBitmap(&screen, width, height))
            return {};
        CBitmap* old = screen.SelectObject(&bitmap);
        screen.SetMapMode(MM_ANISOTROPIC);
        screen.SetWindowExt(metrics.pageWidth, metrics.pageHeight);
        screen.SetViewportExt(width, height);
        std::unique_ptr<IRptCanvas> printer = reference ? PrinterCanvas() : nullptr;
        std::vector<std::string> lines;
        {
            CRptDcCanvas canvas(screen, dynamic_cast<CRptDcCanvas*>(printer.get()));
            RecordingCanvas recording(canvas);
            m_layout->PrintPage(m_body, recording, 0);
            lines = recording.lines;
        }
        screen.SelectObject(old);
        return lines;
    }

    ScriptBody m_body = Paragraph();
    std::unique_ptr<CWinApp> m_app;
    std::unique_ptr<CAppPrinter> m_printer;
    std::unique_ptr<CRptPrinterDevice> m_device;
    std::unique_ptr<CRptPageLayout> m_layout;
};

TEST_F(ScreenPages, EverySizeOnTheScreenShowsThePrintedLines)
{
    std::unique_ptr<IRptCanvas> printer = PrinterCanvas();
    ASSERT_NE(printer, nullptr);
    RecordingCanvas printed(*printer);
    m_layout->PrintPage(m_body, printed, 0);
    ASSERT_GT(printed.lines.size(), 10u) << "the note wraps over many lines";
    for (int width : {60, 150, 420, 800, 1300})
        EXPECT_EQ(ScreenLines(width, true), printed.lines) << width << " pixels wide";
    // Measured on a small screen page alone the lines break elsewhere: the reference matters.
    EXPECT_NE(ScreenLines(60, false), printed.lines);
}

TEST(ScreenRules, ARuleThinnerThanAPixelShowsWhereverItFalls)
{
    // A page of 6,120 units drawn 200 pixels high: a rule of 10 units is a third of a pixel.
    const TestHooks::Image image = TestHooks::RenderDC(100, 200, [](CDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(6120, 6120);
        dc.SetViewportExt(100, 200);
        CRptDcCanvas canvas(dc);
        for (int y = 100; y < 6000; y += 197)
            canvas.DrawRule(0, 6120, y, 10);
    });
    for (int y = 100; y < 6000; y += 197) {
        const int row = y * 200 / 6120;
        bool dark = false;
        for (int r = row - 1; r <= row + 1; ++r)
            dark = dark || image.Pixel(50, r) == RGB(0, 0, 0);
        EXPECT_TRUE(dark) << "rule at " << y;
    }
}

} // namespace
} // namespace rpt_test
