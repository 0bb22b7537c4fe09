// bench/reports/rpt_bodies_bench.cpp: the report bodies on generated trees: an Individual
// Summary of 10,000 people rebuilt (under 2 s) and exported as text (under 1 s); the ancestor
// report of 20 generations of the tree's last person and the descendant report of its first,
// rebuilt and exported, with their line counts (20 generations of descendants of the first person
// of the 1,000,000-person tree are about 600,000 lines); the ancestor report built and then saved
// in each format, as the window does it. A rebuild reports the memory the report takes above the
// loaded file, at its peak and once paginated (under 64 MB: a report keeps only its entries'
// start pages).
#include "bench/bench_folder.h"
#include "bench/bench_memory.h"
#include "bench/bench_tree.h"
#include "bench/reports/rpt_bench_report.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "reports/rpt_gen_anc.h"
#include "reports/rpt_gen_desc.h"
#include "reports/rpt_gen_ind.h"
#include "reports/rpt_sink.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace rpt_bench;

class FixedDevice final : public IRptDevice {
public:
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool, bool) override
    {
        return std::make_unique<FixedCanvas>();
    }
};

std::vector<CRecordNode*> Individuals(std::size_t count)
{
    std::vector<CRecordNode*> records;
    for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild();
         record && records.size() < count; record = record->GetNextSibling())
        records.push_back(static_cast<CRecordNode*>(record));
    return records;
}

CRecordNode* LastIndividual()
{
    CDataNode* last = nullptr;
    for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild(); record;
         record = record->GetNextSibling())
        last = record;
    return static_cast<CRecordNode*>(last);
}

void Plain(CRptGen& gen, int generations)
{
    CRptSettings& settings = gen.Settings();
    LOGFONT font;
    font.lfHeight = 10;
    settings.m_format.m_fonts.fill(font);
    settings.m_layout.m_headerFonts.fill(font);
    settings.m_layout.m_footerFonts.fill(font);
    settings.m_layout.m_recordStart = false;
    settings.m_contents.m_generations = generations;
    settings.m_contents.m_options[kRptAltParents] = false;
}

std::size_t CountLines(const std::string& path)
{
    std::ifstream in(path);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);)
        lines += line.find_first_not_of(" \t") != std::string::npos;
    return lines;
}

/// Builds (kind 0) or exports (a writer kind) gen, counting lines of a text export. A build
/// reports the memory above the loaded file and the new generator: its peak while paginating
/// and what the report keeps once paginated.
void Run(benchmark::State& state, CRptGen& gen, int kind)
{
    FixedDevice device;
    const std::string path = BenchFolder() + "/bodies.out";
    ResetPeakMemory();
    const double loaded = ResidentMemoryBytes();
    for (auto _ : state) {
        const bool done = kind == 0 ? gen.Build(device, false) : gen.Export(path, kind);
        if (!done) {
            state.SkipWithError("the report could not be made");
            break;
        }
    }
    if (kind == 0) {
        state.counters["pages"] = double(gen.GetPageCount());
        state.counters["peak_MB"] = (PeakMemoryBytes() - loaded) / 1e6;
        malloc_trim(0);
        state.counters["kept_MB"] = (ResidentMemoryBytes() - loaded) / 1e6;
    } else if (kind == kRptText) {
        state.counters["lines"] = double(CountLines(path));
    }
}

void BM_IndividualSummary(benchmark::State& state)
{
    if (!LoadGeneratedTree(10000)) {
        state.SkipWithError("no tree");
        return;
    }
    CRptGenInd gen("Individual Summary", false);
    Plain(gen, 1);
    gen.TakeSelectedRecords(Individuals(10000));
    Run(state, gen, int(state.range(0)));
}

void BM_Ancestors(benchmark::State& state)
{
    if (!LoadGeneratedTree(std::int32_t(state.range(1)))) {
        state.SkipWithError("no tree");
        return;
    }
    CRptGenAnc gen("Ancestors", false);
    Plain(gen, 20);
    CRecordNode* subject = LastIndividual();
    gen.TakeSelectedRecords({&subject, 1});
    Run(state, gen, int(state.range(0)));
}

/// The window's way: the report built for its pages, then saved in a format (kind).
void BM_AncestorsBuildAndExport(benchmark::State& state)
{
    if (!LoadGeneratedTree(1000000)) {
        state.SkipWithError("no tree");
        return;
    }
    CRptGenAnc gen("Ancestors", false);
    Plain(gen, 20);
    CRecordNode* subject = LastIndividual();
    gen.TakeSelectedRecords({&subject, 1});
    FixedDevice device;
    const std::string path = BenchFolder() + "/bodies.out";
    for (auto _ : state) {
        if (!gen.Build(device, false) || !gen.Export(path, int(state.range(0)))) {
            state.SkipWithError("the report could not be made");
            break;
        }
    }
}

void BM_Descendants(benchmark::State& state)
{
    if (!LoadGeneratedTree(std::int32_t(state.range(1)))) {
        state.SkipWithError("no tree");
        return;
    }
    CRptGenDesc gen("Descendants", false);
    Plain(gen, int(state.range(2)));
    CRecordNode* subject = Individuals(1).front();
    gen.TakeSelectedRecords({&subject, 1});
    Run(state, gen, int(state.range(0)));
}

// Argument 0: 0 rebuild, 3 text export, 1 HTML, 2 RTF. Times are processor times.
BENCHMARK(BM_IndividualSummary)->Arg(0)->Arg(kRptText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ancestors)
    ->Args({0, 1000000})
    ->Args({kRptText, 1000000})
    ->Args({kRptHtml, 1000000})
    ->Args({kRptRtf, 1000000})
    ->Unit(benchmark::kMillisecond);
// Argument: the format, 3 text, 1 HTML, 2 RTF.
BENCHMARK(BM_AncestorsBuildAndExport)
    ->Arg(kRptText)
    ->Arg(kRptHtml)
    ->Arg(kRptRtf)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Descendants)
    ->Args({0, 1000000, 20})
    ->Args({kRptText, 1000000, 20})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
