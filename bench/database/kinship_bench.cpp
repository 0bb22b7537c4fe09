// bench/database/kinship_bench.cpp: the kinship walks on generated trees of 100,000 and
// 1,000,000 individuals: all ancestors of the youngest person, all descendants of the first
// founder, and the group numbering of everyone; time per individual reached shows whether the
// walks stay linear.
#include "bench/bench_tree.h"
#include "bench/generator/gedcom_generator.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/kin/ind_rec.h"
#include "database/kin/kinship.h"
#include "database/kin/kinship_map.h"
#include "database/nodes/data_model.h"
#include "database/records/record_id_state.h"
#include "platform/base/prompt_script.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

/// The first and the last individual record: a founder and one of the youngest generation.
CIndRec* FirstIndividual()
{
    return AsIndividual(
        static_cast<CRecordNode*>(GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild()));
}
CIndRec* LastIndividual()
{
    CDataNode* last = nullptr;
    for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild(); record;
         record = record->GetNextSibling())
        last = record;
    return AsIndividual(static_cast<CRecordNode*>(last));
}

/// The individuals one walk reached, and the processor time it took per individual.
void ReportReached(benchmark::State& state, std::size_t reached)
{
    state.counters["reached"] = double(reached);
    state.counters["time_per_reached"] =
        benchmark::Counter(double(reached) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <class Walk> void RunWalk(benchmark::State& state, CIndRec* (*start)(), Walk walk)
{
    if (!LoadGeneratedTree(std::int32_t(state.range(0)))) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    CIndRec* person = start();
    std::size_t reached = 0;
    for (auto _ : state) {
        CMapPtrToWord result;
        CKinshipMarks marks;
        walk(person, result, marks);
        reached = result.size();
        benchmark::DoNotOptimize(result);
    }
    ReportReached(state, reached);
}

/// Arguments: the tree's size and the generations marked (0 all).
void BM_MarkAncestors(benchmark::State& state)
{
    const int generations = int(state.range(1));
    RunWalk(state, LastIndividual,
            [generations](CIndRec* person, CMapPtrToWord& result, CKinshipMarks& marks) {
                MarkAncestors(person, result, generations, marks);
            });
}

void BM_MarkDescendants(benchmark::State& state)
{
    RunWalk(state, FirstIndividual,
            [](CIndRec* person, CMapPtrToWord& result, CKinshipMarks& marks) {
                MarkDescendants(person, result, 0, marks);
            });
}

void BM_KinshipMap(benchmark::State& state)
{
    if (!LoadGeneratedTree(std::int32_t(state.range(0)))) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    for (auto _ : state) {
        AcquireKinshipMap();
        ReleaseKinshipMap();
    }
    ReportReached(state, std::size_t(state.range(0)));
}

// Each size is measured whole before the next is loaded. Times are processor times of the
// walking thread, which other work on the machine disturbs less than the wall clock. The walks
// within 12, 14 and 16 generations show the time per individual on one tree as the walk grows.
BENCHMARK(BM_MarkAncestors)->Args({100000, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkDescendants)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KinshipMap)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkAncestors)
    ->Args({1000000, 12})
    ->Args({1000000, 14})
    ->Args({1000000, 16})
    ->Args({1000000, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkDescendants)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KinshipMap)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
