// database/records/record_id_state.cpp: what the data set knows of each record type's identifiers.
#include "database/records/record_id_state.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/node_pool.h"
#include "database/records/assoc_node.h"
#include "database/records/record_node.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <functional>
#include <limits>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr std::size_t kTextBlockBytes = std::size_t(1) << 16;
constexpr std::size_t kFirstSlots = 1024;

constexpr std::size_t kRecordsPerGroup = 8;
constexpr std::size_t kFreeGroups = 64;

/// Spreads page numbers that follow each other over the slots of the page table.
std::size_t PageHash(std::int32_t page)
{
    std::uint32_t hash = std::uint32_t(page) * 0x9E3779B1u;
    return hash ^ (hash >> 15);
}

std::uint32_t TextHash(std::string_view text)
{
    return std::uint32_t(std::hash<std::string_view>()(text));
}

/// Whether two short texts (a prefix is a few letters and digits) are the same, without a
/// call: texts of 4 to 8 bytes are compared as two words that may overlap.
bool SamePrefix(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size();
    if (n != b.size())
        return false;
    if (n < 4 || n > 8)
        return a == b;
    std::uint32_t a0, a1, b0, b1;
    std::memcpy(&a0, a.data(), 4);
    std::memcpy(&b0, b.data(), 4);
    std::memcpy(&a1, a.data() + n - 4, 4);
    std::memcpy(&b1, b.data() + n - 4, 4);
    return ((a0 ^ b0) | (a1 ^ b1)) == 0;
}

/// The value of nine digits at most, read in one pass that stops at the first byte that is no
/// digit (false then).
bool ReadShortDigits(std::string_view digits, std::uint32_t& value)
{
    std::uint32_t read = 0;
    for (const char c : digits) {
        const unsigned digit = unsigned(static_cast<unsigned char>(c)) - '0';
        if (digit > 9)
            return false;
        read = read * 10 + digit;
    }
    value = read;
    return true;
}

/// Splits a text that ends in one to nine digits, the first not a zero, into what comes before
/// them and their value ("C12_I345": "C12_I", 345); false for any other text. The digits are
/// read from the end, in the one pass that finds where they start.
bool SplitNumbered(std::string_view text, std::string_view& prefix, std::int32_t& number)
{
    std::size_t start = text.size();
    std::int32_t value = 0;
    std::int32_t scale = 1;
    while (start > 0 && text.size() - start < 9 && text[start - 1] >= '0' &&
           text[start - 1] <= '9') {
        value += (text[start - 1] - '0') * scale;
        scale *= 10;
        --start;
    }
    if (start == text.size() || text[start] == '0')
        return false;
    if (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9')
        return false; // a tenth digit
    number = value;
    prefix = text.substr(0, start);
    return true;
}

/// The eight decimal digits of number (below 100,000,000) as byte values, the first digit in
/// the low byte: the number split in two groups of four, each group in two pairs, each pair in
/// two digits, every split made by multiplying by a reciprocal.
std::uint64_t EightDigits(std::uint32_t number)
{
    const std::uint64_t top = number / 10000;
    const std::uint64_t bottom = number - top * 10000;
    const std::uint64_t groups = top | (bottom << 32);
    const std::uint64_t hundreds = ((groups * 10486) >> 20) & 0x0000007F0000007Full;
    const std::uint64_t pairs = hundreds | ((groups - 100 * hundreds) << 16);
    const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000Full;
    return tens | ((pairs - 10 * tens) << 8);
}

} // namespace

static_assert(RECORD_TYPE_COUNT == RECORD_LIST_HEAD + 1);
CRecordIdState g_recordIdStates[RECORD_LIST_HEAD + 1];

