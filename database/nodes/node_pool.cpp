// database/nodes/node_pool.cpp: the block allocator behind every data node and long field text.
#include "database/nodes/node_pool.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <memory>
#include <new>
#include <sched.h>
#include <sys/mman.h>
#include <thread>
#include <unordered_map>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

/// The header of a large block: its neighbours on the pool's list (16 bytes, so that the block
/// after it keeps the heap's alignment).
struct CNodePool::LargeBlock {
    LargeBlock* prev;
    LargeBlock* next;
};

struct CNodePool::Owners {
    std::unordered_map<void*, OwnerRelease> release;
};

struct CNodePool::Releaser {
    std::thread thread;
};

/// The thread that commits chunks ahead of use, and the two words it shares with the pool: the
/// bytes from the range's start that the pool wants committed, and those committed so far.
struct CNodePool::Committer {
    /// Set in ready once the thread has stopped: told to, or given no more memory (chunks are
    /// whole multiples of pages, so the low bits of a byte count are free).
    static constexpr std::size_t kStopped = 1;
    /// wanted's value that tells the thread to stop.
    static constexpr std::size_t kStop = ~std::size_t(0);

    void Run(char* region) noexcept;

    std::atomic<std::size_t> wanted{0};
    std::atomic<std::size_t> ready{0};
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

/// Makes the chunk at chunk usable and its pages present; false when the system refuses.
bool CommitPages(char* chunk)
{
    if (::mprotect(chunk, CNodePool::kChunkBytes, PROT_READ | PROT_WRITE) != 0)
        return false;
    ::madvise(chunk, CNodePool::kChunkBytes, MADV_POPULATE_WRITE);
    POOL_POISON(chunk, CNodePool::kChunkBytes);
    return true;
}

/// Whether this process may run on more than one processor: with one, a committer thread only
/// takes turns with the load it would speed up.
bool HasSpareProcessor()
{
    cpu_set_t set;
    return ::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 1;
}

} // namespace

void CNodePool::Committer::Run(char* region) noexcept
{
    std::size_t done = ready.load(std::memory_order_relaxed);
    for (;;) {
        const std::size_t want = wanted.load(std::memory_order_acquire);
        if (want == kStop)
            break;
        if (done >= want) {
            wanted.wait(want, std::memory_order_acquire);
            continue;
        }
        if (done + kChunkBytes > kRegionBytes || !CommitPages(region + done))
            break;
        done += kChunkBytes;
        ready.store(done, std::memory_order_release);
        ready.notify_one();
    }
    ready.store(done | kStopped, std::memory_order_release);
    ready.notify_one();
}

CNodePool::CCommitAhead::CCommitAhead(CNodePool& pool) : m_pool(pool)
{
    if (pool.m_committer || !HasSpareProcessor())
        return;
    try {
        pool.ReserveRegion();
        auto committer = std::make_unique<Committer>();
        committer->ready.store(pool.m_committed, std::memory_order_relaxed);
        committer->wanted.store(pool.m_committed + kAheadChunks * kChunkBytes,
                                std::memory_order_relaxed);
        Committer* const running = committer.get();
        char* const region = pool.m_region;
        committer->thread = std::thread([running, region] { running->Run(region); });
        pool.m_committer = committer.release();
        m_started = true;
    } catch (const std::exception&) {
        // No range or no thread now: the pool commits its chunks itself, and a range it still
        // cannot reserve fails the load as it would have.
    }
}

CNodePool::CCommitAhead::~CCommitAhead()
{
    if (m_started)
        m_pool.StopCommitter();
}

constinit CNodePool CNodePool::s_nodes;

CNodePool::~CNodePool()
{
    StopCommitter();
    FinishRelease();
    delete std::exchange(m_owners, nullptr);
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
        return AllocateLarge(size);
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
        FreeLarge(block);
        return;
    }
    const std::size_t cls = ClassOf(size);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = m_free[cls];
    m_free[cls] = freed;
    POOL_POISON(block, ClassBytes(cls));
    --m_live;
}

