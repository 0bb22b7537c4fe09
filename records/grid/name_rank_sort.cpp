// records/grid/name_rank_sort.cpp: ranking the distinct names once, then sorting the rows by
// rank in one counting pass and each rank's rows by date key and number.
#include "records/grid/name_rank_sort.h"

#include "platform/base/present_pages.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <span>
#include <utility>

namespace {

/// Eight bytes of text from start (zeros past its end) as a big-endian number.
std::uint64_t Word(std::string_view text, std::size_t start)
{
    std::uint64_t word = 0;
    for (std::size_t i = start; i < start + 8; ++i)
        word = word << 8 | (i < text.size() ? std::uint8_t(text[i]) : 0);
    return word;
}

std::uint64_t Hash(std::string_view text, bool marked)
{
    std::uint64_t hash = marked ? 0x9E3779B97F4A7C15u : 0xC2B2AE3D27D4EB4Fu;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    }
    // The last bytes: a text of eight or more reads its last eight, which may overlap the
    // words before, in one load rather than a copy of the few left.
    std::uint64_t tail = text.size();
    if (text.size() >= 8)
        std::memcpy(&tail, text.data() + text.size() - 8, 8);
    else
        std::memcpy(&tail, text.data() + at, text.size() - at);
    hash = (hash ^ tail ^ (std::uint64_t(text.size()) << 56)) * 0xFF51AFD7ED558CCDu;
    return hash ^ hash >> 29;
}

/// The date key as one number, later dates first and no date last: B.C. after A.D. and the
/// larger year first, then the later end of the period within its year (a missing month ends
/// the year, a missing day the month).
std::uint64_t LaterFirst(const std::optional<CDateValue>& date)
{
    if (!date)
        return UINT64_MAX;
    const std::int64_t year = date->IsBC() ? 1 - std::int64_t(date->GetYear()) : date->GetYear();
    const std::uint64_t month = date->GetMonth() != 0 ? date->GetMonth() : 13;
    const std::uint64_t day = date->GetDay() != 0 ? date->GetDay() : 32;
    const std::uint64_t ends = (std::uint64_t(date->IsBC() ? 0 : 1) << 40) |
                               (std::uint64_t(year + 65536) << 16) | (month * 32 + day);
    return ~ends;
}

/// One row among the others of its name, side by side with them.
struct RankedRow {
    std::uint64_t laterFirst = 0;
    std::int32_t number = 0;
    std::uint32_t index = 0;
    std::optional<CDateValue> date;

    bool operator<(const RankedRow& other) const
    {
        if (laterFirst != other.laterFirst)
            return laterFirst < other.laterFirst;
        if (number != other.number)
            return number < other.number;
        return index < other.index;
    }
};

/// The comparison of two rows of equal names: the later date key first, then the number.
int CompareDatesAndNumbers(const std::optional<CDateValue>& firstDate, std::int32_t firstNumber,
                           const std::optional<CDateValue>& secondDate, std::int32_t secondNumber)
{
    if (const int byDate = CIndRec::CompareDateKeys(secondDate, firstDate); byDate != 0)
        return byDate;
    return firstNumber < secondNumber ? -1 : firstNumber > secondNumber ? 1 : 0;
}

/// Whether the sorted rows of one name stand as the comparison puts them: no row after the next
/// one. It is not so when two date keys are neither before nor after each other and yet not the
/// same date (one with a dual year, or in another calendar), which the comparison leaves
/// unordered.
bool InComparisonOrder(std::span<const RankedRow> rows)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const RankedRow& a = rows[i - 1];
        const RankedRow& b = rows[i];
        if (CompareDatesAndNumbers(a.date, a.number, b.date, b.number) > 0)
            return false;
    }
    return true;
}

} // namespace

bool JoinsInOrder(std::string_view part)
{
    return std::none_of(part.begin(), part.end(),
                        [](char c) { return std::uint8_t(c) <= std::uint8_t(kNamePartEnd); });
}

