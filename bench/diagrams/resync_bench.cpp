// bench/diagrams/resync_bench.cpp: re-synchronising a Descendants diagram of about 10,000 boxes
// of the generated tree of 100,000 individuals after one edit (two children of the root's
// family change places): the trees brought in line with the records, laid out again, and the
// boxes that moved listed for repaint. It should stay under a tenth of a second.
#include "bench/bench_tree.h"
#include "bench/diagrams/bench_diagram.h"
#include "database/nodes/change_tracking.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diag_update.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ResyncTenThousandBoxesAfterOneEdit(benchmark::State& state)
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
    CDiagRowSet rowSet(owner);
    rowSet.m_descendantGenerations = generations;
    if (!DiagBuildFromRoot(rowSet, root)) {
        state.SkipWithError("the build failed");
        return;
    }
    CFamRec* family = root->GetNextSpouseFamily(nullptr);
    std::size_t repainted = 0;
    bool updated = true;
    for (auto _ : state) {
        state.PauseTiming();
        CIndRec* first = family->GetNextChild(nullptr);
        family->MoveChildLink(family->GetNextChild(first), first);
        state.ResumeTiming();
        CDiagRefreshList refresh;
        CDiagRepaint repaint;
        updated &= DiagRebuildRows(rowSet, refresh, repaint);
        state.PauseTiming();
        repainted = repaint.areas.size();
        NotifyChanges();
        state.ResumeTiming();
    }
    if (!updated)
        state.SkipWithError("the update failed");
    long long boxes = 0;
    ForEachBox(*rowSet.MainTree(), true, [&](CDiagElem&) { ++boxes; });
    state.counters["boxes"] = double(boxes);
    state.counters["generations"] = generations;
    state.counters["areas_repainted"] = double(repainted);
}

BENCHMARK(BM_ResyncTenThousandBoxesAfterOneEdit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
