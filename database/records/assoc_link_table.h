// database/records/assoc_link_table.h: the process-wide table of link fields, in the order they
// were made.
#pragma once

#include <cstddef>
#include <cstdint>

class CAssocNode;

/// Every link field has a slot here, numbered in the order the links were made, so that the
/// links can be walked newest first and a link leaves in constant time. The slot number lives
/// in the link's own padding (4 bytes), where a chain would need two pointers of 8. A freed
/// link leaves an empty slot; when empty slots outnumber the links, the table closes them up
/// in one pass (keeping the order and telling each moved link its new number), so a walk never
/// passes more empty slots than links. Slots are kept in fixed blocks, so the table never
/// copies itself as it grows, and hold the link's 4-byte node-pool index (node_pool.h), so a
/// link made outside the pool cannot be added. Beside it each slot holds the node-pool indexes of
/// the next and the previous link with the same target (the index by target, kept by
/// CAssocNode), so a link stays 32 bytes and a load writes those words in slot order. Like the
/// nodes, it is changed on the interface thread only.
///
/// A load adds a link for every link line and then reads every slot, so adding and reading are
/// inline; the table's state is plain static data that is never destroyed, so that links freed
/// late at exit still find it.
class CAssocLinkTable {
public:
    static constexpr std::uint32_t kNoSlot = 0xFFFFFFFF;

    /// The number of the slot given to the link of that node-pool index (not 0); may throw (out
    /// of memory).
    static std::uint32_t Add(std::uint32_t linkIndex)
    {
        if (s_end == kNoSlot || (s_end & (kBlockSlots - 1)) == 0) [[unlikely]]
            MakeRoom();
        SlotAt(s_end) = Entry{linkIndex, 0, 0};
        ++s_live;
        return s_end++;
    }
    /// Empties the slot (kNoSlot does nothing).
    static void Remove(std::uint32_t slot) noexcept;
    /// Empties every slot at once, for the links freed with the whole node pool.
    static void Clear() noexcept;
    /// The newest link in a slot below `below` (below kNoSlot: the newest of all); null when none.
    static CAssocNode* NewestBelow(std::uint32_t below) noexcept;
    /// The number of links.
    static std::size_t Count() noexcept { return s_live; }
    /// One past the highest slot given; slots below it hold a link or nothing.
    static std::uint32_t End() noexcept { return s_end; }
    /// The link in a slot below End(); null for an empty slot. Inline (defined in
    /// assoc_node.h, where a link is a whole type) for the walks over every slot.
    static inline CAssocNode* At(std::uint32_t slot) noexcept;
    /// The node-pool indexes of the next and the previous link with the same target as the
    /// link in slot (0 for none), as CAssocNode keeps them.
    static std::uint32_t& NextByTarget(std::uint32_t slot) noexcept { return SlotAt(slot).next; }
    static std::uint32_t& PrevByTarget(std::uint32_t slot) noexcept { return SlotAt(slot).prev; }

private:
    static constexpr unsigned kBlockShift = 15;
    static constexpr std::uint32_t kBlockSlots = std::uint32_t(1) << kBlockShift;

    /// A slot: the link's node-pool index (0 when empty) and its neighbours by target.
    struct Entry {
        std::uint32_t link;
        std::uint32_t next;
        std::uint32_t prev;
    };

    static Entry& SlotAt(std::uint32_t slot) noexcept
    {
        return s_blocks[slot >> kBlockShift][slot & (kBlockSlots - 1)];
    }
    /// Makes sure the slot at the end can be given: closes up the empty slots when the numbers
    /// ran out, adds a block when the end is at a block's start and that block is not there;
    /// may throw.
    [[gnu::noinline]] static void MakeRoom();
    /// Moves every link down over the empty slots, in order, and frees the blocks left empty.
    static void Compact() noexcept;
    /// Frees the blocks above the highest slot given, keeping one spare while any link exists.
    static void ReleaseSpareBlocks() noexcept;

    static inline Entry** s_blocks = nullptr; // s_blockCount blocks of kBlockSlots
    static inline std::size_t s_blockCount = 0;
    static inline std::size_t s_blockCapacity = 0; // of s_blocks
    static inline std::uint32_t s_end = 0;         // one past the highest slot given
    static inline std::uint32_t s_live = 0;        // slots that hold a link
};
