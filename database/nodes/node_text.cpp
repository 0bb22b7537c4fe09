// database/nodes/node_text.cpp: the compact text a field node keeps its value in.
#include "database/nodes/node_text.h"

#include "database/nodes/node_pool.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>

static_assert(sizeof(CNodeText) == CNodeText::kInlineBytes + 1 && alignof(CNodeText) == 1);

namespace {

/// Long texts come from the node pool too, in blocks of 8 bytes without a heap header.
char* AllocateText(std::uint32_t capacity)
{
    return static_cast<char*>(CNodePool::Nodes().Allocate(capacity));
}

void FreeText(char* data, std::uint32_t capacity) noexcept
{
    CNodePool::Nodes().Free(data, capacity);
}

/// The capacity for size bytes: the whole of the pool block they take.
std::uint32_t RoundedCapacity(std::uint32_t size)
{
    const std::uint64_t rounded = (std::uint64_t(size) + 7) & ~std::uint64_t(7);
    return std::uint32_t(
        std::min<std::uint64_t>(rounded, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t CheckedSize(std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("field value too long");
    return std::uint32_t(size);
}

} // namespace

/// One shared copy: the holders' count, the text's length and hash, then the text.
struct CNodeText::SharedBlock {
    std::uint32_t refs;
    std::uint32_t size;
    std::size_t hash;

    char* Data() noexcept { return reinterpret_cast<char*>(this + 1); }
    std::string_view View() const noexcept
    {
        return {reinterpret_cast<const char*>(this + 1), size};
    }
    static std::size_t BlockBytes(std::uint32_t size) noexcept
    {
        return sizeof(SharedBlock) + size;
    }
};

namespace {

using SharedBlock = CNodeText::SharedBlock;

/// The shared copies, found by their text: open addressing with linear probing, at most half
/// full. The slot array is freed with the last copy, so an emptied data set holds nothing here;
/// the table has no destructor, so nodes freed late at exit still find it intact.
struct SharedTable {
    SharedBlock** m_slots;
    std::size_t m_capacity; // a power of two, or 0
    std::size_t m_count;
};

constinit SharedTable g_shared{nullptr, 0, 0};

std::size_t HashText(std::string_view text) noexcept
{
    return std::hash<std::string_view>{}(text);
}

/// The slot that holds the copy of text, or the empty slot where it belongs.
SharedBlock** FindSlot(const SharedTable& table, std::string_view text, std::size_t hash) noexcept
{
    const std::size_t mask = table.m_capacity - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        SharedBlock* block = table.m_slots[i];
        if (!block || (block->hash == hash && block->View() == text))
            return &table.m_slots[i];
    }
}

/// Makes room for one more copy; may throw, leaving the table as it was.
void ReserveOneMore(SharedTable& table)
{
    if (2 * (table.m_count + 1) <= table.m_capacity)
        return;
    const std::size_t capacity = table.m_capacity ? 2 * table.m_capacity : 64;
    auto** slots = static_cast<SharedBlock**>(::operator new(capacity * sizeof(SharedBlock*)));
    std::fill_n(slots, capacity, nullptr);
    for (std::size_t i = 0; i < table.m_capacity; ++i) {
        if (SharedBlock* block = table.m_slots[i]) {
            std::size_t at = block->hash & (capacity - 1);
            while (slots[at])
                at = (at + 1) & (capacity - 1);
            slots[at] = block;
        }
    }
    ::operator delete(table.m_slots);
    table.m_slots = slots;
    table.m_capacity = capacity;
}

/// Takes the copy out of the table; the copies after it in its probe run move up, so that
/// every copy stays reachable from its home slot.
void RemoveFromTable(SharedTable& table, SharedBlock* block) noexcept
{
    const std::size_t mask = table.m_capacity - 1;
    std::size_t hole = block->hash & mask;
    while (table.m_slots[hole] != block)
        hole = (hole + 1) & mask;
    for (std::size_t next = (hole + 1) & mask; table.m_slots[next]; next = (next + 1) & mask) {
        const std::size_t home = table.m_slots[next]->hash & mask;
        // The entry may fill the hole unless its home lies cyclically in (hole, next].
        const bool homeAfterHole =
            hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
        if (!homeAfterHole) {
            table.m_slots[hole] = table.m_slots[next];
            hole = next;
        }
    }
    table.m_slots[hole] = nullptr;
    if (--table.m_count == 0) {
        ::operator delete(table.m_slots);
        table = SharedTable{nullptr, 0, 0};
    }
}

/// The shared copy of text with one more holder counted; made when there is none.
SharedBlock* AcquireShared(std::string_view text)
{
    const std::uint32_t size = CheckedSize(text.size());
    const std::size_t hash = HashText(text);
    SharedTable& table = g_shared;
    if (table.m_capacity) {
        SharedBlock** slot = FindSlot(table, text, hash);
        if (*slot) {
            ++(*slot)->refs;
            return *slot;
        }
    }
    ReserveOneMore(table);
    auto* block =
        static_cast<SharedBlock*>(CNodePool::Nodes().Allocate(SharedBlock::BlockBytes(size)));
    block->refs = 1;
    block->size = size;
    block->hash = hash;
    std::memcpy(block->Data(), text.data(), size);
    *FindSlot(table, text, hash) = block;
    ++table.m_count;
    return block;
}

void ReleaseShared(SharedBlock* block) noexcept
{
    if (--block->refs != 0)
        return;
    RemoveFromTable(g_shared, block);
    CNodePool::Nodes().Free(block, SharedBlock::BlockBytes(block->size));
}

} // namespace

void CNodeText::ForgetSharedCopies() noexcept
{
    ::operator delete(g_shared.m_slots);
    g_shared = SharedTable{nullptr, 0, 0};
}

CNodeText::CNodeText() noexcept
{
    m_bytes[kTagByte] = 0;
}

CNodeText::CNodeText(std::string_view text) : CNodeText()
{
    Assign(text);
}

CNodeText::CNodeText(const CNodeText& other) : CNodeText()
{
    *this = other;
}

CNodeText::CNodeText(CNodeText&& other) noexcept
{
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    other.m_bytes[kTagByte] = 0;
}

CNodeText& CNodeText::operator=(const CNodeText& other)
{
    if (this == &other)
        return *this;
    if (SharedBlock* shared = other.GetShared()) {
        ++shared->refs;
        FreeLong();
        SetShared(shared);
    } else {
        Assign(other.View());
    }
    return *this;
}

CNodeText& CNodeText::operator=(CNodeText&& other) noexcept
{
    if (this != &other) {
        FreeLong();
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.m_bytes[kTagByte] = 0;
    }
    return *this;
}

CNodeText::~CNodeText()
{
    FreeLong();
}

CNodeText::LongForm CNodeText::GetLong() const noexcept
{
    LongForm form;
    std::memcpy(&form, m_bytes, sizeof form);
    return form;
}

void CNodeText::SetLong(const LongForm& form) noexcept
{
    std::memcpy(m_bytes, &form, sizeof form);
    m_bytes[kTagByte] = kLongTag;
}

CNodeText::SharedBlock* CNodeText::GetShared() const noexcept
{
    if (!IsShared())
        return nullptr;
    SharedBlock* block;
    std::memcpy(&block, m_bytes, sizeof block);
    return block;
}

void CNodeText::SetShared(SharedBlock* block) noexcept
{
    std::memcpy(m_bytes, &block, sizeof block);
    m_bytes[kTagByte] = kSharedTag;
}

void CNodeText::FreeLong() noexcept
{
    if (SharedBlock* shared = GetShared()) {
        ReleaseShared(shared);
    } else if (IsLong()) {
        const LongForm form = GetLong();
        FreeText(form.data, form.capacity);
    }
    m_bytes[kTagByte] = 0;
}

std::string_view CNodeText::View() const noexcept
{
    if (SharedBlock* shared = GetShared())
        return shared->View();
    if (IsLong()) {
        const LongForm form = GetLong();
        return {form.data, form.size};
    }
    return {reinterpret_cast<const char*>(m_bytes), m_bytes[kTagByte]};
}

std::size_t CNodeText::Size() const noexcept
{
    if (SharedBlock* shared = GetShared())
        return shared->size;
    return IsLong() ? GetLong().size : m_bytes[kTagByte];
}

void CNodeText::AssignOther(std::string_view text)
{
    if (text.size() <= kInlineBytes) {
        // The text may lie inside our own long buffer: copy it out before that is freed.
        unsigned char copy[kInlineBytes];
        std::memcpy(copy, text.data(), text.size());
        FreeLong();
        std::memcpy(m_bytes, copy, text.size());
        m_bytes[kTagByte] = static_cast<unsigned char>(text.size());
        return;
    }
    const std::uint32_t size = CheckedSize(text.size());
    const std::uint32_t capacity = RoundedCapacity(size);
    char* data = AllocateText(capacity);
    std::memcpy(data, text.data(), size);
    FreeLong();
    SetLong({data, size, capacity});
}

void CNodeText::AssignShared(std::string_view text)
{
    if (text.size() <= kInlineBytes) {
        Assign(text);
        return;
    }
    if (const SharedBlock* shared = GetShared(); shared && shared->View() == text)
        return;
    SharedBlock* block = AcquireShared(text);
    FreeLong();
    SetShared(block);
}

void CNodeText::Append(std::string_view text)
{
    if (text.empty())
        return;
    const std::size_t oldSize = Size();
    const std::uint32_t newSize = CheckedSize(oldSize + text.size());
    if (!IsLong() && newSize <= kInlineBytes) {
        std::memmove(m_bytes + oldSize, text.data(), text.size());
        m_bytes[kTagByte] = static_cast<unsigned char>(newSize);
        return;
    }
    if (IsLong() && !IsShared() && newSize <= GetLong().capacity) {
        LongForm form = GetLong();
        std::memmove(form.data + oldSize, text.data(), text.size());
        form.size = newSize;
        SetLong(form);
        return;
    }
    const std::uint32_t capacity = RoundedCapacity(std::uint32_t(std::min<std::size_t>(
        std::size_t(newSize) + newSize / 2, std::numeric_limits<std::uint32_t>::max())));
    char* data = AllocateText(capacity);
    const std::string_view old = View();
    std::memcpy(data, old.data(), old.size());
    std::memcpy(data + oldSize, text.data(), text.size());
    FreeLong();
    SetLong({data, newSize, capacity});
}

void CNodeText::Clear() noexcept
{
    FreeLong();
}

CKeptText& CKeptText::operator=(CKeptText&& other) noexcept
{
    if (this != &other) {
        Reset();
        if (other.m_text) {
            CNodePool::Nodes().DropOwner(&other);
            m_text = std::move(other.m_text);
            KeepOwner();
        }
    }
    return *this;
}

void CKeptText::Set(std::string_view text)
{
    if (m_text) {
        m_text->assign(text);
        return;
    }
    m_text = std::make_unique<std::string>(text);
    KeepOwner();
}

void CKeptText::Reset() noexcept
{
    if (!m_text)
        return;
    CNodePool::Nodes().DropOwner(this);
    m_text.reset();
}

void CKeptText::KeepOwner() noexcept
{
    CNodePool::Nodes().KeepOwner(
        this, [](void* text) noexcept { static_cast<CKeptText*>(text)->Reset(); });
}
