// bench/bench_folder.h: a private temporary folder for a benchmark's files, removed at exit.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

/// Made on first use under $TMPDIR (else /tmp). The path is never destroyed, so the removal at
/// exit still has it whatever the order in which other statics go.
inline const std::string& BenchFolder()
{
    static const std::string& folder = *[] {
        const char* base = std::getenv("TMPDIR");
        auto* pattern =
            new std::string(std::string(base && *base ? base : "/tmp") + "/ardenvel-bench-XXXXXX");
        if (!mkdtemp(pattern->data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(BenchFolder()); });
        return pattern;
    }();
    return folder;
}
