// bench/database/hostile_load_bench.cpp: files shaped to make a load slow, each at 50,000, 100,000
// and 200,000 repeats of its pattern: the time per line must stay the same as the size doubles.
#include "bench/bench_data_set.h"
#include "bench/bench_folder.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/data_model.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <utility>

namespace {

/// The lines of one hostile file: a pattern repeated count times.
using Shape = std::string (*)(int count);

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

/// One individual whose names each come after a sex: every name comes out of definition order
/// and goes before the first sex, and every sex after the first exceeds its maximum.
std::string NameSexInterleaved(int count)
{
    std::string text = Lines({"0 @I1@ INDI"});
    for (int i = 0; i < count; ++i)
        text += Lines({"1 NAME A" + std::to_string(i) + " /B/", "1 SEX M"});
    return text;
}

/// One individual with all its names, then as many sexes, each counted against its maximum.
std::string NamesThenSexes(int count)
{
    std::string text = Lines({"0 @I1@ INDI"});
    for (int i = 0; i < count; ++i)
        text += Lines({"1 NAME A" + std::to_string(i) + " /B/"});
    for (int i = 0; i < count; ++i)
        text += Lines({"1 SEX M"});
    return text;
}

/// One individual whose names each come with a field taken out (a title without a value), one
/// kept as a user-defined field (an ordinance that holds only "Y") and a value an event cannot
/// take, kept as a user-defined field too.
std::string TakenOutAndKept(int count)
{
    std::string text = Lines({"0 @I1@ INDI"});
    for (int i = 0; i < count; ++i)
        text += Lines({"1 NAME A" + std::to_string(i) + " /B/", "1 TITL", "1 CONL Y",
                       "1 BIRT in the spring"});
    return text;
}

/// One event with its notes, each followed by a date past the maximum of one.
std::string EventNotesAndDates(int count)
{
    std::string text = Lines({"0 @I1@ INDI", "1 BIRT"});
    for (int i = 0; i < count; ++i)
        text += Lines({"2 NOTE n" + std::to_string(i), "2 DATE 1900"});
    return text;
}

/// One record of many children in order.
std::string OneWideRecord(int count)
{
    std::string text = Lines({"0 @I1@ INDI"});
    for (int i = 0; i < count; ++i)
        text += Lines({"1 NAME A" + std::to_string(i) + " /B/"});
    return text;
}

/// Every record with the same identifier.
std::string DuplicateIds(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += Lines({"0 @I1@ INDI", "1 NAME A /B/"});
    return text;
}

/// Identifiers of a thousand characters, linked both ways: an individual and a family for every
/// ten repeats, which keeps the largest file to some 80 MB.
std::string LongIds(int count)
{
    std::string text;
    count /= 10;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        text += Lines({"0 @I" + std::string(1000 - number.size(), 'x') + number + "@ INDI",
                       "1 FAMS @F" + std::string(1000 - number.size(), 'y') + number + "@"});
    }
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        text += Lines({"0 @F" + std::string(1000 - number.size(), 'y') + number + "@ FAM",
                       "1 HUSB @I" + std::string(1000 - number.size(), 'x') + number + "@"});
    }
    return text;
}

/// The file of that shape and count, written on first use; its path and line count.
const std::pair<std::string, std::size_t>& HostileFile(const char* name, Shape shape, int count)
{
    static std::map<std::string, std::pair<std::string, std::size_t>> files;
    auto& file = files[std::string(name) + "-" + std::to_string(count)];
    if (file.first.empty()) {
        const std::string text = Lines({"0 HEAD", "1 CHAR UTF-8"}) + shape(count) + "0 TRLR\r\n";
        file.first = BenchFolder() + "/" + name + "-" + std::to_string(count) + ".ged";
        std::ofstream out(file.first, std::ios::binary);
        if (!(out << text)) {
            std::fprintf(stderr, "benchmark: %s could not be written\n", file.first.c_str());
            std::exit(2);
        }
        for (const char c : text)
            file.second += c == '\n';
    }
    return file;
}

void LoadHostile(benchmark::State& state, const char* name, Shape shape)
{
    InitBenchDataSet();
    const auto& [path, lines] = HostileFile(name, shape, int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        DeleteAllRecords();
        state.ResumeTiming();
        if (!LoadGedcomFile(path, nullptr, nullptr))
            state.SkipWithError("the file did not load");
    }
    state.counters["lines"] = double(lines);
    state.counters["per_line"] = benchmark::Counter(
        double(lines), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    DeleteAllRecords();
}

#define HOSTILE_BENCH(shape)                                                                       \
    BENCHMARK_CAPTURE(LoadHostile, shape, #shape, &shape)                                          \
        ->Arg(50000)                                                                               \
        ->Arg(100000)                                                                              \
        ->Arg(200000)                                                                              \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()

HOSTILE_BENCH(NameSexInterleaved);
HOSTILE_BENCH(NamesThenSexes);
HOSTILE_BENCH(TakenOutAndKept);
HOSTILE_BENCH(EventNotesAndDates);
HOSTILE_BENCH(OneWideRecord);
HOSTILE_BENCH(DuplicateIds);
HOSTILE_BENCH(LongIds);

} // namespace

BENCHMARK_MAIN();