char* PutRecordNumber(char* out, std::uint32_t number)
{
    constexpr std::uint64_t kZeros = 0x3030303030303030ull;
    if constexpr (std::endian::native != std::endian::little)
        return std::to_chars(out, out + 10, number).ptr;
    if (number >= 100000000) {
        const std::uint32_t high = number / 100000000;
        number -= high * 100000000;
        if (high >= 10)
            *out++ = char('0' + high / 10);
        *out++ = char('0' + high % 10);
        const std::uint64_t word = EightDigits(number) + kZeros;
        std::memcpy(out, &word, sizeof word);
        return out + 8;
    }
    const std::uint64_t digits = EightDigits(number);
    const int leadingZeros = digits == 0 ? 7 : std::countr_zero(digits) / 8;
    const std::uint64_t word = (digits + kZeros) >> (8 * leadingZeros);
    std::memcpy(out, &word, sizeof word);
    return out + (8 - leadingZeros);
}

void CRecordIdState::Reset()
{
    m_prefixLearned = false;
    m_noPrefix = false;
    std::fill(std::begin(m_prefix), std::end(m_prefix), '\0');
    m_prefixLength = 0;
    m_counter = 0;
    m_duplicateFound = false;
    m_nonStandardFound = false;
    m_numberedAsRead = 0;
    m_readOrderBroken = false;
    CRecordNode::HoldTextIds(false);
    SetHashSize(m_hashSize);
    CAssocNode::KeepHeldTexts();
    m_textMap.Clear();
    ForgetReadOrder();
}

void CRecordIdState::ForgetReadOrder()
{
    std::vector<std::uint32_t>().swap(m_readOrder);
    m_readBefore = 0;
    m_read = 0;
}

void CRecordIdState::SetHashSize(std::size_t buckets)
{
    m_hashSize = buckets;
    m_numberMap.Reset(buckets);
}

CRecordNode** CRecordNumberMap::TablePlace(std::int32_t number) const
{
    const auto index = std::size_t(std::max<std::int32_t>(number, 0));
    return index < m_table.size() ? const_cast<CRecordNode**>(&m_table[index]) : nullptr;
}

CRecordNode** CRecordNumberMap::PagePlace(std::int32_t number) const
{
    if (m_pages.empty() || number < 0)
        return nullptr;
    const std::int32_t page = number >> kPageBits;
    if (page != m_lastPage) {
        const std::ptrdiff_t found = FindPage(page);
        if (found < 0)
            return nullptr;
        m_lastPage = page;
        m_lastPlaces = m_pages[std::size_t(found)].get();
    }
    return m_lastPlaces + (number & std::int32_t(kPageSize - 1));
}

std::ptrdiff_t CRecordNumberMap::FindPage(std::int32_t page) const
{
    const std::size_t mask = m_pageSlots.size() - 1;
    for (std::size_t slot = PageHash(page) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = m_pageSlots[slot];
        if (held == 0)
            return -1;
        if (m_pageNumbers[held - 1] == page)
            return std::ptrdiff_t(held - 1);
    }
}

void CRecordNumberMap::AddPage(std::int32_t page)
{
    m_pages.push_back(std::make_unique<CRecordNode*[]>(kPageSize));
    m_pageNumbers.push_back(page);
    if (2 * m_pages.size() > m_pageSlots.size()) {
        std::vector<std::uint32_t> slots(
            std::bit_ceil(std::max<std::size_t>(64, 4 * m_pages.size())), 0);
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = 0; i < m_pageNumbers.size(); ++i) {
            std::size_t slot = PageHash(m_pageNumbers[i]) & mask;
            while (slots[slot] != 0)
                slot = (slot + 1) & mask;
            slots[slot] = std::uint32_t(i + 1);
        }
        m_pageSlots.swap(slots);
        return;
    }
    const std::size_t mask = m_pageSlots.size() - 1;
    std::size_t slot = PageHash(page) & mask;
    while (m_pageSlots[slot] != 0)
        slot = (slot + 1) & mask;
    m_pageSlots[slot] = std::uint32_t(m_pages.size());
}