bool LeadStartsSurname(const CNameNode::SortKey& name)
{
    if (!name.surname.starts_with(name.lead))
        return false;
    const auto characters = std::count_if(name.lead.begin(), name.lead.end(),
                                          [](char c) { return (std::uint8_t(c) & 0xC0) != 0x80; });
    return name.lead.size() == name.surname.size() || characters == 5;
}

CNameRankSort::CNameRankSort(std::size_t rows)
{
    ReservePresent(m_rows, rows);
    m_slots.assign(1024, 0);
    m_storedSlots.assign(1024, 0);
}

std::size_t CNameRankSort::StoredSlot(std::string_view stored, std::uint64_t hash) const
{
    const std::uint64_t tag = hash & kTagMask;
    const std::size_t mask = m_storedSlots.size() - 1;
    std::size_t slot = std::size_t(hash) & mask;
    for (; m_storedSlots[slot] != 0; slot = (slot + 1) & mask) {
        if ((m_storedSlots[slot] & kTagMask) != tag)
            continue;
        const StoredName& name = m_storedNames[std::uint32_t(m_storedSlots[slot]) - 1];
        if (std::string_view(m_storedTexts).substr(name.offset, name.length) == stored)
            break;
    }
    return slot;
}

bool CNameRankSort::AddByStoredName(std::string_view stored, const std::optional<CDateValue>& date,
                                    std::int32_t number)
{
    const std::size_t slot = StoredSlot(stored, Hash(stored, false));
    if (m_storedSlots[slot] == 0)
        return false;
    const std::uint32_t first = m_storedNames[std::uint32_t(m_storedSlots[slot]) - 1].row;
    // The first row's name may still wait for its index.
    if (m_pendingCount > 0 && first >= m_pending[m_pendingFirst].row)
        while (m_pendingCount > 0)
            TakePending();
    m_rows.push_back({m_rows[first].name, number, date});
    return true;
}

bool CNameRankSort::Add(const CIndRec::SortKey& key, std::string_view stored)
{
    Row row{kNameless, key.number, key.date};
    if (key.hasName) {
        const CNameNode::SortKey& name = key.name;
        if (name.formatted)
            return false;
        if (m_pendingCount == kAhead)
            TakePending();
        Pending& pending = m_pending[(m_pendingFirst + m_pendingCount) % kAhead];
        std::string& text = pending.text;
        text.clear();
        if (name.hasSlash)
            text.append(name.lead) += kNamePartEnd;
        (text.append(name.surname) += kNamePartEnd).append(name.kept) += kNamePartEnd;
        // Each part joins in order when the only bytes at or below the part end are the ends.
        const auto ends = std::count_if(text.begin(), text.end(), [](char c) {
            return std::uint8_t(c) <= std::uint8_t(kNamePartEnd);
        });
        if (ends != (name.hasSlash ? 3 : 2))
            return false;
        pending.hash = Hash(text, name.hasSlash);
        pending.row = std::uint32_t(m_rows.size());
        pending.marked = name.hasSlash;
        pending.leadBytes = name.hasSlash ? std::uint32_t(name.lead.size() + 1) : 0;
        pending.leadStartsSurname = name.hasSlash && LeadStartsSurname(name);
        __builtin_prefetch(&m_slots[std::size_t(pending.hash) & (m_slots.size() - 1)]);
        ++m_pendingCount;
        if (!stored.empty() && stored.size() <= UINT32_MAX) {
            const std::uint64_t hash = Hash(stored, false);
            if (const std::size_t slot = StoredSlot(stored, hash); m_storedSlots[slot] == 0) {
                m_storedNames.push_back({std::uint32_t(m_storedTexts.size()),
                                         std::uint32_t(stored.size()),
                                         std::uint32_t(m_rows.size())});
                m_storedTexts += stored;
                m_storedSlots[slot] = (hash & kTagMask) | m_storedNames.size();
                if (2 * m_storedNames.size() > m_storedSlots.size()) {
                    std::vector<std::uint64_t> slots(4 * m_storedSlots.size(), 0);
                    const std::size_t mask = slots.size() - 1;
                    for (std::uint32_t i = 0; i < m_storedNames.size(); ++i) {
                        const StoredName& name = m_storedNames[i];
                        const std::uint64_t h =
                            Hash(std::string_view(m_storedTexts).substr(name.offset, name.length),
                                 false);
                        std::size_t free = std::size_t(h) & mask;
                        while (slots[free] != 0)
                            free = (free + 1) & mask;
                        slots[free] = (h & kTagMask) | (i + 1);
                    }
                    m_storedSlots = std::move(slots);
                }
            }
        }
    }
    m_rows.push_back(row);
    return true;
}

