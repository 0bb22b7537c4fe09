// bench/records/find_record_bench.cpp: Find Record in the individuals list of the generated
// 1,000,000-person file, where the only match is the last individual: by name, and in every text
// field.
#include "bench/bench_data_set.h"
#include "bench/bench_tree.h"
#include "records/grid/tag_grid.h"
#include "records/window/record_search.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::int32_t kPeople = 1000000;

/// The individuals in file order, the last one renamed to a name no other has.
class LastMatchGrid {
public:
    LastMatchGrid()
    {
        InitBenchDataSet();
        InstallExpressionEngine();
        m_ready = LoadGeneratedTree(kPeople);
        m_host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 700), nullptr,
                        0);
        m_grid.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 980, 680), &m_host, 107,
                      nullptr, 0);
        CDataNode* last = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild();
        while (last && last->GetNextSibling())
            last = last->GetNextSibling();
        CDataNode* name = last ? last->FindChild(nullptr, FIELD_NAME) : nullptr;
        m_ready = m_ready && name && name->SetText("Quillon /Zabriskie-Vantongeren/");
        m_grid.SetRecordSet(GetRecordTypeRoot(RECORD_LIST_INDI), true, false);
    }
    bool Ready() const { return m_ready; }
    CTagGrid& Grid() { return m_grid; }

private:
    bool m_ready = false;
    CWnd m_host;
    CTagGrid m_grid;
};

LastMatchGrid& Grid()
{
    static LastMatchGrid grid;
    return grid;
}

void FindLast(benchmark::State& state, SearchType type)
{
    if (!Grid().Ready())
        return state.SkipWithError("the generated tree could not be loaded");
    RecordSearch search;
    search.m_words = SplitSearchWords("zabriskie of quillon");
    search.m_listIndex = RECORD_LIST_INDI;
    search.m_searchType = type;
    bool found = false;
    for (auto _ : state)
        found = FindNextMatch(Grid().Grid(), true, search);
    if (!found)
        state.SkipWithError("the last individual was not found");
}

void FindLastByName(benchmark::State& state)
{
    FindLast(state, kSearchNameOrTitle);
}
BENCHMARK(FindLastByName)->Unit(benchmark::kMillisecond)->Iterations(3);

void FindLastInAllText(benchmark::State& state)
{
    FindLast(state, kSearchAllText);
}
BENCHMARK(FindLastInAllText)->Unit(benchmark::kMillisecond)->Iterations(3);

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
