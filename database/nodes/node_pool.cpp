// database/nodes/node_pool.cpp: the block allocator behind every data node and long field text.
#include "database/nodes/node_pool.h"

#include <exception>
#include <new>
#include <sys/mman.h>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

struct CNodePool::Releaser {
    std::thread thread;
};

namespace {

std::size_t ClassOf(std::size_t size)
{
    return (size + CNodePool::kGranule - 1) / CNodePool::kGranule - 1;
}

std::size_t ClassBytes(std::size_t cls)
{
    return (cls + 1) * CNodePool::kGranule;
}

/// Address space without memory behind it; null when none is left.
char* Reserve(std::size_t bytes)
{
    void* mapped =
        ::mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return mapped == MAP_FAILED ? nullptr : static_cast<char*>(mapped);
}

} // namespace

constinit CNodePool CNodePool::s_nodes;

CNodePool::~CNodePool()
{
    FinishRelease();
    if (!m_region)
        return;
    POOL_UNPOISON(m_region, m_committed);
    ::munmap(m_region, kRegionBytes);
    if (this == &s_nodes)
        s_nodeBase = kNoRegion;
}

void* CNodePool::AllocateSlow(std::size_t size)
{
    if (size == 0 || size > kMaxPooled)
        return ::operator new(size == 0 ? 1 : size);
    const std::size_t cls = ClassOf(size);
    void* block = nullptr;
    if (FreeBlock* head = m_free[cls]) {
        POOL_UNPOISON(head, ClassBytes(cls));
        m_free[cls] = head->next;
        block = head;
    } else {
        block = Carve(cls);
    }
    ++m_live;
    return block;
}

void CNodePool::Free(void* block, std::size_t size) noexcept
{
    if (!block)
        return;
    if (size == 0 || size > kMaxPooled) {
        ::operator delete(block);
        return;
    }
    const std::size_t cls = ClassOf(size);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = m_free[cls];
    m_free[cls] = freed;
    POOL_POISON(block, ClassBytes(cls));
    --m_live;
}

void CNodePool::CommitChunk()
{
    if (!m_region) {
        m_region = Reserve(kRegionBytes);
        if (!m_region)
            throw std::bad_alloc();
        if (this == &s_nodes)
            s_nodeBase = std::uintptr_t(m_region);
    }
    if (m_committed + kChunkBytes > kRegionBytes)
        throw std::bad_alloc();
    char* chunk = m_region + m_committed;
    if (::mprotect(chunk, kChunkBytes, PROT_READ | PROT_WRITE) != 0)
        throw std::bad_alloc();
    ::madvise(chunk, kChunkBytes, MADV_POPULATE_WRITE);
    POOL_POISON(chunk, kChunkBytes);
    m_committed += kChunkBytes;
}

void* CNodePool::Carve(std::size_t cls)
{
    const std::size_t bytes = ClassBytes(cls);
    if (std::size_t(m_end - m_cursor) < bytes) {
        // Chunks follow each other in the range, so the cursor runs on into the next one.
        CommitChunk();
        if (!m_cursor) // the first granule is never handed out: index 0 means no block
            m_cursor = m_region + kGranule;
        m_end = m_region + m_committed;
    }
    char* block = m_cursor;
    m_cursor += bytes;
    POOL_UNPOISON(block, bytes);
    return block;
}

void CNodePool::FinishRelease() noexcept
{
    if (!m_releaser)
        return;
    m_releaser->thread.join();
    delete m_releaser;
    m_releaser = nullptr;
}

std::size_t CNodePool::LiveBlocks() const
{
    return m_live;
}

std::size_t CNodePool::ReservedBytes() const
{
    return m_committed;
}

bool CNodePool::ReleaseUnused()
{
    if (m_live != 0)
        return false;
    if (m_committed != 0) {
        // The range goes back to the system on a thread of its own: tearing down the page
        // tables of a large file takes longer than freeing its nodes did, and nothing waits for
        // it. The next block reserves a fresh range.
        POOL_UNPOISON(m_region, m_committed);
        if (this == &s_nodes)
            s_nodeBase = kNoRegion;
        char* region = m_region;
        m_region = nullptr;
        FinishRelease();
        try {
            m_releaser = new Releaser{std::thread([region] { ::munmap(region, kRegionBytes); })};
        } catch (const std::exception&) {
            ::munmap(region, kRegionBytes);
        }
    }
    m_committed = 0;
    for (FreeBlock*& head : m_free)
        head = nullptr;
    m_cursor = m_end = nullptr;
    return true;
}