bool CRecordNumberMap::InsertElsewhere(std::int32_t number, CRecordNode* record)
{
    // The number after the table's last, while nothing is mapped past the table, is free and
    // takes the next place: records numbered in order from 1 come so (a file's first records,
    // and the records of each prefix of non-standard identifiers).
    if (const auto next = std::size_t(number);
        next == m_table.size() && next <= 2 * m_count + 1024 && m_pages.empty() && m_far.empty()) {
        m_table.push_back(record);
        ++m_count;
        return true;
    }
    // Find's answer and the place to fill, from one look at the table and one at the pages: a
    // number may be held where the table or the pages did not reach when it was inserted.
    CRecordNode** place = TablePlace(number);
    CRecordNode** pagePlace = PagePlace(number);
    if ((place && *place) || (pagePlace && *pagePlace) ||
        (!m_far.empty() && m_far.find(number) != m_far.end()))
        return false;
    const auto index = std::size_t(std::max<std::int32_t>(number, 0));
    if (!place && index <= 2 * m_count + 1024) {
        // Records numbered in order each take the next place: one step, without a resize.
        if (index == m_table.size())
            m_table.push_back(nullptr);
        else
            m_table.resize(index + 1, nullptr);
        place = &m_table[index];
    }
    if (!place)
        place = pagePlace;
    if (!place && number > 0 && (m_pages.size() + 1) * kPageSize <= 4 * m_count + 16 * kPageSize) {
        AddPage(number >> kPageBits);
        m_lastPage = -1;
        place = PagePlace(number);
    }
    if (place)
        *place = record;
    else
        m_far.emplace(number, record);
    ++m_count;
    return true;
}

CRecordNode* CRecordNumberMap::CPageCache::FindElsewhere(const CRecordNumberMap& map,
                                                         std::int32_t number)
{
    if (CRecordNode** place = map.PagePlace(number)) {
        const std::size_t low = LowBits(number);
        PageFor(number) = Page{place - low, number >> kPageBits};
        if (*place)
            return *place;
    }
    return map.Find(number);
}

CRecordNode* CRecordNumberMap::FindElsewhere(std::int32_t number) const
{
    if (CRecordNode** place = TablePlace(number); place && *place)
        return *place;
    if (CRecordNode** place = PagePlace(number); place && *place)
        return *place;
    if (m_far.empty())
        return nullptr;
    const auto found = m_far.find(number);
    return found == m_far.end() ? nullptr : found->second;
}

void CRecordNumberMap::Erase(std::int32_t number, const CRecordNode* record)
{
    if (!record)
        return;
    for (CRecordNode** place : {TablePlace(number), PagePlace(number)}) {
        if (place && *place == record) {
            *place = nullptr;
            --m_count;
            return;
        }
    }
    const auto found = m_far.find(number);
    if (found != m_far.end() && found->second == record) {
        m_far.erase(found);
        --m_count;
    }
}

bool CRecordNumberMap::EraseRecord(const CRecordNode* record)
{
    bool found = false;
    std::int32_t mapped = 0;
    ForEach([&found, &mapped, record](std::int32_t number, const CRecordNode* held) {
        if (held == record) {
            found = true;
            mapped = number;
        }
    });
    if (found)
        Erase(mapped, record);
    return found;
}

void CRecordNumberMap::Reset(std::size_t expected)
{
    std::vector<CRecordNode*>().swap(m_table);
    m_table.reserve(expected);
    std::vector<std::unique_ptr<CRecordNode*[]>>().swap(m_pages);
    std::vector<std::int32_t>().swap(m_pageNumbers);
    std::vector<std::uint32_t>().swap(m_pageSlots);
    m_lastPage = -1;
    m_lastPlaces = nullptr;
    std::unordered_map<std::int32_t, CRecordNode*>().swap(m_far);
    m_count = 0;
}

std::size_t CRecordTextIds::SlotOf(std::string_view text, std::uint32_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = m_slots[slot];
        if (held == 0)
            return slot;
        const Entry& entry = m_entries[held - 1];
        if (entry.hash == hash && entry.size == text.size() &&
            std::memcmp(entry.text, text.data(), text.size()) == 0)
            return slot;
    }
}

