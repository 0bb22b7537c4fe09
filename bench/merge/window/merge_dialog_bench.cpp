// bench/merge/window/merge_dialog_bench.cpp: the Merge File dialog over the compare of a generated
// tree of 100,000 individuals with its edited copy: opening it, and the refresh after an action.
#include "bench/bench_data_set.h"
#include "bench/bench_tree.h"
#include "bench/generator/edited_copy.h"
#include "database/gedcom/merge_data_set.h"
#include "merge/merge_engine.h"
#include "merge/window/merge_window_ids.h"
#include "merge/window/mrg_dlg.h"
#include "platform/base/prompt.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "records/grid/rec_wnd_options.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr std::int32_t kPeople = 100000;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/// The generated tree, its edited copy beside it, and their compare (made once, not timed).
class Compared {
public:
    Compared()
    {
        InitBenchDataSet();
        std::string error;
        if (!m_resources.LoadCompiledIn(error))
            return;
        SetAppResources(&m_resources);
        RecWndOptions().m_loaded = true;
        if (!LoadGeneratedTree(kPeople))
            return;
        const std::string original = BenchFolder() + "/original.ged";
        const std::string copy = BenchFolder() + "/copy.ged";
        m_second = std::make_unique<CMergeDataSet>();
        const bool made = WriteSyntheticGedcomFile(original, kPeople, 1).has_value() &&
                          WriteEditedCopyFile(original, copy, 7).has_value() &&
                          LoadGedcomFileForMerge(copy, *m_second, nullptr, nullptr);
        std::filesystem::remove(original);
        std::filesystem::remove(copy);
        if (!made)
            return;
        MergeRoots roots{};
        for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
            roots[std::size_t(code)] = GetRecordTypeTable().RowByCode(code)->m_root;
        m_engine = std::make_unique<CMergeEngine>(roots, m_second->Roots());
        m_engine->InitCompareMaps(nullptr);
    }
    CMergeEngine* Engine() const { return m_engine.get(); }

private:
    CResources m_resources;
    std::unique_ptr<CMergeDataSet> m_second;
    std::unique_ptr<CMergeEngine> m_engine;
};

Compared& Data()
{
    static Compared data;
    return data;
}

void BM_OpenMergeDialog(benchmark::State& state)
{
    CMergeEngine* engine = Data().Engine();
    if (!engine)
        return state.SkipWithError("the compared files could not be made");
    for (auto _ : state) {
        double seconds = 0;
        const auto start = Clock::now();
        TestHooks::OnNextDialog(merge_ids::kMergeTemplate, [&](CDialog& dialog) {
            seconds = SecondsSince(start);
            TestHooks::Click(dialog, IDCANCEL);
        });
        CMrgDlg(*engine).DoModal();
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_OpenMergeDialog)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

/// An action and its refresh: buttonId on the individuals' row at line, then back.
void RunActions(benchmark::State& state, int line, int buttonId, int undoId)
{
    CMergeEngine* engine = Data().Engine();
    if (!engine)
        return state.SkipWithError("the compared files could not be made");
    TestHooks::OnNextDialog(merge_ids::kMergeTemplate, [&](CDialog& dialog) {
        auto& merge = static_cast<CMrgDlg&>(dialog);
        CMrgTwinListWnd& list = *merge.GetTwinList(2);
        bool forth = true;
        for (auto _ : state) {
            list.SelectLeftLine(line, false);
            const auto start = Clock::now();
            merge.RunAction(forth ? buttonId : undoId);
            state.SetIterationTime(SecondsSince(start));
            forth = !forth;
        }
        TestHooks::Click(dialog, IDCANCEL);
    });
    CMrgDlg(*engine).DoModal();
}

/// Check and Uncheck: the engine asks for every list to be refilled.
void BM_CheckAndRefreshAll(benchmark::State& state)
{
    RunActions(state, 500, merge_ids::kCheck, merge_ids::kUncheck);
}
BENCHMARK(BM_CheckAndRefreshAll)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

/// Unmatch and Match again: the individuals' rows change, so their list is made again.
void BM_UnmatchMatchAndRefresh(benchmark::State& state)
{
    CMergeEngine* engine = Data().Engine();
    if (!engine)
        return state.SkipWithError("the compared files could not be made");
    constexpr int kLine = 500;
    TestHooks::OnNextDialog(merge_ids::kMergeTemplate, [&](CDialog& dialog) {
        auto& merge = static_cast<CMrgDlg&>(dialog);
        CMrgTwinListWnd& list = *merge.GetTwinList(2);
        bool unmatch = true;
        double rows = 0;
        for (auto _ : state) {
            if (unmatch) {
                list.SelectLeftLine(kLine, false);
            } else {
                // The new record's row follows the current one's after the unmatch.
                list.SelectGridLine(kLine, true, false, false);
                list.SelectGridLine(kLine + 1, false, false, true);
            }
            const auto start = Clock::now();
            merge.RunAction(unmatch ? merge_ids::kUnmatch : merge_ids::kMatch);
            state.SetIterationTime(SecondsSince(start));
            rows += double(list.VisibleLines().size());
            unmatch = !unmatch;
        }
        // Lines after each action, alternately one more and as many as before.
        state.counters["lines"] = rows / double(state.iterations());
        TestHooks::Click(dialog, IDCANCEL);
    });
    CMrgDlg(*engine).DoModal();
    state.counters["rows"] = double(engine->Rows(2).size());
}
BENCHMARK(BM_UnmatchMatchAndRefresh)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    // The hooks start the offscreen application the windows need; no question goes unanswered.
    TestHooks::Enable([](const std::string&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
