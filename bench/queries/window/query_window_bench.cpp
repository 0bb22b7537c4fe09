// bench/queries/window/query_window_bench.cpp: the query window's work on the generated
// 1,000,000-person file: a run on the worker thread while the interface thread waits in its loop
// (to the first screenful painted, the longest pause of the interface thread, Cancel to the run's
// end), then a sort by a path column, a save to file and a screenful repainted in the grid.
#include "bench/bench_data_set.h"
#include "bench/bench_folder.h"
#include "bench/bench_tree.h"
#include "platform/base/paths.h"
#include "platform/ui/windows/message_pump.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "queries/query_run.h"
#include "queries/window/qry_result_grid.h"
#include "queries/window/result_set_file.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

namespace {

constexpr std::int32_t kPeople = 1000000;
constexpr UINT kProbeMessage = 0x0400 + 27;
using Clock = std::chrono::steady_clock;

/// Everybody, with a name, a birth date and a birth place.
constexpr const char* kEveryone = "[Ardenvel Query]\nTYPE=INDI\n"
                                  "TAG=\"Name\",\"INDI.NAME\",,,100\n"
                                  "TAG=\"Born\",\"INDI.BIRT.DATE\",,,60\n"
                                  "TAG=\"Place\",\"INDI.BIRT.PLAC\",,,100\n"
                                  "FILTER=GEN,ADD,UNLESS,N,\"\",\"INDI.NAME\",,\"null\"\n";

/// Takes the probe messages another thread posts and keeps the longest delay between a post
/// and its handling: how long the interface thread was kept from its queue.
class CProbeWnd final : public CWnd {
public:
    std::atomic<long long> m_longestMicros{0};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kProbeMessage)
            return CWnd::WindowProc(message, wParam, lParam);
        const long long posted = (long long)(lParam);
        const long long now =
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch())
                .count();
        if (now - posted > m_longestMicros)
            m_longestMicros = now - posted;
        return 0;
    }
};

class BigResult {
public:
    BigResult()
    {
        InitBenchDataSet();
        InstallExpressionEngine();
        m_ready = LoadGeneratedTree(kPeople);
        m_host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr,
                        0);
        m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 980, 680), &m_host, 170);
        m_probe.CreateEx(0, nullptr, "probe", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        const std::string path = paths::Join(BenchFolder(), "everyone.avq");
        std::ofstream(path) << kEveryone;
        m_query = CQueryDef::Create();
        std::string error;
        m_ready = m_ready && m_query->Load("everyone", true, error, &path);
        m_grid.SetQuerySource([this] { return m_query.get(); });
    }
    bool Ready() const { return m_ready; }
    CQryResultGrid& Grid() { return m_grid; }
    CProbeWnd& Probe() { return m_probe; }
    const std::shared_ptr<CQueryDef>& Query() const { return m_query; }

    /// Runs the query on a worker while this thread waits in the loop; the outcome.
    QueryRunOutcome Run(const std::function<bool(CQueryRun&)>& stopWaiting = {})
    {
        CQueryRun run;
        run.Start(m_query, [] { WakeUiThread(); });
        RunModalWait([&] { return run.IsFinished() || (stopWaiting && stopWaiting(run)); },
                     [](const MSG&) { return false; });
        return run.Wait();
    }

private:
    bool m_ready = false;
    CWnd m_host;
    CQryResultGrid m_grid;
    CProbeWnd m_probe;
    std::shared_ptr<CQueryDef> m_query;
};

BigResult& Big()
{
    static BigResult result;
    return result;
}

/// The query's own time, evaluated on this thread.
void QueryAlone(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree or the query could not be loaded");
    for (auto _ : state)
        EvaluateQuery(*Big().Query());
    state.counters["found"] = double(Big().Query()->GetResult().GetCount());
}
BENCHMARK(QueryAlone)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

/// Run to the first screenful painted: the worker's run, the grid filled, the cells painted.
void RunToFirstScreenful(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree or the query could not be loaded");
    for (auto _ : state) {
        if (Big().Run() != QRO_FOUND)
            return state.SkipWithError("the run failed");
        Big().Grid().Fill(*Big().Query());
        Big().Grid().GetCells().UpdateWindow();
    }
    state.counters["rows"] = double(Big().Grid().GetRowCount());
}
BENCHMARK(RunToFirstScreenful)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

