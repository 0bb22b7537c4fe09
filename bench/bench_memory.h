// bench/bench_memory.h: the process's resident memory and its peak, read and started afresh, for
// benchmarks that report memory against a file's size.
#pragma once

#include "database/nodes/node_pool.h"

#include <fstream>
#include <malloc.h>
#include <string>

/// A memory figure of the process's status ("VmHWM:", "VmRSS:") in bytes.
inline double StatusMemoryBytes(const std::string& wanted)
{
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == wanted) {
            double kib = 0;
            status >> kib;
            return kib * 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

/// The process's peak resident memory (VmHWM) in bytes.
inline double PeakMemoryBytes()
{
    return StatusMemoryBytes("VmHWM:");
}

/// The process's resident memory now (VmRSS) in bytes.
inline double ResidentMemoryBytes()
{
    return StatusMemoryBytes("VmRSS:");
}

/// Starts a new peak from the resident memory of now, after the node pool gave back what it
/// no longer uses.
inline void ResetPeakMemory()
{
    CNodePool::Nodes().ReleaseUnused();
    CNodePool::Nodes().FinishRelease();
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}
