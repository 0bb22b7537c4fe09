// queries/relationship_pool.cpp: the pool of relationship paths from one root person to each of
// their relatives, kept nearest first, and its answers to relationship questions.
#include "queries/relationship_pool.h"

#include "common/abort.h"
#include "database/kin/ind_rec.h"
#include "queries/relationship_words.h"

#include <climits>
#include <cstddef>
#include <memory>
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

/// A path's place in its relative's list: paths without a spouse at either end before those
/// with one, nearer before farther; equal places keep the order of addition.
std::uint32_t OrderKey(const CRelationshipPath& path)
{
    return (HasSpouse(path) ? 1u << 24 : 0u) | std::uint32_t(path.GetCloseness());
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
    const std::uint32_t key = OrderKey(path);
    const std::unique_lock lock(m_lock);
    m_pathRoot = AsIndividual(GetRoot());
    const auto found = m_lists.find(relative);
    // The new path goes after every run whose key is not above its own.
    std::size_t place = 0;
    long long sameRoute = 0;
    if (found != m_lists.end()) {
        for (const CRun& run : found->second) {
            if (run.m_key > key)
                break;
            for (const auto& [route, count] : run.m_routeCounts) {
                if (route == path.m_routeKey)
                    sameRoute += count;
            }
            ++place;
        }
    }
    if (sameRoute >= GetDepth())
        return false;
    CPathList& list = found != m_lists.end() ? found->second : m_lists[relative];
    if (place == 0 || list[place - 1].m_key != key)
        list.insert(list.begin() + std::ptrdiff_t(place), CRun{key, {}, {}});
    else
        --place;
    CRun& run = list[place];
    run.m_paths.push_back(path);
    for (auto& [route, count] : run.m_routeCounts) {
        if (route == path.m_routeKey) {
            ++count;
            return true;
        }
    }
    run.m_routeCounts.emplace_back(path.m_routeKey, 1);
    return true;
}

std::optional<CRelationshipPath> CRelationshipPathPool::GetPathEntry(const CRecordNode* record,
                                                                     int index) const
{
    const std::shared_lock lock(m_lock);
    const CRelationshipPath* path = FindEntry(record, index);
    if (!path)
        return std::nullopt;
    return *path;
}

std::string CRelationshipPathPool::GetRelationship(const CRecordNode* other, int mode, bool swap,
                                                   int index) const
{
    if (mode < 0 || mode >= RM_MODE_COUNT)
        return {};
    const std::shared_lock lock(m_lock);
    const CRelationshipPath* path = FindEntry(other, index);
    if (!path)
        return {};
    return FormatRelationshipAnswer(mode, swap, IsMale(m_pathRoot), IsMale(other), path->m_up,
                                    path->m_down, path->m_flags);
}

const CRelationshipPath* CRelationshipPathPool::FindEntry(const CRecordNode* record,
                                                          int index) const
{
    if (index < 0)
        return nullptr;
    const auto found = m_lists.find(record);
    if (found == m_lists.end())
        return nullptr;
    std::size_t rest = std::size_t(index);
    for (const CRun& run : found->second) {
        if (rest < run.m_paths.size())
            return &run.m_paths[rest];
        rest -= run.m_paths.size();
    }
    return nullptr;
}

int MakeRelationshipQuestion(int mode, bool swap, int index)
{
    if (mode < 0 || mode >= RM_MODE_COUNT || index < 0 || index > kMaxIndex)
        return kNoAnswer;
    return mode | (swap ? kSwapBit : 0) | (index << kIndexShift);
}

int GetRelationshipIndex(long occurrence)
{
    if (occurrence < 1 || occurrence > kMostRelationshipOccurrence)
        return -1;
    return int(occurrence - 1);
}

void InstallRelationshipPoolFactory()
{
    static CPathPoolFactory factory;
    SetRelationshipPoolFactory(&factory);
}
