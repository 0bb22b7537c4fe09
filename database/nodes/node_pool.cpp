// database/nodes/node_pool.cpp: the block allocator behind every data node and long field text.
#include "database/nodes/node_pool.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

std::size_t ClassOf(std::size_t size)
{
    return (size + CNodePool::kGranule - 1) / CNodePool::kGranule - 1;
}

std::size_t ClassBytes(std::size_t cls)
{
    return (cls + 1) * CNodePool::kGranule;
}

/// A new chunk aligned to its size, so that the system may back it with one huge page (a page
/// table entry and a fault for 2 MiB instead of 512), with its pages made present; null when no
/// memory is left. A system that refuses either request still gives a usable chunk, whose pages
/// then come at first touch.
char* MapChunk()
{
    constexpr std::size_t bytes = CNodePool::kChunkBytes;
    void* mapped =
        ::mmap(nullptr, 2 * bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + bytes - 1) & ~std::uintptr_t(bytes - 1);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const std::size_t tail = start + bytes - aligned; tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    auto* chunk = reinterpret_cast<char*>(aligned);
    ::madvise(chunk, bytes, MADV_HUGEPAGE);
    ::madvise(chunk, bytes, MADV_POPULATE_WRITE);
    return chunk;
}

} // namespace

CNodePool::~CNodePool()
{
    for (char* chunk : m_chunks) {
        POOL_UNPOISON(chunk, kChunkBytes);
        ::munmap(chunk, kChunkBytes);
    }
}

namespace {

/// Made before any code runs and gone after every other static, so that no node outlives it;
/// no guard is tested on each node made.
constinit CNodePool g_nodes;

} // namespace

CNodePool& CNodePool::Nodes()
{
    return g_nodes;
}

void* CNodePool::Allocate(std::size_t size)
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

void* CNodePool::Carve(std::size_t cls)
{
    const std::size_t bytes = ClassBytes(cls);
    if (m_cursor == nullptr || std::size_t(m_end - m_cursor) < bytes) {
        // The unused tail of the old chunk (smaller than any request) becomes one free block.
        if (m_cursor != nullptr && m_cursor < m_end) {
            const std::size_t tailCls = ClassOf(std::size_t(m_end - m_cursor));
            auto* tail = reinterpret_cast<FreeBlock*>(m_cursor);
            POOL_UNPOISON(tail, sizeof(FreeBlock));
            tail->next = m_free[tailCls];
            m_free[tailCls] = tail;
            POOL_POISON(tail, ClassBytes(tailCls));
        }
        m_chunks.push_back(nullptr); // first, so that a failure here leaks nothing
        char* chunk = MapChunk();
        if (!chunk) {
            m_chunks.pop_back();
            throw std::bad_alloc();
        }
        m_chunks.back() = chunk;
        m_cursor = chunk;
        m_end = chunk + kChunkBytes;
        POOL_POISON(chunk, kChunkBytes);
    }
    char* block = m_cursor;
    m_cursor += bytes;
    POOL_UNPOISON(block, bytes);
    return block;
}

std::size_t CNodePool::LiveBlocks() const
{
    return m_live;
}

std::size_t CNodePool::ReservedBytes() const
{
    return m_chunks.size() * kChunkBytes;
}

bool CNodePool::ReleaseUnused()
{
    if (m_live != 0)
        return false;
    for (char* chunk : m_chunks) {
        POOL_UNPOISON(chunk, kChunkBytes);
        ::munmap(chunk, kChunkBytes);
    }
    m_chunks.clear();
    m_chunks.shrink_to_fit();
    for (FreeBlock*& head : m_free)
        head = nullptr;
    m_cursor = m_end = nullptr;
    return true;
}
