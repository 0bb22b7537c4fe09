// database/kin/kinship.h: the ancestors, descendants and spouses of individuals, within a number of
// generations: the marking walks and the collecting operations of the query filters.
#pragma once

#include "database/kin/detail/pointer_map.h"
#include "platform/base/types.h"

#include <atomic>
#include <cstddef>
#include <unordered_map>

class CFamRec;
class CIndRec;

/// Individuals, each with the word 0: a set, in the form of the query engine's result maps.
using CMapPtrToWord = std::unordered_map<CIndRec*, WORD>;

/// The marks of one traversal: the individuals it has reached, each with its generation (the
/// number of parent or child steps from the individual its walk started at). A traversal owns
/// its marks and never writes to the records, so two traversals (the query worker's and one of
/// the window thread) may run at the same time over a data set that nobody edits.
class CKinshipMarks {
public:
    /// Forgets every mark; the cost is that of the marks held, not of the data set.
    void Clear() { m_generations.Clear(); }
    /// Marks the individual; false, and the first mark kept, when it already carries one.
    bool Mark(const CIndRec* individual, int generation)
    {
        return m_generations.TryEmplace(individual, generation).second;
    }
    bool IsMarked(const CIndRec* individual) const { return m_generations.Contains(individual); }
    /// The generation the individual was marked at; -1 when it carries no mark.
    int GetGeneration(const CIndRec* individual) const
    {
        const int* generation = m_generations.Find(individual);
        return generation ? *generation : -1;
    }
    std::size_t GetCount() const { return m_generations.Size(); }

private:
    kinship_detail::CPointerMap<int> m_generations;
};

/// Adds to result the ancestors of individual through first parent families only (each
/// individual's first FAMC family; its husband is the father, its wife the mother), within
/// generations (1 the parents, 2 with the grandparents, ...; 0 all), and marks each. A marked
/// individual is neither added nor followed again, so a pedigree loop ends. The walk goes
/// generation by generation: an ancestor is reached by its shortest line, so every ancestor
/// within the limit is found however the lines cross.
void MarkAncestors(CIndRec* individual, CMapPtrToWord& result, int generations,
                   CKinshipMarks& marks);
/// The same downward: the children of every spouse family (FAMS), in order, and theirs.
void MarkDescendants(CIndRec* individual, CMapPtrToWord& result, int generations,
                     CKinshipMarks& marks);

/// The ancestors of the individuals of start within generations (0 all) into result; below 0
/// nothing. With a limit each starting individual counts its generations afresh; without one
/// a starting individual already reached as an ancestor of an earlier one is passed over, its
/// ancestors being in already. A starting individual enters result when it is an ancestor of
/// another (or, in a broken file, of itself), whatever the order of start. cancel (may be
/// null) is read before each starting individual: once set, the collection stops and what was
/// collected stays.
void CollectAncestors(const CMapPtrToWord& start, CMapPtrToWord& result,
                      const std::atomic<bool>* cancel, int generations);
/// The descendants of the individuals of start, as CollectAncestors.
void CollectDescendants(const CMapPtrToWord& start, CMapPtrToWord& result,
                        const std::atomic<bool>* cancel, int generations);
/// The partner in each spouse family of the individuals of start (GetKinshipPartner) into
/// result; cancel as CollectAncestors.
void CollectSpouses(const CMapPtrToWord& start, CMapPtrToWord& result,
                    const std::atomic<bool>* cancel);

/// An individual's partner in one of its spouse families: the husband for a woman, the wife
/// for a man or an individual of undetermined sex. When that would be the individual itself
/// (a partner link that contradicts the sex), the other partner; null when there is none.
CIndRec* GetKinshipPartner(const CIndRec* individual, const CFamRec* family);
