// records/grid/name_rank_sort.h: the individuals' sort by name as small numbers: each distinct
// name is ranked once among the others, and the rows are sorted by rank, date key and number
// instead of by their texts.
#pragma once

#include "database/kin/ind_rec.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Ends each part of a name's ordered text; every byte of the parts lies above it, so that parts
/// joined by it compare as the parts do one after another.
inline constexpr char kNamePartEnd = '\x01';

/// Whether every byte of the part lies above kNamePartEnd.
bool JoinsInOrder(std::string_view part);

/// Whether the name's surname lead is the first five characters of its surname (all of it when
/// shorter). When every lead is, the leads order the names as the surnames do, and the
/// comparison may leave them out.
bool LeadStartsSurname(const CNameNode::SortKey& name);

/// Gives the order of CIndRec::CompareSortKeys (stable) for the keys added, one a row: the rows
/// are put into groups by their name's rank (the nameless first, rows without a record last) and
/// each group is sorted by its date keys (the later first) and record numbers. Names whose
/// comparison ranks cannot stand for are refused; the caller then sorts otherwise.
class CNameRankSort {
public:
    explicit CNameRankSort(std::size_t rows);

    /// Adds the next row's key; false when its name compares in a way the ranks do not give (a
    /// name compared as formatted, a part holding a byte below 2). stored, when not empty, is
    /// the name's stored text, from which alone its key was read: later rows whose names are
    /// stored alike are then added by AddByStoredName.
    bool Add(const CIndRec::SortKey& key, std::string_view stored = {});
    /// Adds the next row by its name's stored text when an earlier row was added with that
    /// text (see Add), without its name's key; false, adding nothing, when none was.
    bool AddByStoredName(std::string_view stored, const std::optional<CDateValue>& date,
                         std::int32_t number);
    /// Adds a row without a record.
    void AddEmpty();
    /// The rows' places in the order they were added, sorted. None when the ranks would give
    /// another order than the comparison: names without a marked surname among names whose
    /// surname lead is not their surname's start; and past eight million distinct names.
    std::optional<std::vector<std::uint32_t>> Order();

private:
    /// A distinct name: its text (the parts, each ended by kNamePartEnd) in m_texts.
    struct Name {
        std::uint64_t hash = 0;
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        /// The bytes of the surname lead and its end mark, which the comparison may leave out.
        std::uint32_t leadBytes = 0;
        /// A name with a marked surname, whose lead is compared; else surname and kept form only.
        bool marked = false;
        bool leadStartsSurname = false;
    };
    struct Row {
        std::uint32_t name = 0; // kNameless, kNoRecord, or a Name's index
        std::int32_t number = 0;
        std::optional<CDateValue> date;
    };
    static constexpr std::uint32_t kNameless = UINT32_MAX - 1, kNoRecord = UINT32_MAX;

    /// A row's name on its way to the table: its slot is asked for some rows ahead of the
    /// look-up, so that the look-up does not wait on memory.
    struct Pending {
        std::string text;
        std::uint64_t hash = 0;
        std::uint32_t row = 0;
        std::uint32_t leadBytes = 0;
        bool marked = false;
        bool leadStartsSurname = false;
    };
    static constexpr std::size_t kAhead = 16;

    /// Gives the oldest pending row its name's index, adding the name when it is new.
    void TakePending();
    std::string_view Text(const Name& name) const;
    /// Each name's place among the distinct names compared (equal ones sharing it).
    std::vector<std::uint32_t> Ranks(bool skipLeads) const;
    /// A row's group: 0 for the nameless, 1 + its name's rank, then the rows without a record.
    std::uint32_t Group(const Row& row, const std::vector<std::uint32_t>& ranks) const
    {
        return row.name == kNameless   ? 0
               : row.name == kNoRecord ? NoRecordGroup()
                                       : ranks[row.name] + 1;
    }
    /// Each row's group.
    std::vector<std::uint32_t> Groups(const std::vector<std::uint32_t>& ranks) const;
    std::uint32_t NoRecordGroup() const { return std::uint32_t(m_names.size()) + 1; }
    /// The rows sorted stably by group, then by the comparison of date keys and numbers itself,
    /// for rows of one name that the comparison leaves unordered.
    std::vector<std::uint32_t> ComparedOrder(const std::vector<std::uint32_t>& groups) const;
    /// The rows sorted by group, date key and number in a few counting passes over one number
    /// a row. None unless every date key is a day of a month of a year other than 0, in one
    /// calendar and dual-year form (two keys at one place are then the same date), the numbers
    /// never fall from row to row (rows of one name and date then keep the order they came in) and
    /// the number fits.
    std::optional<std::vector<std::uint32_t>>
    CountedOrder(const std::vector<std::uint32_t>& ranks) const;
    void Grow();
    /// The slot of a stored name's text in m_storedSlots: its entry's, or the free one where
    /// it goes.
    std::size_t StoredSlot(std::string_view stored, std::uint64_t hash) const;

    std::vector<Row> m_rows;
    std::vector<Name> m_names;
    std::string m_texts;
    std::array<Pending, kAhead> m_pending;
    std::size_t m_pendingFirst = 0, m_pendingCount = 0;
    /// Open addressing over m_names: a power of two of slots, at most half of them used, each
    /// the high half of its name's hash and the name's index + 1, or 0.
    std::vector<std::uint64_t> m_slots;
    static constexpr std::uint64_t kTagMask = 0xFFFFFFFF00000000u;
    /// The stored texts of names whose keys were read from them alone, each with the first row
    /// that had it: a file of a million people holds a few thousand names, so most rows find
    /// their name's index here without reading a key. Slots as m_slots.
    struct StoredName {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        std::uint32_t row = 0;
    };
    std::vector<StoredName> m_storedNames;
    std::string m_storedTexts;
    std::vector<std::uint64_t> m_storedSlots;
};
