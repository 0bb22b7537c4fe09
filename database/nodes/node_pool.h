// database/nodes/node_pool.h: the block allocator behind every data node and long field text.
#pragma once

#include <cstddef>
#include <cstdint>

/// Hands out small fixed-size blocks carved from one reserved address range, one free list per
/// size class (multiples of 8 bytes up to kMaxPooled). A node costs exactly its size rounded up
/// to 8, with no per-allocation header; freed blocks are reused by the next node of the same size
/// class. Larger requests go to the global heap, each with a header that keeps it on the pool's
/// list of large blocks.
///
/// The pool reserves kRegionBytes of address space at its first block and commits it in chunks
/// of kChunkBytes, each made present with one request (a large load then takes a few system
/// calls per chunk instead of a fault for every 4 KiB page). Because every block lies in that
/// one range, a block of the node pool is named by a 32-bit index (its distance from the start
/// in granules), which is how nodes link to each other: half the bytes of a pointer. When no
/// block is in use, ReleaseUnused gives the range back (on a thread of its own, so that closing
/// a large file does not wait for the system) and the next blocks come from a fresh range, in
/// order. While a large file loads, a helper thread commits the chunks ahead of those in use
/// (CCommitAhead), so that the loading thread rarely waits for the system to make pages present.
///
/// Under AddressSanitizer a free block is poisoned, so a use after free is still reported. The
/// pool is not locked: data nodes and their long texts are made and freed on the interface thread
/// only. The query worker thread reads the data set while the interface thread makes no edit,
/// and its walks keep their marks in maps of their own, so it never allocates from the pool; a
/// lock taken on every node made a load slower and guarded nothing.
class CNodePool {
public:
    static constexpr std::size_t kGranule = 8;
    static constexpr std::size_t kMaxPooled = 256;
    static constexpr std::size_t kChunkBytes = 2 * 1024 * 1024;
    /// The reserved range: 2^30 granules, so that an index leaves two bits of a 32-bit word free.
    static constexpr std::size_t kRegionBytes = std::size_t(1) << 33;

    CNodePool() = default;
    CNodePool(const CNodePool&) = delete;
    CNodePool& operator=(const CNodePool&) = delete;
    ~CNodePool();

    /// Inline for the common case, a pooled size whose class has a free block or whose block fits
    /// in the committed tail; the rest (the heap, a chunk to commit, the poison that
    /// AddressSanitizer builds keep on free blocks) goes through AllocateSlow.
    void* Allocate(std::size_t size)
    {
        const std::size_t cls = (size - 1) / kGranule; // size 0 wraps round to no class
        if (cls < kClasses && !kPoisoned) {
            if (FreeBlock* head = m_free[cls]) {
                m_free[cls] = head->next;
                ++m_live;
                return head;
            }
            const std::size_t bytes = (cls + 1) * kGranule;
            if (std::size_t(m_end - m_cursor) >= bytes) {
                char* block = m_cursor;
                m_cursor += bytes;
                ++m_live;
                return block;
            }
        }
        return AllocateSlow(size);
    }
    /// size must be the size given to Allocate.
    void Free(void* block, std::size_t size) noexcept;

    /// Blocks handed out and not yet freed.
    std::size_t LiveBlocks() const;
    /// Bytes committed, whether in use or free.
    std::size_t ReservedBytes() const;
    /// Gives every committed page back when no block is in use; false (and nothing freed) when
    /// some block still is.
    bool ReleaseUnused();
    /// Waits until the range that the last ReleaseUnused gave back is gone (a measurement of
    /// memory that follows a release needs it).
    void FinishRelease() noexcept;

    /// Objects in the pool that hold memory outside it (a heap text, a file) tell the pool so
    /// with KeepOwner, and DropOwner once they no longer do (their destructor included): freeing
    /// every block at once (ReleaseAll) then calls release on each owner, the only blocks whose
    /// destructors must run. An object outside the pool is not kept (it frees its memory
    /// itself). When the pool cannot note an owner (no memory), it no longer knows them all and
    /// ReleaseAll refuses, until every block has been freed one by one.
    using OwnerRelease = void (*)(void* owner) noexcept;
    void KeepOwner(void* owner, OwnerRelease release) noexcept;
    void DropOwner(void* owner) noexcept;
    /// Whether ReleaseAll may free every block: every owner is known.
    bool CanReleaseAll() const noexcept;
    /// Frees every block at once, those still in use too, without their destructors: each kept
    /// owner's release runs first, then the large blocks are freed and the pages given back as
    /// ReleaseUnused gives them. For emptying a whole data set of nodes whose other memory lies
    /// in tables emptied apart; false (and nothing freed) when CanReleaseAll is false.
    bool ReleaseAll() noexcept;

