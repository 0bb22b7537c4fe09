// queries/relationship_pool.cpp: the pool of relationship paths from one root person to each of
// their relatives, kept nearest first, and its answers to relationship questions.
#include "queries/relationship_pool.h"

#include "common/abort.h"
#include "database/kin/ind_rec.h"
#include "queries/relationship_words.h"

#include <climits>
#include <mutex>

namespace {

// The question word: the mode in bits 0 to 3, the swap flag in bit 4, the index above.
constexpr int kModeBits = 0xF;
constexpr int kSwapBit = 0x10;
constexpr int kIndexShift = 5;
constexpr int kNoAnswer = kModeBits; // a mode that has no answer
constexpr int kMaxIndex = INT_MAX >> kIndexShift;
constexpr int kMaxNumber = 0xFFFF;

bool HasSpouse(const CRelationshipPath& path)
{
    return (path.m_flags & (RPF_SPOUSE_START | RPF_SPOUSE_END)) != 0;
}

/// Whether a new path goes before an existing one: a path without a spouse before the first
/// that has one or is farther; a path with a spouse before the first farther one that has one.
bool GoesBefore(const CRelationshipPath& added, const CRelationshipPath& existing)
{
    const bool farther = existing.GetCloseness() > added.GetCloseness();
    if (!HasSpouse(added))
        return HasSpouse(existing) || farther;
    return HasSpouse(existing) && farther;
}

bool IsMale(const CRecordNode* record)
{
    const CIndRec* individual = record ? AsIndividual(record) : nullptr;
    return individual && individual->GetSex() == SEX_MALE;
}

class CPathPoolFactory final : public IRelationshipPoolFactory {
public:
    std::unique_ptr<CRelationshipPool> NewRelationshipPool(int depth, int useCount) override
    {
        return std::make_unique<CRelationshipPathPool>(depth, useCount);
    }
};

} // namespace

int CRelationshipPath::GetCloseness() const
{
    return (m_up + m_down) * 3 + ((m_flags & RPF_HALF) ? 1 : 0) + ((m_flags & RPF_MARK) ? 1 : 0);
}

CRelationshipPathPool::CRelationshipPathPool(int maxPerRecord, int useCount)
    : CRelationshipPool(maxPerRecord, useCount)
{
}

CRelationshipPathPool::~CRelationshipPathPool() = default;

bool CRelationshipPathPool::AddPath(int kind, CIndRec* relative, int generationsUp,
                                    int generationsDown, bool halfLine, bool throughSpouse)
{
    const bool spouseAtEnd = kind == RPK_ANCESTOR_PARTNER || kind == RPK_RELATIVE_PARTNER;
    const unsigned flags = (halfLine ? RPF_HALF : 0u) | (throughSpouse ? RPF_SPOUSE_START : 0u) |
                           (spouseAtEnd ? RPF_SPOUSE_END : 0u);
    return AddPathEntry(kind, relative, generationsUp, generationsDown, flags);
}

void CRelationshipPathPool::GetRelationship(int question, const CRecordNode* other,
                                            std::string& text)
{
    text = GetRelationship(other, question & kModeBits, (question & kSwapBit) != 0,
                           question >> kIndexShift);
}

void CRelationshipPathPool::Clear()
{
    {
        const std::unique_lock lock(m_lock);
        m_lists.clear();
        m_blocks.clear();
        m_usedInBlock = kBlockEntries;
        m_pathRoot = nullptr;
    }
    CRelationshipPool::Clear();
}

bool CRelationshipPathPool::AddPathEntry(int routeKey, const CIndRec* relative, int up, int down,
                                         unsigned flags)
{
    if (!GetRoot())
        ThrowAbort();
    if (!relative || routeKey < 0 || routeKey > kMaxNumber || up < 0 || up > kMaxNumber ||
        down < 0 || down > kMaxNumber)
        return false;
    const CRelationshipPath path{std::uint16_t(up), std::uint16_t(down), std::uint32_t(flags),
                                 std::uint16_t(routeKey)};
    const std::unique_lock lock(m_lock);
    m_pathRoot = AsIndividual(GetRoot());
    CEntry** link = &m_lists[relative];
    int sameRoute = 0;
    for (; *link && !GoesBefore(path, (*link)->m_path); link = &(*link)->m_next) {
        if ((*link)->m_path.m_routeKey == path.m_routeKey)
            ++sameRoute;
    }
    if (sameRoute >= GetDepth()) {
        if (!m_lists[relative])
            m_lists.erase(relative);
        return false;
    }
    CEntry* entry = NewEntry();
    entry->m_path = path;
    entry->m_next = *link;
    *link = entry;
    return true;
}

std::optional<CRelationshipPath> CRelationshipPathPool::GetPathEntry(const CRecordNode* record,
                                                                     int index) const
{
    const std::shared_lock lock(m_lock);
    const CEntry* entry = FindEntry(record, index);
    if (!entry)
        return std::nullopt;
    return entry->m_path;
}

std::string CRelationshipPathPool::GetRelationship(const CRecordNode* other, int mode, bool swap,
                                                   int index) const
{
    if (mode < 0 || mode >= RM_MODE_COUNT)
        return {};
    const std::shared_lock lock(m_lock);
    const CEntry* entry = FindEntry(other, index);
    if (!entry)
        return {};
    return FormatRelationshipAnswer(mode, swap, IsMale(m_pathRoot), IsMale(other),
                                    entry->m_path.m_up, entry->m_path.m_down,
                                    entry->m_path.m_flags);
}

const CRelationshipPathPool::CEntry* CRelationshipPathPool::FindEntry(const CRecordNode* record,
                                                                      int index) const
{
    if (index < 0)
        return nullptr;
    const auto found = m_lists.find(record);
    const CEntry* entry = found == m_lists.end() ? nullptr : found->second;
    for (; entry && index > 0; --index)
        entry = entry->m_next;
    return entry;
}

CRelationshipPathPool::CEntry* CRelationshipPathPool::NewEntry()
{
    if (m_usedInBlock == kBlockEntries) {
        m_blocks.push_back(std::make_unique<CBlock>());
        m_usedInBlock = 0;
    }
    return &(*m_blocks.back())[m_usedInBlock++];
}

int MakeRelationshipQuestion(int mode, bool swap, int index)
{
    if (mode < 0 || mode >= RM_MODE_COUNT || index < 0 || index > kMaxIndex)
        return kNoAnswer;
    return mode | (swap ? kSwapBit : 0) | (index << kIndexShift);
}

int GetRelationshipIndex(long occurrence)
{
    if (occurrence < 1 || occurrence - 1 > kMaxIndex)
        return -1;
    return int(occurrence - 1);
}

void InstallRelationshipPoolFactory()
{
    static CPathPoolFactory factory;
    SetRelationshipPoolFactory(&factory);
}