void CNameRankSort::AddEmpty()
{
    m_rows.push_back({kNoRecord, 0, std::nullopt});
}

void CNameRankSort::TakePending()
{
    const Pending& pending = m_pending[m_pendingFirst];
    m_pendingFirst = (m_pendingFirst + 1) % kAhead;
    --m_pendingCount;
    const std::uint64_t tag = pending.hash & kTagMask;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = std::size_t(pending.hash) & mask;
    for (; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        if ((m_slots[slot] & kTagMask) != tag)
            continue;
        const std::uint32_t index = std::uint32_t(m_slots[slot]) - 1;
        const Name& name = m_names[index];
        if (name.marked == pending.marked && Text(name) == pending.text) {
            m_rows[pending.row].name = index;
            return;
        }
    }
    Name name;
    name.hash = pending.hash;
    name.offset = std::uint32_t(m_texts.size());
    name.length = std::uint32_t(pending.text.size());
    name.marked = pending.marked;
    name.leadBytes = pending.leadBytes;
    name.leadStartsSurname = pending.leadStartsSurname;
    m_texts += pending.text;
    m_names.push_back(name);
    m_slots[slot] = tag | m_names.size();
    m_rows[pending.row].name = std::uint32_t(m_names.size() - 1);
    if (2 * m_names.size() > m_slots.size())
        Grow();
}

void CNameRankSort::Grow()
{
    std::vector<std::uint64_t> slots(4 * m_slots.size(), 0);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t i = 0; i < m_names.size(); ++i) {
        std::size_t slot = std::size_t(m_names[i].hash) & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = (m_names[i].hash & kTagMask) | (i + 1);
    }
    m_slots = std::move(slots);
}

std::string_view CNameRankSort::Text(const Name& name) const
{
    return std::string_view(m_texts).substr(name.offset, name.length);
}

std::vector<std::uint32_t> CNameRankSort::Ranks(bool skipLeads) const
{
    // What each name compares: with its surname lead, or from its surname on.
    struct Compared {
        std::array<std::uint64_t, 3> prefix;
        std::string_view text;
        std::uint32_t name;
    };
    std::vector<Compared> names;
    names.reserve(m_names.size());
    for (std::uint32_t i = 0; i < m_names.size(); ++i) {
        const Name& name = m_names[i];
        std::string_view text = Text(name);
        if (name.marked && skipLeads)
            text.remove_prefix(name.leadBytes);
        names.push_back({{Word(text, 0), Word(text, 8), Word(text, 16)}, text, i});
    }
    // Texts hold no zero byte, so the zeros after a short text order it before longer ones.
    const auto order = [](const Compared& a, const Compared& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return a.text < b.text;
    };
    std::sort(names.begin(), names.end(), order);
    std::vector<std::uint32_t> ranks(m_names.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && order(names[i - 1], names[i]))
            ++rank;
        ranks[names[i].name] = rank;
    }
    return ranks;
}

