// bench/database/line_sink_bench.cpp: GEDCOM lines written through the line sink into the
// buffered file in UTF-8, ANSEL and UTF-16, and read back line by line.
#include "bench/bench_folder.h"
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/gedcom_line_sink.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 1000000;

struct Sample {
    std::string line;
    std::string value;
};

/// A mix of the lines a family file holds: records, names, dates, places (one with an accented
/// letter) and notes with "@".
const std::vector<Sample>& Samples()
{
    static const std::vector<Sample> samples = [] {
        std::vector<Sample> out;
        for (int i = 0; i < 64; ++i) {
            const std::string n = std::to_string(i);
            out.push_back({"0 @I" + n + "@ INDI", ""});
            out.push_back({"1 NAME ", "Given" + n + " /Surname" + n + "/"});
            out.push_back({"2 DATE ", std::to_string(1 + i % 28) + " MAR 18" + n});
            out.push_back({"2 PLAC ", "Parish of St Mary, County " + n + ", England"});
            out.push_back({"2 PLAC ", "Saint-\u00C9tienne, Loire, France " + n});
            out.push_back({"1 NOTE ", "Letter to family" + n + "@example.org about the estate"});
            out.push_back({"2 CONC ", std::string(120, 'n')});
            out.push_back({"1 FAMS @F" + n + "@", ""});
            out.push_back({"1 SEX M", ""});
        }
        return out;
    }();
    return samples;
}

/// Writes kLines lines to path in charset; the number of bytes written.
std::int64_t WriteFile(const std::string& path, GedcomCharset charset = GedcomCharset::Utf8)
{
    const std::vector<Sample>& samples = Samples();
    if (!OpenGedcomInputFile(path, true))
        return -1;
    SetGedcomLineFormat(charset, "\r\n");
    bool written = true;
    for (int i = 0; i < kLines && written; ++i) {
        const Sample& s = samples[static_cast<std::size_t>(i) % samples.size()];
        written = WriteGedcomLine(s.line, s.value);
    }
    SetGedcomLineFormat(GedcomCharset::Utf8, "\r\n");
    if (!written || !CloseGedcomInputFile())
        return -1;
    return static_cast<std::int64_t>(std::filesystem::file_size(path));
}

/// The lines in each output set; the rate is that of the bytes written.
void BM_WriteLines(benchmark::State& state, GedcomCharset charset)
{
    const std::string path = BenchFolder() + "/write.ged";
    std::int64_t bytes = 0;
    for (auto _ : state) {
        bytes = WriteFile(path, charset);
        if (bytes < 0) {
            state.SkipWithError("writing failed");
            return;
        }
    }
    state.SetBytesProcessed(bytes * state.iterations());
    state.counters["lines"] = kLines;
}
BENCHMARK_CAPTURE(BM_WriteLines, utf8, GedcomCharset::Utf8)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteLines, ansel, GedcomCharset::Ansel)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteLines, utf16, GedcomCharset::Utf16Le)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ReadLines(benchmark::State& state)
{
    const std::string path = BenchFolder() + "/read.ged";
    if (WriteFile(path) < 0) {
        state.SkipWithError("writing the input failed");
        return;
    }
    const std::int64_t size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    std::string line;
    bool complete = false;
    for (auto _ : state) {
        if (!OpenGedcomInputFile(path, false)) {
            state.SkipWithError("opening failed");
            return;
        }
        int lines = 0;
        while (!ReadGedcomInputLine(line, complete, 256))
            ++lines;
        benchmark::DoNotOptimize(lines);
        CloseGedcomInputFile();
    }
    state.SetBytesProcessed(size * state.iterations());
    state.counters["lines"] = kLines;
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
