// database/kin/kinship_cache.cpp: the relationship cache: for a root record, its relatives as the
// relationship traversal finds them, kept in a pool for the relationship questions of expressions
// and diagrams.
#include "database/kin/kinship_cache.h"

#include "common/abort.h"
#include "database/kin/detail/kinship_links.h"
#include "database/kin/kinship.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

using kinship_detail::CollectDistinct;

namespace {

constexpr int kMaxGenerationsUp = 100;
constexpr int kMaxGenerationsDown = 100; // below the root, or below the ancestor of a side line

/// Guards the factory, the cache map and every pool in it (use counts, paths, builds): a query
/// on its worker thread and the interface thread each take it for a whole cache call, so no
/// pool is emptied, rebuilt or freed while another thread reads it.
std::mutex& CacheLock()
{
    static std::mutex lock;
    return lock;
}

IRelationshipPoolFactory*& Factory()
{
    static IRelationshipPoolFactory* factory = nullptr;
    return factory;
}

std::unordered_map<const CRecordNode*, std::unique_ptr<CRelationshipPool>>& Cache()
{
    static std::unordered_map<const CRecordNode*, std::unique_ptr<CRelationshipPool>> cache;
    return cache;
}

CRelationshipPool* FindPool(const CRecordNode* record)
{
    const auto found = Cache().find(record);
    return found == Cache().end() ? nullptr : found->second.get();
}

std::vector<CFamRec*> FamiliesOf(const CIndRec* individual, int fieldId)
{
    std::vector<CFamRec*> families;
    CollectDistinct(individual, fieldId, families);
    return families;
}

std::vector<CIndRec*> ChildrenOf(const CFamRec* family)
{
    std::vector<CIndRec*> children;
    CollectDistinct(family, FIELD_CHIL, children);
    return children;
}

/// The walks of one pool build, from one starting individual (the root, or a partner of it).
class CPoolBuilder {
public:
    CPoolBuilder(CRelationshipPool& pool, const CIndRec* root, bool throughSpouse)
        : m_pool(pool), m_root(root), m_throughSpouse(throughSpouse)
    {
    }

    /// Ancestors through every parent family, nearest generations first, each followed further
    /// only when its path was taken, with the side lines of every family on the way.
    void WalkUp(CIndRec* start)
    {
        CQueue waiting{{start, 0}};
        for (std::size_t next = 0; next < waiting.size(); ++next) {
            const auto [person, up] = waiting[next];
            for (const CFamRec* family : FamiliesOf(person, FIELD_FAMC)) {
                CIndRec* parents[2] = {family->GetHusband(), family->GetWife()};
                for (int i = 0; i < 2; ++i) {
                    if (!Offer(RPK_ANCESTOR, parents[i], up + 1, 0, false))
                        continue;
                    if (up + 1 < kMaxGenerationsUp)
                        waiting.emplace_back(parents[i], up + 1);
                    WalkOtherFamilies(parents[i], parents[1 - i], family, person, up + 1);
                }
                for (CIndRec* sibling : ChildrenOf(family)) {
                    if (sibling != person)
                        WalkDown(sibling, up + 1, 1, false);
                }
            }
        }
    }

    /// The partners and descendants of start, which is not offered itself.
    void WalkDownFrom(CIndRec* start)
    {
        CQueue waiting;
        Expand(start, 0, 0, false, waiting);
        WalkQueue(waiting, 0, false);
    }

private:
    /// Individuals waiting in a walk, each with its generations (up or down).
    using CQueue = std::vector<std::pair<CIndRec*, int>>;

    /// The ancestor's families other than the line's: its other partners, and their children
    /// as half lines (full lines when the partner is the other parent after all).
    void WalkOtherFamilies(CIndRec* ancestor, const CIndRec* otherParent, const CFamRec* line,
                           const CIndRec* lineChild, int up)
    {
        for (const CFamRec* family : FamiliesOf(ancestor, FIELD_FAMS)) {
            if (family == line)
                continue;
            CIndRec* partner = GetKinshipPartner(ancestor, family);
            const bool half = !partner || partner != otherParent;
            if (half)
                Offer(RPK_ANCESTOR_PARTNER, partner, up, 0, false);
            for (CIndRec* child : ChildrenOf(family)) {
                if (child != lineChild)
                    WalkDown(child, up, 1, half);
            }
        }
    }

    /// A relative and, when its path was taken, its partners and descendants.
    void WalkDown(CIndRec* start, int up, int down, bool half)
    {
        CQueue waiting{{start, down}};
        WalkQueue(waiting, up, half);
    }

    /// Offers each waiting relative, nearest generations first, and expands those taken.
    void WalkQueue(CQueue& waiting, int up, bool half)
    {
        for (std::size_t next = 0; next < waiting.size(); ++next) {
            const auto [person, down] = waiting[next];
            if (Offer(RPK_RELATIVE, person, up, down, half))
                Expand(person, up, down, half, waiting);
        }
    }

