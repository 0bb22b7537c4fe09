// bench/reports/rpt_gen_bench.cpp: a generator of 10,000 generated entries rebuilt on the
// printer's page (under 2 s on one core) and exported as plain text (under 1 s), both through the
// report generator base as the report window uses it.
#include "bench/bench_folder.h"
#include "bench/reports/rpt_bench_report.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_sink.h"

#include <benchmark/benchmark.h>

#include <filesystem>

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
        LOGFONT font;
        font.lfHeight = 10;
        settings.m_format.m_fonts.fill(font);
        settings.m_layout.m_headerFonts.fill(font);
        settings.m_layout.m_footerFonts.fill(font);
        settings.m_layout.m_headerTexts = {"=Title()", "", "Page =Page()"};
        settings.m_layout.m_recordStart = false;
        settings.m_format.m_headingStyles[0] = {0, 1, 12, 6, 100, 2};
        settings.m_format.m_headingStyles[1] = {0, 0, 6, 3, 0, 1};
        settings.m_pictures.m_gaps = {5, 5, 5, 5, 3};
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

void BM_BuildGeneratedReport(benchmark::State& state)
{
    FixedDevice device;
    GeneratedGen gen(int(state.range(0)));
    for (auto _ : state) {
        if (!gen.Build(device, false)) {
            state.SkipWithError("the report could not be built");
            break;
        }
        benchmark::DoNotOptimize(gen.GetPageCount());
    }
    state.counters["pages"] = double(gen.GetPageCount());
}

void BM_ExportGeneratedReportAsText(benchmark::State& state)
{
    GeneratedGen gen(int(state.range(0)));
    gen.PrepareEntries();
    const std::string path = BenchFolder() + "/generated.txt";
    for (auto _ : state) {
        if (!gen.Export(path, kRptText)) {
            state.SkipWithError("the report could not be written");
            break;
        }
    }
    state.counters["bytes"] = double(std::filesystem::file_size(path));
}

// Times are processor times of the building thread.
BENCHMARK(BM_BuildGeneratedReport)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGeneratedReportAsText)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
