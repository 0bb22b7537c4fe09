// queries/relationship_pool.h: the pool of relationship paths from one root person to each of
// their relatives, kept nearest first, and its answers to relationship questions.
#pragma once

#include "database/kin/kinship_cache.h"

#include <cstdint>
#include <optional>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

/// One way in which a relative is related to the root.
struct CRelationshipPath {
    std::uint16_t m_up = 0;       // generations from the root up to the common ancestor
    std::uint16_t m_down = 0;     // generations from there down to the relative
    std::uint32_t m_flags = 0;    // RelationshipPathFlag
    std::uint16_t m_routeKey = 0; // the search's route; bounds the paths kept per relative

    /// Three per generation, one more for a half line, one more for the second-path mark.
    int GetCloseness() const;
};

/// For each relative of the root, its paths: first those without a spouse at either end, then
/// those with one, each group in ascending closeness, earlier additions first among equals. A
/// path is refused when the relative already has GetDepth() paths of its route key before its
/// place. Adding and finding a path cost what the relative's distinct closenesses are, not its
/// paths, so a deep pool costs what its paths are. Paths are added on one thread while the pool
/// is built; answers may be asked from several threads at once, and a rebuild while they are
/// asked leaves each answer whole.
class CRelationshipPathPool final : public CRelationshipPool {
public:
    /// maxPerRecord: the paths of one route key kept per relative.
    CRelationshipPathPool(int maxPerRecord, int useCount);
    ~CRelationshipPathPool() override;

    /// Takes a path of the relationship search: the kind is its route key, a line through the
    /// root's partner has the spouse at its start, and a partner of an ancestor or relative
    /// (kinds RPK_ANCESTOR_PARTNER and RPK_RELATIVE_PARTNER) the spouse at its end.
    bool AddPath(int kind, CIndRec* relative, int generationsUp, int generationsDown, bool halfLine,
                 bool throughSpouse) override;
    /// Answers a question packed by MakeRelationshipQuestion about other.
    void GetRelationship(int question, const CRecordNode* other, std::string& text) override;
    void Clear() override;

    /// Adds a path to relative in its place in the relative's list; false when refused (the
    /// relative has its most paths of that route key before that place, or a number does not fit
    /// its field). Abandons the operation (ThrowAbort) when the pool has no root.
    bool AddPathEntry(int routeKey, const CIndRec* relative, int up, int down, unsigned flags);
    /// The index-th path (from 0) of record; none when index is negative or the list shorter.
    std::optional<CRelationshipPath> GetPathEntry(const CRecordNode* record, int index) const;
    /// The answer in mode (RelationshipMode) for the index-th path of other, asked the other way
    /// round when swap is set (the root is the second person). Empty when there is no such path
    /// or no such mode. A person counts as male when the record says so, otherwise as female.
    std::string GetRelationship(const CRecordNode* other, int mode, bool swap, int index) const;

private:
    /// A relative's paths of one place in the order: the same spouse group and closeness, in
    /// the order they were added, with how many there are of each route key.
    struct CRun {
        std::uint32_t m_key = 0;
        std::vector<CRelationshipPath> m_paths;
        std::vector<std::pair<std::uint16_t, std::uint32_t>> m_routeCounts;
    };
    /// A relative's runs in the order of their paths: as many as the distinct closenesses of its
    /// paths, which the generations walked bound (a few dozen in real files), however many
    /// paths there are.
    using CPathList = std::vector<CRun>;

    /// The path at index in record's list, or null; the caller holds the lock.
    const CRelationshipPath* FindEntry(const CRecordNode* record, int index) const;

    mutable std::shared_mutex m_lock;
    std::unordered_map<const CRecordNode*, CPathList> m_lists;
    const CIndRec* m_pathRoot = nullptr; // the root the paths were added for
};

/// Packs a question for QueryRelationship's mode word: the answer mode (RelationshipMode), the
/// swap flag and the path index. A negative index or a mode outside 0 to 7 packs to a question
/// that has no answer.
int MakeRelationshipQuestion(int mode, bool swap, int index);

/// The highest occurrence number answered. A pool for occurrence n keeps about n paths per
/// relative and its build follows each of them; in a file of intermarried lines the paths
/// found grow with n without end, so a higher number would build for ever.
constexpr long kMostRelationshipOccurrence = 1000;

/// The path index of an occurrence number counted from 1; -1 (no relationship) below 1 and
/// above kMostRelationshipOccurrence.
int GetRelationshipIndex(long occurrence);

/// Lets the relationship cache make pools of this kind; called once at start-up.
void InstallRelationshipPoolFactory();