const char* CRecordTextIds::Keep(std::string_view text)
{
    if (text.size() > m_left) {
        const std::size_t bytes = std::max(kTextBlockBytes, text.size());
        m_blocks.push_back(std::make_unique<char[]>(bytes));
        m_cursor = m_blocks.back().get();
        m_left = bytes;
    }
    char* kept = m_cursor;
    if (!text.empty())
        std::memcpy(kept, text.data(), text.size());
    m_cursor += text.size();
    m_left -= text.size();
    return kept;
}

void CRecordTextIds::Grow()
{
    std::vector<std::uint32_t> slots(std::max(kFirstSlots, m_slots.size() * 2), 0);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        std::size_t slot = m_entries[i].hash & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = std::uint32_t(i + 1);
    }
    m_slots.swap(slots);
}

CRecordTextIds::Group* CRecordTextIds::GroupOf(std::string_view prefix, bool make)
{
    if (m_lastGroup && SamePrefix(m_lastGroup->prefix, prefix))
        return m_lastGroup;
    return FindGroup(prefix, make);
}

CRecordTextIds::Group* CRecordTextIds::FindGroup(std::string_view prefix, bool make)
{
    if (const auto found = m_groupIndex.find(prefix); found != m_groupIndex.end()) {
        SetLastGroup(&m_groups[found->second]);
        return m_lastGroup;
    }
    if (!make)
        return nullptr;
    const std::string_view kept(Keep(prefix), prefix.size());
    m_groups.push_back({kept, {}});
    SetLastGroup(&m_groups.back()); // the vector may have moved its groups
    m_groupIndex.emplace(kept, std::uint32_t(m_groups.size() - 1));
    return &m_groups.back();
}

void CRecordTextIds::SetLastGroup(Group* group)
{
    m_lastGroup = group;
    m_lastWord = 0;
    m_lastMask = 0;
    m_lastSize = 0;
    m_lastGroupBits = 0;
    if (!group || group->prefix.empty() || group->prefix.size() > sizeof m_lastWord)
        return;
    std::memcpy(&m_lastWord, group->prefix.data(), group->prefix.size());
    m_lastSize = group->prefix.size();
    m_lastMask = m_lastSize == sizeof m_lastMask ? ~std::uint64_t(0)
                                                 : (std::uint64_t(1) << (8 * m_lastSize)) - 1;
    m_lastGroupBits = std::uint64_t(group - m_groups.data()) << kHeldGroupShift;
}

bool CRecordTextIds::MayAddGroup() const
{
    return m_groups.size() < m_mapped / kRecordsPerGroup + kFreeGroups;
}

std::uint32_t CRecordTextIds::EntryOf(std::string_view text)
{
    if (2 * (m_entries.size() + 1) > m_slots.size())
        Grow();
    const std::uint32_t hash = TextHash(text);
    const std::size_t slot = SlotOf(text, hash);
    if (const std::uint32_t held = m_slots[slot]; held != 0)
        return held - 1;
    m_entries.push_back({Keep(text), std::uint32_t(text.size()), hash, nullptr});
    m_slots[slot] = std::uint32_t(m_entries.size());
    return std::uint32_t(m_entries.size() - 1);
}

bool CRecordTextIds::Insert(std::string_view text, CRecordNode* record)
{
    // What Find does, with the text split and its group looked up once for both.
    std::int32_t number = 0;
    if (MatchLastGroup(text, 0, 0, number)) // no standard form to leave out here
        return InsertNumbered(text, *m_lastGroup, number, record);
    std::string_view prefix;
    const bool numbered = SplitNumbered(text, prefix, number);
    Group* group = numbered && !m_groups.empty() ? GroupOf(prefix, false) : nullptr;
    if (group)
        return InsertNumbered(text, *group, number, record);
    if (MappedAsEntry(text))
        return false;
    if (numbered && MayAddGroup())
        return InsertNumbered(text, *GroupOf(prefix, true), number, record);
    m_entries[EntryOf(text)].record = record;
    ++m_mapped;
    return true;
}

