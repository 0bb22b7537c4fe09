#include "database/records/record_id_state.h"

#include "database/dictionary/record_type_table.h"
#include "database/records/record_node.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>

namespace {

CRecordIdState g_states[RECORD_TYPE_COUNT];
bool g_numberingSuspended = false;

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr std::size_t kTextBlockBytes = std::size_t(1) << 16;
constexpr std::size_t kFirstSlots = 1024;

std::uint32_t TextHash(std::string_view text)
{
    return std::uint32_t(std::hash<std::string_view>()(text));
}

} // namespace

void CRecordIdState::Reset()
{
    m_prefixLearned = false;
    m_noPrefix = false;
    std::fill(std::begin(m_prefix), std::end(m_prefix), '\0');
    m_counter = 0;
    m_duplicateFound = false;
    m_nonStandardFound = false;
    SetHashSize(m_hashSize);
    m_textMap.Clear();
}

void CRecordIdState::SetHashSize(std::size_t buckets)
{
    m_hashSize = buckets;
    m_numberMap.Reset(buckets);
}

bool CRecordNumberMap::Insert(std::int32_t number, CRecordNode* record)
{
    if (Find(number))
        return false;
    const auto index = std::size_t(std::max<std::int32_t>(number, 0));
    if (index >= m_table.size() && index <= 2 * m_count + 1024)
        m_table.resize(index + 1, nullptr);
    if (index < m_table.size())
        m_table[index] = record;
    else
        m_far.emplace(number, record);
    ++m_count;
    return true;
}

CRecordNode* CRecordNumberMap::Find(std::int32_t number) const
{
    const auto index = std::size_t(std::max<std::int32_t>(number, 0));
    if (index < m_table.size() && m_table[index])
        return m_table[index];
    if (m_far.empty())
        return nullptr;
    const auto found = m_far.find(number);
    return found == m_far.end() ? nullptr : found->second;
}

void CRecordNumberMap::Erase(std::int32_t number, const CRecordNode* record)
{
    const auto index = std::size_t(std::max<std::int32_t>(number, 0));
    if (!record)
        return;
    if (index < m_table.size() && m_table[index] == record) {
        m_table[index] = nullptr;
        --m_count;
        return;
    }
    const auto found = m_far.find(number);
    if (found != m_far.end() && found->second == record) {
        m_far.erase(found);
        --m_count;
    }
}

void CRecordNumberMap::Reset(std::size_t expected)
{
    std::vector<CRecordNode*>().swap(m_table);
    m_table.reserve(expected);
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

bool CRecordTextIds::Insert(std::string_view text, CRecordNode* record)
{
    if (2 * (m_entries.size() + 1) > m_slots.size())
        Grow();
    const std::uint32_t hash = TextHash(text);
    const std::size_t slot = SlotOf(text, hash);
    if (const std::uint32_t held = m_slots[slot]; held != 0) {
        Entry& entry = m_entries[held - 1];
        if (entry.record)
            return false;
        entry.record = record;
    } else {
        m_entries.push_back({Keep(text), std::uint32_t(text.size()), hash, record});
        m_slots[slot] = std::uint32_t(m_entries.size());
    }
    ++m_mapped;
    return true;
}

CRecordNode* CRecordTextIds::Find(std::string_view text) const
{
    if (m_mapped == 0)
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
}

void CRecordTextIds::Clear()
{
    std::vector<Entry>().swap(m_entries);
    std::vector<std::uint32_t>().swap(m_slots);
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

CRecordIdState* GetRecordIdState(int listIndex)
{
    if (listIndex < 0 || listIndex >= RECORD_TYPE_COUNT)
        return nullptr;
    return &g_states[listIndex];
}

void SuspendRecordNumbering(bool suspended)
{
    g_numberingSuspended = suspended;
}

bool IsRecordNumberingSuspended()
{
    return g_numberingSuspended;
}

void ReadXrefPrefix(CRecordIdState& state, std::string_view idText)
{
    std::fill(std::begin(state.m_prefix), std::end(state.m_prefix), '\0');
    state.m_noPrefix = idText.empty() || !IsAsciiLetter(idText.front());
    for (std::size_t i = 0; !state.m_noPrefix && i < idText.size() && i < 4; ++i) {
        if (!IsAsciiLetter(idText[i]))
            break;
        state.m_prefix[i] = idText[i];
    }
    state.m_prefixLearned = true;
}

bool ParseStandardId(CRecordIdState& state, std::string_view idText, std::int32_t& number)
{
    number = 0;
    if (!state.m_prefixLearned)
        ReadXrefPrefix(state, idText);
    if (!state.m_noPrefix) {
        // Byte by byte: the prefix is one to four letters, and every identifier of a load
        // passes here.
        std::size_t length = 0;
        for (; length < sizeof state.m_prefix && state.m_prefix[length] != '\0'; ++length) {
            if (length >= idText.size() || idText[length] != state.m_prefix[length])
                return false;
        }
        idText.remove_prefix(length);
    }
    if (idText.empty())
        return false;
    std::int64_t value = 0;
    for (const char c : idText) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return false;
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
    if (xref.empty()) {
        state->m_nonStandardFound = true;
        return result;
    }
    if (ParseStandardId(*state, xref, result.m_number)) {
        result.m_standard = true;
        record.SetRecordNumber(result.m_number);
        state->m_counter = std::max(state->m_counter, result.m_number);
        result.m_duplicate = !state->m_numberMap.Insert(result.m_number, &record);
    } else {
        result.m_text = true;
        state->m_nonStandardFound = true;
        record.SetTextId(true);
        result.m_duplicate = !state->m_textMap.Insert(xref, &record);
    }
    state->m_duplicateFound |= result.m_duplicate;
    return result;
}

CRecordNode* FindLoadedRecord(int listIndex, std::int32_t number)
{
    const CRecordIdState* state = GetRecordIdState(listIndex);
    if (!state)
        return nullptr;
    return state->m_numberMap.Find(number);
}

CRecordNode* FindLoadedRecord(int listIndex, std::string_view idText)
{
    const CRecordIdState* state = GetRecordIdState(listIndex);
    if (!state)
        return nullptr;
    return state->m_textMap.Find(idText);
}

bool FinishLoadedRecordIds()
{
    bool renumbered = false;
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        CRecordIdState& state = *GetRecordIdState(listIndex);
        const CDataNode* root = GetRecordTypeRoot(listIndex);
        if (state.m_nonStandardFound && listIndex != RECORD_LIST_HEAD && root) {
            for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling()) {
                auto* record = static_cast<CRecordNode*>(node);
                renumbered |= record->HasTextId();
                record->SetTextId(false);
                if (record->GetRecordNumber() == 0)
                    record->SetRecordNumber(state.TakeNextNumber());
            }
        }
        state.SetHashSize(state.m_hashSize);
        state.m_textMap.Clear();
    }
    return renumbered;
}

void ForgetLoadedRecordId(const CRecordNode& record)
{
    CRecordIdState* state = GetRecordIdState(record.GetTypeIndex());
    if (!state)
        return;
    state->m_numberMap.Erase(record.GetRecordNumber(), &record);
    if (record.HasTextId())
        state->m_textMap.Erase(&record);
}
