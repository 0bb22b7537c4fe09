// database/records/record_id_state.h: what the data set knows of each record type's identifiers.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CRecordNode;

// The list indexes of the record types, by which their identifier states are indexed.
inline constexpr int RECORD_LIST_INDI = 0;
inline constexpr int RECORD_LIST_FAM = 1;
inline constexpr int RECORD_LIST_NOTE = 2;
inline constexpr int RECORD_LIST_SOUR = 3;
inline constexpr int RECORD_LIST_REPO = 4;
inline constexpr int RECORD_LIST_SUBM = 5;
inline constexpr int RECORD_LIST_SUBN = 6;
inline constexpr int RECORD_LIST_OBJE = 7;
inline constexpr int RECORD_LIST_HEAD = 8;

/// Records by number while a load runs. Files usually number their records 1, 2, 3, ..., so
/// numbers up to about twice the count held live in a table indexed by number (8 bytes a
/// record, nothing allocated per record). Numbers beyond it go to pages of 256 numbers while the
/// pages hold at least one record per four numbers (a file made of copies, each numbering from
/// its own offset), and any other number to a hash map, so that a file with "@I2000000000@"
/// costs one entry and not a table of that size.
class CRecordNumberMap {
public:
    CRecordNumberMap() = default;
    CRecordNumberMap(CRecordNumberMap&&) = default;
    CRecordNumberMap& operator=(CRecordNumberMap&&) = default;

    /// False, and nothing changed, when the number is mapped already. Inline for a number on the
    /// page found last, beyond the table's reach, while the hash map is empty: the records of a
    /// file's later copies, numbered from their own offsets, come so.
    bool Insert(std::int32_t number, CRecordNode* record)
    {
        const auto index = std::size_t(number);
        if (number >= 0 && (number >> kPageBits) == m_lastPage && m_far.empty() &&
            index >= m_table.size() && index > 2 * m_count + 1024) {
            CRecordNode*& place = m_lastPlaces[number & std::int32_t(kPageSize - 1)];
            if (place)
                return false;
            place = record;
            ++m_count;
            return true;
        }
        return InsertElsewhere(number, record);
    }
    /// Insert, inline for the number right after the table's last while the table has room and
    /// nothing is mapped beyond it, as the records of a prefix of non-standard identifiers come.
    bool InsertInOrder(std::int32_t number, CRecordNode* record)
    {
        const auto index = std::size_t(number);
        if (number >= 0 && index == m_table.size() && index < m_table.capacity() &&
            index <= 2 * m_count + 1024 && m_pages.empty() && m_far.empty()) {
            m_table.push_back(record);
            ++m_count;
            return true;
        }
        return Insert(number, record);
    }
    /// Null when the number is not mapped. Inline for a number in the table or on the page found
    /// last, as most of a load's links are.
    CRecordNode* Find(std::int32_t number) const
    {
        if (const auto index = std::uint32_t(number); index < m_table.size() && m_table[index])
            return m_table[index];
        if (number >= 0 && (number >> kPageBits) == m_lastPage) {
            if (CRecordNode* record = m_lastPlaces[number & std::int32_t(kPageSize - 1)])
                return record;
        }
        return FindElsewhere(number);
    }
    /// The record the table indexed by number holds; null when it holds none (Find looks on).
    CRecordNode* FindInTable(std::int32_t number) const
    {
        const auto index = std::uint32_t(number);
        return index < m_table.size() ? m_table[index] : nullptr;
    }
    static constexpr int kPageBits = 8;
    static constexpr std::size_t kPageSize = std::size_t(1) << kPageBits;

    /// The pages of a map's numbers met by a walk that asks for many numbers, which the map
    /// itself, keeping only the page found last, would look up again and again: the links of a
    /// file made of copies name records on a dozen pages of their copy in turn (a family's
    /// children, an individual's families). Sixteen pages are kept, by their page number's low
    /// bits. Find answers what the map's Find answers: the table first, then a kept page's
    /// place, then the map's other ways. Valid until the map is reset.
    class CPageCache {
    public:
        /// Inline, with the rare cases out of line, for a walk that passes every link of a load.
        [[gnu::always_inline]] CRecordNode* Find(const CRecordNumberMap& map, std::int32_t number)
        {
            if (CRecordNode* record = map.FindInTable(number))
                return record;
            const Page& page = PageFor(number);
            if (page.number == number >> kPageBits) {
                if (CRecordNode* record = page.places[LowBits(number)])
                    return record;
            }
            return FindElsewhere(map, number);
        }