bool CRecordTextIds::MappedAsEntry(std::string_view text) const
{
    if (m_entries.empty())
        return false;
    const std::uint32_t held = m_slots[SlotOf(text, TextHash(text))];
    return held != 0 && m_entries[held - 1].record != nullptr;
}

std::uint64_t CRecordTextIds::Hold(std::string_view text)
{
    std::int32_t number = 0;
    if (MatchLastGroup(text, 0, 0, number)) // no standard form to leave out here
        return HeldInLastGroup(number);
    std::string_view prefix;
    if (SplitNumbered(text, prefix, number)) {
        if (const Group* group = GroupOf(prefix, MayAddGroup())) {
            const auto index = std::uint64_t(group - m_groups.data());
            return (std::uint64_t(number) << 32) | (index << kHeldGroupShift);
        }
    }
    return (std::uint64_t(EntryOf(text)) << 32) | kHeldEntry;
}

CRecordNode* CRecordTextIds::FindHeldElsewhere(std::uint64_t held) const
{
    const auto number = std::uint32_t(held >> 32);
    CRecordNode* record = nullptr;
    bool elsewhere = false; // whether the text may be mapped in the other form
    if (held & kHeldEntry) {
        if (number < m_entries.size())
            record = m_entries[number].record;
        elsewhere = !m_groups.empty();
    } else {
        const std::size_t group = std::uint32_t(held) >> kHeldGroupShift;
        if (group < m_groups.size())
            record = m_groups[group].numbers.Find(std::int32_t(number));
        elsewhere = !m_entries.empty();
    }
    if (record || !elsewhere || m_mapped == 0)
        return record;
    // The text was held before its prefix had a group, or mapped before its group was made.
    std::string text;
    return AppendHeldText(held, text) ? Find(text) : nullptr;
}

bool CRecordTextIds::AppendHeldText(std::uint64_t held, std::string& out) const
{
    const auto number = std::uint32_t(held >> 32);
    if (held & kHeldEntry) {
        if (number >= m_entries.size())
            return false;
        out.append(m_entries[number].text, m_entries[number].size);
        return true;
    }
    const std::size_t group = std::uint32_t(held) >> kHeldGroupShift;
    if (group >= m_groups.size())
        return false;
    out += m_groups[group].prefix;
    out += std::to_string(number);
    return true;
}

CRecordNode* CRecordTextIds::Find(std::string_view text) const
{
    if (m_mapped == 0)
        return nullptr;
    std::string_view prefix;
    std::int32_t number = 0;
    if (!m_groups.empty() && SplitNumbered(text, prefix, number)) {
        if (const Group* group = const_cast<CRecordTextIds*>(this)->GroupOf(prefix, false)) {
            if (CRecordNode* record = group->numbers.Find(number))
                return record;
        }
    }
    if (m_entries.empty())
        return nullptr;
    const std::uint32_t held = m_slots[SlotOf(text, TextHash(text))];
    return held == 0 ? nullptr : m_entries[held - 1].record;
}

void CRecordTextIds::Erase(const CRecordNode* record)
{
    if (!record || m_mapped == 0)
        return;
    for (Entry& entry : m_entries) {
        if (entry.record == record) {
            entry.record = nullptr;
            --m_mapped;
            return;
        }
    }
    for (Group& group : m_groups) {
        if (group.numbers.EraseRecord(record)) {
            --m_mapped;
            return;
        }
    }
}

void CRecordTextIds::Clear()
{
    std::vector<Entry>().swap(m_entries);
    std::vector<std::uint32_t>().swap(m_slots);
    std::vector<Group>().swap(m_groups);
    std::unordered_map<std::string_view, std::uint32_t>().swap(m_groupIndex);
    SetLastGroup(nullptr);
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_cursor = nullptr;
    m_left = 0;
    m_mapped = 0;
}

