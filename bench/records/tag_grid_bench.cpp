// bench/records/tag_grid_bench.cpp: the individuals list of the generated 1,000,000-person file:
// filling it, the three sorts a user asks for most (by name, by "Dates", by "Updated"), a
// screenful repainted at the top, middle and end, the refill after one edit, a new record's
// row, a row removed, and a thousand rows removed at once.
#include "bench/bench_data_set.h"
#include "bench/bench_tree.h"
#include "records/grid/rec_wnd_options.h"
#include "records/grid/tag_grid.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "database/nodes/data_observer.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::int32_t kPeople = 1000000;

/// Passes each change notice to the grid, as the records window does.
class CGridObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject* object, bool) override
    {
        if (m_grid)
            m_grid->Refill(nullptr, long(hint), object);
    }
    CTagGrid* m_grid = nullptr;
};

/// A records-window-sized grid over the generated individuals.
class BigGrid {
public:
    BigGrid()
    {
        InitBenchDataSet();
        InstallExpressionEngine();
        m_ready = LoadGeneratedTree(kPeople);
        m_host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr,
                        0);
        m_grid.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, CRect(0, 0, 980, 680),
                      &m_host, 107, nullptr, 0);
        m_observer.m_grid = &m_grid;
        SetDataObserver(&m_observer);
        SetChangeTracking(true);
    }
    bool Ready() const { return m_ready; }
    CTagGrid& Grid() { return m_grid; }
    static CDataNode* Root() { return GetRecordTypeRoot(RECORD_LIST_INDI); }

private:
    bool m_ready = false;
    CWnd m_host;
    CTagGrid m_grid;
    CGridObserver m_observer;
};

BigGrid& Big()
{
    static BigGrid grid;
    return grid;
}

void Fill(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree could not be loaded");
    for (auto _ : state)
        Big().Grid().SetRecordSet(BigGrid::Root(), true, false);
    state.counters["rows"] = double(Big().Grid().GetBox().GetCount());
}
BENCHMARK(Fill)->Unit(benchmark::kMillisecond)->Iterations(1);

/// A click on the header of a column: 0 sorts by name, 3 by "Dates", 5 by "Updated".
void SortByColumn(benchmark::State& state)
{
    CTagGrid& grid = Big().Grid();
    if (!Big().Ready())
        return state.SkipWithError("the generated tree could not be loaded");
    for (auto _ : state)
        grid.OnColumnClick(&grid.GetHeader(), int(state.range(0)));
    state.counters["rows"] = double(grid.GetBox().GetCount());
}
BENCHMARK(SortByColumn)->Arg(0)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(1);

/// One screenful repainted with the list scrolled to the top, the middle and the end.
void RepaintScreenful(benchmark::State& state)
{
    CTreeBox& box = Big().Grid().GetBox();
    const int rows = int(box.GetCount());
    box.ScrollToRow(int(state.range(0)) * (rows - 1) / 2);
    box.UpdateWindow();
    for (auto _ : state) {
        box.Invalidate();
        box.UpdateWindow();
    }
}
BENCHMARK(RepaintScreenful)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

/// An individual in the middle of the file gets a new name; the edit's notice refills the grid.
void RefillAfterOneEdit(benchmark::State& state)
{
    CDataNode* record = BigGrid::Root()->GetFirstChild();
    for (int i = 0; record && i < kPeople / 2; ++i)
        record = record->GetNextSibling();
    CDataNode* name = record ? record->FindChild(nullptr, FIELD_NAME) : nullptr;
    if (!name)
        return state.SkipWithError("no individual with a name");
    int n = 0;
    for (auto _ : state) {
        name->SetText("Edited /Person" + std::to_string(++n) + "/");
        record->SetFlag(DNF_CHANGED, true);
        ListRecordAsChanged(static_cast<CRecordNode*>(record));
        NotifyChanges();
    }
}
BENCHMARK(RefillAfterOneEdit)->Unit(benchmark::kMillisecond);

/// A new individual and its row, placed before the row of the record after it in the file.
void NewRecordRow(benchmark::State& state)
{
    for (auto _ : state) {
        CDataNode* record = BigGrid::Root()->CreateChild(nullptr);
        NotifyChanges();
        state.PauseTiming();
        if (!Big().Grid().FindRowByRecord(record))
            state.SkipWithError("the new record has no row");
        BigGrid::Root()->DeleteChild(record);
        NotifyChanges();
        state.ResumeTiming();
    }
}
BENCHMARK(NewRecordRow)->Unit(benchmark::kMillisecond)->Iterations(5);

/// A record deleted and its row removed by the notice: 0 a new record's row at the end of the
/// list, 1 the record of the row in the middle of the sorted list.
void RemoveRecordRow(benchmark::State& state)
{
    CTagGrid& grid = Big().Grid();
    for (auto _ : state) {
        state.PauseTiming();
        CDataNode* record = nullptr;
        if (state.range(0) == 0) {
            record = BigGrid::Root()->CreateChild(nullptr);
            NotifyChanges();
        } else {
            record = CTagGrid::NodeOf(grid.GetBox().GetItemByIndex(int(kPeople / 2)));
        }
        if (!record || !grid.FindRowByRecord(record))
            return state.SkipWithError("the record has no row");
        state.ResumeTiming();
        BigGrid::Root()->DeleteChild(record);
        NotifyChanges();
    }
}
BENCHMARK(RemoveRecordRow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

/// A thousand new records, their rows at the top of the list sorted by last update, deleted
/// together.
void RemoveManyRows(benchmark::State& state)
{
    CTagGrid& grid = Big().Grid();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<CDataNode*> records;
        for (int i = 0; i < 1000; ++i)
            records.push_back(BigGrid::Root()->CreateChild(nullptr));
        NotifyChanges();
        grid.OnSortLastUpdateOrder();
        state.ResumeTiming();
        for (CDataNode* record : records)
            BigGrid::Root()->DeleteChild(record);
        NotifyChanges();
    }
    state.counters["rows"] = double(grid.GetBox().GetCount());
}
BENCHMARK(RemoveManyRows)->Unit(benchmark::kMillisecond)->Iterations(1);

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
