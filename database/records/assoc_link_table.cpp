// database/records/assoc_link_table.cpp: the process-wide table of link fields, in the order they
// were made.
#include "database/records/assoc_link_table.h"

#include "database/nodes/data_model.h"
#include "database/nodes/node_pool.h"
#include "database/records/assoc_node.h"

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr unsigned kBlockShift = 15;
constexpr std::uint32_t kBlockSlots = std::uint32_t(1) << kBlockShift;
/// Empty slots beyond this many and beyond the number of links are closed up.
constexpr std::uint32_t kTolerated = kBlockSlots;

/// A slot holds its link's node-pool index (0 when empty): half the room of a pointer.
struct LinkTable {
    std::vector<std::unique_ptr<std::uint32_t[]>> m_blocks;
    std::uint32_t m_end = 0;  // one past the highest slot given
    std::uint32_t m_live = 0; // slots that hold a link

    std::uint32_t& At(std::uint32_t slot)
    {
        return m_blocks[slot >> kBlockShift][slot & (kBlockSlots - 1)];
    }
    CAssocNode* LinkAt(std::uint32_t slot)
    {
        return static_cast<CAssocNode*>(static_cast<CDataNode*>(CNodePool::BlockAt(At(slot))));
    }
};

/// Never destroyed, so that links freed late at exit still find it.
LinkTable& Table()
{
    static auto* table = new LinkTable;
    return *table;
}

} // namespace

std::uint32_t CAssocLinkTable::Add(CAssocNode* link)
{
    LinkTable& t = Table();
    const std::uint32_t index = CNodePool::IndexOf(static_cast<CDataNode*>(link));
    if (index == 0) // a link made outside the node pool, which no slot could name
        std::abort();
    // Every link of a load passes here; a block to add is rare, and out of line.
    if (t.m_end == kNoSlot || (t.m_end >> kBlockShift) == t.m_blocks.size()) [[unlikely]]
        MakeRoom();
    t.At(t.m_end) = index;
    ++t.m_live;
    return t.m_end++;
}

void CAssocLinkTable::MakeRoom()
{
    LinkTable& t = Table();
    if (t.m_end == kNoSlot)
        Compact();
    if (t.m_end == kNoSlot)
        throw std::length_error("too many links");
    if ((t.m_end >> kBlockShift) == t.m_blocks.size()) {
        auto block = std::make_unique<std::uint32_t[]>(kBlockSlots);
        t.m_blocks.push_back(std::move(block));
    }
}

void CAssocLinkTable::Remove(std::uint32_t slot) noexcept
{
    LinkTable& t = Table();
    if (slot >= t.m_end || !t.At(slot))
        return;
    t.At(slot) = 0;
    --t.m_live;
    if (slot + 1 == t.m_end) {
        while (t.m_end > 0 && !t.At(t.m_end - 1))
            --t.m_end;
        ReleaseSpareBlocks();
    }
    // Emptying the whole data set removes every link: moving the rest closer together on the
    // way would only touch each of them again.
    const std::uint32_t empty = t.m_end - t.m_live;
    if (empty > kTolerated && empty > t.m_live && !IsClearingDataSet())
        Compact();
}

CAssocNode* CAssocLinkTable::NewestBelow(std::uint32_t below) noexcept
{
    LinkTable& t = Table();
    for (std::uint32_t slot = below < t.m_end ? below : t.m_end; slot-- > 0;) {
        if (t.At(slot))
            return t.LinkAt(slot);
    }
    return nullptr;
}

std::size_t CAssocLinkTable::Count() noexcept
{
    return Table().m_live;
}

std::uint32_t CAssocLinkTable::End() noexcept
{
    return Table().m_end;
}

CAssocNode* CAssocLinkTable::At(std::uint32_t slot) noexcept
{
    return Table().LinkAt(slot);
}

void CAssocLinkTable::Compact() noexcept
{
    LinkTable& t = Table();
    std::uint32_t to = 0;
    for (std::uint32_t from = 0; from < t.m_end; ++from) {
        if (const std::uint32_t index = t.At(from)) {
            CAssocNode* link = t.LinkAt(from);
            t.At(from) = 0;
            t.At(to) = index;
            link->m_slot = to++;
        }
    }
    t.m_end = to;
    ReleaseSpareBlocks();
}

void CAssocLinkTable::ReleaseSpareBlocks() noexcept
{
    LinkTable& t = Table();
    const std::size_t used = (std::size_t(t.m_end) + kBlockSlots - 1) >> kBlockShift;
    const std::size_t kept = t.m_live == 0 ? 0 : used + 1;
    while (t.m_blocks.size() > kept)
        t.m_blocks.pop_back();
}