    /// Offers the partners of person's spouse families and queues their children.
    void Expand(CIndRec* person, int up, int down, bool half, CQueue& waiting)
    {
        for (const CFamRec* family : FamiliesOf(person, FIELD_FAMS)) {
            Offer(RPK_RELATIVE_PARTNER, GetKinshipPartner(person, family), up, down, half);
            if (down >= kMaxGenerationsDown)
                continue;
            for (CIndRec* child : ChildrenOf(family))
                waiting.emplace_back(child, down + 1);
        }
    }

    bool Offer(int kind, CIndRec* relative, int up, int down, bool half)
    {
        return relative && relative != m_root &&
               m_pool.AddPath(kind, relative, up, down, half, m_throughSpouse);
    }

    CRelationshipPool& m_pool;
    const CIndRec* m_root;
    bool m_throughSpouse;
};

} // namespace

void SetRelationshipPoolFactory(IRelationshipPoolFactory* factory)
{
    const std::lock_guard<std::mutex> hold(CacheLock());
    Factory() = factory;
}

IRelationshipPoolFactory* GetRelationshipPoolFactory()
{
    const std::lock_guard<std::mutex> hold(CacheLock());
    return Factory();
}

void BuildRelationshipPool(CRecordNode* record, CRelationshipPool& pool)
{
    pool.Reset(record);
    if (CIndRec* root = AsIndividual(record)) {
        CPoolBuilder own(pool, root, false);
        own.WalkUp(root);
        own.WalkDownFrom(root);
        CPoolBuilder partners(pool, root, true);
        for (const CFamRec* family : FamiliesOf(root, FIELD_FAMS)) {
            if (CIndRec* partner = GetKinshipPartner(root, family)) {
                partners.WalkUp(partner);
                partners.WalkDownFrom(partner);
            }
        }
    }
    pool.SetRebuildNeeded(false);
}

bool AddRefRecordCache(const CRecordNode* record)
{
    const std::lock_guard<std::mutex> hold(CacheLock());
    CRelationshipPool* pool = FindPool(record);
    if (pool)
        pool->AddUse(1);
    return pool != nullptr;
}

namespace {

/// AcquireRecordCache with the lock held.
bool AcquireLocked(CRecordNode* record, int depth)
{
    auto& cache = Cache();
    const auto found = cache.find(record);
    if (found != cache.end() && found->second->GetDepth() >= depth) {
        found->second->AddUse(1);
        return true;
    }
    int users = 0;
    if (found != cache.end()) {
        users = std::max(0, found->second->GetUseCount());
        cache.erase(found);
    }
    std::unique_ptr<CRelationshipPool> made =
        Factory() ? Factory()->NewRelationshipPool(depth, users) : nullptr;
    if (!made)
        return false;
    CRelationshipPool& pool = *made;
    cache[record] = std::move(made);
    try {
        BuildRelationshipPool(record, pool);
    } catch (...) {
        if (users == 0)
            cache.erase(record);
        CauseOfAbandon(); // this may run on a query's worker thread: no message from here
        return false;
    }
    pool.AddUse(1);
    return true;
}

/// ReleaseRecordCache with the lock held.
void ReleaseLocked(const CRecordNode* record)
{
    auto& cache = Cache();
    const auto found = cache.find(record);
    if (found == cache.end())
        return;
    found->second->AddUse(-1);
    if (found->second->GetUseCount() <= 0)
        cache.erase(found);
}

} // namespace

bool AcquireRecordCache(CRecordNode* record, int depth)
{
    const std::lock_guard<std::mutex> hold(CacheLock());
    return AcquireLocked(record, depth);
}

void ReleaseRecordCache(const CRecordNode* record)
{
    const std::lock_guard<std::mutex> hold(CacheLock());
    ReleaseLocked(record);
}

void FlushRecordCache(bool all)
{
    const std::lock_guard<std::mutex> hold(CacheLock());
    auto& cache = Cache();
    if (all) {
        cache.clear();
        return;
    }
    std::erase_if(cache, [](const auto& entry) { return entry.first->IsPendingDeletion(); });
    for (auto& entry : cache)
        entry.second->Clear();
}

std::string& QueryRelationship(CRecordNode* record, int mode, std::string& text,
                               const CRecordNode* other, int depth)
{
    text.clear();
    const std::lock_guard<std::mutex> hold(CacheLock());
    const bool acquired = !FindPool(record);
    if (acquired && !AcquireLocked(record, depth + 1))
        return text;
    CRelationshipPool* pool = FindPool(record);
    bool ready = true;
    if (pool->IsRebuildNeeded()) {
        try {
            BuildRelationshipPool(record, *pool);
        } catch (...) {
            CauseOfAbandon();
            ready = false;
        }
    }
    if (ready)
        pool->GetRelationship(mode, other, text);
    if (acquired)
        ReleaseLocked(record);
    return text;
}
