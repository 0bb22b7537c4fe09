// bench/database/load_save_bench.cpp: generated GEDCOM files of 10,000, 100,000 and 1,000,000
// individuals loaded into the data set and saved again: time, file size and peak memory.
#include "bench/bench_data_set.h"
#include "bench/bench_folder.h"
#include "bench/bench_memory.h"
#include "bench/generator/gedcom_generator.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/gedcom/gedcom_writer.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/data_node.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

constexpr std::uint64_t kSeed = 1;

/// The generated file of that many individuals, made on first use; the program ends, saying
/// why, when it cannot be.
const std::string& GeneratedFile(std::int32_t individuals)
{
    static std::map<std::int32_t, std::string> files;
    std::string& path = files[individuals];
    if (path.empty()) {
        path = BenchFolder() + "/generated-" + std::to_string(individuals) + ".ged";
        if (!WriteSyntheticGedcomFile(path, individuals, kSeed)) {
            std::fprintf(stderr, "benchmark: the generated file %s could not be written\n",
                         path.c_str());
            std::exit(2);
        }
    }
    return path;
}

/// The file's size and the rate at which it was read or written, and the peak memory.
void ReportSizes(benchmark::State& state, const std::string& path)
{
    const double fileBytes = double(std::filesystem::file_size(path));
    const double peak = PeakMemoryBytes();
    state.SetBytesProcessed(std::int64_t(fileBytes) * state.iterations());
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_file"] = peak / fileBytes;
}

void BM_Load(benchmark::State& state)
{
    InitBenchDataSet();
    const std::string& path = GeneratedFile(std::int32_t(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        DeleteAllRecords();
        ResetPeakMemory();
        state.ResumeTiming();
        if (!LoadGedcomFile(path, nullptr, nullptr))
            state.SkipWithError("the generated file did not load");
    }
    ReportSizes(state, path);
    DeleteAllRecords();
}

void BM_Save(benchmark::State& state)
{
    InitBenchDataSet();
    const std::string& path = GeneratedFile(std::int32_t(state.range(0)));
    if (!LoadGedcomFile(path, nullptr, nullptr))
        state.SkipWithError("the generated file did not load");
    const std::string out = BenchFolder() + "/saved-" + std::to_string(state.range(0)) + ".ged";
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeakMemory();
        GedcomFileFormat format = GetLoadedFileFormat();
        std::string error;
        state.ResumeTiming();
        if (!SaveGedcomFile(out, format, error))
            state.SkipWithError(error.c_str());
    }
    ReportSizes(state, out);
    DeleteAllRecords();
}

/// One edit on the loaded file: an individual added at the end of the million and deleted
/// again, its changes applied; and the count of individuals that the status bar shows.
void BM_AddAndDeleteRecord(benchmark::State& state)
{
    InitBenchDataSet();
    const std::string& path = GeneratedFile(std::int32_t(state.range(0)));
    if (!LoadGedcomFile(path, nullptr, nullptr))
        state.SkipWithError("the generated file did not load");
    CDataNode* individuals = GetRecordTypeRoot(0);
    for (auto _ : state) {
        CDataNode* added = individuals->CreateChild(nullptr);
        individuals->DeleteChild(added);
        NotifyChanges();
        benchmark::DoNotOptimize(individuals->CountChildren());
    }
    DeleteAllRecords();
}

// Each size is loaded and saved before the next, larger one, so that the peaks measured for a
// size are not those of a larger data set held before.
BENCHMARK(BM_Load)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddAndDeleteRecord)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
