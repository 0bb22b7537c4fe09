// bench/bench_data_set.h: the data set a benchmark loads files into, with the program's field
// definitions found from the build folder.
#pragma once

#include "database/dictionary/field_dictionary.h"
#include "database/nodes/data_model.h"
#include "platform/base/prompt_script.h"

#include <cstdio>
#include <cstdlib>

/// Makes the data set once, every question answered by default. The field definitions are the
/// file ARDENVEL_FIELD_DEFS names, else the one this build made (ARDENVEL_BENCH_FIELD_DEFS); when
/// they cannot be read the program says which file it tried and why, and exits.
inline void InitBenchDataSet()
{
    static CPromptScript prompt;
    static const bool ready = [] {
        const char* named = std::getenv(FIELD_DEFS_ENV);
        if (!named || !*named)
            setenv(FIELD_DEFS_ENV, ARDENVEL_BENCH_FIELD_DEFS, 1);
        prompt.SetAnswerDefaults(true);
        SetPrompt(&prompt);
        return InitDataModel(nullptr).done;
    }();
    if (ready)
        return;
    std::fprintf(stderr,
                 "benchmark: the field definitions cannot be read from %s: %s\n"
                 "Build them (make bench), or name the file in %s.\n",
                 GetFieldDefsPath().c_str(), GetFieldDefsError().c_str(), FIELD_DEFS_ENV);
    std::exit(2);
}
