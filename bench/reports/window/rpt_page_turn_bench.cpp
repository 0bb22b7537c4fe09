// bench/reports/window/rpt_page_turn_bench.cpp: page turns in the report window on a long report:
// the Descendant report of Sceaf (record 2018) in royal92.ged over 99 generations, about 3,000
// pages measured on the virtual printer. A turn (the next or the previous page, painted) should
// take under 50 ms of processor time wherever it happens, at the start, the middle or the end.
#include "app/shell/printer_setup.h"
#include "bench/bench_data_set.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_gen_make.h"
#include "reports/window/rpt_services.h"
#include "reports/window/sub_view_report.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

/// The real file: ARDENVEL_BENCH_REAL_FILE, else the sample this source tree holds.
std::string RealFile()
{
    const char* named = std::getenv("ARDENVEL_BENCH_REAL_FILE");
    return named && *named ? named : ARDENVEL_BENCH_REAL_FILE_DEFAULT;
}

/// Individual record number 2018 of the loaded file; null when it is missing.
CRecordNode* Sceaf()
{
    for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild(); record;
         record = record->GetNextSibling())
        if (static_cast<CRecordNode*>(record)->GetRecordNumber() == 2018)
            return static_cast<CRecordNode*>(record);
    return nullptr;
}

/// The report window over Sceaf's descendants, made once for every run.
struct TurnWindow {
    CWinApp app{"Page Turn Bench"};
    CResources resources;
    std::unique_ptr<CAppPrinter> printer;
    std::unique_ptr<CRptPrinterDevice> device;
    CWnd host;
    std::unique_ptr<CSubViewReport> window;
    std::string error;

    TurnWindow()
    {
        InitBenchDataSet();
        if (!resources.LoadCompiledIn(error))
            return;
        SetAppResources(&resources);
        TestHooks::SetNoPrinter(false);
        app.GetPrinterSettings().LoadDefaults();
        printer = std::make_unique<CAppPrinter>(app.GetPrinterSettings());
        device = std::make_unique<CRptPrinterDevice>(*printer);
        CRecordNode* root = LoadGedcomFile(RealFile(), nullptr, nullptr) ? Sceaf() : nullptr;
        if (!root) {
            error = "record 2018 of the real file is missing (set ARDENVEL_BENCH_REAL_FILE)";
            return;
        }
        RptGenRequest request;
        request.type = kRptTypeDesc;
        request.name = "Descendant Report";
        std::unique_ptr<CRptGen> report = RptMakeGenerator(request);
        report->Settings().m_contents.m_generations = 99;
        const std::vector<CRecordNode*> subjects = {root};
        report->TakeSelectedRecords(subjects);
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1200, 900), nullptr,
                      0);
        window = std::make_unique<CSubViewReport>();
        CWnd& wnd = *window;
        if (!wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1200, 900),
                        &host, 99)) {
            error = "the report window could not be made";
            return;
        }
        window->SetReport(std::move(report), *device);
    }
};

/// Argument: where the turns happen, 0 the start, 1 the middle, 2 the end of the report. Each
/// iteration turns to the next page and back, painting each.
void BM_TurnPage(benchmark::State& state)
{
    static TurnWindow turn;
    if (!turn.error.empty()) {
        state.SkipWithError(turn.error.c_str());
        return;
    }
    CSubViewReport& window = *turn.window;
    const int pages = window.GetReport()->GetPageCount();
    const int page = state.range(0) == 0 ? 1 : state.range(0) == 1 ? pages / 2 : pages - 3;
    window.GoToPageNumber(page, false);
    benchmark::DoNotOptimize(TestHooks::RenderWindow(window.GetPageWnd()).width);
    for (auto _ : state)
        for (int step : {1, 0}) {
            window.GoToPageNumber(page + step, false);
            benchmark::DoNotOptimize(TestHooks::RenderWindow(window.GetPageWnd()).width);
        }
    state.counters["pages"] = double(pages);
    state.counters["time_per_turn"] =
        benchmark::Counter(2.0 * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Times are processor times of the turning thread.
BENCHMARK(BM_TurnPage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

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