void* CNodePool::AllocateLarge(std::size_t size)
{
    static_assert(sizeof(LargeBlock) % alignof(std::max_align_t) == 0);
    auto* large = static_cast<LargeBlock*>(::operator new(sizeof(LargeBlock) + size));
    large->prev = nullptr;
    large->next = m_large;
    if (m_large)
        m_large->prev = large;
    m_large = large;
    return large + 1;
}

void CNodePool::FreeLarge(void* block) noexcept
{
    LargeBlock* large = static_cast<LargeBlock*>(block) - 1;
    if (large->prev)
        large->prev->next = large->next;
    else
        m_large = large->next;
    if (large->next)
        large->next->prev = large->prev;
    ::operator delete(large);
}

void CNodePool::KeepOwner(void* owner, OwnerRelease release) noexcept
{
    // Only the pool's own range: the address less the start wraps round for one below it.
    if (std::uintptr_t(owner) - std::uintptr_t(m_region) >= m_committed)
        return;
    try {
        if (!m_owners)
            m_owners = new Owners;
        m_owners->release[owner] = release;
    } catch (const std::exception&) {
        m_ownersLost = true;
    }
}

void CNodePool::DropOwner(void* owner) noexcept
{
    if (m_owners && !m_owners->release.empty())
        m_owners->release.erase(owner);
}

bool CNodePool::CanReleaseAll() const noexcept
{
    return !m_ownersLost;
}

bool CNodePool::ReleaseAll() noexcept
{
    if (!CanReleaseAll())
        return false;
    if (m_owners) {
        // Taken out first: an owner's release drops it from a table that is now empty.
        std::unordered_map<void*, OwnerRelease> owners;
        owners.swap(m_owners->release);
        for (const auto& [owner, release] : owners)
            release(owner);
    }
    while (m_large) {
        LargeBlock* next = m_large->next;
        ::operator delete(m_large);
        m_large = next;
    }
    m_live = 0;
    ReleaseUnused();
    return true;
}

void CNodePool::ReserveRegion()
{
    if (m_region)
        return;
    m_region = Reserve(kRegionBytes);
    if (!m_region)
        throw std::bad_alloc();
    if (this == &s_nodes)
        s_nodeBase = std::uintptr_t(m_region);
}

void CNodePool::CommitChunk()
{
    ReserveRegion();
    const std::size_t needed = m_committed + kChunkBytes;
    if (m_committer) {
        m_committer->wanted.store(needed + kAheadChunks * kChunkBytes, std::memory_order_release);
        m_committer->wanted.notify_one();
        std::size_t ready = m_committer->ready.load(std::memory_order_acquire);
        while (ready < needed && !(ready & Committer::kStopped)) {
            m_committer->ready.wait(ready, std::memory_order_acquire);
            ready = m_committer->ready.load(std::memory_order_acquire);
        }
        ready &= ~Committer::kStopped;
        if (ready >= needed) {
            m_committed = ready;
            return;
        }
        // The committer stopped short of the chunk (no memory left): committing it here fails
        // as it would have without one.
    }
    if (needed > kRegionBytes || !CommitPages(m_region + m_committed))
        throw std::bad_alloc();
    m_committed = needed;
}

void CNodePool::StopCommitter() noexcept
{
    if (!m_committer)
        return;
    m_committer->wanted.store(Committer::kStop, std::memory_order_release);
    m_committer->wanted.notify_one();
    m_committer->thread.join();
    const std::size_t ready =
        m_committer->ready.load(std::memory_order_acquire) & ~Committer::kStopped;
    m_committed = std::max(m_committed, ready);
    if (m_cursor)
        m_end = m_region + m_committed;
    delete m_committer;
    m_committer = nullptr;
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
    // No block is in use, so no owner is left that the pool failed to note.
    m_ownersLost = false;
    StopCommitter();
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
