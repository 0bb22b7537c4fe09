// bench/merge/merge_bench.cpp: the compare of a generated tree with an edited copy of itself (about
// 5 % of the individuals edited, 1 % removed, 1 % added), from 25,000 to 1,000,000 individuals,
// with the slope of its processor time across the sizes, and of many people of one name without
// dates, whom no index narrows.
#include "bench/bench_memory.h"
#include "bench/bench_tree.h"
#include "bench/generator/edited_copy.h"
#include "database/gedcom/merge_data_set.h"
#include "merge/merge_engine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
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

/// The processor time of the compare with the edited copy, in seconds, by individuals.
std::map<std::int64_t, double>& CompareSeconds()
{
    static std::map<std::int64_t, double> seconds;
    return seconds;
}

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

/// The edited copy of the generated tree of that size, loaded beside it; fileBytes gets the
/// size of the two files.
std::unique_ptr<CMergeDataSet> LoadEditedCopy(std::int32_t individuals, double& fileBytes)
{
    const std::string original = BenchFolder() + "/original.ged";
    const std::string copy = BenchFolder() + "/copy.ged";
    auto second = std::make_unique<CMergeDataSet>();
    const bool written = WriteSyntheticGedcomFile(original, individuals, 1).has_value() &&
                         WriteEditedCopyFile(original, copy, 7).has_value();
    std::error_code error;
    fileBytes = double(std::filesystem::file_size(original, error)) +
                double(std::filesystem::file_size(copy, error));
    const bool made = written && LoadGedcomFileForMerge(copy, *second, nullptr, nullptr);
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

/// Times the compare of the program's data set with second, reporting the pairs matched; the
/// processor seconds of the last compare.
double TimeCompares(benchmark::State& state, const CMergeDataSet& second)
{
    double seconds = 0;
    for (auto _ : state) {
        const double start = ProcessSeconds();
        CMergeEngine engine(ProgramRoots(), second.Roots());
        engine.InitCompareMaps(nullptr);
        seconds = ProcessSeconds() - start;
        state.PauseTiming();
        ReportMatched(state, engine);
        engine.EndSession();
        state.ResumeTiming();
    }
    return seconds;
}

void BM_CompareWithEditedCopy(benchmark::State& state)
{
    const auto individuals = std::int32_t(state.range(0));
    if (!LoadGeneratedTree(individuals)) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    double fileBytes = 0;
    const auto second = LoadEditedCopy(individuals, fileBytes);
    if (!second) {
        state.SkipWithError("the edited copy could not be made");
        return;
    }
    ResetPeakMemory();
    const double loaded = ResidentMemoryBytes();
    CompareSeconds()[individuals] = TimeCompares(state, *second);
    // Memory: the peak of the compare against what the two loaded files take and their size.
    state.counters["loaded_MB"] = loaded / 1e6;
    state.counters["peak_MB"] = PeakMemoryBytes() / 1e6;
    state.counters["peak_per_loaded"] = PeakMemoryBytes() / loaded;
    state.counters["peak_per_files"] = PeakMemoryBytes() / fileBytes;
}
BENCHMARK(BM_CompareWithEditedCopy)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(1000000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

/// The compare of a file of people alike in name and sex with itself, all born on one day
/// when birth is set.
void CompareManyAlike(benchmark::State& state, bool birth)
{
    InitBenchDataSet();
    const auto people = int(state.range(0));
    const std::string path = BenchFolder() + "/one-name.ged";
    {
        std::ofstream out(path, std::ios::binary);
        out << "0 HEAD\r\n";
        for (int i = 1; i <= people; ++i) {
            out << "0 @I" << i << "@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n";
            if (birth)
                out << "1 BIRT\r\n2 DATE 1 JAN 1900\r\n";
        }
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

void BM_CompareManyOfOneName(benchmark::State& state)
{
    CompareManyAlike(state, false);
}
BENCHMARK(BM_CompareManyOfOneName)
    ->Arg(10000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

// Every pair scores alike: each new person's first free equal is the one it takes.
void BM_CompareManyAlikeWithItself(benchmark::State& state)
{
    CompareManyAlike(state, true);
}
BENCHMARK(BM_CompareManyAlikeWithItself)
    ->Arg(5000)
    ->Arg(20000)
    ->Arg(40000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

/// The log-log slope of the compare's processor time between each size and the smallest.
void PrintSlopes()
{
    const auto& seconds = CompareSeconds();
    if (seconds.size() < 2)
        return;
    const auto [smallest, base] = *seconds.begin();
    std::printf("Compare with the edited copy, processor time:\n");
    for (const auto& [individuals, time] : seconds) {
        std::printf("  %8lld individuals  %8.2f s", static_cast<long long>(individuals), time);
        if (individuals != smallest && base > 0 && time > 0)
            std::printf("  slope from %lld: %.2f", static_cast<long long>(smallest),
                        std::log(time / base) / std::log(double(individuals) / double(smallest)));
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSlopes();
    return 0;
}