std::int32_t CRecordIdState::TakeNextNumber()
{
    const std::int64_t next = std::int64_t(m_counter) + 1;
    if (m_counter < 0 || next > std::numeric_limits<std::int32_t>::max()) {
        m_counter = -1;
        return 0;
    }
    m_counter = std::int32_t(next);
    return m_counter;
}

bool g_recordNumberingSuspended = false;

void SuspendRecordNumbering(bool suspended)
{
    g_recordNumberingSuspended = suspended;
}

void ReadXrefPrefix(CRecordIdState& state, std::string_view idText)
{
    std::fill(std::begin(state.m_prefix), std::end(state.m_prefix), '\0');
    state.m_prefixLength = 0;
    state.m_noPrefix = idText.empty() || !IsAsciiLetter(idText.front());
    for (std::size_t i = 0; !state.m_noPrefix && i < idText.size() && i < 4; ++i) {
        if (!IsAsciiLetter(idText[i]))
            break;
        state.m_prefix[i] = idText[i];
        state.m_prefixLength = std::uint8_t(i + 1);
    }
    state.m_prefixLearned = true;
}

bool ParseAnyStandardId(CRecordIdState& state, std::string_view idText, std::int32_t& number)
{
    number = 0;
    if (!state.m_prefixLearned)
        ReadXrefPrefix(state, idText);
    // The prefix (one to four letters, or none) is compared byte by byte, and its length is
    // known.
    const std::size_t prefixLength = state.m_prefixLength;
    if (idText.size() <= prefixLength)
        return false;
    for (std::size_t i = 0; i < prefixLength; ++i) {
        if (idText[i] != state.m_prefix[i])
            return false;
    }
    const char* const textStart = idText.data();
    idText.remove_prefix(prefixLength);
    std::int64_t value = 0;
    const char* const end = idText.data() + idText.size();
    if (idText.size() <= 9 && end - textStart >= 8 && std::endian::native == std::endian::little) {
        // The last eight bytes of the identifier lie within it: its last eight digits at most
        // are read as one word, and a ninth apart.
        std::uint32_t last = 0;
        if (!ReadLastDigits(end, std::min<std::size_t>(idText.size(), 8), last))
            return false;
        value = last;
        if (idText.size() == 9) {
            const unsigned first = unsigned(static_cast<unsigned char>(idText[0])) - '0';
            if (first > 9)
                return false;
            value += std::int64_t(first) * 100000000;
        }
    } else if (idText.size() <= 9) {
        // Nine digits cannot pass the largest number, so only the digits are tested; the first
        // byte that is none ends the reading (a non-standard identifier, "C2_I102", meets one
        // soon).
        std::uint32_t digits = 0;
        if (!ReadShortDigits(idText, digits))
            return false;
        value = digits;
    } else {
        for (const char c : idText) {
            if (c < '0' || c > '9')
                return false;
            value = value * 10 + (c - '0');
            if (value > std::numeric_limits<std::int32_t>::max())
                return false;
        }
    }
    if (value < 1)
        return false;
    number = std::int32_t(value);
    return true;
}

LoadedRecordId TakeLoadedRecordId(CRecordNode& record, int listIndex, std::string_view xref)
{
    LoadedRecordId result;
    CRecordIdState* state = GetRecordIdState(listIndex);
    if (!state)
        return result;
    // An identifier of the non-standard prefix met last goes straight to its group, without
    // the standard form tried first.
    std::int32_t inGroup = 0;
    const bool inLastGroup = MatchLastTextGroup(*state, xref, inGroup);
    if (xref.empty()) {
        state->m_nonStandardFound = true;
        state->m_readOrderBroken = true;
    } else if (!inLastGroup && ParseStandardId(*state, xref, result.m_number)) {
        result.m_standard = true;
        record.SetRecordNumber(result.m_number);
        state->m_counter = std::max(state->m_counter, result.m_number);
        result.m_duplicate = !state->m_numberMap.Insert(result.m_number, &record);
    } else {
        result.m_text = true;
        state->m_nonStandardFound = true;
        CRecordNode::HoldTextIds(true);
        record.SetTextId(true);
        // Multimedia records are numbered only at the end: their numbers are read while the
        // load joins their continuation records.
        if (listIndex < RECORD_LIST_OBJE)
            record.SetRecordNumber(++state->m_numberedAsRead);
        result.m_duplicate = inLastGroup
                                 ? !state->m_textMap.InsertInLastGroup(xref, inGroup, &record)
                                 : !state->m_textMap.Insert(xref, &record);
    }
    state->m_duplicateFound |= result.m_duplicate;
    if (state->m_nonStandardFound) {
        if (state->m_readOrder.empty())
            state->m_readBefore = state->m_read;
        state->m_readOrder.push_back(CNodePool::IndexOf(&record));
    }
    ++state->m_read;
    return result;
}

