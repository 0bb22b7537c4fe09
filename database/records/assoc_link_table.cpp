// database/records/assoc_link_table.cpp: the process-wide table of link fields, in the order they
// were made.
#include "database/records/assoc_link_table.h"

#include "database/nodes/data_model.h"
#include "database/nodes/node_pool.h"
#include "database/records/assoc_node.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

/// Empty slots beyond this many and beyond the number of links are closed up.
constexpr std::uint32_t kTolerated = std::uint32_t(1) << 15;

} // namespace

void CAssocLinkTable::MakeRoom()
{
    if (s_end == kNoSlot)
        Compact();
    if (s_end == kNoSlot)
        throw std::length_error("too many links");
    if ((s_end >> kBlockShift) < s_blockCount)
        return;
    if (s_blockCount == s_blockCapacity) {
        const std::size_t capacity = std::max<std::size_t>(2, 2 * s_blockCapacity);
        auto grown = std::make_unique<Entry*[]>(capacity);
        std::copy(s_blocks, s_blocks + s_blockCount, grown.get());
        delete[] s_blocks;
        s_blocks = grown.release();
        s_blockCapacity = capacity;
    }
    s_blocks[s_blockCount] = new Entry[kBlockSlots]();
    ++s_blockCount;
}

void CAssocLinkTable::Remove(std::uint32_t slot) noexcept
{
    if (slot >= s_end || !SlotAt(slot).link)
        return;
    SlotAt(slot) = Entry{};
    --s_live;
    if (slot + 1 == s_end) {
        while (s_end > 0 && !SlotAt(s_end - 1).link)
            --s_end;
        ReleaseSpareBlocks();
    }
    // Emptying the whole data set removes every link: moving the rest closer together on the
    // way would only touch each of them again.
    const std::uint32_t empty = s_end - s_live;
    if (empty > kTolerated && empty > s_live && !IsClearingDataSet())
        Compact();
}

void CAssocLinkTable::Clear() noexcept
{
    while (s_blockCount > 0)
        delete[] s_blocks[--s_blockCount];
    s_end = 0;
    s_live = 0;
}

CAssocNode* CAssocLinkTable::NewestBelow(std::uint32_t below) noexcept
{
    for (std::uint32_t slot = below < s_end ? below : s_end; slot-- > 0;) {
        if (SlotAt(slot).link)
            return At(slot);
    }
    return nullptr;
}

void CAssocLinkTable::Compact() noexcept
{
    std::uint32_t to = 0;
    for (std::uint32_t from = 0; from < s_end; ++from) {
        if (SlotAt(from).link) {
            CAssocNode* link = At(from);
            const Entry entry = SlotAt(from);
            SlotAt(from) = Entry{};
            SlotAt(to) = entry;
            link->m_slot = to++;
        }
    }
    s_end = to;
    ReleaseSpareBlocks();
}

void CAssocLinkTable::ReleaseSpareBlocks() noexcept
{
    const std::size_t used = (std::size_t(s_end) + kBlockSlots - 1) >> kBlockShift;
    const std::size_t kept = s_live == 0 ? 0 : used + 1;
    while (s_blockCount > kept)
        delete[] s_blocks[--s_blockCount];
}