/// The longest time the interface thread kept a posted message waiting during a run.
void LongestPauseDuringRun(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree or the query could not be loaded");
    CProbeWnd& probe = Big().Probe();
    for (auto _ : state) {
        probe.m_longestMicros = 0;
        std::atomic<bool> stop = false;
        std::thread poster([&] {
            while (!stop) {
                const long long now = std::chrono::duration_cast<std::chrono::microseconds>(
                                          Clock::now().time_since_epoch())
                                          .count();
                probe.PostMessage(kProbeMessage, 0, LPARAM(now));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        Big().Run();
        stop = true;
        poster.join();
        PumpWaitingMessages();
    }
    state.counters["longest_pause_ms"] = double(probe.m_longestMicros) / 1000.0;
}
BENCHMARK(LongestPauseDuringRun)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

/// Cancel pressed 50 ms into the run (by the interface thread, as the button does), to the
/// run's end. A helper thread wakes the loop every millisecond, as the pointer over the
/// toolbar would.
void CancelToEnd(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree or the query could not be loaded");
    double cancelMs = -1;
    for (auto _ : state) {
        std::atomic<bool> stop = false;
        std::thread waker([&stop] {
            while (!stop) {
                WakeUiThread();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        const Clock::time_point start = Clock::now();
        Clock::time_point cancelled{};
        const QueryRunOutcome outcome = Big().Run([&](CQueryRun& run) {
            if (cancelled == Clock::time_point{} &&
                Clock::now() - start > std::chrono::milliseconds(50)) {
                run.Cancel();
                cancelled = Clock::now();
            }
            return false;
        });
        const Clock::time_point ended = Clock::now();
        stop = true;
        waker.join();
        if (cancelled != Clock::time_point{})
            cancelMs = std::chrono::duration<double, std::milli>(ended - cancelled).count();
        state.counters["cancelled"] = outcome == QRO_CANCELLED ? 1 : 0;
    }
    state.counters["cancel_to_end_ms"] = cancelMs;
}
BENCHMARK(CancelToEnd)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void FillFromLastRun(benchmark::State& state)
{
    if (Big().Query()->GetResult().IsEmpty() && Big().Run() != QRO_FOUND)
        state.SkipWithError("the run failed");
    Big().Grid().Fill(*Big().Query());
}

/// A click on the "Born" title: the stable sort by the path column.
void SortByPathColumn(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree or the query could not be loaded");
    FillFromLastRun(state);
    CQryResultGrid& grid = Big().Grid();
    for (auto _ : state)
        grid.SortByColumn(grid.GetColumnDef(1));
    state.counters["rows"] = double(grid.GetRowCount());
}
BENCHMARK(SortByPathColumn)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

/// The result set written to a file, three columns, with headings and commas.
void SaveToFile(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree or the query could not be loaded");
    CQryResultGrid& grid = Big().Grid();
    if (grid.GetRowCount() == 0)
        FillFromLastRun(state);
    const std::string path = paths::Join(BenchFolder(), "result.txt");
    for (auto _ : state)
        WriteResultSetFile(path, true, kResultSeparatorComma, {"Name", "Born", "Place"},
                           grid.GetRowCount(), [&grid](int row, std::vector<std::string>& cells) {
                               for (int c = 0; c < 3; ++c)
                                   cells.push_back(grid.GetCellString(row, c));
                           });
    state.counters["rows"] = double(grid.GetRowCount());
}
BENCHMARK(SaveToFile)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

/// One screenful of cells repainted at the top, the middle and the end.
void RepaintScreenful(benchmark::State& state)
{
    CQryResultGrid& grid = Big().Grid();
    if (grid.GetRowCount() == 0)
        FillFromLastRun(state);
    const int row = int(state.range(0)) * (grid.GetRowCount() - 1) / 2;
    grid.SetGridSelection(row, 0, false, true);
    for (auto _ : state) {
        grid.GetCells().Invalidate();
        grid.GetCells().UpdateWindow();
    }
}
BENCHMARK(RepaintScreenful)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

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
