// bench/reports/rpt_settings_bench.cpp: a report definition file with five long lists (the three
// item lists and the two event lists) loaded and saved over itself; five lists of 10,000 items,
// the most a list may hold, should load and save in well under a second each.
#include "bench/bench_folder.h"
#include "reports/rpt_settings.h"
#include "templates/settings_store.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

/// Settings whose five lists hold length items each.
CRptSettings LongLists(int length)
{
    CRptSettings settings;
    for (CRptItemList& items : settings.m_contents.m_items) {
        items.clear();
        for (int i = 0; i < length; ++i) {
            CRptItem item;
            item.m_index = i % 8;
            item.m_show = 1 + i % 2;
            items.push_back(std::move(item));
        }
    }
    for (CEventList* events :
         {&settings.m_contents.m_indEvents, &settings.m_contents.m_famEvents}) {
        events->clear();
        for (int i = 0; i < length; ++i)
            events->push_back({0, "_EVENT" + std::to_string(i), 1 + i % 2});
    }
    return settings;
}

/// A file holding the lists, written once per length.
std::string ListFile(int length)
{
    const std::string path = BenchFolder() + "/lists" + std::to_string(length) + ".avr";
    CSettingsStore store(path);
    LongLists(length).Write(store, 0);
    if (!store.Commit())
        std::abort();
    return path;
}

void BM_LoadFiveLists(benchmark::State& state)
{
    const std::string path = ListFile(int(state.range(0)));
    std::size_t loaded = 0;
    for (auto _ : state) {
        CRptSettings settings;
        settings.Load(CSettingsStore(path));
        loaded = settings.m_contents.m_famEvents.size();
        benchmark::DoNotOptimize(loaded);
    }
    if (loaded != std::size_t(state.range(0)))
        state.SkipWithError("the lists did not load whole");
}

void BM_SaveFiveLists(benchmark::State& state)
{
    const std::string path = ListFile(int(state.range(0)));
    const CRptSettings settings = LongLists(int(state.range(0)));
    for (auto _ : state) {
        CSettingsStore store(path);
        settings.Write(store, 0);
        if (!store.Commit()) {
            state.SkipWithError("the file could not be saved");
            return;
        }
    }
}

// Times are processor times; a save reads the file, replaces every list and writes it beside.
BENCHMARK(BM_LoadFiveLists)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFiveLists)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