CRecordNode* FindLoadedRecord(int listIndex, std::string_view idText)
{
    const CRecordIdState* state = GetRecordIdState(listIndex);
    if (!state)
        return nullptr;
    return state->m_textMap.Find(idText);
}

namespace {

/// Whether every record of the type took its number as it was read, 1 on, in the order of the
/// type's records, and nothing else raised the counter: those numbers are then the ones the
/// walk of RenumberInOrder would give.
bool NumberedAsRead(const CRecordIdState& state, const CDataNode& root)
{
    return state.m_numberedAsRead > 0 && !state.m_readOrderBroken && state.m_counter == 0 &&
           root.CountChildren() == std::size_t(state.m_numberedAsRead);
}

/// Gives every record of the type that held a text identifier, or had no number, the next
/// number, in the order of the type's records; true when one held a text identifier.
bool RenumberInOrder(CRecordIdState& state, const CDataNode& root)
{
    bool renumbered = false;
    // The records lie anywhere in memory: each is fetched some records before the walk reaches
    // it, so that the processor waits for many at once.
    constexpr std::size_t kAhead = 16;
    std::size_t position = kAhead;
    for (CDataNode* node = root.GetFirstChild(); node; node = node->GetNextSibling(), ++position) {
        if (position >= state.m_readBefore &&
            position - state.m_readBefore < state.m_readOrder.size()) {
            const auto* ahead = static_cast<const char*>(
                CNodePool::BlockAt(state.m_readOrder[position - state.m_readBefore]));
            __builtin_prefetch(ahead, 1);
            __builtin_prefetch(ahead + sizeof(CRecordNode) - 1, 1);
        }
        auto* record = static_cast<CRecordNode*>(node);
        const bool textId = record->HasTextId();
        renumbered |= textId;
        if (textId || record->GetRecordNumber() == 0)
            record->SetRecordNumber(state.TakeNextNumber());
    }
    return renumbered;
}

} // namespace

bool FinishLoadedRecordIds()
{
    CAssocNode::KeepHeldTexts();
    bool renumbered = false;
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        CRecordIdState& state = *GetRecordIdState(listIndex);
        const CDataNode* root = GetRecordTypeRoot(listIndex);
        if (state.m_nonStandardFound && listIndex != RECORD_LIST_HEAD && root) {
            if (NumberedAsRead(state, *root)) {
                state.m_counter = state.m_numberedAsRead;
                renumbered = true;
            } else {
                renumbered |= RenumberInOrder(state, *root);
            }
        }
        state.SetHashSize(state.m_hashSize);
        state.m_textMap.Clear();
        state.ForgetReadOrder();
    }
    CRecordNode::HoldTextIds(false);
    return renumbered;
}

void ForgetLoadedRecordId(const CRecordNode& record)
{
    CRecordIdState* state = GetRecordIdState(record.GetTypeIndex());
    if (!state)
        return;
    state->m_numberMap.Erase(record.GetRecordNumber(), &record);
    if (record.HasTextId()) {
        state->m_textMap.Erase(&record);
        state->m_readOrderBroken = true;
    }
}
