// database/nodes/node_prefetch.h: asking the processor for the memory of records before a walk over
// a million of them reaches it, so that the walk does not wait on memory at every record.
#pragma once

#include <cstdint>

/// Keeps the few kilobytes after the current node on their way into the cache, for a walk along
/// a chain of nodes at rising addresses, as the records of a loaded file lie: the next records
/// are then in the cache before the chain names them. A step back or far ahead starts anew.
class CNodeStreamPrefetch {
public:
    void At(const void* node)
    {
        const char* at = static_cast<const char*>(node);
        if (!m_fetched || m_fetched < at || m_fetched > at + 2 * kAhead)
            m_fetched = at;
        for (; m_fetched < at + kAhead; m_fetched += kLine)
            __builtin_prefetch(m_fetched);
    }

private:
    static constexpr std::intptr_t kLine = 64;
    static constexpr std::intptr_t kAhead = 4096;
    const char* m_fetched = nullptr;
};

/// Asks for the first bytes of a node: a record and the fields that follow it in memory.
inline void PrefetchNode(const void* node)
{
    const char* at = static_cast<const char*>(node);
    for (int line = 0; at && line < 8; ++line)
        __builtin_prefetch(at + line * 64);
}