    /// While one lives, a thread of its own keeps the next kAheadChunks chunks of the pool
    /// committed before the blocks handed out reach them: a large load then spends its own time
    /// reading the file while another core makes the pool's pages present. Chunks committed
    /// ahead and not reached by the end stay committed for the blocks that follow. Without a
    /// thread to spare the pool commits its chunks itself, as it does at any other time.
    class CCommitAhead {
    public:
        explicit CCommitAhead(CNodePool& pool);
        ~CCommitAhead();
        CCommitAhead(const CCommitAhead&) = delete;
        CCommitAhead& operator=(const CCommitAhead&) = delete;

    private:
        CNodePool& m_pool;
        bool m_started = false; // false when another runs, or no thread could be spared
    };
    static constexpr std::size_t kAheadChunks = 4;

    /// The pool that data nodes come from.
    static CNodePool& Nodes() { return s_nodes; }

    /// The index of a block of the node pool (Nodes()); 0 for null and for an address outside
    /// the pool's range (an object made elsewhere has no index).
    static std::uint32_t IndexOf(const void* block) noexcept
    {
        const auto offset = std::uintptr_t(block) - s_nodeBase;
        return offset < kRegionBytes ? std::uint32_t(offset / kGranule) : 0;
    }
    /// The block of the node pool with that index; null for 0.
    static void* BlockAt(std::uint32_t index) noexcept
    {
        return index ? reinterpret_cast<char*>(s_nodeBase) + std::size_t(index) * kGranule
                     : nullptr;
    }

private:
    struct FreeBlock {
        FreeBlock* next;
    };
    static constexpr std::size_t kClasses = kMaxPooled / kGranule;
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool kPoisoned = true;
#else
    static constexpr bool kPoisoned = false;
#endif

    void* AllocateSlow(std::size_t size);
    /// A block above kMaxPooled, from the heap, on the list of large blocks.
    void* AllocateLarge(std::size_t size);
    void FreeLarge(void* block) noexcept;
    void* Carve(std::size_t cls);
    /// Commits the next chunk of the range (or takes the chunks the committer has ready),
    /// reserving the range first; throws when none is left.
    void CommitChunk();
    /// Reserves the range when the pool has none; throws when the system gives none.
    void ReserveRegion();
    /// Stops the committer, if one runs, and counts the chunks it committed as the pool's own.
    void StopCommitter() noexcept;

    /// s_nodeBase while the node pool has no range: the top of the address space, where no
    /// object lies, so that IndexOf finds any address (null too) outside the range by the one
    /// comparison it makes anyway.
    static constexpr std::uintptr_t kNoRegion = std::uintptr_t(0) - kRegionBytes;
    /// The start of the node pool's range while it holds committed chunks; kNoRegion before.
    static inline std::uintptr_t s_nodeBase = kNoRegion;
    /// The node pool: made before any code runs and gone after every other static, so that no
    /// node outlives it; no guard is tested on each node made.
    static CNodePool s_nodes;

    FreeBlock* m_free[kClasses] = {};
    char* m_region = nullptr;
    std::size_t m_committed = 0; // bytes from the start of the range
    char* m_cursor = nullptr;    // unused tail of the committed bytes
    char* m_end = nullptr;
    std::size_t m_live = 0;
    struct LargeBlock;
    LargeBlock* m_large = nullptr; // the large blocks in use, newest first
    struct Owners;
    Owners* m_owners = nullptr; // made with the first owner
    bool m_ownersLost = false;  // an owner could not be noted
    struct Releaser;
    Releaser* m_releaser = nullptr; // the thread giving back the range of the last release
    struct Committer;
    Committer* m_committer = nullptr; // the thread committing ahead of use, while one runs
};