std::optional<std::vector<std::uint32_t>> CNameRankSort::Order()
{
    while (m_pendingCount > 0)
        TakePending();
    if (m_texts.size() > UINT32_MAX)
        return std::nullopt;
    bool leadsStartSurnames = true, unmarked = false;
    for (const Name& name : m_names) {
        if (name.marked)
            leadsStartSurnames = leadsStartSurnames && name.leadStartsSurname;
        else
            unmarked = true;
    }
    // A name without a marked surname compares with the others without their leads, so the
    // leads must order the names as their surnames do.
    if (unmarked && !leadsStartSurnames)
        return std::nullopt;
    // The compared order keeps a group in 23 bits.
    if (m_names.size() + 2 >= (std::size_t(1) << 23))
        return std::nullopt;
    const std::vector<std::uint32_t> ranks = Ranks(leadsStartSurnames);
    if (std::optional<std::vector<std::uint32_t>> counted = CountedOrder(ranks))
        return counted;
    const std::vector<std::uint32_t> groups = Groups(ranks);

    // One counting pass puts the rows into their groups, each in the order the rows came in.
    std::vector<std::uint32_t> starts(std::size_t(NoRecordGroup()) + 2, 0);
    for (const std::uint32_t group : groups)
        ++starts[group + 1];
    for (std::size_t i = 1; i < starts.size(); ++i)
        starts[i] += starts[i - 1];
    std::vector<RankedRow> sorted(m_rows.size());
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (std::uint32_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        sorted[next[groups[i]]++] = {LaterFirst(row.date), row.number, i, row.date};
    }
    // The rows without a record stay in the order they came in.
    for (std::uint32_t group = 0; group < NoRecordGroup(); ++group) {
        const auto begin = sorted.begin() + starts[group], end = sorted.begin() + starts[group + 1];
        if (end - begin < 2)
            continue;
        std::sort(begin, end);
        if (!InComparisonOrder(std::span(begin, end)))
            return ComparedOrder(groups);
    }
    std::vector<std::uint32_t> order;
    order.reserve(sorted.size());
    for (const RankedRow& row : sorted)
        order.push_back(row.index);
    return order;
}

std::vector<std::uint32_t> CNameRankSort::Groups(const std::vector<std::uint32_t>& ranks) const
{
    std::vector<std::uint32_t> groups;
    groups.reserve(m_rows.size());
    for (const Row& row : m_rows)
        groups.push_back(Group(row, ranks));
    return groups;
}

std::vector<std::uint32_t>
CNameRankSort::ComparedOrder(const std::vector<std::uint32_t>& groups) const
{
    // The group and the place of the date key as one number: rows of one name whose date keys
    // stand at one place are left to the comparison, rows without a record are equal.
    struct Compared {
        std::uint64_t key;
        std::int32_t number;
        std::uint32_t index;
    };
    constexpr std::uint64_t kNoRecordKey = UINT64_MAX, kPlaces = (std::uint64_t(1) << 41) - 1;
    std::vector<Compared> rows;
    rows.reserve(m_rows.size());
    for (std::uint32_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        const std::uint64_t key =
            groups[i] == NoRecordGroup()
                ? kNoRecordKey
                : std::uint64_t(groups[i]) << 41 | (LaterFirst(row.date) & kPlaces);
        rows.push_back({key, row.number, i});
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const Compared& a, const Compared& b) {
        if (a.key != b.key)
            return a.key < b.key;
        if (a.key == kNoRecordKey)
            return false;
        return CompareDatesAndNumbers(m_rows[a.index].date, a.number, m_rows[b.index].date,
                                      b.number) < 0;
    });
    std::vector<std::uint32_t> order;
    order.reserve(rows.size());
    for (const Compared& row : rows)
        order.push_back(row.index);
    return order;
}

