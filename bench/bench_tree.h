// bench/bench_tree.h: the data set loaded with a generated tree, for benchmarks that walk or
// evaluate over every individual.
#pragma once

#include "bench/bench_data_set.h"
#include "bench/bench_folder.h"
#include "bench/generator/gedcom_generator.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/data_model.h"

#include <cstdint>
#include <filesystem>
#include <string>

/// Holds the generated tree of that many individuals (seed 1), loaded on first use; the tree of
/// another size is let go first. False when it could not be made (without the field definitions
/// the program has already said so and ended).
inline bool LoadGeneratedTree(std::int32_t individuals)
{
    InitBenchDataSet();
    static std::int32_t loaded = 0;
    if (loaded == individuals)
        return true;
    DeleteAllRecords();
    loaded = 0;
    const std::string path = BenchFolder() + "/tree-" + std::to_string(individuals) + ".ged";
    const bool made = WriteSyntheticGedcomFile(path, individuals, 1).has_value() &&
                      LoadGedcomFile(path, nullptr, nullptr);
    std::filesystem::remove(path);
    if (made)
        loaded = individuals;
    return made;
}
