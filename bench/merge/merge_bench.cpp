// bench/merge/merge_bench.cpp: the compare of a generated tree with an edited copy of itself (about
// 5 % of the individuals edited, 1 % removed, 1 % added), at 100,000 and 200,000 individuals, and
// of many people of one name without dates, whom no index narrows.
#include "bench/bench_tree.h"
#include "bench/generator/edited_copy.h"
#include "database/gedcom/merge_data_set.h"
#include "merge/merge_engine.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

MergeRoots ProgramRoots()
{
    MergeRoots roots{};
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
        roots[std::size_t(code)] = GetRecordTypeTable().RowByCode(code)->m_root;
    return roots;
}

/// The edited copy of the generated tree of that size, loaded beside it.
std::unique_ptr<CMergeDataSet> LoadEditedCopy(std::int32_t individuals)
{
    const std::string original = BenchFolder() + "/original.ged";
    const std::string copy = BenchFolder() + "/copy.ged";
    auto second = std::make_unique<CMergeDataSet>();
    const bool made = WriteSyntheticGedcomFile(original, individuals, 1).has_value() &&
                      WriteEditedCopyFile(original, copy, 7).has_value() &&
                      LoadGedcomFileForMerge(copy, *second, nullptr, nullptr);
    std::filesystem::remove(original);
    std::filesystem::remove(copy);
    return made ? std::move(second) : nullptr;
}

/// Reports the rows the compare matched.
void ReportMatched(benchmark::State& state, const CMergeEngine& engine)
{
    int matched = 0, rows = 0;
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        for (const auto& row : engine.Rows(type)) {
            matched += row->IsMatched();
            ++rows;
        }
    }
    state.counters["rows"] = rows;
    state.counters["matched"] = matched;
}

/// Times the compare of the program's data set with second, reporting the pairs matched.
void TimeCompares(benchmark::State& state, const CMergeDataSet& second)
{
    for (auto _ : state) {
        CMergeEngine engine(ProgramRoots(), second.Roots());
        engine.InitCompareMaps(nullptr);
        state.PauseTiming();
        ReportMatched(state, engine);
        engine.EndSession();
        state.ResumeTiming();
    }
}

void BM_CompareWithEditedCopy(benchmark::State& state)
{
    const auto individuals = std::int32_t(state.range(0));
    if (!LoadGeneratedTree(individuals)) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    const auto second = LoadEditedCopy(individuals);
    if (!second) {
        state.SkipWithError("the edited copy could not be made");
        return;
    }
    TimeCompares(state, *second);
}
BENCHMARK(BM_CompareWithEditedCopy)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_CompareManyOfOneName(benchmark::State& state)
{
    InitBenchDataSet();
    const auto people = int(state.range(0));
    const std::string path = BenchFolder() + "/one-name.ged";
    {
        std::ofstream out(path, std::ios::binary);
        out << "0 HEAD\r\n";
        for (int i = 1; i <= people; ++i)
            out << "0 @I" << i << "@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n";
        out << "0 TRLR\r\n";
    }
    DeleteAllRecords();
    auto second = std::make_unique<CMergeDataSet>();
    if (!LoadGedcomFile(path, nullptr, nullptr) ||
        !LoadGedcomFileForMerge(path, *second, nullptr, nullptr)) {
        state.SkipWithError("the file could not be loaded");
        return;
    }
    std::filesystem::remove(path);
    TimeCompares(state, *second);
    second.reset();
    DeleteAllRecords();
}
BENCHMARK(BM_CompareManyOfOneName)
    ->Arg(10000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
