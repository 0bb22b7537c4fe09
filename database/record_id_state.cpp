#include "database/record_id_state.h"

#include "database/record_type_table.h"

#include <algorithm>
#include <limits>

namespace {

CRecordIdState g_states[RECORD_TYPE_COUNT];
bool g_numberingSuspended = false;

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

void CRecordIdState::Reset()
{
    m_prefixLearned = false;
    m_noPrefix = false;
    std::fill(std::begin(m_prefix), std::end(m_prefix), '\0');
    m_counter = 0;
    m_duplicateFound = false;
    m_nonStandardFound = false;
    SetHashSize(m_hashSize);
    std::unordered_map<std::string, CRecordNode*>().swap(m_textMap);
}

void CRecordIdState::SetHashSize(std::size_t buckets)
{
    m_hashSize = buckets;
    std::unordered_map<std::int32_t, CRecordNode*>().swap(m_numberMap);
    m_numberMap.rehash(buckets);
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