    private:
        static constexpr std::size_t kPages = 16;
        struct Page {
            CRecordNode* const* places = nullptr;
            std::int32_t number = std::numeric_limits<std::int32_t>::min(); // no number's page
        };

        Page& PageFor(std::int32_t number)
        {
            return m_pages[std::uint32_t(number >> kPageBits) % kPages];
        }
        static std::size_t LowBits(std::int32_t number)
        {
            return std::size_t(number) & (kPageSize - 1);
        }
        /// Find past the table and the pages kept: keeps the number's page, then asks the map.
        [[gnu::noinline]] CRecordNode* FindElsewhere(const CRecordNumberMap& map,
                                                     std::int32_t number);

        std::array<Page, kPages> m_pages{};
    };

    /// Unmaps the number when it maps to record.
    void Erase(std::int32_t number, const CRecordNode* record);
    /// Unmaps whatever number maps to record (a walk over the whole map); false when none does.
    bool EraseRecord(const CRecordNode* record);
    /// Empties the map, keeping room for about that many records.
    void Reset(std::size_t expected);
    /// Calls visit(number, record) for every mapped number, in no particular order.
    template <typename Visit> void ForEach(Visit visit) const
    {
        for (std::size_t i = 0; i < m_table.size(); ++i) {
            if (m_table[i])
                visit(std::int32_t(i), m_table[i]);
        }
        for (std::size_t index = 0; index < m_pages.size(); ++index) {
            const std::int32_t page = m_pageNumbers[index];
            for (std::size_t i = 0; i < kPageSize; ++i) {
                if (CRecordNode* record = m_pages[index][i])
                    visit(std::int32_t((std::int64_t(page) << kPageBits) + std::int64_t(i)),
                          record);
            }
        }
        for (const auto& [number, record] : m_far)
            visit(number, record);
    }

private:
    /// The table's and the pages' places of a number; null when there is none.
    CRecordNode** TablePlace(std::int32_t number) const;
    CRecordNode** PagePlace(std::int32_t number) const;
    /// Insert for any number.
    bool InsertElsewhere(std::int32_t number, CRecordNode* record);
    /// Find past the table and the page found last.
    CRecordNode* FindElsewhere(std::int32_t number) const;
    /// The place of a page number in m_pages; -1 when it has none.
    std::ptrdiff_t FindPage(std::int32_t page) const;
    /// Adds an empty page for a page number.
    void AddPage(std::int32_t page);

    std::vector<CRecordNode*> m_table; // by number; null where none
    std::vector<std::unique_ptr<CRecordNode*[]>> m_pages;
    std::vector<std::int32_t> m_pageNumbers; // of m_pages, in the same order
    std::vector<std::uint32_t> m_pageSlots;  // open addressing: place in m_pages + 1; 0 empty
    mutable std::int32_t m_lastPage = -1;    // the page found last
    mutable CRecordNode** m_lastPlaces = nullptr;
    std::unordered_map<std::int32_t, CRecordNode*> m_far;
    std::size_t m_count = 0;
};

