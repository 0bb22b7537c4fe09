// database/kin/kinship_cache.h: the relationship cache: for a root record, its relatives as the
// relationship traversal finds them, kept in a pool for the relationship questions of
// expressions and diagrams.
#pragma once

#include <memory>
#include <string>

class CIndRec;
class CRecordNode;

/// How a relative stands to the root of a pool, as handed to CRelationshipPool::AddPath.
enum RelationPathKind : int {
    RPK_ANCESTOR = 1,         // a parent, grandparent, ...
    RPK_ANCESTOR_PARTNER = 2, // another partner of an ancestor (not the other parent on the line)
    RPK_RELATIVE = 3,         // a descendant of the root or of an ancestor (collateral when up > 0)
    RPK_RELATIVE_PARTNER = 4, // a partner of the root or of such a relative
};

/// The relationship data of one root record. This library keeps the pools, counts their users
/// and fills them by walking the family links; the query engine derives the pool that keeps
/// the paths and words the answers, and installs a factory (SetRelationshipPoolFactory).
class CRelationshipPool {
public:
    CRelationshipPool(int depth, int useCount) : m_depth(depth), m_useCount(useCount) {}
    virtual ~CRelationshipPool() = default;
    CRelationshipPool(const CRelationshipPool&) = delete;
    CRelationshipPool& operator=(const CRelationshipPool&) = delete;

    /// Records one path to relative: its kind (RelationPathKind), the generations from the root
    /// up to the common ancestor and from there down to the relative, whether the line runs
    /// through one common parent only (a half line) and whether it starts at a partner of the
    /// root. True when the path was taken; the traversal goes on from the relative only then,
    /// so a pool that keeps a bounded number of paths per relative bounds the walk.
    virtual bool AddPath(int kind, CIndRec* relative, int generationsUp, int generationsDown,
                         bool halfLine, bool throughSpouse) = 0;
    /// Writes the answer of a relationship question (mode; other may be null) into text.
    virtual void GetRelationship(int mode, const CRecordNode* other, std::string& text) = 0;
    /// Empties the pool and sets its rebuild-needed flag; a derived pool empties its paths too.
    virtual void Clear() { m_rebuildNeeded = true; }

    /// Clear, then record the root.
    void Reset(CRecordNode* root)
    {
        Clear();
        m_root = root;
    }
    CRecordNode* GetRoot() const { return m_root; }
    int GetDepth() const { return m_depth; }
    int GetUseCount() const { return m_useCount; }
    void AddUse(int delta) { m_useCount += delta; }
    bool IsRebuildNeeded() const { return m_rebuildNeeded; }
    void SetRebuildNeeded(bool needed) { m_rebuildNeeded = needed; }

private:
    bool m_rebuildNeeded = true;
    int m_depth;
    int m_useCount;
    CRecordNode* m_root = nullptr;
};

/// Makes the pools of the cache.
class IRelationshipPoolFactory {
public:
    virtual ~IRelationshipPoolFactory() = default;
    /// An empty pool for depth, with that many users.
    virtual std::unique_ptr<CRelationshipPool> NewRelationshipPool(int depth, int useCount) = 0;
};
/// Installed by the query engine at start-up; without one no pool can be made. Pools are made
/// under the cache's lock, so the factory must not call back into the cache.
void SetRelationshipPoolFactory(IRelationshipPoolFactory* factory);
IRelationshipPoolFactory* GetRelationshipPoolFactory();

/// Empties the pool, records record as its root and hands it every relative of an individual
/// record: upward through all parent families (up to 100 generations), at each ancestor the
/// other partners and the lines down from its families other than the line walked (up to 100
/// generations below it), downward to the root's partners and descendants (up to 100
/// generations), and the same from each partner of the root (through-spouse set). The root is
/// never handed over. Every walk is a work list, so no line length can exhaust the stack. Ends
/// by clearing the rebuild-needed flag. Whatever AddPath throws passes through.
void BuildRelationshipPool(CRecordNode* record, CRelationshipPool& pool);

/// The cache: one pool per record. Every call below may come from the interface thread and a
/// query's worker thread at once: each holds the cache's lock for its whole run (a pool build
/// included), so a pool is never emptied, rebuilt or freed while another call uses it; no pool
/// leaves the cache, callers reach it by record only. Building walks the records' family
/// links, which must not change meanwhile.
/// When the record has a pool: one more user and true; false otherwise.
bool AddRefRecordCache(const CRecordNode* record);
/// One more user of a pool built for at least depth; a pool for less depth is replaced (its
/// users carried over) by a new one, built at once. False when no pool could be made or the
/// build failed (the call then counts no user).
bool AcquireRecordCache(CRecordNode* record, int depth);
/// One user fewer; the last frees the pool.
void ReleaseRecordCache(const CRecordNode* record);
/// With all, frees every pool (the data set is being cleared, or at exit); otherwise frees the
/// pools of records pending deletion and empties every other pool, to be rebuilt when next
/// asked.
void FlushRecordCache(bool all);
/// Empties text and writes the pool's answer (GetRelationship) into it, building the pool for
/// depth + 1 when the record has none (for this call only) and rebuilding one that needs it.
/// Stays empty when nothing could be built. Answers text.
std::string& QueryRelationship(CRecordNode* record, int mode, std::string& text,
                               const CRecordNode* other, int depth);
