// bench/reports/window/rpt_window_bench.cpp: one page of a 10,000-entry report repainted in the
// report window's page canvas (under 50 ms), at page width and as a whole page.
#include "bench/reports/rpt_bench_report.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/rpt_gen.h"
#include "reports/window/sub_view_report.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace rpt_bench;

/// The printer: the fixed canvas.
class FixedDevice final : public IRptDevice {
public:
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool, bool) override
    {
        return std::make_unique<FixedCanvas>();
    }
};

/// A generator whose work list is the generated body's entries.
class GeneratedGen final : public CRptGen {
public:
    explicit GeneratedGen(int count) : CRptGen(kRptTypeList, "Generated", false), m_body(count)
    {
        CRptSettings& settings = Settings();
        LOGFONT font{};
        font.lfHeight = 10;
        settings.m_format.m_fonts.fill(font);
        settings.m_layout.m_headerFonts.fill(font);
        settings.m_layout.m_footerFonts.fill(font);
        settings.m_layout.m_headerTexts = {"=Title()", "", "Page =Page()"};
        settings.m_layout.m_recordStart = false;
    }
    void PrepareEntries() override
    {
        for (int i = 0; i < m_body.GetEntryCount(); ++i)
            Entries().push_back(std::make_unique<CRptRow>(kRptRowList, nullptr));
    }
    bool WriteListRow(CRptFontSet& ctx, int index) override
    {
        return m_body.RunEntry(index, Layout(), ctx);
    }
    void GetEntryTitle(const CRptRow&, std::string& out) const override { out.clear(); }

private:
    GeneratedBody m_body;
};

void BM_RepaintMiddlePage(benchmark::State& state)
{
    static CResources resources;
    std::string error;
    if (!resources.LoadCompiledIn(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    SetAppResources(&resources);
    FixedDevice device;
    CWnd host;
    host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr, 0);
    {
        CSubViewReport window;
        CWnd& wnd = window;
        if (!wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1000, 700),
                        &host, 99))
            state.SkipWithError("the report window could not be made");
        window.SetReport(std::make_unique<GeneratedGen>(10000), device);
        if (state.range(0) == 1)
            window.SetZoom(kRptZoomWholePage);
        window.GoToPageNumber(window.GetReport()->GetPageCount() / 2, false);
        for (auto _ : state)
            benchmark::DoNotOptimize(TestHooks::RenderWindow(window.GetPageWnd()).width);
        state.counters["pages"] = double(window.GetReport()->GetPageCount());
    }
    host.DestroyWindow();
}

// Argument 0: page width; 1: whole page.
BENCHMARK(BM_RepaintMiddlePage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // The hooks start the offscreen application the windows need.
    TestHooks::Enable([](const std::string&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
