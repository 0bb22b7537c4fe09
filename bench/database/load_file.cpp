// bench/database/load_file.cpp: load_file FILE.ged [RUNS]: loads one file RUNS times (default 1)
// into the data set and prints each run's time, the best and the record counts, so that a
// profiler or an instruction counter can watch a load alone.
#include "bench/bench_data_set.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/data_model.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: load_file FILE.ged [RUNS]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1;
    InitBenchDataSet();
    double best = 1e30;
    for (int run = 0; run < runs; ++run) {
        DeleteAllRecords();
        const auto start = std::chrono::steady_clock::now();
        if (!LoadGedcomFile(path, nullptr, nullptr)) {
            std::fprintf(stderr, "load_file: %s did not load\n", path.c_str());
            return 1;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        std::printf("run %d: %.3f s\n", run + 1, took.count());
    }
    std::printf("best: %.3f s\n", best);
    // The data set is left to the end of the process, so that a count of the whole run is that
    // of the loads.
    return 0;
}
