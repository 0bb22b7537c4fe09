// bench/diagrams/layout_bench.cpp: diagram layout over the generated tree of 100,000
// individuals: a Descendants diagram of about 10,000 boxes built (every box text rendered from
// a template and measured) and laid out, and an All Relatives diagram of 999 generations each
// way built, laid out and compacted, with its peak memory. The update after an edit is timed by
// resync_bench.
#include "bench/bench_memory.h"
#include "bench/bench_tree.h"
#include "bench/diagrams/bench_diagram.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

void BM_DescendantsTenThousandBoxes(benchmark::State& state)
{
    InstallExpressionEngine();
    if (!LoadGeneratedTree(100000)) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    CBenchOwner owner(kDescendantsDiagram);
    CIndRec* root = nullptr;
    int generations = 0;
    if (!FindTenThousandBoxRoot(owner, root, generations)) {
        state.SkipWithError("no person has a Descendants diagram of 10,000 boxes");
        return;
    }
    long long boxes = 0;
    for (auto _ : state) {
        auto rowSet = std::make_unique<CDiagRowSet>(owner);
        rowSet->m_descendantGenerations = generations;
        if (!DiagBuildFromRoot(*rowSet, root))
            state.SkipWithError("the build failed");
        boxes = rowSet->m_boxCount;
        state.PauseTiming(); // freeing the diagram is not part of the build
        rowSet.reset();
        state.ResumeTiming();
    }
    state.counters["boxes"] = double(boxes);
    state.counters["generations"] = generations;
}

void BM_AllRelatives999Generations(benchmark::State& state)
{
    InstallExpressionEngine();
    if (!LoadGeneratedTree(100000)) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    CBenchOwner owner(kAllRelativesDiagram);
    const std::vector<CIndRec*> people = BenchIndividuals();
    CIndRec* root = people[people.size() / 2];
    long long boxes = 0;
    std::size_t trees = 0;
    int result = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeakMemory();
        const double before = PeakMemoryBytes();
        state.ResumeTiming();
        {
            CDiagRowSet rowSet(owner);
            rowSet.m_ancestorGenerations = 999;
            rowSet.m_descendantGenerations = 999;
            result = DiagBuildFromRoot(rowSet, root);
            boxes = rowSet.m_boxCount;
            trees = rowSet.Trees().size();
            state.PauseTiming();
            peak = PeakMemoryBytes() - before;
        }
        state.ResumeTiming();
    }
    state.counters["built"] = result;
    state.counters["boxes"] = double(boxes);
    state.counters["trees"] = double(trees);
    state.counters["peak_MB"] = peak / 1e6;
}

BENCHMARK(BM_DescendantsTenThousandBoxes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllRelatives999Generations)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
