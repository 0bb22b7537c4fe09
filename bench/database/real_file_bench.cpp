// bench/database/real_file_bench.cpp: a large file made of copies of a real one, in four
// variants (UTF-8, ANSEL, ANSEL with non-standard identifiers, UTF-16): load, save and close
// timed apart, with the peak memory of each against the file's size.
#include "bench/bench_data_set.h"
#include "bench/bench_folder.h"
#include "bench/bench_memory.h"
#include "bench/copies/real_file_copies.h"
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/gedcom/gedcom_writer.h"
#include "database/nodes/data_model.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <time.h>
#include <vector>

namespace {

constexpr std::int32_t kDefaultCopies = 333;
constexpr int kRuns = 3;

/// The real file: ARDENVEL_BENCH_REAL_FILE, else the sample this source tree holds.
std::string RealFile()
{
    const char* named = std::getenv("ARDENVEL_BENCH_REAL_FILE");
    return named && *named ? named : ARDENVEL_BENCH_REAL_FILE_DEFAULT;
}

/// How many copies: ARDENVEL_BENCH_COPIES, else 333 (190 MB of royal92.ged).
std::int32_t Copies()
{
    const char* named = std::getenv("ARDENVEL_BENCH_COPIES");
    const int copies = named && *named ? std::atoi(named) : kDefaultCopies;
    return std::clamp(copies, 1, 2000);
}

/// The variant's file, made on first use; the program ends, saying why, when it cannot be.
const std::string& VariantFile(CopyVariant variant)
{
    static std::map<CopyVariant, std::string> files;
    std::string& path = files[variant];
    if (path.empty()) {
        path = BenchFolder() + "/copies-" + CopyVariantName(variant) + ".ged";
        if (!WriteRealFileCopiesFile(path, RealFile(), Copies(), variant)) {
            std::fprintf(stderr,
                         "benchmark: cannot read the real file %s (set ARDENVEL_BENCH_REAL_FILE) "
                         "or write %s\n",
                         RealFile().c_str(), path.c_str());
            std::exit(2);
        }
    }
    return path;
}

void Load(benchmark::State& state, const std::string& path)
{
    if (!LoadGedcomFile(path, nullptr, nullptr))
        state.SkipWithError("the file did not load");
}

/// The processor time of the whole process (every thread) in seconds.
double ProcessorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

/// The best (shortest) of the timed runs, read with the steady clock, and the best processor
/// time, which other programs on a busy machine disturb less.
class CBestTime {
public:
    void Start()
    {
        m_start = std::chrono::steady_clock::now();
        m_startCpu = ProcessorSeconds();
    }
    void Stop()
    {
        const std::chrono::duration<double> run = std::chrono::steady_clock::now() - m_start;
        m_best = std::min(m_best, run.count());
        m_bestCpu = std::min(m_bestCpu, ProcessorSeconds() - m_startCpu);
    }
    double Seconds() const { return m_best; }
    double ProcessorTime() const { return m_bestCpu; }

private:
    std::chrono::steady_clock::time_point m_start;
    double m_startCpu = 0;
    double m_best = 1e30;
    double m_bestCpu = 1e30;
};

/// The raw line split of the variant's file, the floor any load pays: the file's bytes read
/// through the loader's buffered file (UTF-16 decoded into UTF-8 on the way, as its lines can
/// be found only after decoding) and every line end found, nothing else; the best processor
/// time of kRuns runs, measured once per variant.
double SplitProcessorSeconds(CopyVariant variant)
{
    static std::map<CopyVariant, double> seconds;
    if (const auto known = seconds.find(variant); known != seconds.end())
        return known->second;
    const std::string& path = VariantFile(variant);
    const GedcomInputDecoding decoding = variant == CopyVariant::Utf16Numbered
                                             ? GedcomInputDecoding::Utf16Le
                                             : GedcomInputDecoding::None;
    CBestTime best;
    for (int run = 0; run < kRuns; ++run) {
        best.Start();
        if (!OpenGedcomInputFileDecoded(path, decoding)) {
            std::fprintf(stderr, "benchmark: cannot read %s\n", path.c_str());
            std::exit(2);
        }
        std::size_t lines = 0;
        std::string_view view;
        std::string line;
        bool complete = false;
        for (;;) {
            if (!TakeBufferedLine(view) && ReadGedcomInputLine(line, complete, 1 << 16))
                break;
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
        CloseGedcomInputFile();
        best.Stop();
    }
    return seconds[variant] = best.ProcessorTime();
}

/// The figures: the best run's time and rate, and the peak memory over the file's size.
void Report(benchmark::State& state, const std::string& path, const CBestTime& best, double peak)
{
    const double fileBytes = double(std::filesystem::file_size(path));
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["best_s"] = best.Seconds();
    state.counters["best_MB_per_s"] = fileBytes / 1e6 / best.Seconds();
    state.counters["best_cpu_s"] = best.ProcessorTime();
    if (peak > 0)
        state.counters["peak_per_file"] = peak / fileBytes;
}

/// Each variant's best load, in processor time, for the save's figure of load and save together.
std::map<CopyVariant, double>& LoadProcessorSeconds()
{
    static std::map<CopyVariant, double> seconds;
    return seconds;
}

/// A load's or save's best processor time against the raw line split's; the save also gives
/// load and save together against the split, when the load ran before it.
void ReportAgainstSplit(benchmark::State& state, const CBestTime& best, CopyVariant variant,
                        bool save)
{
    const double split = SplitProcessorSeconds(variant);
    state.counters["split_cpu_s"] = split;
    state.counters["per_split"] = best.ProcessorTime() / split;
    const auto load = LoadProcessorSeconds().find(variant);
    if (!save)
        LoadProcessorSeconds()[variant] = best.ProcessorTime();
    else if (load != LoadProcessorSeconds().end())
        state.counters["load_save_per_split"] = (load->second + best.ProcessorTime()) / split;
}

void BM_Load(benchmark::State& state, CopyVariant variant)
{
    InitBenchDataSet();
    const std::string& path = VariantFile(variant);
    CBestTime best;
    double peak = 0;
    for (auto _ : state) {
        DeleteAllRecords();
        ResetPeakMemory();
        best.Start();
        Load(state, path);
        best.Stop();
        peak = std::max(peak, PeakMemoryBytes());
    }
    Report(state, path, best, peak);
    ReportAgainstSplit(state, best, variant, false);
}

void BM_Save(benchmark::State& state, CopyVariant variant)
{
    InitBenchDataSet();
    const std::string& path = VariantFile(variant);
    const std::string out = BenchFolder() + "/saved.ged";
    DeleteAllRecords();
    Load(state, path);
    CBestTime best;
    double peak = 0;
    for (auto _ : state) {
        ResetPeakMemory();
        GedcomFileFormat format = GetLoadedFileFormat();
        std::string error;
        best.Start();
        if (!SaveGedcomFile(out, format, error))
            state.SkipWithError(error.c_str());
        best.Stop();
        peak = std::max(peak, PeakMemoryBytes());
    }
    Report(state, path, best, peak);
    ReportAgainstSplit(state, best, variant, true);
    std::filesystem::remove(out);
}

/// Closing the file: every record freed and the node memory given back.
void BM_Close(benchmark::State& state, CopyVariant variant)
{
    InitBenchDataSet();
    const std::string& path = VariantFile(variant);
    CBestTime best;
    for (auto _ : state) {
        DeleteAllRecords();
        Load(state, path);
        best.Start();
        DeleteAllRecords();
        best.Stop();
    }
    Report(state, path, best, 0);
}

/// Each step runs kRuns times and reports its best run (other programs share the machine);
/// the time column is the whole benchmark's, set-up included.
void Register()
{
    for (const CopyVariant variant : {CopyVariant::Utf8Numbered, CopyVariant::AnselNumbered,
                                      CopyVariant::AnselTextIds, CopyVariant::Utf16Numbered}) {
        const std::string name = CopyVariantName(variant);
        for (auto [step, function] :
             {std::pair{"BM_Load/", &BM_Load}, std::pair{"BM_Save/", &BM_Save},
              std::pair{"BM_Close/", &BM_Close}}) {
            const auto run = [function, variant](benchmark::State& state) {
                function(state, variant);
            };
            benchmark::RegisterBenchmark((step + name).c_str(), run)
                ->Iterations(kRuns)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DeleteAllRecords();
    return 0;
}