std::optional<std::vector<std::uint32_t>>
CNameRankSort::CountedOrder(const std::vector<std::uint32_t>& ranks) const
{
    // A date key's place: its year on one line (B.C. years before A.D. ones), then the end of
    // its period within the year.
    const auto place = [](const CDateValue& date) {
        const std::int64_t year = date.IsBC() ? 1 - std::int64_t(date.GetYear()) : date.GetYear();
        const int month = date.GetMonth() != 0 ? date.GetMonth() : 13;
        const int day = date.GetDay() != 0 ? date.GetDay() : 32;
        return year * 512 + month * 32 + day;
    };
    const CDateValue* form = nullptr;
    std::int64_t earliest = INT64_MAX, latest = INT64_MIN;
    std::int32_t lastNumber = INT32_MIN;
    for (const Row& row : m_rows) {
        if (row.name == kNoRecord)
            continue;
        if (row.number < lastNumber)
            return std::nullopt;
        lastNumber = row.number;
        if (!row.date)
            continue;
        const CDateValue& date = *row.date;
        // A year 0 would share its place with the year next to it in the other era.
        if (date.GetYear() == 0 || date.GetMonth() > 12 || date.GetDay() > 31)
            return std::nullopt;
        if (!form)
            form = &date;
        else if (date.GetCalendar() != form->GetCalendar() ||
                 date.HasDualYear() != form->HasDualYear() ||
                 date.GetDualYear() != form->GetDualYear())
            return std::nullopt;
        const std::int64_t at = place(date);
        earliest = std::min(earliest, at);
        latest = std::max(latest, at);
    }
    // The later date first, no date last.
    const std::uint64_t places = form ? std::uint64_t(latest - earliest) + 2 : 1;
    if (places > UINT32_MAX || (std::uint64_t(NoRecordGroup()) + 1) * places > UINT32_MAX)
        return std::nullopt;
    // Each row as its key above its index; the digits of the keys counted as they are made.
    constexpr int kDigits = 3, kDigitBits = 11;
    constexpr std::uint32_t kDigitMask = (1u << kDigitBits) - 1;
    std::vector<std::uint64_t> items;
    ReservePresent(items, m_rows.size());
    std::vector<std::array<std::uint32_t, kDigitMask + 1>> counts(kDigits);
    for (std::uint32_t i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        const std::uint64_t dateKey = row.date && row.name != kNoRecord
                                          ? std::uint64_t(latest - place(*row.date))
                                          : places - 1;
        const std::uint64_t key = std::uint64_t(Group(row, ranks)) * places + dateKey;
        items.push_back(key << 32 | i);
        for (int digit = 0; digit < kDigits; ++digit)
            ++counts[digit][(key >> (digit * kDigitBits)) & kDigitMask];
    }
    // Stable counting passes from the lowest digit, a digit all keys share passed over; the
    // last pass writes the rows' places alone.
    std::vector<int> digits;
    for (int digit = 0; digit < kDigits && !items.empty(); ++digit)
        if (counts[digit][(items[0] >> (32 + digit * kDigitBits)) & kDigitMask] != items.size())
            digits.push_back(digit);
    std::vector<std::uint32_t> order;
    ReservePresent(order, items.size());
    order.resize(items.size());
    if (digits.empty()) {
        std::iota(order.begin(), order.end(), 0u);
        return order;
    }
    std::vector<std::uint64_t> moved;
    if (digits.size() > 1) {
        ReservePresent(moved, items.size());
        moved.resize(items.size());
    }
    for (std::size_t pass = 0; pass < digits.size(); ++pass) {
        const int shift = 32 + digits[pass] * kDigitBits;
        auto& count = counts[std::size_t(digits[pass])];
        std::uint32_t start = 0;
        for (std::uint32_t& slot : count)
            start += std::exchange(slot, start);
        if (pass + 1 == digits.size()) {
            for (const std::uint64_t item : items)
                order[count[(item >> shift) & kDigitMask]++] = std::uint32_t(item);
        } else {
            for (const std::uint64_t item : items)
                moved[count[(item >> shift) & kDigitMask]++] = item;
            items.swap(moved);
        }
    }
    return order;
}