/// Reads the n (1 to 8) decimal digits that end a word of eight bytes (the last in the high
/// byte) as one number; the bytes before the digits count as zeros. False when a byte of the n
/// is not a digit. Little-endian: the first digit is the low byte.
inline bool ReadLastDigitsOf(std::uint64_t word, std::size_t n, std::uint32_t& value)
{
    constexpr std::uint64_t kZeros = 0x3030303030303030ull;
    if (n < 8) {
        const std::uint64_t before = (std::uint64_t(1) << (8 * (8 - n))) - 1;
        word = (word & ~before) | (kZeros & before);
    }
    // A byte below '0' borrows, one above '9' carries into its top bit; no byte before the
    // first such byte borrows or carries, so that byte shows.
    if ((((word + 0x4646464646464646ull) | (word - kZeros)) & 0x8080808080808080ull) != 0)
        return false;
    word -= kZeros;
    word = word * 10 + (word >> 8); // pairs of digits in every other byte
    word = (((word & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
            (((word >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
           32;
    value = std::uint32_t(word);
    return true;
}

/// ReadLastDigitsOf for the digits that end at end, read from the eight bytes before end, which
/// must be readable.
inline bool ReadLastDigits(const char* end, std::size_t n, std::uint32_t& value)
{
    std::uint64_t word;
    std::memcpy(&word, end - 8, sizeof word);
    return ReadLastDigitsOf(word, n, value);
}

/// Records by the text of a non-standard identifier while a load runs. A text that ends in a
/// number ("C12_I345") is found by its prefix ("C12_I") and then by number in a number map, so
/// records numbered in order with a prefix of their own cost what standard ones cost. Any other
/// text (and any text once prefixes are more than one per eight records) is copied into large
/// blocks, and an open addressing table of entry numbers finds it. Nothing is allocated per
/// record, emptying the table frees a few blocks, and a text of any length takes what it needs.
class CRecordTextIds {
public:
    /// The low bits of a held text's word that are always zero.
    static constexpr int kHeldFreeBits = 6;

    CRecordTextIds() = default;
    CRecordTextIds(const CRecordTextIds&) = delete;
    CRecordTextIds& operator=(const CRecordTextIds&) = delete;

    /// False, and nothing changed, when the text is mapped already.
    bool Insert(std::string_view text, CRecordNode* record);
    /// Insert for a text that MatchLastGroup matched, with the number it gave.
    bool InsertInLastGroup(std::string_view text, std::int32_t number, CRecordNode* record)
    {
        return InsertNumbered(text, *m_lastGroup, number, record);
    }
    /// Whether text is the prefix of the group found last followed by one to eight digits, the
    /// first not a zero (what Insert and Hold try first), for a text of four bytes or more
    /// and a prefix of eight bytes at most, found inline with one word compared; number gets the
    /// digits' value. False for any other text, and when the prefix is `standard` (a prefix of
    /// standardSize bytes, zero-padded): a load's identifier of the standard form is then tried
    /// first, and this way skips that try only where the two forms cannot meet.
    bool MatchLastGroup(std::string_view text, std::uint64_t standard, std::size_t standardSize,
                        std::int32_t& number) const
    {
        const std::size_t size = text.size();
        const std::size_t digits = size - m_lastSize;
        if (std::endian::native != std::endian::little || m_lastSize == 0 || size < 4 ||
            digits - 1 > 7 || (m_lastSize == standardSize && m_lastWord == standard))
            return false;
        // The text's first and last eight bytes, the first byte low; a shorter text's bytes
        // from two words of four that may overlap.
        std::uint64_t head, tail;
        if (size >= 8) {
            std::memcpy(&head, text.data(), sizeof head);
            std::memcpy(&tail, text.data() + size - 8, sizeof tail);
        } else {
            std::uint32_t low, high;
            std::memcpy(&low, text.data(), sizeof low);
            std::memcpy(&high, text.data() + size - 4, sizeof high);
            head = low | std::uint64_t(high) << (8 * (size - 4));
            tail = head << (8 * (8 - size));
        }
        std::uint32_t value = 0;
        if (((head ^ m_lastWord) & m_lastMask) != 0 || text[m_lastSize] == '0' ||
            !ReadLastDigitsOf(tail, digits, value))
            return false;
        number = std::int32_t(value);
        return true;
    }
    /// Hold's answer for a text that MatchLastGroup matched, with the number it gave.
    std::uint64_t HeldInLastGroup(std::int32_t number) const
    {
        return (std::uint64_t(std::uint32_t(number)) << 32) | m_lastGroupBits;
    }
    /// Null when the text is not mapped.
    CRecordNode* Find(std::string_view text) const;
    /// Unmaps whatever text maps to record.
    void Erase(const CRecordNode* record);
    /// Holds text for a link read before the links are resolved, so that the link carries one
    /// word instead of a copy: a text that ends in a number is held as its prefix's group and
    /// its number, any other text is copied once into the blocks (however many links name it).
    /// A record inserted later under the same text is found by FindHeld. The answer's six low
    /// bits are zero (kHeldFreeBits), for the holder's own use. Valid until Clear.
    std::uint64_t Hold(std::string_view text);
    /// The record mapped to a held text; null when none is (yet). Inline for a text of a group
    /// whose number lies in the group's table, as a load's links mostly are.
    CRecordNode* FindHeld(std::uint64_t held) const
    {
        if ((held & kHeldEntry) == 0) {
            if (const std::size_t group = std::uint32_t(held) >> kHeldGroupShift;
                group < m_groups.size()) {
                if (CRecordNode* record =
                        m_groups[group].numbers.FindInTable(std::int32_t(held >> 32)))
                    return record;
            }
        }
        return FindHeldElsewhere(held);
    }
    /// Appends a held text to out; false, and nothing appended, when the table no longer holds
    /// it (it was cleared since).
    bool AppendHeldText(std::uint64_t held, std::string& out) const;
    /// Empties the table and gives its memory back.
    void Clear();
    bool Empty() const { return m_mapped == 0; }
    /// Calls visit(text, record) for every mapped text, in no particular order.
    template <typename Visit> void ForEach(Visit visit) const
    {
        for (const Entry& entry : m_entries) {
            if (entry.record)
                visit(std::string_view(entry.text, entry.size), entry.record);
        }
        for (const Group& group : m_groups) {
            group.numbers.ForEach([&group, &visit](std::int32_t number, CRecordNode* record) {
                visit(std::string(group.prefix) + std::to_string(number), record);
            });
        }
    }

private:
    struct Entry {
        const char* text;
        std::uint32_t size;
        std::uint32_t hash;
        CRecordNode* record; // null once erased; the entry stays for its text
    };
    struct Group {
        std::string_view prefix; // kept in the blocks
        CRecordNumberMap numbers;
    };

    // A held text: bit 6 tells an entry from a group; an entry's number or a group's record
    // number in the high 32 bits, the group's number in bits 7 to 31 (groups stay fewer than
    // one per eight records).
    static constexpr std::uint64_t kHeldEntry = std::uint64_t(1) << kHeldFreeBits;
    static constexpr int kHeldGroupShift = kHeldFreeBits + 1;

    /// The group of a prefix; made when make says so; null when there is none.
    Group* GroupOf(std::string_view prefix, bool make);
    /// GroupOf past its first guess, the group found last: out of line, so that the guess,
    /// which the links of one record type mostly meet, costs no more than it does.
    [[gnu::noinline]] Group* FindGroup(std::string_view prefix, bool make);
    /// FindHeld past a group's table.
    CRecordNode* FindHeldElsewhere(std::uint64_t held) const;
    /// Whether one more group may be made: groups stay fewer than one per eight records.
    bool MayAddGroup() const;
    /// Makes group the one found last, and MatchLastGroup's word its prefix's.
    void SetLastGroup(Group* group);
    /// Insert for a text numbered in group; inline while no text is mapped as an entry, as in
    /// a file whose identifiers all end in numbers.
    bool InsertNumbered(std::string_view text, Group& group, std::int32_t number,
                        CRecordNode* record)
    {
        // The group's map refuses a number it holds, as Find would have; the text may also be
        // mapped as an entry, made before its prefix had a group.
        if ((!m_entries.empty() && MappedAsEntry(text)) ||
            !group.numbers.InsertInOrder(number, record))
            return false;
        ++m_mapped;
        return true;
    }
    /// Whether text is mapped as an entry (to a record).
    bool MappedAsEntry(std::string_view text) const;
    /// The entry number of text, its entry added (without a record) when there is none.
    std::uint32_t EntryOf(std::string_view text);
    /// The slot that holds text's entry, or the empty slot where it would go.
    std::size_t SlotOf(std::string_view text, std::uint32_t hash) const;
    const char* Keep(std::string_view text);
    void Grow();

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_slots; // entry number + 1; 0 for an empty slot
    std::vector<Group> m_groups;
    std::unordered_map<std::string_view, std::uint32_t> m_groupIndex; // prefix to m_groups
    Group* m_lastGroup = nullptr; // the group found last, tried first; in m_groups
    // The group found last as MatchLastGroup reads it: its prefix's bytes as a word, zero
    // beyond them, with their mask and count (0 when there is no such group or its prefix is
    // longer than a word), and the group's bits of a held word.
    std::uint64_t m_lastWord = 0;
    std::uint64_t m_lastMask = 0;
    std::size_t m_lastSize = 0;
    std::uint64_t m_lastGroupBits = 0;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_cursor = nullptr;
    std::size_t m_left = 0;
    std::size_t m_mapped = 0;
};

/// One record type's identifier state, indexed by list order (INDI 0, FAM 1, NOTE 2, SOUR 3,
/// REPO 4, SUBM 5, SUBN 6, OBJE 7, HEAD 8): the id prefix learned from the first identifier
/// of a load, the last record number given, and the maps from identifiers to records that a
/// load fills until its cross-references are resolved.
struct CRecordIdState {
    bool m_prefixLearned = false;
    bool m_noPrefix = false;         // standard identifiers are bare numbers
    char m_prefix[4] = {};           // up to four letters, zero-padded
    std::uint8_t m_prefixLength = 0; // the letters in m_prefix
    std::int32_t m_counter = 0;      // the last record number given; -1 once numbers ran out
    bool m_duplicateFound = false;
    bool m_nonStandardFound = false;
    CRecordNumberMap m_numberMap;
    CRecordTextIds m_textMap;
    std::size_t m_hashSize = 17; // the records the number map has room for after a reset
    // Where the records read since the type's first non-standard identifier lie (node-pool
    // indexes, in the order read), so that the walk that numbers them after the load fetches
    // them ahead of itself; only a hint, since the walk follows the records' own chain.
    std::vector<std::uint32_t> m_readOrder;
    std::size_t m_readBefore = 0; // records read before the first one in m_readOrder
    std::size_t m_read = 0;
    // The records with a non-standard identifier take 1, 2, 3, ... as they are read. When they
    // turn out to be all the type's records, in the order read, those are their numbers and
    // the end of the load renumbers nothing; a record without an identifier, or one with a
    // text identifier destroyed during the load, rules that out.
    std::int32_t m_numberedAsRead = 0;
    bool m_readOrderBroken = false;

    /// Forgets the prefix, the counter, the flags and both maps; the bucket count is kept.
    void Reset();
    /// Empties the number map, keeping room for that many records.
    void SetHashSize(std::size_t buckets);
    /// Empties m_readOrder and gives its memory back.
    void ForgetReadOrder();
    /// The next record number; 0 (and the counter stays -1) once numbers have run out.
    std::int32_t TakeNextNumber();
};

/// The states of the record types, by list index; for GetRecordIdState.
extern CRecordIdState g_recordIdStates[RECORD_LIST_HEAD + 1];

/// The state of a list index 0 to 8; null outside.
inline CRecordIdState* GetRecordIdState(int listIndex)
{
    return unsigned(listIndex) <= unsigned(RECORD_LIST_HEAD) ? &g_recordIdStates[listIndex]
                                                             : nullptr;
}
/// Whether a load's identifier is the prefix of the type's non-standard identifiers met last
/// followed by a number (CRecordTextIds::MatchLastGroup), which the standard form cannot be:
/// the learned prefix consists of letters, and a group's prefix never ends in a digit nor is
/// the learned one. number gets the number. A group is made only after the standard form was
/// tried, so the prefix is learned whenever there is one.
inline bool MatchLastTextGroup(const CRecordIdState& state, std::string_view idText,
                               std::int32_t& number)
{
    std::uint32_t prefix = 0;
    std::memcpy(&prefix, state.m_prefix, sizeof prefix);
    return state.m_textMap.MatchLastGroup(idText, prefix, state.m_prefixLength, number);
}

/// Records made while a load runs take no number from the counters.
void SuspendRecordNumbering(bool suspended);
/// Whether a load runs (SuspendRecordNumbering); for IsRecordNumberingSuspended.
extern bool g_recordNumberingSuspended;
/// Inline: a load asks for every record and link it makes.
inline bool IsRecordNumberingSuspended()
{
    return g_recordNumberingSuspended;
}

/// Learns a record type's id prefix from a cross-reference id's text (without the "@"): up to
/// four leading letters, or, for a text that does not start with a letter, no prefix.
void ReadXrefPrefix(CRecordIdState& state, std::string_view idText);

/// ParseStandardId for any identifier; ParseStandardId takes the common case inline.
bool ParseAnyStandardId(CRecordIdState& state, std::string_view idText, std::int32_t& number);

/// Whether an identifier's text (without the "@") is in the type's standard form: the learned
/// prefix, character for character, then one or more decimal digits worth 1 to 2147483647.
/// The first identifier of a load teaches the prefix. number gets the value (0 when not
/// standard).
inline bool ParseStandardId(CRecordIdState& state, std::string_view idText, std::int32_t& number)
{
    // Every identifier and cross-reference of a load passes here, and nearly all are at least
    // eight bytes long (a prefix and a number of seven digits or more) once a file is large:
    // those are read inline, the learned prefix compared as one word and the digits, nine at
    // most, read as in ParseAnyStandardId; any other goes there.
    const std::size_t size = idText.size();
    const std::size_t prefixLength = state.m_prefixLength;
    if (!state.m_prefixLearned || size < 8 || size > prefixLength + 9 ||
        std::endian::native != std::endian::little)
        return ParseAnyStandardId(state, idText, number);
    number = 0;
    std::uint32_t head, prefix;
    std::memcpy(&head, idText.data(), sizeof head);
    std::memcpy(&prefix, state.m_prefix, sizeof prefix);
    static constexpr std::uint32_t kPrefixMasks[5] = {0, 0xFF, 0xFFFF, 0xFFFFFF, 0xFFFFFFFF};
    if (((head ^ prefix) & kPrefixMasks[prefixLength]) != 0)
        return false;
    const std::size_t digits = size - prefixLength;
    std::uint32_t last = 0;
    if (!ReadLastDigits(idText.data() + size, digits < 8 ? digits : 8, last))
        return false;
    std::int64_t value = last;
    if (digits == 9) {
        const unsigned first = unsigned(static_cast<unsigned char>(idText[prefixLength])) - '0';
        if (first > 9)
            return false;
        value += std::int64_t(first) * 100000000;
    }
    if (value < 1)
        return false;
    number = std::int32_t(value);
    return true;
}

/// Writes number in decimal at out and returns the end. out has room for ten bytes whatever the
/// number's length: the digits are made eight at a time and stored as one word.
char* PutRecordNumber(char* out, std::uint32_t number);

/// How a loaded record's identifier was taken.
struct LoadedRecordId {
    bool m_standard = false;  // the record's number is the identifier's
    bool m_text = false;      // the record keeps a non-standard identifier until the load ends
    bool m_duplicate = false; // an earlier record of the type has the same identifier
    std::int32_t m_number = 0;
};

/// Takes the identifier (without the "@"; empty for none) of a record being loaded, of list
/// index listIndex: a standard one becomes the record's number and raises the counter; any
/// other marks the type as having non-standard identifiers and, when there is one, the record
/// keeps it (CRecordNode::HasTextId) until FinishLoadedRecordIds and takes a number in the order
/// read (below the multimedia type), which that function keeps when it can. The first record of an
/// identifier is mapped to it; a later one is a duplicate (the type's duplicate flag is set;
/// the caller reports it). A record destroyed during the load leaves the maps by itself.
LoadedRecordId TakeLoadedRecordId(CRecordNode& record, int listIndex, std::string_view xref);

/// The record a loaded identifier was mapped to, by number or by text; null when none.
inline CRecordNode* FindLoadedRecord(int listIndex, std::int32_t number)
{
    const CRecordIdState* state = GetRecordIdState(listIndex);
    return state ? state->m_numberMap.Find(number) : nullptr;
}
CRecordNode* FindLoadedRecord(int listIndex, std::string_view idText);

/// Ends a load's identifiers: for each type but the header that met non-standard ones, every
/// record holding a text identifier gives it up and, in the order of the type's records, takes
/// the next number, as does every record without a number (none once numbers run out); then
/// every type's maps are emptied. A type whose records all took 1, 2, 3, ... as they were read,
/// in that order, keeps those numbers without a walk. True when some record gave up a text
/// identifier.
bool FinishLoadedRecordIds();

/// Takes a record out of its type's maps (a record destroyed while a load runs).
void ForgetLoadedRecordId(const CRecordNode& record);
