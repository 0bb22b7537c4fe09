// bench/reports/rpt_paginate_bench.cpp: the pagination of a generated report of 10,000 entries
// (headings, rows of runs and a picture each) on a canvas with fixed metrics; the whole should
// stay under 2 s on one core.
#include "bench/reports/rpt_bench_report.h"

#include <benchmark/benchmark.h>

namespace {

using namespace rpt_bench;

void BM_PaginateGeneratedReport(benchmark::State& state)
{
    GeneratedBody body(int(state.range(0)));
    const RptPageSettings settings = GeneratedSettings();
    FixedCanvas canvas;
    int pages = 0;
    for (auto _ : state) {
        CRptPageLayout layout(settings);
        if (layout.Build(body, canvas, "Generated", "9 Dec 2026") != RptBuildResult::Done) {
            state.SkipWithError("the report could not be laid out");
            return;
        }
        pages = layout.GetPageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = double(pages);
    state.counters["time_per_entry"] =
        benchmark::Counter(double(state.range(0)) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Times are processor times of the laying-out thread.
BENCHMARK(BM_PaginateGeneratedReport)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
