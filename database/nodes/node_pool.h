// database/nodes/node_pool.h: the block allocator behind every data node and long field text.
#pragma once

#include <cstddef>
#include <vector>

/// Hands out small fixed-size blocks carved from large chunks, one free list per size class
/// (multiples of 8 bytes up to kMaxPooled). A node costs exactly its size rounded up to 8, with
/// no per-allocation header; freed blocks are reused by the next node of the same size class.
/// Larger requests go to the global heap. Chunks of 2 MiB are mapped from the system aligned to
/// their size, offered for huge pages and made present at once: a large load then takes a few
/// system calls per chunk instead of a page fault for every 4 KiB, and walks a million nodes with
/// fewer address-translation misses; unmapping them at a close is cheaper too. Under
/// AddressSanitizer a free block is poisoned, so a use after free is still reported. The pool is
/// not locked: data nodes and their long texts are made and freed on the interface thread only. The
/// query worker thread reads the data set while the interface thread makes no edit, and its walks
/// keep their marks in maps of their own, so it never allocates from the pool; a lock taken on
/// every node made a load slower and guarded nothing.
class CNodePool {
public:
    static constexpr std::size_t kGranule = 8;
    static constexpr std::size_t kMaxPooled = 256;
    static constexpr std::size_t kChunkBytes = 2 * 1024 * 1024;

    CNodePool() = default;
    CNodePool(const CNodePool&) = delete;
    CNodePool& operator=(const CNodePool&) = delete;
    ~CNodePool();

    void* Allocate(std::size_t size);
    /// size must be the size given to Allocate.
    void Free(void* block, std::size_t size) noexcept;

    /// Blocks handed out and not yet freed.
    std::size_t LiveBlocks() const;
    /// Bytes held in chunks, whether in use or free.
    std::size_t ReservedBytes() const;
    /// Returns every chunk to the heap when no block is in use; false (and nothing freed) when
    /// some block still is.
    bool ReleaseUnused();

    /// The pool that data nodes come from.
    static CNodePool& Nodes();

private:
    struct FreeBlock {
        FreeBlock* next;
    };
    static constexpr std::size_t kClasses = kMaxPooled / kGranule;

    void* Carve(std::size_t cls);

    FreeBlock* m_free[kClasses] = {};
    std::vector<char*> m_chunks;
    char* m_cursor = nullptr; // unused tail of the newest chunk
    char* m_end = nullptr;
    std::size_t m_live = 0;
};
